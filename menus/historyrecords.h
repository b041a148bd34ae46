// menus/historyrecords.h: "Archives championnat", the country's all-time records: the record
// fee, win, crowd, a season's points, goals and discipline, a scorer's season, and the full
// players' career appearances and goals.
#pragma once

#include <cstdint>

struct MenuItem;

constexpr int32_t NATIONAL_RECORDS = 9;
constexpr int32_t NATIONAL_RECORD_BYTES = 160;

struct NationalRecordRow {
    int16_t label;     // text number
    const char* text;  // into NationalRecordState::texts, empty for a missing record
};

struct NationalRecordState {
    NationalRecordRow rows[NATIONAL_RECORDS];
    char texts[NATIONAL_RECORDS][NATIONAL_RECORD_BYTES];
};
extern NationalRecordState NationalRecords;  // owned by HistoryRecords

void HistoryRecordsInit();
void HistoryRecordsUninit();

// Each record from the club of the country's divisions 0-5 holding it, or from the full players.
void NationalRecords_Build();

const MenuItem* NationalRecords_Table();  // option 45
