#include "engine/dxdraw.h"

#include <cstring>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "engine/colconv.h"
#include "engine/debug.h"
#include "engine/dxenum.h"
#include "engine/gfx.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/poll.h"
#include "engine/winlib.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

struct Rgb {
    uint8_t r;
    uint8_t g;
    uint8_t b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << '(' << int{c.r} << ", " << int{c.g} << ", " << int{c.b} << ')';
}

Rgb FramePixel(int32_t x, int32_t y)
{
    const HostFrame frame = HostLastFrame();
    const uint8_t* p = frame.rgb + (static_cast<size_t>(y) * frame.width + x) * 3;
    return {p[0], p[1], p[2]};
}

// Every pixel of the last frame is this colour.
bool FrameIsAll(const Rgb& colour)
{
    const HostFrame frame = HostLastFrame();
    if (frame.number == 0) return false;
    for (int32_t y = 0; y < frame.height; ++y) {
        for (int32_t x = 0; x < frame.width; ++x) {
            if (!(FramePixel(x, y) == colour)) return false;
        }
    }
    return true;
}

const DDrawMode& Mode(int32_t width, int32_t height, DDrawModeKind kind)
{
    const int32_t index = GfxFindMode(width, height, kind);
    EXPECT_GE(index, 0) << width << "x" << height << " kind " << int{kind};
    return DDrawModes[index < 0 ? 0 : index];
}

// Fills the drawing surface with one raw pixel value through the locked memory.
void FillDrawingSurface(uint32_t value)
{
    ColFmt format{};
    DDrawGetScreenColourFormat(&format);
    const uint32_t bytes = format.bytesPerPixel ? format.bytesPerPixel : 1;
    DDrawScreen* screen = nullptr;
    DDrawBeginDraw(&screen);
    for (uint32_t y = 0; y < screen->height; ++y) {
        for (uint32_t x = 0; x < screen->width; ++x) {
            std::memcpy(screen->memory + y * screen->pitch + x * bytes, &value, bytes);
        }
    }
    DDrawEndDrawAll();
}

void FillRed()
{
    ColFmt format{};
    DDrawGetScreenColourFormat(&format);
    FillDrawingSurface(ColConvMakePixel(format, 255, 0, 0, 255));
}

struct RowCounts {
    uint32_t converted;  // onto the window image from another format
    uint32_t presented;  // copied by the present
    bool operator==(const RowCounts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const RowCounts& c)
{
    return out << c.converted << " rows converted, " << c.presented << " presented";
}

// Polls once, counting the rows of the window image that the repaints and the present touched.
RowCounts PollCountingRows()
{
    const RowCounts before = {HostInjectImageRowsConverted(), HostInjectPresentedRows()};
    Poll();
    return {HostInjectImageRowsConverted() - before.converted,
            HostInjectPresentedRows() - before.presented};
}

HostFakeAdapter AdapterWithZFormats(std::initializer_list<HostPixelFormat> formats)
{
    HostFakeAdapter adapter = HostInjectDefaultAdapter();
    adapter.caps |= HOST_CAPS_3D;
    adapter.deviceCount = 1;
    adapter.devices[0].caps = HOST_DEV_HARDWARE;
    adapter.devices[0].renderDepths = HOST_DEPTH_16 | HOST_DEPTH_32;
    adapter.zFormatCount = 0;
    for (const HostPixelFormat& format : formats) {
        adapter.zFormats[adapter.zFormatCount++] = format;
    }
    return adapter;
}

HostPixelFormat FormatOf(int32_t surfaceKind)
{
    HostPixelFormat format{};
    EXPECT_EQ(HostSurfaceGetFormat(DDrawGetDirectDrawSurface(surfaceKind), &format), HOST_OK);
    return format;
}

// A headless host configured by the test (HostInject... before Start), the window and the display
// started on the first card.
class DDraw : public testing::Test {
protected:
    void TearDown() override
    {
        // The window library keeps its registrations from test to test: a mode left set would
        // leave its functions behind.
        if (DDrawGetDirectDrawSurface(DDRAW_SURFACE_PRIMARY)) DDrawRestoreMode();
        DDrawUninit();
        WinUninit();
    }

