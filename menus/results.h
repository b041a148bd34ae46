// menus/results.h: the day's fixtures of one competition of the human's country at a time:
// "Résultats" once they are played, "Rencontre du jour" before, with a button per competition.
#pragma once

#include <cstdint>

struct MenuItem;
struct MenuHotspot;

constexpr uint16_t RESULTS_AFTER_MATCHES = 0;   // "Résultats": scores and aggregates
constexpr uint16_t RESULTS_BEFORE_MATCHES = 1;  // "Rencontre du jour": pairings, first legs
constexpr int32_t RESULTS_BACKGROUND = 0;
constexpr int32_t RESULTS_VISIBLE_ROWS = 16;
constexpr int32_t RESULTS_MAX_ROWS = 125;
constexpr int32_t RESULTS_COUNTRY_ROWS = 8;
constexpr int32_t RESULTS_ENTRIES = 15;

// Set by whoever pushes a screen below, before the push.
extern uint16_t ResultsMode;

// One entry of a country's row: a league division (0-5, 6 internationals, 7 friendlies) or a
// cup (0-7), -1 where unused; today's fixture count and the remembered first visible row.
struct ResultsEntry {
    int8_t division;
    int8_t cup;
    int8_t count;
    int8_t scroll;
};
extern ResultsEntry ResultsCompetitionTable[RESULTS_COUNTRY_ROWS][RESULTS_ENTRIES];

// A translucent dark grey box of `strength` percent (menu coordinates): the list bands of the
// results and report screens and the office's information box.
void DrawDarkPanel(int32_t x, int32_t y, int32_t w, int32_t h, int32_t strength);

void ResultsInit();  // the table at its start contents, no screen up
void ResultsUninit();

// "Résultats" (push it with ResultsMode 0): its continue button sets MenuOption 3 and the day
// screen's coaches'-box bit, and leaves.
const MenuItem* Results_Table();
// "Rencontre du jour" (push it with ResultsMode 1): its continue button leaves with MenuOption
// still 46; leaving through the menu bar sets another option.
const MenuItem* TodaysMatch_Table();
// -1 while neither screen is up, else the ResultsMode it was built with.
int32_t Results_ShownMode();

// The screens' build; the first one of a push starts from the human's own competition.
void Results_Build(bool firstBuild);
// A page of 16 rows down or up: 2 (redraw) when it moved, else 0.
int32_t Results_ScrollDown(MenuHotspot* hotspot);
int32_t Results_ScrollUp(MenuHotspot* hotspot);
// A competition button: an entry with fixtures today becomes the selected one (2), else 0.
int32_t Results_ChooseEntry(int32_t entry);

// The results row of a country number (0-18).
int32_t Results_RowOfCountry(int32_t country);
// The screen's state as the last build left it: the selected entry, its first visible row,
// today's listed fixture rows in display order, the shoot-out footnote, and per visible row the
// aggregate or first-leg column (-1 none).
int32_t Results_SelectedEntry();
int32_t Results_Scroll();
int32_t Results_ListedCount();
int32_t Results_ListedRow(int32_t index);
bool Results_ShootOutShown();
int32_t Results_AggregateHome(int32_t visibleRow);
int32_t Results_AggregateAway(int32_t visibleRow);
