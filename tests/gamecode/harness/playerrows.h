// tests/gamecode/harness/playerrows.h: the player rows of the match just played, checked against
// the engine's state that is still in place.
#pragma once

#include <string>

// Every row of a player who took part carries his end-of-match rating, 10-99, and the player of
// the match one more (100 at most) when the tie-break parted him from another on his rating; any
// other row 0, or -1 beyond the substitutes allowed. There
// is exactly one player of the match, who took part: his id stands in his side's summary and -1
// in the other's. Empty when all this holds, else the first row that breaks it.
std::string CheckPlayerRows();

// Every row's time on the pitch (field 61) against the event rows: a starter from minute 0, a
// substitute from the minute of the substitution bringing him on, to the minute of the one taking
// him off or of his sending-off (one minute's leeway: he walks off after the referee's signal),
// else to `length`; 0 for one who never came on. Empty when all rows agree, else the first that
// does not.
std::string CheckMinutesOnPitch(int32_t length);
