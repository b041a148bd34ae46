// engine/blocks.cpp: the block routines that copy, fill, stretch and draw lines in byte buffers
// with their own pitches, off-screen buffers, and the 8x8 debug text printer.
#include "engine/blocks.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/colconv.h"
#include "engine/debug.h"
#include "engine/debugfont.h"
#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/memory.h"

namespace {

constexpr uint64_t kHighBits = 0x8080808080808080ull;

// 0xFF in every byte of the word that is not 0, 0x00 in the others.
uint64_t NonZeroBytes(uint64_t word)
{
    const uint64_t high = (word | ((word & ~kHighBits) + ~kHighBits)) & kHighBits;
    return (high >> 7) * 0xFF;
}

void CopyRowTrans(const uint8_t* src, uint8_t* dst, int32_t width)
{
    int32_t k = 0;
    // Eight bytes at a time without a branch per byte: source bytes where they are not 0, the
    // destination's elsewhere. A word of eight zeros is skipped whole.
    for (; k + 8 <= width; k += 8) {
        uint64_t word, under;
        std::memcpy(&word, src + k, 8);
        if (word == 0) continue;
        std::memcpy(&under, dst + k, 8);
        const uint64_t keep = NonZeroBytes(word);
        const uint64_t merged = (word & keep) | (under & ~keep);
        std::memcpy(dst + k, &merged, 8);
    }
    for (; k < width; ++k) {
        if (src[k] != 0) dst[k] = src[k];
    }
}

template <bool Transparent>
void ScaledCopy(int32_t x, int32_t y, int32_t srcWidth, int32_t srcHeight, const uint8_t* src,
                int32_t dstWidth, int32_t dstHeight, uint8_t* dst, int32_t dstPitch)
{
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0) return;
    const uint32_t stepX =
        (static_cast<uint32_t>(srcWidth) << 16) / static_cast<uint32_t>(dstWidth);
    const uint32_t stepY =
        (static_cast<uint32_t>(srcHeight) << 16) / static_cast<uint32_t>(dstHeight);
    size_t srcRow = 0;
    uint32_t fractionY = 0;
    uint8_t* dstRow = dst + static_cast<ptrdiff_t>(y) * dstPitch + x;
    for (int32_t row = 0; row < dstHeight; ++row) {
        const uint8_t* const line = src + srcRow * static_cast<size_t>(srcWidth);
        uint32_t position = 0;  // 16.16 along the source row
        for (int32_t col = 0; col < dstWidth; ++col) {
            const uint8_t value = line[position >> 16];
            if (!Transparent || value != 0) dstRow[col] = value;
            position += stepX;
        }
        dstRow += dstPitch;
        fractionY += stepY & 0xFFFF;
        srcRow += (stepY >> 16) + (fractionY >> 16);
        fractionY &= 0xFFFF;
    }
}

// Draws text with the debug font into pixels of `bytesPerPixel` bytes, clipped to the target.
struct TextTarget {
    uint8_t* memory;
    int32_t pitch;
    int32_t width;
    int32_t height;
    uint32_t bytesPerPixel;
    uint32_t setValue;
    uint32_t clearValue;
};

void DrawText(const TextTarget& target, int32_t x, int32_t y, const char* text)
{
    for (int32_t i = 0; text[i] != '\0'; ++i) {
        const DebugGlyph& glyph = DebugFontGlyph(static_cast<uint8_t>(text[i]));
        const int32_t left = x + DEBUGFONT_SIZE * i;
        for (int32_t row = 0; row < DEBUGFONT_SIZE; ++row) {
            const int32_t py = y + row;
            if (py < 0 || py >= target.height) continue;
            for (int32_t col = 0; col < DEBUGFONT_SIZE; ++col) {
                const int32_t px = left + col;
                if (px < 0 || px >= target.width) continue;
                const uint32_t value =
                    (glyph[row] & (0x80 >> col)) ? target.setValue : target.clearValue;
                std::memcpy(target.memory + static_cast<size_t>(py) * target.pitch
                                + static_cast<size_t>(px) * target.bytesPerPixel,
                            &value, target.bytesPerPixel);
            }
        }
    }
}

}  // namespace

void BlockCopy(int32_t rows, int32_t dstSkip, int32_t srcSkip, int32_t width, const uint8_t* src,
               uint8_t* dst)
{
    for (int32_t row = 0; row < rows; ++row) {
        std::memcpy(dst, src, static_cast<size_t>(width));
        src += width + srcSkip;
        dst += width + dstSkip;
    }
}

void BlockCopyTrans(int32_t rows, int32_t dstSkip, int32_t srcSkip, int32_t width,
                    const uint8_t* src, uint8_t* dst)
{
    for (int32_t row = 0; row < rows; ++row) {
        CopyRowTrans(src, dst, width);
        src += width + srcSkip;
        dst += width + dstSkip;
    }
}

void BlockFill(uint32_t pattern, int32_t rows, int32_t width, int32_t skip, uint8_t* dst)
{
    uint8_t bytes[4];
    std::memcpy(bytes, &pattern, 4);
    const bool oneByte = bytes[0] == bytes[1] && bytes[0] == bytes[2] && bytes[0] == bytes[3];
    for (int32_t row = 0; row < rows; ++row) {
        if (oneByte) {
            std::memset(dst, bytes[0], static_cast<size_t>(width));
        } else {
            for (int32_t k = 0; k < width; ++k) {
                dst[k] = bytes[k & 3];
            }
        }
        dst += width + skip;
    }
}

