// vx256/playermodel.h: the people models of the software views (player, keeper and referee, six
// levels of detail each) and their posing from a motion frame.
#pragma once

#include <cstdint>

#include "generic/motioncap.h"
#include "vx256/nod.h"
#include "vx256/polyman.h"

constexpr int32_t PLAYER_MODEL_KINDS = 3;   // player, keeper, officials
constexpr int32_t PLAYER_MODEL_LEVELS = 6;  // 0 the most detailed, 5 the flat one
constexpr int32_t PLAYER_MODEL_FLAT_LEVEL = 5;
constexpr int32_t PLAYER_MODEL_HEAD_JOINT = 4;

extern NodSkinnedModel PlayerModels[PLAYER_MODEL_KINDS][PLAYER_MODEL_LEVELS];

// The 18 models from "vxdata\software\sskin\models", after the kit textures (levels 0-4 take kit
// parts; level 5's named textures stay unresolved). A loaded model is not loaded again.
void LoadPlayerModels();
void FreePlayerModels();

// Sine and cosine of i 256ths of a turn.
void PlayerModel_BuildAngleTables();

// Poses `model`'s work points: each point turned by its joint's rotation from `frame` (null: the
// rest pose), the head turned `headAngle` further about the vertical, hung from its parent, then
// the whole turned to direction `facing` (256 to the turn, 0 facing -x) and moved to (x, y) and
// `height` plus the frame's root height (17 at rest).
void PlayerModel_Pose(NodSkinnedModel* model, const MotionFrame* frame, int32_t headAngle, float x,
                      float y, float height, int32_t facing);

// Each surface's state seen from `eye` (world x, y, height): front when its outward side faces
// the eye, the back of a double-sided surface, else hidden.
void PlayerModel_MarkSurfaces(NodSkinnedModel* model, const ViewPoint& eye);

// The software view's person: render object `object` posed from its clip frame (a motion outside
// the clips: at rest) with the model of `kind` and `level`, its surfaces drawn by sort group,
// farthest first, in the person's kit textures. A card shows only while the official shows it.
void DrawPlayerModel(int32_t object, int32_t kind, int32_t level, int32_t motion);
