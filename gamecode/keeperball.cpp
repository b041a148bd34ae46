// gamecode/keeperball.cpp: the keeper with the ball.
#include "gamecode/keeperball.h"

#include <array>
#include <cstdlib>

#include "engine/fatal.h"
#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/keeper.h"
#include "gamecode/kickbook.h"
#include "gamecode/motion.h"
#include "gamecode/officials.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kKickingSkill = 17;
constexpr int32_t kAnticipationSkill = 12;
constexpr int32_t kAgility = 18;
constexpr int32_t kToughness = 19;
constexpr int16_t kHandsHeight = 8;
constexpr int32_t kSlideTicks = 30;  // he slides, and the smother's touch is spent, past it
constexpr int32_t kSlideAccel = 8;
constexpr int32_t kSmotherHeight = 4;
constexpr int32_t kSmotherReach = 9;
constexpr int32_t kHoldFrame = 30;  // rising from a smother, the ball is in his hands past it
constexpr int32_t kClearReach = 12;
constexpr int32_t kClearHeight = 8;
constexpr int32_t kClearRun = 64;
constexpr int32_t kClearFrame = 38;
constexpr int32_t kSendingsOffLimit = 4;  // a side with this many sent off gets no more cards
constexpr int32_t kInfoBarFoul = 15;
constexpr int32_t kSfxSmother = 11;
constexpr int32_t kDecisionWarning = 7;
constexpr int32_t kDecisionBooking = 8;

void Say(int32_t group, int32_t person) { Comm_Say(group, Person_Side(person), person, -1, 0); }

}  // namespace

void Ball_StopAtCurrentPerson()
{
    Person_PlaceAt(MATCH_BALL, CurrentPersonPos.x, CurrentPersonPos.y);
    Ball.x16 = CurrentPersonPos.x16;
    Ball.y16 = CurrentPersonPos.y16;
    Ball_Stop();
    Ball.height = 0;
    Ball.height16 = 0;
}

void Keeper_BallInHands(int32_t person)
{
    Ball_StopAtCurrentPerson();
    Ball.holder = static_cast<int16_t>(person + 1);
    Ball.lastToucher = static_cast<int16_t>(person);
}

void Keeper_TakeBall(int32_t person)
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    Person_PlaceAt(MATCH_BALL, CurrentPersonPos.x, CurrentPersonPos.y);
    Ball.x16 = CurrentPersonPos.x16;
    Ball.y16 = CurrentPersonPos.y16;
    const bool shootOut = Match.period == MATCH_PERIOD_SHOOT_OUT;
    if (shootOut && MatchPhase < PHASE_PENALTY_KICK) {
        Ball_Stop();
        MatchPhase = PHASE_SHOOTOUT_NEXT_KICK;
        PhaseTimer = 0;
        return;
    }
    if (shootOut || DeadBallFlag != 0) {
        Ball.holder = 0;
        Person_SetAction(person, ACT_KEEPER_IDLE);
        return;
    }
    Ball_Stop();
    Ball.lastToucher = static_cast<int16_t>(person);
    Person_SetAction(person, ACT_KEEPER_HOLD_AT_FEET);
    Ball.holder = static_cast<int16_t>(person + 1);
    Match.goalKickSpot[0] = RestartSpot[0] = ball.x;
    Match.goalKickSpot[1] = RestartSpot[1] = ball.y;
    MatchPhase = PHASE_KEEPER_HOLDS;
    PhaseTimer = 0;
    Ball.possession = static_cast<uint8_t>(Person_Side(person));
}

void Action_KeeperTakeBall(int32_t person)
{
    Ball.height = kHandsHeight;
    Ball.height16 = kHandsHeight * 65536;
    Keeper_TakeBall(person);
}

void Action_KeeperHoldAtFeet(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.facing = MatchPersons[MATCH_BALL].y < PITCH_CENTRE_Y ? 128 : 0;
    Ball_StopAtCurrentPerson();
    KeeperWatchPoint[0] = PITCH_CENTRE_X;
    KeeperWatchPoint[1] = PITCH_CENTRE_Y;
    Ball.lastToucher = static_cast<int16_t>(person);
}

namespace {

struct GatherRow {
    int16_t id;
    int16_t animation;
    int16_t step;
    int16_t group;  // said once the ball is gathered
};
constexpr auto kGathers = std::to_array<GatherRow>({
    {ACT_KEEPER_PICK_UP, 133, 1, 139},
    {ACT_KEEPER_GATHER_MID, 114, 2, 154},
    {ACT_KEEPER_GATHER_LOW, 113, 2, 155},
});

const GatherRow& GatherOf(int32_t action)
{
    for (const GatherRow& row : kGathers) {
        if (row.id == action) return row;
    }
    FatalError("Action_KeeperGather(): action %d gathers nothing", action);
}

}  // namespace

