// tests/e2e/match_distribution_test.cpp: the human's match in the text view: the passes the
// players struck and completed fill the performance screen's "Distribution" page as it goes on.
#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

TEST(MatchDistribution, ThePassColumnsFillBetweenKickOffAndTheSecondHalf)
{
    const ScriptRun run =
        RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                  + IncludeScript("to_match_day.txt") + IncludeScript("match_distribution.txt")
                  + IncludeScript("match_to_office.txt") + ScriptQuitFromBar());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    // The passes tried and completed columns (PE, PR) of the eleven rows: all 0 at kick-off, and
    // some players have passed by the second half.
    const PngImage& kickOff = run.frames.at("distribution_kickoff.png");
    const PngImage& secondHalf = run.frames.at("distribution_second_half.png");
    // Both show the same page: its headers, the distribution ones (PE first), unchanged.
    EXPECT_GT(TextPixels(kickOff, 185, 86, 408, 16), 20);
    EXPECT_EQ(ChangedPixels(kickOff, secondHalf, 185, 86, 408, 16), 0);
    int32_t changedRows = 0;
    for (int32_t row = 0; row < 11; ++row) {
        const int32_t y = 110 + 16 * row;
        if (ChangedPixels(kickOff, secondHalf, 185, y, 136, 16) > 0) ++changedRows;
    }
    EXPECT_GE(changedRows, 3);
}
