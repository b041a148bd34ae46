// tests/gamecode/keeperball_test.cpp: the smother's branches (forced by skills and the referee's
// values, the even ones over seeds), the injury worked back from its total, the fall that
// follows, and two shots at a keeper in a running match: one held and handed on, one dived at.
#include "gamecode/keeperball.h"

#include <algorithm>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/keeper.h"
#include "gamecode/matchdata.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kKeeper = 0;
constexpr int32_t kAttacker = 20;
constexpr int32_t kUnit = 65536;

class Smother : public testing::Test {
protected:
    void SetUp() override
    {
        LineUp[0][0] = kKeeper;
        Skills(kKeeper, 100, 100);
        Skills(kAttacker, 0, 100);
        MatchPersons[kAttacker].skills[4] = 90;
        ActivePlayer[1] = kAttacker;
        Match.proximity[1][0] = kAttacker;
    }
    static void Skills(int32_t person, int8_t agility, int8_t toughness)
    {
        MatchPersons[person].skills[18] = static_cast<uint8_t>(agility);
        MatchPersons[person].skills[19] = static_cast<uint8_t>(toughness);
    }
    // The keeper slides at a ball at his feet inside his box, the attacker in `action`.
    void Dive(int16_t action, uint8_t attackerHasBall)
    {
        MatchPhase = PHASE_OPEN_PLAY;
        RefereeDecision = 0;
        MatchPersons[kKeeper].stats = {};
        MatchPersons[kAttacker].stats = {};
        MatchPersons[kKeeper].resultByteB = 0;
        Person_PlaceAt(kKeeper, 796, 300);
        Person_SetAction(kKeeper, ACT_KEEPER_SMOTHER);
        MatchPersons[kKeeper].passKind = 1;
        Person_PlaceAt(MATCH_BALL, 796, 300);
        Ball.height = 0;
        Person_SetAction(kAttacker, action);
        MatchPersons[kAttacker].hasBall = attackerHasBall;
        match.Record().commentaryGroups.clear();
        RunPersonAction(kKeeper);
        ASSERT_EQ(MatchPersons[kKeeper].action, ACT_KEEPER_RISE_FROM_SMOTHER);
        ASSERT_EQ(MatchPersons[kKeeper].passKind, 1);
    }
    bool Said(int32_t group)
    {
        const std::vector<int32_t>& said = match.Record().commentaryGroups;
        return std::find(said.begin(), said.end(), group) != said.end();
    }
    ScopedMatch match;
};

TEST_F(Smother, ALungeTheRefereeSeesIsAFoulOnTheKeeperAndAnythingElseIsHisBall)
{
    struct Case {
        int16_t action;
        uint8_t hasBall;
        int8_t strictness, threshold;
        int16_t phase;
        int16_t decision;
        int16_t attackerAction;  // after
        int32_t group;
    } const cases[] = {
        {ACT_CLEARING_SLIDE, 0, 127, 127, PHASE_FOUL, 8, ACT_CLEARING_SLIDE, 151},
        {ACT_BLOCK_TACKLE, 1, 0, 0, PHASE_OPEN_PLAY, 0, ACT_BLOCK_TACKLE, 0},
        {ACT_ACTIVE, 0, 127, 127, PHASE_OPEN_PLAY, 0, ACT_ACTIVE, 149},
        {ACT_ACTIVE, 1, 127, 127, PHASE_OPEN_PLAY, 0, ACT_SLOW_TO_STOP, 149},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        Match.official[0] = c.strictness;
        Match.official[1] = c.threshold;
        Match.official[2] = 0;  // nobody is let off
        Dive(c.action, c.hasBall);
        EXPECT_EQ(MatchPhase, c.phase);
        EXPECT_EQ(RefereeDecision, c.decision);
        EXPECT_EQ(MatchPersons[kAttacker].action, c.attackerAction);
        EXPECT_EQ(MatchPersons[kKeeper].stats.tackles, 1);
        EXPECT_EQ(MatchPersons[kKeeper].resultByteB, 0);
        EXPECT_TRUE(c.group == 0 || Said(c.group));
        if (c.phase == PHASE_FOUL) {
            EXPECT_EQ(FoulingSide, 1);
            EXPECT_EQ(FouledPlayer, kKeeper);
            EXPECT_EQ(MatchPersons[kAttacker].stats.foulsPenalised, 1);
            EXPECT_EQ(RestartSpot[0], 796);
            EXPECT_EQ(RestartSpot[1], 300);
            EXPECT_TRUE(Said(148) && Said(150));
            // The referee deals with the attacker who lunged in.
            EXPECT_EQ(Offender, kAttacker);
        }
        const bool collided = c.attackerAction == ACT_SLOW_TO_STOP;
        const std::vector<int32_t>& sounds = match.Record().sounds;
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 11), collided ? 1 : 0);
        match.Record().sounds.clear();
    }
}

