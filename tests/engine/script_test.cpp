// tests/engine/script_test.cpp: the script runner: its language, its timing against the clock,
// and the ways a run ends with exit code 3.
#include "engine/script.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

struct Seen {
    uint32_t period;
    HostMessage message;
};

std::vector<Seen> s_seen;

intptr_t Recording(HostWindow window, uint32_t kind, uintptr_t wparam, intptr_t lparam)
{
    s_seen.push_back({ClockPeriods(), {window, kind, wparam, lparam}});
    return HostDefaultWindowProc(window, kind, wparam, lparam);
}

std::string ParseError(const std::string& text)
{
    std::string error;
    EXPECT_FALSE(ScriptParse("s.txt", text, &error)) << text;
    return error;
}

// A headless host with a shown window and the manual clock running, as in a headless run.
class ScriptTest : public testing::Test {
protected:
    void SetUp() override
    {
        ScriptInit();
        s_seen.clear();
        HostWindowShow(HostWindowCreate(HostProgramInstance(), "Pelloran", true, Recording));
        ClockStart([] {});
        s_seen.clear();
    }

    void Load(const std::string& text)
    {
        std::string error;
        ASSERT_TRUE(ScriptParse("s.txt", text, &error)) << error;
    }

    // Pumps and dispatches what is queued, then lets one period pass: a program's Poll.
    void RunPeriods(uint32_t periods)
    {
        for (uint32_t i = 0; i < periods; ++i) {
            while (HostMsgPeek()) {
                HostMessage message;
                HostMsgGet(&message);
                HostMsgDispatch(message);
            }
            ClockAdvance(1);
        }
    }

    ScopedHeadlessHost m_host;
};

class ScriptDeathTest : public ScriptTest {};

}  // namespace

TEST(ScriptParse, SkipsBlankLinesAndCommentsAndNamesTheFailingLine)
{
    ScriptInit();
    EXPECT_EQ(ParseError("# a comment\n\n  wait 0x10\r\nfly away\n"),
              "script: s.txt:4: unknown command 'fly'");
    std::string error;
    EXPECT_TRUE(ScriptParse("s.txt", "   # indented comment\nwait 0\n\t\n", &error));
}

TEST(ScriptParse, RefusesBadArgumentsWithTheirReason)
{
    ScriptInit();
    const std::pair<const char*, const char*> cases[] = {
        {"wait", "missing argument to 'wait'"},
        {"wait x1", "bad argument 'x1' to 'wait'"},
        {"wait 0x", "bad argument '0x' to 'wait'"},
        {"wait 4294967296", "bad argument '4294967296' to 'wait'"},
        {"wait 1 2", "extra argument '2' to 'wait'"},
        {"key 256", "bad argument '256' to 'key'"},
        {"key 1 0", "bad argument '0' to 'key'"},
        {"key 1 2 3", "extra argument '3' to 'key'"},
        {"keydown -1", "bad argument '-1' to 'keydown'"},
        {"pixel 1 2", "missing argument to 'pixel'"},
        {"pixel 1 2 12345", "bad argument '12345' to 'pixel'"},
        {"pixel 1 2 GG0000", "bad argument 'GG0000' to 'pixel'"},
        {"hash now", "extra argument 'now' to 'hash'"},
        {"grab", "missing argument to 'grab'"},
        {"print", "missing argument to 'print'"},
        {"echo \"open", "unterminated text \"open"},
        {"echo \"a\" b", "text after the closing quote:  b"},
        {"Wait 1", "unknown command 'Wait'"},
        {"key Bogus", "bad argument 'Bogus' to 'key'"},
        {"type \"a\xE4\xB8\xAD\"", "U+4E2D cannot be typed: not a Windows-1252 character"},
        {"type \"a\tb\"", "U+0009 cannot be typed: not a Windows-1252 character"},
        {"type \"\xC9t\xE9\"", "the text is not UTF-8"},
        {"move 1", "missing argument to 'move'"},
        {"move 1 2 left", "bad argument 'left' to 'move'"},
        {"click 4097 2", "bad argument '4097' to 'click'"},
        {"motion 1 -x", "bad argument '-x' to 'motion'"},
        {"release now", "extra argument 'now' to 'release'"},
    };
    for (const auto& [line, reason] : cases) {
        EXPECT_EQ(ParseError(std::string("echo fine\n") + line),
                  std::string("script: s.txt:2: ") + reason);
    }
}

TEST_F(ScriptTest, PrintWritesAValueAsItReadsWhenItsTurnComes)
{
    static int32_t s_value;
    s_value = 4;
    ScriptRegisterValue("goals", [] { return s_value; });
    Load("print goals\nwait 2\nprint goals\n");
    ScriptStart(false);
    testing::internal::CaptureStdout();
    RunPeriods(1);
    s_value = -2;
    RunPeriods(3);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "script: goals = 4\nscript: goals = -2\n");
}

