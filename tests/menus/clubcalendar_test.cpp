// tests/menus/clubcalendar_test.cpp: the club calendar: where its list opens, paging, the rows
// it leaves out, what a row shows, the job offer's viewing mode and the developer switch.
#include "menus/clubcalendar.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/joboffer.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

constexpr uint32_t T0 = 300;  // after the first build's wipe onto the screen
constexpr int32_t FIRST_DAY = 10;
constexpr int16_t TEXT_TO_PLAY = 152;
constexpr int16_t TEXT_DASH = 125;

class CalendarScreen : public ::testing::Test {
protected:
    CalendarScreen()
    {
        NewGameForTest(6, 7);
        FrontEndInit();
        m_club = DivisionLists[0][0];
        VTW_SetClubControl(m_club, MANAGER_HUMAN);
        GameState.humanClub = static_cast<int16_t>(m_club);
        GameState.currentClub = static_cast<int16_t>(m_club);
    }
    ~CalendarScreen() override { FrontEndUninit(); }

    // `count` league fixtures of the club every other day from FIRST_DAY, home and away in turn;
    // those before today carry a 2-1 result for the home side.
    void InsertSeason(int32_t count, int32_t today)
    {
        Fixtures_Clear();
        Calendar_SetDay(today);
        for (int32_t i = 0, opponent = 0; i < count; ++i, ++opponent) {
            if (opponent == m_club) ++opponent;
            const int32_t day = FIRST_DAY + 2 * i;
            const bool home = i % 2 == 0;
            const int32_t row = VTW_InsertFixture(day, COMP_LEAGUE, home ? m_club : opponent,
                                                  home ? opponent : m_club);
            ASSERT_GE(row, 0);
            if (day < today) Fixture_SetGoals(row, 2, 1);
        }
    }

    // A row written as the table stores it, to reach what the inserts refuse.
    static void WriteRow(int32_t row, int32_t day, int32_t comp, int32_t home, int32_t away)
    {
        FixtureTable[row].head = static_cast<uint32_t>(day | comp << 9 | home << 16 | away << 24);
        FixtureTable[row].result = 0xFF;
    }

    ScopedWorld m_world;
    ScopedMenuDisplay m_display{true};
    int32_t m_club = -1;
};

void AddRightClick(MenuInputs* inputs, uint32_t tick, int32_t x, int32_t y)
{
    inputs->push_back({tick, MenuInput::MOVE, x, y, {}});
    inputs->push_back(
        {tick + 4, MenuInput::CALL, 0, 0, [] { HostOnMouseButton(HOST_BUTTON_RIGHT, true); }});
    inputs->push_back(
        {tick + 8, MenuInput::CALL, 0, 0, [] { HostOnMouseButton(HOST_BUTTON_RIGHT, false); }});
}

// The calendar run until it leaves by itself, or by Escape once the inputs are spent.
void RunCalendar(MenuInputs inputs)
{
    ScopedMenuScript script(std::move(inputs), 40);
    EXM_PushAndRun(ClubCalendar_Table());
}

constexpr int32_t CLUB_X = 40, TITLE_X = 300, DATE_X = 580, SWITCH_Y = 34;

}  // namespace

TEST_F(CalendarScreen, TheNextFixtureOpensInTheEighthRowOnceMoreThanEightArePast)
{
    struct Case {
        int32_t played;
        int32_t first;
    };
    // 30 fixtures; with all of them past there is no next one and the list opens at the top.
    for (const Case c : {Case{0, 0}, Case{8, 0}, Case{9, 2}, Case{20, 13}, Case{30, 0}}) {
        InsertSeason(30, FIRST_DAY + 2 * c.played);
        ClubCalendar_Build(true);
        EXPECT_EQ(ClubCalendar.count, 30);
        EXPECT_EQ(ClubCalendar.first, c.first) << c.played;
    }
    InsertSeason(30, FIRST_DAY + 2 * 20);  // today is the 21st fixture's day
    ClubCalendar_Build(true);
    const ClubCalendarRow& next = ClubCalendar.rows[CALENDAR_NEXT_ROW];
    EXPECT_EQ(next.separator, TEXT_TO_PLAY);
    EXPECT_EQ(next.clubGoals, CALENDAR_NO_GOALS);
    EXPECT_EQ(next.opponentGoals, CALENDAR_NO_GOALS);
    const ClubCalendarRow& last = ClubCalendar.rows[CALENDAR_NEXT_ROW - 1];  // entry 19: away
    EXPECT_EQ(last.separator, TEXT_DASH);
    EXPECT_EQ(last.clubGoals, 1);
    EXPECT_EQ(last.opponentGoals, 2);
}

