// gamecode/stoppageactions.h: what players do while play stands or restarts: the throw-in's
// run-up and release, and walking off at the end of a period.
#pragma once

#include <cstdint>

// Action 41: the thrower steps forward along his aim (passKind) with the ball; 65 units from the
// throw-in point he throws (35).
void Action_ThrowInRunUp(int32_t person);
// Action 35: the throw after the run-up, released once at drawn frame 115 toward the pass target
// point; the receiver runs to meet it (17).
void Action_ThrowInRelease(int32_t person);
// Action 42: the standing throw, released once at drawn frame 71; nobody is sent to meet it.
void Action_StandingThrow(int32_t person);
// Actions 30 and 31: walking off by (-4, 1082) to (-164, 1082), counted in PlayersNotInPlace.
void Action_WalkOff(int32_t person);
void Action_WalkOffTunnel(int32_t person);