TEST_F(ScriptTest, CommandsRunOnceTheWaitsBeforeThemHavePassed)
{
    Load("echo \"  first \"\nwait 3\necho second line\nwait 0\nkey 0x9C 2\necho third\nkeydown 5\n"
         "keyup 5\n");
    ScriptStart(false);
    testing::internal::CaptureStdout();
    RunPeriods(1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "script:   first \n");
    testing::internal::CaptureStdout();
    RunPeriods(10);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "script: second line\nscript: third\n");

    // A key press takes a period, and so does the gap before the next press.
    struct Expected {
        uint32_t period;
        uint32_t kind;
        uint32_t code;
        intptr_t lparam;
    };
    const Expected expected[] = {
        {3, HOST_MSG_KEY_DOWN, 0x9C, HostKeyParam(0x9C, false, false)},
        {4, HOST_MSG_KEY_UP, 0x9C, HostKeyParam(0x9C, true, true)},
        {5, HOST_MSG_KEY_DOWN, 0x9C, HostKeyParam(0x9C, false, false)},
        {6, HOST_MSG_KEY_UP, 0x9C, HostKeyParam(0x9C, true, true)},
        {6, HOST_MSG_KEY_DOWN, 5, HostKeyParam(5, false, false)},
        {6, HOST_MSG_KEY_UP, 5, HostKeyParam(5, true, true)},
    };
    ASSERT_EQ(s_seen.size(), std::size(expected));
    for (size_t i = 0; i < s_seen.size(); ++i) {
        EXPECT_EQ(s_seen[i].period, expected[i].period) << i;
        EXPECT_EQ(s_seen[i].message.kind, expected[i].kind) << i;
        EXPECT_EQ(s_seen[i].message.wparam, expected[i].code) << i;
        EXPECT_EQ(s_seen[i].message.lparam, expected[i].lparam) << i;
    }
}

TEST_F(ScriptTest, FocusCommandsPostTheWindowSystemsMessages)
{
    Load("deactivate\nwait 2\nactivate\nclose\n");
    ScriptStart(false);
    RunPeriods(3);
    std::vector<uint32_t> kinds;
    for (const Seen& seen : s_seen) {
        kinds.push_back(seen.message.kind);
    }
    // The close reaches the default procedure, which destroys the (again active) window.
    EXPECT_EQ(kinds,
              (std::vector<uint32_t>{HOST_MSG_KILL_FOCUS, HOST_MSG_ACTIVATE, HOST_MSG_ACTIVATE_APP,
                                     HOST_MSG_ACTIVATE_APP, HOST_MSG_ACTIVATE, HOST_MSG_SET_FOCUS,
                                     HOST_MSG_CLOSE, HOST_MSG_KILL_FOCUS, HOST_MSG_ACTIVATE,
                                     HOST_MSG_ACTIVATE_APP, HOST_MSG_DESTROY}));
    EXPECT_EQ(s_seen[3].period, 2u);
}

TEST_F(ScriptTest, BlockedReadLetsTheClockRunUntilTheScriptPosts)
{
    Load("wait 50\nkey 1\n");
    ScriptStart(false);
    HostMessage message;
    ASSERT_EQ(HostMsgGet(&message), 1);
    EXPECT_EQ(message.kind, HOST_MSG_KEY_DOWN);
    EXPECT_EQ(ClockPeriods(), 50u);
}

TEST_F(ScriptTest, GrabAndPixelReadTheLastPresentedFrame)
{
    TempDir dir;
    // At the first pump the script runs before anything is presented: hence the wait.
    Load("wait 1\ngrab " + dir.Path("shot.png") + "\npixel 639 479 000000\nhash\n");
    ScriptStart(false);
    testing::internal::CaptureStdout();
    RunPeriods(2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "script: frame 1 hash 9f35b2d3ea85a4c4\n");
    EXPECT_FALSE(ReadTextFile(dir.Path("shot.png")).empty());
}

TEST_F(ScriptTest, WithoutTheEndRuleAFinishedScriptLeavesTheProgramAlone)
{
    Load("echo done\n");
    ScriptStart(false);
    testing::internal::CaptureStdout();
    RunPeriods(SCRIPT_END_PERIODS + 10);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "script: done\n");
}

TEST_F(ScriptDeathTest, PixelMismatchEndsTheRunNamingItsLine)
{
    Load("wait 1\n\npixel 3 4 FF0000\necho never\n");
    ScriptStart(false);
    EXPECT_EXIT(RunPeriods(3), testing::ExitedWithCode(SCRIPT_EXIT_CODE),
                "^script: s.txt:3: pixel \\(3,4\\) is 000000, expected FF0000\n$");
}

