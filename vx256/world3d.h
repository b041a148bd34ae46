// vx256/world3d.h: everything of the software 3D view that is not a person: the horizon and the
// stadium, the goals and corner flags on the pitch, the ball, and the loading of the people's
// assets. The world is drawn first each frame (sky, grass, markings, ground marks, horizon,
// stadium); the goals, flags and ball go through the object display list.
#pragma once

#include <cstdint>

#include "vx256/nod.h"
#include "vx256/objects.h"

constexpr int32_t WORLD_BALL_MODELS = 6;  // five levels of the ball (row 0 is drawn), the cone
constexpr int32_t WORLD_CONE = 5;
constexpr int32_t WORLD_BIG_STADIUM_STANDS = 16;  // the stands' sum from which the big one shows
constexpr uint8_t WORLD_SKY_COLOUR = 243;         // the stadium palette's sky
constexpr float WORLD_NEAR_Z = 20.0f;

// Kind bits of the pitch items: the corner flags, then the two goals.
enum : uint32_t {
    ITEM_FLAG_FAR_RIGHT = 1,
    ITEM_FLAG_FAR_LEFT = 2,
    ITEM_FLAG_NEAR_RIGHT = 4,
    ITEM_FLAG_NEAR_LEFT = 8,
    ITEM_GOAL_FIRST = 16,   // stands on the far goal line, turned to face the pitch
    ITEM_GOAL_SECOND = 32,  // stands on the near goal line
};

struct PitchItem {
    const char* name;
    uint32_t bits;
    NodRigidModel* model;
};

// Rows 0-7 the goals' back, top, left and right parts, 8-11 the corner flags.
extern PitchItem PitchItems[OBJECT_PITCH_ITEMS];
extern NodRigidModel* WorldHorizon;
extern NodRigidModel* WorldStadium;
extern NodRigidModel* WorldBalls[WORLD_BALL_MODELS];
extern int32_t BigStadium;  // 1 when the match-day stands add up to 16 or more

// Loads and places the whole world, with the load bar: horizon, stadium, pitch items, the
// pitch's grass and lines, the people's tables, clips and models, the balls and the cone. The
// kit textures must be loaded before (the people's models take their slots).
void Create3DWorld();
void FreeWorld();  // everything Create3DWorld loaded; safe when nothing is

// Places one pitch item by its kind bits: a corner flag (ModifyFlagWorld) or a goal; a row with
// neither is fatal "ERROR:Create3DWorld -  ModelType not found".
void PlaceWorldItem(NodRigidModel* model, uint32_t bits);
// Scales a flag model 33.6 times and stands it on the corner its bit names (exactly one of bits
// 1, 2, 4, 8, else fatal "ERROR: ModifyFlagWorld default case hit"); normals recomputed.
void ModifyFlagWorld(NodRigidModel* model, uint32_t bits);
// Each surface's stored normal from its first three points, 20 long (left as it is when they
// are in line).
void World_ComputeNormals(NodRigidModel* model);
// Turns the model's points and normals by `angle` about the vertical axis.
void World_Turn(NodRigidModel* model, float angle);

// The frame's first drawing, into the game screen through the current camera.
void DrawWorldBackground();
// A placed model: its surfaces facing the eye (and the backs of double-sided ones, reversed),
// clipped and drawn with their textures, 0 transparent.
void DrawWorldModel(NodRigidModel* model);
float WorldItemDepth(const NodRigidModel* model);  // the view depth of its first point
// The ball's level-0 model turned by the three spin angles and moved to (x, y, height).
void DrawBallModel(float x, float y, float height, float spin1, float spin2, float spin3);
// 1 with the game-screen position of the point `height` above (x, y) when it lies inside the
// view and at least 20 in front of the eye; 0 otherwise.
int32_t ProjectWorldPoint(float height, float x, float y, int32_t* screenX, int32_t* screenY);

// Fills the world's rows of SoftObjectDrawers: ball, item depth, item draw.
void World_InstallDrawers();
