// tests/gamecode/carrier_test.cpp: the carrier's decision step by step, the defender's closing
// down and his jockeying, on placed players. Side 0 attacks the goal at y 122; facing 0 looks at
// it and 64 at the right touchline.
#include "gamecode/carrier.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/kickkinds.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "gamecode/shotchoice.h"
#include "gamecode/tackles.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kCarrier = 5;
constexpr int32_t kKeeper = 16;
constexpr int32_t kRival = 20;

// The bare scene, the ball at the centre of the far half, their keeper in goal.
void SetScene()
{
    SetMatchPhysics();
    PlaceBallAlone(796, 1000);
    SetBareScene();
    SubstitutionRequest[0] = SubstitutionRequest[1] = 0;
    ProximityList[0][0] = kCarrier;
    ProximityList[0][5] = 0;
    ProximityList[1][0] = kRival;
    ProximityList[1][4] = kKeeper;
    // Their keeper in his goal, where the shot test measures him.
    Person_PlaceAt(kKeeper, 796, 130);
    MatchPersons[kKeeper].offPitch = 0;
    MatchPersons[kKeeper].ballDistance = 10000;
    LastDefenderLine[1] = 300;
    ActivePlayer[0] = kCarrier;
    ActivePlayer[1] = MATCH_NONE;
    Ball.possession = 0;
}

// The carrier on the ball at (x, y), in the chase (4), standing.
void Carry(int32_t x, int32_t y, int32_t facing)
{
    MatchPerson& p = MatchPersons[kCarrier];
    Person_PlaceAt(kCarrier, x, y);
    Person_PlaceAt(MATCH_BALL, x, y);
    Ball.x16 = x * 65536;
    Ball.y16 = y * 65536;
    Ball.wholeX = static_cast<int16_t>(x);
    Ball.wholeY = static_cast<int16_t>(y);
    p.offPitch = 0;
    p.hasBall = 1;
    p.ballDistance = 0;
    p.facing = static_cast<uint16_t>(facing);
    p.action = ACT_ACTIVE;
    p.runSpeed = 0;
}

// An opponent on the pitch at (x, y), `ballDistance` from the ball, facing the carrier.
void Opponent(int32_t person, int32_t x, int32_t y, int32_t ballDistance)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& c = MatchPersons[kCarrier];
    Person_PlaceAt(person, x, y);
    p.offPitch = 0;
    p.ballDistance = static_cast<int16_t>(ballDistance);
    p.dirToBall = static_cast<uint16_t>(Person_DirectionToN(x, y, c.x, c.y, 256));
    p.facing = p.dirToBall;
}

// Three opponents 20 away on the carrier's left, ahead and behind: every direction is shut. A
// ball distance far above 20 narrows the lanes they shut to a pass.
void Surround(int32_t ballDistance = 20)
{
    const MatchPerson& c = MatchPersons[kCarrier];
    Opponent(kRival, c.x - 20, c.y, ballDistance);
    Opponent(21, c.x, c.y - 20, ballDistance);
    Opponent(22, c.x, c.y + 20, ballDistance);
}

// Team-mate 6 on the pitch `length` from the carrier along `direction`, facing the ball.
void MateAlong(int32_t direction, int32_t length, int32_t ballDistance)
{
    const MatchPerson& c = MatchPersons[kCarrier];
    MatchPerson& q = MatchPersons[6];
    Person_VectorFromAngle(direction & 255, length, 256);
    Person_PlaceAt(6, c.x + StepX, c.y - StepY);
    q.offPitch = 0;
    q.ballDistance = static_cast<int16_t>(ballDistance);
    q.dirToBall = static_cast<uint16_t>((direction + 128) & 255);
    q.facing = q.dirToBall;
}

