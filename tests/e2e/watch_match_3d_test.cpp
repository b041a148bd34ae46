// tests/e2e/watch_match_3d_test.cpp: the human's match watched whole in the software 3D view at
// quick preview: the pitch, its lines, both kits, the ball and the score line in its frames (the
// kick-off's golden), an instant replay ended by Escape, the first goal, the view built again at
// 800 x 600 and back by F4 and F3 and after the half-time menus, the rest in the text view, the
// fixture's score, and the match heard.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "tests/support/watched_match.h"

namespace {

constexpr int32_t kBackgroundComday = 17;  // the text view's

// The kick-off frame as camera type 0 films it from above the halfway line.
constexpr uint64_t kKickOffHash = 0xb1b461dc9ba2ffc4ull;

// The ball's white and black panels in a small square.
bool BallIn(const PngImage& frame, int32_t x, int32_t y)
{
    return CountNearColour(frame, x, y, 14, 14, 0xFCFCFC, 4) >= 3
           && CountNearColour(frame, x, y, 14, 14, 0x000000, 4) >= 1;
}

}  // namespace

TEST(WatchMatch3D, AWholeMatchIsDrawnAndHeardInTheSoftwareViewAndItsScoreIsTheFixturesResult)
{
    SKIP_UNDER_SANITIZERS("WatchMatchDevice.WithNo3dTheSameRunShowsTheSoftwareView, the software "
                          "view's tests and the replay tests");
    const ScriptRun run =
        RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                      + ScriptToMatchDayWatchingFrom(511) + IncludeScript("watch_match_3d.txt")
                      + IncludeScript("match_to_office.txt") + ScriptQuitFromBar(),
                  {"-no3d"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    for (const char* name :
         {"kickoff3d.png", "replay3d.png", "goal3d.png", "wide3d.png", "narrow3d.png"}) {
        const PngImage& frame = run.frames.at(name);
        WriteTestOutputPng(std::string("watch3d_") + name, frame.width, frame.height, frame.rgb);
        const bool wide = std::string(name) == "wide3d.png";
        ASSERT_EQ(frame.width, wide ? 800 : 640) << name;
        ASSERT_EQ(frame.height, wide ? 600 : 480) << name;
        EXPECT_GT(GrassPixels(frame, 0, 240, 640, 240), 640 * 240 / 3) << name;  // the pitch
        EXPECT_GT(TextPixels(frame, 0, 0, 320, 40), 20) << name;                 // the score line
    }
    // In play, the white lines over the grass and both sides' kits: green shirts with red shorts,
    // and orange shirts with blue shorts.
    for (const char* name : {"kickoff3d.png", "replay3d.png"}) {
        const PngImage& frame = run.frames.at(name);
        EXPECT_GT(CountNearColour(frame, 0, 240, 640, 240, 0x80A67A, 12), 1500) << name;
        EXPECT_GT(CountNearColour(frame, 0, 40, 640, 440, 0x0C6800, 10), 40) << name;
        EXPECT_GT(CountNearColour(frame, 0, 40, 640, 440, 0xAA0000, 14), 40) << name;
        EXPECT_GT(CountNearColour(frame, 0, 40, 640, 440, 0xC84E00, 26), 60) << name;
        EXPECT_GT(CountNearColour(frame, 0, 40, 640, 440, 0x2C90F4, 12), 20) << name;
    }
    // The ball on the centre spot in the middle of the picture, then in the net, a few frames
    // after it crossed the line, seen through the netting.
    EXPECT_TRUE(BallIn(run.frames.at("kickoff3d.png"), 313, 234));
    EXPECT_TRUE(BallIn(run.frames.at("goal3d.png"), 474, 166));
    EXPECT_FALSE(BallIn(run.frames.at("kickoff3d.png"), 474, 166));
    // The size's message ("800 x 600", then "640 x 480") centred under the score line.
    EXPECT_GT(TextPixels(run.frames.at("wide3d.png"), 340, 44, 120, 32), 150);
    EXPECT_GT(TextPixels(run.frames.at("narrow3d.png"), 260, 44, 120, 32), 150);
    const uint64_t kickOff = FrameHash(run.frames.at("kickoff3d.png"));
    EXPECT_EQ(kickOff, kKickOffHash)
        << "0x" << std::hex << kickOff << ": build/test-output/watch3d_kickoff3d.png";
    // The replay bar's grey buttons, only while the instant replay plays.
    const auto replayBar = [&run](const char* name) {
        return CountNearColour(run.frames.at(name), 110, 428, 420, 50, 0x404048, 4);
    };
    EXPECT_GT(replayBar("replay3d.png"), 5000);
    EXPECT_LT(replayBar("kickoff3d.png"), 100);
    EXPECT_LT(replayBar("goal3d.png"), 100);
    // The rest of the match in the text view, on its own background.
    const PngImage& fullTime = run.frames.at("fulltime.png");
    WriteTestOutputPng("watch3d_fulltime.png", fullTime.width, fullTime.height, fullTime.rgb);
    EXPECT_TRUE(FrameShowsBackground(fullTime, kBackgroundComday));
    ExpectWatchedMatchScoredAndHeard(run, "kickoff3d.wav", "match3d.wav", true);
}
