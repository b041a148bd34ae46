#include "engine/random.h"

#include <gtest/gtest.h>

#include "engine/convert.h"
#include "engine/crc32.h"

TEST(Rand, SeedOneGivesTheGoldenSequence)
{
    SRand(1);
    const int32_t expected[] = {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419, 16212, 4086};
    for (int32_t value : expected) {
        EXPECT_EQ(Rand(), value);
    }
}

TEST(Rand, ReseedingRepeatsTheSequenceAndStaysInRange)
{
    SRand(0xDEADBEEF);
    int32_t first[100];
    for (int32_t& value : first) {
        value = Rand();
        ASSERT_GE(value, 0);
        ASSERT_LT(value, RAND_LIMIT);
    }
    SRand(0xDEADBEEF);
    for (int32_t value : first) {
        EXPECT_EQ(Rand(), value);
    }
}

TEST(ChopToInt, TruncatesTowardZeroAndClampsWhatDoesNotFit)
{
    EXPECT_EQ(ChopToInt(2.7), 2);
    EXPECT_EQ(ChopToInt(-2.7), -2);
    EXPECT_EQ(ChopToInt(-0.5), 0);
    EXPECT_EQ(ChopToInt(1e12), INT32_MAX);
    EXPECT_EQ(ChopToInt(-1e12), INT32_MIN);
    EXPECT_EQ(ChopToInt(2147483647.9), INT32_MAX);
    EXPECT_EQ(ChopToInt(-2147483648.0), INT32_MIN);
    EXPECT_EQ(ChopToInt(std::nan("")), 0);
    EXPECT_EQ(ChopToInt(INFINITY), INT32_MAX);
}

TEST(Crc32, MatchesTheStandardCheckValueWholeOrInPieces)
{
    const char* text = "123456789";
    EXPECT_EQ(Crc32(text, 9), 0xCBF43926u);
    EXPECT_EQ(Crc32(text + 4, 5, Crc32(text, 4)), 0xCBF43926u);
    EXPECT_EQ(Crc32(text, 0), 0u);
}
