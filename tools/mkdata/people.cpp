// tools/mkdata/people.cpp: the people models. The 3D device's bodies are rewritten in the skinned
// layout: the root as the one leading point, each joint's origin in its parent joint's group
// holding its offset from the parent, each surface point in its joint's group holding its offset
// from the joint, and one sort group per body segment.
#include "tools/mkdata/people.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "tools/mkdata/models3d.h"
#include "tools/mkdata/skeleton.h"
#include "tools/mkdata/textsource.h"

namespace {

constexpr const char* kKinds[] = {"player", "keeper", "referee"};
constexpr int32_t kLevels[] = {500, 300, 200, 100, 60};
constexpr int32_t kFlatPolygons = 60;

// The flat level's colours: the 2D view's shirt, shorts and socks codes, and packed colours.
// clang-format off
const std::map<std::string, const char*> kFlatColours = {
    {"shirtfr", "R255G255B255"}, {"shirtbac", "R255G255B255"}, {"shirtsl", "R255G255B255"},
    {"shirtsr", "R255G255B255"}, {"shirttop", "R255G255B255"}, {"uparml", "R255G255B255"},
    {"uparmr", "R255G255B255"},  {"kshirtfr", "R255G255B255"}, {"kshirtb", "R255G255B255"},
    {"kshirtsl", "R255G255B255"}, {"kshirtsr", "R255G255B255"}, {"kshirtt", "R255G255B255"},
    {"kuparml", "R255G255B255"}, {"sleve", "R255G255B255"},    {"sfront", "R0G0B255"},
    {"sback", "R0G0B255"},       {"ssidel", "R0G0B255"},       {"sinsidel", "R0G0B255"},
    {"AllShin", "R0G255B0"},     {"shoe", "R24G24B24"},        {"shoeb", "R24G24B24"},
    {"bbottom", "R24G24B24"},    {"faceb", "R60G40B24"},
};
// clang-format on
constexpr const char* kSkinColour = "R228G176B136";

std::string FlatName(const std::string& kitName)
{
    const std::string part = kitName.substr(0, kitName.find('.'));
    const auto found = kFlatColours.find(part);
    return found != kFlatColours.end() ? found->second : kSkinColour;
}

int32_t JointOfPoint(const XYZPoint& p) { return p.parent; }

Vec3 Minus(const XYZPoint& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

MkNodModel ToSkinned(const MkModel& body, bool flat)
{
    MkNodModel nod;
    nod.skinned = true;
    nod.highestJoint = MK_JOINT_COUNT - 1;
    nod.leadingPoints = 1;
    nod.jointPoints.assign(MK_JOINT_COUNT, 0);
    std::vector<int32_t> newIndex(body.points.size(), -1);
    nod.points.push_back({0, 0, 0, 0, 0});
    newIndex[MK_JOINT_ROOT] = 0;
    newIndex[MK_JOINT_PELVIS] = 0;  // the pelvis turns about the root itself
    for (int32_t joint = 1; joint < MK_JOINT_COUNT; ++joint) {
        const Vec3 origin = MK_SKELETON[joint].rest;
        const auto add = [&](uint32_t from, int16_t owner) {
            const Vec3 d = Minus(body.points[from], origin);
            newIndex[from] = static_cast<int32_t>(nod.points.size());
            nod.points.push_back({d.x, d.y, d.z, owner, static_cast<int16_t>(nod.points.size())});
        };
        for (int32_t child = joint + 1; child < MK_JOINT_COUNT; ++child) {
            if (MK_SKELETON[child].parent != joint) continue;
            add(static_cast<uint32_t>(child), static_cast<int16_t>(joint));
            nod.jointPoints[child] = static_cast<uint32_t>(nod.points.size() - 1);
        }
        for (uint32_t i = MK_JOINT_COUNT; i < body.points.size(); ++i)
            if (JointOfPoint(body.points[i]) == joint) add(i, static_cast<int16_t>(joint));
    }
    for (uint32_t i = 0; i < body.points.size(); ++i)
        if (newIndex[i] < 0) MkFailAt("(people models)", 0, "a surface point hangs from the root");

    std::map<std::string, int16_t> textures;
    std::vector<std::pair<int32_t, MkNodSurface>> surfaces;
    for (const XYZPolygon& polygon : body.polygons) {
        MkNodSurface s;
        for (uint32_t k = 0; k < polygon.pointCount; ++k) {
            s.corners[k] = static_cast<int16_t>(newIndex[polygon.points[k]]);
            s.u[k] = polygon.u[k];
            s.v[k] = polygon.v[k];
        }
        const MkModelTexture& t = body.textures[polygon.texture];
        const bool card = t.name.empty();  // the referee's card, double-sided
        std::string name = card ? "CARDyel.GFX" : t.name;
        if (flat) name = card ? "R255G255B0" : FlatName(name);
        if (card) s.flags = 0x01;
        const auto found = textures.emplace(name, static_cast<int16_t>(nod.textures.size()));
        if (found.second) nod.textures.push_back(name);
        s.texture = found.first->second;
        surfaces.push_back({nod.points[s.corners[0]].joint, s});
    }
    std::stable_sort(surfaces.begin(), surfaces.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < surfaces.size(); ++i) {
        nod.surfaces.push_back(surfaces[i].second);
        const int32_t joint = surfaces[i].first;
        if (i == 0 || surfaces[i - 1].first != joint) {
            nod.startPoints.push_back(static_cast<uint32_t>(i));
            // The segment's two ends: its joint and its farthest point from it.
            uint32_t far = nod.jointPoints[joint];
            float best = -1;
            for (uint32_t p = 1; p < nod.points.size(); ++p) {
                const MkNodPoint& q = nod.points[p];
                const float d = q.x * q.x + q.y * q.y + q.z * q.z;
                if (q.joint == joint && d > best) {
                    best = d;
                    far = p;
                }
            }
            nod.sortPoints.push_back(nod.jointPoints[joint]);
            nod.sortPoints.push_back(far);
        }
        if (i + 1 == surfaces.size() || surfaces[i + 1].first != joint)
            nod.endPoints.push_back(static_cast<uint32_t>(i));
    }
    return nod;
}

}  // namespace

std::vector<MkNamedNod> MkPeopleModels()
{
    std::vector<MkNamedNod> models;
    for (int32_t kind = 0; kind < 3; ++kind) {
        const std::string folder = std::string(kKinds[kind]) + "\\";
        for (const int32_t level : kLevels)
            models.push_back({folder + std::to_string(level) + "man.nod",
                              ToSkinned(MkPersonModel(kind, level), false)});
        models.push_back({folder + std::to_string(kFlatPolygons) + "fill.nod",
                          ToSkinned(MkPersonModel(kind, kFlatPolygons), true)});
    }
    return models;
}

void MkGeneratePeople(MkFileSet* set)
{
    for (const MkNamedNod& m : MkPeopleModels())
        MkAddFile(set, std::string(MK_PEOPLE_MODEL_DIRECTORY) + "\\" + m.name, MkNodBytes(m.model));
}
