// menus/individualtraining.h: "Entr. Individuel", a player's three training emphases set with
// sliders beside the spots where he can play and his best attributes; and the list of the human
// squad's injured players, opened from the office.
#pragma once

#include <cstdint>

#include "game/ids.h"
#include "game/trainingschedule.h"

struct MenuItem;

constexpr int16_t OPTION_INDIVIDUAL_TRAINING = 78;
constexpr int32_t POSITION_SPOTS = 30;  // 6 rows from the own goal, 5 columns across
constexpr int32_t POSITION_COLUMNS = 5;
constexpr int32_t EVALUATIONS_SHOWN = 5;
constexpr int32_t INJURY_ROWS = 15;

struct Evaluation {
    int16_t textNo;  // the attribute's name
    int16_t value;
};

// What the screen shows of CurrentPlayer, taken when it is built; the shares change with the
// sliders and are kept in his row of the individual-training table.
struct IndividualTrainingState {
    int16_t shares[TRAINING_EMPHASES];  // S1-S3, summing to 100
    uint8_t marks[POSITION_SPOTS];      // 1 where he can play
    Evaluation evaluations[EVALUATIONS_SHOWN];
    int32_t evaluationCount;
};
extern IndividualTrainingState IndividualTraining;  // owned by IndividualTraining

void IndividualTrainingInit();
void IndividualTrainingUninit();

// The spots of a position code 0-12 (another marks none), with the wings of a foot of 1 (the
// right-hand column), 2 (the left-hand one) or 3 (both).
void IndividualTraining_MarkPositions(int32_t position, int32_t foot,
                                      uint8_t marks[POSITION_SPOTS]);
// The player's value of the attribute named by the text number (41-58, 1092 "Expérience", 245
// "Santé"); 0 for another number.
int32_t IndividualTraining_StatValue(int32_t player, int32_t textNo);
// The attributes above 80, highest first (equal values in their list order), at most five.
int32_t IndividualTraining_Evaluate(int32_t player, Evaluation out[EVALUATIONS_SHOWN]);
int32_t IndividualTraining_Rating(int32_t value);  // the rating's text number, -1 for 80 or less
// A click at (x, y) in the emphasis panel sets the share of the slider row under it and shares
// the difference out between the other two, keeping each 0-100 and the sum 100. 1 when nothing
// changed (no row there, or the same share), else 2.
int32_t IndividualTraining_DragSlider(int32_t x, int32_t y);

void IndividualTraining_Init();
const MenuItem* IndividualTraining_Table();  // option 78: the emphases of CurrentPlayer

// The human squad's injured players, at most INJURY_ROWS; none without a post.
int32_t InjuryList_Collect(int16_t out[INJURY_ROWS]);
// "Performance du joueur": the progress screen of CurrentPlayer when he is one of the human's
// squad (6), else 1.
int32_t InjuryList_Performance();
const MenuItem* InjuryList_Table();  // pushed by the office; its buttons leave for an option
