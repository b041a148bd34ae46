// Posing the people models: at rest they are their bodies turned and moved; the head's own turn
// moves the head alone, either way; a loaded set frees back to nothing.
#include "vx256/playermodel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/blocks.h"
#include "engine/dxdraw.h"
#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "menus/menupc.h"
#include "tests/support/menu_run.h"
#include "tests/support/object_scene.h"
#include "tests/support/people_view.h"
#include "tests/support/support.h"
#include "tools/mkdata/motions.h"
#include "tools/mkdata/skeleton.h"
#include "viewservices/viewscreen.h"
#include "vx256/gamepal.h"
#include "vx256/kittextures.h"
#include "vx256/mgraphic.h"
#include "vx256/objects.h"
#include "vx256/polyman.h"
#include "vx256/softspan.h"

namespace {

// The models loaded from the generated archives, and freed back to the memory they found.
class ScopedPlayerModels : public ScopedArchives {
public:
    ScopedPlayerModels() : before(MemoryStats()) { LoadPlayerModels(); }
    ~ScopedPlayerModels()
    {
        FreePlayerModels();
        EXPECT_EQ(MemoryStats().blocks, before.blocks);
        EXPECT_EQ(MemoryStats().bytes, before.bytes);
    }
    MemoryStatistics before;
};

// Each point at rest relative to the root: its offset hung from its parent, parents first.
std::vector<NodWorkPoint> Rest(const NodSkinnedModel& m)
{
    std::vector<NodWorkPoint> rest(m.pointCount);
    for (int32_t i = 0; i < m.pointCount; ++i) {
        const NodSkinnedPoint& p = m.points[i];
        rest[i] = {p.x, p.y, p.z, 0};
        if (i < static_cast<int32_t>(m.leadingPoints)) continue;
        const NodWorkPoint& parent = rest[m.jointPoints[p.joint]];
        rest[i] = {p.x + parent.x, p.y + parent.y, p.z + parent.z, 0};
    }
    return rest;
}

TEST(PlayerModel, AtRestTheBodyIsTurnedAndMovedWhole)
{
    ScopedPlayerModels models;
    struct Case {
        int32_t kind;
        int32_t level;
        int32_t facing;
        float limbScale;  // the 2D view's people: every limb 2.5 times as long
    };
    for (const Case& c : {Case{0, 0, 0, 1}, Case{1, 2, 64, 1}, Case{2, 5, 160, 1},
                          Case{0, 4, 255, 1}, Case{1, 5, 96, 2.5f}}) {
        NodSkinnedModel& m = PlayerModels[c.kind][c.level];
        ASSERT_GT(m.pointCount, 0);
        const std::vector<NodWorkPoint> rest = Rest(m);
        PlayerModel_Pose(&m, nullptr, 0, 100, 200, 3, c.facing, c.limbScale);
        const float t = static_cast<float>(c.facing) * std::numbers::pi_v<float> / 128;
        for (int32_t i = 0; i < m.pointCount; ++i) {
            const NodWorkPoint& w = *m.pointVertex[i];
            const NodWorkPoint r = {rest[i].x * c.limbScale, rest[i].y * c.limbScale,
                                    rest[i].z * c.limbScale, 0};
            EXPECT_NEAR(w.x, 100 + r.x * std::cos(t) - r.y * std::sin(t), 1e-3) << i;
            EXPECT_NEAR(w.y, 200 + r.x * std::sin(t) + r.y * std::cos(t), 1e-3) << i;
            EXPECT_NEAR(w.z, 3 + 17 + r.z, 1e-3) << i;
        }
    }
}

TEST(PlayerModel, TheHeadAngleTurnsTheHeadAloneAndBelowZeroTheOtherWay)
{
    ScopedPlayerModels models;
    NodSkinnedModel& m = PlayerModels[0][0];
    const std::vector<NodWorkPoint> rest = Rest(m);
    const NodWorkPoint neck = rest[m.jointPoints[PLAYER_MODEL_HEAD_JOINT]];
    const MotionFrame frame = {{0, 0, 17}, {}, {}, {}};
    for (const int32_t angle : {40, -40}) {
        PlayerModel_Pose(&m, &frame, angle, 0, 0, 0, 0);
        const float t = static_cast<float>(angle) * 2 * std::numbers::pi_v<float> / 256;
        int32_t headPoints = 0;
        for (int32_t i = 0; i < m.pointCount; ++i) {
            const NodWorkPoint& w = *m.pointVertex[i];
            NodWorkPoint expected = rest[i];
            if (m.points[i].joint == PLAYER_MODEL_HEAD_JOINT
                && i >= static_cast<int32_t>(m.leadingPoints)) {
                const float dx = rest[i].x - neck.x;
                const float dy = rest[i].y - neck.y;
                expected.x = neck.x + dx * std::cos(t) - dy * std::sin(t);
                expected.y = neck.y + dx * std::sin(t) + dy * std::cos(t);
                ++headPoints;
            }
            EXPECT_NEAR(w.x, expected.x, 1e-3) << angle << " " << i;
            EXPECT_NEAR(w.y, expected.y, 1e-3) << angle << " " << i;
            EXPECT_NEAR(w.z, expected.z + 17, 1e-3) << angle << " " << i;
        }
        EXPECT_GT(headPoints, 10);
    }
}

// Posed from clip frames, every joint lands where mkdata's own posing of the skeleton put it when
// it set the frame's root height and ball point.
TEST(PlayerModel, ClipFramesPoseTheJointsAsTheClipsWereMade)
{
    ScopedPlayerModels models;
    LoadMotionCaptures();
    NodSkinnedModel& m = PlayerModels[1][0];
    for (const int32_t clip : {12, 26, 51, 68, 115, 135}) {
        for (int32_t f = 0; f < GetMotionFrameCount(clip); f += 7) {
            const MotionFrame& frame = *MotionCap_Frame(clip, f);
            Vec3 joints[MK_BODY_POINTS];
            MkPoseBody(frame.angles, joints);
            PlayerModel_Pose(&m, &frame, 0, 0, 0, 0, 0);
            for (int32_t j = 1; j < MK_JOINT_COUNT; ++j) {
                const NodWorkPoint& w = *m.pointVertex[m.jointPoints[j]];
                EXPECT_NEAR(w.x, joints[j].x, 1e-3) << clip << " " << f << " " << j;
                EXPECT_NEAR(w.y, joints[j].y, 1e-3) << clip << " " << f << " " << j;
                EXPECT_NEAR(w.z, joints[j].z + frame.root[2], 1e-3) << clip << " " << f << " " << j;
            }
        }
    }
    FreeMotionCaptures();
}

// From far off on each axis, a surface faces the eye on one side and is hidden from the other,
// and from in front of him his face is seen and the back of his head is not.
// A closed model seen from a camera on each of six axes: the faces toward the camera are front,
// the rest hidden (a double-sided face shows its back); from in front of him (he faces -x) his
// face shows and the back of his head does not.
void ExpectOutsideFacesFromEachAxis(NodSkinnedModel& m)
{
    PlayerModel_Pose(&m, nullptr, 0, 0, 0, 0, 0);
    const ViewPoint eyes[] = {{-1000, 0, 15}, {1000, 0, 15}, {0, -1000, 15},
                              {0, 1000, 15},  {0, 0, 1000},  {0, 0, -1000}};
    for (int32_t axis = 0; axis < 6; axis += 2) {
        std::vector<uint8_t> one;
        PlayerModel_MarkSurfaces(&m, eyes[axis]);
        for (int32_t i = 0; i < m.surfaceCount; ++i)
            one.push_back(m.surfaces[i].state);
        PlayerModel_MarkSurfaces(&m, eyes[axis + 1]);
        int32_t front = 0;
        for (int32_t i = 0; i < m.surfaceCount; ++i) {
            const uint8_t other = m.surfaces[i].state;
            // A face seen edge-on counts as facing from both sides.
            const NodWorkPoint& a = *m.surfaces[i].vertices[0];
            const NodWorkPoint& b = *m.surfaces[i].vertices[1];
            const NodWorkPoint& c = *m.surfaces[i].vertices[2];
            const float n[3] = {(b.y - a.y) * (c.z - a.z) - (b.z - a.z) * (c.y - a.y),
                                (b.z - a.z) * (c.x - a.x) - (b.x - a.x) * (c.z - a.z),
                                (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x)};
            const float along = std::abs(n[axis / 2]) / std::hypot(n[0], n[1], n[2]);
            if (m.surfaces[i].doubleSided != 0) {
                if (along > 0.05f) {
                    EXPECT_EQ(one[i] == NOD_FRONT, other == NOD_BACK) << axis << " " << i;
                }
                continue;
            }
            EXPECT_NE(one[i], NOD_BACK);
            if (one[i] == NOD_FRONT && along > 0.05f) {
                EXPECT_EQ(other, NOD_HIDDEN) << axis << " " << i;
                const float toward[3] = {eyes[axis].x, eyes[axis].y, eyes[axis].z};
                EXPECT_GT(n[axis / 2] * toward[axis / 2], 0) << axis << " " << i;
            }
            front += one[i] == NOD_FRONT;
        }
        EXPECT_GT(front, m.surfaceCount / 5) << axis;
    }
    PlayerModel_MarkSurfaces(&m, eyes[0]);  // in front: he faces -x
    int32_t faces = 0;
    for (int32_t i = 0; i < m.surfaceCount; ++i) {
        if (m.surfaces[i].texture < 0) continue;
        const std::string name = m.textures[m.surfaces[i].texture].name;
        if (name == "faceF.GFX") {
            EXPECT_EQ(m.surfaces[i].state, NOD_FRONT) << i;
        }
        if (name == "faceb.GFX" && m.surfaces[i].state == NOD_FRONT) ++faces;
    }
    EXPECT_EQ(faces, 0);
}

TEST(PlayerModel, FromEachAxisTheFacingSurfacesAreFrontAndTheRestHidden)
{
    ScopedPlayerModels models;
    for (int32_t kind = 0; kind < PLAYER_MODEL_KINDS; ++kind)
        for (int32_t level = 0; level < PLAYER_MODEL_LEVELS; ++level) {
            SCOPED_TRACE(std::to_string(kind) + " level " + std::to_string(level));
            ExpectOutsideFacesFromEachAxis(PlayerModels[kind][level]);
        }
}

// The referee drawn through the touchline camera in his kit: his card shows only while he
// shows it, yellow and red differently.
TEST(PlayerModel, TheRefereesCardShowsOnlyInStatesEightAndNine)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    RenderList[OBJECT_BALL] = {1250, 0, 1082, 0, 0, 0, 0};
    ScopedPeopleView view;
    // A camera 40 units in front of him at his chest's height.
    SetViewCamera(1290, 1082, 18, std::atan2(40.0f, 0.0f), std::atan2(-40.0f, -4.0f), 1.1f);
    RenderList[32] = {1250, 0, 1082, 0, 0, 128, 0};  // facing the camera
    const auto draw = [](int16_t state) {
        MatchPersons[32].action = state;
        const GameScreenRecord screen = GetGameScreen();
        std::fill(screen.pixels, screen.pixels + screen.pitch * screen.height, 0);
        DrawPlayerModel(32, 2, 0, MOTION_ABSENT);
        return std::vector<uint8_t>(screen.pixels, screen.pixels + screen.pitch * screen.height);
    };
    const std::vector<uint8_t> plain = draw(0);
    const std::vector<uint8_t> yellow = draw(8);
    const std::vector<uint8_t> red = draw(9);
    EXPECT_GT(std::count_if(plain.begin(), plain.end(), [](uint8_t p) { return p != 0; }), 500);
    EXPECT_EQ(draw(7), plain);
    EXPECT_NE(yellow, plain);
    EXPECT_NE(red, yellow);
    // Each card in its own colours: the middle texel of its texture is drawn, the other's not.
    const auto middle = [](const char* part) {
        const SoftTextureHeader* t = KIT_GetPersonTexture(32, KITPLR_GetTextureIndexFromName(part));
        return reinterpret_cast<const uint8_t*>(t + 1)[t->width * (t->height / 2) + t->width / 2];
    };
    const uint8_t yellowTexel = middle("CARDyel.GFX");
    const uint8_t redTexel = middle("CARDred.GFX");
    ASSERT_NE(yellowTexel, redTexel);
    EXPECT_NE(std::find(yellow.begin(), yellow.end(), yellowTexel), yellow.end());
    EXPECT_EQ(std::find(yellow.begin(), yellow.end(), redTexel), yellow.end());
    EXPECT_NE(std::find(red.begin(), red.end(), redTexel), red.end());
    size_t changed = 0;
    for (size_t i = 0; i < plain.size(); ++i)
        changed += yellow[i] != plain[i];
    EXPECT_LT(changed, plain.size() / 20);  // a card, not a body
}

