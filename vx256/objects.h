// vx256/objects.h: the object display list of the 8-bit views: every kind of object on the pitch
// says how many it has and how far each one is; the visible ones are drawn farthest first, after
// every kind's ground shadows. Also the software view's and the 2D view's lists of kinds, and the
// choice of the four players who get name labels.
#pragma once

#include <cstdint>

constexpr int32_t MAX_OBJECTS = 256;
constexpr int32_t MAX_OBJECT_TYPES = 16;
constexpr int32_t OBJECT_PEOPLE = 35;  // render objects 0-34
constexpr int32_t OBJECT_BALL = 35;
constexpr int32_t OBJECT_PITCH_ITEMS = 12;  // 0-7 goal parts, 8-11 corner flags
constexpr int32_t MOTION_CLIPS = 159;
constexpr int32_t MOTION_ABSENT = -1;     // not on the pitch
constexpr int32_t MOTION_NO_SHADOW = -2;  // on the pitch, without a skeleton shadow
constexpr float PERSON_HEAD_HEIGHT = 35.0f;

// A kind of object. A list of kinds ends at one without GetCount. GetDepth's negative results are
// not visible; a kind that has GetDepth must have Draw; Prepare may be empty.
struct ObjectType {
    int32_t (*GetCount)();
    float (*GetDepth)(int32_t index);
    void (*Draw)(int32_t index);
    void (*Prepare)(int32_t index);
};

// What the lists' kinds draw with, filled by the modules that draw each thing; an empty entry
// draws nothing and an empty itemDepth reports the item not visible.
struct SoftObjectDrawerTable {
    // motion: the clip 0-158, or MOTION_ABSENT for the model's rest pose.
    void (*person)(int32_t object, int32_t modelKind, int32_t level, int32_t motion);
    void (*flatPerson)(int32_t object, int32_t modelKind);
    void (*flatShadow)(float x, float y, float sizeA, float sizeB);
    void (*skeletonShadow)(int32_t object);
    void (*nameLabel)(int32_t player);
    void (*ball)(float x, float y, float height, float spin1, float spin2, float spin3);
    float (*itemDepth)(int32_t item);
    void (*itemDraw)(int32_t item);
    void (*ballDraw2D)(int32_t index);
    void (*ballPrepare2D)(int32_t index);
};
extern SoftObjectDrawerTable SoftObjectDrawers;

// People, ball, pitch items; the 2D view's people and ball.
extern const ObjectType ObjectTypes3D[4];
extern const ObjectType ObjectTypes2D[3];

// Prepares every object of every kind, then draws the visible ones largest depth first. More than
// MAX_OBJECT_TYPES kinds or MAX_OBJECTS visible objects, and a kind seen but not drawable, are
// fatal.
void ObjectDisplay(const ObjectType* list);
// With the names shown, the labels of the four players nearest the focus person, nearest first.
void ObjectDisplay_DrawNameLabels();

// The people's view depth of a render object: Z when the foot or the head (35 above) lies inside
// the four sides of the view, -1 when neither does, it is nearer than 20 or absent.
float ObjectDisplay_PersonDepth(int32_t object);
// A render object's motion id, or MOTION_ABSENT when it lies outside -2..158.
int32_t ObjectDisplay_Motion(int32_t object);
// 2 for the officials, 1 for the two goalkeepers, else 0.
int32_t ObjectDisplay_ModelKind(int32_t object);
// The level of detail 0-5 of a person at this depth, for the view width, the current camera's
// zoom and the model detail setting.
int32_t ObjectDisplay_DetailLevel(float depth);
