// The software view's walkers and span loops against reference models: exact coverage by the
// top-left rule, span texels against the run formula and a double-precision perspective, the
// subdivision and fixed-point helpers, and the mended faults.
#include "vx256/softspan.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "menus/menupc.h"
#include "tests/support/menu_run.h"
#include "tests/support/soft_models.h"
#include "vx256/softraster.h"

#if defined(__i386__) || defined(__x86_64__)
#include <fpu_control.h>
#endif

namespace {

using Pixels = SoftPixels;
using Polygon = SoftOutline;
using Point = SoftPoint;

Point P(double x, double y) { return SoftPointAt(x, y); }
Pixels Reference(const Polygon& polygon) { return SoftReferenceCoverage(polygon); }

std::vector<SoftVertex> Textured(const Polygon& polygon)
{
    std::vector<SoftVertex> out;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const float k = static_cast<float>(i);
        out.push_back(
            {polygon[i].x, polygon[i].y, 1.0f + 0.3f * k, 0.5f + 0.6f * k, 7.0f - 0.5f * k});
    }
    return out;
}

constexpr uint8_t kInk = 7;

// Every drawer of the coverage table, each returning the pixels it changed.
struct Drawer {
    const char* name;
    std::function<Pixels(const Polygon&)> draw;
    bool snaps = false;  // to whole pixels first
};

std::vector<Drawer> Drawers()
{
    const auto onScreen = [](auto draw) {
        return [draw](const Polygon& polygon) {
            SoftTestSurface screen(320, 240, 336);
            const std::vector<SoftVertex> v = Textured(polygon);
            draw(screen.record, v);
            return screen.NotEqual(0);
        };
    };
    static const std::vector<uint8_t> plain = SoftTextureBlock(8, 8, [](int, int) { return kInk; });
    return {
        {"flat", onScreen([](const GameScreenRecord& s, const std::vector<SoftVertex>& v) {
             Soft_DrawFlatPolygon(s, v.data(), static_cast<int32_t>(v.size()), kInk * 0x01010101u);
         })},
        {"exact ends", onScreen([](const GameScreenRecord& s, const std::vector<SoftVertex>& v) {
             Soft_DrawObjectPolygons(s, v.data(), static_cast<int32_t>(v.size()), plain.data());
         })},
        {"perspective", onScreen([](const GameScreenRecord& s, const std::vector<SoftVertex>& v) {
             Soft_DrawPerspectivePolygons(s, v.data(), static_cast<int32_t>(v.size()), plain.data(),
                                          false);
         })},
        {"menu flat",
         [](const Polygon& polygon) {
             std::memset(MenuScreen.workScreen, 0,
                         static_cast<size_t>(MenuScreen.width) * MenuScreen.height * 2);
             std::vector<SoftScreenVertex> v;
             for (const Point& p : polygon)
                 v.push_back({p.x, p.y, 0.0f, 0.0f});
             Soft_DrawPolygonB(v.data(), static_cast<int32_t>(v.size()));
             Pixels out;
             for (int32_t y = 0; y < 240; ++y) {
                 for (int32_t x = 0; x < 320; ++x) {
                     if (WorkPixel(x, y) != 0) out.insert({x, y});
                 }
             }
             return out;
         },
         true},
    };
}

// Adjacent convex cells tiling a rectangle: a jittered grid whose shared edges sometimes carry a
// midpoint (exact: every coordinate is a multiple of 2 `unit`), each cell a quad of up to 8
// corners or two triangles.
std::vector<Polygon> Mesh(uint32_t seed, int32_t unit, int32_t cols, int32_t rows, Point origin)
{
    constexpr int32_t kCell = 12 * 16;
    std::mt19937 random(seed);
    const auto jitter = [&] {
        return 2 * unit * std::uniform_int_distribution<int32_t>(-24 / unit, 24 / unit)(random);
    };
    std::vector<std::vector<Point>> grid(rows + 1, std::vector<Point>(cols + 1));
    for (int32_t i = 0; i <= rows; ++i) {
        for (int32_t j = 0; j <= cols; ++j) {
            const bool inner = i > 0 && i < rows && j > 0 && j < cols;
            grid[i][j] = {origin.x + j * kCell + (inner ? jitter() : 0),
                          origin.y + i * kCell + (inner ? jitter() : 0)};
        }
    }
    std::map<std::pair<int32_t, int32_t>, bool> midpoints;  // by the sum of the edge's ends
    const auto midpoint = [&](Point a, Point b, std::vector<Point>* out) {
        const auto key = std::make_pair(a.x + b.x, a.y + b.y);
        if (!midpoints.count(key)) midpoints[key] = random() % 3 == 0;
        if (midpoints[key]) out->push_back({key.first / 2, key.second / 2});
    };
    std::vector<Polygon> mesh;
    for (int32_t i = 0; i < rows; ++i) {
        for (int32_t j = 0; j < cols; ++j) {
            const Point tl = grid[i][j], tr = grid[i][j + 1], br = grid[i + 1][j + 1],
                        bl = grid[i + 1][j];
            const auto chain = [&](std::initializer_list<Point> corners) {
                Polygon out;
                const std::vector<Point> c(corners);
                for (size_t k = 0; k < c.size(); ++k) {
                    out.push_back(c[k]);
                    midpoint(c[k], c[(k + 1) % c.size()], &out);
                }
                return out;
            };
            if (random() % 3 == 0) {
                mesh.push_back(chain({tl, tr, br}));
                mesh.push_back(chain({tl, br, bl}));
            } else {
                mesh.push_back(chain({tl, tr, br, bl}));
            }
        }
    }
    return mesh;
}