// Sort groups from either side: seen from his right, his right arm is drawn over his torso; seen
// from his left, the torso (or the nearer left arm) hides it. Each part is painted one colour of
// its own, and the pixel under the middle of the right upper arm tells which part is in front.
TEST(PlayerModel, ANearArmCoversTheTorsoAndAFarOneIsCovered)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    ScopedPeopleView view;
    constexpr uint8_t kRightArm = 201, kTorso = 202, kLeftArm = 203;
    const std::pair<const char*, uint8_t> paints[] = {
        {"uparmr", kRightArm}, {"uparml", kLeftArm}, {"forearm", kLeftArm},
        {"hand", kLeftArm},    {"shirtfr", kTorso},  {"shirtbac", kTorso},
        {"shirtsl", kTorso},   {"shirtsr", kTorso},  {"shirttop", kTorso}};
    for (const auto& [part, colour] : paints) {
        SoftTextureHeader* t = KIT_GetPersonTexture(
            3, KITPLR_GetTextureIndexFromName((part + std::string(".GFX")).c_str()));
        ASSERT_NE(t, nullptr) << part;
        std::fill_n(reinterpret_cast<uint8_t*>(t + 1), t->width * t->height, colour);
    }
    NodSkinnedModel& m = PlayerModels[0][0];
    RenderList[3] = {1250, 0, 1082, 0, 0, 0, 0};  // at rest, facing -x: his right toward +y
    for (const float side : {1.0f, -1.0f}) {
        SetViewCamera(1250, 1082 + 40 * side, 18, std::atan2(0.0f, 40.0f * side),
                      std::atan2(-40.0f, -4.0f), 1.1f);
        const GameScreenRecord screen = GetGameScreen();
        std::fill(screen.pixels, screen.pixels + screen.pitch * screen.height, 0);
        DrawPlayerModel(3, 0, 0, MOTION_ABSENT);
        // The work points are left in view space: the upper arm's middle, projected.
        const NodWorkPoint& shoulder = *m.pointVertex[m.jointPoints[MK_JOINT_RIGHT_UPPER_ARM]];
        const NodWorkPoint& elbow = *m.pointVertex[m.jointPoints[MK_JOINT_RIGHT_FOREARM]];
        const PolyVertex middle = {(shoulder.x + elbow.x) / 2, (shoulder.y + elbow.y) / 2,
                                   (shoulder.z + elbow.z) / 2, 0, 0};
        SoftVertex at;
        ProjectVertices(&middle, &at, 1, VertexOrder::AsStored);
        const int32_t x = at.x / 16 + GAMESCREEN_MARGIN, y = at.y / 16 + GAMESCREEN_MARGIN;
        ASSERT_TRUE(x > 0 && x < screen.width && y > 0 && y < screen.height) << x << "," << y;
        const uint8_t seen = screen.pixels[y * screen.pitch + x];
        if (side > 0) {
            EXPECT_EQ(seen, kRightArm);
        } else {
            EXPECT_TRUE(seen == kTorso || seen == kLeftArm) << int{seen};
        }
    }
}

