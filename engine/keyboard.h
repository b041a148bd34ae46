// engine/keyboard.h: the keyboard as keys held, keys pressed since last asked, the last key, a
// ring of the characters typed, and the characters of the keys in seven keyboard languages.
#pragma once

#include <cstdint>

// Key codes: the scan code & 0x7F, plus 128 for an extended key; 1 is Escape. Only codes 0-88
// give characters.
constexpr int32_t KEY_CODES = 257;  // the tables' size: codes 0-256
constexpr int32_t KEY_CHAR_CODES = 89;
constexpr int32_t KEY_LANGUAGES = 7;
constexpr int32_t KEY_RING_SIZE = 64;
constexpr uint32_t KEY_RING_KEPT = 62;  // characters kept before the ring drops what is typed
constexpr uint32_t KEY_LEFT_SHIFT = 42;
constexpr uint32_t KEY_RIGHT_SHIFT = 54;

// Installs the keyboard hook, registers "ClearKeyboardInterrupt()" as exit function, selects
// language 0 and clears everything as KeyClearBuffer does. Installed already: fatal error.
void InitKeyboardInterrupt();
// Removes the hook. Not installed: fatal error.
void ClearKeyboardInterrupt();
// Selects the character tables of language 0-6; another is a fatal error.
void SetKeyboardLanguage(int32_t language);
bool KeyIsKeyboardInitialised();

// Codes outside 0-256 answer 0.
int32_t KeyIsDown(int32_t code);
int32_t KeyWasPressed(int32_t code);  // 1 once per press since the last call for the code
int32_t KeyGetLast();                 // the last key that went down, then -1 until another does
// Whether a Shift key was down when the last key went down: a quick typist's Shift is often up
// again before the key is read.
bool KeyLastWasShifted();
// The character of a code in the current language (0: none, and for codes outside 0-88).
uint8_t KeyCodeToAscii(int32_t code, bool shifted);
// The same in a given language 0-6, whatever is selected.
uint8_t KeyCodeToAsciiIn(int32_t language, int32_t code, bool shifted);
// Characters waiting: those the host's char messages delivered, as the player's own layout typed
// them. Not installed: fatal error.
int32_t KeyAsciiAvailable();
// The next character, sign-extended (0xE9 gives -23); waits, calling Poll, until one is typed.
// Not installed: fatal error.
int32_t KeyAsciiRead();
// One key that went down or one character typed, as the player did them one after another.
struct KeyStroke {
    int32_t key;        // the key's code, or -1 for a character
    uint8_t character;  // the character typed; 0 for a key
};
// The oldest stroke waiting into *stroke, false when none waits: a text field reads keys and
// characters in the order they came, so Backspace then "c" edits as typed. Past KEY_RING_KEPT
// waiting, strokes are dropped.
bool KeyStrokeRead(KeyStroke* stroke);
// Every key up and unpressed, no last key, no character or stroke waiting.
void KeyClearBuffer();
