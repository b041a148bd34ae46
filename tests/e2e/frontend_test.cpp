// tests/e2e/frontend_test.cpp: the real program's front end from its start to quitting, and the
// script conditions that later runs wait on.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint16_t BAR_COLOUR = 0x00D2;

const PngImage& Frame(const ScriptRun& run, const char* name)
{
    static const PngImage none;
    const auto found = run.frames.find(name);
    EXPECT_NE(found, run.frames.end()) << name << " was not grabbed: " << run.err;
    return found != run.frames.end() ? found->second : none;
}

}  // namespace

TEST(FrontEnd, StartsOnTheSplashScreensAndQuitsThroughTheMenuBar)
{
    const ScriptRun run = RunScript(SharedScript("start_and_quit.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_TRUE(FrameShowsBackground(Frame(run, "splash1.png"), 22));
    EXPECT_TRUE(FrameShowsBackground(Frame(run, "splash2.png"), 31));

    const PngImage& credits = Frame(run, "credits.png");
    EXPECT_TRUE(FrameShowsBackground(credits, 32));
    EXPECT_GT(CountNearColour(credits, 120, 32, 400, 416, WHITE, 40), 50);

    const PngImage& title = Frame(run, "title.png");
    EXPECT_TRUE(FrameShowsBackground(title, 7));

    const PngImage& bar = Frame(run, "bar.png");
    EXPECT_GT(CountNearColour(bar, 0, 0, 640, 21, FrameRgbOf565(BAR_COLOUR), 8), 640 * 21 / 2);
    EXPECT_EQ(CountNearColour(title, 0, 0, 640, 21, FrameRgbOf565(BAR_COLOUR), 8), 0);

    // The question box covers the middle of the screen.
    const PngImage& question = Frame(run, "question.png");
    EXPECT_GT(ChangedPixels(title, question, 100, 120, 440, 240), 440 * 240 / 2);

    ASSERT_EQ(run.homeFiles.count("OPTIONS.DAT"), 1u);
    OptionsBlock options{};
    ASSERT_TRUE(ReadOptionsRecord(run.homeFiles.at("OPTIONS.DAT"), &options));
    EXPECT_EQ(options.menuVolume, 10);
}

TEST(FrontEnd, ClosingTheWindowEndsWithCodeOneAndKeepsNoOptions)
{
    const ScriptRun run = RunScript(ScriptToTitle() + "close\nwait 100\n");
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_EQ(run.homeFiles.count("OPTIONS.DAT"), 0u);
}

TEST(ScriptConditions, UntilThatNeverHoldsFailsNamingItsLine)
{
    const ScriptRun run = RunScript("wait 5\nuntil option == 99 max 50\n");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("script: script.txt:2: the condition still fails after 50 periods"),
              std::string::npos)
        << run.err;
}

TEST(ScriptConditions, FalseExpectationEndsTheRunAtOnce)
{
    const ScriptRun run = RunScript("wait 5\nexpect option == 24 and depth == 7\n");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("script: script.txt:2: the condition fails"), std::string::npos)
        << run.err;
}

TEST(ScriptConditions, UnknownValueEndsTheRunWhenFirstChecked)
{
    const ScriptRun run = RunScript("wait 5\necho before\nexpect goals > 3\n");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.out.find("script: before"), std::string::npos);
    EXPECT_NE(run.err.find("script: script.txt:3: unknown value 'goals'"), std::string::npos)
        << run.err;
}

TEST(ScriptConditions, IncludedScriptIsFoundBesideTheIncludingOneAndNamedInFailures)
{
    TempHome home;
    TempDir work;
    ASSERT_TRUE(std::filesystem::create_directory(work.Path("parts")));
    WriteTextFile(work.Path("parts/main.txt"), "wait 5\ninclude check.txt\n");
    WriteTextFile(work.Path("parts/check.txt"), "# a check\nexpect busy == 5\n");
    const ProgramResult run =
        RunProgram({"-headless", "-script", "parts/main.txt"}, {}, "", 120, work.Path());
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("script: parts/check.txt:2: the condition fails"), std::string::npos)
        << run.err;
}
