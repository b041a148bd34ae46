// engine/host/host.h: the host layer, our own window system and display under the platform
// modules: one window with a message queue, display adapters and modes, surfaces in memory,
// presentation of the window image to a frame store, and the SDL or headless back end under it.
#pragma once

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------------------------
// Result codes: 0 is success, bit 31 set is a failure.

using HostResult = uint32_t;

constexpr HostResult HOST_OK = 0;
constexpr HostResult HOST_E_GENERIC = 0x80004005;        // any failure without a better code
constexpr HostResult HOST_E_SURFACE_LOST = 0x887601C2;   // the surface must be restored first
constexpr HostResult HOST_E_NOT_EXCLUSIVE = 0x887600E1;  // a mode change without exclusive use
constexpr HostResult HOST_E_BAD_ARGUMENT = 0x8F000001;
constexpr HostResult HOST_E_UNSUPPORTED = 0x8F000002;
constexpr HostResult HOST_E_OUT_OF_MEMORY = 0x8F000003;

constexpr bool HostFailed(HostResult result) { return (result & 0x80000000u) != 0; }

// Every host call that can fail, so that a test can make the next one of a kind fail
// (engine/host/inject.h).
enum HostCall : uint32_t {
    HOST_CALL_WINDOW_CREATE,
    HOST_CALL_WINDOW_DESTROY,
    HOST_CALL_MSG_GET,
    HOST_CALL_DISPLAY_START,
    HOST_CALL_ADAPTER_ENUM,
    HOST_CALL_DISPLAY_CREATE,
    HOST_CALL_DISPLAY_OPEN,
    HOST_CALL_DISPLAY_IDENTIFY,
    HOST_CALL_DISPLAY_CAPS,
    HOST_CALL_VIDEO_MEMORY,
    HOST_CALL_3D_OPEN,
    HOST_CALL_3D_DEVICE_ENUM,
    HOST_CALL_Z_FORMAT_ENUM,
    HOST_CALL_MODE_ENUM,
    HOST_CALL_COOPERATION,
    HOST_CALL_SET_MODE,
    HOST_CALL_RESTORE_MODE,
    HOST_CALL_SURFACE_CREATE,
    HOST_CALL_BACK_BUFFER,
    HOST_CALL_ATTACH_Z,
    HOST_CALL_GET_FORMAT,
    HOST_CALL_LOCK,
    HOST_CALL_UNLOCK,
    HOST_CALL_FILL,
    HOST_CALL_BLIT,
    HOST_CALL_GET_DC,
    HOST_CALL_DC_COPY,
    HOST_CALL_FLIP,
    HOST_CALL_IS_LOST,
    HOST_CALL_RESTORE,
    HOST_CALL_PALETTE_CREATE,
    HOST_CALL_PALETTE_SET,
    HOST_CALL_SURFACE_SET_PALETTE,
    HOST_CALL_CLIPPER_CREATE,
    HOST_CALL_CLIPPER_SET_WINDOW,
    HOST_CALL_SURFACE_SET_CLIPPER,
    HOST_CALL_AUDIO_START,
    HOST_CALL_DEVICE_CREATE,
    HOST_CALL_DEVICE_TEXTURE_FORMATS,
    HOST_CALL_DEVICE_VIEWPORT,
    HOST_CALL_DEVICE_CLEAR,
    HOST_CALL_DEVICE_BEGIN_SCENE,
    HOST_CALL_DEVICE_END_SCENE,
    HOST_CALL_DEVICE_TRANSFORM,
    HOST_CALL_DEVICE_MATERIAL,
    HOST_CALL_DEVICE_LIGHT,
    HOST_CALL_DEVICE_LIGHT_ENABLE,
    HOST_CALL_DEVICE_GET_STATE,
    HOST_CALL_DEVICE_SET_STATE,
    HOST_CALL_DEVICE_GET_STAGE_STATE,
    HOST_CALL_DEVICE_SET_STAGE_STATE,
    HOST_CALL_DEVICE_SET_TEXTURE,
    HOST_CALL_DEVICE_DRAW,
    HOST_CALL_DEVICE_DRAW_INDEXED,
    HOST_CALL_DEVICE_SPHERES,
    HOST_CALL_MIP_LEVEL,
    HOST_CALL_MEDIA_OPEN,
    HOST_CALL_MEDIA_WINDOW,
    HOST_CALL_MEDIA_SOURCE_RECT,
    HOST_CALL_MEDIA_PUT,
    HOST_CALL_MEDIA_PLAY,
    HOST_CALL_MEDIA_STATUS,
    HOST_CALL_MEDIA_CLOSE,
    HOST_CALL_COUNT
};

// ---------------------------------------------------------------------------------------------
// Back ends: the only part that differs between a real window and none. Everything else in the
// host is shared software.

enum class HostBackendKind { Sdl, Headless };

enum HostBoxKind : uint32_t {
    HOST_BOX_INFO,
    HOST_BOX_ERROR,  // a fatal error: the box carries the error icon
};

struct HostJoystickCaps;
struct HostJoystickPosition;
struct HostSurfacePixels;
struct HostRegion;

struct HostBackend {
    const char* name;  // "sdl" or "headless", for logs
    // False, with the reason in `why`, when the back end cannot run here (SDL without display).
    bool (*start)(char* why, size_t whySize);
    void (*stop)();
    // Sizes are the client size the game sees; false when no window can be made.
    bool (*createWindow)(const char* title, bool windowed, int32_t width, int32_t height);
    void (*showWindow)();
    void (*destroyWindow)();
    void (*setClientSize)(int32_t width, int32_t height);
    void (*clientOrigin)(int32_t* x, int32_t* y);  // screen position of the client's corner
    void (*screenSize)(int32_t* width, int32_t* height);
    void (*pumpEvents)();                    // window-system events into our queue
    void (*waitEvents)(uint32_t timeoutMs);  // returns early when an event arrives
    // The presented image in its own format (a palettised one with its palette) and the part
    // of it that changed since the last present. Null for a back end that shows nothing.
    void (*present)(const HostSurfacePixels& frame, const HostRegion& changed);
    void (*messageBox)(const char* caption, const char* text, HostBoxKind kind);
    void (*showCursor)(bool show);
    // Input. Joysticks are numbered from 0; a read of one that went away fails.
    int32_t (*joystickCount)();
    bool (*joystickCaps)(int32_t index, HostJoystickCaps* caps);
    bool (*joystickRead)(int32_t index, HostJoystickPosition* position);
};

extern const HostBackend HostSdlBackend;
extern const HostBackend HostHeadlessBackend;

// Starts the host on the wanted back end. SDL without a display: an unattended run prints
// "Warning: HostStart(): no display available (...) - running headless" and starts headless
// instead (the answer is the back end in use); an attended one is a fatal error that says how to
// run headless. `unattended` (a script drives the run): no message box is shown and window focus
// changes of the window system are ignored. Fatal when already started.
HostBackendKind HostStart(HostBackendKind wanted, bool unattended);
// The running program as the window system knows it: what its window is made for. Each start
// gives a new one, so that a value kept from an earlier start is refused; HOST_NO_INSTANCE
// while the host is stopped.
using HostInstance = uint32_t;
constexpr HostInstance HOST_NO_INSTANCE = 0;
HostInstance HostProgramInstance();
// Removes the window if still there (sending it nothing), frees every 3D device, surface,
// palette, clipper and display object, stops the back end. Safe when stopped and twice.
void HostStop();
bool HostRunning();
HostBackendKind HostBackendInUse();
bool HostIsUnattended();

// The one pump step that every message read runs first: window-system events into the queue,
// the driver's due steps (below), then the window image presented when it changed.
void HostPump();

