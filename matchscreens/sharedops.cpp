// matchscreens/sharedops.cpp: the match presentation's services that every view shares, registered
// with the match engine's presentation table.
#include "matchscreens/sharedops.h"

#include "gamecode/presentation.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/replay.h"
#include "matchscreens/replaysave.h"
#include "viewservices/infobar.h"
#include "viewservices/motioncap.h"
#include "viewservices/timedevents.h"
#include "viewservices/videosettings.h"

namespace {

int32_t VideoHas3DDevice() { return Video_Has3DDevice() ? 1 : 0; }

void PlaceBallAtHolder(RenderObject* ball, int32_t person)
{
    PlaceAtMotionOffset(ball, &RenderList[person]);
}

void InstallSharedOps(MatchPresentation& ops)
{
    ops.InfoBar = InfoBar_FromEngine;
    ops.AddGroundMark = AddGroundMark;
    ops.Ball_SetSpinAngles = Ball_SetSpinAngles;
    ops.GetMotionFrameCount = GetMotionFrameCount;
    ops.PlaceAtMotionOffset = PlaceBallAtHolder;
    ops.Replay_AllocBuffer = Replay_AllocBuffer;
    ops.Replay_FreeBuffer = Replay_FreeBuffer;
    ops.Replay_ResetCounters = Replay_ResetCounters;
    ops.Replay_RecordFrame = Replay_RecordFrame;
    ops.Replay_PlayFrame = Replay_PlayFrame;
    ops.Replay_Store = Replay_StoreLive;
    ops.Replay_Restore = Replay_RestoreLive;
    ops.Replay_Load = Replay_Load;
    ops.TimedEvents_Reset = TimedEvents_Reset;
    ops.Video_Has3DDevice = VideoHas3DDevice;
}

}  // namespace

void SharedOps_Register() { MatchPresentation_RegisterShared(InstallSharedOps); }
