// menus/dayscreen.cpp: the advance loop over the days and the day screen: today's fixtures
// played one by one behind the preview panels, the human's view chosen, the results shown.
#include "menus/dayscreen.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/keyboard.h"
#include "engine/memory.h"
#include "engine/poll.h"
#include "engine/script.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/season.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/hotregion.h"
#include "menus/machine.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/news.h"
#include "menus/results.h"
#include "menus/viewchoice.h"

uint16_t AdvanceStop;
uint16_t DayScreenChoice;
MatchPreviewRecord MatchPreview;

namespace {

constexpr int32_t DAY_BACKGROUND = 2;
constexpr int32_t TEXT_RESULTS_COMING = 1594;
constexpr int32_t TEXT_COACHES_BUSY = 1807;
constexpr int32_t TEXT_PLAY = 1018;
constexpr int32_t TEXT_FORMATION = 805;
constexpr int32_t TEXT_TEAM_SHEETS = 1595;
constexpr int32_t TEXT_OPPONENT = 2125;
constexpr int32_t TEXT_COMMENTARY = 1702;
constexpr int32_t TEXT_PANORAMIC = 1703;
constexpr int32_t TEXT_WATCH = 1704;
constexpr int32_t TEXT_VERSUS = 152;
constexpr int32_t TEXT_SUBSTITUTES = 1886;
constexpr int32_t TEXT_LAST_FIVE = 1850;
constexpr int32_t TEXT_AT_HOME = 102;
constexpr int32_t TEXT_AWAY = 103;
constexpr int32_t TEXT_DASH = 125;
constexpr int32_t TEXT_BEST_PLAYERS = 2126;
constexpr int32_t TEXT_BEST_SCORERS = 2127;
constexpr int32_t BOX_ICON = 1;
constexpr int32_t PITCH_ICON = 1336;
constexpr int32_t PITCH_END_MARGIN = 24;  // between a goal line and its keeper
constexpr int32_t NAME_ROOM_MAX = 120;    // a name on the pitch alone on its line
constexpr int32_t NAME_LINE_HEIGHT = 12;  // names closer than this in height share a line
constexpr int32_t NAME_GAP = 4;           // between two names on one line
constexpr int32_t NAME_BELOW = 12;        // a name's middle under its disc's
constexpr int32_t DISC_HALF = 10;
constexpr int32_t DISC_ICON = 1211;  // + the player's line
constexpr int32_t LAST_DAY = 364;
constexpr int32_t ESCAPE_KEY = 1;
constexpr int32_t LEFT_BUTTON = 1;
constexpr int32_t HEADING_BYTES = 64;
constexpr int32_t ROW_PITCH = 18;
// The team sheets: rows across the screen, each side's four figures (appearances, performance,
// goals, experience) at its outer end, its names between them and the shirts. The away side's
// figures stand far enough in for three digits to end inside the row.
constexpr int32_t SHEET_X = 20;
constexpr int32_t SHEET_WIDTH = 600;
constexpr int32_t SHEET_FIGURES_X[2] = {50, 496};
constexpr int32_t SHEET_FIGURES_PITCH = 34;
constexpr int32_t SHEET_FIGURE_ROOM = 18;  // "100"
constexpr int32_t SHEET_NAME_X[2] = {270, 370};
constexpr int32_t SHEET_NAME_GAP = 5;
constexpr int32_t SHEET_NAME_ROOM[2] = {
    SHEET_NAME_X[0] - (SHEET_FIGURES_X[0] + 3 * SHEET_FIGURES_PITCH + SHEET_FIGURE_ROOM)
        - SHEET_NAME_GAP,
    SHEET_FIGURES_X[1] - SHEET_NAME_X[1] - SHEET_NAME_GAP};
constexpr int32_t SHADE_PERCENT = 50;
constexpr uint16_t BUTTON_KIND = HOTREGION_BUTTON_KINDS + HOTREGION_TEXT_NO;
constexpr int16_t LABEL_COLOUR = 0;

constexpr HotRegion Button(int16_t x, int16_t y, int16_t h, int32_t label, int16_t code)
{
    return {BUTTON_KIND, x, y, 190, h, MENU_ALIGN_CENTRE, label, 1, &LABEL_COLOUR, code};
}
constexpr HotRegion BarEnd() { return {HOTREGION_END, 0, 0, 0, 0, 0, 0, 0, nullptr, 0}; }

// Bars 1-3 go with the panels (index = panel), bar 4 with the view choice.
constexpr int32_t VIEW_BAR = 3;
// clang-format off
constexpr HotRegion BARS[4][4] = {
    {Button(32, 440, 30, TEXT_PLAY, DAY_CHOICE_PLAY),
     Button(224, 440, 30, TEXT_FORMATION, DAY_CHOICE_FORMATIONS),
     Button(416, 440, 30, TEXT_OPPONENT, DAY_CHOICE_OPPONENT), BarEnd()},
    {Button(32, 440, 30, TEXT_PLAY, DAY_CHOICE_PLAY),
     Button(224, 440, 30, TEXT_TEAM_SHEETS, DAY_CHOICE_TEAM_SHEETS),
     Button(416, 440, 30, TEXT_OPPONENT, DAY_CHOICE_OPPONENT), BarEnd()},
    {Button(32, 440, 30, TEXT_PLAY, DAY_CHOICE_PLAY),
     Button(224, 440, 30, TEXT_TEAM_SHEETS, DAY_CHOICE_TEAM_SHEETS),
     Button(416, 440, 30, TEXT_FORMATION, DAY_CHOICE_FORMATIONS), BarEnd()},
    {Button(32, 430, 40, TEXT_COMMENTARY, DAY_CHOICE_TEXT_VIEW),
     Button(224, 430, 40, TEXT_PANORAMIC, DAY_CHOICE_2D_VIEW),
     Button(416, 430, 40, TEXT_WATCH, DAY_CHOICE_3D_VIEW), BarEnd()},
};
// clang-format on

struct DayScreenState {
    const HotRegion* bar;  // the registered bar, null while none shows
    bool buttonHeld;
    bool pressPending;  // the button went down and no hit test has taken the press yet
    int16_t played;     // fixtures played today, the human's own not counted
    int16_t groupCount;
    uint16_t panel;  // the panel shown last, shown again with the view bar
    int32_t previewRow;
    int32_t panelShown;
    bool viewBarShown;
    int32_t boxShown;
    char heading[2][HEADING_BYTES];
};
DayScreenState s_day;

bool AutoRun() { return AutoRunMode != 0; }
int32_t HumanClub() { return GameState.humanClub; }
int32_t HumanSide() { return MatchPreview.away == HumanClub() ? 1 : 0; }

// ---------------------------------------------------------------------------------------------
// The bar and the pointer.

void DayButtons_Register(const HotRegion* bar) { s_day.bar = AutoRun() ? nullptr : bar; }

void DayButtons_Draw()
{
    if (s_day.bar == nullptr) return;
    for (const HotRegion* b = s_day.bar; b->kind != HOTREGION_END; ++b) {
        SetMenuFont(1);
        DoButton(b->x, b->y, b->w, b->h);
        HotRegion_DrawLabel(b);
    }
}

// One pointer frame. A press is noted in whichever frame sees the button go down, and taken by
// the next hit test, so each press counts once.
void MovePointer(int16_t* x, int16_t* y)
{
    uint16_t buttons;
    PointerFrame(x, y, &buttons);
    const bool down = (buttons & LEFT_BUTTON) != 0;
    if (down && !s_day.buttonHeld) s_day.pressPending = true;
    s_day.buttonHeld = down;
}

void MovePointer()
{
    int16_t x, y;
    MovePointer(&x, &y);
}

// One pointer frame; the code of the bar's button under a press not yet taken, else -1.
int32_t ReadBarHit()
{
    int16_t x, y;
    MovePointer(&x, &y);
    const bool pressed = s_day.pressPending;
    s_day.pressPending = false;
    if (!pressed || s_day.bar == nullptr) return -1;
    return HotRegion_HitTest(s_day.bar, x, y, LEFT_BUTTON);
}

void AcceptChoice(int32_t code)
{
    DayScreenChoice = static_cast<uint16_t>(code);
    if (code <= DAY_CHOICE_PLAY) DayScreenFlags |= DAY_SCREEN_REDRAW;
    DayScreen_Update();
}

// The pointer read and the bar hit-tested; a hit is applied and the pointer read again.
void PointerStep()
{
    const int32_t code = ReadBarHit();
    if (code < 0) return;
    AcceptChoice(code);
    MovePointer();
}

// ---------------------------------------------------------------------------------------------
// Common drawing.

void DrawHeaderDates()
{
    SetMenuFont(2);
    DrawMenuString(320, 36, MenuContDateLine1, MENU_ALIGN_MR);
    DrawMenuString(340, 36, MenuContDateLine2, MENU_ALIGN_ML);
}

// The day screen's background, kept as the clean screen that bars and boxes restore.
void DayBackground()
{
    DoBackground(DAY_BACKGROUND);
    CopyBackBuffer();
}

void SetColour(int32_t colour) { SetDrawAttribute(1, colour); }

// The box picture centred on the screen with a message at its top.
void DrawMessageBox(int32_t textNo)
{
    int32_t w, h;
    GetIconSize(BOX_ICON, &w, &h);
    DoIcon(320, 240, BOX_ICON, MENU_ALIGN_CENTRE);
    SetMenuFont(1);
    SetColour(0);
    DoTextBox(320 - w / 2 + 10, 240 - h / 2, GetMessageText(textNo), MENU_ALIGN_TC, w - 20, h);
}

void ShowBoxScreen(int32_t textNo)
{
    DayBackground();
    DrawHeaderDates();
    DrawMessageBox(textNo);
    PresentMenuScreen();
    s_day.boxShown = textNo;
    MovePointer();
}

void DrawNumber(int32_t x, int32_t y, int32_t value, int32_t alignment)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    DrawMenuString(x, y, text, alignment);
}

