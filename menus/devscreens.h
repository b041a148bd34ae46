// menus/devscreens.h: the developer's club-check screens behind the calendar's hidden switch, in
// English: "Money" (63), "Squads" (64), "Pick Team" (65), a club sheet (66), and the frame they
// share with "Fixtures/Soak" (67, menus/devsoak.h): the tab row, the "Options" drop-down of the
// unattended run, its on/off button and "Terminer".
#pragma once

#include <cstdint>

struct MenuHotspot;
struct MenuItem;

constexpr int16_t OPTION_DEV_MONEY = 63;
constexpr int16_t OPTION_DEV_SQUADS = 64;
constexpr int16_t OPTION_DEV_PICK_TEAM = 65;
constexpr int16_t OPTION_DEV_CLUB_SHEET = 66;
constexpr int16_t OPTION_DEV_SOAK = 67;

constexpr int32_t DEV_TEXT_CHECK_BALANCES = 49;  // appended to the developer texts

// Where the developer came from, and his current club then: kept while he moves between these
// screens (and the squad screen they open), put back by the tabs of the sheet and of "Squads"
// and by "Terminer".
extern int16_t DevSavedOption;
extern int16_t DevSavedClub;

void DevScreensInit();
void DevScreensUninit();

// The text of developer text k.
const char* DevText(int32_t k);
// The editors' direction: a right click steps down, a left click up.
bool DevScreens_StepsUp();

// A first build saves the way back, unless the screen was entered from another developer screen
// or from the squad screen one of them opened.
void DevScreens_Enter();
void DevScreens_PutSavedBack();  // the saved club as the current one
// A tab button: 6. From the sheet and "Squads" the saved option and club are put back first;
// "Pick Team" remembers the screen that opened it.
int32_t DevScreens_Tab(int16_t option);
// The calendar when the screens were entered from it, else the office; the saved club put back;
// with the run on, the soak screen's target becomes the run's stop day. 6.
int32_t DevScreens_Done(MenuHotspot* hotspot);
int32_t DevScreens_Escape();                         // as "Terminer"
int32_t DevScreens_ToggleRun(MenuHotspot* hotspot);  // the unattended run on or off: 4

// "Money": the first build sums balances, weekly wage bills and transfer budgets per division
// (group 6: the clubs outside the league) in 64 bits, wages and budgets then averaged; every
// build lists the clubs whose budget is at most the set maximum.
void DevMoney_Init();
void DevMoney_Count();  // the first build's sums
// The maximum's digit 0 (millions of thousands) to 6 (thousands): a left click raises it, 9
// wrapping to 0, a right click lowers it; a value past 32 bits is refused (1). 2.
int32_t DevMoney_StepDigit(int32_t digit, bool up);
uint32_t DevMoney_MaxBudget();
int32_t DevMoney_ListedCount();
int64_t DevMoney_GroupBalance(int32_t group);
int64_t DevMoney_GroupAverage(int32_t group, bool budget);  // else the wage
const char* DevMoney_Amount(int64_t value);                 // "999", "1K"

// "Squads": the first build lists the clubs with fewer than 16 available players and each
// (club, line) without a player (entries club x 4 + line).
void DevSquads_Init();
void DevSquads_Count();  // the first build's lists
int32_t DevSquads_DeficientCount();
int32_t DevSquads_DeficientClub(int32_t n);
int32_t DevSquads_EmptyLineCount();
int32_t DevSquads_EmptyLine(int32_t n);
int32_t DevSquads_OpenClub(int32_t club);  // the current club, its squad screen: 6

// "Pick Team": a picked club becomes the current one and its sheet opens (6); the columns of the
// clubs outside the league scroll together by a page.
void DevPickTeam_Init();
int32_t DevPickTeam_Pick(int32_t club);
// The clubs outside the league in the first (0) or second column: the first takes the odd one.
int32_t DevPickTeam_OutsideColumn(int32_t column);
int32_t DevPickTeam_ScrollOutside(bool down);  // the first column's count - 18 at most
void DevClubSheet_Init();
// The club sheet's transfers, from one walk over the records: players bought and sold per line
// of the player, and the fees (loans move none).
struct DevSheetTransfers {
    int32_t bought[4];
    int32_t sold[4];
    int64_t paid;
    int64_t received;
};
DevSheetTransfers DevClubSheet_Transfers(int32_t club);
// The season's income and expenditure: the sums of the club's income and spending figures.
void DevClubSheet_SeasonMoney(int32_t club, int64_t* income, int64_t* spending);

// The frame's items, included by each screen's table.
const MenuItem* DevScreens_FrameTable();

const MenuItem* DevMoney_Table();      // option 63
const MenuItem* DevSquads_Table();     // option 64
const MenuItem* DevPickTeam_Table();   // option 65
const MenuItem* DevClubSheet_Table();  // option 66
