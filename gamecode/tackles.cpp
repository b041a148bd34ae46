// gamecode/tackles.cpp: the defender's actions against the carrier.
#include "gamecode/tackles.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "engine/fatal.h"
#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/ballpredict.h"
#include "gamecode/challenge.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/headers.h"
#include "gamecode/incidents.h"
#include "gamecode/keycounts.h"
#include "gamecode/kickbook.h"
#include "gamecode/motion.h"
#include "gamecode/officials.h"
#include "gamecode/offside.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kJockeyFrameMax = 30;
constexpr int32_t kInPathBelow = 16;
constexpr int32_t kInPathAbove = 240;
constexpr int32_t kChaseSpeed = 100;

constexpr int32_t kSkillPositioning = 2;
constexpr int32_t kSkillBalance = 5;
constexpr int32_t kSkillReading = 12;
constexpr int32_t kSkillStrength = 17;
constexpr int32_t kContactReach = 16;
constexpr int32_t kBallReach = 16;
constexpr int32_t kBallHeightMax = 8;
constexpr int32_t kCooldown = 16;
constexpr int32_t kKnockLift = 32768;
constexpr int32_t kSendingsOffLimit = 4;
constexpr int32_t kDecisionWarning = 7;
constexpr int32_t kDecisionBooking = 8;
constexpr int32_t kDecisionSendingOff = 9;
constexpr int32_t kCentralBandLeftX = 412;
constexpr int32_t kCentralBandRightX = 1180;
constexpr int32_t kBallEventParry = 3;
constexpr int32_t kSfxLastMan = 12;
constexpr int32_t kInfoBarHandball = 13;
constexpr int32_t kInfoBarCharge = 14;
constexpr int32_t kInfoBarTackleFoul = 15;
constexpr int32_t kGroupBooked = 151;
constexpr int32_t kGroupWarned = 152;
constexpr int32_t kGroupCleared = 170;
constexpr int32_t kGroupTookBall = 302;
constexpr int32_t kGroupChargeFoul = 303;

enum class CardRule : uint8_t {
    Caution,  // a booking under the card threshold or after two warnings, else perhaps a warning
    Lunge,    // a booking above the card threshold, else a sending-off
};

using Counter = int16_t MatchPersonStats::*;

// One tackle: how he runs in, the mark he leaves, how the foul is rolled and charged, the card
// rule and how the ball he reaches goes on.
struct TackleRow {
    int16_t id;
    int16_t animation;
    int16_t runFrames;  // he runs in while the drawn frame is below this
    int16_t runSpeed;
    uint8_t mark;  // the once-flag of his kind of tackle
    uint8_t markType;
    double markSize;
    int16_t foulOdds;  // a foul when a draw % foulOdds is below the referee's strictness
    int16_t foulGroup;
    std::array<Counter, 2> counters;  // the foul counters raised, null after the last
    CardRule cards;
    int16_t bookingGroup;
    int16_t otherCardGroup;  // the warning, or the lunge's sending-off
    int16_t lastManGroup;
    bool halfTurnAtEnd;   // the sliding tackle ends facing back the way he came
    bool takesBall;       // from a carrier keeping it at his feet, into action 90
    int32_t knockLength;  // times skill 17
    int16_t knockGroup;
    int16_t knockGroupAfterParry;
};

// clang-format off
constexpr auto kTackles = std::to_array<TackleRow>({
    {ACT_SLIDING_TACKLE_28, 88, 40, 128, 0, 5, 1.0, 100, 300,
     {&MatchPersonStats::tackleFouls, nullptr}, CardRule::Caution, 151, 152, 263,
     true, true, 2560, 301, 301},
    {ACT_SLIDING_TACKLE_89, 88, 40, 128, 0, 5, 1.0, 100, 300,
     {&MatchPersonStats::tackleFouls, nullptr}, CardRule::Caution, 151, 152, 263,
     true, true, 2560, 301, 301},
    {ACT_BLOCK_TACKLE, 89, 50, 160, 1, 2, 1.0, 100, 262,
     {&MatchPersonStats::foulsPenalised, nullptr}, CardRule::Caution, 151, 152, 263,
     false, false, 3072, 265, 264},
    {ACT_LUNGE, 83, 50, 160, 2, 2, 1.2, 50, 331,
     {&MatchPersonStats::tackleFouls, &MatchPersonStats::lungeFouls}, CardRule::Lunge, 332, 333,
     334, false, false, 3072, 335, 335},
});
// clang-format on
constexpr uint8_t kClearingSlideMark = 3;

