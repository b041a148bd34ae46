// tests/gamecode/harness/view2d_scene.cpp: the 2D match view built on the headless host.
#include "tests/gamecode/harness/view2d_scene.h"

#include <optional>

#include "engine/timer.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/view2d.h"
#include "menus/machine.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/news_message.h"
#include "viewservices/popup.h"
#include "viewservices/timedevents.h"
#include "vx256/objects.h"

namespace {

std::optional<ScopedNewsMessage> s_news;  // the scripted moment's, until the view goes

// Row (across, 0-14) and column (along, 0-17) of slots 0-10: a 4-4-2.
constexpr int32_t kShape[MATCH_STARTERS][2] = {{7, 0}, {2, 4}, {5, 3},  {9, 3},  {12, 4}, {2, 9},
                                               {5, 8}, {9, 8}, {12, 9}, {5, 14}, {9, 14}};

}  // namespace

void View2DScene_CellPoint(int32_t side, int32_t row, int32_t column, int32_t* x, int32_t* y)
{
    // Half a cell in from each edge: column 0 stands on the side's own goal line.
    const int32_t across = PITCH_LEFT_TOUCHLINE_X + (2 * row + 1) * PITCH_WIDTH / 30;
    const int32_t along = PITCH_NEAR_GOAL_LINE_Y + column * PITCH_LENGTH / 36;
    *x = side == 0 ? across : PITCH_LEFT_TOUCHLINE_X + PITCH_RIGHT_TOUCHLINE_X - across;
    *y = side == 0 ? along : PITCH_NEAR_GOAL_LINE_Y + PITCH_FAR_GOAL_LINE_Y - along;
}

void View2DScene_Pose(int32_t object, float x, float y, int16_t animation)
{
    RenderList[object] = {x, 0.0f, y, animation, 0, 0, 0};
}

ScopedView2D::ScopedView2D()
{
    ShutdownMenuGraphics();
    MatchBlocks_Init();
    MatchEngine_Init();
    MatchPresentation_SetDefaults();
    MatchKeys_Init();
    TimedEvents_Init();
    View2D_ResetRunState();
    View2D_Register();
    PopUp_Clear();
    MatchDayBuilder builder;
    builder.viewMode = VIEW_2D;
    builder.Write();
    SetPitchConstants();
    for (int32_t object = 0; object < MATCH_OBJECT_COUNT; ++object)
        View2DScene_Pose(object, 0, 0, -1);
    SeatEveryPersonInHisPlace();
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t slot = 0; slot < MATCH_STARTERS; ++slot) {
            const int32_t person = side * MATCH_PERSONS_PER_SIDE + slot;
            TeamShape[side].slots[slot].row = static_cast<int16_t>(kShape[slot][0]);
            TeamShape[side].slots[slot].column = static_cast<int16_t>(kShape[slot][1]);
            int32_t x = 0, y = 0;
            View2DScene_CellPoint(side, kShape[slot][0], kShape[slot][1], &x, &y);
            Person_PlaceAt(person, x, y);
            View2DScene_Pose(person, static_cast<float>(x), static_cast<float>(y),
                             static_cast<int16_t>(slot));
        }
    }
    View2DScene_Pose(32, PITCH_CENTRE_X + 200, PITCH_CENTRE_Y + 100);
    View2DScene_Pose(33, PITCH_LEFT_TOUCHLINE_X - 10, PITCH_CENTRE_Y);
    View2DScene_Pose(34, PITCH_RIGHT_TOUCHLINE_X + 10, PITCH_CENTRE_Y);
    // In the air, clear of its shadow.
    View2DScene_Pose(OBJECT_BALL, PITCH_CENTRE_X, PITCH_CENTRE_Y);
    RenderList[OBJECT_BALL].height = 60.0f;
    Match.periodLength = 15000;
    View2D_Init();
}

ScopedView2D::~ScopedView2D()
{
    View2D_Destroy();
    MatchView_Register(VIEWKIND_2D, nullptr);
    SoftObjectDrawers = {};
    View2D_ResetRunState();
    s_news.reset();
    TimedEvents_Uninit();
    MatchKeys_Uninit();
    MatchEngine_Uninit();
    MatchBlocks_Uninit();
}

void View2DScene_Script()
{
    MatchDayBlock& block = *GetMatchSidesBlock();
    block.secondLeg = 1;
    block.sides[0].firstLegGoals = 1;
    block.sides[1].firstLegGoals = 3;
    Match.score[0] = 2;
    Match.score[1] = 1;
    Match.period = 1;
    Match.periodTicks = 7500;
    ActivePlayer[0] = 9;
    ActivePlayer[1] = 20;
    Ball.lastToucher = 20;
    MatchDataBlock& data = *GetMatchDataBlock();
    for (int32_t a = 3; a < 8; ++a) {
        data.heatMaps[9][a][12] = 1;
        data.heatMaps[20][a + 5][4] = 1;
    }
    FollowedPlayers[0] = 9;
    FollowedPlayers[1] = 20;
    Speed2DIndex = VIEW2D_FASTEST_OFFERED;
    s_news.emplace(static_cast<int>(Tick.load() + TIMEDEVENT_SHOW_TICKS));
    const RenderObject& o = RenderList[20];
    int32_t x = 0, y = 0;
    View2D_Project(o.x, o.y, o.height, &x, &y);
    View2D_Input(x + 3, y + 3, false);
}