void DrawText(int32_t x, int32_t y, int32_t textNo, int32_t alignment)
{
    DrawMenuMessage(x, y, textNo, alignment);
}

int32_t LineOf(uint16_t player) { return std::clamp(VTW_GetPositionType(player), 0, 3); }

int32_t GoalsOf(uint16_t player)
{
    return VTW_GetPositionType(player) == 0 ? 0 : VTW_GetPlayerGoals(player);
}

// The panel's bar: the view bar once the group is done and "Disputer un match" was pressed.
const HotRegion* BarOfPanel(int32_t panel)
{
    const uint32_t viewBits = DAY_SCREEN_GROUP_DONE | DAY_SCREEN_VIEW_CHOICE;
    return (DayScreenFlags & viewBits) == viewBits ? BARS[VIEW_BAR] : BARS[panel];
}

// ---------------------------------------------------------------------------------------------
// The panels.

void DrawSheetRow(int32_t side, int32_t index, int32_t y)
{
    const uint16_t player = MatchPreview.sheets[side][index];
    if (player == PREVIEW_NONE) return;
    const int32_t figures[4] = {VTW_GetPlayerApps(player), VTW_GetPlayerPerf(player),
                                GoalsOf(player), VTW_GetPlayerExperiencePercent(player)};
    SetMenuFont(0);
    for (int32_t f = 0; f < 4; ++f) {
        DrawNumber(SHEET_FIGURES_X[side] + SHEET_FIGURES_PITCH * f, y, figures[f], MENU_ALIGN_ML);
    }
    DoIcon(side == 0 ? 290 : 350, y, DISC_ICON + LineOf(player), MENU_ALIGN_CENTRE);
    DrawMenuStringInRoom(SHEET_NAME_X[side], y, MatchPreview.names[side][index],
                         side == 0 ? MENU_ALIGN_MR : MENU_ALIGN_ML, SHEET_NAME_ROOM[side], 1, 0);
}

