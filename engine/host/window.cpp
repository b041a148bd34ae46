// engine/host/window.cpp: the one window, its message queue, its invalid region and the
// message box.
#include <algorithm>
#include <array>
#include <cstdio>

#include "engine/debug.h"
#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/internal.h"

namespace {

constexpr int32_t QUEUE_SIZE = 256;
constexpr HostWindow THE_WINDOW = 1;
constexpr int32_t DEFAULT_CLIENT_WIDTH = 640;
constexpr int32_t DEFAULT_CLIENT_HEIGHT = 480;
constexpr uint32_t SDL_WAIT_MS = 10;

struct WindowState {
    HostWindow window;  // HOST_NO_WINDOW while there is none
    bool windowed;
    bool focused;  // the host's own view: between focus gained and focus lost
    HostWindowProc proc;
    int32_t clientWidth;
    int32_t clientHeight;
    HostSurface* image;
    HostMessage queue[QUEUE_SIZE];  // a ring: `count` messages from `head`
    int32_t head;
    int32_t count;
    bool quitPending;
    int32_t quitCode;
    HostRegion invalid;
    bool erase;
    bool painting;  // between HostBeginPaint and HostEndPaint
    HostRegion painted;
    bool cursorHidden;
};

WindowState s_window;

constexpr auto MESSAGE_NAMES = std::to_array<const char*>(
    {"none", "activate", "activate-app", "set-focus", "kill-focus", "close", "destroy", "paint",
     "erase-background", "set-cursor", "key-down", "key-up", "char", "quit"});
static_assert(MESSAGE_NAMES.size() == HOST_MSG_COUNT, "one name per message kind");

bool PaintDue() { return s_window.window != HOST_NO_WINDOW && s_window.invalid.count > 0; }

bool TakeNext(HostMessage* message)
{
    if (s_window.count > 0) {
        *message = s_window.queue[s_window.head];
        s_window.head = (s_window.head + 1) % QUEUE_SIZE;
        --s_window.count;
        return true;
    }
    if (s_window.quitPending) {
        s_window.quitPending = false;
        *message = {HOST_NO_WINDOW, HOST_MSG_QUIT, static_cast<uintptr_t>(s_window.quitCode), 0};
        return true;
    }
    if (PaintDue()) {
        *message = {s_window.window, HOST_MSG_PAINT, 0, 0};
        return true;
    }
    return false;
}

void ReplaceImage(int32_t width, int32_t height, const HostPixelFormat& format)
{
    HostSurface* const old = s_window.image;
    s_window.image = HostImageCreate(width, height, format);
    if (old) {
        HostSurfaceRetarget(old, s_window.image, !s_window.windowed);
        HostSurfaceRelease(old);
    }
    s_window.clientWidth = width;
    s_window.clientHeight = height;
    s_window.invalid = {};
    s_window.painting = false;
    HostMarkImageDirty({0, 0, width, height});
}

void RemoveWindow()
{
    HostCurrentBackend().destroyWindow();
    if (s_window.image) HostSurfaceRelease(s_window.image);
    s_window.image = nullptr;
    s_window.window = HOST_NO_WINDOW;
    s_window.proc = nullptr;
    s_window.focused = false;
    s_window.invalid = {};
    s_window.painting = false;
    s_window.erase = false;
    s_window.head = 0;
    s_window.count = 0;
}

void SendActivation(bool active)
{
    if (active) {
        HostMsgSend(HOST_MSG_ACTIVATE_APP, 1, 0);
        HostMsgSend(HOST_MSG_ACTIVATE, 1, 0);
        HostMsgSend(HOST_MSG_SET_FOCUS, 0, 0);
    } else {
        HostMsgSend(HOST_MSG_KILL_FOCUS, 0, 0);
        HostMsgSend(HOST_MSG_ACTIVATE, 0, 0);
        HostMsgSend(HOST_MSG_ACTIVATE_APP, 0, 0);
    }
}

}  // namespace

// Headless, only the clock and the driver can bring a message; a read that neither can answer
// would wait forever, so it ends the run instead.
void HostWaitForMessage()
{
    const HostBackend& backend = HostCurrentBackend();
    if (HostBackendInUse() == HostBackendKind::Sdl && HostRunning()) {
        backend.waitEvents(SDL_WAIT_MS);
        return;
    }
    if (!ClockRunning() || !HostDriverWillPost()) HostDriverStalled();
    if (ClockSelectedKind() == ClockKind::Real) {
        backend.waitEvents(1);
        return;
    }
    const uint32_t before = ClockPeriods();
    ClockIdle();
    if (ClockPeriods() == before) HostDriverStalled();
}

