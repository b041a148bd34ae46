// vx256/softspan.h: the innermost layer of the 256-colour software view: convex screen polygons
// in 28.4 fixed point walked row by row (flat, textured exact at both ends of each row, textured
// in true perspective every N pixels), the edge and gradient set-up, the span loops and the
// fixed-point helpers the pitch renderer shares.
//
// A pixel (x, r) belongs to a polygon when ceil(yTop) <= r < ceil(yBottom) and
// ceil(xLeft) <= x < ceil(xRight): adjacent polygons share their edges without gaps or double
// pixels. Polygons come wound so that the next index runs down the right-hand side from the top
// vertex; the other winding draws nothing. Callers clip to the view; whatever still falls outside
// the screen record is cut off here, so nothing is ever written outside it. Edges, gradients and
// span state are module-wide: the walkers are not re-entrant.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "viewservices/viewscreen.h"

constexpr int32_t SOFT_MAX_POLY_VERTICES = 10;
// 28.4 units: a vertex beyond +-this (+-1,048,576 pixels) is corrupt and its polygon draws
// nothing, which keeps every edge product inside 64 bits.
constexpr int32_t SOFT_MAX_COORD = 1 << 24;
constexpr int32_t SOFT_SUBDIVISION_ROWS = 10;
constexpr int32_t SOFT_RECIPROCAL_ENTRIES = 65;  // 65536 / n for n = 1..64; entry 0 is 65536
constexpr int32_t SOFT_TEXTURE_HEADER_BYTES = 4;

#pragma pack(push, 1)
struct SoftVertex {
    int32_t x;  // 28.4 screen position
    int32_t y;
    float z;  // view depth, positive
    float u;  // texture column, texels
    float v;  // texture row, texels
};

// The head of a software texture block; width x height texels follow, row after row.
struct SoftTextureHeader {
    int16_t width;  // the row length the span loops step by
    int16_t height;
};
#pragma pack(pop)

static_assert(sizeof(SoftVertex) == 20);
static_assert(offsetof(SoftVertex, u) == 12);
static_assert(std::is_trivially_copyable_v<SoftVertex>);
static_assert(sizeof(SoftTextureHeader) == SOFT_TEXTURE_HEADER_BYTES);

struct SoftEdge {
    int32_t x;  // first covered pixel (left edge) or first uncovered pixel (right edge)
    int32_t xStep;
    int32_t errStep;         // 0 <= errStep < errDenominator
    int32_t errDenominator;  // 16 dy
    int32_t err;             // 0 <= err < errDenominator
    int32_t row;
    int32_t rowsLeft;  // 0 exhausted; negative: the edge runs upwards
    float invZ, invZStep;
    float uOverZ, uOverZStep;
    float vOverZ, vOverZStep;
};

struct SoftGradients {
    float invZ[SOFT_MAX_POLY_VERTICES];
    float uOverZ[SOFT_MAX_POLY_VERTICES];
    float vOverZ[SOFT_MAX_POLY_VERTICES];
    float dInvZdx, dInvZdxN, dInvZdy;
    float dUOverZdx, dUOverZdxN, dUOverZdy;
    float dVOverZdx, dVOverZdxN, dVOverZdy;
    int32_t uBias;  // 16.16 rounding bias of every run: 0x8000, or 0x7FFF where u falls
    int32_t vBias;
};

// Everything to a known state, the tables built; Uninit is safe without Init and twice.
void SoftSpan_Init();
void SoftSpan_Uninit();

// The three walkers; `screen` is the surface drawn into (rows from its pixel pointer and pitch).
// colour4: the palette index in all four bytes. texture: a software texture block. A polygon of
// fewer than 3 or more than SOFT_MAX_POLY_VERTICES vertices draws nothing; texels are read only
// inside the texture, however its vertices' u and v stray.
void Soft_DrawFlatPolygon(const GameScreenRecord& screen, const SoftVertex* vertices, int32_t count,
                          uint32_t colour4);
// Opaque: every texel is written, 0 included.
void Soft_DrawObjectPolygons(const GameScreenRecord& screen, const SoftVertex* vertices,
                             int32_t count, const uint8_t* texture);
// transparent: texel 0 leaves the surface alone.
void Soft_DrawPerspectivePolygons(const GameScreenRecord& screen, const SoftVertex* vertices,
                                  int32_t count, const uint8_t* texture, bool transparent);

// The textured walkers draw with floating point in single precision (24-bit mantissa): the first
// saves the processor's control word (the one found before any switch not yet restored) and sets
// its precision field, the second puts the saved word back, once; without a saved word it does
// nothing. A processor whose control word has no precision field is left as it is, with one line
// in the graphics debug channel.
void Soft_FpuSinglePrecision();
void Soft_FpuRestorePrecision();

