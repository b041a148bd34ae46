#include "engine/colconv.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "tests/support/support.h"

namespace {

ColFmt FormatOf(const HostPixelFormat& pixelFormat)
{
    ColFmt format{};
    DDrawPixelFormat2ColFmt(pixelFormat, &format);
    return format;
}

std::string NameOf(const ColFmt& format)
{
    char name[COLCONV_FORMAT_NAME_SIZE];
    ColConvFormatName(name, format);
    return name;
}

}  // namespace

TEST(ColConv, MaskSplitsIntoShiftAndBitsOverTheWholeWord)
{
    ColComponent c{};
    Mask2ColComponent(0xF800, &c);
    EXPECT_EQ(c.shift, 11u);
    EXPECT_EQ(c.bits, 5u);
    Mask2ColComponent(0xFF000000, &c);
    EXPECT_EQ(c.shift, 24u);
    EXPECT_EQ(c.bits, 8u);
    Mask2ColComponent(0xFFFFFFFF, &c);
    EXPECT_EQ(c.shift, 0u);
    EXPECT_EQ(c.bits, 32u);
    Mask2ColComponent(0, &c);
    EXPECT_EQ(c.bits, 0u);
    EXPECT_EQ(c.mask, 0u);
}

TEST(ColConv, WideningRepeatsTheBitsAndNarrowingDropsTheLowOnes)
{
    EXPECT_EQ(ColConvComponent(31, 5, 8), 255u);
    EXPECT_EQ(ColConvComponent(16, 5, 8), 0x84u);  // 10000 -> 10000 100
    EXPECT_EQ(ColConvComponent(1, 1, 8), 255u);
    EXPECT_EQ(ColConvComponent(5, 3, 8), 0xB6u);  // 101 -> 101 101 10
    EXPECT_EQ(ColConvComponent(31, 5, 6), 63u);
    EXPECT_EQ(ColConvComponent(0xFF, 8, 5), 31u);
    EXPECT_EQ(ColConvComponent(0x84, 8, 8), 0x84u);
}

TEST(ColConv, PrimaryColoursSurviveEveryFormatExactly)
{
    const auto formats = std::to_array<HostPixelFormat>(
        {HOST_FORMAT_RGB555, HOST_FORMAT_RGB565, HOST_FORMAT_RGB888, HOST_FORMAT_XRGB8888});
    const ColFmt xrgb = FormatOf(HOST_FORMAT_XRGB8888);
    for (const HostPixelFormat& pixelFormat : formats) {
        const ColFmt format = FormatOf(pixelFormat);
        for (uint32_t rgb = 0; rgb < 8; ++rgb) {
            const uint32_t r = rgb & 4 ? 255 : 0;
            const uint32_t g = rgb & 2 ? 255 : 0;
            const uint32_t b = rgb & 1 ? 255 : 0;
            const uint32_t pixel = ColConvMakePixel(format, r, g, b, 255);
            EXPECT_EQ(ColConvPixel(pixel, format, xrgb), r << 16 | g << 8 | b)
                << NameOf(format) << " colour " << rgb;
        }
    }
}

TEST(ColConv, PixelConversionMovesEachComponentIntoItsNewPlace)
{
    const ColFmt rgb555 = FormatOf(HOST_FORMAT_RGB555);
    const ColFmt rgb565 = FormatOf(HOST_FORMAT_RGB565);
    EXPECT_EQ(ColConvPixel(0x03E0, rgb555, rgb565), 0x07E0u);  // full green gains a bit
    EXPECT_EQ(ColConvPixel(0x7C00 | 0x0010, rgb555, rgb565), 0xF800u | 0x0010u);
    EXPECT_EQ(ColConvMakePixel(rgb565, 0x84, 0x84, 0x84, 0), 0x8430u);  // 10000 100001 10000
    // A format without alpha gives no alpha to one that has it.
    HostPixelFormat argb = HOST_FORMAT_XRGB8888;
    argb.flags |= HOST_PF_ALPHA;
    argb.alphaMask = 0xFF000000;
    EXPECT_EQ(ColConvPixel(0x7FFF, rgb555, FormatOf(argb)), 0x00FFFFFFu);
}

TEST(ColConv, ReadAndWriteTouchOnlyThePixelsOwnBytes)
{
    const ColFmt rgb888 = FormatOf(HOST_FORMAT_RGB888);
    uint8_t bytes[5] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    ColConvertWrite(bytes + 1, rgb888, 0x123456);
    EXPECT_EQ(bytes[0], 0xAA);
    EXPECT_EQ(bytes[1], 0x56);
    EXPECT_EQ(bytes[3], 0x12);
    EXPECT_EQ(bytes[4], 0xAA);
    EXPECT_EQ(ColConvertRead(bytes + 1, rgb888), 0x123456u);
    EXPECT_EQ(ColConvertRead(bytes, FormatOf(HOST_FORMAT_RGB565)), 0x56AAu);
}

TEST(ColConv, FormatNamesGiveTwoHexDigitsPerByte)
{
    EXPECT_EQ(NameOf(FormatOf(HOST_FORMAT_RGB565)), "16 bit RF800 G07E0 B001F A0000");
    EXPECT_EQ(NameOf(FormatOf(HOST_FORMAT_XRGB8888)),
              "32 bit R00FF0000 G0000FF00 B000000FF A00000000");
}

TEST(ColConv, PixelFormatFillsTheRecordAndPaletteFormatsLeaveItEmpty)
{
    const ColFmt rgb565 = FormatOf(HOST_FORMAT_RGB565);
    EXPECT_EQ(rgb565.comp[COL_GREEN].shift, 5u);
    EXPECT_EQ(rgb565.comp[COL_GREEN].bits, 6u);
    EXPECT_EQ(rgb565.allBitsMask, 0xFFFFu);
    EXPECT_EQ(rgb565.bytesPerPixel, 2u);
    EXPECT_EQ(rgb565.bitsPerPixel, 16u);
    const ColFmt palettised = FormatOf(HOST_FORMAT_PALETTE8);
    EXPECT_EQ(palettised.bitsPerPixel, 0u);
    EXPECT_EQ(palettised.allBitsMask, 0u);
}

TEST(ColConvDeathTest, MalformedMasksSizesAndFormatsAreFatal)
{
    ScopedCore core;
    ColComponent c{};
    EXPECT_FATAL(Mask2ColComponent(0xF0F0, &c),
                 "Abort error: Mask2ColComponent(): failed to generate correct Bits & Shift from "
                 "Mask\n(File: colconv  Line: ");
    ColFmt fiveBytes{};
    fiveBytes.bytesPerPixel = 5;
    uint8_t bytes[8] = {};
    EXPECT_FATAL(ColConvertRead(bytes, fiveBytes),
                 "Abort error: ColConvertRead(): unknown pixel format\n");
    EXPECT_FATAL(ColConvertWrite(bytes, fiveBytes, 0),
                 "Abort error: ColConvertWrite(): unknown pixel format\n");
    EXPECT_FATAL(FormatOf(HostZFormat(16, 0)),
                 "Abort error: DDrawPixelFormat2ColFmt(): non-rgb pixel formats cannot be "
                 "converted\n");
}
