// menus/hotregion.h: lists of clickable regions for screens that run their own loop, their
// labels, the hit test, and the one-frame pointer step such loops call.
#pragma once

#include <cstdint>

constexpr int32_t HOTREGION_MAX = 30;  // records before the terminating one
constexpr uint16_t HOTREGION_BUTTON_KINDS = 500;

enum HotRegionKind : uint16_t {
    HOTREGION_END = 0,
    HOTREGION_TEXT_NO = 1,      // label: a text number
    HOTREGION_TEXT_NO_VAR = 2,  // label: the address of an int16_t text number
    HOTREGION_STRING_VAR = 3,   // label: the address of a char* holding the text
    // Kinds from 500 are drawn as buttons; 501-503 label as 1-3; other kinds have no label.
};

// One record; a list ends with a record of kind 0 and holds at most HOTREGION_MAX before it.
struct HotRegion {
    uint16_t kind;
    int16_t x;
    int16_t y;
    int16_t w;            // -1: a centred label has no horizontal offset
    int16_t h;            // -1: no vertical offset
    uint16_t alignment;   // of the label
    std::intptr_t label;  // by kind
    int16_t font;
    const int16_t* colour;  // the label's font colour
    int16_t code;           // the answer of a click
};

void HotRegionInit();    // clears the clicked flag
void HotRegionUninit();  // the same; safe twice

// The label in the record's font and colour, anchored 2 pixels inside the rectangle on the
// aligned sides, at the middle (or at x, y for a size of -1) on centred ones.
void HotRegion_DrawLabel(const HotRegion* region);
// Appends the source list, moved by (dx, dy), after the destination's last record; nothing when
// the destination already holds 29 or more. Record 30 is always written as a terminator. 1 while
// the destination holds fewer than 30 records afterwards, else 0.
int32_t HotRegion_Append(HotRegion* destination, const HotRegion* source, int32_t dx, int32_t dy);
void HotRegion_Clear(HotRegion* region);  // a terminator
// With button 1, the code of the first record strictly inside whose edges (x, y) lies, and the
// clicked flag set; else -1.
int32_t HotRegion_HitTest(const HotRegion* list, int32_t x, int32_t y, int32_t button);
int32_t HotRegion_FindByCode(const HotRegion* list, int32_t code);  // index, or -1
// The record with the code, when a button kind: a button in the current attributes and its label.
void HotRegion_Highlight(const HotRegion* list, int32_t code);
void HotRegion_OutlineAll(const HotRegion* list);
int32_t HotRegion_Clicked();  // 1 once a hit test has hit

// One pointer frame: shown, one tick waited, erased; then its new position and buttons.
void PointerFrame(int16_t* x, int16_t* y, uint16_t* buttons);
