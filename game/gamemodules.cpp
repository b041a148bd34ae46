// game/gamemodules.cpp: starting and stopping the game's own modules, between the core's start
// and stop tables.
#include "game/gamemodules.h"

#include <array>

#include "engine/debug.h"
#include "game/funcs.h"
#include "game/matchblocks.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/shortlist.h"
#include "game/textmess.h"
#include "game/trainingschedule.h"
#include "gamecode/comments/commtable.h"
#include "gamecode/matchrun.h"
#include "menus/tactics.h"

namespace {

struct GameModuleRow {
    const char* name;  // for the start-up log
    void (*start)();
    void (*stop)();
};

void StartMessages()
{
    TextMess_Init();
    TextMess_Load();
}

void StartCommentary()
{
    CommTable_Init();
    CommTable_Load();
}

// clang-format off
constexpr auto kGameModules = std::to_array<GameModuleRow>({
    // Saved games first: the modules after it register their saved state at their start.
    {"saved games", SaveGame_Init,  SaveGame_Uninit},
    {"messages",   StartMessages,   TextMess_Uninit},
    {"commentary", StartCommentary, CommTable_Uninit},
    {"database",   Database_Init,   Database_Uninit},
    {"tactics",    Tactics_Init,    Tactics_Uninit},
    {"match day",  MatchBlocks_Init, MatchBlocks_Uninit},
    {"season",     Season_Init,     Season_Uninit},
    {"shortlists", ShortList_Init,  ShortList_Uninit},
    {"training schedule", Training_Init, Training_Uninit},
    {"match engine", MatchEngine_Start, MatchEngine_Stop},
});
// clang-format on

}  // namespace

void GameModules_Init()
{
    for (const GameModuleRow& row : kGameModules) {
        DebugPrintf(DBG_GENERAL, 1, "GameMain(): %s\n", row.name);
        row.start();
    }
}

void GameModules_Uninit()
{
    for (auto row = kGameModules.rbegin(); row != kGameModules.rend(); ++row) {
        row->stop();
    }
}
