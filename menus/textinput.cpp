// menus/textinput.cpp: the one text field a menu screen may edit at a time.
#include "menus/textinput.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "engine/fatal.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

namespace {

constexpr int32_t KEY_BACKSPACE = 0x0E;
constexpr int32_t KEY_DELETE = 0xD3;
constexpr int32_t KEY_LEFT = 0xCB;
constexpr int32_t KEY_RIGHT = 0xCD;
constexpr int32_t KEY_HOME = 0xC7;
constexpr int32_t KEY_END = 0xCF;
constexpr int32_t KEY_ESCAPE = 0x01;
constexpr int32_t KEY_ENTER = 0x1C;
constexpr int32_t KEY_PAD_ENTER = 0x9C;
constexpr uint16_t BUTTON_BITS = 3;
constexpr int32_t FIELD_FONT_LINE_GAP = 0;

struct TextInputState {
    bool active;
    TextInputField field;
    char* edit;     // maxLength + 1
    char* display;  // the edit text or its mask
    int32_t length;
    int32_t cursor;
    int32_t blankWidth;  // the cursor bar's
    bool redrawAll;
    bool waitRelease;
};

TextInputState s_text;

void Bell() { MenuBeep(); }

int32_t Capacity()
{
    const int32_t max = s_text.field.maxLength;
    return (s_text.field.flags & TEXTINPUT_PADDED) != 0 ? std::max(max - 1, 0) : max;
}

char Shown(uint8_t c)
{
    return (s_text.field.flags & TEXTINPUT_MASKED) != 0 ? '*' : static_cast<char>(c);
}

void BuildDisplay()
{
    for (int32_t i = 0; i < s_text.length; ++i) {
        s_text.display[i] = Shown(static_cast<uint8_t>(s_text.edit[i]));
    }
    s_text.display[s_text.length] = '\0';
}

// The wrapped lines of the display text: the index of each line's first character.
std::vector<int32_t> LineStarts(const char* text)
{
    std::vector<char> scratch(std::strlen(text) + 2, '\0');
    std::memcpy(scratch.data(), text, std::strlen(text));
    char* lines[MENU_TEXT_BOX_LINES] = {};
    const int32_t count = XDoTextAddr(scratch.data(), lines, s_text.field.width);
    std::vector<int32_t> starts;
    for (int32_t i = 0; i < count; ++i) {
        starts.push_back(static_cast<int32_t>(lines[i] - scratch.data()));
    }
    if (starts.empty()) starts.push_back(0);
    return starts;
}

int32_t LineHeight()
{
    int32_t w = 0, h = 0;
    GetTextExtent(" ", &w, &h);
    return h + FIELD_FONT_LINE_GAP;
}

bool Fits(const char* text)
{
    int32_t w = 0, h = 0;
    if ((s_text.field.flags & TEXTINPUT_ONE_LINE) != 0)
        return GetTextExtent(text, &w, &h) <= s_text.field.width;
    // A word wider than the field would be refused by the wrap itself.
    const char* word = text;
    for (const char* p = text;; ++p) {
        if (*p == ' ' || *p == '\0') {
            std::string piece(word, p);
            GetTextExtent(piece.c_str(), &w, &h);
            if (w > s_text.field.width) return false;
            if (*p == '\0') break;
            word = p + 1;
        }
    }
    return true;
}

// Nothing more can be typed: the capacity is reached, or a wide letter would not fit.
bool Full()
{
    if (s_text.length >= Capacity()) return true;
    std::string wider(s_text.display, s_text.length);
    wider.push_back('W');
    return !Fits(wider.c_str());
}

void ClearField(int32_t top, int32_t bottom)
{
    const TextInputField& f = s_text.field;
    if (f.background != nullptr) {
        f.background(&f, f.backgroundArgument);
        return;
    }
    DrawAlignedBar(f.x, top, f.width + s_text.blankWidth, bottom - top, MENU_ALIGN_TL);
}

// Repaints every line and the cursor bar under the character at the cursor: a change or a cursor
// move may reach a line before the cursor's (a word that wraps back, the bar's old place).
void Redraw()
{
    const TextInputField& f = s_text.field;
    const std::vector<int32_t> starts = LineStarts(s_text.display);
    const int32_t pitch = LineHeight();
    int32_t cursorLine = 0;
    for (size_t i = 0; i < starts.size(); ++i) {
        if (starts[i] <= s_text.cursor) cursorLine = static_cast<int32_t>(i);
    }
    const int32_t bottom = f.y + static_cast<int32_t>(starts.size() + 1) * pitch;
    ClearField(f.y, bottom);
    for (size_t i = 0; i < starts.size(); ++i) {
        const int32_t end = i + 1 < starts.size() ? starts[i + 1] : s_text.length;
        const std::string line(s_text.display + starts[i], s_text.display + end);
        DrawMenuString(f.x, f.y + static_cast<int32_t>(i) * pitch, line.c_str(), MENU_ALIGN_TL);
    }
    const std::string before(s_text.display + starts[cursorLine], s_text.display + s_text.cursor);
    int32_t x = 0, h = 0;
    GetTextExtent(before.c_str(), &x, &h);
    SetDrawAttribute(2,
                     MENU_FONT_COLOUR_VALUES[Full() ? TEXTINPUT_FULL_COLOUR : MenuAttr.fontColour]);
    DrawHLine(f.x + x, f.y + cursorLine * pitch + h - TEXTINPUT_CURSOR_HEIGHT, s_text.blankWidth,
              TEXTINPUT_CURSOR_HEIGHT);
}

void Changed()
{
    BuildDisplay();
    Redraw();
}

void DeleteAt(int32_t at)
{
    std::memmove(s_text.edit + at, s_text.edit + at + 1, s_text.length - at);
    --s_text.length;
}

void MoveCursor(int32_t to)
{
    if (to < 0 || to > s_text.length) {
        Bell();
        return;
    }
    s_text.cursor = to;
    Redraw();
}

bool Allowed(uint8_t c)
{
    const char* allowed = s_text.field.allowed;
    if (allowed == nullptr) return true;
    const auto lower = static_cast<char>(std::tolower(c));
    const auto upper = static_cast<char>(std::toupper(c));
    return std::strchr(allowed, c) != nullptr || std::strchr(allowed, lower) != nullptr
           || std::strchr(allowed, upper) != nullptr;
}

void Insert(uint8_t c)
{
    if (c < ' ' || !Allowed(c) || s_text.length >= Capacity()) {
        Bell();
        return;
    }
    // Checked as the field will show it: a masked field's blanks are stars like the rest.
    std::string tried(s_text.display, s_text.length);
    tried.insert(static_cast<size_t>(s_text.cursor), 1, Shown(c));
    if (!Fits(tried.c_str())) {
        Bell();
        return;
    }
    std::memmove(s_text.edit + s_text.cursor + 1, s_text.edit + s_text.cursor,
                 s_text.length - s_text.cursor + 1);
    s_text.edit[s_text.cursor++] = static_cast<char>(c);
    ++s_text.length;
    Changed();
}

void SetText(const char* text)
{
    const int32_t n =
        std::min<int32_t>(static_cast<int32_t>(std::strlen(text)), s_text.field.maxLength);
    std::memcpy(s_text.edit, text, n);
    s_text.edit[n] = '\0';
    s_text.length = n;
    s_text.cursor = n;
}

// The result into the output: with TEXTINPUT_PADDED exactly maxLength - 1 characters.
void CopyOut(bool padded)
{
    char* out = s_text.field.output;
    std::memcpy(out, s_text.edit, s_text.length + 1);
    if (!padded) return;
    const int32_t wanted = Capacity();
    for (int32_t i = s_text.length; i < wanted; ++i) {
        out[i] = ' ';
    }
    out[wanted] = '\0';
}

int32_t Escape()
{
    SetText(s_text.field.initial != nullptr ? s_text.field.initial : "");
    BuildDisplay();
    Redraw();
    CopyOut(false);
    return TEXTINPUT_ESCAPED;
}

int32_t Enter()
{
    Redraw();
    CopyOut((s_text.field.flags & TEXTINPUT_PADDED) != 0);
    return TEXTINPUT_ENTERED;
}

bool PointerIn(const TextInputRect& r)
{
    const int32_t x = PointerX();
    const int32_t y = PointerY();
    return x >= r.x && x < r.x + static_cast<int32_t>(r.width) && y >= r.y && y < r.y + r.height;
}

// The OK and cancel rectangles: a press after the button has been released once.
int32_t PointerStep()
{
    const uint32_t flags = s_text.field.flags;
    if ((flags & (TEXTINPUT_OK_RECT | TEXTINPUT_CANCEL_RECT)) == 0) return TEXTINPUT_GOES_ON;
    const bool down = (EXM_GetClickState() & BUTTON_BITS) != 0;
    if (s_text.waitRelease) {
        if (!down) s_text.waitRelease = false;
        return TEXTINPUT_GOES_ON;
    }
    if (!down) return TEXTINPUT_GOES_ON;
    if ((flags & TEXTINPUT_OK_RECT) != 0 && PointerIn(s_text.field.ok)) return Enter();
    if ((flags & TEXTINPUT_CANCEL_RECT) != 0 && PointerIn(s_text.field.cancel)) return Escape();
    return TEXTINPUT_GOES_ON;
}

int32_t KeyStep(int32_t key)
{
    const uint32_t flags = s_text.field.flags;
    switch (key) {
        case KEY_BACKSPACE:
            if (s_text.cursor == 0) {
                Bell();
            } else {
                DeleteAt(--s_text.cursor);
                Changed();
            }
            return TEXTINPUT_GOES_ON;
        case KEY_DELETE:
            if (s_text.cursor == s_text.length) {
                Bell();
            } else {
                DeleteAt(s_text.cursor);
                Changed();
            }
            return TEXTINPUT_GOES_ON;
        case KEY_LEFT: MoveCursor(s_text.cursor - 1); return TEXTINPUT_GOES_ON;
        case KEY_RIGHT: MoveCursor(s_text.cursor + 1); return TEXTINPUT_GOES_ON;
        case KEY_HOME: MoveCursor(0); return TEXTINPUT_GOES_ON;
        case KEY_END: MoveCursor(s_text.length); return TEXTINPUT_GOES_ON;
        case KEY_ESCAPE: return (flags & TEXTINPUT_NO_ESCAPE) != 0 ? TEXTINPUT_GOES_ON : Escape();
        case KEY_ENTER:
        case KEY_PAD_ENTER:
            return (flags & TEXTINPUT_KEEP_ON_ENTER) != 0 ? TEXTINPUT_GOES_ON : Enter();
        default: return TEXTINPUT_GOES_ON;
    }
}

void FreeBuffers()
{
    if (s_text.edit != nullptr) FreeMemory(&s_text.edit);
    if (s_text.display != nullptr) FreeMemory(&s_text.display);
}

}  // namespace

