// gamecode/highballs.cpp: the strikes and controls of a ball met in the air.
#include "gamecode/highballs.h"

#include <array>

#include "engine/fatal.h"
#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/headers.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/pitch.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"

namespace {

constexpr int32_t kSkillJump = 4;
constexpr int32_t kSkillControl = 7;
constexpr int32_t kStepSpeed = 140;
constexpr int32_t kStepAccel = 8;
constexpr int32_t kTurnRange = 400;
constexpr int32_t kSoftControl = 65536;
constexpr int32_t kHardControl = 196608;
constexpr int32_t kNoGroup = -1;

// Vertical speeds by the ball's height at the contact; the volleys and controls share the
// header tables (V1 the jumping header's, V2 the standing header's).
constexpr LiftTable kVolleyLift{
    -81920, -65536, -32768, -16384, 0,     4096,  8192,  12288, 16384, 24576,
    32768,  40960,  40960,  40960,  40960, 40960, 40960, 40960, 40960, 40960,
    40960,  40960,  40960,  40960,  40960, 40960, 40960, 40960, 40960, 40960,
};
constexpr LiftTable kStrikeLift{
    -196608, -196608, -196608, -196608, -196608, -196608, -196608, -196608, -196608, -196608,
    -180224, -163840, -147456, -131072, -122880, -114688, -106496, -98304,  -81920,  -65536,
    -32768,  -16384,  0,       16384,   32768,   32768,   32768,   32768,   32768,   32768,
};
constexpr LiftTable kLoopLift{
    -131072, -131072, -131072, -131072, -131072, -131072, -114688, -98304, -81920, -65536,
    -49152,  -32768,  -16384,  0,       16384,   32768,   49152,   65536,  81920,  98304,
    114688,  131072,  147456,  163840,  180224,  196608,  196608,  196608, 196608, 196608,
};

enum class Aim : uint8_t { GoalCarry, ShotTarget, Ball, OverHead };
// How his reach and the height he reaches grow: by skill 4 / 20, by his body's lift, or not.
enum class Reach : uint8_t { Fixed, JumpSkill, BodyLift };

struct HighBallRow {
    int16_t id;
    int16_t animation;
    Aim aim;
    int16_t jumpFrame;  // the top of his jump; 0 none
    int16_t fastFrames;
    Reach reachGrows;
    int16_t reach;
    bool heightGrows;  // the height limit grows by skill 4 / 20
    int16_t height;
    int16_t lowestAbove;  // the ball must be higher than this
    int16_t contactFrame;
    int32_t speed;  // 0: a control, soft or hard
    const LiftTable* lift;
    int16_t group;
    int16_t groupForReceiver;  // said instead when he received the last pass; kNoGroup none
    bool strikesAtGoal;
    bool header;   // the header's shot record and, for 46, his half's header count
    bool control;  // no offside, sound or possession
    bool fastAfterContact;
};

// clang-format off
constexpr auto kHighBalls = std::to_array<HighBallRow>({
    {ACT_JUMP_STRIKE_TO_TARGET, 69, Aim::GoalCarry, 38, 38, Reach::JumpSkill, 8, true, 16, 8, 38,
     294912, &kLoopLift, 247, kNoGroup, true, true, false, false},
    {ACT_JUMP_STRIKE_AT_GOAL, 70, Aim::ShotTarget, 54, 54, Reach::JumpSkill, 8, true, 16, 8, 54,
     524288, &kJumpHeaderLift, 249, 248, true, true, false, false},
    {ACT_HIGH_STRIKE_AT_GOAL, 73, Aim::ShotTarget, 47, 47, Reach::JumpSkill, 8, true, 16, 8, 47,
     294912, &kStrikeLift, 250, kNoGroup, true, true, false, false},
    {ACT_CONTROL_HIGH_BALL, 92, Aim::Ball, 0, 0, Reach::Fixed, 8, false, 16, -1, 0,
     0, &kHeaderLift, 251, kNoGroup, false, false, true, false},
    {ACT_OVERHEAD_KICK, 87, Aim::OverHead, 54, 54, Reach::JumpSkill, 8, true, 16, 8, 54,
     688128, &kStrikeLift, 253, 252, true, false, false, false},
    {ACT_VOLLEY_TO_TARGET, 82, Aim::GoalCarry, 0, 21, Reach::Fixed, 15, false, 12, 3, 11,
     491520, &kVolleyLift, 254, kNoGroup, false, false, false, false},
    {ACT_CONTROL_JUMPING, 158, Aim::Ball, 40, 40, Reach::BodyLift, 8, true, 16, 8, 1,
     0, &kHeaderLift, 246, kNoGroup, false, false, false, true},
});
// clang-format on

const HighBallRow& RowOf(int32_t action)
{
    for (const HighBallRow& row : kHighBalls) {
        if (row.id == action) return row;
    }
    FatalError("Action_HighBall(): action %d is no high ball", action);
}

// The direction he turns to; `turns` false when he keeps his facing this tick.
int32_t AimOf(int32_t person, const HighBallRow& row, bool& turns)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t side = Person_Side(person);
    turns = true;
    switch (row.aim) {
        case Aim::GoalCarry: return Person_DirectionToTarget(person, 1, side);
        case Aim::ShotTarget:
            return Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, ShotTarget[0],
                                      ShotTarget[1]);
        case Aim::Ball: return p.dirToBall;
        case Aim::OverHead: {
            const int32_t target = Person_DirectionToTarget(person, 0, side);
            turns = DistanceResult < kTurnRange;
            return (target + 128) & 255;
        }
    }
    return p.facing;
}

