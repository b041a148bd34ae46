// menus/statservices.cpp: the statistics screens' caption splitter, row selector and chart rules.
#include "menus/statservices.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "menus/exm.h"
#include "menus/frontend.h"

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

int32_t StatsMinuteBucket(int32_t minute)
{
    if (minute <= 15) return 0;
    if (minute > 90) return STATS_MINUTE_BUCKETS - 1;
    return (minute - 1) / 15;
}

int32_t StatsScale_Above(int32_t largest, int32_t first, int32_t step)
{
    int32_t scale = first;
    while (scale <= largest)
        scale += step;
    return scale;
}

void StatsLeagueMatches(int32_t club, int32_t counts[2])
{
    counts[0] = counts[1] = 0;
    // Today's match is in the logs and counters once played, so it counts once played.
    const int32_t end = Fixture_FirstRowOfDay(VTW_GetCurrentDay() + 1);
    for (int32_t row = 0; row < end; ++row) {
        if (VTW_GetFixtureCompetition(row) != COMP_LEAGUE || !Fixture_IsPlayed(row)) continue;
        if (VTW_GetFixtureHomeClub(row) == club) ++counts[0];
        if (VTW_GetFixtureAwayClub(row) == club) ++counts[1];
    }
}

int32_t StatsAverageHundredths(int32_t total, int32_t matches)
{
    if (matches <= 0) return total * 100;
    return static_cast<int32_t>(std::lrint(total * 100.0 / matches));
}

int32_t StatsScreen_Open(int32_t option)
{
    MenuOption = static_cast<int16_t>(option);
    return EXM_CODE_LEAVE;
}

int32_t StatsScreen_Back() { return StatsScreen_Open(MENU_OPTION_OFFICE); }
