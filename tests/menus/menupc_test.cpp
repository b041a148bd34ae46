#include "menus/menupc.h"

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/host/clock.h"
#include "engine/host/inject.h"
#include "engine/poll.h"
#include "engine/timer.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

constexpr uint16_t BLACK = 0x0000;
constexpr uint16_t WHITE = 0xFFFF;
constexpr uint16_t GREY = 0x8410;

// One channel of the screen's blend: s + ((c - s) x alpha >> 8), in 8 bits.
int32_t Blend8(int32_t s, int32_t c, int32_t alpha) { return s + ((c - s) * alpha >> 8); }

uint32_t GreyOf8(int32_t v) { return ScreenGrey(v); }

uint32_t Screen(uint16_t colour) { return MenuScreenColour(colour); }

void ClearScreen(uint16_t colour)
{
    FillMenuRect(0, 0, MenuScreen.width, MenuScreen.height, colour);
    MenuScreen.changeCount = 0;
}

// ---------------------------------------------------------------------------------------------
// Rejection and the change list.

TEST(MenuPc, ShapesThatLeaveTheScreenAreNotDrawnAtAll)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    ClearScreen(BLACK);
    FillMenuRect(0, 0, 641, 10, WHITE);
    FillMenuRect(-1, 0, 10, 10, WHITE);
    FillMenuRect(5, 5, 0, 10, WHITE);
    DrawTranslucentRect(630, 470, 11, 10, WHITE, 255);
    DrawMenuLine(10, 10, 640, 10, WHITE);
    PutMenuPixel(640, 0, WHITE);
    EXPECT_EQ(MenuScreen.changeCount, 0);
    EXPECT_EQ(WorkPixel(0, 0), Screen(BLACK));
    EXPECT_EQ(WorkPixel(10, 10), Screen(BLACK));
    EXPECT_EQ(WorkPixel(639, 479), Screen(BLACK));

    FillMenuRect(0, 0, 640, 10, WHITE);  // exactly as wide as the screen is fine
    EXPECT_EQ(WorkPixel(639, 9), Screen(WHITE));
}

TEST(MenuPc, ChangeListSkipsCoveredRectanglesAndSaturatesAt128)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    FillMenuRect(10, 10, 20, 20, WHITE);
    FillMenuRect(10, 10, 5, 5, GREY);  // same corner, inside the listed one
    EXPECT_EQ(MenuScreen.changeCount, 1);
    FillMenuRect(10, 10, 30, 5, GREY);  // wider: listed
    EXPECT_EQ(MenuScreen.changeCount, 2);

    for (int32_t i = 0; i < 200; ++i)
        PutMenuPixel(i, 100, WHITE);
    EXPECT_EQ(MenuScreen.changeCount, MENU_MAX_CHANGES);

    // A saturated list presents the whole screen, even pixels no primitive recorded.
    MenuScreen.presented = 1;
    PresentChangedRects();
    PresentNow();
    EXPECT_EQ(MenuScreen.changeCount, 0);
    reinterpret_cast<uint16_t*>(MenuScreen.workScreen)[300 * 640 + 300] = WHITE;
    FillMenuRect(0, 0, 640, 480, BLACK);
    EXPECT_EQ(MenuScreen.changeCount, MENU_MAX_CHANGES);
    reinterpret_cast<uint16_t*>(MenuScreen.workScreen)[300 * 640 + 300] = WHITE;
    PresentMenuScreen();
    PresentNow();
    EXPECT_EQ(FrameRgb(300, 300), 0xFFFFFFu);
    EXPECT_EQ(FrameRgb(299, 300), 0x000000u);
}

TEST(MenuPc, PresentingCopiesOnlyTheListedRectangles)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    ClearScreen(BLACK);
    MenuScreen.changeCount = MENU_MAX_CHANGES;
    MenuScreen.presented = 1;
    PresentMenuScreen();
    FillMenuRect(20, 20, 4, 4, WHITE);
    reinterpret_cast<uint16_t*>(MenuScreen.workScreen)[200 * 640 + 200] = WHITE;  // not listed
    PresentMenuScreen();
    PresentNow();
    EXPECT_EQ(FrameRgb(21, 21), 0xFFFFFFu);
    EXPECT_EQ(FrameRgb(200, 200), 0x000000u);
}

