// tests/support/object_scene.cpp: the touchline scene's drawers: boxes, shadows and labels
// through the geometry stage and the flat walker.
#include "tests/support/object_scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/gfx.h"
#include "gamecode/presentation.h"
#include "viewservices/viewscreen.h"
#include "vx256/objects.h"
#include "vx256/polyman.h"
#include "vx256/softspan.h"

namespace {

constexpr int32_t W = 640;
constexpr int32_t H = 480;
constexpr float kEye[3] = {1445, 1082, 350};  // the touchline camera
constexpr float kPersonHeight = PERSON_HEAD_HEIGHT;
constexpr float kGoalHeight = 40;

struct Point {
    float x, y, h;
};

struct Colours {
    uint8_t ground, shadow, home, away, keeper, official, ball, white, label;
};

Colours s_colours;
uint8_t s_palette[GFX_PALETTE_BYTES];

uint8_t Nearest(int32_t r, int32_t g, int32_t b)
{
    int32_t best = 0, bestDistance = INT32_MAX;
    for (int32_t i = 1; i < 256; ++i) {
        const int32_t dr = s_palette[3 * i] * 4 - r, dg = s_palette[3 * i + 1] * 4 - g,
                      db = s_palette[3 * i + 2] * 4 - b;
        if (dr * dr + dg * dg + db * db < bestDistance) {
            best = i;
            bestDistance = dr * dr + dg * dg + db * db;
        }
    }
    return static_cast<uint8_t>(best);
}

// A world polygon clipped, projected in the order the walkers fill and drawn flat.
void DrawWorldPolygon(const std::vector<Point>& corners, uint8_t colour)
{
    CurrentPolygon.count = static_cast<int32_t>(corners.size());
    for (size_t i = 0; i < corners.size(); ++i) {
        const ViewPoint v = Polyman_ToView(corners[i].x, corners[i].y, corners[i].h);
        CurrentPolygon.vertices[i] = {v.x, v.y, v.z, 0, 0};
    }
    if (ClipPolygon() == 0) return;
    SoftVertex screen[SOFT_MAX_POLY_VERTICES];
    ProjectVertices(CurrentPolygon.vertices, screen, CurrentPolygon.count, VertexOrder::AsStored);
    if (ProjectedWinding(screen, CurrentPolygon.count) < 0)
        ProjectVertices(CurrentPolygon.vertices, screen, CurrentPolygon.count,
                        VertexOrder::Reversed);
    Soft_DrawFlatPolygon(Polyman_ViewScreen(), screen, CurrentPolygon.count, colour * 0x01010101u);
}

// An upright box on (x, y, h) of half sizes (a, b), turned by the current heading: the faces
// towards the camera only.
void DrawBox(const Point& base, float a, float b, float height, uint8_t colour)
{
    std::array<Point, 4> ring;
    const float offsets[4][2] = {{-a, -b}, {a, -b}, {a, b}, {-a, b}};
    for (int32_t i = 0; i < 4; ++i) {
        float dx = offsets[i][0], dy = offsets[i][1];
        Polyman_TurnByHeading(dx, dy);
        ring[i] = {base.x + dx, base.y + dy, base.h};
    }
    for (int32_t i = 0; i < 4; ++i) {
        const Point& p = ring[i];
        const Point& q = ring[(i + 1) % 4];
        // Seen from outside when the camera lies on the face's outer side.
        const float nx = q.y - p.y, ny = p.x - q.x;
        const float side = nx * (p.x - base.x) + ny * (p.y - base.y);
        const float eye = nx * (kEye[0] - p.x) + ny * (kEye[1] - p.y);
        if ((side > 0) != (eye > 0)) continue;
        DrawWorldPolygon({p, q, {q.x, q.y, q.h + height}, {p.x, p.y, p.h + height}}, colour);
    }
    std::vector<Point> top;
    for (const Point& p : ring)
        top.push_back({p.x, p.y, p.h + height});
    DrawWorldPolygon(top, colour);
}

uint8_t Shade(uint8_t colour, int32_t level)
{
    const int32_t k = 100 - 12 * level;
    return Nearest(s_palette[3 * colour] * 4 * k / 100, s_palette[3 * colour + 1] * 4 * k / 100,
                   s_palette[3 * colour + 2] * 4 * k / 100);
}

std::vector<DrawnScenePerson> s_drawn;

void ScenePerson(int32_t object, int32_t kind, int32_t level, int32_t)
{
    const RenderObject& o = RenderList[object];
    const uint8_t base = kind == 2     ? s_colours.official
                         : kind == 1   ? s_colours.keeper
                         : object < 16 ? s_colours.home
                                       : s_colours.away;
    const uint8_t colour = Shade(base, level);
    SetHeading(o.drawnDirection & 0xFF);
    DrawBox({o.x, o.y, o.height}, 6, 3, kPersonHeight, colour);
    s_drawn.push_back({object, Polyman_ToView(o.x, o.y, o.height).z, colour});
}

void SceneFlatShadow(float x, float y, float a, float b)
{
    DrawWorldPolygon({{x - a, y - b, 0}, {x + a, y - b, 0}, {x + a, y + b, 0}, {x - a, y + b, 0}},
                     s_colours.shadow);
}

void SceneSkeletonShadow(int32_t object)
{
    const RenderObject& o = RenderList[object];
    SetHeading(o.drawnDirection & 0xFF);
    std::vector<Point> quad;
    for (const auto& corner : {std::array<float, 2>{-4, 0}, {4, 0}, {4, 20}, {-4, 20}}) {
        float dx = corner[0], dy = corner[1];
        Polyman_TurnByHeading(dx, dy);
        quad.push_back({o.x + dx, o.y + dy, 0});
    }
    DrawWorldPolygon(quad, s_colours.shadow);
}

void SceneBall(float x, float y, float height, float, float, float)
{
    SetHeading(0);
    DrawBox({x, y, height}, 2, 2, 4, s_colours.ball);
}

// Items 0-3 the near goal, 4-7 the far one (left post, right post, bar, back bar); 8-11 flags.
struct Item {
    Point base;
    float a, b, height, lift;
};

Item SceneItem(int32_t item)
{
    if (item >= 8) {
        const int32_t corner = item - 8;
        return {
            {corner % 2 == 0 ? 156.0f : 1436.0f, corner < 2 ? 122.0f : 2042.0f, 0}, 1, 1, 45, 0};
    }
    const float line = item < 4 ? 122.0f : 2042.0f;
    const float back = item < 4 ? line - 30 : line + 30;
    switch (item % 4) {
        case 0: return {{730, line, 0}, 1.5f, 1.5f, kGoalHeight, 0};
        case 1: return {{862, line, 0}, 1.5f, 1.5f, kGoalHeight, 0};
        case 2: return {{796, line, kGoalHeight - 3}, 66, 1.5f, 3, 0};
        default: return {{796, back, 0}, 66, 1.5f, 3, 0};
    }
}

float SceneItemDepth(int32_t item)
{
    const Item it = SceneItem(item);
    const ViewPoint v = Polyman_ToView(it.base.x, it.base.y, it.base.h + it.height / 2);
    return v.z >= POLY_NEAR_Z ? v.z : -1.0f;
}

void SceneItemDraw(int32_t item)
{
    const Item it = SceneItem(item);
    SetHeading(0);
    DrawBox(it.base, it.a, it.b, it.height, item >= 8 ? s_colours.label : s_colours.white);
}

// A bar 24 pixels wide over the head.
void SceneLabel(int32_t player)
{
    const RenderObject& o = RenderList[player];
    const ViewPoint v = Polyman_ToView(o.x, o.y, o.height + kPersonHeight + 8);
    if (Polyman_Outcode(v.x, v.y, v.z) != 0) return;
    PolyVertex at = {v.x, v.y, v.z, 0, 0};
    SoftVertex centre;
    ProjectVertices(&at, &centre, 1, VertexOrder::AsStored);
    const SoftVertex bar[4] = {{centre.x - 192, centre.y - 48, 1, 0, 0},
                               {centre.x + 192, centre.y - 48, 1, 0, 0},
                               {centre.x + 192, centre.y, 1, 0, 0},
                               {centre.x - 192, centre.y, 1, 0, 0}};
    Soft_DrawFlatPolygon(Polyman_ViewScreen(), bar, 4, s_colours.label * 0x01010101u);
}

void InstallSceneDrawers()
{
    SoftObjectDrawers = {};
    SoftObjectDrawers.person = ScenePerson;
    SoftObjectDrawers.flatShadow = SceneFlatShadow;
    SoftObjectDrawers.skeletonShadow = SceneSkeletonShadow;
    SoftObjectDrawers.ball = SceneBall;
    SoftObjectDrawers.itemDepth = SceneItemDepth;
    SoftObjectDrawers.itemDraw = SceneItemDraw;
    SoftObjectDrawers.nameLabel = SceneLabel;
}

// The camera on the touchline aimed at the ball, as the touchline camera aims.
void AimAtTheBall()
{
    const RenderObject& ball = RenderList[OBJECT_BALL];
    const float yaw = std::atan2(kEye[0] - ball.x, kEye[1] - ball.y);
    const float ground = std::hypot(kEye[0] - ball.x, kEye[1] - ball.y);
    const float pitch = std::atan2(-ground, ball.height - kEye[2]);
    SetViewCamera(kEye[0], kEye[1], kEye[2], yaw, pitch, 1.1f);
}

}  // namespace

