// game/transfers.cpp: the chronological list of every transfer and loan of the career.
#include "game/transfers.h"

#include <algorithm>
#include <cstring>

#include "game/gamestate.h"
#include "game/ids.h"
#include "game/savegame.h"

TransferRecordRow TransferRecords[TRANSFER_ROWS + 1];

namespace {

int32_t s_rowsSeen = 0;  // the count last found, checked against the end marker before use
uint32_t s_revision = 0;

int32_t CountRows()
{
    int32_t n = 0;
    while (n < TRANSFER_ROWS && TransferRecords[n].buyer != -1) {
        ++n;
    }
    return n;
}

void EndListAt(int32_t n)
{
    TransferRecords[n] = {};
    TransferRecords[n].buyer = -1;
}

}  // namespace

void Transfers_Init()
{
    VTW_ClearTransferRecords();
    SaveGame_RegisterPermBlock("TRFR", TransferRecords, sizeof TransferRecords,
                               Transfers_CheckSaved);
}

void Transfers_Uninit() {}

void VTW_ClearTransferRecords()
{
    std::memset(TransferRecords, 0, sizeof TransferRecords);
    EndListAt(0);
    ++s_revision;
}

// A loaded game brings its own list, so the count is taken from the end marker again unless the
// marker still stands right after the rows last counted. Only the marker's row holds buyer -1,
// as a drop clears the rows it leaves, except past a full list in an older save.
int32_t Transfers_Count()
{
    const int32_t n = s_rowsSeen;
    const bool ends = n < TRANSFER_ROWS && TransferRecords[n].buyer == -1
                      && (n == 0 || TransferRecords[n - 1].buyer != -1);
    if (!ends) s_rowsSeen = CountRows();
    return s_rowsSeen;
}

void Transfers_Add(int32_t seller, int32_t buyer, int32_t player, uint8_t flags, int32_t fee,
                   int32_t abroadTeam)
{
    int32_t n = Transfers_Count();
    if (n == TRANSFER_ROWS) {
        std::memmove(TransferRecords, TransferRecords + TRANSFER_DROP_WHEN_FULL,
                     sizeof(TransferRecordRow) * (TRANSFER_ROWS - TRANSFER_DROP_WHEN_FULL));
        n = TRANSFER_ROWS - TRANSFER_DROP_WHEN_FULL;
        std::memset(TransferRecords + n, 0, sizeof(TransferRecordRow) * (TRANSFER_ROWS + 1 - n));
    }
    const int32_t abroad = abroadTeam >= 0 && abroadTeam < TEAM_COUNT ? abroadTeam + 1 : 0;
    TransferRecords[n] = {static_cast<int16_t>(seller),
                          static_cast<int16_t>(buyer),
                          static_cast<int16_t>(player),
                          flags,
                          static_cast<uint8_t>(abroad & 0xFF),
                          std::max(0, fee),
                          GameState.dayOfMonth,
                          GameState.month,
                          static_cast<uint8_t>(GameState.year % 100),
                          static_cast<uint8_t>(abroad >> 8)};
    EndListAt(n + 1);
    s_rowsSeen = n + 1;
    ++s_revision;
}

int32_t Transfers_AbroadTeam(const TransferRecordRow& row)
{
    return (row.abroadLow | row.abroadHigh << 8) - 1;
}

const TransferRecordRow* VTW_GetTransferRecord(int32_t n)
{
    if (n < 0 || n >= Transfers_Count()) return nullptr;
    return &TransferRecords[n];
}

void Transfers_VisitPlayers(PersonIdVisit visit, void* context)
{
    const int32_t n = Transfers_Count();
    for (int32_t k = 0; k < n; ++k) {
        const int16_t before = TransferRecords[k].player;
        VisitPackedPersonId(&TransferRecords[k].player, visit, context);
        if (TransferRecords[k].player != before) ++s_revision;
    }
}

uint32_t Transfers_Revision() { return s_revision; }

void VTW_SumClubTransfers(int32_t slot, int32_t* paid, int32_t* received, int32_t* bought,
                          int32_t* sold)
{
    int64_t out = 0;
    int64_t in = 0;
    *bought = 0;
    *sold = 0;
    const int32_t n = Transfers_Count();
    for (int32_t k = 0; k < n; ++k) {
        const TransferRecordRow& row = TransferRecords[k];
        if (row.flags & TRANSFER_LOAN) continue;
        if (row.buyer == slot) {
            out += row.fee;
            ++*bought;
        }
        if (row.seller == slot) {
            in += row.fee;
            ++*sold;
        }
    }
    *paid = static_cast<int32_t>(std::min<int64_t>(out, INT32_MAX));
    *received = static_cast<int32_t>(std::min<int64_t>(in, INT32_MAX));
}

bool Transfers_CheckSaved(const void* block)
{
    const auto* rows = static_cast<const TransferRecordRow*>(block);
    for (int32_t k = 0; k <= TRANSFER_ROWS && rows[k].buyer != -1; ++k) {
        const TransferRecordRow& row = rows[k];
        if (!SaveCheck_ClubOrWord(row.seller) || !SaveCheck_ClubOrWord(row.buyer)
            || !SaveCheck_InRange(row.player, 0, PERSON_ID_END - 1) || row.month > 11
            || !SaveCheck_InRange(row.day, 1, 31) || Transfers_AbroadTeam(row) >= TEAM_COUNT)
            return false;
    }
    return true;
}