void BlockScaledCopy(int32_t x, int32_t y, int32_t srcWidth, int32_t srcHeight, const uint8_t* src,
                     int32_t dstWidth, int32_t dstHeight, uint8_t* dst, int32_t dstPitch)
{
    ScaledCopy<false>(x, y, srcWidth, srcHeight, src, dstWidth, dstHeight, dst, dstPitch);
}

void BlockScaledCopyTrans(int32_t x, int32_t y, int32_t srcWidth, int32_t srcHeight,
                          const uint8_t* src, int32_t dstWidth, int32_t dstHeight, uint8_t* dst,
                          int32_t dstPitch)
{
    ScaledCopy<true>(x, y, srcWidth, srcHeight, src, dstWidth, dstHeight, dst, dstPitch);
}

void CreateBuffer(BlockBuffer** buffer, int32_t width, int32_t height)
{
    const uint32_t pitch = (static_cast<uint32_t>(width) + 15) & ~15u;
    DebugPrintf(DBG_GRAPHICS, 30, "CreateBuffer(): making buffer %d,%d (%d bytes/line)\n", width,
                height, static_cast<int32_t>(pitch));
    AllocateMemory(buffer, sizeof(BlockBuffer), MEM_TYPE_GAME);
    BlockBuffer& record = **buffer;
    record.width16 = static_cast<uint16_t>(width);
    record.height16 = static_cast<uint16_t>(height);
    record.width = static_cast<uint32_t>(width);
    record.height = static_cast<uint32_t>(height);
    record.pitch = pitch;
    AllocateMemory(&record.memory, pitch * record.height, MEM_TYPE_GAME);
}

void DestroyBuffer(BlockBuffer** buffer)
{
    DebugPrintf(DBG_GRAPHICS, 30, "DestroyBuffer(): destroying buffer %d,%d\n",
                static_cast<int32_t>((*buffer)->width), static_cast<int32_t>((*buffer)->height));
    FreeMemory(&(*buffer)->memory);
    FreeMemory(buffer);
}

BlockPoint BlockDrawLine(BlockBuffer* buffer, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                         uint8_t colour)
{
    const int32_t dx = std::abs(x1 - x0);
    const int32_t dy = std::abs(y1 - y0);
    const bool alongX = dx >= dy;
    const int32_t major = alongX ? dx : dy;
    const int32_t minor = alongX ? dy : dx;
    const int32_t stepMajor = (alongX ? x1 - x0 : y1 - y0) < 0 ? -1 : 1;
    const int32_t stepMinor = (alongX ? y1 - y0 : x1 - x0) < 0 ? -1 : 1;
    int32_t a = alongX ? x0 : y0;  // the major coordinate
    int32_t b = alongX ? y0 : x0;
    int32_t error = 2 * minor - major;
    for (int32_t i = 0; i < major; ++i) {
        const int32_t x = alongX ? a : b;
        const int32_t y = alongX ? b : a;
        if (x >= 0 && y >= 0 && static_cast<uint32_t>(x) < buffer->width
            && static_cast<uint32_t>(y) < buffer->height)
            buffer->memory[static_cast<size_t>(y) * buffer->pitch + x] = colour;
        while (error >= 0) {
            b += stepMinor;
            error -= 2 * major;
        }
        a += stepMajor;
        error += 2 * minor;
    }
    return {x1, y1};
}

void BufferPrintf(BlockBuffer* buffer, int32_t x, int32_t y, const char* format, ...)
{
    char text[BLOCK_PRINTF_MAX + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    const TextTarget target = {buffer->memory,
                               static_cast<int32_t>(buffer->pitch),
                               static_cast<int32_t>(buffer->width),
                               static_cast<int32_t>(buffer->height),
                               1,
                               0xFF,
                               0};
    DrawText(target, x, y, text);
}

void ScreenPrintf(int32_t x, int32_t y, const char* format, ...)
{
    if (!IsGraphicMode()) return;
    char text[BLOCK_PRINTF_MAX + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);

    const bool hiColour = GfxGraphicMode() == GFX_MODE_HICOLOUR;
    const ColFmt& screenFormat = GfxScreenFormat();
    const auto width = static_cast<int32_t>(ScreenWidth());
    const auto height = static_cast<int32_t>(ScreenHeight());
    DDrawScreen* screen = nullptr;
    DDrawBeginDraw(&screen);
    const TextTarget target = {screen->memory,
                               static_cast<int32_t>(screen->pitch),
                               width,
                               height,
                               GfxBytesPerPixel(),
                               hiColour ? ColConvMakePixel(screenFormat, 255, 255, 255, 255) : 0xFF,
                               hiColour ? ColConvMakePixel(screenFormat, 0, 0, 0, 255) : 0};
    DrawText(target, x, y, text);
    const int32_t left = std::max(x, 0);
    const int32_t top = std::max(y, 0);
    const auto textWidth = static_cast<int32_t>(DEBUGFONT_SIZE * std::strlen(text));
    const int32_t right = std::min(x + textWidth, width);
    const int32_t bottom = std::min(y + DEBUGFONT_SIZE, height);
    DDrawEndDraw(&screen, left, top, std::max(right - left, 0), std::max(bottom - top, 0));
}