// The skeleton shadow's table follows the body segments it names in every kind's flat model.
TEST(PlayerModel, TheSkeletonShadowFollowsTorsoLegsAndArms)
{
    ScopedPlayerModels models;
    const std::vector<std::vector<int32_t>> segments = {
        {MK_JOINT_PELVIS, MK_JOINT_CHEST},
        {MK_JOINT_LEFT_THIGH, MK_JOINT_LEFT_SHIN},
        {MK_JOINT_RIGHT_THIGH, MK_JOINT_RIGHT_SHIN},
        {MK_JOINT_LEFT_UPPER_ARM, MK_JOINT_LEFT_FOREARM, MK_JOINT_RIGHT_UPPER_ARM,
         MK_JOINT_RIGHT_FOREARM}};
    for (int32_t kind = 0; kind < PLAYER_MODEL_KINDS; ++kind) {
        const NodSkinnedModel& m = PlayerModels[kind][PLAYER_MODEL_FLAT_LEVEL];
        for (int32_t p = 0; p < PLAYER_SHADOW_POLYGONS; ++p) {
            std::vector<int32_t> joints;
            for (const int32_t point : PlayerModel_ShadowPolygons[kind][p]) {
                ASSERT_LT(point, m.pointCount);
                joints.push_back(m.points[point].joint);
            }
            for (const int32_t joint : segments[p])
                EXPECT_NE(std::find(joints.begin(), joints.end(), joint), joints.end())
                    << kind << " " << p;
            for (const int32_t joint : joints)
                EXPECT_NE(std::find(segments[p].begin(), segments[p].end(), joint),
                          segments[p].end())
                    << p;
        }
    }
}

