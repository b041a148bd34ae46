// engine/dxdraw.cpp: the display: its modes, the mode switch windowed or full screen, the primary,
// visible and drawing surfaces with z-buffer, clipper and 8-bit palette, locked drawing, flips,
// window repaints, and the restore of surfaces lost in a task switch.
#include "engine/dxdraw.h"

#include <array>

#include "engine/colconv.h"
#include "engine/debug.h"
#include "engine/dxd3d.h"
#include "engine/dxenum.h"
#include "engine/dxerror.h"
#include "engine/fatal.h"
#include "engine/gfx.h"
#include "engine/winlib.h"

DDrawMode DDrawModes[DDRAW_MAX_MODES];
uint16_t DDrawModeCount;

namespace {

// Surface flags, made by DDrawSetMode from the mode flags.
enum SurfaceFlags : uint32_t {
    SURFACE_FLIPPABLE = 0x1,
    SURFACE_3D_DEVICE = 0x2,
    SURFACE_SYSTEM_MEMORY = 0x4,
    SURFACE_ZBUFFER = 0x8,
    SURFACE_STENCIL = 0x10,
};

// Display flags.
constexpr uint16_t DISPLAY_DESKTOP_FORMAT = 0x1;  // the visible surface repaints by plain blit
constexpr uint16_t DISPLAY_3D_DEVICE = 0x2;       // the 3D device renders into the drawing surface

constexpr uint8_t DDRAW_INITIALISED_3D = 0x1;  // init flags

struct DDrawState {
    int32_t hookKey;
    HostDisplay* lpDD7;
    uint8_t initFlags;
    HostSurface* drawingSurface;
    HostSurface* visibleScreen;
    HostSurface* primarySurface;
    HostSurface* zBuffer;
    HostPalette* lpDDPalette;
    HostClipper* clipper;
    uint16_t displayFlags;
    uint32_t width;
    uint32_t height;
    uint8_t kind;
    DDrawScreen screen;
};

DDrawState s_ddraw;

struct KindRow {
    DDrawModeKind kind;
    uint32_t bitCount;
    uint32_t renderDepthFlag;  // the selected 3D device renders at this depth
    const char* name;
};

constexpr auto KINDS = std::to_array<KindRow>({
    {DDRAW_KIND_8BIT, 8, DXDEV_RENDER8, "256 colour"},
    {DDRAW_KIND_16BIT, 16, DXDEV_RENDER8 << 1, "16 bit colour"},
    {DDRAW_KIND_24BIT, 24, DXDEV_RENDER8 << 2, "24 bit colour"},
    {DDRAW_KIND_32BIT, 32, DXDEV_RENDER8 << 3, "32 bit colour"},
});
static_assert(KINDS.size() == DDRAW_KIND_COUNT);

consteval bool EveryKindInPlace()
{
    for (size_t i = 0; i < KINDS.size(); ++i) {
        if (KINDS[i].kind != i) return false;
    }
    return true;
}
static_assert(EveryKindInPlace(), "a mode kind row is out of order");

struct EmulatedMode {
    uint16_t width;
    uint16_t height;
    DDrawModeKind kind;
};

// Windowed, any size can be shown: these are offered even when the desktop has no such mode.
constexpr auto EMULATED_MODES = std::to_array<EmulatedMode>({
    {320, 200, DDRAW_KIND_8BIT},  {320, 240, DDRAW_KIND_8BIT},  {400, 300, DDRAW_KIND_8BIT},
    {512, 384, DDRAW_KIND_8BIT},  {320, 200, DDRAW_KIND_16BIT}, {320, 240, DDRAW_KIND_16BIT},
    {400, 300, DDRAW_KIND_16BIT}, {640, 480, DDRAW_KIND_16BIT}, {800, 600, DDRAW_KIND_16BIT},
    {320, 200, DDRAW_KIND_24BIT}, {320, 240, DDRAW_KIND_24BIT}, {400, 300, DDRAW_KIND_24BIT},
    {640, 480, DDRAW_KIND_24BIT}, {800, 600, DDRAW_KIND_24BIT}, {320, 200, DDRAW_KIND_32BIT},
    {320, 240, DDRAW_KIND_32BIT}, {400, 300, DDRAW_KIND_32BIT}, {640, 480, DDRAW_KIND_32BIT},
    {800, 600, DDRAW_KIND_32BIT},
});

// The visible surface of a windowed mode whose depth the desktop does not have.
constexpr auto WINDOWED_FORMATS = std::to_array<HostPixelFormat>({
    HOST_FORMAT_PALETTE8,
    HOST_FORMAT_RGB555,
    HOST_FORMAT_RGB888,
    HOST_FORMAT_XRGB8888,
});
static_assert(WINDOWED_FORMATS.size() == DDRAW_KIND_COUNT);

void AddMode(uint16_t width, uint16_t height, DDrawModeKind kind, bool standardVga)
{
    DDrawMode& row = DDrawModes[DDrawModeCount++];
    row = {};
    row.width = width;
    row.height = height;
    row.kind = kind;
    row.bytesPerPixel = static_cast<uint16_t>(KINDS[kind].bitCount / 8);
    row.standardVga = standardVga ? 1 : 0;
}

bool DDrawEnumModesCallback(const HostMode& mode, void*)
{
    const uint32_t bits = mode.format.bitCount;
    DebugPrintf(DBG_DIRECTDRAW, 100, "DDrawEnumModesCallback(): trying mode %dx%dx%d\n", mode.width,
                mode.height, bits);
    if ((mode.format.flags & HOST_PF_RGB) == 0) return true;
    if (DDrawModeCount == DDRAW_MAX_MODES) return false;
    const auto width = static_cast<uint16_t>(mode.width);
    const auto height = static_cast<uint16_t>(mode.height);
    if (mode.format.flags & HOST_PF_PALETTE8) {
        DebugPrintf(DBG_DIRECTDRAW, 100, "DDrawEnumModesCallback(): storing %d x %d 8 bit mode\n",
                    mode.width, mode.height);
        AddMode(width, height, DDRAW_KIND_8BIT, mode.standardVga);
        return true;
    }
    for (const KindRow& row : KINDS) {
        if (row.kind == DDRAW_KIND_8BIT || row.bitCount != bits) continue;
        DebugPrintf(DBG_DIRECTDRAW, 100, "DDrawEnumModesCallback(): storing %d x %d %d bit mode\n",
                    mode.width, mode.height, bits);
        AddMode(width, height, row.kind, false);
    }
    return true;
}

void AddEmulatedModes()
{
    for (const EmulatedMode& mode : EMULATED_MODES) {
        if (GfxFindMode(mode.width, mode.height, mode.kind) >= 0) continue;
        if (DDrawModeCount == DDRAW_MAX_MODES) return;
        DebugPrintf(DBG_DIRECTDRAW, 10, "DDrawInit(): adding emulated mode %d x %d - %s\n",
                    mode.width, mode.height, KINDS[mode.kind].name);
        AddMode(mode.width, mode.height, mode.kind, false);
    }
}

void MarkModesThe3DDeviceRenders()
{
    const DXDeviceEntry* const device = DXGetSelectedD3DDevice();
    if (device == nullptr) return;
    for (int32_t i = 0; i < DDrawModeCount; ++i) {
        if (device->flags & KINDS[DDrawModes[i].kind].renderDepthFlag)
            DDrawModes[i].flags |= MODE_USABLE_BY_3D;
    }
}

uint32_t SurfaceFlagsOf(uint32_t modeFlags)
{
    uint32_t flags = 0;
    if (modeFlags & DDRAW_MODE_FLIPPABLE) flags |= SURFACE_FLIPPABLE;
    if (modeFlags & DDRAW_MODE_3D_DEVICE) {
        flags |= SURFACE_3D_DEVICE;
        // A software 3D device renders into system memory.
        const DXDeviceEntry* const device = DXGetSelectedD3DDevice();
        if (device == nullptr || (device->flags & DXDEV_HARDWARE) == 0)
            flags |= SURFACE_SYSTEM_MEMORY;
    }
    if (modeFlags & DDRAW_MODE_ZBUFFER) flags |= SURFACE_ZBUFFER;
    if (modeFlags & DDRAW_MODE_STENCIL) flags |= SURFACE_STENCIL;
    return flags;
}

uint32_t HostFlagsOf(uint32_t surfaceFlags)
{
    uint32_t flags = 0;
    if (surfaceFlags & SURFACE_3D_DEVICE) flags |= HOST_SURFACE_3D_DEVICE;
    if (surfaceFlags & SURFACE_SYSTEM_MEMORY) flags |= HOST_SURFACE_SYSTEM_MEMORY;
    return flags;
}

// Whether the windowed visible surface can take the desktop's own format, so that a repaint is a
// plain copy.
bool HasDesktopDepth(uint8_t kind, const HostPixelFormat& desktop)
{
    const bool desktopRgb = (desktop.flags & HOST_PF_RGB) && !(desktop.flags & HOST_PF_PALETTE8);
    return kind != DDRAW_KIND_8BIT && desktopRgb && desktop.bitCount == KINDS[kind].bitCount;
}

// The z format that suits the drawing surface best, scored by the 3D device module.
HostPixelFormat ChooseZBufferFormat(const HostPixelFormat& drawing, bool wantStencil)
{
    D3DZBufferContext choice{};
    choice.quality = -1;
    choice.wantedDepth = drawing.bitCount;
    choice.wantedStencil = wantStencil ? 1 : 0;
    const DXDeviceEntry* const device = DXGetSelectedD3DDevice();
    if (device != nullptr) {
        DXCheck(
            HostDisplayEnumZFormats(s_ddraw.lpDD7, device->guid, D3DZBufferFormatCallback, &choice),
            "dxdraw", "D3D7_EnumZBufferFormats");
    }
    if (choice.quality < 0)
        FatalAbort("dxdraw", __LINE__,
                   "CreateSurfaces(): no zbuffer available in the correct format");
    return choice.best;
}

void CreateSurfaces(uint32_t width, uint32_t height, uint8_t kind, uint32_t surfaceFlags)
{
    const bool windowed = WinIsWindowed();
    const bool flippable = (surfaceFlags & SURFACE_FLIPPABLE) != 0;
    const uint32_t hostFlags = HostFlagsOf(surfaceFlags);
    const auto w = static_cast<int32_t>(width);
    const auto h = static_cast<int32_t>(height);

    HostSurfaceDesc primary{HOST_SURFACE_PRIMARY, 0, 0, 0, {}, 0, 0};
    if (!windowed) {
        primary.backBuffers = flippable ? 1 : 0;
        primary.flags = hostFlags & HOST_SURFACE_3D_DEVICE;
    }
    DXCheck(HostSurfaceCreate(s_ddraw.lpDD7, primary, &s_ddraw.primarySurface), "dxdraw",
            "primary DD7_CreateSurface");

    if (!windowed) {
        s_ddraw.visibleScreen = s_ddraw.primarySurface;
        HostSurfaceAddRef(s_ddraw.visibleScreen);
        DebugPrintf(DBG_DIRECTDRAW, 40,
                    "CreateSurfaces(): fullscreen - VisibleScreen = PrimarySurface\n");
    } else {
        DXCheck(HostClipperCreate(s_ddraw.lpDD7, &s_ddraw.clipper), "dxdraw", "DD7_CreateClipper");
        DXCheck(HostClipperSetWindow(s_ddraw.clipper, WinGetHWnd()), "dxdraw", "DDC_SetHWnd");
        DXCheck(HostSurfaceSetClipper(s_ddraw.primarySurface, s_ddraw.clipper), "dxdraw",
                "DDS7_SetClipper");
        HostPixelFormat desktop{};
        DXCheck(HostSurfaceGetFormat(s_ddraw.primarySurface, &desktop), "dxdraw",
                "DDS7_GetPixelFormat");
        if (kind >= DDRAW_KIND_COUNT)
            FatalAbort("dxdraw", __LINE__, "CreateSurfaces(): unknown surface format");
        const bool desktopDepth = HasDesktopDepth(kind, desktop);
        if (desktopDepth) s_ddraw.displayFlags |= DISPLAY_DESKTOP_FORMAT;
        const HostPixelFormat format = desktopDepth ? desktop : WINDOWED_FORMATS[kind];
        const HostSurfaceDesc visible{HOST_SURFACE_PLAIN, hostFlags, w, h, format,
                                      flippable ? 1 : 0,  0};
        DXCheck(HostSurfaceCreate(s_ddraw.lpDD7, visible, &s_ddraw.visibleScreen), "dxdraw",
                "visible DD7_CreateSurface");
    }

    if (!flippable) {
        s_ddraw.drawingSurface = s_ddraw.visibleScreen;
        HostSurfaceAddRef(s_ddraw.drawingSurface);
        DebugPrintf(DBG_DIRECTDRAW, 40,
                    "CreateSurfaces(): not flippable - DrawingSurface = VisibleSurface\n");
    } else {
        DXCheck(HostSurfaceGetBackBuffer(s_ddraw.visibleScreen, &s_ddraw.drawingSurface), "dxdraw",
                "DDS7_GetAttachedSurface");
    }

    if (surfaceFlags & SURFACE_ZBUFFER) {
        HostPixelFormat drawing{};
        DXCheck(HostSurfaceGetFormat(s_ddraw.drawingSurface, &drawing), "dxdraw",
                "DDS7_GetPixelFormat");
        const HostSurfaceDesc zbuffer{
            HOST_SURFACE_ZBUFFER,
            hostFlags & HOST_SURFACE_SYSTEM_MEMORY,
            w,
            h,
            ChooseZBufferFormat(drawing, (surfaceFlags & SURFACE_STENCIL) != 0),
            0,
            0};
        DXCheck(HostSurfaceCreate(s_ddraw.lpDD7, zbuffer, &s_ddraw.zBuffer), "dxdraw",
                "zbuffer DD7_CreateSurface");
        DXCheck(HostSurfaceAttachZBuffer(s_ddraw.drawingSurface, s_ddraw.zBuffer), "dxdraw",
                "DDS7_AddAttachedSurface");
    }

    DXCheck(HostSurfaceFill(s_ddraw.drawingSurface, nullptr, 0), "dxdraw",
            "drawing clear DDS7_Blt");
    if (flippable) {
        DXCheck(HostSurfaceFill(s_ddraw.visibleScreen, nullptr, 0), "dxdraw",
                "visible clear DDS7_Blt");
    }
}

template <typename T>
void SafeRelease(T*& object, uint32_t (*release)(T*), const char* name)
{
    if (object == nullptr) {
        DebugPrintf(DBG_DIRECTDRAW, 40, "DX_SAFE_RELEASE(): DDrawInfo.%s already released\n", name);
        return;
    }
    DebugPrintf(DBG_DIRECTDRAW, 40, "DX_SAFE_RELEASE(): releasing DDrawInfo.%s\n", name);
    release(object);
    object = nullptr;
}

struct SurfaceSlot {
    HostSurface* DDrawState::*surface;
    const char* name;
};

// The four surfaces in the order of their kinds (1-4), which is also the order in which lost ones
// come back: the screen first, then what is drawn into it.
constexpr auto SURFACES = std::to_array<SurfaceSlot>({
    {&DDrawState::primarySurface, "PrimarySurface"},
    {&DDrawState::visibleScreen, "VisibleScreen"},
    {&DDrawState::drawingSurface, "DrawingSurface"},
    {&DDrawState::zBuffer, "ZBuffer"},
});

void InvalidateWholeWindow() { HostWindowInvalidate(nullptr, true); }

}  // namespace

