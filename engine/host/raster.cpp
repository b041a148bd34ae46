// engine/host/raster.cpp: the 3D device's rasterisation and pixel pipeline: triangles in 28.4
// fixed point with the top-left rule, lines and points, then per pixel texturing, fog, the
// stencil and z tests, blending and the writes.
#include "engine/host/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "engine/host/texture.h"

namespace {

constexpr int32_t kSubPixels = 16;  // 28.4 fixed point
constexpr int32_t kRunLength = 16;  // pixels per level-of-detail choice
// Corners beyond this many pixels from the origin are pulled in, so that the edge products stay
// far inside 64 bits; such triangles are scissored to the viewport anyway.
constexpr float kMaxCoordinate = 1 << 20;

struct Pixel {
    float z;
    float r, g, b, a;  // 0-255
    float u, v;
    float w;                // eye distance, for fog
    TextureLevels texture;  // for the level of detail of the run
};

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

uint32_t Channel(uint32_t argb, int32_t shift) { return (argb >> shift) & 0xFF; }

uint32_t Modulate(uint32_t a, uint32_t b) { return (a * b + 127) / 255; }

// One stage-0 operation on one channel of the texture and the diffuse colour.
uint32_t Combine(uint32_t op, uint32_t arg1, uint32_t arg2, uint32_t texture, uint32_t diffuse)
{
    const uint32_t first = arg1 == HOST_TA_TEXTURE ? texture : diffuse;
    const uint32_t second = arg2 == HOST_TA_TEXTURE ? texture : diffuse;
    switch (op) {
        case HOST_TOP_SELECT_ARG1: return first;
        case HOST_TOP_SELECT_ARG2: return second;
        case HOST_TOP_MODULATE: return Modulate(first, second);
        default: return diffuse;
    }
}

uint32_t BlendFactor(uint32_t factor, uint32_t alpha)
{
    switch (factor) {
        case HOST_BLEND_ZERO: return 0;
        case HOST_BLEND_SOURCE_ALPHA: return alpha;
        case HOST_BLEND_INVERSE_SOURCE_ALPHA: return 255 - alpha;
        default: return 255;
    }
}

// Rounded and clamped to 0-255, NaN to 0; written as a clamp so that it compiles without branches.
uint32_t ToByte(float value)
{
    const float clamped = std::min(std::max(0.0f, value), 255.0f);  // std::max(0, NaN) is 0
    return static_cast<uint32_t>(static_cast<int32_t>(clamped + 0.5f));
}

uint32_t DepthValue(const RasterState& s, float z)
{
    const double clamped = z > 0.0f ? std::min(static_cast<double>(z), 1.0) : 0.0;  // NaN: 0
    return static_cast<uint32_t>(clamped * s.zScale + 0.5);
}

float FogFactor(const RasterState& s, float w)
{
    if (s.fogEnd == s.fogStart) return w <= s.fogStart ? 1.0f : 0.0f;
    const float f = (s.fogEnd - w) / (s.fogEnd - s.fogStart);
    return f > 0.0f ? std::min(f, 1.0f) : 0.0f;
}

// Widens by repeating the value's bits, as every conversion in the host does.
uint32_t Widen(uint32_t value, uint32_t bits)
{
    if (bits >= 8) return value >> (bits - 8);
    uint32_t result = value << (8 - bits);
    for (uint32_t copy = result >> bits; copy != 0; copy >>= bits) {
        result |= copy;
    }
    return result;
}

// Fixed-size copies, so that no pixel goes through a library call.
uint32_t LoadPixel(const uint8_t* p, int32_t bytes)
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

void StorePixel(uint8_t* p, int32_t bytes, uint32_t value)
{
    if (bytes == 2) {
        const auto narrow = static_cast<uint16_t>(value);
        std::memcpy(p, &narrow, 2);
    } else {
        std::memcpy(p, &value, 4);
    }
}

uint32_t ReadTarget(const RasterState& s, const uint8_t* p, int32_t channel)
{
    const uint32_t raw = LoadPixel(p, s.bytesPerPixel);
    const uint32_t bits = s.bits[channel];
    return Widen((raw >> s.shift[channel]) & ((1u << bits) - 1), bits);
}

void WriteTarget(const RasterState& s, uint8_t* p, const uint32_t rgb[3])
{
    uint32_t raw = 0;
    // The per-channel loops are unrolled: at -O2 the compiler keeps them as loops otherwise.
#pragma GCC unroll 3
    for (int32_t c = 0; c < 3; ++c) {
        raw |= (rgb[c] >> (8 - s.bits[c])) << s.shift[c];
    }
    StorePixel(p, s.bytesPerPixel, raw);
}

// The stencil and z tests with their writes; true when the colour is to be written.
[[gnu::always_inline]] inline bool DepthAndStencil(const RasterState& s, size_t index, float z)
{
    uint32_t* const depth = s.depth.depth ? s.depth.depth + index : nullptr;
    const uint32_t value = DepthValue(s, z);
    if (s.stencil) {
        uint8_t* const stored = s.depth.stencil + index;
        const bool stencilPass =
            Compare(s.stencilFunc, s.stencilRef & s.stencilMask, *stored & s.stencilMask);
        const bool zPass = !s.zTest || Compare(s.zFunc, value, *depth);
        const uint32_t op = !stencilPass ? s.stencilFail : !zPass ? s.stencilZFail : s.stencilPass;
        const uint32_t result = StencilOperation(s, op, *stored);
        *stored = static_cast<uint8_t>((*stored & ~s.stencilWriteMask)
                                       | (result & s.stencilWriteMask & s.stencilMax));
        if (!stencilPass || !zPass) return false;
    } else if (s.zTest && !Compare(s.zFunc, value, *depth)) {
        return false;
    }
    if (s.zWrite && depth) *depth = value;
    return true;
}

// What a span routine knows before it starts. The general routine reads every feature from the
// state; each specialised one has them fixed, so the compiler drops the branches it never takes
// and keeps every other operation as it is: both give the same pixels.
struct Dynamic {
    bool textured;
    bool depth;  // z test or stencil
    bool blend;
    bool fog;
};

template <bool Textured, bool Depth, bool Blend, bool Fog>
struct Fixed {
    static constexpr bool textured = Textured;
    static constexpr bool depth = Depth;
    static constexpr bool blend = Blend;
    static constexpr bool fog = Fog;
};

Dynamic FeaturesOf(const RasterState& s)
{
    return {s.texture.levelCount > 0, s.zTest || s.stencil, s.blend, s.fog};
}

template <typename Features>
void ShadePixel(const RasterState& s, const Features& f, int32_t x, int32_t y, const Pixel& p)
{
    const size_t index = static_cast<size_t>(y) * s.depth.width + x;
    if (f.depth && !DepthAndStencil(s, index, p.z)) return;

    const uint32_t texel = f.textured ? TextureSample(p.texture, p.u, p.v) : 0xFFFFFFFFu;
    const uint32_t diffuse[4] = {ToByte(p.r), ToByte(p.g), ToByte(p.b), ToByte(p.a)};
    uint32_t rgb[3];
#pragma GCC unroll 3
    for (int32_t c = 0; c < 3; ++c) {
        rgb[c] =
            Combine(s.colourOp, s.colourArg1, s.colourArg2, Channel(texel, 16 - 8 * c), diffuse[c]);
    }
    const uint32_t alpha =
        Combine(s.alphaOp, s.alphaArg1, s.alphaArg2, Channel(texel, 24), diffuse[3]);
    if (f.fog) {
        const float fog = FogFactor(s, p.w);
        for (int32_t c = 0; c < 3; ++c) {
            rgb[c] = ToByte(fog * static_cast<float>(rgb[c])
                            + (1 - fog) * static_cast<float>(s.fogRgb[c]));
        }
    }
    uint8_t* const target = s.colour + static_cast<ptrdiff_t>(y) * s.pitch + x * s.bytesPerPixel;
    if (f.blend) {
        const uint32_t fs = BlendFactor(s.sourceBlend, alpha);
        const uint32_t fd = BlendFactor(s.destBlend, alpha);
#pragma GCC unroll 3
        for (int32_t c = 0; c < 3; ++c) {
            rgb[c] = std::min((rgb[c] * fs + ReadTarget(s, target, c) * fd + 127) / 255, 255u);
        }
    }
    WriteTarget(s, target, rgb);
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

struct Edge {
    int64_t dx, dy;
    int64_t ax, ay;
    int64_t threshold;  // inside when the edge function exceeds it: -1 keeps pixels on the edge
};

int64_t FloorDiv(int64_t a, int64_t b)  // b > 0
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Narrows [first, last] to the pixels of row centre `py` (28.4) inside the edge.
void ClipSpan(const Edge& e, int64_t py, int64_t* first, int64_t* last)
{
    // E(i) = dx (py - ay) - dy (16 i + 8 - ax) = e0 + step i
    const int64_t e0 = e.dx * (py - e.ay) - e.dy * (kSubPixels / 2 - e.ax);
    const int64_t step = -kSubPixels * e.dy;
    if (step == 0) {
        if (e0 <= e.threshold) *last = *first - 1;
    } else if (step > 0) {
        *first = std::max(*first, FloorDiv(e.threshold - e0, step) + 1);
    } else {
        // e0 - |step| i > threshold  <=>  i < (e0 - threshold) / |step|
        const int64_t limit = -step;
        *last = std::min(*last, -FloorDiv(-(e0 - e.threshold), limit) - 1);
    }
}

int64_t Snap(float value)
{
    return std::llround(std::clamp(value, -kMaxCoordinate, kMaxCoordinate) * kSubPixels);
}

template <typename Features>
void DrawSpan(const RasterState& s, int32_t y, int32_t first, int32_t last, const Setup& t,
              const Plane (&planes)[P_COUNT])
{
    Features f{};
    if constexpr (std::is_same_v<Features, Dynamic>) f = FeaturesOf(s);
    const float px = static_cast<float>(first) + 0.5f - t.x0;
    const float py = static_cast<float>(y) + 0.5f - t.y0;
    float start[P_COUNT];
    for (int32_t k = 0; k < P_COUNT; ++k) {
        start[k] = planes[k].at0 + planes[k].dx * px + planes[k].dy * py;
    }
    const float texW = s.texture.levelCount ? static_cast<float>(s.texture.levels[0].width) : 0;
    const float texH = s.texture.levelCount ? static_cast<float>(s.texture.levels[0].height) : 0;
    // Without mip-maps and with one filter for both sides, the level of detail changes nothing.
    const bool needLod =
        f.textured && (s.mipFilter != HOST_FILTER_NONE || s.minFilter != s.magFilter);
    float step[P_COUNT];  // side by side, so that the loop below runs on vectors
    for (int32_t k = 0; k < P_COUNT; ++k) {
        step[k] = planes[k].dx;
    }
    Pixel p{};
    if (f.textured) p.texture = TextureChoose(s, 0.0f);
    for (int32_t x = first; x <= last; ++x) {
        const float i = static_cast<float>(x - first);
        float value[P_COUNT];
        for (int32_t k = 0; k < P_COUNT; ++k) {
            value[k] = start[k] + step[k] * i;
        }
        const float q = s.perspective ? value[P_Q] : 1.0f;
        // One division per pixel: the eye distance is 1 / rhw, and u and v are divided by rhw.
        const float inverse = value[P_Q] != 0.0f ? 1.0f / value[P_Q] : 0.0f;
        p.z = value[P_Z];
        p.u = s.perspective ? value[P_U] * inverse : value[P_U];
        p.v = s.perspective ? value[P_V] * inverse : value[P_V];
        p.w = inverse;
        p.r = value[P_R];
        p.g = value[P_G];
        p.b = value[P_B];
        p.a = value[P_A];
        if (needLod && (x - first) % kRunLength == 0) {
            // Derivatives of u = U / Q along x and y, in level-0 texels per pixel.
            const float q2 = q * q;
            const auto slope = [&](int32_t k, bool alongX) {
                const float dk = alongX ? planes[k].dx : planes[k].dy;
                const float dq = s.perspective ? (alongX ? planes[P_Q].dx : planes[P_Q].dy) : 0.0f;
                return std::fabs((dk * q - value[k] * dq) / q2);
            };
            const float rho = std::max({slope(P_U, true) * texW, slope(P_U, false) * texW,
                                        slope(P_V, true) * texH, slope(P_V, false) * texH});
            p.texture = TextureChoose(s, TextureLevelOfDetail(s, rho));
        }
        ShadePixel(s, f, x, y, p);
    }
}

using SpanRoutine = void (*)(const RasterState&, int32_t, int32_t, int32_t, const Setup&,
                             const Plane (&)[P_COUNT]);

struct SpanRow {
    Dynamic features;
    SpanRoutine routine;
};

// The common combinations: textured and z-tested (ground, models), with fog, blended over the
// scene, the HUD (blended, no z test), and untextured lit models.
constexpr SpanRow kSpecialised[] = {
    {{true, true, false, false}, DrawSpan<Fixed<true, true, false, false>>},
    {{true, true, false, true}, DrawSpan<Fixed<true, true, false, true>>},
    {{true, true, true, false}, DrawSpan<Fixed<true, true, true, false>>},
    {{true, false, true, false}, DrawSpan<Fixed<true, false, true, false>>},
    {{false, true, false, false}, DrawSpan<Fixed<false, true, false, false>>},
};

SpanRoutine ChooseSpan(const RasterState& s)
{
    if (HostGeneralSpansOnly()) return DrawSpan<Dynamic>;
    const Dynamic f = FeaturesOf(s);
    for (const SpanRow& row : kSpecialised) {
        const Dynamic& g = row.features;
        if (g.textured == f.textured && g.depth == f.depth && g.blend == f.blend && g.fog == f.fog)
            return row.routine;
    }
    return DrawSpan<Dynamic>;
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

    Setup t{};
    t.x0 = static_cast<float>(X[0]) / kSubPixels;
    t.y0 = static_cast<float>(Y[0]) / kSubPixels;
    t.ex1 = static_cast<float>(X[1] - X[0]) / kSubPixels;
    t.ey1 = static_cast<float>(Y[1] - Y[0]) / kSubPixels;
    t.ex2 = static_cast<float>(X[2] - X[0]) / kSubPixels;
    t.ey2 = static_cast<float>(Y[2] - Y[0]) / kSubPixels;
    t.area = t.ex1 * t.ey2 - t.ey1 * t.ex2;

    Plane planes[P_COUNT];
    const auto plane = [&](auto field) {
        return MakePlane(t, v[0]->*field, v[1]->*field, v[2]->*field);
    };
    planes[P_Z] = plane(&RasterVertex::z);
    if (s.perspective) {
        planes[P_Q] = plane(&RasterVertex::rhw);
        planes[P_U] = MakePlane(t, v[0]->u * v[0]->rhw, v[1]->u * v[1]->rhw, v[2]->u * v[2]->rhw);
        planes[P_V] = MakePlane(t, v[0]->v * v[0]->rhw, v[1]->v * v[1]->rhw, v[2]->v * v[2]->rhw);
    } else {
        planes[P_Q] = plane(&RasterVertex::rhw);
        planes[P_U] = plane(&RasterVertex::u);
        planes[P_V] = plane(&RasterVertex::v);
    }
    float RasterVertex::*const colours[4] = {&RasterVertex::r, &RasterVertex::g, &RasterVertex::b,
                                             &RasterVertex::a};
    for (int32_t k = 0; k < 4; ++k) {
        planes[P_R + k] = s.flat ? Plane{flat.*colours[k], 0, 0} : plane(colours[k]);
    }

    const int64_t top = std::min({Y[0], Y[1], Y[2]});
    const int64_t bottom = std::max({Y[0], Y[1], Y[2]});
    const int64_t left = std::min({X[0], X[1], X[2]});
    const int64_t right = std::max({X[0], X[1], X[2]});
    // Rows and columns whose centres lie within the corners' bounds and the scissor.
    const int64_t firstRow = std::max<int64_t>(
        s.scissor.top, FloorDiv(top - kSubPixels / 2 + kSubPixels - 1, kSubPixels));
    const int64_t lastRow =
        std::min<int64_t>(s.scissor.bottom - 1, FloorDiv(bottom - kSubPixels / 2, kSubPixels));
    const int64_t firstColumn = std::max<int64_t>(
        s.scissor.left, FloorDiv(left - kSubPixels / 2 + kSubPixels - 1, kSubPixels));
    const int64_t lastColumn =
        std::min<int64_t>(s.scissor.right - 1, FloorDiv(right - kSubPixels / 2, kSubPixels));
    bool drew = false;
    const SpanRoutine span = ChooseSpan(s);
    for (int64_t row = firstRow; row <= lastRow; ++row) {
        const int64_t py = row * kSubPixels + kSubPixels / 2;
        int64_t first = firstColumn, last = lastColumn;
        for (const Edge& e : edges) {
            ClipSpan(e, py, &first, &last);
        }
        if (first > last) continue;
        span(s, static_cast<int32_t>(row), static_cast<int32_t>(first), static_cast<int32_t>(last),
             t, planes);
        drew = true;
    }
    return drew;
}

namespace {

Pixel PixelOf(const RasterState& s, const RasterVertex& a, const RasterVertex& b, float t)
{
    const auto mix = [t](float from, float to) { return from + (to - from) * t; };
    Pixel p{};
    p.z = mix(a.z, b.z);
    const float rhw = mix(a.rhw, b.rhw);
    p.w = rhw != 0.0f ? 1.0f / rhw : 0.0f;
    p.r = s.flat ? a.r : mix(a.r, b.r);
    p.g = s.flat ? a.g : mix(a.g, b.g);
    p.b = s.flat ? a.b : mix(a.b, b.b);
    p.a = s.flat ? a.a : mix(a.a, b.a);
    p.u = mix(a.u, b.u);
    p.v = mix(a.v, b.v);
    p.texture = TextureChoose(s, 0.0f);
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
            ShadePixel(s, FeaturesOf(s), x, y, PixelOf(s, a, b, t));
    }
}

void RasterPoint(const RasterState& s, const RasterVertex& a)
{
    int32_t x, y;
    if (InScissor(s, a.x, a.y, &x, &y)) ShadePixel(s, FeaturesOf(s), x, y, PixelOf(s, a, a, 0.0f));
}
