// gamecode/headers.cpp: the players who go up for a high ball.
#include "gamecode/headers.h"

#include "engine/fatal.h"
#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/ballpredict.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/incidents.h"
#include "gamecode/kickbook.h"
#include "gamecode/kickkinds.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/offside.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"
#include "gamecode/volleys.h"

namespace {

constexpr int32_t kComeDown = 16;
constexpr int32_t kSfxHeader = 5;
constexpr int32_t kSkillJump = 4;
constexpr int32_t kSkillHeading = 7;
constexpr int32_t kStepSpeed = 140;
constexpr int32_t kStepAccel = 8;
constexpr int32_t kAtPointHeight = 1000;
constexpr int32_t kHeaderHeight = 16;
constexpr int32_t kLowestJumpContact = 8;
constexpr int32_t kSoftHeader = 57344;
constexpr int32_t kHardHeader = 229376;
constexpr int32_t kHeaderNowhere = 45875;
constexpr int32_t kOpenDirectionReach = 350;
constexpr int32_t kHeaderAtGoalRange = 400;
constexpr int32_t kHeaderAtGoal = 524288;
constexpr int32_t kHeaderToMate = 360448;
// The jumping headed pass leaves as fast as the slowest of its twins.
constexpr int32_t kHeadedPass = 196608;
constexpr int32_t kBackFlick = 196608;

struct StandingHeaderRow {
    int16_t id;
    int16_t animation;
    bool holdsPlace;  // steps only while at his expected ball point
    int16_t group;
};
constexpr StandingHeaderRow kStandingHeaders[] = {
    {ACT_STANDING_HEADER, 77, false, 327},
    {ACT_HEADER_HOLD_PLACE, 78, true, 326},
};

enum class JumpAim : uint8_t { KickTarget, GoalOrMate, None };

struct JumpingHeaderRow {
    int16_t id;
    int16_t animation;
    int16_t jumpFrame;  // J: the top of the jump, and the first frame he may head
    JumpAim aim;
};
constexpr JumpingHeaderRow kJumpingHeaders[] = {
    {ACT_JUMP_HEADED_PASS, 68, 41, JumpAim::KickTarget},
    {ACT_JUMP_HEADER_AT_GOAL, 71, 49, JumpAim::GoalOrMate},
    {ACT_JUMP_HEADER_BACK_FLICK, 72, 40, JumpAim::None},
};

template <typename Row, std::size_t N>
const Row& RowOf(const Row (&rows)[N], int32_t action)
{
    for (const Row& row : rows) {
        if (row.id == action) return row;
    }
    FatalError("Action_Header(): action %d is no header", action);
}

const MatchPerson& TheBall() { return MatchPersons[MATCH_BALL]; }

int32_t DirectionFromHim(int32_t x, int32_t y)
{
    return Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y);
}

bool AtPoint(int32_t x, int32_t y)
{
    return Person_TouchDistance(CurrentPersonPos.x, CurrentPersonPos.y, x, y, kAtPointHeight) == 0;
}

// The ball leaves along `direction` at `length` with the table's lift by its height.
void SendBall(int32_t direction, int32_t length, const LiftTable& lift)
{
    Person_VectorFromAngle(direction, length, 256);
    Ball.velX = StepX;
    Ball.velY = -StepY;
    Ball.velZ = Header_LiftFrom(lift, Ball.height);
}

// A team-mate heads toward him: he runs to meet the ball where he stands (17).
void SendMateToMeet(int32_t mate)
{
    MatchPerson& m = MatchPersons[mate];
    m.receivePoint[0] = m.x;
    m.receivePoint[1] = m.y;
    Person_SetAction(mate, ACT_GO_TO_MEETING_SPOT);
}

// The heading draw: on target when below his effective heading.
bool HeadsWell(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const bool well = Rand() % 100 < Person_EffectiveSkill(person, Person_Skill(p, kSkillHeading));
    ++(well ? p.stats.headersOnTarget : p.stats.headersOffTarget);
    return well;
}

// The aim of 82 for this tick; `goalDistance` is left by the direction toward goal.
int32_t AimAtGoalOrMate(int32_t person, int32_t& goalDistance)
{
    const int32_t side = Person_Side(person);
    Person_DirectionToTarget(person, 0, side);
    goalDistance = DistanceResult;
    if (goalDistance < kHeaderAtGoalRange) {
        Match.headerMate = -1;
        return DirectionFromHim(ShotTarget[0], ShotTarget[1]);
    }
    if (Match.headerMate >= 0) return Match.headerDirection;
    const int32_t mate = Person_PickQuickPass(person);
    if (mate < 0) return Person_DirectionToTarget(person, 1, side);
    Match.headerMate = static_cast<int16_t>(mate);
    Match.headerDirection =
        static_cast<int16_t>(DirectionFromHim(MatchPersons[mate].x, MatchPersons[mate].y));
    return Match.headerDirection;
}

