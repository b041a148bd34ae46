// menus/playerstats.cpp: the player statistics screen.
#include "menus/playerstats.h"

#include <algorithm>
#include <iterator>

#include "engine/fatal.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"

StatsScreenState StatsScreen;

namespace {

constexpr int16_t OPTION_STATISTICS = 80;
constexpr int16_t OPTION_ANALYSIS = 21;
constexpr int32_t TEXT_TITLE = 167;
constexpr int32_t TEXT_SQUAD = 453;
constexpr int32_t TEXT_ANALYSIS = 497;
constexpr int32_t TEXT_DISPLAY = 898;
constexpr int32_t TEXT_ASSIGN = 1815;
constexpr int32_t TEXT_SORT = 535;
constexpr int32_t SHORT_NAME_OFFSET = 434;  // an attribute's short name: its text + 434
constexpr uint16_t CRITERION_LINE = 6;
constexpr uint16_t CRITERION_SHIRT = 25;
constexpr uint16_t CRITERION_ID = 0;
constexpr int32_t SHIRT_ONE = 1;
constexpr int32_t LINE_ICON_BASE = 89;  // keeper, defender, midfielder, forward
constexpr int32_t CAPTAIN_ICON = 101;
constexpr int32_t PENALTY_ICON = 1427;
constexpr int32_t CORNER_ICON = 1428;
constexpr int32_t FREE_KICK_ICON = 1429;
constexpr int32_t SHORTLIST_ICON = 1363;
constexpr int32_t OWN_CLUB_ICON = 1364;

constexpr int32_t ROW_X = 32;
constexpr int32_t ROWS_TOP = 96;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t ROW_W = 592;
constexpr int32_t NAME_X = ROW_X + 50;
constexpr int32_t MARKERS_END = ROW_X + 176;  // the foot text follows at ROW_X + 180
constexpr int32_t MARKER_GAP = 1;
constexpr int32_t NAME_GAP = 4;  // a long name is cut this far short of the markers
constexpr int32_t HEADS_TOP = 74;
constexpr int32_t GENERAL_HEAD_X = 228;
constexpr int32_t ATTRIBUTE_HEAD_X = 266;
constexpr int32_t COLUMN_W = 38;

constexpr int32_t COLOUR_NORMAL = 0;
constexpr int32_t COLOUR_SELECTED = 8;

struct Attribute {
    int16_t textNo;
    uint16_t criterion;  // of the shared player ordering
};
constexpr Attribute kAttributes[STATS_ATTRIBUTES] = {
    {44, 10}, {45, 11}, {43, 9},  {42, 8},  {46, 12}, {41, 7},  {47, 13}, {58, 24}, {48, 14},
    {49, 15}, {52, 18}, {50, 16}, {51, 17}, {53, 19}, {54, 20}, {55, 21}, {56, 22}, {57, 23},
};
constexpr int8_t kInitialColumns[STATS_ATTRIBUTE_COLUMNS] = {2, 3, 0, 1, 9, 10, 6, 4, 17};

struct General {
    int16_t textNo;
    int16_t shortName;
};
constexpr General kGenerals[STATS_GENERALS] = {
    {62, 1876},  {64, 683},   {239, 2238}, {61, 61},     {243, 692},
    {244, 2239}, {245, 2242}, {246, 2243}, {1092, 1509}, {1870, 1878},
};

// The heads' labels, for the buttons that read them from variables.
int16_t s_heads[1 + STATS_ATTRIBUTE_COLUMNS];
int32_t s_popupColumn;  // the attribute column whose drop-down is open
int16_t s_clubName;

// ---------------------------------------------------------------------------------------------
// The list.

void Append(int32_t player)
{
    if (StatsScreen.length >= STATS_LIST_MAX) return;
    const int16_t* end = StatsScreen.list + StatsScreen.length;
    if (std::find(static_cast<const int16_t*>(StatsScreen.list), end, player) != end) return;
    StatsScreen.list[StatsScreen.length++] = static_cast<int16_t>(player);
}

void AppendSquad(int32_t club)
{
    VTW_RefreshSquadCount(club);
    for (int32_t i = 0; i < SQUAD_MAX && SquadList.players[i] >= 0; ++i) {
        Append(SquadList.players[i]);
    }
}

void TakeList()
{
    StatsScreen.length = 0;
    if (StatsScreen.club < 0) return;  // a manager without a post has no squad to show
    AppendSquad(StatsScreen.club);
    if (StatsScreen.showOpponent) {
        const int32_t opponent = VTW_GetNextOpponent(StatsScreen.club);
        if (opponent < 0) {
            StatsScreen.showOpponent = false;
        } else {
            AppendSquad(opponent);
            VTW_RefreshSquadCount(StatsScreen.club);  // the squad list stays the human's
        }
    }
    if (StatsScreen.showShortlist) {
        for (int32_t player = 0; player < FullPlayerCount; ++player) {
            if (ShortList_Contains(player) != 0) Append(player);
        }
    }
}

void SortList()
{
    const uint16_t key = StatsScreen.sortKey;
    if (StatsScreen.byCategory) {
        PickList5_Set(CRITERION_LINE, key, CRITERION_SHIRT, CRITERION_ID, PICKLIST_NO_KEY);
    } else {
        PickList5_Set(key, CRITERION_SHIRT, CRITERION_ID, PICKLIST_NO_KEY, PICKLIST_NO_KEY);
    }
    std::stable_sort(StatsScreen.list, StatsScreen.list + StatsScreen.length, PlayerList_Before);
}

int32_t LastFirstRow() { return std::max(0, StatsScreen.length - STATS_ROWS); }

// ---------------------------------------------------------------------------------------------
// The roles.

bool OwnPlayer(int32_t player) { return Squad_IsMember(player, StatsScreen.club); }

int32_t RoleHolder(uint8_t role)
{
    const ClubRecord* record = Club_GetRecordAddress(StatsScreen.club);
    if (record == nullptr) return -1;
    switch (role) {
        case STATS_ASSIGN_PENALTY: return record->penaltyTaker;
        case STATS_ASSIGN_FREE_KICK: return record->freeKickTaker;
        default: return record->cornerTaker;
    }
}

void SetRoleHolder(uint8_t role, int32_t player)
{
    switch (role) {
        case STATS_ASSIGN_PENALTY: VTW_SetClubPenaltyTaker(StatsScreen.club, player); break;
        case STATS_ASSIGN_FREE_KICK: VTW_SetClubFreeKickTaker(StatsScreen.club, player); break;
        default: VTW_SetClubCornerTaker(StatsScreen.club, player); break;
    }
}

constexpr uint8_t kTakerModes[] = {STATS_ASSIGN_FREE_KICK, STATS_ASSIGN_CORNER,
                                   STATS_ASSIGN_PENALTY};

// The modes that are on give the player their roles; a taker is never the man in shirt 1, so
// those modes wait for another player. True when any was given.
bool Assign(int32_t player)
{
    const uint8_t before = StatsScreen.assign;
    for (const uint8_t mode : kTakerModes) {
        if ((StatsScreen.assign & mode) == 0 || VTW_GetPlayerShirt(player) == SHIRT_ONE) continue;
        SetRoleHolder(mode, player);
        StatsScreen.assign &= static_cast<uint8_t>(~mode);
    }
    if ((StatsScreen.assign & STATS_ASSIGN_CAPTAIN) != 0) {
        VTW_ClearSquadCaptains(StatsScreen.club, 1);
        VTW_SetClubCaptain(player);
        StatsScreen.assign &= static_cast<uint8_t>(~STATS_ASSIGN_CAPTAIN);
    }
    return StatsScreen.assign != before;
}

// ---------------------------------------------------------------------------------------------
// The rows.

int32_t RowColour(int32_t player)
{
    if (player == StatsScreen.selection) return COLOUR_SELECTED;
    return VTW_GetPlayerAvailability(player);
}

void DrawValue(int32_t x, int32_t middle, int32_t value)
{
    if (value != STATS_NO_VALUE) DrawMenuNumber(x, middle, value, MENU_ALIGN_CENTRE);
}

// Role and list markers, right to left from the end of the name's field, each beside the last
// (the captain's badge is wider than the round markers); answers where the leftmost begins.
int32_t DrawMarkers(int32_t middle, int32_t player)
{
    const bool own = OwnPlayer(player);
    const int32_t markers[][2] = {
        {own && VTW_GetPlayerCaptain(player) != 0, CAPTAIN_ICON},
        {own && RoleHolder(STATS_ASSIGN_PENALTY) == player, PENALTY_ICON},
        {own && RoleHolder(STATS_ASSIGN_CORNER) == player, CORNER_ICON},
        {own && RoleHolder(STATS_ASSIGN_FREE_KICK) == player, FREE_KICK_ICON},
        {ShortList_Contains(player) != 0, SHORTLIST_ICON},
        {own, OWN_CLUB_ICON},
    };
    int32_t x = MARKERS_END;
    for (const auto& marker : markers) {
        if (marker[0] == 0) continue;
        int32_t w, h;
        DoIcon(x, middle, marker[1], MENU_ALIGN_MR);
        x -= GetScaledIconSize(marker[1], &w, &h) + MARKER_GAP;
    }
    return x;
}

int32_t ClickShirt(MenuHotspot* hotspot)
{
    return StatsScreen_ClickShirt(static_cast<int32_t>(hotspot->value));
}

int32_t OpenCard(MenuHotspot* hotspot)
{
    CurrentPlayer = StatsScreen.list[hotspot->value];
    CardReturnOption = OPTION_STATISTICS;
    MenuOption = MENU_OPTION_PLAYER_CARD;
    return EXM_CODE_LEAVE;
}

void DrawPlayer(int32_t y, int32_t index)
{
    const int32_t player = StatsScreen.list[index];
    const int32_t middle = y + ROW_PITCH / 2;
    SetDrawAttribute(1, COLOUR_NORMAL);
    // The line's icon marks the position: its name would not fit before the shirt number.
    DoIcon(ROW_X + 2, middle, LINE_ICON_BASE + VTW_GetPositionType(player), MENU_ALIGN_ML);
    if (const int32_t status = VTW_GetPlayerStatusText(player); status != 0)
        DoIcon(ROW_X + 20, middle, status, MENU_ALIGN_ML);
    const int32_t shirt = VTW_GetPlayerShirt(player);
    if (shirt != 0 && OwnPlayer(player)) DrawMenuNumber(ROW_X + 44, middle, shirt, MENU_ALIGN_MR);
    const int32_t markersLeft = DrawMarkers(middle, player);
    SetDrawAttribute(1, RowColour(player));
    DrawMenuString(NAME_X, middle,
                   FitMenuText(VTW_FormatPersonName(player), markersLeft - NAME_GAP - NAME_X),
                   MENU_ALIGN_ML);
    SetDrawAttribute(1, COLOUR_NORMAL);
    if (const int32_t side = VTW_GetPlayerSide(player); side >= 1 && side <= 3)
        DrawMenuMessage(ROW_X + 180, middle, 35 + side, MENU_ALIGN_ML);
    DrawValue(GENERAL_HEAD_X + COLUMN_W / 2, middle,
              DisplaySort(player, kGenerals[StatsScreen.general].textNo));
    for (int32_t k = 0; k < STATS_ATTRIBUTE_COLUMNS; ++k) {
        const int32_t textNo = kAttributes[StatsScreen.columns[k]].textNo;
        const int32_t value = StatsScreen_AttributeValue(player, textNo);
        SetDrawAttribute(1, StatsScreen_AttributeColour(value));
        DrawValue(ATTRIBUTE_HEAD_X + COLUMN_W * k + COLUMN_W / 2, middle, value);
    }
    SetDrawAttribute(1, COLOUR_NORMAL);
    EXM_AddHotspot(ROW_X + 10, y, 40, 22, -1, MENU_ALIGN_TL, -1, index, index, index, ClickShirt, 0,
                   HOTSPOT_PLAIN);
    EXM_AddHotspot(NAME_X, y, 130, 22, -1, MENU_ALIGN_TL, -1, index, index, index, OpenCard, 0,
                   HOTSPOT_PLAIN);
}

void DrawRows(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    for (int32_t row = 0; row < STATS_ROWS; ++row) {
        const int32_t y = ROWS_TOP + row * ROW_PITCH;
        MenuCont_ShadedBox(ROW_X, y, ROW_W, ROW_PITCH, row & 1);
        const int32_t index = StatsScreen.firstRow + row;
        if (index < StatsScreen.length) DrawPlayer(y, index);
    }
    DoIcon(24, 436, MENU_ICON_ARROWS, MENU_ALIGN_TL);
}

// ---------------------------------------------------------------------------------------------
// The buttons and drop-downs.

int32_t Back(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}
int32_t ToSquad(MenuHotspot*)
{
    MenuOption = MENU_OPTION_SQUAD;
    return EXM_CODE_LEAVE;
}
int32_t ToAnalysis(MenuHotspot*)
{
    MenuOption = OPTION_ANALYSIS;
    return EXM_CODE_LEAVE;
}
int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }
int32_t ScrollUp(MenuHotspot*) { return StatsScreen_ScrollUp(); }
int32_t ScrollDown(MenuHotspot*) { return StatsScreen_ScrollDown(); }

