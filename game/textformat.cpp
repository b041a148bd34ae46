// game/textformat.cpp: numbers, money and person names as the screens show them.
#include "game/textformat.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

constexpr int TEXT_RING_SIZE = 8;

struct TextFormatState {
    char ring[TEXT_RING_SIZE][NAME_TEXT_BYTES];
    int next;
    const char* names;
};

TextFormatState s_textFormat;

int32_t ClampToI32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

char* TextFormat_NextBuffer()
{
    char* buffer = s_textFormat.ring[s_textFormat.next];
    s_textFormat.next = (s_textFormat.next + 1) % TEXT_RING_SIZE;
    buffer[0] = '\0';
    return buffer;
}

const char* VTW_FormatThousands(int32_t n)
{
    char* out = TextFormat_NextBuffer();
    if (n <= 0) return std::strcpy(out, "0");
    char digits[16];
    const int count = std::snprintf(digits, sizeof digits, "%d", n);
    int at = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) out[at++] = ',';
        out[at++] = digits[i];
    }
    out[at] = '\0';
    return out;
}

int32_t VTW_RoundTo25(int32_t v)
{
    const int64_t value = v;
    const int64_t remainder = ((value % 25) + 25) % 25;
    if (remainder == 0) return v;
    // The search meets the nearer multiple first (25 is odd: no ties). One outside the i32
    // range cannot be met, so the other one is taken there.
    const int64_t down = value - remainder;
    const int64_t up = value + (25 - remainder);
    const bool takeUp = (remainder > 25 - remainder && up <= std::numeric_limits<int32_t>::max())
                        || down < std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(takeUp ? up : down);
}

int32_t VTW_RoundMoneyNice(int32_t v)
{
    const int64_t magnitude = v < 0 ? -int64_t{v} : int64_t{v};
    const int significant = magnitude < 100000 ? 2 : 3;
    int64_t unit = 1;
    for (int64_t rest = magnitude; rest >= 10; rest /= 10) {
        unit *= 10;
    }
    for (int i = 1; i < significant && unit > 1; ++i) {
        unit /= 10;
    }
    const int64_t rounded = (magnitude + unit / 2) / unit * unit;
    return ClampToI32(v < 0 ? -rounded : rounded);
}

void VTW_SplitMoneyDigits(int32_t v, uint16_t out[8])
{
    int32_t rest = std::clamp<int32_t>(v, 0, 99999999);
    for (int i = 7; i >= 0; --i) {
        out[i] = static_cast<uint16_t>(rest % 10);
        rest /= 10;
    }
}

void Names_SetBuffer(const char* names) { s_textFormat.names = names; }

void Names_FormatPerson(int32_t initial, int32_t nameIndex, char* out)
{
    out[0] = '\0';
    if (s_textFormat.names == nullptr || nameIndex < 0 || nameIndex >= NAMES_ENTRY_COUNT) return;
    if (initial < 0 || initial > 26) return;
    // Copied by hand: every team sheet of a match day names its players.
    char* at = out;
    if (initial != 0) {
        *at++ = static_cast<char>('A' + initial - 1);
        *at++ = '.';
        *at++ = ' ';
    }
    const char* surname = s_textFormat.names + nameIndex * NAMES_ENTRY_BYTES;
    at = std::copy(surname, std::find(surname, surname + NAMES_ENTRY_BYTES, '\0'), at);
    *at = '\0';
}
