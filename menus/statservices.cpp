// menus/statservices.cpp: the statistics screens' caption splitter and row selector.
#include "menus/statservices.h"

#include <algorithm>
#include <cstring>

PlayerMatchRecord* StatsRowCurrent = nullptr;

namespace {

// Where the line from `start` ends, and where the next one starts, for a rest longer than `max`.
struct LineCut {
    int32_t end;
    int32_t next;
};

LineCut CutLine(const char* text, int32_t start, int32_t max, bool last)
{
    if (!last) {
        // A break at the start itself would give an empty line and no progress.
        for (int32_t pos = start + max; pos > start; --pos) {
            if (text[pos] == ' ') return {pos, pos + 1};
            if (text[pos] == '-') return {pos, pos};
        }
    }
    return {start + max, start + max};
}

void CopyLine(char* line, const char* from, int32_t length)
{
    std::memcpy(line, from, static_cast<size_t>(length));
    line[length] = '\0';
}

}  // namespace

StatsTextLines* StatsText_Split(const char* text, int32_t max, StatsTextLines& out, int16_t* index)
{
    if (text == nullptr) return nullptr;
    std::memset(out, 0, sizeof out);
    max = std::clamp(max, 1, STATS_TEXT_LINE_BYTES - 1);
    const auto length = static_cast<int32_t>(std::strlen(text));
    int32_t start = 0;
    int32_t line = 0;
    for (;; ++line) {
        if (length - start <= max) {
            CopyLine(out[line], text + start, length - start);
            break;
        }
        const LineCut cut = CutLine(text, start, max, line == STATS_TEXT_LINES - 1);
        CopyLine(out[line], text + start, cut.end - start);
        start = cut.next;
        // A space that ends the text leaves no rest to show.
        if (line == STATS_TEXT_LINES - 1 || start >= length) break;
    }
    *index = static_cast<int16_t>(line);
    return &out;
}

int32_t SplitTextLines(const char* text, int32_t width, StatsTextLines& out)
{
    int16_t index = 0;
    if (StatsText_Split(text, width, out, &index) == nullptr || text[0] == '\0') return 0;
    return index + 1;
}

PlayerMatchRecord* StatsRow_Select(int32_t side, int32_t slot)
{
    if (side < 0 || side >= MATCH_SIDE_COUNT || slot < 0 || slot >= MATCH_SHIRT_COUNT)
        return nullptr;
    MatchSideStats& stats = (MatchReportFlags & MATCH_REPORT_IN_SEQUENCE) != 0
                                ? GetMatchDataBlock()->sides[side]
                                : LastMatchCopy.stats[side];
    StatsRowCurrent = &stats.players[slot];
    return StatsRowCurrent;
}
