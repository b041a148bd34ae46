#include "engine/gfx.h"

#include <cstring>

#include <gtest/gtest.h>

#include "engine/blocks.h"
#include "engine/colconv.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/mouse.h"
#include "tests/support/gfx_run.h"
#include "tests/support/support.h"

namespace {

HostMode HostModeOf(int32_t width, int32_t height, const HostPixelFormat& format)
{
    return {width, height, format, false};
}

}  // namespace

TEST(Gfx, ModeNumbersFollowTheTableSortedByKindThenArea)
{
    // Listed out of order, with a 32-bit mode first and the 8-bit ones largest first.
    const HostMode modes[] = {
        HostModeOf(640, 480, HOST_FORMAT_XRGB8888), HostModeOf(800, 600, HOST_FORMAT_PALETTE8),
        HostModeOf(640, 480, HOST_FORMAT_PALETTE8), HostModeOf(320, 200, HOST_FORMAT_PALETTE8),
        HostModeOf(640, 480, HOST_FORMAT_RGB565),
    };
    ScopedHeadlessHost host;
    HostInjectSetModes(modes, 5);
    {
        ScopedGraphics graphics;
        int32_t count = 0;
        const DDrawMode* rows = GfxModeList(&count);
        ASSERT_GE(count, 5);
        uint32_t previousArea = 0;
        for (int32_t i = 0; i < count; ++i) {
            const uint32_t area = uint32_t{rows[i].width} * rows[i].height;
            if (i > 0 && rows[i].kind == rows[i - 1].kind) {
                EXPECT_GE(area, previousArea) << "row " << i;
            }
            if (i > 0) {
                EXPECT_GE(rows[i].kind, rows[i - 1].kind) << "row " << i;
            }
            previousArea = area;
        }
        EXPECT_EQ(rows[0].width, 320);
        EXPECT_EQ(rows[0].kind, DDRAW_KIND_8BIT);
        SetGraphicMode(GfxFindMode(640, 480, DDRAW_KIND_8BIT), 0);
        EXPECT_EQ(ScreenWidth(), 640u);
        EXPECT_EQ(GfxGraphicMode(), GFX_MODE_8BIT);
    }
}

TEST(Gfx, BestModePrefersTheExactSizeElseTheNextLargerArea)
{
    ScopedHeadlessHost host;
    ScopedGraphics graphics;
    const int32_t exact = GfxFindBestMode(640, 480, DDRAW_KIND_16BIT, 0, 0);
    ASSERT_GE(exact, 0);
    EXPECT_EQ(exact, GfxFindMode(640, 480, DDRAW_KIND_16BIT));
    // No 700 x 500 mode: 800 x 600 is the smallest that holds it.
    EXPECT_EQ(GfxFindBestMode(700, 500, DDRAW_KIND_16BIT, 0, 0),
              GfxFindMode(800, 600, DDRAW_KIND_16BIT));
    EXPECT_EQ(GfxFindBestMode(2000, 2000, DDRAW_KIND_16BIT, 0, 0), -1);
    // Without a 3D device no mode is usable by it.
    EXPECT_EQ(GfxFindBestMode(640, 480, DDRAW_KIND_16BIT, MODE_USABLE_BY_3D, MODE_USABLE_BY_3D),
              -1);
}

TEST(Gfx, SetPaletteForcesBlackAndWhiteInTheCallersArrayAndShowsIt)
{
    ScopedHeadlessHost host;
    ScopedGraphics graphics;
    uint8_t palette[GFX_PALETTE_BYTES];
    std::memset(palette, 21, sizeof palette);
    SetPalette(palette);  // no mode: only the caller's entries change
    EXPECT_EQ(palette[0] | palette[1] | palette[2], 0);
    EXPECT_EQ(palette[765] & palette[766] & palette[767], 63);
    EXPECT_EQ(palette[3], 21);

    SetModeBySize(640, 480, DDRAW_KIND_8BIT);
    EXPECT_EQ(GfxPalette()[3 * 100], 25);  // the grey ramp: entry i is i / 4
    std::memset(palette, 21, sizeof palette);
    SetPalette(palette);
    GfxFillRect(0, 0, 2, 1, 0);
    GfxFillRect(2, 0, 2, 1, 255);
    GfxFillRect(4, 0, 2, 1, 7);
    PresentNow();
    EXPECT_EQ(FrameRgb(0, 0), 0x000000u);
    EXPECT_EQ(FrameRgb(2, 0), 0xFCFCFCu);  // 63 x 4
    EXPECT_EQ(FrameRgb(4, 0), 0x545454u);  // 21 x 4
}

TEST(Gfx, FillsAndCopiesWithoutAModeDoNothing)
{
    ScopedHeadlessHost host;
    ScopedGraphics graphics;
    BlockBuffer* buffer = nullptr;
    CreateBuffer(&buffer, 16, 4);
    PresentNow();
    const uint32_t frames = HostLastFrame().number;
    GfxFillRect(0, 0, 10, 10, 3);
    GfxFillSurface(0x01010101);
    GfxCopyToSurface(buffer);
    GfxPutBlock(buffer->memory, 0, 0, 16, 4, 16);
    DrawGraphicTrans(buffer->memory, 0, 0, 16, 4, 16);
    ShowDBuffer(buffer);
    ScreenPrintf(0, 0, "nothing");
    EXPECT_EQ(GfxReadPixel(0, 0), 0u);
    PresentNow();
    EXPECT_EQ(HostLastFrame().number, frames);
    DestroyBuffer(&buffer);
}

