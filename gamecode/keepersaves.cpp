// gamecode/keepersaves.cpp: the keeper's saves.
#include "gamecode/keepersaves.h"

#include <array>
#include <cstdlib>

#include "engine/fatal.h"
#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/incidents.h"
#include "gamecode/keeper.h"
#include "gamecode/keeperball.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchview.h"
#include "gamecode/motion.h"
#include "gamecode/offside.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"

namespace {

constexpr int32_t kHandlingSkill = 0;
constexpr int32_t kJumpSkill = 4;
constexpr int32_t kKickingSkill = 17;
constexpr int32_t kAgility = 18;
constexpr int32_t kSlowBall = 7;    // a speed byte this low or lower never beats his hands
constexpr int32_t kEdge = 3;        // how far inside his hands' side a tip still counts
constexpr int32_t kAtThePoint = 5;  // near enough his receivePoint to stop running
constexpr int32_t kLastRunFrame = 60;
constexpr int32_t kSaveAccel = 8;
constexpr int32_t kReachRun = 120;    // the high saves' run to the save point
constexpr int32_t kLowestSave = 8;    // the high saves take a ball above this
constexpr int32_t kCloseHeight = 12;  // the low collection takes a ball below this
constexpr int32_t kBlockHeight = 12;
constexpr int32_t kNoHeightLimit = 32767;
constexpr int16_t kPalmLockout = 25;
constexpr int16_t kHighlight = 1;
constexpr int32_t kHighlightTicks = 200;
constexpr int32_t kSfxPunch = 5;
constexpr int32_t kSfxCatch = 22;
constexpr int32_t kSfxCloseCatch = 23;
constexpr int32_t kSfxParry = 25;
constexpr int32_t kParrySpread = 30;
constexpr int32_t kDeflectSpread = 45;
constexpr int16_t kHolds = -1;  // a catch form: no contact test, he holds the ball

struct DiveRow {
    int16_t id;
    int16_t animation[2];  // by passKind: to his right, to his left
    int16_t run;
    int16_t kind;  // DiveKind, or kHolds
    int16_t end;
};

// clang-format off
constexpr auto kDives = std::to_array<DiveRow>({
    {ACT_KEEPER_DIVE_HIGH_SHORT,      {119, 139}, 120, DIVE_HIGH,   ACT_KEEPER_IDLE},
    {ACT_KEEPER_DIVE_HIGH_LONG,       {118, 138}, 200, DIVE_HIGH,   ACT_KEEPER_IDLE},
    {ACT_KEEPER_DIVE_MID_SHORT,       {123, 143}, 120, DIVE_MIDDLE, ACT_KEEPER_IDLE},
    {ACT_KEEPER_DIVE_MID_LONG,        {122, 142}, 200, DIVE_MIDDLE, ACT_KEEPER_IDLE},
    {ACT_KEEPER_DIVE_LOW_SHORT,       {127, 147}, 120, DIVE_LOW,    ACT_KEEPER_IDLE},
    {ACT_KEEPER_DIVE_LOW_LONG,        {126, 146}, 200, DIVE_LOW,    ACT_KEEPER_IDLE},
    {ACT_KEEPER_FAST_DIVE_HIGH_SHORT, {121, 141}, 120, DIVE_HIGH,   ACT_KEEPER_IDLE},
    {ACT_KEEPER_FAST_DIVE_HIGH_LONG,  {120, 140}, 200, DIVE_HIGH,   ACT_KEEPER_IDLE},
    {ACT_KEEPER_FAST_DIVE_MID_SHORT,  {125, 145}, 120, DIVE_MIDDLE, ACT_KEEPER_IDLE},
    {ACT_KEEPER_FAST_DIVE_MID_LONG,   {124, 144}, 200, DIVE_MIDDLE, ACT_KEEPER_IDLE},
    {ACT_KEEPER_FAST_DIVE_LOW_SHORT,  {129, 149}, 120, DIVE_LOW,    ACT_KEEPER_IDLE},
    {ACT_KEEPER_FAST_DIVE_LOW_LONG,   {128, 148}, 200, DIVE_LOW,    ACT_KEEPER_IDLE},
    {ACT_KEEPER_HOLD_HIGH_SHORT,      {119, 139}, 120, kHolds,      ACT_KEEPER_TAKE_BALL},
    {ACT_KEEPER_HOLD_MID_SHORT,       {123, 143}, 120, kHolds,      ACT_KEEPER_TAKE_BALL},
    {ACT_KEEPER_HOLD_LOW_SHORT,       {127, 147}, 120, kHolds,      ACT_KEEPER_TAKE_BALL},
    {ACT_KEEPER_CATCH_HIGH,           {118, 138}, 200, kHolds,      ACT_KEEPER_TAKE_BALL},
    {ACT_KEEPER_CATCH_MID,            {122, 142}, 200, kHolds,      ACT_KEEPER_TAKE_BALL},
    {ACT_KEEPER_CATCH_LOW,            {126, 146}, 200, kHolds,      ACT_KEEPER_TAKE_BALL},
});
// clang-format on

// The catch form a dive's catch turns into, by DiveKind.
constexpr int16_t kCatchForm[3] = {ACT_KEEPER_CATCH_MID, ACT_KEEPER_CATCH_LOW,
                                   ACT_KEEPER_CATCH_HIGH};

const DiveRow& DiveOf(int32_t action)
{
    for (const DiveRow& row : kDives) {
        if (row.id == action) return row;
    }
    FatalError("Action_KeeperDive(): action %d is no dive", action);
}

const MatchPerson& TheBall() { return MatchPersons[MATCH_BALL]; }

void Say(int32_t group, int32_t person) { Comm_Say(group, Person_Side(person), person, -1, 0); }

void Highlight() { ActivateHighLight(kHighlight, kHighlightTicks); }

// His side has the ball he touched last; a pass provider's claim on it ends with the save.
void Possess(int32_t person)
{
    Ball.lastToucher = static_cast<int16_t>(person);
    Ball.possession = static_cast<uint8_t>(Person_Side(person));
    if (Match.passProvider < 0) return;
    Match.passProvider = -1;
    Team_AddPressure(3);
}

void Touched(int32_t person)
{
    Possess(person);
    Match_ClearPlayerFlags();
}

// The touch bookkeeping of a deflection or a parry.
void TouchOfSave(int32_t person)
{
    Match_OnBallTouch(person);
    Match.ballEvent = 3;
}

// The pending shot is on target; at a penalty the keeper saved it and the taker missed it. Says
// `penaltyGroup` or `shotGroup` by the penalty's flight, `quietGroup` without a pending shot.
void CountSave(int32_t person, int32_t penaltyGroup, int32_t shotGroup, int32_t quietGroup)
{
    const int32_t shooter = Match.shooter;
    if (shooter < 0) {
        Say(quietGroup, person);
        return;
    }
    if (ShotWindow > 0) {
        ++MatchPersons[person].stats.penaltiesSaved;
        ++MatchPersons[shooter].stats.penaltiesMissed;
        Say(penaltyGroup, person);
    } else {
        Say(shotGroup, person);
    }
    KickBook_ShotOnTarget();
}

int32_t Scaled(int32_t velocity, int32_t percent)
{
    return static_cast<int32_t>(int64_t{velocity} * percent / 100);
}

// The ball loses pace along the ground by a draw of 10 to 10 + spread - 1 percent on each axis
// and is lifted by 100 / (50 to 99); the last factor is kept.
void Slow(int32_t spread)
{
    Ball.velX = Scaled(Ball.velX, Rand() % spread + 10);
    Ball.velY = Scaled(Ball.velY, Rand() % spread + 10);
    Match.deflectFactor = static_cast<int16_t>(Rand() % 50 + 50);
    Ball.velZ = static_cast<int32_t>(int64_t{Ball.velZ} * 100 / Match.deflectFactor);
}

// Parried back: the ball turns round along the pitch and loses its pace.
void ParryBack()
{
    MatchPresentationOps.PlayMatchSfx(kSfxParry, 0);
    Ball.velY = -Ball.velY;
    Slow(kParrySpread);
}

bool SuitsDive(int32_t height)
{
    switch (Match.diveKind) {
        case DIVE_LOW: return height <= 12;
        case DIVE_HIGH: return height >= 8;
        default: return height >= 4 && height <= 16;
    }
}

void Deflect(int32_t person, bool atEdge)
{
    const MatchPerson& p = MatchPersons[person];
    if (Rand() % 100 < Person_Skill(p, kAgility)) Ball.velY = -Ball.velY / 2;
    Slow(kDeflectSpread);
    if (atEdge) Keeper_TipAway(person);
    Touched(person);
    ++MatchPersons[person].stats.deflections;
    Highlight();
    CountSave(person, 131, 132, 132);
    TouchOfSave(person);
}

void Parry(int32_t person, bool atEdge)
{
    ParryBack();
    if (atEdge) Keeper_TipAway(person);
    Touched(person);
    ++MatchPersons[person].stats.parries;
    Highlight();
    CountSave(person, 133, 134, 135);
    TouchOfSave(person);
}

void Catch(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    ++p.stats.catches;
    MatchPresentationOps.PlayMatchSfx(kSfxCatch, 0);
    // Stored, not set: the catch form goes on from the dive's frame.
    Person_StoreAction(person, kCatchForm[Match.diveKind]);
    Ball_StopAtCurrentPerson();
    Highlight();
    CountSave(person, 136, 137, 138);
}

}  // namespace

