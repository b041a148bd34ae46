// tests/menus/results_test.cpp: the results screens' lists: where they open, how they scroll, the
// competitions without fixtures, the 125-row cap, shoot-outs and two-legged ties; and the rows as
// drawn, every item clear of the others with the world's longest names.
#include "menus/results.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/exm.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/screen_redraw.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t TODAY = 100;
constexpr int32_t FRIENDLIES_ENTRY = 9;  // of country 6's row
constexpr int32_t SECOND_CUP_ENTRY = 7;

class ResultsScreen : public ::testing::Test {
protected:
    ResultsScreen()
    {
        NewGameForTest(6, 7);
        ResultsInit();
        m_human = DivisionLists[0][0];
        VTW_SetClubControl(m_human, MANAGER_HUMAN);
        GameState.humanClub = static_cast<int16_t>(m_human);
        Fixtures_Clear();
        Calendar_SetDay(TODAY);
    }
    ~ResultsScreen() override { ResultsUninit(); }

    // `count` friendlies today between clubs other than the human's, in pairs.
    std::vector<int32_t> InsertFriendlies(int32_t count, int32_t humanAwayAgainst = -1)
    {
        std::vector<int32_t> rows;
        int32_t club = 0;
        auto next = [&] {
            if (club == m_human) ++club;
            return club++;
        };
        for (int32_t i = 0; i < count; ++i) {
            const int32_t home = next();
            int32_t away = next();
            if (home == humanAwayAgainst) away = m_human;
            rows.push_back(VTW_InsertFixture(TODAY, COMP_FRIENDLY, home, away));
        }
        return rows;
    }

    ScopedWorld m_world;
    int32_t m_human = -1;
};

// The band each row is drawn on, from its left end, and the middle of row i's text.
constexpr int32_t BAND_X = 24;
constexpr int32_t BAND_WIDTH = 400;
constexpr int32_t BAND_WIDTH_AGGREGATE = 430;
int32_t RowMiddle(int32_t i) { return 100 + 20 * i + 10; }

// The team numbers of the world with the widest names in the rows' font, widest first.
std::vector<int32_t> WidestTeams(int32_t count)
{
    SetMenuFont(1);
    std::vector<std::pair<int32_t, int32_t>> widths;
    for (int32_t team = 0; team < TEAM_COUNT; ++team) {
        int32_t w, h;
        widths.push_back({GetTextExtent(VTW_FormatClubName(team), &w, &h), team});
    }
    std::sort(widths.rbegin(), widths.rend());
    std::vector<int32_t> teams;
    for (int32_t k = 0; k < count; ++k) {
        teams.push_back(widths[k].second);
    }
    return teams;
}

// One item a row must show whole: its text and the fonts it may take.
struct RowItem {
    std::string text;
    bool name;  // a name may take the smaller font
};

// The left end of the item where the row shows it whole and clear of any other text, from
// `fromX` on, in the row's font or for a name the smaller one, and its width; x -1 when it shows
// nowhere.
struct FoundItem {
    int32_t x = -1;
    int32_t width = 0;
};
FoundItem FindInRow(const RowItem& item, int32_t y, int32_t fromX)
{
    for (const int32_t font : {1, 0}) {
        if (font == 0 && !item.name) break;
        SetMenuFont(font);
        int32_t w, h;
        GetTextExtent(item.text.c_str(), &w, &h);
        for (int32_t x = fromX; x + w <= 640; ++x) {
            if (TextDrawnAt(item.text, x, y, font, MENU_ALIGN_ML)) return {x, w};
        }
    }
    return {};
}

}  // namespace

