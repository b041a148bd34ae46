// The software view's world: pitch items placed on their corners and goal lines, world models
// drawn by their facing (fronts, backs of double-sided surfaces, transparent texels), the ball
// always at its most detailed level, the point projection the labels and ground marks share, and
// the refusals of rows of no known kind.
#include "vx256/world3d.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/memory.h"
#include "game/matchblocks.h"
#include "tests/support/kit_match.h"
#include "tests/support/menu_run.h"
#include "tools/mkdata/nodwriter.h"
#include "viewservices/viewscreen.h"
#include "vx256/gamepal.h"
#include "vx256/kittextures.h"
#include "vx256/pitch.h"
#include "vx256/polyman.h"
#include "vx256/softspan.h"
#include "vx256/textures.h"

namespace {

constexpr const char* kModels = "vxdata\\software\\test";
constexpr uint8_t kBackground = 7;
constexpr uint8_t kWallColour = 40;
constexpr uint8_t kOtherColour = 41;

std::vector<uint8_t> Texture(uint8_t colour, bool holed = false)
{
    std::vector<uint8_t> bytes = {8, 0, 8, 0};
    for (int32_t i = 0; i < 64; ++i)
        bytes.push_back(holed && i % 2 == 1 ? 0 : colour);
    return bytes;
}

MkNodSurface Quad(std::array<int16_t, 4> corners, uint32_t flags = 0, int16_t texture = 0)
{
    MkNodSurface s;
    s.flags = flags;
    s.corners = corners;
    s.texture = texture;
    s.u = {0, 1, 1, 0};
    s.v = {0, 0, 1, 1};
    return s;
}

// A wall in the plane x = 0, y -1..1, height 0..2, its outward side toward +x.
MkNodModel Wall(uint32_t flags, const char* texture)
{
    MkNodModel m;
    m.points = {{0, -1, 0}, {0, 1, 0}, {0, 1, 2}, {0, -1, 2}};
    m.surfaces = {Quad({0, 1, 2, 3}, flags)};
    m.textures = {texture};
    return m;
}

// A goal part as the world scales it: across -1..1, net back to y -1, bar at height 1.
// Two walls back to back, the front one toward +x in one texture, the back one toward -x in the
// other.
MkNodModel TwoWays()
{
    MkNodModel m;
    m.points = {{0, -1, 0},    {0, 1, 0},      {0, 1, 2},      {0, -1, 2},
                {-0.2f, 1, 0}, {-0.2f, -1, 0}, {-0.2f, -1, 2}, {-0.2f, 1, 2}};
    MkNodSurface back = Quad({4, 5, 6, 7});
    back.texture = 1;
    m.surfaces = {Quad({0, 1, 2, 3}), back};
    m.textures = {"wall.gfx", "other.gfx"};
    return m;
}

MkNodModel UnitGoal()
{
    MkNodModel m;
    m.points = {{-1, 0, 0}, {1, 0, 0}, {1, -1, 1}, {-1, -1, 1}};
    m.surfaces = {Quad({0, 1, 2, 3}, NOD_SURFACE_DOUBLE_SIDED)};
    m.textures = {"wall.gfx"};
    return m;
}

MkNodModel UnitPole()
{
    MkNodModel m;
    m.points = {{0, 0, 0}, {0.05f, 0, 0}, {0, 0, 1}};
    m.surfaces = {Quad({0, 1, 2, -1})};
    m.textures = {"wall.gfx"};
    return m;
}

class WorldFixture {
public:
    WorldFixture()
        : m_archives({
            {std::string(kModels) + "\\wall.nod", MkNodBytes(Wall(0, "wall.gfx"))},
            {std::string(kModels) + "\\twosided.nod",
             MkNodBytes(Wall(NOD_SURFACE_DOUBLE_SIDED, "holed.gfx"))},
            {std::string(kModels) + "\\other.nod", MkNodBytes(Wall(0, "other.gfx"))},
            {std::string(kModels) + "\\twoways.nod", MkNodBytes(TwoWays())},
            {std::string(kModels) + "\\goal.nod", MkNodBytes(UnitGoal())},
            {std::string(kModels) + "\\pole.nod", MkNodBytes(UnitPole())},
            {"vxdata\\software\\test\\tex\\wall.gfx", Texture(kWallColour)},
            {"vxdata\\software\\test\\tex\\holed.gfx", Texture(kWallColour, true)},
            {"vxdata\\software\\test\\tex\\other.gfx", Texture(kOtherColour)},
        })
    {
        *GetMatchSidesBlock() = {};
        GetMatchSidesBlock()->viewMode = VIEW_3D;
        ViewScreen_Init();
        SoftSpan_Init();
        TEXT_ClearTable();
        NORMTEXT_ClearCache();
        GameScreen_Create(640, 480);
        SetViewProjectionFactors();
        Soft_SetViewport(GetGameScreen(), 640, 480);
    }
    ~WorldFixture()
    {
        for (NodRigidModel*& m : m_loaded)
            NOD_FreeWorld1(&m);
        WorldBalls[0] = WorldBalls[1] = nullptr;
        TEXT_ClearTable();
        NORMTEXT_ClearCache();
        GameScreen_Destroy();
        SoftSpan_Uninit();
        ViewScreen_Uninit();
    }
    WorldFixture(const WorldFixture&) = delete;
    WorldFixture& operator=(const WorldFixture&) = delete;

