// The pitch of the software view: the marking scan converter's rows, the best gradient triple,
// frames from cameras round the pitch checked against the geometry (outline, texture mapping of
// the grass, depth keys, nothing outside the view), the loaders' refusals and memory, and a
// golden frame from behind a goal.
#include "vx256/pitch.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/memory.h"
#include "tests/support/menu_run.h"
#include "viewservices/viewscreen.h"
#include "vx256/gamepal.h"
#include "vx256/polyman.h"
#include "vx256/softraster.h"
#include "vx256/softspan.h"

namespace {

constexpr int32_t M = GAMESCREEN_MARGIN;
constexpr uint8_t kUntouched = 7;
constexpr uint8_t kFirstLine = 235;  // the line entries of the stadium palette
constexpr uint8_t kLastLine = 242;
constexpr uint64_t kBehindTheGoalHash = 0xdd8ce9649b714d99ull;

struct Eye {
    const char* name;
    float x, y, height;
    float targetX, targetY;
    float zoom;
};

// Round the pitch, near and far.
constexpr Eye kEyes[] = {
    {"right touchline", 1445, 1082, 350, 796, 1082, 1.5f},
    {"behind the near goal", 796, -300, 300, 796, 500, 1.0f},
    {"behind the far goal, low", 900, 2300, 60, 700, 1900, 1.2f},
    {"left of the near corner", 40, 40, 150, 400, 400, 1.0f},
    {"high above the halfway line", 1796, 1082, 2500, 796, 1082, 1.0f},
};

void Aim(const Eye& e)
{
    const float yaw = std::atan2(e.x - e.targetX, e.y - e.targetY);
    const float ground = std::hypot(e.x - e.targetX, e.y - e.targetY);
    SetViewCamera(e.x, e.y, e.height, yaw, std::atan2(-ground, -e.height), e.zoom);
}

class PitchView {
public:
    explicit PitchView(int32_t width = 640, int32_t height = 480) : m_width(width), m_height(height)
    {
        ViewScreen_Init();
        SoftSpan_Init();
        SoftRaster_Init();
        GameScreen_Create(width, height);
        Soft_InitPitchLines();
        Soft_LoadGrass();
        Soft_SetViewport(GetGameScreen(), width, height);
    }
    ~PitchView()
    {
        Soft_FreeGrass();
        Soft_FreePitchLines();
        GameScreen_Destroy();
        SoftRaster_Uninit();
        SoftSpan_Uninit();
        ViewScreen_Uninit();
    }
    PitchView(const PitchView&) = delete;
    PitchView& operator=(const PitchView&) = delete;

    void Draw(const Eye& eye) const
    {
        const GameScreenRecord s = GetGameScreen();
        std::fill_n(s.pixels, static_cast<size_t>(s.pitch) * s.height, kUntouched);
        Aim(eye);
        Soft_DrawClippedQuad();
        Soft_DrawPitchMarkings();
        Soft_DrawMarkingArcs();
    }
    // View pixel (x, y) as the row tables count it: x from W/2.
    uint8_t Pixel(int32_t x, int32_t y) const
    {
        const GameScreenRecord s = GetGameScreen();
        return s.pixels[static_cast<size_t>(y + M) * s.pitch + x + M - m_width / 2];
    }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }

private:
    ScopedArchives m_archives;
    int32_t m_width, m_height;
};

bool IsLine(uint8_t p) { return p >= kFirstLine && p <= kLastLine; }

// Where the ray through a view pixel's centre meets the ground, and its view depth; false above
// the horizon. The inverse of the camera's transform, solved by Cramer's rule.
bool GroundUnderPixel(int32_t px, int32_t row, const PitchView& view, float* gx, float* gy,
                      float* depth)
{
    const ViewTransform& m = Polyman_ViewTransform();
    const double a = (16.0 * px - 16.0 * view.Width() + 8.0) / (10.672 * (3 * view.Width() / 4));
    const double b = (16.0 * row - 16.0 * (view.Height() / 2) + 8.0) / (8.0 * view.Height());
    // X = m00 dx + m10 dy; Y = m21 (m01 dx + m11 dy) + m20 dh; Z = m22 (m01 dx + m11 dy) + m23 dh.
    const double r[3][3] = {{m.m00, m.m10, 0},
                            {m.m21 * m.m01, m.m21 * m.m11, m.m20},
                            {m.m22 * m.m01, m.m22 * m.m11, m.m23}};
    const double rhs[3] = {a, b, 1.0};
    const auto det3 = [](const double(&q)[3][3]) {
        return q[0][0] * (q[1][1] * q[2][2] - q[1][2] * q[2][1])
               - q[0][1] * (q[1][0] * q[2][2] - q[1][2] * q[2][0])
               + q[0][2] * (q[1][0] * q[2][1] - q[1][1] * q[2][0]);
    };
    double d[3];
    for (int32_t c = 0; c < 3; ++c) {
        double q[3][3];
        for (int32_t i = 0; i < 3; ++i)
            for (int32_t j = 0; j < 3; ++j)
                q[i][j] = j == c ? rhs[i] : r[i][j];
        d[c] = det3(q) / det3(r);
    }
    const ViewPoint eye = Polyman_Camera();
    if (d[2] >= 0) return false;
    const double t = -eye.z / d[2];  // the view depth where the ray reaches the ground
    *gx = static_cast<float>(eye.x + t * d[0]);
    *gy = static_cast<float>(eye.y + t * d[1]);
    *depth = static_cast<float>(t);
    return true;
}

