// gamecode/keeper.h: the goalkeeper in goal: where he stands between ball and goal, when he comes
// for the ball, and the save decision that reads the look-ahead of the ball's path through his
// judgement into one of the saves or into no save at all.
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"
#include "gamecode/motion.h"

inline int16_t& ShotWindow = Match.timers[TIMER_SHOT_WINDOW];  // runs while a penalty flies
inline int16_t (&SavePoint)[2] = Match.savePoint;

// The save for keeper `person` (the person being run, at CurrentPersonPos) reading the ball's
// path from the exact point (pointX16, pointY16) over anticipation / 2 ticks: ACT_KEEPER_IDLE when
// none is needed. Leaves the perturbed intercept words and KeeperDiveDirection; a save also sets
// his receivePoint and SavePoint to the intercept point.
int32_t Keeper_ChooseSave(int32_t pointX16, int32_t pointY16, int32_t person);
// The same from intercept words already filled by the look-ahead: the guess while a penalty
// flies, the misreading rolls and the save tables.
int32_t Keeper_JudgeLookAhead(int32_t person);

// Action 122, keeper idle, for the person being run: only his side's slot-0 keeper stays in it
// (anyone else goes to 0 and brings the keeper back). He stands one eighth of the ball's
// distance out from his goal line, shifted to the ball's side; in open play with the ball near
// enough he saves, claims, blocks, smothers, clears or runs out behind his defence; outside it he
// walks to his spot, or is set on it in a stoppage.
void Keeper_Idle(int32_t person);
// The keeper's empty actions (138, 139, 142, 146-148, 162, 163): he keeps them until other code
// sets a new one.
void Action_KeeperStill(int32_t person);
// Refreshes the person's dirToBall and his ballDistance measured along it from CurrentPersonPos;
// returns the direction.
int32_t Keeper_MeasureBall(int32_t person);
// Whether `side`'s keeper guards the goal at y 122.
bool Keeper_GuardsTop(int32_t side);
struct KeeperSpot {
    int32_t x;
    int32_t y;
};
// Where keeper `person` stands with the ball in direction `a` (0-255) from him: one eighth of
// the ball's distance out from his goal line, 1.7 units aside per direction step the ball lies
// off the straight line down the pitch. In stoppages his line, or by the box for the bottom
// keeper of a shoot-out, stored as his target point.
KeeperSpot Keeper_Spot(int32_t person, int32_t a);
// One tick toward the spot while facing the ball: backpedalling, side-stepping or walking, as
// any player shuffles.
inline void Keeper_StepToSpot(int32_t person, int32_t x, int32_t y)
{
    Person_ShuffleTo(person, x, y);
}
