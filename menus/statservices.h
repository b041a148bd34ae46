// menus/statservices.h: what the statistics screens share: the splitter that breaks a caption
// into at most three short lines for a narrow column, the selector of a player's statistics row of
// the human's last match, and the rules their charts count and scale by.
#pragma once

#include <cstdint>

#include "game/matchblocks.h"

constexpr int32_t STATS_TEXT_LINES = 3;
constexpr int32_t STATS_TEXT_LINE_BYTES = 100;  // at most 99 characters
constexpr int32_t STATS_CAPTION_WIDTH = 13;     // the screens' column width, in characters

using StatsTextLines = char[STATS_TEXT_LINES][STATS_TEXT_LINE_BYTES];

// Breaks `text` into lines of at most `max` characters (held to 1-99): a text that fits is one
// line; otherwise each line ends before the last space or hyphen within the width (a space is
// dropped, a hyphen begins the next line), or at the width when there is none, and the third
// line ends at the width, losing the rest. The three lines are emptied first and `*index`
// receives the index of the last line written. Null when `text` is null, `*index` then untouched.
StatsTextLines* StatsText_Split(const char* text, int32_t max, StatsTextLines& out, int16_t* index);
// The same split with `width` as the maximum: the number of lines, 0 for a null or empty text.
int32_t SplitTextLines(const char* text, int32_t width, StatsTextLines& out);

// The statistics record of line-up position `slot` (0-15) of side `side` (0 home, 1 away): inside
// the post-match sequence (bit MATCH_REPORT_IN_SEQUENCE) the match data block's, which still
// holds the match just played, else the kept copy of the human's last match. The answer is also
// remembered in StatsRowCurrent. Null for a side or slot out of range.
PlayerMatchRecord* StatsRow_Select(int32_t side, int32_t slot);
inline PlayerMatchRecord* MatchGraphs_GetPlayerRow(int32_t side, int32_t slot)
{
    return StatsRow_Select(side, slot);
}
extern PlayerMatchRecord* StatsRowCurrent;  // owned by StatsRow_Select

constexpr int32_t STATS_MINUTE_BUCKETS = 7;  // 0-15, 16-30, ..., 76-90, later

// The period of the match a minute falls in: 0 up to minute 15, then one each 15 minutes up to
// 90 (30 is in 16-30, 90 in 76-90), 6 after.
int32_t StatsMinuteBucket(int32_t minute);
// A chart's scale: from `first` in steps of `step`, the first above `largest`.
int32_t StatsScale_Above(int32_t largest, int32_t first, int32_t step);
// The club's league matches played so far, at home [0] and away [1].
void StatsLeagueMatches(int32_t club, int32_t counts[2]);
// `total` divided by `matches`, in hundredths; the total itself (in hundredths) without a match.
int32_t StatsAverageHundredths(int32_t total, int32_t matches);

// Leaves for `option`: another club statistics screen, or the office. 6.
int32_t StatsScreen_Open(int32_t option);
// The club statistics screens' OK icon and Escape: back to the office.
int32_t StatsScreen_Back();