struct CoverageCase {
    const char* name;
    Polygon polygon;
    Polygon expected;  // the polygon whose reference coverage must be drawn; empty: nothing
};

std::vector<CoverageCase> CoverageCases()
{
    Polygon decagon;
    for (int32_t i = 0; i < 10; ++i) {
        const double angle = 2 * M_PI * i / 10 - M_PI / 2;
        decagon.push_back(P(60.3 + 40.7 * std::cos(angle), 50.6 + 33.1 * std::sin(angle)));
    }
    const Polygon onGrid{P(2, 1), P(8, 7), P(2, 7)};
    const Polygon subPixel{P(10.3, 3.7), P(41.9, 19.2), P(17.05, 38.6)};
    const Polygon flatTop{P(1, 1), P(9, 1), P(9, 5), P(1, 5)};
    return {
        {"vertices on rows and columns", onGrid, onGrid},
        {"flat top, its first top vertex inside the list",
         {P(9, 5), P(1, 5), P(1, 1), P(9, 1)},
         flatTop},
        {"sub-pixel triangle", subPixel, subPixel},
        {"ten vertices", decagon, decagon},
        {"other winding", {P(2, 7), P(8, 7), P(2, 1)}, {}},
        {"other winding, sub-pixel", {subPixel[2], subPixel[1], subPixel[0]}, {}},
        {"all on one row", {P(1, 5), P(9, 5), P(4, 5)}, {}},
        {"collinear", {P(1, 1), P(5, 5), P(9, 9)}, {}},
        {"an edge runs upwards",
         {P(20, 20), P(28, 28), P(28, 24), P(20, 32)},
         {P(20, 20), P(28, 28), P(20, 28)}},
        {"a sliver across a column",
         {P(3.8, 1), P(4.3, 9), P(3.9, 9)},
         {P(3.8, 1), P(4.3, 9), P(3.9, 9)}},
        {"a sliver from a column's edge",
         {P(4, 1), P(4.0625, 9), P(4, 9)},
         {P(4, 1), P(4.0625, 9), P(4, 9)}},
        {"a sliver between two columns", {P(3.2, 1), P(3.9, 9), P(3.3, 9)}, {}},
        {"two vertices", {P(1, 1), P(9, 9)}, {}},
        {"eleven vertices",
         {P(10, 0), P(12, 1), P(13, 2), P(14, 4), P(14, 6), P(13, 8), P(12, 9), P(10, 10), P(8, 9),
          P(7, 8), P(6, 6)},
         {}},
    };
}

TEST(SoftSpan, WalkersCoverExactlyThePixelsOfTheTopLeftRule)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    SoftSpan_Init();
    SetDrawAttribute(2, 0xFFFF);
    for (const Drawer& drawer : Drawers()) {
        for (const CoverageCase& c : CoverageCases()) {
            Polygon expected = c.expected;
            for (Point& p : expected) {
                if (drawer.snaps) p = {p.x & ~15, p.y & ~15};
            }
            EXPECT_EQ(drawer.draw(c.polygon), Reference(expected)) << drawer.name << ": " << c.name;
        }
        const int32_t unit = drawer.snaps ? 16 : 1;
        std::map<std::pair<int32_t, int32_t>, int32_t> times;
        const std::vector<Polygon> mesh = Mesh(45, unit, 16, 12, P(8, 9));
        for (const Polygon& polygon : mesh) {
            const Pixels drawn = drawer.draw(polygon);
            EXPECT_EQ(drawn, Reference(polygon)) << drawer.name;
            for (const auto& pixel : drawn)
                ++times[pixel];
        }
        EXPECT_GT(mesh.size(), 200u);
        EXPECT_EQ(times.size(), 16u * 12 * 12 * 12) << drawer.name;
        for (const auto& [pixel, n] : times) {
            ASSERT_EQ(n, 1) << drawer.name << " " << pixel.first << "," << pixel.second;
            ASSERT_TRUE(pixel.first >= 8 && pixel.first < 8 + 192 && pixel.second >= 9
                        && pixel.second < 9 + 144);
        }
    }
    SoftSpan_Uninit();
}

// Span loops against the models: a row drawn by hand-set edges, each texel compared with the run
// formula (runs of N pixels between exact ends, the rest to the right edge) and with a
// double-precision per-pixel perspective.
constexpr int32_t kTexSize = 16;
constexpr int32_t kRowLeft = 5;
constexpr uint8_t kUnder = 0xFF;  // (15, 15) is a hole, so no texel has this value

uint8_t CodedTexel(int u, int v) { return (u + v) % 3 == 0 ? 0 : static_cast<uint8_t>(16 * v + u); }

struct EdgeValues {
    float z, u, v;
};

SoftEdge HandEdge(int32_t x, int32_t row, EdgeValues e)
{
    SoftEdge edge{};
    edge.x = x;
    edge.row = row;
    edge.rowsLeft = 1;
    edge.invZ = 1.0f / e.z;
    edge.uOverZ = e.u * edge.invZ;
    edge.vOverZ = e.v * edge.invZ;
    return edge;
}

// The texel of pixel k of a run, as the run formula gives it.
uint8_t RunTexel(const std::vector<uint8_t>& texture, float u0, float v0, float u1, float v1,
                 float perPixel, int32_t k, int32_t uBias, int32_t vBias)
{
    const int32_t u = static_cast<int32_t>(std::lrint(u0 * 65536.0f)) + uBias;
    const int32_t v = static_cast<int32_t>(std::lrint(v0 * 65536.0f)) + vBias;
    const int32_t du = static_cast<int32_t>(std::lrint((u1 - u0) * perPixel));
    const int32_t dv = static_cast<int32_t>(std::lrint((v1 - v0) * perPixel));
    return texture[SOFT_TEXTURE_HEADER_BYTES + ((v + k * dv) >> 16) * kTexSize
                   + ((u + k * du) >> 16)];
}

