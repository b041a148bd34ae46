// menus/office.h: the manager's office, the hub of the career: the clubs of a division, the
// selected club's key figures and next match, the information box, the drop-downs to every other
// screen and "Terminer", which passes time. Its build also takes the monthly automatic save.
#pragma once

#include <cstdint>
#include <type_traits>

#include "game/ids.h"
#include "game/tables.h"

struct MenuItem;
struct MenuHotspot;
struct MenuListEntry;

constexpr int OFFICE_BACKGROUND = 16;
constexpr int32_t OFFICE_LIST_ROWS = 12;  // club rows of the information-box mode
constexpr int32_t OFFICE_BIDS_ROWS = 4;   // "Offres faites"
constexpr int32_t OFFICE_SALES_ROWS = 8;  // "Ventes acceptées", the list that scrolls
constexpr int32_t OFFICE_SALES_MAX = 64;
constexpr int32_t OFFICE_MONEY_STEP = 200000;  // what a money hot-spot moves
constexpr int32_t OFFICE_SWITCH_CLICKS = 5;    // right clicks on the title that toggle auto-run
constexpr uint32_t OFFICE_SWITCH_TICKS = 300;  // ... within this many ticks
constexpr int32_t TEXT_NOT_COMPLETE = 585;
constexpr int32_t TEXT_TOO_MANY_FOREIGN = 588;
constexpr int32_t TEXT_NO_CAPTAIN = 1484;
constexpr int32_t TEXT_ON_HOLIDAY = 1034;
constexpr int32_t TEXT_FRIENDLY = 701;  // "Match amical", disabled without a post
constexpr int32_t TEXT_NO_OFFICIAL_MATCH = 1105;
constexpr int32_t TEXT_NO_MATCH_YET = 1888;
constexpr int32_t OFFICE_TREND_STEADY = 1321;
constexpr int32_t OFFICE_TREND_UP = 1322;
constexpr int32_t OFFICE_TREND_DOWN = 1323;

// Bits of Office.flags, the office's flags word.
constexpr uint8_t OFFICE_RESELECT = 0x02;     // the next build selects the manager's club
constexpr uint8_t OFFICE_PLAYS_TODAY = 0x04;  // the human club plays today (every build)
constexpr uint8_t OFFICE_SKIP_SAVE = 0x08;    // the next build takes no monthly save
constexpr uint8_t OFFICE_OPEN_CLUB = 0x10;    // a club row opens the club's screen
constexpr uint8_t OFFICE_INFO_BOX = 0x20;     // information-box mode
constexpr uint8_t OFFICE_OFFERS_PAGE = 0x40;
constexpr uint8_t OFFICE_TEAM_PAGE = 0x80;
constexpr uint8_t OFFICE_START_FLAGS = OFFICE_SKIP_SAVE;

// What the office remembers of a club between builds, for its trend icons. Saved with the career
// (block "OFFC"), so that a loaded game shows the arrows the saved one showed.
#pragma pack(push, 1)
struct OfficeTrend {
    int8_t place;          // -1 before the first build that saw the club placed
    int8_t previousPlace;  // -1 none
    int32_t attendance;
    int32_t previousAttendance;  // -1 none
};
#pragma pack(pop)
static_assert(sizeof(OfficeTrend) == 10);
static_assert(std::is_trivially_copyable_v<OfficeTrend>);

struct OfficeState {
    uint8_t flags;         // OfficeFlags bits
    int8_t month;          // the month of the last monthly-save test, -1 none
    int8_t clubScroll;     // 0 .. division size - 12
    int8_t offersScroll;   // 0 .. sales - 8
    int16_t savedClub;     // the club to reselect after a player card opened here, -1 none
    uint32_t moneySwitch;  // 0 or 1: the money hot-spots act only at 1
    int16_t clubs[DIVISION_LIST_SIZE];  // the selected division, sorted by name
    int32_t clubCount;
    int16_t sales[OFFICE_SALES_MAX];  // players of the human's club with an agreed sale
    int32_t saleCount;
    uint32_t switchTicks[OFFICE_SWITCH_CLICKS];  // the last right clicks on the title
    int32_t switchNext;
    OfficeTrend trends[CLUB_FULL_MAX];
};
extern OfficeState Office;       // owned by Office
extern int16_t CurrentDivision;  // the front end's selected division, -1 none

void OfficeInit();  // flags 0x08, no month, no saved club, trends forgotten (and registered)
void OfficeUninit();

// The build, run by the screen on every walk.
void Office_Build();
// Trend icon of a place (0-based) or an attendance against the one remembered (-1 none): up for
// a better one, down for a worse one, steady for an unchanged attendance; else 0.
int32_t Office_TrendIcon(int32_t value, int32_t remembered, bool attendance);
// The value of figure row 0-10 (manager, form, place, ... maximum wage) as the last build wrote
// it; "" for a figure left out or a row out of range.
const char* Office_FigureText(int32_t row);

// "Terminer": the button, and the drop-down's three entries.
int32_t Office_NextDay(MenuHotspot* hotspot);
int32_t Office_ToMatchDay(MenuListEntry* entry);
int32_t Office_PlayMatch(MenuListEntry* entry);
// The text refusing the club's team (585 incomplete, 588 too many non-Europeans, 1484 no
// captain), 0 when it may play. A refused team keeps its shirts, for the squad screen's swaps;
// an accepted one gives up the shirts of its ineligible substitutes.
int32_t Office_TeamRefusal(int32_t club);
MenuListEntry* Office_EndPopup();  // enable rules applied by its prepare callback
MenuListEntry*
Office_CalendarPopup();  // "Rencontres Clubs", "Rencontres/Résultats", "Match amical"
MenuListEntry* Office_ClubDataPopup();           // the club statistics
MenuListEntry* Office_DivisionPopup();           // the country's divisions, "Reste du Monde"
void Office_PreparePopup(MenuListEntry* popup);  // runs the description's prepare callback

int32_t Office_InfoBox(MenuHotspot* hotspot);  // toggles information-box mode
// Escape leaves the office with the information box closed; with no other screen chosen the
// office, the hub a career always comes back to, opens again.
int32_t Office_Escape();
int32_t Office_OffersPage(MenuHotspot* hotspot);
int32_t Office_TeamPage(MenuHotspot* hotspot);
int32_t Office_ClubsUp(MenuHotspot* hotspot);
int32_t Office_ClubsDown(MenuHotspot* hotspot);
int32_t Office_OffersUp(MenuHotspot* hotspot);
int32_t Office_OffersDown(MenuHotspot* hotspot);
int32_t Office_TitleSwitch(MenuHotspot* hotspot);  // counts a right click
// The "Debug Screen" header, shown only while the unattended run is on, opens the debug screen.
int32_t Office_DebugHeader(MenuHotspot* hotspot);
int32_t Office_MoneySwitch(MenuHotspot* hotspot);
int32_t Office_MoneyIn(MenuHotspot* hotspot);
int32_t Office_MoneyOut(MenuHotspot* hotspot);

const MenuItem* Office_Table();  // option 3