void Tick(MenuListEntry* entry, bool on)
{
    entry->flags = static_cast<uint16_t>((entry->flags & ~LIST_CHECKED) | (on ? LIST_CHECKED : 0));
}

int32_t SortEntry(MenuListEntry*)
{
    StatsScreen_Sort(s_popupColumn);
    return LIST_CODE_REDRAW;
}

int32_t AttributeEntry(MenuListEntry* entry)
{
    StatsScreen_ChooseAttribute(s_popupColumn, entry->spare[0]);
    return LIST_CODE_REDRAW;
}

int32_t GeneralEntry(MenuListEntry* entry)
{
    StatsScreen.general = static_cast<int8_t>(entry->spare[0]);
    return LIST_CODE_REDRAW;
}

int32_t ToggleEntry(MenuListEntry* entry)
{
    bool* flags[] = {&StatsScreen.byCategory, &StatsScreen.showOpponent,
                     &StatsScreen.showShortlist};
    bool& flag = *flags[entry->spare[0]];
    flag = !flag;
    return LIST_CODE_REDRAW;
}

int32_t AssignEntry(MenuListEntry* entry)
{
    StatsScreen.assign ^= static_cast<uint8_t>(entry->spare[0]);
    return LIST_CODE_REDRAW;
}

void PrepareAttributes(MenuListRecord* record)
{
    const auto* hotspot = reinterpret_cast<const MenuHotspot*>(record->subject);
    if (hotspot != nullptr) {
        s_popupColumn =
            std::clamp((hotspot->x - ATTRIBUTE_HEAD_X) / COLUMN_W, 0, STATS_ATTRIBUTE_COLUMNS - 1);
    }
    MenuListEntry* popup = StatsScreen_AttributePopup();
    const int8_t shown = StatsScreen.columns[s_popupColumn];
    Tick(&popup[1], StatsScreen.sortKey == kAttributes[shown].criterion);
    for (int32_t a = 0; a < STATS_ATTRIBUTES; ++a) {
        const int8_t* end = std::end(StatsScreen.columns);
        Tick(&popup[2 + a],
             std::find(static_cast<const int8_t*>(StatsScreen.columns), end, a) != end);
    }
}

