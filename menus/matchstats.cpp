// menus/matchstats.cpp: the rest of the world.
#include "menus/matchstats.h"

#include <algorithm>
#include <cstdio>

#include "game/gamestate.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

RestOfWorldState RestOfWorld;

namespace {

constexpr int32_t TEXT_CHOOSE_BUTTON = 1064;  // "Sélectionné parmi"
constexpr int32_t TEXT_COUNTRY_LAST = 2339;
constexpr int32_t BADGE_ICON_BASE = 105;
constexpr int32_t NO_BADGE_ICON = 2;
constexpr int32_t PAGE_ARROWS_ICON = 1297;
constexpr int32_t ROWS_X = 32;
constexpr int32_t ROWS_Y = 100;
constexpr int32_t ROW_PITCH = 26;
constexpr int32_t COLUMN_X[2] = {16, 320};  // the badges; the names 22 further

// Whether one of the first n choices is the value.
bool AmongChoices(uint16_t value, int32_t n)
{
    return std::find(RestOfWorld.choices, RestOfWorld.choices + n, value)
           != RestOfWorld.choices + n;
}

void FillChoices()
{
    const int32_t current = VTW_GetCountry();
    for (int32_t k = 0; k < WORLD_CHOICES - 1; ++k) {
        const int32_t country = k + 1 == current ? 0 : k + 1;
        RestOfWorld.choices[k] = static_cast<uint16_t>(country);
        RestOfWorld.choiceTexts[k] = static_cast<int16_t>(TEXT_COUNTRY_BASE + country);
    }
    RestOfWorld.choices[WORLD_CHOICES - 1] = WORLD_CHOICE_REST;
    RestOfWorld.choiceTexts[WORLD_CHOICES - 1] = TEXT_REST_OF_WORLD;
    if (!AmongChoices(RestOfWorld.chosen, WORLD_CHOICES))
        RestOfWorld.chosen = RestOfWorld.choices[0];
}

bool Shown(const WorldClubEntry& e)
{
    if (e.inUse == 0 || e.country == VTW_GetCountry()) return false;
    if (RestOfWorld.chosen == WORLD_CHOICE_REST) return !AmongChoices(e.country, WORLD_CHOICES - 1);
    return e.country == RestOfWorld.chosen;
}

void FillList()
{
    RestOfWorldState& w = RestOfWorld;
    std::fill(std::begin(w.list), std::end(w.list), int16_t{-1});
    w.count = 0;
    for (int32_t n = 0; n < TEAM_COUNT && w.count < WORLD_LIST_MAX; ++n) {
        if (Shown(WorldClubTable[n])) w.list[w.count++] = static_cast<int16_t>(n);
    }
    // Rounded up, so that the last few clubs of a country get a page of their own.
    w.pageCount = (w.count + WORLD_ROWS - 1) / WORLD_ROWS;
    if (w.firstPage < 0 || w.pageCount < w.firstPage + 2) w.firstPage = 0;
}

const char* CountryName(int32_t country)
{
    const int32_t text = TEXT_COUNTRY_BASE + country;
    return text <= TEXT_COUNTRY_LAST ? GetMessageText(text) : "";
}

void DrawCell(int32_t column, int32_t row)
{
    const int32_t x = ROWS_X + COLUMN_X[column];
    const int32_t middle = ROWS_Y + row * ROW_PITCH + ROW_PITCH / 2;
    const int32_t entry = RestOfWorld_EntryOfCell(column, row);
    if (entry < 0) {
        if (column == 1) DoIcon(x, middle, NO_BADGE_ICON, MENU_ALIGN_CENTRE);
        return;
    }
    DoIcon(x, middle, BADGE_ICON_BASE + entry, MENU_ALIGN_CENTRE);
    char text[96];
    std::snprintf(text, sizeof text, "%s (%s)", VTW_FormatClubName(entry),
                  CountryName(WorldClubTable[entry].country));
    DrawMenuString(x + 22, middle, text, MENU_ALIGN_ML);
}

void DrawCells(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    for (int32_t row = 0; row < WORLD_ROWS; ++row) {
        MenuCont_ShadedBox(ROWS_X, ROWS_Y + row * ROW_PITCH, 576, ROW_PITCH, row & 1);
        DrawCell(0, row);
        DrawCell(1, row);
    }
}

int32_t RightRows()
{
    int32_t n = 0;
    while (n < WORLD_ROWS && RestOfWorld_EntryOfCell(1, n) >= 0)
        ++n;
    return n;
}

void Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    RestOfWorld_Build();
    EXM_SetRowCount(RightRows());
}

