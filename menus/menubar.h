// menus/menubar.h: the drop-down menu bar that a screen's header carries, its lists, and the
// popups that hotspots open: list descriptions, their layout and drawing, and what the codes
// of their entries' handlers do.
#pragma once

#include <cstdint>

struct MenuHotspot;

enum MenuListType : uint16_t {
    LIST_ENTRY_TEXT_NO = 2,      // selectable; label a text number
    LIST_LINE_STRING = 3,        // a line of text; label the address of a string
    LIST_LINE_STRING_VAR = 4,    // label the address of a string variable
    LIST_ENTRY_TEXT_NO_VAR = 5,  // selectable; label the address of an int16_t text number
    LIST_ENTRY_STRING_VAR = 6,   // selectable; label the address of a string (a name typed in)
    LIST_TITLE_TEXT_NO = 7,
    LIST_TITLE_STRING = 8,
    LIST_TITLE_STRING_VAR = 9,
    LIST_TITLE_TEXT_NO_VAR = 10,
    LIST_END = 12,
};

constexpr uint16_t LIST_ENABLED = 0x01;  // a disabled entry is shown dimmed and does nothing
constexpr uint16_t LIST_CHECKED = 0x02;
constexpr int32_t MENUBAR_MAX_LISTS = 20;
constexpr int32_t MENUBAR_HEIGHT = 21;
constexpr int32_t MENUBAR_OPEN_Y = 3;  // the pointer above this opens the bar
constexpr int32_t MENUBAR_ROW_HEIGHT = 18;
constexpr int32_t MENUBAR_MIN_LIST_WIDTH = 160;
constexpr uint16_t MENUBAR_COLOUR = 0x00D2;
constexpr uint16_t MENUBAR_HIGHLIGHT = 0x318C;
constexpr int32_t MENUBAR_DISABLED_FONT_COLOUR = 9;
constexpr int32_t MENUBAR_BAR_SECTION = 2;
constexpr int32_t MENUBAR_LIST_SECTION = 3;

// Codes that entry handlers answer.
enum MenuListCode : int32_t {
    LIST_CODE_CLOSE = 1,   // the list closes, the screen goes on
    LIST_CODE_REDRAW = 2,  // the list closes, the screen is redrawn
    LIST_CODE_LEAVE = 6,   // the list closes, the screen is left
    LIST_CODE_KEEP = 8,    // the list stays open and is redrawn; a popup that closes after
                           // such a choice has the screen redrawn
    LIST_CODE_CLOSE_QUIET = 9,
};

struct MenuListEntry;
// Handed to a description's prepare callback: {0, 0, the description} for the bar, {the
// hotspot's number from 1, 0, the hotspot} for a popup.
struct MenuListRecord {
    uint16_t number;
    uint16_t zero;
    std::intptr_t subject;
};
using MenuListHandler = int32_t (*)(MenuListEntry* entry);
using MenuListPrepare = void (*)(MenuListRecord* record);

// One entry of a description: list titles, each followed by its entries, ended by LIST_END.
struct MenuListEntry {
    uint16_t type;  // MenuListType; other values are skipped
    uint16_t flags;
    int16_t links[4];  // -1 in titles, 0 in entries
    int16_t spare[2];
    std::intptr_t label;      // by type
    MenuListHandler handler;  // selectable entries
    MenuListPrepare prepare;  // the first title only: before the bar or popup shows
};

// Makers of description rows: a title (its prepare callback, if any, runs before the list shows),
// an entry with a text-number label or one read from an int16_t variable (`option` lands in
// spare[0] for handlers that open a screen), and the end.
constexpr MenuListEntry MenuList_Title(int32_t textNo, MenuListPrepare prepare = nullptr)
{
    return {LIST_TITLE_TEXT_NO, 0, {-1, -1, -1, -1}, {0, 0}, textNo, nullptr, prepare};
}
constexpr MenuListEntry MenuList_Entry(int32_t textNo, MenuListHandler handler, int16_t option = 0)
{
    return {LIST_ENTRY_TEXT_NO, LIST_ENABLED, {0, 0, 0, 0}, {option, 0}, textNo, handler, nullptr};
}
inline MenuListEntry MenuList_EntryVar(const int16_t* label, MenuListHandler handler,
                                       int16_t option = 0)
{
    return {LIST_ENTRY_TEXT_NO_VAR,
            LIST_ENABLED,
            {0, 0, 0, 0},
            {option, 0},
            reinterpret_cast<std::intptr_t>(label),
            handler,
            nullptr};
}
inline MenuListEntry MenuList_EntryString(const char* label, MenuListHandler handler,
                                          int16_t option = 0)
{
    return {LIST_ENTRY_STRING_VAR,
            LIST_ENABLED,
            {0, 0, 0, 0},
            {option, 0},
            reinterpret_cast<std::intptr_t>(label),
            handler,
            nullptr};
}
constexpr MenuListEntry MenuList_End()
{
    return {LIST_END, 0, {0, 0, 0, 0}, {0, 0}, 0, nullptr, nullptr};
}

void MenuBarInit();    // no bar, list or popup
void MenuBarUninit();  // the same; safe twice

// The label an entry shows, and its text number (-1 for string labels).
const char* MenuList_LabelText(const MenuListEntry& entry);
int32_t MenuList_LabelTextNo(const MenuListEntry& entry);

// The menu loop's steps (see ExmFrontEnd): the screen's bar description (at most 20 lists, their
// titles laid out once), one pass of the bar and its lists (a loop code, 0 for none), whether
// anything is open, a hotspot's popup, and forgetting everything when a screen is entered or left.
void MenuBar_Show(std::intptr_t description);
int32_t MenuBar_Step();
int32_t MenuBar_IsOpen();
void MenuBar_OpenPopup(MenuHotspot* hotspot, int32_t number);
void MenuBar_Forget();
// The open list or popup's rectangle and the rows it shows (row r's middle is y + 2 + 18 r + 9);
// 0 when nothing is dropped. For the tests that choose its entries with the pointer.
int32_t MenuBar_OpenListRows(int32_t* x, int32_t* y, int32_t* w, int32_t* h);
