// gamecode/shots.cpp: the shots from a dribble, the lifted and curled shots, the first-time shots,
// the direct free kick and the penalty kick.
#include "gamecode/shots.h"

#include <algorithm>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/basicactions.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/incidents.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/offside.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"

namespace {

constexpr int32_t kSfxShot = 6;
constexpr int32_t kSkillFinishing = 1;
constexpr int32_t kSkillCurl = 3;
constexpr int32_t kSkillSetPieces = 6;
constexpr int32_t kSkillLift = 12;
constexpr int32_t kSkillLength = 17;
constexpr int32_t kSkillComposure = 21;
constexpr int32_t kVelocityScale = 4096;
constexpr int32_t kCountedYards = 35;
constexpr int32_t kLongShotYards = 40;
constexpr int32_t kLiftYards = 25;
constexpr int32_t kNoGroup = -1;

// How a shot of the common family rises.
enum ShotLift : int8_t {
    LIFT_DRIBBLE,  // 78, 81
    LIFT_SKILLED,  // 106, 107
    LIFT_CURLED,   // 97, 98
};

struct ShotRow {
    int16_t action;
    int16_t animation[2];  // by kick style
    int16_t window[2][2];  // first and last drawn frame, by kick style
    int16_t stepExtra;     // the animation's step is kicked + this
    bool dribbles;         // keeps the ball at his feet until the window
    int16_t lengthExtra;   // the kick's length is skill 17 / 2 + this
    ShotLift lift;
    int16_t group;  // kNoGroup: by the distance
    bool swerves;   // the shot swerve after the strike
};

constexpr ShotRow kShots[] = {
    {ACT_DRIBBLE_SHOT_78,
     {45, 46},
     {{27, 35}, {34, 42}},
     1,
     true,
     220,
     LIFT_DRIBBLE,
     kNoGroup,
     true},
    {ACT_DRIBBLE_SHOT_81,
     {43, 44},
     {{31, 39}, {38, 46}},
     1,
     true,
     220,
     LIFT_DRIBBLE,
     kNoGroup,
     true},
    {ACT_LIFTED_SHOT, {28, 29}, {{18, 26}, {41, 49}}, 2, true, 140, LIFT_SKILLED, 338, true},
    {ACT_LIFTED_SHOT_STANDING,
     {26, 27},
     {{19, 27}, {55, 63}},
     2,
     false,
     120,
     LIFT_SKILLED,
     338,
     true},
    {ACT_CURLED_SHOT, {29, 29}, {{41, 49}, {41, 49}}, 2, true, 140, LIFT_CURLED, 171, false},
    {ACT_CURLED_SHOT_STANDING,
     {27, 27},
     {{55, 63}, {55, 63}},
     2,
     false,
     140,
     LIFT_CURLED,
     171,
     false},
};

struct FirstTimeRow {
    int16_t action;
    int16_t animation;
    int16_t hold;  // shown frames before the strike may come
    int16_t runSpeed;
    int16_t maxHeight;
    int32_t pace;  // the ball's horizontal velocity
    int32_t lift;  // its upward velocity before the draws
    int16_t group;
};

constexpr FirstTimeRow kFirstTimeShots[] = {
    {ACT_FIRST_TIME_SHOT_84, 49, 17, 190, 16, 884736, 49152, 296},
    {ACT_FIRST_TIME_SHOT_83, 48, 90, 140, 16, 720896, 65536, 295},
    {ACT_FIRST_TIME_SHOT_80, 47, 71, 140, 12, 786432, 40960, 294},
};
constexpr int32_t kFirstTimeWindow = 8;
constexpr int32_t kFirstTimeReach = 10;
constexpr int32_t kFirstTimeStep = 8;
constexpr int32_t kArrivedHeight = 1000;

constexpr int32_t kSetPieceAnimation = 44;
constexpr int32_t kSetPieceStrikeFrame = 38;
constexpr int32_t kSetPieceRunSpeed = 140;
constexpr int32_t kPenaltyPowerSetting = 1;
constexpr int32_t kFreeKickPowerSetting = 2;
constexpr int32_t kPenaltyGroup = 306;
constexpr int32_t kSwerveUnit = 12000;

template <typename Row, size_t N>
const Row& RowOf(const Row (&rows)[N], int32_t action)
{
    for (const Row& row : rows) {
        if (row.action == action) return row;
    }
    return rows[0];
}

int32_t DistanceToAttackedGoal(int32_t person)
{
    Person_DistanceToGoal(person, Person_Side(person));
    return DistanceResult;
}

int32_t ShotVelocityZ(int32_t person, const ShotRow& row, int32_t style, int32_t goalDistance)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t a = Person_Skill(p, kSkillLift);
    constexpr int32_t kYard = PITCH_UNITS_PER_YARD;
    switch (row.lift) {
        case LIFT_DRIBBLE: {
            if (style == 0) return (a / 2 + a / 2) * 256 + 45056;
            const int32_t r = a / 2 + Rand() % 100 + a / 2;
            if (goalDistance <= kLongShotYards * kYard) return 110592 - r * 256;
            // From far out the shot is slower and rises more.
            Ball.velX = Ball.velX * 60 / 100;
            Ball.velY = Ball.velY * 60 / 100;
            return 110592 + r * 256;
        }
        case LIFT_SKILLED: {
            const int32_t e = Person_EffectiveSkill(person, a);
            if (style == 0) return e * 256 + 45056;
            const int32_t finishing = Person_Skill(p, kSkillFinishing);
            int32_t w = 0;
            if (Match_SkillRoll(finishing, 100) < finishing)
                w = static_cast<int16_t>(std::max(0, kLiftYards * kYard - goalDistance) * 50);
            return 114688 - w - e * 1280;
        }
        case LIFT_CURLED: {
            const int32_t w =
                static_cast<int16_t>(std::max(1, kLiftYards * kYard - goalDistance) * 50);
            Ball.swerveX = p.x < PITCH_CENTRE_X ? -8000 : 8000;
            Ball.swerveY = 0;
            Ball.swerveZ = 0;
            Ball.swerveTicks = 30;
            return 114688 - w;
        }
    }
    return 0;
}

