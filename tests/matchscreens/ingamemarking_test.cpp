// The in-match marking screen over a seeded fixture with the human at home, driven through its
// real pointer events, and the marker the engine then plays.
#include "matchscreens/ingamemarking.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "game/matchblocks.h"
#include "game/tactics.h"
#include "gamecode/formation.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "menus/vtmenu.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/frame_probe.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/png.h"

namespace {

constexpr int32_t HOME_SHIRT_X = 30, AWAY_SHIRT_X = 600;
constexpr int32_t MARKING_BUTTON_X = 260, FIGURES_BUTTON_X = 380, MODE_BUTTON_Y = 374;

int32_t RowY(int32_t place) { return 100 + 20 * place; }

int32_t Click(int32_t x, int32_t y)
{
    SendVTEventAt(x, y, VT_EVENT_PRESS);
    return SendVTEventAt(x, y, VT_EVENT_RELEASE);
}

class InGameMarkingTest : public testing::Test {
protected:
    void SetUp() override
    {
        MatchBlocks_Init();
        MatchEngine_Init();
        MatchDayBuilder().Write();
        InGameMenus_Init();
        GetMatchSidesBlock()->sides[0].human = 1;
        SeatEveryPersonInHisPlace();
        for (int32_t side = 0; side < 2; ++side) {
            TacticCopies[side] = GetMatchSidesBlock()->sides[side].tactics[0];
            for (TacticsSlot& s : TacticCopies[side].slots)
                s.markedOpponent = TACTIC_NONE;
        }
        InGameMenuId = IGM_MARKING;
        InGameScreen_Open(InGameMarking_Screen());
    }
    void TearDown() override
    {
        InGameScreen_Close();
        InGameMenus_Uninit();
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
    }

    ScopedMenuDisplay m_display;
};

}  // namespace

TEST_F(InGameMarkingTest, TheHumansPicksSetTheMarkedPlaceWhichTheEnginePlays)
{
    TacticsRecord& own = TacticCopies[0];
    Click(HOME_SHIRT_X, RowY(6));
    EXPECT_EQ(+own.slots[6].markedOpponent, TACTIC_NONE);  // no picks outside the marking mode
    EXPECT_EQ(Click(MARKING_BUTTON_X, MODE_BUTTON_Y), VT_BREAK_0);
    ASSERT_EQ(InGameMarking_Mode(), 2);

    Click(HOME_SHIRT_X, RowY(5));
    Click(HOME_SHIRT_X, RowY(6));  // the pick moves; nothing is assigned
    EXPECT_EQ(InGameMarking_OwnPick(), 6);
    EXPECT_EQ(+own.slots[5].markedOpponent, TACTIC_NONE);
    Click(AWAY_SHIRT_X, RowY(7));
    EXPECT_EQ(+own.slots[6].markedOpponent, 7);
    EXPECT_EQ(InGameMarking_OwnPick(), -1);
    EXPECT_EQ(InGameMarking_OpponentPick(), -1);

    // Opponent first, the keeper: the pair drops without an assignment.
    Click(AWAY_SHIRT_X, RowY(0));
    EXPECT_EQ(InGameMarking_OpponentPick(), 0);
    Click(HOME_SHIRT_X, RowY(4));
    EXPECT_EQ(+own.slots[4].markedOpponent, TACTIC_NONE);
    EXPECT_EQ(InGameMarking_OpponentPick(), -1);

    // The hovered marker's name, "Marquage" and his man's name; gone on leaving.
    EXPECT_EQ(SendVTEventAt(HOME_SHIRT_X, RowY(6), VT_EVENT_ENTER), VT_BREAK_0);
    InGameMarkingCaption caption = InGameMarking_Caption(0);
    EXPECT_STREQ(caption.lines[0], "J. Joueur06");
    EXPECT_STREQ(caption.lines[1], "Marquage");
    EXPECT_STREQ(caption.lines[2], "J. Joueur23");
    SendVTEventAt(HOME_SHIRT_X, RowY(6), VT_EVENT_LEAVE);
    EXPECT_STREQ(InGameMarking_Caption(0).lines[0], "");
    // One who marks nobody shows his name alone.
    SendVTEventAt(HOME_SHIRT_X, RowY(4), VT_EVENT_ENTER);
    EXPECT_STREQ(InGameMarking_Caption(0).lines[0], "J. Joueur04");
    EXPECT_STREQ(InGameMarking_Caption(0).lines[1], "");
    SendVTEventAt(HOME_SHIRT_X, RowY(4), VT_EVENT_LEAVE);

    // The engine's marker follows the word as the man's line-up place.
    TeamShape[0] = own;
    CopySquadStatusToPlayers(0);
    EXPECT_EQ(+MatchPersons[6].markingSlot, 7);
    EXPECT_EQ(+MatchPersons[4].markingSlot, -1);

    // The opponent's columns only redraw; the second column clears a marking, 0 stays 0.
    const TacticsRecord theirs = TacticCopies[1];
    TacticCopies[1].slots[3].markedOpponent = 2;
    EXPECT_EQ(Click(515, RowY(3)), VT_BREAK_0);
    EXPECT_EQ(+TacticCopies[1].slots[3].markedOpponent, 2);
    TacticCopies[1] = theirs;
    for (int32_t press = 0; press < 2; ++press) {
        EXPECT_EQ(Click(105, RowY(6)), VT_BREAK_0);
        EXPECT_EQ(+own.slots[6].markedOpponent, 0);
    }
    InGameMarking_Screen().fill();
    VT_MenuRedraw();
    ExpectGoldenHash("in_match_marking", WorkScreenHash());
}

