// gamecode/keeper.cpp: the goalkeeper's save decision.
#include "gamecode/keeper.h"

#include <array>
#include <cstdlib>
#include <span>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/ballpredict.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"

namespace {

constexpr int32_t kHandlingSkill = 0;
constexpr int32_t kJumpSkill = 4;
constexpr int32_t kAnticipationSkill = 12;
constexpr int32_t kJudgementSkill = 20;
constexpr int32_t kFastBall = 17;     // a speed byte above it may beat his hands
constexpr int32_t kGuessedTick = 22;  // where a keeper facing a penalty expects the ball
constexpr int32_t kNearLine = 80;     // the high save across the goal: the ball's y this near
constexpr int16_t kLowest = -32768;
constexpr int16_t kHighest = 32767;

// A bound of a save row: base, plus jumpSkill / perJump when perJump is not 0.
struct Bound {
    int16_t base;
    int16_t perJump;
    int32_t Value(int32_t jump) const { return base + (perJump != 0 ? jump / perJump : 0); }
};
constexpr Bound kNone{kLowest, 0};
constexpr Bound kAny{kHighest, 0};
constexpr Bound At(int16_t value) { return {value, 0}; }

// One save row: height and reach within their inclusive bounds, afterTick < T <= byTick, and
// for the high save across the goal the ball's y near his own.
struct SaveRow {
    Bound heightMin, heightMax, reachMin, reachMax;
    int16_t afterTick, byTick;
    bool nearLine;
    int16_t save;
    int16_t fastSave;  // taken instead when a fast ball beats his handling; 0 none
};

constexpr Bound kCloseReach{8, 20};  // R / 20 + 8
constexpr Bound kBeyondClose{9, 20};

// The ball moves across the goal.
constexpr auto kAcrossRows = std::to_array<SaveRow>({
    {At(16), {16, 40}, kNone, kAny, 4, 38, true, ACT_KEEPER_HIGH_SAVE, 0},
    {At(16), {16, 20}, kNone, At(149), 11, 46, false, ACT_KEEPER_PUNCH, 0},
    {At(9), At(12), kNone, kCloseReach, 3, 24, false, ACT_KEEPER_SAVE_MID_CLOSE, 0},
    {kNone, At(8), kNone, kCloseReach, 5, 44, false, ACT_KEEPER_COLLECT_LOW, 0},
});

// The ball moves along the pitch, or stands.
constexpr auto kAlongRows = std::to_array<SaveRow>({
    {At(17), kAny, kNone, At(19), 6, 50, false, ACT_KEEPER_PALM_OVER, 0},
    {At(13), At(16), kNone, kCloseReach, 4, 38, false, ACT_KEEPER_HIGH_SAVE, 0},
    {At(13), At(16), At(15), At(39), 6, 52, false, ACT_KEEPER_DIVE_HIGH_SHORT,
     ACT_KEEPER_FAST_DIVE_HIGH_SHORT},
    {At(13), At(16), At(15), At(69), 6, 52, false, ACT_KEEPER_DIVE_HIGH_LONG,
     ACT_KEEPER_FAST_DIVE_HIGH_LONG},
    {At(9), At(12), kNone, kCloseReach, 3, 24, false, ACT_KEEPER_SAVE_MID_CLOSE, 0},
    {At(9), At(12), At(15), At(39), 6, 50, false, ACT_KEEPER_DIVE_MID_SHORT,
     ACT_KEEPER_FAST_DIVE_MID_SHORT},
    {At(9), At(12), At(15), At(69), 6, 50, false, ACT_KEEPER_DIVE_MID_LONG,
     ACT_KEEPER_FAST_DIVE_MID_LONG},
    {kNone, At(8), kNone, kCloseReach, 5, 44, false, ACT_KEEPER_COLLECT_LOW, 0},
    {kNone, At(8), kBeyondClose, At(39), 5, 40, false, ACT_KEEPER_DIVE_LOW_SHORT,
     ACT_KEEPER_FAST_DIVE_LOW_SHORT},
    {kNone, At(8), kBeyondClose, At(69), 5, 40, false, ACT_KEEPER_DIVE_LOW_LONG,
     ACT_KEEPER_FAST_DIVE_LOW_LONG},
});

bool Within(int32_t value, Bound low, Bound high, int32_t jump)
{
    return value >= low.Value(jump) && value <= high.Value(jump);
}

bool Matches(const SaveRow& row, int32_t jump)
{
    return Within(Match.interceptHeight, row.heightMin, row.heightMax, jump)
           && Within(Match.interceptReach, row.reachMin, row.reachMax, jump)
           && Match.interceptTick > row.afterTick && Match.interceptTick <= row.byTick
           && (!row.nearLine || std::abs(Match.interceptY - CurrentPersonPos.y) < kNearLine);
}

bool MovesAcrossGoal(uint16_t direction)
{
    return (direction > 40 && direction < 88) || (direction > 168 && direction < 216);
}

// A penalty taker's shot: the keeper commits to a side and a moment before it is struck home.
void GuessPenalty(int32_t person)
{
    const int32_t keeper = LineUp[Person_Side(person)][0];
    if (ShotWindow <= 0 || Ball.direction == BALL_STILL || keeper < 0
        || MatchPersons[keeper].action != ACT_KEEPER_IDLE)
        return;
    Match.interceptX = static_cast<int16_t>(Match.interceptX - Rand() % 120);
    Match.interceptX = static_cast<int16_t>(Match.interceptX + Rand() % 120);
    Match.interceptHeight = static_cast<int16_t>(Match.interceptHeight + Rand() % 7);
    Match.interceptTick = kGuessedTick;
}

void Misread(int16_t& value, int32_t judgement)
{
    if (Rand() % 100 <= judgement) return;
    value = static_cast<int16_t>(value + Rand() % 12);
    value = static_cast<int16_t>(value - Rand() % 12);
}

int32_t PickSave(const MatchPerson& keeper)
{
    const int32_t jump = Person_Skill(keeper, kJumpSkill);
    const bool across = MovesAcrossGoal(Ball.direction);
    for (const SaveRow& row :
         across ? std::span<const SaveRow>(kAcrossRows) : std::span<const SaveRow>(kAlongRows)) {
        if (!Matches(row, jump)) continue;
        const bool beaten = row.fastSave != 0 && Ball.speed > kFastBall
                            && Person_Skill(keeper, kHandlingSkill) < Rand() % 100;
        return beaten ? row.fastSave : row.save;
    }
    return ACT_KEEPER_IDLE;
}

}  // namespace

