// tools/mkdata/freetype/raster.cpp: glyphs of the DejaVu faces rasterised through FreeType.
#include "tools/mkdata/freetype/raster.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

constexpr const char* DEJAVU_FOLDER = "/usr/share/fonts/truetype/dejavu/";

[[noreturn]] void FailFont(const std::string& path, const char* why)
{
    std::fprintf(stderr, "mkdata: %s: %s\n", path.c_str(), why);
    std::exit(1);
}

int32_t RoundPixels(FT_Pos value) { return static_cast<int32_t>((value + 32) >> 6); }

}  // namespace

MkFace::MkFace(const char* fileName, int32_t pixelSize)
{
    const std::string path = std::string(DEJAVU_FOLDER) + fileName;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0) FailFont(path, "FreeType does not start");
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0)
        FailFont(path, "cannot read the font (install fonts-dejavu-core)");
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0)
        FailFont(path, "the size cannot be set");
    m_library = library;
    m_face = face;
    m_ascender = RoundPixels(face->size->metrics.ascender);
    m_descender = RoundPixels(-face->size->metrics.descender);
}

MkFace::~MkFace()
{
    FT_Done_Face(static_cast<FT_Face>(m_face));
    FT_Done_FreeType(static_cast<FT_Library>(m_library));
}

bool MkFace::Render(uint32_t codepoint, MkGlyphImage* image) const
{
    const auto face = static_cast<FT_Face>(m_face);
    if (FT_Get_Char_Index(face, codepoint) == 0) return false;
    if (FT_Load_Char(face, codepoint, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    image->left = slot->bitmap_left;
    image->top = slot->bitmap_top;
    image->width = static_cast<int32_t>(bitmap.width);
    image->rows = static_cast<int32_t>(bitmap.rows);
    image->advance = RoundPixels(slot->advance.x);
    image->coverage.assign(static_cast<size_t>(image->width) * image->rows, 0);
    for (int32_t y = 0; y < image->rows; ++y) {
        for (int32_t x = 0; x < image->width; ++x) {
            image->coverage[static_cast<size_t>(y) * image->width + x] =
                bitmap.buffer[y * bitmap.pitch + x];
        }
    }
    return true;
}

namespace {

// Windows-1252 bytes 0x80-0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<uint32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

uint32_t MkCodepointOf1252(int32_t byte)
{
    if (byte < 0x20 || byte == 0x7F) return 0;
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return static_cast<uint32_t>(byte);
}

int32_t MkPixelSizeFor(const char* fileName, int32_t cellHeight)
{
    for (int32_t size = cellHeight; size > 1; --size) {
        const MkFace face(fileName, size);
        if (face.Ascender() + face.Descender() <= cellHeight) return size;
    }
    return 1;
}

MkGlyphSet MkRenderGlyphs(const MkFace& face)
{
    constexpr int32_t kGlyphs = 256;
    MkGlyphSet set{std::vector<MkGlyph>(kGlyphs), 1, face.Ascender()};
    for (int32_t b = 0; b < kGlyphs; ++b) {
        MkGlyph& glyph = set.glyphs[b];
        const uint32_t codepoint = MkCodepointOf1252(b);
        if (codepoint == 0 || !face.Render(codepoint, &glyph.image)) continue;
        glyph.inkX = std::max(0, glyph.image.left);
        glyph.advance = std::max(glyph.image.advance, glyph.inkX + glyph.image.width);
        set.cellWidth = std::max(set.cellWidth, glyph.advance);
    }
    return set;
}
