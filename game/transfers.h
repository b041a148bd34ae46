// game/transfers.h: the chronological list of every transfer and loan of the career, kept with
// the permanent data for the past-transfers screen and the clubs' transfer sums.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "game/ids.h"

constexpr int32_t TRANSFER_ROWS = 10000;
constexpr int32_t TRANSFER_DROP_WHEN_FULL = 1000;

enum : uint8_t {
    TRANSFER_LOAN = 1 << 0,
    TRANSFER_FREE = 1 << 1,
};

#pragma pack(push, 1)
// abroadLow and abroadHigh hold 1 + the team number of the club abroad of a side 252, 0 none: the
// spare bytes of the first layout, zero in older saves (Transfers_AbroadTeam).
struct TransferRecordRow {
    int16_t seller;  // club id; 252 a club abroad, 255 for a player who had no club
    int16_t buyer;   // -1 ends the list
    int16_t player;
    uint8_t flags;  // TRANSFER_LOAN, TRANSFER_FREE
    uint8_t abroadLow;
    int32_t fee;
    uint8_t day;    // 1-31
    uint8_t month;  // 0-11
    uint8_t year;   // two digits
    uint8_t abroadHigh;
};
#pragma pack(pop)

static_assert(sizeof(TransferRecordRow) == 16 && offsetof(TransferRecordRow, fee) == 8);
static_assert(offsetof(TransferRecordRow, day) == 12);
static_assert(std::is_trivially_copyable_v<TransferRecordRow>);

// Oldest first; the row after the last holds buyer -1. Owned by Transfers.
extern TransferRecordRow TransferRecords[TRANSFER_ROWS + 1];
// The saved block's range check (SaveGameCheck): clubs, teams abroad, players and dates of the
// rows in use.
bool Transfers_CheckSaved(const void* block);

// Empties the list and registers it with the permanent data; Uninit is safe twice.
void Transfers_Init();
void Transfers_Uninit();

void VTW_ClearTransferRecords();
// Appends a row dated today; a full list first drops its oldest 1,000 rows, so it stays in order.
// abroadTeam names the club abroad of a side 252, -1 none.
void Transfers_Add(int32_t seller, int32_t buyer, int32_t player, uint8_t flags, int32_t fee,
                   int32_t abroadTeam = -1);
// The team number of the club abroad of the row's side 252, -1 when the row names none.
int32_t Transfers_AbroadTeam(const TransferRecordRow& row);
int32_t Transfers_Count();
// Row n (0 the oldest), null past the last.
const TransferRecordRow* VTW_GetTransferRecord(int32_t n);
// Every row's player, which the visit may rewrite; the revision then moves on.
void Transfers_VisitPlayers(PersonIdVisit visit, void* context);
// Moves on whenever a row is added, dropped or names another player: what a reader keeps from
// the rows stays true while it stands.
uint32_t Transfers_Revision();
// The club's fees paid and received and its players bought and sold; loans count no money.
void VTW_SumClubTransfers(int32_t slot, int32_t* paid, int32_t* received, int32_t* bought,
                          int32_t* sold);
