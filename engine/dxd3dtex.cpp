// engine/dxd3dtex.cpp: textures for the 3D device.
#include "engine/dxd3dtex.h"

#include <cstring>

#include "engine/debug.h"
#include "engine/dxd3d.h"
#include "engine/dxdraw.h"
#include "engine/dxenum.h"
#include "engine/dxerror.h"
#include "engine/fatal.h"
#include "engine/memory.h"

namespace {

constexpr uint32_t kSourceBytes = 4;  // RGBA

struct TextureSlot {
    HostSurface* surface;  // null while free
    uint32_t levels;       // 1 without mip-maps
    int32_t format;
};

struct TexState {
    D3DTexFormat formats[MAX_TEXTURE_FORMATS];
    int32_t formatCount;
    TextureSlot textures[D3DTEX_MAX_TEXTURES];
    int32_t currentHandle;
    uint32_t globalFlags;
    uint32_t defaultDepth;
};

TexState s_tex;

// The source image's format: R, G, B, A bytes in memory order.
constexpr ColFmt kRgba = {
    {{0, 8, 0xFF}, {8, 8, 0xFF00}, {16, 8, 0xFF0000}, {24, 8, 0xFF000000}}, 0xFFFFFFFF, 4, 32};

[[noreturn]] void Abort(int32_t line, const char* message)
{
    FatalAbort("dxd3dtex", line, message);
}

bool PowerOfTwo(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

uint32_t AlphaBits(const D3DTexFormat& format) { return format.colFmt.comp[COL_ALPHA].bits; }

bool EnumTextureFormatsCallback(const HostPixelFormat& format, void*)
{
    if (!(format.flags & HOST_PF_RGB)) {
        DebugPrintf(DBG_DIRECT3D, 60,
                    "EnumTextureFormatsCallback(): non-RGB based format - skipping\n");
        return true;
    }
    const uint32_t masks[4] = {format.redMask, format.greenMask, format.blueMask, format.alphaMask};
    for (int32_t a = 0; a < 4; ++a) {
        for (int32_t b = a + 1; b < 4; ++b) {
            if ((masks[a] & masks[b]) == 0) continue;
            DebugPrintf(DBG_DIRECT3D, 20,
                        "EnumTextureFormatsCallback(): skipping bad format (overlapping masks) - "
                        "probably a driver bug\n");
            return true;
        }
    }
    D3DTexFormat entry{};
    entry.pixelFormat = format;
    DDrawPixelFormat2ColFmt(format, &entry.colFmt);
    char name[COLCONV_FORMAT_NAME_SIZE] = "paletted texture";
    if (format.flags & HOST_PF_PALETTE8) {
        if (format.bitCount != 8) {
            DebugPrintf(DBG_DIRECT3D, 60,
                        "EnumTextureFormatsCallback(): can only support 8 bit palette formats\n");
            return true;
        }
        entry.paletted = 1;
    } else {
        ColConvFormatName(name, entry.colFmt);
    }
    DebugPrintf(DBG_DIRECT3D, 60, "EnumTextureFormatsCallback(): Texture format %d: %s\n",
                s_tex.formatCount, name);
    if (s_tex.formatCount == MAX_TEXTURE_FORMATS) {
        DebugPrintf(DBG_DIRECT3D, 60,
                    "EnumTextureFormatsCallback(): too many texture formats found (increase "
                    "MAX_TEXTURE_FORMATS)\n");
        return false;
    }
    s_tex.formats[s_tex.formatCount++] = entry;
    return true;
}

uint32_t DepthCodeOf(uint32_t bits)
{
    if (bits == 8) return D3DTEX_DEPTH_8;
    if (bits == 24 || bits == 32) return D3DTEX_DEPTH_32;
    return D3DTEX_DEPTH_16;
}

// Checks a handle that must name a live texture; negative handles are out of range too.
TextureSlot& LiveSlot(int32_t handle, int32_t line, const char* outOfRange, const char* missing)
{
    if (handle < 0 || handle >= D3DTEX_MAX_TEXTURES) Abort(line, outOfRange);
    TextureSlot& slot = s_tex.textures[handle];
    if (slot.surface == nullptr) Abort(line, missing);
    return slot;
}

// The image's first pixel, wherever its block now is.
uint8_t* Pixels(void** owner, uint32_t offset) { return static_cast<uint8_t*>(*owner) + offset; }

void Grow(void** owner, uint32_t offset, uint32_t bytes) { ResizeMemory(owner, offset + bytes); }

// Each doubling works backwards from the last pixel, so that it runs in place.
void DoubleWidth(uint32_t* pixels, uint32_t w, uint32_t h)
{
    for (uint32_t y = h; y-- > 0;) {
        for (uint32_t x = w; x-- > 0;) {
            const uint32_t value = pixels[y * w + x];
            pixels[y * 2 * w + 2 * x] = value;
            pixels[y * 2 * w + 2 * x + 1] = value;
        }
    }
}

void DoubleHeight(uint32_t* pixels, uint32_t w, uint32_t h)
{
    for (uint32_t y = h; y-- > 0;) {
        std::memmove(pixels + 2 * y * w, pixels + y * w, w * kSourceBytes);
        std::memmove(pixels + (2 * y + 1) * w, pixels + y * w, w * kSourceBytes);
    }
}

void DoubleBoth(uint32_t* pixels, uint32_t w, uint32_t h)
{
    for (uint32_t y = h; y-- > 0;) {
        for (uint32_t x = w; x-- > 0;) {
            const uint32_t value = pixels[y * w + x];
            for (uint32_t row = 2 * y; row < 2 * y + 2; ++row) {
                pixels[row * 2 * w + 2 * x] = value;
                pixels[row * 2 * w + 2 * x + 1] = value;
            }
        }
    }
}

// The source pixels as 32-bit words: the block holds them 4-byte aligned from the offset.
uint32_t* Words(void** owner, uint32_t offset)
{
    return reinterpret_cast<uint32_t*>(Pixels(owner, offset));
}

void DoubleWidthInBlock(void** owner, uint32_t offset, uint32_t* w, uint32_t h)
{
    Grow(owner, offset, 2 * *w * h * kSourceBytes);
    DoubleWidth(Words(owner, offset), *w, h);
    *w *= 2;
}

void DoubleHeightInBlock(void** owner, uint32_t offset, uint32_t w, uint32_t* h)
{
    Grow(owner, offset, 2 * w * *h * kSourceBytes);
    DoubleHeight(Words(owner, offset), w, *h);
    *h *= 2;
}

void Halve(void** owner, uint32_t offset, uint32_t* w, uint32_t* h)
{
    DebugPrintf(DBG_DIRECT3D, 100, "D3DTexAdvancedCreateTexture(): Half size textures requested\n");
    ColConvHalveImageSize(Pixels(owner, offset), static_cast<int32_t>(*w), static_cast<int32_t>(*h),
                          kRgba);
    *w /= 2;
    *h /= 2;
}

// Steps 3 to 7: the image fitted to the device's limits.
void AdaptToDevice(const DXDeviceEntry* device, void** owner, uint32_t offset, uint32_t* w,
                   uint32_t* h, uint32_t* flags)
{
    if (device && (device->flags & DXDEV_SQUARE_TEXTURES)) *flags |= D3DTEX_SQUARE;
    if (*flags & D3DTEX_SQUARE) {
        DebugPrintf(DBG_DIRECT3D, 100,
                    "D3DTexAdvancedCreateTexture(): Texture needs to be square\n");
        while (*w < *h) {
            DebugPrintf(DBG_DIRECT3D, 100,
                        "D3DTexAdvancedCreateTexture(): Size is %dx%d - doubling width\n", *w, *h);
            DoubleWidthInBlock(owner, offset, w, *h);
        }
        while (*w > *h) {
            DebugPrintf(DBG_DIRECT3D, 100,
                        "D3DTexAdvancedCreateTexture(): Size is %dx%d - doubling height\n", *w, *h);
            DoubleHeightInBlock(owner, offset, *w, h);
        }
    }
    if ((*flags & D3DTEX_HALF_SIZE) && *w > 1 && *h > 1) Halve(owner, offset, w, h);
    if (device == nullptr) return;
    const uint32_t aspect = device->maxTextureAspect;
    if (aspect != 0) {
        // Each doubling grows the block first, as every other doubling does.
        while (*w > *h && *w / *h > aspect) {
            DoubleHeightInBlock(owner, offset, *w, h);
        }
        while (*h > *w && *h / *w > aspect) {
            DoubleWidthInBlock(owner, offset, w, *h);
        }
    }
    if (device->maxTextureWidth && device->maxTextureHeight) {
        // An image one pixel thin cannot halve: ColConvHalveImageSize ends the program.
        while (*w > device->maxTextureWidth || *h > device->maxTextureHeight) {
            Halve(owner, offset, w, h);
        }
    }
    if (device->minTextureWidth && device->minTextureHeight) {
        while (*w < device->minTextureWidth || *h < device->minTextureHeight) {
            Grow(owner, offset, 4 * *w * *h * kSourceBytes);
            DoubleBoth(Words(owner, offset), *w, *h);
            *w *= 2;
            *h *= 2;
        }
    }
}

// Step 8: levels 2 to n after the first, each the 2 x 2 mean of the one before; n, or 0.
uint32_t MakeMipMaps(const DXDeviceEntry* device, void** owner, uint32_t offset, uint32_t w,
                     uint32_t h, uint32_t flags, uint32_t* totalPixels)
{
    *totalPixels = w * h;
    const bool wanted = device && (device->flags & DXDEV_MIPMAP_TEXTURES)
                        && (flags & D3DTEX_MIPMAPS) && !(flags & D3DTEX_NO_MIPMAPS) && w > 1
                        && h > 1;
    if (!wanted) {
        DebugPrintf(DBG_DIRECT3D, 100, "D3DTexAdvancedCreateTexture(): No mip-maps required\n");
        return 0;
    }
    DebugPrintf(DBG_DIRECT3D, 100, "D3DTexAdvancedCreateTexture(): generating mip-maps...\n");
    Grow(owner, offset, 2 * w * h * kSourceBytes);
    uint32_t levels = 1;
    for (uint32_t side = w < h ? w : h; side > 2; side /= 2) {
        ++levels;
    }
    uint32_t at = 0;  // the level's first pixel
    for (uint32_t level = 2; level <= levels; ++level) {
        uint32_t* const words = Words(owner, offset);
        const uint32_t next = at + w * h;
        std::memcpy(words + next, words + at, w * h * kSourceBytes);
        ColConvHalveImageSize(words + next, static_cast<int32_t>(w), static_cast<int32_t>(h),
                              kRgba);
        at = next;
        w /= 2;
        h /= 2;
        *totalPixels += w * h;
    }
    DebugPrintf(DBG_DIRECT3D, 100,
                "D3DTexAdvancedCreateTexture(): Total pixels now: %d for %d mip-maps\n",
                *totalPixels, levels);
    return levels;
}

// Step 9: transparent and partial pixels both: semi-transparent; transparent only: transparent;
// else solid.
uint32_t AlphaKindOfPixels(const uint32_t* pixels, uint32_t count)
{
    DebugPrintf(DBG_DIRECT3D, 100, "D3DTexAdvancedCreateTexture(): Calculating alpha optons...\n");
    bool transparent = false, partial = false;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t alpha = pixels[i] >> 24;
        transparent = transparent || alpha == 0;
        partial = partial || (alpha != 0 && alpha != 0xFF);
    }
    if (transparent && partial) return D3DTEX_ALPHA_SEMI;
    return transparent ? D3DTEX_ALPHA_TRANSPARENT : D3DTEX_ALPHA_SOLID;
}

uint16_t FormatRequest(uint32_t flags)
{
    uint32_t request = 0;
    switch (flags & D3DTEX_ALPHA_MASK) {
        case D3DTEX_ALPHA_SOLID:
            DebugPrintf(DBG_DIRECT3D, 100,
                        "D3DTexAdvancedCreateTexture(): Texture format is solid\n");
            request = D3DTEX_SOLID;
            break;
        case D3DTEX_ALPHA_TRANSPARENT:
            DebugPrintf(DBG_DIRECT3D, 100,
                        "D3DTexAdvancedCreateTexture(): Texture format is transparent\n");
            request = D3DTEX_TRANSPARENT;
            break;
        case D3DTEX_ALPHA_SEMI:
            DebugPrintf(DBG_DIRECT3D, 100,
                        "D3DTexAdvancedCreateTexture(): Texture format is semi-transparent\n");
            request = D3DTEX_SEMI;
            break;
        default: Abort(__LINE__, "D3DTexAdvancedCreateTexture(): unknown alpha format");
    }
    if (flags & D3DTEX_WANT_32BIT) {
        request |= D3DTEX_DEPTH_32;
    } else if (flags & D3DTEX_WANT_16BIT) {
        request |= D3DTEX_DEPTH_16;
    }
    return static_cast<uint16_t>(request);
}

int32_t FindFreeSlot()
{
    for (int32_t i = 0; i < D3DTEX_MAX_TEXTURES; ++i) {
        if (s_tex.textures[i].surface == nullptr) return i;
    }
    return -1;
}

// Copies `h` rows of `rowBytes` into a locked level and unlocks it.
void FillLevel(HostSurface* level, const uint8_t* source, uint32_t rowBytes, uint32_t h)
{
    void* bits = nullptr;
    int32_t pitch = 0;
    DXCheck(HostSurfaceLock(level, &bits, &pitch), "dxd3dtex", "DDS3_Lock", __LINE__,
            "D3DTexCreateTextureEx");
    for (uint32_t y = 0; y < h; ++y) {
        std::memcpy(static_cast<uint8_t*>(bits) + static_cast<size_t>(y) * pitch,
                    source + static_cast<size_t>(y) * rowBytes, rowBytes);
    }
    DXCheck(HostSurfaceUnlock(level), "dxd3dtex", "DDS3_Unlock", __LINE__, "D3DTexCreateTextureEx");
}

}  // namespace

