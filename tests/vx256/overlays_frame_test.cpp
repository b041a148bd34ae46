// A whole 640 x 480 8-bit frame of match overlays drawn from the generated data through the
// master palette, presented by the display and read back.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "matchscreens/replay.h"
#include "matchscreens/softhud.h"
#include "matchscreens/softview.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "viewservices/viewscreen.h"
#include "vx256/fontgame.h"
#include "vx256/gamepal.h"
#include "vx256/mgraphic.h"

namespace {

constexpr int32_t W = 640;
constexpr int32_t H = 480;
constexpr uint8_t kGrass = 32;

struct Rect {
    int32_t x, y, w, h;
};

int32_t Brightness(uint32_t rgb) { return (rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF); }

bool IsYellow(uint32_t rgb)
{
    return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) > 180 && (rgb & 0xFF) < 80;
}

int32_t Count(const Rect& r, bool (*test)(uint32_t))
{
    int32_t n = 0;
    for (int32_t y = r.y; y < r.y + r.h; ++y) {
        for (int32_t x = r.x; x < r.x + r.w; ++x)
            n += test(FrameRgb(x, y));
    }
    return n;
}

// Where a text of this size lands for one anchor and align word (both the same here).
Rect Placed(int32_t x, int32_t y, int32_t flags, int32_t w, int32_t h)
{
    const int32_t hp = flags & 3, vp = flags & 12;
    int32_t px = hp == 1 ? x : hp == 2 ? W / 2 + x : W - x;
    int32_t py = vp == 4 ? y : vp == 8 ? H / 2 + y : H - y;
    px += hp == 1 ? 0 : hp == 2 ? (-w) / 2 : -w;
    py += vp == 4 ? 0 : vp == 8 ? (-h) / 2 : -h;
    return {px, py, w, h};
}

TEST(MatchOverlays, FrameShowsTextsReplayBarClockAndGraphics)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    MatchBlocks_Init();
    MatchEngine_Init();
    FONT_Init();
    MGraphic_Init();
    ViewScreen_Init();
    // The software view's palette and shade tables, which the clock box darkens with.
    SetupGamePalette();
    SoftView_FillShadeTables();
    SetPalette(GamePalette);
    GameScreen_Create(W, H);
    const GameScreenRecord screen = GetGameScreen();
    std::fill(screen.pixels, screen.pixels + screen.pitch * screen.height, kGrass);

    std::vector<std::pair<Rect, int32_t>> texts;  // rectangle, font
    int32_t combo = 0;
    for (int32_t v : {4, 8, 12}) {
        for (int32_t h : {1, 2, 3}) {
            const int32_t flags = h | v, font = combo++ % FONT_COUNT;
            const char* text = "Pelloran 90";
            const int32_t x = h == 2 ? 0 : 8, y = v == 8 ? 0 : 60;
            FONT_SetCurrentFont(static_cast<uint32_t>(font));
            FONT_DisplayText(x, y, flags, text, flags);
            texts.push_back(
                {Placed(x, y, flags, FONT_GetTextWidth(text, font), FONT_GetItem(font).glyphHeight),
                 font});
        }
    }
    ReplayMode = REPLAYMODE_STEP;
    DrawReplayBar();
    Match.clockRunning = 1;
    Match.period = 0;
    Match.periodLength = 15000;
    Match.periodTicks = 15000;
    DrawClockBox();
    MGraphDisplay2DGraphic(8, 150, 5, -1, -1, MGRAPH_PITCH, 0);
    for (int32_t card = 0; card < 3; ++card)
        MGraphDisplay2DGraphic(200 + 16 * card, 150, 5, -1, -1, MGRAPH_CARDS, card);
    ShowDBuffer(0, 0, GameScreen_Buffer(), GAMESCREEN_MARGIN, GAMESCREEN_MARGIN, W, H);
    PresentNow();
    WriteFrameToTestOutput("match-overlays.png");

    const uint32_t grass = FrameRgb(100, 100);
    for (const auto& [r, font] : texts) {
        const auto white = [](uint32_t rgb) { return Brightness(rgb) > 700; };
        const auto ink = [](uint32_t rgb) { return Brightness(rgb) > 400; };
        if (font < 3) {
            EXPECT_GT(Count(r, white), 10) << r.x << "," << r.y;
        } else {
            EXPECT_GT(Count(r, ink), 10) << r.x << "," << r.y;
        }
    }
    // The right-aligned texts end 8 pixels from the right edge (their shadow may take one more).
    const Rect right = texts[2].first;
    EXPECT_EQ(right.x + right.w, W - 8);
    for (int32_t y = right.y; y < right.y + right.h; ++y) {
        for (int32_t x = W - 6; x < W; ++x)
            EXPECT_EQ(FrameRgb(x, y), grass) << x << "," << y;
    }
    // The clock box: darkened 44 x 20 at (width - 50, 6); its first rows lie above the text.
    const int32_t dark = Brightness(FrameRgb(W - 50, 6));
    EXPECT_LT(dark, Brightness(grass));
    EXPECT_EQ(Brightness(FrameRgb(W - 50 + 43, 7)), dark);
    EXPECT_EQ(FrameRgb(W - 51, 6), grass);
    EXPECT_EQ(FrameRgb(W - 50 + 44, 6), grass);
    EXPECT_EQ(FrameRgb(W - 50, 5), grass);
    EXPECT_EQ(FrameRgb(W - 50, 26), grass);
    // Button 4 shows its highlighted frame; its neighbours do not.
    const int32_t left = W / 2 - 5 * 42;
    const auto button = [&](int32_t i) { return Rect{left + 42 * i, H - 52, 42, 52}; };
    EXPECT_GT(Count(button(4), IsYellow), 60);
    EXPECT_EQ(Count(button(3), IsYellow), 0);
    EXPECT_EQ(Count(button(5), IsYellow), 0);
    // The radar pitch and the three cards: red, yellow, and the knock's white.
    EXPECT_NE(FrameRgb(8 + 84, 150 + 59), grass);
    EXPECT_GT(FrameRgb(206, 158) >> 16 & 0xFF, 180u);
    EXPECT_TRUE(IsYellow(FrameRgb(222, 158)));
    EXPECT_GT(Brightness(FrameRgb(234, 154)), 700);

    FirstDestroyGameEnvironment();
    ViewScreen_Uninit();
    MGraphic_Uninit();
    FONT_Uninit();
    MatchEngine_Uninit();
    MatchBlocks_Uninit();
}

}  // namespace
