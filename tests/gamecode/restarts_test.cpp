// tests/gamecode/restarts_test.cpp: the goal kick and the keeper's ball played end to end in a
// running match: the waits, the set-ups, the receiver scan, the wind-up and the kicks and throws
// with the velocities worked by hand; the handling offence; the waits of a trailing side.
#include "gamecode/restarts.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/ballpredict.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchdata.h"
#include "gamecode/motion.h"
#include "gamecode/motionframes.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "gamecode/shotchoice.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kUnit = 65536;
constexpr int32_t kKeeper0 = 0;   // side 0 defends the goal at y 122
constexpr int32_t kKeeper1 = 16;  // side 1 the goal at y 2042
constexpr int32_t kKicking = 50;

std::vector<int32_t> s_infoBars;

// Open play, side 0 attacking the bottom goal, both keepers in goal, the outfields spread over
// the middle of the pitch on their own target points.
class DeadBall : public testing::Test {
protected:
    void SetUp() override
    {
        MatchEngine_Init();
        MatchDayBuilder{}.Write();
        SetMatchPhysics();
        SpreadTheElevensOverTheMiddle();
        for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
            MatchPersons[p].skills[17] = kKicking;
        }
        Person_PlaceAt(kKeeper0, 796, 140);
        Person_PlaceAt(kKeeper1, 796, 2000);
        Person_SetAction(kKeeper0, ACT_KEEPER_IDLE);
        Person_SetAction(kKeeper1, ACT_KEEPER_IDLE);
        Person_PlaceAt(MATCH_BALL, 700, 1000);
        MatchPhase = PHASE_OPEN_PLAY;
        MatchShared.ratingMode = 0;
        s_infoBars.clear();
        MatchPresentationOps.InfoBar = [](int32_t type, int32_t, int32_t) {
            s_infoBars.push_back(type);
        };
    }
    bool Said(int32_t group)
    {
        const std::vector<int32_t>& groups = match.Record().commentaryGroups;
        return std::find(groups.begin(), groups.end(), group) != groups.end();
    }
    // The keeper's kick or throw leaves with the pending velocity at `frame`: open play again.
    static void ExpectStruckAt(int32_t keeper, int16_t action, int32_t frame)
    {
        const int32_t pending[3] = {Match.pendingKick[0], Match.pendingKick[1],
                                    Match.pendingKick[2]};
        EXPECT_EQ(StrikeFramesOf(keeper, action, 200), std::vector<int32_t>{frame});
        EXPECT_EQ(Ball.velX, pending[0]);
        EXPECT_EQ(Ball.velY, pending[1]);
        EXPECT_EQ(Ball.velZ, pending[2]);
        EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY);
        EXPECT_EQ(Ball.lastToucher, keeper);
        EXPECT_EQ(Ball.holder, 0);
        EXPECT_EQ(Match.lastKickKind, KICK_KIND_KEEPER);
        EXPECT_EQ(Ball.possession, Person_Side(keeper));
    }
    // Side 0's player 3 puts the ball over the touchline at y 700: the throw-in is awarded to
    // side 1 and its wait runs up to the tick before the set-up. False if no throw-in came.
    static bool ThrowInToSide1UpToItsSetUp()
    {
        Person_PlaceAt(MATCH_BALL, 170, 700);
        Ball.velX = -20 * kUnit;
        Ball.lastToucher = 3;
        RunTicks(1);
        if (MatchPhase != PHASE_THROW_IN_AWARDED) return false;
        RunTicks(89);
        return true;
    }
    // The length of a kick from the ground or the hands: kicking skill 50, sped up by a fifth.
    static void ExpectKickLength()
    {
        const double length = std::hypot(Match.pendingKick[0], Match.pendingKick[1]);
        EXPECT_NEAR(length, (kKicking * 2048 + 589824) * 1.2, 2.0);
    }
    ScopedMatch match;
};

TEST_F(DeadBall, AGoalKickIsWalkedToAimedSteppedBackFromAndStruckAtFrameEighty)
{
    Person_PlaceAt(MATCH_BALL, 500, 130);  // side 1 puts it wide of the top goal
    Ball.velY = -20 * kUnit;
    Ball.lastToucher = 20;
    RunTicks(1);
    ASSERT_EQ(MatchPhase, PHASE_GOAL_KICK_AWARDED);
    EXPECT_EQ(KickingSide, 0);
    EXPECT_EQ(PhaseTimer, 90);
    RunTicks(89);
    EXPECT_EQ(MatchPhase, PHASE_GOAL_KICK_AWARDED);
    RunTicks(1);
    ASSERT_EQ(MatchPhase, PHASE_GOAL_KICK_TAKEN);
    EXPECT_EQ(s_infoBars, std::vector<int32_t>{10});
    const MatchPerson& k = MatchPersons[kKeeper0];
    EXPECT_EQ(k.action, ACT_KEEPER_WALK_TO_GOAL_KICK);
    EXPECT_EQ(Match.goalKickSpot[0], 636);  // the goal-area corner on the ball's side
    EXPECT_EQ(Match.goalKickSpot[1], 218);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].x, 636);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].y, 218 + 1120);
    const int32_t chaser = Match.proximity[1][0];
    EXPECT_EQ(MatchPersons[chaser].action, ACT_ACTIVE);
    EXPECT_EQ(ActivePlayer[1], chaser);
    EXPECT_EQ(ActivePlayer[0], MATCH_NONE);

    ASSERT_TRUE(RunUntil([&] { return k.action == ACT_KEEPER_AIM_GOAL_KICK; }, 300));
    EXPECT_LE(std::abs(k.x - 636) + std::abs(k.y - (218 - 64)), 5);
    EXPECT_EQ(MatchPersons[MATCH_BALL].x, 636);
    EXPECT_EQ(MatchPersons[MATCH_BALL].y, 218);
    ASSERT_TRUE(RunUntil([&] { return k.action == ACT_KEEPER_GOAL_KICK_STEP_BACK; }, 300));
    EXPECT_EQ(MatchPhase, PHASE_GOAL_KICK_TAKEN);
    ExpectKickLength();
    EXPECT_EQ(Match.pendingKick[2], std::min<int32_t>(Match.distNeeded, 100) * 1792 + 65536);
    EXPECT_GT(Match.pendingKick[1], 0);  // up the pitch
    EXPECT_EQ(Match.distReceiver, -1);
    EXPECT_EQ(Match.distPower, -1);
    ASSERT_TRUE(RunUntil([&] { return k.action == ACT_KEEPER_GOAL_KICK; }, 300));
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    EXPECT_GT(std::abs(k.x - ball.x) + std::abs(k.y - ball.y), 70);
    EXPECT_EQ(Ball.holder, 0);
    ExpectStruckAt(kKeeper0, ACT_KEEPER_GOAL_KICK, 80);
    EXPECT_TRUE(Said(122));
    EXPECT_EQ(match.Record().sounds.back(), 6);
}

