// vx256/pitch.cpp: the pitch's geometry, its two textures and the per-frame grass and marking
// passes.
#include "vx256/pitch.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>

#include "engine/convert.h"
#include "engine/fatal.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "gamecode/pitch.h"
#include "vx256/polyman.h"

namespace {

constexpr const char* kLineFile = "VXDATA\\software\\misc\\textures\\line.gfx";
constexpr const char* kGrassFile = "VXDATA\\SOFTWARE\\MISC\\TEXTURES\\grass.gfx";
constexpr int32_t kLineAlign = 256;
constexpr int32_t kGrassAlign = 16384;
constexpr int32_t kLineSpareFrom = 3968;  // copied past the last row for the writer's last read
constexpr float kLineWidth = 4.0f;
constexpr float kCircleRadius = 160.0f;  // ten yards
constexpr float kArcOuterBeyondLine = 1.02f;
constexpr int32_t kOneRowHeight = 24;  // 28.4: pieces less than 1.5 pixels tall
constexpr float kGrassMarginX = 256.0f;
constexpr float kGrassMarginY = 384.0f;
constexpr float kGrassTilesAcross = 32.0f;  // even, so the mirrored planes meet at the edges
constexpr float kGrassTilesAlong = 48.0f;

struct Viewport {
    GameScreenRecord screen;
    int32_t width;
    int32_t height;  // rows drawn, at most PITCH_MAX_VIEW_HEIGHT
    float scaleX;    // 10.672 (3 W / 4)
    float scaleY;    // 8 H
};

struct PitchState {
    PitchGeometry geometry;
    Viewport viewport;
    uint8_t* lineBlock;  // tracked blocks; the aligned data lies inside
    uint8_t* grassBlock;
    uint8_t* linePattern;
    uint8_t* grassPlanes;
};

PitchState s_pitch;
std::array<SoftMarkingRow, PITCH_MAX_VIEW_HEIGHT> s_markingRows;
std::array<SoftGrassRow, PITCH_MAX_VIEW_HEIGHT> s_grassRows;
std::array<PitchRingRow, PITCH_MAX_VIEW_HEIGHT> s_ringRows;
std::array<SoftMarkingRow, PITCH_MAX_VIEW_HEIGHT> s_ringPass;  // one run of each row at a time

uint8_t* AlignUp(uint8_t* p, uintptr_t alignment)
{
    const uintptr_t address = reinterpret_cast<uintptr_t>(p);
    return p + ((alignment - address % alignment) % alignment);
}

void Rectangle(PitchPoint* quad, float x0, float x1, float y0, float y1)
{
    quad[0] = {x0, y0};
    quad[1] = {x1, y0};
    quad[2] = {x1, y1};
    quad[3] = {x0, y1};
}

// Lines lie inside the pitch and inside their boxes; the halfway line is centred on its mark.
void BuildStraightPieces(PitchGeometry& g)
{
    constexpr float left = PITCH_LEFT_TOUCHLINE_X, right = PITCH_RIGHT_TOUCHLINE_X;
    constexpr float nearY = PITCH_NEAR_GOAL_LINE_Y, farY = PITCH_FAR_GOAL_LINE_Y;
    constexpr float w = kLineWidth;
    Rectangle(g.straight[0], left, right, nearY, nearY + w);
    Rectangle(g.straight[1], right - w, right, nearY, farY);
    Rectangle(g.straight[2], left, right, farY - w, farY);
    Rectangle(g.straight[3], left, left + w, nearY, farY);
    Rectangle(g.straight[4], left, right, PITCH_HALFWAY_LINE_Y - w / 2,
              PITCH_HALFWAY_LINE_Y + w / 2);
    struct Box {
        float left, right, depth;
    };
    constexpr Box boxes[2] = {
        {PITCH_BOX_LEFT_X, PITCH_BOX_RIGHT_X, PITCH_BOX_NEAR_Y - nearY},
        {PITCH_GOAL_AREA_LEFT_X, PITCH_GOAL_AREA_RIGHT_X, PITCH_GOAL_AREA_NEAR_Y - nearY}};
    // Near penalty area, near goal area, far penalty area, far goal area: left side, front, right.
    for (int32_t end = 0; end < 2; ++end) {
        for (int32_t b = 0; b < 2; ++b) {
            const Box& box = boxes[b];
            const float y0 = end == 0 ? nearY : farY - box.depth;
            const float y1 = end == 0 ? nearY + box.depth : farY;
            const float frontY = end == 0 ? y1 - w : y0;
            PitchPoint(*piece)[4] = &g.straight[5 + end * 6 + b * 3];
            Rectangle(piece[0], box.left, box.left + w, y0, y1);
            Rectangle(piece[1], box.left, box.right, frontY, frontY + w);
            Rectangle(piece[2], box.right - w, box.right, y0, y1);
        }
    }
}

// A quarter ring round each corner in three pieces, inner radius 24, outer 28.
void BuildCornerArcs(PitchGeometry& g)
{
    constexpr PitchPoint outer[4] = {{0, -28}, {-14, -24.248f}, {-24.248f, -14}, {-28, 0}};
    constexpr PitchPoint inner[4] = {{0, -24}, {-12, -20.784f}, {-20.784f, -12}, {-24, 0}};
    constexpr int32_t signs[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    int32_t piece = 0;
    for (const auto& s : signs) {
        const float cx = s[0] < 0 ? PITCH_LEFT_TOUCHLINE_X : PITCH_RIGHT_TOUCHLINE_X;
        const float cy = s[1] < 0 ? PITCH_NEAR_GOAL_LINE_Y : PITCH_FAR_GOAL_LINE_Y;
        for (int32_t k = 0; k < 3; ++k) {
            PitchPoint* quad = g.cornerArcs[piece++];
            const PitchPoint ring[4] = {outer[k], inner[k], inner[k + 1], outer[k + 1]};
            for (int32_t c = 0; c < 4; ++c)
                quad[c] = {cx + s[0] * ring[c].x, cy + s[1] * ring[c].y};
            // A mirror in one axis turns the winding over.
            if (s[0] * s[1] < 0) std::swap(quad[0], quad[2]);
        }
    }
}

PitchPoint OnCircle(float cx, float cy, float radius, double angle)
{
    return {cx + static_cast<float>(radius * std::cos(angle)),
            cy + static_cast<float>(radius * std::sin(angle))};
}

// The rectangle round the outer and inner points, for the whole ring's visibility test.
void Bounds(const PitchPoint* outer, const PitchPoint* inner, int32_t count, PitchPoint* quad)
{
    float x0 = outer[0].x, x1 = x0, y0 = outer[0].y, y1 = y0;
    for (int32_t i = 0; i < count; ++i) {
        for (const PitchPoint& p : {outer[i], inner[i]}) {
            x0 = std::min(x0, p.x);
            x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y);
            y1 = std::max(y1, p.y);
        }
    }
    Rectangle(quad, x0, x1, y0, y1);
}

void BuildRings(PitchGeometry& g)
{
    constexpr float outerR = kCircleRadius, innerR = kCircleRadius - kLineWidth;
    for (int32_t k = 0; k < PITCH_CIRCLE_POINTS; ++k) {
        const double a = k * 2.0 * std::numbers::pi / PITCH_CIRCLE_POINTS;
        g.circleOuter[k] = OnCircle(PITCH_CENTRE_X, PITCH_CENTRE_Y, outerR, a);
        g.circleInner[k] = OnCircle(PITCH_CENTRE_X, PITCH_CENTRE_Y, innerR, a);
    }
    Bounds(g.circleOuter, g.circleInner, PITCH_CIRCLE_POINTS, g.circleBounds);
    // The arc starts where its outer edge passes just beyond the penalty line; both ends measure
    // the spot's distance from their own line, the far one turned half round.
    constexpr float spotToLine = PITCH_BOX_NEAR_Y - PITCH_PENALTY_SPOT_NEAR_Y;
    const double a0 = std::asin(spotToLine * kArcOuterBeyondLine / kCircleRadius);
    const double step = (std::numbers::pi - 2.0 * a0) / (PITCH_ARC_POINTS - 1);
    constexpr float spotY[2] = {PITCH_PENALTY_SPOT_NEAR_Y, PITCH_PENALTY_SPOT_FAR_Y};
    for (int32_t end = 0; end < 2; ++end) {
        for (int32_t k = 0; k < PITCH_ARC_POINTS; ++k) {
            const double a = a0 + k * step + (end == 0 ? 0.0 : std::numbers::pi);
            g.arcOuter[end][k] = OnCircle(PITCH_CENTRE_X, spotY[end], outerR, a);
            g.arcInner[end][k] = OnCircle(PITCH_CENTRE_X, spotY[end], innerR, a);
        }
        Bounds(g.arcOuter[end], g.arcInner[end], PITCH_ARC_POINTS, g.arcBounds[end]);
    }
}

void BuildSpots(PitchGeometry& g)
{
    constexpr PitchPoint hexagon[PITCH_SPOT_CORNERS] = {{0, -6}, {5.196f, -3}, {5.196f, 3},
                                                        {0, 6},  {-5.196f, 3}, {-5.196f, -3}};
    constexpr PitchPoint centres[PITCH_SPOTS] = {{PITCH_CENTRE_X, PITCH_CENTRE_Y},
                                                 {PITCH_CENTRE_X, PITCH_PENALTY_SPOT_NEAR_Y},
                                                 {PITCH_CENTRE_X, PITCH_PENALTY_SPOT_FAR_Y}};
    for (int32_t s = 0; s < PITCH_SPOTS; ++s)
        for (int32_t c = 0; c < PITCH_SPOT_CORNERS; ++c)
            g.spots[s][c] = {centres[s].x + hexagon[c].x, centres[s].y + hexagon[c].y};
}

// The pitch and 0.4 of its half-size round it, the tile an even number of times each way.
void BuildGrassQuad(PitchGeometry& g)
{
    Rectangle(g.grass, PITCH_LEFT_TOUCHLINE_X - kGrassMarginX,
              PITCH_RIGHT_TOUCHLINE_X + kGrassMarginX, PITCH_NEAR_GOAL_LINE_Y - kGrassMarginY,
              PITCH_FAR_GOAL_LINE_Y + kGrassMarginY);
    const float uMax = kGrassTilesAcross * SOFT_GRASS_TILE;
    const float vMax = kGrassTilesAlong * SOFT_GRASS_TILE;
    const float u[4] = {0, uMax, uMax, 0}, v[4] = {0, 0, vMax, vMax};
    std::copy_n(u, 4, g.grassU);
    std::copy_n(v, 4, g.grassV);
}

// The piece's corners through the view transform into the current polygon, then clipped.
bool TransformAndClip(const PitchPoint* points, const float* u, const float* v, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        const ViewPoint p = Polyman_ToView(points[i].x, points[i].y, 0.0f);
        CurrentPolygon.vertices[i] = {p.x, p.y, p.z, u != nullptr ? u[i] : 0.0f,
                                      v != nullptr ? v[i] : 0.0f};
    }
    CurrentPolygon.count = count;
    return ClipPolygon() != 0;
}