void D3DTexInit()
{
    DebugPrintf(DBG_DIRECT3D, 80, "D3DTexInit(): initialising\n");
    s_tex = {};
    s_tex.currentHandle = D3DTEX_NO_TEXTURE;
    HostDevice* const device = D3DGetD3DDevice7();
    DXCheck(HostDeviceSetTexture(device, 0, nullptr), "dxd3dtex", "D3DD7_SetTexture");
    DXCheckWarn(HostDeviceEnumTextureFormats(device, EnumTextureFormatsCallback, nullptr),
                "dxd3dtex", "D3DD2_EnumTextureFormats");
    DebugPrintf(DBG_DIRECT3D, 40, "D3DTexInit(): found %d texture formats\n", s_tex.formatCount);
    s_tex.defaultDepth = D3DTEX_DEPTH_16;
    HostSurface* const drawing = DDrawGetDirectDrawSurface(DDRAW_SURFACE_DRAWING);
    HostPixelFormat format{};
    if (drawing && !HostFailed(HostSurfaceGetFormat(drawing, &format)))
        s_tex.defaultDepth = DepthCodeOf(format.bitCount);
}

void D3DTexUninit()
{
    DebugPrintf(DBG_DIRECT3D, 80, "D3DTexUninit(): uninitialising\n");
    D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
    for (int32_t i = 0; i < D3DTEX_MAX_TEXTURES; ++i) {
        if (s_tex.textures[i].surface == nullptr) continue;
        DebugPrintf(DBG_DIRECT3D, 20, "Warning: D3DTexUninit(): texture %d not released\n", i);
        D3DTexDestroyTexture(i);
    }
}

