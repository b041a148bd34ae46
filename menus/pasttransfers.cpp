// menus/pasttransfers.cpp: the past transfers screen.
#include "menus/pasttransfers.h"

#include <algorithm>
#include <cstdio>

#include "game/funcs.h"
#include "game/ids.h"
#include "game/textmess.h"
#include "game/transfers.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"

PastTransfersState PastTransfers;

namespace {

constexpr int32_t TEXT_TITLE = 795;
constexpr int32_t TEXT_DESTINATION = 793;
constexpr int32_t TEXT_ORIGIN = 794;
constexpr int32_t ROW_X = 20;  // the rows' boxes; the dates stand inside them
constexpr int32_t ROWS_TOP = 100;
constexpr int32_t ROW_PITCH = 20;

int32_t CountRecords()
{
    int32_t n = 0;
    for (const TransferRecordRow* r = VTW_GetTransferRecord(0); r != nullptr && r->buyer != -1;
         r = VTW_GetTransferRecord(++n)) {
    }
    return n;
}

int32_t LastFirst() { return std::max(0, PastTransfers.count - PAST_TRANSFERS_ROWS); }

void DrawClub(int32_t x, int32_t middle, const TransferRecordRow& r, int32_t club,
              int32_t otherClub)
{
    const int32_t text = PastTransfers_RowClubText(r, club, otherClub);
    if (text >= 0) DrawMenuMessage(x, middle, text, MENU_ALIGN_ML);
}

void DrawRecord(int32_t middle, const TransferRecordRow& r)
{
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/%02d", r.day, r.month + 1, r.year);
    DrawMenuString(ROW_X + 10, middle, date, MENU_ALIGN_ML);
    DrawMenuString(110, middle, VTW_FormatPersonName(r.player), MENU_ALIGN_ML);
    DrawClub(260, middle, r, r.buyer, r.seller);
    DrawClub(420, middle, r, r.seller, r.buyer);
    DrawMenuString(560, middle, Price2str(r.fee), MENU_ALIGN_ML);
}

void DrawRows(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    for (int32_t row = 0; row < PAST_TRANSFERS_ROWS; ++row) {
        const int32_t y = ROWS_TOP + row * ROW_PITCH;
        MenuCont_ShadedBox(ROW_X, y, 600, ROW_PITCH, row & 1);
        const int32_t record = PastTransfers_RecordOfRow(row);
        if (record >= 0) DrawRecord(y + ROW_PITCH / 2, *VTW_GetTransferRecord(record));
    }
    DoIcon(24, 430, MENU_ICON_ARROWS, MENU_ALIGN_TL);
}

int32_t Newer(MenuHotspot*) { return PastTransfers_Newer(); }
int32_t Older(MenuHotspot*) { return PastTransfers_Older(); }

int32_t Done(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

}  // namespace

void PastTransfersInit() { PastTransfers = {}; }
void PastTransfersUninit() { PastTransfersInit(); }

void PastTransfers_Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() == 0) return;
    PastTransfers.count = CountRecords();
    PastTransfers.first = 0;
}

int32_t PastTransfers_RecordOfRow(int32_t row)
{
    const int32_t shown = PastTransfers.first + row;
    if (row < 0 || row >= PAST_TRANSFERS_ROWS || shown >= PastTransfers.count) return -1;
    return PastTransfers.count - 1 - shown;
}

int32_t PastTransfers_Newer()
{
    if (PastTransfers.first == 0) return 1;
    PastTransfers.first = std::max(0, PastTransfers.first - PAST_TRANSFERS_ROWS);
    return EXM_CODE_REDRAW;
}

int32_t PastTransfers_Older()
{
    if (PastTransfers.first >= LastFirst()) return 1;
    PastTransfers.first = std::min(LastFirst(), PastTransfers.first + PAST_TRANSFERS_ROWS);
    return EXM_CODE_REDRAW;
}

int32_t PastTransfers_ClubText(int32_t club, int32_t otherClub)
{
    if (club >= CLUB_ID_COUNT) return TEXT_NO_CLUB;
    if (club == otherClub) return -1;
    return VTW_ClubNameTextNo(VTW_GetTeam(club));
}

int32_t PastTransfers_RowClubText(const TransferRecordRow& row, int32_t club, int32_t otherClub)
{
    const int32_t abroad = club == CLUB_ORIGIN ? Transfers_AbroadTeam(row) : -1;
    return abroad >= 0 ? VTW_ClubNameTextNo(abroad) : PastTransfers_ClubText(club, otherClub);
}

const MenuItem* PastTransfers_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(PastTransfers_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x24, 32, 74, 576, 20, MenuCallback(MenuCont_ShadedBox), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0f, 300, 76, MENU_ALIGN_TL, 0, MenuTextNo(TEXT_DESTINATION), nullptr},
        {0x0f, 450, 76, MENU_ALIGN_TL, 0, MenuTextNo(TEXT_ORIGIN), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawRows), nullptr},
        {0x1f, 35, 440, 30, 15, MenuNumber(-1), Newer},
        {0x1f, 35, 460, 30, 15, MenuNumber(-1), Older},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Done},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
