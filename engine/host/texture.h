// engine/host/texture.h: the 3D device's texture sampling: level of detail, mip level choice,
// point and linear filtering over wrapped 32-bit texel copies. Inline, because the span loops call
// it for every pixel and a call there costs as much as the sampling itself.
//
// Texture coordinates arrive as fractions of the texture in 0.32 fixed point: texel k of a level
// n texels wide covers the fractions [k/n, (k+1)/n), so the texel under a fraction is its product
// with n over 2^32, for any size and any level, and addresses wrap by the integer's own overflow.
#pragma once

#include <algorithm>
#include <cmath>

#include "engine/host/raster.h"

namespace texture_detail {

// floor() without the library call for the values sampling meets; the same result.
inline float Floor(float t)
{
    if (!(std::fabs(t) < 1e9f)) return std::floor(t);
    const auto whole = static_cast<float>(static_cast<int32_t>(t));
    return whole > t ? whole - 1.0f : whole;
}

[[gnu::always_inline]] inline uint32_t TexelUnder(uint32_t fraction, uint32_t size)
{
    return static_cast<uint32_t>((uint64_t{fraction} * size) >> 32);
}

[[gnu::always_inline]] inline uint32_t SamplePoint(const TextureLevel& level, uint32_t u,
                                                   uint32_t v)
{
    return level.argb[TexelUnder(v, level.height) * level.width + TexelUnder(u, level.width)];
}

// The two texels either side of a sample point half a texel back, and the second's weight 0-255.
struct Neighbours {
    uint32_t first;
    uint32_t second;
    uint32_t weight;
};

[[gnu::always_inline]] inline Neighbours NeighboursOf(uint32_t fraction, uint32_t size)
{
    // In 1/256 texels, rounded, so that a point a hair before a texel's centre takes that texel
    // whole; a whole size ahead so that half a texel back never goes below 0.
    constexpr uint64_t kHalfTexel = uint64_t{1} << 31, kHalfStep = uint64_t{1} << 23;
    const uint64_t at =
        (uint64_t{fraction} * size + (uint64_t{size} << 32) - kHalfTexel + kHalfStep) >> 24;
    uint32_t first = static_cast<uint32_t>(at >> 8);  // size - 1 to 2 size - 1
    first = first >= size ? first - size : first;
    const uint32_t second = first + 1 == size ? 0 : first + 1;
    return {first, second, static_cast<uint32_t>(at & 0xFF)};
}

// Blends two colours channel by channel with weights 0-256 (256: all of `b`). Two channels at a
// time: each sum stays below 2^16, so the lanes never carry into each other.
[[gnu::always_inline]] inline uint32_t Mix(uint32_t a, uint32_t b, uint32_t weight)
{
    constexpr uint32_t kLanes = 0x00FF00FF;
    const uint32_t keep = 256 - weight;
    const uint32_t even = ((a & kLanes) * keep + (b & kLanes) * weight + 0x00800080) >> 8;
    const uint32_t odd = ((a >> 8 & kLanes) * keep + (b >> 8 & kLanes) * weight + 0x00800080) >> 8;
    return (even & kLanes) | (odd & kLanes) << 8;
}

inline uint32_t Weight(float fraction) { return static_cast<uint32_t>(fraction * 256.0f + 0.5f); }

[[gnu::always_inline]] inline uint32_t SampleLinear(const TextureLevel& level, uint32_t u,
                                                    uint32_t v)
{
    const Neighbours x = NeighboursOf(u, level.width);
    const Neighbours y = NeighboursOf(v, level.height);
    const uint32_t* row0 = level.argb + y.first * level.width;
    const uint32_t* row1 = level.argb + y.second * level.width;
    return Mix(Mix(row0[x.first], row0[x.second], x.weight),
               Mix(row1[x.first], row1[x.second], x.weight), y.weight);
}

[[gnu::always_inline]] inline uint32_t SampleLevel(const TextureLevel& level, uint32_t filter,
                                                   uint32_t u, uint32_t v)
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
// level of detail only changes between runs. Copies of the levels, so that the span loops keep
// them in registers whatever they write.
struct TextureLevels {
    TextureLevel near;  // argb null: no texture bound
    TextureLevel far;   // the second level a linear mip filter blends in; argb null: none
    uint32_t filter;
    uint32_t weight;  // of `far`, 0-256
};

// Without a linear mip filter, what a level of detail chooses, as one number that never falls as
// the level of detail grows: 0 magnifies level 0, k > 0 minifies level k - 1.
inline int32_t TextureChoiceOf(const RasterState& state, float lod)
{
    using namespace texture_detail;
    if (lod <= 0.0f) return 0;
    if (state.mipFilter == HOST_FILTER_NONE || state.texture.levelCount == 1 || !(lod > 0.0f))
        return 1;  // not a number (an infinite bias): the largest level
    const float last = static_cast<float>(state.texture.levelCount - 1);
    return 1 + static_cast<int32_t>(std::min(Floor(lod + 0.5f), last));
}

[[gnu::always_inline]] inline TextureLevels TextureLevelsOfChoice(const RasterState& state,
                                                                  int32_t choice)
{
    const uint32_t filter = choice == 0 ? state.magFilter : state.minFilter;
    return {state.texture.levels[std::max(choice - 1, 0)], {}, filter, 0};
}

[[gnu::always_inline]] inline TextureLevels TextureChoose(const RasterState& state, float lod)
{
    using namespace texture_detail;
    const RasterTexture& texture = state.texture;
    if (texture.levelCount == 0) return {};
    if (state.mipFilter != HOST_FILTER_LINEAR || lod <= 0.0f || texture.levelCount == 1) {
        return TextureLevelsOfChoice(state, TextureChoiceOf(state, lod));
    }
    const float last = static_cast<float>(texture.levelCount - 1);
    const float clamped = std::min(lod, last);
    const auto near = static_cast<int32_t>(Floor(clamped));
    const int32_t far = std::min(near + 1, texture.levelCount - 1);
    if (far == near) return {texture.levels[near], {}, state.minFilter, 0};
    return {texture.levels[near], texture.levels[far], state.minFilter,
            Weight(clamped - static_cast<float>(near))};
}

// The levels a run samples with for its texel-to-pixel ratio: the same as TextureChoose of its
// level of detail, by the draw call's table of ratios unless a linear mip filter needs the
// logarithm's fraction.
[[gnu::always_inline]] inline TextureLevels TextureChooseForRatio(const RasterState& state,
                                                                  float texelsPerPixel)
{
    if (state.mipFilter == HOST_FILTER_LINEAR || state.texture.levelCount == 0)
        return TextureChoose(state, TextureLevelOfDetail(state, texelsPerPixel));
    int32_t choice = 0;
    while (choice < state.choiceCount && texelsPerPixel >= state.choiceFrom[choice]) {
        ++choice;
    }
    return TextureLevelsOfChoice(state, choice);
}

// The 0xAARRGGBB sample at the fractions (u, v) from the chosen levels of a bound texture with
// `filter`, the levels' own or a constant a specialised span routine knows to be the same;
// `mipBlend` false when a specialised routine knows that no second level is ever chosen.
[[gnu::always_inline]] inline uint32_t TextureSample(const TextureLevels& levels, uint32_t filter,
                                                     bool mipBlend, uint32_t u, uint32_t v)
{
    using namespace texture_detail;
    const uint32_t a = SampleLevel(levels.near, filter, u, v);
    if (!mipBlend || !levels.far.argb) return a;
    return Mix(a, SampleLevel(levels.far, filter, u, v), levels.weight);
}
