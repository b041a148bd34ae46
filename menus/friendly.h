// menus/friendly.h: "Match amical", the human's free days filled with friendlies against clubs of
// his country, or a friendly tour abroad booked.
#pragma once

#include <cstdint>

#include "game/ids.h"

struct MenuHotspot;
struct MenuItem;
struct MenuListEntry;

constexpr int32_t FRIENDLY_ROWS = 15;
constexpr int32_t FRIENDLY_TOURS = 16;
constexpr int16_t FRIENDLY_HIGHLIGHT = 8;  // the font colour of the selected day

struct FriendlyDayRow {
    int16_t day;        // season day, -1 past the season's end
    int16_t highlight;  // font colour
    int16_t opponent;   // the opponent's name, or 168 "- Pas de rencontre --"; -1 blank
    const char* date;   // weekday and day of the month, into FriendlyState::dates
};

struct FriendlyState {
    int16_t firstDay;     // the first day shown, from today
    int16_t selectedDay;  // -1 none
    int16_t firstTeam;
    int16_t teamCount;
    int16_t division;  // the filter, 0-5
    int16_t teams[CLUB_ID_COUNT];
    uint8_t away[CLUB_ID_COUNT];  // per club: the human plays away against it
    FriendlyDayRow days[FRIENDLY_ROWS];
    int16_t teamNames[FRIENDLY_ROWS];  // -1 past the list's end
    char dates[FRIENDLY_ROWS][16];
    int16_t divisionHighlights[DIVISION_MAX];
    int16_t divisionTexts[DIVISION_MAX];
    const MenuItem* divisionButtons;
};
extern FriendlyState Friendly;  // owned by Friendly

void FriendlyInit();
void FriendlyUninit();

// Entering: today first, no day selected, both lists at their top, division 0, a random away
// flag per club; every build: the rows and the teams of the filter.
void Friendly_Build(bool entering);
int32_t Friendly_PickDay(MenuHotspot* hotspot);  // a row without a fixture becomes the selected day
int32_t Friendly_PickTeam(MenuHotspot* hotspot);  // books the friendly on the selected day
int32_t Friendly_DaysBack(MenuHotspot*);          // 15 days, not before today
int32_t Friendly_DaysForward(MenuHotspot*);       // 15 days, the last league day the last row
int32_t Friendly_TeamUp(MenuHotspot*);
int32_t Friendly_TeamDown(MenuHotspot*);
int32_t Friendly_ChooseDivision(int32_t division);
// A tour to a country: refused with 1126 without a free window, with 2024 when no club of the
// country is free; else three away friendlies.
int32_t Friendly_Tour(int32_t country);
MenuListEntry* Friendly_TourPopup();

const MenuItem* Friendly_Table();  // option 17
