// engine/host/inject.h: test controls of the host: the machine the headless host pretends to be,
// injected messages and failures, forced lost surfaces, a held message box. The manual clock's
// own controls are in engine/host/clock.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/host/host.h"

// Everything below back to the default host: desktop 1920 x 1080 in 32-bit XRGB, the headless
// window's client area at (100, 80), the standard mode list, one adapter, no failure pending,
// no held box. Does not touch a running host's window or surfaces.
void HostInjectReset();

// The headless machine; the window position also moves a window that exists.
void HostInjectSetWindowPosition(int32_t x, int32_t y);
void HostInjectSetScreenSize(int32_t width, int32_t height);
// The desktop's format (the windowed primary's): 32-bit XRGB, 16-bit 5-6-5 or 5-5-5.
void HostInjectSetDesktopFormat(const HostPixelFormat& format);
// Replaces the mode list (at most HOST_INJECT_MAX_MODES rows are kept).
constexpr int32_t HOST_INJECT_MAX_MODES = 64;
void HostInjectSetModes(const HostMode* modes, int32_t count);

// A fake adapter, with its 3D devices and the z formats every one of its devices offers.
constexpr int32_t HOST_INJECT_MAX_ADAPTERS = 20;
constexpr int32_t HOST_INJECT_MAX_DEVICES = 20;
constexpr int32_t HOST_INJECT_MAX_Z_FORMATS = 8;
constexpr int32_t HOST_INJECT_MAX_TEXTURE_FORMATS = 40;
struct HostFakeAdapter {
    int32_t pass;  // HostAdapterPass
    bool hasGuid;  // false: reported with a null GUID
    HostGuid guid;
    char description[64];
    char driver[64];
    uint32_t caps;  // HostCapsFlags
    uint32_t primaryMemory;
    uint32_t textureMemory;
    bool failOpen;  // HostDisplayOpen answers HOST_E_GENERIC
    bool failCaps;  // HostDisplayCaps answers HOST_E_GENERIC
    bool fail3D;    // HostDisplayOpen3D answers HOST_E_UNSUPPORTED
    int32_t deviceCount;
    HostDeviceDesc devices[HOST_INJECT_MAX_DEVICES];
    int32_t zFormatCount;
    HostPixelFormat zFormats[HOST_INJECT_MAX_Z_FORMATS];
    int32_t textureFormatCount;  // the formats every device of the adapter offers for textures
    HostPixelFormat textureFormats[HOST_INJECT_MAX_TEXTURE_FORMATS];
};
// Replaces the adapters (count 0: none at all); the records are copied.
void HostInjectSetAdapters(const HostFakeAdapter* adapters, int32_t count);
// The default host's one adapter, to start from: 3D, with the host's own device (limits 1024 /
// 1 / no aspect limit), its z formats 16/0, 16/1, 24/0, 32/8 and 32/0 (total/stencil bits) and
// its texture formats 5-6-5, X1-5-5-5, A1-5-5-5, A4-4-4-4, X8-8-8-8 and A8-8-8-8.
HostFakeAdapter HostInjectDefaultAdapter();

// The next call of this kind (after `skip` successful ones) fails with `code`.
void HostInjectFailNext(HostCall call, HostResult code, int32_t skip = 0);

// The 3D device draws every triangle with its one general span routine instead of the routines
// specialised for common state combinations, so that a test can compare the two.
void HostInjectGeneralSpansOnly(bool on);

// Posts a message to the window's queue, as the window system would.
void HostInjectPost(uint32_t kind, uintptr_t wparam, intptr_t lparam);
// Marks every surface lost, in any mode (the host itself does it in full screen on focus loss).
void HostInjectLoseSurfaces();
// The next headless message box stays open for this many clock periods, advancing the manual
// clock while it is open.
void HostInjectHoldMessageBox(uint32_t periods);

// Input. Keys, typed text, motion and buttons go in through HostOnKey, HostOnText,
// HostOnMouseMotion and HostOnMouseButton (host.h), as a back end reports them.
void HostInjectSwapButtons(bool swapped);  // what HostMouseButtonsSwapped answers
// The headless joysticks (none by default; at most HOST_MAX_JOYSTICKS are kept), with
// capabilities: ranges 0-65535 on both axes.
struct HostFakeJoystick {
    char name[HOST_JOYSTICK_NAME_SIZE];
    uint32_t buttonCount;
    bool failCaps;  // the capabilities cannot be read
    bool failRead;  // reads fail
    HostJoystickPosition position;
};
void HostInjectSetJoysticks(const HostFakeJoystick* sticks, int32_t count);

