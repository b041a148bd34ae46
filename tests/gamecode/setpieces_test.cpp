// tests/gamecode/setpieces_test.cpp: the direct free kick's taker, the penalty taker's walk and
// run-up and the players of a shoot-out on placed scenes, and the set pieces a scripted foul
// starts, played through to the kick.
#include "gamecode/setpieces.h"

#include <cstdlib>
#include <vector>

#include "gamecode/actions.h"
#include "gamecode/keeper.h"
#include "gamecode/phases.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kTaker = 9;  // side 0, which attacks y 122

// A bare scene: the taker on RestartSpot (796, 500) in the phase given, his action set, the ball
// elsewhere and moving; side 1's keeper (16) on his line at y 130.
class SetPiece : public testing::Test {
protected:
    void SetUp() override
    {
        SetBareScene();
        PlaceBallAlone(810, 520);
        Ball.velY = 65536;
        Ball.height = 12;
        RestartSpot[0] = 796;
        RestartSpot[1] = 500;
        Match.restartWaits = 10;  // past the spreading of the targets
        Match.period = 0;
        match.Record().commentaryGroups.clear();
    }
    static MatchPerson& OnPitch(int32_t person, int32_t x, int32_t y, int16_t action)
    {
        MatchPerson& p = MatchPersons[person];
        p.offPitch = 0;
        Person_PlaceAt(person, x, y);
        Person_SetAction(person, action);
        p.targetX = static_cast<int16_t>(x);
        p.targetY = static_cast<int16_t>(y);
        return p;
    }
    static MatchPerson& Taker(int16_t action, int16_t phase)
    {
        MatchPhase = phase;
        return OnPitch(kTaker, RestartSpot[0], RestartSpot[1], action);
    }
    ScopedMatch match;
};

