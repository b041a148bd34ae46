// tests/gamecode/playerofmatch_test.cpp: the player of the match from hand-set counters (every
// player rated 65 plus the weights of his counters), the tie-break, and the rows the summary
// writes with the winning side's bonus.
#include "gamecode/playerofmatch.h"

#include <vector>

#include <gtest/gtest.h>

#include "game/matchblocks.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kTakenOff = 11;    // side 0's first bench slot, who played before he went off
constexpr int32_t kUnusedSub = 13;   // may still come on
constexpr int32_t kNotAllowed = 14;  // beyond the substitutes allowed

int32_t RowRating(int32_t person)
{
    const int32_t side = Person_Side(person);
    return PlayerMatchRecord_Get(
        GetMatchDataBlock()->sides[side].players[person - side * MATCH_PERSONS_PER_SIDE],
        PMR_RATING);
}

class PlayerOfMatch : public testing::Test {
protected:
    // The elevens took part with no counters; side 0's slot 11 played and went off; nobody scored.
    void SetUp() override
    {
        SetBareScene();
        *GetMatchDataBlock() = {};
        Match.score[0] = Match.score[1] = 0;
        Match.finalWhistle = 1;
        for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
            MatchPerson& p = MatchPersons[person];
            const int32_t slot = person % MATCH_PERSONS_PER_SIDE;
            p.playerId = static_cast<uint16_t>(500 + person);
            p.matchRating = slot <= 10 || person == kTakenOff ? 50 : 0;
            p.stats.involvement = p.matchRating != 0 ? 10 : 0;
        }
        MatchPersons[kNotAllowed].matchRating = 255;
    }
    ScopedMatch match;
};

}  // namespace

// Each case sets some players' counters; a winner parted from others on his rating by the
// tie-break is rated one higher, a winner alone on it keeps his rating.
TEST_F(PlayerOfMatch, TheBestRatingWinsAndATieGoesToTheTieBreakThenToTheFirst)
{
    struct Counters {
        int32_t person;
        int8_t goals;
        int16_t passes;   // completed, each rated 1
        int16_t touches;  // 0 leaves the pass share out
        int16_t tackles;  // won, each rated 2
        uint16_t involvement;
    };
    struct Case {
        const char* name;
        std::vector<Counters> counters;
        int32_t winner;
        int32_t rating;  // his row
    };
    const Case cases[] = {
        {"one best rating, no tie-break: kept", {{5, 0, 0, 0, 1, 10}, {20, 0, 1, 1, 0, 10}}, 5, 67},
        {"all level: the first, side 0's keeper", {}, 0, 66},
        {"level on rating and tie-break: side 0 first",
         {{20, 0, 0, 0, 1, 10}, {7, 0, 0, 0, 1, 10}},
         7,
         68},
        {"two goals earn nothing, the pass share does",
         {{2, 2, 0, 0, 0, 10}, {24, 0, 16, 16, 0, 10}},
         24,
         82},
        {"three goals earn 300, twelve tackles 240",
         {{25, 3, 0, 0, 0, 10}, {4, 0, 0, 0, 12, 10}},
         25,
         90},
        {"no appearance: skipped", {{3, 0, 0, 0, 10, 0}, {9, 0, 0, 0, 1, 10}}, 9, 67},
        {"a winner alone on 99 keeps it", {{6, 10, 0, 0, 0, 10}}, 6, 99},
        {"a winner parted from another on 99 is stored as 100",
         {{6, 10, 0, 0, 0, 10}, {21, 10, 0, 0, 0, 10}},
         6,
         100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (const Counters& k : c.counters) {
            MatchPersonStats& s = MatchPersons[k.person].stats;
            s.goals = k.goals;
            s.passesCompleted = k.passes;
            s.touches = k.touches;
            s.tackles = k.tackles;
            s.involvement = k.involvement;
        }
        EXPECT_EQ(Match_PickPlayerOfMatch(), c.winner);
        EXPECT_EQ(RowRating(c.winner), c.rating);
    }
}

// The summary rates every player who took part with the winning side's bonus, the one taken off
// too, though only the players on the pitch at the end are ranked; the winner's id stands on his
// side and -1 on the other.
TEST_F(PlayerOfMatch, TheSummaryRatesEveryoneWhoPlayedWithTheWinnersBonus)
{
    Match.score[0] = 1;
    MatchPersons[5].stats.tackles = 1;  // 67 + 5, level with 6 on rating and tie-break
    MatchPersons[6].stats.tackles = 1;
    MatchPersonStats& off = MatchPersons[kTakenOff].stats;  // 72 too, the better tie-break
    off.passesCompleted = 2;
    off.touches = 2;
    WriteMatchSummary();
    const MatchDataBlock* data = GetMatchDataBlock();
    EXPECT_EQ(+data->sides[0].manOfTheMatch, 500 + 5);
    EXPECT_EQ(+data->sides[1].manOfTheMatch, -1);
    EXPECT_EQ(RowRating(5), 73);
    EXPECT_EQ(RowRating(6), 72);
    EXPECT_EQ(RowRating(kTakenOff), 72);
    EXPECT_EQ(RowRating(0), 70);
    EXPECT_EQ(RowRating(16), 65);
    EXPECT_EQ(RowRating(kUnusedSub), 0);
    EXPECT_EQ(RowRating(kNotAllowed), -1);
}
