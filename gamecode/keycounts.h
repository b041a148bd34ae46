// gamecode/keycounts.h: the counts of the players' match statistics row that say what a touch of
// the ball led to: key passes and crosses, runs with the ball, key tackles and interceptions, key
// and good clearances, crosses received from set pieces, the kinds of foul and what a keeper
// faced. docs/formats.md says what each counts, beside the record that shows them.
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"

struct KeyCountsRecord {
    int16_t keyPasses;  // passes whose receiver shot before the other side touched the ball
    int16_t keyCrosses;
    int16_t keyRuns;          // runs with the ball in the third he attacks
    int16_t progressiveRuns;  // runs with the ball toward the goal he attacks
    int16_t keyInterceptions;
    int16_t keyTackles;      // won inside his own penalty area
    int16_t keyClearances;   // struck inside his own penalty area
    int16_t goodClearances;  // the others that his own side reached first
    int16_t setPieceCrossesReceived;
    int16_t foulsCynical;  // a sliding or block tackle that drew a card
    int16_t foulsUnfair;   // a lunge
    int16_t foulsNeedless;
    int16_t shotsWideFaced;    // a keeper's: shots at his goal that went wide
    int16_t crossesUnclaimed;  // a keeper's: crosses completed in his penalty area
};

extern KeyCountsRecord KeyCounts[MATCH_PLAYER_COUNT];  // owned by KeyCounts, by person

// Every count 0 and nothing pending: each match's start.
void KeyCounts_Reset();

// A pass completed by `receiver` from team-mate `passer`: record kind 0 along the ground or
// long, 1 a cross, 2 headed on. It waits for the receiver's shot; a cross received while the
// corner or free kick it came from is still on counts as received from a set piece, and one
// received inside the other side's penalty area is a cross that area's keeper did not claim.
void KeyCounts_PassCompleted(int32_t kind, int32_t passer, int32_t receiver);
// A touch of the ball by `person`: one by the other side spends the waiting pass, and the first
// touch after a clearance makes it good when it is the clearer's side's.
void KeyCounts_Touch(int32_t person);
// A counted shot: the waiting pass whose receiver shoots is a key pass (or cross).
void KeyCounts_Shot(int32_t shooter);
// A shot that went wide: a shot faced by the keeper of the other side.
void KeyCounts_ShotWide(int32_t shooter);
// A clearance struck by `person` with the ball at (x, y).
void KeyCounts_Clearance(int32_t person, int32_t x, int32_t y);
// A pass of the other side cut out by `person` at (x, y).
void KeyCounts_Interception(int32_t person, int32_t x, int32_t y);
// A tackle by `person` at (x, y) that won the ball.
void KeyCounts_Tackle(int32_t person, int32_t x, int32_t y);
// A touch ahead on a run with the ball, from (x, y) with the ball sent `velY` along y.
void KeyCounts_Run(int32_t person, int32_t y, int32_t velY);
// A foul given against `offender` for a tackle: `lunge` for the lunge, `carded` when it drew a
// booking or a sending-off.
void KeyCounts_TackleFoul(int32_t offender, bool lunge, bool carded);
