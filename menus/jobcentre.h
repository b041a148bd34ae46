// menus/jobcentre.h: "Le centre de recherche d'emploi": the posts under threat and the vacant
// posts, where the human applies for a job or looks at a club; a sacked manager whom no club
// would take loses the game here.
#pragma once

#include <cstdint>

#include "game/ids.h"

struct MenuItem;

constexpr int16_t OPTION_JOB_CENTRE = 43;
constexpr int32_t JOBCENTRE_THREATENED_ROWS = 5;
constexpr int32_t JOBCENTRE_VACANCY_ROWS = 6;
constexpr int32_t JOBCENTRE_NO_POST_BONUS = 20;  // a manager without a post asks for less
constexpr uint16_t JOBCENTRE_NO_CLUB = 65535;
constexpr int32_t TEXT_APPLY = 2240;
constexpr int32_t TEXT_APPLICATION_ACCEPTED = 1119;
constexpr int32_t TEXT_APPLICATION_PENDING = 1120;
constexpr int32_t TEXT_APPLICATION_REFUSED = 1118;
constexpr int32_t TEXT_HOPELESS_MANAGER = 1116;
constexpr int32_t TEXT_GAME_OVER = 1117;

struct JobCentreState {
    uint16_t gameOver;                       // 1: every click leads to the title
    uint16_t chosenClub;                     // the vacancy row last clicked, JOBCENTRE_NO_CLUB none
    uint16_t vacancies[CLUB_ID_COUNT + 1];   // ends with 65535
    uint16_t threatened[CLUB_ID_COUNT + 1];  // lowest patience first, ends with 65535
    int16_t vacancyCount;
    int16_t threatenedCount;
    int16_t first;       // the first threatened post shown
    int16_t lastAnswer;  // the last application's answer, -1 none
};
extern JobCentreState JobCentre;  // owned by JobCentre

void JobCentreInit();
void JobCentreUninit();

// The build: JobCentreViewFlag cleared and both lists read afresh. On a fresh entry on the day
// the human was sacked, when no club would take him the game is over: two messages, and from
// then on every way out leads to the title.
void JobCentre_Init();
// Whether a league club of the country would take a manager without a post; changes nothing.
bool JobCentre_AnyClubWouldTake();
void JobCentre_ChooseRow(int32_t row);  // the vacancy row's club, or none past the list's end
// The drop-down's entries; each answers a list code.
int32_t JobCentre_Apply();
int32_t JobCentre_Look(int16_t option);  // 27 the club's honours, 7 its squad
int32_t JobCentre_ThreatenedUp();        // one row; 1 at the top
int32_t JobCentre_ThreatenedDown();      // one row; 1 when the last one shows

const MenuItem* JobCentre_Table();  // option 43