void DDrawInit(uint32_t flags)
{
    if (s_ddraw.lpDD7 != nullptr)
        FatalAbort("dxdraw", __LINE__, "DDrawInit(): already initialised");
    s_ddraw = {};
    DebugPrintf(DBG_DIRECTDRAW, 10, "DDrawInit(): Initialising...\n");

    if (HostFailed(HostDisplaySystemStart()))
        FatalAbort("dxdraw", __LINE__, "DDrawInit(): CoInitialize() failed");
    DXCheck(HostDisplayCreate(&s_ddraw.lpDD7), "dxdraw", "CoCreateInstance");
    if (s_ddraw.lpDD7 == nullptr) FatalError("Error: DDrawInit(): failed to create IDirectDraw7\n");
    DXCheck(HostDisplayOpen(s_ddraw.lpDD7, DXGetSelectedCardGUID()), "dxdraw", "DD7_Initialize");
    if (flags & DDRAW_INIT_3D) {
        s_ddraw.initFlags |= DDRAW_INITIALISED_3D;
        D3DInit(s_ddraw.lpDD7);
    }

    const bool windowed = WinIsWindowed();
    if (!windowed) DDrawSetCooperativeLevelStandard();
    DDrawModeCount = 0;
    DXCheck(HostDisplayEnumModes(s_ddraw.lpDD7, DDrawEnumModesCallback, nullptr), "dxdraw",
            "DD7_EnumDisplayModes");
    if (!windowed) DDrawSetCooperativeLevelNormal();
    if (windowed) AddEmulatedModes();

    if (flags & DDRAW_INIT_3D) MarkModesThe3DDeviceRenders();
    OnExitAddEx(DDrawUninit, "DDrawUninit()");
}

