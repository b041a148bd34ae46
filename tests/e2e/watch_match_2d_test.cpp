// tests/e2e/watch_match_2d_test.cpp: the human's match watched whole in the 2D view: the pitch,
// the panels, the score, the clock, the speed label, a pop-up and a followed player's map in its
// frames with both sides' shirts on the pitch, the view built again after the in-match menus, the
// fixture's score, and the match heard.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "tests/support/wave_probe.h"

TEST(WatchMatch2D, AWholeMatchIsDrawnInTheTwoDViewAndItsScoreIsTheFixturesResult)
{
    const ScriptRun run =
        RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                  + ScriptToMatchDayWatchingFrom(319) + IncludeScript("watch_match_2d.txt")
                  + IncludeScript("match_to_office.txt") + ScriptQuitFromBar());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    for (const char* name : {"kickoff2d.png", "popup2d.png", "map2d.png", "secondhalf2d.png"}) {
        const PngImage& frame = run.frames.at(name);
        WriteTestOutputPng(std::string("watch2d_") + name, frame.width, frame.height, frame.rgb);
        EXPECT_GT(TextPixels(frame, 150, 4, 340, 14), 20) << name;  // the score
        EXPECT_GT(TextPixels(frame, 12, 40, 140, 90), 30) << name;  // side 0's panel
        EXPECT_GT(TextPixels(frame, 496, 40, 144, 90), 30) << name;
        EXPECT_GT(TextPixels(frame, 405, 445, 90, 30), 5) << name;    // "x 8"
        EXPECT_GT(TextPixels(frame, 510, 445, 100, 30), 20) << name;  // "Tactique"
        // On the pitch below the panels, both sides' shirts: one green, the other orange.
        EXPECT_GT(CountNearColour(frame, 20, 140, 600, 300, 0x086300, 8), 20) << name;
        EXPECT_GT(CountNearColour(frame, 20, 140, 600, 300, 0xB53600, 14), 50) << name;
    }
    // The pop-up's eight lines, down and right of the pointer.
    EXPECT_GT(TextPixels(run.frames.at("popup2d.png"), 24, 94, 160, 110), 150);
    const int32_t score0 = ScriptFirstPrintedValue(run.out, "score0");
    const int32_t score1 = ScriptFirstPrintedValue(run.out, "score1");
    ASSERT_GE(score0, 0) << run.out;
    ASSERT_GE(score1, 0) << run.out;
    EXPECT_EQ(ScriptFirstPrintedValue(run.out, "lastscore"), score0 * 100 + score1) << run.out;
    EXPECT_GT(ScriptFirstPrintedValue(run.out, "sfxplayed"), 0) << run.out;
    EXPECT_EQ(ScriptFirstPrintedValue(run.out, "crowdplayed"), 0) << run.out;

    // Forty seconds of the first half: the crowd loops never fall silent, and the effects sound
    // well above them (a loop at the crowd volume's level peaks near 1,600 at most).
    const MatchLoudness heard =
        LoudnessAfterKickOff(run.waves.at("kickoff2d.wav"), run.waves.at("match2d.wav"), 40);
    ASSERT_EQ(heard.seconds, 40U);
    EXPECT_GT(heard.quietestSecond, 50.0);
    EXPECT_GT(heard.peak, 5000);
}
