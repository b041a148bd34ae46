// tests/menus/fixturelist_test.cpp: the match-day fixtures screen: the day it opens on, the day
// and row arrows at their ends, an empty competition, the notes beside the clubs, the
// aggregates of return legs, the play-off titles, empty rows and the drawn screen.
#include "menus/fixturelist.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

constexpr uint32_t T0 = 300;  // after the first build's wipe onto the screen

class FixturesScreen : public ::testing::Test {
protected:
    FixturesScreen()
    {
        NewGameForTest(6, 7);
        FrontEndInit();
        m_human = DivisionLists[0][0];
        VTW_SetClubControl(m_human, MANAGER_HUMAN);
        GameState.humanClub = static_cast<int16_t>(m_human);
        GameState.currentClub = static_cast<int16_t>(m_human);
    }
    ~FixturesScreen() override { FrontEndUninit(); }

    // The screen built as the menu loop builds it: on entering it, and again after a handler's
    // redraw.
    static void Enter()
    {
        EXM_PushMenu(FixtureList_Table());
        EXM_RedrawNow();
    }
    static void Rebuild() { EXM_RedrawNow(); }

    // A row written as the table stores it: the tests build their own days.
    static void WriteRow(int32_t row, int32_t day, int32_t comp, int32_t home, int32_t away)
    {
        FixtureTable[row].head = static_cast<uint32_t>(day | comp << 9 | home << 16 | away << 24);
        Fixture_ClearResult(row);
    }

    // The days of division 0's league rows, in order.
    static std::vector<int32_t> LeagueDays()
    {
        std::vector<int32_t> days;
        for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
            const int32_t day = VTW_GetFixtureDay(row);
            if (day < FIXTURE_LIST_DAYS && VTW_GetFixtureCompetition(row) == COMP_LEAGUE
                && VTW_FindDivisionOfTeam(VTW_GetFixtureHomeClub(row)) == 0
                && (days.empty() || days.back() != day))
                days.push_back(day);
        }
        return days;
    }

    static int32_t ClubOfOtherCountry()
    {
        for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
            if (VTW_GetClubCountry(club) != VTW_GetCountry()) return club;
        }
        return -1;
    }

    ScopedWorld m_world;
    ScopedMenuDisplay m_display{true};
    int32_t m_human = -1;
};

}  // namespace

TEST_F(FixturesScreen, ItOpensOnTodayOrTheNextDayWithFixturesElseTheLastOne)
{
    const std::vector<int32_t> days = LeagueDays();
    ASSERT_GE(days.size(), 3u);
    struct Case {
        int32_t today;
        int32_t shown;
    };
    for (const Case c : {Case{0, days[0]}, Case{days[1], days[1]}, Case{days[1] + 1, days[2]},
                         Case{days.back() + 1, days.back()}}) {
        Calendar_SetDay(c.today);
        Enter();
        EXPECT_EQ(FixtureList.mode, FIXTURE_LIST_LEAGUE);
        EXPECT_EQ(FixtureList.shownDay, c.shown) << c.today;
        EXPECT_EQ(FixtureList.dayCount, VTW_GetDivisionSize(0) / 2) << c.today;
        EXPECT_EQ(FixtureList.message, -1);
    }
}

TEST_F(FixturesScreen, ACompetitionWithoutFixturesSaysSoUnderItsName)
{
    Fixtures_Clear();
    Enter();
    EXPECT_EQ(FixtureList.message, FIXTURE_LIST_NO_FIXTURES);
    EXPECT_STREQ(FixtureList.title, GetMessageText(VTW_GetDivisionLongNameTextNo(0)));
    for (const FixtureListRow& row : FixtureList.rows) {
        EXPECT_EQ(row.homeName, -1);
        EXPECT_EQ(row.separator, -1);
    }
    FixtureList_ChooseCup(1);
    Rebuild();
    EXPECT_EQ(FixtureList.message, FIXTURE_LIST_NO_FIXTURES);
    EXPECT_STREQ(FixtureList.title, GetMessageText(VTW_GetCountryTextNo(1)));
}