int32_t Keeper_ChooseSave(int32_t pointX16, int32_t pointY16, int32_t person)
{
    const int32_t horizon = Person_Skill(MatchPersons[person], kAnticipationSkill) / 2;
    Ball_PredictMeeting(horizon, pointX16, pointY16, person, MEETING_KEEPER);
    Match.interceptTick = Match.meetingTick;
    Match.interceptHeight = Match.meetingHeight;
    Match.interceptReach = Match.meetingDistance;
    Match.interceptX = MeetingPoint[0];
    Match.interceptY = MeetingPoint[1];
    return Keeper_JudgeLookAhead(person);
}

int32_t Keeper_JudgeLookAhead(int32_t person)
{
    if (Match.interceptReach == MEETING_NONE) return ACT_KEEPER_IDLE;
    MatchPerson& keeper = MatchPersons[person];
    GuessPenalty(person);
    const int32_t judgement = Person_Skill(keeper, kJudgementSkill);
    Misread(Match.interceptHeight, judgement);
    Misread(Match.interceptReach, judgement);
    Misread(Match.interceptTick, judgement);
    Misread(Match.interceptX, judgement);
    KeeperDiveDirection = static_cast<int16_t>(Person_DirectionTo(
        CurrentPersonPos.x, CurrentPersonPos.y, Match.interceptX, Match.interceptY));
    const int32_t save = PickSave(keeper);
    if (save == ACT_KEEPER_IDLE) return save;
    keeper.receivePoint[0] = SavePoint[0] = Match.interceptX;
    keeper.receivePoint[1] = SavePoint[1] = Match.interceptY;
    return save;
}

