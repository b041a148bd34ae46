// tests/e2e/developer_screens_test.cpp: the developer's screens in the real program: the debug
// screen and its message tester behind the office's header, the club-check screens behind the
// calendar's hidden switch, and an unattended run that stops on the day "Fixtures/Soak" set.
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

int32_t Printed(const std::string& out, const std::string& name)
{
    const size_t at = out.find("script: " + name + " = ");
    EXPECT_NE(at, std::string::npos) << name << " was not printed";
    return at == std::string::npos ? -1 : std::stoi(out.substr(at + name.size() + 11));
}

}  // namespace

TEST(DeveloperScreens, TheTesterTheCheckScreensAndARunThatStopsOnItsTargetDay)
{
    const ScriptRun run = RunScript(ScriptToTitle() + SharedScript("new_career.txt")
                                    + IncludeScript("developer_screens.txt") + ScriptQuitFromBar());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    // "Debug Screen" in the office's header only while the run is on.
    EXPECT_GT(TextPixels(run.frames.at("officerun.png"), 240, 44, 160, 14), 20);
    EXPECT_EQ(TextPixels(run.frames.at("officeafter.png"), 240, 44, 160, 14), 0);
    // The tester's message inside its area; the group number, 3, above it.
    EXPECT_GT(TextPixels(run.frames.at("tester.png"), 34, 352, 500, 96), 50);
    EXPECT_GT(TextPixels(run.frames.at("tester.png"), 560, 326, 48, 20), 5);
    EXPECT_EQ(TextPixels(run.frames.at("debug.png"), 34, 352, 500, 96), 0);
    // The help panel's page of text, another page after Page Down; the terms table's title and
    // its four clause rows; the debug screen back after each.
    const PngImage& help = run.frames.at("help.png");
    EXPECT_GT(TextPixels(help, 40, 64, 530, 340), 1000);
    EXPECT_NE(TextPixels(help, 40, 64, 530, 340),
              TextPixels(run.frames.at("helpdown.png"), 40, 64, 530, 340));
    const PngImage& terms = run.frames.at("terms.png");
    EXPECT_GT(TextPixels(terms, 250, 24, 180, 26), 50);
    for (int32_t row = 0; row < 4; ++row)
        EXPECT_GT(TextPixels(terms, 64, 114 + 60 * row, 290, 22), 20) << row;
    EXPECT_EQ(TextPixels(run.frames.at("debugback.png"), 400, 170, 200, 230),
              TextPixels(run.frames.at("debug.png"), 400, 170, 200, 230));
    // Each check screen shows its lists.
    EXPECT_GT(TextPixels(run.frames.at("money.png"), 30, 46, 560, 100), 200);
    EXPECT_GT(TextPixels(run.frames.at("money.png"), 30, 210, 560, 140), 200);
    EXPECT_GT(TextPixels(run.frames.at("squads.png"), 30, 24, 560, 40), 50);
    EXPECT_GT(TextPixels(run.frames.at("pick.png"), 30, 60, 560, 320), 1000);
    EXPECT_GT(TextPixels(run.frames.at("soak.png"), 40, 40, 580, 110), 500);

    // The run set for two weeks stopped on its day, not at the next match day after it.
    const int32_t target = Printed(run.out, "soakday");
    EXPECT_EQ(target, 16);
    EXPECT_EQ(Printed(run.out, "day"), target);
}
