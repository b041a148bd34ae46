// menus/reportscreen.h: the match report of the human's last match: the score, who scored and
// when, missed penalties and sendings-off per side, four statistics, possession, the man of the
// match and the attendance.
#pragma once

#include <cstdint>

struct LastMatchIncident;
struct MenuItem;

constexpr int32_t REPORT_LINES = 32;       // a side's column
constexpr int32_t REPORT_LINE_BYTES = 31;  // 30 characters; a longer line is cut
constexpr int32_t REPORT_LINE_HEIGHT = 14;
constexpr int32_t REPORT_TEXT_BYTES = 128;
constexpr uint8_t REPORT_ATTRIBUTE_PLAIN = 1;
constexpr uint8_t REPORT_ATTRIBUTE_SENT_OFF = 4;

struct ReportLine {
    uint8_t attribute;  // the font colour; 0 an empty line
    char text[REPORT_LINE_BYTES];
};

struct MatchReportScreenState {
    ReportLine lines[2][REPORT_LINES];  // home, away
    int32_t lineCount[2];
    int32_t height[2];  // pixels
    char heading[REPORT_TEXT_BYTES];
    char score[REPORT_TEXT_BYTES];
    char stats[4][2][12];  // on target, off target, corners, fouls; home then away
    char possession[2][12];
    char manOfTheMatch[REPORT_TEXT_BYTES];
    char attendance[24];
};
extern MatchReportScreenState MatchReportScreen;  // owned by ReportScreen

void ReportScreenInit();
void ReportScreenUninit();

// The columns from an incident list (ended by kind -1 or after `count`), sorted by minute with
// equal minutes in their order; the list itself is left as it is.
void MatchReport_FillLines(const LastMatchIncident* list, int32_t count);
void MatchReport_Init();
int32_t MatchReport_Finish();
int32_t MatchReport_ShowGraphs();
int32_t MatchReport_ShowStats();

const MenuItem* MatchReport_Table();  // option 62
