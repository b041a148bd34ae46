// gamecode/interim.cpp: stand-ins that keep a match correct while the engine's full rules are
// still to come. Each comment names what replaces the body.
#include "gamecode/interim.h"

#include <cstdlib>

#include "engine/fatal.h"
#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"

namespace {

struct CommentaryState {
    CommentaryListener listener;
    int32_t context[5];
};

CommentaryState s_commentary;

constexpr int32_t kTakerKickTick = 30;
constexpr int32_t kAfterKickTicks = 16;
constexpr int32_t kPenaltyFactor = 65536 / 25;
constexpr int32_t kPassFactor = 65536 / 100;
constexpr int32_t kYards70 = 1120;
constexpr int32_t kYards10 = 160;

struct Point {
    int32_t x;
    int32_t y;
};

struct Restart {
    Point spot;
    Point aim;
};

// The restart spot and aim of each family, as the family handlers will place them.
Restart PlaceThrowIn()
{
    const Point spot{Match.throwInSpot[0], Match.throwInSpot[1]};
    const int32_t inward = spot.x < PITCH_CENTRE_X ? kYards10 : -kYards10;
    return {spot, {spot.x + inward, spot.y}};
}

Restart PlaceGoalKick()
{
    const bool highEnd = Match.goalKickSpot[1] > PITCH_CENTRE_Y;
    const int32_t x = Match.goalKickSpot[0] < PITCH_CENTRE_X ? 636 : 956;
    const int32_t y = highEnd ? 1946 : 218;
    return {{x, y}, {x, highEnd ? y - kYards70 : y + kYards70}};
}

Restart PlaceCorner()
{
    const bool highEnd = Match.cornerSpot[1] > PITCH_CENTRE_Y;
    const int32_t x = Match.cornerSpot[0] < PITCH_CENTRE_X ? 160 : 1432;
    return {{x, highEnd ? 2038 : 126}, {PITCH_CENTRE_X, highEnd ? 1946 : 218}};
}

Restart PlaceKeeperBall()
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const int32_t toward = ball.y > PITCH_CENTRE_Y ? -kYards70 : kYards70;
    return {{ball.x, ball.y}, {ball.x, ball.y + toward}};
}

Restart PlaceFreeKick()
{
    const Point spot{RestartSpot[0], RestartSpot[1]};
    return {spot, spot};
}

struct TakerFamily {
    int16_t awarded;
    int16_t takerTable;  // TAKER_*, -1 none
    bool keeperTakes;    // else the team-mate nearest the spot
    int16_t action;
    Restart (*place)();
};

constexpr TakerFamily kTakerFamilies[] = {
    {PHASE_FOUL, TAKER_FREE_KICK, false, 53, PlaceFreeKick},
    {PHASE_OFFSIDE, TAKER_FREE_KICK, false, 53, PlaceFreeKick},
    {PHASE_THROW_IN_AWARDED, -1, false, 21, PlaceThrowIn},
    {PHASE_GOAL_KICK_AWARDED, -1, true, 157, PlaceGoalKick},
    {PHASE_CORNER_AWARDED, TAKER_CORNER, false, 22, PlaceCorner},
    {PHASE_KEEPER_HOLDS, -1, true, 123, PlaceKeeperBall},
};

const TakerFamily& TakerFamilyOf(int32_t phase)
{
    for (const TakerFamily& family : kTakerFamilies) {
        if (family.awarded == phase) return family;
    }
    FatalError("Restart_InterimTaker(): phase %d is no restart", phase);
}

int32_t ChooseTaker(const TakerFamily& family, int32_t side, Point spot)
{
    if (family.takerTable >= 0) {
        const int32_t taker = Match.takers[side][family.takerTable];
        if (taker >= 0 && taker < MATCH_PLAYER_COUNT && MatchPersons[taker].offPitch == 0)
            return taker;
    }
    if (family.keeperTakes) return LineUp[side][0];
    return Team_NearestTeammateOrFallback(spot.x, spot.y, -1);
}

