// gamecode/passkicks.h: the kicks that carry out what the carrier decision chose: the short
// animated kicks along the aim direction, the passes in four kick styles and the back-heels.
#pragma once

#include <cstdint>

// Actions 7-13: the row's animation at step 2; the ball stays at his feet until the row's kick
// frame, from which he runs along aimDirection and, once, knocks the ball along it (power skill
// 5; 9, 10 and 13 say their line). At the animation's end: 4 with the row's frame, facing the aim.
void Action_AimedKick(int32_t person);
// Actions 66, 77, 109 and 110: turns toward KickTargetPoint (a back-heel turns his back to it),
// keeps the ball at his feet until the row's window, then strikes it once toward the point by the
// kick style's row (passKind 0-3; back-heels their own) and sends KickTargetPerson, when there is
// one, to meet it (17). Keeps the pass books; a ball a keeper holds sends him back (3), and so does
// the animation's end.
void Action_PassKick(int32_t person);
// Action 94, the free-kick taker's set-piece pass toward KickTargetPoint: runs up to the ball and
// strikes it once from the style's frame (style 0: 38, else 19), along the ground within 10 yards,
// else lofted, for the team-mate nearest the point; the match is open play again. Then 57.
void Action_SetPieceKick(int32_t person);
// Action 57: the set-piece kicker stands until someone else touches the ball or play stops; 0.
void Action_SetPieceWait(int32_t person);

// The velocity a pass of `action` in `style` gives the ball toward (x, y) from D units along the
// kick direction: Ball_SetVelocityToward with the row's lift and factor (a style-2 pass draws
// between its rows and may swerve). Returns the D the row used after its cap.
int32_t Ball_SendPass(int32_t kicker, int32_t action, int32_t style, int32_t x, int32_t y,
                      int32_t distance);