void DDrawUninit()
{
    if (s_ddraw.lpDD7 == nullptr) return;
    OnExitRemove(DDrawUninit);
    // The 3D object goes before the display it was opened on.
    if (s_ddraw.initFlags & DDRAW_INITIALISED_3D) D3DUninit();
    SafeRelease(s_ddraw.lpDD7, HostDisplayRelease, "lpDD7");
    HostDisplaySystemStop();
}

void DDrawSetMode(const DDrawMode& mode, uint32_t modeFlags)
{
    DebugPrintf(DBG_DIRECTDRAW, 40, "DDrawSetMode(): Setting mode %dx%d %d bit - type %d\n",
                mode.width, mode.height, mode.bytesPerPixel * 8, mode.kind);
    s_ddraw.displayFlags = 0;
    if (!WinIsWindowed()) {
        DDrawSetCooperativeLevelStandard();
        const bool vga320x200 =
            mode.width == 320 && mode.height == 200 && mode.kind == DDRAW_KIND_8BIT;
        if (mode.standardVga && !vga320x200)
            FatalAbort("dxdraw", __LINE__,
                       "DDrawSetMode(): UseStdVGAFlag set, but mode is not 320x200,8bit");
        DXCheck(HostDisplaySetMode(s_ddraw.lpDD7, mode.width, mode.height, mode.bytesPerPixel * 8u,
                                   mode.standardVga != 0),
                "dxdraw", "DD7_SetDisplayMode");
    } else {
        DDrawSetCooperativeLevelNormal();
        WinSetClientSize(mode.width, mode.height);
    }

    CreateSurfaces(mode.width, mode.height, mode.kind, SurfaceFlagsOf(modeFlags));
    if (mode.kind == DDRAW_KIND_8BIT) CreateSurfacePalette();

    s_ddraw.width = mode.width;
    s_ddraw.height = mode.height;
    s_ddraw.kind = mode.kind;
    s_ddraw.screen = {};
    s_ddraw.screen.width16 = mode.width;
    s_ddraw.screen.height16 = mode.height;
    s_ddraw.screen.width = mode.width;
    s_ddraw.screen.height = mode.height;
    WinAddTaskswitchFunc(DDrawTaskswitchFunc);
    if (modeFlags & DDRAW_MODE_3D_DEVICE) {
        D3DInitDevice(s_ddraw.drawingSurface);
        s_ddraw.displayFlags |= DISPLAY_3D_DEVICE;
    }
    s_ddraw.hookKey = WinAddWindowProc(DDrawWindowProc);
    OnExitAddEx(DDrawRestoreMode, "DDrawRestoreMode()");
}

