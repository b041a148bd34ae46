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

constexpr uint32_t WHITE = 0xFFFFFF;

std::string Script(const char* name)
{
    return ReadTextFile(std::string(PELLORAN_SOURCE_DIR) + "/tests/e2e/scripts/" + name);
}

ProgramResult RunIn(const TempDir& work, const std::string& script)
{
    EXPECT_TRUE(WriteTextFile(work.Path("script.txt"), script));
    return RunProgram({"-headless", "-seed", "7", "-script", "script.txt"}, {}, "", 600,
                      work.Path());
}

PngImage Frame(const TempDir& work, const char* name)
{
    PngImage image;
    std::string error;
    EXPECT_TRUE(ReadPng(work.Path(name), &image, &error)) << name << ": " << error;
    return image;
}

int32_t TextPixels(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h)
{
    return CountNearColour(frame, x, y, w, h, WHITE, 80);
}

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
    const ProgramResult run1 =
        RunIn(first, ScriptToTitle() + Script("new_career.txt") + Script("auto_run_switch.txt")
                         + kRunAMonth + "expect option == 3\n" + Script("auto_run_switch.txt")
                         + "grab normal.png\n" + ScriptQuitFromBar());
    ASSERT_EQ(run1.exitCode, 0) << run1.out << run1.err;
    EXPECT_GT(TextPixels(Frame(first, "debug.png"), 264, 44, 112, 12), 20);
    EXPECT_EQ(TextPixels(Frame(first, "office1.png"), 264, 44, 112, 12), 0);
    EXPECT_EQ(TextPixels(Frame(first, "normal.png"), 264, 44, 112, 12), 0);

    const std::string index = ReadTextFile(home.Path("SaveData/index.dat"));
    ASSERT_EQ(index.size(), 1694u);
    const std::string slot10 = index.substr(10 * 154, 154);
    EXPECT_EQ(slot10.substr(0, 9), std::string("AutoSave") + '\0');
    EXPECT_EQ(slot10[50], 1);

    TempDir second;
    const ProgramResult run2 = RunIn(second, ScriptToTitle() + kLoadAutoSave + ScriptQuitFromBar());
    ASSERT_EQ(run2.exitCode, 0) << run2.out << run2.err;
    EXPECT_GT(TextPixels(Frame(second, "load.png"), 32, 440, 266, 30), 20);
    EXPECT_TRUE(FrameShowsBackground(Frame(second, "office.png"), 16));
}
