// viewservices/popup.h: the 2D match view's pop-up: a short list of text lines in a translucent box
// beside the pointer, and the one list it shows, a player's match figures.
#pragma once

#include <cstdint>

constexpr int32_t POPUP_MAX_LINES = 31;
constexpr int32_t POPUP_LINE_BYTES = 66;
constexpr int32_t POPUP_POINTER_OFFSET = 12;  // the box's corner from the pointer
constexpr uint16_t POPUP_BOX_COLOUR = 0x39E7;

struct PopUpLine {
    char text[POPUP_LINE_BYTES];
    int16_t style;  // 0 font 0, 1 font 1
};

struct PopUpListRecord {
    PopUpLine lines[POPUP_MAX_LINES];
    int32_t count;
    int32_t width;  // the box, from the lines
    int32_t height;
};

extern PopUpListRecord PopUpList;  // owned by PopUp: change it through the operations below

void PopUp_Clear();
// Appends a printf-style line; a 32nd line is fatal "Error: PopUplist to small".
void PopUp_AddLine(int32_t style, const char* format, ...);
// The list for person 0-31: his name, his kind of player and six of his match figures, with the
// box measured to the lines.
void PopUp_CreatePlayerInfo(int32_t person);
// The box as wide as the widest line and as high as the lines together. A box of no width or
// height is fatal "ERROR: PopUp_CreatePlayerInfo() bad box size".
void PopUp_Measure();
// The box's top-left corner for the pointer at (x, y): down and right of it, moved inside the
// menu screen.
void PopUp_Place(int32_t pointerX, int32_t pointerY, int32_t* x, int32_t* y);
// The box and its lines beside the pointer.
void PopUp_Draw(int32_t pointerX, int32_t pointerY);
