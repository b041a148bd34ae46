// game/tactics.cpp: team tactics: the record, the 40 built-in tactics of "tactics\tactics.dat",
// the human's twelve custom tactics, the tactic numbering and the names the screens show.
#include "game/tactics.h"

#include <array>

#include "engine/fatal.h"
#include "engine/pakfile.h"
#include "game/savegame.h"

TacticsRecord CustomTactics[TACTIC_CUSTOM_COUNT];
int16_t CurrentTactic;
int16_t CurrentTacticB;
TacticsRecord TacticCopies[3];

namespace {

constexpr auto kFormationText = std::to_array<int32_t>({267, 268, 269, 270, 271, 272, 583, 584});
constexpr auto kVariantText = std::to_array<int32_t>({702, 703, 704, 705, 706});
// Text 1328 ("Personnalisé" alone) is not one of them.
constexpr auto kCustomText = std::to_array<int32_t>(
    {1302, 1303, 1304, 1320, 1321, 1322, 1323, 1324, 1325, 1326, 1327, 1329});
static_assert(kFormationText.size() == TACTIC_FORMATION_COUNT);
static_assert(kVariantText.size() == TACTIC_VARIANT_COUNT);
static_assert(kCustomText.size() == TACTIC_CUSTOM_COUNT);

bool InGrid(int32_t row, int32_t column)
{
    return row >= 0 && row < TACTIC_GRID_ROWS && column >= 0 && column < TACTIC_GRID_COLUMNS;
}

// A run the manager removed is -1, -1; the match plays on without it.
bool RunIsValid(int16_t row, int16_t column)
{
    return (row == -1 && column == -1) || InGrid(row, column);
}

bool SlotIsValid(const TacticsSlot& slot)
{
    if (!InGrid(slot.row, slot.column) || !RunIsValid(slot.row2, slot.column2)
        || !RunIsValid(slot.row3, slot.column3))
        return false;
    const int32_t receiver = TacticsSlot_Receiver(slot);
    if (receiver < -1 || receiver >= TACTIC_SLOT_COUNT) return false;
    return slot.targetRow < 0 || InGrid(slot.targetRow, slot.targetColumn);
}

void CheckNumber(int32_t n, const char* caller)
{
    if (n < 0 || n >= TACTIC_NUMBER_COUNT) FatalError("%s(): bad tactic number %d", caller, n);
}

// The saved blocks' range checks (SaveGameCheck).
bool CustomTacticsAreValid(const void* block)
{
    const auto* tactics = static_cast<const TacticsRecord*>(block);
    for (int32_t n = 0; n < TACTIC_CUSTOM_COUNT; ++n) {
        if (!TacticsRecord_IsValid(tactics[n])) return false;
    }
    return true;
}

bool TacticNumberIsValid(const void* block)
{
    return SaveCheck_InRange(*static_cast<const int16_t*>(block), 0, TACTIC_NUMBER_COUNT - 1);
}

}  // namespace

bool TacticsRecord_IsValid(const TacticsRecord& tactic)
{
    if (TacticsRecord_IsEmpty(tactic)) return true;
    for (const TacticsSlot& slot : tactic.slots) {
        if (!SlotIsValid(slot)) return false;
    }
    return true;
}

void Tactics_Init()
{
    Tactics_ResetCareer();
    SaveGame_RegisterBlock("CTAC", CustomTactics, sizeof CustomTactics, CustomTacticsAreValid);
    SaveGame_RegisterBlock("CTA1", &CurrentTactic, sizeof CurrentTactic, TacticNumberIsValid);
    SaveGame_RegisterBlock("CTA2", &CurrentTacticB, sizeof CurrentTacticB, TacticNumberIsValid);
}

void Tactics_ResetCareer()
{
    for (TacticsRecord& tactic : CustomTactics) {
        tactic = {};
    }
    for (TacticsRecord& tactic : TacticCopies) {
        tactic = {};
    }
    CustomTactics_Clear();
}

void Tactics_Uninit() {}

void GetComputerTactics(TacticsRecord* dest, int32_t n)
{
    if (n < 0 || n >= TACTIC_BUILTIN_COUNT)
        FatalError("Invalid formation requested in GetComputerTactics()");
    const int32_t handle = PakOpenFile(TACTICS_FILE_NAME);
    constexpr int32_t size = sizeof(TacticsRecord);
    const int32_t read = PakReadFile(dest, n * size, size, handle);
    PakCloseFile(handle);
    // The file is built with the game: a short one is a broken installation.
    if (read != size) FatalError("GetComputerTactics(): \"%s\" is cut short", TACTICS_FILE_NAME);
}

TacticsRecord* GetTactic(int32_t n)
{
    CheckNumber(n, "GetTactic");
    if (n >= TACTIC_CUSTOM_FIRST) return &CustomTactics[n - TACTIC_CUSTOM_FIRST];
    GetComputerTactics(&TacticCopies[TACTIC_COPY_COMPUTER], n);
    return &TacticCopies[TACTIC_COPY_COMPUTER];
}

void CustomTactics_Clear()
{
    for (TacticsRecord& tactic : CustomTactics) {
        tactic.slots[0].row = static_cast<int16_t>(TACTIC_EMPTY_MARK);
    }
    CurrentTactic = 0;
    CurrentTacticB = 0;
}

int32_t Tactic_GetFormationTextId(int32_t n)
{
    CheckNumber(n, "Tactic_GetFormationTextId");
    if (n >= TACTIC_CUSTOM_FIRST) return kCustomText[n - TACTIC_CUSTOM_FIRST];
    return kFormationText[n / TACTIC_VARIANT_COUNT];
}

int32_t Tactic_GetVariantTextId(int32_t n)
{
    CheckNumber(n, "Tactic_GetVariantTextId");
    if (n >= TACTIC_CUSTOM_FIRST) return -1;
    return kVariantText[n % TACTIC_VARIANT_COUNT];
}

void ColourTable_FillRamp(uint8_t* table, int32_t first, int32_t last, uint32_t colourA,
                          uint32_t colourB)
{
    if (first < 0 || first >= last)
        FatalError("ColourTable_FillRamp(): bad range %d-%d", first, last);
    const int32_t span = last - first;
    for (int32_t i = first; i <= last; ++i) {
        for (int32_t c = 0; c < 3; ++c) {
            const int32_t a = static_cast<int32_t>(colourA >> (8 * c)) & 0x3F;
            const int32_t b = static_cast<int32_t>(colourB >> (8 * c)) & 0x3F;
            table[3 * i + c] = static_cast<uint8_t>(a + (b - a) * (i - first) / span);
        }
    }
}
