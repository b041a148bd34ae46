// menus/squadscreen.h: "Equipe", the 32 squad places of the current club in two columns of 16,
// where the human swaps shirt numbers (the team sheet takes players by shirt), names the captain
// and the set-piece takers, picks the statistic of the value column and sorts by it; and the
// squad value table that the database fills after rebuilding a club.
#pragma once

#include <cstdint>

#include "game/ids.h"

struct MenuItem;
struct MenuHotspot;
struct MenuListEntry;

constexpr int32_t SQUAD_SCREEN_ROWS = 16;  // per column; the right column holds places 16-31
constexpr int32_t TEXT_PLAYER_ON_LOAN = 1130;
constexpr int32_t TEXT_ON_HOLIDAY_NO_DATA = 1175;

// Display codes of the value column; they are also the comparator slots its sort runs through.
constexpr uint16_t SQUAD_CODE_AGE = 2;
constexpr uint16_t SQUAD_CODE_VALUE = 4;
constexpr uint16_t SQUAD_CODE_LINE = 6;    // sort criterion only
constexpr uint16_t SQUAD_CODE_SHIRT = 25;  // sort criterion only
constexpr uint16_t SQUAD_CODE_WAGE = 27;
constexpr uint16_t SQUAD_CODE_CONTRACT = 28;
constexpr uint16_t SQUAD_CODE_PERFORMANCE = 29;
constexpr uint16_t SQUAD_CODE_APPS = 30;
constexpr uint16_t SQUAD_CODE_GOALS = 31;
constexpr uint16_t SQUAD_CODE_MORALE = 32;
constexpr uint16_t SQUAD_CODE_FITNESS = 33;
constexpr uint16_t SQUAD_CODE_FATIGUE = 34;
constexpr uint16_t SQUAD_CODE_DISCIPLINE = 35;
constexpr uint16_t SQUAD_CODE_EXPERIENCE = 36;
constexpr uint16_t SQUAD_CODE_ASSISTS = 37;
constexpr uint16_t SQUAD_CODE_LAST_RATING = 38;

// Pending role choices: the next click on a player gives him each role whose bit is set.
constexpr uint8_t SQUAD_ROLE_CAPTAIN = 0x01;
constexpr uint8_t SQUAD_ROLE_FREE_KICK = 0x02;
constexpr uint8_t SQUAD_ROLE_CORNER = 0x04;
constexpr uint8_t SQUAD_ROLE_PENALTY = 0x08;

struct SquadScreenState {
    int16_t order[SQUAD_MAX];   // player ids as shown, -1 an empty place
    int16_t selection;          // the first player of a pending swap, -1 none
    uint8_t pendingRoles;       // SQUAD_ROLE_ bits
    uint16_t displayCode;       // the value column's statistic
    bool byCategory;            // "Catégorie": grouped by line
    bool sorted;                // "Trier": sorted by the value column; off at every build
    int32_t values[SQUAD_MAX];  // the value column, place by place, filled at every build
};
extern SquadScreenState SquadScreen;  // owned by SquadScreen

// Per squad place of the club last filled: player id, career appearances, training value.
extern uint16_t SquadValueTable[SQUAD_MAX][3];

void SquadScreenInit();  // display code 4, no selection, no pending role, switches off
void SquadScreenUninit();

// The build: on a fresh entry the squad of the current club is taken again (the players
// originating from it when ClubChangedFlag is 1), and every time it is sorted and its value column
// filled: the displayed statistic of each place's player (for the value, his asking price while
// he is on the sales list); an unknown display code logs and shows 0.
void Init_M_MN7();
// A click on the icon field of place `index` (0-31): a pending role, or one half of a shirt
// swap. 2 when something changed, else 0; nothing changes on a club no human runs.
int32_t Squad_ClickPlayer(int32_t index);
int32_t Squad_Done(MenuHotspot* hotspot);
// Chooses the value column's statistic: 0, or the text that refuses it.
int32_t Squad_ChooseDisplay(uint16_t code);

MenuListEntry* Squad_StatsPopup();  // "Catégorie", "Trier", then the fourteen statistics
MenuListEntry* Squad_RolesPopup();  // captain, free kick, corner, penalty
void Squad_PreparePopup(MenuListEntry* popup);  // ticks its entries as the screen's state says

// Refreshes the club's squad list and writes a row per place that holds a player; the other rows
// keep what they held.
void FillSquadTable(int32_t club, int32_t n);

const MenuItem* Squad_Table();  // option 7
