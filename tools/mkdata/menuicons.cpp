// tools/mkdata/menuicons.cpp: the menus' icon files, drawn as simple outlined shapes that read
// on the dark backgrounds.
#include "menus/menuicons.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/blockfile.h"
#include "game/kitcolours.h"
#include "game/world.h"
#include "tools/mkdata/canvas.h"
#include "tools/mkdata/menugfx.h"
#include "tools/mkdata/world.h"

namespace {

constexpr float PI = 3.14159265f;
constexpr int32_t CLUB_BADGES = 1046;  // world clubs; badge frames past them are grey

constexpr MkRgb RED = {220, 40, 40};
constexpr MkRgb YELLOW = {250, 215, 40};
constexpr MkRgb GREEN = {60, 190, 70};
constexpr MkRgb GOLD = {240, 190, 40};
constexpr MkRgb GREY = {150, 150, 155};
constexpr MkRgb DARK = {34, 44, 60};
constexpr MkRgb SLATE = {60, 78, 118};
constexpr MkRgb GRASS = {46, 130, 56};
constexpr MkRgb LINE = {235, 240, 235};

// The four lines of the team: goalkeeper, defenders, midfielders, forwards.
constexpr std::array<MkRgb, 4> kLineColours = {MkRgb{250, 215, 60}, MkRgb{120, 180, 250},
                                               MkRgb{130, 230, 130}, MkRgb{250, 130, 120}};

float Cx(const MkCanvas& c) { return c.Width() / 2.0f; }
float Cy(const MkCanvas& c) { return c.Height() / 2.0f; }
float Radius(const MkCanvas& c) { return std::min(c.Width(), c.Height()) / 2.0f - 1.5f; }

void Base(MkCanvas& c, MkRgb colour) { c.Disc(Cx(c), Cy(c), Radius(c), colour); }

void SquareBase(MkCanvas& c, MkRgb colour)
{
    c.RoundRect(1, 1, c.Width() - 1.0f, c.Height() - 1.0f, c.Width() / 6.0f, colour);
}

// Capital letters centred on the point, at about two thirds of `size`.
void Letters(MkCanvas& c, float cx, float cy, const char* text, int32_t size, MkRgb colour)
{
    c.Text(cx, cy - 0.565f * size, text, size, true, colour, MK_ALIGN_CENTRE);
}

std::vector<MkPoint> Rotated(std::vector<MkPoint> points, float cx, float cy, float angle)
{
    for (MkPoint& p : points) {
        const float x = p.x, y = p.y;
        p = {cx + x * std::cos(angle) - y * std::sin(angle),
             cy + x * std::sin(angle) + y * std::cos(angle)};
    }
    return points;
}

// An arrow pointing along `angle` (0 right), `size` long, centred on the point.
void Arrow(MkCanvas& c, float cx, float cy, float size, float angle, MkRgb colour)
{
    const float s = size / 2;
    c.Polygon(Rotated({{s, 0},
                       {0, -s * 0.8f},
                       {0, -s * 0.3f},
                       {-s, -s * 0.3f},
                       {-s, s * 0.3f},
                       {0, s * 0.3f},
                       {0, s * 0.8f}},
                      cx, cy, angle),
              colour);
}

void Triangle(MkCanvas& c, float cx, float cy, float size, float angle, MkRgb colour)
{
    const float s = size / 2;
    c.Polygon(Rotated({{s, 0}, {-s, -s}, {-s, s}}, cx, cy, angle), colour);
}

void Star(MkCanvas& c, float cx, float cy, float radius, MkRgb colour)
{
    std::vector<MkPoint> points;
    for (int32_t i = 0; i < 10; ++i) {
        const float r = i % 2 == 0 ? radius : radius * 0.45f;
        const float angle = -PI / 2 + i * PI / 5;
        points.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
    c.Polygon(points, colour);
}

void Tick(MkCanvas& c, float cx, float cy, float size, MkRgb colour)
{
    const float s = size / 2, w = size / 5;
    c.Line(cx - s, cy, cx - s * 0.3f, cy + s * 0.7f, w, colour);
    c.Line(cx - s * 0.3f, cy + s * 0.7f, cx + s, cy - s * 0.7f, w, colour);
}

void Cross(MkCanvas& c, float cx, float cy, float size, MkRgb colour)
{
    const float s = size / 2, w = size / 5;
    c.Line(cx - s, cy - s, cx + s, cy + s, w, colour);
    c.Line(cx - s, cy + s, cx + s, cy - s, w, colour);
}

void Ball(MkCanvas& c, float cx, float cy, float r)
{
    c.Disc(cx, cy, r, {245, 245, 245});
    Star(c, cx, cy, r * 0.5f, {30, 30, 30});
    for (int32_t i = 0; i < 5; ++i) {
        const float angle = -PI / 2 + i * 2 * PI / 5;
        c.Disc(cx + r * 0.9f * std::cos(angle), cy + r * 0.9f * std::sin(angle), r * 0.22f,
               {30, 30, 30});
    }
}

void Whistle(MkCanvas& c, float cx, float cy, float size, MkRgb colour)
{
    const float s = size / 2;
    c.Disc(cx - s * 0.3f, cy + s * 0.2f, s * 0.55f, colour);
    c.RoundRect(cx - s * 0.3f, cy - s * 0.35f, cx + s, cy + s * 0.15f, s * 0.1f, colour);
}

void Clock(MkCanvas& c, float cx, float cy, float r, float handAngle)
{
    c.Disc(cx, cy, r, {240, 240, 235});
    c.Ring(cx, cy, r, r - std::max(1.5f, r / 8), {40, 40, 50});
    for (int32_t i = 0; i < 12; i += 3) {
        const float a = i * PI / 6;
        c.Disc(cx + (r - r / 4) * std::cos(a), cy + (r - r / 4) * std::sin(a), r / 12 + 0.4f,
               {40, 40, 50});
    }
    c.Line(cx, cy, cx + r * 0.75f * std::sin(handAngle), cy - r * 0.75f * std::cos(handAngle),
           std::max(1.5f, r / 8), RED);
    c.Disc(cx, cy, std::max(1.2f, r / 10), {40, 40, 50});
}

void CornerFlag(MkCanvas& c, float cx, float cy, float size)
{
    const float s = size / 2;
    c.Line(cx - s * 0.5f, cy - s, cx - s * 0.5f, cy + s, std::max(1.2f, size / 10), LINE);
    c.Polygon({{cx - s * 0.5f, cy - s}, {cx + s, cy - s * 0.55f}, {cx - s * 0.5f, cy - s * 0.1f}},
              RED);
}

void PenaltySpot(MkCanvas& c, float cx, float cy, float size)
{
    const float s = size / 2;
    c.Disc(cx, cy + s * 0.35f, s * 0.3f, LINE);
    c.Line(cx - s * 0.8f, cy - s * 0.6f, cx + s * 0.8f, cy - s * 0.6f, std::max(1.2f, s / 5), LINE);
}

void Figure(MkCanvas& c, float cx, float cy, float size, MkRgb colour)
{
    c.Disc(cx, cy - size * 0.3f, size * 0.17f, colour);
    c.RoundRect(cx - size * 0.22f, cy - size * 0.1f, cx + size * 0.22f, cy + size * 0.45f,
                size * 0.1f, colour);
}

void Figures(MkCanvas& c, float cx, float cy, float size, MkRgb colour)
{
    Figure(c, cx - size * 0.3f, cy + size * 0.05f, size * 0.6f, colour);
    Figure(c, cx + size * 0.3f, cy + size * 0.05f, size * 0.6f, colour);
    Figure(c, cx, cy - size * 0.05f, size * 0.7f, colour);
}

void Dumbbell(MkCanvas& c, float cx, float cy, float size, MkRgb colour)
{
    const float s = size / 2;
    c.Line(cx - s * 0.7f, cy, cx + s * 0.7f, cy, s * 0.25f, colour);
    c.RoundRect(cx - s, cy - s * 0.55f, cx - s * 0.6f, cy + s * 0.55f, s * 0.1f, colour);
    c.RoundRect(cx + s * 0.6f, cy - s * 0.55f, cx + s, cy + s * 0.55f, s * 0.1f, colour);
}

void Target(MkCanvas& c, float cx, float cy, float r)
{
    c.Disc(cx, cy, r, RED);
    c.Disc(cx, cy, r * 0.66f, LINE);
    c.Disc(cx, cy, r * 0.33f, RED);
}

void Shirt(MkCanvas& c, MkRgb colour)
{
    const float w = c.Width() / 24.0f, h = c.Height() / 20.0f;
    std::vector<MkPoint> points = {
        {7, 1.5f},  {10, 1.5f},     {12, 3.5f},    {14, 1.5f}, {17, 1.5f}, {22.5f, 7}, {19.5f, 10},
        {17.5f, 8}, {17.5f, 18.5f}, {6.5f, 18.5f}, {6.5f, 8},  {4.5f, 10}, {1.5f, 7}};
    for (MkPoint& p : points)
        p = {p.x * w, p.y * h};
    c.Polygon(points, colour);
}

// A vertical or horizontal pitch inside the picture, lines `inset` pixels inside its edges.
void Pitch(MkCanvas& c, MkRgb grass, MkRgb line, int32_t inset, bool vertical)
{
    const int32_t w = c.Width(), h = c.Height();
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const int32_t stripe = vertical ? y * 10 / h : x * 10 / w;
            c.Set(x, y, stripe % 2 ? MkScale(grass, 1.1f) : grass);
        }
    }
    const int32_t l = inset, t = inset, r = w - 1 - inset, b = h - 1 - inset;
    c.Rect(l, t, r - l + 1, 1, line);
    c.Rect(l, b, r - l + 1, 1, line);
    c.Rect(l, t, 1, b - t + 1, line);
    c.Rect(r, t, 1, b - t + 1, line);
    const float cx = w / 2.0f, cy = h / 2.0f, circle = std::min(w, h) / 7.0f;
    c.Ring(cx, cy, circle, circle - 1.0f, line);
    if (vertical) {
        c.Rect(l, h / 2, r - l + 1, 1, line);
        const int32_t boxW = (r - l) / 2, boxH = (b - t) / 6;
        for (int32_t top : {t, b - boxH}) {
            c.Rect(w / 2 - boxW / 2, top, boxW, 1, line);
            c.Rect(w / 2 - boxW / 2, top + boxH, boxW, 1, line);
            c.Rect(w / 2 - boxW / 2, top, 1, boxH, line);
            c.Rect(w / 2 + boxW / 2, top, 1, boxH, line);
        }
        c.Rect(w / 2 - boxW / 4, 0, boxW / 2, std::max(1, inset - 1), LINE);
        c.Rect(w / 2 - boxW / 4, h - std::max(1, inset - 1), boxW / 2, std::max(1, inset - 1),
               LINE);
    } else {
        c.Rect(w / 2, t, 1, b - t + 1, line);
        const int32_t boxW = (r - l) / 6, boxH = (b - t) / 2;
        for (int32_t left : {l, r - boxW}) {
            c.Rect(left, h / 2 - boxH / 2, 1, boxH, line);
            c.Rect(left + boxW, h / 2 - boxH / 2, 1, boxH, line);
            c.Rect(left, h / 2 - boxH / 2, boxW, 1, line);
            c.Rect(left, h / 2 + boxH / 2, boxW, 1, line);
        }
        c.Rect(0, h / 2 - boxH / 4, std::max(1, inset - 1), boxH / 2, LINE);
        c.Rect(w - std::max(1, inset - 1), h / 2 - boxH / 4, std::max(1, inset - 1), boxH / 2,
               LINE);
    }
}

