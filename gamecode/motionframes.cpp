// gamecode/motionframes.cpp: the frame counts of the motion clips.
#include "gamecode/motionframes.h"

#include <algorithm>

#include "engine/fatal.h"

namespace {

struct ClipMinimum {
    int16_t first;  // the clips first-last need at least `frames` frames
    int16_t last;
    int16_t frames;
};

// The latest frame each clip must reach: the frame windows that the actions wait for.
// clang-format off
constexpr auto kClipMinimums = std::to_array<ClipMinimum>({
    {1, 1, 31},     {7, 7, 43},     {9, 9, 58},     {10, 10, 32},   {12, 13, 32},
    {16, 16, 9},    {17, 18, 23},   {19, 20, 38},   {21, 21, 33},   {22, 22, 9},
    {23, 23, 27},   {24, 24, 93},   {26, 26, 64},   {27, 27, 64},   {28, 28, 27},
    {29, 29, 50},   {30, 30, 23},   {31, 31, 39},   {32, 32, 35},   {33, 33, 33},
    {34, 34, 45},   {35, 36, 63},   {37, 38, 58},   {39, 40, 45},   {42, 42, 61},
    {43, 43, 40},   {44, 44, 47},   {45, 45, 36},   {46, 46, 43},   {47, 47, 80},
    {48, 48, 99},   {49, 49, 26},   {50, 50, 72},   {51, 51, 116},  {54, 54, 26},
    {55, 55, 41},   {56, 56, 51},   {68, 68, 42},   {69, 69, 39},   {70, 70, 55},
    {71, 71, 50},   {72, 72, 41},   {73, 73, 48},   {74, 74, 33},   {76, 76, 25},
    {82, 82, 22},   {87, 87, 55},   {88, 88, 41},   {89, 89, 51},   {96, 96, 34},
    {97, 97, 81},   {98, 98, 94},   {99, 99, 77},   {106, 106, 201}, {109, 109, 281},
    {110, 110, 371}, {118, 129, 60}, {138, 149, 60}, {130, 131, 31}, {150, 151, 31},
    {133, 133, 93}, {158, 158, 41},
});
// clang-format on

// Ten frames past the latest window, and never under 60, so no window sits on the last frame.
constexpr std::array<int16_t, MOTION_CLIP_COUNT> BuildCounts()
{
    std::array<int16_t, MOTION_CLIP_COUNT> counts{};
    counts.fill(60);
    for (const ClipMinimum& m : kClipMinimums) {
        for (int32_t clip = m.first; clip <= m.last; ++clip) {
            counts[clip] = static_cast<int16_t>(std::max(60, m.frames + 10));
        }
    }
    return counts;
}

}  // namespace

constexpr std::array<int16_t, MOTION_CLIP_COUNT> MotionFrameCounts = BuildCounts();

int32_t MotionFrames_Count(int32_t clip)
{
    if (clip < 0 || clip >= MOTION_CLIP_COUNT)
        FatalError("MotionFrames_Count(): no motion clip %d", clip);
    return MotionFrameCounts[clip];
}
