// vx256/softspan.cpp: polygon walkers, edge and gradient set-up and span loops of the software
// view.
#include "vx256/softspan.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if __has_include(<fpu_control.h>)
#include <fpu_control.h>
#endif

#include "engine/debug.h"
#include "engine/fatal.h"
#include "vx256/softwalk.h"

namespace {

constexpr int32_t kFix16Limit = 1 << 30;  // 16.16 values are kept within +-16384 texels

// |dInvZdx| thresholds as listed, tried in order; the table keeps half of each.
constexpr float kListedThresholds[SOFT_SUBDIVISION_ROWS] = {
    0.0009f,      0.000003f,    0.0000006f,   0.00000035f, 0.000000117f,
    0.000000076f, 0.000000048f, 0.000000031f, 0.00000002f, 0.0f};
constexpr int32_t kSubdivisionLengths[SOFT_SUBDIVISION_ROWS] = {8,  16, 24,  32,  48,
                                                                64, 96, 128, 176, 256};

struct SpanState {
    const SoftGradients* gradients;
    const SoftEdge* left;
    const SoftEdge* right;
    const uint8_t* texels;  // null until a texture is given
    int32_t textureWidth;
    int32_t textureHeight;
    bool transparent;
    uint8_t colour;
    GameScreenRecord screen;
    int32_t row;  // the row the next span call draws
    int32_t n;    // subdivision length
    float fix16PerN;
};

// Edges up to this height in 28.4 units (64 rows) take their reciprocals from tables: a small
// face's edges paid more for their divisions than for their rows.
constexpr int32_t kTabledEdgeHeight = 1024;

struct SoftSpanState {
    SoftEdge left;
    SoftEdge right;
    SoftGradients gradients;
    SpanState span;
    float reciprocal[SOFT_RECIPROCAL_ENTRIES];
    float thresholds[SOFT_SUBDIVISION_ROWS];
    float perRow[kTabledEdgeHeight + 1];        // 16 / dy, as the set-up divides
    double edgeInverse[kTabledEdgeHeight + 1];  // 1 / (16 dy)
    uint32_t savedFpuControl;
    bool fpuControlSaved;  // until the restore: a second switch keeps the first word found
    bool noPrecisionControlLogged;
};

constexpr SoftSpanState FreshState()
{
    SoftSpanState state{};
    state.reciprocal[0] = 65536.0f;
    for (int32_t n = 1; n < SOFT_RECIPROCAL_ENTRIES; ++n)
        state.reciprocal[n] = 65536.0f / static_cast<float>(n);
    for (int32_t dy = 1; dy <= kTabledEdgeHeight; ++dy) {
        state.perRow[dy] = 16.0f / static_cast<float>(dy);
        state.edgeInverse[dy] = 1.0 / (16.0 * dy);
    }
    for (int32_t i = 0; i < SOFT_SUBDIVISION_ROWS; ++i)
        state.thresholds[i] = kListedThresholds[i] * 0.5f;
    state.span.n = kSubdivisionLengths[0];
    state.span.fix16PerN = 65536.0f / static_cast<float>(state.span.n);
    return state;
}

// Usable before any Init: the tables are built at compile time.
constinit SoftSpanState s_soft = FreshState();

// A 16.16 value from a float already scaled by 65536, rounded to nearest as the machine rounds;
// out of range and NaN are pinned, so that corrupt vertices cannot overflow the run arithmetic.
int32_t RoundFix16(float scaled)
{
    constexpr float kLimit = kFix16Limit;
    scaled = scaled > -kLimit ? scaled : -kLimit;
    scaled = scaled < kLimit ? scaled : kLimit;
    // Adding and removing 1.5 x 2^52 in double leaves the nearest whole number without a branch
    // or a call to lrintf.
    constexpr double kRounder = 6755399441055744.0;
    return static_cast<int32_t>((static_cast<double>(scaled) + kRounder) - kRounder);
}

// The sign of the texel coordinate f's change at vertex 0 (q is 1/z) picks the bias that rounds
// to nearest; the change down the rows decides only where there is none across.
int32_t Bias(float q0, float f0, float dFdx, float dQdx, float dFdy, float dQdy)
{
    const float xChange = dFdx * q0 - f0 * dQdx;
    if (xChange > 0.0f) return 0x8000;
    if (xChange < 0.0f) return 0x7FFF;
    return dFdy * q0 - f0 * dQdy >= 0.0f ? 0x8000 : 0x7FFF;
}

void ComputeBiases(SoftGradients* g)
{
    const float q0 = g->invZ[0];
    g->uBias = Bias(q0, g->uOverZ[0], g->dUOverZdx, g->dInvZdx, g->dUOverZdy, g->dInvZdy);
    g->vBias = Bias(q0, g->vOverZ[0], g->dVOverZdx, g->dInvZdx, g->dVOverZdy, g->dInvZdy);
}

// The first pair (i, j) after vertex 0 whose triangle with it has an area, as the set-up's
// truncated 28.4 products see it; false when there is none.
[[gnu::always_inline]] inline bool FindAreaTriple(const SoftVertex* v, int32_t count, int32_t* i,
                                                  int32_t* j, int64_t* area)
{
    for (*i = 1; *i < count; ++*i) {
        for (*j = *i + 1; *j < count; ++*j) {
            const int64_t x0 = v[0].x, y0 = v[0].y, x1 = v[*i].x, y1 = v[*i].y;
            const int64_t x2 = v[*j].x, y2 = v[*j].y;
            *area = (x1 - x2) * (y0 - y2) / 16 - (y1 - y2) * (x0 - x2) / 16;
            if (*area != 0) return true;
        }
    }
    return false;
}

// The screen triangle a plane's gradients are taken over: vertex 0 and the first area triple.
struct PlaneSpan {
    int32_t i, j;
    float k;  // 1 / area
    float x02, x12, y02, y12;

