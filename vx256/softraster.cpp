// vx256/softraster.cpp: translucent, flat and mask polygons, the recoloured rectangle and the
// pitch's row writers.
#include "vx256/softraster.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "engine/convert.h"
#include "menus/menupc.h"
#include "vx256/softspan.h"
#include "vx256/softwalk.h"

namespace {

constexpr uint32_t kCoordMask = (1u << 22) - 1;  // 64 texels with a 16-bit fraction
constexpr uint32_t kStepMask = (1u << 20) - 1;   // below 16 texels a pixel
constexpr int32_t kPatternStartRow = SOFT_PATTERN_ROWS - 1;
constexpr int32_t kFirstThreshold = 100;  // depth keys; the thresholds rise by 20
constexpr int32_t kThresholdStep = 20;

struct RowTarget {
    GameScreenRecord screen;
    int32_t viewHeight;
    int32_t columnOffset;
};

struct RasterEdge {
    SoftEdge edge;
    float a, b;
    float aStep, bStep;
};

struct SoftRasterState {
    RowTarget target;
    RasterEdge left;
    RasterEdge right;
};

SoftRasterState s_raster;

void Soft_SetupEdge(RasterEdge* e, const SoftScreenVertex& from, const SoftScreenVertex& to)
{
    Soft_SetupIntegerEdge(&e->edge, from.x, from.y, to.x, to.y);
    e->a = from.a;
    e->b = from.b;
    e->aStep = e->bStep = 0.0f;
    if (e->edge.rowsLeft <= 0) return;
    e->aStep = (to.a - from.a) / static_cast<float>(e->edge.rowsLeft);
    e->bStep = (to.b - from.b) / static_cast<float>(e->edge.rowsLeft);
}

void StepEdge(RasterEdge* e)
{
    Soft_StepEdge(&e->edge);
    e->a += e->aStep;
    e->b += e->bStep;
}

// Walks a polygon of 28.4 vertices; drawSpan(row, left, right) returns false to end it, as does a
// row whose right x falls below its left x.
template <typename DrawSpan>
void WalkScreenPolygon(const SoftScreenVertex* v, int32_t count, DrawSpan drawSpan)
{
    RasterEdge& left = s_raster.left;
    RasterEdge& right = s_raster.right;
    const auto setupLeft = [&](int32_t from, int32_t to) {
        Soft_SetupEdge(&left, v[from], v[to]);
        return &left.edge;
    };
    const auto setupRight = [&](int32_t from, int32_t to) {
        Soft_SetupEdge(&right, v[from], v[to]);
        return &right.edge;
    };
    Soft_WalkPolygon(v, count, setupLeft, setupRight, [&] {
        if (right.edge.x < left.edge.x || !drawSpan(left.edge.row, left, right)) return false;
        StepEdge(&left);
        StepEdge(&right);
        return true;
    });
}

// Copies up to SOFT_MAX_POLY_VERTICES vertices with x and y snapped to whole pixels (28.4) or
// turned from whole pixels into 28.4; false when the count or a coordinate is out of range.
bool ToFix4(const SoftScreenVertex* in, int32_t count, bool fromWholePixels, SoftScreenVertex* out)
{
    if (in == nullptr || count < 3 || count > SOFT_MAX_POLY_VERTICES) return false;
    const int32_t limit = fromWholePixels ? SOFT_MAX_COORD / 16 : SOFT_MAX_COORD;
    for (int32_t i = 0; i < count; ++i) {
        if (in[i].x < -limit || in[i].x > limit || in[i].y < -limit || in[i].y > limit)
            return false;
        out[i] = in[i];
        out[i].x = fromWholePixels ? in[i].x * 16 : in[i].x & ~15;
        out[i].y = fromWholePixels ? in[i].y * 16 : in[i].y & ~15;
    }
    return true;
}

// The menu-screen polygons: each span cut to the screen in the primitives' coordinates, so that
// a polygon reaching past an edge keeps its rows on the screen.
template <typename DrawMenuSpan>
void WalkMenuPolygon(const SoftScreenVertex* vertices, int32_t count, DrawMenuSpan drawMenuSpan)
{
    SoftScreenVertex v[SOFT_MAX_POLY_VERTICES];
    if (!ToFix4(vertices, count, false, v)) return;
    const int32_t scale = std::max<int32_t>(MenuScreen.scale, 1);
    const int32_t width = MenuScreen.width / scale, height = MenuScreen.height / scale;
    WalkScreenPolygon(v, count, [&](int32_t y, const RasterEdge& l, const RasterEdge& r) {
        if (y >= height) return false;
        const int32_t x0 = std::max(l.edge.x, 0), x1 = std::min(r.edge.x, width);
        if (y >= 0 && x1 > x0) drawMenuSpan(x0, y, x1 - x0);
        return true;
    });
}

void DrawMaskSpan(uint8_t* row, int32_t width, const RasterEdge& l, const RasterEdge& r,
                  const uint8_t* texture, int32_t textureHeight, uint8_t colour)
{
    const int32_t n = r.edge.x - l.edge.x + 1;
    int32_t u = ChopToInt(static_cast<double>(l.a) * 65536.0);
    int32_t v = ChopToInt(static_cast<double>(l.b) * 65536.0);
    int32_t du = ChopToInt(static_cast<double>(r.a - l.a) * 65536.0) / n;
    int32_t dv = ChopToInt(static_cast<double>(r.b - l.b) * 65536.0) / n;
    Soft_KeepRunInside(&u, &du, n, SOFT_MASK_TEXTURE_WIDTH * 65536 - 1);
    Soft_KeepRunInside(&v, &dv, n, textureHeight * 65536 - 1);
    const int32_t first = std::max(0, -l.edge.x), end = std::min(n, width - l.edge.x);
    u += first * du;
    v += first * dv;
    for (int32_t k = first; k < end; ++k) {
        if (texture[(v >> 16) * SOFT_MASK_TEXTURE_WIDTH + (u >> 16)] != 0)
            row[l.edge.x + k] = colour;
        u += du;
        v += dv;
    }
}

// The game screen's row for a row-table row, or null when it lies outside the screen.
uint8_t* TargetRow(int32_t y)
{
    const GameScreenRecord& screen = s_raster.target.screen;
    const int32_t row = y + GAMESCREEN_MARGIN;  // y >= 0: the rows are clamped
    if (row >= screen.height) return nullptr;
    return screen.pixels + static_cast<size_t>(row) * screen.pitch;
}

// The rows a writer draws: first..last clamped to the view; false when there is nothing to draw.
bool ClampRows(int32_t* first, int32_t* last, const void* rows, const uint8_t* texture)
{
    const RowTarget& t = s_raster.target;
    if (t.screen.pixels == nullptr || rows == nullptr || texture == nullptr) return false;
    *first = std::max(*first, 0);
    *last = std::min(*last, t.viewHeight - 1);
    return *first <= *last;
}

struct VisiblePart {
    int32_t column;   // of the first visible pixel
    int32_t skipped;  // pixels cut off at the start
    int32_t count;    // visible pixels
};

// The part of a row of n pixels from table column x that lies on the screen.
VisiblePart Visible(int32_t x, int64_t n)
{
    const RowTarget& t = s_raster.target;
    const int64_t column = int64_t{x} + t.columnOffset;
    const int64_t begin = std::max<int64_t>(column, 0);
    const int64_t end = std::min<int64_t>(column + n, t.screen.width);
    if (end <= begin) return {0, 0, 0};
    return {static_cast<int32_t>(begin), static_cast<int32_t>(begin - column),
            static_cast<int32_t>(end - begin)};
}

// Steps along one grass plane with positive steps. Masking each coordinate to the tile reads the
// same texels as stepping the plane offset with carries and wrapping it every fourth pixel, and
// leaves no chain of carries from one pixel to the next.
void GrassPixels(uint8_t* dst, int32_t count, const uint8_t* plane, uint32_t u, uint32_t v,
                 uint32_t uStep, uint32_t vStep)
{
    constexpr uint32_t kTexelMask = SOFT_GRASS_TILE - 1;
    for (int32_t k = 0; k < count; ++k) {
        dst[k] = plane[(v >> 16 & kTexelMask) * SOFT_GRASS_PLANE_ROW + (u >> 16 & kTexelMask)];
        u += uStep;
        v += vStep;
    }
}

// One coordinate of a grass row made to rise: the mirrored plane's coordinate when it falls.
struct RisingCoordinate {
    uint32_t start;  // 22 bits
    uint32_t step;   // 20 bits
    bool mirrored;
};

RisingCoordinate Rising(int32_t start, int32_t end, int64_t n)
{
    const int64_t change = int64_t{end} - start;
    const bool mirrored = change < 0;
    const uint32_t s = static_cast<uint32_t>(start);
    return {(mirrored ? (SOFT_GRASS_TILE << 16) - 1 - s : s) & kCoordMask,
            static_cast<uint32_t>((mirrored ? -change : change) / n) & kStepMask, mirrored};
}

void DrawGrassRow(int32_t y, SoftGrassRow r, const uint8_t* block)
{
    uint8_t* row = TargetRow(y);
    if (row == nullptr) return;
    if (r.xEnd < r.xStart) {
        std::swap(r.xStart, r.xEnd);
        std::swap(r.uStart, r.uEnd);
        std::swap(r.vStart, r.vEnd);
    }
    const int64_t n = int64_t{r.xEnd} - r.xStart + 1;
    const VisiblePart part = Visible(r.xStart, n);
    if (part.count == 0) return;
    RisingCoordinate u = Rising(r.uStart, r.uEnd, n), v = Rising(r.vStart, r.vEnd, n);
    const uint8_t* plane =
        block + SOFT_GRASS_PLANE_BYTES * (int32_t{u.mirrored} + 2 * int32_t{v.mirrored});
    const uint64_t skipped = static_cast<uint64_t>(part.skipped);
    u.start = static_cast<uint32_t>(u.start + skipped * u.step) & kCoordMask;
    v.start = static_cast<uint32_t>(v.start + skipped * v.step) & kCoordMask;
    GrassPixels(row + part.column, part.count, plane, u.start, v.start, u.step, v.step);
}

// Four bytes at a time from the pattern row, the column wrapping within the row after each
// group; the last group may read into the next row (or the block's 4 spare bytes).
void DrawMarkingRow(int32_t y, const SoftMarkingRow& r, const uint8_t* pattern, int32_t rowA,
                    int32_t rowB)
{
    uint8_t* row = TargetRow(y);
    if (row == nullptr) return;
    const VisiblePart part = Visible(r.xStart, int64_t{r.xEnd} - r.xStart + 1);
    if (part.count == 0) return;
    uint8_t* dst = row + part.column;
    const size_t offset = static_cast<size_t>(dst - s_raster.target.screen.pixels);
    const uint32_t c = dst[0] ^ (offset & 0xFF) ^ (offset >> 8 & 0xFF);
    const uint8_t* src = pattern + ((c & 1) != 0 ? rowA : rowB) * SOFT_PATTERN_ROW_BYTES;
    uint32_t column = c;
    int32_t k = 0;
    for (; k + 4 <= part.count; k += 4) {
        std::memcpy(dst + k, src + column, 4);
        column = (column + 4) & (SOFT_PATTERN_ROW_BYTES - 1);
    }
    std::memcpy(dst + k, src + column, static_cast<size_t>(part.count - k));
}

}  // namespace

