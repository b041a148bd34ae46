// tests/gamecode/passkicks_test.cpp: the passes, back-heels and short animated kicks: the ball's
// velocity by kick style, the frame windows and the pass books, on a kicker of side 0 at
// (796, 1000) who attacks the goal at y 122.
#include "gamecode/passkicks.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/incidents.h"
#include "gamecode/matchdata.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/restartutil.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kKicker = 5;
constexpr int32_t kReceiver = 7;

class PassKicks : public testing::Test {
protected:
    void SetUp() override
    {
        MatchEngine_Init();
        PlaceBallAlone(796, 996);  // everybody else far from it
        Match.secondOfPair = 1;
        for (const int32_t person : {kKicker, kReceiver}) {
            MatchPerson& p = MatchPersons[person];
            std::memset(p.skills, 50, sizeof p.skills);
            p.offPitch = 0;
            p.action = ACT_WALK_TO_TARGET;
        }
        Person_PlaceAt(kReceiver, 796, 700);
        MatchPersons[kReceiver].positionExtra[0] = 8;
        Person_PlaceAt(kKicker, 796, 1000);
        Ball_GiveToPerson(kKicker);
        Aim(kReceiver, 796, 700);
    }
    static void Aim(int32_t receiver, int32_t x, int32_t y)
    {
        Match.kickTargetPerson = static_cast<int16_t>(receiver);
        Match.kickTargetPoint[0] = static_cast<int16_t>(x);
        Match.kickTargetPoint[1] = static_cast<int16_t>(y);
    }
    static MatchPerson& Start(int16_t action, int16_t style)
    {
        MatchPerson& p = MatchPersons[kKicker];
        Person_SetAction(kKicker, action);
        p.passKind = style;
        p.aimDirection = 0;
        p.facing = 0;
        return p;
    }
    // One tick of the kicker's action; the frames at which he struck until it ended.
    static void Run() { RunPersonAction(kKicker); }
    static std::vector<int32_t> StrikeFrames(int16_t action)
    {
        return StrikeFramesOf(kKicker, action, 200);
    }
    ScopedMatch match;
};

TEST_F(PassKicks, EachStyleSendsTheBallWithItsLiftAndFactorAfterItsCap)
{
    struct Case {
        int16_t action;
        int16_t style;
        int32_t distance;
        int32_t usedDistance;
        int32_t up;
        int32_t factor;
    };
    // The target lies 100 units ahead (toward smaller y): velY is -100 x the factor.
    for (const Case c : {
             Case{ACT_PASS_77, 0, 1500, 1000, 136384, 400},
             Case{ACT_PASS_77, 0, 500, 500, 76384, 1400},
             Case{ACT_PASS_109, 1, 1000, 950, 206384, 400},
             Case{ACT_PASS_77, 3, 1000, 950, 149384, 500},
             Case{ACT_BACK_HEEL_66, 0, 1200, 1000, 216384, 600},
             Case{ACT_BACK_HEEL_110, 2, 300, 300, 76384, 1900},
         }) {
        Ball = {};
        EXPECT_EQ(Ball_SendPass(kKicker, c.action, c.style, 796, 896, c.distance), c.usedDistance)
            << c.action << " style " << c.style;
        EXPECT_EQ(Ball.velZ, c.up) << c.action << " style " << c.style;
        EXPECT_EQ(Ball.velY, -100 * c.factor) << c.action << " style " << c.style;
        EXPECT_EQ(Ball.velX, 0);
    }
}