// ---------------------------------------------------------------------------------------------
// One painter per file: it draws frame `f` on a clear picture of the file's size.

constexpr std::array<MkRgb, 12> kTwelve = {
    MkRgb{220, 50, 50},  MkRgb{240, 140, 40},  MkRgb{245, 215, 50},  MkRgb{70, 190, 70},
    MkRgb{40, 170, 150}, MkRgb{70, 200, 230},  MkRgb{60, 110, 220},  MkRgb{40, 60, 150},
    MkRgb{150, 80, 200}, MkRgb{235, 120, 180}, MkRgb{250, 250, 250}, MkRgb{140, 140, 145}};

void PaintBigBlock(MkCanvas& c, int32_t)
{
    const float w = c.Width() - 1.0f, h = c.Height() - 1.0f;
    c.RoundRect(1, 1, w, h, 14, {130, 150, 200});
    c.RoundRect(4, 4, w - 3, h - 3, 11, {30, 40, 70});
    for (int32_t y = 5; y < c.Height() - 5; ++y) {
        const MkRgb row = MkMix({72, 90, 140}, {44, 56, 96}, static_cast<float>(y) / c.Height());
        for (int32_t x = 5; x < c.Width() - 5; ++x) {
            if (c.CoverageAt(x, y) >= 1.0f && c.At(x, y).r == 30) c.Set(x, y, row);
        }
    }
}