TEST_F(DeadBall, AGoalKickReceiverIsScannedAmongTheNearestAtTheRightRange)
{
    // Ten seeds: whenever a receiver is taken the marker stands on his target point, and he lies
    // 640-1200 from the ball inside x 456-1136.
    int32_t taken = 0;
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        SetUp();
        SRand(seed);
        MatchPhase = PHASE_GOAL_KICK_TAKEN;
        Match.goalKickSpot[0] = 636;
        Match.goalKickSpot[1] = 218;
        Person_PlaceAt(MATCH_MARKER, 636, 1338);
        Person_PlaceAt(kKeeper0, 636, 154);
        Person_SetAction(kKeeper0, ACT_KEEPER_AIM_GOAL_KICK);
        Person_PlaceAt(MATCH_BALL, 636, 218);
        for (int32_t slot = 1; slot <= 10; ++slot) {
            MatchPerson& p = MatchPersons[slot];
            p.ballDistance = static_cast<int16_t>(400 + 100 * slot);  // 500-1400
            Match.proximity[0][slot - 1] = static_cast<int16_t>(slot);
        }
        RunPersonAction(kKeeper0);
        ASSERT_GT(Match.distWait, 0);
        const int32_t receiver = Match.distReceiver;
        if (receiver < 0) {
            EXPECT_EQ(MatchPersons[MATCH_MARKER].x, 636);
            EXPECT_EQ(MatchPersons[MATCH_MARKER].y, 1338);
            continue;
        }
        ++taken;
        const MatchPerson& r = MatchPersons[receiver];
        EXPECT_GE(r.ballDistance, 640);
        EXPECT_LE(r.ballDistance, 1200);
        EXPECT_GE(r.x, 456);
        EXPECT_LE(r.x, 1136);
        EXPECT_EQ(MatchPersons[MATCH_MARKER].x, r.targetX);
        EXPECT_EQ(MatchPersons[MATCH_MARKER].y, r.targetY);
        EXPECT_EQ(Match.distNeeded, (std::abs(r.targetX - 636) + std::abs(r.targetY - 154)) / 8);
        EXPECT_GE(Match.distWait, 10);
        EXPECT_LE(Match.distWait, 59);
    }
    EXPECT_GE(taken, 3);
}

// A catch by side 1's keeper at (796, 2000): the keeper's ball.
class KeeperBall : public DeadBall {
protected:
    void Catch()
    {
        Person_PlaceAt(MATCH_BALL, 796, 2000);
        Person_SetAction(kKeeper1, ACT_KEEPER_TAKE_BALL);
        CurrentPersonPos = {796, 2000, 796 * kUnit, 2000 * kUnit};
        RunPersonAction(kKeeper1);
        ASSERT_EQ(MatchPhase, PHASE_KEEPER_HOLDS);
    }
    // Side 1's outfield players all far from the keeper but for `receiver`, on his target point;
    // each the first of the list.
    static void OneReceiverAt(int32_t receiver, int32_t x, int32_t y)
    {
        for (int32_t p = 17; p <= 26; ++p) {
            Person_PlaceAt(p, 300 + 60 * (p - 16), 300);
            MatchPersons[p].ballDistance = 1700;
            Match.proximity[1][p - 17] = static_cast<int16_t>(p);
        }
        Person_PlaceAt(receiver, x, y);
        const MatchPerson& ball = MatchPersons[MATCH_BALL];
        MatchPersons[receiver].ballDistance =
            static_cast<int16_t>(std::hypot(x - ball.x, y - ball.y));
        for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
            MatchPersons[p].targetX = MatchPersons[p].x;
            MatchPersons[p].targetY = MatchPersons[p].y;
        }
    }
    // The keeper's ball is set up: the scene is laid, and only his action runs from here.
    void SetUpThenDistribute(int32_t receiver, int32_t x, int32_t y)
    {
        Catch();
        ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_KEEPER_CLEARANCE; }, 100));
        OneReceiverAt(receiver, x, y);
        const MatchPerson& k = MatchPersons[kKeeper1];
        for (int32_t tick = 0; tick < 200 && k.action == ACT_KEEPER_DISTRIBUTE; ++tick) {
            RunPersonAction(kKeeper1);
        }
    }
};

TEST_F(KeeperBall, AFreeReceiverNearByIsThrownToAndRunsToWhereTheBallLands)
{
    Catch();
    RunTicks(1);
    EXPECT_EQ(PhaseTimer, 90);
    EXPECT_EQ(KickingSide, 1);
    RunTicks(89);
    EXPECT_EQ(MatchPhase, PHASE_KEEPER_HOLDS);
    RunTicks(1);
    ASSERT_EQ(MatchPhase, PHASE_KEEPER_CLEARANCE);
    const MatchPerson& k = MatchPersons[kKeeper1];
    EXPECT_EQ(k.action, ACT_KEEPER_DISTRIBUTE);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].x, 796);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].y, 2000 - 1120);
    EXPECT_EQ(LastIncidentMark, MATCH_BALL);
    EXPECT_EQ(ActivePlayer[0], Match.proximity[0][0]);

    SetUpThenDistribute(20, 1000, 1600);
    // Person 20 stands (1000, 1600): a path of 204 + 400 from the keeper, wind-up 75.
    ASSERT_EQ(k.action, ACT_KEEPER_THROW);
    EXPECT_EQ(Match.distNeeded, (204 + 400) / 8);
    EXPECT_EQ(Match.throwReceiver, 20);
    EXPECT_EQ(MatchPersons[20].action, ACT_ACTIVE);
    EXPECT_EQ(Match.pendingKick[2], (kKicking + 75) * 640 + 53248);
    const double length = std::hypot(Match.pendingKick[0], Match.pendingKick[1]);
    EXPECT_NEAR(length, 458752 * 1.2, 2.0);
    // Aimed 200 short of the target toward the far goal: up and to the right.
    EXPECT_GT(Match.pendingKick[0], 0);
    EXPECT_LT(Match.pendingKick[1], 0);
    EXPECT_EQ(k.passKind, Person_DirectionTo(796, 2000, 1000, 1400));
    ExpectStruckAt(kKeeper1, ACT_KEEPER_THROW, 76);
    EXPECT_EQ(Ball.height, 16);
    EXPECT_TRUE(Said(156));
    EXPECT_EQ(MatchPersons[20].action, ACT_GO_TO_MEETING_SPOT);
    EXPECT_EQ(MatchPersons[20].receivePoint[0], LandingPoint[0]);
    EXPECT_EQ(MatchPersons[20].receivePoint[1], LandingPoint[1]);
    EXPECT_EQ(Match.passRecord[0][0], kKeeper1);
    EXPECT_EQ(Match.passRecord[0][1], 20);
}

TEST_F(KeeperBall, WithNobodyInRangeHeKicksFromHisHandsTowardTheMarker)
{
    SetUpThenDistribute(20, 1200, 1900);  // beyond x 1136: nobody qualifies
    const MatchPerson& k = MatchPersons[kKeeper1];
    ASSERT_EQ(k.action, ACT_KEEPER_KICK_FROM_HANDS);
    // Toward the marker 70 yards up: wind-up 1120 / 8 capped at 100.
    EXPECT_EQ(Match.pendingKick[0], 0);
    EXPECT_LT(Match.pendingKick[1], 0);
    ExpectKickLength();
    EXPECT_EQ(Match.pendingKick[2], 100 * 2048 + 65536);
    ExpectStruckAt(kKeeper1, ACT_KEEPER_KICK_FROM_HANDS, 93);
    EXPECT_TRUE(Said(125));
    EXPECT_EQ(match.Record().sounds.back(), 6);
    // He carried it toward his box's edge first.
    EXPECT_LT(MatchPersons[MATCH_BALL].y, 2000);
}

