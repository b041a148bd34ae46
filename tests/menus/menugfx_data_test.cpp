// The menus' generated pictures and fonts: the same bytes every run, and the files the game asks
// for.
#include <string>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "engine/pakfile.h"
#include "tests/support/menu_run.h"
#include "tools/mkdata/menugfx.h"

namespace {

TEST(MenuGfxData, GeneratorsGiveTheSameBytesTwice)
{
    for (auto generate :
         {MkGenerateMenuFonts, MkGenerateMenuIcons, MkGenerateMenuBackgrounds, MkGenerateLoadBar}) {
        MkFileSet first, second;
        generate(&first);
        generate(&second);
        for (int32_t a = 0; a < MK_ARCHIVE_COUNT; ++a) {
            ASSERT_EQ(first.archives[a].size(), second.archives[a].size());
            for (size_t i = 0; i < first.archives[a].size(); ++i) {
                EXPECT_EQ(first.archives[a][i].name, second.archives[a][i].name);
                EXPECT_TRUE(first.archives[a][i].bytes == second.archives[a][i].bytes)
                    << first.archives[a][i].name;
            }
        }
    }
}

TEST(MenuGfxData, ArchivesHoldEveryMenuPictureOnce)
{
    int32_t icons = 0, backgrounds = 0, fonts = 0, loadBar = 0;
    for (const char* archive : {"hdcommon", "cdcommon"}) {
        const std::string base = ScopedMenus::GeneratedDataFolder() + "/pakfiles/" + archive;
        const int fd = ::open((base + ".pkd").c_str(), O_RDONLY);
        PakIndex index;
        std::string file, reason;
        ASSERT_TRUE(PakReadIndex(base, fd, &index, &file, &reason)) << reason;
        ::close(fd);
        for (const PakEntry& entry : index.entries) {
            const std::string name = index.Name(entry);
            if (name.starts_with("menugfx\\fnt")) {
                ++fonts;
            } else if (name.starts_with("menugfx\\") && name.ends_with(".gfx")) {
                ++icons;
            } else if (name.starts_with("menugfx\\") && name.ends_with(".bck")) {
                ++backgrounds;
            } else if (name.starts_with("vxdata\\load\\")) {
                ++loadBar;
            }
        }
    }
    EXPECT_EQ(icons, 72);
    EXPECT_EQ(backgrounds, 58);
    EXPECT_EQ(fonts, 6);
    EXPECT_EQ(loadBar, 3);
}

}  // namespace
