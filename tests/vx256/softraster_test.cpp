// The simplest software drawers against reference models: menu polygons cut to the screen, the
// mask polygon, the recoloured rectangle and the grass and marking row writers, with everything
// outside what they draw compared before and after.
#include "vx256/softraster.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "menus/menupc.h"
#include "tests/support/menu_run.h"
#include "tests/support/soft_models.h"
#include "vx256/softspan.h"

namespace {

constexpr int32_t W = 640;
constexpr int32_t H = 480;

// The game screen of a 640 x 480 view on the 8-bit menu host.
class ScopedGameScreen {
public:
    ScopedGameScreen() : m_menus(DDRAW_KIND_8BIT)
    {
        ViewScreen_Init();
        SoftRaster_Init();
        GameScreen_Create(W, H);
    }
    ~ScopedGameScreen()
    {
        SoftRaster_Uninit();
        ViewScreen_Uninit();
    }
    GameScreenRecord Screen() const { return GetGameScreen(); }
    uint8_t& At(int32_t x, int32_t y)
    {
        return GetGameScreen().pixels[static_cast<size_t>(y) * GetGameScreen().pitch + x];
    }

private:
    ScopedMenus m_menus;
};

std::vector<SoftScreenVertex> Vertices(const SoftOutline& outline)
{
    std::vector<SoftScreenVertex> out;
    for (const SoftPoint& p : outline)
        out.push_back({p.x, p.y, 0.0f, 0.0f});
    return out;
}

// Half off each edge of the menu screen: the on-screen part of every row, and no row lost.
TEST(SoftRaster, MenuPolygonsHalfOffAnEdgeDrawTheirOnScreenPixels)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    SoftRaster_Init();
    SetDrawAttribute(2, 0xFFFF);
    const auto at = [](double x, double y) { return SoftPointAt(x, y); };
    const SoftOutline outlines[] = {
        {at(-40, 100), at(40, 130), at(20, 200), at(-60, 170)},
        {at(600, 100), at(680, 130), at(660, 200), at(580, 170)},
        {at(300, -50), at(380, 10), at(290, 40)},
        {at(300, 450), at(380, 470), at(330, 530), at(280, 500)},
        {at(-100, -100), at(740, -100), at(740, 580), at(-100, 580)},
    };
    for (int32_t drawer = 0; drawer < 2; ++drawer) {
        for (const SoftOutline& outline : outlines) {
            std::memset(MenuScreen.workScreen, 0, static_cast<size_t>(W) * H * 2);
            const std::vector<SoftScreenVertex> v = Vertices(outline);
            if (drawer == 0) {
                Soft_DrawPolygonA(v.data(), static_cast<int32_t>(v.size()), 50);
            } else {
                Soft_DrawPolygonB(v.data(), static_cast<int32_t>(v.size()));
            }
            SoftPixels expected;
            for (const auto& [x, y] : SoftReferenceCoverage(outline)) {
                if (x >= 0 && x < W && y >= 0 && y < H) expected.insert({x, y});
            }
            SoftPixels drawn;
            for (int32_t y = 0; y < H; ++y) {
                for (int32_t x = 0; x < W; ++x) {
                    if (WorkPixel(x, y) != 0) drawn.insert({x, y});
                }
            }
            EXPECT_FALSE(expected.empty());
            EXPECT_EQ(drawn, expected) << (drawer == 0 ? "A " : "B ") << outline[0].x;
        }
    }
    SoftRaster_Uninit();
}

// An axis-aligned quad mapping texel (k, j) to pixel (10 + k, 20 + j): exactly the pixels whose
// texel is set take the colour, the right edge's column included.
TEST(SoftRaster, MaskPolygonColoursThePixelsOfSetTexels)
{
    ScopedGameScreen game;
    constexpr uint8_t kShadow = 9, kGround = 40;
    std::vector<uint8_t> mask(SOFT_MASK_TEXTURE_WIDTH * 16);
    std::mt19937 random(45);
    for (uint8_t& texel : mask)
        texel = random() % 3 == 0 ? 0 : static_cast<uint8_t>(random() % 255 + 1);
    const GameScreenRecord screen = game.Screen();
    std::fill(screen.pixels, screen.pixels + screen.pitch * screen.height, kGround);
    const SoftScreenVertex quad[4] = {
        {10, 20, 0, 0}, {73, 20, 64, 0}, {73, 36, 64, 16}, {10, 36, 0, 16}};
    Soft_DrawPolygonC(quad, 4, mask.data(), 16, kShadow);
    for (int32_t y = 0; y < screen.height; ++y) {
        for (int32_t x = 0; x < screen.width; ++x) {
            const bool inside = x >= 10 && x <= 73 && y >= 20 && y < 36;
            const bool set = inside && mask[(y - 20) * SOFT_MASK_TEXTURE_WIDTH + (x - 10)] != 0;
            ASSERT_EQ(game.At(x, y), set ? kShadow : kGround) << x << "," << y;
        }
    }
}

