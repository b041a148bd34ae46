// engine/codepage.cpp: the game's one 8-bit character set, Windows-1252, from Unicode text.
#include "engine/codepage.h"

#include <array>

namespace {

// The characters of the code page at 0x80-0x9F; 0 where it has none.
constexpr std::array<uint32_t, 32> kHighRow = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

bool CodePageDecodeUtf8(std::string_view text, size_t* pos, uint32_t* codePoint)
{
    const auto lead = static_cast<uint8_t>(text[*pos]);
    const int extra = lead < 0x80             ? 0
                      : (lead & 0xE0) == 0xC0 ? 1
                      : (lead & 0xF0) == 0xE0 ? 2
                      : (lead & 0xF8) == 0xF0 ? 3
                                              : -1;
    if (extra < 0 || text.size() - *pos <= static_cast<size_t>(extra)) return false;
    uint32_t value = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<uint8_t>(text[*pos + i]);
        if ((next & 0xC0) != 0x80) return false;
        value = (value << 6) | (next & 0x3F);
    }
    *pos += extra + 1;
    *codePoint = value;
    return true;
}

bool CodePageByteOf(uint32_t codePoint, char* byte)
{
    if (codePoint < 0x20 || codePoint == 0x7F) return false;
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        *byte = static_cast<char>(codePoint);
        return true;
    }
    for (size_t i = 0; i < kHighRow.size(); ++i) {
        if (kHighRow[i] != 0 && kHighRow[i] == codePoint) {
            *byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

bool CodePageFromUtf8(std::string_view utf8, std::string* out)
{
    out->clear();
    for (size_t pos = 0; pos < utf8.size();) {
        uint32_t codePoint = 0;
        char byte = 0;
        if (!CodePageDecodeUtf8(utf8, &pos, &codePoint) || !CodePageByteOf(codePoint, &byte))
            return false;
        out->push_back(byte);
    }
    return true;
}
