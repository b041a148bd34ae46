// vx256/playermodel.h: the people models of the software views (player, keeper and referee, six
// levels of detail each) and their posing from a motion frame.
#pragma once

#include <cstdint>

#include "generic/motioncap.h"
#include "vx256/nod.h"

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
