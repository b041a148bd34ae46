// tests/game/tactics_test.cpp: tactic numbers, names, the built-in file read through the paks,
// the custom store and the colour ramps.
#include "game/tactics.h"

#include <cstring>

#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

// The generated tactics file, packed into an archive of its own and mounted.
class TacticsTest : public testing::Test {
protected:
    bool SameAsFileRecord(const TacticsRecord& tactic, int n) const
    {
        return std::memcmp(&tactic, m_tactics.File().data() + n * sizeof(TacticsRecord),
                           sizeof(tactic))
               == 0;
    }

    ScopedCore m_core;
    ScopedTactics m_tactics;
};

TEST_F(TacticsTest, NamesFollowTheNumberingOfFormationsVariantsAndCustomTactics)
{
    EXPECT_EQ(Tactic_GetFormationTextId(39), 584);   // "4-2-4"
    EXPECT_EQ(Tactic_GetVariantTextId(39), 706);     // "Pivot"
    EXPECT_EQ(Tactic_GetFormationTextId(40), 1302);  // "Personnalisée 1"
    EXPECT_EQ(Tactic_GetVariantTextId(40), -1);
    EXPECT_EQ(Tactic_GetFormationTextId(51), 1329);  // "Personnalisé 12", never 1328
    EXPECT_EQ(Tactic_GetVariantTextId(51), -1);
}

TEST_F(TacticsTest, BuiltInTacticsShareOneBufferWhileCustomOnesAreTheStoreItself)
{
    TacticsRecord* first = GetTactic(0);
    ASSERT_TRUE(SameAsFileRecord(*first, 0));
    TacticsRecord* second = GetTactic(37);
    EXPECT_EQ(first, second);
    EXPECT_EQ(second, &TacticCopies[TACTIC_COPY_COMPUTER]);
    EXPECT_TRUE(SameAsFileRecord(*first, 37));

    TacticsRecord direct;
    GetComputerTactics(&direct, 12);
    EXPECT_TRUE(SameAsFileRecord(direct, 12));

    TacticsRecord* custom = GetTactic(45);
    EXPECT_EQ(custom, &CustomTactics[5]);
    custom->slots[3].row = 9;
    EXPECT_EQ(+CustomTactics[5].slots[3].row, 9);
}

TEST_F(TacticsTest, ClearingMarksEveryCustomTacticEmptyAndKeepsItsOtherBytes)
{
    for (int k = 0; k < TACTIC_CUSTOM_COUNT; ++k) {
        std::memset(&CustomTactics[k], 0x20 + k, sizeof(TacticsRecord));
    }
    CurrentTactic = 44;
    CurrentTacticB = 3;
    CustomTactics_Clear();
    EXPECT_EQ(CurrentTactic, 0);
    EXPECT_EQ(SelectedTactic, 0);
    EXPECT_EQ(CurrentTacticB, 0);
    for (int k = 0; k < TACTIC_CUSTOM_COUNT; ++k) {
        const TacticsRecord& tactic = CustomTactics[k];
        EXPECT_TRUE(TacticsRecord_IsEmpty(tactic));
        EXPECT_TRUE(TacticsRecord_IsValid(tactic));
        const auto* bytes = reinterpret_cast<const uint8_t*>(&tactic);
        for (size_t b = 0; b < sizeof(tactic); ++b) {
            if (b == offsetof(TacticsSlot, row) || b == offsetof(TacticsSlot, row) + 1) continue;
            ASSERT_EQ(bytes[b], 0x20 + k) << "custom " << k << " byte " << b;
        }
    }
}

