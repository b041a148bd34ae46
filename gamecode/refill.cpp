// gamecode/refill.cpp: the line-up refill and the reshapes by score and clock.
#include "gamecode/refill.h"

#include <algorithm>
#include <span>

#include "game/tactics.h"
#include "gamecode/formation.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"

namespace {

constexpr int32_t kRowBands = 6;
constexpr int32_t kColumnBands = 5;
constexpr int32_t kLowestOutfieldRow = 3;  // rows below it belong to the keeper
constexpr int32_t kRaisedRow = 4;
constexpr int32_t kMaxRefills = 10;
constexpr int32_t kMiddleColumn = 7;
constexpr int32_t kFullSide = 11;
constexpr int32_t kExtraTimeUrgency = 100;
constexpr int32_t kThroughBallRowBelow = 7;

ShapeZoneCounts s_counts[2];

// The tactics record names the across coordinate of a cell its row: the grid row along the pitch
// is the record's column word, the grid column its row word.
TacticsSlot& SlotOf(int32_t side, int32_t slot) { return TeamShape[side].slots[slot]; }
int32_t HomeRow(const TacticsSlot& s) { return s.column; }
int32_t HomeColumn(const TacticsSlot& s) { return s.row; }

void SetHome(TacticsSlot& s, int32_t row, int32_t column)
{
    s.column = static_cast<int16_t>(row);
    s.row = static_cast<int16_t>(column);
}
void SetForward(TacticsSlot& s, int32_t row, int32_t column)
{
    s.column2 = static_cast<int16_t>(row);
    s.row2 = static_cast<int16_t>(column);
}
void SetBack(TacticsSlot& s, int32_t row, int32_t column)
{
    s.column3 = static_cast<int16_t>(row);
    s.row3 = static_cast<int16_t>(column);
}

void GiveNeutralInstructions(TacticsSlot& s)
{
    s.shooting = 0;
    s.throughBall = 0;
    s.crossing = 0;
    s.targetRow = TACTIC_NONE;
    s.targetColumn = TACTIC_NONE;
    s.markedOpponent = TACTIC_NONE;
    TacticsSlot_SetReceiver(&s, -1);
}

bool InZone(const TacticsSlot& s, int32_t rowBand, int32_t columnBand)
{
    return HomeRow(s) / 3 == rowBand && HomeColumn(s) / 3 == columnBand;
}

int32_t Urgency()
{
    if (Match.period >= 3) return kExtraTimeUrgency;
    return static_cast<int32_t>(GetMatchClockSeconds() / 60) + 10;
}

int32_t AggregateDifference(int32_t side)
{
    const int32_t own = Match.score[side] + Match.firstLegGoals[side];
    const int32_t other = Match.score[side ^ 1] + Match.firstLegGoals[side ^ 1];
    return own - other;
}

// A gap is filled one move a pass: the mover's old cells become the gap, filled further up next.
void Refill(int32_t side)
{
    for (int32_t pass = 0; pass < kMaxRefills; ++pass) {
        const int32_t lost = Shape_FindLostSlot(side);
        if (lost < 0) return;
        Shape_RefillSlot(side, lost);
    }
}

// Counted before the restore: a full side keeps the restored rows below 3.
void RestoreAndRefill(int32_t side)
{
    Shape_CountZones(side);
    Football_CopyFormation(side);
    if (s_counts[side].onPitch >= kFullSide) return;
    Refill(side);
    Shape_Rebalance(side);
}

// A band whose only player is the last man of his line (the band paired with it is empty).
bool LastOfLine(const ShapeZoneCounts& c, int32_t rowBand)
{
    const int32_t partner = rowBand % 2 != 0 ? rowBand - 1 : rowBand + 1;
    return c.rowBand[rowBand] == 1 && c.rowBand[partner] == 0;
}

// Empty bands in the slot's column band, from the one next to its home band toward `step`.
int32_t EmptyBandsFrom(int32_t side, const TacticsSlot& s, int32_t step)
{
    int32_t count = 0;
    for (int32_t band = HomeRow(s) / 3 + step; band >= 0 && band < kRowBands; band += step) {
        if (Shape_FindSlotInZone(side, band, HomeColumn(s) / 3) != -1) break;
        ++count;
    }
    return count;
}

}  // namespace

const ShapeZoneCounts& Shape_Counts(int32_t side) { return s_counts[side == 0 ? 0 : 1]; }

bool Shape_IsAvailable(int32_t side, int32_t slot)
{
    const MatchPerson& p = MatchPersons[LineUp[side][slot]];
    return p.offPitch == 0 && p.sentOff == 0 && p.bookings <= 1;
}

