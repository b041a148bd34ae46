// game/savegame.cpp: saved games and the permanent archives, through the block container.
#include "game/savegame.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <unistd.h>

#include "engine/blockfile.h"
#include "engine/crc32.h"
#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/filename.h"
#include "engine/userfile.h"
#include "game/calendar.h"
#include "game/careerlog.h"
#include "game/fixtures.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/records.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"

namespace {

constexpr char SAVE_TYPE[] = "SAV0";
constexpr char PERM_TYPE[] = "PRM0";
constexpr char PAIR_TAG[] = "PAIR";
constexpr char SAVE_FOLDER[] = "SaveData";

#pragma pack(push, 1)
struct SavedCounts {
    int32_t fullPlayerCount;
    int32_t personCount;
    int32_t clubCount;
    int32_t spare;
    int64_t outsideBalance;
};
#pragma pack(pop)
static_assert(sizeof(SavedCounts) == 24);

struct SaveBlock {
    char tag[5];
    void* data;
    uint32_t size;
};

struct SaveGameState {
    SaveBlock registered[SAVEGAME_REGISTERED_MAX];
    int32_t registeredCount;
    SaveBlock perm[SAVEGAME_REGISTERED_MAX];
    int32_t permCount;
    SavedCounts counts;  // staged through here on both ways
    char saveName[MAX_FILENAME];
    char permName[MAX_FILENAME];
};

SaveGameState s_saveGame;

SaveBlock Block(const char* tag, void* data, uint32_t size)
{
    SaveBlock b{};
    std::memcpy(b.tag, tag, 4);
    b.data = data;
    b.size = size;
    return b;
}

// The saved game's blocks in file order: the database's own, then the registered ones.
std::vector<SaveBlock> SaveBlocks()
{
    std::vector<SaveBlock> blocks = {
        Block("GAME", &GameState, sizeof GameState),
        Block("CLUB", DbClubs, sizeof DbClubs),
        Block("SCLB", DbSmallClubs, sizeof DbSmallClubs),
        Block("CMAP", clubSlot, sizeof clubSlot),
        Block("WCLT", WorldClubTable, sizeof WorldClubTable),
        Block("PLYR", DbPlayers, sizeof DbPlayers),
        Block("LPLY", DbLightPlayers, sizeof DbLightPlayers),
        Block("PERS", DbPersons, sizeof DbPersons),
        Block("CNTS", &s_saveGame.counts, sizeof s_saveGame.counts),
        Block("FIXT", FixtureTable, sizeof FixtureTable),
        Block("DIVL", DivisionLists, sizeof DivisionLists),
        Block("LEAG", LeagueTable, sizeof LeagueTable),
        Block("LDAY", LeagueCountedDay, sizeof LeagueCountedDay),
        Block("POFF", PlayOffClubs, sizeof PlayOffClubs),
        Block("CUPS", &CupSchedule, sizeof CupSchedule),
        Block("EURO", &EuroQualifiers, sizeof EuroQualifiers),
        Block("NEWS", &TextMessNews, sizeof TextMessNews),
    };
    blocks.insert(blocks.end(), s_saveGame.registered,
                  s_saveGame.registered + s_saveGame.registeredCount);
    return blocks;
}

std::vector<SaveBlock> PermBlocks()
{
    std::vector<SaveBlock> blocks = {
        Block("HONR", HonoursTable, sizeof HonoursTable),
        Block("CLOG", &CareerLog, sizeof CareerLog),
    };
    blocks.insert(blocks.end(), s_saveGame.perm, s_saveGame.perm + s_saveGame.permCount);
    return blocks;
}

void CaptureCounts()
{
    s_saveGame.counts = {FullPlayerCount, DbPersonCount, DbClubCount, 0, DbOutsideBalance};
}

void AdoptCounts()
{
    FullPlayerCount = s_saveGame.counts.fullPlayerCount;
    DbPersonCount = s_saveGame.counts.personCount;
    DbClubCount = s_saveGame.counts.clubCount;
    DbOutsideBalance = s_saveGame.counts.outsideBalance;
}

uint32_t BlocksCrc(const std::vector<SaveBlock>& blocks, uint32_t crc)
{
    for (const SaveBlock& b : blocks) {
        crc = Crc32(b.data, b.size, crc);
    }
    return crc;
}

void Register(SaveBlock* list, int32_t* count, const char* tag, void* data, uint32_t size)
{
    if (tag == nullptr || std::strlen(tag) != 4)
        FatalError("SaveGame_RegisterBlock(): tag not four characters: '%s'", tag ? tag : "");
    for (int32_t k = 0; k < *count; ++k) {
        if (std::memcmp(list[k].tag, tag, 4) == 0) {
            list[k] = Block(tag, data, size);
            return;
        }
    }
    if (*count == SAVEGAME_REGISTERED_MAX)
        FatalError("SaveGame_RegisterBlock(): more than %d blocks", SAVEGAME_REGISTERED_MAX);
    list[(*count)++] = Block(tag, data, size);
}

int32_t WriteFile(const char* gameName, const char* type, const std::vector<SaveBlock>& blocks,
                  const uint32_t* stamp)
{
    std::vector<BlockFileBlock> out;
    for (const SaveBlock& b : blocks) {
        out.push_back({b.tag, b.data, b.size});
    }
    out.push_back({PAIR_TAG, stamp, sizeof *stamp});
    return BlockFileSave(gameName, type, SAVEGAME_VERSION, out.data(),
                         static_cast<int32_t>(out.size()));
}

int32_t FromBlockFile(int32_t result)
{
    switch (result) {
        case BLOCKFILE_OK: return SAVEGAME_OK;
        case BLOCKFILE_WRONG_KIND: return SAVEGAME_WRONG_KIND;
        case BLOCKFILE_BLOCK_MISSING: return SAVEGAME_BLOCK_MISSING;
        default: return SAVEGAME_DAMAGED;
    }
}

// A file read and checked: the views point into `bytes`, each of its block's exact size.
struct StagedFile {
    std::vector<uint8_t> bytes;
    std::vector<BlockFileView> views;  // the blocks, then the pair stamp
};

int32_t Stage(const char* gameName, size_t maxBytes, const char* type,
              const std::vector<SaveBlock>& blocks, StagedFile* staged)
{
    const std::string path = HostPath(gameName);
    const int32_t read = UserFile_Read(gameName, maxBytes, &staged->bytes);
    if (read == USERFILE_MISSING) {
        DebugPrintf(DBG_FILE, 1, "Warning: LoadGame(): '%s' is missing\n", path.c_str());
        return SAVEGAME_MISSING;
    }
    if (read != USERFILE_OK) return SAVEGAME_DAMAGED;
    for (const SaveBlock& b : blocks) {
        staged->views.push_back({b.tag, nullptr, 0, false});
    }
    staged->views.push_back({PAIR_TAG, nullptr, 0, false});
    const int32_t result =
        BlockFileViewImage(staged->bytes.data(), staged->bytes.size(), type, SAVEGAME_VERSION,
                           staged->views.data(), static_cast<int32_t>(staged->views.size()));
    if (result != BLOCKFILE_OK) {
        DebugPrintf(DBG_FILE, 1, "Warning: LoadGame(): '%s' is refused\n", path.c_str());
        return FromBlockFile(result);
    }
    for (size_t k = 0; k < staged->views.size(); ++k) {
        const uint32_t wanted = k < blocks.size() ? blocks[k].size : sizeof(uint32_t);
        if (staged->views[k].data == nullptr || staged->views[k].size != wanted) {
            DebugPrintf(DBG_FILE, 1,
                        "Warning: LoadGame(): '%s': block '%s' is missing or not %u bytes\n",
                        path.c_str(), staged->views[k].tag, wanted);
            return SAVEGAME_BLOCK_MISSING;
        }
    }
    return SAVEGAME_OK;
}

uint32_t StagedStamp(const StagedFile& staged)
{
    uint32_t stamp = 0;
    std::memcpy(&stamp, staged.views.back().data, sizeof stamp);
    return stamp;
}

uint32_t StagedDataCrc(const StagedFile& staged)
{
    uint32_t crc = 0;
    for (size_t k = 0; k + 1 < staged.views.size(); ++k) {
        crc = Crc32(staged.views[k].data, staged.views[k].size, crc);
    }
    return crc;
}

void Adopt(const StagedFile& staged, const std::vector<SaveBlock>& blocks)
{
    for (size_t k = 0; k < blocks.size(); ++k) {
        std::memcpy(blocks[k].data, staged.views[k].data, blocks[k].size);
    }
}

bool FolderReadable()
{
    DIR* dir = opendir(HostPath(SAVE_FOLDER).c_str());
    if (dir == nullptr) return false;
    closedir(dir);
    return true;
}

}  // namespace

