// engine/gfx.cpp: the 2D graphics layer: the display started and stopped, graphics modes chosen by
// their number in the sorted mode table, the 8-bit palette, and whole-screen and rectangle
// operations on the drawing surface.
#include "engine/gfx.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "engine/blocks.h"
#include "engine/colconv.h"
#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/mouse.h"

namespace {

struct GfxState {
    bool initialised;
    uint32_t initFlags;
    uint16_t graphicsMode;  // GfxGraphicsMode
    uint32_t modeFlags;
    uint32_t width;
    uint32_t height;
    uint32_t bytesPerPixel;
    uint8_t palette[GFX_PALETTE_BYTES];
    ColFmt screenFormat;
};

GfxState s_gfx;

constexpr auto kKindNames =
    std::to_array<const char*>({"256 colour", "16 bit colour", "24 bit colour", "32 bit colour"});
static_assert(kKindNames.size() == DDRAW_KIND_COUNT);

// The drawing surface locked for one operation; nullptr, and nothing locked, while no mode is set.
DDrawScreen* Lock()
{
    if (s_gfx.graphicsMode == GFX_MODE_NONE) return nullptr;
    DDrawScreen* screen = nullptr;
    DDrawBeginDraw(&screen);
    return screen;
}

void Unlock(DDrawScreen* screen, int32_t x, int32_t y, int32_t width, int32_t height)
{
    DDrawEndDraw(&screen, x, y, width, height);
}

uint8_t* PixelAddress(const DDrawScreen* screen, int32_t x, int32_t y)
{
    return screen->memory + static_cast<size_t>(y) * screen->pitch
           + static_cast<size_t>(x) * s_gfx.bytesPerPixel;
}

// Copies a rectangle of a buffer whose rows are `srcPitch` bytes apart onto the screen.
void CopyRect(const uint8_t* src, int32_t srcPitch, int32_t x, int32_t y, int32_t width,
              int32_t height)
{
    DDrawScreen* screen = Lock();
    if (screen == nullptr) return;
    const int32_t rowBytes = width * static_cast<int32_t>(s_gfx.bytesPerPixel);
    BlockCopy(height, static_cast<int32_t>(screen->pitch) - rowBytes, srcPitch - rowBytes, rowBytes,
              src, PixelAddress(screen, x, y));
    Unlock(screen, x, y, width, height);
}

void LogModes()
{
    DebugPrintf(DBG_GRAPHICS, 10, "GfxInit(): available modes:\n");
    for (int32_t i = 0; i < DDrawModeCount; ++i) {
        const DDrawMode& mode = DDrawModes[i];
        DebugPrintf(DBG_GRAPHICS, 10, "%4d: %dx%d %s%s\n", i, mode.width, mode.height,
                    kKindNames[mode.kind], (mode.flags & MODE_USABLE_BY_3D) ? " (3d support)" : "");
    }
}

uint32_t Area(const DDrawMode& mode) { return uint32_t{mode.width} * mode.height; }

}  // namespace

void GfxInit(uint32_t initFlags)
{
    if (s_gfx.initialised) FatalAbort("gfx", __LINE__, "GfxInit(): already initialised");
    s_gfx = {};
    s_gfx.initialised = true;
    s_gfx.initFlags = initFlags;
    DDrawInit(initFlags);
    GfxSortModes();
    LogModes();
    OnExitAddEx(GfxUninit, "GfxUninit()");
}

void GfxUninit()
{
    if (!s_gfx.initialised) FatalAbort("gfx", __LINE__, "GfxUninit(): not initialised");
    OnExitRemove(GfxUninit);
    s_gfx = {};
    DDrawUninit();
}

bool GfxIsInitialised() { return s_gfx.initialised; }