int32_t ProjectCurrentPolygon(SoftVertex* out)
{
    for (int32_t i = 0; i < CurrentPolygon.count; ++i) {
        const PolyVertex& p = CurrentPolygon.vertices[i];
        out[i] = Pitch_Project(p.x, p.y, p.z, p.u, p.v);
    }
    return CurrentPolygon.count;
}

struct RowRange {
    int32_t first, last;
};

// Rounded ends can reach a pixel past the view's side columns: cut them back to the view.
template <typename Row>
void KeepInsideTheView(Row* rows, RowRange range)
{
    const int32_t left = s_pitch.viewport.width / 2, right = left + s_pitch.viewport.width - 1;
    for (int32_t r = range.first; r <= range.last; ++r) {
        rows[r].xStart = std::max(rows[r].xStart, left);
        rows[r].xEnd = std::min(rows[r].xEnd, right);
    }
}

// Rows ceil(top) .. ceil(bottom) - 1 cut to the view; each row's x extent is the covered pixels
// [ceil(left x), ceil(right x) - 1], found as the least and greatest over every edge, so either
// winding gives the same rows. Empty when no row is covered.
template <typename Row>
RowRange ScanEdges(const SoftVertex* v, int32_t count, Row* rows)
{
    int32_t top = v[0].y, bottom = v[0].y;
    for (int32_t i = 1; i < count; ++i) {
        top = std::min(top, v[i].y);
        bottom = std::max(bottom, v[i].y);
    }
    const int32_t last = std::min(Soft_CeilFix4(bottom) - 1, s_pitch.viewport.height - 1);
    const RowRange range = {std::max(Soft_CeilFix4(top), 0), last};
    for (int32_t r = range.first; r <= range.last; ++r) {
        rows[r].xStart = INT32_MAX;
        rows[r].xEnd = INT32_MIN;
    }
    for (int32_t i = 0; i < count; ++i) {
        const SoftVertex& a = v[i];
        const SoftVertex& b = v[i + 1 == count ? 0 : i + 1];
        if (a.y == b.y) continue;
        const SoftVertex& upper = a.y < b.y ? a : b;
        const SoftVertex& lower = a.y < b.y ? b : a;
        SoftEdge edge;
        Soft_SetupIntegerEdge(&edge, upper.x, upper.y, lower.x, lower.y);
        for (; edge.rowsLeft > 0 && edge.row <= range.last; Soft_StepEdge(&edge)) {
            if (edge.row < range.first) continue;
            rows[edge.row].xStart = std::min(rows[edge.row].xStart, edge.x);
            rows[edge.row].xEnd = std::max(rows[edge.row].xEnd, edge.x - 1);
        }
    }
    return range;
}

