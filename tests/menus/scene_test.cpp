// Whole frames composed by the menu drawing layer over the generated data, read back through the
// host as the program's screen grabs are, and written out for a person to look at.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

// The French sample, in Windows-1252, in three parts that each fit the screen in every font.
const char* const kSample[] = {
    "\xC9quipe, Arr\xEAts, T\xEAtes, D\xE9"
    "fense,",
    "R\xE9initialiser, \xC0\xC9\xC8\xCA\xCB\xCE\xCF\xD4\xD9\xDB\xDC\xC7",
    "\xE0\xE9\xE8\xEA\xEB\xEE\xEF\xF4\xF9\xFB\xFC\xE7 \x80 1.5K",
};

struct Box {
    int32_t x;
    int32_t y;
    int32_t w;
    int32_t h;
};

int32_t Brightness(uint32_t rgb) { return (rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF); }

bool IsWhite(uint32_t rgb)
{
    return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) > 200 && (rgb & 0xFF) > 200;
}

int32_t CountInFrame(const Box& box, bool (*test)(uint32_t))
{
    int32_t count = 0;
    for (int32_t y = box.y; y < box.y + box.h; ++y) {
        for (int32_t x = box.x; x < box.x + box.w; ++x)
            count += test(FrameRgb(x, y));
    }
    return count;
}

// Draws the sample in the three fonts from (x, y) and returns each line's measured rectangle.
std::vector<Box> DrawSample(int32_t x, int32_t y)
{
    std::vector<Box> boxes;
    SetDrawAttribute(1, 0);
    for (int32_t font = 0; font < MENU_FONT_COUNT; ++font) {
        SetMenuFont(font);
        for (const char* part : kSample) {
            int32_t w, h;
            GetTextExtent(part, &w, &h);
            EXPECT_LE(x + w, 640) << font << " " << part;
            DrawMenuString(x, y, part, MENU_ALIGN_TL);
            boxes.push_back({x, y, w, h});
            y += h;
        }
    }
    return boxes;
}

// In a 32-bit mode, so the 5-6-5 marker pixel comes back whole.
TEST(MenuScene, ComposedFrameShowsEveryKindOfDrawing)
{
    ScopedMenus menus(DDRAW_KIND_32BIT);
    DoBackground(7);
    SetDrawAttribute(2, 0x0000);
    DoShadedBox(12, 56, 616, 268, 80);
    const std::vector<Box> lines = DrawSample(20, 60);
    DoGradientBar(20, 330, 600, 14, 0x07E0, 0);
    SetDrawAttribute(2, 0x8410);
    SetDrawAttribute(4, 0);
    DoButton(20, 440, 120, 28);
    SetDrawAttribute(2, 0xFD20);
    SetDrawAttribute(4, 1);
    DoButton(160, 440, 120, 28);
    DoIcon(40, 360, 1206, MENU_ALIGN_TL);
    DoIcon(100, 370, 1208, MENU_ALIGN_TL);
    DoIcon(130, 372, 1231, MENU_ALIGN_TL);
    DoIcon(450, 350, 1234, MENU_ALIGN_TL);
    DoIcon(320, 390, 1298, MENU_ALIGN_TL);
    CopyBackBuffer();
    PresentMenuScreen();
    PresentNow();
    WriteFrameToTestOutput("menus-scene.png");

    const uint32_t marker = FrameRgb(639, 479);
    EXPECT_EQ(marker >> 8 & 0xFF, 7u << 2 | 7u >> 4);  // green field 7, widened
    EXPECT_EQ(marker >> 19, 0u);
    EXPECT_GT(Brightness(FrameRgb(600, 24)) + 30, Brightness(FrameRgb(600, 36)));
    EXPECT_LT(Brightness(FrameRgb(600, 36)), Brightness(FrameRgb(600, 16)));
    EXPECT_LT(Brightness(FrameRgb(600, 36)), Brightness(FrameRgb(600, 54)));
    for (const Box& line : lines) {
        EXPECT_GT(CountInFrame(line, IsWhite), line.w / 4) << line.x << "," << line.y;
    }
    const uint32_t ok = FrameRgb(46, 380);
    EXPECT_GT(ok >> 8 & 0xFF, 150u);
    EXPECT_LT(ok >> 16, 120u);
    const uint32_t card = FrameRgb(106, 378);
    EXPECT_GT(card >> 16, 180u);
    EXPECT_LT(card >> 8 & 0xFF, 80u);
    // Solid button: light left, face, dark right; translucent: light top over dark bottom.
    EXPECT_GT(Brightness(FrameRgb(20, 454)), Brightness(FrameRgb(80, 454)));
    EXPECT_GT(Brightness(FrameRgb(80, 454)), Brightness(FrameRgb(139, 454)));
    EXPECT_GT(Brightness(FrameRgb(220, 440)), Brightness(FrameRgb(220, 467)));
}

// ---------------------------------------------------------------------------------------------
// The contact sheet: every icon, every background and the fonts on one picture.

constexpr int32_t CELL = 44;
constexpr int32_t COLUMNS = 40;
constexpr int32_t SHEET_W = CELL * COLUMNS;
constexpr int32_t THUMB_W = 160;
constexpr int32_t THUMB_H = 120;
constexpr int32_t THUMB_COLUMNS = SHEET_W / (THUMB_W + 4);

