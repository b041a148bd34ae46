// menus/besteleven.cpp: the best eleven screen.
#include "menus/besteleven.h"

#include <algorithm>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

BestElevenState BestEleven;

namespace {

constexpr int32_t TEXT_CATEGORY_FIRST = 888;
constexpr int32_t TEXT_NOT_AVAILABLE = 1808;
constexpr int32_t BADGE_ICON_BASE = 105;
constexpr int32_t NO_BADGE_ICON = 2;
constexpr int32_t WINDOW_OPENS_AFTER = 14;  // days after the first league day
constexpr int32_t WINDOW_CLOSES_AFTER = 7;  // days after the last league day
constexpr int16_t HIGHLIGHT = 8;
constexpr int32_t BUTTON_X = 32;
constexpr int32_t BUTTON_W = 104;
constexpr int32_t BUTTON_Y = 440;

struct SlotPlace {
    int16_t x, y;  // the badge; the name 20 below, the club 34 below
};
// Neighbours on a line stand 110 apart: each name keeps to its share, already in the small font.
constexpr int32_t SLOT_ROOM = 104;
constexpr SlotPlace SLOT_PLACES[BEST_ELEVEN_SLOTS] = {
    {320, 114},                                      // keeper
    {150, 194}, {260, 194}, {370, 194}, {480, 194},  // defenders
    {150, 274}, {260, 274}, {370, 274}, {480, 274},  // midfielders
    {260, 354}, {370, 354},                          // forwards
};

int16_t Word(int32_t n) { return static_cast<int16_t>(n); }

bool WithDivision(int32_t category)
{
    return category == BEST_PERFORMANCE || category == BEST_WORST;
}

int32_t HumanDivision()
{
    const int32_t club = VTW_GetClubOfManager(MANAGER_HUMAN);
    const int32_t division = club >= 0 && club < CLUB_ID_COUNT ? VTW_FindDivisionOfTeam(club) : -1;
    return division >= 0 ? division : 0;
}

void DrawTitle(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(2);
    const int32_t category = TEXT_CATEGORY_FIRST + BestEleven.category;
    if (!WithDivision(BestEleven.category)) {
        DrawMenuMessage(320, 36, category, MENU_ALIGN_CENTRE);
        return;
    }
    DrawMenuMessage(310, 36, VTW_GetDivisionTextNo(BestEleven.division), MENU_ALIGN_MR);
    DrawMenuMessage(330, 36, category, MENU_ALIGN_ML);
}

void DrawSlots(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    for (int32_t k = 0; k < BEST_ELEVEN_SLOTS; ++k) {
        const SlotPlace& at = SLOT_PLACES[k];
        const int32_t player = BestEleven.slots[k].player;
        if (player < 0) {
            DoIcon(at.x, at.y, NO_BADGE_ICON, MENU_ALIGN_CENTRE);
            continue;
        }
        const int32_t loan = VTW_GetPlayerLoanSlot(player);
        const int32_t team = VTW_GetTeam(loan >= 0 ? loan : VTW_GetPlayerClub(player));
        DoIcon(at.x, at.y, BADGE_ICON_BASE + team, MENU_ALIGN_CENTRE);
        DrawMenuString(at.x, at.y + 20, FitMenuText(VTW_FormatPersonName(player), SLOT_ROOM),
                       MENU_ALIGN_CENTRE);
        DrawMenuString(at.x, at.y + 34, FitMenuText(VTW_FormatClubName(team), SLOT_ROOM),
                       MENU_ALIGN_CENTRE);
    }
}

void Build()
{
    if (EXM_GetRebuildFlag() != 0) {
        MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
        BestEleven.division = Word(HumanDivision());
    }
    BestEleven_Build();
}

template <int32_t Category>
int32_t Choose(MenuHotspot*)
{
    return BestEleven_ChooseCategory(Category);
}
int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

template <int32_t Category>
int32_t DivisionEntry(MenuListEntry* entry)
{
    BestEleven_ChooseDivision(Category,
                              static_cast<int32_t>(entry - BestEleven_DivisionPopup(Category) - 1));
    return LIST_CODE_REDRAW;
}

template <int32_t Category>
void PrepareDivisions(MenuListRecord*)
{
    MenuListEntry* popup = BestEleven_DivisionPopup(Category);
    for (int32_t d = 0; d < DIVISION_MAX; ++d) {
        BestEleven.divisionTexts[d] = Word(VTW_GetDivisionTextNo(d));
        popup[1 + d].type = d < VTW_GetCountryDivisions() ? LIST_ENTRY_TEXT_NO_VAR : 0;
    }
}

template <int32_t Category>
MenuListEntry* DivisionPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_CATEGORY_FIRST + Category, PrepareDivisions<Category>),
        MenuList_EntryVar(&BestEleven.divisionTexts[0], DivisionEntry<Category>),
        MenuList_EntryVar(&BestEleven.divisionTexts[1], DivisionEntry<Category>),
        MenuList_EntryVar(&BestEleven.divisionTexts[2], DivisionEntry<Category>),
        MenuList_EntryVar(&BestEleven.divisionTexts[3], DivisionEntry<Category>),
        MenuList_EntryVar(&BestEleven.divisionTexts[4], DivisionEntry<Category>),
        MenuList_EntryVar(&BestEleven.divisionTexts[5], DivisionEntry<Category>),
        MenuList_End(),
    };
    return popup;
}

