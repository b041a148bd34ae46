// menus/careerhistory.h: "Historique du Joueur", the seasons and moves of CurrentPlayer from the
// career log, newest first, sixteen rows at a time.
#pragma once

#include <cstdint>

#include "game/careerlog.h"

struct MenuItem;
struct MenuHotspot;

constexpr int32_t CAREER_HISTORY_ROWS = 16;
constexpr int16_t OPTION_MANAGER_REPUTATION = 69;

struct CareerHistoryState {
    CareerLogRow rows[CAREERLOG_COPY_MAX + 1];  // oldest first, then the season so far
    int16_t count;
    int16_t first;  // the first row shown, counted from the newest
};
extern CareerHistoryState CareerHistory;  // owned by CareerHistory

void CareerHistoryInit();
void CareerHistoryUninit();

// On a fresh entry the rows of CurrentPlayer, the newest shown first: his season so far at his
// club, then what the log holds.
void CareerHistory_Build();
int32_t CareerHistory_Up(MenuHotspot* hotspot);    // one row towards the newest
int32_t CareerHistory_Down(MenuHotspot* hotspot);  // one row towards the oldest
// The human as a manager who no longer plays goes to his reputation (69); anyone else back to
// his card, whose OK then leads to the office.
int32_t CareerHistory_Done(MenuHotspot* hotspot);
// The text of the goals column's heading: clean sheets for a keeper.
int32_t CareerHistory_GoalsHeader(int32_t player);

const MenuItem* CareerHistory_Table();  // option 57
