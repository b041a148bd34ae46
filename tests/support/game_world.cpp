// tests/support/game_world.cpp: the generated world and names, loaded into a fresh database, and
// a seeded new game on top, shared by the database tests and benchmarks.
#include "tests/support/game_world.h"

#include "engine/random.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/textmess.h"
#include "game/world.h"
#include "tests/support/support.h"
#include "tools/mkdata/gametext.h"
#include "tools/mkdata/world.h"

namespace {

std::vector<uint8_t> Generate(void (*generator)(MkFileSet*))
{
    MkFileSet set;
    generator(&set);
    for (const std::vector<MkFile>& archive : set.archives) {
        if (!archive.empty()) return archive.front().bytes;
    }
    return {};
}

}  // namespace

const std::vector<uint8_t>& GeneratedWorldImage()
{
    static const std::vector<uint8_t> image = Generate(MkGenerateWorld);
    return image;
}

const std::vector<uint8_t>& GeneratedNamesImage()
{
    static const std::vector<uint8_t> image = Generate(MkGenerateNames);
    return image;
}

ScopedWorld::ScopedWorld()
{
    ResetCoreForTest();
    TextMess_Init();
    Database_Init();
    const std::vector<uint8_t>& world = GeneratedWorldImage();
    const std::vector<uint8_t>& names = GeneratedNamesImage();
    if (!World_LoadImage(world.data(), world.size())
        || !Names_LoadImage(names.data(), names.size()))
        ADD_FAILURE() << "the generated world or names do not load";
}

ScopedWorld::~ScopedWorld()
{
    Database_Uninit();
    TextMess_Uninit();
    ResetCoreForTest();
}

void NewGameForTest(int32_t country, uint32_t seed)
{
    VTW_SetCountry(country);
    SRand(seed);
    VTW_NewGame();
}
