#include "engine/fatal.h"

#include <cstdio>

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/support.h"

namespace {

void SayFirst() { std::fputs("exit first\n", stderr); }
void SaySecond() { std::fputs("exit second\n", stderr); }
void FailInside() { FatalError("inner failure\n"); }

int s_runs[3];
void CountA() { ++s_runs[0]; }
void CountB() { ++s_runs[1]; }
void RemoveA() { ++s_runs[2], OnExitRemove(CountA); }

void AddMany(int first, int count)
{
    // Distinct functions are needed: the same one twice is refused.
    static void (*const kFns[])() = {
        [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {},
        [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {},
        [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {},
        [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {},
        [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {}, [] {},
    };
    static_assert(std::size(kFns) == ONEXIT_MAX + 1);
    for (int i = first; i < first + count; ++i) {
        OnExitAddEx(kFns[i], "many");
    }
}

}  // namespace

TEST(FatalDeathTest, FatalErrorPrintsRunsExitFunctionsLastFirstAndExitsWithOne)
{
    ScopedCore core;
    OnExitAddEx(SayFirst, "SayFirst()");
    OnExitAddEx(SaySecond, "SaySecond()");
    EXPECT_FATAL(FatalError("Error: broken %d\n", 7), "exit second\nexit first\nError: broken 7\n");
}

TEST(FatalDeathTest, FatalErrorInsideAnExitFunctionEndsAtOnce)
{
    ScopedCore core;
    OnExitAddEx(FailInside, "FailInside()");
    EXPECT_EXIT(
        {
            std::fclose(stdout);
            stdout = stderr;  // the nested error's line goes to standard output: capture it
            FatalError("outer failure\n");
        },
        testing::ExitedWithCode(1), "^outer failure\nError: Error during error handler\n$");
}

// Standard error repeats the text only where it is not the file standard output went to: a
// terminal shows it once, and a log file of its own beside it on the same disk still gets it.
TEST(FatalDeathTest, StandardErrorRepeatsTheTextOnlyWhereItIsAnotherFile)
{
    ScopedCore core;
    EXPECT_EXIT(
        {
            std::fflush(stdout);
            dup2(fileno(stderr), fileno(stdout));  // as on a terminal
            FatalError("Error: no display\n");
        },
        testing::ExitedWithCode(1), "^Error: no display\n$");
    EXPECT_EXIT(
        {
            std::fflush(stdout);
            if (!std::freopen((testing::TempDir() + "fatal_stdout.txt").c_str(), "w", stdout))
                std::_Exit(2);
            FatalError("Error: no display\n");
        },
        testing::ExitedWithCode(1), "^Error: no display\n$");
}

TEST(FatalDeathTest, AbortNamesSourceAndLine)
{
    ScopedCore core;
    EXPECT_FATAL(FatalAbort("winlib", 397, "WinInit(): AppName too long"),
                 "Abort error: WinInit(): AppName too long\n(File: winlib  Line: 397)\n");
}

TEST(FatalDeathTest, ExitFunctionsAreRefusedTwiceOrPastTheirSlots)
{
    ScopedCore core;
    OnExitAddEx(SayFirst, "SayFirst()");
    EXPECT_FATAL(OnExitAddEx(SayFirst, "SayFirst()"), "OnExitAddEx(): 'SayFirst()' already added");
    OnExitReset();
    AddMany(0, ONEXIT_MAX);
    EXPECT_FATAL(AddMany(ONEXIT_MAX, 1), "OnExitAddEx(): too many exit functions");
}

TEST(OnExit, RunsEachFunctionOnceEvenWhenOneRemovesAnother)
{
    ScopedCore core;
    s_runs[0] = s_runs[1] = s_runs[2] = 0;
    OnExitAddEx(CountA, "CountA()");
    OnExitAddEx(CountB, "CountB()");
    OnExitAddEx(RemoveA, "RemoveA()");
    OnExitRemove(SayFirst);  // absent: nothing happens
    OnExitRun();
    OnExitRun();
    EXPECT_EQ(s_runs[0], 0);  // removed before its turn came
    EXPECT_EQ(s_runs[1], 1);
    EXPECT_EQ(s_runs[2], 1);
}
