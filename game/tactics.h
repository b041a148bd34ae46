// game/tactics.h: team tactics: the record, the 40 built-in tactics of "tactics\tactics.dat",
// the human's twelve custom tactics, the tactic numbering and the names the screens show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

constexpr char TACTICS_FILE_NAME[] = "tactics\\tactics.dat";

// Tactic numbers (i16): 0-39 built in (formation n / 5 in variant n % 5), 40-51 custom 1-12.
constexpr int32_t TACTIC_FORMATION_COUNT = 8;
constexpr int32_t TACTIC_VARIANT_COUNT = 5;
constexpr int32_t TACTIC_BUILTIN_COUNT = TACTIC_FORMATION_COUNT * TACTIC_VARIANT_COUNT;
constexpr int32_t TACTIC_CUSTOM_COUNT = 12;
constexpr int32_t TACTIC_CUSTOM_FIRST = TACTIC_BUILTIN_COUNT;
constexpr int32_t TACTIC_NUMBER_COUNT = TACTIC_CUSTOM_FIRST + TACTIC_CUSTOM_COUNT;

// The positioning grid: rows 0-14 across the pitch, columns 0-17 from the side's own goal line.
constexpr int32_t TACTIC_GRID_ROWS = 15;
constexpr int32_t TACTIC_GRID_COLUMNS = 18;
constexpr int32_t TACTIC_SLOT_COUNT = 11;       // slot 0 the goalkeeper
constexpr int16_t TACTIC_NONE = -1;             // no receiver, target or marked opponent
constexpr uint16_t TACTIC_EMPTY_MARK = 0xFFFF;  // row of slot 0 of an empty custom tactic
constexpr uint8_t TACTIC_RECEIVER_MASK = 0x1F;  // bits 0-4 of receiverBits; 0x1F is "none"

#pragma pack(push, 1)

// One player of a tactic. Bytes the match engine and the tactics editor own are only copied here.
struct TacticsSlot {
    uint8_t engineHead[5];
    int16_t row;  // position: row 0-14 (slot 0: 0xFFFF marks an empty custom tactic)
    int16_t column;
    int16_t row2;  // second position: where he goes when his side attacks
    int16_t column2;
    uint8_t receiverBits;  // bits 0-4 signed slot 0-10 of his pass receiver, -1 none; 5-7 kept
    uint8_t engineMid[3];
    uint8_t shooting;     // 0 none, 1 or 2
    uint8_t throughBall;  // 0 no, else yes
    uint8_t crossing;     // 0 none, 1 or 2
    int16_t row3;         // third position: where he goes when his side defends
    int16_t column3;
    int16_t targetRow;  // cell his passes go into, -1 none
    int16_t targetColumn;
    int16_t markedOpponent;  // -1 none
};

struct TacticsRecord {
    TacticsSlot slots[TACTIC_SLOT_COUNT];
};

#pragma pack(pop)

static_assert(sizeof(TacticsSlot) == 30 && offsetof(TacticsSlot, row) == 5);
static_assert(offsetof(TacticsSlot, column) == 7 && offsetof(TacticsSlot, row2) == 9);
static_assert(offsetof(TacticsSlot, column2) == 11 && offsetof(TacticsSlot, receiverBits) == 13);
static_assert(offsetof(TacticsSlot, shooting) == 17 && offsetof(TacticsSlot, crossing) == 19);
static_assert(offsetof(TacticsSlot, row3) == 20 && offsetof(TacticsSlot, column3) == 22);
static_assert(offsetof(TacticsSlot, targetRow) == 24
              && offsetof(TacticsSlot, markedOpponent) == 28);
static_assert(sizeof(TacticsRecord) == 330 && std::is_trivially_copyable_v<TacticsRecord>);

constexpr int32_t TACTICS_FILE_BYTES = TACTIC_BUILTIN_COUNT * sizeof(TacticsRecord);

// The receiver as a signed slot index: -1 when all five bits are set.
inline int32_t TacticsSlot_Receiver(const TacticsSlot& slot)
{
    const int32_t bits = slot.receiverBits & TACTIC_RECEIVER_MASK;
    return bits >= 16 ? bits - 32 : bits;
}
// Keeps bits 5-7, as every writer must.
inline void TacticsSlot_SetReceiver(TacticsSlot* slot, int32_t receiver)
{
    slot->receiverBits = static_cast<uint8_t>((slot->receiverBits & ~TACTIC_RECEIVER_MASK)
                                              | (receiver & TACTIC_RECEIVER_MASK));
}

inline bool TacticsRecord_IsEmpty(const TacticsRecord& tactic)
{
    return static_cast<uint16_t>(tactic.slots[0].row) == TACTIC_EMPTY_MARK;
}

// True when the record can be handed to the match engine: empty, or every slot's three
// positions and pass target inside the grid and its receiver -1 or another slot 0-10. Files a
// user hands us (exported teams) are checked with it.
bool TacticsRecord_IsValid(const TacticsRecord& tactic);

// The human's store and words, owned by Tactics; saved with the game by the save module.
extern TacticsRecord CustomTactics[TACTIC_CUSTOM_COUNT];  // index n = tactic 40 + n
extern int16_t CurrentTactic;                             // the human side's tactic number 0-51
extern int16_t CurrentTacticB;                            // a second tactic word of the human side
inline int16_t& SelectedTactic = CurrentTactic;

// The two per-side copies that the match engine fills (side 0, side 1), then the buffer that
// GetTactic fills for built-in numbers.
constexpr int32_t TACTIC_COPY_COMPUTER = 2;
extern TacticsRecord TacticCopies[3];

void Tactics_Init();         // empty custom tactics, tactic words 0, copies zeroed
void Tactics_ResetCareer();  // the same without registering the saved blocks
void Tactics_Uninit();

// Reads built-in tactic n (0-39) from "tactics\tactics.dat" into *dest, opening and closing the
// file on every call. Any other n is fatal: "Invalid formation requested in
// GetComputerTactics()".
void GetComputerTactics(TacticsRecord* dest, int32_t n);

// Built-in n: read into the computer buffer, which the next call overwrites. Custom n: the
// store's record itself, so writes through it change the store. n outside 0-51 is fatal.
TacticsRecord* GetTactic(int32_t n);

// Marks the twelve custom tactics empty (their other bytes stay) and sets both tactic words
// to 0: the human has taken a new club.
void CustomTactics_Clear();

// Text ids: the formation (custom: "Personnalisé(e) n") and the variant (-1 for a custom
// tactic). n outside 0-51 is fatal.
int32_t Tactic_GetFormationTextId(int32_t n);
int32_t Tactic_GetVariantTextId(int32_t n);

// Fills entries first..last (first < last) of a table of 3-byte colours with 6-bit components,
// a straight ramp from colourA to colourB; each colour word holds its components in bits 0-5,
// 8-13 and 16-21. Entry first is exactly colourA and entry last exactly colourB.
void ColourTable_FillRamp(uint8_t* table, int32_t first, int32_t last, uint32_t colourA,
                          uint32_t colourB);
