// tools/mkdata/models3d.cpp: the 3D-device view's models: stadiums, pitches, ball, ground mark,
// corner flag, goal parts and people. Each is authored in the frame the view turns and scales it
// from (docs/formats.md, "The 3D models").
#include "tools/mkdata/models3d.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <numbers>

#include "tools/mkdata/skeleton.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// ---- Shared helpers --------------------------------------------------------------------------

// Gives every polygon from `first` on the texture `choose` picks from its outward normal.
void Retexture(MkModel* model, size_t first, const std::function<uint32_t(const Vec3&)>& choose)
{
    for (size_t p = first; p < model->polygons.size(); ++p) {
        model->polygons[p].texture = choose(MkPolygonNormal(*model, model->polygons[p]));
    }
}

// A quad a-b-c-d whose face looks along `want`, its corners reversed if they ran the other way.
void FacingQuad(MkModel* model, const MkPen& pen, const Vec3& a, const Vec3& b, const Vec3& c,
                const Vec3& d, const Vec3& want)
{
    MkAddQuad(model, pen, a, b, c, d);
    const Vec3 n = MkPolygonNormal(*model, model->polygons.back());
    if (n.x * want.x + n.y * want.y + n.z * want.z >= 0) return;
    model->polygons.pop_back();
    model->points.resize(model->points.size() - 4);
    MkAddQuad(model, pen, d, c, b, a);
}

// A flat quad seen from both sides.
void TwoSidedQuad(MkModel* model, const MkPen& pen, const Vec3& a, const Vec3& b, const Vec3& c,
                  const Vec3& d)
{
    MkAddQuad(model, pen, a, b, c, d);
    MkAddQuad(model, pen, d, c, b, a);
}

// ---- People ----------------------------------------------------------------------------------

enum PersonKind { PERSON_PLAYER, PERSON_KEEPER, PERSON_REFEREE };

// The kit parts a person's body wears, as "<part>.GFX" texture names.
struct Kit {
    const char* shirtFront;
    const char* shirtBack;
    const char* shirtLeft;
    const char* shirtRight;
    const char* shirtTop;
    const char* upperArmLeft;
    const char* upperArmRight;
    const char* forearm;
    const char* hand;
};

constexpr Kit kOutfieldKit = {"shirtfr", "shirtbac", "shirtsl", "shirtsr", "shirttop",
                              "uparml",  "uparmr",   "forearm", "hand"};
constexpr Kit kKeeperKit = {"kshirtfr", "kshirtb", "kshirtsl", "kshirtsr", "kshirtt",
                            "kuparml",  "kuparml", "sleve",    "glove"};

uint32_t Part(MkModel* model, const char* part)
{
    return MkModelTextureOf(model, std::string(part) + ".GFX");
}

// Picks among front (-x), back (+x), left (-y), right (+y), top and bottom faces.
struct Sides {
    const char* front;
    const char* back;
    const char* left;
    const char* right;
    const char* top;
    const char* bottom;
};

std::function<uint32_t(const Vec3&)> BySide(MkModel* model, const Sides& sides)
{
    return [model, sides](const Vec3& n) {
        if (n.z > 0.7f) return Part(model, sides.top);
        if (n.z < -0.7f) return Part(model, sides.bottom);
        if (n.x < -0.5f) return Part(model, sides.front);
        if (n.x > 0.5f) return Part(model, sides.back);
        return Part(model, n.y < 0 ? sides.left : sides.right);
    };
}

MkPen JointPen(MkModel* model, MkJoint joint, const char* part)
{
    return {Part(model, part), MkJointBone(joint), static_cast<uint16_t>(joint)};
}

Vec3 Rest(MkJoint joint) { return MK_SKELETON[joint].rest; }

Vec3 Offset(const Vec3& p, float dx, float dy, float dz) { return {p.x + dx, p.y + dy, p.z + dz}; }

void Limb(MkModel* model, MkJoint joint, MkJoint end, const char* part, float r0, float r1,
          int32_t sides)
{
    MkAddTube(model, JointPen(model, joint, part), Rest(joint), Rest(end), r0, r1, sides, false);
}

