// tests/gamecode/kickoffs_test.cpp: the kick-off sequence, an own goal, the goal's shot records
// and the frozen whole matches.
#include "gamecode/kickoffs.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "engine/poll.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/incidents.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/gamecode/harness/playerrows.h"

namespace {

constexpr int32_t kUnit = 65536;

// Every on-pitch player stands on his own target, 200 units inside his own half.
void PlaceBothSidesInTheirHalves()
{
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        const bool low = Person_Side(person) == Match.secondOfPair;
        const int32_t x = 300 + 60 * (person % 16 % 11);
        const int32_t y = low ? PITCH_CENTRE_Y - 200 : PITCH_CENTRE_Y + 200;
        Person_PlaceAt(person, x, y);
        MatchPersons[person].targetX = static_cast<int16_t>(x);
        MatchPersons[person].targetY = static_cast<int16_t>(y);
        MatchPersons[person].offPitch = person % 16 <= 10 ? 0 : 1;
    }
}

void PutInWrongHalf(int32_t person)
{
    const bool low = Person_Side(person) == Match.secondOfPair;
    const int32_t y = low ? PITCH_CENTRE_Y + 100 : PITCH_CENTRE_Y - 100;
    Person_PlaceAt(person, MatchPersons[person].x, y);
    MatchPersons[person].targetY = static_cast<int16_t>(y);
}

class Kickoff : public testing::Test {
protected:
    void SetUp() override
    {
        MatchDayBuilder{}.Write();
        SetPitchConstants();
        Match_SetupPeriod();
    }
    // Once open play runs, a low shot by the toucher crosses the goal line the keeper has left.
    static void ScoreAtTheLowGoal(int32_t toucher)
    {
        ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000));
        Person_PlaceAt(LineUp[Match.secondOfPair][0], 300, Pitch.firstGoalLine + 200);
        Person_PlaceAt(MATCH_BALL, PITCH_CENTRE_X, Pitch.firstGoalLine + 8);
        Ball.velX = 0;
        Ball.velY = -20 * kUnit;
        Ball.height = 0;
        Ball.lastToucher = static_cast<int16_t>(toucher);
        ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_GOAL; }, 5));
        RunTicks(1);
    }
    ScopedMatch match;
};

}  // namespace

TEST_F(Kickoff, PeriodRunsThroughItsPhasesAndThePartnerReceivesTheKick)
{
    std::vector<int32_t> phases{MatchPhase};
    int32_t takerTicksIn27 = 0;
    bool clockRanBeforeTheWhistle = false;
    int16_t partnerTargetX = 0;
    int32_t partnerOff = 0;
    int16_t takerX = 0;
    auto watch = [&] {
        if (MatchPhase != phases.back()) phases.push_back(MatchPhase);
        const int32_t taker = Match.kickoffTaker;
        if (MatchPhase == PHASE_KICKOFF_READY) {
            const MatchPerson& partner = MatchPersons[Match.kickoffPartner];
            partnerTargetX = partner.targetX;
            partnerOff =
                std::abs(partner.x - partner.targetX) + std::abs(partner.y - partner.targetY);
            if (taker >= 0 && MatchPersons[taker].action == 27) {
                ++takerTicksIn27;
            } else {
                clockRanBeforeTheWhistle |= Match.clockRunning != 0;
            }
            if (taker >= 0) takerX = MatchPersons[taker].targetX;
        }
        return MatchPhase == PHASE_OPEN_PLAY;
    };
    ASSERT_TRUE(RunUntil(watch, 3000));
    EXPECT_EQ(phases, (std::vector<int32_t>{PHASE_KICKOFF_PERIOD, PHASE_KICKOFF_TAKING,
                                            PHASE_KICKOFF_READY, PHASE_OPEN_PLAY}));
    EXPECT_EQ(std::abs(partnerTargetX - PITCH_CENTRE_X), 80);
    EXPECT_LE(partnerOff, 5);  // arrived
    // The taker's point lies 80 units out on the other side of the centre.
    EXPECT_EQ(takerX - PITCH_CENTRE_X, PITCH_CENTRE_X - partnerTargetX);
    EXPECT_GT(takerTicksIn27, 10);
    EXPECT_FALSE(clockRanBeforeTheWhistle);
    EXPECT_EQ(Match.clockRunning, 1);
    const int32_t partner = Match.kickoffPartner;
    EXPECT_EQ(MatchPersons[partner].action, 17);
    EXPECT_EQ(ActivePlayer[Match.kickOffSide], partner);
    EXPECT_EQ(Match.kickoffTaken, 1);
    EXPECT_EQ(Match.kickoffTaker, -1);
}