// The group a shot of 78 or 81 says from `yards`, kNoGroup beyond the counted range.
int32_t DistanceGroup(int32_t yards)
{
    if (yards > kCountedYards) return kNoGroup;
    constexpr int16_t kGroups[] = {276, 277, 278, 279};
    return yards < 20 ? kGroups[yards / 5] : 280;
}

void StrikeShot(int32_t person, const ShotRow& row, int32_t style)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t side = Person_Side(person);
    const int32_t goalDistance = DistanceToAttackedGoal(person);
    const int32_t direction =
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, ShotTarget[0], ShotTarget[1]);
    Person_VectorFromAngle(direction, Person_Skill(p, kSkillLength) / 2 + row.lengthExtra, 256);
    Ball.velX = StepX * kVelocityScale;
    Ball.velY = -StepY * kVelocityScale;
    Ball.velZ = ShotVelocityZ(person, row, style, goalDistance);
    const int32_t kind = row.lift == LIFT_DRIBBLE ? KickBook_ShotKind(person) : KICK_KIND_SHOT;
    KickBook_Strike(person, kind);
    const int32_t yards = goalDistance / PITCH_UNITS_PER_YARD;
    const int32_t group = row.group != kNoGroup ? row.group : DistanceGroup(yards);
    if (group != kNoGroup) {
        KickBook_Shot(person);
        Comm_Say(group, side, person, -1, group == 280 ? yards : 0);
    }
    MatchPresentationOps.PlayMatchSfx(kSfxShot, 0);
    Match_MarkOffsidePositions(person);
    if (row.swerves) Ball_SetShotSwerve(person, ShotTarget[0]);
}

// The first-time shot's turns toward the attacked goal: one, then two more by agility draws.
void TurnToGoal(int32_t person)
{
    const int32_t toGoal = Person_DirectionToTarget(person, 1, Match.currentSide);
    Person_TurnTowardTwiceIfSlow(person, toGoal);
    for (int32_t extra = 0; extra < 2; ++extra) {
        if (Rand() % 100 < Person_Skill(MatchPersons[person], SKILL_AGILITY))
            Person_TurnTowardTwiceIfSlow(person, toGoal);
    }
}

void StrikeFirstTime(int32_t person, const FirstTimeRow& row)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t side = Person_Side(person);
    // Struck first time, the ball is his touch: a player left offside by the pass is caught here.
    Match_CallOffside(person);
    Person_VectorFromAngle(p.facing, row.pace, 256);
    Ball.velX = StepX;
    Ball.velY = -StepY;
    // Corrupt skills above 100 would leave nothing to draw from.
    const int32_t m = std::max(1, 101 - Person_Skill(p, SKILL_AGILITY));
    const int32_t up = Rand() % m * 1024;
    Ball.velZ = row.lift + up - Rand() % m * 1024;
    MatchPresentationOps.PlayMatchSfx(kSfxShot, 0);
    Match_MarkOffsidePositions(person);
    Match_OnBallTouch(person);
    KickBook_Strike(person, KICK_KIND_SHOT);
    Ball.possession = static_cast<uint8_t>(side);
    LastPossessor[side] = static_cast<int8_t>(person);
    KickBook_Shot(person);
    Comm_Say(row.group, side, person, -1, 0);
    Ball_SetShotSwerve(person, -1);
}

