// matchscreens/ingameteams.cpp: the in-match line-ups, squad skills and performance screens, and
// the navigation bar they share with the other team screens.
#include "matchscreens/ingameteams.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "engine/fatal.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "matchscreens/tacticsgrid.h"
#include "menus/vtmenu.h"

namespace {

constexpr int32_t NONE = -1;
constexpr int32_t TEXT_CAPTAIN = 575;
constexpr int32_t GRAPHIC_RED = 3, GRAPHIC_YELLOW = 4, GRAPHIC_KNOCK = 5;
constexpr uint8_t CENTRED = 0x55, LEFT = 0x54, RIGHT = 0x56;  // vertically centred
constexpr int32_t COLOUR_NORMAL = 0, COLOUR_HIGHLIGHT = 8;
constexpr int32_t BOX_X = 20, BOX_Y = 64, BOX_W = 600, BOX_H = 340;
constexpr int32_t HEADER_Y = 86, HEADER_H = 16;
// The performance screen's two team names stand above the headers: on the headers' line a name
// ran into the last header.
constexpr int32_t TEAM_NAMES_Y = 76, TEAM_NAMES_LEFT = 30, TEAM_NAMES_RIGHT = 610;
constexpr int32_t SQUAD_X = 185, SQUAD_W = 40;
constexpr int32_t FIGURES_X = 185, FIGURES_W = 68;
constexpr int32_t TABLE_TOP = 110, TABLE_ROW = 16;
constexpr int32_t LINE_UPS_TOP = 70, LINE_UPS_ROW = 20;
constexpr int32_t PAGE_BUTTON_Y = 370, PAGE_BUTTON_W = 100, PAGE_BUTTON_H = 20;
constexpr int32_t SQUAD_LONG_NAME_OFFSET = 434;

// The squad columns' headers; each long name is its header's number - 434.
constexpr auto kSquadHeaders =
    std::to_array<int16_t>({475, 476, 477, 478, 479, 480, 482, 489, 492, 483});
static_assert(kSquadHeaders.size() == IGT_SQUAD_COLUMNS);

static_assert(IGT_PERFORMANCE_PAGES == MATCH_FIGURE_CATEGORIES
              && IGT_PERFORMANCE_COLUMNS == MATCH_FIGURE_COLUMNS);
// The page buttons from left to right: their pages and labels.
constexpr int32_t kPageButtonPages[IGT_PERFORMANCE_PAGES] = {0, 1, 5, 2, 3, 4};
constexpr int32_t kPageButtonLabels[IGT_PERFORMANCE_PAGES] = {41, 608, 970, 1683, 610, 654};

struct NavButton {
    int16_t x, y;
    int16_t goesTo;
    int16_t side;  // NONE keeps the side
};
constexpr NavButton kNavButtons[9] = {
    {20, 410, IGM_TEAM_SELECTION, 0},  {220, 410, IGM_STATISTICS, NONE},
    {420, 410, IGM_TEAM_SELECTION, 1}, {20, 430, IGM_SQUAD, 0},
    {220, 430, IGM_MARKING, NONE},     {420, 430, IGM_SQUAD, 1},
    {20, 450, IGM_PERFORMANCE, 0},     {220, 450, IGM_LINE_UPS, NONE},
    {420, 450, IGM_PERFORMANCE, 1},
};
constexpr int32_t NAV_W = 200, NAV_H = 20, NAV_MIDDLE = 4, NAV_MIDDLE_BOTTOM = 7;
constexpr int32_t TEXT_SUBSTITUTES = 1557, TEXT_TACTICS = 261;
constexpr int32_t kNavLabels[9] = {0, 1836, 0, 720, 84, 720, 243, 0, 243};

struct InGameTeamsState {
    int32_t page;
    int32_t longName;  // text number on show, NONE
    char title[128];
    const char* titleText;
};

InGameTeamsState s_teams;

const MatchDayBlock& Block() { return *GetMatchSidesBlock(); }

int32_t SlotAt(int32_t side, int32_t place) { return Football_GetSidePlayer(side, place); }

const MatchPlayerEntry& EntryAt(int32_t side, int32_t place)
{
    return Block().sides[side].entries[SlotAt(side, place)];
}

void DrawShirt(int32_t x, int32_t y, int32_t side, int32_t place)
{
    const MatchPlayerEntry& entry = EntryAt(side, place);
    const int32_t graphic = TacticsGrid_ShirtGraphic(entry.positionCode);
    if (graphic == 0) return;
    VT_DrawGraphic(x, y, CENTRED, graphic);
    VT_SetFontColour(COLOUR_NORMAL);
    VT_DrawNumber(x, y, CENTRED, entry.shirt);
}

void DrawBox(int32_t, int32_t, int32_t, int32_t) { VT_DrawButton(BOX_X, BOX_Y, BOX_W, BOX_H, 3); }

// ---------------------------------------------------------------------------------------------
// The navigation bar.

int32_t NavLabel(int32_t button, int32_t middleLabel)
{
    if (button == NAV_MIDDLE && middleLabel != 0) return middleLabel;
    const bool homeHuman = Block().sides[0].human != 0;
    if (button == 0) return homeHuman ? TEXT_SUBSTITUTES : TEXT_TACTICS;
    if (button == 2) return homeHuman ? TEXT_TACTICS : TEXT_SUBSTITUTES;
    if (button == NAV_MIDDLE_BOTTOM) return InGameMenuId == IGM_LINE_UPS ? 75 : 1595;
    return kNavLabels[button];
}

// Every map's options, each bar's region codes counting in tens from its own index.
constexpr int32_t NAV_OPTION_SETS = 16, NAV_CODES_PER_SET = 10;
InGameNavOptions s_navOptions[NAV_OPTION_SETS];
int32_t s_navOptionCount;

// The bar's draw item carries its options' index in its x: a draw function gets nothing else.
void DrawNavBar(int32_t set, int32_t, int32_t, int32_t)
{
    VT_SetFontColour(COLOUR_NORMAL);
    for (int32_t button = 0; button < 9; ++button) {
        const NavButton& b = kNavButtons[button];
        VT_DrawButton(b.x, b.y, NAV_W, NAV_H, 1);
        VT_DrawTextNo(b.x + NAV_W / 2, b.y + NAV_H / 2, CENTRED,
                      NavLabel(button, s_navOptions[set].middleLabel));
    }
}

int32_t NavBarEvent(const InGameMenuEvent* event)
{
    if (event->event != VT_EVENT_RELEASE) return VT_CONTINUE;
    const InGameNavOptions& options = s_navOptions[event->code / NAV_CODES_PER_SET];
    if (options.mayLeave != nullptr && !options.mayLeave()) return VT_BREAK_0;
    const int32_t button = event->code % NAV_CODES_PER_SET;
    const NavButton& b = kNavButtons[button];
    const bool closes = button == NAV_MIDDLE_BOTTOM && InGameMenuId == IGM_LINE_UPS;
    InGameMenuId = closes ? static_cast<uint16_t>(IGM_CLOSED) : static_cast<uint16_t>(b.goesTo);
    if (b.side != NONE) InGameMenuSide = static_cast<uint16_t>(b.side);
    return VT_BREAK_1;
}

// ---------------------------------------------------------------------------------------------
// Line-ups.

void DrawLineUpRow(int32_t side, int32_t place)
{
    InGameLineUpRow row{};
    InGameTeams_LineUpRow(side, place, &row);
    const int32_t y = LINE_UPS_TOP + LINE_UPS_ROW * place + LINE_UPS_ROW / 2;
    // The away side mirrors the home side about the screen's centre.
    const auto at = [side](int32_t x) { return side == 0 ? x : 640 - x; };
    const uint8_t outward = side == 0 ? LEFT : RIGHT;
    DrawShirt(at(34), y, side, place);
    VT_SetFontColour(COLOUR_NORMAL);
    if (row.goals != 0) VT_DrawNumber(at(56), y, outward, row.goals);
    for (int32_t k = 0; k < 2; ++k) {
        if (row.cardGraphics[k] != 0)
            VT_DrawGraphic(at(80 + 10 * k), y, CENTRED, row.cardGraphics[k]);
    }
    if (row.knockGraphic != 0) VT_DrawGraphic(at(106), y, CENTRED, row.knockGraphic);
    if (row.rating != 0) {
        VT_SetFontColour(COLOUR_HIGHLIGHT);
        VT_DrawNumber(at(122), y, outward, row.rating);
        VT_SetFontColour(COLOUR_NORMAL);
    }
    VT_DrawTextAddr(side == 0 ? 290 : 350, y, side == 0 ? RIGHT : LEFT, row.name);
}

void DrawLineUps(int32_t, int32_t, int32_t, int32_t)
{
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t place = 0; place < InGameTeams_RowCount(); ++place)
            DrawLineUpRow(side, place);
    }
}