void PrepareGeneral(MenuListRecord*)
{
    MenuListEntry* popup = StatsScreen_GeneralPopup();
    for (int32_t g = 0; g < STATS_GENERALS; ++g) {
        Tick(&popup[1 + g], g == StatsScreen.general);
    }
}

void PrepareDisplay(MenuListRecord*)
{
    MenuListEntry* popup = StatsScreen_DisplayPopup();
    Tick(&popup[1], StatsScreen.byCategory);
    Tick(&popup[2], StatsScreen.showOpponent);
    Tick(&popup[3], StatsScreen.showShortlist);
}

void PrepareAssign(MenuListRecord*)
{
    MenuListEntry* popup = StatsScreen_AssignPopup();
    for (int32_t i = 1; i <= 4; ++i) {
        Tick(&popup[i], (StatsScreen.assign & popup[i].spare[0]) != 0);
    }
}

MenuListEntry AttributeListEntry(int32_t a)
{
    return MenuList_Entry(kAttributes[a].textNo, AttributeEntry, static_cast<int16_t>(a));
}

MenuListEntry GeneralListEntry(int32_t g)
{
    return MenuList_Entry(kGenerals[g].textNo, GeneralEntry, static_cast<int16_t>(g));
}

// The club's name left of the title, in the header's room.
void DrawHeaderName(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderName(GetMessageText(s_clubName), TEXT_TITLE);
}

}  // namespace

