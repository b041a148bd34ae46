// tests/gamecode/keepersaves_test.cpp: the dive's contact test over a table of balls and skills
// (a skill of 100 never loses its draw, one of -1 always does), the tip, the penalty's books, the
// palm's lockout, the punch and the block worked by hand, and the take-ball step's cases.
#include "gamecode/keepersaves.h"

#include <algorithm>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/keeper.h"
#include "gamecode/keeperball.h"
#include "gamecode/kickbook.h"
#include "gamecode/phases.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kKeeper = 0;
constexpr int32_t kShooter = 25;
constexpr int32_t kUnit = 65536;

class KeeperContact : public testing::Test {
protected:
    void SetUp() override
    {
        LineUp[0][0] = kKeeper;
        Keeper(100, 100);
        Person_PlaceAt(kKeeper, 796, 150);
        CurrentPersonPos = {796, 150, 796 * kUnit, 150 * kUnit};
        KeeperDiveDirection = 128;  // toward larger y: his hands' box is centred on (796, 150 + h)
        Match.shooter = kShooter;
        Ball.velY = -20 * kUnit;
        Ball.velZ = 2 * kUnit;
    }
    static void Keeper(int8_t handling, int8_t agility)
    {
        MatchPersons[kKeeper].skills[0] = static_cast<uint8_t>(handling);
        MatchPersons[kKeeper].skills[18] = static_cast<uint8_t>(agility);
    }
    static void BallAt(int32_t x, int32_t y, int32_t height, uint8_t speed)
    {
        Person_PlaceAt(MATCH_BALL, x, y);
        Ball.height = static_cast<uint16_t>(height);
        Ball.speed = speed;
    }
    ScopedMatch match;
};

enum class Outcome { None, Spent, Deflected, Parried, Caught };

Outcome OutcomeOf(const MatchPerson& k, uint8_t kickedBefore)
{
    if (k.stats.deflections != 0) return Outcome::Deflected;
    if (k.stats.parries != 0) return Outcome::Parried;
    if (k.stats.catches != 0) return Outcome::Caught;
    return k.kicked != kickedBefore ? Outcome::Spent : Outcome::None;
}

