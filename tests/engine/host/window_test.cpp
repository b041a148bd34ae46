// tests/engine/host/window_test.cpp: the host's window, message queue, paint rules and box.
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

std::vector<HostMessage> s_seen;  // what the recording procedure was sent or dispatched

intptr_t Recording(HostWindow window, uint32_t kind, uintptr_t wparam, intptr_t lparam)
{
    s_seen.push_back({window, kind, wparam, lparam});
    return HostDefaultWindowProc(window, kind, wparam, lparam);
}

std::vector<uint32_t> Kinds(const std::vector<HostMessage>& messages)
{
    std::vector<uint32_t> kinds;
    for (const HostMessage& m : messages) {
        kinds.push_back(m.kind);
    }
    return kinds;
}

// A headless host with a shown windowed window whose procedure records everything.
class HostWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        s_seen.clear();
        m_window = HostWindowCreate(HostProgramInstance(), "Pelloran", true, Recording);
        ASSERT_NE(m_window, HOST_NO_WINDOW);
        HostWindowShow(m_window);
        s_seen.clear();
    }

    HostMessage Next()
    {
        HostMessage message{};
        m_lastGet = HostMsgGet(&message);
        return message;
    }

    ScopedHeadlessHost m_host;
    HostWindow m_window = HOST_NO_WINDOW;
    int32_t m_lastGet = 0;
};

}  // namespace

TEST_F(HostWindowTest, ShowingSendsTheActivationMessagesBeforeReturning)
{
    HostWindowDestroy(m_window);
    s_seen.clear();
    m_window = HostWindowCreate(HostProgramInstance(), "Pelloran", true, Recording);
    EXPECT_TRUE(s_seen.empty());
    HostWindowShow(m_window);
    EXPECT_EQ(Kinds(s_seen), (std::vector<uint32_t>{HOST_MSG_ACTIVATE_APP, HOST_MSG_ACTIVATE,
                                                    HOST_MSG_SET_FOCUS}));
    EXPECT_EQ(s_seen[0].wparam, 1u);
    EXPECT_EQ(s_seen[1].wparam, 1u);
}

TEST_F(HostWindowTest, OnlyOneWindowExistsAndAnInjectedFailureMakesNone)
{
    EXPECT_EQ(HostWindowCreate(HostProgramInstance(), "Second", true, Recording), HOST_NO_WINDOW);
    HostWindowDestroy(m_window);
    HostInjectFailNext(HOST_CALL_WINDOW_CREATE, HOST_E_GENERIC);
    EXPECT_EQ(HostWindowCreate(HostProgramInstance(), "Pelloran", true, Recording), HOST_NO_WINDOW);
    EXPECT_NE(HostWindowCreate(HostProgramInstance(), "Pelloran", true, Recording), HOST_NO_WINDOW);
}

// A window is made only for the running program: not for none, nor for the instance of an earlier
// start of the host.
TEST_F(HostWindowTest, AWindowIsMadeOnlyForTheRunningProgramsInstance)
{
    HostWindowDestroy(m_window);
    const HostInstance earlier = HostProgramInstance();
    ASSERT_NE(earlier, HOST_NO_INSTANCE);
    HostStop();
    EXPECT_EQ(HostProgramInstance(), HOST_NO_INSTANCE);
    HostStart(HostBackendKind::Headless, false);
    EXPECT_NE(HostProgramInstance(), earlier);
    EXPECT_EQ(HostWindowCreate(HOST_NO_INSTANCE, "Pelloran", true, Recording), HOST_NO_WINDOW);
    EXPECT_EQ(HostWindowCreate(earlier, "Pelloran", true, Recording), HOST_NO_WINDOW);
    m_window = HostWindowCreate(HostProgramInstance(), "Pelloran", true, Recording);
    EXPECT_NE(m_window, HOST_NO_WINDOW);
}

TEST_F(HostWindowTest, DestroyingDeactivatesThenDestroysAndDropsQueuedMessagesButNotQuit)
{
    HostMsgPost(HOST_MSG_KEY_DOWN, 1, HostKeyParam(1, false, false));
    HostPostQuit(1);
    EXPECT_TRUE(HostWindowDestroy(m_window));
    EXPECT_EQ(Kinds(s_seen), (std::vector<uint32_t>{HOST_MSG_KILL_FOCUS, HOST_MSG_ACTIVATE,
                                                    HOST_MSG_ACTIVATE_APP, HOST_MSG_DESTROY}));
    EXPECT_EQ(HostMainWindow(), HOST_NO_WINDOW);
    EXPECT_EQ(Next().kind, HOST_MSG_QUIT);
    EXPECT_EQ(m_lastGet, 0);
    EXPECT_FALSE(HostWindowDestroy(m_window));
}

TEST_F(HostWindowTest, QueuedMessagesComeInOrderThenTheQuitThenThePaint)
{
    HostWindowInvalidate(nullptr, false);
    HostMsgPost(HOST_MSG_KEY_DOWN, 1, 0);
    HostPostQuit(7);
    HostMsgPost(HOST_MSG_KEY_UP, 1, 0);
    EXPECT_EQ(Next().kind, HOST_MSG_KEY_DOWN);
    EXPECT_EQ(Next().kind, HOST_MSG_KEY_UP);
    const HostMessage quit = Next();
    EXPECT_EQ(quit.kind, HOST_MSG_QUIT);
    EXPECT_EQ(quit.wparam, 7u);
    EXPECT_EQ(m_lastGet, 0);
    EXPECT_EQ(Next().kind, HOST_MSG_PAINT);
    EXPECT_EQ(m_lastGet, 1);
}