void PaintNothing(MkCanvas&, int32_t) {}

void PaintRadio(MkCanvas& c, int32_t f)
{
    Base(c, {200, 205, 215});
    c.Disc(Cx(c), Cy(c), Radius(c) - 2, {40, 44, 56});
    if (f == 1) c.Disc(Cx(c), Cy(c), Radius(c) - 4, {90, 230, 100});
}

void PaintSymbol(MkCanvas& c, int32_t symbol)
{
    const float cx = Cx(c), cy = Cy(c), s = c.Width() * 0.6f;
    Base(c, DARK);
    switch (symbol) {
        case 0: Tick(c, cx, cy, s, GREEN); break;
        case 1: Cross(c, cx, cy, s * 0.8f, RED); break;
        case 2: Letters(c, cx, cy, "+", 18, LINE); break;
        case 3:
            c.Rect(static_cast<int32_t>(cx - s / 2), static_cast<int32_t>(cy - 1.5f),
                   static_cast<int32_t>(s), 3, LINE);
            break;
        case 4: Star(c, cx, cy, s * 0.6f, GOLD); break;
        case 5: Ball(c, cx, cy, s * 0.5f); break;
        case 6: Whistle(c, cx, cy, s, {200, 200, 210}); break;
        case 7:
            c.RoundRect(cx - s * 0.3f, cy - s * 0.45f, cx + s * 0.3f, cy + s * 0.45f, 1.5f, YELLOW);
            break;
        case 8: Letters(c, cx, cy, "?", 16, LINE); break;
        case 9: Letters(c, cx, cy, "!", 16, YELLOW); break;
        case 10:
            c.Polygon({{cx, cy - s / 2}, {cx + s / 2, cy}, {cx, cy + s / 2}, {cx - s / 2, cy}},
                      kTwelve[5]);
            break;
        case 11: Triangle(c, cx, cy, s * 0.8f, -PI / 2, kTwelve[1]); break;
        case 12:
            c.Rect(static_cast<int32_t>(cx - s / 3), static_cast<int32_t>(cy - s / 3),
                   static_cast<int32_t>(s * 2 / 3), static_cast<int32_t>(s * 2 / 3), kTwelve[6]);
            break;
        case 13: c.Ring(cx, cy, s / 2, s / 2 - 2.5f, LINE); break;
        case 14:
            c.Rect(static_cast<int32_t>(cx - s / 3), static_cast<int32_t>(cy - s / 3), 3,
                   static_cast<int32_t>(s * 2 / 3), LINE);
            c.Rect(static_cast<int32_t>(cx + s / 3 - 3), static_cast<int32_t>(cy - s / 3), 3,
                   static_cast<int32_t>(s * 2 / 3), LINE);
            break;
        default: Triangle(c, cx, cy, s * 0.7f, 0, GREEN); break;
    }
}

void PaintMenuSymbols(MkCanvas& c, int32_t f)
{
    const float cx = Cx(c), cy = Cy(c);
    if (f < 12) {
        Base(c, kTwelve[f]);
    } else if (f < 24) {
        c.RoundRect(2, 2, c.Width() - 2.0f, c.Height() - 2.0f, 3, kTwelve[f - 12]);
    } else if (f < 32) {
        Base(c, DARK);
        Arrow(c, cx, cy, c.Width() * 0.62f, (f - 24) * PI / 4, LINE);
    } else if (f < 68) {
        const bool digit = f < 42;
        Base(c, digit ? MkRgb{40, 90, 170} : MkRgb{30, 130, 130});
        const char text[2] = {static_cast<char>(digit ? '0' + f - 32 : 'A' + f - 42), '\0'};
        Letters(c, cx, cy, text, 15, LINE);
    } else {
        PaintSymbol(c, f - 68);
    }
}

void PaintShirt(MkCanvas& c, int32_t f)
{
    constexpr std::array<MkRgb, 8> kMore = {
        MkRgb{240, 150, 50}, MkRgb{180, 120, 220}, MkRgb{90, 210, 220},  MkRgb{240, 140, 200},
        MkRgb{210, 200, 90}, MkRgb{170, 120, 80},  MkRgb{100, 130, 210}, MkRgb{150, 150, 150}};
    if (f < 4) {
        Shirt(c, kLineColours[f]);
    } else if (f < 12) {
        Shirt(c, kMore[f - 4]);
    } else {
        c.RoundRect(1, 4, c.Width() - 1.0f, c.Height() - 4.0f, 2, GOLD);
        Letters(c, Cx(c), Cy(c), "C", 11, {20, 20, 20});
    }
}

void PaintTube(MkCanvas& c, int32_t f)
{
    c.RoundRect(2, 1, c.Width() - 2.0f, c.Height() - 1.0f, 5, {90, 100, 115});
    c.RoundRect(4, 3, c.Width() - 4.0f, c.Height() - 3.0f, 3, {24, 28, 36});
    if (f == 1) {
        for (int32_t y = 4; y < c.Height() - 4; ++y) {
            const MkRgb colour = MkMix(GREEN, RED, static_cast<float>(y) / c.Height());
            c.Rect(5, y, c.Width() - 10, 1, colour);
        }
    }
}

void PaintRedDisc(MkCanvas& c, int32_t) { Base(c, RED); }

// The two main colours of world club n's home kit. Until the world generator hands its kit
// table over, they are drawn from a fixed palette so every club's pair is steady.
// Each world club's home kit, read back from the world generator's own output so that a badge
// always wears the colours the game gives its club.
std::vector<KitDesign> s_homeKits;

