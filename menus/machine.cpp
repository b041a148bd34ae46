// menus/machine.cpp: the menu display brought up and down, the software pointer, screen sections
// and the modal boxes.
#include "menus/machine.h"

#include <cstdio>

#include "engine/colconv.h"
#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/gfx.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "engine/mouse.h"
#include "engine/options.h"
#include "engine/poll.h"
#include "engine/random.h"
#include "engine/screengrab.h"
#include "engine/sounddrv.h"
#include "engine/startup.h"
#include "engine/timer.h"
#include "game/gamestate.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/loadbar.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/vtmenu.h"

QuestionButton MenuYesNoButtons[3] = {
    {270, 280, 80, 30, 249, MENU_ALIGN_CENTRE, 0, 0},
    {370, 280, 80, 30, 248, MENU_ALIGN_CENTRE, 0, 0},
    {0, 0, 0, 0, -1, 0, 0, 0},
};

namespace {

constexpr int32_t MENU_MUSIC_CHANNEL = 0;
constexpr int32_t MENU_WIDTH = 640;
constexpr int32_t MENU_HEIGHT = 480;
constexpr int32_t POINTER_EDGE = 5;  // the pointer stops 6 pixels short of the right and bottom
constexpr int32_t PANEL_ICON = 1;
constexpr uint16_t GAUGE_FRAME_COLOUR = 0x18C3;
constexpr uint16_t GAUGE_FILL_COLOUR = 0x318C;
constexpr uint16_t QUESTION_BUTTON_COLOUR = 0xCE59;

struct ScreenSection {
    void* block;  // null while not saved
    int32_t x;
    int32_t y;
    int32_t w;
    int32_t h;
};

struct MachineState {
    int32_t appliedVolume = -1;  // none applied yet
    int16_t pointerX;
    int16_t pointerY;
    void* saveBuffer;
    MenuRect saved;  // w 0: nothing saved
    int16_t busyCount;
    int16_t suspendCount;
    int16_t busyFrame;
    uint16_t busyPollKey;
    bool busyPollAdded;
    bool ownsSoundChannel;  // the display set the active channel and plays the music on it
    int32_t lastKey;
    bool pressForgotten;  // the buttons read as up until they really are
    ScreenSection sections[MENU_SCREEN_SECTIONS];
};

MachineState s_machine{};

void FreeSections()
{
    for (ScreenSection& section : s_machine.sections) {
        if (section.block != nullptr) FreeMemory(&section.block);
        section = {};
    }
}

bool Busy() { return s_machine.busyCount > 0 && s_machine.suspendCount == 0; }

void ReadPointer()
{
    int16_t x, y;
    uint16_t buttons;
    UpdatePointerPosition(&x, &y, &buttons);
}

void CheckSection(int32_t n, const char* error)
{
    if (n < 0 || n >= MENU_SCREEN_SECTIONS) FatalError("%s", error);
}

void DrawModalPanel(int32_t* panelX, int32_t* panelY, int32_t* panelW, int32_t* panelH)
{
    GetScaledIconSize(PANEL_ICON, panelW, panelH);
    *panelX = MENU_WIDTH / 2;
    *panelY = MENU_HEIGHT / 2;
    AlignPoint(panelX, panelY, *panelW, *panelH, MENU_ALIGN_CENTRE);
    PreserveScreenSection(MENU_MODAL_SECTION, *panelX, *panelY, *panelW, *panelH);
    DoIcon(MENU_WIDTH / 2, MENU_HEIGHT / 2, PANEL_ICON, MENU_ALIGN_CENTRE);
}

// One pointer frame of a modal box; true on a new press (a button down since the box opened
// must be released first).
bool ModalFrame(bool* held, uint16_t* buttons)
{
    ShowPointer();
    WaitMenuTick();
    ErasePointer();
    int16_t x, y;
    UpdatePointerPosition(&x, &y, buttons);
    if (*buttons == 0) {
        *held = false;
        return false;
    }
    return !*held;
}

bool TimedOut(uint32_t start, uint32_t timeoutTicks)
{
    return timeoutTicks != 0 && start + timeoutTicks < TickCount;
}

int32_t ButtonUnderPointer(const QuestionButton* buttons)
{
    for (int32_t i = 0; buttons[i].label != -1; ++i) {
        const QuestionButton& b = buttons[i];
        if (PointerX() >= b.placedX && PointerX() < b.placedX + b.w && PointerY() >= b.placedY
            && PointerY() < b.placedY + b.h)
            return i;
    }
    return -1;
}

void StartMenuMusic()
{
    if (!SndIsOn()) return;
    SndPlay(SndKeyMusic, Rand() % 2, MENU_MUSIC_CHANNEL,
            static_cast<uint16_t>(Options.menuVolume * 10), 0);
}

}  // namespace