namespace {

constexpr int32_t kReachOfDecision = 800;  // 50 yards: farther off he only keeps his spot
constexpr int32_t kClaimReach = 560;
constexpr int32_t kNearClaim = 192;
constexpr int32_t kAtTheBall = 16;
constexpr int32_t kOpponentAtTheBall = 32;
constexpr int32_t kLowBall = 8;
constexpr int32_t kBlockHeight = 12;
constexpr int32_t kSlowSpeed = 4;
constexpr int32_t kLongRunOut = 480;
constexpr int32_t kShortRunOut = 240;
constexpr int32_t kBehindLine = 32;
constexpr int32_t kSpotTolerance = 5;
constexpr int32_t kSmotherArea = 20;  // the smother is kept 20 inside the box's depth
constexpr int32_t kRunAtBallSpeed = 140;
constexpr int32_t kSmotherSpeed = 80;
constexpr int32_t kRunAnimation = 12;
constexpr int32_t kSideShift = 2 * 85;  // per 100 direction steps off the straight line
constexpr int32_t kTopWaitY = PITCH_NEAR_GOAL_LINE_Y + 14;
constexpr int32_t kBottomWaitY = PITCH_FAR_GOAL_LINE_Y - 14;
constexpr int32_t kShootOutWaitY = PITCH_BOX_NEAR_Y + 100;

}  // namespace

// The keeper of the goal at y 122 is the side that attacks toward y 2042.
bool Keeper_GuardsTop(int32_t side) { return side == Match.secondOfPair; }

void Action_KeeperStill(int32_t) {}

int32_t Keeper_MeasureBall(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const int32_t a = Person_DirectionToBallFrom(person, CurrentPersonPos.x, CurrentPersonPos.y);
    p.dirToBall = static_cast<uint16_t>(a);
    p.ballDistance = static_cast<int16_t>(
        Person_DistanceAlong(a, CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y));
    return a;
}

KeeperSpot Keeper_Spot(int32_t person, int32_t a)
{
    MatchPerson& p = MatchPersons[person];
    const bool top = Keeper_GuardsTop(Person_Side(person));
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const bool following = MatchPhase < PHASE_THROW_IN_TAKEN;
    if (top && following && ball.y > PITCH_NEAR_GOAL_LINE_Y)
        return {PITCH_CENTRE_X + (128 - a) * kSideShift / 100,
                PITCH_NEAR_GOAL_LINE_Y + (ball.y - PITCH_NEAR_GOAL_LINE_Y) / 8};
    if (!top && following && ball.y < PITCH_FAR_GOAL_LINE_Y)
        return {a < 128 ? PITCH_CENTRE_X + a * kSideShift / 100
                        : PITCH_CENTRE_X - (256 - a) * kSideShift / 100,
                PITCH_FAR_GOAL_LINE_Y - (PITCH_FAR_GOAL_LINE_Y - ball.y) / 8};
    const int32_t waitY = top                                      ? kTopWaitY
                          : Match.period == MATCH_PERIOD_SHOOT_OUT ? kShootOutWaitY
                                                                   : kBottomWaitY;
    p.targetX = PITCH_CENTRE_X;
    p.targetY = static_cast<int16_t>(waitY);
    return {PITCH_CENTRE_X, waitY};
}