TEST_F(KeeperBall, AKeeperOutsideHisAreaInTheWaitConcedesAFreeKick)
{
    Catch();
    RunTicks(1);
    Person_PlaceAt(kKeeper1, 796, 1700);
    RunTicks(1);
    EXPECT_EQ(MatchPhase, PHASE_FOUL);
    EXPECT_EQ(RefereeDecision, 9);
    EXPECT_EQ(FoulingSide, 1);
    EXPECT_EQ(RestartSpot[0], 796);
    EXPECT_EQ(RestartSpot[1], 1700);
    EXPECT_EQ(s_infoBars, std::vector<int32_t>{13});
    EXPECT_TRUE(Said(323));
    EXPECT_TRUE(Said(324));
    // On the area's lines he is still inside it.
    struct Case {
        int32_t x, y;
        bool offence;
    };
    for (const Case c : {Case{796, 1754, false}, Case{796, 1753, true}, Case{1116, 1900, false},
                         Case{1117, 1900, true}, Case{476, 1900, false}, Case{475, 1900, true}}) {
        SetUp();
        Catch();
        RunTicks(1);
        Person_PlaceAt(kKeeper1, c.x, c.y);
        RunTicks(1);
        EXPECT_EQ(MatchPhase == PHASE_FOUL, c.offence) << c.x << ", " << c.y;
    }
}

TEST_F(KeeperBall, ATrailingSideWaitsLessAndThrowsNearerAndWider)
{
    Match.score[0] = 1;
    Catch();
    RunTicks(1);
    EXPECT_EQ(PhaseTimer, 11);
    RunTicks(11);
    ASSERT_EQ(MatchPhase, PHASE_KEEPER_CLEARANCE);
    OneReceiverAt(20, 1200, 1900);  // beyond x 1136, 26 yards away: only when behind
    const MatchPerson& k = MatchPersons[kKeeper1];
    RunPersonAction(kKeeper1);
    EXPECT_EQ(Match.distReceiver, 20);
    EXPECT_EQ(Match.distNeeded, (404 + 100) / 8);
    EXPECT_GE(Match.distWait, 3);  // (Rand() % 50 + 10) / 4 + 1
    EXPECT_LE(Match.distWait, 15);
    RunPersonAction(kKeeper1);
    EXPECT_EQ(Match.distPower, Match.distNeeded);  // wound up at once
    int32_t ticks = 1;
    while (k.action == ACT_KEEPER_DISTRIBUTE && ticks < 100) {
        RunPersonAction(kKeeper1);
        ++ticks;
    }
    EXPECT_LE(ticks, 15);
    EXPECT_EQ(k.action, ACT_KEEPER_THROW);
}

// The throw-in: the ball over the left touchline at y 700, last touched by side 0.
TEST_F(DeadBall, AThrowInSendsReceiversInfieldAndWaitsForThemBeforeTheThrow)
{
    Person_PlaceAt(MATCH_BALL, 170, 700);
    Ball.velX = -20 * kUnit;
    Ball.lastToucher = 3;
    RunTicks(1);
    ASSERT_EQ(MatchPhase, PHASE_THROW_IN_AWARDED);
    EXPECT_EQ(KickingSide, 1);
    RunTicks(90);
    ASSERT_EQ(MatchPhase, PHASE_THROW_IN_TAKEN);
    EXPECT_EQ(s_infoBars, std::vector<int32_t>{1});
    const int32_t thrower = ActivePlayer[1];
    int32_t entry = 0;
    while (Match.proximity[1][entry] != thrower) {
        ++entry;
    }
    ASSERT_LE(entry, 4);
    const int32_t mate = Match.proximity[1][entry + 1];
    const int32_t marker = Match.proximity[0][0];
    const MatchPerson& m = MatchPersons[mate];
    const MatchPerson& o = MatchPersons[marker];
    EXPECT_EQ(m.action, ACT_MOVE_TO_LOOSE_BALL);
    EXPECT_EQ(m.passKind, -1);
    EXPECT_EQ(o.action, ACT_MOVE_TO_LOOSE_BALL);
    EXPECT_EQ(o.passKind, mate);
    EXPECT_EQ(o.runSpeed, 64);
    EXPECT_GE(m.receivePoint[0], 156 + 192);  // 12-24 yards infield
    EXPECT_LT(m.receivePoint[0], 156 + 384);
    EXPECT_EQ(o.receivePoint[0], m.receivePoint[0] + 32);
    EXPECT_EQ(o.receivePoint[1], m.receivePoint[1]);

    EXPECT_EQ(Match.keeperPendingAction, -1);
    const MatchPerson& t = MatchPersons[thrower];
    ASSERT_TRUE(RunUntil([&] { return t.action == ACT_THROWER_CHOOSE; }, 50));
    EXPECT_EQ(t.x, 156);
    EXPECT_EQ(t.y, 700);
    // He waits while a receiver is still on his way.
    ASSERT_TRUE(RunUntil([&] { return Match.restartTimer != 0; }, 700));
    EXPECT_NE(m.kicked, 0);
    EXPECT_GT(Match.restartWaits, 10);
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 400));
    EXPECT_EQ(Ball.lastToucher, thrower);
    EXPECT_GE(MatchPersons[MATCH_BALL].x, 157);
    EXPECT_GT(Ball.velX, 0);
}

TEST_F(DeadBall, AThrowInWhoseFourNearestAreOffThePitchIsTakenByTheFifthAndNoKeeperGoes)
{
    ASSERT_TRUE(ThrowInToSide1UpToItsSetUp());
    for (int32_t entry = 0; entry < 5; ++entry) {
        Match.proximity[1][entry] = static_cast<int16_t>(27 + entry);  // the bench: 27-31
    }
    Match.proximity[1][5] = 16;  // the keeper is next: he stays in his goal
    RunTicks(1);
    ASSERT_EQ(MatchPhase, PHASE_THROW_IN_TAKEN);
    EXPECT_EQ(ActivePlayer[1], 31);
    EXPECT_EQ(MatchPersons[31].action, ACT_FETCH_THROW_IN);
    EXPECT_EQ(MatchPersons[16].action, ACT_KEEPER_IDLE);
    EXPECT_NE(MatchPersons[Match.proximity[0][0]].action, ACT_MOVE_TO_LOOSE_BALL);
}

// The throw goes to the first of the five nearest who is on the pitch, looked for among the
// first four only: the fifth throws whether he stands on the pitch or not.
TEST_F(DeadBall, AThrowInIsTakenByTheFirstOfTheFourNearestOnThePitchElseTheFifth)
{
    struct Case {
        int32_t offBefore;  // entries before the first on the pitch, from the bench 27-30
        bool fifthOnPitch;
        int32_t thrower;
    } const cases[] = {{0, true, 20}, {1, true, 21}, {3, true, 23}, {4, true, 24}, {4, false, 31}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offBefore);
        SetUp();
        ASSERT_TRUE(ThrowInToSide1UpToItsSetUp());
        for (int32_t entry = 0; entry < 5; ++entry) {
            const bool bench = entry < c.offBefore || (entry == 4 && !c.fifthOnPitch);
            Match.proximity[1][entry] = static_cast<int16_t>(bench ? 27 + entry : 20 + entry);
        }
        RunTicks(1);
        ASSERT_EQ(MatchPhase, PHASE_THROW_IN_TAKEN);
        EXPECT_EQ(ActivePlayer[1], c.thrower);
        EXPECT_EQ(MatchPersons[c.thrower].action, ACT_FETCH_THROW_IN);
    }
}

// The thrower at (156, 700) facing infield (64), his receiver `along` units infield or none.
struct ThrowCase {
    int32_t along;  // 0: no receiver
    int16_t action;
    int32_t frame;
    int32_t group;
    int32_t strength;
};