// Something outside the program that can still post messages: the script runner. The host asks
// it at each pump to run what is due and, when a headless read would block, whether anything is
// still to come; when nothing is, `stalled` is called and must end the process.
struct HostDriver {
    void (*runDue)();
    bool (*willPost)();
    void (*stalled)();
};
void HostSetDriver(const HostDriver* driver);  // nullptr: none

// ---------------------------------------------------------------------------------------------
// The window and its message queue.

using HostWindow = uint32_t;  // the one window is 1 while it exists
constexpr HostWindow HOST_NO_WINDOW = 0;

enum HostMessageKind : uint32_t {
    HOST_MSG_NONE,
    HOST_MSG_ACTIVATE,      // wparam low 16 bits: non-zero when activated
    HOST_MSG_ACTIVATE_APP,  // wparam: 1 active, 0 inactive
    HOST_MSG_SET_FOCUS,
    HOST_MSG_KILL_FOCUS,
    HOST_MSG_CLOSE,             // the user asks to close the window
    HOST_MSG_DESTROY,           // the window is being destroyed
    HOST_MSG_PAINT,             // only delivered when nothing else is queued
    HOST_MSG_ERASE_BACKGROUND,  // sent by HostBeginPaint; answer non-zero when erased
    HOST_MSG_SET_CURSOR,
    HOST_MSG_KEY_DOWN,  // wparam: key code; lparam: HostKeyParam
    HOST_MSG_KEY_UP,
    HOST_MSG_CHAR,  // wparam: one typed character, a Windows-1252 byte
    HOST_MSG_QUIT,  // wparam: the exit code given to HostPostQuit
    HOST_MSG_COUNT
};

const char* HostMessageName(uint32_t kind);  // "activate", ...; "?" out of range

using HostWindowProc = intptr_t (*)(HostWindow window, uint32_t kind, uintptr_t wparam,
                                    intptr_t lparam);

struct HostMessage {
    HostWindow window;
    uint32_t kind;
    uintptr_t wparam;
    intptr_t lparam;
};

