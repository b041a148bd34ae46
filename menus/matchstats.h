// menus/matchstats.h: "Reste du Monde", the clubs of the other countries of the world by
// country, two columns of eleven a page.
#pragma once

#include <cstdint>

#include "game/ids.h"

struct MenuItem;

constexpr int32_t WORLD_CHOICES = 8;
constexpr int32_t WORLD_ROWS = 11;           // a column
constexpr int32_t WORLD_LIST_MAX = 250;      // shown clubs; no country has more
constexpr uint16_t WORLD_CHOICE_REST = 104;  // every country the drop-down does not list
constexpr int32_t TEXT_REST_OF_WORLD = 857;  // "Reste du Monde"
constexpr int32_t TEXT_COUNTRY_BASE = 2310;  // + country: "Anglais", "Ecossais", ...

struct RestOfWorldState {
    uint16_t choices[WORLD_CHOICES];  // countries, the last WORLD_CHOICE_REST
    int16_t choiceTexts[WORLD_CHOICES];
    uint16_t chosen;               // kept between visits
    int16_t firstPage;             // the left column's page, kept between visits
    int16_t list[WORLD_LIST_MAX];  // world-table indexes, -1 past the count
    int32_t count;
    int32_t pageCount;
    int16_t subtitle;  // text number
};
extern RestOfWorldState RestOfWorld;  // owned by MatchStats

void MatchStatsInit();
void MatchStatsUninit();

void RestOfWorld_Build();  // the choices on entering; the list and the page on every build
// The world-table index a cell shows (column 0 left, 1 right; row 0-10), -1 for an empty cell.
int32_t RestOfWorld_EntryOfCell(int32_t column, int32_t row);
int32_t RestOfWorld_PageOn();
int32_t RestOfWorld_PageBack();
int32_t RestOfWorld_Choose(int32_t choice);  // a drop-down entry 0-7
// Opens the squad of the cell's club (option 2); 1 for an empty cell.
int32_t RestOfWorld_OpenCell(int32_t column, int32_t row);

const MenuItem* RestOfWorld_Table();  // option 79
