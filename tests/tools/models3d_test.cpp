// tests/tools/models3d_test.cpp: the generated 3D models: each builds with the options its view
// uses, and after the view's transforms lies where the view expects it: stadiums around the
// pitch, markings on their measures, goal parts in their goal, people on the skeleton.
#include "tools/mkdata/models3d.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <numbers>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "engine/d3dobj.h"
#include "engine/memory.h"
#include "engine/xyzdata.h"
#include "tests/support/support.h"
#include "tools/mkdata/skeleton.h"

namespace {

constexpr float kQuarterTurn = std::numbers::pi_v<float> / 2;
constexpr float kHalfGoalWidth = 64;  // 4 yards of 16 units

const std::vector<MkNamedModel>& Models()
{
    static const std::vector<MkNamedModel> models = MkModels3D();
    return models;
}

const MkNamedModel& Named(const std::string& name)
{
    for (const MkNamedModel& m : Models()) {
        if (m.name == name) return m;
    }
    ADD_FAILURE() << "no model " << name;
    return Models().front();
}

// The model's bytes moved as the view moves them before building.
enum class Frame { None, Stadium, Goal, Flag, Ball };

std::vector<uint8_t> Placed(const std::string& name, Frame frame)
{
    std::vector<uint8_t> block = MkModelBytes(Named(name).model);
    switch (frame) {
        case Frame::Stadium:
            XYZData_RotateX(block.data(), kQuarterTurn);
            XYZData_Scale(block.data(), 1000, 1000, 1000);
            XYZData_Translate(block.data(), 796, 1082, 0);
            break;
        case Frame::Goal:
        case Frame::Flag:
            XYZData_RotateX(block.data(), kQuarterTurn);
            XYZData_RotateZ(block.data(), kQuarterTurn);
            if (frame == Frame::Goal) XYZData_Scale(block.data(), kHalfGoalWidth, 28, 44.8f);
            if (frame == Frame::Flag) XYZData_Scale(block.data(), 44.8f, 44.8f, 44.8f);
            break;
        case Frame::Ball: XYZData_Scale(block.data(), 38, 38, 38); break;
        case Frame::None: break;
    }
    return block;
}

Vec3 PointOf(const std::vector<uint8_t>& block, uint32_t i)
{
    const XYZPoint p = XYZData_Point(block.data(), i);
    return {p.x, p.y, p.z};
}

struct Box {
    Vec3 lo{1e30f, 1e30f, 1e30f};
    Vec3 hi{-1e30f, -1e30f, -1e30f};

