// Posing the people models: at rest they are their bodies turned and moved; the head's own turn
// moves the head alone, either way; a loaded set frees back to nothing.
#include "vx256/playermodel.h"

#include <cmath>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

class ScopedPlayerModels {
public:
    ScopedPlayerModels()
    {
        ResetCoreForTest();
        MemoryInit();
        PakFileInit();
        DataFolderInit(ScopedMenus::GeneratedDataFolder().c_str());
        PakMount("pakfiles\\hdcommon");
        PakMount("pakfiles\\cdcommon");
        before = MemoryStats();
        LoadPlayerModels();
    }
    ~ScopedPlayerModels()
    {
        FreePlayerModels();
        EXPECT_EQ(MemoryStats().blocks, before.blocks);
        EXPECT_EQ(MemoryStats().bytes, before.bytes);
        PakFileUninit();
        MemoryUninit();
        ResetCoreForTest();
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

}  // namespace
