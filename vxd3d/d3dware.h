// vxd3d/d3dware.h: the match seen through the 3D device: the stadium by day or night with its
// crowd, the pitch, goals with nets, corner flags, the ball and its shadow, ground marks, and the
// 35 people as skinned models in five levels of detail, posed from their clips and dressed in their
// kits through the sides' colour ramps; shadows, lighting and fog as the video options say; the
// head-up display over it (vxd3d/d3dhud.h). Paced at 50 engine ticks a second (200 in quick
// preview), dropping frames when late.
#pragma once

#include <cstdint>

#include "engine/vecmath.h"

constexpr int32_t D3DWARE_TICKS_A_SECOND = 100;  // the 10 ms tick
constexpr int32_t D3DWARE_FRAMES_A_SECOND = 50;
constexpr int32_t D3DWARE_QUICK_FRAMES_A_SECOND = 200;
constexpr int32_t D3DWARE_LEVELS = 5;  // 500, 300, 200, 100 and 60 polygons
constexpr int32_t D3DWARE_KINDS = 3;   // player, keeper, referee
constexpr int32_t D3DWARE_FLOODLIGHTS = 4;
constexpr uint32_t D3DWARE_RED_CARD = 0xFFCC0000;
constexpr uint32_t D3DWARE_YELLOW_CARD = 0xFFCCCC00;

// The five hooks of the match engine's view dispatch.
// Fatal "D3DGame_Init(): Direct3D not initialized" without a 3D device in the video settings.
void D3DGame_Init();
void D3DGame_Destroy();
void D3DGame_Step();    // the highlight countdown only
void D3DGame_Update();  // the camera; the info bar and news at most once per two ticks
void D3DGame_Render();  // paced: a late call draws nothing

// The cameras' hand-off: view and projection set on the device, kept for the two below.
void D3DGame_SetCamera(float x, float y, float z, float yaw, float pitch, float zoom);
// 0 with the screen position, -1 for a point behind the eye.
int32_t D3DGame_ProjectPoint(float x, float y, float z, float* screenX, float* screenY);
float D3DGame_EyeDistance(float x, float y, float z);

// Registers the view as the device kind and hands the cameras D3DGame_SetCamera.
void D3DGame_Register();

// The frame's picture, from the first clear to the end of the scene (and the flip in full
// screen), without its pacing and input: the benchmark's measure.
void D3DGame_DrawScene();

// For tests and the head-up display.
bool D3DGame_OnPitch(int32_t object);
// The model a person is drawn with: 2 the officials (32-34), 1 the man in slot 0 of either
// line-up (the keepers, wherever a swap has put them), else 0.
int32_t D3DGame_ModelKind(int32_t object);  // a motion of -2 (at rest, no shadow) to 158
int32_t D3DGame_Frames();                   // drawn since the view was built
bool D3DGame_StencilShadows();              // the device stencils shadows in the chosen mode
int32_t D3DGame_BigStadium();
const char* D3DGame_StadiumName();  // "stad2d", "bigstadn", ...
const char* D3DGame_PitchModel();   // "newgrass" or "lowgrass"
int32_t D3DGame_ShadowsAPerson();   // 1 by day, 4 at night
int32_t D3DGame_Light();            // the scene light's slot, -1 none
double D3DGame_Accumulator();       // the tick the next frame is due at
// The level of detail 0-4 of a person `distance` from the eye through a lens of `zoom`.
int32_t D3DGame_PersonLevel(float distance, float zoom, int32_t modelDetail);
// The ground-flattening matrix of a shadow cast from `light` (null: the sun) onto z = 0 by an
// owner standing at `owner` (world coordinates).
void D3DGame_ShadowMatrix(Matrix4* out, const Vec3& owner, const Vec3* light);
// The colour an official's card group shows now: red or yellow while he shows that card (motion
// 60, state 9 or 8), else 0 (the colour the model was built with).
uint32_t D3DGame_CardColour(int32_t object);