void StatsScreenInit()
{
    StatsScreen = {};
    std::copy(std::begin(kInitialColumns), std::end(kInitialColumns), StatsScreen.columns);
    StatsScreen.sortKey = PICKLIST_NO_KEY;
    StatsScreen.selection = -1;
    StatsScreen.club = -1;
    s_popupColumn = 0;
}

void StatsScreenUninit() { StatsScreenInit(); }

void StatsScreen_Init()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) {
        StatsScreen.club = VTW_GetClubOfManager(MANAGER_HUMAN);
        StatsScreen.showOpponent = false;
        StatsScreen.showShortlist = false;
        StatsScreen.assign = 0;
        StatsScreen.selection = -1;
    }
    TakeList();
    SortList();
    StatsScreen.firstRow =
        static_cast<int16_t>(std::min<int32_t>(StatsScreen.firstRow, LastFirstRow()));
    s_clubName = static_cast<int16_t>(
        StatsScreen.club < 0 ? -1 : VTW_ClubNameTextNo(VTW_GetTeam(StatsScreen.club)));
    s_heads[0] = kGenerals[StatsScreen.general].shortName;
    for (int32_t k = 0; k < STATS_ATTRIBUTE_COLUMNS; ++k) {
        s_heads[1 + k] =
            static_cast<int16_t>(kAttributes[StatsScreen.columns[k]].textNo + SHORT_NAME_OFFSET);
    }
}

