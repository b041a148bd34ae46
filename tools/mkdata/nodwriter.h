// tools/mkdata/nodwriter.h: writing NOD model files ("NOD01" rigid, "NOD02" skinned) from models
// built in memory.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct MkNodPoint {
    float x, y, z;
    int16_t joint = 0;   // skinned models
    int16_t vertex = 0;  // skinned models: the work vertex the point moves
};

struct MkNodSurface {
    uint32_t flags = 0;
    std::array<float, 4> u{};
    std::array<float, 4> v{};
    std::array<int16_t, 4> corners{-1, -1, -1, -1};  // a triangle leaves the fourth -1
    int16_t texture = -1;
    int32_t width = 0;  // written with flag 0x08
    int32_t height = 0;
};

struct MkNodModel {
    bool skinned = false;
    std::vector<MkNodPoint> points;  // a skinned model's terminator is added on writing
    std::vector<MkNodSurface> surfaces;
    std::vector<std::string> textures;
    std::vector<uint32_t> jointPoints;  // skinned models: each joint's origin point
    std::vector<uint32_t> sortPoints;   // two a group
    std::vector<uint32_t> startPoints;  // each group's first surface
    std::vector<uint32_t> endPoints;    // and last
    uint32_t highestJoint = 0;
    uint32_t leadingPoints = 0;  // the points copied unposed
};

// Record sizes; larger than the fields is allowed (the readers step by the size).
struct MkNodRecordSizes {
    uint32_t point = 0;    // 0: 12 rigid, 16 skinned
    uint32_t surface = 0;  // 0: 58, or 66 when any surface has flag 0x08
    uint32_t texture = 16;
    uint32_t word = 4;
};

std::vector<uint8_t> MkNodBytes(const MkNodModel& model, MkNodRecordSizes sizes = {});