// One tick of `person`'s routine with his working position lent to it.
void RunWithPositionLent(int32_t person, void (*routine)(int32_t))
{
    MatchPerson& p = MatchPersons[person];
    CurrentPersonPos = {p.x, p.y, p.x16, p.y16};
    Match.currentSide = static_cast<uint8_t>(Person_Side(person));
    routine(person);
    p.x16 = CurrentPersonPos.x16;
    p.y16 = CurrentPersonPos.y16;
    p.x = Fixed_ToUnits(p.x16);
    p.y = Fixed_ToUnits(p.y16);
}

// A seed whose first draw is 0 modulo n, so a rare roll comes up.
uint32_t SeedDrawingZeroModulo(int32_t n)
{
    for (uint32_t seed = 1;; ++seed) {
        SRand(seed);
        if (Rand() % n == 0) return seed;
    }
}

struct DecisionCase {
    const char* name;
    std::function<void()> arrange;
    int32_t action;  // the carrier's action after the tick; -1 checked by the row
    std::function<void()> check;
};

TEST(Carrier, EachStepOfTheDecisionEndsTheWayTheRulesSay)
{
    MatchPerson& c = MatchPersons[kCarrier];
    PresentationRecord* record = nullptr;
    const ActionTally* actions = nullptr;
    const auto said = [&record](std::vector<int32_t> expected) {
        EXPECT_EQ(record->commentaryGroups, expected);
    };
    const auto noneSaid = [said] { said({}); };
    const auto ballStopped = [] {
        EXPECT_EQ(Ball.velX, 0);
        EXPECT_EQ(Ball.velY, 0);
    };
    // A touch ahead along facing 0: the ball's speed up the pitch, the cool-down and counters.
    const auto touched = [&c](int32_t length, int32_t cooldown, int32_t longRuns) {
        EXPECT_EQ(Ball.velX, 0);
        EXPECT_EQ(Ball.velY, -length * 4096);
        EXPECT_EQ(Ball.velZ, 20480);
        EXPECT_EQ(c.hasBall, 0);  // the contacts give it back when he reaches it
        EXPECT_EQ(c.touchCooldown1, cooldown);
        EXPECT_EQ(c.stats.longRuns, longRuns);
    };
    const auto turned = [&c] { EXPECT_EQ(c.aimDirection, 0); };
    // Straight ahead stays open at the shortest reach and is shut at the longer ones (reach
    // 260, 340 and 400, each G / 5 - 200 longer far from goal); the opponent is seen 37 nearer,
    // where he runs.
    const auto shutAt = [&c](int32_t seenAt) {
        Opponent(kRival, c.x, c.y - seenAt - 37, seenAt + 37);
    };
    const std::vector<DecisionCase> cases = {
        {"a draw of 0 with the rival within 32 and G below 400 gives the trick",
         [] {
             Carry(796, 500, 0);
             Opponent(kRival, 796, 480, 20);
             ActivePlayer[1] = kRival;
             SRand(SeedDrawingZeroModulo(50 + 101));
         },
         ACT_DIVE_FOR_FOUL, noneSaid},
        {"the rival at 32 is too far for the trick",
         [] {
             Carry(796, 500, 0);
             Opponent(kRival, 796, 468, 32);
             ActivePlayer[1] = kRival;
             SRand(SeedDrawingZeroModulo(50 + 101));
         },
         -1, [&c] { EXPECT_NE(c.action, ACT_DIVE_FOR_FOUL); }},
        {"inside 10 yards he shoots, aiming behind the goal line", [] { Carry(796, 200, 0); }, -1,
         [&c] {
             EXPECT_NE(c.action, ACT_ACTIVE);
             EXPECT_EQ(ShotTarget[1], PITCH_NEAR_GOAL_LINE_Y - 5);
         }},
        {"the preferred receiver gets his pass, then with no cell the long kick goes on",
         [&c] {
             Carry(796, 1700, 0), c.secondInstruction = 1, c.preferredReceiver = 6;
             Person_PlaceAt(6, 796, 1200);
             MatchPersons[6].offPitch = 0;
         },
         ACT_SHOT,
         [&] {
             EXPECT_EQ(Match.kickTargetPerson, 6);
             EXPECT_EQ(actions->Of(0, ACT_GROUND_KICK), 1);
             said({0});
         }},
        {"a preferred receiver 60 off the run to goal keeps his pass",
         [&c] {
             Carry(400, 1700, 0), c.secondInstruction = 1, c.preferredReceiver = 6;
             MateAlong(Person_DirectionToTarget(kCarrier, 1, 0) + 60, 500, 500);
         },
         ACT_SHOT, [&] { EXPECT_EQ(actions->Of(0, ACT_GROUND_KICK), 1); }},
        {"one 70 off it is dropped: no pass, only the long kick",
         [&c] {
             Carry(400, 1700, 0), c.secondInstruction = 1, c.preferredReceiver = 6;
             MateAlong(Person_DirectionToTarget(kCarrier, 1, 0) + 70, 500, 500);
         },
         ACT_SHOT,
         [&] {
             EXPECT_EQ(actions->Of(0, ACT_GROUND_KICK), 0);
             said({0});
         }},
        {"the instructed cell, counted from the far ends by a side attacking down",
         [&c] {
             Carry(796, 1700, 0), c.secondInstruction = 1;
             c.targetCellColumn = 7, c.targetCellRow = 10;
         },
         -1,
         [&] {
             EXPECT_EQ(CellTarget[0], 1436 - 7 * 85);
             EXPECT_EQ(CellTarget[1], 2042 - 10 * 106);
             EXPECT_GE(actions->Of(0, ACT_GROUND_KICK), 1);  // the lead pass to the cell
             said({});
         }},
        {"the instructed long ball with no cell kicks toward goal, turned off the posts",
         [&c] { Carry(796, 1700, 0), c.secondInstruction = 1; }, ACT_SHOT,
         [&] {
             said({0});
             EXPECT_EQ(c.stats.longKicks, 1);
             EXPECT_LT(ShotTarget[0], PITCH_LEFT_POST_X);
         }},
        {"a substitution pending at step 6.1 puts the ball into touch (group 1)",
         [&c] {
             Carry(700, 1700, 0), c.secondInstruction = 1;
             SubstitutionRequest[0] = 1;
         },
         ACT_SHOT,
         [&] {
             said({1});
             EXPECT_LT(ShotTarget[0], PITCH_LEFT_TOUCHLINE_X);
             EXPECT_LT(ShotTarget[1], 1700);  // facing below 64: short of him
         }},
        {"facing exactly 64 aims the kick into touch beyond him",
         [&c] {
             Carry(700, 1700, 64), c.secondInstruction = 1;
             SubstitutionRequest[0] = 1;
         },
         ACT_SHOT,
         [&] {
             said({1});
             EXPECT_GT(ShotTarget[1], 1700);
         }},
        {"facing exactly 192, the other way across, aims it short of him",
         [&c] {
             Carry(700, 1700, 192), c.secondInstruction = 1;
             SubstitutionRequest[0] = 1;
         },
         ACT_SHOT,
         [&] {
             said({1});
             EXPECT_LT(ShotTarget[1], 1700);
         }},
        {"a substitution pending at step 8 says group 0",
         [] {
             Carry(700, 1700, 0);
             SubstitutionRequest[0] = 1;
         },
         ACT_SHOT,
         [&] {
             said({0});
             EXPECT_LT(ShotTarget[0], PITCH_LEFT_TOUCHLINE_X);
         }},
        {"blocked, facing the touchline, below run speed 30: he stops with the ball",
         [&c] { Carry(1386, 1000, 64), Surround(), c.runSpeed = 29; }, ACT_RUN_WITH_BALL,
         ballStopped},
        {"blocked, facing the touchline, at run speed 30: he stops on the run",
         [&c] { Carry(1386, 1000, 64), Surround(), c.runSpeed = 30; }, ACT_TAKE_ON_THE_RUN,
         ballStopped},
        {"blocked, a long pass to a mate beyond the medium range ends the decision",
         [] {
             Carry(1386, 1000, 64), Surround(300);
             MateAlong(224, 700, 760);
         },
         ACT_GROUND_KICK, [] { EXPECT_EQ(Match.kickTargetPerson, 6); }},
        {"blocked far from goal with skill 8 below 5: the long clearance along his facing",
         [&c] { Carry(1386, 1800, 64), Surround(), c.skills[8] = 4; }, ACT_SHOT,
         [&] {
             said({1});  // the nearest opponent is within 26
             EXPECT_GT(ShotTarget[0], PITCH_RIGHT_TOUCHLINE_X);
         }},
        {"a score above 128 with nobody near: he stops", [&] { Carry(796, 1900, 0), shutAt(440); },
         ACT_RUN_WITH_BALL, ballStopped},
        {"a score above 128 but the touch still cooling: he runs on",
         [&] { Carry(796, 1900, 0), shutAt(440), c.touchCooldown1 = 3; }, ACT_ACTIVE,
         [&c] { EXPECT_EQ(c.touchCooldown1, 3); }},
        {"clear 2: the sprint's touch of 130 - skill 5 / 2", [] { Carry(796, 1000, 0); },
         ACT_CARRY_SPRINT, [&] { touched(105, 32, 1); }},
        {"clear 2 with skill 5 of 0: 130 and never the rare counter",
         [&c] { Carry(796, 1000, 0), c.skills[5] = 0; }, ACT_CARRY_SPRINT,
         [&] {
             touched(130, 32, 1);
             EXPECT_EQ(c.stats.rareLongRuns, 0);
         }},
        {"clear 1: the run's touch of 110 - skill 5 / 2", [&] { Carry(796, 1000, 0), shutAt(370); },
         ACT_CARRY_RUN, [&] { touched(85, 32, 0); }},
        {"clear 0: a short touch of 90 - skill 5 / 2, still chasing",
         [&] { Carry(796, 1000, 0), shutAt(300); }, ACT_ACTIVE,
         [&] {
             touched(65, 16, 0);
             noneSaid();  // in the middle, short of every zone line
         }},
        {"a short touch near his own wing attacking down says group 3",
         [&] { Carry(1350, 1000, 0), shutAt(300); }, ACT_ACTIVE, [&] { said({3}); }},
        {"near the other wing, group 4", [&] { Carry(240, 1000, 0), shutAt(300); }, ACT_ACTIVE,
         [&] { said({4}); }},
        {"just short of halfway, group 6", [&] { Carry(796, 1100, 0), shutAt(300); }, ACT_ACTIVE,
         [&] { said({6}); }},
        {"a zone line only once between two recorded touches",
         [&] {
             Carry(1350, 1000, 0), shutAt(300);
             RunWithPositionLent(kCarrier, Team_CarrierDecision);
             Carry(c.x, c.y, 0);
             c.touchCooldown1 = 0;
         },
         ACT_ACTIVE,
         [&] {
             said({3});
             EXPECT_EQ(Match.carrierCommentCount, 1);
             EXPECT_EQ(c.touchCooldown1, 16);  // the second touch was made
         }},
        {"e 40 rising turns by action 7", [] { Carry(796, 1000, 256 - 40); }, ACT_AIMED_KICK_7,
         turned},
        {"e 40 falling turns by action 11", [] { Carry(796, 1000, 40); }, ACT_AIMED_KICK_11,
         turned},
        {"e 60 rising: 8", [] { Carry(796, 1000, 256 - 60); }, ACT_AIMED_KICK_8, turned},
        {"e 60 falling: 12", [] { Carry(796, 1000, 60); }, ACT_AIMED_KICK_12, turned},
        {"e 100 rising: 9", [] { Carry(796, 1000, 256 - 100); }, ACT_AIMED_KICK_9, turned},
        {"e 100 falling: 13", [] { Carry(796, 1000, 100); }, ACT_AIMED_KICK_13, turned},
        {"e 120 with agility 100 never fails the roll: 10",
         [&c] { Carry(796, 1000, 120), c.skills[SKILL_AGILITY] = 100; }, ACT_AIMED_KICK_10, turned},
        {"e 120 with agility 0 rolls nothing: 10",
         [&c] { Carry(796, 1000, 136), c.skills[SKILL_AGILITY] = 0; }, ACT_AIMED_KICK_10, turned},
        {"e 120 and the agility roll fails: one facing step the short way, ball at his feet",
         [] { Carry(796, 1000, 136); }, ACT_ACTIVE,
         [&c] {
             EXPECT_EQ(c.facing, 137);
             EXPECT_EQ(c.hasBall, 1);
         }},
        {"slow with a non-zero score he keeps the ball at his feet instead of turning",
         [] { Carry(796, 1900, 40); }, ACT_RUN_WITH_BALL, [] {}},
        {"a turn that would leave the pitch is a back-heel (34, group 2)",
         [&c] { Carry(1426, 1000, 64), c.runSpeed = 30; }, ACT_GROUND_PASS,
         [&] {
             said({2});
             EXPECT_EQ(Match.kickTargetPerson, -1);
             EXPECT_EQ(Match.kickTargetPoint[0], 1426 - 50);
             EXPECT_EQ(Match.kickTargetPoint[1], 1000);
         }},
    };
    for (const DecisionCase& row : cases) {
        SCOPED_TRACE(row.name);
        ScopedMatch match;
        record = &match.Record();
        actions = &match.Actions();
        SetScene();
        SRand(7);
        row.arrange();
        RunWithPositionLent(kCarrier, Team_CarrierDecision);
        if (row.action >= 0) {
            EXPECT_EQ(c.action, row.action);
        }
        row.check();
    }
}