bool InReach(int32_t person, const HighBallRow& row)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t grows = Person_Skill(p, kSkillJump) / 20;
    int32_t reach = row.reach;
    if (row.reachGrows == Reach::JumpSkill) reach += grows;
    if (row.reachGrows == Reach::BodyLift) reach += p.height;
    const int32_t height = row.height + (row.heightGrows ? grows : 0);
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    return Person_RangeCheck(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y, reach, height)
           == 0;
}

// A control's pace: soft when his first touch holds the draw.
int32_t ControlSpeed(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (Rand() % 100 < Person_EffectiveSkill(person, Person_Skill(p, kSkillControl))) {
        ++p.stats.goodControls;
        return kSoftControl;
    }
    ++p.stats.poorControls;
    return kHardControl;
}

// The header of 46 counts in the half the ball is in, as the half he defends or attacks.
void CountHeaderByHalf(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const bool lowHalf = Ball.wholeY < PITCH_HALFWAY_LINE_Y;
    const bool defendsLow = Person_Side(person) == Match.secondOfPair;
    ++(lowHalf == defendsLow ? p.stats.headersDefendingHalf : p.stats.headersAttackingHalf);
}

void Contact(int32_t person, const HighBallRow& row)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t side = Person_Side(person);
    const int32_t speed = row.speed != 0 ? row.speed : ControlSpeed(person);
    const int32_t direction = row.aim == Aim::OverHead ? (p.facing + 128) & 255 : p.facing;
    Person_VectorFromAngle(direction, speed, 256);
    Ball.velX = StepX;
    Ball.velY = -StepY;
    Ball.velZ = Header_LiftFrom(*row.lift, Ball.height);
    const bool received = row.groupForReceiver != kNoGroup && PassReceiver == person;
    Comm_Say(received ? row.groupForReceiver : row.group, side, person, -1, 0);
    Header_Contact(person, row.strikesAtGoal ? KICK_KIND_SHOT : KICK_KIND_OTHER,
                   row.control ? AirContact::Control : AirContact::Jumping);
    if (row.strikesAtGoal) KickBook_Shot(person);
    if (row.header) KickBook_SetShotRecord(SHOT_RECORD_HEADER, person);
    if (row.id == ACT_JUMP_STRIKE_TO_TARGET) CountHeaderByHalf(person);
    if (row.id == ACT_JUMP_STRIKE_TO_TARGET || row.id == ACT_JUMP_STRIKE_AT_GOAL)
        Ball_SetShotSwerve(person, ShotTarget[0]);
}

}  // namespace

void Action_HighBall(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const HighBallRow& row = RowOf(p.action);
    bool turns = true;
    const int32_t aim = AimOf(person, row, turns);
    if (turns) Person_TurnTowardTwiceIfSlow(person, aim);
    if (Person_RunAnim(person, row.animation, 1 + p.kicked, ACT_STAND) == 0) return;
    if (row.jumpFrame != 0)
        p.height = static_cast<int16_t>(Header_JumpHeight(person, row.jumpFrame));
    if ((p.kicked == 0 || row.fastAfterContact) && p.passKind < row.fastFrames) {
        if (Person_RunAnim(person, row.animation, 1, ACT_STAND) == 0) return;
        ++p.passKind;
    }
    const bool inReach = InReach(person, row);
    if (p.kicked == 0 && !row.control
        && Person_TouchDistance(CurrentPersonPos.x, CurrentPersonPos.y, p.receivePoint[0],
                                p.receivePoint[1], 1000)
               != 0
        && Person_FindBlockerAhead(person) == 0) {
        Person_RunStep(person, kStepSpeed,
                       Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, p.receivePoint[0],
                                          p.receivePoint[1]),
                       kStepAccel);
    }
    if (p.kicked == 0 && inReach && Ball.height > row.lowestAbove
        && p.drawnFrame >= row.contactFrame && Ball.holder == 0)
        Contact(person, row);
}