void DDrawRestoreMode()
{
    DebugPrintf(DBG_DIRECTDRAW, 10, "DDrawRestoreMode(): restoring mode\n");
    OnExitRemove(DDrawRestoreMode);
    WinRemoveTaskswitchFunc(DDrawTaskswitchFunc);
    WinRemoveWindowProc(s_ddraw.hookKey);
    DestroySurfacePalette();
    if (s_ddraw.displayFlags & DISPLAY_3D_DEVICE) {
        D3DUninitDevice();
        s_ddraw.displayFlags &= static_cast<uint16_t>(~DISPLAY_3D_DEVICE);
    }
    SafeRelease(s_ddraw.zBuffer, HostSurfaceRelease, "ZBuffer");
    SafeRelease(s_ddraw.drawingSurface, HostSurfaceRelease, "DrawingSurface");
    SafeRelease(s_ddraw.visibleScreen, HostSurfaceRelease, "VisibleScreen");
    SafeRelease(s_ddraw.clipper, HostClipperRelease, "Clipper");
    SafeRelease(s_ddraw.primarySurface, HostSurfaceRelease, "PrimarySurface");
    if (WinIsWindowed()) {
        DDrawSetCooperativeLevelNormal();
        InvalidateWholeWindow();
        DebugPrintf(DBG_DIRECTDRAW, 10, "DDrawRestoreMode(): windowed\n");
    } else {
        DXCheck(HostDisplayRestoreMode(s_ddraw.lpDD7), "dxdraw", "DD7_RestoreDisplayMode");
        DDrawSetCooperativeLevelNormal();
        DebugPrintf(DBG_DIRECTDRAW, 10, "DDrawRestoreMode(): full screen\n");
    }
}

