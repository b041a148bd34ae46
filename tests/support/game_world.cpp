// tests/support/game_world.cpp: the generated world and names, loaded into a fresh database, a
// seeded new game on top, the built-in tactics mounted and the generated messages, shared by the
// game's tests and benchmarks.
#include "tests/support/game_world.h"

#include <string>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/random.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/playersearch.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "game/world.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
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

const std::vector<uint8_t>& GeneratedMessagesImage()
{
    static const std::vector<uint8_t> image = Generate(MkGenerateMessages);
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

namespace {

// Packs the generated tactics file alone into the folder's "pakfiles\hdcommon" and mounts it;
// returns the file's bytes.
std::vector<uint8_t> MountTactics(const TempDir& dir)
{
    MkFileSet set;
    MkGenerateTactics(&set);
    std::string error;
    if (!MkWritePacked(dir.Path("pakfiles/hdcommon"), set.archives[MK_HDCOMMON], &error))
        ADD_FAILURE() << "the tactics archive cannot be written: " << error;
    MemoryInit();
    PakFileInit();
    DataFolderInit(dir.Path().c_str());
    PakMount("pakfiles\\hdcommon");
    return set.archives[MK_HDCOMMON].at(0).bytes;
}

}  // namespace

ScopedTactics::ScopedTactics() : m_file(MountTactics(m_dir)) { Tactics_Init(); }

ScopedTactics::~ScopedTactics()
{
    Tactics_Uninit();
    PakFileUninit();
}

ScopedSeason::ScopedSeason()
{
    MountTactics(m_dir);
    SaveGame_Init();
    Tactics_Init();
    MatchBlocks_Init();
    Season_Init();
    PlayerSearchSettings_Init();
}

ScopedSeason::~ScopedSeason()
{
    PlayerSearchSettings_Uninit();
    Season_Uninit();
    MatchBlocks_Uninit();
    Tactics_Uninit();
    PakFileUninit();
}

void EndTheMatchAfterItsFirstMinute()
{
    if (Match_GetMinute() < 1) return;
    MatchEndFlag = 1;
    MatchShared.replayPlaying = 0;
    MatchShared.replayState = REPLAY_NORMAL;
    MatchPhase = PHASE_PERIOD_OVER;
    Match.extraTime = Match.goldenGoal = Match.shootOut = 0;
}
