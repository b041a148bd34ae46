// engine/gfx.h: the 2D graphics layer: the display started and stopped, graphics modes chosen by
// their number in the sorted mode table, the 8-bit palette, and whole-screen and rectangle
// operations on the drawing surface.
#pragma once

#include <cstdint>

#include "engine/dxdraw.h"

struct BlockBuffer;
struct ColFmt;

enum GfxGraphicsMode : uint16_t {
    GFX_MODE_NONE,
    GFX_MODE_8BIT,      // palettised
    GFX_MODE_HICOLOUR,  // 16, 24 or 32 bits per pixel
};

constexpr int32_t GFX_PALETTE_BYTES = 256 * 3;  // 6-bit red, green, blue per entry

// Starts the display (DDrawInit with `initFlags`, bit 0: with the 3D device), sorts the mode
// table (kind, then area; mode numbers index it from then on), logs it on the "graphics" channel
// and registers "GfxUninit()" as exit function. Twice: fatal abort "GfxInit(): already
// initialised".
void GfxInit(uint32_t initFlags);
// Not initialised: fatal abort "GfxUninit(): not initialised".
void GfxUninit();
bool GfxIsInitialised();

// Sets mode `mode` of the table with DDrawModeFlags (bit 0 flippable): an 8-bit mode gets the
// grey ramp as palette; the mouse must be reset before its next read. A mode already set, or a
// number out of range, is a fatal error.
void SetGraphicMode(int32_t mode, uint32_t modeFlags);
// Clears the drawing surface and leaves the mode; fatal error when no mode is set.
void RestoreGraphicMode();
bool IsGraphicMode();
uint16_t GfxGraphicMode();  // GfxGraphicsMode
uint32_t GfxBytesPerPixel();
const ColFmt& GfxScreenFormat();  // the hi-colour screen's format; all zero otherwise
uint32_t ScreenWidth();           // of the current mode, 0 when none
uint32_t ScreenHeight();

// The mode table (DDrawModes) sorted once by kind, then by width x height.
void GfxSortModes();
// The sorted rows and their count.
const DDrawMode* GfxModeList(int32_t* count);
// The index of the first mode of exactly this size and kind (DDrawModeKind), or -1.
int32_t GfxFindMode(int32_t width, int32_t height, int32_t kind);
// Among the modes of this kind whose flags under `flagMask` equal `flagValue` and that are at
// least this large, the one of smallest area (the first of equals); -1 when none.
int32_t GfxFindBestMode(int32_t width, int32_t height, int32_t kind, uint32_t flagMask,
                        uint32_t flagValue);

// Forces entry 0 of the caller's palette to black and 255 to white, in the caller's array, then
// in an 8-bit mode shows it. Hi-colour: fatal error. No mode: only the caller's entries change.
void SetPalette(uint8_t palette[GFX_PALETTE_BYTES]);
const uint8_t* GfxPalette();  // the layer's copy of the current palette

// Operations on the drawing surface. Each locks, draws and unlocks, and does nothing while no
// mode is set. Rectangles are in pixels; in hi-colour modes buffers hold screen-format pixels
// and their pitch is in bytes.

// The whole 8-bit buffer at (0, 0).
void ShowDBuffer(const BlockBuffer* buffer);
// A rectangle of the 8-bit buffer at (dstX, dstY), clipped to the buffer and the screen.
// Hi-colour modes: "Error: ShowDBuffer(): Hi-clour not supported yet\n" and nothing drawn.
void ShowDBuffer(int32_t dstX, int32_t dstY, const BlockBuffer* buffer, int32_t srcX, int32_t srcY,
                 int32_t width, int32_t height);
// The pixel's bytes (1 in 8-bit modes, else bytes per pixel); 0 when no mode is set.
uint32_t GfxReadPixel(int32_t x, int32_t y);
// Fills with the 8-bit colour repeated into every byte.
void GfxFillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint8_t colour);
void GfxFillSurface(uint32_t pattern);  // BlockFill of the whole surface
void GfxCopyRectToSurface(const BlockBuffer* buffer, int32_t srcX, int32_t srcY, int32_t width,
                          int32_t height, int32_t x, int32_t y);
void GfxCopyToSurface(const BlockBuffer* buffer);  // the whole buffer at (0, 0)
void GfxPutBlock(const uint8_t* pixels, int32_t x, int32_t y, int32_t width, int32_t height,
                 int32_t pitch);
// 8-bit only, bytes of 0 transparent; hi-colour: fatal abort.
void DrawGraphicTrans(const uint8_t* graphic, int32_t x, int32_t y, int32_t width, int32_t height,
                      int32_t pitch);
// Shows the back buffer; a mode set without DDRAW_MODE_FLIPPABLE: fatal abort.
void GfxFlip();
