// tools/mkdata/stadium.cpp: the stadium palette piece, the line pattern and the grass tile. All
// made from fixed formulas and a fixed hash, so every build writes the same bytes.
#include "tools/mkdata/stadium.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "gamecode/pitch.h"
#include "tools/mkdata/canvas.h"
#include "tools/mkdata/matchgfx.h"
#include "tools/mkdata/nodwriter.h"
#include "vx256/nod.h"

namespace {

constexpr int32_t kPatternRows = 16;
constexpr int32_t kPatternRowBytes = 256;
constexpr int32_t kPatternBytes = kPatternRows * kPatternRowBytes;
constexpr int32_t kPatternSpareFrom = 3968;  // the game copies these 4 bytes past the last row
constexpr int32_t kGrassTile = 64;

struct Colour {
    int32_t r, g, b;  // 6-bit
};

// Each ramp from its first colour to its last, one entry per step.
struct Ramp {
    int32_t first, last;
    Colour from, to;
};

constexpr auto kRamps = std::to_array<Ramp>({
    {MK_GRASS_FIRST, MK_GRASS_LAST, {4, 17, 5}, {17, 41, 12}},
    {MK_LINE_FIRST, MK_LINE_LAST, {30, 40, 28}, {63, 63, 63}},
    {MK_SKY_FIRST, MK_SKY_LAST, {22, 36, 58}, {46, 52, 60}},
    {MK_STAND_FIRST, MK_STAD_LAST, {14, 14, 16}, {48, 48, 50}},
});

// A small integer hash: the same texture on every machine.
uint32_t Hash(uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

std::vector<uint8_t> StadiumPalette()
{
    std::vector<uint8_t> palette(768, 0);
    for (const Ramp& ramp : kRamps) {
        const int32_t steps = std::max(ramp.last - ramp.first, 1);
        for (int32_t e = ramp.first; e <= ramp.last; ++e) {
            const int32_t k = e - ramp.first;
            palette[e * 3] =
                static_cast<uint8_t>(ramp.from.r + (ramp.to.r - ramp.from.r) * k / steps);
            palette[e * 3 + 1] =
                static_cast<uint8_t>(ramp.from.g + (ramp.to.g - ramp.from.g) * k / steps);
            palette[e * 3 + 2] =
                static_cast<uint8_t>(ramp.from.b + (ramp.to.b - ramp.from.b) * k / steps);
        }
    }
    for (const int32_t kept : {MP_MAGENTA, MP_BLUE_KEY})
        std::copy_n(MkMasterPalette().begin() + kept * 3, 3, palette.begin() + kept * 3);
    return palette;
}

// Row 0 the fullest and brightest, row 15 the faintest: each row's texels scatter round a level
// that falls with the row.
std::vector<uint8_t> LinePattern()
{
    constexpr int32_t kLevels = MK_LINE_LAST - MK_LINE_FIRST + 1;
    std::vector<uint8_t> bytes(kPatternBytes + 4);
    for (int32_t row = 0; row < kPatternRows; ++row) {
        const float level = (kLevels - 1) * (1.0f - static_cast<float>(row) / (kPatternRows - 1));
        for (int32_t column = 0; column < kPatternRowBytes; ++column) {
            const float jitter =
                static_cast<float>(Hash(static_cast<uint32_t>(row * kPatternRowBytes + column))
                                   % 1000)
                / 1000.0f;
            const int32_t k =
                std::clamp(static_cast<int32_t>(level + jitter - 0.25f), 0, kLevels - 1);
            bytes[row * kPatternRowBytes + column] = static_cast<uint8_t>(MK_LINE_FIRST + k);
        }
    }
    std::copy_n(bytes.begin() + kPatternSpareFrom, 4, bytes.begin() + kPatternBytes);
    return bytes;
}

// Grass: fine blades over a faint wave, both periodic over the tile, so the tile repeats and
// mirrors without a seam.
std::vector<uint8_t> GrassTile()
{
    constexpr int32_t kShades = MK_GRASS_LAST - MK_GRASS_FIRST;  // 222 is kept for shadows
    std::vector<uint8_t> bytes = {kGrassTile, 0, kGrassTile, 0};
    const double turn = 2.0 * 3.14159265358979323846 / kGrassTile;
    for (int32_t v = 0; v < kGrassTile; ++v) {
        for (int32_t u = 0; u < kGrassTile; ++u) {
            const double wave = 0.06 * std::sin(turn * v) + 0.04 * std::cos(turn * (u + 2 * v));
            const double blade =
                static_cast<double>(Hash(static_cast<uint32_t>(v * kGrassTile + u)) % 1000)
                / 1000.0;
            const double level = 0.35 + wave + 0.3 * blade;
            const int32_t k = std::clamp(static_cast<int32_t>(level * kShades), 0, kShades - 1);
            bytes.push_back(static_cast<uint8_t>(MK_GRASS_FIRST + 1 + k));
        }
    }
    return bytes;
}

// ---- Textures of the stands and the horizon: software textures, 0 transparent ----------------

std::vector<uint8_t> SoftTexture(int32_t width, int32_t height, const std::vector<uint8_t>& texels)
{
    std::vector<uint8_t> bytes(4 + texels.size());
    bytes[0] = static_cast<uint8_t>(width);
    bytes[1] = static_cast<uint8_t>(width >> 8);
    bytes[2] = static_cast<uint8_t>(height);
    bytes[3] = static_cast<uint8_t>(height >> 8);
    std::copy(texels.begin(), texels.end(), bytes.begin() + 4);
    return bytes;
}

// Rows of seats, one in three a concrete step; the crowd in shirts of many colours.
std::vector<uint8_t> Terrace(uint32_t seed)
{
    constexpr uint8_t kCrowd[] = {MP_RED,       MP_YELLOW,     MP_BLUE,   MP_WHITE,      MP_SKIN,
                                  MP_SKIN_DARK, MP_BLUE_LIGHT, MP_ORANGE, MP_PANEL1 + 1, MP_BROWN};
    std::vector<uint8_t> t(64 * 64);
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < 64; ++x)
            t[y * 64 + x] = y % 3 == 2
                                ? static_cast<uint8_t>(MK_STAND_FIRST + 2 + (x / 8) % 2)
                                : kCrowd[Hash(seed + static_cast<uint32_t>(y * 64 + x)) % 10];
    return SoftTexture(64, 64, t);
}

// Concrete panels, or the roof's ribbed sheet.
std::vector<uint8_t> Panels(int32_t light, int32_t every)
{
    std::vector<uint8_t> t(32 * 32);
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x)
            t[y * 32 + x] = static_cast<uint8_t>(
                x % every == 0 ? MK_STAND_FIRST : MK_STAND_FIRST + light - (Hash(y * 32 + x) % 2));
    return SoftTexture(32, 32, t);
}

