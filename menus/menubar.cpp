// menus/menubar.cpp: the drop-down menu bar, its lists and the popups of hotspots.
#include "menus/menubar.h"

#include <algorithm>

#include "engine/fatal.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/machine.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

namespace {

constexpr int32_t SCREEN_W = 640;
constexpr int32_t SCREEN_H = 480;
constexpr int32_t TITLE_FIRST_X = 8;
constexpr int32_t TITLE_GAP = 24;
constexpr int32_t TITLE_Y = 2;
constexpr int32_t LIST_PADDING = 32;
constexpr int32_t LABEL_INSET = 16;
constexpr int32_t CHECK_INSET = 4;
constexpr int32_t BAR_FONT = 1;
constexpr uint32_t BUTTON_BITS = 3;
constexpr char CHECK_MARK[] = "\x95";

struct BarTitle {
    int32_t x;
    int32_t width;
    MenuListEntry* title;
};

struct OpenList {
    MenuListEntry* title;  // the entries follow it; null when nothing is dropped
    int32_t x;
    int32_t y;
    int32_t w;
    int32_t h;
    int32_t rows;
    int32_t hovered;  // row, -1 none
    bool popup;
    MenuHotspot* hotspot;  // a popup's
    uint16_t number;       // a popup's hotspot number, from 1, as its prepare callback gets it
    bool kept;             // a choice kept it open: the screen beneath shows the old state
};

struct MenuBarState {
    MenuListEntry* description;
    BarTitle titles[MENUBAR_MAX_LISTS];
    int32_t titleCount;
    bool barOpen;
    OpenList list;
    bool buttonWasDown;
};

MenuBarState s_bar;

bool IsTitle(uint16_t type) { return type >= LIST_TITLE_TEXT_NO && type <= LIST_TITLE_TEXT_NO_VAR; }
bool IsSelectable(uint16_t type)
{
    return type == LIST_ENTRY_TEXT_NO || type == LIST_ENTRY_TEXT_NO_VAR
           || type == LIST_ENTRY_STRING_VAR;
}
bool IsShown(uint16_t type) { return type >= LIST_ENTRY_TEXT_NO && type <= LIST_ENTRY_STRING_VAR; }

bool Inside(int32_t px, int32_t py, int32_t x, int32_t y, int32_t w, int32_t h)
{
    return px >= x && px < x + w && py >= y && py < y + h;
}

int32_t TextWidth(const char* text)
{
    int32_t w = 0, h = 0;
    return GetTextExtent(text, &w, &h);
}

// The entries of the list whose title is given, up to the next title or the end.
template <typename Fn>
void ForEachEntry(MenuListEntry* title, Fn fn)
{
    int32_t row = 0;
    for (MenuListEntry* e = title + 1; e->type != LIST_END && !IsTitle(e->type); ++e) {
        if (IsShown(e->type)) fn(e, row++);
    }
}

MenuListEntry* EntryAtRow(MenuListEntry* title, int32_t wanted)
{
    MenuListEntry* found = nullptr;
    ForEachEntry(title, [&](MenuListEntry* e, int32_t row) {
        if (row == wanted) found = e;
    });
    return found;
}

void RunPrepare(MenuListEntry* description, uint16_t number, std::intptr_t subject)
{
    if (description->prepare == nullptr) return;
    MenuListRecord record{number, 0, subject};
    description->prepare(&record);
}

void DrawRow(const OpenList& l, MenuListEntry* e, int32_t row)
{
    const int32_t y = l.y + 2 + row * MENUBAR_ROW_HEIGHT;
    if (row == l.hovered && IsSelectable(e->type)) {
        SetDrawAttribute(2, MENUBAR_HIGHLIGHT);
        DrawHLine(l.x + 2, y, l.w - 4, MENUBAR_ROW_HEIGHT);
    }
    const bool enabled = !IsSelectable(e->type) || (e->flags & LIST_ENABLED) != 0;
    SetDrawAttribute(1, enabled ? 0 : MENUBAR_DISABLED_FONT_COLOUR);
    const int32_t middle = y + MENUBAR_ROW_HEIGHT / 2;
    if ((e->flags & LIST_CHECKED) != 0)
        DrawMenuString(l.x + CHECK_INSET, middle, CHECK_MARK, MENU_ALIGN_ML);
    DrawMenuString(l.x + LABEL_INSET, middle, MenuList_LabelText(*e), MENU_ALIGN_ML);
}

void DrawList()
{
    const OpenList& l = s_bar.list;
    SetMenuFont(BAR_FONT);
    SetDrawAttribute(4, 0);
    SetDrawAttribute(2, MENUBAR_COLOUR);
    DoButton(l.x, l.y, l.w, l.h);
    ForEachEntry(l.title, [&](MenuListEntry* e, int32_t row) { DrawRow(l, e, row); });
    SetDrawAttribute(1, 0);
}

void CloseList()
{
    if (s_bar.list.title == nullptr) return;
    if (IsSavedScreenSection(MENUBAR_LIST_SECTION)) RestoreScreenSection(MENUBAR_LIST_SECTION);
    s_bar.list = {};
}

void CloseBar()
{
    CloseList();
    if (!s_bar.barOpen) return;
    if (IsSavedScreenSection(MENUBAR_BAR_SECTION)) RestoreScreenSection(MENUBAR_BAR_SECTION);
    s_bar.barOpen = false;
}

// Lays the list out at (x, y) (a popup moves above its anchor when it does not fit below) and
// draws it over a saved section.
void OpenAt(MenuListEntry* title, int32_t x, int32_t y, int32_t anchorTop, bool popup)
{
    SetMenuFont(BAR_FONT);
    OpenList l{};
    l.title = title;
    l.popup = popup;
    l.hovered = -1;
    int32_t widest = 0;
    ForEachEntry(title, [&](MenuListEntry* e, int32_t row) {
        widest = std::max(widest, TextWidth(MenuList_LabelText(*e)));
        l.rows = row + 1;
    });
    l.w = std::max(widest + LIST_PADDING, MENUBAR_MIN_LIST_WIDTH);
    l.h = l.rows * MENUBAR_ROW_HEIGHT + 4;
    l.x = std::clamp(x, 0, SCREEN_W - l.w);
    l.y = popup && y + l.h > SCREEN_H ? std::max(anchorTop - l.h, 0) : y;
    s_bar.list = l;
    ResetScreenSection(MENUBAR_LIST_SECTION);
    PreserveScreenSection(MENUBAR_LIST_SECTION, l.x, l.y, l.w, l.h);
    DrawList();
}

void OpenBar()
{
    RunPrepare(s_bar.description, 0, reinterpret_cast<std::intptr_t>(s_bar.description));
    PreserveScreenSection(MENUBAR_BAR_SECTION, 0, 0, SCREEN_W, MENUBAR_HEIGHT);
    SetDrawAttribute(4, 0);
    SetDrawAttribute(2, MENUBAR_COLOUR);
    DoButton(0, 0, SCREEN_W, MENUBAR_HEIGHT);
    SetMenuFont(BAR_FONT);
    SetDrawAttribute(1, 0);
    for (int32_t i = 0; i < s_bar.titleCount; ++i) {
        const BarTitle& t = s_bar.titles[i];
        DrawMenuString(t.x, TITLE_Y, MenuList_LabelText(*t.title), MENU_ALIGN_TL);
    }
    ResetScreenSection(MENUBAR_LIST_SECTION);
    s_bar.barOpen = true;
}

int32_t TitleUnderPointer()
{
    if (PointerY() >= MENUBAR_HEIGHT) return -1;
    for (int32_t i = 0; i < s_bar.titleCount; ++i) {
        const BarTitle& t = s_bar.titles[i];
        if (PointerX() >= t.x - TITLE_GAP / 2 && PointerX() < t.x + t.width + TITLE_GAP / 2)
            return i;
    }
    return -1;
}

// A list kept open is prepared again before it is redrawn: its ticks then show the choice just
// made.
void PrepareAgain()
{
    const OpenList& l = s_bar.list;
    if (l.popup) {
        RunPrepare(l.title, l.number, reinterpret_cast<std::intptr_t>(l.hotspot));
    } else {
        RunPrepare(s_bar.description, 0, reinterpret_cast<std::intptr_t>(s_bar.description));
    }
}

// What a handler's code does to the list and the screen; the answer is the loop's code.
int32_t ActOnCode(int32_t code)
{
    switch (code) {
        case LIST_CODE_CLOSE:
        case LIST_CODE_CLOSE_QUIET: CloseBar(); return EXM_CODE_NONE;
        case LIST_CODE_REDRAW: CloseBar(); return EXM_CODE_REDRAW;
        case LIST_CODE_LEAVE: CloseBar(); return EXM_CODE_LEAVE;
        case LIST_CODE_KEEP:
            if (s_bar.list.title == nullptr) return 1;
            s_bar.list.kept = true;
            PrepareAgain();
            DrawList();
            return 1;
        default: FatalError("Error: unknown return value %d from menu function\n", code);
    }
}

// The open list under the pointer: its highlight follows, a new press chooses.
int32_t ListStep(bool pressed)
{
    OpenList& l = s_bar.list;
    if (!Inside(PointerX(), PointerY(), l.x, l.y, l.w, l.h)) {
        if (l.hovered >= 0) {
            l.hovered = -1;
            DrawList();
        }
        return EXM_CODE_NONE;
    }
    const int32_t row = std::min((PointerY() - l.y - 2) / MENUBAR_ROW_HEIGHT, l.rows - 1);
    if (row != l.hovered) {
        l.hovered = row;
        DrawList();
    }
    MenuListEntry* e = EntryAtRow(l.title, row);
    if (!pressed) return EXM_CODE_NONE;
    // The press is the list's, whether or not its entry does anything: what lies beneath never
    // sees it, nor its release. A greyed entry does nothing, whatever its handler would do.
    const bool acts = e != nullptr && IsSelectable(e->type) && (e->flags & LIST_ENABLED) != 0
                      && e->handler != nullptr;
    const int32_t code = acts ? ActOnCode(e->handler(e)) : EXM_CODE_NONE;
    ForgetHeldPress();
    return code;
}

bool PointerOverPopupOrAnchor()
{
    const OpenList& l = s_bar.list;
    const MenuHotspot& h = *l.hotspot;
    return Inside(PointerX(), PointerY(), l.x, l.y, l.w, l.h)
           || Inside(PointerX(), PointerY(), h.x, h.y, h.width, h.height);
}

int32_t BarStep(bool pressed)
{
    const int32_t title = TitleUnderPointer();
    if (title >= 0 && (s_bar.list.title != s_bar.titles[title].title)) {
        CloseList();
        OpenAt(s_bar.titles[title].title, s_bar.titles[title].x - TITLE_GAP / 2, MENUBAR_HEIGHT, 0,
               false);
        return EXM_CODE_NONE;
    }
    if (s_bar.list.title != nullptr) {
        const OpenList& l = s_bar.list;
        if (title < 0 && !Inside(PointerX(), PointerY(), l.x, l.y, l.w, l.h)) CloseList();
        if (s_bar.list.title != nullptr) return ListStep(pressed);
        return EXM_CODE_NONE;
    }
    if (PointerY() > MENUBAR_HEIGHT) CloseBar();
    return EXM_CODE_NONE;
}

}  // namespace

