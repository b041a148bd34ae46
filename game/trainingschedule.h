// game/trainingschedule.h: the team-training schedule (percentage sliders in four groups of fixed
// totals, kept in a 14-byte compact form) and the individual-training table.
#pragma once

#include <cstdint>

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
    int16_t player;  // -1 free
    int16_t settings[6];
};
#pragma pack(pop)

static_assert(sizeof(TrainingEntry) == 12);
static_assert(sizeof(TrainingTableRow) == 14);

extern TrainingEntry TrainingSchedule[TRAINING_ENTRIES];     // not saved with the game
extern uint8_t TrainingCompact[TRAINING_COMPACT_BYTES];      // G1, G4, G2, G3, extra
extern TrainingTableRow TrainingTable[TRAINING_TABLE_ROWS];  // one row per squad player
extern bool TrainingFirstTime;  // the grid screen applies the defaults on its first build ever

void Training_Init();    // the defaults, an empty table, the first-time mark set
void Training_Uninit();  // the same; safe twice

// Every group entry at its place and default (G1 75 x 4; G2, G3, G4 67, 67, 66; extra 50),
// unlocked; the first-time mark cleared.
void Training_SetDefaults();
void Training_StoreSchedule();  // the compact form from the entries' values
// The reverse: a group whose bytes miss its total (300 for G1, 200 for the others) gets its
// defaults instead.
void Training_LoadSchedule();
void TrainingTable_Clear();  // every row's player -1

// One point up or down for entry i, taken from (or given to) the next unlocked partner of its
// group that can give (or take) it, so a group's total never changes; nothing when none can.
// The extra-training entry, alone in its group, simply moves.
void Training_StepUp(int32_t entry);
void Training_StepDown(int32_t entry);