uint32_t D3DTexSetGlobalFlags(uint32_t flags)
{
    const uint32_t previous = s_tex.globalFlags;
    s_tex.globalFlags = flags;
    return previous;
}

int32_t D3DTexAdvancedCreateTexture(uint32_t width, uint32_t height, void** owner, uint32_t offset,
                                    uint32_t flags)
{
    flags |= s_tex.globalFlags;
    DebugPrintf(DBG_DIRECT3D, 80,
                "D3DTexAdvancedCreateTexture(): Creating a %dx%d texture - flags 0x%X\n", width,
                height, flags);
    if (!(flags & D3DTEX_SOURCE_RGBA))
        Abort(__LINE__, "D3DTexAdvancedCreateTexture(): unknown format");
    if (!PowerOfTwo(width) || !PowerOfTwo(height))
        Abort(__LINE__, "D3DTexAdvancedCreateTexture(): texture size must be a power of two");
    const DXDeviceEntry* const device = DXGetSelectedD3DDevice();
    uint32_t w = width, h = height;
    AdaptToDevice(device, owner, offset, &w, &h, &flags);
    uint32_t totalPixels = 0;
    const uint32_t levels = MakeMipMaps(device, owner, offset, w, h, flags, &totalPixels);
    if ((flags & D3DTEX_ALPHA_MASK) == 0)
        flags |= AlphaKindOfPixels(Words(owner, offset), totalPixels);
    const int32_t format = D3DTexFindTextureFormat(FormatRequest(flags));
    const ColFmt* const target = D3DTexGetTextureFormat(format);
    ColConvMemory(Pixels(owner, offset), kRgba, Pixels(owner, offset), *target, totalPixels);
    const int32_t handle = D3DTexCreateTextureEx(w, h, levels, Pixels(owner, offset), format);
    FreeMemory(owner);
    return handle;
}