void TextInputInit()
{
    FreeBuffers();
    s_text = {};
}

void TextInputUninit() { TextInputInit(); }

void EXTI_InitTextInput(const TextInputField* field)
{
    if (s_text.active) FatalAbort(__FILE__, __LINE__, "EXTI_InitTextInput(): already active");
    FreeBuffers();
    s_text = {};
    s_text.field = *field;
    const uint32_t bytes = s_text.field.maxLength + 1u;
    AllocateMemory(&s_text.edit, bytes, MEM_TYPE_GAME);
    AllocateMemory(&s_text.display, bytes, MEM_TYPE_GAME);
    SetText(field->initial != nullptr ? field->initial : "");
    if ((field->flags & TEXTINPUT_PADDED) != 0) {
        TrimTrailingSpaces(s_text.edit);
        s_text.length = static_cast<int32_t>(std::strlen(s_text.edit));
        s_text.cursor = s_text.length;
    }
    BuildDisplay();
    int32_t h = 0;
    GetTextExtent(" ", &s_text.blankWidth, &h);
    s_text.redrawAll = true;
    s_text.active = true;
    KeyClearBuffer();
}

void InitTextInput(int32_t x, int32_t y, int32_t width, int32_t alignment, const char* text,
                   char* output, const char* allowed, TextInputDone done)
{
    if (alignment != MENU_ALIGN_TL)
        FatalAbort(__FILE__, __LINE__, "InitTextInput(): only M_ALIGN_TL is supported");
    TextInputField field{};
    field.x = static_cast<int16_t>(x);
    field.y = static_cast<int16_t>(y);
    field.width = static_cast<uint16_t>(width);
    field.output = output;
    field.done = done;
    field.maxLength = static_cast<uint16_t>(std::strlen(text));
    field.initial = text;
    field.started = 1;
    field.allowed = allowed;
    field.flags = TEXTINPUT_PADDED | TEXTINPUT_ONE_LINE;
    EXTI_InitTextInput(&field);
}

