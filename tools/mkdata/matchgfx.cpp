// tools/mkdata/matchgfx.cpp: the 35 match graphics, painted on the anti-aliased canvas and
// reduced to the master palette's fixed colours.
#include "tools/mkdata/matchgfx.h"

#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "tools/mkdata/canvas.h"

namespace {

// The fixed entries a painted pixel may become; 0 stays transparent.
constexpr auto kUsable =
    std::to_array<uint8_t>({1,  5,  6,  15, 16, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 28, 30,
                            31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47});

MkRgb Col(uint8_t index)
{
    const auto& p = MkMasterPalette();
    return {static_cast<uint8_t>(p[index * 3] << 2), static_cast<uint8_t>(p[index * 3 + 1] << 2),
            static_cast<uint8_t>(p[index * 3 + 2] << 2)};
}

uint8_t Nearest(MkRgb c)
{
    uint8_t best = kUsable[0];
    int32_t bestDistance = 1 << 30;
    for (uint8_t index : kUsable) {
        const MkRgb p = Col(index);
        const int32_t dr = p.r - c.r, dg = p.g - c.g, db = p.b - c.b;
        const int32_t distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = index;
            bestDistance = distance;
        }
    }
    return best;
}

using Painter = std::function<void(MkCanvas& c, int32_t frame)>;

struct GraphicDraft {
    const char* name;
    int32_t width;
    int32_t height;
    int32_t frames;
    Painter paint;
};

std::vector<uint8_t> Render(const GraphicDraft& g)
{
    std::vector<uint8_t> bytes = MkPictureHeader(g.width, g.height, g.frames);
    for (int32_t f = 0; f < g.frames; ++f) {
        MkCanvas canvas(g.width, g.height);
        g.paint(canvas, f);
        for (int32_t y = 0; y < g.height; ++y) {
            for (int32_t x = 0; x < g.width; ++x) {
                const bool opaque = canvas.CoverageAt(x, y) >= 0.5f;
                bytes.push_back(opaque ? Nearest(canvas.At(x, y)) : MP_TRANSPARENT);
            }
        }
    }
    return bytes;
}

constexpr float kPi = std::numbers::pi_v<float>;

// A triangle pointing along the angle (0 right, pi/2 down) centred on (cx, cy).
void Arrowhead(MkCanvas& c, float cx, float cy, float size, float angle, MkRgb colour)
{
    const float ux = std::cos(angle), uy = std::sin(angle);
    c.Polygon({{cx + ux * size, cy + uy * size},
               {cx - ux * size - uy * size, cy - uy * size + ux * size},
               {cx - ux * size + uy * size, cy - uy * size - ux * size}},
              colour);
}

void Arrow(MkCanvas& c, float cx, float cy, float size, float angle, MkRgb colour)
{
    const float ux = std::cos(angle), uy = std::sin(angle);
    c.Line(cx - ux * size, cy - uy * size, cx + ux * size * 0.2f, cy + uy * size * 0.2f,
           size * 0.45f, colour);
    Arrowhead(c, cx + ux * size * 0.35f, cy + uy * size * 0.35f, size * 0.65f, angle, colour);
}

void Outlined(MkCanvas& c, const std::function<void()>& paint)
{
    paint();
    c.Outline(Col(MP_BLACK));
}

// The replay bar's symbols by mode, in white or, highlighted, in yellow.
void ReplayButton(MkCanvas& c, int32_t frame)
{
    const bool hot = frame >= 10;
    const int32_t mode = frame % 10;
    c.RoundRect(1, 1, 41, 51, 6, Col(hot ? MP_YELLOW : 27));
    c.RoundRect(3, 3, 39, 49, 5, Col(25));
    const MkRgb ink = Col(hot ? MP_YELLOW : MP_WHITE);
    const float cx = 21, cy = 26;
    switch (mode) {
        case 1:
            Arrowhead(c, cx - 6, cy, 6, kPi, ink);
            Arrowhead(c, cx + 4, cy, 6, kPi, ink);
            break;
        case 2: Arrowhead(c, cx - 1, cy, 8, kPi, ink); break;
        case 3:
            c.Rect(13, 17, 5, 18, ink);
            c.Rect(24, 17, 5, 18, ink);
            break;
        case 4:
            c.Rect(12, 17, 4, 18, ink);
            Arrowhead(c, cx + 4, cy, 8, 0, ink);
            break;
        case 5: Arrowhead(c, cx + 1, cy, 9, 0, ink); break;
        case 6:
            Arrowhead(c, cx - 4, cy, 6, 0, ink);
            Arrowhead(c, cx + 6, cy, 6, 0, ink);
            break;
        case 7: c.Rect(12, 17, 18, 18, ink); break;
        case 8:
            c.Rect(11, 15, 20, 22, ink);
            c.Rect(15, 15, 12, 7, Col(25));
            c.Rect(14, 28, 14, 9, Col(hot ? 23 : 28));
            break;
        default: break;
    }
}

