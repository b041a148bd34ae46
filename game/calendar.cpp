// game/calendar.cpp: dates of the season year (1 August to 31 July) and the season's key days.
#include "game/calendar.h"

#include <array>
#include <cstdio>

#include "engine/fatal.h"
#include "game/gamestate.h"
#include "game/textmess.h"
#include "game/world.h"

namespace {

constexpr int32_t TEXT_WEEKDAY_FIRST = 2;                 // "Samedi"
constexpr int32_t TEXT_MONTH_FIRST = 9;                   // "Janvier"
constexpr int32_t FIRST_SEASON_WEEKDAY = WEEKDAY_SUNDAY;  // 1 August 1999
constexpr int32_t AUGUST = 7;                             // months 0-11
constexpr int32_t FEBRUARY = 1;
constexpr int32_t LEAGUE_START_DAY = 7;
constexpr int32_t LEAGUE_END_LATEST = 283;  // the last league day is the closing day up to here
constexpr int32_t HOLIDAY_AFTER_LEAGUE = 21;
constexpr std::array<int32_t, 12> MONTH_DAYS = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

struct CalendarState {
    char dateText[64];
};

CalendarState s_calendar;

// The calendar year of each month of the current season: August-December the first.
int32_t YearOfMonth(int32_t month)
{
    return GAME_FIRST_YEAR + GameState.seasonCounter + (month >= AUGUST ? 0 : 1);
}

}  // namespace

int32_t VTW_DaysInYear(int32_t year) { return year % 4 == 0 ? 366 : 365; }

int32_t Calendar_MonthDays(int32_t month, int32_t year)
{
    return month == FEBRUARY ? VTW_DaysInYear(year) - 337 : MONTH_DAYS[month];
}

int32_t Calendar_DaysInSeason(int32_t season)
{
    return VTW_DaysInYear(GAME_FIRST_YEAR + season + 1);
}

int32_t Calendar_FirstWeekday(int32_t season)
{
    int32_t weekday = FIRST_SEASON_WEEKDAY;
    for (int32_t s = 0; s < season; ++s) {
        weekday = (weekday + Calendar_DaysInSeason(s)) % WEEKDAY_COUNT;
    }
    return weekday;
}

int32_t Calendar_WeekdayOfDay(int32_t day)
{
    return (Calendar_FirstWeekday(GameState.seasonCounter) + day) % WEEKDAY_COUNT;
}

int32_t Calendar_NextWeekday(int32_t day, int32_t weekday)
{
    return day + (weekday - Calendar_WeekdayOfDay(day) + WEEKDAY_COUNT) % WEEKDAY_COUNT;
}

void VTW_SeasonDayToDate(int32_t day, int32_t* dayOfMonth, int32_t* month, int32_t* weekday)
{
    if (day < 0 || day >= Calendar_DaysInSeason(GameState.seasonCounter))
        FatalError("VTW_SeasonDayToDate(): day %d is outside the season", day);
    *weekday = Calendar_WeekdayOfDay(day);
    int32_t m = AUGUST;
    while (day >= Calendar_MonthDays(m, YearOfMonth(m))) {
        day -= Calendar_MonthDays(m, YearOfMonth(m));
        m = (m + 1) % 12;
    }
    *dayOfMonth = day + 1;
    *month = m + 1;
}

int32_t VTW_DateToSeasonDay(int32_t dayOfMonth, int32_t month)
{
    if (month < 0 || month >= 12 || dayOfMonth < 1
        || dayOfMonth > Calendar_MonthDays(month, YearOfMonth(month)))
        FatalError("VTW_DateToSeasonDay(): no date %d of month %d", dayOfMonth, month);
    int32_t day = dayOfMonth - 1;
    for (int32_t m = AUGUST; m != month; m = (m + 1) % 12) {
        day += Calendar_MonthDays(m, YearOfMonth(m));
    }
    return day;
}

int32_t VTW_GetWeekday() { return GameState.weekday; }
int32_t VTW_GetDayOfMonth() { return GameState.dayOfMonth; }
int32_t VTW_GetMonth() { return GameState.month; }
int32_t VTW_GetYear() { return GameState.year; }
int32_t VTW_GetCurrentDay() { return DayNo; }
int32_t VTW_GetSeasonCounter() { return GameState.seasonCounter; }

const char* VTW_GetDateText() { return Calendar_DateTextOf(GameState); }

const char* Calendar_DateTextOf(const GameStateBlock& state)
{
    std::snprintf(s_calendar.dateText, sizeof s_calendar.dateText, "%s %d %s %d",
                  GetMessageText(TEXT_WEEKDAY_FIRST + state.weekday % 7), state.dayOfMonth,
                  GetMessageText(TEXT_MONTH_FIRST + state.month % 12), state.year);
    return s_calendar.dateText;
}

int32_t VTW_GetFullYear(int32_t year)
{
    if (year == 0) return 2000;
    return year < 97 ? 2000 + year : 1900 + year;
}

void VTW_GetYearPair(int32_t season, int32_t* first, int32_t* second)
{
    *first = GAME_FIRST_YEAR + season;
    *second = *first + 1;
}

void Calendar_SetDay(int32_t day)
{
    int32_t dayOfMonth = 0;
    int32_t month = 0;
    int32_t weekday = 0;
    VTW_SeasonDayToDate(day, &dayOfMonth, &month, &weekday);
    DayNo = static_cast<uint16_t>(day);
    GameState.weekday = static_cast<uint8_t>(weekday);
    GameState.dayOfMonth = static_cast<uint8_t>(dayOfMonth);
    GameState.month = static_cast<uint8_t>(month - 1);
    GameState.year = static_cast<uint16_t>(YearOfMonth(month - 1));
    GameState.daysInSeason = static_cast<uint16_t>(Calendar_DaysInSeason(GameState.seasonCounter));
}

int32_t Calendar_ClosingWeekday() { return World_Country(GameState.country).closingWeekday; }

void Calendar_PlanSeason()
{
    const int32_t closing = Calendar_ClosingWeekday();
    const int32_t first = Calendar_NextWeekday(LEAGUE_START_DAY, closing);
    const int32_t last = Calendar_NextWeekday(LEAGUE_END_LATEST - 6, closing);
    const int32_t holiday = last + HOLIDAY_AFTER_LEAGUE;
    GameState.firstLeagueDay = static_cast<uint16_t>(first);
    GameState.lastLeagueDay = static_cast<uint16_t>(last);
    GameState.holidayStart = static_cast<uint16_t>(holiday);
    GameState.trainingDay = static_cast<uint16_t>(holiday);
    const int32_t closed[3][2] = {{CALENDAR_SEPTEMBER_1, CALENDAR_DECEMBER_31},
                                  {CALENDAR_FEBRUARY_1, last},
                                  {last + 1, holiday - 1}};
    for (int32_t k = 0; k < 3; ++k) {
        GameState.closedTransfer[k][0] = static_cast<uint16_t>(closed[k][0]);
        GameState.closedTransfer[k][1] = static_cast<uint16_t>(closed[k][1]);
    }
}