int32_t LeftCell(MenuHotspot* hotspot) { return RestOfWorld_OpenCell(0, hotspot->row); }
int32_t RightCell(MenuHotspot* hotspot) { return RestOfWorld_OpenCell(1, hotspot->row); }
int32_t PageOn(MenuHotspot*) { return RestOfWorld_PageOn(); }
int32_t PageBack(MenuHotspot*) { return RestOfWorld_PageBack(); }
int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

int32_t Back(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

MenuListEntry* ChoicePopup();

int32_t ChoiceEntry(MenuListEntry* entry)
{
    return RestOfWorld_Choose(static_cast<int32_t>(entry - ChoicePopup() - 1));
}

MenuListEntry* ChoicePopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_CHOOSE_BUTTON),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[0], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[1], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[2], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[3], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[4], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[5], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[6], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[7], ChoiceEntry),
        MenuList_End(),
    };
    return popup;
}

}  // namespace

void MatchStatsInit() { RestOfWorld = {}; }
void MatchStatsUninit() { MatchStatsInit(); }

void RestOfWorld_Build()
{
    if (EXM_GetRebuildFlag() != 0) FillChoices();
    RestOfWorld.subtitle = static_cast<int16_t>(RestOfWorld.chosen == WORLD_CHOICE_REST
                                                    ? TEXT_REST_OF_WORLD
                                                    : TEXT_COUNTRY_BASE + RestOfWorld.chosen);
    FillList();
}

int32_t RestOfWorld_EntryOfCell(int32_t column, int32_t row)
{
    if (column < 0 || column > 1 || row < 0 || row >= WORLD_ROWS) return -1;
    const int32_t shown = (RestOfWorld.firstPage + column) * WORLD_ROWS + row;
    return shown < RestOfWorld.count ? RestOfWorld.list[shown] : -1;
}

int32_t RestOfWorld_PageOn()
{
    RestOfWorld.firstPage = static_cast<int16_t>(
        std::max(0, std::min(RestOfWorld.firstPage + 1, RestOfWorld.pageCount - 2)));
    return EXM_CODE_REDRAW;
}

int32_t RestOfWorld_PageBack()
{
    RestOfWorld.firstPage = static_cast<int16_t>(std::max(0, RestOfWorld.firstPage - 1));
    return EXM_CODE_REDRAW;
}

int32_t RestOfWorld_Choose(int32_t choice)
{
    if (choice < 0 || choice >= WORLD_CHOICES) return LIST_CODE_CLOSE;
    RestOfWorld.chosen = RestOfWorld.choices[choice];
    RestOfWorld.firstPage = 0;
    return LIST_CODE_REDRAW;
}

int32_t RestOfWorld_OpenCell(int32_t column, int32_t row)
{
    const int32_t entry = RestOfWorld_EntryOfCell(column, row);
    if (entry < 0) return 1;
    const uint16_t* map = World.clubMaps[VTW_GetCountry()];
    const uint16_t* club = std::find(map, map + CLUB_ID_COUNT, entry);
    const bool home = club != map + CLUB_ID_COUNT;
    GameState.currentClub = static_cast<int16_t>(home ? club - map : entry);
    ClubChangedFlag = home ? 0 : 1;
    MenuOption = MENU_OPTION_TO_SQUAD;
    return EXM_CODE_LEAVE;
}

const MenuItem* RestOfWorld_Table()
{
    static const MenuItem leftCell[] = {
        {0x1f, -6, -2, 274, ROW_PITCH, MenuNumber(-1), LeftCell},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem rightCell[] = {
        {0x1f, 306, -2, 274, ROW_PITCH, MenuNumber(-1), RightCell},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_REST_OF_WORLD), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x03, 320, 400, MENU_ALIGN_TL, 0, MenuNumber(PAGE_ARROWS_ICON), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x10, 320, 76, MENU_ALIGN_CENTRE, 0, MenuVariable(&RestOfWorld.subtitle), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawCells), nullptr},
        {0x21, ROWS_X, ROWS_Y, WORLD_ROWS, ROW_PITCH, MenuAddress(leftCell), nullptr},
        {0x21, ROWS_X, ROWS_Y, 0, ROW_PITCH, MenuAddress(rightCell), nullptr},
        {0x1f, 305, 405, 15, 30, MenuNumber(-1), PageBack},
        {0x1f, 320, 405, 15, 30, MenuNumber(-1), PageOn},
        {0x1f, 570, 440, 40, 40, MenuNumber(-1), Back},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 120, 440, 400, 30, MenuTextNo(TEXT_CHOOSE_BUTTON), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(ChoicePopup()), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
