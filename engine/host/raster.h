// engine/host/raster.h: what the 3D device's own files share: the state one draw call rasterises
// with, vertices on the screen, and the rasteriser entry points. The rules
// they keep are written down in host.h.
#pragma once

#include <cstdint>

#include "engine/host/internal.h"

constexpr int32_t RASTER_MAX_LEVELS = 11;  // 1024 texels down to 1

struct RasterVertex {  // on the screen, after transform, lighting and clipping
    float x;           // pixels
    float y;
    float z;    // depth, 0-1
    float rhw;  // 1 / eye distance
    float r;    // 0-255
    float g;
    float b;
    float a;
    float u;
    float v;
};

struct TextureLevel {  // one mip level's 32-bit copy, 0xAARRGGBB, rows without padding
    const uint32_t* argb;
    uint32_t width;
    uint32_t height;
};

struct RasterTexture {
    TextureLevel levels[RASTER_MAX_LEVELS];
    int32_t levelCount;  // 0: no texture bound, sampled as opaque white
    // Each level's HostTexels version (0: none, never packed), and from RasterPrepare, where a
    // span routine stores texels as they stand, the levels in the target's own 16-bit layout.
    uint64_t versions[RASTER_MAX_LEVELS];
    const uint16_t* packed[RASTER_MAX_LEVELS];
};

// Everything a draw call needs, read once from the device's states.
struct RasterState {
    uint8_t* colour;  // the target's pixels
    int32_t pitch;
    int32_t bytesPerPixel;  // 2 or 4
    uint32_t shift[3];      // red, green, blue
    uint32_t bits[3];
    HostDepthView depth;  // depth.depth null without a z-buffer
    HostRect scissor;     // the viewport: nothing outside it is touched
    bool zTest;           // only with a z-buffer
    bool zWrite;          // only with the z test on
    uint32_t zFunc;
    double zScale;  // the largest depth integer
    bool stencil;   // only with stencil bits
    uint32_t stencilFunc;
    uint32_t stencilRef;
    uint32_t stencilMask;
    uint32_t stencilWriteMask;
    uint32_t stencilFail;
    uint32_t stencilZFail;
    uint32_t stencilPass;
    uint32_t stencilMax;
    bool blend;
    uint32_t sourceBlend;
    uint32_t destBlend;
    bool fog;
    float fogStart;
    float fogEnd;
    uint32_t fogRgb[3];
    bool flat;
    bool perspective;
    uint32_t colourOp;
    uint32_t colourArg1;
    uint32_t colourArg2;
    uint32_t alphaOp;
    uint32_t alphaArg1;
    uint32_t alphaArg2;
    RasterTexture texture;
    uint32_t magFilter;
    uint32_t minFilter;
    uint32_t mipFilter;
    float lodBias;
    int32_t spanRoutine;  // chosen by RasterPrepare for the whole draw call
    // Without a linear mip filter, the texel-to-pixel ratios from which each level choice starts
    // (see TextureChoiceOf), so that a run finds its level without a logarithm; RasterPrepare.
    float choiceFrom[RASTER_MAX_LEVELS + 1];
    int32_t choiceCount;
};

// Chooses the span routine a draw call's triangles use, once its state is filled in.
void RasterPrepare(RasterState* state);

// Rasterisers (raster.cpp). A triangle's corners in any order; `flat` carries the flat-shading
// colour (the first corner's). Each answers whether it drew anything at all.
bool RasterTriangle(const RasterState& state, const RasterVertex& a, const RasterVertex& b,
                    const RasterVertex& c, const RasterVertex& flat);
void RasterLine(const RasterState& state, const RasterVertex& a, const RasterVertex& b);
void RasterPoint(const RasterState& state, const RasterVertex& a);
