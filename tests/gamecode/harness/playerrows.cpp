// tests/gamecode/harness/playerrows.cpp: the player rows of the match just played.
#include "tests/gamecode/harness/playerrows.h"

#include <algorithm>
#include <string>

#include "game/matchblocks.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"

namespace {

std::string RowFault(int32_t person, const std::string& what)
{
    return "person " + std::to_string(person) + ": " + what;
}

constexpr int32_t kRankedSlots = 11;

// Whether another player on the pitch at the end shares the player of the match's rating.
bool SharesHisRating(int32_t star, int32_t rating)
{
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t slot = 0; slot < kRankedSlots; ++slot) {
            const int32_t person = LineUp[side][slot];
            if (person != star && Football_GetPlayerRating(1, person) == rating) return true;
        }
    }
    return false;
}

// The rating a row must carry, or a fault.
std::string CheckRow(int32_t person, int32_t row, bool star)
{
    const int32_t rating = Football_GetPlayerRating(1, person);
    const bool tookPart = rating > 0;
    if (star && !tookPart) return RowFault(person, "player of the match who did not play");
    if (tookPart && (rating < 10 || rating > 99))
        return RowFault(person, "rated " + std::to_string(rating));
    if (!tookPart && rating != 0 && rating != -1)
        return RowFault(person, "rated " + std::to_string(rating) + " without playing");
    const int32_t expected = star && SharesHisRating(person, rating) ? rating + 1 : rating;
    if (row != expected)
        return RowFault(person,
                        "row " + std::to_string(row) + ", expected " + std::to_string(expected));
    return {};
}

}  // namespace

std::string CheckPlayerRows()
{
    const MatchDataBlock& data = *GetMatchDataBlock();
    int32_t stars = 0;
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t id = data.sides[side].manOfTheMatch;
        for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
            const int32_t person = side * MATCH_PERSONS_PER_SIDE + slot;
            const bool star = id >= 0 && MatchPersons[person].playerId == id;
            stars += star;
            const std::string fault = CheckRow(
                person, PlayerMatchRecord_Get(data.sides[side].players[slot], PMR_RATING), star);
            if (!fault.empty()) return fault;
        }
    }
    if (stars != 1) return std::to_string(stars) + " players of the match";
    return {};
}

std::string CheckMinutesOnPitch(int32_t length)
{
    constexpr uint8_t SUBSTITUTION = 1, BOOKING = 2, SENDING_OFF = 3;
    const MatchDataBlock& data = *GetMatchDataBlock();
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
            const int32_t id = MatchPersons[side * MATCH_PERSONS_PER_SIDE + slot].playerId;
            int32_t on = slot < MATCH_STARTERS ? 0 : -1, off = length, leeway = 0, bookings = 0;
            for (int32_t e = 0; e < data.eventCount; ++e) {
                const MatchEventRow row = data.events[e];
                if (row.a != side) continue;
                if (row.kind == SUBSTITUTION && row.c == id) on = row.minute;
                if (row.kind == BOOKING && row.b == id) ++bookings;
                // A second booking's row stands for the sending-off: none follows it.
                const bool sentOff =
                    row.kind == SENDING_OFF || (row.kind == BOOKING && bookings == 2);
                if ((row.kind == SUBSTITUTION || sentOff) && row.b == id && row.minute < off) {
                    off = row.minute;
                    leeway = sentOff ? 1 : 0;
                }
            }
            const int32_t expected = on < 0 ? 0 : off - on;
            const int32_t minutes =
                PlayerMatchRecord_Get(data.sides[side].players[slot], PMR_TIME_ON_PITCH);
            if (minutes < expected || minutes > expected + leeway)
                return RowFault(side * MATCH_PERSONS_PER_SIDE + slot,
                                std::to_string(minutes) + " minutes, expected "
                                    + std::to_string(expected));
        }
    }
    return {};
}
