// engine/colconv.h: the colour-format record and the conversion of single pixels between formats.
#pragma once

#include <cstdint>

struct HostPixelFormat;

enum ColComponentIndex : int32_t { COL_RED, COL_GREEN, COL_BLUE, COL_ALPHA, COL_COMPONENTS };

struct ColComponent {
    uint32_t shift;  // zero bits below the mask
    uint32_t bits;   // 0: the component is absent (mask 0)
    uint32_t mask;
};

// Fifteen u32 in order: red, green, blue, alpha, the OR of the four masks, bytes and bits per
// pixel. A palettised format is the all-zero record.
struct ColFmt {
    ColComponent comp[COL_COMPONENTS];
    uint32_t allBitsMask;
    uint32_t bytesPerPixel;
    uint32_t bitsPerPixel;
};

static_assert(sizeof(ColFmt) == 15 * sizeof(uint32_t));

constexpr int32_t COLCONV_FORMAT_NAME_SIZE = 64;

// Splits a mask into shift and bits; a mask whose ones are not one run is a fatal abort
// "Mask2ColComponent(): failed to generate correct Bits & Shift from Mask". Mask 0: all zero.
void Mask2ColComponent(uint32_t mask, ColComponent* component);

// Widens by repeating the value's bits (5-bit 31 becomes 8-bit 255), narrows by dropping the low
// bits, so primary colours survive any round trip.
uint32_t ColConvComponent(uint32_t value, uint32_t fromBits, uint32_t toBits);

// Every component of `to` taken from `from`; a component absent from `from` comes out 0.
uint32_t ColConvPixel(uint32_t value, const ColFmt& from, const ColFmt& to);

// The pixel of 8-bit components r, g, b, a in `format`.
uint32_t ColConvMakePixel(const ColFmt& format, uint32_t r, uint32_t g, uint32_t b, uint32_t a);

// One pixel of the format's 1 to 4 bytes, little-endian; another size prints
// "ColConvertRead(): unknown pixel format\n" (or ...Write) and is a fatal abort.
uint32_t ColConvertRead(const void* address, const ColFmt& format);
void ColConvertWrite(void* address, const ColFmt& format, uint32_t value);

// "%d bit R%0*X G%0*X B%0*X A%0*X": bits per pixel and the four masks, each with two hex digits
// per byte of pixel.
void ColConvFormatName(char (&buffer)[COLCONV_FORMAT_NAME_SIZE], const ColFmt& format);

// Fills `format` from a host pixel format. Neither RGB nor alpha-only is a fatal abort
// "DDrawPixelFormat2ColFmt(): non-rgb pixel formats cannot be converted"; palettised formats give
// the all-zero record.
void DDrawPixelFormat2ColFmt(const HostPixelFormat& pixelFormat, ColFmt* format);

// Converts `count` pixels; identical formats only log "ColConvMemory(): both formats are
// identical - not converting\n" (the "graphics" channel) and leave the destination alone.
void ColConvMemory(const void* src, const ColFmt& from, void* dst, const ColFmt& to,
                   uint32_t count);
// A width x height rectangle, row by row; pitches in bytes.
void ColConvBlock(const void* src, int32_t srcPitch, const ColFmt& from, void* dst,
                  int32_t dstPitch, const ColFmt& to, int32_t width, int32_t height);
// Palette indices to pixels: entry i of `palette` is a pixel of `paletteFormat`.
void ColConvPalettedRow(const uint8_t* indices, uint32_t count, const void* palette,
                        const ColFmt& paletteFormat, void* dst, const ColFmt& to);
// Converts a tracked block of `count` indices in place into pixels of `to`, resizing the block
// (*image may move); growing pixels are converted from the last backwards.
void ColConvPalettedImage(uint8_t** image, uint32_t count, const void* palette,
                          const ColFmt& paletteFormat, const ColFmt& to);
// Halves an image in place: each pixel the mean of a 2 x 2 square, component by component. An
// odd or zero width or height is a fatal abort "ColConvHalveImageSize(): width or height is odd
// (or zero sized)".
void ColConvHalveImageSize(void* image, int32_t width, int32_t height, const ColFmt& format);

// The 256-colour cube: 6 levels of red, 7 of green, 6 of blue at indices 1-252.
uint8_t ColConvRGB565To8(uint16_t colour);
// In place: output byte i is written over the start of the 16-bit row.
void ColConvRow565To8(void* row, uint32_t count);
void ColConvRow565To8Keyed(void* row, uint32_t count, uint16_t key);  // the key colour gives 0
// Entry 1 + r x 42 + g x 6 + b of a 6-bit palette is (r x 64 / 6, g x 64 / 7, b x 64 / 6);
// entries 0 and 253-255, which no conversion gives, are black.
void ColConvMakeCubePalette(uint8_t palette[256 * 3]);
