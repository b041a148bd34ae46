// The geometry stage: the view transform against its formulas, the heading tables, the model
// rotation, clipping by the five planes and the projection to 28.4 view vertices.
#include "vx256/polyman.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "viewservices/viewscreen.h"
#include "vx256/nod.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

TEST(Polyman, APointOnTheViewAxisLiesAtZAheadForAnyCamera)
{
    const struct {
        float yaw, pitch, distance;
    } cases[] = {{0, kPi / 2, 100}, {1.0f, 1.2f, 250}, {-2.5f, 2.0f, 40}, {3.0f, kPi, 75}};
    for (const auto& c : cases) {
        SetViewCamera(10, 20, 300, c.yaw, c.pitch, 1.1f);
        const float p = c.pitch - kPi / 2;
        const float ground = c.distance * std::cos(p);
        const ViewPoint v =
            Polyman_ToView(10 + ground * std::sin(c.yaw), 20 + ground * std::cos(c.yaw),
                           300 - c.distance * std::sin(p));
        EXPECT_NEAR(v.x, 0, 1e-3) << c.yaw;
        EXPECT_NEAR(v.y, 0, 1e-3) << c.yaw;
        EXPECT_NEAR(v.z, c.distance, 1e-3) << c.yaw;
    }
}

TEST(Polyman, TheStoredEntriesGiveTheFormulasValues)
{
    std::mt19937 random(46);
    std::uniform_real_distribution<float> angle(-kPi, kPi), spot(-1000, 1000);
    for (int32_t i = 0; i < 50; ++i) {
        const float cx = spot(random), cy = spot(random), ch = spot(random);
        const float t = angle(random), pitch = angle(random) + kPi, zoom = 0.5f + i * 0.05f;
        SetViewCamera(cx, cy, ch, t, pitch, zoom);
        const float x = spot(random), y = spot(random), h = spot(random);
        const double dx = x - cx, dy = y - cy, dh = h - ch, p = pitch - kPi / 2;
        const double s = dx * std::sin(t) + dy * std::cos(t);
        const ViewPoint v = Polyman_ToView(x, y, h);
        EXPECT_NEAR(v.x, 1.5 * zoom * (dx * std::cos(t) - dy * std::sin(t)), 0.05);
        EXPECT_NEAR(v.y, 2.0 * zoom * (s * std::sin(p) + dh * std::cos(p)), 0.05);
        EXPECT_NEAR(v.z, s * std::cos(p) - dh * std::sin(p), 0.05);
    }
}

TEST(Polyman, ACameraStraightAboveSeesThePointOnItsAxis)
{
    SetViewCamera(5, 5, 400, 0.7f, kPi, 1.1f);
    const ViewPoint v = Polyman_ToView(5, 5, 0);
    EXPECT_NEAR(v.x, 0, 1e-3);
    EXPECT_NEAR(v.y, 0, 1e-3);
    EXPECT_NEAR(v.z, 400, 1e-3);
}

TEST(Polyman, OutcodesNameEachPlane)
{
    const struct {
        float x, y, z;
        uint32_t code;
    } cases[] = {{0, 0, 20, 0},
                 {100, -100, 100, 0},
                 {-100, 100, 100, 0},
                 {100.5f, 0, 100, OUTCODE_RIGHT},
                 {-100.5f, 0, 100, OUTCODE_LEFT},
                 {0, 100.5f, 100, OUTCODE_BOTTOM},
                 {0, -100.5f, 100, OUTCODE_TOP},
                 {0, 0, 19.99f, OUTCODE_NEAR},
                 {5, 5, -1, OUTCODE_RIGHT | OUTCODE_BOTTOM | OUTCODE_NEAR}};
    for (const auto& c : cases)
        EXPECT_EQ(Polyman_Outcode(c.x, c.y, c.z), c.code) << c.x;
}

TEST(Polyman, HeadingTablesTurnByTheirStep)
{
    BuildHeadingTables();
    const HeadingEntry& quarter = Polyman_HeadingEntry(64);
    const float expected[4] = {0, -1, 1, 0};
    for (int32_t k = 0; k < 4; ++k)
        EXPECT_NEAR(quarter.e[k], expected[k], 1e-6);
    for (int32_t i = 0; i < HEADING_STEPS_16; ++i)
        for (int32_t k = 0; k < 4; ++k)
            EXPECT_FLOAT_EQ(Polyman_HeadingEntry16(i).e[k], Polyman_HeadingEntry(16 * i).e[k]);
    SetHeading(32);  // an eighth turn
    float x = 1, y = 0;
    Polyman_TurnByHeading(x, y);
    EXPECT_NEAR(x, std::sqrt(0.5f), 1e-6);
    EXPECT_NEAR(y, std::sqrt(0.5f), 1e-6);
    SetHeading16(2);  // another eighth
    Polyman_TurnByHeading(x, y);
    EXPECT_NEAR(x, 0, 1e-6);
    EXPECT_NEAR(y, 1, 1e-6);
}

