// vx256/playermodel.cpp: loading and posing the people models.
#include "vx256/playermodel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "menus/loadbar.h"
#include "vx256/polyman.h"

NodSkinnedModel PlayerModels[PLAYER_MODEL_KINDS][PLAYER_MODEL_LEVELS];

namespace {

constexpr const char* kDirectory = "vxdata\\software\\sskin\\models";
constexpr const char* kKindNames[PLAYER_MODEL_KINDS] = {"player", "keeper", "referee"};
constexpr int32_t kLevelPolygons[PLAYER_MODEL_LEVELS] = {500, 300, 200, 100, 60, 60};
constexpr float kRestRootHeight = 17.0f;

float s_sin[256];
float s_cos[256];
bool s_tablesBuilt = false;

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