constexpr int16_t ButtonX(int32_t category) { return BUTTON_X + category * (BUTTON_W + 2); }

}  // namespace

void BestElevenInit() { BestEleven = {}; }
void BestElevenUninit() { BestElevenInit(); }

bool BestEleven_InWindow()
{
    const int32_t today = VTW_GetCurrentDay();
    return today > VTW_GetSeasonEndDay() + WINDOW_OPENS_AFTER
           && today < VTW_GetLastLeagueDay() + WINDOW_CLOSES_AFTER;
}

void BestEleven_Build()
{
    for (int32_t c = 0; c < BEST_CATEGORY_COUNT; ++c) {
        BestEleven.categoryHighlights[c] = c == BestEleven.category ? HIGHLIGHT : int16_t{0};
    }
    BestEleven.shown = BestEleven_InWindow() ? 1 : 0;
    BestEleven.message = Word(BestEleven.shown ? -1 : TEXT_NOT_AVAILABLE);
    std::fill(std::begin(BestEleven.slots), std::end(BestEleven.slots), BestElevenSlot{-1, 0});
    if (BestEleven.shown)
        VTW_BuildBestEleven(BestEleven.category, BestEleven.division, BestEleven.slots);
}

int32_t BestEleven_ChooseCategory(int32_t category)
{
    BestEleven.category = Word(category);
    return EXM_CODE_REDRAW;
}

int32_t BestEleven_ChooseDivision(int32_t category, int32_t division)
{
    BestEleven.division = Word(division);
    return BestEleven_ChooseCategory(category);
}

MenuListEntry* BestEleven_DivisionPopup(int32_t category)
{
    return category == BEST_WORST ? DivisionPopup<BEST_WORST>() : DivisionPopup<BEST_PERFORMANCE>();
}

const MenuItem* BestEleven_Table()
{
    const int16_t* h = BestEleven.categoryHighlights;
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(3), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // What a category's tab changes, the title and the eleven, is drawn past the marker, so
        // that its redraw shows it.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawTitle), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawSlots), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x10, 320, 240, MENU_ALIGN_CENTRE, 0, MenuVariable(&BestEleven.message), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x31, 0, 0, 0, 0, MenuVariable(&h[BEST_PERFORMANCE]), nullptr},
        {0x200c, ButtonX(0), BUTTON_Y, BUTTON_W, 30, MenuTextNo(TEXT_CATEGORY_FIRST), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(DivisionPopup<BEST_PERFORMANCE>()), nullptr},
        {0x31, 0, 0, 0, 0, MenuVariable(&h[BEST_DISCIPLINE]), nullptr},
        {0x200c, ButtonX(1), BUTTON_Y, BUTTON_W, 30, MenuTextNo(TEXT_CATEGORY_FIRST + 1),
         Choose<BEST_DISCIPLINE>},
        {0x31, 0, 0, 0, 0, MenuVariable(&h[BEST_WORST]), nullptr},
        {0x200c, ButtonX(2), BUTTON_Y, BUTTON_W, 30, MenuTextNo(TEXT_CATEGORY_FIRST + 2), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(DivisionPopup<BEST_WORST>()), nullptr},
        {0x31, 0, 0, 0, 0, MenuVariable(&h[BEST_YOUNG]), nullptr},
        {0x200c, ButtonX(3), BUTTON_Y, BUTTON_W, 30, MenuTextNo(TEXT_CATEGORY_FIRST + 3),
         Choose<BEST_YOUNG>},
        {0x31, 0, 0, 0, 0, MenuVariable(&h[BEST_OLD]), nullptr},
        {0x200c, ButtonX(4), BUTTON_Y, BUTTON_W, 30, MenuTextNo(TEXT_CATEGORY_FIRST + 4),
         Choose<BEST_OLD>},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), MenuCont_ToOffice},
        MenuEndItem(nullptr, MenuCont_EscapeToOffice),
    };
    return table;
}
