// tools/mkdata/fileset.h: the files one build makes, each kept for the archive it belongs in.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdata/pakwriter.h"

enum MkArchive { MK_HDCOMMON, MK_CDCOMMON, MK_ARCHIVE_COUNT };

// The game names of the archives, in mount order.
constexpr std::array<const char*, MK_ARCHIVE_COUNT> MK_ARCHIVE_NAMES = {"pakfiles\\hdcommon",
                                                                        "pakfiles\\cdcommon"};

struct MkFileSet {
    std::vector<MkFile> archives[MK_ARCHIVE_COUNT];
};

// Where a game name goes: the crowd and music streams, menu backgrounds ("menugfx\*.bck"),
// "vxdata\" and films ("films\") to the data-disc archive; everything else to the hard-disk one.
// Case is ignored and '/' read as '\'.
MkArchive MkArchiveFor(const char* name);

void MkAddFile(MkFileSet* set, std::string name, std::vector<uint8_t> bytes);