// The people's ground shadows from the touchline camera: only the shadow colour is written; the
// flat one is centred on its ground point; the skeleton's falls toward the near touchline, and
// farther the higher the man.
TEST(PlayerModel, ShadowsLieOnTheGroundInTheShadowColour)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    LoadPlayerModels();
    LoadMotionCaptures();
    ViewScreen_Init();
    MGraphic_Init();
    SoftSpan_Init();
    RenderList[OBJECT_BALL] = {1250, 0, 1082, 0, 0, 0, 0};
    ObjectScene_Begin();
    SetViewCamera(1330, 1082, 30, std::atan2(80.0f, 0.0f), std::atan2(-80.0f, -30.0f), 1.1f);
    const GameScreenRecord screen = GetGameScreen();
    struct Box {
        int32_t pixels = 0;
        double x = 0, y = 0;  // the middle of the drawn pixels
    };
    const auto draw = [&](const auto& drawer) {
        std::fill(screen.pixels, screen.pixels + screen.pitch * screen.height, 0);
        drawer();
        Box box;
        for (int32_t y = 0; y < screen.height; ++y) {
            for (int32_t x = 0; x < screen.width; ++x) {
                const uint8_t p = screen.pixels[y * screen.pitch + x];
                if (p == 0) continue;
                EXPECT_EQ(p, GAMEPAL_SHADOW_COLOUR);
                ++box.pixels;
                box.x += x;
                box.y += y;
            }
        }
        if (box.pixels > 0) box = {box.pixels, box.x / box.pixels, box.y / box.pixels};
        return box;
    };
    const ViewPoint v = Polyman_ToView(1250, 1082, 0);
    const PolyVertex foot = {v.x, v.y, v.z, 0, 0};
    SoftVertex footScreen;
    ProjectVertices(&foot, &footScreen, 1, VertexOrder::AsStored);
    const double footX = footScreen.x / 16.0 + GAMESCREEN_MARGIN;
    const double footY = footScreen.y / 16.0 + GAMESCREEN_MARGIN;

    const auto under = [&] {
        return screen
            .pixels[static_cast<int32_t>(footY) * screen.pitch + static_cast<int32_t>(footX)];
    };
    const Box person = draw([] { DrawFlatShadow(1250, 1082, 5.0f, 12.5f); });
    EXPECT_EQ(under(), GAMEPAL_SHADOW_COLOUR);
    const Box ball = draw([] { DrawFlatShadow(1250, 1082, 4.0f, 4.0f); });
    EXPECT_EQ(under(), GAMEPAL_SHADOW_COLOUR);
    EXPECT_GT(person.pixels, ball.pixels);
    EXPECT_GT(ball.pixels, 10);

    RenderList[3] = {1250, 0, 1082, 0, 0, 64, 0};
    const Box standing = draw([] { DrawSkeletonShadow(3); });
    RenderList[3].height = 20;
    const Box jumping = draw([] { DrawSkeletonShadow(3); });
    EXPECT_GT(standing.pixels, 50);
    EXPECT_GT(standing.y, footY + 2);  // toward the camera's touchline, below the feet
    EXPECT_GT(jumping.y, standing.y + 2);
    ObjectScene_End();
    SoftSpan_Uninit();
    MGraphic_Uninit();
    ViewScreen_Uninit();
    FreeMotionCaptures();
    FreePlayerModels();
}

