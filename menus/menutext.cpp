// menus/menutext.cpp: the three menu fonts, measuring and drawing text with inline icons, and
// word-wrapped text boxes.
#include "menus/menutext.h"

#include <algorithm>
#include <cstring>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/timer.h"
#include "game/textmess.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/numbers.h"

namespace {

constexpr const char* FONT_NAMES[MENU_FONT_COUNT] = {"fnt12", "fnt16", "fnt24"};
constexpr int32_t INLINE_ICONS[MENU_INLINE_ICON_CODES] = {2,    1219, 1220, 1221, 1222, 1223, 1224,
                                                          1225, 3,    3,    3,    3,    3};
constexpr int32_t GLYPH_BYTES_PER_PIXEL = 3;

struct MenuFont {
    int16_t cellWidth;
    int16_t cellHeight;
    uint8_t* pixels;  // the whole ".gfx" file; purgeable
    uint8_t* widths;  // the whole ".wid" file; purgeable
};

constexpr size_t FITTED_TEXT_BYTES = 256;
constexpr int32_t LABEL_MARGIN = 2;  // each side of a button's label
constexpr int32_t SMALL_FONT = 0;

struct MenuTextState {
    MenuFont fonts[MENU_FONT_COUNT];
    char fitted[FITTED_TEXT_BYTES];  // FitMenuText's cut copy
};

MenuTextState s_text;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The icon of an inline code at `text` ("$" and two digits, 00-12), or 0.
int32_t InlineIconAt(const char* text)
{
    if (text[0] != '$' || !IsDigit(text[1]) || !IsDigit(text[2])) return 0;
    const int32_t code = (text[1] - '0') * 10 + (text[2] - '0');
    return code < MENU_INLINE_ICON_CODES ? INLINE_ICONS[code] : 0;
}

// The current font, present. Called again after anything that may allocate (an icon load can
// purge a font), so no glyph is read from a block the memory manager has freed.
const MenuFont& CurrentFont()
{
    LoadFont(MenuAttr.font);
    return s_text.fonts[MenuAttr.font];
}

[[noreturn]] void BadFontFile() { FatalError("Error: LoadFont(): Bad font file\n"); }

void LoadPixelFile(int32_t font)
{
    MenuFont& f = s_text.fonts[font];
    const int32_t size = PakLoadFile(MakeFileName("menugfx", FONT_NAMES[font], "gfx"), &f.pixels);
    if (size < PICTURE_HEADER_BYTES || std::memcmp(f.pixels, "GFX0", 4) != 0) BadFontFile();
    std::memcpy(&f.cellWidth, f.pixels + 4, 2);
    std::memcpy(&f.cellHeight, f.pixels + 6, 2);
    const int64_t cells = int64_t{MENU_GLYPHS} * f.cellWidth * f.cellHeight * GLYPH_BYTES_PER_PIXEL;
    if (f.cellWidth <= 0 || f.cellHeight <= 0 || size < PICTURE_HEADER_BYTES + cells) BadFontFile();
}

void LoadWidthFile(int32_t font)
{
    MenuFont& f = s_text.fonts[font];
    const int32_t size = PakLoadFile(MakeFileName("menugfx", FONT_NAMES[font], "wid"), &f.widths);
    if (size < MENU_GLYPHS) BadFontFile();
    for (int32_t g = 0; g < MENU_GLYPHS; ++g) {
        if (f.widths[g] > f.cellWidth) BadFontFile();
    }
}

const uint8_t* GlyphPixels(const MenuFont& font, unsigned char c)
{
    return font.pixels + PICTURE_HEADER_BYTES
           + static_cast<size_t>(c) * font.cellWidth * font.cellHeight * GLYPH_BYTES_PER_PIXEL;
}

int32_t ScaledWidth(const char* text)
{
    int32_t w, h;
    MeasureMenuText(text, &w, &h);
    return w / MenuScreen.scale;
}

}  // namespace

void MenuTextInit() { s_text = {}; }

void MenuTextUninit()
{
    for (MenuFont& font : s_text.fonts) {
        if (font.pixels != nullptr) FreeMemory(&font.pixels);
        if (font.widths != nullptr) FreeMemory(&font.widths);
    }
}

