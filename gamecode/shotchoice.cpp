// gamecode/shotchoice.cpp: the shot's aim with its skill error, the carrier's finish, the shot
// test and the long kick.
#include "gamecode/shotchoice.h"

#include <algorithm>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/activeplayer.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/kickkinds.h"
#include "gamecode/motion.h"
#include "gamecode/offside.h"
#include "gamecode/pitch.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kBehindGoal = 5;
constexpr int32_t kAimInsidePost = 5;
constexpr int32_t kAimOutsidePost = 20;
constexpr int32_t kCurlOutsidePost = 36;
constexpr int32_t kYards5 = 80;
constexpr int32_t kYards10 = 160;
constexpr int32_t kYards15 = 240;
constexpr int32_t kYards20 = 320;
constexpr int32_t kYards30 = 480;
constexpr int32_t kYards35 = 560;
constexpr int32_t kGroupSquareBall = 7;
constexpr int32_t kGroupRoundKeeper = 8;
constexpr int32_t kBouncingParameter = 35;
constexpr int32_t kCloseFirstTimeParameter = 10;
constexpr int32_t kRoundKeeperCooldown = 32;
constexpr int32_t kLongKickLength = 1000;
constexpr int32_t kSettingDefault = 100;
constexpr int32_t kSettingLimit = 200;

struct ShotGeometry {
    int32_t keeper;
    int32_t dK;    // to the keeper along the direction to him
    int32_t aimY;  // 5 behind the goal line attacked
    int32_t gapL;  // the keeper's angle from each post's aim
    int32_t gapR;
};

ShotGeometry Measure(int32_t shooter)
{
    const MatchPerson& p = MatchPersons[shooter];
    const int32_t side = Person_Side(shooter);
    ShotGeometry g{};
    g.keeper = LineUp[side ^ 1][0];
    const MatchPerson& k = MatchPersons[g.keeper];
    const int32_t dirK = Person_DirectionToN(p.x, p.y, k.x, k.y, 256);
    g.dK = Person_DistanceAlong(dirK, p.x, p.y, k.x, k.y);
    g.aimY = AttacksUp(side) ? PITCH_FAR_GOAL_LINE_Y + kBehindGoal
                             : PITCH_NEAR_GOAL_LINE_Y - kBehindGoal;
    const int32_t dirL =
        Person_DirectionToN(p.x, p.y, PITCH_LEFT_POST_X + kAimInsidePost, g.aimY, 256);
    const int32_t dirR =
        Person_DirectionToN(p.x, p.y, PITCH_RIGHT_POST_X - kAimInsidePost, g.aimY, 256);
    g.gapL = Person_FoldedDifference(dirK, dirL);
    g.gapR = Person_FoldedDifference(dirK, dirR);
    if (p.x < PITCH_CENTRE_X) {
        g.gapL /= 2;
    } else {
        g.gapR /= 2;
    }
    return g;
}

int32_t PenaltyAimX(int32_t shooter, const ShotGeometry& g)
{
    const MatchPerson& p = MatchPersons[shooter];
    const int32_t roll = Rand() % 100;
    if (Person_EffectiveSkill(shooter, Person_Skill(p, 21)) > roll) {
        const int32_t inside = 10 - Person_Skill(p, 1) / 12;
        const int32_t e = (120 - Match_TeamSetting(Person_Side(shooter), 0)) / 2;
        const int32_t x =
            g.gapR < g.gapL ? PITCH_LEFT_POST_X - inside : PITCH_RIGHT_POST_X + inside;
        static_cast<void>(Rand());
        return g.gapR < g.gapL ? x + e : x - e;
    }
    if (Rand() % 2 == 0) return PITCH_CENTRE_X - Rand() % 100;
    return PITCH_CENTRE_X + Rand() % 100;
}

int32_t OpenPlayAimX(int32_t shooter, const ShotGeometry& g)
{
    const MatchPerson& p = MatchPersons[shooter];
    if (Rand() % 250 < Person_Skill(p, 12) + Person_Skill(p, 1)) {
        static_cast<void>(Rand());
        const int32_t offset = 100 - Person_Skill(p, 1);
        return g.gapR < g.gapL ? PITCH_LEFT_POST_X - kAimOutsidePost + offset
                               : PITCH_RIGHT_POST_X + kAimOutsidePost - offset;
    }
    const int32_t x = PITCH_CENTRE_X - Rand() % 100;
    return x + Rand() % 100;
}

// The kick action of a pair or triple by run speed: below 100, below 140, else.
int32_t BySpeed(int32_t speed, int32_t slow, int32_t medium, int32_t fast)
{
    return speed < 100 ? slow : speed < 140 ? medium : fast;
}

