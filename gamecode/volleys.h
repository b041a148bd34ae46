// gamecode/volleys.h: how a player meets a fast or high ball coming at him: a lay-off on the
// chest, a header, a volley, a first-time shot at a bouncing ball, a control to one side or a
// missed control.
#pragma once

#include <cstdint>

// For a ball coming at `person` (its direction within 32 of the direction from it to him, fast
// or at 16 or higher, never below 3) that he can meet at 6 or higher, the first case whose
// bounds of meeting height, tick and distance fit chooses his action: the chest lay-off (86),
// a header or volley, the low volley (49 or 50), the missed control (99), the first-time shot
// (80, 83, 84 or 51, or 88 far from goal) or the control to one side (114, 115). His expected
// ball point becomes the meeting point, and for the cases that wait for the ball the action
// parameter the meeting tick. When no case fits he keeps his action.
void Person_TryVolley(int32_t person);
// The header or volley of `person` for a ball met in the air, by how far his facing is off
// dirToGoal (his carry direction toward goal): flag 1 for the lay-off's and the far high ball's
// finish, 0 for a high ball nearer goal. The action parameter becomes the meeting tick.
void Person_ChooseHeader(int32_t person, int32_t dirToGoal, int32_t flag);
