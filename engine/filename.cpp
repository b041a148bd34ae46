// engine/filename.cpp: game file names and their places on the host.
#include "engine/filename.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/debug.h"
#include "engine/fatal.h"

namespace {

constexpr const char* kSource = "filename";

struct FileNameState {
    char madeName[MAX_FILENAME];
    std::string dataFolder;
};

FileNameState s_names;

// Game names are ours, never the user's: anything that could leave the folder is our bug.
std::string MapGameName(const char* gameName)
{
    const std::string name = gameName;
    if (name.find("..") != std::string::npos || name.empty() || name[0] == '/' || name[0] == '\\') {
        char message[MAX_FILENAME + 40];
        std::snprintf(message, sizeof message, "HostPath(): bad name '%s'", gameName);
        FatalAbort(kSource, __LINE__, message);
    }
    std::string mapped;
    size_t start = 0;
    if (name.size() >= 3 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':'
        && name[2] == '\\') {
        mapped = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
        mapped += '/';
        start = 3;
    }
    for (size_t i = start; i < name.size(); ++i) {
        mapped += name[i] == '\\' ? '/' : name[i];
    }
    return mapped;
}

std::string ExecutableFolder()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return ".";
    return exe.parent_path().string();
}

}  // namespace

const char* MakeFileName(const char* dir, const char* name, const char* ext)
{
    const int length =
        std::snprintf(s_names.madeName, sizeof s_names.madeName, "%s\\%s.%s", dir, name, ext);
    if (length < 0 || length >= MAX_FILENAME) {
        FatalAbort(kSource, __LINE__, "MakeFileName(): name too long");
    }
    return s_names.madeName;
}

std::string UserFolder()
{
    if (const char* home = std::getenv("PELLORAN_HOME"); home && *home) return home;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
        return std::string(xdg) + "/pelloran";
    }
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.local/share/pelloran";
}

std::string HostPath(const char* gameName) { return UserFolder() + "/" + MapGameName(gameName); }

std::string DataPath(const char* gameName) { return DataFolder() + "/" + MapGameName(gameName); }

void DataFolderInit(const char* commandLineDir)
{
    s_names.dataFolder = commandLineDir ? commandLineDir : ExecutableFolder() + "/data";
    DebugPrintf(DBG_GENERAL, 1, "DataFolderInit(): data in '%s'\n", s_names.dataFolder.c_str());
}

const std::string& DataFolder()
{
    if (s_names.dataFolder.empty()) s_names.dataFolder = ExecutableFolder() + "/data";
    return s_names.dataFolder;
}

bool MakeParentFolders(const std::string& hostPath)
{
    const std::filesystem::path parent = std::filesystem::path(hostPath).parent_path();
    if (parent.empty()) return true;
    std::error_code error;
    std::filesystem::create_directories(parent, error);
    return !error && std::filesystem::is_directory(parent, error);
}
