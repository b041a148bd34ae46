// tests/e2e/in_match_menus_test.cpp: the human's match in the text view with its in-match menus:
// the team screens, the pause screen and its view changes, the display options, and at half-time
// the team selection with a substitution and a new formation, and marking; the crowd volume
// chosen is still in the options file afterwards.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

TEST(InMatchMenus, TeamScreensPauseViewsAndOptionsDuringTheHumansMatch)
{
    SKIP_UNDER_SANITIZERS("the in-match menus' own tests, and the team selection's at half-time");
    // The software renderer: the 3D view chosen from the pause screen then plays the half to the
    // team selection in the time the run has (the device's trilinear ground costs more).
    const ScriptRun run =
        RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                      + IncludeScript("to_match_day.txt") + IncludeScript("in_match_menus.txt")
                      + IncludeScript("match_to_office.txt") + ScriptQuitFromBar(),
                  {"-no3d"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    const PngImage& lineUps = run.frames.at("lineups.png");
    EXPECT_GT(TextPixels(lineUps, 100, 36, 440, 26), 50);  // the title with the score
    for (int32_t row = 0; row < 11; ++row) {
        const int32_t y = 70 + 20 * row;
        EXPECT_GT(TextPixels(lineUps, 130, y + 2, 160, 16), 5) << "home row " << row;
        EXPECT_GT(TextPixels(lineUps, 350, y + 2, 160, 16), 5) << "away row " << row;
        EXPECT_GT(ChangedPixels(lineUps, run.frames.at("pause.png"), 22, y, 24, 20), 20)
            << "shirt " << row;
    }
    for (const int32_t y : {410, 430, 450}) {
        for (const int32_t x : {20, 220, 420})
            EXPECT_GT(TextPixels(lineUps, x + 40, y + 4, 120, 12), 5) << x << ", " << y;
    }

    const PngImage& squad = run.frames.at("squad.png");
    EXPECT_GT(TextPixels(squad, 185, 86, 400, 16), 40);  // ten headers
    EXPECT_GT(ChangedPixels(squad, run.frames.at("squad_hover.png"), 200, 50, 240, 20), 20);
    EXPECT_EQ(ChangedPixels(squad, run.frames.at("squad_away.png"), 200, 50, 240, 20), 0);

    // The page shown is drawn in the highlight colour, the others in white.
    const PngImage& performance = run.frames.at("performance.png");
    const PngImage& saves = run.frames.at("performance_saves.png");
    EXPECT_LT(TextPixels(performance, 520, 372, 100, 16), TextPixels(saves, 520, 372, 100, 16));
    EXPECT_GT(TextPixels(performance, 20, 372, 100, 16), TextPixels(saves, 20, 372, 100, 16));

    // Outside the 3D view the highlights and options panels are covered and darker.
    const PngImage& pause = run.frames.at("pause.png");
    EXPECT_LT(TextPixels(pause, 196, 120, 248, 24), TextPixels(pause, 136, 240, 368, 24));
    EXPECT_LT(TextPixels(pause, 76, 360, 488, 24), TextPixels(pause, 136, 240, 368, 24));
    EXPECT_GT(TextPixels(pause, 170, 440, 300, 30), 20);

    EXPECT_GT(TextPixels(run.frames.at("display.png"), 45, 100, 200, 280), 100);
    // Half-time's team selection: the eleven and the three substitutes a league match lets on,
    // as the team sheets before it, with their shirts; the grid's ten shirts and their lines,
    // the two tactic buttons and the roles' column title; then the figures' headers.
    const PngImage& selection = run.frames.at("teamselection.png");
    for (int32_t row = 0; row < 14; ++row) {
        EXPECT_GT(ChangedPixels(selection, pause, 24, 60 + 20 * row, 20, 20), 20) << "row " << row;
        EXPECT_GT(TextPixels(selection, 50, 62 + 20 * row, 120, 16), 5) << "name " << row;
    }
    for (const int32_t row : {14, 15})
        EXPECT_EQ(TextPixels(selection, 50, 62 + 20 * row, 120, 16), 0) << "name " << row;
    EXPECT_GT(ChangedPixels(selection, pause, 400, 40, 195, 288), 2000);
    EXPECT_GT(TextPixels(selection, 400, 350, 100, 30), 20);
    EXPECT_GT(TextPixels(selection, 504, 350, 100, 30), 20);
    EXPECT_GT(TextPixels(selection, 267, 34, 123, 20), 20);
    const PngImage& figures = run.frames.at("teamselection_figures.png");
    EXPECT_GT(TextPixels(figures, 267, 62, 128, 16), 4 * TextPixels(selection, 267, 62, 128, 16));
    // The half-time substitution was made and logged once; the formation button changed the
    // tactic.
    EXPECT_EQ(ScriptPrintedValues(run.out, "subs"), std::vector<int32_t>{1});
    EXPECT_EQ(ScriptPrintedValues(run.out, "subsrows"), std::vector<int32_t>{1});
    const std::vector<int32_t> tactics = ScriptPrintedValues(run.out, "igtactic");
    ASSERT_EQ(tactics.size(), 2u);
    EXPECT_NE(tactics[0], tactics[1]);
    // Marking: both sides' eleven shirts beside the pitch with both teams on it.
    const PngImage& marking = run.frames.at("marking.png");
    for (int32_t row = 0; row < 11; ++row) {
        EXPECT_GT(ChangedPixels(marking, pause, 16, 90 + 20 * row, 28, 20), 20) << row;
        EXPECT_GT(ChangedPixels(marking, pause, 586, 90 + 20 * row, 28, 20), 20) << row;
    }
    EXPECT_GT(ChangedPixels(marking, selection, 220, 28, 200, 300), 3000);
    // Statistics: the score title, the three territory shares and the nine rows' figures on both
    // sides of their labels.
    const PngImage& statistics = run.frames.at("statistics.png");
    EXPECT_GT(TextPixels(statistics, 120, 27, 400, 22), 50);
    for (const int32_t x : {142, 255, 368})
        EXPECT_GT(TextPixels(statistics, x + 10, 90, 80, 20), 5) << x;
    for (int32_t row = 0; row < 9; ++row) {
        const int32_t y = 140 + 28 * row;
        EXPECT_GT(TextPixels(statistics, 70, y + 3, 100, 16), 5) << "home " << row;
        EXPECT_GT(TextPixels(statistics, 240, y + 3, 160, 16), 5) << "label " << row;
        EXPECT_GT(TextPixels(statistics, 470, y + 3, 100, 16), 5) << "away " << row;
    }

    // The camera value came back to where it started; the detail moved on by one.
    const size_t first = run.out.find("script: cameratype = ");
    ASSERT_NE(first, std::string::npos) << run.out;
    const std::string start = run.out.substr(first, run.out.find('\n', first) - first);
    EXPECT_NE(run.out.find(start, first + 1), std::string::npos) << run.out;

    ASSERT_EQ(run.homeFiles.count("OPTIONS.DAT"), 1u);
    OptionsBlock options{};
    ASSERT_TRUE(ReadOptionsRecord(run.homeFiles.at("OPTIONS.DAT"), &options));
    EXPECT_EQ(options.crowdVolume, 10);
}