TEST_F(Smother, ACollisionIsTheKeepersFoulTheAttackersOrCleanAndMayInjureTheAttacker)
{
    Skills(kKeeper, -1, -1);  // he loses every skill draw: only the even draws decide
    Skills(kAttacker, 0, -1);
    Match.official[1] = 0;
    int32_t seen[3] = {};
    int32_t warnings = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        SRand(seed);
        std::fill(MatchPersons[kAttacker].skills + 1, MatchPersons[kAttacker].skills + 18, 90);
        MatchPersons[kAttacker].resultByteA = 50;
        MatchPersons[kKeeper].warnings = 0;
        Dive(ACT_ACTIVE, 1);
        const MatchPerson& k = MatchPersons[kKeeper];
        const MatchPerson& a = MatchPersons[kAttacker];
        if (MatchPhase == PHASE_FOUL && FoulingSide == 0) {
            ++seen[0];
            EXPECT_EQ(FouledPlayer, kAttacker);
            EXPECT_EQ(k.stats.foulsPenalised, 1);
            EXPECT_TRUE(Said(144) && Said(145));
            // No booking at threshold 0; a warning on a quarter of the draws.
            EXPECT_EQ(k.warnings, RefereeDecision == 7 ? 1 : 0);
            EXPECT_EQ(Said(147), RefereeDecision == 7);
            warnings += k.warnings;
        } else if (MatchPhase == PHASE_FOUL) {
            ++seen[1];
            EXPECT_EQ(FouledPlayer, kKeeper);
            EXPECT_EQ(k.resultByteB, 1);
            EXPECT_EQ(a.stats.fouls, 1);
            EXPECT_EQ(k.stats.tackles, 1);
        } else {
            ++seen[2];
            EXPECT_TRUE(Said(149));
            EXPECT_EQ(k.stats.tackles, 1);
        }
        // Toughness -1 is always hurt: f = 100 + the total; skills 1-5 and 15-17 = 90 x 100 / f.
        const int32_t f = 100 + a.stats.injuryTotal;
        ASSERT_GE(f, 100);
        ASSERT_LE(f, 109);
        for (int32_t skill = 1; skill < 18; ++skill) {
            const bool hurt = skill <= 5 || skill >= 15;
            EXPECT_EQ(a.skills[skill], hurt ? 90 * 100 / f : 90) << skill;
        }
        EXPECT_EQ(a.resultByteA, 50 * f / 100);
        EXPECT_EQ(a.action, ACT_SLOW_TO_STOP);
    }
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    EXPECT_GT(seen[2], 0);
    EXPECT_GT(warnings, 0);
    EXPECT_LT(warnings, seen[0]);
}

// A knock on a worn-out attacker tires him to the byte's top and no further, as a tackle's does:
// wrapped round, he would play on as fresh.
TEST_F(Smother, AKnockTiresAWornOutAttackerNoFurtherThan127)
{
    Skills(kKeeper, -1, -1);
    Skills(kAttacker, 0, -1);
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SRand(seed);
        MatchPersons[kAttacker].resultByteA = 120;
        Dive(ACT_ACTIVE, 1);
        const MatchPerson& a = MatchPersons[kAttacker];
        const int32_t f = 100 + a.stats.injuryTotal;
        EXPECT_EQ(a.resultByteA, std::min(127, 120 * f / 100)) << "seed " << seed;
    }
}

TEST_F(Smother, WithNoActivePlayerTheNearestIsTakenAndTheFallerSlowsToAStop)
{
    ActivePlayer[1] = MATCH_NONE;
    Dive(ACT_ACTIVE, 1);
    EXPECT_EQ(ActivePlayer[1], kAttacker);
    MatchPerson& a = MatchPersons[kAttacker];
    ASSERT_EQ(a.action, ACT_SLOW_TO_STOP);
    a.runSpeed = 150;
    int32_t ticks = 0;
    for (int16_t speed = a.runSpeed; a.action == ACT_SLOW_TO_STOP && ticks < 200; ++ticks) {
        RunPersonAction(kAttacker);
        ASSERT_LE(a.runSpeed, speed);
        speed = a.runSpeed;
    }
    EXPECT_EQ(a.action, ACT_ACTIVE);
    EXPECT_GT(ticks, 1);
}

