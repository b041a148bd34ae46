// tools/mkdata/pakwriter.cpp: the archive writer, the one producer of what engine/pakfile reads.
#include "tools/mkdata/pakwriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/compress.h"
#include "engine/crc32.h"
#include "engine/pakfile.h"

namespace {

struct SortedFile {
    std::string lookupName;
    const MkFile* file;
};

// The files in the archive's order, every name checked; false with *error.
bool SortFiles(const std::vector<MkFile>& files, std::vector<SortedFile>* sorted,
               std::string* error)
{
    if (files.size() > PAK_MAX_ENTRIES) {
        *error = "more than " + std::to_string(PAK_MAX_ENTRIES) + " files";
        return false;
    }
    for (const MkFile& file : files) {
        char lookup[PAK_MAX_NAME + 1];
        if (!PakCanonicalName(file.name.c_str(), lookup) || !PakNameIsValid(lookup)) {
            *error = "'" + file.name + "' is not a valid archive name";
            return false;
        }
        sorted->push_back({lookup, &file});
    }
    std::sort(sorted->begin(), sorted->end(),
              [](const SortedFile& a, const SortedFile& b) { return a.lookupName < b.lookupName; });
    const auto twice = std::adjacent_find(
        sorted->begin(), sorted->end(),
        [](const SortedFile& a, const SortedFile& b) { return a.lookupName == b.lookupName; });
    if (twice != sorted->end()) {
        *error = "'" + twice->lookupName + "' is given twice";
        return false;
    }
    return true;
}

bool StaysPlain(const std::string& lookupName)
{
    // The sound driver reopens its streams for every 8 KB block: unpacking them whole each time
    // would cost more than the space saved.
    return lookupName.starts_with("sound\\");
}

template <typename T>
void Append(std::vector<uint8_t>* bytes, const T& value)
{
    const auto* raw = reinterpret_cast<const uint8_t*>(&value);
    bytes->insert(bytes->end(), raw, raw + sizeof value);
}

// Appends one file's stored bytes to the data file and returns its entry.
PakEntry StoreFile(const SortedFile& sorted, uint32_t nameOffset, std::vector<uint8_t>* pkd)
{
    const std::vector<uint8_t>& bytes = sorted.file->bytes;
    PakEntry entry{nameOffset, static_cast<uint32_t>(pkd->size()),
                   0,          static_cast<uint32_t>(bytes.size()),
                   0,          0};
    std::vector<uint8_t> stream;
    if (!StaysPlain(sorted.lookupName)) stream = CompressBest(bytes.data(), bytes.size());
    const bool compress = !stream.empty() && stream.size() * 8 <= bytes.size() * 7;
    const std::vector<uint8_t>& stored = compress ? stream : bytes;
    entry.storedSize = static_cast<uint32_t>(stored.size());
    entry.flags = compress ? PAK_FLAG_COMPRESSED : 0;
    entry.crc = Crc32(stored.data(), stored.size());
    pkd->insert(pkd->end(), stored.begin(), stored.end());
    pkd->resize((pkd->size() + PAK_DATA_ALIGN - 1) / PAK_DATA_ALIGN * PAK_DATA_ALIGN, 0);
    return entry;
}

std::vector<uint8_t> MakeIndex(const std::vector<PakEntry>& entries, const std::vector<char>& pool)
{
    std::vector<uint8_t> body;
    for (const PakEntry& entry : entries) {
        Append(&body, entry);
    }
    body.insert(body.end(), pool.begin(), pool.end());
    const PakIndexHeader header{{'P', 'A', 'K', '0'},
                                PAK_VERSION,
                                static_cast<uint32_t>(entries.size()),
                                static_cast<uint32_t>(pool.size()),
                                Crc32(body.data(), body.size())};
    std::vector<uint8_t> index;
    Append(&index, header);
    index.insert(index.end(), body.begin(), body.end());
    return index;
}

}  // namespace

bool MkWritePacked(const std::string& hostBase, const std::vector<MkFile>& files,
                   std::string* error)
{
    std::vector<SortedFile> sorted;
    if (!SortFiles(files, &sorted, error)) return false;

    std::vector<uint8_t> pkd;
    Append(&pkd, PakDataHeader{{'P', 'K', 'D', '0'}, PAK_VERSION, {}});
    std::vector<PakEntry> entries;
    std::vector<char> pool;
    for (const SortedFile& file : sorted) {
        if (file.file->bytes.size() > INT32_MAX) {
            *error = "'" + file.file->name + "' is larger than 2 GB";
            return false;
        }
        entries.push_back(StoreFile(file, static_cast<uint32_t>(pool.size()), &pkd));
        pool.insert(pool.end(), file.lookupName.begin(), file.lookupName.end());
        pool.push_back('\0');
        if (pkd.size() > UINT32_MAX) {
            *error = "the data file would pass 4 GB";
            return false;
        }
    }
    const std::vector<uint8_t> index = MakeIndex(entries, pool);
    const std::vector<uint8_t> pki = CompressBest(index.data(), index.size());
    return MkWriteFile(hostBase + ".pkd", pkd.data(), pkd.size(), error)
           && MkWriteFile(hostBase + ".pki", pki.data(), pki.size(), error);
}

bool MkWriteListed(const std::string& hostBase, const std::vector<MkFile>& files,
                   std::string* error)
{
    std::vector<SortedFile> sorted;
    if (!SortFiles(files, &sorted, error)) return false;

    const std::string folder = std::filesystem::path(hostBase).parent_path().string();
    std::string list = "PKL0\n";
    for (const SortedFile& file : sorted) {
        std::string gameName = file.file->name;
        std::replace(gameName.begin(), gameName.end(), '/', '\\');
        std::string relative = gameName;
        std::replace(relative.begin(), relative.end(), '\\', '/');
        const std::vector<uint8_t>& bytes = file.file->bytes;
        if (!MkWriteFile(folder + "/" + relative, bytes.data(), bytes.size(), error)) return false;
        list += gameName + "\n";
    }
    return MkWriteFile(hostBase + ".pkl", list.data(), list.size(), error);
}

bool MkWriteFile(const std::string& path, const void* data, size_t size, std::string* error)
{
    const std::filesystem::path target(path);
    const std::string temporary = path + ".tmp";
    std::error_code code;
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), code);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    bool written = file && (size == 0 || std::fwrite(data, 1, size, file) == size);
    if (file) written = std::fclose(file) == 0 && written;
    if (written) std::filesystem::rename(temporary, target, code);
    if (!written || code) {
        std::remove(temporary.c_str());
        *error = "cannot write '" + path + "'";
        return false;
    }
    return true;
}
