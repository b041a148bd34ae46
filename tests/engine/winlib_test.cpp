#include "engine/winlib.h"

#include <cstdio>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "engine/fatal.h"
#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/poll.h"
#include "engine/timer.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

std::string s_trace;
uint32_t s_hookCalls;

void TraceA(uint8_t state) { s_trace += 'A' + std::to_string(state); }
void TraceB(uint8_t state) { s_trace += 'B' + std::to_string(state); }
void TraceC(uint8_t state) { s_trace += 'C' + std::to_string(state); }

intptr_t ConsumingHook(HostWindow, uint32_t, uintptr_t, intptr_t)
{
    ++s_hookCalls;
    return 0;
}

intptr_t PassingHook(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    ++s_hookCalls;
    return WinPassOnMessage(window, message, wParam, lParam);
}

// Distinct functions: the lists refuse the same one twice.
template <size_t I>
void NumberedTaskswitch(uint8_t)
{
}
template <size_t I>
intptr_t NumberedHook(HostWindow, uint32_t, uintptr_t, intptr_t)
{
    return 0;
}
template <size_t... I>
void AddTaskswitchFuncs(std::index_sequence<I...>)
{
    (WinAddTaskswitchFunc(NumberedTaskswitch<I>), ...);
}
template <size_t... I>
void AddHooks(std::index_sequence<I...>)
{
    (WinAddWindowProc(NumberedHook<I>), ...);
}

// A stand-in for the script runner: brings the focus back a number of periods after it is armed.
struct FocusReturn {
    bool armed;
    uint32_t atPeriod;
};
FocusReturn s_focusReturn;

void ReturnFocusWhenDue()
{
    if (!s_focusReturn.armed || ClockPeriods() < s_focusReturn.atPeriod) return;
    s_focusReturn.armed = false;
    HostOnFocusChange(true);
}
bool FocusReturnPending() { return s_focusReturn.armed; }
void FocusNeverReturns() { std::_Exit(3); }
constexpr HostDriver kFocusDriver = {ReturnFocusWhenDue, FocusReturnPending, FocusNeverReturns};

bool s_activeDuringBox = true;
int32_t s_nestedBoxAnswer = -1;
void LookInsideTheBox()
{
    s_activeDuringBox = s_activeDuringBox && WinIsAppActive();
    if (s_nestedBoxAnswer == -1) s_nestedBoxAnswer = WinMessageBox("nested\n", HOST_BOX_INFO);
}

void FailInsideTheBox() { FatalError("Error: inner\n"); }
void SayExitRan() { std::fputs("exit function ran\n", stderr); }

// A headless host with the window open and active, under the manual clock.
class WinLib : public testing::Test {
protected:
    void SetUp() override
    {
        s_trace.clear();
        s_hookCalls = 0;
        PollInit();
        TimerInit();
        WinInit("Pelloran", WIN_FLAG_WINDOWED);
    }
    void TearDown() override { WinUninit(); }

private:
    ScopedHeadlessHost m_host;
};

using WinLibDeathTest = WinLib;

}  // namespace

TEST_F(WinLib, IsActiveOnceInitReturnsAndOnlyWhileAllThreeFlagsAreSet)
{
    EXPECT_TRUE(WinIsAppActive());
    HostMsgSend(HOST_MSG_KILL_FOCUS, 0, 0);
    EXPECT_FALSE(WinIsAppActive());
    HostMsgSend(HOST_MSG_SET_FOCUS, 0, 0);
    HostMsgSend(HOST_MSG_ACTIVATE, 0x10000, 0);  // only the low word says activated
    EXPECT_FALSE(WinIsAppActive());
    HostMsgSend(HOST_MSG_ACTIVATE, 1, 0);
    EXPECT_TRUE(WinIsAppActive());
}

