// tests/menus/squadscreen_test.cpp: the squad screen's clicks (swaps and roles), its orders, the
// refused statistics, its frame, and the squad value table.
#include "menus/squadscreen.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/squad.h"
#include "game/tables.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

class SquadScreenTest : public ::testing::Test {
protected:
    // The human's squad as the screen shows it by default, in shirt order.
    void ShowHumanSquad()
    {
        VTW_RefreshSquadCount(Human());
        std::copy(std::begin(SquadList.players), std::end(SquadList.players), SquadScreen.order);
    }
    int32_t Human() const { return m_screen.HumanClub(); }
    int32_t PlaceOfShirt(int32_t shirt) const
    {
        for (int32_t i = 0; i < SQUAD_MAX; ++i) {
            const int32_t p = SquadScreen.order[i];
            if (p >= 0 && VTW_GetPlayerShirt(p) == shirt) return i;
        }
        return -1;
    }
    int32_t AtShirt(int32_t shirt) const { return SquadScreen.order[PlaceOfShirt(shirt)]; }
    const ClubRecord& Record() const { return *Club_GetRecordAddress(Human()); }
    std::vector<int32_t> Shirts() const
    {
        std::vector<int32_t> shirts;
        for (const int16_t p : SquadScreen.order) {
            shirts.push_back(p >= 0 ? VTW_GetPlayerShirt(p) : -1);
        }
        return shirts;
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(SquadScreenTest, ASwapExchangesTwoShirtsAndTheSamePlayerTwiceChangesNothing)
{
    ShowHumanSquad();
    const int32_t five = AtShirt(5), fourteen = AtShirt(14);
    const std::vector<int32_t> before = Shirts();

    EXPECT_EQ(Squad_ClickPlayer(PlaceOfShirt(5)), EXM_CODE_REDRAW);
    EXPECT_EQ(SquadScreen.selection, five);
    EXPECT_EQ(Squad_ClickPlayer(PlaceOfShirt(5)), EXM_CODE_REDRAW);
    EXPECT_EQ(SquadScreen.selection, -1);
    EXPECT_EQ(Shirts(), before);

    Squad_ClickPlayer(PlaceOfShirt(5));
    Squad_ClickPlayer(PlaceOfShirt(14));
    EXPECT_EQ(VTW_GetPlayerShirt(five), 14);
    EXPECT_EQ(VTW_GetPlayerShirt(fourteen), 5);
    std::vector<int32_t> after = Shirts();
    int32_t changed = 0;
    for (size_t i = 0; i < after.size(); ++i) {
        changed += after[i] != before[i];
    }
    EXPECT_EQ(changed, 2);
}

TEST_F(SquadScreenTest, PendingRolesGoToTheClickedPlayerAndThePenaltyNeverToShirtOne)
{
    ShowHumanSquad();
    const int32_t keeper = AtShirt(1), seven = AtShirt(7), nine = AtShirt(9);

    SquadScreen.pendingRoles = SQUAD_ROLE_PENALTY | SQUAD_ROLE_CORNER;
    EXPECT_EQ(Squad_ClickPlayer(PlaceOfShirt(1)), EXM_CODE_REDRAW);
    EXPECT_EQ(Record().cornerTaker, keeper);
    EXPECT_NE(Record().penaltyTaker, keeper);
    EXPECT_EQ(SquadScreen.pendingRoles, SQUAD_ROLE_PENALTY);  // still waiting for a taker
    EXPECT_EQ(SquadScreen.selection, -1);

    Squad_ClickPlayer(PlaceOfShirt(7));
    EXPECT_EQ(Record().penaltyTaker, seven);
    EXPECT_EQ(SquadScreen.pendingRoles, 0);

    SquadScreen.pendingRoles = SQUAD_ROLE_FREE_KICK | SQUAD_ROLE_CAPTAIN;
    Squad_ClickPlayer(PlaceOfShirt(9));
    EXPECT_EQ(Record().freeKickTaker, nine);
    EXPECT_EQ(Record().captain, nine);
    for (const int16_t p : SquadScreen.order) {
        if (p >= 0) {
            EXPECT_EQ(VTW_GetPlayerCaptain(p), p == nine ? 1 : 0) << p;
        }
    }
}

TEST_F(SquadScreenTest, ASwapLeavesNoSetPieceRoleWithTheNewShirtOne)
{
    struct Case {
        int32_t first, second;  // shirts clicked in turn
        int32_t holder;         // shirt holding the three roles before
        int32_t expected;       // shirt whose player (before the swap) holds them after
    };
    const Case cases[] = {
        {1, 12, 1, 1},   // the keeper who gives up shirt 1 may keep his kicks
        {12, 1, 1, 1},   // the same, clicked the other way round
        {12, 1, 12, 1},  // the taker who takes shirt 1 hands his roles to the other
        {1, 12, 12, 1},  // the same, clicked the other way round
        {5, 14, 5, 5},   // no shirt 1 involved: nothing passes
    };
    for (const Case& c : cases) {
        ShowHumanSquad();
        const int32_t holder = AtShirt(c.holder), expected = AtShirt(c.expected);
        VTW_SetClubPenaltyTaker(Human(), holder);
        VTW_SetClubFreeKickTaker(Human(), holder);
        VTW_SetClubCornerTaker(Human(), holder);
        Squad_ClickPlayer(PlaceOfShirt(c.first));
        Squad_ClickPlayer(PlaceOfShirt(c.second));
        EXPECT_EQ(Record().penaltyTaker, expected) << c.first << " " << c.second;
        EXPECT_EQ(Record().freeKickTaker, expected) << c.first << " " << c.second;
        EXPECT_EQ(Record().cornerTaker, expected) << c.first << " " << c.second;
    }
}

TEST_F(SquadScreenTest, ClicksChangeNothingOnAComputerClubAnEmptyPlaceOrAPlayerLoanedElsewhere)
{
    ShowHumanSquad();
    const std::vector<int32_t> before = Shirts();
    const int32_t empty = SquadList.count;
    ASSERT_LT(empty, SQUAD_MAX);
    EXPECT_EQ(Squad_ClickPlayer(empty), EXM_CODE_NONE);

    const int32_t loaned = AtShirt(3);
    Player_RefForSet(loaned, "test").full->flags |= PLAYER_ON_LOAN;
    Player_RefForSet(loaned, "test").full->loanClub = static_cast<int16_t>(DivisionLists[0][1]);
    EXPECT_EQ(ClickingBoxesAway([&] { return Squad_ClickPlayer(PlaceOfShirt(3)); }), EXM_CODE_NONE);
    EXPECT_EQ(SquadScreen.selection, -1);

    VTW_SetClubControl(Human(), MANAGER_COMPUTER);
    EXPECT_EQ(Squad_ClickPlayer(PlaceOfShirt(5)), EXM_CODE_NONE);
    EXPECT_EQ(SquadScreen.selection, -1);
    EXPECT_EQ(Shirts(), before);
}

TEST_F(SquadScreenTest, TheHolidaysRefuseMoraleFitnessAndFatigue)
{
    struct Case {
        uint16_t code;
        int32_t day;
        int32_t refusal;
    };
    const int32_t holiday = GameState.holidayStart;
    const Case cases[] = {
        {SQUAD_CODE_MORALE, holiday, TEXT_ON_HOLIDAY_NO_DATA},
        {SQUAD_CODE_FITNESS, 365, TEXT_ON_HOLIDAY_NO_DATA},
        {SQUAD_CODE_FATIGUE, holiday, TEXT_ON_HOLIDAY_NO_DATA},
        {SQUAD_CODE_MORALE, holiday - 1, 0},
        {SQUAD_CODE_GOALS, holiday, 0},
    };
    for (const Case& c : cases) {
        SquadScreen.displayCode = SQUAD_CODE_VALUE;
        Calendar_SetDay(c.day);
        EXPECT_EQ(Squad_ChooseDisplay(c.code), c.refusal) << c.code << " " << c.day;
        EXPECT_EQ(SquadScreen.displayCode, c.refusal == 0 ? c.code : SQUAD_CODE_VALUE);
    }
}

// Every build fills the column place by place, after the sort, under the chosen statistic.
TEST_F(SquadScreenTest, TheValueColumnShowsTheSalesAskingPriceBeforeTheValue)
{
    m_screen.Run(Squad_Table(), [&] {
        const int32_t player = AtShirt(8);
        EXPECT_EQ(SquadScreen.values[PlaceOfShirt(8)], VTW_GetPlayerValue(player));
        Market_AddHumanSale(player, DivisionLists[0][1], 0, 123450);
        Init_M_MN7();
        EXPECT_EQ(SquadScreen.values[PlaceOfShirt(8)], 123450);

        SquadScreen.displayCode = SQUAD_CODE_AGE;
        SquadScreen.sorted = true;
        Init_M_MN7();
        for (int32_t place = 0; place < SQUAD_MAX; ++place) {
            const int32_t p = SquadScreen.order[place];
            EXPECT_EQ(SquadScreen.values[place], p < 0 ? 0 : VTW_GetPlayerAge(p)) << place;
        }
    });
}

TEST_F(SquadScreenTest, TheFourOrdersAndSortingOffAtEveryBuild)
{
    SquadScreen.displayCode = SQUAD_CODE_AGE;
    struct Case {
        bool byCategory, sorted;
    };
    std::vector<std::vector<int16_t>> orders;
    m_screen.Run(Squad_Table(), [&] {
        EXPECT_FALSE(SquadScreen.sorted);
        for (const Case c :
             {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
            SquadScreen.byCategory = c.byCategory;
            SquadScreen.sorted = c.sorted;
            Init_M_MN7();
            orders.emplace_back(std::begin(SquadScreen.order), std::end(SquadScreen.order));
        }
    });
    ASSERT_EQ(orders.size(), 4u);
    const auto key = [](size_t which, int16_t p) {
        const int32_t line = VTW_GetPositionType(p);
        const int32_t shirt = VTW_GetPlayerShirt(p) == 0 ? 99 : VTW_GetPlayerShirt(p);
        const int32_t oldest = -VTW_GetPlayerAge(p);
        switch (which) {
            case 0: return std::vector<int32_t>{shirt};
            case 1: return std::vector<int32_t>{line, shirt};
            case 2: return std::vector<int32_t>{oldest};
            default: return std::vector<int32_t>{line, oldest};
        }
    };
    for (size_t which = 0; which < orders.size(); ++which) {
        const std::vector<int16_t>& order = orders[which];
        const int32_t count = static_cast<int32_t>(
            std::count_if(order.begin(), order.end(), [](int16_t p) { return p >= 0; }));
        EXPECT_EQ(count, SquadList.count);
        for (int32_t i = 1; i < count; ++i) {
            EXPECT_LE(key(which, order[i - 1]), key(which, order[i])) << which << " " << i;
        }
    }
    SquadScreen.sorted = true;
    m_screen.Run(Squad_Table(), [] { EXPECT_FALSE(SquadScreen.sorted); });
}

// The captain also takes every set piece: his row shows all four icons, side by side.
TEST_F(SquadScreenTest, TheScreenAtDayZeroMatchesItsGolden)
{
    ShowHumanSquad();
    for (const int16_t p : SquadScreen.order) {
        if (p < 0 || VTW_GetPlayerCaptain(p) == 0) continue;
        VTW_SetClubPenaltyTaker(Human(), p);
        VTW_SetClubFreeKickTaker(Human(), p);
        VTW_SetClubCornerTaker(Human(), p);
    }
    uint32_t hash = 0;
    int32_t hotspots = 0;
    m_screen.Run(Squad_Table(), [&] {
        hash = WorkScreenHash();
        hotspots = EXM_HotspotCount();
        WriteFrameToTestOutput("squad_day0.png");
    });
    ExpectGoldenHash("menus/squad_day0", hash);
    // Two fields per player, the four buttons and OK, and the header's own.
    EXPECT_GE(hotspots, 2 * SquadList.count + 5);
}

TEST_F(SquadScreenTest, FillSquadTableWritesTheSquadsPlacesAndLeavesTheRest)
{
    for (auto& row : SquadValueTable) {
        row[0] = row[1] = row[2] = 0xBEEF;
    }
    const int32_t club = Human();
    VTW_RefreshSquadCount(club);
    // Down to 20 players: the others go to the unattached pool.
    const std::vector<int16_t> leaving(SquadList.players + 20, SquadList.players + SquadList.count);
    for (const int16_t player : leaving) {
        Market_Release(player);
    }
    FillSquadTable(club, 0);
    ASSERT_EQ(SquadList.count, 20);
    for (int32_t place = 0; place < SQUAD_MAX; ++place) {
        if (place < 20) {
            const int32_t player = SquadList.players[place];
            EXPECT_EQ(SquadValueTable[place][0], player);
            EXPECT_EQ(SquadValueTable[place][1], VTW_GetPlayerCareerApps(player));
            EXPECT_EQ(SquadValueTable[place][2], VTW_GetPlayerTraining(player));
        } else {
            EXPECT_EQ(SquadValueTable[place][0], 0xBEEF) << place;
        }
    }
}

TEST_F(SquadScreenTest, DoneGoesBackToTheCalendarsAndResultsElseToTheOffice)
{
    struct Case {
        std::vector<int16_t> dispatched;  // before "Equipe"
        int16_t expected;
    };
    const Case cases[] = {
        {{3, 11, MENU_OPTION_TO_SQUAD}, 11},  // a results row forwards through option 2
        {{3, 64}, 64},
        {{3, 66}, 66},
        {{3, 8}, MENU_OPTION_OFFICE},  // the calendar
        {{24, 3}, MENU_OPTION_OFFICE},
        {{3, 11, 4}, MENU_OPTION_OFFICE},  // back from a card opened elsewhere
    };
    for (const Case& c : cases) {
        FrontEndInit();
        for (const int16_t option : c.dispatched) {
            FrontEnd_NoteDispatch(option);
        }
        FrontEnd_NoteDispatch(MENU_OPTION_SQUAD);
        EXPECT_EQ(Squad_Done(nullptr), EXM_CODE_LEAVE);
        EXPECT_EQ(MenuOption, c.expected) << c.dispatched.back();
    }
}

// A click anywhere on a player's half-row chooses him while a role waits; with none waiting the
// name opens his card and the columns after it do nothing.
TEST_F(SquadScreenTest, WhileARoleWaitsAClickAnywhereOnTheRowChoosesThePlayer)
{
    struct Case {
        int32_t dx;  // from the half's left edge
        bool captainPending;
        bool captain;
        bool card;
    };
    const Case cases[] = {
        {45, true, true, false},   {130, true, true, false},   {250, true, true, false},
        {130, false, false, true}, {250, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << (c.captainPending ? " pending" : ""));
        VTW_ClearSquadCaptains(Human(), 1);
        int32_t nine = -1;
        const auto aimAtNine = [&] {
            const int32_t place = PlaceOfShirt(9);
            nine = SquadScreen.order[place];
            if (c.captainPending) SquadScreen.pendingRoles = SQUAD_ROLE_CAPTAIN;
            const int32_t x = (place < 16 ? 40 : 328) + c.dx;
            const int32_t y = 107 + (place % 16) * 20 + 10;
            HostOnMouseMotion(x - PointerX(), y - PointerY());
        };
        MenuInputs inputs;
        inputs.push_back({210, MenuInput::PRESS, 0, 0, {}});
        inputs.push_back({214, MenuInput::RELEASE, 0, 0, {}});
        MenuOption = MENU_OPTION_SQUAD;
        m_screen.Run(Squad_Table(), aimAtNine, inputs);
        EXPECT_EQ(VTW_GetPlayerCaptain(nine), c.captain ? 1 : 0);
        EXPECT_EQ(MenuOption == MENU_OPTION_PLAYER_CARD, c.card);
        EXPECT_EQ(SquadScreen.pendingRoles, 0);
        EXPECT_EQ(SquadScreen.selection, -1);
    }
}

// The squad of a club abroad: light players, long names. Every name stops a space's width before
// the side column (x 248 on the left, 536 on the right), some come right up to that gap.
TEST_F(SquadScreenTest, AForeignClubsLongNamesStopASpaceShortOfTheSideColumn)
{
    for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
        if (VTW_GetClubCountry(club) == VTW_GetCountry() || VTW_RefreshSquadCount(club) < 20)
            continue;
        GameState.currentClub = static_cast<int16_t>(club);
        break;
    }
    ASSERT_NE(GameState.currentClub, Human());
    constexpr int32_t kSideX[2] = {248, 536};
    constexpr int32_t kGap = 6, kRowsTop = 107, kPitch = 20;
    // The strip of `width` pixels left of `right` on every row, with players or without.
    const auto strips = [&](int32_t right, int32_t width) {
        std::vector<uint32_t> pixels;
        for (const int32_t side : kSideX) {
            for (int32_t y = kRowsTop; y < kRowsTop + 16 * kPitch; ++y) {
                for (int32_t x = side - right - width; x < side - right; ++x)
                    pixels.push_back(WorkPixel(x, y));
            }
        }
        return pixels;
    };
    std::vector<uint32_t> gaps, nameEnds, emptyGaps, emptyNameEnds;
    m_screen.Run(Squad_Table(), [&] {
        ASSERT_GE(SquadScreen.order[17], FullPlayerCount);  // both halves hold light players
        WriteFrameToTestOutput("squad_foreign.png");
        gaps = strips(0, kGap);
        nameEnds = strips(kGap, 4);
        std::fill(std::begin(SquadScreen.order), std::end(SquadScreen.order), int16_t{-1});
        EXM_RedrawNow();
        emptyGaps = strips(0, kGap);
        emptyNameEnds = strips(kGap, 4);
    });
    EXPECT_TRUE(gaps == emptyGaps);
    EXPECT_FALSE(nameEnds == emptyNameEnds);
}