void ObjectScene_Begin()
{
    ViewScreen_LoadMasterPalette(s_palette);
    SetPalette(s_palette);
    s_colours = {Nearest(40, 140, 50),   Nearest(20, 70, 25),    Nearest(220, 30, 30),
                 Nearest(40, 70, 220),   Nearest(240, 220, 40),  Nearest(10, 10, 10),
                 Nearest(250, 250, 250), Nearest(235, 235, 235), Nearest(250, 140, 20)};
    GameScreen_Create(W, H);
    SetViewProjectionFactors();
    BuildHeadingTables();
    AimAtTheBall();
    InstallSceneDrawers();
}

void ObjectScene_Draw()
{
    const GameScreenRecord screen = GetGameScreen();
    std::fill(screen.pixels, screen.pixels + screen.pitch * screen.height, Nearest(120, 170, 230));
    s_drawn.clear();
    DrawWorldPolygon({{156, 122, 0}, {1436, 122, 0}, {1436, 2042, 0}, {156, 2042, 0}},
                     s_colours.ground);
    ObjectDisplay(ObjectTypes3D);
    ObjectDisplay_DrawNameLabels();
}

const std::vector<DrawnScenePerson>& ObjectScene_DrawnPeople() { return s_drawn; }

void ObjectScene_End()
{
    SoftObjectDrawers = {};
    GameScreen_Destroy();
}
