// tests/engine/host/display_test.cpp: display objects and their full-screen modes.
#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "tests/support/host_run.h"

namespace {

class HostDisplayTest : public testing::Test {
protected:
    HostDisplay* Open()
    {
        HostDisplay* display = nullptr;
        EXPECT_EQ(HostDisplayCreate(&display), HOST_OK);
        EXPECT_EQ(HostDisplayOpen(display, nullptr), HOST_OK);
        return display;
    }

    ScopedHeadlessHost m_host;
};

}  // namespace

TEST_F(HostDisplayTest, ModeChangesNeedExclusiveUseOfAFullScreenWindow)
{
    const HostWindow window =
        HostWindowCreate(HostProgramInstance(), "Pelloran", false, HostDefaultWindowProc);
    HostDisplay* display = Open();
    EXPECT_EQ(HostDisplaySetMode(display, 640, 480, 16, false), HOST_E_NOT_EXCLUSIVE);
    ASSERT_EQ(HostDisplaySetExclusive(display, window, true), HOST_OK);
    EXPECT_TRUE(HostInjectDisplayExclusive());
    HostDisplay* other = Open();
    EXPECT_EQ(HostDisplaySetExclusive(other, window, true), HOST_E_GENERIC);
    EXPECT_EQ(HostDisplaySetMode(display, 640, 481, 16, false), HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostDisplaySetMode(display, 640, 480, 16, true), HOST_E_BAD_ARGUMENT);

    HostSurface* primary = nullptr;
    ASSERT_EQ(HostSurfaceCreate(display, {HOST_SURFACE_PRIMARY, 0, 0, 0, {}, 0, 0}, &primary),
              HOST_OK);
    ASSERT_EQ(HostDisplaySetMode(display, 640, 480, 16, false), HOST_OK);
    EXPECT_EQ(HostSurfaceIsLost(primary), HOST_E_SURFACE_LOST);  // it showed the old mode
    HostSurfaceRelease(primary);
    int32_t w, h;
    HostWindowClientSize(&w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    EXPECT_EQ(HostDisplayRelease(display), 0u);  // releasing goes back to the desktop
    HostWindowClientSize(&w, &h);
    EXPECT_EQ(w, 1920);
    EXPECT_EQ(h, 1080);
}
