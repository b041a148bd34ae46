// gamecode/goalframe.cpp: the wall, the corner flags, the lines, the posts, the crossbar and the
// net.
#include "gamecode/goalframe.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/ball.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/incidents.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchview.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/refill.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kOutMargin = 2;  // more than 2 units over the line is out
constexpr int32_t kOutTop = PITCH_NEAR_GOAL_LINE_Y - kOutMargin;
constexpr int32_t kOutBottom = PITCH_FAR_GOAL_LINE_Y + kOutMargin;
constexpr int32_t kPostBand = 3;
constexpr int32_t kMouthLeft = PITCH_LEFT_POST_X - kPostBand;  // the posts widened by their bands
constexpr int32_t kMouthRight = PITCH_RIGHT_POST_X + kPostBand;
constexpr int32_t kNetInsideLeft = PITCH_LEFT_POST_X + kPostBand;
constexpr int32_t kNetInsideRight = PITCH_RIGHT_POST_X - kPostBand;
constexpr int32_t kNetDepth = 35;
constexpr int32_t kNetTop = PITCH_NEAR_GOAL_LINE_Y - kNetDepth;
constexpr int32_t kNetBottom = PITCH_FAR_GOAL_LINE_Y + kNetDepth;
constexpr int32_t kNetBackDepth = 21;
constexpr int32_t kRoof = 19;
constexpr int32_t kBarLowest = 13;
constexpr int32_t kHighlightTicks = 200;
constexpr int32_t kNetTicks = 200;
constexpr int32_t kBarSpeedCap = 393216;  // 6.0 units in 16.16

constexpr int32_t kSfxFrame = 0;
constexpr int32_t kSfxWall = 2;
constexpr int32_t kSfxShootOutGoal = 14;
constexpr int32_t kSfxNearMiss = 25;

enum OutKind { OUT_NONE, OUT_TOUCHLINE, OUT_TOP_LINE, OUT_BOTTOM_LINE };

// A ball gone out or into the net is nobody's until its restart gives it to the taker: a
// holder's flag kept now would outlive the ball's play into the restart.
void PutBallDead(uint8_t flag)
{
    DeadBallFlag = flag;
    Ball_GiveToPerson(-1);
}

void PlaySfx(int32_t id, int32_t value = 0) { MatchPresentationOps.PlayMatchSfx(id, value); }

// A walk cell y holds the ball from y up to y + 1: the cells wholly over the margin are those
// below kOutTop at the top and those from kOutBottom on at the bottom, so a ball is out as far
// over either goal line.
bool BeyondTopLine(int32_t y) { return y < kOutTop; }
bool BeyondBottomLine(int32_t y) { return y >= kOutBottom; }
bool BeyondGoalLine(int32_t y) { return BeyondTopLine(y) || BeyondBottomLine(y); }
// In play within the two cells on the pitch's side of either goal line, where the posts stand.
bool NearGoalLine(int32_t y)
{
    return y < PITCH_NEAR_GOAL_LINE_Y + kOutMargin || y >= PITCH_FAR_GOAL_LINE_Y - kOutMargin;
}
bool InNetBack(int32_t y)
{
    return y <= PITCH_NEAR_GOAL_LINE_Y - kNetBackDepth
           || y >= PITCH_FAR_GOAL_LINE_Y + kNetBackDepth;
}
// The goal with its net: between the posts' outer bands, under the roof, within the net's depth.
bool WithinGoal(const BallState& b)
{
    return b.walkX >= kMouthLeft && b.walkX <= kMouthRight && b.walkY >= kNetTop
           && b.walkY <= kNetBottom && b.height <= kRoof;
}
// The side that attacks the goal at the top (y 122) or at the bottom (y 2042).
int32_t AttackerOf(bool topGoal) { return topGoal ? Match.secondOfPair ^ 1 : Match.secondOfPair; }

void Say(int32_t group, int32_t side, int32_t player = -1) { Comm_Say(group, side, player, -1, 0); }

void SayFrame(const BallState& b, int32_t group)
{
    Say(group, AttackerOf(b.walkY < PITCH_CENTRE_Y), b.lastToucher);
}

int32_t Halved(int32_t v) { return -(v / 2); }

int32_t BarSpeed(const BallState& b)
{
    return static_cast<int32_t>(
        std::min<int64_t>(std::llabs(b.velX) + std::llabs(b.velY), kBarSpeedCap));
}

void ReverseByChance(int32_t& v)
{
    if (Rand() % 2 == 0) v = -v;
}

void ReverseInFront(const BallState& b, int32_t& v)
{
    if (b.walkY >= PITCH_NEAR_GOAL_LINE_Y && b.walkY <= PITCH_FAR_GOAL_LINE_Y) v = -v;
}