TEST(PolymanDeathTest, HeadingsOutsideTheirTableAbort)
{
    BuildHeadingTables();
    EXPECT_DEATH(SetHeading(256), "Abort error: Heading error\n\\(File: polyman  Line: 1994\\)");
    EXPECT_DEATH(SetHeading(-1), "Abort error: Heading error\n\\(File: polyman  Line: 1994\\)");
    EXPECT_DEATH(SetHeading16(16), "Abort error: Heading error\n\\(File: polyman  Line: 1983\\)");
    EXPECT_DEATH(SetHeading16(-1), "Line: 1983");
}

TEST(Polyman, ModelAnglesGiveTheJointRotation)
{
    SetModelAngles(0, 0, 0);
    for (int32_t r = 0; r < 3; ++r)
        for (int32_t c = 0; c < 3; ++c)
            EXPECT_EQ(ModelRotation[r][c], r == c ? 1.0f : 0.0f);
    SetModelAngles(0.6f, 0, 0);
    const float turn[3][3] = {
        {std::cos(0.6f), -std::sin(0.6f), 0}, {std::sin(0.6f), std::cos(0.6f), 0}, {0, 0, 1}};
    for (int32_t r = 0; r < 3; ++r)
        for (int32_t c = 0; c < 3; ++c)
            EXPECT_NEAR(ModelRotation[r][c], turn[r][c], 1e-6);

    std::mt19937 random(7);
    std::uniform_real_distribution<float> angle(-kPi, kPi);
    for (int32_t i = 0; i < 20; ++i) {
        const double a = angle(random), b = angle(random), c = angle(random);
        SetModelAngles(static_cast<float>(a), static_cast<float>(b), static_cast<float>(c));
        const double rows[3][3] = {
            {std::cos(b) * std::cos(a),
             std::sin(c) * std::sin(b) * std::cos(a) - std::cos(c) * std::sin(a),
             std::cos(c) * std::sin(b) * std::cos(a) + std::sin(c) * std::sin(a)},
            {std::cos(b) * std::sin(a),
             std::sin(c) * std::sin(b) * std::sin(a) + std::cos(c) * std::cos(a),
             std::cos(c) * std::sin(b) * std::sin(a) - std::sin(c) * std::cos(a)},
            {-std::sin(b), std::sin(c) * std::cos(b), std::cos(c) * std::cos(b)}};
        for (int32_t r = 0; r < 3; ++r) {
            for (int32_t k = 0; k < 3; ++k) {
                EXPECT_NEAR(ModelRotation[r][k], rows[r][k], 1e-5);
                double dot = 0;
                for (int32_t j = 0; j < 3; ++j)
                    dot += ModelRotation[r][j] * ModelRotation[k][j];
                EXPECT_NEAR(dot, r == k ? 1.0 : 0.0, 1e-5);
            }
        }
        float normal[3] = {0.48f, -0.6f, 0.64f};
        RotateNormal(normal);
        EXPECT_NEAR(std::hypot(normal[0], normal[1], normal[2]), 1.0, 1e-5);
        EXPECT_NEAR(normal[2], rows[2][0] * 0.48 - rows[2][1] * 0.6 + rows[2][2] * 0.64, 1e-5);
    }
}

struct ClipCase {
    const char* name;
    int32_t count;
    PolyVertex in[4];
    int32_t result;
    int32_t outCount;
};

void Load(const ClipCase& c)
{
    CurrentPolygon.count = c.count;
    for (int32_t i = 0; i < c.count; ++i)
        CurrentPolygon.vertices[i] = c.in[i];
}

bool SameBits(const PolyVertex& a, const PolyVertex& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z && a.u == b.u && a.v == b.v;
}