TEST_F(Kickoff, AKeeperOffHisLineHoldsTheKickUntilHeIsBack)
{
    ASSERT_TRUE(RunUntil(
        [] {
            const int32_t taker = Match.kickoffTaker;
            return taker >= 0 && MatchPersons[taker].action == 27;
        },
        3000));
    const int32_t keeper = LineUp[Match.kickOffSide ^ 1][0];
    const MatchPerson& k = MatchPersons[keeper];
    const int16_t homeX = k.x;
    const int16_t homeY = k.y;
    for (int32_t tick = 0; tick < 200; ++tick) {
        Person_PlaceAt(keeper, 870, homeY);
        RunTicks(1);
        ASSERT_EQ(MatchPhase, PHASE_KICKOFF_READY) << tick;
    }
    Person_PlaceAt(keeper, homeX, homeY);
    EXPECT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 500));
}

TEST_F(Kickoff, OnlyTheFirstPlayerInTheWrongHalfIsSentBackAndTheCheckRepeats)
{
    PlaceBothSidesInTheirHalves();
    const int32_t lowSide = Match.secondOfPair;
    const int32_t first = lowSide * MATCH_PERSONS_PER_SIDE + 5;
    const int32_t second = (lowSide ^ 1) * MATCH_PERSONS_PER_SIDE + 2;
    PutInWrongHalf(second);
    PutInWrongHalf(first);
    const int16_t firstTarget = MatchPersons[first].targetY;
    const int16_t secondTarget = MatchPersons[second].targetY;
    MatchPhase = PHASE_KICKOFF_PERIOD;
    PlayersNotInPlace = 0;
    PhaseTimer = 1;
    Phase_Kickoff();
    EXPECT_EQ(MatchPhase, PHASE_KICKOFF_PERIOD);
    EXPECT_EQ(PhaseTimer, 1);
    EXPECT_EQ(MatchPersons[first].action, 3);
    EXPECT_EQ(MatchPersons[first].targetY, firstTarget - 32);  // back toward his own half
    EXPECT_EQ(MatchPersons[second].targetY, secondTarget);
    PlaceBothSidesInTheirHalves();
    PutInWrongHalf(second);
    Phase_Kickoff();
    EXPECT_EQ(MatchPersons[second].targetY, secondTarget + 32);
    EXPECT_EQ(MatchPhase, PHASE_KICKOFF_PERIOD);
    PlaceBothSidesInTheirHalves();
    Phase_Kickoff();
    EXPECT_EQ(MatchPhase, PHASE_KICKOFF_TAKING);
    EXPECT_EQ(MatchPersons[Match.kickoffTaker].action, 24);
    EXPECT_EQ(MatchPersons[Match.kickoffPartner].action, 26);
    EXPECT_NE(Match.kickoffTaker, Match.kickoffPartner);
}