    void Start(uint32_t windowFlags, int32_t device = -1, uint32_t initFlags = 0)
    {
        WinInit("Pelloran", windowFlags);
        testing::internal::CaptureStdout();  // a fake card may warn about its 3D query
        DXEnumDisplay();
        testing::internal::GetCapturedStdout();
        DXSelectDevice(0, device);
        DDrawInit(initFlags);
    }

private:
    ScopedHeadlessHost m_host;
};

using DDrawDeathTest = DDraw;

}  // namespace

TEST_F(DDraw, WindowedSixteenBitOnAThirtyTwoBitDesktopDrawsFiveFiveFiveAndShowsItExactly)
{
    HostInjectSetWindowPosition(130, 70);
    Start(WIN_FLAG_WINDOWED);
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), 0);
    EXPECT_TRUE(HostFormatsEqual(FormatOf(DDRAW_SURFACE_VISIBLE), HOST_FORMAT_RGB555));
    EXPECT_TRUE(HostFormatsEqual(FormatOf(DDRAW_SURFACE_PRIMARY), HOST_FORMAT_XRGB8888));
    EXPECT_EQ(DDrawGetDirectDrawSurface(DDRAW_SURFACE_DRAWING),
              DDrawGetDirectDrawSurface(DDRAW_SURFACE_VISIBLE));
    FillRed();
    Poll();
    EXPECT_EQ(HostLastFrame().width, 640);
    EXPECT_EQ(HostLastFrame().height, 480);
    EXPECT_TRUE(FrameIsAll({255, 0, 0}));
}

TEST_F(DDraw, WindowedSixteenBitOnASixteenBitDesktopUsesTheDesktopsFormat)
{
    HostInjectSetDesktopFormat(HOST_FORMAT_RGB565);
    HostInjectSetWindowPosition(0, 0);
    Start(WIN_FLAG_WINDOWED);
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), 0);
    EXPECT_TRUE(HostFormatsEqual(FormatOf(DDRAW_SURFACE_VISIBLE), HOST_FORMAT_RGB565));
    FillRed();
    Poll();
    EXPECT_TRUE(FrameIsAll({255, 0, 0}));
}

TEST_F(DDraw, OnlyTheChangedRectangleIsRepainted)
{
    Start(WIN_FLAG_WINDOWED);
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_32BIT), 0);
    FillRed();
    Poll();
    DDrawScreen* screen = nullptr;
    DDrawBeginDraw(&screen);
    std::memset(screen->memory, 0xFF, screen->pitch * 480);
    DDrawEndDraw(&screen, 10, 20, 30, 40);
    EXPECT_EQ(screen, nullptr);
    Poll();
    EXPECT_EQ(FramePixel(10, 20), (Rgb{255, 255, 255}));
    EXPECT_EQ(FramePixel(39, 59), (Rgb{255, 255, 255}));
    EXPECT_EQ(FramePixel(40, 59), (Rgb{255, 0, 0}));
    EXPECT_EQ(FramePixel(39, 60), (Rgb{255, 0, 0}));
}

