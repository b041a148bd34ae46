// menus/analysistext.h: the written analysis of the human's team in his last match, twenty rows
// of headings and comments, each player named once for a run of comments about him.
#pragma once

#include <cstdint>

struct MenuItem;

constexpr int32_t ANALYSIS_TEXT_ROWS = 20;
constexpr int32_t ANALYSIS_LABEL_BYTES = 300;

struct AnalysisTextRow {
    int16_t heading;                   // text number, -1 none
    int16_t comment;                   // text number, -1 none
    char label[ANALYSIS_LABEL_BYTES];  // "name:" or empty
};

struct AnalysisTextState {
    AnalysisTextRow rows[ANALYSIS_TEXT_ROWS];
};
extern AnalysisTextState AnalysisText;  // owned by AnalysisText

void AnalysisTextInit();
void AnalysisTextUninit();

// The rows from the analysis lines, a comment's player found by his shirt in the current squad
// list; a comment on a whole line (slot -1) names nobody.
void AnalysisText_FillRows();
void AnalysisText_Build();  // on a rebuild: the human's last match analysed, the rows filled
int32_t AnalysisText_Ok();  // back to the performance screen

const MenuItem* AnalysisText_Table();  // option 74
