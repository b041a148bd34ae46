// tests/e2e/video_options_test.cpp: the video options in whole runs: from the pause screen of the
// human's match in the software 3D view (the device chosen there, the graphics layer restarted,
// the view drawing on) and from the office's menu bar (two restarts, the office drawn again); the
// next run keeps the device by its identifier.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine/host/inject.h"
#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

TEST(VideoOptions, TheDeviceChosenInTheMatchRestartsTheDisplayAndIsKeptByTheNextRun)
{
    TempHome home;
    TempDir first;
    const ProgramResult run1 = RunScriptIn(
        first,
        ScriptToTitle() + IncludeScript("new_career.txt") + ScriptToMatchDayWatchingFrom(511)
            + IncludeScript("video_options.txt") + IncludeScript("match_to_office.txt")
            + IncludeScript("video_options_office.txt") + ScriptQuitFromBar(),
        600, {"-no3d"});
    ASSERT_EQ(run1.exitCode, 0) << run1.out << run1.err;
    // In the match: software, then the device; in the office: software applied, the device kept.
    EXPECT_EQ(ScriptPrintedValues(run1.out, "videodevice"), (std::vector<int32_t>{-1, 0, -1, 0}))
        << run1.out;

    // The screen from the match and from the office: the same rows of text; the software view
    // goes on drawing the pitch after the restart.
    for (const char* name : {"video_match.png", "video_office.png"}) {
        const PngImage frame = GrabbedFrame(first, name);
        EXPECT_GT(TextPixels(frame, 30, 80, 110, 150), 100) << name;  // the three labels
        EXPECT_GT(TextPixels(frame, 30, 420, 580, 30), 100) << name;  // the three buttons
    }
    // The office drawn again after two restarts of the display: its header and its list.
    const PngImage office = GrabbedFrame(first, "office_after_video.png");
    EXPECT_GT(TextPixels(office, 0, 0, 640, 60), 200);
    EXPECT_GT(TextPixels(office, 0, 100, 640, 300), 500);
    const PngImage after = GrabbedFrame(first, "after_video.png");
    EXPECT_GT(GrassPixels(after, 0, 240, 640, 240), 640 * 240 / 3);

    OptionsBlock saved{};
    ASSERT_TRUE(ReadOptionsRecord(ReadTextFile(home.Path("OPTIONS.DAT")), &saved));
    EXPECT_EQ(saved.video.device3D, 0);
    const HostGuid device = HostInjectDefaultAdapter().devices[0].guid;
    EXPECT_EQ(std::memcmp(saved.video.deviceGuid, device.bytes, 16), 0);

    TempDir second;
    const ProgramResult run2 =
        RunScriptIn(second, ScriptToTitle() + "print videodevice\n" + ScriptQuitFromBar(), 120);
    ASSERT_EQ(run2.exitCode, 0) << run2.out << run2.err;
    EXPECT_EQ(ScriptFirstPrintedValue(run2.out, "videodevice"), 0) << run2.out;
    OptionsBlock again{};
    ASSERT_TRUE(ReadOptionsRecord(ReadTextFile(home.Path("OPTIONS.DAT")), &again));
    EXPECT_EQ(std::memcmp(&again.video, &saved.video, sizeof saved.video), 0);
}