const TackleRow& RowOf(int32_t action)
{
    for (const TackleRow& row : kTackles) {
        if (row.id == action) return row;
    }
    FatalError("Action_Tackle(): action %d is no tackle", action);
}

int32_t Strictness() { return Match.official[0]; }
int32_t CardThreshold() { return Match.official[1]; }

void Say(int32_t group, int32_t person, int32_t second = -1)
{
    Comm_Say(group, Person_Side(person), person, second, 0);
}

// Runs him along his facing and keeps him near the pitch.
void RunIn(int32_t person, int32_t speed)
{
    Person_RunStepBoosted(person, speed, 8);
    Person_KeepNearPitch();
}

// Leaves the tackle's ground mark, once however long the contact holds.
void MarkGround(int32_t person, uint8_t mark, double size, uint8_t type)
{
    if (Match.tackleMarked[mark] != 0) return;
    Match.tackleMarked[mark] = 1;
    MatchPresentationOps.AddGroundMark(CurrentPersonPos.x, CurrentPersonPos.y, size,
                                       MatchPersons[person].facing, type);
}

// Within reach of carrier `c`, who holds the ball for the other side, while the tackler has
// none and nobody is cooling down; `actionBelow` leaves keepers (or, for the charge, everyone
// past his first strides with the ball) alone.
bool MeetsCarrier(int32_t person, int32_t c, int32_t actionBelow)
{
    const MatchPerson& p = MatchPersons[person];
    const MatchPerson& o = MatchPersons[c];
    const int32_t d = Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, o.x, o.y);
    return Person_DistanceAlong(d, CurrentPersonPos.x, CurrentPersonPos.y, o.x, o.y) < kContactReach
           && Ball.possession != CurrentSide && p.hasBall == 0 && MatchPhase == PHASE_OPEN_PLAY
           && p.touchCooldown1 == 0 && o.action < actionBelow && Person_Side(c) != CurrentSide;
}

// The foul record phase 1 acts on.
void GiveFoul(int32_t offender, int32_t fouled, int32_t foulingSide, int32_t x, int32_t y)
{
    Offender = static_cast<int16_t>(offender);
    FouledPlayer = static_cast<int8_t>(fouled);
    FoulingSide = static_cast<uint8_t>(foulingSide);
    RestartSpot[0] = static_cast<int16_t>(x);
    RestartSpot[1] = static_cast<int16_t>(y);
    MatchPhase = PHASE_FOUL;
    PhaseTimer = 0;
}

// A side with four sent off is shown no more cards, and the keeper in goal none at all.
bool MayBeCarded(int32_t person)
{
    const int32_t side = Person_Side(person);
    return Match.dismissals[side] < kSendingsOffLimit && LineUp[side][0] != person;
}

void Decide(int32_t decision, int32_t group, int32_t person)
{
    RefereeDecision = static_cast<int16_t>(decision);
    Say(group, person);
}

// The deepest of the side's outfield players on the pitch; of two level, the earlier slot.
int32_t LastMan(int32_t side)
{
    const bool defendsNearGoal = side == Match.secondOfPair;
    int32_t deepest = -1;
    for (int32_t slot = 1; slot <= 10; ++slot) {
        const int32_t person = LineUp[side][slot];
        const MatchPerson& p = MatchPersons[person];
        if (p.offPitch != 0) continue;
        if (deepest < 0
            || (defendsNearGoal ? p.y < MatchPersons[deepest].y : p.y > MatchPersons[deepest].y))
            deepest = person;
    }
    return deepest;
}

void ShowCard(int32_t person, const TackleRow& row)
{
    if (!MayBeCarded(person)) return;
    MatchPerson& p = MatchPersons[person];
    if (row.cards == CardRule::Lunge) {
        const int32_t r = Rand() % 100;
        Match.lastCardRoll = static_cast<int16_t>(r);
        if (r > CardThreshold()) {
            Decide(kDecisionBooking, row.bookingGroup, person);
        } else {
            Decide(kDecisionSendingOff, row.otherCardGroup, person);
        }
    } else {
        const int32_t r = Rand() % 300;
        Match.lastCardRoll = static_cast<int16_t>(r);
        if (r < CardThreshold() || p.warnings >= 2) {
            Decide(kDecisionBooking, row.bookingGroup, person);
        } else if (r % 4 == 0) {
            Decide(kDecisionWarning, row.otherCardGroup, person);
            ++p.warnings;
        } else {
            return;
        }
    }
    const int32_t ballX = MatchPersons[MATCH_BALL].x;
    if (LastMan(Person_Side(person)) == person && ballX > kCentralBandLeftX
        && ballX < kCentralBandRightX) {
        MatchPresentationOps.PlayMatchSfx(kSfxLastMan, 0);
        Decide(kDecisionSendingOff, row.lastManGroup, person);
    }
}

