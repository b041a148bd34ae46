// menus/menucont.cpp: the common header of the screens and the entries of its menu bar.
#include "menus/menucont.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "engine/debug.h"
#include "engine/options.h"
#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/kitcolours.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "menus/frontend.h"
#include "menus/gfxgen.h"
#include "menus/machine.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

char MenuContDateLine1[HEADER_DATE_BYTES];
char MenuContDateLine2[HEADER_DATE_BYTES];
int16_t MenuContHeaderClub;
uint16_t MenuContRestricted;
uint16_t MessageFilter;
char MenuContVolumeGauge[VOLUME_GAUGE_BYTES];

// clang-format off
const MenuOptionLabel MenuOption_TextNumber[39] = {
    {89, 50},    {0, 0xFFFF},   {1015, 0xFFFF}, {700, 3},      {29, 7},     {497, 21},
    {1314, 26},  {445, 23},     {294, 8},       {1216, 27},    {791, 43},   {1014, 52},
    {700, 3},    {252, 19},     {136, 9},       {1476, 34},    {791, 43},   {795, 35},
    {28, 44},    {888, 58},     {741, 0xFFFF},  {762, 0xFFFF}, {764, 0xFFFF}, {1817, 12},
    {1833, 68},  {1834, 69},    {1469, 45},     {157, 11},     {1681, 75},  {1682, 76},
    {167, 80},   {79, 13},      {423, 70},      {426, 0xFFFF}, {427, 0xFFFF}, {833, 0xFFFF},
    {834, 0xFFFF}, {1050, 83},  {0, 0},
};
// clang-format on

