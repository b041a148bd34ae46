// menus/teamtraining.h: "Entraînement Collectif", the fifteen weekly team-training slots painted
// with one of four subjects, beside the club's four levels and how the squad's weeks divide.
#pragma once

#include <cstdint>

struct MenuItem;

constexpr int32_t TEAM_TRAINING_DAYS = 5;
constexpr int32_t TEAM_TRAINING_SLOTS_A_DAY = 3;
constexpr int32_t TEAM_TRAINING_LEVEL_TRACK = 358;  // pixels of a full level bar

struct TeamTrainingState {
    int16_t brush;  // the subject a click paints, 0-3; kept when the screen is left
};
extern TeamTrainingState TeamTraining;  // owned by TeamTraining

// How the squad's weeks divide over the five weekly periods of every occupied slot, in percent;
// all 0 with an empty buffer.
struct TrainingShares {
    int32_t team;
    int32_t physical;
    int32_t other;
};

void TeamTrainingInit();  // brush team play
void TeamTrainingUninit();

void TeamTraining_Init();
int32_t TeamTraining_ClickSlot(int32_t group);  // the group takes the brush, even when it held it
int32_t TeamTraining_SetBrush(int32_t subject);
int32_t TeamTraining_LevelLength(int32_t level);  // a level 0-60 as pixels of the track
TrainingShares TeamTraining_Shares();

const MenuItem* TeamTraining_Table();  // option 22