// Thin slanted pieces: a row with no pixel centre inside keeps the pixel at its edge, and two
// rows that do not touch each grow half way toward the other, so the piece stays connected from
// row to row. Rows that already touch keep the exact extents, so wide pieces are not widened.
void KeepMarkingConnected(RowRange range)
{
    for (int32_t r = range.first; r <= range.last; ++r) {
        SoftMarkingRow& row = s_markingRows[r];
        if (row.xEnd < row.xStart) row.xEnd = row.xStart = std::min(row.xStart, row.xEnd + 1);
        if (r == range.first) continue;
        SoftMarkingRow& above = s_markingRows[r - 1];
        if (row.xStart > above.xEnd + 1) {
            const int32_t gap = row.xStart - above.xEnd - 1;
            above.xEnd += gap / 2;
            row.xStart -= gap - gap / 2;
        } else if (row.xEnd < above.xStart - 1) {
            const int32_t gap = above.xStart - row.xEnd - 1;
            above.xStart -= gap / 2;
            row.xEnd += gap - gap / 2;
        }
    }
}

// The piece through the camera into the marking rows; false when it covers no row.
bool ScanMarkingPiece(const PitchPoint* points, int32_t count, int32_t* first, int32_t* last)
{
    if (!TransformAndClip(points, nullptr, nullptr, count)) return false;
    SoftVertex projected[SOFT_MAX_POLY_VERTICES];
    const int32_t n = ProjectCurrentPolygon(projected);
    return Pitch_ScanMarking(projected, n, first, last);
}