// The ball turns a quarter the same way at both goals: the one goal seen from the other end is
// the other turned round, so a shot glances off either goal's posts alike.
void GlancingPost(BallState& b)
{
    const int32_t vx = b.velX;
    b.velX = b.velY;
    b.velY = -vx;
    SayFrame(b, 194);
}

void PostSide(BallState& b)
{
    b.velX = Halved(b.velX);
    SayFrame(b, 194);
}

void PostCentre(BallState& b)
{
    b.velY = Halved(b.velY);
    SayFrame(b, 194);
}

void BarUnderside(BallState& b)
{
    b.velZ = -BarSpeed(b) / 2;
    b.velY /= 4;
    ReverseByChance(b.velY);
    SayFrame(b, 196);
}

void BarFrontLow(BallState& b)
{
    b.velZ = -BarSpeed(b) / 4;
    b.velY /= 3;
    ReverseInFront(b, b.velY);
    SayFrame(b, 198);
}

void BarFront(BallState& b)
{
    b.velY = Halved(b.velY);
    SayFrame(b, 198);
}

void BarFrontHigh(BallState& b)
{
    b.velZ = BarSpeed(b) / 16;
    b.velY /= 3;
    ReverseInFront(b, b.velY);
    SayFrame(b, 198);
}

void BarTop(BallState& b)
{
    b.velZ = BarSpeed(b) / 8;
    b.velY /= 4;
    ReverseByChance(b.velY);
    SayFrame(b, 200);
}

using FrameHandler = void (*)(BallState& b);
// By how deep the cell lies in the post's band, and by the whole height 13-19 on the bar.
constexpr auto kPostHandlers = std::to_array<FrameHandler>(
    {GlancingPost, GlancingPost, PostSide, PostCentre, PostSide, GlancingPost, GlancingPost});
constexpr auto kBarHandlers = std::to_array<FrameHandler>(
    {BarUnderside, BarUnderside, BarFrontLow, BarFront, BarFrontHigh, BarTop, BarTop});

void SideNetting(BallState& b)
{
    b.velX = -(b.velX / 4);
    ++b.stopFlag;
    if (MatchPhase == PHASE_GOAL_KICK_AWARDED) SayFrame(b, 192);
    if (DeadBallFlag != 0 && InNetBack(b.walkY)) {
        ++b.stopFlag;
        Ball_StartEffectCooldown();
        b.velY = -(b.velY / 4);
    }
}

// One hit of the frame per 200 ticks is counted, heard and shown; later ones pass unchanged.
void HitFrame(BallState& b, FrameHandler handler)
{
    if (b.holder != 0 || b.netTimer != 0) return;
    ActivateHighLight(1, kHighlightTicks);
    ++b.stopFlag;
    handler(b);
    PlaySfx(kSfxFrame);
    b.netTimer = kNetTicks;
    Team_AddPressure(5);
}

void HoldInNet(BallState& b)
{
    if (b.height > kRoof) {
        b.height = kRoof;
        Ball_StartEffectCooldown();
    }
    const int16_t x =
        static_cast<int16_t>(std::clamp<int32_t>(b.walkX, kNetInsideLeft, kNetInsideRight));
    const int16_t y = static_cast<int16_t>(std::clamp<int32_t>(b.walkY, kNetTop, kNetBottom));
    if (x != b.walkX || y != b.walkY) {
        b.walkX = x;
        b.walkY = y;
        ++b.stopFlag;
        SideNetting(b);
    }
}

void HoldOutOfNet(BallState& b)
{
    const int32_t x = b.walkX;
    const int32_t y = b.walkY;
    const bool besideNet = x >= kMouthLeft && x <= kMouthRight;
    const bool inNetDepth = (y >= kNetTop && y < PITCH_NEAR_GOAL_LINE_Y)
                            || (y > PITCH_FAR_GOAL_LINE_Y && y <= kNetBottom);
    if (!besideNet || !inNetDepth) return;
    if (b.height >= kBarLowest) {
        if (b.height < kRoof) b.height = kRoof;
        b.velZ = std::max(b.velZ, 0);
    } else if (x < PITCH_CENTRE_X && b.velX > 0) {
        b.walkX = kMouthLeft;
        b.velX = 0;
    } else if (x > PITCH_CENTRE_X && b.velX < 0) {
        b.walkX = kMouthRight;
        b.velX = 0;
    } else if ((y == kNetTop && b.velY > 0) || (y == kNetBottom && b.velY < 0)) {
        b.velY = 0;
    } else {
        return;
    }
    ++b.stopFlag;
    Ball_StartEffectCooldown();
}