    // The change of a value across and down the screen from its values at vertices 0, i and j.
    void Gradient(float f0, float fi, float fj, float* dx, float* dy) const
    {
        *dx = ((fi - fj) * y02 - (f0 - fj) * y12) * k;
        *dy = ((fi - fj) * x02 - (f0 - fj) * x12) * -k;
    }
    void Gradient(const float* f, float* dx, float* dy) const
    {
        Gradient(f[0], f[i], f[j], dx, dy);
    }
};

[[gnu::always_inline]] inline bool PlaneSpanOf(const SoftVertex* v, int32_t count, PlaneSpan* span)
{
    int64_t area = 0;
    if (!FindAreaTriple(v, count, &span->i, &span->j, &area)) return false;
    const int32_t i = span->i, j = span->j;
    span->k = 1.0f / (static_cast<float>(area) * 0.0625f);
    span->x02 = Soft_Fix4ToFloat(v[0].x - v[j].x);
    span->x12 = Soft_Fix4ToFloat(v[i].x - v[j].x);
    span->y02 = Soft_Fix4ToFloat(v[0].y - v[j].y);
    span->y12 = Soft_Fix4ToFloat(v[i].y - v[j].y);
    return true;
}

struct TexelPoint {
    float u;
    float v;
};

[[gnu::always_inline]] inline TexelPoint Project(float invZ, float uOverZ, float vOverZ)
{
    const float z = 1.0f / invZ;
    return {uOverZ * z, vOverZ * z};
}

struct Run {
    int32_t u, v;  // 16.16, the bias included
    int32_t du, dv;
};

[[gnu::always_inline]] inline Run MakeRun(TexelPoint start, TexelPoint end, float fix16PerPixel)
{
    const SoftGradients& g = *s_soft.span.gradients;
    return {RoundFix16(start.u * 65536.0f) + g.uBias, RoundFix16(start.v * 65536.0f) + g.vBias,
            RoundFix16((end.u - start.u) * fix16PerPixel),
            RoundFix16((end.v - start.v) * fix16PerPixel)};
}

bool HasTexture()
{
    const SpanState& s = s_soft.span;
    return s.texels != nullptr && s.textureWidth > 0 && s.textureHeight > 0;
}

// The current row's pixels, or null when the row lies outside the screen.
uint8_t* CurrentRow()
{
    const SpanState& s = s_soft.span;
    if (s.screen.pixels == nullptr || s.row < 0 || s.row >= s.screen.height) return nullptr;
    return s.screen.pixels + static_cast<size_t>(s.row) * s.screen.pitch;
}

// What a run reads and where it is cut: the span state's texture and screen width, or a walker's
// own copy held where the row's byte stores cannot be taken to overwrite it.
struct RunTarget {
    const uint8_t* texels;
    int32_t textureWidth;
    int32_t textureHeight;
    int32_t screenWidth;
    bool transparent;
};

RunTarget SpanTarget()
{
    const SpanState& s = s_soft.span;
    return {s.texels, s.textureWidth, s.textureHeight, s.screen.width, s.transparent};
}

// `len` pixels from column x of `row`, cut to the screen, every texel read inside the texture.
[[gnu::always_inline]] inline void DrawRunTo(const RunTarget& s, uint8_t* row, int32_t x,
                                             int32_t len, Run run)
{
    const int32_t w = s.textureWidth;
    Soft_KeepRunInside(&run.u, &run.du, len, w * 65536 - 1);
    Soft_KeepRunInside(&run.v, &run.dv, len, s.textureHeight * 65536 - 1);
    const int32_t first = std::max(0, -x);
    const int32_t end = static_cast<int32_t>(std::min<int64_t>(len, int64_t{s.screenWidth} - x));
    if (first >= end) return;
    int32_t u = run.u + first * run.du, v = run.v + first * run.dv;
    uint8_t* dst = row + x;
    const uint8_t* texels = s.texels;
    if (s.transparent) {
        for (int32_t k = first; k < end; ++k) {
            const uint8_t texel = texels[(v >> 16) * w + (u >> 16)];
            if (texel != 0) dst[k] = texel;
            u += run.du;
            v += run.dv;
        }
    } else {
        for (int32_t k = first; k < end; ++k) {
            dst[k] = texels[(v >> 16) * w + (u >> 16)];
            u += run.du;
            v += run.dv;
        }
    }
}

[[gnu::always_inline]] inline void DrawRun(uint8_t* row, int32_t x, int32_t len, Run run)
{
    DrawRunTo(SpanTarget(), row, x, len, run);
}

TexelPoint EdgePoint(const SoftEdge& e) { return Project(e.invZ, e.uOverZ, e.vOverZ); }

[[gnu::always_inline]] inline void DrawExactEnds(uint8_t* row, int32_t len)
{
    const SpanState& s = s_soft.span;
    const TexelPoint start = EdgePoint(*s.left);
    // A one-pixel run never reads its step, so its right end needs no division.
    const TexelPoint end = len == 1 ? start : EdgePoint(*s.right);
    DrawRun(row, s.left->x, len, MakeRun(start, end, Soft_Reciprocal(len)));
}

// Whole runs of N pixels with exact ends, then the rest as one run ending on the right edge's own
// values. Runs wholly left of the screen are skipped in one step, runs right of it not drawn.
void DrawSegments(uint8_t* row, int32_t len)
{
    const SpanState& s = s_soft.span;
    const SoftGradients& g = *s.gradients;
    const int32_t segments = len / s.n, rest = len % s.n;
    float q = s.left->invZ, sz = s.left->uOverZ, tz = s.left->vOverZ;
    int32_t x = s.left->x, i = 0;
    if (x < 0) {
        i = std::min(-x / s.n, segments);
        q += static_cast<float>(i) * g.dInvZdxN;
        sz += static_cast<float>(i) * g.dUOverZdxN;
        tz += static_cast<float>(i) * g.dVOverZdxN;
        x += i * s.n;
    }
    TexelPoint start = Project(q, sz, tz);
    for (; i < segments && x < s.screen.width; ++i) {
        q += g.dInvZdxN;
        sz += g.dUOverZdxN;
        tz += g.dVOverZdxN;
        const TexelPoint end = Project(q, sz, tz);
        DrawRun(row, x, s.n, MakeRun(start, end, s.fix16PerN));
        start = end;
        x += s.n;
    }
    if (rest > 0 && x < s.screen.width)
        DrawRun(row, x, rest, MakeRun(start, EdgePoint(*s.right), Soft_Reciprocal(rest)));
}

bool ValidCount(int32_t count) { return count >= 3 && count <= SOFT_MAX_POLY_VERTICES; }

struct ScreenBounds {
    int32_t left, right, top, bottom;  // 28.4
};

ScreenBounds BoundsOf(const SoftVertex* v, int32_t count)
{
    ScreenBounds b = {v[0].x, v[0].x, v[0].y, v[0].y};
    for (int32_t i = 1; i < count; ++i) {
        b.left = std::min(b.left, v[i].x);
        b.right = std::max(b.right, v[i].x);
        b.top = std::min(b.top, v[i].y);
        b.bottom = std::max(b.bottom, v[i].y);
    }
    return b;
}

// Whether the polygon can cover a pixel at all: a model's many small faces often fall between two
// rows or two columns, and skipping them saves their gradient and edge set-up. Each row's span
// runs from the ceiling of its left edge's x to that of its right edge's, both within the corners'
// x, so without a column between the corners' ceilings no row has a pixel.
bool CoversAPixel(const ScreenBounds& b)
{
    return Soft_CeilFix4(b.bottom) > Soft_CeilFix4(b.top)
           && Soft_CeilFix4(b.right) > Soft_CeilFix4(b.left);
}

void FillGradientArrays(const SoftVertex* v, int32_t count)
{
    SoftGradients& g = s_soft.gradients;
    for (int32_t i = 0; i < count; ++i) {
        g.invZ[i] = 1.0f / v[i].z;
        g.uOverZ[i] = v[i].u * g.invZ[i];
        g.vOverZ[i] = v[i].v * g.invZ[i];
    }
}

[[gnu::always_inline]] inline void StepBothEdges()
{
    Soft_StepEdge(&s_soft.left);
    Soft_StepEdge(&s_soft.right);
}

// Whether texels may follow the screen linearly: the depth changes so little across the polygon
// that the perspective would move no texel by more than about a quarter of a pixel (that shift
// is at most a quarter of the polygon's extent times its relative change in depth). A distant
// person's small faces all qualify, and skip every division of the perspective walk.
bool FlatInDepth(const SoftVertex* v, int32_t count, const ScreenBounds& b)
{
    float nearest = v[0].z, farthest = v[0].z;
    for (int32_t i = 1; i < count; ++i) {
        nearest = std::min(nearest, v[i].z);
        farthest = std::max(farthest, v[i].z);
    }
    const int64_t wide = int64_t{b.right} - b.left, high = int64_t{b.bottom} - b.top;
    const float extent = static_cast<float>(std::max(wide, high)) * 0.0625f;  // from 28.4
    return nearest > 0.0f && (farthest - nearest) * extent <= nearest;
}

// The integer edge from (ax, ay) down to (bx, by), inlined into the walkers that keep their edges
// to themselves.
[[gnu::always_inline]] inline void SetupIntegerEdge(SoftEdge* edge, int32_t ax, int32_t ay,
                                                    int32_t bx, int32_t by)
{
    *edge = {};
    edge->row = Soft_CeilFix4(ay);
    edge->rowsLeft = Soft_CeilFix4(by) - edge->row;
    if (edge->rowsLeft == 0) return;
    const int64_t dx = int64_t{bx} - ax, dy = int64_t{by} - ay, d = 16 * dy;
    edge->errDenominator = static_cast<int32_t>(d);
    if (d <= 0) return;  // an edge running upwards ends the polygon
    // Both quotients from one reciprocal: the two divisions were the dearest part of setting up
    // a small face's edge. Each numerator is below 2^50 in size, so the estimate is off by less
    // than one before truncation and the remainder's correction makes it exact.
    const double inverse =
        dy <= kTabledEdgeHeight ? s_soft.edgeInverse[dy] : 1.0 / static_cast<double>(d);
    const auto floorDivide = [d, inverse](int64_t a, int32_t* quotient, int32_t* remainder) {
        int64_t q = static_cast<int64_t>(static_cast<double>(a) * inverse);
        int64_t r = a - q * d;
        while (r < 0) {
            --q;
            r += d;
        }
        while (r >= d) {
            ++q;
            r -= d;
        }
        *quotient = static_cast<int32_t>(q);
        *remainder = static_cast<int32_t>(r);
    };
    floorDivide(dx * (16 * int64_t{edge->row} - ay) + dy * ax + d - 1, &edge->x, &edge->err);
    floorDivide(16 * dx, &edge->xStep, &edge->errStep);
}

// A given texture becomes the span state's; a null one keeps the one before.
void KeepTexture(const uint8_t* texture)
{
    if (texture == nullptr) return;
    SpanState& s = s_soft.span;
    SoftTextureHeader head;
    std::memcpy(&head, texture, sizeof head);
    s.texels = texture + SOFT_TEXTURE_HEADER_BYTES;
    s.textureWidth = head.width;
    s.textureHeight = head.height;
}

// A texel coordinate's plane over the screen in 16.16: its value at pixel (0, 0) and its steps
// across and down, bias included.
struct AffinePlane {
    int64_t origin;
    int32_t dx;
    int64_t dy;

