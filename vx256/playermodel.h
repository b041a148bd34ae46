// vx256/playermodel.h: the people models of the software views (player, keeper and referee, six
// levels of detail each) and their posing from a motion frame.
#pragma once

#include <cstdint>

#include "viewservices/motioncap.h"
#include "vx256/nod.h"
#include "vx256/polyman.h"

constexpr int32_t PLAYER_MODEL_KINDS = 3;   // player, keeper, officials
constexpr int32_t PLAYER_MODEL_LEVELS = 6;  // 0 the most detailed, 5 the flat one
constexpr int32_t PLAYER_MODEL_FLAT_LEVEL = 5;
constexpr int32_t PLAYER_MODEL_HEAD_JOINT = 4;
constexpr int32_t PLAYER_SHADOW_POLYGONS = 4;  // torso, each leg, both arms
constexpr int32_t PLAYER_SHADOW_CORNERS = 4;

extern NodSkinnedModel PlayerModels[PLAYER_MODEL_KINDS][PLAYER_MODEL_LEVELS];

// The points of each kind's level-5 model that the skeleton shadow's polygons follow.
extern const int32_t PlayerModel_ShadowPolygons[PLAYER_MODEL_KINDS][PLAYER_SHADOW_POLYGONS]
                                               [PLAYER_SHADOW_CORNERS];

// The 2D view's colours of a side (0 home, 1 away, 2 the officials) in 5:6:5, filled by that
// view: its flat people wear the shirt, shorts and socks colours where their model says 1, 2, 3.
// An empty getter gives black.
struct FlatPersonColourGetters {
    uint16_t (*shirt)(int32_t side);
    uint16_t (*shorts)(int32_t side);
    uint16_t (*socks)(int32_t side);
};
extern FlatPersonColourGetters FlatPersonColours;

// The 18 models from "vxdata\software\sskin\models", after the kit textures (levels 0-4 take kit
// parts; level 5's named textures stay unresolved). A loaded model is not loaded again.
void LoadPlayerModels();
void FreePlayerModels();

// Sine and cosine of i 256ths of a turn.
void PlayerModel_BuildAngleTables();

// Poses `model`'s work points: each point turned by its joint's rotation from `frame` (null: the
// rest pose), the head turned `headAngle` further about the vertical, hung from its parent, then
// the whole turned to direction `facing` (256 to the turn, 0 facing -x) and moved to (x, y) and
// `height` plus the frame's root height (17 at rest). The 2D view's people hang every point
// `limbScale` times farther from its parent.
void PlayerModel_Pose(NodSkinnedModel* model, const MotionFrame* frame, int32_t headAngle, float x,
                      float y, float height, int32_t facing, float limbScale = 1.0f);

// Each surface's state seen from `eye` (world x, y, height): front when its outward side faces
// the eye, the back of a double-sided surface, else hidden.
void PlayerModel_MarkSurfaces(NodSkinnedModel* model, const ViewPoint& eye);

// The software view's person: render object `object` posed from its clip frame (a motion outside
// the clips: at rest) with the model of `kind` and `level`, its surfaces drawn by sort group,
// farthest first, in the person's kit textures. A card shows only while the official shows it.
void DrawPlayerModel(int32_t object, int32_t kind, int32_t level, int32_t motion);

// The drawers below have the shapes of the object display list's SoftObjectDrawers entries
// (flatPerson, flatShadow, skeletonShadow, nameLabel; person is DrawPlayerModel).

// The 2D view's person: the level-5 model of `kind`, limbs 2.5 times as long, posed as
// DrawPlayerModel poses and drawn in flat colours on the menu screen, vertices at view pixels.
void DrawFlatPlayerModel(int32_t object, int32_t kind);
// A ground shadow round (x, y): the mask of match graphic 0 on a rectangle of half-extents
// sizeA and sizeB turned an eighth of a turn, in the shadow colour.
void DrawFlatShadow(float x, float y, float sizeA, float sizeB);
// The person's level-5 model posed and laid on the ground as four flat polygons (torso, legs,
// arms) in the shadow colour, a light from behind the far stand stretching them toward the near
// touchline.
void DrawSkeletonShadow(int32_t object);
// The player's name from the name strip, centred on and resting on the point 35 above his feet,
// drawn only when the point is in view and the label lies wholly inside the game screen.
void DrawNameLabel(int32_t player);
