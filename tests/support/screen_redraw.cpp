// tests/support/screen_redraw.cpp: a screen redrawn by its own menu loop.
#include "tests/support/screen_redraw.h"

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "menus/exm.h"
#include "menus/frontend.h"

namespace {

const std::function<bool()>* s_more = nullptr;

// The loop's bar step answers the loop's code for a pass that has none: a redraw while the
// benchmark wants more, then leaving.
int32_t NextCode() { return (*s_more)() ? EXM_CODE_REDRAW : EXM_CODE_LEAVE; }

const ExmFrontEnd kRedrawSteps = {
    .showBar = nullptr,
    .barStep = NextCode,
    .barOpen = nullptr,
    .openPopup = nullptr,
    .shortcutStep = nullptr,
    .forgetBar = nullptr,
    .textIsActive = nullptr,
    .textSetActive = nullptr,
    .textHandleKeys = nullptr,
    .textEnd = nullptr,
};

}  // namespace

ScopedScreenRedraw::ScopedScreenRedraw()
{
    NewGameForTest(6, 7);
    FrontEndInit();
    const int32_t human = DivisionLists[0][0];
    VTW_SetClubControl(human, MANAGER_HUMAN);
    GameState.humanClub = static_cast<int16_t>(human);
    GameState.currentClub = static_cast<int16_t>(human);
}

ScopedScreenRedraw::~ScopedScreenRedraw()
{
    EXM_SetFrontEnd(nullptr);
    FrontEndUninit();
}

void ScopedScreenRedraw::Run(const MenuItem* table, const std::function<bool()>& more)
{
    s_more = &more;
    EXM_SetFrontEnd(&kRedrawSteps);
    EXM_PushAndRun(table);
    EXM_SetFrontEnd(nullptr);
    s_more = nullptr;
}
