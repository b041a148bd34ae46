// menus/goalstats.h: "Statistiques de buts", the current club's season goals counted from its goal
// log for the goal charts; and "Statistiques d'affluence", the crowds of its home league matches
// against each club of its division, and the division's average crowds with its own marked.
#pragma once

#include <cstdint>

struct MenuItem;

constexpr int32_t ATTENDANCE_ROWS = 24;
constexpr int32_t ATTENDANCE_NOT_PLAYED = 99;  // a row's order while its match is to come
constexpr int32_t ATTENDANCE_SCALE_FIRST = 4000;
constexpr int32_t ATTENDANCE_SCALE_STEP = 2000;
constexpr int32_t ATTENDANCE_BAR_FULL = 120;

struct AttendanceRow {
    int32_t club;     // -1 none
    int32_t crowd;    // of the club's home league match against it
    int32_t order;    // 1 the first played, ATTENDANCE_NOT_PLAYED still to come
    int32_t average;  // its own average league crowd
};

struct AttendanceStatsState {
    int32_t club;
    int32_t count;                          // rows in use: the division's clubs, by id
    AttendanceRow rows[ATTENDANCE_ROWS];    // by id
    AttendanceRow ranked[ATTENDANCE_ROWS];  // by average, highest first
    int32_t crowdScale;                     // the crowd a full bar shows
    int32_t averageScale;
};
extern AttendanceStatsState AttendanceStats;  // owned by AttendanceStats

void AttendanceStatsInit();
void AttendanceStatsUninit();

// The rows of `club`: none outside the divisions, else its division's clubs by id, at most 24,
// each with the crowd and order of the club's home league match against it; then the ranking and
// both scales.
void AttendanceStats_Fill(int32_t club);
// From 4000 in steps of 2000, the first above `largest`.
int32_t AttendanceStats_Scale(int32_t largest);

const MenuItem* AttendanceStats_Table();  // option 30

// GoalCharts from the club's goal log: its squad's league (competitions 0-3) and cup goals
// (4-116 and above 118), scorers only, most goals first and then most league goals; both logs by
// how, by period and, for league goals, by venue per league match played there; and the scales.
void GoalStats_Fill(int32_t club);

const MenuItem* GoalStats_Table();  // option 29