TEST_F(WinLib, SecondBroadcastOfTheSameStateCallsNoFunction)
{
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_ACTIVE);
    WinAddTaskswitchFunc(TraceA);
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_IDLE);
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_IDLE);
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_ACTIVE);
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_ACTIVE);
    EXPECT_EQ(s_trace, "A0A1");
    WinRemoveTaskswitchFunc(TraceA);
}

TEST_F(WinLib, RemovingTheFirstOfThreeFunctionsKeepsTheOthersInTheirOrder)
{
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_ACTIVE);
    WinAddTaskswitchFunc(TraceA);
    WinAddTaskswitchFunc(TraceB);
    WinAddTaskswitchFunc(TraceC);
    WinRemoveTaskswitchFunc(TraceA);
    WinAddTaskswitchFunc(TraceA);  // the list is compact: the freed slot is now at the end
    WinCallTaskswitchFuncs(WIN_TASKSWITCH_IDLE);
    EXPECT_EQ(s_trace, "B0C0A0");
    WinRemoveTaskswitchFunc(TraceA);
    WinRemoveTaskswitchFunc(TraceB);
    WinRemoveTaskswitchFunc(TraceC);
}

TEST_F(WinLib, HookThatDoesNotPassOnConsumesTheMessageEvenAnsweringZero)
{
    const uint32_t arrows = HostInjectArrowCursorSets();
    const int32_t consuming = WinAddWindowProc(ConsumingHook);
    HostMsgSend(HOST_MSG_SET_CURSOR, 0, 0);
    EXPECT_EQ(s_hookCalls, 1u);
    EXPECT_EQ(HostInjectArrowCursorSets(), arrows);
    WinRemoveWindowProc(consuming);

    const int32_t passing = WinAddWindowProc(PassingHook);
    HostMsgSend(HOST_MSG_SET_CURSOR, 0, 0);
    EXPECT_EQ(s_hookCalls, 2u);
    EXPECT_EQ(HostInjectArrowCursorSets(), arrows + 1);
    WinRemoveWindowProc(passing);
}

TEST_F(WinLib, NoHookSeesMessagesWhileInactive)
{
    HostMsgSend(HOST_MSG_KILL_FOCUS, 0, 0);
    const int32_t key = WinAddWindowProc(ConsumingHook);
    const uint32_t arrows = HostInjectArrowCursorSets();
    HostMsgSend(HOST_MSG_SET_CURSOR, 0, 0);
    EXPECT_EQ(s_hookCalls, 0u);
    EXPECT_EQ(HostInjectArrowCursorSets(), arrows + 1);
    HostMsgSend(HOST_MSG_SET_FOCUS, 0, 0);
    HostMsgSend(HOST_MSG_SET_CURSOR, 0, 0);
    EXPECT_EQ(s_hookCalls, 1u);
    EXPECT_EQ(HostInjectArrowCursorSets(), arrows + 1);
    WinRemoveWindowProc(key);
}

TEST_F(WinLib, DeactivationParksTheProgramInTheIdleLoopWithTheTickFrozen)
{
    WinAddTaskswitchFunc(TraceA);
    HostSetDriver(&kFocusDriver);
    ClockAdvance(5);
    const uint32_t tick = Tick.load();
    const uint32_t periods = ClockPeriods();
    s_focusReturn = {true, periods + 100};
    HostOnFocusChange(false);

    Poll();
    EXPECT_EQ(s_trace, "A0A1");
    EXPECT_GE(ClockPeriods(), periods + 100);
    EXPECT_EQ(Tick.load(), tick + 1);  // only Poll's own period after the return counts
    EXPECT_TRUE(WinIsAppActive());
    EXPECT_TRUE(WinWasIdle());
    EXPECT_FALSE(WinWasIdle());
    HostSetDriver(nullptr);
    WinRemoveTaskswitchFunc(TraceA);
}