void DayScreen_DrawTeamSheets()
{
    DayBackground();
    char heading[2 * HEADING_BYTES];
    std::snprintf(heading, sizeof heading, "%s %s", s_day.heading[0], s_day.heading[1]);
    DrawMenuStringInRoom(320, 36, heading, MENU_ALIGN_CENTRE, SHEET_WIDTH, 2, 1);
    SetMenuFont(1);
    DrawMenuString(270, 66, MatchPreview.clubNames[0], MENU_ALIGN_MR);
    DrawText(320, 66, TEXT_VERSUS, MENU_ALIGN_CENTRE);
    DrawMenuString(370, 66, MatchPreview.clubNames[1], MENU_ALIGN_ML);
    SetMenuFont(0);
    const int32_t captions[4] = {1876, 692, 683, 1509};  // APP, PER, BUT, EXP
    for (int32_t c = 0; c < 4; ++c) {
        for (const int32_t x : SHEET_FIGURES_X) {
            DrawText(x + SHEET_FIGURES_PITCH * c, 91, captions[c], MENU_ALIGN_ML);
        }
    }
    const int32_t lines = MATCH_STARTERS + MatchPreview.substitutes;
    for (int32_t i = 0; i < lines; ++i) {
        const int32_t y = 105 + ROW_PITCH * (i < MATCH_STARTERS ? i : i + 1);
        SetDrawAttribute(2, 0);
        DoShadedBox(SHEET_X, y, SHEET_WIDTH, ROW_PITCH, SHADE_PERCENT);
        const int32_t middle = y + ROW_PITCH / 2;
        DrawSheetRow(0, i, middle);
        DrawSheetRow(1, i, middle);
        SetMenuFont(1);
        DrawNumber(320, middle, i + 1, MENU_ALIGN_CENTRE);
    }
    if (MatchPreview.substitutes > 0) {
        SetMenuFont(1);
        DrawText(320, 105 + ROW_PITCH * MATCH_STARTERS + ROW_PITCH / 2, TEXT_SUBSTITUTES,
                 MENU_ALIGN_CENTRE);
    }
}

void DrawShadowedName(int32_t y, const char* name)
{
    SetMenuFont(2);
    SetColour(2);
    DrawMenuString(322, y + 2, name, MENU_ALIGN_CENTRE);
    SetColour(0);
    DrawMenuString(320, y, name, MENU_ALIGN_CENTRE);
}

