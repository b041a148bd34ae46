// engine/dxd3drs.cpp: the render-state and texture-stage cache over the 3D device.
#include "engine/dxd3drs.h"

#include <array>
#include <bit>

#include "engine/debug.h"
#include "engine/dxd3d.h"
#include "engine/dxerror.h"
#include "engine/fatal.h"
#include "engine/winlib.h"

namespace {

// In the order they are read and restored; the fog three stand in it twice.
constexpr auto kCachedRenderStates = std::to_array<uint32_t>({
    RS_ANTIALIAS,
    RS_TEXTUREPERSPECTIVE,
    RS_ZENABLE,
    RS_FILLMODE,
    RS_SHADEMODE,
    RS_LINEPATTERN,
    RS_ZWRITEENABLE,
    RS_ALPHATESTENABLE,
    RS_LASTPIXEL,
    RS_SRCBLEND,
    RS_DESTBLEND,
    RS_CULLMODE,
    RS_ZFUNC,
    RS_ALPHAREF,
    RS_ALPHAFUNC,
    RS_DITHERENABLE,
    RS_ALPHABLENDENABLE,
    RS_FOGENABLE,
    RS_SPECULARENABLE,
    RS_ZVISIBLE,
    RS_STIPPLEDALPHA,
    RS_FOGCOLOR,
    RS_FOGTABLEMODE,
    RS_FOGSTART,
    RS_FOGEND,
    RS_FOGDENSITY,
    RS_FOGSTART,
    RS_FOGEND,
    RS_FOGDENSITY,
    RS_EDGEANTIALIAS,
    RS_COLORKEYENABLE,
    RS_ZBIAS,
    RS_RANGEFOGENABLE,
    RS_STENCILENABLE,
    RS_STENCILFAIL,
    RS_STENCILZFAIL,
    RS_STENCILPASS,
    RS_STENCILFUNC,
    RS_STENCILREF,
    RS_STENCILMASK,
    RS_STENCILWRITEMASK,
    RS_TEXTUREFACTOR,
    RS_WRAP0,
    RS_WRAP0 + 1,
    RS_WRAP0 + 2,
    RS_WRAP0 + 3,
    RS_WRAP0 + 4,
    RS_WRAP0 + 5,
    RS_WRAP0 + 6,
    RS_WRAP0 + 7,
    RS_CLIPPING,
    RS_LIGHTING,
    RS_EXTENTS,
    RS_AMBIENT,
    RS_FOGVERTEXMODE,
    RS_COLORVERTEX,
    RS_LOCALVIEWER,
    RS_NORMALIZENORMALS,
    RS_COLORKEYBLENDENABLE,
    RS_DIFFUSEMATERIALSOURCE,
    RS_SPECULARMATERIALSOURCE,
    RS_AMBIENTMATERIALSOURCE,
    RS_EMISSIVEMATERIALSOURCE,
    RS_VERTEXBLEND,
    RS_CLIPPLANEENABLE,
});
static_assert(kCachedRenderStates.size() == D3D_CACHED_RENDER_STATES);

struct CacheState {
    uint32_t renderStates[D3D_RENDER_STATE_COUNT];
    uint32_t stageStates[D3D_STAGE_COUNT][D3D_STAGE_STATE_COUNT];
};

CacheState s_cache;

[[noreturn]] void Abort(int32_t line, const char* message) { FatalAbort("dxd3drs", line, message); }

}  // namespace

void D3DInitRenderStates()
{
    DebugPrintf(DBG_DIRECT3D, 80, "D3DInitRenderStates(): initialising\n");
    // Every slot starts cleared: the device holds 0 in every state outside the list, so the cache
    // matches it from here on, whatever the previous device left.
    s_cache = {};
    HostDevice* const device = D3DGetD3DDevice7();
    for (uint32_t id : kCachedRenderStates) {
        DXCheck(HostDeviceGetRenderState(device, id, &s_cache.renderStates[id]), "dxd3drs",
                "D3DD7_GetRenderState");
    }
    for (uint32_t s = 1; s < D3D_STAGE_STATE_COUNT; ++s) {
        DXCheck(HostDeviceGetStageState(device, 0, s, &s_cache.stageStates[0][s]), "dxd3drs",
                "D3DD7_GetTextureStageType");
    }
    WinAddTaskswitchFunc(RenderstateTaskswitch);
}

