// vx256/playermodel.cpp: loading and posing the people models.
#include "vx256/playermodel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "generic/kittextures.h"
#include "menus/loadbar.h"
#include "vx256/softspan.h"

NodSkinnedModel PlayerModels[PLAYER_MODEL_KINDS][PLAYER_MODEL_LEVELS];

namespace {

constexpr const char* kDirectory = "vxdata\\software\\sskin\\models";
constexpr const char* kKindNames[PLAYER_MODEL_KINDS] = {"player", "keeper", "referee"};
constexpr int32_t kLevelPolygons[PLAYER_MODEL_LEVELS] = {500, 300, 200, 100, 60, 60};
constexpr float kRestRootHeight = 17.0f;

float s_sin[256];
float s_cos[256];
bool s_tablesBuilt = false;

constexpr int16_t kShowsYellow = 8;  // an official's state while he shows a card
constexpr int16_t kShowsRed = 9;

void Rotation(const uint8_t* abc, int32_t extraA, RotationMatrix out)
{
    const int32_t a = (abc[0] + extraA) & 255;  // a head turned below 0 turns the other way
    BuildJointRotation(s_sin[a], s_cos[a], s_sin[abc[1]], s_cos[abc[1]], s_sin[abc[2]],
                       s_cos[abc[2]], out);
}

}  // namespace

void PlayerModel_BuildAngleTables()
{
    if (s_tablesBuilt) return;
    for (int32_t i = 0; i < 256; ++i) {
        const double t = i * 2.0 * std::numbers::pi / 256;
        s_sin[i] = static_cast<float>(std::sin(t));
        s_cos[i] = static_cast<float>(std::cos(t));
    }
    BuildHeadingTables();
    s_tablesBuilt = true;
}

void LoadPlayerModels()
{
    PlayerModel_BuildAngleTables();
    LoadBar_StartBlock(PLAYER_MODEL_KINDS * PLAYER_MODEL_LEVELS, 18.0f);
    for (int32_t kind = 0; kind < PLAYER_MODEL_KINDS; ++kind) {
        for (int32_t level = 0; level < PLAYER_MODEL_LEVELS; ++level) {
            LoadBar_Advance(1.0f);
            const bool flat = level == PLAYER_MODEL_FLAT_LEVEL;
            char name[64];
            std::snprintf(name, sizeof(name), flat ? "%s\\%dfill.nod" : "%s\\%dman.nod",
                          kKindNames[kind], kLevelPolygons[level]);
            NOD_LoadWorld(&PlayerModels[kind][level], name, kDirectory,
                          flat ? NOD_TEXTURES_UNRESOLVED : NOD_TEXTURES_KIT);
        }
    }
    LoadBar_EndBlock();
}

void FreePlayerModels()
{
    for (auto& kind : PlayerModels)
        for (NodSkinnedModel& model : kind)
            NOD_FreeSkinned(&model);
}

void PlayerModel_Pose(NodSkinnedModel* model, const MotionFrame* frame, int32_t headAngle, float x,
                      float y, float height, int32_t facing)
{
    static const MotionFrame kRest = {{0, 0, kRestRootHeight}, {}, {}, {}};
    if (frame == nullptr) frame = &kRest;
    RotationMatrix turns[MOTION_POSED_JOINTS + 1];
    const int32_t joints = std::min(model->highestJoint, MOTION_POSED_JOINTS);
    for (int32_t j = 1; j <= joints; ++j)
        Rotation(frame->angles[j - 1], j == PLAYER_MODEL_HEAD_JOINT ? headAngle : 0, turns[j]);
    const auto lead = static_cast<int32_t>(model->leadingPoints);
    for (int32_t i = 0; i < model->pointCount; ++i) {
        const NodSkinnedPoint& p = model->points[i];
        NodWorkPoint& w = *model->pointVertex[i];
        if (i < lead || p.joint < 1 || p.joint > joints) {
            w = {p.x, p.y, p.z, 0};
            continue;
        }
        const RotationMatrix& r = turns[p.joint];
        const NodWorkPoint& parent = *model->pointVertex[model->jointPoints[p.joint]];
        w.x = r[0][0] * p.x + r[0][1] * p.y + r[0][2] * p.z + parent.x;
        w.y = r[1][0] * p.x + r[1][1] * p.y + r[1][2] * p.z + parent.y;
        w.z = r[2][0] * p.x + r[2][1] * p.y + r[2][2] * p.z + parent.z;
    }
    SetHeading(facing & 255);
    const float lift = height + frame->root[2];
    for (int32_t i = 0; i < model->pointCount; ++i) {
        NodWorkPoint& w = *model->pointVertex[i];
        Polyman_TurnByHeading(w.x, w.y);
        w.x += x;
        w.y += y;
        w.z += lift;
    }
}

