// tests/gamecode/matchsoak_test.cpp: whole matches between generated sides under the full-match
// checks.
#include <gtest/gtest.h>

#include "tests/gamecode/harness/harness.h"

namespace {

#ifdef PELLORAN_SOAK_PERIOD_MINUTES
constexpr uint16_t kPeriodMinutes = PELLORAN_SOAK_PERIOD_MINUTES;
#else
constexpr uint16_t kPeriodMinutes = 5;
#endif

struct SoakTotals {
    int32_t goals = 0;
    int32_t throwIns = 0;
    int32_t goalKicks = 0;
    int32_t corners = 0;
};

void PlaySeeds(uint32_t first, uint32_t count, SidePreset preset, bool cupTie, SoakTotals* totals)
{
    ScopedMatch match;
    for (uint32_t seed = first; seed < first + count; ++seed) {
        const SoakResult r = SoakRun(seed, preset, kPeriodMinutes, cupTie);
        SCOPED_TRACE("seed " + std::to_string(seed));
        EXPECT_TRUE(r.failures.empty()) << r.failures.front();
        EXPECT_TRUE(r.finalWhistle);
        EXPECT_EQ(r.score[0], r.goalRows[0]);
        EXPECT_EQ(r.score[1], r.goalRows[1]);
        EXPECT_TRUE(r.territoryInRange);
        EXPECT_TRUE(r.territoryMatchesThirds);
        totals->goals += r.score[0] + r.score[1];
        totals->throwIns += r.throwIns;
        totals->goalKicks += r.goalKicks;
        totals->corners += r.corners;
    }
}

// The interim kicks all stay inside the pitch, so only goals are sure to come yet.
void ExpectEveryRestartSeen(const SoakTotals& totals) { EXPECT_GT(totals.goals, 0); }

}  // namespace

TEST(MatchSoak, BalancedSeeds1To50FinishUnderTheChecks)
{
    SoakTotals totals;
    PlaySeeds(1, 50, SidePreset::Balanced, false, &totals);
    ExpectEveryRestartSeen(totals);
}

TEST(MatchSoak, BalancedSeeds51To100FinishUnderTheChecks)
{
    SoakTotals totals;
    PlaySeeds(51, 50, SidePreset::Balanced, false, &totals);
    ExpectEveryRestartSeen(totals);
}

TEST(MatchSoak, BalancedSeeds101To150FinishUnderTheChecks)
{
    SoakTotals totals;
    PlaySeeds(101, 50, SidePreset::Balanced, false, &totals);
    ExpectEveryRestartSeen(totals);
}

TEST(MatchSoak, BalancedSeeds151To200FinishUnderTheChecks)
{
    SoakTotals totals;
    PlaySeeds(151, 50, SidePreset::Balanced, false, &totals);
    ExpectEveryRestartSeen(totals);
}

TEST(MatchSoak, StrongAgainstWeakFinishesUnderTheChecks)
{
    SoakTotals totals;
    PlaySeeds(1001, 20, SidePreset::StrongAgainstWeak, false, &totals);
    EXPECT_GT(totals.goals, 0);
}

TEST(MatchSoak, CupTiesWithExtraTimeAndShootOutFinishUnderTheChecks)
{
    SoakTotals totals;
    PlaySeeds(2001, 20, SidePreset::Balanced, true, &totals);
    EXPECT_GT(totals.goals, 0);
}