void MeasureShot(const BallState& b)
{
    Match.shotDistance = -1;
    Match.shotSpeed = -1;
    if (Match.shotStartTick < 0) return;
    const auto ticks = static_cast<uint16_t>(Match.tickCount - Match.shotStartTick);
    if (ticks == 0) return;
    const int32_t yards =
        (std::abs(b.walkX - Match.shotStart[0]) + std::abs(b.walkY - Match.shotStart[1])) / 16;
    Match.shotDistance = static_cast<int16_t>(yards);
    Match.shotSpeed = static_cast<int16_t>(yards * 1000 / ticks / 9);
}

// The commentary's left post is at x 862 at the bottom goal and at x 730 at the top one.
int32_t PostPlace(int32_t x, bool topGoal)
{
    const int32_t leftPost = topGoal ? PITCH_LEFT_POST_X : PITCH_RIGHT_POST_X;
    const int32_t rightPost = topGoal ? PITCH_RIGHT_POST_X : PITCH_LEFT_POST_X;
    if (std::abs(x - leftPost) <= 16) return 0;
    if (std::abs(x - rightPost) <= 16) return 1;
    return 2;
}

void ScoreGoal(BallState& b)
{
    const bool topGoal = b.walkY < PITCH_CENTRE_Y;
    const int32_t scoring = AttackerOf(topGoal);
    MeasureShot(b);
    const int32_t heightRow = b.height < 5 ? 0 : b.height > 11 ? 1 : 2;
    const int32_t first = b.speed > 10 ? 174 : 183;
    Say(first + heightRow * 3 + PostPlace(b.walkX, topGoal), scoring, b.lastToucher);
    ActivateHighLight(0, kHighlightTicks);
    MatchPhase = PHASE_GOAL;
    Team_AddPressure(6);
    PhaseTimer = 0;
    PutBallDead(1);
    KickBook_GoalShot(scoring, b.lastToucher);
    if (Match.period == MATCH_PERIOD_SHOOT_OUT) {
        PlaySfx(kSfxShootOutGoal);
        Match.shootoutPause = 100;
        ++Match.shootOutGoals[Match.secondOfPair ^ 1];
    }
}

// Behind the line: the back of the net, the roof, and the crossbar.
void BehindTheLine(BallState& b)
{
    if (b.height <= 12) {
        if (InNetBack(b.walkY)) {
            ++b.stopFlag;
            Ball_StartEffectCooldown();
            b.velY = -b.velY / 32;
        }
        return;
    }
    if (DeadBallFlag == 1 && b.velZ > 0) b.velZ = 0;
    if (DeadBallFlag == 0 && b.velZ < 0) b.velZ = -b.velZ / 2;
    // Only a ball in play can hit the bar: one that is already in the net or out stays there.
    if (DeadBallFlag == 0 && b.height >= kBarLowest && b.height <= kRoof)
        HitFrame(b, kBarHandlers[b.height - kBarLowest]);
}

void BounceOffWall(BallState& b)
{
    // Speed too small to keep is cut after the step is taken, so a ball at rest against the wall
    // can slip one cell past it with no speed left to turn back: it stays at the wall.
    const int16_t insideX =
        static_cast<int16_t>(std::clamp<int32_t>(b.walkX, PITCH_WALL_LEFT_X, PITCH_WALL_RIGHT_X));
    const int16_t insideY =
        static_cast<int16_t>(std::clamp<int32_t>(b.walkY, PITCH_WALL_NEAR_Y, PITCH_WALL_FAR_Y));
    if (insideX != b.walkX || insideY != b.walkY) {
        b.walkX = insideX;
        b.walkY = insideY;
        ++b.stopFlag;
        return;
    }
    const bool up = b.velY < 0 && b.holder == 0;
    const bool down = b.velY > 0 || b.holder != 0;
    if ((up && b.walkY == PITCH_WALL_NEAR_Y) || (down && b.walkY == PITCH_WALL_FAR_Y)) {
        b.velY = -b.velY / 6;
        b.velZ += b.velY;
        PlaySfx(kSfxWall);
        ++b.stopFlag;
    }
    const bool left = b.velX < 0 && b.holder == 0;
    const bool right = b.velX > 0 || b.holder != 0;
    if ((left && b.walkX == PITCH_WALL_LEFT_X) || (right && b.walkX == PITCH_WALL_RIGHT_X)) {
        b.velX = -b.velX / 6;
        b.velZ += b.velX;
        PlaySfx(kSfxWall);
        ++b.stopFlag;
    }
}

