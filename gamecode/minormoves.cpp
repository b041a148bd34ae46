// gamecode/minormoves.cpp: the small moves a player makes between his real actions.
#include "gamecode/minormoves.h"

#include <algorithm>
#include <array>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/basicactions.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/volleys.h"

namespace {

constexpr int32_t kAtPoint = 5;
constexpr int32_t kWaitFrames = 30;
constexpr int32_t kStandingSpeed = 100;

constexpr int32_t kAnyHeight = 1000;
constexpr int32_t kSprintSpeed = 190;
constexpr int32_t kRunSpeed = 140;
constexpr int32_t kDriftSpeed = 64;
constexpr int32_t kSprintAnimation = 13;
constexpr int32_t kRunAnimation = 12;
constexpr int32_t kNearScorerAnimation = 105;
constexpr int32_t kNearScorer = 200;
// The goal mouth, a little wider than the posts: a player inside it steps out sideways before he
// runs anywhere, so that he never runs through the goal frame.
constexpr int32_t kGoalMouthLeftX = PITCH_LEFT_POST_X - 16;
constexpr int32_t kGoalMouthRightX = PITCH_RIGHT_POST_X + 16;
constexpr int32_t kPointInsideGoalLine = 20;
constexpr int32_t kPointBesideCentre = 160;

struct CelebrationStyle {
    int16_t touchlineGap;  // the point's distance inside the touchline; 0 beside the centre
    int16_t animation;
    int16_t arrivalGroup;  // what the commentary says as he arrives; 0 celebrates on the spot
    int16_t driftBefore;   // drifts forward before this frame
    int16_t backAfter;     // walks backward after this frame; 0 never
};
// By style (passKind 0-6).
constexpr auto kCelebrationStyles = std::to_array<CelebrationStyle>({
    {0, 103, 0, 0, 0},
    {0, 104, 0, 0, 0},
    {0, 106, 267, 50, 200},
    {80, 110, 270, 120, 370},
    {0, 108, 268, 0, 0},
    {80, 110, 270, 120, 370},
    {50, 109, 269, 0, 280},
});
constexpr int32_t kLastStyle = static_cast<int32_t>(kCelebrationStyles.size()) - 1;

// At his point he watches the ball, his wait counted in `kicked` (the thrower waits for it).
void WaitAtPoint(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (p.kicked < 255) ++p.kicked;
    Person_TurnToward(person, p.dirToBall);
    if (p.actionWord == 1) {
        p.frame = 0;
        p.actionWord = 0;
    }
    Person_RunAnim(person, 1, 1, ACT_ACTIVE);
    p.frame = static_cast<int16_t>(std::min<int32_t>(p.frame, kWaitFrames));
    p.runSpeed = kStandingSpeed;
}

// Sprint, run or jog there by how far it is and how far he must still turn.
void RunToPoint(int32_t person, int32_t d, int32_t distance)
{
    MatchPerson& p = MatchPersons[person];
    Person_TurnTowardTwiceIfSlow(person, d);
    const int32_t turn = Person_FoldedDifference(d, p.facing);
    if (distance > 100 && turn < 32) {
        Person_LoopAnim(person, kSprintAnimation, 1, 0);
        Person_RunStepBoosted(person, kSprintSpeed, 1);
    } else if (distance > 30 && turn < 48) {
        Person_LoopAnim(person, kRunAnimation, 1, 0);
        Person_RunStepBoosted(person, kRunSpeed, 1);
    } else {
        Person_TurnStep(person, d);
        const int32_t speed = static_cast<uint16_t>(distance * 100 / 30) * 64 / 100;
        Person_LoopAnim(person, 10, 1, 31);
        Person_RunStepBoosted(person, speed, 1);
    }
}

bool InGoalMouth(int32_t x) { return x > kGoalMouthLeftX && x < kGoalMouthRightX; }

// Flat out toward the point, counted as not yet in place.
void SprintTo(int32_t person, int32_t x, int32_t y)
{
    ++PlayersNotInPlace;
    MatchPersons[person].facing =
        static_cast<uint16_t>(Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y));
    Person_LoopAnim(person, kSprintAnimation, 1, 0);
    Person_RunStepBoosted(person, kSprintSpeed, 1);
}

// Stage 0 of a style with a point: out of the goal mouth, then to the point, where the
// celebration proper (stage 1) begins.
void RunToCelebrationPoint(int32_t person, const CelebrationStyle& style)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t x = CurrentPersonPos.x;
    const int32_t y = CurrentPersonPos.y;
    const bool leftHalf = x < PITCH_CENTRE_X;
    const int32_t pointY = y < PITCH_CENTRE_Y ? PITCH_NEAR_GOAL_LINE_Y + kPointInsideGoalLine
                                              : PITCH_FAR_GOAL_LINE_Y - kPointInsideGoalLine;
    int32_t pointX = 0;
    if (style.touchlineGap == 0) {
        pointX =
            leftHalf ? PITCH_CENTRE_X - kPointBesideCentre : PITCH_CENTRE_X + kPointBesideCentre;
        if (InGoalMouth(x)) {
            SprintTo(person, leftHalf ? kGoalMouthLeftX : kGoalMouthRightX, y);
            return;
        }
    } else {
        pointX = leftHalf ? PITCH_LEFT_TOUCHLINE_X + style.touchlineGap
                          : PITCH_RIGHT_TOUCHLINE_X - style.touchlineGap;
    }
    if (Person_TouchDistance(x, y, pointX, pointY, kAnyHeight) != 0) {
        SprintTo(person, pointX, pointY);
        return;
    }
    p.runSpeed = 0;
    p.kicked = 1;
    Comm_Say(style.arrivalGroup, Person_Side(person), person, -1, 0);
}

