// tools/mkdata/canvas.cpp: the small painter that draws the generated menu pictures.
#include "tools/mkdata/canvas.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <utility>

#include "tools/mkdata/freetype/raster.h"

namespace {

constexpr int32_t SAMPLES = 4;  // per axis and pixel

// Faces stay open for the run: opening one costs more than drawing a word.
const MkFace& FaceFor(int32_t pixelSize, bool bold)
{
    static std::map<std::pair<int32_t, bool>, std::unique_ptr<MkFace>> faces;
    auto& face = faces[{pixelSize, bold}];
    if (!face)
        face = std::make_unique<MkFace>(bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf", pixelSize);
    return *face;
}

std::vector<uint32_t> DecodeUtf8(const char* text)
{
    std::vector<uint32_t> codepoints;
    for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p != 0;) {
        uint32_t c = *p++;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra > 0) c &= 0x3F >> extra;
        for (; extra > 0 && (*p & 0xC0) == 0x80; --extra)
            c = c << 6 | (*p++ & 0x3F);
        codepoints.push_back(c);
    }
    return codepoints;
}

float DistanceToSegment(float px, float py, float x0, float y0, float x1, float y1)
{
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float length2 = dx * dx + dy * dy;
    float t = length2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / length2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}

}  // namespace

MkCanvas::MkCanvas(int32_t width, int32_t height)
    : m_width(width), m_height(height), m_rgb(static_cast<size_t>(width) * height, MkRgb{0, 0, 0}),
      m_cover(static_cast<size_t>(width) * height, 0.0f)
{
}

void MkCanvas::Blend(int32_t x, int32_t y, MkRgb colour, float coverage)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || coverage <= 0.0f) return;
    const size_t i = Index(x, y);
    coverage = std::min(coverage, 1.0f);
    // Over a transparent pixel the colour is taken whole: its coverage says how much shows.
    const float mix = m_cover[i] > 0.0f ? coverage : 1.0f;
    m_rgb[i] = MkMix(m_rgb[i], colour, mix);
    m_cover[i] = std::max(m_cover[i], coverage);
}

void MkCanvas::Rect(int32_t x, int32_t y, int32_t w, int32_t h, MkRgb colour, float coverage)
{
    for (int32_t row = y; row < y + h; ++row) {
        for (int32_t col = x; col < x + w; ++col)
            Blend(col, row, colour, coverage);
    }
}

void MkCanvas::Shape(float x0, float y0, float x1, float y1, MkRgb colour,
                     const std::function<bool(float, float)>& inside)
{
    const int32_t left = std::max(0, static_cast<int32_t>(std::floor(x0)));
    const int32_t top = std::max(0, static_cast<int32_t>(std::floor(y0)));
    const int32_t right = std::min(m_width - 1, static_cast<int32_t>(std::ceil(x1)));
    const int32_t bottom = std::min(m_height - 1, static_cast<int32_t>(std::ceil(y1)));
    for (int32_t y = top; y <= bottom; ++y) {
        for (int32_t x = left; x <= right; ++x) {
            int32_t hits = 0;
            for (int32_t sy = 0; sy < SAMPLES; ++sy) {
                for (int32_t sx = 0; sx < SAMPLES; ++sx) {
                    if (inside(x + (sx + 0.5f) / SAMPLES, y + (sy + 0.5f) / SAMPLES)) ++hits;
                }
            }
            Blend(x, y, colour, static_cast<float>(hits) / (SAMPLES * SAMPLES));
        }
    }
}

void MkCanvas::Disc(float cx, float cy, float radius, MkRgb colour)
{
    Shape(cx - radius, cy - radius, cx + radius, cy + radius, colour,
          [=](float x, float y) { return std::hypot(x - cx, y - cy) <= radius; });
}

void MkCanvas::Ring(float cx, float cy, float outer, float inner, MkRgb colour)
{
    Shape(cx - outer, cy - outer, cx + outer, cy + outer, colour, [=](float x, float y) {
        const float d = std::hypot(x - cx, y - cy);
        return d <= outer && d >= inner;
    });
}

