// engine/colconv.cpp: the colour-format record and the conversion of single pixels between formats.
#include "engine/colconv.h"

#include <cstdio>
#include <cstring>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/host/host.h"
#include "engine/memory.h"

namespace {

constexpr ColFmt kEightBitComponents = {
    {{0, 8, 0xFF}, {8, 8, 0xFF00}, {16, 8, 0xFF0000}, {24, 8, 0xFF000000}},
    0xFFFFFFFF,
    4,
    32,
};

bool IsSupportedPixelSize(uint32_t bytesPerPixel)
{
    return bytesPerPixel >= 1 && bytesPerPixel <= 4;
}

// A pixel of 1 to 4 bytes, with the size known to the copy so that it needs no call.
uint32_t ReadSized(const uint8_t* at, uint32_t bytes)
{
    uint32_t value = 0;
    switch (bytes) {
        case 1: std::memcpy(&value, at, 1); break;
        case 2: std::memcpy(&value, at, 2); break;
        case 3: std::memcpy(&value, at, 3); break;
        default: std::memcpy(&value, at, 4); break;
    }
    return value;
}

void WriteSized(uint8_t* at, uint32_t bytes, uint32_t value)
{
    switch (bytes) {
        case 1: std::memcpy(at, &value, 1); break;
        case 2: std::memcpy(at, &value, 2); break;
        case 3: std::memcpy(at, &value, 3); break;
        default: std::memcpy(at, &value, 4); break;
    }
}

// ColConvPixel through one table per component, for runs of pixels: sources of up to 8 bits per
// component, which are all the formats the game converts in bulk; wider ones go pixel by pixel.
struct RunConverter {
    const ColFmt* from;
    const ColFmt* to;
    bool tabled;
    uint32_t table[COL_COMPONENTS][256];

    RunConverter(const ColFmt& source, const ColFmt& target) : from(&source), to(&target)
    {
        tabled = true;
        for (int32_t c = 0; c < COL_COMPONENTS; ++c) {
            const ColComponent& src = source.comp[c];
            const ColComponent& dst = target.comp[c];
            if (src.bits > 8) tabled = false;
            if (!tabled) return;
            for (uint32_t v = 0; v < (1u << src.bits); ++v) {
                table[c][v] = dst.bits == 0 ? 0
                                            : (ColConvComponent(v, src.bits, dst.bits) << dst.shift)
                                                  & dst.mask;
            }
        }
    }

    // Sizes of 0: the formats' own. The formats' masks and shifts are kept in locals: the byte
    // stores would otherwise make the compiler read them again for every pixel.
    template <uint32_t In, uint32_t Out>
    void RunSized(const uint8_t* in, uint8_t* out, uint32_t count) const
    {
        const uint32_t inBytes = In ? In : from->bytesPerPixel;
        const uint32_t outBytes = Out ? Out : to->bytesPerPixel;
        const uint32_t m0 = from->comp[0].mask, m1 = from->comp[1].mask;
        const uint32_t m2 = from->comp[2].mask, m3 = from->comp[3].mask;
        const uint32_t s0 = from->comp[0].shift, s1 = from->comp[1].shift;
        const uint32_t s2 = from->comp[2].shift, s3 = from->comp[3].shift;
        for (uint32_t i = 0; i < count; ++i) {
            const uint32_t p = ReadSized(in + i * inBytes, inBytes);
            WriteSized(out + i * outBytes, outBytes,
                       table[0][(p & m0) >> s0] | table[1][(p & m1) >> s1]
                           | table[2][(p & m2) >> s2] | table[3][(p & m3) >> s3]);
        }
    }

    // A run of pixels.
    void Run(const uint8_t* in, uint8_t* out, uint32_t count) const
    {
        if (!tabled) {
            for (uint32_t i = 0; i < count; ++i) {
                WriteSized(
                    out + i * to->bytesPerPixel, to->bytesPerPixel,
                    ColConvPixel(ReadSized(in + i * from->bytesPerPixel, from->bytesPerPixel),
                                 *from, *to));
            }
            return;
        }
        // Sizes known at compile time make each read and write a single move.
        switch (from->bytesPerPixel * 8 + to->bytesPerPixel) {
            case 2 * 8 + 4: RunSized<2, 4>(in, out, count); break;
            case 2 * 8 + 2: RunSized<2, 2>(in, out, count); break;
            case 4 * 8 + 2: RunSized<4, 2>(in, out, count); break;
            case 4 * 8 + 4: RunSized<4, 4>(in, out, count); break;
            default: RunSized<0, 0>(in, out, count); break;
        }
    }
};

}  // namespace

