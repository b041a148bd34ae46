// game/matchfigures.h: the figures of a player's match statistics row: its 69 fields, then the
// counters kept in its spare bytes, which the engine and the statistical simulation both fill.
#pragma once

#include <algorithm>
#include <cstdint>

#include "game/matchblocks.h"

// The figures the performance pages read: the 69 record fields, then the counters kept in the
// record's spare bytes.
enum MatchFigure : int32_t {
    PMS_MISSED_SHOTS = PMR_FIELD_COUNT,
    PMS_MISSED_CROSSES,
    PMS_HEADERS,
    PMS_THROUGH_PASSES,
    PMS_GOOD_PASSES,
    PMS_DANGEROUS_CROSSES,
    PMS_OFFSIDES,
    PMS_TIMES_TACKLED,
    PMS_POSSESSION_LOST,
    PMS_PASSES_RECEIVED,
    PMS_RELAYS,
    PMS_FOULS_CYNICAL,
    PMS_FOULS_UNFAIR,
    PMS_FOULS_NEEDLESS,
    PMS_PROGRESSIVE_RUNS,
    PMS_SET_PIECE_CROSSES_RECEIVED,
    PMS_FREE_KICKS_TAKEN,
    PMS_CORNERS_TAKEN,
    PMS_TACKLES_TRIED,
    PMS_PENALTIES_TAKEN,  // in the match: the shoot-out's kicks are no match figures
    PMS_PENALTIES_SCORED,
    PMS_FREE_KICKS_SCORED,  // goals his side scored from his free kicks and corners
    PMS_CORNERS_SCORED,
    // His passes along the ground made to each team-mate and those completed, by the receiver's
    // shirt - 1 (the record's index).
    PMS_PASSES_TO,
    PMS_COMPLETED_TO = PMS_PASSES_TO + MATCH_SHIRT_COUNT,
    PMS_GOOD_CLEARANCES = PMS_COMPLETED_TO + MATCH_SHIRT_COUNT,
    PMS_CROSSES_COMPLETED,  // field 10 counts the key crosses
    PMS_SHOTS_WIDE_FACED,   // a keeper's
    PMS_CROSSES_UNCLAIMED,  // a keeper's
    PMS_FIGURE_COUNT
};
static_assert(PMS_FIGURE_COUNT - PMR_FIELD_COUNT <= sizeof(PlayerMatchRecord::unread));

// A spare counter (a figure from PMR_FIELD_COUNT on): a byte held at 255 rather than wrapping to
// a small number.
inline int32_t PlayerMatchRecord_GetSpare(const PlayerMatchRecord& record, int32_t figure)
{
    return record.unread[figure - PMR_FIELD_COUNT];
}
inline void PlayerMatchRecord_SetSpare(PlayerMatchRecord* record, int32_t figure, int32_t count)
{
    record->unread[figure - PMR_FIELD_COUNT] = static_cast<uint8_t>(std::clamp(count, 0, 255));
}
