// gamecode/ballcontacts.cpp: the ball meeting the players, touches and possession.
#include "gamecode/ballcontacts.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "gamecode/actionids.h"
#include "gamecode/activeplayer.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/incidents.h"
#include "gamecode/motion.h"
#include "gamecode/offside.h"
#include "gamecode/phases.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"

namespace {

constexpr int64_t kReach16 = 9 * 65536 + 32768;  // 9.5 units either way
constexpr int32_t kMaxHeight = 16;
constexpr int32_t kTouchHeight = 12;
constexpr int32_t kStopHeight = 8;
constexpr int32_t kClearHeight = 6;
constexpr int32_t kSoftSpeed = 10;
constexpr int32_t kHardSpeed = 12;
constexpr int32_t kReboundTicks = 4;
constexpr int32_t kCushionVelocity = 196608;  // 1.2 x 163,840, truncated
constexpr int32_t kCushionAhead = 3;
constexpr int32_t kFeetAhead = 4;
constexpr int32_t kTurnStepReach = 10;
constexpr int32_t kTurnStepAngle = 40;
constexpr int32_t kGroupClears = 0;
constexpr int32_t kGroupStruckInFace = 201;
constexpr int32_t kGroupCannoned = 202;
constexpr int32_t kGroupChargedDown = 203;
constexpr int32_t kGroupDeflected = 204;
constexpr int32_t kGroupFlicks = 205;

// clang-format off
constexpr int8_t kSectors[11][11] = {
    {7, 7, 7, 0, 0, 0, 0, 0, 1, 1, 1},
    {7, 7, 7, 0, 0, 0, 0, 0, 1, 1, 1},
    {7, 7, 7, 0, 0, 0, 0, 0, 1, 1, 1},
    {6, 6, 6, 7, 0, 0, 0, 1, 2, 2, 2},
    {6, 6, 6, 6, 7, 0, 1, 2, 2, 2, 2},
    {6, 6, 6, 6, 6, 0, 2, 2, 2, 2, 2},
    {6, 6, 6, 6, 5, 4, 3, 2, 2, 2, 2},
    {6, 6, 6, 5, 4, 4, 4, 3, 2, 2, 2},
    {5, 5, 5, 4, 4, 4, 4, 4, 3, 3, 3},
    {5, 5, 5, 4, 4, 4, 4, 4, 3, 3, 3},
    {5, 5, 5, 4, 4, 4, 4, 4, 3, 3, 3},
};
// clang-format on
constexpr int32_t kCentreCell = 5;  // the row and the column of a ball level with him
constexpr auto kReboundX = std::to_array<int32_t>({20, 70, 90, 70, -20, -70, -90, -70});
constexpr auto kReboundY = std::to_array<int32_t>({-90, -70, -20, 70, 90, 70, 20, -70});

constexpr auto kIgnoresBall =
    std::to_array<int16_t>({46, 47, 48, 50, 51, 80, 82, 83, 84, 86, 87, 88});
constexpr auto kNoPossession =
    std::to_array<int16_t>({33, 50, 51, 56, 57, 72, 73, 89, 90, 105, 116});
constexpr auto kRunsWithBall =
    std::to_array<int16_t>({15, 16, 18, 29, 34, 37, 52, 66, 75, 77, 78, 81, 109, 110});

template <typename Table>
bool InTable(const Table& table, int32_t action)
{
    return std::find(table.begin(), table.end(), action) != table.end();
}

void CountDown(int16_t& timer)
{
    if (timer > 0) --timer;
}

// The stadium wall turns back a ball in flight; a ball put down in front of a player standing
// beyond it is put against its inside instead, or it would rest out of everyone's play. The point
// is exact (16.16), so that the ball keeps the fractions of the player it is put before.
void PutBallAt(int32_t x16, int32_t y16)
{
    x16 = std::clamp(x16, PITCH_WALL_LEFT_X * 65536, PITCH_WALL_RIGHT_X * 65536);
    y16 = std::clamp(y16, PITCH_WALL_NEAR_Y * 65536, PITCH_WALL_FAR_Y * 65536);
    MatchPerson& ball = MatchPersons[MATCH_BALL];
    ball.x16 = x16;
    ball.y16 = y16;
    ball.x = Fixed_ToUnits(x16);
    ball.y = Fixed_ToUnits(y16);
    Ball.x16 = x16;
    Ball.y16 = y16;
    Ball.wholeX = ball.x;
    Ball.wholeY = ball.y;
}

// From his exact position: from the truncated whole units the ball would lie up to a unit
// nearer the pitch's origin than in front of him, and nearer one goal than the other.
void PutBallInFront(const MatchPerson& p, int32_t length)
{
    Person_VectorFromAngle(p.facing, length, 256);
    PutBallAt(p.x16 + StepX * 65536, p.y16 - StepY * 65536);
}

// The touch cool-downs; true while the first one keeps him away from the ball.
bool CoolingDown(MatchPerson& p)
{
    if (p.touchCooldown1 > 0) {
        --p.touchCooldown1;
        return true;
    }
    p.touchCooldown1 = 0;
    p.touchCooldown2 = static_cast<int16_t>(std::max(p.touchCooldown2 - 1, 0));
    return false;
}

// Measured between the fixed-point positions, so that he reaches as far on either side: the
// truncated whole units would give a man standing on a whole unit a reach half a unit longer
// toward larger x and y, and the defenders of one goal more balls than those of the other.
bool WithinReach(int32_t person16, int32_t ball16)
{
    return std::llabs(static_cast<int64_t>(person16) - ball16) <= kReach16;
}

// The table's row or column for the ball this far from him: the halving truncates toward zero,
// so that the ball on either side of him takes the cell as far from the table's centre.
int32_t SectorCell(int32_t ball16, int32_t person16)
{
    return kCentreCell
           + static_cast<int32_t>((static_cast<int64_t>(ball16) - person16) / (2 * 65536));
}

// The factor's sign says which way the ball leaves him: out past the part of him it met,
// whichever way it was running, so that it bounces alike at either end. A ball that meets him
// full on, where no part of him is nearer, comes straight back.
int32_t Bounced(int32_t factor, int32_t velocity, bool fullOn)
{
    const int64_t v = velocity;
    const int64_t away = fullOn ? -std::abs(factor) * v : factor * std::abs(v);
    return static_cast<int32_t>(away / 150);
}

void Cushion(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    Ball.lastToucher = static_cast<int16_t>(person);
    Ball_GiveToPerson(-1);  // the ball drops off his chest in front of him, not yet controlled
    Person_VectorFromAngle(p.facing, kCushionAhead, 256);
    // Aimed in sixteenths of a unit from where the ball is, not from its truncated whole units:
    // those lie toward smaller x and y and would drop it toward one goal. A ball already on the
    // spot drops the way he faces.
    const int32_t toX = (p.x16 + StepX * 65536 - Ball.x16) / 4096;
    const int32_t toY = (p.y16 - StepY * 65536 - Ball.y16) / 4096;
    const int32_t dir = toX == 0 && toY == 0 ? p.facing : Person_DirectionTo(0, 0, toX, toY);
    Person_VectorFromAngle(dir, kCushionVelocity, 256);
    Ball.velX = StepX;
    Ball.velY = -StepY;
}

void SayDeflection(int32_t person, bool saidHit)
{
    const int32_t side = Person_Side(person);
    if (saidHit || person == LastDeflector) return;
    LastDeflector = static_cast<int16_t>(person);
    const bool defending = Ball.possession != side;
    const int32_t group = Ball.afterKick > 0 && defending ? kGroupChargedDown
                          : defending                     ? kGroupDeflected
                                                          : kGroupFlicks;
    Comm_Say(group, side, person, -1, 0);
}

void Rebound(int32_t person, int32_t row, int32_t column)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t sector = kSectors[row][column];
    const bool fullOn = row == kCentreCell && column == kCentreCell;
    Ball_GiveToPerson(-1);  // a ball that bounces off him is nobody's
    Ball.velX = Bounced(kReboundX[sector], Ball.velX, fullOn);
    Ball.velY = Bounced(kReboundY[sector], Ball.velY, fullOn);
    ReboundCooldown = kReboundTicks;
    Ball.lastToucher = static_cast<int16_t>(person);
    bool saidHit = false;
    if (Ball.speed >= kHardSpeed && Ball.height >= kTouchHeight && p.action <= ACT_CARRY_RUN) {
        const bool inFace = Person_HitReaction(p.facing, Ball.direction) == ACT_SLIDE_TO_STOP;
        Person_SetAction(person, inFace ? ACT_KNOCKED_DOWN : ACT_SLIDE_TO_STOP);
        Comm_Say(inFace ? kGroupStruckInFace : kGroupCannoned, Person_Side(person), person, -1, 0);
        saidHit = true;
    }
    SayDeflection(person, saidHit);
}

