// gamecode/motionframes.h: the frame count of each motion clip. The counts decide when
// animations end and whether the actions' frame windows are reached, so every view mode plays
// a match the same way; the generated clips are written with exactly these counts.
#pragma once

#include <array>
#include <cstdint>

constexpr int32_t MOTION_CLIP_COUNT = 159;

extern const std::array<int16_t, MOTION_CLIP_COUNT> MotionFrameCounts;

// The frame count of a clip. A clip outside 0-158 is our own bug: fatal
// "MotionFrames_Count(): no motion clip %d".
int32_t MotionFrames_Count(int32_t clip);