int32_t StatsScreen_AttributeValue(int32_t player, int32_t textNo)
{
    if (textNo >= 41 && textNo <= 48) return VTW_GetAbilityStat(player, textNo - 41);
    if (textNo >= 49 && textNo <= 55) return VTW_GetPhysicalStat(player, textNo - 41);
    switch (textNo) {
        case 56: return VTW_GetPersonalityStat(player, 15);
        case 57: return VTW_GetPersonalityStat(player, 19);
        case 58: return VTW_GetPersonalityStat(player, 20);
        default: return STATS_NO_VALUE;
    }
}

int32_t DisplaySort(int32_t player, int32_t textNo)
{
    switch (textNo) {
        case 62: return VTW_GetPlayerApps(player);
        case 64:
            return VTW_GetPositionType(player) == 0 ? STATS_NO_VALUE : VTW_GetPlayerGoals(player);
        case 239: return VTW_GetPlayerContract(player);
        case 61: return VTW_GetPlayerAge(player);
        case 243: return VTW_GetPlayerPerf(player);
        case 244: return VTW_GetPlayerMoralePercent(player);
        case 245: return VTW_GetPlayerFitnessPercent(player);
        case 246: return VTW_GetPlayerFatiguePercent(player);
        case 1092: return VTW_GetPlayerExperiencePercent(player);
        case 1870: return VTW_GetPlayerMatchRating(player);
        case 247: return VTW_GetPlayerDisciplinePoints(player);
        default: FatalAbort("playerstats", __LINE__, "DisplaySort() SortByType Invaild Value");
    }
}

