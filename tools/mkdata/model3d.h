// tools/mkdata/model3d.h: "XYZ0" models built in memory from simple solids and written as the
// game reads them. Every solid's corners run counter-clockwise seen from outside, so its face
// normals point outward.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/vecmath.h"
#include "engine/xyzdata.h"

struct MkModelTexture {
    std::string name;  // empty: untextured, drawn in the colour
    std::string second;
    uint32_t rgba;  // red in the low byte, as the record stores it
};

struct MkModel {
    std::vector<XYZPoint> points;
    std::vector<MkModelTexture> textures;
    std::vector<XYZPolygon> polygons;
};

// What the next solid's points and polygons carry.
struct MkPen {
    uint32_t texture;
    uint16_t bone = XYZ_NO_POINT;
    uint16_t parent = XYZ_NO_POINT;
};

// Record sizes of the written file; larger than the game's records, the rest is zero.
struct MkRecordSizes {
    uint32_t point = sizeof(XYZPoint);
    uint32_t texture = sizeof(XYZTexture);
    uint32_t polygon = sizeof(XYZPolygon);
};

std::vector<uint8_t> MkModelBytes(const MkModel& model, MkRecordSizes sizes = {});

// The texture record of this name, colour and face group, added on first use.
uint32_t MkModelTextureOf(MkModel* model, const std::string& name, uint32_t rgba = 0xFFFFFFFF,
                          const std::string& group = "");
uint32_t MkModelAddPoint(MkModel* model, const Vec3& p, uint16_t bone = XYZ_NO_POINT,
                         uint16_t parent = XYZ_NO_POINT);
// A polygon of 1 to 4 existing points with texture coordinates per corner.
void MkModelAddPolygon(MkModel* model, uint32_t texture, const std::vector<uint32_t>& points,
                       const std::vector<float>& u, const std::vector<float>& v);

// The outward normal of polygon p, from its first three corners.
Vec3 MkPolygonNormal(const MkModel& model, const XYZPolygon& polygon);

// A quad a-b-c-d (counter-clockwise from its front), texture 0-1 across and down.
void MkAddQuad(MkModel* model, const MkPen& pen, const Vec3& a, const Vec3& b, const Vec3& c,
               const Vec3& d);
void MkAddBox(MkModel* model, const MkPen& pen, const Vec3& lo, const Vec3& hi);
// A tube of `sides` faces from `from` (radius r0) to `to` (r1); caps as triangle fans.
void MkAddTube(MkModel* model, const MkPen& pen, const Vec3& from, const Vec3& to, float r0,
               float r1, int32_t sides, bool caps);
// Rings of latitude from pole to pole, each of `segments` faces; the polar rows are triangles.
void MkAddSphere(MkModel* model, const MkPen& pen, const Vec3& centre, const Vec3& radii,
                 int32_t rings, int32_t segments);
// A disc in the plane z = centre.z facing +z, of `segments` triangles.
void MkAddDisc(MkModel* model, const MkPen& pen, const Vec3& centre, float radius,
               int32_t segments);
