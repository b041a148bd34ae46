// engine/dxd3d.cpp: the 3D device on the display.
#include "engine/dxd3d.h"

#include "engine/debug.h"
#include "engine/dxd3drs.h"
#include "engine/dxd3dtex.h"
#include "engine/dxdraw.h"
#include "engine/dxenum.h"
#include "engine/dxerror.h"
#include "engine/fatal.h"
#include "engine/winlib.h"

D3DInfoRecord D3DInfo;

namespace {

[[noreturn]] void Abort(int32_t line, const char* message) { FatalAbort("dxd3d", line, message); }

// A light slot in use; a slot outside the table is reported as a missing light, never read.
bool LightInUse(int32_t slot)
{
    return slot >= 0 && slot < D3D_MAX_LIGHTS && D3DInfo.lights[slot] != 0;
}

}  // namespace

void D3DInit(HostDisplay* lpDD7)
{
    if (D3DInfo.lpD3D7 != nullptr) Abort(__LINE__, "D3DInit(): already initialised");
    if (lpDD7 == nullptr) Abort(__LINE__, "D3DInit(): Direct Draw not initialised");
    DebugPrintf(DBG_DIRECT3D, 10, "D3DInit(): Initialising...\n");
    D3DInfo = {};
    DXCheck(HostDisplayOpen3D(lpDD7), "dxd3d", "DD7_QueryInterface");
    D3DInfo.lpD3D7 = lpDD7;
    const DXDeviceEntry* const device = DXGetSelectedD3DDevice();
    if (device == nullptr) Abort(__LINE__, "D3DInit(): no 3d device selected");
    D3DInfo.deviceGuid = &device->guid;
    OnExitAddEx(D3DUninit, "D3DUninit()");
}

void D3DUninit()
{
    if (D3DInfo.lpD3D7 == nullptr) Abort(__LINE__, "D3DUninit(): not initialised");
    DebugPrintf(DBG_DIRECT3D, 100, "D3DUninit(): Release 3d7\n");
    OnExitRemove(D3DUninit);
    DebugPrintf(DBG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): releasing D3DInfo.lpD3D7\n");
    HostDisplayClose3D(D3DInfo.lpD3D7);
    D3DInfo.lpD3D7 = nullptr;
}

void D3DInitDevice(HostSurface* surface)
{
    DebugPrintf(DBG_DIRECT3D, 80, "D3DCreateDirect3DDevice(): initializing\n");
    DXCheck(HostDeviceCreate(D3DGetD3D7(), *D3DInfo.deviceGuid, surface, &D3DInfo.lpD3DDevice7),
            "dxd3d", "D3D7_CreateDevice");
    HostPixelFormat format{};
    DXCheck(HostSurfaceGetFormat(surface, &format), "dxd3d", "DDS3_GetSurfaceDesc");
    int32_t width = 0, height = 0;
    HostSurfaceSize(surface, &width, &height);
    D3DInfo.width = static_cast<uint32_t>(width);
    D3DInfo.height = static_cast<uint32_t>(height);
    D3DSetViewport(0, 0, D3DInfo.width, D3DInfo.height, 0.0f, 1.0f);

    D3DInfo.clearFlags = D3D_CLEAR_TARGET;
    HostSurface* const zbuffer = DDrawGetDirectDrawSurface(DDRAW_SURFACE_ZBUFFER);
    if (zbuffer != nullptr) {
        D3DInfo.clearFlags |= D3D_CLEAR_ZBUFFER;
        DebugPrintf(DBG_DIRECT3D, 50, "D3DInitDevice(): we have a z-buffer to clear\n");
        HostPixelFormat zFormat{};
        DXCheck(HostSurfaceGetFormat(zbuffer, &zFormat), "dxd3d", "DDS7_GetPixelFormat");
        if ((zFormat.flags & HOST_PF_STENCIL) && zFormat.stencilBits != 0) {
            D3DInfo.clearFlags |= D3D_CLEAR_STENCIL;
            DebugPrintf(DBG_DIRECT3D, 50, "D3DInitDevice(): we have a stencil buffer to clear\n");
        }
    }
    D3DTexInit();
    D3DInitRenderStates();
    OnExitAddEx(D3DUninitDevice, "D3DUninitDevice()");
}

