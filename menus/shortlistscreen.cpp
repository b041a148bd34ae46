// menus/shortlistscreen.cpp: the shortlist screen.
#include "menus/shortlistscreen.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "game/funcs.h"
#include "game/ids.h"
#include "game/market.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"

ShortlistScreenState ShortlistScreen;

namespace {

constexpr int32_t TEXT_TITLE = 423;
constexpr int32_t TEXT_DELETE = 432;
constexpr int32_t TICKED_ICON = 1206;
constexpr int32_t UNTICKED_ICON = 1236;
constexpr int32_t ROWS_TOP = 100;
constexpr int32_t ROW_PITCH = 22;
constexpr int32_t ROW_X = 32;
constexpr int32_t ROW_W = 576;
constexpr int32_t COLOUR_NORMAL = 0;
constexpr int32_t COLOUR_MARKED = 8;
constexpr uint16_t KEY_LINE = 6;
constexpr uint16_t KEY_VALUE = 4;
constexpr uint16_t KEY_ID = 0;

int16_t PlayerAt(int32_t row)
{
    if (row < 0 || row >= SHORTLIST_SCREEN_ROWS) return -1;
    const int32_t index = ShortlistScreen.first + row;
    return index < ShortlistScreen.count ? ShortlistScreen.order[index] : int16_t{-1};
}

void SortShortlist()
{
    ShortlistScreenState& s = ShortlistScreen;
    s.count = 0;
    std::fill(std::begin(s.order), std::end(s.order), int16_t{-1});
    for (const uint16_t id : ShortList) {
        if (id != SHORTLIST_FREE) s.order[s.count++] = static_cast<int16_t>(id);
    }
    PickList5_Set(KEY_LINE, KEY_VALUE, KEY_ID, PICKLIST_NO_KEY, PICKLIST_NO_KEY);
    std::stable_sort(s.order, s.order + s.count, PlayerList_Before);
    s.first = static_cast<int16_t>(
        std::clamp<int32_t>(s.first, 0, std::max(0, s.count - SHORTLIST_SCREEN_ROWS)));
}

// A player of a world club outside the game shows the team he comes from.
const char* ClubName(int32_t player)
{
    const int32_t club = VTW_GetPlayerClub(player);
    if (club < CLUB_ID_COUNT) return VTW_FormatClubName(VTW_GetTeam(club));
    if (club == CLUB_ORIGIN) return VTW_FormatClubName(VTW_GetPlayerOriginWord(player));
    return "";
}

void DrawPlayer(int32_t middle, int32_t player)
{
    DoIcon(80, middle, ShortList2_Contains(player) != 0 ? TICKED_ICON : UNTICKED_ICON,
           MENU_ALIGN_CENTRE);
    char name[96];
    std::snprintf(name, sizeof name, "%s %s", VTW_FormatPersonName(player),
                  GetMessageText(VTW_GetPositionTextNo(player)));
    DrawMenuString(92, middle, name, MENU_ALIGN_ML);
    DrawMenuString(220, middle, ClubName(player), MENU_ALIGN_ML);
    const int32_t club = VTW_GetPlayerClub(player);
    const int32_t division = club < CLUB_ID_COUNT ? VTW_FindDivisionOfTeam(club) : -1;
    if (division >= 0) DrawMenuMessage(352, middle, VTW_GetDivisionTextNo(division), MENU_ALIGN_ML);
    const int32_t bid = Shortlist_HumanBid(player);
    if (bid >= 0) {
        SetDrawAttribute(1, COLOUR_MARKED);
        DrawMenuString(390, middle, Price2str(bid), MENU_ALIGN_ML);
        SetDrawAttribute(1, COLOUR_NORMAL);
    } else {
        DrawMenuString(390, middle, Price2str(VTW_GetPlayerValue(player)), MENU_ALIGN_ML);
    }
    DrawMenuString(462, middle, Price2str(VTW_GetPlayerWage(player)), MENU_ALIGN_ML);
}

int32_t ClickRow(MenuHotspot* h) { return Shortlist_Click(static_cast<int32_t>(h->value)); }
int32_t TickRow(MenuHotspot* h) { return Shortlist_Tick(static_cast<int32_t>(h->value)); }

void DrawRows(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    for (int32_t row = 0; row < SHORTLIST_SCREEN_ROWS; ++row) {
        const int32_t y = ROWS_TOP + row * ROW_PITCH;
        MenuCont_ShadedBox(ROW_X, y, ROW_W, ROW_PITCH, row & 1);
        if (const int16_t player = PlayerAt(row); player >= 0)
            DrawPlayer(y + ROW_PITCH / 2, player);
        EXM_AddHotspot(70, y, 20, ROW_PITCH, -1, MENU_ALIGN_TL, -1, row, row, row, TickRow, 0,
                       HOTSPOT_PLAIN);
        EXM_AddHotspot(90, y, 558, ROW_PITCH, -1, MENU_ALIGN_TL, -1, row, row, row, ClickRow, 0,
                       HOTSPOT_PLAIN);
    }
    DoIcon(24, 430, MENU_ICON_ARROWS, MENU_ALIGN_TL);
}

void SetDeleteMode(bool on)
{
    ShortlistScreen.deleteMode = on ? 1 : 0;
    ShortlistScreen.deleteColour = static_cast<uint16_t>(on ? COLOUR_MARKED : COLOUR_NORMAL);
}

int32_t ToggleDelete(MenuHotspot*)
{
    SetDeleteMode(ShortlistScreen.deleteMode == 0);
    return EXM_CODE_REDRAW;
}

int32_t Up(MenuHotspot*) { return Shortlist_PageUp(); }
int32_t Down(MenuHotspot*) { return Shortlist_PageDown(); }

int32_t Done(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

}  // namespace

void ShortlistScreenInit()
{
    ShortlistScreen = {};
    std::fill(std::begin(ShortlistScreen.order), std::end(ShortlistScreen.order), int16_t{-1});
}

void ShortlistScreenUninit() { ShortlistScreenInit(); }

void Shortlist_Init()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) {
        ShortList2_Clear();
        ShortlistScreen.first = 0;
    }
    SortShortlist();
}

