// engine/host/inject.h: test controls of the host: the machine the headless host pretends to be,
// injected messages and failures, forced lost surfaces, a held message box. The manual clock's
// own controls are in engine/host/clock.h.
#pragma once

#include <cstdint>

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
};
// Replaces the adapters (count 0: none at all); the records are copied.
void HostInjectSetAdapters(const HostFakeAdapter* adapters, int32_t count);
HostFakeAdapter HostInjectDefaultAdapter();  // the default host's one adapter, to start from

// The next call of this kind (after `skip` successful ones) fails with `code`.
void HostInjectFailNext(HostCall call, HostResult code, int32_t skip = 0);

// Posts a message to the window's queue, as the window system would.
void HostInjectPost(uint32_t kind, uintptr_t wparam, intptr_t lparam);
// Marks every surface lost, in any mode (the host itself does it in full screen on focus loss).
void HostInjectLoseSurfaces();
// The next headless message box stays open for this many clock periods, advancing the manual
// clock while it is open.
void HostInjectHoldMessageBox(uint32_t periods);

// Observations.
int32_t HostInjectDisplayStarts();  // display system starts not yet stopped
int32_t HostInjectLiveSurfaces();   // surfaces not yet freed
int32_t HostInjectLivePalettes();
int32_t HostInjectLiveClippers();
int32_t HostInjectLiveDisplays();
uint32_t HostInjectArrowCursorSets();  // calls of HostCursorSetArrow since HostInjectReset
bool HostInjectCursorShown();
bool HostInjectDisplayExclusive();  // a display object holds exclusive use