void D3DUninitDevice()
{
    OnExitRemove(D3DUninitDevice);
    D3DUninitRenderStates();
    D3DTexUninit();
    if (D3DInfo.lpD3DDevice7 == nullptr) {
        DebugPrintf(DBG_DIRECTDRAW, 80,
                    "DX_SAFE_RELEASE(): D3DInfo.lpD3DDevice7 already released\n");
        return;
    }
    DebugPrintf(DBG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): releasing D3DInfo.lpD3DDevice7\n");
    HostDeviceRelease(D3DInfo.lpD3DDevice7);
    D3DInfo.lpD3DDevice7 = nullptr;
}

HostDisplay* D3DGetD3D7()
{
    if (D3DInfo.lpD3D7 == nullptr) Abort(__LINE__, "D3DGetD3D7(): no Direct3D created");
    return D3DInfo.lpD3D7;
}

HostDevice* D3DGetD3DDevice7()
{
    if (D3DInfo.lpD3DDevice7 == nullptr)
        Abort(__LINE__, "D3DGetD3DDevice7(): no Direct3DDevice created");
    return D3DInfo.lpD3DDevice7;
}

void D3DSetViewport(uint32_t x, uint32_t y, uint32_t width, uint32_t height, float minZ, float maxZ)
{
    const HostViewport viewport{x, y, width, height, minZ, maxZ};
    DXCheck(HostDeviceSetViewport(D3DGetD3DDevice7(), viewport), "dxd3d", "D3DD7_SetViewport");
}

void D3DClearScene(uint32_t flags)
{
    const HostRect whole{0, 0, static_cast<int32_t>(D3DInfo.width),
                         static_cast<int32_t>(D3DInfo.height)};
    DXCheck(HostDeviceClear(D3DGetD3DDevice7(), &whole, 1, flags & D3DInfo.clearFlags, 0xFF000000,
                            1.0f, 0),
            "dxd3d", "D3DD7_Clear");
}

void D3DClearCurrent() { D3DClearScene(D3DInfo.clearFlags); }

void D3DBeginScene()
{
    DebugPrintf(DBG_DIRECT3D, 180, "D3DBeginScene(): starting scene\n");
    DXCheck(HostDeviceBeginScene(D3DGetD3DDevice7()), "dxd3d", "D3DD7_BeginScene");
}

void D3DEndScene()
{
    DebugPrintf(DBG_DIRECT3D, 180, "D3DEndScene(): ending scene\n");
    DXCheck(HostDeviceEndScene(D3DGetD3DDevice7()), "dxd3d", "D3DD7_EndScene");
    if (WinIsWindowed()) HostWindowInvalidate(nullptr, true);
}

void D3DDrawPrimitive(uint32_t type, uint32_t vertexFormat, const void* vertices, uint32_t count)
{
    DXCheck(HostDeviceDraw(D3DGetD3DDevice7(), type, vertexFormat, vertices, count), "dxd3d",
            "D3DD7_DrawPrimitive");
}

void D3DDrawIndexedPrimitive(uint32_t type, uint32_t vertexFormat, const void* vertices,
                             uint32_t vertexCount, const uint16_t* indices, uint32_t indexCount)
{
    DXCheck(HostDeviceDrawIndexed(D3DGetD3DDevice7(), type, vertexFormat, vertices, vertexCount,
                                  indices, indexCount),
            "dxd3d", "D3DD7_DrawIndexedPrimitive");
}

void D3DComputeSphereVisibility(const float* centres, const float* radii, uint32_t count,
                                uint32_t* results)
{
    DXCheck(HostDeviceSphereVisibility(D3DGetD3DDevice7(), centres, radii, count, results), "dxd3d",
            "D3DD7_ComputeSphereVisibility");
}