// The home side plays down from the top half, under its name, the away side up from the bottom
// half, over its name; the slot's row runs across the pitch and its column along it from the
// side's own goal, kept a margin away from the goal line so that the keeper stays clear of the
// club's name.
void DrawSideOnPitch(int32_t side, int32_t left, int32_t top, int32_t w, int32_t h)
{
    const bool lower = side == 1;
    const TacticsRecord& tactic = MatchPreview.tactics[side];
    int32_t xs[TACTIC_SLOT_COUNT], ys[TACTIC_SLOT_COUNT];
    for (int32_t slot = 0; slot < TACTIC_SLOT_COUNT; ++slot) {
        const int32_t row = std::clamp<int32_t>(tactic.slots[slot].row, 0, TACTIC_GRID_ROWS - 1);
        const int32_t column =
            std::clamp<int32_t>(tactic.slots[slot].column, 0, TACTIC_GRID_COLUMNS - 1);
        xs[slot] = left + (2 * row + 1) * w / (2 * TACTIC_GRID_ROWS);
        const int32_t along =
            PITCH_END_MARGIN
            + (2 * column + 1) * (h / 2 - PITCH_END_MARGIN) / (2 * TACTIC_GRID_COLUMNS);
        ys[slot] = lower ? top + h - along : top + along;
    }
    SetMenuFont(0);
    const auto shown = [side](int32_t slot) {
        return MatchPreview.sheets[side][slot] != PREVIEW_NONE;
    };
    // A name stands under its disc, unless a team-mate's disc stands there: then over it.
    int32_t nameYs[TACTIC_SLOT_COUNT];
    for (int32_t slot = 0; slot < TACTIC_SLOT_COUNT; ++slot) {
        int32_t nameW = 0, nameH = 0;
        GetTextExtent(MatchPreview.names[side][slot], &nameW, &nameH);
        nameYs[slot] = ys[slot] + NAME_BELOW;
        for (int32_t other = 0; other < TACTIC_SLOT_COUNT; ++other) {
            if (other != slot && shown(other)
                && std::abs(xs[other] - xs[slot]) < nameW / 2 + DISC_HALF
                && std::abs(ys[other] - nameYs[slot]) < nameH / 2 + DISC_HALF)
                nameYs[slot] = ys[slot] - NAME_BELOW;
        }
    }
    for (int32_t slot = 0; slot < TACTIC_SLOT_COUNT; ++slot) {
        if (!shown(slot)) continue;
        // Two centred names on one line share the gap between their players; none leaves the
        // pitch.
        int32_t room = std::min({NAME_ROOM_MAX, 2 * (xs[slot] - left), 2 * (left + w - xs[slot])});
        for (int32_t other = 0; other < TACTIC_SLOT_COUNT; ++other) {
            if (other != slot && shown(other)
                && std::abs(nameYs[other] - nameYs[slot]) < NAME_LINE_HEIGHT)
                room = std::min(room, std::abs(xs[other] - xs[slot]) - NAME_GAP);
        }
        const uint16_t player = MatchPreview.sheets[side][slot];
        DoIcon(xs[slot], ys[slot], DISC_ICON + LineOf(player), MENU_ALIGN_CENTRE);
        DrawNumber(xs[slot], ys[slot], slot + 1, MENU_ALIGN_CENTRE);
        DrawMenuString(xs[slot], nameYs[slot], FitMenuText(MatchPreview.names[side][slot], room),
                       MENU_ALIGN_CENTRE);
    }
}

void DayScreen_DrawFormations()
{
    DayBackground();
    SetMenuFont(2);
    DrawMenuString(320, 36, s_day.heading[0], MENU_ALIGN_CENTRE);
    DrawMenuString(320, 54, s_day.heading[1], MENU_ALIGN_CENTRE);
    int32_t w, h;
    GetIconSize(PITCH_ICON, &w, &h);
    DoIcon(320, 246, PITCH_ICON, MENU_ALIGN_CENTRE);
    DrawShadowedName(75, MatchPreview.clubNames[0]);
    DrawShadowedName(418, MatchPreview.clubNames[1]);
    for (int32_t side = 0; side < 2; ++side) {
        DrawSideOnPitch(side, 320 - w / 2, 246 - h / 2, w, h);
    }
}

int32_t Opponent() { return HumanSide() == 0 ? MatchPreview.away : MatchPreview.home; }

void DrawLeagueRecord()
{
    SetDrawAttribute(2, 0);
    DoShadedBox(40, 50, 320, 70, SHADE_PERCENT);
    DrawBoxOutline(40, 50, 320, 70);
    SetMenuFont(1);
    for (int32_t c = 0; c < PREVIEW_RECORD_COLUMNS; ++c) {
        DrawText(160 + 40 * c, 64, 138 + c, MENU_ALIGN_CENTRE);  // V, N, D, B.I., B.C.
        for (int32_t r = 0; r < 2; ++r) {
            DrawNumber(160 + 40 * c, 86 + 20 * r, MatchPreview.record[r][c], MENU_ALIGN_CENTRE);
        }
    }
    DrawText(50, 86, TEXT_AT_HOME, MENU_ALIGN_ML);
    DrawText(50, 106, TEXT_AWAY, MENU_ALIGN_ML);
}

void DrawLastFixtures()
{
    const int32_t opponent = Opponent();
    SetDrawAttribute(2, 0);
    DoShadedBox(40, 125, 320, 120, SHADE_PERCENT);
    DrawBoxOutline(40, 125, 320, 120);
    SetMenuFont(1);
    DrawText(50, 135, TEXT_LAST_FIVE, MENU_ALIGN_TL);
    for (int32_t i = 0; i < PREVIEW_LAST_FIXTURES; ++i) {
        const uint16_t row = MatchPreview.lastFixtures[i];
        if (row == PREVIEW_NONE) break;
        const bool home = VTW_GetFixtureHomeClub(row) == opponent;
        const int32_t other = home ? VTW_GetFixtureAwayClub(row) : VTW_GetFixtureHomeClub(row);
        const int32_t own = home ? VTW_GetFixtureHomeGoals(row) : VTW_GetFixtureAwayGoals(row);
        const int32_t theirs = home ? VTW_GetFixtureAwayGoals(row) : VTW_GetFixtureHomeGoals(row);
        const int32_t y = 165 + 16 * i;
        DrawMenuString(50, y, GetMessageText(VTW_ClubNameTextNo(VTW_GetTeam(other))),
                       MENU_ALIGN_ML);
        DrawText(220, y, home ? TEXT_AT_HOME : TEXT_AWAY, MENU_ALIGN_ML);
        DrawNumber(245, y, own, MENU_ALIGN_ML);
        DrawText(260, y, TEXT_DASH, MENU_ALIGN_ML);
        DrawNumber(275, y, theirs, MENU_ALIGN_ML);
        DrawNumber(320, y, DayScreen_AverageRating(row, opponent), MENU_ALIGN_ML);
    }
}

