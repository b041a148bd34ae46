// vx256/playermodel.cpp: loading and posing the people models.
#include "vx256/playermodel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <vector>

#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "menus/loadbar.h"
#include "menus/menupc.h"
#include "viewservices/viewscreen.h"
#include "vx256/gamepal.h"
#include "vx256/kittextures.h"
#include "vx256/mgraphic.h"
#include "vx256/objects.h"
#include "vx256/softraster.h"
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

// Four floats worked on at once. Each lane of a sum of lane products is rounded as the same sum
// of single products would be, so a point placed by columns lands exactly where it did by rows.
using Lanes = float __attribute__((vector_size(16)));

// A turn by its columns, the fourth lane nought.
struct TurnColumns {
    Lanes x, y, z;
};

TurnColumns ColumnsOf(const RotationMatrix r)
{
    return {Lanes{r[0][0], r[1][0], r[2][0], 0}, Lanes{r[0][1], r[1][1], r[2][1], 0},
            Lanes{r[0][2], r[1][2], r[2][2], 0}};
}

Lanes LanesOf(const NodWorkPoint& w) { return Lanes{w.x, w.y, w.z, 0}; }

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
                      float y, float height, int32_t facing, float limbScale)
{
    static const MotionFrame kRest = {{0, 0, kRestRootHeight}, {}, {}, {}};
    if (frame == nullptr) frame = &kRest;
    // Each joint's rotation with the heading's ground turn applied after it, so that every point
    // lands in the world in one step from its parent, already placed there.
    const float* e = Polyman_HeadingEntry(facing & 255).e;
    const RotationMatrix heading = {{e[0], e[1], 0}, {e[2], e[3], 0}, {0, 0, 1}};
    TurnColumns turns[MOTION_POSED_JOINTS + 1] = {ColumnsOf(heading)};
    const int32_t joints = std::min(model->highestJoint, MOTION_POSED_JOINTS);
    for (int32_t j = 1; j <= joints; ++j) {
        RotationMatrix r, turn;
        Rotation(frame->angles[j - 1], j == PLAYER_MODEL_HEAD_JOINT ? headAngle : 0, r);
        for (int32_t c = 0; c < 3; ++c) {
            turn[0][c] = e[0] * r[0][c] + e[1] * r[1][c];
            turn[1][c] = e[2] * r[0][c] + e[3] * r[1][c];
            turn[2][c] = r[2][c];
        }
        turns[j] = ColumnsOf(turn);
    }
    const Lanes origin = {x, y, height + frame->root[2], 0};
    const auto lead = static_cast<int32_t>(model->leadingPoints);
    for (int32_t i = 0; i < model->pointCount; ++i) {
        const NodSkinnedPoint& p = model->points[i];
        const bool posed = i >= lead && p.joint >= 1 && p.joint <= joints;
        const TurnColumns& r = turns[posed ? p.joint : 0];
        const Lanes from =
            posed ? LanesOf(*model->pointVertex[model->jointPoints[p.joint]]) : origin;
        const float scale = posed ? limbScale : 1.0f;
        const Lanes placed = r.x * (p.x * scale) + r.y * (p.y * scale) + r.z * (p.z * scale) + from;
        *model->pointVertex[i] = {placed[0], placed[1], placed[2], 0};
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

// CurrentPolygon projected, wound as the walkers fill; its corner count.
int32_t ProjectCurrentPolygon(SoftVertex* screen)
{
    const int32_t count = CurrentPolygon.count;
    ProjectVertices(CurrentPolygon.vertices, screen, count, VertexOrder::AsStored);
    if (ProjectedWinding(screen, count) < 0)
        ProjectVertices(CurrentPolygon.vertices, screen, count, VertexOrder::Reversed);
    return count;
}

// The kit texture a model texture is drawn in for this person, or null when it is not drawn now.
const SoftTextureHeader* WornTexture(const NodTexture& t, int32_t object)
{
    if (t.type != NOD_TEXTURE_KIT_PART) return nullptr;
    if (t.name[0] == 'C' && std::strncmp(t.name, "CARD", 4) == 0) {
        const int16_t shows = object < MATCH_OBJECT_COUNT ? MatchPersons[object].action : 0;
        if (shows != kShowsYellow && shows != kShowsRed) return nullptr;
        return KIT_GetPersonTexture(
            object,
            KITPLR_GetTextureIndexFromName(shows == kShowsRed ? "CARDred.GFX" : "CARDyel.GFX"));
    }
    return KIT_GetPersonTexture(object, t.index);
}

// The model's textures as this person wears them, looked up once a draw rather than once a surface.
std::vector<const SoftTextureHeader*> s_wornTextures;

void PutOnTextures(const NodSkinnedModel& m, int32_t object)
{
    s_wornTextures.resize(static_cast<size_t>(m.textureCount));
    for (int32_t t = 0; t < m.textureCount; ++t)
        s_wornTextures[static_cast<size_t>(t)] = WornTexture(m.textures[t], object);
}

const SoftTextureHeader* SurfaceTexture(const NodSkinnedSurface& s)
{
    return s.texture < 0 ? nullptr : s_wornTextures[static_cast<size_t>(s.texture)];
}

// Steps shared by every drawer of a person: posed from his clip frame, his surfaces marked from
// the camera.
void PosePerson(NodSkinnedModel* m, int32_t object, int32_t motion, float limbScale)
{
    const RenderObject& o = RenderList[object];
    PlayerModel_Pose(m, MotionCap_Frame(motion, o.drawnFrame), o.headAngle, o.x, o.y, o.height,
                     o.drawnDirection, limbScale);
    PlayerModel_MarkSurfaces(m, Polyman_Camera());
}

// Each work point's screen position while it lies inside the view: projected once per draw, not
// once for every surface corner on it.
std::vector<ScreenPoint> s_screenPoints;

// Every work point to view space with its outcode, and projected when inside.
void ToViewSpace(NodSkinnedModel* m)
{
    s_screenPoints.resize(static_cast<size_t>(m->pointCount));
    Polyman_WorkToView(m->work, m->pointCount, s_screenPoints.data());
}

// The shown surfaces group by group, farthest group first by the middle of its two points'
// depths, ties in stored order; within a group in stored order.
template <class DrawFunction>
void ForEachShownSurface(const NodSkinnedModel& m, DrawFunction draw)
{
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
            if (s.state != NOD_HIDDEN) draw(s);
        }
    }
}

