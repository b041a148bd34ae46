// tools/mkdata/canvas.h: the small painter that draws the generated menu pictures: anti-aliased
// shapes and words on an RGB picture with coverage, written out as 5-6-5 pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct MkRgb {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

constexpr MkRgb MK_WHITE = {255, 255, 255};
constexpr MkRgb MK_BLACK = {0, 0, 0};
constexpr MkRgb MK_OUTLINE = {24, 24, 32};

struct MkPoint {
    float x;
    float y;
};

enum MkAlign { MK_ALIGN_LEFT, MK_ALIGN_CENTRE, MK_ALIGN_RIGHT };

// Pixels start transparent; painting blends by coverage and makes them opaque as far as covered.
class MkCanvas {
public:
    MkCanvas(int32_t width, int32_t height);

    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    MkRgb At(int32_t x, int32_t y) const { return m_rgb[Index(x, y)]; }
    float CoverageAt(int32_t x, int32_t y) const { return m_cover[Index(x, y)]; }

    void Blend(int32_t x, int32_t y, MkRgb colour, float coverage);  // off the picture: nothing
    void Set(int32_t x, int32_t y, MkRgb colour) { Blend(x, y, colour, 1.0f); }
    void Rect(int32_t x, int32_t y, int32_t w, int32_t h, MkRgb colour, float coverage = 1.0f);

    // Anti-aliased by 4 x 4 samples per pixel inside the bounding box given.
    void Shape(float x0, float y0, float x1, float y1, MkRgb colour,
               const std::function<bool(float, float)>& inside);
    void Disc(float cx, float cy, float radius, MkRgb colour);
    void Ring(float cx, float cy, float outer, float inner, MkRgb colour);
    void Polygon(const std::vector<MkPoint>& points, MkRgb colour);
    void Line(float x0, float y0, float x1, float y1, float width, MkRgb colour);
    void RoundRect(float x0, float y0, float x1, float y1, float radius, MkRgb colour);

    // UTF-8 words in DejaVu Sans (bold or not) at a pixel size; y is the top of the ink line
    // (the face's ascender). Returns the width.
    int32_t Text(float x, float y, const char* utf8, int32_t pixelSize, bool bold, MkRgb colour,
                 MkAlign align = MK_ALIGN_LEFT);
    // The same with a dark copy one pixel down and right, so words read on any picture.
    void ShadowText(float x, float y, const char* utf8, int32_t pixelSize, bool bold, MkRgb colour,
                    MkAlign align = MK_ALIGN_CENTRE);

    // Every transparent pixel touching an opaque one (4 neighbours) becomes the colour.
    void Outline(MkRgb colour);

    // Little-endian 5-6-5; pixels under half coverage become the key 0xF81F when `keyed`.
    std::vector<uint8_t> To565(bool keyed) const;

private:
    size_t Index(int32_t x, int32_t y) const { return static_cast<size_t>(y) * m_width + x; }

    int32_t m_width;
    int32_t m_height;
    std::vector<MkRgb> m_rgb;
    std::vector<float> m_cover;
};

MkRgb MkMix(MkRgb a, MkRgb b, float t);  // a at t = 0, b at t = 1
MkRgb MkScale(MkRgb c, float factor);    // each channel times the factor, clamped
uint16_t MkTo565(MkRgb c);

// Little-endian helpers for the pictures' headers.
void MkPutU16(std::vector<uint8_t>* bytes, uint32_t value);
// "GFX0", width, height, frame count and six zero bytes.
std::vector<uint8_t> MkPictureHeader(int32_t width, int32_t height, int32_t frames);
