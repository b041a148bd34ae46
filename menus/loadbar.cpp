// menus/loadbar.cpp: the bar that fills while long loading work runs.
#include "menus/loadbar.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/colconv.h"
#include "engine/fatal.h"
#include "engine/gfx.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/poll.h"
#include "menus/menuicons.h"

namespace {

struct LoadBarLevel {
    float total;
    float done;
    float weight;  // of the parent's done that this level stands for
};

struct LoadBarState {
    bool active;
    int32_t depth;  // 0: only the outer level
    LoadBarLevel levels[LOADBAR_STACK_SIZE];
    LoadBarCallback callback;
    void* userData;
    uint16_t pollKey;
    LoadBarGfx standard;
};

LoadBarState s_loadBar;

void Send(uint32_t kind, float fraction)
{
    s_loadBar.callback({kind, s_loadBar.userData, fraction});
}

void Redraw()
{
    if (s_loadBar.active) Send(LOADBAR_DRAW, LoadBar_Fraction());
}

float LevelFraction(int32_t i)
{
    const LoadBarLevel& level = s_loadBar.levels[i];
    float fraction = level.done / level.total;
    if (i < s_loadBar.depth)
        fraction += LevelFraction(i + 1) * s_loadBar.levels[i + 1].weight / level.total;
    return std::clamp(fraction, 0.0f, 1.0f);
}

[[noreturn]] void GfxAbort(const char* message) { FatalAbort("loadbar", __LINE__, message); }

uint32_t ReadU16(const uint8_t* at)
{
    uint16_t value;
    std::memcpy(&value, at, 2);
    return value;
}

// Both pictures loaded and checked against each other; the record takes their size.
void LoadPictures(LoadBarGfx* gfx)
{
    const int32_t emptySize = PakLoadFile(gfx->emptyName, &gfx->empty);
    const int32_t fullSize = PakLoadFile(gfx->fullName, &gfx->full);
    if (emptySize < PICTURE_HEADER_BYTES || std::memcmp(gfx->empty, "GFX0", 4) != 0)
        GfxAbort("LoadBarGfx_Callback(): empty graphic in wrong format");
    if (fullSize < PICTURE_HEADER_BYTES || std::memcmp(gfx->full, "GFX0", 4) != 0)
        GfxAbort("LoadBarGfx_Callback(): full graphic in wrong format");
    const uint32_t width = ReadU16(gfx->empty + 4);
    const uint32_t height = ReadU16(gfx->empty + 6);
    if (width != ReadU16(gfx->full + 4) || height != ReadU16(gfx->full + 6)
        || emptySize != fullSize)
        GfxAbort("LoadBarGfx_Callback(): empty size different from full size");
    if (static_cast<uint32_t>(emptySize) != width * height + PICTURE_HEADER_BYTES)
        GfxAbort("LoadBarGfx_Callback(): graphic in the wrong format (must be 256 colour)");
    if (gfx->barStart >= width || gfx->barEnd > width || gfx->barStart >= gfx->barEnd)
        GfxAbort("LoadBarGfx_Callback(): bar start/end values out of range");
    gfx->width = width;
    gfx->height = height;
}

// Palette indices into screen pixels; the header goes, so the pixels start the block.
void ConvertPicture(uint8_t** picture, uint32_t count, const uint32_t* palette,
                    const ColFmt& paletteFormat)
{
    std::memmove(*picture, *picture + PICTURE_HEADER_BYTES, count);
    ColConvPalettedImage(picture, count, palette, paletteFormat, GfxScreenFormat());
}

void StartPictures(LoadBarGfx* gfx)
{
    LoadPictures(gfx);
    uint8_t* palette = nullptr;
    if (PakLoadFile(gfx->paletteName, &palette) != GFX_PALETTE_BYTES)
        GfxAbort("LoadBarGfx_Callback(): palette file wrong size");
    GfxFillSurface(0);
    if (gfx->flags & LOADBAR_FLAG_FLIP) GfxFlip();
    const uint32_t count = gfx->width * gfx->height;
    if (GfxGraphicMode() == GFX_MODE_8BIT) {
        SetPalette(palette);
        std::memmove(gfx->empty, gfx->empty + PICTURE_HEADER_BYTES, count);
        std::memmove(gfx->full, gfx->full + PICTURE_HEADER_BYTES, count);
    } else {
        ColFmt format{};
        Mask2ColComponent(0xFF0000, &format.comp[COL_RED]);
        Mask2ColComponent(0x00FF00, &format.comp[COL_GREEN]);
        Mask2ColComponent(0x0000FF, &format.comp[COL_BLUE]);
        format.allBitsMask = 0xFFFFFF;
        format.bytesPerPixel = 4;
        format.bitsPerPixel = 32;
        uint32_t pixels[256];
        for (int32_t i = 0; i < 256; ++i) {
            const uint8_t* rgb = palette + 3 * i;
            pixels[i] = ColConvComponent(rgb[0] & 63, 6, 8) << 16
                        | ColConvComponent(rgb[1] & 63, 6, 8) << 8
                        | ColConvComponent(rgb[2] & 63, 6, 8);
        }
        ConvertPicture(&gfx->empty, count, pixels, format);
        ConvertPicture(&gfx->full, count, pixels, format);
    }
    FreeMemory(&palette);
}

void EndPictures(LoadBarGfx* gfx)
{
    FreeMemory(&gfx->empty);
    FreeMemory(&gfx->full);
    GfxFillSurface(0);
}

// Columns before the fill point from the full picture, the rest from the empty one.
void DrawPictures(const LoadBarGfx& gfx, float fraction)
{
    const auto width = static_cast<int32_t>(gfx.width);
    const auto height = static_cast<int32_t>(gfx.height);
    if (gfx.width > ScreenWidth() || gfx.height > ScreenHeight()) return;
    const int32_t x0 = (static_cast<int32_t>(ScreenWidth()) - width) / 2;
    const int32_t y0 = (static_cast<int32_t>(ScreenHeight()) - height) / 2;
    const float span = static_cast<float>(gfx.barEnd - gfx.barStart);
    const auto pos =
        static_cast<int32_t>(std::lround(static_cast<float>(gfx.barStart) + span * fraction));
    const auto bytes = static_cast<int32_t>(std::max(GfxBytesPerPixel(), 1u));
    const int32_t pitch = width * bytes;
    if (pos > 0) GfxPutBlock(gfx.full, x0, y0, pos, height, pitch);
    if (pos < width) GfxPutBlock(gfx.empty + pos * bytes, x0 + pos, y0, width - pos, height, pitch);
    if (gfx.flags & LOADBAR_FLAG_FLIP) GfxFlip();
}

}  // namespace