TEST_F(FixturesScreen, TheArrowsStopAtTheFirstAndLastDayAndRowsAtTheEnds)
{
    Fixtures_Clear();
    const int32_t comp = Fixture_CupComp(0, 1, 0);
    for (int32_t i = 0; i < 20; ++i) {
        WriteRow(i, 10, comp, 2 * i, 2 * i + 1);
    }
    WriteRow(20, 20, comp, 0, 3);
    WriteRow(21, 20, comp, 1, 2);
    Enter();
    FixtureList_ChooseCup(0);
    Rebuild();
    ASSERT_EQ(FixtureList.shownDay, 10);
    ASSERT_EQ(FixtureList.dayCount, 20);
    std::vector<int32_t> firsts;
    for (const auto step :
         {FixtureList_RowUp, FixtureList_RowDown, FixtureList_RowDown, FixtureList_RowDown,
          FixtureList_RowDown, FixtureList_RowDown, FixtureList_RowDown, FixtureList_RowUp}) {
        EXPECT_EQ(step(nullptr), EXM_CODE_REDRAW);
        firsts.push_back(FixtureList.firstRow);
    }
    EXPECT_EQ(firsts, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 5, 4}));

    FixtureList_PreviousDay(nullptr);
    EXPECT_EQ(FixtureList.shownDay, 10);
    FixtureList_NextDay(nullptr);
    FixtureList_NextDay(nullptr);
    EXPECT_EQ(FixtureList.shownDay, 20);
    Rebuild();
    EXPECT_EQ(FixtureList.dayCount, 2);
    EXPECT_EQ(FixtureList.firstRow, 0);  // not scrolled past the day's two fixtures
    EXPECT_EQ(FixtureList.rows[1].homeName, VTW_ClubNameTextNo(VTW_GetTeam(1)));
    EXPECT_EQ(FixtureList.rows[2].homeName, -1);
    MenuHotspot blank{};
    blank.row = 2;
    EXPECT_EQ(FixtureList_HomeClub(&blank), EXM_CODE_NONE);
    EXPECT_EQ(FixtureList_AwayClub(&blank), EXM_CODE_NONE);
}

TEST_F(FixturesScreen, NotesGivePlacesBeforeALeagueDayDivisionsInNationalCupsAndCountriesAbroad)
{
    const std::vector<int32_t> days = LeagueDays();
    Enter();
    int32_t humanRow = -1;
    for (int32_t i = 0; i < FixtureList.dayCount; ++i) {
        if (VTW_GetFixtureHomeClub(FixtureList.dayList[i]) == m_human) humanRow = i;
        if (VTW_GetFixtureAwayClub(FixtureList.dayList[i]) == m_human) humanRow = i;
    }
    ASSERT_GE(humanRow, 0);
    const FixtureListRow& human = FixtureList.rows[humanRow];
    EXPECT_EQ(human.highlight, FIXTURE_LIST_HIGHLIGHT);
    const bool home = VTW_GetFixtureHomeClub(FixtureList.dayList[humanRow]) == m_human;
    EXPECT_STREQ(home ? human.homeNote : human.awayNote, "(1er)");
    EXPECT_EQ(human.separator, 152);  // "C"

    Calendar_SetDay(days[0] + 1);
    Enter();
    FixtureList_PreviousDay(nullptr);
    Rebuild();
    EXPECT_EQ(FixtureList.shownDay, days[0]);
    EXPECT_STREQ(FixtureList.rows[0].homeNote, "");  // a past day gives no places
    EXPECT_EQ(FixtureList.rows[0].separator, 125);   // "-" between the goals
    EXPECT_NE(FixtureList.rows[0].homeGoals, FIXTURE_LIST_BLANK);

    const int32_t abroad = ClubOfOtherCountry();
    ASSERT_GE(abroad, 0);
    Fixtures_Clear();
    Calendar_SetDay(0);
    WriteRow(0, 10, Fixture_CupComp(0, 1, 0), m_human, DivisionLists[1][0]);
    WriteRow(1, 10, Fixture_CupComp(0, 1, 0), DivisionLists[2][0], abroad);
    WriteRow(2, 12, Fixture_CupComp(CUP_SECOND, 1, 0), m_human, abroad);
    FixtureList_ChooseCup(0);
    Rebuild();
    const std::string division1 = std::string("(") + GetMessageText(VTW_GetDivisionTextNo(1)) + ")";
    EXPECT_STREQ(FixtureList.rows[0].awayNote, division1.c_str());
    EXPECT_STREQ(FixtureList.rows[1].awayNote, "");  // a club in no division of the country
    FixtureList_ChooseCup(CUP_SECOND);
    Rebuild();
    const std::string country =
        std::string("(") + GetMessageText(2310 + VTW_GetClubCountry(abroad)) + ")";
    EXPECT_STREQ(FixtureList.rows[0].awayNote, country.c_str());
    EXPECT_EQ(FixtureList.mode, FIXTURE_LIST_CUP);
}

