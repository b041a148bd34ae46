// menus/trainingprogramme.h: "Programme d'entraînement", each player's week of seven periods
// painted with a brush or copied from a preset, and the retraining of a player to another line;
// and the progress screen that draws a player's eight abilities over his training's range.
#pragma once

#include <cstdint>

#include "game/ids.h"

struct MenuItem;

constexpr int16_t OPTION_TRAINING_PROGRAMME = 23;
constexpr int32_t TRAINING_ROWS = 10;
constexpr int32_t TRAINING_NO_TARGET = -1;

struct TrainingProgrammeState {
    int16_t squad[SQUAD_MAX];  // the human's squad in the shared player order, -1 past the last
    int16_t firstRow;          // a multiple of 10, or squad length - 10 on the last page
    int16_t squadLength;
    uint16_t brush;         // the activity a click paints; rest after each build
    int16_t chosenTarget;   // the retraining line the next name click asks about
    int16_t popupPlayer;    // the player whose programme drop-down is open
    uint16_t individual;    // 1: a name click opens his individual training
    uint16_t targetColour;  // "Recyclage" drawn in colour 1 while a target is chosen
    uint16_t individualColour;
};
extern TrainingProgrammeState TrainingProgramme;  // owned by TrainingProgramme

void TrainingProgrammeInit();
void TrainingProgrammeUninit();

int32_t Training_ActivityIcon(int32_t code);  // 2 for an unknown code
// The preset 0-3 whose week sums as the player's does, shown as its number + 1; -1 none.
int32_t TrainingProgramme_PresetMarker(int32_t slot);

void TrainingProgramme_Init();
// `row` 0-9 of the page, or -1 for preset 0's bottom row; `period` 0-6. The cell takes the
// brush, or rest when it already held it. Returns 2.
int32_t TrainingProgramme_ClickDay(int32_t row, int32_t period);
int32_t TrainingProgramme_CopyPreset(int32_t preset);    // into the drop-down's player
int32_t TrainingProgramme_ChooseTarget(int32_t target);  // a second click on it cancels: 2
int32_t TrainingProgramme_ClickPlayer(int32_t row);
int32_t TrainingProgramme_PageDown();
int32_t TrainingProgramme_PageUp();  // 1 at the top
void TrainingProgramme_SortWeeks();  // every programme and preset in ascending code order
// The periods left of the first slot in retraining, -1 when nobody retrains (for scripts).
int32_t TrainingProgramme_RetrainLeft();

const MenuItem* TrainingProgramme_Table();  // option 23

constexpr int16_t OPTION_PLAYER_PROGRESS = 28;
// The progress curves run over a career's ages, 16 to 40, a point every two years.
constexpr int32_t PROGRESS_POINTS = 13;
constexpr int32_t PROGRESS_FIRST_AGE = 16;
constexpr int32_t PROGRESS_AGE_STEP = 2;
// The player's eight ability values at each plotted age, as the stat model ages him.
void PlayerAttributes_Curves(int32_t player, int32_t out[PROGRESS_POINTS][8]);
const MenuItem* PlayerAttributes_Table();  // option 28: the curves of CurrentPlayer
