// tests/menus/matchanalysis_test.cpp: the match analysis table's rows from a hand-filled kept
// match, its category drop-down, its buttons inside and outside the post-match sequence, and
// its frame.
#include "menus/matchanalysis.h"

#include <algorithm>
#include <cstdio>

#include <gtest/gtest.h>

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/squad.h"
#include "gamecode/matchdata.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/matchstats.h"
#include "menus/menubar.h"
#include "tests/support/screen_redraw.h"

namespace {

struct Figures {
    int32_t position;
    int32_t field;
    int32_t value;
};

class MatchAnalysisTest : public ::testing::Test {
protected:
    // Side 0 of a match: a keeper with three kinds of save, a defender who never came on, a
    // defender sent off in the first minute, the man of the match, a substitute on for the last
    // 25 in place of shirt 10, shirt 16 absent.
    void SetUp() override
    {
        VTW_RefreshSquadCount(m_screen.HumanClub());
        const int32_t row = m_screen.HumanFixture();
        Fixture_SetGoals(row, 2, 1);
        LastMatchCopyRecord& copy = LastMatchCopy;
        copy.fixtureRow = static_cast<int16_t>(row);
        std::snprintf(copy.sides[0].teamName, sizeof copy.sides[0].teamName, "Domicile");
        std::snprintf(copy.sides[1].teamName, sizeof copy.sides[1].teamName, "Visiteurs");
        copy.stats[0].score = 2;
        copy.stats[1].score = 1;
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT - 1; ++k) {
            copy.sides[0].playerIds[k] = static_cast<uint16_t>(VTW_GetSquadPlayer(k));
            if (k == 3 || k >= 12) continue;
            Set(k, PMR_RATING, 60 + k);
        }
        const Figures figures[] = {
            {0, 43, 3},
            {0, 44, 2},
            {0, 45, 1},
            {0, PMR_GOALS_CONCEDED, 2},
            {5, 37, 4},
            {5, 38, 3},  // a foul counter: no tackle tried
            {5, PMS_TACKLES_TRIED, 7},
            {5, PMR_TIME_ON_PITCH, 1},
            {5, PMR_BOOKINGS, 3},
            {7, PMR_TIME_ON_PITCH, 93},
            {7, PMR_GOALS, 2},
            {7, PMR_CONDITION, 88},
            {7, PMR_HURT, 1},
            {11, PMR_TIME_ON_PITCH, 25},
            {11, PMR_RATING, 55},
            {11, PMR_BOOKINGS, 1},
        };
        for (const Figures& f : figures)
            Set(f.position, f.field, f.value);
        copy.stats[0].manOfTheMatch = static_cast<int16_t>(copy.sides[0].playerIds[7]);
        const auto id = [&](int32_t k) { return static_cast<int16_t>(copy.sides[0].playerIds[k]); };
        copy.eventCount = 3;
        copy.events[0] = {3, 0, 1, 0, id(5), -1};
        copy.events[1] = {1, 1, 65, 0, id(9), id(11)};
        copy.events[2] = {1, 1, 70, 1, id(2), id(12)};  // the other side's: not ours
    }
    void TearDown() override { MatchReportFlags = 0; }

