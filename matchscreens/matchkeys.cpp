// matchscreens/matchkeys.cpp: the match keys, the replay bar's input, the controllers, the virtual
// pointer.
#include "matchscreens/matchkeys.h"

#include <algorithm>
#include <array>

#include "engine/gfx.h"
#include "engine/joystick.h"
#include "engine/keyboard.h"
#include "engine/mouse.h"
#include "engine/options.h"
#include "engine/screengrab.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/presentation.h"
#include "matchscreens/camera.h"
#include "matchscreens/replay.h"
#include "matchscreens/replaysave.h"
#include "menus/machine.h"
#include "viewservices/hotzone.h"
#include "viewservices/infobar.h"
#include "viewservices/videosettings.h"
#include "viewservices/viewscreen.h"

namespace {

// The digit keys 1-4, each with one camera.
constexpr std::array<CameraKeyRow, CAMERA_KEY_ROWS> kStartRows = {{
    {{0, -1, -1}, MKEY_DIGIT1, 0, 0},
    {{1, -1, -1}, MKEY_DIGIT1 + 1, 0, 0},
    {{2, -1, -1}, MKEY_DIGIT1 + 2, 0, 0},
    {{3, -1, -1}, MKEY_DIGIT1 + 3, 0, 0},
}};
constexpr ControllerRecord kNoController = {0, CONTROL_NO_DIRECTION, 0, CONTROL_NO_DIRECTION};
constexpr int32_t kModelDetailLevels = 3;
constexpr int32_t kPointerSize = 12;
constexpr int32_t kKindJoystick = 1;
constexpr int32_t kKindKeyboard = 2;
constexpr int32_t kKindUnrotated = 4;
constexpr int32_t kMapKeys = 10;  // left, right, up, down, six buttons
constexpr int32_t kMapButtons = 6;

constexpr std::array<std::array<int32_t, kMapKeys>, 2> kKeyMaps = {{
    {203, 205, 200, 208, 157, 54, 53, 52, 51, 50},  // arrows, right Ctrl, right Shift, / . , M
    {44, 45, 16, 30, 15, 57, 46, 47, 48, 49},       // Z, X, Q, A, Tab, Space, C, V, B, N
}};
// By h + 3v: h and v are 0 for left or up, 1 for neither, 2 for right or down.
constexpr auto kDirections = std::to_array<int16_t>({7, 0, 1, 6, 255, 2, 5, 4, 3});

struct MatchKeysState {
    bool grabRepeats;  // Caps Lock held after a Scroll Lock grab
};

MatchKeysState s_keys;

int32_t Axis(bool low, bool high) { return low ? 0 : (high ? 2 : 1); }

void ReadKeyboardMap(int32_t map, ControllerRecord* c)
{
    const auto& keys = kKeyMaps[map];
    const int32_t h = Axis(KeyIsDown(keys[0]) != 0, KeyIsDown(keys[1]) != 0);
    const int32_t v = Axis(KeyIsDown(keys[2]) != 0, KeyIsDown(keys[3]) != 0);
    c->direction = kDirections[h + 3 * v];
    c->buttons = 0;
    for (int32_t b = 0; b < kMapButtons; ++b) {
        if (KeyIsDown(keys[4 + b]) != 0) c->buttons = static_cast<int16_t>(c->buttons | 1 << b);
    }
}

void ReadJoystick(const JoyState& stick, ControllerRecord* c)
{
    const int32_t h = Axis(stick.x<0, stick.x> 0);
    const int32_t v = Axis(stick.y<0, stick.y> 0);
    c->direction = kDirections[h + 3 * v];
    // Every joystick's button map is all zeros, so no joystick button sets a bit.
    c->buttons = 0;
}

void ReadController(const JoyState* sticks, ControllerRecord* c)
{
    const int32_t setting = c->setting;
    if (setting == 0) {
        c->direction = CONTROL_NO_DIRECTION;
        c->buttons = 0;
    } else if (setting >= 0x100 && setting <= 0x103 && sticks != nullptr) {
        ReadJoystick(sticks[setting & 0xFF], c);
    } else if (setting == 0x200 || setting == 0x201) {
        ReadKeyboardMap(setting & 0xFF, c);
    }
}

int32_t KindOf(const ControllerRecord& c) { return (c.setting >> 8) & 0x7F; }

void ToggleSubstitution(int32_t first)
{
    const MatchDayBlock* block = GetMatchSidesBlock();
    for (int32_t side : {first, 1 - first}) {
        if (block->sides[side].human != 0) {
            SubstitutionRequest[side] = static_cast<int16_t>(SubstitutionRequest[side] ^ 1);
            return;
        }
    }
}

// The row's camera number is the view type the current camera takes.
void SelectCamera(CameraKeyRow* row)
{
    SetCameraViewType(row->cameras[row->cycle]);
    ++row->cycle;
    if (row->cycle >= 3 || row->cameras[row->cycle] == -1) row->cycle = 0;
}

void MovePointerToCursor(int32_t step)
{
    ReplayBarCursor = static_cast<int16_t>(
        std::clamp(ReplayBarCursor + step, REPLAYBAR_CURSOR_FIRST, REPLAYBAR_CURSOR_LAST));
    const HotZoneRect& zone = HotZone[ReplayBarCursor];
    VirtualPointer.x = static_cast<int16_t>(zone.x + zone.width / 2);
    VirtualPointer.y = static_cast<int16_t>(zone.y + zone.height / 2);
}

void ReplayBarKeys()
{
    if (!Replay_IsPlaying() || ReplayState == REPLAYKIND_HIGHLIGHT) return;
    if (KeyWasPressed(MKEY_LEFT) != 0) MovePointerToCursor(-1);
    if (KeyWasPressed(MKEY_RIGHT) != 0) MovePointerToCursor(1);
    if (KeyWasPressed(MKEY_ENTER) != 0) VirtualPointer.buttons |= 1;
}

void Toggle(int16_t* flag, int32_t infoBarType)
{
    *flag = static_cast<int16_t>(*flag == 0);
    InfoBar(infoBarType, 0, 0, 0);
}

void ToggleKept(int16_t* flag, int32_t infoBarType)
{
    Toggle(flag, infoBarType);
    MatchKeys_KeepViewFlags();
}

void ViewKeys()
{
    for (CameraKeyRow& row : CameraKeyRows) {
        if (KeyWasPressed(row.key) != 0) SelectCamera(&row);
    }
    if (!Video_Has3DDevice()) {
        if (KeyWasPressed(MKEY_F4) != 0) MatchKeys_StepResolution(1);
        if (KeyWasPressed(MKEY_F3) != 0) MatchKeys_StepResolution(-1);
    }
    if (KeyWasPressed(MKEY_F7) != 0) ToggleKept(&ViewFlags.panoramic, INFOBAR_PANORAMIC);
    if (KeyWasPressed(MKEY_F8) != 0) {
        CycleModelDetail();
        MatchKeys_KeepViewFlags();
    }
    if (KeyWasPressed(MKEY_F6) != 0) ToggleKept(&ViewFlags.showNames, INFOBAR_NAMES);
    if (KeyWasPressed(MKEY_F5) != 0 && !Replay_IsPlaying())
        Toggle(&ViewFlags.quickPreview, INFOBAR_QUICK_PREVIEW);
}

void ReplayKey()
{
    if (KeyWasPressed(MKEY_F2) == 0) return;
    if (Replay_IsPlaying()) {
        Replay_RequestEnd();
        return;
    }
    Replay_StartInstant();
    if (MatchShared.replayStartRequest != 0) ViewFlags.quickPreview = 0;
}

void GrabKeys()
{
    if (KeyWasPressed(MKEY_SCROLL_LOCK) != 0) {
        SaveScreenGrab();
        s_keys.grabRepeats = KeyIsDown(MKEY_CAPS_LOCK) != 0;
    } else if (s_keys.grabRepeats) {
        s_keys.grabRepeats = KeyIsDown(MKEY_CAPS_LOCK) != 0;
        if (s_keys.grabRepeats) SaveScreenGrab();
    }
}

}  // namespace

