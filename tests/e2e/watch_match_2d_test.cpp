// tests/e2e/watch_match_2d_test.cpp: the human's match watched whole in the 2D view: the pitch
// whose lines lie where the view's projection puts them,
// the panels, the score, the clock, the speed label, a pop-up and a followed player's map in its
// frames with both sides' shirts on the pitch, the view built again after the in-match menus, the
// fixture's score, and the match heard.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/matchblocks.h"
#include "gamecode/pitch.h"
#include "matchscreens/view2d.h"
#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "tests/support/watched_match.h"

namespace {

constexpr int32_t BACKGROUND_SCANBACK = 19;

struct Pixel {
    int32_t x, y;
};

// Where the view's overview camera puts a ground point, by the game's own projection.
Pixel Projected(float x, float y)
{
    GetMatchSidesBlock()->viewMode = VIEW_2D;
    View2D_SetCamera();
    Pixel p = {-100, -100};
    View2D_Project(x, y, 0.0f, &p.x, &p.y);
    return p;
}

// Background 19's pitch lines where the projection puts them: the four corners and the right
// end of the halfway line, where no panel, button or pop-up covers them.
int32_t LinesSeen(const PngImage& frame)
{
    constexpr float L = PITCH_LEFT_TOUCHLINE_X, R = PITCH_RIGHT_TOUCHLINE_X;
    constexpr float N = PITCH_NEAR_GOAL_LINE_Y, F = PITCH_FAR_GOAL_LINE_Y;
    int32_t seen = 0;
    for (const Pixel p : {Projected(L, N), Projected(R, N), Projected(L, F), Projected(R, F),
                          Projected(R, PITCH_HALFWAY_LINE_Y)})
        seen += TextPixels(frame, p.x - 3, p.y - 3, 7, 7) >= 4 ? 1 : 0;
    return seen;
}

// Whether a pixel lies on the projected pitch, inside its four corners (convex, in either order).
bool OnPitch(int32_t x, int32_t y)
{
    constexpr float L = PITCH_LEFT_TOUCHLINE_X, R = PITCH_RIGHT_TOUCHLINE_X;
    constexpr float N = PITCH_NEAR_GOAL_LINE_Y, F = PITCH_FAR_GOAL_LINE_Y;
    static const Pixel corners[4] = {Projected(L, N), Projected(R, N), Projected(R, F),
                                     Projected(L, F)};
    int32_t positive = 0;
    for (int32_t i = 0; i < 4; ++i) {
        const Pixel& a = corners[i];
        const Pixel& b = corners[(i + 1) % 4];
        positive += (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x) > 0 ? 1 : 0;
    }
    return positive == 0 || positive == 4;
}

// Pixels of the followed keeper's map (side 0's colour 1 at half strength over the grass) in
// the projected bounds of either penalty box.
int32_t MapCellPixels(const PngImage& frame)
{
    constexpr uint32_t kCell = 0x736318;
    constexpr float kBoxes[2][2] = {{PITCH_NEAR_GOAL_LINE_Y, PITCH_BOX_NEAR_Y},
                                    {PITCH_BOX_FAR_Y, PITCH_FAR_GOAL_LINE_Y}};
    int32_t pixels = 0;
    for (const auto& box : kBoxes) {
        int32_t left = 640, top = 480, right = 0, bottom = 0;
        for (const float x : {float{PITCH_BOX_LEFT_X}, float{PITCH_BOX_RIGHT_X}}) {
            for (const float y : box) {
                const Pixel p = Projected(x, y);
                left = std::min(left, p.x);
                right = std::max(right, p.x);
                top = std::min(top, p.y);
                bottom = std::max(bottom, p.y);
            }
        }
        pixels += CountNearColour(frame, left, top, right - left, bottom - top, kCell, 10);
    }
    return pixels;
}

// The dots a formation panel shows, told by the 1-pixel bar in its own colour that stands at the
// right of every dot's shirt icon, which no other drawing uses. The scan reaches past the panel's
// box, where the icons of the dots on its edges spill, and each bar still shows through the icons
// drawn over it in part. Bars of one column of the formation that touch are told apart by the
// panel's row spacing.
int32_t PanelDots(const PngImage& frame, int32_t side)
{
    constexpr uint32_t kBar = 0xD6D600;
    constexpr int32_t kIconHalfWidth = 12, kBarHeight = 20, kRowSpacing = 6;
    const auto isBar = [&](int32_t x, int32_t y) {
        return CountNearColour(frame, x, y, 1, 1, kBar, 8) == 1;
    };
    const int32_t top = VIEW2D_PANEL_Y - kBarHeight / 2, bottom = top + VIEW2D_PANEL_H + kBarHeight;
    int32_t dots = 0;
    for (int32_t x = VIEW2D_PANEL_X[side] - kIconHalfWidth - 2;
         x <= VIEW2D_PANEL_X[side] + VIEW2D_PANEL_W + kIconHalfWidth + 2; ++x) {
        for (int32_t y = top; y < bottom; ++y) {
            if (!isBar(x, y)) continue;
            int32_t length = 0;
            for (; y < bottom && isBar(x, y); ++y)
                ++length;
            dots += 1 + std::max(0, length - kBarHeight + kRowSpacing - 1) / kRowSpacing;
        }
    }
    return dots;
}

}  // namespace

