// tests/menus/kits_test.cpp: the kit-clash score and the away side's choice of kit.
#include "menus/kits.h"

#include <cstring>

#include "tests/support/support.h"

namespace {

// A kit of the pattern whose counting colour slots hold the given colours.
KitDesign Kit(int16_t pattern, int16_t first, int16_t second = 0, int16_t third = 0)
{
    KitDesign kit{};
    kit.shirtTop = pattern;
    kit.shirt = pattern;
    kit.colours[0][0] = first;
    kit.colours[0][1] = second;
    kit.colours[0][2] = third;
    return kit;
}

int32_t Choose(const KitDesign& home, const KitDesign& ownHome, const KitDesign& ownAway)
{
    const KitDesign* candidates[KIT_CANDIDATES] = {
        &ownHome,           &ownAway, &KitSpareDesigns[0], &KitSpareDesigns[1], &KitSpareDesigns[2],
        &KitSpareDesigns[3]};
    return Kit_ChooseAway(home, candidates);
}

}  // namespace

TEST(Kits, ColoursWithinOneHundredOfEachOtherClash)
{
    EXPECT_EQ(DesignsClash(Kit(0, 28), Kit(0, 28)), 1);
    EXPECT_EQ(DesignsClash(Kit(0, 28), Kit(0, 29)), 1);  // d = 3,097
    EXPECT_EQ(DesignsClash(Kit(0, 32), Kit(0, 33)), 1);  // d = 8,427
    EXPECT_EQ(DesignsClash(Kit(0, 32), Kit(0, 34)), 0);  // d = 33,708
    // Three counting colours each side, all the same: nine pairs.
    EXPECT_EQ(DesignsClash(Kit(56, 4, 4, 4), Kit(112, 4, 4, 4)), 9);
    // Pattern 55 counts slot 2 only; pattern 6 slots 1 and 3.
    EXPECT_EQ(DesignsClash(Kit(55, 28, 32), Kit(6, 5, 0, 32)), 1);
}

TEST(Kits, TheAwaySideTakesTheFirstKitOfTheLowestScore)
{
    const KitDesign red = Kit(0, 28);
    // Its own kits clash, the red spare too: the light blue spare is the first clean one.
    EXPECT_EQ(Choose(red, Kit(0, 29), Kit(0, 30)), 3);
    // Home and away both clean: the home kit stays.
    EXPECT_EQ(Choose(red, Kit(0, 32), Kit(0, 4)), 0);
    // Home clashes, away clean.
    EXPECT_EQ(Choose(red, Kit(0, 29), Kit(0, 4)), 1);
    // A white home side: the white spare is never chosen over an earlier clean one.
    EXPECT_EQ(Choose(Kit(0, 32), Kit(0, 33), Kit(0, 34)), 1);
}

TEST(KitsDeathTest, APatternOutsideTheTableIsFatal)
{
    EXPECT_FATAL(DesignsClash(Kit(116, 0), Kit(0, 0)), "DesignsClash(): bad pattern 116");
}
