// engine/keyboard.cpp: the keyboard as keys held, keys pressed since last asked, the last key, a
// ring of the characters typed, and the characters of the keys in seven keyboard languages.
#include "engine/keyboard.h"

#include <array>
#include <cstring>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/poll.h"
#include "engine/winlib.h"

namespace {

using CharTable = std::array<uint8_t, KEY_CHAR_CODES>;

struct SameEverywhere {
    uint8_t code;
    uint8_t unshifted;
    uint8_t shifted;
};

// The keys that type the same in every language.
// clang-format off
constexpr auto kCommonKeys = std::to_array<SameEverywhere>({
    {1, 0x1B, 0x1B}, {14, 0x08, 0x08}, {15, 0x09, 0x09}, {28, 0x0D, 0x0D}, {57, ' ', ' '},
    {55, '*', '*'},  {71, '7', '7'},   {72, '8', '8'},   {73, '9', '9'},   {74, '-', '-'},
    {75, '4', '4'},  {76, '5', '5'},   {77, '6', '6'},   {78, '+', '+'},   {79, '1', '1'},
    {80, '2', '2'},  {81, '3', '3'},   {82, '0', '0'},   {83, '.', '.'},
    {18, 'e', 'E'},  {19, 'r', 'R'},   {20, 't', 'T'},   {22, 'u', 'U'},   {23, 'i', 'I'},
    {24, 'o', 'O'},  {25, 'p', 'P'},   {31, 's', 'S'},   {32, 'd', 'D'},   {33, 'f', 'F'},
    {34, 'g', 'G'},  {35, 'h', 'H'},   {36, 'j', 'J'},   {37, 'k', 'K'},   {38, 'l', 'L'},
    {45, 'x', 'X'},  {46, 'c', 'C'},   {47, 'v', 'V'},   {48, 'b', 'B'},   {49, 'n', 'N'},
});
// clang-format on

struct LanguageKey {
    uint8_t code;
    uint8_t chars[KEY_LANGUAGES][2];  // per language: unshifted, shifted (0: none)
};

// The keys that differ between languages 0-6; byte values are the game's code page.
// clang-format off
constexpr auto kLanguageKeys = std::to_array<LanguageKey>({
    {2, {{'1', '!'}, {'1', '!'}, {'1', '!'}, {'1', '!'}, {'1', '&'}, {'1', '!'}, {'1', '!'}}},
    {3, {{'2', '"'}, {'2', '@'}, {'2', '"'}, {'2', '"'}, {'2', 0xE9}, {'2', '"'}, {'2', '"'}}},
    {4, {{'3', 0x9C}, {'3', '#'}, {'3', 0}, {'3', 0x9C}, {'3', 0x95}, {'3', '#'}, {'3', 0xB7}}},
    {5, {{'4', '$'}, {'4', '$'}, {'4', '$'}, {'4', '$'}, {'4', ','}, {'4', '$'}, {'4', '$'}}},
    {6, {{'5', '%'}, {'5', '%'}, {'5', '%'}, {'5', '%'}, {'5', '('}, {'5', '%'}, {'5', '%'}}},
    {7, {{'6', '^'}, {'6', '^'}, {'6', '&'}, {'6', '^'}, {'6', '-'}, {'6', '&'}, {'6', '&'}}},
    {8, {{'7', '&'}, {'7', '&'}, {'7', '/'}, {'7', '&'}, {'7', 0xE8}, {'7', '/'}, {'7', '/'}}},
    {9, {{'8', '*'}, {'8', '*'}, {'8', '('}, {'8', '*'}, {'8', '_'}, {'8', '('}, {'8', '('}}},
    {10, {{'9', '('}, {'9', '('}, {'9', ')'}, {'9', '('}, {'9', 0xE7}, {'9', ')'}, {'9', ')'}}},
    {11, {{'0', ')'}, {'0', ')'}, {'0', '='}, {'0', ')'}, {'0', 0xE0}, {'0', '='}, {'0', '='}}},
    {12, {{'-', '_'}, {'-', '_'}, {0, '?'}, {0x27, 0}, {0xBA, ')'}, {0x27, '?'}, {0x27, '?'}}},
    {13, {{'=', '+'}, {'=', '+'}, {0x27, '`'}, {0, 0}, {'+', '='}, {0xAB, 0xBB}, {0xA1, 0xBF}}},
    {16, {{'q', 'Q'}, {'q', 'Q'}, {'q', 'Q'}, {'q', 'Q'}, {'a', 'A'}, {'q', 'Q'}, {'q', 'Q'}}},
    {17, {{'w', 'W'}, {'w', 'W'}, {'w', 'W'}, {'w', 'W'}, {'z', 'Z'}, {'w', 'W'}, {'w', 'W'}}},
    {21, {{'y', 'Y'}, {'y', 'Y'}, {'z', 'Z'}, {'y', 'Y'}, {'y', 'Y'}, {'y', 'Y'}, {'y', 'Y'}}},
    {26, {{'[', '{'}, {'[', '{'}, {0, 0}, {'[', '{'}, {'"', '^'}, {'+', '*'}, {'`', '^'}}},
    {27, {{']', '}'}, {']', '}'}, {'+', '*'}, {']', '}'}, {0xA3, '$'}, {0x27, '`'}, {'+', '*'}}},
    {30, {{'a', 'A'}, {'a', 'A'}, {'a', 'A'}, {'a', 'A'}, {'q', 'Q'}, {'a', 'A'}, {'a', 'A'}}},
    {39, {{';', ':'}, {';', ':'}, {0, 0}, {0, 0}, {'m', 'M'}, {0xE7, 0xC7}, {0xF1, 0xD1}}},
    {40, {{0x27, '@'}, {0x27, '"'}, {0, 0}, {0, 0}, {'%', 0xF9}, {0xB0, 0xAA}, {0x27, 0}}},
    {41, {{'`', '`'}, {'`', '~'}, {0x5C, 0}, {0x5C, 0}, {0xB2, 0}, {0x5C, '|'}, {0xB0, 0xAA}}},
    {43, {{'#', '~'}, {0x5C, '|'}, {'#', 0}, {0, 0}, {0xB5, '*'}, {'~', '^'}, {0xE7, 0xC7}}},
    {44, {{'z', 'Z'}, {'z', 'Z'}, {'y', 'Y'}, {'z', 'Z'}, {'w', 'W'}, {'z', 'Z'}, {'z', 'Z'}}},
    {50, {{'m', 'M'}, {'m', 'M'}, {'m', 'M'}, {'m', 'M'}, {'?', ','}, {'m', 'M'}, {'m', 'M'}}},
    {51, {{',', '<'}, {',', '<'}, {',', ';'}, {',', ';'}, {'.', ';'}, {',', ';'}, {',', ';'}}},
    {52, {{'.', '>'}, {'.', '>'}, {'.', ':'}, {'.', ':'}, {'/', ':'}, {'.', ':'}, {'.', ':'}}},
    {53, {{'/', '?'}, {'/', '?'}, {'-', '_'}, {'-', '_'}, {0xA7, '!'}, {'-', '_'}, {'-', '_'}}},
    {86, {{0x5C, '|'}, {0, 0}, {'<', '>'}, {'<', '>'}, {'>', '<'}, {'<', '>'}, {'<', '>'}}},
});
// clang-format on

// Row 2 x language is the unshifted table, the next row the shifted one.
constexpr auto kTables = [] {
    std::array<CharTable, 2 * KEY_LANGUAGES> tables{};
    for (int32_t language = 0; language < KEY_LANGUAGES; ++language) {
        for (const SameEverywhere& key : kCommonKeys) {
            tables[2 * language][key.code] = key.unshifted;
            tables[2 * language + 1][key.code] = key.shifted;
        }
        for (const LanguageKey& key : kLanguageKeys) {
            tables[2 * language][key.code] = key.chars[language][0];
            tables[2 * language + 1][key.code] = key.chars[language][1];
        }
    }
    return tables;
}();

struct KeyboardState {
    bool initialised;
    int32_t hookKey;
    uint8_t down[KEY_CODES];
    uint8_t pressed[KEY_CODES];
    int32_t lastKey = -1;
    bool lastShifted;  // Shift at the last key's press: it may be up again before anyone reads
    uint8_t ring[KEY_RING_SIZE];
    uint32_t readIndex;  // free-running: a character's slot is index & 63
    uint32_t writeIndex;
    KeyStroke strokes[KEY_RING_SIZE];  // keys and characters in one ring, in the order they came
    uint32_t strokeReadIndex;
    uint32_t strokeWriteIndex;
    const CharTable* unshifted = &kTables[0];
    const CharTable* shifted = &kTables[1];
};

KeyboardState s_keyboard;

bool IsKeyCode(int32_t code) { return code >= 0 && code < KEY_CODES; }

void AddStroke(int32_t key, uint8_t character)
{
    if (s_keyboard.strokeWriteIndex - s_keyboard.strokeReadIndex >= KEY_RING_KEPT) return;
    s_keyboard.strokes[s_keyboard.strokeWriteIndex & (KEY_RING_SIZE - 1)] = {key, character};
    ++s_keyboard.strokeWriteIndex;
}

void KeyDown(uint32_t code)
{
    AddStroke(static_cast<int32_t>(code), 0);
    s_keyboard.down[code] = 1;
    s_keyboard.pressed[code] = 1;
    s_keyboard.lastKey = static_cast<int32_t>(code);
    // Only the Shift keys shift: Caps Lock is not looked at.
    s_keyboard.lastShifted = s_keyboard.down[KEY_LEFT_SHIFT] || s_keyboard.down[KEY_RIGHT_SHIFT];
}

void Typed(uint8_t character)
{
    if (character == 0) return;
    AddStroke(-1, character);
    if (s_keyboard.writeIndex - s_keyboard.readIndex >= KEY_RING_KEPT) return;
    s_keyboard.ring[s_keyboard.writeIndex & (KEY_RING_SIZE - 1)] = character;
    ++s_keyboard.writeIndex;
}

// Key and character messages are taken here, auto-repeats included; everything else goes on.
// The ring holds the characters the player's own keyboard layout typed, never a translation of
// the keys by our tables: those would type a French layout's characters on every keyboard.
intptr_t KeyboardWindowProc(HostWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == HOST_MSG_CHAR) {
        Typed(static_cast<uint8_t>(wParam));
        return 0;
    }
    if (message != HOST_MSG_KEY_DOWN && message != HOST_MSG_KEY_UP)
        return WinPassOnMessage(window, message, wParam, lParam);
    const uint32_t code = HostKeyCodeOf(lParam);
    if (static_cast<uint32_t>(lParam) & 0x80000000u) {
        s_keyboard.down[code] = 0;
    } else {
        KeyDown(code);
    }
    return 0;
}

}  // namespace

