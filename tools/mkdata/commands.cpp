// tools/mkdata/commands.cpp: the data generator's command line: build the game's archives, pack
// a folder, list an archive.
#include "tools/mkdata/commands.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "engine/compress.h"
#include "engine/pakfile.h"
#include "tools/mkdata/generators.h"

namespace {

constexpr int MK_EXIT_DONE = 0;
constexpr int MK_EXIT_FAILED = 1;
constexpr int MK_EXIT_USAGE = 2;

using Arguments = std::vector<std::string>;  // those after the command's own word

struct MkCommand {
    const char* name;
    int (*run)(const Arguments& args);
    const char* usage;
};

constexpr auto kCodecNames = std::to_array<const char*>(
    {"stored", "run-length", "lzss-4k", "lzss-64k", "delta8+lzss-4k", "delta16+lzss-64k"});
static_assert(kCodecNames.size() == CMP_TYPE_COUNT, "one name per codec");

int Fail(const std::string& reason)
{
    std::fprintf(stderr, "mkdata: %s\n", reason.c_str());
    return MK_EXIT_FAILED;
}

std::string HostName(std::string gameName)
{
    std::replace(gameName.begin(), gameName.end(), '\\', '/');
    return gameName;
}

bool ReadBytes(const std::filesystem::path& path, std::vector<uint8_t>* bytes)
{
    std::ifstream file(path, std::ios::binary);
    bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return file.good() || file.eof();
}

// Every regular file under `tree`, named by its path relative to it.
bool ReadTree(const std::string& tree, std::vector<MkFile>* files, std::string* error)
{
    namespace fs = std::filesystem;
    std::error_code code;
    if (!fs::is_directory(tree, code)) {
        *error = "'" + tree + "' is not a folder";
        return false;
    }
    for (fs::recursive_directory_iterator it(tree, code), end; !code && it != end;
         it.increment(code)) {
        if (!it->is_regular_file(code)) continue;
        MkFile file{it->path().lexically_relative(tree).generic_string(), {}};
        std::replace(file.name.begin(), file.name.end(), '/', '\\');
        if (!ReadBytes(it->path(), &file.bytes)) {
            *error = "cannot read '" + it->path().string() + "'";
            return false;
        }
        files->push_back(std::move(file));
    }
    if (code) *error = "cannot read the folder '" + tree + "': " + code.message();
    return !code;
}

// A packed archive left from an earlier build would be mounted before the new list.
void RemovePackedForm(const std::string& base)
{
    std::error_code ignored;
    std::filesystem::remove(base + ".pki", ignored);
    std::filesystem::remove(base + ".pkd", ignored);
}

int Build(const Arguments& args);
int Pack(const Arguments& args);
int List(const Arguments& args);

constexpr auto kCommands = std::to_array<MkCommand>({
    {"build", Build, "mkdata build --out DIR [--unpacked]"},
    {"pack", Pack, "mkdata pack TREE NAME"},
    {"list", List, "mkdata list NAME"},
});

int Usage()
{
    std::fprintf(stderr, "usage:\n");
    for (const MkCommand& command : kCommands) {
        std::fprintf(stderr, "  %s\n", command.usage);
    }
    return MK_EXIT_USAGE;
}

int Build(const Arguments& args)
{
    std::string out;
    bool unpacked = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out" && i + 1 < args.size()) {
            out = args[++i];
        } else if (args[i] == "--unpacked") {
            unpacked = true;
        } else {
            return Usage();
        }
    }
    if (out.empty()) return Usage();

    MkFileSet set;
    MkRunGenerators(&set);
    for (int archive = 0; archive < MK_ARCHIVE_COUNT; ++archive) {
        const std::string base = out + "/" + HostName(MK_ARCHIVE_NAMES[archive]);
        if (unpacked) RemovePackedForm(base);
        const std::vector<MkFile>& files = set.archives[archive];
        std::string error;
        if (!(unpacked ? MkWriteListed : MkWritePacked)(base, files, &error)) return Fail(error);
        std::printf("mkdata: %s: %zu files\n", base.c_str(), files.size());
    }
    return MK_EXIT_DONE;
}

int Pack(const Arguments& args)
{
    if (args.size() != 2) return Usage();
    std::vector<MkFile> files;
    std::string error;
    if (!ReadTree(args[0], &files, &error) || !MkWritePacked(args[1], files, &error)) {
        return Fail(error);
    }
    std::printf("mkdata: %s: %zu files\n", args[1].c_str(), files.size());
    return MK_EXIT_DONE;
}

const char* CodecName(int pkdFd, const PakEntry& entry)
{
    if (!(entry.flags & PAK_FLAG_COMPRESSED)) return "plain";
    CmpHeader header{};
    const bool read = ::pread(pkdFd, &header, sizeof header, entry.dataOffset) == sizeof header;
    return read && header.type < CMP_TYPE_COUNT ? kCodecNames[header.type] : "unknown";
}

int List(const Arguments& args)
{
    if (args.size() != 1) return Usage();
    const std::string& base = args[0];
    const int pkdFd = ::open((base + ".pkd").c_str(), O_RDONLY | O_CLOEXEC);
    if (pkdFd < 0) return Fail("cannot open '" + base + ".pkd'");
    PakIndex index;
    std::string damagedFile;
    std::string reason;
    if (!PakReadIndex(base, pkdFd, &index, &damagedFile, &reason)) {
        ::close(pkdFd);
        return Fail("'" + damagedFile + "' is damaged (" + reason + ")");
    }
    std::printf("%s: %zu files\n", base.c_str(), index.entries.size());
    std::printf("%10s %10s  %-16s  %s\n", "size", "stored", "codec", "name");
    for (const PakEntry& entry : index.entries) {
        std::printf("%10u %10u  %-16s  %s\n", entry.size, entry.storedSize, CodecName(pkdFd, entry),
                    index.Name(entry));
    }
    ::close(pkdFd);
    return MK_EXIT_DONE;
}

}  // namespace

int MkMain(int argc, char** argv)
{
    if (argc < 2) return Usage();
    for (const MkCommand& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0) {
            return command.run(Arguments(argv + 2, argv + argc));
        }
    }
    return Usage();
}