TEST_F(PassKicks, AStyleTwoPassOfThirteenHundredTakesOneOfItsTwoRowsAndOnlyTheHighOneCurls)
{
    MatchPersons[kKicker].skills[3] = 100;  // every high ball that may curl does
    int32_t rows[2] = {0, 0};
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        SRand(seed);
        Ball = {};
        EXPECT_EQ(Ball_SendPass(kKicker, ACT_PASS_77, 2, 796, 896, 1300), 1200);
        const bool low = Ball.velZ == 177344 && Ball.velY == -100 * 1160;
        const bool high = Ball.velZ == 267456 && Ball.velY == -100 * 400;
        ASSERT_TRUE(low || high) << seed;
        EXPECT_EQ(Ball.swerveTicks != 0, high) << seed;
        ++rows[high ? 1 : 0];
    }
    EXPECT_GT(rows[0], rows[1]);  // two times in three
    EXPECT_GT(rows[1], 0);
}

TEST_F(PassKicks, EveryKickStrikesOnceInsideItsWindowAndNeverWhileAKeeperHoldsTheBall)
{
    struct Case {
        int16_t action;
        int16_t style;
        int32_t first;  // the window, in drawn frames
        int32_t last;
    };
    for (const Case c : {
             // The short kicks strike at the first shown frame (even: step 2) from their kick
             // frame.
             Case{ACT_AIMED_KICK_7, 0, 8, 8},
             Case{ACT_AIMED_KICK_8, 0, 18, 18},
             Case{ACT_AIMED_KICK_9, 0, 38, 38},
             Case{ACT_AIMED_KICK_10, 0, 32, 32},
             Case{ACT_AIMED_KICK_11, 0, 8, 8},
             Case{ACT_AIMED_KICK_12, 0, 18, 18},
             Case{ACT_AIMED_KICK_13, 0, 38, 38},
             Case{ACT_PASS_77, 0, 14, 22},
             Case{ACT_PASS_77, 2, 30, 38},
             Case{ACT_PASS_109, 1, 18, 26},
             Case{ACT_PASS_109, 2, 41, 49},
             Case{ACT_BACK_HEEL_66, 0, 36, 44},
             Case{ACT_BACK_HEEL_110, 0, 24, 32},
         }) {
        SetUp();
        Start(c.action, c.style);
        const std::vector<int32_t> frames = StrikeFrames(c.action);
        ASSERT_EQ(frames.size(), 1u) << c.action << " style " << c.style;
        // With the ball at his feet all along he strikes at the window's first shown frame.
        EXPECT_EQ(frames[0], c.first) << c.action << " style " << c.style;
        EXPECT_LE(frames[0], c.last) << c.action << " style " << c.style;
        const bool aimed = c.action <= ACT_AIMED_KICK_13;
        EXPECT_EQ(Match.lastKickKind, aimed ? 0 : c.style >= 2 ? 2 : 1) << c.action;
        EXPECT_EQ(MatchPersons[kKicker].action, aimed ? ACT_ACTIVE : ACT_WALK_TO_TARGET)
            << c.action;
        // The short kicks hand action 4 the frame of their row.
        constexpr int16_t kEndFrames[] = {0, 22, 0, 8, 0, 22, 0};
        const int32_t endFrame = aimed ? kEndFrames[c.action - ACT_AIMED_KICK_7] : 0;
        if (aimed) {
            EXPECT_EQ(MatchPersons[kKicker].frame, endFrame) << c.action;
        }
        EXPECT_EQ(MatchPersons[kKicker].hasBall, 0) << c.action;
        EXPECT_NE(Ball.velY, 0) << c.action;
        EXPECT_EQ(LastKicker[0], kKicker) << c.action;
    }
    for (const int16_t action : {ACT_PASS_77, ACT_BACK_HEEL_110}) {
        SetUp();
        Start(action, 0);
        Ball.holder = 1;
        Run();
        EXPECT_EQ(MatchPersons[kKicker].action, ACT_WALK_TO_TARGET) << action;
        EXPECT_EQ(MatchPersons[kKicker].kicked, 0) << action;
    }
}

