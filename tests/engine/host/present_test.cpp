// tests/engine/host/present_test.cpp: presentation into the frame store and its read-back as
// pixels, PNG files and hashes.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

class HostPresentTest : public testing::Test {
protected:
    void SetUp() override
    {
        HostWindowCreate(HostProgramInstance(), "Pelloran", true, HostDefaultWindowProc);
        ASSERT_EQ(HostDisplayCreate(&m_display), HOST_OK);
        ASSERT_EQ(HostDisplayOpen(m_display, nullptr), HOST_OK);
        HostSurfaceDesc desc{HOST_SURFACE_PRIMARY, 0, 0, 0, {}, 0, 0};
        ASSERT_EQ(HostSurfaceCreate(m_display, desc, &m_primary), HOST_OK);
    }

    // Fills a rectangle given in client coordinates.
    void FillClient(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t value)
    {
        const HostRect rect = {100 + left, 80 + top, 100 + right, 80 + bottom};
        ASSERT_EQ(HostSurfaceFill(m_primary, &rect, value), HOST_OK);
    }

    ScopedHeadlessHost m_host;
    HostDisplay* m_display = nullptr;
    HostSurface* m_primary = nullptr;
};

}  // namespace

TEST_F(HostPresentTest, FramesAreCountedOnlyWhenTheWindowImageChanged)
{
    EXPECT_EQ(HostLastFrame().number, 0u);
    EXPECT_EQ(HostLastFrame().rgb, nullptr);
    HostPump();
    const HostFrame first = HostLastFrame();
    EXPECT_EQ(first.number, 1u);
    EXPECT_EQ(first.width, 640);
    EXPECT_EQ(first.height, 480);
    HostPump();
    EXPECT_EQ(HostLastFrame().number, 1u);
    FillClient(0, 0, 1, 1, 0x123456);
    FillClient(1, 0, 2, 1, 0x654321);
    HostMsgPeek();
    const HostFrame second = HostLastFrame();
    EXPECT_EQ(second.number, 2u);
    EXPECT_EQ(second.rgb[0], 0x12);
    EXPECT_EQ(second.rgb[5], 0x21);
}

TEST_F(HostPresentTest, PngFileHoldsTheFrameExactly)
{
    for (int32_t x = 0; x < 640; x += 8) {
        FillClient(x, 0, x + 8, 480, static_cast<uint32_t>(x * 0x010203));
    }
    FillClient(5, 7, 6, 8, 0xFFFFFF);
    HostPump();
    TempDir dir;
    ASSERT_TRUE(HostWriteFramePng(dir.Path("frame.png").c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("frame.png.tmp")));
    PngImage image;
    std::string error;
    ASSERT_TRUE(ReadPng(dir.Path("frame.png"), &image, &error)) << error;
    EXPECT_EQ(image.width, 640);
    EXPECT_EQ(image.height, 480);
    const HostFrame frame = HostLastFrame();
    EXPECT_TRUE(std::equal(image.rgb.begin(), image.rgb.end(), frame.rgb));
    EXPECT_EQ(image.Pixel(5, 7), 0xFFFFFFu);
}

