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
void NoTraining() {}

void OwnClubKits(int32_t home, int32_t away, int32_t isAway, KitDesign* out)
{
    const KitDesign* kit = Club_GetKitDesign(isAway ? away : home, isAway ? 1 : 0);
    *out = kit != nullptr ? *kit : KitDesign{};
}

void SimulateWatchedMatch() { SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock()); }

void PostMatchDone() { MatchReportFlags |= MATCH_REPORT_DONE; }

constexpr GameHookTable kDefaultHooks = {
    ShowMessageOnLog, VTW_FormatThousands, NoSquadTable,         NoTraining,    NoTraining,
    NoTraining,       NoTraining,          OwnClubKits,          SimulateWatchedMatch,
    PostMatchDone,    Poll};

}  // namespace

GameHookTable GameHooks = kDefaultHooks;

void GameHooks_Reset() { GameHooks = kDefaultHooks; }
