// gamecode/passkicks.cpp: the short animated kicks, the passes in four kick styles and the
// back-heels.
#include "gamecode/passkicks.h"

#include <algorithm>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/basicactions.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/offside.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kAimedKickStep = 2;
constexpr int32_t kAimedKickRunSpeed = 100;
constexpr int32_t kSfxPass = 4;
constexpr int32_t kSkillPower = 5;
constexpr int32_t kSkillSwerve = 3;
constexpr int32_t kBackHeelTurn = 128;
constexpr int32_t kMaxFrameSkip = 10;
constexpr int32_t kLoftedCap = 1200;
constexpr int32_t kNoGroup = -1;
constexpr int32_t kBallEventSilent = 7;

struct AimedKickRow {
    int16_t action;
    int16_t animation;
    int16_t kickFrame;
    int16_t endFrame;  // the frame he keeps in action 4
    int16_t group;     // said at the kick, kNoGroup none
};

constexpr AimedKickRow kAimedKicks[] = {
    {ACT_AIMED_KICK_7, 16, 8, 0, kNoGroup},  {ACT_AIMED_KICK_8, 17, 17, 22, kNoGroup},
    {ACT_AIMED_KICK_9, 19, 37, 0, 304},      {ACT_AIMED_KICK_10, 21, 32, 8, 305},
    {ACT_AIMED_KICK_11, 22, 8, 0, kNoGroup}, {ACT_AIMED_KICK_12, 18, 17, 22, kNoGroup},
    {ACT_AIMED_KICK_13, 20, 37, 0, 304},
};

// The commentary of a pass, by kick style: no receiver, sideways, backward, any other kick.
using StyleGroups = int16_t[4][4];

struct PassRow {
    int16_t action;
    bool backHeel;
    int16_t animation;       // style 2's for the passes
    int16_t otherAnimation;  // the other styles'
    int16_t windowFirst;     // style 2's window for the passes
    int16_t windowLast;
    int16_t otherFirst;  // the other styles' window
    int16_t otherLast;
    StyleGroups groups;  // back-heels: style 0's row alone
};

constexpr PassRow kPasses[] = {
    {ACT_PASS_77,
     false,
     31,
     30,
     30,
     38,
     14,
     22,
     {{kNoGroup, kNoGroup, 281, kNoGroup},
      {285, 282, 283, 284},
      {293, 290, 291, 292},
      {289, 286, 287, 288}}},
    {ACT_PASS_109,
     false,
     29,
     28,
     41,
     49,
     18,
     26,
     {{307, 307, 307, 307}, {308, 309, 310, 311}, {316, 317, 318, 319}, {312, 312, 313, 314}}},
    {ACT_BACK_HEEL_66, true, 34, 34, 36, 44, 36, 44, {{kNoGroup, 321, 321, 321}, {}, {}, {}}},
    {ACT_BACK_HEEL_110, true, 33, 33, 24, 32, 24, 32, {{kNoGroup, 320, 320, 320}, {}, {}, {}}},
};

constexpr int32_t kSfxSetPiece = 6;
constexpr int32_t kSetPieceShortPass = 160;  // 10 yards
constexpr int32_t kSetPieceRunSpeed = 140;
constexpr int32_t kSetPieceBallReach = 9;
constexpr int32_t kSetPieceAnimation[2] = {44, 26};  // style 0, the others
constexpr int32_t kSetPieceKickFrame[2] = {38, 19};

const AimedKickRow& AimedKickRowOf(int32_t action)
{
    return kAimedKicks[std::clamp(action - ACT_AIMED_KICK_7, 0, 6)];
}

const PassRow& PassRowOf(int32_t action)
{
    for (const PassRow& row : kPasses) {
        if (row.action == action) return row;
    }
    return kPasses[0];
}

PassBook PassBookOf(int32_t style)
{
    return style == 1 ? PASS_BOOK_LONG : style == 3 ? PASS_BOOK_THROUGH : PASS_BOOK_GROUND;
}

// Toward the kicker's own goal line within 16 steps of straight back.
bool IsBackward(int32_t direction, int32_t side)
{
    if (side == Match.secondOfPair) return direction < 16 || direction > 240;
    return direction > 112 && direction < 144;
}

