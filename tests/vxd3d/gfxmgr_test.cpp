// The graphics manager on the host's device: packing rows and pages by their scores, shared
// duplicates, the texel-offset measurement, text measured and advanced by a width table or a
// fixed pitch and aligned on its point, the cut of formatted text, and the fatal refusals.
#include "vxd3d/gfxmgr.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/colconv.h"
#include "engine/debug.h"
#include "engine/dxd3d.h"
#include "engine/dxd3dtex.h"
#include "engine/memory.h"
#include "tests/support/device_data.h"
#include "vxd3d/d3dicon.h"

namespace {

constexpr int32_t kFont = ICON_FIRST_FONT;
constexpr int32_t kGlyphWidth = 8;
constexpr int32_t kGlyphHeight = 10;

int32_t Format() { return D3DTexFindTextureFormat(D3DTEX_SEMI); }

int32_t BytesPerPixel()
{
    return static_cast<int32_t>(D3DTexGetTextureFormat(Format())->bitsPerPixel / 8);
}

// An icon whose every byte is `fill`.
int32_t Make(int32_t width, int32_t height, uint8_t fill)
{
    const std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * BytesPerPixel(), fill);
    return GfxMgr_Create(pixels.data(), width, height, Format());
}

struct Placed {
    int32_t page, x, y;
};

Placed At(int32_t icon)
{
    const GfxMgrIcon& i = GfxMgr_GetIcon(icon);
    return {i.page, i.x, i.y};
}

bool operator==(const Placed& a, const Placed& b)
{
    return a.page == b.page && a.x == b.x && a.y == b.y;
}

// The graphics manager started on the device, icons not yet uploaded.
class Manager {
public:
    Manager()
    {
        GfxMgr_Init();
        GfxMgr_CreateStart();
    }
    ~Manager()
    {
        GfxMgr_Free();
        GfxMgr_FreeList();
    }

private:
    ScopedDeviceData m_data;
};

TEST(GfxMgr, PacksRowsAndPagesByTheirScoresAndSharesDuplicates)
{
    Manager manager;
    // A 256-wide icon fills its row: the next icon starts a new one.
    const int32_t wide = Make(256, 8, 1);
    const int32_t below = Make(8, 8, 2);
    EXPECT_TRUE(At(wide) == (Placed{0, 0, 0}));
    EXPECT_TRUE(At(below) == (Placed{0, 0, 8}));
    // The same pixels again, as from another set: a new index at the same place.
    const int32_t again = Make(8, 8, 2);
    EXPECT_NE(again, below);
    EXPECT_TRUE(At(again) == At(below));
    EXPECT_TRUE(At(Make(256, 8, 1)) == At(wide));
    // The same bytes in another shape are another icon.
    EXPECT_FALSE(At(Make(4, 16, 2)) == At(below));

    // Two pages left in the same state: a tie goes to the first page.
    GfxMgr_Free();
    GfxMgr_FreeList();
    GfxMgr_CreateStart();
    Make(200, 200, 3);
    const int32_t second = Make(200, 200, 4);
    EXPECT_TRUE(At(second) == (Placed{1, 0, 0}));
    const int32_t tie = Make(40, 40, 5);
    EXPECT_TRUE(At(tie) == (Placed{0, 200, 0}));
    // Page 0 now only has room on a new row (score 96), page 1 on its current row.
    const int32_t choice = Make(20, 40, 6);
    EXPECT_TRUE(At(choice) == (Placed{1, 200, 0}));
    EXPECT_EQ(GfxMgr_PageCount(), 2);
    EXPECT_EQ(GfxMgr_PageTexture(0), -1);
    GfxMgr_Upload();
    EXPECT_NE(GfxMgr_PageTexture(1), -1);
}

TEST(GfxMgr, ThePackingCheckCountsThePagesTheGameWouldFill)
{
    const std::vector<uint32_t> a(256 * 128, 1), b(256 * 128, 2), full(256 * 256, 3);
    struct Case {
        std::vector<GfxMgrPackIcon> icons;
        int32_t pages;
    };
    const std::vector<Case> cases = {
        {{}, 0},
        {{{&a, 256, 128}, {&b, 256, 128}}, 1},
        {{{&a, 256, 128}, {&a, 256, 128}, {&a, 256, 128}}, 1},  // duplicates share
        {{{&a, 256, 128}, {&a, 128, 256}}, 2},                  // same bytes, another shape
        {{{&full, 256, 256}, {&a, 256, 128}, {&b, 256, 128}, {&full, 256, 256}}, 2},
        {{{&a, 257, 127}}, -1},
    };
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(GfxMgr_PagesFor(cases[i].icons), cases[i].pages) << "case " << i;
}