    int64_t Exact(int32_t x, int32_t row) const { return origin + int64_t{dx} * x + dy * row; }
    int32_t At(int32_t x, int32_t row, int32_t hi) const
    {
        return static_cast<int32_t>(std::clamp<int64_t>(Exact(x, row), 0, hi));
    }
    // Whether the plane stays within 0 .. hi over a box of pixels: being linear in whole numbers,
    // it is lowest and highest at the box's corners.
    bool InsideOver(const ScreenBounds& pixels, int32_t hi) const
    {
        const int64_t across[2] = {int64_t{dx} * pixels.left, int64_t{dx} * pixels.right};
        const int64_t down[2] = {dy * pixels.top, dy * pixels.bottom};
        return origin + std::min(across[0], across[1]) + std::min(down[0], down[1]) >= 0
               && origin + std::max(across[0], across[1]) + std::max(down[0], down[1]) <= hi;
    }
};

// The pixels a polygon can cover, from its corners' 28.4 bounds: every row's span lies within
// them (see CoversAPixel), last column and row included.
ScreenBounds PixelBox(const ScreenBounds& b)
{
    return {Soft_CeilFix4(b.left), Soft_CeilFix4(b.right) - 1, Soft_CeilFix4(b.top),
            Soft_CeilFix4(b.bottom) - 1};
}

bool OnScreen(const ScreenBounds& pixels, const GameScreenRecord& screen)
{
    return pixels.left >= 0 && pixels.right < screen.width && pixels.top >= 0
           && pixels.bottom < screen.height;
}

// The plane of texel coordinate f rounded to nearest as the perspective runs round, or flat at
// vertex 0's value when the polygon has no area.
[[gnu::always_inline]] inline AffinePlane PlaneOf(const SoftVertex* v, const PlaneSpan* span,
                                                  float SoftVertex::*f)
{
    const float f0 = v[0].*f;
    float dFdx = 0.0f, dFdy = 0.0f;
    if (span != nullptr) span->Gradient(f0, v[span->i].*f, v[span->j].*f, &dFdx, &dFdy);
    const int32_t bias = Bias(1.0f, f0, dFdx, 0.0f, dFdy, 0.0f);
    const float origin = f0 - dFdx * Soft_Fix4ToFloat(v[0].x) - dFdy * Soft_Fix4ToFloat(v[0].y);
    return {int64_t{RoundFix16(origin * 65536.0f)} + bias, RoundFix16(dFdx * 65536.0f),
            RoundFix16(dFdy * 65536.0f)};
}

// The opaque textured walk with u and v linear on the screen: their planes once per polygon,
// integer edges, and each row's run read off the planes at its first pixel. The edges and the
// texture are the walk's own: kept in the module, every byte stored to a row was taken to
// overwrite them, and a small face paid for reloading them more than for its pixels. A polygon
// whose pixels are all on the screen and whose texels all lie inside the texture draws its rows
// without cutting them, as the cut would leave them.
void DrawAffinePolygon(const GameScreenRecord& screen, const SoftVertex* v, int32_t count,
                       const uint8_t* texture, const ScreenBounds& bounds)
{
    PlaneSpan span;
    const bool hasArea = PlaneSpanOf(v, count, &span);
    const AffinePlane u = PlaneOf(v, hasArea ? &span : nullptr, &SoftVertex::u);
    const AffinePlane t = PlaneOf(v, hasArea ? &span : nullptr, &SoftVertex::v);
    SoftEdge left, right;
    const auto setupLeft = [&](int32_t from, int32_t to) __attribute__((always_inline))
    {
        SetupIntegerEdge(&left, v[from].x, v[from].y, v[to].x, v[to].y);
        return &left;
    };
    const auto setupRight = [&](int32_t from, int32_t to) __attribute__((always_inline))
    {
        SetupIntegerEdge(&right, v[from].x, v[from].y, v[to].x, v[to].y);
        return &right;
    };
    bool begun = false, drawing = false, uncut = false;
    RunTarget target{};
    int32_t uHi = 0, vHi = 0;
    Soft_WalkPolygon(v, count, setupLeft, setupRight, [&] {
        if (left.row >= screen.height) return false;
        if (!begun) {
            KeepTexture(texture);
            target = SpanTarget();
            target.screenWidth = screen.width;
            target.transparent = false;
            drawing = screen.pixels != nullptr && HasTexture();
            uHi = target.textureWidth * 65536 - 1;
            vHi = target.textureHeight * 65536 - 1;
            const ScreenBounds pixels = PixelBox(bounds);
            uncut = drawing && OnScreen(pixels, screen) && u.InsideOver(pixels, uHi)
                    && t.InsideOver(pixels, vHi);
            begun = true;
        }
        const int32_t len = right.x - left.x;
        if (uncut) {
            auto uAt = static_cast<int32_t>(u.Exact(left.x, left.row));
            auto vAt = static_cast<int32_t>(t.Exact(left.x, left.row));
            uint8_t* dst = screen.pixels + static_cast<size_t>(left.row) * screen.pitch + left.x;
            for (int32_t k = 0; k < len; ++k) {
                dst[k] = target.texels[(vAt >> 16) * target.textureWidth + (uAt >> 16)];
                uAt += u.dx;
                vAt += t.dx;
            }
        } else if (drawing && len > 0 && left.row >= 0) {
            const Run run = {u.At(left.x, left.row, uHi), t.At(left.x, left.row, vHi), u.dx, t.dx};
            DrawRunTo(target, screen.pixels + static_cast<size_t>(left.row) * screen.pitch, left.x,
                      len, run);
        }
        Soft_StepIntegerEdge(&left);
        Soft_StepIntegerEdge(&right);
        return true;
    });
}

// The textured walk: gradients, both perspective edges, and one span call per row.
template <typename DrawRow>
void WalkTextured(const SoftVertex* v, int32_t count, DrawRow drawRow)
{
    SoftEdge& left = s_soft.left;
    SoftEdge& right = s_soft.right;
    SoftGradients& g = s_soft.gradients;
    const auto setupLeft = [&](int32_t from, int32_t to) {
        Soft_SetupEdgePerspective(&left, &g, v, from, to);
        return &left;
    };
    const auto setupRight = [&](int32_t from, int32_t to) {
        Soft_SetupEdgePerspective(&right, &g, v, from, to);
        return &right;
    };
    Soft_WalkPolygon(v, count, setupLeft, setupRight, drawRow);
}

}  // namespace