void Action_KeeperDive(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const DiveRow& row = DiveOf(p.action);
    const bool holds = row.kind == kHolds;
    if (!holds) Match.diveKind = row.kind;
    if (Person_RunAnim(person, row.animation[p.passKind != 0 ? 1 : 0], 2 + p.kicked, row.end)
        == 0) {
        Match.diveKind = DIVE_MIDDLE;
        return;
    }
    const int32_t off = std::abs(CurrentPersonPos.x - p.receivePoint[0])
                        + std::abs(CurrentPersonPos.y - p.receivePoint[1]);
    if (off > kAtThePoint && p.drawnFrame < kLastRunFrame)
        Person_RunStep(person, row.run, KeeperDiveDirection, kSaveAccel);
    if (holds) {
        Keeper_BallInHands(person);
        return;
    }
    Keeper_SaveContact(person, 0);
}

void Keeper_SaveContact(int32_t person, int32_t forceParry)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = TheBall();
    const int32_t handling = Person_Skill(p, kHandlingSkill);
    const int32_t reach = handling / 8 + 20;
    const int32_t half = reach / 2;
    Person_VectorFromAngle(KeeperDiveDirection, half, 256);
    const int32_t centreX = CurrentPersonPos.x + StepX;
    const int32_t centreY = CurrentPersonPos.y - StepY;
    if (std::abs(ball.x - centreX) > half || std::abs(ball.y - centreY) > reach / 4) return;
    const bool atEdge = (Ball.velX < 0 && ball.x <= centreX - half + kEdge)
                        || (Ball.velX > 0 && ball.x >= centreX + half - kEdge);
    if (DeadBallFlag != 0 || p.kicked != 0 || !SuitsDive(Ball.height)) return;
    p.kicked = 1;
    const bool fast = Ball.speed > kSlowBall;
    if (Rand() % 100 > handling && fast) {
        Deflect(person, atEdge);
        return;
    }
    if ((Rand() % 100 > Person_Skill(p, kAgility) && fast) || forceParry != 0) {
        Parry(person, atEdge);
        return;
    }
    if (MatchPhase == PHASE_OPEN_PLAY) Catch(person);
}