TEST_F(PassKicks, ALoftedPasserWhoLostTheBallDoesNotPullItBack)
{
    MatchPerson& p = Start(ACT_PASS_77, 2);
    Ball_GiveToPerson(-1);
    PlaceBallAlone(900, 1200);
    for (int32_t tick = 0; tick < 10; ++tick)
        Run();
    EXPECT_EQ(MatchPersons[MATCH_BALL].x, 900);
    EXPECT_EQ(MatchPersons[MATCH_BALL].y, 1200);
    EXPECT_EQ(p.kicked, 0);
}

TEST_F(PassKicks, APassKeepsTheBooksOfItsKickerAndSendsTheReceiverToMeetIt)
{
    struct Case {
        int16_t action;
        int16_t style;
        int32_t receiver;
        uint8_t shirt;
        int32_t targetX;  // ahead (796, 700), sideways (1196, 1000) or behind him (796, 1300)
        int32_t targetY;
        int32_t group;  // -1 none
        bool longPass;
        bool countsShirt;
    };
    for (const Case c : {
             Case{ACT_PASS_77, 0, kReceiver, 8, 796, 700, -1, false, true},
             Case{ACT_PASS_77, 0, kReceiver, 1, 796, 700, -1, false, true},
             Case{ACT_PASS_77, 1, kReceiver, 8, 796, 700, 284, true, false},
             Case{ACT_PASS_77, 3, kReceiver, 8, 1196, 1000, 286, true, false},
             Case{ACT_PASS_77, 1, -1, 8, 796, 700, 285, true, false},
             Case{ACT_PASS_109, 0, kReceiver, 0, 796, 700, 307, false, false},
             Case{ACT_PASS_109, 0, kReceiver, 17, 796, 700, 307, false, false},
             Case{ACT_PASS_109, 3, -1, 8, 796, 700, 312, true, false},
             Case{ACT_BACK_HEEL_66, 0, kReceiver, 16, 796, 700, 321, false, true},
             Case{ACT_BACK_HEEL_110, 0, -1, 8, 796, 700, -1, false, false},
             Case{ACT_PASS_77, 1, kReceiver, 8, 796, 1300, 283, true, false},
             Case{ACT_PASS_77, 2, kReceiver, 8, 796, 1300, 291, false, true},
             Case{ACT_PASS_109, 1, -1, 8, 796, 700, 308, true, false},
         }) {
        SetUp();
        match.Record().commentaryGroups.clear();
        MatchPersons[kReceiver].positionExtra[0] = c.shirt;
        const int32_t targetY = c.targetY;
        Aim(c.receiver, c.targetX, targetY);
        MatchPerson& p = Start(c.action, c.style);
        StrikeFrames(c.action);
        const std::string what = std::to_string(c.action) + " style " + std::to_string(c.style);
        EXPECT_EQ(p.passCounters[0], 1) << what;
        EXPECT_EQ(p.passCounters[1], c.longPass && c.receiver >= 0 ? 1 : 0) << what;
        int32_t shirtCounts = 0;
        for (const uint16_t n : p.passTo[0])
            shirtCounts += n;
        EXPECT_EQ(shirtCounts, c.countsShirt ? 1 : 0) << what;
        if (c.countsShirt) {
            EXPECT_EQ(p.passTo[0][c.shirt - 1], 1) << what;
        }
        EXPECT_EQ(AssistTimer, 300) << what;
        EXPECT_EQ(PassReceiver, c.receiver) << what;
        EXPECT_EQ(AssistCandidate, c.receiver >= 0 ? kKicker : -1) << what;
        EXPECT_EQ(Match.longPassFlag, c.longPass && c.receiver >= 0 ? 1 : 0) << what;
        EXPECT_EQ(Match.lastKickKind, c.style >= 2 ? 2 : 1) << what;
        const std::vector<int32_t> said = match.Record().commentaryGroups;
        EXPECT_EQ(said, c.group < 0 ? std::vector<int32_t>{} : std::vector<int32_t>{c.group})
            << what;
        if (c.receiver >= 0) {
            const MatchPerson& r = MatchPersons[c.receiver];
            EXPECT_EQ(r.action, ACT_GO_TO_MEETING_SPOT) << what;
            EXPECT_EQ(r.receivePoint[0], c.targetX) << what;
            EXPECT_EQ(r.receivePoint[1], targetY) << what;
        }
    }
}