void Ball_BounceOffCornerFlag(BallState& b)
{
    const int32_t line =
        b.velY < 0 && b.holder == 0 ? PITCH_NEAR_GOAL_LINE_Y : PITCH_FAR_GOAL_LINE_Y;
    const bool nearLine = std::abs(b.walkY - line) <= 2;
    const bool nearFlag = std::abs(b.walkX - PITCH_LEFT_TOUCHLINE_X) <= 2
                          || std::abs(b.walkX - PITCH_RIGHT_TOUCHLINE_X) <= 2;
    if (!nearLine || !nearFlag || b.height > 11) return;
    b.velX = -b.velX / 6;
    b.velY = -b.velY / 6;
    PlaySfx(kSfxWall);
    ++b.stopFlag;
}

OutKind LineTest(const BallState& b)
{
    if (MatchPhase != PHASE_OPEN_PLAY) return OUT_NONE;
    OutKind kind = OUT_NONE;
    if (b.walkX < PITCH_LEFT_TOUCHLINE_X || b.walkX > PITCH_RIGHT_TOUCHLINE_X) kind = OUT_TOUCHLINE;
    // A later test wins: a ball out over the corner area counts as over the goal line.
    if (BeyondTopLine(b.walkY)) kind = OUT_TOP_LINE;
    if (BeyondBottomLine(b.walkY)) kind = OUT_BOTTOM_LINE;
    return kind;
}

int32_t SideOf(int32_t person) { return IsPlayer(person) ? Person_Side(person) : -1; }

void AwardThrowIn(BallState& b)
{
    Match.throwInSpot[0] = static_cast<int16_t>(b.walkX < PITCH_CENTRE_X ? PITCH_LEFT_TOUCHLINE_X
                                                                         : PITCH_RIGHT_TOUCHLINE_X);
    Match.throwInSpot[1] = static_cast<int16_t>(std::clamp<int32_t>(b.walkY, 123, 2041));
    MatchPhase = PHASE_THROW_IN_AWARDED;
    PutBallDead(2);
    if (MatchPersons[MATCH_BALL].x < PITCH_CENTRE_X) {
        Person_SetAction(MATCH_LINESMAN_1, OFFICIAL_FLAG_OUT_LEFT);
    } else {
        Person_SetAction(MATCH_LINESMAN_2, OFFICIAL_FLAG_OUT_RIGHT);
    }
    Match.putOutBy[0] = static_cast<int8_t>(b.lastToucher);
    const int32_t putOutSide = SideOf(b.lastToucher);
    b.possession = static_cast<uint8_t>(putOutSide >= 0 ? putOutSide ^ 1 : b.possession ^ 1);
    PhaseTimer = 0;
    Say(b.speed > 8 ? 158 : 159, b.possession);
}

void AwardCorner(BallState& b, bool topGoal)
{
    b.holder = 0;
    PutBallDead(2);
    Match.cornerSpot[0] = b.walkX;
    Match.cornerSpot[1] = b.walkY;
    MatchPhase = PHASE_CORNER_AWARDED;
    Team_RefillLineup();
    Match.putOutBy[1] = static_cast<int8_t>(b.lastToucher);
    PhaseTimer = 0;
    b.possession = static_cast<uint8_t>(AttackerOf(topGoal));
    Say(173, b.possession);
    Team_AddPressure(2);
}

// A close miss of a measured shot: over the bar by 1-4 or wide by 1-9. Returns false otherwise.
bool SayNearMiss(const BallState& b, bool topGoal, int32_t wide, int32_t over)
{
    const bool fast = b.speed > 10;
    int32_t group = -1;
    if (over >= 1 && over <= 4) {
        group = fast ? 168 : 169;
    } else if (wide >= 1 && wide <= 9) {
        const bool leftOfMouth = b.walkX < PITCH_LEFT_POST_X;
        const bool commentaryLeft = topGoal ? leftOfMouth : !leftOfMouth;
        group = (fast ? 164 : 166) + (commentaryLeft ? 0 : 1);
    }
    if (group < 0) return false;
    Team_AddPressure(1);
    Say(group, AttackerOf(topGoal));
    Match_MissedChanceComment();
    return true;
}

