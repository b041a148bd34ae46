// tests/gamecode/matchsoak_test.cpp: whole matches between generated sides under the full-match
// checks.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "gamecode/actionids.h"
#include "tests/gamecode/harness/harness.h"

namespace {

// The sanitizer build looks for memory faults rather than stalls: shorter matches, fewer strong
// sides.
#ifdef PELLORAN_SOAK_PERIOD_MINUTES
constexpr uint16_t kPeriodMinutes = PELLORAN_SOAK_PERIOD_MINUTES;
constexpr uint32_t kStrongSeedsPerGroup = 10;
#else
constexpr uint16_t kPeriodMinutes = 5;
constexpr uint32_t kStrongSeedsPerGroup = 50;
#endif

struct SoakTotals {
    int32_t goals = 0;
    int32_t throwIns = 0;
    int32_t goalKicks = 0;
    int32_t corners = 0;
    int32_t fouls = 0;
    int32_t foulSetUps = 0;  // foul phases set up, whatever a pending decision added
    int32_t freeKicks = 0;
    int32_t penalties = 0;
    int32_t directFreeKicks = 0;
    int32_t offsides = 0;
    int32_t shootOutGoals = 0;
    int32_t shootOutKicks = 0;
    int32_t bookings = 0;
    int32_t sendingsOff = 0;
    int32_t shots[2] = {0, 0};
    int32_t shotsOnTarget = 0;
    int32_t passesTried = 0;
    int32_t passesCompleted = 0;
    int32_t crosses = 0;
    int32_t catches = 0;
    int32_t parries = 0;
    int32_t otherSaves = 0;
    int32_t goalsFor[2] = {0, 0};
    int32_t substitutions = 0;
    int32_t outfieldTiredness = 0;
    int32_t outfieldStarters = 0;
    ActionTally actions;
    int32_t matches = 0;
    uint64_t possession[2] = {0, 0};
};

void PlaySeeds(uint32_t first, uint32_t count, SidePreset preset, bool cupTie, SoakTotals* totals)
{
    ScopedMatch match;
    for (uint32_t seed = first; seed < first + count; ++seed) {
        const SoakResult r = SoakRun(seed, preset, kPeriodMinutes, cupTie);
        SCOPED_TRACE("seed " + std::to_string(seed));
        EXPECT_TRUE(r.failures.empty()) << r.failures.front();
        EXPECT_TRUE(r.finalWhistle);
        EXPECT_EQ(r.score[0], r.goalRows[0]);
        EXPECT_EQ(r.score[1], r.goalRows[1]);
        EXPECT_TRUE(r.territoryInRange);
        EXPECT_TRUE(r.territoryMatchesThirds);
        totals->goals += r.score[0] + r.score[1];
        totals->goalsFor[0] += r.score[0];
        totals->goalsFor[1] += r.score[1];
        totals->catches += r.catches;
        totals->parries += r.parries;
        totals->otherSaves += r.otherSaves;
        totals->throwIns += r.throwIns;
        totals->goalKicks += r.goalKicks;
        totals->corners += r.corners;
        totals->fouls += r.fouls;
        totals->freeKicks += r.freeKicks;
        totals->penalties += r.penalties;
        totals->directFreeKicks += r.directFreeKicks;
        totals->shootOutGoals += r.shootOutGoals[0] + r.shootOutGoals[1];
        totals->shootOutKicks += r.shootOutKicks;
        totals->bookings += r.bookings;
        totals->sendingsOff += r.sendingsOff;
        totals->outfieldTiredness += r.outfieldTiredness;
        totals->outfieldStarters += r.outfieldStarters;
        // Players tire over a match, keepers never.
        EXPECT_GT(r.outfieldTiredness, 0);
        EXPECT_EQ(r.keeperTiredness, 0);
        for (int32_t side = 0; side < 2; ++side) {
            EXPECT_EQ(r.substitutionTotals[side], r.substitutions[side]) << "side " << side;
            totals->substitutions += r.substitutions[side];
            // Each foul is charged to the fouling side once, when its kick is set up.
            EXPECT_EQ(r.teamFouls[side], r.foulsAgainst[side]) << "side " << side;
            totals->foulSetUps += r.foulsAgainst[side];
            // Each offside given is charged to its player and, by its phase, to his side.
            EXPECT_EQ(r.offsides[side], r.playerOffsides[side]) << "side " << side;
            totals->offsides += r.offsides[side];
            EXPECT_GE(r.shotsOnTarget[side], 0) << "side " << side;
            EXPECT_LE(r.shotsOnTarget[side], r.shots[side]) << "side " << side;
            if (preset == SidePreset::Balanced) {
                EXPECT_GT(r.passesCompleted[side], 0) << "side " << side;
                // Passes on the run: the kick-off alone gives only the standing pass 29. (A
                // sanitizer match of two one-minute periods may see none.)
                if (kPeriodMinutes == 5) {
                    EXPECT_GT(r.actions.Of(side, ACT_PASS_109) + r.actions.Of(side, ACT_PASS_77), 0)
                        << "side " << side;
                }
            }
            for (int32_t action = 0; action < ACT_COUNT; ++action) {
                totals->actions.entries[side][action] += r.actions.Of(side, action);
            }
            totals->shots[side] += r.shots[side];
            totals->shotsOnTarget += r.shotsOnTarget[side];
            totals->passesTried += r.passesTried[side];
            totals->passesCompleted += r.passesCompleted[side];
            totals->crosses += r.crosses[side];
            totals->possession[side] += r.possessionTicks[side];
        }
        ++totals->matches;
    }
}

// Rebounds and clearances put the ball out, so every restart comes up over the seeds.
void ExpectEveryRestartSeen(const SoakTotals& totals)
{
    EXPECT_GT(totals.goals, 0);
    EXPECT_GT(totals.corners, 0);
    EXPECT_GT(totals.throwIns, 0);
    EXPECT_GT(totals.goalKicks, 0);
}

// Every way the carrier's decision ends comes up over fifty matches: the kicks by run speed and
// behind him, a lofted ball, the shots by the keeper's distance, the turns with the ball, the
// touches ahead, and the defenders' jockeying.
void ExpectEveryCarrierDecisionEntered(const SoakTotals& totals)
{
    const ActionTally& t = totals.actions;
    for (const int32_t action :
         {ACT_GROUND_KICK, ACT_PASS_109, ACT_PASS_77, ACT_GROUND_PASS, ACT_SHOT,
          ACT_DRIBBLE_SHOT_81, ACT_DRIBBLE_SHOT_78, ACT_CARRY_RUN, ACT_CARRY_SPRINT, ACT_JOCKEY}) {
        EXPECT_GT(t.OfBothSides(action), 0) << "action " << action;
    }
    for (int32_t turn = ACT_AIMED_KICK_7; turn <= ACT_AIMED_KICK_13; ++turn) {
        EXPECT_GT(t.OfBothSides(turn), 0) << "turn " << turn;
    }
    EXPECT_GT(t.OfBothSides(ACT_LOFTED_BALL_18) + t.OfBothSides(ACT_LOFTED_BALL_75), 0);
    for (int32_t side = 0; side < 2; ++side) {
        EXPECT_GT(totals.shots[side], 0) << "side " << side;
    }
}

// Every dead ball is taken once by its real taker: a throw-in thrown on the run or standing, a
// goal kick struck from the ground, a corner's restart kick; a period ends only in open play, so
// none is left untaken. A keeper with the ball throws it out or kicks it from his hands, and over
// fifty matches of the match day's length keepers do both (a throw comes about once in three such
// matches, so shorter ones may see none). More strikes than restarts is a takers' loop, fewer a
// restart left to a stand-in or never taken.
void ExpectEveryRestartTakenByItsTaker(const SoakTotals& totals)
{
    const ActionTally& t = totals.actions;
    EXPECT_EQ(t.OfBothSides(ACT_THROW_IN_RELEASE) + t.OfBothSides(ACT_STANDING_THROW),
              totals.throwIns);
    EXPECT_EQ(t.OfBothSides(ACT_KEEPER_GOAL_KICK), totals.goalKicks);
    EXPECT_EQ(t.OfBothSides(ACT_RESTART_KICK), totals.corners);
    EXPECT_EQ(t.OfBothSides(ACT_KEEPER_THROW) + t.OfBothSides(ACT_KEEPER_KICK_FROM_HANDS),
              t.OfBothSides(ACT_KEEPER_DISTRIBUTE));
    if (kPeriodMinutes != 5) return;
    for (const int32_t action : {ACT_THROW_IN_RELEASE, ACT_STANDING_THROW, ACT_KEEPER_GOAL_KICK,
                                 ACT_RESTART_KICK, ACT_KEEPER_THROW, ACT_KEEPER_KICK_FROM_HANDS}) {
        EXPECT_GT(t.OfBothSides(action), 0) << "action " << action;
    }
}

// Between balanced sides neither may keep the ball three quarters of the open play.
void ExpectPossessionShared(const SoakTotals& totals)
{
    const uint64_t all = totals.possession[0] + totals.possession[1];
    EXPECT_LE(totals.possession[0] * 4, all * 3) << totals.possession[0] << " of " << all;
    EXPECT_LE(totals.possession[1] * 4, all * 3) << totals.possession[1] << " of " << all;
}

// The carrier's decisions and the restart takers, whose entries per match the test report gives.
constexpr int32_t kReportedActions[] = {ACT_GROUND_KICK,
                                        ACT_PASS_109,
                                        ACT_PASS_77,
                                        ACT_GROUND_PASS,
                                        ACT_LOFTED_BALL_18,
                                        ACT_LOFTED_BALL_75,
                                        ACT_SHOT,
                                        ACT_DRIBBLE_SHOT_81,
                                        ACT_DRIBBLE_SHOT_78,
                                        ACT_CARRY_RUN,
                                        ACT_CARRY_SPRINT,
                                        ACT_JOCKEY,
                                        ACT_THROW_IN_RUN_UP,
                                        ACT_THROW_IN_RELEASE,
                                        ACT_STANDING_THROW,
                                        ACT_KEEPER_GOAL_KICK,
                                        ACT_RESTART_KICK,
                                        ACT_KEEPER_DISTRIBUTE,
                                        ACT_KEEPER_THROW,
                                        ACT_KEEPER_KICK_FROM_HANDS,
                                        ACT_FREE_KICK_TAKER,
                                        ACT_FREE_KICK_AT_BALL,
                                        ACT_FREE_KICK_ARRANGE,
                                        ACT_SET_PIECE_PASS,
                                        ACT_DIRECT_FREE_KICK,
                                        ACT_PENALTY_WALK_TO_SPOT,
                                        ACT_PENALTY_RUN_UP,
                                        ACT_PENALTY_KICK,
                                        ACT_SLIDING_TACKLE_89,
                                        ACT_BLOCK_TACKLE,
                                        ACT_LUNGE,
                                        ACT_STANDING_TACKLE,
                                        ACT_SHOULDER_CHARGE,
                                        ACT_SLIDE_WITH_BALL,
                                        ACT_STUMBLE,
                                        ACT_DIVE_FOR_FOUL,
                                        ACT_CLEARING_SLIDE,
                                        ACT_BURST,
                                        ACT_JUMP_STRIKE_TO_TARGET,
                                        ACT_JUMP_STRIKE_AT_GOAL,
                                        ACT_HIGH_STRIKE_AT_GOAL,
                                        ACT_CONTROL_HIGH_BALL,
                                        ACT_OVERHEAD_KICK,
                                        ACT_VOLLEY_TO_TARGET,
                                        ACT_CONTROL_JUMPING,
                                        ACT_JUMP_HEADER_AT_GOAL,
                                        ACT_JUMP_HEADED_PASS,
                                        ACT_JUMP_HEADER_BACK_FLICK,
                                        ACT_HEADER_TO_MATE,
                                        ACT_HANDBALL,
                                        ACT_HEADER_HOLD_PLACE,
                                        ACT_STANDING_HEADER};

// The group's means per match, in hundredths, and side 0's share of possession in per mille, for
// the test report.
void RecordMeans(const SoakTotals& totals)
{
    const auto perMatch = [&](int64_t total) { return total * 100 / totals.matches; };
    const uint64_t all = totals.possession[0] + totals.possession[1];
    testing::Test::RecordProperty("goals_x100", std::to_string(perMatch(totals.goals)));
    testing::Test::RecordProperty("shots_x100",
                                  std::to_string(perMatch(totals.shots[0] + totals.shots[1])));
    testing::Test::RecordProperty("on_target_x100", std::to_string(perMatch(totals.shotsOnTarget)));
    testing::Test::RecordProperty("passes_x100", std::to_string(perMatch(totals.passesTried)));
    testing::Test::RecordProperty("completed_x100",
                                  std::to_string(perMatch(totals.passesCompleted)));
    testing::Test::RecordProperty("crosses_x100", std::to_string(perMatch(totals.crosses)));
    testing::Test::RecordProperty("catches_x100", std::to_string(perMatch(totals.catches)));
    testing::Test::RecordProperty("parries_x100", std::to_string(perMatch(totals.parries)));
    testing::Test::RecordProperty("other_saves_x100", std::to_string(perMatch(totals.otherSaves)));
    testing::Test::RecordProperty("corners_x100", std::to_string(perMatch(totals.corners)));
    testing::Test::RecordProperty("throw_ins_x100", std::to_string(perMatch(totals.throwIns)));
    testing::Test::RecordProperty("goal_kicks_x100", std::to_string(perMatch(totals.goalKicks)));
    testing::Test::RecordProperty("fouls_x100", std::to_string(perMatch(totals.fouls)));
    testing::Test::RecordProperty("foul_set_ups_x100", std::to_string(perMatch(totals.foulSetUps)));
    testing::Test::RecordProperty("free_kicks_x100", std::to_string(perMatch(totals.freeKicks)));
    testing::Test::RecordProperty("penalties_x100", std::to_string(perMatch(totals.penalties)));
    testing::Test::RecordProperty("direct_free_kicks_x100",
                                  std::to_string(perMatch(totals.directFreeKicks)));
    testing::Test::RecordProperty("offsides_x100", std::to_string(perMatch(totals.offsides)));
    testing::Test::RecordProperty("bookings_x100", std::to_string(perMatch(totals.bookings)));
    testing::Test::RecordProperty("substitutions_x100",
                                  std::to_string(perMatch(totals.substitutions)));
    // Per outfield starter rather than per match.
    testing::Test::RecordProperty(
        "outfield_tiredness_x100",
        std::to_string(totals.outfieldTiredness * 100 / std::max(totals.outfieldStarters, 1)));
    testing::Test::RecordProperty("sendings_off_x100",
                                  std::to_string(perMatch(totals.sendingsOff)));
    for (const int32_t action : kReportedActions) {
        testing::Test::RecordProperty("entered_" + std::to_string(action) + "_x100",
                                      std::to_string(perMatch(totals.actions.OfBothSides(action))));
    }
    testing::Test::RecordProperty("side0_possession_permille",
                                  std::to_string(all == 0 ? 0 : totals.possession[0] * 1000 / all));
}

// At the match day's period length a group's mean of counted shots lies in a wide band: outside
// it a rule, unit or sign of the shots is misread. Shorter matches only report theirs.
void ExpectShotsInTheirBand(const SoakTotals& totals)
{
    if (kPeriodMinutes != 5) return;
    const int32_t shots = totals.shots[0] + totals.shots[1];
    EXPECT_GE(shots, 8 * totals.matches);
    EXPECT_LE(shots, 60 * totals.matches);
}

// Keepers hold or parry shots in every group; at the match day's period length a balanced
// group's mean lies between 1.5 and 4.5 goals: outside it a save rule, a goal line or a sign is
// misread. Shorter matches only report theirs.
void ExpectKeepersAtWork(const SoakTotals& totals, bool balanced)
{
    EXPECT_GT(totals.catches, 0);
    EXPECT_GT(totals.parries, 0);
    if (kPeriodMinutes != 5 || !balanced) return;
    EXPECT_GE(totals.goals * 2, 3 * totals.matches);
    EXPECT_LE(totals.goals * 2, 9 * totals.matches);
}

// At the match day's period length a balanced group's corners, goal kicks and each side's share
// of the open play lie in wide bands: outside them a restart never returns the ball to play, a
// line is mirrored or the takers loop. Shorter matches only report theirs.
void ExpectRestartsAtFootballRates(const SoakTotals& totals)
{
    if (kPeriodMinutes != 5) return;
    EXPECT_GE(totals.corners, 2 * totals.matches);
    EXPECT_LE(totals.corners, 25 * totals.matches);
    // Tackles win the ball before many shots go wide, and tired players, whose skills drop as
    // they tire, shoot wide less often: about two goal kicks a match remain.
    EXPECT_GE(totals.goalKicks * 2, 3 * totals.matches);
    EXPECT_LE(totals.goalKicks, 50 * totals.matches);
    // With tackles knocking the ball on, it goes into touch about five times a match once
    // players tire (six to seven and a half times with fresh legs).
    EXPECT_GE(totals.throwIns, 4 * totals.matches);
    EXPECT_LE(totals.throwIns, 100 * totals.matches);
    const uint64_t all = totals.possession[0] + totals.possession[1];
    for (const uint64_t share : totals.possession) {
        EXPECT_GE(share * 100, all * 35) << share << " of " << all;
        EXPECT_LE(share * 100, all * 65) << share << " of " << all;
    }
}

// Defenders closing down tackle in every way the choice allows over fifty matches, a charge
// makes its carrier stumble, carriers ride tackles and attackers slide to clear, and tackles give
// fouls away. (A sliding tackle takes the ball outright about once in a hundred matches and a
// carrier dives a few times: the report gives theirs.) Shorter matches only report theirs.
void ExpectTacklesAndFouls(const SoakTotals& totals)
{
    if (kPeriodMinutes != 5) return;
    const ActionTally& t = totals.actions;
    for (const int32_t action : {ACT_SLIDING_TACKLE_89, ACT_SHOULDER_CHARGE, ACT_STUMBLE,
                                 ACT_CLEARING_SLIDE, ACT_STANDING_TACKLE, ACT_BURST}) {
        EXPECT_GT(t.OfBothSides(action), 0) << "action " << action;
    }
    EXPECT_GT(t.OfBothSides(ACT_BLOCK_TACKLE) + t.OfBothSides(ACT_LUNGE), 0);
    EXPECT_GT(totals.fouls, 0);
}

// At the match day's period length a balanced group's fouls, bookings and sendings-off per match
// lie in wide bands: outside them a foul roll is read the wrong way, a counter is never raised or
// a card never recorded. The tackles' own odds and the referee's strictness give about three
// fouls and under half a booking a match, so the floors sit just under those figures rather than
// at five fouls and half a booking.
void ExpectFoulsAndCardsInTheirBands(const SoakTotals& totals)
{
    if (kPeriodMinutes != 5) return;
    EXPECT_GE(totals.foulSetUps * 2, 5 * totals.matches);
    EXPECT_LE(totals.foulSetUps, 40 * totals.matches);
    EXPECT_GE(totals.bookings * 10, 3 * totals.matches);
    EXPECT_LE(totals.bookings, 8 * totals.matches);
    EXPECT_LE(totals.sendingsOff, totals.matches);
}

// At the match day's period length a balanced group's offsides per match lie between a half and
// ten: outside them a mark is never set, a line is read from the wrong side or the call never
// fires. Every direct free kick and every penalty given is taken once by its taker, the penalty
// through the walk and the run-up. Direct free kicks come about once a match, so every group sees
// their taker; a penalty comes only 0.1-0.4 times in a match, so fifty may see none, and the cup
// ties check that penalties are taken in play. Shorter matches only report theirs.
void ExpectOffsidesAndSetPieces(const SoakTotals& totals)
{
    const ActionTally& t = totals.actions;
    EXPECT_EQ(t.OfBothSides(ACT_FREE_KICK_ARRANGE), totals.directFreeKicks);
    EXPECT_EQ(t.OfBothSides(ACT_PENALTY_WALK_TO_SPOT), totals.penalties);
    EXPECT_EQ(t.OfBothSides(ACT_PENALTY_RUN_UP), totals.penalties);
    if (kPeriodMinutes != 5) return;
    EXPECT_GE(totals.offsides * 2, totals.matches);
    EXPECT_LE(totals.offsides, 10 * totals.matches);
    EXPECT_GT(t.OfBothSides(ACT_FREE_KICK_ARRANGE), 0);
}

// Balls met in the air: every header, volley and control the choice gives comes up over fifty
// matches; the diving header at goal (48) only a few times in two hundred, so it counts with the
// jumping one (47). Shorter matches only report theirs.
void ExpectBallsMetInTheAir(const SoakTotals& totals)
{
    if (kPeriodMinutes != 5) return;
    const ActionTally& t = totals.actions;
    for (const int32_t action :
         {ACT_JUMP_STRIKE_TO_TARGET, ACT_CONTROL_HIGH_BALL, ACT_OVERHEAD_KICK, ACT_CONTROL_JUMPING,
          ACT_JUMP_HEADER_AT_GOAL, ACT_JUMP_HEADED_PASS, ACT_JUMP_HEADER_BACK_FLICK,
          ACT_HEADER_TO_MATE, ACT_HANDBALL, ACT_HEADER_HOLD_PLACE, ACT_STANDING_HEADER}) {
        EXPECT_GT(t.OfBothSides(action), 0) << "action " << action;
    }
    EXPECT_GT(t.OfBothSides(ACT_JUMP_STRIKE_AT_GOAL) + t.OfBothSides(ACT_HIGH_STRIKE_AT_GOAL), 0);
}

// At the match day's period length a balanced group's computer sides make between half a change
// and six a match (three allowed a side): outside it the planner never asks or asks at every
// stoppage. Shorter matches only report theirs.
void ExpectSubstitutionsInTheirBand(const SoakTotals& totals)
{
    if (kPeriodMinutes != 5) return;
    EXPECT_GE(totals.substitutions * 2, totals.matches);
    EXPECT_LE(totals.substitutions, 6 * totals.matches);
}

// Fifty balanced matches from the first seed: the play shares the ball and sees every restart.
void ExpectFiftyBalancedSeedsSound(uint32_t first)
{
    SoakTotals totals;
    PlaySeeds(first, 50, SidePreset::Balanced, false, &totals);
    RecordMeans(totals);
    ExpectEveryRestartSeen(totals);
    ExpectPossessionShared(totals);
    ExpectShotsInTheirBand(totals);
    ExpectKeepersAtWork(totals, true);
    ExpectRestartsAtFootballRates(totals);
    ExpectEveryCarrierDecisionEntered(totals);
    ExpectEveryRestartTakenByItsTaker(totals);
    ExpectTacklesAndFouls(totals);
    ExpectFoulsAndCardsInTheirBands(totals);
    ExpectOffsidesAndSetPieces(totals);
    ExpectBallsMetInTheAir(totals);
    ExpectSubstitutionsInTheirBand(totals);
}

// A strong side may pin a weak one in its half, where the ball most easily stalls.
void ExpectStrongAgainstWeakSeedsSound(uint32_t first)
{
    SoakTotals totals;
    PlaySeeds(first, kStrongSeedsPerGroup, SidePreset::StrongAgainstWeak, false, &totals);
    RecordMeans(totals);
    EXPECT_GT(totals.goals, 0);
    EXPECT_GT(totals.goalsFor[0], totals.goalsFor[1]);  // the strong side is side 0
    ExpectShotsInTheirBand(totals);
    ExpectKeepersAtWork(totals, false);
}

}  // namespace

