// The match keys on injected key presses, the controllers, the match clock, the ground marks and
// the players' drawing order.
#include "matchscreens/matchkeys.h"

#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/gfx.h"
#include "engine/host/host.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "engine/mouse.h"
#include "engine/winlib.h"
#include "game/matchblocks.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "matchscreens/camera.h"
#include "matchscreens/replay.h"
#include "tests/support/gfx_run.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"
#include "viewservices/hotzone.h"
#include "viewservices/infobar.h"
#include "viewservices/viewscreen.h"

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
    EXPECT_EQ(Camera_ViewType(), 2);
    // Outside the 3D view only F1 and Escape act.
    GetMatchSidesBlock()->viewMode = VIEW_2D;
    Press(MKEY_F7);
    EXPECT_EQ(ViewFlags.panoramic, 1);
}

TEST(MatchKeys, ReplayKeyAndTheReplayBarCursor)
{
    ScopedKeys keys;
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

std::vector<std::string>* g_viewCalls = nullptr;

constexpr MatchViewOps kRecordedSoftwareView = {
    [] { g_viewCalls->push_back("Init"); },
    [] { g_viewCalls->push_back("Destroy"); },
    nullptr,
    nullptr,
    nullptr,
};

// The graphics layer with its mode list, the keyboard and a software 3D view that records its
// set-ups; as ScopedKeys, the 3D view mode.
class ScopedSoftwareView {
public:
    ScopedSoftwareView()
    {
        InitKeyboardInterrupt();
        InitMouseDriver();
        ResetMouseDriver();
        MatchBlocks_Init();
        MatchEngine_Init();
        MatchPresentation_SetDefaults();
        MatchKeys_Init();
        InfoBar_Init();
        ViewScreen_Init();
        g_viewCalls = &m_calls;
        MatchView_Register(VIEWKIND_SOFTWARE_3D, &kRecordedSoftwareView);
        GetMatchSidesBlock()->viewMode = VIEW_3D;
    }
    ~ScopedSoftwareView()
    {
        MatchView_Register(VIEWKIND_SOFTWARE_3D, nullptr);
        g_viewCalls = nullptr;
        ViewScreen_Uninit();
        MatchKeys_Uninit();
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
        UninitMouseDriver();
        if (KeyIsKeyboardInitialised()) ClearKeyboardInterrupt();
    }
    std::vector<std::string>& Calls() { return m_calls; }

private:
    ScopedGraphics m_graphics;
    std::vector<std::string> m_calls;
};

std::string ModeSize(int32_t index)
{
    int32_t count = 0;
    const DDrawMode& mode = GfxModeList(&count)[index];
    return std::to_string(mode.width) + " x " + std::to_string(mode.height);
}

TEST(MatchKeys, ResolutionKeysStepTheModeAndRestartTheView)
{
    ScopedSoftwareView view;
    SoftwareResolution = 0;
    StepSoftwareResolution(1);
    const int32_t first = SoftwareResolution;
    StepSoftwareResolution(1);
    const int32_t second = SoftwareResolution;
    ASSERT_NE(first, second);
    SoftwareResolution = static_cast<int16_t>(first);
    Press(MKEY_F4);
    EXPECT_EQ(SoftwareResolution, second);
    EXPECT_EQ(view.Calls(), (std::vector<std::string>{"Destroy", "Init"}));
    EXPECT_EQ(InfoBar_GetType(), INFOBAR_SCREEN_SIZE);
    EXPECT_STREQ(InfoBar_GetText(), ModeSize(second).c_str());
    Press(MKEY_F3);
    EXPECT_EQ(SoftwareResolution, first);
    EXPECT_EQ(view.Calls().size(), 4u);
    EXPECT_STREQ(InfoBar_GetText(), ModeSize(first).c_str());
}

TEST(MatchKeys, VirtualPointerFollowsTheMouseInsideTheScreen)
{
    ScopedSoftwareView view;
    VirtualPointer_Set(100, 100, 0);
    HostOnMouseMotion(30, -20);
    HostOnMouseButton(HOST_BUTTON_LEFT, true);
    PresentNow();
    VirtualPointer_Update(640, 480);
    VirtualPointerRecord pointer = VirtualPointer_Get();
    EXPECT_EQ(pointer.x, 130);
    EXPECT_EQ(pointer.y, 80);
    EXPECT_EQ(pointer.buttons & MOUSE_PRIMARY, MOUSE_PRIMARY);
    // The pointer's 12 pixels stay on the screen, whichever way the mouse runs off.
    HostOnMouseMotion(2000, 2000);
    HostOnMouseButton(HOST_BUTTON_LEFT, false);
    PresentNow();
    VirtualPointer_Update(640, 480);
    pointer = VirtualPointer_Get();
    EXPECT_EQ(pointer.x, 640 - 12);
    EXPECT_EQ(pointer.y, 480 - 12);
    EXPECT_EQ(pointer.buttons, 0);
    HostOnMouseMotion(-5000, -5000);
    PresentNow();
    VirtualPointer_Update(640, 480);
    pointer = VirtualPointer_Get();
    EXPECT_EQ(pointer.x, 0);
    EXPECT_EQ(pointer.y, 0);
}

TEST(GroundMarksDeathTest, MarkOutsideTheRingIsFatal)
{
    EXPECT_FATAL(GetGroundMark(16), "GetGroundMark(): bad mark 16");
}

}  // namespace
