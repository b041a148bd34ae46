// menus/menupc.cpp: the menus' work screen, its clean back buffer and change list, the drawing
// attributes and the drawing primitives.
#include "menus/menupc.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/blocks.h"
#include "engine/fatal.h"
#include "engine/gfx.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "engine/poll.h"
#include "engine/timer.h"
#include "engine/winlib.h"
#include "menus/machine.h"

MenuDisplay MenuScreen;
MenuAttributes MenuAttr;

namespace {

constexpr int32_t SHADE_ENTRIES = 65536;
constexpr int32_t BUTTON_BEVEL = 2;
constexpr int32_t BUTTON_SHADE_STEP = 20;  // percent lighter and darker for the bevel
constexpr int32_t DARK_BUTTON_PERCENT = 30;
constexpr int32_t ALPHA_HALF = 127;
constexpr int32_t ALPHA_BEVEL_LIGHT = 63;
constexpr int32_t ALPHA_BEVEL_DARK = 191;

// Rows of the 8-bit mode's ordered dither: a pixel takes the colour when alpha / 32 reaches it.
constexpr uint8_t DITHER[4][4] = {{0, 4, 1, 5}, {6, 3, 7, 2}, {1, 5, 0, 4}, {7, 2, 6, 3}};

struct ShadeTable {
    uint8_t alpha;
    uint16_t colour;
    uint32_t builtTick;  // replacement goes by build time, not by use
    uint16_t map[SHADE_ENTRIES];
};

struct MenuPcState {
    ShadeTable* shade[MENU_SHADE_SLOTS];  // purgeable: a slot may empty itself between calls
    MenuDrawWatcher watcher;
};

MenuPcState s_menupc;

size_t Offset(int32_t x, int32_t y)
{
    return (static_cast<size_t>(y) * MenuScreen.width + x) * MenuScreen.bytesPerPixel;
}

uint8_t* WorkAt(int32_t x, int32_t y) { return MenuScreen.workScreen + Offset(x, y); }

int32_t Pitch() { return MenuScreen.width * static_cast<int32_t>(MenuScreen.bytesPerPixel); }

bool RectFits(int32_t x, int32_t y, int32_t w, int32_t h)
{
    return w > 0 && h > 0 && x >= 0 && y >= 0 && x + w <= MenuScreen.width
           && y + h <= MenuScreen.height;
}

bool PointFits(int32_t x, int32_t y)
{
    return x >= 0 && y >= 0 && x < MenuScreen.width && y < MenuScreen.height;
}

uint32_t ReadPixel(const uint8_t* at)
{
    uint32_t value = 0;
    std::memcpy(&value, at, MenuScreen.bytesPerPixel);
    return value;
}

void WritePixel(uint8_t* at, uint32_t value) { std::memcpy(at, &value, MenuScreen.bytesPerPixel); }

// The watcher told of a keyed image: the rectangle its pixels other than the key colour take.
void TellImage(int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* pixels, size_t pitch)
{
    int32_t left = w, top = h, right = -1, bottom = -1;
    for (int32_t row = 0; row < h; ++row) {
        for (int32_t col = 0; col < w; ++col) {
            if (ReadPixel(pixels + row * pitch + col * MenuScreen.bytesPerPixel)
                == MenuScreen.keyColour)
                continue;
            left = std::min(left, col);
            right = std::max(right, col);
            top = std::min(top, row);
            bottom = std::max(bottom, row);
        }
    }
    if (right < 0) return;
    TellMenuDrawWatcher(
        {MENU_DRAWN_IMAGE, {x + left, y + top, right - left + 1, bottom - top + 1}, nullptr, 0});
}

// The work screen as a buffer record for the graphics layer's copies.
BlockBuffer WorkBuffer()
{
    BlockBuffer buffer{};
    buffer.width16 = static_cast<uint16_t>(MenuScreen.width);
    buffer.height16 = static_cast<uint16_t>(MenuScreen.height);
    buffer.memory = MenuScreen.workScreen;
    buffer.width = static_cast<uint32_t>(MenuScreen.width);
    buffer.height = static_cast<uint32_t>(MenuScreen.height);
    buffer.pitch = static_cast<uint32_t>(Pitch());
    return buffer;
}

void FillRows(uint8_t* at, int32_t w, int32_t h, uint32_t pixel)
{
    const uint32_t bytes = MenuScreen.bytesPerPixel;
    const int32_t rowBytes = w * static_cast<int32_t>(bytes);
    if (bytes == 3) {
        for (int32_t row = 0; row < h; ++row) {
            uint8_t* p = at + static_cast<size_t>(row) * Pitch();
            for (int32_t i = 0; i < w; ++i, p += 3)
                WritePixel(p, pixel);
        }
        return;
    }
    const uint32_t pattern = bytes == 1   ? pixel * 0x01010101u
                             : bytes == 2 ? (pixel & 0xFFFF) * 0x00010001u
                                          : pixel;
    BlockFill(pattern, h, rowBytes, Pitch() - rowBytes, at);
}

struct Rgb8 {
    uint32_t r;
    uint32_t g;
    uint32_t b;
};

Rgb8 Rgb8Of565(uint16_t colour)
{
    return {ColConvComponent(colour >> 11, 5, 8), ColConvComponent((colour >> 5) & 63, 6, 8),
            ColConvComponent(colour & 31, 5, 8)};
}

// Each channel of the screen pixel moves towards the colour: s + ((c - s) x alpha >> 8).
uint32_t BlendPixel(uint32_t pixel, const Rgb8& colour, int32_t alpha)
{
    const ColFmt& format = MenuScreen.screenFormat;
    const uint32_t target[3] = {colour.r, colour.g, colour.b};
    uint32_t result = pixel & format.comp[COL_ALPHA].mask;
    for (int32_t i = COL_RED; i <= COL_BLUE; ++i) {
        const ColComponent& comp = format.comp[i];
        const auto s =
            static_cast<int32_t>(ColConvComponent((pixel & comp.mask) >> comp.shift, comp.bits, 8));
        const int32_t blended = s + ((static_cast<int32_t>(target[i]) - s) * alpha >> 8);
        result |= ColConvComponent(static_cast<uint32_t>(blended), 8, comp.bits) << comp.shift;
    }
    return result;
}

// Builds the table for (colour, alpha) in a slot: the first empty one, else the one built longest
// ago, rebuilt in place.
const uint16_t* CreateMenuShadeRectangleCache(uint16_t colour, int32_t alpha)
{
    if (MenuScreen.bytesPerPixel != 2)
        FatalAbort("menus\\menupc", __LINE__,
                   "CreateMenuShadeRectangleCache(): cannot cache in non-16 bit mode");
    ShadeTable** slot = nullptr;
    for (ShadeTable*& table : s_menupc.shade) {
        if (table == nullptr) {
            AllocateMemory(&table, sizeof(ShadeTable), MEM_TYPE_PURGEABLE);
            slot = &table;
            break;
        }
        if (slot == nullptr || table->builtTick < (*slot)->builtTick) slot = &table;
    }
    SetMemPriority(slot, TickCount.load());
    ShadeTable& built = **slot;
    const Rgb8 rgb = Rgb8Of565(colour);
    for (uint32_t pixel = 0; pixel < SHADE_ENTRIES; ++pixel) {
        built.map[pixel] = static_cast<uint16_t>(BlendPixel(pixel, rgb, alpha));
    }
    built.alpha = static_cast<uint8_t>(alpha);
    built.colour = colour;
    built.builtTick = TickCount;
    return built.map;
}

void ShadeRect(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour, int32_t alpha)
{
    const uint16_t* map = GetShadeTable(colour, alpha);
    for (int32_t row = 0; row < h; ++row) {
        uint8_t* p = WorkAt(x, y + row);
        for (int32_t i = 0; i < w; ++i, p += 2) {
            uint16_t pixel;
            std::memcpy(&pixel, p, 2);
            std::memcpy(p, &map[pixel], 2);
        }
    }
}

void DitherRect(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour, int32_t alpha)
{
    const int32_t level = alpha / 32;
    const uint8_t index = ColConvRGB565To8(colour);
    for (int32_t row = y; row < y + h; ++row) {
        uint8_t* p = WorkAt(x, row);
        for (int32_t col = x; col < x + w; ++col, ++p) {
            if (level >= DITHER[row & 3][col & 3]) *p = index;
        }
    }
}

void BlendRect(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour, int32_t alpha)
{
    const Rgb8 rgb = Rgb8Of565(colour);
    for (int32_t row = 0; row < h; ++row) {
        uint8_t* p = WorkAt(x, y + row);
        for (int32_t i = 0; i < w; ++i, p += MenuScreen.bytesPerPixel) {
            WritePixel(p, BlendPixel(ReadPixel(p), rgb, alpha));
        }
    }
}

void KeyedRow16(uint8_t* dst, const uint8_t* src, int32_t w, uint16_t key)
{
    for (int32_t i = 0; i < w; ++i, dst += 2, src += 2) {
        uint16_t pixel;
        std::memcpy(&pixel, src, 2);
        if (pixel != key) std::memcpy(dst, &pixel, 2);
    }
}

void KeyedRowWide(uint8_t* dst, const uint8_t* src, int32_t w)
{
    const uint32_t bytes = MenuScreen.bytesPerPixel;
    for (int32_t i = 0; i < w; ++i, dst += bytes, src += bytes) {
        const uint32_t pixel = ReadPixel(src);
        if (pixel != MenuScreen.keyColour) WritePixel(dst, pixel);
    }
}

void CopyRows(uint8_t* dst, int32_t dstPitch, const uint8_t* src, int32_t srcPitch, int32_t w,
              int32_t h)
{
    const int32_t rowBytes = w * static_cast<int32_t>(MenuScreen.bytesPerPixel);
    BlockCopy(h, dstPitch - rowBytes, srcPitch - rowBytes, rowBytes, src, dst);
}

// Back and forth between 5-6-5 fields and percentages, truncating both ways.
struct Percent3 {
    int32_t r;
    int32_t g;
    int32_t b;
};

Percent3 PercentOf(uint16_t colour)
{
    return {(colour >> 11) * 101 / 32, ((colour >> 5) & 63) * 101 / 64, (colour & 31) * 101 / 32};
}

uint16_t ColourOfPercent(const Percent3& p)
{
    return static_cast<uint16_t>((p.r * 32 / 101) << 11 | (p.g * 64 / 101) << 5 | p.b * 32 / 101);
}

uint16_t ShiftedColour(const Percent3& p, int32_t delta)
{
    const auto clamp = [delta](int32_t v) { return std::clamp(v + delta, 0, 100); };
    return ColourOfPercent({clamp(p.r), clamp(p.g), clamp(p.b)});
}

using RectPainter = void (*)(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour);

void SolidPainter(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour)
{
    FillMenuRect(x, y, w, h, colour);
}

void HalfPainter(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour)
{
    DrawTranslucentRect(x, y, w, h, colour, ALPHA_HALF);
}

// Light left and top edges, dark bottom and right edges, the face in the draw colour.
void BevelWithColours(int32_t x, int32_t y, int32_t w, int32_t h, RectPainter paint)
{
    const uint16_t colour = MenuAttr.drawColour;
    const Percent3 percent = PercentOf(colour);
    const uint16_t light = ShiftedColour(percent, BUTTON_SHADE_STEP);
    const uint16_t dark = ShiftedColour(percent, -BUTTON_SHADE_STEP);
    const int32_t b = BUTTON_BEVEL;
    paint(x, y, b, h, light);
    paint(x, y + h - b, w, b, dark);
    paint(x + w - b, y, b, h, dark);
    paint(x, y, w, b, light);
    paint(x + b, y + b, w - 2 * b, h - 2 * b, colour);
}

// A dark colour has no lighter shade worth showing: the bevel is made with alpha instead.
void BevelWithAlpha(int32_t x, int32_t y, int32_t w, int32_t h)
{
    const uint16_t colour = MenuAttr.drawColour;
    const int32_t b = BUTTON_BEVEL;
    DrawTranslucentRect(x + b, y, w - b, b, colour, ALPHA_BEVEL_LIGHT);
    DrawTranslucentRect(x, y, b, h - b, colour, ALPHA_BEVEL_LIGHT);
    DrawTranslucentRect(x, y + h - b, w - b, b, colour, ALPHA_BEVEL_DARK);
    DrawTranslucentRect(x + w - b, y + b, b, h - b, colour, ALPHA_BEVEL_DARK);
    DrawTranslucentRect(x + b, y + b, w - 2 * b, h - 2 * b, colour, ALPHA_HALF);
}

constexpr int32_t GLYPH_LEVELS = 7;  // coverage in the 8-bit mode: 0 (nothing) to 6 (full)

void GlyphBlend(int32_t x, int32_t y, int32_t advance, int32_t height, const uint8_t* pixels,
                int32_t skip, uint16_t colour)
{
    const Rgb8 rgb = Rgb8Of565(colour);
    const uint32_t full = MenuScreenColour(colour);
    const uint32_t bytes = MenuScreen.bytesPerPixel;
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* src = pixels + static_cast<size_t>(row) * (advance + skip) * 3;
        uint8_t* dst = WorkAt(x, y + row);
        for (int32_t i = 0; i < advance; ++i, src += 3, dst += bytes) {
            const uint8_t coverage = *src;
            if (coverage == 255) {
                WritePixel(dst, full);
            } else if (coverage != 0) {
                WritePixel(dst, BlendPixel(ReadPixel(dst), rgb, coverage));
            }
        }
    }
}