// A label is drawn whole or not at all: swept across the screen, the drawn ones reach to one
// pixel inside each edge of the game screen and never touch it.
TEST(PlayerModel, NameLabelsStayWhollyInsideTheGameScreen)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    ViewScreen_Init();
    RenderList[OBJECT_BALL] = {1250, 0, 1082, 0, 0, 0, 0};
    ObjectScene_Begin();
    SetViewCamera(1330, 1082, 30, std::atan2(80.0f, 0.0f), std::atan2(-80.0f, -30.0f), 1.1f);
    constexpr int32_t kWidth = 200, kHeight = 8;
    CreateBuffer(&NameStrip.buffer, 300, kHeight);
    std::fill(NameStrip.buffer->memory, NameStrip.buffer->memory + 300 * kHeight, 7);
    NameStrip.startX[5] = 40;
    NameStrip.width[5] = kWidth;
    const GameScreenRecord screen = GetGameScreen();
    int32_t leftmost = screen.width, rightmost = -1, drawn = 0;
    for (float y = 900; y < 1264; y += 0.125f) {
        RenderList[5] = {1250, 0, y, 0, 0, 0, 0};
        std::fill(screen.pixels, screen.pixels + screen.pitch * screen.height, 0);
        DrawNameLabel(5);
        int32_t left = screen.width, right = -1, count = 0;
        for (int32_t r = 0; r < screen.height; ++r) {
            for (int32_t x = 0; x < screen.width; ++x) {
                if (screen.pixels[r * screen.pitch + x] == 0) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                ++count;
            }
        }
        if (count == 0) continue;
        ASSERT_EQ(count, kWidth * kHeight) << y;
        leftmost = std::min(leftmost, left);
        rightmost = std::max(rightmost, right);
        ++drawn;
    }
    EXPECT_GT(drawn, 100);
    EXPECT_EQ(leftmost, 1);
    EXPECT_EQ(rightmost, screen.width - 2);
    FreePlayerNames();
    ObjectScene_End();
    ViewScreen_Uninit();
}

