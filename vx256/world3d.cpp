// vx256/world3d.cpp: loading, placing and drawing the world models of the software 3D view.
#include "vx256/world3d.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <vector>

#include "engine/fatal.h"
#include "game/matchblocks.h"
#include "gamecode/pitch.h"
#include "menus/loadbar.h"
#include "viewservices/motioncap.h"
#include "viewservices/viewflags.h"
#include "vx256/kittextures.h"
#include "vx256/mgraphic.h"
#include "vx256/pitch.h"
#include "vx256/playermodel.h"
#include "vx256/polyman.h"
#include "vx256/softspan.h"

PitchItem PitchItems[OBJECT_PITCH_ITEMS] = {
    {"Gback", ITEM_GOAL_FIRST, nullptr},           {"Gtop", ITEM_GOAL_FIRST, nullptr},
    {"Gleft", ITEM_GOAL_FIRST, nullptr},           {"Gright", ITEM_GOAL_FIRST, nullptr},
    {"Gback", ITEM_GOAL_SECOND, nullptr},          {"Gtop", ITEM_GOAL_SECOND, nullptr},
    {"Gleft", ITEM_GOAL_SECOND, nullptr},          {"Gright", ITEM_GOAL_SECOND, nullptr},
    {"flag\\flag", ITEM_FLAG_FAR_RIGHT, nullptr},  {"flag\\flag", ITEM_FLAG_FAR_LEFT, nullptr},
    {"flag\\flag", ITEM_FLAG_NEAR_RIGHT, nullptr}, {"flag\\flag", ITEM_FLAG_NEAR_LEFT, nullptr},
};
NodRigidModel* WorldHorizon = nullptr;
NodRigidModel* WorldStadium = nullptr;
NodRigidModel* WorldBalls[WORLD_BALL_MODELS] = {};
int32_t BigStadium = 0;

