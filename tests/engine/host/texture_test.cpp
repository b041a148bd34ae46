// tests/engine/host/texture_test.cpp: the 3D device's level choice. A run finds its mip level by
// comparing its texel-to-pixel ratio with the draw call's table of ratios; every choice must be
// the one the logarithm of the ratio makes, above all at the ratios where the choice steps up.
#include "engine/host/texture.h"

#include <bit>
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/host_run.h"

namespace {

// Ratios to try: zero, not a number, infinity, the smallest and largest floats, powers of two
// and the halves between them (where point mip choices step) with their neighbours.
std::vector<float> RatiosToTry(const RasterState& s)
{
    std::vector<float> ratios = {
        0.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::max()};
    const auto withNeighbours = [&ratios](float r) {
        for (const float n : {std::nextafter(std::nextafter(r, 0.0f), 0.0f),
                              std::nextafter(r, 0.0f), r, std::nextafter(r, INFINITY)}) {
            ratios.push_back(n);
        }
    };
    for (int32_t e = -20; e <= 20; ++e) {
        withNeighbours(std::ldexp(1.0f, e));
        withNeighbours(std::ldexp(1.41421356f, e));
    }
    for (int32_t k = 0; k < s.choiceCount; ++k) {
        withNeighbours(s.choiceFrom[k]);
    }
    return ratios;
}

TEST(TextureLevels, TheTableOfRatiosChoosesAsTheLogarithmDoes)
{
    const ScopedHeadlessHost host;
    uint32_t texels[RASTER_MAX_LEVELS] = {};
    struct Row {
        uint32_t mipFilter;
        int32_t levelCount;
        float bias;
        int32_t choices;  // steps in the table
    };
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const Row rows[] = {
        {HOST_FILTER_POINT, 9, 0.0f, 9},          {HOST_FILTER_POINT, 9, -1.5f, 9},
        {HOST_FILTER_POINT, 11, 0.3f, 11},        {HOST_FILTER_POINT, 1, 0.0f, 1},
        {HOST_FILTER_NONE, 9, 2.0f, 1},           {HOST_FILTER_POINT, 9, 200.0f, 9},
        {HOST_FILTER_POINT, 9, -kInfinity, 1},    {HOST_FILTER_POINT, 9, kInfinity, 9},
        {HOST_FILTER_POINT, 4, std::nanf(""), 1}, {HOST_FILTER_LINEAR, 9, 0.0f, 0},
    };
    for (const Row& row : rows) {
        RasterState s{};
        s.magFilter = HOST_FILTER_LINEAR;
        s.minFilter = HOST_FILTER_POINT;
        s.mipFilter = row.mipFilter;
        s.lodBias = row.bias;
        s.texture.levelCount = row.levelCount;
        for (int32_t k = 0; k < row.levelCount; ++k) {
            s.texture.levels[k] = {&texels[k], 1024u >> k, 1024u >> k};
        }
        RasterPrepare(&s);
        EXPECT_EQ(s.choiceCount, row.choices) << row.bias;
        for (int32_t k = 1; k < s.choiceCount; ++k) {
            EXPECT_LE(s.choiceFrom[k - 1], s.choiceFrom[k]) << row.bias;
        }
        for (const float ratio : RatiosToTry(s)) {
            const TextureLevels table = TextureChooseForRatio(s, ratio);
            const TextureLevels logarithm = TextureChoose(s, TextureLevelOfDetail(s, ratio));
            ASSERT_EQ(table.near.argb, logarithm.near.argb) << row.bias << ", ratio " << ratio;
            ASSERT_EQ(table.far.argb, logarithm.far.argb) << row.bias << ", ratio " << ratio;
            ASSERT_EQ(table.filter, logarithm.filter) << row.bias << ", ratio " << ratio;
            ASSERT_EQ(table.weight, logarithm.weight) << row.bias << ", ratio " << ratio;
        }
    }
    // Without a bias the steps fall where the levels' sizes say: magnification up to one texel
    // a pixel, level 1 from 2 to the power 0.5 texels a pixel, level 2 from 2 to the power 1.5.
    RasterState s{};
    s.magFilter = HOST_FILTER_LINEAR;
    s.minFilter = HOST_FILTER_POINT;
    s.mipFilter = HOST_FILTER_POINT;
    s.texture.levelCount = 9;
    for (int32_t k = 0; k < 9; ++k) {
        s.texture.levels[k] = {&texels[k], 256u >> k, 256u >> k};
    }
    RasterPrepare(&s);
    EXPECT_EQ(s.choiceFrom[0], std::nextafter(1.0f, 2.0f));
    EXPECT_NEAR(s.choiceFrom[1], std::sqrt(2.0f), 1e-6f);
    EXPECT_NEAR(s.choiceFrom[2], 2 * std::sqrt(2.0f), 1e-6f);
    struct Expected {
        float ratio;
        int32_t level;
        uint32_t filter;
    };
    for (const Expected& e : {Expected{0.5f, 0, HOST_FILTER_LINEAR},
                              {1.2f, 0, HOST_FILTER_POINT},
                              {1.5f, 1, HOST_FILTER_POINT},
                              {3.0f, 2, HOST_FILTER_POINT},
                              {1e9f, 8, HOST_FILTER_POINT}}) {
        const TextureLevels chosen = TextureChooseForRatio(s, e.ratio);
        EXPECT_EQ(chosen.near.argb, &texels[e.level]) << e.ratio;
        EXPECT_EQ(chosen.filter, e.filter) << e.ratio;
    }
}

}  // namespace