// The row's model texels: up to N pixels one exact run; else len / N runs of N, each ending
// where 1/z, u/z, v/z have moved on by N pixels' worth, then the rest ending on the right edge.
std::vector<uint8_t> ModelRow(const std::vector<uint8_t>& texture, const SoftEdge& l,
                              const SoftEdge& r, const SoftGradients& g, int32_t n, int32_t len)
{
    const auto uv = [](float q, float s, float t) {
        const float z = 1.0f / q;
        return std::make_pair(s * z, t * z);
    };
    std::vector<uint8_t> out;
    float q = l.invZ, s = l.uOverZ, t = l.vOverZ;
    int32_t done = 0;
    const int32_t segments = len <= n ? 0 : len / n;
    for (int32_t i = 0; i < segments; ++i) {
        const auto [u0, v0] = uv(q, s, t);
        q += g.dInvZdxN;
        s += g.dUOverZdxN;
        t += g.dVOverZdxN;
        const auto [u1, v1] = uv(q, s, t);
        for (int32_t k = 0; k < n; ++k)
            out.push_back(RunTexel(texture, u0, v0, u1, v1, 65536.0f / n, k, g.uBias, g.vBias));
        done += n;
    }
    if (done == len) return out;
    const auto [u0, v0] = uv(q, s, t);
    const auto [u1, v1] = uv(r.invZ, r.uOverZ, r.vOverZ);
    for (int32_t k = 0; k < len - done; ++k) {
        out.push_back(
            RunTexel(texture, u0, v0, u1, v1, 65536.0f / (len - done), k, g.uBias, g.vBias));
    }
    return out;
}

// The nearest texel of a true per-pixel perspective, rounding halves as the bias does.
int32_t PerspectiveTexel(double a0, double a1, double q0, double q1, double t, bool rising)
{
    const double value = (a0 + (a1 - a0) * t) / (q0 + (q1 - q0) * t);
    return static_cast<int32_t>(rising ? std::floor(value + 0.5) : std::ceil(value - 0.5));
}

TEST(SoftSpan, SpanLoopsDrawTheModelsTexels)
{
    SoftSpan_Init();
    const std::vector<uint8_t> texture = SoftTextureBlock(kTexSize, kTexSize, CodedTexel);
    int32_t perspectivePixels = 0, perspectiveEqual = 0;
    // For each N a change of 1/z per pixel inside the band where the table picks that N.
    const std::pair<int32_t, double> bands[] = {{8, 0.002}, {24, 1e-6}, {64, 5e-8}, {176, 1.25e-8}};
    for (const auto& [n, dInvZdx] : bands) {
        std::vector<int32_t> lengths{16, 24, 64, n, n + 1, 2 * n + 3};
        for (int32_t len = 1; len <= 17; ++len)
            lengths.push_back(len);
        for (int32_t len : lengths) {
            for (int32_t direction = 0; direction < 4; ++direction) {
                const bool uRising = (direction & 1) != 0, vRising = (direction & 2) != 0;
                const float zFar = static_cast<float>(1 / (1 - dInvZdx * len));
                const EdgeValues a{1.0f, uRising ? 0.6f : 15.2f, vRising ? 0.6f : 15.2f};
                const EdgeValues b{zFar, uRising ? 15.2f : 0.6f, vRising ? 15.2f : 0.6f};
                const SoftEdge left = HandEdge(kRowLeft, 1, a);
                const SoftEdge right = HandEdge(kRowLeft + len, 1, b);
                SoftGradients g{};
                g.uBias = uRising ? 0x8000 : 0x7FFF;
                g.vBias = vRising ? 0x8000 : 0x7FFF;
                g.dInvZdx = (right.invZ - left.invZ) / static_cast<float>(len);
                g.dUOverZdx = (right.uOverZ - left.uOverZ) / static_cast<float>(len);
                g.dVOverZdx = (right.vOverZ - left.vOverZ) / static_cast<float>(len);
                g.dInvZdxN = g.dInvZdx * n;
                g.dUOverZdxN = g.dUOverZdx * n;
                g.dVOverZdxN = g.dVOverZdx * n;
                Soft_SetSpanSubdivision(n);
                const std::vector<uint8_t> model = ModelRow(texture, left, right, g, n, len);
                const std::vector<uint8_t> exact = ModelRow(texture, left, right, g, len, len);
                const std::string where = "N " + std::to_string(n) + " len " + std::to_string(len)
                                          + " dir " + std::to_string(direction);
                for (int32_t kind = 0; kind < 3; ++kind) {
                    const bool transparent = kind == 2;
                    SoftTestSurface screen(2 * 176 + 16, 3, 2 * 176 + 16, kUnder);
                    Soft_BeginSpans(&g, &left, &right, texture.data(), screen.record, transparent);
                    if (kind == 0) {
                        Soft_SpanExactEnds();
                    } else {
                        Soft_SpanPerspective();
                    }
                    const std::vector<uint8_t>& want = kind == 0 ? exact : model;
                    for (int32_t y = 0; y < 3; ++y) {
                        for (int32_t x = 0; x < screen.record.width; ++x) {
                            const int32_t k = x - kRowLeft;
                            uint8_t expected = kUnder;
                            if (y == 1 && k >= 0 && k < len)
                                expected = transparent && want[k] == 0 ? kUnder : want[k];
                            ASSERT_EQ(screen.At(x, y), expected)
                                << where << " kind " << kind << " x " << x << " y " << y;
                        }
                    }
                    if (kind != 1) continue;
                    for (int32_t k = 0; k < len; ++k) {
                        const uint8_t texel = screen.At(kRowLeft + k, 1);
                        if (texel == 0) continue;
                        const double t = static_cast<double>(k) / len;
                        const int32_t u =
                            PerspectiveTexel(a.u / a.z, b.u / b.z, 1 / a.z, 1 / b.z, t, uRising);
                        const int32_t v =
                            PerspectiveTexel(a.v / a.z, b.v / b.z, 1 / a.z, 1 / b.z, t, vRising);
                        ASSERT_LE(std::abs(texel % 16 - u), 1) << where << " k " << k;
                        ASSERT_LE(std::abs(texel / 16 - v), 1) << where << " k " << k;
                        ++perspectivePixels;
                        perspectiveEqual += texel % 16 == u && texel / 16 == v;
                    }
                }
            }
        }
    }
    // Subdivided perspective stays on the true texel for the great majority of pixels.
    EXPECT_GT(perspectiveEqual * 100, perspectivePixels * 90)
        << perspectiveEqual << " of " << perspectivePixels;
    RecordProperty("perspective_equal_per_mille", perspectiveEqual * 1000 / perspectivePixels);
    SoftSpan_Uninit();
}

