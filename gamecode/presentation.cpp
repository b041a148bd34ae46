// gamecode/presentation.cpp: the presentation's operations (the services every view shares, the
// headless stand-ins for the rest) and the shared words.
#include "gamecode/presentation.h"

#include <cstring>

#include "gamecode/motionframes.h"
#include "generic/infobar.h"
#include "generic/matchkeys.h"
#include "generic/replay.h"
#include "generic/timedevents.h"
#include "vexamenu/vidopt.h"

MatchPresentation MatchPresentationOps;
MatchSharedWords MatchShared;
char CommentaryLine[COMMENTARY_LINE_BYTES];
int16_t PenaltyOrder[2][PENALTY_ORDER_COUNT];
RenderObject RenderList[MATCH_OBJECT_COUNT];

namespace {

void Nothing() {}
void NoSfx(int32_t, int32_t) {}
void NoMenus(int32_t) {}

// Without motion data the ball's render entry stays at the holder's feet.
void PlaceAtPerson(RenderObject* ballObject, int32_t person)
{
    ballObject->x = MatchPersons[person].x;
    ballObject->y = MatchPersons[person].y;
}

int32_t NoReplayToLoad(int32_t) { return -1; }

int32_t VideoHas3DDevice() { return Video_Has3DDevice() ? 1 : 0; }

}  // namespace

void MatchPresentation_SetDefaults()
{
    MatchPresentationOps = {
        .PlayMatchSfx = NoSfx,
        .InfoBar = InfoBar_FromEngine,
        .AddGroundMark = AddGroundMark,
        .Ball_SetSpinAngles = Ball_SetSpinAngles,
        .GetMotionFrameCount = MotionFrames_Count,
        .PlaceAtMotionOffset = PlaceAtPerson,
        .Replay_AllocBuffer = Replay_AllocBuffer,
        .Replay_FreeBuffer = Replay_FreeBuffer,
        .Replay_ResetCounters = Replay_ResetCounters,
        .Replay_RecordFrame = Replay_RecordFrame,
        .Replay_PlayFrame = Replay_PlayFrame,
        .Replay_Store = Replay_StoreLive,
        .Replay_Restore = Replay_RestoreLive,
        .Replay_Load = NoReplayToLoad,
        .InGameMenusLoopAt = NoMenus,
        .RunInGameMenuPair = Nothing,
        .InGameMenusPage6 = Nothing,
        .InGameMenusFromStart = Nothing,
        .InGameMenusPage4 = Nothing,
        .InGameMenusPage1 = Nothing,
        .InGameMenusPage0 = Nothing,
        .InGameMenus_Reset = Nothing,
        .TimedEvents_Reset = TimedEvents_Reset,
        .MatchSfx_Init = Nothing,
        .MatchSfx_Shutdown = Nothing,
        .Video_Has3DDevice = VideoHas3DDevice,
    };
}

void MatchPresentation_ResetWords()
{
    MatchShared = {};
    std::memset(CommentaryLine, 0, sizeof(CommentaryLine));
    std::memset(PenaltyOrder, 0xFF, sizeof(PenaltyOrder));
    std::memset(RenderList, 0, sizeof(RenderList));
}