void GlyphLevels(int32_t x, int32_t y, int32_t advance, int32_t height, const uint8_t* pixels,
                 int32_t skip, uint16_t colour)
{
    const Percent3 percent = PercentOf(colour);
    uint8_t indices[GLYPH_LEVELS];
    for (int32_t k = 1; k < GLYPH_LEVELS; ++k) {
        const int32_t last = GLYPH_LEVELS - 1;
        indices[k] = ColConvRGB565To8(
            ColourOfPercent({percent.r * k / last, percent.g * k / last, percent.b * k / last}));
    }
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* src = pixels + static_cast<size_t>(row) * (advance + skip) * 3;
        uint8_t* dst = WorkAt(x, y + row);
        for (int32_t i = 0; i < advance; ++i, src += 3, ++dst) {
            const int32_t level = *src * GLYPH_LEVELS / 256;
            if (level != 0) *dst = indices[level];
        }
    }
}

uint16_t GreyOfPercent(int32_t p) { return ColourOfPercent({p, p, p}); }

// The row pair of wipe step k: even rows walk down from the top, odd rows up from the bottom.
template <typename RowFn>
void WipeRows(RowFn row)
{
    const int32_t steps = (MenuScreen.height + 1) / 2;
    for (int32_t k = 0; k < steps; ++k) {
        row(2 * k);
        row(MenuScreen.height - 1 - 2 * k);
        if ((k + 1) % MENU_WIPE_STEPS_PER_TICK == 0) {
            WaitMenuTick();
            Poll();
        }
    }
    Poll();
}

}  // namespace