void Shape_CountZones(int32_t side)
{
    ShapeZoneCounts& c = s_counts[side];
    c = {};
    c.onPitch = 1;
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        if (!Shape_IsAvailable(side, slot)) continue;
        ++c.onPitch;
        TacticsSlot& s = SlotOf(side, slot);
        if (s.column2 < kLowestOutfieldRow) s.column2 = kRaisedRow;
        if (HomeRow(s) < kLowestOutfieldRow) s.column = kRaisedRow;
        const int32_t rowBand = HomeRow(s) / 3;
        const int32_t columnBand = HomeColumn(s) / 3;
        // A crafted formation's cell off the grid counts in no zone.
        if (rowBand >= kRowBands || columnBand < 0 || columnBand >= kColumnBands) continue;
        ++c.rowBand[rowBand];
        ++c.zone[rowBand][columnBand];
    }
}

int32_t Shape_FindSlotInZone(int32_t side, int32_t rowBand, int32_t columnBand)
{
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        if (Shape_IsAvailable(side, slot) && InZone(SlotOf(side, slot), rowBand, columnBand))
            return slot;
    }
    return -1;
}

int32_t Shape_FindLostSlot(int32_t side)
{
    int32_t lost = -1;
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        if (Shape_IsAvailable(side, slot)) continue;
        if (lost < 0 || HomeRow(SlotOf(side, slot)) < HomeRow(SlotOf(side, lost))) lost = slot;
    }
    return lost;
}

void Shape_SwapCells(int32_t side, int32_t a, int32_t b)
{
    TacticsSlot& first = SlotOf(side, a);
    TacticsSlot& second = SlotOf(side, b);
    const TacticsSlot old = first;
    SetHome(first, second.column, second.row);
    SetForward(first, second.column2, second.row2);
    SetBack(first, second.column3, second.row3);
    SetHome(second, old.column, old.row);
    SetForward(second, old.column2, old.row2);
    SetBack(second, old.column3, old.row3);
    GiveNeutralInstructions(first);
}

void Shape_SetCell(int32_t side, int32_t slot, int32_t row, int32_t column)
{
    TacticsSlot& s = SlotOf(side, slot);
    SetHome(s, row, column);
    SetForward(s, row, column);
    SetBack(s, row, column);
    GiveNeutralInstructions(s);
}

void Shape_RefillSlot(int32_t side, int32_t lost)
{
    Shape_CountZones(side);
    const TacticsSlot& s = SlotOf(side, lost);
    Shape_FillZone(side, HomeRow(s) / 3, HomeColumn(s) / 3, lost);
}

void Shape_FillZone(int32_t side, int32_t rowBand, int32_t columnBand, int32_t lost)
{
    static constexpr std::array<int8_t, 2> kLeftFirst{0, 1};
    static constexpr std::array<int8_t, 3> kMiddleFirst{2, 3, 1};
    static constexpr std::array<int8_t, 2> kRightFirst{4, 3};
    static constexpr std::array<int8_t, 5> kLeftToRight{0, 1, 2, 3, 4};
    static constexpr std::array<int8_t, 5> kRightToLeft{4, 3, 2, 1, 0};
    using Bands = std::span<const int8_t>;
    const Bands nearSide = columnBand <= 1   ? Bands(kLeftFirst)
                           : columnBand == 2 ? Bands(kMiddleFirst)
                                             : Bands(kRightFirst);
    const Bands everyBand = columnBand <= 1 ? Bands(kLeftToRight) : Bands(kRightToLeft);
    const ShapeZoneCounts& c = s_counts[side];
    int32_t mover = -1;
    for (const bool wholeRow : {false, true}) {
        for (int32_t r = std::max(rowBand + 1, 0); r < kRowBands && mover < 0; ++r) {
            if (LastOfLine(c, r)) continue;
            for (const int8_t band : wholeRow ? everyBand : nearSide) {
                if (mover < 0 && c.zone[r][band] != 0) mover = Shape_FindSlotInZone(side, r, band);
            }
        }
    }
    if (mover >= 0) Shape_SwapCells(side, mover, lost);
    Shape_CountZones(side);
}

void Shape_Rebalance(int32_t side)
{
    const ShapeZoneCounts& c = s_counts[side];
    for (int32_t r = 0; r < kRowBands; ++r) {
        const int16_t* z = c.zone[r];
        if (z[0] < z[4]) Shape_SpreadRowBand(side, r, 0, 4);
        if (z[1] < z[3]) Shape_SpreadRowBand(side, r, 1, 3);
        if (z[3] < z[1]) Shape_SpreadRowBand(side, r, 3, 1);
        if (z[4] < z[0]) Shape_SpreadRowBand(side, r, 4, 0);
        if (z[2] == 1) Shape_SpreadRowBand(side, r, 2, 2);
    }
}

