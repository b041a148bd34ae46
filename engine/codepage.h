// engine/codepage.h: the game's one 8-bit character set, Windows-1252, from the Unicode text that
// authored files and the window system give.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The code point starting at text[*pos], advancing *pos past it; false for bad UTF-8.
bool CodePageDecodeUtf8(std::string_view text, size_t* pos, uint32_t* codePoint);
// The byte of a printable character; false for a control character or one the code page lacks.
bool CodePageByteOf(uint32_t codePoint, char* byte);
// A whole UTF-8 text; false for bad UTF-8, a control character or a character the code page lacks.
bool CodePageFromUtf8(std::string_view utf8, std::string* out);