// A repaint converts and presents only the rows whose pixels changed, whichever way it reaches
// the window: by the drawing contexts' copy in another format than the desktop's, by blit in its
// own (which converts nothing and presents what it copied, changed or not).
TEST_F(DDraw, ARepaintConvertsAndPresentsOnlyTheRowsThatChanged)
{
    struct Case {
        DDrawModeKind kind;
        RowCounts box;        // a white box of 30 x 40 drawn and repainted
        RowCounts unchanged;  // then the whole window repainted with nothing changed
    };
    Start(WIN_FLAG_WINDOWED);
    for (const Case& c :
         {Case{DDRAW_KIND_16BIT, {40, 40}, {0, 0}}, Case{DDRAW_KIND_32BIT, {0, 40}, {0, 480}}}) {
        SCOPED_TRACE(int{c.kind});
        DDrawSetMode(Mode(640, 480, c.kind), 0);
        FillRed();
        Poll();
        ColFmt format{};
        DDrawGetScreenColourFormat(&format);
        DDrawScreen* screen = nullptr;
        DDrawBeginDraw(&screen);
        for (uint32_t y = 20; y < 60; ++y) {
            std::memset(screen->memory + y * screen->pitch + 10 * format.bytesPerPixel, 0xFF,
                        30 * format.bytesPerPixel);
        }
        DDrawEndDraw(&screen, 10, 20, 30, 40);
        EXPECT_EQ(PollCountingRows(), c.box);
        EXPECT_EQ(FramePixel(39, 59), (Rgb{255, 255, 255}));
        EXPECT_EQ(FramePixel(40, 59), (Rgb{255, 0, 0}));
        EXPECT_EQ(FramePixel(9, 20), (Rgb{255, 0, 0}));
        DDrawBeginDraw(&screen);
        DDrawEndDrawAll();
        EXPECT_EQ(PollCountingRows(), c.unchanged);
        DDrawRestoreMode();
    }
}

TEST_F(DDraw, FullScreenFlipChainShowsTheBackBufferOnlyAfterTheFlip)
{
    Start(0);
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), DDRAW_MODE_FLIPPABLE);
    EXPECT_TRUE(HostInjectDisplayExclusive());
    EXPECT_EQ(DDrawGetDirectDrawSurface(DDRAW_SURFACE_VISIBLE),
              DDrawGetDirectDrawSurface(DDRAW_SURFACE_PRIMARY));
    EXPECT_NE(DDrawGetDirectDrawSurface(DDRAW_SURFACE_DRAWING),
              DDrawGetDirectDrawSurface(DDRAW_SURFACE_VISIBLE));
    FillRed();
    Poll();
    EXPECT_TRUE(FrameIsAll({0, 0, 0}));
    DDrawFlipBuffers();
    Poll();
    EXPECT_TRUE(FrameIsAll({255, 0, 0}));
    DDrawRestoreMode();
    EXPECT_FALSE(HostInjectDisplayExclusive());
}

TEST_F(DDraw, EightBitModeStartsWithTheGreyRampAndTakesSixBitPalettes)
{
    Start(0);
    const DDrawMode& vga = Mode(320, 200, DDRAW_KIND_8BIT);
    EXPECT_EQ(vga.standardVga, 1);
    DDrawSetMode(vga, 0);
    FillDrawingSurface(200);
    Poll();
    EXPECT_TRUE(FrameIsAll({200, 200, 200}));
    uint8_t palette[256 * 3] = {};
    palette[200 * 3] = 63;
    palette[200 * 3 + 1] = 32;
    palette[200 * 3 + 2] = 1;
    DDrawSetPalette(palette);
    Poll();
    EXPECT_TRUE(FrameIsAll({252, 128, 4}));
}

TEST_F(DDraw, NestedBeginDrawLocksOnceAndTheLastEndUnlocks)
{
    Start(WIN_FLAG_WINDOWED);
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), 0);
    HostSurface* const drawing = DDrawGetDirectDrawSurface(DDRAW_SURFACE_DRAWING);
    DDrawScreen* outer = nullptr;
    DDrawScreen* inner = nullptr;
    DDrawBeginDraw(&outer);
    DDrawBeginDraw(&inner);
    EXPECT_EQ(inner, outer);
    EXPECT_EQ(outer->lockCount, 2);
    EXPECT_GE(outer->pitch, 640u * 2);
    DDrawEndDraw(&inner, 0, 0, 0, 0);
    EXPECT_EQ(inner, nullptr);
    void* bits = nullptr;
    int32_t pitch = 0;
    EXPECT_EQ(HostSurfaceLock(drawing, &bits, &pitch), HOST_E_BAD_ARGUMENT);  // still locked
    DDrawEndDraw(&outer, 0, 0, 0, 0);
    EXPECT_EQ(HostSurfaceLock(drawing, &bits, &pitch), HOST_OK);
    HostSurfaceUnlock(drawing);
}