TEST_F(KeeperContact, TheHandsBoxTheHeightsTheDrawsAndThePhaseDecideEachContact)
{
    // Handling 100: reach 100 / 8 + 20 = 32, half 16: the box spans x 780-812 and y 158-174
    // (32 / 4 = 8 about 166). Handling -1: reach 20, half 10: x 786-806, y 155-165 about 160.
    struct Case {
        int8_t handling, agility;
        int32_t x, y, height;
        uint8_t speed;
        int16_t kind;
        int16_t phase;
        uint8_t kicked;
        int32_t force;
        Outcome outcome;
        int16_t action;  // his action after it (the catch form on a catch)
    } const cases[] = {
        {100, 100, 796, 166, 10, 20, DIVE_MIDDLE, PHASE_OPEN_PLAY, 0, 0, Outcome::Caught,
         ACT_KEEPER_CATCH_MID},
        {-1, -1, 796, 160, 10, 7, DIVE_MIDDLE, PHASE_OPEN_PLAY, 0, 0, Outcome::Caught,
         ACT_KEEPER_CATCH_MID},  // a slow ball is always held
        {-1, -1, 796, 160, 10, 8, DIVE_MIDDLE, PHASE_OPEN_PLAY, 0, 0, Outcome::Deflected, 130},
        {100, -1, 796, 166, 10, 20, DIVE_MIDDLE, PHASE_OPEN_PLAY, 0, 0, Outcome::Parried, 130},
        {100, 100, 796, 166, 10, 3, DIVE_MIDDLE, PHASE_OPEN_PLAY, 0, 1, Outcome::Parried, 130},
        {100, 100, 812, 174, 4, 20, DIVE_MIDDLE, PHASE_OPEN_PLAY, 0, 0, Outcome::Caught,
         ACT_KEEPER_CATCH_MID},
        {100, 100, 813, 166, 10, 20, DIVE_MIDDLE, PHASE_OPEN_PLAY, 0, 0, Outcome::None, 130},
        {100, 100, 780, 157, 10, 20, DIVE_MIDDLE, PHASE_OPEN_PLAY, 0, 0, Outcome::None, 130},
        {-1, -1, 807, 160, 10, 7, DIVE_MIDDLE, PHASE_OPEN_PLAY, 0, 0, Outcome::None, 130},
        {-1, -1, 796, 166, 10, 7, DIVE_MIDDLE, PHASE_OPEN_PLAY, 0, 0, Outcome::None, 130},
        {100, 100, 796, 166, 17, 20, DIVE_MIDDLE, PHASE_OPEN_PLAY, 0, 0, Outcome::None, 130},
        {100, 100, 796, 166, 3, 20, DIVE_MIDDLE, PHASE_OPEN_PLAY, 0, 0, Outcome::None, 130},
        {100, 100, 796, 166, 12, 20, DIVE_LOW, PHASE_OPEN_PLAY, 0, 0, Outcome::Caught,
         ACT_KEEPER_CATCH_LOW},
        {100, 100, 796, 166, 13, 20, DIVE_LOW, PHASE_OPEN_PLAY, 0, 0, Outcome::None, 130},
        {100, 100, 796, 166, 8, 20, DIVE_HIGH, PHASE_OPEN_PLAY, 0, 0, Outcome::Caught,
         ACT_KEEPER_CATCH_HIGH},
        {100, 100, 796, 166, 7, 20, DIVE_HIGH, PHASE_OPEN_PLAY, 0, 0, Outcome::None, 130},
        // Outside open play a catch does nothing more, but the dive's one touch is spent.
        {100, 100, 796, 166, 10, 20, DIVE_MIDDLE, PHASE_PENALTY_KICK, 0, 0, Outcome::Spent, 130},
        {-1, -1, 796, 160, 10, 20, DIVE_MIDDLE, PHASE_OPEN_PLAY, 1, 0, Outcome::None, 130},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " h" << c.height << " s"
                                        << int{c.speed} << " kind " << c.kind);
        MatchPerson& k = MatchPersons[kKeeper];
        k.stats = {};
        k.kicked = c.kicked;
        k.action = ACT_KEEPER_DIVE_MID_SHORT;
        MatchPersons[kShooter].stats = {};
        Match.shooter = kShooter;
        Keeper(c.handling, c.agility);
        BallAt(c.x, c.y, c.height, c.speed);
        Ball.velX = 0;
        Ball.velY = -20 * kUnit;
        Ball.velZ = 2 * kUnit;
        Ball.possession = 1;
        Match.diveKind = c.kind;
        MatchPhase = c.phase;
        Keeper_SaveContact(kKeeper, c.force);
        const Outcome outcome = OutcomeOf(k, c.kicked);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(k.action, c.action);
        const bool touched = outcome != Outcome::None && outcome != Outcome::Spent;
        EXPECT_EQ(MatchPersons[kShooter].stats.shotsOnTarget, touched ? 1 : 0);
        EXPECT_EQ(Match.shooter, touched ? -1 : kShooter);
        // A catch leaves possession to the take-ball step.
        EXPECT_EQ(Ball.possession, touched && outcome != Outcome::Caught ? 0 : 1);
        EXPECT_EQ(Ball.velY == 0, outcome == Outcome::Caught);
        if (outcome == Outcome::Parried) {
            // Turned round with 10-39 % of its pace; the lift grows by 100 / 50-99.
            EXPECT_GE(Ball.velY, 20 * kUnit * 10 / 100);
            EXPECT_LE(Ball.velY, 20 * kUnit * 39 / 100);
            EXPECT_GE(Ball.velZ, 2 * kUnit * 100 / 99);
            EXPECT_LE(Ball.velZ, 4 * kUnit);
            EXPECT_EQ(Match.ballEvent, 3);
        }
        if (outcome == Outcome::Deflected) {
            EXPECT_LE(std::abs(Ball.velY), 20 * kUnit * 54 / 100);
            EXPECT_GE(Match.deflectFactor, 50);
            EXPECT_LE(Match.deflectFactor, 99);
        }
    }
}

// A fingertip at either edge of the hands sends the ball on past that edge, slowed to under half
// its sideways pace: a keeper tips the ball round either post alike, at either goal.
TEST_F(KeeperContact, AFingertipAtEitherEdgeSendsTheBallOnPastThatEdge)
{
    Keeper(-1, -1);  // half 10: the box spans x 786-806
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SRand(seed);
        const bool left = seed % 2 == 0;
        MatchPersons[kKeeper].kicked = 0;
        BallAt(left ? 787 : 804, 160, 10, 20);
        Ball.velX = (left ? -6 : 6) * kUnit;
        Ball.velY = -20 * kUnit;
        Match.diveKind = DIVE_MIDDLE;
        Keeper_SaveContact(kKeeper, 0);
        const int32_t outward = left ? -Ball.velX : Ball.velX;
        ASSERT_GE(outward, 0) << seed;
        ASSERT_LE(outward, 6 * kUnit * 54 / 100) << seed;
        ASSERT_LE(Match.deflectFactor, 49) << seed;
    }
}

