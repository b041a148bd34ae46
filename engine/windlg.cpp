// engine/windlg.cpp: dialog templates built at run time, and the display-device chooser's.
#include "engine/windlg.h"

#include <cstdio>

#include "engine/dxenum.h"
#include "engine/fatal.h"
#include "engine/memory.h"

namespace {

constexpr const char* kSource = "windlg";
constexpr uint32_t kMegabyte = 1024 * 1024;

// Windows-1252 0x80-0x9F; the five bytes it leaves undefined stand for themselves.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

uint16_t WideOf(uint8_t byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

// Grows the template by `count` zero bytes and answers where they start.
uint8_t* Grow(WinDlgTemplate* dialog, uint32_t count)
{
    const uint32_t at = dialog->size;
    dialog->size += count;
    ResizeMemory(&dialog->bytes, dialog->size);
    return dialog->bytes + at;
}

void Put16(uint8_t* at, uint32_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value)
{
    Put16(at, value);
    Put16(at + 2, value >> 16);
}

// x, y, width and height as four i16, from `at`.
void PutRect(uint8_t* at, int32_t x, int32_t y, int32_t width, int32_t height)
{
    const int32_t values[4] = {x, y, width, height};
    for (int32_t i = 0; i < 4; ++i)
        Put16(at + 2 * i, static_cast<uint16_t>(values[i]));
}

}  // namespace

void WinDlgStart(WinDlgTemplate* dialog, uint32_t style, int32_t x, int32_t y, int32_t width,
                 int32_t height, uint16_t fontSize, const char* font)
{
    WinDlgFree(dialog);
    AllocateMemory(&dialog->bytes, HOST_DIALOG_HEADER_BYTES, MEM_TYPE_GAME);
    dialog->size = HOST_DIALOG_HEADER_BYTES;
    Put32(dialog->bytes, style);
    PutRect(dialog->bytes + 6, x, y, width, height);
    Put16(dialog->bytes + 14, fontSize);
    WinDlgAppendString(dialog, font);
}

void WinDlgAppendString(WinDlgTemplate* dialog, const char* text)
{
    if (text == nullptr) {
        FatalAbort(kSource, __LINE__,
                   "WinDlgAppendString(): -ve sized string after conversion to WCHAR");
    }
    uint32_t length = 0;
    while (text[length] != '\0')
        ++length;
    uint8_t* at = Grow(dialog, 2 * (length + 1));
    for (uint32_t i = 0; i < length; ++i) {
        Put16(at + 2 * i, WideOf(static_cast<uint8_t>(text[i])));
    }
}

void WinDlgAppendItem(WinDlgTemplate* dialog, int32_t x, int32_t y, int32_t width, int32_t height,
                      uint16_t id, uint32_t style, uint16_t itemClass, const char* text)
{
    if (width < 0 || height < 0) {
        FatalAbort(kSource, __LINE__, "WinDlgAppendItem(): can't add item with -ve size");
    }
    Grow(dialog, (4 - dialog->size % 4) % 4);
    uint8_t* item = Grow(dialog, HOST_DIALOG_ITEM_BYTES);
    Put32(item, style);
    PutRect(item + 4, x, y, width, height);
    Put16(item + 12, id);
    Put16(item + 14, itemClass);
    WinDlgAppendString(dialog, text);
    uint8_t* count = dialog->bytes + 4;
    Put16(count, static_cast<uint32_t>(count[0] | count[1] << 8) + 1);
}

void WinDlgFree(WinDlgTemplate* dialog)
{
    if (dialog->bytes != nullptr) FreeMemory(&dialog->bytes);
    dialog->size = 0;
}

void WinDlg_BuildChooser(WinDlgTemplate* dialog)
{
    constexpr uint32_t kShown = HOST_DIALOG_VISIBLE;
    constexpr uint32_t kStop = HOST_DIALOG_VISIBLE | HOST_DIALOG_TAB_STOP;
    WinDlgStart(dialog, HOST_DIALOG_VISIBLE | HOST_DIALOG_MODAL | HOST_DIALOG_CENTRED, 0, 0, 300,
                170, 8, "Helv");
    WinDlgAppendItem(dialog, 5, 5, 290, 140, WINDLG_ID_GROUP, kShown | HOST_DIALOG_GROUP_BOX,
                     HOST_DIALOG_BUTTON, "");
    WinDlgAppendItem(dialog, 10, 15, 280, 40, WINDLG_ID_CARDS, kStop, HOST_DIALOG_LIST_BOX, "");
    WinDlgAppendItem(dialog, 10, 60, 280, 40, WINDLG_ID_DEVICES, kStop, HOST_DIALOG_LIST_BOX, "");
    WinDlgAppendItem(dialog, 10, 105, 280, 35, WINDLG_ID_DESCRIPTION, kShown | HOST_DIALOG_SUNKEN,
                     HOST_DIALOG_STATIC, "");
    WinDlgAppendItem(dialog, 180, 150, 55, 15, WINDLG_ID_OK, kStop | HOST_DIALOG_DEFAULT,
                     HOST_DIALOG_BUTTON, "OK");
    WinDlgAppendItem(dialog, 240, 150, 55, 15, WINDLG_ID_CANCEL, kStop, HOST_DIALOG_BUTTON,
                     "Annuler");
}

namespace {

struct ChooserSelection {
    int32_t card;  // -1: none yet
    int32_t device;
};

// The description of the selection so far, in the order the user makes it.
void DescribeSelection(const ChooserSelection& chosen)
{
    const DXCardEntry* card = DXGetCardEntry(chosen.card);
    if (card == nullptr) {
        HostDialogSetText(WINDLG_ID_DESCRIPTION, "Select a display card from the list above");
        return;
    }
    char text[HOST_DIALOG_TEXT_SIZE];
    int32_t used = std::snprintf(text, sizeof text,
                                 "Card: %s (%s) - version %s\nQuality factor for the card: %u\n",
                                 card->driverName, card->description, card->driverVersion,
                                 (card->displayMemory + card->textureMemory) / kMegabyte);
    const DXDeviceEntry* device = DXGetDeviceEntry(chosen.card, chosen.device);
    if (device == nullptr) {
        std::snprintf(text + used, sizeof text - used, "Select a 3d device from the list above");
    } else {
        std::snprintf(text + used, sizeof text - used, "3d device: %s (%s)\n", device->name,
                      device->description);
    }
    HostDialogSetText(WINDLG_ID_DESCRIPTION, text);
}

void ChooserProc(uint32_t event, uint16_t id, void* context)
{
    ChooserSelection& chosen = *static_cast<ChooserSelection*>(context);
    if (event == HOST_DIALOG_INIT) {
        HostDialogListReset(WINDLG_ID_CARDS);
        for (int32_t i = 0; const DXCardEntry* card = DXGetCardEntry(i); ++i)
            HostDialogListAdd(WINDLG_ID_CARDS, card->driverName);
    } else if (event == HOST_DIALOG_SELECTED && id == WINDLG_ID_CARDS) {
        chosen = {HostDialogListSelection(WINDLG_ID_CARDS), -1};
        HostDialogListReset(WINDLG_ID_DEVICES);
        for (int32_t j = 0; const DXDeviceEntry* device = DXGetDeviceEntry(chosen.card, j); ++j)
            HostDialogListAdd(WINDLG_ID_DEVICES, device->name);
    } else if (event == HOST_DIALOG_SELECTED && id == WINDLG_ID_DEVICES) {
        chosen.device = HostDialogListSelection(WINDLG_ID_DEVICES);
    } else if (event == HOST_DIALOG_PRESSED && id == WINDLG_ID_OK && chosen.device >= 0) {
        HostDialogEnd(1);
    } else if (event == HOST_DIALOG_PRESSED && id == WINDLG_ID_CANCEL) {
        HostDialogEnd(0);
    }
    HostDialogEnable(WINDLG_ID_OK, chosen.device >= 0);
    DescribeSelection(chosen);
}

}  // namespace

int32_t WinDlg_ChooseDevice(int32_t* card, int32_t* device)
{
    WinDlgTemplate dialog{};
    WinDlg_BuildChooser(&dialog);
    ChooserSelection chosen = {-1, -1};
    const intptr_t result = HostDialogRun(dialog.bytes, dialog.size, ChooserProc, &chosen);
    WinDlgFree(&dialog);
    if (result != 1) return 0;
    *card = chosen.card;
    *device = chosen.device;
    return 1;
}
