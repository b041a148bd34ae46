// app/gamemodules.cpp: starting and stopping the game's own modules, between the core's start
// and stop tables.
#include "app/gamemodules.h"

#include <array>

#include "app/deviceview.h"
#include "engine/debug.h"
#include "game/funcs.h"
#include "game/matchblocks.h"
#include "game/playersearch.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/shortlist.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "game/trainingschedule.h"
#include "gamecode/comments/commtable.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchview.h"
#include "matchscreens/camera.h"
#include "matchscreens/ingamemenus.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/replay.h"
#include "matchscreens/replaysave.h"
#include "matchscreens/sharedops.h"
#include "matchscreens/softview.h"
#include "matchscreens/textview.h"
#include "matchscreens/vidopt.h"
#include "matchscreens/view2d.h"
#include "menus/animplay.h"
#include "viewservices/infobar.h"
#include "viewservices/matchsfx.h"
#include "viewservices/timedevents.h"
#include "viewservices/viewscreen.h"
#include "vx256/fontgame.h"
#include "vx256/kittextures.h"
#include "vx256/mgraphic.h"

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

// The view flags, the cameras' saved view type and the radar and speed choices live for the
// program's run, so they start here and not with each match.
void StartMatchPresentation()
{
    FONT_Init();
    MGraphic_Init();
    KitTextures_Init();
    ViewScreen_Init();
    InfoBar_Init();
    TimedEvents_Init();
    MatchKeys_Init();
    Camera_StartRun();
    Camera_RegisterScriptValues();
    Replay_Init();
    ReplaySave_Start();
    TextView_Init();
    MatchView_RegisterScriptValues();
    TextView_Register();
    SoftView_Init();
    SoftView_Register();
    DeviceView_Register();
    View2D_ResetRunState();
    View2D_Register();
    SharedOps_Register();
    VideoOptions_Register();
}

void StopMatchPresentation()
{
    SoftView_Uninit();
    TextView_Uninit();
    ReplaySave_Uninit();
    Replay_Uninit();
    MatchKeys_Uninit();
    TimedEvents_Uninit();
    InfoBar_Uninit();
    ViewScreen_Uninit();
    KitTextures_Uninit();
    MGraphic_Uninit();
    FONT_Uninit();
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
    {"player search", PlayerSearchSettings_Init, PlayerSearchSettings_Uninit},
    {"training schedule", Training_Init, Training_Uninit},
    {"films",      Film_Init,       Film_Uninit},
    {"match presentation", StartMatchPresentation, StopMatchPresentation},
    {"match engine", MatchEngine_Start, MatchEngine_Stop},
    // After the engine, whose start puts the headless presentation back.
    {"in-match menus", InGameMenus_Start, InGameMenus_Uninit},
    // A view still set up at the end leaves no sample loaded for the banks' removal.
    {"match sounds", MatchSfx_Start, MatchSfx_Shutdown},
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