void CelebrateInStyle(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    // Only our own placements give a style outside 0-6; the table is never read out of range.
    const CelebrationStyle& style =
        kCelebrationStyles[std::clamp<int32_t>(p.passKind, 0, kLastStyle)];
    if (style.arrivalGroup != 0 && p.kicked == 0) {
        RunToCelebrationPoint(person, style);
        return;
    }
    Person_RunAnim(person, style.animation, 1, ACT_STAND);
    if (p.frame < style.driftBefore) Person_RunStepBoosted(person, kDriftSpeed, 1);
    if (style.backAfter != 0 && p.frame > style.backAfter)
        Person_RunStep(person, kDriftSpeed, (p.facing + 128) & 255, 1);
}

// The scorer's celebration is over: the goal phase may go on, and he sets off for his target.
void EndScorersCelebration(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    if (Person_TouchDistance(CurrentPersonPos.x, CurrentPersonPos.y, p.targetX, p.targetY,
                             kAnyHeight)
        != 0) {
        Person_LoopAnim(person, kRunAnimation, 1, 0);
        Person_RunStepBoosted(person, kRunSpeed, 1);
    }
    Match.celebrationActive = 0;
}

void JoinCelebration(int32_t person)
{
    Person_SetAction(person, ACT_CELEBRATE);
    MatchPersons[person].passKind = static_cast<int16_t>(Rand() % 2);
}

}  // namespace

void Action_Celebrate(int32_t person)
{
    const int32_t scorer = Match.celebratingPlayer;
    if (MatchPhase != PHASE_GOAL && IsPlayer(scorer))
        Match.followedObject = static_cast<int16_t>(scorer);
    CelebrateInStyle(person);
    if (MatchPersons[person].action == ACT_STAND && person == scorer) EndScorersCelebration(person);
}

void Action_RunToScorer(int32_t person)
{
    const int32_t scorer = Match.celebratingPlayer;
    if (!IsPlayer(scorer)) {
        JoinCelebration(person);
        return;
    }
    const MatchPerson& s = MatchPersons[scorer];
    const int32_t x = CurrentPersonPos.x;
    const int32_t y = CurrentPersonPos.y;
    const bool beyondGoalLine = s.y > PITCH_FAR_GOAL_LINE_Y || s.y < PITCH_NEAR_GOAL_LINE_Y;
    if (InGoalMouth(x) && beyondGoalLine) {
        SprintTo(person, s.x < PITCH_CENTRE_X ? kGoalMouthLeftX : kGoalMouthRightX, y);
        return;
    }
    // Each player stops at a distance of his own, so that they gather round the scorer.
    const int32_t reach = 48 - 2 * (person & 15);
    const int32_t distance = Person_RangeCheck(x, y, s.x, s.y, reach, kAnyHeight);
    if (distance == 0) {
        JoinCelebration(person);
        return;
    }
    ++PlayersNotInPlace;
    MatchPersons[person].facing = static_cast<uint16_t>(Person_DirectionTo(x, y, s.x, s.y));
    Person_LoopAnim(person, distance <= kNearScorer ? kNearScorerAnimation : kRunAnimation, 1, 0);
    Person_RunStepBoosted(person, kRunSpeed, 1);
}

void Action_MinorStill(int32_t) {}

void Action_SlowToStop(int32_t person)
{
    constexpr int32_t kSlowing = 3;
    constexpr int32_t kStumbleAnimation = 84;
    Person_RunStepBoosted(person, 0, kSlowing);
    Person_RunAnim(person, kStumbleAnimation, 2, ACT_ACTIVE);
}

void Action_MoveToLooseBall(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const bool onTheGround = Ball.height == 0 && MatchPhase == PHASE_OPEN_PLAY;
    if (p.hasBall != 0 || onTheGround || Ball.speed >= 2) {
        Person_SetAction(person, ACT_ACTIVE);
        return;
    }
    const int32_t x = p.receivePoint[0];
    const int32_t y = p.receivePoint[1];
    const int32_t distance =
        Person_TouchDistance(CurrentPersonPos.x, CurrentPersonPos.y, x, y, 1000);
    const int32_t marked = p.passKind;
    if (marked >= 0 && marked < MATCH_PLAYER_COUNT) {
        const MatchPerson& m = MatchPersons[marked];
        if (Person_TouchDistance(m.x, m.y, m.receivePoint[0], m.receivePoint[1], 1000) > kAtPoint) {
            Person_TurnToward(person, p.dirToBall);
            Person_TryVolley(person);
            return;
        }
    }
    if (distance <= kAtPoint) {
        WaitAtPoint(person);
    } else {
        ++PlayersNotInPlace;
        p.actionWord = 1;
        const int32_t d = Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y);
        if (!Person_WalkBackwardsInto(person, d, distance)) RunToPoint(person, d, distance);
    }
    Person_TryVolley(person);
}

void Action_GestureAndReturn(int32_t person)
{
    const int32_t resume = MatchPersons[person].savedAction;
    // A gesture saved as its own resume would run for ever: he stands instead.
    Person_RunAnim(person, 4, 1, resume == ACT_GESTURE_AND_RETURN ? ACT_STAND : resume);
}