void Torso(MkModel* model, const Kit& kit, int32_t sides, bool simple)
{
    const Sides shorts = {"sfront", "sback", "ssidel", "ssidel", "ssidel", "sinsidel"};
    const Sides shirt = {kit.shirtFront, kit.shirtBack, kit.shirtLeft,
                         kit.shirtRight, kit.shirtTop,  kit.shirtFront};
    size_t first = model->polygons.size();
    MkAddTube(model, JointPen(model, MK_JOINT_PELVIS, "sfront"), {0, 0, -2.6f}, {0, 0, 1}, 2.5f,
              2.4f, sides, !simple);
    Retexture(model, first, BySide(model, shorts));
    first = model->polygons.size();
    if (simple) {
        MkAddTube(model, JointPen(model, MK_JOINT_CHEST, "shirtfr"), {0, 0, 1}, {0, 0, 10}, 2.5f,
                  2.2f, sides, true);
    } else {
        MkAddTube(model, JointPen(model, MK_JOINT_SPINE, "shirtfr"), {0, 0, 1}, {0, 0, 5}, 2.4f,
                  2.7f, sides, false);
        MkAddTube(model, JointPen(model, MK_JOINT_CHEST, "shirtfr"), {0, 0, 5}, {0, 0, 10}, 2.7f,
                  2.2f, sides, true);
    }
    Retexture(model, first, BySide(model, shirt));
}

void Head(MkModel* model, int32_t sides, bool simple)
{
    if (!simple) {
        const size_t first = model->polygons.size();
        MkAddTube(model, JointPen(model, MK_JOINT_NECK, "neckf"), {0, 0, 9.8f}, {0, 0, 11.2f}, 0.8f,
                  0.8f, sides, false);
        Retexture(model, first,
                  BySide(model, {"neckf", "neckb", "necks", "necks", "necks", "necks"}));
    }
    const size_t first = model->polygons.size();
    const int32_t rings = std::max(3, sides / 2);
    MkAddSphere(model, JointPen(model, MK_JOINT_HEAD, "faceF"), {0, 0, MK_HEAD_TOP_Z - 2.0f},
                {1.9f, 1.7f, 2.0f}, rings, sides);
    Retexture(model, first, [model](const Vec3& n) {
        if (n.x < -0.3f) return Part(model, "faceF");
        return Part(model, n.x > 0.3f ? "faceb" : "faceL");
    });
}

// One side's arm and leg; `side` is -1 for the left (toward -y), +1 for the right.
void Limbs(MkModel* model, const Kit& kit, int32_t side, int32_t sides, bool simple)
{
    const bool left = side < 0;
    const auto joint = [left](MkJoint l, MkJoint r) { return left ? l : r; };
    const float y = static_cast<float>(side);
    if (!simple) {
        const MkJoint clavicle = joint(MK_JOINT_LEFT_CLAVICLE, MK_JOINT_RIGHT_CLAVICLE);
        MkAddBox(model, JointPen(model, clavicle, kit.shirtTop),
                 {-1, std::min(y * 0.8f, y * 3.3f), 9.1f},
                 {1, std::max(y * 0.8f, y * 3.3f), 10.2f});
    }
    const MkJoint upper = joint(MK_JOINT_LEFT_UPPER_ARM, MK_JOINT_RIGHT_UPPER_ARM);
    const MkJoint fore = joint(MK_JOINT_LEFT_FOREARM, MK_JOINT_RIGHT_FOREARM);
    const MkJoint hand = joint(MK_JOINT_LEFT_HAND, MK_JOINT_RIGHT_HAND);
    Limb(model, upper, fore, left ? kit.upperArmLeft : kit.upperArmRight, 0.85f, 0.7f, sides);
    Limb(model, fore, hand, kit.forearm, 0.65f, 0.5f, sides);
    if (!simple) {
        const Vec3 wrist = Rest(hand);
        MkAddBox(model, JointPen(model, hand, kit.hand), Offset(wrist, -0.6f, -0.35f, -2.0f),
                 Offset(wrist, 0.6f, 0.35f, 0));
    }

    const MkJoint thigh = joint(MK_JOINT_LEFT_THIGH, MK_JOINT_RIGHT_THIGH);
    const MkJoint shin = joint(MK_JOINT_LEFT_SHIN, MK_JOINT_RIGHT_SHIN);
    const MkJoint foot = joint(MK_JOINT_LEFT_FOOT, MK_JOINT_RIGHT_FOOT);
    Limb(model, thigh, shin, "AllLeg", 1.35f, 0.95f, sides);
    Limb(model, shin, foot, "AllShin", 0.9f, 0.6f, sides);
    const Vec3 ankle = Rest(foot);
    const auto shoe = [model](const Vec3& n) {
        if (n.z < -0.7f) return Part(model, "bbottom");
        return Part(model, n.x > 0.5f ? "shoeb" : "shoe");
    };
    size_t first = model->polygons.size();
    MkAddBox(model, JointPen(model, foot, "shoe"), {-2.2f, ankle.y - 0.7f, MK_SOLE_Z},
             {1.0f, ankle.y + 0.7f, ankle.z + 0.2f});
    Retexture(model, first, shoe);
    if (simple) return;
    const MkJoint toes = joint(MK_JOINT_LEFT_TOES, MK_JOINT_RIGHT_TOES);
    first = model->polygons.size();
    MkAddBox(model, JointPen(model, toes, "shoe"), {-3.2f, ankle.y - 0.65f, MK_SOLE_Z},
             {-2.2f, ankle.y + 0.65f, MK_SOLE_Z + 0.8f});
    Retexture(model, first, shoe);
}