// The context holds the drawing surface until it is given back, and windowed it has the whole
// window repainted: white filled in afterwards without a changed rectangle shows everywhere.
TEST_F(DDraw, ADrawingContextHoldsTheDrawingSurfaceAndRepaintsTheWholeWindow)
{
    Start(WIN_FLAG_WINDOWED);
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_32BIT), 0);
    FillRed();
    Poll();
    HostSurface* const drawing = DDrawGetDirectDrawSurface(DDRAW_SURFACE_DRAWING);
    HostDrawContext* const context = DDrawBeginDrawDC();
    ASSERT_NE(context, nullptr);
    void* bits = nullptr;
    int32_t pitch = 0;
    EXPECT_EQ(HostSurfaceLock(drawing, &bits, &pitch), HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostSurfaceFill(drawing, nullptr, 0xFFFFFF), HOST_E_GENERIC);
    DDrawEndDrawDC(context);
    ASSERT_EQ(HostSurfaceFill(drawing, nullptr, 0xFFFFFF), HOST_OK);
    Poll();
    EXPECT_TRUE(FrameIsAll({255, 255, 255}));
}

// In full screen the drawing surface is the screen itself: what is drawn through its context
// shows at the next present, and no more of it than was drawn.
TEST_F(DDraw, DrawingThroughTheDrawingContextShowsWhatItDrew)
{
    Start(0);
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), 0);
    FillRed();
    Poll();
    const HostSurfaceDesc desc{HOST_SURFACE_PLAIN, 0, 30, 40, HOST_FORMAT_XRGB8888, 0, 0};
    HostSurface* white = nullptr;
    ASSERT_EQ(HostSurfaceCreate(DDrawGetDirectDraw(), desc, &white), HOST_OK);
    ASSERT_EQ(HostSurfaceFill(white, nullptr, 0xFFFFFF), HOST_OK);
    HostDrawContext* from = nullptr;
    ASSERT_EQ(HostSurfaceGetDC(white, &from), HOST_OK);
    HostDrawContext* const context = DDrawBeginDrawDC();
    EXPECT_EQ(HostDrawContextCopy(context, {10, 20, 40, 60}, from, 0, 0), HOST_OK);
    DDrawEndDrawDC(context);
    EXPECT_EQ(HostSurfaceReleaseDC(white, from), HOST_OK);
    EXPECT_EQ(PollCountingRows().presented, 40u);
    EXPECT_EQ(FramePixel(10, 20), (Rgb{255, 255, 255}));
    EXPECT_EQ(FramePixel(39, 59), (Rgb{255, 255, 255}));
    EXPECT_EQ(FramePixel(40, 59), (Rgb{255, 0, 0}));
    HostSurfaceRelease(white);
}

TEST_F(DDraw, ModeTableHoldsTheHostsModesAndWindowedTheMissingEmulatedOnes)
{
    Start(0);
    EXPECT_EQ(DDrawModeCount, 24);
    EXPECT_EQ(GfxFindMode(400, 300, DDRAW_KIND_16BIT), -1);
    DDrawUninit();
    WinUninit();
    WinInit("Pelloran", WIN_FLAG_WINDOWED);
    DDrawInit(0);
    EXPECT_EQ(DDrawModeCount, 29);
    EXPECT_EQ(GfxFindMode(400, 300, DDRAW_KIND_8BIT), 24);  // appended in the table's order
    EXPECT_EQ(GfxFindMode(512, 384, DDRAW_KIND_8BIT), 25);
    EXPECT_EQ(GfxFindMode(400, 300, DDRAW_KIND_32BIT), 28);
    EXPECT_EQ(GfxFindMode(512, 384, DDRAW_KIND_16BIT), -1);
    const DDrawMode& row = DDrawModes[GfxFindMode(400, 300, DDRAW_KIND_24BIT)];
    EXPECT_EQ(row.bytesPerPixel, 3);
    EXPECT_EQ(row.standardVga, 0);
}

