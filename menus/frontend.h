// menus/frontend.h: the front-end controller: the screen number that every screen sets for the
// next, the dispatcher that turns it into a screen or a game step, and the routing that picks the
// next screen after game time has passed.
#pragma once

#include <cstdint>

struct MenuItem;

constexpr int16_t MENU_OPTION_QUIT = -1;
constexpr int32_t MENU_OPTION_COUNT = 85;  // 0-84
constexpr int16_t MENU_OPTION_TITLE = 24;
constexpr int16_t MENU_OPTION_OFFICE = 3;
constexpr int16_t MENU_OPTION_TO_SQUAD = 2;  // only forwards to the squad screen
constexpr int16_t MENU_OPTION_PLAYER_CARD = 4;
constexpr int16_t MENU_OPTION_SQUAD = 7;
constexpr int16_t MENU_OPTION_CAREER = 57;
constexpr int16_t MENU_OPTION_VIDEO = 83;  // never becomes the previous option
constexpr int32_t SPLASH_TICKS = 300;
constexpr int32_t SPLASH_FIRST_BACKGROUND = 22;
constexpr int32_t SPLASH_SECOND_BACKGROUND = 31;
constexpr int32_t ROUTE_LAST_DAY = 364;    // the day the save advice is given
constexpr int32_t ROUTE_BID_PERCENT = 40;  // a bid below this share of the value is dropped

// The front end's words; owned here, set by the screens.
extern int16_t MenuOption;      // -1 leaves the front end; 0-84 a screen or a game step
extern int16_t PreviousOption;  // the option dispatched last, never 83
extern int16_t StartOption;
extern int16_t CurrentHuman;  // manager number
extern uint16_t ClubChangedFlag;
extern uint16_t PlayerCardOutcome;  // 1 negotiations, 2 contract talks
extern uint16_t AdvanceMode;        // 2: the day's match screen before the advance
extern uint16_t MatchReportPage;    // 0 match analysis, 1 graphs, 2 the match report
extern uint16_t JobOfferMode;       // 2 when the routing opens the job offer
// 1 while a screen shows a club the job centre looks at; its way back leads to the job centre.
extern uint16_t JobCentreViewFlag;
// The player every player screen acts on, -1 none; a screen that opens the card (4) or the career
// history (57) sets it first, and so does the routing for a request or talks.
extern int16_t CurrentPlayer;
extern uint16_t CardReturnOption;  // the option the player card's OK opens
extern int16_t RouteClub;          // the asking club of a request
extern uint16_t SalesEventFlag;    // 1 while the routing's sale request is negotiated

// What the routing asks the job and transfer markets: every row is the game's own (game/market
// and the job market); tests replace rows.
struct RouteQueries {
    int32_t (*sackedHuman)();    // a human who lost his post today, 0 none
    int32_t (*jobOfferHuman)();  // a human with a job offer, 0 none
    int32_t (*jobOfferClub)();
    int32_t (*humanOfferDay)();     // the day of the human's pending offer
    int32_t (*humanOfferStands)();  // 0 when the offer came to nothing
    int32_t (*humanOfferClub)();
    int32_t (*contractsHuman)();  // a human with pending contract talks, 0 none
    int32_t (*contractsPlayer)();
    int32_t (*salesHuman)();  // a human whose player is asked for, 0 none
    int32_t (*salesPlayer)();
    int32_t (*salesClub)();  // the asking club
    void (*removeSale)(int32_t player);
    int32_t (*bidForPlayer)(int32_t player, int32_t club);  // the asking club's bid
    // Books the loan: a free bid slot, the bid of 100 and the player's bid record; 0 when done,
    // -1 when refused.
    int32_t (*bookLoan)(int32_t club, int32_t player);
};
extern RouteQueries FrontEndRoutes;  // replaced row by row; FrontEndInit puts the defaults back

// The screens above the front end that its options open, filled by the match presentation at
// start-up (registrations survive FrontEndInit). A row left null sends the option straight back.
struct FrontEndScreenHooks {
    void (*videoOptions)();  // option 83
};
extern FrontEndScreenHooks FrontEndScreens;

// The words of the career being played (the current human and player, the job offer, the
// routing's club, the card and report pages), not where the player is in the menus: a new
// career's or a loaded game's start.
void FrontEnd_ResetCareerWords();
void FrontEndInit();    // the words at their start values, the front end's modules reset
void FrontEndUninit();  // the same; safe twice

// Start-up's front end: the menu system up, StartMainMenu, the menu system down again.
void RunFrontEnd();
// Human 1, option and start option 24, shortlists, the human's lists and the individual-training
// table cleared; then DoMainMenu.
void StartMainMenu();
// The splash screens and the credits, then one dispatch per option until it is -1. An option
// outside 0-84 other than -1, or an empty one, is the fatal error
// "Error: DoMainMenu(): Invalid MenuOption = %d\n".
void DoMainMenu();
void DispatchOption(int32_t option);  // one row of the dispatcher
// The screen table an option opens, null for a game step or an empty option: the dispatcher's own
// row, so that a test can go through every screen the front end has.
using FrontEndScreenTable = const MenuItem* (*)();
FrontEndScreenTable FrontEnd_OptionScreen(int32_t option);
void DispatchNext();  // DoMainMenu's one step: MenuOption becomes the previous one, and runs
// The screen table an option opens, null for a game step or an empty option: the dispatcher's own
// row, so that a test can go through every screen the front end has.
using FrontEndScreenTable = const MenuItem* (*)();
FrontEndScreenTable FrontEnd_OptionScreen(int32_t option);
// Up to `ticks` menu ticks with the pointer moving; 1 when a left click ended the wait, else 0.
// A button held when the wait starts counts only once it has been let go and pressed again.
int32_t WaitTicksOrClick(int32_t ticks);
// After a day, a negotiation or contract talks: the next option (nothing when it is -1).
void RouteGameEvents();
void LoadNamesFile();  // "stats\names.dat" into the names buffer, at most NAMES_FILE_BYTES
// The blanks at the end of a text become terminators, in place.
void TrimTrailingSpaces(char* text);
// The dispatcher's bookkeeping before it runs an option: PreviousOption, the option before it,
// and the screen Escape leads back to when the option's screen chooses none.
void FrontEnd_NoteDispatch(int16_t option);
// Plays the fixture of the match-sides block, the menu display down while the match shows.
void RunMatch3D();
// The option dispatched before the current one, -1 none; option 2, which only forwards to the
// squad, never counts, nor does 83. A screen reads it as where it was opened from.
int16_t FrontEnd_CameFrom();
// Whether the human holds a post; after a sacking he has none.
bool FrontEnd_HumanHasPost();
// The loop steps (menu bar, popups, text field) registered with the menu system.
void FrontEnd_RegisterLoopSteps();
