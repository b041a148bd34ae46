// menus/saveindex.cpp: the index of saved careers and the automatic save.
#include "menus/saveindex.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/crc32.h"
#include "engine/debug.h"
#include "engine/userfile.h"
#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/savegame.h"
#include "game/textmess.h"
#include "game/world.h"

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

// A record cut short names the first field it lacks, as the file's three reads of a record did.
int16_t ReadRecord(const std::vector<uint8_t>& bytes, size_t at, SaveIndexSlot* slot)
{
    SaveIndexFileRecord record{};
    const size_t left = bytes.size() > at ? bytes.size() - at : 0;
    if (left < offsetof(SaveIndexFileRecord, used)) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Reading directory names - failed\n");
        return -1;
    }
    if (left < offsetof(SaveIndexFileRecord, description)) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Reading directory flags - failed\n");
        return -2;
    }
    if (left < sizeof record) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Reading game disription - failed\n");
        return -3;
    }
    std::memcpy(&record, bytes.data() + at, sizeof record);
    // A damaged file may hold no terminators: both texts are cut inside their buffers.
    CopyTerminated(slot->name, sizeof slot->name, record.name, sizeof record.name);
    slot->used = record.used;
    CopyTerminated(slot->description, sizeof slot->description, record.description,
                   sizeof record.description);
    return 0;
}

constexpr char CHECK_MAGIC[4] = {'S', 'I', 'X', '1'};

SaveIndexFileCheck CheckOf(const uint8_t* records)
{
    SaveIndexFileCheck check;
    std::memcpy(check.magic, CHECK_MAGIC, sizeof check.magic);
    check.crc = Crc32(records, SAVEINDEX_FILE_BYTES);
    return check;
}

// A file longer than the records must be the records and their check; one of the records'
// length or shorter is an index from before the check, read as it stands.
bool PassesCheck(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() <= SAVEINDEX_FILE_BYTES) return true;
    if (bytes.size() != SAVEINDEX_CHECKED_FILE_BYTES) return false;
    const SaveIndexFileCheck wanted = CheckOf(bytes.data());
    return std::memcmp(bytes.data() + SAVEINDEX_FILE_BYTES, &wanted, sizeof wanted) == 0;
}

int16_t ReadAll(const std::vector<uint8_t>& bytes, SaveIndexSlot* slots)
{
    if (!PassesCheck(bytes)) {
        DebugPrintf(DBG_FILE, 1, "LoadIndexFile(): '%s' fails its check\n", SAVEINDEX_FILE);
        return -5;
    }
    for (int32_t i = 0; i < SAVEINDEX_SLOTS; ++i) {
        const size_t at = static_cast<size_t>(i) * sizeof(SaveIndexFileRecord);
        if (const int16_t result = ReadRecord(bytes, at, &slots[i]); result < 0) return result;
    }
    return 0;
}

std::vector<uint8_t> FileImage()
{
    std::vector<uint8_t> bytes(SAVEINDEX_CHECKED_FILE_BYTES);
    for (int32_t i = 0; i < SAVEINDEX_SLOTS; ++i) {
        SaveIndexFileRecord record{};
        std::memcpy(record.name, SaveIndex[i].name, sizeof record.name);
        record.used = SaveIndex[i].used;
        std::memcpy(record.description, SaveIndex[i].description, sizeof record.description);
        std::memcpy(bytes.data() + i * sizeof record, &record, sizeof record);
    }
    const SaveIndexFileCheck check = CheckOf(bytes.data());
    std::memcpy(bytes.data() + SAVEINDEX_FILE_BYTES, &check, sizeof check);
    return bytes;
}

void SetName(int32_t slot, const char* name)
{
    std::snprintf(SaveIndex[slot].name, sizeof SaveIndex[slot].name, "%s", name);
}

void Describe(int32_t slot, int32_t season, const char* date, const char* manager, const char* club)
{
    char line[2 * SAVEINDEX_DESCRIPTION_BYTES];
    std::snprintf(line, sizeof line, "%s : %d/%d %s : %s %s : %s %s : %s",
                  GetMessageText(TEXT_SEASON), GAME_FIRST_YEAR + season,
                  GAME_FIRST_YEAR + 1 + season, GetMessageText(TEXT_DATE), date,
                  GetMessageText(TEXT_MANAGER), manager, GetMessageText(TEXT_CLUB), club);
    char* description = SaveIndex[slot].description;
    std::memset(description, 0, SAVEINDEX_DESCRIPTION_BYTES);
    std::memcpy(description, line,
                std::min<size_t>(std::strlen(line), SAVEINDEX_STORED_DESCRIPTION - 1));
}

void NameAutoSave()
{
    SetName(SAVEINDEX_AUTOSAVE_SLOT, AUTOSAVE_NAME);
    std::snprintf(SaveIndex[SAVEINDEX_AUTOSAVE_SLOT].description,
                  sizeof SaveIndex[SAVEINDEX_AUTOSAVE_SLOT].description, "%s", AUTOSAVE_NAME);
    SaveIndex[SAVEINDEX_AUTOSAVE_SLOT].used = 1;
}