TEST_F(DeadBall, AThrowGoesAsFarAsItsStrengthSaysAndLeavesOnceAtItsFrame)
{
    constexpr int32_t kThrower = 20;
    constexpr int32_t kReceiver = 21;
    for (const ThrowCase c : {
             ThrowCase{790, ACT_THROW_IN_RUN_UP, 115, 240, 79 - 24},
             ThrowCase{400, ACT_STANDING_THROW, 71, 241, 40 - 24},
             ThrowCase{100, ACT_STANDING_THROW, 71, 241, 0},  // 10 - 24, never below 0
             ThrowCase{0, ACT_STANDING_THROW, 71, 241, 0},    // 200 along his aim
         }) {
        SCOPED_TRACE(c.along);
        SetUp();
        MatchPhase = PHASE_THROW_IN_TAKEN;
        Match.throwInSpot[0] = 156;
        Match.throwInSpot[1] = 700;
        Person_PlaceAt(MATCH_MARKER, 316, 700);
        Person_PlaceAt(kThrower, 156, 700);
        Person_PlaceAt(kReceiver, 156 + c.along, c.along == 0 ? 1300 : 700);
        MatchPersons[kThrower].facing = 64;
        Person_SetAction(kThrower, ACT_THROWER_CHOOSE);
        Match.restartKind = 13;
        Match.restartTimer = 2;
        Match.restartReceiver = static_cast<int16_t>(c.along == 0 ? -1 : kReceiver);
        Match.kickTargetPerson = Match.restartReceiver;
        Match.kickTargetPoint[0] = static_cast<int16_t>(156 + c.along);
        Match.kickTargetPoint[1] = 700;
        RunPersonAction(kThrower);
        const MatchPerson& t = MatchPersons[kThrower];
        ASSERT_EQ(t.action, c.action);
        EXPECT_EQ(Match.throwStrength, c.strength);
        if (c.action == ACT_THROW_IN_RUN_UP) {
            for (int32_t tick = 0; tick < 100 && t.action == ACT_THROW_IN_RUN_UP; ++tick) {
                RunPersonAction(kThrower);
            }
            ASSERT_EQ(t.action, ACT_THROW_IN_RELEASE);
            EXPECT_GT(t.x - 156, 65);
            EXPECT_EQ(MatchPersons[kReceiver].action, ACT_ACTIVE);
        }
        const int16_t release = t.action;
        EXPECT_EQ(StrikeFramesOf(kThrower, release, 300), std::vector<int32_t>{c.frame});
        const int32_t up = c.strength * (release == ACT_STANDING_THROW ? 1536 : 1024) + 32768;
        const int32_t ballX = MatchPersons[MATCH_BALL].x;
        const int32_t targetX = c.along == 0 ? 156 + 200 : 156 + c.along;
        EXPECT_EQ(Ball.velZ, up);
        EXPECT_EQ(Ball.velX, (targetX - ballX) * kUnit / (2 * up / 4000));
        EXPECT_EQ(Ball.velY, 0);
        EXPECT_EQ(Ball.height, 16);
        EXPECT_GE(ballX, 157);
        EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY);
        EXPECT_TRUE(Said(c.group));
        const bool sent = release == ACT_THROW_IN_RELEASE;
        EXPECT_EQ(MatchPersons[kReceiver].action == ACT_GO_TO_MEETING_SPOT, sent);
        EXPECT_EQ(Match.passRecord[0][1], sent ? kReceiver : -1);
    }
}

// A corner for side 1 at the top left: side 0 put the ball over its own goal line.
TEST_F(DeadBall, ACornerSendsDefendersToThePostsAndIsCrossedAtFrameThirtyEight)
{
    constexpr int32_t kTaker = 23;
    Match.takers[1][TAKER_CORNER] = kTaker;
    Person_PlaceAt(MATCH_BALL, 500, 130);
    Ball.velY = -20 * kUnit;
    Ball.lastToucher = 5;
    RunTicks(1);
    ASSERT_EQ(MatchPhase, PHASE_CORNER_AWARDED);
    RunTicks(90);
    ASSERT_EQ(MatchPhase, PHASE_CORNER_TAKEN);
    EXPECT_EQ(s_infoBars, std::vector<int32_t>{0});
    EXPECT_EQ(match.Record().sounds.back(), 24);
    EXPECT_EQ(Match.teamStats[1].corners, 1);
    const MatchPerson& t = MatchPersons[kTaker];
    EXPECT_EQ(t.action, ACT_FETCH_PLACED_BALL);
    EXPECT_EQ(t.x, 160);
    EXPECT_EQ(t.y, 126);
    EXPECT_EQ(KickingSide, 0);  // left on the defenders
    EXPECT_EQ(Ball.possession, 1);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].x, 796);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].y, 218);
    std::vector<std::pair<int32_t, int32_t>> posts;
    for (int32_t p = 1; p <= 10; ++p) {
        const MatchPerson& d = MatchPersons[p];
        if (d.action == ACT_NEAR_POST) posts.emplace_back(d.targetX, d.targetY);
    }
    std::sort(posts.begin(), posts.end());
    EXPECT_EQ(posts,
              (std::vector<std::pair<int32_t, int32_t>>{{396, 170}, {730, 132}, {862, 132}}));

    ASSERT_TRUE(RunUntil([&] { return t.action == ACT_RESTART_KICK; }, 600));
    const bool lofted = Match.restartReceiver < 0
                        || std::abs(MatchPersons[Match.restartReceiver].x - 160)
                                   + std::abs(MatchPersons[Match.restartReceiver].y - 126)
                               > 240;
    EXPECT_EQ(StrikeFramesOf(kTaker, ACT_RESTART_KICK, 100),
              std::vector<int32_t>{lofted ? 38 : 19});
    EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY);
    EXPECT_TRUE(Said(245));
    EXPECT_EQ(match.Record().sounds.back(), 6);
    if (lofted) {
        EXPECT_EQ(Ball.cornerTimer, 70);
        EXPECT_EQ(Match.secondProvider, kTaker);
        EXPECT_EQ(Match.lastKickKind, KICK_KIND_LOFTED);
        EXPECT_NE(Ball.swerveX, 0);
    }
    const int32_t receiver = Match.passReceiver;
    if (receiver >= 0) {
        EXPECT_EQ(Person_Side(receiver), 1);
        EXPECT_EQ(MatchPersons[receiver].action, ACT_GO_TO_MEETING_SPOT);
        EXPECT_EQ(MatchPersons[receiver].receivePoint[0], LandingPoint[0]);
    }
}