void PlayerModel_MarkSurfaces(NodSkinnedModel* model, const ViewPoint& eye)
{
    for (int32_t i = 0; i < model->surfaceCount; ++i) {
        NodSkinnedSurface& s = model->surfaces[i];
        const NodWorkPoint& p1 = *s.vertices[0];
        const NodWorkPoint& p2 = *s.vertices[1];
        const NodWorkPoint& p3 = *s.vertices[2];
        const float ax = p3.x - p2.x, ay = p3.y - p2.y, az = p3.z - p2.z;
        const float bx = p1.x - p2.x, by = p1.y - p2.y, bz = p1.z - p2.z;
        const float nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
        const float facing = nx * (p2.x - eye.x) + ny * (p2.y - eye.y) + nz * (p2.z - eye.z);
        s.state = facing <= 0 ? NOD_FRONT : s.doubleSided != 0 ? NOD_BACK : NOD_HIDDEN;
    }
}

namespace {

struct SortGroup {
    int32_t group;
    float middle;
};

void DrawSurface(const NodSkinnedSurface& s, const SoftTextureHeader* texture)
{
    const int32_t count = s.vertices[3] != nullptr ? 4 : 3;
    uint32_t all = ~0u;
    uint32_t any = 0;
    for (int32_t k = 0; k < count; ++k) {
        all &= s.vertices[k]->outcode;
        any |= s.vertices[k]->outcode;
    }
    if (all != 0) return;
    CurrentPolygon.count = count;
    for (int32_t k = 0; k < count; ++k) {
        const NodWorkPoint& w = *s.vertices[k];
        CurrentPolygon.vertices[k] = {w.x, w.y, w.z, s.u[k], s.v[k]};
    }
    if (any != 0 && ClipPolygon() == 0) return;
    SoftVertex screen[SOFT_MAX_POLY_VERTICES];
    ProjectVertices(CurrentPolygon.vertices, screen, CurrentPolygon.count, VertexOrder::AsStored);
    if (ProjectedWinding(screen, CurrentPolygon.count) < 0)
        ProjectVertices(CurrentPolygon.vertices, screen, CurrentPolygon.count,
                        VertexOrder::Reversed);
    Soft_DrawObjectPolygons(Polyman_ViewScreen(), screen, CurrentPolygon.count,
                            reinterpret_cast<const uint8_t*>(texture));
}

// The kit texture a surface is drawn in for this person, or null when it is not drawn now.
const SoftTextureHeader* SurfaceTexture(const NodSkinnedModel& m, const NodSkinnedSurface& s,
                                        int32_t object)
{
    if (s.texture < 0) return nullptr;
    const NodTexture& t = m.textures[s.texture];
    if (t.type != NOD_TEXTURE_KIT_PART) return nullptr;
    if (std::strncmp(t.name, "CARD", 4) == 0) {
        const int16_t shows = object < MATCH_OBJECT_COUNT ? MatchPersons[object].action : 0;
        if (shows != kShowsYellow && shows != kShowsRed) return nullptr;
        return KIT_GetPersonTexture(
            object,
            KITPLR_GetTextureIndexFromName(shows == kShowsRed ? "CARDred.GFX" : "CARDyel.GFX"));
    }
    return KIT_GetPersonTexture(object, t.index);
}

}  // namespace

void DrawPlayerModel(int32_t object, int32_t kind, int32_t level, int32_t motion)
{
    NodSkinnedModel& m = PlayerModels[kind][level];
    if (m.pointCount == 0) return;
    const RenderObject& o = RenderList[object];
    const MotionFrame* frame = MotionCap_Frame(motion, o.drawnFrame);
    PlayerModel_Pose(&m, frame, o.headAngle, o.x, o.y, o.height, o.drawnDirection);
    PlayerModel_MarkSurfaces(&m, Polyman_Camera());
    for (int32_t i = 0; i < m.pointCount; ++i) {
        NodWorkPoint& w = m.work[i];
        const ViewPoint v = Polyman_ToView(w.x, w.y, w.z);
        w = {v.x, v.y, v.z, Polyman_Outcode(v.x, v.y, v.z)};
    }
    // Farthest group first by the middle of its two points' depths; ties keep stored order.
    SortGroup groups[NOD_MAX_START_POINTS];
    for (int32_t g = 0; g < m.startCount; ++g) {
        const float a = m.pointVertex[m.sortPoints[2 * g]]->z;
        const float b = m.pointVertex[m.sortPoints[2 * g + 1]]->z;
        groups[g] = {g, (a + b) * 0.5f};
    }
    std::stable_sort(groups, groups + m.startCount,
                     [](const SortGroup& a, const SortGroup& b) { return a.middle > b.middle; });
    for (int32_t g = 0; g < m.startCount; ++g) {
        const int32_t group = groups[g].group;
        for (uint32_t i = m.startPoints[group]; i <= m.endPoints[group]; ++i) {
            const NodSkinnedSurface& s = m.surfaces[i];
            if (s.state == NOD_HIDDEN) continue;
            const SoftTextureHeader* texture = SurfaceTexture(m, s, object);
            if (texture != nullptr) DrawSurface(s, texture);
        }
    }
}