TEST(GfxMgr, OnTheHostsDeviceTexelsMapOntoPixelsWithoutOffsets)
{
    ScopedDeviceData data;
    DebugSetLevel(DBG_GRAPHICS, 80);
    testing::internal::CaptureStdout();
    GfxMgr_Init();
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("GfxMgr_Init(): texture fudge method 2: err 0\n"), std::string::npos) << log;
    EXPECT_NE(log.find("GfxMgr_Init(): texture fudge method 0: err "), std::string::npos);
    EXPECT_NE(log.find("GfxMgr_Init(): best fudge method was 2\n"), std::string::npos) << log;
    EXPECT_EQ(GfxMgr_FudgeMethod(), 2);
}

// A font of 128 glyphs: each glyph's left half white, its right half black, all opaque.
void MakeFont(bool withWidths)
{
    IconSet& font = IconSets[kFont];
    const uint32_t white = 0xFFFFFFFF, black = 0xFF000000;
    std::vector<uint32_t> argb(kGlyphWidth * kGlyphHeight);
    for (int32_t y = 0; y < kGlyphHeight; ++y) {
        for (int32_t x = 0; x < kGlyphWidth; ++x)
            argb[y * kGlyphWidth + x] = x < kGlyphWidth / 2 ? white : black;
    }
    constexpr ColFmt kArgb = {
        {{16, 8, 0xFF0000}, {8, 8, 0xFF00}, {0, 8, 0xFF}, {24, 8, 0xFF000000}}, 0xFFFFFFFF, 4, 32};
    std::vector<uint8_t> pixels(argb.size() * BytesPerPixel());
    ColConvMemory(argb.data(), kArgb, pixels.data(), *D3DTexGetTextureFormat(Format()),
                  static_cast<uint32_t>(argb.size()));
    font.width = kGlyphWidth;
    font.height = kGlyphHeight;
    font.count = 128;
    AllocateMemory(&font.icons, 128 * sizeof(int32_t), MEM_TYPE_GAME);
    for (int32_t i = 0; i < 128; ++i)
        font.icons[i] = GfxMgr_Create(pixels.data(), kGlyphWidth, kGlyphHeight, Format());
    if (withWidths) {
        AllocateMemory(&font.widths, ICON_WIDTH_BYTES, MEM_TYPE_GAME);
        std::memset(font.widths, 5, ICON_WIDTH_BYTES);
        font.widths['B'] = 7;
        font.widths['C'] = 1;
        font.widths[0xE9] = 3;
    }
    GfxMgr_Upload();
}

// Whether the screen's pixel was drawn (anything but the black clear).
bool Lit(int32_t x, int32_t y) { return FrameRgb(x, y) != 0; }

// The lit columns of row y from x0 to x1, as a string of '#' and '.'.
std::string Row(int32_t y, int32_t x0, int32_t x1)
{
    std::string row;
    for (int32_t x = x0; x <= x1; ++x)
        row += Lit(x, y) ? '#' : '.';
    return row;
}

template <typename Draw>
void Frame(Draw draw)
{
    D3DClearScene(D3D_CLEAR_TARGET);
    D3DBeginScene();
    draw();
    D3DEndScene();
    PresentNow();
}

