// menus/pasttransfers.h: "Transferts passés", every transfer and loan of the career, newest
// first, sixteen rows a page.
#pragma once

#include <cstdint>

struct MenuItem;
struct TransferRecordRow;

constexpr int32_t PAST_TRANSFERS_ROWS = 16;
constexpr int32_t TEXT_NO_CLUB = 789;  // "Joueur sans engagement"

struct PastTransfersState {
    int32_t count;  // records up to the first whose buyer is -1
    int32_t first;  // rows counted from the newest: 0 .. max(0, count - 16)
};
extern PastTransfersState PastTransfers;  // owned by PastTransfers

void PastTransfersInit();
void PastTransfersUninit();

void PastTransfers_Build();  // on a fresh entry: the records counted, the newest page shown
// The record shown on a row of the page, -1 for a blank row past the oldest.
int32_t PastTransfers_RecordOfRow(int32_t row);
int32_t PastTransfers_Newer();  // a page towards the newest; 1 when it shows already
int32_t PastTransfers_Older();  // a page towards the oldest; 1 when it shows already
// The text of a club column: 789 for ids 250-255, -1 (nothing) when both sides are one club,
// else the club's name.
int32_t PastTransfers_ClubText(int32_t club, int32_t otherClub);
// The same for one of the row's clubs, whose 252 shows the club abroad the row names.
int32_t PastTransfers_RowClubText(const TransferRecordRow& row, int32_t club, int32_t otherClub);

const MenuItem* PastTransfers_Table();  // option 35