void D3DUninitRenderStates()
{
    DebugPrintf(DBG_DIRECT3D, 80, "D3DUninitRenderStates(): uninitialising\n");
    WinRemoveTaskswitchFunc(RenderstateTaskswitch);
}

void D3DSetRenderState(uint32_t id, uint32_t value)
{
    if (id >= D3D_RENDER_STATE_COUNT)
        Abort(__LINE__, "D3DSetRenderState(): render state out of range");
    if (s_cache.renderStates[id] == value) return;
    DXCheck(HostDeviceSetRenderState(D3DGetD3DDevice7(), id, value), "dxd3drs",
            "D3DD7_SetRenderState");
    s_cache.renderStates[id] = value;
}

void D3DSetRenderStateFloat(uint32_t id, float value)
{
    D3DSetRenderState(id, std::bit_cast<uint32_t>(value));
}

uint32_t D3DGetRenderState(uint32_t id)
{
    if (id >= D3D_RENDER_STATE_COUNT)
        Abort(__LINE__, "D3DGetRenderState(): render state out of range");
    return s_cache.renderStates[id];
}

float D3DGetRenderStateFloat(uint32_t id) { return std::bit_cast<float>(D3DGetRenderState(id)); }

void D3DSetTextureStageState(int32_t stage, uint32_t state, uint32_t value)
{
    if (state >= D3D_STAGE_STATE_COUNT)
        Abort(__LINE__, "D3DSetTextureStageState(): invalid texture sgage");
    if (stage < 0 || stage >= D3D_STAGE_COUNT)
        Abort(__LINE__, "D3DSetTextureStageState(): Stage out of range");
    if (s_cache.stageStates[stage][state] == value) return;
    DXCheck(HostDeviceSetStageState(D3DGetD3DDevice7(), stage, state, value), "dxd3drs",
            "D3DD7_SetTextureStageType", __LINE__, "D3DSetTextureStage");
    s_cache.stageStates[stage][state] = value;
}

void D3DSetTextureStageStateFloat(int32_t stage, uint32_t state, float value)
{
    D3DSetTextureStageState(stage, state, std::bit_cast<uint32_t>(value));
}

uint32_t D3DGetTextureStageState(int32_t stage, uint32_t state)
{
    if (state >= D3D_STAGE_STATE_COUNT)
        Abort(__LINE__, "D3DSetTextureStage(): invalid texture sgage");
    if (stage < 0 || stage >= D3D_STAGE_COUNT)
        Abort(__LINE__, "D3DSetTextureStage(): Stage out of range");
    return s_cache.stageStates[stage][state];
}

float D3DGetTextureStageStateFloat(int32_t stage, uint32_t state)
{
    return std::bit_cast<float>(D3DGetTextureStageState(stage, state));
}

void RenderstateTaskswitch(uint8_t state)
{
    if (state != WIN_TASKSWITCH_ACTIVE) return;
    DebugPrintf(DBG_DIRECT3D, 40, "RenderstateTaskswitch(): restoring all renderstates\n");
    HostDevice* const device = D3DGetD3DDevice7();
    for (uint32_t id : kCachedRenderStates) {
        DXCheck(HostDeviceSetRenderState(device, id, s_cache.renderStates[id]), "dxd3drs",
                "D3DD7_SetRenderState");
    }
    for (uint32_t s = 1; s < D3D_STAGE_STATE_COUNT; ++s) {
        DXCheck(HostDeviceSetStageState(device, 0, s, s_cache.stageStates[0][s]), "dxd3drs",
                "D3DD7_SetTextureStageType");
    }
}