void SaveGame_Init() { s_saveGame = {}; }

void SaveGame_Uninit() {}

void SaveGame_RegisterBlock(const char* tag, void* data, uint32_t size)
{
    Register(s_saveGame.registered, &s_saveGame.registeredCount, tag, data, size);
}

void SaveGame_RegisterPermBlock(const char* tag, void* data, uint32_t size)
{
    Register(s_saveGame.perm, &s_saveGame.permCount, tag, data, size);
}

const char* SaveGame_SaveName(int32_t n)
{
    std::snprintf(s_saveGame.saveName, sizeof s_saveGame.saveName, "SaveData\\save%d", n);
    return s_saveGame.saveName;
}

const char* SaveGame_PermName(int32_t n)
{
    std::snprintf(s_saveGame.permName, sizeof s_saveGame.permName, "SaveData\\perm%d", n);
    return s_saveGame.permName;
}

uint32_t SaveGame_StateHash()
{
    CaptureCounts();
    return BlocksCrc(PermBlocks(), BlocksCrc(SaveBlocks(), 0));
}

int32_t SaveGame(int32_t n)
{
    CaptureCounts();
    const std::vector<SaveBlock> save = SaveBlocks();
    const std::vector<SaveBlock> perm = PermBlocks();
    const uint32_t stamp = BlocksCrc(save, 0);
    const std::string saveNew = std::string(SaveGame_SaveName(n)) + ".new";
    const std::string permNew = std::string(SaveGame_PermName(n)) + ".new";
    // Both files are complete beside the old pair before either replaces it.
    if (WriteFile(saveNew.c_str(), SAVE_TYPE, save, &stamp) != BLOCKFILE_OK)
        return SAVEGAME_WRITE_FAILED;
    if (WriteFile(permNew.c_str(), PERM_TYPE, perm, &stamp) != BLOCKFILE_OK) {
        unlink(HostPath(saveNew.c_str()).c_str());
        return SAVEGAME_WRITE_FAILED;
    }
    const std::string savePath = HostPath(SaveGame_SaveName(n));
    const std::string permPath = HostPath(SaveGame_PermName(n));
    if (std::rename(HostPath(permNew.c_str()).c_str(), permPath.c_str()) != 0) {
        unlink(HostPath(saveNew.c_str()).c_str());
        unlink(HostPath(permNew.c_str()).c_str());
        DebugPrintf(DBG_FILE, 1, "Warning: SaveGame(): cannot replace '%s'\n", permPath.c_str());
        return SAVEGAME_WRITE_FAILED;
    }
    // Should this rename fail, the new archives sit beside the old game; the pair stamp then
    // refuses the slot instead of loading a mixed career.
    if (std::rename(HostPath(saveNew.c_str()).c_str(), savePath.c_str()) != 0) {
        unlink(HostPath(saveNew.c_str()).c_str());
        DebugPrintf(DBG_FILE, 1, "Warning: SaveGame(): cannot replace '%s'\n", savePath.c_str());
        return SAVEGAME_WRITE_FAILED;
    }
    return SAVEGAME_OK;
}

