#include "engine/screengrab.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "engine/blocks.h"
#include "engine/colconv.h"
#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/host/host.h"
#include "tests/support/gfx_run.h"
#include "tests/support/support.h"

namespace {

uint32_t Get16(const std::string& bytes, size_t at)
{
    return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8;
}

// Every pixel of the grab, through its colour map when it has one, as 0xRRGGBB.
uint32_t GrabRgb(const std::string& tga, int32_t x, int32_t y)
{
    const uint32_t width = Get16(tga, 12);
    const bool mapped = tga[1] == 1;
    const size_t pixels = 18 + (mapped ? 256 * 3 : 0);
    const uint8_t* p = nullptr;
    if (mapped) {
        const auto index = static_cast<uint8_t>(tga[pixels + y * width + x]);
        p = reinterpret_cast<const uint8_t*>(tga.data()) + 18 + 3 * index;
    } else {
        p = reinterpret_cast<const uint8_t*>(tga.data()) + pixels + 3 * (y * width + x);
    }
    return static_cast<uint32_t>(p[2] << 16 | p[1] << 8 | p[0]);  // stored blue, green, red
}

// Draws a few colours, takes the grab with three taken before it, and compares it with the
// presented frame pixel by pixel.
void ExpectGrabEqualsFrame(const TempHome& home)
{
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(WriteTextFile(home.Path("grab000" + std::to_string(n) + ".tga"), "taken"));
    }
    for (int32_t i = 0; i < 8; ++i) {
        GfxFillRect(i * 40, 0, 40, 200, static_cast<uint8_t>(0x23 * i + 5));
    }
    ScreenPrintf(3, 3, "Grab");
    PresentNow();
    testing::internal::CaptureStdout();
    SaveScreenGrab();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\a");
    const std::string tga = ReadTextFile(home.Path("grab0004.tga"));
    ASSERT_GE(tga.size(), 18u);
    EXPECT_EQ(Get16(tga, 12), 320u);
    EXPECT_EQ(Get16(tga, 14), 200u);
    EXPECT_EQ(static_cast<uint8_t>(tga[17]), 0x20);
    EXPECT_EQ(ReadTextFile(home.Path("grab0001.tga")), "taken");
    for (int32_t y = 0; y < 200; ++y) {
        for (int32_t x = 0; x < 320; ++x) {
            ASSERT_EQ(GrabRgb(tga, x, y), FrameRgb(x, y)) << x << "," << y;
        }
    }
}

}  // namespace

TEST(ScreenGrab, SixteenBitGrabTakesTheNextFreeNameAndEqualsTheFrame)
{
    TempHome home;
    ScopedHeadlessHost host;
    ScopedGraphics graphics;
    SetModeBySize(320, 200, DDRAW_KIND_16BIT);
    ExpectGrabEqualsFrame(home);
    const std::string tga = ReadTextFile(home.Path("grab0004.tga"));
    EXPECT_EQ(tga[2], 2);
    EXPECT_EQ(tga[16], 24);
    EXPECT_EQ(tga.size(), 18u + 320 * 200 * 3);
}

TEST(ScreenGrab, EightBitGrabCarriesThePaletteTimesFour)
{
    TempHome home;
    ScopedHeadlessHost host;
    ScopedGraphics graphics;
    SetModeBySize(320, 200, DDRAW_KIND_8BIT);
    uint8_t palette[GFX_PALETTE_BYTES];
    ColConvMakeCubePalette(palette);
    SetPalette(palette);
    ExpectGrabEqualsFrame(home);
    const std::string tga = ReadTextFile(home.Path("grab0004.tga"));
    EXPECT_EQ(tga[1], 1);
    EXPECT_EQ(tga[2], 1);
    EXPECT_EQ(Get16(tga, 5), 256u);
    EXPECT_EQ(tga[7], 24);
    EXPECT_EQ(tga[16], 8);
    EXPECT_EQ(static_cast<uint8_t>(tga[18 + 3 * 255]), 252);  // entry 255's blue: 63 x 4
}

TEST(ScreenGrab, AllNamesTakenWritesNothingAndSaysSo)
{
    TempHome home;
    ScopedHeadlessHost host;
    ScopedGraphics graphics;
    SetModeBySize(320, 200, DDRAW_KIND_8BIT);
    for (int n = 1; n <= SCREENGRAB_MAX; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "grab%04d.tga", n);
        std::FILE* file = std::fopen(home.Path(name).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
    }
    testing::internal::CaptureStdout();
    SaveScreenGrab();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: too many screen grabs\n");
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(home.Path())) {
        ++files;
    }
    EXPECT_EQ(files, static_cast<size_t>(SCREENGRAB_MAX));
}