void LoadBarInit() { s_loadBar = {}; }

void LoadBarUninit()
{
    if (s_loadBar.active) RemovePollFunction(s_loadBar.pollKey);
    for (uint8_t** picture : {&s_loadBar.standard.empty, &s_loadBar.standard.full}) {
        if (*picture != nullptr) FreeMemory(picture);
    }
    s_loadBar = {};
}

void LoadBar_Init(uint32_t flags)
{
    s_loadBar.standard = {"vxdata\\load\\load1FRE.gfx",
                          "vxdata\\load\\load2FRE.gfx",
                          "vxdata\\load\\loadpal.pal",
                          32,
                          450,
                          flags,
                          nullptr,
                          nullptr,
                          0,
                          0};
    LoadBar_InitCallback(LoadBarGfx_Callback, &s_loadBar.standard);
}

void LoadBar_InitCallback(LoadBarCallback callback, void* userData)
{
    s_loadBar.depth = 0;
    s_loadBar.levels[0] = {1.0f, 0.0f, 1.0f};
    s_loadBar.callback = callback;
    s_loadBar.userData = userData;
    s_loadBar.active = true;
    s_loadBar.pollKey = AddPollFunction(Redraw, LOADBAR_POLL_TICKS, 0);
    Send(LOADBAR_START, 0.0f);
}

void LoadBar_StartBlock(float total, float weight)
{
    if (!s_loadBar.active) return;
    if (s_loadBar.depth >= LOADBAR_STACK_SIZE - 1)
        FatalAbort("loadbar", __LINE__, "LoadBar_StartBlock(): the loadbar stack is full");
    s_loadBar.levels[++s_loadBar.depth] = {total, 0.0f, weight};
    Poll();
}

void LoadBar_Advance(float amount)
{
    if (!s_loadBar.active) return;
    LoadBarLevel& level = s_loadBar.levels[s_loadBar.depth];
    level.done = std::min(level.done + amount, level.total);
    Poll();
}

void LoadBar_EndBlock()
{
    if (!s_loadBar.active) return;
    if (s_loadBar.depth == 0)
        FatalAbort("loadbar", __LINE__, "LoadBar_EndBlock(): there was no block to end!");
    const float weight = s_loadBar.levels[s_loadBar.depth--].weight;
    LoadBarLevel& parent = s_loadBar.levels[s_loadBar.depth];
    parent.done = std::min(parent.done + weight, parent.total);
    Poll();
}

void LoadBar_Uninit()
{
    if (!s_loadBar.active) return;
    if (s_loadBar.depth != 0)
        FatalError("Error: LoadBar_Uninit(): stack value should be 0, was %d\n", s_loadBar.depth);
    RemovePollFunction(s_loadBar.pollKey);
    Send(LOADBAR_END, 0.0f);
    s_loadBar.active = false;
}

float LoadBar_Fraction() { return LevelFraction(0); }

void LoadBarGfx_Callback(const LoadBarEvent& event)
{
    auto* gfx = static_cast<LoadBarGfx*>(event.userData);
    if (gfx == nullptr)
        FatalAbort("loadbar", __LINE__, "LoadBarGfx_Callback(): UserData must not be NULL");
    switch (event.kind) {
        case LOADBAR_START: StartPictures(gfx); break;
        case LOADBAR_END: EndPictures(gfx); break;
        case LOADBAR_DRAW: DrawPictures(*gfx, event.fraction); break;
        default: break;
    }
}
