// vx256/nod.h: NOD model files of the software 3D view: "NOD01" rigid models (the world's props)
// and "NOD02" skinned models (the people), read into model objects whose textures are resolved
// to flat colours, kit parts or named textures, and whose texture coordinates are in texels of
// the texture bound.
#pragma once

#include <cstdint>

constexpr int32_t NOD_MAX_JOINT_POINTS = 27;
constexpr int32_t NOD_MAX_SORT_POINTS = 54;
constexpr int32_t NOD_MAX_START_POINTS = 27;
constexpr int32_t NOD_MAX_END_POINTS = 27;
constexpr int16_t NOD_TERMINATOR_JOINT = 32000;
constexpr int32_t NOD_TEXTURE_NAME_BYTES = 16;

// Surface flags in the file.
constexpr uint32_t NOD_SURFACE_DOUBLE_SIDED = 0x01;
constexpr uint32_t NOD_SURFACE_SECOND_FLAG = 0x02;
constexpr uint32_t NOD_SURFACE_OWN_SIZE = 0x08;

// Texture flags of the loaders: the low four bits say where named textures come from.
constexpr uint32_t NOD_TEXTURES_NAMED = 0;
constexpr uint32_t NOD_TEXTURES_KIT = 1;
constexpr uint32_t NOD_TEXTURES_UNRESOLVED = 2;
constexpr uint32_t NOD_TEXTURES_LEFT_MARKERS = 0x10;
constexpr uint32_t NOD_TEXTURES_RIGHT_MARKERS = 0x20;

enum NodTextureType : int16_t {
    NOD_TEXTURE_NAMED,
    NOD_TEXTURE_COLOUR,
    NOD_TEXTURE_KIT_PART,
    NOD_TEXTURE_SIDE_MARKER
};

struct NodTexture {
    char name[NOD_TEXTURE_NAME_BYTES];
    int16_t index;  // named-texture cache index or kit part number
    uint32_t colour;
    int16_t type;  // NodTextureType
};

struct NodPoint {
    float x, y, z;
};

struct NodSkinnedPoint {
    float x, y, z;
    int16_t joint;
    int16_t vertex;
};

// A transformed point: view space and its outcode.
struct NodWorkPoint {
    float x, y, z;
    uint32_t outcode;
};
static_assert(sizeof(NodWorkPoint) == 16);

struct NodRigidSurface {
    float u[5];
    float v[5];
    uint32_t words[3];  // carried for the model's users
    int16_t corners[5];
    uint8_t doubleSided;  // 0xFF or 0
    uint8_t secondFlag;
    int16_t texture;  // -1 none
};

// A surface's draw state, set as a person is drawn.
enum NodSurfaceState : uint8_t { NOD_FRONT, NOD_BACK, NOD_HIDDEN };

struct NodSkinnedSurface {
    NodWorkPoint* vertices[4];  // the fourth null for a triangle
    float u[5];
    float v[5];
    int16_t corners[5];
    uint8_t doubleSided;
    uint8_t secondFlag;
    int16_t texture;
    uint8_t state;  // NodSurfaceState
};

struct NodRigidModel {
    NodPoint* points;
    NodWorkPoint* work;
    int32_t pointCount;
    NodRigidSurface* surfaces;
    int32_t surfaceCount;
    NodTexture* textures;
    int32_t textureCount;
};

struct NodSkinnedModel {
    NodSkinnedPoint* points;
    NodWorkPoint* work;  // by vertex index
    int32_t pointCount;  // without the terminator
    NodSkinnedSurface* surfaces;
    int32_t surfaceCount;
    NodTexture* textures;
    int32_t textureCount;
    NodWorkPoint** pointVertex;  // each point's work vertex
    int32_t firstOtherVertex;    // the first point whose vertex differs from point 0's, or 0
    int32_t highestJoint;
    uint32_t jointPoints[NOD_MAX_JOINT_POINTS];  // each joint's origin point
    int32_t jointCount;
    uint32_t leadingPoints;  // the head's word at 73: points copied unposed
    uint32_t sortPoints[NOD_MAX_SORT_POINTS];
    int32_t sortCount;
    uint32_t startPoints[NOD_MAX_START_POINTS];  // first surface of each sort group
    int32_t startCount;
    uint32_t endPoints[NOD_MAX_END_POINTS];  // last surface of each sort group
    int32_t endCount;
};

// "<baseDirectory>\<name>", a NOD02 file, into `model` unless it already has points.
void NOD_LoadWorld(NodSkinnedModel* model, const char* name, const char* baseDirectory,
                   uint32_t textureFlags);
// "vxdata\software\<modelSet>\model\<name>.nod", a NOD01 file, into table[number] unless that
// entry already has points; textures from "<modelSet>\textures".
void NOD_LoadWorld2(NodRigidModel* table, int32_t number, const char* modelSet, const char* name,
                    uint32_t textureFlags);
// A new rigid model from "<directory>\<name>.nod" with room for extra zeroed points and surfaces.
void NOD_LoadWorld1(NodRigidModel** model, const char* directory, const char* name,
                    const char* textureDirectory, int32_t extraPoints, int32_t extraSurfaces,
                    uint32_t textureFlags);
void NOD_FreeSkinned(NodSkinnedModel* model);
void NOD_FreeWorld2(NodRigidModel* model);
void NOD_FreeWorld1(NodRigidModel** model);

// Resolves one model texture by its name.
void NOD_LoadTextures(NodTexture* texture, const char* directory, uint32_t textureFlags);
