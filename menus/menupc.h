// menus/menupc.h: the menus' work screen, its clean back buffer and change list, the drawing
// attributes and the drawing primitives. Colours are 5-6-5 everywhere above this layer.
#pragma once

#include <cstdint>

#include "engine/colconv.h"

constexpr int32_t MENU_MAX_CHANGES = 128;  // a change count of 128 means the whole screen
constexpr int32_t MENU_SHADE_SLOTS = 16;
constexpr uint16_t MENU_KEY_565 = 0xF81F;  // transparent in every stored menu picture
constexpr int32_t MENU_WIPE_STEPS_PER_TICK = 8;

struct MenuRect {
    int32_t x;
    int32_t y;
    int32_t w;
    int32_t h;
};

// The display the menus draw for, read from the graphics layer's current mode by MenuPcInit.
struct MenuDisplay {
    int32_t width;
    int32_t height;
    int16_t scale;   // menu coordinates times this are screen pixels; always 1
    uint16_t is256;  // 1 in the 8-bit palettised mode (colours are cube indices)
    uint32_t bytesPerPixel;
    ColFmt sourceFormat;  // 5-6-5: every menu colour and stored picture
    ColFmt screenFormat;  // the display's, in hi-colour modes
    uint32_t keyColour;   // MENU_KEY_565 in the screen format; index 0 in the 8-bit mode
    uint8_t* workScreen;  // width x height x bytes per pixel: where all drawing happens
    uint8_t* backBuffer;  // the clean screen that drawings are erased back to
    MenuRect changes[MENU_MAX_CHANGES];
    int32_t changeCount;
    uint16_t presented;  // 0 after a new background, 1 once shown with the wipe
};
extern MenuDisplay MenuScreen;  // owned by MenuPc: read it here, change it through MenuPc

// The attributes every menu drawing call reads.
struct MenuAttributes {
    int16_t font;         // 0-2
    int16_t fontColour;   // index into the font colour table
    uint16_t drawColour;  // 5-6-5: lines, boxes, shaded boxes, buttons
    int32_t numberType;   // the form Number2Str writes
    int32_t buttonStyle;  // 0 solid, 1 translucent
};
extern MenuAttributes MenuAttr;
constexpr int32_t MENU_FONT_COLOURS = 18;
// The font colour attribute's colours, 5-6-5.
constexpr uint16_t MENU_FONT_COLOUR_VALUES[MENU_FONT_COLOURS] = {
    0xFFFF, 0xFFEF, 0x0000, 0x001F, 0xF800, 0xF81F, 0x07E0, 0x07FF, 0xFFE0, 0x4A69,
    0x9CD3, 0x4A69, 0xCFF9, 0xCE5F, 0xFE59, 0xFF39, 0xFB2C, 0x01DF};  // owned by MenuPc; set
                                                                      // through SetDrawAttribute
                                                                      // and SetMenuFont

// Resets the state, frees nothing that a previous run left (Uninit does), and reads the current
// graphics mode; no mode set is the fatal error "Error: MenuPcInit(): no graphics mode\n".
void MenuPcInit();
// Frees both screens and every shade table; safe without MenuPcInit and twice.
void MenuPcUninit();

// Both buffers, width x height x bytes per pixel each; allocating empties the change list.
void AllocMenuScreens();
void FreeMenuScreens();

// Every primitive below takes screen pixels and draws a shape whole or not at all: a rectangle
// with w or h 0, a negative corner or an edge past the screen, a pixel or a line end off screen,
// draws nothing and records nothing. What is drawn is recorded in the change list.
void MarkChangedRect(int32_t x, int32_t y, int32_t w, int32_t h);
void PutMenuPixel(int32_t x, int32_t y, uint16_t colour);
void FillMenuRect(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour);
void DrawMenuLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t colour);
// One glyph cell's left `advance` columns in the font colour: 3 bytes per pixel of which the
// first is the coverage, rows of advance + `skip` pixels. Hi-colour modes blend by coverage;
// the 8-bit mode writes the colour darkened to one of six levels and never blends.
void DrawGlyph(int32_t x, int32_t y, int32_t advance, int32_t height, const uint8_t* pixels,
               int32_t skip);
// Blends towards the colour by alpha 0-255; the 8-bit mode dithers instead of blending.
void DrawTranslucentRect(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour,
                         int32_t alpha);
// Pixels in the screen format, rows of w pixels plus `skip` pixels; key-colour pixels are left.
void DrawKeyedImage(int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* pixels,
                    int32_t skip);
// The caller's buffer holds w x h x bytes per pixel.
void SaveScreenRect(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t* buffer);
void PutScreenRect(int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* buffer);
void RestoreFromBackBuffer(int32_t x, int32_t y, int32_t w, int32_t h);
// The rectangle aligned by the alignment code (AlignPoint), restored from the back buffer.
void DrawAlignedBar(int32_t x, int32_t y, int32_t w, int32_t h, int32_t alignment);
void CopyBackBuffer();  // the composed screen becomes the clean screen