TEST(MenuPc, ProgramComingBackFromIdlePresentsTheWholeScreen)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    ClearScreen(BLACK);
    MenuScreen.changeCount = MENU_MAX_CHANGES;
    MenuScreen.presented = 1;
    PresentMenuScreen();
    PresentNow();
    reinterpret_cast<uint16_t*>(MenuScreen.workScreen)[200 * 640 + 200] = 0xFFFF;  // not listed
    HostMsgSend(HOST_MSG_KILL_FOCUS, 0, 0);
    HostInjectPost(HOST_MSG_SET_FOCUS, 0, 0);
    Poll();  // stands in the idle loop until the focus comes back
    PresentMenuScreen();
    PresentNow();
    EXPECT_NE(FrameRgb(200, 200), 0x000000u);
}

TEST(MenuPc, WipeInShowsEveryRowAfterThirtyTickWaits)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    ClearScreen(WHITE);
    for (int32_t y = 0; y < 480; y += 2)
        FillMenuRect(0, y, 640, 1, GREY);
    const uint32_t before = TickCount;
    PresentMenuScreen();
    // Each tick wait costs three polls (the one that sees the tick move, the wait's own, the
    // wipe's), and the wipe ends with one more; every poll moves the manual clock one tick.
    EXPECT_EQ(TickCount - before, 30u * 3 + 1);
    EXPECT_EQ(MenuScreen.presented, 1);
    EXPECT_EQ(MenuScreen.changeCount, 0);
    PresentNow();
    for (int32_t y : {0, 1, 238, 239, 240, 241, 478, 479}) {
        EXPECT_EQ(FrameRgb(320, y), FrameRgbOf(Screen(y % 2 ? WHITE : GREY))) << y;
    }
}

// ---------------------------------------------------------------------------------------------
// Translucency.

TEST(MenuPc, SeventeenthShadePairRebuildsTheFirstBuiltTable)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    const uint16_t* tables[MENU_SHADE_SLOTS];
    for (int32_t i = 0; i < MENU_SHADE_SLOTS; ++i) {
        tables[i] = GetShadeTable(static_cast<uint16_t>(i), 100);
        ClockAdvance(1);
    }
    EXPECT_EQ(GetShadeTable(0, 100), tables[0]);  // used last, but still built first
    const uint16_t* rebuilt = GetShadeTable(WHITE, 128);
    EXPECT_EQ(rebuilt, tables[0]);
    EXPECT_EQ(rebuilt[BLACK], GreyOf8(Blend8(0, 255, 128)));
    for (int32_t i = 1; i < MENU_SHADE_SLOTS; ++i) {
        EXPECT_EQ(GetShadeTable(static_cast<uint16_t>(i), 100), tables[i]) << i;
    }
}

TEST(MenuPc, EightBitModeDithersInsteadOfBlending)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    FillMenuRect(0, 0, 8, 8, BLACK);
    const uint32_t black = WorkPixel(0, 0);
    DrawTranslucentRect(0, 0, 4, 4, WHITE, 64);  // level 2: thresholds 0, 1 and 2 take it
    const uint32_t white = MenuScreenColour(WHITE);
    const bool expected[4][4] = {{true, false, true, false},
                                 {false, false, false, true},
                                 {true, false, true, false},
                                 {false, true, false, false}};
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 4; ++x) {
            EXPECT_EQ(WorkPixel(x, y), expected[y][x] ? white : black) << x << "," << y;
        }
    }
}

TEST(MenuPc, SolidButtonHasLightTopLeftAndDarkBottomRight)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    ClearScreen(BLACK);
    SetDrawAttribute(2, GREY);  // 16/32 red, 32/64 green: percentages 50 and 50
    SetDrawAttribute(4, 0);
    DoButton(100, 100, 60, 20);
    const uint16_t light =
        static_cast<uint16_t>((70 * 32 / 101) << 11 | (70 * 64 / 101) << 5 | 70 * 32 / 101);
    const uint16_t dark =
        static_cast<uint16_t>((30 * 32 / 101) << 11 | (30 * 64 / 101) << 5 | 30 * 32 / 101);
    EXPECT_EQ(WorkPixel(100, 110), Screen(light));  // left edge
    EXPECT_EQ(WorkPixel(130, 100), Screen(light));  // top edge
    EXPECT_EQ(WorkPixel(130, 119), Screen(dark));   // bottom edge
    EXPECT_EQ(WorkPixel(159, 110), Screen(dark));   // right edge
    EXPECT_EQ(WorkPixel(130, 110), Screen(GREY));   // face
    EXPECT_EQ(WorkPixel(160, 110), Screen(BLACK));
}