// The mirror: side 1 put the ball over its own line at the bottom right, a corner for side 0.
TEST_F(DeadBall, ACornerAtTheOtherEndIsMirrored)
{
    Match.takers[0][TAKER_CORNER] = 7;
    Person_PlaceAt(MATCH_BALL, 1300, 2030);
    Ball.velY = 20 * kUnit;
    Ball.lastToucher = 20;
    RunTicks(1);
    ASSERT_EQ(MatchPhase, PHASE_CORNER_AWARDED);
    RunTicks(90);
    ASSERT_EQ(MatchPhase, PHASE_CORNER_TAKEN);
    EXPECT_EQ(Match.teamStats[0].corners, 1);
    EXPECT_EQ(MatchPersons[7].x, 1432);
    EXPECT_EQ(MatchPersons[7].y, 2038);
    EXPECT_EQ(Ball.possession, 0);
    EXPECT_EQ(KickingSide, 1);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].y, 1946);
    EXPECT_EQ(MatchPersons[MATCH_REFEREE].action, 6);
    EXPECT_EQ(Match.refereeReturnState, 1);
    EXPECT_EQ(Match.refereeSignal, 1);
    EXPECT_EQ(Match.keeperPendingAction, -1);
    std::vector<std::pair<int32_t, int32_t>> posts;
    for (int32_t p = 17; p <= 26; ++p) {
        const MatchPerson& d = MatchPersons[p];
        if (d.action == ACT_NEAR_POST) posts.emplace_back(d.targetX, d.targetY);
    }
    std::sort(posts.begin(), posts.end());
    EXPECT_EQ(posts,
              (std::vector<std::pair<int32_t, int32_t>>{{730, 2032}, {862, 2032}, {1196, 1994}}));
}

TEST_F(DeadBall, AShortCornerGoesAlongTheGroundAtFrameNineteen)
{
    constexpr int32_t kTaker = 23;
    constexpr int32_t kMate = 24;
    MatchPhase = PHASE_CORNER_TAKEN;
    Match.cornerSpot[0] = 160;
    Match.cornerSpot[1] = 126;
    Person_PlaceAt(kTaker, 160, 126);
    Person_PlaceAt(MATCH_BALL, 160, 126);
    Person_PlaceAt(kMate, 300, 200);
    Person_SetAction(kTaker, ACT_PLACED_BALL_CHOOSE);
    Match.restartKind = 13;
    Match.restartTimer = 2;
    Match.restartReceiver = kMate;
    Match.kickTargetPoint[0] = 300;
    Match.kickTargetPoint[1] = 200;
    MatchPersons[kTaker].skills[3] = 100;  // no spread
    RunPersonAction(kTaker);
    ASSERT_EQ(MatchPersons[kTaker].action, ACT_BEFORE_RESTART_KICK);
    RunPersonAction(kTaker);
    ASSERT_EQ(MatchPersons[kTaker].action, ACT_RESTART_KICK);
    EXPECT_TRUE(Said(244));
    EXPECT_EQ(StrikeFramesOf(kTaker, ACT_RESTART_KICK, 100), std::vector<int32_t>{19});
    // 140 + 74 = 214 along the ground: (214 x 120 + 16384) up, 2400 - 428 a unit.
    EXPECT_EQ(Ball.velX, 140 * (2400 - 2 * 214));
    EXPECT_EQ(Ball.velY, 74 * (2400 - 2 * 214));
    EXPECT_EQ(Ball.velZ, 214 * 120 + 16384);
    EXPECT_EQ(Match.lastKickKind, KICK_KIND_ALONG_GROUND);
    EXPECT_EQ(Ball.cornerTimer, 0);
    EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY);
}

TEST_F(DeadBall, TheCornerDutiesGoToTheFreeAndTheShortRunIsTheWeakestCrossers)
{
    Match.cornerSpot[0] = 160;
    Match.cornerSpot[1] = 126;
    // Side 0 with every outfield player busy: no duty, and person 0 keeps his place.
    for (int32_t p = 1; p <= 10; ++p) {
        Person_SetAction(p, ACT_HOLD_SPOT);
    }
    const int16_t keeperAction = MatchPersons[0].action;
    Corner_DefendPosts(0);
    EXPECT_EQ(KickingSide, 0);
    EXPECT_EQ(MatchPersons[0].action, keeperAction);
    for (int32_t p = 1; p <= 10; ++p) {
        EXPECT_EQ(MatchPersons[p].action, ACT_HOLD_SPOT) << p;
    }

    struct Case {
        int32_t sums[3];  // skills 1 + 4 of proximity entries 1-3 of side 1
        int32_t runner;   // -1 nobody
    };
    for (const Case c :
         {Case{{150, 120, 120}, 18}, Case{{250, 200, 199}, 19}, Case{{200, 250, 254}, -1}}) {
        SetUp();
        Match.cornerSpot[0] = 160;
        Match.cornerSpot[1] = 126;
        for (int32_t entry = 0; entry < 10; ++entry) {
            const int32_t p = 16 + entry;
            Match.proximity[1][entry] = static_cast<int16_t>(p);
            MatchPersons[p].skills[1] = 100;
            MatchPersons[p].skills[4] = 100;
        }
        for (int32_t k = 0; k < 3; ++k) {
            MatchPersons[17 + k].skills[1] = static_cast<uint8_t>(c.sums[k] / 2);
            MatchPersons[17 + k].skills[4] = static_cast<uint8_t>(c.sums[k] - c.sums[k] / 2);
        }
        Corner_PickShortRunner(23);
        for (int32_t p = 16; p < 26; ++p) {
            const MatchPerson& m = MatchPersons[p];
            EXPECT_EQ(m.action == ACT_FREE_KICK_RUNNER, p == c.runner) << p;
            if (p == c.runner) {
                EXPECT_EQ(m.targetX, 156 + 32);
                EXPECT_EQ(m.targetY, 122 + 96);
            }
        }
    }
}

// The defender who would do for either post takes the near one, the post on the corner's side,
// from either corner at either end; the next man the far one.
TEST_F(DeadBall, TheNearPostIsMannedFirst)
{
    struct Case {
        int32_t cornerX, cornerY;
        int32_t nearPostX, farPostX;
    };
    for (const Case c : {Case{160, 126, 730, 862}, Case{1432, 126, 862, 730},
                         Case{160, 2038, 730, 862}, Case{1432, 2038, 862, 730}}) {
        SetUp();
        Match.cornerSpot[0] = static_cast<int16_t>(c.cornerX);
        Match.cornerSpot[1] = static_cast<int16_t>(c.cornerY);
        const int32_t line = c.cornerY < 1082 ? 122 : 2042;
        const int32_t inward = c.cornerY < 1082 ? 1 : -1;
        for (int32_t p = 1; p <= 10; ++p) {
            MatchPersons[p].targetX = 796;
            MatchPersons[p].targetY = static_cast<int16_t>(line + inward * 100 * p);
        }
        Corner_DefendPosts(0);
        SCOPED_TRACE("corner at " + std::to_string(c.cornerX) + ", " + std::to_string(c.cornerY));
        EXPECT_EQ(MatchPersons[1].action, ACT_NEAR_POST);
        EXPECT_EQ(MatchPersons[1].targetX, c.nearPostX);
        EXPECT_EQ(MatchPersons[1].targetY, line + inward * 10);
        EXPECT_EQ(MatchPersons[2].action, ACT_NEAR_POST);
        EXPECT_EQ(MatchPersons[2].targetX, c.farPostX);
    }
}

// Side 1 (attacking the goal at y 122) takes a free kick at (x, y) with person 20, everyone
// else standing on his place.
class FreeKick : public DeadBall {
protected:
    static constexpr int32_t kTaker = 20;
    void Award(int16_t phase, int32_t x, int32_t y)
    {
        MatchPhase = phase;
        RestartSpot[0] = static_cast<int16_t>(x);
        RestartSpot[1] = static_cast<int16_t>(y);
        Person_PlaceAt(kTaker, x + 2, y - 1);
        Person_SetAction(kTaker, ACT_FREE_KICK_TAKER);
        // As the foul's set-up leaves him: his side's active player, and the ball his alone.
        KickingSide = static_cast<uint8_t>(Person_Side(kTaker));
        ActivePlayer[KickingSide] = static_cast<uint8_t>(kTaker);
        for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
            if (p != kTaker && p % 16 != 0) Person_SetAction(p, ACT_STAND);
        }
        RunPersonAction(kTaker);
    }
    static std::vector<int32_t> WallMen()
    {
        std::vector<int32_t> men;
        for (int32_t p = 0; p < 16; ++p) {
            if (MatchPersons[p].action == ACT_HOLD_SPOT) men.push_back(p);
        }
        return men;
    }
};