TEST(PitchMarkings, ThinAndFarPiecesKeepConnectedRowsAndWidePiecesKeepExactOnes)
{
    PitchView view;
    struct Case {
        const char* name;
        std::vector<SoftVertex> corners;  // 28.4
    };
    // x from the view's left column, which the pitch's projection numbers W / 2.
    const auto quad = [](int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t across) {
        x0 += 16 * 320;
        x1 += 16 * 320;
        return std::vector<SoftVertex>{{x0, y0, 1, 0, 0},
                                       {x0 + across, y0, 1, 0, 0},
                                       {x1 + across, y1, 1, 0, 0},
                                       {x1, y1, 1, 0, 0}};
    };
    const Case thin[] = {
        {"steep, leaning right", quad(5000, 100, 5300, 3000, 3)},
        {"45 degrees, leaning left", quad(9000, 100, 6200, 2900, 2)},
        {"shallow: 20 pixels a row", quad(5000, 100, 9800, 340, 4)},
        {"shallow, leaning left", quad(9800, 100, 5000, 400, 1)},
    };
    for (const Case& c : thin) {
        SCOPED_TRACE(c.name);
        int32_t first = 0, last = 0;
        ASSERT_TRUE(Pitch_ScanMarking(c.corners.data(), 4, &first, &last));
        const SoftMarkingRow* rows = Pitch_MarkingRows();
        EXPECT_GT(last, first);
        for (int32_t r = first; r <= last; ++r) {
            EXPECT_LE(rows[r].xStart, rows[r].xEnd) << "row " << r;
            if (r == first) continue;
            EXPECT_LE(rows[r].xStart, rows[r - 1].xEnd + 1) << "row " << r;
            EXPECT_GE(rows[r].xEnd, rows[r - 1].xStart - 1) << "row " << r;
        }
    }
    // A far line 10/16 of a pixel tall: the one row nearest its middle, ends rounded.
    const std::vector<SoftVertex> far = quad(4000, 1000, 4000, 1010, 400);
    int32_t first = 0, last = 0;
    ASSERT_TRUE(Pitch_ScanMarking(far.data(), 4, &first, &last));
    EXPECT_EQ(first, (1000 + 1010 + 16) / 32);
    EXPECT_EQ(last, first);
    EXPECT_EQ(Pitch_MarkingRows()[first].xStart, 320 + 250);
    EXPECT_EQ(Pitch_MarkingRows()[first].xEnd, 320 + 275);
    // A wide rectangle from pixel 10.0 to 30.0 across, rows 10.0 to 20.0: the pixels whose
    // centres lie inside, nothing widened.
    const std::vector<SoftVertex> wide = quad(160, 160, 160, 320, 320);
    ASSERT_TRUE(Pitch_ScanMarking(wide.data(), 4, &first, &last));
    EXPECT_EQ(first, 10);
    EXPECT_EQ(last, 19);
    for (int32_t r = first; r <= last; ++r) {
        EXPECT_EQ(Pitch_MarkingRows()[r].xStart, 320 + 10);
        EXPECT_EQ(Pitch_MarkingRows()[r].xEnd, 320 + 29);
    }
}

