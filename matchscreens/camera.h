// matchscreens/camera.h: the match cameras: four camera records that follow the play in the 3D view
// (two from the touchlines, two from behind the goals) and the fixed overview of the other
// views, turned each frame into the eye, angles and lens that the renderer in use receives.
#pragma once

#include <cstdint>

constexpr int32_t CAMERA_COUNT = 4;
constexpr int32_t CAMERA_VIEW_TYPES = 4;
constexpr float CAMERA_ZOOM_MIN = 1.0f;
constexpr float CAMERA_ZOOM_MAX = 20.0f;

enum CameraViewType : int16_t {
    CAMERA_RIGHT_TOUCHLINE,  // from x 1500, level with the halfway line
    CAMERA_NEAR_GOAL,        // behind the goal line y = 122
    CAMERA_FAR_GOAL,         // behind the goal line y = 2042
    CAMERA_LEFT_TOUCHLINE,
};

struct CameraPoint {
    double x, y, height;  // pitch units
};

struct CameraRecord {
    float eye[3];     // x, y, height: where ApplyCameraView last put the eye
    float target[3];  // the look-at point; the goal cameras slide along from its x
    double spare[2];  // 16.0 and 44.0 after a reset; no view reads them
    int16_t spareWords[4];
    int16_t viewType;  // a CameraViewType
    double yaw;        // radians
    double pitch;
    double distance;  // eye to target
    float zoom;       // 1.0 to 20.0 once ApplyCameraView has run
};

// Owned by the camera module: read them here, change them through the operations below.
extern CameraRecord Cameras[CAMERA_COUNT];
extern int16_t CurrentCamera;  // 0-3; 0 after a reset
// Where the goal cameras (view types 1 and 2, in that order) last stood.
extern CameraPoint CameraPositions[2];

// Every record reset, camera 0 current and given the view type the options keep from run to
// run. The set-ups of the 2D and software 3D views call it; the game's start calls it once, so
// that the view type reads right before any match.
void InitCameras();
// The current camera's view type (the digit keys and the display options); camera 0's is kept
// in the options block. `type` is 0-3.
void SetCameraViewType(int32_t type);
int32_t Camera_ViewType();  // the current camera's

// Every frame, by the views' update hooks: ProcessViewPoint, then ApplyCameraView.
void UpdateCurrentCamera();
// Moves the camera by its view type in the 3D view mode, or sets the fixed overview in the other
// modes. A view type outside 0-3 in the 3D view mode is fatal.
void ProcessViewPoint(int32_t camera);
// Clamps and stores the zoom, computes the eye and hands the camera to the software renderer, or
// in the 3D view mode with a 3D device to the device view's camera. A view mode past the 3D one
// is fatal.
void ApplyCameraView(int32_t camera);
// The render object of the man on the ball (the second ball-holder word, then the first), else of
// the engine's focus person; a word outside the render objects is passed over, and a focus person
// outside 0-35 gives the ball.
void Camera_GetFocusPoint(CameraPoint* point);

// The scripted runs' `cameratype` (the current camera's view type) and `cameray` (its eye's y,
// whole pitch units).
void Camera_RegisterScriptValues();

// The device view's camera operation, called with what SetViewCamera takes; the device view
// installs it when it starts.
using CameraHandOff = void (*)(float x, float y, float height, float yaw, float pitch, float zoom);
void Camera_SetDeviceCamera(CameraHandOff handOff);
