// engine/host/sdl_backend.cpp: the back end on a real window system through SDL2: the window,
// its events, the presented frame as a scaled texture, and the message box.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_syswm.h>

#include "engine/debug.h"
#include "engine/host/host.h"
#include "engine/host/internal.h"

namespace {

struct SdlState {
    SDL_Window* window;
    SDL_Renderer* renderer;
    SDL_Texture* texture;
    int32_t textureWidth;
    int32_t textureHeight;
    Uint32 textureFormat;
    bool expand;                     // the image's format is not the texture's
    std::vector<uint32_t> expanded;  // a changed rectangle widened to the texture's 32 bits
    bool windowed;
    int32_t scale;  // windowed: the window is the client size times this
    // Input: where the frame is shown in the window, so that pointer positions and motion can be
    // taken back to client pixels; the parts of a pixel not yet reported.
    SDL_Rect shownAt;
    int32_t remainderX;
    int32_t remainderY;
    bool cursorHidden;
    bool warpToCentre;  // relative mode was refused: the pointer goes back to the centre instead
    SDL_Joystick* joysticks[HOST_MAX_JOYSTICKS];
};

SdlState s_sdl;

void CopyText(char* destination, size_t size, const char* source)
{
    std::snprintf(destination, size, "%s", source);
}

// One adapter per display; a display object opened on any of them draws into the one window. The
// player reads the names on the video options screen: the window system's own (connector names,
// "screen" under a virtual server) mean nothing to him, a number in French does.
void UseSdlDisplays()
{
    std::vector<std::string> names;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i)
        names.push_back("Ecran " + std::to_string(i + 1));
    HostMachineUseDisplays(names);
}

bool Start(char* why, size_t whySize)
{
    s_sdl = {};
    // The game keeps the process's own signal handling and asks for no vertical sync.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    // Unless a driver is named, only a real window system counts as a display: SDL would
    // otherwise fall back to a driver that shows nothing.
    if (!std::getenv("SDL_VIDEODRIVER")) {
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        SDL_SetHint(SDL_HINT_VIDEODRIVER,
                    wayland && *wayland ? "x11,wayland,kmsdrm" : "x11,kmsdrm");
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        CopyText(why, whySize, SDL_GetError());
        SDL_Quit();
        return false;
    }
    // Without a joystick subsystem there are simply no joysticks.
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    UseSdlDisplays();
    return true;
}

void CloseWindow()
{
    if (s_sdl.texture) SDL_DestroyTexture(s_sdl.texture);
    if (s_sdl.renderer) SDL_DestroyRenderer(s_sdl.renderer);
    if (s_sdl.window) SDL_DestroyWindow(s_sdl.window);
    s_sdl.texture = nullptr;
    s_sdl.renderer = nullptr;
    s_sdl.window = nullptr;
}

