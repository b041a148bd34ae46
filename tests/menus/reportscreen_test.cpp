// tests/menus/reportscreen_test.cpp: the match report's columns, its buttons and its frame.
#include "menus/reportscreen.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/matchblocks.h"
#include "game/squad.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/screen_redraw.h"

namespace {

struct Incident {
    int32_t person;  // squad index
    int32_t side, kind, minute;
    uint8_t detail;
};

class MatchReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VTW_RefreshSquadCount(m_screen.HumanClub());
        for (int32_t k = 0; k < 4; ++k)
            m_players.push_back(VTW_GetSquadPlayer(k));
    }

    std::string Name(int32_t k) const { return VTW_FormatPersonName(m_players[k]); }

    // The list as the match day leaves it: the incidents, then the end.
    std::vector<LastMatchIncident> List(const std::vector<Incident>& incidents) const
    {
        std::vector<LastMatchIncident> list;
        for (const Incident& i : incidents) {
            LastMatchIncident row{};
            row.person = static_cast<int16_t>(m_players[i.person]);
            LastMatchIncident_SetSideKind(&row, i.side, i.kind);
            row.detail = i.detail;
            row.minute = static_cast<uint8_t>(i.minute);
            list.push_back(row);
        }
        LastMatchIncident end{};
        end.person = -1;
        LastMatchIncident_SetSideKind(&end, 0, -1);
        list.push_back(end);
        return list;
    }

    static std::vector<std::string> Column(int32_t side)
    {
        std::vector<std::string> lines;
        for (int32_t n = 0; n < MatchReportScreen.lineCount[side]; ++n) {
            lines.push_back(std::to_string(MatchReportScreen.lines[side][n].attribute) + ":"
                            + MatchReportScreen.lines[side][n].text);
        }
        return lines;
    }

    ScopedScreenRedraw m_screen;
    std::vector<int32_t> m_players;
};

}  // namespace

TEST_F(MatchReportTest, EachSidesColumnByMinuteWithItsMarks)
{
    struct Case {
        std::vector<Incident> incidents;
        std::vector<std::string> home, away;
        int32_t homeHeight, awayHeight;
    };
    const std::string a = Name(0), b = Name(1), c = Name(2);
    const Case cases[] = {
        // A hat-trick, the second a penalty, listed out of order; an own goal.
        {{{0, 0, 0, 77, 0}, {0, 0, 0, 12, 0}, {0, 0, 0, 40, 5}, {1, 1, 0, 30, 7}},
         {"1:" + a + " 12, 40 pen, 77", "0:"},
         {"1:" + b + " 30 csc", "0:"},
         28,
         28},
        // A sending-off in the first minute, missed penalties, no goal.
        {{{2, 1, 4, 60, 0}, {2, 1, 4, 20, 0}, {1, 0, 3, 1, 0}},
         {"4:" + b + " exp. 1"},
         {"1:" + c + " penalty rat\xE9 20, 60"},
         28,
         28},
        // Goalless and clean: nothing.
        {{}, {}, {}, 0, 0},
        // Equal minutes keep their order.
        {{{1, 0, 0, 50, 0}, {0, 0, 0, 50, 0}},
         {"1:" + b + " 50", "1:" + a + " 50", "0:"},
         {},
         42,
         0},
    };
    for (const Case& k : cases) {
        const std::vector<LastMatchIncident> list = List(k.incidents);
        MatchReport_FillLines(list.data(), LAST_MATCH_INCIDENT_MAX);
        EXPECT_EQ(Column(0), k.home) << k.incidents.size();
        EXPECT_EQ(Column(1), k.away) << k.incidents.size();
        EXPECT_EQ(MatchReportScreen.height[0], k.homeHeight) << k.incidents.size();
        EXPECT_EQ(MatchReportScreen.height[1], k.awayHeight) << k.incidents.size();
    }
}

