// engine/dxd3dtex.h: textures for the 3D device: the formats it offers and the choice among them,
// images adapted to its limits (powers of two, square, smallest and largest sizes, aspect),
// mip-maps, conversion, and small integer handles.
#pragma once

#include <cstdint>

#include "engine/colconv.h"
#include "engine/host/host.h"

constexpr int32_t MAX_TEXTURE_FORMATS = 32;
constexpr int32_t D3DTEX_MAX_TEXTURES = 1024;
constexpr int32_t D3DTEX_NULL_FORMAT = -1;  // what D3DTexFindTextureFormat gives for no match
constexpr int32_t D3DTEX_NO_TEXTURE = -1;   // the current handle with nothing bound

// Format request words of D3DTexFindTextureFormat (only the low byte is read).
enum D3DTexRequest : uint32_t {
    D3DTEX_SOLID = 0x1,        // no alpha wanted
    D3DTEX_TRANSPARENT = 0x2,  // one-bit alpha
    D3DTEX_SEMI = 0x3,         // several alpha bits
    D3DTEX_PALETTED = 0x4,     // any request with this bit asks for a paletted format
    D3DTEX_KIND_MASK = 0xF,
    D3DTEX_DEPTH_8 = 0x10,
    D3DTEX_DEPTH_16 = 0x20,
    D3DTEX_DEPTH_32 = 0x30,
    D3DTEX_DEPTH_MASK = 0xF0,
};

// Creation flags of D3DTexAdvancedCreateTexture (OR-ed with the global flags).
enum D3DTexFlags : uint32_t {
    D3DTEX_SOURCE_RGBA = 0x1,  // 32-bit R, G, B, A bytes in memory order: the only source
    D3DTEX_WANT_16BIT = 0x10,
    D3DTEX_WANT_32BIT = 0x20,    // wins over 0x10
    D3DTEX_ALPHA_SOLID = 0x100,  // bits 8-11: the alpha kind; 0 decides from the pixels
    D3DTEX_ALPHA_TRANSPARENT = 0x200,
    D3DTEX_ALPHA_SEMI = 0x300,
    D3DTEX_ALPHA_MASK = 0xF00,
    D3DTEX_MIPMAPS = 0x1000,
    D3DTEX_NO_MIPMAPS = 0x2000,  // wins over 0x1000
    D3DTEX_HALF_SIZE = 0x10000,
    D3DTEX_SQUARE = 0x20000,
};

struct D3DTexFormat {
    uint32_t paletted;
    ColFmt colFmt;
    HostPixelFormat pixelFormat;
};

// Clears the tables and reads the device's formats (called by D3DInitDevice).
void D3DTexInit();
// Destroys every texture left, with "Warning: D3DTexUninit(): texture %d not released\n".
void D3DTexUninit();
uint32_t D3DTexSetGlobalFlags(uint32_t flags);  // the previous flags

// A texture made from the power-of-two image at *owner + offset (a tracked block, adapted in
// place and freed here); its handle. Fatal aborts: "... unknown format" (no 0x1), "... texture
// size must be a power of two", "... unknown alpha format", and the format table's and the
// texture table's own.
int32_t D3DTexAdvancedCreateTexture(uint32_t width, uint32_t height, void** owner, uint32_t offset,
                                    uint32_t flags);
// A texture of `mipmaps` levels (0: one) of pixels already in format `format`, one level after
// the other. Fatal abort "D3DTexCreateTextureEx(): cannot create any more textures".
int32_t D3DTexCreateTextureEx(uint32_t width, uint32_t height, uint32_t mipmaps, const void* pixels,
                              int32_t format);
int32_t D3DTexCreateTexture(uint32_t width, uint32_t height, const void* pixels, int32_t format);
void D3DTexDestroyTexture(int32_t handle);
void D3DTexSetCurrentHandle(int32_t handle);  // -1: none; the current handle again: nothing
HostSurface* D3DTexAccessDDrawSurface(int32_t handle);
int32_t D3DTexReadTextureFormat(int32_t handle);
// The best format for a request word, or -1 (D3DTEX_NULL_FORMAT).
int32_t D3DTexFindTextureFormat(uint16_t request);
const ColFmt* D3DTexGetTextureFormat(int32_t format);

// For tests: the formats found and the default depth code.
int32_t D3DTexFormatCount();
uint32_t D3DTexDefaultDepth();