void DrawMarkingPiece(const PitchPoint* points, int32_t count)
{
    int32_t first = 0, last = 0;
    if (s_pitch.linePattern != nullptr && ScanMarkingPiece(points, count, &first, &last))
        Soft_DrawMarkingRows(first, last, s_markingRows.data(), s_pitch.linePattern);
}

bool RingVisible(const PitchPoint* bounds) { return TransformAndClip(bounds, nullptr, nullptr, 4); }

// Joins [start, end] with every run of the row it overlaps or touches; false when the row has no
// room left for it as a run of its own.
bool AddRingRun(PitchRingRow& row, int32_t start, int32_t end)
{
    int32_t kept = 0;
    for (int32_t i = 0; i < row.count; ++i) {
        if (row.xEnd[i] + 1 < start || row.xStart[i] > end + 1) {
            row.xStart[kept] = row.xStart[i];
            row.xEnd[kept++] = row.xEnd[i];
            continue;
        }
        start = std::min(start, row.xStart[i]);
        end = std::max(end, row.xEnd[i]);
    }
    row.count = kept;
    if (kept == PITCH_RING_RUNS) return false;
    row.xStart[kept] = start;
    row.xEnd[kept] = end;
    row.count = kept + 1;
    return true;
}

// The rows' n-th runs through the row writer, each row with its own depth key.
void DrawRingRuns(int32_t first, int32_t last)
{
    int32_t most = 0;
    for (int32_t r = first; r <= last; ++r)
        most = std::max(most, s_ringRows[r].count);
    for (int32_t n = 0; n < most; ++n) {
        for (int32_t r = first; r <= last; ++r) {
            const PitchRingRow& ring = s_ringRows[r];
            s_ringPass[r].xStart = n < ring.count ? ring.xStart[n] : 1;
            s_ringPass[r].xEnd = n < ring.count ? ring.xEnd[n] : 0;
            s_ringPass[r].depthKey = s_markingRows[r].depthKey;
        }
        Soft_DrawMarkingRows(first, last, s_ringPass.data(), s_pitch.linePattern);
    }
}