void HeadAtGoalOrMate(int32_t person, int32_t aim, int32_t goalDistance)
{
    const int32_t side = Person_Side(person);
    const int32_t mate = Match.headerMate;
    const bool toMate = mate >= 0 && mate < MATCH_PLAYER_COUNT && Person_Side(mate) == side;
    const bool atGoal = goalDistance < kHeaderAtGoalRange;
    if (toMate) {
        const MatchPerson& m = MatchPersons[mate];
        aim = DirectionFromHim(m.x, m.y);
        Match.kickTargetPoint[0] = m.x;
        Match.kickTargetPoint[1] = m.y;
        SendMateToMeet(mate);
    }
    SendBall(aim, atGoal ? kHeaderAtGoal : kHeaderToMate, kJumpHeaderLift);
    Header_Contact(person,
                   atGoal   ? KICK_KIND_SHOT
                   : toMate ? KICK_KIND_HEADED_PASS
                            : KICK_KIND_OTHER,
                   AirContact::Jumping);
    // The shot takes its provider from the pass he met before he becomes the last passer.
    if (atGoal) {
        KickBook_Shot(person);
        KickBook_SetShotRecord(SHOT_RECORD_HEADER, person);
    }
    KickBook_HeadedPass(person, toMate ? mate : -1);
    Comm_Say(toMate ? 329 : 330, side, person, toMate ? mate : -1, 0);
    Ball_SetShotSwerve(person, -1);
}

void HeadPassOn(int32_t person)
{
    const int32_t side = Person_Side(person);
    const int32_t receiver = Match.kickTargetPerson;
    // The target word is the match's: another kick may have aimed it at a player of the other
    // side since he went up, and he heads to no opponent.
    const bool toMate =
        receiver >= 0 && receiver < MATCH_PLAYER_COUNT && Person_Side(receiver) == side;
    SendBall(DirectionFromHim(Match.kickTargetPoint[0], Match.kickTargetPoint[1]), kHeadedPass,
             kHeadedPassLift);
    Header_Contact(person, toMate ? KICK_KIND_HEADED_PASS : KICK_KIND_OTHER, AirContact::Jumping);
    KickBook_HeadedPass(person, toMate ? receiver : -1);
    if (toMate) SendMateToMeet(receiver);
    Comm_Say(toMate ? 297 : 298, side, person, toMate ? receiver : -1, 0);
}

void FlickBackward(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    SendBall((p.facing + 128) & 255, kBackFlick, kJumpHeaderLift);
    Header_Contact(person, KICK_KIND_OTHER, AirContact::Jumping);
    KickBook_HeadedPass(person, -1);
    Comm_Say(328, Person_Side(person), person, -1, 0);
}

}  // namespace

void Header_Contact(int32_t person, int32_t kind, AirContact how)
{
    const bool jumping = how == AirContact::Jumping;
    if (jumping) Match_CallOffside(person);
    if (how != AirContact::Control) MatchPresentationOps.PlayMatchSfx(kSfxHeader, 0);
    if (jumping) Match_MarkOffsidePositions(person);
    // The touch is counted before the strike makes him the last toucher.
    Match_OnBallTouch(person);
    KickBook_Strike(person, kind);
    if (!jumping) return;
    const int32_t side = Person_Side(person);
    Ball.possession = static_cast<uint8_t>(side);
    LastPossessor[side] = static_cast<int8_t>(person);
}

int32_t Header_JumpHeight(int32_t person, int32_t jumpFrame)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t jump = Person_Skill(p, kSkillJump);
    const int32_t peak = jump * 50 / 1000;
    int32_t height = jump * 50 / jumpFrame * p.drawnFrame / 1000;
    if (height > peak) height = 2 * peak - height;
    return height < 0 ? 0 : height;
}

void Action_WaitForHighBall(int32_t person)
{
    Person_TryVolley(person);
    if (MatchPersons[person].action != ACT_WAIT_FOR_HIGH_BALL) return;
    if (Ball.height < kComeDown && Ball.velZ < 0) {
        Person_SetAction(person, ACT_WALK_TO_TARGET);
        LandingPoint[0] = 0;
        LandingPoint[1] = 0;
        return;
    }
    if (LandingPoint[0] != 0) Person_RunToward(person, LandingPoint[0], LandingPoint[1]);
}

