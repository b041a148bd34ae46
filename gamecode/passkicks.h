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

// The velocity a pass of `action` in `style` gives the ball toward (x, y) from D units along the
// kick direction: Ball_SetVelocityToward with the row's lift and factor (a style-2 pass draws
// between its rows and may swerve). Returns the D the row used after its cap.
int32_t Ball_SendPass(int32_t kicker, int32_t action, int32_t style, int32_t x, int32_t y,
                      int32_t distance);