TEST_F(FixturesScreen, AReturnLegShowsTheAggregateOrTheFirstLegOrNothing)
{
    Fixtures_Clear();
    const int32_t firstLeg = Fixture_CupComp(CUP_SECOND, 1, 0);
    const int32_t secondLeg = Fixture_CupComp(CUP_SECOND, 1, 1);
    WriteRow(0, 10, firstLeg, 20, 21);
    Fixture_SetGoals(0, 2, 1);
    WriteRow(1, 20, secondLeg, 21, 20);
    WriteRow(2, 20, secondLeg, 30, 31);  // its first leg is missing
    Enter();
    FixtureList_ChooseCup(CUP_SECOND);

    struct Case {
        int32_t today;
        bool played;
        int16_t home;
        int16_t away;
    };
    // Played 1-0: 21 has 1 + 1, 20 has 0 + 2. Not played yet: the first leg's 1 and 2.
    for (const Case c : {Case{30, true, 2, 2}, Case{15, false, 1, 2}}) {
        Calendar_SetDay(c.today);
        if (c.played)
            Fixture_SetGoals(1, 1, 0);
        else
            Fixture_ClearResult(1);
        FixtureList.refresh = true;
        Rebuild();
        ASSERT_EQ(FixtureList.shownDay, 20) << c.today;
        EXPECT_EQ(FixtureList.rows[0].aggregateHome, c.home) << c.today;
        EXPECT_EQ(FixtureList.rows[0].aggregateAway, c.away) << c.today;
        EXPECT_EQ(FixtureList.rows[1].aggregateHome, FIXTURE_LIST_BLANK) << c.today;
    }
    Calendar_SetDay(15);
    Fixture_ClearResult(0);  // an unplayed first leg gives no aggregate either
    Rebuild();
    EXPECT_EQ(FixtureList.rows[0].aggregateHome, FIXTURE_LIST_BLANK);
}

TEST_F(FixturesScreen, PlayOffDaysAreTitledByTheirRoundAndEmptyRowsAreLeftOut)
{
    Fixtures_Clear();
    const int32_t a = DivisionLists[1][2], b = DivisionLists[1][3];
    WriteRow(0, 300, COMP_PLAYOFF_FIRST, a, b);
    WriteRow(1, 303, COMP_PLAYOFF_SECOND, b, a);
    WriteRow(2, 306, COMP_PLAYOFF_FINAL, a, b);
    WriteRow(3, 400, COMP_LEAGUE, a, b);  // past the last day a flag can stand for
    WriteRow(4, FIXTURE_DAY_EMPTY, COMP_LEAGUE, a, b);
    Enter();
    FixtureList_ChooseDivision(1);
    Rebuild();
    EXPECT_EQ(FixtureList.count, 3);
    const std::string division = GetMessageText(VTW_GetDivisionLongNameTextNo(1));
    for (const int32_t title : {112, 113, 114}) {
        EXPECT_EQ(FixtureList.title, GetMessageText(title) + (" " + division)) << title;
        FixtureList_NextDay(nullptr);
        Rebuild();
    }
}