// The champions' cup groups push the names and scores right of a group column. With the four
// widest names of the world on both sides, goals of two figures, shoot-out stars and aggregates,
// each item of each row shows whole (a name in the smaller font at worst), inside its band and
// clear of the others, with and without the group column.
TEST(ResultsRows, EveryItemKeepsItsOwnRoomWithAndWithoutTheGroupColumn)
{
    ScopedScreenRedraw career;
    Calendar_SetDay(TODAY);
    ResultsMode = RESULTS_AFTER_MATCHES;
    // A club plays once a day: four clubs of the top division, not the human's, take the two
    // widest names of the world, each name once at home and once away.
    const std::vector<int32_t> widest = WidestTeams(2);
    const int32_t teams[] = {widest[0], widest[1], widest[1], widest[0]};
    std::vector<int32_t> clubs;
    for (int32_t k = 0; k < 4; ++k) {
        clubs.push_back(DivisionLists[0][1 + k]);
        VTW_GetClubRecordPtr(clubs[k])->team = static_cast<uint16_t>(teams[k]);
    }
    const int32_t a = clubs[0], b = clubs[1], c = clubs[2], d = clubs[3];
    struct Fixture {
        int32_t home, away, homeGoals, awayGoals;
        int32_t shootOut;  // -1 none, 0 home won, 1 away won
    };
    struct Layout {
        const char* name;
        int32_t competition;
        bool secondLegs;  // each fixture's first leg, the other way round, a week ago
        std::vector<Fixture> fixtures;
    };
    constexpr int32_t ROUND = 1;
    ASSERT_EQ(CupRules(6, CUP_SECOND, ROUND), 2);
    const Layout layouts[] = {
        {"group column", COMP_CHAMPIONS_GROUPS, false, {{a, b, 14, 13, -1}, {c, d, 13, 14, -1}}},
        {"plain", COMP_FRIENDLY, false, {{a, b, 14, 14, 0}, {c, d, 13, 13, 1}}},
        {"aggregate",
         Fixture_CupComp(CUP_SECOND, ROUND, 1),
         true,
         {{a, b, 14, 13, 0}, {c, d, 13, 14, 1}}},
    };
    for (const Layout& layout : layouts) {
        Fixtures_Clear();
        std::copy(clubs.begin(), clubs.end(), CupSchedule.groups[CHAMPIONS_GROUPS - 1]);
        for (const Fixture& f : layout.fixtures) {
            if (layout.secondLegs) {
                ASSERT_GE(VTW_InsertFixture(TODAY - 7, Fixture_CupComp(CUP_SECOND, ROUND, 0),
                                            f.away, f.home),
                          0);
            }
            ASSERT_GE(VTW_InsertFixture(TODAY, layout.competition, f.home, f.away), 0);
        }
        // Rows move as others are inserted: each is found once all are in.
        auto rowOf = [](int32_t day, int32_t home, int32_t away) {
            int32_t row = 0;
            while (VTW_GetFixtureDay(row) != day || VTW_GetFixtureHomeClub(row) != home
                   || VTW_GetFixtureAwayClub(row) != away)
                ++row;
            return row;
        };
        for (const Fixture& f : layout.fixtures) {
            if (layout.secondLegs)
                Fixture_SetGoals(rowOf(TODAY - 7, f.away, f.home), f.awayGoals, f.homeGoals);
            const int32_t row = rowOf(TODAY, f.home, f.away);
            Fixture_SetGoals(row, f.homeGoals, f.awayGoals);
            if (f.shootOut >= 0) Fixture_SetShootOut(row, 4 + f.shootOut, 5 - f.shootOut);
        }
        std::vector<std::string> faults;
        career.Run(Results_Table(), [&] {
            ASSERT_EQ(Results_ListedCount(), static_cast<int32_t>(layout.fixtures.size()));
            for (int32_t i = 0; i < Results_ListedCount(); ++i) {
                const int32_t row = Results_ListedRow(i);
                const Fixture& f = *std::find_if(
                    layout.fixtures.begin(), layout.fixtures.end(), [&](const Fixture& g) {
                        return g.home == VTW_GetFixtureHomeClub(row)
                               && g.away == VTW_GetFixtureAwayClub(row);
                    });
                std::vector<RowItem> items = {{VTW_FormatClubName(VTW_GetTeam(f.home)), true},
                                              {std::to_string(f.homeGoals), false},
                                              {GetMessageText(125), false},
                                              {std::to_string(f.awayGoals), false},
                                              {VTW_FormatClubName(VTW_GetTeam(f.away)), true}};
                if (layout.competition == COMP_CHAMPIONS_GROUPS)
                    items.push_back(
                        {GetMessageText(VTW_GetTextNoFromTable(CHAMPIONS_GROUPS - 1)), false});
                if (f.shootOut >= 0) items.push_back({GetMessageText(1206), false});
                if (layout.secondLegs)
                    items.push_back({"(" + std::to_string(f.homeGoals + f.homeGoals) + "-"
                                         + std::to_string(f.awayGoals + f.awayGoals) + ")",
                                     false});
                const int32_t bandEnd =
                    BAND_X + (layout.secondLegs ? BAND_WIDTH_AGGREGATE : BAND_WIDTH);
                std::vector<FoundItem> found;
                std::map<std::string, int32_t> nextX;  // past the last found of the same text
                for (const RowItem& item : items) {
                    const FoundItem at = FindInRow(item, RowMiddle(i), nextX[item.text]);
                    nextX[item.text] = at.x + 1;
                    if (at.x < BAND_X || at.x + at.width > bandEnd)
                        faults.push_back(std::string(layout.name) + ", row " + std::to_string(i)
                                         + ": \"" + item.text
                                         + "\" not shown whole and clear inside its band");
                    for (const FoundItem& other : found) {
                        if (at.x < other.x + other.width && other.x < at.x + at.width)
                            faults.push_back(std::string(layout.name) + ", row " + std::to_string(i)
                                             + ": \"" + item.text + "\" meets another item");
                    }
                    found.push_back(at);
                }
            }
        });
        EXPECT_EQ(faults, std::vector<std::string>{});
    }
}