int32_t D3DTexCreateTextureEx(uint32_t width, uint32_t height, uint32_t mipmaps, const void* pixels,
                              int32_t format)
{
    DebugPrintf(DBG_DIRECT3D, 20,
                "D3DTexCreateTextureEx(): Creating %d x %d texture (%d mip-maps)\n", width, height,
                mipmaps);
    const int32_t handle = FindFreeSlot();
    if (handle < 0) Abort(__LINE__, "D3DTexCreateTextureEx(): cannot create any more textures");
    D3DTexGetTextureFormat(format);  // checks the value
    const D3DTexFormat& entry = s_tex.formats[format];
    TextureSlot& slot = s_tex.textures[handle];
    slot = {};
    slot.format = format;

    const DXDeviceEntry* const device = DXGetSelectedD3DDevice();
    const uint32_t memory = device && (device->flags & DXDEV_HARDWARE) ? HOST_SURFACE_MANAGED
                                                                       : HOST_SURFACE_SYSTEM_MEMORY;
    const HostSurfaceDesc desc{
        HOST_SURFACE_TEXTURE, memory, static_cast<int32_t>(width),  static_cast<int32_t>(height),
        entry.pixelFormat,    0,      static_cast<int32_t>(mipmaps)};
    DXCheck(HostSurfaceCreate(DDrawGetDirectDraw(), desc, &slot.surface), "dxd3dtex",
            "sysmem DD7_CreateSurface");
    const uint32_t bytes = entry.colFmt.bitsPerPixel / 8;
    const auto* source = static_cast<const uint8_t*>(pixels);
    FillLevel(slot.surface, source, width * bytes, height);
    HostSurface* level = slot.surface;
    for (uint32_t n = 2; n <= mipmaps; ++n) {
        HostSurface* next = nullptr;
        DXCheck(HostSurfaceGetNextMipLevel(level, &next), "dxd3dtex", "DDS3_GetAttachedSurface");
        if (level != slot.surface) HostSurfaceRelease(level);
        level = next;
        source += static_cast<size_t>(width) * height * bytes;
        width /= 2;
        height /= 2;
        int32_t levelWidth = 0, levelHeight = 0;
        HostSurfaceSize(level, &levelWidth, &levelHeight);
        if (levelWidth != static_cast<int32_t>(width)
            || levelHeight != static_cast<int32_t>(height)) {
            HostSurfaceRelease(level);
            Abort(__LINE__, "D3DTexCreateTextureEx(): size mismatch for surface");
        }
        FillLevel(level, source, width * bytes, height);
    }
    if (level != slot.surface) HostSurfaceRelease(level);
    slot.levels = mipmaps ? mipmaps : 1;
    return handle;
}