TEST(SoftSpan, FlatSpansFillExactlyTheirPixelsOnAnyAlignment)
{
    SoftSpan_Init();
    for (int32_t start = 0; start < 4; ++start) {
        for (int32_t len : {0, 1, 3, 4, 5, 15, 16, 17, 33}) {
            SoftTestSurface screen(64, 2, 64, kUnder);
            screen.record.height = 1;
            const SoftEdge left{start + 1, 0, 0, 0, 0, 0, 1, {}, {}, {}, {}, {}, {}};
            SoftEdge right = left;
            right.x = start + 1 + len;
            SoftGradients g{};
            Soft_BeginFlatSpans(&g, &left, &right, 0x05 * 0x01010101u, screen.record);
            Soft_SpanFlat();
            Soft_SpanFlat();  // the next row, wholly below the screen: nothing
            for (int32_t x = 0; x < 64; ++x) {
                const bool inside = x >= start + 1 && x < start + 1 + len;
                EXPECT_EQ(screen.At(x, 0), inside ? 0x05 : kUnder) << start << " " << len;
                EXPECT_EQ(screen.At(x, 1), kUnder);
            }
        }
    }
    SoftSpan_Uninit();
}

TEST(SoftSpan, BiasRoundsToTheNearestTexelWhicheverWayTheTextureRuns)
{
    SoftSpan_Init();
    // Vertex 0 holds texel (8, 8) at depth 1; vertex 1 lies 10 pixels to its right, vertex 2
    // 10 below, so the signs at vertex 0 come from vertex 1 across and vertex 2 down. The last
    // two turn the texel's way against the way of u/z and v/z through the change of depth.
    struct Case {
        float u1, v1, z1, u2, v2;
        int32_t uBias, vBias;
    };
    for (const Case& c : {Case{12, 8, 1, 8, 8, 0x8000, 0x8000}, Case{4, 8, 1, 8, 8, 0x7FFF, 0x8000},
                          Case{8, 8, 1, 8, 12, 0x8000, 0x8000}, Case{8, 8, 1, 8, 4, 0x8000, 0x7FFF},
                          Case{4, 8, 1, 8, 4, 0x7FFF, 0x7FFF}, Case{9, 9, 4, 8, 8, 0x8000, 0x8000},
                          Case{7, 7, 0.25f, 8, 8, 0x7FFF, 0x7FFF}}) {
        const SoftVertex v[3] = {
            {80, 48, 1.0f, 8.0f, 8.0f}, {240, 48, c.z1, c.u1, c.v1}, {80, 208, 1.0f, c.u2, c.v2}};
        SoftGradients g{};
        for (int32_t i = 0; i < 3; ++i) {
            g.invZ[i] = 1.0f / v[i].z;
            g.uOverZ[i] = v[i].u * g.invZ[i];
            g.vOverZ[i] = v[i].v * g.invZ[i];
        }
        Soft_ComputeGradients(&g, v, 3);
        EXPECT_EQ(g.uBias, c.uBias) << c.u1 << "," << c.v1 << "," << c.u2 << "," << c.v2;
        EXPECT_EQ(g.vBias, c.vBias) << c.u1 << "," << c.v1 << "," << c.u2 << "," << c.v2;
    }
    SoftSpan_Uninit();
}

TEST(SoftSpan, SubdivisionLengthChangesAtHalfEachListedThreshold)
{
    SoftSpan_Init();
    Soft_InitReciprocalTable();
    Soft_InitReciprocalTable();  // a second world build halves nothing more
    const float listed[] = {0.0009f,      0.000003f,    0.0000006f,   0.00000035f, 0.000000117f,
                            0.000000076f, 0.000000048f, 0.000000031f, 0.00000002f};
    const int32_t lengths[] = {8, 16, 24, 32, 48, 64, 96, 128, 176, 256};
    for (int32_t i = 0; i < 9; ++i) {
        const float threshold = listed[i] * 0.5f;
        EXPECT_EQ(Soft_SubdivisionFor(threshold), lengths[i]) << i;
        EXPECT_EQ(Soft_SubdivisionFor(-threshold * 1.01f), lengths[i]) << i;
        EXPECT_EQ(Soft_SubdivisionFor(threshold * 0.99f), lengths[i + 1]) << i;
    }
    EXPECT_EQ(Soft_SubdivisionFor(0.0f), 256);
    EXPECT_EQ(Soft_SubdivisionFor(1.0f), 8);
    for (int32_t n = 1; n <= 64; ++n)
        EXPECT_EQ(Soft_Reciprocal(n), 65536.0f / static_cast<float>(n));
    SoftSpan_Uninit();
}