int32_t StatsScreen_AttributeColour(int32_t value)
{
    if (value >= 91) return 6;
    if (value >= 76) return 12;
    if (value >= 31) return COLOUR_NORMAL;
    if (value >= 16) return 16;
    return 4;
}

int32_t StatsScreen_Sort(int32_t column)
{
    const uint16_t criterion = kAttributes[StatsScreen.columns[column]].criterion;
    StatsScreen.sortKey = StatsScreen.sortKey == criterion ? PICKLIST_NO_KEY : criterion;
    return EXM_CODE_REDRAW;
}

void StatsScreen_ChooseAttribute(int32_t column, int32_t attribute)
{
    StatsScreen.columns[column] = static_cast<int8_t>(attribute);
    StatsScreen.sortKey = PICKLIST_NO_KEY;
}

int32_t StatsScreen_ClickShirt(int32_t index)
{
    if (index < 0 || index >= StatsScreen.length) return 1;
    const int32_t player = StatsScreen.list[index];
    if (!OwnPlayer(player)) return 1;
    if (Assign(player)) return EXM_CODE_REDRAW;
    if (StatsScreen.selection < 0) {
        StatsScreen.selection = static_cast<int16_t>(player);
        return EXM_CODE_REDRAW;
    }
    if (StatsScreen.selection != player)
        Squad_ExchangeShirts(StatsScreen.club, StatsScreen.selection, player);
    StatsScreen.selection = -1;
    return EXM_CODE_REDRAW;
}

int32_t StatsScreen_ScrollUp()
{
    if (StatsScreen.firstRow == 0) return 1;
    --StatsScreen.firstRow;
    return EXM_CODE_REDRAW;
}

int32_t StatsScreen_ScrollDown()
{
    if (StatsScreen.firstRow + STATS_ROWS >= StatsScreen.length) return 1;
    ++StatsScreen.firstRow;
    return EXM_CODE_REDRAW;
}

MenuListEntry* StatsScreen_AttributePopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_TITLE, PrepareAttributes),
        MenuList_Entry(TEXT_SORT, SortEntry),
        AttributeListEntry(0),
        AttributeListEntry(1),
        AttributeListEntry(2),
        AttributeListEntry(3),
        AttributeListEntry(4),
        AttributeListEntry(5),
        AttributeListEntry(6),
        AttributeListEntry(7),
        AttributeListEntry(8),
        AttributeListEntry(9),
        AttributeListEntry(10),
        AttributeListEntry(11),
        AttributeListEntry(12),
        AttributeListEntry(13),
        AttributeListEntry(14),
        AttributeListEntry(15),
        AttributeListEntry(16),
        AttributeListEntry(17),
        MenuList_End(),
    };
    static_assert(std::size(popup) == 2 + STATS_ATTRIBUTES + 1);
    return popup;
}

MenuListEntry* StatsScreen_GeneralPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_TITLE, PrepareGeneral),
        GeneralListEntry(0),
        GeneralListEntry(1),
        GeneralListEntry(2),
        GeneralListEntry(3),
        GeneralListEntry(4),
        GeneralListEntry(5),
        GeneralListEntry(6),
        GeneralListEntry(7),
        GeneralListEntry(8),
        GeneralListEntry(9),
        MenuList_End(),
    };
    static_assert(std::size(popup) == 1 + STATS_GENERALS + 1);
    return popup;
}