TEST(MatchSoak, BalancedSeeds1To50FinishUnderTheChecks) { ExpectFiftyBalancedSeedsSound(1); }

TEST(MatchSoak, BalancedSeeds51To100FinishUnderTheChecks) { ExpectFiftyBalancedSeedsSound(51); }

TEST(MatchSoak, BalancedSeeds101To150FinishUnderTheChecks) { ExpectFiftyBalancedSeedsSound(101); }

TEST(MatchSoak, BalancedSeeds151To200FinishUnderTheChecks) { ExpectFiftyBalancedSeedsSound(151); }

TEST(MatchSoak, StrongAgainstWeakSeedsFrom1001FinishUnderTheChecks)
{
    ExpectStrongAgainstWeakSeedsSound(1001);
}

TEST(MatchSoak, StrongAgainstWeakSeedsFrom1051FinishUnderTheChecks)
{
    ExpectStrongAgainstWeakSeedsSound(1051);
}

// About one tie in seven goes to a shoot-out and one in four has a penalty in play (200 ties
// measured): twenty ties may see neither, forty see both.
TEST(MatchSoak, CupTiesWithExtraTimeAndShootOutFinishUnderTheChecks)
{
    SoakTotals totals;
    PlaySeeds(2001, 40, SidePreset::Balanced, true, &totals);
    RecordMeans(totals);
    EXPECT_GT(totals.goals, 0);
    // Shoot-outs come up, penalties are given in play too (at the match day's period length),
    // and every penalty, of a shoot-out or not, goes from the taker's walk through his run-up to
    // the kick.
    EXPECT_GT(totals.shootOutGoals, 0);
    if (kPeriodMinutes == 5) {
        EXPECT_GT(totals.penalties, 0);
    }
    EXPECT_GT(totals.shootOutKicks, totals.shootOutGoals);  // a shoot-out is decided by a miss
    const ActionTally& t = totals.actions;
    EXPECT_EQ(t.OfBothSides(ACT_PENALTY_WALK_TO_SPOT), totals.penalties + totals.shootOutKicks);
    EXPECT_EQ(t.OfBothSides(ACT_PENALTY_RUN_UP), t.OfBothSides(ACT_PENALTY_WALK_TO_SPOT));
    EXPECT_EQ(t.OfBothSides(ACT_PENALTY_KICK), t.OfBothSides(ACT_PENALTY_RUN_UP));
}
