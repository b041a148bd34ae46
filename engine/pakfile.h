// engine/pakfile.h: the game's data archives, mounted from start-up to shutdown; every data file
// is opened by name, read and closed around each use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/memory.h"

constexpr int32_t PAK_MAX_OPEN = 16;
constexpr int32_t PAK_MAX_ARCHIVES = 2;  // "pakfiles\hdcommon", then "pakfiles\cdcommon"
constexpr uint32_t PAK_VERSION = 1;
constexpr uint32_t PAK_MAX_ENTRIES = 65535;
constexpr uint32_t PAK_MAX_NAME = 127;  // bytes, without the terminating NUL
constexpr uint32_t PAK_DATA_ALIGN = 16;
constexpr uint32_t PAK_FLAG_COMPRESSED = 1;  // the stored bytes are one CMP0 stream

// The records of a packed archive (docs/formats.md). The ".pki" file is one CMP0 stream that
// unpacks to a PakIndexHeader, the entries sorted by name, then the pool of names.
#pragma pack(push, 1)
struct PakIndexHeader {
    char magic[4];  // "PAK0"
    uint32_t version;
    uint32_t entryCount;
    uint32_t poolSize;
    uint32_t crc;  // CRC-32 of the entries and the pool
};

struct PakEntry {
    uint32_t nameOffset;  // into the pool
    uint32_t dataOffset;  // into the ".pkd", a multiple of PAK_DATA_ALIGN
    uint32_t storedSize;
    uint32_t size;  // as the game reads it
    uint32_t flags;
    uint32_t crc;  // CRC-32 of the stored bytes
};

struct PakDataHeader {  // the first bytes of a ".pkd"
    char magic[4];      // "PKD0"
    uint32_t version;
    uint8_t zero[8];
};
#pragma pack(pop)

static_assert(sizeof(PakIndexHeader) == 20);
static_assert(offsetof(PakIndexHeader, crc) == 16);
static_assert(sizeof(PakEntry) == 24);
static_assert(offsetof(PakEntry, crc) == 20);
static_assert(sizeof(PakDataHeader) == PAK_DATA_ALIGN);
static_assert(
    std::is_trivially_copyable_v<
        PakIndexHeader> && std::is_trivially_copyable_v<PakEntry> && std::is_trivially_copyable_v<PakDataHeader>);

// The unpacked index of one packed archive, checked whole.
struct PakIndex {
    std::vector<PakEntry> entries;  // sorted by name bytes, no name twice
    std::vector<char> pool;

    const char* Name(const PakEntry& entry) const { return pool.data() + entry.nameOffset; }
};

// Writes the lookup form of a game name into `out`: ASCII letters lower-cased, '/' turned into
// '\'. False when the name is empty or longer than PAK_MAX_NAME.
bool PakCanonicalName(const char* name, char (&out)[PAK_MAX_NAME + 1]);
// A name an archive may hold: no empty, "." or ".." part, no control character, no '/', no
// leading '#' or space.
bool PakNameIsValid(const char* name);

// Reads "<hostBase>.pki" and checks it whole against the open "<hostBase>.pkd" (header, sizes,
// checksum, names sorted and unique, every data range inside the data file). On failure:
// false, with the path of the file at fault in *damagedFile and the reason in *reason.
bool PakReadIndex(const std::string& hostBase, int pkdFd, PakIndex* index, std::string* damagedFile,
                  std::string* reason);

// Wrong-state calls are fatal: "PakFileInit(): already initialised", "PakFileUninit(): not
// initialised". Uninit closes every open file and unmounts every archive.
void PakFileInit();
void PakFileUninit();

// Mounts the archive of a game name ("pakfiles\hdcommon") under the data folder: "<name>.pki"
// with "<name>.pkd", else the list "<name>.pkl". Lookups search the archives in mount order.
// A missing archive, or one that fails any check, is fatal: installed data, not a user file.
void PakMount(const char* gameName);

// A handle (0 .. PAK_MAX_OPEN - 1) of the file; names ignore case and accept '/' for '\'.
// A missing file, a 17th open file and a mode other than 0 are fatal. A compressed file is
// unpacked whole here, into a tracked block that PakCloseFile frees.
int32_t PakOpenFile(const char* name, int32_t mode = 0);
void PakCloseFile(int32_t handle);  // a handle that is not open is fatal
int32_t PakFileLength(int32_t handle);

// Copies up to `count` bytes from `offset` of the file into dst and returns how many: short
// only at the end of the file, 0 at or past it.
int32_t PakReadFile(void* dst, int32_t offset, int32_t count, int32_t handle);
// True when the open file's stored bytes match their entry's checksum, read whole to see; a
// compressed entry was checked when it was opened and a loose file has no checksum: both true.
bool PakCheckFile(int32_t handle);

// Opens the file, allocates a tracked block of its size under `type` into *owner, reads it
// whole and closes it; returns the size. Stored bytes that fail their checksum are fatal.
int32_t PakLoadFile(const char* name, void** owner, uint32_t type = MEM_TYPE_FILE);

template <typename T>
int32_t PakLoadFile(const char* name, T** owner, uint32_t type = MEM_TYPE_FILE)
{
    return PakLoadFile(name, reinterpret_cast<void**>(owner), type);
}