void LoadFont(int32_t font)
{
    if (font < 0 || font >= MENU_FONT_COUNT)
        FatalError("Error: LoadFont(): bad font number %d\n", font);
    MenuFont& f = s_text.fonts[font];
    // Ordinary while the other file loads, so loading one cannot purge the other.
    if (f.pixels != nullptr) SetMemType(&f.pixels, MEM_TYPE_FILE);
    if (f.widths != nullptr) SetMemType(&f.widths, MEM_TYPE_FILE);
    if (f.pixels == nullptr) LoadPixelFile(font);
    if (f.widths == nullptr) LoadWidthFile(font);
    for (uint8_t** block : {&f.pixels, &f.widths}) {
        SetMemPriority(block, TickCount.load());
        SetMemType(block, MEM_TYPE_PURGEABLE);
    }
}

void MeasureMenuText(const char* text, int32_t* width, int32_t* height)
{
    int32_t w = 0;
    for (const char* p = text; *p != '\0';) {
        if (const int32_t icon = InlineIconAt(p)) {
            int32_t iconW, iconH;
            w += GetScaledIconSize(icon, &iconW, &iconH);
            p += 3;
        } else {
            w += CurrentFont().widths[static_cast<unsigned char>(*p)];
            ++p;
        }
    }
    *width = w;
    *height = CurrentFont().cellHeight;
}

int32_t GetTextExtent(const char* text, int32_t* width, int32_t* height)
{
    MeasureMenuText(text, width, height);
    *width /= MenuScreen.scale;
    *height /= MenuScreen.scale;
    return *width;
}

void GetCharExtent(char c, int32_t* width, int32_t* height)
{
    const char text[2] = {c, '\0'};
    GetTextExtent(text, width, height);
}

void GetMessageExtent(int32_t textNo, int32_t* width, int32_t* height)
{
    GetTextExtent(GetMessageText(textNo), width, height);
}

void DrawMenuText(const char* text, int32_t x, int32_t y)
{
    const int32_t left = x;
    for (const char* p = text; *p != '\0';) {
        if (const int32_t icon = InlineIconAt(p)) {
            int32_t iconW, iconH;
            GetScaledIconSize(icon, &iconW, &iconH);
            DoIcon(x / MenuScreen.scale, y / MenuScreen.scale, icon, MENU_ALIGN_TL);
            x += iconW * MenuScreen.scale;
            p += 3;
            continue;
        }
        const MenuFont& font = CurrentFont();
        const auto c = static_cast<unsigned char>(*p);
        const int32_t advance = font.widths[c];
        DrawGlyph(x, y, advance, font.cellHeight, GlyphPixels(font, c), font.cellWidth - advance);
        x += advance;
        ++p;
    }
    const int16_t height = s_text.fonts[MenuAttr.font].cellHeight;  // kept while purged
    TellMenuDrawWatcher({MENU_DRAWN_TEXT, {left, y, x - left, height}, text, MenuAttr.font});
}

void DrawMenuString(int32_t x, int32_t y, const char* text, int32_t alignment)
{
    int32_t w, h;
    GetTextExtent(text, &w, &h);
    AlignPoint(&x, &y, w, h, alignment);
    DrawMenuText(text, x * MenuScreen.scale, y * MenuScreen.scale);
}

const char* FitMenuText(const char* text, int32_t maxWidth)
{
    int32_t w, h;
    if (GetTextExtent(text, &w, &h) <= maxWidth) return text;
    char* fitted = s_text.fitted;
    size_t length = std::min(std::strlen(text), FITTED_TEXT_BYTES - 2);
    do {
        std::memcpy(fitted, text, length);
        fitted[length] = '.';
        fitted[length + 1] = '\0';
    } while (length-- > 0 && GetTextExtent(fitted, &w, &h) > maxWidth);
    return fitted;
}

int32_t FitMenuFont(const char* text, int32_t room, int32_t font, int32_t smallestFont)
{
    int32_t w, h;
    for (; font > smallestFont; --font) {
        SetMenuFont(font);
        if (GetTextExtent(text, &w, &h) <= room) return font;
    }
    SetMenuFont(smallestFont);
    return smallestFont;
}

int32_t FitMenuTextInPlace(char* text, size_t size, int32_t room, int32_t font,
                           int32_t smallestFont)
{
    const int32_t fitted = FitMenuFont(text, room, font, smallestFont);
    const char* cut = FitMenuText(text, room);
    if (cut != text && size > 0) {
        std::strncpy(text, cut, size - 1);
        text[size - 1] = '\0';
    }
    return fitted;
}

void DrawMenuStringInRoom(int32_t x, int32_t y, const char* text, int32_t alignment, int32_t room,
                          int32_t font, int32_t smallestFont)
{
    FitMenuFont(text, room, font, smallestFont);
    DrawMenuString(x, y, FitMenuText(text, room), alignment);
}

