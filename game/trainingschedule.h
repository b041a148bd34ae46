// game/trainingschedule.h: the team-training schedule (percentage sliders in four groups of fixed
// totals, kept in a 14-byte compact form), the individual-training table, whose rows keep each
// squad player's three training emphases, and the individual-training grid's own table of five
// sliders a player.
#pragma once

#include <cstdint>

#include "game/ids.h"

constexpr int32_t TRAINING_ENTRIES = 14;  // 13 in four groups, then the extra training
constexpr int32_t TRAINING_EXTRA = 13;
constexpr int32_t TRAINING_COMPACT_BYTES = 14;
constexpr int32_t TRAINING_TABLE_ROWS = 32;
constexpr uint8_t TRAINING_LOCKED = 0x01;  // flags bit 0; bits 1-7 hold the group's size

#pragma pack(push, 1)
struct TrainingEntry {
    uint16_t x;  // the slider on its screen
    uint16_t y;
    uint16_t value;   // percent
    uint16_t before;  // the value before the last change
    uint8_t flags;
    uint8_t spare[3];
};

struct TrainingTableRow {
    int16_t player;       // -1 free
    int16_t settings[6];  // 0-2 the shares of the three emphases, percent, summing to 100
};
#pragma pack(pop)

static_assert(sizeof(TrainingEntry) == 12);
static_assert(sizeof(TrainingTableRow) == 14);

extern TrainingEntry TrainingSchedule[TRAINING_ENTRIES];     // not saved with the game
extern uint8_t TrainingCompact[TRAINING_COMPACT_BYTES];      // G1, G4, G2, G3, extra
extern TrainingTableRow TrainingTable[TRAINING_TABLE_ROWS];  // saved with the game as "TRNI"
// The grid's rows: settings 0-4 the five sliders in percent, summing to 100; setting 5 their lock
// bits (bit i slider i). Saved as "TRNG", which a save from before it may lack.
constexpr int32_t TRAINING_GRID_ROWS = 5;
constexpr int32_t TRAINING_GRID_LOCKS = 5;
extern TrainingTableRow TrainingGridTable[TRAINING_TABLE_ROWS];
extern bool TrainingFirstTime;  // the grid screen applies the defaults on its first build ever

// Registers the table with the saved game, then Training_ResetCareer.
void Training_Init();
void Training_Uninit();       // the reset; safe twice
void Training_ResetCareer();  // the defaults, an empty table, the first-time mark set

// Every group entry at its place and default (G1 75 x 4; G2, G3, G4 67, 67, 66; extra 50),
// unlocked; the first-time mark cleared.
void Training_SetDefaults();
void Training_StoreSchedule();  // the compact form from the entries' values
// The reverse: a group whose bytes miss its total (300 for G1, 200 for the others) gets its
// defaults instead.
void Training_LoadSchedule();
void TrainingTable_Clear();  // every row's player -1, in both tables

// The three emphases of a line's individual training: the name of each and the stat (0-14) that
// it moves in the player's matches.
constexpr int32_t TRAINING_EMPHASES = 3;
struct TrainingEmphasis {
    int16_t textNo;
    int8_t stat;
};
extern const TrainingEmphasis TrainingEmphases[LINE_COUNT][TRAINING_EMPHASES];
constexpr int16_t TRAINING_DEFAULT_SHARES[TRAINING_EMPHASES] = {40, 30, 30};

// Frees the rows of players who are not among the `count` squad players and gives each squad
// player without a row the first free one, with the default shares. No free row left is fatal
// ("TrainingTable_Sync(): table full"): the training buffer refuses a 33rd player first.
void TrainingTable_Sync(const int16_t* squad, int32_t count);
// The player's shares; the defaults for a player without a row.
void TrainingTable_GetShares(int32_t player, int16_t shares[TRAINING_EMPHASES]);
// Nothing for a player without a row or shares outside 0-100 that do not sum to 100.
void TrainingTable_SetShares(int32_t player, const int16_t shares[TRAINING_EMPHASES]);
// The saved table's check: player ids -1 or a person, none twice, and every used row's shares
// within 0-100 summing to 100.
bool TrainingTable_CheckSaved(const void* block);
// The first row holding the player; -1 without one, and for a negative id.
int32_t TrainingTable_RowOf(int32_t player);
// Moves the player's three emphasised stats (of the 22 in `stats`) by (share - 33) / 10 each,
// truncated, kept within 10-99: the defaults change nothing. `row` is his row
// (TrainingTable_RowOf), -1 moving nothing.
void Training_ApplyEmphases(int32_t player, int32_t row, int32_t stats[]);

// One point up or down for entry i, taken from (or given to) the next unlocked partner of its
// group that can give (or take) it, so a group's total never changes; nothing when none can.
// The extra-training entry, alone in its group, simply moves.
void Training_StepUp(int32_t entry);
void Training_StepDown(int32_t entry);
// A slider clicked at target 0-100 (clamped): the entry steps one point at a time toward it,
// stopping early when a step changes nothing (its group has no partner left to give or take).
// 2 when the value moved, else 1.
int32_t Training_MoveToward(int32_t entry, int32_t target);
int32_t Training_ToggleLock(int32_t entry);  // the entry's lock bit: 2
// The extra-training buttons 0-8 set the extra value to these; 1 when it is set already, else 2.
constexpr int32_t TRAINING_EXTRA_BUTTONS = 9;
constexpr uint16_t TRAINING_EXTRA_VALUES[TRAINING_EXTRA_BUTTONS] = {100, 84, 67, 50, 40,
                                                                    30,  20, 10, 0};
int32_t Training_SetExtra(int32_t button);

// The grid's table follows the squad as the emphases' does: leavers' rows freed, newcomers given
// five sliders of 20 and no lock ("TrainingGrid_Sync(): table full" when no row is free).
void TrainingGrid_Sync(const int16_t* squad, int32_t count);
const TrainingTableRow* TrainingGrid_Row(int32_t player);  // nullptr without a row
// The player's slider moved toward a target 0-100 by the schedule's rule (the five sliders one
// group of total 100, locks kept, the cursor shared); 2 when it moved, else 1 (no row, no such
// slider, or nothing to give or take).
int32_t TrainingGrid_MoveToward(int32_t player, int32_t slider, int32_t target);
int32_t TrainingGrid_ToggleLock(int32_t player, int32_t slider);  // 2, or 1 without a row
// The saved table's check: player ids -1 or a person, none twice, every used row's five values
// within 0-100 summing to 100 and its locks within 0-31.
bool TrainingGrid_CheckSaved(const void* block);
