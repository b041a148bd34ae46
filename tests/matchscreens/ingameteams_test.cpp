// The in-match team screens over a seeded fixture: which rows they list, what each row shows,
// where the long names come from, and how their buttons and headers answer the pointer.
#include "matchscreens/ingameteams.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "matchscreens/tacticsgrid.h"
#include "menus/vtmenu.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

// A seeded fixture on the menu display, every player in his own line-up place, the starters on
// the pitch.
class InGameTeamsTest : public testing::Test {
protected:
    void SetUp() override
    {
        MatchBlocks_Init();
        MatchEngine_Init();
        MatchPresentation_SetDefaults();
        MatchDayBuilder().Write();
        InGameMenus_Init();
        SeatEveryPersonInHisPlace();
    }
    void TearDown() override
    {
        InGameMenus_Uninit();
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
    }

    static InGameLineUpRow Row(int32_t side, int32_t place)
    {
        InGameLineUpRow row{};
        InGameTeams_LineUpRow(side, place, &row);
        return row;
    }

    ScopedMenuDisplay m_display;
};

}  // namespace

TEST_F(InGameTeamsTest, RowsListTheStartersAndTheSubstitutesWhoMayComeOn)
{
    struct Case {
        int16_t bench, allowed;
        int32_t rows;
    };
    // A league match names five and lets three on: only those three are listed.
    const Case cases[] = {{0, 3, 11},  {3, 3, 14}, {5, 5, 16},  {9, 5, 16},
                          {-1, 3, 11}, {5, 3, 14}, {5, -1, 11}, {5, 9, 16}};
    for (const Case& c : cases) {
        GetMatchSidesBlock()->benchSize = c.bench;
        GetMatchSidesBlock()->substitutionsAllowed = c.allowed;
        EXPECT_EQ(InGameTeams_RowCount(), c.rows) << c.bench << " " << c.allowed;
    }
}

TEST_F(InGameTeamsTest, TheCaptainsLetterStandsOnHisOwnSideOnlyFirstAtHomeLastAway)
{
    Football_SetCaptain(0, 3);
    Football_SetCaptain(1, 5);
    EXPECT_STREQ(Row(0, 3).name, "(C) J. Joueur03");
    EXPECT_STREQ(Row(1, 5).name, "J. Joueur21 (C)");
    EXPECT_STREQ(Row(1, 3).name, "J. Joueur19");
    EXPECT_STREQ(Row(0, 5).name, "J. Joueur05");
}

TEST_F(InGameTeamsTest, CardMarksAndTheKnockFollowThePlayersState)
{
    struct Case {
        int16_t bookings;
        int16_t sentOff;
        int8_t hurt;
        int32_t cards[2];
        int32_t knock;
    };
    const Case cases[] = {
        {0, 0, 0, {0, 0}, 0}, {1, 0, 0, {4, 0}, 0}, {2, 0, 0, {4, 3}, 0},
        {0, 1, 0, {3, 0}, 0}, {0, 0, 1, {0, 0}, 5},
    };
    for (const Case& c : cases) {
        MatchPerson& p = MatchPersons[2];
        p.bookings = c.bookings;
        p.sentOff = c.sentOff;
        p.resultByteB = c.hurt;
        const InGameLineUpRow row = Row(0, 2);
        EXPECT_EQ(row.cardGraphics[0], c.cards[0]) << c.bookings << c.sentOff;
        EXPECT_EQ(row.cardGraphics[1], c.cards[1]) << c.bookings << c.sentOff;
        EXPECT_EQ(row.knockGraphic, c.knock);
    }
    EXPECT_EQ(Row(0, 12).rating, 0);     // a substitute who never came on shows no rating
    MatchPersons[13].matchRating = 255;  // one who may not come on rates -1
    EXPECT_EQ(Row(0, 13).rating, 0);
    EXPECT_GE(Row(0, 2).rating, 10);
}

TEST_F(InGameTeamsTest, SquadColumnsReadTheEntrysTenSkillsAndNameThemByTheHeaderRule)
{
    static_assert(offsetof(MatchPlayerEntry, displaySkills) == 89);
    MatchPlayerEntry& entry = GetMatchSidesBlock()->sides[1].entries[4];
    for (int32_t c = 0; c < IGT_SQUAD_COLUMNS; ++c)
        entry.displaySkills[c] = static_cast<uint16_t>(60 + c);
    const char* longNames[IGT_SQUAD_COLUMNS] = {"Arr\xEAts", "T\xEAtes", "Tacles",      "Passes",
                                                "Tirs",      "Dribble",  "Ballon mort", "Mental",
                                                "Charisme",  "Vitesse"};
    for (int32_t c = 0; c < IGT_SQUAD_COLUMNS; ++c) {
        EXPECT_EQ(InGameTeams_SquadSkill(1, 4, c), 60 + c);
        EXPECT_STREQ(GetMessageText(InGameTeams_SquadLongName(c)), longNames[c]) << c;
    }
}