void DDrawSetCooperativeLevelNormal()
{
    if (s_ddraw.lpDD7 == nullptr) return;
    DXCheck(HostDisplaySetExclusive(s_ddraw.lpDD7, WinGetHWnd(), false), "dxdraw",
            "DD7_SetCooperativeLevel");
}

void DDrawSetCooperativeLevelStandard()
{
    if (s_ddraw.lpDD7 == nullptr) return;
    DXCheck(HostDisplaySetExclusive(s_ddraw.lpDD7, WinGetHWnd(), !WinIsWindowed()), "dxdraw",
            "DD7_SetCooperativeLevel");
}

HostDisplay* DDrawGetDirectDraw() { return s_ddraw.lpDD7; }

HostSurface* DDrawGetDirectDrawSurface(int32_t kind)
{
    if (kind < DDRAW_SURFACE_PRIMARY || kind > DDRAW_SURFACE_ZBUFFER)
        FatalAbort("dxdraw", __LINE__, "DDrawGetDirectDrawSurface(): unknown surface type");
    return s_ddraw.*SURFACES[kind - DDRAW_SURFACE_PRIMARY].surface;
}

void DDrawBeginDraw(DDrawScreen** screen)
{
    DDrawScreen& record = s_ddraw.screen;
    if (record.lockCount < 1) {
        void* bits = nullptr;
        int32_t pitch = 0;
        DXCheck(HostSurfaceLock(s_ddraw.drawingSurface, &bits, &pitch), "dxdraw", "DDS7_Lock");
        record.memory = static_cast<uint8_t*>(bits);
        record.pitch = static_cast<uint32_t>(pitch);
    }
    ++record.lockCount;
    *screen = &record;
}

