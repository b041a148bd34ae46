// The generated people models, loaded from the data archives as the view loads them: their
// levels, dressing and sort groups, and the skinned layout posed at rest giving back the body.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "tools/mkdata/models3d.h"
#include "tools/mkdata/people.h"
#include "vx256/nod.h"

namespace {

bool IsKeeperPart(const std::string& name)
{
    return name[0] == 'k' || name.rfind("sleve", 0) == 0 || name.rfind("glove", 0) == 0;
}

// Every point at rest: a point's offset plus its parent's rest position, parents first.
std::vector<Vec3> RestPoints(const NodSkinnedModel& m)
{
    std::vector<Vec3> rest(m.pointCount);
    for (int32_t i = 0; i < m.pointCount; ++i) {
        const NodSkinnedPoint& p = m.points[i];
        rest[i] = {p.x, p.y, p.z};
        if (i < static_cast<int32_t>(m.leadingPoints)) continue;
        const Vec3& parent = rest[m.jointPoints[p.joint]];
        rest[i] = {p.x + parent.x, p.y + parent.y, p.z + parent.z};
    }
    return rest;
}

bool Before(const Vec3& a, const Vec3& b)
{
    const auto key = [](const Vec3& v) {
        return std::make_tuple(std::round(v.x * 1000), std::round(v.y * 1000),
                               std::round(v.z * 1000));
    };
    return key(a) < key(b);
}

TEST(PeopleModels, EveryLevelLoadsDressedGroupedAndPosesBackToItsBody)
{
    ScopedArchives archives;
    const char* kinds[] = {"player", "keeper", "referee"};
    const int32_t polygons[] = {500, 300, 200, 100, 60, 60};
    for (int32_t kind = 0; kind < 3; ++kind) {
        for (int32_t level = 0; level < 6; ++level) {
            const std::string name = std::string(kinds[kind]) + "\\"
                                     + std::to_string(polygons[level])
                                     + (level == 5 ? "fill.nod" : "man.nod");
            SCOPED_TRACE(name);
            NodSkinnedModel m{};
            NOD_LoadWorld(&m, name.c_str(), MK_PEOPLE_MODEL_DIRECTORY,
                          level == 5 ? NOD_TEXTURES_UNRESOLVED : NOD_TEXTURES_KIT);
            EXPECT_NEAR(m.surfaceCount, polygons[level], polygons[level] / 10);
            EXPECT_LE(m.startCount, NOD_MAX_START_POINTS);
            EXPECT_EQ(m.highestJoint, 21);
            int32_t cards = 0;
            for (int32_t s = 0; s < m.surfaceCount; ++s) {
                const NodTexture& t = m.textures[m.surfaces[s].texture];
                if (level == 5) {
                    EXPECT_EQ(t.type, NOD_TEXTURE_COLOUR) << t.name;
                    continue;
                }
                EXPECT_EQ(t.type, NOD_TEXTURE_KIT_PART) << t.name;
                EXPECT_EQ(IsKeeperPart(t.name), kind == 1 && IsKeeperPart(t.name)) << t.name;
                if (std::strncmp(t.name, "CARD", 4) == 0) {
                    ++cards;
                    EXPECT_EQ(m.surfaces[s].doubleSided, 0xFF);
                }
            }
            if (level < 5) {
                EXPECT_EQ(cards, kind == 2 ? 1 : 0);
            }
            // Each group's surfaces lie in one joint's segment, groups in stored order.
            for (int32_t g = 0; g < m.startCount; ++g) {
                EXPECT_LE(m.startPoints[g], m.endPoints[g]);
                if (g > 0) {
                    EXPECT_EQ(m.startPoints[g], m.endPoints[g - 1] + 1);
                }
            }
            EXPECT_EQ(m.endPoints[m.endCount - 1], static_cast<uint32_t>(m.surfaceCount - 1));

            // At rest the points are the body's: the same set as the 3D device's model.
            const MkModel body = MkPersonModel(kind, polygons[level]);
            std::vector<Vec3> expected;
            for (size_t i = 0; i < body.points.size(); ++i)
                if (i != 1)
                    expected.push_back({body.points[i].x, body.points[i].y, body.points[i].z});
            std::vector<Vec3> rest = RestPoints(m);
            ASSERT_EQ(rest.size(), expected.size());
            std::sort(rest.begin(), rest.end(), Before);
            std::sort(expected.begin(), expected.end(), Before);
            for (size_t i = 0; i < rest.size(); ++i) {
                EXPECT_NEAR(rest[i].x, expected[i].x, 1e-3) << i;
                EXPECT_NEAR(rest[i].y, expected[i].y, 1e-3) << i;
                EXPECT_NEAR(rest[i].z, expected[i].z, 1e-3) << i;
            }
            NOD_FreeSkinned(&m);
        }
    }
}

}  // namespace
