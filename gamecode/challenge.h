// gamecode/challenge.h: whether a defender closing down the carrier tackles, and what a tackle
// that meets the carrier does to him.
#pragma once

#include <cstdint>

// Defender `defender` (the person being run) closing down carrier `carrier`: no tackle while the
// ball is above height 6; else, at a frequency that falls with his tackling and positioning
// skills and the carrier's distance from goal (a third as often with a booking, eight times as
// often on a still ball, more often near his own goal), a standing tackle (89, or the shoulder
// charge 91), a sliding one (56, or the lunge 116) or a block (32), each counted and said unless
// a tackle line was just said. The defender then faces the ball.
void Person_ChooseTackle(int32_t defender, int32_t carrier);

// A tackle by `tackler` (the person being run) meets `carrier`. 1 when the carrier rides it
// (action 37; the ball runs on along his facing when he has it or is within 5) or either of them
// already played the ball; 0 when he is brought down (73 or 33, the ball lost, sound 11), when a
// slide may also hurt him (skills 15 and 16 and his condition fall, his injury total rises).
int32_t Person_ResolveChallenge(int32_t carrier, int32_t tackler);
