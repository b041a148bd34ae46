// matchscreens/ingamemarking.cpp: the in-match marking screen.
#include "matchscreens/ingamemarking.h"

#include <cstdio>

#include "game/matchblocks.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "matchscreens/ingameteams.h"
#include "matchscreens/tacticsgrid.h"
#include "menus/vtmenu.h"

namespace {

constexpr int32_t NONE = -1;
constexpr uint8_t CENTRED = 0x55, LEFT = 0x54, RIGHT = 0x56;
constexpr int32_t COLOUR_NORMAL = 0, COLOUR_PICKED = 8;
constexpr int32_t MODE_INSTRUCTIONS = 0, MODE_ROLES = 1, MODE_MARKING = 2, MODE_FIGURES = 3;
constexpr int32_t ROWS_TOP = 90, ROW_H = 20, HEADER_Y = 70, COLUMN_W = 30, SHIRT_W = 28;
constexpr int32_t kColumnsX[2] = {60, 470};
constexpr int32_t kShirtX[2] = {30, 600};
constexpr int32_t NAME_Y = 30, NAME_W = 180, NAME_H = 20;
constexpr int32_t kNameX[2] = {30, 430};
constexpr int32_t PITCH_X = 220, PITCH_Y = 28, PITCH_W = 200, PITCH_H = 300;
// On the pitch both sides stand together, so each wears one shirt of a colour no line's shirt
// has; the same shirt beside the team's name, while the side is shown, tells them apart.
constexpr int32_t kPitchShirt[2] = {10, 11};
constexpr int32_t kKeyShirtX[2] = {198, 442};
constexpr int32_t kLongNameX[2] = {90, 500};
constexpr int32_t LONG_NAME_Y = 50;
constexpr int32_t kCaptionX[2] = {10, 470};
constexpr int32_t CAPTION_Y = 330, CAPTION_STEP = 20;
constexpr int32_t MODE_BUTTON_W = 120, MODE_BUTTON_H = 20;
struct ModeButton {
    int16_t x, y;
    int16_t mode;
    int16_t label;
};
constexpr ModeButton kModeButtons[4] = {
    {200, 364, MODE_MARKING, 84},
    {200, 384, MODE_INSTRUCTIONS, 1814},
    {320, 364, MODE_FIGURES, 720},
    {320, 384, MODE_ROLES, 1815},
};
constexpr int32_t kFigureLongNames[TG_COLUMNS] = {72, 959, 958, 1436};
constexpr int32_t TEXT_MARKING = 84, TEXT_PICK_MARKER = 182, TEXT_PICK_MAN = 183;
constexpr int32_t MARK_NONE = 0;

struct MarkingScreenState {
    int32_t humanSide;
    bool editable;
    int32_t mode;
    int32_t hovered[2];
    int32_t ownPick, opponentPick;
    bool shown[2];
    int32_t longName;
    int32_t longNameSide;
    TacticsGrid grids[2];
    const char* title;
};

MarkingScreenState s_mark;

MatchDayBlock& Block() { return *GetMatchSidesBlock(); }
int32_t SlotAt(int32_t side, int32_t place) { return Football_GetSidePlayer(side, place); }
const char* NameAt(int32_t side, int32_t place)
{
    return MatchPersons[side * MATCH_PERSONS_PER_SIDE + SlotAt(side, place)].name;
}
int32_t Opponent() { return 1 - s_mark.humanSide; }
int32_t MarkedBy(int32_t place)
{
    return TacticCopies[s_mark.humanSide].slots[place].markedOpponent;
}
bool MarksSomeone(int32_t place)
{
    const int32_t man = MarkedBy(place);
    return man > 0 && man < MATCH_STARTERS;
}
int32_t ColumnX(int32_t side, int32_t column) { return kColumnsX[side] + COLUMN_W * column; }
int32_t RowY(int32_t place) { return ROWS_TOP + ROW_H * place; }

// ---------------------------------------------------------------------------------------------
// Drawing.

void DrawColumns(int32_t side, int32_t place, int32_t y)
{
    if (s_mark.mode == MODE_MARKING) {
        const int32_t man = TacticCopies[side].slots[place].markedOpponent;
        if (man > 0 && man < MATCH_STARTERS)
            VT_DrawNumber(ColumnX(side, 1) + COLUMN_W / 2, y, CENTRED,
                          Block().sides[1 - side].entries[SlotAt(1 - side, man)].shirt);
        return;
    }
    const TacticsColumnsShow show = s_mark.mode == MODE_FIGURES ? TacticsColumnsShow::Figures
                                    : s_mark.mode == MODE_INSTRUCTIONS
                                        ? TacticsColumnsShow::Instructions
                                        : TacticsColumnsShow::Roles;
    TacticsColumns_Draw(side, place, show, kColumnsX[side], COLUMN_W, y);
}

void DrawShirtButton(int32_t side, int32_t place, int32_t y)
{
    const MatchPlayerEntry& entry = Block().sides[side].entries[SlotAt(side, place)];
    const int32_t x = kShirtX[side];
    if (s_mark.mode == MODE_MARKING && side == s_mark.humanSide && s_mark.editable)
        VT_DrawButton(x - SHIRT_W / 2, y - ROW_H / 2, SHIRT_W, ROW_H, 2);
    const int32_t graphic = TacticsGrid_ShirtGraphic(entry.positionCode);
    if (graphic != 0) VT_DrawGraphic(x, y, CENTRED, graphic);
    const bool picked = (side == s_mark.humanSide && place == s_mark.ownPick)
                        || (side == Opponent() && place == s_mark.opponentPick);
    VT_SetFontColour(picked ? COLOUR_PICKED : COLOUR_NORMAL);
    VT_DrawNumber(x, y, CENTRED, entry.shirt);
    VT_SetFontColour(COLOUR_NORMAL);
}

void DrawSide(int32_t side)
{
    char name[MATCH_TEAM_NAME_BYTES + 1];
    std::snprintf(name, sizeof(name), "%.*s", MATCH_TEAM_NAME_BYTES, Block().sides[side].teamName);
    VT_SetFontColour(COLOUR_NORMAL);
    VT_DrawTextAddr(side == 0 ? kNameX[0] : kNameX[1] + NAME_W, NAME_Y + NAME_H / 2,
                    side == 0 ? LEFT : RIGHT, name);
    if (s_mark.shown[side])
        VT_DrawGraphic(kKeyShirtX[side], NAME_Y + NAME_H / 2, CENTRED, kPitchShirt[side]);
    if (s_mark.mode == MODE_FIGURES) {
        for (int32_t c = 0; c < TG_COLUMNS; ++c)
            VT_DrawTextNo(ColumnX(side, c) + COLUMN_W / 2, HEADER_Y + ROW_H / 2, CENTRED,
                          TacticsColumns_FigureHeader(c));
    }
    for (int32_t place = 0; place < MATCH_STARTERS; ++place) {
        const int32_t y = RowY(place) + ROW_H / 2;
        DrawShirtButton(side, place, y);
        DrawColumns(side, place, y);
    }
    const InGameMarkingCaption caption = InGameMarking_Caption(side);
    for (int32_t line = 0; line < 3; ++line)
        VT_DrawTextAddr(kCaptionX[side], CAPTION_Y + CAPTION_STEP * line, LEFT,
                        caption.lines[line]);
}

void DrawPitch()
{
    VT_DrawButton(PITCH_X, PITCH_Y, PITCH_W, PITCH_H, 3);
    // The human's side goes down last: where two men share a place, his own shows.
    const int32_t sides[2] = {Opponent(), s_mark.humanSide};
    for (const int32_t layers : {TG_LAYER_SHIRTS, TG_LAYER_NUMBERS}) {
        for (const int32_t side : sides) {
            if (!s_mark.shown[side]) continue;
            const int32_t picked = side == s_mark.humanSide ? s_mark.ownPick : TG_NONE;
            TacticsGrid_Draw(s_mark.grids[side], TacticCopies[side], side,
                             {PITCH_X, PITCH_Y, picked, side == 1, kPitchShirt[side], layers});
        }
    }
}

void DrawScreen(int32_t, int32_t, int32_t, int32_t)
{
    DrawPitch();
    for (int32_t side = 0; side < 2; ++side)
        DrawSide(side);
    for (const ModeButton& b : kModeButtons) {
        VT_DrawButton(b.x, b.y, MODE_BUTTON_W, MODE_BUTTON_H, 1);
        VT_SetFontColour(b.mode == s_mark.mode ? COLOUR_PICKED : COLOUR_NORMAL);
        VT_DrawLabelNo(b.x, b.y, MODE_BUTTON_W, MODE_BUTTON_H, b.label);
    }
    VT_SetFontColour(COLOUR_NORMAL);
    if (s_mark.mode == MODE_MARKING) {
        VT_DrawTextNo(PITCH_X + PITCH_W / 2, 334, CENTRED, TEXT_PICK_MARKER);
        VT_DrawTextNo(PITCH_X + PITCH_W / 2, 354, CENTRED, TEXT_PICK_MAN);
    }
    if (s_mark.longName != NONE) {
        VT_SetFontColour(COLOUR_PICKED);
        VT_DrawTextNo(kLongNameX[s_mark.longNameSide], LONG_NAME_Y, LEFT, s_mark.longName);
        VT_SetFontColour(COLOUR_NORMAL);
    }
}

// ---------------------------------------------------------------------------------------------
// Presses. Region codes: side * 16 + place for shirts, side * 16 + column for columns and headers.

constexpr int32_t CODE_SIDE = 16;

void CompletePair()
{
    // The engine reads the word as the man's line-up place; his keeper cannot be marked.
    if (s_mark.opponentPick != 0) {
        TacticCopies[s_mark.humanSide].slots[s_mark.ownPick].markedOpponent =
            static_cast<int16_t>(s_mark.opponentPick);
    }
    s_mark.ownPick = s_mark.opponentPick = NONE;
}

void PickShirt(int32_t side, int32_t place)
{
    int32_t& pick = side == s_mark.humanSide ? s_mark.ownPick : s_mark.opponentPick;
    const int32_t other = side == s_mark.humanSide ? s_mark.opponentPick : s_mark.ownPick;
    pick = pick == place && other == NONE ? NONE : place;
    if (s_mark.ownPick != NONE && s_mark.opponentPick != NONE) CompletePair();
}

int32_t ShirtEvent(const InGameMenuEvent* event)
{
    const int32_t side = event->code / CODE_SIDE, place = event->code % CODE_SIDE;
    if (event->event == VT_EVENT_ENTER || event->event == VT_EVENT_LEAVE) {
        s_mark.hovered[side] = event->event == VT_EVENT_ENTER ? place : NONE;
        return VT_BREAK_0;
    }
    if (event->event != VT_EVENT_RELEASE) return VT_CONTINUE;
    if (s_mark.mode == MODE_MARKING && s_mark.editable) PickShirt(side, place);
    return VT_BREAK_0;
}

void ChangeColumn(int32_t place, int32_t column)
{
    const int32_t side = s_mark.humanSide;
    TacticsSlot& slot = TacticCopies[side].slots[place];
    if (s_mark.mode == MODE_INSTRUCTIONS)
        TacticsColumns_ChangeInstruction(&slot, column);
    else if (s_mark.mode == MODE_ROLES)
        TacticsColumns_GiveRole(side, SlotAt(side, place), column);
    else if (s_mark.mode == MODE_MARKING && column == 1)
        slot.markedOpponent = MARK_NONE;
}

int32_t ColumnEvent(const InGameMenuEvent* event)
{
    if (event->event != VT_EVENT_RELEASE) return VT_CONTINUE;
    const int32_t side = event->code / CODE_SIDE;
    const int32_t column = event->code % CODE_SIDE;
    const int32_t place = event->pointerY / ROW_H;
    if (side == s_mark.humanSide && s_mark.editable) ChangeColumn(place, column);
    return VT_BREAK_0;
}

int32_t HeaderEvent(const InGameMenuEvent* event)
{
    const bool enter = event->event == VT_EVENT_ENTER;
    if (!enter && event->event != VT_EVENT_LEAVE) return VT_CONTINUE;
    if (s_mark.mode != MODE_FIGURES) return VT_CONTINUE;
    s_mark.longName = enter ? kFigureLongNames[event->code % CODE_SIDE] : NONE;
    s_mark.longNameSide = event->code / CODE_SIDE;
    return VT_BREAK_0;
}

int32_t ModeEvent(const InGameMenuEvent* event)
{
    if (event->event != VT_EVENT_RELEASE) return VT_CONTINUE;
    s_mark.mode = kModeButtons[event->code].mode;
    s_mark.longName = NONE;
    return VT_BREAK_0;
}

int32_t TeamNameEvent(const InGameMenuEvent* event)
{
    if (event->event != VT_EVENT_RELEASE) return VT_CONTINUE;
    s_mark.shown[event->code] = !s_mark.shown[event->code];
    return VT_BREAK_0;
}

// ---------------------------------------------------------------------------------------------
// The map.

void Open()
{
    s_mark = {};
    s_mark.humanSide = Block().sides[0].human != 0 ? 0 : 1;
    s_mark.editable = Block().sides[s_mark.humanSide].human != 0;
    s_mark.mode = MODE_INSTRUCTIONS;
    s_mark.hovered[0] = s_mark.hovered[1] = NONE;
    s_mark.ownPick = s_mark.opponentPick = NONE;
    s_mark.shown[0] = s_mark.shown[1] = true;
    s_mark.longName = NONE;
    s_mark.title = "";
}

void Fill()
{
    for (int32_t side = 0; side < 2; ++side)
        TacticsGrid_Build(&s_mark.grids[side], side, TacticCopies[side]);
}

void AddSideRegions(InGameMapBuilder* b, int32_t side)
{
    b->Region(side, kNameX[side], NAME_Y, NAME_W, NAME_H, TeamNameEvent);
    for (int32_t c = 0; c < TG_COLUMNS; ++c) {
        b->Region(side * CODE_SIDE + c, ColumnX(side, c), HEADER_Y, COLUMN_W, ROW_H, HeaderEvent);
        b->Region(side * CODE_SIDE + c, ColumnX(side, c), ROWS_TOP, COLUMN_W,
                  ROW_H * MATCH_STARTERS, ColumnEvent);
    }
    for (int32_t place = 0; place < MATCH_STARTERS; ++place)
        b->Region(side * CODE_SIDE + place, kShirtX[side] - SHIRT_W / 2, RowY(place), SHIRT_W,
                  ROW_H, ShirtEvent);
}

const InGameMapBuilder& Map()
{
    static const InGameMapBuilder map = [] {
        InGameMapBuilder b{};
        b.Static(0, &s_mark.title);
        b.Custom(DrawScreen);
        for (int32_t side = 0; side < 2; ++side)
            AddSideRegions(&b, side);
        for (int32_t k = 0; k < 4; ++k)
            b.Region(k, kModeButtons[k].x, kModeButtons[k].y, MODE_BUTTON_W, MODE_BUTTON_H,
                     ModeEvent);
        InGameNavBar_Append(&b);
        b.Finish();
        return b;
    }();
    return map;
}

}  // namespace

void InGame_MarkingMenu() { InGameScreen_Run(InGameMarking_Screen()); }

const InGameScreen& InGameMarking_Screen()
{
    static const InGameScreen screen = {Map().items, Open, Fill, nullptr, Map().escape};
    return screen;
}

int32_t InGameMarking_Mode() { return s_mark.mode; }
int32_t InGameMarking_OwnPick() { return s_mark.ownPick; }
int32_t InGameMarking_OpponentPick() { return s_mark.opponentPick; }
int32_t InGameMarking_LongNameShown() { return s_mark.longName; }

InGameMarkingCaption InGameMarking_Caption(int32_t side)
{
    InGameMarkingCaption caption = {{"", "", ""}};
    const int32_t place = s_mark.hovered[side];
    if (place == NONE) return caption;
    caption.lines[0] = NameAt(side, place);
    if (side == s_mark.humanSide && MarksSomeone(place)) {
        caption.lines[1] = GetMessageText(TEXT_MARKING);
        caption.lines[2] = NameAt(Opponent(), MarkedBy(place));
    }
    return caption;
}