void Keeper_TipAway(int32_t person)
{
    Match.deflectFactor = static_cast<int16_t>(Rand() % 50);
    // On the way the ball was going past the edge of his hands, at either goal.
    Ball.velX = Scaled(Ball.velX, Match.deflectFactor);
    Touched(person);
}

namespace {

struct Reach {
    int32_t steps;    // R: jumpSkill / 20 + 8
    int32_t highest;  // the highest ball a jump takes: jumpSkill / 10 + 16
};

Reach ReachOf(const MatchPerson& p)
{
    const int32_t jump = Person_Skill(p, kJumpSkill);
    return {jump / 20 + 8, jump / 10 + 16};
}

bool BallWithin(int32_t reach, int32_t maxHeight)
{
    const MatchPerson& ball = TheBall();
    return Person_RangeCheck(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y, reach,
                             maxHeight)
           == 0;
}

void TurnToBall(int32_t person)
{
    const MatchPerson& ball = TheBall();
    Person_TurnStep(person,
                    Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y));
}

// The high saves' run: toward the save point while the ball is out of reach, unless a palm's
// lockout runs or he stands within reach of the point.
void RunToSavePoint(int32_t person, int32_t reach)
{
    if (BallWithin(reach, kNoHeightLimit) || SaveLockout != 0) return;
    if (Person_RangeCheck(CurrentPersonPos.x, CurrentPersonPos.y, SavePoint[0], SavePoint[1], reach,
                          kNoHeightLimit)
        == 0)
        return;
    Person_RunStep(
        person, kReachRun,
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, SavePoint[0], SavePoint[1]),
        kSaveAccel);
}