void MachineInit() { s_machine = {}; }

void MachineUninit()
{
    if (s_machine.busyPollAdded) RemovePollFunction(s_machine.busyPollKey);
    if (s_machine.saveBuffer != nullptr) FreeMemory(&s_machine.saveBuffer);
    FreeSections();
    s_machine = {};
}

void InitSetOfMenus(MenuSound sound)
{
    MenuIconsInit();
    InitIconLists();
    SetGraphicMode(MenuChooseMode("InitSetOfMenus"), 0);
    MenuPcInit();
    LoadBarInit();
    LoadBar_Init(0);
    LoadBar_StartBlock(2, 1);
    AllocateMemory(&s_machine.saveBuffer,
                   POINTER_SAVE_SIZE * POINTER_SAVE_SIZE * MenuScreen.bytesPerPixel, MEM_TYPE_GAME);
    AllocMenuScreens();
    ResetMouseDriver();
    s_machine.pointerX = static_cast<int16_t>(MenuScreen.width / 2);
    s_machine.pointerY = static_cast<int16_t>(MenuScreen.height / 2);
    s_machine.ownsSoundChannel = SndIsOn() && sound == MenuSound::Music;
    if (s_machine.ownsSoundChannel) SndSetActiveChannels(1);
    LoadBar_StartBlock(MENU_FONT_COUNT, 1);
    MenuTextInit();
    for (int32_t font = 0; font < MENU_FONT_COUNT; ++font) {
        LoadFont(font);
        LoadBar_Advance(1);
    }
    LoadBar_EndBlock();
    FreeSections();
    VT_Init(0);
    s_machine.busyPollKey = AddPollFunction(BusyPointerPoll, POINTER_BUSY_TICKS, 1);
    s_machine.busyPollAdded = true;
    if (s_machine.ownsSoundChannel) StartMenuMusic();
    LoadBar_Advance(1);
    LoadBar_EndBlock();
    LoadBar_Uninit();
    if (MenuScreen.is256) {
        uint8_t palette[GFX_PALETTE_BYTES];
        ColConvMakeCubePalette(palette);
        SetPalette(palette);
    }
    KeyClearBuffer();
}

void ShutdownMenuGraphics()
{
    VT_Uninit();
    if (s_machine.busyPollAdded) RemovePollFunction(s_machine.busyPollKey);
    s_machine.busyPollAdded = false;
    if (MenuScreen.presented) ScreenWipeOut();
    if (s_machine.ownsSoundChannel && SndIsOn()) {
        SndStop(MENU_MUSIC_CHANNEL);
        SndClearActiveChannels();
    }
    s_machine.ownsSoundChannel = false;
    FreeMenuScreens();
    MenuTextUninit();
    MenuIconsUninit();
    MenuPcUninit();
    RestoreGraphicMode();
    if (s_machine.saveBuffer != nullptr) FreeMemory(&s_machine.saveBuffer);
    FreeSections();
    PurgeAllMemory();
}

void QuickTerminate()
{
    ShutdownMenuGraphics();
    FatalAbort("menus\\machine", __LINE__, "Quick termination");
}

