// tests/support/day_loop.cpp: the day loop's services up for a test or a benchmark.
#include "tests/support/day_loop.h"

#include "game/hooks.h"
#include "game/matchblocks.h"
#include "game/playersearch.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/tactics.h"
#include "menus/dayscreen.h"
#include "menus/frontend.h"

ScopedDayLoop::ScopedDayLoop()
{
    SaveGame_Init();
    Tactics_Init();
    MatchBlocks_Init();
    Season_Init();
    PlayerSearchSettings_Init();
    FrontEndInit();
    GameHooks.DayScreenStep = DayScreen_RunChoice;
}

ScopedDayLoop::~ScopedDayLoop()
{
    AutoRunMode = 0;
    GameHooks_Reset();
    FrontEndUninit();
    PlayerSearchSettings_Uninit();
    Season_Uninit();
    MatchBlocks_Uninit();
    Tactics_Uninit();
}
