// matchscreens/ingamemenus.cpp: the in-match menu loop, its entries and the frame of its screens.
#include "matchscreens/ingamemenus.h"

#include "engine/fatal.h"
#include "engine/script.h"
#include "game/matchblocks.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "gamecode/formation.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/presentation.h"
#include "matchscreens/ingamemarking.h"
#include "matchscreens/ingamepause.h"
#include "matchscreens/ingamestats.h"
#include "matchscreens/ingametactics.h"
#include "matchscreens/ingameteams.h"
#include "matchscreens/vidopt.h"
#include "menus/machine.h"
#include "menus/vtmenu.h"

uint16_t InGameMenuId = IGM_CLOSED;
uint16_t InGameMenuSide;
uint16_t InGameMenuPage;
InGameMenuTable InGameMenuOps;

namespace {

constexpr int32_t NOT_RUNNING = -1;
struct InGameMenusState {
    int32_t running;  // the id of the last screen run, NOT_RUNNING while the menus are closed
};

InGameMenusState s_igm;

constexpr InGameMenuTable kRealScreens = {
    .runScreen = {InGame_PauseMenu, InGame_DisplayOptionsMenu, InGame_VideoOptionsMenu, nullptr,
                  InGame_SubsAndTacticsMenu, InGame_PerformanceMenu, InGame_LineUpsMenu, nullptr,
                  InGame_SquadMenu, InGame_StatisticsMenu, InGame_TimelineMenu, InGame_ShootOutMenu,
                  InGame_MarkingMenu},
    .copySquadStatus = CopySquadStatusToPlayers,
    .setupFormations = SetupFormations,
};

// The team screens edit working copies; the engine plays from its own buffer.
void HandTacticsToEngine()
{
    for (int32_t side = 0; side < 2; ++side) {
        // A computer side's shape is its refilled block, which the screen's copy would undo.
        if (GetMatchSidesBlock()->sides[side].human != 0)
            *Football_GetFormation(side) = TacticCopies[side];
        InGameMenuOps.copySquadStatus(side);
        InGameMenuOps.setupFormations(side);
    }
}

void RunScreenOf(uint16_t id)
{
    if (id >= IGM_SCREEN_IDS || InGameMenuOps.runScreen[id] == nullptr)
        FatalError("ERROR: InGameMenusLoop, Default Case hit '%d'\n", id);
    s_igm.running = id;
    InGameMenuOps.runScreen[id]();
    if (id == IGM_DISPLAY || id == IGM_VIDEO) InGameMenuId = IGM_PAUSE;
    if (id == IGM_TEAM_SELECTION || id == IGM_MARKING) HandTacticsToEngine();
}

void Open(uint16_t id, int32_t side, uint16_t page)
{
    InGameMenuId = id;
    if (side >= 0) InGameMenuSide = static_cast<uint16_t>(side);
    InGameMenuPage = page;
    InGameMenusLoop();
}

constexpr int32_t KEEP_SIDE = -1;

}  // namespace

void InGameMenus_Init()
{
    s_igm = {};
    s_igm.running = NOT_RUNNING;
    InGameMenuOps = kRealScreens;
    InGameMenus_Reset();
    InGameTeams_Init();
    InGamePause_Init();
    InGameStats_Init();
}

void InGameMenus_Uninit() { InGameMenus_Init(); }

void InGameMenus_Start()
{
    InGameMenus_Init();
    MatchPresentation& ops = MatchPresentationOps;
    ops.InGameMenusLoopAt = InGameMenusLoopAt;
    ops.RunInGameMenuPair = RunInGameMenuPair;
    ops.InGameMenusPage6 = InGameMenusPage6;
    ops.InGameMenusFromStart = InGameMenusFromStart;
    ops.InGameMenusPage4 = InGameMenusPage4;
    ops.InGameMenusPage1 = InGameMenusPage1;
    ops.InGameMenusPage0 = InGameMenusPage0;
    ops.InGameMenus_Reset = InGameMenus_Reset;
    ScriptRegisterValue("igmenu", InGameMenus_Running);
    ScriptRegisterValue("igside", [] { return static_cast<int32_t>(InGameMenuSide); });
    InGamePause_RegisterScriptValues();
    InGameTactics_RegisterScriptValues();
    InGameStats_RegisterScriptValues();
}

