// gamecode/keeperball.h: the keeper with the ball: taking it into his hands after a catch or a
// gather, holding it while his side's restart is set up, the smother at an attacker's feet with
// the collision that may follow, the clearance of a ball he reached outside his box, and the
// distribution: his throw or kick from the hands, and the goal kick.
#pragma once

#include <cstdint>

// The ball stands stopped on the ground where the running person stands (CurrentPersonPos).
void Ball_StopAtCurrentPerson();
// The ball in the keeper's hands: he holds it and touched it last; it stands stopped where he
// stands.
void Keeper_BallInHands(int32_t person);

// The take-ball step: a keeper who has the ball in open play holds it (124) and the match enters
// the keeper's ball (phase 12) with the catch point in Match.goalKickSpot and RestartSpot; a
// shoot-out kick caught before the strike is measured ends as saved (phase 20); anywhere else
// he lets it go and goes back to 122.
void Keeper_TakeBall(int32_t person);

// Action 120: the ball goes up to his hands (height 8), then the take-ball step.
void Action_KeeperTakeBall(int32_t person);
// Action 124: he holds the ball at his feet, facing the far goal, until the restart's set-up
// moves him on.
void Action_KeeperHoldAtFeet(int32_t person);
// Actions 128, 149 and 150: he gathers the ball he caught through the rest of his animation,
// then the take-ball step.
void Action_KeeperGather(int32_t person);
// Action 151: he gets up with the ball after a smother; the take-ball step in open play.
void Action_KeeperRiseFromSmother(int32_t person);
// Action 145: he dives at a loose ball at his feet; reaching it (4 high or lower, 9 away or
// nearer) he has it (151) and the other side's active player's part decides: a foul either way,
// a clean smother, a fall (102) and an injury.
void Action_KeeperSmother(int32_t person);
// Action 133: he runs at a ball outside his box and kicks it clear at frame 38 of his kick.
void Action_KeeperClearance(int32_t person);

// Action 123: the keeper holding his catch picks a receiver among the next Rand() % 5 + 5 entries
// of his proximity list (15-70 yards away, inside x 456-1136; a trailing side also 15 yards and
// near the touchlines), waits, winds up to the kick's length / 8 and throws (159) to a free
// receiver less than 960 units away, else kicks from his hands (131).
void Action_KeeperDistribute(int32_t person);
// Action 159: the throw, released at frame 76 toward the pass point; the receiver runs to where
// it lands.
void Action_KeeperThrow(int32_t person);
// Action 131: the kick from his hands at frame 93, carrying the ball to his box's edge first.
void Action_KeeperKickFromHands(int32_t person);
// Action 132: the goal kick, struck at frame 80 of his run-up.
void Action_KeeperGoalKick(int32_t person);
// Action 157: he puts the ball on the goal-kick spot and walks 64 behind it (then 156).
void Action_KeeperWalkToGoalKick(int32_t person);
// Action 156: the goal kick's receiver (Rand() % 5 + 2 candidates 640-1200 away) and wind-up,
// then he steps back (158).
void Action_KeeperAimGoalKick(int32_t person);
// Action 158: he walks backward from the ball until 70 away, then runs up (132).
void Action_KeeperGoalKickStepBack(int32_t person);
// Actions 160 and 161: a gesture, then the action saved for after it.
void Action_KeeperGesture(int32_t person);