TEST(SoftSpan, FixedPointHelpersKeepFloorSemanticsAndLargeValues)
{
    struct Div {
        int64_t a, b, q, r;
        bool ok;
    };
    for (const Div& d :
         {Div{7, 2, 3, 1, true}, Div{-7, 2, -4, 1, true}, Div{-8, 2, -4, 0, true},
          Div{-1, 160, -1, 159, true}, Div{5, 0, 11, 22, false}, Div{5, -3, 11, 22, false},
          Div{INT64_C(-1) << 40, 3, -366503875926, 2, true}}) {
        int64_t q = 11, r = 22;
        EXPECT_EQ(Soft_FloorDivMod(d.a, d.b, &q, &r), d.ok) << d.a << "/" << d.b;
        EXPECT_EQ(q, d.q) << d.a << "/" << d.b;
        EXPECT_EQ(r, d.r) << d.a << "/" << d.b;
    }
    const std::pair<int32_t, int32_t> ceilings[] = {{0, 0},
                                                    {1, 1},
                                                    {16, 1},
                                                    {17, 2},
                                                    {-1, 0},
                                                    {-16, -1},
                                                    {-17, -1},
                                                    {INT32_MAX, 134217728},
                                                    {INT32_MIN, -134217728}};
    for (const auto& [a, c] : ceilings)
        EXPECT_EQ(Soft_CeilFix4(a), c) << a;
    EXPECT_EQ(Soft_MulFix4(-3, 5), 0);  // -15/16 toward zero
    EXPECT_EQ(Soft_MulFix4(-33, 16), -33);
    EXPECT_EQ(Soft_MulFix4(100000, 40000), 250000000);  // the product passes 32 bits
    EXPECT_EQ(Soft_MulFix4(-2048 * 16, 1024 * 16), -2048 * 1024 * 16);
    EXPECT_EQ(Soft_Fix4ToFloat(-24), -1.5f);
    EXPECT_EQ(Soft_Fix16ToFloat(-98304), -1.5f);
}

// Edges take their quotients from a reciprocal estimate: over every size of edge, from a pixel to
// the whole coordinate range, short ones (tabled) and tall ones (divided), the first pixel and
// the step are the floor divisions of the edge's equation, their remainders in range.
TEST(SoftSpan, EdgeSetUpIsTheExactFloorDivisionAtEverySize)
{
    std::mt19937 random(48);
    const int32_t spans[] = {16, 300, 1024, 1040, 1 << 14, SOFT_MAX_COORD};
    for (const int32_t span : spans) {
        std::uniform_int_distribution<int32_t> coord(-span, span), height(1, span);
        for (int32_t trial = 0; trial < 4000; ++trial) {
            const int32_t ax = coord(random), ay = coord(random) / 2;
            const int32_t bx = coord(random), by = ay + height(random);
            SoftEdge edge;
            Soft_SetupIntegerEdge(&edge, ax, ay, bx, by);
            const int64_t dx = int64_t{bx} - ax, dy = int64_t{by} - ay, d = 16 * dy;
            ASSERT_EQ(edge.rowsLeft, Soft_CeilFix4(by) - Soft_CeilFix4(ay));
            if (edge.rowsLeft == 0) continue;
            const int64_t a = dx * (16 * int64_t{edge.row} - ay) + dy * ax + d - 1;
            const auto floorOf = [](int64_t n, int64_t m) { return n / m - (n % m < 0 ? 1 : 0); };
            ASSERT_EQ(edge.x, floorOf(a, d)) << ax << "," << ay << " " << bx << "," << by;
            ASSERT_EQ(edge.err, a - floorOf(a, d) * d);
            ASSERT_EQ(edge.xStep, floorOf(16 * dx, d));
            ASSERT_EQ(edge.errStep, 16 * dx - floorOf(16 * dx, d) * d);
            ASSERT_EQ(edge.errDenominator, d);
        }
    }
    // Slopes of whole pixels a row, and edges starting on a row: the quotients are exact, so
    // an estimate a hair low must be put right by its remainder.
    for (int32_t dy = 1; dy <= 3000; ++dy)
        for (const int32_t k : {-3, -1, 1, 2, 5}) {
            SoftEdge edge;
            Soft_SetupIntegerEdge(&edge, 160, 32, 160 + k * dy, 32 + dy);
            ASSERT_EQ(edge.xStep, k) << dy;
            ASSERT_EQ(edge.errStep, 0) << dy;
        }
    SoftEdge upwards;
    Soft_SetupIntegerEdge(&upwards, 5, 100, 90, 20);
    EXPECT_LT(upwards.rowsLeft, 0);
    EXPECT_EQ(upwards.x, 0);
    EXPECT_EQ(upwards.xStep, 0);
}

