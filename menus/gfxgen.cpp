// menus/gfxgen.cpp: front-end graphics drawn in a club's colours.
#include "menus/gfxgen.h"

#include <array>
#include <cstring>
#include <vector>

#include "engine/colconv.h"
#include "engine/fatal.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "menus/menupc.h"

uint8_t GfxGenColourTable[GFXGEN_COLOURS][3];

namespace {

constexpr int32_t RAMP_HALF = 32;
constexpr uint8_t RAMP_TOP[3] = {47, 63, 58};
constexpr int32_t PALETTE_BYTES = GFXGEN_OWN_COLOURS * 3;

struct GfxGenState {
    std::array<GfxGenGraphic, 1> graphics;
};

GfxGenState s_gfxGen;

constexpr GfxGenState FRESH = {{{{"ball", 0, 0, 0, nullptr, nullptr}}}};

[[noreturn]] void Invalid()
{
    FatalAbort(__FILE__, __LINE__, "GfxGenLoadGraphic(): invalid graphic");
}

int16_t HeaderWord(const uint8_t* header, int32_t at)
{
    int16_t value;
    std::memcpy(&value, header + at, sizeof value);
    return value;
}

void LoadPixels(GfxGenGraphic& g)
{
    const std::string name = std::string("gfxgen\\") + g.name + ".gfx";
    const int32_t size = PakLoadFile(name.c_str(), &g.pixels, MEM_TYPE_FILE);
    uint8_t header[GFXGEN_HEADER_BYTES] = {};
    if (size >= GFXGEN_HEADER_BYTES) std::memcpy(header, g.pixels, GFXGEN_HEADER_BYTES);
    const int32_t w = HeaderWord(header, 4);
    const int32_t h = HeaderWord(header, 6);
    const int32_t bytes = HeaderWord(header, 8);
    // A file cut short would have the drawing read past its end.
    if (size < GFXGEN_HEADER_BYTES || std::memcmp(header, "GFX0", 4) != 0 || w <= 0 || h <= 0
        || bytes != 1 || size - GFXGEN_HEADER_BYTES < w * h * bytes)
        Invalid();
    const auto pixelBytes = static_cast<uint32_t>(w * h * bytes);
    std::memmove(g.pixels, g.pixels + GFXGEN_HEADER_BYTES, pixelBytes);
    ResizeMemory(&g.pixels, pixelBytes);
    g.width = static_cast<uint32_t>(w);
    g.height = static_cast<uint32_t>(h);
    g.bytesPerPixel = static_cast<uint32_t>(bytes);
    SetMemType(&g.pixels, MEM_TYPE_PURGEABLE);
}

void LoadPalette(GfxGenGraphic& g)
{
    const std::string name = std::string("gfxgen\\") + g.name + ".pal";
    if (PakLoadFile(name.c_str(), &g.palette, MEM_TYPE_FILE) < PALETTE_BYTES) Invalid();
    SetMemType(&g.palette, MEM_TYPE_PURGEABLE);
}

void Ramp(int32_t from, int32_t to, const uint8_t* low, const uint8_t* high)
{
    for (int32_t i = from; i <= to; ++i) {
        for (int32_t c = 0; c < 3; ++c) {
            GfxGenColourTable[i][c] =
                static_cast<uint8_t>(low[c] + (high[c] - low[c]) * (i - from) / (to - from));
        }
    }
}

ColFmt TableFormat()
{
    ColFmt format{};
    Mask2ColComponent(0x00003F, &format.comp[0]);
    Mask2ColComponent(0x003F00, &format.comp[1]);
    Mask2ColComponent(0x3F0000, &format.comp[2]);
    format.allBitsMask = 0x3F3F3F;
    format.bytesPerPixel = 3;
    format.bitsPerPixel = 24;
    return format;
}

}  // namespace

void GfxGenInit()
{
    GfxGenUninit();
    std::memset(GfxGenColourTable, 0, sizeof GfxGenColourTable);
}

void GfxGenUninit()
{
    for (GfxGenGraphic& g : s_gfxGen.graphics) {
        if (g.pixels != nullptr) FreeMemory(&g.pixels);
        if (g.palette != nullptr) FreeMemory(&g.palette);
    }
    s_gfxGen = FRESH;
}

const GfxGenGraphic& GfxGenLoadGraphic(int32_t n)
{
    if (n < 0 || n >= static_cast<int32_t>(s_gfxGen.graphics.size()))
        FatalError("GfxGenLoadGraphic(): bad graphic %d", n);
    GfxGenGraphic& g = s_gfxGen.graphics[n];
    if (g.pixels == nullptr) LoadPixels(g);
    if (g.palette == nullptr) LoadPalette(g);
    return g;
}

void GfxGen_SetColourRamp(int32_t s, int32_t r, int32_t g, int32_t b)
{
    if (s != 0 && s != 1) FatalError("GfxGen_SetColourRamp(): bad ramp %d", s);
    const uint8_t black[3] = {0, 0, 0};
    const uint8_t colour[3] = {static_cast<uint8_t>(r >> 2), static_cast<uint8_t>(g >> 2),
                               static_cast<uint8_t>(b >> 2)};
    const int32_t first = GFXGEN_RAMP_START + 64 * s;
    Ramp(first, first + RAMP_HALF - 1, black, colour);
    Ramp(first + RAMP_HALF, first + 2 * RAMP_HALF - 1, colour, RAMP_TOP);
}

void GfxGen_Draw(int32_t n, int32_t x, int32_t y)
{
    const GfxGenGraphic& g = GfxGenLoadGraphic(n);
    std::memcpy(GfxGenColourTable, g.palette, PALETTE_BYTES);
    const uint32_t count = g.width * g.height;
    const auto w = static_cast<int32_t>(g.width);
    const auto h = static_cast<int32_t>(g.height);
    if (MenuScreen.is256 != 0) {
        std::vector<uint8_t> buffer(count * 2);
        ColConvPalettedRow(g.pixels, count, GfxGenColourTable, TableFormat(), buffer.data(),
                           MenuScreen.sourceFormat);
        ColConvRow565To8Keyed(buffer.data(), count, MENU_KEY_565);
        DrawKeyedImage(x, y, w, h, buffer.data(), 0);
        return;
    }
    std::vector<uint8_t> buffer(count * MenuScreen.bytesPerPixel);
    ColConvPalettedRow(g.pixels, count, GfxGenColourTable, TableFormat(), buffer.data(),
                       MenuScreen.screenFormat);
    DrawKeyedImage(x, y, w, h, buffer.data(), 0);
}
