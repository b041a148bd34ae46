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
#include "game/careerstate.h"
#include "game/fixtures.h"
#include "game/funcs.h"
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
constexpr char SLOT_NAME_TAG[] = "SNAM";

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
    SaveGameCheck check;
    bool optional;  // a save from before the block existed loads without it
};

struct SaveGameState {
    SaveBlock registered[SAVEGAME_REGISTERED_MAX];
    int32_t registeredCount;
    SaveBlock perm[SAVEGAME_REGISTERED_MAX];
    int32_t permCount;
    SavedCounts counts;  // staged through here on both ways
    char slotName[SAVEGAME_SLOT_NAME_BYTES];
    char saveName[MAX_FILENAME];
    char permName[MAX_FILENAME];
    int32_t (*stepHook)(int32_t step);
};

SaveGameState s_saveGame;

SaveBlock Block(const char* tag, void* data, uint32_t size, SaveGameCheck check)
{
    SaveBlock b{};
    std::memcpy(b.tag, tag, 4);
    b.data = data;
    b.size = size;
    b.check = check;
    return b;
}

// The counts the other blocks are read against.
bool CountsAreValid(const void* block)
{
    const auto& counts = *static_cast<const SavedCounts*>(block);
    return SaveCheck_InRange(counts.fullPlayerCount, 0, PLAYER_FULL_MAX)
           && SaveCheck_InRange(counts.personCount, counts.fullPlayerCount, PERSON_MAX)
           && SaveCheck_InRange(counts.clubCount, 0, CLUB_ID_COUNT);
}

bool SlotNameIsTerminated(const void* block)
{
    return std::memchr(block, '\0', SAVEGAME_SLOT_NAME_BYTES) != nullptr;
}

// The saved game's blocks in file order: the database's own, the registered ones, then the
// slot's name, which saves from before it lack.
std::vector<SaveBlock> SaveBlocks()
{
    std::vector<SaveBlock> blocks = {
        Block("GAME", &GameState, sizeof GameState, GameState_CheckSaved),
        Block("CLUB", DbClubs, sizeof DbClubs, Records_CheckClubs),
        Block("SCLB", DbSmallClubs, sizeof DbSmallClubs, Records_CheckSmallClubs),
        Block("CMAP", clubSlot, sizeof clubSlot, Records_CheckClubSlots),
        Block("WCLT", WorldClubTable, sizeof WorldClubTable, World_CheckClubTable),
        Block("PLYR", DbPlayers, sizeof DbPlayers, Records_CheckPlayers),
        Block("LPLY", DbLightPlayers, sizeof DbLightPlayers, Records_CheckLightPlayers),
        Block("PERS", DbPersons, sizeof DbPersons, Records_CheckPersons),
        Block("CNTS", &s_saveGame.counts, sizeof s_saveGame.counts, CountsAreValid),
        Block("FIXT", FixtureTable, sizeof FixtureTable, Fixtures_CheckTable),
        Block("DIVL", DivisionLists, sizeof DivisionLists, Tables_CheckDivisionLists),
        Block("LEAG", LeagueTable, sizeof LeagueTable, Tables_CheckLeagueRows),
        Block("LDAY", LeagueCountedDay, sizeof LeagueCountedDay, Tables_CheckCountedDays),
        Block("POFF", PlayOffClubs, sizeof PlayOffClubs, Honours_CheckPlayOffs),
        Block("CUPS", &CupSchedule, sizeof CupSchedule, Fixtures_CheckCupSchedule),
        Block("EURO", &EuroQualifiers, sizeof EuroQualifiers, Honours_CheckQualifiers),
        Block("NEWS", &TextMessNews, sizeof TextMessNews, TextMess_CheckInbox),
    };
    blocks.insert(blocks.end(), s_saveGame.registered,
                  s_saveGame.registered + s_saveGame.registeredCount);
    SaveBlock name =
        Block(SLOT_NAME_TAG, s_saveGame.slotName, sizeof s_saveGame.slotName, SlotNameIsTerminated);
    name.optional = true;
    blocks.push_back(name);
    return blocks;
}