TEST(Polyman, ClippingKeepsWhatLiesInsideTheFivePlanes)
{
    const ClipCase cases[] = {
        {"inside", 3, {{0, 0, 50, 1, 2}, {10, 5, 60, 3, 4}, {-5, 10, 40, 5, 6}}, 1, 3},
        {"near", 3, {{0, 0, 10, 0, 0}, {5, 0, 30, 10, 0}, {-5, 0, 30, 0, 10}}, 1, 4},
        {"beyond right", 3, {{200, 0, 50, 0, 0}, {300, 0, 60, 0, 0}, {100, 10, 80, 0, 0}}, 0, 0},
        {"two planes",
         4,
         {{-60, -60, 50, 0, 0}, {60, -60, 50, 0, 0}, {60, 60, 50, 0, 0}, {-60, 60, 50, 0, 0}},
         1,
         4},
        {"corner on plane", 3, {{50, 0, 50, 0, 0}, {0, 10, 40, 0, 0}, {0, -10, 40, 0, 0}}, 1, 3},
        // On the near plane, its next edge leaving: the corner once, then the crossing.
        {"corner on near plane", 3, {{0, 0, 20, 0, 0}, {0, 5, 10, 0, 0}, {5, 0, 40, 0, 0}}, 1, 3},
        {"behind", 3, {{0, 0, -30, 0, 0}, {10, 0, 60, 0, 0}, {-10, 0, 60, 0, 0}}, 1, 4},
        {"all sides",
         4,
         {{-90, -90, 30, 0, 0}, {90, -90, 30, 0, 0}, {90, 90, 60, 0, 0}, {-90, 90, 60, 0, 0}},
         1,
         4},  // the pyramid's own cross-section
        {"two corners", 2, {{0, 0, 50, 0, 0}, {1, 1, 50, 0, 0}}, 0, 0},
    };
    for (const ClipCase& c : cases) {
        Load(c);
        ASSERT_EQ(ClipPolygon(), c.result) << c.name;
        if (c.result == 0) continue;
        EXPECT_EQ(CurrentPolygon.count, c.outCount) << c.name;
        for (int32_t i = 0; i < CurrentPolygon.count; ++i) {
            const PolyVertex& v = CurrentPolygon.vertices[i];
            EXPECT_GE(v.z, POLY_NEAR_Z) << c.name;
            EXPECT_LE(std::fabs(v.x), v.z * 1.000001f) << c.name;
            EXPECT_LE(std::fabs(v.y), v.z * 1.000001f) << c.name;
        }
    }
    Load(cases[0]);
    ClipPolygon();
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_TRUE(SameBits(CurrentPolygon.vertices[i], cases[0].in[i]));
    // Near plane: (0, 0, 10) -> (5, 0, 30) is cut at t = 1 / 2, u halfway.
    Load(cases[1]);
    ClipPolygon();
    EXPECT_TRUE(SameBits(CurrentPolygon.vertices[0], {2.5f, 0, 20, 5, 0}));
    EXPECT_TRUE(SameBits(CurrentPolygon.vertices[3], {-2.5f, 0, 20, 0, 5}));
}

TEST(Polyman, AnEdgeCutAtItsEndCopiesTheNearerEnd)
{
    // The near plane's value is -1e-30 at the start: t rounds to 0 and the start is copied.
    CurrentPolygon = {{{0, 0, 20 + 1e-5f, 0, 0}, {0, 0, 19, 0, 0}, {0, 5, 30, 0, 0}}, 3};
    ASSERT_EQ(ClipPolygon(), 1);
    for (int32_t i = 0; i < CurrentPolygon.count; ++i)
        EXPECT_GE(CurrentPolygon.vertices[i].z, POLY_NEAR_Z);
}

TEST(Polyman, ANonConvexPolygonThatWouldOverflowGivesNothing)
{
    // Ten corners zigzagging through the near plane would leave five corners and ten crossings.
    CurrentPolygon.count = 10;
    for (int32_t i = 0; i < 10; ++i)
        CurrentPolygon.vertices[i] = {static_cast<float>(i), 0, i % 2 == 0 ? 30.0f : 10.0f, 0, 0};
    EXPECT_EQ(ClipPolygon(), 0);
    CurrentPolygon.count = 11;
    EXPECT_EQ(ClipPolygon(), 0);
}

TEST(Polyman, NoQuadrilateralClipsToMoreThanNineCorners)
{
    std::mt19937 random(9);
    std::uniform_real_distribution<float> spot(-150, 150), depth(-50, 150);
    for (int32_t i = 0; i < 20000; ++i) {
        // A convex quad: a parallelogram from three random corners.
        PolyVertex a{spot(random), spot(random), depth(random), 0, 0};
        PolyVertex b{spot(random), spot(random), depth(random), 1, 0};
        PolyVertex c{spot(random), spot(random), depth(random), 1, 1};
        PolyVertex d{a.x + c.x - b.x, a.y + c.y - b.y, a.z + c.z - b.z, 0, 1};
        CurrentPolygon = {{a, b, c, d}, i % 2 == 0 ? 4 : 3};
        if (ClipPolygon() == 1) {
            ASSERT_LE(CurrentPolygon.count, 9);
            ASSERT_GE(CurrentPolygon.count, 3);
        }
    }
}