bool Within(int32_t height, int32_t highest) { return height > kLowestSave && height <= highest; }

// The punch and the palm reach a ball in their band even out of reach while the lockout runs.
bool JumpReaches(const MatchPerson& p)
{
    const Reach r = ReachOf(p);
    return (BallWithin(r.steps, kNoHeightLimit) || SaveLockout != 0) && p.kicked == 0
           && Within(Ball.height, r.highest);
}

// A close save held: he gathers it (`gather`, the same animation going on); a shot it stopped
// counts on target and as his catch.
void GatherClose(int32_t person, int16_t gather, int32_t group)
{
    MatchPerson& p = MatchPersons[person];
    Person_StoreAction(person, gather);
    MatchPresentationOps.PlayMatchSfx(kSfxCloseCatch, 0);
    if (Match.shooter < 0) return;
    KickBook_ShotOnTarget();
    ++p.stats.catches;
    Say(group, person);
}

}  // namespace

void Action_KeeperHighSave(int32_t person)
{
    constexpr int32_t kLastFrame = 92;
    MatchPerson& p = MatchPersons[person];
    TurnToBall(person);
    if (Person_RunAnim(person, 133, 1, ACT_KEEPER_IDLE) == 0) return;
    if (p.drawnFrame > kLastFrame) {
        Person_SetAction(person, ACT_KEEPER_IDLE);
        return;
    }
    const int32_t jump = Person_Skill(p, kJumpSkill);
    const Reach r = ReachOf(p);
    RunToSavePoint(person, r.steps);
    if (!BallWithin(r.steps, kNoHeightLimit) || SaveLockout != 0
        || !Within(Ball.height, jump / 20 + 16))
        return;
    ++p.stats.catches;
    if (Rand() % 100 > Person_Skill(p, kHandlingSkill)) {
        ParryBack();
        Touched(person);
        Highlight();
        if (Match.shooter >= 0) {
            Say(126, person);
            KickBook_ShotOnTarget();
        }
        return;
    }
    MatchPresentationOps.PlayMatchSfx(kSfxCloseCatch, 0);
    Person_StoreAction(person, ACT_KEEPER_PICK_UP);
    if (Match.shooter >= 0) {
        Say(127, person);
        KickBook_ShotOnTarget();
    }
}