TEST_F(InGameTeamsTest, EveryPerformanceHeaderHasALongNameOfItsOwn)
{
    for (int32_t page = 0; page < IGT_PERFORMANCE_PAGES; ++page) {
        for (int32_t c = 0; c < IGT_PERFORMANCE_COLUMNS; ++c) {
            const int32_t header = InGameTeams_PerformanceHeader(page, c);
            if (header == 0) continue;
            const int32_t longName = InGameTeams_PerformanceLongName(header);
            ASSERT_NE(longName, -1) << header;
            EXPECT_GT(std::strlen(GetMessageText(longName)), std::strlen(GetMessageText(header)))
                << header;
        }
    }
}

TEST_F(InGameTeamsTest, APlayerWhoHasNotTakenPartShowsNoFigures)
{
    int32_t figures[IGT_PERFORMANCE_COLUMNS] = {-7, -7, -7, -7, -7, -7};
    EXPECT_FALSE(InGameTeams_PerformanceFigures(0, 13, 4, figures));
    EXPECT_EQ(figures[0], -7);
    MatchPersons[3].stats.goals = 2;
    ASSERT_TRUE(InGameTeams_PerformanceFigures(0, 3, 4, figures));
    EXPECT_EQ(figures[2], 2);  // "BUT"
    MatchPersons[3].stats.ballsLost = 4;
    ASSERT_TRUE(InGameTeams_PerformanceFigures(0, 3, 5, figures));
    EXPECT_EQ(figures[1], 4);  // "PP", from a spare counter of the record
}

TEST_F(InGameTeamsTest, NavigationBarActsOnTheReleaseOnly)
{
    InGameMenuId = IGM_SQUAD;
    InGameMenuSide = 0;
    InGameScreen_Open(InGameTeams_Screen(IGM_SQUAD));
    EXPECT_EQ(SendVTEventAt(520, 440, VT_EVENT_PRESS), VT_CONTINUE);
    EXPECT_EQ(InGameMenuId, IGM_SQUAD);
    EXPECT_EQ(SendVTEventAt(520, 440, VT_EVENT_RELEASE), VT_BREAK_1);
    EXPECT_EQ(InGameMenuId, IGM_SQUAD);
    EXPECT_EQ(InGameMenuSide, 1);
    EXPECT_EQ(SendVTEventAt(320, 460, VT_EVENT_RELEASE), VT_BREAK_1);
    EXPECT_EQ(InGameMenuId, IGM_LINE_UPS);
    InGameScreen_Close();

    InGameScreen_Open(InGameTeams_Screen(IGM_LINE_UPS));
    EXPECT_EQ(SendVTEventAt(320, 460, VT_EVENT_RELEASE), VT_BREAK_1);
    EXPECT_EQ(InGameMenuId, IGM_CLOSED);  // "Terminer" on the line-ups
    InGameScreen_Close();
}

TEST_F(InGameTeamsTest, ASquadHeadersLongNameShowsOnlyWhileThePointerIsOnIt)
{
    InGameMenuId = IGM_SQUAD;
    InGameScreen_Open(InGameTeams_Screen(IGM_SQUAD));
    EXPECT_EQ(SendVTEventAt(190, 90, VT_EVENT_ENTER), VT_BREAK_0);
    EXPECT_EQ(InGameTeams_LongNameShown(), 41);
    EXPECT_EQ(SendVTEventAt(190, 90, VT_EVENT_LEAVE), VT_BREAK_0);
    EXPECT_EQ(InGameTeams_LongNameShown(), -1);
    InGameScreen_Close();
}

TEST_F(InGameTeamsTest, PerformanceReopensOnTheLastPageEveryTime)
{
    InGameMenuId = IGM_PERFORMANCE;
    InGameScreen_Open(InGameTeams_Screen(IGM_PERFORMANCE));
    EXPECT_EQ(InGameTeams_PerformancePage(), IGT_FIRST_PAGE);
    EXPECT_EQ(SendVTEventAt(70, 380, VT_EVENT_RELEASE), VT_BREAK_0);  // "Arrêts"
    EXPECT_EQ(InGameTeams_PerformancePage(), 0);
    InGameScreen_Close();
    InGameScreen_Open(InGameTeams_Screen(IGM_PERFORMANCE));
    EXPECT_EQ(InGameTeams_PerformancePage(), IGT_FIRST_PAGE);
    InGameScreen_Close();
}

