// tests/game/simmatch_test.cpp: the statistical simulation at its edges: a side losing every man
// on the pitch, and a shoot-out that runs into sudden death with the keepers kicking.
#include "game/simmatch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "engine/random.h"
#include "game/fixtures.h"
#include "game/matchday.h"
#include "game/matchfigures.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/support.h"

namespace {

class SimMatchTest : public testing::Test {
protected:
    void SetUp() override
    {
        MatchBlocks_Init();
        NewGameForTest(0, 3);
        int row = 0;
        while (VTW_GetFixtureCompetition(row) != COMP_LEAGUE) {
            ++row;
        }
        SetupFixture(row);
    }
    void TearDown() override { MatchBlocks_Uninit(); }

    // Side n keeps its first `starters` men and no bench.
    static void ShortenSide(int n, int starters)
    {
        MatchSide& side = GetMatchSidesBlock()->sides[n];
        for (int k = starters; k < MATCH_SHIRT_COUNT; ++k) {
            MatchEntry_Clear(&side.entries[k]);
        }
    }
    static int Get(int side, int k, int field)
    {
        return PlayerMatchRecord_Get(GetMatchDataBlock()->sides[side].players[k], field);
    }

    ScopedWorld m_world;
    ScopedTactics m_tactics;
};

// The minute the last man of side 0 left injured, after two team-mates were sent off; 0 when
// this match went otherwise.
int LastManInjuredAfterTwoSendingsOff()
{
    const MatchDataBlock& d = *GetMatchDataBlock();
    if (d.sides[0].totals[MATCH_TOTAL_SENDINGS_OFF] != 2) return 0;
    int lastSendingOff = 0;
    for (int e = 0; e < d.eventCount; ++e) {
        if (d.events[e].kind == 3 && d.events[e].a == 0) lastSendingOff = d.events[e].minute;
    }
    for (const PlayerMatchRecord& r : d.sides[0].players) {
        const int minutes = PlayerMatchRecord_Get(r, PMR_TIME_ON_PITCH);
        if (PlayerMatchRecord_Get(r, PMR_HURT) && minutes > lastSendingOff) return minutes;
    }
    return 0;
}

bool IsKeeper(const MatchPlayerEntry& entry) { return entry.enginePosition == 0; }

// The team-sheet entry of side n naming `player`, -1 none.
int EntryOf(int n, int player)
{
    const MatchSide& side = GetMatchSidesBlock()->sides[n];
    for (int k = 0; k < MATCH_SHIRT_COUNT; ++k) {
        if (side.entries[k].playerId == player) return k;
    }
    return -1;
}

// Side n's bench holds only the entries `kept` of it.
void KeepOnBench(int n, std::initializer_list<int> kept)
{
    MatchSide& side = GetMatchSidesBlock()->sides[n];
    for (int k = MATCH_STARTERS; k < MATCH_SHIRT_COUNT; ++k) {
        if (std::find(kept.begin(), kept.end(), k) == kept.end())
            MatchEntry_Clear(&side.entries[k]);
    }
}

// The first bench entry of side n whose line `fits`, -1 none.
template <typename Fits>
int BenchEntry(int n, Fits fits)
{
    const MatchSide& side = GetMatchSidesBlock()->sides[n];
    for (int k = MATCH_STARTERS; k < MATCH_STARTERS + MATCH_BENCH_MAX; ++k) {
        if (side.entries[k].playerId != 0xFFFF && fits(side.entries[k])) return k;
    }
    return -1;
}

// The zone totals count each minute with a territory value once, in the third its value says
// (below 40 the home side's, above 60 the away side's), so that every third fills over a season's
// worth of matches.
TEST_F(SimMatchTest, TheZoneTotalsCountEachMinuteInTheThirdItsTerritorySays)
{
    uint64_t seasonThirds[3] = {};
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SRand(seed);
        SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock());
        const MatchDataBlock& d = *GetMatchDataBlock();
        uint32_t expected[3] = {};
        for (const uint8_t value : d.territory) {
            if (value != 255) ++expected[value < 40 ? 0 : value > 60 ? 2 : 1];
        }
        for (int t = 0; t < 3; ++t) {
            const uint32_t total = d.territoryTotals[t];  // a packed field: read by value
            ASSERT_EQ(total, expected[t]) << "seed " << seed << " third " << t;
            seasonThirds[t] += expected[t];
        }
    }
    for (const uint64_t total : seasonThirds) {
        EXPECT_GT(total, 200u);
    }
}

