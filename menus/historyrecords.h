// menus/historyrecords.h: "Palmarès Trophée", a cup's or a division's winners and runners-up
// season by season, and "Archives championnat", the country's all-time records: the record
// fee, win, crowd, a season's points, goals and discipline, a scorer's season, and the full
// players' career appearances and goals.
#pragma once

#include <cstdint>

struct MenuItem;
struct MenuListEntry;

constexpr int32_t TROPHY_ROWS = 15;
constexpr int32_t TROPHY_YEARS_BYTES = 16;

struct TrophyRow {
    const char* years;  // "1999/00", into TrophyState::years
    int16_t winner;     // club name text numbers, -1 none
    int16_t runnerUp;
};

struct TrophyState {
    int16_t honour;  // honours column: 0-6 the cups, 7-12 the divisions 0-5
    int16_t first;   // the honours row of the first shown row, 0 the running season
    int16_t title;   // the cup's or the division's name
    TrophyRow rows[TROPHY_ROWS];
    char years[TROPHY_ROWS][TROPHY_YEARS_BYTES];
    int16_t cupTexts[7];
    int16_t divisionTexts[6];
};
extern TrophyState Trophies;  // owned by HistoryRecords

constexpr int32_t NATIONAL_RECORDS = 9;
constexpr int32_t NATIONAL_RECORD_BYTES = 160;

struct NationalRecordRow {
    int16_t label;     // text number
    int16_t font;      // the text's: the row's, or the smaller one where it would not fit
    const char* text;  // into NationalRecordState::texts, empty for a missing record
};

struct NationalRecordState {
    NationalRecordRow rows[NATIONAL_RECORDS];
    char texts[NATIONAL_RECORDS][NATIONAL_RECORD_BYTES];
};
extern NationalRecordState NationalRecords;  // owned by HistoryRecords

void HistoryRecordsInit();
void HistoryRecordsUninit();

void Trophies_FillRows();  // the shown rows of the chosen honour from `first`
// One season up, never above the running season; one down while the season after the last
// shown row holds a winner and the rows stay inside the kept seasons. 1 when nothing moves.
int32_t Trophies_Up();
int32_t Trophies_Down();
// The drop-downs: the country's national cups, then the three continental cups; its divisions.
MenuListEntry* Trophies_CupPopup();
MenuListEntry* Trophies_DivisionPopup();

// Each record from the club of the country's divisions 0-5 holding it, or from the full players.
void NationalRecords_Build();

const MenuItem* Trophies_Table();         // option 44
const MenuItem* NationalRecords_Table();  // option 45
