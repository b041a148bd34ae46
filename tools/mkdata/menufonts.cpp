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

struct Glyph {
    MkGlyphImage image;
    int32_t inkX;  // where the ink starts in the cell
    int32_t advance;
};

void MakeFont(const FontStyle& font, MkFileSet* set)
{
    const MkFace face(font.face, MkPixelSizeFor(font.face, font.cellHeight));
    std::vector<Glyph> glyphs(GLYPHS);
    int32_t cellWidth = 1;
    for (int32_t b = 0; b < GLYPHS; ++b) {
        Glyph& glyph = glyphs[b];
        const uint32_t codepoint = MkCodepointOf1252(b);
        if (codepoint == 0 || !face.Render(codepoint, &glyph.image)) continue;
        glyph.inkX = std::max(0, glyph.image.left);
        glyph.advance = std::max(glyph.image.advance, glyph.inkX + glyph.image.width);
        cellWidth = std::max(cellWidth, glyph.advance);
    }
    const int32_t cellHeight = font.cellHeight;
    std::vector<uint8_t> pixels = MkPictureHeader(cellWidth, cellHeight, GLYPHS);
    std::vector<uint8_t> widths(GLYPHS, 0);
    const size_t cellBytes = static_cast<size_t>(cellWidth) * cellHeight * BYTES_PER_PIXEL;
    for (int32_t b = 0; b < GLYPHS; ++b) {
        const Glyph& glyph = glyphs[b];
        widths[b] = static_cast<uint8_t>(std::min(glyph.advance, cellWidth));
        std::vector<uint8_t> cell(cellBytes, 0);
        const MkGlyphImage& image = glyph.image;
        for (int32_t row = 0; row < image.rows; ++row) {
            const int32_t y = face.Ascender() - image.top + row;
            if (y < 0 || y >= cellHeight) continue;
            for (int32_t col = 0; col < image.width && glyph.inkX + col < cellWidth; ++col) {
                const uint8_t coverage =
                    image.coverage[static_cast<size_t>(row) * image.width + col];
                uint8_t* at = &cell[(static_cast<size_t>(y) * cellWidth + glyph.inkX + col)
                                    * BYTES_PER_PIXEL];
                std::fill(at, at + BYTES_PER_PIXEL, coverage);
            }
        }
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
