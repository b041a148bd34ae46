// engine/winlib.cpp: the one main window, its message pump from Poll, the idle loop while the
// program is inactive, task-switch functions and window-procedure hooks, and the message box.
#include "engine/winlib.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/poll.h"
#include "engine/timer.h"

namespace {

constexpr uint8_t WIN_NO_BROADCAST = 0xFF;  // neither state: the first broadcast goes through

struct WinState {
    bool initialised;
    HostInstance instance;
    char appName[WIN_MAX_APPNAME + 1];
    uint32_t windowFlags;
    HostWindow window;
    HostMessage message;
    bool windowActivated;
    bool applicationActivated;
    bool hasFocus;
    bool messageBoxOpen;
    bool wasIdle;
};

// Registrations outlive WinInit: modules keep theirs until their own shutdown.
struct WinLists {
    WinTaskswitchFunc taskswitch[MAX_TASKSWITCH_LIST];
    // Reset by WinInit, so that a new window's first deactivation reaches the functions.
    uint8_t lastBroadcast = WIN_NO_BROADCAST;
    WinWindowProc hooks[WIN_MAX_WINDOW_PROCS];
    bool passOn;
};

WinState s_win;
WinLists s_winLists;
// The clock's thread reads this at every period, so it is recomputed whenever a flag changes.
std::atomic<bool> s_appActive{false};

void UpdateActive()
{
    s_appActive.store(s_win.windowActivated && s_win.applicationActivated && s_win.hasFocus
                          && !s_win.messageBoxOpen,
                      std::memory_order_release);
}

const char* ActiveText(bool active) { return active ? "active" : "inactive"; }

void ShowFatalBox(const char* text) { WinMessageBox(text, HOST_BOX_ERROR); }

// Step 1 of the window procedure: true, with the answer, when a hook consumed the message.
bool RunHooks(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam,
              intptr_t* answer)
{
    for (WinWindowProc hook : s_winLists.hooks) {
        if (hook == nullptr) continue;
        s_winLists.passOn = false;
        *answer = hook(window, message, wParam, lParam);
        if (!s_winLists.passOn) return true;
    }
    return false;
}

}  // namespace

void WinInit(const char* appName, uint32_t windowFlags)
{
    s_win = {};
    s_win.initialised = true;
    s_win.instance = HostProgramInstance();
    s_winLists.lastBroadcast = WIN_NO_BROADCAST;
    if (std::strlen(appName) > WIN_MAX_APPNAME)
        FatalAbort("winlib", __LINE__, "WinInit(): AppName too long");
    std::strcpy(s_win.appName, appName);
    s_win.windowFlags = windowFlags;
    UpdateActive();
    TimerSetActivityTest(WinIsAppActive);
    PollSetMessagePump(WinMessageHandler);
    FatalSetBox(ShowFatalBox);
    CreateMainWindow();
}

void WinUninit()
{
    if (!s_win.initialised) return;
    s_win.initialised = false;
    DestroyMainWindow();
    FatalSetBox(nullptr);
    PollSetMessagePump(nullptr);
    TimerSetActivityTest(nullptr);
}

void CreateMainWindow()
{
    s_win.window =
        HostWindowCreate(WinGetHInstance(), s_win.appName, WinIsWindowed(), WinMainWindowProc);
    if (s_win.window == HOST_NO_WINDOW)
        FatalAbort("winlib", __LINE__, "CreateMainWindow(): CreateWindowEx() failed");
    s_win.windowActivated = false;
    UpdateActive();
    HostWindowShow(s_win.window);
}

void DestroyMainWindow()
{
    if (!HostWindowDestroy(s_win.window))
        FatalAbort("winlib", __LINE__, "DestroyMainWindow(): failed to destroy window");
}

intptr_t WinMainWindowProc(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    intptr_t answer = 0;
    if (WinIsAppActive() && RunHooks(window, message, wParam, lParam, &answer)) return answer;

    switch (message) {
        case HOST_MSG_ACTIVATE:
            s_win.windowActivated = (wParam & 0xFFFF) != 0;
            UpdateActive();
            DebugPrintf(DBG_WIN, 50, "WinMainWindowProc(): WM_ACTIVATE %s\n",
                        ActiveText(s_win.windowActivated));
            HostWindowInvalidate(nullptr, true);
            return 0;
        case HOST_MSG_ACTIVATE_APP:
            s_win.applicationActivated = wParam != 0;
            UpdateActive();
            DebugPrintf(DBG_WIN, 50, "WinMainWindowProc(): WM_ACTIVATEAPP %s\n",
                        ActiveText(s_win.applicationActivated));
            HostWindowInvalidate(nullptr, true);
            return 0;
        case HOST_MSG_SET_FOCUS:
            s_win.hasFocus = true;
            UpdateActive();
            DebugPrintf(DBG_WIN, 50, "WinMainWinfowProc(): WM_SETFOCUS active\n");
            break;
        case HOST_MSG_KILL_FOCUS:
            s_win.hasFocus = false;
            UpdateActive();
            DebugPrintf(DBG_WIN, 50, "WinMainWinfowProc(): WM_KILLFOCUS inactive\n");
            break;
        case HOST_MSG_CLOSE:
            OnExitRun();
            DebugPrintf(DBG_WIN, 50, "WinMainWindowProc(): WM_CLOSE: calling DestroyWindow()\n");
            HostWindowDestroy(window);
            return 0;
        case HOST_MSG_DESTROY:
            OnExitRun();
            DebugPrintf(DBG_WIN, 50,
                        "WinMainWindowProc(): WM_DESTROY: calling PostQuitMessage()\n");
            HostPostQuit(0);
            return 0;
        case HOST_MSG_SET_CURSOR: HostCursorSetArrow(); return 0;
        default: break;
    }
    return HostDefaultWindowProc(window, message, wParam, lParam);
}