void DrawRing(const PitchPoint* outer, const PitchPoint* inner, int32_t points, bool closed,
              const PitchPoint* bounds)
{
    int32_t first = 0, last = 0;
    if (s_pitch.linePattern != nullptr && RingVisible(bounds)
        && Pitch_ScanRing(outer, inner, points, closed, &first, &last))
        DrawRingRuns(first, last);
}

struct Plane {  // a value over the screen: at (x, y) in pixels, base + dx (x - x0) + dy (y - y0)
    float base, dx, dy;
};

struct GrassPlanes {
    float x0, y0;
    Plane invZ, uOverZ, vOverZ;
};

// The gradients of 1/z', u/z' and v/z' from the best-shaped triple, vertex k the base; false for
// a polygon without area.
bool GrassGradients(const SoftVertex* v, int32_t count, GrassPlanes* planes)
{
    int32_t i = 0, j = 1, k = 2;
    Pitch_BestTriple(v, count, &i, &j, &k);
    const auto px = [&](int32_t n) { return Soft_Fix4ToFloat(v[n].x); };
    const auto py = [&](int32_t n) { return Soft_Fix4ToFloat(v[n].y); };
    const double dx1 = px(i) - px(k), dy1 = py(i) - py(k);
    const double dx2 = px(j) - px(k), dy2 = py(j) - py(k);
    const double det = dx1 * dy2 - dx2 * dy1;
    if (det == 0.0) return false;
    const auto plane = [&](auto value) {
        const double qi = value(i) - value(k), qj = value(j) - value(k);
        return Plane{static_cast<float>(value(k)), static_cast<float>((qi * dy2 - qj * dy1) / det),
                     static_cast<float>((qj * dx1 - qi * dx2) / det)};
    };
    planes->x0 = px(k);
    planes->y0 = py(k);
    planes->invZ = plane([&](int32_t n) { return 1.0 / v[n].z; });
    planes->uOverZ = plane([&](int32_t n) { return v[n].u / v[n].z; });
    planes->vOverZ = plane([&](int32_t n) { return v[n].v / v[n].z; });
    return true;
}

