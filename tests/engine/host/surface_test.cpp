// tests/engine/host/surface_test.cpp: surfaces in memory: pitch, fills and blits, conversion,
// palettes, flip chains, lost surfaces and references.
#include <algorithm>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "tests/support/host_run.h"

namespace {

constexpr uint8_t PADDING = 0xAB;

// A headless host with a window and an opened display object.
class HostSurfaceTest : public testing::Test {
protected:
    void SetUp() override { OpenWindow(true); }

    void OpenWindow(bool windowed)
    {
        m_window =
            HostWindowCreate(HostProgramInstance(), "Pelloran", windowed, HostDefaultWindowProc);
        ASSERT_NE(m_window, HOST_NO_WINDOW);
        HostWindowShow(m_window);
        ASSERT_EQ(HostDisplayCreate(&m_display), HOST_OK);
        ASSERT_EQ(HostDisplayOpen(m_display, nullptr), HOST_OK);
    }

    HostSurface* Plain(int32_t width, int32_t height, const HostPixelFormat& format,
                       int32_t backBuffers = 0)
    {
        HostSurfaceDesc desc{HOST_SURFACE_PLAIN, 0, width, height, format, backBuffers, 0};
        HostSurface* surface = nullptr;
        EXPECT_EQ(HostSurfaceCreate(m_display, desc, &surface), HOST_OK);
        return surface;
    }

    HostSurface* Primary(int32_t backBuffers = 0)
    {
        HostSurfaceDesc desc{HOST_SURFACE_PRIMARY, 0, 0, 0, {}, backBuffers, 0};
        HostSurface* surface = nullptr;
        EXPECT_EQ(HostSurfaceCreate(m_display, desc, &surface), HOST_OK);
        return surface;
    }

    // The surface's bytes, row by row, padding included.
    std::vector<uint8_t> Bytes(HostSurface* surface, int32_t* pitch)
    {
        void* bits = nullptr;
        int32_t w, h;
        HostSurfaceSize(surface, &w, &h);
        EXPECT_EQ(HostSurfaceLock(surface, &bits, pitch), HOST_OK);
        const auto* p = static_cast<const uint8_t*>(bits);
        std::vector<uint8_t> bytes(p, p + static_cast<size_t>(*pitch) * h);
        HostSurfaceUnlock(surface);
        return bytes;
    }

    void FillBytes(HostSurface* surface, uint8_t value)
    {
        void* bits = nullptr;
        int32_t pitch, w, h;
        HostSurfaceSize(surface, &w, &h);
        ASSERT_EQ(HostSurfaceLock(surface, &bits, &pitch), HOST_OK);
        std::memset(bits, value, static_cast<size_t>(pitch) * h);
        HostSurfaceUnlock(surface);
    }

    uint32_t ReadPixel(HostSurface* surface, int32_t x, int32_t y)
    {
        HostPixelFormat format;
        HostSurfaceGetFormat(surface, &format);
        int32_t pitch;
        const std::vector<uint8_t> bytes = Bytes(surface, &pitch);
        uint32_t value = 0;
        std::memcpy(&value, bytes.data() + y * pitch + x * (format.bitCount / 8),
                    format.bitCount / 8);
        return value;
    }

    uint32_t FramePixel(int32_t x, int32_t y)
    {
        HostPump();
        const HostFrame frame = HostLastFrame();
        const uint8_t* p = frame.rgb + (static_cast<size_t>(y) * frame.width + x) * 3;
        return static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
    }

    ScopedHeadlessHost m_host;
    HostWindow m_window = HOST_NO_WINDOW;
    HostDisplay* m_display = nullptr;
};

}  // namespace