// ---------------------------------------------------------------------------------------------
// Squad skills and performance.

void DrawLongName(int32_t y)
{
    if (s_teams.longName == NONE) return;
    VT_SetFontColour(COLOUR_HIGHLIGHT);
    VT_DrawTextNo(320, y, CENTRED, s_teams.longName);
}

void DrawRowName(int32_t side, int32_t place, int32_t y)
{
    DrawShirt(34, y, side, place);
    VT_SetFontColour(COLOUR_NORMAL);
    VT_DrawTextAddr(50, y, LEFT,
                    MatchPersons[side * MATCH_PERSONS_PER_SIDE + SlotAt(side, place)].name);
}

void DrawSquad(int32_t, int32_t, int32_t, int32_t)
{
    const int32_t side = InGameMenuSide & 1;
    VT_SetFontColour(COLOUR_NORMAL);
    for (int32_t c = 0; c < IGT_SQUAD_COLUMNS; ++c)
        VT_DrawTextNo(SQUAD_X + SQUAD_W * c + SQUAD_W / 2, HEADER_Y + HEADER_H / 2, CENTRED,
                      kSquadHeaders[c]);
    for (int32_t place = 0; place < InGameTeams_RowCount(); ++place) {
        const int32_t y = TABLE_TOP + TABLE_ROW * place + TABLE_ROW / 2;
        DrawRowName(side, place, y);
        for (int32_t c = 0; c < IGT_SQUAD_COLUMNS; ++c)
            VT_DrawNumber(SQUAD_X + SQUAD_W * c + SQUAD_W / 2, y, CENTRED,
                          InGameTeams_SquadSkill(side, place, c));
    }
    DrawLongName(60);
}