float At(const Plane& p, const GrassPlanes& planes, float x, float y)
{
    return p.base + p.dx * (x - planes.x0) + p.dy * (y - planes.y0);
}

int32_t ToFix16(float texels)
{
    return static_cast<int32_t>(std::clamp(texels * 65536.0f, -2.0e9f, 2.0e9f));
}

// A ground row has one depth (the camera never rolls): the left end's serves both ends and gives
// the row's marking depth key.
bool FillGrassRow(int32_t r, const GrassPlanes& planes)
{
    SoftGrassRow& row = s_grassRows[r];
    if (row.xEnd < row.xStart) return false;
    const auto y = static_cast<float>(r);
    const auto left = static_cast<float>(row.xStart), right = static_cast<float>(row.xEnd);
    const float invZ = At(planes.invZ, planes, left, y);
    if (!(invZ > 0.0f)) return false;
    const float depth = 1.0f / invZ;
    row.uStart = ToFix16(At(planes.uOverZ, planes, left, y) * depth);
    row.vStart = ToFix16(At(planes.vOverZ, planes, left, y) * depth);
    row.uEnd = ToFix16(At(planes.uOverZ, planes, right, y) * depth);
    row.vEnd = ToFix16(At(planes.vOverZ, planes, right, y) * depth);
    s_markingRows[r].depthKey = static_cast<int32_t>(invZ * PITCH_DEPTH_KEY_SCALE);
    return true;
}

void LoadLinePattern()
{
    AllocateMemory(&s_pitch.lineBlock, PITCH_LINE_BYTES + kLineAlign - 1, MEM_TYPE_GAME);
    s_pitch.linePattern = AlignUp(s_pitch.lineBlock, kLineAlign);
    const int32_t handle = PakOpenFile(kLineFile);
    const int32_t read = PakReadFile(s_pitch.linePattern, 0, PITCH_LINE_BYTES, handle);
    PakCloseFile(handle);
    if (read < PITCH_LINE_BYTES) FatalError("Soft_InitPitchLines(): '%s' is too short", kLineFile);
    std::memcpy(s_pitch.linePattern + SOFT_PATTERN_ROWS * SOFT_PATTERN_ROW_BYTES,
                s_pitch.linePattern + kLineSpareFrom, 4);
}

// Plane 0 the tile, 1 mirrored left-right, 2 top-bottom, 3 both; each the tile twice each way.
void ExpandGrass(const uint8_t* tile)
{
    for (int32_t plane = 0; plane < 4; ++plane) {
        uint8_t* out = s_pitch.grassPlanes + plane * SOFT_GRASS_PLANE_BYTES;
        for (int32_t y = 0; y < SOFT_GRASS_PLANE_ROW; ++y) {
            for (int32_t x = 0; x < SOFT_GRASS_PLANE_ROW; ++x) {
                int32_t tx = x % SOFT_GRASS_TILE, ty = y % SOFT_GRASS_TILE;
                if ((plane & 1) != 0) tx = SOFT_GRASS_TILE - 1 - tx;
                if ((plane & 2) != 0) ty = SOFT_GRASS_TILE - 1 - ty;
                out[y * SOFT_GRASS_PLANE_ROW + x] = tile[ty * SOFT_GRASS_TILE + tx];
            }
        }
    }
}

}  // namespace

void Soft_InitPitchLines()
{
    PitchGeometry& g = s_pitch.geometry;
    BuildStraightPieces(g);
    BuildCornerArcs(g);
    BuildSpots(g);
    BuildRings(g);
    if (s_pitch.lineBlock == nullptr) LoadLinePattern();
}

void Soft_FreePitchLines()
{
    if (s_pitch.lineBlock != nullptr) FreeMemory(&s_pitch.lineBlock);
    s_pitch.linePattern = nullptr;
}

