// The text match view on the headless host: its pacing, its zones, its panels and the screen it
// draws for a seeded side-by-side line-up.
#include "matchscreens/textview.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "engine/host/clock.h"
#include "engine/timer.h"
#include "game/kitcolours.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/presentation.h"
#include "matchscreens/matchkeys.h"
#include "menus/machine.h"
#include "menus/menupc.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/gamecode/harness/textview_scene.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/news_message.h"
#include "tests/support/support.h"
#include "viewservices/timedevents.h"

namespace {

// A press and a release of the pointer's button at (x, y), as two input passes.
void Click(int32_t x, int32_t y)
{
    TextView_Input(x, y, true);
    TextView_Input(x, y, false);
}

// The longest run of frames in a row that drew nothing, over `frames` frames.
int32_t LongestSkipRun(int32_t frames)
{
    int32_t longest = 0, run = 0;
    for (int32_t f = 0; f < frames; ++f) {
        const uint32_t drawn = TextView.frameCounter;
        Analysis_Frame();
        run = TextView.frameCounter == drawn ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

bool ScreenDiffersFromBackground(int32_t x, int32_t y, int32_t w, int32_t h)
{
    for (int32_t py = y; py < y + h; ++py) {
        for (int32_t px = x; px < x + w; ++px) {
            const uint8_t* back =
                MenuScreen.backBuffer
                + (static_cast<size_t>(py) * MenuScreen.width + px) * MenuScreen.bytesPerPixel;
            const uint8_t* work =
                MenuScreen.workScreen
                + (static_cast<size_t>(py) * MenuScreen.width + px) * MenuScreen.bytesPerPixel;
            if (std::memcmp(back, work, MenuScreen.bytesPerPixel) != 0) return true;
        }
    }
    return false;
}

TEST(TextView, LateFramesAreSkippedAtMostSpeedOverTwentyInARow)
{
    ScopedTextView view;
    ClockSetAutoAdvance(true);
    SpeedIndex = 0;
    TextView.nextFrameTime = 0.0f;
    ClockAdvance(500);
    EXPECT_EQ(LongestSkipRun(40), 2);
    // Lateness is not carried over: a drawn frame starts counting from now.
    EXPECT_GT(TextView.nextFrameTime, static_cast<float>(TickCount.load()) - 5.0f);
    SpeedIndex = 3;
    TextView.nextFrameTime = 0.0f;
    ClockAdvance(500);
    EXPECT_EQ(LongestSkipRun(120), 25);
}

TEST(TextView, SpeedZonesStopAtFiveHundredAndAPressActsOnce)
{
    ScopedTextView view;
    EXPECT_EQ(SpeedIndex, 2);
    for (int32_t press = 0; press < 4; ++press)
        Click(10, 440);
    EXPECT_EQ(SpeedIndex, 3);
    EXPECT_EQ(SpeedTable[SpeedIndex] / 50, 10);
    // Held across frames, the slower zone acts on the first frame only.
    for (int32_t frame = 0; frame < 5; ++frame)
        TextView_Input(10, 458, true);
    EXPECT_EQ(SpeedIndex, 2);
    TextView_Input(600, 450, false);
    Click(600, 450);  // "Tactique"
    EXPECT_EQ(MatchShared.menuRequest, 1);
}

TEST(TextView, ChangeOfEndsRedrawsAndSwapsTheRadarToggles)
{
    ScopedTextView view;
    TextView_DrawScreen();
    EXPECT_EQ(TextView.fullRedraw, 0);
    Click(260, 205);  // the side on the left: side 0
    EXPECT_EQ(RadarDisplay[0], 0);
    RadarDisplay[0] = 1;
    Match.secondOfPair = 1;
    TextView.frameCounter = 1;  // no panel due by its residue
    TextView_DrawScreen();
    EXPECT_EQ(TextView.lastEnds, 1);
    EXPECT_TRUE(ScreenDiffersFromBackground(404, 100, 236, 150));  // the line-ups drawn again
    Click(260, 205);
    EXPECT_EQ(RadarDisplay[1], 0);
    EXPECT_EQ(RadarDisplay[0], 1);
}

TEST(TextView, ClockAndGraphFollowThePeriod)
{
    ScopedTextView view;
    Match.period = 1;
    Match.periodTicks = 7500;
    EXPECT_STREQ(TextView_ClockText(), " 67:30");
    Match.periodTicks = 15000;
    EXPECT_STREQ(TextView_ClockText(), GetMessageText(628));
    // Extra time's stoppage passes minute 120: the graph stays on it.
    Match.period = 3;
    Match.periodTicks = 60000;
    EXPECT_EQ(TextView_CurrentMinute(), 120);
    Match.period = MATCH_PERIOD_SHOOT_OUT;
    EXPECT_STREQ(TextView_ClockText(), GetMessageText(613));
    EXPECT_EQ(TextView_CurrentMinute(), 120);
    std::memset(GetMatchDataBlock()->territory, 70, MATCH_TERRITORY_MINUTES);
    TextView_DrawScreen();  // every row stays inside the graph
    EXPECT_FALSE(ScreenDiffersFromBackground(270, 322 + 14, 100, 10));
    EXPECT_EQ(TextView_FigureColour(81), 6);
    EXPECT_EQ(TextView_FigureColour(80), 12);
    EXPECT_EQ(TextView_FigureColour(65), 0);
    EXPECT_EQ(TextView_FigureColour(50), 16);
    EXPECT_EQ(TextView_FigureColour(40), 4);
}

TEST(TextView, SideOneRowsReachTheEdgeAndClearedKitsTakeTheLastColour)
{
    ScopedTextView view;
    TextView_DrawScreen();
    EXPECT_TRUE(ScreenDiffersFromBackground(600, 100, 40, 150));
    KitDesign kit = MatchSide_GetKit(GetMatchSidesBlock()->sides[1]);
    kit.colours[0][0] = static_cast<int16_t>(0xFFFF);
    MatchSide_SetKit(&GetMatchSidesBlock()->sides[1], kit);
    TextView_TakeSideColours();
    EXPECT_EQ(TextView.sideColour[1][0], KitColourTable[KIT_COLOUR_COUNT - 1].r * 100 / 255);
}

TEST(TextView, ASideShowsItsSevenNewestGoalsAndCards)
{
    ScopedTextView view;
    MatchDataBlock* data = GetMatchDataBlock();
    data->eventCount = 9;
    for (int32_t e = 0; e < 9; ++e)
        data->events[e] = {
            static_cast<uint8_t>(e % 2 == 0 ? 0 : 2), 0, static_cast<int16_t>(10 + e), 0, 0, -1};
    TextView.fullRedraw = 1;
    TextView_DrawScreen();
    EXPECT_TRUE(ScreenDiffersFromBackground(0, 310, 40, 16));
    EXPECT_TRUE(ScreenDiffersFromBackground(0, 310 + 6 * 16, 40, 16));
    EXPECT_FALSE(ScreenDiffersFromBackground(0, 310 + 7 * 16, 40, 16));
    // The statistics, redrawn on other frames, leave the other side's rows alone.
    for (int32_t e = 0; e < 3; ++e)
        data->events[e].a = 1;  // the newest of the three at y 342, beside the statistics
    TextView.fullRedraw = 1;
    TextView_DrawScreen();
    TextView.frameCounter = 11;
    TextView_DrawScreen();
    EXPECT_TRUE(ScreenDiffersFromBackground(404, 342, 30, 16));
}

TEST(TextView, AGoalNamesItsScorerAndAnOwnGoalSaysCsc)
{
    ScopedTextView view;
    MatchPersons[3].playerId = 4000;
    std::snprintf(MatchPersons[3].name, sizeof MatchPersons[3].name, "%s", "A. Buteur");
    MatchPersons[MATCH_PERSONS_PER_SIDE + 4].playerId = 4001;
    std::snprintf(MatchPersons[MATCH_PERSONS_PER_SIDE + 4].name,
                  sizeof MatchPersons[MATCH_PERSONS_PER_SIDE + 4].name, "%s", "X. Lemerin");
    EXPECT_STREQ(TextView_GoalScorer(0, 4000), "A. Buteur");
    EXPECT_STREQ(TextView_GoalScorer(0, 4001), "X. Lemerin csc");
    EXPECT_STREQ(TextView_GoalScorer(1, 4000), "A. Buteur csc");
    EXPECT_STREQ(TextView_GoalScorer(1, 4001), "X. Lemerin");
    EXPECT_STREQ(TextView_GoalScorer(0, 4002), "");
}

TEST(TextView, RadarShowsEachPlayerOnTheLinesAndLeavesNoTrail)
{
    ScopedTextView view;
    const int32_t xs[3] = {Pitch.leftTouchline, (Pitch.leftTouchline + Pitch.rightTouchline) / 2,
                           Pitch.rightTouchline};
    const int32_t ys[3] = {Pitch.firstGoalLine, (Pitch.firstGoalLine + Pitch.secondGoalLine) / 2,
                           Pitch.secondGoalLine};
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person)
        MatchPersons[person].offPitch = 1;
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t slot = 0; slot < MATCH_STARTERS; ++slot) {
            const int32_t person = side * MATCH_PERSONS_PER_SIDE + slot;
            const int32_t spot = (side * MATCH_STARTERS + slot) % 9;
            Person_PlaceAt(person, xs[spot % 3], ys[spot / 3]);
            MatchPersons[person].offPitch = 0;
            TextView_DrawScreen();
            const int32_t x = 242 + (ys[spot / 3] - Pitch.firstGoalLine) * 157 / Pitch.pitchLength;
            const int32_t y = 91 + (Pitch.rightTouchline - xs[spot % 3]) * 107 / Pitch.pitchWidth;
            EXPECT_TRUE(ScreenDiffersFromBackground(x - 2, y - 2, 5, 5)) << side << " " << slot;
            MatchPersons[person].offPitch = 1;
        }
    }
    // The ball in a corner, then at the centre spot: the corner is clean again.
    Person_PlaceAt(MATCH_BALL, Pitch.leftTouchline, Pitch.secondGoalLine);
    TextView_DrawScreen();
    EXPECT_TRUE(ScreenDiffersFromBackground(390, 185, 14, 18));
    Person_PlaceAt(MATCH_BALL, xs[1], ys[1]);
    TextView_DrawScreen();
    EXPECT_FALSE(ScreenDiffersFromBackground(380, 180, 24, 30));
}

