// engine/dxd3drs.h: the render-state and texture-stage cache over the 3D device: a set with the
// cached value costs one comparison, and the cache writes every listed state back after a task
// switch. Values are the device's own words (HostCompare, HostBlend, ... in engine/host/host.h).
#pragma once

#include <cstdint>

constexpr uint32_t D3D_RENDER_STATE_COUNT = 153;  // ids 0-152
constexpr uint32_t D3D_STAGE_STATE_COUNT = 25;    // ids 0-24 (1-24 are states)
constexpr int32_t D3D_STAGE_COUNT = 1;

// The render states the cache reads from the device and restores, by their numbers.
enum D3DRenderStateId : uint32_t {
    RS_ANTIALIAS = 2,
    RS_TEXTUREPERSPECTIVE = 4,
    RS_ZENABLE = 7,
    RS_FILLMODE = 8,
    RS_SHADEMODE = 9,
    RS_LINEPATTERN = 10,
    RS_ZWRITEENABLE = 14,
    RS_ALPHATESTENABLE = 15,
    RS_LASTPIXEL = 16,
    RS_SRCBLEND = 19,
    RS_DESTBLEND = 20,
    RS_CULLMODE = 22,
    RS_ZFUNC = 23,
    RS_ALPHAREF = 24,
    RS_ALPHAFUNC = 25,
    RS_DITHERENABLE = 26,
    RS_ALPHABLENDENABLE = 27,
    RS_FOGENABLE = 28,
    RS_SPECULARENABLE = 29,
    RS_ZVISIBLE = 30,
    RS_STIPPLEDALPHA = 33,
    RS_FOGCOLOR = 34,
    RS_FOGTABLEMODE = 35,
    RS_FOGSTART = 36,  // float
    RS_FOGEND = 37,    // float
    RS_FOGDENSITY = 38,
    RS_EDGEANTIALIAS = 40,
    RS_COLORKEYENABLE = 41,
    RS_ZBIAS = 47,
    RS_RANGEFOGENABLE = 48,
    RS_STENCILENABLE = 52,
    RS_STENCILFAIL = 53,
    RS_STENCILZFAIL = 54,
    RS_STENCILPASS = 55,
    RS_STENCILFUNC = 56,
    RS_STENCILREF = 57,
    RS_STENCILMASK = 58,
    RS_STENCILWRITEMASK = 59,
    RS_TEXTUREFACTOR = 60,
    RS_WRAP0 = 128,  // to RS_WRAP0 + 7
    RS_CLIPPING = 136,
    RS_LIGHTING = 137,
    RS_EXTENTS = 138,
    RS_AMBIENT = 139,
    RS_FOGVERTEXMODE = 140,
    RS_COLORVERTEX = 141,
    RS_LOCALVIEWER = 142,
    RS_NORMALIZENORMALS = 143,
    RS_COLORKEYBLENDENABLE = 144,
    RS_DIFFUSEMATERIALSOURCE = 145,
    RS_SPECULARMATERIALSOURCE = 146,
    RS_AMBIENTMATERIALSOURCE = 147,
    RS_EMISSIVEMATERIALSOURCE = 148,
    RS_VERTEXBLEND = 151,
    RS_CLIPPLANEENABLE = 152,
};

constexpr int32_t D3D_CACHED_RENDER_STATES = 65;  // the list, the fog three twice

// Clears every slot, then reads the listed render states and the 24 stage states from the
// device, and adds RenderstateTaskswitch to the task-switch list.
void D3DInitRenderStates();
void D3DUninitRenderStates();  // removes the task-switch function

// Id 153 or more: fatal abort "D3DSetRenderState(): render state out of range" (Get likewise).
void D3DSetRenderState(uint32_t id, uint32_t value);
void D3DSetRenderStateFloat(uint32_t id, float value);  // the float's bits
uint32_t D3DGetRenderState(uint32_t id);
float D3DGetRenderStateFloat(uint32_t id);
// State 25 or more: fatal abort "D3DSetTextureStageState(): invalid texture sgage"; a stage
// other than 0: "... Stage out of range" (Get: "D3DSetTextureStage(): ...").
void D3DSetTextureStageState(int32_t stage, uint32_t state, uint32_t value);
void D3DSetTextureStageStateFloat(int32_t stage, uint32_t state, float value);
uint32_t D3DGetTextureStageState(int32_t stage, uint32_t state);
float D3DGetTextureStageStateFloat(int32_t stage, uint32_t state);

// State 1 (active again): every listed render state and every stage state set on the device
// with its cached value. State 0: nothing.
void RenderstateTaskswitch(uint8_t state);