void DrawBestList(int32_t top, int32_t titleNo, const PreviewBestEntry* list)
{
    constexpr int32_t CLASS_ICONS[6] = {0, 0, 1295, 1208, 1210, 2};
    SetDrawAttribute(2, 0);
    DoShadedBox(380, top, 240, 190, SHADE_PERCENT);
    DrawBoxOutline(380, top, 240, 190);
    SetMenuFont(1);
    DrawText(390, top + 12, titleNo, MENU_ALIGN_ML);
    for (int32_t i = 0; i < PREVIEW_BEST && list[i].player != PREVIEW_NONE; ++i) {
        const PreviewBestEntry& e = list[i];
        const int32_t y = top + 32 + 16 * i;
        SetMenuFont(0);
        if (e.playerClass <= 1) {
            DoIcon(396, y, DISC_ICON + LineOf(e.player), MENU_ALIGN_CENTRE);
            DrawNumber(396, y, VTW_GetPlayerShirt(e.player), MENU_ALIGN_CENTRE);
        } else {
            DoIcon(396, y, CLASS_ICONS[std::min<int32_t>(e.playerClass, 5)], MENU_ALIGN_CENTRE);
        }
        SetMenuFont(1);
        DrawMenuString(412, y, VTW_FormatPersonName(e.player), MENU_ALIGN_ML);
        DrawNumber(600, y, e.figure, MENU_ALIGN_MR);
    }
}

void DayScreen_DrawOpponent()
{
    DayBackground();
    SetMenuFont(2);
    DrawMenuString(320, 20, MatchPreview.clubNames[HumanSide() ^ 1], MENU_ALIGN_CENTRE);
    DrawLeagueRecord();
    DrawLastFixtures();
    DrawBestList(50, TEXT_BEST_PLAYERS, MatchPreview.bestPlayers);
    DrawBestList(245, TEXT_BEST_SCORERS, MatchPreview.bestScorers);
}

void DrawPanel(int32_t panel)
{
    void (*const drawers[3])() = {DayScreen_DrawTeamSheets, DayScreen_DrawFormations,
                                  DayScreen_DrawOpponent};
    drawers[panel]();
    DayButtons_Register(BarOfPanel(panel));
    DayButtons_Draw();
    PresentMenuScreen();
    s_day.panelShown = panel;
    s_day.viewBarShown = s_day.bar == BARS[VIEW_BAR];
    MovePointer();
}

// ---------------------------------------------------------------------------------------------
// The preview.

void FillSheet(int32_t side, int32_t club)
{
    if (club != HumanClub()) Club_AISelectTeam(club);
    VTW_RefreshSquadCount(club);
    for (int32_t shirt = 1; shirt <= MATCH_STARTERS + MatchPreview.substitutes; ++shirt) {
        const int32_t player = VTW_GetPlayerByShirt(shirt);
        if (player >= 0) MatchPreview.sheets[side][shirt - 1] = static_cast<uint16_t>(player);
    }
}

void FindLastFixtures(int32_t opponent)
{
    int32_t n = 0;
    for (int32_t row = Fixture_RowCount() - 1; row >= 0 && n < PREVIEW_LAST_FIXTURES; --row) {
        const bool plays =
            VTW_GetFixtureHomeClub(row) == opponent || VTW_GetFixtureAwayClub(row) == opponent;
        if (plays && VTW_GetFixtureDay(row) < VTW_GetCurrentDay()
            && VTW_GetFixtureCompetition(row) <= COMP_PLAYOFF_FINAL)
            MatchPreview.lastFixtures[n++] = static_cast<uint16_t>(row);
    }
}

uint16_t ClassOf(int32_t player)
{
    const int32_t shirt = VTW_GetPlayerShirt(player);
    if (shirt >= 1 && shirt <= MATCH_STARTERS) return 0;
    if (shirt > MATCH_STARTERS && shirt <= MATCH_STARTERS + MatchPreview.substitutes) return 1;
    if (Player_GetSuspension(player) != 0) return 3;
    if (VTW_GetPlayerInFlag(player) != 0) return 4;
    if (VTW_GetPlayerZeroD(player) != 0) return 5;
    return 2;
}

// The ten best by figure, ties in squad order, ended by PREVIEW_NONE.
void KeepBest(std::array<PreviewBestEntry, SQUAD_MAX>& entries, int32_t count,
              PreviewBestEntry* out)
{
    std::stable_sort(
        entries.begin(), entries.begin() + count,
        [](const PreviewBestEntry& a, const PreviewBestEntry& b) { return a.figure > b.figure; });
    const int32_t kept = std::min(count, PREVIEW_BEST);
    std::copy(entries.begin(), entries.begin() + kept, out);
    out[kept].player = PREVIEW_NONE;
}