TEST(MenuPc, TranslucentButtonOfADarkColourBevelsWithAlpha)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    ClearScreen(WHITE);
    SetDrawAttribute(2, BLACK);
    SetDrawAttribute(4, 1);
    DoButton(100, 100, 60, 20);
    EXPECT_EQ(WorkPixel(130, 100), GreyOf8(Blend8(255, 0, 63)));   // top
    EXPECT_EQ(WorkPixel(100, 110), GreyOf8(Blend8(255, 0, 63)));   // left
    EXPECT_EQ(WorkPixel(130, 119), GreyOf8(Blend8(255, 0, 191)));  // bottom
    EXPECT_EQ(WorkPixel(159, 110), GreyOf8(Blend8(255, 0, 191)));  // right
    EXPECT_EQ(WorkPixel(130, 110), GreyOf8(Blend8(255, 0, 127)));  // face

    // A bright colour keeps the coloured bevel, each part at half strength.
    ClearScreen(BLACK);
    SetDrawAttribute(2, WHITE);
    DoButton(100, 100, 60, 20);
    EXPECT_EQ(WorkPixel(130, 110), GreyOf8(Blend8(0, 255, 127)));
}

TEST(MenuPcDeathTest, UnknownButtonStyleIsFatal)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    SetDrawAttribute(4, 2);
    EXPECT_FATAL(DoButton(10, 10, 20, 20), "DoButton(): unknown button type");
}

TEST(MenuPcDeathTest, ShadeTablesNeedASixteenBitScreen)
{
    ScopedMenus menus(DDRAW_KIND_32BIT);
    EXPECT_FATAL(GetShadeTable(WHITE, 10),
                 "CreateMenuShadeRectangleCache(): cannot cache in non-16 bit mode");
}

TEST(MenuPc, TranslucencyBlendsPerPixelInThirtyTwoBitModes)
{
    ScopedMenus menus(DDRAW_KIND_32BIT);
    ClearScreen(WHITE);
    DoShadedBox(10, 10, 5, 5, 50);  // draw colour is the key colour after start-up
    SetDrawAttribute(2, BLACK);
    DoShadedBox(20, 20, 5, 5, 50);
    const uint32_t v = static_cast<uint32_t>(Blend8(255, 0, 50 * 255 / 100));
    EXPECT_EQ(WorkPixel(22, 22) & 0xFFFFFF, v << 16 | v << 8 | v);
}

TEST(MenuPc, GradientBarOfNoWidthDrawsNothing)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    ClearScreen(WHITE);
    DoGradientBar(100, 100, 0, 20, 0x001F, 0);
    EXPECT_EQ(MenuScreen.changeCount, 0);
    EXPECT_EQ(MenuAttr.drawColour, 0x001F);

    DoGradientBar(100, 100, 50, 20, BLACK, 0);
    const uint32_t left = FrameRgbOf(WorkPixel(100, 110)) & 0xFF;
    const uint32_t right = FrameRgbOf(WorkPixel(149, 110)) & 0xFF;
    EXPECT_LT(left, right);  // rising from black, under a half-strength black tint
    EXPECT_EQ(WorkPixel(150, 110), Screen(WHITE));
}

TEST(MenuPc, AlignPointTruncatesHalvesTowardZero)
{
    int32_t x = 100, y = 100;
    AlignPoint(&x, &y, 7, 9, MENU_ALIGN_CENTRE);
    EXPECT_EQ(x, 97);
    EXPECT_EQ(y, 96);
    x = 100, y = 100;
    AlignPoint(&x, &y, 7, 9, 15);
    EXPECT_EQ(x, 93);
    EXPECT_EQ(y, 91);
    x = 100, y = 100;
    AlignPoint(&x, &y, 7, 9, 0);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 100);
}

TEST(MenuPc, AlignedBarPutsTheCleanScreenBack)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    ClearScreen(GREY);
    CopyBackBuffer();
    FillMenuRect(0, 0, 640, 480, WHITE);
    DrawAlignedBar(320, 240, 100, 50, MENU_ALIGN_CENTRE);
    EXPECT_EQ(WorkPixel(270, 215), Screen(GREY));
    EXPECT_EQ(WorkPixel(369, 264), Screen(GREY));
    EXPECT_EQ(WorkPixel(269, 215), Screen(WHITE));
    EXPECT_EQ(WorkPixel(370, 264), Screen(WHITE));
}

}  // namespace
