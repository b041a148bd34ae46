#include "menus/menuicons.h"

#include <array>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/memory.h"
#include "engine/timer.h"
#include "menus/menupc.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

constexpr uint16_t BLACK = 0x0000;

void ClearScreen()
{
    FillMenuRect(0, 0, MenuScreen.width, MenuScreen.height, BLACK);
    MenuScreen.changeCount = 0;
}

TEST(MenuIcons, LastIconDrawsAndSizesComeFromTheFile)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    ClearScreen();
    int32_t w, h;
    EXPECT_EQ(GetScaledIconSize(ICON_LAST, &w, &h), 20);
    EXPECT_EQ(h, 20);
    DoIcon(100, 100, ICON_LAST, MENU_ALIGN_CENTRE);
    EXPECT_EQ(WorkPixel(100, 100), MenuScreenColour(0xFFFF));
    EXPECT_EQ(WorkPixel(89, 89), MenuScreenColour(BLACK));  // outside the icon
    GetIconSize(1234, &w, &h);
    EXPECT_EQ(w, 168);
    EXPECT_EQ(h, 118);
}

TEST(MenuIcons, KeyColourPixelsLeaveTheScreen)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    FillMenuRect(0, 0, 100, 100, 0x001F);
    DoIcon(0, 0, 2, MENU_ALIGN_TL);  // the blank icon: transparent all over
    for (int32_t y = 0; y < 16; ++y) {
        for (int32_t x = 0; x < 16; ++x)
            EXPECT_EQ(WorkPixel(x, y), 0x001Fu);
    }
}

TEST(MenuIcons, PurgedIconFileIsLoadedAgainOnNextUse)
{
    for (int32_t kind : {DDRAW_KIND_16BIT, DDRAW_KIND_32BIT, DDRAW_KIND_8BIT}) {
        ScopedMenus menus(kind);
        ClearScreen();
        DoIcon(50, 50, 1206, MENU_ALIGN_TL);
        const uint32_t drawn = WorkPixel(70, 70);
        ClearScreen();
        PurgeAllMemory();
        DoIcon(50, 50, 1206, MENU_ALIGN_TL);
        EXPECT_EQ(WorkPixel(70, 70), drawn) << kind;
        EXPECT_NE(drawn, WorkPixel(0, 0)) << kind;
    }
}

TEST(MenuIcons, BackgroundWipesOutOnlyAfterAPresentation)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    DoBackground(7);
    EXPECT_EQ(WorkPixel(639, 479), MenuScreenColour((7 << 5) | 31));
    EXPECT_EQ(MenuAttr.drawColour, 0x03E0);
    EXPECT_EQ(MenuAttr.font, 1);
    PresentMenuScreen();
    EXPECT_EQ(MenuScreen.presented, 1);

    uint32_t before = TickCount;
    DoBackground(0);  // wipes the shown screen out
    EXPECT_GT(TickCount - before, 30u);
    EXPECT_EQ(MenuScreen.presented, 0);
    before = TickCount;
    DoBackground(1);  // nothing shown since: no wipe
    EXPECT_EQ(TickCount, before);
    EXPECT_EQ(WorkPixel(639, 479), MenuScreenColour((1 << 5) | 31));
}

TEST(MenuIcons, BackgroundsAreConvertedIntoWiderFormats)
{
    ScopedMenus menus(DDRAW_KIND_32BIT);
    DoBackground(7);
    const uint32_t marker = WorkPixel(639, 479) & 0xFFFFFF;
    EXPECT_EQ(marker, ColConvPixel((7u << 5) | 31, MenuScreen.sourceFormat, MenuScreen.screenFormat)
                          & 0xFFFFFF);
}

TEST(MenuIconsDeathTest, IconNumbersOutsideTheTableAreFatal)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    EXPECT_FATAL(GetIconAddress(0), "Error: GetIconAddress(): Bad icon number: 0");
    EXPECT_FATAL(DoIcon(0, 0, ICON_COUNT, 0), "Error: GetIconSize(): Bad icon number: 1443");
}

TEST(MenuIconsDeathTest, TablesOutOfStepAreFatal)
{
    std::array<IconFile, ICON_FILE_ROWS + 1> files = IconFiles;
    files[5].frames = 12;
    EXPECT_FATAL(InitIconListsFrom(files, BackgroundNames),
                 "InitIconLists(): IconList not in sync");
    files[5].frames = 14;
    EXPECT_FATAL(InitIconListsFrom(files, BackgroundNames),
                 "InitIconLists(): IconList not in sync");
    std::array<const char*, BACKGROUND_COUNT + 1> backgrounds = BackgroundNames;
    backgrounds[BACKGROUND_COUNT] = "extra";
    EXPECT_FATAL(InitIconListsFrom(IconFiles, backgrounds),
                 "InitIconLists(): backgrounds not in sync");
}

TEST(MenuIconsDeathTest, ShortBackgroundIsFatalWithItsName)
{
    TempDir data;
    WriteTestPak(data.Path(), {{"menugfx\\blank.bck", std::vector<uint8_t>(640 * 480 * 2 - 1)}});
    ScopedMenus menus(DDRAW_KIND_16BIT, data.Path());
    EXPECT_FATAL(DoBackground(0), "Error: DoBackground(): background 'blank' was wrong size");
}

TEST(MenuIconsDeathTest, IconFileOfTheWrongSizeIsFatal)
{
    TempDir data;
    std::vector<uint8_t> file = {'G', 'F', 'X', '0', 16, 0, 16, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    file.resize(16 + 16 * 16 * 2 - 2);
    std::vector<uint8_t> bad = file;
    bad[0] = 'X';
    WriteTestPak(data.Path(), {{"menugfx\\blankico.gfx", file}, {"menugfx\\bigblock.gfx", bad}});
    ScopedMenus menus(DDRAW_KIND_16BIT, data.Path());
    EXPECT_FATAL(DoIcon(0, 0, 2, 0), "Error: LoadIconFile(): icon file 'blankico' is wrong size");
    EXPECT_FATAL(DoIcon(0, 0, 1, 0), "Error: LoadIconFile(): Bad icon file: 'bigblock'");
}

}  // namespace
