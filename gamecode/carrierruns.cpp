// gamecode/carrierruns.cpp: the runs with the ball, the crosses and long balls, the ground kicks
// and the shot.
#include "gamecode/carrierruns.h"

#include <algorithm>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/basicactions.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/offside.h"
#include "gamecode/passkicks.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"

namespace {

constexpr int32_t kSfxPass = 4;
constexpr int32_t kSfxShot = 6;
constexpr int32_t kSkillFinishing = 1;
constexpr int32_t kSkillCurl = 3;
constexpr int32_t kSkillLift = 12;
constexpr int32_t kSkillLength = 17;
constexpr int32_t kVelocityScale = 4096;
constexpr int32_t kNoGroup = -1;

struct RunRow {
    int16_t action;
    int16_t targetSpeed;
    int16_t accel;
    int16_t animation;
    int16_t topSpeed;  // + pace / 4
    int16_t gains;     // single steps of speed a tick
    int16_t agilityBonus;
    int16_t firstGroup;
};

constexpr RunRow kRuns[] = {
    {ACT_CARRY_RUN, 140, 4, 12, 140, 3, 2, 206},
    {ACT_CARRY_SPRINT, 190, 15, 13, 190, 4, 5, 255},
};
constexpr int32_t kRunEndFrame = 31;
constexpr int32_t kWing = 300;       // from the touchline
constexpr int32_t kTouchBand = 100;  // from the touchline
constexpr int32_t kZoneBand = 32;    // short of a line

struct LoftedRow {
    int16_t action;
    int16_t animation[3];  // by kick style
    int16_t plainGroup;
    int16_t curledGroup;
};

constexpr LoftedRow kLoftedBalls[] = {
    {ACT_LOFTED_BALL_18, {35, 37, 39}, 231, 233},
    {ACT_LOFTED_BALL_75, {36, 38, 40}, 232, 232},
};
constexpr int16_t kLoftedWindows[3][2] = {{54, 62}, {49, 57}, {36, 44}};
constexpr int16_t kLoftedCurl[3] = {10, 20, 30};
constexpr int32_t kLoftedCap = 1050;
constexpr int32_t kSideSpin = 6000;
constexpr int32_t kNoReceiverGroup = 235;

constexpr int32_t kGroundKickAnimation = 26;
constexpr int16_t kGroundKickWindows[4][2] = {{19, 27}, {19, 27}, {55, 63}, {19, 27}};
constexpr int32_t kGroundKickGroup = 230;

constexpr int32_t kShotAnimation = 42;
constexpr int16_t kShotWindows[2][2] = {{51, 59}, {52, 60}};
constexpr int32_t kShotGroup = 217;
constexpr int32_t kCountedYards = 35;
constexpr int32_t kFarShot = 640;
constexpr int32_t kCloseShot = 400;

bool InWindow(int32_t frame, const int16_t (&window)[2])
{
    return frame >= window[0] && frame <= window[1];
}

// The zone of a run, 0-6 by the order they are tried, -1 none.
int32_t RunZone(int32_t side, int32_t x, int32_t y)
{
    const bool up = AttacksUp(side);
    const int32_t line = LastDefenderLine[side ^ 1];
    const bool beyond = up ? y > line : y < line;
    const bool left = x < PITCH_LEFT_TOUCHLINE_X + kWing;
    const bool right = x > PITCH_RIGHT_TOUCHLINE_X - kWing;
    const bool leftBand = x < PITCH_LEFT_TOUCHLINE_X + kTouchBand;
    const bool rightBand = x > PITCH_RIGHT_TOUCHLINE_X - kTouchBand;
    const int32_t box = up ? PITCH_BOX_FAR_Y : PITCH_BOX_NEAR_Y;
    const bool shortOfBox = up ? y > box - kZoneBand && y < box : y > box && y < box + kZoneBand;
    const bool shortOfHalfway =
        up ? y > PITCH_HALFWAY_LINE_Y - kZoneBand && y < PITCH_HALFWAY_LINE_Y
           : y > PITCH_HALFWAY_LINE_Y && y < PITCH_HALFWAY_LINE_Y + kZoneBand;
    if (beyond && (up ? left : right)) return 0;
    if (beyond && (up ? right : left)) return 1;
    if (beyond) return 2;
    if (up ? leftBand : rightBand) return 3;
    if (up ? rightBand : leftBand) return 4;
    if (x > PITCH_BOX_LEFT_X && x < PITCH_BOX_RIGHT_X && shortOfBox) return 5;
    if (shortOfHalfway) return 6;
    return -1;
}

void SayRunZone(int32_t person, const RunRow& row)
{
    MatchPerson& p = MatchPersons[person];
    if (p.actionFlag != 0 || Match.carrierCommentCount != 0) return;
    const int32_t zone = RunZone(Person_Side(person), CurrentPersonPos.x, CurrentPersonPos.y);
    if (zone < 0) return;
    Comm_Say(row.firstGroup + zone, Person_Side(person), person, -1, 0);
    ++Match.carrierCommentCount;
    p.actionFlag = 1;
}

// The curl of a cross, at most half his distance from the nearer goal line.
int32_t CrossCurl(int32_t style, int32_t y)
{
    const int32_t curl = kLoftedCurl[style];
    const int32_t toLine =
        std::min(std::abs(y - PITCH_NEAR_GOAL_LINE_Y), std::abs(PITCH_FAR_GOAL_LINE_Y - y));
    return 2 * curl > toLine ? toLine / 2 : curl;
}

// Sends the cross toward (x, y) and returns whether it curls.
bool SendCross(int32_t person, int32_t style, int32_t x, int32_t y)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t direction = Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y);
    const int32_t strength = std::min(
        Person_DistanceAlong(direction, CurrentPersonPos.x, CurrentPersonPos.y, x, y), kLoftedCap);
    const int32_t spin = Person_FacesTowardSmallerY(p.facing) ? kSideSpin : -kSideSpin;
    const int32_t curl = CrossCurl(style, CurrentPersonPos.y);
    const int32_t skill = Person_Skill(p, kSkillCurl);
    const bool curled = Match_SkillRoll(skill, 100) < skill;
    Ball.swerveX = Ball.swerveY = Ball.swerveZ = 0;
    Ball.swerveTicks = 0;
    if (!curled) {
        // A plain long ball between the two areas runs on away from halfway.
        if (y > PITCH_BOX_NEAR_Y && y < PITCH_BOX_FAR_Y) {
            const int32_t further = 150 + Rand() % 75;
            y += y < PITCH_HALFWAY_LINE_Y ? -further : further;
        }
        Ball_SetVelocityToward(x, y, 100 * strength + 147456, 1600 - strength);
        return false;
    }
    y += spin / 2000 * curl;
    Ball_SetVelocityToward(x, y, 100 * strength + 147456, 1600 - strength);
    if (Rand() % 5 == 0) Ball.velZ -= Rand() % 50 * 512;
    Ball.swerveX = spin;
    Ball.swerveTicks = static_cast<int16_t>(curl);
    return true;
}