TEST_F(InGameMarkingTest, TheFiguresModesHeadersShowTheirLongNamesWhileHovered)
{
    EXPECT_EQ(SendVTEventAt(75, 80, VT_EVENT_ENTER), VT_CONTINUE);  // no headers in mode 0
    Click(FIGURES_BUTTON_X, MODE_BUTTON_Y);
    ASSERT_EQ(InGameMarking_Mode(), 3);
    const int32_t longNames[4] = {72, 959, 958, 1436};
    for (int32_t c = 0; c < 4; ++c) {
        EXPECT_EQ(SendVTEventAt(485 + 30 * c, 80, VT_EVENT_ENTER), VT_BREAK_0);
        EXPECT_EQ(InGameMarking_LongNameShown(), longNames[c]);
        SendVTEventAt(485 + 30 * c, 80, VT_EVENT_LEAVE);
        EXPECT_EQ(InGameMarking_LongNameShown(), -1);
    }
    // Instructions on the human side only: the crossing choice cycles at home, not away.
    Click(260, 394);  // "Instructions"
    Click(75, RowY(2));
    Click(485, RowY(2));
    const MatchDayBlock& block = *GetMatchSidesBlock();
    EXPECT_EQ(+TacticCopies[0].slots[2].crossing,
              (block.sides[0].tactics[0].slots[2].crossing + 1) % 3);
    EXPECT_EQ(+TacticCopies[1].slots[2].crossing, +block.sides[1].tactics[0].slots[2].crossing);
}

// Both sides on one pitch: each home player's shirt orange in his cell, each away player's purple
// in his cell turned about the centre, no line's shirt among them, each colour's shirt beside its
// team's name. Pressing the away name takes its shirts off the pitch and its key away.
TEST_F(InGameMarkingTest, EachSideWearsItsOwnShirtOnThePitchAndItsNameHidesIt)
{
    constexpr uint32_t kTeamShirts[2] = {0xF09632, 0xB478DC};
    constexpr uint32_t kLineShirts[4] = {0xFAD73C, 0x78B4FA, 0x82E682, 0xFA8278};
    constexpr int32_t kKeyX[2] = {186, 430};
    const auto frame = [](const char* name) {
        InGameMarking_Screen().fill();
        VT_MenuRedraw();
        PngImage image;
        image.width = 640;
        image.height = 480;
        for (int32_t y = 0; y < image.height; ++y) {
            for (int32_t x = 0; x < image.width; ++x) {
                const uint32_t rgb = FrameRgbOf(WorkPixel(x, y));
                image.rgb.insert(image.rgb.end(),
                                 {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                                  static_cast<uint8_t>(rgb)});
            }
        }
        WriteTestOutputPng(name, image.width, image.height, image.rgb);
        return image;
    };
    // The pixels of the side's colour in the shirt box of each of its ten outfield players.
    const auto shirtsOf = [&](const PngImage& image, int32_t side) {
        std::vector<int32_t> counts;
        for (int32_t place = 1; place < 11; ++place) {
            const TacticsSlot& s = TacticCopies[side].slots[place];
            const int32_t across = side == 0 ? s.row : 14 - s.row;
            const int32_t down = side == 0 ? 17 - s.column : s.column;
            counts.push_back(CountNearColour(image, 220 + 13 * across - 5, 28 + 16 * down - 2, 24,
                                             20, kTeamShirts[side], 12));
        }
        return counts;
    };
    const PngImage both = frame("in_match_marking_pitch.png");
    for (int32_t side = 0; side < 2; ++side) {
        for (const int32_t pixels : shirtsOf(both, side))
            EXPECT_GT(pixels, 20) << side;
        EXPECT_GT(CountNearColour(both, kKeyX[side], 30, 24, 20, kTeamShirts[side], 12), 100);
    }
    for (const uint32_t line : kLineShirts)
        EXPECT_EQ(CountNearColour(both, 220, 28, 200, 300, line, 12), 0) << std::hex << line;

    EXPECT_EQ(Click(520, 40), VT_BREAK_0);  // the away name
    const PngImage home = frame("in_match_marking_home.png");
    EXPECT_EQ(shirtsOf(home, 0), shirtsOf(both, 0));
    EXPECT_EQ(CountNearColour(home, 220, 28, 200, 300, kTeamShirts[1], 12), 0);
    EXPECT_EQ(CountNearColour(home, kKeyX[1], 30, 24, 20, kTeamShirts[1], 12), 0);
}
