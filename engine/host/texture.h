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

#include <emmintrin.h>

#include "engine/host/raster.h"

// A colour's four channels, blue, green, red and alpha (the order of a 0xAARRGGBB word's bytes),
// as the low four 16-bit lanes of an SSE2 register (x86-64's baseline), so that filtering, the
// stage operations and fog work on all four at once. Each lane holds 0-255.
using Channels = __m128i;

[[gnu::always_inline]] inline Channels ChannelsOf(uint32_t argb)
{
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int32_t>(argb)), _mm_setzero_si128());
}

[[gnu::always_inline]] inline uint32_t ArgbOf(Channels c)
{
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(c, c)));
}

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

// The index in 64 bits, so that the one width register serves both products.
[[gnu::always_inline]] inline size_t PointIndex(const TextureLevel& level, uint32_t u, uint32_t v)
{
    return size_t{TexelUnder(v, level.height)} * level.width + TexelUnder(u, level.width);
}

[[gnu::always_inline]] inline Channels SamplePoint(const TextureLevel& level, uint32_t u,
                                                   uint32_t v)
{
    return ChannelsOf(level.argb[PointIndex(level, u, v)]);
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

// Blends lane by lane with weights 0-256 (256: all of `b`), rounded: each sum stays below 2^16.
[[gnu::always_inline]] inline Channels Mix(Channels a, Channels b, uint32_t weight)
{
    const Channels w = _mm_set1_epi16(static_cast<int16_t>(weight));
    const Channels keep = _mm_sub_epi16(_mm_set1_epi16(256), w);
    const Channels sum = _mm_add_epi16(_mm_mullo_epi16(a, keep), _mm_mullo_epi16(b, w));
    return _mm_srli_epi16(_mm_add_epi16(sum, _mm_set1_epi16(128)), 8);
}

inline uint32_t Weight(float fraction) { return static_cast<uint32_t>(fraction * 256.0f + 0.5f); }

// Both rows' texels blend across in one register (row 0's in the low lanes, row 1's in the high),
// then the two results blend down: the same roundings as one pair at a time.
[[gnu::always_inline]] inline Channels SampleLinear(const TextureLevel& level, uint32_t u,
                                                    uint32_t v)
{
    const Neighbours x = NeighboursOf(u, level.width);
    const Neighbours y = NeighboursOf(v, level.height);
    const uint32_t* row0 = level.argb + y.first * level.width;
    const uint32_t* row1 = level.argb + y.second * level.width;
    const auto column = [row0, row1](uint32_t k) {
        return _mm_unpacklo_epi8(
            _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int32_t>(row0[k])),
                               _mm_cvtsi32_si128(static_cast<int32_t>(row1[k]))),
            _mm_setzero_si128());
    };
    const Channels across = Mix(column(x.first), column(x.second), x.weight);
    return Mix(across, _mm_srli_si128(across, 8), y.weight);
}

[[gnu::always_inline]] inline Channels SampleLevel(const TextureLevel& level, uint32_t filter,
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
    uint32_t weight;         // of `far`, 0-256
    const uint16_t* packed;  // `near` in the target's layout, when RasterPrepare packed it
};

// Without a linear mip filter, what a level of detail chooses, as one number that never falls as
// the level of detail grows: 0 magnifies level 0, k > 0 minifies level k - 1.
inline int32_t TextureChoiceOf(const RasterState& state, float lod)
{
    using namespace texture_detail;
    if (lod <= 0.0f) return 0;
    if (state.mipFilter == HOST_FILTER_NONE || state.texture.levelCount == 1 || !(lod > 0.0f))
        return 1;  // not a number (an infinite bias): level 0, minified
    const float last = static_cast<float>(state.texture.levelCount - 1);
    return 1 + static_cast<int32_t>(std::min(Floor(lod + 0.5f), last));
}

[[gnu::always_inline]] inline TextureLevels TextureLevelsOfChoice(const RasterState& state,
                                                                  int32_t choice)
{
    const uint32_t filter = choice == 0 ? state.magFilter : state.minFilter;
    const int32_t level = std::max(choice - 1, 0);
    return {state.texture.levels[level], {}, filter, 0, state.texture.packed[level]};
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
    if (far == near) return {texture.levels[near], {}, state.minFilter, 0, nullptr};
    return {texture.levels[near], texture.levels[far], state.minFilter,
            Weight(clamped - static_cast<float>(near)), nullptr};
}

// The draw call's table's choice for a texel-to-pixel ratio (the number of steps at or below it;
// 0 for not a number), searched from `near`, any choice: neighbouring runs mostly choose alike.
[[gnu::always_inline]] inline int32_t TextureChoiceForRatio(const RasterState& state,
                                                            float texelsPerPixel, int32_t near)
{
    int32_t choice = near;
    while (choice > 0 && !(texelsPerPixel >= state.choiceFrom[choice - 1])) {
        --choice;
    }
    while (choice < state.choiceCount && texelsPerPixel >= state.choiceFrom[choice]) {
        ++choice;
    }
    return choice;
}

// The levels a run samples with for its texel-to-pixel ratio: the same as TextureChoose of its
// level of detail, by the draw call's table of ratios unless a linear mip filter needs the
// logarithm's fraction.
[[gnu::always_inline]] inline TextureLevels TextureChooseForRatio(const RasterState& state,
                                                                  float texelsPerPixel)
{
    if (state.mipFilter == HOST_FILTER_LINEAR || state.texture.levelCount == 0)
        return TextureChoose(state, TextureLevelOfDetail(state, texelsPerPixel));
    return TextureLevelsOfChoice(state, TextureChoiceForRatio(state, texelsPerPixel, 0));
}

// The sample at the fractions (u, v) from the chosen levels of a bound texture with
// `filter`, the levels' own or a constant a specialised span routine knows to be the same;
// `mipBlend` false when a specialised routine knows that no second level is ever chosen.
[[gnu::always_inline]] inline Channels TextureSample(const TextureLevels& levels, uint32_t filter,
                                                     bool mipBlend, uint32_t u, uint32_t v)
{
    using namespace texture_detail;
    const Channels a = SampleLevel(levels.near, filter, u, v);
    if (!mipBlend || !levels.far.argb) return a;
    return Mix(a, SampleLevel(levels.far, filter, u, v), levels.weight);
}