void AwardGoalKick(BallState& b, bool topGoal)
{
    PutBallDead(2);
    Match.goalKickSpot[0] = b.walkX;
    Match.goalKickSpot[1] = b.walkY;
    b.holder = 0;
    Team_RefillLineup();
    MatchPhase = PHASE_GOAL_KICK_AWARDED;
    Match.putOutBy[2] = static_cast<int8_t>(b.lastToucher);
    PhaseTimer = 0;
    b.possession = static_cast<uint8_t>(AttackerOf(topGoal) ^ 1);
    // Each shot is measured once: the shooter word is spent here.
    int32_t wide = 0;
    int32_t over = 0;
    if (Match.shooter != -1) {
        if (b.walkX < PITCH_LEFT_POST_X) wide = PITCH_LEFT_POST_X - b.walkX;
        if (b.walkX > PITCH_RIGHT_POST_X) wide = b.walkX - PITCH_RIGHT_POST_X;
        if (wide == 0 && b.height > 16) over = b.height - 16;
        KickBook_ShotMissed();
    }
    if (SayNearMiss(b, topGoal, wide, over)) return;
    const bool fast = b.speed > 8;
    Say(b.height < 16 ? (fast ? 160 : 161) : (fast ? 162 : 163), b.possession);
}

void OverTheGoalLine(BallState& b, OutKind kind)
{
    if (DeadBallFlag != 0 || MatchPhase != PHASE_OPEN_PLAY || b.holder != 0) return;
    if (b.walkX > 670 && b.walkX < 922 && b.height < 36) {
        PlaySfx(kSfxNearMiss, 200);
        ActivateHighLight(1, kHighlightTicks);
    }
    // A missed shoot-out kick ends the kick; nobody restarts it.
    if (Match.period == MATCH_PERIOD_SHOOT_OUT) {
        MatchPhase = PHASE_SHOOTOUT_NEXT_KICK;
        PhaseTimer = 0;
        return;
    }
    // The frame decides for a ball inside the goal; one that passed behind the net is out like
    // any other, or nothing would ever restart play.
    if (WithinGoal(b)) return;
    const bool topGoal = kind == OUT_TOP_LINE;
    const int32_t defending = AttackerOf(topGoal) ^ 1;
    if (SideOf(b.lastToucher) == defending) {
        AwardCorner(b, topGoal);
    } else {
        AwardGoalKick(b, topGoal);
    }
}

void EndShootOutKick(const BallState& b)
{
    if (Match.period != MATCH_PERIOD_SHOOT_OUT || MatchPhase >= PHASE_PENALTY_KICK
        || MatchPhase == PHASE_PERIOD_OVER)
        return;
    const bool away = b.velY > 0;
    const bool pauseRuns = Match.shootoutPause > 0 && b.velY >= 0;
    const bool stoppedShort = b.speed == 0 && b.velY >= 0 && b.walkY > PITCH_NEAR_GOAL_LINE_Y;
    if (away || pauseRuns || stoppedShort) {
        MatchPhase = PHASE_SHOOTOUT_NEXT_KICK;
        PhaseTimer = 0;
    }
}

}  // namespace

void Ball_CheckOutOfPlay(BallState& b)
{
    const int32_t excluded = Match.excludedPerson;
    const int32_t shooting = IsPlayer(excluded) ? MatchPersons[excluded].action : -1;
    if (b.velX == 0 && b.velY == 0 && shooting != 52 && shooting != 78 && shooting != 81)
        Match.shotStartTick = -1;
    EndShootOutKick(b);
    BounceOffWall(b);
    Ball_BounceOffCornerFlag(b);
    const OutKind kind = LineTest(b);
    if (kind == OUT_NONE) {
        if (NearGoalLine(b.walkY)) Ball_HitGoalFrame(b);
        return;
    }
    if (kind == OUT_TOUCHLINE) {
        AwardThrowIn(b);
        return;
    }
    OverTheGoalLine(b, kind);
    Ball_HitGoalFrame(b);
}

void Ball_HitGoalFrame(BallState& b)
{
    if (DeadBallFlag == 1) HoldInNet(b);
    if (DeadBallFlag == 2) HoldOutOfNet(b);
    if (!WithinGoal(b)) return;
    const int32_t x = b.walkX;
    const int32_t y = b.walkY;
    const bool leftBand = x < kNetInsideLeft;
    if (leftBand || x > kNetInsideRight) {
        if (BeyondGoalLine(y)) {
            if (leftBand ? b.velX > 0 : b.velX < 0) SideNetting(b);
        } else {
            HitFrame(b, kPostHandlers[leftBand ? kNetInsideLeft - x : x - kNetInsideRight]);
        }
        return;
    }
    if (!BeyondGoalLine(y)) return;
    const bool scoringPhase =
        MatchPhase == PHASE_OPEN_PLAY || MatchPhase == PHASE_SHOOTOUT_NEXT_KICK;
    if (scoringPhase && b.holder == 0 && DeadBallFlag == 0 && b.height <= 12) {
        ScoreGoal(b);
        return;
    }
    BehindTheLine(b);
}