struct CloseDownCase {
    const char* name;
    std::function<void()> arrange;
    int32_t x, y;            // where the defender stands
    int32_t pointX, pointY;  // where he must run
    bool arrives;            // within 8: he jockeys, the point stored as his target
};

// The defender of side 1 goes at the carrier on the ball at (796, 1000) facing his goal (run 0,
// G 878); with no skill 2 left out, the lead is (878 / 30 + 16 + 200 / 4) x 100 / 50 = 190.
TEST(Carrier, TheCloseDownRunsToTheLeadPointTheDeepBlockOrTheShadedSide)
{
    MatchPerson& c = MatchPersons[kCarrier];
    MatchPerson& d = MatchPersons[kRival];
    const std::vector<CloseDownCase> cases = {
        {"the lead point 190 ahead of him", [] {}, 796, 810, 796, 810, true},
        {"no active player: entry 0 of the list is taken and stored",
         [] { ActivePlayer[0] = MATCH_NONE; }, 796, 810, 796, 810, true},
        {"a slow ball and a defender within 3 x skill 2: the near look-ahead point",
         [&d] { Ball.speed = 1, d.ballDistance = 150; }, 820, 990, 820, 990, true},
        {"a slow ball but beyond 3 x skill 2: the lead point stays, shaded left of him",
         [&d] { Ball.speed = 1, d.ballDistance = 151; }, 820, 990, 796 - 64, 1000 - 164, false},
        {"behind him on the left, the point shades 64 right", [] {}, 700, 1400, 860, 810, false},
        {"behind him on the right, 64 left", [] {}, 900, 1400, 732, 810, false},
        {"the carrier facing the touchline: no shading", [&c] { c.facing = 64; }, 700, 1400, 796,
         810, false},
        // 95 x 100 ahead of the carrier is far beyond the goal line: the point stays on it.
        {"skill 2 of 0 leads by the most, dividing by 1", [&d] { d.skills[2] = 0; }, 700, 900,
         796 + 64, PITCH_NEAR_GOAL_LINE_Y, false},
    };
    for (const CloseDownCase& row : cases) {
        SCOPED_TRACE(row.name);
        ScopedMatch match;
        SetScene();
        Carry(796, 1000, 0);
        Ball.speed = 10;
        Ball.lookAhead[0][0] = 820;
        Ball.lookAhead[0][1] = 990;
        Opponent(kRival, row.x, row.y, 200);
        d.action = ACT_ACTIVE;
        d.frame = -1;  // a runner who has not started yet faces his point at once
        ActivePlayer[1] = kRival;
        row.arrange();
        const uint16_t facing = d.facing;
        RunWithPositionLent(kRival, Team_CloseDownCarrier);
        EXPECT_EQ(ActivePlayer[0], kCarrier);
        // On his point already there is no direction to it: he keeps his facing.
        const bool onThePoint = row.x == row.pointX && row.y == row.pointY;
        EXPECT_EQ(d.facing,
                  onThePoint ? facing : Person_DirectionTo(row.x, row.y, row.pointX, row.pointY));
        EXPECT_EQ(d.action, row.arrives ? ACT_JOCKEY : ACT_ACTIVE);
        if (row.arrives) {
            EXPECT_EQ(Match.jockeyTarget[0], row.pointX);
            EXPECT_EQ(Match.jockeyTarget[1], row.pointY);
        }
    }
}

