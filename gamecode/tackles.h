// gamecode/tackles.h: the defender's actions against the carrier: the tackles, the shoulder
// charge and the stumble it causes, and the fouls a tackle, a dive or a handball gives away.
#pragma once

#include <cstdint>

// Actions 28 and 89 (sliding tackles), 56 (block tackle) and 116 (lunge): the tackler runs in for
// the first frames of his animation, kept near the pitch. Meeting the carrier (within 16, in open
// play, the carrier not a keeper and the ball his side's) leaves one ground mark, settles the
// challenge (Person_ResolveChallenge) and may give a foul: the foul record for phase 1 (the
// fouled carrier, the spot where he stands, the fouling side, the tackler as offender), the info
// bar and, unless his side has four dismissals or he keeps goal, the referee's decision: a
// booking, a warning or, for the lunge, a sending-off; the last man in the central band is sent
// off. Reaching the loose ball knocks it on (a clearance), or, for a sliding tackle on a carrier
// keeping it at his feet, takes it into action 90. At the end of his animation he chases (4).
void Action_Tackle(int32_t person);
// Action 105: he slides toward the goal he attacks and clears a loose ball he reaches that way.
void Action_ClearingSlide(int32_t person);
// Action 90: he slides on with the ball he won kept at his feet, then chases (4).
void Action_SlideWithBall(int32_t person);
// Action 91: he charges the carrier, a foul only one time in many; a charge that reaches the
// ball may make the carrier stumble (93) and push the ball on. He leaves off (4) at random once
// past frame 32.
void Action_ShoulderCharge(int32_t person);
// Action 93: the charged player stumbles on slowly until he recovers (4).
void Action_Stumble(int32_t person);
// Action 72: he goes down; the referee gives his side a free kick, books him for the dive or
// lets play go on.
void Action_DiveForFoul(int32_t person);
// Action 99: he plays the ball with his hand, at once a foul unless the lenient side's pardon
// holds, sometimes a booking.
void Action_Handball(int32_t person);

// Action 108: he jockeys the carrier, turned toward the point his run aimed at, while he stands
// in the carrier's path and no nearer the ball than the carrier; else he chases (4) again.
void Action_Jockey(int32_t person);