// Every penalty the simulation misses is an event row of kind 4 naming the taker on his side, so
// that the match report lists it; the seeds hold a few.
TEST_F(SimMatchTest, EveryMissedPenaltyHasItsEventRow)
{
    int missedInAll = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        SRand(seed);
        SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock());
        const MatchDataBlock& d = *GetMatchDataBlock();
        for (int side = 0; side < 2; ++side) {
            for (int k = 0; k < MATCH_SHIRT_COUNT; ++k) {
                const int missed = Get(side, k, PMR_PENALTIES_MISSED);
                const int id = GetMatchSidesBlock()->sides[side].entries[k].playerId;
                int rows = 0;
                for (int e = 0; e < d.eventCount; ++e) {
                    const MatchEventRow row = d.events[e];  // a copy: the row is packed
                    rows += row.kind == 4 && row.a == side && row.b == id;
                }
                ASSERT_EQ(rows, missed) << "seed " << seed << " side " << side << " " << k;
                missedInAll += missed;
            }
        }
    }
    EXPECT_GT(missedInAll, 2);
}

TEST_F(SimMatchTest, ASideLeftWithNobodyOnThePitchPlaysOnWithoutScoringOrBeingBooked)
{
    ShortenSide(0, 3);
    GetMatchSidesBlock()->substitutionsAllowed = 0;
    int injuredAt = 0;
    for (uint32_t seed = 1; seed < 20000 && injuredAt == 0; ++seed) {
        SRand(seed);
        SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock());
        injuredAt = LastManInjuredAfterTwoSendingsOff();
    }
    ASSERT_GT(injuredAt, 0) << "no seed sent two men off before the third was hurt";
    const MatchDataBlock& d = *GetMatchDataBlock();
    for (int e = 0; e < d.eventCount; ++e) {
        if (d.events[e].a == 0) {
            EXPECT_LE(+d.events[e].minute, injuredAt);
        }
    }
    for (int k = 0; k < 3; ++k) {
        EXPECT_LE(Get(0, k, PMR_TIME_ON_PITCH), injuredAt);
        EXPECT_GE(Get(0, k, PMR_RATING), 10);
    }
    EXPECT_EQ(Get(0, 3, PMR_TIME_ON_PITCH), 0);
}

TEST_F(SimMatchTest, ALevelShootOutGoesToSuddenDeathWithTheKeepersKickingAndEndsOneApart)
{
    MatchDayBlock& b = *GetMatchSidesBlock();
    b.extraTime = b.shootOut = 1;
    b.secondLeg = 0;
    b.sides[0].firstLegGoals = b.sides[1].firstLegGoals = 0;
    ShortenSide(0, 2);  // a keeper and one outfield man: the keeper takes every other kick
    ShortenSide(1, 2);
    const MatchDataBlock& d = *GetMatchDataBlock();
    bool suddenDeath = false;
    for (uint32_t seed = 1; seed < 5000 && !suddenDeath; ++seed) {
        SRand(seed);
        SimMatch_Play(b, GetMatchDataBlock());
        suddenDeath = d.sides[0].shootOutGoals > 5 || d.sides[1].shootOutGoals > 5;
    }
    ASSERT_TRUE(suddenDeath);
    EXPECT_EQ(+d.sides[0].score, +d.sides[1].score);
    EXPECT_EQ(std::abs(+d.sides[0].shootOutGoals - +d.sides[1].shootOutGoals), 1);
}

TEST_F(SimMatchTest, AShootOutWithNobodyLeftOnEitherSideStillHasAWinner)
{
    MatchDayBlock& b = *GetMatchSidesBlock();
    b.extraTime = b.shootOut = 1;
    b.secondLeg = 0;
    b.sides[0].firstLegGoals = b.sides[1].firstLegGoals = 0;
    ShortenSide(0, 0);
    ShortenSide(1, 0);
    SimMatch_Play(b, GetMatchDataBlock());
    const MatchDataBlock& d = *GetMatchDataBlock();
    EXPECT_EQ(+d.sides[0].score + +d.sides[1].score, 0);
    EXPECT_EQ(+d.sides[0].shootOutGoals + +d.sides[1].shootOutGoals, 1);
}