void FindBestPlayers(int32_t opponent)
{
    std::array<PreviewBestEntry, SQUAD_MAX> players{};
    std::array<PreviewBestEntry, SQUAD_MAX> scorers{};
    int32_t nPlayers = 0, nScorers = 0;
    const int32_t count = VTW_RefreshSquadCount(opponent);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t player = VTW_GetSquadPlayer(i);
        const PreviewBestEntry entry{static_cast<uint16_t>(player), ClassOf(player), 0};
        if (const int32_t perf = VTW_GetPlayerPerf(player); perf > 0) {
            players[nPlayers] = entry;
            players[nPlayers++].figure = static_cast<int16_t>(perf);
        }
        if (const int32_t goals = GoalsOf(static_cast<uint16_t>(player)); goals > 0) {
            scorers[nScorers] = entry;
            scorers[nScorers++].figure = static_cast<int16_t>(goals);
        }
    }
    KeepBest(players, nPlayers, MatchPreview.bestPlayers);
    KeepBest(scorers, nScorers, MatchPreview.bestScorers);
}

void CopyTactics(int32_t side, int32_t club)
{
    if (club == HumanClub()) {
        MatchPreview.tactics[side] = *GetTactic(CurrentTactic);
        return;
    }
    Match_SetupSideTactics(side, club);
    MatchPreview.tactics[side] = GetMatchSidesBlock()->sides[side].tactics[0];
}

void CopyNames()
{
    const int16_t clubs[2] = {MatchPreview.home, MatchPreview.away};
    for (int32_t side = 0; side < 2; ++side) {
        std::snprintf(MatchPreview.clubNames[side], PREVIEW_CLUB_BYTES, "%s",
                      GetMessageText(VTW_ClubNameTextNo(VTW_GetTeam(clubs[side]))));
        for (int32_t i = 0; i < PREVIEW_SHEET; ++i) {
            const uint16_t player = MatchPreview.sheets[side][i];
            std::snprintf(MatchPreview.names[side][i], PREVIEW_NAME_BYTES, "%s",
                          player == PREVIEW_NONE ? "" : VTW_FormatPersonName(player));
        }
    }
}

void DayScreen_Prepare()
{
    s_day.previewRow = VTW_FindHumanFixtureOnDay(VTW_GetCurrentDay());
    if (s_day.previewRow < 0) return;
    const int32_t row = s_day.previewRow;
    for (const int32_t club : {VTW_GetFixtureHomeClub(row), VTW_GetFixtureAwayClub(row)}) {
        if (VTW_GetClubController(club) != MANAGER_HUMAN) continue;
        VTW_GetClubSquadCount(club);
        VTW_RefreshSquadCount(club);
        VTW_RebuildSquad(club, 5, 0);
    }
    DayScreen_BuildPreview(row);
    VTW_FormatFixtureCompText(row, s_day.heading[0], s_day.heading[1]);
    CopyNames();
}

// ---------------------------------------------------------------------------------------------
// The day screen.

// One fixture of the human's group. The group is done once all but his own are played, or when
// none is left to play, so that counts out of step with the fixtures cannot hold the screen.
void PlayGroupFixture()
{
    int32_t row;
    if (VTW_PlayMatchDay(&row) == 0 || ++s_day.played >= s_day.groupCount - 1)
        DayScreenFlags |= DAY_SCREEN_GROUP_DONE;
}

void StartDay(int16_t groupCount)
{
    ShootOutList_Reset();
    MatchReportState.incidentCount = 0;
    MatchReportState.secondCounter = 0;
    VTW_FindHumanNextFixture();
    s_day.played = 0;
    s_day.pressPending = false;
    s_day.groupCount = groupCount;
    s_day.bar = nullptr;
    s_day.viewBarShown = false;
    s_day.panelShown = -1;
    s_day.boxShown = 0;
    DayScreenFlags &= ~(DAY_SCREEN_GROUP_DONE | DAY_SCREEN_SHOWING | DAY_SCREEN_VIEW_CHOICE);
    MenuCont_FormatTitle(HEADER_DATE);
    DayScreenFlags &= ~DAY_SCREEN_SPARE;
}

// The remembered panel again, now under the view bar, whose buttons the popup takes over until
// a view is accepted.
void ChooseView()
{
    DayScreenChoice = s_day.panel;
    DayScreenFlags |= DAY_SCREEN_REDRAW;
    DayScreen_Update();
    MatchViewChoicePopup();
    DayScreenChoice = static_cast<uint16_t>(DAY_CHOICE_TEXT_VIEW + ChosenViewMode);
    s_day.bar = nullptr;
    s_day.viewBarShown = false;
    s_day.buttonHeld = false;
    s_day.pressPending = false;
}