// A polygon whose corners 0, 1, 2 lie on one line draws what the same polygon without its middle
// corner draws, and reads nothing outside the texture.
TEST(SoftSpan, CollinearFirstCornersStillGiveTheGradients)
{
    SoftSpan_Init();
    const std::vector<uint8_t> texture = SoftTextureBlock(kTexSize, kTexSize, CodedTexel);
    const SoftVertex square[4] = {{16 * 10, 16 * 10, 1.0f, 0.5f, 0.5f},
                                  {16 * 40, 16 * 10, 2.0f, 15.5f, 0.5f},
                                  {16 * 40, 16 * 40, 2.0f, 15.5f, 15.5f},
                                  {16 * 10, 16 * 40, 1.0f, 0.5f, 15.5f}};
    // The middle corner on the top edge, with the values the plane gives it there.
    const float q = 0.5f * (1.0f + 0.5f), u = 0.5f * (0.5f + 15.5f * 0.5f) / q;
    const SoftVertex five[5] = {
        square[0], {16 * 25, 16 * 10, 1.0f / q, u, 0.5f}, square[1], square[2], square[3]};
    for (bool perspective : {false, true}) {
        SoftTestSurface a(64, 64, 64, kUnder), b(64, 64, 64, kUnder);
        if (perspective) {
            Soft_DrawPerspectivePolygons(a.record, square, 4, texture.data(), false);
            Soft_DrawPerspectivePolygons(b.record, five, 5, texture.data(), false);
        } else {
            Soft_DrawObjectPolygons(a.record, square, 4, texture.data());
            Soft_DrawObjectPolygons(b.record, five, 5, texture.data());
        }
        EXPECT_EQ(a.bytes, b.bytes) << perspective;
        EXPECT_EQ(b.NotEqual(kUnder).size(), 30u * 30u) << perspective;
    }
    SoftSpan_Uninit();
}

// Vertices on and past the texture's edges, and a vertex at depth 0: every texel read stays
// inside the texture, whose neighbouring bytes carry a colour it does not hold.
TEST(SoftSpan, TexelReadsStayInsideTheTexture)
{
    SoftSpan_Init();
    constexpr uint8_t kOutside = 250;
    std::vector<uint8_t> memory(64 + SOFT_TEXTURE_HEADER_BYTES + 8 * 8 + 64, kOutside);
    const std::vector<uint8_t> texture =
        SoftTextureBlock(8, 8, [](int u, int v) { return 1 + u + 8 * v; });
    std::copy(texture.begin(), texture.end(), memory.begin() + 64);
    const uint8_t* block = memory.data() + 64;
    const SoftVertex cases[][4] = {
        {{0, 0, 1, 0, 0},
         {16 * 50, 0, 1, 8, 0},
         {16 * 50, 16 * 50, 1, 8, 8},
         {0, 16 * 50, 1, 0, 8}},
        {{0, 0, 1, -3, -2},
         {16 * 50, 0, 4, 11, -1},
         {16 * 50, 16 * 50, 2, 9, 12},
         {0, 16 * 50, 1, -5, 9}},
        {{0, 0, 0, 0, 0},
         {16 * 50, 0, 1, 8, 0},
         {16 * 50, 16 * 50, 1e-30f, 8, 8},
         {0, 16 * 50, 1, 0, 8}},
    };
    for (const auto& quad : cases) {
        SoftTestSurface screen(64, 64, 64);
        Soft_DrawObjectPolygons(screen.record, quad, 4, block);
        Soft_DrawPerspectivePolygons(screen.record, quad, 4, block, true);
        for (uint8_t pixel : screen.bytes)
            ASSERT_NE(pixel, kOutside);
    }
    SoftSpan_Uninit();
}

// A null texture keeps the one given before; with none given since Init, or one without texels,
// nothing is drawn.
TEST(SoftSpan, NullTextureKeepsThePreviousOne)
{
    SoftSpan_Init();
    const std::vector<SoftVertex> square = Textured({P(2, 2), P(12, 2), P(12, 12), P(2, 12)});
    const std::vector<uint8_t> texture = SoftTextureBlock(8, 8, [](int, int) { return kInk; });
    const std::vector<uint8_t> empty = SoftTextureBlock(8, 0, [](int, int) { return kInk; });
    SoftTestSurface none(16, 16, 16), kept(16, 16, 16), flat(16, 16, 16), hollow(16, 16, 16);
    Soft_DrawObjectPolygons(none.record, square.data(), 4, nullptr);
    Soft_DrawPerspectivePolygons(none.record, square.data(), 4, nullptr, false);
    Soft_DrawObjectPolygons(hollow.record, square.data(), 4, empty.data());
    Soft_DrawObjectPolygons(kept.record, square.data(), 4, texture.data());
    kept.bytes.assign(kept.bytes.size(), 0);
    Soft_DrawPerspectivePolygons(kept.record, square.data(), 4, nullptr, false);
    Soft_DrawFlatPolygon(flat.record, square.data(), 4, kInk * 0x01010101u);
    EXPECT_EQ(none.NotEqual(0).size(), 0u);
    EXPECT_EQ(hollow.NotEqual(0).size(), 0u);
    EXPECT_EQ(kept.bytes, flat.bytes);
    SoftSpan_Uninit();
}

