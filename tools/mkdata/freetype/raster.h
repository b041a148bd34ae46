// tools/mkdata/freetype/raster.h: glyphs of the DejaVu faces rasterised through FreeType, for the
// generated menu fonts and the words drawn into generated pictures. Only mkdata links FreeType.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An 8-bit grey anti-aliased glyph, light hinting.
struct MkGlyphImage {
    int32_t left;   // ink's offset from the pen, right positive
    int32_t top;    // ink's top above the baseline
    int32_t width;  // of the ink
    int32_t rows;
    int32_t advance;                // rounded, in pixels
    std::vector<uint8_t> coverage;  // width x rows, 0-255
};

// One face at one pixel size. A font file that cannot be read ends the build with exit code 1.
class MkFace {
public:
    MkFace(const char* fileName, int32_t pixelSize);  // a file of the DejaVu folder
    ~MkFace();
    MkFace(const MkFace&) = delete;
    MkFace& operator=(const MkFace&) = delete;

    int32_t Ascender() const { return m_ascender; }    // rounded pixels above the baseline
    int32_t Descender() const { return m_descender; }  // rounded pixels below it, positive
    // False when the face has no glyph for the character.
    bool Render(uint32_t codepoint, MkGlyphImage* image) const;

private:
    void* m_library;
    void* m_face;
    int32_t m_ascender;
    int32_t m_descender;
};

// The character of a Windows-1252 byte, or 0 for the control bytes and the undefined ones.
uint32_t MkCodepointOf1252(int32_t byte);
// The largest pixel size of the face whose rounded ascender and descender fit the cell height.
int32_t MkPixelSizeFor(const char* fileName, int32_t cellHeight);

// A glyph of a font's 256 Windows-1252 bytes, placed in its cell.
struct MkGlyph {
    MkGlyphImage image;
    int32_t inkX = 0;  // where the ink starts in the cell
    int32_t advance = 0;
};

struct MkGlyphSet {
    std::vector<MkGlyph> glyphs;  // one per byte; empty for the bytes without a character
    int32_t cellWidth;            // the widest advance, at least 1
    int32_t ascender;
};

MkGlyphSet MkRenderGlyphs(const MkFace& face);

// Calls paint(x, y, coverage) for each ink pixel of the glyph inside a cellWidth x cellHeight cell
// whose baseline lies `ascender` rows down.
template <typename Paint>
void MkForEachInkPixel(const MkGlyph& glyph, int32_t ascender, int32_t cellWidth,
                       int32_t cellHeight, Paint paint)
{
    const MkGlyphImage& image = glyph.image;
    for (int32_t row = 0; row < image.rows; ++row) {
        const int32_t y = ascender - image.top + row;
        if (y < 0 || y >= cellHeight) continue;
        for (int32_t col = 0; col < image.width && glyph.inkX + col < cellWidth; ++col) {
            paint(glyph.inkX + col, y,
                  image.coverage[static_cast<size_t>(row) * image.width + col]);
        }
    }
}
