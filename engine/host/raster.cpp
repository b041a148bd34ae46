// engine/host/raster.cpp: the 3D device's rasterisation and pixel pipeline: triangles in 28.4
// fixed point with the top-left rule, lines and points, then per pixel texturing, fog, the
// stencil and z tests, blending and the writes.
#include "engine/host/raster.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include <emmintrin.h>

#include "engine/host/texture.h"

namespace {

constexpr int32_t kSubPixels = 16;  // 28.4 fixed point
constexpr int32_t kRunLength = 16;  // pixels per level-of-detail choice and texture division
// Corners beyond this many pixels from the origin are pulled in, so that the edge products stay
// far inside 64 bits; such triangles are scissored to the viewport anyway.
constexpr float kMaxCoordinate = 1 << 20;
constexpr int32_t kFixedBits = 16;  // colour, depth and fog step along a row in 16.16
constexpr int64_t kFixedHalf = int64_t{1} << (kFixedBits - 1);
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;  // what stage 0 reads without a texture

// One pixel's attributes, in the integers the pixel pipeline works with.
struct Pixel {
    uint32_t depth;    // the depth integer
    Channels diffuse;  // 0-255 each
    uint32_t u, v;     // fractions of the texture in 0.32 fixed point
    uint32_t fog;      // the weight of the pixel's own colour against the fog colour, 0-256
};

// Where a pixel goes: column x of its target row and of the z-buffer's rows (null without a
// z-buffer).
struct Cursor {
    uint8_t* targetRow;
    uint32_t* depthRow;
    uint8_t* stencilRow;
    ptrdiff_t x;
};

Cursor CursorAt(const RasterState& s, int32_t x, int32_t y)
{
    Cursor c{s.colour + static_cast<ptrdiff_t>(y) * s.pitch, nullptr, nullptr, x};
    if (s.depth.depth) {
        const size_t row = static_cast<size_t>(y) * static_cast<size_t>(s.depth.width);
        c.depthRow = s.depth.depth + row;
        c.stencilRow = s.depth.stencil + row;
    }
    return c;
}

// How the target stores a pixel.
struct Layout {
    int32_t bytes;      // 2 or 4
    uint32_t shift[3];  // red, green, blue
    uint32_t bits[3];
    bool operator==(const Layout&) const = default;
};

constexpr Layout kLayout555 = {2, {10, 5, 0}, {5, 5, 5}};
constexpr Layout kLayout565 = {2, {11, 5, 0}, {5, 6, 5}};
constexpr Layout kLayout8888 = {4, {16, 8, 0}, {8, 8, 8}};

constexpr uint32_t kFilterPerRun = 0xFF;  // the magnifying and minifying filters differ

// The choices a draw call's states make in the pixel pipeline. The general span routine reads
// them from the state; each specialised one has them as constants, so that the compiler drops the
// branches it never takes while every operation stays as it is: both give the same pixels.
// Choices that cannot matter are zero, so that one specialised routine serves them all.
struct Features {
    bool general;  // the general routine: every choice below comes from the state
    Layout target;
    bool textured;
    uint32_t filter;  // kFilterPerRun, or the one filter of every run
    bool mipBlend;    // a linear mip filter blends two levels
    bool zTest;
    bool zWrite;
    uint32_t zFunc;
    bool stencil;
    bool blend;
    uint32_t sourceBlend;
    uint32_t destBlend;
    bool fog;
    uint32_t colourOp, colourArg1, colourArg2;
    uint32_t alphaOp, alphaArg1, alphaArg2;
    bool operator==(const Features&) const = default;
};

Features FeaturesOf(const RasterState& s)
{
    Features f{};
    f.target = {
        s.bytesPerPixel, {s.shift[0], s.shift[1], s.shift[2]}, {s.bits[0], s.bits[1], s.bits[2]}};
    f.textured = s.texture.levelCount > 0;
    if (f.textured) {
        f.filter = s.magFilter == s.minFilter ? s.magFilter : kFilterPerRun;
        f.mipBlend = s.mipFilter == HOST_FILTER_LINEAR;
    }
    f.zTest = s.zTest;
    f.zWrite = s.zWrite;
    f.zFunc = s.zTest ? s.zFunc : 0;
    f.stencil = s.stencil;
    f.blend = s.blend;
    if (f.blend) {
        f.sourceBlend = s.sourceBlend;
        f.destBlend = s.destBlend;
    }
    f.fog = s.fog;
    f.colourOp = s.colourOp;
    f.colourArg1 = s.colourArg1;
    f.colourArg2 = s.colourArg2;
    f.alphaOp = s.alphaOp;
    f.alphaArg1 = s.alphaArg1;
    f.alphaArg2 = s.alphaArg2;
    return f;
}

[[gnu::always_inline]] inline bool Compare(uint32_t func, uint32_t value, uint32_t stored)
{
    switch (func) {
        case HOST_CMP_NEVER: return false;
        case HOST_CMP_LESS: return value < stored;
        case HOST_CMP_EQUAL: return value == stored;
        case HOST_CMP_LESS_EQUAL: return value <= stored;
        case HOST_CMP_GREATER: return value > stored;
        case HOST_CMP_NOT_EQUAL: return value != stored;
        case HOST_CMP_GREATER_EQUAL: return value >= stored;
        default: return true;
    }
}

uint32_t StencilOperation(const RasterState& s, uint32_t op, uint32_t stored)
{
    switch (op) {
        case HOST_STENCIL_ZERO: return 0;
        case HOST_STENCIL_REPLACE: return s.stencilRef & s.stencilMax;
        case HOST_STENCIL_INCREMENT: return std::min(stored + 1, s.stencilMax);
        case HOST_STENCIL_DECREMENT: return stored > 0 ? stored - 1 : 0;
        case HOST_STENCIL_INVERT: return ~stored & s.stencilMax;
        default: return stored;
    }
}

[[gnu::always_inline]] inline uint32_t Channel(uint32_t argb, int32_t shift)
{
    return (argb >> shift) & 0xFF;
}

// `colour`'s blue, green and red with `alpha`'s alpha.
[[gnu::always_inline]] inline Channels WithAlphaOf(Channels colour, Channels alpha)
{
    const Channels alphaLane = _mm_setr_epi16(0, 0, 0, -1, 0, 0, 0, 0);
    return _mm_or_si128(_mm_andnot_si128(alphaLane, colour), _mm_and_si128(alphaLane, alpha));
}

// a b / 255 rounded, for a and b in 0-255, without a division: with t = a b + 128 (below 2^16),
// (t + t / 256) / 256 is t x 257 / 65536, which is exact for every such product.
[[gnu::always_inline]] inline Channels Modulate(Channels a, Channels b)
{
    const Channels t = _mm_add_epi16(_mm_mullo_epi16(a, b), _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

[[gnu::always_inline]] inline Channels Argument(uint32_t arg, Channels texture, Channels diffuse)
{
    return arg == HOST_TA_TEXTURE ? texture : diffuse;
}

// One stage-0 operation on the texture and the diffuse colour.
[[gnu::always_inline]] inline Channels Combine(uint32_t op, uint32_t arg1, uint32_t arg2,
                                               Channels texture, Channels diffuse)
{
    const Channels first = Argument(arg1, texture, diffuse);
    const Channels second = Argument(arg2, texture, diffuse);
    switch (op) {
        case HOST_TOP_SELECT_ARG1: return first;
        case HOST_TOP_SELECT_ARG2: return second;
        case HOST_TOP_MODULATE: return Modulate(first, second);
        default: return diffuse;
    }
}

constexpr bool ModulatesTextureByDiffuse(const Features& f)
{
    const auto both = [](uint32_t op, uint32_t arg1, uint32_t arg2) {
        return op == HOST_TOP_MODULATE
               && ((arg1 == HOST_TA_TEXTURE && arg2 == HOST_TA_DIFFUSE)
                   || (arg1 == HOST_TA_DIFFUSE && arg2 == HOST_TA_TEXTURE));
    };
    return both(f.colourOp, f.colourArg1, f.colourArg2)
           && both(f.alphaOp, f.alphaArg1, f.alphaArg2);
}

inline bool OpaqueWhite(Channels c)
{
    const Channels lanes = _mm_setr_epi16(255, 255, 255, 255, 0, 0, 0, 0);
    return _mm_movemask_epi8(_mm_cmpeq_epi16(c, lanes)) == 0xFFFF;
}

// Stage 0: the colour operation on blue, green and red, the alpha operation on alpha.
[[gnu::always_inline]] inline Channels Stage(const Features& f, Channels texture, Channels diffuse)
{
    const Channels colour = Combine(f.colourOp, f.colourArg1, f.colourArg2, texture, diffuse);
    if (f.alphaOp == f.colourOp && f.alphaArg1 == f.colourArg1 && f.alphaArg2 == f.colourArg2)
        return colour;
    return WithAlphaOf(colour, Combine(f.alphaOp, f.alphaArg1, f.alphaArg2, texture, diffuse));
}

// The colour weighted `fog` (0-256) against the fog colour, rounded; alpha as it is. Each sum
// stays within 255 x 256 + 128, so the 16-bit lanes never overflow.
[[gnu::always_inline]] inline Channels Fogged(const RasterState& s, Channels c, uint32_t fog)
{
    const auto weight = static_cast<int16_t>(fog);
    const Channels fogColour =
        _mm_setr_epi16(static_cast<int16_t>(s.fogRgb[2]), static_cast<int16_t>(s.fogRgb[1]),
                       static_cast<int16_t>(s.fogRgb[0]), 0, 0, 0, 0, 0);
    const Channels sum = _mm_add_epi16(
        _mm_add_epi16(_mm_mullo_epi16(c, _mm_set1_epi16(weight)),
                      _mm_mullo_epi16(fogColour, _mm_set1_epi16(static_cast<int16_t>(256 - fog)))),
        _mm_set1_epi16(128));
    return WithAlphaOf(_mm_srli_epi16(sum, 8), c);
}

[[gnu::always_inline]] inline uint32_t BlendFactor(uint32_t factor, uint32_t alpha)
{
    switch (factor) {
        case HOST_BLEND_ZERO: return 0;
        case HOST_BLEND_SOURCE_ALPHA: return alpha;
        case HOST_BLEND_INVERSE_SOURCE_ALPHA: return 255 - alpha;
        default: return 255;
    }
}

float FogFactor(const RasterState& s, float w)
{
    if (s.fogEnd == s.fogStart) return w <= s.fogStart ? 1.0f : 0.0f;
    const float f = (s.fogEnd - w) / (s.fogEnd - s.fogStart);
    return f > 0.0f ? std::min(f, 1.0f) : 0.0f;
}

// Widens by repeating the value's bits, as every conversion in the host does.
[[gnu::always_inline]] inline uint32_t Widen(uint32_t value, uint32_t bits)
{
    if (bits >= 8) return value >> (bits - 8);
    const uint32_t top = value << (8 - bits);
    uint32_t result = top;
    // Copies shifted 8 or more places are 0: with the target's bits known, the loop unrolls.
    for (uint32_t shift = bits; shift < 8; shift += bits) {
        result |= top >> shift;
    }
    return result;
}

// Fixed-size copies, so that no pixel goes through a library call.
[[gnu::always_inline]] inline uint32_t LoadPixel(const uint8_t* p, int32_t bytes)
{
    if (bytes == 2) {
        uint16_t value;
        std::memcpy(&value, p, 2);
        return value;
    }
    uint32_t value;
    std::memcpy(&value, p, 4);
    return value;
}

[[gnu::always_inline]] inline void StorePixel(uint8_t* p, int32_t bytes, uint32_t value)
{
    if (bytes == 2) {
        const auto narrow = static_cast<uint16_t>(value);
        std::memcpy(p, &narrow, 2);
    } else {
        std::memcpy(p, &value, 4);
    }
}

[[gnu::always_inline]] inline uint32_t ReadTarget(const Layout& layout, const uint8_t* p,
                                                  int32_t channel)
{
    const uint32_t raw = LoadPixel(p, layout.bytes);
    const uint32_t bits = layout.bits[channel];
    return Widen((raw >> layout.shift[channel]) & ((1u << bits) - 1), bits);
}

[[gnu::always_inline]] inline uint32_t RawOf(const Layout& layout, const uint32_t rgb[3])
{
    uint32_t raw = 0;
    // The per-channel loops are unrolled: at -O2 the compiler keeps them as loops otherwise.
#pragma GCC unroll 3
    for (int32_t c = 0; c < 3; ++c) {
        raw |= (rgb[c] >> (8 - layout.bits[c])) << layout.shift[c];
    }
    return raw;
}

// The same from the channels' lanes. On a 16-bit target each field fits a 16-bit lane: the high
// half of a product with 2^(8 + bits) keeps a channel's top bits, and one multiply-add puts them
// in place.
[[gnu::always_inline]] inline uint32_t RawOf(const Layout& layout, Channels c)
{
    if (layout.bytes == 4) {
        const uint32_t argb = ArgbOf(c);
        const uint32_t rgb[3] = {Channel(argb, 16), Channel(argb, 8), Channel(argb, 0)};
        return RawOf(layout, rgb);
    }
    const auto power = [](uint32_t n) { return static_cast<int16_t>(1 << n); };
    const Channels top =
        _mm_mulhi_epu16(c, _mm_setr_epi16(power(8 + layout.bits[2]), power(8 + layout.bits[1]),
                                          power(8 + layout.bits[0]), 0, 0, 0, 0, 0));
    const __m128i placed =
        _mm_madd_epi16(top, _mm_setr_epi16(power(layout.shift[2]), power(layout.shift[1]),
                                           power(layout.shift[0]), 0, 0, 0, 0, 0));
    return static_cast<uint32_t>(
        _mm_cvtsi128_si32(_mm_add_epi32(placed, _mm_shuffle_epi32(placed, 1))));
}

// The stencil and z tests with their writes; true when the colour is to be written.
[[gnu::always_inline]] inline bool DepthAndStencil(const RasterState& s, const Features& f,
                                                   const Cursor& at, uint32_t value)
{
    if (f.stencil) {
        uint32_t& depth = at.depthRow[at.x];
        uint8_t& stored = at.stencilRow[at.x];
        const bool stencilPass =
            Compare(s.stencilFunc, s.stencilRef & s.stencilMask, stored & s.stencilMask);
        const bool zPass = !f.zTest || Compare(f.zFunc, value, depth);
        const uint32_t op = !stencilPass ? s.stencilFail : !zPass ? s.stencilZFail : s.stencilPass;
        const uint32_t result = StencilOperation(s, op, stored);
        stored = static_cast<uint8_t>((stored & ~s.stencilWriteMask)
                                      | (result & s.stencilWriteMask & s.stencilMax));
        if (!stencilPass || !zPass) return false;
    } else if (f.zTest && !Compare(f.zFunc, value, at.depthRow[at.x])) {
        return false;
    }
    if (f.zWrite) at.depthRow[at.x] = value;
    return true;
}

// The target's pixel as channels, each widened as ReadTarget widens it. On a 16-bit target a
// multiply puts each field at the top of its lane; the shift and the mask keep it as the top bits
// of 8, and the field shifted down by its width fills the bits below (every 16-bit target's
// fields have 5 or 6 bits, so one copy fills them).
[[gnu::always_inline]] inline Channels TargetChannels(const Layout& layout, const uint8_t* p)
{
    const uint32_t raw = LoadPixel(p, layout.bytes);
    if (layout.bytes == 4) return ChannelsOf(raw);
    const auto lanes = [&layout](auto value) {
        return _mm_setr_epi16(value(2), value(1), value(0), 0, 0, 0, 0, 0);
    };
    const auto toTop = [&layout](int32_t c) {
        return static_cast<int16_t>(1u << (16 - layout.shift[c] - layout.bits[c]));
    };
    const auto mask = [&layout](int32_t c) {
        return static_cast<int16_t>((0xFFu << (8 - layout.bits[c])) & 0xFF);
    };
    const auto copyDown = [&layout](int32_t c) {
        return static_cast<int16_t>(1u << (16 - layout.bits[c]));
    };
    const Channels top = _mm_mullo_epi16(_mm_set1_epi16(static_cast<int16_t>(raw)), lanes(toTop));
    const Channels high = _mm_and_si128(_mm_srli_epi16(top, 8), lanes(mask));
    return _mm_or_si128(high, _mm_mulhi_epu16(high, lanes(copyDown)));
}

// The colour over the target with the source alpha and its inverse: the same sums and roundings
// as the scalar blend, in lanes. With factors summing to 255 a sum stays within 255 x 255 + 127,
// where (x + 1 + x / 256) / 256 is x / 255 exactly, and never passes 255.
[[gnu::always_inline]] inline Channels AlphaBlended(Channels colour, Channels target)
{
    const Channels alpha = _mm_shufflelo_epi16(colour, _MM_SHUFFLE(3, 3, 3, 3));
    const Channels inverse = _mm_sub_epi16(_mm_set1_epi16(255), alpha);
    const Channels sum = _mm_add_epi16(
        _mm_add_epi16(_mm_mullo_epi16(colour, alpha), _mm_mullo_epi16(target, inverse)),
        _mm_set1_epi16(127));
    return _mm_srli_epi16(
        _mm_add_epi16(_mm_add_epi16(sum, _mm_set1_epi16(1)), _mm_srli_epi16(sum, 8)), 8);
}

// `blendInLanes`: a specialised routine blending with the source alpha and its inverse, which
// takes AlphaBlended; the general routine keeps the scalar blend the lanes are checked against.
// `texelAlone`: a specialised routine modulating the texture by an opaque white diffuse colour,
// where the stage gives the texel itself (a x 255 / 255 rounds to a).
[[gnu::always_inline]] inline void ShadePixel(const RasterState& s, const Features& f,
                                              const TextureLevels& levels, const Cursor& at,
                                              const Pixel& p, bool blendInLanes = false,
                                              bool texelAlone = false)
{
    if ((f.zTest || f.stencil) && !DepthAndStencil(s, f, at, p.depth)) return;

    const uint32_t filter = f.filter == kFilterPerRun ? levels.filter : f.filter;
    const Channels texel =
        f.textured ? TextureSample(levels, filter, f.mipBlend, p.u, p.v) : ChannelsOf(kOpaqueWhite);
    Channels colour = texelAlone ? texel : Stage(f, texel, p.diffuse);
    if (f.fog) colour = Fogged(s, colour, p.fog);
    uint8_t* const target = at.targetRow + at.x * f.target.bytes;
    if (!f.blend) {
        StorePixel(target, f.target.bytes, RawOf(f.target, colour));
        return;
    }
    if (blendInLanes) {
        StorePixel(target, f.target.bytes,
                   RawOf(f.target, AlphaBlended(colour, TargetChannels(f.target, target))));
        return;
    }
    const uint32_t argb = ArgbOf(colour);
    const uint32_t alpha = Channel(argb, 24);
    const uint32_t fs = BlendFactor(f.sourceBlend, alpha);
    const uint32_t fd = BlendFactor(f.destBlend, alpha);
    uint32_t rgb[3];
#pragma GCC unroll 3
    for (int32_t c = 0; c < 3; ++c) {
        rgb[c] = std::min(
            (Channel(argb, 16 - 8 * c) * fs + ReadTarget(f.target, target, c) * fd + 127) / 255,
            255u);
    }
    StorePixel(target, f.target.bytes, RawOf(f.target, rgb));
}

// A span routine that lays texels as they stand, untested, unblended and unfogged, in a 16-bit
// target: with an opaque white diffuse colour (TexelAlone) the pixel is the texel in the target's
// layout, which RasterPrepare packs once for the texture's versions. Only the ground is drawn so:
// the many small textures that models test against the z-buffer would be packed every frame.
constexpr bool StoresTexelsAsTheyStand(const Features& f)
{
    return !f.general && f.target.bytes == 2 && f.textured && f.filter == HOST_FILTER_POINT
           && !f.mipBlend && !f.zTest && !f.stencil && !f.blend && !f.fog
           && ModulatesTextureByDiffuse(f);
}

[[gnu::always_inline]] inline void CopyPackedTexel(const TextureLevels& levels, const Cursor& at,
                                                   const Pixel& p)
{
    StorePixel(at.targetRow + at.x * 2, 2,
               levels.packed[texture_detail::PointIndex(levels.near, p.u, p.v)]);
}

// An attribute as a plane over the screen: its value at a point and its slopes.
struct Plane {
    float at0;  // at the first corner
    float dx;
    float dy;
};

struct Setup {
    float x0, y0;              // the first corner, in pixels
    float area;                // twice the signed area, in pixels
    float ex1, ey1, ex2, ey2;  // the corners relative to the first
};

Plane MakePlane(const Setup& t, float a0, float a1, float a2)
{
    const float d1 = a1 - a0, d2 = a2 - a0;
    return {a0, (d1 * t.ey2 - d2 * t.ey1) / t.area, (d2 * t.ex1 - d1 * t.ex2) / t.area};
}

enum PlaneIndex { P_Z, P_Q, P_U, P_V, P_R, P_G, P_B, P_A, P_COUNT };

// Depth or a colour channel along the rows, as far as it can be worked out once a triangle.
struct RowGradient {
    int32_t plane;
    float limit;    // values are clamped to 0-limit
    double scale;   // then scaled to the integer the pipeline works with
    int64_t step;   // the slope along x, scaled, in 16.16 fixed point
    double top;     // the largest fixed-point value whose integer stays within the range
    bool constant;  // the same everywhere (flat shading, equal corners): `value`
    int64_t value;
};

enum GradientIndex { G_Z, G_R, G_G, G_B, G_A, G_COUNT };

// An attribute stepped along a row in 16.16 fixed point; the pixel's integer is value >> 16.
struct Stepped {
    int64_t value;
    int64_t step;
};

// The four colour channels stepped in 16.16 fixed point in 32-bit lanes, blue first. Over a row
// of two or more pixels a step keeps every value within 0-2^24 (see AlongRow), so it fits 32
// bits; a single pixel's step is never used.
struct SteppedChannels {
    __m128i value;
    __m128i step;

    SteppedChannels() : value(_mm_setzero_si128()), step(_mm_setzero_si128()) {}

    SteppedChannels(const Stepped& r, const Stepped& g, const Stepped& b, const Stepped& a)
        : value(_mm_setr_epi32(Low(b.value), Low(g.value), Low(r.value), Low(a.value))),
          step(_mm_setr_epi32(Low(b.step), Low(g.step), Low(r.step), Low(a.step)))
    {
    }

    [[gnu::always_inline]] Channels Next()
    {
        const __m128i whole = _mm_srli_epi32(value, kFixedBits);
        value = _mm_add_epi32(value, step);
        return _mm_packs_epi32(whole, _mm_setzero_si128());
    }

private:
    static int32_t Low(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }
};

struct Triangle {
    Setup setup;
    Plane planes[P_COUNT];
    RowGradient gradients[G_COUNT];
    // The depth, q, u q and v q planes side by side, so that a run's end evaluates them at once,
    // each lane as At does.
    __m128 at0, dx, dy;
    bool constantColour;     // every colour channel is constant: `colour`, with steps of 0
    SteppedChannels colour;  // then the same on every row
    // The texture levels of every run, unless `levelsPerRun` says that each run chooses its own;
    // then `choice` is where the first run's search of the draw call's table starts.
    TextureLevels levels;
    bool levelsPerRun;
    int32_t choice;
};

struct Edge {
    int64_t dx, dy;
    int64_t ax, ay;
    int64_t threshold;  // inside when the edge function exceeds it: -1 keeps pixels on the edge
};

int64_t FloorDiv(int64_t a, int64_t b)  // b > 0
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// An edge's bound on the columns of successive rows. With E(i) = e0 + step i the edge function
// at column i of a row, the pixels inside are those with E(i) > threshold, bounded by
// floor(N / D) for N = threshold - e0 and D = |step|. N changes by the same amount from row to
// row, so the quotient and remainder are carried along and no row divides.
class EdgeWalk {
public:
    EdgeWalk(const Edge& e, int64_t firstRow)
    {
        // E(i) = dx (py - ay) - dy (16 i + 8 - ax) at the row's centre py (28.4).
        const int64_t py = firstRow * kSubPixels + kSubPixels / 2;
        const int64_t e0 = e.dx * (py - e.ay) - e.dy * (kSubPixels / 2 - e.ax);
        m_step = -kSubPixels * e.dy;
        m_divisor = m_step != 0 ? std::abs(m_step) : 1;
        const int64_t n = e.threshold - e0;
        m_quotient = FloorDiv(n, m_divisor);
        m_remainder = n - m_quotient * m_divisor;
        const int64_t rowChange = -kSubPixels * e.dx;
        m_rowQuotient = FloorDiv(rowChange, m_divisor);
        m_rowRemainder = rowChange - m_rowQuotient * m_divisor;
    }

    // Narrows [first, last] to the pixels of the current row inside the edge.
    void Clip(int64_t* first, int64_t* last) const
    {
        if (m_step > 0) {
            *first = std::max(*first, m_quotient + 1);  // i > N / step
        } else if (m_step < 0) {
            *last = std::min(*last, -m_quotient - 1);  // i < -N / |step|
        } else if (m_quotient >= 0) {
            *last = *first - 1;  // horizontal: the whole row is outside
        }
    }

    void NextRow()
    {
        m_quotient += m_rowQuotient;
        m_remainder += m_rowRemainder;
        if (m_remainder >= m_divisor) {
            m_remainder -= m_divisor;
            ++m_quotient;
        }
    }

private:
    int64_t m_step;
    int64_t m_divisor;
    int64_t m_quotient, m_remainder;
    int64_t m_rowQuotient, m_rowRemainder;
};

// Rounded half away from zero, as llround does, without the library call: the float plus a half
// is exact in a double.
int64_t Snap(float value)
{
    const double fixed = std::clamp(value, -kMaxCoordinate, kMaxCoordinate) * kSubPixels;
    return static_cast<int64_t>(fixed + std::copysign(0.5, fixed));
}

// A value in 16.16 fixed point, rounded towards zero; bounded, NaN 0.
int64_t ToFixed(double value)
{
    constexpr double kLimit = 0x1p40;
    if (std::isnan(value)) return 0;
    return static_cast<int64_t>(std::clamp(value, -kLimit, kLimit) * (1 << kFixedBits));
}

// A value clamped to 0-limit (NaN: 0), scaled, in 16.16 fixed point with the half added that
// rounds its integer part, value >> 16.
int64_t Rounded(float value, float limit, double scale)
{
    return ToFixed(std::min(std::max(0.0f, value), limit) * scale) + kFixedHalf;
}

RowGradient MakeGradient(const Plane& plane, int32_t index, float limit, double scale)
{
    RowGradient g{index, limit, scale, 0, 0, plane.dx == 0 && plane.dy == 0, 0};
    if (g.constant) {  // the step and the top are never read
        g.value = Rounded(plane.at0, limit, scale);
        return g;
    }
    g.step = ToFixed(plane.dx * scale);
    g.top = (std::floor(limit * scale) + 1) * (1 << kFixedBits) - 1;
    return g;
}

// Row y's centre relative to the first corner, where the planes are evaluated.
float RowCentre(const Triangle& t, int32_t y) { return static_cast<float>(y) + 0.5f - t.setup.y0; }

// The planes' value at the centre of pixel (x, row) where `py` is the row's centre.
float At(const Triangle& t, int32_t k, int32_t x, float py)
{
    const float px = static_cast<float>(x) + 0.5f - t.setup.x0;
    return t.planes[k].at0 + t.planes[k].dx * px + t.planes[k].dy * py;
}

// Colour and depth along a row from `first` to `last`: from the first pixel's value by the
// plane's slope; when that would leave 0-limit before the last pixel, the step is narrowed to
// land on the last pixel's clamped value instead, so that no pixel needs a clamp of its own.
[[gnu::always_inline]] inline Stepped AlongRow(const Triangle& t, const RowGradient& g, float py,
                                               int32_t first, int32_t last)
{
    if (g.constant) return {g.value, 0};
    Stepped r{Rounded(At(t, g.plane, first, py), g.limit, g.scale), g.step};
    const int32_t count = last - first + 1;
    const double end =
        static_cast<double>(r.value) + static_cast<double>(r.step) * static_cast<double>(count - 1);
    if (end < 0 || end > g.top) {
        const int64_t to = Rounded(At(t, g.plane, last, py), g.limit, g.scale);
        r.step = count > 1 ? (to - r.value) / (count - 1) : 0;
    }
    return r;
}

// A texture coordinate as a fraction of the texture in 0.32 fixed point (the integer part drops
// out as the fraction wraps); beyond 2^30 or not a number: 0.
uint32_t Fraction(float t)
{
    if (!(std::fabs(t) < 0x1p30f)) return 0;
    return static_cast<uint32_t>(static_cast<int64_t>(static_cast<double>(t) * 0x1p32));
}

// The step of a fraction a pixel from `from` to `to` over `steps` pixels (1-16), wrapping.
uint32_t FractionStep(float from, float to, int32_t steps)
{
    static constexpr double kInverse[kRunLength + 1] = {
        0,      1,       1 / 2.,  1 / 3.,  1 / 4.,  1 / 5.,  1 / 6.,  1 / 7., 1 / 8.,
        1 / 9., 1 / 10., 1 / 11., 1 / 12., 1 / 13., 1 / 14., 1 / 15., 1 / 16.};
    const double step =
        (static_cast<double>(to) - static_cast<double>(from)) * 0x1p32 * kInverse[steps];
    if (!(std::fabs(step) < 0x1p62)) return 0;
    return static_cast<uint32_t>(static_cast<int64_t>(step));
}

// What is taken exactly at the ends of each run: the perspective-correct texture coordinates
// and the fog weight, which steps linearly within the run.
struct RunEnd {
    float q, uq, vq;  // the planes' values: 1/w, and u and v times it when perspective is on
    float u, v;
    int64_t fog;  // 0-256 in 16.16
};

// The texel-to-pixel ratio where the planes hold q (1/w), and u and v times it: the largest of
// the derivatives of u = U / Q and v = V / Q along x and y, in level-0 texels a pixel.
[[gnu::always_inline]] inline float TexelRatio(const RasterState& s, const Triangle& t, float q,
                                               float uq, float vq)
{
    if (!s.perspective) q = 1.0f;
    const float inverseQ2 = 1.0f / (q * q);
    const float values[P_COUNT] = {0, 0, uq, vq};
    const auto slope = [&](int32_t k, bool alongX) {
        const float dk = alongX ? t.planes[k].dx : t.planes[k].dy;
        const float dq = s.perspective ? (alongX ? t.planes[P_Q].dx : t.planes[P_Q].dy) : 0.0f;
        return std::fabs((dk * q - values[k] * dq) * inverseQ2);
    };
    const auto texW = static_cast<float>(s.texture.levels[0].width);
    const auto texH = static_cast<float>(s.texture.levels[0].height);
    return std::max({slope(P_U, true) * texW, slope(P_U, false) * texW, slope(P_V, true) * texH,
                     slope(P_V, false) * texH});
}

// The levels a triangle's runs sample with, and the table's choice that gave them; carried from
// run to run and row to row.
struct LevelChoice {
    TextureLevels levels;
    int32_t choice;
};

// `TexelAlone`: every pixel's diffuse colour is opaque white, by which the stage modulates the
// texture (see ShadePixel).
template <Features F, bool TexelAlone>
[[gnu::always_inline]] inline void DrawSpan(const RasterState& s, int32_t y, int32_t first,
                                            int32_t last, const Triangle& t, LevelChoice* chosen)
{
    const Features f = F.general ? FeaturesOf(s) : F;
    const float py = RowCentre(t, y);
    const auto along = [&](int32_t g) { return AlongRow(t, t.gradients[g], py, first, last); };
    Stepped z{};
    if (f.zTest || f.stencil) z = along(G_Z);
    SteppedChannels colour = t.constantColour
                                 ? t.colour
                                 : SteppedChannels(along(G_R), along(G_G), along(G_B), along(G_A));
    const __m128 rowTerm = _mm_mul_ps(t.dy, _mm_set1_ps(py));
    const auto runEnd = [&](int32_t x) {
        const float px = static_cast<float>(x) + 0.5f - t.setup.x0;
        float planes[4];
        _mm_storeu_ps(planes,
                      _mm_add_ps(_mm_add_ps(t.at0, _mm_mul_ps(t.dx, _mm_set1_ps(px))), rowTerm));
        RunEnd e{planes[P_Q], planes[P_U], planes[P_V], 0, 0, 0};
        // One division a run: the eye distance is 1 / rhw, and u and v are divided by rhw.
        const float inverse = e.q != 0.0f ? 1.0f / e.q : 0.0f;
        e.u = s.perspective ? e.uq * inverse : e.uq;
        e.v = s.perspective ? e.vq * inverse : e.vq;
        if (f.fog) e.fog = Rounded(FogFactor(s, inverse), 1, 256);
        return e;
    };
    TextureLevels& levels = chosen->levels;
    int32_t& choice = chosen->choice;
    Cursor cursor = CursorAt(s, first, y);
    const bool blendInLanes = !F.general && f.blend && f.sourceBlend == HOST_BLEND_SOURCE_ALPHA
                              && f.destBlend == HOST_BLEND_INVERSE_SOURCE_ALPHA;
    const bool runs = f.textured || f.fog;
    RunEnd from = runs ? runEnd(first) : RunEnd{};
    Pixel p{};
    if (t.constantColour) p.diffuse = colour.Next();
    for (int32_t x = first; x <= last;) {
        const int32_t to = std::min(x + kRunLength, last);
        const int32_t steps = to - x;
        const int32_t pixels = to == last ? steps + 1 : steps;
        const RunEnd next = runs && steps > 0 ? runEnd(to) : from;
        if (f.textured && t.levelsPerRun) {
            const float ratio = TexelRatio(s, t, from.q, from.uq, from.vq);
            if (f.mipBlend) {
                levels = TextureChoose(s, TextureLevelOfDetail(s, ratio));
            } else if (const int32_t c = TextureChoiceForRatio(s, ratio, choice); c != choice) {
                choice = c;
                levels = TextureLevelsOfChoice(s, c);
            }
        }
        uint32_t du = 0, dv = 0;
        int64_t fog = from.fog, fogStep = 0;
        if (f.textured) {
            p.u = Fraction(from.u);
            p.v = Fraction(from.v);
            if (steps > 0) {
                du = FractionStep(from.u, next.u, steps);
                dv = FractionStep(from.v, next.v, steps);
            }
        }
        if (f.fog && steps > 0) fogStep = (next.fog - from.fog) / steps;
        const auto shade = [&](auto constantColour, auto packed) {
            for (const ptrdiff_t stop = cursor.x + pixels; cursor.x < stop; ++cursor.x) {
                p.depth = static_cast<uint32_t>(z.value >> kFixedBits);
                if constexpr (!decltype(constantColour)::value) p.diffuse = colour.Next();
                p.fog = static_cast<uint32_t>(fog >> kFixedBits);
                if constexpr (decltype(packed)::value) {
                    CopyPackedTexel(levels, cursor, p);
                } else {
                    ShadePixel(s, f, levels, cursor, p, blendInLanes, TexelAlone);
                }
                z.value += z.step;
                p.u += du;
                p.v += dv;
                fog += fogStep;
            }
        };
        if constexpr (TexelAlone && StoresTexelsAsTheyStand(F)) {
            if (levels.packed != nullptr) {
                shade(std::true_type{}, std::true_type{});
            } else {
                shade(std::true_type{}, std::false_type{});
            }
        } else if (TexelAlone || t.constantColour) {
            shade(std::true_type{}, std::false_type{});
        } else {
            shade(std::false_type{}, std::false_type{});
        }
        x += pixels;
        from = next;
    }
}

// The rows and columns a triangle may cover (pixel centres within its corners' bounds and the
// scissor), and its edges.
struct Coverage {
    int32_t firstRow, lastRow;
    int32_t firstColumn, lastColumn;
    const Edge* edges;
};

// Each row's span: one call a triangle, so that its rows share what the span routine sets up.
template <Features F, bool TexelAlone>
bool DrawRowsOf(const RasterState& s, const Triangle& t, const Coverage& c)
{
    EdgeWalk walks[3] = {
        {c.edges[0], c.firstRow}, {c.edges[1], c.firstRow}, {c.edges[2], c.firstRow}};
    bool drew = false;
    LevelChoice chosen{t.levels, t.choice};
    for (int32_t row = c.firstRow; row <= c.lastRow; ++row) {
        int64_t first = c.firstColumn, last = c.lastColumn;
        for (EdgeWalk& walk : walks) {
            walk.Clip(&first, &last);
            walk.NextRow();
        }
        if (first > last) continue;
        DrawSpan<F, TexelAlone>(s, row, static_cast<int32_t>(first), static_cast<int32_t>(last), t,
                                &chosen);
        drew = true;
    }
    return drew;
}

template <Features F>
bool DrawRows(const RasterState& s, const Triangle& t, const Coverage& c)
{
    if constexpr (!F.general && F.textured && ModulatesTextureByDiffuse(F)) {
        SteppedChannels colour = t.colour;
        if (t.constantColour && OpaqueWhite(colour.Next())) return DrawRowsOf<F, true>(s, t, c);
    }
    return DrawRowsOf<F, false>(s, t, c);
}

using SpanRoutine = bool (*)(const RasterState&, const Triangle&, const Coverage&);

struct SpanRow {
    Features features;
    SpanRoutine routine;
};

// The common combinations, for each target format, with the default stage operations
// (texture times diffuse): textured and z-tested with either filter, with a linear mip filter,
// and fogged (ground, models); untextured lit models; the HUD (blended without the z test);
// textured and blended over the scene; the ground laid first, without z, under everything;
// shadows, untextured and blended over the ground with or without the stencil test.
struct Combination {
    bool textured;
    uint32_t filter;
    bool mipBlend;
    bool zTest;
    bool blend;
    bool fog;
    bool stencil = false;
};

constexpr Combination kCombinations[] = {
    {true, HOST_FILTER_POINT, false, true, false, false},
    {true, HOST_FILTER_LINEAR, false, true, false, false},
    {true, HOST_FILTER_LINEAR, true, true, false, false},
    {true, HOST_FILTER_LINEAR, true, true, false, true},
    {false, 0, false, true, false, false},
    {true, HOST_FILTER_POINT, false, false, true, false},
    {true, HOST_FILTER_LINEAR, false, false, true, false},
    {true, HOST_FILTER_POINT, false, true, true, false},
    {true, HOST_FILTER_POINT, false, false, false, false},
    {true, HOST_FILTER_LINEAR, false, false, false, false},
    {true, HOST_FILTER_LINEAR, true, false, false, false},
    {true, HOST_FILTER_LINEAR, true, false, false, true},
    {false, 0, false, false, true, false, true},
    {false, 0, false, false, true, false, false},
};
constexpr Layout kLayouts[] = {kLayout555, kLayout565, kLayout8888};
constexpr size_t kCombinationCount = std::size(kCombinations);
constexpr size_t kSpecialisedCount = kCombinationCount * std::size(kLayouts);

constexpr Features Specialised(size_t index)
{
    const Combination& c = kCombinations[index % kCombinationCount];
    Features f{};
    f.target = kLayouts[index / kCombinationCount];
    f.textured = c.textured;
    f.filter = c.filter;
    f.mipBlend = c.mipBlend;
    f.zTest = c.zTest;
    f.zWrite = c.zTest;
    f.zFunc = c.zTest ? uint32_t{HOST_CMP_LESS_EQUAL} : 0;
    f.blend = c.blend;
    if (c.blend) {
        f.sourceBlend = HOST_BLEND_SOURCE_ALPHA;
        f.destBlend = HOST_BLEND_INVERSE_SOURCE_ALPHA;
    }
    f.fog = c.fog;
    f.stencil = c.stencil;
    f.colourOp = f.alphaOp = HOST_TOP_MODULATE;
    f.colourArg1 = f.alphaArg1 = HOST_TA_TEXTURE;
    f.colourArg2 = f.alphaArg2 = HOST_TA_DIFFUSE;
    return f;
}

template <size_t... I>
constexpr std::array<SpanRow, sizeof...(I)> SpecialisedRows(std::index_sequence<I...>)
{
    return {SpanRow{Specialised(I), DrawRows<Specialised(I)>}...};
}

constexpr auto kSpecialised = SpecialisedRows(std::make_index_sequence<kSpecialisedCount>());

constexpr Features General()
{
    Features f{};
    f.general = true;
    return f;
}

constexpr Features kGeneral = General();

// The routines RasterPrepare chooses from: the general one first, then the specialised ones.
constexpr std::array<SpanRoutine, 1 + kSpecialisedCount> SpanRoutines()
{
    std::array<SpanRoutine, 1 + kSpecialisedCount> routines{DrawRows<kGeneral>};
    for (size_t i = 0; i < kSpecialisedCount; ++i) {
        routines[i + 1] = kSpecialised[i].routine;
    }
    return routines;
}

constexpr auto kSpanRoutines = SpanRoutines();

}  // namespace

namespace {

// The smallest positive ratio, +infinity included, whose choice is at least `choice`, searched
// over the floats' bit patterns from `from` on (positive floats order as their patterns do, and
// the choice never falls as the ratio grows); +infinity's pattern plus one when none is.
uint32_t FirstRatioChoosing(const RasterState& s, int32_t choice, uint32_t from)
{
    constexpr uint32_t kInfinity = 0x7F800000;
    const auto choiceAt = [&](uint32_t bits) {
        return TextureChoiceOf(s, TextureLevelOfDetail(s, std::bit_cast<float>(bits)));
    };
    uint32_t low = from, high = kInfinity + 1;
    while (low < high) {
        const uint32_t middle = low + (high - low) / 2;
        if (choiceAt(middle) >= choice) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

// What a table of level choices depends on: TextureChoiceOf reads the mip filter and the level
// count, TextureLevelOfDetail the bias.
struct LevelChoiceKey {
    uint32_t lodBiasBits;
    uint32_t mipFilter;
    int32_t levelCount;
    bool operator==(const LevelChoiceKey&) const = default;
};

struct LevelChoiceTable {
    float from[RASTER_MAX_LEVELS + 1];
    int32_t count;
};

// The last few tables worked out. A frame's draw calls share a handful of filters and biases,
// so most of them find their table here instead of searching the floats again.
class RecentAnswers {
public:
    const LevelChoiceTable* Find(const LevelChoiceKey& key) const
    {
        for (size_t i = 0; i < m_used; ++i) {
            if (m_keys[i] == key) return &m_tables[i];
        }
        return nullptr;
    }

    void Add(const LevelChoiceKey& key, const LevelChoiceTable& table)  // over the oldest
    {
        m_keys[m_next] = key;
        m_tables[m_next] = table;
        m_next = (m_next + 1) % kRows;
        m_used = std::max(m_used, m_next == 0 ? kRows : m_next);
    }

private:
    static constexpr size_t kRows = 8;
    LevelChoiceKey m_keys[kRows]{};
    LevelChoiceTable m_tables[kRows]{};
    size_t m_used = 0;
    size_t m_next = 0;
};

RecentAnswers s_levelChoices;

LevelChoiceTable SearchLevelChoices(const RasterState& s)
{
    LevelChoiceTable table{};
    const int32_t last = s.mipFilter == HOST_FILTER_NONE ? 1 : s.texture.levelCount;
    uint32_t from = 1;
    for (int32_t choice = 1; choice <= last; ++choice) {
        from = FirstRatioChoosing(s, choice, from);
        if (from > 0x7F800000) break;
        table.from[table.count++] = std::bit_cast<float>(from);
    }
    return table;
}

// The ratios at which the level choice steps up, in order, so that a run compares instead of
// taking a logarithm; the same choices, since a logarithm never falls as its argument grows.
void PrepareLevelChoices(RasterState* s)
{
    s->choiceCount = 0;
    if (s->texture.levelCount == 0 || s->mipFilter == HOST_FILTER_LINEAR) return;
    const LevelChoiceKey key{std::bit_cast<uint32_t>(s->lodBias), s->mipFilter,
                             s->texture.levelCount};
    const LevelChoiceTable* known = s_levelChoices.Find(key);
    const LevelChoiceTable table = known != nullptr ? *known : SearchLevelChoices(*s);
    if (known == nullptr) s_levelChoices.Add(key, table);
    std::copy(table.from, table.from + table.count, s->choiceFrom);
    s->choiceCount = table.count;
}

// A texture's levels in a 16-bit target's layout, as the versions of their texels stood.
struct PackedTexture {
    Layout layout;
    int32_t levelCount;
    uint64_t versions[RASTER_MAX_LEVELS];
    size_t offsets[RASTER_MAX_LEVELS];
    std::vector<uint16_t> texels;
};

// The last few textures packed: a frame packs each of its textures once, then finds it here
// until its texels change.
class PackedTextures {
public:
    const PackedTexture& For(const RasterTexture& texture, const Layout& layout)
    {
        for (const PackedTexture& row : m_rows) {
            if (Holds(row, texture, layout)) return row;
        }
        PackedTexture& row = m_rows[m_next];  // over the oldest
        m_next = (m_next + 1) % kRows;
        Pack(texture, layout, &row);
        return row;
    }

private:
    static bool Holds(const PackedTexture& row, const RasterTexture& texture, const Layout& layout)
    {
        return row.levelCount == texture.levelCount && row.layout == layout
               && std::equal(texture.versions, texture.versions + texture.levelCount, row.versions);
    }

    static void Pack(const RasterTexture& texture, const Layout& layout, PackedTexture* row)
    {
        row->layout = layout;
        row->levelCount = texture.levelCount;
        std::copy(texture.versions, texture.versions + texture.levelCount, row->versions);
        size_t size = 0;
        for (int32_t k = 0; k < texture.levelCount; ++k) {
            row->offsets[k] = size;
            size += size_t{texture.levels[k].width} * texture.levels[k].height;
        }
        row->texels.resize(size);
        for (int32_t k = 0; k < texture.levelCount; ++k) {
            const TextureLevel& level = texture.levels[k];
            const uint32_t* argb = level.argb;
            std::transform(argb, argb + size_t{level.width} * level.height,
                           row->texels.begin() + static_cast<ptrdiff_t>(row->offsets[k]),
                           [&layout](uint32_t texel) {
                               return static_cast<uint16_t>(RawOf(layout, ChannelsOf(texel)));
                           });
        }
    }

    static constexpr size_t kRows = 8;
    PackedTexture m_rows[kRows]{};
    size_t m_next = 0;
};

PackedTextures s_packedTextures;

// The packed levels for a span routine that stores texels as they stand; texels without a
// version are sampled as they are.
void PreparePackedTexels(const Features& routine, RasterState* s)
{
    RasterTexture& texture = s->texture;
    if (!StoresTexelsAsTheyStand(routine)) return;
    if (std::find(texture.versions, texture.versions + texture.levelCount, 0)
        != texture.versions + texture.levelCount)
        return;
    const PackedTexture& packed = s_packedTextures.For(texture, routine.target);
    for (int32_t k = 0; k < texture.levelCount; ++k) {
        texture.packed[k] = packed.texels.data() + packed.offsets[k];
    }
}

}  // namespace

void RasterPrepare(RasterState* state)
{
    PrepareLevelChoices(state);
    state->spanRoutine = 0;
    std::fill(std::begin(state->texture.packed), std::end(state->texture.packed), nullptr);
    if (HostGeneralSpansOnly()) return;
    const Features f = FeaturesOf(*state);
    for (size_t i = 0; i < kSpecialisedCount; ++i) {
        if (kSpecialised[i].features == f) {
            state->spanRoutine = static_cast<int32_t>(i + 1);
            PreparePackedTexels(f, state);
            return;
        }
    }
}

namespace {

// The values a float takes over a set of points: rounding never reverses an order, so a sum, a
// difference or a product of two such sets in floats lies between the results at their ends.
struct Bounds {
    float low, high;
};

[[gnu::always_inline]] inline Bounds Either(float a, float b)
{
    return {std::min(a, b), std::max(a, b)};
}

[[gnu::always_inline]] inline Bounds Minus(Bounds a, Bounds b)
{
    return {a.low - b.high, a.high - b.low};
}

[[gnu::always_inline]] inline Bounds Times(Bounds a, Bounds b)
{
    const Bounds first = Either(a.low * b.low, a.low * b.high);
    const Bounds second = Either(a.high * b.low, a.high * b.high);
    return {std::min(first.low, second.low), std::max(first.high, second.high)};
}

[[gnu::always_inline]] inline Bounds Magnitude(Bounds a)
{
    if (a.low >= 0) return a;
    if (a.high <= 0) return {-a.high, -a.low};
    return {0, std::max(-a.low, a.high)};
}

bool Finite(Bounds a) { return std::isfinite(a.low) && std::isfinite(a.high); }

// Bounds of TexelRatio over every run start of a triangle, its operations taken on the bounds of
// their operands; false when a value is not finite or q not positive, where they could not hold.
// A plane's value in floats never falls, or never rises, as x or y grows, so over the triangle's
// rectangle of pixel centres it lies between its values at the corners.
bool TexelRatioBounds(const RasterState& s, const Triangle& t, const Coverage& c, Bounds* ratio)
{
    Bounds planes[P_V + 1];
    for (const int32_t k : {P_Q, P_U, P_V}) {
        const float top = RowCentre(t, c.firstRow), bottom = RowCentre(t, c.lastRow);
        const Bounds left = Either(At(t, k, c.firstColumn, top), At(t, k, c.firstColumn, bottom));
        const Bounds right = Either(At(t, k, c.lastColumn, top), At(t, k, c.lastColumn, bottom));
        planes[k] = {std::min(left.low, right.low), std::max(left.high, right.high)};
        if (!Finite(planes[k])) return false;
    }
    const Bounds q = s.perspective ? planes[P_Q] : Bounds{1, 1};
    const Bounds square = Times(q, q);
    if (!(q.low > 0) || !(square.low > 0) || !std::isfinite(square.high)) return false;
    const Bounds inverseQ2 = {1.0f / square.high, 1.0f / square.low};
    bool finite = true;
    const auto slope = [&](int32_t k, bool alongX) {
        const float dk = alongX ? t.planes[k].dx : t.planes[k].dy;
        const float dq = s.perspective ? (alongX ? t.planes[P_Q].dx : t.planes[P_Q].dy) : 0.0f;
        const Bounds a = Times({dk, dk}, q), b = Times(planes[k], {dq, dq});
        const Bounds difference = Minus(a, b);
        finite = finite && Finite(a) && Finite(b) && Finite(difference);
        return Magnitude(Times(difference, inverseQ2));
    };
    const auto texW = static_cast<float>(s.texture.levels[0].width);
    const auto texH = static_cast<float>(s.texture.levels[0].height);
    const Bounds terms[4] = {
        Times(slope(P_U, true), {texW, texW}), Times(slope(P_U, false), {texW, texW}),
        Times(slope(P_V, true), {texH, texH}), Times(slope(P_V, false), {texH, texH})};
    *ratio = terms[0];
    for (const Bounds& term : terms) {
        finite = finite && Finite(term);
        *ratio = {std::max(ratio->low, term.low), std::max(ratio->high, term.high)};
    }
    return finite;
}

// The levels a triangle's runs sample with when every run would choose the same: without
// mip-maps and with one filter for both sides, or when the draw call's table gives the same
// choice at both ends of the bounds of the triangle's ratios; otherwise each run chooses, the
// table searched from the lower end's choice. The general span routine always lets each run
// choose, so that the specialised ones are checked against it.
void ChooseLevels(const RasterState& s, const Coverage& c, Triangle* t)
{
    t->choice = 0;
    t->levelsPerRun =
        s.texture.levelCount > 0 && (s.mipFilter != HOST_FILTER_NONE || s.minFilter != s.magFilter);
    if (!t->levelsPerRun) {
        t->levels = TextureChoose(s, 0.0f);
        return;
    }
    Bounds ratio{};
    if (s.mipFilter != HOST_FILTER_LINEAR && s.spanRoutine != 0
        && TexelRatioBounds(s, *t, c, &ratio)) {
        t->choice = TextureChoiceForRatio(s, ratio.low, 0);
        t->levelsPerRun = TextureChoiceForRatio(s, ratio.high, t->choice) != t->choice;
    }
    t->levels = TextureLevelsOfChoice(s, t->choice);
}

}  // namespace

bool RasterTriangle(const RasterState& s, const RasterVertex& a, const RasterVertex& b,
                    const RasterVertex& c, const RasterVertex& flat)
{
    const RasterVertex* v[3] = {&a, &b, &c};
    int64_t X[3], Y[3];
    for (int32_t k = 0; k < 3; ++k) {
        if (!std::isfinite(v[k]->x) || !std::isfinite(v[k]->y)) return false;
        X[k] = Snap(v[k]->x);
        Y[k] = Snap(v[k]->y);
    }
    int64_t area = (X[1] - X[0]) * (Y[2] - Y[0]) - (Y[1] - Y[0]) * (X[2] - X[0]);
    if (area == 0) return false;
    if (area < 0) {  // one winding from here on: clockwise on the screen, inside positive
        std::swap(v[1], v[2]);
        std::swap(X[1], X[2]);
        std::swap(Y[1], Y[2]);
        area = -area;
    }

    Edge edges[3];
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t n = (k + 1) % 3;
        Edge& e = edges[k];
        e = {X[n] - X[k], Y[n] - Y[k], X[k], Y[k], 0};
        const bool topLeft = e.dy < 0 || (e.dy == 0 && e.dx > 0);
        e.threshold = topLeft ? -1 : 0;
    }

    const int64_t top = std::min({Y[0], Y[1], Y[2]});
    const int64_t bottom = std::max({Y[0], Y[1], Y[2]});
    const int64_t left = std::min({X[0], X[1], X[2]});
    const int64_t right = std::max({X[0], X[1], X[2]});
    // Rows and columns whose centres lie within the corners' bounds and the scissor, first, so
    // that a triangle covering none of them costs no set-up.
    const int64_t firstRow = std::max<int64_t>(
        s.scissor.top, FloorDiv(top - kSubPixels / 2 + kSubPixels - 1, kSubPixels));
    const int64_t lastRow =
        std::min<int64_t>(s.scissor.bottom - 1, FloorDiv(bottom - kSubPixels / 2, kSubPixels));
    const int64_t firstColumn = std::max<int64_t>(
        s.scissor.left, FloorDiv(left - kSubPixels / 2 + kSubPixels - 1, kSubPixels));
    const int64_t lastColumn =
        std::min<int64_t>(s.scissor.right - 1, FloorDiv(right - kSubPixels / 2, kSubPixels));
    if (firstRow > lastRow || firstColumn > lastColumn) return false;
    const Coverage coverage{static_cast<int32_t>(firstRow), static_cast<int32_t>(lastRow),
                            static_cast<int32_t>(firstColumn), static_cast<int32_t>(lastColumn),
                            edges};

    Triangle triangle;  // every field set below before it is read
    Setup& t = triangle.setup;
    t.x0 = static_cast<float>(X[0]) / kSubPixels;
    t.y0 = static_cast<float>(Y[0]) / kSubPixels;
    t.ex1 = static_cast<float>(X[1] - X[0]) / kSubPixels;
    t.ey1 = static_cast<float>(Y[1] - Y[0]) / kSubPixels;
    t.ex2 = static_cast<float>(X[2] - X[0]) / kSubPixels;
    t.ey2 = static_cast<float>(Y[2] - Y[0]) / kSubPixels;
    t.area = t.ex1 * t.ey2 - t.ey1 * t.ex2;

    Plane* const planes = triangle.planes;
    const auto plane = [&](auto field) {
        return MakePlane(t, v[0]->*field, v[1]->*field, v[2]->*field);
    };
    // Depth is read by the z and stencil tests, q, u and v by texturing and fog (see DrawSpan);
    // a plane nothing reads stays 0.
    planes[P_Z] = s.zTest || s.stencil ? plane(&RasterVertex::z) : Plane{};
    if (s.texture.levelCount == 0 && !s.fog) {
        planes[P_Q] = planes[P_U] = planes[P_V] = Plane{};
    } else if (s.perspective) {
        planes[P_Q] = plane(&RasterVertex::rhw);
        planes[P_U] = MakePlane(t, v[0]->u * v[0]->rhw, v[1]->u * v[1]->rhw, v[2]->u * v[2]->rhw);
        planes[P_V] = MakePlane(t, v[0]->v * v[0]->rhw, v[1]->v * v[1]->rhw, v[2]->v * v[2]->rhw);
    } else {
        planes[P_Q] = plane(&RasterVertex::rhw);
        planes[P_U] = plane(&RasterVertex::u);
        planes[P_V] = plane(&RasterVertex::v);
    }
    triangle.at0 = _mm_setr_ps(planes[P_Z].at0, planes[P_Q].at0, planes[P_U].at0, planes[P_V].at0);
    triangle.dx = _mm_setr_ps(planes[P_Z].dx, planes[P_Q].dx, planes[P_U].dx, planes[P_V].dx);
    triangle.dy = _mm_setr_ps(planes[P_Z].dy, planes[P_Q].dy, planes[P_U].dy, planes[P_V].dy);
    float RasterVertex::*const colours[4] = {&RasterVertex::r, &RasterVertex::g, &RasterVertex::b,
                                             &RasterVertex::a};
    for (int32_t k = 0; k < 4; ++k) {
        planes[P_R + k] = s.flat ? Plane{flat.*colours[k], 0, 0} : plane(colours[k]);
        triangle.gradients[G_R + k] = MakeGradient(planes[P_R + k], P_R + k, 255, 1);
    }
    triangle.gradients[G_Z] = MakeGradient(planes[P_Z], P_Z, 1, s.zScale);
    const RowGradient* const gradients = triangle.gradients;
    triangle.constantColour = gradients[G_R].constant && gradients[G_G].constant
                              && gradients[G_B].constant && gradients[G_A].constant;
    if (triangle.constantColour) {
        triangle.colour = SteppedChannels({gradients[G_R].value, 0}, {gradients[G_G].value, 0},
                                          {gradients[G_B].value, 0}, {gradients[G_A].value, 0});
    }

    ChooseLevels(s, coverage, &triangle);
    return kSpanRoutines[static_cast<size_t>(s.spanRoutine)](s, triangle, coverage);
}

namespace {

// A line's or a point's pixel a fraction t of the way from a to b.
Pixel PixelOf(const RasterState& s, const RasterVertex& a, const RasterVertex& b, float t)
{
    const auto mix = [t](float from, float to) { return from + (to - from) * t; };
    const auto integer = [](int64_t fixed) { return static_cast<uint32_t>(fixed >> kFixedBits); };
    Pixel p{};
    p.depth = integer(Rounded(mix(a.z, b.z), 1, s.zScale));
    const float rhw = mix(a.rhw, b.rhw);
    p.fog = integer(Rounded(FogFactor(s, rhw != 0.0f ? 1.0f / rhw : 0.0f), 1, 256));
    const float colours[2][4] = {{a.r, a.g, a.b, a.a}, {b.r, b.g, b.b, b.a}};
    uint32_t argb = 0;
    for (int32_t c = 0; c < 4; ++c) {
        const uint32_t channel =
            integer(Rounded(s.flat ? colours[0][c] : mix(colours[0][c], colours[1][c]), 255, 1));
        argb |= channel << (c == 3 ? 24 : 16 - 8 * c);
    }
    p.diffuse = ChannelsOf(argb);
    p.u = Fraction(mix(a.u, b.u));
    p.v = Fraction(mix(a.v, b.v));
    return p;
}

bool InScissor(const RasterState& s, float x, float y, int32_t* ix, int32_t* iy)
{
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    const float fx = std::floor(x), fy = std::floor(y);
    if (fx < static_cast<float>(s.scissor.left) || fx >= static_cast<float>(s.scissor.right)
        || fy < static_cast<float>(s.scissor.top) || fy >= static_cast<float>(s.scissor.bottom))
        return false;
    *ix = static_cast<int32_t>(fx);
    *iy = static_cast<int32_t>(fy);
    return true;
}

void ShadeOnePixel(const RasterState& s, int32_t x, int32_t y, const Pixel& p)
{
    ShadePixel(s, FeaturesOf(s), TextureChoose(s, 0.0f), CursorAt(s, x, y), p);
}

}  // namespace

void RasterLine(const RasterState& s, const RasterVertex& a, const RasterVertex& b)
{
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length = std::max(std::fabs(dx), std::fabs(dy));
    if (!std::isfinite(length) || length > 4 * kMaxCoordinate) return;
    const auto steps = static_cast<int32_t>(std::ceil(length));
    for (int32_t k = 0; k < steps; ++k) {  // the last pixel is left for the next line
        const float t = static_cast<float>(k) / static_cast<float>(steps);
        int32_t x, y;
        if (InScissor(s, a.x + dx * t, a.y + dy * t, &x, &y))
            ShadeOnePixel(s, x, y, PixelOf(s, a, b, t));
    }
}

void RasterPoint(const RasterState& s, const RasterVertex& a)
{
    int32_t x, y;
    if (InScissor(s, a.x, a.y, &x, &y)) ShadeOnePixel(s, x, y, PixelOf(s, a, a, 0.0f));
}
