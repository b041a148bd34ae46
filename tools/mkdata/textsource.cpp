// tools/mkdata/textsource.cpp: reading the authored text sources under data/ and converting them
// to the game's one 8-bit code page.
#include "tools/mkdata/textsource.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "generated/build_paths.h"

namespace {

// The characters of code page 1252 at 0x80-0x9F; 0 where the code page has none.
constexpr std::array<uint32_t, 32> kHighRow = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code point starting at text[*pos], advancing *pos; false for bad UTF-8.
bool DecodeUtf8(const std::string& text, size_t* pos, uint32_t* codePoint)
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

bool ToCodePage(uint32_t codePoint, char* out)
{
    if (codePoint < 0x20 || codePoint == 0x7F) return false;
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        *out = static_cast<char>(codePoint);
        return true;
    }
    for (size_t i = 0; i < kHighRow.size(); ++i) {
        if (kHighRow[i] != 0 && kHighRow[i] == codePoint) {
            *out = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<MkSourceLine> MkReadSourceLines(const std::string& relative)
{
    std::ifstream file(MKDATA_SOURCE_DIR "/" + relative);
    if (!file) MkFailAt(relative, 0, "cannot read the file");
    std::vector<MkSourceLine> lines;
    std::string text;
    for (int number = 1; std::getline(file, text); ++number) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.find_first_not_of(' ') == std::string::npos || text[0] == '#') continue;
        lines.push_back({text, number});
    }
    return lines;
}

bool MkToCp1252(const std::string& utf8, std::string* out)
{
    out->clear();
    for (size_t pos = 0; pos < utf8.size();) {
        uint32_t codePoint = 0;
        char byte = 0;
        if (!DecodeUtf8(utf8, &pos, &codePoint) || !ToCodePage(codePoint, &byte)) return false;
        out->push_back(byte);
    }
    return true;
}

void MkFailAt(const std::string& file, int line, const std::string& why)
{
    std::fprintf(stderr, "mkdata: data/%s:%d: %s\n", file.c_str(), line, why.c_str());
    std::exit(1);
}
