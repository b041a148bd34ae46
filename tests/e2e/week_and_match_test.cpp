// tests/e2e/week_and_match_test.cpp: a new career's first week played from the office: a day
// with the coaches' box and the news, the days to the first match day, the day's pairings, the
// three preview panels, the view bar, the human's match in the text view, the results and the
// office after the match.
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

constexpr uint16_t HUMAN_NAME_565 = 0xFFE0;  // font colour 8
constexpr int32_t DAY_BACKGROUND = 2;

int32_t HumanNamePixels(const PngImage& frame)
{
    return CountNearColour(frame, 0, 90, 460, 340, FrameRgbOf565(HUMAN_NAME_565), 40);
}

}  // namespace

TEST(WeekAndMatch, ANewCareerPlaysItsFirstWeekAndMatchAndComesBackToTheOffice)
{
    const ScriptRun run = RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                                    + IncludeScript("week_and_match.txt") + ScriptQuitFromBar());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    const PngImage& before = run.frames.at("office_before.png");
    const PngImage& after = run.frames.at("office_after.png");
    EXPECT_GT(ChangedPixels(before, run.frames.at("coaches.png"), 30, 85, 20, 220), 1000);
    EXPECT_GT(ChangedPixels(before, run.frames.at("coaches.png"), 176, 85, 20, 220), 1000);
    EXPECT_GT(TextPixels(before, 394, 84, 210, 180), 500);           // the figures
    EXPECT_GT(TextPixels(before, 394, 300, 210, 36), 100);           // the next match
    EXPECT_GT(TextPixels(before, 80, 408, 480, 62), 200);            // the buttons
    EXPECT_EQ(TextPixels(before, 540, 100, 64, 18), 0);              // no result yet after "Forme"
    EXPECT_GT(TextPixels(after, 540, 100, 64, 18), 5);               // one result letter
    EXPECT_GT(ChangedPixels(before, after, 394, 318, 210, 36), 50);  // the next match moved on

    for (const char* name : {"coaches.png", "news.png", "box.png"}) {
        const PngImage& box = run.frames.at(name);
        EXPECT_TRUE(FrameShowsBackground(box, DAY_BACKGROUND)) << name;
        EXPECT_NE(FrameColourAt(box, 320, 300), FrameColourAt(box, 320, 420)) << name;  // icon 1
    }
    EXPECT_GT(TextPixels(run.frames.at("coaches.png"), 110, 120, 420, 20), 50);
    EXPECT_GT(TextPixels(run.frames.at("news.png"), 110, 145, 420, 30), 50);
    EXPECT_GT(TextPixels(run.frames.at("box.png"), 110, 120, 420, 20), 50);

    const PngImage& todays = run.frames.at("todays.png");
    EXPECT_GT(TextPixels(todays, 20, 100, 410, 20), 50);
    EXPECT_GT(HumanNamePixels(todays), 20);
    const PngImage& results = run.frames.at("results.png");
    for (int32_t row = 0; row < 5; ++row) {
        EXPECT_GT(TextPixels(results, 190, 100 + 20 * row, 60, 20), 10) << row;  // the score
    }
    EXPECT_GT(HumanNamePixels(results), 20);

    const PngImage& sheets = run.frames.at("panel0.png");
    for (int32_t row = 0; row < 11; ++row) {
        EXPECT_GT(TextPixels(sheets, 150, 105 + 18 * row, 340, 18), 20) << row;
    }
    const PngImage& pitch = run.frames.at("panel1.png");
    // Defenders' and forwards' discs on the pitch picture, for both sides.
    for (const uint32_t disc : {0x7BB5FFu, 0xFF847Bu}) {
        EXPECT_GT(CountNearColour(pitch, 180, 80, 280, 165, disc, 16), 100) << disc;
        EXPECT_GT(CountNearColour(pitch, 180, 245, 280, 165, disc, 16), 100) << disc;
    }
    EXPECT_GT(TextPixels(run.frames.at("panel2.png"), 50, 135, 300, 16), 50);  // the list's title
    const PngImage& bar = run.frames.at("viewbar.png");
    for (const int32_t x : {32, 224, 416}) {
        EXPECT_GT(TextPixels(bar, x, 430, 190, 40), 50) << x;
    }
}