TEST_F(Kickoff, AnOwnGoalIsTheDefendersWithoutACelebration)
{
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000));
    // The goal at low y is the one side secondOfPair defends.
    const int32_t defending = Match.secondOfPair;
    const int32_t scoring = defending ^ 1;
    const int32_t defender = LineUp[defending][3];
    const int32_t before = Match.score[scoring];
    match.Record().commentaryGroups.clear();
    ScoreAtTheLowGoal(defender);
    ASSERT_EQ(Match.score[scoring], before + 1);
    EXPECT_EQ(Match.scorerRecord, defender);
    EXPECT_EQ(MatchPersons[defender].stats.ownGoals, 1);
    EXPECT_EQ(MatchPersons[defender].stats.goals, 0);
    const MatchGoalRecord& goal = Match.goals[scoring][before];
    EXPECT_EQ(goal.kind, 11);
    EXPECT_EQ(goal.person, defender);
    const std::vector<int32_t>& groups = match.Record().commentaryGroups;
    EXPECT_NE(std::find(groups.begin(), groups.end(), 101), groups.end());
    EXPECT_EQ(Match.celebrationActive, 0);
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        EXPECT_NE(MatchPersons[person].action, 69) << person;
        EXPECT_NE(MatchPersons[person].action, 70) << person;
    }
    EXPECT_TRUE(RunUntil([] { return MatchPhase == PHASE_KICKOFF_TAKING; }, 1500));
    EXPECT_EQ(Match.kickOffSide, defending);
}

// A ball the keeper touched into his own goal is the goal of the other side's last kicker; when
// that side has kicked nobody's ball since the period began, it is the keeper's own goal, so that
// every goal has its scorer in the list.
TEST_F(Kickoff, AKeepersTouchInIsTheLastKickersGoalOrHisOwn)
{
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000));
    const int32_t defending = Match.secondOfPair;
    const int32_t scoring = defending ^ 1;
    const int32_t keeper = LineUp[defending][0];
    const int32_t kicker = LineUp[scoring][9];
    for (const int32_t lastKicker : {kicker, -1}) {
        SCOPED_TRACE(lastKicker);
        const int32_t before = Match.score[scoring];
        ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000));
        LastKicker[scoring] = static_cast<int8_t>(lastKicker);
        ScoreAtTheLowGoal(keeper);
        ASSERT_EQ(Match.score[scoring], before + 1);
        const int32_t credited = lastKicker == -1 ? keeper : kicker;
        EXPECT_EQ(Match.goals[scoring][before].person, credited);
        EXPECT_EQ(MatchPersons[keeper].stats.ownGoals, lastKicker == -1 ? 1 : 0);
        EXPECT_EQ(MatchPersons[kicker].stats.goals, 1);
    }
}

// A goal's scorer celebrates and his team-mates run to join him; he ends the celebration himself,
// well before the goal phase's limit, and the kick-off follows.
TEST_F(Kickoff, TheScorerEndsHisCelebrationAndTheTeamJoinsHim)
{
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000));
    const int32_t scoring = Match.secondOfPair ^ 1;
    const int32_t scorer = LineUp[scoring][9];
    ScoreAtTheLowGoal(scorer);
    ASSERT_EQ(MatchPersons[scorer].action, ACT_CELEBRATE);
    ASSERT_EQ(Match.celebrationActive, 1);
    int32_t joining = 0;
    for (int32_t slot = 1; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
        joining += MatchPersons[LineUp[scoring][slot]].action == ACT_RUN_TO_SCORER;
    }
    EXPECT_GE(joining, 5);
    ASSERT_TRUE(RunUntil([] { return Match.celebrationActive == 0; }, 3000));
    EXPECT_LT(Match.celebrationTicks, 500);
    EXPECT_NE(MatchPersons[scorer].action, ACT_CELEBRATE);
    EXPECT_GE(match.Actions().Of(scoring, ACT_CELEBRATE), 2);  // the scorer and a team-mate
    EXPECT_TRUE(RunUntil([] { return MatchPhase == PHASE_KICKOFF_TAKING; }, 3000));
}