void DDrawEndDraw(DDrawScreen** screen, int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (screen != nullptr) *screen = nullptr;
    DDrawScreen& record = s_ddraw.screen;
    // Unbalanced calls would unlock a surface nobody locked.
    if (record.lockCount < 1) FatalAbort("dxdraw", __LINE__, "DDrawEndDraw(): not locked");
    if (--record.lockCount > 0) return;
    DXCheck(HostSurfaceUnlock(s_ddraw.drawingSurface), "dxdraw", "DDS7_Unlock");
    record.memory = nullptr;
    if (WinIsWindowed() && width > 0 && height > 0) {
        const HostRect changed{x, y, x + width, y + height};
        HostWindowInvalidate(&changed, true);
    }
}

HostDrawContext* DDrawBeginDrawDC()
{
    HostDrawContext* context = nullptr;
    DXCheck(HostSurfaceGetDC(s_ddraw.drawingSurface, &context), "dxdraw", "DDS7_GetDC");
    if (WinIsWindowed()) HostWindowInvalidate(nullptr, true);
    return context;
}

void DDrawEndDrawDC(HostDrawContext* context)
{
    DXCheck(HostSurfaceReleaseDC(s_ddraw.drawingSurface, context), "dxdraw", "DDS7_ReleaseDC");
}

