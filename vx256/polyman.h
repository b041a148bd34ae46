// vx256/polyman.h: the geometry stage of the software 3D view: the camera's view transform, the
// heading tables that turn models about the vertical axis, the model rotation, the clipping of one
// polygon against the near plane and the four sides of the 4:3 view pyramid, and the projection of
// what is left to 28.4 screen vertices for the walkers.
//
// View space: X across the screen, Y down it, Z along the view axis. The pyramid is |X| <= Z,
// |Y| <= Z (the factors 1.5 and 2.0 of the transform make it 4:3) and the near plane Z = 20.
#pragma once

#include <cstdint>

#include "engine/convert.h"
#include "viewservices/viewscreen.h"
#include "vx256/softspan.h"

constexpr float POLY_NEAR_Z = 20.0f;
constexpr int32_t HEADING_STEPS = 256;
constexpr int32_t HEADING_STEPS_16 = 16;

// Outcode bits of a view-space point; 0 is inside the pyramid and beyond the near plane.
enum : uint32_t {
    OUTCODE_RIGHT = 1,   // X > Z
    OUTCODE_LEFT = 2,    // X < -Z
    OUTCODE_BOTTOM = 4,  // Y > Z
    OUTCODE_TOP = 8,     // Y < -Z
    OUTCODE_NEAR = 16,   // Z < 20
};

struct ViewPoint {
    float x, y, z;
};

struct NodWorkPoint;

// The transform in the form the pitch renderer reads: X = m00 dx + m10 dy, S = m01 dx + m11 dy,
// Y = m21 S + m20 dh, Z = m22 S + m23 dh for the offset (dx, dy, dh) from the camera.
struct ViewTransform {
    float m00, m10, m01, m11;
    float m20, m21, m22, m23;
};

struct PolyVertex {
    float x, y, z;  // view space
    float u, v;     // texels
};

struct PolyPolygon {
    PolyVertex vertices[SOFT_MAX_POLY_VERTICES];
    int32_t count;  // 3 or 4 before clipping
};

// A 2 x 2 ground turn {cos t, sin t, -sin t, cos t}: (x, y) goes to
// (e[0] x + e[1] y, e[2] x + e[3] y).
struct HeadingEntry {
    float e[4];
};

using RotationMatrix = float[3][3];

enum class VertexOrder { AsStored, Reversed };

// Filled by the model drawers, clipped in place.
extern PolyPolygon CurrentPolygon;
// Shared by everything that poses a model.
extern RotationMatrix ModelRotation;

// Stores the camera and builds the transform; yaw and pitch in radians as the cameras aim them,
// zoom the camera's lens factor.
void SetViewCamera(float x, float y, float height, float yaw, float pitch, float zoom);
const ViewTransform& Polyman_ViewTransform();
float Polyman_Zoom();        // the lens factor of the last SetViewCamera
ViewPoint Polyman_Camera();  // where the last SetViewCamera put the camera: x, y, height
ViewPoint Polyman_ToView(float x, float y, float height);
// The same for a caller that moves many points: the transform and camera fetched once.
inline ViewPoint Polyman_ToViewBy(const ViewTransform& m, const ViewPoint& camera, float x, float y,
                                  float height)
{
    const float dx = x - camera.x, dy = y - camera.y, dh = height - camera.z;
    const float ground = m.m01 * dx + m.m11 * dy;
    return {m.m00 * dx + m.m10 * dy, m.m21 * ground + m.m20 * dh, m.m22 * ground + m.m23 * dh};
}
// Inline: the people's drawers code every point of every model each frame.
inline uint32_t Polyman_Outcode(float x, float y, float z)
{
    uint32_t code = 0;
    if (x > z) code |= OUTCODE_RIGHT;
    if (x < -z) code |= OUTCODE_LEFT;
    if (y > z) code |= OUTCODE_BOTTOM;
    if (y < -z) code |= OUTCODE_TOP;
    if (z < POLY_NEAR_Z) code |= OUTCODE_NEAR;
    return code;
}

void BuildHeadingTables();
// Out-of-range indices are fatal "Heading error".
void SetHeading(int32_t index);
void SetHeading16(int32_t index);
const HeadingEntry& Polyman_HeadingEntry(int32_t index);    // of 256; index taken modulo 256
const HeadingEntry& Polyman_HeadingEntry16(int32_t index);  // of 16; index taken modulo 16
// Turns (x, y) in place by the current heading.
void Polyman_TurnByHeading(float& x, float& y);

// The turn by a about the vertical axis, b about the side axis and c about the forward axis,
// from the angles' sines and cosines; the one place the formula lives.
void BuildJointRotation(float sinA, float cosA, float sinB, float cosB, float sinC, float cosC,
                        RotationMatrix out);
void SetModelAngles(float a, float b, float c);  // radians, into ModelRotation
void RotateNormal(float normal[3]);              // by ModelRotation

// Clips CurrentPolygon against the five planes; 1 with the clipped polygon in place, 0 when less
// than a triangle is left. A polygon of fewer than 3 or more than SOFT_MAX_POLY_VERTICES corners,
// or one whose clipped form would not fit (only a non-convex one can grow so), gives 0.
int32_t ClipPolygon();
// A view-space point inside the near plane to its 28.4 screen position in the view, centred at
// (8 W, 8 H).
struct ScreenPoint {
    int32_t x, y;
};
inline ScreenPoint Polyman_Project(float x, float y, float z)
{
    return {ChopToInt(x / z * ViewProjection.scaleX + ViewSize.width * 8.0),
            ChopToInt(y / z * ViewProjection.scaleY + ViewSize.height * 8.0)};
}
// Work points holding world positions to view space in place, each with its outcode; with a
// `screen` array, each point inside the view also gets its Polyman_Project position there (the
// others' entries are left meaningless). Every result is exactly what Polyman_ToViewBy,
// Polyman_Outcode and Polyman_Project give, four points at a time: a model's hundreds of points
// cost a frame more in their divisions than in anything else.
void Polyman_WorkToView(NodWorkPoint* points, int32_t count, ScreenPoint* screen);
// View-space vertices to 28.4 screen vertices of the view as Polyman_Project places them; z x 16.
void ProjectVertices(const PolyVertex* source, SoftVertex* destination, int32_t count,
                     VertexOrder order);
// Twice the signed screen area of projected vertices: the walkers fill polygons of one sign
// only, so a polygon of the other is projected in reversed order.
int64_t ProjectedWinding(const SoftVertex* vertices, int32_t count);
// The game screen record moved to the view's origin, the view's size: projected vertices drawn
// into it land on the view. No pixels while no game screen exists.
GameScreenRecord Polyman_ViewScreen();
