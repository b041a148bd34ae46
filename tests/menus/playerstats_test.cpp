// tests/menus/playerstats_test.cpp: the statistics screen's list, sorts and toggles, its shirt
// exchanges and role assignments, its colour bands and its fatal general column.
#include "menus/playerstats.h"

#include <algorithm>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/records.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/tables.h"
#include "menus/exm.h"
#include "menus/menubar.h"
#include "menus/menuicons.h"
#include "tests/support/screen_redraw.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t TACKLING_COLUMN = 0;  // "Tacles" at first, criterion 9
constexpr int32_t TACKLING_STAT = 2;

class StatsScreenTest : public ::testing::Test {
protected:
    // Runs the screen and `check` once it shows; the state as a fresh entry leaves it.
    void Run(const std::function<void()>& check) { m_screen.Run(StatsScreen_Table(), check); }

    static void Choose(MenuListEntry* popup, int32_t row)
    {
        MenuListRecord record{1, 0, 0};  // no hotspot: the column whose list was last open
        popup[0].prepare(&record);
        EXPECT_EQ(popup[row].handler(&popup[row]), LIST_CODE_REDRAW);
        StatsScreen_Init();
    }

    static std::vector<int16_t> List()
    {
        return {StatsScreen.list, StatsScreen.list + StatsScreen.length};
    }