void Action_KeeperGather(int32_t person)
{
    const GatherRow& row = GatherOf(MatchPersons[person].action);
    Keeper_BallInHands(person);
    Ball_GiveToPerson(person);
    if (Person_RunAnim(person, row.animation, row.step, ACT_KEEPER_IDLE) != 0) return;
    Say(row.group, person);
    Ball.height = kHandsHeight;
    Keeper_TakeBall(person);
}

void Action_KeeperRiseFromSmother(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    Ball_StopAtCurrentPerson();
    Ball.lastToucher = static_cast<int16_t>(person);
    const int32_t animation = p.passKind == 0 ? 130 : 150;
    if (Person_RunAnim(person, animation, 2, ACT_KEEPER_IDLE) != 0) {
        if (p.drawnFrame <= kHoldFrame) return;
        Ball.holder = static_cast<int16_t>(person + 1);
        Ball.height = kHandsHeight;
        return;
    }
    if (MatchPhase == PHASE_OPEN_PLAY) {
        Keeper_TakeBall(person);
        return;
    }
    Ball.holder = 0;
    p.hasBall = 0;
}

namespace {

// Phase 1 at the keeper's feet: `offendingSide` gave away a free kick by fouling `fouled`.
void StartFoul(int32_t fouled, int32_t offendingSide)
{
    MatchPhase = PHASE_FOUL;
    PhaseTimer = 0;
    RestartSpot[0] = CurrentPersonPos.x;
    RestartSpot[1] = CurrentPersonPos.y;
    FouledPlayer = static_cast<int8_t>(fouled);
    FoulingSide = static_cast<uint8_t>(offendingSide);
}

bool CardsLeft(int32_t side) { return Match.dismissals[side] < kSendingsOffLimit; }

// The referee's word with the offender: group `first`, then a booking (first + 1) or a warning
// (first + 2) by one draw.
void Caution(int32_t offender, int32_t first)
{
    Say(first, offender);
    const int32_t r = Rand() % 300;
    if (r < Match.official[1]) {
        Say(first + 1, offender);
        RefereeDecision = kDecisionBooking;
    } else if ((r & 3) == 0) {
        Say(first + 2, offender);
        RefereeDecision = kDecisionWarning;
        ++MatchPersons[offender].warnings;
    }
}

bool KeeperHurt(const MatchPerson& keeper, int32_t attackerSide)
{
    return Rand() % 100 > Person_Skill(keeper, kToughness) && Rand() % 20 < 10
           && CardsLeft(attackerSide);
}

// The attacker lunged in (a clearing slide or a block tackle): a foul on the keeper when the
// referee sees it, and perhaps a hurt keeper either way.
void AttackerLungedIn(int32_t keeper, int32_t attacker)
{
    MatchPerson& k = MatchPersons[keeper];
    const int32_t attackerSide = Person_Side(attacker);
    if (Rand() % 200 < Match.official[0] && Match_RollChance30() == 0) {
        MatchPresentationOps.InfoBar(kInfoBarFoul, attacker, keeper);
        StartFoul(keeper, attackerSide);
        ++MatchPersons[attacker].stats.foulsPenalised;
        Say(148, attacker);
        if (CardsLeft(attackerSide)) Caution(attacker, 150);
    }
    if (KeeperHurt(k, attackerSide)) {
        Say(153, keeper);
        k.resultByteB = 1;
    }
    ++k.stats.tackles;
}

// Nine of the attacker's skills fall by f percent, his fatigue rises by it.
void MaybeInjure(int32_t attacker)
{
    constexpr std::array<int32_t, 9> kHurtSkills = {1, 2, 3, 4, 5, 15, 16, 17, 18};
    MatchPerson& a = MatchPersons[attacker];
    if (Rand() % 100 <= Person_Skill(a, kToughness)) return;
    const int32_t f = Rand() % 10 + 100;
    for (int32_t skill : kHurtSkills) {
        a.skills[skill] = static_cast<uint8_t>(Person_Skill(a, skill) * 100 / f);
    }
    a.resultByteA = static_cast<int8_t>(a.resultByteA * f / 100);
    a.stats.injuryTotal = static_cast<int16_t>(a.stats.injuryTotal + f - 100);
}

// The keeper and the attacker on the ball collide: he falls, a foul either way or a clean
// smother, perhaps an injury.
void Collide(int32_t keeper, int32_t attacker)
{
    MatchPerson& k = MatchPersons[keeper];
    const int32_t keeperSide = Person_Side(keeper);
    const int32_t attackerSide = Person_Side(attacker);
    Person_SetAction(attacker, ACT_SLOW_TO_STOP);
    if (Rand() % 100 > Person_Skill(k, kAgility) && Rand() % 3 == 0) {
        MatchPresentationOps.InfoBar(kInfoBarFoul, keeper, attacker);
        ++k.stats.foulsPenalised;
        StartFoul(attacker, keeperSide);
        Say(144, keeper);
        if (CardsLeft(keeperSide)) Caution(keeper, 145);
    } else if (KeeperHurt(k, attackerSide)) {
        MatchPresentationOps.InfoBar(kInfoBarFoul, attacker, keeper);
        k.resultByteB = 1;
        StartFoul(keeper, attackerSide);
        ++MatchPersons[attacker].stats.fouls;
        Say(148, attacker);
        ++k.stats.tackles;
    } else {
        Say(149, keeper);
        ++k.stats.tackles;
    }
    MaybeInjure(attacker);
    MatchPresentationOps.PlayMatchSfx(kSfxSmother, 0);
}

// The keeper has the ball at an attacker's feet: the other side's active player's part.
void SmotherOutcome(int32_t keeper)
{
    const int32_t otherSide = 1 - Person_Side(keeper);
    // Read no attacker before the side has one: a side without an active player names nobody.
    Team_DefaultActive(otherSide);
    const int32_t attacker = ActivePlayer[otherSide];
    MatchPerson& k = MatchPersons[keeper];
    if (attacker >= MATCH_PLAYER_COUNT) {
        Say(149, keeper);
        ++k.stats.tackles;
        return;
    }
    const MatchPerson& a = MatchPersons[attacker];
    if (a.action == ACT_CLEARING_SLIDE || a.action == ACT_BLOCK_TACKLE) {
        AttackerLungedIn(keeper, attacker);
        return;
    }
    if (a.hasBall == 0 && a.touchCooldown1 == 0) {
        Say(149, keeper);
        ++k.stats.tackles;
        return;
    }
    Collide(keeper, attacker);
}

}  // namespace