TEST_F(HostSurfaceTest, FillsAndBlitsOfAWidth321SurfaceTouchOnlyVisiblePixels)
{
    HostSurface* destination = Plain(321, 3, HOST_FORMAT_RGB565);
    HostSurface* source = Plain(321, 3, HOST_FORMAT_RGB565);
    FillBytes(destination, PADDING);
    FillBytes(source, 0x55);

    ASSERT_EQ(HostSurfaceFill(destination, nullptr, 0x1234), HOST_OK);
    int32_t pitch;
    std::vector<uint8_t> bytes = Bytes(destination, &pitch);
    ASSERT_EQ(pitch, 656);
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t i = 0; i < pitch; ++i) {
            const uint8_t expected = i >= 642 ? PADDING : (i % 2 == 0 ? 0x34 : 0x12);
            ASSERT_EQ(bytes[y * pitch + i], expected) << "row " << y << " byte " << i;
        }
    }

    const HostRect lastColumns = {300, 1, 321, 2};
    ASSERT_EQ(HostSurfaceBlit(destination, &lastColumns, source, &lastColumns), HOST_OK);
    bytes = Bytes(destination, &pitch);
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t i = 0; i < pitch; ++i) {
            uint8_t expected = i >= 642 ? PADDING : (i % 2 == 0 ? 0x34 : 0x12);
            if (y == 1 && i >= 600 && i < 642) expected = 0x55;
            ASSERT_EQ(bytes[y * pitch + i], expected) << "row " << y << " byte " << i;
        }
    }
}

TEST_F(HostSurfaceTest, ConversionWidensByBitReplicationAndNarrowsByTruncation)
{
    struct Case {
        HostPixelFormat from;
        uint32_t in;
        HostPixelFormat to;
        uint32_t out;
    };
    const Case cases[] = {
        {HOST_FORMAT_RGB555, 0x7C00, HOST_FORMAT_XRGB8888, 0xFF0000},
        {HOST_FORMAT_RGB555, 0x03E0, HOST_FORMAT_XRGB8888, 0x00FF00},
        {HOST_FORMAT_RGB555, 0x4210, HOST_FORMAT_XRGB8888, 0x848484},
        {HOST_FORMAT_RGB565, 0x07E0, HOST_FORMAT_RGB888, 0x00FF00},
        {HOST_FORMAT_RGB565, 0x0821, HOST_FORMAT_XRGB8888, 0x080408},
        {HOST_FORMAT_XRGB8888, 0xFF8040, HOST_FORMAT_RGB565, 0xFC08},
        {HOST_FORMAT_RGB555, 0x7FFF, HOST_FORMAT_RGB565, 0xFFFF},
        {HOST_FORMAT_RGB565, 0xF81F, HOST_FORMAT_RGB555, 0x7C1F},
        {HOST_FORMAT_RGB565, 0x8410, HOST_FORMAT_RGB888, 0x848284},
    };
    // Twice round: 16-bit sources convert through tables kept for a few pairs of formats, which
    // must come back right after being replaced.
    for (int32_t round = 0; round < 2; ++round) {
        for (const Case& c : cases) {
            HostSurface* source = Plain(4, 1, c.from);
            HostSurface* destination = Plain(4, 1, c.to);
            HostSurfaceFill(source, nullptr, c.in);
            ASSERT_EQ(HostSurfaceBlit(destination, nullptr, source, nullptr), HOST_OK);
            EXPECT_EQ(ReadPixel(destination, 3, 0), c.out) << std::hex << c.in;
            HostSurfaceRelease(source);
            HostSurfaceRelease(destination);
        }
    }
}