TEST_F(FreeKick, TheTakerIsPutOnTheSpotAndTheWallStandsByThePhaseAndTheDistance)
{
    struct Case {
        int16_t phase;
        int32_t x, y;
        int16_t action;  // the taker's next
        size_t wallMen;
        int16_t phaseAfter;
    };
    for (const Case c :
         {Case{PHASE_FREE_KICK, 796, 1100, ACT_FREE_KICK_AT_BALL, 0, PHASE_FREE_KICK},
          Case{PHASE_FREE_KICK, 1100, 350, ACT_FREE_KICK_AT_BALL, 2, PHASE_FREE_KICK_READY},
          Case{PHASE_DIRECT_FREE_KICK, 1100, 350, ACT_FREE_KICK_ARRANGE, 3, PHASE_DIRECT_FREE_KICK},
          Case{PHASE_PENALTY_KICK, 796, 314, ACT_PENALTY_WALK_TO_SPOT, 0, PHASE_PENALTY_KICK}}) {
        SCOPED_TRACE(c.phase);
        SetUp();
        Award(c.phase, c.x, c.y);
        const MatchPerson& t = MatchPersons[kTaker];
        EXPECT_EQ(t.action, c.action);
        EXPECT_EQ(MatchPhase, c.phaseAfter);
        EXPECT_EQ(MatchPersons[MATCH_BALL].x, c.x);
        EXPECT_EQ(MatchPersons[MATCH_BALL].y, c.y);
        if (c.phase == PHASE_PENALTY_KICK) continue;
        EXPECT_EQ(t.x, c.x);  // exactly on the spot
        EXPECT_EQ(t.y, c.y);
        const std::vector<int32_t> men = WallMen();
        ASSERT_EQ(men.size(), c.wallMen);
        if (c.wallMen == 0) continue;
        // 188 units toward the goal at (796, 122), along the direction to it.
        const MatchPerson& wall = MatchPersons[MATCH_MARKER];
        EXPECT_NEAR(std::hypot(wall.x - c.x, wall.y - c.y), 188, 3);
        EXPECT_LT(wall.x, c.x);
        EXPECT_LT(wall.y, c.y);
        // The direction to the goal lies in sector 13: the second man stands (-6, 14) off the
        // wall point, the third (6, -14).
        std::vector<std::pair<int32_t, int32_t>> offsets;
        for (const int32_t man : men) {
            offsets.emplace_back(MatchPersons[man].targetX - wall.x,
                                 MatchPersons[man].targetY - wall.y);
        }
        std::sort(offsets.begin(), offsets.end());
        const std::vector<std::pair<int32_t, int32_t>> expected =
            c.wallMen == 2 ? std::vector<std::pair<int32_t, int32_t>>{{-6, 14}, {0, 0}}
                           : std::vector<std::pair<int32_t, int32_t>>{{-6, 14}, {0, 0}, {6, -14}};
        EXPECT_EQ(offsets, expected);
    }
}

TEST_F(FreeKick, TheTakerWaitsForHisWallThenPlaysItAndPlayOpens)
{
    Award(PHASE_FREE_KICK, 1100, 350);
    ASSERT_EQ(MatchPhase, PHASE_FREE_KICK_READY);
    const MatchPerson& t = MatchPersons[kTaker];
    RunTicks(1);
    EXPECT_EQ(Match.restartTimer, 0);  // the wall is on its way
    ASSERT_TRUE(RunUntil([] { return Match.restartTimer != 0; }, 100));
    const int32_t receiver = Match.restartReceiver;
    if (receiver >= 0) {
        EXPECT_LE(MatchPersons[receiver].ballDistance, 480);
    }
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 300));
    EXPECT_EQ(Ball.lastToucher, kTaker);
    EXPECT_NE(t.action, ACT_FREE_KICK_AT_BALL);
}

TEST_F(FreeKick, ADefenderRetreatsTenYardsAndNoFurther)
{
    struct Case {
        int32_t y;  // (1100, y) facing the goal at y 122, the spot (1100, 350)
        int16_t action;
    };
    for (const Case c :
         {Case{300, ACT_FREE_KICK_DEFENDER}, Case{160, ACT_STAND}, Case{122, ACT_STAND}}) {
        SetUp();
        RestartSpot[0] = 1100;
        RestartSpot[1] = 350;
        Person_PlaceAt(5, 1100, c.y);
        Person_SetAction(5, ACT_FREE_KICK_DEFENDER);
        MatchPersons[5].facing = 0;
        RunPersonAction(5);
        EXPECT_EQ(MatchPersons[5].action, c.action) << c.y;
        if (c.action == ACT_FREE_KICK_DEFENDER) {
            EXPECT_LT(MatchPersons[5].y, c.y);
        }
    }
}

// Each restart played out from its award: only the strike that takes a corner or a free kick
// counts, once, for the man who struck it, and his match record carries the count to the
// performance screen.
TEST_F(FreeKick, ACornerOrAFreeKickCountsOnceForItsTakerAndNoOtherRestartCounts)
{
    struct Case {
        const char* name;
        std::function<void()> award;
        int32_t taker;  // -1 whoever the engine picks
        int32_t corners, freeKicks;
    };
    const auto overTheLine = [](int32_t x, int32_t y, int32_t velX, int32_t velY, int32_t last) {
        Person_PlaceAt(MATCH_BALL, x, y);
        Ball.velX = velX * kUnit;
        Ball.velY = velY * kUnit;
        Ball.lastToucher = static_cast<int16_t>(last);
        RunTicks(1);
        ASSERT_NE(MatchPhase, PHASE_OPEN_PLAY);
    };
    const Case cases[] = {
        {"corner", [&] { overTheLine(500, 130, 0, -20, 5); }, 23, 1, 0},
        {"goal kick", [&] { overTheLine(500, 130, 0, -20, 20); }, kKeeper0, 0, 0},
        {"throw-in", [&] { overTheLine(170, 700, -20, 0, 3); }, -1, 0, 0},
        {"free kick", [this] { Award(PHASE_FREE_KICK, 796, 1100); }, kTaker, 0, 1},
        {"free kick, wall", [this] { Award(PHASE_FREE_KICK, 1100, 350); }, kTaker, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Match.takers[1][TAKER_CORNER] = 23;
        c.award();
        ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 1500));
        const int32_t taker = Ball.lastToucher;
        ASSERT_TRUE(taker >= 0 && taker < MATCH_PLAYER_COUNT);
        if (c.taker >= 0) {
            EXPECT_EQ(taker, c.taker);
        }
        int32_t corners = 0;
        int32_t freeKicks = 0;
        for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
            corners += MatchPersons[p].stats.cornersTaken;
            freeKicks += MatchPersons[p].stats.freeKicksTaken;
        }
        EXPECT_EQ(corners, c.corners);
        EXPECT_EQ(freeKicks, c.freeKicks);
        PlayerMatchRecord record{};
        Football_FillPlayerMatchRecord(&record, Person_Side(taker), taker % 16);
        EXPECT_EQ(Football_GetMatchFigure(record, PMS_CORNERS_TAKEN), c.corners);
        EXPECT_EQ(Football_GetMatchFigure(record, PMS_FREE_KICKS_TAKEN), c.freeKicks);
        // Play goes on: the taker's next strike in open play is no set piece.
        RunTicks(200);
        EXPECT_EQ(MatchPersons[taker].stats.cornersTaken, c.corners);
        EXPECT_EQ(MatchPersons[taker].stats.freeKicksTaken, c.freeKicks);
    }
}