void DDrawEndDrawAll()
{
    DDrawEndDraw(nullptr, 0, 0, static_cast<int32_t>(s_ddraw.width),
                 static_cast<int32_t>(s_ddraw.height));
}

void DDrawFlipBuffers()
{
    DXCheck(HostSurfaceFlip(s_ddraw.visibleScreen), "dxdraw", "DDS7_Flip");
    if (WinIsWindowed()) InvalidateWholeWindow();
}

void DDrawSetPalette(const uint8_t rgb[256 * 3])
{
    if (s_ddraw.lpDDPalette == nullptr)
        FatalAbort("dxdraw", __LINE__, "DDrawSetPalette(): error - no palette to set!");
    HostColour entries[256];
    for (int32_t i = 0; i < 256; ++i) {
        entries[i] = {static_cast<uint8_t>(rgb[3 * i] << 2),
                      static_cast<uint8_t>(rgb[3 * i + 1] << 2),
                      static_cast<uint8_t>(rgb[3 * i + 2] << 2)};
    }
    DXCheck(HostPaletteSetEntries(s_ddraw.lpDDPalette, 0, 256, entries), "dxdraw",
            "DDP_SetEntries");
    DXCheck(HostSurfaceSetPalette(s_ddraw.visibleScreen, s_ddraw.lpDDPalette), "dxdraw",
            "DDS7_SetPalette");
}

void CreateSurfacePalette()
{
    HostColour ramp[256];
    for (int32_t i = 0; i < 256; ++i) {
        const auto level = static_cast<uint8_t>(i);
        ramp[i] = {level, level, level};
    }
    DXCheck(HostPaletteCreate(s_ddraw.lpDD7, ramp, &s_ddraw.lpDDPalette), "dxdraw",
            "DD7_CreatePalette");
    DXCheck(HostSurfaceSetPalette(s_ddraw.visibleScreen, s_ddraw.lpDDPalette), "dxdraw",
            "DDS7_SetPalette");
    DXCheck(HostSurfaceSetPalette(s_ddraw.drawingSurface, s_ddraw.lpDDPalette), "dxdraw",
            "DDS7_SetPalette");
}

