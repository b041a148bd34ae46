// menus/numbers.cpp: numbers and money as the screens show them, in the texts' own units.
#include "menus/numbers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/fatal.h"
#include "game/textmess.h"
#include "menus/menupc.h"

namespace {

constexpr int32_t TEXT_FREE = 433;
constexpr int32_t TEXT_CURRENCY = 434;
constexpr int32_t TEXT_DECIMAL_POINT = 435;
constexpr int32_t TEXT_UNIT_THOUSAND_MILLIONS = 436;
constexpr int32_t TEXT_UNIT_MILLIONS = 437;
constexpr int32_t TEXT_UNIT_THOUSANDS = 438;
constexpr int32_t TEXT_ORDINAL_FIRST = 263;  // then 264 "2nd", 265 "3rd", 266 every other

struct NumbersState {
    char buffer[NUMBERS_BUFFER_BYTES];
};

NumbersState s_numbers;

// Groups of three digits of |v|, lowest first.
struct Groups {
    int32_t g[4];  // units, thousands, millions, thousand millions
};

Groups Split(int32_t value)
{
    uint32_t magnitude = static_cast<uint32_t>(value < 0 ? -static_cast<int64_t>(value) : value);
    Groups groups{};
    for (int32_t& group : groups.g) {
        group = static_cast<int32_t>(magnitude % 1000);
        magnitude /= 1000;
    }
    return groups;
}

// Appends to the shared buffer, cut at its end.
class Writer {
public:
    Writer() { s_numbers.buffer[0] = '\0'; }
    template <typename... Args>
    void Put(const char* format, Args... args)
    {
        const size_t room = sizeof s_numbers.buffer - m_length;
        const int written = std::snprintf(s_numbers.buffer + m_length, room, format, args...);
        if (written > 0)
            m_length =
                std::min(m_length + static_cast<size_t>(written), sizeof s_numbers.buffer - 1);
    }
    void Text(int32_t textNo) { Put("%s", GetMessageText(textNo)); }
    const char* Result() const { return s_numbers.buffer; }

private:
    size_t m_length = 0;
};

// Three decimals without the trailing zeros: 500 "5", 50 "05", 5 "005", 550 "55".
void PutFraction(Writer* out, int32_t group)
{
    if (group % 100 == 0) {
        out->Put("%d", group / 100);
    } else if (group % 10 == 0) {
        out->Put("%02d", group / 10);
    } else {
        out->Put("%03d", group);
    }
}

constexpr int32_t UNIT_TEXTS[3] = {TEXT_UNIT_THOUSANDS, TEXT_UNIT_MILLIONS,
                                   TEXT_UNIT_THOUSAND_MILLIONS};

// The highest non-zero group from thousands up, or 0 when only units remain.
int32_t LeadingGroup(const Groups& groups)
{
    for (int32_t i = 3; i >= 1; --i) {
        if (groups.g[i] > 0) return i;
    }
    return 0;
}

}  // namespace

const char* Number2Str(int32_t value)
{
    switch (MenuAttr.numberType) {
        case 0: {
            Writer out;
            out.Put("%d", value);
            return out.Result();
        }
        case 1: return Price2str(value);
        case 2: return Price2strShort(value);
        case 3: return Ordinal2Str(value);
        case 4: {
            Writer out;
            out.Put("%02d", value % 100);
            return out.Result();
        }
        default: FatalError("Number2Str(): Invalid number type (%d)\n", MenuAttr.numberType);
    }
}

const char* Price2str(int32_t amount)
{
    const Groups groups = Split(amount);
    Writer out;
    if (amount < 0) out.Put("-");
    out.Text(TEXT_CURRENCY);
    const int32_t lead = LeadingGroup(groups);
    out.Put("%d", groups.g[lead]);
    if (lead > 0) {
        if (groups.g[lead - 1] > 0) {
            out.Text(TEXT_DECIMAL_POINT);
            PutFraction(&out, groups.g[lead - 1]);
        }
        out.Text(UNIT_TEXTS[lead - 1]);
    }
    return out.Result();
}

const char* Price2strShort(int32_t amount)
{
    const Groups groups = Split(amount);
    Writer out;
    if (amount < 0) out.Put("-");
    const int32_t lead = LeadingGroup(groups);
    if (lead == 0 && groups.g[0] == 0) {
        out.Text(TEXT_FREE);
        return out.Result();
    }
    out.Put("%d", groups.g[lead]);
    if (lead > 0) {
        // The decimal shows whenever the next group is non-zero, even as "0": 1,050 is "1.0K".
        if (groups.g[lead - 1] > 0) {
            out.Text(TEXT_DECIMAL_POINT);
            out.Put("%d", groups.g[lead - 1] / 100);
        }
        out.Text(UNIT_TEXTS[lead - 1]);
    }
    return out.Result();
}

const char* Ordinal2Str(int32_t value)
{
    const int32_t last = value % 10;
    const int32_t lastTwo = value % 100;
    int32_t suffix = TEXT_ORDINAL_FIRST + 3;
    if (last == 1 && lastTwo != 11) suffix = TEXT_ORDINAL_FIRST;
    if (last == 2 && lastTwo != 12) suffix = TEXT_ORDINAL_FIRST + 1;
    if (last == 3 && lastTwo != 13) suffix = TEXT_ORDINAL_FIRST + 2;
    Writer out;
    out.Put("%d%s", value, GetMessageText(suffix));
    return out.Result();
}

const char* Price2strLong(int32_t amount)
{
    const Groups groups = Split(amount);
    Writer out;
    if (amount < 0) out.Put("-");
    out.Text(TEXT_CURRENCY);
    const int32_t lead = LeadingGroup(groups);
    out.Put("%d", groups.g[lead]);
    for (int32_t i = lead - 1; i >= 0; --i) {
        out.Put(",%03d", groups.g[i]);
    }
    return out.Result();
}