TEST(PitchGrass, GradientsComeFromTheTripleWhoseShortestSideIsLongest)
{
    struct Case {
        const char* name;
        std::vector<SoftVertex> v;
        int32_t i, j, k;
    };
    const auto at = [](int32_t x, int32_t y) { return SoftVertex{x, y, 1, 0, 0}; };
    const Case cases[] = {
        {"a sliver whose first three corners are nearly in line",
         {at(0, 0), at(16, 0), at(32, 1), at(3200, 1600)},
         0,
         2,
         3},
        {"a square: every triple ties, the first wins",
         {at(0, 0), at(160, 0), at(160, 160), at(0, 160)},
         0,
         1,
         2},
        {"a pentagon with one short side at its start",
         {at(0, 0), at(8, 0), at(800, 400), at(400, 1200), at(-400, 400)},
         0,
         2,
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int32_t i = -1, j = -1, k = -1;
        Pitch_BestTriple(c.v.data(), static_cast<int32_t>(c.v.size()), &i, &j, &k);
        EXPECT_EQ(i, c.i);
        EXPECT_EQ(j, c.j);
        EXPECT_EQ(k, c.k);
    }
}

TEST(PitchGeometry, ThePenaltyArcsLieBeyondTheirLinesAndTheCornerArcsRoundTheirCornersInOneWinding)
{
    PitchView view;
    const PitchGeometry& g = Pitch_Geometry();
    for (int32_t k = 0; k < PITCH_ARC_POINTS; ++k) {
        EXPECT_GT(g.arcOuter[0][k].y, 410.0f) << k;
        EXPECT_LT(g.arcOuter[1][k].y, 1754.0f) << k;
    }
    // Both ends of each arc sit just beyond the line, level with each other.
    EXPECT_NEAR(g.arcOuter[0][0].y, 410.0f + 96 * 0.02f, 0.05f);
    EXPECT_NEAR(g.arcOuter[1][PITCH_ARC_POINTS - 1].y, 1754.0f - 96 * 0.02f, 0.05f);
    EXPECT_NEAR(g.arcOuter[0][0].x + g.arcOuter[0][PITCH_ARC_POINTS - 1].x, 2 * 796.0f, 0.01f);
    // Each corner's three pieces lie on the pitch between radius 24 and 28 of their corner.
    const float cornerXY[4][2] = {{156, 122}, {1436, 122}, {156, 2042}, {1436, 2042}};
    for (int32_t piece = 0; piece < PITCH_CORNER_ARC_PIECES; ++piece) {
        for (const PitchPoint& p : g.cornerArcs[piece]) {
            const float r = std::hypot(p.x - cornerXY[piece / 3][0], p.y - cornerXY[piece / 3][1]);
            EXPECT_TRUE(std::abs(r - 24) < 0.01f || std::abs(r - 28) < 0.01f) << piece << ": " << r;
            EXPECT_TRUE(p.x >= 156 && p.x <= 1436 && p.y >= 122 && p.y <= 2042) << piece;
        }
    }
    for (const auto& q : g.cornerArcs) {
        float twiceArea = 0;
        for (int32_t c = 0; c < 4; ++c)
            twiceArea += q[c].x * q[(c + 1) % 4].y - q[(c + 1) % 4].x * q[c].y;
        EXPECT_GT(twiceArea, 0.0f);
    }
}

TEST(PitchFrames, FromEveryCameraTheOutlineClosesTheGrassMapsAndNothingLeavesTheView)
{
    PitchView view;
    const float corners[4][2] = {{158, 124}, {1434, 124}, {158, 2040}, {1434, 2040}};
    for (const Eye& eye : kEyes) {
        SCOPED_TRACE(eye.name);
        view.Draw(eye);
        const GameScreenRecord s = GetGameScreen();
        int32_t lines = 0, outside = 0;
        for (int32_t y = 0; y < s.height; ++y) {
            for (int32_t x = 0; x < s.width; ++x) {
                const uint8_t p = s.pixels[static_cast<size_t>(y) * s.pitch + x];
                const bool inView =
                    x >= M && x < M + view.Width() && y >= M && y < M + view.Height();
                if (!inView && p != kUntouched) ++outside;
                if (inView && IsLine(p)) ++lines;
            }
        }
        EXPECT_EQ(outside, 0);
        EXPECT_GT(lines, 50);
        // Each corner seen lies on line pixels, within one pixel.
        for (const auto& c : corners) {
            const ViewPoint p = Polyman_ToView(c[0], c[1], 0);
            if (Polyman_Outcode(p.x, p.y, p.z) != 0) continue;
            const SoftVertex at = Pitch_Project(p.x, p.y, p.z, 0, 0);
            const int32_t px = (at.x + 8) >> 4, py = (at.y + 8) >> 4;
            bool found = false;
            for (int32_t dy = -1; dy <= 1; ++dy)
                for (int32_t dx = -1; dx <= 1; ++dx)
                    if (py + dy >= 0 && py + dy < view.Height())
                        found |= IsLine(view.Pixel(px + dx, py + dy));
            EXPECT_TRUE(found) << "corner " << c[0] << ", " << c[1];
        }
        // Every grass row maps its pixels to the ground they show, and its depth key is that
        // ground's depth; the keys grow toward the viewer.
        const SoftGrassRow* rows = Pitch_GrassRows();
        const SoftMarkingRow* keys = Pitch_MarkingRows();
        int32_t checked = 0;
        for (int32_t r = 0; r < view.Height(); r += 7) {
            const SoftGrassRow& row = rows[r];
            float gx = 0, gy = 0, depth = 0;
            if (keys[r].depthKey == 0 || !GroundUnderPixel(row.xStart, r, view, &gx, &gy, &depth))
                continue;
            // Half a texel, and half of what one pixel covers across or down.
            float belowX = 0, belowY = 0, belowDepth = 0;
            if (!GroundUnderPixel(row.xStart, r + 1, view, &belowX, &belowY, &belowDepth)) continue;
            const float span = static_cast<float>(std::max(row.xEnd - row.xStart, 1));
            const float across = std::abs(row.uEnd - row.uStart) / 65536.0f / span;
            const float down =
                std::max(std::abs(belowX - gx) * 2048 / 1792, std::abs(belowY - gy) * 3072 / 2688);
            const float tolerance = 0.5f + 0.5f * std::max(across, down);
            EXPECT_NEAR(row.uStart / 65536.0f, (gx + 100) * 2048 / 1792, tolerance) << "row " << r;
            EXPECT_NEAR(row.vStart / 65536.0f, (gy + 262) * 3072 / 2688, tolerance) << "row " << r;
            EXPECT_NEAR(keys[r].depthKey, PITCH_DEPTH_KEY_SCALE / (16 * depth),
                        keys[r].depthKey * 0.01 + 1)
                << "row " << r;
            ++checked;
        }
        EXPECT_GT(checked, 5);
    }
}

// A ring's segments share their edges: from every camera, each row of the centre circle and the
// penalty arcs holds at most two runs (a ring's two sides) that neither overlap nor touch, so
// each pixel is drawn once, and every pixel of them is drawn in the line's entries.
TEST(PitchFrames, RingsDrawEachPixelOfARowOnceInAtMostTwoRuns)
{
    PitchView view;
    const PitchGeometry& g = Pitch_Geometry();
    struct Ring {
        const char* name;
        const PitchPoint *outer, *inner;
        int32_t points;
        bool closed;
    };
    const Ring rings[] = {
        {"circle", g.circleOuter, g.circleInner, PITCH_CIRCLE_POINTS, true},
        {"near arc", g.arcOuter[0], g.arcInner[0], PITCH_ARC_POINTS, false},
        {"far arc", g.arcOuter[1], g.arcInner[1], PITCH_ARC_POINTS, false},
    };
    int32_t drawn = 0;
    for (const Eye& eye : kEyes) {
        view.Draw(eye);
        for (const Ring& ring : rings) {
            SCOPED_TRACE(std::string(eye.name) + ", " + ring.name);
            int32_t first = 0, last = 0;
            if (!Pitch_ScanRing(ring.outer, ring.inner, ring.points, ring.closed, &first, &last))
                continue;
            int32_t notLine = 0;
            for (int32_t r = first; r <= last; ++r) {
                const PitchRingRow& row = Pitch_RingRows()[r];
                ASSERT_LE(row.count, 2) << "row " << r;
                const bool apart = row.count < 2 || row.xEnd[0] + 1 < row.xStart[1]
                                   || row.xEnd[1] + 1 < row.xStart[0];
                EXPECT_TRUE(apart) << "row " << r;
                for (int32_t n = 0; n < row.count; ++n) {
                    for (int32_t x = row.xStart[n]; x <= row.xEnd[n]; ++x, ++drawn)
                        notLine += IsLine(view.Pixel(x, r)) ? 0 : 1;
                }
            }
            EXPECT_EQ(notLine, 0);
        }
    }
    EXPECT_GT(drawn, 2000);
}

// The view's bytes, FNV-1a.
uint64_t ViewHash(const PitchView& view)
{
    const GameScreenRecord s = GetGameScreen();
    uint64_t hash = 0xcbf29ce484222325ull;
    for (int32_t y = M; y < M + view.Height(); ++y) {
        for (int32_t x = M; x < M + view.Width(); ++x) {
            hash ^= s.pixels[static_cast<size_t>(y) * s.pitch + x];
            hash *= 0x100000001b3ull;
        }
    }
    return hash;
}

TEST(PitchFrames, TheFrameFromBehindTheGoalMatchesItsGoldenHash)
{
    PitchView view;
    view.Draw(kEyes[1]);
    const uint64_t hash = ViewHash(view);
    if (hash == kBehindTheGoalHash) return;
    GamePalette_LoadPiece("PALETTES\\ingame\\master", 1, 254, 1);
    GamePalette_LoadPiece("PALETTES\\ingame\\stad", 222, 254, 222);
    const GameScreenRecord s = GetGameScreen();
    std::vector<uint8_t> rgb;
    for (int32_t y = M; y < M + view.Height(); ++y)
        for (int32_t x = M; x < M + view.Width(); ++x)
            for (int32_t c = 0; c < 3; ++c)
                rgb.push_back(static_cast<uint8_t>(
                    GamePalette[s.pixels[static_cast<size_t>(y) * s.pitch + x] * 3 + c] * 4));
    ADD_FAILURE() << std::hex << "0x" << hash << " written to "
                  << WriteTestOutputPng("pitch_behind_the_goal.png", view.Width(), view.Height(),
                                        rgb);
}

TEST(PitchFrames, TheViewSizesFromSmallestToLargestStayInsideTheirView)
{
    for (const auto& size : {std::pair{512, 384}, std::pair{1024, 768}}) {
        PitchView view(size.first, size.second);
        view.Draw(kEyes[0]);
        const GameScreenRecord s = GetGameScreen();
        int32_t outside = 0, drawn = 0;
        for (int32_t y = 0; y < s.height; ++y) {
            for (int32_t x = 0; x < s.width; ++x) {
                const bool inView = x >= M && x < M + size.first && y >= M && y < M + size.second;
                const bool touched = s.pixels[static_cast<size_t>(y) * s.pitch + x] != kUntouched;
                outside += !inView && touched;
                drawn += inView && touched;
            }
        }
        EXPECT_EQ(outside, 0) << size.first;
        EXPECT_GT(drawn, size.first * size.second / 3) << size.first;
    }
}

TEST(PitchFrames, APitchBehindTheCameraDrawsNothing)
{
    PitchView view;
    view.Draw({"looking away from the near goal", 796, -300, 300, 796, -2000, 1.0f});
    const GameScreenRecord s = GetGameScreen();
    uint8_t* const end = s.pixels + static_cast<size_t>(s.pitch) * s.height;
    EXPECT_EQ(std::count(s.pixels, end, kUntouched), end - s.pixels);
}

TEST(PitchLoading, LoadsAndFreesLeaveMemoryWhereItWas)
{
    ScopedArchives archives;
    const MemoryStatistics before = MemoryStats();
    for (int32_t round = 0; round < 3; ++round) {
        Soft_InitPitchLines();
        Soft_LoadGrass();
        Soft_InitPitchLines();  // already loaded: nothing more
        ASSERT_EQ(reinterpret_cast<uintptr_t>(Pitch_LinePattern()) % 256, 0u);
        ASSERT_EQ(reinterpret_cast<uintptr_t>(Pitch_GrassPlanes()) % 16384, 0u);
        // The spare bytes past the last pattern row repeat the four at 3,968.
        EXPECT_TRUE(std::equal(Pitch_LinePattern() + 3968, Pitch_LinePattern() + 3972,
                               Pitch_LinePattern() + 4096));
        Soft_FreeGrass();
        Soft_FreePitchLines();
        EXPECT_EQ(MemoryStats().blocks, before.blocks);
        EXPECT_EQ(MemoryStats().bytes, before.bytes);
    }
    Soft_FreeGrass();  // twice is safe
    Soft_FreePitchLines();
}

TEST(PitchLoadingDeathTest, ShortTextureFilesAreFatal)
{
    const std::string line = "VXDATA\\software\\misc\\textures\\line.gfx";
    const std::string grass = "VXDATA\\SOFTWARE\\MISC\\TEXTURES\\grass.gfx";
    EXPECT_DEATH(
        {
            ScopedArchives archives({{line, std::vector<uint8_t>(4099, 240)}});
            Soft_InitPitchLines();
        },
        "Soft_InitPitchLines\\(\\): '.*line.gfx' is too short");
    EXPECT_DEATH(
        {
            ScopedArchives archives({{grass, std::vector<uint8_t>(4099, 225)}});
            Soft_LoadGrass();
        },
        "Soft_LoadGrass\\(\\): '.*grass.gfx' is too short");
}

}  // namespace