void DrawPerformance(int32_t, int32_t, int32_t, int32_t)
{
    const int32_t side = InGameMenuSide & 1;
    for (int32_t s = 0; s < 2; ++s) {
        char name[MATCH_TEAM_NAME_BYTES + 1];
        std::snprintf(name, sizeof(name), "%.*s", MATCH_TEAM_NAME_BYTES, Block().sides[s].teamName);
        VT_SetFontColour(s == side ? COLOUR_HIGHLIGHT : COLOUR_NORMAL);
        VT_DrawTextAddr(s == 0 ? TEAM_NAMES_LEFT : TEAM_NAMES_RIGHT, TEAM_NAMES_Y,
                        s == 0 ? LEFT : RIGHT, name);
    }
    VT_SetFontColour(COLOUR_NORMAL);
    for (int32_t c = 0; c < IGT_PERFORMANCE_COLUMNS; ++c) {
        const int32_t header = MatchFigures_Header(s_teams.page, c);
        if (header != 0)
            VT_DrawTextNo(FIGURES_X + FIGURES_W * c + FIGURES_W / 2, HEADER_Y + HEADER_H / 2,
                          CENTRED, header);
    }
    for (int32_t place = 0; place < InGameTeams_RowCount(); ++place) {
        const int32_t y = TABLE_TOP + TABLE_ROW * place + TABLE_ROW / 2;
        DrawRowName(side, place, y);
        int32_t figures[IGT_PERFORMANCE_COLUMNS];
        if (!InGameTeams_PerformanceFigures(side, place, s_teams.page, figures)) continue;
        for (int32_t c = 0; c < IGT_PERFORMANCE_COLUMNS; ++c) {
            if (MatchFigures_Header(s_teams.page, c) != 0)
                VT_DrawNumber(FIGURES_X + FIGURES_W * c + FIGURES_W / 2, y, CENTRED, figures[c]);
        }
    }
    for (int32_t b = 0; b < IGT_PERFORMANCE_PAGES; ++b) {
        const int32_t x = BOX_X + PAGE_BUTTON_W * b;
        VT_DrawButton(x, PAGE_BUTTON_Y, PAGE_BUTTON_W, PAGE_BUTTON_H, 1);
        VT_SetFontColour(kPageButtonPages[b] == s_teams.page ? COLOUR_HIGHLIGHT : COLOUR_NORMAL);
        VT_DrawTextNo(x + PAGE_BUTTON_W / 2, PAGE_BUTTON_Y + PAGE_BUTTON_H / 2, CENTRED,
                      kPageButtonLabels[b]);
    }
    DrawLongName(70);
}

int32_t ShowLongName(const InGameMenuEvent* event, int32_t longName)
{
    if (event->event == VT_EVENT_ENTER) s_teams.longName = longName;
    if (event->event == VT_EVENT_LEAVE) s_teams.longName = NONE;
    const bool hoverEvent = event->event == VT_EVENT_ENTER || event->event == VT_EVENT_LEAVE;
    return hoverEvent ? VT_BREAK_0 : VT_CONTINUE;
}

