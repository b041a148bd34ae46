// engine/windlg.h: dialog templates built at run time in a tracked block, and the template of
// the display-device chooser.
//
// The template (ours; nothing stores it), little-endian, strings zero-terminated UTF-16LE
// converted from the game's code page (Windows-1252):
//   header: u32 style, u16 item count, i16 x, y, width, height, u16 font size, font name;
//   each item, starting on a 4-byte boundary (zero bytes pad up to it): u32 style,
//   i16 x, y, width, height, u16 id, u16 class (WinDlgClass), text.
// Positions and sizes are dialog units of 2 x 2 pixels.
#pragma once

#include <cstdint>

enum WinDlgClass : uint16_t { WINDLG_BUTTON = 1, WINDLG_LIST_BOX = 2, WINDLG_STATIC = 3 };

// Style bits of items and of the dialog itself.
constexpr uint32_t WINDLG_VISIBLE = 0x01;
constexpr uint32_t WINDLG_TAB_STOP = 0x02;   // Tab stops on the item
constexpr uint32_t WINDLG_GROUP_BOX = 0x04;  // a button drawn as a titled frame, never pressed
constexpr uint32_t WINDLG_DEFAULT = 0x08;    // the button Enter presses from a list
constexpr uint32_t WINDLG_SUNKEN = 0x10;     // a static text in a sunken frame
constexpr uint32_t WINDLG_MODAL = 0x20;      // the dialog: owns the input until it ends
constexpr uint32_t WINDLG_CENTRED = 0x40;    // the dialog: centred over the window

constexpr uint32_t WINDLG_HEADER_BYTES = 16;  // before the font name
constexpr uint32_t WINDLG_ITEM_BYTES = 16;    // before the item's text

// The chooser's item ids.
enum WinDlgChooserId : uint16_t {
    WINDLG_ID_OK = 1,
    WINDLG_ID_CANCEL = 2,
    WINDLG_ID_GROUP = 100,
    WINDLG_ID_DESCRIPTION = 101,
    WINDLG_ID_CARDS = 110,
    WINDLG_ID_DEVICES = 111,
};

struct WinDlgTemplate {
    uint8_t* bytes;  // a tracked block, grown as items are appended
    uint32_t size;
};

// Starts a template with its header and font name (any block it held is freed first).
void WinDlgStart(WinDlgTemplate* dialog, uint32_t style, int32_t x, int32_t y, int32_t width,
                 int32_t height, uint16_t fontSize, const char* font);
// Appends the text as a zero-terminated wide string; a null text is the failed conversion, a
// fatal abort "WinDlgAppendString(): -ve sized string after conversion to WCHAR".
void WinDlgAppendString(WinDlgTemplate* dialog, const char* text);
// Appends one item on the next 4-byte boundary and counts it in the header; a negative width or
// height is a fatal abort "WinDlgAppendItem(): can't add item with -ve size".
void WinDlgAppendItem(WinDlgTemplate* dialog, int32_t x, int32_t y, int32_t width, int32_t height,
                      uint16_t id, uint32_t style, uint16_t itemClass, const char* text);
void WinDlgFree(WinDlgTemplate* dialog);  // safe on a freed template

// The chooser's dialog: 300 x 170 in "Helv", a group box, the card and 3D-device lists, the
// sunken description, OK (the default button) and Cancel.
void WinDlg_BuildChooser(WinDlgTemplate* dialog);