void Action_KeeperSmother(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    if (ball.x != CurrentPersonPos.x || ball.y != CurrentPersonPos.y)
        p.facing = static_cast<uint16_t>(
            Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y));
    Keeper_MeasureBall(person);
    const bool top = Keeper_GuardsTop(Person_Side(person));
    const bool inBoxDepth = top ? ball.y < PITCH_BOX_NEAR_Y : ball.y > PITCH_BOX_FAR_Y;
    if (inBoxDepth && p.frame < kSlideTicks) Person_RunStepBoosted(person, 0, kSlideAccel);
    const int32_t animation = p.passKind == 0 ? 131 : 151;
    if (Person_RunAnim(person, animation, 2 + p.kicked, ACT_KEEPER_IDLE) == 0) return;
    if (p.drawnFrame > kSlideTicks) p.kicked = 1;
    if (Ball.height > kSmotherHeight || p.ballDistance > kSmotherReach) return;
    Ball_StopAtCurrentPerson();
    const int16_t side = p.passKind;
    const int16_t frame = p.drawnFrame;
    Person_SetAction(person, ACT_KEEPER_RISE_FROM_SMOTHER);
    p.passKind = side;
    p.frame = frame;
    SmotherOutcome(person);
}

void Action_KeeperClearance(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    Person_TurnStep(person,
                    Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y));
    const bool within = Person_RangeCheck(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y,
                                          kClearReach, kClearHeight)
                        == 0;
    Person_RunStepBoosted(person, kClearRun, kSlideAccel);
    if (Person_RunAnim(person, 44, 1 + p.kicked, ACT_KEEPER_IDLE) == 0 || !within) return;
    if (p.drawnFrame < kClearFrame) {
        Ball_StopAtCurrentPerson();
        return;
    }
    if (p.kicked != 0) return;
    Say(141, person);
    Ball_SetShotSwerve(person, -1);
    const int32_t length = 2 * Person_Skill(p, kKickingSkill) + 120;
    Person_VectorFromAngle(p.facing, length, 256);
    Ball.velX = StepX * 4096;
    Ball.velY = -StepY * 4096;
    Ball.velZ = 147456 - Person_Skill(p, kAnticipationSkill) * 512;
    KickBook_Strike(person, KICK_KIND_CLEARANCE);
}
