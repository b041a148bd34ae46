// matchscreens/ingamepause.cpp: the in-match pause and display options screens.
#include "matchscreens/ingamepause.h"

#include <algorithm>
#include <cstdio>

#include "engine/options.h"
#include "engine/script.h"
#include "game/matchblocks.h"
#include "gamecode/presentation.h"
#include "matchscreens/camera.h"
#include "matchscreens/matchkeys.h"
#include "menus/vtmenu.h"

namespace {

constexpr uint8_t CENTRED = 0x55, TOP_CENTRE = 0x45, RIGHT = 0x56;
constexpr int32_t COLOUR_NORMAL = 0, COLOUR_HIGHLIGHT = 8;
constexpr int32_t BUTTON_NORMAL = 1, BUTTON_HIGHLIGHT = 2, BUTTON_PANEL = 3, BUTTON_KNOB = 5;
constexpr int32_t KNOB_W = 16;

struct Item {
    int16_t x, y, w, h;
    int16_t textNo;
};

// Both screens are a title, their own drawing and one region an item, coded by its place.
InGameMapBuilder ItemScreenMap(int32_t titleNo, VTDrawFn draw, const Item* items, int32_t count,
                               VTCallback event)
{
    InGameMapBuilder b{};
    b.StaticTitleNo(0, titleNo);
    b.Custom(draw);
    for (int32_t code = 0; code < count; ++code) {
        const Item& i = items[code];
        b.Region(code, i.x, i.y, i.w, i.h, event);
    }
    b.Finish();
    return b;
}

// ---------------------------------------------------------------------------------------------
// The pause screen.

enum PauseItem : int32_t {
    PAUSE_GOALS,
    PAUSE_ATTEMPTS,
    PAUSE_TEXT_VIEW,
    PAUSE_2D_VIEW,
    PAUSE_3D_VIEW,
    PAUSE_VIDEO,
    PAUSE_DISPLAY,
    PAUSE_RESUME,
    PAUSE_ITEMS
};
constexpr Item kPauseItems[PAUSE_ITEMS] = {
    {196, 120, 120, 24, 64},   {324, 120, 120, 24, 1393}, {136, 240, 120, 24, 1702},
    {260, 240, 120, 24, 1234}, {384, 240, 120, 24, 549},  {76, 360, 240, 24, 1051},
    {324, 360, 240, 24, 549},  {170, 440, 300, 30, 88},
};
constexpr Item kPausePanels[3] = {
    {10, 72, 620, 92, 1390}, {10, 192, 620, 92, 1668}, {10, 312, 620, 92, 447}};
constexpr int32_t COVER_H = 90;

uint16_t ViewMode() { return GetMatchSidesBlock()->viewMode; }
bool In3D() { return ViewMode() == VIEW_3D; }

int32_t PauseColour(int32_t item)
{
    bool highlighted = false;
    if (item == PAUSE_GOALS || item == PAUSE_ATTEMPTS)
        highlighted = MatchShared.highlightOption[item - PAUSE_GOALS] != 0;
    if (item >= PAUSE_TEXT_VIEW && item <= PAUSE_3D_VIEW)
        highlighted = ViewMode() == item - PAUSE_TEXT_VIEW;
    return highlighted ? COLOUR_HIGHLIGHT : COLOUR_NORMAL;
}

void DrawTextButton(const Item& item, int32_t buttonType, int32_t colour)
{
    VT_DrawButton(item.x, item.y, item.w, item.h, buttonType);
    VT_SetFontColour(colour);
    VT_DrawLabelNo(item.x, item.y, item.w, item.h, item.textNo);
}

void DrawPause(int32_t, int32_t, int32_t, int32_t)
{
    for (const Item& panel : kPausePanels) {
        VT_DrawButton(panel.x, panel.y, panel.w, panel.h, BUTTON_PANEL);
        VT_SetFontColour(COLOUR_NORMAL);
        VT_DrawTextNo(panel.x + panel.w / 2, panel.y + 4, TOP_CENTRE, panel.textNo);
    }
    for (int32_t item = 0; item < PAUSE_ITEMS; ++item)
        DrawTextButton(kPauseItems[item], BUTTON_NORMAL, PauseColour(item));
    if (In3D()) return;
    for (const int32_t panel : {0, 2})
        VT_DrawButton(kPausePanels[panel].x, kPausePanels[panel].y, kPausePanels[panel].w, COVER_H,
                      BUTTON_PANEL);
}

int32_t Leave(uint16_t nextId)
{
    InGameMenuId = nextId;
    return VT_BREAK_1;
}

int32_t PauseEvent(const InGameMenuEvent* event)
{
    if (event->event != VT_EVENT_PRESS) return VT_CONTINUE;
    const int32_t item = event->code;
    if (item >= PAUSE_TEXT_VIEW && item <= PAUSE_3D_VIEW) {
        GetMatchSidesBlock()->viewMode = static_cast<uint16_t>(item - PAUSE_TEXT_VIEW);
        return Leave(IGM_CLOSED);
    }
    if (item == PAUSE_RESUME) return Leave(IGM_CLOSED);
    if (!In3D()) return VT_CONTINUE;
    if (item == PAUSE_VIDEO) return Leave(IGM_VIDEO);
    if (item == PAUSE_DISPLAY) return Leave(IGM_DISPLAY);
    int16_t& option = MatchShared.highlightOption[item - PAUSE_GOALS];
    option = option != 0 ? 0 : 1;
    return VT_BREAK_0;
}

const InGameScreen& PauseScreen()
{
    static const InGameMapBuilder map =
        ItemScreenMap(1399, DrawPause, kPauseItems, PAUSE_ITEMS, PauseEvent);
    static const InGameScreen screen = {map.items, nullptr, nullptr, nullptr};
    return screen;
}

// ---------------------------------------------------------------------------------------------
// The display options.

enum DisplayRow : int32_t {
    ROW_CAMERA,
    ROW_DETAIL,
    ROW_PANORAMIC,
    ROW_NAMES,
    ROW_CROWD,
    ROW_SFX,
    ROW_MUSIC,
    ROW_DONE,
};
constexpr Item kDisplayItems[IGP_DISPLAY_ROWS] = {
    {260, 108, 200, 32, 1669}, {260, 144, 200, 32, 1232}, {260, 180, 200, 32, 1250},
    {260, 216, 200, 32, 1235}, {260, 288, 176, 22, 830},  {260, 324, 176, 22, 831},
    {260, 360, 176, 22, 832},  {415, 444, 180, 32, 75},
};
constexpr int32_t LABEL_X = 240;
constexpr int32_t TEXT_CAMERA_FIRST = 824, TEXT_DETAIL_LOW = 1244, TEXT_ON = 1240, TEXT_OFF = 1241;

struct DisplayState {
    int16_t buttonType[IGP_DISPLAY_ROWS];
    int16_t fontColour[IGP_DISPLAY_ROWS];
};

DisplayState s_display;

// The options block is packed: its fields are read and written by value, never through a pointer.
int32_t Volume(int32_t row)
{
    if (row == ROW_CROWD) return Options.crowdVolume;
    if (row == ROW_SFX) return Options.sfxVolume;
    return Options.menuVolume;
}

void SetVolume(int32_t row, int32_t value)
{
    const auto volume = static_cast<int16_t>(value);
    if (row == ROW_CROWD) Options.crowdVolume = volume;
    if (row == ROW_SFX) Options.sfxVolume = volume;
    if (row == ROW_MUSIC) Options.menuVolume = volume;
}

int32_t ValueText(int32_t row)
{
    switch (row) {
        case ROW_CAMERA: return TEXT_CAMERA_FIRST + Camera_ViewType() % CAMERA_VIEW_TYPES;
        case ROW_DETAIL: return TEXT_DETAIL_LOW - ViewFlags.modelDetail;
        case ROW_PANORAMIC: return ViewFlags.panoramic != 0 ? TEXT_ON : TEXT_OFF;
        case ROW_NAMES: return ViewFlags.showNames != 0 ? TEXT_ON : TEXT_OFF;
        default: return kDisplayItems[row].textNo;
    }
}

void DrawSlider(int32_t row)
{
    const Item& s = kDisplayItems[row];
    const int32_t value = Volume(row);
    VT_DrawButton(s.x, s.y, s.w, s.h, s_display.buttonType[row]);
    VT_SetFontColour(COLOUR_HIGHLIGHT);
    char percent[16];
    std::snprintf(percent, sizeof(percent), "%d%%", value * 10);
    VT_DrawTextAddr(s.x + s.w / 2, s.y + s.h / 2, CENTRED, percent);
    VT_DrawButton(InGamePause_KnobX(s.x, s.w, value), s.y, KNOB_W, s.h, BUTTON_KNOB);
}

void DrawDisplay(int32_t, int32_t, int32_t, int32_t)
{
    VT_DrawButton(45, 80, 550, 360, 4);
    for (int32_t row = 0; row < IGP_DISPLAY_ROWS; ++row) {
        const Item& item = kDisplayItems[row];
        if (row != ROW_DONE) {
            VT_SetFontColour(COLOUR_NORMAL);
            VT_DrawTextNo(LABEL_X, item.y + item.h / 2, RIGHT, item.textNo);
        }
        if (row >= ROW_CROWD && row <= ROW_MUSIC) {
            DrawSlider(row);
            continue;
        }
        Item value = item;
        value.textNo = static_cast<int16_t>(ValueText(row));
        DrawTextButton(value, s_display.buttonType[row], s_display.fontColour[row]);
    }
}

void ResetRows()
{
    for (int32_t row = 0; row < IGP_DISPLAY_ROWS; ++row) {
        s_display.buttonType[row] = BUTTON_NORMAL;
        s_display.fontColour[row] = COLOUR_NORMAL;
    }
}

void Highlight(int32_t row)
{
    s_display.buttonType[row] = BUTTON_HIGHLIGHT;
    s_display.fontColour[row] = COLOUR_HIGHLIGHT;
}

void ActOnRow(int32_t row, int32_t pointerX)
{
    switch (row) {
        case ROW_CAMERA: SetCameraViewType((Camera_ViewType() + 1) % CAMERA_VIEW_TYPES); break;
        case ROW_DETAIL: CycleModelDetail(); break;
        case ROW_PANORAMIC: ViewFlags.panoramic = ViewFlags.panoramic != 0 ? 0 : 1; break;
        case ROW_NAMES: ViewFlags.showNames = ViewFlags.showNames != 0 ? 0 : 1; break;
        default: SetVolume(row, InGamePause_SliderValue(pointerX, kDisplayItems[row].w)); break;
    }
    MatchKeys_KeepViewFlags();
}

int32_t DisplayEvent(const InGameMenuEvent* event)
{
    const int32_t row = event->code;
    switch (event->event) {
        case VT_EVENT_ENTER: Highlight(row); return VT_BREAK_0;
        case VT_EVENT_LEAVE: return VT_BREAK_0;
        case VT_EVENT_PRESS:
            Highlight(row);
            if (row == ROW_DONE) return VT_BREAK_1;
            ActOnRow(row, event->pointerX);
            return VT_BREAK_0;
        default: return VT_CONTINUE;
    }
}

const InGameScreen& DisplayScreen()
{
    static const InGameMapBuilder map =
        ItemScreenMap(447, DrawDisplay, kDisplayItems, IGP_DISPLAY_ROWS, DisplayEvent);
    static const InGameScreen screen = {map.items, ResetRows, nullptr, ResetRows};
    return screen;
}

}  // namespace