void Mask2ColComponent(uint32_t mask, ColComponent* component)
{
    *component = {};
    if (mask == 0) return;
    uint32_t shift = 0;
    while (((mask >> shift) & 1) == 0) {
        ++shift;
    }
    uint32_t bits = 0;
    while (shift + bits < 32 && ((mask >> (shift + bits)) & 1) != 0) {
        ++bits;
    }
    // 64-bit, so that a full 32-bit mask rebuilds without an overlong shift.
    const uint64_t rebuilt = ((uint64_t{1} << bits) - 1) << shift;
    if (rebuilt != mask) {
        FatalAbort("colconv", __LINE__,
                   "Mask2ColComponent(): failed to generate correct Bits & Shift from Mask");
    }
    *component = {shift, bits, mask};
}

uint32_t ColConvComponent(uint32_t value, uint32_t fromBits, uint32_t toBits)
{
    if (fromBits == toBits) return value;
    if (fromBits > toBits) return value >> (fromBits - toBits);
    uint32_t copy = value << (toBits - fromBits);
    uint32_t result = copy;
    while (fromBits > 0 && (copy >>= fromBits) != 0) {
        result |= copy;
    }
    return result;
}

uint32_t ColConvPixel(uint32_t value, const ColFmt& from, const ColFmt& to)
{
    uint32_t result = 0;
    for (int32_t c = 0; c < COL_COMPONENTS; ++c) {
        const ColComponent& src = from.comp[c];
        const ColComponent& dst = to.comp[c];
        if (dst.bits == 0) continue;
        const uint32_t part = ColConvComponent((value & src.mask) >> src.shift, src.bits, dst.bits);
        result |= (part << dst.shift) & dst.mask;
    }
    return result;
}