struct JockeyCase {
    const char* name;
    std::function<void()> arrange;
    int32_t action;
};

// The jockey at (796, 900), 40 from the ball, in the path of the carrier at (796, 1000), who is 30
// from it.
void SetJockeyScene()
{
    SetScene();
    Carry(796, 1000, 0);
    MatchPersons[kCarrier].ballDistance = 30;
    Opponent(kRival, 796, 900, 40);
    Person_SetAction(kRival, ACT_JOCKEY);
}

// The jockey stands in the carrier's path; his own ball distance x 75 / 100 must reach the
// carrier's to keep him jockeying.
TEST(Carrier, TheJockeyHoldsInThePathOnlyWhileTheCarrierIsNoNearerTheBall)
{
    MatchPerson& j = MatchPersons[kRival];
    const std::vector<JockeyCase> cases = {
        {"40 x 75 / 100 = 30 reaches the carrier's 30: he holds", [] {}, ACT_JOCKEY},
        {"holding, his frame never passes 30", [&j] { j.frame = 30; }, ACT_JOCKEY},
        {"39 falls short: he chases again", [&j] { j.ballDistance = 39; }, ACT_ACTIVE},
        {"off the carrier's path: he chases again", [] { Person_PlaceAt(kRival, 896, 1000); },
         ACT_ACTIVE},
        {"after open play: he walks back", [] { MatchPhase = PHASE_THROW_IN_TAKEN; },
         ACT_WALK_TO_TARGET},
        {"no active player on the other side: he walks back", [] { ActivePlayer[0] = MATCH_NONE; },
         ACT_WALK_TO_TARGET},
        {"his side has the ball: he walks back", [] { Ball.possession = 1; }, ACT_WALK_TO_TARGET},
    };
    for (const JockeyCase& row : cases) {
        SCOPED_TRACE(row.name);
        ScopedMatch match;
        SetJockeyScene();
        row.arrange();
        RunWithPositionLent(kRival, Action_Jockey);
        EXPECT_EQ(j.action, row.action);
        if (row.action == ACT_ACTIVE) {
            EXPECT_EQ(j.runSpeed, 100);
        }
        EXPECT_LE(j.frame, 30);
    }
}

// A jockey still in play leaves his side with a man for the ball: when it has none, its nearest
// becomes it; when he walks back, it stays without one.
TEST(Carrier, AJockeyInPlayGivesHisSideItsNearestAsActivePlayer)
{
    for (const bool inPlay : {true, false}) {
        SCOPED_TRACE(inPlay ? "in play" : "walking back");
        ScopedMatch match;
        SetJockeyScene();
        Match.proximity[1][0] = 21;
        ActivePlayer[1] = MATCH_NONE;
        if (!inPlay) Ball.possession = 1;
        RunWithPositionLent(kRival, Action_Jockey);
        EXPECT_EQ(ActivePlayer[1], inPlay ? 21 : MATCH_NONE);
    }
}

}  // namespace
