// matchscreens/ingamestats.h: the in-match screens that show how the match goes (the statistics,
// the minute-by-minute timeline, the shoot-out list) and the penalty order set before a shoot-out.
#pragma once

#include <cstdint>

#include "matchscreens/ingamemenus.h"

// The six territory counters as possession ticks by third, each third named from the side's own
// goal: [side][THIRD_OWN, THIRD_MIDDLE, THIRD_ATTACK].
struct InGameStatsFigures {
    int32_t territory[3];  // percent of play at home's goal, in the middle, at away's goal
    int32_t defence;       // home's shares of play in those thirds, 50 where nobody had the ball
    int32_t midfield;
    int32_t attack;
    int32_t general;
};
// Counters of a whole match with extra time pass 16 bits, so everything is summed wider.
InGameStatsFigures InGameStats_Figures(const uint32_t thirdsTicks[2][3]);

// One statistics row: its label's text number and the two sides' figures.
constexpr int32_t IGS_ROWS = 9;
struct InGameStatsRow {
    int32_t label;
    int32_t home;
    int32_t away;
    bool percent;  // drawn with "%d%%"
};
void InGameStats_Rows(InGameStatsRow rows[IGS_ROWS]);

// The timeline's 120 minutes: a value of 255 has none and smooths to 50 itself; every other
// minute moves a fifth of the way from the minute before to its own value, rounded toward the
// minute before.
constexpr int32_t IGS_MINUTES = 120;
void InGameStats_Smooth(const uint8_t values[IGS_MINUTES], int32_t smoothed[IGS_MINUTES]);
int32_t InGameStats_AxisMinutes();  // 90, or 120 once the match clock is past minute 90

// The timeline's event labels as placed: at most 30, bookings left out.
constexpr int32_t IGS_EVENT_LABELS = 30;
struct InGameTimelineLabel {
    int32_t side;
    int32_t x, y;  // the marker's minute column, and the label row's middle
    char text[64];
};
// Fills `labels` from the match data block's event rows; answers how many.
int32_t InGameStats_TimelineLabels(InGameTimelineLabel labels[IGS_EVENT_LABELS]);

// The side's penalty order from its places 1-10 still on the pitch, in place order, each the
// person standing in that place, -1 after the last.
void InGameStats_FillPenaltyOrder(int32_t side);
// Before a shoot-out: the match view down and the menu display up; each side's order filled,
// and the penalty order screen run for a human side unless the game runs unattended; then the
// view back.
void RunInGameMenuPair();

// The screens (ids 9, 10 and 11); each returns with InGameMenuId set.
void InGame_StatisticsMenu();
void InGame_TimelineMenu();
void InGame_ShootOutMenu();

// The shoot-out list's order number of place 0-10 (0: not among the five).
int32_t InGameStats_ShootOutNumber(int32_t place);

void InGameStats_Init();  // no picks, no long name shown
// The script value `penorder`: the side whose penalty order screen runs, -1 none.
void InGameStats_RegisterScriptValues();
// The frames of ids 9, 10 and 11, and of the penalty order screen for a side, for tests that
// draw them without running their loops.
const InGameScreen& InGameStats_Screen(uint16_t id);
const InGameScreen& InGameStats_PenaltyScreen(int32_t side);