uint32_t ColConvMakePixel(const ColFmt& format, uint32_t r, uint32_t g, uint32_t b, uint32_t a)
{
    const uint32_t rgba = (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16 | (a & 0xFF) << 24;
    return ColConvPixel(rgba, kEightBitComponents, format);
}

uint32_t ColConvertRead(const void* address, const ColFmt& format)
{
    if (!IsSupportedPixelSize(format.bytesPerPixel)) {
        std::printf("ColConvertRead(): unknown pixel format\n");
        FatalAbort("colconv", __LINE__, "ColConvertRead(): unknown pixel format");
    }
    // Fixed sizes, so that each copy is one load instead of a byte loop.
    uint32_t value = 0;
    switch (format.bytesPerPixel) {
        case 4: std::memcpy(&value, address, 4); break;
        case 3: std::memcpy(&value, address, 3); break;
        case 2: std::memcpy(&value, address, 2); break;
        default: std::memcpy(&value, address, 1); break;
    }
    return value;
}

void ColConvertWrite(void* address, const ColFmt& format, uint32_t value)
{
    if (!IsSupportedPixelSize(format.bytesPerPixel)) {
        std::printf("ColConvertWrite(): unknown pixel format\n");
        FatalAbort("colconv", __LINE__, "ColConvertWrite(): unknown pixel format");
    }
    switch (format.bytesPerPixel) {
        case 4: std::memcpy(address, &value, 4); break;
        case 3: std::memcpy(address, &value, 3); break;
        case 2: std::memcpy(address, &value, 2); break;
        default: std::memcpy(address, &value, 1); break;
    }
}

void ColConvFormatName(char (&buffer)[COLCONV_FORMAT_NAME_SIZE], const ColFmt& format)
{
    const int digits = static_cast<int>(2 * format.bytesPerPixel);
    std::snprintf(buffer, sizeof buffer, "%d bit R%0*X G%0*X B%0*X A%0*X",
                  static_cast<int>(format.bitsPerPixel), digits, format.comp[COL_RED].mask, digits,
                  format.comp[COL_GREEN].mask, digits, format.comp[COL_BLUE].mask, digits,
                  format.comp[COL_ALPHA].mask);
}

void DDrawPixelFormat2ColFmt(const HostPixelFormat& pixelFormat, ColFmt* format)
{
    *format = {};
    if ((pixelFormat.flags & (HOST_PF_RGB | HOST_PF_ALPHA)) == 0) {
        FatalAbort("colconv", __LINE__,
                   "DDrawPixelFormat2ColFmt(): non-rgb pixel formats cannot be converted");
    }
    if (pixelFormat.flags & HOST_PF_PALETTE8) return;
    Mask2ColComponent(pixelFormat.redMask, &format->comp[COL_RED]);
    Mask2ColComponent(pixelFormat.greenMask, &format->comp[COL_GREEN]);
    Mask2ColComponent(pixelFormat.blueMask, &format->comp[COL_BLUE]);
    if (pixelFormat.flags & HOST_PF_ALPHA)
        Mask2ColComponent(pixelFormat.alphaMask, &format->comp[COL_ALPHA]);
    for (const ColComponent& component : format->comp) {
        format->allBitsMask |= component.mask;
    }
    format->bytesPerPixel = pixelFormat.bitCount / 8;
    format->bitsPerPixel = pixelFormat.bitCount;
}

void ColConvMemory(const void* src, const ColFmt& from, void* dst, const ColFmt& to, uint32_t count)
{
    if (std::memcmp(&from, &to, sizeof from) == 0) {
        DebugPrintf(DBG_GRAPHICS, 1,
                    "ColConvMemory(): both formats are identical - not converting\n");
        return;
    }
    if (count == 0) return;
    // The first pixel goes through the checked calls, so that a bad format fails as they do.
    ColConvertWrite(dst, to, ColConvPixel(ColConvertRead(src, from), from, to));
    const RunConverter convert(from, to);
    convert.Run(static_cast<const uint8_t*>(src) + from.bytesPerPixel,
                static_cast<uint8_t*>(dst) + to.bytesPerPixel, count - 1);
}

void ColConvBlock(const void* src, int32_t srcPitch, const ColFmt& from, void* dst,
                  int32_t dstPitch, const ColFmt& to, int32_t width, int32_t height)
{
    char fromName[COLCONV_FORMAT_NAME_SIZE];
    char toName[COLCONV_FORMAT_NAME_SIZE];
    ColConvFormatName(fromName, from);
    ColConvFormatName(toName, to);
    DebugPrintf(DBG_GRAPHICS, 30, "ColConvBlock(): converting from %s to %s\n", fromName, toName);
    const RunConverter convert(from, to);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = static_cast<const uint8_t*>(src) + static_cast<ptrdiff_t>(y) * srcPitch;
        uint8_t* out = static_cast<uint8_t*>(dst) + static_cast<ptrdiff_t>(y) * dstPitch;
        convert.Run(in, out, static_cast<uint32_t>(width));
    }
}

void ColConvPalettedRow(const uint8_t* indices, uint32_t count, const void* palette,
                        const ColFmt& paletteFormat, void* dst, const ColFmt& to)
{
    const auto* entries = static_cast<const uint8_t*>(palette);
    auto* out = static_cast<uint8_t*>(dst);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t entry =
            ColConvertRead(entries + indices[i] * paletteFormat.bytesPerPixel, paletteFormat);
        ColConvertWrite(out + i * to.bytesPerPixel, to, ColConvPixel(entry, paletteFormat, to));
    }
}

void ColConvPalettedImage(uint8_t** image, uint32_t count, const void* palette,
                          const ColFmt& paletteFormat, const ColFmt& to)
{
    const uint32_t bytes = to.bytesPerPixel;
    ResizeMemory(image, count * bytes);
    // Growing pixels are written from the last backwards, so that an index is read before the
    // pixels in front of it cover it; pixels of one byte cover only their own index.
    for (uint32_t n = 0; n < count; ++n) {
        const uint32_t i = bytes > 1 ? count - 1 - n : n;
        ColConvPalettedRow(*image + i, 1, palette, paletteFormat, *image + i * bytes, to);
    }
}