void Stop()
{
    CloseWindow();
    for (SDL_Joystick*& stick : s_sdl.joysticks) {
        if (stick) SDL_JoystickClose(stick);
        stick = nullptr;
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

void ScreenSize(int32_t* width, int32_t* height)
{
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        mode.w = 640;
        mode.h = 480;
    }
    *width = mode.w;
    *height = mode.h;
}

// The largest whole factor at which the client area fits nine tenths of the desktop.
int32_t WindowScale(int32_t width, int32_t height)
{
    int32_t screenWidth, screenHeight;
    ScreenSize(&screenWidth, &screenHeight);
    const int32_t across = screenWidth * 9 / 10 / std::max(width, 1);
    const int32_t down = screenHeight * 9 / 10 / std::max(height, 1);
    return std::max(1, std::min(across, down));
}

void LogWindowId()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(s_sdl.window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    DebugPrintf(DBG_WIN, 10, "HostWindowCreate(): X11 window 0x%lx\n",
                static_cast<unsigned long>(info.info.x11.window));
}

bool OpenWindow(const char* title, bool windowed, int32_t width, int32_t height)
{
    s_sdl.windowed = windowed;
    Uint32 flags = SDL_WINDOW_HIDDEN;
    int32_t x = SDL_WINDOWPOS_CENTERED;
    int32_t y = SDL_WINDOWPOS_CENTERED;
    if (windowed) {
        s_sdl.scale = WindowScale(width, height);
        width *= s_sdl.scale;
        height *= s_sdl.scale;
    } else {
        flags |= SDL_WINDOW_BORDERLESS;
        x = 0;
        y = 0;
    }
    s_sdl.window = SDL_CreateWindow(title, x, y, width, height, flags);
    if (s_sdl.window == nullptr) {
        std::printf("Warning: HostWindowCreate(): %s\n", SDL_GetError());
        return false;
    }
    s_sdl.renderer = SDL_CreateRenderer(s_sdl.window, -1, 0);
    if (s_sdl.renderer == nullptr)
        std::printf("Warning: HostWindowCreate(): no renderer (%s) - nothing is shown\n",
                    SDL_GetError());
    LogWindowId();
    return true;
}

void RevealWindow()
{
    if (s_sdl.window) SDL_ShowWindow(s_sdl.window);
}

void SetClientSize(int32_t width, int32_t height)
{
    if (s_sdl.window == nullptr || !s_sdl.windowed) return;
    s_sdl.scale = WindowScale(width, height);
    SDL_SetWindowSize(s_sdl.window, width * s_sdl.scale, height * s_sdl.scale);
}

void ClientOrigin(int32_t* x, int32_t* y)
{
    *x = 0;
    *y = 0;
    if (s_sdl.window) SDL_GetWindowPosition(s_sdl.window, x, y);
}

// Windowed, the frame fills the window; full screen, it is scaled to fit with black bars.
void Render()
{
    if (s_sdl.renderer == nullptr || s_sdl.texture == nullptr) return;
    int32_t outputWidth, outputHeight;
    SDL_GetRendererOutputSize(s_sdl.renderer, &outputWidth, &outputHeight);
    SDL_Rect target = {0, 0, outputWidth, outputHeight};
    if (!s_sdl.windowed) {
        const int64_t w = s_sdl.textureWidth;
        const int64_t h = s_sdl.textureHeight;
        if (outputWidth * h <= outputHeight * w) {
            target.h = static_cast<int32_t>(outputWidth * h / w);
        } else {
            target.w = static_cast<int32_t>(outputHeight * w / h);
        }
        target.x = (outputWidth - target.w) / 2;
        target.y = (outputHeight - target.h) / 2;
    }
    s_sdl.shownAt = target;
    SDL_SetRenderDrawColor(s_sdl.renderer, 0, 0, 0, 255);
    SDL_RenderClear(s_sdl.renderer);
    SDL_RenderCopy(s_sdl.renderer, s_sdl.texture, nullptr, &target);
    SDL_RenderPresent(s_sdl.renderer);
}

void HandleWindowEvent(const SDL_WindowEvent& event)
{
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // A scripted run takes its activation from the script alone, so a person's mouse
            // cannot freeze it.
            if (!HostIsUnattended()) HostOnFocusChange(event.event == SDL_WINDOWEVENT_FOCUS_GAINED);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            Render();
            HostOnExposed();
            break;
        case SDL_WINDOWEVENT_CLOSE: HostOnCloseRequest(); break;
        default: break;
    }
}

// Window pixels to client pixels; `remainder` keeps the part of a client pixel not yet given, so
// that slow motion still adds up.
int32_t ToClient(int32_t windowPixels, int32_t clientSize, int32_t shownSize, int32_t* remainder)
{
    if (shownSize <= 0) return windowPixels;
    const int64_t total = int64_t{windowPixels} * clientSize + *remainder;
    const auto client = static_cast<int32_t>(total / shownSize);
    *remainder = static_cast<int32_t>(total - int64_t{client} * shownSize);
    return client;
}

void WindowCentre(int32_t* x, int32_t* y)
{
    int32_t width, height;
    SDL_GetWindowSize(s_sdl.window, &width, &height);
    *x = width / 2;
    *y = height / 2;
}

void HandleMotion(const SDL_MouseMotionEvent& event)
{
    const SDL_Rect& shown = s_sdl.shownAt;
    if (!s_sdl.cursorHidden) {
        int32_t ignored = 0;
        HostOnPointerAt(ToClient(event.x - shown.x, s_sdl.textureWidth, shown.w, &ignored),
                        ToClient(event.y - shown.y, s_sdl.textureHeight, shown.h, &ignored));
        return;
    }
    int32_t dx = event.xrel;
    int32_t dy = event.yrel;
    if (s_sdl.warpToCentre) {
        int32_t centreX, centreY;
        WindowCentre(&centreX, &centreY);
        if (event.x == centreX && event.y == centreY) return;  // our own warp arriving
        dx = event.x - centreX;
        dy = event.y - centreY;
        SDL_WarpMouseInWindow(s_sdl.window, centreX, centreY);
    }
    HostOnMouseMotion(ToClient(dx, s_sdl.textureWidth, shown.w, &s_sdl.remainderX),
                      ToClient(dy, s_sdl.textureHeight, shown.h, &s_sdl.remainderY));
}