void Action_KeeperPunch(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (Person_RunAnim(person, 134, 2 + p.kicked, ACT_KEEPER_IDLE) == 0) {
        p.height = 0;
        return;
    }
    const int32_t jump = Person_Skill(p, kJumpSkill);
    const int32_t peak = jump * 50 / 1000;
    int32_t height = jump * 50 / 46 * p.drawnFrame / 1000;
    if (height > peak) height = 2 * peak - height;
    p.height = static_cast<int16_t>(std::max(height, 0));
    RunToSavePoint(person, ReachOf(p).steps);
    if (!JumpReaches(p)) return;
    const int32_t over = Person_Skill(p, kKickingSkill) - Ball.height;
    const int32_t length = (over >= 0 ? over / 2 : (over - 1) / 2) + 50;
    Person_VectorFromAngle(p.facing, length, 256);
    Ball.velX = StepX * 2048;
    Ball.velY = -StepY * 2048;
    Ball.velZ = (Match.deflectFactor & 15) * 6144 + 98304;
    MatchPresentationOps.PlayMatchSfx(kSfxPunch, 0);
    Match_MarkOffsidePositions(person);
    Possess(person);
    KickBook_Strike(person, KICK_KIND_CLEARANCE);
    Say(128, person);
    ++p.stats.punches;
}

void Action_KeeperPalmOver(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (Person_RunAnim(person, 132, 2 + p.kicked, ACT_KEEPER_IDLE) == 0) return;
    RunToSavePoint(person, ReachOf(p).steps);
    if (!JumpReaches(p)) return;
    Ball.velX /= 3;
    Ball.velY /= 3;
    Ball.velZ += 2 * 65536;
    SaveLockout = kPalmLockout;
    Possess(person);
    p.kicked = 1;
    ++p.stats.palms;
    if (Match.shooter < 0) {
        Say(130, person);
        return;
    }
    KickBook_ShotOnTarget();
    Say(129, person);
    Highlight();
}

void Action_KeeperCollectLow(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    TurnToBall(person);
    if (Person_RunAnim(person, 113, 2, ACT_KEEPER_IDLE) == 0) return;
    if (!BallWithin(ReachOf(p).steps, kCloseHeight) || SaveLockout != 0) return;
    GatherClose(person, ACT_KEEPER_GATHER_LOW, 140);
}

void Action_KeeperSaveMidClose(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    TurnToBall(person);
    if (Person_RunAnim(person, 114, 2, ACT_KEEPER_IDLE) == 0) return;
    const Reach r = ReachOf(p);
    if (!BallWithin(r.steps, r.highest) || SaveLockout != 0) return;
    if (Rand() % 100 > Person_Skill(p, kHandlingSkill) && Ball.speed > kSlowBall) {
        ParryBack();
        Touched(person);
        Highlight();
        Say(142, person);
        return;
    }
    GatherClose(person, ACT_KEEPER_GATHER_MID, 143);
}

void Action_KeeperQuickBlock(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const bool right = p.action == ACT_KEEPER_QUICK_BLOCK_154;
    const int32_t band = p.passKind < 4 ? 0 : p.passKind < 8 ? 1 : 2;
    const int32_t animation = (right ? 135 : 115) + band;
    if (Person_RunAnim(person, animation, 1 + p.kicked, ACT_KEEPER_IDLE) == 0) return;
    Keeper_MeasureBall(person);
    const int32_t reach = Person_Skill(p, kHandlingSkill) / 10 + 9;
    if (p.ballDistance > reach || p.kicked != 0 || Ball.height > kBlockHeight) return;
    p.kicked = 1;
    ++p.stats.parries;
    ParryBack();
    Touched(person);
    Match.deflectFactor = static_cast<int16_t>(Rand() % 32);
    Say(157, person);
    Ball.velZ = Match.deflectFactor * 4096 + 32768;
}
