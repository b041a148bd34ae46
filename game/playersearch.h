// game/playersearch.h: the player search and the squad analysis: the eighteen skill criteria, the
// weights and minimums behind their bars, the search settings and presets, the filter a player of
// the world must pass, the weighted score and the list they build.
#pragma once

#include <cstdint>

#include "game/ids.h"
#include "game/tactics.h"

constexpr int32_t SEARCH_CRITERIA = 18;
constexpr int32_t SEARCH_PRESETS = 8;
constexpr int32_t SEARCH_PRESET_NAME = 30;
constexpr int32_t SEARCH_PAGE_ROWS = 15;
constexpr int32_t SEARCH_SUBSTITUTES = 5;  // shirts 12-16
constexpr int32_t SEARCH_LINES = 5;        // goalkeeper, defender, midfielder, forward, fifth
constexpr int16_t SEARCH_LIST_END = -1;
constexpr int16_t SEARCH_GRID_EMPTY = -1;
constexpr int32_t SEARCH_AGE_MIN = 16;
constexpr int32_t SEARCH_AGE_MAX = 40;
constexpr int32_t SEARCH_MONEY_MAX = 99999999;  // eight digits
constexpr int32_t SEARCH_CRITERION_NONE = 402;  // "Aucun"

// Country mask bits, and what the country classification answers.
constexpr uint8_t SEARCH_NATIONAL = 1;
constexpr uint8_t SEARCH_EUROPEAN = 2;
constexpr uint8_t SEARCH_WORLD = 4;

// Foot and status choices are their text numbers.
enum SearchFoot : int16_t {
    FOOT_LEFT = 404,
    FOOT_RIGHT = 405,
    FOOT_CENTRAL = 406,
    FOOT_EITHER = 407,
    FOOT_ANY = 568,  // "Polyvalent": every foot passes
};
enum SearchStatus : int16_t {
    STATUS_TRANSFER_LIST = 739,
    STATUS_LOAN_LIST = 875,
    STATUS_UNSETTLED = 409,
    STATUS_CONTRACT_ENDING = 410,
    STATUS_ANY = 569,
};

// The text number of each bar's criterion, top to bottom.
extern const int16_t SearchCriterionText[SEARCH_CRITERIA];
// Both 0-100, shared by both modes, living for the program's run.
extern int16_t SearchWeights[SEARCH_CRITERIA];   // "Priorité": the score's factors
extern int16_t SearchMinimums[SEARCH_CRITERIA];  // "Valeur minimum": the search's floors
extern uint8_t PlayerSearchMode;  // 0 search (the bars edit the minimums), 1 analysis (the weights)
extern uint32_t SearchListDirty;  // 1: the next build walks the world again

// Everything the screen lets the human set, kept while the program runs (never saved).
struct SearchSettings {
    uint8_t searchActive;    // 1 while the screen is the search, 0 the analysis
    uint8_t displayMode;     // 1 "Infos Joueurs", 2 "Stats. des joueurs"
    int16_t infoColumns[2];  // text numbers of the display-mode-1 columns (analysis: the first)
    uint16_t sortKey;        // comparator slot; PICKLIST_NO_KEY none
    uint8_t grouping;        // "Catégorie": by line first
    int16_t ages[2];         // the two edited ages; the smaller is the minimum
    int32_t maxWage;
    int32_t maxValue;
    uint8_t editsValue;  // 1: the digits edit the maximum value, 0 the wage
    uint8_t lines[SEARCH_LINES];
    int16_t foot;    // SearchFoot
    int16_t status;  // SearchStatus
    uint8_t countryMask;
    uint8_t divisions[DIVISION_MAX];
    uint8_t ownClub;          // "Votre équipe"; excludes sameLine
    uint8_t sameLine;         // "Même Poste"
    uint8_t shortlist;        // "Liste réduite"
    uint8_t withoutContract;  // players without a club (text 1070)
    uint8_t matchTeam;        // "Equipe pour le match" (analysis)
    uint8_t graph;            // values as bars; graph or numbers stays on
    uint8_t numbers;
    uint8_t markMode;      // a row marker adds to or removes from the mark list
    uint8_t markedOnly;    // the list is the mark list
    int16_t firstRow;      // a multiple of 15
    int16_t columnOffset;  // the first weighted criterion shown as a column
    int16_t selected;      // the player picked for a shirt swap, -1 none
};
extern SearchSettings SearchSetup;  // owned here; the screen edits it

struct SearchPreset {
    SearchSettings settings;
    int16_t weights[SEARCH_CRITERIA];
    int16_t minimums[SEARCH_CRITERIA];
    uint8_t used;
    char name[SEARCH_PRESET_NAME + 1];
};
extern SearchPreset SearchPresets[SEARCH_PRESETS];
extern int32_t SearchLastPreset;  // the slot loaded last, -1 none

// What the last build found: the players in order, the substitutes of the match team and the
// formation grid of the human's selected tactic.
struct SearchResults {
    int16_t players[PERSON_MAX + 1];  // SEARCH_LIST_END after the last
    int32_t count;
    int16_t substitutes[SEARCH_SUBSTITUTES];              // by shirt 12-16, -1 none
    int16_t grid[TACTIC_GRID_ROWS][TACTIC_GRID_COLUMNS];  // SEARCH_GRID_EMPTY or a player
    int32_t humanClub;
};
extern SearchResults SearchList;

// Everything at its start values: weights and minimums 0, the settings of a first entry, every
// preset unused, an empty list that is dirty. The program calls it once; Uninit is the same.
void PlayerSearchSettings_Init();
void PlayerSearchSettings_Uninit();
// A new career or a loaded game: the screen's next build names the unused presets afresh and
// reapplies the last loaded one.
void PlayerSearch_CareerStarted();
// True once after PlayerSearch_CareerStarted: the caller refreshes the presets then.
bool PlayerSearch_TakeCareerStart();

// The settings of a fresh search (search mode) before the mode's own changes.
SearchSettings PlayerSearch_DefaultSettings();

// The player's value for one criterion, by its text number; 402 gives 0, and any other number
// logs "GiveMeValuefor(): Passing an invalid skill\n" and gives 0.
// The skill form of the same name, now or at a point of the player's progress history, is in
// game/playerhistory.h.
int32_t GiveMeValuefor(int32_t player, int32_t criterionText);
// The eighteen criteria in bar order at once, the same values as GiveMeValuefor.
void PlayerSearch_CriterionValues(int32_t player, int32_t out[SEARCH_CRITERIA]);
// The sum over the weighted rows of weight x value.
int32_t PlayerSearch_Score(int32_t player);
// 1 when the player passes every setting and minimum of the search, else 0.
int32_t PlayerSearch_Matches(int32_t player);
// SEARCH_WORLD for the nationalities outside Europe, else SEARCH_NATIONAL for the career's country
// and SEARCH_EUROPEAN for the others.
uint8_t PlayerSearch_CountryClass(int32_t country);
// The pick list from the sort key and the grouping.
void PlayerSearch_SetSortKeys();
// When the list is dirty: the formation grid, the walk of the world into SearchList (scores into
// PlayerSearchScore), the sort and the page kept in the list; the flag is cleared.
void PlayerSearch_Build();

// The presets: a copy of the settings, weights and minimums under a name (cut to 30 characters),
// and their return; loading an unused slot answers false and changes nothing.
void PlayerSearch_SavePreset(int32_t slot, const char* name);
bool PlayerSearch_LoadPreset(int32_t slot);
// Unused slots take their default names ("Enregistrer 1" ... from the texts).
void PlayerSearch_NameUnusedPresets();