// An advertising board: our own invented words in one colour on a field of another.
std::vector<uint8_t> Board(const char* words, uint8_t field, uint8_t ink)
{
    constexpr int32_t kWidth = 128, kHeight = 16;
    MkCanvas canvas(kWidth, kHeight);
    canvas.Text(kWidth / 2.0f, 1, words, 13, true, MK_WHITE, MK_ALIGN_CENTRE);
    std::vector<uint8_t> t(kWidth * kHeight);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x)
            t[y * kWidth + x] = canvas.CoverageAt(x, y) >= 0.5f ? ink : field;
    return SoftTexture(kWidth, kHeight, t);
}

// Hills against the sky: greens below a rolling line, transparent above it.
std::vector<uint8_t> Hills()
{
    std::vector<uint8_t> t(64 * 32);
    const double turn = 2.0 * 3.14159265358979323846 / 64;
    for (int32_t x = 0; x < 64; ++x) {
        const double ridge = 12 + 5 * std::sin(turn * x) + 3 * std::sin(turn * 3 * x + 1.0);
        for (int32_t y = 0; y < 32; ++y) {
            if (y < ridge) continue;
            const int32_t shade = std::clamp(static_cast<int32_t>((y - ridge) / 3), 0, 7);
            t[y * 64 + x] = static_cast<uint8_t>(MK_GRASS_LAST - shade - Hash(y * 64 + x) % 2);
        }
    }
    return SoftTexture(64, 32, t);
}

// ---- The horizon and the stands as NOD01 models -----------------------------------------------

struct Point3 {
    float x, y, z;  // world: pitch units, z up
};

// Builds a model in world positions; the game turns it a quarter turn and moves it to the pitch
// centre, so each point is stored in that frame.
class WorldModelBuilder {
public:
    explicit WorldModelBuilder(std::vector<std::string> textures)
    {
        m_model.textures = std::move(textures);
    }