TEST_F(HostPresentTest, PngIsRefusedBeforeTheFirstFrameAndIntoAMissingFolder)
{
    TempDir dir;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(HostWriteFramePng(dir.Path("early.png").c_str()));
    HostPump();
    EXPECT_FALSE(HostWriteFramePng(dir.Path("missing/frame.png").c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Warning: HostWriteFramePng(): no frame presented yet\n"
              "Warning: HostWriteFramePng(): cannot write '"
                  + dir.Path("missing/frame.png") + "'\n");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST_F(HostPresentTest, HashIsFnv1aOverTheSizeAndThePixels)
{
    HostPump();
    EXPECT_EQ(HostFrameHash(), 0x9F35B2D3EA85A4C4ull);  // 640 x 480, all black
    HostWindowSetClientSize(2, 1);
    FillClient(0, 0, 1, 1, 0xFF0000);
    FillClient(1, 0, 2, 1, 0x0000FF);
    HostPump();
    EXPECT_EQ(HostFrameHash(), 0xD759AC38D0F639CCull);
}

namespace {

// A known rectangle, then one row across it, in every format the window image can take.
struct FormatCase {
    const char* name;
    HostPixelFormat format;
    uint32_t box;  // a pixel value in the format (8-bit: an index into kPalette)
    uint32_t boxRgb;
    uint32_t row;
    uint32_t rowRgb;
};
const FormatCase kFormats[] = {
    {"8-bit with palette", HOST_FORMAT_PALETTE8, 1, 0x123456, 2, 0xFEDCBA},
    {"5-5-5", HOST_FORMAT_RGB555, 0x7D01, 0xFF4208, 0x07F0, 0x08FF84},
    {"5-6-5", HOST_FORMAT_RGB565, 0xF901, 0xFF2008, 0x0FF0, 0x08FF84},
    {"8-8-8", HOST_FORMAT_RGB888, 0x123456, 0x123456, 0xFEDCBA, 0xFEDCBA},
    {"X8-8-8-8", HOST_FORMAT_XRGB8888, 0x123456, 0x123456, 0xFEDCBA, 0xFEDCBA},
};
constexpr HostRect kBox = {10, 20, 50, 40};  // client coordinates
constexpr int32_t kRowY = 30;

// What the window should show after the box alone, then after the row too.
uint32_t Expected(const FormatCase& c, int32_t x, int32_t y, bool withRow)
{
    if (withRow && y == kRowY) return c.rowRgb;
    const bool inBox = x >= kBox.left && x < kBox.right && y >= kBox.top && y < kBox.bottom;
    return inBox ? c.boxRgb : 0;
}

// The back end's window, read back as 0xRRGGBB: the frame store's pixels, and for the SDL back
// end what its renderer shows as well.
struct Shown {
    std::vector<uint32_t> frame;
    std::vector<uint32_t> window;  // empty headless
};

SDL_Renderer* SdlRenderer()
{
    for (Uint32 id = 1; id < 64; ++id) {
        if (SDL_Window* window = SDL_GetWindowFromID(id)) return SDL_GetRenderer(window);
    }
    return nullptr;
}

Shown ReadShown(bool sdl)
{
    Shown shown;
    const HostFrame frame = HostLastFrame();
    for (int32_t i = 0; i < frame.width * frame.height; ++i) {
        const uint8_t* p = frame.rgb + static_cast<size_t>(i) * 3;
        shown.frame.push_back(static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]));
    }
    SDL_Renderer* const renderer = sdl ? SdlRenderer() : nullptr;
    if (renderer == nullptr) return shown;
    int32_t width = 0, height = 0;
    SDL_GetRendererOutputSize(renderer, &width, &height);
    if (width != 640 || height != 480) return shown;
    shown.window.resize(640 * 480);
    SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, shown.window.data(), 640 * 4);
    for (uint32_t& pixel : shown.window) {
        pixel &= 0xFFFFFF;
    }
    return shown;
}

// The first mismatch of a read-back, or "" when every pixel is as expected.
std::string Mismatch(const std::vector<uint32_t>& pixels, const FormatCase& c, bool withRow)
{
    for (int32_t y = 0; y < 480; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            const uint32_t got = pixels[static_cast<size_t>(y) * 640 + x];
            if (got != Expected(c, x, y, withRow)) {
                char text[80];
                std::snprintf(text, sizeof text, "(%d, %d) is %06X", x, y, got);
                return text;
            }
        }
    }
    return "";
}