void InGamePause_Init() { ResetRows(); }

void InGame_PauseMenu() { InGameScreen_Run(PauseScreen()); }

void InGame_DisplayOptionsMenu() { InGameScreen_Run(DisplayScreen()); }

void InGamePause_RegisterScriptValues()
{
    ScriptRegisterValue("viewmode", [] { return static_cast<int32_t>(ViewMode()); });
    ScriptRegisterValue("detail", [] { return ViewFlags.modelDetail; });
    ScriptRegisterValue("crowdvol", [] { return static_cast<int32_t>(Options.crowdVolume); });
}

int32_t InGamePause_SliderValue(int32_t offset, int32_t width)
{
    return std::clamp(offset * (IGP_VOLUME_MAX + 1) / width, 0, IGP_VOLUME_MAX);
}

int32_t InGamePause_KnobX(int32_t x, int32_t width, int32_t value)
{
    return std::min(x + value * width / (IGP_VOLUME_MAX + 1), x + width - KNOB_W);
}

bool InGamePause_RowHighlighted(int32_t row)
{
    return s_display.buttonType[row] == BUTTON_HIGHLIGHT;
}

const InGameScreen& InGamePause_Screen(uint16_t id)
{
    return id == IGM_PAUSE ? PauseScreen() : DisplayScreen();
}