void SoftSpan_Init() { s_soft = FreshState(); }

void SoftSpan_Uninit() { s_soft = FreshState(); }

void Soft_InitReciprocalTable()
{
    const SoftSpanState fresh = FreshState();
    std::memcpy(s_soft.reciprocal, fresh.reciprocal, sizeof s_soft.reciprocal);
    std::memcpy(s_soft.thresholds, fresh.thresholds, sizeof s_soft.thresholds);
}

float Soft_Reciprocal(int32_t len)
{
    if (len < SOFT_RECIPROCAL_ENTRIES) return s_soft.reciprocal[len];
    return 65536.0f / static_cast<float>(len);
}

int32_t Soft_SubdivisionFor(float dInvZdx)
{
    const float magnitude = std::fabs(dInvZdx);
    for (int32_t i = 0; i < SOFT_SUBDIVISION_ROWS; ++i) {
        if (s_soft.thresholds[i] <= magnitude) return kSubdivisionLengths[i];
    }
    return kSubdivisionLengths[SOFT_SUBDIVISION_ROWS - 1];  // NaN
}

void Soft_SetupIntegerEdge(SoftEdge* edge, int32_t ax, int32_t ay, int32_t bx, int32_t by)
{
    SetupIntegerEdge(edge, ax, ay, bx, by);
}