TEST(GfxMgr, TextIsMeasuredAdvancedAndAlignedByItsFont)
{
    struct Case {
        bool widths;
        const char* text;
        uint8_t flags;
        int32_t x, y;
        int32_t width;      // GfxMgr_StringWidth
        int32_t left, top;  // where the first glyph lands
        std::string row;    // the lit columns from `left` on, on the glyphs' first row
    };
    const std::vector<Case> cases = {
        // By the width table: A advances 5, B 7; a code past the font's icons (0xE9, a signed
        // char) draws nothing and advances by its entry.
        {true, "AB", 0x11, 100, 100, 12, 100, 100, "####.####..."},
        {true,
         "A\xE9"
         "B",
         0x11, 100, 100, 15, 100, 100, "####....####"},
        // A fixed pitch without one.
        {false, "AB", 0x11, 100, 100, 16, 100, 100, "####....####...."},
        // Centred on the point, then its bottom right on the point.
        {true, "AB", 0x22, 200, 200, 12, 194, 195, "####.####..."},
        {true, "AB", 0x33, 200, 200, 12, 188, 190, "####.####..."},
    };
    for (const Case& c : cases) {
        Manager manager;
        MakeFont(c.widths);
        EXPECT_EQ(GfxMgr_StringWidth(kFont, c.text), c.width) << c.text;
        Frame([&] { GfxMgr_DrawString(kFont, c.text, c.x, c.y, c.flags, 1); });
        EXPECT_FALSE(Lit(c.left - 1, c.top)) << c.text;
        EXPECT_FALSE(Lit(c.left, c.top - 1)) << c.text;
        EXPECT_TRUE(Lit(c.left, c.top + kGlyphHeight - 1)) << c.text;
        EXPECT_EQ(Row(c.top, c.left, c.left + static_cast<int32_t>(c.row.size()) - 1), c.row)
            << c.text << " flags " << +c.flags;
        Icon_Uninit();
    }
    // Formatted text stops at 511 characters: 'C' advances by one pixel.
    Manager manager;
    MakeFont(true);
    const std::string many(600, 'C');
    Frame([&] { GfxMgr_PrintfText(kFont, 0, 300, 0x11, "%s", many.c_str()); });
    EXPECT_TRUE(Lit(510 + 3, 300));
    EXPECT_FALSE(Lit(510 + 4, 300));
    Icon_Uninit();
}

TEST(GfxMgr, ColourTableTakesComponentsTruncatedAndTheOriginFollowsTheScreen)
{
    Manager manager;
    EXPECT_EQ(GfxMgr_Colour(16), 0xbf001426u);
    EXPECT_EQ(GfxMgr_Colour(22), 0x7f000000u);
    AddIcon_ColourList(28, 0.5f, 1.0f, 0.0f, 1.0f);
    EXPECT_EQ(GfxMgr_Colour(28), 0xff7fff00u);
    struct Origin {
        uint8_t flags;
        int32_t x, y;
    };
    for (const Origin& o : {Origin{0x11, 5, 6}, Origin{0x22, 325, 246}, Origin{0x33, 645, 486}}) {
        GfxMgr_SetOrigin(5, 6, o.flags);
        int32_t x = 0, y = 0;
        GfxMgr_Align(&x, &y, 10, 10, 0x11);
        EXPECT_EQ(x, o.x);
        EXPECT_EQ(y, o.y);
    }
}

using GfxMgrDeathTest = testing::Test;

TEST_F(GfxMgrDeathTest, EveryRefusalEndsWithItsText)
{
    struct Refusal {
        void (*run)();
        const char* text;
    };
    const std::vector<Refusal> refusals = {
        {[] { Make(257, 8, 1); }, "GfxMgr_Create(): icon too large for texture size"},
        {[] { Make(8, 257, 1); }, "GfxMgr_Create(): icon too large for texture size"},
        {[] {
             for (int32_t i = 0; i <= MAX_TEXTURES; ++i)
                 Make(256, 256, static_cast<uint8_t>(i));
         },
         "CreateNewTexture(): too many textures - increase MAX_TEXTURES"},
        {[] {
             Make(8, 8, 1);
             GfxMgr_CreateStart();
         },
         "GfxMgr_CreateStart(): icons already created - can't do it again"},
        {[] { GfxMgr_DrawTiled(); }, "GfxMgr_DrawTiled(): not done yet..."},
        {[] { AddIcon_ColourList(30, 0, 0, 0, 1); }, "Error: AddIcon_ColourList, 30"},
        {[] { GfxMgr_FillRect(0, 0, 4, 4, 0x11, 30); }, "Error: AddIcon_ColourList, 30"},
        {[] { AddIcon_ColourList(-1, 0, 0, 0, 1); }, "Error: AddIcon_ColourList, -1"},
        {[] { InitTextureFudge(3); }, "InitTextureFudge(): invalid fudge type"},
        {[] { InitTextureFudge(-1); }, "InitTextureFudge(): invalid fudge type"},
    };
    for (const Refusal& r : refusals) {
        EXPECT_FATAL(
            {
                Manager manager;
                r.run();
            },
            r.text);
    }
}

}  // namespace