// The tackle meets the carrier: one mark, the challenge, and perhaps a foul with its card.
void Challenge(int32_t person, int32_t c, const TackleRow& row, bool carrierKeptBall)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& o = MatchPersons[c];
    MarkGround(person, row.mark, row.markSize, row.markType);
    const int32_t rode = Person_ResolveChallenge(c, person);
    if (Rand() % row.foulOdds < Strictness()
        && Person_Skill(p, kSkillPositioning) / 12 < o.ballDistance && p.passKind == 0 && rode == 0
        && !carrierKeptBall && MatchPhase == PHASE_OPEN_PLAY && Match_RollChance30() == 0) {
        Say(row.foulGroup, person, row.cards == CardRule::Lunge ? -1 : c);
        for (const Counter counter : row.counters) {
            if (counter != nullptr) ++(p.stats.*counter);
        }
        MatchPresentationOps.InfoBar(kInfoBarTackleFoul, person, c);
        GiveFoul(person, c, CurrentSide, o.x, o.y);
        ShowCard(person, row);
        KeyCounts_TackleFoul(person, row.cards == CardRule::Lunge,
                             RefereeDecision == kDecisionBooking
                                 || RefereeDecision == kDecisionSendingOff);
    }
}

// A tackle that wins the ball in open play counts for the tackler and against the carrier.
void CountTackle(int32_t person, int32_t c)
{
    if (MatchPhase != PHASE_OPEN_PLAY) return;
    ++MatchPersons[person].stats.tackles;
    KeyCounts_Tackle(person, MatchPersons[person].x, MatchPersons[person].y);
    Person_CountBoxEntry(person);
    if (IsPlayer(c) && c != person) ++MatchPersons[c].stats.timesTackled;
}

// The ball goes on along `direction`, a clearance of the kick bookkeeping.
void KnockOn(int32_t direction, int32_t length)
{
    Person_VectorFromAngle(direction, length, 256);
    Ball.velX += StepX;
    Ball.velY -= StepY;
    Ball.velZ = kKnockLift;
    Match.lastKickKind = KICK_KIND_CLEARANCE;
}

// The ball is his side's now: the carrier loses it and the touch is his.
void TakePossession(int32_t person, int32_t c)
{
    if (IsPlayer(c) && c != person) MatchPersons[c].hasBall = 0;
    Ball.afterKick = kCooldown;
    Match_OnBallTouch(person);
    Ball.possession = CurrentSide;
    LastPossessor[CurrentSide] = static_cast<int8_t>(person);
}

void WinBall(int32_t person, int32_t c, const TackleRow& row, bool carrierKeptBall)
{
    MatchPerson& p = MatchPersons[person];
    if (Ball.holder != 0 || p.ballDistance >= kBallReach || p.passKind != 0
        || Ball.height >= kBallHeightMax)
        return;
    p.passKind = 1;
    if (row.takesBall && carrierKeptBall) {
        CountTackle(person, c);
        Match.tackleMarked[row.mark] = 0;
        p.hasBall = 1;
        // He slides on from the frame he reached: the action changes, the animation does not.
        Person_StoreAction(person, ACT_SLIDE_WITH_BALL);
        Ball_PlaceAtFeet(person);
        Say(kGroupTookBall, person);
    } else {
        const int32_t direction = row.takesBall ? (p.facing - Rand() % 100) & 255 : p.facing;
        KnockOn(direction, Person_Skill(p, kSkillStrength) * row.knockLength);
        p.touchCooldown1 = kCooldown;
        if (MatchPhase == PHASE_OPEN_PLAY) {
            CountTackle(person, c);
            Say(Match.ballEvent == kBallEventParry ? row.knockGroupAfterParry : row.knockGroup,
                person);
        }
    }
    TakePossession(person, c);
}

}  // namespace

