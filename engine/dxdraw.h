// engine/dxdraw.h: the display: its modes, the mode switch windowed or full screen, the primary,
// visible and drawing surfaces with z-buffer, clipper and 8-bit palette, locked drawing, flips,
// window repaints, and the restore of surfaces lost in a task switch.
#pragma once

#include <cstdint>

#include "engine/host/host.h"

struct ColFmt;

constexpr int32_t DDRAW_MAX_MODES = 1024;

enum DDrawModeKind : uint8_t {
    DDRAW_KIND_8BIT,  // palettised
    DDRAW_KIND_16BIT,
    DDRAW_KIND_24BIT,
    DDRAW_KIND_32BIT,
    DDRAW_KIND_COUNT
};

// Flags of DDrawInit.
constexpr uint32_t DDRAW_INIT_3D = 0x1;  // also the 3D interface: needed for a z-buffer

// Mode flags, the argument of DDrawSetMode.
enum DDrawModeFlags : uint32_t {
    DDRAW_MODE_FLIPPABLE = 0x1,  // one back buffer to draw into, shown by DDrawFlipBuffers
    DDRAW_MODE_3D_DEVICE = 0x2,
    DDRAW_MODE_ZBUFFER = 0x4,
    DDRAW_MODE_STENCIL = 0x8,  // the z-buffer with stencil
};

// Kinds of DDrawGetDirectDrawSurface.
enum DDrawSurfaceKind : int32_t {
    DDRAW_SURFACE_PRIMARY = 1,
    DDRAW_SURFACE_VISIBLE = 2,
    DDRAW_SURFACE_DRAWING = 3,
    DDRAW_SURFACE_ZBUFFER = 4,
};

// A mode row's flag: the selected 3D device renders at this depth.
constexpr uint8_t MODE_USABLE_BY_3D = 0x1;

struct DDrawMode {
    uint16_t width;
    uint16_t height;
    uint16_t bytesPerPixel;  // 1, 2, 3 or 4
    uint8_t kind;            // DDrawModeKind
    uint8_t flags;           // MODE_USABLE_BY_3D
    uint8_t reserved;
    uint16_t standardVga;  // 1 only for the 8-bit standard VGA mode
};

// Owned by DDraw: filled by DDrawInit, read here (GfxFindMode), changed only by DDraw.
extern DDrawMode DDrawModes[DDRAW_MAX_MODES];
extern uint16_t DDrawModeCount;

// What DDrawBeginDraw hands out: the locked drawing surface.
struct DDrawScreen {
    uint16_t width16;  // the mode's size, twice: as 16 and as 32 bits
    uint16_t height16;
    uint32_t pitch;  // bytes from one row to the next, at least width x bytes per pixel
    uint32_t width;
    uint32_t height;
    uint8_t* memory;  // null while unlocked
    int32_t lockCount;
};

// Opens the selected card (dxenum), collects its modes, adds the emulated windowed modes that are
// missing, and registers DDrawUninit as exit function. Twice is a fatal abort "DDrawInit():
// already initialised"; a failed host call is fatal.
void DDrawInit(uint32_t flags);
void DDrawUninit();  // safe without DDrawInit and twice

// Switches to the mode, windowed or full screen as the window is, and makes the surfaces; the
// drawing surface starts black, an 8-bit mode with the grey ramp as palette.
void DDrawSetMode(const DDrawMode& mode, uint32_t modeFlags);
// Releases everything DDrawSetMode made and returns to the desktop.
void DDrawRestoreMode();

void DDrawSetCooperativeLevelNormal();
void DDrawSetCooperativeLevelStandard();  // exclusive in full screen, normal windowed

HostDisplay* DDrawGetDirectDraw();
// Kinds 1-4; another is a fatal abort "DDrawGetDirectDrawSurface(): unknown surface type".
HostSurface* DDrawGetDirectDrawSurface(int32_t kind);

// Locks the drawing surface (nested calls lock once) and points *screen at the screen record.
void DDrawBeginDraw(DDrawScreen** screen);
// Clears *screen; the last nesting level unlocks and, windowed, invalidates the changed rectangle
// when it is not empty. Without a matching DDrawBeginDraw: fatal abort "DDrawEndDraw(): not
// locked".
void DDrawEndDraw(DDrawScreen** screen, int32_t x, int32_t y, int32_t width, int32_t height);
void DDrawEndDrawAll();  // DDrawEndDraw with the whole screen changed
// A drawing context on the drawing surface, for the window system's own drawing; windowed, the
// whole window is invalidated. The surface stays locked until DDrawEndDrawDC gives the context
// back. A failure is the DirectX failure of "DDS7_GetDC" or "DDS7_ReleaseDC".
HostDrawContext* DDrawBeginDrawDC();
void DDrawEndDrawDC(HostDrawContext* context);

void DDrawFlipBuffers();

// 256 RGB triplets of 6-bit values. No palette (not an 8-bit mode): fatal abort
// "DDrawSetPalette(): error - no palette to set!".
void DDrawSetPalette(const uint8_t rgb[256 * 3]);
void CreateSurfacePalette();  // the grey ramp, on the visible and the drawing surface
void DestroySurfacePalette();

// The visible surface's format: what a pixel drawn in the current mode looks like.
void DDrawGetScreenColourFormat(ColFmt* format);

void RestoreLostSurfaces();  // primary, visible, drawing, z-buffer: each lost one is restored
void DDrawTaskswitchFunc(uint8_t state);  // on reactivation, restores lost surfaces
// The repaint hook: windowed paints show the visible surface; erases are refused.
intptr_t DDrawWindowProc(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
void ShowScreen(const HostRect& rect);  // copies that rectangle of the visible surface on screen
