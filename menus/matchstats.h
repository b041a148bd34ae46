// menus/matchstats.h: the match statistics of the selected club's latest match (zones,
// possession, shots, corners, the man of the match, the attendance), and "Reste du Monde", the
// clubs of the other countries of the world by country, two columns of eleven a page.
#pragma once

#include <cstddef>
#include <cstdint>

#include "game/ids.h"

struct KitColour;
struct MenuItem;
struct MenuListEntry;

constexpr int32_t MATCH_STATS_BARS = 4;  // possession, shots attempted, on target, corners
constexpr int32_t MATCH_STATS_TEXT_BYTES = 96;

// What the match statistics screen shows; texts empty when the fixture has no figures.
struct MatchStatsState {
    int16_t fixture;  // the chosen fixture row, -1 none; kept between visits
    bool figures;     // the figures are the kept match's
    char title[MATCH_STATS_TEXT_BYTES];
    char zones[3][12];
    char values[MATCH_STATS_BARS][2][16];  // by bar, home then away: room for any number and "%"
    int32_t homeShares[MATCH_STATS_BARS];  // 0-100: the home part of each bar
    char manOfTheMatch[MATCH_STATS_TEXT_BYTES];
    char attendance[24];
    uint16_t colours[2];  // 5:6:5, home then away
};
extern MatchStatsState MatchStats;  // owned by MatchStats

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

// Shared by the post-match screens: whether they run inside the post-match sequence, a club's
// name ("" for no club), and a fixture's score line "home g - g away" ("" for row -1).
bool MatchStats_InSequence();
const char* MatchStats_ClubName(int32_t club);
void MatchStats_FormatScoreLine(int32_t row, char* out, size_t size);
// The minutes a fixture lasted: 90, or 120 after extra time.
int32_t MatchStats_MatchLength(int32_t row);
// Ticks the drop-down's entry (after its title) whose value is `current`, and no other.
void MatchStats_TickRow(MenuListEntry* popup, const int32_t* values, int32_t count,
                        int32_t current);
// The fixture's side a human manages: the home side unless nobody controls the home club.
int32_t MatchStats_HumanSide(int32_t row);

void MatchStatsInit();
void MatchStatsUninit();

// The fixture the screen shows for `club`: inside the post-match sequence the human's match;
// else the club's latest fixture dated before today, -1 when it has none.
int32_t MatchStats_ChooseFixture(int32_t club, int32_t today, bool inSequence);
// Shares in percent. Zones: first and third from the counters, the middle the rest; all 0 when
// every counter is 0. Possession: the home share, 50 when both counts are 0. A bar's home share:
// 50 when both are 0.
void MatchStats_ZoneShares(const uint32_t counters[3], int32_t shares[3]);
int32_t MatchStats_Possession(int32_t home, int32_t away);
int32_t MatchStats_BarShare(int32_t home, int32_t away);
uint16_t MatchStats_PackColour(const KitColour& c);  // 0-255 components as 5:6:5
void MatchStats_Build();
// The post-match screen MatchReportWord selects inside the sequence.
enum : uint16_t {
    MATCH_WORD_PERFORMANCE = 0,
    MATCH_WORD_TIME_ANALYSIS = 2,
    MATCH_WORD_STATISTICS = 3,  // and any other value
    MATCH_WORD_WRITTEN_ANALYSIS = 4,
};
// Leaves for the sequence's screen `word`; the buttons between the post-match screens.
int32_t MatchStats_ShowNext(uint16_t word);
int32_t MatchStats_TimeAnalysis();
int32_t MatchStats_MatchAnalysis();  // the performance screen
int32_t MatchStats_Statistics();
// Done with the post-match screens; outside the sequence back to the office, the side of the
// analysis table to be chosen afresh. Every post-match screen's back button.
int32_t MatchStats_Back();

const MenuItem* MatchStats_Table();  // option 81

void RestOfWorld_Build();  // the choices on entering; the list and the page on every build
// The world-table index a cell shows (column 0 left, 1 right; row 0-10), -1 for an empty cell.
int32_t RestOfWorld_EntryOfCell(int32_t column, int32_t row);
int32_t RestOfWorld_PageOn();
int32_t RestOfWorld_PageBack();
int32_t RestOfWorld_Choose(int32_t choice);  // a drop-down entry 0-7
// Opens the squad of the cell's club (option 2); 1 for an empty cell.
int32_t RestOfWorld_OpenCell(int32_t column, int32_t row);

const MenuItem* RestOfWorld_Table();  // option 79