// The flat people's colour of a surface: the side's shirt, shorts or socks for the 2D codes 1-3,
// else the surface's own packed colour.
uint16_t FlatColour(const NodSkinnedModel& m, const NodSkinnedSurface& s, int32_t object)
{
    if (s.texture < 0) return 0;
    const NodTexture& t = m.textures[s.texture];
    if (t.type != NOD_TEXTURE_COLOUR) return 0;
    const int32_t side = std::min(object / (MATCH_PLAYER_COUNT / 2), 2);
    uint16_t (*const getters[3])(int32_t) = {FlatPersonColours.shirt, FlatPersonColours.shorts,
                                             FlatPersonColours.socks};
    if (t.colour >= 1 && t.colour <= 3) {
        const auto getter = getters[t.colour - 1];
        return getter != nullptr ? getter(side) : 0;
    }
    return static_cast<uint16_t>(t.colour);
}

// A surface wholly inside the view from its corners' projected points, wound as the walkers fill,
// as ProjectVertices would give it.
int32_t ProjectedCorners(const NodSkinnedModel& m, const NodSkinnedSurface& s, int32_t count,
                         SoftVertex* screen)
{
    for (int32_t k = 0; k < count; ++k) {
        const NodWorkPoint& w = *s.vertices[k];
        const ScreenPoint p = s_screenPoints[static_cast<size_t>(&w - m.work)];
        screen[k] = {p.x, p.y, w.z * 16.0f, s.u[k], s.v[k]};
    }
    if (ProjectedWinding(screen, count) < 0) std::reverse(screen, screen + count);
    return count;
}

