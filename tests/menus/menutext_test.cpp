#include "menus/menutext.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine/debug.h"
#include "engine/dxdraw.h"
#include "engine/memory.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

int32_t Width(const char* text)
{
    int32_t w, h;
    MeasureMenuText(text, &w, &h);
    return w;
}

int32_t CharWidth(unsigned char c)
{
    int32_t w, h;
    GetCharExtent(static_cast<char>(c), &w, &h);
    return w;
}

// Wraps a copy as a text box does and returns its lines.
std::vector<std::string> Wrap(const std::string& text, int32_t width)
{
    std::string copy = text + std::string(2, '\0');
    char* lines[MENU_TEXT_BOX_LINES];
    const int32_t count = XDoTextAddr(copy.data(), lines, width);
    return std::vector<std::string>(lines, lines + count);
}

TEST(MenuText, InlineIconCodeCountsTheIconsWidth)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    SetMenuFont(1);
    EXPECT_EQ(Width("$01"), 14);  // icon 1219
    EXPECT_EQ(Width("a$01b"), Width("a") + 14 + Width("b"));
    EXPECT_EQ(Width("$0x"), Width("$") + Width("0") + Width("x"));
    EXPECT_EQ(Width("$13"), Width("$") + Width("1") + Width("3"));  // not an icon code

    FillMenuRect(0, 0, 100, 40, 0x0000);
    DrawMenuString(10, 10, "$01", MENU_ALIGN_TL);
    int32_t inked = 0;
    for (int32_t y = 10; y < 24; ++y) {
        for (int32_t x = 10; x < 24; ++x)
            inked += WorkPixel(x, y) != 0;
    }
    EXPECT_GT(inked, 14 * 14 / 2);
}

TEST(MenuText, EveryLetterOfTheCodePageMeasuresAndUndefinedBytesDoNot)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    for (int32_t font = 0; font < MENU_FONT_COUNT; ++font) {
        SetMenuFont(font);
        EXPECT_GT(CharWidth(0xFF), 0) << font;
        EXPECT_GT(CharWidth(0x80), 0) << font;
        EXPECT_GT(CharWidth(0xC9), 0) << font;
        EXPECT_EQ(CharWidth(0x81), 0) << font;
        EXPECT_EQ(CharWidth(0x01), 0) << font;
    }
    int32_t w, h;
    SetMenuFont(2);
    GetTextExtent("A", &w, &h);
    EXPECT_EQ(h, 24);
}

TEST(MenuText, PurgedFontComesBackBeforeTheNextMeasurement)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    SetMenuFont(2);
    const int32_t before = Width("Réinitialiser");
    PurgeAllMemory();
    EXPECT_EQ(Width("Réinitialiser"), before);
}

TEST(MenuText, WrapTakesWholeWordsAndKeepsAnExactFit)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    SetMenuFont(1);
    const int32_t exact = Width("Match amical");
    EXPECT_EQ(Wrap("Match amical", exact), std::vector<std::string>({"Match amical"}));
    EXPECT_EQ(Wrap("Match amical", exact - 1), std::vector<std::string>({"Match", "amical"}));
    EXPECT_EQ(Wrap("un deux trois quatre", Width("un deux")),
              std::vector<std::string>({"un deux", "trois", "quatre"}));
}

TEST(MenuText, LineFeedsBreakAndAnEmptyLineEndsTheText)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    EXPECT_EQ(Wrap("ab\n\ncd", 300), std::vector<std::string>({"ab"}));
    EXPECT_EQ(Wrap("\nab", 300), std::vector<std::string>());
    EXPECT_EQ(Wrap("ab\ncd\n", 300), std::vector<std::string>({"ab", "cd"}));
}

TEST(MenuText, WrapStopsAtTheLastLineOfTheTable)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    std::string text;
    for (int32_t i = 0; i < 600; ++i)
        text += "a\n";
    testing::internal::CaptureStdout();
    EXPECT_EQ(Wrap(text, 300).size(), static_cast<size_t>(MENU_TEXT_MAX_LINES));
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("Warning: XDoTextAddr(): text cut after 511 lines"), std::string::npos);
    DoTextBox(0, 0, text.c_str(), MENU_ALIGN_TL, 300, 400);  // and a box survives it
}

TEST(MenuText, VerticalCentringPlacesTheBlockAroundTheMiddle)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    SetMenuFont(1);  // pitch 16
    MenuScreen.changeCount = 0;
    DoTextBox(100, 100, "A", MENU_ALIGN_CENTRE, 400, 200);
    ASSERT_GT(MenuScreen.changeCount, 0);
    EXPECT_EQ(MenuScreen.changes[0].y, 200 - 8);
    MenuScreen.changeCount = 0;
    DoTextBox(100, 100, "A\nB\nC", MENU_ALIGN_CENTRE, 400, 200);
    ASSERT_GT(MenuScreen.changeCount, 2);
    EXPECT_EQ(MenuScreen.changes[0].y, 200 - 8 - 16);
    EXPECT_EQ(MenuScreen.changes[2].y, 200 - 8 + 16);
}

