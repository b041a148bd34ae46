// tests/e2e/watch_match_text_test.cpp: the human's match watched whole in the text view: its
// frames at kick-off, at the start of the second half and at full time, and the full-time score
// the season keeps for the fixture.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t BACKGROUND_COMDAY = 17;

// The value of the first "script: NAME = VALUE" line, -1 when there is none.
int32_t Printed(const std::string& out, const std::string& name)
{
    const size_t at = out.find("script: " + name + " = ");
    if (at == std::string::npos) return -1;
    int32_t value = -1;
    std::sscanf(out.c_str() + at + name.size() + 11, "%d", &value);
    return value;
}

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
    const int32_t score0 = Printed(run.out, "score0");
    const int32_t score1 = Printed(run.out, "score1");
    ASSERT_GE(score0, 0) << run.out;
    ASSERT_GE(score1, 0) << run.out;
    const int32_t lastScore = Printed(run.out, "lastscore");
    EXPECT_EQ(lastScore, score0 * 100 + score1) << run.out;
}