void MenuPcInit()
{
    if (!IsGraphicMode()) FatalError("Error: MenuPcInit(): no graphics mode\n");
    s_menupc = {};
    MenuScreen = {};
    MenuAttr = {};
    MenuScreen.width = static_cast<int32_t>(ScreenWidth());
    MenuScreen.height = static_cast<int32_t>(ScreenHeight());
    MenuScreen.scale = 1;
    MenuScreen.is256 = GfxGraphicMode() == GFX_MODE_8BIT ? 1 : 0;
    MenuScreen.bytesPerPixel = MenuScreen.is256 ? 1 : GfxBytesPerPixel();
    ColFmt& source = MenuScreen.sourceFormat;
    Mask2ColComponent(0xF800, &source.comp[COL_RED]);
    Mask2ColComponent(0x07E0, &source.comp[COL_GREEN]);
    Mask2ColComponent(0x001F, &source.comp[COL_BLUE]);
    source.allBitsMask = 0xFFFF;
    source.bytesPerPixel = 2;
    source.bitsPerPixel = 16;
    if (!MenuScreen.is256) MenuScreen.screenFormat = GfxScreenFormat();
    MenuScreen.keyColour = MenuScreen.is256 ? 0 : MenuScreenColour(MENU_KEY_565);
    MenuAttr.drawColour = MENU_KEY_565;
}

