// tools/mkdata/generators.cpp: the table of generators, each making one family of the game's files.
#include "tools/mkdata/generators.h"

#include <array>
#include <cstdio>

#include "tools/mkdata/d3dtextures.h"
#include "tools/mkdata/films.h"
#include "tools/mkdata/gametext.h"
#include "tools/mkdata/kittextures.h"
#include "tools/mkdata/matchgfx.h"
#include "tools/mkdata/menugfx.h"
#include "tools/mkdata/models3d.h"
#include "tools/mkdata/motions.h"
#include "tools/mkdata/people.h"
#include "tools/mkdata/propmodels.h"
#include "tools/mkdata/sounds.h"
#include "tools/mkdata/stadium.h"
#include "tools/mkdata/tactics.h"
#include "tools/mkdata/world.h"

namespace {

struct MkGenerator {
    const char* name;  // shown in the build log
    void (*run)(MkFileSet* set);
};

constexpr auto kGenerators = std::to_array<MkGenerator>({
    {"messages", MkGenerateMessages},
    {"person names", MkGenerateNames},
    {"commentary", MkGenerateComments},
    {"sound samples", MkGenerateSounds},
    {"menu fonts", MkGenerateMenuFonts},
    {"menu icons", MkGenerateMenuIcons},
    {"menu backgrounds", MkGenerateMenuBackgrounds},
    {"load bar", MkGenerateLoadBar},
    {"master palette", MkGenerateMasterPalette},
    {"match fonts", MkGenerateMatchFonts},
    {"match graphics", MkGenerateMatchGraphics},
    {"club emblem", MkGenerateEmblem},
    {"world", MkGenerateWorld},
    {"tactics", MkGenerateTactics},
    {"films", MkGenerateFilms},
    {"3D models", MkGenerateModels3D},
    {"kit palettes", MkGenerateKitPalettes},
    {"kit textures", MkGenerateKitTextures},
    {"motion clips", MkGenerateMotions},
    {"people models", MkGeneratePeople},
    {"props", MkGenerateProps},
    {"stadium ground", MkGenerateStadium},
    {"device textures", MkGenerateDeviceTextures},
    {"HUD icon sets", MkGenerateHudIcons},
});

}  // namespace

void MkRunGenerators(MkFileSet* set)
{
    for (const MkGenerator& generator : kGenerators) {
        std::printf("mkdata: %s\n", generator.name);
        generator.run(set);
    }
}
