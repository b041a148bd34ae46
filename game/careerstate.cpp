// game/careerstate.cpp: one reset of every module's career state, before a new career is made and
// before a saved game is adopted.
#include "game/careerstate.h"

#include <array>

#include "game/funcs.h"
#include "game/hooks.h"
#include "game/matchblocks.h"
#include "game/playersearch.h"
#include "game/season.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "game/trainingschedule.h"

namespace {

struct CareerResetRow {
    const char* name;
    void (*reset)();
};

void ResetScreens() { GameHooks.ResetCareerScreens(); }

// Each module's own reset of its career state; the saved blocks stay registered as the modules'
// starts registered them. The records, fixtures, tables and honours are not here: a new game
// writes all of them and a save holds them whole.
// clang-format off
constexpr auto kCareerResets = std::to_array<CareerResetRow>({
    {"squad list",        Squad_Init},
    {"news",              TextMess_ClearInbox},
    {"tactics",           Tactics_ResetCareer},
    {"match day",         MatchBlocks_ResetCareer},
    {"season",            Season_ResetCareer},
    {"shortlists",        ShortList_ResetCareer},
    {"player search",     PlayerSearch_CareerStarted},
    {"training schedule", Training_ResetCareer},
    {"player stats",      Player_DropStatCache},
    {"screens",           ResetScreens},
});
// clang-format on

}  // namespace

void Game_ResetCareerState()
{
    for (const CareerResetRow& row : kCareerResets) {
        row.reset();
    }
}