TEST(Polyman, ProjectionCentresTheAxisAndReachesTheViewsEdges)
{
    SetViewSize(640, 480);
    SetViewProjectionFactors();
    const PolyVertex in[4] = {
        {0, 0, 100, 1, 2}, {100, 100, 100, 0, 0}, {-50, -50, 50, 0, 0}, {100, -100, 100, 7, 8}};
    SoftVertex out[4];
    ProjectVertices(in, out, 4, VertexOrder::AsStored);
    EXPECT_EQ(out[0].x, 8 * 640);
    EXPECT_EQ(out[0].y, 8 * 480);
    EXPECT_EQ(out[0].z, 1600.0f);
    EXPECT_EQ(out[0].u, 1.0f);
    EXPECT_EQ(out[0].v, 2.0f);
    // X = Z: 640 x 10.672 x 0.75 + 8 x 640 = 10242.56 -> 10242, within a pixel of the right edge.
    EXPECT_EQ(out[1].x, 10242);
    EXPECT_EQ(out[1].y, 16 * 480);
    // X = -Z: -5122.56 + 5120 -> -2, an eighth of a pixel left of the edge.
    EXPECT_EQ(out[2].x, -2);
    EXPECT_EQ(out[2].y, 0);
    SoftVertex reversed[4];
    ProjectVertices(in, reversed, 4, VertexOrder::Reversed);
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(reversed[i].x, out[3 - i].x);
        EXPECT_EQ(reversed[i].y, out[3 - i].y);
        EXPECT_EQ(reversed[i].u, out[3 - i].u);
    }
}

// The four-at-a-time path against the one-point functions, bit for bit: random points about a
// tilted camera and the awkward ones (on a plane, at the near plane, behind the camera, huge,
// infinite, NaN), in runs of every length up to nine so that each tail length is met.
TEST(Polyman, WorkPointsMoveAsTheOnePointFunctionsMoveThem)
{
    SetViewSize(512, 384);
    SetViewProjectionFactors();
    SetViewCamera(1510, 1082, 18, 1.3f, 1.2f, 1.1f);
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<ViewPoint> points = {{1510, 1082, 18},        {1510, 1102, 18}, {1e30f, 5, 5},
                                     {-1e30f, -1e30f, 1e30f}, {inf, 0, 0},      {0, -inf, 0},
                                     {nan, 1000, 10},         {1250, nan, 0},   {1250, 1082, nan}};
    std::mt19937 generator(7);
    std::uniform_real_distribution<float> offset(-400.0f, 400.0f);
    for (int32_t i = 0; i < 200; ++i)
        points.push_back(
            {1250 + offset(generator), 1082 + offset(generator), offset(generator) / 8});
    const ViewPoint camera = Polyman_Camera();
    for (size_t start = 0; start + 9 <= points.size(); start += 9) {
        for (int32_t count = 0; count <= 9; ++count) {
            std::vector<NodWorkPoint> work;
            for (int32_t k = 0; k < count; ++k) {
                const ViewPoint& p = points[start + static_cast<size_t>(k)];
                work.push_back({p.x, p.y, p.z, 0xDEADu});
            }
            std::vector<ScreenPoint> screen(static_cast<size_t>(count));
            Polyman_WorkToView(work.data(), count, screen.data());
            for (int32_t k = 0; k < count; ++k) {
                const ViewPoint& p = points[start + static_cast<size_t>(k)];
                const ViewPoint v =
                    Polyman_ToViewBy(Polyman_ViewTransform(), camera, p.x, p.y, p.z);
                const NodWorkPoint expected = {v.x, v.y, v.z, Polyman_Outcode(v.x, v.y, v.z)};
                const NodWorkPoint& got = work[static_cast<size_t>(k)];
                ASSERT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << start + k;
                if (expected.outcode != 0) continue;
                const ScreenPoint s = Polyman_Project(v.x, v.y, v.z);
                EXPECT_EQ(screen[static_cast<size_t>(k)].x, s.x) << start + k;
                EXPECT_EQ(screen[static_cast<size_t>(k)].y, s.y) << start + k;
            }
        }
    }
}

TEST(Polyman, TheViewScreenStartsAtTheMargin)
{
    GameScreen_Create(320, 240);
    const GameScreenRecord game = GetGameScreen();
    const GameScreenRecord view = Polyman_ViewScreen();
    EXPECT_EQ(view.pixels, game.pixels + 64 * game.pitch + 64);
    EXPECT_EQ(view.width, 320);
    EXPECT_EQ(view.height, 240);
    EXPECT_EQ(view.pitch, game.pitch);
    GameScreen_Destroy();
    EXPECT_EQ(Polyman_ViewScreen().pixels, nullptr);
}

}  // namespace