bool IsSideways(int32_t direction)
{
    return (direction > 48 && direction < 80) || (direction > 176 && direction < 208);
}

int32_t PassGroup(const PassRow& row, int32_t style, int32_t direction, int32_t side,
                  int32_t receiver)
{
    const int16_t(&groups)[4] = row.groups[row.backHeel ? 0 : std::clamp(style, 0, 3)];
    if (receiver < 0) return groups[0];
    if (IsSideways(direction)) return groups[1];
    if (IsBackward(direction, side)) return groups[2];
    return groups[3];
}

void StrikePass(int32_t person, const PassRow& row)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t x = Match.kickTargetPoint[0];
    const int32_t y = Match.kickTargetPoint[1];
    const int32_t receiver = Match.kickTargetPerson;
    const int32_t side = Person_Side(person);
    const int32_t style = row.backHeel ? 0 : p.passKind;
    const int32_t action = p.action;
    const int32_t direction = Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y);
    const int32_t distance =
        Person_DistanceAlong(direction, CurrentPersonPos.x, CurrentPersonPos.y, x, y);
    p.frame =
        static_cast<int16_t>(std::max<int32_t>(p.frame, std::min(distance / 100, kMaxFrameSkip)));
    Ball_SendPass(person, action, style, x, y, distance);
    const int32_t group = PassGroup(row, style, direction, side, receiver);
    if (group != kNoGroup) Comm_Say(group, side, person, receiver >= 0 ? receiver : -1, 0);
    KickBook_Strike(person,
                    !row.backHeel && style >= 2 ? KICK_KIND_LOFTED : KICK_KIND_ALONG_GROUND);
    KickBook_Pass(person, receiver, x, y, row.backHeel ? PASS_BOOK_GROUND : PassBookOf(style));
    MatchPresentationOps.PlayMatchSfx(kSfxPass, 0);
    Match_MarkOffsidePositions(person);
}

void StrikeSetPiecePass(int32_t person, int32_t distance)
{
    const int32_t x = Match.kickTargetPoint[0];
    const int32_t y = Match.kickTargetPoint[1];
    const bool along = distance <= kSetPieceShortPass;
    if (along) {
        Ball_SendPass(person, ACT_SET_PIECE_PASS, 0, x, y, distance);
    } else {
        const int32_t d = std::min(distance, kLoftedCap);
        Ball_SetVelocityToward(x, y, 100 * d + 147456, 1600 - d);
    }
    const int32_t receiver = Team_NearestTeammateTo(x, y, -1);
    Match.kickTargetPerson = static_cast<int16_t>(receiver);
    KickBook_Strike(person, along ? KICK_KIND_ALONG_GROUND : KICK_KIND_LOFTED);
    KickBook_Pass(person, receiver, x, y, PASS_BOOK_GROUND);
    MatchPresentationOps.PlayMatchSfx(kSfxSetPiece, 0);
    Match_MarkOffsidePositions(person);
    // Whatever phase the set piece was started in, its strike is open play.
    MatchPhase = PHASE_OPEN_PLAY;
    PhaseTimer = 0;
}

}  // namespace

int32_t Ball_SendPass(int32_t kicker, int32_t action, int32_t style, int32_t x, int32_t y,
                      int32_t distance)
{
    int32_t d = distance;
    int32_t up = 0;
    int32_t factor = 0;
    bool mayCurl = false;
    if (action == ACT_BACK_HEEL_66 || action == ACT_BACK_HEEL_110) {
        d = std::min(d, 1000);
        up = 200 * d + 16384;
        factor = (action == ACT_BACK_HEEL_66 ? 2600 : 2500) - 2 * d;
    } else if (style == 2) {
        d = std::min(d, kLoftedCap);
        if (Rand() % 3 != 0) {
            up = 100 * d + 57344;
            factor = d / 2 + 560;
        } else {
            up = 100 * d + 147456;
            factor = 1600 - d;
            mayCurl = true;
        }
    } else {
        d = std::min(d, style == 0 ? 1000 : 950);
        up = (style == 0 ? 120 : style == 1 ? 200 : 140) * d + 16384;
        factor = (style == 1 ? 2300 : 2400) - 2 * d;
    }
    Ball_SetVelocityToward(x, y, up, factor);
    if (mayCurl && Rand() % 100 < Person_Skill(MatchPersons[kicker], kSkillSwerve))
        Ball_SetShotSwerve(kicker, x);
    return d;
}