// The aim point of a set-piece shot, moved by the swerve ticks against the swerve (in whole
// units of 12,000).
int32_t SwervedAimX(int32_t swerveX, int32_t swerveTicks)
{
    return ShotTarget[0] - swerveTicks * (swerveX / kSwerveUnit);
}

void SendSetPieceShot(int32_t aimX, int32_t length, int32_t scaleX, int32_t scaleY)
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const int32_t direction = Person_DirectionTo(ball.x, ball.y, aimX, ShotTarget[1]);
    Person_VectorFromAngle(direction, length, 256);
    Ball.velX = StepX * scaleX;
    Ball.velY = -StepY * scaleY;
}

void StrikePenalty(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t s =
        std::max(0, Person_Skill(p, kSkillFinishing) + Person_Skill(p, kSkillSetPieces)
                        + Person_Skill(p, kSkillComposure));
    const int32_t ticks = 10 + Rand() % (s + 1) / 8;
    const int32_t bend = s / 2 * kSwerveUnit / 100;
    const int32_t swerveX = ShotTarget[0] < PITCH_CENTRE_X ? bend : -bend;
    const int32_t h = Rand() % 200 < s ? Rand() % 100 : Rand() % 200;
    ShotTarget[0] = static_cast<int16_t>(SwervedAimX(swerveX, ticks));
    const int32_t power = Match_TeamSetting(Person_Side(person), kPenaltyPowerSetting);
    SendSetPieceShot(ShotTarget[0], power + 100, 6144, 5632);
    Ball.velZ = h * 384 + 32768;
    Ball.swerveX = swerveX;
    Ball.swerveY = 0;
    Ball.swerveZ = 0;
    Ball.swerveTicks = static_cast<int16_t>(ticks);
    ++MatchPersons[person].stats.penaltiesTaken;
    Comm_Say(kPenaltyGroup, Person_Side(person), person, -1, 0);
}

enum FreeKickLift : int8_t { LIFT_DIPPING, LIFT_DRIVEN, LIFT_LOW };

void StrikeFreeKick(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t s = std::max(0, Person_Skill(p, kSkillCurl) + Person_Skill(p, kSkillSetPieces));
    const int32_t level = std::abs(CurrentPersonPos.y - ShotTarget[1]);
    // A taker level with the aim has no height to draw from.
    int32_t r = level > 0 ? Rand() % level : 0;
    const bool central = ShotTarget[0] == PITCH_CENTRE_X;
    int32_t ticks = 10 + (s + 1) / 16 + Rand() % (s + 1) / 16;
    const int32_t bend = s / 2 * 14000 / 100;
    // It bends back toward the centre; aimed at the centre, toward the same hand of his at either
    // end.
    const bool up = AttacksUp(Person_Side(person));
    const bool leftOfCentre = up ? ShotTarget[0] <= PITCH_CENTRE_X : ShotTarget[0] < PITCH_CENTRE_X;
    const int32_t swerveX = leftOfCentre ? bend : -bend;
    if (central && Rand() % 4 == 0) ticks = 0;
    int32_t swerveZ = 0;
    if (Rand() % 100 < s && r > 50) {
        swerveZ = -2000;
        r = std::min(r, level / 3);
    }
    const int32_t aimX = SwervedAimX(swerveX, ticks);
    const int32_t power = Match_TeamSetting(Person_Side(person), kFreeKickPowerSetting);
    const int32_t q = Rand() % 3;
    const FreeKickLift lift =
        central ? (q != 0 ? LIFT_DIPPING : LIFT_LOW) : static_cast<FreeKickLift>(q);
    constexpr int32_t kLength[] = {120, 120, 150};
    const int32_t length = (lift == LIFT_DIPPING ? power / 2 : power) + kLength[lift];
    SendSetPieceShot(aimX, length, 6144, 6144);
    constexpr int32_t kPerUnit[] = {384, 384, 128};
    constexpr int32_t kBase[] = {98304, 65536, 32768};
    Ball.velZ = r * kPerUnit[lift] + kBase[lift];
    if (lift == LIFT_DIPPING) swerveZ -= 1024;
    Ball.swerveX = swerveX;
    Ball.swerveY = 0;
    Ball.swerveZ = swerveZ;
    Ball.swerveTicks = static_cast<int16_t>(ticks);
    ++MatchPersons[person].stats.freeKicksTaken;
}

}  // namespace

