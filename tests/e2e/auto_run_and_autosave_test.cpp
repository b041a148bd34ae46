// tests/e2e/auto_run_and_autosave_test.cpp: the unattended run switched on from the office, a
// month passed in it, the office's automatic save of the new month, and a second run loading it.
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

// "Terminer" > "Jour de Match" with the unattended run on, until 1 September, then Escape.
const char* const kRunAMonth = R"(grab debug.png
click 482 455
wait 20
motion 0 -44
wait 20
tap
until day >= 31 max 200000
key Escape
until option == 3 max 20000
wait 300
)";

const char* const kLoadAutoSave = R"(click 320 233
until option == 49 max 3000
wait 300
grab load.png
click 160 455
until option == 3 max 3000
wait 300
grab office.png
)";

}  // namespace

TEST(AutoRun, AMonthRunUnattendedEndsOnEscapeAndTheNewMonthIsSavedForTheNextRun)
{
    TempHome home;
    TempDir first;
    const ProgramResult run1 = RunScriptIn(
        first,
        ScriptToTitle() + SharedScript("new_career.txt") + SharedScript("auto_run_switch.txt")
            + kRunAMonth + "expect option == 3\n" + SharedScript("auto_run_switch.txt")
            + "grab normal.png\n" + ScriptQuitFromBar(),
        600);
    ASSERT_EQ(run1.exitCode, 0) << run1.out << run1.err;
    EXPECT_GT(TextPixels(GrabbedFrame(first, "debug.png"), 264, 44, 112, 12), 20);
    EXPECT_EQ(TextPixels(GrabbedFrame(first, "office1.png"), 264, 44, 112, 12), 0);
    EXPECT_EQ(TextPixels(GrabbedFrame(first, "normal.png"), 264, 44, 112, 12), 0);

    const std::string index = ReadTextFile(home.Path("SaveData/index.dat"));
    ASSERT_EQ(index.size(), 1702u);
    const std::string slot10 = index.substr(10 * 154, 154);
    EXPECT_EQ(slot10.substr(0, 9), std::string("AutoSave") + '\0');
    EXPECT_EQ(slot10[50], 1);

    TempDir second;
    const ProgramResult run2 =
        RunScriptIn(second, ScriptToTitle() + kLoadAutoSave + ScriptQuitFromBar(), 600);
    ASSERT_EQ(run2.exitCode, 0) << run2.out << run2.err;
    EXPECT_GT(TextPixels(GrabbedFrame(second, "load.png"), 32, 440, 266, 30), 20);
    EXPECT_TRUE(FrameShowsBackground(GrabbedFrame(second, "office.png"), 16));
}
