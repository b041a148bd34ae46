// tools/mkdata/model3d.cpp: "XYZ0" models from simple solids.
#include "tools/mkdata/model3d.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

constexpr float kTurn = 2.0f * std::numbers::pi_v<float>;

Vec3 Add(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 Scaled(const Vec3& a, float s) { return {a.x * s, a.y * s, a.z * s}; }

uint32_t Point(MkModel* model, const MkPen& pen, const Vec3& p)
{
    return MkModelAddPoint(model, p, pen.bone, pen.parent);
}

void Polygon(MkModel* model, const MkPen& pen, const std::vector<uint32_t>& points,
             const std::vector<float>& u, const std::vector<float>& v)
{
    MkModelAddPolygon(model, pen.texture, points, u, v);
}

// Two unit vectors across the axis, e1 x e2 along it.
void AcrossAxis(const Vec3& axis, Vec3* e1, Vec3* e2)
{
    Vec3 d = axis;
    Vec3Normalise(&d);
    const Vec3 helper = std::fabs(d.z) < 0.9f ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
    Vec3Cross(e1, &helper, &d);
    Vec3Normalise(e1);
    Vec3Cross(e2, &d, e1);
}

std::vector<uint32_t> Ring(MkModel* model, const MkPen& pen, const Vec3& centre, const Vec3& e1,
                           const Vec3& e2, float radius, int32_t sides)
{
    std::vector<uint32_t> ring;
    for (int32_t i = 0; i < sides; ++i) {
        const float a = kTurn * static_cast<float>(i) / static_cast<float>(sides);
        const Vec3 offset = Add(Scaled(e1, radius * std::cos(a)), Scaled(e2, radius * std::sin(a)));
        ring.push_back(Point(model, pen, Add(centre, offset)));
    }
    return ring;
}

// Triangles from the centre to the ring; `reversed` turns the fan to face the other way.
void Fan(MkModel* model, const MkPen& pen, uint32_t centre, const std::vector<uint32_t>& ring,
         bool reversed)
{
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        const uint32_t a = ring[i], b = ring[(i + 1) % n];
        Polygon(model, pen, {centre, reversed ? b : a, reversed ? a : b}, {0.5f, 0, 1},
                {0.5f, 1, 1});
    }
}

}  // namespace

std::vector<uint8_t> MkModelBytes(const MkModel& model, MkRecordSizes sizes)
{
    XYZHeader header{};
    std::memcpy(header.magic, "XYZ0", 4);
    header.pointOffset = sizeof header;
    header.pointCount = static_cast<uint32_t>(model.points.size());
    header.pointSize = sizes.point;
    header.textureOffset = header.pointOffset + header.pointCount * sizes.point;
    header.textureCount = static_cast<uint32_t>(model.textures.size());
    header.textureSize = sizes.texture;
    header.polygonOffset = header.textureOffset + header.textureCount * sizes.texture;
    header.polygonCount = static_cast<uint32_t>(model.polygons.size());
    header.polygonSize = sizes.polygon;
    std::vector<uint8_t> bytes(header.polygonOffset + header.polygonCount * sizes.polygon);
    std::memcpy(bytes.data(), &header, sizeof header);
    for (size_t i = 0; i < model.points.size(); ++i) {
        std::memcpy(&bytes[header.pointOffset + i * sizes.point], &model.points[i],
                    sizeof(XYZPoint));
    }
    for (size_t i = 0; i < model.textures.size(); ++i) {
        const MkModelTexture& t = model.textures[i];
        XYZTexture record{};
        std::memcpy(record.name, t.name.data(), std::min<size_t>(t.name.size(), XYZ_NAME_SIZE - 1));
        std::memcpy(record.second, t.second.data(),
                    std::min<size_t>(t.second.size(), XYZ_NAME_SIZE - 1));
        std::memcpy(&record.red, &t.rgba, 4);
        std::memcpy(&bytes[header.textureOffset + i * sizes.texture], &record, sizeof record);
    }
    for (size_t i = 0; i < model.polygons.size(); ++i) {
        std::memcpy(&bytes[header.polygonOffset + i * sizes.polygon], &model.polygons[i],
                    sizeof(XYZPolygon));
    }
    return bytes;
}

uint32_t MkModelTextureOf(MkModel* model, const std::string& name, uint32_t rgba,
                          const std::string& group)
{
    for (size_t i = 0; i < model->textures.size(); ++i) {
        const MkModelTexture& t = model->textures[i];
        if (t.name == name && t.rgba == rgba && t.second == group) return static_cast<uint32_t>(i);
    }
    model->textures.push_back({name, group, rgba});
    return static_cast<uint32_t>(model->textures.size() - 1);
}

uint32_t MkModelAddPoint(MkModel* model, const Vec3& p, uint16_t bone, uint16_t parent)
{
    model->points.push_back({p.x, p.y, p.z, bone, parent});
    return static_cast<uint32_t>(model->points.size() - 1);
}

void MkModelAddPolygon(MkModel* model, uint32_t texture, const std::vector<uint32_t>& points,
                       const std::vector<float>& u, const std::vector<float>& v)
{
    XYZPolygon polygon{};
    polygon.texture = texture;
    polygon.pointCount = static_cast<uint32_t>(points.size());
    for (size_t k = 0; k < points.size() && k < XYZ_MAX_POLYGON_POINTS; ++k) {
        polygon.points[k] = points[k];
        polygon.u[k] = k < u.size() ? u[k] : 0.0f;
        polygon.v[k] = k < v.size() ? v[k] : 0.0f;
    }
    model->polygons.push_back(polygon);
}

