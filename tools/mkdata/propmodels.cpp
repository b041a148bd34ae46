// tools/mkdata/propmodels.cpp: the props in the software view's frame (x, y on the ground,
// height up), sized for the world's scaling: the ball 1.28 in radius (x 1.5), the goal parts
// unit-sized (x across -1 to 1, the net's depth along -y from 0 to -1, the crossbar's top at
// height 1), the flag's pole 1 high (x 33.6).
#include "tools/mkdata/propmodels.h"

#include <algorithm>
#include <functional>

#include "tools/mkdata/matchgfx.h"
#include "tools/mkdata/models3d.h"

namespace {

constexpr float kBallRadius = 1.28f;
constexpr float kDeviceBallRadius = 0.05f;
constexpr const char* kGoalTextures = "stadium\\TEXTURES\\goal00";
constexpr const char* kGoalModels = "stadium\\models\\misc\\goal\\";
constexpr const char* kGoalNames[4] = {"Gback", "Gtop", "Gleft", "Gright"};

// Where a device point lands in the software frame, and whether that turn mirrors.
struct Frame {
    std::function<Vec3(const XYZPoint&)> place;
    bool mirrors;
};

Vec3 Upright(const XYZPoint& p) { return {p.x, -p.z, p.y}; }

// Every polygon keeps its outward side: a mirroring frame reverses the corners.
MkNodModel ToRigid(const MkModel& device, const Frame& frame)
{
    MkNodModel nod;
    for (const XYZPoint& p : device.points) {
        const Vec3 v = frame.place(p);
        nod.points.push_back({v.x, v.y, v.z});
    }
    for (const MkModelTexture& t : device.textures)
        nod.textures.push_back(t.name + ".gfx");
    for (const XYZPolygon& polygon : device.polygons) {
        MkNodSurface s;
        const auto n = static_cast<int32_t>(polygon.pointCount);
        for (int32_t k = 0; k < n; ++k) {
            const int32_t from = frame.mirrors ? n - 1 - k : k;
            s.corners[k] = static_cast<int16_t>(polygon.points[from]);
            s.u[k] = polygon.u[from];
            s.v[k] = polygon.v[from];
        }
        s.texture = static_cast<int16_t>(polygon.texture);
        nod.surfaces.push_back(s);
    }
    return nod;
}

MkModel Cone()
{
    MkModel model;
    MkAddTube(&model, {MkModelTextureOf(&model, "cone")}, {0, 0, 0}, {0, 3.5f, 0}, 1.5f, 0.2f, 12,
              true);
    return model;
}

MkPropTexture Texture(const std::string& path, int32_t size,
                      const std::function<uint8_t(int32_t, int32_t)>& texel)
{
    MkPropTexture t{path, size, size, {}};
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x)
            t.pixels.push_back(texel(x, y));
    return t;
}

}  // namespace

std::vector<MkNamedProp> MkPropModels()
{
    const float ball = kBallRadius / kDeviceBallRadius;
    const Frame ballFrame = {[ball](const XYZPoint& p) {
                                 const Vec3 v = Upright(p);
                                 return Vec3{v.x * ball, v.y * ball, v.z * ball};
                             },
                             false};
    // Across from the device's z, the depth from its x (behind the line, so negative), up its y.
    const Frame goalFrame = {[](const XYZPoint& p) { return Vec3{p.z, -p.x, p.y}; }, true};
    std::vector<MkNamedProp> props = {
        {"simple\\model\\116ball.nod", "simple\\textures", ToRigid(MkBallModel(), ballFrame)},
        {"simple\\model\\cone.nod", "simple\\textures", ToRigid(Cone(), {Upright, false})}};
    for (int32_t part = 0; part < 4; ++part)
        props.push_back({std::string(kGoalModels) + kGoalNames[part] + ".nod", kGoalTextures,
                         ToRigid(MkGoalPartModel(part), goalFrame)});
    props.push_back({"stadium\\models\\misc\\flag\\flag.nod", "stadium\\TEXTURES",
                     ToRigid(MkCornerFlagModel(), {Upright, false})});
    return props;
}

std::vector<MkPropTexture> MkPropTextures()
{
    const std::string goal = std::string(kGoalTextures) + "\\";
    return {
        // Black patches on white, three across and down.
        Texture("simple\\textures\\ball.gfx", 32,
                [](int32_t x, int32_t y) {
                    const int32_t dx = x % 11 - 5, dy = y % 11 - 5;
                    return dx * dx + dy * dy < 10 ? MP_BLACK : MP_BALL_WHITE;
                }),
        Texture("simple\\textures\\cone.gfx", 16,
                [](int32_t, int32_t y) { return y / 4 == 1 ? MP_WHITE : MP_ORANGE; }),
        // Cords every fourth texel; the holes between them are transparent.
        Texture(goal + "net.gfx", 32,
                [](int32_t x, int32_t y) {
                    return x % 4 == 0 || y % 4 == 0 ? MP_LAST_WHITE : MP_TRANSPARENT;
                }),
        Texture(goal + "post.gfx", 8, [](int32_t, int32_t) { return MP_LAST_WHITE; }),
        Texture("stadium\\TEXTURES\\pole.gfx", 8,
                [](int32_t, int32_t y) { return y % 4 < 2 ? MP_WHITE : MP_GREY1; }),
        Texture("stadium\\TEXTURES\\flag.gfx", 16,
                [](int32_t x, int32_t y) { return (x / 4 + y / 4) % 2 ? MP_CARD_YELLOW : MP_RED; }),
    };
}

void MkGenerateProps(MkFileSet* set)
{
    const std::string root = "vxdata\\software\\";
    for (const MkNamedProp& prop : MkPropModels())
        MkAddFile(set, root + prop.path, MkNodBytes(prop.model));
    for (const MkPropTexture& t : MkPropTextures()) {
        std::vector<uint8_t> bytes = {
            static_cast<uint8_t>(t.width), static_cast<uint8_t>(t.width >> 8),
            static_cast<uint8_t>(t.height), static_cast<uint8_t>(t.height >> 8)};
        bytes.insert(bytes.end(), t.pixels.begin(), t.pixels.end());
        MkAddFile(set, root + t.path, std::move(bytes));
    }
}