    static int32_t Holder(int16_t ClubRecord::*role)
    {
        return Club_GetRecordAddress(StatsScreen.club)->*role;
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(StatsScreenTest, SortsGroupsAndChosenAttributesOrderTheList)
{
    Run([] {
        EXPECT_EQ(StatsScreen.club, DivisionLists[0][0]);
        ASSERT_GE(StatsScreen.length, 16);
        const auto tackling = [](int16_t p) { return VTW_GetAbilityStat(p, TACKLING_STAT); };
        const auto shirt = [](int16_t p) { return VTW_GetPlayerShirt(p); };
        struct Case {
            std::function<void()> act;
            std::function<int32_t(int16_t)> key;  // the list runs in its order...
            bool descending;                      // ...this way
        };
        const Case cases[] = {
            {[] { StatsScreen_Sort(TACKLING_COLUMN); }, tackling, true},
            {[] { StatsScreen_Sort(TACKLING_COLUMN); }, shirt, false},  // the second removes it
            {[] { StatsScreen_Sort(TACKLING_COLUMN); }, tackling, true},
            // An attribute chosen for the column shows there and clears the sort.
            {[] { StatsScreen_ChooseAttribute(TACKLING_COLUMN, 5); }, shirt, false},
            {[] { Choose(StatsScreen_DisplayPopup(), 1); }, VTW_GetPositionType, false},
        };
        for (const Case& c : cases) {
            c.act();
            StatsScreen_Init();
            const std::vector<int16_t> list = List();
            for (size_t i = 1; i < list.size(); ++i) {
                const int32_t before = c.key(list[i - 1]), after = c.key(list[i]);
                const bool shirtless = shirt(list[i]) == 0;  // after the numbered ones
                if (!shirtless) {
                    EXPECT_TRUE(c.descending ? before >= after : before <= after) << i;
                }
            }
        }
        EXPECT_EQ(StatsScreen.columns[TACKLING_COLUMN], 5);
        EXPECT_EQ(StatsScreen.sortKey, PICKLIST_NO_KEY);
    });
}

TEST_F(StatsScreenTest, EveryAttributeOfTheDropDownShowsAndSortsByItsOwnValue)
{
    Run([] {
        MenuListEntry* popup = StatsScreen_AttributePopup();
        for (int32_t a = 0; a < STATS_ATTRIBUTES; ++a) {
            Choose(popup, 2 + a);  // the drop-down of the first column, as opened over it
            ASSERT_EQ(StatsScreen.columns[0], a);
            StatsScreen_Sort(0);
            StatsScreen_Init();
            const int32_t textNo = popup[2 + a].label;
            for (int32_t i = 1; i < StatsScreen.length; ++i) {
                EXPECT_GE(StatsScreen_AttributeValue(StatsScreen.list[i - 1], textNo),
                          StatsScreen_AttributeValue(StatsScreen.list[i], textNo))
                    << textNo << " " << i;
            }
        }
        MenuListEntry* general = StatsScreen_GeneralPopup();
        for (int32_t g = 0; g < STATS_GENERALS; ++g) {
            Choose(general, 1 + g);
            EXPECT_EQ(StatsScreen.general, g);
            DisplaySort(StatsScreen.list[0], general[1 + g].label);  // never fatal
        }
    });
}

TEST_F(StatsScreenTest, OpponentsAndTheShortlistJoinOnceAndAHundredAndFourScroll)
{
    Run([] {
        const int32_t own = StatsScreen.length;
        const int32_t opponent = VTW_GetNextOpponent(StatsScreen.club);
        ASSERT_GE(opponent, 0);
        Choose(StatsScreen_DisplayPopup(), 2);
        EXPECT_TRUE(StatsScreen.showOpponent);
        const int32_t theirs = VTW_RefreshSquadCount(opponent);
        VTW_RefreshSquadCount(StatsScreen.club);
        EXPECT_EQ(StatsScreen.length, own + theirs);

        // The shortlist: one of his own (listed once) and forty of a third club and others.
        ShortList_Add_Player(StatsScreen.list[0]);
        int32_t added = 0;
        for (int32_t p = 0; p < FullPlayerCount && added < 39; ++p) {
            const int16_t* end = StatsScreen.list + StatsScreen.length;
            if (std::find(static_cast<const int16_t*>(StatsScreen.list), end, p) != end) continue;
            added += ShortList_Add_Player(p);
        }
        Choose(StatsScreen_DisplayPopup(), 3);
        EXPECT_EQ(StatsScreen.length, std::min(STATS_LIST_MAX, own + theirs + 39));
        std::vector<int16_t> list = List();
        std::sort(list.begin(), list.end());
        EXPECT_EQ(std::adjacent_find(list.begin(), list.end()), list.end());

        EXPECT_EQ(StatsScreen_ScrollUp(), 1);
        int32_t steps = 0;
        while (StatsScreen_ScrollDown() == EXM_CODE_REDRAW) {
            ++steps;
        }
        EXPECT_EQ(steps, StatsScreen.length - STATS_ROWS);
        EXPECT_EQ(StatsScreen.firstRow + STATS_ROWS, StatsScreen.length);

        // No fixture left: the option switches itself off at the next build.
        Calendar_SetDay(365);
        if (VTW_GetNextOpponent(StatsScreen.club) < 0) {
            StatsScreen_Init();
            EXPECT_FALSE(StatsScreen.showOpponent);
        }
    });
}

TEST_F(StatsScreenTest, AssignmentsGoInOrderAndShirtOneTakesNoSetPiece)
{
    Run([] {
        const int32_t keeper = VTW_GetPlayerByShirt(1);
        const int32_t nine = VTW_GetPlayerByShirt(9);
        const auto indexOf = [](int32_t player) {
            const int16_t* end = StatsScreen.list + StatsScreen.length;
            return static_cast<int32_t>(
                std::find(static_cast<const int16_t*>(StatsScreen.list), end, player)
                - StatsScreen.list);
        };
        // Every mode on, then a click on the keeper: only the captaincy is his.
        StatsScreen.assign = STATS_ASSIGN_CAPTAIN | STATS_ASSIGN_FREE_KICK | STATS_ASSIGN_CORNER
                             | STATS_ASSIGN_PENALTY;
        EXPECT_EQ(StatsScreen_ClickShirt(indexOf(keeper)), EXM_CODE_REDRAW);
        EXPECT_NE(VTW_GetPlayerCaptain(keeper), 0);
        EXPECT_EQ(StatsScreen.assign,
                  STATS_ASSIGN_FREE_KICK | STATS_ASSIGN_CORNER | STATS_ASSIGN_PENALTY);
        EXPECT_NE(Holder(&ClubRecord::penaltyTaker), keeper);
        // The keeper again: nothing to give him, so the click selects him for an exchange.
        EXPECT_EQ(StatsScreen_ClickShirt(indexOf(keeper)), EXM_CODE_REDRAW);
        EXPECT_EQ(StatsScreen.selection, keeper);
        StatsScreen.selection = -1;
        EXPECT_EQ(StatsScreen_ClickShirt(indexOf(nine)), EXM_CODE_REDRAW);
        EXPECT_EQ(StatsScreen.assign, 0);
        EXPECT_EQ(Holder(&ClubRecord::penaltyTaker), nine);
        EXPECT_EQ(Holder(&ClubRecord::freeKickTaker), nine);
        EXPECT_EQ(Holder(&ClubRecord::cornerTaker), nine);

        // Nine and the keeper exchange shirts: nine's roles pass to the keeper, who gives up 1.
        EXPECT_EQ(StatsScreen_ClickShirt(indexOf(nine)), EXM_CODE_REDRAW);
        EXPECT_EQ(StatsScreen_ClickShirt(indexOf(keeper)), EXM_CODE_REDRAW);
        EXPECT_EQ(VTW_GetPlayerShirt(nine), 1);
        EXPECT_EQ(VTW_GetPlayerShirt(keeper), 9);
        EXPECT_EQ(StatsScreen.selection, -1);
        EXPECT_EQ(Holder(&ClubRecord::penaltyTaker), keeper);
        EXPECT_EQ(Holder(&ClubRecord::freeKickTaker), keeper);
        EXPECT_EQ(Holder(&ClubRecord::cornerTaker), keeper);

        // Another club's player, and a row past the list, do nothing.
        const int32_t opponent = VTW_GetNextOpponent(StatsScreen.club);
        StatsScreen.showOpponent = true;
        StatsScreen_Init();
        VTW_RefreshSquadCount(opponent);
        const int32_t stranger = indexOf(VTW_GetSquadPlayer(0));
        VTW_RefreshSquadCount(StatsScreen.club);
        ASSERT_LT(stranger, StatsScreen.length);
        StatsScreen.assign = STATS_ASSIGN_CAPTAIN;
        EXPECT_EQ(StatsScreen_ClickShirt(stranger), 1);
        EXPECT_EQ(StatsScreen_ClickShirt(StatsScreen.length), 1);
        EXPECT_EQ(StatsScreen.assign, STATS_ASSIGN_CAPTAIN);
    });
}

TEST(StatsScreen, AttributeValuesTakeTheirColourBands)
{
    const int32_t cases[][2] = {{100, 6}, {91, 6},  {90, 12}, {76, 12}, {75, 0},
                                {31, 0},  {30, 16}, {16, 16}, {15, 4},  {0, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(StatsScreen_AttributeColour(c[0]), c[1]) << c[0];
    }
}

// The squad screen's texts for its contract header and its value column are not this list's.
TEST(StatsScreenDeathTest, AnUnknownGeneralColumnIsFatal)
{
    for (const int32_t textNo : {63, 241, 0, -1}) {
        EXPECT_FATAL(DisplaySort(0, textNo), "DisplaySort() SortByType Invaild Value") << textNo;
    }
}

TEST_F(StatsScreenTest, TheSquadMatchesTheGolden)
{
    Run([] { ExpectGoldenHash("menus/stats_day0", WorkScreenHash()); });
}

// The player of the first row gets every role and the shortlist: his row shows the captain's
// badge, the three set-piece markers, the shortlist's and the club's, each whole, and his name,
// cut short, covers none of them.
TEST_F(StatsScreenTest, EveryMarkerOfAFullRowShowsWholeBesideTheName)
{
    Run([] {
        const int32_t player = StatsScreen.list[0];
        VTW_ClearSquadCaptains(StatsScreen.club, 1);
        VTW_SetClubCaptain(player);
        VTW_SetClubPenaltyTaker(StatsScreen.club, player);
        VTW_SetClubCornerTaker(StatsScreen.club, player);
        VTW_SetClubFreeKickTaker(StatsScreen.club, player);
        ShortList_Add_Player(player);
        EXM_RedrawNow();
        const int32_t middle = 96 + 10;
        for (const int32_t icon : {101, 1427, 1428, 1429, 1363, 1364}) {
            int32_t w, h;
            GetScaledIconSize(icon, &w, &h);
            bool whole = false;
            for (int32_t x = 32; x < 240 && !whole; ++x) {
                for (int32_t dy = -1; dy <= 1 && !whole; ++dy)
                    whole = IconDrawnAt(icon, x, middle - h / 2 + dy);
            }
            EXPECT_TRUE(whole) << "icon " << icon;
        }
    });
}

TEST_F(StatsScreenTest, AManagerWithoutAPostSeesAnEmptyListAndClubZeroItsSquad)
{
    Run([] {
        // Club -1 is the one without a post; club 0 is the first real club.
        ASSERT_GT(VTW_GetClubSquadCount(0), 0);
        const int32_t cases[][2] = {{-1, 0}, {0, VTW_GetClubSquadCount(0)}};
        for (const auto& c : cases) {
            StatsScreen.club = c[0];
            StatsScreen_Init();
            EXPECT_EQ(StatsScreen.length, c[1]) << c[0];
        }
        StatsScreen.club = -1;
        StatsScreen_Init();
        EXPECT_EQ(StatsScreen_ClickShirt(0), 1);
        EXPECT_EQ(StatsScreen_ScrollDown(), 1);
    });
}
