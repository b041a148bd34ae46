// tests/menus/matchgraphs_test.cpp: the match graphs: each graph's counts name figures of the
// shared table, the values and scales, the fixture chosen, the side and set on entry, the rows of
// the kept match outside the post-match sequence and of the data block inside it, the buttons,
// and the frames.
#include "menus/matchgraphs.h"

#include <string>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/squad.h"
#include "gamecode/matchdata.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/matchanalysis.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

void Set(PlayerMatchRecord& r, int32_t figure, int32_t value)
{
    if (figure < PMR_FIELD_COUNT) {
        PlayerMatchRecord_Set(&r, figure, value);
    } else {
        r.unread[figure - PMR_FIELD_COUNT] = static_cast<uint8_t>(value);
    }
}

class MatchGraphsTest : public ::testing::Test {
protected:
    void TearDown() override { MatchReportFlags = 0; }

    // The human's first league match at home or away, as the kept match, today the day after.
    int32_t KeepMatch(bool away)
    {
        const int32_t human = m_screen.HumanClub();
        int32_t row = 0;
        while (VTW_GetFixtureCompetition(row) != COMP_LEAGUE
               || (away ? VTW_GetFixtureAwayClub(row) : VTW_GetFixtureHomeClub(row)) != human)
            ++row;
        Fixture_SetGoals(row, 3, 1);
        Calendar_SetDay(VTW_GetFixtureDay(row) + 1);
        LastMatchCopy = {};
        LastMatchCopy.fixtureRow = static_cast<int16_t>(row);
        for (int32_t side = 0; side < 2; ++side) {
            VTW_RefreshSquadCount(side == (away ? 1 : 0) ? human : human + 1);
            for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
                LastMatchCopy.sides[side].playerIds[k] =
                    k < 14 ? static_cast<uint16_t>(VTW_GetSquadPlayer(k)) : 0xFFFF;
                PlayerMatchRecord& r = LastMatchCopy.stats[side].players[k];
                Set(r, PMR_RATING, 50 + 3 * k);
                Set(r, PMR_TIME_ON_PITCH, k < 11 ? 90 : 20 + k);
                Set(r, 22, k % 4);           // shots on target
                Set(r, 23, (k + side) % 3);  // off target
                Set(r, 26, k == 9 ? 2 : 0);  // goals
                Set(r, 7, k == 7 ? 1 : 0);   // assists
                Set(r, 18, k / 2);           // crosses received in play
                Set(r, PMS_DANGEROUS_CROSSES, k % 5);
                Set(r, 35, k % 2);
                Set(r, 10, k % 5 > 2 ? 1 : 0);  // key crosses
                Set(r, 37, k);
                Set(r, 38, 14 - k);
            }
        }
        PlayerMatchRecord_Set(&LastMatchCopy.stats[away ? 1 : 0].players[4], PMR_BOOKINGS, 1);
        LastMatchCopy.stats[away ? 1 : 0].manOfTheMatch =
            static_cast<int16_t>(LastMatchCopy.sides[away ? 1 : 0].playerIds[9]);
        return row;
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

// A legend that names a record field (its label) must stand for that field, so that each graph
// shows the counts its legends say.
TEST(MatchGraphSets, EveryCountIsAFigureOfTheSharedTableAndTheFieldItsLegendNames)
{
    const auto fieldOfLabel = [](int32_t text) {
        PlayerMatchRecord record{};
        int32_t value = 0;
        for (int32_t field = 0; field < PMR_FIELD_COUNT; ++field) {
            if (Football_GetPlayerMatchRecordText2(field, record, &value) == text) return field;
        }
        return -1;
    };
    int32_t graphs = 0;
    for (int32_t set = 0; set < GRAPH_SETS; ++set) {
        int32_t count = 0;
        const GraphDefinition* g = MatchGraphs_Set(set, &count);
        ASSERT_TRUE(count == 3 || count == 4) << set;
        for (int32_t n = 0; n < count; ++n, ++graphs) {
            ASSERT_NE(g[n].parts[0].figure, GRAPH_NO_FIGURE) << g[n].title;
            for (const GraphPart& p : g[n].parts) {
                if (p.figure == GRAPH_NO_FIGURE) continue;
                EXPECT_TRUE(p.figure >= 0 && p.figure < PMS_FIGURE_COUNT) << g[n].title;
                const int32_t named = fieldOfLabel(p.legend);
                if (p.legend != 0 && named >= 0) {
                    EXPECT_EQ(p.figure, named) << g[n].title;
                }
            }
            if (g[n].key != GRAPH_NO_FIGURE) {
                EXPECT_EQ(g[n].key, fieldOfLabel(g[n].keyLegend));
            }
        }
    }
    EXPECT_EQ(graphs, 14);
    int32_t none = -1;
    EXPECT_EQ(MatchGraphs_Set(GRAPH_SETS, &none), nullptr);
    EXPECT_EQ(none, 0);
}

TEST(MatchGraphSets, ValuesAddOrCompareTheirCountsAndScalesRiseBy5FromTheFloor)
{
    int32_t count = 0;
    const GraphDefinition* defence = MatchGraphs_Set(GRAPHS_DEFENCE, &count);
    const GraphDefinition* possession = MatchGraphs_Set(GRAPHS_POSSESSION, &count);
    const GraphDefinition* attack = MatchGraphs_Set(GRAPHS_ATTACK, &count);
    const GraphDefinition* others = MatchGraphs_Set(GRAPHS_OTHERS, &count);
    PlayerMatchRecord r{};
    Set(r, 37, 6);
    Set(r, 38, 3);
    Set(r, 26, 2);
    Set(r, 7, -1);  // a signed count
    Set(r, 9, 4);
    Set(r, PMS_PROGRESSIVE_RUNS, 7);
    Set(r, 14, 12);
    Set(r, PMS_TIMES_TACKLED, 5);
    Set(r, PMS_POSSESSION_LOST, 8);
    Set(r, PMR_RATING, 0);
    EXPECT_EQ(MatchGraphs_Value(defence[0], r), 9);      // tackles won and lost
    EXPECT_EQ(MatchGraphs_Value(attack[3], r), 1);       // goals and the signed assists
    EXPECT_EQ(MatchGraphs_Value(possession[1], r), 7);   // the larger of two
    EXPECT_EQ(MatchGraphs_Value(possession[2], r), 13);  // 12 against 5 + 8
    EXPECT_EQ(MatchGraphs_Value(others[2], r), 0);
    struct Case {
        const GraphDefinition* graph;
        int32_t largest, scale;
    };
    const Case cases[] = {
        {&defence[0], 0, 20},  {&defence[0], 20, 20},  {&defence[0], 21, 25},
        {&defence[1], 0, 10},  {&attack[2], 5, 5},     {&attack[2], 6, 10},
        {&others[0], 93, 120}, {&others[0], 121, 125}, {&others[1], 150, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchGraphs_Scale(*c.graph, c.largest), c.scale)
            << c.graph->title << " " << c.largest;
    EXPECT_EQ(MatchGraphs_SetOfCategory(1), GRAPHS_DEFENCE);
    EXPECT_EQ(MatchGraphs_SetOfCategory(2), GRAPHS_POSSESSION);
    EXPECT_EQ(MatchGraphs_SetOfCategory(0), GRAPHS_ATTACK);
    EXPECT_EQ(MatchGraphs_SetOfCategory(4), GRAPHS_OTHERS);
}

TEST_F(MatchGraphsTest, TheFixtureIsTheLatestPastAFriendlyAndAnInternational)
{
    const int32_t human = m_screen.HumanClub();
    Fixtures_Clear();
    const int32_t league = VTW_InsertFixture(10, COMP_LEAGUE, human + 1, human);
    VTW_InsertFixture(11, COMP_FRIENDLY, human, human + 2);
    VTW_InsertFixture(12, COMP_INTERNATIONAL, human, human + 3);
    const int32_t today = VTW_InsertFixture(14, COMP_CUP_BASE, human, human + 4);
    VTW_InsertFixture(14, COMP_LEAGUE, human + 5, human + 6);
    struct Case {
        int32_t club, today;
        bool live;
        int32_t row;
    };
    const Case cases[] = {
        {human, 13, false, league}, {human, 14, false, league}, {human, 14, true, today},
        {human, 15, false, today},  {human, 10, false, -1},     {human + 7, 20, false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchGraphs_ChooseFixture(c.club, c.today, c.live), c.row) << c.today << c.live;
}

TEST_F(MatchGraphsTest, OnEntryTheHumansSideAndTheAttackSetThenTheButtons)
{
    KeepMatch(true);
    MatchReportFlags = 0;
    MenuInputs inputs;
    uint32_t before = 0, after = 0;
    AddClick(&inputs, 300, 70, 431);                              // "Arrêts"
    inputs.push_back({350, MenuInput::MOVE, 320, 240, nullptr});  // where the pointer started
    inputs.push_back({400, MenuInput::CALL, 0, 0, [&] { after = WorkScreenHash(); }});
    AddClick(&inputs, 500, 180, 431);  // "Défense"
    inputs.push_back({600, MenuInput::CALL, 0, 0, [&] {
                          EXPECT_EQ(MatchGraphs.set, GRAPHS_DEFENCE);
                          EXPECT_EQ(MatchAnalysis_Category(), 1);
                      }});
    AddClick(&inputs, 700, 305, 461);  // "Montrer stats"
    m_screen.Run(
        MatchGraphs_Table(),
        [&] {
            before = WorkScreenHash();
            EXPECT_EQ(MatchGraphs.side, 1);
            EXPECT_EQ(MatchGraphs.set, GRAPHS_ATTACK);
            EXPECT_EQ(MatchGraphs.rowCount, MATCH_SHIRT_COUNT);
            EXPECT_EQ(MatchGraphs.players[13], LastMatchCopy.sides[1].playerIds[13]);
            EXPECT_EQ(MatchGraphs.players[14], -1);
            EXPECT_EQ(MatchGraphs.scales[0], 10);  // crosses received: 6 at most
            EXPECT_EQ(MatchGraphs.goals[0], 3);
        },
        inputs);
    EXPECT_EQ(after, before);
    EXPECT_EQ(MenuOption, 60);
    EXPECT_EQ(MatchReportFlags, 0);
}

TEST_F(MatchGraphsTest, InsideTheSequenceTheRowsComeFromTheDataBlockAndTerminerChoosesNothing)
{
    KeepMatch(false);
    struct Case {
        int32_t bench, rows;
    };
    for (const Case& c : {Case{3, 14}, Case{7, 16}, Case{-1, 11}}) {
        GetMatchSidesBlock()->benchSize = static_cast<int16_t>(c.bench);
        GetMatchDataBlock()->sides[0] = {};
        Set(GetMatchDataBlock()->sides[0].players[2], 22, 30);
        Calendar_SetDay(VTW_GetFixtureDay(ReportFixture));
        MatchReportFlags = MATCH_REPORT_IN_SEQUENCE;
        MenuOption = 81;
        MenuInputs inputs;
        AddClick(&inputs, 300, 570, 452);  // "Terminer"
        m_screen.Run(
            MatchGraphs_Table(),
            [&] {
                EXPECT_EQ(MatchGraphs.rowCount, c.rows) << c.bench;
                EXPECT_EQ(MatchGraphs.scales[2], 30);  // shots from the data block
            },
            inputs);
        EXPECT_EQ(MenuOption, 81);
        EXPECT_NE(MatchReportFlags & MATCH_REPORT_DONE, 0);
    }
}

TEST_F(MatchGraphsTest, AClubWithNoFixtureShowsNoRows)
{
    Fixtures_Clear();
    LastMatchCopy = {};
    LastMatchCopy.fixtureRow = -1;
    m_screen.Run(MatchGraphs_Table(), [] {
        EXPECT_EQ(MatchGraphs.fixture, -1);
        EXPECT_EQ(MatchGraphs.rowCount, 0);
        EXPECT_EQ(MatchGraphs.goals[0], -1);
    });
}

TEST_F(MatchGraphsTest, TheAttackAndDefenceSetsMatchTheGoldens)
{
    KeepMatch(false);
    for (const int32_t set : {GRAPHS_ATTACK, GRAPHS_DEFENCE}) {
        MatchReportFlags = 0;
        if (set == GRAPHS_DEFENCE) {
            MatchReportFlags = MATCH_REPORT_SIDE_CHOSEN;
            MatchGraphs_ChooseSet(set);
        }
        uint32_t hash = 0;
        const std::string name =
            set == GRAPHS_ATTACK ? "match_graphs_attack" : "match_graphs_defence";
        m_screen.Run(MatchGraphs_Table(), [&] {
            hash = WorkScreenHash();
            WriteFrameToTestOutput(name + ".png");
        });
        ExpectGoldenHash("menus/" + name, hash);
    }
}