void StrikeLoftedBall(int32_t person, const LoftedRow& row, int32_t style)
{
    const int32_t side = Person_Side(person);
    const int32_t receiver = Match.kickTargetPerson;
    const int32_t x = Match.kickTargetPoint[0];
    const int32_t y = Match.kickTargetPoint[1];
    const bool curled = SendCross(person, style, x, y);
    KickBook_Strike(person, KICK_KIND_LOFTED);
    KickBook_Pass(person, receiver, x, y, PASS_BOOK_CROSS);
    const bool toReceiver = receiver >= 0 && receiver < MATCH_PLAYER_COUNT;
    const int32_t group = !toReceiver ? kNoReceiverGroup
                          : curled    ? row.curledGroup
                                      : row.plainGroup;
    Comm_Say(group, side, person, toReceiver ? receiver : -1, 0);
    MatchPresentationOps.PlayMatchSfx(kSfxShot, 0);
    Match_MarkOffsidePositions(person);
}

// 112 < |direction - facing| < 144: the target lies behind him.
bool TargetBehind(const MatchPerson& p, int32_t direction)
{
    const int32_t apart = std::abs(direction - static_cast<int32_t>(p.facing));
    return apart > 112 && apart < 144;
}

void StrikeGroundKick(int32_t person, int32_t style)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t x = Match.kickTargetPoint[0];
    const int32_t y = Match.kickTargetPoint[1];
    const int32_t direction = Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y);
    if (TargetBehind(p, direction)) Match.kickTargetPerson = -1;
    const int32_t receiver = Match.kickTargetPerson;
    const int32_t distance =
        Person_DistanceAlong(direction, CurrentPersonPos.x, CurrentPersonPos.y, x, y);
    Ball_SendPass(person, ACT_GROUND_KICK, style, x, y, distance);
    KickBook_Strike(person, style >= 2 ? KICK_KIND_LOFTED : KICK_KIND_ALONG_GROUND);
    const PassBook book = style == 1   ? PASS_BOOK_LONG
                          : style == 3 ? PASS_BOOK_THROUGH
                                       : PASS_BOOK_GROUND;
    KickBook_Pass(person, receiver, x, y, book);
    Ball_SetShotSwerve(person, -1);
    Comm_Say(kGroundKickGroup, Person_Side(person), person, -1, 0);
    MatchPresentationOps.PlayMatchSfx(kSfxPass, 0);
    Match_MarkOffsidePositions(person);
}