namespace {

constexpr const char* kStadiumRoot = "vxdata\\software\\stadium";
constexpr const char* kMiscModels = "vxdata\\software\\stadium\\models\\misc";
constexpr float kQuarterTurn = std::numbers::pi_v<float> / 2;
constexpr float kNormalLength = 20.0f;
constexpr float kFlagScale = 33.6f;
constexpr float kGoalDepth = 30.0f;
constexpr float kGoalHeight = 50.4f;
constexpr float kBallScale = 1.5f;

// The facing state of each surface of the model being drawn, and the ball's turned normals.
std::vector<uint8_t> s_states;
std::vector<float> s_ballNormals;

float* NormalOf(NodRigidSurface& s) { return reinterpret_cast<float*>(s.words); }
const float* NormalOf(const NodRigidSurface& s) { return reinterpret_cast<const float*>(s.words); }
static_assert(sizeof(NodRigidSurface::words) == 3 * sizeof(float));

void Scale(NodRigidModel* model, float sx, float sy, float sz)
{
    for (int32_t i = 0; i < model->pointCount; ++i) {
        model->points[i].x *= sx;
        model->points[i].y *= sy;
        model->points[i].z *= sz;
    }
}

void Move(NodRigidModel* model, float x, float y)
{
    for (int32_t i = 0; i < model->pointCount; ++i) {
        model->points[i].x += x;
        model->points[i].y += y;
    }
}

// The goals span the posts, reach 30 back and stand 50.4 high; the first is turned to face the
// pitch from the far goal line.
void PlaceGoal(NodRigidModel* model, uint32_t bits)
{
    Scale(model, (PITCH_RIGHT_POST_X - PITCH_LEFT_POST_X) / 2.0f, kGoalDepth, kGoalHeight);
    const bool first = (bits & ITEM_GOAL_FIRST) != 0;
    if (first) Scale(model, -1.0f, -1.0f, 1.0f);
    Move(model, PITCH_CENTRE_X, first ? PITCH_FAR_GOAL_LINE_Y : PITCH_NEAR_GOAL_LINE_Y);
    World_ComputeNormals(model);
}

// The stadium models are authored facing along x: a quarter turn back, then to the centre.
void PlaceAtCentre(NodRigidModel* model)
{
    World_Turn(model, -kQuarterTurn);
    Move(model, PITCH_CENTRE_X, PITCH_CENTRE_Y);
    World_ComputeNormals(model);
}

void LoadPitchItems()
{
    for (PitchItem& item : PitchItems) {
        const bool goal = (item.bits & (ITEM_GOAL_FIRST | ITEM_GOAL_SECOND)) != 0;
        char name[32];
        std::snprintf(name, sizeof(name), goal ? "goal\\%s" : "%s", item.name);
        char textures[64];
        std::snprintf(textures, sizeof(textures), goal ? "%s\\goal%02d" : "%s", "stadium\\TEXTURES",
                      0);
        NOD_LoadWorld1(&item.model, kMiscModels, name, textures, 0, 0, NOD_TEXTURES_NAMED);
        PlaceWorldItem(item.model, item.bits);
    }
}

void LoadStadium()
{
    int32_t stands = 0;
    for (const int16_t s : GetMatchSidesBlock()->stands)
        stands += s;
    BigStadium = stands >= WORLD_BIG_STADIUM_STANDS ? 1 : 0;
    const char* name = BigStadium != 0 ? "bigstad" : "stad2";
    char directory[64], textures[64];
    std::snprintf(directory, sizeof(directory), "%s\\models\\stads", kStadiumRoot);
    std::snprintf(textures, sizeof(textures), "stadium\\TEXTURES\\%s", name);
    NOD_LoadWorld1(&WorldStadium, directory, name, textures, 0, 0, NOD_TEXTURES_NAMED);
    PlaceAtCentre(WorldStadium);
}

void LoadHorizon()
{
    char directory[64];
    std::snprintf(directory, sizeof(directory), "%s\\models\\misc\\horizon", kStadiumRoot);
    NOD_LoadWorld1(&WorldHorizon, directory, "HORIZON", "stadium\\TEXTURES\\Stad2", 0, 0,
                   NOD_TEXTURES_NAMED);
    PlaceAtCentre(WorldHorizon);
}

void LoadPeopleAndBalls()
{
    LoadBar_StartBlock(1.0f, 2.0f);
    PlayerModel_BuildAngleTables();
    LoadMotionCaptures();
    LoadPlayerModels();
    for (int32_t i = 0; i < WORLD_BALL_MODELS; ++i) {
        LoadBar_Advance(i * (1.0f / 6.0f));
        NOD_LoadWorld1(&WorldBalls[i], "vxdata\\software\\simple\\model",
                       i == WORLD_CONE ? "cone" : "116ball", "simple\\textures", 0, 0,
                       NOD_TEXTURES_NAMED);
        Scale(WorldBalls[i], kBallScale, kBallScale, kBallScale);
        World_ComputeNormals(WorldBalls[i]);
    }
    LoadBar_EndBlock();
}

// Front (0) when the stored normal faces the eye; else the back of a double-sided surface (1),
// or hidden (2).
void MarkSurfaces(const NodRigidModel& m, const float* normals)
{
    const ViewPoint eye = Polyman_Camera();
    s_states.resize(static_cast<size_t>(m.surfaceCount));
    for (int32_t i = 0; i < m.surfaceCount; ++i) {
        const NodRigidSurface& s = m.surfaces[i];
        const NodWorkPoint& p = m.work[s.corners[0]];
        const float* n = normals != nullptr ? normals + 3 * i : NormalOf(s);
        const float facing = n[0] * (p.x - eye.x) + n[1] * (p.y - eye.y) + n[2] * (p.z - eye.z);
        s_states[static_cast<size_t>(i)] = facing <= 0          ? NOD_FRONT
                                           : s.doubleSided != 0 ? NOD_BACK
                                                                : NOD_HIDDEN;
    }
}

// The work points hold world positions: into view space with their outcodes.
void TransformWork(NodRigidModel& m) { Polyman_WorkToView(m.work, m.pointCount, nullptr); }

const uint8_t* SurfaceTexture(const NodRigidModel& m, const NodRigidSurface& s)
{
    if (s.texture < 0) return nullptr;
    const NodTexture& t = m.textures[s.texture];
    if (t.type != NOD_TEXTURE_NAMED) return nullptr;
    return reinterpret_cast<const uint8_t*>(KIT_GetTextureFromIndex(t.index));
}

void DrawSurfaces(const NodRigidModel& m)
{
    const GameScreenRecord screen = Polyman_ViewScreen();
    for (int32_t i = 0; i < m.surfaceCount; ++i) {
        const uint8_t state = s_states[static_cast<size_t>(i)];
        const NodRigidSurface& s = m.surfaces[i];
        if (state == NOD_HIDDEN) continue;
        const int32_t count = s.corners[3] >= 0 ? 4 : 3;
        uint32_t all = ~0u;
        for (int32_t k = 0; k < count; ++k)
            all &= m.work[s.corners[k]].outcode;
        const uint8_t* texture = SurfaceTexture(m, s);
        if (all != 0 || texture == nullptr) continue;
        // A back seen through is drawn with its corners in the other order.
        CurrentPolygon.count = count;
        for (int32_t k = 0; k < count; ++k) {
            const int32_t c = state == NOD_BACK ? count - 1 - k : k;
            const NodWorkPoint& w = m.work[s.corners[c]];
            CurrentPolygon.vertices[k] = {w.x, w.y, w.z, s.u[c], s.v[c]};
        }
        if (ClipPolygon() == 0) continue;
        SoftVertex projected[SOFT_MAX_POLY_VERTICES];
        ProjectVertices(CurrentPolygon.vertices, projected, CurrentPolygon.count,
                        VertexOrder::AsStored);
        Soft_DrawPerspectivePolygons(screen, projected, CurrentPolygon.count, texture, true);
    }
}

void DrawGroundMarks()
{
    for (const GroundMark& mark : GroundMarks) {
        int32_t x = 0, y = 0;
        if (mark.inUse == 0
            || ProjectWorldPoint(0.0f, static_cast<float>(mark.x), static_cast<float>(mark.y), &x,
                                 &y)
                   == 0)
            continue;
        const MGraphicItem& skid = MGraphGetItem(MGRAPH_SKID);
        GameScreen_CopyTrans(skid.pixels, skid.width, x - skid.width / 2, y - skid.height / 2,
                             skid.width, skid.height);
    }
}

}  // namespace