void Action_Tackle(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const TackleRow& row = RowOf(p.action);
    const int32_t c = Ball.lastToucher;
    const bool carrierKeptBall = IsPlayer(c) && MatchPersons[c].action == ACT_RUN_WITH_BALL;
    if (p.drawnFrame < row.runFrames) RunIn(person, row.runSpeed);
    if (Person_RunAnim(person, row.animation, p.kicked + 1, ACT_ACTIVE) == 0) {
        p.facing = static_cast<uint16_t>((p.facing + (row.halfTurnAtEnd ? 128 : 0)) & 255);
        Match.tackleMarked[row.mark] = 0;
        return;
    }
    if (IsPlayer(c) && MeetsCarrier(person, c, ACT_KEEPER_TAKE_BALL) && MatchPersons[c].kicked == 0)
        Challenge(person, c, row, carrierKeptBall);
    WinBall(person, c, row, carrierKeptBall);
}

void Action_ClearingSlide(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t toGoal = Person_DirectionToTarget(person, 1, CurrentSide);
    Person_TurnStep(person, toGoal);
    if (p.drawnFrame < 50) RunIn(person, 160);
    if (Person_RunAnim(person, 89, p.kicked + 2, ACT_ACTIVE) == 0) {
        Match.tackleMarked[kClearingSlideMark] = 0;
        p.facing &= 255;
        return;
    }
    MarkGround(person, kClearingSlideMark, 1.0, 4);
    if (Ball.holder != 0 || p.ballDistance >= kBallReach || p.kicked != 0
        || Ball.height >= kBallHeightMax)
        return;
    const int32_t length = (Rand() % 100 + Person_Skill(p, kSkillStrength)) * 3840;
    Person_VectorFromAngle(toGoal, length, 256);
    Ball.velX += StepX;
    Ball.velY -= StepY;
    p.kicked = 1;
    Ball.velZ = (Rand() % 512) * 256;
    p.touchCooldown1 = kCooldown;
    Match.lastKickKind = KICK_KIND_CLEARANCE;
    Say(kGroupCleared, person);
    Match_MarkOffsidePositions(person);
    const int32_t c = Ball.lastToucher;
    TakePossession(person, c);
    Ball.lastToucher = static_cast<int16_t>(person);
}

void Action_SlideWithBall(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (p.drawnFrame < 40) RunIn(person, 128);
    if (Person_RunAnim(person, 88, 3, ACT_ACTIVE) == 0) {
        p.facing = static_cast<uint16_t>((p.facing + 128) & 255);
        return;
    }
    if (p.ballDistance <= 9) Ball_PlaceAtFeet(person);
}

void Action_ShoulderCharge(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    Person_RunStepBoosted(person, 140, 8);
    if (Person_RunAnim(person, 74, p.kicked + 1, ACT_ACTIVE) == 0) return;
    const int32_t c = Ball.lastToucher;
    if (!IsPlayer(c)) return;
    MatchPerson& o = MatchPersons[c];
    if (MeetsCarrier(person, c, ACT_LOFTED_BALL_18) && Rand() % 1000 < Strictness()
        && Person_Skill(p, kSkillPositioning) / 12 < o.ballDistance && p.kicked == 0
        && MatchPhase == PHASE_OPEN_PLAY && Match_RollChance30() == 0) {
        Say(kGroupChargeFoul, person, c);
        ++p.stats.fouls;
        MatchPresentationOps.InfoBar(kInfoBarCharge, person, c);
        GiveFoul(person, c, CurrentSide, o.x, o.y);
        // Only a player warned over and over is carded for a charge.
        if (p.warnings > 10 && MayBeCarded(person)) {
            if (Rand() % 200 < CardThreshold()) {
                Decide(kDecisionBooking, kGroupBooked, person);
            } else {
                Decide(kDecisionWarning, kGroupWarned, person);
                ++p.warnings;
            }
        }
    }
    const int32_t balance = Person_Skill(o, kSkillBalance);
    if (Ball.holder == 0 && p.ballDistance < kBallReach && p.kicked == 0
        && Ball.height < kBallHeightMax && Match_SkillRoll(balance, 100) > balance) {
        p.kicked = 1;
        if (o.runSpeed != 0) o.runSpeed = static_cast<int16_t>(Rand() % o.runSpeed);
        o.touchCooldown1 = kCooldown;
        if (MatchPhase == PHASE_OPEN_PLAY && c != person) Person_SetAction(c, ACT_STUMBLE);
        const int32_t strength = Person_Skill(p, kSkillStrength);
        if (strength > Person_Skill(o, kSkillStrength)) KnockOn(o.facing, strength * 2048);
    }
    if (Rand() % 100 < Person_EffectiveSkill(person, Person_Skill(p, kSkillReading))
        && p.frame > 32)
        Person_SetAction(person, ACT_ACTIVE);
}

