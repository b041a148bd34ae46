// gamecode/volleys.cpp: how a player meets a fast or high ball coming at him.
#include "gamecode/volleys.h"

#include <algorithm>
#include <array>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ballpredict.h"
#include "gamecode/kickkinds.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"

namespace {

constexpr int32_t kSkillJump = 4;
constexpr int32_t kSkillFirstTouch = 12;
constexpr int32_t kSkillVolley = 18;
constexpr int32_t kFastBall = 5;
constexpr int32_t kHighBall = 16;
constexpr int32_t kLowestBall = 3;
constexpr int32_t kComingAt = 32;
constexpr int32_t kLowestMeeting = 6;
constexpr int32_t kNobodyNear = 10000;
constexpr int32_t kCrowded = 160;
constexpr int32_t kCloseToGoal = 200;
constexpr int32_t kVolleyRange = 400;
constexpr int32_t kLayOffRange = 256;
constexpr int32_t kShootingRange = 560;
constexpr int32_t kCloseRange = 240;
constexpr int32_t kHeaderVolleyRange = 320;
constexpr int32_t kDiveHeaderRange = 160;
constexpr int32_t kTurnedAway = 97;
constexpr int32_t kSquare = 32;
constexpr int32_t kFacingGoal = 20;

enum class Meeting : uint8_t { Chest, HighFar, High, LowVolley, MissedControl, Bouncing, Control };

// The bounds of one case: lowHeight <= meeting height <= highHeight (+ skill 4 / 20 when the
// height grows with his jump), tickAfter < meeting tick <= lastTick, meeting distance below
// reach - slowing x the ball's speed byte.
struct MeetingBounds {
    Meeting kind;
    int16_t lowHeight;
    int16_t highHeight;
    bool heightWithJump;
    int16_t tickAfter;
    int16_t lastTick;
    int16_t reach;
    int16_t slowing;
    bool farFromGoal;      // the distance to goal above 400 as well
    bool missRoll;         // a draw against his first touch, after the height
    bool nobodyHoldsBall;  // no keeper holds the ball
};

// The first row that fits decides.
// clang-format off
constexpr auto kMeetings = std::to_array<MeetingBounds>({
    {Meeting::Chest,         12, 16, false, 20, 41,  80, 2, false, false, false},
    {Meeting::HighFar,       16, 16, true,  19, 38, 160, 2, true,  false, false},
    {Meeting::High,          16, 16, true,  19, 38, 160, 2, false, false, false},
    {Meeting::LowVolley,     10, 13, false, 14, 29,   8, 0, false, false, false},
    {Meeting::MissedControl, 10, 13, false, 10, 20,  12, 0, false, true,  false},
    {Meeting::Bouncing,       5, 13, false,  7, 30,  15, 0, false, false, true},
    {Meeting::Control,        6,  9, false, 13, 26,  20, 0, false, false, false},
});
// clang-format on

// What the first stage of the choice has measured.
struct Approach {
    int32_t person;
    int32_t height;  // meeting height, tick and distance
    int32_t tick;
    int32_t distance;
    int32_t goalDistance;  // D, left by the direction toward goal
    int32_t dirToGoal;
    int32_t near;  // the nearest opponent along his own line to the ball
};

bool Fits(const MeetingBounds& row, const Approach& a)
{
    const MatchPerson& p = MatchPersons[a.person];
    const int32_t top =
        row.highHeight + (row.heightWithJump ? Person_Skill(p, kSkillJump) / 20 : 0);
    if (a.height < row.lowHeight || a.height > top) return false;
    if (row.missRoll
        && Rand() % 100 <= Person_EffectiveSkill(a.person, Person_Skill(p, kSkillFirstTouch)))
        return false;
    if (a.tick <= row.tickAfter || a.tick > row.lastTick) return false;
    if (a.distance >= row.reach - row.slowing * Ball.speed) return false;
    if (row.farFromGoal && a.goalDistance <= kVolleyRange) return false;
    return !row.nobodyHoldsBall || Ball.holder == 0;
}

// The smallest distance of an on-pitch opponent to him along that opponent's line to the ball.
int32_t NearestOpponentAlong(int32_t person)
{
    const int32_t other = (Person_Side(person) ^ 1) * MATCH_PERSONS_PER_SIDE;
    int32_t near = kNobodyNear;
    for (int32_t o = other; o < other + MATCH_PERSONS_PER_SIDE; ++o) {
        const MatchPerson& op = MatchPersons[o];
        if (op.offPitch != 0) continue;
        near = std::min(near, Person_DistanceAlong(op.dirToBall, CurrentPersonPos.x,
                                                   CurrentPersonPos.y, op.x, op.y));
    }
    return near;
}

// The volley instead of the header or control: only within `range` of goal, on a draw against
// his volleying.
bool VolleyRoll(int32_t person, int32_t goalDistance, int32_t range)
{
    return goalDistance < range && Rand() % 400 < Person_Skill(MatchPersons[person], kSkillVolley);
}

void ExpectBallAtMeeting(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.receivePoint[0] = MeetingPoint[0];
    p.receivePoint[1] = MeetingPoint[1];
}

void SetWaitingAction(int32_t person, int32_t action, int32_t tick)
{
    Person_SetAction(person, action);
    MatchPersons[person].passKind = static_cast<int16_t>(tick);
}

// A header when crowded or near goal, else a volley or a jumping control.
void HeaderOrVolley(const Approach& a, int32_t flag)
{
    if (a.near < kCrowded || a.goalDistance < kCloseToGoal) {
        Person_ChooseHeader(a.person, a.dirToGoal, flag);
        return;
    }
    const bool volley = VolleyRoll(a.person, a.goalDistance, kVolleyRange);
    SetWaitingAction(a.person, volley ? ACT_OVERHEAD_KICK : ACT_CONTROL_JUMPING, a.tick);
}

void LayOffOnTheChest(const Approach& a)
{
    ExpectBallAtMeeting(a.person);
    if (a.goalDistance <= kLayOffRange) return;
    const int32_t mate = Person_PickLayOff(a.person);
    if (mate < 0) {
        HeaderOrVolley(a, 1);
        return;
    }
    MatchPerson& q = MatchPersons[mate];
    Match.kickTargetPoint[0] = q.x;
    Match.kickTargetPoint[1] = q.y;
    q.receivePoint[0] = q.x;
    q.receivePoint[1] = q.y;
    Match.kickTargetPerson = static_cast<int16_t>(mate);
    SetWaitingAction(a.person, ACT_JUMP_HEADED_PASS, a.tick);
}

void FirstTimeAtBouncingBall(const Approach& a)
{
    MatchPerson& p = MatchPersons[a.person];
    ExpectBallAtMeeting(a.person);
    if (a.goalDistance >= kShootingRange) {
        Person_SetAction(a.person, ACT_HEADER_TO_MATE);
        return;
    }
    Person_ChooseShotTarget(a.person, 1);
    const int32_t action = p.runSpeed < 100   ? ACT_FIRST_TIME_SHOT_80
                           : p.runSpeed < 140 ? ACT_FIRST_TIME_SHOT_83
                                              : ACT_FIRST_TIME_SHOT_84;
    SetWaitingAction(a.person, action, a.tick);
    if (a.goalDistance < kCloseRange && Rand() % 100 < Person_Skill(p, kSkillVolley))
        SetWaitingAction(a.person, ACT_VOLLEY_TO_TARGET, a.tick);
}

// The side of his facing the ball comes in on: clockwise by less than half a turn takes 115.
void ControlToOneSide(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    ExpectBallAtMeeting(person);
    const int32_t dirM = Person_DirectionTo(MeetingPoint[0], MeetingPoint[1], CurrentPersonPos.x,
                                            CurrentPersonPos.y);
    Person_SetAction(person,
                     Person_TurnsUp(dirM, p.facing) ? ACT_STANDING_HEADER : ACT_HEADER_HOLD_PLACE);
}

void Meet(const MeetingBounds& row, const Approach& a)
{
    switch (row.kind) {
        case Meeting::Chest: LayOffOnTheChest(a); return;
        case Meeting::HighFar:
        case Meeting::High:
            ExpectBallAtMeeting(a.person);
            HeaderOrVolley(a, row.kind == Meeting::HighFar ? 1 : 0);
            return;
        case Meeting::LowVolley: {
            const bool volley = VolleyRoll(a.person, a.goalDistance, kVolleyRange);
            Person_SetAction(a.person, volley ? ACT_OVERHEAD_KICK : ACT_CONTROL_HIGH_BALL);
            return;
        }
        case Meeting::MissedControl: Person_SetAction(a.person, ACT_HANDBALL); return;
        case Meeting::Bouncing: FirstTimeAtBouncingBall(a); return;
        case Meeting::Control: ControlToOneSide(a.person); return;
    }
}

}  // namespace