uint32_t ButtonOf(uint8_t sdlButton)
{
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return HOST_BUTTON_LEFT;
        case SDL_BUTTON_RIGHT: return HOST_BUTTON_RIGHT;
        case SDL_BUTTON_MIDDLE: return HOST_BUTTON_MIDDLE;
        default: return 0;
    }
}

void HandleKey(const SDL_KeyboardEvent& event)
{
    const uint32_t code = HostKeyCodeOfScancode(event.keysym.scancode);
    if (code != 0) HostOnKey(code, event.type == SDL_KEYDOWN, event.repeat != 0);
}

void PumpEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
            case SDL_MOUSEMOTION: HandleMotion(event.motion); break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                HostOnMouseButton(ButtonOf(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: HandleKey(event.key); break;
            case SDL_TEXTINPUT: HostOnText(event.text.text); break;
            default: break;
        }
    }
}

void WaitEvents(uint32_t timeoutMs) { SDL_WaitEventTimeout(nullptr, static_cast<int>(timeoutMs)); }

constexpr HostPixelFormat EXPANDED_FORMAT = {
    HOST_PF_RGB | HOST_PF_ALPHA, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000, 0, 0};

// The texture takes the image's pixels as they are where SDL has their format and need not widen
// them: SDL's own widening of 5 or 6 bits rounds where the host's repeats the bits, and the window
// must show what the frame store holds. A palette, and every narrower component, is widened on
// the way by the host's conversion (one table lookup a pixel).
Uint32 TextureFormatOf(const HostPixelFormat& format)
{
    if (format.bitCount < 24 || (format.flags & HOST_PF_PALETTE8)) return SDL_PIXELFORMAT_UNKNOWN;
    return SDL_MasksToPixelFormatEnum(static_cast<int>(format.bitCount), format.redMask,
                                      format.greenMask, format.blueMask, format.alphaMask);
}

bool MakeTexture(const HostSurfacePixels& frame)
{
    const Uint32 direct = TextureFormatOf(*frame.format);
    const Uint32 format =
        direct != SDL_PIXELFORMAT_UNKNOWN ? direct : Uint32{SDL_PIXELFORMAT_ARGB8888};
    s_sdl.expand = direct == SDL_PIXELFORMAT_UNKNOWN;
    if (s_sdl.texture != nullptr && frame.width == s_sdl.textureWidth
        && frame.height == s_sdl.textureHeight && format == s_sdl.textureFormat)
        return false;
    if (s_sdl.texture) SDL_DestroyTexture(s_sdl.texture);
    s_sdl.texture = SDL_CreateTexture(s_sdl.renderer, format, SDL_TEXTUREACCESS_STREAMING,
                                      frame.width, frame.height);
    s_sdl.textureWidth = frame.width;
    s_sdl.textureHeight = frame.height;
    s_sdl.textureFormat = format;
    if (s_sdl.texture) SDL_SetTextureBlendMode(s_sdl.texture, SDL_BLENDMODE_NONE);
    return true;
}

void Upload(const HostSurfacePixels& frame, const HostRect& r)
{
    const SDL_Rect area = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    if (!s_sdl.expand) {
        const int32_t bytes = static_cast<int32_t>(frame.format->bitCount / 8);
        SDL_UpdateTexture(s_sdl.texture, &area,
                          frame.bits + static_cast<ptrdiff_t>(r.top) * frame.pitch + r.left * bytes,
                          frame.pitch);
        return;
    }
    s_sdl.expanded.resize(static_cast<size_t>(area.w) * area.h);
    const HostSurfacePixels expanded = {reinterpret_cast<uint8_t*>(s_sdl.expanded.data()),
                                        area.w,
                                        area.h,
                                        area.w * 4,
                                        &EXPANDED_FORMAT,
                                        nullptr};
    HostConvertBlock(frame, r.left, r.top, expanded, 0, 0, area.w, area.h);
    SDL_UpdateTexture(s_sdl.texture, &area, s_sdl.expanded.data(), area.w * 4);
}