Vec3 MkPolygonNormal(const MkModel& model, const XYZPolygon& polygon)
{
    const auto at = [&](int32_t k) {
        const XYZPoint& p = model.points[polygon.points[k]];
        return Vec3{p.x, p.y, p.z};
    };
    const Vec3 a = at(0), b = at(1), c = at(2);
    Vec3 ab, ac, n;
    Vec3Sub(&ab, &b, &a);
    Vec3Sub(&ac, &c, &a);
    Vec3Cross(&n, &ab, &ac);
    Vec3Normalise(&n);
    return n;
}

void MkAddQuad(MkModel* model, const MkPen& pen, const Vec3& a, const Vec3& b, const Vec3& c,
               const Vec3& d)
{
    Polygon(
        model, pen,
        {Point(model, pen, a), Point(model, pen, b), Point(model, pen, c), Point(model, pen, d)},
        {0, 1, 1, 0}, {0, 0, 1, 1});
}

void MkAddBox(MkModel* model, const MkPen& pen, const Vec3& lo, const Vec3& hi)
{
    const auto at = [&](int32_t x, int32_t y, int32_t z) {
        return Vec3{x ? hi.x : lo.x, y ? hi.y : lo.y, z ? hi.z : lo.z};
    };
    MkAddQuad(model, pen, at(0, 0, 0), at(0, 0, 1), at(0, 1, 1), at(0, 1, 0));  // -x
    MkAddQuad(model, pen, at(1, 0, 0), at(1, 1, 0), at(1, 1, 1), at(1, 0, 1));  // +x
    MkAddQuad(model, pen, at(0, 0, 0), at(1, 0, 0), at(1, 0, 1), at(0, 0, 1));  // -y
    MkAddQuad(model, pen, at(0, 1, 0), at(0, 1, 1), at(1, 1, 1), at(1, 1, 0));  // +y
    MkAddQuad(model, pen, at(0, 0, 0), at(0, 1, 0), at(1, 1, 0), at(1, 0, 0));  // -z
    MkAddQuad(model, pen, at(0, 0, 1), at(1, 0, 1), at(1, 1, 1), at(0, 1, 1));  // +z
}

void MkAddTube(MkModel* model, const MkPen& pen, const Vec3& from, const Vec3& to, float r0,
               float r1, int32_t sides, bool caps)
{
    Vec3 axis, e1, e2;
    Vec3Sub(&axis, &to, &from);
    AcrossAxis(axis, &e1, &e2);
    const std::vector<uint32_t> low = Ring(model, pen, from, e1, e2, r0, sides);
    const std::vector<uint32_t> high = Ring(model, pen, to, e1, e2, r1, sides);
    for (int32_t i = 0; i < sides; ++i) {
        const int32_t j = (i + 1) % sides;
        const float u0 = static_cast<float>(i) / sides, u1 = static_cast<float>(i + 1) / sides;
        Polygon(model, pen, {low[i], low[j], high[j], high[i]}, {u0, u1, u1, u0}, {1, 1, 0, 0});
    }
    if (!caps) return;
    Fan(model, pen, Point(model, pen, from), low, true);
    Fan(model, pen, Point(model, pen, to), high, false);
}

void MkAddSphere(MkModel* model, const MkPen& pen, const Vec3& centre, const Vec3& radii,
                 int32_t rings, int32_t segments)
{
    const auto at = [&](int32_t ring, int32_t segment) {
        const float theta = kTurn / 2 * static_cast<float>(ring) / static_cast<float>(rings);
        const float phi = kTurn * static_cast<float>(segment) / static_cast<float>(segments);
        return Vec3{centre.x + radii.x * std::sin(theta) * std::cos(phi),
                    centre.y + radii.y * std::sin(theta) * std::sin(phi),
                    centre.z + radii.z * std::cos(theta)};
    };
    // Rows of points between the poles; each pole is one point.
    std::vector<std::vector<uint32_t>> rows;
    for (int32_t r = 0; r <= rings; ++r) {
        std::vector<uint32_t> row;
        const int32_t count = (r == 0 || r == rings) ? 1 : segments;
        for (int32_t s = 0; s < count; ++s) {
            row.push_back(Point(model, pen, at(r, s)));
        }
        rows.push_back(row);
    }
    const auto index = [&](int32_t r, int32_t s) {
        return rows[r].size() == 1 ? rows[r][0] : rows[r][s % segments];
    };
    for (int32_t r = 0; r < rings; ++r) {
        const float v0 = static_cast<float>(r) / rings, v1 = static_cast<float>(r + 1) / rings;
        for (int32_t s = 0; s < segments; ++s) {
            const float u0 = static_cast<float>(s) / segments;
            const float u1 = static_cast<float>(s + 1) / segments;
            if (r == 0) {
                Polygon(model, pen, {index(0, s), index(1, s), index(1, s + 1)}, {u0, u0, u1},
                        {v0, v1, v1});
            } else if (r == rings - 1) {
                Polygon(model, pen, {index(r, s), index(r + 1, s), index(r, s + 1)}, {u0, u0, u1},
                        {v0, v1, v0});
            } else {
                Polygon(model, pen,
                        {index(r, s), index(r + 1, s), index(r + 1, s + 1), index(r, s + 1)},
                        {u0, u0, u1, u1}, {v0, v1, v1, v0});
            }
        }
    }
}

void MkAddDisc(MkModel* model, const MkPen& pen, const Vec3& centre, float radius, int32_t segments)
{
    const std::vector<uint32_t> ring =
        Ring(model, pen, centre, Vec3{1, 0, 0}, Vec3{0, 1, 0}, radius, segments);
    Fan(model, pen, Point(model, pen, centre), ring, false);
}
