// tests/menus/cupgroups_test.cpp: the champions' cup group screen over hand-made groups and
// group-stage fixtures: the table's order, played and future matches, no groups, a group with too
// many fixtures, the arrows, the clicks over the real menu loop, and the frame.
#include "menus/cupgroups.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t TODAY = 50;

class CupGroupsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Fixtures_Clear();
        for (auto& group : CupSchedule.groups) {
            for (int16_t& club : group) {
                club = -1;
            }
        }
        Calendar_SetDay(TODAY);
    }
    // Group 0 from division 0's clubs 0-3, in the order given.
    static std::vector<int32_t> Group(std::vector<int32_t> places)
    {
        std::vector<int32_t> clubs;
        for (size_t k = 0; k < places.size(); ++k) {
            clubs.push_back(VTW_GetDivisionSlot(0, places[k]));
            CupSchedule.groups[0][k] = static_cast<int16_t>(clubs.back());
        }
        return clubs;
    }
    // A group-stage match; played (goals set) when its day is before today.
    static void Match(int32_t day, int32_t home, int32_t away, int32_t homeGoals = 0,
                      int32_t awayGoals = 0)
    {
        const int32_t row = VTW_InsertFixture(day, COMP_CHAMPIONS_GROUPS, home, away);
        ASSERT_GE(row, 0);
        if (day < TODAY) Fixture_SetGoals(row, homeGoals, awayGoals);
    }
    static std::vector<int32_t> Shown()
    {
        std::vector<int32_t> clubs;
        for (const int16_t k : CupGroups.order) {
            clubs.push_back(CupGroups.teams[k].club);
        }
        return clubs;
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(CupGroupsTest, RowsRankByPointsThenTheSumOfGoalsThenGoalsFor)
{
    // In group order d, b, c, a: a won 5-3 against c, b 4-0 against d; level on points, a's sum
    // of 8 goals ranks it above b's 4 despite the lower difference; c's sum 8 above d's 4.
    const std::vector<int32_t> g = Group({3, 1, 2, 0});
    const int32_t a = g[3], b = g[1], c = g[2], d = g[0];
    Match(10, a, c, 5, 3);
    Match(10, b, d, 4, 0);
    Match(60, a, b);  // to come: no result, no count
    CupGroups_Build(0);
    EXPECT_EQ(Shown(), (std::vector<int32_t>{a, b, c, d}));
    const CupGroupTeam& first = CupGroups.teams[CupGroups.order[0]];
    EXPECT_EQ(first.won, 1);
    EXPECT_EQ(first.goalsFor, 5);
    EXPECT_EQ(first.goalsAgainst, 3);
    EXPECT_EQ(first.points, 3);
    EXPECT_EQ(CupGroups.teams[CupGroups.order[2]].lost, 1);
    const CupGroupMatch expected[] = {{static_cast<int16_t>(a), 5, 3, static_cast<int16_t>(c)},
                                      {static_cast<int16_t>(b), 4, 0, static_cast<int16_t>(d)},
                                      {static_cast<int16_t>(a), CUP_GROUP_NOT_PLAYED,
                                       CUP_GROUP_NOT_PLAYED, static_cast<int16_t>(b)}};
    for (int32_t k = 0; k < 3; ++k) {
        const CupGroupMatch& m = CupGroups.matches[k];
        EXPECT_EQ(m.home, expected[k].home) << k;
        EXPECT_EQ(m.homeGoals, expected[k].homeGoals) << k;
        EXPECT_EQ(m.awayGoals, expected[k].awayGoals) << k;
        EXPECT_EQ(m.away, expected[k].away) << k;
    }
    EXPECT_EQ(CupGroups.matches[3].home, -1);
    EXPECT_EQ(CupGroups.message, -1);
    EXPECT_EQ(CupGroups.groupName, 1550);
}

TEST_F(CupGroupsTest, FutureMatchesNoGroupsAndTooManyFixtures)
{
    struct Case {
        bool groups;
        int32_t rounds;  // each round: every club of group 0 plays once
        bool played;     // the rounds before today
        int32_t slotsFilled;
        int32_t playedByEach;
    };
    const Case cases[] = {
        {false, 0, false, 0, 0},
        {true, 6, false, 12, 0},  // all to come: a table of zeros and twelve unplayed matches
        {true, 8, true, 12, 8},   // a draw gone wrong: sixteen fixtures, twelve slots
    };
    for (const Case& c : cases) {
        SetUp();
        if (c.groups) {
            const std::vector<int32_t> g = Group({0, 1, 2, 3});
            for (int32_t round = 0; round < c.rounds; ++round) {
                const int32_t day = (c.played ? 2 : TODAY + 2) + round;
                Match(day, g[0], g[1 + round % 3], 1, 1);
                Match(day, g[1 + (round + 1) % 3], g[1 + (round + 2) % 3], 2, 2);
            }
        }
        CupGroups_Build(0);
        EXPECT_EQ(CupGroups.message, c.groups ? -1 : 159) << c.rounds;
        int32_t filled = 0;
        for (const CupGroupMatch& m : CupGroups.matches) {
            filled += m.home >= 0;
            EXPECT_EQ(m.homeGoals == CUP_GROUP_NOT_PLAYED, !c.played) << c.rounds;
        }
        EXPECT_EQ(filled, c.slotsFilled) << c.rounds;
        for (const CupGroupTeam& t : CupGroups.teams) {
            EXPECT_EQ(t.club >= 0, c.groups) << c.rounds;
            EXPECT_EQ(t.won + t.drawn + t.lost, c.playedByEach) << c.rounds;
            EXPECT_EQ(t.points, c.playedByEach) << c.rounds;  // every match drawn
        }
    }
}

TEST_F(CupGroupsTest, ArrowsStayWithinTheEightGroupsAndClicksOpenTheClubsSquad)
{
    CupGroups.group = 0;
    CupGroups_Previous(nullptr);
    EXPECT_EQ(CupGroups.group, 0);
    for (int32_t k = 0; k < 9; ++k) {
        CupGroups_Next(nullptr);
    }
    EXPECT_EQ(CupGroups.group, 7);

    const std::vector<int32_t> g = Group({0, 1, 2, 3});
    Match(10, g[2], g[3], 3, 0);
    struct Case {
        int32_t x, y;
        int32_t club;  // -1: nothing opens
    };
    const Case cases[] = {
        {200, 90 + 10, g[2]},   // the table's first row: the winner
        {100, 180 + 10, g[2]},  // the match's home name
        {500, 180 + 10, g[3]},  // its away name
        {100, 180 + 30, -1},    // an empty match row
    };
    for (const Case& c : cases) {
        MenuOption = 48;
        const int16_t before = static_cast<int16_t>(m_screen.HumanClub());
        GameState.currentClub = before;
        MenuInputs inputs;
        AddClick(&inputs, 300, c.x, c.y);
        m_screen.Run(
            CupGroups_Table(), [] {}, inputs);
        if (c.club < 0) {
            EXPECT_EQ(GameState.currentClub, before) << c.x << " " << c.y;
            EXPECT_NE(MenuOption, MENU_OPTION_TO_SQUAD) << c.x << " " << c.y;
        } else {
            EXPECT_EQ(MenuOption, MENU_OPTION_TO_SQUAD) << c.x << " " << c.y;
            EXPECT_EQ(GameState.currentClub, c.club) << c.x << " " << c.y;
        }
    }
    MenuHotspot blank{};
    blank.row = 1;
    EXPECT_EQ(CupGroups_HomeClub(&blank), 1);
}

TEST_F(CupGroupsTest, TheGroupScreenMatchesItsGolden)
{
    const std::vector<int32_t> g = Group({4, 7, 1, 9});
    Match(5, g[0], g[1], 2, 1);
    Match(5, g[2], g[3], 0, 0);
    Match(12, g[1], g[2], 1, 3);
    Match(12, g[3], g[0], 2, 2);
    Match(60, g[0], g[2]);
    Match(60, g[1], g[3]);
    uint32_t hash = 0;
    m_screen.Run(CupGroups_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("cup_groups.png");
    });
    ExpectGoldenHash("menus/cup_groups", hash);
}

// A cup without groups says "PAS DE RENCONTRE" across the screen in the large font.
TEST_F(CupGroupsTest, WithoutGroupsTheScreenMatchesItsGolden)
{
    uint32_t hash = 0;
    m_screen.Run(CupGroups_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("cup_groups_none.png");
    });
    EXPECT_EQ(CupGroups.message, 159);
    ExpectGoldenHash("menus/cup_groups_none", hash);
}

// The arrows' eight groups are named A to H: the eighth once read a tactics label.
TEST_F(CupGroupsTest, EachGroupIsNamedByItsLetter)
{
    for (int32_t group = 0; group < CHAMPIONS_GROUPS; ++group) {
        CupGroups_Build(group);
        EXPECT_EQ(std::string(GetMessageText(CupGroups.groupName)),
                  std::string("Groupe ") + static_cast<char>('A' + group))
            << group;
    }
}