    NodRigidModel* Load(const char* name)
    {
        // The memory manager knows a block by its owner's address: each model keeps its slot.
        NodRigidModel*& model = m_loaded.at(m_count++);
        NOD_LoadWorld1(&model, kModels, name, "test\\tex", 0, 0, NOD_TEXTURES_NAMED);
        return model;
    }
    static void Clear()
    {
        const GameScreenRecord s = GetGameScreen();
        std::fill_n(s.pixels, static_cast<size_t>(s.pitch) * s.height, kBackground);
    }
    static int32_t Count(uint8_t colour)
    {
        const GameScreenRecord s = GetGameScreen();
        return static_cast<int32_t>(
            std::count(s.pixels, s.pixels + static_cast<size_t>(s.pitch) * s.height, colour));
    }

private:
    ScopedArchives m_archives;
    std::array<NodRigidModel*, 8> m_loaded{};
    size_t m_count = 0;
};

void LookAlongX(float eyeX, float targetX)
{
    SetViewCamera(eyeX, 0, 50, std::atan2(eyeX - targetX, 0.0f),
                  std::atan2(-std::abs(eyeX - targetX), 0.0f), 1.0f);
}

TEST(WorldItems, FlagsStandOnTheirCornersAndGoalsOnTheirLinesWithTheNetBehind)
{
    WorldFixture world;
    struct Flag {
        uint32_t bit;
        float x, y;
    };
    const Flag flags[] = {{ITEM_FLAG_FAR_RIGHT, 1436, 2042},
                          {ITEM_FLAG_FAR_LEFT, 156, 2042},
                          {ITEM_FLAG_NEAR_RIGHT, 1436, 122},
                          {ITEM_FLAG_NEAR_LEFT, 156, 122}};
    for (const Flag& f : flags) {
        SCOPED_TRACE(f.bit);
        NodRigidModel* pole = world.Load("pole");
        PlaceWorldItem(pole, f.bit);
        EXPECT_FLOAT_EQ(pole->points[0].x, f.x);
        EXPECT_FLOAT_EQ(pole->points[0].y, f.y);
        EXPECT_FLOAT_EQ(pole->points[0].z, 0);
        EXPECT_FLOAT_EQ(pole->points[2].z, 33.6f);
        const float* n = reinterpret_cast<const float*>(pole->surfaces[0].words);
        EXPECT_NEAR(std::hypot(n[0], n[1], n[2]), 20.0f, 1e-3f);
    }
    struct Goal {
        uint32_t bit;
        float lineY, backY;
    };
    for (const Goal& g : {Goal{ITEM_GOAL_FIRST, 2042, 2072}, Goal{ITEM_GOAL_SECOND, 122, 92}}) {
        SCOPED_TRACE(g.bit);
        NodRigidModel* goal = world.Load("goal");
        PlaceWorldItem(goal, g.bit);
        for (int32_t i = 0; i < goal->pointCount; ++i) {
            const NodPoint& p = goal->points[i];
            EXPECT_GE(p.x, 730.0f - 1e-3f);
            EXPECT_LE(p.x, 862.0f + 1e-3f);
            EXPECT_NEAR(p.y, p.z == 0 ? g.lineY : g.backY, 1e-3f);
            EXPECT_TRUE(p.z == 0 || std::abs(p.z - 50.4f) < 1e-3f);
        }
    }
}

TEST(WorldItemsDeathTest, RowsOfNoKnownKindStopTheProgram)
{
    const auto place = [](uint32_t bits) {
        WorldFixture world;
        PlaceWorldItem(world.Load("pole"), bits);
    };
    EXPECT_DEATH(place(ITEM_FLAG_FAR_RIGHT | 64), "ERROR: ModifyFlagWorld default case hit");
    EXPECT_DEATH(place(0), "ERROR:Create3DWorld -  ModelType not found");
    EXPECT_DEATH(place(64), "ERROR:Create3DWorld -  ModelType not found");
}

TEST(WorldModels, FrontsDrawBacksOnlyWhenDoubleSidedAndTexelZeroIsSeenThrough)
{
    WorldFixture world;
    NodRigidModel* wall = world.Load("wall");
    NodRigidModel* twoSided = world.Load("twosided");
    for (NodRigidModel* m : {wall, twoSided}) {
        World_ComputeNormals(m);
        for (int32_t i = 0; i < m->pointCount; ++i) {
            m->points[i].y *= 100;
            m->points[i].z *= 100;
        }
    }
    struct Case {
        const char* name;
        NodRigidModel* model;
        float eyeX;
        int32_t least, most;  // pixels of the wall's colour
    };
    const Case cases[] = {
        {"single-sided, from the front", wall, 600, 10000, 640 * 480},
        {"single-sided, from behind", wall, -600, 0, 0},
        {"double-sided from behind: half its texels are holes", twoSided, -600, 5000, 640 * 240},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WorldFixture::Clear();
        LookAlongX(c.eyeX, 0);
        DrawWorldModel(c.model);
        const int32_t drawn = WorldFixture::Count(kWallColour);
        EXPECT_GE(drawn, c.least);
        EXPECT_LE(drawn, c.most);
        EXPECT_EQ(drawn + WorldFixture::Count(kBackground),
                  (640 + 2 * GAMESCREEN_MARGIN) * (480 + 2 * GAMESCREEN_MARGIN));
    }
    // Seen from behind, the double-sided wall shows about as many texels as holes within the
    // rectangle it covers.
    const GameScreenRecord s = GetGameScreen();
    int32_t left = s.width, right = -1, top = s.height, bottom = -1;
    for (int32_t y = 0; y < s.height; ++y) {
        for (int32_t x = 0; x < s.width; ++x) {
            if (s.pixels[static_cast<size_t>(y) * s.pitch + x] != kWallColour) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    int32_t texels = 0, holes = 0;
    for (int32_t y = top; y <= bottom; ++y) {
        for (int32_t x = left; x <= right; ++x) {
            const uint8_t p = s.pixels[static_cast<size_t>(y) * s.pitch + x];
            texels += p == kWallColour;
            holes += p == kBackground;
        }
    }
    EXPECT_NEAR(holes, texels, texels / 5);
}

TEST(WorldModels, TheBallIsDrawnWithItsFirstModelNearAndFar)
{
    WorldFixture world;
    WorldBalls[0] = world.Load("wall");
    WorldBalls[1] = world.Load("other");
    for (NodRigidModel* m : {WorldBalls[0], WorldBalls[1]})
        World_ComputeNormals(m);
    for (const float eyeX : {60.0f, 400.0f, 3000.0f}) {
        SCOPED_TRACE(eyeX);
        WorldFixture::Clear();
        LookAlongX(eyeX, 0);
        DrawBallModel(0, 0, 49, 0, 0, 0);
        EXPECT_GT(WorldFixture::Count(kWallColour), 0);
        EXPECT_EQ(WorldFixture::Count(kOtherColour), 0);
    }
    // Turned by its spin, each surface by its own turned normal: half a turn about the vertical
    // shows the back wall instead of the front one.
    WorldBalls[0] = world.Load("twoways");
    World_ComputeNormals(WorldBalls[0]);
    for (const float turn : {0.0f, static_cast<float>(M_PI)}) {
        WorldFixture::Clear();
        LookAlongX(400, 0);
        DrawBallModel(0, 0, 49, turn, 0, 0);
        EXPECT_EQ(WorldFixture::Count(kWallColour) > 0, turn == 0.0f) << turn;
        EXPECT_EQ(WorldFixture::Count(kOtherColour) > 0, turn != 0.0f) << turn;
    }
}

TEST(WorldPoints, AGroundPointLandsWhereThePitchDrawsItAndPointsOutOfViewAreRefused)
{
    WorldFixture world;
    SetViewCamera(1445, 1082, 350, std::atan2(1445.0f - 796, 0.0f),
                  std::atan2(-(1445.0f - 796), -350.0f), 1.5f);
    int32_t checked = 0;
    for (float x = 156; x <= 1436; x += 160) {
        for (float y = 122; y <= 2042; y += 240) {
            int32_t sx = 0, sy = 0;
            const ViewPoint v = Polyman_ToView(x, y, 0);
            const bool inside = Polyman_Outcode(v.x, v.y, v.z) == 0;
            ASSERT_EQ(ProjectWorldPoint(0, x, y, &sx, &sy), inside ? 1 : 0);
            if (!inside) continue;
            const SoftVertex p = Pitch_Project(v.x, v.y, v.z, 0, 0);
            EXPECT_NEAR(sx, ((p.x + 8) >> 4) - 320 + GAMESCREEN_MARGIN, 1);
            EXPECT_NEAR(sy, ((p.y + 8) >> 4) + GAMESCREEN_MARGIN, 1);
            ++checked;
        }
    }
    EXPECT_GT(checked, 20);
    int32_t sx = 0, sy = 0;
    EXPECT_EQ(ProjectWorldPoint(0, 1445, 1082, &sx, &sy), 0);    // under the eye
    EXPECT_EQ(ProjectWorldPoint(0, 2500, 1082, &sx, &sy), 0);    // behind it
    EXPECT_EQ(ProjectWorldPoint(5000, 796, 1082, &sx, &sy), 0);  // far above the view
}

// The whole world from the generated archives, with stand-in goal parts, flags, balls and cone
// of the test's own found first.
class ScopedWorld {
public:
    explicit ScopedWorld(int16_t stands)
        : m_archives({
            {"vxdata\\software\\stadium\\models\\misc\\goal\\Gback.nod", MkNodBytes(UnitGoal())},
            {"vxdata\\software\\stadium\\models\\misc\\goal\\Gtop.nod", MkNodBytes(UnitGoal())},
            {"vxdata\\software\\stadium\\models\\misc\\goal\\Gleft.nod", MkNodBytes(UnitGoal())},
            {"vxdata\\software\\stadium\\models\\misc\\goal\\Gright.nod", MkNodBytes(UnitGoal())},
            {"vxdata\\software\\stadium\\models\\misc\\flag\\flag.nod", MkNodBytes(UnitPole())},
            {"vxdata\\software\\simple\\model\\116ball.nod", MkNodBytes(UnitPole())},
            {"vxdata\\software\\simple\\model\\cone.nod", MkNodBytes(UnitPole())},
            {"vxdata\\software\\stadium\\TEXTURES\\goal00\\wall.gfx",
             Texture(MP_WHITE_ENTRY, true)},
            {"vxdata\\software\\stadium\\TEXTURES\\wall.gfx", Texture(MP_WHITE_ENTRY)},
            {"vxdata\\software\\simple\\textures\\wall.gfx", Texture(MP_WHITE_ENTRY)},
        }),
          m_before(MemoryStats())
    {
        KitMatch_SetUpBlock();
        std::fill_n(GetMatchSidesBlock()->stands, 4, int16_t{0});
        GetMatchSidesBlock()->stands[2] = stands;
        TEXT_ClearTable();
        KIT_ClearTextureTable();
        NORMTEXT_ClearCache();
        KITPLR_LoadAllTextures();
        ViewScreen_Init();
        SoftSpan_Init();
        GameScreen_Create(640, 480);
        SetViewProjectionFactors();
        Soft_SetViewport(GetGameScreen(), 640, 480);
        Create3DWorld();
    }
    ~ScopedWorld()
    {
        FreeWorld();
        GameScreen_Destroy();
        TEXT_ClearTable();
        NORMTEXT_ClearCache();
        SoftSpan_Uninit();
        ViewScreen_Uninit();
        EXPECT_EQ(MemoryStats().blocks, m_before.blocks);
        EXPECT_EQ(MemoryStats().bytes, m_before.bytes);
    }
    ScopedWorld(const ScopedWorld&) = delete;
    ScopedWorld& operator=(const ScopedWorld&) = delete;

private:
    static constexpr uint8_t MP_WHITE_ENTRY = 20;
    ScopedArchives m_archives;
    MemoryStatistics m_before;
};

const char* StadiumTextureName() { return NamedTextureCache[WorldStadium->textures[0].index].name; }

TEST(World, FifteenInTheStandsLoadsTheStadiumSixteenTheBigOneAndFreeWorldFreesBoth)
{
    {
        ScopedWorld world(15);
        EXPECT_EQ(BigStadium, 0);
        EXPECT_NE(std::strstr(StadiumTextureName(), "\\stad2\\"), nullptr) << StadiumTextureName();
        EXPECT_NE(WorldHorizon, nullptr);
        for (const PitchItem& item : PitchItems)
            EXPECT_NE(item.model, nullptr);
        for (NodRigidModel* ball : WorldBalls)
            EXPECT_NE(ball, nullptr);
        EXPECT_NE(SoftObjectDrawers.ball, nullptr);
        EXPECT_NE(Pitch_GrassPlanes(), nullptr);
    }
    {
        ScopedWorld world(16);
        EXPECT_EQ(BigStadium, 1);
        EXPECT_NE(std::strstr(StadiumTextureName(), "\\bigstad\\"), nullptr)
            << StadiumTextureName();
    }
    EXPECT_EQ(WorldStadium, nullptr);
    EXPECT_EQ(SoftObjectDrawers.ball, nullptr);
}

// The world's background from the right touchline camera's place aimed at the centre spot, and
// from high behind a goal: sky, grass, lines, horizon and stands, the goals
// and flags over them.
TEST(World, TheBackgroundFromTwoCamerasMatchesItsGoldenHashes)
{
    struct Shot {
        const char* name;
        int16_t stands;
        float x, y, height, targetX, targetY, zoom;
        uint64_t hash;
    };
    const Shot shots[] = {
        {"world_touchline.png", 10, 1445, 1082, 350, 796, 1082, 1.5f, 0x396cb73f36a929c7ull},
        {"world_big_behind_goal.png", 20, 796, 0, 300, 796, 900, 1.0f, 0xfc54ec9f758a7da4ull},
    };
    uint8_t palette[GFX_PALETTE_BYTES];
    {
        ScopedArchives archives;
        GamePalette_LoadPiece("PALETTES\\ingame\\master", 1, 254, 1);
        GamePalette_LoadPiece("PALETTES\\ingame\\stad", 222, 254, 222);
        std::copy_n(GamePalette, GFX_PALETTE_BYTES, palette);
    }
    for (const Shot& shot : shots) {
        ScopedWorld world(shot.stands);
        const float yaw = std::atan2(shot.x - shot.targetX, shot.y - shot.targetY);
        const float ground = std::hypot(shot.x - shot.targetX, shot.y - shot.targetY);
        SetViewCamera(shot.x, shot.y, shot.height, yaw, std::atan2(-ground, -shot.height),
                      shot.zoom);
        DrawWorldBackground();
        for (int32_t item = 0; item < OBJECT_PITCH_ITEMS; ++item)
            if (SoftObjectDrawers.itemDepth(item) > 0) SoftObjectDrawers.itemDraw(item);
        const GameScreenRecord s = GetGameScreen();
        uint64_t hash = 0xcbf29ce484222325ull;
        std::vector<uint8_t> rgb;
        for (int32_t y = GAMESCREEN_MARGIN; y < GAMESCREEN_MARGIN + 480; ++y) {
            for (int32_t x = GAMESCREEN_MARGIN; x < GAMESCREEN_MARGIN + 640; ++x) {
                const uint8_t p = s.pixels[static_cast<size_t>(y) * s.pitch + x];
                hash = (hash ^ p) * 0x100000001b3ull;
                for (int32_t c = 0; c < 3; ++c)
                    rgb.push_back(static_cast<uint8_t>(palette[p * 3 + c] * 4));
            }
        }
        if (hash != shot.hash)
            ADD_FAILURE() << shot.name << std::hex << " 0x" << hash << " written to "
                          << WriteTestOutputPng(shot.name, 640, 480, rgb);
    }
}

}  // namespace
