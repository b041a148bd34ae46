// engine/colconv.cpp: the colour-format record and the conversion of single pixels between formats.
#include "engine/colconv.h"

#include <cstdio>
#include <cstring>

#include "engine/fatal.h"
#include "engine/host/host.h"

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
    uint32_t value = 0;
    std::memcpy(&value, address, format.bytesPerPixel);
    return value;
}

void ColConvertWrite(void* address, const ColFmt& format, uint32_t value)
{
    if (!IsSupportedPixelSize(format.bytesPerPixel)) {
        std::printf("ColConvertWrite(): unknown pixel format\n");
        FatalAbort("colconv", __LINE__, "ColConvertWrite(): unknown pixel format");
    }
    std::memcpy(address, &value, format.bytesPerPixel);
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
