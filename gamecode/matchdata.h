// gamecode/matchdata.h: what the in-match and result screens read of the played match, and the
// few changes they make to it: the score, the set-piece takers, substitutions and the line-up,
// the players' ratings and match records, and each player's figures for the text view.
#pragma once

#include <cstdint>

#include "game/matchblocks.h"
#include "game/matchfigures.h"
#include "gamecode/matchstate.h"

// Writes side 0's goals to the first and third, side 1's to the second and fourth.
void Football_GetScore(uint16_t* home, uint16_t* away, uint16_t* home2, uint16_t* away2);

// The taker tables hold person indexes (side * 16 + slot); the Is... questions answer 1 when the
// side's entry is that person, else 0. A side other than 0 and 1 or a slot outside 0-15 is fatal
// "Football_SetCornerTaker(): bad side %d or slot %d" (each setter its own name).
void Football_SetCornerTaker(int32_t side, int32_t slot);
void Football_SetFreeKickTaker(int32_t side, int32_t slot);
// The same as Football_SetFreeKickTaker; the in-match screens write both, this one first.
void Football_SetFreeKickTaker2(int32_t side, int32_t slot);
void Football_SetPenaltyTaker(int32_t side, int32_t slot);
void Football_SetCaptain(int32_t side, int32_t slot);
int32_t Football_IsCornerTaker(int32_t side, int32_t slot);
int32_t Football_IsFreeKickTaker(int32_t side, int32_t slot);
int32_t Football_IsPenaltyTaker(int32_t side, int32_t slot);
int32_t Football_IsCaptain(int32_t side, int32_t slot);

// Brings `slotOn` on for `slotOff`: the commentary (group 112, the player going off first) and
// the info bar say so, an event row of kind
// 1 (the side, the player going off and the one coming on) is logged, the side's request is
// cleared, the two line-up entries swap, the newcomer takes the other's place and action with
// participation 50 and is no longer a bench player, and the side's count rises by one.
void Football_Substitute(int32_t side, int32_t slotOn, int32_t slotOff);
// Both sides' SubstitutionRequest cleared.
void Football_ClearSubstitutionRequests();
// The side's formation block, TeamShape[side].
TacticsRecord* Football_GetFormation(int32_t side);
// TeamShape[side] becomes the formation a computer side plays: its MatchSide formation 0, or
// built-in formation 0 when that is empty (the first set-up chooses it the same way).
void Football_CopyFormation(int32_t side);
// TeamShape[side] becomes the tactic the side plays by its number: a human side's built-in
// tactic from the tactics file, its custom tactic n (40 + n) from its own record n; a number past
// the twelve, an empty custom tactic or a computer side falls back to Football_CopyFormation's
// choice.
void Football_LoadFormation(int32_t side);
// The side's working record TacticCopies[side] re-read by its tactic number, as above.
void Football_CopyPlayerToView(int32_t side);
// Swaps the line-up entries holding the two persons of the side; a bad side or slot is fatal
// "Football_SwapLineUp(): bad side %d or slots %d, %d".
void Football_SwapLineUp(int32_t side, int32_t slotA, int32_t slotB);
int32_t Football_IsOnPitch(int32_t side, int32_t slot);
// The in-match screens' availability test: 1 until the player has been taken off (substituted,
// sent off or carried off), so a man of the eleven counts only while he plays.
int32_t Football_IsRecEmpty(int32_t side, int32_t slot);
int32_t Football_IsRecActive(int32_t side, int32_t slot);  // participation not 0
// Taken off at least once and still hurt.
int32_t Football_IsSubstitutedAndHurt(int32_t side, int32_t slot);
int32_t Football_IsPlayerHurt(int32_t side, int32_t slot);  // his hurt byte above 0
// The flag the team shape sets when it last gave him his target point (record field 64), and
// his keptGoal word (field 63).
int32_t Football_GetRecWordFB(int32_t side, int32_t slot);
int32_t Football_GetRecWordF9(int32_t side, int32_t slot);
// A substitute who may come on: still on the bench and never taken part.
int32_t Football_IsBenchAvailable(int32_t side, int32_t slot);
// Hurt and injured: he cannot go on and should be taken off.
int32_t Football_MustBeReplaced(int32_t side, int32_t slot);
int32_t Football_GetSubstitutionsUsed(int32_t side);
MatchPerson* Football_GetRecordPtr(int32_t side, int32_t slot);

