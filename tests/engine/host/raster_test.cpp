// tests/engine/host/raster_test.cpp: the 3D device's rasteriser on buffers of its own: every
// specialised span routine draws exactly the general routine's pixels, depth and stencil, and
// modulation rounds as the hand-worked figures say.
#include "engine/host/raster.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/host_run.h"

namespace {

constexpr int32_t kSide = 48;

struct Format {
    const char* name;
    int32_t bytes;
    uint32_t shift[3];
    uint32_t bits[3];
};

constexpr Format kFormats[] = {{"5-5-5", 2, {10, 5, 0}, {5, 5, 5}},
                               {"5-6-5", 2, {11, 5, 0}, {5, 6, 5}},
                               {"X8-8-8-8", 4, {16, 8, 0}, {8, 8, 8}}};

// A draw call's states; `specialised` says whether a routine of its own is expected.
struct Combination {
    const char* name;
    bool textured;
    uint32_t magFilter, minFilter, mipFilter;
    bool zTest, stencil, blend, fog, perspective;
    uint32_t colourOp;
    bool specialised;
};

constexpr uint32_t P = HOST_FILTER_POINT, L = HOST_FILTER_LINEAR, N = HOST_FILTER_NONE;
constexpr uint32_t kModulate = HOST_TOP_MODULATE;

constexpr Combination kCombinations[] = {
    {"point, z", true, P, P, P, true, false, false, false, true, kModulate, true},
    {"point, z, affine", true, P, P, N, true, false, false, false, false, kModulate, true},
    {"point, ground", true, P, P, P, false, false, false, false, true, kModulate, true},
    {"point, ground, affine", true, P, P, N, false, false, false, false, false, kModulate, true},
    {"bilinear, z", true, L, L, P, true, false, false, false, true, kModulate, true},
    {"trilinear, z", true, L, L, L, true, false, false, false, true, kModulate, true},
    {"trilinear, z, fog", true, L, L, L, true, false, false, true, true, kModulate, true},
    {"untextured, z", false, P, P, N, true, false, false, false, true, kModulate, true},
    {"untextured, blended", false, P, P, N, false, false, true, false, true, kModulate, true},
    {"untextured, blended, stencil", false, P, P, N, false, true, true, false, true, kModulate,
     true},
    {"point, blended", true, P, P, N, false, false, true, false, true, kModulate, true},
    {"bilinear, blended", true, L, L, N, false, false, true, false, true, kModulate, true},
    {"point, z, blended", true, P, P, P, true, false, true, false, true, kModulate, true},
    {"point near, linear far", true, P, L, P, true, false, false, false, true, kModulate, false},
    {"stencil", true, P, P, N, true, true, false, false, true, kModulate, false},
    {"texture alone, fog, blended", true, L, L, N, false, false, true, true, true,
     HOST_TOP_SELECT_ARG1, false},
};

// A 16 x 16 texture with its four smaller levels, every texel random. Its levels have versions,
// as a device's textures have, so that a routine laying texels as they stand packs them.
class MipChain {
public:
    explicit MipChain(std::mt19937& random)
    {
        for (uint32_t side = 16; side >= 1; side /= 2) {
            m_levels.emplace_back(side * side);
            for (uint32_t& texel : m_levels.back()) {
                texel = random();
            }
            m_versions.push_back(HostNewTexelsVersion());
        }
    }