TEST(TextView, HoveringTheGraphReplacesTheFiftyAndItsLabelLeavesNoTrail)
{
    ScopedTextView view;
    TextView.frameCounter = 1;
    TextView_DrawScreen();
    EXPECT_TRUE(ScreenDiffersFromBackground(310, 322, 20, 14));  // the 50
    TextView_Input(271, 300, false);
    EXPECT_FALSE(ScreenDiffersFromBackground(310, 322, 20, 14));
    EXPECT_TRUE(ScreenDiffersFromBackground(271, 232, 1, 90));  // the line at the pointer
    TextView_DrawScreen();
    EXPECT_FALSE(ScreenDiffersFromBackground(250, 322, 20, 14));
}

// Long club names, a news line from another ground and the slowest speed: the column heads, the
// score, the news, the side buttons, the speed buttons and the commentary each keep to their own
// place (the golden frame is looked at once, then guards it).
TEST(TextView, TheScreenWithLongNamesAndANewsLineMatchesItsGolden)
{
    ScopedTextView view;
    MatchDayBlock& block = *GetMatchSidesBlock();
    const char* names[2] = {"Stade Bricourt", "Racing Dramont"};
    for (int32_t side = 0; side < 2; ++side) {
        std::memset(block.sides[side].teamName, 0, MATCH_TEAM_NAME_BYTES);
        std::memcpy(block.sides[side].teamName, names[side], std::strlen(names[side]));
    }
    const ScopedNewsMessage news(static_cast<int>(Tick.load() + TIMEDEVENT_SHOW_TICKS));
    std::snprintf(CommentaryLine, sizeof(CommentaryLine), "%s",
                  "B. Giranaux envoie un ballon a\xE9rien \xE0 C. Tesarard vers l'avant");
    Match.score[0] = 2;
    Match.score[1] = 10;
    SpeedIndex = 0;
    TextView_DrawStaticScreen();
    TextView_DrawScreen();
    // The news line lies below the score, and the side buttons show whole words.
    EXPECT_FALSE(ScreenDiffersFromBackground(0, 47, 640, 3));
    WriteFrameToTestOutput("text_view_layout.png");
    ExpectGoldenHash("menus/text_view_layout", WorkScreenHash());
}

TEST(TextViewDeathTest, PositionClassOutsideTheFourIsFatal)
{
    EXPECT_FATAL(
        {
            ScopedTextView view;
            GetMatchSidesBlock()->sides[0].entries[3].positionCode = 13;
            TextView.fullRedraw = 1;
            TextView_DrawScreen();
        },
        "ERROR:analysis default case,3 3 0");
}

}  // namespace