TEST(MenuText, GlyphsBlendByCoverageInHiColour)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    FillMenuRect(0, 0, 10, 10, 0x0000);
    SetDrawAttribute(1, 0);  // white
    const uint8_t glyph[] = {255, 255, 255, 128, 128, 128, 0, 0, 0, 9, 9, 9};
    DrawGlyph(2, 2, 3, 1, glyph, 1);
    EXPECT_EQ(WorkPixel(2, 2), MenuScreenColour(0xFFFF));
    EXPECT_EQ(WorkPixel(3, 2), ScreenGrey(255 * 128 >> 8));
    EXPECT_EQ(WorkPixel(4, 2), 0u);
    EXPECT_EQ(WorkPixel(5, 2), 0u);  // past the advance
}

TEST(MenuText, GlyphsTakeOneOfSixLevelsInEightBitMode)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    FillMenuRect(0, 0, 10, 10, 0x0000);
    const uint32_t background = WorkPixel(0, 0);
    SetDrawAttribute(1, 0);
    const uint8_t glyph[] = {255, 0, 0, 128, 0, 0, 36, 0, 0, 37, 0, 0};
    DrawGlyph(2, 2, 4, 1, glyph, 0);
    EXPECT_EQ(WorkPixel(2, 2), MenuScreenColour(0xFFFF));  // level 6
    // Level 3: white at half strength (50% of each channel, back to 5-6-5).
    const uint16_t half =
        static_cast<uint16_t>((50 * 32 / 101) << 11 | (50 * 64 / 101) << 5 | 50 * 32 / 101);
    EXPECT_EQ(WorkPixel(3, 2), MenuScreenColour(half));
    EXPECT_EQ(WorkPixel(4, 2), background);  // 36 x 7 / 256 = 0: left alone
    EXPECT_NE(WorkPixel(5, 2), background);  // 37 x 7 / 256 = 1
}

TEST(MenuTextDeathTest, WordWiderThanTheBoxIsFatal)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    EXPECT_FATAL(DoTextBox(0, 0, "Réinitialiser", MENU_ALIGN_TL, 20, 100),
                 "XDoTextAddr(): word too long for text box");
}

TEST(MenuTextDeathTest, ShortFontFilesAreRefused)
{
    TempDir data;
    std::vector<uint8_t> gfx = {'G', 'F', 'X', '0', 10, 0, 12, 0, 0, 1, 0, 0, 0, 0, 0, 0};
    gfx.resize(16 + 256 * 10 * 12 * 3);
    std::vector<uint8_t> shortGfx = gfx;
    shortGfx.pop_back();
    WriteTestPak(data.Path(), {{"menugfx\\fnt12.gfx", gfx},
                               {"menugfx\\fnt12.wid", std::vector<uint8_t>(255, 5)},
                               {"menugfx\\fnt16.gfx", shortGfx},
                               {"menugfx\\fnt16.wid", std::vector<uint8_t>(256, 5)}});
    ScopedMenus menus(DDRAW_KIND_16BIT, data.Path());
    EXPECT_FATAL(LoadFont(0), "Error: LoadFont(): Bad font file");
    EXPECT_FATAL(LoadFont(1), "Error: LoadFont(): Bad font file");
}

}  // namespace

// A name cut for its column keeps as much of itself as fits with the mark, and no more.
TEST(MenuText, FitCutsATextToItsRoomWithAMarkAndKeepsOneThatFits)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    SetMenuFont(0);
    const std::string name = "Steininghausen G";
    const int32_t whole = Width(name.c_str());
    struct Case {
        int32_t room;
        bool cut;
    };
    for (const Case c : {Case{whole + 5, false}, Case{whole, false}, Case{whole - 1, true},
                         Case{whole / 2, true}, Case{Width("S."), true}, Case{0, true}}) {
        SCOPED_TRACE(c.room);
        const char* fitted = FitMenuText(name.c_str(), c.room);
        if (!c.cut) {
            EXPECT_EQ(fitted, name.c_str());
            continue;
        }
        const std::string kept = std::string(fitted).substr(0, std::strlen(fitted) - 1);
        EXPECT_EQ(std::string(fitted), kept + ".");
        EXPECT_EQ(name.compare(0, kept.size(), kept), 0) << fitted;
        if (kept.empty()) continue;  // only the mark: nothing narrower exists
        EXPECT_LE(Width(fitted), c.room) << fitted;
        const std::string longer = name.substr(0, kept.size() + 1) + ".";
        EXPECT_GT(Width(longer.c_str()), c.room) << fitted;
    }
    EXPECT_STREQ(FitMenuText(name.c_str(), Width("S.")), "S.");
}
