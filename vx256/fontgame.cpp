// vx256/fontgame.cpp: the match fonts: loading, purging, measuring and drawing.
#include "vx256/fontgame.h"

#include <algorithm>
#include <array>

#include "engine/fatal.h"
#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/timer.h"
#include "vx256/gfx0.h"

namespace {

constexpr auto kFontNames =
    std::to_array<const char*>({"fnt12w", "fnt16w", "fnt24w", "fnt12y", "fnt16y", "fnt24y"});
static_assert(kFontNames.size() == FONT_COUNT);
constexpr const char* kFontFolder = "MISCGFX\\FONTS";
constexpr uint32_t kStartFont = 1;
constexpr uint8_t kStandIn = '?';

struct FontState {
    FontItem items[FONT_COUNT];
    uint32_t currentFont;
};

constexpr FontState StartState()
{
    FontState state{};
    for (int32_t f = 0; f < FONT_COUNT; ++f)
        state.items[f].name = kFontNames[f];
    state.currentFont = kStartFont;
    return state;
}

// Constant-initialised, so the fonts work before FONT_Init as after it.
FontState s_font = StartState();

void LoadPixels(FontItem* item)
{
    const int32_t handle = PakOpenFile(MakeFileName(kFontFolder, item->name, "gfx"));
    Gfx0Head head{};
    if (!Gfx0_ReadHead(handle, &head)) FatalError("FONT_Load():- Invalid header");
    const uint32_t size = static_cast<uint32_t>(head.width * head.height * head.count);
    AllocateMemory(&item->pixels, size, MEM_TYPE_FILE);
    PakReadFile(item->pixels, GFX0_HEAD_BYTES, static_cast<int32_t>(size), handle);
    PakCloseFile(handle);
    item->glyphWidth = static_cast<int16_t>(head.width);
    item->glyphHeight = static_cast<int16_t>(head.height);
    item->glyphCount = head.count;
}

// The glyph of a character: its unsigned byte, or '?' where the font has no such glyph.
int32_t GlyphOf(const FontItem& item, uint8_t c)
{
    const int32_t glyph = item.characterMap != nullptr ? item.characterMap[c] : c;
    const int32_t known = std::min(item.glyphCount, item.widthCount);
    if (glyph < known) return glyph;
    return kStandIn < known ? kStandIn : 0;
}

int32_t TextWidth(const FontItem& item, const char* text)
{
    int32_t width = 0;
    for (const char* c = text; *c != '\0'; ++c)
        width += item.widths[GlyphOf(item, static_cast<uint8_t>(*c))];
    return width;
}

// Step 5 of the text drawing: glyph after glyph from buffer position (x, y).
void DrawGlyphs(const GameScreenRecord& target, const FontItem& item, int32_t x, int32_t y,
                const char* text)
{
    const int32_t cellBytes = item.glyphWidth * item.glyphHeight;
    for (const char* c = text; *c != '\0'; ++c) {
        const int32_t glyph = GlyphOf(item, static_cast<uint8_t>(*c));
        ViewScreen_CopyTrans(target, item.pixels + glyph * cellBytes, item.glyphWidth, x, y,
                             item.glyphWidth, item.glyphHeight);
        x += item.widths[glyph];
    }
}

int32_t Anchor(int32_t part, int32_t value, int32_t viewSize, int32_t first)
{
    if (part == first) return value;
    if (part == first * 2) return viewSize / 2 + value;
    if (part == first * 3) return viewSize - value;
    FatalError("FONT_DisplayText(): invalid align type");
}

int32_t Align(int32_t part, int32_t value, int32_t size, int32_t first)
{
    if (part == first) return value;
    if (part == first * 2) return value + (-size) / 2;
    if (part == first * 3) return value - size;
    FatalError("FONT_DisplayText(): invalid align type");
}

}  // namespace

void FONT_Init() { FONT_Uninit(); }

void FONT_Uninit()
{
    for (FontItem& item : s_font.items) {
        if (item.pixels != nullptr) FreeMemory(&item.pixels);
        if (item.widths != nullptr) FreeMemory(&item.widths);
    }
    s_font = StartState();
}

void FONT_Load(int32_t font)
{
    if (font < 0 || font >= FONT_COUNT) FatalError("FONT_Load():- Invalid font number");
    FontItem& item = s_font.items[font];
    // Whichever block is present is held while the other loads, so that loading cannot purge it.
    if (item.pixels != nullptr) {
        SetMemPriority(&item.pixels, Tick.load());
        SetMemType(&item.pixels, MEM_TYPE_FILE);
    }
    if (item.widths != nullptr) {
        SetMemPriority(&item.widths, Tick.load());
        SetMemType(&item.widths, MEM_TYPE_FILE);
    }
    if (item.pixels == nullptr) LoadPixels(&item);
    if (item.widths == nullptr) {
        item.widthCount =
            PakLoadFile(MakeFileName(kFontFolder, item.name, "wid"), &item.widths, MEM_TYPE_FILE);
        // Without a single advance no glyph could be measured or drawn.
        if (item.widthCount <= 0) FatalError("FONT_Load():- Invalid header");
    }
    SetMemType(&item.pixels, MEM_TYPE_PURGEABLE);
    SetMemType(&item.widths, MEM_TYPE_PURGEABLE);
}

const FontItem& FONT_GetItem(int32_t font)
{
    if (font < 0 || font >= FONT_COUNT) FatalError("FONT_GetItem(): Invalid font number");
    FONT_Load(font);
    return s_font.items[font];
}

uint32_t FONT_GetCurrentFont() { return s_font.currentFont; }

void FONT_SetCurrentFont(uint32_t font) { s_font.currentFont = font; }

int32_t FONT_GetTextWidth(const char* text, int32_t font)
{
    return TextWidth(FONT_GetItem(font), text);
}

void FONT_DisplayText(int32_t x, int32_t y, int32_t anchor, const char* text, int32_t align)
{
    const FontItem& item = FONT_GetItem(static_cast<int32_t>(s_font.currentFont & 0xFF));
    const int32_t width = TextWidth(item, text);
    int32_t px = Anchor(anchor & 3, x, ViewSize.width, 1);
    int32_t py = Anchor(anchor & 12, y, ViewSize.height, 4);
    px = static_cast<int16_t>(Align(align & 3, px, width, 1));
    py = static_cast<int16_t>(Align(align & 12, py, item.glyphHeight, 4));
    DrawGlyphs(GetGameScreen(), item, px + GAMESCREEN_MARGIN, py + GAMESCREEN_MARGIN, text);
}

void FONT_DisplayTextAt(int32_t x, int32_t y, const char* text, int32_t font)
{
    DrawGlyphs(GetGameScreen(), FONT_GetItem(font), x, y, text);
}

void FONT_DisplayTextInto(const GameScreenRecord& target, int32_t x, int32_t y, const char* text,
                          int32_t font)
{
    DrawGlyphs(target, FONT_GetItem(font), x, y, text);
}