TEST_F(CalendarScreen, PagesStepBySixteenAndStopWhereTheLastSeventeenShow)
{
    struct Case {
        int32_t count;
        std::vector<int32_t> firsts;  // after down, down, up, up
    };
    for (const Case& c : {Case{40, {16, 23, 7, 0}}, Case{30, {13, 13, 0, 0}},
                          Case{17, {0, 0, 0, 0}}, Case{5, {0, 0, 0, 0}}}) {
        InsertSeason(c.count, 0);
        ClubCalendar_Build(true);
        std::vector<int32_t> firsts;
        for (const auto step : {ClubCalendar_PageDown, ClubCalendar_PageDown, ClubCalendar_PageUp,
                                ClubCalendar_PageUp}) {
            EXPECT_EQ(step(nullptr), EXM_CODE_REDRAW);
            firsts.push_back(ClubCalendar.first);
        }
        EXPECT_EQ(firsts, c.firsts) << c.count;
    }
    InsertSeason(5, 0);
    ClubCalendar_Build(true);
    EXPECT_EQ(ClubCalendar.rows[5].opponent, -1);  // rows past the count stay blank
    EXPECT_STREQ(ClubCalendar.rows[5].date, "");
}

TEST_F(CalendarScreen, RowsShowVenueDateAndCompetitionAndLeaveOutInternationalsAndEmptyRows)
{
    const int32_t other = DivisionLists[0][1];
    Fixtures_Clear();
    Calendar_SetDay(0);
    WriteRow(0, 3, COMP_LEAGUE, m_club, other);
    WriteRow(1, 5, COMP_INTERNATIONAL, m_club, other);
    WriteRow(2, 7, Fixture_CupComp(0, 1, 0), other, m_club);
    WriteRow(3, 9, COMP_LEAGUE, other, m_club);
    Fixture_SetNeutral(3, 1);
    WriteRow(4, 11, COMP_LEAGUE, m_club, m_club);
    WriteRow(5, FIXTURE_DAY_EMPTY, COMP_LEAGUE, m_club, other);  // a cleared row
    ClubCalendar_Build(true);
    ASSERT_EQ(ClubCalendar.count, 3);
    EXPECT_EQ(ClubCalendar.list[1], 2);
    EXPECT_EQ(ClubCalendar.rows[0].venue, 102);   // "D"
    EXPECT_EQ(ClubCalendar.rows[1].venue, 103);   // "E"
    EXPECT_EQ(ClubCalendar.rows[2].venue, 1498);  // "N"
    EXPECT_EQ(ClubCalendar.rows[0].opponent, VTW_ClubNameTextNo(VTW_GetTeam(other)));
    int32_t dayOfMonth = 0, month = 0, weekday = 0;
    VTW_SeasonDayToDate(3, &dayOfMonth, &month, &weekday);
    char date[CALENDAR_DATE_BYTES];
    std::snprintf(date, sizeof date, "%s %02d/%02d", GetMessageText(21 + weekday), dayOfMonth,
                  month);
    EXPECT_STREQ(ClubCalendar.rows[0].date, date);
    EXPECT_STREQ(ClubCalendar.rows[0].competition, "");  // the league names no competition
    EXPECT_NE(
        std::string(ClubCalendar.rows[1].competition).find(GetMessageText(VTW_GetCountryTextNo(0))),
        std::string::npos);
}

TEST_F(CalendarScreen, AClubOfTheEighthChampionsGroupReadsGroupeH)
{
    Fixtures_Clear();
    Calendar_SetDay(0);
    CupSchedule.groups[7][0] = static_cast<int16_t>(m_club);
    WriteRow(0, 40, COMP_CHAMPIONS_GROUPS, m_club, DivisionLists[0][1]);
    ClubCalendar_Build(true);
    EXPECT_NE(std::string(ClubCalendar.rows[0].competition).find("Groupe H"), std::string::npos)
        << ClubCalendar.rows[0].competition;
}

