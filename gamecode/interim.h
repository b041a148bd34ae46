// gamecode/interim.h: engine operations whose full rules are still to come; their stand-in
// bodies live in interim.cpp. Each name carries "Interim" until the real operation, under the
// name without it, takes its place in its owner's header.
#pragma once

#include <cstdint>

// The line-up refill.
void Team_InterimRefillLineup(int32_t side);

void Officials_InterimUpdate();
void Match_InterimFatigue();

// Kicks a pass from `kicker` at once at `receiver`, aimed at (x, y): the receiver goes to action
// 17 with that receive point, the kicker to 3.
void Person_InterimAimKickAt(int32_t kicker, int32_t receiver, int32_t x, int32_t y);
// The carrier with the ball (the current person): near goal he shoots; pressed within 48 units
// he passes to the nearest free team-mate ahead, shoots within 800 of goal or kicks long toward
// it; else he runs on with the ball 4 units in front of him. Without the ball he runs to its near
// look-ahead point.
void Team_InterimCarrierDecision(int32_t person);
// The defender going at the carrier runs toward the ball's near look-ahead point; the contacts
// then decide who has the ball.
void Team_InterimCloseDownCarrier(int32_t defender);
// Receiver choosers: each gives the nearest on-pitch team-mate of slots 1-10 at least 32 units
// ahead of the carrier, within 480, with no opponent within 48 of him; -3 when none.
int32_t Person_InterimPickFacingPass(int32_t carrier, int32_t mode);
int32_t Person_InterimPickMediumPass(int32_t carrier, int32_t mode);
int32_t Person_InterimPickLongPass(int32_t carrier);
int32_t Person_InterimPickLongLeadPass(int32_t carrier);
// Kick set-ups: a pass kicked at once at the receiver's feet (he goes to action 17); with a
// negative receiver Person_InterimAimCrossOrShot shoots at the goal the kicker attacks.
void Person_InterimAimLeadPass2(int32_t kicker, int32_t receiver);
void Person_InterimAimPassToFeet(int32_t kicker, int32_t receiver);
void Person_InterimAimLeadPass(int32_t kicker, int32_t receiver);
void Person_InterimAimCrossOrShot(int32_t kicker, int32_t receiver);
// A long kick 480 units along the direction, high (upward 120000); the kick target point is
// stored.
void Person_InterimLongKickAlong(int32_t kicker, int32_t direction);
// No volley or header yet: the person keeps his action.
void Person_InterimTryVolley(int32_t person);
// Keeper actions: outside open play he walks to his goal spot; in open play and at a penalty he
// keeps between the ball and the goal, saves shots that reach him (Rand() % 100 < 40 + skill 0 /
// 2) and clears a slow ball in his area.
void Action_InterimKeeper(int32_t person);
// Actions 69 and 70: 150 ticks of celebration; then the scorer (69) ends the celebration and both
// walk back (3).
void Action_InterimCelebrate(int32_t person);
// Actions 33 and 73, a player struck by the ball: he stays down 50 ticks, then walks back (3).
void Action_InterimKnockedDown(int32_t person);
// Action 108, a chaser who reached his point: he walks back to his place (3).
void Action_InterimChaseArrived(int32_t person);
// The handler of every action whose rules are still to come: the player keeps his position,
// facing and animation.
void Action_InterimHold(int32_t person);

// Who takes the restart awarded in `awardedPhase` (1-5 or 12) for KickingSide and where its kick
// aims: the taker and the ball are put on the restart spot, the ball stopped at his feet, the
// taker and the other side's nearest player made active and the taker given his restart action.
struct RestartPlacement {
    int32_t taker;
    int32_t aimX;
    int32_t aimY;
};
RestartPlacement Restart_InterimTaker(int32_t awardedPhase);
// The handler of the restart takers' actions (21, 22, 53, 123, 157): he holds the ball on the spot
// facing his aim and plays it on the 30th tick, which returns the match to open play.
void Action_InterimTaker(int32_t person);

// No offside marks yet: nobody is marked.
void Match_InterimMarkOffsidePositions(int32_t person);

// The person picked as player of the match, -1 nobody.
int32_t Match_InterimPickPlayerOfMatch();
