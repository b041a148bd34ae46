// gamecode/comments/commtable.h: the commentary template table and its phrase groups.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr char COMM_FILE_TYPE[] = "CMT0";  // "lang\comments.dat", a DAT0 container
constexpr uint32_t COMM_FILE_VERSION = 1;
constexpr int32_t COMM_LANGUAGE_COUNT = 7;
constexpr int32_t COMM_LANGUAGE_FRENCH = 4;  // the block the engine speaks from
constexpr int32_t COMM_TEMPLATES_PER_LANGUAGE = 1700;
constexpr int32_t COMM_TEMPLATE_COUNT = COMM_LANGUAGE_COUNT * COMM_TEMPLATES_PER_LANGUAGE;
constexpr int32_t COMM_GROUP_COUNT = 340;
constexpr int32_t COMM_GROUP_LIST = 6;  // five template ids closed by -1
constexpr int32_t COMM_MAX_TEMPLATE = 156;

// Init forgets the table; Uninit frees the loaded file and is safe without Init and twice.
void CommTable_Init();
void CommTable_Uninit();

// Start-up: loads "lang\comments.dat" into a tracked block kept for the run; a damaged file is
// fatal (installed data that mkdata checked).
void CommTable_Load();
// Takes the table from a "CMT0" image the caller keeps alive; false, after a log line, when it
// fails a check (every template ends inside the pool; every group list holds 1-5 ids 0-1699
// closed by -1). A refused image leaves the table as it was.
bool CommTable_LoadImage(const void* image, size_t size);

// True once a table was taken (CommTable_Load or CommTable_LoadImage) and not forgotten since.
bool CommTable_IsLoaded();
// The template of id 0-1699 in the French block; an id outside, or no table, is fatal.
const char* Comm_GetTemplate(int32_t id);
// Group g's list of template ids, closed by -1; a group outside 0-339 is fatal.
const int16_t* CommTable_GetGroupList(int32_t group);