TEST_F(HostSurfaceTest, PalettisedSourcesConvertThroughTheirPaletteOnly)
{
    HostSurface* indexed = Plain(2, 1, HOST_FORMAT_PALETTE8);
    HostSurface* rgb = Plain(2, 1, HOST_FORMAT_XRGB8888);
    HostSurfaceFill(indexed, nullptr, 7);
    EXPECT_EQ(HostSurfaceBlit(rgb, nullptr, indexed, nullptr), HOST_E_UNSUPPORTED);
    EXPECT_EQ(HostSurfaceBlit(indexed, nullptr, rgb, nullptr), HOST_E_UNSUPPORTED);

    HostColour entries[256] = {};
    entries[7] = {0xFC, 0x10, 0x04};
    HostPalette* palette = nullptr;
    ASSERT_EQ(HostPaletteCreate(m_display, entries, &palette), HOST_OK);
    EXPECT_EQ(HostSurfaceSetPalette(rgb, palette), HOST_E_BAD_ARGUMENT);
    ASSERT_EQ(HostSurfaceSetPalette(indexed, palette), HOST_OK);
    ASSERT_EQ(HostSurfaceBlit(rgb, nullptr, indexed, nullptr), HOST_OK);
    EXPECT_EQ(ReadPixel(rgb, 1, 0), 0xFC1004u);

    HostSurface* otherIndexed = Plain(2, 1, HOST_FORMAT_PALETTE8);
    ASSERT_EQ(HostSurfaceBlit(otherIndexed, nullptr, indexed, nullptr), HOST_OK);
    EXPECT_EQ(ReadPixel(otherIndexed, 0, 0), 7u);  // indices copy as they are
}

TEST_F(HostSurfaceTest, BlitsNeedEqualSizesAndRectanglesInsideOrdinarySurfaces)
{
    HostSurface* small = Plain(4, 4, HOST_FORMAT_RGB565);
    HostSurface* large = Plain(8, 8, HOST_FORMAT_RGB565);
    EXPECT_EQ(HostSurfaceBlit(large, nullptr, small, nullptr), HOST_E_BAD_ARGUMENT);
    const HostRect outside = {6, 6, 10, 10};
    EXPECT_EQ(HostSurfaceBlit(large, &outside, small, nullptr), HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostSurfaceFill(large, &outside, 1), HOST_E_BAD_ARGUMENT);
}

TEST_F(HostSurfaceTest, WindowedPrimaryTakesScreenCoordinatesClippedToTheClientArea)
{
    HostSurface* primary = Primary();
    HostPixelFormat format;
    HostSurfaceGetFormat(primary, &format);
    EXPECT_TRUE(HostFormatsEqual(format, HOST_FORMAT_XRGB8888));

    HostSurface* red = Plain(16, 16, HOST_FORMAT_RGB555);
    HostSurfaceFill(red, nullptr, 0x7C00);
    // The window's client area starts at (100, 80): this square hangs over its far corner.
    const HostRect corner = {100 + 630, 80 + 470, 100 + 646, 80 + 486};
    ASSERT_EQ(HostSurfaceBlit(primary, &corner, red, nullptr), HOST_OK);
    EXPECT_EQ(FramePixel(639, 479), 0xFF0000u);
    EXPECT_EQ(FramePixel(630, 470), 0xFF0000u);
    EXPECT_EQ(FramePixel(629, 479), 0x000000u);

    const HostRect topLeft = {100, 80, 102, 81};
    ASSERT_EQ(HostSurfaceFill(primary, &topLeft, 0x0000FF), HOST_OK);
    EXPECT_EQ(FramePixel(1, 0), 0x0000FFu);
    EXPECT_EQ(FramePixel(2, 0), 0x000000u);
}

