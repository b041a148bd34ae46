// The match keys on injected key presses, the controllers, the match clock, the ground marks and
// the players' drawing order.
#include "generic/matchkeys.h"

#include <numbers>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "engine/winlib.h"
#include "game/matchblocks.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "generic/hotzone.h"
#include "generic/infobar.h"
#include "generic/replay.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

// The keyboard on the headless host, the engine's words, the recorder and the 3D view mode
// with only the away side human.
class ScopedKeys {
public:
    ScopedKeys()
    {
        MemoryInit();
        WinInit("Pelloran", WIN_FLAG_WINDOWED);
        InitKeyboardInterrupt();
        MatchBlocks_Init();
        MatchEngine_Init();
        MatchKeys_Init();
        InfoBar_Init();
        HotZone_Reset();
        Replay_Init();
        Replay_AllocBuffer();
        Match.periodLength = 15000;
        MatchDayBlock* block = GetMatchSidesBlock();
        block->viewMode = VIEW_3D;
        block->sides[0].human = 0;
        block->sides[1].human = 1;
    }
    ~ScopedKeys()
    {
        Replay_Uninit();
        MatchKeys_Uninit();
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
        if (KeyIsKeyboardInitialised()) ClearKeyboardInterrupt();
        WinUninit();
        MemoryUninit();
    }

private:
    ScopedHeadlessHost m_host;
};

void Send(uint32_t code, bool down)
{
    HostOnKey(code, down, false);
    while (HostMsgPeek()) {
        HostMessage message{};
        HostMsgGet(&message);
        HostMsgDispatch(message);
    }
}

// A press and release, then one frame of the match keys.
void Press(uint32_t code)
{
    Send(code, true);
    Send(code, false);
    MatchKeys();
}

TEST(MatchKeys, FunctionKeysAskForMenusAndEscapeEndsAReplay)
{
    ScopedKeys keys;
    Press(MKEY_F1);
    EXPECT_EQ(MatchShared.menuRequest, 5);
    Press(MKEY_ESCAPE);
    EXPECT_EQ(MatchShared.menuRequest, 1);
    MatchShared.menuRequest = 0;
    MatchShared.replayPlaying = 1;
    Press(MKEY_ESCAPE);
    EXPECT_EQ(MatchShared.menuRequest, 0);
    EXPECT_EQ(MatchShared.replayEndRequest, 1);
}

TEST(MatchKeys, ViewKeysToggleTheirFlagsWithTheInfoBar)
{
    ScopedKeys keys;
    Press(MKEY_F11);
    EXPECT_EQ(SubstitutionRequest[0], 0);
    EXPECT_EQ(SubstitutionRequest[1], 1);
    Press(MKEY_F12);
    EXPECT_EQ(SubstitutionRequest[1], 0);
    Press(MKEY_F5);
    EXPECT_EQ(ViewFlags.quickPreview, 1);
    EXPECT_EQ(InfoBar_GetType(), INFOBAR_QUICK_PREVIEW);
    Press(MKEY_F6);
    EXPECT_EQ(ViewFlags.showNames, 0);
    EXPECT_EQ(InfoBar_GetType(), INFOBAR_NAMES);
    Press(MKEY_F7);
    EXPECT_EQ(ViewFlags.panoramic, 1);
    EXPECT_EQ(InfoBar_GetType(), INFOBAR_PANORAMIC);
    const int32_t start = ViewFlags.modelDetail;
    for (int32_t press = 0; press < 3; ++press) {
        InfoBar_Reset();
        Press(MKEY_F8);
        EXPECT_EQ(InfoBar_GetType(), INFOBAR_MODEL_DETAIL);
        EXPECT_GT(InfoBarInfo.framesLeft, 0);
    }
    EXPECT_EQ(ViewFlags.modelDetail, start);
    Press(MKEY_DIGIT1 + 2);
    EXPECT_EQ(ChosenCamera, 2);
    // Outside the 3D view only F1 and Escape act.
    GetMatchSidesBlock()->viewMode = VIEW_2D;
    Press(MKEY_F7);
    EXPECT_EQ(ViewFlags.panoramic, 1);
}