// The referee's card, one untextured quad in his right hand, facing forward.
void Card(MkModel* model)
{
    const Vec3 wrist = Rest(MK_JOINT_RIGHT_HAND);
    const MkPen pen = {MkModelTextureOf(model, "", 0xFFFFFFFF), MkJointBone(MK_JOINT_RIGHT_HAND),
                       MK_JOINT_RIGHT_HAND};
    const float x = -0.9f, z0 = wrist.z - 3.2f, z1 = wrist.z - 1.2f;
    MkAddQuad(model, pen, {x, wrist.y - 0.6f, z1}, {x, wrist.y + 0.6f, z1}, {x, wrist.y + 0.6f, z0},
              {x, wrist.y - 0.6f, z0});
}

MkModel Person(PersonKind kind, int32_t sides, bool simple)
{
    MkModel model;
    for (const MkJointRow& row : MK_SKELETON) {
        const bool root = row.parent < 0;
        MkModelAddPoint(&model, row.rest, root ? MK_NO_BONE : MkJointBone(row.parent),
                        root ? XYZ_NO_POINT : static_cast<uint16_t>(row.parent));
    }
    const Kit& kit = kind == PERSON_KEEPER ? kKeeperKit : kOutfieldKit;
    Torso(&model, kit, sides, simple);
    Head(&model, sides, simple);
    Limbs(&model, kit, -1, sides, simple);
    Limbs(&model, kit, 1, sides, simple);
    if (kind == PERSON_REFEREE) Card(&model);
    // Surface points follow their joints, in joint order, as the animation needs parents first.
    std::vector<uint32_t> order(model.points.size());
    for (uint32_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin() + MK_JOINT_COUNT, order.end(), [&model](uint32_t a, uint32_t b) {
        return model.points[a].parent < model.points[b].parent;
    });
    std::vector<uint32_t> newIndex(order.size());
    MkModel sorted = model;
    for (uint32_t i = 0; i < order.size(); ++i) {
        newIndex[order[i]] = i;
        sorted.points[i] = model.points[order[i]];
    }
    for (XYZPolygon& polygon : sorted.polygons) {
        for (uint32_t k = 0; k < polygon.pointCount; ++k) {
            polygon.points[k] = newIndex[polygon.points[k]];
        }
    }
    return sorted;
}

// The person whose polygon count lies nearest the target.
MkModel PersonNear(PersonKind kind, int32_t targetPolygons)
{
    MkModel best;
    for (int32_t sides = 3; sides <= 24; ++sides) {
        for (const bool simple : {true, false}) {
            MkModel model = Person(kind, sides, simple);
            const auto miss = [targetPolygons](const MkModel& m) {
                return std::abs(static_cast<int32_t>(m.polygons.size()) - targetPolygons);
            };
            if (best.polygons.empty() || miss(model) < miss(best)) best = std::move(model);
        }
    }
    return best;
}

// The 60-polygon body in one untextured group.
MkModel Shadow()
{
    MkModel model = PersonNear(PERSON_PLAYER, 60);
    model.textures = {{"", "", 0xFF000000}};
    for (XYZPolygon& polygon : model.polygons) {
        polygon.texture = 0;
    }
    return model;
}

// ---- Ball, shadow, ground mark, corner flag ----------------------------------------------------

constexpr float kBallRadius = 1.9f / 38.0f;  // the view scales the ball by 38

MkModel Ball()
{
    MkModel model;
    MkAddSphere(&model, {MkModelTextureOf(&model, "ball")}, {0, 0, 0},
                {kBallRadius, kBallRadius, kBallRadius}, 9, 13);
    return model;
}

MkModel BallShadow()
{
    MkModel model;
    MkAddDisc(&model, {MkModelTextureOf(&model, "", 0x20000000)}, {0, 0, 0}, kBallRadius, 16);
    return model;
}