// The first shot record counts only for the credited scorer, the other two for whoever they name;
// the second provider counts only as a team-mate of the scorer, not as the scorer himself.
TEST_F(Kickoff, AGoalCreditsTheShotRecordsAndTheSecondProviderTheyName)
{
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000));
    const int32_t defending = Match.secondOfPair;
    const int32_t scoring = defending ^ 1;
    const int32_t scorer = LineUp[scoring][9];
    const int32_t mate = LineUp[scoring][7];
    const int32_t opponent = LineUp[defending][4];
    auto said103 = [&] {
        const std::vector<int32_t>& groups = match.Record().commentaryGroups;
        return std::count(groups.begin(), groups.end(), 103);
    };
    Match.firstShotRecord = 1;
    Match.secondShotRecord = 1;
    Match.thirdShotRecord = 0;
    Match.shotRecordPlayer[0] = static_cast<int8_t>(scorer);
    Match.shotRecordPlayer[1] = static_cast<int8_t>(mate);
    Match.shotRecordPlayer[2] = static_cast<int8_t>(mate);
    Match.secondProvider = static_cast<int8_t>(mate);
    ScoreAtTheLowGoal(scorer);
    const MatchPersonStats& s = MatchPersons[scorer].stats;
    const MatchPersonStats& m = MatchPersons[mate].stats;
    EXPECT_EQ(s.goals, 1);
    EXPECT_EQ(s.shotRecordGoals[0], 1);
    EXPECT_EQ(m.shotRecordGoals[1], 1);
    EXPECT_EQ(m.shotRecordGoals[2], 0);
    EXPECT_EQ(m.secondKindCompletions, 1);
    EXPECT_EQ(m.secondAssists, 1);
    EXPECT_EQ(said103(), 1);

    Match.shotRecordPlayer[0] = static_cast<int8_t>(mate);
    Match.secondShotRecord = 0;
    Match.secondProvider = static_cast<int8_t>(scorer);
    ScoreAtTheLowGoal(scorer);
    EXPECT_EQ(s.goals, 2);
    EXPECT_EQ(s.shotRecordGoals[0] + m.shotRecordGoals[0], 1);
    EXPECT_EQ(m.shotRecordGoals[1], 1);
    Match.secondProvider = static_cast<int8_t>(opponent);
    ScoreAtTheLowGoal(scorer);
    EXPECT_EQ(s.goals, 3);
    EXPECT_EQ(s.secondAssists + MatchPersons[opponent].stats.secondAssists, 0);
    EXPECT_EQ(said103(), 1);

    // A shoot-out goal still in the net when the goal phase ends is the kicker's.
    Match.period = MATCH_PERIOD_SHOOT_OUT;
    LastKicker[scoring] = static_cast<int8_t>(mate);
    Person_PlaceAt(MATCH_BALL, PITCH_CENTRE_X, Pitch.firstGoalLine - 8);
    MatchPhase = PHASE_GOAL;
    PhaseTimer = 1;
    Phase_Goal();
    EXPECT_EQ(m.shotRecordGoals[0], 1);
    EXPECT_EQ(MatchPhase, PHASE_SHOOTOUT_NEXT_KICK);
}

