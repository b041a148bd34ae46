// gamecode/matchview.cpp: view dispatch by view mode, and the highlight timer.
#include "gamecode/matchview.h"

#include "engine/fatal.h"
#include "engine/keyboard.h"
#include "engine/script.h"
#include "engine/sounddrv.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"

uint8_t MatchView_Built;
uint8_t MatchView_Destroyed;

namespace {

struct HighlightState {
    int16_t type;
    int32_t timer;
    int32_t flag;
};

HighlightState s_highlight;
const MatchViewOps* s_views[VIEWKIND_COUNT];
const MatchViewOps* s_built;  // the view between its Init and its Destroy

// The kind the block's view mode asks for, or VIEWKIND_COUNT for "no view".
int32_t RequestedKind()
{
    switch (GetMatchSidesBlock()->viewMode) {
        case VIEW_TEXT: return VIEWKIND_TEXT;
        case VIEW_2D: return VIEWKIND_2D;
        case VIEW_3D:
            return MatchPresentationOps.Video_Has3DDevice() != 0 ? VIEWKIND_DEVICE_3D
                                                                 : VIEWKIND_SOFTWARE_3D;
        default: return VIEWKIND_COUNT;
    }
}

// The kind that is shown: the mode's own view, or "no view" while none is registered for it.
int32_t ShownKind()
{
    const int32_t kind = RequestedKind();
    return kind != VIEWKIND_COUNT && s_views[kind] != nullptr ? kind : VIEWKIND_COUNT;
}

// The registered view of the current mode, or nullptr for "no view".
const MatchViewOps* CurrentView()
{
    const int32_t kind = ShownKind();
    return kind == VIEWKIND_COUNT ? nullptr : s_views[kind];
}

bool Is2DView(const MatchViewOps* view) { return view != nullptr && ShownKind() == VIEWKIND_2D; }

void Call(void (*op)())
{
    if (op != nullptr) op();
}

}  // namespace

void MatchView_Register(int32_t kind, const MatchViewOps* ops)
{
    if (kind < 0 || kind >= VIEWKIND_COUNT)
        FatalError("MatchView_Register(): bad view kind %d", kind);
    s_views[kind] = ops;
}

bool MatchView_IsRegistered(int32_t kind)
{
    return kind >= 0 && kind < VIEWKIND_COUNT && s_views[kind] != nullptr;
}

void MatchView_RegisterScriptValues()
{
    // Whichever view is up, scripts wait on the same values.
    ScriptRegisterValue("period", [] { return s_built ? int32_t{Match.period} : -1; });
    ScriptRegisterValue("frames",
                        [] { return s_built && s_built->Frames ? s_built->Frames() : 0; });
    ScriptRegisterValue("replaying",
                        [] { return s_built && MatchShared.replayPlaying != 0 ? 1 : 0; });
    ScriptRegisterValue("viewkind", [] {
        const int32_t kind = ShownKind();
        return s_built && kind != VIEWKIND_COUNT ? kind : -1;
    });
}

void MatchView_Init()
{
    MatchView_Built = 0;
    MatchView_Destroyed = 0;
    const MatchViewOps* view = CurrentView();
    if (Is2DView(view)) {
        SndSetActiveChannels(8);
        MatchPresentationOps.MatchSfx_Init();
    }
    if (view != nullptr) Call(view->Init);
    s_built = view;
    KeyClearBuffer();
}

void MatchView_Destroy()
{
    const MatchViewOps* view = CurrentView();
    if (Is2DView(view)) {
        MatchPresentationOps.MatchSfx_Shutdown();
        SndClearActiveChannels();
    }
    if (view != nullptr) Call(view->Destroy);
    s_built = nullptr;
    MatchView_Destroyed = 1;
}

void MatchView_Tick()
{
    if (const MatchViewOps* view = CurrentView()) Call(view->Step);
}

void MatchView_Frame()
{
    if (const MatchViewOps* view = CurrentView()) Call(view->Frame);
}

void MatchView_Update()
{
    if (const MatchViewOps* view = CurrentView()) Call(view->Update);
}

void MatchView_UpdateAndFrame()
{
    MatchView_Update();
    MatchView_Frame();
}

void ActivateHighLight(int16_t type, int32_t ticks)
{
    if (type < 0 || type > 4) FatalError("ActivateHighLight(): Error bad ActionType");
    if (type <= 1) {
        if (MatchShared.highlightOption[type] == 0) return;
        s_highlight.type = type;
        s_highlight.timer = ticks;
        return;
    }
    s_highlight.type = 4;
    s_highlight.timer = 0;
}

void HighLight_Tick()
{
    if (s_highlight.timer <= 0) return;
    --s_highlight.timer;
    const bool optionOn =
        MatchShared.highlightOption[0] != 0 || MatchShared.highlightOption[1] != 0;
    const int32_t kind = ShownKind();
    const bool view3D = kind == VIEWKIND_SOFTWARE_3D || kind == VIEWKIND_DEVICE_3D;
    if (s_highlight.timer == 0 && optionOn && view3D) {
        MatchShared.replayStartRequest = 1;
        MatchShared.replayState = REPLAY_HIGHLIGHT;
        MatchShared.replayPosition = 0;
    }
}

int32_t HighLight_GetFlag() { return s_highlight.flag; }

void HighLight_ClearFlag() { s_highlight.flag = 0; }

int32_t HighLight_PendingType() { return s_highlight.type; }

int32_t HighLight_Timer() { return s_highlight.timer; }

void MatchView_ResetState()
{
    MatchView_Built = 0;
    MatchView_Destroyed = 0;
    s_built = nullptr;
    s_highlight = {};
}

int32_t MatchView_ShownKind() { return ShownKind(); }