TEST_F(WinLib, HeldMessageBoxMakesTheProgramInactiveAndStopsTheTick)
{
    ClockAddListener(LookInsideTheBox);
    HostInjectHoldMessageBox(30);
    const uint32_t tick = Tick.load();
    testing::internal::CaptureStderr();
    EXPECT_EQ(WinMessageBox("held\n", HOST_BOX_INFO), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "held\n");  // the nested box showed nothing
    ClockRemoveListener(LookInsideTheBox);
    EXPECT_FALSE(s_activeDuringBox);
    EXPECT_EQ(s_nestedBoxAnswer, 0);
    EXPECT_EQ(Tick.load(), tick);
    EXPECT_TRUE(WinIsAppActive());
}

TEST_F(WinLib, ApplicationNameOfSixtyFourCharactersIsAccepted)
{
    WinUninit();
    const std::string name(WIN_MAX_APPNAME, 'p');
    WinInit(name.c_str(), WIN_FLAG_WINDOWED);
    EXPECT_TRUE(WinIsAppActive());
}

TEST_F(WinLibDeathTest, OverfullListsDuplicatesAndLongNamesAreFatal)
{
    EXPECT_FATAL(AddTaskswitchFuncs(std::make_index_sequence<MAX_TASKSWITCH_LIST + 1>()),
                 "Abort error: WinAddTaskswitchFunc(): too many functions added - increase "
                 "MAX_TASKSWITCH_LIST\n(File: winlib  Line: ");
    EXPECT_FATAL(AddHooks(std::make_index_sequence<WIN_MAX_WINDOW_PROCS + 1>()),
                 "Abort error: WinAddWindowProc(): too many window procs registered\n");
    EXPECT_FATAL(
        {
            WinAddTaskswitchFunc(TraceA);
            WinAddTaskswitchFunc(TraceA);
        },
        "Abort error: WinAddTaskswitchFunc(): function already added\n");
    EXPECT_FATAL(WinRemoveTaskswitchFunc(TraceB),
                 "Abort error: WinRemoveTaskswitchFunc(): function not found\n");
    WinUninit();
    const std::string name(WIN_MAX_APPNAME + 1, 'p');
    EXPECT_FATAL(WinInit(name.c_str(), WIN_FLAG_WINDOWED),
                 "Abort error: WinInit(): AppName too long\n(File: winlib  Line: ");
}

TEST_F(WinLibDeathTest, RemovingAHookKeyBeyondTheListIsRefused)
{
    // Only the low 16 bits name the slot: 0x10000 is slot 0, which holds nothing here.
    EXPECT_FATAL(WinRemoveWindowProc(16),
                 "Abort error: WinRemoveWindowProc(): no proc to remove\n");
    EXPECT_FATAL(WinRemoveWindowProc(0xFFFF),
                 "Abort error: WinRemoveWindowProc(): no proc to remove\n");
    EXPECT_FATAL(WinRemoveWindowProc(0x10000),
                 "Abort error: WinRemoveWindowProc(): no proc to remove\n");
}

TEST_F(WinLibDeathTest, ClosingTheWindowRunsTheExitFunctionsOnceAndEndsInThatPoll)
{
    OnExitAddEx(SayExitRan, "SayExitRan()");
    HostInjectPost(HOST_MSG_CLOSE, 0, 0);
    EXPECT_EXIT(Poll(), testing::ExitedWithCode(1), "^exit function ran\n$");
}

TEST_F(WinLibDeathTest, FailedMessageReadIsFatal)
{
    HostInjectPost(HOST_MSG_SET_CURSOR, 0, 0);
    HostInjectFailNext(HOST_CALL_MSG_GET, HOST_E_GENERIC);
    EXPECT_FATAL(Poll(), "Abort error: WinIdleMessageHandler(): GetMessage() failed\n");
}

TEST_F(WinLibDeathTest, FatalErrorWhileABoxIsOpenShowsNoSecondBox)
{
    ClockAddListener(FailInsideTheBox);
    HostInjectHoldMessageBox(1);
    EXPECT_EXIT(WinMessageBox("outer\n", HOST_BOX_INFO), testing::ExitedWithCode(1), "^outer\n$");
}
