// gamecode/presentation.cpp: the presentation's operations (the services every view shares, as
// the presentation modules register them, and headless stand-ins for the rest) and the shared
// words.
#include "gamecode/presentation.h"

#include <cstring>

#include "gamecode/matchrun.h"
#include "gamecode/motionframes.h"

MatchPresentation MatchPresentationOps;
MatchSharedWords MatchShared;
char CommentaryLine[COMMENTARY_LINE_BYTES];
int16_t PenaltyOrder[2][PENALTY_ORDER_COUNT];
RenderObject RenderList[MATCH_OBJECT_COUNT];

namespace {

void (*s_installShared)(MatchPresentation& ops) = nullptr;

void Nothing() {}
void NoSfx(int32_t, int32_t) {}
void NoMenus(int32_t) {}
void NoInfoBar(int32_t, int32_t, int32_t) {}
void NoGroundMark(int32_t, int32_t, double, double, uint8_t) {}
void NoSpin(float, float, float) {}
int32_t No3DDevice() { return 0; }

// Without motion data the ball's render entry stays at the holder's feet.
void PlaceAtPerson(RenderObject* ballObject, int32_t person)
{
    ballObject->x = MatchPersons[person].x;
    ballObject->y = MatchPersons[person].y;
}

int32_t NoReplayToLoad(int32_t) { return -1; }

}  // namespace

void MatchPresentation_SetDefaults()
{
    MatchPresentationOps = {
        .PlayMatchSfx = NoSfx,
        .InfoBar = NoInfoBar,
        .AddGroundMark = NoGroundMark,
        .Ball_SetSpinAngles = NoSpin,
        .GetMotionFrameCount = MotionFrames_Count,
        .PlaceAtMotionOffset = PlaceAtPerson,
        .Replay_AllocBuffer = Nothing,
        .Replay_FreeBuffer = Nothing,
        .Replay_ResetCounters = Nothing,
        .Replay_RecordFrame = Nothing,
        .Replay_PlayFrame = Nothing,
        .Replay_Store = Nothing,
        .Replay_Restore = Nothing,
        .Replay_Load = NoReplayToLoad,
        .InGameMenusLoopAt = NoMenus,
        .RunInGameMenuPair = Match_FillPenaltyOrder,
        .InGameMenusPage6 = Nothing,
        .InGameMenusFromStart = Nothing,
        .InGameMenusPage4 = Nothing,
        .InGameMenusPage1 = Nothing,
        .InGameMenusPage0 = Nothing,
        .InGameMenus_Reset = Nothing,
        .TimedEvents_Reset = Nothing,
        .MatchSfx_Init = Nothing,
        .MatchSfx_Shutdown = Nothing,
        .Video_Has3DDevice = No3DDevice,
    };
    if (s_installShared) s_installShared(MatchPresentationOps);
}

void MatchPresentation_RegisterShared(void (*install)(MatchPresentation& ops))
{
    s_installShared = install;
}

void MatchPresentation_ClearOptions() { MatchShared = {}; }

void MatchPresentation_ResetWords()
{
    const MatchSharedWords kept = MatchShared;
    MatchShared = {};
    MatchShared.replayState = kept.replayState == REPLAY_WATCH ? REPLAY_WATCH : REPLAY_NORMAL;
    MatchShared.replaySlot = kept.replaySlot;
    MatchShared.replayPosition = kept.replayPosition;
    std::memcpy(MatchShared.highlightOption, kept.highlightOption,
                sizeof(MatchShared.highlightOption));
    MatchShared.ratingMode = kept.ratingMode;
    std::memset(CommentaryLine, 0, sizeof(CommentaryLine));
    std::memset(PenaltyOrder, 0xFF, sizeof(PenaltyOrder));
    std::memset(RenderList, 0, sizeof(RenderList));
}
