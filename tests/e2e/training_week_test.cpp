// tests/e2e/training_week_test.cpp: the training screens in the real program: a programme painted
// and given a preset, a defender retrained, a team-training slot painted, an emphasis set to 100%,
// the injury list; then a day whose technical period counts the retraining down.
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"

namespace {

constexpr int32_t ROWS_TOP = 80;
constexpr int32_t ROW_PITCH = 28;
constexpr int32_t DEFENDER_ROW = 3;
constexpr uint16_t FORWARD_BAR = 51590;
constexpr uint16_t SLIDER_COLOURS[3] = {51590, 13894, 12697};
constexpr int32_t SLIDER_TOPS[3] = {310, 346, 382};

int32_t RowTop(int32_t row) { return ROWS_TOP + row * ROW_PITCH; }

// The printed values of `name`, in order.
std::vector<int32_t> Printed(const std::string& out, const std::string& name)
{
    std::vector<int32_t> values;
    const std::string mark = "script: " + name + " = ";
    for (size_t at = out.find(mark); at != std::string::npos; at = out.find(mark, at + 1))
        values.push_back(std::atoi(out.c_str() + at + mark.size()));
    return values;
}

int32_t ColourPixels(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h,
                     uint16_t colour)
{
    return CountNearColour(frame, x, y, w, h, FrameRgbOf565(colour), 24);
}

}  // namespace

TEST(TrainingWeek, TheTrainingScreensPlanAWeekThatTheDayTrains)
{
    const ScriptRun run = RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                                    + IncludeScript("training_week.txt") + ScriptQuitFromBar());
    ASSERT_EQ(run.err.find("fails"), std::string::npos) << run.out << run.err;
    EXPECT_EQ(run.exitCode, 0);

    // Ten rows, each with a name, seven period icons and an empty progress bar.
    const PngImage& before = run.frames.at("programme1.png");
    for (int32_t row = 0; row < 10; ++row) {
        EXPECT_GT(TextPixels(before, 58, RowTop(row), 140, ROW_PITCH), 20) << row;
        EXPECT_GT(TextPixels(before, 234, RowTop(row), 7 * 26, ROW_PITCH), 70) << row;
        EXPECT_LT(ColourPixels(before, 460, RowTop(row), 150, ROW_PITCH, 51200), 10) << row;
    }

    // The recovery preset changed row 0's week and its marker; the defender retrains.
    const PngImage& painted = run.frames.at("programme2.png");
    EXPECT_GT(ChangedPixels(before, painted, 234, RowTop(0), 7 * 26, ROW_PITCH), 100);
    EXPECT_GT(ChangedPixels(before, painted, 418, RowTop(0), 20, ROW_PITCH), 5);
    EXPECT_GT(TextPixels(painted, 418, RowTop(0), 20, ROW_PITCH), 5);
    EXPECT_GT(TextPixels(painted, 460, RowTop(DEFENDER_ROW), 150, ROW_PITCH), 30);
    EXPECT_LT(TextPixels(before, 460, RowTop(DEFENDER_ROW), 150, ROW_PITCH), 5);
    for (int32_t row = 4; row < 10; ++row) {
        EXPECT_EQ(ChangedPixels(before, painted, 26, RowTop(row), 590, ROW_PITCH), 0) << row;
    }

    // A painted slot of team training.
    EXPECT_GT(ChangedPixels(run.frames.at("teamtraining1.png"), run.frames.at("teamtraining2.png"),
                            208, 80, 50, 38),
              20);

    // Individual training: the pitch, three sliders at 40/30/30, then row 1 at 100%.
    const PngImage& individual = run.frames.at("individual1.png");
    const PngImage& full = run.frames.at("individual2.png");
    EXPECT_GT(ChangedPixels(individual, run.frames.at("injuries.png"), 40, 110, 96, 112), 5000);
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t shown =
            ColourPixels(individual, 200, SLIDER_TOPS[k], 300, 26, SLIDER_COLOURS[k]);
        EXPECT_GT(shown, (k == 0 ? 100 : 80) * 26) << k;
        EXPECT_LT(shown, (k == 0 ? 130 : 100) * 26) << k;
        EXPECT_GT(TextPixels(individual, 330, SLIDER_TOPS[k], 40, 26), 10) << k;
    }
    EXPECT_GT(ColourPixels(full, 200, SLIDER_TOPS[0], 300, 26, SLIDER_COLOURS[0]), 280 * 26);
    EXPECT_LT(ColourPixels(full, 200, SLIDER_TOPS[1], 300, 26, SLIDER_COLOURS[1]), 4 * 26);
    EXPECT_GT(ChangedPixels(individual, full, 330, SLIDER_TOPS[0], 40, 26), 10);  // "100%"

    // Nobody is hurt on the first day: the list says so.
    const PngImage& injuries = run.frames.at("injuries.png");
    EXPECT_GT(TextPixels(injuries, 250, 230, 140, 20), 20);
    EXPECT_LT(TextPixels(injuries, 10, 90, 620, 130), 5);

    // The day's technical period took one off the retraining, and the bar grew.
    const std::vector<int32_t> left = Printed(run.out, "retrainleft");
    ASSERT_EQ(left.size(), 2u) << run.out;
    EXPECT_EQ(left[0], 20);  // a defender of 22 to forward: 4 x (22 - 11) / 2
    EXPECT_EQ(left[1], left[0] - 1);
    const PngImage& after = run.frames.at("programme3.png");
    EXPECT_GT(TextPixels(after, 460, RowTop(DEFENDER_ROW), 150, ROW_PITCH), 30);
    EXPECT_GT(ColourPixels(after, 460, RowTop(DEFENDER_ROW), 150, ROW_PITCH, FORWARD_BAR),
              ColourPixels(painted, 460, RowTop(DEFENDER_ROW), 150, ROW_PITCH, FORWARD_BAR));
}
