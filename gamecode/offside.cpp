// gamecode/offside.cpp: offside marks, the linesman's call and the restart flags kept with them.
#include "gamecode/offside.h"

#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kSkillOnside = 12;
constexpr int32_t kYard = 16;
constexpr int32_t kGroupMissed = 119;
constexpr int32_t kGroupFlagged = 120;
constexpr int32_t kGroupWellOffside = 121;

// Beyond the opponents' last defender, on the pitch and past halfway, toward the goal his side
// attacks.
bool InOffsidePosition(int32_t person)
{
    const int32_t side = Person_Side(person);
    const MatchPerson& p = MatchPersons[person];
    const int32_t line = LastDefenderLine[side ^ 1];
    if (p.offPitch != 0) return false;
    if (AttacksUp(side)) return p.y > line && p.y > PITCH_CENTRE_Y;
    return p.y < line && p.y < PITCH_CENTRE_Y;
}

bool BallInAttackedHalf(int32_t side)
{
    const int32_t y = MatchPersons[MATCH_BALL].y;
    return AttacksUp(side) ? y > PITCH_CENTRE_Y : y < PITCH_CENTRE_Y;
}

bool BallGoesForward(int32_t side) { return AttacksUp(side) ? Ball.velY > 0 : Ball.velY < 0; }

void GiveOffside(int32_t player)
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    MatchPerson& p = MatchPersons[player];
    RestartSpot[0] = ball.x;
    RestartSpot[1] = ball.y;
    OffsideSide = static_cast<uint8_t>(Person_Side(player));
    ++p.stats.offsides;
    PhaseTimer = 0;
    MatchPhase = PHASE_OFFSIDE;
    if (p.y > PITCH_CENTRE_Y) {
        Person_SetAction(MATCH_LINESMAN_1, OFFICIAL_FLAG_OFFSIDE_LEFT);
    } else {
        Person_SetAction(MATCH_LINESMAN_2, OFFICIAL_FLAG_OFFSIDE_RIGHT);
    }
}

}  // namespace

void Match_MarkOffsidePositions(int32_t passer)
{
    if (MatchPhase != PHASE_OPEN_PLAY) return;
    const int32_t side = Person_Side(passer);
    const bool forward = BallGoesForward(side);
    for (int32_t slot = 1; slot <= 10; ++slot) {
        const int32_t person = LineUp[side][slot];
        MatchPerson& p = MatchPersons[person];
        p.offsideMark = 0;
        if (person == passer || !forward || !InOffsidePosition(person)) continue;
        p.offsideMark = 1;
        if (p.offsideRecovery == 0) {
            const int32_t skill = Person_EffectiveSkill(person, Person_Skill(p, kSkillOnside));
            p.offsideRecovery = static_cast<int16_t>((100 - skill) / 2 + 1);
        }
    }
}

void Match_CallOffside(int32_t player)
{
    if (MatchPhase != PHASE_OPEN_PLAY) return;
    const int32_t side = Person_Side(player);
    const MatchPerson& p = MatchPersons[player];
    if (!BallInAttackedHalf(side) || p.offsideMark == 0 || !InOffsidePosition(player)) return;
    const int32_t beyond = std::abs(p.y - LastDefenderLine[side ^ 1]);
    if (beyond < kYard) {
        if (Rand() % 100 > Match.linesmanAccuracy) {
            Comm_Say(kGroupMissed, side, player, -1, 0);
            return;
        }
        Comm_Say(kGroupFlagged, side, player, -1, 0);
    } else {
        Comm_Say(kGroupWellOffside, side, player, -1, 0);
    }
    GiveOffside(player);
}

void Match_ClearPlayerFlags()
{
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        MatchPerson& p = MatchPersons[person];
        p.offsideMark = 0;
        if (MatchPhase != PHASE_OPEN_PLAY) p.offsideRecovery = 0;
    }
}