    static void Set(int32_t position, int32_t field, int32_t value)
    {
        PlayerMatchRecord& r = LastMatchCopy.stats[0].players[position];
        if (field < PMR_FIELD_COUNT) {
            PlayerMatchRecord_Set(&r, field, value);
        } else {
            r.unread[field - PMR_FIELD_COUNT] = static_cast<uint8_t>(value);
        }
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(MatchAnalysisTest, EachCategorysColumnsComeFromTheFigureTable)
{
    constexpr int32_t B = ANALYSIS_NO_VALUE;
    struct Case {
        int32_t category, position;
        int32_t values[ANALYSIS_COLUMNS];
    };
    const Case cases[] = {
        {0, 0, {6, 0, 2, 0, 0, 0}},     // saves: catches, parries and palms
        {1, 5, {7, 4, 0, 0, 0, 0}},     // tackles tried, tackles won
        {4, 0, {60, 90, 0, 0, 0, B}},   // rating, minutes, goals, condition, participation
        {4, 5, {65, 1, 0, 0, 0, B}},    // sent off in the first minute: 1
        {4, 7, {67, 90, 2, 88, 0, B}},  // the man of the match
        {4, 9, {69, 65, 0, 0, 0, B}},   // taken off at 65
        {4, 11, {55, 24, 0, 0, 0, B}},  // on for 25: a minute less
    };
    EXPECT_EQ(MatchAnalysis_MinutesBound(LastMatchCopy, 0, 90), 90);
    EXPECT_EQ(MatchAnalysis_MinutesBound(LastMatchCopy, 0, 119), 90);
    EXPECT_EQ(MatchAnalysis_MinutesBound(LastMatchCopy, 0, 120), 120);
    for (const Case& c : cases) {
        MatchAnalysis_FillRows(LastMatchCopy, 0, c.category);
        const MatchAnalysisRow& row = MatchAnalysis.rows[c.position];
        EXPECT_TRUE(row.tookPart) << c.category << "/" << c.position;
        EXPECT_EQ(row.number, c.position + 1);
        for (int32_t k = 0; k < ANALYSIS_COLUMNS; ++k)
            EXPECT_EQ(row.values[k], c.values[k]) << c.category << "/" << c.position << " " << k;
    }
    const MatchAnalysisRow* rows = MatchAnalysis.rows;
    EXPECT_FALSE(rows[3].tookPart);
    EXPECT_EQ(rows[15].player, -1);
    EXPECT_EQ(rows[5].bookings, 3);
    EXPECT_EQ(rows[11].bookings, 1);
    EXPECT_TRUE(rows[7].injured && rows[7].manOfTheMatch);
    EXPECT_FALSE(rows[0].injured || rows[0].manOfTheMatch);
}

TEST_F(MatchAnalysisTest, TheDropDownTicksTheCategoryAndReplacesOnlyItsBits)
{
    MenuListEntry* popup = MatchAnalysis_CategoryPopup();
    const int32_t rowCategories[] = {0, 1, 5, 2, 3, 4};
    for (int32_t row = 0; row < 6; ++row) {
        MatchReportFlags = MATCH_REPORT_IN_SEQUENCE | MATCH_REPORT_DONE;
        MatchAnalysis_SetCategory(3);
        MenuListRecord record{1, 0, 0};
        popup[0].prepare(&record);
        for (int32_t n = 0; n < 6; ++n)
            EXPECT_EQ((popup[1 + n].flags & LIST_CHECKED) != 0, n == 4) << n;
        const int32_t code = MatchAnalysis_ChooseRow(row);
        EXPECT_EQ(code, rowCategories[row] == 3 ? LIST_CODE_KEEP : LIST_CODE_REDRAW) << row;
        EXPECT_EQ(MatchAnalysis_Category(), rowCategories[row]);
        EXPECT_EQ(MatchReportFlags & ~MATCH_REPORT_CATEGORY,
                  MATCH_REPORT_IN_SEQUENCE | MATCH_REPORT_DONE);
    }
    MatchReportFlags = 0;
    EXPECT_EQ(MatchAnalysis_Category(), -1);
    MatchAnalysis_SetCategory(3);
    EXPECT_EQ(MatchReportFlags, 1 << 3);  // attack: the category the report's graphs default to
}

TEST_F(MatchAnalysisTest, TheButtonsSwitchSidesInsideTheSequenceAndLeaveOutsideIt)
{
    struct Case {
        uint8_t flags;
        int32_t (*handler)();
        int32_t code;
        int16_t option;  // -2: unchanged
        uint8_t flagsAfter;
        int32_t side;
        uint16_t page = 0;  // MatchReportPage afterwards
    };
    const uint8_t seq = MATCH_REPORT_IN_SEQUENCE;
    const uint8_t chosen = MATCH_REPORT_SIDE_CHOSEN;
    const uint8_t attack = 4 << 1;  // category 3, stored + 1
    const Case cases[] = {
        {uint8_t(seq | chosen), MatchAnalysis_SideButton, EXM_CODE_REDRAW, -2,
         uint8_t(seq | chosen), 1},
        {chosen, MatchAnalysis_SideButton, EXM_CODE_LEAVE, 62, chosen, 0},
        {uint8_t(seq | chosen), MatchStats_Back, EXM_CODE_LEAVE, -2,
         uint8_t(seq | chosen | MATCH_REPORT_DONE), 0},
        {chosen, MatchStats_Back, EXM_CODE_LEAVE, MENU_OPTION_OFFICE, MATCH_REPORT_DONE, 0},
        // The graphs: the page selector inside the sequence, option 61 outside; nothing without a
        // category.
        {uint8_t(seq | attack), MatchAnalysis_ShowGraphs, LIST_CODE_LEAVE, -2,
         uint8_t(seq | attack), 0, 1},
        {attack, MatchAnalysis_ShowGraphs, LIST_CODE_LEAVE, 61, attack, 0, 1},
        {seq, MatchAnalysis_ShowGraphs, LIST_CODE_CLOSE, -2, seq, 0},
        {0, MatchAnalysis_ShowGraphs, LIST_CODE_CLOSE, -2, 0, 0},
    };
    for (const Case& c : cases) {
        MenuOption = 60;
        MatchReportPage = 0;
        MatchAnalysis.side = 0;
        MatchReportFlags = c.flags;
        EXPECT_EQ(c.handler(), c.code) << int(c.flags);
        EXPECT_EQ(MenuOption, c.option == -2 ? 60 : c.option) << int(c.flags);
        EXPECT_EQ(MatchReportFlags, c.flagsAfter) << int(c.flags);
        EXPECT_EQ(MatchAnalysis.side, c.side) << int(c.flags);
        EXPECT_EQ(MatchReportPage, c.page) << int(c.flags);
    }
    // The drop-down's last row is the graphs.
    MatchReportFlags = attack;
    EXPECT_EQ(MatchAnalysis_ChooseRow(6), LIST_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 61);
}

TEST_F(MatchAnalysisTest, TheHumansSideInTheGeneralCategoryMatchesTheGolden)
{
    const bool humanAway = VTW_GetFixtureAwayClub(ReportFixture) == m_screen.HumanClub();
    if (humanAway) {
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {  // packed: word by word
            LastMatchCopy.sides[1].playerIds[k] = LastMatchCopy.sides[0].playerIds[k];
            LastMatchCopy.stats[1].players[k] = LastMatchCopy.stats[0].players[k];
        }
    }
    MatchReportFlags = MATCH_REPORT_DONE;
    uint32_t hash = 0;
    m_screen.Run(MatchAnalysis_Table(), [&] { hash = WorkScreenHash(); });
    EXPECT_EQ(MatchAnalysis.side, humanAway ? 1 : 0);
    EXPECT_EQ(MatchAnalysis.category, ANALYSIS_CATEGORY_GENERAL);
    EXPECT_EQ(MatchReportFlags & (MATCH_REPORT_DONE | MATCH_REPORT_SIDE_CHOSEN),
              MATCH_REPORT_SIDE_CHOSEN);
    EXPECT_EQ(MatchAnalysis.heads[3], 1600);
    EXPECT_STREQ(MatchAnalysis.names[1], "Visiteurs");
    ExpectGoldenHash("menus/match_analysis", hash);
}
