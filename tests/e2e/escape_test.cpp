// tests/e2e/escape_test.cpp: Escape in the real program on the screens that have no Escape answer
// of their own, on the office's information box and on a message box: every one is left.
#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

TEST(Escape, LeavesEachScreenForTheOneItCameFromAndClosesTheInfoBoxAndAMessageBox)
{
    // Each screen's "until" fails the run when Escape leaves it to itself.
    const ScriptRun run = RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                                    + IncludeScript("escape_everywhere.txt") + ScriptQuitFromBar());
    ASSERT_EQ(run.err.find("fails"), std::string::npos) << run.out << run.err;
    ASSERT_EQ(run.exitCode, 0) << run.err;

    // The information box covers the club list's left half; Escape gives the office back.
    const PngImage& office = run.frames.at("office1.png");
    EXPECT_GT(ChangedPixels(office, run.frames.at("infobox.png"), 20, 80, 300, 300), 1000);
    EXPECT_EQ(ChangedPixels(office, run.frames.at("infoboxclosed.png"), 20, 80, 300, 300), 0);
    // The message box's text in the middle of the screen, gone after Escape.
    EXPECT_GT(ChangedPixels(office, run.frames.at("box.png"), 130, 160, 380, 160), 1000);
    EXPECT_EQ(ChangedPixels(office, run.frames.at("boxclosed.png"), 130, 160, 380, 160), 0);
}