void MkCanvas::Polygon(const std::vector<MkPoint>& points, MkRgb colour)
{
    float x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
    for (const MkPoint& p : points) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    Shape(x0, y0, x1, y1, colour, [&points](float x, float y) {
        bool in = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const MkPoint& a = points[i];
            const MkPoint& b = points[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
    });
}

void MkCanvas::Line(float x0, float y0, float x1, float y1, float width, MkRgb colour)
{
    const float half = width / 2;
    Shape(std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half,
          std::max(y0, y1) + half, colour,
          [=](float x, float y) { return DistanceToSegment(x, y, x0, y0, x1, y1) <= half; });
}

void MkCanvas::RoundRect(float x0, float y0, float x1, float y1, float radius, MkRgb colour)
{
    Shape(x0, y0, x1, y1, colour, [=](float x, float y) {
        if (x < x0 || x > x1 || y < y0 || y > y1) return false;
        const float cx = std::clamp(x, x0 + radius, x1 - radius);
        const float cy = std::clamp(y, y0 + radius, y1 - radius);
        return std::hypot(x - cx, y - cy) <= radius;
    });
}

int32_t MkCanvas::Text(float x, float y, const char* utf8, int32_t pixelSize, bool bold,
                       MkRgb colour, MkAlign align)
{
    const MkFace& face = FaceFor(pixelSize, bold);
    const std::vector<uint32_t> codepoints = DecodeUtf8(utf8);
    std::vector<MkGlyphImage> glyphs(codepoints.size());
    int32_t width = 0;
    for (size_t i = 0; i < codepoints.size(); ++i) {
        if (face.Render(codepoints[i], &glyphs[i])) width += glyphs[i].advance;
    }
    int32_t penX = static_cast<int32_t>(std::lround(x));
    if (align == MK_ALIGN_CENTRE) penX -= width / 2;
    if (align == MK_ALIGN_RIGHT) penX -= width;
    const int32_t baseline = static_cast<int32_t>(std::lround(y)) + face.Ascender();
    for (const MkGlyphImage& glyph : glyphs) {
        for (int32_t row = 0; row < glyph.rows; ++row) {
            for (int32_t col = 0; col < glyph.width; ++col) {
                const uint8_t c = glyph.coverage[static_cast<size_t>(row) * glyph.width + col];
                Blend(penX + glyph.left + col, baseline - glyph.top + row, colour, c / 255.0f);
            }
        }
        penX += glyph.advance;
    }
    return width;
}

void MkCanvas::ShadowText(float x, float y, const char* utf8, int32_t pixelSize, bool bold,
                          MkRgb colour, MkAlign align)
{
    Text(x + 1, y + 1, utf8, pixelSize, bold, MK_OUTLINE, align);
    Text(x, y, utf8, pixelSize, bold, colour, align);
}

void MkCanvas::Outline(MkRgb colour)
{
    std::vector<size_t> edge;
    const auto opaque = [this](int32_t x, int32_t y) {
        return x >= 0 && y >= 0 && x < m_width && y < m_height && m_cover[Index(x, y)] >= 0.5f;
    };
    for (int32_t y = 0; y < m_height; ++y) {
        for (int32_t x = 0; x < m_width; ++x) {
            if (opaque(x, y)) continue;
            if (opaque(x - 1, y) || opaque(x + 1, y) || opaque(x, y - 1) || opaque(x, y + 1))
                edge.push_back(Index(x, y));
        }
    }
    for (size_t i : edge) {
        m_rgb[i] = colour;
        m_cover[i] = 1.0f;
    }
}

std::vector<uint8_t> MkCanvas::To565(bool keyed) const
{
    std::vector<uint8_t> bytes;
    bytes.reserve(m_rgb.size() * 2);
    for (size_t i = 0; i < m_rgb.size(); ++i) {
        const bool clear = keyed && m_cover[i] < 0.5f;
        MkPutU16(&bytes, clear ? 0xF81F : MkTo565(m_rgb[i]));
    }
    return bytes;
}

MkRgb MkMix(MkRgb a, MkRgb b, float t)
{
    const auto mix = [t](uint8_t u, uint8_t v) {
        return static_cast<uint8_t>(std::lround(u + (v - u) * t));
    };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

MkRgb MkScale(MkRgb c, float factor)
{
    const auto scale = [factor](uint8_t v) {
        return static_cast<uint8_t>(std::clamp(std::lround(v * factor), 0L, 255L));
    };
    return {scale(c.r), scale(c.g), scale(c.b)};
}

uint16_t MkTo565(MkRgb c)
{
    const uint16_t value = static_cast<uint16_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3);
    // The key colour is transparent wherever it appears: an opaque pixel must never be it.
    return value == 0xF81F ? 0xF81E : value;
}

void MkPutU16(std::vector<uint8_t>* bytes, uint32_t value)
{
    bytes->push_back(static_cast<uint8_t>(value & 0xFF));
    bytes->push_back(static_cast<uint8_t>(value >> 8));
}

std::vector<uint8_t> MkPictureHeader(int32_t width, int32_t height, int32_t frames)
{
    std::vector<uint8_t> bytes = {'G', 'F', 'X', '0'};
    MkPutU16(&bytes, static_cast<uint32_t>(width));
    MkPutU16(&bytes, static_cast<uint32_t>(height));
    MkPutU16(&bytes, static_cast<uint32_t>(frames));
    bytes.resize(16, 0);
    return bytes;
}