    // A quad a-b-c-d (a bottom left, b bottom right, c top right, d top left as seen from the
    // front), its corners reversed if its face would not look toward `eye`.
    void Quad(Point3 a, Point3 b, Point3 c, Point3 d, int16_t texture, Point3 eye,
              uint32_t flags = 0)
    {
        const Point3 e1 = {b.x - a.x, b.y - a.y, b.z - a.z}, e2 = {c.x - a.x, c.y - a.y, c.z - a.z};
        const Point3 n = {e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z,
                          e1.x * e2.y - e1.y * e2.x};
        const float facing = n.x * (eye.x - a.x) + n.y * (eye.y - a.y) + n.z * (eye.z - a.z);
        MkNodSurface s;
        s.flags = flags;
        s.texture = texture;
        s.u = {0, 1, 1, 0};
        s.v = {1, 1, 0, 0};
        Point3 corners[4] = {a, b, c, d};
        if (facing < 0) {
            std::swap(corners[1], corners[3]);
            std::swap(s.u[1], s.u[3]);
            std::swap(s.v[1], s.v[3]);
        }
        for (int32_t k = 0; k < 4; ++k) {
            s.corners[k] = static_cast<int16_t>(m_model.points.size());
            m_model.points.push_back(Stored(corners[k]));
        }
        m_model.surfaces.push_back(s);
    }
    std::vector<uint8_t> Bytes() const { return MkNodBytes(m_model); }

private:
    static MkNodPoint Stored(Point3 p) { return {PITCH_CENTRE_Y - p.y, p.x - PITCH_CENTRE_X, p.z}; }
    MkNodModel m_model;
};

constexpr Point3 kCentreEye = {PITCH_CENTRE_X, PITCH_CENTRE_Y, 200};

// A ring of hills far beyond the stands. Its foot lies a little below the ground: drawn after the
// grass, it must never reach down over it, which from this far it cannot.
std::vector<uint8_t> HorizonModel()
{
    WorldModelBuilder model({"hills.gfx"});
    constexpr int32_t kSegments = 24;
    constexpr float kRadius = 7000.0f;
    const double step = 2.0 * 3.14159265358979323846 / kSegments;
    for (int32_t k = 0; k < kSegments; ++k) {
        const auto at = [&](int32_t i, float z) {
            return Point3{PITCH_CENTRE_X + static_cast<float>(kRadius * std::cos(i * step)),
                          PITCH_CENTRE_Y + static_cast<float>(kRadius * std::sin(i * step)), z};
        };
        model.Quad(at(k, -50), at(k + 1, -50), at(k + 1, 900), at(k, 900), 0, kCentreEye);
    }
    return model.Bytes();
}

enum StandTexture : int16_t { TEX_TERRACE, TEX_WALL, TEX_ROOF, TEX_BOARD1 };

// A stand along the line from `from` to `to` (its front, on the ground), rising away from the
// pitch along `out`: boards at the front, the terrace, the back wall and, when roofed, the roof.
struct StandShape {
    float terraceTop;  // height at the back of the terrace
    float depth;       // from the boards to the back wall
    float wallTop;
    bool roofed;
};

Point3 Along(Point3 a, Point3 b, float t, Point3 out, float d, float z)
{
    return {a.x + (b.x - a.x) * t + out.x * d, a.y + (b.y - a.y) * t + out.y * d, z};
}

void Stand(WorldModelBuilder* model, Point3 from, Point3 to, Point3 out, int32_t segments,
           const StandShape& shape)
{
    constexpr float kBoardHeight = 12.0f;
    constexpr float kTerraceStart = 40.0f;
    const bool readsBackward = out.x * (to.y - from.y) - out.y * (to.x - from.x) < 0;
    for (int32_t k = 0; k < segments; ++k) {
        const float t0 = static_cast<float>(k) / segments,
                    t1 = static_cast<float>(k + 1) / segments;
        const auto p = [&](float t, float d, float z) { return Along(from, to, t, out, d, z); };
        model->Quad(p(t0, shape.depth, shape.terraceTop), p(t1, shape.depth, shape.terraceTop),
                    p(t1, shape.depth, shape.wallTop), p(t0, shape.depth, shape.wallTop), TEX_WALL,
                    kCentreEye);
        model->Quad(p(t0, kTerraceStart, 0), p(t1, kTerraceStart, 0),
                    p(t1, shape.depth, shape.terraceTop), p(t0, shape.depth, shape.terraceTop),
                    TEX_TERRACE, kCentreEye);
        if (shape.roofed)
            model->Quad(p(t0, shape.depth * 0.35f, shape.wallTop + 30),
                        p(t1, shape.depth * 0.35f, shape.wallTop + 30),
                        p(t1, shape.depth, shape.wallTop), p(t0, shape.depth, shape.wallTop),
                        TEX_ROOF, kCentreEye, NOD_SURFACE_DOUBLE_SIDED);
        // The words read left to right from the pitch, whichever way the stand runs.
        const float left = readsBackward ? t1 : t0, right = readsBackward ? t0 : t1;
        model->Quad(p(left, 0, 0), p(right, 0, 0), p(right, 0, kBoardHeight),
                    p(left, 0, kBoardHeight), static_cast<int16_t>(TEX_BOARD1 + k % 4), kCentreEye);
    }
}