    void Add(const Vec3& p)
    {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
};

Box PolygonBox(const std::vector<uint8_t>& block, const XYZPolygon& polygon)
{
    Box box;
    for (uint32_t k = 0; k < polygon.pointCount; ++k) {
        box.Add(PointOf(block, polygon.points[k]));
    }
    return box;
}

Box ModelBox(const std::vector<uint8_t>& block)
{
    Box box;
    for (uint32_t i = 0; i < XYZData_Header(block.data()).pointCount; ++i) {
        box.Add(PointOf(block, i));
    }
    return box;
}

int32_t AnyTexture(const D3DObjEvent& event, D3DObjResult* result)
{
    if (event.kind == D3DOBJ_EVENT_CREATE) result->handle = 1;
    return event.kind == D3DOBJ_EVENT_CREATE || event.kind == D3DOBJ_EVENT_RELEASE;
}

uint8_t OptionsFor(const std::string& name)
{
    if (name.starts_with("sskin")) return 6;
    if (name.starts_with("stadium\\models\\misc") || name.ends_with("116ball.xyz")) return 2;
    return 3;
}

TEST(Models3D, EveryModelPassesTheCheckAndBuildsWithItsViewsOptions)
{
    ScopedCore core;
    MemoryInit();
    ASSERT_EQ(Models().size(), 30u);
    std::set<std::string> names;
    for (const MkNamedModel& m : Models()) {
        SCOPED_TRACE(m.name);
        names.insert(m.name);
        const std::vector<uint8_t> block = MkModelBytes(m.model);
        ASSERT_EQ(XYZData_Check(block.data(), static_cast<uint32_t>(block.size())), nullptr);
        D3DObject* object = nullptr;
        D3DObj_CreateObjectFromXYZData(&object, block.data(), AnyTexture, 0, OptionsFor(m.name));
        EXPECT_GT(object->entryCount, 0u);
        D3DObj_DestroyObject(&object);
    }
    EXPECT_EQ(names.size(), 30u);
    EXPECT_EQ(MemoryStats().blocks, 0u);
    MemoryUninit();
}

TEST(Models3D, StadiumsSurroundThePitchWithoutCoveringIt)
{
    for (const char* name : {"stad2d", "stad2n", "bigstadd", "bigstadn"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> block =
            Placed(std::string("stadium\\models\\") + name + ".xyz", Frame::Stadium);
        const XYZHeader h = XYZData_Header(block.data());
        EXPECT_LE(h.polygonCount, 3000u);
        for (uint32_t p = 0; p < h.polygonCount; ++p) {
            const Box box = PolygonBox(block, XYZData_Polygon(block.data(), p));
            const bool over =
                box.lo.x < 1436 && box.hi.x > 156 && box.lo.y < 2042 && box.hi.y > 122;
            EXPECT_FALSE(over) << "polygon " << p;
            EXPECT_GE(box.lo.z, -0.01f) << "polygon " << p;
        }
        const Box all = ModelBox(block);
        EXPECT_LT(all.lo.x, 156);
        EXPECT_GT(all.hi.x, 1436);
        EXPECT_LT(all.lo.y, 122);
        EXPECT_GT(all.hi.y, 2042);
    }
    EXPECT_EQ(MkModelBytes(Named("stadium\\models\\stad2d.xyz").model),
              MkModelBytes(Named("stadium\\models\\stad2n.xyz").model));
}

// Every advertising board reads left to right and top down to someone on the centre spot facing
// it: the picture's columns run toward his right (up crossed with the way he looks, as the view
// shows the world) and its rows down the board.
TEST(Models3D, EveryBoardReadsLeftToRightFromThePitch)
{
    for (const char* name : {"stad2d", "bigstadn"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> block =
            Placed(std::string("stadium\\models\\") + name + ".xyz", Frame::Stadium);
        std::map<std::string, int32_t> piecesByBoard;
        for (uint32_t p = 0; p < XYZData_Header(block.data()).polygonCount; ++p) {
            const XYZPolygon polygon = XYZData_Polygon(block.data(), p);
            const std::string texture = XYZData_Texture(block.data(), polygon.texture).name;
            if (!texture.starts_with("main")) continue;
            ++piecesByBoard[texture];
            ASSERT_EQ(polygon.pointCount, 4u);
            Vec3 atUv[2][2] = {}, centre = {};
            for (uint32_t k = 0; k < 4; ++k) {
                const Vec3 q = PointOf(block, polygon.points[k]);
                atUv[polygon.u[k] > 0.5f][polygon.v[k] > 0.5f] = q;
                centre = {centre.x + q.x / 4, centre.y + q.y / 4, 0};
            }
            const Vec3 looks = {centre.x - 796, centre.y - 1082, 0};
            const Vec3 right = {-looks.y, looks.x, 0};
            const Vec3 across = {atUv[1][0].x - atUv[0][0].x, atUv[1][0].y - atUv[0][0].y, 0};
            EXPECT_GT(across.x * right.x + across.y * right.y, 0)
                << texture << " at " << centre.x << ", " << centre.y;
            EXPECT_LT(atUv[0][1].z, atUv[0][0].z) << texture;
        }
        const std::map<std::string, int32_t> sixEach = {
            {"main1", 6}, {"main2", 6}, {"main3", 6}, {"main4", 6}};
        EXPECT_EQ(piecesByBoard, sixEach);
    }
}

TEST(Models3D, PitchMarkingsLieOnTheirMeasures)
{
    // The straight lines' rectangles (x and y ranges, pitch units).
    const float lines[17][4] = {
        {156, 1436, 122, 126},   {1432, 1436, 122, 2042},  {156, 1436, 2038, 2042},
        {156, 160, 122, 2042},   {156, 1436, 1080, 1084},  {476, 480, 122, 410},
        {476, 1116, 406, 410},   {1112, 1116, 122, 410},   {636, 640, 122, 218},
        {636, 956, 214, 218},    {952, 956, 122, 218},     {476, 480, 1754, 2042},
        {476, 1116, 1754, 1758}, {1112, 1116, 1754, 2042}, {636, 640, 1946, 2042},
        {636, 956, 1946, 1950},  {952, 956, 1946, 2042},
    };
    for (const char* name : {"newgrass", "lowgrass"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> block =
            Placed(std::string("stadium\\models\\") + name + ".xyz", Frame::Stadium);
        const XYZHeader h = XYZData_Header(block.data());
        std::map<std::string, int32_t> countByTexture;
        std::vector<Box> lineBoxes;
        Box grass;
        for (uint32_t p = 0; p < h.polygonCount; ++p) {
            const XYZPolygon polygon = XYZData_Polygon(block.data(), p);
            const std::string texture = XYZData_Texture(block.data(), polygon.texture).name;
            ++countByTexture[texture];
            const Box box = PolygonBox(block, polygon);
            EXPECT_NEAR(box.lo.z, 0, 0.01f);
            EXPECT_NEAR(box.hi.z, 0, 0.01f);
            if (texture == "line") lineBoxes.push_back(box);
            if (texture == "grass") {
                grass.Add(box.lo);
                grass.Add(box.hi);
            }
        }
        EXPECT_NEAR(grass.lo.x, 156 - 64, 1);
        EXPECT_NEAR(grass.hi.x, 1436 + 64, 1);
        EXPECT_NEAR(grass.lo.y, 122 - 64, 1);
        EXPECT_NEAR(grass.hi.y, 2042 + 64, 1);
        for (const auto& r : lines) {
            const bool found = std::any_of(lineBoxes.begin(), lineBoxes.end(), [&](const Box& b) {
                return std::fabs(b.lo.x - r[0]) <= 1 && std::fabs(b.hi.x - r[1]) <= 1
                       && std::fabs(b.lo.y - r[2]) <= 1 && std::fabs(b.hi.y - r[3]) <= 1;
            });
            EXPECT_TRUE(found) << r[0] << "-" << r[1] << " x " << r[2] << "-" << r[3];
        }
        // 17 lines, 12 corner pieces, 38 of the circle, 2 x 19 of the penalty arcs.
        EXPECT_EQ(countByTexture["line"], 17 + 12 + 38 + 38);
        EXPECT_EQ(countByTexture["spot"], 6);
        // Every curved piece lies on its ring: 24-28 about a corner, 156-160 about the centre
        // or a penalty spot.
        for (const Box& b : lineBoxes) {
            const float cx = (b.lo.x + b.hi.x) / 2, cy = (b.lo.y + b.hi.y) / 2;
            const auto near = [&](float x, float y, float r0, float r1) {
                const float d = std::hypot(cx - x, cy - y);
                return d >= r0 - 1 && d <= r1 + 1;
            };
            const bool straight = b.hi.x - b.lo.x <= 5 || b.hi.y - b.lo.y <= 5;
            const bool curved = near(796, 1082, 150, 160) || near(796, 314, 150, 160)
                                || near(796, 1850, 150, 160) || near(156, 122, 20, 28)
                                || near(1436, 122, 20, 28) || near(156, 2042, 20, 28)
                                || near(1436, 2042, 20, 28);
            EXPECT_TRUE(straight || curved) << cx << ", " << cy;
        }
    }
    EXPECT_GT(Named("stadium\\models\\newgrass.xyz").model.polygons.size(),
              3 * Named("stadium\\models\\lowgrass.xyz").model.polygons.size() / 2);
}

TEST(Models3D, GoalPartsFlagAndBallFitTheirPlaces)
{
    const struct {
        const char* name;
        Vec3 partPoint;
    } parts[] = {{"gback", {0, 28, 0}},
                 {"gtop", {0, 0, 44.8f}},
                 {"gleft", {-kHalfGoalWidth, 0, 0}},
                 {"gright", {kHalfGoalWidth, 0, 0}}};
    for (const auto& part : parts) {
        SCOPED_TRACE(part.name);
        const std::vector<uint8_t> block =
            Placed(std::string("stadium\\models\\misc\\goal\\") + part.name + ".xyz", Frame::Goal);
        const Box all = ModelBox(block);
        EXPECT_GE(all.lo.x, -kHalfGoalWidth - 0.01f);
        EXPECT_LE(all.hi.x, kHalfGoalWidth + 0.01f);
        EXPECT_GE(all.lo.y, -0.01f);
        EXPECT_LE(all.hi.y, 28.01f);
        EXPECT_GE(all.lo.z, -0.01f);
        EXPECT_LE(all.hi.z, 44.81f);
        bool onIt = false;
        const XYZHeader h = XYZData_Header(block.data());
        for (uint32_t p = 0; p < h.polygonCount; ++p) {
            const Box b = PolygonBox(block, XYZData_Polygon(block.data(), p));
            const Vec3& q = part.partPoint;
            onIt |= q.x >= b.lo.x - 0.5f && q.x <= b.hi.x + 0.5f && q.y >= b.lo.y - 0.5f
                    && q.y <= b.hi.y + 0.5f && q.z >= b.lo.z - 0.5f && q.z <= b.hi.z + 0.5f;
        }
        EXPECT_TRUE(onIt);
    }

    const std::vector<uint8_t> flag = Placed("stadium\\models\\misc\\flag\\flag.xyz", Frame::Flag);
    const Box flagBox = ModelBox(flag);
    EXPECT_NEAR(flagBox.hi.z, 44.8f, 0.01f);
    EXPECT_NEAR(flagBox.lo.z, 0, 0.01f);
    const XYZHeader fh = XYZData_Header(flag.data());
    for (uint32_t p = 0; p < fh.polygonCount; ++p) {  // the pole stands on the origin
        const XYZPolygon polygon = XYZData_Polygon(flag.data(), p);
        if (std::strcmp(XYZData_Texture(flag.data(), polygon.texture).name, "pole") != 0) continue;
        const Box b = PolygonBox(flag, polygon);
        EXPECT_LE(std::max(std::fabs(b.lo.x), std::fabs(b.hi.x)), 1.0f);
        EXPECT_LE(std::max(std::fabs(b.lo.y), std::fabs(b.hi.y)), 1.0f);
    }

    const std::vector<uint8_t> ball = Placed("simple\\model\\116ball.xyz", Frame::Ball);
    const XYZHeader bh = XYZData_Header(ball.data());
    EXPECT_NEAR(static_cast<float>(bh.polygonCount), 116, 6);
    for (uint32_t i = 0; i < bh.pointCount; ++i) {
        const Vec3 p = PointOf(ball, i);
        EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 1.9f, 0.1f);
    }
    // Every face of the ball looks outward.
    for (const XYZPolygon& polygon : Named("simple\\model\\116ball.xyz").model.polygons) {
        const Vec3 n = MkPolygonNormal(Named("simple\\model\\116ball.xyz").model, polygon);
        const XYZPoint& c = Named("simple\\model\\116ball.xyz").model.points[polygon.points[1]];
        EXPECT_GT(n.x * c.x + n.y * c.y + n.z * c.z, 0);
    }
    const MkModel& shadow = Named("simple\\model\\ballsha0.xyz").model;
    EXPECT_EQ(shadow.polygons.size(), 16u);
    EXPECT_EQ(shadow.textures.size(), 1u);
    EXPECT_EQ(shadow.textures[0].name, "");
    // The ground mark faces up once the view mirrors it in x.
    std::vector<uint8_t> mark = MkModelBytes(Named("simple\\model\\bollocks.xyz").model);
    XYZData_Scale(mark.data(), -20, 20, 20);
    MkModel mirrored = Named("simple\\model\\bollocks.xyz").model;
    for (uint32_t i = 0; i < mirrored.points.size(); ++i) {
        mirrored.points[i] = XYZData_Point(mark.data(), i);
    }
    EXPECT_GT(MkPolygonNormal(mirrored, mirrored.polygons[0]).z, 0.99f);
}

const std::set<std::string>& KitParts()
{
    static const std::set<std::string> parts = {
        "shoe",     "shoeb",    "bbottom",  "CARDred",  "CARDyel", "forearm", "hand",
        "AllLeg",   "faceF",    "faceb",    "faceL",    "neckb",   "neckf",   "necks",
        "AllShin",  "shirttop", "uparml",   "sinsidel", "ssidel",  "sback",   "sfront",
        "shirtsr",  "shirtsl",  "shirtfr",  "shirtbac", "uparmr",  "sleve",   "glove",
        "kshirtsr", "kshirtsl", "kshirtfr", "kshirtb",  "kuparml", "kshirtt"};
    return parts;
}

TEST(Models3D, PeopleStandOnTheSkeletonInTheirKit)
{
    for (const char* kind : {"player", "keeper", "referee"}) {
        for (const int32_t level : {500, 300, 200, 100, 60}) {
            const std::string name =
                std::string("sskin\\models\\") + kind + "\\" + std::to_string(level) + "man.xyz";
            SCOPED_TRACE(name);
            const MkModel& model = Named(name).model;
            const std::vector<uint8_t> block = MkModelBytes(model);
            const Box box = ModelBox(block);
            EXPECT_NEAR(box.lo.z, MK_SOLE_Z, 0.01f);
            EXPECT_NEAR(box.hi.z, MK_HEAD_TOP_Z, 0.01f);
            EXPECT_NEAR(static_cast<float>(model.polygons.size()), level, level * 0.1f);
            for (uint32_t i = 0; i < model.points.size(); ++i) {
                const XYZPoint& p = model.points[i];
                EXPECT_TRUE(p.bone < MK_JOINT_COUNT - 1 || p.bone == XYZ_NO_POINT) << i;
                EXPECT_TRUE(p.parent < i || (p.parent == XYZ_NO_POINT && i == 0)) << i;
                if (i < MK_JOINT_COUNT) {
                    EXPECT_EQ(p.x, MK_SKELETON[i].rest.x);
                    EXPECT_EQ(p.z, MK_SKELETON[i].rest.z);
                } else {
                    EXPECT_EQ(p.bone, p.parent - 1) << i;
                }
            }
            EXPECT_EQ(model.points[1].bone, XYZ_NO_POINT);
            int32_t untexturedPolygons = 0;
            bool keeperParts = false, outfieldShirt = false;
            for (const XYZPolygon& polygon : model.polygons) {
                const std::string texture = model.textures[polygon.texture].name;
                if (texture.empty()) {  // the referee's card, held out in front
                    ++untexturedPolygons;
                    EXPECT_LT(MkPolygonNormal(model, polygon).x, -0.99f);
                    continue;
                }
                ASSERT_TRUE(texture.ends_with(".GFX")) << texture;
                const std::string part = texture.substr(0, texture.size() - 4);
                EXPECT_TRUE(KitParts().contains(part)) << texture;
                keeperParts |= part.starts_with("kshirt");
                outfieldShirt |= part.starts_with("shirt");
                // The face looks forward: toward -x.
                if (part == "faceF") {
                    EXPECT_LT(MkPolygonNormal(model, polygon).x, 0);
                }
            }
            EXPECT_EQ(untexturedPolygons, std::string(kind) == "referee" ? 1 : 0);
            EXPECT_EQ(keeperParts, std::string(kind) == "keeper");
            EXPECT_EQ(outfieldShirt, std::string(kind) != "keeper");
            // Each joint's solid is convex: every face looks away from its points' centre.
            std::map<uint16_t, Box> solids;
            for (uint32_t i = MK_JOINT_COUNT; i < model.points.size(); ++i) {
                const XYZPoint& p = model.points[i];
                solids[p.parent].Add({p.x, p.y, p.z});
            }
            for (const XYZPolygon& polygon : model.polygons) {
                if (model.textures[polygon.texture].name.empty()) continue;
                const XYZPoint& corner = model.points[polygon.points[0]];
                const Box& solid = solids[corner.parent];
                const Vec3 centre = {(solid.lo.x + solid.hi.x) / 2, (solid.lo.y + solid.hi.y) / 2,
                                     (solid.lo.z + solid.hi.z) / 2};
                Vec3 middle{};
                for (uint32_t k = 0; k < polygon.pointCount; ++k) {
                    const XYZPoint& q = model.points[polygon.points[k]];
                    middle = {middle.x + q.x / polygon.pointCount,
                              middle.y + q.y / polygon.pointCount,
                              middle.z + q.z / polygon.pointCount};
                }
                const Vec3 n = MkPolygonNormal(model, polygon);
                EXPECT_GT(n.x * (middle.x - centre.x) + n.y * (middle.y - centre.y)
                              + n.z * (middle.z - centre.z),
                          0)
                    << "joint " << corner.parent;
            }
        }
    }
    const MkModel& shadow = Named("sskin\\models\\shadow\\60shad.xyz").model;
    EXPECT_EQ(shadow.textures.size(), 1u);
    EXPECT_EQ(shadow.textures[0].name, "");
    EXPECT_EQ(shadow.polygons.size(),
              Named("sskin\\models\\player\\60man.xyz").model.polygons.size());
}

}  // namespace