// Returns true when the finish is decided and the call ends without the kick style.
bool PassInstead(int32_t shooter, bool cutBack)
{
    const MatchPerson& p = MatchPersons[shooter];
    const int32_t q = Person_PickMediumPass(shooter, 1);
    if (q != KICK_NOBODY) {
        Person_AimLeadPass2(shooter, q);
    } else if (cutBack) {
        CellTarget[0] = PITCH_CENTRE_X;
        CellTarget[1] = static_cast<int16_t>(p.y);
        Person_AimKickAt(shooter, KICK_TO_CELL, PITCH_CENTRE_X, p.y);
    } else {
        return false;
    }
    Comm_Say(kGroupSquareBall, Person_Side(shooter), shooter, -1, 0);
    return true;
}

void GoRoundKeeper(int32_t shooter, int32_t dirG, const ShotGeometry& g)
{
    MatchPerson& p = MatchPersons[shooter];
    const int32_t facing = Rand() % 2 == 0 ? dirG + 20 + Rand() % 16 : dirG - 20 - Rand() % 16;
    p.facing = static_cast<uint16_t>(facing & 255);
    Person_VectorFromAngle(p.facing, 130 - Person_Skill(p, 5) / 2, 256);
    Ball.velX = StepX * 4096;
    Ball.velY = -StepY * 4096;
    Ball.velZ = 20480;
    Ball_GiveToPerson(-1);
    p.touchCooldown1 = kRoundKeeperCooldown;
    Person_SetAction(shooter, ACT_CARRY_SPRINT);
    Match_MarkOffsidePositions(shooter);
    Comm_Say(kGroupRoundKeeper, Person_Side(shooter), shooter, -1, 0);
    if (g.dK <= kYards5 && MatchPersons[g.keeper].action == ACT_KEEPER_IDLE)
        Keeper_StartDive(g.keeper);
}

int32_t ShotAction(int32_t shooter, const ShotGeometry& g, bool past)
{
    const MatchPerson& p = MatchPersons[shooter];
    const int32_t speed = p.runSpeed;
    const int32_t roll = Rand() % 75;
    const bool near =
        roll < Person_EffectiveSkill(shooter, Person_Skill(p, 21)) || past || g.dK < kYards5;
    if (near && g.dK < kYards5) {
        if (!past && speed >= 100) return ACT_CLEARING_SLIDE;
        return speed < 100 ? ACT_LIFTED_SHOT_STANDING : ACT_LIFTED_SHOT;
    }
    if (near && g.dK < kYards15) return speed < 100 ? ACT_LIFTED_SHOT_STANDING : ACT_LIFTED_SHOT;
    return BySpeed(speed, ACT_SHOT, ACT_DRIBBLE_SHOT_81, ACT_DRIBBLE_SHOT_78);
}

void DecideFinish(int32_t shooter, const ShotGeometry& g)
{
    MatchPerson& p = MatchPersons[shooter];
    const int32_t side = Person_Side(shooter);
    const int32_t dirG = Person_DirectionToTarget(shooter, 1, side);
    const int32_t d = DistanceResult;
    int32_t a = p.y <= PITCH_HALFWAY_LINE_Y ? dirG : std::abs(128 - dirG);
    if (a > 128) a = 256 - a;
    const MatchPerson& k = MatchPersons[g.keeper];
    const bool past = AttacksUp(side) ? p.y > k.y : p.y < k.y;
    if (g.dK < d && a >= 20 && g.dK < kYards15 && Rand() % 100 < Person_Skill(p, 3) && !past
        && PassInstead(shooter, false))
        return;
    if (a > 40 && g.dK < d && Rand() % 2 == 0) {
        PassInstead(shooter, true);
        return;
    }
    if (a >= 15 && a <= 45 && d > kYards15 && Rand() % 100 < Person_Skill(p, 21)
        && Rand() % 2 == 0) {
        const int16_t style = p.passKind;  // a curled shot keeps the kick style he had
        Person_SetAction(shooter, BySpeed(p.runSpeed, ACT_CURLED_SHOT_STANDING, ACT_CURLED_SHOT,
                                          ACT_CURLED_SHOT));
        p.passKind = style;
        ShotTarget[0] =
            static_cast<int16_t>(p.x < PITCH_CENTRE_X ? PITCH_RIGHT_POST_X + kCurlOutsidePost
                                                      : PITCH_LEFT_POST_X - kCurlOutsidePost);
        return;
    }
    if (d < kYards35 && Ball.height >= 5 && Ball.holder == 0) {
        p.receivePoint[0] = p.x;
        p.receivePoint[1] = p.y;
        Person_SetAction(shooter, BySpeed(p.runSpeed, ACT_FIRST_TIME_SHOT_80,
                                          ACT_FIRST_TIME_SHOT_83, ACT_FIRST_TIME_SHOT_84));
        p.passKind = kBouncingParameter;
        if (d < kYards15 && Rand() % 100 < Person_Skill(p, 18)) {
            Person_SetAction(shooter, ACT_VOLLEY_TO_TARGET);
            p.passKind = kCloseFirstTimeParameter;
        }
        return;
    }
    const int32_t roundReach = (5 + (100 - Person_Skill(p, 5)) / 8) * 16;
    if (g.dK < roundReach && d > kYards10 && !past && Rand() % 100 < Person_Skill(p, 21)
        && Rand() % 3 == 0) {
        GoRoundKeeper(shooter, dirG, g);
    } else {
        Person_SetAction(shooter, ShotAction(shooter, g, past));
    }
    p.passKind = Rand() % 200 < Person_Skill(p, 1) || d >= kYards30 ? 1 : 0;
}

}  // namespace