TEST(MatchKeys, ReplayKeyAndTheReplayBarCursor)
{
    ScopedKeys keys;
    Press(MKEY_F2);  // nothing recorded yet: ignored
    EXPECT_EQ(MatchShared.replayStartRequest, 0);
    Replay_RecordFrame();
    ViewFlags.quickPreview = 1;
    Press(MKEY_F2);
    EXPECT_EQ(MatchShared.replayStartRequest, 1);
    EXPECT_EQ(ReplayState, REPLAYKIND_INSTANT);
    EXPECT_EQ(ViewFlags.quickPreview, 0);
    MatchShared.replayPlaying = 1;
    for (int32_t i = 0; i < 10; ++i)
        HotZone_Set(HOTZONE_REPLAY_FIRST + i, 100 + 42 * i, 400, 42, 52);
    for (int32_t i = 0; i < 3; ++i)
        Press(MKEY_LEFT);
    EXPECT_EQ(ReplayBarCursor, REPLAYBAR_CURSOR_FIRST);
    for (int32_t i = 0; i < 10; ++i)
        Press(MKEY_RIGHT);
    EXPECT_EQ(ReplayBarCursor, REPLAYBAR_CURSOR_LAST);
    Press(MKEY_LEFT);
    EXPECT_EQ(ReplayBarCursor, 18);
    Press(MKEY_ENTER);
    const VirtualPointerRecord pointer = VirtualPointer_Get();
    EXPECT_EQ(pointer.buttons & 1, 1);
    ReplayBar_Input(pointer.x, pointer.y, pointer.buttons != 0);
    EXPECT_EQ(ReplayMode, 18 - HOTZONE_REPLAY_FIRST);
    Press(MKEY_F2);
    EXPECT_EQ(MatchShared.replayEndRequest, 1);
}

TEST(MatchKeys, KeyboardMapGivesDirectionsAndNoControllerGivesNone)
{
    ScopedKeys keys;
    MatchKeys_ReadControllers(0);
    EXPECT_EQ(Controllers[0].direction, CONTROL_NO_DIRECTION);
    Controllers[0].setting = 0x200;
    Send(203, true);  // left
    Send(200, true);  // up
    MatchKeys_ReadControllers(0);
    EXPECT_EQ(Controllers[0].previousDirection, 7);
    EXPECT_EQ(Controllers[0].direction, (7 + 10) % 8);  // turned by the view rotation 0
    Send(203, false);
    Send(200, false);
    MatchKeys_ReadControllers(0);
    EXPECT_EQ(Controllers[0].direction, CONTROL_NO_DIRECTION);
}

TEST(MatchClock, SecondsFollowThePeriodsMinutes)
{
    ScopedKeys keys;
    Match.period = 1;
    Match.periodLength = 15000;
    Match.periodTicks = 7500;
    EXPECT_EQ(GetMatchClockSeconds(), 4050u);
    Match.period = 0;
    Match.periodTicks = 15000;
    EXPECT_EQ(GetMatchClockSeconds(), 2700u);
    Match.period = MATCH_PERIOD_SHOOT_OUT;
    EXPECT_EQ(GetMatchClockSeconds(), 0u);
}

TEST(GroundMarks, SeventeenthMarkOverwritesTheFirst)
{
    ScopedKeys keys;
    for (int32_t i = 0; i < 17; ++i)
        AddGroundMark(i, 2 * i, 1.2, 64.0, static_cast<uint8_t>(i % 6));
    EXPECT_EQ(GetGroundMark(0).x, 16);
    EXPECT_EQ(GetGroundMark(1).x, 1);
    EXPECT_EQ(GetGroundMark(15).inUse, 1);
    EXPECT_NEAR(GetGroundMark(0).angle, std::numbers::pi / 2, 1e-6);
    ClearGroundMarks();
    EXPECT_EQ(GetGroundMark(0).inUse, 0);
}

TEST(MatchKeys, PlayersAreOrderedFarthestFromTheFocusFirst)
{
    ScopedKeys keys;
    Match.followedObject = MATCH_BALL;
    RenderList[MATCH_BALL] = {500.0f, 0.0f, 500.0f, 0, 0, 0, 0};
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p)
        RenderList[p] = {500.0f + (p * 37) % 32 * 10.5f, 0.0f, 500.0f, 0, 0, 0, 0};
    int32_t order[MATCH_PLAYER_COUNT];
    SortPlayersByDistance(order);
    for (int32_t i = 1; i < MATCH_PLAYER_COUNT; ++i) {
        const float before = RenderList[order[i - 1]].x, after = RenderList[order[i]].x;
        EXPECT_GE(before, after) << i;
    }
    EXPECT_EQ(RenderList[order[MATCH_PLAYER_COUNT - 1]].x, 500.0f);
}

TEST(GroundMarksDeathTest, MarkOutsideTheRingIsFatal)
{
    EXPECT_FATAL(GetGroundMark(16), "GetGroundMark(): bad mark 16");
}

}  // namespace