void MenuBarInit() { s_bar = {}; }
void MenuBarUninit() { s_bar = {}; }

int32_t MenuList_LabelTextNo(const MenuListEntry& entry)
{
    switch (entry.type) {
        case LIST_ENTRY_TEXT_NO:
        case LIST_TITLE_TEXT_NO: return static_cast<int32_t>(entry.label);
        case LIST_ENTRY_TEXT_NO_VAR:
        case LIST_TITLE_TEXT_NO_VAR: return *reinterpret_cast<const int16_t*>(entry.label);
        default: return -1;
    }
}

const char* MenuList_LabelText(const MenuListEntry& entry)
{
    switch (entry.type) {
        case LIST_LINE_STRING:
        case LIST_TITLE_STRING: return reinterpret_cast<const char*>(entry.label);
        case LIST_LINE_STRING_VAR:
        case LIST_TITLE_STRING_VAR: return *reinterpret_cast<const char* const*>(entry.label);
        case LIST_ENTRY_STRING_VAR: return reinterpret_cast<const char*>(entry.label);
        default: return GetMessageText(MenuList_LabelTextNo(entry));
    }
}

void MenuBar_Show(std::intptr_t description)
{
    if (s_bar.description != nullptr) return;  // laid out once per screen
    s_bar.description = reinterpret_cast<MenuListEntry*>(description);
    s_bar.titleCount = 0;
    SetMenuFont(BAR_FONT);
    int32_t x = TITLE_FIRST_X;
    for (MenuListEntry* e = s_bar.description; e->type != LIST_END; ++e) {
        if (!IsTitle(e->type) || s_bar.titleCount == MENUBAR_MAX_LISTS) continue;
        const int32_t width = TextWidth(MenuList_LabelText(*e));
        s_bar.titles[s_bar.titleCount++] = {x, width, e};
        x += width + TITLE_GAP;
    }
}

