// engine/filename.h: game file names (backslashes, "a:\" drive) and where they live on the host.
#pragma once

#include <string>

constexpr int MAX_FILENAME = 260;

// "dir\name.ext" in one static buffer, valid until the next call; too long is fatal.
const char* MakeFileName(const char* dir, const char* name, const char* ext);

// $PELLORAN_HOME, else $XDG_DATA_HOME/pelloran, else $HOME/.local/share/pelloran.
std::string UserFolder();
// A game name under the user folder: '\' becomes '/', "a:\" the folder "a/". Names holding
// ".." or starting with '/' are fatal: game names are internal, never user input.
std::string HostPath(const char* gameName);
// The same mapping under the data folder.
std::string DataPath(const char* gameName);

// The "data directory" step: "-data DIR", else "data" beside the executable.
void DataFolderInit(const char* commandLineDir);
const std::string& DataFolder();

// Creates the folders above a host path; false if one cannot be made.
bool MakeParentFolders(const std::string& hostPath);