TEST_F(DDraw, EmulatedModeIsAddedOnlyWhenNoReportedModeMatches)
{
    const HostMode modes[] = {
        {400, 300, HOST_FORMAT_RGB565, false},
        {640, 480, HOST_FORMAT_XRGB8888, false},
        {640, 480, HostZFormat(16, 0), false},  // not RGB: never a display mode
    };
    HostInjectSetModes(modes, 3);
    Start(WIN_FLAG_WINDOWED);
    EXPECT_EQ(DDrawModeCount, 2 + 17);
    EXPECT_EQ(GfxFindMode(400, 300, DDRAW_KIND_16BIT), 0);
    EXPECT_EQ(GfxFindMode(640, 480, DDRAW_KIND_32BIT), 1);
    EXPECT_GE(GfxFindMode(400, 300, DDRAW_KIND_32BIT), 2);
}

TEST_F(DDraw, ThreeDDeviceMarksTheModesItRenders)
{
    HostFakeAdapter adapter = AdapterWithZFormats({});
    HostInjectSetAdapters(&adapter, 1);
    Start(0, 0, DDRAW_INIT_3D);
    EXPECT_EQ(DDrawModes[GfxFindMode(640, 480, DDRAW_KIND_16BIT)].flags, 1);
    EXPECT_EQ(DDrawModes[GfxFindMode(640, 480, DDRAW_KIND_24BIT)].flags, 0);
    EXPECT_EQ(DDrawModes[GfxFindMode(640, 480, DDRAW_KIND_32BIT)].flags, 1);
}

TEST_F(DDraw, LostSurfacesAreRestoredPrimaryFirstOnReactivation)
{
    Start(WIN_FLAG_WINDOWED);
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), 0);
    FillRed();
    HostInjectLoseSurfaces();
    DebugSetLevel(DBG_DIRECTDRAW, 80);
    testing::internal::CaptureStdout();
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_IDLE);
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_ACTIVE);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "DDrawTaskswitchFunc(): restoring lost surfaces\n"
              "RestoreLostSurfaces(): checking for lost surfaces\n"
              "RestoreLostSurfaces(): restoring PrimarySurface\n"
              "RestoreLostSurfaces(): restoring VisibleScreen\n");
    DebugSetLevel(DBG_DIRECTDRAW, 0);
    FillRed();  // usable again
    Poll();
    EXPECT_TRUE(FrameIsAll({255, 0, 0}));
}

TEST_F(DDraw, ZBufferPrefersTheDrawingDepthAndTheWantedStencil)
{
    HostFakeAdapter adapter =
        AdapterWithZFormats({HostZFormat(24, 0), HostZFormat(15, 1), HostZFormat(16, 0)});
    HostInjectSetAdapters(&adapter, 1);
    Start(WIN_FLAG_WINDOWED, 0, DDRAW_INIT_3D);
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), DDRAW_MODE_ZBUFFER);
    EXPECT_TRUE(HostFormatsEqual(FormatOf(DDRAW_SURFACE_ZBUFFER), HostZFormat(16, 0)));
    DDrawRestoreMode();
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), DDRAW_MODE_ZBUFFER | DDRAW_MODE_STENCIL);
    EXPECT_TRUE(HostFormatsEqual(FormatOf(DDRAW_SURFACE_ZBUFFER), HostZFormat(15, 1)));
}

TEST_F(DDraw, RestoreModeAndUninitGiveBackEverythingTheyMade)
{
    Start(WIN_FLAG_WINDOWED);
    const int32_t surfaces = HostInjectLiveSurfaces();
    DDrawSetMode(Mode(320, 200, DDRAW_KIND_8BIT), 0);
    EXPECT_GT(HostInjectLiveSurfaces(), surfaces);
    DDrawRestoreMode();
    EXPECT_EQ(HostInjectLiveSurfaces(), surfaces);
    EXPECT_EQ(HostInjectLivePalettes(), 0);
    EXPECT_EQ(HostInjectLiveClippers(), 0);
    DDrawUninit();
    DDrawUninit();
    EXPECT_EQ(HostInjectLiveDisplays(), 0);
    EXPECT_EQ(HostInjectDisplayStarts(), 0);
}