TEST_F(KeeperContact, APenaltySavedCountsForTheKeeperAndAgainstTheTaker)
{
    ShotWindow = 30;
    Keeper(100, -1);
    BallAt(796, 166, 10, 20);
    Match.diveKind = DIVE_MIDDLE;
    Match.passProvider = 22;
    Keeper_SaveContact(kKeeper, 0);
    EXPECT_EQ(MatchPersons[kKeeper].stats.parries, 1);
    EXPECT_EQ(MatchPersons[kKeeper].stats.penaltiesSaved, 1);
    EXPECT_EQ(MatchPersons[kShooter].stats.penaltiesMissed, 1);
    EXPECT_EQ(MatchPersons[kShooter].stats.shotsOnTarget, 1);
    EXPECT_EQ(Match.teamStats[1].shotsOnTarget, 1);
    EXPECT_EQ(Match.passProvider, -1);
    const std::vector<int32_t>& said = match.Record().commentaryGroups;
    EXPECT_NE(std::find(said.begin(), said.end(), 133), said.end());
    const std::vector<int32_t>& sounds = match.Record().sounds;
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), 25), sounds.end());
}

// Jump 80: reach 80 / 20 + 8 = 12, the punch and the palm up to 80 / 10 + 16 = 24, the high
// save up to 80 / 20 + 16 = 20.
TEST_F(KeeperContact, WhileAPalmsLockoutRunsOnlyThePunchAndThePalmTouchTheBall)
{
    struct Case {
        int16_t action;
        int32_t x;  // the ball's
        int32_t height;
        bool touches;
    } const cases[] = {
        {ACT_KEEPER_HIGH_SAVE, 796, 15, false},      {ACT_KEEPER_COLLECT_LOW, 796, 5, false},
        {ACT_KEEPER_SAVE_MID_CLOSE, 796, 10, false}, {ACT_KEEPER_PUNCH, 900, 15, true},
        {ACT_KEEPER_PALM_OVER, 900, 15, true},       {ACT_KEEPER_PALM_OVER, 900, 25, false},
        {ACT_KEEPER_PUNCH, 900, 8, false},
    };
    MatchPersons[kKeeper].skills[4] = 80;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        MatchPerson& k = MatchPersons[kKeeper];
        Person_SetAction(kKeeper, c.action);
        k.stats = {};
        SaveLockout = 24;  // running; a palm starts it afresh at 25
        Match.shooter = -1;
        BallAt(c.x, 150, c.height, 20);
        Ball.velX = 0;
        Ball.velY = -20 * kUnit;
        RunPersonAction(kKeeper);
        const int32_t touches = k.stats.catches + k.stats.parries + k.stats.punches + k.stats.palms;
        EXPECT_EQ(touches, c.touches ? 1 : 0);
        EXPECT_EQ(SaveLockout, c.touches && c.action == ACT_KEEPER_PALM_OVER ? 25 : 24);
    }
}

TEST_F(KeeperContact, AHighSaveCountsACatchOnEveryContactAndParriesOrHoldsByHisHands)
{
    MatchPersons[kKeeper].skills[4] = 80;
    for (const int8_t handling : {-1, 100}) {
        SCOPED_TRACE(int{handling});
        MatchPerson& k = MatchPersons[kKeeper];
        Person_SetAction(kKeeper, ACT_KEEPER_HIGH_SAVE);
        k.stats = {};
        Keeper(handling, 100);
        Match.shooter = kShooter;
        MatchPersons[kShooter].stats = {};
        BallAt(796, 158, 20, 20);  // within 12, at the highest he takes: 80 / 20 + 16
        Ball.velY = -20 * kUnit;
        RunPersonAction(kKeeper);
        EXPECT_EQ(k.stats.catches, 1);
        EXPECT_EQ(MatchPersons[kShooter].stats.shotsOnTarget, 1);
        EXPECT_EQ(k.action, handling < 0 ? ACT_KEEPER_HIGH_SAVE : ACT_KEEPER_PICK_UP);
        EXPECT_EQ(Ball.velY > 0, handling < 0);  // parried back
    }
    Person_SetAction(kKeeper, ACT_KEEPER_HIGH_SAVE);
    BallAt(796, 158, 21, 20);
    RunPersonAction(kKeeper);
    EXPECT_EQ(MatchPersons[kKeeper].stats.catches, 1);
}