// A pass received and shot straight in credits the passer: the shot counts on target, the goal's
// record and event row name the assist. A cross does the same and credits the crosser as the
// second provider once. A penalty that goes wide for a goal kick is a penalty missed.
TEST_F(Kickoff, AShotStraightInCreditsThePassThatLedToIt)
{
    const int32_t scoring = Match.secondOfPair ^ 1;
    const int32_t passer = LineUp[scoring][7];
    const int32_t shooter = LineUp[scoring][9];
    const int32_t crosser = LineUp[scoring][6];
    const auto shootAfter = [&](int32_t kicker, PassBook book) {
        ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000));
        KickBook_Pass(kicker, shooter, PITCH_CENTRE_X, 300, book);
        Ball.lastToucher = static_cast<int16_t>(kicker);
        Match_OnBallTouch(shooter);
        KickBook_Shot(shooter);
        ScoreAtTheLowGoal(shooter);
    };
    shootAfter(passer, PASS_BOOK_GROUND);
    const int32_t first = Match.score[scoring] - 1;
    EXPECT_EQ(MatchPersons[passer].stats.assists, 1);
    EXPECT_EQ(MatchPersons[shooter].stats.shotsOnTarget, 1);
    EXPECT_EQ(Match.teamStats[scoring].shotsOnTarget, 1);
    EXPECT_EQ(Match.goals[scoring][first].assist, passer);
    const MatchDataBlock& data = *GetMatchDataBlock();
    const MatchEventRow row = data.events[data.eventCount - 1];  // a copy: the row is packed
    EXPECT_EQ(+row.c, +MatchPersons[passer].playerId);

    match.Record().commentaryGroups.clear();
    shootAfter(crosser, PASS_BOOK_CROSS);
    EXPECT_EQ(MatchPersons[crosser].stats.assists, 1);
    EXPECT_EQ(MatchPersons[crosser].stats.secondAssists, 1);
    // The cross was completed once by the touch and once more by the goal.
    EXPECT_EQ(MatchPersons[crosser].stats.secondKindCompletions, 2);
    const std::vector<int32_t>& groups = match.Record().commentaryGroups;
    EXPECT_EQ(std::count(groups.begin(), groups.end(), 103), 1);
    EXPECT_EQ(Match.secondProvider, -1);
    EXPECT_EQ(MatchPersons[shooter].stats.shotsOnTarget, 2);

    // A penalty 5 units wide of the post: missed, and the close miss says so.
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000));
    KickBook_SetShotRecord(SHOT_RECORD_PENALTY, shooter);
    KickBook_Shot(shooter);
    match.Record().commentaryGroups.clear();
    Person_PlaceAt(MATCH_BALL, PITCH_LEFT_POST_X - 5, Pitch.firstGoalLine + 8);
    Ball.velX = 0;
    Ball.velY = -20 * kUnit;
    Ball.height = 0;
    Ball.lastToucher = static_cast<int16_t>(shooter);
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_GOAL_KICK_AWARDED; }, 5));
    EXPECT_EQ(MatchPersons[shooter].stats.penaltiesMissed, 1);
    EXPECT_EQ(MatchPersons[shooter].stats.missedShots, 1);
    EXPECT_EQ(Match.shooter, -1);
    const std::vector<int32_t>& said = match.Record().commentaryGroups;
    EXPECT_EQ(std::count(said.begin(), said.end(), 339), 1);
    // The goal kick's set-up forgets the penalty.
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000));
    EXPECT_EQ(Match.firstShotRecord, 0);
}