// The team-mate of slots 1-10 nearest the taker, or the halfway spot when he has none.
Point NearestTeamMatePoint(int32_t taker)
{
    const MatchPerson& me = MatchPersons[taker];
    Point best{PITCH_CENTRE_X, PITCH_CENTRE_Y};
    int32_t bestDistance = -1;
    for (int32_t slot = 1; slot <= 10; ++slot) {
        const int32_t mate = LineUp[Person_Side(taker)][slot];
        const MatchPerson& p = MatchPersons[mate];
        if (mate == taker || p.offPitch != 0) continue;
        const int32_t distance = std::abs(p.x - me.x) + std::abs(p.y - me.y);
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = {p.x, p.y};
        }
    }
    return best;
}

int32_t AttackedGoalY(int32_t side) { return side == Match.secondOfPair ? 2042 : 122; }

void KeepBallAtFeet()
{
    Person_PlaceAt(MATCH_BALL, CurrentPersonPos.x, CurrentPersonPos.y);
    Ball.x16 = CurrentPersonPos.x16;
    Ball.y16 = CurrentPersonPos.y16;
    Ball_Stop();
    Ball.height = 0;
    Ball.height16 = 0;
}

void PlayRestartBall(int32_t person, Point aim)
{
    MatchPerson& p = MatchPersons[person];
    if (MatchPhase == PHASE_PENALTY_KICK) {
        const int32_t up = (Rand() % 30) * 2000;
        Ball_SetVelocityToward(742 + Rand() % 109, aim.y, up, kPenaltyFactor);
    } else {
        const int32_t up = p.action == 21 ? 20000 : p.action == 22 ? 90000 : 0;
        Ball_SetVelocityToward(aim.x, aim.y, up, kPassFactor);
    }
    Ball.holder = 0;
    Ball.secondHolder = 0;
    p.hasBall = 0;
    Ball_UpdateSpeedDir();
    Ball.lastToucher = static_cast<int16_t>(person);
    LastKicker[Person_Side(person)] = static_cast<int8_t>(person);
    Match.excludedPerson = static_cast<int16_t>(person);
    Ball.afterKick = kAfterKickTicks;
    Person_SetAction(person, 3);
    p.touchCooldown1 = kAfterKickTicks;
    p.kicked = 1;
    MatchPhase = PHASE_OPEN_PLAY;
    PhaseTimer = 0;
}

}  // namespace

// Replaced by the team shape and marking rules.
void EvaluateTeamStrategy() {}
void UpdateTeamStrategy() {}
void Team_PickUpAttackers() {}
void Team_StepBackOnside() {}
void Team_SetMarkingTargets() {}
// Replaced by proximity and the active player.
void Team_SortAndPickActive() {}
// Replaced by the line-up refill and reshaping.
void Team_RefillLineup(int32_t) {}
// Replaced by the formation positions.
void CopySquadStatusToPlayers(int32_t) {}
void SetupFormations(int32_t) {}
// Replaced by the ball contacts and possession.
void Ball_ResolveContacts() {}
// Replaced, id by id, by the handlers of the player actions.
void Action_Hold(int32_t) {}
// Replaced by the officials.
void Officials_Update() {}
// Replaced by the fatigue bookkeeping.
void Match_Fatigue() {}

// Replaced by the kick-off routine: with nobody to kick off, play opens when the wait is over.
void Phase_Kickoff()
{
    if (PhaseTimer > 0) --PhaseTimer;
    if (PhaseTimer != 0) return;
    Match.clockRunning = 1;
    MatchPhase = PHASE_OPEN_PLAY;
}

// Replaced by the shoot-out kick cycle: each kick scores three times in four.
void Phase_ShootoutNextKick()
{
    if (ShootOut_IsDecided(Match.shootoutKicks, Match.shootOutGoals[0], Match.shootOutGoals[1])) {
        MatchPhase = PHASE_PERIOD_OVER;
        PhaseTimer = 0;
        return;
    }
    KickingSide = static_cast<uint8_t>(Match.shootoutKicks & 1);
    if (Rand() % 4 != 0) ++Match.shootOutGoals[KickingSide];
    ++Match.shootoutKicks;
}