void Soft_SetupFlatEdge(SoftEdge* edge, const SoftVertex* vertices, int32_t from, int32_t to)
{
    Soft_SetupIntegerEdge(edge, vertices[from].x, vertices[from].y, vertices[to].x, vertices[to].y);
}

void Soft_SetupEdgePerspective(SoftEdge* edge, SoftGradients* gradients, const SoftVertex* vertices,
                               int32_t from, int32_t to)
{
    const SoftVertex& a = vertices[from];
    const SoftVertex& b = vertices[to];
    Soft_SetupIntegerEdge(edge, a.x, a.y, b.x, b.y);
    if (edge->rowsLeft <= 0) return;
    const int32_t dy = b.y - a.y;
    const float perRow =
        dy <= kTabledEdgeHeight ? s_soft.perRow[dy] : 16.0f / static_cast<float>(dy);
    const float prestep = Soft_Fix4ToFloat(16 * edge->row - a.y);
    SoftGradients& g = *gradients;
    edge->invZStep = (g.invZ[to] - g.invZ[from]) * perRow;
    edge->uOverZStep = (g.uOverZ[to] - g.uOverZ[from]) * perRow;
    edge->vOverZStep = (g.vOverZ[to] - g.vOverZ[from]) * perRow;
    edge->invZ = g.invZ[from] + prestep * edge->invZStep;
    edge->uOverZ = g.uOverZ[from] + prestep * edge->uOverZStep;
    edge->vOverZ = g.vOverZ[from] + prestep * edge->vOverZStep;
    g.dInvZdy = edge->invZStep;
    g.dUOverZdy = edge->uOverZStep;
    g.dVOverZdy = edge->vOverZStep;
    ComputeBiases(&g);
}