MenuListEntry* StatsScreen_DisplayPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_DISPLAY, PrepareDisplay),
        MenuList_Entry(439, ToggleEntry, 0),
        MenuList_Entry(1069, ToggleEntry, 1),
        MenuList_Entry(423, ToggleEntry, 2),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* StatsScreen_AssignPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_ASSIGN, PrepareAssign),
        MenuList_Entry(579, AssignEntry, STATS_ASSIGN_CAPTAIN),
        MenuList_Entry(582, AssignEntry, STATS_ASSIGN_FREE_KICK),
        MenuList_Entry(580, AssignEntry, STATS_ASSIGN_CORNER),
        MenuList_Entry(581, AssignEntry, STATS_ASSIGN_PENALTY),
        MenuList_End(),
    };
    return popup;
}

const MenuItem* StatsScreen_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(StatsScreen_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 80, 36, 0, 0, MenuCallback(DrawHeaderName), nullptr},
        {0x0f, 480, 36, MENU_ALIGN_MR, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawRows), nullptr},
        {0x200f, GENERAL_HEAD_X, HEADS_TOP, COLUMN_W, 20, MenuVariable(&s_heads[0]), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(StatsScreen_GeneralPopup()), nullptr},
        {0x200f, ATTRIBUTE_HEAD_X + COLUMN_W * 0, HEADS_TOP, COLUMN_W, 20,
         MenuVariable(&s_heads[1]), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(StatsScreen_AttributePopup()), nullptr},
        {0x200f, ATTRIBUTE_HEAD_X + COLUMN_W * 1, HEADS_TOP, COLUMN_W, 20,
         MenuVariable(&s_heads[2]), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(StatsScreen_AttributePopup()), nullptr},
        {0x200f, ATTRIBUTE_HEAD_X + COLUMN_W * 2, HEADS_TOP, COLUMN_W, 20,
         MenuVariable(&s_heads[3]), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(StatsScreen_AttributePopup()), nullptr},
        {0x200f, ATTRIBUTE_HEAD_X + COLUMN_W * 3, HEADS_TOP, COLUMN_W, 20,
         MenuVariable(&s_heads[4]), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(StatsScreen_AttributePopup()), nullptr},
        {0x200f, ATTRIBUTE_HEAD_X + COLUMN_W * 4, HEADS_TOP, COLUMN_W, 20,
         MenuVariable(&s_heads[5]), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(StatsScreen_AttributePopup()), nullptr},
        {0x200f, ATTRIBUTE_HEAD_X + COLUMN_W * 5, HEADS_TOP, COLUMN_W, 20,
         MenuVariable(&s_heads[6]), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(StatsScreen_AttributePopup()), nullptr},
        {0x200f, ATTRIBUTE_HEAD_X + COLUMN_W * 6, HEADS_TOP, COLUMN_W, 20,
         MenuVariable(&s_heads[7]), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(StatsScreen_AttributePopup()), nullptr},
        {0x200f, ATTRIBUTE_HEAD_X + COLUMN_W * 7, HEADS_TOP, COLUMN_W, 20,
         MenuVariable(&s_heads[8]), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(StatsScreen_AttributePopup()), nullptr},
        {0x200f, ATTRIBUTE_HEAD_X + COLUMN_W * 8, HEADS_TOP, COLUMN_W, 20,
         MenuVariable(&s_heads[9]), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(StatsScreen_AttributePopup()), nullptr},
        {0x1f, 24, 440, 40, 20, MenuNumber(-1), ScrollUp},
        {0x1f, 24, 462, 40, 20, MenuNumber(-1), ScrollDown},
        {0x200c, 74, 440, 120, 30, MenuTextNo(TEXT_SQUAD), ToSquad},
        {0x200c, 196, 440, 120, 30, MenuTextNo(TEXT_ANALYSIS), ToAnalysis},
        {0x200c, 318, 440, 120, 30, MenuTextNo(TEXT_DISPLAY), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(StatsScreen_DisplayPopup()), nullptr},
        {0x200c, 440, 440, 120, 30, MenuTextNo(TEXT_ASSIGN), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(StatsScreen_AssignPopup()), nullptr},
        {0x03, 590, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Back},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