// The 2D view's people on the menu screen, each side in its own three colours from the
// getters, the skin and boots in the model's own.
TEST(PlayerModel, FlatPeopleWearTheirSidesColours)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    LoadPlayerModels();
    SetViewSize(640, 480);
    SetViewProjectionFactors();
    SetViewCamera(1850, 1082, 100, std::atan2(600.0f, 0.0f), std::atan2(-600.0f, -60.0f), 1.0f);
    FlatPersonColours = {[](int32_t side) { return static_cast<uint16_t>(0x1000 + side); },
                         [](int32_t side) { return static_cast<uint16_t>(0x2000 + side); },
                         [](int32_t side) { return static_cast<uint16_t>(0x3000 + side); }};
    const auto colours = [](int32_t object, int32_t kind) {
        std::fill(MenuScreen.workScreen,
                  MenuScreen.workScreen + MenuScreen.width * MenuScreen.height * 2, 0);
        RenderList[object] = {1250, 0, 1082, 0, 0, 32, 0};
        DrawFlatPlayerModel(object, kind);
        const auto* p = reinterpret_cast<const uint16_t*>(MenuScreen.workScreen);
        std::vector<uint16_t> seen(p, p + MenuScreen.width * MenuScreen.height);
        std::sort(seen.begin(), seen.end());
        seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
        return seen;
    };
    const std::vector<uint16_t> home = colours(3, 0), away = colours(20, 0);
    const std::vector<uint16_t> keeper = colours(16, 1), referee = colours(32, 2);
    const auto has = [](const std::vector<uint16_t>& v, uint16_t c) {
        return std::find(v.begin(), v.end(), MenuScreenColour(c)) != v.end();
    };
    for (int32_t k = 1; k <= 3; ++k) {
        const auto c = static_cast<uint16_t>(0x1000 * k);
        EXPECT_TRUE(has(home, c) && !has(home, c + 1)) << k;
        EXPECT_TRUE(has(away, c + 1) && !has(away, c)) << k;
        EXPECT_TRUE(has(referee, c + 2)) << k;
    }
    EXPECT_TRUE(has(keeper, 0x1001));
    EXPECT_TRUE(has(home, 0xE570));  // "R228G176B136", the skin
    FlatPersonColours = {};
    FreePlayerModels();
}

}  // namespace