void DestroySurfacePalette()
{
    DebugPrintf(DBG_DIRECTDRAW, 40, "DestroySurfacePalette(): destroying...\n");
    SafeRelease(s_ddraw.lpDDPalette, HostPaletteRelease, "lpDDPalette");
}

void DDrawGetScreenColourFormat(ColFmt* format)
{
    HostPixelFormat pixelFormat{};
    DXCheck(HostSurfaceGetFormat(s_ddraw.visibleScreen, &pixelFormat), "dxdraw",
            "DDS7_GetPixelFormat");
    DDrawPixelFormat2ColFmt(pixelFormat, format);
}

void RestoreLostSurfaces()
{
    DebugPrintf(DBG_DIRECTDRAW, 80, "RestoreLostSurfaces(): checking for lost surfaces\n");
    for (const SurfaceSlot& slot : SURFACES) {
        HostSurface* const surface = s_ddraw.*slot.surface;
        if (surface == nullptr) continue;
        const HostResult lost = HostSurfaceIsLost(surface);
        if (lost != HOST_E_SURFACE_LOST) {
            DXCheck(lost, "dxdraw", "DDS7_IsLost");
            continue;
        }
        DebugPrintf(DBG_DIRECTDRAW, 80, "RestoreLostSurfaces(): restoring %s\n", slot.name);
        DXCheck(HostSurfaceRestore(surface), "dxdraw", "DDS7_Restore");
    }
}

void DDrawTaskswitchFunc(uint8_t state)
{
    if (state != WIN_TASKSWITCH_ACTIVE) return;
    DebugPrintf(DBG_DIRECTDRAW, 40, "DDrawTaskswitchFunc(): restoring lost surfaces\n");
    RestoreLostSurfaces();
    if (s_ddraw.displayFlags & DISPLAY_3D_DEVICE) {
        // One empty scene, so that the device starts drawing again on the restored surfaces.
        D3DBeginScene();
        D3DEndScene();
    }
}

intptr_t DDrawWindowProc(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == HOST_MSG_PAINT && WinIsWindowed()) {
        HostRect rect{};
        HostBeginPaint(&rect);
        if (rect.right > rect.left && rect.bottom > rect.top) ShowScreen(rect);
        HostEndPaint();
        return 0;
    }
    // The visible surface covers the whole client area: erasing first would only flicker.
    if (message == HOST_MSG_ERASE_BACKGROUND) return 1;
    return WinPassOnMessage(window, message, wParam, lParam);
}

void ShowScreen(const HostRect& rect)
{
    int32_t x = 0;
    int32_t y = 0;
    WinGetClientOrigin(&x, &y);
    const HostRect moved{rect.left + x, rect.top + y, rect.right + x, rect.bottom + y};
    if (s_ddraw.displayFlags & DISPLAY_DESKTOP_FORMAT) {
        DXCheck(HostSurfaceBlit(s_ddraw.primarySurface, &moved, s_ddraw.visibleScreen, &rect),
                "dxdraw", "DDS7_Blt");
        return;
    }
    // Another format than the desktop's: the window system's own converting copy.
    HostDrawContext* visible = nullptr;
    HostDrawContext* primary = nullptr;
    DXCheck(HostSurfaceGetDC(s_ddraw.visibleScreen, &visible), "dxdraw", "DDS7_GetDC");
    DXCheck(HostSurfaceGetDC(s_ddraw.primarySurface, &primary), "dxdraw", "DDS7_GetDC");
    const bool copied =
        !HostFailed(HostDrawContextCopy(primary, moved, visible, rect.left, rect.top));
    DXCheck(HostSurfaceReleaseDC(s_ddraw.primarySurface, primary), "dxdraw", "DDS7_ReleaseDC");
    DXCheck(HostSurfaceReleaseDC(s_ddraw.visibleScreen, visible), "dxdraw", "DDS7_ReleaseDC");
    if (!copied) FatalAbort("dxdraw", __LINE__, "ShowScreen(): BitBlt() failed");
}
