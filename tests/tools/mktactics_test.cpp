// tests/tools/mktactics_test.cpp: the generated built-in tactics: every formation playable, and
// the variants moving the players they name.
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "game/tactics.h"
#include "tools/mkdata/tactics.h"

namespace {

std::vector<TacticsRecord> Generate()
{
    MkFileSet set;
    MkGenerateTactics(&set);
    EXPECT_EQ(set.archives[MK_HDCOMMON].size(), 1u);
    const MkFile& file = set.archives[MK_HDCOMMON].at(0);
    EXPECT_EQ(file.name, TACTICS_FILE_NAME);
    std::vector<TacticsRecord> tactics(file.bytes.size() / sizeof(TacticsRecord));
    std::memcpy(tactics.data(), file.bytes.data(), tactics.size() * sizeof(TacticsRecord));
    return tactics;
}

bool AllZero(const uint8_t* bytes, size_t size)
{
    for (size_t k = 0; k < size; ++k) {
        if (bytes[k] != 0) return false;
    }
    return true;
}

TEST(MkTactics, EveryBuiltInTacticHasOneKeeperAndElevenPlayersInsideTheGrid)
{
    const std::vector<TacticsRecord> tactics = Generate();
    ASSERT_EQ(tactics.size(), 40u);
    for (size_t n = 0; n < tactics.size(); ++n) {
        const TacticsRecord& tactic = tactics[n];
        SCOPED_TRACE(n);
        EXPECT_FALSE(TacticsRecord_IsEmpty(tactic));
        EXPECT_TRUE(TacticsRecord_IsValid(tactic));
        for (int k = 0; k < TACTIC_SLOT_COUNT; ++k) {
            const TacticsSlot& s = tactic.slots[k];
            // Only the keeper stands on the goal line, in all three positions.
            const bool keeper = k == 0;
            EXPECT_EQ(s.column == 0 && s.column2 == 0 && s.column3 == 0, keeper) << k;
            EXPECT_EQ(s.column == 0 || s.column2 == 0 || s.column3 == 0, keeper) << k;
            for (int j = 0; j < k; ++j) {
                EXPECT_FALSE(s.row == tactic.slots[j].row && s.column == tactic.slots[j].column);
            }
            EXPECT_EQ(TacticsSlot_Receiver(s), -1);
            EXPECT_EQ(+s.targetRow, -1);
            EXPECT_EQ(+s.targetColumn, -1);
            EXPECT_EQ(+s.markedOpponent, -1);
            EXPECT_TRUE(AllZero(s.engineHead, sizeof(s.engineHead)));
            EXPECT_TRUE(AllZero(s.engineMid, sizeof(s.engineMid)));
            EXPECT_EQ(s.shooting + s.throughBall + s.crossing, 0);
            EXPECT_LE(+s.column3, +s.column);  // back when defending, up when attacking
            EXPECT_GE(+s.column2, +s.column);
        }
    }
}

TEST(MkTactics, VariantsMoveThePlayersTheyName)
{
    const std::vector<TacticsRecord> tactics = Generate();
    const int f442 = 0;  // full backs in slots 1 and 4, forwards in 9 and 10
    const TacticsRecord& offensive = tactics[5 * f442 + 0];
    const TacticsRecord& defensive = tactics[5 * f442 + 1];
    const TacticsRecord& fullBacks = tactics[5 * f442 + 2];
    EXPECT_GT(+offensive.slots[9].column2, +defensive.slots[9].column2);
    EXPECT_LT(+defensive.slots[2].column3, +offensive.slots[2].column3);
    EXPECT_GT(+fullBacks.slots[1].column2, defensive.slots[1].column2 + 4);
    EXPECT_EQ(+fullBacks.slots[2].column2, +defensive.slots[2].column2);
    // Cover keeps a central defender back; pivot holds a central midfielder deeper.
    const TacticsRecord& cover = tactics[5 * f442 + 3];
    const TacticsRecord& pivot = tactics[5 * f442 + 4];
    EXPECT_EQ(+cover.slots[2].column2, cover.slots[2].column + 1);
    EXPECT_LT(+cover.slots[2].column, +defensive.slots[2].column);
    EXPECT_LT(+pivot.slots[6].column, offensive.slots[6].column - 1);
}

}  // namespace