// Only what changed is uploaded, unless the texture is new.
void Present(const HostSurfacePixels& frame, const HostRegion& changed)
{
    if (s_sdl.renderer == nullptr) return;
    const bool made = MakeTexture(frame);
    if (s_sdl.texture == nullptr) return;
    if (made) {
        Upload(frame, {0, 0, frame.width, frame.height});
    } else {
        for (int32_t i = 0; i < changed.count; ++i) {
            Upload(frame, changed.rects[i]);
        }
    }
    Render();
}

void ShowBox(const char* caption, const char* text, HostBoxKind kind)
{
    const Uint32 flags = kind == HOST_BOX_ERROR ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    if (SDL_ShowSimpleMessageBox(flags, caption, text, s_sdl.window) != 0) std::fputs(text, stderr);
}

// Hidden, the game reads the mouse as motion: relative mode, or where the window system refuses
// it, the pointer kept at the window's centre.
void SetCursorShown(bool show)
{
    s_sdl.cursorHidden = !show;
    s_sdl.remainderX = 0;
    s_sdl.remainderY = 0;
    s_sdl.warpToCentre = false;
    if (show) {
        SDL_SetRelativeMouseMode(SDL_FALSE);
        SDL_ShowCursor(SDL_ENABLE);
        return;
    }
    if (SDL_SetRelativeMouseMode(SDL_TRUE) == 0) return;
    SDL_ShowCursor(SDL_DISABLE);
    s_sdl.warpToCentre = s_sdl.window != nullptr;
    if (s_sdl.warpToCentre) {
        int32_t centreX, centreY;
        WindowCentre(&centreX, &centreY);
        SDL_WarpMouseInWindow(s_sdl.window, centreX, centreY);
    }
}

int32_t JoystickCount() { return std::min(SDL_NumJoysticks(), HOST_MAX_JOYSTICKS); }

SDL_Joystick* OpenJoystick(int32_t index)
{
    SDL_Joystick*& stick = s_sdl.joysticks[index];
    if (stick == nullptr) stick = SDL_JoystickOpen(index);
    return stick;
}

bool JoystickCaps(int32_t index, HostJoystickCaps* caps)
{
    SDL_Joystick* const stick = OpenJoystick(index);
    if (stick == nullptr) return false;
    const char* name = SDL_JoystickName(stick);
    CopyText(caps->name, sizeof caps->name, name ? name : "");
    caps->xMax = 65535;
    caps->yMax = 65535;
    caps->buttonCount = static_cast<uint32_t>(std::max(SDL_JoystickNumButtons(stick), 0));
    return true;
}

uint32_t AxisPosition(SDL_Joystick* stick, int32_t axis)
{
    return static_cast<uint32_t>(SDL_JoystickGetAxis(stick, axis) + 32768);
}

bool JoystickRead(int32_t index, HostJoystickPosition* position)
{
    SDL_Joystick* const stick = OpenJoystick(index);
    if (stick == nullptr || !SDL_JoystickGetAttached(stick)) return false;
    SDL_JoystickUpdate();
    position->x = AxisPosition(stick, 0);
    position->y = AxisPosition(stick, 1);
    const int32_t buttons = std::min(SDL_JoystickNumButtons(stick), 32);
    for (int32_t i = 0; i < buttons; ++i) {
        if (SDL_JoystickGetButton(stick, i)) position->buttons |= 1u << i;
    }
    return true;
}

}  // namespace

const HostBackend HostSdlBackend = {
    .name = "sdl",
    .start = Start,
    .stop = Stop,
    .createWindow = OpenWindow,
    .showWindow = RevealWindow,
    .destroyWindow = CloseWindow,
    .setClientSize = SetClientSize,
    .clientOrigin = ClientOrigin,
    .screenSize = ScreenSize,
    .pumpEvents = PumpEvents,
    .waitEvents = WaitEvents,
    .present = Present,
    .messageBox = ShowBox,
    .showCursor = SetCursorShown,
    .joystickCount = JoystickCount,
    .joystickCaps = JoystickCaps,
    .joystickRead = JoystickRead,
};