class Sheet {
public:
    Sheet(int32_t width, int32_t height) : m_w(width), m_h(height), m_rgb(width * height * 3, 40) {}

    void Put(int32_t x, int32_t y, uint32_t rgb)
    {
        uint8_t* p = &m_rgb[(static_cast<size_t>(y) * m_w + x) * 3];
        p[0] = static_cast<uint8_t>(rgb >> 16);
        p[1] = static_cast<uint8_t>(rgb >> 8);
        p[2] = static_cast<uint8_t>(rgb);
    }
    void Write(const std::string& name) { WriteTestOutputPng(name, m_w, m_h, m_rgb); }

private:
    int32_t m_w;
    int32_t m_h;
    std::vector<uint8_t> m_rgb;
};

uint32_t Rgb888(uint32_t pixel)
{
    const uint32_t v = ColConvPixel(pixel, MenuScreen.screenFormat, MenuScreen.sourceFormat);
    const uint32_t r = v >> 11, g = v >> 5 & 63, b = v & 31;
    return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

uint32_t ScreenPixelAt(const uint8_t* pixels, int32_t index)
{
    uint16_t value;
    std::memcpy(&value, pixels + 2 * index, 2);
    return value;
}

// Icons larger than a cell are shrunk, without filtering, to fit it.
double PutIcon(Sheet* sheet, int32_t n, int32_t cellX, int32_t cellY)
{
    int32_t w, h;
    GetIconSize(n, &w, &h);
    const uint8_t* pixels = GetIconAddress(n);
    int32_t opaque = 0;
    for (int32_t i = 0; i < w * h; ++i)
        opaque += ScreenPixelAt(pixels, i) != MenuScreen.keyColour;
    const int32_t fit = CELL - 4;
    const int32_t step = std::max({1, (w + fit - 1) / fit, (h + fit - 1) / fit});
    for (int32_t y = 0; y * step < h; ++y) {
        for (int32_t x = 0; x * step < w; ++x) {
            const uint32_t pixel = ScreenPixelAt(pixels, y * step * w + x * step);
            if (pixel != MenuScreen.keyColour)
                sheet->Put(cellX + 2 + x, cellY + 2 + y, Rgb888(pixel));
        }
    }
    return static_cast<double>(opaque) / (w * h);
}

TEST(MenuScene, ContactSheetShowsEveryPictureAndGlyph)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    const int32_t iconRows = (ICON_LAST + COLUMNS - 1) / COLUMNS;
    const int32_t thumbRows = (BACKGROUND_COUNT + THUMB_COLUMNS - 1) / THUMB_COLUMNS;
    const int32_t thumbTop = iconRows * CELL + 8;
    const int32_t fontTop = thumbTop + thumbRows * (THUMB_H + 4) + 8;
    Sheet sheet(SHEET_W, fontTop + 170);

    for (int32_t n = ICON_FIRST; n <= ICON_LAST; ++n) {
        const int32_t i = n - ICON_FIRST;
        const double covered = PutIcon(&sheet, n, i % COLUMNS * CELL, i / COLUMNS * CELL);
        if (n != 2) {
            EXPECT_GE(covered, 0.2) << "icon " << n;
        }
    }
    for (int32_t b = 0; b < BACKGROUND_COUNT; ++b) {
        DoBackground(b);
        const uint32_t first = WorkPixel(0, 0);
        bool varied = false;
        for (int32_t y = 0; y < 480; ++y) {
            for (int32_t x = 0; x < 640; ++x)
                varied |= WorkPixel(x, y) != first;
        }
        EXPECT_TRUE(varied) << BackgroundNames[b];
        const int32_t left = b % THUMB_COLUMNS * (THUMB_W + 4);
        const int32_t top = thumbTop + b / THUMB_COLUMNS * (THUMB_H + 4);
        for (int32_t y = 0; y < THUMB_H; ++y) {
            for (int32_t x = 0; x < THUMB_W; ++x)
                sheet.Put(left + x, top + y, Rgb888(WorkPixel(x * 4, y * 4)));
        }
    }

    FillMenuRect(0, 0, 640, 480, 0x0000);
    DrawSample(4, 4);
    for (int32_t y = 0; y < 165; ++y) {
        for (int32_t x = 0; x < 640; ++x)
            sheet.Put(x, fontTop + y, Rgb888(WorkPixel(x, y)));
    }
    sheet.Write("menu-contact-sheet.png");

    std::vector<int32_t> letters = {0x80};
    for (int32_t c = 0x41; c <= 0x5A; ++c)
        letters.push_back(c);
    for (int32_t c = 0x61; c <= 0x7A; ++c)
        letters.push_back(c);
    for (int32_t c = 0xC0; c <= 0xFF; ++c)
        letters.push_back(c);
    for (int32_t font = 0; font < MENU_FONT_COUNT; ++font) {
        SetMenuFont(font);
        for (int32_t c : letters) {
            FillMenuRect(0, 0, 40, 40, 0x0000);
            DrawMenuChar(0, 0, static_cast<char>(c), MENU_ALIGN_TL);
            int32_t ink = 0;
            for (int32_t y = 0; y < 40; ++y) {
                for (int32_t x = 0; x < 40; ++x)
                    ink += WorkPixel(x, y) != 0;
            }
            EXPECT_GT(ink, 0) << "font " << font << " byte " << c;
        }
    }
}

}  // namespace
