// gamecode/actions.h: the player action dispatcher: every player on the pitch runs the handler of
// his action once per tick, sent-off players leave, and a quarter of the persons a tick refresh
// their direction to the ball, their head and one side's last-defender line.
#pragma once

#include <array>
#include <cstdint>

#include "gamecode/actionids.h"
#include "gamecode/matchstate.h"

// A handler runs the person's action for one tick (person 0-31). It moves him only through
// CurrentPersonPos; a new action it sets first runs on the next tick.
using ActionHandler = void (*)(int32_t person);

struct ActionRow {
    int16_t id;
    ActionHandler run;
    const char* name;  // for logs and dumps
};
extern const std::array<ActionRow, ACT_COUNT> ActionTable;

// 1 when a person in that action turns his head toward the ball, 0 when it returns straight.
constexpr std::array<uint8_t, ACT_COUNT> BuildHeadFollowsBall()
{
    constexpr auto kLooksAhead = std::to_array<int16_t>(
        {5,   6,   7,   8,   9,   10,  11,  12,  13,  18,  19,  20,  21,  22,  23,  24,
         30,  31,  34,  35,  36,  38,  39,  40,  41,  42,  46,  47,  48,  51,  53,  69,
         70,  74,  82,  86,  87,  92,  97,  98,  102, 104, 110, 117, 118, 119, 121, 128,
         129, 137, 142, 143, 144, 145, 149, 150, 151, 153, 162, 163, 164, 171, 172, 173});
    std::array<uint8_t, ACT_COUNT> follows{};
    follows.fill(1);
    for (int16_t id : kLooksAhead) {
        follows[id] = 0;
    }
    return follows;
}
constexpr std::array<uint8_t, ACT_COUNT> ActionHeadFollowsBall = BuildHeadFollowsBall();

// Where the running person stands while his handler runs; only its 16.16 values are copied back.
inline PersonPosition& CurrentPersonPos = Match.currentPerson;
inline uint8_t& CurrentSide = Match.currentSide;  // the side of the person being run
// Players still walking to a restart spot this tick; the phase handlers wait while it is not 0.
inline uint8_t& PlayersNotInPlace = Match.playersNotInPlace;
inline uint16_t& PlayerGroupTurn = Match.groupCounter;  // 0-3, advanced by the engine timers
// The y of each side's rearmost outfield player on the pitch: 10000 (defending y 122) or 0
// (defending y 2042) when none counts.
inline int16_t (&LastDefenderLine)[2] = Match.lastDefenderLine;
// The referee's decision being shown: 0 none, 7 warning, 8 booking, 9 sending-off.
inline int16_t& RefereeDecision = Match.refereeDecision;
// The player a foul or a dive is charged to, whom the referee talks to, books or sends off.
inline int16_t& Offender = Match.offender;

// Runs the side drawn first this tick (Match.firstSide), then the other, each side's players in
// order with CurrentSide his side, so that neither side always moves first. A player off the pitch,
// sent off or with two bookings is not run; once no decision is shown, a player just sent off is
// taken off (the line-up refilled first) and any ball-holder word naming him cleared. An action
// outside 0-173 is fatal "player_action(): Player action out of range %d - player %d".
void player_action();
// Runs player `person`'s action once at once, from his position, as player_action would
// (CurrentSide his side), and writes his position back.
void Person_RunActionNow(int32_t person);
// Refreshes persons 0-7, 16-23, 8-15 or 24-34 by PlayerGroupTurn, then LastDefenderLine of
// their side (CurrentSide).
void UpdatePlayerGroup();
// Records the match tick as the person's first play tick, or else as his latest.
void Person_StampPlayTime(int32_t person);
