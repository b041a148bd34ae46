// game/calendar.h: dates of the season year (1 August to 31 July) and the season's key days.
#pragma once

#include <cstdint>

struct GameStateBlock;

constexpr int32_t CALENDAR_DAYS_MAX = 366;
constexpr int32_t CALENDAR_SEPTEMBER_1 = 31;  // season days; the months before February are fixed
constexpr int32_t CALENDAR_DECEMBER_31 = 152;
constexpr int32_t CALENDAR_FEBRUARY_1 = 184;

// Weekdays as the game counts them.
enum CalendarWeekday : int32_t {
    WEEKDAY_SATURDAY,
    WEEKDAY_SUNDAY,
    WEEKDAY_MONDAY,
    WEEKDAY_TUESDAY,
    WEEKDAY_WEDNESDAY,
    WEEKDAY_THURSDAY,
    WEEKDAY_FRIDAY,
    WEEKDAY_COUNT
};

// 366 when the year is divisible by 4, else 365. A season has the days of its second year.
int32_t VTW_DaysInYear(int32_t year);
int32_t Calendar_DaysInSeason(int32_t season);               // season 0 is 1999/2000
int32_t Calendar_MonthDays(int32_t month, int32_t year);     // month 0-11 of a calendar year
int32_t Calendar_FirstWeekday(int32_t season);               // the weekday of its 1 August
int32_t Calendar_WeekdayOfDay(int32_t day);                  // of a day of the current season
int32_t Calendar_NextWeekday(int32_t day, int32_t weekday);  // the first such day from `day`

// A day of the current season as day of month 1-31, month 1-12 and weekday 0-6 (0 Saturday);
// a day outside the season is fatal.
void VTW_SeasonDayToDate(int32_t day, int32_t* dayOfMonth, int32_t* month, int32_t* weekday);
// The current season's day of a date (month 0-11); fatal for a date that does not exist.
int32_t VTW_DateToSeasonDay(int32_t dayOfMonth, int32_t month);

// Today, from the game-state words.
int32_t VTW_GetWeekday();
int32_t VTW_GetDayOfMonth();
int32_t VTW_GetMonth();  // 0-11
int32_t VTW_GetYear();
int32_t VTW_GetCurrentDay();     // DayNo, 0-based
int32_t VTW_GetSeasonCounter();  // 0 in 1999/2000
// "Samedi 7 Août 1999": the weekday, the day, the month and the year; one static buffer.
const char* VTW_GetDateText();
// The same text for the date a game-state block holds (a saved game's, not applied); a weekday or
// month out of range is taken modulo its count.
const char* Calendar_DateTextOf(const GameStateBlock& state);

int32_t VTW_GetFullYear(int32_t year);  // 0 -> 2000, below 97 -> 2000 + n, else 1900 + n
void VTW_GetYearPair(int32_t season, int32_t* first, int32_t* second);  // 1999 + season, + 1

// Sets DayNo and recomputes the date words from it and the season counter.
void Calendar_SetDay(int32_t day);
// The season's key days from the country's closing weekday: first and last league day, holiday
// start (the training day) and the closed transfer periods, into the game state.
void Calendar_PlanSeason();
int32_t Calendar_ClosingWeekday();  // of the selected country
