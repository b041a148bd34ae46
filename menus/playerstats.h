// menus/playerstats.h: "Statistiques", a sortable table of the human's squad (with the next
// opponent's squad and the shortlist on request): nine attribute columns of his choice and one
// general column; he also exchanges shirt numbers there and names his captain and takers.
#pragma once

#include <cstdint>

struct MenuItem;
struct MenuListEntry;

constexpr int32_t STATS_ROWS = 16;
constexpr int32_t STATS_ATTRIBUTE_COLUMNS = 9;
constexpr int32_t STATS_ATTRIBUTES = 18;
constexpr int32_t STATS_GENERALS = 10;
// The own squad (32), the opponent's (32) and the shortlist (40).
constexpr int32_t STATS_LIST_MAX = 104;
constexpr int32_t STATS_NO_VALUE = -32768;  // shown blank

// Assignment modes: the next click on a shirt gives the player each role whose bit is set.
constexpr uint8_t STATS_ASSIGN_CAPTAIN = 0x01;
constexpr uint8_t STATS_ASSIGN_FREE_KICK = 0x02;
constexpr uint8_t STATS_ASSIGN_CORNER = 0x04;
constexpr uint8_t STATS_ASSIGN_PENALTY = 0x08;

struct StatsScreenState {
    // Kept between visits.
    int8_t columns[STATS_ATTRIBUTE_COLUMNS];  // indexes into the attribute list
    int8_t general;                           // index into the general list
    uint16_t sortKey;                         // a player-ordering criterion, 39 none
    int16_t firstRow;
    bool byCategory;
    // Rebuilt on entry.
    bool showOpponent, showShortlist;
    uint8_t assign;     // STATS_ASSIGN_ bits
    int16_t selection;  // the first player of a shirt exchange, -1 none
    int32_t club;       // the human's
    int16_t list[STATS_LIST_MAX];
    int32_t length;
};
extern StatsScreenState StatsScreen;  // owned by StatsScreen

void StatsScreenInit();  // the initial columns, no sort, the top row
void StatsScreenUninit();

// Every walk: on a fresh entry the state listed above rebuilt; then the list taken and sorted.
void StatsScreen_Init();

// An attribute text's value for a player (41-58), STATS_NO_VALUE for another text.
int32_t StatsScreen_AttributeValue(int32_t player, int32_t textNo);
// The general column's value for a player by its text; an unknown text is fatal.
int32_t DisplaySort(int32_t player, int32_t textNo);
int32_t StatsScreen_AttributeColour(int32_t value);  // the font colour of a value's band

int32_t StatsScreen_Sort(int32_t column);  // "Trier" of an attribute column: on, or off again
void StatsScreen_ChooseAttribute(int32_t column, int32_t attribute);  // clears the sort
int32_t StatsScreen_ClickShirt(int32_t index);  // of the list: an assignment or an exchange
int32_t StatsScreen_ScrollUp();
int32_t StatsScreen_ScrollDown();

MenuListEntry* StatsScreen_AttributePopup();  // "Trier", then the eighteen attributes
MenuListEntry* StatsScreen_GeneralPopup();
MenuListEntry* StatsScreen_DisplayPopup();  // "Catégorie", opponents, shortlist
MenuListEntry* StatsScreen_AssignPopup();   // captain, free kick, corner, penalty

const MenuItem* StatsScreen_Table();  // option 80