// Wound clockwise from above: the view mirrors it in x.
MkModel GroundMark()
{
    MkModel model;
    MkAddQuad(&model, {MkModelTextureOf(&model, "skid")}, {-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0},
              {0.5f, 0.5f, 0}, {0.5f, -0.5f, 0});
    return model;
}

// Goal parts and the corner flag: y up, x toward the depth of the goal, z across.
MkModel CornerFlag()
{
    MkModel model;
    MkAddTube(&model, {MkModelTextureOf(&model, "pole", 0xFFFFFFFF, "#")}, {0, 0, 0}, {0, 1, 0},
              0.012f, 0.012f, 6, true);
    TwoSidedQuad(&model, {MkModelTextureOf(&model, "flag")}, {0, 0.78f, 0}, {0.35f, 0.78f, 0},
                 {0.35f, 1, 0}, {0, 1, 0});
    return model;
}

constexpr float kPostWidth = 0.04f;

MkPen GoalPen(MkModel* model, const char* texture, const std::string& group)
{
    return {MkModelTextureOf(model, texture, 0xFFFFFFFF, group)};
}

MkModel GoalBack()
{
    MkModel model;
    TwoSidedQuad(&model, GoalPen(&model, "net", "back"), {1, 0, 1}, {1, 0, -1}, {1, 1, -1},
                 {1, 1, 1});
    return model;
}

MkModel GoalTop()
{
    MkModel model;
    const float top = 1 - kPostWidth;
    MkAddBox(&model, GoalPen(&model, "post", "top3"), {0, top, -1}, {kPostWidth, 1, 1});
    MkAddQuad(&model, GoalPen(&model, "net", "top1"), {kPostWidth, 1, -1}, {kPostWidth, 1, 1},
              {1, 1, 1}, {1, 1, -1});
    MkAddQuad(&model, GoalPen(&model, "net", "top2"), {1, 1, -1}, {1, 1, 1}, {kPostWidth, 1, 1},
              {kPostWidth, 1, -1});
    MkAddBox(&model, GoalPen(&model, "post", "top4"), {1 - kPostWidth, top, -1}, {1, 1, 1});
    return model;
}

// A post with its side net and stanchion; `side` -1 for the left (z = -1), +1 for the right.
MkModel GoalSide(int32_t side)
{
    MkModel model;
    const bool left = side < 0;
    const std::string name = left ? "left" : "right";
    const float edge = static_cast<float>(side), inner = edge - side * kPostWidth;
    const float z0 = std::min(edge, inner), z1 = std::max(edge, inner);
    MkAddBox(&model, GoalPen(&model, "post", left ? "LeftPost" : "RightPost"), {0, 0, z0},
             {kPostWidth, 1, z1});
    // The net's outer face looks away from the goal, its inner face into it.
    const Vec3 a = {kPostWidth, 0, edge}, b = {1, 0, edge}, c = {1, 1, edge},
               d = {kPostWidth, 1, edge};
    if (left) {
        MkAddQuad(&model, GoalPen(&model, "net", name + "1"), a, b, c, d);
        MkAddQuad(&model, GoalPen(&model, "net", name + "2"), d, c, b, a);
    } else {
        MkAddQuad(&model, GoalPen(&model, "net", name + "1"), d, c, b, a);
        MkAddQuad(&model, GoalPen(&model, "net", name + "2"), a, b, c, d);
    }
    MkAddBox(&model, GoalPen(&model, "post", name + "3"), {kPostWidth, 0, z0}, {1, 0.02f, z1});
    MkAddBox(&model, GoalPen(&model, "post", name + "4"), {1 - kPostWidth, 0, z0}, {1, 1, z1});
    MkAddTube(&model, GoalPen(&model, "post", left ? "LeftWire" : "RightWire"),
              {kPostWidth, 0.95f, (z0 + z1) / 2}, {1 - kPostWidth, 0.05f, (z0 + z1) / 2}, 0.01f,
              0.01f, 4, false);
    return model;
}

// ---- Pitch -----------------------------------------------------------------------------------

// Pitch units (16 a yard) about the pitch centre, world x across and y along.
constexpr float kCentreX = 796, kCentreY = 1082;
constexpr float kHalfWidth = 640, kHalfLength = 960;
constexpr float kGrassMargin = 64;  // 4 yards beyond the lines
constexpr float kLineWidth = 4;

// A world pitch point (units) in the authoring frame: thousands, y up, the pitch along -z.
Vec3 PitchPoint(float x, float y) { return {(x - kCentreX) / 1000, 0, -(y - kCentreY) / 1000}; }

