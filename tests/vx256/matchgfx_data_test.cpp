// The generated match fonts, graphics and master palette: every file in the archive, and a
// contact sheet of all of them for a person to look at.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "tools/mkdata/matchgfx.h"
#include "vx256/fontgame.h"
#include "vx256/mgraphic.h"

namespace {

class ScopedGeneratedData {
public:
    ScopedGeneratedData()
    {
        ResetCoreForTest();
        MemoryInit();
        PakFileInit();
        DataFolderInit(ScopedMenus::GeneratedDataFolder().c_str());
        PakMount("pakfiles\\hdcommon");
        FONT_Init();
        MGraphic_Init();
    }
    ~ScopedGeneratedData()
    {
        MGraphic_Uninit();
        FONT_Uninit();
        PakFileUninit();
        MemoryUninit();
        ResetCoreForTest();
    }
};

uint32_t Rgb(const std::array<uint8_t, 768>& palette, uint8_t index)
{
    const auto c = [&](int32_t k) { return static_cast<uint32_t>(palette[index * 3 + k]) << 2; };
    return c(0) << 16 | c(1) << 8 | c(2);
}

// Every graphic's frames side by side, then every font's glyphs, on a grass-green sheet.
TEST(MatchGfxData, ArchiveHoldsEveryFontAndGraphicAndTheSheetShowsThem)
{
    ScopedGeneratedData data;
    const auto& palette = MkMasterPalette();
    constexpr int32_t kSheetW = 1400;
    std::vector<uint32_t> sheet(kSheetW * 1700, Rgb(palette, 32));
    int32_t x = 4, y = 4, rowHeight = 0;
    const auto place = [&](int32_t w, int32_t h) {
        if (x + w + 4 > kSheetW) {
            x = 4;
            y += rowHeight + 6;
            rowHeight = 0;
        }
        const int32_t at = x;
        x += w + 4;
        rowHeight = std::max(rowHeight, h);
        return at;
    };
    const auto put = [&](const uint8_t* pixels, int32_t w, int32_t h, int32_t px, int32_t py) {
        for (int32_t j = 0; j < h; ++j) {
            for (int32_t i = 0; i < w; ++i) {
                const uint8_t v = pixels[j * w + i];
                if (v != 0 && py + j < 1700) sheet[(py + j) * kSheetW + px + i] = Rgb(palette, v);
            }
        }
    };
    for (int32_t n = 0; n < MGRAPHIC_COUNT; ++n) {
        const MGraphicItem& g = MGraphGetItem(n);
        int32_t opaque = 0;
        for (int32_t f = 0; f < g.frames; ++f) {
            const uint8_t* frame = g.pixels + f * g.width * g.height;
            opaque += static_cast<int32_t>(
                std::count_if(frame, frame + g.width * g.height, [](uint8_t v) { return v != 0; }));
            put(frame, g.width, g.height, place(g.width, g.height), y);
        }
        EXPECT_GT(opaque, g.frames * g.width * g.height / 20) << g.name;
    }
    x = kSheetW;
    for (int32_t font = 0; font < FONT_COUNT; ++font) {
        const FontItem& item = FONT_GetItem(font);
        EXPECT_EQ(item.glyphCount, 256);
        EXPECT_EQ(item.widthCount, 256);
        for (int32_t c = 0x20; c < 0x100; ++c) {
            if (c >= 0x7F && c < 0xC0) continue;
            put(item.pixels + c * item.glyphWidth * item.glyphHeight, item.glyphWidth,
                item.glyphHeight, place(item.widths[c], item.glyphHeight), y);
        }
        EXPECT_GT(FONT_GetTextWidth("Pelloran", font), 0);
        x = kSheetW;
    }
    std::vector<uint8_t> rgb;
    const int32_t height = std::min(1700, y + rowHeight + 4);
    for (int32_t i = 0; i < kSheetW * height; ++i) {
        rgb.push_back(static_cast<uint8_t>(sheet[i] >> 16));
        rgb.push_back(static_cast<uint8_t>(sheet[i] >> 8));
        rgb.push_back(static_cast<uint8_t>(sheet[i]));
    }
    WriteTestOutputPng("match-contact-sheet.png", kSheetW, height, rgb);
    const int32_t handle = PakOpenFile("PALETTES\\ingame\\master.pal");
    EXPECT_EQ(PakFileLength(handle), 768);
    PakCloseFile(handle);
}

}  // namespace
