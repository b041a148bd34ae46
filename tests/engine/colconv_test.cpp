#include "engine/colconv.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/memory.h"
#include "engine/random.h"
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
    EXPECT_EQ(ColConvComponent(0x20, 6, 8), 0x82u);
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

TEST(ColConv, PaletteFormatsLeaveTheRecordEmpty)
{
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

TEST(ColConv, RunsConvertLikeSinglePixelsAndIdenticalFormatsAreLeftAlone)
{
    const ColFmt rgb565 = FormatOf(HOST_FORMAT_RGB565);
    const ColFmt xrgb = FormatOf(HOST_FORMAT_XRGB8888);
    std::vector<uint16_t> source(65536);
    for (uint32_t i = 0; i < source.size(); ++i) {
        source[i] = static_cast<uint16_t>(i);
    }
    std::vector<uint32_t> converted(source.size() + 1, 0xDEADBEEF);
    ColConvMemory(source.data(), rgb565, converted.data(), xrgb, 65536);
    for (uint32_t i = 0; i < source.size(); ++i) {
        ASSERT_EQ(converted[i], ColConvPixel(i, rgb565, xrgb)) << i;
    }
    EXPECT_EQ(converted.back(), 0xDEADBEEFu);  // nothing past the run

    uint32_t untouched = 0x12345678;
    ColConvMemory(&untouched, xrgb, &untouched, xrgb, 1);
    EXPECT_EQ(untouched, 0x12345678u);

    // A rectangle of 2 x 2 out of rows 3 pixels apart.
    const uint16_t block[6] = {0xF800, 0x07E0, 0xFFFF, 0x001F, 0x0000, 0xFFFF};
    uint32_t out[4] = {};
    ColConvBlock(block, 6, rgb565, out, 8, xrgb, 2, 2);
    EXPECT_EQ(out[0], 0xFF0000u);
    EXPECT_EQ(out[1], 0x00FF00u);
    EXPECT_EQ(out[2], 0x0000FFu);
    EXPECT_EQ(out[3], 0x000000u);
}

TEST(ColConv, CubeIndicesSpanOneTo252AndThePaletteHoldsTheLevels)
{
    EXPECT_EQ(ColConvRGB565To8(0xFFFF), 252);
    EXPECT_EQ(ColConvRGB565To8(0x0000), 1);
    EXPECT_EQ(ColConvRGB565To8(0xF800), 1 + 5 * 42);
    EXPECT_EQ(ColConvRGB565To8(0x07E0), 1 + 6 * 6);
    uint8_t palette[256 * 3];
    std::memset(palette, 0x77, sizeof palette);
    ColConvMakeCubePalette(palette);
    const uint8_t redLevels[6] = {0, 10, 21, 32, 42, 53};
    const uint8_t greenLevels[7] = {0, 9, 18, 27, 36, 45, 54};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(palette[3 * (1 + r * 42)], redLevels[r]) << r;
        EXPECT_EQ(palette[3 * (1 + r * 42) + 2], 0) << r;
        EXPECT_EQ(palette[3 * (1 + r) + 2], redLevels[r]) << "blue " << r;
    }
    for (int g = 0; g < 7; ++g) {
        EXPECT_EQ(palette[3 * (1 + g * 6) + 1], greenLevels[g]) << g;
    }
    EXPECT_EQ(palette[0], 0);
    EXPECT_EQ(palette[3 * 253], 0);

    uint16_t row[4] = {0xFFFF, 0xF81F, 0x0000, 0xF81F};
    ColConvRow565To8Keyed(row, 4, 0xF81F);
    const auto* bytes = reinterpret_cast<const uint8_t*>(row);
    EXPECT_EQ(bytes[0], 252);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 1);
    EXPECT_EQ(bytes[3], 0);
    uint16_t plain[2] = {0x0000, 0xFFFF};
    ColConvRow565To8(plain, 2);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(plain)[1], 252);
}

