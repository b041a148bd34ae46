// app/deviceview.cpp: the 3D-device match view wired to the presentation modules beside it.
#include "app/deviceview.h"

#include <cstring>

#include "matchscreens/camera.h"
#include "matchscreens/matchkeys.h"
#include "viewservices/hotzone.h"
#include "viewservices/infobar.h"
#include "viewservices/motioncap.h"
#include "viewservices/timedevents.h"
#include "vx256/kittextures.h"
#include "vx256/polyman.h"
#include "vx256/world3d.h"
#include "vxd3d/d3dservices.h"
#include "vxd3d/d3dware.h"

namespace {

D3DViewFlags Flags()
{
    return {ViewFlags.quickPreview, ViewFlags.panoramic, ViewFlags.showNames,
            ViewFlags.modelDetail};
}

void Pointer(int32_t* x, int32_t* y, int32_t* buttons)
{
    const VirtualPointerRecord p = VirtualPointer_Get();
    *x = p.x;
    *y = p.y;
    *buttons = p.buttons;
}

D3DGroundMark Mark(int32_t n)
{
    const GroundMark& m = GetGroundMark(n);
    return {m.inUse != 0, static_cast<float>(m.x), static_cast<float>(m.y), m.angle};
}

bool Pose(int32_t clip, int32_t frame, D3DPoseFrame* out)
{
    const MotionFrame* f = MotionCap_Frame(clip, frame);
    if (f == nullptr) return false;
    out->rootHeight = f->root[2];
    std::memcpy(out->angles, f->angles, sizeof out->angles);
    return true;
}

void JointRotation(float sinA, float cosA, float sinB, float cosB, float sinC, float cosC,
                   float out[3][3])
{
    BuildJointRotation(sinA, cosA, sinB, cosB, sinC, cosC, out);
}

}  // namespace

void DeviceView_Register()
{
    D3DServices = {
        .UpdateCurrentCamera = UpdateCurrentCamera,
        .CameraZoom = [] { return Cameras[CurrentCamera].zoom; },
        .SetBigStadium = [](int32_t big) { BigStadium = big; },
        .ViewFlags = Flags,
        .VirtualPointerUpdate = VirtualPointer_Update,
        .VirtualPointer = Pointer,
        .ReadControllers = MatchKeys_ReadControllers,
        .ReplayBarInput = ReplayBar_Input,
        .SetHotZone = HotZone_Set,
        .ClearGroundMarks = ClearGroundMarks,
        .GroundMark = Mark,
        .BallSpin =
            [](float angles[3]) { std::memcpy(angles, BallSpinAngles, sizeof BallSpinAngles); },
        .SortPlayersByDistance = SortPlayersByDistance,
        .InfoBarReset = InfoBar_Reset,
        .InfoBarAnimate = InfoBar_Animate,
        .InfoBarOffset = InfoBar_GetOffset,
        .InfoBarText = InfoBar_GetText,
        .InfoBarType = InfoBar_GetType,
        .TimedEventsStep = TimedEvents_Step,
        .DisplayEvent2 =
            [](TimedEventDraw draw) {
                return DisplayEvent2(TimedEvents.current, TIMEDEVENT_FORM_BUILT, draw);
            },
        .LoadMotionCaptures = LoadMotionCaptures,
        .FreeMotionCaptures = FreeMotionCaptures,
        .PoseFrame = Pose,
        .MirrorSideSteps = MotionCap_MirrorSideSteps,
        .JointRotation = JointRotation,
        .ClearKitTextures = KIT_ClearTextureTable,
        .ClearNamedTextures = NORMTEXT_ClearCache,
        .LoadNamedTexture = NORMTEXT_LoadTexture,
        .NamedTexture = KIT_GetTextureFromIndexD3D,
        .LoadPersonTextures = KITPLR_LoadAllTextures,
        .KitPartFromName = KITPLR_GetTextureIndexFromName,
        .PersonTexture = KIT_GetPersonTextureD3D,
    };
    D3DGame_Register();
    Camera_SetDeviceCamera(D3DGame_SetCamera);
}