TEST_F(SetPiece, TheFreeKickTakerClearsTheBallWaitsForHisWallAndThenShoots)
{
    constexpr int32_t kOther = 20;
    struct Case {
        const char* name;
        int16_t x, y;      // the other player's place, 100 from the ball unless said
        int16_t action;    // his action
        int16_t distance;  // his ball distance
        uint16_t dirToBall;
        int16_t waits;   // the restart wait counter before the tick
        int16_t dx, dy;  // his target's move
        bool shoots;     // the taker goes on to 43 this tick
    } const cases[] = {
        {"ten yards off, stepped away", 796, 600, ACT_STAND, 160, 0, 10, 0, 4, false},
        {"the ball to his right, stepped left", 696, 500, ACT_STAND, 100, 64, 10, -4, 0, false},
        {"beyond ten yards", 796, 661, ACT_STAND, 161, 0, 10, 0, 0, true},
        {"inside the margin only by nine", 165, 600, ACT_STAND, 100, 0, 10, 0, 0, true},
        {"a wall man at his spot", 796, 600, ACT_HOLD_SPOT, 100, 0, 10, 0, 0, true},
        {"a runner", 796, 600, ACT_FREE_KICK_RUNNER, 100, 0, 10, 0, 0, true},
        {"a wall man on his way", 796, 600, ACT_HOLD_SPOT, 100, 0, 10, 0, -50, false},
        {"a wall man on his way at 999 waits", 796, 600, ACT_HOLD_SPOT, 100, 0, 999, 0, -50, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Taker(ACT_FREE_KICK_ARRANGE, PHASE_DIRECT_FREE_KICK);
        MatchPerson& o = OnPitch(kOther, c.x, c.y, c.action);
        o.ballDistance = c.distance;
        o.dirToBall = c.dirToBall;
        // A wall man on his way stands 50 short of the target the test gives him.
        if (c.dy == -50) o.targetY = static_cast<int16_t>(c.y - 50);
        Match.restartWaits = c.waits;
        PlayersNotInPlace = 0;
        RunPersonAction(kTaker);
        const MatchPerson& ball = MatchPersons[MATCH_BALL];
        EXPECT_EQ(ball.x, 796);
        EXPECT_EQ(ball.y, 500);
        EXPECT_EQ(Ball.velX | Ball.velY, 0);
        EXPECT_EQ(Ball.height, 0);
        EXPECT_EQ(Ball.possession, 0);
        EXPECT_EQ(o.targetX - c.x, c.dx);
        EXPECT_EQ(o.targetY - c.y, c.dy);
        EXPECT_EQ(Match.restartWaits, c.waits + 1);
        EXPECT_EQ(MatchPersons[kTaker].action,
                  c.shoots ? ACT_BACK_OFF_FOR_SHOT : ACT_FREE_KICK_ARRANGE);
        EXPECT_EQ(PlayersNotInPlace, c.shoots && c.waits < 999 ? 0 : 1);
        if (c.shoots) {
            EXPECT_EQ(Match.followedObject, MATCH_BALL);
        }
    }
}

// A player who stays within ten yards (a tired one walks slower than his target moves) sees his
// target stop at the goal line or the touchline, never beyond it.
TEST_F(SetPiece, TheFreeKickTakerNeverPushesATargetOffThePitch)
{
    constexpr int32_t kOther = 20;
    struct Case {
        int16_t x, y;
        uint16_t dirToBall;
        int16_t targetX, targetY;  // after ten ticks
    } const cases[] = {
        {796, 2030, 0, 796, PITCH_FAR_GOAL_LINE_Y},
        {170, 1000, 64, PITCH_LEFT_TOUCHLINE_X, 1000},
        {796, 1000, 0, 796, 1040},
    };
    for (const Case& c : cases) {
        SetUp();
        Taker(ACT_FREE_KICK_ARRANGE, PHASE_DIRECT_FREE_KICK);
        MatchPerson& o = OnPitch(kOther, c.x, c.y, ACT_STAND);
        o.ballDistance = 100;
        o.dirToBall = c.dirToBall;
        for (int32_t tick = 0; tick < 10; ++tick) {
            RunPersonAction(kTaker);
        }
        EXPECT_EQ(o.targetX, c.targetX) << c.x << "," << c.y;
        EXPECT_EQ(o.targetY, c.targetY) << c.x << "," << c.y;
    }
}

// One draw % 3 per runner: a 0 makes him the set-piece pass's target, and a later runner's 0
// replaces an earlier one's.
TEST_F(SetPiece, EachShortRunnerIsThePassTargetOneTimeInThree)
{
    struct Case {
        std::vector<ScriptedDraw> draws;  // runner 10's, then runner 11's
        int16_t action;
        int32_t target;  // the runner passed to, -1 none
    } const cases[] = {
        {{{3, 1, 2}, {3, 1, 2}}, ACT_BACK_OFF_FOR_SHOT, -1},
        {{{3, 0, 0}, {3, 1, 2}}, ACT_SET_PIECE_PASS, 10},
        {{{3, 1, 2}, {3, 0, 0}}, ACT_SET_PIECE_PASS, 11},
        {{{3, 0, 0}, {3, 0, 0}}, ACT_SET_PIECE_PASS, 11},
    };
    for (const Case& c : cases) {
        SetUp();
        MatchPerson& t = Taker(ACT_FREE_KICK_ARRANGE, PHASE_DIRECT_FREE_KICK);
        OnPitch(10, 600, 560, ACT_FREE_KICK_RUNNER).ballDistance = 300;
        OnPitch(11, 1000, 580, ACT_FREE_KICK_RUNNER).ballDistance = 300;
        ScriptDraws(c.draws);
        RunPersonAction(kTaker);
        SCOPED_TRACE(c.target);
        EXPECT_EQ(t.action, c.action);
        if (c.target < 0) continue;
        EXPECT_EQ(t.passKind, 1);
        EXPECT_EQ(Match.kickTargetPoint[0], MatchPersons[c.target].x);
        EXPECT_EQ(Match.kickTargetPoint[1], MatchPersons[c.target].y);
    }
}

// Without a wall the direct free kick goes at the centre of the goal the taker attacks, at either
// end, whatever the last shot or long kick left as its aim (here behind his own goal).
TEST_F(SetPiece, TheDirectFreeKickGoesAtTheGoalHeAttacksAtEitherEnd)
{
    struct Case {
        uint8_t secondOfPair;  // 1: side 0 attacks y 122
        int16_t spotY, staleY;
        int16_t aimY;
    } const cases[] = {
        {1, 500, 2047, 117},
        {0, 1664, 117, 2047},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.aimY);
        SetUp();
        Match.secondOfPair = c.secondOfPair;
        KickingSide = 0;
        RestartSpot[1] = c.spotY;
        ShotTarget[0] = 1000;
        ShotTarget[1] = c.staleY;
        MatchPerson& t = Taker(ACT_FREE_KICK_ARRANGE, PHASE_DIRECT_FREE_KICK);
        RunPersonAction(kTaker);
        ASSERT_EQ(t.action, ACT_BACK_OFF_FOR_SHOT);
        EXPECT_EQ(ShotTarget[0], PITCH_CENTRE_X);
        EXPECT_EQ(ShotTarget[1], c.aimY);
        for (int32_t tick = 0; tick < 300 && t.kicked == 0; ++tick) {
            RunPersonAction(kTaker);
        }
        ASSERT_NE(t.kicked, 0);
        EXPECT_EQ(Ball.velY > 0, c.aimY > PITCH_CENTRE_Y) << Ball.velY;
    }
}