// The first presentation after a new background wipes the screen in; later ones copy the
// changed rectangles.
void PresentMenuScreen();
// The whole screen when the list is full or the program was idle, else each listed rectangle;
// the list is empty afterwards.
void PresentChangedRects();
// Rows in two walks that cross in the middle, MENU_WIPE_STEPS_PER_TICK steps per tick wait.
void ScreenWipeIn();
void ScreenWipeOut();

// n 1 font colour, 2 draw colour, 3 number type, 4 button style; any other n changes nothing.
void SetDrawAttribute(int32_t n, int32_t value);
void SetMenuFont(int32_t font);
void ResetDrawAttributes();  // clears the key buffer; font 0, font colour 0, draw colour 0xF81F

// The 65,536-entry table that maps a 16-bit screen pixel to its blend towards `colour` by
// `alpha`, built on first use into one of 16 purgeable slots (the oldest-built is rebuilt when
// all are taken). Outside a 16-bit screen format: fatal abort.
const uint16_t* GetShadeTable(uint16_t colour, int32_t alpha);

// Menu-level calls: menu coordinates, scaled here, drawn in the draw colour.
void DoShadedBox(int32_t x, int32_t y, int32_t w, int32_t h, int32_t percent);
void DrawHLine(int32_t x, int32_t y, int32_t w, int32_t h);
void DrawBoxOutline(int32_t x, int32_t y, int32_t w, int32_t h);
void DrawVLine(int32_t x, int32_t y, int32_t dx, int32_t dy);
void PlotPoint(int32_t x, int32_t y);
// A bevelled button in the button style; another style is a fatal abort.
void DoButton(int32_t x, int32_t y, int32_t w, int32_t h);
// Grey lines stepping from black to white (direction 0 left to right, 1 right to left, 2 top
// to bottom, 3 bottom to top), then the tint over the whole bar at half strength; the draw
// colour becomes the tint.
void DoGradientBar(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t tint, int32_t direction);

// What the drawing layer does to the work screen, told to a watcher while one is set, for the
// tests that follow which texts stand where and inside which box. Rectangles in screen pixels.
enum MenuDrawnKind : uint8_t {
    MENU_DRAWN_TEXT,     // a text drawn (DrawMenuText): `text` in `font`, its whole advance
    MENU_DRAWN_BOX,      // a shaded box, a box outline or a button drawn
    MENU_DRAWN_IMAGE,    // a keyed image drawn (an icon, the pointer): where its pixels show
    MENU_DRAWN_SAVED,    // the rectangle saved, to be drawn over (a pointer, a box, a list)
    MENU_DRAWN_PICTURE,  // a picture put over the rectangle (a background, a saved rectangle)
    MENU_DRAWN_CLEANED,  // the rectangle put back from the clean screen
    MENU_DRAWN_KEPT,     // the whole work screen became the clean screen
};
struct MenuDrawn {
    MenuDrawnKind kind;
    MenuRect rect;
    const char* text;  // MENU_DRAWN_TEXT only
    int32_t font;
};
using MenuDrawWatcher = void (*)(const MenuDrawn& drawn);
void SetMenuDrawWatcher(MenuDrawWatcher watcher);  // null, as MenuPcInit leaves it: none
void TellMenuDrawWatcher(const MenuDrawn& drawn);  // nothing without a watcher

// The alignment code: bits 0-1 horizontal (0 or 1 left, 2 centre, 3 right), bits 2-3 vertical
// (0 or 4 top, 8 centre, 12 bottom). Moves the anchor so a w x h thing drawn top-left there is
// aligned at the given point; halves truncate toward zero.
// The family: T, M, B top, middle, bottom; L, C, R left, centre, right.
constexpr int32_t MENU_ALIGN_TL = 5;
constexpr int32_t MENU_ALIGN_TC = 6;
constexpr int32_t MENU_ALIGN_TR = 7;
constexpr int32_t MENU_ALIGN_ML = 9;
constexpr int32_t MENU_ALIGN_CENTRE = 10;
constexpr int32_t MENU_ALIGN_MR = 11;
constexpr int32_t MENU_ALIGN_BL = 13;
constexpr int32_t MENU_ALIGN_BC = 14;
constexpr int32_t MENU_ALIGN_BR = 15;
void AlignPoint(int32_t* x, int32_t* y, int32_t w, int32_t h, int32_t alignment);

// The icons every screen shares: the OK tick that confirms or leaves, and the paging arrows.
constexpr int32_t MENU_ICON_ARROWS = 1205;
constexpr int32_t MENU_ICON_OK = 1206;

// The screen-format pixel of a 5-6-5 colour (a cube index in the 8-bit mode).
uint32_t MenuScreenColour(uint16_t colour);
