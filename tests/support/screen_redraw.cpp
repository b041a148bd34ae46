// tests/support/screen_redraw.cpp: a seeded career with its screens ready to run.
#include "tests/support/screen_redraw.h"

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/matchday.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/tables.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/game_world.h"

namespace {

constexpr uint32_t SETTLE_TICKS = 200;  // past the wipe that shows the first build

}  // namespace

ScopedScreenRedraw::ScopedScreenRedraw(const std::function<void()>& setUp)
{
    NewGameForTest(6, 7);
    m_human = DivisionLists[0][0];
    VTW_SetClubControl(m_human, MANAGER_HUMAN);
    GameState.humanClub = static_cast<int16_t>(m_human);
    GameState.currentClub = static_cast<int16_t>(m_human);
    Club_AISelectTeam(m_human);
    ShortList_Clear();
    FrontEnd_RegisterLoopSteps();
    if (setUp) setUp();
}

ScopedScreenRedraw::~ScopedScreenRedraw() { EXM_SetFrontEnd(nullptr); }

int32_t ScopedScreenRedraw::HumanFixture() const
{
    int32_t row = 0;
    while (VTW_GetFixtureHomeClub(row) != m_human && VTW_GetFixtureAwayClub(row) != m_human)
        ++row;
    return row;
}

void ScopedScreenRedraw::Run(const MenuItem* table, const std::function<void()>& settled,
                             MenuInputs inputs)
{
    inputs.push_back({SETTLE_TICKS, MenuInput::CALL, 0, 0, settled});
    ScopedMenuScript script(inputs, 20);
    EXM_PushAndRun(table);
}

int32_t ClickingBoxesAway(const std::function<int32_t()>& fn, bool yes)
{
    // A message box closes on any press; a question answers the button pressed.
    MenuInputs inputs;
    for (uint32_t tick = 30; tick <= 150; tick += 30) {
        AddClick(&inputs, tick, yes ? 270 : 370, 280);
    }
    ScopedMenuScript script(inputs, 20);
    return fn();
}

void ReleaseDownTo(int32_t club, int32_t count, int32_t kept)
{
    const int32_t members = VTW_RefreshSquadCount(club);
    const SquadListRecord squad = SquadList;  // the releases rebuild the list
    for (int32_t k = 0, left = members; k < members && left > count; ++k) {
        if (squad.players[k] == kept) continue;
        Market_Release(squad.players[k]);
        --left;
    }
}
