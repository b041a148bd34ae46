// menus/helppanel.cpp: the help panel viewer.
#include "menus/helppanel.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/fatal.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "game/textmess.h"
#include "menus/hotregion.h"
#include "menus/machine.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

namespace {

// One panel: its id, its title and its text, the developer texts from `first` on, a line each.
struct HelpEntry {
    uint32_t reserved;
    int16_t id;
    int16_t title;
    int16_t first;
    int16_t count;
};
constexpr HelpEntry kHelpTable[HELP_PANEL_COUNT] = {{0, 0, 1014, 51, 26}};

constexpr int32_t HELP_FONT = 1;
constexpr int32_t TITLE_FONT = 2;
constexpr int32_t PAGE_HEIGHT = 358;
constexpr int32_t LINE_WIDTH = 538;
constexpr int32_t PAGE_X = 40;
constexpr int32_t PAGE_Y = 64;
constexpr int32_t ARROWS_X = 580;
constexpr int32_t ARROWS_Y = 200;
constexpr int32_t OK_X = 570;  // over the screen's own tick, which it stands for
constexpr int32_t OK_Y = 436;
constexpr uint16_t PAGE_COLOUR = 0x0008;  // a deep blue
constexpr int32_t SHADOW_COLOUR = 0;
constexpr int32_t TITLE_COLOUR = 8;
constexpr uint16_t LEFT_BUTTON = 1;
constexpr uint16_t RIGHT_BUTTON = 2;
constexpr int32_t ICON_ARROWS = 1205;
constexpr int32_t KEY_ESCAPE = 1;
constexpr int32_t KEY_ENTER = 28;
constexpr int32_t KEY_UP = 200;
constexpr int32_t KEY_PAGE_UP = 201;
constexpr int32_t KEY_DOWN = 208;
constexpr int32_t KEY_PAGE_DOWN = 209;

// The answers of the wait: 1 closes, 2-5 move the page.
enum HelpAnswer : int32_t {
    HELP_NONE,
    HELP_CLOSE,
    HELP_LINE_UP,
    HELP_LINE_DOWN,
    HELP_PAGE_UP,
    HELP_PAGE_DOWN
};

struct HelpKey {
    int32_t code;
    HelpAnswer answer;
};
constexpr HelpKey kKeys[] = {
    {KEY_ESCAPE, HELP_CLOSE},   {KEY_ENTER, HELP_CLOSE},     {KEY_UP, HELP_LINE_UP},
    {KEY_DOWN, HELP_LINE_DOWN}, {KEY_PAGE_UP, HELP_PAGE_UP}, {KEY_PAGE_DOWN, HELP_PAGE_DOWN},
};

constexpr HotRegion Zone(int32_t x, int32_t y, int32_t w, int32_t h, HelpAnswer answer)
{
    return {HOTREGION_TEXT_NO,
            static_cast<int16_t>(x),
            static_cast<int16_t>(y),
            static_cast<int16_t>(w),
            static_cast<int16_t>(h),
            0,
            0,
            0,
            nullptr,
            static_cast<int16_t>(answer)};
}
// The arrows' zones answer a line; a right click turns a line into a page.
constexpr HotRegion kZones[] = {
    Zone(ARROWS_X + 6, ARROWS_Y + 2, 30, 15, HELP_LINE_UP),
    Zone(ARROWS_X + 6, ARROWS_Y + 22, 30, 15, HELP_LINE_DOWN),
    Zone(OK_X - 20, OK_Y - 20, 40, 40, HELP_CLOSE),
    {HOTREGION_END, 0, 0, 0, 0, 0, 0, 0, nullptr, 0},
};

struct HelpPanelState {
    char* text;  // the tracked copy the lines point into
    char* lines[MENU_TEXT_BOX_LINES];
    int32_t lineCount;
    int32_t pageLines;
    int32_t firstLine;
    bool held;
};
HelpPanelState s_help;

void CopyText(const HelpEntry& entry)
{
    std::string text;
    for (int32_t k = 0; k < entry.count; ++k) {
        if (k > 0) text += '\n';
        text += GetMessageText(TEXT_DEV_BASE + entry.first + k);
    }
    // The zeroed block ends the text with the two NULs the wrapping wants.
    AllocateMemory(&s_help.text, static_cast<uint32_t>(text.size() + 2), MEM_TYPE_GAME);
    std::memcpy(s_help.text, text.data(), text.size());
    s_help.lineCount = XDoTextAddr(s_help.text, s_help.lines, LINE_WIDTH);
}

int32_t LineHeight()
{
    int32_t w = 0, h = 0;
    GetTextExtent(" ", &w, &h);
    return h;
}

void DrawFrame(const HelpEntry& entry)
{
    SetDrawAttribute(2, 0);
    DoShadedBox(0, 0, 640, 480, 75);
    DoButton(20, 30, 600, 420);
    SetMenuFont(TITLE_FONT);
    SetDrawAttribute(1, SHADOW_COLOUR);
    DrawMenuMessage(307, 37, entry.title, MENU_ALIGN_TC);
    SetDrawAttribute(1, TITLE_COLOUR);
    DrawMenuMessage(305, 35, entry.title, MENU_ALIGN_TC);
    DoIcon(ARROWS_X, ARROWS_Y, ICON_ARROWS, MENU_ALIGN_TL);
    DoIcon(OK_X, OK_Y, MENU_ICON_OK, MENU_ALIGN_CENTRE);
}

void DrawPage()
{
    SetMenuFont(HELP_FONT);
    SetDrawAttribute(1, 0);
    const int32_t pitch = LineHeight();
    // An opaque page: each redraw covers the text it replaces, and the screen beneath never
    // shows through the lines.
    DrawTranslucentRect(PAGE_X - 6, PAGE_Y - 4, LINE_WIDTH + 12, s_help.pageLines * pitch + 8,
                        PAGE_COLOUR, 255);
    for (int32_t i = 0; i < s_help.pageLines && s_help.firstLine + i < s_help.lineCount; ++i) {
        DrawMenuString(PAGE_X, PAGE_Y + i * pitch, s_help.lines[s_help.firstLine + i],
                       MENU_ALIGN_TL);
    }
    PresentMenuScreen();
}

HelpAnswer ReadKeys()
{
    for (const HelpKey& key : kKeys) {
        if (KeyWasPressed(key.code) != 0) return key.answer;
    }
    return HELP_NONE;
}

// One pointer frame and the keys; a click counts on its press, once.
HelpAnswer WaitForAnswer()
{
    for (;;) {
        int16_t x = 0, y = 0;
        uint16_t buttons = 0;
        PointerFrame(&x, &y, &buttons);
        const bool down = (buttons & (LEFT_BUTTON | RIGHT_BUTTON)) != 0;
        const bool pressed = down && !s_help.held;
        s_help.held = down;
        if (const HelpAnswer key = ReadKeys(); key != HELP_NONE) return key;
        if (!pressed) continue;
        const int32_t zone = HotRegion_HitTest(kZones, x, y, LEFT_BUTTON);
        if (zone < 0) continue;
        const bool right = (buttons & RIGHT_BUTTON) != 0;
        if (right && zone == HELP_LINE_UP) return HELP_PAGE_UP;
        if (right && zone == HELP_LINE_DOWN) return HELP_PAGE_DOWN;
        return static_cast<HelpAnswer>(zone);
    }
}

int32_t Moved(HelpAnswer answer)
{
    const int32_t last = std::max(0, s_help.lineCount - s_help.pageLines);
    int32_t first = s_help.firstLine;
    switch (answer) {
        case HELP_LINE_UP: --first; break;
        case HELP_LINE_DOWN: ++first; break;
        case HELP_PAGE_UP: first -= s_help.pageLines; break;
        case HELP_PAGE_DOWN: first += s_help.pageLines; break;
        default: break;
    }
    return std::clamp(first, 0, last);
}

}  // namespace

int32_t IsCurrentPanel(int32_t id) { return id == kHelpTable[0].id ? 0 : -1; }

void DoHelpPanel(int32_t n)
{
    if (n < 0 || n >= HELP_PANEL_COUNT)
        FatalError("Error: DoHelpPanel(): help value %d out of range\n", n);
    const HelpEntry& entry = kHelpTable[n];
    s_help = {};
    SetMenuFont(HELP_FONT);
    s_help.pageLines = PAGE_HEIGHT / LineHeight() - 1;
    CopyText(entry);
    DrawFrame(entry);
    DrawPage();
    KeyClearBuffer();
    s_help.held = true;  // the press that opened the panel must not move it
    for (HelpAnswer answer = WaitForAnswer(); answer != HELP_CLOSE; answer = WaitForAnswer()) {
        const int32_t first = Moved(answer);
        if (first == s_help.firstLine) continue;
        s_help.firstLine = first;
        DrawPage();
    }
    FreeMemory(&s_help.text);
    s_help = {};
    ForgetHeldPress();
}

int32_t HelpPanel_FirstLine() { return s_help.firstLine; }
int32_t HelpPanel_LineCount() { return s_help.lineCount; }
int32_t HelpPanel_PageLines() { return s_help.pageLines; }