void Soft_ComputeGradients(SoftGradients* gradients, const SoftVertex* v, int32_t count)
{
    SoftGradients& g = *gradients;
    PlaneSpan span;
    if (!PlaneSpanOf(v, count, &span)) {
        g.dInvZdx = g.dInvZdxN = g.dInvZdy = 0.0f;
        g.dUOverZdx = g.dUOverZdxN = g.dUOverZdy = 0.0f;
        g.dVOverZdx = g.dVOverZdxN = g.dVOverZdy = 0.0f;
        ComputeBiases(&g);
        return;
    }
    const float n = static_cast<float>(s_soft.span.n);
    span.Gradient(g.invZ, &g.dInvZdx, &g.dInvZdy);
    span.Gradient(g.uOverZ, &g.dUOverZdx, &g.dUOverZdy);
    span.Gradient(g.vOverZ, &g.dVOverZdx, &g.dVOverZdy);
    g.dInvZdxN = g.dInvZdx * n;
    g.dUOverZdxN = g.dUOverZdx * n;
    g.dVOverZdxN = g.dVOverZdx * n;
    ComputeBiases(&g);
}

void Soft_SetSpanSubdivision(int32_t n)
{
    if (n < 1) FatalError("Soft_SetSpanSubdivision(): bad length %d", n);
    s_soft.span.n = n;
    s_soft.span.fix16PerN = 65536.0f / static_cast<float>(n);
}