// A surface's corners clipped and projected, wound as the walkers fill; 0 when nothing is left.
int32_t ProjectSurface(const NodSkinnedModel& m, const NodSkinnedSurface& s, SoftVertex* screen)
{
    const int32_t count = s.vertices[3] != nullptr ? 4 : 3;
    uint32_t all = ~0u;
    uint32_t any = 0;
    for (int32_t k = 0; k < count; ++k) {
        all &= s.vertices[k]->outcode;
        any |= s.vertices[k]->outcode;
    }
    if (all != 0) return 0;
    if (any == 0) return ProjectedCorners(m, s, count, screen);
    CurrentPolygon.count = count;
    for (int32_t k = 0; k < count; ++k) {
        const NodWorkPoint& w = *s.vertices[k];
        CurrentPolygon.vertices[k] = {w.x, w.y, w.z, s.u[k], s.v[k]};
    }
    if (ClipPolygon() == 0) return 0;
    return ProjectCurrentPolygon(screen);
}

constexpr float kFlatLimbScale = 2.5f;
// The skeleton shadow's light comes from behind the far (left) stand: a point h above the
// ground falls this many times h toward the near touchline.
constexpr float kShadowLean = 0.4f;

}  // namespace

FlatPersonColourGetters FlatPersonColours;

// Level-5 point numbers of the skeleton shadow's polygons, round each one's outline: the torso
// (left hip and shoulder, right shoulder and hip), each leg (the thigh's top, the shin's foot) and
// both arms (left hand, the shoulders, right hand). The referee's card points come before his legs.
const int32_t
    PlayerModel_ShadowPolygons[PLAYER_MODEL_KINDS][PLAYER_SHADOW_POLYGONS][PLAYER_SHADOW_CORNERS] =
        {
            {{4, 18, 19, 5}, {64, 63, 73, 74}, {103, 102, 112, 113}, {43, 33, 48, 58}},
            {{4, 18, 19, 5}, {64, 63, 73, 74}, {103, 102, 112, 113}, {43, 33, 48, 58}},
            {{4, 18, 19, 5}, {68, 67, 77, 78}, {107, 106, 116, 117}, {43, 33, 48, 58}},
};

void DrawPlayerModel(int32_t object, int32_t kind, int32_t level, int32_t motion)
{
    NodSkinnedModel& m = PlayerModels[kind][level];
    if (m.pointCount == 0) return;
    PosePerson(&m, object, motion, 1.0f);
    ToViewSpace(&m);
    PutOnTextures(m, object);
    const GameScreenRecord view = Polyman_ViewScreen();
    ForEachShownSurface(m, [&](const NodSkinnedSurface& s) {
        const SoftTextureHeader* texture = SurfaceTexture(s);
        SoftVertex screen[SOFT_MAX_POLY_VERTICES];
        const int32_t count = texture != nullptr ? ProjectSurface(m, s, screen) : 0;
        if (count != 0)
            Soft_DrawObjectPolygons(view, screen, count, reinterpret_cast<const uint8_t*>(texture));
    });
}

void DrawFlatPlayerModel(int32_t object, int32_t kind)
{
    NodSkinnedModel& m = PlayerModels[kind][PLAYER_MODEL_FLAT_LEVEL];
    if (m.pointCount == 0) return;
    const int32_t motion = ObjectDisplay_Motion(object);
    PosePerson(&m, object, motion == MOTION_NO_SHADOW ? MOTION_ABSENT : motion, kFlatLimbScale);
    ToViewSpace(&m);
    ForEachShownSurface(m, [&](const NodSkinnedSurface& s) {
        SoftVertex screen[SOFT_MAX_POLY_VERTICES];
        const int32_t count = ProjectSurface(m, s, screen);
        if (count == 0) return;
        SoftScreenVertex flat[SOFT_MAX_POLY_VERTICES];
        for (int32_t k = 0; k < count; ++k)
            flat[k] = {screen[k].x, screen[k].y, 0, 0};
        SetDrawAttribute(2, FlatColour(m, s, object));
        Soft_DrawPolygonB(flat, count);
    });
}