// Hand-made 4 x 6 digits, then colon and minus: one row per nibble, bit 3 leftmost.
constexpr std::array<std::array<uint8_t, 6>, 12> kTinyGlyphs = {{
    {6, 9, 9, 9, 9, 6},
    {2, 6, 2, 2, 2, 7},
    {6, 9, 1, 2, 4, 15},
    {14, 1, 6, 1, 1, 14},
    {9, 9, 15, 1, 1, 1},
    {15, 8, 14, 1, 1, 14},
    {6, 8, 14, 9, 9, 6},
    {15, 1, 2, 4, 4, 4},
    {6, 9, 6, 9, 9, 6},
    {6, 9, 9, 7, 1, 6},
    {0, 4, 0, 0, 4, 0},
    {0, 0, 15, 0, 0, 0},
}};

void TinyGlyph(MkCanvas& c, int32_t frame, uint8_t colour)
{
    for (int32_t y = 0; y < 6; ++y) {
        for (int32_t x = 0; x < 4; ++x) {
            if ((kTinyGlyphs[frame][y] >> (3 - x) & 1) != 0) c.Set(x, y, Col(colour));
        }
    }
}

// Seven segments: a top, b top right, c bottom right, d bottom, e bottom left, f top left, g
// middle; bit 0 is a.
constexpr std::array<uint8_t, 10> kSegments = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                               0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void DigitalGlyph(MkCanvas& c, int32_t frame)
{
    const MkRgb ink = Col(MP_YELLOW);
    if (frame == 10) {
        c.Rect(4, 3, 2, 2, ink);
        c.Rect(4, 9, 2, 2, ink);
        return;
    }
    const uint8_t s = kSegments[frame];
    const std::array<std::array<int32_t, 4>, 7> rects = {{{2, 0, 6, 2},
                                                          {8, 1, 2, 6},
                                                          {8, 7, 2, 6},
                                                          {2, 12, 6, 2},
                                                          {0, 7, 2, 6},
                                                          {0, 1, 2, 6},
                                                          {2, 6, 6, 2}}};
    for (int32_t k = 0; k < 7; ++k) {
        if ((s >> k & 1) != 0) c.Rect(rects[k][0], rects[k][1], rects[k][2], rects[k][3], ink);
    }
}

void Pitch(MkCanvas& c, int32_t w, int32_t h, int32_t margin)
{
    for (int32_t stripe = 0; stripe < 8; ++stripe) {
        const int32_t x0 = stripe * w / 8;
        c.Rect(x0, 0, (stripe + 1) * w / 8 - x0, h, Col(stripe % 2 == 0 ? 32 : 33));
    }
    const MkRgb line = Col(MP_WHITE);
    const float l = margin, t = margin, r = w - 1 - margin, b = h - 1 - margin;
    const float lw = 1.0f;
    c.Line(l, t, r, t, lw, line);
    c.Line(l, b, r, b, lw, line);
    c.Line(l, t, l, b, lw, line);
    c.Line(r, t, r, b, lw, line);
    c.Line(w / 2.0f, t, w / 2.0f, b, lw, line);
    const float radius = (b - t) * 0.15f;
    c.Ring(w / 2.0f, h / 2.0f, radius + 0.5f, radius - 0.5f, line);
    const float boxH = (b - t) * 0.55f, boxW = (r - l) * 0.14f;
    for (float side : {l, r}) {
        const float inner = side == l ? l + boxW : r - boxW;
        c.Line(side, h / 2.0f - boxH / 2, inner, h / 2.0f - boxH / 2, lw, line);
        c.Line(side, h / 2.0f + boxH / 2, inner, h / 2.0f + boxH / 2, lw, line);
        c.Line(inner, h / 2.0f - boxH / 2, inner, h / 2.0f + boxH / 2, lw, line);
    }
}

