// menus/friendly.h: "Match amical", the human's free days filled with friendlies against clubs of
// his country, or a friendly tour abroad booked; "Configuration amicale", a match between two
// teams exported from careers, and its launcher.
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

// "Configuration amicale": which of FriendlyTeamBlocks (0 home, 1 away) hold a loaded team. Reset
// only at program start: the teams stay loaded when the screen is left.
struct FriendlySetupState {
    uint8_t loaded[2];
    const char* names[2];  // the loaded teams' names, "" before a load
};
extern FriendlySetupState FriendlySetup;  // owned by Friendly

// Reads the team file into a block: 1662 on failure, the block and its flag untouched.
int32_t FriendlySetup_Load(int32_t slot);
// Both teams loaded: country 0 and option 54, else 1020.
int32_t FriendlySetup_Play(MenuHotspot*);
// Both teams loaded: the two blocks exchange places, else 1020.
int32_t FriendlySetup_Swap(MenuHotspot*);
const MenuItem* FriendlySetup_Table();  // option 53, from the title

// The match-sides block from the two friendly teams: the block cleared, each side's name, human
// flag, custom tactics, team sheet, designated shirts and settings; a cup tie's header.
void Friendly_FillSides();
// Kits from the world's table, the match in the 3D view mode (the text view until it exists),
// then, when the text view showed it, the analysis table and the pages it leads to.
void Friendly_Play();
void MainMenu_PrepareTeams();  // option 54's step: the two, then back to option 53