// A quad on the ground facing up, whatever the order its corners were given in.
void GroundQuad(MkModel* model, const MkPen& pen, Vec3 a, Vec3 b, Vec3 c, Vec3 d)
{
    FacingQuad(model, pen, a, b, c, d, {0, 1, 0});
}

void GroundRect(MkModel* model, const MkPen& pen, float x0, float x1, float y0, float y1)
{
    GroundQuad(model, pen, PitchPoint(x0, y0), PitchPoint(x1, y0), PitchPoint(x1, y1),
               PitchPoint(x0, y1));
}

void Grass(MkModel* model, int32_t across, int32_t along)
{
    const MkPen pen = {MkModelTextureOf(model, "grass")};
    const float x0 = kCentreX - kHalfWidth - kGrassMargin,
                y0 = kCentreY - kHalfLength - kGrassMargin;
    const float w = (2 * (kHalfWidth + kGrassMargin)) / across;
    const float l = (2 * (kHalfLength + kGrassMargin)) / along;
    for (int32_t j = 0; j < along; ++j) {
        for (int32_t i = 0; i < across; ++i) {
            GroundRect(model, pen, x0 + i * w, x0 + (i + 1) * w, y0 + j * l, y0 + (j + 1) * l);
        }
    }
}

// A ring between two radii about (cx, cy) from angle a0 over `span` in `steps` quads.
void Ring(MkModel* model, const MkPen& pen, float cx, float cy, float r0, float r1, float a0,
          float span, int32_t steps)
{
    for (int32_t s = 0; s < steps; ++s) {
        const float a = a0 + span * s / steps, b = a0 + span * (s + 1) / steps;
        const auto at = [&](float r, float angle) {
            return PitchPoint(cx + r * std::cos(angle), cy + r * std::sin(angle));
        };
        GroundQuad(model, pen, at(r0, a), at(r1, a), at(r1, b), at(r0, b));
    }
}

void Markings(MkModel* model)
{
    const MkPen line = {MkModelTextureOf(model, "line")};
    // clang-format off
    constexpr float kLines[17][4] = {
        {156, 1436, 122, 126}, {1432, 1436, 122, 2042}, {156, 1436, 2038, 2042},
        {156, 160, 122, 2042}, {156, 1436, 1080, 1084},
        {476, 480, 122, 410}, {476, 1116, 406, 410}, {1112, 1116, 122, 410},
        {636, 640, 122, 218}, {636, 956, 214, 218}, {952, 956, 122, 218},
        {476, 480, 1754, 2042}, {476, 1116, 1754, 1758}, {1112, 1116, 1754, 2042},
        {636, 640, 1946, 2042}, {636, 956, 1946, 1950}, {952, 956, 1946, 2042},
    };
    // clang-format on
    for (const auto& r : kLines) {
        GroundRect(model, line, r[0], r[1], r[2], r[3]);
    }
    for (const float sy : {-1.0f, 1.0f}) {
        for (const float sx : {-1.0f, 1.0f}) {
            // The quarter ring inside the pitch: angles pointing back into it.
            const float start = sy < 0 ? (sx < 0 ? 0 : kPi / 2) : (sx < 0 ? -kPi / 2 : kPi);
            Ring(model, line, kCentreX + sx * kHalfWidth, kCentreY + sy * kHalfLength, 24, 28,
                 start, kPi / 2, 3);
        }
    }
    Ring(model, line, kCentreX, kCentreY, 156, 160, 0, 2 * kPi, 38);
    constexpr float kSpotY[2] = {314, 1850}, kPenaltyLineY[2] = {410, 1754};
    for (int32_t end = 0; end < 2; ++end) {
        const float a0 = std::asin(std::fabs(kPenaltyLineY[end] - kSpotY[end]) * 1.02f / 160);
        Ring(model, line, kCentreX, kSpotY[end], 156, 160, a0 + (end ? kPi : 0), kPi - 2 * a0, 19);
    }
    const MkPen spot = {MkModelTextureOf(model, "spot")};
    constexpr float kHexagon[6][2] = {{0, -6}, {5.196f, -3}, {5.196f, 3},
                                      {0, 6},  {-5.196f, 3}, {-5.196f, -3}};
    for (const float y : {kSpotY[0], kCentreY, kSpotY[1]}) {
        const auto at = [y, &kHexagon](int32_t k) {
            return PitchPoint(kCentreX + kHexagon[k][0], y + kHexagon[k][1]);
        };
        GroundQuad(model, spot, at(0), at(1), at(2), at(3));
        GroundQuad(model, spot, at(3), at(4), at(5), at(0));
    }
}