void Person_TryVolley(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    if (Ball.speed < kFastBall && Ball.height < kHighBall) return;
    if (Ball.height < kLowestBall) return;
    // A ball rising or dropping straight comes at nobody: its still word read as a direction
    // would point toward y 122 and favour the men on that side of it.
    const int32_t fromBall = (p.dirToBall + 128) & 255;
    if (Ball.direction == BALL_STILL
        || Person_FoldedDifference(fromBall, Ball.direction) > kComingAt)
        return;
    Ball_PredictMeeting(Person_Skill(p, kSkillJump), CurrentPersonPos.x16, CurrentPersonPos.y16,
                        person, MEETING_FEET);
    if (Match.meetingDistance == MEETING_NONE || Match.meetingHeight < kLowestMeeting) return;
    const int32_t dirToGoal = Person_DirectionToTarget(person, 1, Person_Side(person));
    const Approach a{
        person,         Match.meetingHeight, Match.meetingTick,           Match.meetingDistance,
        DistanceResult, dirToGoal,           NearestOpponentAlong(person)};
    for (const MeetingBounds& row : kMeetings) {
        if (!Fits(row, a)) continue;
        Meet(row, a);
        return;
    }
}

void Person_ChooseHeader(int32_t person, int32_t dirToGoal, int32_t flag)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t tick = Match.meetingTick;
    const int32_t t = Person_FoldedDifference(dirToGoal, p.facing);
    int32_t action = ACT_JUMP_HEADER_BACK_FLICK;
    if (flag != 0) {
        if (t < kSquare) {
            action = ACT_JUMP_STRIKE_TO_TARGET;
        } else if (t < kTurnedAway) {
            action = ACT_JUMP_HEADER_AT_GOAL;
        } else if (Rand() % 400 < Person_Skill(p, kSkillVolley)) {
            action = ACT_OVERHEAD_KICK;
        }
    } else if (VolleyRoll(person, DistanceResult, kHeaderVolleyRange)) {
        action = ACT_OVERHEAD_KICK;
    } else if (t >= kTurnedAway) {
        action = ACT_JUMP_HEADER_BACK_FLICK;
    } else if (t >= kFacingGoal) {
        Person_ChooseShotTarget(person, 0);
        action = ACT_JUMP_HEADER_AT_GOAL;
    } else {
        const int32_t jump = Person_Skill(p, kSkillJump);
        if (Match_SkillRoll(jump, 100) >= jump) {
            action = ACT_JUMP_STRIKE_TO_TARGET;
        } else {
            const bool diving = Rand() % 2 == 1 && DistanceResult < kDiveHeaderRange;
            Person_ChooseShotTarget(person, 0);
            action = diving ? ACT_HIGH_STRIKE_AT_GOAL : ACT_JUMP_STRIKE_AT_GOAL;
        }
    }
    SetWaitingAction(person, action, tick);
}