void Action_Stumble(int32_t person)
{
    if (Person_RunAnim(person, 81, 1, ACT_ACTIVE) == 0) return;
    Person_RunStepBoosted(person, 64, 1);
    const int32_t n = std::max(1, 110 - Person_Skill(MatchPersons[person], kSkillStrength));
    if (Rand() % n == 0) Person_SetAction(person, ACT_ACTIVE);
}

void Action_DiveForFoul(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (Person_RunAnim(person, 84, p.kicked + 1, ACT_ACTIVE) == 0) return;
    Person_RunStepBoosted(person, 0, 2);
    if (p.kicked != 0) return;
    MatchPresentationOps.AddGroundMark(CurrentPersonPos.x, CurrentPersonPos.y, 1.0, p.facing, 3);
    p.kicked = 1;
    // A dive after the whistle earns nothing: a foul is given only in open play.
    if (MatchPhase != PHASE_OPEN_PLAY) return;
    const int32_t other = CurrentSide ^ 1;
    const int32_t nearest = ProximityList[other][0];
    if (Rand() % 100 < Person_Skill(p, kSkillBalance) || Match_RollChance30() == 1) {
        GiveFoul(nearest, person, other, CurrentPersonPos.x, CurrentPersonPos.y);
        Say(336, person);
    } else if (Rand() % 100 < Strictness() && MayBeCarded(person)) {
        GiveFoul(person, nearest, CurrentSide, CurrentPersonPos.x, CurrentPersonPos.y);
        RefereeDecision = kDecisionBooking;
        Say(337, person);
    }
}

void Action_Handball(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    Person_TurnTowardTwiceIfSlow(person, p.dirToBall);
    if (Person_RunAnim(person, 93, p.kicked + 1, ACT_STAND) == 0) return;
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    if (p.kicked != 0
        || Person_RangeCheck(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y, 12, 16) != 0)
        return;
    p.kicked = 1;
    Person_VectorFromAngle(p.facing, 65536, 256);
    Ball.velX = StepX;
    Ball.velY = -StepY;
    Ball.velZ = Header_Lift(Ball.height);
    Match.lastKickKind = KICK_KIND_OTHER;
    Say(322, person);
    // The ball played by hand after the whistle is no offence: a foul is given only in open play.
    if (MatchPhase != PHASE_OPEN_PLAY) return;
    if (Match_RollChance30() != 0) {
        Say(325, person);
        return;
    }
    Say(323, person);
    ++p.stats.handballs;
    MatchPresentationOps.InfoBar(kInfoBarHandball, person, Ball.lastToucher);
    if (Rand() % 200 < Strictness() && MayBeCarded(person)) Decide(kDecisionBooking, 324, person);
    GiveFoul(person, Ball.lastToucher, CurrentSide, CurrentPersonPos.x, CurrentPersonPos.y);
    ++p.stats.fouls;
}

void Action_Jockey(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t side = Person_Side(person);
    Person_TurnStep(person, Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y,
                                               Match.jockeyTarget[0], Match.jockeyTarget[1]));
    Person_RunAnim(person, 1, 1, ACT_ACTIVE);
    p.frame = static_cast<int16_t>(std::min<int32_t>(p.frame, kJockeyFrameMax));
    if (MatchPhase >= PHASE_THROW_IN_TAKEN || ActivePlayer[side ^ 1] == MATCH_NONE
        || Ball.possession == side) {
        Person_SetAction(person, ACT_WALK_TO_TARGET);
        return;
    }
    Team_DefaultActive(side);
    const int32_t carrier = ActivePlayer[side ^ 1];
    const MatchPerson& o = MatchPersons[carrier];
    const int32_t run = Person_DirectionToTarget(carrier, 1, side ^ 1);
    const int32_t toMe = Person_DirectionTo(o.x, o.y, CurrentPersonPos.x, CurrentPersonPos.y);
    const int32_t apart = std::abs(toMe - run);
    const bool inPath = apart >= kInPathAbove || apart <= kInPathBelow;
    if (inPath && p.ballDistance * 75 / 100 >= o.ballDistance) return;
    p.runSpeed = kChaseSpeed;
    Person_SetAction(person, ACT_ACTIVE);
}