TEST_F(CalendarScreen, ViewingForAJobOfferHasNoButtonIgnoresRowsAndGoesBackToTheOffer)
{
    InsertSeason(10, 0);
    JobOfferViewFlag = 1;
    ClubCalendar_Build(true);
    EXPECT_EQ(ClubCalendar.standingsButton[0].kind, 0x37);  // an empty table
    MenuHotspot row{};
    EXPECT_EQ(ClubCalendar_Row(&row), EXM_CODE_NONE);
    EXPECT_EQ(GameState.currentClub, m_club);
    EXPECT_EQ(ClubCalendar_Back(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 6);

    JobOfferViewFlag = 0;
    ClubCalendar_Build(true);
    EXPECT_NE(ClubCalendar.standingsButton[0].kind, 0x37);
    row.row = 1;
    EXPECT_EQ(ClubCalendar_Row(&row), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 2);
    EXPECT_EQ(GameState.currentClub, VTW_GetFixtureHomeClub(ClubCalendar.list[1]));
    EXPECT_EQ(ClubCalendar_Back(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
}

TEST_F(CalendarScreen, TheRightClickSequenceOpensTheDeveloperScreensFromThenOn)
{
    InsertSeason(10, 0);
    // A page click in the middle of the sequence starts it over: club, title, page, date, title.
    MenuOption = 8;
    MenuInputs broken;
    AddRightClick(&broken, T0, CLUB_X, SWITCH_Y);
    AddRightClick(&broken, T0 + 30, TITLE_X, SWITCH_Y);
    AddClick(&broken, T0 + 60, 40, 460);
    AddRightClick(&broken, T0 + 90, DATE_X, SWITCH_Y);
    AddRightClick(&broken, T0 + 120, TITLE_X, SWITCH_Y);
    RunCalendar(broken);
    EXPECT_EQ(MenuOption, 8);
    EXPECT_FALSE(ClubCalendar.developerOn);

    MenuInputs right;
    AddRightClick(&right, T0, TITLE_X, SWITCH_Y);  // a wrong first click
    for (const int32_t x : {CLUB_X, TITLE_X, DATE_X, TITLE_X}) {
        AddRightClick(&right, right.back().tick + 20, x, SWITCH_Y);
    }
    RunCalendar(right);
    EXPECT_EQ(MenuOption, CALENDAR_DEVELOPER_OPTION);
    EXPECT_TRUE(ClubCalendar.developerOn);

    // From the office the calendar now sends on at once; back from 67 it shows itself.
    FrontEnd_NoteDispatch(MENU_OPTION_OFFICE);
    FrontEnd_NoteDispatch(8);
    MenuOption = 8;
    EXPECT_TRUE(ClubCalendar_SkipsToDeveloper());
    EXPECT_EQ(MenuOption, CALENDAR_DEVELOPER_OPTION);
    FrontEnd_NoteDispatch(CALENDAR_DEVELOPER_OPTION);
    FrontEnd_NoteDispatch(8);
    MenuOption = 8;
    EXPECT_FALSE(ClubCalendar_SkipsToDeveloper());
    EXPECT_EQ(MenuOption, 8);
}

TEST_F(CalendarScreen, TheHumanClubsCalendarBeforeTheFirstMatchDrawsAsKept)
{
    uint32_t hash = 0;
    MenuInputs inputs;
    inputs.push_back({T0, MenuInput::CALL, 0, 0, [&] {
                          hash = WorkScreenHash();
                          WriteFrameToTestOutput("club_calendar.png");
                      }});
    RunCalendar(inputs);
    EXPECT_GT(ClubCalendar.count, CALENDAR_ROWS);
    ExpectGoldenHash("menus/club_calendar", hash);
}

// The club of ours whose calendar holds the longest competition heading (a continental round):
// every heading ends inside its row, in the smaller font where the row's would run past, and
// cut short only when even that is too wide.
TEST_F(CalendarScreen, ALongCompetitionTakesTheSmallerFontInsideItsRow)
{
    int32_t club = -1;
    size_t longest = 0;
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        if (VTW_GetFixtureDay(row) == FIXTURE_DAY_EMPTY) break;
        const int32_t home = VTW_GetFixtureHomeClub(row);
        int32_t name = -1, stage = -1, leg = -1;
        VTW_GetCompetitionTexts(VTW_GetFixtureCompetition(row), &name, &stage, &leg);
        const size_t length = std::strlen(GetMessageText(name)) + std::strlen(GetMessageText(stage))
                              + std::strlen(GetMessageText(leg));
        if (VTW_FindDivisionOfTeam(home) >= 0 && VTW_GetFixtureCompetition(row) != COMP_LEAGUE
            && length > longest) {
            club = home;
            longest = length;
        }
    }
    ASSERT_GE(club, 0);
    GameState.currentClub = static_cast<int16_t>(club);
    uint32_t hash = 0;
    int32_t smaller = 0;
    MenuInputs inputs;
    inputs.push_back({T0, MenuInput::CALL, 0, 0, [&] {
                          hash = WorkScreenHash();
                          WriteFrameToTestOutput("club_calendar_cup.png");
                          for (const ClubCalendarRow& row : ClubCalendar.rows) {
                              SetMenuFont(row.competitionFont);
                              int32_t w, h;
                              EXPECT_LE(GetTextExtent(row.competition, &w, &h), 576 - 340 - 6)
                                  << row.competition;
                              const size_t n = std::strlen(row.competition);
                              const bool cut = n > 0 && row.competition[n - 1] == '.';
                              EXPECT_TRUE(!cut || row.competitionFont == 0) << row.competition;
                              smaller += row.competitionFont == 0;
                          }
                      }});
    RunCalendar(inputs);
    EXPECT_GT(smaller, 0);
    ExpectGoldenHash("menus/club_calendar_cup", hash);
}
