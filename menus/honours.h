// menus/honours.h: "Tableau d'Honneur National", last season's champions, runners-up, cup winner
// and qualifiers of each division, and the ranked lists of clubs by reputation, managers by
// reputation and clubs by discipline.
#pragma once

#include <cstdint>

#include "game/ids.h"
#include "menus/leaguetable.h"

constexpr int32_t ROLL_SLOTS = 21;
constexpr int32_t ROLL_ROWS_SHOWN = 15;
constexpr int32_t ROLL_HEADING_BYTES = 100;
constexpr int32_t ROLL_NOTE_BYTES = 100;
constexpr int32_t RANKED_MAX = 250;  // entries kept: the first 250 in id order qualify
constexpr int32_t RANKED_ROWS = 17;
constexpr int32_t RANKED_PAGE = 16;
constexpr int32_t RANKED_NOTE_BYTES = 100;
constexpr int16_t RANKED_HIGHLIGHT = 8;  // the font colour of a club a manager controls

struct RollRow {
    int16_t headingText;  // text number, -1 none
    int16_t clubName;     // text number, -1 none
    int16_t noteFont;     // the row's, or the smaller one when the note would not fit it
    const char* heading;  // into RollState::headings
    const char* note;     // a club with its title or play-off mark, into RollState::notes
};

struct RollState {
    int16_t division;  // the shown division, 0 on entering
    int16_t title;     // the division's full name
    RollRow rows[ROLL_SLOTS];
    char headings[ROLL_SLOTS][ROLL_HEADING_BYTES];
    char notes[ROLL_SLOTS][ROLL_NOTE_BYTES];
    int16_t divisionHighlights[DIVISION_MAX];
    int16_t divisionTexts[DIVISION_MAX];
    const MenuItem* divisionButtons;
};
extern RollState RollOfHonour;  // owned by Honours

enum RankedList : int32_t { RANKED_CLUBS, RANKED_MANAGERS, RANKED_DISCIPLINE };

struct RankedRow {
    int16_t highlight;   // font colour
    int16_t name;        // text number, -1 on a blank row
    const char* rank;    // "%d."
    const char* note;    // column 360
    const char* second;  // ending at the row's end
};

struct RankedTexts {  // the words a row's texts point into
    char rank[30];
    char note[RANKED_NOTE_BYTES];
    char second[RANKED_NOTE_BYTES];
};

struct RankedState {
    int32_t list;  // RankedList, chosen by the option on entering
    int16_t title;
    int16_t count;
    int16_t first;
    int16_t entries[RANKED_MAX];  // club ids, or person ids for the managers
    RankedRow rows[RANKED_ROWS];
    RankedTexts texts[RANKED_ROWS];
};
extern RankedState RankedLists;  // owned by Honours

void HonoursScreensInit();
void HonoursScreensUninit();

// The roll's rows of a division from last season's honours and this season's qualifiers; a note
// too wide for its row takes the smaller font, and is cut short only when even that is too wide.
void RollOfHonour_Build(int32_t division);
// The entries of a list, sorted highest first, equal keys in id order; the first page shown.
void RankedLists_Collect(int32_t list);
void RankedLists_FillRows();  // the shown rows from `first`
int32_t RankedLists_PageUp(MenuHotspot*);
int32_t RankedLists_PageDown(MenuHotspot*);
// A row: the manager's career (69), or the club's squad as the current club (68, 75).
int32_t RankedLists_Row(MenuHotspot* hotspot);

const MenuItem* RollOfHonour_Table();  // option 12
// One screen for the three lists: the table function chooses the list.
const MenuItem* ClubReputation_Table();     // option 68
const MenuItem* ManagerReputation_Table();  // option 69
const MenuItem* DisciplineList_Table();     // option 75
