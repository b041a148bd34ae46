// gamecode/ballpredict.h: the look-ahead that flies a copy of the ball with the flight's own step,
// leaving the real ball alone: where a lofted ball comes down (and who runs there), where a player
// can meet the ball, and where a shot passes a keeper; beside it two small position helpers of
// the same actions.
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"

inline int16_t (&LandingPoint)[2] = Match.landingPoint;
inline int16_t (&MeetingPoint)[2] = Match.meetingPoint;

// What Ball_PredictMeeting looks for.
enum MeetingMode : int32_t {
    MEETING_FEET,    // a ball at foot or chest height before its first bounce
    MEETING_HEADER,  // a ball on the player's line, along the pitch or across it
    MEETING_KEEPER,  // the ball's nearest approach within a keeper's reach
};
constexpr int16_t MEETING_NONE = 10000;  // the meeting distance when no point was found

// Flies the copy until it comes down (falling, whole height 16 or less; at most 500 steps, a ball
// on the ground lands where it comes to rest), writes LandingPoint, sets the real ball's
// first-bounce flag and puts the landing marker there; then every team-mate of CurrentSide on
// the pitch, in an action up to 16 and nearer than reach to the point, waits there for the high
// ball at run speed 140. A landing point whose x + y is not above 0 sends nobody.
void Ball_PredictLanding(int32_t reach);
// Flies the copy `limit` ticks and writes the meeting point, tick, distance (MEETING_NONE when
// none) and height for the player `person` standing at the exact point (px16, py16), 16.16 fixed
// point; `person` gives the jump skill that bounds a playable height in MEETING_FEET.
void Ball_PredictMeeting(int32_t limit, int32_t px16, int32_t py16, int32_t person, int32_t mode);

// Pulls the current person back to within 10 of either touchline and of either goal line.
void Person_KeepNearPitch();
// Match.restartDistance = the current person's distance to RestartSpot along the direction
// between them.
void Person_DistanceToRestartSpot();
