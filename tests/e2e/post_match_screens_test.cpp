// tests/e2e/post_match_screens_test.cpp: the whole program through every screen of the post-match
// sequence after the human's first match (the match statistics, the time analysis, the
// performance screen and its coverage, the written analysis, the report and the analysis table),
// then from the office to the rest of the world and a club's squad.
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

constexpr uint32_t COVERAGE_RED_RGB = 0xFF0000;

// The distinct colours of a row of pixels, roughly: components cut to their top three bits.
int32_t RoughColours(const PngImage& frame, int32_t x0, int32_t x1, int32_t y)
{
    std::string seen;
    for (int32_t x = x0; x < x1; ++x) {
        const uint32_t rgb = FrameColourAt(frame, x, y) & 0xE0E0E0;
        const std::string key = std::to_string(rgb) + ",";
        if (seen.find("," + key) == std::string::npos) seen += "," + key;
    }
    int32_t count = 0;
    for (const char c : seen)
        count += c == ',' ? 1 : 0;
    return count / 2;
}

}  // namespace

TEST(PostMatchScreens, EveryScreenOfTheSequenceThenTheRestOfTheWorld)
{
    const ScriptRun run =
        RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                      + IncludeScript("to_match_day.txt") + IncludeScript("halftime.txt")
                      + IncludeScript("post_match_screens.txt") + ScriptQuitFromBar(),
                  {"-seed", "7"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    const PngImage& stats = run.frames.at("stats.png");
    EXPECT_GE(RoughColours(stats, 200, 440, 200), 2);     // possession in both sides' colours
    EXPECT_GT(TextPixels(stats, 140, 410, 360, 22), 20);  // the attendance
    EXPECT_GE(RoughColours(run.frames.at("time.png"), 72, 590, 300), 2);  // columns in two colours
    EXPECT_GT(ChangedPixels(run.frames.at("performance.png"), run.frames.at("stats.png"), 47, 41,
                            540, 285),
              5000);  // the players on the pitch
    EXPECT_GT(
        CountNearColour(run.frames.at("coverage.png"), 47, 41, 540, 285, COVERAGE_RED_RGB, 120),
        200);  // the ground covered
    EXPECT_GT(TextPixels(run.frames.at("written.png"), 32, 80, 576, 340), 500);
    const PngImage& report = run.frames.at("report.png");
    EXPECT_GT(TextPixels(report, 100, 48, 440, 22), 50);   // the score line
    EXPECT_GT(TextPixels(report, 90, 258, 460, 82), 200);  // the statistics panel
    const PngImage& table = run.frames.at("table.png");
    EXPECT_GT(TextPixels(table, 210, 88, 400, 16), 60);     // six column heads
    EXPECT_GT(TextPixels(table, 22, 112, 596, 220), 1000);  // the rows
    const PngImage& world = run.frames.at("world.png");
    EXPECT_GT(ChangedPixels(world, table, 36, 100, 24, 286), 500);   // badges on the left
    EXPECT_GT(ChangedPixels(world, table, 340, 100, 24, 286), 500);  // and on the right
}
