// gamecode/kickbook.h: the books every strike of the ball keeps: who kicked it last and how, the
// shots counted and on target, and the special shot records the goal phase credits.
#pragma once

#include <cstdint>

// Kinds of Match.lastKickKind.
enum KickKind : int16_t {
    KICK_KIND_OTHER = 0,
    KICK_KIND_ALONG_GROUND = 1,  // a pass along the ground
    KICK_KIND_LOFTED = 2,        // a lofted or long pass, a cross
    KICK_KIND_CLEARANCE = 4,     // a long kick along a direction
    KICK_KIND_HEADED_PASS = 5,
    KICK_KIND_SHOT = 6,
    KICK_KIND_KEEPER = 9,  // a keeper's throw or kick
};

// How a pass counts: along the ground (styles 0 and 2, back-heels), long (style 1), through
// (style 3, a long pass too) or a cross.
enum PassBook : int8_t { PASS_BOOK_GROUND, PASS_BOOK_LONG, PASS_BOOK_THROUGH, PASS_BOOK_CROSS };

// The set pieces a goal can be scored from: the taker's side scores while the set piece's attack
// is still on (see KickBook_Goal).
enum SetPieceKind : uint8_t {
    SET_PIECE_NONE,
    SET_PIECE_CORNER,
    SET_PIECE_FREE_KICK,
    SET_PIECE_PENALTY
};

// Shot records of the goal phase: a penalty, a direct free kick, a header at goal.
enum ShotRecord : int32_t { SHOT_RECORD_PENALTY, SHOT_RECORD_FREE_KICK, SHOT_RECORD_HEADER };

// The kind of `kicker`'s strike toward ShotTarget: a shot when it lies behind the goal line his
// side attacks, else a long kick along a direction.
int32_t KickBook_ShotKind(int32_t kicker);
// A strike by `kicker` (velocity already given): the ball is nobody's until a touch controls it,
// the kicker is its last toucher and his side's last kicker, the kick's kind is kept, the kicker
// cools down and the kick counts as made; no shot record stays, and a restart being taken
// becomes open play. A corner, a free kick or a penalty (the shoot-out's kicks are no match
// figures) counts for its taker and starts its attack; any restart, or a strike by the other
// side, ends the attack before; any strike after a penalty ends it as a penalty missed (an event
// row of kind 4: side, player id).
void KickBook_Strike(int32_t kicker, int32_t kind);
// A touch by `person` of the side defending a corner or a free kick ends its attack.
void KickBook_Touch(int32_t person);
// A goal for side `scoring` (not in the shoot-out): scored from the corner, free kick or penalty
// whose attack is still on when that side took it in the same period, the taker's count; a
// penalty's attack lasts only until the next strike, so only the kick itself scores it. The
// attack ends.
void KickBook_Goal(int32_t scoring);
// Where the per-receiver pass tables count `person`: his shirt - 1, or -1 for a team-sheet byte
// outside 1-16 (a corrupt block's).
int32_t KickBook_ReceiverSlot(int32_t person);
// A pass struck by `kicker` toward (x, y) for `receiver` (-1 none): the kicker's passes (or
// crosses) struck, the pass time-out and the last receiver. A receiver runs to meet the ball at
// (x, y) (action 17) and the pass waits in its record (crosses in the second) for a touch to
// complete or cut it out; a cross makes the kicker the second provider, any other pass clears it.
void KickBook_Pass(int32_t kicker, int32_t receiver, int32_t x, int32_t y, PassBook book);
// A ball headed or volleyed on by `kicker` (struck already) as a pass: he is his side's last
// passer and last in possession and the pass time-out runs; for `receiver` (a team-mate; -1
// none) the pass waits in the third record, the header's, for a touch to complete or cut it out.
void KickBook_HeadedPass(int32_t kicker, int32_t receiver);
// A counted shot by `shooter`: his and his side's shots, the shooter word with the ball's place
// and the clock, and the pass provider (the assist candidate when the shooter received his pass).
void KickBook_Shot(int32_t shooter);
// The pending shot (Match.shooter) is on target: the shooter's and his side's shots on target;
// the word is spent. Nothing without a pending shot.
void KickBook_ShotOnTarget();
// The ball is in the net for side `scoring`: the pending shot of that side was on target, and
// outside the shoot-out a goal that its player `toucher` put in without a counted shot (a header
// or a cross that went in, a strike from afar) is his shot, on target. The shot word is spent.
void KickBook_GoalShot(int32_t scoring, int32_t toucher);
// The pending shot went wide for a goal kick: the shooter's missed shots and, for the penalty of
// the first shot record, his penalties missed. The word is spent.
void KickBook_ShotMissed();
// No shot record holds a strike: every restart's set-up starts without one.
void KickBook_ClearShotRecords();
// Record `record` holds `person`'s strike; the other two are cleared.
void KickBook_SetShotRecord(int32_t record, int32_t person);