void SetGraphicMode(int32_t mode, uint32_t modeFlags)
{
    if (s_gfx.graphicsMode != GFX_MODE_NONE)
        FatalError("Error: SetGraphicMode(): Cannot set graphics mode when already in graphics "
                   "mode\n");
    if (mode < 0 || mode >= DDrawModeCount)
        FatalError("Error: SetGraphicMode(): Bad mode number\n");
    const DDrawMode& row = DDrawModes[mode];
    s_gfx.width = row.width;
    s_gfx.height = row.height;
    s_gfx.bytesPerPixel = row.bytesPerPixel;
    s_gfx.modeFlags = modeFlags;
    DDrawSetMode(row, modeFlags);
    if (row.kind == DDRAW_KIND_8BIT) {
        for (int32_t i = 0; i < GFX_PALETTE_BYTES; ++i) {
            s_gfx.palette[i] = static_cast<uint8_t>(i / 3 / 4);
        }
        s_gfx.screenFormat = {};
        s_gfx.graphicsMode = GFX_MODE_8BIT;
    } else {
        DDrawGetScreenColourFormat(&s_gfx.screenFormat);
        s_gfx.graphicsMode = GFX_MODE_HICOLOUR;
    }
    OnExitAddEx(RestoreGraphicMode, "RestoreGraphicMode()");
    MouseModeChanged();
}

void RestoreGraphicMode()
{
    OnExitRemove(RestoreGraphicMode);
    if (s_gfx.graphicsMode == GFX_MODE_NONE)
        FatalError("Error: RestoreGraphicMode(): Cannot restore graphics mode - no mode set\n");
    GfxFillSurface(0);
    DDrawRestoreMode();
    s_gfx.graphicsMode = GFX_MODE_NONE;
    s_gfx.width = 0;
    s_gfx.height = 0;
}

bool IsGraphicMode() { return s_gfx.graphicsMode != GFX_MODE_NONE; }

uint16_t GfxGraphicMode() { return s_gfx.graphicsMode; }

uint32_t GfxBytesPerPixel() { return s_gfx.bytesPerPixel; }

const ColFmt& GfxScreenFormat() { return s_gfx.screenFormat; }

uint32_t ScreenWidth() { return s_gfx.width; }

uint32_t ScreenHeight() { return s_gfx.height; }

void GfxSortModes()
{
    // The table belongs to the display, which reads rows only by number: sorting it in place once,
    // before any number is handed out, keeps one list for both.
    std::stable_sort(DDrawModes, DDrawModes + DDrawModeCount,
                     [](const DDrawMode& a, const DDrawMode& b) {
                         if (a.kind != b.kind) return a.kind < b.kind;
                         return Area(a) < Area(b);
                     });
}

const DDrawMode* GfxModeList(int32_t* count)
{
    *count = DDrawModeCount;
    return DDrawModes;
}

int32_t GfxFindMode(int32_t width, int32_t height, int32_t kind)
{
    for (int32_t i = 0; i < DDrawModeCount; ++i) {
        const DDrawMode& mode = DDrawModes[i];
        if (mode.width == width && mode.height == height && mode.kind == kind) return i;
    }
    return -1;
}

int32_t GfxFindBestMode(int32_t width, int32_t height, int32_t kind, uint32_t flagMask,
                        uint32_t flagValue)
{
    int32_t best = -1;
    for (int32_t i = 0; i < DDrawModeCount; ++i) {
        const DDrawMode& mode = DDrawModes[i];
        if (mode.kind != kind || (mode.flags & flagMask) != flagValue) continue;
        if (mode.width < width || mode.height < height) continue;
        if (best < 0 || Area(mode) < Area(DDrawModes[best])) best = i;
    }
    return best;
}

void SetPalette(uint8_t palette[GFX_PALETTE_BYTES])
{
    std::memset(palette, 0, 3);
    std::memset(palette + GFX_PALETTE_BYTES - 3, 63, 3);
    if (s_gfx.graphicsMode == GFX_MODE_HICOLOUR)
        FatalError("Error: SetPalette(): Cannot set palette in hi-colour modes!\n");
    if (s_gfx.graphicsMode != GFX_MODE_8BIT) return;
    std::memcpy(s_gfx.palette, palette, GFX_PALETTE_BYTES);
    DDrawSetPalette(s_gfx.palette);
}

const uint8_t* GfxPalette() { return s_gfx.palette; }

void ShowDBuffer(const BlockBuffer* buffer)
{
    ShowDBuffer(0, 0, buffer, 0, 0, static_cast<int32_t>(buffer->width),
                static_cast<int32_t>(buffer->height));
}

