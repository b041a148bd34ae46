// tools/mkdata/models3d.h: every "XYZ0" model the 3D-device match view loads, made from our own
// procedural geometry.
#pragma once

#include <string>
#include <vector>

#include "tools/mkdata/fileset.h"
#include "tools/mkdata/model3d.h"

constexpr const char* MK_MODEL3D_ROOT = "vxdata\\d3d\\";

struct MkNamedModel {
    std::string name;  // under MK_MODEL3D_ROOT
    MkModel model;
};

// The 30 models in a fixed order: stadiums, pitches, ball, ball shadow, ground mark, corner flag,
// goal parts, people (player, keeper, referee at 500, 300, 200, 100 and 60 polygons), shadow.
std::vector<MkNamedModel> MkModels3D();
void MkGenerateModels3D(MkFileSet* set);
// The person (kind 0 player, 1 keeper, 2 referee) whose polygon count lies nearest the target:
// the skeleton's 22 joint points, then surface points grouped by joint in joint order.
MkModel MkPersonModel(int32_t kind, int32_t targetPolygons);
// The props in the frame the 3D device draws them: y up; the goal parts' x toward the net's depth
// (0 at the line to 1) and z across (-1 left to 1 right), the flag's pole from 0 to 1 up y.
MkModel MkBallModel();  // radius 0.05: the view scales the ball by 38
MkModel MkCornerFlagModel();
MkModel MkGoalPartModel(int32_t part);  // 0 back, 1 top, 2 left, 3 right