// A mask of holes framed by set bytes: a shadow whose texture coordinates reach and pass the
// texture's edges, or whose corners lie off the screen, draws nothing.
TEST(SoftRaster, MaskPolygonReadsNothingOutsideItsTexture)
{
    ScopedGameScreen game;
    constexpr int32_t kRows = 16;
    std::vector<uint8_t> memory(3 * SOFT_MASK_TEXTURE_WIDTH * kRows, 1);
    uint8_t* mask = memory.data() + SOFT_MASK_TEXTURE_WIDTH * kRows;
    std::fill(mask, mask + SOFT_MASK_TEXTURE_WIDTH * kRows, 0);
    const SoftScreenVertex quads[][4] = {
        {{100, 100, 0, 0}, {180, 110, 64, 0}, {170, 150, 64, 16}, {95, 140, 0, 16}},
        {{100, 100, -3, -2}, {180, 110, 70, -1}, {170, 150, 66, 19}, {95, 140, -1, 17}},
        {{-50, -30, -9, 0},
         {W + 200, -20, 99, 0},
         {W + 190, H + 200, 64, 40},
         {-70, H + 150, 0, 16}},
    };
    const GameScreenRecord screen = game.Screen();
    const size_t bytes = static_cast<size_t>(screen.pitch) * screen.height;
    for (const auto& quad : quads) {
        std::fill(screen.pixels, screen.pixels + bytes, 0);
        Soft_DrawPolygonC(quad, 4, mask, kRows, 5);
        EXPECT_EQ(std::count(screen.pixels, screen.pixels + bytes, 5), 0);
    }

    // A full mask over a quad with corners at the largest whole-pixel coordinate covers the
    // screen; one pixel further across or down, the quad is corrupt and draws nothing.
    std::fill(mask, mask + SOFT_MASK_TEXTURE_WIDTH * kRows, 1);
    const int32_t big = SOFT_MAX_COORD / 16;
    for (int32_t beyond : {0, 1, 2}) {
        std::fill(screen.pixels, screen.pixels + bytes, 0);
        const SoftScreenVertex huge[4] = {{-big - (beyond == 1), -big, 0, 0},
                                          {big, -big, 63, 0},
                                          {big, big + (beyond == 2), 63, 15},
                                          {-big, big, 0, 15}};
        Soft_DrawPolygonC(huge, 4, mask, kRows, 5);
        size_t coloured = 0;
        for (int32_t y = 0; y < screen.height; ++y)
            coloured += std::count(screen.pixels + y * screen.pitch,
                                   screen.pixels + y * screen.pitch + screen.width, 5);
        EXPECT_EQ(coloured, beyond == 0 ? size_t(screen.width) * screen.height : 0u) << beyond;
    }
}

TEST(SoftRaster, RemapRectMapsItsRectangleOnly)
{
    ScopedGameScreen game;
    const GameScreenRecord screen = game.Screen();
    uint8_t table[256];
    for (int32_t i = 0; i < 256; ++i)
        table[i] = static_cast<uint8_t>(i * 5 + 1);
    const auto original = [](int32_t x, int32_t y) { return static_cast<uint8_t>(x * 7 + y * 3); };
    struct Rect {
        int32_t x, y, w, h;
    };
    for (const Rect& r :
         {Rect{100, 50, 200, 100}, Rect{3, 4, 0, 10}, Rect{3, 4, 10, 0}, Rect{-10, -20, 30, 40},
          Rect{screen.width - 5, screen.height - 6, 50, 50}, Rect{screen.width, 0, 10, 10}}) {
        for (int32_t y = 0; y < screen.height; ++y) {
            for (int32_t x = 0; x < screen.width; ++x)
                game.At(x, y) = original(x, y);
        }
        Soft_RemapRect(r.x, r.y, r.w, r.h, table);
        Soft_RemapRect(r.x, r.y, r.w, r.h, nullptr);
        for (int32_t y = 0; y < screen.height; ++y) {
            for (int32_t x = 0; x < screen.width; ++x) {
                const bool inside = x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
                ASSERT_EQ(game.At(x, y), inside ? table[original(x, y)] : original(x, y))
                    << r.x << "," << r.y << " at " << x << "," << y;
            }
        }
    }
}

uint8_t Tile(int32_t u, int32_t v) { return static_cast<uint8_t>((u * 3 + v * 5) % 200 + 1); }

