// tools/mkdata/people.h: the software view's 18 skinned people models (player, keeper, referee;
// five levels dressed by kit parts and a flat level in the 2D view's colour codes), the same
// bodies as the 3D device's people.
#pragma once

#include <string>
#include <vector>

#include "tools/mkdata/fileset.h"
#include "tools/mkdata/nodwriter.h"

constexpr const char* MK_PEOPLE_MODEL_DIRECTORY = "vxdata\\software\\sskin\\models";

struct MkNamedNod {
    std::string name;  // under MK_PEOPLE_MODEL_DIRECTORY
    MkNodModel model;
};

// In the order kind by kind (player, keeper, referee), levels 0-5.
std::vector<MkNamedNod> MkPeopleModels();
void MkGeneratePeople(MkFileSet* set);