std::array<CameraKeyRow, CAMERA_KEY_ROWS> CameraKeyRows = kStartRows;
int16_t ReplayBarCursor = REPLAYBAR_CURSOR_FIRST;
VirtualPointerRecord VirtualPointer;
ControllerRecord Controllers[2] = {kNoController, kNoController};

void MatchKeys_Init()
{
    ViewFlags_Init();
    CameraKeyRows = kStartRows;
    ReplayBarCursor = REPLAYBAR_CURSOR_FIRST;
    VirtualPointer = {};
    for (ControllerRecord& c : Controllers)
        c = kNoController;
    s_keys = {};
}

void MatchKeys_Uninit() { MatchKeys_Init(); }

void MatchKeys_ReadControllers(int32_t rotation)
{
    if (MatchShared.menuRequest == 0) {
        const bool joystick =
            KindOf(Controllers[0]) == kKindJoystick || KindOf(Controllers[1]) == kKindJoystick;
        const JoyState* sticks = joystick ? ReadJoysticks() : nullptr;
        for (ControllerRecord& c : Controllers)
            ReadController(sticks, &c);
        for (ControllerRecord& c : Controllers) {
            c.previousDirection = c.direction;
            if (KindOf(c) != kKindUnrotated && c.direction != CONTROL_NO_DIRECTION)
                c.direction = static_cast<int16_t>((c.direction + rotation + 10) % 8);
        }
    }
    MatchKeys();
}