void SoftRaster_Init() { s_raster = {}; }

void SoftRaster_Uninit() { s_raster = {}; }

void Soft_DrawPolygonA(const SoftScreenVertex* vertices, int32_t count, int32_t percent)
{
    WalkMenuPolygon(vertices, count, [percent](int32_t x, int32_t y, int32_t width) {
        DoShadedBox(x, y, width, 1, percent);
    });
}

void Soft_DrawPolygonB(const SoftScreenVertex* vertices, int32_t count)
{
    WalkMenuPolygon(vertices, count,
                    [](int32_t x, int32_t y, int32_t width) { DrawHLine(x, y, width, 1); });
}

void Soft_DrawPolygonC(const SoftScreenVertex* vertices, int32_t count, const uint8_t* texture,
                       int32_t textureHeight, uint8_t colour)
{
    const GameScreenRecord screen = GetGameScreen();
    SoftScreenVertex v[SOFT_MAX_POLY_VERTICES];
    if (screen.pixels == nullptr || texture == nullptr || textureHeight <= 0
        || !ToFix4(vertices, count, true, v))
        return;
    WalkScreenPolygon(v, count, [&](int32_t y, const RasterEdge& l, const RasterEdge& r) {
        if (y >= screen.height) return false;
        if (y >= 0) {
            uint8_t* row = screen.pixels + static_cast<size_t>(y) * screen.pitch;
            DrawMaskSpan(row, screen.width, l, r, texture, textureHeight, colour);
        }
        return true;
    });
}

