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

// Windows-1252 bytes 0x80-0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<uint32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The character of a byte, or 0 for the control bytes and the undefined ones.
uint32_t CodepointOf(int32_t byte)
{
    if (byte < 0x20 || byte == 0x7F) return 0;
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return static_cast<uint32_t>(byte);
}

// The largest size whose rounded ascender and descender fit the cell.
int32_t PixelSizeFor(const FontStyle& font)
{
    for (int32_t size = font.cellHeight; size > 1; --size) {
        const MkFace face(font.face, size);
        if (face.Ascender() + face.Descender() <= font.cellHeight) return size;
    }
    return 1;
}

struct Glyph {
    MkGlyphImage image;
    int32_t inkX;  // where the ink starts in the cell
    int32_t advance;
};

void MakeFont(const FontStyle& font, MkFileSet* set)
{
    const MkFace face(font.face, PixelSizeFor(font));
    std::vector<Glyph> glyphs(GLYPHS);
    int32_t cellWidth = 1;
    for (int32_t b = 0; b < GLYPHS; ++b) {
        Glyph& glyph = glyphs[b];
        const uint32_t codepoint = CodepointOf(b);
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