constexpr auto kShirtColours =
    std::to_array<uint8_t>({MP_CARD_RED, MP_BLUE, MP_WHITE, MP_CARD_YELLOW, MP_GREEN, MP_ORANGE,
                            MP_BLACK, MP_BLUE_LIGHT, MP_BROWN, 27});

void Shirt(MkCanvas& c, float w, float h, int32_t frame)
{
    const MkRgb body = Col(kShirtColours[frame]);
    const MkRgb trim = Col(frame % 2 == 0 ? MP_WHITE : MP_BLACK);
    Outlined(c, [&] {
        c.Polygon({{w * 0.3f, h * 0.05f},
                   {w * 0.7f, h * 0.05f},
                   {w * 0.97f, h * 0.3f},
                   {w * 0.82f, h * 0.48f},
                   {w * 0.75f, h * 0.4f},
                   {w * 0.75f, h * 0.95f},
                   {w * 0.25f, h * 0.95f},
                   {w * 0.25f, h * 0.4f},
                   {w * 0.18f, h * 0.48f},
                   {w * 0.03f, h * 0.3f}},
                  body);
        c.Line(w * 0.4f, h * 0.08f, w * 0.6f, h * 0.08f, h * 0.08f, trim);
    });
}

void Ball(MkCanvas& c, float cx, float cy, float r)
{
    c.Disc(cx, cy, r, Col(MP_BLACK));
    c.Disc(cx, cy, r - 1, Col(MP_WHITE));
    c.Disc(cx, cy, r * 0.35f, Col(MP_BLACK));
}

void Tick(MkCanvas& c, float s, MkRgb colour)
{
    c.Line(s * 0.15f, s * 0.55f, s * 0.4f, s * 0.8f, s * 0.16f, colour);
    c.Line(s * 0.4f, s * 0.8f, s * 0.85f, s * 0.2f, s * 0.16f, colour);
}

// The eleven event icons: ball, booking, sending-off, substitution in, out, injury, tick, star,
// corner flag, whistle, offside flag.
void IsoIcon(MkCanvas& c, int32_t frame)
{
    switch (frame) {
        case 0: Ball(c, 7, 7, 6); break;
        case 1: c.Rect(4, 2, 7, 10, Col(MP_CARD_YELLOW)); break;
        case 2: c.Rect(4, 2, 7, 10, Col(MP_CARD_RED)); break;
        case 3: Arrow(c, 7, 7, 6, -kPi / 2, Col(MP_GREEN)); break;
        case 4: Arrow(c, 7, 7, 6, kPi / 2, Col(MP_CARD_RED)); break;
        case 5:
            c.Rect(5, 1, 4, 12, Col(MP_CARD_RED));
            c.Rect(1, 5, 12, 4, Col(MP_CARD_RED));
            break;
        case 6: Tick(c, 14, Col(MP_GREEN)); break;
        case 7: {
            std::vector<MkPoint> star;
            for (int32_t k = 0; k < 10; ++k) {
                const float a = -kPi / 2 + k * kPi / 5;
                const float r = k % 2 == 0 ? 6.5f : 2.8f;
                star.push_back({7 + r * std::cos(a), 7 + r * std::sin(a)});
            }
            c.Polygon(star, Col(MP_YELLOW));
            break;
        }
        case 8:
            c.Rect(3, 1, 2, 12, Col(MP_WHITE));
            c.Polygon({{5, 1}, {12, 3.5f}, {5, 6}}, Col(MP_CARD_RED));
            break;
        case 9:
            c.Disc(6, 8, 4, Col(27));
            c.Rect(8, 4, 5, 3, Col(27));
            break;
        default:
            c.Rect(3, 1, 2, 12, Col(MP_WHITE));
            c.Polygon({{5, 1}, {12, 1}, {12, 6}, {5, 6}}, Col(MP_ORANGE));
            break;
    }
}