// The SDL back end on SDL's window-less video driver, drawing in software so that its output
// can be read back; the variables are put back as they were.
class ScopedSdlDummy {
public:
    ScopedSdlDummy()
    {
        for (const auto& [name, value] : kVariables) {
            const char* previous = std::getenv(name);
            m_previous.emplace_back(name,
                                    previous ? std::optional<std::string>(previous) : std::nullopt);
            setenv(name, value, 1);
        }
    }
    ~ScopedSdlDummy()
    {
        for (const auto& [name, value] : m_previous) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }
    ScopedSdlDummy(const ScopedSdlDummy&) = delete;
    ScopedSdlDummy& operator=(const ScopedSdlDummy&) = delete;

private:
    static constexpr std::pair<const char*, const char*> kVariables[] = {
        {"SDL_VIDEODRIVER", "dummy"}, {"SDL_RENDER_DRIVER", "software"}};
    std::vector<std::pair<std::string, std::optional<std::string>>> m_previous;
};

// Draws the box, presents, reads; then one row, presents, reads; on the window of `kind`.
void DrawAndReadBack(HostBackendKind kind, const FormatCase& c)
{
    HostStop();
    HostInjectSetDesktopFormat(c.format);
    ASSERT_EQ(HostStart(kind, true), kind);
    const bool sdl = kind == HostBackendKind::Sdl;
    HostWindowCreate(HostProgramInstance(), "Pelloran", true, HostDefaultWindowProc);
    HostWindowShow(HostMainWindow());
    HostDisplay* display = nullptr;
    ASSERT_EQ(HostDisplayCreate(&display), HOST_OK);
    ASSERT_EQ(HostDisplayOpen(display, nullptr), HOST_OK);
    HostSurfaceDesc desc{HOST_SURFACE_PRIMARY, 0, 0, 0, {}, 0, 0};
    HostSurface* primary = nullptr;
    ASSERT_EQ(HostSurfaceCreate(display, desc, &primary), HOST_OK);
    if (c.format.flags & HOST_PF_PALETTE8) {
        HostColour entries[256] = {};
        entries[1] = {0x12, 0x34, 0x56};
        entries[2] = {0xFE, 0xDC, 0xBA};
        HostPalette* palette = nullptr;
        ASSERT_EQ(HostPaletteCreate(display, entries, &palette), HOST_OK);
        ASSERT_EQ(HostSurfaceSetPalette(primary, palette), HOST_OK);
        HostPaletteRelease(palette);
    }
    int32_t x, y;
    HostWindowClientOrigin(&x, &y);
    const HostRect box = {x + kBox.left, y + kBox.top, x + kBox.right, y + kBox.bottom};
    const HostRect row = {x, y + kRowY, x + 640, y + kRowY + 1};

    ASSERT_EQ(HostSurfaceFill(primary, &box, c.box), HOST_OK);
    HostPump();
    const Shown first = ReadShown(sdl);
    EXPECT_EQ(Mismatch(first.frame, c, false), "") << "the frame store";
    // The SDL back end shows at most about 60 frames a second.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(HostSurfaceFill(primary, &row, c.row), HOST_OK);
    HostPump();
    const Shown second = ReadShown(sdl);
    EXPECT_EQ(Mismatch(second.frame, c, true), "") << "the frame store";
    EXPECT_EQ(HostLastFrame().number, 2u);
    if (sdl) {
        ASSERT_FALSE(first.window.empty()) << "no software renderer to read back";
        EXPECT_EQ(Mismatch(first.window, c, false), "") << "the window";
        EXPECT_EQ(Mismatch(second.window, c, true), "") << "the window";
    }
    HostSurfaceRelease(primary);
    HostDisplayRelease(display);
}

}  // namespace

TEST(HostPresentFormats, EveryFormatShowsItsPixelsAndThenJustTheChangedRow)
{
    ScopedHeadlessHost host;
    ScopedSdlDummy dummy;
    for (const HostBackendKind kind : {HostBackendKind::Headless, HostBackendKind::Sdl}) {
        for (const FormatCase& c : kFormats) {
            SCOPED_TRACE(std::string(c.name) + (kind == HostBackendKind::Sdl ? ", SDL" : ""));
            DrawAndReadBack(kind, c);
        }
    }
}