void Action_AimedKick(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const AimedKickRow& row = AimedKickRowOf(p.action);
    const int32_t aim = p.aimDirection & 255;
    if (Person_RunAnim(person, row.animation, kAimedKickStep, ACT_ACTIVE) == 0) {
        p.frame = row.endFrame;
        p.facing = static_cast<uint16_t>(aim);
        return;
    }
    if (p.drawnFrame < row.kickFrame) {
        Person_RunStepBoosted(person, 0, kAimedKickStep);
        if (p.hasBall != 0) Person_KeepBallAtFeet(person);
        return;
    }
    Person_RunStep(person, kAimedKickRunSpeed, aim, kAimedKickStep);
    if (p.kicked != 0 || p.hasBall == 0) return;
    Ball_KickAlongAngle(aim, Person_Skill(p, kSkillPower), person);
    KickBook_Strike(person, KICK_KIND_OTHER);
    if (row.group != kNoGroup && Match.ballEvent != kBallEventSilent)
        Comm_Say(row.group, Person_Side(person), person, -1, 0);
}

void Action_PassKick(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const PassRow& row = PassRowOf(p.action);
    const bool lofted = !row.backHeel && p.passKind == 2;
    const int32_t first = lofted ? row.windowFirst : row.otherFirst;
    const int32_t last = lofted ? row.windowLast : row.otherLast;
    const int32_t direction = Person_DirectionTo(
        CurrentPersonPos.x, CurrentPersonPos.y, Match.kickTargetPoint[0], Match.kickTargetPoint[1]);
    Person_TurnTowardTwiceIfSlow(person,
                                 row.backHeel ? (direction + kBackHeelTurn) & 255 : direction);
    const int32_t step = p.kicked + (row.backHeel ? 2 : 1);
    if (Person_RunAnim(person, lofted ? row.animation : row.otherAnimation, step,
                       ACT_WALK_TO_TARGET)
        == 0)
        return;
    // A kicker who lost the ball before his window does not pull it back to his feet.
    if (p.hasBall != 0 && p.drawnFrame < first) {
        if (!row.backHeel) Person_RunStepBoosted(person, 0, 1);
        Person_KeepBallAtFeet(person);
    }
    const bool inWindow = p.drawnFrame >= first && p.drawnFrame <= last;
    if (inWindow && Ball.holder == 0 && p.kicked == 0 && p.hasBall != 0) {
        StrikePass(person, row);
        return;
    }
    if (Ball.holder != 0) Person_SetAction(person, ACT_WALK_TO_TARGET);
}

void Action_SetPieceKick(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t x = Match.kickTargetPoint[0];
    const int32_t y = Match.kickTargetPoint[1];
    const int32_t styled = p.passKind == 0 ? 0 : 1;
    Match_ClearPlayerFlags();
    const int32_t direction = Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y);
    p.facing = static_cast<uint16_t>(direction);
    const int32_t distance =
        Person_DistanceAlong(direction, CurrentPersonPos.x, CurrentPersonPos.y, x, y);
    if (Person_RunAnim(person, kSetPieceAnimation[styled], p.kicked + 1 + styled,
                       ACT_SET_PIECE_WAIT)
        == 0)
        return;
    if (p.kicked != 0) return;
    if (p.drawnFrame >= kSetPieceKickFrame[styled] && Ball.holder == 0
        && p.action == ACT_SET_PIECE_PASS) {
        StrikeSetPiecePass(person, distance);
        return;
    }
    const int32_t receiver = Match.kickTargetPerson;
    const bool receiverWaits = receiver >= 0 && receiver < MATCH_PLAYER_COUNT
                               && MatchPersons[receiver].action != ACT_FREE_KICK_RUNNER;
    if (receiverWaits || p.ballDistance > kSetPieceBallReach)
        Person_RunStep(person, kSetPieceRunSpeed, p.dirToBall, 1);
}

void Action_SetPieceWait(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    Person_TurnToward(person, p.facing);
    if (Ball.lastToucher == person && MatchPhase == PHASE_OPEN_PLAY) return;
    Person_SetAction(person, ACT_STAND);
    p.actionWord = 0;
}