void Soft_BeginSpans(const SoftGradients* gradients, const SoftEdge* left, const SoftEdge* right,
                     const uint8_t* texture, const GameScreenRecord& screen, bool transparent)
{
    SpanState& s = s_soft.span;
    s.gradients = gradients;
    s.left = left;
    s.right = right;
    KeepTexture(texture);
    s.transparent = transparent;
    s.screen = screen;
    s.row = left->row;
}

void Soft_BeginFlatSpans(const SoftGradients* gradients, const SoftEdge* left,
                         const SoftEdge* right, uint32_t colour4, const GameScreenRecord& screen)
{
    SpanState& s = s_soft.span;
    s.gradients = gradients;
    s.left = left;
    s.right = right;
    s.colour = static_cast<uint8_t>(colour4);
    s.screen = screen;
    s.row = left->row;
}

void Soft_SpanFlat()
{
    SpanState& s = s_soft.span;
    uint8_t* row = CurrentRow();
    const int32_t x0 = std::max(s.left->x, 0), x1 = std::min(s.right->x, s.screen.width);
    // Byte stores of the replicated colour: the compiler widens them as far as the row allows.
    if (row != nullptr && x1 > x0) std::memset(row + x0, s.colour, static_cast<size_t>(x1 - x0));
    ++s.row;
}

void Soft_SpanExactEnds()
{
    SpanState& s = s_soft.span;
    uint8_t* row = CurrentRow();
    const int32_t len = s.right->x - s.left->x;
    if (row != nullptr && len > 0 && HasTexture()) DrawExactEnds(row, len);
    ++s.row;
}

void Soft_SpanPerspective()
{
    SpanState& s = s_soft.span;
    uint8_t* row = CurrentRow();
    const int32_t len = s.right->x - s.left->x;
    if (row != nullptr && len > 0 && HasTexture()) {
        if (len <= s.n) {
            DrawExactEnds(row, len);
        } else {
            DrawSegments(row, len);
        }
    }
    ++s.row;
}

void Soft_DrawFlatPolygon(const GameScreenRecord& screen, const SoftVertex* vertices, int32_t count,
                          uint32_t colour4)
{
    SoftEdge& left = s_soft.left;
    SoftEdge& right = s_soft.right;
    const auto setupLeft = [&](int32_t from, int32_t to) {
        Soft_SetupFlatEdge(&left, vertices, from, to);
        return &left;
    };
    const auto setupRight = [&](int32_t from, int32_t to) {
        Soft_SetupFlatEdge(&right, vertices, from, to);
        return &right;
    };
    bool begun = false;
    Soft_WalkPolygon(vertices, count, setupLeft, setupRight, [&] {
        if (left.row >= screen.height || left.x > right.x) return false;
        if (!begun) Soft_BeginFlatSpans(&s_soft.gradients, &left, &right, colour4, screen);
        begun = true;
        Soft_SpanFlat();
        StepBothEdges();
        return true;
    });
}

#if defined(_FPU_EXTENDED) && defined(_FPU_SINGLE) && defined(_FPU_GETCW) && defined(_FPU_SETCW)
// The x87 control word: its precision field is the extended-precision mask.
void Soft_FpuSinglePrecision()
{
    fpu_control_t word = 0;
    _FPU_GETCW(word);
    if (!s_soft.fpuControlSaved) s_soft.savedFpuControl = word;
    s_soft.fpuControlSaved = true;
    word = static_cast<fpu_control_t>((word & ~_FPU_EXTENDED) | _FPU_SINGLE);
    _FPU_SETCW(word);
}

