// tests/engine/host/present_test.cpp: presentation into the frame store and its read-back as
// pixels, PNG files and hashes.
#include <filesystem>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

class HostPresentTest : public testing::Test {
protected:
    void SetUp() override
    {
        HostWindowCreate("Pelloran", true, HostDefaultWindowProc);
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
