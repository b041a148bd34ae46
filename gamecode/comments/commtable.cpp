// gamecode/comments/commtable.cpp: the commentary template table and its phrase groups.
#include "gamecode/comments/commtable.h"

#include <cstring>

#include "engine/blockfile.h"
#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/memory.h"
#include "engine/pakfile.h"

namespace {

struct CommTableState {
    uint8_t* file;  // the tracked block of "lang\comments.dat"
    const uint8_t* offsets;
    const char* pool;
    int16_t groups[COMM_GROUP_COUNT][COMM_GROUP_LIST];
};

CommTableState s_comm;

uint32_t ReadU32(const uint8_t* at)
{
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// u32 count, u32 offset[count], pool: every offset must start a text that ends in the pool.
bool CheckTemplates(const BlockFileView& view)
{
    constexpr size_t headerBytes = 4 + 4 * size_t{COMM_TEMPLATE_COUNT};
    if (view.size < headerBytes || ReadU32(view.data) != COMM_TEMPLATE_COUNT) return false;
    const size_t poolSize = view.size - headerBytes;
    const char* pool = reinterpret_cast<const char*>(view.data + headerBytes);
    for (int32_t i = 0; i < COMM_TEMPLATE_COUNT; ++i) {
        const uint32_t offset = ReadU32(view.data + 4 + 4 * size_t(i));
        if (offset >= poolSize || std::memchr(pool + offset, '\0', poolSize - offset) == nullptr)
            return false;
    }
    return true;
}

// Each list names 1-5 templates of a language block and is closed by -1 within its six words,
// so a speaker that counts up to the -1 and draws among the ids stays inside the list and the
// block.
bool ListsAreClosed(const int16_t (&groups)[COMM_GROUP_COUNT][COMM_GROUP_LIST])
{
    for (const auto& list : groups) {
        int32_t count = 0;
        while (count < COMM_GROUP_LIST && list[count] != -1) {
            if (list[count] < 0 || list[count] >= COMM_TEMPLATES_PER_LANGUAGE) return false;
            ++count;
        }
        if (count == 0 || count == COMM_GROUP_LIST) return false;
    }
    return true;
}

}  // namespace

void CommTable_Init()
{
    CommTable_Uninit();
    std::memset(s_comm.groups, 0, sizeof s_comm.groups);
}

void CommTable_Uninit()
{
    if (s_comm.file != nullptr) FreeMemory(&s_comm.file);
    s_comm.offsets = nullptr;
    s_comm.pool = nullptr;
}

void CommTable_Load()
{
    if (s_comm.file != nullptr) FreeMemory(&s_comm.file);
    const int32_t size = PakLoadFile("lang\\comments.dat", &s_comm.file, MEM_TYPE_FILE);
    if (!CommTable_LoadImage(s_comm.file, static_cast<size_t>(size)))
        FatalError("CommTable_Load(): 'lang\\comments.dat' is damaged");
}

bool CommTable_LoadImage(const void* image, size_t size)
{
    BlockFileView views[] = {{"TMPL", nullptr, 0, true}, {"GRPS", nullptr, 0, true}};
    if (BlockFileViewImage(image, size, COMM_FILE_TYPE, COMM_FILE_VERSION, views, 2)
        != BLOCKFILE_OK)
        return false;
    int16_t groups[COMM_GROUP_COUNT][COMM_GROUP_LIST];
    const bool sized = views[1].size == sizeof groups;
    if (sized) std::memcpy(groups, views[1].data, sizeof groups);
    if (!CheckTemplates(views[0]) || !sized || !ListsAreClosed(groups)) {
        DebugPrintf(DBG_GENERAL, 1, "Warning: CommTable_LoadImage(): the tables are malformed\n");
        return false;
    }
    s_comm.offsets = views[0].data + 4;
    s_comm.pool = reinterpret_cast<const char*>(s_comm.offsets + 4 * size_t{COMM_TEMPLATE_COUNT});
    std::memcpy(s_comm.groups, groups, sizeof groups);
    return true;
}

bool CommTable_IsLoaded() { return s_comm.pool != nullptr; }

const char* Comm_GetTemplate(int32_t id)
{
    if (s_comm.pool == nullptr) FatalError("Comm_GetTemplate(): no table loaded");
    if (id < 0 || id >= COMM_TEMPLATES_PER_LANGUAGE)
        FatalError("Comm_GetTemplate(): bad template id %d", id);
    const int32_t entry = COMM_LANGUAGE_FRENCH * COMM_TEMPLATES_PER_LANGUAGE + id;
    return s_comm.pool + ReadU32(s_comm.offsets + 4 * size_t(entry));
}

const int16_t* CommTable_GetGroupList(int32_t group)
{
    if (group < 0 || group >= COMM_GROUP_COUNT)
        FatalError("CommTable_GetGroupList(): bad group %d", group);
    return s_comm.groups[group];
}