void Shape_SpreadRowBand(int32_t side, int32_t rowBand, int32_t thin, int32_t full)
{
    const int32_t middleRow = 3 * rowBand + 1;
    if (thin == full) {
        const int32_t s = Shape_FindSlotInZone(side, rowBand, 2);
        if (s >= 0 && HomeColumn(SlotOf(side, s)) != kMiddleColumn)
            Shape_SetCell(side, s, middleRow, kMiddleColumn);
        return;
    }
    static constexpr std::array<std::array<int8_t, 4>, 5> kColumns{{
        {},
        {kMiddleColumn},
        {5, 9},
        {4, 7, 10},
        {2, 5, 9, 12},
    }};
    const int32_t players = s_counts[side].rowBand[rowBand];
    if (players <= 0 || players >= static_cast<int32_t>(kColumns.size())) return;
    if (players == 1) {
        const int32_t lone = Shape_FindSlotInZone(side, rowBand, full);
        if (lone >= 0) Shape_SetCell(side, lone, middleRow, kMiddleColumn);
        return;
    }
    bool placed[TACTIC_SLOT_COUNT] = {};
    for (int32_t k = 0; k < players; ++k) {
        // A band whose first player is already placed gives nobody, even when it holds another.
        for (int32_t band = 0; band < kColumnBands; ++band) {
            const int32_t s = Shape_FindSlotInZone(side, rowBand, band);
            if (s < 0 || placed[s]) continue;
            Shape_SetCell(side, s, middleRow, kColumns[players][k]);
            placed[s] = true;
            break;
        }
    }
}

void Shape_PushForward(int32_t side)
{
    const int32_t urgency = Urgency();
    RestoreAndRefill(side);
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        TacticsSlot& s = SlotOf(side, slot);
        const int32_t row = HomeRow(s);
        if (row > s.column3) SetBack(s, row, HomeColumn(s));
        const int32_t step = (2 - row / 6) * urgency / 100;
        s.column = static_cast<int16_t>(row + step);
        s.column3 = static_cast<int16_t>(s.column3 + step);
    }
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        TacticsSlot& s = SlotOf(side, slot);
        if (HomeRow(s) != s.column2) continue;
        const int32_t run = urgency * (EmptyBandsFrom(side, s, 1) * (4 - HomeRow(s) / 6)) / 100;
        if (run != 0) s.column2 = static_cast<int16_t>(s.column2 + run);
    }
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        TacticsSlot& s = SlotOf(side, slot);
        if (s.markedOpponent != 0) s.markedOpponent = TACTIC_NONE;
        if (HomeRow(s) < kThroughBallRowBelow) s.throughBall = 1;
        if (s.crossing != 0) s.crossing = 2;
    }
}

void Shape_SitBack(int32_t side)
{
    const int32_t urgency = Urgency();
    RestoreAndRefill(side);
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        TacticsSlot& s = SlotOf(side, slot);
        const int32_t row = HomeRow(s);
        if (row < s.column2) SetForward(s, row, HomeColumn(s));
        const int32_t step = std::max(row / 4 - 1, 0) * urgency / 100;
        s.column = static_cast<int16_t>(row - step);
        s.column2 = static_cast<int16_t>(s.column2 - step);
        s.column3 = static_cast<int16_t>(s.column3 - step);
    }
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        TacticsSlot& s = SlotOf(side, slot);
        if (HomeRow(s) == s.column3) {
            const int32_t drop = EmptyBandsFrom(side, s, -1) * (HomeRow(s) / 6 + 1) * urgency / 100;
            if (drop != 0) s.column3 = static_cast<int16_t>(s.column3 - drop);
        }
        if (s.crossing != 0) s.crossing = 1;
        s.shooting = 0;
        if (s.targetColumn >= 0) {
            s.targetRow = TACTIC_NONE;
            s.targetColumn = TACTIC_NONE;
        }
    }
}

void Team_RefillLineup()
{
    for (int32_t side = 0; side < 2; ++side) {
        if (Match_SideIsHuman(side)) continue;
        const int32_t difference = AggregateDifference(side);
        if (difference == 1) {
            Shape_SitBack(side);
        } else if (difference < 0) {
            Shape_PushForward(side);
        } else {
            Football_CopyFormation(side);
            Shape_CountZones(side);
            if (s_counts[side].onPitch < kFullSide) {
                Refill(side);
                Shape_Rebalance(side);
            }
        }
        ShapeWorkingBlock = TeamShape[side];
        CopySquadStatusToPlayers(side);
        SetupFormations(side);
    }
}