namespace {

constexpr int32_t WEEKDAY_TEXT = 2;
constexpr int32_t MONTH_TEXT = 9;
constexpr int32_t VOLUME_MAX = 10;
constexpr int32_t OPTION_LOAD = 49;
constexpr int32_t OPTION_SAVE = 50;
constexpr int32_t LAST_SEASON_DAY = 366;
constexpr int32_t HEADER_FONT = 1;
constexpr int32_t HEADER_TITLE_FONT = 2;
constexpr int32_t HEADER_NAME_X = HEADER_TEXT_LEFT;
constexpr int32_t HEADER_NAME_Y = 36;
constexpr int32_t HEADER_NAME_GAP = 12;
constexpr uint16_t EMBLEM_FRAME_TICKS = 0xFFFF;  // drawn at the build; nothing animates

constexpr int16_t RESTRICTED_LABELS[] = {TEXT_QUIT, TEXT_VOLUME_UP, TEXT_VOLUME_DOWN, 1050, 741,
                                         762};

// The bar's entries: selectable text numbers under three titles.
constexpr int16_t FILE_ENTRIES[] = {
    89,   TEXT_QUIT,     TEXT_EXPORT_TEAM, TEXT_DIVISION_MESSAGES, TEXT_ALL_MESSAGES,
    1050, TEXT_VOLUME_UP};
constexpr int32_t TEXT_STATISTICS = 167;
constexpr int32_t TEXT_PLAYER_SEARCH = 252;
constexpr int32_t TEXT_SQUAD_ANALYSIS = 497;
constexpr int32_t TEXT_TACTICS_EDITOR = 1314;
constexpr int16_t CLUB_ENTRIES[] = {700,
                                    29,
                                    TEXT_SQUAD_ANALYSIS,
                                    TEXT_STATISTICS,
                                    TEXT_TACTICS_EDITOR,
                                    TEXT_TRAINING,
                                    294,
                                    1216,
                                    791,
                                    423,
                                    79};
constexpr int16_t GENERAL_ENTRIES[] = {700, 252,  136,  1476, 1682, 791,  795, 28,
                                       888, 1817, 1833, 1834, 1681, 1469, 157};
constexpr int32_t BAR_ENTRY_COUNT =
    3 + std::size(FILE_ENTRIES) + 2 + std::size(CLUB_ENTRIES) + std::size(GENERAL_ENTRIES) + 1;

MenuListEntry TitleEntry(const char* text, MenuListPrepare prepare)
{
    return {
        LIST_TITLE_STRING, 0,      {-1, -1, -1, -1}, {0, 0}, reinterpret_cast<std::intptr_t>(text),
        nullptr,           prepare};
}

MenuListEntry Selectable(int16_t textNo)
{
    return {LIST_ENTRY_TEXT_NO,  LIST_ENABLED, {0, 0, 0, 0}, {0, 0}, textNo,
            MenuCont_BarHandler, nullptr};
}

MenuListEntry Line(const char* text)
{
    return {LIST_LINE_STRING, 0,      {0, 0, 0, 0}, {0, 0}, reinterpret_cast<std::intptr_t>(text),
            nullptr,          nullptr};
}

template <size_t N>
MenuListEntry* AddEntries(MenuListEntry* at, const int16_t (&labels)[N])
{
    for (const int16_t label : labels) {
        *at++ = Selectable(label);
    }
    return at;
}

void BuildBar(MenuListEntry* bar)
{
    MenuListEntry* at = bar;
    *at++ = TitleEntry("Fichier", MenuCont_PrepareBar);
    at = AddEntries(at, FILE_ENTRIES);
    *at++ = Line(MenuContVolumeGauge);
    *at++ = Selectable(TEXT_VOLUME_DOWN);
    *at++ = TitleEntry("Menus des clubs", nullptr);
    at = AddEntries(at, CLUB_ENTRIES);
    *at++ = TitleEntry("Menus g\xE9n\xE9raux", nullptr);
    at = AddEntries(at, GENERAL_ENTRIES);
    *at = {LIST_END, 0, {0, 0, 0, 0}, {0, 0}, 0, nullptr, nullptr};
}

MenuListEntry s_bar[BAR_ENTRY_COUNT];

bool Restricted(int32_t label)
{
    return std::find(std::begin(RESTRICTED_LABELS), std::end(RESTRICTED_LABELS), label)
           != std::end(RESTRICTED_LABELS);
}

// Training is booked only with a post and the clause, and before the training day or once the
// season's days have run out.
bool TrainingOpen()
{
    const int32_t today = VTW_GetCurrentDay();
    return FrontEnd_HumanHasPost() && VTW_GetClubTrainingClause(GameState.currentClub) != 0
           && (today < GameState.trainingDay || today > LAST_SEASON_DAY);
}

bool Enabled(int32_t label)
{
    if (MenuContRestricted != 0) return Restricted(label);
    if (label == TEXT_TRAINING) return TrainingOpen();
    // A manager without a post has no squad to show, nor a club to search for.
    if (label == TEXT_STATISTICS || label == TEXT_PLAYER_SEARCH || label == TEXT_SQUAD_ANALYSIS
        || label == TEXT_TACTICS_EDITOR)
        return FrontEnd_HumanHasPost();
    return true;
}

int32_t CurrentOptionForBar() { return MenuOption == OPTION_LOAD ? OPTION_SAVE : MenuOption; }

void ChangeVolume(int32_t step)
{
    Options.menuVolume = static_cast<int16_t>(std::clamp(Options.menuVolume + step, 0, VOLUME_MAX));
    MenuCont_VolumeGauge();
}

int32_t AskToQuit()
{
    if (DoQuestionBox(GetMessageText(TEXT_REALLY_QUIT), 0, MenuYesNoButtons) != 0)
        return LIST_CODE_REDRAW;
    MenuOption = MENU_OPTION_QUIT;
    return LIST_CODE_LEAVE;
}

int32_t MenuCont_ExportTeam()
{
    if (SaveTeamFile() != 0) DoMessageBox(GetMessageText(TEXT_EXPORT_FAILED), 0);
    return LIST_CODE_REDRAW;
}

int32_t ActSpecial(int32_t label)
{
    switch (label) {
        case TEXT_QUIT: return AskToQuit();
        case TEXT_EXPORT_TEAM: return MenuCont_ExportTeam();
        case TEXT_DIVISION_MESSAGES: MessageFilter = 0; return LIST_CODE_CLOSE_QUIET;
        case TEXT_ALL_MESSAGES: MessageFilter = 1; return LIST_CODE_CLOSE_QUIET;
        case TEXT_VOLUME_UP: ChangeVolume(1); return LIST_CODE_KEEP;
        case TEXT_VOLUME_DOWN: ChangeVolume(-1); return LIST_CODE_KEEP;
        default: return LIST_CODE_KEEP;
    }
}

}  // namespace

