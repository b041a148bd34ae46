// engine/host/internal.h: what the host's own files share and nobody else may use: the
// configured machine, the back end in use, the window image and the frame store's hooks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/host/host.h"
#include "engine/host/inject.h"

// A few rectangles whose union covers everything added since the region was last emptied (`= {}`).
// They may overlap and may cover a little more than was added: a full region merges the new
// rectangle into the one that grows least, so that the count stays bounded.
constexpr int32_t HOST_REGION_MAX_RECTS = 16;
struct HostRegion {
    int32_t count;
    HostRect rects[HOST_REGION_MAX_RECTS];
};
void HostRegionAdd(HostRegion* region, const HostRect& rect);  // an empty rectangle adds nothing
HostRect HostRegionBounds(const HostRegion& region);           // all zero when empty
// False, and `both` empty, when the rectangles do not overlap.
bool HostRectIntersect(const HostRect& a, const HostRect& b, HostRect* both);

// The machine the host pretends to be (inject.cpp); read by the display and the headless window.
struct HostMachine {
    int32_t windowX;
    int32_t windowY;
    int32_t screenWidth;
    int32_t screenHeight;
    HostPixelFormat desktopFormat;
    int32_t modeCount;
    HostMode modes[HOST_INJECT_MAX_MODES];
    int32_t adapterCount;
    const HostFakeAdapter* adapters;  // adapterCount records, owned by inject.cpp
};
const HostMachine& HostMachineConfig();
// The displays a window system knows, one adapter each with the default adapter's capabilities
// and devices, described by its name: the first is the primary (null GUID), the others carry a
// GUID made from their index. No names leave the adapters as they are.
void HostMachineUseDisplays(const std::vector<std::string>& names);
// True when the test controls made this call fail; the code to answer is stored.
bool HostTakeFailure(HostCall call, HostResult* code);
uint32_t HostTakeHeldBoxPeriods();  // 0 when no box is to be held
void HostCountArrowCursor();

const HostBackend& HostCurrentBackend();
bool HostDriverWillPost();
[[noreturn]] void HostDriverStalled();  // the driver ends the process; without one it is fatal

// The window image: the surface the window shows, in the desktop's format (full screen with a
// mode set: the mode's). nullptr without a window.
HostSurface* HostWindowImage();
// Full screen mode changes: the window and its image take this size and format.
void HostWindowSetDisplayMode(int32_t width, int32_t height, const HostPixelFormat& format);
void HostWindowRemoveQuietly();  // HostStop: no message is sent
void HostWindowReset();          // HostStart: no window, empty queue
// Waits a little for a message: the back end's events, or one period of the manual clock. A
// headless wait that nothing could ever answer calls the driver's `stalled`.
void HostWaitForMessage();
// Between HostBeginPaint and HostEndPaint: the region being painted, in client coordinates, to
// which blits onto the window image are clipped; nullptr outside a paint.
const HostRegion* HostWindowPaintRegion();

// Surfaces (surface.cpp).
HostSurface* HostImageCreate(int32_t width, int32_t height, const HostPixelFormat& format);
void HostSurfaceFreeAll();
// The window image was replaced: primaries show the new one. A full-screen mode change loses
// them, as any change of the screen's mode does.
void HostSurfaceRetarget(HostSurface* oldImage, HostSurface* newImage, bool lose);
void HostSurfaceLoseAll();
bool HostFormatUsable(const HostPixelFormat& format);
struct HostSurfacePixels {
    uint8_t* bits;
    int32_t width;
    int32_t height;
    int32_t pitch;
    const HostPixelFormat* format;
    const HostColour* palette;  // nullptr without one
};
HostSurfacePixels HostSurfaceView(HostSurface* surface);
// Copies a width x height block between two pixel views, converting formats (bit replication
// when a component widens) and through the source's palette when it has one. Any pair of
// formats HostFormatUsable accepts except RGB into a palettised destination.
bool HostConvertBlock(const HostSurfacePixels& source, int32_t sx, int32_t sy,
                      const HostSurfacePixels& destination, int32_t dx, int32_t dy, int32_t width,
                      int32_t height);