void InitKeyboardInterrupt()
{
    if (s_keyboard.initialised)
        FatalError("Error: InitKeyboardInterrupt(): Cannot set keyboard interrupt if already "
                   "running\n");
    s_keyboard.hookKey = WinAddWindowProc(KeyboardWindowProc);
    OnExitAddEx(ClearKeyboardInterrupt, "ClearKeyboardInterrupt()");
    SetKeyboardLanguage(0);
    s_keyboard.initialised = true;
    KeyClearBuffer();
    DebugPrintf(DBG_INPUT, 1, "InitKeyboardInterrupt(): initialised\n");
}

void ClearKeyboardInterrupt()
{
    if (!s_keyboard.initialised)
        FatalError("Error: ClearKeyboardInterrupt(): Cannot stop keyboard interrupt if not "
                   "running\n");
    OnExitRemove(ClearKeyboardInterrupt);
    WinRemoveWindowProc(s_keyboard.hookKey);
    s_keyboard.initialised = false;
    DebugPrintf(DBG_INPUT, 1, "ClearKeyboardInterrupt(): cleared\n");
}

void SetKeyboardLanguage(int32_t language)
{
    if (language < 0 || language >= KEY_LANGUAGES)
        FatalError("Error: SetKeyboardLanguage(): unknown language\n");
    s_keyboard.unshifted = &kTables[2 * language];
    s_keyboard.shifted = &kTables[2 * language + 1];
}

