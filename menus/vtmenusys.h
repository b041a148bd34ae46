// menus/vtmenusys.h: declarative menus over the VT_ interface: a map of items says what to draw
// where and which rectangles react to the pointer; the loop sends enter, leave, press and
// release events to the regions' callbacks until one asks to break out. A menu runs as
// VT_StartSetOfMenus, VT_MenuInit(map), then (its own updates, VT_MenuRedraw, VT_MenuLoop) until
// the loop answers 1, then VT_MenuEnd, VT_EndSetOfMenus.
#pragma once

#include <cstdint>

enum VTEventKind : uint16_t {
    VT_EVENT_ENTER = 200,
    VT_EVENT_LEAVE = 201,
    VT_EVENT_PRESS = 202,
    VT_EVENT_RELEASE = 203,
};

enum VTResult : int32_t {
    VT_NO_REGION = 300,  // the event had no region to go to
    VT_CONTINUE = 301,   // as every value that is not a breakout
    VT_BREAK_0 = 302,
    VT_BREAK_1 = 303,
};

struct VTEvent {
    uint16_t event;  // VTEventKind
    int16_t code;    // the region's result code
    int16_t x;
    int16_t y;
    int16_t w;
    int16_t h;
    int16_t pointerX;  // relative to the region
    int16_t pointerY;
};

// The in-match menus' name for the event their region callbacks receive.
using InGameMenuEvent = VTEvent;

using VTCallback = int32_t (*)(const VTEvent* event);
using VTDrawFn = void (*)(int32_t x, int32_t y, int32_t w, int32_t h);

enum VTItemKind : uint8_t {
    VTI_END,
    VTI_TEXT,
    VTI_TEXT_BOX,
    VTI_NUMBER,  // not drawn for -32768
    VTI_GRAPHIC,
    VTI_TITLE,
    VTI_REGION,  // a hot region only
    VTI_RESULT_CODE,
    VTI_FLAGS,
    VTI_NOTHING,
    VTI_CUSTOM,  // the data is a VTDrawFn, called in drawing passes
    VTI_FONT_COLOUR,
    VTI_FRAME_TYPE,  // a VT_DrawButton type drawn behind items of at least 8 x 8; 0 none
    VTI_BUTTON,
    VTI_BACKGROUND,
    VTI_SKIP_BITS,  // bit 0: register no regions; bit 1: draw nothing
    VTI_KIND_COUNT
};

enum VTDataKind : uint8_t {
    VTD_NONE,         // value -1
    VTD_VALUE,        // the number in the data field
    VTD_VARIABLE,     // the int16_t at the address
    VTD_TEXT_NO,      // as VTD_VALUE, and its message text
    VTD_TEXT_NO_VAR,  // as VTD_VARIABLE, and its message text
    VTD_STRING,       // the string at the address
    VTD_STRING_VAR,   // the string whose address is held at the address
    VTD_FUNCTION,     // a VTDrawFn
    VTD_KIND_COUNT
};

constexpr uint8_t VT_PASS_STATIC = 1;
constexpr uint8_t VT_PASS_DRAW = 2;
constexpr uint32_t VT_MAP_DRAW = 1;
constexpr uint32_t VT_MAP_STATIC = 2;
constexpr uint32_t VT_MAP_REGIONS = 4;

struct VTMapItem {
    uint8_t kind;      // VTItemKind
    uint8_t dataKind;  // VTDataKind
    uint8_t passes;    // VT_PASS_*
    int16_t x;
    int16_t y;
    int16_t w;
    int16_t h;
    std::intptr_t data;  // a value or an address, by the data kind
    VTCallback callback;
};

struct VTHotRegion {
    int16_t x;
    int16_t y;
    int16_t w;
    int16_t h;
    VTCallback callback;
    int16_t code;
};

void VTMenuSysInit();    // no map current; forgets every block without freeing
void VTMenuSysUninit();  // frees the blocks; safe twice

// Walks the map (VT_MAP_* bits) until its kind-0 item. Unknown item or data kinds are fatal.
void DisplayVTMap(const VTMapItem* map, uint32_t mode);
// A second init before VT_MenuEnd is the fatal abort "VT_MenuInit(): already initialised".
void VT_MenuInit(const VTMapItem* map);
void VT_MenuRedraw();  // draws the current map and registers its hot regions afresh
// Pointer frames until a callback answers 302 (returns 0) or 303 (returns 1; wins in a pass).
int32_t VT_MenuLoop();
// The button Escape presses while the loop runs, the screen's way on: Escape is a release of
// the hot region under that point. Under VT_NO_ESCAPE, which every VT_MenuInit starts with,
// Escape does nothing.
struct VTPoint {
    int16_t x, y;
};
constexpr VTPoint VT_NO_ESCAPE = {-1, -1};
void VT_MenuSetEscape(VTPoint button);
void VT_MenuEnd();
void VT_FreeLoopBlocks();
int32_t VT_SameRegion(const VTHotRegion* a, const VTHotRegion* b);  // null is no region
int32_t VT_BreakoutCode(int32_t result);                            // 2, 1 or 0

// The hot regions of the last redraw.
int32_t VT_RegionCount();
const VTHotRegion* VT_Regions();
