// matchscreens/camera.cpp: the match cameras: the four records, how each view type follows the
// play, and the hand-over to the renderer.
#include "matchscreens/camera.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/fatal.h"
#include "engine/options.h"
#include "engine/script.h"
#include "game/matchblocks.h"
#include "gamecode/actionids.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "viewservices/videosettings.h"
#include "vx256/polyman.h"
#include "vx256/world3d.h"

CameraRecord Cameras[CAMERA_COUNT];
int16_t CurrentCamera;
CameraPoint CameraPositions[2];

namespace {

constexpr CameraRecord kResetRecord = {
    .eye = {},
    .target = {PITCH_CENTRE_X, PITCH_CENTRE_Y, 10.0f},
    .spare = {16.0, 44.0},
    .spareWords = {},
    .viewType = CAMERA_RIGHT_TOUCHLINE,
    .yaw = 1.5707963267964,
    .pitch = 3.5342917352918,
    .distance = 1000.0,
    .zoom = 1.1f,
};

// The overview of the views that are not the 3D one: high above the near half, looking up the
// pitch.
constexpr CameraPoint kOverviewTarget = {PITCH_CENTRE_X, PITCH_CENTRE_Y + 278, 1.0};
constexpr double kOverviewDistance = 2106.0, kOverviewPitch = 4.0212385965966;
constexpr float kOverviewZoom = 1.5f;

// The play the cameras follow stays this far inside the touchlines and goal lines.
constexpr double kFocusMargin = 100.0;
constexpr double kFocusHighest = 3200.0;
constexpr double kGoalCameraFocusHeight = 1.0;

// Where the cameras stand; a big stadium's stands push them about.
constexpr double kCameraLineX = 1500.0;
struct Stand {
    double normal, big;
};
constexpr Stand kRightX = {kCameraLineX - 55, kCameraLineX - 76};
constexpr Stand kLeftX = {76, 55};
constexpr Stand kBehindGoal = {60, 100};  // beyond the goal line
constexpr Stand kHeight = {350.0, 358.4};
constexpr double kGoalCameraSlide = 132.0;   // from the centre x either way
constexpr double kStraightDownPitch = 16.0;  // focus this near the camera's x: look along y

// The lens widens with distance; a celebration or a set piece is brought closer.
constexpr double kZoomPerUnit = 0.0005 * 4.6;
constexpr double kCloseUp = 2.3;
// Both renderers show, at the depth of the point aimed at, depth / (2 x zoom) above and below it.
constexpr double kLensHalfHeight = 0.5;
// Shares of the picture's height: the far side of the pitch shows at least this high above the
// picture's bottom, and a ball in the air at least this far below its top.
constexpr double kPitchShare = 0.2;
constexpr double kBallMargin = 0.05;

CameraHandOff s_deviceCamera = nullptr;

CameraRecord& Record(int32_t camera, const char* caller)
{
    if (camera < 0 || camera >= CAMERA_COUNT) FatalError("%s(): bad camera %d", caller, camera);
    return Cameras[camera];
}

double ByStadium(const Stand& stand) { return BigStadium != 0 ? stand.big : stand.normal; }

// The render object behind a ball-holder word (person + 1), -1 for none or a word out of range.
int32_t HolderObject(int16_t word)
{
    return word >= 1 && word <= MATCH_OBJECT_COUNT ? word - 1 : -1;
}

CameraPoint ClampedFocus()
{
    CameraPoint f{};
    Camera_GetFocusPoint(&f);
    f.x = std::clamp<double>(f.x, PITCH_LEFT_TOUCHLINE_X + kFocusMargin,
                             PITCH_RIGHT_TOUCHLINE_X - kFocusMargin);
    f.y = std::clamp<double>(f.y, PITCH_NEAR_GOAL_LINE_Y + kFocusMargin,
                             PITCH_FAR_GOAL_LINE_Y - kFocusMargin);
    f.height = std::clamp(f.height, 0.0, kFocusHighest);
    return f;
}

bool CloseUp()
{
    const int32_t focus = Match.followedObject;
    if (focus >= 0 && focus < MATCH_PLAYER_COUNT && MatchPersons[focus].action == ACT_CELEBRATE)
        return true;
    return focus >= 0 && focus <= MATCH_BALL && MatchPhase >= PHASE_GOAL_KICK_TAKEN
           && MatchPhase <= PHASE_GOAL;
}

// From the camera position q onto the clamped focus f: the angles, the distance, the target and
// the lens.
void Aim(CameraRecord* c, const CameraPoint& q, const CameraPoint& f, bool straightDownPitch)
{
    const double dx = q.x - f.x, dy = q.y - f.y, dh = f.height - q.height;
    const double ground = std::hypot(dx, dy);
    c->yaw = straightDownPitch ? std::atan2(0.0, dy) : std::atan2(dx, dy);
    c->pitch = std::atan2(-ground, dh);
    c->distance = std::hypot(ground, dh);
    c->target[0] = static_cast<float>(f.x);
    c->target[1] = static_cast<float>(f.y);
    c->target[2] = static_cast<float>(f.height);
    const double zoom = c->distance * kZoomPerUnit;
    c->zoom = static_cast<float>(CloseUp() ? zoom * kCloseUp : zoom);
}

// How far along the ground from q, through f on the pitch, the pitch reaches.
double PitchReach(const CameraPoint& q, const CameraPoint& f)
{
    const double dx = f.x - q.x, dy = f.y - q.y;
    double share = std::numeric_limits<double>::infinity();  // of the way from q to f
    if (dx != 0) {
        const double edge = dx < 0 ? PITCH_LEFT_TOUCHLINE_X : PITCH_RIGHT_TOUCHLINE_X;
        share = std::min(share, (edge - q.x) / dx);
    }
    if (dy != 0) {
        const double edge = dy < 0 ? PITCH_NEAR_GOAL_LINE_Y : PITCH_FAR_GOAL_LINE_Y;
        share = std::min(share, (edge - q.y) / dy);
    }
    return share * std::hypot(dx, dy);
}

// The half-angle of the picture's height that a zoom gives.
double HalfLens(double zoom)
{
    return std::atan(kLensHalfHeight / std::clamp<double>(zoom, CAMERA_ZOOM_MIN, CAMERA_ZOOM_MAX));
}

// Aimed at a ball high in the air across the pitch, a touchline camera stands so low that its
// picture would hold only the far stand and the sky. The aim then comes down the vertical through
// the ball until the far side of the pitch shows, the lens widening where the ball would otherwise
// leave the top of the picture. Where even the widest lens cannot hold both, the ball stays in the
// picture and the pitch shows as far as it can.
void KeepThePitchInThePicture(CameraRecord* c, const CameraPoint& q, CameraPoint f)
{
    const double ground = std::hypot(q.x - f.x, q.y - f.y);
    // Angles below the horizontal, as seen from the camera; the picture spans its aim's angle
    // plus and minus its half lens.
    const double toBall = std::atan2(q.height - f.height, ground);
    const double toFarSide = std::atan2(q.height, PitchReach(q, f));
    const double pitchClear = 1 - 2 * kPitchShare, ballClear = 1 - 2 * kBallMargin;
    const double ownLens = HalfLens(c->zoom);
    if (toFarSide <= toBall + ownLens * pitchClear) return;
    const double neededLens = (toFarSide - toBall) / (pitchClear + ballClear);
    const double lens = std::clamp(neededLens, ownLens, HalfLens(CAMERA_ZOOM_MIN));
    const double down = std::min(toFarSide - lens * pitchClear, toBall + lens * ballClear);
    f.height = q.height - ground * std::tan(down);
    Aim(c, q, f, false);
    if (lens > ownLens) c->zoom = static_cast<float>(kLensHalfHeight / std::tan(lens));
}

void FollowFromTouchline(CameraRecord* c)
{
    const CameraPoint f = ClampedFocus();
    const double x = ByStadium(c->viewType == CAMERA_RIGHT_TOUCHLINE ? kRightX : kLeftX);
    const CameraPoint q = {x, PITCH_CENTRE_Y, ByStadium(kHeight)};
    Aim(c, q, f, false);
    KeepThePitchInThePicture(c, q, f);
}

void FollowFromBehindGoal(CameraRecord* c)
{
    CameraPoint f = ClampedFocus();
    f.height = kGoalCameraFocusHeight;
    CameraPoint& q = CameraPositions[c->viewType - CAMERA_NEAR_GOAL];
    q.x = std::clamp<double>(c->target[0], PITCH_CENTRE_X - kGoalCameraSlide,
                             PITCH_CENTRE_X + kGoalCameraSlide);
    q.y = c->viewType == CAMERA_NEAR_GOAL ? PITCH_NEAR_GOAL_LINE_Y - ByStadium(kBehindGoal)
                                          : PITCH_FAR_GOAL_LINE_Y + ByStadium(kBehindGoal);
    q.height = ByStadium(kHeight);
    Aim(c, q, f, std::abs(q.x - f.x) <= kStraightDownPitch);
}

void SetOverview(CameraRecord* c)
{
    c->zoom = kOverviewZoom;
    c->yaw = 0.0;
    c->pitch = kOverviewPitch;
    c->distance = kOverviewDistance;
    c->target[0] = static_cast<float>(kOverviewTarget.x);
    c->target[1] = static_cast<float>(kOverviewTarget.y);
    c->target[2] = static_cast<float>(kOverviewTarget.height);
}

}  // namespace