// Polygons that reach past the screen, lie wholly off it, carry huge or corrupt coordinates or
// sit below y 160,000: only the screen's own pixels change, exactly the on-screen part.
TEST(SoftSpan, WalkersNeverDrawOutsideTheScreen)
{
    SoftSpan_Init();
    const std::vector<uint8_t> texture = SoftTextureBlock(8, 8, [](int, int) { return kInk; });
    constexpr int32_t kWidth = 48, kHeight = 10020;
    const int32_t big = SOFT_MAX_COORD;
    enum Expect { REFERENCE, WHOLE_SCREEN, NOTHING };
    const std::pair<Polygon, Expect> cases[] = {
        {{P(-30.5, -20.2), P(70.7, 10.1), P(40.3, 90.9)}, REFERENCE},
        {{P(100, 10), P(120, 10), P(110, 30)}, REFERENCE},
        {{P(2, 10001.5), P(9, 10003), P(4, 10030.2)}, REFERENCE},
        {{P(-1e5, -1e5), P(1e5, -1e5), P(1e5, 1e5), P(-1e5, 1e5)}, WHOLE_SCREEN},
        {{{-big, -big}, {big, -big}, {big, big}, {-big, big}}, WHOLE_SCREEN},
        {{{-big - 1, -big}, {big, -big}, {big, big}, {-big, big}}, NOTHING},
        {{{INT32_MIN, 0}, {INT32_MAX, 0}, {0, INT32_MAX}}, NOTHING},
    };
    for (const auto& [polygon, expect] : cases) {
        // The surface inside a larger buffer whose guard bytes must stay untouched.
        SoftTestSurface guard(64, kHeight + 20, 64);
        const GameScreenRecord screen{guard.bytes.data() + 10 * 64 + 8, kWidth, kHeight, 64};
        const std::vector<SoftVertex> v = Textured(polygon);
        const int32_t count = static_cast<int32_t>(v.size());
        Soft_DrawFlatPolygon(screen, v.data(), count, kInk * 0x01010101u);
        const Pixels drawn = guard.NotEqual(0);
        Soft_DrawObjectPolygons(screen, v.data(), count, texture.data());
        Soft_DrawPerspectivePolygons(screen, v.data(), count, texture.data(), false);
        EXPECT_EQ(guard.NotEqual(0), drawn);
        Pixels expected;
        for (int32_t y = 0; y < kHeight && expect == WHOLE_SCREEN; ++y) {
            for (int32_t x = 0; x < kWidth; ++x)
                expected.insert({x + 8, y + 10});
        }
        for (const auto& [x, y] : expect == REFERENCE ? Reference(polygon) : Pixels{}) {
            if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) expected.insert({x + 8, y + 10});
        }
        EXPECT_EQ(drawn, expected) << polygon[0].x << "," << polygon[0].y;
    }
    SoftSpan_Uninit();
}

}  // namespace

