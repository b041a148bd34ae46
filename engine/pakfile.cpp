// engine/pakfile.cpp: the game's data archives: mounting and checking them, finding a file by
// name, serving its bytes.
#include "engine/pakfile.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/compress.h"
#include "engine/crc32.h"
#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/filename.h"
#include "engine/userfile.h"

namespace {

constexpr const char* kSource = "pakfile";

// The largest index a valid archive can have, so a damaged size field cannot ask for more.
constexpr uint64_t kMaxIndexBytes =
    sizeof(PakIndexHeader) + uint64_t{PAK_MAX_ENTRIES} * (sizeof(PakEntry) + PAK_MAX_NAME + 1);

struct ListedFile {    // one file of an unpacked tree
    std::string name;  // lookup form
    std::string hostPath;
};

struct PakArchive {
    bool packed;
    int pkdFd;  // a packed archive's data file, open while mounted
    PakIndex index;
    std::vector<ListedFile> files;  // an unpacked tree's, sorted by name
};

struct PakHandle {
    bool open;
    char name[PAK_MAX_NAME + 1];  // lookup form, for messages
    uint32_t size;
    int fd;       // where the bytes are read from, unless `data` holds them
    bool ownsFd;  // a listed file's own descriptor, closed with the handle
    uint64_t dataOffset;
    bool hasCrc;  // plain packed entries: checked by PakLoadFile
    uint32_t crc;
    uint8_t* data;  // a compressed entry, unpacked at open: a tracked block
};

struct PakState {
    bool initialised;
    PakArchive archives[PAK_MAX_ARCHIVES];
    int32_t archiveCount;
    PakHandle handles[PAK_MAX_OPEN];
};

PakState s_pak;

bool ReadAt(int fd, void* dst, size_t count, uint64_t offset)
{
    auto* bytes = static_cast<uint8_t*>(dst);
    while (count > 0) {
        const ssize_t got = ::pread(fd, bytes, count, static_cast<off_t>(offset));
        if (got <= 0) return false;
        bytes += got;
        count -= static_cast<size_t>(got);
        offset += static_cast<uint64_t>(got);
    }
    return true;
}

bool FileExists(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string Quoted(const char* name) { return std::string("'") + name + "'"; }

bool IsLookupForm(const char* name)
{
    char canonical[PAK_MAX_NAME + 1];
    return PakCanonicalName(name, canonical) && std::strcmp(canonical, name) == 0
           && PakNameIsValid(name);
}

// Unpacks the ".pki" bytes into `index`; CheckEntry then checks each entry.
bool UnpackIndex(const std::vector<uint8_t>& pki, PakIndex* index, std::string* reason)
{
    const uint32_t unpackedSize = CmpUnpackedSize(pki.data(), pki.size());
    if (unpackedSize < sizeof(PakIndexHeader) || unpackedSize > kMaxIndexBytes) {
        *reason = "the index is not a CMP0 stream of a plausible size";
        return false;
    }
    std::vector<uint8_t> bytes(unpackedSize);
    CmpStatus status;
    if (CmpDecode(pki.data(), pki.size(), bytes.data(), bytes.size(), &status) != unpackedSize
        || status != CmpStatus::Ok) {
        *reason = "the index does not decompress";
        return false;
    }
    PakIndexHeader header;
    std::memcpy(&header, bytes.data(), sizeof header);
    if (std::memcmp(header.magic, "PAK0", 4) != 0 || header.version != PAK_VERSION
        || header.entryCount > PAK_MAX_ENTRIES) {
        *reason = "the index header is wrong";
        return false;
    }
    const uint64_t entryBytes = uint64_t{header.entryCount} * sizeof(PakEntry);
    if (sizeof header + entryBytes + header.poolSize != unpackedSize) {
        *reason = "the index size does not match its header";
        return false;
    }
    if (Crc32(bytes.data() + sizeof header, unpackedSize - sizeof header) != header.crc) {
        *reason = "the index checksum is wrong";
        return false;
    }
    index->entries.resize(header.entryCount);
    if (entryBytes > 0)
        std::memcpy(index->entries.data(), bytes.data() + sizeof header, entryBytes);
    index->pool.assign(bytes.begin() + static_cast<std::ptrdiff_t>(sizeof header + entryBytes),
                       bytes.end());
    return true;
}

bool CheckEntry(const PakIndex& index, const PakEntry& entry, const char* previous,
                std::string* reason)
{
    const size_t poolSize = index.pool.size();
    const size_t room = entry.nameOffset < poolSize ? poolSize - entry.nameOffset : 0;
    const char* name = index.pool.data() + entry.nameOffset;
    if (room == 0 || !std::memchr(name, '\0', std::min<size_t>(room, PAK_MAX_NAME + 1))) {
        *reason = "a name lies outside the name pool";
        return false;
    }
    if (!IsLookupForm(name)) {
        *reason = "the name " + Quoted(name) + " is not a valid archive name";
        return false;
    }
    if (previous && std::strcmp(previous, name) >= 0) {
        *reason = "the names are not sorted or repeat (" + Quoted(name) + ")";
        return false;
    }
    const bool compressed = entry.flags & PAK_FLAG_COMPRESSED;
    if ((entry.flags & ~PAK_FLAG_COMPRESSED) != 0 || entry.size > INT32_MAX
        || (compressed ? entry.storedSize < sizeof(CmpHeader) : entry.storedSize != entry.size)
        || entry.dataOffset % PAK_DATA_ALIGN != 0 || entry.dataOffset < sizeof(PakDataHeader)) {
        *reason = "the entry " + Quoted(name) + " is inconsistent";
        return false;
    }
    return true;
}

bool CheckDataHeader(int pkdFd, uint64_t* pkdSize)
{
    struct stat info;
    PakDataHeader header;
    static constexpr uint8_t kZero[sizeof header.zero] = {};
    if (::fstat(pkdFd, &info) != 0 || !ReadAt(pkdFd, &header, sizeof header, 0)) return false;
    *pkdSize = static_cast<uint64_t>(info.st_size);
    return std::memcmp(header.magic, "PKD0", 4) == 0 && header.version == PAK_VERSION
           && std::memcmp(header.zero, kZero, sizeof kZero) == 0;
}

bool ParseListLine(std::string line, const std::string& folder, ListedFile* file,
                   std::string* reason)
{
    char name[PAK_MAX_NAME + 1];
    if (!PakCanonicalName(line.c_str(), name) || !PakNameIsValid(name)) {
        *reason = "the name " + Quoted(line.c_str()) + " is not a valid archive name";
        return false;
    }
    std::replace(line.begin(), line.end(), '\\', '/');
    file->name = name;
    file->hostPath = folder + "/" + line;
    struct stat info;
    if (::stat(file->hostPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        *reason = "the file " + Quoted(file->hostPath.c_str()) + " is missing";
        return false;
    }
    if (info.st_size > INT32_MAX) {
        *reason = "the file " + Quoted(file->hostPath.c_str()) + " is too large";
        return false;
    }
    return true;
}

bool IsBlank(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }

bool ReadList(const std::string& pklPath, PakArchive* archive, std::string* reason)
{
    // A list of the most names an archive holds, each of the longest, is smaller than this.
    std::vector<uint8_t> bytes;
    if (UserFile_ReadPath(pklPath.c_str(), kMaxIndexBytes, &bytes) != USERFILE_OK) {
        *reason = "the list cannot be read";
        return false;
    }
    const std::string folder = pklPath.substr(0, pklPath.find_last_of('/'));
    std::istringstream text(std::string(bytes.begin(), bytes.end()));
    std::string line;
    bool first = true;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (first) {
            if (line != "PKL0") {
                *reason = "the first line is not PKL0";
                return false;
            }
            first = false;
            continue;
        }
        if (IsBlank(line) || line[0] == '#') continue;
        if (archive->files.size() == PAK_MAX_ENTRIES) {
            *reason = "the list names too many files";
            return false;
        }
        ListedFile file;
        if (!ParseListLine(line, folder, &file, reason)) return false;
        archive->files.push_back(std::move(file));
    }
    if (first) {
        *reason = "the first line is not PKL0";
        return false;
    }
    std::sort(archive->files.begin(), archive->files.end(),
              [](const ListedFile& a, const ListedFile& b) { return a.name < b.name; });
    const auto twice = std::adjacent_find(
        archive->files.begin(), archive->files.end(),
        [](const ListedFile& a, const ListedFile& b) { return a.name == b.name; });
    if (twice != archive->files.end()) {
        *reason = "the name " + Quoted(twice->name.c_str()) + " is listed twice";
        return false;
    }
    return true;
}

// The mount's checks of a packed archive; the .pkd stays open in the archive.
void MountPacked(const std::string& base, PakArchive* archive)
{
    const std::string pkdPath = base + ".pkd";
    archive->packed = true;
    archive->pkdFd = ::open(pkdPath.c_str(), O_RDONLY | O_CLOEXEC);
    std::string damagedFile = pkdPath;
    std::string reason = "the data file is missing";
    if (archive->pkdFd < 0
        || !PakReadIndex(base, archive->pkdFd, &archive->index, &damagedFile, &reason)) {
        FatalError("Error: PakMount(): '%s' is damaged (%s)\n", damagedFile.c_str(),
                   reason.c_str());
    }
}

void MountList(const std::string& base, PakArchive* archive)
{
    const std::string pklPath = base + ".pkl";
    std::string reason;
    if (!ReadList(pklPath, archive, &reason)) {
        FatalError("Error: PakMount(): '%s' is damaged (%s)\n", pklPath.c_str(), reason.c_str());
    }
}

// Binary search of one archive for a name in lookup form; -1 when absent.
int32_t FindInArchive(const PakArchive& archive, const char* name)
{
    if (archive.packed) {
        const std::vector<PakEntry>& entries = archive.index.entries;
        const auto found = std::lower_bound(
            entries.begin(), entries.end(), name, [&](const PakEntry& entry, const char* key) {
                return std::strcmp(archive.index.Name(entry), key) < 0;
            });
        if (found == entries.end() || std::strcmp(archive.index.Name(*found), name) != 0) {
            return -1;
        }
        return static_cast<int32_t>(found - entries.begin());
    }
    const auto found = std::lower_bound(archive.files.begin(), archive.files.end(), name,
                                        [](const ListedFile& file, const char* key) {
                                            return std::strcmp(file.name.c_str(), key) < 0;
                                        });
    if (found == archive.files.end() || found->name != name) return -1;
    return static_cast<int32_t>(found - archive.files.begin());
}

// The first mounted archive that holds the name wins.
bool FindFile(const char* name, int32_t* archive, int32_t* item)
{
    char lookup[PAK_MAX_NAME + 1];
    if (!PakCanonicalName(name, lookup)) return false;
    for (*archive = 0; *archive < s_pak.archiveCount; ++*archive) {
        *item = FindInArchive(s_pak.archives[*archive], lookup);
        if (*item >= 0) return true;
    }
    return false;
}

void OpenListedFile(const ListedFile& file, PakHandle* handle)
{
    handle->fd = ::open(file.hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle->fd < 0) FatalError("Error: PakOpenFile(): Cannot find file '%s'\n", handle->name);
    handle->ownsFd = true;
    struct stat info;
    if (::fstat(handle->fd, &info) != 0 || info.st_size > INT32_MAX) {
        FatalError("Error: PakOpenFile(): '%s' is damaged\n", handle->name);
    }
    handle->size = static_cast<uint32_t>(info.st_size);
}

// A compressed entry is unpacked whole, after its stored bytes pass their checksum.
void UnpackEntry(int pkdFd, const PakEntry& entry, PakHandle* handle)
{
    std::vector<uint8_t> stored(entry.storedSize);
    if (!ReadAt(pkdFd, stored.data(), stored.size(), entry.dataOffset)) {
        FatalError("Error: PakOpenFile(): cannot read '%s'\n", handle->name);
    }
    if (Crc32(stored.data(), stored.size()) != entry.crc
        || CmpUnpackedSize(stored.data(), stored.size()) != entry.size) {
        FatalError("Error: PakOpenFile(): '%s' is damaged\n", handle->name);
    }
    if (entry.size == 0) return;
    AllocateMemory(&handle->data, entry.size, MEM_TYPE_FILE);
    DecompressDataMem(stored.data(), stored.size(), handle->data, entry.size);
}

void OpenEntry(const PakArchive& archive, const PakEntry& entry, PakHandle* handle)
{
    handle->size = entry.size;
    handle->fd = archive.pkdFd;
    if (entry.flags & PAK_FLAG_COMPRESSED) {
        UnpackEntry(archive.pkdFd, entry, handle);
        return;
    }
    handle->dataOffset = entry.dataOffset;
    handle->hasCrc = true;
    handle->crc = entry.crc;
}

PakHandle& OpenHandle(int32_t handle, const char* badHandleText)
{
    if (handle < 0 || handle >= PAK_MAX_OPEN || !s_pak.handles[handle].open) {
        FatalAbort(kSource, __LINE__, badHandleText);
    }
    return s_pak.handles[handle];
}

void CloseHandle(PakHandle* handle)
{
    if (handle->data) FreeMemory(&handle->data);
    if (handle->ownsFd) ::close(handle->fd);
    *handle = {};
}

}  // namespace

bool PakCanonicalName(const char* name, char (&out)[PAK_MAX_NAME + 1])
{
    size_t length = 0;
    for (; name[length] != '\0'; ++length) {
        if (length == PAK_MAX_NAME) return false;
        const char c = name[length];
        out[length] = c == '/' ? '\\' : (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    }
    out[length] = '\0';
    return length > 0;
}

bool PakNameIsValid(const char* name)
{
    const size_t length = std::strlen(name);
    // A ".pkl" list skips lines that start with '#' or are blank.
    if (length == 0 || length > PAK_MAX_NAME || name[0] == '#' || name[0] == ' ') return false;
    size_t partStart = 0;
    for (size_t i = 0; i <= length; ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c == '\\' || c == '\0') {
            const std::string part(name + partStart, i - partStart);
            if (part.empty() || part == "." || part == "..") return false;
            partStart = i + 1;
        } else if (c < 0x20 || c == 0x7F || c == '/') {
            return false;
        }
    }
    return true;
}

bool PakReadIndex(const std::string& hostBase, int pkdFd, PakIndex* index, std::string* damagedFile,
                  std::string* reason)
{
    *damagedFile = hostBase + ".pkd";
    uint64_t pkdSize = 0;
    if (!CheckDataHeader(pkdFd, &pkdSize)) {
        *reason = "the data file header is wrong";
        return false;
    }
    *damagedFile = hostBase + ".pki";
    std::vector<uint8_t> pki;
    if (UserFile_ReadPath(damagedFile->c_str(), kMaxIndexBytes + sizeof(CmpHeader), &pki)
        != USERFILE_OK) {
        *reason = "the index cannot be read";
        return false;
    }
    if (!UnpackIndex(pki, index, reason)) return false;
    const char* previous = nullptr;
    for (const PakEntry& entry : index->entries) {
        if (!CheckEntry(*index, entry, previous, reason)) return false;
        previous = index->Name(entry);
    }
    // The index being good, data running past the end mean the data file was cut short.
    for (const PakEntry& entry : index->entries) {
        if (uint64_t{entry.dataOffset} + entry.storedSize > pkdSize) {
            *damagedFile = hostBase + ".pkd";
            *reason = "the data of " + Quoted(index->Name(entry)) + " lie outside the data file";
            return false;
        }
    }
    return true;
}

void PakFileInit()
{
    if (s_pak.initialised) FatalAbort(kSource, __LINE__, "PakFileInit(): already initialised");
    s_pak = {};
    s_pak.initialised = true;
}

void PakFileUninit()
{
    if (!s_pak.initialised) FatalAbort(kSource, __LINE__, "PakFileUninit(): not initialised");
    for (PakHandle& handle : s_pak.handles) {
        if (handle.open) CloseHandle(&handle);
    }
    for (int32_t i = 0; i < s_pak.archiveCount; ++i) {
        if (s_pak.archives[i].packed) ::close(s_pak.archives[i].pkdFd);
    }
    s_pak = {};
}

void PakMount(const char* gameName)
{
    if (!s_pak.initialised) FatalAbort(kSource, __LINE__, "PakMount(): not initialised");
    if (s_pak.archiveCount == PAK_MAX_ARCHIVES) {
        FatalAbort(kSource, __LINE__, "PakMount(): too many archives");
    }
    const std::string base = DataPath(gameName);
    PakArchive& archive = s_pak.archives[s_pak.archiveCount];
    if (FileExists(base + ".pki")) {
        MountPacked(base, &archive);
    } else if (FileExists(base + ".pkl")) {
        MountList(base, &archive);
    } else {
        FatalError("Error: PakMount(): Cannot find pak file '%s'\n", base.c_str());
    }
    ++s_pak.archiveCount;
    DebugPrintf(DBG_FILE, 1, "PakMount(): '%s' mounted, %zu files\n", base.c_str(),
                archive.packed ? archive.index.entries.size() : archive.files.size());
}

int32_t PakOpenFile(const char* name, int32_t mode)
{
    if (mode != 0) {
        char message[64];
        std::snprintf(message, sizeof message, "PakOpenFile(): bad mode %d", mode);
        FatalAbort(kSource, __LINE__, message);
    }
    int32_t archive = 0;
    int32_t item = 0;
    if (!FindFile(name, &archive, &item)) {
        FatalError("Error: PakOpenFile(): Cannot find file '%s'\n", name);
    }

    PakHandle* handle = std::find_if(std::begin(s_pak.handles), std::end(s_pak.handles),
                                     [](const PakHandle& h) { return !h.open; });
    if (handle == std::end(s_pak.handles)) {
        FatalAbort(kSource, __LINE__, "PakOpenFile(): too many open files");
    }
    PakCanonicalName(name, handle->name);
    const PakArchive& found = s_pak.archives[archive];
    if (found.packed) {
        OpenEntry(found, found.index.entries[static_cast<size_t>(item)], handle);
    } else {
        OpenListedFile(found.files[static_cast<size_t>(item)], handle);
    }
    handle->open = true;
    DebugPrintf(DBG_FILE, 2, "PakOpenFile(): '%s'\n", handle->name);
    return static_cast<int32_t>(handle - s_pak.handles);
}

void PakCloseFile(int32_t handle)
{
    CloseHandle(&OpenHandle(handle, "PakCloseFile(): bad handle"));
}

int32_t PakFileLength(int32_t handle)
{
    return static_cast<int32_t>(OpenHandle(handle, "PakFileLength(): bad handle").size);
}

int32_t PakReadFile(void* dst, int32_t offset, int32_t count, int32_t handle)
{
    const PakHandle& file = OpenHandle(handle, "PakReadFile(): bad handle");
    if (offset < 0 || count < 0) {
        FatalAbort(kSource, __LINE__, "PakReadFile(): negative offset or count");
    }
    if (count == 0 || static_cast<uint32_t>(offset) >= file.size) return 0;
    const uint32_t length =
        std::min(static_cast<uint32_t>(count), file.size - static_cast<uint32_t>(offset));
    if (file.data) {
        std::memcpy(dst, file.data + offset, length);
    } else if (!ReadAt(file.fd, dst, length, file.dataOffset + static_cast<uint64_t>(offset))) {
        FatalError("Error: PakReadFile(): cannot read '%s'\n", file.name);
    }
    return static_cast<int32_t>(length);
}

bool PakCheckFile(int32_t handle)
{
    const PakHandle& file = OpenHandle(handle, "PakCheckFile(): bad handle");
    if (!file.hasCrc) return true;
    std::vector<uint8_t> chunk(65536);
    uint32_t crc = 0;
    for (uint32_t done = 0; done < file.size;) {
        const uint32_t length = std::min<uint32_t>(chunk.size(), file.size - done);
        if (!ReadAt(file.fd, chunk.data(), length, file.dataOffset + uint64_t{done})) return false;
        crc = Crc32(chunk.data(), length, crc);
        done += length;
    }
    return crc == file.crc;
}

int32_t PakLoadFile(const char* name, void** owner, uint32_t type)
{
    const int32_t handle = PakOpenFile(name);
    const int32_t size = PakFileLength(handle);
    AllocateMemory(owner, static_cast<uint32_t>(size), type);
    PakReadFile(*owner, 0, size, handle);
    const PakHandle& file = s_pak.handles[handle];
    if (file.hasCrc && Crc32(*owner, static_cast<size_t>(size)) != file.crc) {
        FatalError("Error: PakLoadFile(): '%s' is damaged\n", name);
    }
    PakCloseFile(handle);
    return size;
}