TEST_F(PassKicks, TheNextTouchCompletesThePassOrAnOpponentCutsItOut)
{
    constexpr int32_t kOpponent = 20;
    struct Case {
        int16_t style;
        int32_t toucher;
        int32_t toucherY;  // the area side 0 defends (KickingSide 0) lies beyond y 1754
        int32_t group;
        bool boxLost;
        uint8_t shirt = 8;  // the receiver's: 17 is a corrupt block's, counted nowhere
    };
    for (const Case c : {
             Case{0, kReceiver, 700, 15, false},
             Case{2, kReceiver, 700, 16, false},
             Case{1, kReceiver, 700, 15, false},
             Case{0, kOpponent, 700, 20, false},
             Case{0, kOpponent, 1800, 21, true},
             Case{0, kReceiver, 700, 15, false, 17},
         }) {
        SetUp();
        MatchPersons[kReceiver].positionClass = 3;
        MatchPersons[kReceiver].positionExtra[0] = c.shirt;
        MatchPersons[kOpponent].offPitch = 0;
        Person_PlaceAt(kOpponent, 796, c.toucherY);
        KickingSide = 0;
        Ball.lastToucher = kKicker;
        MatchPerson& k = Start(ACT_PASS_77, c.style);
        StrikeFrames(ACT_PASS_77);
        match.Record().commentaryGroups.clear();
        Ball_GiveToPerson(-1);
        Match_OnBallTouch(c.toucher);
        const std::string what = "style " + std::to_string(c.style) + " by "
                                 + std::to_string(c.toucher) + " at " + std::to_string(c.toucherY);
        const bool completed = c.toucher == kReceiver;
        const bool longPass = c.style == 1;
        EXPECT_EQ(k.stats.passesCompleted, completed ? 1 : 0) << what;
        EXPECT_EQ(k.stats.longPassesCompleted, completed && longPass ? 1 : 0) << what;
        EXPECT_EQ(k.passTo[1][3], completed && !longPass ? 1 : 0) << what;
        EXPECT_EQ(MatchPersons[kReceiver].stats.passesReceived, completed ? 1 : 0) << what;
        EXPECT_EQ(MatchPersons[kOpponent].stats.interceptions, completed ? 0 : 1) << what;
        EXPECT_EQ(k.stats.boxPassesLost, c.boxLost ? 1 : 0) << what;
        EXPECT_EQ(match.Record().commentaryGroups, std::vector<int32_t>{c.group}) << what;
        EXPECT_EQ(Match.passRecord[0][0], -1) << what;
        // The record spent, a second touch by the other player counts nothing more.
        Match_OnBallTouch(completed ? kOpponent : kReceiver);
        EXPECT_EQ(k.stats.passesCompleted + MatchPersons[kOpponent].stats.interceptions, 1) << what;
        PlayerMatchRecord record{};
        Football_FillPlayerMatchRecord(&record, 0, kKicker);
        EXPECT_EQ(PlayerMatchRecord_Get(record, PMR_PASSES), completed ? 1 : 0) << what;
        EXPECT_EQ(PlayerMatchRecord_Get(record, PMR_BAD_PASSES), completed ? 0 : 1) << what;
        // The performance screen's lines: the pass made to shirt 8 and, completed, by him.
        int32_t made = 0, completedTo = 0;
        for (int32_t mate = 0; mate < MATCH_SHIRT_COUNT; ++mate) {
            made += Football_GetMatchFigure(record, PMS_PASSES_TO + mate);
            completedTo += Football_GetMatchFigure(record, PMS_COMPLETED_TO + mate);
        }
        const bool counted = !longPass && c.shirt == 8;
        EXPECT_EQ(made, counted ? 1 : 0) << what;
        EXPECT_EQ(Football_GetMatchFigure(record, PMS_PASSES_TO + 7), made) << what;
        EXPECT_EQ(completedTo, counted && completed ? 1 : 0) << what;
        EXPECT_EQ(Football_GetMatchFigure(record, PMS_COMPLETED_TO + 7), completedTo) << what;
    }
}

