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
#include "tests/support/watched_match.h"

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
    ExpectWatchedMatchScoredAndHeard(run, "kickoff2d.wav", "match2d.wav", false);
}