TEST(WatchMatch2D, AWholeMatchIsDrawnInTheTwoDViewAndItsScoreIsTheFixturesResult)
{
    const ScriptRun run =
        RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                  + ScriptToMatchDayWatchingFrom(319) + IncludeScript("watch_match_2d.txt")
                  + IncludeScript("match_to_office.txt") + ScriptQuitFromBar());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    for (const char* name : {"kickoff2d.png", "popup2d.png", "map2d.png", "secondhalf2d.png"}) {
        const PngImage& frame = run.frames.at(name);
        WriteTestOutputPng(std::string("watch2d_") + name, frame.width, frame.height, frame.rgb);
        EXPECT_TRUE(FrameShowsBackground(frame, BACKGROUND_SCANBACK)) << name;
        EXPECT_EQ(LinesSeen(frame), 5) << name;
        EXPECT_GT(TextPixels(frame, 150, 4, 340, 14), 20) << name;                     // the score
        EXPECT_GT(CountNearColour(frame, 281, 18, 84, 22, 0xFF6B29, 8), 150) << name;  // its clock
        // Side 0's panel lies under the pop-up once the pointer rests on its keeper's dot.
        const bool popUpShown =
            name != std::string("kickoff2d.png") && name != std::string("secondhalf2d.png");
        if (!popUpShown) {
            EXPECT_EQ(PanelDots(frame, 0), MATCH_STARTERS) << name;
        }
        EXPECT_EQ(PanelDots(frame, 1), MATCH_STARTERS) << name;
        EXPECT_GT(TextPixels(frame, 405, 445, 90, 30), 5) << name;    // "x 8"
        EXPECT_GT(TextPixels(frame, 510, 445, 100, 30), 20) << name;  // "Tactique"
        // On the pitch below the panels, both sides' shirts: one green, the other orange.
        EXPECT_GT(CountNearColour(frame, 20, 140, 600, 300, 0x086300, 8), 20) << name;
        EXPECT_GT(CountNearColour(frame, 20, 140, 600, 300, 0xB53600, 14), 50) << name;
    }
    // At kick-off, both sides' shirts on the pitch: a blob or more for each man seen. Orange kicks
    // off and shows its eleven; green's two forwards wait on its central midfielders' spots, so
    // nine of its men show.
    const PngImage& kickOff = run.frames.at("kickoff2d.png");
    EXPECT_GE(CountColourBlobs(kickOff, 0x086300, 8, OnPitch), 14);
    EXPECT_GE(CountColourBlobs(kickOff, 0xB53600, 14, OnPitch), 18);
    // The followed keeper's map round his goal, not there at kick-off.
    EXPECT_GT(MapCellPixels(run.frames.at("map2d.png")), 200);
    EXPECT_LT(MapCellPixels(run.frames.at("kickoff2d.png")), 20);
    // The pop-up's eight lines, down and right of the pointer.
    EXPECT_GT(TextPixels(run.frames.at("popup2d.png"), 24, 94, 160, 110), 150);
    ExpectWatchedMatchScoredAndHeard(run, "kickoff2d.wav", "match2d.wav", false);
}
