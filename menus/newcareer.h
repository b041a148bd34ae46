// menus/newcareer.h: the way into a new career: the championship carousel, the choice of a club
// and the manager's name.
#pragma once

#include <cstdint>

#include "game/gamestate.h"

struct MenuItem;

constexpr int32_t CAROUSEL_MAX_COUNTRIES = 20;
// A move turns the angle by this step a frame until it passes a half turn: 50 frames, in which
// the strip slides 200 pixels along a half cosine.
constexpr float CAROUSEL_ANGLE_STEP = 0.0628318540f;
constexpr float CAROUSEL_HALF_TURN = 3.1415927f;
constexpr int32_t CAROUSEL_IDLE_FRAMES = 26;  // between two frames of the centre flag
constexpr int32_t CAROUSEL_FLAG_FRAMES = 5;
constexpr int32_t TEAM_CHOICE_MAX_CLUBS = 24;
constexpr int32_t TEAM_CHOICE_MAX_DIVISIONS = 6;
constexpr int32_t MANAGER_NAME_FIELD = 20;  // the default name is padded to this many characters

// The offered championships as the first icon of each flag's five frames, ended by 0.
extern const uint16_t CountrySelection[];

struct CountryCarousel {
    int16_t first;  // the strip's first index; the centre country is (first + 1) mod count
    int16_t count;
    uint8_t frame[CAROUSEL_MAX_COUNTRIES];  // 0-4 per country
    int8_t direction;  // 0 idle, 1 moving left to the next country, -1 right to the previous
    bool firstFrame;   // drawn as a move of direction -1 at its start
    float angle;       // radians, 0 at rest; grows in a move left, falls in a move right
    int32_t idleFrames;
    bool captionDue;
};
extern CountryCarousel Carousel;  // owned by NewCareer

struct TeamChoiceRow {
    int16_t left;  // club ids, -1 for a blank cell
    int16_t right;
};
struct TeamChoiceState {
    int16_t division;  // 0-5
    int16_t labels[TEAM_CHOICE_MAX_DIVISIONS];
    int16_t highlight[TEAM_CHOICE_MAX_DIVISIONS];
    int16_t clubs[TEAM_CHOICE_MAX_CLUBS];  // by name
    int16_t count;
    int16_t rows;
    TeamChoiceRow row[TEAM_CHOICE_MAX_CLUBS];
};
extern TeamChoiceState TeamChoice;  // owned by NewCareer

extern char ManagerNameBuffer[MANAGER_NAME_BYTES];  // the name being edited

void NewCareerInit();  // every screen's state at its start
void NewCareerUninit();

// The championship of a flag's first icon; another icon is the fatal abort
// "Return_CountryFromIcon():M_Mn0.c Unknown icon for country".
int32_t Return_CountryFromIcon(int32_t icon);
// The carousel from its first frame: the strip ends on the first offered country.
void CountryChoice_Reset();
// One frame of the carousel's state; the strip's offset in pixels for the frame, or -1 when the
// strip stands still.
int32_t CountryChoice_Advance();
int32_t CountryChoice_Centre();  // index of the centre country in CountrySelection

// The clubs of the division of the current country, sorted by name, at most 24, laid out in rows:
// the first half on the left, the second on the right, an odd last club in the last left cell.
void TeamChoice_Collect(int32_t division);
struct TeamChoiceButton {
    int16_t x;
    int16_t y;
    int16_t width;
};
// The division buttons of a country with `divisions` (2-6), in division order, then their labels;
// another count is fatal.
const MenuItem* TeamChoice_ButtonTable(int32_t divisions);

// The default name: text 861 padded with blanks to MANAGER_NAME_FIELD characters.
void ManagerName_Reset();
// The name without trailing blanks becomes person 0's; his initial becomes 0.
void ManagerName_Confirm();

const MenuItem* CountryChoice_Table();  // option 1
const MenuItem* TeamChoice_Table();     // option 5
const MenuItem* ManagerName_Table();    // option 16