// Whether the text, one word to a line, fits `room` pixels wide and `height` high.
bool WordsFitOnLines(const char* text, int32_t room, int32_t height)
{
    int32_t w = 0, pitch = 0, lines = 0;
    GetTextExtent(" ", &w, &pitch);
    char word[FITTED_TEXT_BYTES];
    for (const char* start = text; *start != '\0';) {
        const size_t length = std::min(std::strcspn(start, " "), sizeof word - 1);
        std::memcpy(word, start, length);
        word[length] = '\0';
        if (GetTextExtent(word, &w, &pitch) > room) return false;
        ++lines;
        start += std::strcspn(start, " ");
        start += std::strspn(start, " ");
    }
    return lines * pitch <= height;
}

void DrawMenuLabel(int32_t x, int32_t y, int32_t w, int32_t h, const char* text)
{
    const int16_t font = MenuAttr.font;
    const int32_t room = w - 2 * LABEL_MARGIN;
    int32_t textW = 0, textH = 0;
    if (GetTextExtent(text, &textW, &textH) > room) SetMenuFont(SMALL_FONT);
    if (GetTextExtent(text, &textW, &textH) > room && WordsFitOnLines(text, room, h))
        DoTextBox(x + LABEL_MARGIN, y, text, MENU_ALIGN_CENTRE, room, h);
    else
        DrawMenuString(x + w / 2, y + h / 2, FitMenuText(text, room), MENU_ALIGN_CENTRE);
    SetMenuFont(font);
}

void DrawMenuNumber(int32_t x, int32_t y, int32_t value, int32_t alignment)
{
    DrawMenuString(x, y, Number2Str(value), alignment);
}

void DrawMenuMessage(int32_t x, int32_t y, int32_t textNo, int32_t alignment)
{
    DrawMenuString(x, y, GetMessageText(textNo), alignment);
}

void DrawMenuChar(int32_t x, int32_t y, char c, int32_t alignment)
{
    const char text[2] = {c, '\0'};
    DrawMenuString(x, y, text, alignment);
}

int32_t XDoTextAddr(char* text, char* lines[MENU_TEXT_BOX_LINES], int32_t width)
{
    lines[0] = text;
    for (int32_t n = 0;; ++n) {
        char* line = lines[n];
        // An empty line ends the text, whether the text ends or a line feed follows at once.
        if (*line == '\0' || *line == '\n') return n;
        if (n == MENU_TEXT_MAX_LINES) {
            DebugPrintf(DBG_GRAPHICS, 0,
                        "Warning: XDoTextAddr(): text cut after %d lines of its box\n", n);
            return n;
        }
        if (char* feed = std::strchr(line, '\n')) *feed = '\0';
        char* cut = nullptr;
        while (ScaledWidth(line) > width) {
            char* space = std::strrchr(line, ' ');
            if (space == nullptr)
                FatalAbort("menus\\machine", __LINE__, "XDoTextAddr(): word too long for text box");
            if (cut != nullptr) *cut = ' ';
            *space = '\0';
            cut = space;
        }
        // The next line starts after this one's terminator: the cut, the line feed, or the text's
        // end (hence the extra NUL the caller provides).
        lines[n + 1] = line + std::strlen(line) + 1;
    }
}

void DoTextBox(int32_t x, int32_t y, const char* text, int32_t alignment, int32_t w, int32_t h)
{
    const auto length = static_cast<uint32_t>(std::strlen(text));
    char* copy = nullptr;
    AllocateMemory(&copy, length + 2, MEM_TYPE_GAME);  // zeroed: the wrap's extra terminator
    std::memcpy(copy, text, length);
    char* lines[MENU_TEXT_BOX_LINES];
    const int32_t count = XDoTextAddr(copy, lines, w);
    int32_t spaceW, pitch;
    GetTextExtent(" ", &spaceW, &pitch);
    int32_t startX = x;
    if ((alignment & 3) == 2) startX = x + w / 2;
    if ((alignment & 3) == 3) startX = x + w;
    int32_t startY = y;
    if ((alignment & 12) == 8) startY = y + h / 2 - ((count - 1) * pitch) / 2;
    if ((alignment & 12) == 12) startY = y + h - (count - 1) * pitch;
    for (int32_t i = 0; i < count; ++i) {
        DrawMenuString(startX, startY + i * pitch, lines[i], alignment);
    }
    FreeMemory(&copy);
}