void HostWindowReset() { s_window = {}; }

void HostWindowRemoveQuietly()
{
    if (s_window.window != HOST_NO_WINDOW) RemoveWindow();
    s_window = {};
}

HostSurface* HostWindowImage() { return s_window.image; }

void HostWindowSetDisplayMode(int32_t width, int32_t height, const HostPixelFormat& format)
{
    if (s_window.window == HOST_NO_WINDOW) return;
    ReplaceImage(width, height, format);
}

const char* HostMessageName(uint32_t kind)
{
    return kind < MESSAGE_NAMES.size() ? MESSAGE_NAMES[kind] : "?";
}

HostWindow HostWindowCreate(HostInstance instance, const char* title, bool windowed,
                            HostWindowProc proc)
{
    HostResult failure;
    if (HostTakeFailure(HOST_CALL_WINDOW_CREATE, &failure)) return HOST_NO_WINDOW;
    if (instance == HOST_NO_INSTANCE || instance != HostProgramInstance()) return HOST_NO_WINDOW;
    if (s_window.window != HOST_NO_WINDOW || proc == nullptr) return HOST_NO_WINDOW;
    int32_t width = DEFAULT_CLIENT_WIDTH;
    int32_t height = DEFAULT_CLIENT_HEIGHT;
    if (!windowed) HostScreenSize(&width, &height);
    if (!HostCurrentBackend().createWindow(title, windowed, width, height)) return HOST_NO_WINDOW;
    s_window.window = THE_WINDOW;
    s_window.windowed = windowed;
    s_window.proc = proc;
    ReplaceImage(width, height, HostMachineConfig().desktopFormat);
    DebugPrintf(DBG_WIN, 20, "HostWindowCreate(): %s %dx%d\n",
                windowed ? "windowed" : "full screen", width, height);
    return s_window.window;
}

void HostWindowShow(HostWindow window)
{
    if (window == HOST_NO_WINDOW || window != s_window.window) return;
    HostCurrentBackend().showWindow();
    if (s_window.focused) return;
    s_window.focused = true;
    SendActivation(true);
}

bool HostWindowDestroy(HostWindow window)
{
    HostResult failure;
    if (HostTakeFailure(HOST_CALL_WINDOW_DESTROY, &failure)) return false;
    if (window == HOST_NO_WINDOW || window != s_window.window) return false;
    if (s_window.focused) {
        s_window.focused = false;
        SendActivation(false);
    }
    HostMsgSend(HOST_MSG_DESTROY, 0, 0);
    RemoveWindow();
    return true;
}

HostWindow HostMainWindow() { return s_window.window; }

bool HostWindowHasFocus() { return s_window.focused; }

bool HostWindowIsWindowed() { return s_window.window != HOST_NO_WINDOW && s_window.windowed; }

void HostWindowSetClientSize(int32_t width, int32_t height)
{
    if (!HostWindowIsWindowed() || width <= 0 || height <= 0) return;
    if (width == s_window.clientWidth && height == s_window.clientHeight) return;
    HostCurrentBackend().setClientSize(width, height);
    ReplaceImage(width, height, HostMachineConfig().desktopFormat);
}

void HostWindowClientSize(int32_t* width, int32_t* height)
{
    *width = s_window.clientWidth;
    *height = s_window.clientHeight;
}

void HostWindowClientOrigin(int32_t* x, int32_t* y)
{
    *x = 0;
    *y = 0;
    if (HostWindowIsWindowed()) HostCurrentBackend().clientOrigin(x, y);
}

void HostScreenSize(int32_t* width, int32_t* height)
{
    HostCurrentBackend().screenSize(width, height);
}

bool HostMsgPost(uint32_t kind, uintptr_t wparam, intptr_t lparam)
{
    if (s_window.window == HOST_NO_WINDOW) return false;
    if (s_window.count == QUEUE_SIZE) {
        std::printf("Warning: HostMsgPost(): queue full - %s dropped\n", HostMessageName(kind));
        return false;
    }
    const int32_t tail = (s_window.head + s_window.count) % QUEUE_SIZE;
    s_window.queue[tail] = {s_window.window, kind, wparam, lparam};
    ++s_window.count;
    return true;
}

intptr_t HostMsgSend(uint32_t kind, uintptr_t wparam, intptr_t lparam)
{
    if (s_window.window == HOST_NO_WINDOW) return 0;
    return s_window.proc(s_window.window, kind, wparam, lparam);
}

bool HostMsgPeek()
{
    HostPump();
    return s_window.count > 0 || s_window.quitPending || PaintDue();
}

