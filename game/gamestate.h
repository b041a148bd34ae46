// game/gamestate.h: the career's state words: today's date, the selected country, the human's club
// and name, the season's key days and the progress of long steps.
#pragma once

#include <cstdint>

#include "game/ids.h"

constexpr int32_t MANAGER_NAME_BYTES = 32;
constexpr int32_t GAME_FIRST_YEAR = 1999;

#pragma pack(push, 1)
struct alignas(2) ProgressCountersRecord {
    int16_t total;  // above 0 while a long step runs
    int16_t done;
};

// One block, saved with the game.
struct alignas(2) GameStateBlock {
    uint16_t dayNo;      // day of the season year, 0 = 1 August
    uint8_t weekday;     // 0 Saturday
    uint8_t dayOfMonth;  // 1-31
    uint8_t month;       // 0-11
    uint8_t spare5;
    uint16_t year;
    uint16_t seasonCounter;  // 0 in 1999/2000
    uint16_t daysInSeason;
    int16_t country;                       // 0-8
    int16_t humanClub;                     // -1 until the team-choice screen sets it
    int16_t currentClub;                   // the front end's current club
    char managerName[MANAGER_NAME_BYTES];  // person 0
    uint16_t firstLeagueDay;
    uint16_t lastLeagueDay;
    uint16_t holidayStart;
    uint16_t trainingDay;
    uint16_t closedTransfer[3][2];              // first and last day of each closed period
    int16_t friendlyCandidates[CLUB_ID_COUNT];  // club ids, -1 skipped
    ProgressCountersRecord progress;
};
#pragma pack(pop)

static_assert(sizeof(GameStateBlock) == 74 + 2 * CLUB_ID_COUNT);

// The saved block's range check (SaveGameCheck): dates inside the season, clubs and the country
// within their ranges, the manager's name terminated.
bool GameState_CheckSaved(const void* block);
extern GameStateBlock GameState;  // owned by GameState
inline uint16_t& DayNo = GameState.dayNo;
inline ProgressCountersRecord& ProgressCounters = GameState.progress;

void GameState_Init();  // zeroes the block: country 0, no human club, no name
void GameState_Uninit();

// The first day of a new game: Sunday 1 August 1999 (weekday 1), season 0, 366 days.
void GameState_StartFirstSeason();

// Long steps: total above 0 while they run; Done counts one step; End sets total to 0.
void GameState_BeginProgress(int32_t total);
void GameState_StepProgress();
void GameState_EndProgress();

void VTW_SetCountry(int32_t country);  // 0-8; another value is fatal
int32_t VTW_GetCountry();
void VTW_SetCurrentClub(int32_t club);  // the club the season-best queries read