TEST_F(TacticsTest, AColourRampFromBlackEndsExactlyOnTheColour)
{
    uint8_t table[3 * 40];
    std::memset(table, 0xAA, sizeof(table));
    const uint32_t colour = 0x3F | (0x15 << 8) | (0x2A << 16);
    ColourTable_FillRamp(table, 4, 35, 0xC0C0C0, colour);  // bits above 5 are ignored
    EXPECT_EQ(table[3 * 4 + 0], 0);
    EXPECT_EQ(table[3 * 4 + 2], 0);
    EXPECT_EQ(table[3 * 35 + 0], 0x3F);
    EXPECT_EQ(table[3 * 35 + 1], 0x15);
    EXPECT_EQ(table[3 * 35 + 2], 0x2A);
    for (int i = 5; i <= 35; ++i) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_GE(table[3 * i + c], table[3 * (i - 1) + c]);
        }
    }
    EXPECT_EQ(table[3 * 3 + 2], 0xAA);  // outside the range
    EXPECT_EQ(table[3 * 36], 0xAA);

    ColourTable_FillRamp(table, 0, 31, 0x3F3F3F, 0);  // a falling ramp truncates toward zero
    EXPECT_EQ(table[3 * 1], 0x3F - 0x3F / 31);
    EXPECT_EQ(table[3 * 31], 0);
}

TEST_F(TacticsTest, ARecordWithACellOffTheGridOrAStrayReceiverCannotBePlayedButARemovedRunCan)
{
    TacticsRecord tactic;
    GetComputerTactics(&tactic, 3);
    ASSERT_TRUE(TacticsRecord_IsValid(tactic));

    TacticsRecord broken = tactic;
    broken.slots[4].column3 = TACTIC_GRID_COLUMNS;
    EXPECT_FALSE(TacticsRecord_IsValid(broken));
    broken = tactic;
    broken.slots[2].row2 = -1;  // half a removed run
    EXPECT_FALSE(TacticsRecord_IsValid(broken));
    broken.slots[2].column2 = -1;  // the whole run removed
    broken.slots[3].row3 = -1;
    broken.slots[3].column3 = -1;
    EXPECT_TRUE(TacticsRecord_IsValid(broken));
    broken.slots[3].column3 = 0;
    EXPECT_FALSE(TacticsRecord_IsValid(broken));
    broken = tactic;
    TacticsSlot_SetReceiver(&broken.slots[6], 11);
    EXPECT_FALSE(TacticsRecord_IsValid(broken));
    broken = tactic;
    broken.slots[6].targetRow = 3;
    broken.slots[6].targetColumn = 18;
    EXPECT_FALSE(TacticsRecord_IsValid(broken));

    TacticsRecord passing = tactic;
    passing.slots[6].receiverBits = 0xE0;  // bits 5-7 belong to others
    TacticsSlot_SetReceiver(&passing.slots[6], 10);
    EXPECT_EQ(+passing.slots[6].receiverBits, 0xEA);
    EXPECT_EQ(TacticsSlot_Receiver(passing.slots[6]), 10);
    TacticsSlot_SetReceiver(&passing.slots[6], TACTIC_NONE);
    EXPECT_EQ(TacticsSlot_Receiver(passing.slots[6]), -1);
    EXPECT_TRUE(TacticsRecord_IsValid(passing));
}

TEST(TacticsDeathTest, NumbersOutsideTheirRangeAreFatal)
{
    TacticsRecord tactic;
    EXPECT_FATAL(GetComputerTactics(&tactic, 40),
                 "Invalid formation requested in GetComputerTactics()");
    EXPECT_FATAL(GetComputerTactics(&tactic, -1),
                 "Invalid formation requested in GetComputerTactics()");
    EXPECT_FATAL(GetTactic(52), "GetTactic(): bad tactic number 52");
    EXPECT_FATAL(GetTactic(-3), "GetTactic(): bad tactic number -3");
    EXPECT_FATAL(Tactic_GetFormationTextId(59),
                 "Tactic_GetFormationTextId(): bad tactic number 59");
    EXPECT_FATAL(Tactic_GetVariantTextId(52), "Tactic_GetVariantTextId(): bad tactic number 52");
    uint8_t table[6];
    EXPECT_FATAL(ColourTable_FillRamp(table, 1, 1, 0, 0), "ColourTable_FillRamp(): bad range 1-1");
}

}  // namespace
