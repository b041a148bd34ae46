// game/analysis.h: the written analyses of a played match and of a squad, line by line, that the
// match analysis screen shows.
#pragma once

#include <cstdint>

constexpr int32_t ANALYSIS_LINE_MAX = 100;
constexpr int32_t ANALYSIS_HEADING_LAST = 1231;  // text numbers up to this one are headings

// The latest analysis. text: 0 no line; up to ANALYSIS_HEADING_LAST a heading, above it a
// comment. slot: the player a comment speaks of, -1 for a comment on the whole line of the
// heading above it; in a match analysis his shirt - 1, in a squad analysis his index in SquadList.
struct AnalysisTable {
    int16_t text[ANALYSIS_LINE_MAX];
    int16_t slot[ANALYSIS_LINE_MAX];
};
extern AnalysisTable AnalysisLines;

// The human club's side of a played fixture row (the home side when he played in neither): for
// each line of the team that played, its heading, the line's mean rating against the side's, then
// each of its players: rating against the side's mean, goals, assist, cards, injury, man of the
// match, coming on. A row that is not played gives no lines. Returns the lines written.
int32_t VTW_BuildMatchAnalysis(int32_t row);

// The club's squad, with SquadList refreshed for it: for each line its heading, then a line too
// short, or the strongest or weakest by the season's mean ratings, then each of its players:
// season rating against the squad's, age and promise, contract, fitness, injury, suspension and
// discipline. Returns the lines written.
int32_t VTW_BuildSquadAnalysis(int32_t club);