void ShowDBuffer(int32_t dstX, int32_t dstY, const BlockBuffer* buffer, int32_t srcX, int32_t srcY,
                 int32_t width, int32_t height)
{
    if (s_gfx.graphicsMode == GFX_MODE_HICOLOUR) {
        std::printf("Error: ShowDBuffer(): Hi-clour not supported yet\n");
        return;
    }
    // Clipped to the buffer and to the screen: a rectangle that reaches past either would read or
    // write memory that is not theirs.
    const auto clip = [](int32_t* dst, int32_t* src, int32_t* size, int32_t srcSize,
                         int32_t dstSize) {
        const int32_t skip = std::max({0, -*dst, -*src});
        *dst += skip;
        *src += skip;
        *size = std::min({*size - skip, srcSize - *src, dstSize - *dst});
    };
    clip(&dstX, &srcX, &width, static_cast<int32_t>(buffer->width),
         static_cast<int32_t>(s_gfx.width));
    clip(&dstY, &srcY, &height, static_cast<int32_t>(buffer->height),
         static_cast<int32_t>(s_gfx.height));
    if (width <= 0 || height <= 0) return;
    CopyRect(buffer->memory + static_cast<size_t>(srcY) * buffer->pitch + srcX,
             static_cast<int32_t>(buffer->pitch), dstX, dstY, width, height);
}

uint32_t GfxReadPixel(int32_t x, int32_t y)
{
    DDrawScreen* screen = Lock();
    if (screen == nullptr) return 0;
    uint32_t value = 0;
    std::memcpy(&value, PixelAddress(screen, x, y), s_gfx.bytesPerPixel);
    Unlock(screen, 0, 0, 0, 0);
    return value;
}

void GfxFillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint8_t colour)
{
    DDrawScreen* screen = Lock();
    if (screen == nullptr) return;
    const int32_t rowBytes = width * static_cast<int32_t>(s_gfx.bytesPerPixel);
    BlockFill(colour * 0x01010101u, height, rowBytes,
              static_cast<int32_t>(screen->pitch) - rowBytes, PixelAddress(screen, x, y));
    Unlock(screen, x, y, width, height);
}

void GfxFillSurface(uint32_t pattern)
{
    DDrawScreen* screen = Lock();
    if (screen == nullptr) return;
    const auto rowBytes = static_cast<int32_t>(s_gfx.width * s_gfx.bytesPerPixel);
    BlockFill(pattern, static_cast<int32_t>(s_gfx.height), rowBytes,
              static_cast<int32_t>(screen->pitch) - rowBytes, screen->memory);
    Unlock(screen, 0, 0, static_cast<int32_t>(s_gfx.width), static_cast<int32_t>(s_gfx.height));
}

void GfxCopyRectToSurface(const BlockBuffer* buffer, int32_t srcX, int32_t srcY, int32_t width,
                          int32_t height, int32_t x, int32_t y)
{
    const size_t offset = static_cast<size_t>(srcY) * buffer->pitch
                          + static_cast<size_t>(srcX) * std::max(s_gfx.bytesPerPixel, 1u);
    CopyRect(buffer->memory + offset, static_cast<int32_t>(buffer->pitch), x, y, width, height);
}

void GfxCopyToSurface(const BlockBuffer* buffer)
{
    GfxCopyRectToSurface(buffer, 0, 0, static_cast<int32_t>(buffer->width),
                         static_cast<int32_t>(buffer->height), 0, 0);
}

void GfxPutBlock(const uint8_t* pixels, int32_t x, int32_t y, int32_t width, int32_t height,
                 int32_t pitch)
{
    CopyRect(pixels, pitch, x, y, width, height);
}

void DrawGraphicTrans(const uint8_t* graphic, int32_t x, int32_t y, int32_t width, int32_t height,
                      int32_t pitch)
{
    if (s_gfx.graphicsMode == GFX_MODE_HICOLOUR)
        FatalAbort("gfx", __LINE__,
                   "DrawGraphicTrans(): I havn't written a direct colour direct to screen "
                   "transparent for windows yet");
    DDrawScreen* screen = Lock();
    if (screen == nullptr) return;
    BlockCopyTrans(height, static_cast<int32_t>(screen->pitch) - width, pitch - width, width,
                   graphic, PixelAddress(screen, x, y));
    Unlock(screen, x, y, width, height);
}

void GfxFlip()
{
    if ((s_gfx.modeFlags & DDRAW_MODE_FLIPPABLE) == 0)
        FatalAbort("gfx", __LINE__, "GfxFlip(): mode is not a flippable mode");
    DDrawFlipBuffers();
}