void Soft_LoadGrass()
{
    BuildGrassQuad(s_pitch.geometry);
    if (s_pitch.grassBlock != nullptr) return;
    uint8_t* file = nullptr;
    const int32_t length = PakLoadFile(kGrassFile, &file);
    if (length < PITCH_GRASS_FILE_BYTES) {
        FreeMemory(&file);
        FatalError("Soft_LoadGrass(): '%s' is too short", kGrassFile);
    }
    AllocateMemory(&s_pitch.grassBlock, SOFT_GRASS_BLOCK_BYTES + kGrassAlign, MEM_TYPE_GAME);
    s_pitch.grassPlanes = AlignUp(s_pitch.grassBlock, kGrassAlign);
    ExpandGrass(file + SOFT_TEXTURE_HEADER_BYTES);
    FreeMemory(&file);
}

void Soft_FreeGrass()
{
    if (s_pitch.grassBlock != nullptr) FreeMemory(&s_pitch.grassBlock);
    s_pitch.grassPlanes = nullptr;
}

void Soft_SetViewport(const GameScreenRecord& screen, int32_t width, int32_t height)
{
    const int32_t threeQuarters = 3 * width / 4;
    s_pitch.viewport = {screen, width, std::clamp(height, 0, PITCH_MAX_VIEW_HEIGHT),
                        10.672f * static_cast<float>(threeQuarters),
                        8.0f * static_cast<float>(height)};
    Soft_SetRowTarget(screen, s_pitch.viewport.height, GAMESCREEN_MARGIN - width / 2);
}

SoftVertex Pitch_Project(float x, float y, float z, float u, float v)
{
    const Viewport& view = s_pitch.viewport;
    return {ChopToInt(x / z * view.scaleX + 16.0 * view.width - 8.0),
            ChopToInt(y / z * view.scaleY + 16.0 * (view.height / 2) - 8.0), z * 16.0f, u, v};
}

bool Pitch_ScanMarking(const SoftVertex* vertices, int32_t count, int32_t* first, int32_t* last)
{
    int32_t top = vertices[0].y, bottom = top, left = vertices[0].x, right = left;
    for (int32_t i = 1; i < count; ++i) {
        top = std::min(top, vertices[i].y);
        bottom = std::max(bottom, vertices[i].y);
        left = std::min(left, vertices[i].x);
        right = std::max(right, vertices[i].x);
    }
    if (bottom - top < kOneRowHeight) {
        // Far away a line would fall between rows: it keeps the one nearest its middle.
        const int32_t r = (top + bottom + 16) / 32;
        if (r < 0 || r >= s_pitch.viewport.height) return false;
        s_markingRows[r].xStart = (left + 8) / 16;
        s_markingRows[r].xEnd = (right + 8) / 16;
        KeepInsideTheView(s_markingRows.data(), {r, r});
        *first = *last = r;
        return true;
    }
    const RowRange range = ScanEdges(vertices, count, s_markingRows.data());
    if (range.first > range.last) return false;
    KeepMarkingConnected(range);
    KeepInsideTheView(s_markingRows.data(), range);
    *first = range.first;
    *last = range.last;
    return true;
}

bool Pitch_ScanRing(const PitchPoint* outer, const PitchPoint* inner, int32_t points, bool closed,
                    int32_t* first, int32_t* last)
{
    for (int32_t r = 0; r < s_pitch.viewport.height; ++r)
        s_ringRows[r].count = 0;
    RowRange ring = {INT32_MAX, INT32_MIN};
    const int32_t segments = closed ? points : points - 1;
    for (int32_t k = 0; k < segments; ++k) {
        const int32_t next = k + 1 == points ? 0 : k + 1;
        const PitchPoint quad[4] = {outer[k], outer[next], inner[next], inner[k]};
        int32_t top = 0, bottom = 0;
        if (!ScanMarkingPiece(quad, 4, &top, &bottom)) continue;
        ring = {std::min(ring.first, top), std::max(ring.last, bottom)};
        for (int32_t r = top; r <= bottom; ++r) {
            const SoftMarkingRow& row = s_markingRows[r];
            if (row.xEnd < row.xStart || AddRingRun(s_ringRows[r], row.xStart, row.xEnd)) continue;
            // No room: this run is drawn at once, as a piece of its own.
            Soft_DrawMarkingRows(r, r, s_markingRows.data(), s_pitch.linePattern);
        }
    }
    *first = ring.first;
    *last = ring.last;
    return ring.first <= ring.last;
}

