// menus/machine.h: the menu display brought up and down, its software pointer, the busy pointer
// with its progress gauge, saved screen sections and the two modal boxes; one menu frame per tick.
#pragma once

#include <cstdint>

constexpr int32_t MENU_SCREEN_SECTIONS = 5;
constexpr int32_t MENU_MODAL_SECTION = 4;  // the modal boxes' section
constexpr int32_t POINTER_ICON = 1298;
constexpr int32_t POINTER_BUSY_ICON = 1299;  // the first of the hourglass's frames
constexpr int32_t POINTER_BUSY_FRAMES = 20;
constexpr int32_t POINTER_BUSY_TICKS = 4;  // between two hourglass frames
constexpr int32_t POINTER_SAVE_SIZE = 24;  // the larger pointer icon's width and height
constexpr int32_t MENU_GRAB_KEY = 0x46;    // held: every pointer draw grabs the screen
constexpr int32_t MENU_CLICK_TEXT = 874;   // "Cliquez pour continuer"

// A question box's button; the table ends with a record whose label is -1. The box writes the
// placed corner (the anchor moved by the alignment).
struct QuestionButton {
    int16_t x;
    int16_t y;
    int16_t w;
    int16_t h;
    int16_t label;  // text number
    uint16_t alignment;
    int16_t placedX;
    int16_t placedY;
};
// The front end's yes/no tables: "Oui" answers 0, "Non" 1.
extern QuestionButton MenuYesNoButtons[3];

// Forgets the pointer, the busy state, the sections and the applied volume; brings nothing up.
void MachineInit();
// Frees the pointer buffer and every section; safe without MachineInit and twice.
void MachineUninit();

// Brings the menu display up: the icon list, 640 x 480 in 16, 24 or 32 bits (8-bit with
// "-menu256" or when none exists; neither is the fatal error "Error: InitSetOfMenus(): Your
// video card does not support a suitable graphics mode\n"), the work screens, the pointer at
// the centre, fonts 0-2 under the load bar, the VT_ interface in environment 0, the busy poll
// and, with sound on, one active sound channel and the front-end music on it. With
// MenuSound::Keep (a match view whose sounds already hold the channels) the sound layer is left
// as it is.
enum class MenuSound { Music, Keep };
void InitSetOfMenus(MenuSound sound = MenuSound::Music);
// Brings it down again and purges every purgeable block; the sound channel goes only when the
// display took it.
void ShutdownMenuGraphics();
// The shutdown, then the fatal abort "Quick termination".
[[noreturn]] void QuickTerminate();

// Moves the pointer by the mouse's motion, keeping it in 0 .. width - 6 and 0 .. height - 6; out:
// its menu position and the buttons (bits 0-1).
void UpdatePointerPosition(int16_t* x, int16_t* y, uint16_t* buttons);
// The press in hand, if any, has done its work (it opened a screen or closed a box): the buttons
// read as up until they are let go, so that what comes next sees neither it nor its release.
void ForgetHeldPress();
int16_t PointerX();  // screen pixels
int16_t PointerY();
// Saves what lies under the pointer (the hourglass while busy and not suspended, centred on the
// point; else the arrow, top-left at it), draws it clipped to the screen and presents it.
void ShowPointer();
void ErasePointer();  // puts back what the last ShowPointer covered
// Nested: the hourglass shows from the first on to the last off.
void SetBusyPointer(int32_t on);
int32_t BusyPointerCount();  // how deep the busy pointer is nested; 0 when not busy
// Nested suspension of the busy animation by code that draws the pointer itself.
void HidePointer(int32_t on);
// Every POINTER_BUSY_TICKS while busy and not suspended: the next hourglass frame, the gauge.
void BusyPointerPoll();
// While ProgressCounters.total > 0: a frame, a one-pixel-per-percent fill for 4-100 percent and
// the percentage; every drawing attribute it changes is put back.
void DrawBusyGauge();

// Waits until the tick counter changes; with sound on, gives channel 0 the menu volume (0-10,
// as 0-100) when it differs from the one last applied; then polls.
void WaitMenuTick();

// The menus' display mode: the first 640 x 480 mode of 16, 24 or 32 bits, unless "-menu256" asks
// for the 8-bit one or there is none; no such mode is fatal, naming `caller`.
int32_t MenuChooseMode(const char* caller);
void PollMenuKey();    // keeps a waiting character as the last key
int32_t GetMenuKey();  // the last key, then 0
void MenuBeep();       // the bell character on standard output

// Sections 0-4 of the work screen. Saving a saved section, off-screen coordinates and an index
// out of range are fatal errors; restoring an unsaved one too.
void PreserveScreenSection(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h);
void RestoreScreenSection(int32_t n);  // puts it back and frees it
void ResetScreenSection(int32_t n);    // frees it without putting it back
int32_t IsSavedScreenSection(int32_t n);

// The text on the panel over section 4, closed by a new press anywhere (a button already down
// must be released first), by Escape pressed while it shows, or after `timeoutTicks` (0: never).
void DoMessageBox(const char* text, uint32_t timeoutTicks);
// The text and the buttons; answers the first button under a new press, or on time-out -1, or
// the number of buttons when a press had missed them all.
int32_t DoQuestionBox(const char* text, uint32_t timeoutTicks, QuestionButton* buttons);

// The hooks the menu loop asks; this program has neither source, so both answer 0.
int32_t MenuKeyCodeHook();
int32_t QuickTerminateRequested();
