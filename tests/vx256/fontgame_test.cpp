// The match fonts and match graphics over small archives of hand-made GFX0 files: measuring,
// placing, purging, clipping and the refusals of damaged heads.
#include "vx256/fontgame.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "viewservices/viewscreen.h"
#include "vx256/mgraphic.h"

namespace {

constexpr int32_t kGlyphs = 64;  // '?' is the last glyph
constexpr int32_t kCellW = 3;
constexpr int32_t kCellH = 4;

std::vector<uint8_t> Gfx0(int32_t w, int32_t h, int32_t count, uint8_t fill, size_t pixels)
{
    std::vector<uint8_t> bytes = {'G', 'F', 'X', '0'};
    for (int32_t v : {w, h, count}) {
        bytes.push_back(static_cast<uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    }
    bytes.resize(16, 0);
    bytes.resize(16 + pixels, fill);
    return bytes;
}

std::vector<uint8_t> FontPixels()
{
    std::vector<uint8_t> bytes = Gfx0(kCellW, kCellH, kGlyphs, 0, kCellW * kCellH * kGlyphs);
    for (int32_t g = 0; g < kGlyphs; ++g)
        bytes[16 + g * kCellW * kCellH] = static_cast<uint8_t>(g);  // top-left pixel = glyph
    return bytes;
}

std::vector<uint8_t> FontWidths()
{
    std::vector<uint8_t> widths(kGlyphs, 2);
    widths['!'] = 5;
    widths['?'] = 3;
    return widths;
}

// Two frames of 4 x 3: frame 0 all colour 7, frame 1 all colour 9.
std::vector<uint8_t> Shadow()
{
    std::vector<uint8_t> bytes = Gfx0(4, 3, 2, 7, 24);
    std::fill(bytes.begin() + 16 + 12, bytes.end(), 9);
    return bytes;
}

std::vector<TestPakFile> GoodFiles()
{
    return {{"MISCGFX\\FONTS\\fnt12w.gfx", FontPixels()},
            {"MISCGFX\\FONTS\\fnt12w.wid", FontWidths()},
            {"MISCGFX\\SHADOW.gfx", Shadow()},
            {"MISCGFX\\REPBAR.gfx", Gfx0(20, 20, 1, 5, 400)}};
}

// Memory, an archive of the given files and a game screen for a 300 x 200 view: its buffer is
// 428 wide in rows of 432 bytes, so every row ends in 4 bytes no copy may touch.
class ScopedAssets {
public:
    explicit ScopedAssets(const std::vector<TestPakFile>& files = GoodFiles())
    {
        ResetCoreForTest();
        MemoryInit();
        PakFileInit();
        WriteTestPak(m_dir.Path(), files);
        DataFolderInit(m_dir.Path().c_str());
        PakMount("pakfiles\\hdcommon");
        FONT_Init();
        MGraphic_Init();
        ViewScreen_Init();
        GameScreen_Create(300, 200);
    }
    ~ScopedAssets()
    {
        ViewScreen_Uninit();
        MGraphic_Uninit();
        FONT_Uninit();
        PakFileUninit();
        MemoryUninit();
        ResetCoreForTest();
    }

private:
    TempDir m_dir;
};

uint8_t At(int32_t x, int32_t y)
{
    const GameScreenRecord s = GetGameScreen();
    return s.pixels[y * s.pitch + x];
}

int32_t CountPainted()
{
    const GameScreenRecord s = GetGameScreen();
    int32_t n = 0;
    for (int32_t i = 0; i < s.pitch * s.height; ++i)
        n += s.pixels[i] != 0;
    return n;
}

TEST(Font, WidthsSumAdvancesAndUnknownCodesCountAsTheQuestionMark)
{
    ScopedAssets assets;
    EXPECT_EQ(FONT_GetTextWidth("", 0), 0);
    EXPECT_EQ(FONT_GetTextWidth("!!", 0), 10);
    // 'A' and the byte 0xE9 lie past the font's 64 glyphs: each measures as '?'.
    EXPECT_EQ(FONT_GetTextWidth("A\xE9", 0), 6);
    EXPECT_EQ(FONT_GetItem(0).glyphHeight, kCellH);
}

TEST(Font, AnchorAndAlignPlaceTheText)
{
    ScopedAssets assets;
    FONT_SetCurrentFont(0);
    // A 5-pixel text centred on x 10 starts at 10 + (-5) / 2 = 8.
    FONT_DisplayText(10, 0, 5, "!", 6);
    EXPECT_EQ(At(64 + 8, 64), '!');
    // Right-aligned to 8 pixels from the right edge, bottom-aligned to the bottom edge.
    FONT_DisplayText(8, 0, 15, "!", 15);
    EXPECT_EQ(At(64 + 300 - 8 - 5, 64 + 200 - kCellH), '!');
    FONT_DisplayTextAt(3, 2, "!", 0);
    EXPECT_EQ(At(3, 2), '!');
}

TEST(Font, PurgedFontReloadsBothFilesWhenNextMeasured)
{
    ScopedAssets assets;
    const uint32_t empty = MemoryStats().blocks;
    EXPECT_EQ(FONT_GetTextWidth("!", 0), 5);
    EXPECT_EQ(MemoryStats().blocks, empty + 2);
    PurgeAllMemory();
    EXPECT_EQ(MemoryStats().blocks, empty);
    EXPECT_EQ(FONT_GetTextWidth("!", 0), 5);
    EXPECT_EQ(MemoryStats().blocks, empty + 2);
    EXPECT_NE(FONT_GetItem(0).pixels, nullptr);
}

TEST(MGraphic, OutOfRangeFramesAndSizesMeanTheWholeFirstFrame)
{
    ScopedAssets assets;
    MGraphDisplay2DGraphic(0, 0, 5, -1, -1, MGRAPH_SHADOW, 2);  // frame 2 of 2: frame 0
    EXPECT_EQ(At(64, 64), 7);
    EXPECT_EQ(At(64 + 3, 64 + 2), 7);
    EXPECT_EQ(CountPainted(), 12);
    MGraphDisplay2DGraphic(10, 10, 5, 2, 1, MGRAPH_SHADOW, 1);
    EXPECT_EQ(At(64 + 11, 64 + 10), 9);
    EXPECT_EQ(CountPainted(), 14);
    // Centred on the view's centre line, and 6 from the right edge.
    MGraphDisplay2DGraphic(0, 20, 6, -1, -1, MGRAPH_SHADOW, 0);
    EXPECT_EQ(At(64 + 150 - 2, 64 + 20), 7);
    MGraphDisplay2DGraphic(6, 30, 7, -1, -1, MGRAPH_SHADOW, 0);
    EXPECT_EQ(At(64 + 300 - 6 - 4, 64 + 30), 7);
    EXPECT_EQ(At(64 + 300 - 6, 64 + 30), 0);
}

TEST(MGraphic, CopiesAreCutAtEveryEdgeOfTheGameScreen)
{
    ScopedAssets assets;
    const GameScreenRecord s = GetGameScreen();
    ASSERT_GT(s.pitch, s.width);
    // Far enough past each edge of the view to leave the 64-pixel margin too.
    MGraphDisplay2DGraphic(-74, 50, 5, -1, -1, MGRAPH_REPBAR, 0);       // left
    MGraphDisplay2DGraphic(300 + 54, 50, 5, -1, -1, MGRAPH_REPBAR, 0);  // right
    MGraphDisplay2DGraphic(50, -74, 5, -1, -1, MGRAPH_REPBAR, 0);       // top
    MGraphDisplay2DGraphic(50, 200 + 54, 5, -1, -1, MGRAPH_REPBAR, 0);  // bottom
    for (int32_t y = 0; y < s.height; ++y) {
        for (int32_t x = s.width; x < s.pitch; ++x)
            ASSERT_EQ(At(x, y), 0) << x << "," << y;  // the canary band past each row
    }
    // Each copy keeps the part inside the buffer: 10 columns or rows of the 20 x 20 picture.
    EXPECT_EQ(At(0, 64 + 50), 5);
    EXPECT_EQ(At(s.width - 1, 64 + 50), 5);
    EXPECT_EQ(At(64 + 50, 0), 5);
    EXPECT_EQ(At(64 + 50, s.height - 1), 5);
    EXPECT_EQ(CountPainted(), 4 * 200);
}

TEST(FontDeathTest, BadNumbersHeadsAndAlignmentsAreFatal)
{
    EXPECT_FATAL(
        {
            ScopedAssets assets;
            FONT_Load(6);
        },
        "FONT_Load():- Invalid font number");
    EXPECT_FATAL(
        {
            ScopedAssets assets;
            FONT_GetItem(6);
        },
        "FONT_GetItem(): Invalid font number");
    EXPECT_FATAL(
        {
            ScopedAssets assets;
            FONT_SetCurrentFont(0);
            FONT_DisplayText(0, 0, 5, "!", 4);
        },
        "FONT_DisplayText(): invalid align type");
    const std::vector<std::vector<uint8_t>> badHeads = {
        [] {
            auto b = FontPixels();
            b[3] = '1';
            return b;
        }(),
        Gfx0(-3, kCellH, kGlyphs, 0, 1000), Gfx0(kCellW, kCellH, 0, 0, 1000),
        Gfx0(kCellW, kCellH, kGlyphs + 1, 0, kCellW * kCellH * kGlyphs),  // one glyph short
    };
    for (const auto& head : badHeads) {
        EXPECT_FATAL(
            {
                ScopedAssets assets({{"MISCGFX\\FONTS\\fnt12w.gfx", head},
                                     {"MISCGFX\\FONTS\\fnt12w.wid", FontWidths()}});
                FONT_GetTextWidth("!", 0);
            },
            "FONT_Load():- Invalid header");
    }
}

TEST(MGraphicDeathTest, BadNumbersHeadsAndAlignmentsAreFatal)
{
    EXPECT_FATAL(
        {
            ScopedAssets assets;
            MGraphic_Load(35);
        },
        "MGraphGetItem():- Invalid graphic number 35\n");
    EXPECT_FATAL(
        {
            ScopedAssets assets;
            MGraphGetItem(35);
        },
        "MGraphGetItem():- Invalid graphic number - 35\n");
    EXPECT_FATAL(
        {
            ScopedAssets assets;
            MGraphDisplay2DGraphic(0, 0, 1, -1, -1, MGRAPH_SHADOW, 0);
        },
        "MGraphDisplay2DGraphic(): invalid align type");
    const std::vector<std::vector<uint8_t>> badHeads = {
        {'G', 'F', 'X', '1', 4, 0, 3, 0, 1, 0, 0, 0, 0, 0, 0, 0, 7, 7},
        Gfx0(4, -3, 1, 7, 100),
        Gfx0(4, 3, 3, 7, 24),  // a third frame the file does not hold
    };
    for (const auto& head : badHeads) {
        EXPECT_FATAL(
            {
                ScopedAssets assets({{"MISCGFX\\SHADOW.gfx", head}});
                MGraphGetItem(MGRAPH_SHADOW);
            },
            "MGraphic_Load():- Invalid header - SHADOW");
    }
}

}  // namespace