std::vector<KitDesign> ReadHomeKits()
{
    MkFileSet world;
    MkGenerateWorld(&world);
    for (const std::vector<MkFile>& archive : world.archives) {
        for (const MkFile& file : archive) {
            if (file.name != WORLD_FILE_NAME) continue;
            BlockFileView view = {"WCLB", nullptr, 0, true};
            if (BlockFileViewImage(file.bytes.data(), file.bytes.size(), WORLD_FILE_TYPE,
                                   WORLD_FILE_VERSION, &view, 1)
                    != BLOCKFILE_OK
                || view.size != sizeof(WorldClub) * CLUB_BADGES)
                break;
            std::vector<KitDesign> kits(CLUB_BADGES);
            for (int32_t club = 0; club < CLUB_BADGES; ++club) {
                WorldClub record;
                std::memcpy(&record, view.data + sizeof record * club, sizeof record);
                kits[club] = record.kits[0];
            }
            return kits;
        }
    }
    std::fprintf(stderr, "mkdata: the world generator made no readable club table\n");
    std::exit(1);
}

MkRgb KitRgb(int32_t colour)
{
    const KitColour& kit = KitColourTable[colour];
    return {kit.r, kit.g, kit.b};
}

// The shirt's main colour and its second colour; a second colour that clashes with the main one
// would hide the pattern, so a darker main colour stands in for it.
void BadgeColours(int32_t club, MkRgb* first, MkRgb* second)
{
    const KitDesign& kit = s_homeKits[club];
    const int32_t main = kit.colours[0][0];
    const int32_t trim = kit.colours[0][1];
    *first = KitRgb(main);
    *second = KitColour_Distance(main, trim) <= KIT_CLASH_DISTANCE ? MkScale(*first, 0.55f)
                                                                   : KitRgb(trim);
}

void PaintBadge(MkCanvas& c, int32_t club)
{
    MkRgb first = GREY, second = MkScale(GREY, 0.7f);
    const bool real = club < CLUB_BADGES;
    if (real) BadgeColours(club, &first, &second);
    const std::vector<MkPoint> shield = {{3, 2}, {21, 2}, {21, 12}, {12, 22}, {3, 12}};
    c.Polygon(shield, first);
    if (!real) return;
    const auto inShield = [](float x, float y) {
        return x >= 3 && x <= 21 && y >= 2
               && (y <= 12 || y - 12 <= (x <= 12 ? x - 3 : 21 - x) * 10 / 9.0f);
    };
    const int32_t pattern = club % 4;
    c.Shape(2, 1, 22, 23, second, [&](float x, float y) {
        if (!inShield(x, y)) return false;
        switch (pattern) {
            case 0: return x >= 12;
            case 1: return static_cast<int32_t>(x) / 3 % 2 == 1;
            case 2: return static_cast<int32_t>(y) / 4 % 2 == 1;
            default: return std::fabs((x - 3) - (y - 2)) < 3.5f;
        }
    });
}

int32_t s_badgeBase;  // club number of the kit file's first frame

void PaintKitFile(MkCanvas& c, int32_t f) { PaintBadge(c, s_badgeBase + f); }

void PaintArrowTick(MkCanvas& c, int32_t f)
{
    const float cx = Cx(c), cy = Cy(c);
    if (f == 0) {
        SquareBase(c, SLATE);
        Triangle(c, cx, cy * 0.5f + 1, 16, -PI / 2, LINE);
        Triangle(c, cx, cy * 1.5f - 1, 16, PI / 2, LINE);
    } else if (f == 1) {
        Base(c, GREEN);
        Tick(c, cx, cy, 20, LINE);
    } else {
        Base(c, {80, 100, 140});
        Arrow(c, cx, cy, 22, PI, LINE);
    }
}

void PaintCard(MkCanvas& c, int32_t f)
{
    c.RoundRect(1, 1, c.Width() - 1.0f, c.Height() - 1.0f, 1.5f, f == 1 ? YELLOW : RED);
    if (f == 2) {
        c.Rect(5, 4, 2, 8, LINE);
        c.Rect(2, 7, 8, 2, LINE);
    }
}

void PaintPlayers(MkCanvas& c, int32_t f) { Base(c, kLineColours[f]); }

void PaintPlayersHighlighted(MkCanvas& c, int32_t f)
{
    Base(c, LINE);
    c.Disc(Cx(c), Cy(c), Radius(c) - 2, kLineColours[f]);
}

// A stroke from one point to another ending in a head: the small pictures' arrow, whose shaft
// stays thin enough to leave room for what it points at.
void ArrowLine(MkCanvas& c, float x0, float y0, float x1, float y1, MkRgb colour)
{
    const float angle = std::atan2(y1 - y0, x1 - x0);
    c.Line(x0, y0, x1 - 3 * std::cos(angle), y1 - 3 * std::sin(angle), 1.5f, colour);
    Triangle(c, x1 - 2 * std::cos(angle), y1 - 2 * std::sin(angle), 6, angle, colour);
}

// The tactics editor's option pictures, on 14 x 14: what a player does with the ball.
void CrossFromTheByline(MkCanvas& c)
{
    c.Line(10, 11.5f, 10, 4, 1.5f, LINE);
    ArrowLine(c, 10, 4, 3, 4, LINE);
}

void EarlyCross(MkCanvas& c) { ArrowLine(c, 11, 11, 3.5f, 3.5f, LINE); }

void ShotAtGoal(MkCanvas& c)
{
    c.Line(3, 3, 11, 3, 1.4f, LINE);
    c.Line(3.5f, 3, 3.5f, 5.5f, 1.2f, LINE);
    c.Line(10.5f, 3, 10.5f, 5.5f, 1.2f, LINE);
    ArrowLine(c, 7, 12, 7, 4.5f, RED);
}

void KeepTheBall(MkCanvas& c)
{
    c.Ring(7, 7, 5.5f, 4.2f, GREEN);
    Triangle(c, 7, 1.8f, 3.5f, PI, GREEN);
    Ball(c, 7, 7, 2.8f);
}

void ThroughBall(MkCanvas& c)
{
    c.Disc(3.2f, 8, 1.6f, RED);
    c.Disc(10.8f, 8, 1.6f, RED);
    ArrowLine(c, 7, 12.5f, 7, 2, LINE);
}

void PassToTeamMate(MkCanvas& c)
{
    Figure(c, 9.5f, 5.5f, 6.5f, GOLD);
    ArrowLine(c, 2.5f, 11.5f, 7, 7.5f, LINE);
}

void PassIntoACell(MkCanvas& c)
{
    c.Line(7, 2, 12, 2, 1.1f, GOLD);
    c.Line(12, 2, 12, 7, 1.1f, GOLD);
    c.Line(12, 7, 7, 7, 1.1f, GOLD);
    c.Line(7, 7, 7, 2, 1.1f, GOLD);
    ArrowLine(c, 3, 11, 8.5f, 5.5f, LINE);
}