// "MIN" on the performance pages and the team screen's fourth figure run with the match clock:
// a starter's from the kick-off, a substitute's from the minute he came on, and a man taken off
// keeps what he had; through the shoot-out (whose clock reads 0) they stand at 120.
TEST_F(InGameTeamsTest, MinutesOnThePitchRunWithTheClockFromEachPlayersMinuteOn)
{
    const auto clockAt = [](uint8_t period, uint32_t ticks) {
        Match.period = period;
        Match.periodTicks = ticks;
    };
    const auto minutes = [](int32_t place) {
        int32_t figures[IGT_PERFORMANCE_COLUMNS] = {-7, -7, -7, -7, -7, -7};
        if (!InGameTeams_PerformanceFigures(0, place, IGT_FIRST_PAGE, figures)) return -1;
        int32_t info[TG_COLUMNS];
        TacticsColumns_Figures(0, Football_GetSidePlayer(0, place), info);
        EXPECT_EQ(info[TG_COLUMNS - 1], figures[1]) << place;
        return figures[1];
    };
    ASSERT_EQ(InGameTeams_PerformanceHeader(IGT_FIRST_PAGE, 1), 684);  // "MIN"
    Match.periodLength = 15000;
    clockAt(0, 4000);  // 12:00
    EXPECT_EQ(minutes(2), 12);
    EXPECT_EQ(minutes(12), -1);  // on the bench: no figures
    Football_Substitute(0, 12, 7);
    clockAt(0, 5550);  // 16:39
    EXPECT_EQ(minutes(2), 16);
    EXPECT_EQ(minutes(7), 4);    // shirt 13, on at 12
    EXPECT_EQ(minutes(12), 12);  // shirt 8, off at 12
    clockAt(1, 8334);            // 70:00 in the second half
    EXPECT_EQ(minutes(0), 70);
    EXPECT_EQ(minutes(7), 58);
    EXPECT_EQ(minutes(12), 12);
    clockAt(MATCH_PERIOD_SHOOT_OUT, 0);
    EXPECT_EQ(minutes(0), 120);
    EXPECT_EQ(minutes(7), 108);
    EXPECT_EQ(minutes(12), 12);
}

// The team names drawn on the performance screen never reach the headers' row, however long the
// shown side's name is: the row's pixels are those of the screen with both names empty.
TEST_F(InGameTeamsTest, ThePerformanceTeamNamesKeepClearOfTheHeaders)
{
    const auto headerRow = [] {
        VT_MenuRedraw();
        std::vector<uint32_t> pixels;
        for (int32_t y = 86; y < 102; ++y) {
            for (int32_t x = 20; x < 620; ++x) {
                pixels.push_back(WorkPixel(x, y));
            }
        }
        return pixels;
    };
    MatchDayBlock& block = *GetMatchSidesBlock();
    const char* longNames[2] = {"Olympique Sainte-Marguerite", "Racing Dramont"};
    InGameMenuId = IGM_PERFORMANCE;
    for (int32_t side = 0; side < 2; ++side) {
        InGameMenuSide = static_cast<uint16_t>(side);
        InGameScreen_Open(InGameTeams_Screen(IGM_PERFORMANCE));
        std::memset(block.sides[0].teamName, 0, MATCH_TEAM_NAME_BYTES);
        std::memset(block.sides[1].teamName, 0, MATCH_TEAM_NAME_BYTES);
        const std::vector<uint32_t> bare = headerRow();
        for (int32_t s = 0; s < 2; ++s) {
            std::snprintf(block.sides[s].teamName, MATCH_TEAM_NAME_BYTES, "%s", longNames[s]);
        }
        EXPECT_EQ(headerRow(), bare) << side;
        std::vector<uint8_t> rgb;
        for (int32_t y = 0; y < 480; ++y) {
            for (int32_t x = 0; x < 640; ++x) {
                const uint32_t c = FrameRgbOf(WorkPixel(x, y));
                rgb.insert(rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
            }
        }
        WriteTestOutputPng(side == 0 ? "in_match_performance_home.png"
                                     : "in_match_performance_away.png",
                           640, 480, rgb);
        InGameScreen_Close();
    }
}