void UpdatePointerPosition(int16_t* x, int16_t* y, uint16_t* buttons)
{
    int16_t dx, dy;
    uint16_t held;
    ReadMouseDriver(&dx, &dy, &held);
    int32_t px = s_machine.pointerX + dx;
    int32_t py = s_machine.pointerY + dy;
    if (px < 0) px = 0;
    if (py < 0) py = 0;
    if (px >= MenuScreen.width - POINTER_EDGE) px = MenuScreen.width - POINTER_EDGE - 1;
    if (py >= MenuScreen.height - POINTER_EDGE) py = MenuScreen.height - POINTER_EDGE - 1;
    s_machine.pointerX = static_cast<int16_t>(px);
    s_machine.pointerY = static_cast<int16_t>(py);
    *x = static_cast<int16_t>(px / MenuScreen.scale);
    *y = static_cast<int16_t>(py / MenuScreen.scale);
    *buttons = held & 3;
    if (s_machine.pressForgotten) {
        if (*buttons == 0) s_machine.pressForgotten = false;
        *buttons = 0;
    }
}

void ForgetHeldPress() { s_machine.pressForgotten = true; }

int16_t PointerX() { return s_machine.pointerX; }
int16_t PointerY() { return s_machine.pointerY; }

void ShowPointer()
{
    const bool busy = Busy();
    const int32_t icon = busy ? POINTER_BUSY_ICON + s_machine.busyFrame : POINTER_ICON;
    int32_t w, h;
    GetIconSize(icon, &w, &h);
    const int32_t iconX = busy ? s_machine.pointerX - POINTER_SAVE_SIZE / 2 : s_machine.pointerX;
    const int32_t iconY = busy ? s_machine.pointerY - POINTER_SAVE_SIZE / 2 : s_machine.pointerY;
    const int32_t skipX = iconX < 0 ? -iconX : 0;
    const int32_t skipY = iconY < 0 ? -iconY : 0;
    MenuRect r = {iconX + skipX, iconY + skipY, w - skipX, h - skipY};
    if (r.x + r.w > MenuScreen.width) r.w = MenuScreen.width - r.x;
    if (r.y + r.h > MenuScreen.height) r.h = MenuScreen.height - r.y;
    s_machine.saved = r;
    SaveScreenRect(r.x, r.y, r.w, r.h, static_cast<uint8_t*>(s_machine.saveBuffer));
    DoIconClipped(iconX, iconY, icon, MENU_ALIGN_TL, skipX, skipY, r.w, r.h);
    PresentChangedRects();
    if (KeyIsDown(MENU_GRAB_KEY)) SaveScreenGrab();
}

void ErasePointer()
{
    const MenuRect& r = s_machine.saved;
    if (r.w > 0 && r.h > 0)
        PutScreenRect(r.x, r.y, r.w, r.h, static_cast<const uint8_t*>(s_machine.saveBuffer));
    s_machine.saved = {};
}

void SetBusyPointer(int32_t on)
{
    SndRefillAll();
    if (on) {
        if (++s_machine.busyCount == 1 && s_machine.suspendCount == 0) {
            s_machine.busyFrame = 0;
            ShowPointer();
            PresentMenuScreen();
        }
        return;
    }
    if (--s_machine.busyCount == 0 && s_machine.suspendCount == 0) {
        ErasePointer();
        PresentMenuScreen();
    }
}

void HidePointer(int32_t on)
{
    if (on) {
        if (++s_machine.suspendCount == 1 && s_machine.busyCount > 0) {
            ErasePointer();
            PresentMenuScreen();
        }
        return;
    }
    if (--s_machine.suspendCount == 0 && s_machine.busyCount > 0) {
        ShowPointer();
        PresentMenuScreen();
    }
}

void BusyPointerPoll()
{
    if (!Busy()) return;
    s_machine.busyFrame = static_cast<int16_t>((s_machine.busyFrame + 1) % POINTER_BUSY_FRAMES);
    ErasePointer();
    ReadPointer();
    DrawBusyGauge();
    // Only the changed rectangles: this runs inside Poll, where a first presentation's wipe would
    // wait for ticks that the guarded Poll can no longer advance.
    ShowPointer();
    PresentChangedRects();
}

