// menus/leaguetable.h: "Classement": one division of the current country with home and away
// columns, lines at the promotion, relegation and play-off places, and each club's movement.
#pragma once

#include <cstdint>

#include "game/ids.h"
#include "menus/exm.h"

constexpr int32_t LEAGUE_TABLE_ROWS = 15;
constexpr int32_t LEAGUE_TABLE_DIVISION_FLAGS = 32;
constexpr int16_t LEAGUE_TABLE_BLANK = INT16_MIN;  // a number column that draws nothing
constexpr int16_t LEAGUE_TABLE_HIGHLIGHT = 8;      // the font colour of a managed club's row
constexpr uint16_t LEAGUE_TABLE_SEPARATOR_COLOUR = 0xB260;
constexpr int32_t LEAGUE_TABLE_SEPARATOR_ABOVE = 4;  // pixels above the row's top
constexpr int32_t LEAGUE_TABLE_DASH = 8;             // a dash every 16 pixels
constexpr int16_t LEAGUE_TABLE_STEADY_ICON = 1321;   // then 1322 climbed, 1323 fell
constexpr int16_t LEAGUE_TABLE_NO_ICON = 2;          // the blank icon

// One shown row as the build leaves it for the items.
struct LeagueTableRow {
    int16_t club;       // -1 none
    int16_t highlight;  // font colour: LEAGUE_TABLE_HIGHLIGHT on a managed club, else 0
    int16_t name;       // club-name text number, -1 none
    int16_t nameFont;   // the row's, or the smaller one where the name would reach the arrow
    int16_t position;   // 1-based
    int16_t played;
    int16_t home[3];  // won, drawn, lost
    int16_t away[3];
    int16_t goalsFor;
    int16_t goalsAgainst;
    int16_t difference;
    int16_t points;
    int16_t movementIcon;
};

struct LeagueTableState {
    int16_t division;  // 0-5
    int16_t first;     // the first shown place
    int16_t shown;     // rows shown: the division's size, at most 15
    int16_t title;     // the division's full name
    LeagueTableRow rows[LEAGUE_TABLE_ROWS];
    int16_t divisionHighlights[LEAGUE_TABLE_DIVISION_FLAGS];  // font colours of the buttons
    int16_t divisionTexts[DIVISION_MAX];
    const MenuItem* divisionButtons;  // the table for the country's number of divisions
};
extern LeagueTableState LeagueTableScreen;  // owned by LeagueTable

void LeagueTableInit();
void LeagueTableUninit();

// The screen's build: entering selects the human's division at its top; every build recomputes
// the league tables.
void LeagueTable_Build(bool entering);
// The division buttons for a country of that many divisions (2-6; any other count has two).
const MenuItem* LeagueTable_DivisionButtons(int32_t divisions);

// A screen's row of division buttons, laid out as the league table's: the words its items read
// (the buttons' font colours and texts) and a handler per division.
struct DivisionButtonSet {
    int16_t* highlights;  // DIVISION_MAX font colours
    int16_t* texts;       // DIVISION_MAX short names, -1 past the country's divisions
    const ClickFn* choose;
    MenuItem tables[5][2 * DIVISION_MAX + 2];  // built on first use, one per count from 2
};
// The table for a country of that many divisions, built once per set and count.
const MenuItem* DivisionButtons_Table(DivisionButtonSet* set, int32_t divisions);
// The selected country's texts, the shown division highlighted; the table for its divisions.
const MenuItem* DivisionButtons_Fill(DivisionButtonSet* set, int32_t shown);
// The separator lines above a row (the rows' draw callback; row counts from the first shown).
void LeagueTable_DrawSeparators(int32_t x, int32_t y, int32_t w, int32_t h, int32_t row);

// The handlers; each answers a menu loop code.
int32_t LeagueTable_ChooseDivision(int32_t division);
int32_t LeagueTable_Row(MenuHotspot* hotspot);  // the club's squad
int32_t LeagueTable_PageUp(MenuHotspot* hotspot);
int32_t LeagueTable_PageDown(MenuHotspot* hotspot);
int32_t LeagueTable_Back(MenuHotspot* hotspot);

const MenuItem* LeagueTable_Table();  // option 9
