// engine/xyzdata.cpp: "XYZ0" model blocks, their check and their point transforms.
#include "engine/xyzdata.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/fatal.h"
#include "engine/pakfile.h"

namespace {

using Extended = long double;

template <typename Record>
Record ReadAt(const void* block, uint64_t offset)
{
    Record record;
    std::memcpy(&record, static_cast<const uint8_t*>(block) + offset, sizeof record);
    return record;
}

bool TableFits(uint32_t offset, uint32_t count, uint32_t recordSize, uint32_t blockSize)
{
    return uint64_t{offset} + uint64_t{count} * recordSize <= blockSize;
}

bool Terminated(const char (&name)[XYZ_NAME_SIZE])
{
    return std::memchr(name, 0, XYZ_NAME_SIZE) != nullptr;
}

const char* CheckHeader(const XYZHeader& h, uint32_t size)
{
    if (std::memcmp(h.magic, "XYZ0", 4) != 0) return "not an XYZ0 model";
    if (h.pointSize < sizeof(XYZPoint)) return "point records too small";
    if (h.textureSize < sizeof(XYZTexture)) return "texture records too small";
    if (h.polygonSize < sizeof(XYZPolygon)) return "polygon records too small";
    if (!TableFits(h.pointOffset, h.pointCount, h.pointSize, size))
        return "point table outside the file";
    if (!TableFits(h.textureOffset, h.textureCount, h.textureSize, size))
        return "texture table outside the file";
    if (!TableFits(h.polygonOffset, h.polygonCount, h.polygonSize, size))
        return "polygon table outside the file";
    return nullptr;
}

const char* CheckPolygon(const XYZPolygon& polygon, const XYZHeader& h)
{
    // Polygons the objects skip are never read past their count, so they stay allowed.
    if (polygon.pointCount == 0 || polygon.pointCount > XYZ_MAX_POLYGON_POINTS) return nullptr;
    if (polygon.texture >= h.textureCount) return "polygon texture out of range";
    for (uint32_t k = 0; k < polygon.pointCount; ++k) {
        if (polygon.points[k] >= h.pointCount) return "polygon point out of range";
    }
    return nullptr;
}

// Rewrites the x, y, z floats of every point through `change`, which sees them in extended
// precision.
template <typename Change>
void ChangePoints(void* block, Change change)
{
    const XYZHeader h = XYZData_Header(block);
    auto* base = static_cast<uint8_t*>(block) + h.pointOffset;
    for (uint32_t i = 0; i < h.pointCount; ++i) {
        float xyz[3];
        std::memcpy(xyz, base + uint64_t{i} * h.pointSize, sizeof xyz);
        Extended p[3] = {xyz[0], xyz[1], xyz[2]};
        change(p);
        for (int32_t c = 0; c < 3; ++c) {
            xyz[c] = static_cast<float>(p[c]);
        }
        std::memcpy(base + uint64_t{i} * h.pointSize, xyz, sizeof xyz);
    }
}

// Turns coordinates a and b of every point (a toward b by a positive angle).
void RotatePlane(void* block, float angle, int32_t a, int32_t b)
{
    const Extended c = std::cos(Extended{angle});
    const Extended s = std::sin(Extended{angle});
    ChangePoints(block, [=](Extended* p) {
        const Extended pa = p[a], pb = p[b];
        p[a] = pa * c - pb * s;
        p[b] = pa * s + pb * c;
    });
}

}  // namespace

const char* XYZData_Check(const void* block, uint32_t size)
{
    if (block == nullptr || size < sizeof(XYZHeader)) return "shorter than its header";
    const XYZHeader h = XYZData_Header(block);
    if (const char* fault = CheckHeader(h, size)) return fault;
    for (uint32_t t = 0; t < h.textureCount; ++t) {
        const XYZTexture texture = XYZData_Texture(block, t);
        if (!Terminated(texture.name) || !Terminated(texture.second))
            return "texture name not terminated";
    }
    for (uint32_t p = 0; p < h.polygonCount; ++p) {
        if (const char* fault = CheckPolygon(XYZData_Polygon(block, p), h)) return fault;
    }
    return nullptr;
}

uint32_t XYZData_Load(const char* name, void** owner)
{
    const int32_t size = PakLoadFile(name, owner);
    if (const char* fault = XYZData_Check(*owner, static_cast<uint32_t>(size))) {
        char text[256];
        std::snprintf(text, sizeof text, "XYZData_Load(): '%s' is damaged (%s)", name, fault);
        FatalAbort("xyzdata", __LINE__, text);
    }
    return static_cast<uint32_t>(size);
}

XYZHeader XYZData_Header(const void* block) { return ReadAt<XYZHeader>(block, 0); }

XYZPoint XYZData_Point(const void* block, uint32_t i)
{
    const XYZHeader h = XYZData_Header(block);
    return ReadAt<XYZPoint>(block, h.pointOffset + uint64_t{i} * h.pointSize);
}

XYZTexture XYZData_Texture(const void* block, uint32_t i)
{
    const XYZHeader h = XYZData_Header(block);
    return ReadAt<XYZTexture>(block, h.textureOffset + uint64_t{i} * h.textureSize);
}

XYZPolygon XYZData_Polygon(const void* block, uint32_t i)
{
    const XYZHeader h = XYZData_Header(block);
    return ReadAt<XYZPolygon>(block, h.polygonOffset + uint64_t{i} * h.polygonSize);
}

void XYZData_Translate(void* block, float dx, float dy, float dz)
{
    ChangePoints(block, [=](Extended* p) {
        p[0] += dx;
        p[1] += dy;
        p[2] += dz;
    });
}

void XYZData_Scale(void* block, float sx, float sy, float sz)
{
    ChangePoints(block, [=](Extended* p) {
        p[0] *= sx;
        p[1] *= sy;
        p[2] *= sz;
    });
}

void XYZData_RotateZ(void* block, float angle) { RotatePlane(block, angle, 0, 1); }

void XYZData_RotateX(void* block, float angle) { RotatePlane(block, angle, 1, 2); }