struct HostRect {  // right and bottom exclusive
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Key codes are the game's: scan code & 0x7F, plus 128 for an extended key.
constexpr uint32_t HOST_KEY_EXTENDED = 128;
// A key message's lparam: set-1 scan code << 16 | extended << 24 | repeat << 30 | released << 31.
constexpr intptr_t HostKeyParam(uint32_t keyCode, bool repeat, bool released)
{
    const uint32_t word = (keyCode & 0x7Fu) << 16 | (keyCode >= HOST_KEY_EXTENDED ? 1u : 0u) << 24
                          | (repeat ? 1u : 0u) << 30 | (released ? 1u : 0u) << 31;
    return static_cast<intptr_t>(static_cast<int32_t>(word));
}
constexpr uint32_t HostKeyCodeOf(intptr_t lparam)
{
    const uint32_t word = static_cast<uint32_t>(lparam);
    return ((word >> 16) & 0x7Fu) | ((word >> 24) & 1u ? HOST_KEY_EXTENDED : 0u);
}

// Creates the one window of the program `instance`: windowed at 640 x 480 client size, or full
// screen at the screen's size; not yet shown. HOST_NO_WINDOW when it cannot be made, one exists,
// or `instance` is not HostProgramInstance(). The window image (what the window shows) starts
// black in the desktop format.
HostWindow HostWindowCreate(HostInstance instance, const char* title, bool windowed,
                            HostWindowProc proc);
// Shows the window and sends, through its procedure and before returning, activate-app(1),
// activate(1) and set-focus, as a window system does when a window first appears.
void HostWindowShow(HostWindow window);
// Sends kill-focus, activate(0), activate-app(0) when the window has the focus, then destroy,
// and removes the window; queued messages for it are dropped. False for no such window.
bool HostWindowDestroy(HostWindow window);
HostWindow HostMainWindow();  // HOST_NO_WINDOW when there is none
bool HostWindowIsWindowed();
// Windowed: the client area becomes width x height (the window image is resized and cleared);
// full screen: nothing.
void HostWindowSetClientSize(int32_t width, int32_t height);
void HostWindowClientSize(int32_t* width, int32_t* height);
// The screen position of the client area's corner, in the coordinates the cursor uses.
void HostWindowClientOrigin(int32_t* x, int32_t* y);
void HostScreenSize(int32_t* width, int32_t* height);

// Posting to a full queue drops the message with a warning and answers false.
bool HostMsgPost(uint32_t kind, uintptr_t wparam, intptr_t lparam);
intptr_t HostMsgSend(uint32_t kind, uintptr_t wparam, intptr_t lparam);  // 0 without a window
// Pumps, then: is a message, a quit or a paint pending? Removes nothing.
bool HostMsgPeek();
// Pumps and takes the next message: queued messages in order, then a quit (answer 0), then a
// paint. Blocks until one is there; a headless read that nothing could ever answer calls the
// driver's `stalled`, or is fatal without a driver. -1 when the call fails.
int32_t HostMsgGet(HostMessage* message);
intptr_t HostMsgDispatch(const HostMessage& message);  // calls the window procedure
void HostPostQuit(int32_t exitCode);
// Erase-background clears the window image to black (answer 1); paint validates (0); close
// destroys the window; everything else answers 0.
intptr_t HostDefaultWindowProc(HostWindow window, uint32_t kind, uintptr_t wparam, intptr_t lparam);

// Adds a client rectangle (nullptr: the whole client area) to the invalid region; `erase` asks
// for an erase-background before the paint.
void HostWindowInvalidate(const HostRect* rect, bool erase);
// Sends erase-background first when asked for, gives the invalid region's bounding rectangle
// (empty when none) and validates it. Until HostEndPaint, blits onto the window's surface reach
// only the region that was invalid, as a paint's drawing is clipped to it: a repaint of the
// bounding rectangle copies only what changed.
void HostBeginPaint(HostRect* rect);
void HostEndPaint();

void HostCursorSetArrow();  // the system's standard arrow over the window
void HostCursorShow(bool show);

// Shows a message box and answers 1. Headless or unattended, the text goes to standard error
// instead and the answer comes at once.
int32_t HostMessageBox(const char* caption, const char* text, HostBoxKind kind);

// Window-system events, as the back ends (and the test controls) report them.
void HostOnFocusChange(bool gained);  // posts the focus and activation messages in order
void HostOnExposed();                 // invalidates the whole window with erase
void HostOnCloseRequest();            // posts close
void HostOnPointerMotion();           // posts one set-cursor unless one is queued

// ---------------------------------------------------------------------------------------------
// Input: keys as the game's key codes, a virtual cursor moved by relative motion, the mouse
// buttons and up to HOST_MAX_JOYSTICKS joysticks. The back ends report what the user does; the
// test controls (inject.h) report it for them.

// The game's key code (HostKeyParam) of an SDL scancode: keys by physical position, as a US
// layout names them. 0 for a key the game has no code for.
uint32_t HostKeyCodeOfScancode(int32_t scancode);
// Posts key-down or key-up for a key code; an auto-repeat is a key-down with the repeat bit.
void HostOnKey(uint32_t keyCode, bool down, bool repeat);
// Text as the user's system typed it, laid out by the user's own keyboard: one char message per
// character of Windows-1252; other characters are dropped, and bad UTF-8 ends the text.
void HostOnText(const char* utf8);

// The virtual cursor, in the coordinates of HostWindowClientOrigin. Setting it moves nothing on
// the real screen; every set is counted (inject.h), so a driver can tell the game read the mouse.
void HostCursorGet(int32_t* x, int32_t* y);
void HostCursorSet(int32_t x, int32_t y);
uint32_t HostCursorSets();  // sets since HostStart
// Relative motion in client pixels; posts one set-cursor as any pointer motion does.
void HostOnMouseMotion(int32_t dx, int32_t dy);
// The pointer at this client point (while the cursor is shown, the virtual cursor follows it).
void HostOnPointerAt(int32_t x, int32_t y);

enum HostMouseButton : uint32_t {
    HOST_BUTTON_LEFT = 0x1,  // the physical buttons, whatever the user's choice of primary
    HOST_BUTTON_RIGHT = 0x2,
    HOST_BUTTON_MIDDLE = 0x4,
};
void HostOnMouseButton(uint32_t button, bool down);
uint32_t HostMouseButtons();  // HostMouseButton bits of the buttons held
// The buttons held, plus any pressed since the last call though already released, so that a
// tap reads as down once and up at the next call.
uint32_t HostMouseButtonsRead();
bool HostMouseButtonsSwapped();  // the user made the right button the primary one

constexpr int32_t HOST_MAX_JOYSTICKS = 16;
constexpr int32_t HOST_JOYSTICK_NAME_SIZE = 32;
struct HostJoystickCaps {
    char name[HOST_JOYSTICK_NAME_SIZE];  // at most 31 characters
    uint32_t xMin;
    uint32_t xMax;
    uint32_t yMin;
    uint32_t yMax;
    uint32_t buttonCount;
};
struct HostJoystickPosition {
    uint32_t x;  // xMin..xMax
    uint32_t y;
    uint32_t buttons;  // bit n: button n held
};
int32_t HostJoystickCount();
bool HostJoystickGetCaps(int32_t index, HostJoystickCaps* caps);       // false: not usable
bool HostJoystickRead(int32_t index, HostJoystickPosition* position);  // false: read failed

// ---------------------------------------------------------------------------------------------
// Pixel formats.

enum HostFormatFlags : uint32_t {
    HOST_PF_RGB = 0x01,       // RGB, and 8-bit palettised formats too
    HOST_PF_PALETTE8 = 0x02,  // 8-bit indices into the surface's palette
    HOST_PF_ALPHA = 0x04,
    HOST_PF_ZBUFFER = 0x08,
    HOST_PF_STENCIL = 0x10,
};

struct HostPixelFormat {
    uint32_t flags;
    uint32_t bitCount;  // bits per pixel: 8, 16, 24 or 32
    uint32_t redMask;
    uint32_t greenMask;
    uint32_t blueMask;
    uint32_t alphaMask;
    uint32_t zBits;  // z-buffer formats: depth bits and stencil bits
    uint32_t stencilBits;
};

constexpr HostPixelFormat HOST_FORMAT_PALETTE8 = {
    HOST_PF_RGB | HOST_PF_PALETTE8, 8, 0, 0, 0, 0, 0, 0};
constexpr HostPixelFormat HOST_FORMAT_RGB555 = {HOST_PF_RGB, 16, 0x7C00, 0x03E0, 0x001F, 0, 0, 0};
constexpr HostPixelFormat HOST_FORMAT_RGB565 = {HOST_PF_RGB, 16, 0xF800, 0x07E0, 0x001F, 0, 0, 0};
constexpr HostPixelFormat HOST_FORMAT_RGB888 = {HOST_PF_RGB, 24, 0xFF0000, 0x00FF00,
                                                0x0000FF,    0,  0,        0};
constexpr HostPixelFormat HOST_FORMAT_XRGB8888 = {HOST_PF_RGB, 32, 0xFF0000, 0x00FF00,
                                                  0x0000FF,    0,  0,        0};

constexpr HostPixelFormat HostZFormat(uint32_t zBits, uint32_t stencilBits)
{
    return {HOST_PF_ZBUFFER | (stencilBits ? HOST_PF_STENCIL : 0u),
            zBits + stencilBits,
            0,
            0,
            0,
            0,
            zBits,
            stencilBits};
}

bool HostFormatsEqual(const HostPixelFormat& a, const HostPixelFormat& b);

struct HostColour {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

// ---------------------------------------------------------------------------------------------
// Display adapters, display objects and modes.

struct HostGuid {
    uint8_t bytes[16];
};

// The display system is started and stopped around each use (counted, so it nests).
HostResult HostDisplaySystemStart();
void HostDisplaySystemStop();  // one stop per successful start; an extra stop does nothing

enum HostAdapterPass : int32_t {
    HOST_PASS_ATTACHED = 1,     // displays of the desktop
    HOST_PASS_DETACHED = 2,     // displays not on the desktop
    HOST_PASS_NON_DISPLAY = 3,  // devices that show nothing themselves
};

// `guid` is nullptr for the primary display. Return false to stop the enumeration.
using HostAdapterCallback = bool (*)(const HostGuid* guid, const char* description,
                                     const char* driver, uintptr_t monitor, void* context);
// Reports the adapters of one pass. The default host has one in pass 1: null GUID,
// "Ecran principal", driver "host".
HostResult HostEnumAdapters(int32_t pass, HostAdapterCallback callback, void* context);

struct HostDisplay;  // a display object, opened on one adapter

HostResult HostDisplayCreate(HostDisplay** display);
// Opens the created object on the adapter with this GUID (nullptr: the primary display);
// HOST_E_BAD_ARGUMENT for an unknown adapter.
HostResult HostDisplayOpen(HostDisplay* display, const HostGuid* adapter);
uint32_t HostDisplayRelease(HostDisplay* display);  // references left; 0 frees it

struct HostAdapterIdentity {
    char driver[64];
    char description[64];
    uint32_t versionHigh;  // version a.b.c.d: a << 16 | b, then c << 16 | d
    uint32_t versionLow;
};
HostResult HostDisplayIdentify(HostDisplay* display, HostAdapterIdentity* identity);

enum HostCapsFlags : uint32_t {
    HOST_CAPS_3D = 0x01,                // has a 3D device
    HOST_CAPS_RENDERS_WINDOWED = 0x02,  // can draw into a window on the desktop
};
HostResult HostDisplayCaps(HostDisplay* display, uint32_t* capsFlags);

enum HostMemoryKind : uint32_t { HOST_MEMORY_PRIMARY_3D, HOST_MEMORY_TEXTURE };
HostResult HostDisplayVideoMemory(HostDisplay* display, HostMemoryKind kind, uint32_t* totalBytes);

// 3D devices: HostDisplayOpen3D fails with HOST_E_UNSUPPORTED on an adapter without any.
enum HostDeviceCaps : uint32_t {
    HOST_DEV_HARDWARE = 0x001,         // rasterises in hardware
    HOST_DEV_HARDWARE_TL = 0x002,      // transforms and lights in hardware
    HOST_DEV_SUBPIXEL = 0x004,         // sub-pixel accurate triangles
    HOST_DEV_SUBPIXEL_X = 0x008,       // sub-pixel accurate in x only
    HOST_DEV_SORT_NO_ZBUFFER = 0x010,  // removes hidden surfaces without a z-buffer
    HOST_DEV_Z_TEST = 0x020,           // offers the z test
    HOST_DEV_SQUARE_TEXTURES = 0x040,  // textures must be square
    HOST_DEV_MIPMAP_FILTER = 0x080,    // offers a mip-map filter
    HOST_DEV_LINEAR_FILTER = 0x100,    // offers linear texture filtering
};
enum HostDepthBits : uint32_t {  // depths a device renders or offers z-buffers at
    HOST_DEPTH_8 = 0x1,
    HOST_DEPTH_16 = 0x2,
    HOST_DEPTH_24 = 0x4,
    HOST_DEPTH_32 = 0x8,
};
struct HostDeviceDesc {
    HostGuid guid;
    char description[64];
    char name[64];
    uint32_t caps;           // HostDeviceCaps
    uint32_t renderDepths;   // HostDepthBits
    uint32_t zBufferDepths;  // HostDepthBits
    uint32_t maxTextureWidth;
    uint32_t maxTextureHeight;
    uint32_t minTextureWidth;
    uint32_t minTextureHeight;
    uint32_t maxTextureAspect;
};
using HostDeviceCallback = bool (*)(const HostDeviceDesc& device, void* context);  // false: stop
using HostZFormatCallback = bool (*)(const HostPixelFormat& format, void* context);
HostResult HostDisplayOpen3D(HostDisplay* display);
void HostDisplayClose3D(HostDisplay* display);  // safe when not open
HostResult HostDisplayEnumDevices(HostDisplay* display, HostDeviceCallback callback, void* context);
HostResult HostDisplayEnumZFormats(HostDisplay* display, const HostGuid& device,
                                   HostZFormatCallback callback, void* context);

struct HostMode {
    int32_t width;
    int32_t height;
    HostPixelFormat format;  // 8-bit modes palettised, 16-bit 5-6-5, 24-bit 8-8-8, 32-bit XRGB
    bool standardVga;
};
using HostModeCallback = bool (*)(const HostMode& mode, void* context);  // false: stop
// The default list: 320x200, 320x240, 640x400, 640x480, 800x600 and 1024x768, each at 8, 16, 24
// and 32 bits, in that order; 320x200x8 is the standard-VGA mode.
HostResult HostDisplayEnumModes(HostDisplay* display, HostModeCallback callback, void* context);

// Exclusive (full screen) or normal (windowed) use of the display through the window.
HostResult HostDisplaySetExclusive(HostDisplay* display, HostWindow window, bool exclusive);
// Full screen only, and only while exclusive (else HOST_E_NOT_EXCLUSIVE): a mode of the list;
// the window and its image take the mode's size and format.
HostResult HostDisplaySetMode(HostDisplay* display, int32_t width, int32_t height,
                              uint32_t bitCount, bool standardVga);
HostResult HostDisplayRestoreMode(HostDisplay* display);  // back to the desktop's size and format

// ---------------------------------------------------------------------------------------------
// Surfaces, palettes and clippers: in memory, reference counted.

struct HostSurface;
struct HostPalette;
struct HostClipper;

enum HostSurfaceKind : uint32_t {
    // The screen, one at a time, needing a window. Windowed: the window image, in the
    // desktop's format, addressed in screen coordinates (blits and fills are moved by the
    // client origin and clipped to the client area); it follows the window's size. Full
    // screen: the mode's size and format, optionally with one back buffer; a mode change loses
    // it.
    HOST_SURFACE_PRIMARY,
    HOST_SURFACE_PLAIN,    // off-screen of the given size and format, optionally flippable
    HOST_SURFACE_ZBUFFER,  // of the given size in a z format (HostZFormat)
    // A texture of 1 to 1024 texels a side in an RGB format of the device's list, with
    // `mipLevels` levels (0 or 1: one), each half the size of the one before (at least 1); never
    // lost. The device samples a 32-bit copy of each level, made when the level is unlocked.
    HOST_SURFACE_TEXTURE,
};

enum HostSurfaceFlags : uint32_t {
    HOST_SURFACE_SYSTEM_MEMORY = 0x1,  // recorded only: all surfaces live in memory
    HOST_SURFACE_3D_DEVICE = 0x2,      // a 3D device may render into it (HostDeviceCreate)
    HOST_SURFACE_MANAGED = 0x4,        // textures: recorded only, as no texture is ever lost
};

struct HostSurfaceDesc {
    uint32_t kind;   // HostSurfaceKind
    uint32_t flags;  // HostSurfaceFlags
    int32_t width;   // plain and z-buffer only
    int32_t height;
    HostPixelFormat format;  // plain and z-buffer only
    int32_t backBuffers;     // 0 or 1: a flip chain (primary full screen, or plain)
    int32_t mipLevels;       // textures only
};

HostResult HostSurfaceCreate(HostDisplay* display, const HostSurfaceDesc& desc,
                             HostSurface** surface);
// Counting the references of a surface that is gone is fatal (our own bug).
uint32_t HostSurfaceAddRef(HostSurface* surface);  // references now held
// References left; at 0 the surface goes, with its back buffer's chain reference and its
// attached z-buffer, palette and clipper references.
uint32_t HostSurfaceRelease(HostSurface* surface);
HostResult HostSurfaceGetBackBuffer(HostSurface* surface, HostSurface** back);  // adds a reference
// A texture level's next smaller level, with a reference; HOST_E_GENERIC for the last level.
HostResult HostSurfaceGetNextMipLevel(HostSurface* level, HostSurface** next);
HostResult HostSurfaceAttachZBuffer(HostSurface* surface, HostSurface* zbuffer);
HostResult HostSurfaceGetFormat(HostSurface* surface, HostPixelFormat* format);
void HostSurfaceSize(HostSurface* surface, int32_t* width, int32_t* height);
// The whole surface; the pitch is the row size rounded up to 16 bytes. Locking a locked
// surface is HOST_E_BAD_ARGUMENT; filling, blitting or flipping one is HOST_E_GENERIC.
HostResult HostSurfaceLock(HostSurface* surface, void** bits, int32_t* pitchBytes);
HostResult HostSurfaceUnlock(HostSurface* surface);
// Fills the rectangle (nullptr: all) with a raw pixel value. Rectangles outside an ordinary
// surface are HOST_E_BAD_ARGUMENT.
HostResult HostSurfaceFill(HostSurface* surface, const HostRect* rect, uint32_t value);
// Copies a source rectangle onto a destination rectangle of the same size (nullptr: the whole
// surface), converting formats and going through the source's palette when it has one. Each
// component widens by bit replication, so 5-bit 31 becomes 255. Sizes that differ are
// HOST_E_BAD_ARGUMENT; RGB into a palettised surface, or a palettised source without a palette
// into RGB, HOST_E_UNSUPPORTED.
HostResult HostSurfaceBlit(HostSurface* destination, const HostRect* destinationRect,
                           HostSurface* source, const HostRect* sourceRect);
HostResult HostSurfaceFlip(HostSurface* surface);  // swaps the front and the back buffer
// HOST_OK, or HOST_E_SURFACE_LOST. A lost surface answers lock, fill, blit and flip with
// HOST_E_SURFACE_LOST until restored; restoring clears it to 0.
HostResult HostSurfaceIsLost(HostSurface* surface);
HostResult HostSurfaceRestore(HostSurface* surface);

// A drawing context on a surface: the window system's own drawing reaches the surface's pixels
// through it, and marks what it changes as a blit does, so giving the context back changes
// nothing. While one is out the surface is locked to everything else (lock, fill, blit, flip); a
// lost surface answers HOST_E_SURFACE_LOST, a locked one HOST_E_GENERIC.
struct HostDrawContext;
HostResult HostSurfaceGetDC(HostSurface* surface, HostDrawContext** context);
// HOST_E_BAD_ARGUMENT for a context that is not the surface's.
HostResult HostSurfaceReleaseDC(HostSurface* surface, HostDrawContext* context);
// The window system's copy between two contexts: the rectangle of `from` at (fromX, fromY) onto
// `rect` of `to`, converted as HostSurfaceBlit converts, with the same refusals.
HostResult HostDrawContextCopy(HostDrawContext* to, const HostRect& rect, HostDrawContext* from,
                               int32_t fromX, int32_t fromY);

HostResult HostPaletteCreate(HostDisplay* display, const HostColour entries[256],
                             HostPalette** palette);
HostResult HostPaletteSetEntries(HostPalette* palette, int32_t first, int32_t count,
                                 const HostColour* entries);
uint32_t HostPaletteRelease(HostPalette* palette);
HostResult HostSurfaceSetPalette(HostSurface* surface, HostPalette* palette);  // adds a reference

HostResult HostClipperCreate(HostDisplay* display, HostClipper** clipper);
HostResult HostClipperSetWindow(HostClipper* clipper, HostWindow window);
uint32_t HostClipperRelease(HostClipper* clipper);
HostResult HostSurfaceSetClipper(HostSurface* surface, HostClipper* clipper);  // adds a reference

// ---------------------------------------------------------------------------------------------
// The 3D device: a software rasteriser of our own, the same under both back ends. One device
// renders into one render target (a surface made with HOST_SURFACE_3D_DEVICE in RGB 5-5-5, 5-6-5
// or X8-8-8-8) and the z-buffer attached to it when it was created.
//
// Coverage: pixel (i, j) is sampled at its centre (i + 1/2, j + 1/2). A triangle covers the
// pixels whose centre lies inside it; corners are snapped to 1/16 pixel (28.4 fixed point) and a
// centre exactly on an edge belongs to the triangle only when the edge is a top edge (horizontal,
// the triangle below it) or a left edge, so triangles sharing an edge never both draw a pixel
// nor leave a gap between them.
//
// Untransformed vertices are row vectors times world x view x projection, clipped in homogeneous
// space against 0 <= z <= w and the viewport's four sides, then mapped: screen x = X + (1 + x/w)
// W/2, y = Y + (1 - y/w) H/2, depth = minZ + (z/w)(maxZ - minZ). Screen vertices skip transform
// and lighting. Nothing outside the viewport is ever touched. Along each row, u and v are exact
// (perspective-correct unless HOST_RS_TEXTURE_PERSPECTIVE is off) at the ends of every run of
// at most 16 pixels and step linearly inside it, as does the fog factor; colour and depth step
// linearly from the row's first pixel in 16.16 fixed point, by the triangle's slope unless that
// would leave their range (0-255, 0-1) before the row's last pixel, when they step to its
// clamped value instead.
//
// Culling looks at the corners' order on the screen (y down): HOST_CULL_CCW removes triangles
// whose corners run counter-clockwise, HOST_CULL_CW clockwise ones.
//
// Lighting (HOST_RS_LIGHTING on), per vertex, in world space with normals turned by the world
// matrix's 3 x 3 part (renormalised when HOST_RS_NORMALIZE_NORMALS is on): colour = emissive +
// ambient x (HOST_RS_AMBIENT + the enabled lights' ambient colours) + diffuse x the sum of each
// enabled light's diffuse x max(0, N . -direction); alpha is the diffuse alpha; clamped to 0-1.
// Each material colour is the vertex's diffuse colour when HOST_RS_COLOR_VERTEX is on, its
// source state says HOST_MCS_COLOR1 and the vertex has one; else the material's. Lighting off:
// the vertex's diffuse colour, opaque white without one. Directional lights only; no specular.
//
// Texture stage 0 combines the texture (opaque white when none is bound) and the diffuse colour
// with its colour and alpha operations. Sampling: texel k of a level n texels wide spans [k/n,
// (k+1)/n) in u (likewise v), u and v being fractions in 0.32 fixed point; point filtering takes
// texel floor(u n), linear blends the four texels around (u n - 1/2, v n - 1/2) with weights
// rounded to 1/256; addresses wrap. The level of detail is log2 of the larger
// texel-per-pixel derivative plus the stage's bias, taken at the start of every run of at most
// 16 pixels; above 0 the minifying filter and the mip filter apply (none: level 0; point: the
// nearest level; linear: a blend of the two nearest), else the magnifying filter on level 0.
//
// Then, per pixel: table fog (linear: f = (end - w) / (end - start) clamped to 0-1, w the eye
// distance 1/rhw; colour = f colour + (1 - f) fog colour), the stencil test and the z test
// (stencil operations on fail, z fail and pass), blending (source x factor + target x factor) and
// the writes (colour always, z when HOST_RS_Z_WRITE is on, stencil through its write mask).
//
// Render states are numbered 0-152 and keep any value given; the device acts on those named
// below and checks their values; every other state accepts only its default (0) and refuses any
// other value with HOST_E_UNSUPPORTED, as a device refuses what it cannot do.

struct HostDevice;

constexpr int32_t HOST_RENDER_STATE_COUNT = 153;
constexpr int32_t HOST_STAGE_STATE_COUNT = 25;  // ids 1-24; 0 is not a state
constexpr int32_t HOST_MAX_LIGHTS = 8;

enum HostRenderState : uint32_t {
    HOST_RS_TEXTURE_PERSPECTIVE = 4,  // 0/1
    HOST_RS_Z_ENABLE = 7,             // 0/1
    HOST_RS_SHADE_MODE = 9,           // HostShadeMode
    HOST_RS_Z_WRITE = 14,             // 0/1
    HOST_RS_SOURCE_BLEND = 19,        // HostBlend
    HOST_RS_DEST_BLEND = 20,          // HostBlend
    HOST_RS_CULL_MODE = 22,           // HostCull
    HOST_RS_Z_FUNC = 23,              // HostCompare
    HOST_RS_BLEND_ENABLE = 27,        // 0/1
    HOST_RS_FOG_ENABLE = 28,          // 0/1
    HOST_RS_FOG_COLOUR = 34,          // 0xAARRGGBB (alpha unused)
    HOST_RS_FOG_TABLE_MODE = 35,      // HostFogMode
    HOST_RS_FOG_START = 36,           // float bits, eye distance
    HOST_RS_FOG_END = 37,             // float bits, beyond start
    HOST_RS_STENCIL_ENABLE = 52,      // 0/1
    HOST_RS_STENCIL_FAIL = 53,        // HostStencilOp
    HOST_RS_STENCIL_Z_FAIL = 54,
    HOST_RS_STENCIL_PASS = 55,
    HOST_RS_STENCIL_FUNC = 56,  // HostCompare: reference & mask against stored & mask
    HOST_RS_STENCIL_REF = 57,
    HOST_RS_STENCIL_MASK = 58,
    HOST_RS_STENCIL_WRITE_MASK = 59,
    HOST_RS_LIGHTING = 137,           // 0/1
    HOST_RS_AMBIENT = 139,            // 0xAARRGGBB
    HOST_RS_COLOR_VERTEX = 141,       // 0/1
    HOST_RS_NORMALIZE_NORMALS = 143,  // 0/1
    HOST_RS_DIFFUSE_SOURCE = 145,     // HostMaterialSource, and the three after it
    HOST_RS_SPECULAR_SOURCE = 146,
    HOST_RS_AMBIENT_SOURCE = 147,
    HOST_RS_EMISSIVE_SOURCE = 148,
};

enum HostCompare : uint32_t {
    HOST_CMP_NEVER = 1,
    HOST_CMP_LESS,
    HOST_CMP_EQUAL,
    HOST_CMP_LESS_EQUAL,
    HOST_CMP_GREATER,
    HOST_CMP_NOT_EQUAL,
    HOST_CMP_GREATER_EQUAL,
    HOST_CMP_ALWAYS,
};
enum HostBlend : uint32_t {
    HOST_BLEND_ZERO = 1,
    HOST_BLEND_ONE,
    HOST_BLEND_SOURCE_ALPHA,
    HOST_BLEND_INVERSE_SOURCE_ALPHA,
};
enum HostCull : uint32_t { HOST_CULL_NONE = 1, HOST_CULL_CW, HOST_CULL_CCW };
enum HostShadeMode : uint32_t { HOST_SHADE_FLAT = 1, HOST_SHADE_GOURAUD };
enum HostFogMode : uint32_t { HOST_FOG_NONE = 0, HOST_FOG_LINEAR };
enum HostStencilOp : uint32_t {
    HOST_STENCIL_KEEP = 1,
    HOST_STENCIL_ZERO,
    HOST_STENCIL_REPLACE,
    HOST_STENCIL_INCREMENT,  // saturating
    HOST_STENCIL_DECREMENT,  // saturating
    HOST_STENCIL_INVERT,
};
enum HostMaterialSource : uint32_t { HOST_MCS_MATERIAL = 0, HOST_MCS_COLOR1 };

enum HostStageState : uint32_t {
    HOST_TSS_COLOUR_OP = 1,  // HostTextureOp
    HOST_TSS_COLOUR_ARG1,    // HostTextureArg
    HOST_TSS_COLOUR_ARG2,
    HOST_TSS_ALPHA_OP,
    HOST_TSS_ALPHA_ARG1,
    HOST_TSS_ALPHA_ARG2,
    HOST_TSS_ADDRESS_U,  // HostTextureAddress
    HOST_TSS_ADDRESS_V,
    HOST_TSS_MAG_FILTER,            // HostTextureFilter: point or linear
    HOST_TSS_MIN_FILTER,            // point or linear
    HOST_TSS_MIP_FILTER,            // none, point or linear
    HOST_TSS_MIP_LOD_BIAS,          // float bits
    HOST_TSS_TRANSFORM_FLAGS = 24,  // 0 only: texture coordinates are used as given
};
enum HostTextureOp : uint32_t {
    HOST_TOP_DISABLE = 1,  // stage 0: the diffuse colour passes unchanged
    HOST_TOP_SELECT_ARG1,
    HOST_TOP_SELECT_ARG2,
    HOST_TOP_MODULATE,
};
enum HostTextureArg : uint32_t { HOST_TA_DIFFUSE = 1, HOST_TA_TEXTURE };
enum HostTextureAddress : uint32_t { HOST_TADDRESS_WRAP = 1 };
enum HostTextureFilter : uint32_t { HOST_FILTER_NONE = 0, HOST_FILTER_POINT, HOST_FILTER_LINEAR };

enum HostTransformKind : uint32_t {
    HOST_TRANSFORM_WORLD = 1,
    HOST_TRANSFORM_VIEW = 2,
    HOST_TRANSFORM_PROJECTION = 3,
};

enum HostPrimitive : uint32_t {
    HOST_PRIM_POINTS = 1,  // one pixel each
    HOST_PRIM_LINES,       // pairs; one pixel wide, the last pixel not drawn
    HOST_PRIM_TRIANGLES,   // triples
    HOST_PRIM_FAN,         // corner 0 with each following pair
};

// Vertex formats. Untransformed {x, y, z, nx, ny, nz, u, v} and {x, y, z, nx, ny, nz, diffuse};
// screen vertices {x, y, z, rhw, diffuse, specular, u, v}, the specular ignored.
enum HostVertexFormat : uint32_t {
    HOST_VERTEX_NORMAL_UV = 0x112,
    HOST_VERTEX_NORMAL_DIFFUSE = 0x52,
    HOST_VERTEX_SCREEN = 0x10000,
};

enum HostClearFlags : uint32_t {
    HOST_CLEAR_TARGET = 0x1,
    HOST_CLEAR_Z = 0x2,        // refused without a z-buffer
    HOST_CLEAR_STENCIL = 0x4,  // refused without stencil bits
};

struct HostColourValue {  // 0-1 each
    float r;
    float g;
    float b;
    float a;
};

struct HostViewport {
    uint32_t x;
    uint32_t y;
    uint32_t width;
    uint32_t height;
    float minZ;
    float maxZ;
};

struct HostMaterial {
    HostColourValue diffuse;
    HostColourValue ambient;
    HostColourValue specular;
    HostColourValue emissive;
    float power;
};

enum HostLightKind : uint32_t { HOST_LIGHT_DIRECTIONAL = 3 };

struct HostLight {
    uint32_t kind;  // HostLightKind: the only kind
    HostColourValue diffuse;
    HostColourValue specular;
    HostColourValue ambient;
    float position[3];
    float direction[3];  // need not be of length 1
    float range;
    float falloff;
    float attenuation[3];
    float theta;
    float phi;
};

// On the display's 3D side (HostDisplayOpen3D), with a device GUID of the adapter: the device
// renders into `target` (a reference is held to it and its z-buffer). HOST_E_BAD_ARGUMENT for a
// target not made for a device or of another format, an unknown GUID.
HostResult HostDeviceCreate(HostDisplay* display, const HostGuid& device, HostSurface* target,
                            HostDevice** out);
uint32_t HostDeviceRelease(HostDevice* device);  // 0: gone, with its references
// The texture formats, in the adapter's order; the callback answers false to stop.
using HostTextureFormatCallback = bool (*)(const HostPixelFormat& format, void* context);
HostResult HostDeviceEnumTextureFormats(HostDevice* device, HostTextureFormatCallback callback,
                                        void* context);
// A viewport outside the target, or with min z above max z, is HOST_E_BAD_ARGUMENT.
HostResult HostDeviceSetViewport(HostDevice* device, const HostViewport& viewport);
// Clears the rectangles (clipped to the viewport) of the target to `argb`, the z-buffer to `z`
// (0-1) and the stencil to `stencil`, as the flags ask.
HostResult HostDeviceClear(HostDevice* device, const HostRect* rects, int32_t count, uint32_t flags,
                           uint32_t argb, float z, uint32_t stencil);
// Drawing happens between the two; the end marks the target changed, as an unlock does.
HostResult HostDeviceBeginScene(HostDevice* device);
HostResult HostDeviceEndScene(HostDevice* device);
HostResult HostDeviceSetTransform(HostDevice* device, uint32_t kind, const float matrix[16]);
HostResult HostDeviceSetMaterial(HostDevice* device, const HostMaterial& material);
HostResult HostDeviceSetLight(HostDevice* device, int32_t index, const HostLight& light);
HostResult HostDeviceLightEnable(HostDevice* device, int32_t index, bool on);
HostResult HostDeviceGetRenderState(HostDevice* device, uint32_t id, uint32_t* value);
HostResult HostDeviceSetRenderState(HostDevice* device, uint32_t id, uint32_t value);
// Stage 0 only.
HostResult HostDeviceGetStageState(HostDevice* device, int32_t stage, uint32_t id, uint32_t* value);
HostResult HostDeviceSetStageState(HostDevice* device, int32_t stage, uint32_t id, uint32_t value);
// A texture's top level, or nullptr for none; stage 0 only.
HostResult HostDeviceSetTexture(HostDevice* device, int32_t stage, HostSurface* texture);
// Outside a scene, with the target locked, or with a primitive or vertex format the device does
// not know: HOST_E_GENERIC or HOST_E_UNSUPPORTED and nothing drawn.
HostResult HostDeviceDraw(HostDevice* device, uint32_t primitive, uint32_t vertexFormat,
                          const void* vertices, uint32_t count);
HostResult HostDeviceDrawIndexed(HostDevice* device, uint32_t primitive, uint32_t vertexFormat,
                                 const void* vertices, uint32_t vertexCount,
                                 const uint16_t* indices, uint32_t indexCount);
// Spheres (centres as 3 floats, radii) against the six planes of world x view x projection
// (0 left, 1 right, 2 top, 3 bottom, 4 near, 5 far): bit k when the sphere crosses plane k, bit
// 12 + k when it lies wholly outside it.
HostResult HostDeviceSphereVisibility(HostDevice* device, const float* centres, const float* radii,
                                      uint32_t count, uint32_t* results);

// ---------------------------------------------------------------------------------------------
// Presentation and read-back. A change of the window image (unlock, fill, blit or flip of the
// primary, a change of its palette, an erase) is presented at the next pump: what changed is kept
// in the frame store, the frame number counted up, and shown by the back end. The frame store
// converts to RGB only what changed since the last read, when read.

struct HostFrame {
    uint32_t number;  // presents so far; 0 and no pixels before the first
    int32_t width;
    int32_t height;
    const uint8_t* rgb;  // width x height x 3 bytes, top row first; valid until the next present
};
HostFrame HostLastFrame();
// The last frame as an 8-bit RGB PNG file, written atomically; false after a log line when
// nothing was presented or the file cannot be written.
bool HostWriteFramePng(const char* path);
// 64-bit FNV-1a over the width and height (4 bytes each, little-endian) and the RGB bytes.
uint64_t HostFrameHash();

// ---------------------------------------------------------------------------------------------
// Sound: one output device mixing up to HOST_AUDIO_MAX_BUFFERS streaming buffers of 8-bit
// unsigned mono samples into 44,100 Hz 16-bit stereo. The SDL back end plays through the default
// audio device; headless, or when SDL opens none, a null sink consumes the output in time (441
// frames per manual clock period, else by the real clock) and can record it (inject.h).

constexpr uint32_t HOST_AUDIO_RATE = 44100;
constexpr uint32_t HOST_AUDIO_BITS = 16;
constexpr uint32_t HOST_AUDIO_CHANNELS = 2;
constexpr int32_t HOST_AUDIO_MAX_BUFFERS = 16;
constexpr uint32_t HOST_AUDIO_MIN_FREQUENCY = 100;  // Hz, a buffer's playback rate
constexpr uint32_t HOST_AUDIO_MAX_FREQUENCY = 100000;
constexpr int32_t HOST_AUDIO_SILENT = -10000;    // volume in hundredths of a decibel, -10,000..0
constexpr int32_t HOST_AUDIO_PAN_LEFT = -10000;  // pan: the other side is attenuated by |pan|
constexpr int32_t HOST_AUDIO_PAN_RIGHT = 10000;

// Counted, so it nests; HOST_CALL_AUDIO_START can be made to fail.
HostResult HostAudioSystemStart();
void HostAudioSystemStop();  // one stop per successful start; an extra stop does nothing

// Opens the output: true once a device (real or the null sink) plays; false only when the test
// control "no device" is set. Opening an open device answers true.
bool HostAudioOpen();
// Closes the output and frees every buffer still held; safe when closed. HostStop calls it.
void HostAudioClose();
bool HostAudioIsOpen();
// Exclusive or normal use of the output through the window; HOST_E_BAD_ARGUMENT when the window
// does not exist, HOST_E_GENERIC when the output is closed.
HostResult HostAudioSetCooperation(HostWindow window, bool exclusive);

struct HostAudioFormat {
    uint32_t samplesPerSecond;
    uint32_t bitsPerSample;
    uint32_t channels;
};

struct HostSoundBuffer;

enum HostSoundBufferKind : uint32_t {
    HOST_SOUND_PRIMARY,  // the output itself: only its format can be set and read
    HOST_SOUND_STREAM,   // 8-bit unsigned mono at 44,100 Hz, `bytes` long, silent (128) at first
};

struct HostSoundBufferDesc {
    uint32_t kind;   // HostSoundBufferKind
    uint32_t caps;   // recorded only
    uint32_t bytes;  // streams: 1 or more
};

// HOST_E_GENERIC when the output is closed or all buffers are in use; HOST_E_BAD_ARGUMENT for a
// stream of 0 bytes.
HostResult HostSoundBufferCreate(const HostSoundBufferDesc& desc, HostSoundBuffer** buffer);
uint32_t HostSoundBufferAddRef(HostSoundBuffer* buffer);   // references now held
uint32_t HostSoundBufferRelease(HostSoundBuffer* buffer);  // references left; 0 frees it
// The primary only: 44,100 Hz, 16 bits, 2 channels is accepted; anything else is
// HOST_E_UNSUPPORTED. Reading back gives that format.
HostResult HostSoundBufferSetFormat(HostSoundBuffer* buffer, const HostAudioFormat& format);
HostResult HostSoundBufferGetFormat(HostSoundBuffer* buffer, HostAudioFormat* format);
// Streams only. A region past the end continues at the start: the second part comes back in
// `second` (nullptr and 0 when it does not wrap). An offset at or past the end, a count of 0 or
// beyond the size, or a buffer already locked is HOST_E_BAD_ARGUMENT. The output is held from
// the lock to the unlock, so the mixer never reads half-written bytes.
HostResult HostSoundBufferLock(HostSoundBuffer* buffer, uint32_t offset, uint32_t count,
                               void** first, uint32_t* firstBytes, void** second,
                               uint32_t* secondBytes);
HostResult HostSoundBufferUnlock(HostSoundBuffer* buffer, void* first, uint32_t firstBytes,
                                 void* second, uint32_t secondBytes);
// Plays from the current position; once, a buffer stops at its end and rewinds to 0.
HostResult HostSoundBufferPlay(HostSoundBuffer* buffer, bool looping);
HostResult HostSoundBufferStop(HostSoundBuffer* buffer);  // keeps the position
HostResult HostSoundBufferSetPosition(HostSoundBuffer* buffer, uint32_t offset);
// The play cursor, and the write cursor: while playing, a lead of max(1, frequency x 15 / 1000)
// bytes ahead of the play cursor (around the end); stopped, the play cursor itself.
HostResult HostSoundBufferCursors(HostSoundBuffer* buffer, uint32_t* play, uint32_t* write);
// Out-of-range values are HOST_E_BAD_ARGUMENT.
HostResult HostSoundBufferSetFrequency(HostSoundBuffer* buffer, uint32_t hz);
HostResult HostSoundBufferSetVolume(HostSoundBuffer* buffer, int32_t hundredthsDb);
HostResult HostSoundBufferSetPan(HostSoundBuffer* buffer, int32_t pan);

// ---------------------------------------------------------------------------------------------
// Network: IPv4 TCP over the system's sockets. A socket is a small non-negative number; every
// socket is non-blocking, so only HostTcpConnect and HostTcpWait wait, and never past their
// time-out. Addresses are IPv4 in host order (127.0.0.1 is 0x7F000001); ports in host order.

struct HostNetInfo {
    char description[64];  // "POSIX sockets"
    char status[32];       // "Running"
    int32_t maxSockets;
    int32_t maxUdpSize;  // the largest IPv4 UDP datagram: 65,507
};

// Fills the info; false when the system offers no sockets. HostNetStop is safe without a start.
bool HostNetStart(HostNetInfo* info);
void HostNetStop();

// Why the last failing network call failed, for the socket layer's result codes.
enum HostNetReason : uint32_t {
    HOST_NET_REASON_NONE,
    HOST_NET_REASON_REFUSED,  // no listener on the port
    HOST_NET_REASON_RESET,    // the peer reset or closed the connection
    HOST_NET_REASON_UNREACHABLE,
    HOST_NET_REASON_NOT_FOUND,  // no such host or service
    HOST_NET_REASON_TIMED_OUT,
    HOST_NET_REASON_OTHER,
};
HostNetReason HostNetLastReason();

// A dotted address, or a name through the system resolver (IPv4 only).
bool HostNetResolve(const char* name, uint32_t* ipv4);
// A port number, or a name of the system's service table for protocol "tcp".
bool HostNetService(const char* name, uint16_t* port);

// Transfers answer a byte count (0 only for a count of 0) or one of these.
constexpr int32_t HOST_NET_WOULD_BLOCK = -1;
constexpr int32_t HOST_NET_CLOSED = -2;  // the peer closed its side: nothing more will come
constexpr int32_t HOST_NET_ERROR = -3;   // the reason is in HostNetLastReason

int32_t HostTcpOpen();  // a socket, or HOST_NET_ERROR
// False, with the reason kept, when the connection is refused, fails or takes longer.
bool HostTcpConnect(int32_t socket, uint32_t ipv4, uint16_t port, uint32_t timeoutMs);
void HostTcpClose(int32_t socket);
// Sending to a peer that has gone never raises a signal: it answers HOST_NET_ERROR.
int32_t HostTcpSend(int32_t socket, const void* data, int32_t count);
int32_t HostTcpRecv(int32_t socket, void* buffer, int32_t count);
int32_t HostTcpPeek(int32_t socket, void* buffer, int32_t count);  // leaves the bytes to read
// True when the socket can be read (data or the peer's close) or written within the time-out.
bool HostTcpWait(int32_t socket, bool forRead, uint32_t timeoutMs);

// ---------------------------------------------------------------------------------------------
// Dialogs: a modal dialog described by a template, drawn in the window image and driven by the
// window's own input (key messages, the cursor and the mouse buttons).
//
// The template, little-endian, strings zero-terminated UTF-16LE:
//   header: u32 style, u16 item count, i16 x, y, width, height, u16 font size, font name;
//   each item, starting on a 4-byte boundary (zero bytes pad up to it): u32 style,
//   i16 x, y, width, height, u16 id, u16 class (HostDialogClass), text.
// Positions and sizes are dialog units of 2 x 2 pixels; the dialog is centred over the window
// and every item placed from its corner. Text is drawn in 8 x 16 cells whatever the font.

enum HostDialogClass : uint16_t {
    HOST_DIALOG_BUTTON = 1,
    HOST_DIALOG_LIST_BOX = 2,
    HOST_DIALOG_STATIC = 3
};

// Style bits of items and of the dialog itself.
constexpr uint32_t HOST_DIALOG_VISIBLE = 0x01;
constexpr uint32_t HOST_DIALOG_TAB_STOP = 0x02;   // Tab stops on the item
constexpr uint32_t HOST_DIALOG_GROUP_BOX = 0x04;  // a button drawn as a titled frame, never pressed
constexpr uint32_t HOST_DIALOG_DEFAULT = 0x08;    // the button Enter presses from a list
constexpr uint32_t HOST_DIALOG_SUNKEN = 0x10;     // a static text in a sunken frame
constexpr uint32_t HOST_DIALOG_MODAL = 0x20;      // the dialog: owns the input until it ends
constexpr uint32_t HOST_DIALOG_CENTRED = 0x40;    // the dialog: centred over the window

constexpr uint32_t HOST_DIALOG_HEADER_BYTES = 16;  // before the font name
constexpr uint32_t HOST_DIALOG_ITEM_BYTES = 16;    // before the item's text
constexpr int32_t HOST_DIALOG_MAX_ITEMS = 16;
constexpr int32_t HOST_DIALOG_MAX_ROWS = 32;    // rows of one list box
constexpr int32_t HOST_DIALOG_TEXT_SIZE = 512;  // an item's text, terminator included
constexpr int32_t HOST_DIALOG_ROW_SIZE = 64;    // a list row, terminator included
constexpr int32_t HOST_DIALOG_ROW_PIXELS = 16;
constexpr uint16_t HOST_DIALOG_ID_OK = 1;      // the button Enter presses when nothing else is
constexpr uint16_t HOST_DIALOG_ID_CANCEL = 2;  // the button Escape presses

enum HostDialogEvent : uint32_t {
    HOST_DIALOG_INIT,      // before the first drawing; id 0
    HOST_DIALOG_SELECTED,  // the user changed a list's selection; id: the list
    HOST_DIALOG_PRESSED,   // the user pressed an enabled button; id: the button
};
using HostDialogProc = void (*)(uint32_t event, uint16_t id, void* context);

// Runs the dialog modally: saves the window image under it, draws it, reads the input until the
// procedure calls HostDialogEnd, and puts the image back. Answers the result given to
// HostDialogEnd, or -1 after a log line when there is no window, the window shows 8-bit
// colour, a dialog is already running or the template is malformed. A quit that arrives while
// the dialog runs ends it with -1 and stays pending for the program.
intptr_t HostDialogRun(const void* dialogTemplate, uint32_t size, HostDialogProc proc,
                       void* context);
// For the procedure, while the dialog runs; an id that is no item of the right class is ignored
// (HostDialogListSelection answers -1). Texts are in the game's code page (Windows-1252) and cut
// at their size.
void HostDialogListReset(uint16_t id);                  // no rows, no selection
void HostDialogListAdd(uint16_t id, const char* text);  // a row after the last; full: dropped
int32_t HostDialogListSelection(uint16_t id);           // the selected row, -1 for none
void HostDialogSetText(uint16_t id, const char* text);  // "\n" starts a line
void HostDialogEnable(uint16_t id, bool enabled);       // a disabled item takes no input
void HostDialogEnd(intptr_t result);

// ---------------------------------------------------------------------------------------------
// Media: one film at a time, played in the window image at HOST_MEDIA_FRAME_PERIODS clock
// periods a frame. The host reads films through a decoder that a higher layer registers.

constexpr uint32_t HOST_MEDIA_FRAME_PERIODS = 10;  // ten frames a second
constexpr int32_t HOST_MEDIA_MAX_SIDE = 1024;

struct HostMediaDecoder {
    // Opens the film: its width and height (1 .. HOST_MEDIA_MAX_SIDE), or false when it cannot
    // be played from start to end.
    bool (*open)(const char* name, int32_t* width, int32_t* height);
    // The next frame into `pixels` (width x height 8-bit, keeping what the frame leaves), with
    // `palette` at the film's 768 bytes of RGB, or null before any frame carried one. False at
    // the end of the film.
    bool (*frame)(uint8_t* pixels, const uint8_t** palette);
    void (*close)();
};
void HostMediaSetDecoder(const HostMediaDecoder* decoder);  // nullptr: none, so nothing opens

enum HostMediaState : uint32_t { HOST_MEDIA_STOPPED, HOST_MEDIA_PLAYING, HOST_MEDIA_ENDED };

// Each call fails with HOST_E_GENERIC when no film is open (open: when one is, or the decoder
// refuses the name, or there is no decoder). Closing puts the window image back as it was when
// the play started.
HostResult HostMediaOpen(const char* name);
HostResult HostMediaSetWindow(HostWindow window);  // HOST_E_BAD_ARGUMENT: no such window
HostResult HostMediaSourceRect(HostRect* rect);    // {0, 0, width, height} of the film
// Where the film shows, in client pixels; an empty rectangle is HOST_E_BAD_ARGUMENT.
HostResult HostMediaPut(const HostRect& target);
// Shows the first frame now and each next one HOST_MEDIA_FRAME_PERIODS later, scaled by nearest
// pixel into the target, black around it; a frame without a palette shows as a grey ramp.
// HOST_E_GENERIC without a window and target; HOST_E_UNSUPPORTED when the window shows 8-bit
// colour.
HostResult HostMediaPlay();
HostResult HostMediaStatus(uint32_t* state);  // HostMediaState; the last frame stays up when ended
HostResult HostMediaClose();