// Worn grass at both goalmouths and the centre.
void Patches(MkModel* model)
{
    const MkPen pen = {MkModelTextureOf(model, "patches")};
    GroundRect(model, pen, 716, 876, 126, 250);
    GroundRect(model, pen, 716, 876, 1914, 2038);
    GroundRect(model, pen, 736, 856, 1022, 1142);
}

MkModel Pitch(bool detailed)
{
    MkModel model;
    Grass(&model, detailed ? 12 : 2, detailed ? 16 : 3);
    if (detailed) Patches(&model);
    Markings(&model);
    return model;
}

// ---- Stadiums --------------------------------------------------------------------------------

// The authoring frame in thousands of units: x across, y up, z = -(world y); everything here
// lies outside the grass rectangle.
constexpr float kStandGapX = 0.80f, kStandGapZ = 1.12f;

struct StadiumShape {
    bool big;
    float standHeight;
    float standDepth;
};

// A terrace along one side: `along` is the unit vector along the side, `out` away from the pitch.
void Stand(MkModel* model, const StadiumShape& shape, int32_t index, const Vec3& centre,
           const Vec3& along, const Vec3& out, float halfLength)
{
    const auto at = [&](float s, float o, float h) {
        return Vec3{centre.x + along.x * s + out.x * o, h, centre.z + along.z * s + out.z * o};
    };
    const float d = shape.standDepth, h = shape.standHeight, front = 0.02f;
    const uint32_t crowd = MkModelTextureOf(model, "crowd" + std::to_string(index + 1));
    const uint32_t side = MkModelTextureOf(model, "side_1");
    const uint32_t back = MkModelTextureOf(model, shape.big ? "wallrear" : "side_1");
    const uint32_t wall = MkModelTextureOf(model, shape.big ? "wall" : "side_1");
    const Vec3 toPitch = {-out.x, 0, -out.z};
    const Vec3 upToPitch = {toPitch.x, 1, toPitch.z};
    // Stepped rows of crowd rising away from the pitch, above a low front wall.
    const int32_t rows = 4;
    for (int32_t r = 0; r < rows; ++r) {
        const float o0 = d * r / rows, o1 = d * (r + 1) / rows;
        const float h0 = front + h * r / rows, h1 = front + h * (r + 1) / rows;
        FacingQuad(model, {crowd}, at(-halfLength, o0, h0), at(halfLength, o0, h0),
                   at(halfLength, o1, h1), at(-halfLength, o1, h1), upToPitch);
    }
    // The front wall facing the pitch, the back wall and the two ends facing outward.
    const auto facing = [model](uint32_t t, Vec3 a, Vec3 b, Vec3 c, Vec3 e, const Vec3& want) {
        FacingQuad(model, {t}, a, b, c, e, want);
    };
    facing(wall, at(-halfLength, 0, 0), at(halfLength, 0, 0), at(halfLength, 0, front),
           at(-halfLength, 0, front), toPitch);
    facing(back, at(-halfLength, d, 0), at(halfLength, d, 0), at(halfLength, d, front + h),
           at(-halfLength, d, front + h), out);
    for (const float s : {-halfLength, halfLength}) {
        const Vec3 endOut = {along.x * s, 0, along.z * s};
        facing(side, at(s, 0, 0), at(s, d, 0), at(s, d, front + h), at(s, 0, front), endOut);
    }
    if (!shape.big) return;
    // A roof over the stand: its top and its underside, held by girders.
    const float roofH = front + h + 0.03f;
    facing(MkModelTextureOf(model, "roof"), at(-halfLength, -0.02f, roofH),
           at(halfLength, -0.02f, roofH), at(halfLength, d, roofH + 0.02f),
           at(-halfLength, d, roofH + 0.02f), {0, 1, 0});
    facing(MkModelTextureOf(model, "rooff1"), at(-halfLength, -0.02f, roofH - 0.005f),
           at(halfLength, -0.02f, roofH - 0.005f), at(halfLength, d, roofH + 0.015f),
           at(-halfLength, d, roofH + 0.015f), {0, -1, 0});
    facing(MkModelTextureOf(model, index == 1 ? "eastrofr" : "wall1"),
           at(-halfLength, -0.02f, roofH - 0.03f), at(halfLength, -0.02f, roofH - 0.03f),
           at(halfLength, -0.02f, roofH), at(-halfLength, -0.02f, roofH), toPitch);
    for (int32_t g = 0; g <= 4; ++g) {
        const float s = -halfLength + 2 * halfLength * g / 4;
        MkAddTube(model, {MkModelTextureOf(model, g % 2 ? "girders" : "girder")},
                  at(s, d * 0.6f, 0), at(s, d * 0.6f, roofH), 0.006f, 0.006f, 4, false);
    }
}