// A slot's entry made from its own files, as the save screen would have described it, under the
// name the game file keeps; a file from before slots kept their name is named after the club
// until the human names it again at his next save there. A pair that fails its checks is still
// listed, unnamed, so that a save over it asks first.
void DescribeFromFiles(int32_t slot)
{
    SaveIndex[slot] = {};
    SaveIndex[slot].used = 1;
    SaveGameSummary summary;
    if (!SaveGame_ReadSummary(slot, &summary)) return;
    if (slot == SAVEINDEX_AUTOSAVE_SLOT) {
        NameAutoSave();
        return;
    }
    World_Load();  // the club's name comes from the installed world, not from the save
    char manager[sizeof summary.state.managerName + 1] = {};
    std::memcpy(manager, summary.state.managerName, sizeof summary.state.managerName);
    const char* club = summary.humanTeam >= 0 ? VTW_FormatClubName(summary.humanTeam) : "";
    SetName(slot, summary.slotName[0] != '\0' ? summary.slotName : club);
    Describe(slot, summary.state.seasonCounter, Calendar_DateTextOf(summary.state), manager, club);
}

// The index is a cache of what the slots hold: an entry for a slot without files goes, a slot
// with files gets an entry if it has none or one without a description. True when one changed.
bool MatchSlotsOnDisk()
{
    bool changed = false;
    for (int32_t slot = 0; slot < SAVEINDEX_SLOTS; ++slot) {
        const bool present = SaveGame_SlotHasFiles(slot);
        const bool listed = SaveIndex[slot].used != 0;
        // The game always describes a slot it saves: an entry without one is not its own.
        if (present && (!listed || SaveIndex[slot].description[0] == '\0')) {
            DescribeFromFiles(slot);
        } else if (!present && listed) {
            SaveIndex[slot] = {};
        } else {
            continue;
        }
        changed = true;
    }
    return changed;
}

}  // namespace

void SaveIndexInit() { EmptyAll(); }

void SaveIndexUninit() { EmptyAll(); }

int16_t LoadIndexFile()
{
    std::vector<uint8_t> bytes;
    const int32_t read = UserFile_Read(SAVEINDEX_FILE, SAVEINDEX_FILE_MAX_BYTES, &bytes);
    if (read == USERFILE_MISSING) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Opening directory names (Load) - failed\n");
        EmptyAll();
        return 1;
    }
    static SaveIndexSlot staged[SAVEINDEX_SLOTS];
    const int16_t result = read == USERFILE_OK ? ReadAll(bytes, staged) : -4;
    if (result < 0) {
        EmptyAll();
        UserFile_Rename(SAVEINDEX_FILE, SAVEINDEX_DAMAGED_FILE);
        return result;
    }
    std::memcpy(SaveIndex, staged, sizeof SaveIndex);
    return 0;
}

int16_t SaveIndexFile()
{
    const std::vector<uint8_t> image = FileImage();
    if (UserFile_Write(SAVEINDEX_FILE, image.data(), image.size()) != USERFILE_OK) {
        DebugPrintf(DBG_FILE, DEBUG_DETAIL, "Opening directory names (Save) - failed\n");
        return -1;
    }
    return 0;
}

bool SaveIndex_Refresh()
{
    SaveGame_Recover();
    const int16_t loaded = LoadIndexFile();
    if (!MatchSlotsOnDisk() && loaded >= 0) return true;
    DebugPrintf(DBG_FILE, 1, "SaveIndex_Refresh(): the index is rebuilt from the slots' files\n");
    // An index that cannot be written again still lists what the files hold this time.
    const bool anyListed = std::any_of(std::begin(SaveIndex), std::end(SaveIndex),
                                       [](const SaveIndexSlot& slot) { return slot.used != 0; });
    return SaveIndexFile() == 0 || loaded >= 0 || anyListed;
}

int32_t SaveIndex_CountUsed()
{
    SaveIndex_Refresh();
    int32_t used = 0;
    for (const SaveIndexSlot& slot : SaveIndex) {
        used += slot.used != 0 ? 1 : 0;
    }
    return used;
}

int32_t SaveIndex_SaveSlot(int32_t slot)
{
    const std::vector<uint8_t> image = FileImage();
    const SaveGameCompanion index = {SAVEINDEX_FILE, image.data(), image.size()};
    SaveGame_SetSlotName(SaveIndex[slot].name);
    return SaveGame_WithCompanion(slot, &index);
}

int16_t AutoSave()
{
    SaveIndex_Refresh();
    const SaveIndexSlot previous = SaveIndex[SAVEINDEX_AUTOSAVE_SLOT];
    NameAutoSave();
    const int32_t result = SaveIndex_SaveSlot(SAVEINDEX_AUTOSAVE_SLOT);
    if (result < 0) SaveIndex[SAVEINDEX_AUTOSAVE_SLOT] = previous;
    return static_cast<int16_t>(result);
}

// The club record keeps the manager it had before the human took over, so the human is named
// as the club's manager.
void SaveIndex_Describe(int32_t slot)
{
    const int32_t club = VTW_GetClubOfManager(MANAGER_HUMAN);
    const char* clubName = club >= 0 ? VTW_FormatClubName(VTW_GetTeam(club)) : "";
    Describe(slot, VTW_GetSeasonCounter(), VTW_GetDateText(),
             GetMessageText(VTW_PersonTextNo(PERSON_HUMAN)), clubName);
}