TEST_F(ScriptDeathTest, PixelBeforeAnyFrameOrOutsideTheFrameFails)
{
    Load("pixel 0 0 000000\n");
    ScriptStart(false);
    EXPECT_EXIT(RunPeriods(1), testing::ExitedWithCode(SCRIPT_EXIT_CODE),
                "^script: s.txt:1: no frame has been presented\n$");
    Load("wait 1\npixel 640 0 000000\n");
    ScriptStart(false);
    EXPECT_EXIT(RunPeriods(2), testing::ExitedWithCode(SCRIPT_EXIT_CODE),
                "^script: s.txt:2: pixel \\(640,0\\) is outside the 640x480 frame\n$");
}

TEST_F(ScriptDeathTest, ProgramStillRunningLongAfterTheScriptEndedFails)
{
    Load("echo started\nwait 10\n");
    ScriptStart(true);
    EXPECT_EXIT(
        {
            RunPeriods(10 + SCRIPT_END_PERIODS - 1);
            std::fputs("still allowed\n", stderr);
            RunPeriods(1);
            std::fputs("too late\n", stderr);
        },
        testing::ExitedWithCode(SCRIPT_EXIT_CODE),
        "^still allowed\nscript: s.txt:2: the script has ended and the program is still "
        "running\n$");
}

TEST_F(ScriptDeathTest, BlockedReadAfterTheScriptEndedFailsAtOnce)
{
    Load("wait 5\n");
    ScriptStart(true);
    EXPECT_EXIT(
        {
            HostMessage message;
            HostMsgGet(&message);
        },
        testing::ExitedWithCode(SCRIPT_EXIT_CODE),
        "^script: s.txt:1: the script has ended and the program is still running\n$");
}

TEST_F(ScriptDeathTest, HeadlessRunWithoutAScriptHasTheSameTimeToEnd)
{
    ScriptStart(true);
    EXPECT_EXIT(RunPeriods(SCRIPT_END_PERIODS + 1), testing::ExitedWithCode(SCRIPT_EXIT_CODE),
                "^script: the script has ended and the program is still running\n$");
}

TEST(ScriptLoadDeathTest, UnreadableScriptIsRefused)
{
    ScriptInit();
    EXPECT_EXIT(ScriptLoad("/nonexistent/absent.txt"), testing::ExitedWithCode(SCRIPT_EXIT_CODE),
                "^script: /nonexistent/absent.txt:0: cannot read the script\n$");
    EXPECT_EXIT(ScriptLoad("/"), testing::ExitedWithCode(SCRIPT_EXIT_CODE),
                "^script: /:0: cannot read the script\n$");
}

TEST_F(ScriptTest, KeysGoByNameWithoutRegardToCase)
{
    Load("key escape\nkeydown RCtrl\nkeyup kpenter\n");
    ScriptStart(false);
    RunPeriods(4);
    ASSERT_EQ(s_seen.size(), 4u);
    EXPECT_EQ(s_seen[0].message.wparam, 1u);
    EXPECT_EQ(s_seen[2].message.wparam, 0x9Du);
    EXPECT_EQ(s_seen[2].message.lparam, HostKeyParam(0x9D, false, false));
    EXPECT_EQ(s_seen[3].message.wparam, 0x9Cu);
}

TEST_F(ScriptTest, MovePinsThePointerThenMovesOnceTheGameHasReadTheMouse)
{
    Load("move 30 40\nmotion -3 5\nclick 7 8 right\n");
    ScriptStart(false);
    int32_t x, y;
    RunPeriods(3);
    HostCursorGet(&x, &y);
    EXPECT_EQ(x, -4096);  // pinned, and no read yet: the move waits
    EXPECT_EQ(y, -4096);
    HostCursorSet(0, 0);  // the game reads the mouse
    RunPeriods(1);
    HostCursorGet(&x, &y);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 40);
    RunPeriods(2);  // no read: the motion waits too
    HostCursorSet(0, 0);
    RunPeriods(2);  // read, then a period for the frame: the motion and the click's pin follow
    HostCursorGet(&x, &y);
    EXPECT_EQ(x, -3 - 4096);
    EXPECT_EQ(y, 5 - 4096);
    for (int i = 0; i < 2; ++i) {
        HostCursorSet(0, 0);
        RunPeriods(1);
    }
    RunPeriods(1);
    EXPECT_EQ(HostMouseButtons(), HOST_BUTTON_RIGHT);
    RunPeriods(2);
    EXPECT_EQ(HostMouseButtons(), 0u);
}
