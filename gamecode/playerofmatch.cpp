// gamecode/playerofmatch.cpp: the player of the match.
#include "gamecode/playerofmatch.h"

#include "game/matchblocks.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"

namespace {

constexpr int32_t kRankedSlots = 11;  // line-up slots 0-10: those on the pitch at the end
constexpr int32_t kHatTrick = 3;

PlayerMatchRecord& RowOf(int32_t person)
{
    const int32_t side = Person_Side(person);
    return GetMatchDataBlock()->sides[side].players[person - side * MATCH_PERSONS_PER_SIDE];
}

bool TookPart(int32_t side, int32_t person)
{
    MatchViewEntry view{};
    Football_BuildMatchView(&view, side, person - side * MATCH_PERSONS_PER_SIDE);
    return view.commitment != 0 || view.participation != 0;
}

// Goals count only from a hat-trick on; the pass share weighs the passes completed against his
// touches.
int32_t TieBreakScore(int32_t person)
{
    const int32_t side = Person_Side(person);
    const MatchPerson& p = MatchPersons[person];
    PlayerMatchRecord record{};
    Football_FillPlayerMatchRecord(&record, side, person - side * MATCH_PERSONS_PER_SIDE);
    const int32_t goals = PlayerMatchRecord_Get(record, PMR_GOALS);
    int32_t score = goals >= kHatTrick ? goals * 100 : 0;
    score += PlayerMatchRecord_Get(record, PMR_ASSISTS) * 50;
    score += (p.stats.secondAssists + PlayerMatchRecord_Get(record, PMR_INTERCEPTIONS)
              + PlayerMatchRecord_Get(record, PMR_TACKLES))
             * 20;
    if (p.stats.touches > 0)
        score += PlayerMatchRecord_Get(record, PMR_PASSES) * 100 / p.stats.touches;
    return score;
}

struct Best {
    int32_t person = -1;
    int32_t rating = 0;
    bool tie = false;
};

// Stores every ranked player's rating in his row and keeps the best.
Best RateRankedPlayers()
{
    Best best;
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t slot = 0; slot < kRankedSlots; ++slot) {
            const int32_t person = LineUp[side][slot];
            if (!TookPart(side, person)) continue;
            const int32_t rating = Football_GetPlayerRating(Match.finalWhistle, person);
            PlayerMatchRecord_Set(&RowOf(person), PMR_RATING, rating);
            if (rating > best.rating) {
                best = {person, rating, false};
            } else if (rating == best.rating && rating > 0) {
                best.tie = true;
            }
        }
    }
    return best;
}

// The first, in side-then-slot order, of the best tie-break score among those rated `rating`.
int32_t BreakTie(int32_t rating)
{
    int32_t winner = -1;
    int32_t winnerScore = -1;
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t slot = 0; slot < kRankedSlots; ++slot) {
            const int32_t person = LineUp[side][slot];
            if (!TookPart(side, person)
                || PlayerMatchRecord_Get(RowOf(person), PMR_RATING) != rating)
                continue;
            const int32_t score = TieBreakScore(person);
            if (score > winnerScore) {
                winner = person;
                winnerScore = score;
            }
        }
    }
    return winner;
}

}  // namespace

int32_t Match_PickPlayerOfMatch()
{
    const Best best = RateRankedPlayers();
    if (best.person < 0) return -1;
    if (!best.tie) return best.person;
    const int32_t winner = BreakTie(best.rating);
    // One more than those he tied with, so that the screens that sort by rating show him first.
    PlayerMatchRecord_Set(&RowOf(winner), PMR_RATING, best.rating + 1);
    return winner;
}
