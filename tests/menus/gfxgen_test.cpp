// tests/menus/gfxgen_test.cpp: the kit-colour ramps and the club emblem drawn through them.
#include "menus/gfxgen.h"

#include "engine/colconv.h"
#include "engine/dxdraw.h"
#include "game/kitcolours.h"
#include "menus/menupc.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

// The 8-bit components of a work-screen pixel, through 5-6-5 in the 8-bit mode.
void PixelRgb(int32_t x, int32_t y, uint32_t* r, uint32_t* g, uint32_t* b)
{
    const uint32_t pixel = WorkPixel(x, y);
    if (MenuScreen.is256 != 0) {
        uint8_t palette[256 * 3];
        ColConvMakeCubePalette(palette);
        *r = palette[pixel * 3] * 4u;
        *g = palette[pixel * 3 + 1] * 4u;
        *b = palette[pixel * 3 + 2] * 4u;
        return;
    }
    const uint32_t rgb = FrameRgbOf(pixel);
    *r = rgb >> 16 & 0xFF;
    *g = rgb >> 8 & 0xFF;
    *b = rgb & 0xFF;
}

void ExpectRedBlueAndTransparentCorner(int32_t kind)
{
    ScopedMenus menus(kind);
    GfxGenInit();
    FillMenuRect(0, 0, 100, 100, 0x07E0);  // green under the emblem
    const KitColour& red = KitColourTable[28];
    const KitColour& blue = KitColourTable[4];
    GfxGen_SetColourRamp(0, red.r, red.g, red.b);
    GfxGen_SetColourRamp(1, blue.r, blue.g, blue.b);
    GfxGen_Draw(GFXGEN_BALL, 10, 10);
    int32_t reds = 0, blues = 0;
    for (int32_t y = 10; y < 62; ++y) {
        for (int32_t x = 10; x < 62; ++x) {
            uint32_t r, g, b;
            PixelRgb(x, y, &r, &g, &b);
            reds += r > 120 && g < 60 && b < 60 ? 1 : 0;
            blues += b > 120 && r < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(reds, 100) << "mode " << kind;
    EXPECT_GT(blues, 100) << "mode " << kind;
    uint32_t r, g, b;
    PixelRgb(10, 10, &r, &g, &b);  // outside the ball: the green shows through
    EXPECT_LT(r, 60u);
    EXPECT_GT(g, 150u);
    GfxGenUninit();
}

}  // namespace

TEST(GfxGen, RampsRunFromBlackToTheColourAndOnToThePaleTop)
{
    ScopedCore core;
    GfxGenInit();
    GfxGen_SetColourRamp(0, 160, 80, 0);  // (40, 20, 0) in 6 bits
    EXPECT_EQ(GfxGenColourTable[64][0], 0);
    EXPECT_EQ(GfxGenColourTable[80][0], 20);
    EXPECT_EQ(GfxGenColourTable[80][1], 10);
    EXPECT_EQ(GfxGenColourTable[95][0], 40);
    EXPECT_EQ(GfxGenColourTable[95][1], 20);
    EXPECT_EQ(GfxGenColourTable[96][0], 40);
    EXPECT_EQ(GfxGenColourTable[127][0], 47);
    EXPECT_EQ(GfxGenColourTable[127][1], 63);
    EXPECT_EQ(GfxGenColourTable[127][2], 58);
    EXPECT_EQ(GfxGenColourTable[128][0], 0);  // ramp 1 untouched
    GfxGenUninit();
}

TEST(GfxGen, EmblemShowsBothClubColoursAndLeavesItsCornersTransparent)
{
    ExpectRedBlueAndTransparentCorner(DDRAW_KIND_16BIT);
    ExpectRedBlueAndTransparentCorner(DDRAW_KIND_8BIT);
}

TEST(GfxGenDeathTest, AGraphicCutShortIsRefused)
{
    TempDir data;
    std::vector<uint8_t> cut = {'G', 'F', 'X', '0', 52, 0, 52, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3};
    WriteTestPak(data.Path(),
                 {{"gfxgen\\ball.gfx", cut}, {"gfxgen\\ball.pal", std::vector<uint8_t>(768, 0)}});
    EXPECT_FATAL(
        {
            ScopedMenus menus(DDRAW_KIND_16BIT, data.Path());
            GfxGenInit();
            GfxGenLoadGraphic(GFXGEN_BALL);
        },
        "GfxGenLoadGraphic(): invalid graphic");
}