    void Bind(RasterState* s) const
    {
        s->texture.levelCount = static_cast<int32_t>(m_levels.size());
        for (size_t i = 0; i < m_levels.size(); ++i) {
            const uint32_t side = 16u >> i;
            s->texture.levels[i] = {m_levels[i].data(), side, side};
            s->texture.versions[i] = m_versions[i];
        }
    }

private:
    std::vector<std::vector<uint32_t>> m_levels;
    std::vector<uint64_t> m_versions;
};

struct Buffers {
    std::vector<uint8_t> colour;
    std::vector<uint32_t> depth;
    std::vector<uint8_t> stencil;
};

Buffers RandomBuffers(uint32_t seed, int32_t bytes)
{
    std::mt19937 random(seed);
    Buffers b{std::vector<uint8_t>(static_cast<size_t>(kSide * kSide * bytes)),
              std::vector<uint32_t>(kSide * kSide), std::vector<uint8_t>(kSide * kSide)};
    for (uint8_t& c : b.colour) {
        c = static_cast<uint8_t>(random());
    }
    for (uint32_t& d : b.depth) {
        d = random() & 0xFFFFFF;
    }
    for (uint8_t& s : b.stencil) {
        s = static_cast<uint8_t>(random() % 4);
    }
    return b;
}

RasterState StateFor(const Format& format, const Combination& c, Buffers* buffers)
{
    RasterState s{};
    s.colour = buffers->colour.data();
    s.pitch = kSide * format.bytes;
    s.bytesPerPixel = format.bytes;
    for (int32_t k = 0; k < 3; ++k) {
        s.shift[k] = format.shift[k];
        s.bits[k] = format.bits[k];
    }
    s.depth = {buffers->depth.data(), buffers->stencil.data(), kSide, kSide, 24, 8};
    s.scissor = {2, 3, kSide - 2, kSide - 3};
    s.zTest = c.zTest;
    s.zWrite = c.zTest;
    s.zFunc = HOST_CMP_LESS_EQUAL;
    s.zScale = (1 << 24) - 1;
    s.stencil = c.stencil;
    s.stencilFunc = HOST_CMP_LESS_EQUAL;
    s.stencilRef = 1;
    s.stencilMask = s.stencilWriteMask = 0xFF;
    s.stencilFail = HOST_STENCIL_ZERO;
    s.stencilZFail = HOST_STENCIL_DECREMENT;
    s.stencilPass = HOST_STENCIL_INCREMENT;
    s.stencilMax = 255;
    s.blend = c.blend;
    s.sourceBlend = HOST_BLEND_SOURCE_ALPHA;
    s.destBlend = HOST_BLEND_INVERSE_SOURCE_ALPHA;
    s.fog = c.fog;
    s.fogStart = 0.5f;
    s.fogEnd = 5.0f;
    s.fogRgb[0] = 40, s.fogRgb[1] = 80, s.fogRgb[2] = 120;
    s.perspective = c.perspective;
    s.colourOp = s.alphaOp = c.colourOp;
    s.colourArg1 = s.alphaArg1 = HOST_TA_TEXTURE;
    s.colourArg2 = s.alphaArg2 = HOST_TA_DIFFUSE;
    s.magFilter = c.magFilter;
    s.minFilter = c.minFilter;
    s.mipFilter = c.mipFilter;
    return s;
}

// Sixty random triangles over the buffers and beyond them, with depths and colours a little
// outside their ranges too, so that the clamps at the ends of rows are taken.
std::vector<RasterVertex> RandomTriangles(uint32_t seed)
{
    std::mt19937 random(seed);
    const auto in = [&random](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    std::vector<RasterVertex> corners;
    for (int32_t i = 0; i < 60 * 3; ++i) {
        corners.push_back({in(-6, kSide + 6), in(-6, kSide + 6), in(-0.1f, 1.1f), in(0.1f, 2),
                           in(-20, 275), in(0, 255), in(0, 255), in(0, 255), in(-3, 3), in(-3, 3)});
    }
    return corners;
}

Buffers Draw(const Format& format, const Combination& c, bool generalOnly, int32_t* routine,
             const std::vector<RasterVertex>& corners = RandomTriangles(11), bool flat = false)
{
    std::mt19937 random(43);
    const MipChain texture(random);
    Buffers buffers = RandomBuffers(7, format.bytes);
    RasterState s = StateFor(format, c, &buffers);
    s.flat = flat;
    if (c.textured) texture.Bind(&s);
    HostInjectGeneralSpansOnly(generalOnly);
    RasterPrepare(&s);
    *routine = s.spanRoutine;
    for (size_t i = 0; i + 2 < corners.size(); i += 3) {
        RasterTriangle(s, corners[i], corners[i + 1], corners[i + 2], corners[i]);
    }
    return buffers;
}

// Gouraud shading, flat shading (each triangle one colour) and flat opaque white, which a
// modulated texture leaves as it is.
struct Shading {
    const char* name;
    bool flat;
    bool white;
};
constexpr Shading kShadings[] = {
    {"", false, false}, {", flat", true, false}, {", white", true, true}};

std::vector<RasterVertex> InWhite(std::vector<RasterVertex> corners)
{
    for (RasterVertex& v : corners) {
        v.r = v.g = v.b = v.a = 255;
    }
    return corners;
}

TEST(Raster, EverySpecialisedRoutineDrawsTheGeneralRoutinesPixels)
{
    const ScopedHeadlessHost host;
    for (const Format& format : kFormats) {
        for (const Combination& c : kCombinations) {
            for (const Shading& shading : kShadings) {
                const std::vector<RasterVertex> corners =
                    shading.white ? InWhite(RandomTriangles(11)) : RandomTriangles(11);
                int32_t specialised = -1, general = -1;
                const Buffers a = Draw(format, c, false, &specialised, corners, shading.flat);
                const Buffers b = Draw(format, c, true, &general, corners, shading.flat);
                const std::string what = std::string(format.name) + ", " + c.name + shading.name;
                EXPECT_EQ(specialised != 0, c.specialised) << what;
                EXPECT_EQ(general, 0) << what;
                EXPECT_TRUE(a.colour == b.colour) << what;
                EXPECT_TRUE(a.depth == b.depth) << what;
                EXPECT_TRUE(a.stencil == b.stencil) << what;
                EXPECT_FALSE(a.colour == RandomBuffers(7, format.bytes).colour) << what << " drew";
            }
        }
    }
}

// A specialised routine takes one level for a whole triangle when the bounds of its ratios allow
// it, where the general routine chooses at every run: small triangles in perspective whose
// ratios lie near the levels' steps, each spanning a few texels, must draw the same pixels.
TEST(Raster, ATrianglesOneLevelIsTheLevelEachOfItsRunsWouldChoose)
{
    const ScopedHeadlessHost host;
    std::mt19937 random(5);
    const auto in = [&random](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    std::vector<RasterVertex> corners;
    for (int32_t i = 0; i < 600; ++i) {
        const float x = in(-4, kSide), y = in(-4, kSide), size = in(1, 12), rhw = in(0.2f, 2);
        const float u = in(-2, 2), v = in(-2, 2), texels = in(0.05f, 3) * size / 16;
        for (const auto& [dx, dy] : {std::pair{0.0f, 0.0f}, {size, in(-2, 2)}, {in(-2, 2), size}}) {
            const float q = rhw * in(0.9f, 1.1f);
            corners.push_back({x + dx, y + dy, in(0, 1), q, 255, 255, 255, 255,
                               (u + texels * dx / size) * q, (v + texels * dy / size) * q});
        }
    }
    for (const Format& format : kFormats) {
        int32_t specialised = -1, general = -1;
        const Buffers a = Draw(format, kCombinations[0], false, &specialised, corners);
        const Buffers b = Draw(format, kCombinations[0], true, &general, corners);
        EXPECT_NE(specialised, 0);
        EXPECT_TRUE(a.colour == b.colour) << format.name;
        EXPECT_TRUE(a.depth == b.depth) << format.name;
    }
    HostInjectGeneralSpansOnly(false);
}

// Whatever the filters, a quad of texture coordinates 0-1 over a 16 x 16 texture samples the
// level its texels per pixel choose: each level is a colour of its own. Point mip-maps take the
// nearest level (log2 of the ratio, rounded), none only level 0, and a magnified quad level 0.
TEST(Raster, TheLevelFollowsTheTexelsPerPixelWhateverTheFilters)
{
    const ScopedHeadlessHost host;
    std::vector<std::vector<uint32_t>> levels;
    for (uint32_t side = 16, k = 0; side >= 1; side /= 2, ++k) {
        levels.emplace_back(side * side, 0xFF000000 | (40 * k + 10) << 16 | (200 - 30 * k));
    }
    struct Row {
        uint32_t mag, min, mip;
        int32_t side;  // of the quad, in pixels
        uint32_t level;
    };
    const Row rows[] = {{P, P, P, 4, 2}, {P, P, P, 8, 1},  {P, P, P, 32, 0},
                        {P, P, N, 4, 0}, {L, L, P, 4, 2},  {L, L, N, 2, 0},
                        {L, P, P, 2, 3}, {P, L, P, 16, 0}, {P, P, P, 1, 4}};
    for (const bool generalOnly : {false, true}) {
        HostInjectGeneralSpansOnly(generalOnly);
        for (const Row& row : rows) {
            Buffers buffers = RandomBuffers(3, 4);
            const Combination plain = {"",    true,  row.mag, row.min, row.mip,   false,
                                       false, false, false,   true,    kModulate, true};
            RasterState s = StateFor(kFormats[2], plain, &buffers);
            s.texture.levelCount = static_cast<int32_t>(levels.size());
            for (size_t k = 0; k < levels.size(); ++k) {
                s.texture.levels[k] = {levels[k].data(), 16u >> k, 16u >> k};
            }
            RasterPrepare(&s);
            const auto far = static_cast<float>(8 + row.side);
            const RasterVertex a{8, 8, 0.5f, 1, 255, 255, 255, 255, 0, 0},
                b{far, 8, 0.5f, 1, 255, 255, 255, 255, 1, 0},
                c{far, far, 0.5f, 1, 255, 255, 255, 255, 1, 1},
                d{8, far, 0.5f, 1, 255, 255, 255, 255, 0, 1};
            RasterTriangle(s, a, b, c, a);
            RasterTriangle(s, a, c, d, a);
            uint32_t pixel;
            std::memcpy(&pixel, &buffers.colour[(8 * kSide + 8) * 4], 4);
            EXPECT_EQ(pixel & 0xFFFFFF, levels[row.level][0] & 0xFFFFFF)
                << row.mag << row.min << row.mip << ", " << row.side << " pixels";
        }
    }
    HostInjectGeneralSpansOnly(false);
}

TEST(Raster, ModulationRoundsTheProductOverTwoHundredAndFiftyFive)
{
    const ScopedHeadlessHost host;
    struct Row {
        uint32_t texel, diffuse, expected;
    };
    // t d / 255 rounded: 255; 78.4; 0.498; 0.502; 1; 128.0; 0.
    const Row rows[] = {{255, 255, 255}, {200, 100, 78},  {1, 127, 0}, {1, 128, 1},
                        {3, 85, 1},      {128, 255, 128}, {0, 255, 0}};
    for (const Row& row : rows) {
        Buffers buffers = RandomBuffers(7, 4);
        const Combination plain = {"",    true,  P,     P,    N,         false,
                                   false, false, false, true, kModulate, true};
        RasterState s = StateFor(kFormats[2], plain, &buffers);
        const uint32_t texel = 0xFF000000 | row.texel << 16 | row.texel << 8 | row.texel;
        s.texture.levelCount = 1;
        s.texture.levels[0] = {&texel, 1, 1};
        RasterPrepare(&s);
        const auto d = static_cast<float>(row.diffuse);
        const RasterVertex a{0, 0, 0.5f, 1, d, d, d, 255, 0, 0},
            b{kSide, 0, 0.5f, 1, d, d, d, 255, 1, 0}, c{0, kSide, 0.5f, 1, d, d, d, 255, 0, 1};
        RasterTriangle(s, a, b, c, a);
        const uint8_t* pixel = &buffers.colour[(10 * kSide + 10) * 4];
        EXPECT_EQ(pixel[0], row.expected) << row.texel << " x " << row.diffuse;
        EXPECT_EQ(pixel[1], row.expected) << row.texel << " x " << row.diffuse;
        EXPECT_EQ(pixel[2], row.expected) << row.texel << " x " << row.diffuse;
    }
}

// Every stage operation on every pair of texture and diffuse channels, through the specialised
// and the general routines: a 16 x 16 texture holding the 256 channel values drawn texel for
// texel over a constant diffuse colour, for each of the 256 diffuse values.
TEST(Raster, StageOperationsAreExactForEveryPairOfChannels)
{
    const ScopedHeadlessHost host;
    std::vector<uint32_t> texels(256);
    const auto green = [](uint32_t t) { return 255 - t; };
    const auto red = [](uint32_t t) { return t ^ 0x5A; };
    for (uint32_t t = 0; t < 256; ++t) {
        texels[t] = 0xFF000000 | red(t) << 16 | green(t) << 8 | t;
    }
    struct Row {
        uint32_t op;
        uint32_t (*expected)(uint32_t texel, uint32_t diffuse);
    };
    const Row rows[] = {
        {HOST_TOP_MODULATE, [](uint32_t t, uint32_t d) { return (t * d + 127) / 255; }},
        {HOST_TOP_SELECT_ARG1, [](uint32_t t, uint32_t) { return t; }},
        {HOST_TOP_SELECT_ARG2, [](uint32_t, uint32_t d) { return d; }},
        {HOST_TOP_DISABLE, [](uint32_t, uint32_t d) { return d; }},
    };
    for (const bool generalOnly : {false, true}) {
        HostInjectGeneralSpansOnly(generalOnly);
        for (const Row& row : rows) {
            for (uint32_t d = 0; d < 256; ++d) {
                Buffers buffers = RandomBuffers(d, 4);
                const Combination plain = {"",    true,  P,     P,    N,      false,
                                           false, false, false, true, row.op, true};
                RasterState s = StateFor(kFormats[2], plain, &buffers);
                s.texture.levelCount = 1;
                s.texture.levels[0] = {texels.data(), 16, 16};
                RasterPrepare(&s);
                const auto f = static_cast<float>(d);
                const RasterVertex a{8, 8, 0.5f, 1, f, f, f, f, 0, 0},
                    b{24, 8, 0.5f, 1, f, f, f, f, 1, 0}, c{24, 24, 0.5f, 1, f, f, f, f, 1, 1},
                    e{8, 24, 0.5f, 1, f, f, f, f, 0, 1};
                RasterTriangle(s, a, b, c, a);
                RasterTriangle(s, a, c, e, a);
                for (uint32_t t = 0; t < 256; ++t) {
                    const uint8_t* pixel = &buffers.colour[((8 + t / 16) * kSide + 8 + t % 16) * 4];
                    ASSERT_EQ(pixel[0], row.expected(t, d)) << row.op << ": " << t << ", " << d;
                    ASSERT_EQ(pixel[1], row.expected(green(t), d))
                        << row.op << ": " << t << ", " << d;
                    ASSERT_EQ(pixel[2], row.expected(red(t), d))
                        << row.op << ": " << t << ", " << d;
                }
            }
        }
    }
    HostInjectGeneralSpansOnly(false);
}

// A row whose colour would pass 255 steps from its first pixel to exactly 255 at its last
// instead: no pixel needs a clamp, and none wraps. Red is 2 x + 199 on the plane, so the first
// pixel is 200 and the step is (255.5 - 200.5) / 47 levels.
TEST(Raster, AColourLeavingItsRangeRampsToItsLimitAtTheRowsEnd)
{
    const ScopedHeadlessHost host;
    Buffers buffers = RandomBuffers(7, 4);
    const Combination plain = {"",    false, P,     P,    N,         false,
                               false, false, false, true, kModulate, true};
    RasterState s = StateFor(kFormats[2], plain, &buffers);
    s.scissor = {0, 0, kSide, kSide};
    RasterPrepare(&s);
    const RasterVertex a{-1, -1, 0.5f, 1, 197, 0, 0, 255, 0, 0},
        b{200, -1, 0.5f, 1, 599, 0, 0, 255, 0, 0}, c{-1, 200, 0.5f, 1, 197, 0, 0, 255, 0, 0};
    RasterTriangle(s, a, b, c, a);
    const auto red = [&buffers](int32_t x) { return buffers.colour[(20 * kSide + x) * 4 + 2]; };
    EXPECT_EQ(red(0), 200);
    EXPECT_EQ(red(24), 228);  // 200.5 + 24 x 55 / 47 (the plane: 248; at the end: 294)
    EXPECT_EQ(red(kSide - 1), 255);
    for (int32_t x = 1; x < kSide; ++x) {
        EXPECT_GE(red(x), red(x - 1)) << x;
    }
}

// Gouraud shading: each channel steps along its own plane. Corners 0, 120, 240 apart per
// channel over 48 pixels make every channel's value at a pixel centre known by hand (the row's
// fixed-point stepping may land one off the rounded plane), through both kinds of routine.
TEST(Raster, EachColourChannelFollowsItsOwnPlane)
{
    const ScopedHeadlessHost host;
    const Combination plain = {"",    false, P,     P,    N,         false,
                               false, false, false, true, kModulate, true};
    for (const bool generalOnly : {false, true}) {
        HostInjectGeneralSpansOnly(generalOnly);
        Buffers buffers = RandomBuffers(9, 4);
        RasterState s = StateFor(kFormats[2], plain, &buffers);
        s.scissor = {0, 0, kSide, kSide};
        RasterPrepare(&s);
        const float side = kSide;
        const RasterVertex a{0, 0, 0.5f, 1, 0, 240, 120, 255, 0, 0},
            b{side, 0, 0.5f, 1, 240, 0, 0, 255, 0, 0}, c{0, side, 0.5f, 1, 120, 0, 240, 255, 0, 0};
        RasterTriangle(s, a, b, c, a);
        for (const auto& [x, y] : {std::pair{0, 0}, {20, 3}, {5, 30}, {23, 23}, {40, 6}}) {
            const float fx = (static_cast<float>(x) + 0.5f) / side;
            const float fy = (static_cast<float>(y) + 0.5f) / side;
            const float want[3] = {240 * fx + 120 * fy, 240 - 240 * fx - 240 * fy,
                                   120 - 120 * fx + 120 * fy};
            const uint8_t* pixel = &buffers.colour[(y * kSide + x) * 4];
            for (int32_t k = 0; k < 3; ++k) {
                EXPECT_NEAR(pixel[2 - k], std::clamp(want[k], 0.0f, 255.0f), 1.0f)
                    << "channel " << k << " at " << x << ", " << y
                    << (generalOnly ? " (general)" : "");
            }
        }
    }
    HostInjectGeneralSpansOnly(false);
}

}  // namespace
