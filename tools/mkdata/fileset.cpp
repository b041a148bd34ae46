// tools/mkdata/fileset.cpp: the files one build makes, each kept for the archive it belongs in.
#include "tools/mkdata/fileset.h"

#include <string_view>
#include <utility>

#include "engine/pakfile.h"

namespace {

// Bulky files the game reads rarely or streams go to the data disc.
constexpr std::array<std::string_view, 4> kDiscFolders = {"sound\\crowd\\", "sound\\music\\",
                                                          "vxdata\\", "films\\"};

bool IsMenuBackground(std::string_view name)
{
    return name.starts_with("menugfx\\") && name.ends_with(".bck");
}

}  // namespace

MkArchive MkArchiveFor(const char* name)
{
    char lookup[PAK_MAX_NAME + 1];
    if (!PakCanonicalName(name, lookup)) return MK_HDCOMMON;
    const std::string_view view(lookup);
    for (std::string_view folder : kDiscFolders) {
        if (view.starts_with(folder)) return MK_CDCOMMON;
    }
    return IsMenuBackground(view) ? MK_CDCOMMON : MK_HDCOMMON;
}

void MkAddFile(MkFileSet* set, std::string name, std::vector<uint8_t> bytes)
{
    const MkArchive archive = MkArchiveFor(name.c_str());
    set->archives[archive].push_back({std::move(name), std::move(bytes)});
}