bool KeyIsKeyboardInitialised() { return s_keyboard.initialised; }

int32_t KeyIsDown(int32_t code) { return IsKeyCode(code) ? s_keyboard.down[code] : 0; }

int32_t KeyWasPressed(int32_t code)
{
    if (!IsKeyCode(code) || !s_keyboard.pressed[code]) return 0;
    s_keyboard.pressed[code] = 0;
    return 1;
}

int32_t KeyGetLast()
{
    const int32_t last = s_keyboard.lastKey;
    s_keyboard.lastKey = -1;
    return last;
}

bool KeyLastWasShifted() { return s_keyboard.lastShifted; }

uint8_t KeyCodeToAscii(int32_t code, bool shifted)
{
    if (code < 0 || code >= KEY_CHAR_CODES) return 0;
    return (shifted ? *s_keyboard.shifted : *s_keyboard.unshifted)[code];
}

uint8_t KeyCodeToAsciiIn(int32_t language, int32_t code, bool shifted)
{
    if (language < 0 || language >= KEY_LANGUAGES || code < 0 || code >= KEY_CHAR_CODES) return 0;
    return kTables[2 * language + (shifted ? 1 : 0)][code];
}

int32_t KeyAsciiAvailable()
{
    if (!s_keyboard.initialised)
        FatalError("Error: KeyAsciiAvailable(): keyboard not initialised\n");
    return static_cast<int32_t>(s_keyboard.writeIndex - s_keyboard.readIndex);
}

int32_t KeyAsciiRead()
{
    if (!s_keyboard.initialised) FatalError("Error: KeyAsciiRead(): keyboard not initialised\n");
    while (s_keyboard.writeIndex == s_keyboard.readIndex) {
        Poll();
    }
    const uint8_t character = s_keyboard.ring[s_keyboard.readIndex & (KEY_RING_SIZE - 1)];
    ++s_keyboard.readIndex;
    return static_cast<int8_t>(character);
}

bool KeyStrokeRead(KeyStroke* stroke)
{
    if (s_keyboard.strokeReadIndex == s_keyboard.strokeWriteIndex) return false;
    *stroke = s_keyboard.strokes[s_keyboard.strokeReadIndex & (KEY_RING_SIZE - 1)];
    ++s_keyboard.strokeReadIndex;
    return true;
}

void KeyClearBuffer()
{
    std::memset(s_keyboard.down, 0, sizeof s_keyboard.down);
    std::memset(s_keyboard.pressed, 0, sizeof s_keyboard.pressed);
    s_keyboard.lastKey = -1;
    s_keyboard.lastShifted = false;
    s_keyboard.readIndex = s_keyboard.writeIndex;
    s_keyboard.strokeReadIndex = s_keyboard.strokeWriteIndex;
}