int32_t SquadHeaderEvent(const InGameMenuEvent* event)
{
    return ShowLongName(event, InGameTeams_SquadLongName(event->code));
}

int32_t PerformanceHeaderEvent(const InGameMenuEvent* event)
{
    const int32_t header = MatchFigures_Header(s_teams.page, event->code);
    return ShowLongName(event, header == 0 ? NONE : InGameTeams_PerformanceLongName(header));
}

int32_t PageButtonEvent(const InGameMenuEvent* event)
{
    if (event->event != VT_EVENT_RELEASE) return VT_CONTINUE;
    s_teams.page = kPageButtonPages[event->code];
    return VT_BREAK_0;
}

// ---------------------------------------------------------------------------------------------
// The maps and what each screen prepares when it opens.

void OpenLineUps()
{
    InGameTeams_FormatScoreTitle(s_teams.title, sizeof(s_teams.title));
    s_teams.longName = NONE;
}

void OpenSquad()
{
    std::snprintf(s_teams.title, sizeof(s_teams.title), "%.*s", MATCH_TEAM_NAME_BYTES,
                  Block().sides[InGameMenuSide & 1].teamName);
    s_teams.longName = NONE;
}

void OpenPerformance()
{
    OpenSquad();
    s_teams.page = IGT_FIRST_PAGE;
}

InGameMapBuilder TeamMap(VTDrawFn rows)
{
    InGameMapBuilder b{};
    b.Static(0, &s_teams.titleText);
    b.Custom(DrawBox);
    b.Custom(rows);
    InGameNavBar_Append(&b);
    return b;
}

const InGameScreen& LineUpsScreen()
{
    static const InGameMapBuilder map = [] {
        InGameMapBuilder b = TeamMap(DrawLineUps);
        b.Finish();
        return b;
    }();
    static const InGameScreen screen = {map.items, OpenLineUps, nullptr, nullptr, map.escape};
    return screen;
}

const InGameScreen& SquadScreen()
{
    static const InGameMapBuilder map = [] {
        InGameMapBuilder b = TeamMap(DrawSquad);
        for (int32_t c = 0; c < IGT_SQUAD_COLUMNS; ++c)
            b.Region(c, SQUAD_X + SQUAD_W * c, HEADER_Y, SQUAD_W, HEADER_H, SquadHeaderEvent);
        b.Finish();
        return b;
    }();
    static const InGameScreen screen = {map.items, OpenSquad, nullptr, nullptr, map.escape};
    return screen;
}

const InGameScreen& PerformanceScreen()
{
    static const InGameMapBuilder map = [] {
        InGameMapBuilder b = TeamMap(DrawPerformance);
        for (int32_t c = 0; c < IGT_PERFORMANCE_COLUMNS; ++c)
            b.Region(c, FIGURES_X + FIGURES_W * c, HEADER_Y, FIGURES_W, HEADER_H,
                     PerformanceHeaderEvent);
        for (int32_t p = 0; p < IGT_PERFORMANCE_PAGES; ++p)
            b.Region(p, BOX_X + PAGE_BUTTON_W * p, PAGE_BUTTON_Y, PAGE_BUTTON_W, PAGE_BUTTON_H,
                     PageButtonEvent);
        b.Finish();
        return b;
    }();
    static const InGameScreen screen = {map.items, OpenPerformance, nullptr, nullptr, map.escape};
    return screen;
}

}  // namespace

void InGameTeams_Init()
{
    s_teams = {};
    s_teams.page = IGT_FIRST_PAGE;
    s_teams.longName = NONE;
    s_teams.titleText = s_teams.title;
}

void InGame_LineUpsMenu() { InGameScreen_Run(LineUpsScreen()); }
void InGame_SquadMenu() { InGameScreen_Run(SquadScreen()); }
void InGame_PerformanceMenu() { InGameScreen_Run(PerformanceScreen()); }

void InGameNavBar_Append(InGameMapBuilder* map, const InGameNavOptions& options)
{
    if (s_navOptionCount >= NAV_OPTION_SETS) FatalError("InGameNavBar_Append(): too many bars");
    const int32_t set = s_navOptionCount++;
    s_navOptions[set] = options;
    // Escape takes the screen's way on: to the line-ups, and from them back to the match.
    map->escape = {kNavButtons[NAV_MIDDLE_BOTTOM].x, kNavButtons[NAV_MIDDLE_BOTTOM].y};
    map->Add(VTI_CUSTOM, VTD_FUNCTION, VT_PASS_DRAW, set, 0, 0, 0,
             reinterpret_cast<std::intptr_t>(DrawNavBar), nullptr);
    for (int32_t button = 0; button < 9; ++button)
        map->Region(set * NAV_CODES_PER_SET + button, kNavButtons[button].x, kNavButtons[button].y,
                    NAV_W, NAV_H, NavBarEvent);
}