void PaintInline(MkCanvas& c, int32_t f)
{
    const float cx = Cx(c), cy = Cy(c), s = c.Width() * 0.7f;
    Base(c, DARK);
    switch (f) {
        case 0: EarlyCross(c); break;
        case 1: ShotAtGoal(c); break;
        case 2: ThroughBall(c); break;
        case 3: CrossFromTheByline(c); break;
        case 4:
            Arrow(c, cx, cy - 2, s, 0, GREEN);
            Arrow(c, cx, cy + 2.5f, s, PI, RED);
            break;
        case 5: PassToTeamMate(c); break;
        case 6: PassIntoACell(c); break;
        case 7: Letters(c, cx, cy, "C", 10, GOLD); break;
        case 8: CornerFlag(c, cx, cy, s); break;
        case 9:
            Ball(c, cx + 1, cy + 1, s * 0.35f);
            c.Rect(static_cast<int32_t>(cx - 4), static_cast<int32_t>(cy - 4), 2, 6, LINE);
            break;
        case 10: PenaltySpot(c, cx, cy, s); break;
        default: KeepTheBall(c); break;
    }
}

void PaintBall(MkCanvas& c, int32_t) { Ball(c, Cx(c), Cy(c), Radius(c)); }

void PaintBallShadow(MkCanvas& c, int32_t)
{
    c.Shape(0, 0, c.Width(), c.Height(), {30, 34, 30}, [&c](float x, float y) {
        const float dx = (x - Cx(c)) / (Cx(c) - 0.5f), dy = (y - Cy(c)) / (Cy(c) - 0.5f);
        return dx * dx + dy * dy <= 1;
    });
}

void PaintPitchSide(MkCanvas& c, int32_t) { Pitch(c, GRASS, LINE, 5, false); }
void PaintPitchDay(MkCanvas& c, int32_t) { Pitch(c, GRASS, LINE, 8, true); }
void PaintPitchNight(MkCanvas& c, int32_t) { Pitch(c, {28, 80, 60}, {250, 250, 200}, 8, true); }
void PaintPitchSmall(MkCanvas& c, int32_t) { Pitch(c, GRASS, LINE, 5, true); }
// The individual-training pitch seen from its side: the own goal bottom left, the opponents' top
// right, so that the thirty position spots drawn over it (six rows from the own goal, five
// columns across) fall on it. A point of the pitch is a spot row and column, which may be
// fractions.
MkPoint DiagramPoint(float row, float column)
{
    return {76 + row * 23.6f - column * 15.25f, 102 - row * 10.4f - column * 11.0f};
}

void DiagramLine(MkCanvas& c, float r0, float c0, float r1, float c1)
{
    const MkPoint a = DiagramPoint(r0, c0), b = DiagramPoint(r1, c1);
    c.Line(a.x, a.y, b.x, b.y, 1.2f, LINE);
}

void PaintPitchDiagram(MkCanvas& c, int32_t)
{
    constexpr float kNear = -0.45f, kFar = 5.45f, kLeft = -0.45f, kRight = 4.45f;
    constexpr int32_t kStripes = 10;
    for (int32_t k = 0; k < kStripes; ++k) {
        const float r0 = kNear + (kFar - kNear) * k / kStripes;
        const float r1 = kNear + (kFar - kNear) * (k + 1) / kStripes;
        const MkRgb grass = k % 2 ? MkScale(GRASS, 1.12f) : GRASS;
        c.Polygon({DiagramPoint(r0, kLeft), DiagramPoint(r1, kLeft), DiagramPoint(r1, kRight),
                   DiagramPoint(r0, kRight)},
                  grass);
    }
    DiagramLine(c, kNear, kLeft, kFar, kLeft);
    DiagramLine(c, kNear, kRight, kFar, kRight);
    DiagramLine(c, kNear, kLeft, kNear, kRight);
    DiagramLine(c, kFar, kLeft, kFar, kRight);
    DiagramLine(c, 2.5f, kLeft, 2.5f, kRight);
    // The penalty areas at both ends.
    for (const float end : {kNear, kFar}) {
        const float box = end < 0 ? end + 0.9f : end - 0.9f;
        DiagramLine(c, end, 0.8f, box, 0.8f);
        DiagramLine(c, end, 3.2f, box, 3.2f);
        DiagramLine(c, box, 0.8f, box, 3.2f);
    }
}

void Coin(MkCanvas& c, const char* sign)
{
    Base(c, {200, 150, 30});
    c.Disc(Cx(c), Cy(c), Radius(c) - 2, GOLD);
    Letters(c, Cx(c), Cy(c), sign, 15, {110, 70, 10});
}

void PaintPoundCoin(MkCanvas& c, int32_t) { Coin(c, "\xC2\xA3"); }
void PaintEuroCoin(MkCanvas& c, int32_t) { Coin(c, "\xE2\x82\xAC"); }

void PaintOutlineSquare(MkCanvas& c, int32_t)
{
    c.Rect(1, 1, c.Width() - 2, c.Height() - 2, LINE);
    c.Rect(3, 3, c.Width() - 6, c.Height() - 6, DARK);
}

void PaintChequer(MkCanvas& c, int32_t)
{
    for (int32_t y = 1; y < c.Height() - 1; ++y) {
        for (int32_t x = 1; x < c.Width() - 1; ++x) {
            c.Set(x, y, ((x - 1) / 4 + (y - 1) / 4) % 2 ? LINE : SLATE);
        }
    }
}

void PaintGoldStar(MkCanvas& c, int32_t) { Star(c, Cx(c), Cy(c) + 0.5f, Radius(c) + 0.5f, GOLD); }

// Seven segments: top, upper right, lower right, bottom, lower left, upper left, middle.
void PaintLedDigit(MkCanvas& c, int32_t f)
{
    constexpr std::array<uint8_t, 10> kSegments = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                   0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const MkRgb off = {50, 20, 16}, on = {255, 110, 40};
    c.Rect(0, 0, c.Width(), c.Height(), {16, 10, 10});
    if (f == 10) {
        c.Disc(Cx(c), 6.5f, 1.8f, on);
        c.Disc(Cx(c), 13.5f, 1.8f, on);
        return;
    }
    const float l = 3, r = c.Width() - 3.0f, t = 2, m = c.Height() / 2.0f, b = c.Height() - 2.0f;
    const std::array<std::array<float, 4>, 7> kLines = {{{l, t, r, t},
                                                         {r, t, r, m},
                                                         {r, m, r, b},
                                                         {l, b, r, b},
                                                         {l, m, l, b},
                                                         {l, t, l, m},
                                                         {l, m, r, m}}};
    for (int32_t s = 0; s < 7; ++s) {
        const auto& seg = kLines[s];
        c.Line(seg[0], seg[1], seg[2], seg[3], 2.2f, (kSegments[f] >> s & 1) ? on : off);
    }
}