int32_t EXTI_IsActive() { return s_text.active ? 1 : 0; }
void EXTI_SetActive(int32_t flag) { s_text.active = flag != 0; }

int32_t EXTI_HandleKeys()
{
    if (s_text.redrawAll) {
        Redraw();
        s_text.redrawAll = false;
        s_text.waitRelease = true;
    }
    const int32_t code = PointerStep();
    if (code != TEXTINPUT_GOES_ON) return code;
    // The field takes what is typed: nothing of it is left for the menu behind.
    while (KeyAsciiAvailable() > 0) {
        KeyAsciiRead();
    }
    KeyGetLast();
    // Characters come as the player's keyboard typed them; the keys only edit and end the field,
    // each in its turn, so Backspace then "c" edits as typed.
    KeyStroke stroke;
    while (KeyStrokeRead(&stroke)) {
        if (stroke.key < 0) {
            Insert(stroke.character);
            continue;
        }
        if (const int32_t code = KeyStep(stroke.key); code != TEXTINPUT_GOES_ON) return code;
    }
    return TEXTINPUT_GOES_ON;
}

int32_t EXTI_End(int32_t code)
{
    const TextInputDone done = s_text.field.done;
    FreeBuffers();
    s_text.active = false;
    return done != nullptr ? done(code) : code;
}

const char* EXTI_Text() { return s_text.edit != nullptr ? s_text.edit : ""; }
int32_t EXTI_Cursor() { return s_text.cursor; }
