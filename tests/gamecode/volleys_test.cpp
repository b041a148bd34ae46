// tests/gamecode/volleys_test.cpp: the choice of how a player meets a ball in the air, as one
// table of flights placed so that the meeting height, tick and distance sit on the bounds of
// each case, with the draws scripted. Side 0 attacks the goal at y 122; the ball flies straight
// (no drag, no gravity) toward the player along the pitch.
#include "gamecode/volleys.h"

#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/ballpredict.h"
#include "gamecode/pitch.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr ScriptedDraw kAny{1, 0, 0};
constexpr int32_t kPlayer = 5;
constexpr int32_t kMate = 6;
constexpr int32_t kOpponent = 20;
constexpr int32_t kFar = 1000;   // 878 from the goal he attacks
constexpr int32_t kNear = 380;   // 258
constexpr int32_t kClose = 330;  // 208
constexpr int32_t kGoal = 300;   // 178
constexpr int32_t kUnchanged = ACT_WALK_TO_TARGET;

class Volleys : public testing::Test {
protected:
    // He stands at (796, y) facing the goal; the ball of speed byte `speed` at `height` comes at
    // him `dx` to his side and passes him after `tick` + 1 steps.
    void Start(int32_t y, int32_t speed, int32_t height, int32_t tick, int32_t dx)
    {
        SetMatchPhysics();
        Match.ballDrag = 1000;
        Match.ballGravity = 0;
        PlaceBallAlone(PITCH_CENTRE_X + dx, y - speed * (tick + 1));
        SetBareScene();
        Person_PlaceAt(kPlayer, PITCH_CENTRE_X, y);
        MatchPerson& p = MatchPersons[kPlayer];
        p.offPitch = 0;
        p.facing = 0;
        p.dirToBall = 0;
        p.action = kUnchanged;
        p.passKind = 0;
        Ball.height = static_cast<uint16_t>(height);
        Ball.height16 = height * 65536;
        Ball.velY = speed * 65536;
        Ball_UpdateSpeedDir();
        CurrentPersonPos = {p.x, p.y, p.x16, p.y16};
        Match.currentSide = 0;
    }
    ScopedMatch match;
};

