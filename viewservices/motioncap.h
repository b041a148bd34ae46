// viewservices/motioncap.h: the motion clips every match view loads: 159 runs of fixed-size frames
// that pose a person (joint angles, root height) and carry the point where a held ball sits.
#pragma once

#include <array>
#include <cstdint>

#include "gamecode/motionframes.h"
#include "gamecode/presentation.h"

constexpr int32_t MOTION_FRAME_BYTES = 90;
constexpr int32_t MOTION_POSED_JOINTS = 21;  // joints 1-21; joint 0 is never posed

// One frame as stored. `root` is (0, 0, root height); `ball` the held ball's point: ground x, y
// relative to the root in the clip's own frame (facing -x), and its height above the ground.
// Angles are 256 steps to the turn, each joint's orientation in the body frame.
#pragma pack(push, 1)
struct MotionFrame {
    float root[3];
    float ball[3];
    uint8_t unused[3];
    uint8_t angles[MOTION_POSED_JOINTS][3];
};
#pragma pack(pop)
static_assert(sizeof(MotionFrame) == MOTION_FRAME_BYTES);
static_assert(offsetof(MotionFrame, angles) == 27);

// The file names, in clip-number order.
extern const std::array<const char*, MOTION_CLIP_COUNT> MotionClipNames;

// "VXDATA\COMMON\SSKIN\MOTIONS\<name>.RAW" of clip n.
void MotionCap_FileName(int32_t clip, char (&out)[64]);

// Loads the 159 clips (fatal on a damaged file or a frame count the match does not time them by);
// a second load while loaded does nothing. Free is safe when nothing is loaded, and forgets where
// MotionCap_MirrorSideSteps last saw everyone.
void LoadMotionCaptures();
void FreeMotionCaptures();
bool MotionCap_Loaded();

// The loaded clip's count, or the match's own count when no clip is loaded (the two agree by the
// loader's check, so a match plays the same in every view).
int32_t GetMotionFrameCount(int32_t clip);

// A frame of a loaded clip; a frame outside the clip is clamped to it. Null when nothing is
// loaded or the clip is outside 0-158.
const MotionFrame* MotionCap_Frame(int32_t clip, int32_t frame);

// Moves `a` to `b` plus the ball point of b's current frame turned by b's heading. Without a
// loaded clip, or for a motion outside the table, `a` stands at b's feet and keeps its height.
void PlaceAtMotionOffset(RenderObject* a, const RenderObject* b);

// The side-step clip steps toward the man's left: a man side-stepping to his right is drawn with
// its mirror, so that the foot he stands on keeps its place either way. Each view that poses
// people calls this once a pass, after the render list is filled and before drawing: it rewrites
// the render list's side-steps by the way each person moved across his facing since the last
// match tick (or replay frame) it saw, in the match's time, so a rewinding replay keeps the clip
// the match was drawn with. A person seen not moving across keeps the way he last moved.
void MotionCap_MirrorSideSteps();
