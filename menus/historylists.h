// menus/historylists.h: the division's fifteen best scorers or best regular performers
// ("Classement Buteurs", "Liste des performances moyennes"), a club's last transfers in or out
// ("Transfert de club") and a club's scorers beside its best players of the last eight seasons
// ("Meilleurs joueurs").
#pragma once

#include <cstdint>

#include "game/ids.h"
#include "menus/leaguetable.h"

constexpr int32_t HISTORY_LIST_ROWS = 15;
constexpr int32_t HISTORY_NOTE_BYTES = 100;
constexpr int16_t HISTORY_HIGHLIGHT = 8;  // the font colour of a club a manager controls

enum HistoryListKey : int32_t { HISTORY_GOALS, HISTORY_PERFORMANCE };

struct ScorerRow {
    int16_t highlight;  // font colour
    int16_t name;       // text number, -1 on a blank row
    const char* note;   // "(club)  key", into ScorerListState::notes
};

struct ScorerListState {
    int32_t key;  // HistoryListKey, chosen by the option
    int16_t division;
    int16_t title;
    int16_t divisionName;
    int16_t entries[DIVISION_MAX][HISTORY_LIST_ROWS];  // person ids, highest key first, -1 empty
    int32_t keys[DIVISION_MAX][HISTORY_LIST_ROWS];
    ScorerRow rows[HISTORY_LIST_ROWS];
    char notes[HISTORY_LIST_ROWS][HISTORY_NOTE_BYTES];
    int16_t divisionHighlights[DIVISION_MAX];
    int16_t divisionTexts[DIVISION_MAX];
    const MenuItem* divisionButtons;
};
extern ScorerListState ScorerLists;  // owned by HistoryLists

enum ClubTransferMode : int16_t { CLUB_TRANSFERS_SOLD, CLUB_TRANSFERS_BOUGHT };

struct ClubTransferState {
    int16_t mode;   // ClubTransferMode, bought on entering
    int16_t club;   // the current club when built
    int16_t count;  // records shown
    int16_t boughtHighlight;
    int16_t soldHighlight;
    int16_t otherHeading;                // 595 "De" bought, 596 "A" sold
    int32_t records[HISTORY_LIST_ROWS];  // transfer record numbers, newest first, -1 blank
};
extern ClubTransferState ClubTransfers;  // owned by HistoryLists

constexpr int32_t BEST_SEASONS_SHOWN = 8;  // two blocks of four
constexpr int32_t BEST_SEASON_PLAYERS = 5;

struct BestPlayersState {
    int16_t club;
    int16_t scorerCount;
    int16_t scorers[HISTORY_LIST_ROWS];  // the squad's outfield scorers, most goals first
    int16_t seasonCount;
    int16_t seasons[BEST_SEASONS_SHOWN];  // season counters, the most recent played first
};
extern BestPlayersState BestPlayers;  // owned by HistoryLists

void HistoryListsInit();
void HistoryListsUninit();

// Every full player of the country's divisions 0-5 with a key above 0 (goals, keepers left out;
// or average performance, regulars only) into his division's list, which keeps its fifteen
// highest; equal keys keep id order. A loaned player counts for his loan club.
void ScorerLists_Collect(int32_t key);
void ScorerLists_FillRows();  // the shown division's rows
// A row opens the player's card, returning to this list; an empty row answers 1.
int32_t ScorerLists_Row(MenuHotspot* hotspot);

// The club's fifteen most recent records of the mode (bought: the club buys; sold: it sells),
// newest first.
void ClubTransfers_Collect(int32_t club, int32_t mode);

// The club's scorers and the seasons whose best players are kept: those whose league season
// has ended, at most the last eight.
void BestPlayers_Build(int32_t club);

const MenuItem* TopScorers_Table();          // option 34
const MenuItem* AveragePerformance_Table();  // option 76
const MenuItem* ClubTransfers_Table();       // option 36
const MenuItem* BestPlayers_Table();         // option 37