TEST_F(KeeperContact, ThePunchAndTheBlockSendTheBallAsWorkedByHand)
{
    MatchPerson& k = MatchPersons[kKeeper];
    k.skills[4] = 80;
    k.skills[17] = 60;
    Person_SetAction(kKeeper, ACT_KEEPER_PUNCH);
    k.facing = 128;
    Match.deflectFactor = 21;  // low four bits 5
    BallAt(796, 152, 20, 20);
    RunPersonAction(kKeeper);
    // Length (60 - 20) / 2 + 50 = 70 straight down the pitch.
    EXPECT_EQ(Ball.velX, 0);
    EXPECT_EQ(Ball.velY, 70 * 2048);
    EXPECT_EQ(Ball.velZ, 5 * 6144 + 98304);
    EXPECT_EQ(k.stats.punches, 1);
    EXPECT_EQ(k.stats.clearances, 1);
    EXPECT_EQ(Match.lastKickKind, KICK_KIND_CLEARANCE);
    EXPECT_EQ(Ball.lastToucher, kKeeper);

    // A jump that meets nothing rises to 80 x 50 / 1000 = 4, comes down and lands at 0.
    Person_SetAction(kKeeper, ACT_KEEPER_PUNCH);
    Person_PlaceAt(kKeeper, 796, 150);
    SavePoint[0] = 796;
    SavePoint[1] = 150;
    BallAt(796, 600, 20, 20);
    int32_t highest = 0;
    for (int32_t tick = 0; tick < 200 && k.action == ACT_KEEPER_PUNCH; ++tick) {
        RunPersonAction(kKeeper);
        ASSERT_GE(k.height, 0);
        highest = std::max<int32_t>(highest, k.height);
    }
    EXPECT_EQ(highest, 4);
    EXPECT_EQ(k.height, 0);
    EXPECT_EQ(k.action, ACT_KEEPER_IDLE);

    // The block: reach 100 / 10 + 9 = 19 for handling 100; the ball pops up by the kept factor.
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SRand(seed);
        Person_SetAction(kKeeper, ACT_KEEPER_QUICK_BLOCK_155);
        k.passKind = 5;
        k.stats = {};
        BallAt(796, 150 + 19, 12, 20);
        Ball.velY = -20 * kUnit;
        RunPersonAction(kKeeper);
        ASSERT_EQ(k.stats.parries, 1) << seed;
        ASSERT_EQ(k.animation, 116);
        ASSERT_EQ(Ball.velZ, Match.deflectFactor * 4096 + 32768);
        ASSERT_LT(Match.deflectFactor, 32);
        ASSERT_GT(Ball.velY, 0);
        ASSERT_EQ(match.Record().commentaryGroups.back(), 157);
        RunPersonAction(kKeeper);  // one touch a block
        ASSERT_EQ(k.stats.parries, 1);
    }
    Person_SetAction(kKeeper, ACT_KEEPER_QUICK_BLOCK_155);
    k.stats = {};
    BallAt(796, 150 + 20, 12, 20);
    RunPersonAction(kKeeper);
    EXPECT_EQ(k.stats.parries, 0);
}

TEST_F(KeeperContact, TheTakeBallStepHoldsInOpenPlayEndsAShootOutKickAndElseLetsGo)
{
    struct Case {
        int16_t period;
        int16_t phase;
        uint8_t deadBall;
        int16_t action;
        int16_t phaseAfter;
        int16_t holder;
    } const cases[] = {
        {0, PHASE_OPEN_PLAY, 0, ACT_KEEPER_HOLD_AT_FEET, PHASE_KEEPER_HOLDS, kKeeper + 1},
        {2, PHASE_PENALTY_KICK, 0, ACT_KEEPER_HOLD_AT_FEET, PHASE_KEEPER_HOLDS, kKeeper + 1},
        {0, PHASE_OPEN_PLAY, 2, ACT_KEEPER_IDLE, PHASE_OPEN_PLAY, 0},
        {MATCH_PERIOD_SHOOT_OUT, PHASE_OPEN_PLAY, 0, ACT_KEEPER_TAKE_BALL, PHASE_SHOOTOUT_NEXT_KICK,
         1},
        {MATCH_PERIOD_SHOOT_OUT, PHASE_PENALTY_KICK, 0, ACT_KEEPER_IDLE, PHASE_PENALTY_KICK, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.period << " " << c.phase);
        Person_SetAction(kKeeper, ACT_KEEPER_TAKE_BALL);
        Match.period = c.period;
        MatchPhase = c.phase;
        PhaseTimer = 7;
        DeadBallFlag = c.deadBall;
        Ball.holder = 1;
        Ball.possession = 1;
        Person_PlaceAt(MATCH_BALL, 700, 700);
        CurrentPersonPos = {790, 160, 790 * kUnit, 160 * kUnit};
        Action_KeeperTakeBall(kKeeper);
        EXPECT_EQ(MatchPersons[kKeeper].action, c.action);
        EXPECT_EQ(MatchPhase, c.phaseAfter);
        EXPECT_EQ(Ball.holder, c.holder);
        EXPECT_EQ(MatchPersons[MATCH_BALL].x, 790);
        if (c.phaseAfter == PHASE_KEEPER_HOLDS) {
            EXPECT_EQ(Match.goalKickSpot[0], 790);
            EXPECT_EQ(Match.goalKickSpot[1], 160);
            EXPECT_EQ(PhaseTimer, 0);
            EXPECT_EQ(Ball.possession, 0);
            EXPECT_EQ(Ball.lastToucher, kKeeper);
        }
    }
}

}  // namespace
