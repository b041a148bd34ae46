// menus/menutext.h: the three menu fonts, measuring and drawing text with inline icons, and
// word-wrapped text boxes. Texts are Windows-1252 bytes; every byte indexes the glyphs unsigned.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t MENU_FONT_COUNT = 3;  // "fnt12", "fnt16", "fnt24"
constexpr int32_t MENU_GLYPHS = 256;
constexpr int32_t MENU_TEXT_BOX_LINES = 512;  // the line table of a text box
// A wrap stops after this many lines so the last table entry is never passed.
constexpr int32_t MENU_TEXT_MAX_LINES = MENU_TEXT_BOX_LINES - 1;
constexpr int32_t MENU_INLINE_ICON_CODES = 13;  // "$00" to "$12"; other codes are plain text

void MenuTextInit();    // forgets both blocks of every font
void MenuTextUninit();  // frees them; safe without MenuTextInit and twice

// Makes both files of font n present ("menugfx\<name>.gfx" and ".wid"), raising their purge
// priority. A pixel file without "GFX0" or shorter than its 256 cells, or a width file under 256
// bytes, is the fatal error "Error: LoadFont(): Bad font file\n".
void LoadFont(int32_t font);

// In the current font: the width of the text in pixels ("$" and two digits 00-12 count as their
// inline icon's scaled width) and the font's cell height.
void MeasureMenuText(const char* text, int32_t* width, int32_t* height);
int32_t GetTextExtent(const char* text, int32_t* width, int32_t* height);  // scaled; the width
void GetCharExtent(char c, int32_t* width, int32_t* height);
void GetMessageExtent(int32_t textNo, int32_t* width, int32_t* height);

// Draws the text top-left at (x, y) in screen pixels, in the font colour.
void DrawMenuText(const char* text, int32_t x, int32_t y);
// Measured, aligned at (x, y) by the alignment code (AlignPoint), drawn; menu coordinates.
void DrawMenuString(int32_t x, int32_t y, const char* text, int32_t alignment);
void DrawMenuNumber(int32_t x, int32_t y, int32_t value, int32_t alignment);  // Number2Str
void DrawMenuMessage(int32_t x, int32_t y, int32_t textNo, int32_t alignment);
void DrawMenuChar(int32_t x, int32_t y, char c, int32_t alignment);
// The text cut short, with a "." marking the cut, so that it takes at most `maxWidth` menu pixels
// in the current font: the text itself when it fits, else a copy kept until the next call (at
// least the mark, however narrow the room). For a column that a long name must not run out of.
const char* FitMenuText(const char* text, int32_t maxWidth);
// The largest of the fonts `font` down to `smallestFont` in which the text fits `room` menu
// pixels, or `smallestFont` when none does (the text is then cut short: FitMenuText). The font
// returned is current.
int32_t FitMenuFont(const char* text, int32_t room, int32_t font, int32_t smallestFont);
// The same for a text a table item draws from its variable: the font it takes (current), and the
// text cut short in place, within its `size` bytes, when even the smallest font is too wide.
int32_t FitMenuTextInPlace(char* text, size_t size, int32_t room, int32_t font,
                           int32_t smallestFont);
// Draws the text as DrawMenuString does, in the font FitMenuFont chooses, cut short if even the
// smallest is too wide; the font drawn with stays current. For a text the layout gives a room:
// a smaller font first, cutting only as the last resort.
void DrawMenuStringInRoom(int32_t x, int32_t y, const char* text, int32_t alignment, int32_t room,
                          int32_t font, int32_t smallestFont);
// A button's label centred in its w x h box, 2 pixels clear of each side: in the current font
// when it fits, else in font 0, a word to a line when it is still too wide and the box is tall
// enough, else cut short. The current font is kept.
void DrawMenuLabel(int32_t x, int32_t y, int32_t w, int32_t h, const char* text);

// Wraps the text into lines no wider than `width` (whole words, greedy; a line feed breaks; an
// empty line ends the text), cutting it in place: `text` must be followed by one more NUL.
// Fills lines[0 .. n] and returns n, at most MENU_TEXT_MAX_LINES (a longer text is cut there
// with one warning). A word wider than the width is the fatal abort "XDoTextAddr(): word too
// long for text box".
int32_t XDoTextAddr(char* text, char* lines[MENU_TEXT_BOX_LINES], int32_t width);
// The wrapped text in the box: lines aligned at the box's left, middle or right, block placed at
// its top, middle or bottom, one line pitch (the height of " ") apart.
void DoTextBox(int32_t x, int32_t y, const char* text, int32_t alignment, int32_t w, int32_t h);