void MenuPcUninit()
{
    FreeMenuScreens();
    for (ShadeTable*& table : s_menupc.shade) {
        if (table != nullptr) FreeMemory(&table);
    }
}

void AllocMenuScreens()
{
    const auto size = static_cast<uint32_t>(Offset(0, MenuScreen.height));
    AllocateMemory(&MenuScreen.workScreen, size, MEM_TYPE_GAME);
    AllocateMemory(&MenuScreen.backBuffer, size, MEM_TYPE_GAME);
    MenuScreen.changeCount = 0;
}

void FreeMenuScreens()
{
    if (MenuScreen.workScreen != nullptr) FreeMemory(&MenuScreen.workScreen);
    if (MenuScreen.backBuffer != nullptr) FreeMemory(&MenuScreen.backBuffer);
}

uint32_t MenuScreenColour(uint16_t colour)
{
    if (MenuScreen.is256) return ColConvRGB565To8(colour);
    return ColConvPixel(colour, MenuScreen.sourceFormat, MenuScreen.screenFormat);
}

void MarkChangedRect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (x <= 0 && y <= 0 && x + w >= MenuScreen.width && y + h >= MenuScreen.height) {
        MenuScreen.changeCount = MENU_MAX_CHANGES;
        return;
    }
    if (MenuScreen.changeCount >= MENU_MAX_CHANGES) return;
    for (int32_t i = 0; i < MenuScreen.changeCount; ++i) {
        const MenuRect& listed = MenuScreen.changes[i];
        if (listed.x == x && listed.y == y && listed.w >= w && listed.h >= h) return;
    }
    MenuScreen.changes[MenuScreen.changeCount++] = {x, y, w, h};
}