int32_t MenuBar_Step()
{
    const bool down = (EXM_GetClickState() & BUTTON_BITS) != 0;
    const bool pressed = down && !s_bar.buttonWasDown;
    s_bar.buttonWasDown = down;
    if (s_bar.list.popup) {
        if (!PointerOverPopupOrAnchor()) {
            const bool kept = s_bar.list.kept;
            CloseList();
            return kept ? EXM_CODE_REDRAW : EXM_CODE_NONE;
        }
        return ListStep(pressed);
    }
    if (s_bar.description == nullptr) return EXM_CODE_NONE;
    if (!s_bar.barOpen) {
        if (PointerY() < MENUBAR_OPEN_Y && s_bar.list.title == nullptr) OpenBar();
        return EXM_CODE_NONE;
    }
    return BarStep(pressed);
}

int32_t MenuBar_IsOpen() { return s_bar.barOpen || s_bar.list.title != nullptr ? 1 : 0; }

void MenuBar_OpenPopup(MenuHotspot* hotspot, int32_t number)
{
    auto* description = reinterpret_cast<MenuListEntry*>(hotspot->popup);
    RunPrepare(description, static_cast<uint16_t>(number),
               reinterpret_cast<std::intptr_t>(hotspot));
    CloseList();
    OpenAt(description, hotspot->x, hotspot->y + hotspot->height, hotspot->y, true);
    s_bar.list.hotspot = hotspot;
    s_bar.list.number = static_cast<uint16_t>(number);
    s_bar.buttonWasDown = true;  // the press that opened it chooses nothing
}

int32_t MenuBar_OpenListRows(int32_t* x, int32_t* y, int32_t* w, int32_t* h)
{
    const OpenList& l = s_bar.list;
    if (l.title == nullptr) return 0;
    *x = l.x;
    *y = l.y;
    *w = l.w;
    *h = l.h;
    return l.rows;
}

void MenuBar_Forget()
{
    ResetScreenSection(MENUBAR_BAR_SECTION);
    ResetScreenSection(MENUBAR_LIST_SECTION);
    s_bar = {};
}