// A running match, side 1's keeper in the goal at y 2042, both outfields parked far upfield.
class ShotAtKeeper : public testing::Test {
protected:
    static constexpr int32_t kGoalie = 16;
    static constexpr int32_t kShooter = 9;
    void SetUp() override
    {
        MatchDayBuilder{}.Write();
        SetMatchPhysics();
        for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
            const int32_t slot = p % 16;
            Person_PlaceAt(p, 300 + 80 * (slot % 11), 500);
            MatchPersons[p].targetX = MatchPersons[p].x;
            MatchPersons[p].targetY = MatchPersons[p].y;
            MatchPersons[p].offPitch = slot <= 10 ? 0 : 1;
        }
        MatchPerson& k = MatchPersons[kGoalie];
        for (int32_t skill : {0, 4, 12, 18, 20}) {
            k.skills[skill] = 100;
        }
        Person_PlaceAt(kGoalie, 796, 2000);
        Person_SetAction(kGoalie, ACT_KEEPER_IDLE);
        MatchPhase = PHASE_OPEN_PLAY;
        MatchShared.ratingMode = 0;
        Match.shooter = kShooter;
        Ball.lastToucher = kShooter;
        LastKicker[0] = kShooter;
    }
    static void Shoot(int32_t x, int32_t y, int32_t velX, int32_t velY, int32_t velZ)
    {
        Person_PlaceAt(MATCH_BALL, x, y);
        Ball.velX = velX;
        Ball.velY = velY;
        Ball.velZ = velZ;
        Ball_UpdateSpeedDir();
    }
    ScopedMatch match;
};

TEST_F(ShotAtKeeper, ALowShotAtHimIsHeldCountedOnTargetAndHandedOn)
{
    Shoot(796, 1700, 0, 24 * kUnit, 0);
    const MatchPerson& k = MatchPersons[kGoalie];
    ASSERT_TRUE(RunUntil([] { return MatchPhase != PHASE_OPEN_PLAY; }, 200));
    ASSERT_EQ(MatchPhase, PHASE_KEEPER_HOLDS);
    EXPECT_EQ(k.action, ACT_KEEPER_HOLD_AT_FEET);
    EXPECT_EQ(k.stats.catches, 1);
    EXPECT_EQ(MatchPersons[kShooter].stats.shotsOnTarget, 1);
    EXPECT_EQ(Match.teamStats[0].shotsOnTarget, 1);
    EXPECT_EQ(Match.score[0], 0);
    EXPECT_EQ(Match.goalKickSpot[0], MatchPersons[MATCH_BALL].x);
    EXPECT_EQ(Match.goalKickSpot[1], MatchPersons[MATCH_BALL].y);
    PlayerMatchRecord record{};
    Football_FillPlayerMatchRecord(&record, 1, 0);
    EXPECT_EQ(PlayerMatchRecord_Get(record, PMR_CATCHES), 1);
    EXPECT_NE(PlayerMatchRecord_Get(record, PMR_KEPT_GOAL), 0);  // a one-bit field
    // He plays the keeper's ball once the restart is set up.
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 600));
    EXPECT_EQ(Ball.lastToucher, kGoalie);
    EXPECT_NE(Ball.velX | Ball.velY, 0);
    EXPECT_NE(k.action, ACT_KEEPER_HOLD_AT_FEET);
}

TEST_F(ShotAtKeeper, AShotWideOfHimIsDivedAtAndHeld)
{
    Shoot(796, 1700, 24 * kUnit / 10, 24 * kUnit, 0);
    const MatchPerson& k = MatchPersons[kGoalie];
    int16_t dive = 0;
    ASSERT_TRUE(RunUntil(
        [&] {
            if (k.action != ACT_KEEPER_IDLE && dive == 0) dive = k.action;
            return MatchPhase != PHASE_OPEN_PLAY;
        },
        200));
    // Handling and agility 100 hold it: the low dive's catch form, then the keeper's ball.
    EXPECT_EQ(dive, ACT_KEEPER_DIVE_LOW_SHORT);
    EXPECT_EQ(MatchPhase, PHASE_KEEPER_HOLDS);
    EXPECT_EQ(Match.score[0], 0);
    EXPECT_EQ(k.stats.catches, 1);
    EXPECT_EQ(MatchPersons[kShooter].stats.shotsOnTarget, 1);
}

}  // namespace