TEST_F(Volleys, EachCaseDecidesAtItsBoundsInOrder)
{
    struct Case {
        const char* what;
        int32_t y, speed, height, tick, dx;
        int32_t dirToBall;  // 0: the ball comes straight at him
        int32_t facing;
        bool mate, opponentNear;
        int32_t runSpeed;
        std::vector<ScriptedDraw> script;
        int32_t action;
        int32_t parameter;
        bool expectsAtMeeting;
        int32_t jump = 50;       // skill 4
        bool exactDraws = true;  // false: the shot decision draws on after the script
    } const cases[] = {
        // clang-format off
        {"slow and low: ignored", kFar, 4, 15, 25, 0, 0, 0, false, false, 0, {}, kUnchanged, 0, false},
        {"slow at 16: the chest's finish far out", kFar, 4, 16, 25, 0, 0, 0, false, false, 0, {},
         ACT_CONTROL_JUMPING, 25, true},
        {"fast and low: below 3 ignored", kFar, 8, 2, 25, 0, 0, 0, false, false, 0, {}, kUnchanged, 0,
         false},
        {"coming at him 32 off", kFar, 4, 16, 25, 0, 32, 0, false, false, 0, {}, ACT_CONTROL_JUMPING,
         25, true},
        {"33 off is not at him", kFar, 4, 16, 25, 0, 33, 0, false, false, 0, {}, kUnchanged, 0, false},
        {"met below 6: nothing", kFar, 8, 5, 25, 0, 0, 0, false, false, 0, {}, kUnchanged, 0, false},
        // Chest: 12-16 high, tick 21-41, nearer than 80 - 2v.
        {"chest at tick 21", kFar, 6, 12, 21, 0, 0, 0, false, false, 0, {}, ACT_CONTROL_JUMPING, 21,
         true},
        {"tick 20 is the low volley's", kFar, 6, 12, 20, 0, 0, 0, false, false, 0, {},
         ACT_CONTROL_HIGH_BALL, 0, false},
        {"chest at tick 41", kFar, 6, 14, 41, 0, 0, 0, false, false, 0, {}, ACT_CONTROL_JUMPING, 41,
         true},
        {"chest out of reach: 68 off at speed 6", kFar, 6, 14, 30, 68, 0, 0, false, false, 0, {},
         kUnchanged, 0, false},
        {"chest within 256 of goal: expects only", kGoal - 60, 6, 14, 30, 0, 0, 0, false, false, 0, {},
         kUnchanged, 0, true},
        {"chest laid off to a mate", kFar, 6, 14, 30, 0, 0, 0, true, false, 0, {kAny},
         ACT_JUMP_HEADED_PASS, 30, true},
        {"chest, crowded: a header along his run", kFar, 6, 14, 30, 0, 0, 0, false, true, 0, {},
         ACT_JUMP_STRIKE_TO_TARGET, 30, true},
        // High, far from goal (flag 1), and nearer (flag 0); 16 up to skill 4 / 20 + 16.
        {"high far, crowded, turned square: 82", kFar, 6, 18, 30, 0, 0, 64, false, true, 0, {},
         ACT_JUMP_HEADER_AT_GOAL, 30, true},
        {"high far, crowded, turned away", kFar, 6, 18, 30, 0, 0, 128, false, true, 0, {{400, 50, 399}},
         ACT_JUMP_HEADER_BACK_FLICK, 30, true},
        {"high far, crowded, turned away: the volley", kFar, 6, 18, 30, 0, 0, 128, false, true, 0,
         {{400, 0, 49}}, ACT_OVERHEAD_KICK, 30, true},
        {"high far, crowded, 147 off at speed 6", kFar, 6, 18, 30, 147, 0, 64, false, true, 0, {},
         ACT_JUMP_HEADER_AT_GOAL, 30, true},
        {"high far, 148 off at speed 6: out of reach", kFar, 6, 18, 30, 148, 0, 64, false, true, 0, {},
         kUnchanged, 0, false},
        {"high near goal at tick 20", kNear, 6, 17, 20, 0, 0, 0, false, false, 0, {{400, 50, 399}},
         ACT_CONTROL_JUMPING, 20, true},
        {"above the jump: tick 30 at 19 is nothing", kFar, 6, 19, 30, 0, 0, 0, false, false, 0, {},
         kUnchanged, 0, false},
        {"high near goal: the volley", kNear, 6, 17, 30, 0, 0, 0, false, false, 0, {{400, 0, 49}},
         ACT_OVERHEAD_KICK, 30, true},
        {"high near goal: the control", kNear, 6, 17, 30, 0, 0, 0, false, false, 0, {{400, 50, 399}},
         ACT_CONTROL_JUMPING, 30, true},
        {"high at tick 38", kNear, 6, 17, 38, 0, 0, 0, false, false, 0, {{400, 50, 399}},
         ACT_CONTROL_JUMPING, 38, true},
        {"high at tick 39: nothing fits", kNear, 6, 17, 39, 0, 0, 0, false, false, 0, {}, kUnchanged, 0,
         false},
        {"high at goal, turned away, no volley", kGoal, 6, 17, 30, 0, 0, 128, false, false, 0,
         {{400, 50, 399}}, ACT_JUMP_HEADER_BACK_FLICK, 30, true},
        {"high at goal, facing it: skill roll heads on", kGoal, 6, 17, 30, 0, 0, 0, false, false, 0,
         {{400, 50, 399}, {51, 0, 50}, kAny}, ACT_JUMP_STRIKE_TO_TARGET, 30, true},
        // Flag 0 square to goal or facing it: the shot decision, then the header over it.
        {"high at goal, square: the header at goal", kGoal, 6, 17, 30, 0, 0, 40, false, false, 0,
         {{400, 50, 399}}, ACT_JUMP_HEADER_AT_GOAL, 30, true, 50, false},
        {"high at goal, facing it: the jumping header", kGoal, 6, 17, 30, 0, 0, 0, false, false, 0,
         {{400, 50, 399}, {81, 21, 80}, kAny, {2, 1, 1}}, ACT_JUMP_STRIKE_AT_GOAL, 30, true, 80,
         false},
        {"high in the six-yard box: the diving header", 270, 6, 17, 30, 0, 0, 0, false, false, 0,
         {{400, 50, 399}, {81, 21, 80}, kAny, {2, 1, 1}}, ACT_HIGH_STRIKE_AT_GOAL, 30, true, 80,
         false},
        {"high in the six-yard box, even draw: the jumping header", 270, 6, 17, 30, 0, 0, 0, false,
         false, 0, {{400, 50, 399}, {81, 21, 80}, kAny, {2, 0, 0}}, ACT_JUMP_STRIKE_AT_GOAL, 30, true,
         80, false},
        {"high 160 from goal, odd draw: still the jumping header", 282, 6, 17, 30, 0, 0, 0, false,
         false, 0, {{400, 50, 399}, {81, 21, 80}, kAny, {2, 1, 1}}, ACT_JUMP_STRIKE_AT_GOAL, 30, true,
         80, false},
        // Low volley: 10-13 high, tick 15-29, nearer than 8.
        {"low volley near goal", kClose, 6, 11, 20, 0, 0, 0, false, false, 0, {{400, 0, 49}},
         ACT_OVERHEAD_KICK, 0, false},
        {"low control far out", kFar, 6, 11, 29, 7, 0, 0, false, false, 0, {}, ACT_CONTROL_HIGH_BALL, 0,
         false},
        // Missed control: 10-13 high, a draw above his first touch, tick 11-20, nearer than 12.
        {"missed control", kFar, 6, 11, 12, 0, 0, 0, false, false, 0, {{100, 51, 99}}, ACT_HANDBALL, 0,
         false},
        {"controlled: the bouncing ball far out", kFar, 6, 11, 12, 0, 0, 0, false, false, 0,
         {{100, 0, 50}}, ACT_HEADER_TO_MATE, 0, true},
        // Bouncing ball: 5-13 high, tick 8-30, nearer than 15.
        {"bouncing ball in range at a jog", kNear, 6, 8, 8, 14, 0, 0, false, false, 99,
         {{250, 100, 249}, kAny, kAny}, ACT_FIRST_TIME_SHOT_80, 8, true},
        {"bouncing ball in range running", kNear, 6, 8, 30, 0, 0, 0, false, false, 140,
         {{250, 100, 249}, kAny, kAny}, ACT_FIRST_TIME_SHOT_84, 30, true},
        {"bouncing ball close in: the volley", kClose, 6, 8, 30, 0, 0, 0, false, false, 100,
         {{250, 100, 249}, kAny, kAny, {100, 0, 49}}, ACT_VOLLEY_TO_TARGET, 30, true},
        {"bouncing ball close in, no volley", kClose, 6, 8, 30, 0, 0, 0, false, false, 100,
         {{250, 100, 249}, kAny, kAny, {100, 50, 99}}, ACT_FIRST_TIME_SHOT_83, 30, true},
        // Control to one side: 6-9 high, tick 14-26, nearer than 20; the meeting point beside him.
        // From a point on his left (smaller x) he lies clockwise of his facing.
        {"control, ball on his left", kFar, 6, 7, 20, -19, 0, 0, false, false, 0, {},
         ACT_STANDING_HEADER, 0, true},
        {"control, ball on his right", kFar, 6, 7, 20, 19, 0, 0, false, false, 0, {},
         ACT_HEADER_HOLD_PLACE, 0, true},
        {"control, facing 192: half a turn back is neither way", kFar, 6, 7, 20, -19, 0, 192, false,
         false, 0, {}, ACT_HEADER_HOLD_PLACE, 0, true},
        {"control, facing 64: half a turn back is neither way", kFar, 6, 7, 20, 19, 0, 64, false,
         false, 0, {}, ACT_HEADER_HOLD_PLACE, 0, true},
        {"control, facing 192: a step short of half a turn back is clockwise", kFar, 6, 7, 20, -19,
         0, 193, false, false, 0, {}, ACT_STANDING_HEADER, 0, true},
        {"control, facing 192: straight along it is 114", kFar, 6, 7, 20, 19, 0, 192, false, false, 0,
         {}, ACT_HEADER_HOLD_PLACE, 0, true},
        {"control, ball 20 off: nothing", kFar, 6, 7, 20, 20, 0, 0, false, false, 0, {}, kUnchanged, 0,
         false},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(c.y, c.speed, c.height, c.tick, c.dx);
        MatchPerson& p = MatchPersons[kPlayer];
        p.dirToBall = static_cast<uint16_t>(c.dirToBall);
        p.facing = static_cast<uint16_t>(c.facing);
        p.runSpeed = static_cast<int16_t>(c.runSpeed);
        p.skills[4] = static_cast<uint8_t>(c.jump);
        p.receivePoint[0] = -1;
        if (c.mate) {
            Person_PlaceAt(kMate, PITCH_CENTRE_X + 100, c.y);
            MatchPersons[kMate].offPitch = 0;
            MatchPersons[kMate].ballDistance = 120;
        }
        if (c.opponentNear) {
            Person_PlaceAt(kOpponent, PITCH_CENTRE_X + 60, c.y + 60);
            MatchPersons[kOpponent].offPitch = 0;
            MatchPersons[kOpponent].dirToBall = 0;
        }
        ScriptDraws(c.script);
        const uint32_t before = RandDrawCount();
        Person_TryVolley(kPlayer);
        if (c.exactDraws) {
            EXPECT_EQ(RandDrawCount() - before, c.script.size());
        } else {
            EXPECT_GE(RandDrawCount() - before, c.script.size());
        }
        EXPECT_EQ(p.action, c.action);
        EXPECT_EQ(p.passKind, c.parameter);
        EXPECT_EQ(p.receivePoint[0] == MeetingPoint[0] && p.receivePoint[1] == MeetingPoint[1],
                  c.expectsAtMeeting);
        if (c.action == ACT_JUMP_HEADED_PASS) {
            EXPECT_EQ(Match.kickTargetPerson, kMate);
            EXPECT_EQ(Match.kickTargetPoint[0], MatchPersons[kMate].x);
            EXPECT_EQ(MatchPersons[kMate].receivePoint[1], c.y);
        }
    }
}

// A ball dropping straight, with no course along the ground, comes at nobody: whichever side of
// him it falls, toward either goal, he does not go up for it and draws nothing. It drops to his
// jump's reach after 24 ticks: a ball coming at him so would be a header.
TEST_F(Volleys, ABallDroppingStraightComesAtNobody)
{
    for (const int32_t dy : {-12, 12, -40, 40}) {
        SCOPED_TRACE(dy);
        Start(kFar, 0, 24, 0, 0);
        Person_PlaceAt(MATCH_BALL, PITCH_CENTRE_X, kFar + dy);
        Ball.velZ = -16384;
        Ball_UpdateSpeedDir();
        MatchPerson& p = MatchPersons[kPlayer];
        p.dirToBall = static_cast<uint16_t>(dy < 0 ? 0 : 128);
        const uint32_t before = RandDrawCount();
        Person_TryVolley(kPlayer);
        EXPECT_EQ(p.action, kUnchanged);
        EXPECT_EQ(RandDrawCount(), before);
    }
}

}  // namespace