// Replaced by the commentary: the draw of the template stays, no line is written yet.
void Comm_Say(int32_t group, int32_t side, int32_t player, int32_t player2, int32_t number)
{
    s_commentary.context[0] = group;
    s_commentary.context[1] = side;
    s_commentary.context[2] = player;
    s_commentary.context[3] = player2;
    s_commentary.context[4] = number;
    static_cast<void>(Rand() % 5);
    if (s_commentary.listener != nullptr)
        s_commentary.listener(group, side, player, player2, number);
}

void Comm_SetListener(CommentaryListener listener) { s_commentary.listener = listener; }

// Replaced by the match-data accessors and ratings.
int32_t Match_PlayerRowRating(int32_t person)
{
    return MatchPersons[person].matchRating == 50 ? 50 : 0;
}

// Replaced by the player of the match.
int32_t Match_PickPlayerOfMatch() { return -1; }

// Replaced by the goal phase and the celebration.
void Phase_InterimGoal()
{
    if (PhaseTimer == 0) {
        PhaseTimer = 50;
        return;
    }
    if (--PhaseTimer != 0) return;
    if (Match.period == MATCH_PERIOD_SHOOT_OUT) {
        MatchPhase = PHASE_SHOOTOUT_NEXT_KICK;
        return;
    }
    const bool topGoal = MatchPersons[MATCH_BALL].y < PITCH_CENTRE_Y;
    const int32_t scoring = topGoal ? Match.secondOfPair ^ 1 : Match.secondOfPair;
    ++Match.score[scoring];
    Ball_PlaceOnCentreSpot();
    DeadBallFlag = 0;
    Match.kickOffSide = static_cast<uint8_t>(scoring ^ 1);
    MatchPhase = PHASE_KICKOFF_AFTER_GOAL;
    PhaseTimer = 100;
}

// Replaced by the throw-in, goal-kick, corner, keeper's-ball and free-kick handlers.
RestartPlacement Restart_InterimTaker(int32_t awardedPhase)
{
    const TakerFamily& family = TakerFamilyOf(awardedPhase);
    const int32_t side = KickingSide & 1;
    const Restart restart = family.place();
    const int32_t taker = ChooseTaker(family, side, restart.spot);
    ActivePlayer[side] = static_cast<uint8_t>(taker);
    ActivePlayer[side ^ 1] = static_cast<uint8_t>(Match.proximity[side ^ 1][0]);
    if (awardedPhase == PHASE_CORNER_AWARDED) ++Match.teamStats[side].corners;
    Person_PlaceAt(taker, restart.spot.x, restart.spot.y);
    Person_PlaceAt(MATCH_BALL, restart.spot.x, restart.spot.y);
    Ball.x16 = restart.spot.x * 65536;
    Ball.y16 = restart.spot.y * 65536;
    Ball_Stop();
    Ball.height = 0;
    Ball.height16 = 0;
    Ball_GiveToPerson(taker);
    Ball.secondHolder = static_cast<int16_t>(taker + 1);
    Person_SetAction(taker, family.action);
    return {taker, restart.aim.x, restart.aim.y};
}

// Replaced by the throw-in, corner, free-kick, penalty and goalkeeper restart actions.
void Action_InterimTaker(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const bool penalty = MatchPhase == PHASE_PENALTY_KICK;
    if (penalty) {
        CurrentPersonPos = {RestartSpot[0], RestartSpot[1], RestartSpot[0] * 65536,
                            RestartSpot[1] * 65536};
    }
    KeepBallAtFeet();
    const Point aim = penalty ? Point{PITCH_CENTRE_X, AttackedGoalY(Person_Side(person))}
                              : NearestTeamMatePoint(person);
    p.facing = static_cast<uint16_t>(
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, aim.x, aim.y));
    if (++p.actionWord == kTakerKickTick) PlayRestartBall(person, aim);
}
