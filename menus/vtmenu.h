// menus/vtmenu.h: the immediate-mode menu interface with two back ends: environment 0 draws with
// the front end's drawing layer, environment 1 forwards every call to the in-match menu back
// end that the match presentation registers. A strict state machine: a call in the wrong state,
// a table index outside its table, or an environment other than 0 or 1 (environment 1 without a
// back end counts as unknown) is a fatal abort that names the call. The state changes before the
// environment is examined.
#pragma once

#include <cstdint>

enum VTState : uint32_t {
    VT_STATE_OFF,
    VT_STATE_READY,
    VT_STATE_IN_SET,
    VT_STATE_IN_MENU,
    VT_STATE_STATIC,
    VT_STATE_DRAWING,
};

constexpr int32_t VT_BACKGROUNDS = 7;
constexpr int32_t VT_FONT_COLOURS = 10;
constexpr int32_t VT_LINE_COLOURS = 10;
constexpr int32_t VT_GRAPHICS = 45;

// The in-match back end, one function per call; rows left null do nothing.
struct VTBackEnd {
    void (*init)();
    void (*uninit)();
    void (*startSetOfMenus)();
    void (*endSetOfMenus)();
    void (*startMenu)();
    void (*endMenu)();
    void (*redraw)();  // start of the static items
    void (*setStaticBackground)(int32_t n);
    void (*drawTitle)(const char* text);
    void (*blitArea)();        // end of the static items
    void (*drawBackground)();  // start of drawing
    void (*clearScreen)();     // end of drawing
    void (*setFont)(int32_t colour);
    void (*drawBox)(int32_t x, int32_t y, int32_t w, int32_t h, int32_t type);
    void (*drawItem)(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour);
    void (*drawGraphic)(int32_t x, int32_t y, int32_t flags, int32_t n);
    void (*drawNumber)(int32_t x, int32_t y, int32_t flags, int32_t value);
    void (*drawText)(int32_t x, int32_t y, int32_t flags, const char* text);
    void (*drawTextNo)(int32_t x, int32_t y, int32_t flags, int32_t textNo);
    void (*getPointer)(int16_t* x, int16_t* y, int32_t* buttons);
    void (*savePanel)();
    void (*present)();
    void (*drawPanel)();
};
// The match presentation registers its back end; null removes it.
void VT_SetBackEnd(const VTBackEnd* backEnd);

void VTMenuInit();    // state 0 and no back end, whatever ran before
void VTMenuUninit();  // the same; safe twice

VTState VT_GetState();

void VT_Init(uint32_t environment);
void VT_Uninit();
void VT_StartSetOfMenus();
void VT_EndSetOfMenus();
void VT_StartMenu();
void VT_EndMenu();
void VT_StartStaticItems();
void VT_SetStaticBackground(int32_t n);    // 0-6
void VT_SetStaticTitle(const char* text);  // drawn at the end of the static items
// Environment 0: the background and the title at (320, 37) become the clean screen.
void VT_EndStaticItems();
void VT_StartDrawing();  // environment 0: the clean screen back, font 1, font colour 0
void VT_EndDrawing();    // environment 0: presents
// One pointer frame; the position and buttons are stored for VT_GetPointerPos/Buttons.
void VT_Sync();
void VT_SetFontColour(int32_t n);  // 0-9
// Types 1 translucent and 2 solid bevels, 3-5 shaded boxes; another type is fatal.
void VT_DrawButton(int32_t x, int32_t y, int32_t w, int32_t h, int32_t type);
void VT_DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour);  // 0-9
// Flags: low nibble 4/5/6 left, centre, right; high nibble 0x40/0x50/0x60 top, centre, bottom.
void VT_DrawGraphic(int32_t x, int32_t y, uint8_t flags, int32_t n);  // 0-44
void VT_DrawNumber(int32_t x, int32_t y, uint8_t flags, int32_t value);
void VT_DrawTextAddr(int32_t x, int32_t y, uint8_t flags, const char* text);
void VT_DrawTextNo(int32_t x, int32_t y, uint8_t flags, int32_t textNo);
// Environment 1 cannot wrap text: fatal there.
void VT_DrawTextBoxAddr(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t flags,
                        const char* text);
void VT_DrawTextBoxNo(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t flags, int32_t textNo);
// A button's label centred in its w x h box: environment 0 keeps it inside the box as
// DrawMenuLabel does; environment 1 draws it centred in its own font.
void VT_DrawLabelNo(int32_t x, int32_t y, int32_t w, int32_t h, int32_t textNo);

void VT_GetPointerPos(int16_t* x, int16_t* y);
int32_t VT_GetPointerButtons();
int32_t VT_MapAlignFlags(uint8_t flags);  // the alignment code of a flags byte
