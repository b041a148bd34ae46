// engine/winlib.h: the one main window, its message pump from Poll, the idle loop while the
// program is inactive, task-switch functions and window-procedure hooks, and the message box.
#pragma once

#include <cstdint>

#include "engine/host/host.h"

constexpr int32_t WIN_MAX_APPNAME = 64;
constexpr int32_t MAX_TASKSWITCH_LIST = 32;
constexpr int32_t WIN_MAX_WINDOW_PROCS = 16;

constexpr uint32_t WIN_FLAG_WINDOWED = 0x1;  // clear: full screen

constexpr uint8_t WIN_TASKSWITCH_IDLE = 0;
constexpr uint8_t WIN_TASKSWITCH_ACTIVE = 1;

using WinTaskswitchFunc = void (*)(uint8_t state);  // WIN_TASKSWITCH_IDLE or _ACTIVE
using WinWindowProc = HostWindowProc;

// Clears the state, takes the host's instance of the program, the name (at most 64 characters, else
// the fatal abort "WinInit(): AppName too long") and the flags, and creates and shows the window,
// so the program is active when it returns. Makes the window the tick's activity test, Poll's
// message pump and the fatal error's box. The lists below are kept; only the memory of the last
// broadcast is cleared.
void WinInit(const char* appName, uint32_t windowFlags);
// Destroys the window and removes what WinInit registered; safe without WinInit and twice.
void WinUninit();

void CreateMainWindow();
void DestroyMainWindow();

// The window's procedure: hooks first while the program is active, then activation, focus,
// close (runs the exit functions), destroy (quits) and the cursor.
intptr_t WinMainWindowProc(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Poll's pump: handles what is pending while active; while inactive, stands in the idle loop
// until the program is active again, telling the task-switch functions on entry and exit.
void WinMessageHandler();
// Waits for one message and dispatches it; a quit ends the process with code 1 through exit().
void WinIdleMessageHandler();

// Active: activated window, activated application, focus, and no message box open. Safe to read
// from the clock's thread.
bool WinIsAppActive();
bool WinWasIdle();  // the idle loop ran since the last call; clears that
bool WinIsWindowed();
HostWindow WinGetHWnd();
// The program's instance the window was made for, as WinInit took it from the host.
HostInstance WinGetHInstance();
void WinGetClientOrigin(int32_t* x, int32_t* y);       // screen position of the client's corner
void WinSetClientSize(int32_t width, int32_t height);  // windowed only

// Shows a box captioned with the application name and gives its answer; while a box is open,
// answers 0 and shows nothing.
int32_t WinMessageBox(const char* text, HostBoxKind type);

// The task-switch list is compact, called in slot order; a duplicate or a 33rd function, or the
// removal of an absent one, is a fatal abort.
void WinAddTaskswitchFunc(WinTaskswitchFunc func);
void WinRemoveTaskswitchFunc(WinTaskswitchFunc func);
// Calls every function with the state, unless the last broadcast had the same state.
void WinCallTaskswitchFuncs(uint8_t state);

// A hook sees the window's messages first; its key is its slot. A 17th hook, or removing an empty
// or out-of-range key, is a fatal abort.
int32_t WinAddWindowProc(WinWindowProc hook);
void WinRemoveWindowProc(int32_t key);
// A hook's way to let a message go on to the next hook and the window's own handling.
intptr_t WinPassOnMessage(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
