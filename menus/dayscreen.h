// menus/dayscreen.h: the passing of game time from the office: the advance loop over the days,
// and the day screen that plays each day's fixtures with the preview panels, the view choice and
// the results.
#pragma once

#include <cstdint>

#include "game/tactics.h"

// AdvanceMode (menus/frontend.h) values, set by the office's "Terminer" entries.
constexpr uint16_t ADVANCE_ONE_DAY = 0;
constexpr uint16_t ADVANCE_TO_MATCH_DAY = 1;  // day after day until a stop condition
constexpr uint16_t ADVANCE_TODAYS_MATCH = 2;

// DayScreenFlags bits (DAY_SCREEN_SHOWING, bit 3, is in game/matchday.h).
constexpr uint32_t DAY_SCREEN_BUSY = 1 << 0;         // the day screen switched the busy pointer on
constexpr uint32_t DAY_SCREEN_GROUP_DONE = 1 << 1;   // the human's group has only his fixture left
constexpr uint32_t DAY_SCREEN_REDRAW = 1 << 2;       // the chosen panel must be drawn
constexpr uint32_t DAY_SCREEN_VIEW_CHOICE = 1 << 4;  // "Disputer un match" pressed
constexpr uint32_t DAY_SCREEN_COACHES_BOX = 1 << 5;  // set by the office before an advance
constexpr uint32_t DAY_SCREEN_SPARE = 1 << 6;

// DayScreenChoice codes.
enum DayChoice : uint16_t {
    DAY_CHOICE_TEAM_SHEETS = 0,
    DAY_CHOICE_FORMATIONS = 1,
    DAY_CHOICE_OPPONENT = 2,
    DAY_CHOICE_PLAY = 5,
    DAY_CHOICE_TEXT_VIEW = 6,
    DAY_CHOICE_2D_VIEW = 7,
    DAY_CHOICE_3D_VIEW = 8,
};

constexpr uint16_t PREVIEW_NONE = 0xFFFF;  // an empty sheet place or list entry
constexpr int32_t PREVIEW_SHEET = 16;      // shirts 1-16
constexpr int32_t PREVIEW_NAME_BYTES = 21;
constexpr int32_t PREVIEW_CLUB_BYTES = 41;
constexpr int32_t PREVIEW_LAST_FIXTURES = 5;
constexpr int32_t PREVIEW_BEST = 10;
constexpr int32_t PREVIEW_RECORD_COLUMNS = 5;  // won, drawn, lost, goals for, goals against

// The opponent's players in his lists: 0 a starter, 1 a substitute, 2 the rest, 3 suspended, 4
// injured, 5 missing.
struct PreviewBestEntry {
    uint16_t player;  // PREVIEW_NONE ends the list
    uint16_t playerClass;
    int16_t figure;  // average performance or goals
};

// What the day screen's panels show of the human's fixture today.
struct MatchPreviewRecord {
    int16_t home;
    int16_t away;
    int16_t substitutes;                // 0-5
    uint16_t sheets[2][PREVIEW_SHEET];  // home, away; index shirt - 1
    char names[2][PREVIEW_SHEET][PREVIEW_NAME_BYTES];
    char clubNames[2][PREVIEW_CLUB_BYTES];
    uint16_t lastFixtures[PREVIEW_LAST_FIXTURES];  // the opponent's league rows, newest first
    int32_t record[2][PREVIEW_RECORD_COLUMNS];     // the opponent at home, away
    PreviewBestEntry bestPlayers[PREVIEW_BEST + 1];
    PreviewBestEntry bestScorers[PREVIEW_BEST + 1];
    TacticsRecord tactics[2];
};

extern uint16_t AdvanceStop;      // 1 ends the day-after-day loop
extern uint16_t DayScreenChoice;  // the last accepted button code

void DayScreenInit();  // the words and the preview reset; safe twice
void DayScreenUninit();

// The days that AdvanceMode asks for, each through the day screen, the day advance and the event
// routing, which sets MenuOption; a mode other than 0-2 sets MenuOption to -1.
void Game_AdvanceLoop();
// Today's fixtures through the day screen; the counts as VTW_CountTodaysFixtures gives them.
// Returns 6.
uint16_t DayScreen_Run(int16_t groupCount, int16_t otherCount);
// The fixture just played, drawn into the day screen's box from the match blocks.
void DayScreen_ShowOtherResult();
// The preview of fixture row `row` for the human's club.
void DayScreen_BuildPreview(int32_t row);
extern MatchPreviewRecord MatchPreview;  // owned by DayScreen
// The average of the non-zero ratings of the club's side in a played fixture row; 0 without any.
int32_t DayScreen_AverageRating(int32_t row, int32_t club);
// Applies DayScreenChoice: a panel or the view bar while the redraw bit is set, else the view.
void DayScreen_Update();
// The panel drawn last (-1 none this day), the box text drawn last (0 none), 1 while the view
// bar shows; read by tests and whole-program scripts.
int32_t DayScreen_PanelShown();
int32_t DayScreen_BoxShown();
int32_t DayScreen_ViewBarShown();
// The script values of the day loop: day, news, daybox, daypanel, viewbar, humanplays,
// lastscore.
void DayScreen_RegisterScriptValues();
// One non-blocking input step of the day screen: the match day's keep-alive while it shows.
void DayScreen_RunChoice();