namespace {

// 0 when the point lies to his right as he faces the far goal, else 1.
int16_t SaveSide(bool top, int32_t pointX)
{
    return (top ? pointX < CurrentPersonPos.x : pointX > CurrentPersonPos.x) ? 0 : 1;
}

bool InsideOwnBox(bool top)
{
    const int32_t x = CurrentPersonPos.x;
    const int32_t y = CurrentPersonPos.y;
    return (top ? y <= PITCH_BOX_NEAR_Y : y >= PITCH_BOX_FAR_Y) && x >= PITCH_BOX_LEFT_X
           && x <= PITCH_BOX_RIGHT_X;
}

// The save check: skipped for a ball whose far look-ahead is well beyond him, a slow low ball,
// or a keeper outside his box. True when he started a save.
bool TrySave(int32_t person, bool top, KeeperSpot spot)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t farY = Ball.lookAhead[2][1];
    const bool beyond = top ? farY > CurrentPersonPos.y + 100 : farY < CurrentPersonPos.y - 100;
    const bool slowLow = Ball.speed < kSlowSpeed && Ball.height <= kLowBall;
    if (beyond || slowLow || !InsideOwnBox(top)) return false;
    if (Keeper_ChooseSave(spot.x * 65536, spot.y * 65536, person) == ACT_KEEPER_IDLE) return false;
    Person_SetAction(person, Keeper_ChooseSave(CurrentPersonPos.x16, CurrentPersonPos.y16, person));
    p.passKind = SaveSide(top, Match.interceptX);
    p.facing = p.dirToBall;
    return true;
}

void RunAtBall(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.runSpeed = static_cast<int16_t>(std::max<int32_t>(p.runSpeed, 64));
    p.facing = p.dirToBall;
    Person_RunStepBoosted(person, kRunAtBallSpeed, 1);
    Person_LoopAnim(person, kRunAnimation, 1, 0);
}

// At the ball: a fast low ball is blocked, a contested or bouncing one run at, a loose one in
// his box smothered, one outside it cleared.
void AtTheBall(int32_t person, bool top)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const int32_t otherSide = 1 - CurrentSide;
    const int32_t nearX = Ball.lookAhead[0][0];
    const uint8_t rival = ActivePlayer[otherSide];
    const bool contested =
        rival != MATCH_NONE && MatchPersons[rival].ballDistance <= kOpponentAtTheBall;
    if (Ball.height > kLowBall || Ball.speed >= kSlowSpeed || contested) {
        if (Ball.speed < kSlowSpeed || Ball.height > kBlockHeight) {
            RunAtBall(person);
            return;
        }
        const int16_t height = static_cast<int16_t>(Ball.height);
        Person_SetAction(person, nearX > CurrentPersonPos.x ? ACT_KEEPER_QUICK_BLOCK_154
                                                            : ACT_KEEPER_QUICK_BLOCK_155);
        p.passKind = height;
        return;
    }
    const bool inBox =
        (top ? ball.y < PITCH_BOX_NEAR_Y - kSmotherArea : ball.y > PITCH_BOX_FAR_Y + kSmotherArea)
        && ball.x > PITCH_BOX_LEFT_X && ball.x < PITCH_BOX_RIGHT_X;
    if (!inBox) {
        Person_SetAction(person, ACT_KEEPER_CLEAR_OUTSIDE_BOX);
        return;
    }
    KeeperDiveDirection = static_cast<int16_t>(p.dirToBall);
    ++p.stats.claims;
    Person_SetAction(person, ACT_KEEPER_SMOTHER);
    const int32_t nearest = ProximityList[otherSide][0];
    const bool challenged = nearest >= 0 && MatchPersons[nearest].ballDistance < kOpponentAtTheBall;
    Comm_Say(challenged ? 123 : 124, CurrentSide, person, -1, 0);
    p.passKind = SaveSide(top, nearX);
    p.runSpeed = kSmotherSpeed;
}

// Off his line for a ball behind his defence: far for one along the pitch, nearer otherwise.
void RunOutOrStep(int32_t person, bool top, KeeperSpot spot)
{
    const MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const MatchPerson& first = MatchPersons[ProximityList[CurrentSide][0]];
    const int32_t line = LastDefenderLine[CurrentSide];
    const bool behind = top ? ball.y < first.y && ball.y - line < kBehindLine
                            : ball.y > first.y && line - ball.y < kBehindLine;
    const int32_t a = p.dirToBall;
    const bool straight = a < 32 || a > 224 || (a > 96 && a < 160);
    const int32_t reach = straight ? kLongRunOut : kShortRunOut;
    if (behind && Ball.height < kLowBall && p.ballDistance < reach) {
        RunAtBall(person);
        return;
    }
    Keeper_StepToSpot(person, spot.x, spot.y);
}