TEST_F(FixturesScreen, TheChampionsCupOpensOnItsGroupStageWithEachGroup)
{
    Enter();
    FixtureList_ChooseCup(CUP_CHAMPIONS);
    Rebuild();
    ASSERT_GT(FixtureList.dayCount, 0);
    int32_t name = -1, stage = -1, leg = -1;
    VTW_GetCompetitionTexts(COMP_CHAMPIONS_GROUPS, &name, &stage, &leg);
    EXPECT_STREQ(FixtureList.title, GetMessageText(name));
    const int32_t home = VTW_GetFixtureHomeClub(FixtureList.dayList[0]);
    EXPECT_EQ(FixtureList.rows[0].group, VTW_GetTextNoFromTable(VTW_GetChampionsLeagueGroup(home)));

    MenuHotspot away{};
    away.row = 0;
    EXPECT_EQ(FixtureList_AwayClub(&away), EXM_CODE_LEAVE);
    EXPECT_EQ(GameState.currentClub, VTW_GetFixtureAwayClub(FixtureList.dayList[0]));
    EXPECT_EQ(MenuOption, 2);
}

TEST_F(FixturesScreen, TheFirstLeagueDayBeforeItIsPlayedDrawsAsKept)
{
    uint32_t hash = 0;
    MenuInputs inputs;
    inputs.push_back({T0, MenuInput::CALL, 0, 0, [&] {
                          hash = WorkScreenHash();
                          WriteFrameToTestOutput("fixture_list.png");
                      }});
    ScopedMenuScript script(inputs, 40);
    EXM_PushAndRun(FixtureList_Table());
    EXPECT_GT(FixtureList.dayCount, 0);
    ExpectGoldenHash("menus/fixture_list", hash);
}

// A continental cup's first day: its long title stays between the club badge and the date, and
// each club's country stays clear of its name.
TEST_F(FixturesScreen, AContinentalCupsDayMatchesItsGolden)
{
    uint32_t hash = 0;
    MenuInputs inputs;
    inputs.push_back({T0 - 100, MenuInput::CALL, 0, 0, [] { FixtureList_ChooseCup(CUP_THIRD); }});
    AddClick(&inputs, T0 - 90, 40, 440);  // "row up" builds the screen again
    inputs.push_back({T0 + 100, MenuInput::CALL, 0, 0, [&] {
                          hash = WorkScreenHash();
                          WriteFrameToTestOutput("fixture_list_cup.png");
                      }});
    ScopedMenuScript script(inputs, 40);
    EXM_PushAndRun(FixtureList_Table());
    EXPECT_GT(FixtureList.dayCount, 0);
    ExpectGoldenHash("menus/fixture_list_cup", hash);
}

using FixturesScreenDeathTest = FixturesScreen;

// The day list holds 250 fixtures; the 251st of one day is fatal rather than written past it.
TEST_F(FixturesScreenDeathTest, MoreThanTwoHundredAndFiftyFixturesOnADayAreFatal)
{
    Fixtures_Clear();
    const int32_t comp = Fixture_CupComp(0, 1, 0);
    for (int32_t i = 0; i < FIXTURE_LIST_DAY_MAX; ++i) {
        WriteRow(i, 10, comp, i % 128, 128 + i % 128);
    }
    Enter();
    FixtureList_ChooseCup(0);
    Rebuild();
    EXPECT_EQ(FixtureList.dayCount, FIXTURE_LIST_DAY_MAX);
    WriteRow(FIXTURE_LIST_DAY_MAX, 10, comp, 1, 2);
    FixtureList_ChooseCup(0);  // the competition listed again
    EXPECT_EXIT(Rebuild(), testing::ExitedWithCode(1),
                "Caddock Has Not Allowed Enough Room In His Array\\. Sorry: M_MN12");
}
