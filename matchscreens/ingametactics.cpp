// matchscreens/ingametactics.cpp: the in-match team selection and tactics screen.
#include "matchscreens/ingametactics.h"

#include <cstdio>

#include "engine/script.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "matchscreens/ingameteams.h"
#include "matchscreens/tacticsgrid.h"
#include "menus/vtmenu.h"

namespace {

constexpr int32_t NONE = -1;
constexpr uint8_t CENTRED = 0x55, LEFT = 0x54;
constexpr int32_t COLOUR_NORMAL = 0, COLOUR_PICKED = 8;
constexpr int32_t MODE_INSTRUCTIONS = 0, MODE_ROLES = 1, MODE_FIGURES = 2;
constexpr int32_t kModeTitles[3] = {1814, 1815, 536};
constexpr int32_t TITLE_X = 35, TITLE_Y = 34;
constexpr int32_t MODE_X = 267, MODE_Y = 34, MODE_W = 123, MODE_H = 20;
constexpr int32_t ROWS_X = 20, ROWS_TOP = 60, ROW_H = 20, COLUMN_W = 32;
constexpr int32_t TACTIC_Y = 350, TACTIC_W = 100, TACTIC_H = 30;
constexpr int32_t kTacticButtonX[2] = {400, 504};
constexpr int32_t GRID_X = 400, GRID_Y = 40, GRID_W = 200, GRID_H = 300;
constexpr int32_t MESSAGE_X = 100, MESSAGE_Y = 384, MESSAGE_W = 400, QUESTION_W = 200;
constexpr int32_t ANSWER_W = 100, ANSWER_H = 20;
constexpr int32_t kAnswerX[2] = {400, 504};
constexpr int32_t REQUEST_X = 170, REQUEST_Y = 320, REQUEST_W = 100, REQUEST_H = 20;
constexpr int32_t TEXT_REQUEST = 1332, TEXT_QUESTION = 693, TEXT_ACCEPT = 1365, TEXT_CANCEL = 1366,
                  TEXT_CUSTOM = 1328;
constexpr int32_t TEXT_LEFT_FOOT = 36, TEXT_RIGHT_FOOT = 37, TEXT_BOTH_FEET = 38;
constexpr int32_t MAX_ROWS = MATCH_STARTERS + MATCH_BENCH_MAX;

// Captain, penalty, free-kick and corner taker, complete team, goalkeeper: the rules' messages
// in the order they are shown.
enum Rule { RULE_CAPTAIN, RULE_PENALTY, RULE_FREE_KICK, RULE_CORNER, RULE_TEAM, RULE_KEEPER };
constexpr int32_t RULE_COUNT = 6;
constexpr int32_t kRuleTexts[RULE_COUNT] = {979, 980, 982, 983, 1816, 908};

struct TacticsScreenState {
    int32_t side;
    bool editable;
    int32_t mode;
    bool rules[RULE_COUNT];
    int32_t firstPick;  // a place of the eleven, NONE
    int32_t benchPick;  // a bench place, NONE
    bool confirming;
    int32_t variant;
    TacticsGrid grid;
    TacticsGridPointer pointer;
    char question[160];
    const char* title;
};

TacticsScreenState s_sel;

MatchDayBlock& Block() { return *GetMatchSidesBlock(); }
MatchSide& Sheet() { return Block().sides[s_sel.side]; }
TacticsRecord& Working() { return TacticCopies[s_sel.side]; }
int32_t SlotAt(int32_t place) { return Football_GetSidePlayer(s_sel.side, place); }
const char* NameAt(int32_t place)
{
    return MatchPersons[s_sel.side * MATCH_PERSONS_PER_SIDE + SlotAt(place)].name;
}

int32_t ListedRows()
{
    const bool bench = s_sel.editable && InGameMenuPage != 0;
    return bench ? InGameTeams_RowCount() : MATCH_STARTERS;
}

bool SubstitutionsLeft()
{
    return Football_GetSubstitutionsUsed(s_sel.side) < Block().substitutionsAllowed;
}

// ---------------------------------------------------------------------------------------------
// The rules.

bool HoldsRole(int32_t rule, int32_t slot)
{
    switch (rule) {
        case RULE_CAPTAIN: return Football_IsCaptain(s_sel.side, slot) != 0;
        case RULE_PENALTY: return Football_IsPenaltyTaker(s_sel.side, slot) != 0;
        case RULE_FREE_KICK: return Football_IsFreeKickTaker(s_sel.side, slot) != 0;
        default: return Football_IsCornerTaker(s_sel.side, slot) != 0;
    }
}

bool RoleOnPitch(int32_t rule)
{
    for (int32_t place = 0; place < MATCH_STARTERS; ++place) {
        const int32_t slot = SlotAt(place);
        if (Football_IsRecEmpty(s_sel.side, slot) != 0 && HoldsRole(rule, slot)) return true;
    }
    return false;
}

bool TeamComplete()
{
    if (!SubstitutionsLeft()) return true;
    for (int32_t place = 0; place < MATCH_STARTERS; ++place) {
        if (Football_MustBeReplaced(s_sel.side, SlotAt(place)) != 0) return false;
    }
    return true;
}

int32_t FirstBrokenRule()
{
    for (const int32_t rule : {RULE_CAPTAIN, RULE_PENALTY, RULE_FREE_KICK, RULE_CORNER}) {
        if (!RoleOnPitch(rule)) return rule;
    }
    if (Football_IsRecEmpty(s_sel.side, SlotAt(0)) == 0) return RULE_KEEPER;
    if (!TeamComplete()) return RULE_TEAM;
    return NONE;
}

void ResetRules()
{
    for (bool& rule : s_sel.rules)
        rule = true;
}

bool RulesMet()
{
    ResetRules();
    if (!s_sel.editable) return true;
    const int32_t broken = FirstBrokenRule();
    if (broken != NONE) s_sel.rules[broken] = false;
    return broken == NONE;
}

// ---------------------------------------------------------------------------------------------
// Drawing.

void DrawButtonLabel(int32_t x, int32_t y, int32_t w, int32_t h, int32_t textNo)
{
    VT_DrawButton(x, y, w, h, 1);
    VT_DrawLabelNo(x, y, w, h, textNo);
}

void DrawTacticButtons()
{
    const int32_t tactic = Sheet().tactic;
    const bool custom = tactic >= TACTIC_CUSTOM_FIRST;
    VT_SetFontColour(COLOUR_NORMAL);
    DrawButtonLabel(kTacticButtonX[0], TACTIC_Y, TACTIC_W, TACTIC_H,
                    custom ? TEXT_CUSTOM : Tactic_GetFormationTextId(tactic));
    if (custom) {
        VT_DrawButton(kTacticButtonX[1], TACTIC_Y, TACTIC_W, TACTIC_H, 1);
        VT_DrawNumber(kTacticButtonX[1] + TACTIC_W / 2, TACTIC_Y + TACTIC_H / 2, CENTRED,
                      tactic - TACTIC_CUSTOM_FIRST + 1);
    } else {
        DrawButtonLabel(kTacticButtonX[1], TACTIC_Y, TACTIC_W, TACTIC_H,
                        Tactic_GetVariantTextId(tactic));
    }
}

int32_t FootText(const MatchPlayerEntry& entry)
{
    if (entry.leftFoot == 1 && entry.rightFoot == 1) return TEXT_BOTH_FEET;
    if (entry.leftFoot == 1) return TEXT_LEFT_FOOT;
    return entry.rightFoot == 1 ? TEXT_RIGHT_FOOT : 0;
}

// The keeper's row carries the figures' headers.
void DrawRowColumns(int32_t place, int32_t y)
{
    if (s_sel.mode == MODE_FIGURES && place == 0) {
        for (int32_t c = 0; c < TG_COLUMNS; ++c)
            VT_DrawTextNo(MODE_X + COLUMN_W * c + COLUMN_W / 2, y, CENTRED,
                          TacticsColumns_FigureHeader(c));
        return;
    }
    if (s_sel.mode == MODE_INSTRUCTIONS && place >= MATCH_STARTERS) return;
    constexpr TacticsColumnsShow kShows[3] = {
        TacticsColumnsShow::Instructions, TacticsColumnsShow::Roles, TacticsColumnsShow::Figures};
    TacticsColumns_Draw(s_sel.side, place, kShows[s_sel.mode], MODE_X, COLUMN_W, y);
}

void DrawRow(int32_t place)
{
    const int32_t y = ROWS_TOP + ROW_H * place + ROW_H / 2;
    InGameLineUpRow row{};
    InGameTeams_LineUpRow(s_sel.side, place, &row);
    if (row.shirtGraphic != 0) VT_DrawGraphic(34, y, CENTRED, row.shirtGraphic);
    VT_SetFontColour(COLOUR_NORMAL);
    VT_DrawNumber(34, y, CENTRED, row.shirt);
    const bool picked = place == s_sel.firstPick || place == s_sel.benchPick;
    VT_SetFontColour(picked ? COLOUR_PICKED : COLOUR_NORMAL);
    VT_DrawTextAddr(50, y, LEFT, NameAt(place));
    const int32_t foot = FootText(Block().sides[s_sel.side].entries[SlotAt(place)]);
    if (foot != 0) VT_DrawTextNo(180, y, CENTRED, foot);
    if (row.goals != 0) VT_DrawNumber(200, y, CENTRED, row.goals);
    if (row.rating != 0) {
        char rating[16];
        std::snprintf(rating, sizeof(rating), "(%d)", row.rating);
        VT_DrawTextAddr(220, y, CENTRED, rating);
    }
    for (int32_t k = 0; k < 2; ++k) {
        const int32_t mark =
            k == 1 && row.knockGraphic != 0 ? row.knockGraphic : row.cardGraphics[k];
        if (mark != 0) VT_DrawGraphic(244 + 10 * k, y, CENTRED, mark);
    }
    VT_SetFontColour(COLOUR_NORMAL);
    DrawRowColumns(place, y);
}

void DrawMessageLine()
{
    VT_SetFontColour(COLOUR_NORMAL);
    if (s_sel.confirming) {
        VT_DrawTextBoxAddr(MESSAGE_X, MESSAGE_Y, QUESTION_W, ANSWER_H, LEFT, s_sel.question);
        DrawButtonLabel(kAnswerX[0], MESSAGE_Y, ANSWER_W, ANSWER_H, TEXT_ACCEPT);
        DrawButtonLabel(kAnswerX[1], MESSAGE_Y, ANSWER_W, ANSWER_H, TEXT_CANCEL);
        return;
    }
    const int32_t message = InGameTactics_RuleMessage();
    if (message != 0) VT_DrawTextBoxNo(MESSAGE_X, MESSAGE_Y, MESSAGE_W, ANSWER_H, LEFT, message);
}

void DrawScreen(int32_t, int32_t, int32_t, int32_t)
{
    char name[MATCH_TEAM_NAME_BYTES + 1];
    std::snprintf(name, sizeof(name), "%.*s", MATCH_TEAM_NAME_BYTES, Sheet().teamName);
    VT_SetFontColour(COLOUR_NORMAL);
    VT_DrawTextAddr(TITLE_X, TITLE_Y, LEFT, name);
    DrawButtonLabel(MODE_X, MODE_Y, MODE_W, MODE_H, kModeTitles[s_sel.mode]);
    for (int32_t place = 0; place < ListedRows(); ++place)
        DrawRow(place);
    if (s_sel.editable && InGameMenuPage == 0)
        DrawButtonLabel(REQUEST_X, REQUEST_Y, REQUEST_W, REQUEST_H, TEXT_REQUEST);
    DrawMessageLine();
    if (!s_sel.editable) return;
    DrawTacticButtons();
    TacticsGrid_Draw(s_sel.grid, Working(), s_sel.side,
                     {GRID_X, GRID_Y, s_sel.pointer.pick, false});
}

// ---------------------------------------------------------------------------------------------
// Presses.

void DropPicks()
{
    s_sel.firstPick = s_sel.benchPick = NONE;
    s_sel.confirming = false;
}

void OfferSubstitution()
{
    const int32_t off = SlotAt(s_sel.firstPick);
    if (Football_IsRecEmpty(s_sel.side, off) == 0 && Football_IsPlayerHurt(s_sel.side, off) == 0) {
        DropPicks();
        return;
    }
    std::snprintf(s_sel.question, sizeof(s_sel.question), GetMessageText(TEXT_QUESTION),
                  NameAt(s_sel.firstPick), NameAt(s_sel.benchPick));
    s_sel.confirming = true;
}

void PressStarter(int32_t place)
{
    if (s_sel.firstPick == NONE) {
        s_sel.firstPick = place;
        if (s_sel.benchPick != NONE) OfferSubstitution();
    } else if (s_sel.firstPick != place) {
        Football_SwapLineUp(s_sel.side, SlotAt(s_sel.firstPick), SlotAt(place));
        s_sel.firstPick = NONE;
    } else {
        s_sel.firstPick = NONE;
    }
}

void PressBench(int32_t place)
{
    if (InGameMenuPage == 0 || place >= InGameTeams_RowCount() || !SubstitutionsLeft()) return;
    if (Football_IsBenchAvailable(s_sel.side, SlotAt(place)) == 0) return;
    s_sel.benchPick = place;
    if (s_sel.firstPick != NONE) OfferSubstitution();
}

// Every press of the screen first puts the rule flags back; only an editable side acts.
bool Acts(const InGameMenuEvent* event)
{
    if (event->event != VT_EVENT_RELEASE) return false;
    ResetRules();
    return s_sel.editable;
}

int32_t RowEvent(const InGameMenuEvent* event)
{
    if (!Acts(event)) return VT_CONTINUE;
    if (s_sel.confirming) return VT_BREAK_0;
    if (event->code < MATCH_STARTERS)
        PressStarter(event->code);
    else
        PressBench(event->code);
    return VT_BREAK_0;
}

int32_t ColumnEvent(const InGameMenuEvent* event)
{
    if (!Acts(event)) return VT_CONTINUE;
    const int32_t place = event->code / TG_COLUMNS, column = event->code % TG_COLUMNS;
    if (s_sel.mode == MODE_INSTRUCTIONS)
        TacticsColumns_ChangeInstruction(&Working().slots[place], column);
    else if (s_sel.mode == MODE_ROLES)
        TacticsColumns_GiveRole(s_sel.side, SlotAt(place), column);
    return VT_BREAK_0;
}

int32_t ModeEvent(const InGameMenuEvent* event)
{
    if (!Acts(event)) return VT_CONTINUE;
    constexpr int32_t kNextMode[3] = {MODE_FIGURES, MODE_INSTRUCTIONS, MODE_ROLES};
    s_sel.mode = kNextMode[s_sel.mode];
    return VT_BREAK_0;
}

int32_t TacticEvent(const InGameMenuEvent* event)
{
    if (!Acts(event)) return VT_CONTINUE;
    MatchSide& sheet = Sheet();
    const int32_t next = event->code == 0
                             ? InGameTactics_NextFormation(sheet.tactic, s_sel.variant, sheet)
                             : InGameTactics_NextVariant(sheet.tactic, sheet);
    if (event->code == 1 && next < TACTIC_CUSTOM_FIRST) s_sel.variant = next % TACTIC_VARIANT_COUNT;
    sheet.tactic = static_cast<int16_t>(next);
    Football_CopyPlayerToView(s_sel.side);
    s_sel.pointer = TG_NO_POINTER;
    return VT_BREAK_0;
}

int32_t AnswerEvent(const InGameMenuEvent* event)
{
    if (!Acts(event) || !s_sel.confirming) return VT_CONTINUE;
    if (event->code == 0)
        Football_Substitute(s_sel.side, SlotAt(s_sel.benchPick), SlotAt(s_sel.firstPick));
    DropPicks();
    return VT_BREAK_0;
}

int32_t GridEvent(const InGameMenuEvent* event)
{
    const bool press = event->event == VT_EVENT_PRESS;
    if (!press && event->event != VT_EVENT_RELEASE) return VT_CONTINUE;
    ResetRules();
    GridCell cell{};
    if (!s_sel.editable
        || !TacticsGrid_CellAt(GRID_X, GRID_Y, event->x + event->pointerX,
                               event->y + event->pointerY, &cell))
        return VT_CONTINUE;
    if (press)
        TacticsGrid_Press(&s_sel.pointer, &s_sel.grid, &Working(), cell, VT_GetPointerButtons());
    else
        TacticsGrid_Release(&s_sel.pointer, &s_sel.grid, &Working(), cell);
    return VT_BREAK_0;
}

// On the running match's screen the request button stands where the bench would be listed.
int32_t RequestEvent(const InGameMenuEvent* event)
{
    if (InGameMenuPage != 0) {
        InGameMenuEvent row = *event;
        row.code = static_cast<int16_t>((REQUEST_Y - ROWS_TOP) / ROW_H);
        return RowEvent(&row);
    }
    if (!Acts(event)) return VT_CONTINUE;
    if (!RulesMet()) return VT_BREAK_0;
    SubstitutionRequest[s_sel.side] = 1;
    InGameMenuId = IGM_CLOSED;
    return VT_BREAK_1;
}

// ---------------------------------------------------------------------------------------------
// The map.

void Open()
{
    s_sel = {};
    s_sel.side = InGameMenuSide & 1;
    s_sel.editable = Sheet().human != 0;
    s_sel.mode = s_sel.editable ? MODE_ROLES : MODE_FIGURES;
    ResetRules();
    DropPicks();
    const int32_t tactic = Sheet().tactic;
    s_sel.variant = tactic >= 0 && tactic < TACTIC_CUSTOM_FIRST ? tactic % TACTIC_VARIANT_COUNT : 0;
    s_sel.pointer = TG_NO_POINTER;
    s_sel.title = "";
}

void Fill() { TacticsGrid_Build(&s_sel.grid, s_sel.side, Working()); }

const InGameMapBuilder& Map()
{
    static const InGameMapBuilder map = [] {
        InGameMapBuilder b{};
        b.Static(0, &s_sel.title);
        b.Custom(DrawScreen);
        b.Region(0, MODE_X, MODE_Y, MODE_W, MODE_H, ModeEvent);
        b.Region(0, REQUEST_X, REQUEST_Y, REQUEST_W, REQUEST_H, RequestEvent);
        for (int32_t place = 0; place < MAX_ROWS; ++place) {
            const int32_t y = ROWS_TOP + ROW_H * place;
            b.Region(place, ROWS_X, y, MODE_X - ROWS_X, ROW_H, RowEvent);
            if (place >= MATCH_STARTERS) continue;
            for (int32_t c = 0; c < TG_COLUMNS; ++c)
                b.Region(place * TG_COLUMNS + c, MODE_X + COLUMN_W * c, y, COLUMN_W, ROW_H,
                         ColumnEvent);
        }
        for (int32_t k = 0; k < 2; ++k) {
            b.Region(k, kTacticButtonX[k], TACTIC_Y, TACTIC_W, TACTIC_H, TacticEvent);
            b.Region(k, kAnswerX[k], MESSAGE_Y, ANSWER_W, ANSWER_H, AnswerEvent);
        }
        b.Region(0, GRID_X, GRID_Y, GRID_W, GRID_H, GridEvent);
        InGameNavBar_Append(&b, {.mayLeave = RulesMet});
        b.Finish();
        return b;
    }();
    return map;
}

int32_t HumanSubstitutionRows()
{
    const MatchDataBlock& data = *GetMatchDataBlock();
    const int32_t side = InGameMenus_HumanSide();
    int32_t rows = 0;
    for (int32_t i = 0; i < data.eventCount && i < MATCH_EVENT_MAX; ++i) {
        const MatchEventRow& row = data.events[i];
        if (row.kind == 1 && row.a == side) ++rows;
    }
    return rows;
}

}  // namespace