// A top-down player: shoulders in the colour, the head in skin.
void TopPlayer(MkCanvas& c, float cx, float cy, float size, uint8_t colour)
{
    Outlined(c, [&] {
        c.RoundRect(cx - size, cy - size * 0.45f, cx + size, cy + size * 0.45f, size * 0.4f,
                    Col(colour));
        c.Disc(cx, cy, size * 0.42f, Col(MP_SKIN));
    });
}

void Camera(MkCanvas& c, int32_t frame)
{
    c.RoundRect(0, 0, 32, 24, 3, Col(25));
    const MkRgb ink = Col(MP_WHITE);
    c.Rect(4, 9, 12, 8, ink);
    c.Polygon({{16, 13}, {22, 9}, {22, 17}}, ink);
    // Frame by frame the camera's field of view widens.
    const float spread = 2.0f + frame * 2.0f;
    c.Line(23, 13, 30, 13 - spread, 1.0f, Col(MP_YELLOW));
    c.Line(23, 13, 30, 13 + spread, 1.0f, Col(MP_YELLOW));
}

void StickMan(MkCanvas& c, int32_t frame)
{
    const MkRgb ink = Col(MP_WHITE);
    c.Disc(4, 1.8f, 1.6f, ink);
    c.Line(4, 3, 4, 7, 1.0f, ink);
    const float swing = std::sin(frame * kPi / 4) * 2.5f;
    c.Line(4, 7, 4 + swing, 11.5f, 1.0f, ink);
    c.Line(4, 7, 4 - swing, 11.5f, 1.0f, ink);
    c.Line(4, 4.5f, 4 - swing, 6.5f, 1.0f, ink);
    c.Line(4, 4.5f, 4 + swing, 6.5f, 1.0f, ink);
}

// Defender, forward, goalkeeper, midfielder: a disc of its colour with its French letter.
constexpr auto kDiscColours =
    std::to_array<uint8_t>({MP_BLUE, MP_CARD_RED, MP_CARD_YELLOW, MP_GREEN});
constexpr auto kDiscLetters = std::to_array<const char*>({"D", "A", "G", "M"});

void Spin(MkCanvas& c, int32_t frame, uint8_t colour, bool outward)
{
    const float start = frame * kPi / 4;
    const MkRgb ink = Col(colour);
    for (int32_t k = 0; k < 10; ++k) {
        const float a0 = start + k * 0.45f, a1 = start + (k + 1) * 0.45f;
        const float r = outward ? 3.5f + k * 0.35f : 5.5f;
        c.Line(8 + r * std::cos(a0), 8 + r * std::sin(a0), 8 + r * std::cos(a1),
               8 + r * std::sin(a1), 1.6f, ink);
    }
    const float end = start + 10 * 0.45f;
    const float r = outward ? 7.0f : 5.5f;
    Arrowhead(c, 8 + r * std::cos(end), 8 + r * std::sin(end), 2.5f, end + kPi / 2, ink);
}

