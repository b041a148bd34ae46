// engine/windlg.h: dialog templates built at run time in a tracked block, and the template of
// the display-device chooser.
//
// The template's format and style bits are the host's (engine/host/host.h).
#pragma once

#include <cstdint>

#include "engine/host/host.h"

// The chooser's item ids.
enum WinDlgChooserId : uint16_t {
    WINDLG_ID_OK = HOST_DIALOG_ID_OK,
    WINDLG_ID_CANCEL = HOST_DIALOG_ID_CANCEL,
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

// The display-device chooser over the window: lists the enumerated cards (DXGetCardEntry, row i
// is card i) and the selected card's 3D devices (row j is DXGetDeviceEntry(card, j)), describes
// the selection and enables OK once a device is selected. Answers 1 with the chosen card and
// device, or 0 for Cancel (or a dialog the host cannot show) with both left as they were.
int32_t WinDlg_ChooseDevice(int32_t* card, int32_t* device);
