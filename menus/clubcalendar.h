// menus/clubcalendar.h: "Calendrier": every fixture of the current club in date order with venue,
// score and competition, opened on the next fixture; and the hidden switch to the developer
// screens.
#pragma once

#include <cstdint>

#include "game/fixtures.h"

struct MenuItem;
struct MenuHotspot;

constexpr int32_t CALENDAR_ROWS = 17;
constexpr int32_t CALENDAR_PAGE = 16;     // a page moves one row less than it shows
constexpr int32_t CALENDAR_NEXT_ROW = 7;  // the next fixture opens in the eighth row
constexpr int32_t CALENDAR_DATE_BYTES = 15;
constexpr int32_t CALENDAR_COMPETITION_BYTES = 200;
constexpr int16_t CALENDAR_NO_GOALS = INT16_MIN;  // a blank goals column
constexpr int16_t CALENDAR_DEVELOPER_OPTION = 67;

// One shown row as the build leaves it for the items; -1 text numbers draw nothing.
struct ClubCalendarRow {
    const char* date;
    const char* competition;
    int16_t venue;
    int16_t clubGoals;  // the current club's, CALENDAR_NO_GOALS when blank
    int16_t separator;
    int16_t opponentGoals;
    int16_t opponent;  // the other club's name
    // The row's font, or the smaller one for a name or competition too wide for its column.
    int16_t opponentFont;
    int16_t competitionFont;
};

// The switch's hotspots: a right click on the club name, the title, the date, then the title.
enum CalendarSwitchArea : int32_t {
    CALENDAR_SWITCH_CLUB,
    CALENDAR_SWITCH_TITLE,
    CALENDAR_SWITCH_DATE,
};

struct ClubCalendarState {
    int16_t list[FIXTURE_ROWS];  // the club's fixture rows in date order
    int16_t count;
    int16_t first;  // the first shown entry
    int16_t title;  // the club's name
    ClubCalendarRow rows[CALENDAR_ROWS];
    char dates[CALENDAR_ROWS][CALENDAR_DATE_BYTES];
    char competitions[CALENDAR_ROWS][CALENDAR_COMPETITION_BYTES];
    const MenuItem* standingsButton;  // the "Classement" button, or an empty table
    int16_t switchProgress;           // right clicks of the sequence made so far
    bool developerOn;                 // the switch was completed in this run (never saved)
};
extern ClubCalendarState ClubCalendar;  // owned by ClubCalendar

void ClubCalendarInit();  // nothing listed, the switch off
void ClubCalendarUninit();

// The screen's build: entering lists the current club's fixtures and opens on the next one.
void ClubCalendar_Build(bool entering);
// Whether the dispatcher sends option 8 on to the developer screens (MenuOption set to 67):
// once the switch is on, unless the calendar is entered back from one of them.
bool ClubCalendar_SkipsToDeveloper();

// The handlers; each answers a menu loop code.
int32_t ClubCalendar_Row(MenuHotspot* hotspot);  // the opponent's squad
int32_t ClubCalendar_PageUp(MenuHotspot* hotspot);
int32_t ClubCalendar_PageDown(MenuHotspot* hotspot);
int32_t ClubCalendar_Back(MenuHotspot* hotspot);        // the office, or the job offer
int32_t ClubCalendar_Standings(MenuHotspot* hotspot);   // "Classement"
int32_t ClubCalendar_Switch(MenuHotspot* hotspot);      // value: a CalendarSwitchArea
int32_t ClubCalendar_OtherClick(MenuHotspot* hotspot);  // anywhere else: the switch starts over

const MenuItem* ClubCalendar_Table();  // option 8