// A goal is scored from a corner or a free kick while the taker's side has kept the ball since
// his strike (no touch or strike of the other side, no other restart, the same period), and from
// a penalty only by the kick itself: any strike after it makes it a penalty missed, with its
// event row. The shoot-out's kicks count nothing.
TEST_F(Kickoff, AGoalCountsForTheSetPieceWhoseAttackIsStillOn)
{
    enum Op { STRIKE, TOUCH, PERIOD };
    struct Step {
        Op op;
        char who;       // 't' the taker, 'm' a team-mate, 'd' a defender, 'k' their keeper
        int32_t value;  // the strike's phase, or the period
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        bool goal;
        int32_t corners, freeKicks, penaltiesTaken, penaltiesScored, missedRows;
    };
    constexpr int32_t kOpen = PHASE_OPEN_PLAY;
    const Case cases[] = {
        {"corner headed in",
         {{STRIKE, 't', PHASE_CORNER_TAKEN}, {STRIKE, 'm', kOpen}},
         true,
         1,
         0,
         0,
         0,
         0},
        {"corner, a defender's touch",
         {{STRIKE, 't', PHASE_CORNER_TAKEN}, {TOUCH, 'd', 0}, {STRIKE, 'm', kOpen}},
         true,
         0,
         0,
         0,
         0,
         0},
        {"corner, the keeper's parry",
         {{STRIKE, 't', PHASE_CORNER_TAKEN}, {TOUCH, 'k', 0}},
         true,
         0,
         0,
         0,
         0,
         0},
        {"corner, a defender's clearance",
         {{STRIKE, 't', PHASE_CORNER_TAKEN}, {STRIKE, 'd', kOpen}},
         true,
         0,
         0,
         0,
         0,
         0},
        {"corner, then a throw-in",
         {{STRIKE, 't', PHASE_CORNER_TAKEN}, {STRIKE, 'm', PHASE_THROW_IN_TAKEN}},
         true,
         0,
         0,
         0,
         0,
         0},
        {"free kick passed on",
         {{STRIKE, 't', PHASE_FREE_KICK_READY}, {TOUCH, 'm', 0}, {STRIKE, 'm', kOpen}},
         true,
         0,
         1,
         0,
         0,
         0},
        {"direct free kick", {{STRIKE, 't', PHASE_DIRECT_FREE_KICK}}, true, 0, 1, 0, 0, 0},
        {"penalty in off the keeper",
         {{STRIKE, 't', PHASE_PENALTY_KICK}, {TOUCH, 'k', 0}},
         true,
         0,
         0,
         1,
         1,
         0},
        {"penalty saved, the rebound in",
         {{STRIKE, 't', PHASE_PENALTY_KICK}, {TOUCH, 'k', 0}, {STRIKE, 'm', kOpen}},
         true,
         0,
         0,
         1,
         0,
         1},
        {"corner before the break",
         {{STRIKE, 't', PHASE_CORNER_TAKEN}, {PERIOD, 0, 1}},
         true,
         0,
         0,
         0,
         0,
         0},
        {"shoot-out kick",
         {{PERIOD, 0, MATCH_PERIOD_SHOOT_OUT},
          {STRIKE, 't', PHASE_PENALTY_KICK},
          {STRIKE, 'm', kOpen}},
         false,
         0,
         0,
         0,
         0,
         0},
    };
    const int32_t scoring = Match.secondOfPair ^ 1;
    const int32_t taker = LineUp[scoring][9];
    const int32_t mate = LineUp[scoring][7];
    const auto person = [&](char who) {
        switch (who) {
            case 't': return taker;
            case 'm': return mate;
            case 'd': return static_cast<int32_t>(LineUp[scoring ^ 1][4]);
            default: return static_cast<int32_t>(LineUp[scoring ^ 1][0]);
        }
    };
    const auto figures = [&] {
        PlayerMatchRecord r{};
        Football_FillPlayerMatchRecord(&r, scoring, taker % MATCH_PERSONS_PER_SIDE);
        std::vector<int32_t> f;
        for (const int32_t figure :
             {PMS_CORNERS_SCORED, PMS_FREE_KICKS_SCORED, PMS_PENALTIES_TAKEN, PMS_PENALTIES_SCORED})
            f.push_back(Football_GetMatchFigure(r, figure));
        const MatchDataBlock& data = *GetMatchDataBlock();
        int32_t missed = 0;
        for (int32_t e = 0; e < data.eventCount; ++e) {
            const MatchEventRow row = data.events[e];  // a copy: the row is packed
            if (row.kind != 4) continue;
            EXPECT_EQ(+row.a, scoring);
            EXPECT_EQ(+row.b, MatchPersons[taker].playerId);
            EXPECT_EQ(+row.c, -1);
            ++missed;
        }
        f.push_back(missed);
        return f;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000));
        const std::vector<int32_t> before = figures();
        for (const Step& step : c.steps) {
            if (step.op == PERIOD) {
                Match.period = static_cast<uint8_t>(step.value);
            } else if (step.op == TOUCH) {
                Match_OnBallTouch(person(step.who));
            } else {
                MatchPhase = static_cast<int16_t>(step.value);
                KickBook_Strike(person(step.who), KICK_KIND_OTHER);
            }
        }
        if (c.goal) ScoreAtTheLowGoal(mate);
        std::vector<int32_t> gained = figures();
        for (size_t k = 0; k < gained.size(); ++k)
            gained[k] -= before[k];
        EXPECT_EQ(gained, (std::vector<int32_t>{c.corners, c.freeKicks, c.penaltiesTaken,
                                                c.penaltiesScored, c.missedRows}));
    }
}