TEST(Gfx, ReadPixelGivesTheModesBytes)
{
    ScopedHeadlessHost host;
    ScopedGraphics graphics;
    SetModeBySize(320, 200, DDRAW_KIND_8BIT);
    GfxFillRect(5, 6, 1, 1, 0xAB);
    EXPECT_EQ(GfxReadPixel(5, 6), 0xABu);
    EXPECT_EQ(GfxReadPixel(4, 6), 0u);
    RestoreGraphicMode();

    SetModeBySize(320, 200, DDRAW_KIND_32BIT);
    const ColFmt& format = GfxScreenFormat();
    EXPECT_EQ(format.bytesPerPixel, 4u);
    GfxFillRect(1, 1, 1, 1, 0x7F);  // every byte of the pixel
    EXPECT_EQ(GfxReadPixel(1, 1), 0x7F7F7F7Fu);
}

TEST(Gfx, ShowDBufferClipsTheRectangleToTheScreen)
{
    ScopedHeadlessHost host;
    ScopedGraphics graphics;
    SetModeBySize(320, 200, DDRAW_KIND_8BIT);
    BlockBuffer* buffer = nullptr;
    CreateBuffer(&buffer, 64, 64);
    std::memset(buffer->memory, 9, buffer->pitch * buffer->height);
    ShowDBuffer(300, 190, buffer, 0, 0, 64, 64);  // reaches 44 columns and 54 rows past the screen
    EXPECT_EQ(GfxReadPixel(319, 199), 9u);
    EXPECT_EQ(GfxReadPixel(299, 199), 0u);
    ShowDBuffer(-10, -10, buffer, 0, 0, 20, 20);
    EXPECT_EQ(GfxReadPixel(9, 9), 9u);
    EXPECT_EQ(GfxReadPixel(10, 0), 0u);
    DestroyBuffer(&buffer);
}

TEST(Gfx, ShowDBufferInHiColourPrintsItsErrorAndDrawsNothing)
{
    ScopedHeadlessHost host;
    ScopedGraphics graphics;
    SetModeBySize(320, 200, DDRAW_KIND_16BIT);
    BlockBuffer* buffer = nullptr;
    CreateBuffer(&buffer, 16, 16);
    std::memset(buffer->memory, 9, buffer->pitch * buffer->height);
    testing::internal::CaptureStdout();
    ShowDBuffer(buffer);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Error: ShowDBuffer(): Hi-clour not supported yet\n");
    EXPECT_EQ(GfxReadPixel(0, 0), 0u);
    DestroyBuffer(&buffer);
}

TEST(Gfx, ScreenPrintfDrawsTheFontInWhiteAndBlackAndClipsAtTheEdge)
{
    ScopedHeadlessHost host;
    ScopedGraphics graphics;
    SetModeBySize(320, 200, DDRAW_KIND_16BIT);
    GfxFillSurface(0x12341234);
    ScreenPrintf(316, 196, "%s", "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    PresentNow();
    // 'W' has its left stroke in column 1 and its rows 0-6 set there.
    EXPECT_EQ(FrameRgb(317, 196), 0xFFFFFFu);
    EXPECT_EQ(FrameRgb(316, 196), 0x000000u);
    EXPECT_NE(FrameRgb(315, 196), 0x000000u);
}

TEST(GfxDeathTest, WrongStateCallsEndWithTheirTexts)
{
    ScopedHeadlessHost host;
    EXPECT_FATAL(GfxUninit(), "GfxUninit(): not initialised");
    {
        ScopedGraphics graphics;
        EXPECT_FATAL(GfxInit(0), "GfxInit(): already initialised");
        EXPECT_FATAL(RestoreGraphicMode(),
                     "Error: RestoreGraphicMode(): Cannot restore graphics mode - no mode set\n");
        EXPECT_FATAL(SetGraphicMode(-1, 0), "Error: SetGraphicMode(): Bad mode number\n");
        EXPECT_FATAL(SetGraphicMode(DDrawModeCount, 0),
                     "Error: SetGraphicMode(): Bad mode number\n");
        SetModeBySize(320, 200, DDRAW_KIND_16BIT);
        EXPECT_FATAL(SetGraphicMode(0, 0),
                     "Error: SetGraphicMode(): Cannot set graphics mode when already in graphics "
                     "mode\n");
        EXPECT_FATAL(GfxFlip(), "GfxFlip(): mode is not a flippable mode");
        uint8_t graphic[4] = {1, 2, 3, 4};
        EXPECT_FATAL(DrawGraphicTrans(graphic, 0, 0, 2, 2, 2),
                     "DrawGraphicTrans(): I havn't written a direct colour direct to screen "
                     "transparent for windows yet");
        uint8_t palette[GFX_PALETTE_BYTES] = {};
        EXPECT_FATAL(SetPalette(palette),
                     "Error: SetPalette(): Cannot set palette in hi-colour modes!\n");
    }
}
