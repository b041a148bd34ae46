// menus/credits.h: the credits that scroll up over their background at every start.
#pragma once

#include <cstdint>

constexpr int32_t CREDITS_ROWS = 24;
constexpr int32_t CREDITS_BACKGROUND = 32;
constexpr int32_t CREDITS_ROW_PITCH = 32;
constexpr int32_t CREDITS_PIXELS_PER_SECOND = 50;
constexpr int32_t CREDITS_BOX_X = 120;
constexpr int32_t CREDITS_BOX_W = 400;
constexpr int32_t CREDITS_LAST_Y = 447;  // rows below, and above 0, are not drawn
constexpr uint16_t CREDITS_HEADING = 1;
constexpr uint16_t CREDITS_TEXT_NO = 0x1000;  // the row's text is a message number

struct CreditsRow {
    int32_t textNo;    // with CREDITS_TEXT_NO; negative: no text
    const char* text;  // without it; null: no text
    uint16_t style;    // low four bits: 0 a line, 1 a heading
};
extern const CreditsRow CreditsRows[CREDITS_ROWS];

// Draws the credits rising 50 pixels a second until a mouse button is pressed, Escape is the last
// key, or the last row has reached the top of the screen.
void Menu_TimedScreen();