TEST_F(DDrawDeathTest, RepaintInAnotherFormatFailsAsTheConvertingCopy)
{
    Start(WIN_FLAG_WINDOWED);
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), 0);
    FillRed();
    HostInjectFailNext(HOST_CALL_DC_COPY, HOST_E_GENERIC);
    EXPECT_FATAL(Poll(), "Abort error: ShowScreen(): BitBlt() failed\n(File: dxdraw  Line: ");
}

TEST_F(DDrawDeathTest, AContextThatCannotBeHadOrGivenBackIsADirectXFailure)
{
    Start(WIN_FLAG_WINDOWED);
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), 0);
    FillRed();
    HostInjectFailNext(HOST_CALL_GET_DC, HOST_E_GENERIC);
    EXPECT_FATAL(Poll(), "func ShowScreen()]:\nDirectX call DDS7_GetDC() failed");
    EXPECT_FATAL(DDrawEndDrawDC(nullptr),
                 "func DDrawEndDrawDC()]:\nDirectX call DDS7_ReleaseDC() failed");
}

TEST_F(DDrawDeathTest, RepaintInTheDesktopsFormatFailsAsAPlainBlit)
{
    HostInjectSetDesktopFormat(HOST_FORMAT_RGB555);
    Start(WIN_FLAG_WINDOWED);
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), 0);
    FillRed();
    HostInjectFailNext(HOST_CALL_BLIT, HOST_E_GENERIC);
    EXPECT_FATAL(Poll(),
                 "func ShowScreen()]:\nDirectX call DDS7_Blt() failed: E_FAIL (D*ERR_GENERIC)\n");
}

TEST_F(DDrawDeathTest, UnbalancedEndDrawAndWrongRequestsAreFatal)
{
    Start(0);
    EXPECT_FATAL(DDrawInit(0), "Abort error: DDrawInit(): already initialised\n");
    DDrawMode wrongVga = Mode(640, 480, DDRAW_KIND_8BIT);
    wrongVga.standardVga = 1;
    EXPECT_FATAL(DDrawSetMode(wrongVga, 0),
                 "Abort error: DDrawSetMode(): UseStdVGAFlag set, but mode is not 320x200,8bit\n");
    DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), 0);
    EXPECT_FATAL(DDrawEndDrawAll(), "Abort error: DDrawEndDraw(): not locked\n");
    EXPECT_FATAL(DDrawGetDirectDrawSurface(5),
                 "Abort error: DDrawGetDirectDrawSurface(): unknown surface type\n");
    uint8_t palette[256 * 3] = {};
    EXPECT_FATAL(DDrawSetPalette(palette),
                 "Abort error: DDrawSetPalette(): error - no palette to set!\n");
}

TEST_F(DDrawDeathTest, NoAcceptableZFormatIsFatal)
{
    HostFakeAdapter adapter = AdapterWithZFormats({HostZFormat(16, 0), HostZFormat(24, 0)});
    HostInjectSetAdapters(&adapter, 1);
    Start(WIN_FLAG_WINDOWED, 0, DDRAW_INIT_3D);
    EXPECT_FATAL(
        DDrawSetMode(Mode(640, 480, DDRAW_KIND_16BIT), DDRAW_MODE_ZBUFFER | DDRAW_MODE_STENCIL),
        "Abort error: CreateSurfaces(): no zbuffer available in the correct format\n");
}

TEST_F(DDrawDeathTest, DisplaySystemThatCannotStartIsFatal)
{
    WinInit("Pelloran", WIN_FLAG_WINDOWED);
    HostInjectFailNext(HOST_CALL_DISPLAY_START, HOST_E_GENERIC);
    EXPECT_FATAL(DDrawInit(0), "Abort error: DDrawInit(): CoInitialize() failed\n");
}