TEST_F(HostWindowTest, PaintStaysPendingUntilValidatedAndMergesInvalidations)
{
    const HostRect first = {10, 10, 20, 20};
    const HostRect second = {50, 40, 60, 45};
    HostWindowInvalidate(&first, false);
    HostWindowInvalidate(&second, true);
    EXPECT_TRUE(HostMsgPeek());
    EXPECT_EQ(Next().kind, HOST_MSG_PAINT);
    EXPECT_TRUE(HostMsgPeek());  // nobody validated it yet

    s_seen.clear();
    HostRect painted;
    HostBeginPaint(&painted);
    HostEndPaint();
    EXPECT_EQ(Kinds(s_seen), (std::vector<uint32_t>{HOST_MSG_ERASE_BACKGROUND}));
    EXPECT_EQ(painted.left, 10);
    EXPECT_EQ(painted.top, 10);
    EXPECT_EQ(painted.right, 60);
    EXPECT_EQ(painted.bottom, 45);
    EXPECT_FALSE(HostMsgPeek());
}

TEST_F(HostWindowTest, InvalidationsAreClippedToTheClientArea)
{
    const HostRect outside = {700, 10, 800, 20};
    HostWindowInvalidate(&outside, true);
    EXPECT_FALSE(HostMsgPeek());
    const HostRect straddling = {600, 400, 700, 500};
    HostWindowInvalidate(&straddling, false);
    HostRect painted;
    HostBeginPaint(&painted);
    EXPECT_TRUE(s_seen.empty());  // the ignored invalidation asked for no erase
    EXPECT_EQ(painted.right, 640);
    EXPECT_EQ(painted.bottom, 480);
}

TEST_F(HostWindowTest, DefaultProcedureValidatesPaintAndClosesByDestroying)
{
    HostWindowInvalidate(nullptr, false);
    HostMsgDispatch(Next());
    EXPECT_FALSE(HostMsgPeek());
    HostOnCloseRequest();
    HostMsgDispatch(Next());
    EXPECT_EQ(HostMainWindow(), HOST_NO_WINDOW);
}

TEST_F(HostWindowTest, PointerMotionPostsOneSetCursorUntilItIsRead)
{
    HostOnPointerMotion();
    HostOnPointerMotion();
    EXPECT_EQ(Next().kind, HOST_MSG_SET_CURSOR);
    EXPECT_FALSE(HostMsgPeek());
    HostOnPointerMotion();
    EXPECT_EQ(Next().kind, HOST_MSG_SET_CURSOR);
}

TEST_F(HostWindowTest, FocusChangesPostTheirMessagesOnceEach)
{
    HostOnFocusChange(false);
    HostOnFocusChange(false);
    HostOnFocusChange(true);
    HostOnFocusChange(true);
    std::vector<HostMessage> got;
    while (HostMsgPeek()) {
        got.push_back(Next());
    }
    EXPECT_EQ(Kinds(got), (std::vector<uint32_t>{HOST_MSG_KILL_FOCUS, HOST_MSG_ACTIVATE,
                                                 HOST_MSG_ACTIVATE_APP, HOST_MSG_ACTIVATE_APP,
                                                 HOST_MSG_ACTIVATE, HOST_MSG_SET_FOCUS}));
    EXPECT_EQ(got[1].wparam, 0u);
    EXPECT_EQ(got[3].wparam, 1u);
}

TEST_F(HostWindowTest, ClientOriginFollowsTheMovedWindowAndSizeChangesOnlyWhenWindowed)
{
    int32_t x, y, w, h;
    HostWindowClientOrigin(&x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 80);
    HostInjectSetWindowPosition(37, 55);
    HostWindowClientOrigin(&x, &y);
    EXPECT_EQ(x, 37);
    EXPECT_EQ(y, 55);
    HostWindowSetClientSize(320, 200);
    HostWindowClientSize(&w, &h);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 200);

    HostWindowDestroy(m_window);
    HostInjectSetScreenSize(1280, 1024);
    m_window = HostWindowCreate(HostProgramInstance(), "Pelloran", false, Recording);
    HostWindowSetClientSize(320, 200);
    HostWindowClientSize(&w, &h);
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 1024);
    HostWindowClientOrigin(&x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST_F(HostWindowTest, FailedReadAnswersMinusOne)
{
    HostMsgPost(HOST_MSG_CLOSE, 0, 0);
    HostInjectFailNext(HOST_CALL_MSG_GET, HOST_E_GENERIC);
    EXPECT_EQ(Next().kind, HOST_MSG_NONE);
    EXPECT_EQ(m_lastGet, -1);
    EXPECT_EQ(Next().kind, HOST_MSG_CLOSE);
}

TEST_F(HostWindowTest, HeadlessBoxPrintsItsTextAndAHeldBoxLetsThePeriodsPass)
{
    ClockStart([] {});
    HostInjectHoldMessageBox(30);
    testing::internal::CaptureStderr();
    EXPECT_EQ(HostMessageBox("Pelloran", "Something broke\n", HOST_BOX_ERROR), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Something broke\n");
    EXPECT_EQ(ClockPeriods(), 30u);
    HostMessageBox("Pelloran", "again", HOST_BOX_INFO);  // the hold was for one box only
    EXPECT_EQ(ClockPeriods(), 30u);
}

TEST(HostWindowDeathTest, ReadThatNothingCouldEverAnswerIsFatal)
{
    ScopedHeadlessHost host;
    HostWindowCreate(HostProgramInstance(), "Pelloran", true, HostDefaultWindowProc);
    ClockStart([] {});
    EXPECT_FATAL(
        {
            HostMessage message;
            HostMsgGet(&message);
        },
        "HostMsgGet(): waiting for a message that nothing can send\n");
}