int32_t ShotLift(int32_t person, int32_t style, int32_t distance)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t e = Person_EffectiveSkill(person, Person_Skill(p, kSkillLift));
    if (style == 0) return e * 256 + 32768;
    const int32_t finishing = Person_Skill(p, kSkillFinishing);
    if (Match_SkillRoll(finishing, 100) < finishing)
        return 118784 - 50 * std::max(0, kCloseShot - distance) - e * 512;
    const int32_t r = e + Rand() % 100;
    if (distance <= kFarShot) return 118784 - r * 256;
    Ball.velX = Ball.velX * 60 / 100;
    Ball.velY = Ball.velY * 60 / 100;
    return 118784 + r * 256;
}

void StrikeShot(int32_t person, int32_t style)
{
    const MatchPerson& p = MatchPersons[person];
    Person_DirectionToTarget(person, 1, Person_Side(person));
    const int32_t distance = DistanceResult;
    const int32_t aim =
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, ShotTarget[0], ShotTarget[1]);
    Person_VectorFromAngle(aim, Person_Skill(p, kSkillLength) / 2 + 220, 256);
    Ball.velX = StepX * kVelocityScale;
    Ball.velY = -StepY * kVelocityScale;
    Ball.velZ = ShotLift(person, style, distance);
    KickBook_Strike(person, KickBook_ShotKind(person));
    if (distance / PITCH_UNITS_PER_YARD <= kCountedYards) KickBook_Shot(person);
    Ball_SetShotSwerve(person, ShotTarget[0]);
    Comm_Say(kShotGroup, Person_Side(person), person, -1, 0);
    MatchPresentationOps.PlayMatchSfx(kSfxShot, 0);
}

// The strike conditions every kick of this file shares; a keeper's hold ends the action.
bool MayStrike(int32_t person, bool inWindow)
{
    const MatchPerson& p = MatchPersons[person];
    if (inWindow && Ball.holder == 0 && p.kicked == 0 && p.hasBall != 0) return true;
    if (Ball.holder != 0) Person_SetAction(person, ACT_WALK_TO_TARGET);
    return false;
}

}  // namespace

void Action_CarryRun(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const RunRow& row = kRuns[p.action == ACT_CARRY_SPRINT ? 1 : 0];
    // He runs onto the ball he knocked ahead: once another has touched it, or it went out of play,
    // there is nothing to run onto, and a run that went on would carry him off the pitch.
    if (Ball.lastToucher != person || MatchPhase != PHASE_OPEN_PLAY) {
        Person_SetAction(person, ACT_ACTIVE);
        return;
    }
    Person_RunStepBoosted(person, row.targetSpeed, row.accel);
    if (Person_RunAnim(person, row.animation, 1, ACT_ACTIVE) == 0) {
        p.frame = kRunEndFrame;
        return;
    }
    const int32_t top = Person_Skill(p, SKILL_PACE) / 4 + row.topSpeed;
    for (int32_t gain = 0; gain < row.gains && p.runSpeed < top; ++gain)
        ++p.runSpeed;
    const int32_t agility = Person_Skill(p, SKILL_AGILITY);
    if (Match_SkillRoll(agility, 100) < agility)
        p.runSpeed = static_cast<int16_t>(std::min<int32_t>(p.runSpeed + row.agilityBonus, top));
    SayRunZone(person, row);
}

void Action_LoftedBall(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const LoftedRow& row = kLoftedBalls[p.action == ACT_LOFTED_BALL_75 ? 1 : 0];
    const int32_t style = std::clamp<int32_t>(p.passKind, 0, 2);
    const int32_t step = p.kicked + (style == 0 ? 2 : 1);
    if (Person_RunAnim(person, row.animation[style], step, ACT_WALK_TO_TARGET) == 0) return;
    const int16_t(&window)[2] = kLoftedWindows[style];
    if (style != 0 && p.hasBall != 0 && p.drawnFrame < window[0]) {
        Person_RunStepBoosted(person, 0, 1);
        Person_KeepBallAtFeet(person);
    }
    if (MayStrike(person, InWindow(p.drawnFrame, window))) StrikeLoftedBall(person, row, style);
}

void Action_GroundKick(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t style = std::clamp<int32_t>(p.passKind, 0, 3);
    if (Person_RunAnim(person, kGroundKickAnimation, p.kicked + 1, ACT_WALK_TO_TARGET) == 0) return;
    if (MayStrike(person, InWindow(p.drawnFrame, kGroundKickWindows[style])))
        StrikeGroundKick(person, style);
}

void Action_Shot(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t style = p.passKind == 1 ? 1 : 0;
    if (Person_RunAnim(person, kShotAnimation, p.kicked + 1, ACT_WALK_TO_TARGET) == 0) return;
    if (MayStrike(person, InWindow(p.drawnFrame, kShotWindows[style]))) StrikeShot(person, style);
}
