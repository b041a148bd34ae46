// tests/gamecode/highballs_test.cpp: the seven strikes and controls of a ball met in the air, one
// row per member and height, the ball held still at the player's feet so that the contact
// frame, the reach and the height bounds decide; then the keeper's hold and the double speed
// after the contact. Side 0 attacks the goal at y 122, far off at y 1000.
#include "gamecode/highballs.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/headers.h"
#include "gamecode/kickbook.h"
#include "gamecode/pitch.h"
#include "gamecode/shotchoice.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kStriker = 5;
constexpr int32_t kX = PITCH_CENTRE_X;
constexpr int32_t kY = 1000;

class HighBalls : public testing::Test {
protected:
    // He faces `facing` in `action`, the ball still at his feet at `height`; the shot aim lies
    // along a facing of 64.
    void Start(int16_t action, int32_t facing, int32_t height)
    {
        PlaceUnderStillBall(kStriker, action, kX, kY, facing, height);
        ShotTarget[0] = static_cast<int16_t>(kX + 1000);
        ShotTarget[1] = static_cast<int16_t>(kY);
        Match.lastKickKind = KICK_KIND_LOFTED;
        KickBook_ClearShotRecords();
        match.Record() = {};
    }
    // Runs the action out: the drawn frame of the contact (-1 none), the ticks it lasted and the
    // highest lift of his body.
    struct Run {
        int32_t contactFrame = -1;
        int32_t ticks = 0;
        int32_t highest = 0;
    };
    Run RunOut(int16_t action)
    {
        Run run;
        MatchPerson& p = MatchPersons[kStriker];
        for (; run.ticks < 400 && p.action == action; ++run.ticks) {
            const uint8_t before = p.kicked;
            RunPersonAction(kStriker);
            run.highest = std::max<int32_t>(run.highest, p.height);
            if (before == 0 && p.kicked != 0) run.contactFrame = p.drawnFrame;
        }
        return run;
    }
    ScopedMatch match;
};