// Each man who played: passes made and astray, received, then his passes to each team-mate by
// shirt, completed / made.
std::string PassTables(const MatchDataBlock& d)
{
    std::string text;
    char line[64];
    for (int n = 0; n < 2; ++n) {
        for (int k = 0; k < MATCH_SHIRT_COUNT; ++k) {
            const PlayerMatchRecord& r = d.sides[n].players[k];
            if (PlayerMatchRecord_Get(r, PMR_TIME_ON_PITCH) == 0) continue;
            std::snprintf(line, sizeof line, "%d/%d: %d %d %d |", n, k + 1,
                          PlayerMatchRecord_Get(r, PMR_PASSES),
                          PlayerMatchRecord_Get(r, PMR_BAD_PASSES),
                          PlayerMatchRecord_GetSpare(r, PMS_PASSES_RECEIVED));
            text += line;
            for (int j = 0; j < MATCH_SHIRT_COUNT; ++j) {
                const int made = PlayerMatchRecord_GetSpare(r, PMS_PASSES_TO + j);
                if (made == 0) continue;
                std::snprintf(line, sizeof line, " %d:%d/%d", j + 1,
                              PlayerMatchRecord_GetSpare(r, PMS_COMPLETED_TO + j), made);
                text += line;
            }
            text += '\n';
        }
    }
    return text;
}

}  // namespace

// The figures a simulated fixture deals out by rank (what rounding leaves of a man's passes goes
// to his heaviest team-mates first, equal ones in shirt order; the shoot-out's takers go by set
// pieces, equal ones in team-sheet order) stay as they were: a seeded match's pass tables, then
// the shoot-outs of twenty seeds.
TEST_F(SimMatchTest, SeededPassTablesAndShootOutsMatchTheirGolden)
{
    MatchDayBlock& b = *GetMatchSidesBlock();
    SRand(11);
    SimMatch_Play(b, GetMatchDataBlock());
    std::string text = PassTables(*GetMatchDataBlock());
    b.extraTime = b.shootOut = 1;
    b.secondLeg = 0;
    b.sides[0].firstLegGoals = b.sides[1].firstLegGoals = 0;
    const MatchDataBlock& d = *GetMatchDataBlock();
    for (uint32_t seed = 1, shootOuts = 0; shootOuts < 20; ++seed) {
        SRand(seed);
        SimMatch_Play(b, GetMatchDataBlock());
        if (d.sides[0].shootOutGoals + d.sides[1].shootOutGoals == 0) continue;
        text += std::to_string(seed) + ": " + std::to_string(d.sides[0].shootOutGoals) + "-"
                + std::to_string(d.sides[1].shootOutGoals) + "\n";
        ++shootOuts;
    }
    ExpectGoldenText("game/simulated_fixture", text);
}

// Penalties and own goals keep their classes; open-play goals fall into the chosen shares, within
// three points over a season's worth of goals, and only long shots and free kicks are from
// outside the area.
TEST_F(SimMatchTest, EveryGoalIsClassedAndOpenPlayGoalsFollowTheShares)
{
    struct Share {
        int goalClass, percent;
    };
    const Share shares[] = {{GOAL_CLASS_HEADER, 22},
                            {GOAL_CLASS_VOLLEY, 8},
                            {GOAL_CLASS_LONG_SHOT, 14},
                            {GOAL_CLASS_FREE_KICK, 4},
                            {GOAL_CLASS_CLOSE, 52}};
    int counts[16] = {};
    int openPlay = 0;
    for (uint32_t seed = 1; seed <= 1500; ++seed) {
        SRand(seed);
        SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock());
        for (const MatchSideStats& side : GetMatchDataBlock()->sides) {
            for (int g = 0; g < 20 && side.goals[g].player != -1; ++g) {
                const int goalClass = MatchScorer_Class(side.scorers[g].packed);
                const int listKind = side.goals[g].kind;
                const int expected = listKind == 1   ? GOAL_CLASS_PENALTY
                                     : listKind == 2 ? GOAL_CLASS_OWN_GOAL
                                                     : -1;
                if (expected >= 0) {
                    ASSERT_EQ(goalClass, expected) << seed;
                } else {
                    ++openPlay;
                }
                const bool outside =
                    goalClass == GOAL_CLASS_LONG_SHOT || goalClass == GOAL_CLASS_FREE_KICK;
                ASSERT_EQ(MatchScorer_Detail(side.scorers[g].packed) == GOAL_DETAIL_OUTSIDE,
                          outside)
                    << seed;
                ++counts[goalClass];
            }
        }
    }
    ASSERT_GT(openPlay, 2000);
    for (const Share& s : shares) {
        EXPECT_NEAR(100.0 * counts[s.goalClass] / openPlay, s.percent, 3.0) << s.goalClass;
    }
}