void DrawBusyGauge()
{
    if (ProgressCounters.total <= 0) return;
    const MenuAttributes kept = MenuAttr;
    SetDrawAttribute(2, GAUGE_FRAME_COLOUR);
    SetDrawAttribute(4, 0);
    DoButton(265, 419, 106, 21);
    const int32_t percent = ProgressCounters.done * 100 / ProgressCounters.total;
    if (percent >= 4 && percent <= 100) {
        SetDrawAttribute(2, GAUGE_FILL_COLOUR);
        DoButton(268, 422, percent, 15);
    }
    SetMenuFont(0);
    SetDrawAttribute(1, 0);
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", percent);
    DrawMenuString(318, 429, text, MENU_ALIGN_CENTRE);
    SetDrawAttribute(2, kept.drawColour);
    SetDrawAttribute(1, kept.fontColour);
    SetMenuFont(kept.font);
    SetDrawAttribute(4, kept.buttonStyle);
}

void WaitMenuTick()
{
    const uint32_t start = TickCount;
    while (TickCount == start)
        Poll();
    if (SndIsOn() && Options.menuVolume != s_machine.appliedVolume) {
        SndSetVolumeIfActive(MENU_MUSIC_CHANNEL, static_cast<uint16_t>(Options.menuVolume * 10));
        s_machine.appliedVolume = Options.menuVolume;
    }
    Poll();
}

void PollMenuKey()
{
    if (KeyAsciiAvailable()) s_machine.lastKey = KeyAsciiRead();
}

int32_t GetMenuKey()
{
    const int32_t key = s_machine.lastKey;
    s_machine.lastKey = 0;
    return key;
}

void MenuBeep()
{
    std::putchar(7);
    std::fflush(stdout);
}

void PreserveScreenSection(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h)
{
    CheckSection(n, "Error: PreserveScreenSection(): section index out of range\n");
    DebugPrintf(DBG_GRAPHICS, 80, "PreserveScreenSection(): saving section %d - %d,%d (%dx%d)\n", n,
                x, y, w, h);
    ScreenSection& section = s_machine.sections[n];
    if (section.block != nullptr)
        FatalError("Error: PreserveScreenSection(): section no %d already saved\n", n);
    if (x < 0 || y < 0 || x + w > MenuScreen.width || y + h > MenuScreen.height)
        FatalError("Error: PreserveScreenSection(): off screen coords for section %d - %d,%d "
                   "(%dx%d)\n",
                   n, x, y, w, h);
    const uint32_t bytes = static_cast<uint32_t>(w * h) * MenuScreen.bytesPerPixel;
    AllocateMemory(&section.block, bytes > 0 ? bytes : 1, MEM_TYPE_GAME);
    section.x = x;
    section.y = y;
    section.w = w;
    section.h = h;
    if (w * h > 0) SaveScreenRect(x, y, w, h, static_cast<uint8_t*>(section.block));
}

void RestoreScreenSection(int32_t n)
{
    CheckSection(n, "Error: RestoreScreenSection(): section index out of range\n");
    ScreenSection& section = s_machine.sections[n];
    if (section.block == nullptr)
        FatalError("Error: RestoreScreenSection(): section no %d not saved\n", n);
    DebugPrintf(DBG_GRAPHICS, 50, "RestoreScreenSection(): restoring section %d - %d,%d (%dx%d)\n",
                n, section.x, section.y, section.w, section.h);
    if (section.w * section.h > 0)
        PutScreenRect(section.x, section.y, section.w, section.h,
                      static_cast<const uint8_t*>(section.block));
    FreeMemory(&section.block);
    section = {};
}

void ResetScreenSection(int32_t n)
{
    CheckSection(n, "Error: ResetScreenSection(): section index out of range\n");
    ScreenSection& section = s_machine.sections[n];
    DebugPrintf(DBG_GRAPHICS, 50, "RestoreScreenSection(): restoring section %d - %d,%d (%dx%d)\n",
                n, section.x, section.y, section.w, section.h);
    if (section.block != nullptr) FreeMemory(&section.block);
    section = {};
}

int32_t IsSavedScreenSection(int32_t n)
{
    CheckSection(n, "Error: ResetScreenSection(): section index out of range\n");
    const bool saved = s_machine.sections[n].block != nullptr;
    DebugPrintf(DBG_GRAPHICS, 50, "IsSavedScreenSection(): section %d - %s\n", n,
                saved ? "saved" : "not saved");
    return saved ? 1 : 0;
}