// The terrace and wall closing a corner between two stands' ends.
void Corner(WorldModelBuilder* model, Point3 a, Point3 b, Point3 outA, Point3 outB,
            const StandShape& shape)
{
    constexpr float kTerraceStart = 40.0f;
    const auto p = [](Point3 q, Point3 out, float d, float z) {
        return Point3{q.x + out.x * d, q.y + out.y * d, z};
    };
    model->Quad(p(a, outA, kTerraceStart, 0), p(b, outB, kTerraceStart, 0),
                p(b, outB, shape.depth, shape.terraceTop),
                p(a, outA, shape.depth, shape.terraceTop), TEX_TERRACE, kCentreEye);
    model->Quad(p(a, outA, shape.depth, shape.terraceTop),
                p(b, outB, shape.depth, shape.terraceTop), p(b, outB, shape.depth, shape.wallTop),
                p(a, outA, shape.depth, shape.wallTop), TEX_WALL, kCentreEye);
}

// Four stands round the pitch behind boards; the big stadium higher and roofed all round, the
// other roofed along the touchlines only.
std::vector<uint8_t> StadiumModel(bool big)
{
    WorldModelBuilder model({"terrace.gfx", "wall.gfx", "roof.gfx", "main1.gfx", "main2.gfx",
                             "main3.gfx", "main4.gfx"});
    const StandShape sides =
        big ? StandShape{300, 420, 400, true} : StandShape{200, 360, 270, true};
    const StandShape ends = big ? sides : StandShape{160, 300, 210, false};
    constexpr float left = PITCH_LEFT_TOUCHLINE_X - 140, right = PITCH_RIGHT_TOUCHLINE_X + 140;
    constexpr float nearY = PITCH_NEAR_GOAL_LINE_Y - 180, farY = PITCH_FAR_GOAL_LINE_Y + 180;
    const Point3 nl = {left, nearY, 0}, nr = {right, nearY, 0}, fl = {left, farY, 0},
                 fr = {right, farY, 0};
    Stand(&model, nl, fl, {-1, 0, 0}, 10, sides);
    Stand(&model, nr, fr, {1, 0, 0}, 10, sides);
    Stand(&model, nl, nr, {0, -1, 0}, 6, ends);
    Stand(&model, fl, fr, {0, 1, 0}, 6, ends);
    const StandShape corner = ends;
    Corner(&model, nl, nl, {-1, 0, 0}, {0, -1, 0}, corner);
    Corner(&model, nr, nr, {0, -1, 0}, {1, 0, 0}, corner);
    Corner(&model, fl, fl, {0, 1, 0}, {-1, 0, 0}, corner);
    Corner(&model, fr, fr, {1, 0, 0}, {0, 1, 0}, corner);
    return model.Bytes();
}

void AddStadiumTextures(MkFileSet* set, const std::string& folder, uint32_t seed)
{
    const std::string root = "vxdata\\software\\stadium\\TEXTURES\\" + folder + "\\";
    MkAddFile(set, root + "terrace.gfx", Terrace(seed));
    MkAddFile(set, root + "wall.gfx", Panels(3, 8));
    MkAddFile(set, root + "roof.gfx", Panels(1, 4));
    struct Advert {
        const char* words;
        uint8_t field, ink;
    };
    constexpr Advert kAdverts[4] = {{"PELLORAN", MP_BLUE, MP_WHITE},
                                    {"LUMIVERT", MP_RED, MP_YELLOW},
                                    {"CAFE SOLENA", MP_GREEN, MP_WHITE},
                                    {"ORBITEX", MP_YELLOW, MP_BLUE_DARK}};
    for (int32_t b = 0; b < 4; ++b)
        MkAddFile(set, root + "FRE\\main" + std::to_string(b + 1) + ".gfx",
                  Board(kAdverts[b].words, kAdverts[b].field, kAdverts[b].ink));
}

}  // namespace

void MkGenerateStadium(MkFileSet* set)
{
    MkAddFile(set, "PALETTES\\ingame\\stad.pal", StadiumPalette());
    MkAddFile(set, "VXDATA\\software\\misc\\textures\\line.gfx", LinePattern());
    MkAddFile(set, "VXDATA\\SOFTWARE\\MISC\\TEXTURES\\grass.gfx", GrassTile());
    MkAddFile(set, "vxdata\\software\\stadium\\models\\misc\\horizon\\HORIZON.nod", HorizonModel());
    MkAddFile(set, "vxdata\\software\\stadium\\models\\stads\\stad2.nod", StadiumModel(false));
    MkAddFile(set, "vxdata\\software\\stadium\\models\\stads\\bigstad.nod", StadiumModel(true));
    MkAddFile(set, "vxdata\\software\\stadium\\TEXTURES\\Stad2\\hills.gfx", Hills());
    AddStadiumTextures(set, "stad2", 1);
    AddStadiumTextures(set, "bigstad", 2);
}