int32_t HostMsgGet(HostMessage* message)
{
    HostResult failure;
    if (HostTakeFailure(HOST_CALL_MSG_GET, &failure)) return -1;
    for (;;) {
        HostPump();
        if (TakeNext(message)) return message->kind == HOST_MSG_QUIT ? 0 : 1;
        HostWaitForMessage();
    }
}

intptr_t HostMsgDispatch(const HostMessage& message)
{
    if (message.window == HOST_NO_WINDOW || message.window != s_window.window) return 0;
    return s_window.proc(message.window, message.kind, message.wparam, message.lparam);
}

void HostPostQuit(int32_t exitCode)
{
    s_window.quitPending = true;
    s_window.quitCode = exitCode;
}

intptr_t HostDefaultWindowProc(HostWindow window, uint32_t kind, uintptr_t, intptr_t)
{
    switch (kind) {
        case HOST_MSG_ERASE_BACKGROUND:
            if (s_window.image) HostSurfaceFill(s_window.image, nullptr, 0);
            return 1;
        case HOST_MSG_PAINT: s_window.invalid = {}; return 0;
        case HOST_MSG_CLOSE: HostWindowDestroy(window); return 0;
        default: return 0;
    }
}

void HostWindowInvalidate(const HostRect* rect, bool erase)
{
    if (s_window.window == HOST_NO_WINDOW) return;
    HostRect area = {0, 0, s_window.clientWidth, s_window.clientHeight};
    if (rect) {
        area = {std::max(rect->left, 0), std::max(rect->top, 0),
                std::min(rect->right, s_window.clientWidth),
                std::min(rect->bottom, s_window.clientHeight)};
    }
    if (area.left >= area.right || area.top >= area.bottom) return;
    HostRegionAdd(&s_window.invalid, area);
    s_window.erase = s_window.erase || erase;
}

void HostBeginPaint(HostRect* rect)
{
    if (s_window.erase) {
        s_window.erase = false;
        HostMsgSend(HOST_MSG_ERASE_BACKGROUND, 0, 0);
    }
    *rect = HostRegionBounds(s_window.invalid);
    s_window.painted = s_window.invalid;
    s_window.painting = true;
    s_window.invalid = {};
}

void HostEndPaint() { s_window.painting = false; }

const HostRegion* HostWindowPaintRegion()
{
    return s_window.painting ? &s_window.painted : nullptr;
}

void HostCursorSetArrow() { HostCountArrowCursor(); }

void HostCursorShow(bool show)
{
    s_window.cursorHidden = !show;
    HostCurrentBackend().showCursor(show);
}

bool HostInjectCursorShown() { return !s_window.cursorHidden; }

int32_t HostMessageBox(const char* caption, const char* text, HostBoxKind kind)
{
    const uint32_t heldPeriods = HostTakeHeldBoxPeriods();
    if (HostRunning() && HostBackendInUse() == HostBackendKind::Sdl && !HostIsUnattended()) {
        HostCurrentBackend().messageBox(caption, text, kind);
        return 1;
    }
    std::fputs(text, stderr);
    std::fflush(stderr);
    // A person would take a while to answer; the manual clock lets the program see that time.
    const bool manual = ClockRunning() && ClockSelectedKind() == ClockKind::Manual;
    if (manual) ClockAdvance(heldPeriods);
    return 1;
}

void HostOnFocusChange(bool gained)
{
    if (s_window.window == HOST_NO_WINDOW || s_window.focused == gained) return;
    s_window.focused = gained;
    if (gained) {
        HostMsgPost(HOST_MSG_ACTIVATE_APP, 1, 0);
        HostMsgPost(HOST_MSG_ACTIVATE, 1, 0);
        HostMsgPost(HOST_MSG_SET_FOCUS, 0, 0);
        return;
    }
    HostMsgPost(HOST_MSG_KILL_FOCUS, 0, 0);
    HostMsgPost(HOST_MSG_ACTIVATE, 0, 0);
    HostMsgPost(HOST_MSG_ACTIVATE_APP, 0, 0);
    // A full-screen display loses its surfaces to whoever takes the screen.
    if (!s_window.windowed) HostSurfaceLoseAll();
}

void HostOnExposed() { HostWindowInvalidate(nullptr, true); }

void HostOnCloseRequest() { HostMsgPost(HOST_MSG_CLOSE, 0, 0); }

void HostOnPointerMotion()
{
    for (int32_t i = 0; i < s_window.count; ++i) {
        if (s_window.queue[(s_window.head + i) % QUEUE_SIZE].kind == HOST_MSG_SET_CURSOR) return;
    }
    HostMsgPost(HOST_MSG_SET_CURSOR, 0, 0);
}
