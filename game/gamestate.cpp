// game/gamestate.cpp: the career's state words: today's date, the selected country, the human's
// club and name, the season's key days and the progress of long steps.
#include "game/gamestate.h"

#include <cstring>

#include "engine/fatal.h"
#include "game/calendar.h"
#include "game/savegame.h"

GameStateBlock GameState;

void GameState_Init()
{
    std::memset(&GameState, 0, sizeof GameState);
    GameState.humanClub = -1;
    GameState.currentClub = -1;
}

void GameState_Uninit() {}

void GameState_StartFirstSeason()
{
    GameState.dayNo = 0;
    GameState.weekday = 1;
    GameState.dayOfMonth = 1;
    GameState.month = 7;
    GameState.year = GAME_FIRST_YEAR;
    GameState.seasonCounter = 0;
    GameState.daysInSeason = 366;
    for (int16_t& club : GameState.friendlyCandidates) {
        club = -1;
    }
}

void GameState_BeginProgress(int32_t total)
{
    GameState.progress.total = static_cast<int16_t>(total);
    GameState.progress.done = 0;
}

void GameState_StepProgress()
{
    if (GameState.progress.done < GameState.progress.total) ++GameState.progress.done;
}

void GameState_EndProgress() { GameState.progress = {}; }

void VTW_SetCountry(int32_t country)
{
    if (country < 0 || country >= COUNTRY_COUNT)
        FatalError("VTW_SetCountry(): bad country %d", country);
    GameState.country = static_cast<int16_t>(country);
}

int32_t VTW_GetCountry() { return GameState.country; }

void VTW_SetCurrentClub(int32_t club) { GameState.currentClub = static_cast<int16_t>(club); }

bool GameState_CheckSaved(const void* block)
{
    const auto& state = *static_cast<const GameStateBlock*>(block);
    constexpr int32_t kLastDay = 365;
    bool valid = SaveCheck_InRange(state.seasonCounter, 0, 255)
                 && state.daysInSeason == Calendar_DaysInSeason(state.seasonCounter)
                 && state.dayNo < state.daysInSeason && state.weekday < 7
                 && SaveCheck_InRange(state.dayOfMonth, 1, 31) && state.month < 12
                 && SaveCheck_InRange(state.country, 0, COUNTRY_COUNT - 1)
                 && SaveCheck_InRange(state.humanClub, -1, CLUB_ID_COUNT - 1)
                 && SaveCheck_InRange(state.currentClub, -1, CLUB_ID_COUNT - 1)
                 && std::memchr(state.managerName, '\0', sizeof state.managerName) != nullptr
                 && state.firstLeagueDay <= kLastDay && state.lastLeagueDay <= kLastDay;
    for (const int16_t club : state.friendlyCandidates) {
        valid = valid && SaveCheck_InRange(club, -1, CLUB_ID_COUNT - 1);
    }
    return valid;
}
