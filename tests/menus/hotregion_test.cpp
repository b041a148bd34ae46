#include "menus/hotregion.h"

#include <array>
#include <cstring>

#include <gtest/gtest.h>

#include "menus/menupc.h"
#include "menus/menutext.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"

namespace {

int16_t s_white = 0;

HotRegion Region(int16_t x, int16_t y, int16_t w, int16_t h, int16_t code)
{
    return {HOTREGION_TEXT_NO, x, y, w, h, 5, 0, 1, &s_white, code};
}

template <size_t N>
std::array<HotRegion, HOTREGION_MAX + 1> ListOf(const HotRegion (&regions)[N])
{
    std::array<HotRegion, HOTREGION_MAX + 1> list{};
    for (size_t i = 0; i < N; ++i)
        list[i] = regions[i];
    return list;
}

class HotRegions : public testing::Test {
protected:
    HotRegions() { HotRegionInit(); }
    ~HotRegions() override { HotRegionUninit(); }
};

}  // namespace

TEST_F(HotRegions, EdgesMissOnePixelInsideHitsAndOnlyTheLeftButtonCounts)
{
    const auto list = ListOf({Region(10, 20, 30, 40, 7)});
    EXPECT_EQ(HotRegion_HitTest(list.data(), 10, 30, 1), -1);
    EXPECT_EQ(HotRegion_HitTest(list.data(), 20, 20, 1), -1);
    EXPECT_EQ(HotRegion_Clicked(), 0);
    EXPECT_EQ(HotRegion_HitTest(list.data(), 11, 21, 1), 7);
    EXPECT_EQ(HotRegion_Clicked(), 1);
    EXPECT_EQ(HotRegion_HitTest(list.data(), 39, 59, 1), 7);
    EXPECT_EQ(HotRegion_HitTest(list.data(), 40, 30, 1), -1);
    EXPECT_EQ(HotRegion_HitTest(list.data(), 20, 30, 2), -1);
}

TEST_F(HotRegions, TheEarlierOfTwoOverlappingRegionsWins)
{
    const auto list = ListOf({Region(0, 0, 50, 50, 1), Region(20, 20, 50, 50, 2)});
    EXPECT_EQ(HotRegion_HitTest(list.data(), 30, 30, 1), 1);
    EXPECT_EQ(HotRegion_HitTest(list.data(), 60, 60, 1), 2);
    EXPECT_EQ(HotRegion_FindByCode(list.data(), 2), 1);
    EXPECT_EQ(HotRegion_FindByCode(list.data(), 3), -1);
}

TEST_F(HotRegions, AppendMovesTheSourceAndStopsAtTheLimit)
{
    std::array<HotRegion, HOTREGION_MAX + 1> list{};
    const auto source = ListOf({Region(1, 2, 3, 4, 5), Region(6, 7, 8, 9, 10)});
    EXPECT_EQ(HotRegion_Append(list.data(), source.data(), 100, 200), 1);
    EXPECT_EQ(list[1].x, 106);
    EXPECT_EQ(list[1].y, 207);
    EXPECT_EQ(list[2].kind, HOTREGION_END);

    for (int32_t i = 0; i < HOTREGION_MAX - 1; ++i)
        list[i] = Region(0, 0, 1, 1, static_cast<int16_t>(i));
    list[HOTREGION_MAX - 1] = {};
    const auto before = list;
    EXPECT_EQ(HotRegion_Append(list.data(), source.data(), 0, 0), 0);  // 29 records: unchanged
    EXPECT_EQ(std::memcmp(before.data(), list.data(), sizeof list), 0);
}

TEST_F(HotRegions, AppendAlwaysEndsTheListAtRecordThirty)
{
    std::array<HotRegion, HOTREGION_MAX + 1> list{};
    for (int32_t i = 0; i < HOTREGION_MAX - 2; ++i)
        list[i] = Region(0, 0, 1, 1, static_cast<int16_t>(i));
    const auto source = ListOf({Region(1, 1, 5, 5, 40), Region(1, 1, 5, 5, 41),
                                Region(1, 1, 5, 5, 42), Region(1, 1, 5, 5, 43)});
    list[HOTREGION_MAX] = Region(40, 40, 20, 20, 99);  // garbage where the terminator goes
    EXPECT_EQ(HotRegion_Append(list.data(), source.data(), 0, 0), 0);
    EXPECT_EQ(list[HOTREGION_MAX - 1].code, 41);
    EXPECT_EQ(list[HOTREGION_MAX].kind, HOTREGION_END);
    EXPECT_EQ(HotRegion_HitTest(list.data(), 50, 50, 1), -1);  // the scan ends at the terminator
}

class HotRegionLabels : public testing::Test {
protected:
    ScopedMenus m_menus{1};
};

TEST_F(HotRegionLabels, CentredLabelWithoutWidthIsAnchoredAtX)
{
    LoadFont(1);
    HotRegion region = {HOTREGION_TEXT_NO, 200, 100, -1,       -1,
                        MENU_ALIGN_CENTRE, 249, 1,   &s_white, 0};
    FillMenuRect(0, 0, 640, 480, 0);
    HotRegion_DrawLabel(&region);
    const uint32_t atX = WorkScreenHash();
    FillMenuRect(0, 0, 640, 480, 0);
    SetMenuFont(1);
    SetDrawAttribute(1, 0);
    DrawMenuMessage(200, 100, 249, MENU_ALIGN_CENTRE);
    EXPECT_EQ(WorkScreenHash(), atX);
}

TEST_F(HotRegionLabels, OnlyKindsOneToThreeAndTheirButtonsHaveLabels)
{
    LoadFont(1);
    const auto drawn = [](uint16_t kind) {
        HotRegion region = {kind, 200, 100, 80, 20, MENU_ALIGN_CENTRE, 249, 1, &s_white, 0};
        FillMenuRect(0, 0, 640, 480, 0);
        HotRegion_DrawLabel(&region);
        return WorkScreenHash();
    };
    const uint32_t blank = [] {
        FillMenuRect(0, 0, 640, 480, 0);
        return WorkScreenHash();
    }();
    EXPECT_NE(drawn(HOTREGION_TEXT_NO), blank);
    EXPECT_EQ(drawn(HOTREGION_BUTTON_KINDS + HOTREGION_TEXT_NO), drawn(HOTREGION_TEXT_NO));
    for (uint16_t kind : {4, 500, 504, 1001})
        EXPECT_EQ(drawn(kind), blank) << kind;
}
