// vx256/fontgame.h: the six match fonts, loaded on first use from "MISCGFX\FONTS" into blocks the
// memory manager may purge, and drawn into the game screen with colour 0 transparent.
#pragma once

#include <cstdint>

#include "viewservices/viewscreen.h"

constexpr int32_t FONT_COUNT = 6;  // fnt12w, fnt16w, fnt24w, fnt12y, fnt16y, fnt24y

// Anchor and align flags: horizontal part (flags & 3) 1 left, 2 centre, 3 right; vertical part
// (flags & 12) 4 top, 8 centre, 12 bottom. 0 in either part is fatal.
constexpr int32_t FONT_ALIGN_LEFT = 1;
constexpr int32_t FONT_ALIGN_TOP = 4;

struct FontItem {
    const char* name;
    const uint8_t* characterMap;  // null in every font: the character code is the glyph number
    int16_t glyphWidth;           // the cell, from the file's head
    int16_t glyphHeight;
    int32_t glyphCount;
    uint8_t* pixels;  // all cells; null while not loaded or once purged
    uint8_t* widths;  // the advance of each glyph; null likewise
    int32_t widthCount;
};

// Every font unloaded (blocks freed) and the current font back to 1.
void FONT_Init();
void FONT_Uninit();  // safe without Init and twice

// Makes sure both files of the font are in memory and refreshes their purge priority. Fatal:
// "FONT_Load():- Invalid font number" for 6 or more, "FONT_Load():- Invalid header" for a file
// that is not GFX0 or whose head does not fit it.
void FONT_Load(int32_t font);
// Loads the font and returns its record; 6 or more: fatal "FONT_GetItem(): Invalid font number".
const FontItem& FONT_GetItem(int32_t font);
uint32_t FONT_GetCurrentFont();  // its low byte is the font FONT_DisplayText uses
void FONT_SetCurrentFont(uint32_t font);

// The sum of the text's advances; characters are unsigned bytes and a code the font has no
// glyph for counts as '?'.
int32_t FONT_GetTextWidth(const char* text, int32_t font);
// Draws the text in the current font at view position (x, y) placed by the anchor flags and
// aligned by the align flags. An align part of 0: fatal "FONT_DisplayText(): invalid align type".
void FONT_DisplayText(int32_t x, int32_t y, int32_t anchor, const char* text, int32_t align);
// Draws the text in `font` with its top left at buffer position (x, y): no anchor, no margin.
void FONT_DisplayTextAt(int32_t x, int32_t y, const char* text, int32_t font);
// The same into another 8-bit buffer (the strip of player names).
void FONT_DisplayTextInto(const GameScreenRecord& target, int32_t x, int32_t y, const char* text,
                          int32_t font);