void InGameMenusLoop()
{
    MatchView_Destroy();
    InitSetOfMenus();
    while (InGameMenuId != IGM_CLOSED)
        RunScreenOf(InGameMenuId);
    ShutdownMenuGraphics();
    MatchView_Init();
    // Closed only once the view is back, so that whoever waits for it finds the view's words new.
    s_igm.running = NOT_RUNNING;
}

void InGameMenusLoopAt(int32_t side) { Open(IGM_TEAM_SELECTION, side, 1); }
void InGameMenusPage6() { Open(IGM_LINE_UPS, InGameMenus_HumanSide(), 0); }
void InGameMenusFromStart() { Open(IGM_PERFORMANCE, KEEP_SIDE, 0); }
void InGameMenusPage4() { Open(IGM_TEAM_SELECTION, KEEP_SIDE, 0); }
void InGameMenusPage1() { Open(IGM_DISPLAY, InGameMenus_HumanSide(), 0); }
void InGameMenusPage0() { Open(IGM_PAUSE, InGameMenus_HumanSide(), 0); }

void InGameMenus_Reset()
{
    InGameMenuId = IGM_CLOSED;
    InGameMenuSide = 0;
    InGameMenuPage = 0;
}

int32_t InGameMenus_Running() { return s_igm.running; }

int32_t InGameMenus_HumanSide() { return GetMatchSidesBlock()->sides[1].human != 0 ? 1 : 0; }

void InGameScreen_Open(const InGameScreen& screen)
{
    if (screen.open != nullptr) screen.open();
    VT_StartSetOfMenus();
    VT_MenuInit(screen.map);
    VT_MenuSetEscape(screen.escape);
    if (screen.fill != nullptr) screen.fill();
    VT_MenuRedraw();
    if (screen.afterDraw != nullptr) screen.afterDraw();
}

void InGameScreen_Close()
{
    VT_MenuEnd();
    VT_EndSetOfMenus();
}

void InGameScreen_Run(const InGameScreen& screen)
{
    InGameScreen_Open(screen);
    while (VT_MenuLoop() != 1) {
        if (screen.fill != nullptr) screen.fill();
        VT_MenuRedraw();
        if (screen.afterDraw != nullptr) screen.afterDraw();
    }
    InGameScreen_Close();
}

void InGameMapBuilder::Add(VTItemKind kind, VTDataKind dataKind, uint8_t passes, int32_t x,
                           int32_t y, int32_t w, int32_t h, std::intptr_t data, VTCallback callback)
{
    if (count >= IGM_MAP_ITEMS - 1) FatalError("InGameMapBuilder::Add(): map full");
    items[count++] = {kind,
                      dataKind,
                      passes,
                      static_cast<int16_t>(x),
                      static_cast<int16_t>(y),
                      static_cast<int16_t>(w),
                      static_cast<int16_t>(h),
                      data,
                      callback};
}

void InGameMapBuilder::Custom(VTDrawFn draw)
{
    Add(VTI_CUSTOM, VTD_FUNCTION, VT_PASS_DRAW, 0, 0, 0, 0, reinterpret_cast<std::intptr_t>(draw),
        nullptr);
}

void InGameMapBuilder::Region(int32_t code, int32_t x, int32_t y, int32_t w, int32_t h,
                              VTCallback callback)
{
    Add(VTI_RESULT_CODE, VTD_VALUE, VT_PASS_DRAW, 0, 0, 0, 0, code, nullptr);
    Add(VTI_REGION, VTD_NONE, VT_PASS_DRAW, x, y, w, h, 0, callback);
}

void InGameMapBuilder::Static(int32_t background, const char* const* title)
{
    Add(VTI_BACKGROUND, VTD_VALUE, VT_PASS_STATIC, 0, 0, 0, 0, background, nullptr);
    Add(VTI_TITLE, VTD_STRING_VAR, VT_PASS_STATIC, 0, 0, 0, 0,
        reinterpret_cast<std::intptr_t>(title), nullptr);
}

void InGameMapBuilder::StaticTitleNo(int32_t background, int32_t textNo)
{
    Add(VTI_BACKGROUND, VTD_VALUE, VT_PASS_STATIC, 0, 0, 0, 0, background, nullptr);
    Add(VTI_TITLE, VTD_TEXT_NO, VT_PASS_STATIC, 0, 0, 0, 0, textNo, nullptr);
}

void InGameMapBuilder::Finish() { items[count] = {VTI_END, 0, 0, 0, 0, 0, 0, 0, nullptr}; }
