// tests/engine/host/region_test.cpp: the few rectangles that cover what changed: free merges,
// separate rectangles kept exactly, and the least growth once the region is full.
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/internal.h"

namespace {

bool Same(const HostRect& a, const HostRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

HostRegion Built(const std::vector<HostRect>& added)
{
    HostRegion region{};
    for (const HostRect& r : added) {
        HostRegionAdd(&region, r);
    }
    return region;
}

bool Holds(const HostRegion& region, const HostRect& rect)
{
    for (int32_t i = 0; i < region.count; ++i) {
        if (Same(region.rects[i], rect)) return true;
    }
    return false;
}

}  // namespace

TEST(HostRegion, MergesForFreeKeepsApartExactlyAndIgnoresEmptyRectangles)
{
    struct Case {
        const char* name;
        std::vector<HostRect> added;
        std::vector<HostRect> kept;
    };
    const Case cases[] = {
        {"rows one under the other", {{0, 0, 10, 1}, {0, 1, 10, 2}}, {{0, 0, 10, 2}}},
        {"side by side", {{0, 0, 4, 3}, {4, 0, 9, 3}}, {{0, 0, 9, 3}}},
        {"inside", {{0, 0, 10, 10}, {2, 2, 3, 3}}, {{0, 0, 10, 10}}},
        {"around", {{2, 2, 3, 3}, {0, 0, 10, 10}}, {{0, 0, 10, 10}}},
        {"apart", {{0, 0, 1, 1}, {5, 5, 6, 6}}, {{0, 0, 1, 1}, {5, 5, 6, 6}}},
        {"rows with a gap", {{0, 0, 640, 1}, {0, 2, 640, 3}}, {{0, 0, 640, 1}, {0, 2, 640, 3}}},
        {"a merge that lets a third join",
         {{0, 0, 4, 1}, {0, 2, 4, 3}, {0, 1, 4, 2}},
         {{0, 0, 4, 3}}},
        {"empty", {{3, 3, 3, 5}, {4, 4, 6, 4}}, {}},
    };
    for (const Case& c : cases) {
        const HostRegion region = Built(c.added);
        EXPECT_EQ(region.count, static_cast<int32_t>(c.kept.size())) << c.name;
        for (const HostRect& r : c.kept) {
            EXPECT_TRUE(Holds(region, r)) << c.name;
        }
    }
}

TEST(HostRegion, AFullRegionMergesTheNewRectangleWhereItGrowsLeast)
{
    std::vector<HostRect> dots;
    for (int32_t i = 0; i < HOST_REGION_MAX_RECTS; ++i) {
        dots.push_back({i * 10, 0, i * 10 + 1, 1});
    }
    HostRegion region = Built(dots);
    ASSERT_EQ(region.count, HOST_REGION_MAX_RECTS);
    HostRegionAdd(&region, {62, 0, 63, 1});
    EXPECT_EQ(region.count, HOST_REGION_MAX_RECTS);
    EXPECT_TRUE(Holds(region, {60, 0, 63, 1}));
    for (const HostRect& dot : dots) {
        EXPECT_TRUE(dot.left == 60 || Holds(region, dot)) << dot.left;
    }
    HostRegionAdd(&region, {2, 0, 3, 1});  // the nearest is the first rectangle kept
    EXPECT_TRUE(Holds(region, {0, 0, 3, 1}));
    EXPECT_EQ(region.count, HOST_REGION_MAX_RECTS);
}

TEST(HostRegion, BoundsCoverEveryRectangleAndAreEmptyForNone)
{
    EXPECT_TRUE(Same(HostRegionBounds(HostRegion{}), {0, 0, 0, 0}));
    const HostRegion region = Built({{5, 7, 6, 8}, {1, 20, 3, 21}, {9, 2, 10, 3}});
    EXPECT_TRUE(Same(HostRegionBounds(region), {1, 2, 10, 21}));
    HostRect both;
    EXPECT_TRUE(HostRectIntersect({0, 0, 10, 10}, {5, 5, 20, 20}, &both));
    EXPECT_TRUE(Same(both, {5, 5, 10, 10}));
    EXPECT_FALSE(HostRectIntersect({0, 0, 10, 10}, {10, 0, 20, 10}, &both));
}