TEST_F(HighBalls, EachMemberMeetsTheBallByItsRow)
{
    struct Case {
        const char* what;
        int16_t action;
        int32_t facing, height;
        ScriptedDraw draw;     // the control's draw
        int32_t contactFrame;  // -1: no contact
        int32_t peak;
        int32_t velX, velY, velZ;
        int32_t group;
        int16_t shots;
        int16_t kind;
        uint16_t good, poor;
    } const cases[] = {
        // clang-format off
        // 46 turns to the goal (facing 0): 4.5 along it with V4.
        {"46 at 12", ACT_JUMP_STRIKE_TO_TARGET, 0, 12, {1, 0, 0}, 38, 4, 0, -294912, -16384, 247, 1,
         KICK_KIND_SHOT, 0, 0},
        {"46: a ball at 8 is too low", ACT_JUMP_STRIKE_TO_TARGET, 0, 8, {1, 0, 0}, -1, 4, 0, 0, 0, -1,
         0, KICK_KIND_LOFTED, 0, 0},
        {"47 at 12: 8.0 with V1", ACT_JUMP_STRIKE_AT_GOAL, 64, 12, {1, 0, 0}, 54, 4, 524288, 0, -65536,
         249, 1, KICK_KIND_SHOT, 0, 0},
        {"48 at 19: 4.5 with V3", ACT_HIGH_STRIKE_AT_GOAL, 64, 19, {1, 0, 0}, 47, 4, 294912, 0, -65536,
         250, 1, KICK_KIND_SHOT, 0, 0},
        {"48: a ball at 20 is out of reach", ACT_HIGH_STRIKE_AT_GOAL, 64, 20, {1, 0, 0}, -1, 4, 0, 0, 0,
         -1, 0, KICK_KIND_LOFTED, 0, 0},
        {"49 controls a ball at 2 softly", ACT_CONTROL_HIGH_BALL, 64, 2, {100, 0, 49}, 1, 0, 65536, 0,
         -65536, 251, 0, KICK_KIND_OTHER, 1, 0},
        {"49 controls a ball at 15 poorly", ACT_CONTROL_HIGH_BALL, 64, 15, {100, 50, 99}, 1, 0, 196608,
         0, 49152, 251, 0, KICK_KIND_OTHER, 0, 1},
        {"49: a ball at 16 is too high", ACT_CONTROL_HIGH_BALL, 64, 16, {1, 0, 0}, -1, 0, 0, 0, 0, -1,
         0, KICK_KIND_LOFTED, 0, 0},
        // 50 keeps his facing far from goal and strikes over his head: toward smaller x.
        {"50 at 12: 10.5 backwards", ACT_OVERHEAD_KICK, 64, 12, {1, 0, 0}, 54, 4, -688128, 0, -147456,
         253, 1, KICK_KIND_SHOT, 0, 0},
        {"51 at 4: 7.5 with V0", ACT_VOLLEY_TO_TARGET, 0, 4, {1, 0, 0}, 11, 0, 0, -491520, 0, 254, 0,
         KICK_KIND_OTHER, 0, 0},
        {"51: a ball at 3 is too low", ACT_VOLLEY_TO_TARGET, 0, 3, {1, 0, 0}, -1, 0, 0, 0, 0, -1, 0,
         KICK_KIND_LOFTED, 0, 0},
        {"51: a ball at 12 is too high", ACT_VOLLEY_TO_TARGET, 0, 12, {1, 0, 0}, -1, 0, 0, 0, 0, -1, 0,
         KICK_KIND_LOFTED, 0, 0},
        {"79 at 9 softly", ACT_CONTROL_JUMPING, 64, 9, {100, 0, 49}, 1, 4, 65536, 0, 16384, 246, 0,
         KICK_KIND_OTHER, 1, 0},
        {"79 at 9 poorly", ACT_CONTROL_JUMPING, 64, 9, {100, 50, 99}, 1, 4, 196608, 0, 16384, 246, 0,
         KICK_KIND_OTHER, 0, 1},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(c.action, c.facing, c.height);
        ScriptDraws({c.draw});
        const Run run = RunOut(c.action);
        const MatchPerson& p = MatchPersons[kStriker];
        EXPECT_EQ(p.action, ACT_STAND);
        EXPECT_EQ(run.highest, c.peak);
        EXPECT_EQ(p.height, 0);
        const bool contact = c.contactFrame >= 0;
        EXPECT_EQ(run.contactFrame >= 0, contact) << run.contactFrame;
        if (contact) {
            EXPECT_GE(run.contactFrame, c.contactFrame);
            EXPECT_LE(run.contactFrame, c.contactFrame + 1);
        }
        EXPECT_EQ(Ball.velX, c.velX);
        EXPECT_EQ(Ball.velY, c.velY);
        EXPECT_EQ(Ball.velZ, c.velZ);
        const auto& groups = match.Record().commentaryGroups;
        EXPECT_EQ(std::count(groups.begin(), groups.end(), c.group), contact ? 1 : 0);
        EXPECT_EQ(p.stats.shots, c.shots);
        EXPECT_EQ(Match.lastKickKind, c.kind);
        EXPECT_EQ(p.stats.goodControls, c.good);
        EXPECT_EQ(p.stats.poorControls, c.poor);
        const bool control = c.action == ACT_CONTROL_HIGH_BALL;
        const auto& sounds = match.Record().sounds;
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 5), contact && !control ? 1 : 0);
        const bool header = c.action == ACT_JUMP_STRIKE_TO_TARGET
                            || c.action == ACT_JUMP_STRIKE_AT_GOAL
                            || c.action == ACT_HIGH_STRIKE_AT_GOAL;
        EXPECT_EQ(Match.thirdShotRecord, contact && header ? 1 : 0);
        // 46 heads the ball in the half side 0 attacks (y below halfway).
        EXPECT_EQ(p.stats.headersAttackingHalf, contact && c.action == ACT_JUMP_STRIKE_TO_TARGET);
        EXPECT_EQ(p.stats.headersDefendingHalf, 0);
    }
}

// A ball a keeper holds is never struck: the animation runs out at its own pace once the run-up's
// fast frames are spent (the ball's meeting tick starts their count), while a contact doubles it.
TEST_F(HighBalls, AHeldBallIsNeverStruckAndTheContactDoublesThePace)
{
    for (const int16_t action :
         {ACT_JUMP_STRIKE_AT_GOAL, ACT_OVERHEAD_KICK, ACT_VOLLEY_TO_TARGET}) {
        SCOPED_TRACE(action);
        Start(action, 64, action == ACT_VOLLEY_TO_TARGET ? 6 : 12);
        const int16_t spent = action == ACT_VOLLEY_TO_TARGET ? 21 : 54;
        MatchPersons[kStriker].passKind = spent;
        Ball.holder = 1;
        const Run held = RunOut(action);
        EXPECT_EQ(held.contactFrame, -1);
        EXPECT_EQ(Ball.velX, 0);
        Start(action, 64, action == ACT_VOLLEY_TO_TARGET ? 6 : 12);
        MatchPersons[kStriker].passKind = spent;
        const Run struck = RunOut(action);
        EXPECT_GE(struck.contactFrame, 0);
        EXPECT_LT(struck.ticks, held.ticks);
    }
}

// The overhead kick turns to his aim only within 400 of goal: there he turns his back to it.
TEST_F(HighBalls, TheOverheadKickTurnsItsBackToGoalOnlyNearIt)
{
    Start(ACT_OVERHEAD_KICK, 64, 12);
    Person_PlaceAt(kStriker, kX, 400);
    Person_PlaceAt(MATCH_BALL, kX, 400);
    MatchPersons[kStriker].receivePoint[1] = 400;
    RunOut(ACT_OVERHEAD_KICK);
    EXPECT_EQ(Ball.velX, 0);
    EXPECT_EQ(Ball.velY, -688128);  // over his head toward the goal at y 122
}

}  // namespace
