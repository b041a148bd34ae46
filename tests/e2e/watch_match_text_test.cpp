// tests/e2e/watch_match_text_test.cpp: the human's match watched whole in the text view: its
// frames at kick-off, at the start of the second half and at full time, and the full-time score
// the season keeps for the fixture.
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"
#include "tests/support/watched_match.h"

namespace {

constexpr int32_t BACKGROUND_COMDAY = 17;

}  // namespace

TEST(WatchMatchText, AWholeMatchIsDrawnAndItsScoreIsTheFixturesResult)
{
    const ScriptRun run =
        RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                  + IncludeScript("to_match_day.txt") + IncludeScript("watch_match_text.txt")
                  + IncludeScript("match_to_office.txt") + ScriptQuitFromBar());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    for (const char* name : {"kickoff.png", "halftime.png", "fulltime.png"}) {
        const PngImage& frame = run.frames.at(name);
        EXPECT_TRUE(FrameShowsBackground(frame, BACKGROUND_COMDAY)) << name;
        EXPECT_GT(TextPixels(frame, 200, 24, 118, 24), 10) << name;  // both sides of the score
        EXPECT_GT(TextPixels(frame, 322, 24, 118, 24), 10) << name;
        EXPECT_GT(TextPixels(frame, 64, 436, 472, 40), 10) << name;  // the commentary
        EXPECT_GT(TextPixels(frame, 28, 90, 90, 220), 200) << name;  // the names of both sides
        EXPECT_GT(TextPixels(frame, 432, 90, 90, 220), 200) << name;
    }
    ExpectPrintedScoreIsTheFixtures(run);
}
