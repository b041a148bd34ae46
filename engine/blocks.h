// engine/blocks.h: the block routines that copy, fill, stretch and draw lines in byte buffers
// with their own pitches, off-screen buffers, and the 8x8 debug text printer.
#pragma once

#include <cstdint>

// Block routines move bytes: `width` is in bytes and a skip is the byte gap from the end of one
// row to the start of the next (pitch minus width). Rows and width are at least 1. Exactly
// `width` bytes of each destination row are written and nothing else.

void BlockCopy(int32_t rows, int32_t dstSkip, int32_t srcSkip, int32_t width, const uint8_t* src,
               uint8_t* dst);
// As BlockCopy, but source bytes of 0 are transparent: the destination byte stays.
void BlockCopyTrans(int32_t rows, int32_t dstSkip, int32_t srcSkip, int32_t width,
                    const uint8_t* src, uint8_t* dst);
// Byte k of each row (counted from the row's first byte) becomes byte k mod 4 of `pattern` as it
// lies in memory, so a pattern built from a 16-bit colour fills whole pixels from a row that
// starts on a pixel.
void BlockFill(uint32_t pattern, int32_t rows, int32_t width, int32_t skip, uint8_t* dst);

// Stretches an 8-bit source (its pitch is its width) to dstWidth x dstHeight at (x, y) of the
// destination, without filtering: 16.16 fixed-point steps. An empty source or destination draws
// nothing.
void BlockScaledCopy(int32_t x, int32_t y, int32_t srcWidth, int32_t srcHeight, const uint8_t* src,
                     int32_t dstWidth, int32_t dstHeight, uint8_t* dst, int32_t dstPitch);
// The same, leaving the destination under source bytes of 0.
void BlockScaledCopyTrans(int32_t x, int32_t y, int32_t srcWidth, int32_t srcHeight,
                          const uint8_t* src, int32_t dstWidth, int32_t dstHeight, uint8_t* dst,
                          int32_t dstPitch);

// An 8-bit off-screen buffer. The record and the pixels are tracked memory blocks.
struct BlockBuffer {
    uint16_t width16;  // the size, twice: as 16 and as 32 bits
    uint16_t height16;
    uint8_t* memory;
    uint32_t width;
    uint32_t height;
    uint32_t pitch;  // the width rounded up to a multiple of 16
};

// Allocates the record into *buffer and its zeroed pixels (Memory must be initialised).
void CreateBuffer(BlockBuffer** buffer, int32_t width, int32_t height);
void DestroyBuffer(BlockBuffer** buffer);  // frees the pixels, then the record; nulls *buffer

struct BlockPoint {
    int32_t x;
    int32_t y;
};

// Bresenham along the longer axis: max(|dx|, |dy|) pixels from (x0, y0), so the end point itself
// is not plotted and equal points plot nothing. Points outside the buffer are skipped. Answers
// the end point (x1, y1).
BlockPoint BlockDrawLine(BlockBuffer* buffer, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                         uint8_t colour);

constexpr int32_t BLOCK_PRINTF_MAX = 511;  // characters drawn of one formatted text

// Draws the text with the debug font, 8 pixels apart: set bits 0xFF, clear bits 0. Clipped to
// the buffer.
void BufferPrintf(BlockBuffer* buffer, int32_t x, int32_t y, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
// The same onto the drawing surface in one lock: 8-bit, or white and black in the screen's
// format. Clipped to the screen, as is the changed rectangle it reports. No mode: nothing.
void ScreenPrintf(int32_t x, int32_t y, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