// A paint copies the whole bounding rectangle it is given, yet only what was invalidated reaches
// the window, as a paint's drawing is clipped to the invalid region; outside a paint nothing is.
TEST_F(HostSurfaceTest, ARepaintReachesOnlyTheInvalidRegion)
{
    HostSurface* primary = Primary();
    HostSurface* white = Plain(640, 480, HOST_FORMAT_RGB565);
    HostSurfaceFill(white, nullptr, 0xFFFF);
    const auto repaint = [&](HostRect* painted) {
        HostBeginPaint(painted);
        const HostRect onScreen = {100 + painted->left, 80 + painted->top, 100 + painted->right,
                                   80 + painted->bottom};
        ASSERT_EQ(HostSurfaceBlit(primary, &onScreen, white, painted), HOST_OK);
        HostEndPaint();
    };

    const HostRect top = {10, 10, 20, 12};
    const HostRect bottom = {100, 200, 110, 201};
    HostWindowInvalidate(&top, false);
    HostWindowInvalidate(&bottom, false);
    HostRect painted;
    repaint(&painted);
    EXPECT_EQ(painted.left, 10);
    EXPECT_EQ(painted.bottom, 201);
    EXPECT_EQ(FramePixel(10, 10), 0xFFFFFFu);
    EXPECT_EQ(FramePixel(19, 11), 0xFFFFFFu);
    EXPECT_EQ(FramePixel(109, 200), 0xFFFFFFu);
    EXPECT_EQ(FramePixel(20, 11), 0x000000u);
    EXPECT_EQ(FramePixel(50, 100), 0x000000u);  // inside the bounds, between the two
    EXPECT_EQ(FramePixel(109, 199), 0x000000u);

    // More invalid rectangles than the region keeps apart: every one still reaches the window.
    for (int32_t i = 0; i < 40; ++i) {
        const HostRect dot = {300 + i * 7, 300 + (i * 13) % 170, 301 + i * 7, 301 + (i * 13) % 170};
        HostWindowInvalidate(&dot, false);
    }
    repaint(&painted);
    for (int32_t i = 0; i < 40; ++i) {
        EXPECT_EQ(FramePixel(300 + i * 7, 300 + (i * 13) % 170), 0xFFFFFFu) << i;
    }

    const HostRect corner = {100, 80, 102, 82};
    const HostRect source = {0, 0, 2, 2};
    ASSERT_EQ(HostSurfaceBlit(primary, &corner, white, &source), HOST_OK);
    EXPECT_EQ(FramePixel(1, 1), 0xFFFFFFu);
}

// Repainting the whole window converts only the pixels that differ from what each row was last
// converted from; whatever else wrote to the window, or a new palette, must still show.
TEST_F(HostSurfaceTest, RepaintsOfMostlyUnchangedScreensShowEveryChange)
{
    HostSurface* primary = Primary();
    HostSurface* screen = Plain(640, 480, HOST_FORMAT_RGB565);
    const HostRect client = {100, 80, 740, 560};
    const auto fill = [](HostSurface* s, int32_t left, int32_t top, int32_t right, int32_t bottom,
                         uint32_t value) {
        const HostRect r = {left, top, right, bottom};
        ASSERT_EQ(HostSurfaceFill(s, &r, value), HOST_OK);
    };
    const auto repaint = [&] {
        ASSERT_EQ(HostSurfaceBlit(primary, &client, screen, nullptr), HOST_OK);
    };
    HostSurfaceFill(screen, nullptr, 0xFFFF);
    repaint();
    EXPECT_EQ(FramePixel(0, 0), 0xFFFFFFu);

    fill(screen, 300, 200, 302, 201, 0xF800);  // mid-row
    fill(screen, 639, 479, 640, 480, 0x001F);  // the last pixel
    repaint();
    EXPECT_EQ(FramePixel(299, 200), 0xFFFFFFu);
    EXPECT_EQ(FramePixel(300, 200), 0xFF0000u);
    EXPECT_EQ(FramePixel(301, 200), 0xFF0000u);
    EXPECT_EQ(FramePixel(302, 200), 0xFFFFFFu);
    EXPECT_EQ(FramePixel(639, 479), 0x0000FFu);

    fill(primary, 110, 90, 120, 100, 0x000000);  // the window written by another hand
    repaint();
    EXPECT_EQ(FramePixel(15, 15), 0xFFFFFFu);

    // A part of a row, then the whole again.
    fill(screen, 0, 50, 640, 51, 0x07E0);
    const HostRect part = {100, 80 + 50, 200, 80 + 51};
    const HostRect partSource = {0, 50, 100, 51};
    ASSERT_EQ(HostSurfaceBlit(primary, &part, screen, &partSource), HOST_OK);
    EXPECT_EQ(FramePixel(99, 50), 0x00FF00u);
    EXPECT_EQ(FramePixel(100, 50), 0xFFFFFFu);
    repaint();
    EXPECT_EQ(FramePixel(100, 50), 0x00FF00u);
    EXPECT_EQ(FramePixel(639, 50), 0x00FF00u);

    // The same indices through another palette are other colours.
    HostSurface* indexed = Plain(640, 480, HOST_FORMAT_PALETTE8);
    HostColour entries[256] = {};
    entries[3] = {0x10, 0x20, 0x30};
    HostPalette* palette = nullptr;
    ASSERT_EQ(HostPaletteCreate(m_display, entries, &palette), HOST_OK);
    ASSERT_EQ(HostSurfaceSetPalette(indexed, palette), HOST_OK);
    HostSurfaceFill(indexed, nullptr, 3);
    ASSERT_EQ(HostSurfaceBlit(primary, &client, indexed, nullptr), HOST_OK);
    EXPECT_EQ(FramePixel(5, 5), 0x102030u);
    entries[3] = {0x40, 0x50, 0x60};
    ASSERT_EQ(HostPaletteSetEntries(palette, 0, 256, entries), HOST_OK);
    ASSERT_EQ(HostSurfaceBlit(primary, &client, indexed, nullptr), HOST_OK);
    EXPECT_EQ(FramePixel(5, 5), 0x405060u);
}