// The reciprocal table and the subdivision thresholds (half the listed values), the same however
// often it runs.
void Soft_InitReciprocalTable();
float Soft_Reciprocal(int32_t len);  // 65536 / len, from the table up to 64; len > 0
// N for a polygon whose 1/z changes by dInvZdx per pixel: the first threshold <= |dInvZdx|.
int32_t Soft_SubdivisionFor(float dInvZdx);
// Keeps the coordinate of every pixel of a `len`-pixel run (start + k step, 16.16 with any bias)
// within 0 .. hi: the start is clamped and the step shortened when the last pixel would pass an
// end; runs already inside are left as they are.
inline void Soft_KeepRunInside(int32_t* start, int32_t* step, int32_t len, int32_t hi)
{
    *start = std::clamp(*start, 0, std::max(hi, 0));
    if (len <= 1) return;
    const int64_t last = *start + int64_t{*step} * (len - 1);
    // Truncating the shortened step toward zero keeps the last pixel on the inner side.
    if (last > hi) *step = static_cast<int32_t>((int64_t{hi} - *start) / (len - 1));
    if (last < 0) *step = static_cast<int32_t>(-int64_t{*start} / (len - 1));
}

// The integer edge every drawer shares, from (ax, ay) down to (bx, by) in 28.4; the perspective
// values are zeroed.
void Soft_SetupIntegerEdge(SoftEdge* edge, int32_t ax, int32_t ay, int32_t bx, int32_t by);
void Soft_SetupFlatEdge(SoftEdge* edge, const SoftVertex* vertices, int32_t from, int32_t to);
// Adds 1/z, u/z and v/z with their per-row steps (prestepped to the first row), writes the steps
// into the gradients' per-row fields and recomputes the biases.
void Soft_SetupEdgePerspective(SoftEdge* edge, SoftGradients* gradients, const SoftVertex* vertices,
                               int32_t from, int32_t to);
// An edge's step down one row without the perspective values, all an affine walk reads.
[[gnu::always_inline]] inline void Soft_StepIntegerEdge(SoftEdge* edge)
{
    edge->x += edge->xStep;
    edge->err += edge->errStep;
    if (edge->err >= edge->errDenominator) {
        edge->x += 1;
        edge->err -= edge->errDenominator;
    }
    edge->row += 1;
    edge->rowsLeft -= 1;
}
inline void Soft_StepEdge(SoftEdge* edge)
{
    Soft_StepIntegerEdge(edge);
    edge->invZ += edge->invZStep;
    edge->uOverZ += edge->uOverZStep;
    edge->vOverZ += edge->vOverZStep;
}
// Plane gradients of 1/z, u/z and v/z from vertex 0 and the first two later vertices that span
// an area with it (none: the polygon has no rows), and the biases. invZ, uOverZ and vOverZ must
// be filled for the `count` vertices.
void Soft_ComputeGradients(SoftGradients* gradients, const SoftVertex* vertices, int32_t count);
void Soft_SetSpanSubdivision(int32_t n);

// Span state for the loops below: the row drawn is the left edge's; a null texture keeps the
// previous one. The edges and gradients are read by every span call until the next Begin.
void Soft_BeginSpans(const SoftGradients* gradients, const SoftEdge* left, const SoftEdge* right,
                     const uint8_t* texture, const GameScreenRecord& screen, bool transparent);
void Soft_BeginFlatSpans(const SoftGradients* gradients, const SoftEdge* left,
                         const SoftEdge* right, uint32_t colour4, const GameScreenRecord& screen);
// Each draws the current row from left x (inclusive) to right x (exclusive), cut to the screen,
// then moves to the next row whether or not anything was drawn.
void Soft_SpanFlat();
void Soft_SpanExactEnds();
void Soft_SpanPerspective();  // reads the gradients' per-N-pixel fields for this row

// q = floor(a / b), r = a - q b (0 <= r < b); for b <= 0 false, and q and r untouched.
bool Soft_FloorDivMod(int64_t a, int64_t b, int64_t* q, int64_t* r);
int32_t Soft_CeilFix4(int32_t a);            // ceil(a / 16)
int32_t Soft_MulFix4(int32_t a, int32_t b);  // a b / 16 toward zero; the product in 64 bits
inline float Soft_Fix4ToFloat(int32_t a) { return static_cast<float>(a) * 0.0625f; }
inline float Soft_Fix16ToFloat(int32_t a) { return static_cast<float>(a) / 65536.0f; }