void BallEffect(int32_t person, int32_t row, int32_t column)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t speed = Ball.speed;
    const int32_t height = Ball.height;
    const bool receiver = person == PassReceiver;
    if (speed < kHardSpeed && speed != 0 && height <= kTouchHeight
        && (p.action == ACT_CONTROL_HIGH_BALL || p.action == ACT_HEADER_TO_MATE)) {
        Ball.velX = 0;
        Ball.velY = 0;
        Ball.velZ = -32768;
    } else if ((speed <= kSoftSpeed && height <= kTouchHeight) || receiver) {
        if (ReboundCooldown == 0 && speed < kSoftSpeed && height >= 8 && height <= 15) {
            Cushion(person);
        } else if (height <= kClearHeight && (speed <= kSoftSpeed || receiver)) {
            // The receiver of a pass traps even a fast ball when it is low enough.
            Ball.velX = 0;
            Ball.velY = 0;
            Ball_PlaceAtFeet(person);
            Ball.afterKick = 0;
        }
    } else {
        Rebound(person, row, column);
    }
}

bool HeldByAnother(int32_t person)
{
    return (Ball.holder != 0 && Ball.holder != person + 1)
           || (Ball.secondHolder != 0 && Ball.secondHolder != person + 1);
}

void Clear(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t skill = Person_Skill(p, 21);
    const int32_t direction = Match_SkillRoll(skill, 100) < skill
                                  ? Person_DirectionTo(p.x, p.y, PITCH_CENTRE_X, PITCH_CENTRE_Y)
                                  : p.facing;
    Person_LongKickAlong(person, direction);
    Comm_Say(kGroupClears, Person_Side(person), person, -1, 0);
}

