// tools/mkdata/menubackgrounds.cpp: the menus' full-screen backgrounds and the load bar.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "menus/menuicons.h"
#include "tools/mkdata/canvas.h"
#include "tools/mkdata/menugfx.h"

namespace {

constexpr int32_t SCREEN_W = 640;
constexpr int32_t SCREEN_H = 480;
constexpr int32_t FRAME_INSET = 8;
constexpr int32_t FRAME_WIDTH = 3;
constexpr int32_t TITLE_TOP = 20;
constexpr int32_t TITLE_BOTTOM = 52;
constexpr int32_t TITLE_SCREEN = 7;
constexpr int32_t CHAMPIONSHIP_SCREEN = 4;
constexpr int32_t STARTUP_SCREEN = 31;
constexpr int32_t SPLASH_WITH_BALL = 22;
constexpr int32_t CREDITS_SCREEN = 32;

enum Theme {
    THEME_TEAL,
    THEME_PITCH,
    THEME_SLATE,
    THEME_BLUE_GREY,
    THEME_NAVY,
    THEME_BROWN,
    THEME_RED,
    THEME_CREDITS
};

struct ThemeLook {
    MkRgb top;
    MkRgb bottom;
};

// clang-format off
constexpr ThemeLook kThemes[] = {
    {{24, 92, 96},  {8, 40, 46}},    // teal
    {{40, 110, 48}, {20, 70, 28}},   // pitch green
    {{52, 60, 72},  {22, 26, 34}},   // dark slate
    {{70, 82, 100}, {34, 40, 54}},   // blue-grey
    {{24, 36, 96},  {8, 12, 44}},    // navy
    {{104, 66, 36}, {48, 28, 14}},   // warm brown
    {{112, 28, 32}, {50, 10, 14}},   // dark red
    {{30, 30, 40},  {6, 6, 10}},     // the credits' quiet dark
};
// clang-format on

bool NameIs(std::string_view name, std::initializer_list<std::string_view> names)
{
    for (std::string_view candidate : names) {
        if (name.size() == candidate.size()
            && std::equal(name.begin(), name.end(), candidate.begin(),
                          [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
            return true;
    }
    return false;
}

bool StartsWith(std::string_view name, std::string_view prefix)
{
    return name.size() >= prefix.size() && NameIs(name.substr(0, prefix.size()), {prefix});
}

Theme ThemeOf(int32_t row, std::string_view name)
{
    if (row == CREDITS_SCREEN) return THEME_CREDITS;
    if (NameIs(name, {"fuckpit", "FUCKPITB", "comday", "COMDAYB"})) return THEME_PITCH;
    if (StartsWith(name, "ignew")) return THEME_SLATE;
    if (StartsWith(name, "BG") || NameIs(name, {"blank"})) return THEME_BLUE_GREY;
    if (NameIs(name, {"euro", "EUROB"})) return THEME_NAVY;
    if (NameIs(name, {"Nameinp", "NAMEINPB"})) return THEME_BROWN;
    if (NameIs(name, {"ClubInfo", "CLUBINFB"})) return THEME_RED;
    return THEME_TEAL;
}

void PaintGradient(MkCanvas* c, Theme theme)
{
    const ThemeLook& look = kThemes[theme];
    for (int32_t y = 0; y < SCREEN_H; ++y) {
        const MkRgb base = MkMix(look.top, look.bottom, static_cast<float>(y) / (SCREEN_H - 1));
        for (int32_t x = 0; x < SCREEN_W; ++x) {
            MkRgb colour = base;
            if (theme == THEME_PITCH && (x / 40) % 2 == 1) colour = MkScale(base, 1.12f);
            // A faint diagonal weave, so large areas never look flat.
            else if (theme != THEME_CREDITS && (x + y) % 12 == 0)
                colour = MkScale(base, 1.1f);
            c->Set(x, y, colour);
        }
    }
}

void PaintPitchLines(MkCanvas* c)
{
    const MkRgb line = {150, 200, 150};
    const float faint = 0.35f;
    const auto rule = [&](int32_t x, int32_t y, int32_t w, int32_t h) {
        c->Rect(x, y, w, h, line, faint);
    };
    rule(60, 80, 520, 2);
    rule(60, 420, 520, 2);
    rule(60, 80, 2, 342);
    rule(578, 80, 2, 342);
    rule(319, 80, 2, 342);
    rule(60, 180, 70, 2);
    rule(60, 320, 70, 2);
    rule(130, 180, 2, 142);
    rule(510, 180, 70, 2);
    rule(510, 320, 70, 2);
    rule(510, 180, 2, 142);
    for (int32_t a = 0; a < 720; ++a) {
        const float angle = a * 3.14159265f / 360.0f;
        c->Blend(320 + static_cast<int32_t>(std::lround(60 * std::cos(angle))),
                 250 + static_cast<int32_t>(std::lround(60 * std::sin(angle))), line, faint);
    }
}

void PaintStar(MkCanvas* c, float cx, float cy, float radius, MkRgb colour)
{
    std::vector<MkPoint> points;
    for (int32_t i = 0; i < 10; ++i) {
        const float r = i % 2 == 0 ? radius : radius * 0.42f;
        const float angle = -3.14159265f / 2 + i * 3.14159265f / 5;
        points.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
    c->Polygon(points, colour);
}

// Twelve stars on a shallow arch between the title and the championship carousel's strip
// (y 100-300), which the pennants and their poles sweep through, and clear of its caption.
void PaintStarArch(MkCanvas* c)
{
    for (int32_t i = 0; i < 12; ++i) {
        const float across = (i - 5.5f) / 5.5f;
        PaintStar(c, 320 + 230 * across, 84 - 14 * (1 - across * across), 8, {150, 130, 40});
    }
}

// The championship carousel's two turn buttons, drawn into the picture: the screen's left and
// right hotspots lie on them.
void PaintTurnArrows(MkCanvas* c)
{
    const MkRgb face = {40, 60, 130};
    for (const int32_t direction : {-1, 1}) {
        const float cx = 320 + 160 * direction, cy = 320;
        c->Disc(cx, cy, 19, MK_OUTLINE);
        c->Disc(cx, cy, 17, face);
        c->Polygon({{cx + 10 * direction, cy},
                    {cx - 6 * direction, cy - 11},
                    {cx - 6 * direction, cy + 11}},
                   MK_WHITE);
    }
}

// Light top and left, dark bottom and right, 3 pixels wide, 8 pixels inside the edges.
void PaintFrame(MkCanvas* c, MkRgb base)
{
    const MkRgb light = MkMix(base, MK_WHITE, 0.45f);
    const MkRgb dark = MkScale(base, 0.4f);
    const int32_t l = FRAME_INSET, t = FRAME_INSET;
    const int32_t r = SCREEN_W - FRAME_INSET, b = SCREEN_H - FRAME_INSET;
    c->Rect(l, t, r - l, FRAME_WIDTH, light);
    c->Rect(l, t, FRAME_WIDTH, b - t, light);
    c->Rect(l, b - FRAME_WIDTH, r - l, FRAME_WIDTH, dark);
    c->Rect(r - FRAME_WIDTH, t, FRAME_WIDTH, b - t, dark);
}

void PaintTitleBand(MkCanvas* c)
{
    const int32_t left = FRAME_INSET + FRAME_WIDTH;
    c->Rect(left, TITLE_TOP, SCREEN_W - 2 * left, TITLE_BOTTOM - TITLE_TOP, {0, 0, 0}, 0.45f);
}

void PaintBall(MkCanvas* c, float cx, float cy, float r)
{
    c->Disc(cx, cy, r + 1.5f, MK_OUTLINE);
    c->Disc(cx, cy, r, {240, 240, 240});
    PaintStar(c, cx, cy, r * 0.45f, {30, 30, 30});
    for (int32_t i = 0; i < 5; ++i) {
        const float angle = -3.14159265f / 2 + i * 2 * 3.14159265f / 5;
        c->Disc(cx + r * 0.85f * std::cos(angle), cy + r * 0.85f * std::sin(angle), r * 0.2f,
                {30, 30, 30});
    }
}

struct TitleBand {
    const char* label;
    int32_t top;
    int32_t bottom;
};

constexpr TitleBand kTitleBands[] = {{"Nouvelle partie", 136, 185},
                                     {"Charger la partie", 209, 258},
                                     {"Match amical", 287, 336},
                                     {"Ralenti", 362, 411}};

// The title screen's four choices, drawn into the picture: the screen's hotspots lie on them.
void PaintTitleScreen(MkCanvas* c)
{
    c->ShadowText(320, 62, "Pelloran", 52, true, {250, 220, 90});
    for (const TitleBand& band : kTitleBands) {
        const int32_t h = band.bottom - band.top + 1;
        const MkRgb face = {30, 110, 120};
        c->Rect(170, band.top, 300, h, face);
        c->Rect(170, band.top, 300, 3, MkMix(face, MK_WHITE, 0.5f));
        c->Rect(170, band.top, 3, h, MkMix(face, MK_WHITE, 0.5f));
        c->Rect(170, band.bottom - 2, 300, 3, MkScale(face, 0.4f));
        c->Rect(467, band.top, 3, h, MkScale(face, 0.4f));
        c->ShadowText(320, band.top + (h - 26) / 2.0f, band.label, 24, true, MK_WHITE);
    }
}

void PaintSplash(MkCanvas* c)
{
    c->ShadowText(320, 90, "Pelloran", 64, true, {250, 220, 90});
    PaintBall(c, 320, 300, 70);
}

// The row number in the bottom-right pixel, so a frame read back says which picture it is.
std::vector<uint8_t> Marked(const MkCanvas& c, int32_t row)
{
    std::vector<uint8_t> bytes = c.To565(false);
    const uint32_t marker = static_cast<uint32_t>(row) << 5 | 31;
    bytes[bytes.size() - 2] = static_cast<uint8_t>(marker & 0xFF);
    bytes[bytes.size() - 1] = static_cast<uint8_t>(marker >> 8);
    return bytes;
}

std::vector<uint8_t> MakeBackground(int32_t row)
{
    const std::string_view name = BackgroundNames[row];
    MkCanvas c(SCREEN_W, SCREEN_H);
    if (NameIs(name, {"scanback"})) {
        MkPaintScanback(&c);
        return Marked(c, row);
    }
    const Theme theme = ThemeOf(row, name);
    PaintGradient(&c, theme);
    if (theme == THEME_PITCH) PaintPitchLines(&c);
    if (theme == THEME_NAVY) PaintStarArch(&c);
    PaintFrame(&c, kThemes[theme].top);
    PaintTitleBand(&c);
    if (row == TITLE_SCREEN) PaintTitleScreen(&c);
    if (row == CHAMPIONSHIP_SCREEN) PaintTurnArrows(&c);
    if (row == STARTUP_SCREEN || row == SPLASH_WITH_BALL) PaintSplash(&c);
    return Marked(c, row);
}

bool SharesEarlierName(int32_t row)
{
    for (int32_t earlier = 0; earlier < row; ++earlier) {
        if (NameIs(BackgroundNames[earlier], {BackgroundNames[row]})) return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// The load bar.

constexpr int32_t BAR_W = 480;
constexpr int32_t BAR_H = 72;
constexpr int32_t TROUGH_LEFT = 32;
constexpr int32_t TROUGH_RIGHT = 450;
constexpr int32_t TROUGH_TOP = 40;
constexpr int32_t TROUGH_BOTTOM = 60;

MkCanvas LoadBarPicture(bool full)
{
    MkCanvas c(BAR_W, BAR_H);
    const MkRgb panel = {28, 44, 60};
    c.Rect(0, 0, BAR_W, BAR_H, panel);
    c.Rect(0, 0, BAR_W, 2, {120, 150, 180});
    c.Rect(0, 0, 2, BAR_H, {120, 150, 180});
    c.Rect(0, BAR_H - 2, BAR_W, 2, {8, 12, 18});
    c.Rect(BAR_W - 2, 0, 2, BAR_H, {8, 12, 18});
    c.Text(BAR_W / 2.0f, 10, "Chargement", 20, true, MK_WHITE, MK_ALIGN_CENTRE);
    c.Rect(TROUGH_LEFT - 2, TROUGH_TOP - 2, TROUGH_RIGHT - TROUGH_LEFT + 4,
           TROUGH_BOTTOM - TROUGH_TOP + 4, {8, 12, 18});
    for (int32_t x = TROUGH_LEFT; x < TROUGH_RIGHT; ++x) {
        const float t = static_cast<float>(x - TROUGH_LEFT) / (TROUGH_RIGHT - TROUGH_LEFT - 1);
        const MkRgb colour = full ? MkMix({40, 200, 60}, {250, 230, 40}, t) : MkRgb{16, 24, 30};
        c.Rect(x, TROUGH_TOP, 1, TROUGH_BOTTOM - TROUGH_TOP, colour);
    }
    return c;
}

// Palette indices 1-254 in the order colours are first met (0 and 255 are forced black and
// white when the palette is shown); 6 bits per channel.
struct LoadBarPalette {
    std::map<uint32_t, uint8_t> index;
    std::vector<uint8_t> rgb = std::vector<uint8_t>(768, 0);

    uint8_t IndexOf(MkRgb c)
    {
        const uint32_t key = static_cast<uint32_t>(c.r >> 2) << 12 | (c.g >> 2) << 6 | (c.b >> 2);
        const auto found = index.find(key);
        if (found != index.end()) return found->second;
        const auto next = static_cast<uint8_t>(index.size() + 1);
        if (next == 255) {
            std::fprintf(stderr, "mkdata: the load bar uses more than 254 colours\n");
            std::exit(1);
        }
        rgb[next * 3] = static_cast<uint8_t>(c.r >> 2);
        rgb[next * 3 + 1] = static_cast<uint8_t>(c.g >> 2);
        rgb[next * 3 + 2] = static_cast<uint8_t>(c.b >> 2);
        index[key] = next;
        return next;
    }
};

std::vector<uint8_t> Indexed(const MkCanvas& c, LoadBarPalette* palette)
{
    std::vector<uint8_t> bytes = {'G', 'F', 'X', '0'};
    MkPutU16(&bytes, BAR_W);
    MkPutU16(&bytes, BAR_H);
    bytes.resize(16, 0);
    for (int32_t y = 0; y < BAR_H; ++y) {
        for (int32_t x = 0; x < BAR_W; ++x)
            bytes.push_back(palette->IndexOf(c.At(x, y)));
    }
    return bytes;
}

}  // namespace

void MkGenerateMenuBackgrounds(MkFileSet* set)
{
    for (int32_t row = 0; row < BACKGROUND_COUNT; ++row) {
        if (SharesEarlierName(row)) continue;
        MkAddFile(set, std::string("menugfx\\") + BackgroundNames[row] + ".bck",
                  MakeBackground(row));
    }
}

void MkGenerateLoadBar(MkFileSet* set)
{
    LoadBarPalette palette;
    std::vector<uint8_t> empty = Indexed(LoadBarPicture(false), &palette);
    std::vector<uint8_t> full = Indexed(LoadBarPicture(true), &palette);
    MkAddFile(set, "vxdata\\load\\load1FRE.gfx", std::move(empty));
    MkAddFile(set, "vxdata\\load\\load2FRE.gfx", std::move(full));
    MkAddFile(set, "vxdata\\load\\loadpal.pal", std::move(palette.rgb));
}