// Advertising boards along the touch and goal lines, facing the pitch.
void Boards(MkModel* model)
{
    const float x = 0.735f, z = 1.06f, h = 0.03f;
    const Vec3 sides[4][2] = {{{-x, 0, z}, {x, 0, z}},
                              {{x, 0, z}, {x, 0, -z}},
                              {{x, 0, -z}, {-x, 0, -z}},
                              {{-x, 0, -z}, {-x, 0, z}}};
    for (int32_t s = 0; s < 4; ++s) {
        const uint32_t t = MkModelTextureOf(model, "main" + std::to_string(s + 1));
        const int32_t pieces = 6;
        for (int32_t p = 0; p < pieces; ++p) {
            const auto lerp = [&](float f) {
                const Vec3& a = sides[s][0];
                const Vec3& b = sides[s][1];
                return Vec3{a.x + (b.x - a.x) * f, 0, a.z + (b.z - a.z) * f};
            };
            const Vec3 a = lerp(static_cast<float>(p) / pieces);
            const Vec3 b = lerp(static_cast<float>(p + 1) / pieces);
            // From the top corner where the words start: the picture runs across and down
            // the quad from its first corner, so the words read left to right from the pitch.
            FacingQuad(model, {t}, {a.x, h, a.z}, {b.x, h, b.z}, b, a, {-a.x, 0, -a.z});
        }
    }
}

void Dugouts(MkModel* model)
{
    const float x = -0.76f;
    MkAddBox(model, {MkModelTextureOf(model, "duggout")}, {x - 0.02f, 0, -0.10f},
             {x + 0.01f, 0.012f, -0.03f});
    MkAddBox(model, {MkModelTextureOf(model, "duggout2")}, {x - 0.02f, 0, 0.03f},
             {x + 0.01f, 0.012f, 0.10f});
}

void Floodlights(MkModel* model, float height)
{
    for (const float sx : {-1.0f, 1.0f}) {
        for (const float sz : {-1.0f, 1.0f}) {
            const Vec3 foot = {sx * 0.95f, 0, sz * 1.25f};
            MkAddTube(model, {MkModelTextureOf(model, "floodlig")}, foot, {foot.x, height, foot.z},
                      0.008f, 0.006f, 6, false);
            MkAddBox(model, {MkModelTextureOf(model, "floodbit")},
                     {foot.x - 0.03f, height, foot.z - 0.03f},
                     {foot.x + 0.03f, height + 0.03f, foot.z + 0.03f});
            MkAddBox(model, {MkModelTextureOf(model, "girderre")},
                     {foot.x - 0.004f, height - 0.01f, foot.z - 0.035f},
                     {foot.x + 0.004f, height, foot.z + 0.035f});
        }
    }
}

void Trees(MkModel* model)
{
    const MkPen pen = {MkModelTextureOf(model, "tree")};
    for (int32_t i = 0; i < 12; ++i) {
        const float a = 2 * kPi * (static_cast<float>(i) + 0.5f) / 12;
        const Vec3 base = {1.45f * std::cos(a), 0, 1.7f * std::sin(a)};
        const float r = 0.04f + 0.01f * (i % 3), h = 0.12f + 0.02f * (i % 4);
        TwoSidedQuad(model, pen, {base.x - r, 0, base.z}, {base.x + r, 0, base.z},
                     {base.x + r, h, base.z}, {base.x - r, h, base.z});
        TwoSidedQuad(model, pen, {base.x, 0, base.z + r}, {base.x, 0, base.z - r},
                     {base.x, h, base.z - r}, {base.x, h, base.z + r});
    }
}

// Corner poles, a horizon strip and a ring of cloud panels facing inward.
void BigStadiumSurroundings(MkModel* model)
{
    for (int32_t c = 0; c < 4; ++c) {
        const float sx = c % 2 ? 1.0f : -1.0f, sz = c / 2 ? 1.0f : -1.0f;
        MkAddTube(model, {MkModelTextureOf(model, "pole" + std::to_string(c + 1))},
                  {sx * 0.9f, 0, sz * 1.22f}, {sx * 0.9f, 0.42f, sz * 1.22f}, 0.012f, 0.01f, 8,
                  true);
    }
    const int32_t panels = 16;
    const char* clouds[4] = {"clouda", "cloudb", "cloudc", "cloudd"};
    for (int32_t p = 0; p < panels; ++p) {
        const float a0 = 2 * kPi * p / panels, a1 = 2 * kPi * (p + 1) / panels;
        const float r = 2.0f;
        const Vec3 p0 = {r * std::cos(a0), 0, r * std::sin(a0)};
        const Vec3 p1 = {r * std::cos(a1), 0, r * std::sin(a1)};
        const Vec3 inward = {-p0.x - p1.x, 0, -p0.z - p1.z};
        FacingQuad(model, {MkModelTextureOf(model, "horitop")}, p0, p1, {p1.x, 0.15f, p1.z},
                   {p0.x, 0.15f, p0.z}, inward);
        FacingQuad(model, {MkModelTextureOf(model, clouds[p % 4])}, {p0.x, 0.15f, p0.z},
                   {p1.x, 0.15f, p1.z}, {p1.x, 0.9f, p1.z}, {p0.x, 0.9f, p0.z}, inward);
    }
}

