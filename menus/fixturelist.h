// menus/fixturelist.h: "Rencontres/Résultats": all fixtures of one day of one division (with its
// play-offs) or one cup, stepping from day to day, with the clubs' places, divisions or countries
// beside them and the aggregates of return legs.
#pragma once

#include <cstdint>

#include "game/fixtures.h"
#include "game/ids.h"

struct MenuItem;
struct MenuHotspot;
struct MenuListEntry;

constexpr int32_t FIXTURE_LIST_ROWS = 15;
constexpr int32_t FIXTURE_LIST_DAYS = FIXTURE_DAY_LIMIT;  // a flag per day
constexpr int32_t FIXTURE_LIST_DAY_MAX = 250;             // fixtures of one day: never reached
constexpr int32_t FIXTURE_LIST_NOTE_BYTES = 15;
constexpr int32_t FIXTURE_LIST_TITLE_BYTES = 200;
constexpr int32_t FIXTURE_LIST_DATE_BYTES = 40;
constexpr int32_t FIXTURE_LIST_CUPS = 7;  // the national cups 0-3, then the continental 4-6
constexpr int16_t FIXTURE_LIST_BLANK = INT16_MIN;  // a number that draws nothing
constexpr int16_t FIXTURE_LIST_HIGHLIGHT = 8;      // the font colour of the human's fixture
constexpr int16_t FIXTURE_LIST_NO_FIXTURES = 159;  // "PAS DE RENCONTRE"

enum FixtureListMode : int16_t {
    FIXTURE_LIST_CUP = 0,
    FIXTURE_LIST_LEAGUE = 1,
};

// One shown row as the build leaves it for the items; -1 text numbers draw nothing.
struct FixtureListRow {
    const char* homeNote;  // "(1er)", "(Div. 2)", "(Français)" or empty
    const char* awayNote;
    int16_t highlight;  // font colour
    int16_t homeName;
    int16_t awayName;
    int16_t awayFont;  // the largest in which it keeps clear of the group or aggregate beside it
    int16_t homeGoals;
    int16_t separator;
    int16_t awayGoals;
    int16_t group;  // the home club's champions' cup group
    int16_t aggregateHome;
    int16_t aggregateSeparator;
    int16_t aggregateAway;
};

struct FixtureListState {
    int16_t mode;       // FixtureListMode
    int16_t division;   // league mode
    int16_t firstComp;  // cup mode: the cup's competitions
    int16_t lastComp;
    bool refresh;  // list the competition again at the next build
    int16_t shownDay;
    uint8_t dayFlags[FIXTURE_LIST_DAYS];
    int16_t list[FIXTURE_ROWS];  // the competition's fixture rows
    int16_t count;
    int16_t dayList[FIXTURE_LIST_DAY_MAX];  // the shown day's
    int16_t dayCount;
    int16_t firstRow;
    FixtureListRow rows[FIXTURE_LIST_ROWS];
    char notes[FIXTURE_LIST_ROWS][2][FIXTURE_LIST_NOTE_BYTES];
    char title[FIXTURE_LIST_TITLE_BYTES];
    char date[FIXTURE_LIST_DATE_BYTES];
    const char* titleText;
    const char* dateText;
    int16_t message;  // FIXTURE_LIST_NO_FIXTURES or -1
    int16_t divisionTexts[DIVISION_MAX];
    int16_t cupTexts[FIXTURE_LIST_CUPS];
};
extern FixtureListState FixtureList;  // owned by FixtureList

void FixtureListInit();
void FixtureListUninit();

// The screen's init, at every build: entering the screen (the menu loop's rebuild flag) opens the
// human's division; a refresh lists the chosen competition again and starts from today; every
// build shows the first day with fixtures from the shown day on, else the last one before it.
// More than 250 fixtures on one day is fatal.
void Init_M_MN12();

// The handlers; each answers a menu loop code.
int32_t FixtureList_HomeClub(MenuHotspot* hotspot);  // the club's squad
int32_t FixtureList_AwayClub(MenuHotspot* hotspot);
int32_t FixtureList_RowUp(MenuHotspot* hotspot);
int32_t FixtureList_RowDown(MenuHotspot* hotspot);
int32_t FixtureList_PreviousDay(MenuHotspot* hotspot);
int32_t FixtureList_NextDay(MenuHotspot* hotspot);
int32_t FixtureList_Back(MenuHotspot* hotspot);
int32_t FixtureList_ChooseDivision(int32_t division);
int32_t FixtureList_ChooseCup(int32_t cup);

// The drop-downs: the divisions, the tables ("Classement", the champions' cup) and the cups.
MenuListEntry* FixtureList_DivisionPopup();
MenuListEntry* FixtureList_TablesPopup();
MenuListEntry* FixtureList_CupPopup();

const MenuItem* FixtureList_Table();  // option 11
