// A small scene drawn with the software rasteriser alone through a pinhole camera of the test's
// own: a perspective grass floor from row tables, marking stripes, a shadow, a flat pyramid, a
// textured cube and a transparent billboard, then a darkened box; the presented frame's hash is
// the golden value, and the frame is written as a PNG when it differs.
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/host/host.h"
#include "generated/build_paths.h"
#include "tests/support/gfx_run.h"
#include "tests/support/menu_run.h"
#include "tests/support/soft_models.h"
#include "viewservices/viewscreen.h"
#include "vx256/softraster.h"
#include "vx256/softspan.h"

namespace {

constexpr int32_t W = 640;
constexpr int32_t H = 480;
constexpr int32_t M = GAMESCREEN_MARGIN;
constexpr float kFocal = 400.0f;
constexpr float kHorizon = 150.0f;  // view row of the horizon
constexpr float kEyeHeight = 2.0f;  // the ground is the plane Y = 2, Y pointing down
constexpr float kTexelsPerUnit = 8.0f;
constexpr uint64_t kSceneHash = 0x9c4ff3a7fe77f31cull;

struct Vec {
    float x, y, z;
};

class Palette {
public:
    Palette() { ViewScreen_LoadMasterPalette(m_rgb); }
    uint8_t* Bytes() { return m_rgb; }
    // The index whose colour lies nearest (r, g, b), 8-bit levels.
    uint8_t Nearest(int32_t r, int32_t g, int32_t b) const
    {
        int32_t best = 0, bestDistance = INT32_MAX;
        for (int32_t i = 1; i < 256; ++i) {
            const int32_t dr = m_rgb[3 * i] * 4 - r, dg = m_rgb[3 * i + 1] * 4 - g,
                          db = m_rgb[3 * i + 2] * 4 - b;
            const int32_t distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        return static_cast<uint8_t>(best);
    }

    // Each entry's nearest at half its brightness, on 6-bit levels: a darkened panel.
    std::array<uint8_t, 256> Half() const
    {
        std::array<uint8_t, 256> table{};
        for (int32_t i = 0; i < 256; ++i) {
            const uint8_t* c = m_rgb + 3 * i;
            int32_t bestDistance = INT32_MAX;
            for (int32_t j = 0; j < 256; ++j) {
                const uint8_t* d = m_rgb + 3 * j;
                const int32_t dr = d[0] - c[0] / 2, dg = d[1] - c[1] / 2, db = d[2] - c[2] / 2;
                if (dr * dr + dg * dg + db * db < bestDistance) {
                    table[i] = static_cast<uint8_t>(j);
                    bestDistance = dr * dr + dg * dg + db * db;
                }
            }
        }
        return table;
    }

private:
    uint8_t m_rgb[GFX_PALETTE_BYTES];
};

SoftVertex Project(Vec p, float u, float v)
{
    const float sx = static_cast<float>(W) / 2 + kFocal * p.x / p.z + M;
    const float sy = kHorizon + kFocal * p.y / p.z + M;
    return {static_cast<int32_t>(std::lround(sx * 16)), static_cast<int32_t>(std::lround(sy * 16)),
            p.z, u, v};
}

// The ground's depth on a view row below the horizon.
float RowDepth(int32_t y) { return kFocal * kEyeHeight / (static_cast<float>(y) - kHorizon); }

int32_t Fix16(float texels) { return static_cast<int32_t>(std::lround(texels * 65536.0f)); }

void DrawFloor(const Palette& palette)
{
    std::vector<uint8_t> block(SOFT_GRASS_BLOCK_BYTES);
    const uint8_t light = palette.Nearest(70, 150, 60), dark = palette.Nearest(50, 120, 45);
    for (int32_t plane = 0; plane < 4; ++plane) {
        for (int32_t r = 0; r < SOFT_GRASS_PLANE_ROW; ++r) {
            for (int32_t c = 0; c < SOFT_GRASS_PLANE_ROW; ++c) {
                const int32_t u = (plane & 1) != 0 ? 63 - c % 64 : c % 64;
                const int32_t v = (plane & 2) != 0 ? 63 - r % 64 : r % 64;
                const bool stripe = (v / 16) % 2 == 0, speck = (u * 7 + v * 13) % 11 == 0;
                block[plane * SOFT_GRASS_PLANE_BYTES + r * SOFT_GRASS_PLANE_ROW + c] =
                    stripe != speck ? light : dark;
            }
        }
    }
    std::vector<SoftGrassRow> rows(H);
    const int32_t first = static_cast<int32_t>(kHorizon) + 2;  // below 16 texels a pixel
    for (int32_t y = first; y < H; ++y) {
        const float z = RowDepth(y), perPixel = z / kFocal * kTexelsPerUnit;
        // Odd rows run right to left, which the writer must draw the same.
        const bool reversed = y % 2 != 0;
        const float uLeft = -static_cast<float>(W) / 2 * perPixel,
                    uRight = uLeft + (W - 1) * perPixel;
        const float v = z * kTexelsPerUnit;
        rows[y] = reversed
                      ? SoftGrassRow{W - 1, 0, Fix16(uRight), Fix16(v), Fix16(uLeft), Fix16(v), {}}
                      : SoftGrassRow{0, W - 1, Fix16(uLeft), Fix16(v), Fix16(uRight), Fix16(v), {}};
    }
    Soft_SetRowTarget(GetGameScreen(), H, M);
    Soft_DrawGrassRows(first, H - 1, rows.data(), block.data());
}

void DrawMarkings(const Palette& palette)
{
    std::vector<uint8_t> pattern(SOFT_PATTERN_BYTES);
    const uint8_t white = palette.Nearest(250, 250, 250), grey = palette.Nearest(170, 190, 160);
    for (int32_t i = 0; i < SOFT_PATTERN_BYTES; ++i) {
        const int32_t row = i / SOFT_PATTERN_ROW_BYTES % SOFT_PATTERN_ROWS, column = i % 16;
        pattern[i] = (column * 7) % 16 < 16 - row ? white : grey;  // fainter toward row 15
    }
    // A stripe running away from the eye, and one across the view; nearer rows have larger keys.
    std::vector<SoftMarkingRow> along(H), across(H);
    const int32_t first = static_cast<int32_t>(kHorizon) + 2;
    for (int32_t y = first; y < H; ++y) {
        const float z = RowDepth(y);
        const int32_t key = static_cast<int32_t>(6400.0f / z);
        const float left = W / 2 + kFocal * 0.6f / z, right = W / 2 + kFocal * 0.9f / z;
        along[y] = {static_cast<int32_t>(std::ceil(left)),
                    static_cast<int32_t>(std::floor(right)),
                    {},
                    key};
        const bool crossing = z > 12.0f && z < 12.8f;
        across[y] = {0, crossing ? W - 1 : -1, {}, key};
    }
    Soft_DrawMarkingRows(first, H - 1, along.data(), pattern.data());
    Soft_DrawMarkingRows(first, H - 1, across.data(), pattern.data());
}

void DrawShadow(const Palette& palette, Vec centre)
{
    std::vector<uint8_t> mask(SOFT_MASK_TEXTURE_WIDTH * 32);
    for (int32_t v = 0; v < 32; ++v) {
        for (int32_t u = 0; u < 64; ++u) {
            const float du = (u - 31.5f) / 32, dv = (v - 15.5f) / 16;
            mask[v * 64 + u] = du * du + dv * dv < 1 ? 1 : 0;
        }
    }
    const auto corner = [&](float dx, float dz, float u, float v) {
        const SoftVertex p = Project({centre.x + dx, kEyeHeight, centre.z + dz}, u, v);
        return SoftScreenVertex{p.x / 16, p.y / 16, u, v};
    };
    const SoftScreenVertex quad[4] = {corner(-1.3f, 1.0f, 0, 0), corner(1.5f, 1.0f, 64, 0),
                                      corner(1.5f, -0.8f, 64, 32), corner(-1.3f, -0.8f, 0, 32)};
    Soft_DrawPolygonC(quad, 4, mask.data(), 32, palette.Nearest(30, 70, 30));
}

// A face's corners in the order the walkers draw: clockwise on the screen seen from outside,
// so that faces turned away draw nothing.
std::vector<Vec> Outward(std::vector<Vec> corners, Vec centre)
{
    const Vec a = corners[0], b = corners[1], c = corners[2];
    const Vec e1{b.x - a.x, b.y - a.y, b.z - a.z}, e2{c.x - b.x, c.y - b.y, c.z - b.z};
    const Vec n{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
    const Vec out{a.x - centre.x, a.y - centre.y, a.z - centre.z};
    if (n.x * out.x + n.y * out.y + n.z * out.z > 0) std::reverse(corners.begin(), corners.end());
    return corners;
}

void DrawPyramid(const Palette& palette)
{
    const Vec apex{2.6f, kEyeHeight - 2.2f, 9.0f};
    const Vec base[4] = {{1.6f, kEyeHeight, 8.0f},
                         {3.6f, kEyeHeight, 8.0f},
                         {3.6f, kEyeHeight, 10.0f},
                         {1.6f, kEyeHeight, 10.0f}};
    const Vec centre{2.6f, kEyeHeight - 0.5f, 9.0f};
    const uint8_t colours[4] = {palette.Nearest(200, 60, 40), palette.Nearest(230, 120, 50),
                                palette.Nearest(150, 40, 30), palette.Nearest(180, 90, 40)};
    for (int32_t side = 0; side < 4; ++side) {
        const std::vector<Vec> face = Outward({apex, base[side], base[(side + 1) % 4]}, centre);
        SoftVertex v[3];
        for (int32_t i = 0; i < 3; ++i)
            v[i] = Project(face[i], 0, 0);
        Soft_DrawFlatPolygon(GetGameScreen(), v, 3, colours[side] * 0x01010101u);
    }
}

void DrawCube(const Palette& palette)
{
    const uint8_t a = palette.Nearest(240, 220, 60), b = palette.Nearest(60, 80, 200);
    const std::vector<uint8_t> checker = SoftTextureBlock(
        16, 16, [a, b](int u, int v) { return ((u / 4 + v / 4) % 2 == 0) ? a : b; });
    const Vec centre{-1.8f, kEyeHeight - 0.7f, 6.0f};
    const float c = std::cos(0.5f), s = std::sin(0.5f);
    const auto corner = [&](int32_t i) {
        const float x = (i & 1) != 0 ? 0.7f : -0.7f, y = (i & 2) != 0 ? 0.7f : -0.7f,
                    z = (i & 4) != 0 ? 0.7f : -0.7f;
        return Vec{centre.x + c * x + s * z, centre.y + y, centre.z - s * x + c * z};
    };
    const int32_t faces[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                 {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
    for (const auto& face : faces) {
        const std::vector<Vec> corners =
            Outward({corner(face[0]), corner(face[1]), corner(face[2]), corner(face[3])}, centre);
        const float uv[4][2] = {{0.5f, 0.5f}, {15.5f, 0.5f}, {15.5f, 15.5f}, {0.5f, 15.5f}};
        SoftVertex v[4];
        for (int32_t i = 0; i < 4; ++i)
            v[i] = Project(corners[i], uv[i][0], uv[i][1]);
        Soft_DrawObjectPolygons(GetGameScreen(), v, 4, checker.data());
    }
}

// An upright board turned away on its right, a ring with a hole, through the perspective walker.
void DrawBillboard(const Palette& palette)
{
    const uint8_t outer = palette.Nearest(230, 40, 200), inner = palette.Nearest(250, 250, 250);
    const std::vector<uint8_t> disc = SoftTextureBlock(32, 32, [=](int u, int v) {
        const float du = u - 15.5f, dv = v - 15.5f, r = std::sqrt(du * du + dv * dv);
        return static_cast<uint8_t>(r > 15.5f || r < 6 ? 0 : r > 11 ? outer : inner);
    });
    const float top = kEyeHeight - 3.0f, bottom = kEyeHeight - 0.5f;
    const SoftVertex quad[4] = {
        Project({0.2f, top, 7.0f}, 0.5f, 0.5f), Project({2.0f, top, 11.0f}, 31.5f, 0.5f),
        Project({2.0f, bottom, 11.0f}, 31.5f, 31.5f), Project({0.2f, bottom, 7.0f}, 0.5f, 31.5f)};
    Soft_DrawPerspectivePolygons(GetGameScreen(), quad, 4, disc.data(), true);
}

TEST(SoftScene, FrameOfEveryRoutineMatchesItsGoldenHash)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    ViewScreen_Init();
    SoftSpan_Init();
    SoftRaster_Init();
    Palette palette;
    SetPalette(palette.Bytes());
    GameScreen_Create(W, H);
    const GameScreenRecord screen = GetGameScreen();
    std::fill(screen.pixels, screen.pixels + screen.pitch * screen.height,
              palette.Nearest(120, 170, 230));

    DrawFloor(palette);
    DrawMarkings(palette);
    DrawShadow(palette, {-1.8f, kEyeHeight, 6.0f});
    DrawPyramid(palette);
    DrawCube(palette);
    DrawBillboard(palette);
    Soft_RemapRect(M + 20, M + 390, 220, 70, palette.Half().data());

    ShowDBuffer(0, 0, GameScreen_Buffer(), M, M, W, H);
    PresentNow();
    const uint64_t hash = HostFrameHash();
    const std::string path = PELLORAN_BUILD_DIR "/softraster_scene.png";
    if (hash != kSceneHash || std::getenv("PELLORAN_WRITE_FRAMES")) HostWriteFramePng(path.c_str());
    EXPECT_EQ(hash, kSceneHash) << "0x" << std::hex << hash << ", written to " << path;

    SoftRaster_Uninit();
    SoftSpan_Uninit();
    ViewScreen_Uninit();
}

}  // namespace
