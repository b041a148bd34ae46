// engine/host/texture.h: the 3D device's texture sampling: level of detail, mip level choice,
// point and linear filtering over wrapped 32-bit texel copies. Inline, because the span loops call
// it for every pixel and a call there costs as much as the sampling itself.
#pragma once

#include <algorithm>
#include <cmath>

#include "engine/host/raster.h"

namespace texture_detail {

inline constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;

// The integer part wrapped into 0..size-1, whatever the sign; a mask for powers of two.
inline int32_t Wrap(int32_t value, int32_t size)
{
    if ((size & (size - 1)) == 0) return value & (size - 1);
    const int32_t r = value % size;
    return r < 0 ? r + size : r;
}

// floor() without the library call for the values sampling meets; the same result.
inline float Floor(float t)
{
    if (!(std::fabs(t) < 1e9f)) return std::floor(t);
    const auto whole = static_cast<float>(static_cast<int32_t>(t));
    return whole > t ? whole - 1.0f : whole;
}

// The fractional part of a coordinate: addresses wrap, and large values stay exact enough.
inline float Unit(float t) { return t - Floor(t); }

inline uint32_t SamplePoint(const HostTexels& level, float u, float v)
{
    const int32_t x =
        Wrap(static_cast<int32_t>(Unit(u) * static_cast<float>(level.width)), level.width);
    const int32_t y =
        Wrap(static_cast<int32_t>(Unit(v) * static_cast<float>(level.height)), level.height);
    return level.argb[y * level.width + x];
}

// Blends two colours channel by channel with weights 0-256 (256: all of `b`). Two channels at a
// time: each sum stays below 2^16, so the lanes never carry into each other.
inline uint32_t Mix(uint32_t a, uint32_t b, uint32_t weight)
{
    constexpr uint32_t kLanes = 0x00FF00FF;
    const uint32_t keep = 256 - weight;
    const uint32_t even = ((a & kLanes) * keep + (b & kLanes) * weight + 0x00800080) >> 8;
    const uint32_t odd = ((a >> 8 & kLanes) * keep + (b >> 8 & kLanes) * weight + 0x00800080) >> 8;
    return (even & kLanes) | (odd & kLanes) << 8;
}

inline uint32_t Weight(float fraction) { return static_cast<uint32_t>(fraction * 256.0f + 0.5f); }

inline uint32_t SampleLinear(const HostTexels& level, float u, float v)
{
    const float s = Unit(u) * static_cast<float>(level.width) - 0.5f;
    const float t = Unit(v) * static_cast<float>(level.height) - 0.5f;
    const float fs = Floor(s), ft = Floor(t);
    const int32_t x0 = Wrap(static_cast<int32_t>(fs), level.width);
    const int32_t y0 = Wrap(static_cast<int32_t>(ft), level.height);
    const int32_t x1 = Wrap(x0 + 1, level.width);
    const int32_t y1 = Wrap(y0 + 1, level.height);
    const uint32_t wx = Weight(s - fs), wy = Weight(t - ft);
    const uint32_t* row0 = level.argb + y0 * level.width;
    const uint32_t* row1 = level.argb + y1 * level.width;
    return Mix(Mix(row0[x0], row0[x1], wx), Mix(row1[x0], row1[x1], wx), wy);
}

inline uint32_t SampleLevel(const HostTexels& level, uint32_t filter, float u, float v)
{
    return filter == HOST_FILTER_LINEAR ? SampleLinear(level, u, v) : SamplePoint(level, u, v);
}

}  // namespace texture_detail

// The texture's level of detail for texel derivatives given in level-0 texels per pixel.
inline float TextureLevelOfDetail(const RasterState& state, float texelsPerPixel)
{
    if (!(texelsPerPixel > 0.0f)) return -100.0f;
    return std::log2(texelsPerPixel) + state.lodBias;
}

// The levels and filter one level of detail samples with: chosen once per run of pixels, since the
// level of detail only changes between runs.
struct TextureLevels {
    const HostTexels* near;  // null: no texture bound, sampled as opaque white
    const HostTexels* far;   // the second level a linear mip filter blends in, or null
    uint32_t filter;
    uint32_t weight;  // of `far`, 0-256
};

inline TextureLevels TextureChoose(const RasterState& state, float lod)
{
    using namespace texture_detail;
    const RasterTexture& texture = state.texture;
    if (texture.levelCount == 0) return {nullptr, nullptr, 0, 0};
    if (lod <= 0.0f || state.mipFilter == HOST_FILTER_NONE || texture.levelCount == 1) {
        const uint32_t filter = lod <= 0.0f ? state.magFilter : state.minFilter;
        return {&texture.levels[0], nullptr, filter, 0};
    }
    const float last = static_cast<float>(texture.levelCount - 1);
    if (state.mipFilter == HOST_FILTER_POINT) {
        const auto level = static_cast<int32_t>(std::min(Floor(lod + 0.5f), last));
        return {&texture.levels[level], nullptr, state.minFilter, 0};
    }
    const float clamped = std::min(lod, last);
    const auto near = static_cast<int32_t>(Floor(clamped));
    const int32_t far = std::min(near + 1, texture.levelCount - 1);
    if (far == near) return {&texture.levels[near], nullptr, state.minFilter, 0};
    return {&texture.levels[near], &texture.levels[far], state.minFilter,
            Weight(clamped - static_cast<float>(near))};
}

// The 0xAARRGGBB sample at (u, v) from the chosen levels.
[[gnu::always_inline]] inline uint32_t TextureSample(const TextureLevels& levels, float u, float v)
{
    using namespace texture_detail;
    if (!levels.near) return kOpaqueWhite;
    if (!std::isfinite(u)) u = 0.0f;
    if (!std::isfinite(v)) v = 0.0f;
    const uint32_t a = SampleLevel(*levels.near, levels.filter, u, v);
    if (!levels.far) return a;
    return Mix(a, SampleLevel(*levels.far, levels.filter, u, v), levels.weight);
}