void Action_Shoot(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const ShotRow& row = RowOf(kShots, p.action);
    const int32_t style = p.passKind == 1 ? 1 : 0;
    // The ball he dribbles went out of play before he struck it: he lets it go instead of
    // carrying it on through the net and beyond the walls.
    if (row.dribbles && p.kicked == 0 && DeadBallFlag != 0) {
        if (p.hasBall != 0) Ball_GiveToPerson(-1);
        Person_SetAction(person, ACT_WALK_TO_TARGET);
        return;
    }
    Person_TurnTowardTwiceIfSlow(person, Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y,
                                                            ShotTarget[0], ShotTarget[1]));
    if (Person_RunAnim(person, row.animation[style], p.kicked + row.stepExtra, ACT_WALK_TO_TARGET)
        == 0)
        return;
    const int32_t first = row.window[style][0];
    if (row.dribbles && p.hasBall != 0 && p.drawnFrame < first) {
        Person_RunStepBoosted(person, 0, 1);
        Person_KeepBallAtFeet(person);
    }
    const bool inWindow = p.drawnFrame >= first && p.drawnFrame <= row.window[style][1];
    if (inWindow && Ball.holder == 0 && p.kicked == 0 && p.hasBall != 0) {
        StrikeShot(person, row, style);
        return;
    }
    if (Ball.holder != 0) Person_SetAction(person, ACT_WALK_TO_TARGET);
}

void Action_FirstTimeShot(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const FirstTimeRow& row = RowOf(kFirstTimeShots, p.action);
    TurnToGoal(person);
    if (Person_RunAnim(person, row.animation, p.kicked + 1, ACT_STAND) == 0) return;
    // Until the hold count the animation runs at double speed.
    if (p.kicked == 0 && p.passKind < row.hold) {
        if (Person_RunAnim(person, row.animation, 1, ACT_STAND) == 0) return;
        ++p.passKind;
    }
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const int32_t reach = Person_RangeCheck(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y,
                                            kFirstTimeReach, 16);
    if (p.kicked == 0
        && Person_TouchDistance(CurrentPersonPos.x, CurrentPersonPos.y, p.receivePoint[0],
                                p.receivePoint[1], kArrivedHeight)
               != 0) {
        const int32_t toSpot = Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y,
                                                  p.receivePoint[0], p.receivePoint[1]);
        if (Person_FindBlockerAhead(person) == 0)
            Person_RunStep(person, row.runSpeed, toSpot, kFirstTimeStep);
    }
    if (p.hasBall != 0 && p.drawnFrame < row.hold) Person_KeepBallAtFeet(person);
    const bool inWindow = p.drawnFrame > row.hold && p.drawnFrame <= row.hold + kFirstTimeWindow;
    if (p.kicked == 0 && Ball.height <= row.maxHeight && reach == 0 && inWindow && Ball.holder == 0)
        StrikeFirstTime(person, row);
}

void Action_SetPieceShot(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t action = p.action;
    Match_ClearPlayerFlags();
    p.facing = static_cast<uint16_t>(
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, ShotTarget[0], ShotTarget[1]));
    if (Person_RunAnim(person, kSetPieceAnimation, p.kicked + 1, ACT_SET_PIECE_WAIT) == 0) return;
    if (p.kicked == 0) Person_RunStep(person, kSetPieceRunSpeed, p.dirToBall, 1);
    if (p.drawnFrame < kSetPieceStrikeFrame || Ball.holder != 0 || p.kicked != 0
        || p.action != action)
        return;
    const bool penalty = action == ACT_PENALTY_KICK;
    if (penalty) {
        StrikePenalty(person);
    } else {
        StrikeFreeKick(person);
    }
    MatchPresentationOps.PlayMatchSfx(kSfxShot, 0);
    Match_MarkOffsidePositions(person);
    KickBook_Strike(person, KICK_KIND_SHOT);
    LastPossessor[Person_Side(person)] = static_cast<int8_t>(person);
    KickBook_Shot(person);
    KickBook_SetShotRecord(penalty ? SHOT_RECORD_PENALTY : SHOT_RECORD_FREE_KICK, person);
    // Whatever phase the set piece was started in, its strike is open play.
    MatchPhase = PHASE_OPEN_PLAY;
    PhaseTimer = 0;
}