void Soft_RemapRect(int32_t x, int32_t y, int32_t width, int32_t height, const uint8_t* table)
{
    const GameScreenRecord screen = GetGameScreen();
    if (screen.pixels == nullptr || table == nullptr) return;
    const int32_t x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int32_t x1 = static_cast<int32_t>(std::min<int64_t>(int64_t{x} + width, screen.width));
    const int32_t y1 = static_cast<int32_t>(std::min<int64_t>(int64_t{y} + height, screen.height));
    for (int32_t row = y0; row < y1; ++row) {
        uint8_t* p = screen.pixels + static_cast<size_t>(row) * screen.pitch;
        for (int32_t column = x0; column < x1; ++column)
            p[column] = table[p[column]];
    }
}

void Soft_SetRowTarget(const GameScreenRecord& screen, int32_t viewHeight, int32_t columnOffset)
{
    s_raster.target = {screen, viewHeight, columnOffset};
}

void Soft_DrawGrassRows(int32_t first, int32_t last, const SoftGrassRow* rows,
                        const uint8_t* grassBlock)
{
    if (!ClampRows(&first, &last, rows, grassBlock)) return;
    for (int32_t y = first; y <= last; ++y)
        DrawGrassRow(y, rows[y], grassBlock);
}

void Soft_DrawMarkingRows(int32_t first, int32_t last, const SoftMarkingRow* rows,
                          const uint8_t* pattern)
{
    if (!ClampRows(&first, &last, rows, pattern)) return;
    // Each threshold passed moves one pattern row toward row 0, the first when the two are level,
    // so that the two rows never differ by more than one.
    int32_t passed = 0, rowA = kPatternStartRow, rowB = kPatternStartRow;
    for (int32_t y = first; y <= last; ++y) {
        const SoftMarkingRow& r = rows[y];
        if (r.xEnd < r.xStart) continue;
        while (passed < SOFT_DEPTH_THRESHOLDS
               && r.depthKey > kFirstThreshold + kThresholdStep * passed) {
            ++passed;
            if (rowA == rowB) {
                --rowA;
            } else {
                --rowB;
            }
        }
        DrawMarkingRow(y, r, pattern, rowA, rowB);
    }
}
