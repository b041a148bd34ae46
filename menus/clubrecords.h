// menus/clubrecords.h: "Palmarès du club", the current club's records and the cups it won with
// their years.
#pragma once

#include <cstdint>
#include <string>

struct ClubRecordEntry;
struct MenuHotspot;
struct MenuItem;

constexpr int32_t CLUB_RECORD_ROWS = 11;
constexpr int32_t CLUB_HONOUR_ROWS = 7;  // up to four national cups, then the three continental
constexpr int32_t CLUB_RECORD_TEXT_BYTES = 200;
constexpr int32_t CLUB_HONOUR_YEARS_BYTES = 300;
constexpr int32_t CLUB_HONOUR_YEARS_MAX = 11;  // years listed on a row, newest first

// Each text is drawn in the font beside it: the row's own, or the smaller one where it would
// not fit the row otherwise.
struct ClubRecordsRow {
    int16_t label;     // text number
    int16_t font;      // the text's
    const char* text;  // "" while the record is unset
};

struct ClubHonourRow {
    int16_t cupFont;
    int16_t yearsFont;
    const char* cup;  // the cup's name, "" on the rows past the country's cups
    const char* years;
};

struct ClubRecordsState {
    int16_t clubName;  // text number
    int16_t honourCount;
    ClubRecordsRow records[CLUB_RECORD_ROWS];
    ClubHonourRow honours[CLUB_HONOUR_ROWS];
    char recordTexts[CLUB_RECORD_ROWS][CLUB_RECORD_TEXT_BYTES];
    char honourYears[CLUB_HONOUR_ROWS][CLUB_HONOUR_YEARS_BYTES];
};
extern ClubRecordsState ClubRecords;  // owned by ClubRecords, rebuilt on every build

// A club's name, "" outside the club ids; its division in parentheses, "" outside the divisions.
const char* ClubRecords_ClubName(int32_t club);
// The other club of a record transfer, a club abroad's too; "" when the record names none.
const char* ClubRecords_TransferClubName(const ClubRecordEntry& entry);
std::string ClubRecords_DivisionNote(int32_t club);

void ClubRecordsInit();
void ClubRecordsUninit();

// The rows of a club: every record row labelled, its text empty when the record is unset (a club
// without a full record has none); the honour rows of the selected country's cups. A text too
// wide for its row even in the smaller font is cut short: a record's opponent first, so that its
// figures and date stay whole.
void ClubRecords_Build(int32_t club);
// Back to the office, or to the job centre while it is viewing the club.
int32_t ClubRecords_Back(MenuHotspot*);

const MenuItem* ClubRecords_Table();  // option 27: the current club