MenuListEntry* MenuCont_BarDescription()
{
    if (s_bar[0].type == 0) BuildBar(s_bar);
    return s_bar;
}

const MenuItem* MenuCont_HeaderTable()
{
    static const MenuCallbackFrames emblem = {EMBLEM_FRAME_TICKS, 1,
                                              [](int32_t x, int32_t y, int32_t w, int32_t h,
                                                 int32_t) { MenuCont_DrawEmblem(x, y, w, h); }};
    static const MenuItem header[] = {
        {0x0d, 0, 0, 0, 0, MenuNumber(HEADER_FONT), nullptr},
        {0x11, 604, 34, 15, 0, MenuString(MenuContDateLine1), nullptr},
        {0x11, 604, 30, 7, 0, MenuString(MenuContDateLine2), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x2008, 0, 0, 0, 0, MenuAddress(MenuCont_BarDescription()), nullptr},
        {0x42, 24, 12, 52, 52, MenuAddress(&emblem), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return header;
}

void MenuContInit()
{
    // The bar's flags change as it is prepared and used: a restricted screen's disabled entries
    // must not outlive it.
    BuildBar(s_bar);
    MenuContDateLine1[0] = '\0';
    MenuContDateLine2[0] = '\0';
    MenuContHeaderClub = -1;
    MenuContRestricted = 0;
    MessageFilter = 0;
    MenuCont_VolumeGauge();
}

void MenuContUninit() { MenuContInit(); }

int32_t MenuCont_ToOffice(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

int32_t MenuCont_EscapeToOffice() { return MenuCont_ToOffice(nullptr); }

void MenuCont_FormatTitle(int32_t flags)
{
    MenuContDateLine1[0] = '\0';
    MenuContDateLine2[0] = '\0';
    if ((flags & HEADER_DATE) != 0) {
        std::snprintf(MenuContDateLine1, sizeof MenuContDateLine1, "%s %d",
                      GetMessageText(WEEKDAY_TEXT + VTW_GetWeekday()), VTW_GetDayOfMonth());
        std::snprintf(MenuContDateLine2, sizeof MenuContDateLine2, "%s %d",
                      GetMessageText(MONTH_TEXT + VTW_GetMonth()), VTW_GetYear());
    }
    MenuContHeaderClub =
        (flags & HEADER_CLUB) != 0 ? static_cast<int16_t>(VTW_GetTeam(GameState.currentClub)) : -1;
    MenuContRestricted = (flags & HEADER_RESTRICTED) != 0 ? 1 : 0;
}

void MenuCont_SetEmblemClub(int32_t club) { MenuContHeaderClub = static_cast<int16_t>(club); }

void MenuCont_DrawHeaderTitle(int32_t x, int32_t y, const char* title, int32_t font)
{
    const int32_t room = 2 * std::min(x - HEADER_TEXT_LEFT, HEADER_TEXT_RIGHT - x);
    DrawMenuStringInRoom(x, y, title, MENU_ALIGN_CENTRE, room, font, 0);
}

void MenuCont_DrawHeaderName(const char* name, int32_t titleTextNo, int32_t titleX,
                             int32_t titleAlignment)
{
    SetMenuFont(HEADER_TITLE_FONT);
    int32_t titleW = 0, h = 0, titleY = HEADER_NAME_Y;
    GetTextExtent(GetMessageText(titleTextNo), &titleW, &h);
    AlignPoint(&titleX, &titleY, titleW, h, titleAlignment);
    const int32_t room = titleX - HEADER_NAME_GAP - HEADER_NAME_X;
    SetDrawAttribute(1, 0);
    DrawMenuStringInRoom(HEADER_NAME_X, HEADER_NAME_Y, name, MENU_ALIGN_ML, room, HEADER_TITLE_FONT,
                         0);
    SetMenuFont(HEADER_TITLE_FONT);
}

int32_t MenuCont_KitColour1(int32_t club)
{
    const KitDesign* kit = Club_GetKitDesign(club, 0);
    return kit != nullptr ? kit->colours[0][0] : 0;
}

int32_t MenuCont_KitColour2(int32_t club)
{
    const KitDesign* kit = Club_GetKitDesign(club, 0);
    return kit != nullptr ? kit->colours[0][1] : 0;
}

void MenuCont_DrawEmblem(int32_t x, int32_t y, int32_t, int32_t)
{
    if (MenuContHeaderClub == -1) return;
    const int32_t club = GameState.currentClub;
    const KitColour& first = KitColourTable[MenuCont_KitColour1(club)];
    const KitColour& second = KitColourTable[MenuCont_KitColour2(club)];
    GfxGen_SetColourRamp(0, first.r, first.g, first.b);
    GfxGen_SetColourRamp(1, second.r, second.g, second.b);
    GfxGen_Draw(GFXGEN_BALL, x, y);
}

void MenuCont_OutlineBox(int32_t x, int32_t y, int32_t width, int32_t height)
{
    SetDrawAttribute(2, 0);
    DrawBoxOutline(x, y, width, height);
}

void MenuCont_ShadedBox(int32_t x, int32_t y, int32_t width, int32_t height, int32_t flags)
{
    SetDrawAttribute(2, 0);
    DoShadedBox(x, y, width, height, (flags & 1) != 0 ? 25 : 50);
}

int32_t MenuCont_TurnPage(int16_t* first, int32_t count, int32_t rows, int32_t direction)
{
    const int32_t last = std::max(0, count - rows);
    const int32_t turned = std::clamp(*first + direction * rows, 0, last);
    if (turned == *first) return 1;
    *first = static_cast<int16_t>(turned);
    return 2;
}

int32_t MenuCont_OptionOfLabel(int32_t label)
{
    for (const MenuOptionLabel& pair : MenuOption_TextNumber) {
        if (pair.label == 0 && pair.option == 0) break;
        if (pair.label == label) return pair.option;
    }
    return -1;
}

void MenuCont_PrepareBar(MenuListRecord* record)
{
    auto* description = reinterpret_cast<MenuListEntry*>(record->subject);
    for (MenuListEntry* e = description; e->type != LIST_END; ++e) {
        if (e->type != LIST_ENTRY_TEXT_NO && e->type != LIST_ENTRY_TEXT_NO_VAR) continue;
        const int32_t label = MenuList_LabelTextNo(*e);
        const bool enabled =
            Enabled(label) && MenuCont_OptionOfLabel(label) != CurrentOptionForBar();
        e->flags = static_cast<uint16_t>(enabled ? LIST_ENABLED : 0);
        if ((label == TEXT_DIVISION_MESSAGES && MessageFilter == 0)
            || (label == TEXT_ALL_MESSAGES && MessageFilter == 1))
            e->flags |= LIST_CHECKED;
    }
}

int32_t MenuCont_BarHandler(MenuListEntry* entry)
{
    const int32_t label = MenuList_LabelTextNo(*entry);
    const int32_t option = MenuCont_OptionOfLabel(label);
    if (option < 0) {
        DebugPrintf(DBG_GENERAL, 0,
                    "menus\\menucont : Well done - You seem to have picked a menu item thats not "
                    "listed in MenuOption_TextNumber[][] - Have you updated it?\n");
        return LIST_CODE_KEEP;
    }
    if ((entry->flags & LIST_ENABLED) == 0) return LIST_CODE_KEEP;
    if (option == MENU_OPTION_SPECIAL) return ActSpecial(label);
    if (option == MenuOption) return LIST_CODE_KEEP;
    MenuOption = static_cast<int16_t>(option);
    return LIST_CODE_LEAVE;
}

void MenuCont_VolumeGauge()
{
    for (int32_t step = 0; step < VOLUME_STEPS; ++step) {
        MenuContVolumeGauge[2 * step] = ' ';
        MenuContVolumeGauge[2 * step + 1] = step == Options.menuVolume ? '|' : '.';
    }
    MenuContVolumeGauge[2 * VOLUME_STEPS] = '\0';
}