TEST(ColConv, PalettedImageGrowsInPlaceWithoutLosingAnIndex)
{
    ScopedCore core;
    MemoryInit();
    const ColFmt xrgb = FormatOf(HOST_FORMAT_XRGB8888);
    uint32_t palette[256];
    for (uint32_t i = 0; i < 256; ++i) {
        palette[i] = i * 0x010203u & 0xFFFFFF;
    }
    constexpr uint32_t COUNT = 1000;
    uint8_t* image = nullptr;
    AllocateMemory(&image, COUNT, MEM_TYPE_GAME);
    for (uint32_t i = 0; i < COUNT; ++i) {
        image[i] = static_cast<uint8_t>(i * 7);
    }
    ColConvPalettedImage(&image, COUNT, palette, xrgb, xrgb);
    for (uint32_t i = 0; i < COUNT; ++i) {
        uint32_t pixel;
        std::memcpy(&pixel, image + 4 * i, 4);
        ASSERT_EQ(pixel, palette[(i * 7) & 0xFF]) << i;
    }
    FreeMemory(&image);
    MemoryUninit();
}

TEST(ColConv, HalvingAveragesEachSquareComponentByComponent)
{
    const ColFmt xrgb = FormatOf(HOST_FORMAT_XRGB8888);
    uint32_t image[4 * 2] = {0x000000, 0xFF0000, 0x101010, 0x202020,  //
                             0x0000FF, 0x00FF00, 0x303030, 0x404040};
    ColConvHalveImageSize(image, 4, 2, xrgb);
    EXPECT_EQ(image[0], 0x3F3F3Fu);  // 255 / 4 in each component
    EXPECT_EQ(image[1], 0x282828u);
}

// 8-8-8-8 formats take a faster path: it must give every component's mean rounded down, and 0 in a
// byte no component holds, as other formats get.
TEST(ColConv, HalvingEightBitComponentsMatchesTheMeanOfEachByte)
{
    SRand(7);
    ColFmt argb = FormatOf(HOST_FORMAT_XRGB8888);
    argb.comp[COL_ALPHA] = {24, 8, 0xFF000000};
    argb.allBitsMask = 0xFFFFFFFF;
    for (const ColFmt& format : {argb, FormatOf(HOST_FORMAT_XRGB8888)}) {
        uint32_t image[8 * 4];
        for (uint32_t& pixel : image) {
            const auto random = [] { return static_cast<uint32_t>(Rand()); };  // 15 bits
            pixel = random() << 17 ^ random() << 8 ^ random();
        }
        uint32_t expected[4 * 2];
        for (int32_t i = 0; i < 8; ++i) {
            const int32_t x = 2 * (i % 4), y = 2 * (i / 4);
            const uint32_t square[4] = {image[y * 8 + x], image[y * 8 + x + 1],
                                        image[(y + 1) * 8 + x], image[(y + 1) * 8 + x + 1]};
            expected[i] = 0;
            for (uint32_t shift = 0; shift < 32; shift += 8) {
                uint32_t sum = 0;
                for (const uint32_t pixel : square) {
                    sum += pixel >> shift & 0xFF;
                }
                expected[i] |= sum / 4 << shift;
            }
            expected[i] &= format.allBitsMask;
        }
        ColConvHalveImageSize(image, 8, 4, format);
        for (int32_t i = 0; i < 8; ++i) {
            EXPECT_EQ(image[i], expected[i]) << std::hex << format.allBitsMask << " pixel " << i;
        }
    }
}

TEST(ColConvDeathTest, HalvingAnOddOrEmptyImageIsFatal)
{
    const ColFmt xrgb = FormatOf(HOST_FORMAT_XRGB8888);
    uint32_t image[6] = {};
    EXPECT_FATAL(ColConvHalveImageSize(image, 3, 2, xrgb),
                 "ColConvHalveImageSize(): width or height is odd (or zero sized)");
    EXPECT_FATAL(ColConvHalveImageSize(image, 2, 0, xrgb),
                 "ColConvHalveImageSize(): width or height is odd (or zero sized)");
}