// A two-colour pennant over a pole, its wave moved on a fifth of a turn per frame.
void PaintFlag(MkCanvas& c, int32_t country, int32_t f)
{
    constexpr std::array<std::array<MkRgb, 2>, 9> kPennants = {{
        {MkRgb{230, 230, 235}, MkRgb{200, 30, 40}},
        {MkRgb{40, 70, 170}, MkRgb{235, 235, 240}},
        {MkRgb{30, 30, 30}, MkRgb{240, 200, 30}},
        {MkRgb{240, 120, 30}, MkRgb{240, 240, 240}},
        {MkRgb{30, 110, 200}, MkRgb{40, 150, 70}},
        {MkRgb{190, 30, 50}, MkRgb{30, 130, 70}},
        {MkRgb{30, 60, 140}, MkRgb{235, 235, 240}},
        {MkRgb{230, 50, 40}, MkRgb{245, 200, 40}},
        {MkRgb{20, 20, 20}, MkRgb{230, 40, 40}},
    }};
    const MkRgb upper = kPennants[country][0], lower = kPennants[country][1];
    c.Rect(6, 4, 5, 114, {120, 90, 60});
    const float phase = f * 2 * PI / 5;
    const auto centre = [phase](float x) {
        return 40 + 8 * std::sin(x / 22 - phase) * (x - 11) / 140;
    };
    const auto half = [](float x) { return 30 * (1 - (x - 11) / 142); };
    c.Shape(11, 0, 153, 90, upper, [&](float x, float y) {
        return x >= 11 && x <= 153 && y >= centre(x) - half(x) && y <= centre(x);
    });
    c.Shape(11, 0, 153, 90, lower, [&](float x, float y) {
        return x >= 11 && x <= 153 && y > centre(x) && y <= centre(x) + half(x);
    });
}

int32_t s_country;  // the flag file being painted

void PaintFlagFile(MkCanvas& c, int32_t f) { PaintFlag(c, s_country, f); }

void PaintShootout(MkCanvas& c, int32_t f)
{
    if (f == 0) {
        c.Ring(Cx(c), Cy(c), Radius(c), Radius(c) - 2, LINE);
    } else {
        Ball(c, Cx(c), Cy(c), Radius(c));
    }
}

void PaintLeftRight(MkCanvas& c, int32_t)
{
    SquareBase(c, SLATE);
    Triangle(c, 9, Cy(c), 11, PI, LINE);
    Triangle(c, 21, Cy(c), 11, 0, LINE);
}

void PaintMouse(MkCanvas& c, int32_t)
{
    c.Polygon({{1, 1}, {1, 18}, {5, 14}, {8, 21}, {11, 20}, {8, 13}, {13, 13}}, LINE);
}

// The sand runs from the top bulb to the bottom one over 16 frames, then the glass turns over.
void PaintHourglass(MkCanvas& c, int32_t f)
{
    const float cx = Cx(c), cy = Cy(c);
    const float turn = f < 16 ? 0 : (f - 15) * PI / 4;
    const float sand = f < 16 ? f / 15.0f : 1.0f;
    const auto shape = [&](std::vector<MkPoint> points, MkRgb colour) {
        c.Polygon(Rotated(std::move(points), cx, cy, turn), colour);
    };
    shape({{-9, -11}, {9, -11}, {9, -9}, {-9, -9}}, {150, 100, 60});
    shape({{-9, 9}, {9, 9}, {9, 11}, {-9, 11}}, {150, 100, 60});
    shape({{-7, -9}, {7, -9}, {1, 0}, {7, 9}, {-7, 9}, {-1, 0}}, {200, 220, 235});
    const float top = (1 - sand) * 8;
    if (top > 0.5f) shape({{-top * 0.75f, -top}, {top * 0.75f, -top}, {0, 0}}, GOLD);
    const float bottom = sand * 8;
    if (bottom > 0.5f)
        shape({{-7, 9},
               {7, 9},
               {bottom * 0.7f - 7 + 7 * (1 - sand), 9 - bottom},
               {-(bottom * 0.7f - 7 + 7 * (1 - sand)), 9 - bottom}},
              GOLD);
}

void PaintSmallArrow(MkCanvas& c, int32_t) { Triangle(c, Cx(c), Cy(c), 10, PI / 2, YELLOW); }

void PaintUpDown(MkCanvas& c, int32_t f)
{
    Base(c, DARK);
    if (f == 0) {
        c.Rect(3, 6, 8, 3, YELLOW);
    } else {
        Triangle(c, Cx(c), Cy(c), 9, f == 1 ? -PI / 2 : PI / 2, f == 1 ? GREEN : RED);
    }
}

void TrainingSymbol(MkCanvas& c, int32_t symbol, MkRgb colour)
{
    const float cx = Cx(c), cy = Cy(c), s = c.Width() * 0.62f;
    switch (symbol % 12) {
        case 0: Dumbbell(c, cx, cy, s, colour); break;
        case 1: Ball(c, cx, cy, s * 0.5f); break;
        case 2: Figures(c, cx, cy, s, colour); break;
        case 3: Letters(c, cx, cy, "Z", static_cast<int32_t>(s), colour); break;
        case 4: Triangle(c, cx, cy, s, -PI / 2, {250, 140, 40}); break;
        case 5: Clock(c, cx, cy, s * 0.5f, PI / 2); break;
        case 6: Target(c, cx, cy, s * 0.5f); break;
        case 7: Arrow(c, cx, cy, s, 0, colour); break;
        case 8: Star(c, cx, cy, s * 0.55f, GOLD); break;
        case 9: Whistle(c, cx, cy, s, colour); break;
        case 10: Tick(c, cx, cy, s, colour); break;
        default: Letters(c, cx, cy, "+", static_cast<int32_t>(s), colour); break;
    }
}