const PitchRingRow* Pitch_RingRows() { return s_ringRows.data(); }

void Pitch_BestTriple(const SoftVertex* vertices, int32_t count, int32_t* i, int32_t* j, int32_t* k)
{
    double distance[SOFT_MAX_POLY_VERTICES][SOFT_MAX_POLY_VERTICES];
    for (int32_t a = 0; a < count; ++a) {
        for (int32_t b = 0; b < count; ++b) {
            const double dx = vertices[a].x - vertices[b].x, dy = vertices[a].y - vertices[b].y;
            distance[a][b] = dx * dx + dy * dy;
        }
    }
    double best = -1.0;
    for (int32_t a = 0; a < count; ++a) {
        for (int32_t b = a + 1; b < count; ++b) {
            for (int32_t c = b + 1; c < count; ++c) {
                const double shortest = std::min({distance[a][b], distance[b][c], distance[a][c]});
                if (shortest <= best) continue;
                best = shortest;
                *i = a;
                *j = b;
                *k = c;
            }
        }
    }
}

void Soft_DrawClippedQuad()
{
    const PitchGeometry& g = s_pitch.geometry;
    for (int32_t r = 0; r < s_pitch.viewport.height; ++r)
        s_markingRows[r].depthKey = 0;
    if (s_pitch.grassPlanes == nullptr || !TransformAndClip(g.grass, g.grassU, g.grassV, 4)) return;
    SoftVertex projected[SOFT_MAX_POLY_VERTICES];
    const int32_t n = ProjectCurrentPolygon(projected);
    GrassPlanes planes;
    if (!GrassGradients(projected, n, &planes)) return;
    const RowRange range = ScanEdges(projected, n, s_grassRows.data());
    KeepInsideTheView(s_grassRows.data(), range);
    // Rows without a pixel (the tip of a sliver) would read as a span between swapped ends.
    int32_t runStart = range.first;
    for (int32_t r = range.first; r <= range.last + 1; ++r) {
        if (r <= range.last && FillGrassRow(r, planes)) continue;
        if (r > runStart)
            Soft_DrawGrassRows(runStart, r - 1, s_grassRows.data(), s_pitch.grassPlanes);
        runStart = r + 1;
    }
}

void Soft_DrawPitchMarkings()
{
    const PitchGeometry& g = s_pitch.geometry;
    for (const auto& piece : g.straight)
        DrawMarkingPiece(piece, 4);
    for (const auto& spot : g.spots)
        DrawMarkingPiece(spot, PITCH_SPOT_CORNERS);
}

void Soft_DrawMarkingArcs()
{
    const PitchGeometry& g = s_pitch.geometry;
    for (const auto& piece : g.cornerArcs)
        DrawMarkingPiece(piece, 4);
    DrawRing(g.circleOuter, g.circleInner, PITCH_CIRCLE_POINTS, true, g.circleBounds);
    for (int32_t end = 0; end < 2; ++end)
        DrawRing(g.arcOuter[end], g.arcInner[end], PITCH_ARC_POINTS, false, g.arcBounds[end]);
}

const PitchGeometry& Pitch_Geometry() { return s_pitch.geometry; }

const uint8_t* Pitch_LinePattern() { return s_pitch.linePattern; }

const uint8_t* Pitch_GrassPlanes() { return s_pitch.grassPlanes; }

const SoftMarkingRow* Pitch_MarkingRows() { return s_markingRows.data(); }

const SoftGrassRow* Pitch_GrassRows() { return s_grassRows.data(); }