TEST_F(MatchReportTest, TwentyFiveGoalsOfOneScorerStayWithinTheLine)
{
    std::vector<Incident> goals;
    for (int32_t m = 1; m <= LAST_MATCH_INCIDENT_MAX; ++m)
        goals.push_back({3, 1, 0, m * 3, 5});
    const std::vector<LastMatchIncident> list = List(goals);
    MatchReport_FillLines(list.data(), LAST_MATCH_INCIDENT_MAX);
    ASSERT_EQ(MatchReportScreen.lineCount[1], 2);
    const char* line = MatchReportScreen.lines[1][0].text;
    EXPECT_EQ(std::strlen(line), static_cast<size_t>(REPORT_LINE_BYTES - 1));
    EXPECT_EQ(std::string(line).rfind(Name(3) + " 3 pen", 0), 0u);
}

TEST_F(MatchReportTest, TheButtonsLeaveTheOptionAloneInsideTheSequence)
{
    struct Case {
        uint8_t flags;
        int32_t (*handler)();
        int16_t option;  // -2: unchanged
        uint8_t flagsAfter;
        uint16_t page;
    };
    const uint8_t seq = MATCH_REPORT_IN_SEQUENCE;
    const Case cases[] = {
        {MATCH_REPORT_SIDE_CHOSEN, MatchReport_Finish, MENU_OPTION_OFFICE, MATCH_REPORT_DONE, 9},
        {uint8_t(seq | MATCH_REPORT_SIDE_CHOSEN), MatchReport_Finish, -2,
         uint8_t(seq | MATCH_REPORT_DONE), 9},
        {uint8_t(1 << 6), MatchReport_ShowStats, 60, 0, 0},
        {uint8_t(seq | 1 << 6), MatchReport_ShowStats, -2, seq, 0},
    };
    for (const Case& c : cases) {
        MenuOption = 62;
        MatchReportPage = 9;
        MatchReportFlags = c.flags;
        EXPECT_EQ(c.handler(), EXM_CODE_LEAVE);
        EXPECT_EQ(MenuOption, c.option == -2 ? 62 : c.option) << int(c.flags);
        EXPECT_EQ(MatchReportFlags, c.flagsAfter) << int(c.flags);
        EXPECT_EQ(MatchReportPage, c.page) << int(c.flags);
    }
    MatchReportFlags = 0;
    EXPECT_EQ(MatchReport_ShowGraphs(), EXM_CODE_LEAVE);  // on the attack set
    EXPECT_EQ(MenuOption, 61);
    EXPECT_EQ(MatchReportFlags, 1 << 3);
    EXPECT_EQ(MatchReportPage, 1);
}

TEST_F(MatchReportTest, AReportMatchesTheGolden)
{
    int32_t row = 0;
    while (VTW_GetFixtureHomeClub(row) != m_screen.HumanClub()
           && VTW_GetFixtureAwayClub(row) != m_screen.HumanClub())
        ++row;
    Fixture_SetGoals(row, 3, 1);
    Fixture_SetAttendance(row, 45210);
    ReportFixture = static_cast<int16_t>(row);
    const std::vector<LastMatchIncident> list = List(
        {{0, 0, 0, 12, 0}, {0, 0, 0, 40, 5}, {1, 1, 0, 55, 0}, {2, 0, 0, 77, 7}, {3, 1, 3, 80, 0}});
    std::copy(list.begin(), list.end(), LastMatchIncidents);
    LastMatchSummary[0] = {6, 4, 7, 0, 11, 58, -1};
    LastMatchSummary[1] = {2, 5, 3, 0, 14, 42, static_cast<int16_t>(m_players[1])};
    uint32_t hash = 0;
    m_screen.Run(MatchReport_Table(), [&] { hash = WorkScreenHash(); });
    EXPECT_NE(std::strstr(MatchReportScreen.score, " 3 - 1 "), nullptr);
    EXPECT_STREQ(MatchReportScreen.stats[3][1], "14");
    EXPECT_STREQ(MatchReportScreen.possession[0], "58%");
    EXPECT_EQ(std::string(MatchReportScreen.manOfTheMatch).rfind(Name(1) + " (", 0), 0u);
    EXPECT_NE(MatchReportScreen.heading[0], '\0');
    ExpectGoldenHash("menus/match_report", hash);
}