void World_ComputeNormals(NodRigidModel* model)
{
    for (int32_t i = 0; i < model->surfaceCount; ++i) {
        NodRigidSurface& s = model->surfaces[i];
        const NodPoint& p1 = model->points[s.corners[0]];
        const NodPoint& p2 = model->points[s.corners[1]];
        const NodPoint& p3 = model->points[s.corners[2]];
        const float ax = p2.x - p1.x, ay = p2.y - p1.y, az = p2.z - p1.z;
        const float bx = p3.x - p1.x, by = p3.y - p1.y, bz = p3.z - p1.z;
        const float n[3] = {ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx};
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length == 0.0f) continue;
        float* out = NormalOf(s);
        for (int32_t c = 0; c < 3; ++c)
            out[c] = n[c] * kNormalLength / length;
    }
}

void World_Turn(NodRigidModel* model, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    const auto turn = [c, s](float& x, float& y) {
        const float turned = x * c - y * s;
        y = y * c + x * s;
        x = turned;
    };
    for (int32_t i = 0; i < model->pointCount; ++i)
        turn(model->points[i].x, model->points[i].y);
    for (int32_t i = 0; i < model->surfaceCount; ++i) {
        float* n = NormalOf(model->surfaces[i]);
        turn(n[0], n[1]);
    }
}

void ModifyFlagWorld(NodRigidModel* model, uint32_t bits)
{
    float x = 0, y = 0;
    switch (bits) {
        case ITEM_FLAG_FAR_RIGHT:
            x = PITCH_RIGHT_TOUCHLINE_X;
            y = PITCH_FAR_GOAL_LINE_Y;
            break;
        case ITEM_FLAG_FAR_LEFT:
            x = PITCH_LEFT_TOUCHLINE_X;
            y = PITCH_FAR_GOAL_LINE_Y;
            break;
        case ITEM_FLAG_NEAR_RIGHT:
            x = PITCH_RIGHT_TOUCHLINE_X;
            y = PITCH_NEAR_GOAL_LINE_Y;
            break;
        case ITEM_FLAG_NEAR_LEFT:
            x = PITCH_LEFT_TOUCHLINE_X;
            y = PITCH_NEAR_GOAL_LINE_Y;
            break;
        default: FatalError("ERROR: ModifyFlagWorld default case hit");
    }
    Scale(model, kFlagScale, kFlagScale, kFlagScale);
    Move(model, x, y);
    World_ComputeNormals(model);
}

void PlaceWorldItem(NodRigidModel* model, uint32_t bits)
{
    constexpr uint32_t kFlags =
        ITEM_FLAG_FAR_RIGHT | ITEM_FLAG_FAR_LEFT | ITEM_FLAG_NEAR_RIGHT | ITEM_FLAG_NEAR_LEFT;
    if ((bits & kFlags) != 0) {
        ModifyFlagWorld(model, bits);
    } else if ((bits & (ITEM_GOAL_FIRST | ITEM_GOAL_SECOND)) != 0) {
        PlaceGoal(model, bits);
    } else {
        FatalError("ERROR:Create3DWorld -  ModelType not found");
    }
}

void Create3DWorld()
{
    LoadBar_StartBlock(3.0f, 1.0f);
    LoadHorizon();
    LoadBar_Advance(1.0f);
    LoadStadium();
    LoadBar_Advance(1.0f);
    LoadPitchItems();
    Soft_LoadGrass();
    Soft_InitPitchLines();
    Soft_InitReciprocalTable();
    LoadBar_Advance(1.0f);
    LoadBar_EndBlock();
    LoadPeopleAndBalls();
    World_InstallDrawers();
}