void InitCameras()
{
    for (CameraRecord& c : Cameras)
        c = kResetRecord;
    CurrentCamera = 0;
    Options.cameraViewType = Cameras[0].viewType;
}

void Camera_StartRun()
{
    const int16_t saved = Options.cameraViewType;
    InitCameras();
    SetCameraViewType(saved);
}

void SetCameraViewType(int32_t type)
{
    Record(CurrentCamera, "SetCameraViewType").viewType = static_cast<int16_t>(type);
    if (CurrentCamera == 0) Options.cameraViewType = static_cast<int16_t>(type);
}

int32_t Camera_ViewType() { return Record(CurrentCamera, "Camera_ViewType").viewType; }

void UpdateCurrentCamera()
{
    ProcessViewPoint(CurrentCamera);
    ApplyCameraView(CurrentCamera);
}

void ProcessViewPoint(int32_t camera)
{
    CameraRecord& c = Record(camera, "ProcessViewPoint");
    if (GetMatchSidesBlock()->viewMode != VIEW_3D) {
        SetOverview(&c);
        return;
    }
    switch (c.viewType) {
        case CAMERA_RIGHT_TOUCHLINE:
        case CAMERA_LEFT_TOUCHLINE: FollowFromTouchline(&c); break;
        case CAMERA_NEAR_GOAL:
        case CAMERA_FAR_GOAL: FollowFromBehindGoal(&c); break;
        default: FatalError("Error:ProcessViewPoint not a valid view %d", c.viewType);
    }
}

