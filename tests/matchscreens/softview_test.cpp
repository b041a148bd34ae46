// The software view's palette and shade tables from the generated pieces, their refusals and
// memory, and the frame pacing under the manual clock at both paces.
#include "matchscreens/softview.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/clock.h"
#include "engine/memory.h"
#include "engine/timer.h"
#include "matchscreens/matchkeys.h"
#include "tests/support/host_run.h"
#include "tests/support/kit_match.h"
#include "tests/support/menu_run.h"
#include "vx256/gamepal.h"

namespace {

// 3 r + 5 g + 2 b of an entry's 6-bit components.
int32_t Light(int32_t entry)
{
    return 3 * GamePalette[3 * entry] + 5 * GamePalette[3 * entry + 1]
           + 2 * GamePalette[3 * entry + 2];
}

bool Grey(int32_t entry)
{
    return GamePalette[3 * entry] == GamePalette[3 * entry + 1]
           && GamePalette[3 * entry + 1] == GamePalette[3 * entry + 2];
}

TEST(SoftViewPalette, ThePiecesLandInTheirEntriesAndTheTablesDarkenWithinTheirRanges)
{
    uint8_t master[GFX_PALETTE_BYTES], stadium[GFX_PALETTE_BYTES];
    ScopedArchives archives;
    GamePalette_LoadPiece("PALETTES\\ingame\\master", 0, 255, 0);
    std::copy_n(GamePalette, GFX_PALETTE_BYTES, master);
    GamePalette_LoadPiece("PALETTES\\ingame\\stad", 0, 255, 0);
    std::copy_n(GamePalette, GFX_PALETTE_BYTES, stadium);
    std::fill_n(GamePalette, GFX_PALETTE_BYTES, uint8_t{1});
    KitMatch_SetUpBlock();
    const MemoryStatistics before = MemoryStats();
    FirstCreateGameEnvironment();
    SoftView_FillShadeTables();

    EXPECT_TRUE(std::equal(GamePalette + 3 * 222, GamePalette + 3 * 255, stadium + 3 * 222));
    for (const int32_t kept : {1, 20, 47, 232, 234})
        EXPECT_TRUE(
            std::equal(GamePalette + 3 * kept, GamePalette + 3 * kept + 3, master + 3 * kept))
            << kept;
    EXPECT_TRUE(Grey(59) && Grey(103));
    EXPECT_EQ(Light(0), 0);
    EXPECT_EQ(Light(255), 630);
    // Table 1 takes white to a mid grey; tables 0-2 never brighten an entry.
    const uint8_t* half = SoftView_GetShadeTable(1);
    EXPECT_TRUE(Grey(half[255]));
    EXPECT_NEAR(Light(half[255]), 315, 40);
    for (int32_t n = 0; n < 7; ++n) {
        const uint8_t* table = SoftView_GetShadeTable(n);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(table) % 256, 0u) << n;
        EXPECT_TRUE(std::equal(table, table + 256, SoftView_GetFirstShadeTable(n))) << n;
        for (int32_t i = 0; i < 256; ++i) {
            const int32_t low = n == 3 ? 11 : n == 4 ? 55 : 0;
            const int32_t high = n == 3 ? 59 : n == 4 ? 103 : 255;
            EXPECT_TRUE(table[i] >= low && table[i] <= high) << "table " << n << " entry " << i;
            EXPECT_TRUE(n > 2 || Light(table[i]) <= Light(i)) << "table " << n << " entry " << i;
        }
    }
    EXPECT_EQ(SoftView_GetShadeTable(3)[0], 59);
    EXPECT_EQ(SoftView_GetShadeTable(4)[255], 55);
    FirstDestroyGameEnvironment();
    EXPECT_EQ(SoftView_GetShadeTable(1), nullptr);
    EXPECT_EQ(MemoryStats().blocks, before.blocks);
    EXPECT_EQ(MemoryStats().bytes, before.bytes);
}

TEST(SoftViewPaletteDeathTest, TablesMadeTwiceOrFreedUnmadeAreFatal)
{
    EXPECT_DEATH(
        {
            ScopedArchives archives;
            KitMatch_SetUpBlock();
            SetupGamePalette();
            SetupGamePalette();
        },
        "Error: SetupGamePalette\\(\\): tried to re-allocate LUTs");
    EXPECT_DEATH(
        {
            ScopedArchives archives;
            FirstDestroyGameEnvironment();
        },
        "Error: FirstDestroyGameEnvironment\\(\\): tried to free uncreated LUTs");
}

// Calls of the frame hook: how many drew, the longest run that did not, and the ticks it took.
struct PaceRun {
    int32_t drawn;
    int32_t longestSkip;
    uint32_t ticks;
};

PaceRun Pace(int32_t calls)
{
    PaceRun run = {0, 0, 0};
    const uint32_t start = TickCount.load();
    int32_t skip = 0;
    for (int32_t c = 0; c < calls; ++c) {
        if (SoftView_PaceFrame()) {
            ++run.drawn;
            skip = 0;
        } else {
            run.longestSkip = std::max(run.longestSkip, ++skip);
        }
    }
    run.ticks = TickCount.load() - start;
    return run;
}

TEST(SoftViewPacing, FiftyFramesASecondTwoHundredInQuickPreviewAndLateOnesSkippedAtMostTwoOrEight)
{
    ScopedHeadlessWindow window;
    ClockSetAutoAdvance(true);  // each wait's poll moves the tick on
    struct Case {
        int16_t quick;
        uint32_t ticksFor200;  // when every call draws
        int32_t skips;
    };
    for (const Case c : {Case{0, 400, SOFTVIEW_SKIPS}, Case{1, 100, SOFTVIEW_QUICK_SKIPS}}) {
        SCOPED_TRACE(c.quick);
        ViewFlags.quickPreview = c.quick;
        SoftView_StartPacing();
        const PaceRun onTime = Pace(200);
        EXPECT_EQ(onTime.drawn, 200);
        EXPECT_EQ(onTime.ticks, c.ticksFor200);
        // Far behind: the view skips its limit, draws without waiting, and does not try to catch
        // up: the next frame is early again and waits for its tick.
        ClockAdvance(1000);
        const PaceRun late = Pace(c.skips + 1);
        EXPECT_EQ(late.longestSkip, c.skips);
        EXPECT_EQ(late.drawn, 1);
        EXPECT_EQ(late.ticks, 0u);
        const PaceRun again = Pace(40);
        EXPECT_EQ(again.drawn, 40);
        EXPECT_EQ(again.ticks, c.ticksFor200 / 5);
    }
    // F5 during the match: the clock is rescaled, neither late nor far ahead.
    ViewFlags.quickPreview = 0;
    SoftView_StartPacing();
    Pace(10);
    ViewFlags.quickPreview = 1;
    const PaceRun quick = Pace(40);
    EXPECT_EQ(quick.drawn, 40);
    EXPECT_EQ(quick.ticks, 20u);
    ViewFlags.quickPreview = 0;
    const PaceRun normal = Pace(40);
    EXPECT_EQ(normal.drawn, 40);
    EXPECT_EQ(normal.ticks, 80u);
}

}  // namespace