MkModel Stadium(bool big)
{
    MkModel model;
    const StadiumShape shape = {big, big ? 0.22f : 0.10f, big ? 0.30f : 0.20f};
    Stand(&model, shape, 0, {0, 0, kStandGapZ}, {1, 0, 0}, {0, 0, 1}, 0.70f);
    Stand(&model, shape, 1, {kStandGapX, 0, 0}, {0, 0, -1}, {1, 0, 0}, 1.0f);
    Stand(&model, shape, 2, {0, 0, -kStandGapZ}, {-1, 0, 0}, {0, 0, -1}, 0.70f);
    Stand(&model, shape, 3, {-kStandGapX, 0, 0}, {0, 0, 1}, {-1, 0, 0}, 1.0f);
    Boards(&model);
    Dugouts(&model);
    Floodlights(&model, big ? 0.40f : 0.30f);
    Trees(&model);
    if (big) BigStadiumSurroundings(&model);
    return model;
}

}  // namespace

MkModel MkPersonModel(int32_t kind, int32_t targetPolygons)
{
    return PersonNear(static_cast<PersonKind>(kind), targetPolygons);
}

MkModel MkBallModel() { return Ball(); }

MkModel MkCornerFlagModel() { return CornerFlag(); }

MkModel MkGoalPartModel(int32_t part)
{
    switch (part) {
        case 0: return GoalBack();
        case 1: return GoalTop();
        case 2: return GoalSide(-1);
        default: return GoalSide(1);
    }
}

std::vector<MkNamedModel> MkModels3D()
{
    std::vector<MkNamedModel> models;
    const MkModel normal = Stadium(false), big = Stadium(true);
    models.push_back({"stadium\\models\\stad2d.xyz", normal});
    models.push_back({"stadium\\models\\stad2n.xyz", normal});
    models.push_back({"stadium\\models\\bigstadd.xyz", big});
    models.push_back({"stadium\\models\\bigstadn.xyz", big});
    models.push_back({"stadium\\models\\newgrass.xyz", Pitch(true)});
    models.push_back({"stadium\\models\\lowgrass.xyz", Pitch(false)});
    models.push_back({"simple\\model\\116ball.xyz", Ball()});
    models.push_back({"simple\\model\\ballsha0.xyz", BallShadow()});
    models.push_back({"simple\\model\\bollocks.xyz", GroundMark()});
    models.push_back({"stadium\\models\\misc\\flag\\flag.xyz", CornerFlag()});
    models.push_back({"stadium\\models\\misc\\goal\\gback.xyz", GoalBack()});
    models.push_back({"stadium\\models\\misc\\goal\\gtop.xyz", GoalTop()});
    models.push_back({"stadium\\models\\misc\\goal\\gleft.xyz", GoalSide(-1)});
    models.push_back({"stadium\\models\\misc\\goal\\gright.xyz", GoalSide(1)});
    const struct {
        PersonKind kind;
        const char* folder;
    } kinds[] = {{PERSON_PLAYER, "player"}, {PERSON_KEEPER, "keeper"}, {PERSON_REFEREE, "referee"}};
    const int32_t levels[] = {500, 300, 200, 100, 60};
    for (const auto& k : kinds) {
        for (const int32_t level : levels) {
            models.push_back({std::string("sskin\\models\\") + k.folder + "\\"
                                  + std::to_string(level) + "man.xyz",
                              PersonNear(k.kind, level)});
        }
    }
    models.push_back({"sskin\\models\\shadow\\60shad.xyz", Shadow()});
    return models;
}

void MkGenerateModels3D(MkFileSet* set)
{
    for (const MkNamedModel& m : MkModels3D()) {
        MkAddFile(set, MK_MODEL3D_ROOT + m.name, MkModelBytes(m.model));
    }
}
