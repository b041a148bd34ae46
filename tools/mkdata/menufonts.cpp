// tools/mkdata/menufonts.cpp: the three menu fonts, rasterised from DejaVu at build time.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkdata/canvas.h"
#include "tools/mkdata/freetype/raster.h"
#include "tools/mkdata/menugfx.h"

namespace {

constexpr int32_t GLYPHS = 256;
constexpr int32_t BYTES_PER_PIXEL = 3;

struct FontStyle {
    const char* name;
    const char* face;
    int32_t cellHeight;
};

constexpr auto kFonts = std::to_array<FontStyle>({
    {"fnt12", "DejaVuSans.ttf", 12},
    {"fnt16", "DejaVuSans-Bold.ttf", 16},
    {"fnt24", "DejaVuSans-Bold.ttf", 24},
});

void MakeFont(const FontStyle& font, MkFileSet* set)
{
    const MkFace face(font.face, MkPixelSizeFor(font.face, font.cellHeight));
    const MkGlyphSet glyphs = MkRenderGlyphs(face);
    const int32_t cellWidth = glyphs.cellWidth;
    const int32_t cellHeight = font.cellHeight;
    std::vector<uint8_t> pixels = MkPictureHeader(cellWidth, cellHeight, GLYPHS);
    std::vector<uint8_t> widths(GLYPHS, 0);
    const size_t cellBytes = static_cast<size_t>(cellWidth) * cellHeight * BYTES_PER_PIXEL;
    for (int32_t b = 0; b < GLYPHS; ++b) {
        const MkGlyph& glyph = glyphs.glyphs[b];
        widths[b] = static_cast<uint8_t>(std::min(glyph.advance, cellWidth));
        std::vector<uint8_t> cell(cellBytes, 0);
        MkForEachInkPixel(glyph, glyphs.ascender, cellWidth, cellHeight,
                          [&](int32_t x, int32_t y, uint8_t coverage) {
                              uint8_t* at =
                                  &cell[(static_cast<size_t>(y) * cellWidth + x) * BYTES_PER_PIXEL];
                              std::fill(at, at + BYTES_PER_PIXEL, coverage);
                          });
        pixels.insert(pixels.end(), cell.begin(), cell.end());
    }
    MkAddFile(set, std::string("menugfx\\") + font.name + ".gfx", std::move(pixels));
    MkAddFile(set, std::string("menugfx\\") + font.name + ".wid", std::move(widths));
}

}  // namespace

void MkGenerateMenuFonts(MkFileSet* set)
{
    for (const FontStyle& font : kFonts)
        MakeFont(font, set);
}