TEST_F(ResultsScreen, TheListOpensOnThePageThatShowsTheHumansFixture)
{
    InsertFriendlies(30);
    Results_Build(true);
    const int32_t homeAtTwenty = VTW_GetFixtureHomeClub(Results_ListedRow(20));
    Fixtures_Clear();
    InsertFriendlies(30, homeAtTwenty);
    Results_Build(true);
    EXPECT_EQ(Results_SelectedEntry(), FRIENDLIES_ENTRY);
    EXPECT_EQ(VTW_GetFixtureAwayClub(Results_ListedRow(20)), m_human);
    EXPECT_EQ(Results_Scroll(), 14);  // rows 14-29: the last page, full
}

TEST_F(ResultsScreen, ScrollingStepsByAPageAndStopsAtBothEnds)
{
    InsertFriendlies(40);
    Results_Build(true);
    EXPECT_EQ(Results_ScrollUp(nullptr), EXM_CODE_NONE);
    EXPECT_EQ(Results_ScrollDown(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(Results_ScrollDown(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(Results_ScrollDown(nullptr), EXM_CODE_NONE);
    Results_Build(false);
    EXPECT_EQ(Results_Scroll(), 32);  // remembered across the rebuild
    EXPECT_EQ(Results_ScrollUp(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(Results_ScrollUp(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(Results_ScrollUp(nullptr), EXM_CODE_NONE);
}

TEST_F(ResultsScreen, ACompetitionWithoutFixturesTodayCannotBeChosen)
{
    InsertFriendlies(3);
    Results_Build(true);
    EXPECT_EQ(Results_SelectedEntry(), FRIENDLIES_ENTRY);  // the human plays nothing today
    EXPECT_EQ(Results_ChooseEntry(0), EXM_CODE_NONE);
    EXPECT_EQ(Results_SelectedEntry(), FRIENDLIES_ENTRY);
}

TEST_F(ResultsScreen, MoreThan125FixturesList125)
{
    for (uint32_t i = 0; i < 130; ++i) {
        FixtureTable[i].head = TODAY | COMP_FRIENDLY << 9 | (i % 100) << 16 | (i % 100 + 1) << 24;
        FixtureTable[i].result = 0xFF;
    }
    Results_Build(true);
    EXPECT_EQ(Results_ListedCount(), RESULTS_MAX_ROWS);
}

TEST_F(ResultsScreen, AShootOutWinnerBringsTheFootnote)
{
    const std::vector<int32_t> rows = InsertFriendlies(2);
    Fixture_SetGoals(rows[0], 1, 0);
    Fixture_SetGoals(rows[1], 1, 1);
    Results_Build(true);
    EXPECT_FALSE(Results_ShootOutShown());
    Fixture_SetShootOut(rows[1], 3, 4);
    Results_Build(false);
    EXPECT_TRUE(Results_ShootOutShown());
}

TEST_F(ResultsScreen, ASecondLegShowsTheAggregateAfterAndTheFirstLegBefore)
{
    constexpr int32_t ROUND = 1;
    ASSERT_EQ(CupRules(6, CUP_SECOND, ROUND), 2);
    const int32_t first =
        VTW_InsertFixture(TODAY - 7, Fixture_CupComp(CUP_SECOND, ROUND, 0), 20, 21);
    const int32_t second = VTW_InsertFixture(TODAY, Fixture_CupComp(CUP_SECOND, ROUND, 1), 21, 20);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    Fixture_SetGoals(VTW_FindFixtureOfClubOnDay(20, TODAY - 7), 2, 1);
    Fixture_SetGoals(VTW_FindFixtureOfClubOnDay(20, TODAY), 1, 0);
    ResultsMode = RESULTS_AFTER_MATCHES;
    Results_Build(true);
    EXPECT_EQ(Results_SelectedEntry(), SECOND_CUP_ENTRY);
    EXPECT_EQ(Results_AggregateHome(0), 2);
    EXPECT_EQ(Results_AggregateAway(0), 2);
    ResultsMode = RESULTS_BEFORE_MATCHES;
    Results_Build(true);
    EXPECT_EQ(Results_AggregateHome(0), 1);
    EXPECT_EQ(Results_AggregateAway(0), 2);
}