// The moves around a restart, one tick or one animation each: person 5 at (400, 700) in
// phase 6 with the ball high in the air far away.
TEST_F(DeadBall, TheMovesAroundARestartRunWaitGestureAndChaseByTheirRules)
{
    constexpr int32_t kMover = 5;
    // Frames 1 to the last on the way down and back to 1: 2 x (frames - 1) ticks.
    const int32_t kBend = MotionFrames_Count(5) - 1;
    struct Case {
        const char* what;
        int16_t action;
        std::function<void(MatchPerson&)> set;
        int32_t ticks;
        std::function<void(const MatchPerson&)> check;
    };
    const auto toPoint = [](int32_t x, int32_t y) {
        return [x, y](MatchPerson& p) {
            p.receivePoint[0] = static_cast<int16_t>(x);
            p.receivePoint[1] = static_cast<int16_t>(y);
            p.passKind = -1;
        };
    };
    const Case cases[] = {
        {"76 runs facing its far point", ACT_MOVE_TO_LOOSE_BALL,
         [&](MatchPerson& p) {
             toPoint(600, 700)(p);
             p.facing = 64;
         },
         10,
         [](const MatchPerson& p) {
             EXPECT_GT(p.x, 405);
             EXPECT_EQ(p.facing, 64);
             EXPECT_EQ(p.animation, 13);
             EXPECT_EQ(p.kicked, 0);
         }},
        {"76 walks backwards to a near point behind him", ACT_MOVE_TO_LOOSE_BALL,
         [&](MatchPerson& p) {
             toPoint(460, 700)(p);
             p.facing = 192;
         },
         10,
         [](const MatchPerson& p) {
             EXPECT_GT(p.x, 400);  // toward the point, his back still to it
             EXPECT_EQ(p.facing, 192);
             EXPECT_EQ(p.animation, 14);
         }},
        {"76 at its point counts its wait", ACT_MOVE_TO_LOOSE_BALL, toPoint(402, 700), 3,
         [](const MatchPerson& p) {
             EXPECT_EQ(p.kicked, 3);
             EXPECT_EQ(p.runSpeed, 100);
             EXPECT_EQ(p.action, ACT_MOVE_TO_LOOSE_BALL);
         }},
        {"76 marks a man not yet at his point", ACT_MOVE_TO_LOOSE_BALL,
         [&](MatchPerson& p) {
             toPoint(600, 700)(p);
             p.passKind = 20;
             MatchPersons[20].receivePoint[0] = 900;
             MatchPersons[20].receivePoint[1] = 900;
         },
         10, [](const MatchPerson& p) { EXPECT_EQ(p.x, 400); }},
        {"76 chases a ball loose on the ground in open play", ACT_MOVE_TO_LOOSE_BALL,
         [&](MatchPerson& p) {
             toPoint(600, 700)(p);
             MatchPhase = PHASE_OPEN_PLAY;
             Ball.height = 0;
         },
         1, [](const MatchPerson& p) { EXPECT_EQ(p.action, ACT_ACTIVE); }},
        {"100 gestures once and goes back", ACT_GESTURE_AND_RETURN,
         [](MatchPerson& p) { p.savedAction = ACT_MOVE_TO_LOOSE_BALL; }, 100,
         [](const MatchPerson& p) { EXPECT_EQ(p.action, ACT_MOVE_TO_LOOSE_BALL); }},
        {"100 saved as its own resume stands", ACT_GESTURE_AND_RETURN,
         [](MatchPerson& p) { p.savedAction = ACT_GESTURE_AND_RETURN; }, 100,
         [](const MatchPerson& p) { EXPECT_LE(p.action, ACT_WALK_TO_TARGET); }},
        {"14 runs to where the ball comes down", ACT_WAIT_FOR_HIGH_BALL,
         [](MatchPerson& p) {
             LandingPoint[0] = 400;
             LandingPoint[1] = 900;
             p.facing = 128;
         },
         10,
         [](const MatchPerson& p) {
             EXPECT_GT(p.y, 705);
             EXPECT_EQ(p.action, ACT_WAIT_FOR_HIGH_BALL);
         }},
        {"14 waits on while the falling ball is 16 high", ACT_WAIT_FOR_HIGH_BALL,
         [](MatchPerson&) {
             LandingPoint[0] = 400;
             LandingPoint[1] = 900;
             Ball.height = 16;
             Ball.velZ = -1;
         },
         1, [](const MatchPerson& p) { EXPECT_EQ(p.action, ACT_WAIT_FOR_HIGH_BALL); }},
        {"14 ends once the ball falls below 16", ACT_WAIT_FOR_HIGH_BALL,
         [](MatchPerson&) {
             LandingPoint[0] = 400;
             LandingPoint[1] = 900;
             Ball.height = 15;
             Ball.velZ = -1;
         },
         1,
         [](const MatchPerson& p) {
             EXPECT_EQ(p.action, ACT_WALK_TO_TARGET);
             EXPECT_EQ(LandingPoint[0], 0);
             EXPECT_EQ(LandingPoint[1], 0);
         }},
        {"96 walks to its post", ACT_NEAR_POST,
         [](MatchPerson& p) {
             p.targetX = 600;
             p.targetY = 700;
         },
         10,
         [](const MatchPerson& p) {
             EXPECT_GT(p.x, 400);
             EXPECT_EQ(p.action, ACT_NEAR_POST);
         }},
        {"96 at its post stands once play opens", ACT_NEAR_POST,
         [](MatchPerson&) { MatchPhase = PHASE_OPEN_PLAY; }, 1,
         [](const MatchPerson& p) { EXPECT_EQ(p.action, ACT_STAND); }},
        {"103 walks back once play opens", ACT_FREE_KICK_RUNNER,
         [](MatchPerson&) { MatchPhase = PHASE_OPEN_PLAY; }, 1,
         [](const MatchPerson& p) { EXPECT_EQ(p.action, ACT_WALK_TO_TARGET); }},
        {"58 holds its spot through 31 ticks of open play", ACT_HOLD_SPOT,
         [](MatchPerson& p) {
             p.actionWord = 32;
             MatchPhase = PHASE_OPEN_PLAY;
         },
         31, [](const MatchPerson& p) { EXPECT_EQ(p.action, ACT_HOLD_SPOT); }},
        {"58 stands after 32", ACT_HOLD_SPOT,
         [](MatchPerson& p) {
             p.actionWord = 32;
             MatchPhase = PHASE_OPEN_PLAY;
         },
         32, [](const MatchPerson& p) { EXPECT_EQ(p.action, ACT_STAND); }},
        {"67 is still bending one tick before the end", ACT_BEND_AND_RISE,
         [](MatchPerson& p) { p.savedAction = ACT_BEFORE_RESTART_KICK; }, 2 * kBend - 1,
         [](const MatchPerson& p) { EXPECT_EQ(p.action, ACT_BEND_AND_RISE); }},
        {"67 bends down and back up, then the saved action", ACT_BEND_AND_RISE,
         [](MatchPerson& p) { p.savedAction = ACT_BEFORE_RESTART_KICK; }, 2 * kBend,
         [](const MatchPerson& p) { EXPECT_EQ(p.action, ACT_BEFORE_RESTART_KICK); }},
        {"67 saved as its own resume goes on at once", ACT_BEND_AND_RISE,
         [](MatchPerson& p) { p.savedAction = ACT_BEND_AND_RISE; }, 1,
         [](const MatchPerson& p) { EXPECT_EQ(p.action, ACT_BEFORE_RESTART_KICK); }},
        {"33 gets up and chases the ball", ACT_KNOCKED_DOWN, [](MatchPerson&) {},
         MotionFrames_Count(85), [](const MatchPerson& p) { EXPECT_EQ(p.action, ACT_ACTIVE); }},
        {"160 gestures and takes the saved action", ACT_KEEPER_GESTURE_160,
         [&](MatchPerson& p) {
             toPoint(1400, 2000)(p);
             p.savedAction = ACT_MOVE_TO_LOOSE_BALL;
         },
         100, [](const MatchPerson& p) { EXPECT_EQ(p.action, ACT_MOVE_TO_LOOSE_BALL); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        MatchPhase = PHASE_THROW_IN_TAKEN;
        Person_PlaceAt(MATCH_BALL, 1200, 1900);
        Ball.height = 200;
        Ball.velZ = 65536;
        Person_PlaceAt(kMover, 400, 700);
        Person_SetAction(kMover, c.action);
        MatchPerson& p = MatchPersons[kMover];
        p.targetX = 400;
        p.targetY = 700;
        p.runSpeed = 0;
        c.set(p);
        for (int32_t tick = 0; tick < c.ticks; ++tick) {
            RunPersonAction(kMover);
        }
        c.check(p);
    }
}

// The stoppage strikes and falls, person 5 at (400, 700) facing larger x, the ball at his feet,
// person 20 of the other side its last toucher.
TEST_F(DeadBall, TheGroundPassAndTheTackleStrikeOnceAndTheFallsEndInTheChase)
{
    static int32_t s_marks = 0;
    const auto scene = [this](int16_t action, int16_t phase) {
        SetUp();
        s_marks = 0;
        MatchPresentationOps.AddGroundMark = [](int32_t, int32_t, double, double, uint8_t) {
            ++s_marks;
        };
        MatchPhase = phase;
        Person_PlaceAt(5, 400, 700);
        Person_PlaceAt(MATCH_BALL, 404, 700);
        Ball.x16 = 404 * kUnit;
        Ball.y16 = 700 * kUnit;
        Ball.lastToucher = 20;
        Person_SetAction(20, ACT_WALK_TO_TARGET);
        Person_SetAction(5, action);
        MatchPersons[5].facing = 64;
        MatchPersons[5].ballDistance = 4;
        return &MatchPersons[5];
    };

    // The pass along the ground to person 7 at (604, 700): 200 away, the style-0 row.
    MatchPerson* p = scene(ACT_GROUND_PASS, PHASE_OPEN_PLAY);
    Match.kickTargetPerson = 7;
    Match.kickTargetPoint[0] = 604;
    Match.kickTargetPoint[1] = 700;
    MatchPersons[7].positionExtra[0] = 200;  // a corrupt shirt byte counts nowhere
    EXPECT_EQ(StrikeFramesOf(5, ACT_GROUND_PASS, 100), std::vector<int32_t>{26});
    EXPECT_EQ(Ball.velX, 200 * (2400 - 400));
    EXPECT_EQ(Ball.velY, 0);
    EXPECT_EQ(Ball.velZ, 200 * 120 + 16384);
    EXPECT_EQ(p->passCounters[0], 1);
    EXPECT_EQ(Match.passRecord[0][1], 7);
    EXPECT_EQ(MatchPersons[7].action, ACT_GO_TO_MEETING_SPOT);
    EXPECT_TRUE(Said(239));
    EXPECT_EQ(p->action, ACT_ACTIVE);

    // The tackle pokes the ball on along his facing; in open play the loser falls and it counts.
    struct Tackle {
        int16_t phase;
        int16_t holder;
        bool counts;
        bool pokes;
    };
    for (const Tackle c :
         {Tackle{PHASE_OPEN_PLAY, 0, true, true}, Tackle{PHASE_THROW_IN_TAKEN, 0, false, true},
          Tackle{PHASE_OPEN_PLAY, 1, false, false}}) {
        SCOPED_TRACE(c.phase * 10 + c.holder);
        p = scene(ACT_STANDING_TACKLE, c.phase);
        Ball.holder = c.holder;
        RunPersonAction(5);
        EXPECT_EQ(Ball.velX, c.pokes ? kKicking * 2048 : 0);
        EXPECT_EQ(Ball.velY, 0);
        EXPECT_EQ(p->kicked, c.pokes ? 1 : 0);
        EXPECT_EQ(p->stats.tackles, c.counts ? 1 : 0);
        EXPECT_EQ(MatchPersons[20].action == ACT_STUMBLE, c.counts);
        if (c.pokes) {
            EXPECT_EQ(Ball.lastToucher, 5);
        }
    }

    // The slide marks the ground once and slows him to a stop; the burst ends active.
    p = scene(ACT_SLIDE_TO_STOP, PHASE_OPEN_PLAY);
    p->runSpeed = 150;
    for (int32_t tick = 0; tick < 200 && p->action == ACT_SLIDE_TO_STOP; ++tick) {
        RunPersonAction(5);
    }
    EXPECT_EQ(s_marks, 1);
    EXPECT_EQ(Match.groundMarkFlag, 0);
    EXPECT_LT(p->runSpeed, 150);
    EXPECT_EQ(p->action, ACT_ACTIVE);
    p = scene(ACT_BURST, PHASE_OPEN_PLAY);
    for (int32_t tick = 0; tick < 200 && p->action == ACT_BURST; ++tick) {
        RunPersonAction(5);
    }
    EXPECT_EQ(p->action, ACT_ACTIVE);
    EXPECT_EQ(ActivePlayer[0], 5);
    EXPECT_GT(p->x, 410);

    // The twin back-offs: 52 units off, 20 or 30 ticks standing, then the run-up.
    struct BackOffCase {
        int16_t action;
        int32_t stand;
        int32_t group;
        int16_t next;
    };
    for (const BackOffCase c : {BackOffCase{ACT_BACK_OFF_FOR_SHOT, 20, 242, ACT_DIRECT_FREE_KICK},
                                BackOffCase{ACT_BACK_OFF_FOR_PASS, 30, 243, ACT_SET_PIECE_PASS}}) {
        p = scene(c.action, PHASE_DIRECT_FREE_KICK);
        ShotTarget[0] = 1000;
        ShotTarget[1] = 700;
        Match.kickTargetPoint[0] = 1000;
        Match.kickTargetPoint[1] = 700;
        int32_t ticks = 0;
        while (p->actionWord == 0 && ticks < 300) {
            RunPersonAction(5);
            ++ticks;
        }
        EXPECT_GT(404 - p->x, 52);
        int32_t standing = 0;
        while (p->action == c.action && standing < 100) {
            RunPersonAction(5);
            ++standing;
        }
        EXPECT_EQ(standing, c.stand - 1);
        EXPECT_EQ(p->action, c.next);
        EXPECT_TRUE(Said(c.group));
    }
}

}  // namespace