void WinMessageHandler()
{
    while (WinIsAppActive() && HostMsgPeek()) {
        WinIdleMessageHandler();
    }
    if (WinIsAppActive()) return;

    DebugPrintf(DBG_WIN, 50, "WinMessageHandler(): entering idle loop\n");
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_IDLE);
    while (!WinIsAppActive()) {
        WinIdleMessageHandler();
        s_win.wasIdle = true;
    }
    DebugPrintf(DBG_WIN, 50, "WinMessageHandler(): leaving idle loop\n");
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_ACTIVE);
}

void WinIdleMessageHandler()
{
    const int32_t got = HostMsgGet(&s_win.message);
    if (got == -1) FatalAbort("winlib", __LINE__, "WinIdleMessageHandler(): GetMessage() failed");
    if (got == 0) {
        DebugPrintf(DBG_WIN, 20, "WinIdleMessageHandler(): quit message received - terminating\n");
        // exit(), not FatalError: the exit functions that have not run yet still run, and the
        // game's own shutdown does not.
        std::exit(1);
    }
    HostMsgDispatch(s_win.message);
}

bool WinIsAppActive() { return s_appActive.load(std::memory_order_acquire); }

bool WinWasIdle()
{
    const bool wasIdle = s_win.wasIdle;
    s_win.wasIdle = false;
    return wasIdle;
}

bool WinIsWindowed() { return (s_win.windowFlags & WIN_FLAG_WINDOWED) != 0; }

HostWindow WinGetHWnd() { return s_win.window; }

HostInstance WinGetHInstance() { return s_win.instance; }

void WinGetClientOrigin(int32_t* x, int32_t* y) { HostWindowClientOrigin(x, y); }

void WinSetClientSize(int32_t width, int32_t height)
{
    if (WinIsWindowed()) HostWindowSetClientSize(width, height);
}

int32_t WinMessageBox(const char* text, HostBoxKind type)
{
    if (s_win.messageBoxOpen) return 0;
    s_win.messageBoxOpen = true;
    UpdateActive();
    const int32_t answer = HostMessageBox(s_win.appName, text, type);
    s_win.messageBoxOpen = false;
    UpdateActive();
    return answer;
}

void WinAddTaskswitchFunc(WinTaskswitchFunc func)
{
    for (int32_t i = 0; i < MAX_TASKSWITCH_LIST; ++i) {
        WinTaskswitchFunc& slot = s_winLists.taskswitch[i];
        if (slot == func)
            FatalAbort("winlib", __LINE__, "WinAddTaskswitchFunc(): function already added");
        if (slot != nullptr) continue;
        slot = func;
        DebugPrintf(DBG_WIN, 10, "WinAddTaskswitchFunc(): adding func at index %d\n", i);
        return;
    }
    FatalAbort("winlib", __LINE__,
               "WinAddTaskswitchFunc(): too many functions added - increase MAX_TASKSWITCH_LIST");
}

void WinRemoveTaskswitchFunc(WinTaskswitchFunc func)
{
    WinTaskswitchFunc* const list = s_winLists.taskswitch;
    for (int32_t i = 0; i < MAX_TASKSWITCH_LIST; ++i) {
        if (list[i] != func) continue;
        DebugPrintf(DBG_WIN, 10,
                    "WinRemoveTaskswitchList(): removing from index %d (all higher indexes "
                    "reduced)\n",
                    i);
        std::memmove(&list[i], &list[i + 1], (MAX_TASKSWITCH_LIST - 1 - i) * sizeof list[0]);
        list[MAX_TASKSWITCH_LIST - 1] = nullptr;
        return;
    }
    FatalAbort("winlib", __LINE__, "WinRemoveTaskswitchFunc(): function not found");
}

void WinCallTaskswitchFuncs(uint8_t state)
{
    const char* const name = state == WIN_TASKSWITCH_IDLE ? "idle" : "active";
    if (state == s_winLists.lastBroadcast) {
        DebugPrintf(DBG_WIN, 80, "WinCallTaskswitchFuncs(): ignoring extra %s\n", name);
        return;
    }
    s_winLists.lastBroadcast = state;
    DebugPrintf(DBG_WIN, 80, "WinCallTaskswitchFuncs(): calling for %s\n", name);
    for (WinTaskswitchFunc func : s_winLists.taskswitch) {
        if (func != nullptr) func(state);
    }
}

int32_t WinAddWindowProc(WinWindowProc hook)
{
    for (int32_t key = 0; key < WIN_MAX_WINDOW_PROCS; ++key) {
        if (s_winLists.hooks[key] != nullptr) continue;
        s_winLists.hooks[key] = hook;
        return key;
    }
    FatalAbort("winlib", __LINE__, "WinAddWindowProc(): too many window procs registered");
}

void WinRemoveWindowProc(int32_t key)
{
    // Only the low 16 bits name the slot; a slot past the list is refused like an empty one.
    const uint32_t slot = static_cast<uint32_t>(key) & 0xFFFF;
    if (slot >= WIN_MAX_WINDOW_PROCS || s_winLists.hooks[slot] == nullptr)
        FatalAbort("winlib", __LINE__, "WinRemoveWindowProc(): no proc to remove");
    s_winLists.hooks[slot] = nullptr;
}

intptr_t WinPassOnMessage(HostWindow, uint32_t, uintptr_t, intptr_t)
{
    s_winLists.passOn = true;
    return 0;
}