int32_t Match_TeamSetting(int32_t side, int32_t setting)
{
    const int32_t value = Match.teamSettings[side][setting];
    return value > kSettingLimit ? kSettingDefault : value;
}

void Person_ChooseShotTarget(int32_t shooter, int32_t mode)
{
    const ShotGeometry g = Measure(shooter);
    const int32_t x = mode == 2 ? PenaltyAimX(shooter, g) : OpenPlayAimX(shooter, g);
    ShotTarget[0] = static_cast<int16_t>(x);
    ShotTarget[1] = static_cast<int16_t>(g.aimY);
    if (mode == 0) DecideFinish(shooter, g);
}

int32_t Person_ShouldShoot(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t side = Person_Side(person);
    const ShotGeometry g = Measure(person);
    const int32_t dirG = Person_DirectionToTarget(person, 1, side);
    const int32_t d = DistanceResult;
    if (Person_FoldedDifference(p.facing, dirG) - 28 > Person_Skill(p, 18) && d > kYards10)
        return 0;
    if (d < kYards5) return 1;
    const int32_t w = dirG < 64     ? dirG
                      : dirG <= 128 ? 128 - dirG
                      : dirG <= 192 ? dirG - 128
                                    : 256 - dirG;
    if (w > 44) {
        const int32_t k = std::max(g.dK, 1);
        if (Rand() % k == 0 || k < kYards15) return 1;
    } else if (g.dK < kYards20) {
        return 1;
    }
    int32_t bonus = std::max(0, Match.score[side ^ 1] - Match.score[side]) + p.stats.goals;
    const int32_t first = static_cast<int8_t>(p.firstInstruction);
    if (first == 1) bonus += 2;
    if (first == 2) bonus -= 2;
    if (d / 16 > 35) return 0;
    const int32_t chance = Person_Skill(p, 1) + 5 * bonus - w - d / 9;
    return Rand() % 50 > chance ? 0 : 1;
}

void Person_LongKickAlong(int32_t kicker, int32_t direction)
{
    MatchPerson& p = MatchPersons[kicker];
    const bool up = AttacksUp(Person_Side(kicker));
    const int32_t gy = up ? PITCH_FAR_GOAL_LINE_Y : PITCH_NEAR_GOAL_LINE_Y;
    const int32_t dirL = Person_DirectionToN(p.x, p.y, PITCH_LEFT_POST_X, gy, 256);
    const int32_t dirR = Person_DirectionToN(p.x, p.y, PITCH_RIGHT_POST_X, gy, 256);
    bool between = false;
    if (up) {
        between = dirR < direction && direction < dirL;
    } else if ((dirL > 128) == (dirR > 128)) {
        between = dirL < direction && direction < dirR;
    } else {
        between = direction > dirL || direction < dirR;
    }
    // Turned wide of the kicker's left-hand post, at either goal.
    if (between) direction = ((up ? dirR : dirL) - 16) & 255;
    const int32_t action = p.runSpeed < 100 || between ? ACT_SHOT
                           : p.runSpeed < 140          ? ACT_DRIBBLE_SHOT_81
                                                       : ACT_DRIBBLE_SHOT_78;
    Person_SetAction(kicker, action);
    ++p.stats.longKicks;
    Person_VectorFromAngle(direction, kLongKickLength, 256);
    ShotTarget[0] = static_cast<int16_t>(p.x + StepX);
    ShotTarget[1] = static_cast<int16_t>(p.y - StepY);
    p.passKind = 1;
}