// Over many matches each player's set pieces and passes add up to his side's: corners to the
// side's corners, free kicks to the other side's fouls and the free kicks scored from, penalties
// to those scored and missed; his passes to team-mates to his passes, their receipts to theirs.
TEST_F(SimMatchTest, ThePlayersSetPiecesAndPassesAddUpToTheSidesFigures)
{
    int freeKickGoals = 0, penalties = 0, received = 0;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SRand(seed);
        SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock());
        const MatchDataBlock& d = *GetMatchDataBlock();
        for (int n = 0; n < 2; ++n) {
            const MatchSideStats& side = d.sides[n];
            int corners = 0, freeKicks = 0, scoredFromFreeKicks = 0, taken = 0, scored = 0;
            int missed = 0, penaltyGoals = 0, completed = 0, receipts = 0;
            for (int k = 0; k < MATCH_SHIRT_COUNT; ++k) {
                const PlayerMatchRecord& r = side.players[k];
                corners += PlayerMatchRecord_GetSpare(r, PMS_CORNERS_TAKEN);
                freeKicks += PlayerMatchRecord_GetSpare(r, PMS_FREE_KICKS_TAKEN);
                scoredFromFreeKicks += PlayerMatchRecord_GetSpare(r, PMS_FREE_KICKS_SCORED);
                taken += PlayerMatchRecord_GetSpare(r, PMS_PENALTIES_TAKEN);
                scored += PlayerMatchRecord_GetSpare(r, PMS_PENALTIES_SCORED);
                missed += PlayerMatchRecord_Get(r, PMR_PENALTIES_MISSED);
                int made = 0, madeCompleted = 0;
                for (int j = 0; j < MATCH_SHIRT_COUNT; ++j) {
                    made += PlayerMatchRecord_GetSpare(r, PMS_PASSES_TO + j);
                    madeCompleted += PlayerMatchRecord_GetSpare(r, PMS_COMPLETED_TO + j);
                    ASSERT_LE(PlayerMatchRecord_GetSpare(r, PMS_COMPLETED_TO + j),
                              PlayerMatchRecord_GetSpare(r, PMS_PASSES_TO + j));
                }
                EXPECT_EQ(PlayerMatchRecord_GetSpare(r, PMS_PASSES_TO + k), 0) << seed;
                if (PlayerMatchRecord_Get(r, PMR_TIME_ON_PITCH) > 0 && made > 0) {
                    EXPECT_EQ(madeCompleted, PlayerMatchRecord_Get(r, PMR_PASSES)) << seed;
                    EXPECT_EQ(made - madeCompleted, PlayerMatchRecord_Get(r, PMR_BAD_PASSES))
                        << seed;
                }
                completed += madeCompleted;
                receipts += PlayerMatchRecord_GetSpare(r, PMS_PASSES_RECEIVED);
            }
            for (int g = 0; g < 20 && side.goals[g].player != -1; ++g) {
                penaltyGoals += side.goals[g].kind == MATCH_GOAL_PENALTY;
            }
            EXPECT_EQ(corners, int32_t{side.corners}) << seed;
            EXPECT_EQ(freeKicks, d.sides[1 - n].fouls + scoredFromFreeKicks) << seed;
            EXPECT_EQ(taken, scored + missed) << seed;
            EXPECT_EQ(scored, penaltyGoals) << seed;
            EXPECT_EQ(receipts, completed) << seed;
            freeKickGoals += scoredFromFreeKicks;
            penalties += taken;
            received += receipts;
        }
    }
    EXPECT_GT(freeKickGoals, 0);
    EXPECT_GT(penalties, 0);
    EXPECT_GT(received, 200 * 2 * 300);  // some 400 passes completed by a side in a match
}