// Random changes to the screen and to the window, each followed by a repaint of the whole
// screen: the window always shows the screen exactly, however little each repaint converts.
TEST_F(HostSurfaceTest, RepeatedRepaintsAlwaysShowTheScreenExactly)
{
    constexpr int32_t kWidth = 64, kHeight = 48;
    HostWindowSetClientSize(kWidth, kHeight);
    HostSurface* primary = Primary();
    HostSurface* screen = Plain(kWidth, kHeight, HOST_FORMAT_RGB565);
    const HostRect client = {100, 80, 100 + kWidth, 80 + kHeight};
    const auto widen = [](uint32_t v, int32_t shift, int32_t bits) {
        const uint32_t c = (v >> shift) & ((1u << bits) - 1);
        return (c << (8 - bits)) | (c >> (2 * bits - 8));
    };
    uint32_t seed = 12345;
    const auto next = [&seed](uint32_t below) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % below;
    };
    for (int32_t step = 0; step < 300; ++step) {
        const int32_t x = static_cast<int32_t>(next(kWidth)),
                      y = static_cast<int32_t>(next(kHeight));
        const HostRect r = {x, y, x + 1 + static_cast<int32_t>(next(kWidth - x)),
                            y + 1 + static_cast<int32_t>(next(4))};
        const HostRect clipped = {r.left, r.top, r.right, std::min(r.bottom, kHeight)};
        ASSERT_EQ(HostSurfaceFill(screen, &clipped, next(65536)), HOST_OK);
        if (step % 7 == 0) {
            const HostRect onWindow = {100 + r.left, 80 + r.top, 100 + r.right, 80 + r.top + 1};
            ASSERT_EQ(HostSurfaceFill(primary, &onWindow, next(1u << 24)), HOST_OK);
        }
        ASSERT_EQ(HostSurfaceBlit(primary, &client, screen, nullptr), HOST_OK);
        int32_t pitch;
        const std::vector<uint8_t> bytes = Bytes(screen, &pitch);
        HostPump();
        const HostFrame frame = HostLastFrame();
        for (int32_t py = 0; py < kHeight; ++py) {
            for (int32_t px = 0; px < kWidth; ++px) {
                const uint8_t* p = bytes.data() + py * pitch + px * 2;
                const uint32_t v = static_cast<uint32_t>(p[0] | p[1] << 8);
                const uint8_t* shown = frame.rgb + (static_cast<size_t>(py) * kWidth + px) * 3;
                const uint32_t expected =
                    widen(v, 11, 5) << 16 | widen(v, 5, 6) << 8 | widen(v, 0, 5);
                ASSERT_EQ(static_cast<uint32_t>(shown[0] << 16 | shown[1] << 8 | shown[2]),
                          expected)
                    << "step " << step << " at (" << px << ", " << py << ")";
            }
        }
    }
}

