// The view screen services: size classes, the strip of player names, the software view's
// resolution steps and the replay bar's top.
#include "viewservices/viewscreen.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "game/matchblocks.h"
#include "matchscreens/softhud.h"
#include "tests/support/gfx_run.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "vx256/fontgame.h"
#include "vx256/mgraphic.h"

namespace {

// The generated match fonts and graphics, a cleared match-day block.
class ScopedViewData {
public:
    ScopedViewData()
    {
        ResetCoreForTest();
        MemoryInit();
        PakFileInit();
        DataFolderInit(ScopedMenus::GeneratedDataFolder().c_str());
        PakMount("pakfiles\\hdcommon");
        MatchBlocks_Init();
        FONT_Init();
        MGraphic_Init();
        ViewScreen_Init();
    }
    ~ScopedViewData()
    {
        ViewScreen_Uninit();
        MGraphic_Uninit();
        FONT_Uninit();
        MatchBlocks_Uninit();
        PakFileUninit();
        MemoryUninit();
        ResetCoreForTest();
    }
};

void NameEntries(int32_t benchSize)
{
    MatchDayBlock* block = GetMatchSidesBlock();
    block->benchSize = static_cast<int16_t>(benchSize);
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t e = 0; e < MATCH_ENTRY_COUNT; ++e) {
            MatchPlayerEntry& entry = block->sides[side].entries[e];
            const std::string name = "J. Joueur" + std::to_string(e);
            std::memcpy(entry.name, name.c_str(), name.size() + 1);
            entry.positionCode = 0;
        }
    }
}

TEST(ViewScreen, SizeClassFollowsTheViewWidth)
{
    ScopedViewData data;
    SetViewSize(800, 600);
    EXPECT_EQ(GetViewSizeClass(), 2);
    SetViewSize(640, 480);
    EXPECT_EQ(GetViewSizeClass(), 1);
    SetViewSize(320, 200);
    EXPECT_EQ(GetViewSizeClass(), 0);
}

TEST(ViewScreen, NameStripHoldsTheStartersAndTheNamedBench)
{
    ScopedViewData data;
    NameEntries(0);
    // Exactly 20 characters: the field is full and the next byte (a keeper's 0) ends the name.
    std::memcpy(GetMatchSidesBlock()->sides[1].entries[3].name, "ABCDEFGHIJKLMNOPQRST", 20);
    InitPlayerNamesA();
    EXPECT_STREQ(NameStrip.names[16 + 3], "ABCDEFGHIJKLMNOPQRST");
    for (int32_t slot : {11, 12, 15, 27, 31, 32, 34})
        EXPECT_EQ(NameStrip.width[slot], 1) << slot;
    EXPECT_GT(NameStrip.width[10], 1);
    EXPECT_EQ(NameStrip.startX[1], NameStrip.width[0]);
    ASSERT_NE(NameStrip.buffer, nullptr);
    EXPECT_EQ(NameStrip.buffer->height, static_cast<uint32_t>(FONT_GetItem(0).glyphHeight));
    // A cleared block's bench size (0xFFFF) counts as 0; five names the whole bench.
    GetMatchSidesBlock()->benchSize = -1;
    InitPlayerNamesA();
    EXPECT_EQ(NameStrip.width[11], 1);
    NameEntries(5);
    InitPlayerNamesA();
    EXPECT_GT(NameStrip.width[15], 1);
    FreePlayerNames();
    EXPECT_EQ(NameStrip.buffer, nullptr);
}

TEST(ViewScreenDeathTest, NameOfTwentyOneCharactersIsFatal)
{
    EXPECT_FATAL(
        {
            ScopedViewData data;
            NameEntries(0);
            MatchPlayerEntry& entry = GetMatchSidesBlock()->sides[0].entries[2];
            std::memcpy(entry.name, "ABCDEFGHIJKLMNOPQRST", 20);
            entry.positionCode = 'U';
            entry.skin = 0;
            InitPlayerNamesA();
        },
        "ERROR:InitPlayerNamesA 'ABCDEFGHIJKLMNOPQRSTU'");
    EXPECT_FATAL(
        {
            ScopedViewData data;
            GetMatchSidesBlock()->viewMode = VIEW_2D;
            FindTopOfReplayBar();
        },
        "Error: default case hit in FindTopOfReplayBar()");
}

bool Qualifies(const DDrawMode& m)
{
    return m.kind == DDRAW_KIND_8BIT && m.width >= 512 && m.height >= 384 && m.width <= 2048
           && m.height <= 1024;
}

TEST(ViewScreen, ResolutionStepsWrapRoundTheQualifyingModes)
{
    ScopedGraphics graphics;
    int32_t count = 0;
    const DDrawMode* modes = GfxModeList(&count);
    int32_t first = -1, last = -1;
    for (int32_t i = 0; i < count; ++i) {
        if (!Qualifies(modes[i])) continue;
        if (first < 0) first = i;
        last = i;
    }
    ASSERT_LT(first, last);
    SoftwareResolution = static_cast<int16_t>(last);
    StepSoftwareResolution(1);
    EXPECT_EQ(SoftwareResolution, first);
    StepSoftwareResolution(-1);
    EXPECT_EQ(SoftwareResolution, last);
    // With no mode that qualifies, the search ends after one round and keeps the index.
    for (int32_t i = 0; i < DDrawModeCount; ++i)
        DDrawModes[i].kind = DDRAW_KIND_16BIT;
    StepSoftwareResolution(1);
    EXPECT_EQ(SoftwareResolution, last);
}

}  // namespace