void Action_StandingHeader(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const StandingHeaderRow& row = RowOf(kStandingHeaders, p.action);
    Person_TurnTowardTwiceIfSlow(person, p.dirToBall);
    if (Person_RunAnim(person, row.animation, p.kicked + 1, ACT_STAND) == 0) return;
    if (p.kicked != 0) return;
    if (AtPoint(p.receivePoint[0], p.receivePoint[1]) == row.holdsPlace) {
        Person_RunStep(person, kStepSpeed, DirectionFromHim(p.receivePoint[0], p.receivePoint[1]),
                       kStepAccel);
    }
    const MatchPerson& ball = TheBall();
    if (Person_RangeCheck(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y, 20, kHeaderHeight)
        != 0)
        return;
    SendBall(p.facing, HeadsWell(person) ? kSoftHeader : kHardHeader, kHeaderLift);
    Comm_Say(row.group, Person_Side(person), person, -1, 0);
    Header_Contact(person, KICK_KIND_OTHER, AirContact::Standing);
}

void Action_HeaderToMate(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t side = Person_Side(person);
    Person_TurnTowardTwiceIfSlow(person, p.dirToBall);
    if (Person_RunAnim(person, 91, p.kicked + 1, ACT_STAND) == 0 || p.kicked != 0) return;
    const MatchPerson& ball = TheBall();
    if (Person_RangeCheck(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y, 8, kHeaderHeight)
        != 0)
        return;
    const int32_t mate = Person_PickLayOff(person);
    int32_t direction = -1;
    if (mate >= 0) {
        SendMateToMeet(mate);
        direction = DirectionFromHim(MatchPersons[mate].x, MatchPersons[mate].y);
    } else {
        direction = Person_FindOpenDirection(person, Person_DirectionToTarget(person, 0, side),
                                             kOpenDirectionReach);
    }
    if (!HeadsWell(person)) {
        SendBall(p.facing, kHardHeader, kHeaderLift);
    } else if (direction < 0) {
        SendBall(p.facing, kHeaderNowhere, kHeaderLift);
    } else {
        SendBall(direction, kHardHeader, kHeaderLift);
    }
    Header_Contact(person, mate >= 0 ? KICK_KIND_HEADED_PASS : KICK_KIND_OTHER,
                   AirContact::Standing);
    if (mate >= 0) KickBook_HeadedPass(person, mate);
    Comm_Say(299, side, person, -1, 0);
}

void Action_JumpingHeader(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const JumpingHeaderRow& row = RowOf(kJumpingHeaders, p.action);
    int32_t aim = p.facing;
    int32_t goalDistance = 0;
    if (row.aim == JumpAim::KickTarget) {
        aim = DirectionFromHim(Match.kickTargetPoint[0], Match.kickTargetPoint[1]);
    } else if (row.aim == JumpAim::GoalOrMate) {
        aim = AimAtGoalOrMate(person, goalDistance);
    }
    if (row.aim != JumpAim::None) Person_TurnTowardTwiceIfSlow(person, aim);
    if (Person_RunAnim(person, row.animation, p.kicked + 1, ACT_STAND) == 0) {
        if (row.aim == JumpAim::GoalOrMate) Match.headerMate = -1;
        return;
    }
    p.height = static_cast<int16_t>(Header_JumpHeight(person, row.jumpFrame));
    if (p.kicked == 0 && p.passKind < row.jumpFrame) {
        if (Person_RunAnim(person, row.animation, 1, ACT_STAND) == 0) {
            if (row.aim == JumpAim::GoalOrMate) Match.headerMate = -1;
            return;
        }
        ++p.passKind;
    }
    const int32_t jump = Person_Skill(p, kSkillJump);
    const MatchPerson& ball = TheBall();
    const int32_t reach = Person_RangeCheck(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y,
                                            jump / 20 + 8, jump / 20 + 16);
    if (p.kicked == 0 && !AtPoint(p.receivePoint[0], p.receivePoint[1])
        && Person_FindBlockerAhead(person) == 0) {
        Person_RunStep(person, kStepSpeed, DirectionFromHim(p.receivePoint[0], p.receivePoint[1]),
                       kStepAccel);
    }
    if (p.kicked != 0 || Ball.height <= kLowestJumpContact || reach != 0
        || p.drawnFrame < row.jumpFrame || Ball.holder != 0)
        return;
    switch (row.aim) {
        case JumpAim::KickTarget: HeadPassOn(person); return;
        case JumpAim::GoalOrMate: HeadAtGoalOrMate(person, aim, goalDistance); return;
        case JumpAim::None: FlickBackward(person); return;
    }
}