// Over many seeded matches with the team sheets the game picks, a keeper comes on only once his
// side's starting keeper has left the pitch (hurt, sent off or replaced), and a keeper who goes
// off is replaced only by a keeper; outfield men still come on for the tired and the hurt.
TEST_F(SimMatchTest, AKeeperComesOnOnlyOnceTheStartingKeeperHasLeft)
{
    const MatchDayBlock& b = *GetMatchSidesBlock();
    for (int n = 0; n < 2; ++n) {
        ASSERT_GE(BenchEntry(n, IsKeeper), 0) << "side " << n << " has no keeper on the bench";
    }
    int outfieldChanges = 0, keepersOn = 0;
    for (uint32_t seed = 1; seed <= 1500; ++seed) {
        SRand(seed);
        SimMatch_Play(b, GetMatchDataBlock());
        const MatchDataBlock& d = *GetMatchDataBlock();
        for (int e = 0; e < d.eventCount; ++e) {
            const MatchEventRow row = d.events[e];  // a copy: the row is packed
            if (row.kind != 1) continue;
            const int n = row.a;
            const bool keeperOff = IsKeeper(b.sides[n].entries[EntryOf(n, row.b)]);
            const bool keeperOn = IsKeeper(b.sides[n].entries[EntryOf(n, row.c)]);
            ASSERT_TRUE(!keeperOff || keeperOn) << "seed " << seed << " minute " << row.minute;
            if (keeperOn) {
                ASSERT_LE(Get(n, 0, PMR_TIME_ON_PITCH), +row.minute)
                    << "seed " << seed << ": a keeper came on beside the starting one";
                ++keepersOn;
            } else {
                ++outfieldChanges;
            }
        }
    }
    EXPECT_GT(outfieldChanges, 1500 * 2 * 2);
    EXPECT_GT(keepersOn, 0);
}

// With a keeper as the only substitute, no outfield man is ever replaced: the keeper comes on
// only in a match whose starting keeper left early, for the one change of the match.
TEST_F(SimMatchTest, AKeeperAloneOnTheBenchComesOnOnlyForTheKeeper)
{
    const int reserve = BenchEntry(0, IsKeeper);
    ASSERT_GE(reserve, 0);
    KeepOnBench(0, {reserve});
    int cameOn = 0;
    for (uint32_t seed = 1; seed <= 600; ++seed) {
        SRand(seed);
        SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock());
        const MatchDataBlock& d = *GetMatchDataBlock();
        const int changes = d.sides[0].totals[MATCH_TOTAL_SUBSTITUTIONS];
        const bool keeperLeft = Get(0, 0, PMR_TIME_ON_PITCH) < 90;
        const bool played = Get(0, reserve, PMR_RATING) > 0;
        ASSERT_EQ(changes, played ? 1 : 0) << seed;
        if (played) {
            ASSERT_TRUE(keeperLeft) << seed;
            ++cameOn;
        }
    }
    EXPECT_GT(cameOn, 0);
}

// With a forward as the only substitute, he comes on for a hurt or tired man of any outfield line,
// and never for the keeper: a side whose keeper is hurt or sent off before the hour plays on
// without one and still brings the forward on for an outfield man.
TEST_F(SimMatchTest, AnOutfieldSubstituteComesOnForAnyOutfieldManButNeverForTheKeeper)
{
    const int forward = BenchEntry(0, [](const MatchPlayerEntry& e) {
        return e.enginePosition >= 10 && e.enginePosition <= 12;
    });
    ASSERT_GE(forward, 0);
    KeepOnBench(0, {forward});
    const MatchSide& sheet = GetMatchSidesBlock()->sides[0];
    int keeperLeftEarly = 0, sentOff = 0, otherLines = 0;
    for (uint32_t seed = 1; seed <= 4000; ++seed) {
        SRand(seed);
        SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock());
        const MatchDataBlock& d = *GetMatchDataBlock();
        for (int e = 0; e < d.eventCount; ++e) {
            const MatchEventRow row = d.events[e];
            if (row.kind != 1 || row.a != 0) continue;
            ASSERT_EQ(EntryOf(0, row.c), forward) << seed;
            ASSERT_FALSE(IsKeeper(sheet.entries[EntryOf(0, row.b)])) << seed;
            otherLines += sheet.entries[EntryOf(0, row.b)].enginePosition < 10;
        }
        const bool keeperSentOff = Get(0, 0, PMR_BOOKINGS) >= 2;
        if ((Get(0, 0, PMR_HURT) != 0 || keeperSentOff) && Get(0, 0, PMR_TIME_ON_PITCH) < 60) {
            ++keeperLeftEarly;
            sentOff += keeperSentOff;
            EXPECT_GT(Get(0, forward, PMR_RATING), 0) << seed;
        }
    }
    EXPECT_GT(keeperLeftEarly, sentOff);
    EXPECT_GT(sentOff, 0);
    EXPECT_GT(otherLines, 0);
}