void InGame_SubsAndTacticsMenu() { InGameScreen_Run(InGameTactics_Screen()); }

const InGameScreen& InGameTactics_Screen()
{
    static const InGameScreen screen = {Map().items, Open, Fill, nullptr, Map().escape};
    return screen;
}

int32_t InGameTactics_NextFormation(int32_t tactic, int32_t variant, const MatchSide& sheet)
{
    if (tactic >= TACTIC_CUSTOM_FIRST) return variant;
    const int32_t formation = tactic / TACTIC_VARIANT_COUNT + 1;
    if (formation < TACTIC_FORMATION_COUNT) return TACTIC_VARIANT_COUNT * formation + variant;
    return TacticsRecord_IsEmpty(sheet.tactics[0]) ? variant : TACTIC_CUSTOM_FIRST;
}

int32_t InGameTactics_NextVariant(int32_t tactic, const MatchSide& sheet)
{
    if (tactic >= TACTIC_CUSTOM_FIRST) {
        const int32_t next = tactic - TACTIC_CUSTOM_FIRST + 1;
        const bool usable =
            next < TACTIC_CUSTOM_COUNT && !TacticsRecord_IsEmpty(sheet.tactics[next]);
        return usable ? TACTIC_CUSTOM_FIRST + next : TACTIC_CUSTOM_FIRST;
    }
    const int32_t variant = (tactic % TACTIC_VARIANT_COUNT + 1) % TACTIC_VARIANT_COUNT;
    return TACTIC_VARIANT_COUNT * (tactic / TACTIC_VARIANT_COUNT) + variant;
}

int32_t InGameTactics_ColumnMode() { return s_sel.mode; }

int32_t InGameTactics_RuleMessage()
{
    for (int32_t rule = 0; rule < RULE_COUNT; ++rule) {
        if (!s_sel.rules[rule]) return kRuleTexts[rule];
    }
    return 0;
}

bool InGameTactics_Confirming() { return s_sel.confirming; }

void InGameTactics_RegisterScriptValues()
{
    ScriptRegisterValue("subs",
                        [] { return Football_GetSubstitutionsUsed(InGameMenus_HumanSide()); });
    ScriptRegisterValue("igtactic", [] {
        return static_cast<int32_t>(GetMatchSidesBlock()->sides[InGameMenus_HumanSide()].tactic);
    });
    ScriptRegisterValue("rulemsg", InGameTactics_RuleMessage);
    ScriptRegisterValue("subsrows", HumanSubstitutionRows);
}