void PaintTrainingIcons(MkCanvas& c, int32_t f)
{
    SquareBase(c, MkScale(kTwelve[f], 0.55f));
    TrainingSymbol(c, f, LINE);
}

void PaintKeeperShirt(MkCanvas& c, int32_t) { Shirt(c, {60, 200, 90}); }

void PaintPlayerDisc(MkCanvas& c, int32_t f)
{
    if (f == 2) {
        Base(c, LINE);
        c.Disc(Cx(c), Cy(c), Radius(c) - 2, YELLOW);
    } else {
        Base(c, f == 0 ? RED : MkRgb{50, 90, 220});
    }
}

void PaintClockPanel(MkCanvas& c, int32_t)
{
    c.RoundRect(1, 1, c.Width() - 1.0f, c.Height() - 1.0f, 4, {90, 96, 110});
    c.RoundRect(3, 3, c.Width() - 3.0f, c.Height() - 3.0f, 3, {12, 12, 16});
}

void SubjectSymbol(MkCanvas& c, int32_t f)
{
    const float cx = Cx(c), cy = Cy(c);
    switch (f) {
        case 0: Figures(c, cx, cy, 22, LINE); break;
        case 1:
            Ball(c, cx - 6, cy + 6, 4.5f);
            for (int32_t i = 0; i < 3; ++i)
                Figure(c, cx + 2 + i * 4.5f, cy - 1, 10, LINE);
            break;
        case 2: CornerFlag(c, cx, cy, 22); break;
        default:
            c.Rect(static_cast<int32_t>(cx - 10), static_cast<int32_t>(cy - 9), 20, 2, LINE);
            c.Rect(static_cast<int32_t>(cx - 10), static_cast<int32_t>(cy - 9), 2, 8, LINE);
            c.Rect(static_cast<int32_t>(cx + 8), static_cast<int32_t>(cy - 9), 2, 8, LINE);
            c.Disc(cx, cy + 6, 2.5f, LINE);
            break;
    }
}

void PaintSubject(MkCanvas& c, int32_t f)
{
    SquareBase(c, {40, 90, 170});
    SubjectSymbol(c, f);
}

void PaintSubjectHighlighted(MkCanvas& c, int32_t f)
{
    SquareBase(c, LINE);
    c.RoundRect(3, 3, c.Width() - 3.0f, c.Height() - 3.0f, 4, {220, 130, 30});
    SubjectSymbol(c, f);
}

void PaintRatingDisc(MkCanvas& c, int32_t f) { Base(c, MkMix(RED, GREEN, f / 9.0f)); }

void PaintGreyRing(MkCanvas& c, int32_t) { c.Ring(Cx(c), Cy(c), Radius(c), Radius(c) - 3, GREY); }

void PaintPin(MkCanvas& c, int32_t)
{
    c.Line(Cx(c), Cy(c), Cx(c) + 3, c.Height() - 1.5f, 2, {200, 200, 210});
    c.Disc(Cx(c) - 1, Cy(c) - 2, 4.5f, RED);
}

void PaintOwnClub(MkCanvas& c, int32_t)
{
    Star(c, Cx(c), Cy(c) + 0.5f, Radius(c) + 0.5f, {90, 200, 250});
}

void PaintNegotiationClock(MkCanvas& c, int32_t f)
{
    Clock(c, Cx(c), Cy(c), Radius(c), f * 2 * PI / 20);
}

void PaintTraining(MkCanvas& c, int32_t f)
{
    SquareBase(c, {40, 120, 70});
    TrainingSymbol(c, f, LINE);
}

void PaintTrainingHighlighted(MkCanvas& c, int32_t f)
{
    SquareBase(c, GOLD);
    TrainingSymbol(c, f, {30, 30, 30});
}

void PaintPositionSpot(MkCanvas& c, int32_t f)
{
    c.RoundRect(1, 1, c.Width() - 1.0f, c.Height() - 1.0f, 2, kLineColours[f * 4 / 30]);
    if (f % 2) c.Disc(Cx(c), Cy(c), 2, {30, 30, 30});
}

void PaintLeftArrow(MkCanvas& c, int32_t)
{
    Base(c, SLATE);
    Triangle(c, Cx(c) - 0.5f, Cy(c), 8, PI, LINE);
}

void PaintRightArrow(MkCanvas& c, int32_t)
{
    Base(c, SLATE);
    Triangle(c, Cx(c) + 0.5f, Cy(c), 8, 0, LINE);
}

void PaintSetPieces(MkCanvas& c, int32_t f)
{
    Base(c, {40, 110, 50});
    const float s = c.Width() * 0.7f;
    if (f == 0) PenaltySpot(c, Cx(c), Cy(c), s);
    if (f == 1) CornerFlag(c, Cx(c), Cy(c), s);
    if (f == 2) Ball(c, Cx(c), Cy(c), s * 0.4f);
}

void PaintBarSegment(MkCanvas& c, int32_t)
{
    for (int32_t y = 1; y < c.Height() - 1; ++y) {
        c.Rect(1, y, c.Width() - 2, 1, MkMix(GREEN, YELLOW, static_cast<float>(y) / c.Height()));
    }
}

void PaintInstruction(MkCanvas& c, int32_t f)
{
    const float cx = Cx(c), cy = Cy(c), s = c.Width() * 0.62f;
    SquareBase(c, DARK);
    switch (f) {
        case 0: Arrow(c, cx, cy, s, -PI / 4, YELLOW); break;
        case 1: Target(c, cx, cy, s * 0.5f); break;
        case 2:
            c.Rect(static_cast<int32_t>(cx - 5), 3, 1, 10, LINE);
            c.Rect(static_cast<int32_t>(cx + 4), 3, 1, 10, LINE);
            Arrow(c, cx, cy, s, -PI / 2, GREEN);
            break;
        case 3: Arrow(c, cx, cy, s, PI / 4, {90, 200, 250}); break;
        case 4:
            c.Ring(cx, cy, s / 2, s / 2 - 1.5f, LINE);
            Ball(c, cx, cy, s * 0.3f);
            break;
        case 5:
            c.Line(cx - 4, cy + 3, cx + 4, cy - 3, 1.5f, LINE);
            c.Disc(cx - 4, cy + 3, 2.2f, YELLOW);
            c.Disc(cx + 4, cy - 3, 2.2f, YELLOW);
            break;
        case 6:
            c.Rect(static_cast<int32_t>(cx - 4), static_cast<int32_t>(cy - 4), 8, 8, GREEN);
            break;
        case 7: Letters(c, cx, cy, "C", 11, GOLD); break;
        case 8: CornerFlag(c, cx, cy, s); break;
        case 9: Ball(c, cx, cy, s * 0.38f); break;
        default: PenaltySpot(c, cx, cy, s); break;
    }
}

