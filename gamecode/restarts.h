// gamecode/restarts.h: the stoppages after the ball left the pitch over a touchline or a goal
// line, and the keeper's ball after a catch: the wait, then the set-up that hands the ball to the
// taker.
#pragma once

#include <cstdint>

// The taker of the restart being set up starts afresh: no receiver, no search, no wait.
void Restart_ResetTaker();

// Phase 3: the side that did not put the ball out waits 90 ticks (divided by 1-4 when it
// trails); then the nearest of its five nearest players on the pitch fetches the ball (21), up to
// three team-mates run to receiving points infield with a marker each (76), and the throw-in is
// taken (phase 6).
void Phase_ThrowIn();

// Phase 5: 90 ticks, then the attacking side's corner taker (or its player nearest the ball)
// fetches the ball at the corner (22), three defenders go to the posts and the edge of the area
// (96), the weakest crosser near the taker may come short (103) and the corner is taken (phase 8).
void Phase_Corner();
// `side`, which defends the corner, becomes KickingSide; its free players nearest (by target
// point) the near post, the far post and the area's edge on the corner's side go there (96).
void Corner_DefendPosts(int32_t side);
// Among the first ten of the taker's proximity list, the team-mate with the smallest skills 1 + 4
// (below 200; the first found on a tie) runs to a short spot by the corner (103).
void Corner_PickShortRunner(int32_t taker);

// Phase 4: the side whose goal line the ball crossed waits 90 ticks (11 when it trails), then
// its keeper walks to the goal-area corner on the ball's side (157) and the goal kick is taken
// (phase 7).
void Phase_GoalKick();
// Phase 12: the keeper holds his catch 90 ticks (11 when his side trails); walking out of his
// area meanwhile is a handling offence (a free kick, phase 1). Then he distributes it (123,
// phase 13).
void Phase_KeeperBall();