void PutMenuPixel(int32_t x, int32_t y, uint16_t colour)
{
    if (!PointFits(x, y)) return;
    WritePixel(WorkAt(x, y), MenuScreenColour(colour));
    MarkChangedRect(x, y, 1, 1);
}

void FillMenuRect(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour)
{
    if (!RectFits(x, y, w, h)) return;
    FillRows(WorkAt(x, y), w, h, MenuScreenColour(colour));
    MarkChangedRect(x, y, w, h);
}

void DrawMenuLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t colour)
{
    if (!PointFits(x1, y1) || !PointFits(x2, y2)) return;
    const uint32_t pixel = MenuScreenColour(colour);
    const int32_t dx = std::abs(x2 - x1);
    const int32_t dy = -std::abs(y2 - y1);
    const int32_t sx = x1 < x2 ? 1 : -1;
    const int32_t sy = y1 < y2 ? 1 : -1;
    int32_t error = dx + dy;
    for (int32_t x = x1, y = y1;;) {
        WritePixel(WorkAt(x, y), pixel);
        if (x == x2 && y == y2) break;
        const int32_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
    MarkChangedRect(std::min(x1, x2), std::min(y1, y2), dx + 1, -dy + 1);
}

void DrawGlyph(int32_t x, int32_t y, int32_t advance, int32_t height, const uint8_t* pixels,
               int32_t skip)
{
    if (!RectFits(x, y, advance, height)) return;
    const int32_t attribute = MenuAttr.fontColour;
    if (attribute < 0 || attribute >= MENU_FONT_COLOURS)
        FatalError("Error: DrawGlyph(): bad font colour %d\n", attribute);
    const uint16_t colour = MENU_FONT_COLOUR_VALUES[attribute];
    if (MenuScreen.is256) {
        GlyphLevels(x, y, advance, height, pixels, skip, colour);
    } else {
        GlyphBlend(x, y, advance, height, pixels, skip, colour);
    }
    MarkChangedRect(x, y, advance, height);
}

void DrawTranslucentRect(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour, int32_t alpha)
{
    if (!RectFits(x, y, w, h)) return;
    if (MenuScreen.is256) {
        DitherRect(x, y, w, h, colour, alpha);
    } else if (MenuScreen.bytesPerPixel == 2) {
        ShadeRect(x, y, w, h, colour, alpha);
    } else {
        BlendRect(x, y, w, h, colour, alpha);
    }
    MarkChangedRect(x, y, w, h);
}

void DrawKeyedImage(int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* pixels, int32_t skip)
{
    if (!RectFits(x, y, w, h)) return;
    const uint32_t bytes = MenuScreen.bytesPerPixel;
    const size_t srcPitch = static_cast<size_t>(w + skip) * bytes;
    if (s_menupc.watcher != nullptr) TellImage(x, y, w, h, pixels, srcPitch);
    if (bytes == 1) {
        BlockCopyTrans(h, MenuScreen.width - w, skip, w, pixels, WorkAt(x, y));
    } else {
        for (int32_t row = 0; row < h; ++row) {
            const uint8_t* src = pixels + row * srcPitch;
            if (bytes == 2) {
                KeyedRow16(WorkAt(x, y + row), src, w, static_cast<uint16_t>(MenuScreen.keyColour));
            } else {
                KeyedRowWide(WorkAt(x, y + row), src, w);
            }
        }
    }
    MarkChangedRect(x, y, w, h);
}

void SaveScreenRect(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t* buffer)
{
    if (!RectFits(x, y, w, h)) return;
    TellMenuDrawWatcher({MENU_DRAWN_SAVED, {x, y, w, h}, nullptr, 0});
    CopyRows(buffer, w * static_cast<int32_t>(MenuScreen.bytesPerPixel), WorkAt(x, y), Pitch(), w,
             h);
}

void PutScreenRect(int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* buffer)
{
    if (!RectFits(x, y, w, h)) return;
    TellMenuDrawWatcher({MENU_DRAWN_PICTURE, {x, y, w, h}, nullptr, 0});
    CopyRows(WorkAt(x, y), Pitch(), buffer, w * static_cast<int32_t>(MenuScreen.bytesPerPixel), w,
             h);
    MarkChangedRect(x, y, w, h);
}

void RestoreFromBackBuffer(int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (!RectFits(x, y, w, h)) return;
    TellMenuDrawWatcher({MENU_DRAWN_CLEANED, {x, y, w, h}, nullptr, 0});
    CopyRows(WorkAt(x, y), Pitch(), MenuScreen.backBuffer + Offset(x, y), Pitch(), w, h);
    MarkChangedRect(x, y, w, h);
}

void DrawAlignedBar(int32_t x, int32_t y, int32_t w, int32_t h, int32_t alignment)
{
    const int32_t scale = MenuScreen.scale;
    AlignPoint(&x, &y, w, h, alignment);
    RestoreFromBackBuffer(x * scale, y * scale, w * scale, h * scale);
}

void CopyBackBuffer()
{
    TellMenuDrawWatcher({MENU_DRAWN_KEPT, {0, 0, MenuScreen.width, MenuScreen.height}, nullptr, 0});
    std::memcpy(MenuScreen.backBuffer, MenuScreen.workScreen, Offset(0, MenuScreen.height));
}

void PresentMenuScreen()
{
    if (MenuScreen.presented) {
        PresentChangedRects();
        return;
    }
    ScreenWipeIn();
    MenuScreen.presented = 1;
}

void PresentChangedRects()
{
    const bool wasIdle = WinWasIdle();  // asked every time, so a stale answer never lingers
    if (MenuScreen.changeCount >= MENU_MAX_CHANGES || wasIdle) {
        const BlockBuffer buffer = WorkBuffer();
        GfxCopyToSurface(&buffer);
    } else {
        for (int32_t i = 0; i < MenuScreen.changeCount; ++i) {
            const MenuRect& r = MenuScreen.changes[i];
            GfxPutBlock(WorkAt(r.x, r.y), r.x, r.y, r.w, r.h, Pitch());
        }
    }
    MenuScreen.changeCount = 0;
}

void ScreenWipeIn()
{
    const BlockBuffer buffer = WorkBuffer();
    WipeRows([&buffer](int32_t row) {
        GfxCopyRectToSurface(&buffer, 0, row, MenuScreen.width, 1, 0, row);
    });
    MenuScreen.changeCount = 0;
}

void ScreenWipeOut()
{
    WipeRows([](int32_t row) { GfxFillRect(0, row, MenuScreen.width, 1, 0); });
}

void SetMenuDrawWatcher(MenuDrawWatcher watcher) { s_menupc.watcher = watcher; }

void TellMenuDrawWatcher(const MenuDrawn& drawn)
{
    if (s_menupc.watcher != nullptr) s_menupc.watcher(drawn);
}

void SetDrawAttribute(int32_t n, int32_t value)
{
    switch (n) {
        case 1: MenuAttr.fontColour = static_cast<int16_t>(value); break;
        case 2: MenuAttr.drawColour = static_cast<uint16_t>(value); break;
        case 3: MenuAttr.numberType = value; break;
        case 4: MenuAttr.buttonStyle = value; break;
        default: break;
    }
}

void SetMenuFont(int32_t font) { MenuAttr.font = static_cast<int16_t>(font); }

void ResetDrawAttributes()
{
    KeyClearBuffer();
    MenuAttr.font = 0;
    MenuAttr.fontColour = 0;
    MenuAttr.drawColour = MENU_KEY_565;
}

const uint16_t* GetShadeTable(uint16_t colour, int32_t alpha)
{
    for (const ShadeTable* table : s_menupc.shade) {
        if (table != nullptr && table->colour == colour && table->alpha == alpha) return table->map;
    }
    return CreateMenuShadeRectangleCache(colour, alpha);
}

void DoShadedBox(int32_t x, int32_t y, int32_t w, int32_t h, int32_t percent)
{
    const int32_t scale = MenuScreen.scale;
    TellMenuDrawWatcher({MENU_DRAWN_BOX, {x * scale, y * scale, w * scale, h * scale}, nullptr, 0});
    DrawTranslucentRect(x * scale, y * scale, w * scale, h * scale, MenuAttr.drawColour,
                        percent * 255 / 100);
}

void DrawHLine(int32_t x, int32_t y, int32_t w, int32_t h)
{
    const int32_t scale = MenuScreen.scale;
    FillMenuRect(x * scale, y * scale, w * scale, h * scale, MenuAttr.drawColour);
}

void DrawBoxOutline(int32_t x, int32_t y, int32_t w, int32_t h)
{
    const int32_t scale = MenuScreen.scale;
    TellMenuDrawWatcher({MENU_DRAWN_BOX, {x * scale, y * scale, w * scale, h * scale}, nullptr, 0});
    DrawVLine(x, y, w, 0);
    DrawVLine(x, y + h, w, 0);
    DrawVLine(x, y, 0, h);
    DrawVLine(x + w, y, 0, h);
}

void DrawVLine(int32_t x, int32_t y, int32_t dx, int32_t dy)
{
    const int32_t scale = MenuScreen.scale;
    DrawMenuLine(x * scale, y * scale, (x + dx) * scale, (y + dy) * scale, MenuAttr.drawColour);
}

void PlotPoint(int32_t x, int32_t y)
{
    PutMenuPixel(x * MenuScreen.scale, y * MenuScreen.scale, MenuAttr.drawColour);
}

void DoButton(int32_t x, int32_t y, int32_t w, int32_t h)
{
    const int32_t scale = MenuScreen.scale;
    x *= scale;
    y *= scale;
    w *= scale;
    h *= scale;
    TellMenuDrawWatcher({MENU_DRAWN_BOX, {x, y, w, h}, nullptr, 0});
    if (MenuAttr.buttonStyle == 0) {
        BevelWithColours(x, y, w, h, SolidPainter);
    } else if (MenuAttr.buttonStyle == 1) {
        const Percent3 p = PercentOf(MenuAttr.drawColour);
        if (p.r + p.g + p.b > DARK_BUTTON_PERCENT) {
            BevelWithColours(x, y, w, h, HalfPainter);
        } else {
            BevelWithAlpha(x, y, w, h);
        }
    } else {
        FatalAbort("menus\\menupc", __LINE__, "DoButton(): unknown button type");
    }
}

void DoGradientBar(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t tint, int32_t direction)
{
    const int32_t scale = MenuScreen.scale;
    const bool vertical = direction <= 1;
    const bool rising = direction == 0 || direction == 2;
    const int32_t lines = vertical ? w : h;
    const float step = lines > 0 ? 100.0f / static_cast<float>(lines) : 0.0f;
    float value = rising ? 0.0f : 100.0f;
    for (int32_t i = 0; i < lines; ++i) {
        const auto p = static_cast<int32_t>(value);
        if (vertical) {
            FillMenuRect((x + i) * scale, y * scale, scale, h * scale, GreyOfPercent(p));
        } else {
            FillMenuRect(x * scale, (y + i) * scale, w * scale, scale, GreyOfPercent(p));
        }
        if (rising ? p >= 100 : p <= 0) break;
        value += rising ? step : -step;
    }
    MenuAttr.drawColour = tint;
    DrawTranslucentRect(x * scale, y * scale, std::max(w, 0) * scale, std::max(h, 0) * scale, tint,
                        ALPHA_HALF);
}

void AlignPoint(int32_t* x, int32_t* y, int32_t w, int32_t h, int32_t alignment)
{
    switch (alignment & 3) {
        case 2: *x -= w / 2; break;
        case 3: *x -= w; break;
        default: break;
    }
    switch (alignment & 12) {
        case 8: *y -= h / 2; break;
        case 12: *y -= h; break;
        default: break;
    }
}