void DoMessageBox(const char* text, uint32_t timeoutTicks)
{
    HidePointer(1);
    int32_t panelX, panelY, panelW, panelH;
    DrawModalPanel(&panelX, &panelY, &panelW, &panelH);
    SetMenuFont(1);
    const int32_t boxX = (MenuScreen.width - 440) / 2 + 30;
    const int32_t boxY = (MenuScreen.height - 200) / 2 + 20;
    SetDrawAttribute(1, 2);
    DoTextBox(boxX, boxY, text, MENU_ALIGN_CENTRE, 380, 160);
    SetDrawAttribute(1, 1);
    DoTextBox(boxX - 1, boxY - 1, text, MENU_ALIGN_CENTRE, 380, 160);
    DrawMenuMessage(panelX + panelW / 2, panelY + panelH - 40, MENU_CLICK_TEXT, 6);
    SetDrawAttribute(1, 0);
    PresentMenuScreen();
    const uint32_t start = TickCount;
    bool held = true;
    uint16_t buttons = 0;
    // Escape closes the box as a click does; one pressed before the box showed does not.
    KeyWasPressed(EXM_ESCAPE_KEY);
    while (!ModalFrame(&held, &buttons) && !TimedOut(start, timeoutTicks)
           && KeyWasPressed(EXM_ESCAPE_KEY) == 0) {
    }
    ForgetHeldPress();
    SetDrawAttribute(1, 0);
    RestoreScreenSection(MENU_MODAL_SECTION);
    HidePointer(0);
}

int32_t DoQuestionBox(const char* text, uint32_t timeoutTicks, QuestionButton* buttons)
{
    const int32_t keptStyle = MenuAttr.buttonStyle;
    SetDrawAttribute(4, 1);
    SetDrawAttribute(2, QUESTION_BUTTON_COLOUR);
    int32_t panelX, panelY, panelW, panelH;
    DrawModalPanel(&panelX, &panelY, &panelW, &panelH);
    DoTextBox((MenuScreen.width - 440) / 2 + 20, (MenuScreen.height - 200) / 2 - 20, text,
              MENU_ALIGN_CENTRE, 400, 160);
    int32_t count = 0;
    for (; buttons[count].label != -1; ++count) {
        QuestionButton& b = buttons[count];
        int32_t x = b.x, y = b.y;
        AlignPoint(&x, &y, b.w, b.h, b.alignment);
        b.placedX = static_cast<int16_t>(x);
        b.placedY = static_cast<int16_t>(y);
        DoButton(x, y, b.w, b.h);
        DrawMenuString(b.x, b.y, GetMessageText(b.label), b.alignment);
    }
    PresentMenuScreen();
    const uint32_t start = TickCount;
    bool held = true;
    bool missed = false;
    int32_t answer = -1;
    uint16_t pressed = 0;
    while (answer < 0) {
        const bool newPress = ModalFrame(&held, &pressed);
        if (pressed != 0 && !held) {
            answer = ButtonUnderPointer(buttons);
            missed = missed || (newPress && answer < 0);
        }
        if (answer < 0 && TimedOut(start, timeoutTicks)) {
            answer = missed ? count : -1;
            break;
        }
    }
    ForgetHeldPress();
    SetDrawAttribute(4, keptStyle);
    RestoreScreenSection(MENU_MODAL_SECTION);
    return answer;
}

int32_t MenuKeyCodeHook() { return 0; }
int32_t QuickTerminateRequested() { return 0; }

int32_t MenuChooseMode(const char* caller)
{
    if (!Menu256Flag) {
        for (int32_t kind = DDRAW_KIND_16BIT; kind <= DDRAW_KIND_32BIT; ++kind) {
            const int32_t mode = GfxFindMode(MENU_WIDTH, MENU_HEIGHT, kind);
            if (mode >= 0) return mode;
        }
    }
    const int32_t mode = GfxFindMode(MENU_WIDTH, MENU_HEIGHT, DDRAW_KIND_8BIT);
    if (mode < 0)
        FatalError("Error: %s(): Your video card does not support a suitable graphics mode\n",
                   caller);
    return mode;
}

int32_t BusyPointerCount() { return s_machine.busyCount; }
