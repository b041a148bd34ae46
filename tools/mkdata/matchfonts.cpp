// tools/mkdata/matchfonts.cpp: the in-game master palette and the six match fonts, rasterised
// from DejaVu Sans Bold at build time.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "tools/mkdata/canvas.h"
#include "tools/mkdata/freetype/raster.h"
#include "tools/mkdata/matchgfx.h"

namespace {

constexpr int32_t GLYPHS = 256;

struct FixedColour {
    uint8_t index;
    uint8_t r, g, b;  // 6-bit
};

// clang-format off
constexpr auto kFixed = std::to_array<FixedColour>({
    {MP_TRANSPARENT, 0, 0, 0},   {MP_RED, 63, 0, 0},         {MP_LIGHT_YELLOW, 63, 63, 40},
    {MP_YELLOW, 63, 56, 0},      {MP_CYAN, 0, 63, 63},       {MP_BLACK, 0, 0, 0},
    {17, 36, 36, 38},            {18, 50, 50, 52},           {19, 63, 63, 63},
    {MP_WHITE, 63, 63, 63},      {21, 40, 34, 0},            {22, 54, 47, 4},
    {23, 63, 58, 12},            {24, 10, 10, 12},           {25, 16, 16, 18},
    {26, 23, 23, 25},            {27, 31, 31, 33},           {28, 42, 42, 44},
    {MP_BALL_WHITE, 63, 63, 63}, {30, 6, 20, 6},             {31, 8, 25, 8},
    {32, 10, 30, 10},            {33, 13, 35, 12},           {34, 16, 40, 14},
    {35, 20, 45, 17},            {MP_GREEN, 8, 48, 8},       {MP_CARD_RED, 56, 4, 4},
    {MP_CARD_YELLOW, 63, 54, 4}, {MP_BLUE_DARK, 4, 8, 32},   {MP_BLUE, 8, 20, 56},
    {MP_BLUE_LIGHT, 24, 40, 63}, {MP_ORANGE, 63, 34, 4},     {MP_BROWN_DARK, 22, 13, 6},
    {MP_BROWN, 36, 22, 10},      {MP_SKIN_DARK, 40, 26, 18}, {MP_SKIN, 54, 40, 30},
    {MP_SKIN_LIGHT, 61, 50, 42}, {MP_MAGENTA, 63, 0, 63},    {MP_BLUE_KEY, 0, 0, 63},
    {MP_LAST_WHITE, 63, 63, 63},
});
// clang-format on

std::array<uint8_t, 768> MakePalette()
{
    std::array<uint8_t, 768> palette{};
    for (int32_t i = 0; i < 256; ++i) {
        const auto grey = static_cast<uint8_t>(i * 63 / 255);
        std::fill_n(palette.begin() + i * 3, 3, grey);
    }
    for (const FixedColour& c : kFixed) {
        palette[c.index * 3] = c.r;
        palette[c.index * 3 + 1] = c.g;
        palette[c.index * 3 + 2] = c.b;
    }
    return palette;
}

struct MatchFont {
    const char* name;
    int32_t menuCellHeight;  // the menu font of the same size
    uint8_t firstShade;      // three shades from here, faintest first
};

constexpr auto kFonts = std::to_array<MatchFont>({
    {"fnt12w", 12, MP_GREY1},
    {"fnt16w", 16, MP_GREY1},
    {"fnt24w", 24, MP_GREY1},
    {"fnt12y", 12, MP_YELLOW1},
    {"fnt16y", 16, MP_YELLOW1},
    {"fnt24y", 24, MP_YELLOW1},
});

const char* const kFace = "DejaVuSans-Bold.ttf";

// Below a quarter coverage nothing; then the three shades by quarters.
uint8_t ShadeOf(uint8_t coverage, uint8_t firstShade)
{
    if (coverage < 64) return MP_TRANSPARENT;
    if (coverage < 128) return firstShade;
    if (coverage < 192) return static_cast<uint8_t>(firstShade + 1);
    return static_cast<uint8_t>(firstShade + 2);
}

// The cell is one pixel wider and taller than the menu font's, for the shadow.
void DrawGlyph(const MkGlyph& glyph, int32_t ascender, int32_t cellW, int32_t cellH, uint8_t shade,
               uint8_t* cell)
{
    MkForEachInkPixel(glyph, ascender, cellW - 1, cellH - 1,
                      [&](int32_t x, int32_t y, uint8_t coverage) {
                          const uint8_t value = ShadeOf(coverage, shade);
                          if (value != MP_TRANSPARENT) cell[y * cellW + x] = value;
                      });
    // The shadow goes under the ink, one pixel down and right.
    for (int32_t y = cellH - 2; y >= 0; --y) {
        for (int32_t x = cellW - 2; x >= 0; --x) {
            uint8_t& below = cell[(y + 1) * cellW + x + 1];
            if (cell[y * cellW + x] != MP_TRANSPARENT && cell[y * cellW + x] != MP_BLACK
                && below == MP_TRANSPARENT)
                below = MP_BLACK;
        }
    }
}

void MakeFont(const MatchFont& font, MkFileSet* set)
{
    const MkFace face(kFace, MkPixelSizeFor(kFace, font.menuCellHeight));
    const MkGlyphSet glyphs = MkRenderGlyphs(face);
    const int32_t menuCellWidth = glyphs.cellWidth;
    // One pixel more each way holds the shadow.
    const int32_t cellW = menuCellWidth + 1;
    const int32_t cellH = font.menuCellHeight + 1;
    std::vector<uint8_t> pixels = MkPictureHeader(cellW, cellH, GLYPHS);
    std::vector<uint8_t> widths(GLYPHS, 0);
    for (int32_t b = 0; b < GLYPHS; ++b) {
        std::vector<uint8_t> cell(static_cast<size_t>(cellW) * cellH, MP_TRANSPARENT);
        DrawGlyph(glyphs.glyphs[b], glyphs.ascender, cellW, cellH, font.firstShade, cell.data());
        widths[b] = static_cast<uint8_t>(std::min(glyphs.glyphs[b].advance, menuCellWidth));
        pixels.insert(pixels.end(), cell.begin(), cell.end());
    }
    MkAddFile(set, std::string("MISCGFX\\FONTS\\") + font.name + ".gfx", std::move(pixels));
    MkAddFile(set, std::string("MISCGFX\\FONTS\\") + font.name + ".wid", std::move(widths));
}

}  // namespace

const std::array<uint8_t, 768>& MkMasterPalette()
{
    static const std::array<uint8_t, 768> palette = MakePalette();
    return palette;
}

void MkGenerateMasterPalette(MkFileSet* set)
{
    const auto& palette = MkMasterPalette();
    MkAddFile(set, "PALETTES\\ingame\\master.pal",
              std::vector<uint8_t>(palette.begin(), palette.end()));
}

void MkGenerateMatchFonts(MkFileSet* set)
{
    for (const MatchFont& font : kFonts)
        MakeFont(font, set);
}