TEST_F(HostSurfaceTest, OnlyOnePrimaryExistsAndWindowedItHasNoBackBuffer)
{
    HostSurfaceDesc desc{HOST_SURFACE_PRIMARY, 0, 0, 0, {}, 1, 0};
    HostSurface* surface = nullptr;
    EXPECT_EQ(HostSurfaceCreate(m_display, desc, &surface), HOST_E_BAD_ARGUMENT);
    HostSurface* primary = Primary();
    desc.backBuffers = 0;
    EXPECT_EQ(HostSurfaceCreate(m_display, desc, &surface), HOST_E_GENERIC);
    EXPECT_EQ(HostSurfaceRelease(primary), 0u);
    EXPECT_EQ(HostSurfaceCreate(m_display, desc, &surface), HOST_OK);
}

TEST_F(HostSurfaceTest, LockingTwiceIsRefusedAndUnlockingThePrimaryPresentsIt)
{
    HostSurface* primary = Primary();
    void* bits;
    int32_t pitch;
    ASSERT_EQ(HostSurfaceLock(primary, &bits, &pitch), HOST_OK);
    EXPECT_EQ(HostSurfaceLock(primary, &bits, &pitch), HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostSurfaceFill(primary, nullptr, 0), HOST_E_GENERIC);
    static_cast<uint32_t*>(bits)[640 + 3] = 0x00FF00;
    HostPump();
    const uint32_t before = HostLastFrame().number;
    ASSERT_EQ(HostSurfaceUnlock(primary), HOST_OK);
    EXPECT_EQ(FramePixel(3, 1), 0x00FF00u);
    EXPECT_EQ(HostLastFrame().number, before + 1);
    EXPECT_EQ(HostSurfaceUnlock(primary), HOST_E_BAD_ARGUMENT);
}

TEST_F(HostSurfaceTest, LostSurfacesRefuseWorkUntilRestoredAndComeBackCleared)
{
    HostSurface* primary = Primary();
    HostSurface* plain = Plain(8, 8, HOST_FORMAT_RGB565, 1);
    HostSurfaceFill(plain, nullptr, 0xFFFF);
    HostSurfaceFill(primary, nullptr, 0xFFFFFF);
    HostInjectLoseSurfaces();

    void* bits;
    int32_t pitch;
    EXPECT_EQ(HostSurfaceIsLost(plain), HOST_E_SURFACE_LOST);
    EXPECT_EQ(HostSurfaceLock(plain, &bits, &pitch), HOST_E_SURFACE_LOST);
    EXPECT_EQ(HostSurfaceFill(plain, nullptr, 1), HOST_E_SURFACE_LOST);
    EXPECT_EQ(HostSurfaceFlip(plain), HOST_E_SURFACE_LOST);
    EXPECT_EQ(HostSurfaceBlit(primary, nullptr, plain, nullptr), HOST_E_SURFACE_LOST);

    ASSERT_EQ(HostSurfaceRestore(plain), HOST_OK);
    EXPECT_EQ(HostSurfaceIsLost(plain), HOST_OK);
    EXPECT_EQ(ReadPixel(plain, 7, 7), 0u);
    HostSurface* back = nullptr;
    HostSurfaceGetBackBuffer(plain, &back);
    EXPECT_EQ(HostSurfaceIsLost(back), HOST_OK);  // the chain comes back whole

    EXPECT_EQ(FramePixel(0, 0), 0xFFFFFFu);  // restoring shows what the primary holds...
    ASSERT_EQ(HostSurfaceRestore(primary), HOST_OK);
    EXPECT_EQ(FramePixel(0, 0), 0x000000u);  // ...until it is restored: then black
}