// Three whole matches frozen: any change to the engine's play shows up here, so a deliberate one
// rewrites them with PELLORAN_UPDATE_GOLDEN=1.
TEST(MatchGolden, ThreeFullMatchesMatchTheirFrozenRuns)
{
    struct Frozen {
        uint32_t seed;
        SidePreset preset;
        const char* name;
    };
    const Frozen frozen[] = {{2, SidePreset::Balanced, "match_seed2"},
                             {3, SidePreset::Balanced, "match_seed3"},
                             {4, SidePreset::StrongAgainstWeak, "match_strong_seed4"}};
    ScopedMatch match;
    for (const Frozen& f : frozen) {
        SCOPED_TRACE(f.name);
        const std::string diff = CompareGolden(GoldenRun(f.seed, f.preset), f.name);
        EXPECT_TRUE(diff.empty()) << diff;
        EXPECT_EQ(CheckPlayerRows(), "");
    }
    EXPECT_TRUE(Watchdog_Failures().empty());
}

// A cup tie level after extra time and decided by the shoot-out, and a match with a sending-off,
// frozen as the other golden runs are.
TEST(MatchGolden, AShootOutAndASendingOffMatchTheirFrozenRuns)
{
    ScopedMatch match;
    MatchDayBuilder cupTie;
    cupTie.seed = 11;
    cupTie.extraTime = 1;
    cupTie.shootOut = 1;
    std::string diff = CompareGolden(GoldenRun(cupTie), "cup_shootout_seed11");
    EXPECT_TRUE(diff.empty()) << diff;
    EXPECT_EQ(Match.period, MATCH_PERIOD_SHOOT_OUT);
    EXPECT_NE(Match.shootOutGoals[0], Match.shootOutGoals[1]);
    EXPECT_EQ(CheckPlayerRows(), "");
    EXPECT_EQ(CheckMinutesOnPitch(120), "");
    diff = CompareGolden(GoldenRun(4, SidePreset::Balanced), "match_sendoff_seed4");
    EXPECT_TRUE(diff.empty()) << diff;
    EXPECT_EQ(Match.dismissals[0] + Match.dismissals[1], 1);
    EXPECT_EQ(CheckPlayerRows(), "");
    EXPECT_EQ(CheckMinutesOnPitch(90), "");
    EXPECT_TRUE(Watchdog_Failures().empty());
}

// Past every outfield taker of sudden death the keeper takes the kick: he keeps the taker's
// action the keepers' reset would take from him, and strikes it.
TEST_F(Kickoff, AKeeperWhoseTurnItIsInTheShootOutTakesTheKick)
{
    Match.period = MATCH_PERIOD_SHOOT_OUT;
    std::fill(&PenaltyOrder[0][0], &PenaltyOrder[0][0] + 2 * PENALTY_ORDER_COUNT, -1);
    Match.shootoutKicks = 20;  // side 0's eleventh: line-up slot 0
    Person_PlaceAt(MATCH_BALL, PITCH_CENTRE_X, 600);
    Ball_Stop();
    MatchPhase = PHASE_SHOOTOUT_NEXT_KICK;
    Phase_ShootoutNextKick();
    const int32_t keeper = LineUp[0][0];
    EXPECT_EQ(MatchPersons[keeper].action, ACT_FREE_KICK_TAKER);
    EXPECT_EQ(LastKicker[0], keeper);
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 1000));
    EXPECT_EQ(Ball.lastToucher, keeper);
}