// Without a saved word there is nothing to put back: a word of 0 would unmask every exception.
void Soft_FpuRestorePrecision()
{
    if (!s_soft.fpuControlSaved) return;
    s_soft.fpuControlSaved = false;
    fpu_control_t word = static_cast<fpu_control_t>(s_soft.savedFpuControl);
    _FPU_SETCW(word);
}
#else
void Soft_FpuSinglePrecision()
{
    if (s_soft.noPrecisionControlLogged) return;
    s_soft.noPrecisionControlLogged = true;
    DebugPrintf(DBG_GRAPHICS, 10,
                "Soft_FpuSinglePrecision(): this processor has no precision control - "
                "precision left as it is\n");
}

void Soft_FpuRestorePrecision() {}
#endif

void Soft_DrawObjectPolygons(const GameScreenRecord& screen, const SoftVertex* vertices,
                             int32_t count, const uint8_t* texture)
{
    if (vertices == nullptr || !ValidCount(count)) return;
    const ScreenBounds bounds = BoundsOf(vertices, count);
    if (!CoversAPixel(bounds)) return;
    if (FlatInDepth(vertices, count, bounds)) {
        DrawAffinePolygon(screen, vertices, count, texture, bounds);
        return;
    }
    FillGradientArrays(vertices, count);
    Soft_ComputeGradients(&s_soft.gradients, vertices, count);
    // Soft_SpanExactEnds row by row, with what cannot change inside a polygon checked once: a
    // person's many small faces spend more on their rows' calls than on their pixels.
    const SoftEdge& left = s_soft.left;
    const SoftEdge& right = s_soft.right;
    bool begun = false, drawing = false;
    WalkTextured(vertices, count, [&] {
        if (left.row >= screen.height) return false;
        if (!begun) {
            Soft_BeginSpans(&s_soft.gradients, &left, &right, texture, screen, false);
            Soft_FpuSinglePrecision();
            drawing = screen.pixels != nullptr && HasTexture();
            begun = true;
        }
        const int32_t len = right.x - left.x;
        if (drawing && len > 0 && left.row >= 0)
            DrawExactEnds(screen.pixels + static_cast<size_t>(left.row) * screen.pitch, len);
        StepBothEdges();
        return true;
    });
    if (begun) Soft_FpuRestorePrecision();
}

void Soft_DrawPerspectivePolygons(const GameScreenRecord& screen, const SoftVertex* vertices,
                                  int32_t count, const uint8_t* texture, bool transparent)
{
    if (vertices == nullptr || !ValidCount(count)) return;
    FillGradientArrays(vertices, count);
    SoftGradients& g = s_soft.gradients;
    Soft_ComputeGradients(&g, vertices, count);
    Soft_SetSpanSubdivision(Soft_SubdivisionFor(g.dInvZdx));
    const SoftEdge& left = s_soft.left;
    const SoftEdge& right = s_soft.right;
    bool begun = false;
    WalkTextured(vertices, count, [&] {
        if (left.row >= screen.height) return false;
        if (!begun) {
            Soft_BeginSpans(&g, &left, &right, texture, screen, transparent);
            Soft_FpuSinglePrecision();
            begun = true;
        }
        const int32_t len = right.x - left.x;
        if (len > 0 && left.row >= 0) {  // the division only for rows that draw
            const float k = 1.0f / static_cast<float>(len);
            const float n = static_cast<float>(s_soft.span.n);
            g.dInvZdx = (right.invZ - left.invZ) * k;
            g.dUOverZdx = (right.uOverZ - left.uOverZ) * k;
            g.dVOverZdx = (right.vOverZ - left.vOverZ) * k;
            g.dInvZdxN = g.dInvZdx * n;
            g.dUOverZdxN = g.dUOverZdx * n;
            g.dVOverZdxN = g.dVOverZdx * n;
        }
        Soft_SpanPerspective();
        StepBothEdges();
        return true;
    });
    if (begun) Soft_FpuRestorePrecision();
}

bool Soft_FloorDivMod(int64_t a, int64_t b, int64_t* q, int64_t* r)
{
    if (b <= 0) return false;
    // Screen-sized edges fit 32 bits, whose division is several times cheaper.
    const bool narrow = a >= INT32_MIN && a <= INT32_MAX && b <= INT32_MAX;
    int64_t quotient = narrow ? static_cast<int32_t>(a) / static_cast<int32_t>(b) : a / b;
    int64_t remainder = a - quotient * b;
    if (remainder < 0) {
        quotient -= 1;
        remainder += b;
    }
    *q = quotient;
    *r = remainder;
    return true;
}

int32_t Soft_CeilFix4(int32_t a) { return static_cast<int32_t>((int64_t{a} + 15) >> 4); }

int32_t Soft_MulFix4(int32_t a, int32_t b) { return static_cast<int32_t>(int64_t{a} * b / 16); }