TEST_F(HostSurfaceTest, FocusLossLosesSurfacesOnlyInFullScreen)
{
    HostSurface* plain = Plain(8, 8, HOST_FORMAT_RGB565);
    HostOnFocusChange(false);
    EXPECT_EQ(HostSurfaceIsLost(plain), HOST_OK);
    HostSurfaceRelease(plain);
    HostDisplayRelease(m_display);
    HostWindowDestroy(m_window);

    OpenWindow(false);
    plain = Plain(8, 8, HOST_FORMAT_RGB565);
    HostOnFocusChange(false);
    EXPECT_EQ(HostSurfaceIsLost(plain), HOST_E_SURFACE_LOST);
}

TEST_F(HostSurfaceTest, ReleasingTheLastReferenceFreesTheChainAndWhatIsAttached)
{
    HostSurface* front = Plain(8, 8, HOST_FORMAT_RGB565, 1);
    HostSurface* back = nullptr;
    ASSERT_EQ(HostSurfaceGetBackBuffer(front, &back), HOST_OK);
    HostSurfaceDesc zdesc{HOST_SURFACE_ZBUFFER, 0, 8, 8, HostZFormat(16, 0), 0, 0};
    HostSurface* z = nullptr;
    ASSERT_EQ(HostSurfaceCreate(m_display, zdesc, &z), HOST_OK);
    ASSERT_EQ(HostSurfaceAttachZBuffer(back, z), HOST_OK);
    EXPECT_EQ(HostSurfaceAttachZBuffer(back, z), HOST_E_GENERIC);
    EXPECT_EQ(HostSurfaceRelease(z), 1u);
    HostClipper* clipper = nullptr;
    ASSERT_EQ(HostClipperCreate(m_display, &clipper), HOST_OK);
    ASSERT_EQ(HostClipperSetWindow(clipper, m_window), HOST_OK);
    ASSERT_EQ(HostSurfaceSetClipper(front, clipper), HOST_OK);
    EXPECT_EQ(HostClipperRelease(clipper), 1u);
    EXPECT_EQ(HostInjectLiveSurfaces(), 3);

    EXPECT_EQ(HostSurfaceRelease(front), 0u);
    EXPECT_EQ(HostInjectLiveSurfaces(), 2);  // the back buffer is still held, with its z-buffer
    EXPECT_EQ(HostInjectLiveClippers(), 0);
    EXPECT_EQ(HostSurfaceRelease(back), 0u);
    EXPECT_EQ(HostInjectLiveSurfaces(), 0);
}

TEST_F(HostSurfaceTest, RefusesFormatsItCannotHold)
{
    const HostPixelFormat refused[] = {
        {HOST_PF_RGB, 16, 0xF800, 0x0FE0, 0x001F, 0, 0, 0},         // overlapping masks
        {HOST_PF_RGB, 16, 0xF000, 0x07E0, 0x081F, 0, 0, 0},         // a split mask
        {HOST_PF_RGB, 32, 0x3FF00000, 0x000FFC00, 0x3FF, 0, 0, 0},  // 10 bits a component
        {HOST_PF_RGB, 12, 0xF00, 0x0F0, 0x00F, 0, 0, 0},
        {HOST_PF_RGB | HOST_PF_PALETTE8, 16, 0, 0, 0, 0, 0, 0},
    };
    for (const HostPixelFormat& format : refused) {
        HostSurfaceDesc desc{HOST_SURFACE_PLAIN, 0, 4, 4, format, 0, 0};
        HostSurface* surface = nullptr;
        EXPECT_EQ(HostSurfaceCreate(m_display, desc, &surface), HOST_E_BAD_ARGUMENT)
            << std::hex << format.redMask;
    }
}
