// tests/e2e/script_run_test.cpp: whole-program runs driven by scripts: refusals, the end rule,
// focus changes, and the SDL back end without a display.
#include <string>

#include <gtest/gtest.h>

#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

bool Holds(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Quits the front end through its menu bar.
std::string Leave() { return ScriptToTitle() + ScriptQuitFromBar(); }

}  // namespace

TEST(ScriptRun, BadScriptIsRefusedBeforeTheWindowOpens)
{
    const ScriptRun run = RunScript("wait 1\n# fine so far\nfly away\n", {"-debug", "win=50"});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.err, "script: script.txt:3: unknown command 'fly'\n");
    EXPECT_FALSE(Holds(run.out, "WM_ACTIVATEAPP")) << run.out;
}

TEST(ScriptRun, MissingScriptFileIsRefused)
{
    TempHome home;
    const ProgramResult run = RunProgram({"-headless", "-script", "/nonexistent/script.txt"});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.err, "script: /nonexistent/script.txt:0: cannot read the script\n");
}

TEST(ScriptRun, ProgramThatOutlivesItsScriptEndsWithCodeThree)
{
    const ScriptRun run = RunScript("wait 0\necho started\n");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_TRUE(Holds(run.out, "script: started\n"));
    EXPECT_TRUE(Holds(run.err, "script: script.txt:2: the script has ended and the program is "
                               "still running\n"))
        << run.err;
}

TEST(ScriptRun, GrabWritesThePresentedFrameForTheTestToRead)
{
    const ScriptRun run = RunScript(std::string("wait 20\ngrab first.png\nwait 0\n") + Leave());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(run.frames.count("first.png"), 1u);
    EXPECT_EQ(run.frames.at("first.png").width, 640);
    EXPECT_EQ(run.frames.at("first.png").height, 480);
}

TEST(ScriptRun, DeactivatedProgramWaitsInItsIdleLoopUntilActivated)
{
    const ScriptRun run =
        RunScript(std::string("wait 10\ndeactivate\nwait 100\nactivate\nwait 10\n") + Leave(),
                  {"-debug", "win=50"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string enteringLine = "WinMessageHandler(): entering idle loop";
    const size_t entering = run.out.find(enteringLine);
    const size_t leaving = run.out.find("WinMessageHandler(): leaving idle loop");
    ASSERT_NE(entering, std::string::npos) << run.out;
    EXPECT_LT(entering, leaving);
    EXPECT_EQ(run.out.find(enteringLine, entering + 1), std::string::npos);
}

TEST(ScriptRun, SdlBackEndRunsTheSameScriptWithoutAnyDisplay)
{
    TempHome home;
    TempDir work;
    // Closing the window ends the run: a real-time run on a loaded machine can fall behind a
    // script's fixed waits, so this one stays away from the menu bar.
    WriteTextFile(work.Path("script.txt"), "wait 200\nhash\nclose\nwait 100\n");
    const ProgramResult headless =
        RunProgram({"-headless", "-script", "script.txt"}, {}, "", 120, work.Path());
    const ProgramResult dummy =
        RunProgram({"-script", "script.txt"}, {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"},
                   "", 120, work.Path());
    EXPECT_EQ(dummy.exitCode, 1) << dummy.err;
    EXPECT_FALSE(Holds(dummy.out, "running headless"));
    const std::string hashLine = "script: frame ";
    ASSERT_TRUE(Holds(headless.out, hashLine));
    const auto hashOf = [&](const std::string& out) {
        const size_t at = out.find(hashLine);
        return out.substr(out.find(" hash ", at), 22);
    };
    EXPECT_EQ(hashOf(dummy.out), hashOf(headless.out));
}

// Without a script nobody drives the run: with no display, and when told -headless, the program
// says what it needs and how to run headless, and ends with code 1 without naming a script.
TEST(ScriptRun, WithoutAScriptARunWithoutADisplaySaysWhatItNeeds)
{
    TempHome home;
    const ProgramResult noDisplay =
        RunProgram({}, {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}, "", 120);
    EXPECT_EQ(noDisplay.exitCode, 1) << noDisplay.out << noDisplay.err;
    EXPECT_TRUE(Holds(noDisplay.out, "Error: HostStart(): no display available ("));
    EXPECT_TRUE(Holds(noDisplay.out, "-headless -script FILE\n")) << noDisplay.out;
    const ProgramResult headless = RunProgram({"-headless"});
    EXPECT_EQ(headless.exitCode, 1) << headless.out << headless.err;
    EXPECT_TRUE(Holds(headless.out, "Error: StartHost(): '-headless' shows no window and plays a "
                                    "script's input: give the script with -script FILE\n"))
        << headless.out;
    for (const ProgramResult* run : {&noDisplay, &headless}) {
        EXPECT_FALSE(Holds(run->out + run->err, "script:"));
        EXPECT_FALSE(Holds(run->out, "running headless"));
    }
}

TEST(ScriptRun, WithoutADisplayTheProgramSaysSoAndRunsHeadless)
{
    // An entry without '=' removes the variable from the program's environment.
    TempHome home;
    TempDir work;
    WriteTextFile(work.Path("script.txt"), std::string("wait 5\n") + Leave());
    const ProgramResult run =
        RunProgram({"-script", "script.txt"}, {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}, "",
                   120, work.Path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Holds(run.out, "Warning: HostStart(): no display available ("));
    EXPECT_TRUE(Holds(run.out, ") - running headless\n"));
}
