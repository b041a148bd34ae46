// menus/saveindex.cpp: the index of saved careers and the automatic save.
#include "menus/saveindex.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include <unistd.h>

#include "engine/debug.h"
#include "engine/filename.h"
#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/savegame.h"
#include "game/textmess.h"

SaveIndexSlot SaveIndex[SAVEINDEX_SLOTS];

namespace {

constexpr int32_t TEXT_SEASON = 554;
constexpr int32_t TEXT_DATE = 593;
constexpr int32_t TEXT_MANAGER = 30;
constexpr int32_t TEXT_CLUB = 173;
constexpr int32_t DEBUG_DETAIL = 10;
constexpr const char* AUTOSAVE_NAME = "AutoSave";

void EmptyAll()
{
    for (SaveIndexSlot& slot : SaveIndex) {
        slot = {};
    }
}

void CopyTerminated(char* to, size_t toBytes, const char* from, size_t fromBytes)
{
    const size_t n = std::min(toBytes - 1, fromBytes);
    std::memcpy(to, from, n);
    std::memset(to + n, 0, toBytes - n);
}

// The reads of one record in file order, each with its result and its log line.
int16_t ReadRecord(std::FILE* file, SaveIndexSlot* slot)
{
    SaveIndexFileRecord record{};
    if (std::fread(record.name, sizeof record.name, 1, file) != 1) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Reading directory names - failed\n");
        return -1;
    }
    if (std::fread(&record.used, sizeof record.used, 1, file) != 1) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Reading directory flags - failed\n");
        return -2;
    }
    if (std::fread(record.description, sizeof record.description, 1, file) != 1) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Reading game disription - failed\n");
        return -3;
    }
    // A damaged file may hold no terminators: both texts are cut inside their buffers.
    CopyTerminated(slot->name, sizeof slot->name, record.name, sizeof record.name);
    slot->used = record.used;
    CopyTerminated(slot->description, sizeof slot->description, record.description,
                   sizeof record.description);
    return 0;
}

int16_t ReadAll(std::FILE* file, SaveIndexSlot* slots)
{
    for (int32_t i = 0; i < SAVEINDEX_SLOTS; ++i) {
        if (const int16_t result = ReadRecord(file, &slots[i]); result < 0) return result;
    }
    return 0;
}

int16_t WriteRecord(std::FILE* file, const SaveIndexSlot& slot)
{
    SaveIndexFileRecord record{};
    std::memcpy(record.name, slot.name, sizeof record.name);
    record.used = slot.used;
    std::memcpy(record.description, slot.description, sizeof record.description);
    if (std::fwrite(record.name, sizeof record.name, 1, file) != 1) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Saving directory names - failed\n");
        return -2;
    }
    if (std::fwrite(&record.used, sizeof record.used, 1, file) != 1) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Saving directory flags - failed\n");
        return -3;
    }
    if (std::fwrite(record.description, sizeof record.description, 1, file) != 1) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Reading game disription - failed\n");
        return -4;
    }
    return 0;
}

int16_t WriteAll(std::FILE* file)
{
    for (const SaveIndexSlot& slot : SaveIndex) {
        if (const int16_t result = WriteRecord(file, slot); result < 0) return result;
    }
    return std::fflush(file) == 0 && fsync(fileno(file)) == 0 ? 0 : -4;
}

void SetName(int32_t slot, const char* name)
{
    std::snprintf(SaveIndex[slot].name, sizeof SaveIndex[slot].name, "%s", name);
}

}  // namespace

void SaveIndexInit() { EmptyAll(); }

void SaveIndexUninit() { EmptyAll(); }

int16_t LoadIndexFile()
{
    const std::string path = HostPath(SAVEINDEX_FILE);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Opening directory names (Load) - failed\n");
        EmptyAll();
        return 1;
    }
    static SaveIndexSlot staged[SAVEINDEX_SLOTS];
    int16_t result = ReadAll(file, staged);
    if (std::fclose(file) != 0 && result == 0) result = -4;
    if (result < 0) {
        EmptyAll();
        std::rename(path.c_str(), HostPath(SAVEINDEX_DAMAGED_FILE).c_str());
        return result;
    }
    std::memcpy(SaveIndex, staged, sizeof SaveIndex);
    return 0;
}

int16_t SaveIndexFile()
{
    const std::string path = HostPath(SAVEINDEX_FILE);
    const std::string temporary = path + ".tmp";
    std::FILE* file = MakeParentFolders(path) ? std::fopen(temporary.c_str(), "wb") : nullptr;
    if (file == nullptr) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Opening directory names (Save) - failed\n");
        return -1;
    }
    int16_t result = WriteAll(file);
    if (std::fclose(file) != 0 && result == 0) result = -5;
    if (result == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) result = -5;
    if (result < 0) std::remove(temporary.c_str());
    return result;
}

int32_t SaveIndex_CountUsed()
{
    if (LoadIndexFile() < 0) return 0;
    int32_t used = 0;
    for (const SaveIndexSlot& slot : SaveIndex) {
        used += slot.used != 0 ? 1 : 0;
    }
    return used;
}

int16_t AutoSave()
{
    if (const int16_t loaded = LoadIndexFile(); loaded < 0) return loaded;
    SetName(SAVEINDEX_AUTOSAVE_SLOT, AUTOSAVE_NAME);
    std::snprintf(SaveIndex[SAVEINDEX_AUTOSAVE_SLOT].description,
                  sizeof SaveIndex[SAVEINDEX_AUTOSAVE_SLOT].description, "%s", AUTOSAVE_NAME);
    SaveIndex[SAVEINDEX_AUTOSAVE_SLOT].used = 1;
    if (const int16_t written = SaveIndexFile(); written < 0) return written;
    return static_cast<int16_t>(SaveGame(SAVEGAME_AUTOSAVE_SLOT));
}

// The club record keeps the manager it had before the human took over, so the human is named
// as the club's manager.
void SaveIndex_Describe(int32_t slot)
{
    const int32_t season = VTW_GetSeasonCounter();
    const int32_t club = VTW_GetClubOfManager(MANAGER_HUMAN);
    const char* clubName = club >= 0 ? VTW_FormatClubName(VTW_GetTeam(club)) : "";
    char line[2 * SAVEINDEX_DESCRIPTION_BYTES];
    std::snprintf(line, sizeof line, "%s : %d/%d %s : %s %s : %s %s : %s",
                  GetMessageText(TEXT_SEASON), GAME_FIRST_YEAR + season,
                  GAME_FIRST_YEAR + 1 + season, GetMessageText(TEXT_DATE), VTW_GetDateText(),
                  GetMessageText(TEXT_MANAGER), GetMessageText(VTW_PersonTextNo(PERSON_HUMAN)),
                  GetMessageText(TEXT_CLUB), clubName);
    char* description = SaveIndex[slot].description;
    std::memset(description, 0, SAVEINDEX_DESCRIPTION_BYTES);
    std::memcpy(description, line,
                std::min<size_t>(std::strlen(line), SAVEINDEX_STORED_DESCRIPTION - 1));
}