// Two palettes of 256 entries hold the same colours (nullptr equals only nullptr).
bool HostPalettesEqual(const HostColour* a, const HostColour* b);

// What the 3D device needs of surfaces (surface.cpp).
uint32_t HostSurfaceFlagsOf(HostSurface* surface);        // HostSurfaceFlags
HostSurface* HostSurfaceAttachedZ(HostSurface* surface);  // nullptr without a z-buffer
bool HostSurfaceBusy(HostSurface* surface);               // locked or lost: not drawable now
void HostSurfaceChanged(HostSurface* surface);            // presented if the window shows it
bool HostSurfaceIsTexture(HostSurface* surface);
// A z-buffer's depth (integers of its depth bits) and stencil values, one per pixel.
struct HostDepthView {
    uint32_t* depth;
    uint8_t* stencil;
    int32_t width;
    int32_t height;
    uint32_t zBits;
    uint32_t stencilBits;
};
HostDepthView HostSurfaceDepth(HostSurface* zbuffer);
// A texture level's 32-bit copy, 0xAARRGGBB per texel, rows without padding; its next level in
// `next` (nullptr for the last); `version` is new each time the copy is made.
struct HostTexels {
    const uint32_t* argb;
    int32_t width;
    int32_t height;
    HostSurface* next;
    uint64_t version;
};
HostTexels HostSurfaceTexels(HostSurface* level);
uint64_t HostNewTexelsVersion();  // a number no texels had before

// The 3D device (device3d.cpp): the default adapter's device row, and the adapter a display
// object is opened on.
HostDeviceDesc HostDefaultDevice();
void HostDeviceFreeAll();
bool HostGeneralSpansOnly();  // inject.cpp: the test control below
const HostFakeAdapter* HostDisplayAdapter(const HostDisplay* display);
bool HostDisplay3DOpen(const HostDisplay* display);

// Input (input.cpp): HostStart clears the cursor and the buttons; HostInjectReset the controls.
void HostInputReset();
void HostInputResetControls();
int32_t HostFakeJoystickCount();
const HostFakeJoystick* HostFakeJoysticks();

// Presentation (present.cpp).
// Writes beside the target, syncs and renames; false when any step fails.
bool HostWriteFileAtomically(const char* path, const std::string& bytes);
// That rectangle of the window image changed (an empty one still counts as a change): presented
// at the next pump.
void HostMarkImageDirty(const HostRect& changed);
void HostPresentIfDirty();
void HostFrameReset();

// Display objects (display.cpp).
void HostDisplayFreeAll();
bool HostDisplayUsable(const HostDisplay* display);  // created and opened on an adapter

// Drawing over the window image (overlay.cpp), for the dialogs and the films. Only an image in
// an RGB format can be drawn over.
bool HostImageCanOverlay();
struct HostImageKeep {  // a part of the window image kept aside
    HostSurface* image;
    HostRect rect;  // in client pixels
    std::vector<uint8_t> bytes;
};
void HostImageKeepRect(const HostRect& rect, HostImageKeep* keep);  // clipped to the client area
void HostImageGiveBack(HostImageKeep* keep);  // when the window still shows that image; emptied
// A block of 0xRRGGBB pixels, rows without padding, the size of `where` (client pixels), drawn
// there as far as the client area reaches.
void HostImagePutRgb(const uint32_t* rgb, const HostRect& where);

// Media (media.cpp): the pump's step shows the frames that are due; HostStop closes the film
// without giving the image back.
void HostMediaPump();
void HostMediaStop();

// Sound (audio.cpp): the test controls back to their defaults, and the pump's step: the focus
// the mixer follows, and the time of a null sink on the real clock.
void HostAudioResetControls();
void HostAudioPump();
bool HostWindowHasFocus();  // window.cpp
