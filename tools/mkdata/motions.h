// tools/mkdata/motions.h: the 159 motion clips, posed from templates over the one skeleton and
// written with exactly the frame counts the match times its actions by.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/vecmath.h"
#include "tools/mkdata/fileset.h"

constexpr const char* MK_MOTIONS_SOURCE = "motions.txt";

// What a clip's ball point follows.
enum class MkBallHold { Ahead, Foot, Head, Hands };

struct MkMotionRow {
    std::string name;
    std::string templateName;  // the base's for a mirror
    int32_t keyFrame = -1;     // -1 for a loop
    int32_t heldTo = -1;       // the last frame the key pose is held on, else -1
    int32_t loopFrame = -1;    // -1 for a clip played once
    int32_t mirrorOf = -1;     // the base clip of a mirror, else -1
    int32_t speed = 0;         // a gait's running speed in the match's units, else 0
    MkBallHold hold = MkBallHold::Ahead;
    bool grounded = true;  // false: the match lifts him, so the root keeps standing height
};

// The rows of data/motions.txt in clip order, checked against the game's clip names.
std::vector<MkMotionRow> MkMotionRows();

// Ground units a man of middling pace covers in one frame (one match tick) at the match's
// running speed `speed`.
float MkGroundPerFrame(int32_t speed);

// The points a posed body rests on or reaches with: the 22 joints, then each sole's heel and toe
// tip (left heel, left toe, right heel, right toe), relative to the root. `angles` as stored in a
// frame: joints 1-21, 256 steps to the turn.
constexpr int32_t MK_BODY_POINTS = 26;
void MkPoseBody(const uint8_t (&angles)[21][3], Vec3 (&out)[MK_BODY_POINTS]);

// Each clip's frames as stored in its ".RAW" file after the 8-byte head.
std::vector<std::vector<uint8_t>> MkMotionClipFrames();
void MkGenerateMotions(MkFileSet* set);