// The squad slot (0-15) at line-up position 0-15.
int32_t Football_GetSidePlayer(int32_t side, int32_t position);
// The line-up position holding the slot's person. None is fatal
// "Football_GetPlayersPosition: invalid watch game no %d\n".
int32_t Football_GetPlayersPosition(int32_t side, int32_t slot);

// The person's rating 10-99 (raw 98-100 show 97, 101-120 98, above 120 99), 0 for a player who
// never came on, -1 for a participation byte read as negative. The raw rating weighs the record
// fields the engine fills; with `endOfMatch` the winning side's players get 5 more.
int32_t Football_GetPlayerRating(int32_t endOfMatch, int32_t person);

// A player's time on the pitch so far, in match minutes: a starter's from 0, a substitute's
// from the minute he came on, to the clock's minute, or to the minute he left (taken off, sent
// off, carried off). 0 for one who never came on.
int32_t Football_MinutesOnPitch(int32_t person);
// Notes the minute the person leaves the pitch; nothing when he is off it already.
void Football_NoteLeaving(int32_t person);

// The person's match record; nothing while the rating mode word is set. The three effort values
// (fields 2-4: ticks as his side's active player, ticks closing down the carrier, involvement)
// are scaled to 0-95 against the highest of the 32 players. Counters are stored as bytes held at
// 255, and the performance pages' counters go to the record's spare bytes (below). Field 0 is his
// player id; field 14 his possession count, 6 and 56 that count x (100 - skill) / 40 for his
// skills 7 and 21; 58 and 59 his ticks as active player and closing down, in units of 333;
// 57 his condition, 100 less his fatigue and twice his injury total (0-100), 0 once carried off.
void Football_FillPlayerMatchRecord(PlayerMatchRecord* record, int32_t side, int32_t slot);

// Figure `figure` of the record; one outside 0 to PMS_FIGURE_COUNT - 1 is fatal
// "Football_GetMatchFigure(): no figure %d".
int32_t Football_GetMatchFigure(const PlayerMatchRecord& record, int32_t figure);

// The match figures by column header, for every screen that shows a player's figures of a match
// (the in-match performance pages, the match analysis table). The six categories: goalkeeping,
// defence, passing, attack, general, possession.
constexpr int32_t MATCH_FIGURE_CATEGORIES = 6;
constexpr int32_t MATCH_FIGURE_COLUMNS = 6;
// A category's column headers (text numbers); 0 is no column. Outside the table: 0.
int32_t MatchFigures_Header(int32_t category, int32_t column);
// A header's long name, -1 for a header the table does not hold.
int32_t MatchFigures_LongName(int32_t header);
// The sum of the figures behind the header (an attempt is its successes plus its failures); 0
// for a header the table does not hold.
int32_t MatchFigures_Value(const PlayerMatchRecord& record, int32_t header);

// Stores field `field`'s value in *out and returns its label text number. A field outside 0-68
// is fatal "Football_GetPlayerMatchRecordText2() record not found".
int32_t Football_GetPlayerMatchRecordText2(int32_t field, const PlayerMatchRecord& record,
                                           int32_t* out);

// One player's figures as the text view shows them.
struct MatchViewEntry {
    int16_t commitment;     // 0-95
    int16_t participation;  // 0-95
    int16_t condition;      // 0-100
    int16_t rating;         // 0, 10-99
    int16_t goals;
    uint16_t cardBits;  // bits 6-7 the bookings (3 sent off), bits 8-9 the hurt state
};
void Football_BuildMatchView(MatchViewEntry* entry, int32_t side, int32_t slot);
