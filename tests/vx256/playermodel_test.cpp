// Posing the people models: at rest they are their bodies turned and moved; the head's own turn
// moves the head alone, either way; a loaded set frees back to nothing.
#include "vx256/playermodel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "generic/kittextures.h"
#include "generic/viewscreen.h"
#include "tests/support/kit_match.h"
#include "tests/support/menu_run.h"
#include "tests/support/object_scene.h"
#include "tests/support/support.h"
#include "tools/mkdata/motions.h"
#include "tools/mkdata/skeleton.h"
#include "vx256/objects.h"
#include "vx256/softspan.h"
#include "vx256/textures.h"

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
    };
    for (const Case& c : {Case{0, 0, 0}, Case{1, 2, 64}, Case{2, 5, 160}, Case{0, 4, 255}}) {
        NodSkinnedModel& m = PlayerModels[c.kind][c.level];
        ASSERT_GT(m.pointCount, 0);
        const std::vector<NodWorkPoint> rest = Rest(m);
        PlayerModel_Pose(&m, nullptr, 0, 100, 200, 3, c.facing);
        const float t = static_cast<float>(c.facing) * std::numbers::pi_v<float> / 128;
        for (int32_t i = 0; i < m.pointCount; ++i) {
            const NodWorkPoint& w = *m.pointVertex[i];
            const NodWorkPoint& r = rest[i];
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
TEST(PlayerModel, FromEachAxisTheFacingSurfacesAreFrontAndTheRestHidden)
{
    ScopedPlayerModels models;
    NodSkinnedModel& m = PlayerModels[0][0];
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
            if (m.surfaces[i].doubleSided != 0) {
                EXPECT_EQ(one[i] == NOD_FRONT, other == NOD_BACK) << axis << " " << i;
                continue;
            }
            EXPECT_NE(one[i], NOD_BACK);
            // A face seen edge-on counts as facing from both sides.
            const NodWorkPoint& a = *m.surfaces[i].vertices[0];
            const NodWorkPoint& b = *m.surfaces[i].vertices[1];
            const NodWorkPoint& c = *m.surfaces[i].vertices[2];
            const float n[3] = {(b.y - a.y) * (c.z - a.z) - (b.z - a.z) * (c.y - a.y),
                                (b.z - a.z) * (c.x - a.x) - (b.x - a.x) * (c.z - a.z),
                                (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x)};
            const float along = std::abs(n[axis / 2]) / std::hypot(n[0], n[1], n[2]);
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
        const std::string name = m.textures[m.surfaces[i].texture].name;
        if (name == "faceF.GFX") {
            EXPECT_EQ(m.surfaces[i].state, NOD_FRONT) << i;
        }
        if (name == "faceb.GFX" && m.surfaces[i].state == NOD_FRONT) ++faces;
    }
    EXPECT_EQ(faces, 0);
}

// The referee drawn through the touchline camera in his kit: his card shows only while he
// shows it, yellow and red differently.
TEST(PlayerModel, TheRefereesCardShowsOnlyInStatesEightAndNine)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    KitMatch_SetUpBlock();
    TEXT_ClearTable();
    KIT_ClearTextureTable();
    NORMTEXT_ClearCache();
    KITPLR_LoadAllTextures();
    LoadPlayerModels();
    ViewScreen_Init();
    SoftSpan_Init();
    RenderList[OBJECT_BALL] = {1250, 0, 1082, 0, 0, 0, 0};
    ObjectScene_Begin();
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
    ObjectScene_End();
    SoftSpan_Uninit();
    ViewScreen_Uninit();
    FreePlayerModels();
    TEXT_FreeKitTextures();
}

}  // namespace