int32_t D3DTexCreateTexture(uint32_t width, uint32_t height, const void* pixels, int32_t format)
{
    return D3DTexCreateTextureEx(width, height, 0, pixels, format);
}

void D3DTexDestroyTexture(int32_t handle)
{
    TextureSlot& slot =
        LiveSlot(handle, __LINE__, "D3DTexDestroyTexture(): texture handle out of range",
                 "D3DTexDestroyTexture(): texture doesn't exist");
    DebugPrintf(DBG_DIRECTDRAW, 80, "DX_SAFE_RELEASE(): releasing texture->lpSurface\n");
    HostSurfaceRelease(slot.surface);
    slot = {};
}

void D3DTexSetCurrentHandle(int32_t handle)
{
    if (handle == s_tex.currentHandle) return;
    if (handle == D3DTEX_NO_TEXTURE) {
        s_tex.currentHandle = handle;
        DXCheck(HostDeviceSetTexture(D3DGetD3DDevice7(), 0, nullptr), "dxd3dtex",
                "D3DD7_SetTexture");
        return;
    }
    const TextureSlot& slot =
        LiveSlot(handle, __LINE__, "D3DTexSetCurrentHandle(): texture handle out of range",
                 "D3DTexSetCurrentHandle(): texture doesn't exist");
    s_tex.currentHandle = handle;
    DXCheck(HostDeviceSetTexture(D3DGetD3DDevice7(), 0, slot.surface), "dxd3dtex",
            "D3DD7_SetTexture");
}