namespace {

// Seeded small convex faces at one depth, as a distant person's are, drawn by the object walker
// (which takes texels linear on the screen for them) and by the perspective walker: the same
// pixels, each reading the texel the perspective reads or its neighbour; and with u and v straying
// past the texture, or the face past the screen's edge, nothing read or written outside.
TEST(SoftSpan, FacesFlatInDepthReadThePerspectiveTexelsAndStayInside)
{
    SoftSpan_Init();
    constexpr uint8_t kOutside = 250;
    constexpr int32_t kSize = 15;  // every texel a value of its own, none 0 or kOutside
    std::vector<uint8_t> memory(64 + SOFT_TEXTURE_HEADER_BYTES + kSize * kSize + 64, kOutside);
    const std::vector<uint8_t> texture =
        SoftTextureBlock(kSize, kSize, [](int u, int v) { return 1 + u + kSize * v; });
    std::copy(texture.begin(), texture.end(), memory.begin() + 64);
    const uint8_t* block = memory.data() + 64;
    std::mt19937 random(48);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    int32_t compared = 0;
    for (int32_t n = 0; n < 3000; ++n) {
        const bool stray = n % 3 == 0;
        const int32_t count = 3 + n % 2;
        const float cx = -6 + 52 * unit(random), cy = -6 + 52 * unit(random);
        const float r = stray ? 2 + 12 * unit(random) : 6 + 8 * unit(random);
        const float turn = 6.2832f * unit(random), twist = 6.2832f * unit(random);
        const float depth = 50 + 400 * unit(random);
        std::vector<SoftVertex> v;
        for (int32_t k = 0; k < count; ++k) {
            const float a = turn + 6.2832f * static_cast<float>(k) / static_cast<float>(count);
            const SoftPoint p = SoftPointAt(cx + r * std::cos(a), cy + r * std::sin(a));
            // Straying: any texel coordinates, past the texture's edges too. Else at most one
            // texel to the pixel, so that a sample a pixel apart is at most a texel apart.
            if (stray)
                v.push_back({p.x, p.y, depth, -4 + 23 * unit(random), -4 + 23 * unit(random)});
            else
                v.push_back({p.x, p.y, depth, 7.5f + 5.5f * std::cos(a + twist),
                             7.5f + 5.5f * std::sin(a + twist)});
        }
        SoftTestSurface guardA(64, 64, 64), guardB(64, 64, 64);
        const GameScreenRecord a{guardA.bytes.data() + 8 * 64 + 8, 40, 40, 64};
        const GameScreenRecord b{guardB.bytes.data() + 8 * 64 + 8, 40, 40, 64};
        Soft_DrawObjectPolygons(a, v.data(), count, block);
        Soft_DrawPerspectivePolygons(b, v.data(), count, block, false);
        const Pixels drawn = guardA.NotEqual(0);
        ASSERT_EQ(drawn, guardB.NotEqual(0)) << n;
        for (const auto& [x, y] : drawn) {
            ASSERT_TRUE(x >= 8 && x < 48 && y >= 8 && y < 48) << n;
            const int32_t texelA = guardA.At(x, y) - 1, texelB = guardB.At(x, y) - 1;
            ASSERT_NE(guardA.At(x, y), kOutside) << n;
            if (stray) continue;
            EXPECT_LE(std::abs(texelA % kSize - texelB % kSize), 1) << n;
            EXPECT_LE(std::abs(texelA / kSize - texelB / kSize), 1) << n;
            ++compared;
        }
    }
    EXPECT_GT(compared, 20000);
    SoftSpan_Uninit();
}

// A face flat in depth with all its pixels on the screen and its texels inside the texture draws
// its rows without cutting them; the same face on a screen that ends inside it, to the right or
// below, is cut row by row. Where both draw, every pixel is the same, for faces whose corners
// reach the texture's edges or just past them too.
TEST(SoftSpan, FacesDrawnUncutGiveThePixelsTheCutWalkGives)
{
    SoftSpan_Init();
    constexpr int32_t kSize = 15;
    const std::vector<uint8_t> texture =
        SoftTextureBlock(kSize, kSize, [](int u, int v) { return 1 + u + kSize * v; });
    std::mt19937 random(4848);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    int32_t compared = 0;
    for (int32_t n = 0; n < 2000; ++n) {
        const int32_t count = 3 + n % 2;
        const float cx = 10 + 20 * unit(random), cy = 10 + 20 * unit(random);
        const float r = 2 + 7 * unit(random), turn = 6.2832f * unit(random);
        const float twist = 6.2832f * unit(random);
        std::vector<SoftVertex> v;
        for (int32_t k = 0; k < count; ++k) {
            const float a = turn + 6.2832f * static_cast<float>(k) / static_cast<float>(count);
            const SoftPoint p = SoftPointAt(cx + r * std::cos(a), cy + r * std::sin(a));
            v.push_back({p.x, p.y, 200, 7.5f + 7.8f * std::cos(a + twist),
                         7.5f + 7.8f * std::sin(a + twist)});
        }
        SoftTestSurface whole(40, 40, 40), cut(40, 40, 40);
        GameScreenRecord narrowed = cut.record;
        const bool across = n % 4 < 2;
        (across ? narrowed.width : narrowed.height) = static_cast<int32_t>(across ? cx : cy);
        Soft_DrawObjectPolygons(whole.record, v.data(), count, texture.data());
        Soft_DrawObjectPolygons(narrowed, v.data(), count, texture.data());
        for (const auto& [x, y] : cut.NotEqual(0))
            ASSERT_TRUE(x < narrowed.width && y < narrowed.height) << n;
        for (const auto& [x, y] : whole.NotEqual(0)) {
            if (x >= narrowed.width || y >= narrowed.height) continue;
            ASSERT_EQ(cut.At(x, y), whole.At(x, y)) << n << " at " << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 30000);
    SoftSpan_Uninit();
}

#if defined(__i386__) || defined(__x86_64__)
// 1 + 2^-30 survives in the x87's extended precision and rounds to 1 in single precision.
bool AddsInSinglePrecision()
{
    volatile long double one = 1.0L, tiny = std::ldexp(1.0L, -30);
    return one + tiny == one;
}
#endif

// A restore with nothing saved leaves the control word as it is (the saved word starts at 0, which
// would unmask every exception); a second switch keeps the word first found, and the restore puts
// it back once only.
TEST(SoftSpan, ThePrecisionComesBackOnlyAsItWasFound)
{
#if defined(__i386__) || defined(__x86_64__)
    SoftSpan_Init();
    const auto controlWord = [] {
        fpu_control_t word = 0;
        _FPU_GETCW(word);
        return word;
    };
    const fpu_control_t found = controlWord();
    Soft_FpuRestorePrecision();
    EXPECT_EQ(controlWord(), found);

    Soft_FpuSinglePrecision();
    Soft_FpuSinglePrecision();
    EXPECT_TRUE(AddsInSinglePrecision());
    Soft_FpuRestorePrecision();
    EXPECT_EQ(controlWord(), found);

    fpu_control_t other = static_cast<fpu_control_t>((found & ~_FPU_EXTENDED) | _FPU_DOUBLE);
    _FPU_SETCW(other);
    Soft_FpuRestorePrecision();
    EXPECT_EQ(controlWord(), other);
    fpu_control_t back = found;
    _FPU_SETCW(back);
#else
    GTEST_SKIP() << "no x87 control word here";
#endif
}

// Single precision holds from the switch to its restore, and every textured walk ends with the
// precision it found: a polygon drawn whole, one cut by the screen's bottom, one with no rows.
TEST(SoftSpan, TexturedWalksKeepSinglePrecisionToThemselves)
{
#if defined(__i386__) || defined(__x86_64__)
    SoftSpan_Init();
    ASSERT_FALSE(AddsInSinglePrecision());
    Soft_FpuSinglePrecision();
    EXPECT_TRUE(AddsInSinglePrecision());
    Soft_FpuRestorePrecision();
    EXPECT_FALSE(AddsInSinglePrecision());

    const std::vector<uint8_t> texture = SoftTextureBlock(8, 8, [](int, int) { return kInk; });
    const Polygon shapes[] = {
        {P(2, 2), P(12, 2), P(12, 12), P(2, 12)},
        {P(2, 2), P(12, 2), P(12, 40), P(2, 40)},
        {P(2, 2), P(12, 2), P(7, 2)},
    };
    for (const Polygon& shape : shapes) {
        const std::vector<SoftVertex> v = Textured(shape);
        SoftTestSurface screen(16, 16, 16);
        Soft_DrawObjectPolygons(screen.record, v.data(), static_cast<int32_t>(v.size()),
                                texture.data());
        EXPECT_FALSE(AddsInSinglePrecision()) << "object walk, " << shape.size() << " corners";
        Soft_DrawPerspectivePolygons(screen.record, v.data(), static_cast<int32_t>(v.size()),
                                     texture.data(), true);
        EXPECT_FALSE(AddsInSinglePrecision()) << "perspective walk, " << shape.size() << " corners";
    }
    SoftSpan_Uninit();
#else
    GTEST_SKIP() << "no precision field in this processor's control word";
#endif
}

}  // namespace