// The four planes: the tile twice across and down, as stored and mirrored in u, v and both.
std::vector<uint8_t> GrassBlock()
{
    std::vector<uint8_t> block(SOFT_GRASS_BLOCK_BYTES);
    for (int32_t plane = 0; plane < 4; ++plane) {
        for (int32_t r = 0; r < SOFT_GRASS_PLANE_ROW; ++r) {
            for (int32_t c = 0; c < SOFT_GRASS_PLANE_ROW; ++c) {
                const int32_t u = (plane & 1) != 0 ? 63 - c % 64 : c % 64;
                const int32_t v = (plane & 2) != 0 ? 63 - r % 64 : r % 64;
                block[plane * SOFT_GRASS_PLANE_BYTES + r * SOFT_GRASS_PLANE_ROW + c] = Tile(u, v);
            }
        }
    }
    return block;
}

// Where two frames first differ, as "row,column: actual vs expected", or "" when they are equal.
std::string FirstDifference(const std::vector<uint8_t>& actual,
                            const std::vector<uint8_t>& expected, int32_t pitch)
{
    for (size_t i = 0; i < actual.size() && i < expected.size(); ++i) {
        if (actual[i] != expected[i])
            return std::to_string(i / pitch) + "," + std::to_string(i % pitch) + ": "
                   + std::to_string(actual[i]) + " vs " + std::to_string(expected[i]);
    }
    return actual.size() == expected.size() ? "" : "sizes differ";
}

constexpr int32_t kViewHeight = 40;
constexpr int32_t kColumnOffset = 30;
constexpr uint8_t kUntouched = 0xEE;  // no tile or pattern byte has it

// Rows of every kind: both ways, u and v rising and falling, steps up to 15.9 texels a pixel,
// starts anywhere in the 64-texel wrap, one-pixel rows, rows cut by either edge of the screen.
std::vector<SoftGrassRow> GrassRows(uint32_t seed)
{
    std::mt19937 random(seed);
    const auto any = [&](int32_t lo, int32_t hi) {
        return std::uniform_int_distribution<int32_t>(lo, hi)(random);
    };
    std::vector<SoftGrassRow> rows(kViewHeight);
    for (int32_t y = 0; y < kViewHeight; ++y) {
        SoftGrassRow& r = rows[y];
        r.xStart = y % 9 == 5 ? any(-400, -40) : y % 9 == 6 ? any(600, 800) : any(200, 300);
        r.xEnd = y % 7 == 3 ? r.xStart : r.xStart + any(-200, 300);
        const int32_t n = std::abs(r.xEnd - r.xStart) + 1;
        const int32_t maxChange =
            static_cast<int32_t>(std::min<int64_t>(n * int64_t{159 * 65536 / 10}, INT32_MAX / 4));
        r.uStart = any(-200 << 16, 200 << 16);
        r.vStart = any(-200 << 16, 200 << 16);
        r.uEnd = r.uStart + any(-maxChange, maxChange);
        r.vEnd = r.vStart + any(-maxChange, maxChange);
        if (y % 5 == 0) {  // starts on whole texels, where mirroring must not move a texel
            r.uStart &= ~0xFFFF;
            r.vStart &= ~0xFFFF;
        }
    }
    return rows;
}

uint8_t GrassTexel(const SoftGrassRow& r, int32_t k)
{
    const int32_t n = std::abs(r.xEnd - r.xStart) + 1;
    const auto step = [n](int32_t a, int32_t b) {
        const int64_t change = int64_t{b} - a;
        const int32_t size = static_cast<int32_t>((change < 0 ? -change : change) / n);
        return change < 0 ? -size : size;
    };
    const int64_t u = r.uStart + int64_t{k} * step(r.uStart, r.uEnd);
    const int64_t v = r.vStart + int64_t{k} * step(r.vStart, r.vEnd);
    return Tile(static_cast<int32_t>((u >> 16) & 63), static_cast<int32_t>((v >> 16) & 63));
}