HostSurface* D3DTexAccessDDrawSurface(int32_t handle)
{
    return LiveSlot(handle, __LINE__, "D3DTexAccessDDrawSurface(): texture handle out of range",
                    "D3DTexAccessDDrawSurface(): texture doesn't exist")
        .surface;
}

int32_t D3DTexReadTextureFormat(int32_t handle)
{
    return LiveSlot(handle, __LINE__, "D3DTexReadTextureFormat(): texture handle out of range",
                    "D3DTexReadTextureFormat(): texture doesn't exist")
        .format;
}

int32_t D3DTexFindTextureFormat(uint16_t request)
{
    const uint32_t word = request & 0xFF;
    const uint32_t kind = word & D3DTEX_KIND_MASK;
    if (kind == 0) Abort(__LINE__, "D3DTexFindTextureFormat(): no D3DTEX_FORMAT_* value specified");
    if (kind & D3DTEX_PALETTED) {
        for (int32_t i = 0; i < s_tex.formatCount; ++i) {
            if (!s_tex.formats[i].paletted) continue;
            DebugPrintf(DBG_DIRECT3D, 20,
                        "D3DTexFindTextureFormat(): found palette based texture: %d\n", i);
            return i;
        }
        DebugPrintf(DBG_DIRECT3D, 20,
                    "D3DTexFindTextureFormat(): no texture format found matching 0x%04X\n",
                    request);
        return D3DTEX_NULL_FORMAT;
    }
    uint32_t depth = word & D3DTEX_DEPTH_MASK;
    if (depth == 0) depth = s_tex.defaultDepth;
    if (depth == 0) depth = D3DTEX_DEPTH_16;
    uint32_t wantedBits = 0;
    switch (depth) {
        case D3DTEX_DEPTH_8: wantedBits = 8; break;
        case D3DTEX_DEPTH_16: wantedBits = 16; break;
        case D3DTEX_DEPTH_32: wantedBits = 32; break;
        default: Abort(__LINE__, "D3DTexFindTextureFormat(): unknown bit depth requested");
    }
    int32_t best = D3DTEX_NULL_FORMAT;
    int32_t bestScore = -999999;
    for (int32_t i = 0; i < s_tex.formatCount; ++i) {
        const D3DTexFormat& format = s_tex.formats[i];
        if (format.paletted) continue;
        const auto a = static_cast<int32_t>(AlphaBits(format));
        int32_t score = 0;
        switch (kind) {
            case D3DTEX_SOLID: score = -a; break;
            case D3DTEX_TRANSPARENT: score = a == 1 ? 10 : a >= 2 ? 2 : 0; break;
            case D3DTEX_SEMI: score = a >= 4 ? 10 : a >= 2 ? 5 : a == 1 ? 1 : -50; break;
            default: Abort(__LINE__, "D3DTexFindTextureFormat(): unknown texture format");
        }
        const uint32_t bits = format.colFmt.bitsPerPixel;
        if (wantedBits > bits) score -= 50;
        if (wantedBits < bits) score -= 25;
        if (score > bestScore) {
            best = i;
            bestScore = score;
        }
    }
    if (best < 0) {
        DebugPrintf(DBG_DIRECT3D, 20,
                    "D3DTexFindTextureFormat(): no texture format found matching 0x%04X\n",
                    request);
        return D3DTEX_NULL_FORMAT;
    }
    char name[COLCONV_FORMAT_NAME_SIZE];
    ColConvFormatName(name, s_tex.formats[best].colFmt);
    DebugPrintf(DBG_DIRECT3D, 20, "D3DTexFindTextureFormat(): found %s matching 0x%04X\n", name,
                request);
    return best;
}

const ColFmt* D3DTexGetTextureFormat(int32_t format)
{
    if (format < 0 || format >= s_tex.formatCount)
        Abort(__LINE__,
              "D3DTexGetTextureFormat(): Format value out of range (was D3DTEX_NULL_FORMAT "
              "passed?)");
    return &s_tex.formats[format].colFmt;
}

int32_t D3DTexFormatCount() { return s_tex.formatCount; }

uint32_t D3DTexDefaultDepth() { return s_tex.defaultDepth; }
