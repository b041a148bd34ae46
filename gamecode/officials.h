// gamecode/officials.h: the referee and his two linesmen: their state machine (following play,
// whistles, talking to, booking and sending off the offender, flags, leaving after the last
// whistle) and the referee's rules that the player actions consult.
#pragma once

#include <cstdint>

// Once per tick, between the player refresh and the players' actions: the referee (32), then
// the linesmen (33, 34) each run the handler of their state (their action word, 0-15) from their
// own position; a linesman's animation is -1 afterwards. A state outside 0-15 is fatal
// "Officials_Update(): bad state %d - official %d".
//
// The referee carries out RefereeDecision on Offender once the foul phase has whistled: 7 he
// talks to him, 8 books him (a second booking goes on to 9), 9 sends him off. While he deals
// with him Match.followedObject is the referee, afterwards the ball. Each card is shown on the
// info bar (6, 7), logged as an event row (2 a booking, 3 a straight sending-off, the player by
// id in b) and entered in the side's card list; a sending-off raises Match.dismissals and, for a
// side a human runs, its SubstitutionRequest. An offender outside 0-31 or off the pitch is
// forgotten: the decision is cleared at once.
void Officials_Update();

// The referee whistles: state 6 with whistle kind `signal` (1 a restart, 2 a foul, 3 the end of
// a period), taking `returnState` when the whistle's animation ends.
void Referee_Whistle(int32_t signal, int32_t returnState);

// 1 when the side being run (CurrentSide) is the lenient one (Match.official[2] = side + 1) and
// a draw % 100 is below 30: that foul goes unpunished. No draw for the other side.
int32_t Match_RollChance30();