void MatchKeys()
{
    if (KeyWasPressed(MKEY_F1) != 0) MatchShared.menuRequest = 5;
    if (KeyWasPressed(MKEY_ESCAPE) != 0) {
        if (Replay_IsPlaying()) {
            Replay_RequestEnd();
        } else {
            MatchShared.menuRequest = 1;
        }
    }
    if (GetMatchSidesBlock()->viewMode != VIEW_3D) return;
    if (KeyWasPressed(MKEY_F11) != 0) ToggleSubstitution(0);
    if (KeyWasPressed(MKEY_F12) != 0) ToggleSubstitution(1);
    ReplayBarKeys();
    ViewKeys();
    ReplayKey();
    GrabKeys();
}

void ReplayBar_Input(int32_t x, int32_t y, bool pressed)
{
    if (pressed) {
        for (int32_t zone = HOTZONE_REPLAY_FIRST; zone <= HOTZONE_REPLAY_LAST; ++zone) {
            if (!HotZone_Holds(zone, x, y)) continue;
            ReplayMode = static_cast<int16_t>(zone - HOTZONE_REPLAY_FIRST);
            ReplaySelectedMode = ReplayMode;
            break;
        }
    }
    Replay_CountDownStep();
}

void ReplayBar_SaveRequest()
{
    if (ReplayState == REPLAYKIND_SLOT) return;
    MatchShared.menuRequest = 0;
    Replay_RequestEnd();
    MatchView_Destroy();
    InitSetOfMenus();
    InGame_ReplayMenu();
    ShutdownMenuGraphics();
    MatchView_Init();
}

void MatchKeys_StepResolution(int32_t step)
{
    ReleaseSoftwareScreens();
    StepSoftwareResolution(step);
    MatchView_Destroy();
    MatchView_Init();
    int32_t count = 0;
    const DDrawMode* modes = GfxModeList(&count);
    if (SoftwareResolution < count) {
        const DDrawMode& mode = modes[SoftwareResolution];
        InfoBar(INFOBAR_SCREEN_SIZE, mode.width, mode.height, 0);
    }
}

void MatchKeys_KeepViewFlags()
{
    Options.panoramic = ViewFlags.panoramic;
    Options.showNames = ViewFlags.showNames;
    Options.modelDetail = ViewFlags.modelDetail;
}

void CycleModelDetail()
{
    ViewFlags.modelDetail = (ViewFlags.modelDetail + 1) % kModelDetailLevels;
    InfoBar(INFOBAR_MODEL_DETAIL, 0, 0, 0);
}

void VirtualPointer_Update(int32_t screenWidth, int32_t screenHeight)
{
    int16_t dx = 0, dy = 0;
    uint16_t buttons = 0;
    ReadMouseDriver(&dx, &dy, &buttons);
    VirtualPointer.x = static_cast<int16_t>(
        std::clamp(VirtualPointer.x + dx, 0, std::max(0, screenWidth - kPointerSize)));
    VirtualPointer.y = static_cast<int16_t>(
        std::clamp(VirtualPointer.y + dy, 0, std::max(0, screenHeight - kPointerSize)));
    VirtualPointer.buttons = static_cast<int16_t>(buttons);
}

VirtualPointerRecord VirtualPointer_Get() { return VirtualPointer; }

void VirtualPointer_Set(int32_t x, int32_t y, int32_t buttons)
{
    VirtualPointer = {static_cast<int16_t>(x), static_cast<int16_t>(y),
                      static_cast<int16_t>(buttons)};
}
