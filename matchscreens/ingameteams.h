// matchscreens/ingameteams.h: the read-only in-match screens that show the two teams (the line-ups,
// a side's squad skills, a side's match figures in six pages) and the navigation bar that every
// in-match team screen ends with.
#pragma once

#include <cstdint>

#include "matchscreens/ingamemenus.h"

constexpr int32_t IGT_PERFORMANCE_PAGES = 6;
constexpr int32_t IGT_PERFORMANCE_COLUMNS = 6;
constexpr int32_t IGT_SQUAD_COLUMNS = 10;
constexpr int32_t IGT_FIRST_PAGE = 4;  // "Autres": where the performance screen opens

void InGameTeams_Init();  // no long name shown, performance page 4

// The screens (ids 6, 8 and 5); each returns with InGameMenuId set.
void InGame_LineUpsMenu();
void InGame_SquadMenu();
void InGame_PerformanceMenu();

// What a screen changes of its navigation bar.
struct InGameNavOptions {
    bool (*mayLeave)() = nullptr;  // asked before a button leaves; a refusal only redraws
    int32_t middleLabel = 0;       // text number of the second row's middle button; 0 keeps its own
};
// Appends the bar's nine buttons (three rows at y 410, 430 and 450); each acts on the button's
// release, sets the id (and side) it leads to and leaves the screen. Its middle bottom button
// closes the menus on the line-ups and leads to the line-ups elsewhere.
void InGameNavBar_Append(InGameMapBuilder* map, const InGameNavOptions& options = {});

// "home name, home goals - away goals, away name" from the engine's score, into `title`.
void InGameTeams_FormatScoreTitle(char* title, int32_t size);

// Places 0 to 10 + the match-day block's bench size (0-5), no more than substitutions allowed.
int32_t InGameTeams_RowCount();

// One line-up row as drawn. Graphics are VT_ graphic numbers, 0 none.
struct InGameLineUpRow {
    int32_t slot;
    int32_t shirt;
    int32_t shirtGraphic;  // 6-9 by the position's line
    char name[64];         // with the captain's letter on his own side
    int32_t goals;         // 0: not drawn
    int32_t rating;        // 0: not drawn; drawn in font colour 8
    int32_t cardGraphics[2];
    int32_t knockGraphic;
};
void InGameTeams_LineUpRow(int32_t side, int32_t place, InGameLineUpRow* row);

// The squad screen's figure of a column (ARR, TTE, TCL, PAS, TIR, DRB, BM, MEN, CHA, VIT).
int32_t InGameTeams_SquadSkill(int32_t side, int32_t place, int32_t column);
int32_t InGameTeams_SquadHeader(int32_t column);    // its text number
int32_t InGameTeams_SquadLongName(int32_t column);  // its long name's text number

// A page's six figures of a player; false, with nothing written, for one who has not taken part.
bool InGameTeams_PerformanceFigures(int32_t side, int32_t place, int32_t page,
                                    int32_t figures[IGT_PERFORMANCE_COLUMNS]);
int32_t InGameTeams_PerformanceHeader(int32_t page, int32_t column);  // text number, 0 none
// The long name's text number of a header; -1 for a header the table does not hold.
int32_t InGameTeams_PerformanceLongName(int32_t header);
int32_t InGameTeams_PerformancePage();  // the page shown
int32_t InGameTeams_LongNameShown();    // the long name's text number on show, -1 none

// The screens' frames, for tests that draw them without running their loops.
const InGameScreen& InGameTeams_Screen(uint16_t id);
