// menus/textinput.h: the one text field a menu screen may edit at a time: typing, the cursor,
// word wrapping inside the field's width, and its end by Enter, Escape or its button rectangles.
#pragma once

#include <cstdint>

// Flags of a field.
constexpr uint32_t TEXTINPUT_OK_RECT = 0x01;  // a press in the OK rectangle acts as Enter
constexpr uint32_t TEXTINPUT_KEEP_ON_ENTER = 0x02;
constexpr uint32_t TEXTINPUT_PADDED = 0x04;       // trailing blanks trimmed at start; the result is
                                                  // padded to maxLength - 1 characters
constexpr uint32_t TEXTINPUT_CANCEL_RECT = 0x08;  // a press in the cancel rectangle acts as Escape
constexpr uint32_t TEXTINPUT_NO_ESCAPE = 0x10;
constexpr uint32_t TEXTINPUT_MASKED = 0x20;    // shown as one "*" per character
constexpr uint32_t TEXTINPUT_ONE_LINE = 0x40;  // the text never wraps: a character that would is
                                               // refused, so the text stays inside its box
constexpr int32_t TEXTINPUT_FULL_COLOUR = 8;   // the cursor bar's font colour once nothing more
                                               // can be typed, so the player sees where it stops

// End codes: Escape 0, Enter 2; 1 while the field goes on.
constexpr int32_t TEXTINPUT_GOES_ON = 1;
constexpr int32_t TEXTINPUT_ESCAPED = 0;
constexpr int32_t TEXTINPUT_ENTERED = 2;
constexpr int32_t TEXTINPUT_CURSOR_HEIGHT = 2;

struct TextInputRect {
    uint16_t x;
    uint16_t y;
    uint32_t width;
    uint16_t height;
};

struct TextInputField;
using TextInputDone = int32_t (*)(int32_t code);  // its answer becomes the loop's code
using TextInputBackground = void (*)(const TextInputField* field, uint32_t argument);

struct TextInputField {
    int16_t x;  // top-left corner of the text
    int16_t y;
    uint16_t width;  // of a line
    char* output;    // receives the result: maxLength + 1 bytes
    TextInputDone done;
    uint16_t maxLength;   // characters
    const char* initial;  // also what Escape restores; null: empty
    uint16_t started;     // 1 once started by InitTextInput
    const char* allowed;  // compared without regard to case; null: every printable character
    uint32_t flags;
    TextInputRect ok;
    TextInputRect cancel;
    TextInputBackground background;  // null: the clean screen is put back under the text
    uint32_t backgroundArgument;
};

void TextInputInit();    // no field active
void TextInputUninit();  // frees an active field's buffers; safe twice

// Starts editing a copy of the field: the cursor after the text, a full redraw due, the keyboard
// buffer cleared. A field already active is the fatal abort "EXTI_InitTextInput(): already active".
void EXTI_InitTextInput(const TextInputField* field);
// A field of the text's own length at (x, y), one line `width` wide, with flags TEXTINPUT_PADDED
// and TEXTINPUT_ONE_LINE; an alignment other than top-left is the fatal abort
// "InitTextInput(): only M_ALIGN_TL is supported".
void InitTextInput(int32_t x, int32_t y, int32_t width, int32_t alignment, const char* text,
                   char* output, const char* allowed, TextInputDone done);
int32_t EXTI_IsActive();
void EXTI_SetActive(int32_t flag);
// One pass of keys and pointer: TEXTINPUT_GOES_ON, else the code the field ends with. Keys that
// cannot act ring the console bell. With TEXTINPUT_PADDED at most maxLength - 1 characters are
// taken, so the padded result keeps all of them.
int32_t EXTI_HandleKeys();
// Frees the buffers and ends the field; the done callback's answer, or the code without one.
int32_t EXTI_End(int32_t code);
// The text as edited so far and the cursor, for the screens and their tests.
const char* EXTI_Text();
int32_t EXTI_Cursor();
