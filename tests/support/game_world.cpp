// tests/support/game_world.cpp: the generated world and names, loaded into a fresh database, a
// seeded new game on top, and the built-in tactics mounted, shared by the game's tests and
// benchmarks.
#include "tests/support/game_world.h"

#include <string>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/random.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/tactics.h"
#include "tools/mkdata/gametext.h"
#include "tools/mkdata/pakwriter.h"
#include "tools/mkdata/tactics.h"
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

ScopedTactics::ScopedTactics()
{
    MkFileSet set;
    MkGenerateTactics(&set);
    m_file = set.archives[MK_HDCOMMON].at(0).bytes;
    std::string error;
    if (!MkWritePacked(m_dir.Path("pakfiles/hdcommon"), set.archives[MK_HDCOMMON], &error))
        ADD_FAILURE() << "the tactics archive cannot be written: " << error;
    MemoryInit();
    PakFileInit();
    DataFolderInit(m_dir.Path().c_str());
    PakMount("pakfiles\\hdcommon");
    Tactics_Init();
}

ScopedTactics::~ScopedTactics()
{
    Tactics_Uninit();
    PakFileUninit();
}
