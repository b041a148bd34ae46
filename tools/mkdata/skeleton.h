// tools/mkdata/skeleton.h: the one skeleton every person model and motion shares: 22 joints, each
// parent numbered before its children, in the rest pose (standing upright facing -x, left side
// toward -y, up +z, the pelvis centre at the origin, soles at z = -17, head top at 14.5).
#pragma once

#include <array>
#include <cstdint>

#include "engine/vecmath.h"

enum MkJoint : int32_t {
    MK_JOINT_ROOT,
    MK_JOINT_PELVIS,
    MK_JOINT_SPINE,
    MK_JOINT_CHEST,
    MK_JOINT_HEAD,
    MK_JOINT_LEFT_CLAVICLE,
    MK_JOINT_LEFT_UPPER_ARM,
    MK_JOINT_LEFT_FOREARM,
    MK_JOINT_LEFT_HAND,
    MK_JOINT_RIGHT_CLAVICLE,
    MK_JOINT_RIGHT_UPPER_ARM,
    MK_JOINT_RIGHT_FOREARM,
    MK_JOINT_RIGHT_HAND,
    MK_JOINT_LEFT_THIGH,
    MK_JOINT_LEFT_SHIN,
    MK_JOINT_LEFT_FOOT,
    MK_JOINT_LEFT_TOES,
    MK_JOINT_RIGHT_THIGH,
    MK_JOINT_RIGHT_SHIN,
    MK_JOINT_RIGHT_FOOT,
    MK_JOINT_RIGHT_TOES,
    MK_JOINT_NECK,
    MK_JOINT_COUNT
};

constexpr float MK_SOLE_Z = -17.0f;
constexpr float MK_HEAD_TOP_Z = 14.5f;
constexpr uint16_t MK_NO_BONE = 0xFFFF;

struct MkJointRow {
    MkJoint joint;
    int32_t parent;  // -1 for the root
    Vec3 rest;       // where the joint sits in the rest pose
    const char* name;
};

// clang-format off
constexpr auto MK_SKELETON = std::to_array<MkJointRow>({
    {MK_JOINT_ROOT,            -1,                      {0, 0, 0},        "root"},
    {MK_JOINT_PELVIS,          MK_JOINT_ROOT,           {0, 0, 0},        "pelvis"},
    {MK_JOINT_SPINE,           MK_JOINT_PELVIS,         {0, 0, 1},        "spine"},
    {MK_JOINT_CHEST,           MK_JOINT_SPINE,          {0, 0, 5},        "chest"},
    {MK_JOINT_HEAD,            MK_JOINT_CHEST,          {0, 0, 11},       "head"},
    {MK_JOINT_LEFT_CLAVICLE,   MK_JOINT_CHEST,          {0, -0.8f, 9.6f}, "left clavicle"},
    {MK_JOINT_LEFT_UPPER_ARM,  MK_JOINT_LEFT_CLAVICLE,  {0, -3.3f, 9.6f}, "left upper arm"},
    {MK_JOINT_LEFT_FOREARM,    MK_JOINT_LEFT_UPPER_ARM, {0, -3.6f, 4.3f}, "left forearm"},
    {MK_JOINT_LEFT_HAND,       MK_JOINT_LEFT_FOREARM,   {0, -3.8f, -0.4f}, "left hand"},
    {MK_JOINT_RIGHT_CLAVICLE,  MK_JOINT_CHEST,          {0, 0.8f, 9.6f},  "right clavicle"},
    {MK_JOINT_RIGHT_UPPER_ARM, MK_JOINT_RIGHT_CLAVICLE, {0, 3.3f, 9.6f},  "right upper arm"},
    {MK_JOINT_RIGHT_FOREARM,   MK_JOINT_RIGHT_UPPER_ARM,{0, 3.6f, 4.3f},  "right forearm"},
    {MK_JOINT_RIGHT_HAND,      MK_JOINT_RIGHT_FOREARM,  {0, 3.8f, -0.4f}, "right hand"},
    {MK_JOINT_LEFT_THIGH,      MK_JOINT_PELVIS,         {0, -1.5f, -1},   "left thigh"},
    {MK_JOINT_LEFT_SHIN,       MK_JOINT_LEFT_THIGH,     {0, -1.5f, -8.5f}, "left shin"},
    {MK_JOINT_LEFT_FOOT,       MK_JOINT_LEFT_SHIN,      {0, -1.5f, -15.5f}, "left foot"},
    {MK_JOINT_LEFT_TOES,       MK_JOINT_LEFT_FOOT,      {-2.2f, -1.5f, -16.4f}, "left toes"},
    {MK_JOINT_RIGHT_THIGH,     MK_JOINT_PELVIS,         {0, 1.5f, -1},    "right thigh"},
    {MK_JOINT_RIGHT_SHIN,      MK_JOINT_RIGHT_THIGH,    {0, 1.5f, -8.5f}, "right shin"},
    {MK_JOINT_RIGHT_FOOT,      MK_JOINT_RIGHT_SHIN,     {0, 1.5f, -15.5f}, "right foot"},
    {MK_JOINT_RIGHT_TOES,      MK_JOINT_RIGHT_FOOT,     {-2.2f, 1.5f, -16.4f}, "right toes"},
    {MK_JOINT_NECK,            MK_JOINT_CHEST,          {0, 0, 10},       "neck"},
});
// clang-format on

static_assert(MK_SKELETON.size() == MK_JOINT_COUNT, "one row per joint");

consteval bool ParentsComeFirst()
{
    for (std::size_t i = 0; i < MK_SKELETON.size(); ++i) {
        if (MK_SKELETON[i].joint != static_cast<int32_t>(i)) return false;
        if (i > 0
            && (MK_SKELETON[i].parent < 0 || MK_SKELETON[i].parent >= static_cast<int32_t>(i)))
            return false;
    }
    return MK_SKELETON[0].parent == -1;
}
static_assert(ParentsComeFirst(), "a joint is out of place or hangs from a later one");

// Bone b poses joint b + 1; the root has none.
constexpr uint16_t MkJointBone(int32_t joint)
{
    return joint <= MK_JOINT_ROOT ? MK_NO_BONE : static_cast<uint16_t>(joint - 1);
}

// The corners a person stands on: each shoe's heel (on the foot) and toe tip (on the toes), left
// first, in the rest pose. The motion clips set a grounded man's root height by the lowest.
struct MkSolePoint {
    MkJoint joint;
    Vec3 rest;
};
constexpr MkSolePoint MK_SOLE_POINTS[] = {
    {MK_JOINT_LEFT_FOOT, {1.0f, -1.5f, MK_SOLE_Z}},
    {MK_JOINT_LEFT_TOES, {-3.2f, -1.5f, MK_SOLE_Z}},
    {MK_JOINT_RIGHT_FOOT, {1.0f, 1.5f, MK_SOLE_Z}},
    {MK_JOINT_RIGHT_TOES, {-3.2f, 1.5f, MK_SOLE_Z}},
};