TEST_F(SetPiece, ThePenaltyTakerWaitsForTheAreasToClearAndWalksToTwentyBehindTheSpot)
{
    constexpr int32_t kOther = 20;
    constexpr int32_t kKeeper = 16;
    struct Case {
        const char* name;
        int16_t spotY;
        uint8_t period;
        int16_t keeperY;
        int16_t otherY, otherTargetY;  // 0: nobody else on the pitch
        int16_t otherDistance;
        int16_t waits;
        int16_t takerY;   // where the taker stands
        int16_t movedTo;  // the other's target y after the tick, 0 unchanged
        bool walks;       // the taker walks on toward his approach point
        bool runsUp;      // he is there: 60
    } const cases[] = {
        {"a shoot-out keeper still behind his line", 314, 4, 105, 0, 0, 0, 0, 314, 0, false, false},
        {"a shoot-out keeper out of his goal", 314, 4, 130, 0, 0, 0, 0, 314, 0, true, false},
        {"a player in the area, the keeper off his line", 314, 0, 143, 300, 300, 500, 0, 314, 0,
         false, false},
        {"a player in the area, the keeper on it", 314, 0, 142, 300, 300, 500, 0, 314, 494, false,
         false},
        {"a player on the area's line", 314, 0, 130, 410, 410, 500, 0, 314, 494, false, false},
        {"a player bound for the area", 314, 0, 130, 600, 400, 500, 0, 314, 494, false, false},
        {"a player ten yards from the ball", 314, 0, 130, 474, 474, 160, 0, 314, 494, false, false},
        {"a player eleven yards away", 314, 0, 130, 475, 475, 161, 0, 314, 0, true, false},
        {"the far area", 1850, 0, 130, 1800, 1800, 500, 0, 1850, 1670, false, false},
        {"a player who never leaves, at 999 waits", 314, 0, 130, 300, 300, 500, 999, 314, 494, true,
         false},
        {"at the approach point", 314, 0, 130, 0, 0, 0, 0, 334, 0, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        RestartSpot[1] = c.spotY;
        Match.period = c.period;
        Match.restartWaits = c.waits;
        MatchPhase = PHASE_PENALTY_KICK;
        Person_PlaceAt(MATCH_BALL, 796, c.spotY);
        MatchPerson& t = OnPitch(kTaker, 796, c.takerY, ACT_PENALTY_WALK_TO_SPOT);
        t.facing = 64;
        // The far goal's keeper stands as far from his line as the near one.
        const int32_t keeperY = c.spotY < 1082 ? c.keeperY : 2164 - c.keeperY;
        MatchPerson& keeper = OnPitch(kKeeper, 796, keeperY, ACT_KEEPER_IDLE);
        keeper.facing = 128;
        keeper.dirToBall = 0;
        if (c.spotY > 1082) Match.secondOfPair = 0;
        MatchPerson& o = OnPitch(kOther, 600, c.otherY, ACT_STAND);
        o.offPitch = c.otherY == 0 ? 1 : 0;
        o.targetY = c.otherTargetY;
        o.ballDistance = c.otherDistance;
        const int32_t x = t.x16;
        const int32_t y = t.y16;
        RunPersonAction(kTaker);
        EXPECT_EQ(o.targetY, c.movedTo == 0 ? c.otherTargetY : c.movedTo);
        const bool moved = t.x16 != x || t.y16 != y;
        EXPECT_EQ(moved, c.walks);
        if (c.walks) {
            EXPECT_EQ(t.facing, c.spotY < 1082 ? 128 : 0);  // toward the point behind
        }
        EXPECT_EQ(t.action, c.runsUp ? ACT_PENALTY_RUN_UP : ACT_PENALTY_WALK_TO_SPOT);
        if (!c.runsUp) continue;
        EXPECT_EQ(t.facing, 0);  // toward the spot
        EXPECT_EQ(MatchPersons[MATCH_MARKER].x, 796);
        EXPECT_EQ(MatchPersons[MATCH_MARKER].y, 122);
        EXPECT_EQ(MatchPersons[MATCH_MARKER].frame, 12);
        EXPECT_NE(keeper.facing, 128);  // turned a step toward the ball
    }
}

// He backs off more than 52 units along his facing, stands, and once everyone is in place (or
// after 1000 waits) aims and takes the kick with the flight time-out and the run-up's line.
TEST_F(SetPiece, ThePenaltyRunUpBacksOffStandsAndStrikes)
{
    for (const int16_t waitsBefore : {0, 995}) {
        SCOPED_TRACE(waitsBefore);
        SetUp();
        MatchPhase = PHASE_PENALTY_KICK;
        RestartSpot[1] = 314;
        MatchPerson& t = OnPitch(kTaker, 796, 334, ACT_PENALTY_RUN_UP);
        OnPitch(16, 796, 130, ACT_KEEPER_IDLE);
        Match.restartWaits = waitsBefore;
        int32_t backing = 0;
        int32_t standing = 0;
        while (t.action == ACT_PENALTY_RUN_UP && backing + standing < 2000) {
            // Players still walking hold the kick unless the wait has run out.
            PlayersNotInPlace = waitsBefore == 0 ? 0 : 1;
            const bool backingOff = t.kicked == 0 || t.actionWord == 0;
            RunPersonAction(kTaker);
            ++(backingOff ? backing : standing);
            EXPECT_EQ(MatchPersons[MATCH_BALL].y, 314);
        }
        EXPECT_GT(t.y - 314, 52);
        EXPECT_LT(t.y - 314, 60);
        EXPECT_EQ(t.facing, 0);
        EXPECT_EQ(standing, waitsBefore == 0 ? 29 : 33);
        EXPECT_EQ(t.action, ACT_PENALTY_KICK);
        EXPECT_EQ(ShotWindow, 50);
        EXPECT_EQ(Match.followedObject, MATCH_BALL);
        EXPECT_EQ(match.Record().commentaryGroups.back(), 266);
        EXPECT_LE(ShotTarget[1], 122);  // at the goal he attacks
    }
}

TEST_F(SetPiece, ShootOutPlayersFaceTheCentreFromBehindTheAreasThenWatch)
{
    constexpr int32_t kPlayer = 5;
    struct Case {
        int16_t action;
        int16_t x, y;
        uint8_t period;
        int16_t actionAfter;
        int32_t facing;  // -1 unchanged (the test's 200)
        int16_t frame;   // -2 unchecked
    } const cases[] = {
        // The roll of 4 aims at (700, 1082).
        {ACT_SHOOTOUT_FACE_CENTRE, 700, 489, 4, ACT_SHOOTOUT_FACE_CENTRE, 128, -2},
        {ACT_SHOOTOUT_FACE_CENTRE, 700, 1675, 4, ACT_SHOOTOUT_FACE_CENTRE, 0, -2},
        {ACT_SHOOTOUT_FACE_CENTRE, 700, 490, 4, ACT_SHOOTOUT_WATCH, -1, -2},
        {ACT_SHOOTOUT_FACE_CENTRE, 1436, 300, 4, ACT_SHOOTOUT_WATCH, -1, -2},
        {ACT_SHOOTOUT_FACE_CENTRE, 700, 490, 1, ACT_STAND, -1, -2},
        {ACT_SHOOTOUT_WATCH, -3, 1082, 4, ACT_SHOOTOUT_WATCH, 199, -2},
        {ACT_SHOOTOUT_WATCH, -4, 1082, 4, ACT_SHOOTOUT_WATCH, -1, -1},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.x);
        SCOPED_TRACE(c.y);
        Match.period = c.period;
        MatchPerson& p = OnPitch(kPlayer, c.x, c.y, c.action);
        p.facing = 200;
        p.dirToBall = 100;
        p.actionWord = 7;
        ScriptDraws({{200, 4, 4}});
        RunPersonAction(kPlayer);
        EXPECT_EQ(p.action, c.actionAfter);
        EXPECT_EQ(p.facing, c.facing < 0 ? 200 : c.facing);
        if (c.frame != -2) {
            EXPECT_EQ(p.frame, c.frame);
        }
        if (c.actionAfter == ACT_STAND) {
            EXPECT_EQ(p.actionWord, 0);
        }
    }
}

}  // namespace