void ApplyCameraView(int32_t camera)
{
    CameraRecord& c = Record(camera, "ApplyCameraView");
    c.zoom = std::clamp(c.zoom, CAMERA_ZOOM_MIN, CAMERA_ZOOM_MAX);
    const double across = c.distance * std::sin(c.pitch);
    c.eye[0] = static_cast<float>(c.target[0] - across * std::sin(c.yaw));
    c.eye[1] = static_cast<float>(c.target[1] - across * std::cos(c.yaw));
    c.eye[2] = static_cast<float>(c.target[2] - c.distance * std::cos(c.pitch));

    const uint16_t mode = GetMatchSidesBlock()->viewMode;
    if (mode > VIEW_3D) FatalError("ApplyCameraView(): unknown game type");
    const bool device = mode == VIEW_3D && Video_Has3DDevice();
    const CameraHandOff handOff = device ? s_deviceCamera : SetViewCamera;
    if (handOff == nullptr) FatalError("ApplyCameraView(): no camera for the 3D device's view");
    handOff(c.eye[0], c.eye[1], c.eye[2], static_cast<float>(c.yaw), static_cast<float>(c.pitch),
            c.zoom);
}

int32_t Camera_FocusObject()
{
    int32_t object = HolderObject(Ball.secondHolder);
    if (object < 0) object = HolderObject(Ball.holder);
    if (object >= 0) return object;
    object = Match.followedObject;
    return object < 0 || object > MATCH_BALL ? MATCH_BALL : object;
}

void Camera_GetFocusPoint(CameraPoint* point)
{
    const RenderObject& o = RenderList[Camera_FocusObject()];
    *point = {o.x, o.y, o.height};
}

void Camera_RegisterScriptValues()
{
    ScriptRegisterValue("cameratype", Camera_ViewType);
    ScriptRegisterValue("cameray",
                        [] { return static_cast<int32_t>(Cameras[CurrentCamera].eye[1]); });
}

void Camera_SetDeviceCamera(CameraHandOff handOff) { s_deviceCamera = handOff; }