TEST(SoftRaster, GrassRowsShowTheTileTexelForTexel)
{
    SoftRaster_Init();
    const std::vector<uint8_t> block = GrassBlock();
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        const std::vector<SoftGrassRow> rows = GrassRows(seed);
        SoftTestSurface surface(720, kViewHeight + 128, 736, kUntouched);
        Soft_SetRowTarget(surface.record, kViewHeight, kColumnOffset);
        Soft_DrawGrassRows(-5, kViewHeight + 10, rows.data(), block.data());
        std::vector<uint8_t> expected(surface.bytes.size(), kUntouched);
        for (int32_t y = 0; y < kViewHeight; ++y) {
            SoftGrassRow r = rows[y];
            if (r.xEnd < r.xStart) {
                std::swap(r.xStart, r.xEnd);
                std::swap(r.uStart, r.uEnd);
                std::swap(r.vStart, r.vEnd);
            }
            for (int32_t k = 0; k <= r.xEnd - r.xStart; ++k) {
                const int32_t x = r.xStart + k + kColumnOffset;
                if (x >= 0 && x < 720)
                    expected[(y + GAMESCREEN_MARGIN) * 736 + x] = GrassTexel(r, k);
            }
        }
        ASSERT_EQ(FirstDifference(surface.bytes, expected, 736), "") << seed;

        // The same rows with their ends exchanged draw the same pixels (a one-pixel row shows
        // the texel at its start, so it stays as it is).
        std::vector<SoftGrassRow> swapped = rows;
        for (SoftGrassRow& r : swapped) {
            if (r.xStart == r.xEnd) continue;
            std::swap(r.xStart, r.xEnd);
            std::swap(r.uStart, r.uEnd);
            std::swap(r.vStart, r.vEnd);
        }
        SoftTestSurface again(720, kViewHeight + 128, 736, kUntouched);
        Soft_SetRowTarget(again.record, kViewHeight, kColumnOffset);
        Soft_DrawGrassRows(0, kViewHeight - 1, swapped.data(), block.data());
        EXPECT_EQ(FirstDifference(again.bytes, surface.bytes, 736), "") << seed;
    }
    SoftRaster_Uninit();
}

// The pattern rows after `moves` thresholds passed: the first row moves first.
std::pair<int32_t, int32_t> PatternRows(int32_t moves)
{
    return {15 - (moves + 1) / 2, 15 - moves / 2};
}

uint8_t PatternByte(int32_t row, int32_t column)
{
    return static_cast<uint8_t>(row * 16 + column % 13 + 1);
}

TEST(SoftRaster, MarkingRowsFollowTheDepthKeysAndThePositionDither)
{
    SoftRaster_Init();
    std::vector<uint8_t> pattern(SOFT_PATTERN_BYTES);
    for (int32_t i = 0; i < SOFT_PATTERN_BYTES; ++i)
        pattern[i] = PatternByte(i / SOFT_PATTERN_ROW_BYTES, i % SOFT_PATTERN_ROW_BYTES);
    // Depth keys down the rows; the one reversed row (key 5000) is skipped and moves nothing.
    const int32_t keys[] = {0, 100, 101, 119, 120, 121, 5000, 200, 150, 400, 639, 640, 641, 9999};
    std::vector<SoftMarkingRow> rows(kViewHeight);
    for (int32_t y = 0; y < kViewHeight; ++y) {
        const int32_t i = y - 3;
        const bool used = i >= 0 && i < static_cast<int32_t>(std::size(keys));
        rows[y] = {30 + 3 * y, used ? 30 + 3 * y + 5 * y + 1 : 0, {}, used ? keys[i] : 0};
        if (used && keys[i] == 5000) rows[y].xEnd = rows[y].xStart - 1;
    }
    // Two surfaces at different addresses draw the same pixels.
    std::vector<uint8_t> first, second;
    for (size_t padding : {0u, 13u}) {
        std::vector<uint8_t> memory(padding + 400 * (kViewHeight + 128), kUntouched);
        const GameScreenRecord screen{memory.data() + padding, 400, kViewHeight + 128, 400};
        Soft_SetRowTarget(screen, kViewHeight, kColumnOffset);
        Soft_DrawMarkingRows(3, 3 + static_cast<int32_t>(std::size(keys)) - 1, rows.data(),
                             pattern.data());
        (padding == 0 ? first : second).assign(memory.begin() + padding, memory.end());
    }
    EXPECT_EQ(FirstDifference(first, second, 400), "");

    std::vector<uint8_t> expected(first.size(), kUntouched);
    int32_t moves = 0;
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(keys)); ++i) {
        const SoftMarkingRow& r = rows[3 + i];
        if (r.xEnd < r.xStart) continue;
        for (int32_t t = 0; t < SOFT_DEPTH_THRESHOLDS; ++t)
            moves = std::max(moves, r.depthKey > 100 + 20 * t ? t + 1 : 0);
        const auto [rowA, rowB] = PatternRows(moves);
        const size_t offset = (3 + i + GAMESCREEN_MARGIN) * 400 + r.xStart + kColumnOffset;
        const uint32_t c = kUntouched ^ (offset & 0xFF) ^ (offset >> 8 & 0xFF);
        const int32_t row = (c & 1) != 0 ? rowA : rowB;
        for (int32_t k = 0; k <= r.xEnd - r.xStart; ++k) {
            // Groups of four from a column that wraps within the row between groups.
            const uint32_t column = ((c + k / 4 * 4) & 255) + k % 4;
            expected[offset + k] = pattern[row * SOFT_PATTERN_ROW_BYTES + column];
        }
    }
    EXPECT_EQ(FirstDifference(first, expected, 400), "");
    SoftRaster_Uninit();
}

}  // namespace