// A touch: his carrier decision, or the ball stopped for him to run with when nobody challenges.
void Touch(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (person != Ball.lastToucher && p.action <= ACT_GO_TO_MEETING_SPOT) {
        Person_SetAction(person, ACT_ACTIVE);
        if (Team_NoOpponentNear(person) != 0 && Ball.height <= kStopHeight) {
            Ball.velX = 0;
            Ball.velY = 0;
            Ball.velZ = 0;
            Person_SetAction(person, ACT_RUN_WITH_BALL);
        }
    }
    p.touchedThisTick = 1;
}

void TakePossession(int32_t person)
{
    const int32_t side = Person_Side(person);
    const MatchPerson& p = MatchPersons[person];
    if (p.action <= ACT_GO_TO_MEETING_SPOT && Ball.height < kClearHeight
        && Person_InOwnBoxUnderChallenge(person) != 0)
        Clear(person);
    if (InTable(kRunsWithBall, p.action) && Ball.holder == 0 && Ball.secondHolder == 0)
        PutBallInFront(p, kFeetAhead);
    ActingSide = static_cast<uint8_t>(side);
    Match_CallOffside(person);
    Match_MarkOffsidePositions(person);
    Ball.possession = static_cast<uint8_t>(side);
    LastPossessor[side] = static_cast<int8_t>(person);
}

// The player who touched the ball last, no longer his side's active player and only standing or
// walking to his place: he would touch it first every tick, being low in the order, and keep it
// from the active player for good.
bool LeftOnTheBall(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t active = ActivePlayer[Person_Side(person)];
    return p.hasBall != 0 && person == Ball.lastToucher && p.action <= ACT_WALK_TO_TARGET
           && active != MATCH_NONE && active != person;
}

// At a free kick or a penalty the ball on its spot is the taker's alone: a player standing on it
// (the fouled player often is) who comes earlier in the running order would touch it first every
// tick and keep it from him until he walked away.
bool KeptForTheTaker(int32_t person)
{
    return Phase_IsPlacedKick(MatchPhase) && person != ActivePlayer[KickingSide];
}