std::vector<GraphicDraft> Drafts()
{
    return {
        {"SHADOW", 64, 32, 1,
         [](MkCanvas& c, int32_t) {
             c.Shape(0, 0, 64, 32, Col(25), [](float x, float y) {
                 const float dx = (x - 32) / 31, dy = (y - 16) / 15;
                 return dx * dx + dy * dy <= 1.0f;
             });
             c.Shape(0, 0, 64, 32, Col(24), [](float x, float y) {
                 const float dx = (x - 32) / 22, dy = (y - 16) / 10;
                 return dx * dx + dy * dy <= 1.0f;
             });
         }},
        {"REPBAR", 42, 52, 20, ReplayButton},
        {"mouse", 16, 24, 1,
         [](MkCanvas& c, int32_t) {
             Outlined(c, [&] {
                 c.Polygon({{1, 1}, {1, 18}, {5, 14}, {8, 21}, {11, 20}, {8, 13}, {13, 13}},
                           Col(MP_WHITE));
             });
         }},
        {"fonts\\6high", 4, 6, 12, [](MkCanvas& c, int32_t f) { TinyGlyph(c, f, MP_WHITE); }},
        {"fonts\\6high_y", 4, 6, 12, [](MkCanvas& c, int32_t f) { TinyGlyph(c, f, MP_YELLOW); }},
        {"hilite\\HiLight", 32, 32, 1,
         [](MkCanvas& c, int32_t) {
             c.Ring(16, 16, 15.5f, 12, Col(MP_YELLOW));
             c.Ring(16, 16, 11, 10, Col(MP_ORANGE));
         }},
        {"hilite\\ball2", 12, 12, 1, [](MkCanvas& c, int32_t) { Ball(c, 6, 6, 5.8f); }},
        {"hilite\\digifont", 10, 14, 11, DigitalGlyph},
        {"hilite\\arrows", 16, 16, 4,
         [](MkCanvas& c, int32_t f) {
             Outlined(c, [&] { Arrow(c, 8, 8, 6.5f, -kPi / 2 + f * kPi / 2, Col(MP_WHITE)); });
         }},
        {"hilite\\arrows2", 16, 16, 4,
         [](MkCanvas& c, int32_t f) {
             Outlined(c, [&] { Arrow(c, 8, 8, 6.5f, -kPi / 2 + f * kPi / 2, Col(MP_YELLOW)); });
         }},
        {"hilite\\plus", 12, 12, 1,
         [](MkCanvas& c, int32_t) {
             Outlined(c, [&] {
                 c.Rect(4, 1, 3, 10, Col(MP_WHITE));
                 c.Rect(1, 4, 10, 3, Col(MP_WHITE));
             });
         }},
        {"hilite\\spin", 16, 16, 8, [](MkCanvas& c, int32_t f) { Spin(c, f, MP_WHITE, false); }},
        {"hilite\\spin2", 16, 16, 8, [](MkCanvas& c, int32_t f) { Spin(c, f, MP_YELLOW, false); }},
        {"hilite\\spinout", 16, 16, 8, [](MkCanvas& c, int32_t f) { Spin(c, f, MP_CYAN, true); }},
        {"hilite\\bars", 8, 32, 4,
         [](MkCanvas& c, int32_t f) {
             c.Rect(0, 0, 8, 32, Col(24));
             const int32_t filled = (f + 1) * 30 / 4;
             c.Rect(1, 31 - filled, 6, filled, Col(f == 3 ? MP_GREEN : MP_YELLOW));
         }},
        {"hilite\\tickbox", 14, 14, 2,
         [](MkCanvas& c, int32_t f) {
             c.Rect(0, 0, 14, 14, Col(MP_WHITE));
             c.Rect(2, 2, 10, 10, Col(25));
             if (f == 1) Tick(c, 14, Col(MP_GREEN));
         }},
        {"hilite\\cards", 12, 16, 3,
         [](MkCanvas& c, int32_t f) {
             if (f < 2) {
                 c.RoundRect(1, 0, 11, 16, 1.5f, Col(f == 0 ? MP_CARD_RED : MP_CARD_YELLOW));
                 return;
             }
             c.RoundRect(0, 2, 12, 14, 2, Col(MP_WHITE));
             c.Rect(5, 3, 2, 10, Col(MP_CARD_RED));
             c.Rect(1, 7, 10, 2, Col(MP_CARD_RED));
         }},
        {"hilite\\pitch", 168, 118, 1, [](MkCanvas& c, int32_t) { Pitch(c, 168, 118, 4); }},
        {"hilite\\players", 20, 20, 4,
         [](MkCanvas& c, int32_t f) {
             const auto colours =
                 std::to_array<uint8_t>({MP_BLUE, MP_CARD_RED, MP_CARD_YELLOW, MP_WHITE});
             TopPlayer(c, 10, 10, 8, colours[f]);
         }},
        {"hilite\\shirts", 24, 20, 10, [](MkCanvas& c, int32_t f) { Shirt(c, 24, 20, f); }},
        {"hilite\\isoicons", 14, 14, 11, IsoIcon},
        {"hilite\\smlltck", 8, 8, 1, [](MkCanvas& c, int32_t) { Tick(c, 8, Col(MP_GREEN)); }},
        {"hilite\\smshirts", 12, 10, 10, [](MkCanvas& c, int32_t f) { Shirt(c, 12, 10, f); }},
        {"skid", 32, 16, 1,
         [](MkCanvas& c, int32_t) {
             c.Line(3, 9, 29, 6, 5, Col(MP_BROWN_DARK));
             c.Line(6, 9, 26, 7, 2, Col(MP_BROWN));
             c.Line(4, 12, 20, 11, 1.5f, Col(30));
         }},
        {"scanner\\camviews", 32, 24, 4, Camera},
        {"scanner\\PANEL", 200, 120, 1,
         [](MkCanvas& c, int32_t) {
             c.RoundRect(0, 0, 200, 120, 8, Col(28));
             c.RoundRect(2, 2, 198, 118, 7, Col(25));
             c.Rect(8, 8, 184, 16, Col(26));
         }},
        {"scanner\\buttons", 32, 20, 8,
         [](MkCanvas& c, int32_t f) {
             const bool pressed = f >= 4;
             c.RoundRect(0, 0, 32, 20, 4, Col(pressed ? 24 : 28));
             c.RoundRect(1, 1, 31, 19, 4, Col(pressed ? 25 : 27));
             Arrowhead(c, 16, 10, 5, f % 4 * kPi / 2 - kPi / 2,
                       Col(pressed ? MP_YELLOW : MP_WHITE));
         }},
        {"scanner\\arrows", 16, 16, 4,
         [](MkCanvas& c, int32_t f) {
             Arrow(c, 8, 8, 6.5f, -kPi / 2 + f * kPi / 2, Col(MP_WHITE));
         }},
        {"scanner\\arrwmask", 16, 16, 4,
         [](MkCanvas& c, int32_t f) {
             Arrow(c, 8, 8, 6.5f, -kPi / 2 + f * kPi / 2, Col(MP_BLACK));
             c.Outline(Col(MP_BLACK));
         }},
        {"scanner\\scan", 8, 8, 2,
         [](MkCanvas& c, int32_t f) { c.Disc(4, 4, 3.5f, Col(f == 0 ? MP_BLUE_LIGHT : MP_RED)); }},
        {"scanner\\hand", 16, 16, 1,
         [](MkCanvas& c, int32_t) {
             Outlined(c, [&] {
                 c.RoundRect(3, 7, 13, 15, 2.5f, Col(MP_SKIN));
                 c.RoundRect(5, 0.5f, 8, 9, 1.5f, Col(MP_SKIN));
                 c.RoundRect(8, 5, 10.5f, 9, 1, Col(MP_SKIN_DARK));
                 c.RoundRect(10.5f, 5.5f, 13, 9, 1, Col(MP_SKIN_DARK));
             });
         }},
        {"newpitch", 256, 160, 1, [](MkCanvas& c, int32_t) { Pitch(c, 256, 160, 6); }},
        {"scanner\\stickmen", 8, 12, 8, StickMan},
        {"Alldisc", 20, 20, 4,
         [](MkCanvas& c, int32_t f) {
             c.Disc(10, 10, 9.5f, Col(MP_BLACK));
             c.Disc(10, 10, 8.5f, Col(kDiscColours[f]));
             c.Text(10, 3, kDiscLetters[f], 12, true, Col(f == 2 ? MP_BLACK : MP_WHITE),
                    MK_ALIGN_CENTRE);
         }},
        {"igscan", 160, 100, 1,
         [](MkCanvas& c, int32_t) {
             c.RoundRect(0, 0, 160, 100, 6, Col(24));
             MkCanvas pitch(148, 88);
             Pitch(pitch, 148, 88, 3);
             for (int32_t y = 0; y < 88; ++y) {
                 for (int32_t x = 0; x < 148; ++x)
                     c.Set(6 + x, 6 + y, pitch.At(x, y));
             }
         }},
    };
}

}  // namespace

void MkGenerateMatchGraphics(MkFileSet* set)
{
    for (const GraphicDraft& draft : Drafts())
        MkAddFile(set, std::string("MISCGFX\\") + draft.name + ".gfx", Render(draft));
}

void MkDrawReplayButton(MkCanvas& canvas, int32_t frame) { ReplayButton(canvas, frame); }

void MkDrawPitch(MkCanvas& canvas, int32_t width, int32_t height, int32_t margin)
{
    Pitch(canvas, width, height, margin);
}

void MkDrawDigitalGlyph(MkCanvas& canvas, int32_t frame) { DigitalGlyph(canvas, frame); }
