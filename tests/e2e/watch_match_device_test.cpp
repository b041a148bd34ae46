// tests/e2e/watch_match_device_test.cpp: the human's match watched through the 3D device, the
// start-up's default: the kick-off, the radar and an instant replay's bar in its frames, then the
// text view to full time; with "-no3d" the same run shows the software 3D view.
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

ScriptRun WatchRun(const std::vector<std::string>& args)
{
    return RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                         + ScriptToMatchDayWatchingFrom(511)
                         + IncludeScript("watch_match_device.txt")
                         + IncludeScript("match_to_office.txt") + ScriptQuitFromBar(),
                     args);
}

}  // namespace

TEST(WatchMatchDevice, TheMatchIsSeenThroughTheDeviceWithItsRadarAndReplayBar)
{
    const ScriptRun run = WatchRun({});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(ScriptFirstPrintedValue(run.out, "viewkind"), 3) << run.out;
    for (const char* name : {"kickoff3d.png", "radar.png", "replay3d.png"}) {
        const PngImage& frame = run.frames.at(name);
        WriteTestOutputPng(std::string("watchdevice_") + name, frame.width, frame.height,
                           frame.rgb);
        ASSERT_EQ(frame.width, 640) << name;
        ASSERT_EQ(frame.height, 480) << name;
        EXPECT_GT(GrassPixels(frame, 0, 240, 640, 240), 640 * 240 / 3) << name;
        EXPECT_GT(TextPixels(frame, 0, 0, 256, 40), 40) << name;   // the score panel
        EXPECT_GT(TextPixels(frame, 560, 0, 80, 26), 10) << name;  // the clock panel
        // The stands above the pitch, dark beside its green.
        EXPECT_GT(640 * 16 - GrassPixels(frame, 0, 22, 640, 16), 640 * 16 / 2) << name;
    }
    // The radar's pitch picture top left, under the score panel, only with F7.
    const PngImage& kickOff = run.frames.at("kickoff3d.png");
    EXPECT_GT(ChangedPixels(kickOff, run.frames.at("radar.png"), 4, 42, 128, 88), 128 * 88 / 2);
    // The replay bar's ten grey buttons along the bottom edge, only in the replay.
    const auto replayBar = [&run](const char* name) {
        return CountNearColour(run.frames.at(name), 110, 430, 420, 48, 0x424242, 4);
    };
    EXPECT_GT(replayBar("replay3d.png"), 10000);
    EXPECT_LT(replayBar("kickoff3d.png"), 100);
    EXPECT_LT(replayBar("radar.png"), 100);
}

TEST(WatchMatchDevice, WithNo3dTheSameRunShowsTheSoftwareView)
{
    const ScriptRun run = WatchRun({"-no3d"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(ScriptFirstPrintedValue(run.out, "viewkind"), 2) << run.out;
}