std::vector<SaveBlock> PermBlocks()
{
    std::vector<SaveBlock> blocks = {
        Block("HONR", HonoursTable, sizeof HonoursTable, Honours_CheckRoll),
        Block("CLOG", &CareerLog, sizeof CareerLog, CareerLog_CheckSaved),
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

void Register(SaveBlock* list, int32_t* count, const SaveBlock& block)
{
    const char* tag = block.tag;
    if (tag == nullptr || std::strlen(tag) != 4)
        FatalError("SaveGame_RegisterBlock(): tag not four characters: '%s'", tag ? tag : "");
    for (int32_t k = 0; k < *count; ++k) {
        if (std::memcmp(list[k].tag, tag, 4) == 0) {
            list[k] = block;
            return;
        }
    }
    if (*count == SAVEGAME_REGISTERED_MAX)
        FatalError("SaveGame_RegisterBlock(): more than %d blocks", SAVEGAME_REGISTERED_MAX);
    list[(*count)++] = block;
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

// A file read and checked: the views point into `bytes`, each of its block's exact size, but
// for an optional block the file does not hold (no data).
struct StagedFile {
    std::vector<uint8_t> bytes;
    std::vector<BlockFileView> views;  // the blocks, then the pair stamp
};

bool IsAbsentOptional(const StagedFile& staged, const std::vector<SaveBlock>& blocks, size_t k)
{
    return k < blocks.size() && blocks[k].optional && staged.views[k].data == nullptr;
}

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
        staged->views.push_back({b.tag, nullptr, 0, !b.optional});
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
        if (IsAbsentOptional(*staged, blocks, k)) continue;
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
        if (staged.views[k].data == nullptr) continue;  // an optional block the file lacks
        crc = Crc32(staged.views[k].data, staged.views[k].size, crc);
    }
    return crc;
}

// Every block's range check on the staged bytes; the first block that fails, or null.
const char* FailedCheck(const StagedFile& staged, const std::vector<SaveBlock>& blocks)
{
    for (size_t k = 0; k < blocks.size(); ++k) {
        if (IsAbsentOptional(staged, blocks, k)) continue;
        if (blocks[k].check != nullptr && !blocks[k].check(staged.views[k].data))
            return blocks[k].tag;
    }
    return nullptr;
}

// An optional block the file lacks keeps what the career reset left in it.
void Adopt(const StagedFile& staged, const std::vector<SaveBlock>& blocks)
{
    for (size_t k = 0; k < blocks.size(); ++k) {
        if (IsAbsentOptional(staged, blocks, k)) continue;
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

// The commit record: once it is on disk the slot's new files are the slot's game, whatever
// happens to the renames that put them in place.
constexpr char COMMIT_TYPE[] = "CMT0";
constexpr char COMMIT_TAG[] = "CMIT";
constexpr uint32_t COMMIT_VERSION = 1;
constexpr size_t COMMIT_COMPANION_BYTES = 64;

#pragma pack(push, 1)
struct CommitRecord {
    int32_t slot;
    uint32_t stamp;                          // the pair stamp of the new files
    char companion[COMMIT_COMPANION_BYTES];  // the file replaced with the pair, "" for none
};
#pragma pack(pop)
static_assert(sizeof(CommitRecord) == 72);
constexpr size_t COMMIT_MAX_BYTES = BlockFileMaxBytes(sizeof(CommitRecord), 1);

// The names of one slot's files, old and new.
struct SlotNames {
    std::string save;
    std::string perm;
    std::string saveNew;
    std::string permNew;
    std::string marker;
};

SlotNames NamesOf(int32_t n)
{
    SlotNames names;
    names.save = SaveGame_SaveName(n);
    names.perm = SaveGame_PermName(n);
    names.saveNew = names.save + ".new";
    names.permNew = names.perm + ".new";
    names.marker = std::string(SAVE_FOLDER) + "\\commit" + std::to_string(n);
    return names;
}

// The pair stamp of a slot file that passes every check; for the game file the stamp must also
// be the checksum of its blocks.
bool WholeFileStamp(const std::string& gameName, bool isSave, uint32_t* stamp)
{
    if (UserFile_Probe(gameName.c_str()) != USERFILE_OK) return false;
    StagedFile staged;
    const int32_t result =
        isSave ? Stage(gameName.c_str(), SAVEGAME_SAVE_MAX_BYTES, SAVE_TYPE, SaveBlocks(), &staged)
               : Stage(gameName.c_str(), SAVEGAME_PERM_MAX_BYTES, PERM_TYPE, PermBlocks(), &staged);
    if (result != SAVEGAME_OK) return false;
    *stamp = StagedStamp(staged);
    return !isSave || *stamp == StagedDataCrc(staged);
}

bool HasStamp(const std::string& gameName, bool isSave, uint32_t stamp)
{
    uint32_t found = 0;
    return WholeFileStamp(gameName, isSave, &found) && found == stamp;
}

// The step hook's order for one step of a save, and the step itself when it is to run.
template <typename Action>
bool RunStep(int32_t step, bool* stopped, Action action)
{
    const int32_t order = s_saveGame.stepHook ? s_saveGame.stepHook(step) : SAVEGAME_STEP_GO;
    if (order == SAVEGAME_STEP_STOP) *stopped = true;
    if (order != SAVEGAME_STEP_GO) return false;
    return action();
}

void RemoveNewFiles(const SlotNames& names, const std::string& companionNew)
{
    UserFile_Remove(names.saveNew.c_str());
    UserFile_Remove(names.permNew.c_str());
    if (!companionNew.empty()) UserFile_Remove(companionNew.c_str());
}

// Puts one committed file in place: its new copy, whole and stamped, is renamed over it; or it
// already carries the stamp because the rename was done before the program stopped.
bool PutInPlace(const std::string& name, const std::string& newName, bool isSave, uint32_t stamp)
{
    if (HasStamp(newName, isSave, stamp)) {
        return UserFile_Rename(newName.c_str(), name.c_str()) == USERFILE_OK;
    }
    return HasStamp(name, isSave, stamp);
}

// Completes the save a commit record describes, or, when its new files are not the whole pair
// it names, forgets it and leaves the slot's previous game. False when a rename failed: the
// record stays for the next try.
bool FinishCommit(int32_t n)
{
    const SlotNames names = NamesOf(n);
    if (!UserFile_Exists(names.marker.c_str())) return true;  // no save stopped: the usual case
    CommitRecord commit{};
    const BlockFileRequest request = {COMMIT_TAG, &commit, sizeof commit, nullptr, true};
    if (BlockFileLoad(names.marker.c_str(), COMMIT_MAX_BYTES, COMMIT_TYPE, COMMIT_VERSION, &request,
                      1)
        != BLOCKFILE_OK)
        return UserFile_Remove(names.marker.c_str()) == USERFILE_OK;
    commit.companion[COMMIT_COMPANION_BYTES - 1] = '\0';
    const std::string companion = commit.companion;
    if (!companion.empty() && companion != SAVEGAME_INDEX_FILE) {
        DebugPrintf(DBG_FILE, 1,
                    "SaveGame_Recover(): slot %d: the commit record names '%s' - it is damaged "
                    "and the previous game stays\n",
                    n, companion.c_str());
        RemoveNewFiles(names, "");
        return UserFile_Remove(names.marker.c_str()) == USERFILE_OK;
    }
    const std::string companionNew = companion.empty() ? "" : companion + ".new";
    const bool pairWhole = commit.slot == n
                           && (HasStamp(names.permNew, false, commit.stamp)
                               || HasStamp(names.perm, false, commit.stamp))
                           && (HasStamp(names.saveNew, true, commit.stamp)
                               || HasStamp(names.save, true, commit.stamp));
    if (!pairWhole) {
        DebugPrintf(DBG_FILE, 1,
                    "SaveGame_Recover(): slot %d: the new files are not whole - "
                    "the previous game stays\n",
                    n);
        RemoveNewFiles(names, companionNew);
        return UserFile_Remove(names.marker.c_str()) == USERFILE_OK;
    }
    bool done = PutInPlace(names.perm, names.permNew, false, commit.stamp)
                && PutInPlace(names.save, names.saveNew, true, commit.stamp);
    if (done && !companion.empty() && UserFile_Probe(companionNew.c_str()) == USERFILE_OK) {
        done = UserFile_Rename(companionNew.c_str(), companion.c_str()) == USERFILE_OK;
    }
    if (!done) return false;
    DebugPrintf(DBG_FILE, 1, "SaveGame_Recover(): slot %d: the interrupted save is finished\n", n);
    return UserFile_Remove(names.marker.c_str()) == USERFILE_OK;
}

// A slot number from a file name "<stem><n><suffix>", or -1.
int32_t SlotOfName(const std::string& name, const char* stem, const char* suffix)
{
    const size_t stemLength = std::strlen(stem);
    const size_t suffixLength = std::strlen(suffix);
    if (name.size() <= stemLength + suffixLength || name.compare(0, stemLength, stem) != 0
        || name.compare(name.size() - suffixLength, suffixLength, suffix) != 0)
        return -1;
    const std::string digits = name.substr(stemLength, name.size() - stemLength - suffixLength);
    if (digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stoi(digits);
}

std::vector<std::string> FolderEntries()
{
    std::vector<std::string> entries;
    DIR* dir = opendir(HostPath(SAVE_FOLDER).c_str());
    if (dir == nullptr) return entries;
    while (const dirent* entry = readdir(dir)) {
        entries.push_back(entry->d_name);
    }
    closedir(dir);
    return entries;
}

// A new file that no commit record names is what a save left when it stopped before committing
// (or, from a version before commit records, between its two renames: then the game file's new
// copy completes the archives already in place, and is put in place too).
void TidyUncommitted(const std::string& entry)
{
    const std::string name = std::string(SAVE_FOLDER) + "\\" + entry;
    const bool stray = entry.ends_with(".tmp") || entry.ends_with(".new");
    if (!stray) return;
    const int32_t slot = SlotOfName(entry, "save", ".new");
    uint32_t stamp = 0;
    if (slot >= 0 && WholeFileStamp(name, true, &stamp)) {
        const SlotNames names = NamesOf(slot);
        if (HasStamp(names.perm, false, stamp) && !HasStamp(names.save, true, stamp)) {
            DebugPrintf(DBG_FILE, 1, "SaveGame_Recover(): slot %d: the new game is put in place\n",
                        slot);
            UserFile_Rename(name.c_str(), names.save.c_str());
            return;
        }
    }
    UserFile_Remove(name.c_str());
}

}  // namespace

bool SaveCheck_ClubOrWord(int32_t club)
{
    return SaveCheck_InRange(club, 0, CLUB_ID_COUNT - 1) || club == CLUB_ORIGIN
           || club == CLUB_RELEASED || club == CLUB_NONE;
}

void SaveGame_Init() { s_saveGame = {}; }

void SaveGame_Uninit() {}

void SaveGame_RegisterBlock(const char* tag, void* data, uint32_t size, SaveGameCheck check)
{
    Register(s_saveGame.registered, &s_saveGame.registeredCount, Block(tag, data, size, check));
}

void SaveGame_RegisterLateBlock(const char* tag, void* data, uint32_t size, SaveGameCheck check)
{
    SaveBlock block = Block(tag, data, size, check);
    block.optional = true;
    Register(s_saveGame.registered, &s_saveGame.registeredCount, block);
}

void SaveGame_RegisterPermBlock(const char* tag, void* data, uint32_t size, SaveGameCheck check)
{
    Register(s_saveGame.perm, &s_saveGame.permCount, Block(tag, data, size, check));
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

void SaveGame_SetSlotName(const char* name)
{
    std::memset(s_saveGame.slotName, 0, sizeof s_saveGame.slotName);
    std::snprintf(s_saveGame.slotName, sizeof s_saveGame.slotName, "%s", name);
}

int32_t SaveGame(int32_t n) { return SaveGame_WithCompanion(n, nullptr); }

int32_t SaveGame_WithCompanion(int32_t n, const SaveGameCompanion* companion)
{
    CaptureCounts();
    const std::vector<SaveBlock> save = SaveBlocks();
    const std::vector<SaveBlock> perm = PermBlocks();
    const uint32_t stamp = BlocksCrc(save, 0);
    const SlotNames names = NamesOf(n);
    CommitRecord commit{n, stamp, {}};
    std::string companionNew;
    if (companion != nullptr && std::strcmp(companion->gameName, SAVEGAME_INDEX_FILE) != 0)
        FatalError("SaveGame_WithCompanion(): '%s' is not the save index", companion->gameName);
    if (companion != nullptr) {
        std::snprintf(commit.companion, sizeof commit.companion, "%s", companion->gameName);
        companionNew = std::string(commit.companion) + ".new";
    }
    bool stopped = false;
    const auto failed = [&] {
        if (!stopped) RemoveNewFiles(names, companionNew);
        DebugPrintf(DBG_FILE, 1, "Warning: SaveGame(): slot %d was not saved\n", n);
        return SAVEGAME_WRITE_FAILED;
    };
    // A pending record of an earlier save of this slot would otherwise speak for these files.
    if (!FinishCommit(n)) return failed();
    // Whatever else stands at the new files' names is a leftover, a folder as much as a file.
    RemoveNewFiles(names, companionNew);
    const bool written =
        RunStep(SAVEGAME_STEP_WRITE_SAVE, &stopped,
                [&] { return WriteFile(names.saveNew.c_str(), SAVE_TYPE, save, &stamp) == 0; })
        && RunStep(SAVEGAME_STEP_WRITE_PERM, &stopped,
                   [&] { return WriteFile(names.permNew.c_str(), PERM_TYPE, perm, &stamp) == 0; })
        && RunStep(SAVEGAME_STEP_WRITE_COMPANION, &stopped, [&] {
               return companion == nullptr
                      || UserFile_Write(companionNew.c_str(), companion->data, companion->size)
                             == USERFILE_OK;
           });
    if (!written) return failed();
    const BlockFileBlock record = {COMMIT_TAG, &commit, sizeof commit};
    if (!RunStep(SAVEGAME_STEP_COMMIT, &stopped, [&] {
            return BlockFileSave(names.marker.c_str(), COMMIT_TYPE, COMMIT_VERSION, &record, 1)
                   == BLOCKFILE_OK;
        }))
        return failed();

    // Committed: from here the new game is the slot's, and a rename that fails now is finished
    // at the next start of the load screen, unless nothing has moved yet and the record can go.
    if (!RunStep(SAVEGAME_STEP_RENAME_PERM, &stopped, [&] {
            return UserFile_Rename(names.permNew.c_str(), names.perm.c_str()) == USERFILE_OK;
        })) {
        if (stopped) return SAVEGAME_WRITE_FAILED;
        if (UserFile_Remove(names.marker.c_str()) == USERFILE_OK) return failed();
        return SAVEGAME_OK;
    }
    const bool placed =
        RunStep(SAVEGAME_STEP_RENAME_SAVE, &stopped,
                [&] {
                    return UserFile_Rename(names.saveNew.c_str(), names.save.c_str())
                           == USERFILE_OK;
                })
        && RunStep(SAVEGAME_STEP_RENAME_COMPANION, &stopped,
                   [&] {
                       return companion == nullptr
                              || UserFile_Rename(companionNew.c_str(), companion->gameName)
                                     == USERFILE_OK;
                   })
        && RunStep(SAVEGAME_STEP_END_COMMIT, &stopped,
                   [&] { return UserFile_Remove(names.marker.c_str()) == USERFILE_OK; });
    if (stopped) return SAVEGAME_WRITE_FAILED;
    if (!placed) {
        DebugPrintf(DBG_FILE, 1,
                    "Warning: SaveGame(): slot %d is saved; its files are put in place later\n", n);
    }
    return SAVEGAME_OK;
}

void SaveGame_Recover()
{
    bool allFinished = true;
    for (const std::string& entry : FolderEntries()) {
        const int32_t slot = SlotOfName(entry, "commit", "");
        if (slot >= 0 && !FinishCommit(slot)) allFinished = false;
    }
    // A record that stays still needs its new files, and names the companion's.
    if (!allFinished) return;
    for (const std::string& entry : FolderEntries()) {
        if (SlotOfName(entry, "commit", "") < 0) TidyUncommitted(entry);
    }
}

bool SaveGame_SlotIsWhole(int32_t n)
{
    const SlotNames names = NamesOf(n);
    uint32_t stamp = 0;
    return WholeFileStamp(names.save, true, &stamp) && HasStamp(names.perm, false, stamp);
}

bool SaveGame_SlotHasFiles(int32_t n)
{
    const SlotNames names = NamesOf(n);
    return UserFile_Exists(names.save.c_str()) && UserFile_Exists(names.perm.c_str());
}

bool SaveGame_ReadSummary(int32_t n, SaveGameSummary* summary)
{
    const SlotNames names = NamesOf(n);
    const std::vector<SaveBlock> blocks = SaveBlocks();
    StagedFile staged;
    if (Stage(names.save.c_str(), SAVEGAME_SAVE_MAX_BYTES, SAVE_TYPE, blocks, &staged)
            != SAVEGAME_OK
        || !HasStamp(names.perm, false, StagedStamp(staged))
        || StagedStamp(staged) != StagedDataCrc(staged))
        return false;
    // The views follow SaveBlocks(): GAME, CLUB, SCLB, CMAP first, the slot's name last.
    std::memcpy(&summary->state, staged.views[0].data, sizeof summary->state);
    const BlockFileView& name = staged.views[blocks.size() - 1];
    std::memset(summary->slotName, 0, sizeof summary->slotName);
    if (name.data != nullptr && SlotNameIsTerminated(name.data))
        std::memcpy(summary->slotName, name.data, sizeof summary->slotName);
    const int32_t club = summary->state.humanClub;
    summary->humanTeam = -1;
    if (club < 0 || club >= CLUB_ID_COUNT) return true;
    uint16_t slot = 0;
    std::memcpy(&slot, staged.views[3].data + club * sizeof slot, sizeof slot);
    if (slot >= CLUB_FULL_MAX) return true;
    ClubRecord record;
    std::memcpy(&record, staged.views[1].data + slot * sizeof record, sizeof record);
    summary->humanTeam = record.team;
    return true;
}

void SaveGame_SetStepHook(int32_t (*hook)(int32_t step)) { s_saveGame.stepHook = hook; }

int32_t LoadGame(int32_t n)
{
    if (!FolderReadable()) {
        DebugPrintf(DBG_FILE, 1, "Warning: LoadGame(): the folder '%s' cannot be read\n",
                    HostPath(SAVE_FOLDER).c_str());
        return SAVEGAME_NO_FOLDER;
    }
    // A save of this slot that stopped after its commit is finished before the slot is read.
    FinishCommit(n);
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
    const char* failed = FailedCheck(savedGame, save);
    if (failed == nullptr) failed = FailedCheck(archives, perm);
    if (failed != nullptr) {
        DebugPrintf(DBG_FILE, 1,
                    "Warning: LoadGame(): slot %d: block '%s' holds a value out of range\n", n,
                    failed);
        return SAVEGAME_DAMAGED;
    }
    // Only a save that passed every check replaces the running career.
    Game_ResetCareerState();
    Adopt(savedGame, save);
    Adopt(archives, perm);
    AdoptCounts();
    Records_MembershipChanged();  // the clubs' member index described the career replaced
    Club_RestateSpentWinBonuses();
    Calendar_SetDay(DayNo);
    if (GameState.humanClub >= 0) VTW_RefreshSquadCount(GameState.humanClub);
    return SAVEGAME_OK;
}