// Observations.
struct HostDeviceStats {  // since the last device was created
    uint32_t stateSets;   // render and stage states that reached the device
    uint32_t textureBinds;
    uint32_t drawCalls;
    uint32_t triangles;  // triangles rasterised after clipping and culling
};
HostDeviceStats HostInjectDeviceStats();
// The device's accepted draw calls, one row each, while recording is on (off by default).
struct HostDrawRecord {
    uint32_t primitive;
    uint32_t vertexFormat;
    uint32_t vertexCount;
    uint32_t indexCount;  // 0 for a call without indices
    bool indexed;
    HostSurface* texture;  // bound at the call
};
void HostInjectRecordDraws(bool on);  // either way the record starts empty
const std::vector<HostDrawRecord>& HostInjectDrawRecord();
// Rows of the window image since the host started: converted onto it from a surface of another
// format (a row converted anew, however little of it), and copied by presents to be shown (a row
// of each changed rectangle).
uint32_t HostInjectImageRowsConverted();
uint32_t HostInjectPresentedRows();
int32_t HostInjectDisplayStarts();  // display system starts not yet stopped
int32_t HostInjectLiveSurfaces();   // surfaces not yet freed
int32_t HostInjectLivePalettes();
int32_t HostInjectLiveClippers();
int32_t HostInjectLiveDisplays();
uint32_t HostInjectArrowCursorSets();  // calls of HostCursorSetArrow since HostInjectReset
bool HostInjectCursorShown();
bool HostInjectDisplayExclusive();  // a display object holds exclusive use

// Sound. The null sink's record, kept from HostAudioOpen to the next open or reset.
enum HostAudioEventKind : uint32_t {
    HOST_AUDIO_CREATE,   // value: bytes (0 for the primary)
    HOST_AUDIO_RELEASE,  // the last reference went
    HOST_AUDIO_PLAY,     // value: 1 looping, 0 once
    HOST_AUDIO_STOP,
    HOST_AUDIO_POSITION,   // value: the new play position
    HOST_AUDIO_FREQUENCY,  // value: Hz
    HOST_AUDIO_VOLUME,     // value: hundredths of a decibel
    HOST_AUDIO_PAN,
    HOST_AUDIO_LOCK,  // value: offset; count: bytes
};
struct HostAudioEvent {
    uint32_t period;  // ClockPeriods() when it happened
    int32_t buffer;   // the buffer's slot
    uint32_t kind;    // HostAudioEventKind
    int32_t value;
    int32_t count;
};
const std::vector<HostAudioEvent>& HostInjectAudioLog();
// HostAudioOpen answers false while this is set ("no device").
void HostInjectAudioNoDevice(bool noDevice);
// On: the null sink records its output from now on (at most HOST_AUDIO_MAX_CAPTURE_FRAMES),
// silence included while no buffer plays or no device is open; off: it stops recording and
// keeps what it has. Under the manual clock only.
constexpr uint32_t HOST_AUDIO_MAX_CAPTURE_FRAMES = 10 * 60 * 44100;
void HostInjectAudioCapture(bool on);
bool HostInjectAudioCapturing();
const std::vector<int16_t>& HostInjectAudioCaptured();  // interleaved left, right
// The capture as a 16-bit stereo 44,100 Hz WAVE file, written atomically; false when the file
// cannot be written.
bool HostWriteCaptureWave(const char* path);

// The dialog being run (HostDialogRun): an item's text, a list's rows one per line; whether the
// item is enabled. "" and false without a dialog or such an item.
std::string HostInjectDialogText(uint16_t id);
bool HostInjectDialogEnabled(uint16_t id);

// Media: whether a film is open, and the frames it has shown since it was opened.
bool HostInjectMediaOpen();
uint32_t HostInjectMediaFrames();

// Network: sockets opened through HostTcpOpen and not yet closed.
int32_t HostInjectOpenSockets();