// The human's group: the panels while the others play, then the view, then his own match.
void PlayHumanGroup()
{
    DayScreenFlags |= s_day.groupCount == 1 ? DAY_SCREEN_GROUP_DONE : DAY_SCREEN_SHOWING;
    DayScreen_Prepare();
    DayScreenChoice = AutoRun() ? DAY_CHOICE_PLAY : DAY_CHOICE_TEAM_SHEETS;
    s_day.panel = DAY_CHOICE_TEAM_SHEETS;
    DayScreenFlags |= DAY_SCREEN_REDRAW;
    while (DayScreenChoice != DAY_CHOICE_PLAY) {
        DayScreen_Update();
        if (!(DayScreenFlags & DAY_SCREEN_GROUP_DONE)) PlayGroupFixture();
        if (DayScreenChoice < DAY_CHOICE_PLAY) s_day.panel = DayScreenChoice;
        PointerStep();
    }
    SetBusyPointer(1);
    DayScreenFlags |= DAY_SCREEN_BUSY;
    while (!(DayScreenFlags & DAY_SCREEN_GROUP_DONE)) {
        PlayGroupFixture();
    }
    SetBusyPointer(0);
    DayScreenFlags &= ~DAY_SCREEN_BUSY;
    if (!AutoRun()) ChooseView();
    int32_t row;
    VTW_PlayMatchDay(&row);
}

// Everything else of the day under "Les résultats arrivent dans...", with each result drawn
// into the box when there are more than two.
void PlayOtherFixtures(int16_t otherCount)
{
    ShowBoxScreen(TEXT_RESULTS_COMING);
    SetBusyPointer(1);
    DayScreenFlags |= DAY_SCREEN_BUSY;
    GameState_BeginProgress(otherCount);
    Poll();
    for (int32_t i = 0; i < otherCount; ++i) {
        GameState_StepProgress();
        Poll();
        int32_t row;
        if (VTW_PlayMatchDay(&row) == 0) break;
        HidePointer(1);
        if (otherCount > 2) {
            DrawMessageBox(TEXT_RESULTS_COMING);
            DayScreen_ShowOtherResult();
            PresentMenuScreen();
        }
        HidePointer(0);
        ++s_day.played;
    }
    GameState_EndProgress();
    SetBusyPointer(0);
    DayScreenFlags &= ~DAY_SCREEN_BUSY;
}

void ShowResults()
{
    ResultsMode = RESULTS_AFTER_MATCHES;
    EXM_PushAndRun(Results_Table());
}

void RedrawHeaderBar()
{
    DrawAlignedBar(330, 36, 400, 30, MENU_ALIGN_CENTRE);
    DrawHeaderDates();
    PresentMenuScreen();
    MovePointer();
    SetMenuFont(1);
}

// ---------------------------------------------------------------------------------------------
// The advance loop.

void PlayOneDay()
{
    // Each day's news fills a box of its own: a transfer is told on its day, not again under the
    // next days' lines of a day-after-day advance.
    MessageBox_Reset();
    VTW_ClearHumanLists();
    int32_t group, other;
    VTW_CountTodaysFixtures(&group, &other);
    DayScreen_Run(static_cast<int16_t>(group), static_cast<int16_t>(other));
}

void EndDay()
{
    VTW_AdvanceDay();
    RouteGameEvents();
}

void AdvanceOneDay()
{
    PlayOneDay();
    EndDay();
}

void AdvanceTodaysMatch()
{
    Fixture_ShuffleToday();
    Fixture_PutHumanLast();
    AdvanceOneDay();
}

// 1 when the day-after-day loop should stop on the new day: another screen is due, the season's
// last day or the week's closing day has come, or the human plays (his fixture then moved last).
uint16_t StopOnNewDay()
{
    if (MenuOption != MENU_OPTION_OFFICE || VTW_GetCurrentDay() == LAST_DAY
        || VTW_GetWeekday() == Calendar_ClosingWeekday())
        return 1;
    return static_cast<uint16_t>(VTW_PutHumanFixtureLast());
}

void AdvanceToStop()
{
    for (;;) {
        Fixture_ShuffleToday();
        PlayOneDay();
        MovePointer();
        EndDay();
        AdvanceStop = StopOnNewDay();
        if (AutoRunMode != 0) {
            // The target day ends the run there, not at the next match day after it.
            if (VTW_SoakChecks() != 0 || KeyWasPressed(ESCAPE_KEY)) return;
            continue;
        }
        if (AdvanceStop == 1) return;
    }
}

constexpr auto ADVANCE_MODES = std::to_array<void (*)()>({
    AdvanceOneDay,       // ADVANCE_ONE_DAY
    AdvanceToStop,       // ADVANCE_TO_MATCH_DAY
    AdvanceTodaysMatch,  // ADVANCE_TODAYS_MATCH
});

}  // namespace

void DayScreenInit()
{
    AdvanceStop = 0;
    DayScreenChoice = 0;
    // The office's "Terminer" leaves the coaches' box asked for until a day screen has run: a
    // new front end must not show it after its first match.
    DayScreenFlags = 0;
    MatchPreview = {};
    s_day = {};
    s_day.previewRow = -1;
    s_day.panelShown = -1;
}

void DayScreenUninit() { DayScreenInit(); }

void Game_AdvanceLoop()
{
    if (AdvanceMode >= ADVANCE_MODES.size()) {
        MenuOption = MENU_OPTION_QUIT;
        return;
    }
    // While time passes a message for the human rolls into the news box instead of a modal box.
    void (*const shown)(const char*) = GameHooks.ShowMessage;
    GameHooks.ShowMessage = News_ShowForHuman;
    ADVANCE_MODES[AdvanceMode]();
    GameHooks.ShowMessage = shown;
}

