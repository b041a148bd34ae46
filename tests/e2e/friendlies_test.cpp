// tests/e2e/friendlies_test.cpp: the whole program books a friendly from the office's calendar
// ("Match amical") two days on, plays it on that day in the text view, and is back at the office
// of the day after with the friendly's score kept.
#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

TEST(Friendlies, AFriendlyBookedFromTheCalendarIsPlayedOnItsDay)
{
    const ScriptRun run = RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                                    + IncludeScript("friendlies.txt") + ScriptQuitFromBar());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    // The third day row names the booked club, where it said "- Pas de rencontre --".
    EXPECT_GT(ChangedPixels(run.frames.at("friendly.png"), run.frames.at("booked.png"), 100, 130,
                            200, 20),
              50);
    const std::vector<int32_t> home = ScriptPrintedValues(run.out, "score0");
    const std::vector<int32_t> away = ScriptPrintedValues(run.out, "score1");
    const std::vector<int32_t> kept = ScriptPrintedValues(run.out, "lastscore");
    ASSERT_EQ(home.size(), 1u);
    ASSERT_EQ(away.size(), 1u);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0], home[0] * 100 + away[0]);  // the friendly's row holds the score played
}
