// tools/mkdata/d3dtextures.cpp: the 3D-device view's model textures and the device's kit images.
// Every picture is painted from a small integer hash, so a build gives the same bytes each time;
// night versions are the day's darkened, with the floodlights lit.
#include "tools/mkdata/d3dtextures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "tools/mkdata/canvas.h"
#include "tools/mkdata/matchgfx.h"

namespace {

constexpr float kNight = 0.45f;

struct Picture {
    int32_t width;
    int32_t height;
    std::vector<uint32_t> pixels;  // ARGB
};

uint32_t Argb(int32_t r, int32_t g, int32_t b, int32_t a = 255)
{
    const auto c = [](int32_t v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    return c(a) << 24 | c(r) << 16 | c(g) << 8 | c(b);
}

uint32_t Hash(int32_t x, int32_t y, int32_t seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u
                 + static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

int32_t Noise(int32_t x, int32_t y, int32_t seed, int32_t range)
{
    return static_cast<int32_t>(Hash(x, y, seed) % static_cast<uint32_t>(2 * range + 1)) - range;
}

using Painter = std::function<uint32_t(int32_t x, int32_t y)>;

Picture Paint(int32_t width, int32_t height, const Painter& paint)
{
    Picture picture{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            picture.pixels[static_cast<size_t>(y) * width + x] = paint(x, y);
    }
    return picture;
}

Picture Darkened(Picture picture, float factor, int32_t blueLift)
{
    for (uint32_t& p : picture.pixels) {
        const auto part = [&](int32_t shift) {
            return static_cast<int32_t>(static_cast<float>((p >> shift) & 0xFF) * factor);
        };
        p = Argb(part(16), part(8), part(0) + blueLift, static_cast<int32_t>(p >> 24));
    }
    return picture;
}

void AddPicture(MkFileSet* set, const std::string& name, const Picture& picture)
{
    std::vector<uint8_t> bytes = MkPictureHeader(picture.width, picture.height, 1);
    MkPutArgb(&bytes, picture.pixels);
    MkAddFile(set, MK_DEVICE_ROOT + name, std::move(bytes));
}

// ---- Stadium ------------------------------------------------------------------------------

Picture Concrete(int32_t size, int32_t grey, int32_t seed, int32_t panel)
{
    return Paint(size, size, [=](int32_t x, int32_t y) {
        const bool seam = panel > 0 && (x % panel == 0 || y % panel == 0);
        const int32_t v = grey + Noise(x, y, seed, 10) - (seam ? 35 : 0);
        return Argb(v, v, v + 4);
    });
}

Picture Lattice(int32_t seed)
{
    return Paint(32, 32, [=](int32_t x, int32_t y) {
        const bool bar = x < 3 || x > 28 || std::abs(x - y) < 2 || std::abs(x + y - 31) < 2;
        const int32_t v = 120 + Noise(x, y, seed, 12);
        return bar ? Argb(v, v, v + 8) : Argb(0, 0, 0, 0);
    });
}

Picture Tree()
{
    return Paint(64, 64, [](int32_t x, int32_t y) {
        const float dx = (static_cast<float>(x) - 31.5f) / 30.0f;
        const float dy = (static_cast<float>(y) - 26.0f) / 26.0f;
        if (x >= 29 && x <= 34 && y >= 44) return Argb(80, 56, 30);
        if (dx * dx + dy * dy > 1.0f) return Argb(0, 0, 0, 0);
        const int32_t leaf = Noise(x / 2, y / 2, 7, 30);
        return Argb(40 + leaf / 2, 100 + leaf, 36 + leaf / 3);
    });
}

Picture Dugout(bool seats)
{
    return Paint(64, 32, [=](int32_t x, int32_t y) {
        if (seats) return (y / 4) % 2 ? Argb(30, 60, 140) : Argb(20, 30, 60);
        const int32_t v = 150 + Noise(x, y, 3, 6);
        return y < 6 ? Argb(40, 40, 48) : Argb(v / 2, v / 2 + 10, v);
    });
}

Picture Floodlight(bool lamps, bool night)
{
    if (!lamps) return Concrete(32, 140, 11, 0);
    return Paint(32, 32, [=](int32_t x, int32_t y) {
        const bool lamp = x % 8 >= 1 && x % 8 <= 6 && y % 8 >= 1 && y % 8 <= 6;
        if (!lamp) return Argb(60, 60, 64);
        return night ? Argb(255, 252, 230) : Argb(200, 204, 210);
    });
}

Picture Clouds(int32_t seed)
{
    return Paint(128, 64, [=](int32_t x, int32_t y) {
        const int32_t puff = Noise(x / 8, y / 6, seed, 60) + Noise(x / 3, y / 3, seed + 1, 20);
        const int32_t sky = 150 + y;
        const int32_t white = std::clamp(puff + 20, 0, 80);
        return Argb(90 + white * 2, 140 + white, sky + white / 2);
    });
}

Picture Horizon()
{
    return Paint(128, 32, [](int32_t x, int32_t y) {
        const int32_t ridge = 14 + static_cast<int32_t>(6.0f * std::sin(static_cast<float>(x) / 9))
                              + Noise(x / 4, 0, 5, 3);
        if (y < ridge) return Argb(150, 190, 230);
        return Argb(50, 90 + Noise(x, y, 6, 10), 50);
    });
}

Picture Roof(int32_t seed, bool front)
{
    return Paint(64, 64, [=](int32_t x, int32_t y) {
        const int32_t rib = (x % 8 < 2) ? -25 : 0;
        const int32_t stripe = front && (y / 8) % 2 == 0 ? 30 : 0;
        const int32_t v = 150 + rib + Noise(x, y, seed, 6);
        return Argb(v - stripe, v - stripe, v + stripe);
    });
}

Picture Pole() { return Concrete(16, 170, 13, 0); }

// Seats of the stand's colour; a share of them taken by people in bright clothes.
Picture Crowd(int32_t stand, int32_t quarters)
{
    static constexpr std::array<std::array<int32_t, 3>, 4> kSeats = {
        {{150, 30, 30}, {30, 60, 150}, {200, 170, 40}, {40, 120, 60}}};
    return Paint(64, 64, [=](int32_t x, int32_t y) {
        const int32_t seatX = x / 4, row = y / 4;
        if (y % 4 == 3) return Argb(70, 70, 74);  // the step
        const bool taken = static_cast<int32_t>(Hash(seatX, row, stand) % 4) < quarters;
        if (taken) {
            const uint32_t shirt = Hash(seatX, row, 99 + stand);
            if (y % 4 == 0) return Argb(200, 150, 110);  // a face
            return Argb(static_cast<int32_t>(shirt & 0xFF), static_cast<int32_t>(shirt >> 8 & 0xFF),
                        static_cast<int32_t>(shirt >> 16 & 0xFF));
        }
        const auto& s = kSeats[stand];
        return Argb(s[0], s[1], s[2]);
    });
}

// The advertising boards: our own invented names on plain colours.
Picture Board(int32_t index)
{
    struct Advert {
        const char* words;
        MkRgb ground;
        MkRgb ink;
    };
    static constexpr std::array<Advert, 4> kAdverts = {{
        {"PELLORAN", {20, 60, 140}, {255, 255, 255}},
        {"LUMIVERT", {20, 110, 50}, {250, 240, 120}},
        {"CAFE SOLENA", {130, 30, 30}, {255, 230, 200}},
        {"ORBITEX", {30, 30, 36}, {120, 220, 255}},
    }};
    const Advert& advert = kAdverts[static_cast<size_t>(index)];
    MkCanvas canvas(128, 32);
    canvas.Rect(0, 0, 128, 32, advert.ground);
    canvas.Text(64, 6, advert.words, 18, true, advert.ink, MK_ALIGN_CENTRE);
    return {128, 32, MkArgbOf(canvas)};
}

struct StadiumTexture {
    const char* name;
    bool bigOnly;
    std::function<Picture(bool night)> paint;
};

const std::vector<StadiumTexture>& StadiumTextures()
{
    static const std::vector<StadiumTexture> textures = {
        {"duggout", false, [](bool) { return Dugout(false); }},
        {"duggout2", false, [](bool) { return Dugout(true); }},
        {"tree", false, [](bool) { return Tree(); }},
        {"floodlig", false, [](bool) { return Floodlight(false, false); }},
        {"floodbit", false, [](bool night) { return Floodlight(true, night); }},
        {"girder", false, [](bool) { return Lattice(21); }},
        {"girderre", false, [](bool) { return Lattice(22); }},
        {"side_1", false, [](bool) { return Concrete(64, 150, 23, 16); }},
        {"clouda", true, [](bool) { return Clouds(31); }},
        {"cloudb", true, [](bool) { return Clouds(32); }},
        {"cloudc", true, [](bool) { return Clouds(33); }},
        {"cloudd", true, [](bool) { return Clouds(34); }},
        {"horitop", true, [](bool) { return Horizon(); }},
        {"wall", true, [](bool) { return Concrete(64, 130, 41, 32); }},
        {"wall1", true, [](bool) { return Concrete(64, 120, 42, 16); }},
        {"wallrear", true, [](bool) { return Concrete(64, 110, 43, 8); }},
        {"roof", true, [](bool) { return Roof(51, false); }},
        {"rooff1", true, [](bool) { return Roof(52, true); }},
        {"eastrofr", true, [](bool) { return Roof(53, true); }},
        {"pole1", true, [](bool) { return Pole(); }},
        {"pole2", true, [](bool) { return Pole(); }},
        {"pole3", true, [](bool) { return Pole(); }},
        {"pole4", true, [](bool) { return Pole(); }},
        {"girders", true, [](bool) { return Lattice(24); }},
    };
    return textures;
}

void AddStadium(MkFileSet* set, const std::string& name, bool big, bool night)
{
    const std::string folder = "stadium\\textures\\" + name + (night ? "n\\" : "d\\");
    const auto dark = [night](Picture p) { return night ? Darkened(std::move(p), kNight, 8) : p; };
    for (const StadiumTexture& t : StadiumTextures()) {
        if (t.bigOnly && !big) continue;
        // The lamps light themselves.
        const bool lit = std::string(t.name) == "floodbit";
        AddPicture(set, folder + t.name + ".gfx", lit ? t.paint(night) : dark(t.paint(night)));
    }
    static constexpr std::array<const char*, 4> kFills = {"1_4", "1_2", "3_4", "full"};
    for (int32_t stand = 0; stand < 4; ++stand) {
        for (int32_t fill = 0; fill < 4; ++fill) {
            AddPicture(set,
                       folder + "crowd" + std::to_string(stand + 1) + "\\" + kFills[fill] + ".gfx",
                       dark(Crowd(stand, fill + 1)));
        }
        AddPicture(set, folder + "FRE\\main" + std::to_string(stand + 1) + ".gfx",
                   dark(Board(stand)));
    }
}

// ---- Pitch, goal, flag, ball --------------------------------------------------------------

Picture Grass()
{
    return Paint(64, 64, [](int32_t x, int32_t y) {
        const int32_t blade = Noise(x, y, 61, 14) + Noise(x / 4, y / 4, 62, 8);
        return Argb(52 + blade / 2, 118 + blade, 44 + blade / 2);
    });
}

Picture Solid(int32_t size, uint32_t colour)
{
    return Paint(size, size, [=](int32_t, int32_t) { return colour; });
}

Picture Spot()
{
    return Paint(16, 16, [](int32_t x, int32_t y) {
        const float dx = static_cast<float>(x) - 7.5f, dy = static_cast<float>(y) - 7.5f;
        return dx * dx + dy * dy <= 56.0f ? Argb(245, 245, 245) : Argb(0, 0, 0, 0);
    });
}

Picture Patches()
{
    return Paint(32, 32, [](int32_t x, int32_t y) {
        const int32_t wear = Noise(x / 2, y / 2, 71, 100);
        return Argb(110 + wear / 4, 100 + wear / 5, 60, std::clamp(60 + wear, 0, 160));
    });
}

Picture Net()
{
    return Paint(32, 32, [](int32_t x, int32_t y) {
        return x % 8 == 0 || y % 8 == 0 ? Argb(235, 235, 235, 200) : Argb(0, 0, 0, 0);
    });
}

Picture Flag()
{
    return Paint(
        32, 32, [](int32_t x, int32_t y) { return x > y ? Argb(240, 200, 0) : Argb(220, 30, 30); });
}

Picture Ball()
{
    return Paint(32, 32, [](int32_t x, int32_t y) {
        const bool patch = (x / 8 + y / 8) % 3 == 0 && x % 8 > 1 && y % 8 > 1;
        return patch ? Argb(30, 30, 30) : Argb(250, 250, 250);
    });
}

Picture Skid()
{
    return Paint(32, 32, [](int32_t x, int32_t y) {
        const int32_t across = std::abs(x - 16);
        if (across > 6) return Argb(0, 0, 0, 0);
        return Argb(90, 70, 40, 140 - across * 15 + Noise(x, y, 81, 20));
    });
}

void AddPitch(MkFileSet* set, bool night)
{
    const std::string folder =
        night ? "stadium\\textures\\pitchn\\" : "stadium\\textures\\pitchd\\";
    const auto dark = [night](Picture p) { return night ? Darkened(std::move(p), 0.7f, 10) : p; };
    AddPicture(set, folder + "grass.gfx", dark(Grass()));
    AddPicture(set, folder + "line.gfx", dark(Solid(16, Argb(245, 245, 245))));
    AddPicture(set, folder + "spot.gfx", dark(Spot()));
    AddPicture(set, folder + "patches.gfx", dark(Patches()));
}

// ---- Kits ---------------------------------------------------------------------------------

// An in-game palette entry in 8 bits: skin, hair and face entries from the skin-and-hair
// palette, the rest from the master palette.
uint32_t PaletteColour(const MkInk& ink)
{
    const uint8_t entry = MkSoftwareEntry(ink);
    const bool ownPalette =
        ink.kind == INK_SKIN || ink.kind == INK_HAIR
        || (ink.kind == INK_FIXED && entry >= MK_FACE_FIRST && entry < MK_FACE_FIRST + 5);
    const std::array<uint8_t, 768>& palette = ownPalette ? MkSkinHairPalette() : MkMasterPalette();
    const auto eight = [&](int32_t c) { return palette[entry * 3 + c] * 255 / 63; };
    return Argb(eight(0), eight(1), eight(2));
}

}  // namespace

void MkPutArgb(std::vector<uint8_t>* bytes, const std::vector<uint32_t>& pixels)
{
    for (const uint32_t p : pixels) {
        for (int32_t shift = 0; shift < 32; shift += 8)
            bytes->push_back(static_cast<uint8_t>(p >> shift));
    }
}

std::vector<uint32_t> MkArgbOf(const MkCanvas& canvas)
{
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(canvas.Width()) * canvas.Height());
    for (int32_t y = 0; y < canvas.Height(); ++y) {
        for (int32_t x = 0; x < canvas.Width(); ++x) {
            const MkRgb c = canvas.At(x, y);
            pixels.push_back(
                Argb(c.r, c.g, c.b, static_cast<int32_t>(canvas.CoverageAt(x, y) * 255.0f + 0.5f)));
        }
    }
    return pixels;
}

uint8_t MkDeviceRampEntry(const MkInk& ink)
{
    const int32_t shade = ink.level * 31 / 255;
    switch (ink.kind) {
        case INK_KIT: return static_cast<uint8_t>(32 * (ink.which + 1) + shade);
        case INK_OFFICIAL: return static_cast<uint8_t>(32 + shade);
        default: return 0;  // trims and gaps: group 0 is black
    }
}

void MkAddDeviceKitTexture(MkFileSet* set, const std::string& name, const MkKitDrawing& drawing,
                           bool team)
{
    std::vector<uint8_t> bytes = MkPictureHeader(drawing.size, drawing.size, 1);
    if (team) {
        for (const MkInk& ink : drawing.texels)
            bytes.push_back(MkDeviceRampEntry(ink));
    } else {
        std::vector<uint32_t> pixels;
        pixels.reserve(drawing.texels.size());
        for (const MkInk& ink : drawing.texels)
            pixels.push_back(ink.kind == INK_NONE ? 0 : PaletteColour(ink));
        MkPutArgb(&bytes, pixels);
    }
    MkAddFile(set, MK_DEVICE_ROOT + name, std::move(bytes));
}

void MkGenerateDeviceTextures(MkFileSet* set)
{
    for (const bool night : {false, true}) {
        AddStadium(set, "stad2", false, night);
        AddStadium(set, "bigstad", true, night);
        AddPitch(set, night);
    }
    AddPicture(set, "stadium\\textures\\goal\\net.gfx", Net());
    AddPicture(set, "stadium\\textures\\goal\\post.gfx", Solid(16, Argb(250, 250, 250)));
    AddPicture(set, "stadium\\textures\\pole.gfx", Pole());
    AddPicture(set, "stadium\\textures\\flag.gfx", Flag());
    AddPicture(set, "simple\\textures\\ball.gfx", Ball());
    AddPicture(set, "simple\\textures\\skid.gfx", Skid());
}