void Possession(int32_t person)
{
    if (InTable(kNoPossession, MatchPersons[person].action) || HeldByAnother(person)
        || KeptForTheTaker(person))
        return;
    if (LeftOnTheBall(person)) {
        Ball_GiveToPerson(-1);
        return;
    }
    bool touched = false;
    if (Ball.height <= kTouchHeight) {
        const int32_t last = Ball.lastToucher;
        if (last >= 0 && last < MATCH_PLAYER_COUNT && MatchPersons[last].touchedThisTick != 0)
            return;
        Touch(person);
        touched = true;
    }
    const bool openPlay = MatchPhase == PHASE_OPEN_PLAY;
    if (openPlay) Match_OnBallTouch(person);
    // A low ball he stopped, trapped or found still is under his control; one that rebounded
    // off him is not. A ball gone out or into the net is nobody's until its restart is set up:
    // a player given it then would walk back to his place and leave it where it lies.
    if (touched && Ball.height <= kStopHeight && Ball.velX == 0 && Ball.velY == 0
        && DeadBallFlag == 0)
        Ball_GiveToPerson(person);
    if (openPlay) TakePossession(person);
}

void Contact(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.touchedThisTick = 0;
    if (CoolingDown(p) || p.offPitch != 0) return;
    if (ReboundCooldown > 0 || p.action >= ACT_KEEPER_TAKE_BALL || Ball.height > kMaxHeight) return;
    if (!WithinReach(p.x16, Ball.x16) || !WithinReach(p.y16, Ball.y16)) return;
    if (InTable(kIgnoresBall, p.action)) return;
    if (Ball.direction != BALL_STILL && person != Match.excludedPerson)
        BallEffect(person, SectorCell(Ball.y16, p.y16), SectorCell(Ball.x16, p.x16));
    Possession(person);
}

}  // namespace

void Ball_ResolveContacts()
{
    if (AssistTimer > 0 && --AssistTimer == 0) AssistCandidate = -1;
    CountDown(Ball.afterKick);
    CountDown(ReboundCooldown);
    for (const int32_t side : SidesInMoveOrder()) {
        for (int32_t k = 0; k < MATCH_PERSONS_PER_SIDE; ++k) {
            Contact(side * MATCH_PERSONS_PER_SIDE + k);
        }
    }
}

void Ball_PlaceAtFeet(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    if (p.action != ACT_RUN_WITH_BALL && p.action != ACT_TURN_WITH_BALL_DOWN
        && p.action != ACT_TURN_WITH_BALL_UP) {
        PutBallInFront(p, kFeetAhead);
        return;
    }
    // Striding or turning with it, the ball follows one unit a tick instead of jumping to him.
    Person_VectorFromAngle((p.facing + kTurnStepAngle) & 255, kTurnStepReach, 256);
    Person_StepToward(MATCH_BALL, p.x + StepX, p.y - StepY);
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    PutBallAt(ball.x16, ball.y16);
}

void Team_OnActiveChanged(int32_t side, int32_t person)
{
    for (int32_t k = 0; k < MATCH_PERSONS_PER_SIDE; ++k) {
        const int32_t other = side * MATCH_PERSONS_PER_SIDE + k;
        if (other != person && MatchPersons[other].action == ACT_ACTIVE)
            Person_SetAction(other, ACT_WALK_TO_TARGET);
    }
    if (MatchPersons[person].action <= ACT_WALK_TO_TARGET && MatchPhase == PHASE_OPEN_PLAY)
        Person_SetAction(person, ACT_ACTIVE);
    const int32_t old = ActivePlayer[side];
    if (person == old) return;
    if (old != MATCH_NONE && MatchPersons[old].action >= ACT_CARRY_RUN) return;
    if (old != MATCH_NONE) Person_SetAction(old, ACT_WALK_TO_TARGET);
    ActivePlayer[side] = static_cast<uint8_t>(person);
}

int32_t Person_HitReaction(int32_t facing, int32_t ballDirection)
{
    const int32_t d = (ballDirection - facing) & 255;
    return d >= 64 && d <= 192 ? ACT_SLIDE_TO_STOP : ACT_KNOCKED_DOWN;
}
