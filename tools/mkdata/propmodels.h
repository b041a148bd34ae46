// tools/mkdata/propmodels.h: the software view's rigid props ("NOD01"): the ball, the training
// cone, the four goal parts and the corner flag, the 3D device's shapes turned into the software
// view's frame, and their textures drawn in the in-game palette's fixed entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdata/fileset.h"
#include "tools/mkdata/nodwriter.h"

struct MkNamedProp {
    std::string path;              // the model's file under "vxdata\software\"
    std::string textureDirectory;  // its textures' folder, as the loaders are given it
    MkNodModel model;
};

struct MkPropTexture {
    std::string path;  // under "vxdata\software\"
    int32_t width;
    int32_t height;
    std::vector<uint8_t> pixels;
};

// Ball, cone, goal back, top, left, right, flag.
std::vector<MkNamedProp> MkPropModels();
std::vector<MkPropTexture> MkPropTextures();
void MkGenerateProps(MkFileSet* set);