int32_t LoadGame(int32_t n)
{
    if (!FolderReadable()) {
        DebugPrintf(DBG_FILE, 1, "Warning: LoadGame(): the folder '%s' cannot be read\n",
                    HostPath(SAVE_FOLDER).c_str());
        return SAVEGAME_NO_FOLDER;
    }
    const std::vector<SaveBlock> save = SaveBlocks();
    const std::vector<SaveBlock> perm = PermBlocks();
    StagedFile savedGame;
    StagedFile archives;
    int32_t result =
        Stage(SaveGame_SaveName(n), SAVEGAME_SAVE_MAX_BYTES, SAVE_TYPE, save, &savedGame);
    if (result == SAVEGAME_OK)
        result = Stage(SaveGame_PermName(n), SAVEGAME_PERM_MAX_BYTES, PERM_TYPE, perm, &archives);
    if (result != SAVEGAME_OK) return result;
    const uint32_t stamp = StagedStamp(savedGame);
    if (stamp != StagedDataCrc(savedGame) || StagedStamp(archives) != stamp) {
        DebugPrintf(DBG_FILE, 1, "Warning: LoadGame(): slot %d: the two files are not one save\n",
                    n);
        return SAVEGAME_DAMAGED;
    }
    Adopt(savedGame, save);
    Adopt(archives, perm);
    AdoptCounts();
    Records_MembershipChanged();  // the clubs' member index described the career replaced
    Calendar_SetDay(DayNo);
    if (GameState.humanClub >= 0) VTW_RefreshSquadCount(GameState.humanClub);
    return SAVEGAME_OK;
}