// The free-kick taker's pass: the team-mate nearest the point meets it, along the ground within 10
// yards and lofted beyond; the free kick is open play again and the taker waits in 57 until
// someone else touches the ball.
TEST_F(PassKicks, ASetPiecePassFindsTheTeamMateNearestItsPointAndReopensPlay)
{
    struct Case {
        int16_t style;
        int32_t targetY;  // the point 100 or 800 ahead of him
        int32_t firstFrame;
    };
    for (const Case c : {Case{0, 900, 38}, Case{1, 200, 19}}) {
        SetUp();
        for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot)
            LineUp[0][slot] = static_cast<int16_t>(slot);
        KickingSide = 0;
        MatchPhase = PHASE_FREE_KICK;
        MatchPersons[kReceiver].targetX = 796;
        MatchPersons[kReceiver].targetY = static_cast<int16_t>(c.targetY);
        Aim(-1, 796, c.targetY);
        MatchPerson& p = Start(ACT_SET_PIECE_PASS, c.style);
        const std::vector<int32_t> frames = StrikeFrames(ACT_SET_PIECE_PASS);
        const std::string what = "style " + std::to_string(c.style);
        ASSERT_EQ(frames.size(), 1u) << what;
        EXPECT_GE(frames[0], c.firstFrame) << what;
        EXPECT_LE(frames[0], c.firstFrame + 1) << what;
        EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY) << what;
        EXPECT_EQ(Match.kickTargetPerson, kReceiver) << what;
        EXPECT_EQ(MatchPersons[kReceiver].action, ACT_GO_TO_MEETING_SPOT) << what;
        EXPECT_EQ(Match.passRecord[0][0], kKicker) << what;
        EXPECT_EQ(Ball.lastToucher, kKicker) << what;
        // Within 10 yards along the ground (style 0's row), beyond it lofted.
        const int32_t distance = p.y - c.targetY;
        if (c.style == 0) {
            EXPECT_EQ(Match.lastKickKind, 1) << what;
            EXPECT_EQ(Ball.velZ, 120 * distance + 16384) << what;
        } else {
            EXPECT_EQ(Match.lastKickKind, 2) << what;
            EXPECT_EQ(Ball.velZ, 100 * distance + 147456) << what;
        }
        EXPECT_EQ(p.action, ACT_SET_PIECE_WAIT) << what;
        Run();
        EXPECT_EQ(p.action, ACT_SET_PIECE_WAIT) << what;
        Ball.lastToucher = kReceiver;
        Run();
        EXPECT_EQ(p.action, ACT_STAND) << what;
    }
}

// The ball-event word 7 silences the short kicks' lines; a recorded touch clears it.
TEST_F(PassKicks, AShortKickSaysItsLineUnlessTheBallEventSilencesIt)
{
    for (const int16_t event : {0, 3, 7}) {
        SetUp();
        match.Record().commentaryGroups.clear();
        Match.ballEvent = event;
        Start(ACT_AIMED_KICK_9, 0);
        StrikeFrames(ACT_AIMED_KICK_9);
        EXPECT_EQ(match.Record().commentaryGroups,
                  event == 7 ? std::vector<int32_t>{} : std::vector<int32_t>{304})
            << event;
        Ball_GiveToPerson(-1);
        Match_OnBallTouch(kReceiver);
        EXPECT_EQ(Match.ballEvent, 0) << event;
    }
}

}  // namespace