int32_t Shortlist_Click(int32_t row)
{
    const int16_t player = PlayerAt(row);
    if (player < 0) return 1;
    if (ShortlistScreen.deleteMode != 0) {
        if (ShortList_Remove(player) != 0) SetDeleteMode(false);
        SortShortlist();
        return EXM_CODE_REDRAW;
    }
    CurrentPlayer = player;
    CardReturnOption = OPTION_SHORTLIST;
    MenuOption = MENU_OPTION_PLAYER_CARD;
    return EXM_CODE_LEAVE;
}

int32_t Shortlist_Tick(int32_t row)
{
    const int16_t player = PlayerAt(row);
    if (player < 0) return 1;
    if (ShortList2_Contains(player) != 0) {
        ShortList2_Remove(player);
    } else {
        ShortList2_Add_Player(player);
    }
    return EXM_CODE_REDRAW;
}

int32_t Shortlist_PageUp()
{
    ShortlistScreenState& s = ShortlistScreen;
    if (s.first == 0) return 1;
    s.first = static_cast<int16_t>(std::max(0, s.first - SHORTLIST_SCREEN_ROWS));
    return EXM_CODE_REDRAW;
}

int32_t Shortlist_PageDown()
{
    ShortlistScreenState& s = ShortlistScreen;
    const int32_t last = std::max(0, s.count - SHORTLIST_SCREEN_ROWS);
    if (s.first >= last) return 1;
    s.first = static_cast<int16_t>(std::min(last, s.first + SHORTLIST_SCREEN_ROWS));
    return EXM_CODE_REDRAW;
}

int32_t Shortlist_HumanBid(int32_t player)
{
    const int32_t club = VTW_GetClubOfManager(MANAGER_HUMAN);
    if (club < 0) return -1;
    for (int32_t slot = 0; slot < BID_SLOTS; ++slot) {
        if (VTW_GetClubBidPlayer(club, slot) == player) return VTW_GetClubBidPrice(club, slot);
    }
    return -1;
}

const MenuItem* Shortlist_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Shortlist_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 480, 36, MENU_ALIGN_MR, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0f, 90, 80, MENU_ALIGN_ML, 0, MenuTextNo(172), nullptr},
        {0x0f, 220, 80, MENU_ALIGN_ML, 0, MenuTextNo(173), nullptr},
        {0x0f, 340, 80, MENU_ALIGN_ML, 0, MenuTextNo(174), nullptr},
        {0x0f, 390, 80, MENU_ALIGN_ML, 0, MenuTextNo(241), nullptr},
        {0x0f, 462, 80, MENU_ALIGN_ML, 0, MenuTextNo(59), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawRows), nullptr},
        {0x31, 0, 0, 0, 0, MenuVariable(&ShortlistScreen.deleteColour), nullptr},
        {0x200c, 74, 440, 492, 30, MenuTextNo(TEXT_DELETE), ToggleDelete},
        {0x30, 0, 0, 0, 0, MenuNumber(COLOUR_NORMAL), nullptr},
        {0x1f, 30, 436, 30, 15, MenuNumber(-1), Up},
        {0x1f, 30, 454, 30, 15, MenuNumber(-1), Down},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Done},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