void DrawFlatShadow(float x, float y, float sizeA, float sizeB)
{
    const MGraphicItem& mask = MGraphGetItem(MGRAPH_SHADOW);
    if (mask.pixels == nullptr || mask.width != SOFT_MASK_TEXTURE_WIDTH) return;
    const float turn = std::numbers::pi_v<float> / 4;
    const float c = std::cos(turn), s = std::sin(turn);
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    CurrentPolygon.count = 4;
    for (int32_t k = 0; k < 4; ++k) {
        const float a = corners[k][0] * sizeA, b = corners[k][1] * sizeB;
        const ViewPoint v = Polyman_ToView(x + a * c - b * s, y + a * s + b * c, 0);
        const float u = corners[k][0] < 0 ? 0.0f : static_cast<float>(mask.width);
        const float w = corners[k][1] < 0 ? 0.0f : static_cast<float>(mask.height);
        CurrentPolygon.vertices[k] = {v.x, v.y, v.z, u, w};
    }
    if (ClipPolygon() == 0) return;
    SoftVertex screen[SOFT_MAX_POLY_VERTICES];
    const int32_t count = ProjectCurrentPolygon(screen);
    SoftScreenVertex buffer[SOFT_MAX_POLY_VERTICES];
    for (int32_t k = 0; k < count; ++k)
        buffer[k] = {(screen[k].x + 8) / 16 + GAMESCREEN_MARGIN,
                     (screen[k].y + 8) / 16 + GAMESCREEN_MARGIN, screen[k].u, screen[k].v};
    Soft_DrawPolygonC(buffer, count, mask.pixels, mask.height, GAMEPAL_SHADOW_COLOUR);
}

void DrawSkeletonShadow(int32_t object)
{
    const int32_t kind = ObjectDisplay_ModelKind(object);
    NodSkinnedModel& m = PlayerModels[kind][PLAYER_MODEL_FLAT_LEVEL];
    if (m.pointCount == 0) return;
    const int32_t motion = ObjectDisplay_Motion(object);
    const RenderObject& o = RenderList[object];
    PlayerModel_Pose(&m, MotionCap_Frame(motion, o.drawnFrame), o.headAngle, o.x, o.y, o.height,
                     o.drawnDirection);
    constexpr uint32_t kColour4 = GAMEPAL_SHADOW_COLOUR * 0x01010101u;
    for (const auto& polygon : PlayerModel_ShadowPolygons[kind]) {
        CurrentPolygon.count = PLAYER_SHADOW_CORNERS;
        for (int32_t k = 0; k < PLAYER_SHADOW_CORNERS; ++k) {
            const NodWorkPoint& w = *m.pointVertex[polygon[k]];
            const ViewPoint v = Polyman_ToView(w.x + w.z * kShadowLean, w.y, 0);
            CurrentPolygon.vertices[k] = {v.x, v.y, v.z, 0, 0};
        }
        if (ClipPolygon() == 0) continue;
        SoftVertex screen[SOFT_MAX_POLY_VERTICES];
        const int32_t count = ProjectCurrentPolygon(screen);
        Soft_DrawFlatPolygon(Polyman_ViewScreen(), screen, count, kColour4);
    }
}

void DrawNameLabel(int32_t player)
{
    const BlockBuffer* strip = NameStrip.buffer;
    if (strip == nullptr || player < 0 || player >= NAMESTRIP_SLOTS) return;
    const RenderObject& o = RenderList[player];
    const ViewPoint v = Polyman_ToView(o.x, o.y, PERSON_HEAD_HEIGHT);
    if (Polyman_Outcode(v.x, v.y, v.z) != 0) return;
    const PolyVertex point = {v.x, v.y, v.z, 0, 0};
    SoftVertex screen;
    ProjectVertices(&point, &screen, 1, VertexOrder::AsStored);
    const int32_t width = NameStrip.width[player];
    const auto height = static_cast<int32_t>(strip->height);
    const int32_t left = screen.x / 16 + GAMESCREEN_MARGIN - width / 2;
    const int32_t bottom = screen.y / 16 + GAMESCREEN_MARGIN;
    const int32_t top = bottom - height;
    if (left <= 0 || top <= 0 || left + width >= ViewSize.width + 2 * GAMESCREEN_MARGIN
        || bottom >= ViewSize.height + 2 * GAMESCREEN_MARGIN)
        return;
    GameScreen_CopyTrans(strip->memory + NameStrip.startX[player],
                         static_cast<int32_t>(strip->pitch), left, top, width, height);
}
