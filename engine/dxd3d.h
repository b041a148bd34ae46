// engine/dxd3d.h: the 3D device on the display: its creation on the drawing surface and release,
// viewport, clears, scenes, lit and pre-transformed primitives, transforms, material, ambient
// light and eight directional lights, sphere visibility, and the z-buffer format choice.
#pragma once

#include <cstdint>

#include "engine/host/host.h"
#include "engine/vecmath.h"

// Vertex formats: untransformed {x, y, z, nx, ny, nz, u, v} and {x, y, z, nx, ny, nz, diffuse},
// lit by the device; pre-transformed {x, y, z, rhw, diffuse, specular, u, v} (D3DScreenVertex),
// drawn as given.
constexpr uint32_t D3D_VERTEX_NORMAL_UV = HOST_VERTEX_NORMAL_UV;
constexpr uint32_t D3D_VERTEX_NORMAL_DIFFUSE = HOST_VERTEX_NORMAL_DIFFUSE;
constexpr uint32_t D3D_VERTEX_SCREEN = HOST_VERTEX_SCREEN;

struct D3DScreenVertex {
    float x;  // pixels
    float y;
    float z;           // depth 0-1
    float rhw;         // 1 / eye distance
    uint32_t diffuse;  // 0xAARRGGBB
    uint32_t specular;
    float u;
    float v;
};
static_assert(sizeof(D3DScreenVertex) == 32);

enum D3DPrimitiveType : uint32_t {
    D3D_PRIM_POINTS = HOST_PRIM_POINTS,
    D3D_PRIM_LINES = HOST_PRIM_LINES,
    D3D_PRIM_TRIANGLES = HOST_PRIM_TRIANGLES,
    D3D_PRIM_FAN = HOST_PRIM_FAN,
};

enum D3DTransformType : uint32_t {
    D3D_TRANSFORM_WORLD = HOST_TRANSFORM_WORLD,
    D3D_TRANSFORM_VIEW = HOST_TRANSFORM_VIEW,
    D3D_TRANSFORM_PROJECTION = HOST_TRANSFORM_PROJECTION,
};

// Clear flags, also the bits of D3DInfo.clearFlags.
enum D3DClearFlags : uint32_t {
    D3D_CLEAR_TARGET = HOST_CLEAR_TARGET,
    D3D_CLEAR_ZBUFFER = HOST_CLEAR_Z,
    D3D_CLEAR_STENCIL = HOST_CLEAR_STENCIL,
};

// Sphere visibility: a sphere with any of these bits lies wholly outside the view.
constexpr uint32_t D3D_SPHERE_OUTSIDE = 0x3F000;

constexpr int32_t D3D_MAX_LIGHTS = 8;

using D3DMaterial = HostMaterial;  // diffuse, ambient, specular, emissive (r, g, b, a), power

struct D3DInfoRecord {
    HostDisplay* lpD3D7;         // the display whose 3D side D3DInit opened; null before
    const HostGuid* deviceGuid;  // the selected 3D device row's
    HostDevice* lpD3DDevice7;    // null while no device exists
    uint32_t width;              // of the render target
    uint32_t height;
    uint32_t lights[D3D_MAX_LIGHTS];  // 1 while the slot is in use
    uint32_t clearFlags;              // D3DClearFlags the device has
};

extern D3DInfoRecord D3DInfo;  // owned by dxd3d: read it here, change it through dxd3d

// Opens the 3D side of the display object for the selected 3D device and registers D3DUninit as
// exit function. Fatal aborts: "D3DInit(): already initialised", "D3DInit(): Direct Draw not
// initialised" (null), "D3DInit(): no 3d device selected".
void D3DInit(HostDisplay* lpDD7);
void D3DUninit();  // fatal abort "D3DUninit(): not initialised" without D3DInit
// Creates the device on the drawing surface, its viewport the whole surface, the clear flags
// from the z-buffer, then the texture table and the render-state cache; registers
// D3DUninitDevice as exit function. Every failure is fatal: there is no other device to try.
void D3DInitDevice(HostSurface* surface);
void D3DUninitDevice();  // render states, textures, then the device

HostDisplay* D3DGetD3D7();       // fatal abort "D3DGetD3D7(): no Direct3D created"
HostDevice* D3DGetD3DDevice7();  // fatal abort "D3DGetD3DDevice7(): no Direct3DDevice created"

void D3DSetViewport(uint32_t x, uint32_t y, uint32_t width, uint32_t height, float minZ,
                    float maxZ);
// Clears what the flags ask and the device has, over the whole target: opaque black, z 1.0,
// stencil 0.
void D3DClearScene(uint32_t flags);
void D3DClearCurrent();  // everything the device has
void D3DBeginScene();
void D3DEndScene();  // windowed, the window repaints
void D3DDrawPrimitive(uint32_t type, uint32_t vertexFormat, const void* vertices, uint32_t count);
void D3DDrawIndexedPrimitive(uint32_t type, uint32_t vertexFormat, const void* vertices,
                             uint32_t vertexCount, const uint16_t* indices, uint32_t indexCount);
// Centres as 3 floats each; a result with any bit of D3D_SPHERE_OUTSIDE is outside the view.
void D3DComputeSphereVisibility(const float* centres, const float* radii, uint32_t count,
                                uint32_t* results);
void D3DSetTransformType(uint32_t type, const Matrix4* matrix);
void D3DSetMaterial(const D3DMaterial* material);
void D3DSetAmbientLight(uint32_t colour);  // 0xAARRGGBB, through the render-state cache

// A directional light of `colour` (r, g, b, a: diffuse, specular and ambient alike), switched
// on; its slot 0-7. A ninth: fatal abort "D3DLightCreate(): no free light slots".
int32_t D3DLightCreate(const float colour[4], const float direction[3]);
// A slot not in use, or outside 0-7: fatal abort "D3DLightEnable(): light doesn't exist" (and
// "D3DLightDestroy(): ...").
void D3DLightEnable(int32_t slot, bool on);
void D3DLightDestroy(int32_t slot);

// The display's z-buffer choice: the best format so far and its quality (-1 before any), the
// wanted depth and stencil bits.
struct D3DZBufferContext {
    HostPixelFormat best;
    int32_t quality;
    uint32_t wantedDepth;
    uint32_t wantedStencil;
};
// Scores one format (10 same depth, 2 deeper, 0 shallower; stencil below the wanted skips it,
// equal adds 6, more adds 1) and keeps it when strictly better. Always goes on.
bool D3DZBufferFormatCallback(const HostPixelFormat& format, void* context);

bool D3DIsWindowed();