void FreeWorld()
{
    NOD_FreeWorld1(&WorldHorizon);
    NOD_FreeWorld1(&WorldStadium);
    for (PitchItem& item : PitchItems)
        NOD_FreeWorld1(&item.model);
    for (NodRigidModel*& ball : WorldBalls)
        NOD_FreeWorld1(&ball);
    FreePlayerModels();
    FreeMotionCaptures();
    Soft_FreeGrass();
    Soft_FreePitchLines();
    SoftObjectDrawers.ball = nullptr;
    SoftObjectDrawers.itemDepth = nullptr;
    SoftObjectDrawers.itemDraw = nullptr;
}

void DrawWorldBackground()
{
    const GameScreenRecord view = Polyman_ViewScreen();
    if (view.pixels == nullptr) return;
    for (int32_t y = 0; y < view.height; ++y)
        std::memset(view.pixels + static_cast<size_t>(y) * view.pitch, WORLD_SKY_COLOUR,
                    static_cast<size_t>(view.width));
    Soft_DrawClippedQuad();
    Soft_DrawPitchMarkings();
    Soft_DrawMarkingArcs();
    DrawGroundMarks();
    if (WorldHorizon != nullptr) DrawWorldModel(WorldHorizon);
    if (WorldStadium != nullptr) DrawWorldModel(WorldStadium);
}

void DrawWorldModel(NodRigidModel* model)
{
    for (int32_t i = 0; i < model->pointCount; ++i) {
        const NodPoint& p = model->points[i];
        model->work[i] = {p.x, p.y, p.z, 0};
    }
    MarkSurfaces(*model, nullptr);
    TransformWork(*model);
    DrawSurfaces(*model);
}

float WorldItemDepth(const NodRigidModel* model)
{
    if (model == nullptr || model->pointCount == 0) return -1.0f;
    const NodPoint& p = model->points[0];
    return Polyman_ToView(p.x, p.y, p.z).z;
}

void DrawBallModel(float x, float y, float height, float spin1, float spin2, float spin3)
{
    NodRigidModel* ball = WorldBalls[0];
    if (ball == nullptr) return;
    SetModelAngles(spin1, spin2, spin3);
    s_ballNormals.resize(3 * static_cast<size_t>(ball->surfaceCount));
    for (int32_t i = 0; i < ball->pointCount; ++i) {
        float p[3] = {ball->points[i].x, ball->points[i].y, ball->points[i].z};
        RotateNormal(p);
        ball->work[i] = {p[0] + x, p[1] + y, p[2] + height, 0};
    }
    for (int32_t i = 0; i < ball->surfaceCount; ++i) {
        float* n = &s_ballNormals[3 * static_cast<size_t>(i)];
        std::copy_n(NormalOf(ball->surfaces[i]), 3, n);
        RotateNormal(n);
    }
    MarkSurfaces(*ball, s_ballNormals.data());
    TransformWork(*ball);
    DrawSurfaces(*ball);
}

int32_t ProjectWorldPoint(float height, float x, float y, int32_t* screenX, int32_t* screenY)
{
    const ViewPoint v = Polyman_ToView(x, y, height);
    if (Polyman_Outcode(v.x, v.y, v.z) != 0) return 0;
    const PolyVertex point = {v.x, v.y, v.z, 0, 0};
    SoftVertex screen;
    ProjectVertices(&point, &screen, 1, VertexOrder::AsStored);
    *screenX = screen.x / 16 + GAMESCREEN_MARGIN;
    *screenY = screen.y / 16 + GAMESCREEN_MARGIN;
    return 1;
}

void World_InstallDrawers()
{
    SoftObjectDrawers.ball = DrawBallModel;
    SoftObjectDrawers.itemDepth = [](int32_t item) {
        return item >= 0 && item < OBJECT_PITCH_ITEMS ? WorldItemDepth(PitchItems[item].model)
                                                      : -1.0f;
    };
    SoftObjectDrawers.itemDraw = [](int32_t item) {
        if (item >= 0 && item < OBJECT_PITCH_ITEMS && PitchItems[item].model != nullptr)
            DrawWorldModel(PitchItems[item].model);
    };
    SoftObjectDrawers.person = DrawPlayerModel;
    SoftObjectDrawers.flatPerson = DrawFlatPlayerModel;
    SoftObjectDrawers.flatShadow = DrawFlatShadow;
    SoftObjectDrawers.skeletonShadow = DrawSkeletonShadow;
    SoftObjectDrawers.nameLabel = DrawNameLabel;
}
