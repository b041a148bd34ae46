// The menus' generated pictures and fonts: the files the game asks for.
#include <string>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "engine/pakfile.h"
#include "tests/support/menu_run.h"

namespace {

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