void PaintWhiteDisc(MkCanvas& c, int32_t) { Base(c, {250, 250, 250}); }

struct IconSpec {
    const char* name;
    int16_t width;
    int16_t height;
    void (*paint)(MkCanvas& c, int32_t frame);
};

// clang-format off
// One row per named row of the icon table, in its order.
constexpr auto kIconSpecs = std::to_array<IconSpec>({
    {"bigblock", 440, 240, PaintBigBlock},     {"blankico", 16, 16, PaintNothing},
    {"radio", 16, 16, PaintRadio},             {"menush", 24, 24, PaintMenuSymbols},
    {"i_sq2", 24, 20, PaintShirt},             {"tube2", 16, 64, PaintTube},
    {"reddisc2", 20, 20, PaintRedDisc},
    {"kit1", 24, 24, PaintKitFile}, {"kit2", 24, 24, PaintKitFile}, {"kit3", 24, 24, PaintKitFile},
    {"kit4", 24, 24, PaintKitFile}, {"kit5", 24, 24, PaintKitFile}, {"kit6", 24, 24, PaintKitFile},
    {"kit7", 24, 24, PaintKitFile}, {"kit8", 24, 24, PaintKitFile}, {"kit9", 24, 24, PaintKitFile},
    {"kit10", 24, 24, PaintKitFile}, {"kit11", 24, 24, PaintKitFile},
    {"arrotick", 40, 40, PaintArrowTick},      {"cards", 12, 16, PaintCard},
    {"players", 20, 20, PaintPlayers},         {"players2", 20, 20, PaintPlayersHighlighted},
    {"isoicons", 14, 14, PaintInline},         {"ball", 12, 12, PaintBall},
    {"ball2", 16, 16, PaintBall},              {"ballshad", 16, 8, PaintBallShadow},
    {"pitch", 168, 118, PaintPitchSide},       {"squares", 24, 24, PaintPoundCoin},
    {"square", 16, 16, PaintOutlineSquare},    {"digifont", 14, 20, PaintLedDigit},
    {"goldstar", 16, 16, PaintGoldStar},       {"squares2", 16, 16, PaintChequer},
    {"england", 160, 120, PaintFlagFile}, {"france", 160, 120, PaintFlagFile},
    {"germany", 160, 120, PaintFlagFile}, {"holland", 160, 120, PaintFlagFile},
    {"italy", 160, 120, PaintFlagFile}, {"portugal", 160, 120, PaintFlagFile},
    {"scotland", 160, 120, PaintFlagFile}, {"spain", 160, 120, PaintFlagFile},
    {"belgium", 160, 120, PaintFlagFile},
    {"shootout", 14, 14, PaintShootout},       {"LRScroll", 30, 30, PaintLeftRight},
    {"mouse", 16, 24, PaintMouse},             {"hourglas", 24, 24, PaintHourglass},
    {"smarrow", 12, 12, PaintSmallArrow},      {"eurocon", 24, 24, PaintEuroCoin},
    {"updownar", 14, 14, PaintUpDown},         {"traincon", 24, 24, PaintTrainingIcons},
    {"pitch3", 280, 330, PaintPitchDay},       {"pitch4", 280, 330, PaintPitchNight},
    {"kprs_kit", 24, 20, PaintKeeperShirt},    {"plr_disc", 20, 20, PaintPlayerDisc},
    {"pitch120", 120, 180, PaintPitchSmall},   {"digibck", 90, 26, PaintClockPanel},
    {"subject", 32, 32, PaintSubject},         {"subjecthi", 32, 32, PaintSubjectHighlighted},
    {"PerfDisc", 20, 20, PaintRatingDisc},     {"poohole", 20, 20, PaintGreyRing},
    {"shortlst", 14, 14, PaintPin},            {"ownclub", 14, 14, PaintOwnClub},
    {"NegClock", 40, 40, PaintNegotiationClock}, {"train2", 24, 24, PaintTraining},
    {"traincor", 24, 24, PaintTrainingHighlighted}, {"Tr_Pitch", 214, 116, PaintPitchDiagram},
    {"PSquares", 12, 12, PaintPositionSpot},   {"larrow", 16, 16, PaintLeftArrow},
    {"rarrow", 16, 16, PaintRightArrow},       {"pcficons", 14, 14, PaintSetPieces},
    {"sbar2", 8, 120, PaintBarSegment},        {"ig_iso", 16, 16, PaintInstruction},
    {"wdisc", 20, 20, PaintWhiteDisc},
});
// clang-format on

static_assert(kIconSpecs.size() == ICON_FILE_ROWS - 1, "one spec per named icon file");

std::vector<uint8_t> MakeIconFile(const IconSpec& spec, int32_t frames)
{
    std::vector<uint8_t> bytes = MkPictureHeader(spec.width, spec.height, frames);
    for (int32_t f = 0; f < frames; ++f) {
        MkCanvas canvas(spec.width, spec.height);
        spec.paint(canvas, f);
        if (spec.paint != PaintNothing) canvas.Outline(MK_OUTLINE);
        const std::vector<uint8_t> pixels = canvas.To565(true);
        bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    }
    return bytes;
}

}  // namespace

void MkGenerateMenuIcons(MkFileSet* set)
{
    s_homeKits = ReadHomeKits();
    int32_t club = 0;
    int32_t country = 0;
    for (size_t i = 0; i < kIconSpecs.size(); ++i) {
        const IconSpec& spec = kIconSpecs[i];
        const IconFile& row = IconFiles[i + 1];
        if (std::strcmp(row.name, spec.name) != 0) {
            std::fprintf(stderr, "mkdata: icon file %s is drawn as %s\n", row.name, spec.name);
            std::exit(1);
        }
        s_badgeBase = club;
        s_country = country;
        if (spec.paint == PaintKitFile) club += row.frames;
        if (spec.paint == PaintFlagFile) ++country;
        MkAddFile(set, std::string("menugfx\\") + spec.name + ".gfx",
                  MakeIconFile(spec, row.frames));
    }
}