uint16_t DayScreen_Run(int16_t groupCount, int16_t otherCount)
{
    StartDay(groupCount);
    if (groupCount > 0) PlayHumanGroup();
    if (otherCount > 0) PlayOtherFixtures(otherCount);
    if (!AutoRun() && s_day.played > 0) ShowResults();
    if (DayScreenFlags & DAY_SCREEN_COACHES_BOX) ShowBoxScreen(TEXT_COACHES_BUSY);
    RedrawHeaderBar();
    DayScreenFlags &= ~DAY_SCREEN_COACHES_BOX;
    return EXM_CODE_LEAVE;
}

void DayScreen_RunChoice() { PointerStep(); }

void DayScreen_Update()
{
    if (DayScreenFlags & DAY_SCREEN_REDRAW) {
        if (DayScreenChoice <= DAY_CHOICE_OPPONENT) {
            DrawPanel(DayScreenChoice);
        } else if (DayScreenChoice == DAY_CHOICE_PLAY) {
            DayScreenFlags &= ~(DAY_SCREEN_SHOWING | DAY_SCREEN_VIEW_CHOICE);
            DayScreenFlags |= DAY_SCREEN_VIEW_CHOICE;
        }
        DayScreenFlags &= ~DAY_SCREEN_REDRAW;
        return;
    }
    if (DayScreenChoice >= DAY_CHOICE_TEXT_VIEW && DayScreenChoice <= DAY_CHOICE_3D_VIEW)
        ViewChoice_Choose(static_cast<uint16_t>(DayScreenChoice - DAY_CHOICE_TEXT_VIEW));
}

void DayScreen_ShowOtherResult()
{
    const MatchDayBlock& block = *GetMatchSidesBlock();
    const MatchDataBlock& data = *GetMatchDataBlock();
    SetMenuFont(1);
    SetColour(0);
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t y = 224 + 32 * side;
        DrawMenuString(210, y, block.sides[side].teamName, MENU_ALIGN_ML);
        DrawNumber(430, y, data.sides[side].score, MENU_ALIGN_CENTRE);
    }
}

void DayScreen_BuildPreview(int32_t row)
{
    MatchPreviewRecord& p = MatchPreview;
    p = {};
    p.home = static_cast<int16_t>(VTW_GetFixtureHomeClub(row));
    p.away = static_cast<int16_t>(VTW_GetFixtureAwayClub(row));
    const int32_t allowed = VTW_GetFixtureCompetition(row) == COMP_FRIENDLY
                                ? MATCH_BENCH_MAX
                                : CountryRules(VTW_GetCountry(), VTW_GetClubDivision(HumanClub()));
    // The sheets hold 16 shirts: a rules table allowing more than five substitutes would write
    // past them.
    p.substitutes = static_cast<int16_t>(std::clamp(allowed, 0, MATCH_BENCH_MAX));
    std::fill(&p.sheets[0][0], &p.sheets[0][0] + 2 * PREVIEW_SHEET, PREVIEW_NONE);
    std::fill(std::begin(p.lastFixtures), std::end(p.lastFixtures), PREVIEW_NONE);
    FillSheet(0, p.home);
    FillSheet(1, p.away);
    const int32_t opponent = Opponent();
    FindLastFixtures(opponent);
    VTW_GetLeagueRowHome(opponent, p.record[0]);
    VTW_GetLeagueRowAway(opponent, p.record[1]);
    FindBestPlayers(opponent);
    CopyTactics(0, p.home);
    CopyTactics(1, p.away);
}

int32_t DayScreen_AverageRating(int32_t row, int32_t club)
{
    const int32_t side = VTW_GetFixtureHomeClub(row) == club ? 0 : 1;
    int32_t sum = 0, rated = 0;
    for (int32_t i = 0; i < FIXTURE_SIDE_PLAYERS; ++i) {
        const int32_t rating = Fixture_GetPlayerRow(row, side, i).rating;
        sum += rating;
        rated += rating != 0 ? 1 : 0;
    }
    return rated == 0 ? 0 : sum / rated;
}

int32_t DayScreen_PanelShown() { return s_day.panelShown; }
int32_t DayScreen_BoxShown() { return s_day.boxShown; }
int32_t DayScreen_ViewBarShown() { return s_day.viewBarShown ? 1 : 0; }

void DayScreen_RegisterScriptValues()
{
    ScriptRegisterValue("day", VTW_GetCurrentDay);
    ScriptRegisterValue("season", [] { return static_cast<int32_t>(GameState.seasonCounter); });
    ScriptRegisterValue("news", News_LinesAdded);
    ScriptRegisterValue("daybox", DayScreen_BoxShown);
    ScriptRegisterValue("daypanel", DayScreen_PanelShown);
    ScriptRegisterValue("viewbar", DayScreen_ViewBarShown);
    ScriptRegisterValue("humanplays",
                        [] { return VTW_FindHumanFixtureOnDay(VTW_GetCurrentDay()) >= 0 ? 1 : 0; });
    ScriptRegisterValue("lastscore", [] {
        if (ReportFixture < 0) return -1;
        return VTW_GetFixtureHomeGoals(ReportFixture) * 100
               + VTW_GetFixtureAwayGoals(ReportFixture);
    });
}