namespace {

// True when each component of a 32-bit format is a whole byte (or absent), as in 8-8-8-8.
bool HasByteComponents(const ColFmt& format)
{
    if (format.bytesPerPixel != 4) return false;
    for (const ColComponent& component : format.comp) {
        if (component.bits != 0 && (component.bits != 8 || component.shift % 8 != 0)) return false;
    }
    return true;
}

// The mean of four pixels component by component, rounded down.
uint32_t ComponentMean(const uint32_t (&square)[4], const ColFmt& format, bool byteComponents)
{
    uint32_t result = 0;
    if (byteComponents) {
        // Two bytes at a time: each lane's sum of four bytes stays below 2^16.
        constexpr uint32_t kLanes = 0x00FF00FF;
        uint32_t even = 0, odd = 0;
        for (uint32_t value : square) {
            even += value & kLanes;
            odd += value >> 8 & kLanes;
        }
        const uint32_t mean = (even >> 2 & kLanes) | (odd >> 2 & kLanes) << 8;
        for (const ColComponent& component : format.comp) {
            result |= mean & component.mask;  // a byte no component holds stays 0
        }
        return result;
    }
    for (const ColComponent& component : format.comp) {
        uint32_t sum = 0;
        for (uint32_t value : square) {
            sum += (value & component.mask) >> component.shift;
        }
        result |= ((sum / 4) << component.shift) & component.mask;
    }
    return result;
}

}  // namespace

void ColConvHalveImageSize(void* image, int32_t width, int32_t height, const ColFmt& format)
{
    if (width <= 0 || height <= 0 || width % 2 != 0 || height % 2 != 0)
        FatalAbort("colconv", __LINE__,
                   "ColConvHalveImageSize(): width or height is odd (or zero sized)");
    auto* pixels = static_cast<uint8_t*>(image);
    const uint32_t bytes = format.bytesPerPixel;
    const bool byteComponents = HasByteComponents(format);
    const auto at = [&](int32_t x, int32_t y) {
        return pixels + (static_cast<size_t>(y) * width + x) * bytes;
    };
    // Pixel by pixel in reading order: each result lands before any source still to be read.
    uint8_t* out = pixels;
    for (int32_t y = 0; y < height; y += 2) {
        for (int32_t x = 0; x < width; x += 2) {
            const uint32_t square[4] = {
                ColConvertRead(at(x, y), format), ColConvertRead(at(x + 1, y), format),
                ColConvertRead(at(x, y + 1), format), ColConvertRead(at(x + 1, y + 1), format)};
            ColConvertWrite(out, format, ComponentMean(square, format, byteComponents));
            out += bytes;
        }
    }
}

uint8_t ColConvRGB565To8(uint16_t colour)
{
    const uint32_t r6 = ((colour >> 11) & 0x1F) * 6 >> 5;
    const uint32_t g7 = ((colour >> 5) & 0x3F) * 7 >> 6;
    const uint32_t b6 = (colour & 0x1F) * 6 >> 5;
    return static_cast<uint8_t>(1 + r6 * 42 + g7 * 6 + b6);
}

void ColConvRow565To8(void* row, uint32_t count)
{
    auto* bytes = static_cast<uint8_t*>(row);
    for (uint32_t i = 0; i < count; ++i) {
        uint16_t colour;
        std::memcpy(&colour, bytes + 2 * i, 2);
        bytes[i] = ColConvRGB565To8(colour);
    }
}

void ColConvRow565To8Keyed(void* row, uint32_t count, uint16_t key)
{
    auto* bytes = static_cast<uint8_t*>(row);
    for (uint32_t i = 0; i < count; ++i) {
        uint16_t colour;
        std::memcpy(&colour, bytes + 2 * i, 2);
        bytes[i] = colour == key ? 0 : ColConvRGB565To8(colour);
    }
}

void ColConvMakeCubePalette(uint8_t palette[256 * 3])
{
    std::memset(palette, 0, 256 * 3);
    for (uint32_t r = 0; r < 6; ++r) {
        for (uint32_t g = 0; g < 7; ++g) {
            for (uint32_t b = 0; b < 6; ++b) {
                uint8_t* entry = palette + 3 * (1 + r * 42 + g * 6 + b);
                entry[0] = static_cast<uint8_t>(r * 64 / 6);
                entry[1] = static_cast<uint8_t>(g * 64 / 7);
                entry[2] = static_cast<uint8_t>(b * 64 / 6);
            }
        }
    }
}
