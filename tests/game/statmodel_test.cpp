// tests/game/statmodel_test.cpp: stats, values and wage demands of the stat model, and the stats
// of every generated player.
#include "game/statmodel.h"

#include "game/funcs.h"
#include "game/world.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

TEST(StatModel, EveryGeneratedPlayerHasStatsInRange)
{
    ScopedWorld world;
    NewGameForTest(0, 21);
    for (int id = PERSON_FIRST_ORDINARY; id < DbPersonCount; id += 7) {
        if (DbPersons[id].flags & PERSON_FREE) continue;
        for (int k = 0; k < 8; ++k) {
            const int stat = VTW_GetAbilityStat(id, k);
            ASSERT_TRUE(stat >= 10 && stat <= 99) << id << " " << k;
        }
        for (int k = 8; k < 15; ++k) {
            const int stat = VTW_GetPhysicalStat(id, k);
            ASSERT_TRUE(stat >= 10 && stat <= 99) << id << " " << k;
        }
        for (int k : {15, 19, 20}) {
            const int stat = VTW_GetPersonalityStat(id, k);
            ASSERT_TRUE(stat >= 15 && stat <= 50) << id << " " << k;
        }
    }
}

TEST(StatModel, PhysicalStatsFallAfterThirtyAndTechnicalOnesDoNot)
{
    ScopedWorld world;
    for (int age = 30; age < 36; ++age) {
        EXPECT_LT(Stat_AgePercent(8, age + 1), Stat_AgePercent(8, age));
        EXPECT_EQ(Stat_AgePercent(4, age + 1), Stat_AgePercent(4, age));
        EXPECT_EQ(Stat_AgePercent(14, age + 1), 100);
    }
    EXPECT_EQ(Stat_AgePercent(8, 17), 85);
    EXPECT_EQ(Stat_AgePercent(8, 24), 100);
    EXPECT_EQ(Stat_AgePercent(8, 29), 100);
    EXPECT_EQ(Stat_AgePercent(0, 17), 80);
    EXPECT_EQ(Stat_AgePercent(0, 30), 100);
    const int young = Stat_Compute(World.weights, 10, 70, 50, 26, 1234, 8);
    const int old = Stat_Compute(World.weights, 10, 70, 50, 34, 1234, 8);
    EXPECT_LT(old, young);
}

TEST(StatModel, ValuesMatchTheirGoldenFiguresAndRiseWithAbility)
{
    EXPECT_EQ(Stat_PlayerValue(80, 25, 40, 24), 2760000);  // 1,536,000 x 180 % = 2,764,800
    EXPECT_EQ(Stat_PlayerValue(80, 25, 40, 5), 1660000);   // 60 % under 6 months: 1,658,880
    EXPECT_EQ(Stat_PlayerValue(60, 20, 0, 12), 713000);    // 648,000 x 110 % = 712,800
    EXPECT_EQ(Stat_PlayerValue(60, 30, 10, 12), 591000);   // x 76 % x 120 % = 590,976
    EXPECT_EQ(Stat_PlayerValue(100, 40, 63, 12), 678000);  // age factor floor 10 %, x 226 %
    for (int a = 1; a < 100; ++a) {
        EXPECT_LE(Stat_PlayerValue(a, 26, 30, 24), Stat_PlayerValue(a + 1, 26, 30, 24));
    }
    EXPECT_EQ(Stat_ValueWithPotential(1000000, 60, 80, 23), 1600000);
    EXPECT_EQ(Stat_ValueWithPotential(1000000, 60, 80, 24), 1000000);
    EXPECT_EQ(Stat_ValueWithPotential(1000000, 80, 60, 20), 1000000);
}

TEST(StatModel, WageDemandFollowsTheScaleAndDropsPastTwentyNine)
{
    const uint16_t scale[6] = {800, 380, 190, 70, 25, 25};
    EXPECT_EQ(Stat_BaseDemand(90, 50, 50, 29, 0, scale, 0), 920);
    EXPECT_EQ(Stat_BaseDemand(90, 50, 50, 30, 0, scale, 0), 828);     // x 100 / 111
    EXPECT_EQ(Stat_BaseDemand(90, 50, 50, 25, 3, scale, 0), 1656);    // x 180 %
    EXPECT_EQ(Stat_BaseDemand(90, 50, 50, 25, 9, scale, 0), 2760);    // above 5 counts as 5
    EXPECT_EQ(Stat_BaseDemand(90, 50, 50, 25, 0, nullptr, 0), 2036);  // 4 x 9 + 2,000
    EXPECT_EQ(Stat_BaseDemand(10, 0, 0, 25, 0, scale, 5), 50);
    EXPECT_EQ(Staff_WageForRating(50), 400);
    EXPECT_EQ(Staff_WageForRating(33), 275);
}

}  // namespace
