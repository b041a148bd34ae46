// The in-match pause and display options screens, drawn on the menu display and answered through
// their own hot regions: what acts in which view mode, the sliders' scale and the hover rule.
#include "matchscreens/ingamepause.h"

#include <gtest/gtest.h>

#include "engine/options.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "matchscreens/camera.h"
#include "matchscreens/matchkeys.h"
#include "menus/vtmenu.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "viewservices/infobar.h"

namespace {

class InGamePauseTest : public testing::Test {
protected:
    void SetUp() override
    {
        MatchBlocks_Init();
        MatchEngine_Init();
        MatchKeys_Init();
        InfoBar_Init();
        MatchDayBuilder().Write();
        InGameMenus_Init();
        Options = OPTIONS_DEFAULTS;
    }
    void TearDown() override
    {
        InGameMenus_Uninit();
        InfoBar_Uninit();
        MatchKeys_Uninit();
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
    }

    ScopedMenuDisplay m_display;
};

constexpr int32_t kGoals[2] = {250, 130}, kAttempts[2] = {380, 130};
constexpr int32_t kVideo[2] = {190, 370}, kDisplay[2] = {440, 370};

}  // namespace

TEST_F(InGamePauseTest, HighlightAndOptionItemsActOnlyInThe3DView)
{
    for (const uint16_t mode : {VIEW_TEXT, VIEW_2D}) {
        GetMatchSidesBlock()->viewMode = mode;
        InGameMenuId = IGM_PAUSE;
        InGameScreen_Open(InGamePause_Screen(IGM_PAUSE));
        for (const int32_t* at : {kGoals, kAttempts, kVideo, kDisplay})
            EXPECT_EQ(SendVTEventAt(at[0], at[1], VT_EVENT_PRESS), VT_CONTINUE) << mode;
        EXPECT_EQ(MatchShared.highlightOption[0], 0);
        EXPECT_EQ(MatchShared.highlightOption[1], 0);
        EXPECT_EQ(InGameMenuId, IGM_PAUSE);
        InGameScreen_Close();
    }
    GetMatchSidesBlock()->viewMode = VIEW_3D;
    InGameScreen_Open(InGamePause_Screen(IGM_PAUSE));
    EXPECT_EQ(SendVTEventAt(kGoals[0], kGoals[1], VT_EVENT_PRESS), VT_BREAK_0);
    EXPECT_EQ(SendVTEventAt(kAttempts[0], kAttempts[1], VT_EVENT_PRESS), VT_BREAK_0);
    EXPECT_EQ(SendVTEventAt(kGoals[0], kGoals[1], VT_EVENT_PRESS), VT_BREAK_0);
    EXPECT_EQ(MatchShared.highlightOption[0], 0);
    EXPECT_EQ(MatchShared.highlightOption[1], 1);
    EXPECT_EQ(SendVTEventAt(kDisplay[0], kDisplay[1], VT_EVENT_PRESS), VT_BREAK_1);
    EXPECT_EQ(InGameMenuId, IGM_DISPLAY);
    InGameScreen_Close();
}

TEST_F(InGamePauseTest, ChoosingAViewClosesTheMenusEvenForTheCurrentOne)
{
    GetMatchSidesBlock()->viewMode = VIEW_2D;
    InGameScreen_Open(InGamePause_Screen(IGM_PAUSE));
    EXPECT_EQ(SendVTEventAt(320, 250, VT_EVENT_PRESS), VT_BREAK_1);  // "Panoramique"
    EXPECT_EQ(GetMatchSidesBlock()->viewMode, VIEW_2D);
    EXPECT_EQ(InGameMenuId, IGM_CLOSED);
    InGameMenuId = IGM_PAUSE;
    EXPECT_EQ(SendVTEventAt(440, 250, VT_EVENT_PRESS), VT_BREAK_1);  // "Regarder"
    EXPECT_EQ(GetMatchSidesBlock()->viewMode, VIEW_3D);
    EXPECT_EQ(InGameMenuId, IGM_CLOSED);
    InGameScreen_Close();
}

TEST_F(InGamePauseTest, SlidersSpanZeroToTenAndKeepTheirKnobInside)
{
    EXPECT_EQ(InGamePause_SliderValue(0, 176), 0);
    EXPECT_EQ(InGamePause_SliderValue(175, 176), 10);
    EXPECT_EQ(InGamePause_SliderValue(16, 176), 1);
    for (int32_t value = 0; value <= IGP_VOLUME_MAX; ++value)
        EXPECT_LE(InGamePause_KnobX(260, 176, value), 260 + 176 - 16) << value;
    EXPECT_EQ(InGamePause_KnobX(260, 176, 0), 260);

    InGameScreen_Open(InGamePause_Screen(IGM_DISPLAY));
    EXPECT_EQ(SendVTEventAt(260, 295, VT_EVENT_PRESS), VT_BREAK_0);
    EXPECT_EQ(int32_t{Options.crowdVolume}, 0);
    EXPECT_EQ(SendVTEventAt(435, 295, VT_EVENT_PRESS), VT_BREAK_0);
    EXPECT_EQ(int32_t{Options.crowdVolume}, 10);
    InGameScreen_Close();
}

TEST_F(InGamePauseTest, ValuesCycleAndTheDetailIsAnnouncedOnTheInfoBar)
{
    InitCameras();
    const int32_t camera = Camera_ViewType();
    InGameScreen_Open(InGamePause_Screen(IGM_DISPLAY));
    for (int32_t press = 1; press <= 4; ++press) {
        EXPECT_EQ(SendVTEventAt(360, 120, VT_EVENT_PRESS), VT_BREAK_0);
        EXPECT_EQ(Camera_ViewType(), (camera + press) % 4);
        EXPECT_EQ(int32_t{Options.cameraViewType}, Camera_ViewType());  // kept for the next run
    }
    const int32_t detail = ViewFlags.modelDetail;
    SendVTEventAt(360, 160, VT_EVENT_PRESS);
    EXPECT_EQ(ViewFlags.modelDetail, (detail + 1) % 3);
    EXPECT_EQ(int32_t{Options.modelDetail}, ViewFlags.modelDetail);  // kept for the next run
    EXPECT_EQ(InfoBarInfo.type, INFOBAR_MODEL_DETAIL);
    EXPECT_EQ(SendVTEventAt(500, 460, VT_EVENT_PRESS), VT_BREAK_1);  // "Terminer"
    InGameScreen_Close();
}

TEST_F(InGamePauseTest, ARowIsHighlightedOnlyUntilTheNextDrawing)
{
    InGameScreen_Open(InGamePause_Screen(IGM_DISPLAY));
    EXPECT_EQ(SendVTEventAt(360, 190, VT_EVENT_ENTER), VT_BREAK_0);
    EXPECT_TRUE(InGamePause_RowHighlighted(2));
    VT_MenuRedraw();
    InGamePause_Screen(IGM_DISPLAY).afterDraw();
    EXPECT_FALSE(InGamePause_RowHighlighted(2));
    EXPECT_EQ(SendVTEventAt(360, 190, VT_EVENT_LEAVE), VT_BREAK_0);
    InGameScreen_Close();
}

// Every label of the pause screen inside its button ("Tentatives de but" ran out of its 120
// pixels); the frame is looked at once, then guarded by its golden.
TEST_F(InGamePauseTest, ThePauseScreenMatchesItsGolden)
{
    InGameScreen_Open(InGamePause_Screen(IGM_PAUSE));
    WriteFrameToTestOutput("in_match_pause.png");
    ExpectGoldenHash("menus/in_match_pause", WorkScreenHash());
    InGameScreen_Close();
}