void GoForBall(int32_t person, bool top, KeeperSpot spot)
{
    if (MatchPersons[person].ballDistance > kAtTheBall) {
        RunOutOrStep(person, top, spot);
        return;
    }
    AtTheBall(person, top);
}

// A better keeper reckons the ball nearer: about d x ((100 + j) / 200) squared.
int32_t JudgedDistance(int32_t d, int32_t judgement)
{
    const int16_t w = static_cast<int16_t>(d * judgement / 200 + d / 2);
    return w * judgement / 200 + w / 2;
}

void Decide(int32_t person, bool top, KeeperSpot spot)
{
    if (TrySave(person, top, spot)) return;
    const MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const int32_t judgement = Person_Skill(p, kJudgementSkill);
    const int32_t judged = JudgedDistance(p.ballDistance, judgement);
    const int32_t claim = judged * 70 / (judgement + 300);
    const bool claims =
        claim < MatchPersons[ProximityList[CurrentSide][0]].sortKey && p.ballDistance < kClaimReach;
    const bool deepBall = top ? ball.y < PITCH_BOX_NEAR_Y : ball.y > PITCH_BOX_FAR_Y;
    if (claims || (judged < kNearClaim && deepBall)) {
        GoForBall(person, top, spot);
        return;
    }
    Keeper_StepToSpot(person, spot.x, spot.y);
}

void KeepSpot(int32_t person, KeeperSpot spot)
{
    MatchPerson& p = MatchPersons[person];
    p.dirToBall = static_cast<uint16_t>(
        Person_DirectionToBallFrom(person, CurrentPersonPos.x, CurrentPersonPos.y));
    const int32_t off =
        std::abs(CurrentPersonPos.x - spot.x) + std::abs(CurrentPersonPos.y - spot.y);
    if (off > kSpotTolerance && spot.y > PITCH_NEAR_GOAL_LINE_Y && spot.y < PITCH_FAR_GOAL_LINE_Y) {
        p.facing = static_cast<uint16_t>(
            Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, spot.x, spot.y));
        Person_RunToward(person, spot.x, spot.y);
        return;
    }
    if (MatchPhase == PHASE_OPEN_PLAY) return;
    CurrentPersonPos = {static_cast<int16_t>(spot.x), static_cast<int16_t>(spot.y), spot.x * 65536,
                        spot.y * 65536};
    Person_TurnTowardTwiceIfSlow(person, p.dirToBall);
    Person_TurnToward(person, p.dirToBall);
}

}  // namespace

void Keeper_Idle(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t side = CurrentSide;
    const int32_t keeper = LineUp[side][0];
    if (person != keeper) {
        Person_SetAction(person, ACT_STAND);
        if (keeper >= 0 && MatchPersons[keeper].action < ACT_KEEPER_TAKE_BALL)
            Person_SetAction(keeper, ACT_KEEPER_IDLE);
    }
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const int32_t a = Keeper_MeasureBall(person);
    Person_TurnTowardTwiceIfSlow(person, a);
    p.keptGoal = 1;
    const bool top = Keeper_GuardsTop(side);
    const KeeperSpot spot = Keeper_Spot(person, a);
    const bool inReach = MatchPhase <= PHASE_OFFSIDE && ball.y > PITCH_NEAR_GOAL_LINE_Y
                         && ball.y < PITCH_FAR_GOAL_LINE_Y && DeadBallFlag == 0
                         && p.ballDistance < kReachOfDecision;
    if (inReach) {
        Decide(person, top, spot);
        return;
    }
    if (p.action == ACT_KEEPER_IDLE) KeepSpot(person, spot);
}