void D3DSetTransformType(uint32_t type, const Matrix4* matrix)
{
    DXCheck(HostDeviceSetTransform(D3DGetD3DDevice7(), type, &matrix->m[0][0]), "dxd3d",
            "D3DD7_SetTransformMatrix");
}

void D3DSetMaterial(const D3DMaterial* material)
{
    DXCheck(HostDeviceSetMaterial(D3DGetD3DDevice7(), *material), "dxd3d", "D3DD7_SetMaterial");
}

void D3DSetAmbientLight(uint32_t colour) { D3DSetRenderState(RS_AMBIENT, colour); }

int32_t D3DLightCreate(const float colour[4], const float direction[3])
{
    int32_t slot = 0;
    while (slot < D3D_MAX_LIGHTS && D3DInfo.lights[slot] != 0) {
        ++slot;
    }
    if (slot == D3D_MAX_LIGHTS) Abort(__LINE__, "D3DLightCreate(): no free light slots");
    const HostColourValue c{colour[0], colour[1], colour[2], colour[3]};
    HostLight light{};
    light.kind = HOST_LIGHT_DIRECTIONAL;
    light.diffuse = light.specular = light.ambient = c;
    for (int32_t k = 0; k < 3; ++k) {
        light.direction[k] = direction[k];
    }
    light.attenuation[0] = 1.0f;
    HostDevice* const device = D3DGetD3DDevice7();
    DXCheck(HostDeviceSetLight(device, slot, light), "dxd3d", "D3DD7_SetLight");
    DXCheck(HostDeviceLightEnable(device, slot, true), "dxd3d", "D3DD7_LightEnable");
    D3DInfo.lights[slot] = 1;
    return slot;
}

void D3DLightEnable(int32_t slot, bool on)
{
    if (!LightInUse(slot)) Abort(__LINE__, "D3DLightEnable(): light doesn't exist");
    DXCheck(HostDeviceLightEnable(D3DGetD3DDevice7(), slot, on), "dxd3d", "D3DD7_LightEnable");
}

void D3DLightDestroy(int32_t slot)
{
    if (!LightInUse(slot)) Abort(__LINE__, "D3DLightDestroy(): light doesn't exist");
    DXCheck(HostDeviceLightEnable(D3DGetD3DDevice7(), slot, false), "dxd3d", "D3DD7_LightEnable");
    D3DInfo.lights[slot] = 0;
}

bool D3DZBufferFormatCallback(const HostPixelFormat& format, void* context)
{
    D3DZBufferContext& choice = *static_cast<D3DZBufferContext*>(context);
    if (!(format.flags & HOST_PF_ZBUFFER)) return true;
    const uint32_t depth = format.bitCount;
    const uint32_t stencil = (format.flags & HOST_PF_STENCIL) ? format.stencilBits : 0;
    const auto depthMask = static_cast<uint32_t>((uint64_t{1} << format.zBits) - 1);
    DebugPrintf(DBG_DIRECTDRAW, 40, "Zbuffer %d bits (0x%x) ", depth, depthMask);
    if (stencil != 0) {
        DebugPrintf(DBG_DIRECTDRAW, 40, "Stencil %d bits (0x%x) ", stencil,
                    ((1u << stencil) - 1) << format.zBits);
    }
    int32_t quality = -1;
    if (stencil >= choice.wantedStencil) {
        quality = depth == choice.wantedDepth ? 10 : depth > choice.wantedDepth ? 2 : 0;
        quality += stencil == choice.wantedStencil ? 6 : 1;
    }
    DebugPrintf(DBG_DIRECTDRAW, 40, "quality %d\n", quality);
    if (quality > choice.quality) {
        choice.best = format;
        choice.quality = quality;
    }
    return true;
}

bool D3DIsWindowed() { return WinIsWindowed(); }
