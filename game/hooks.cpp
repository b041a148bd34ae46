// game/hooks.cpp: the upward calls that the front end answers; each has a headless default.
#include "game/hooks.h"

#include "engine/debug.h"
#include "engine/poll.h"
#include "game/funcs.h"
#include "game/matchblocks.h"
#include "game/simmatch.h"
#include "game/textformat.h"

namespace {

void ShowMessageOnLog(const char* text) { DebugPrintf(DBG_GENERAL, 1, "%s\n", text); }

void NoSquadTable(int32_t, int32_t) {}
void NoTraining() {}  // also the screens' career reset when there are no screens

void OwnClubKits(int32_t home, int32_t away, int32_t isAway, KitDesign* out)
{
    const KitDesign* kit = Club_GetKitDesign(isAway ? away : home, isAway ? 1 : 0);
    *out = kit != nullptr ? *kit : KitDesign{};
}

void SimulateWatchedMatch() { SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock()); }

void PostMatchDone() { MatchReportFlags |= MATCH_REPORT_DONE; }

void BusyPointerOnLog(int32_t on) { DebugPrintf(DBG_GENERAL, 1, "SetBusyPointer(): %d\n", on); }

void PlayerMissingOnLog(int32_t club, int32_t player)
{
    DebugPrintf(DBG_GENERAL, 1, "News_PlayerMissing(): club %d, player %d\n", club, player);
}

void ManagerAppointedOnLog(int32_t club, int32_t person)
{
    DebugPrintf(DBG_GENERAL, 1, "News_ManagerAppointed(): club %d, person %d\n", club, person);
}

void ManagerSackedOnLog(int32_t club, int32_t person, int32_t kind)
{
    DebugPrintf(DBG_GENERAL, 1, "News_ManagerSacked(): club %d, person %d, kind %d\n", club, person,
                kind);
}

void PlayerMovedOnLog(int32_t player, int32_t oldClub, int32_t newClub, int32_t fee, int32_t loan)
{
    DebugPrintf(DBG_GENERAL, 1, "News_PlayerMoved(): player %d, club %d to %d, fee %d, loan %d\n",
                player, oldClub, newClub, fee, loan);
}

constexpr GameHookTable kDefaultHooks = {
    ShowMessageOnLog,     VTW_FormatThousands, NoSquadTable,
    NoTraining,           NoTraining,          OwnClubKits,
    SimulateWatchedMatch, PostMatchDone,       Poll,
    BusyPointerOnLog,     PlayerMissingOnLog,  ManagerAppointedOnLog,
    ManagerSackedOnLog,   PlayerMovedOnLog,    NoTraining};

}  // namespace

GameHookTable GameHooks = kDefaultHooks;

void GameHooks_Reset() { GameHooks = kDefaultHooks; }