void InGameTeams_FormatScoreTitle(char* title, int32_t size)
{
    uint16_t home = 0, away = 0, home2 = 0, away2 = 0;
    Football_GetScore(&home, &away, &home2, &away2);
    std::snprintf(title, static_cast<size_t>(size), "%.*s %d - %d %.*s", MATCH_TEAM_NAME_BYTES,
                  Block().sides[0].teamName, home, away, MATCH_TEAM_NAME_BYTES,
                  Block().sides[1].teamName);
}

int32_t InGameTeams_RowCount()
{
    // The engine lets on only as many substitutes as substitutions are allowed: the others could
    // never be picked, and the team sheets before the match list as many.
    const int32_t usable = std::clamp<int32_t>(Block().substitutionsAllowed, 0, MATCH_BENCH_MAX);
    return MATCH_STARTERS + std::min(MatchDay_GetBenchSize(Block()), usable);
}

void InGameTeams_LineUpRow(int32_t side, int32_t place, InGameLineUpRow* row)
{
    const int32_t slot = SlotAt(side, place);
    const MatchPlayerEntry& entry = Block().sides[side].entries[slot];
    const char* name = MatchPersons[side * MATCH_PERSONS_PER_SIDE + slot].name;
    *row = {};
    row->slot = slot;
    row->shirt = entry.shirt;
    row->shirtGraphic = TacticsGrid_ShirtGraphic(entry.positionCode);
    const char* letter = GetMessageText(TEXT_CAPTAIN);
    if (Football_IsCaptain(side, slot) == 0)
        std::snprintf(row->name, sizeof(row->name), "%s", name);
    else if (side == 0)
        std::snprintf(row->name, sizeof(row->name), "(%s) %s", letter, name);
    else
        std::snprintf(row->name, sizeof(row->name), "%s (%s)", name, letter);
    MatchViewEntry figures{};
    Football_BuildMatchView(&figures, side, slot);
    row->goals = figures.goals;
    // A player who may not come on reads -1: no rating either.
    row->rating = figures.rating > 0 ? figures.rating : 0;
    switch ((figures.cardBits >> 6) & 3) {
        case 1: row->cardGraphics[0] = GRAPHIC_YELLOW; break;
        case 2:
            row->cardGraphics[0] = GRAPHIC_YELLOW;
            row->cardGraphics[1] = GRAPHIC_RED;
            break;
        case 3: row->cardGraphics[0] = GRAPHIC_RED; break;
        default: break;
    }
    if (Football_IsPlayerHurt(side, slot) != 0) row->knockGraphic = GRAPHIC_KNOCK;
}

int32_t InGameTeams_SquadSkill(int32_t side, int32_t place, int32_t column)
{
    return EntryAt(side, place).displaySkills[column];
}

int32_t InGameTeams_SquadHeader(int32_t column) { return kSquadHeaders[column]; }

int32_t InGameTeams_SquadLongName(int32_t column)
{
    return kSquadHeaders[column] - SQUAD_LONG_NAME_OFFSET;
}

bool InGameTeams_PerformanceFigures(int32_t side, int32_t place, int32_t page,
                                    int32_t figures[IGT_PERFORMANCE_COLUMNS])
{
    const int32_t slot = SlotAt(side, place);
    if (Football_IsRecActive(side, slot) == 0) return false;
    PlayerMatchRecord record{};
    Football_FillPlayerMatchRecord(&record, side, slot);
    for (int32_t c = 0; c < IGT_PERFORMANCE_COLUMNS; ++c) {
        figures[c] = MatchFigures_Value(record, MatchFigures_Header(page, c));
    }
    return true;
}

int32_t InGameTeams_PerformanceHeader(int32_t page, int32_t column)
{
    return MatchFigures_Header(page, column);
}

int32_t InGameTeams_PerformanceLongName(int32_t header) { return MatchFigures_LongName(header); }

int32_t InGameTeams_PerformancePage() { return s_teams.page; }
int32_t InGameTeams_LongNameShown() { return s_teams.longName; }

const InGameScreen& InGameTeams_Screen(uint16_t id)
{
    if (id == IGM_SQUAD) return SquadScreen();
    if (id == IGM_PERFORMANCE) return PerformanceScreen();
    if (id == IGM_LINE_UPS) return LineUpsScreen();
    FatalError("InGameTeams_Screen(): no team screen %d", id);
}
