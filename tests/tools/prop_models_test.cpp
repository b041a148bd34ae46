// The generated props, loaded from the data archives as the software view loads them and placed
// as its world places them: where the goal parts, the flag and the ball end up, which way their
// faces look, and the palette entries their textures use.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/vecmath.h"
#include "gamecode/pitch.h"
#include "tests/support/kit_match.h"
#include "tests/support/menu_run.h"
#include "tools/mkdata/propmodels.h"
#include "vx256/kittextures.h"
#include "vx256/nod.h"
#include "vx256/softspan.h"
#include "vx256/textures.h"

namespace {

struct Bounds {
    Vec3 lo{1e9f, 1e9f, 1e9f};
    Vec3 hi{-1e9f, -1e9f, -1e9f};
};

Bounds BoundsOf(const NodRigidModel& m, const Vec3& scale)
{
    Bounds b;
    for (int32_t i = 0; i < m.pointCount; ++i) {
        const Vec3 p = {m.points[i].x * scale.x, m.points[i].y * scale.y, m.points[i].z * scale.z};
        b.lo = {std::min(b.lo.x, p.x), std::min(b.lo.y, p.y), std::min(b.lo.z, p.z)};
        b.hi = {std::max(b.hi.x, p.x), std::max(b.hi.y, p.y), std::max(b.hi.z, p.z)};
    }
    return b;
}

// Every face of a closed solid looks away from its middle: (p2 - p1) x (p3 - p1) points the same
// way as the face's centre from the model's centre.
int32_t FacesLookingIn(const NodRigidModel& m, const Vec3& centre)
{
    int32_t inward = 0;
    for (int32_t i = 0; i < m.surfaceCount; ++i) {
        const NodRigidSurface& s = m.surfaces[i];
        const NodPoint& a = m.points[s.corners[0]];
        const NodPoint& b = m.points[s.corners[1]];
        const NodPoint& c = m.points[s.corners[2]];
        const Vec3 u = {b.x - a.x, b.y - a.y, b.z - a.z}, v = {c.x - a.x, c.y - a.y, c.z - a.z};
        const Vec3 n = {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
        const Vec3 out = {(a.x + b.x + c.x) / 3 - centre.x, (a.y + b.y + c.y) / 3 - centre.y,
                          (a.z + b.z + c.z) / 3 - centre.z};
        if (n.x * out.x + n.y * out.y + n.z * out.z <= 0) ++inward;
    }
    return inward;
}

TEST(PropModels, LoadAndStandWhereTheWorldPutsThem)
{
    ScopedMenus menus(DDRAW_KIND_8BIT);
    KitMatch_SetUpBlock();  // the 3D view, whose named textures the props take
    TEXT_ClearTable();
    NORMTEXT_ClearCache();
    NodRigidModel simple[2] = {};
    NOD_LoadWorld2(simple, 0, "simple", "116ball", NOD_TEXTURES_NAMED);
    NOD_LoadWorld2(simple, 1, "simple", "cone", NOD_TEXTURES_NAMED);
    // The memory manager knows each block by its owner's address: the owners stay put.
    NodRigidModel* stadium[5] = {};
    const char* goalParts[4] = {"goal\\Gback", "goal\\Gtop", "goal\\Gleft", "goal\\Gright"};
    for (int32_t part = 0; part < 4; ++part)
        NOD_LoadWorld1(&stadium[part], "vxdata\\software\\stadium\\models\\misc", goalParts[part],
                       "stadium\\TEXTURES\\goal00", 0, 0, NOD_TEXTURES_NAMED);
    NOD_LoadWorld1(&stadium[4], "vxdata\\software\\stadium\\models\\misc", "flag\\flag",
                   "stadium\\TEXTURES", 0, 0, NOD_TEXTURES_NAMED);

    // The ball, 1.5 times its size in the world: about 116 faces, all looking out, 1.92 round.
    const NodRigidModel& ball = simple[0];
    EXPECT_NEAR(ball.surfaceCount, 116, 12);
    EXPECT_EQ(FacesLookingIn(ball, {0, 0, 0}), 0);
    for (int32_t i = 0; i < ball.pointCount; ++i) {
        const NodPoint& p = ball.points[i];
        EXPECT_NEAR(1.5f * std::hypot(p.x, p.y, p.z), 1.92f, 0.05f) << i;
    }
    const Bounds cone = BoundsOf(simple[1], {1, 1, 1});
    EXPECT_EQ(cone.lo.z, 0);
    EXPECT_EQ(FacesLookingIn(simple[1], {0, 0, cone.hi.z / 3}), 0);

    // Goal parts scaled as the world scales them: between the posts, at most 30 behind the line,
    // the crossbar's top 50.4 high; the left post on the left.
    const float halfMouth = (PITCH_RIGHT_POST_X - PITCH_LEFT_POST_X) / 2.0f;
    const Vec3 goalScale = {halfMouth, 30.0f, 50.4f};
    float top = 0;
    for (int32_t part = 0; part < 4; ++part) {
        const Bounds b = BoundsOf(*stadium[part], goalScale);
        EXPECT_GE(b.lo.x, -halfMouth - 0.01f) << part;
        EXPECT_LE(b.hi.x, halfMouth + 0.01f) << part;
        EXPECT_GE(b.lo.y, -30.01f) << part;
        EXPECT_LE(b.hi.y, 0.01f) << part;
        EXPECT_GE(b.lo.z, -0.01f) << part;
        top = std::max(top, b.hi.z);
    }
    EXPECT_NEAR(top, 50.4f, 0.01f);
    EXPECT_LT(BoundsOf(*stadium[2], goalScale).hi.x, 0);
    EXPECT_GT(BoundsOf(*stadium[3], goalScale).lo.x, 0);
    // The flag: 33.6 high on its foot.
    const Bounds flag = BoundsOf(*stadium[4], {33.6f, 33.6f, 33.6f});
    EXPECT_NEAR(flag.hi.z, 33.6f, 0.01f);
    EXPECT_NEAR(flag.lo.z, 0, 0.01f);

    // Every surface takes a named texture, its coordinates in texels of it.
    std::vector<const NodRigidModel*> all = {&simple[0], &simple[1]};
    all.insert(all.end(), std::begin(stadium), std::end(stadium));
    for (const NodRigidModel* m : all) {
        for (int32_t i = 0; i < m->surfaceCount; ++i) {
            const NodRigidSurface& s = m->surfaces[i];
            ASSERT_GE(s.texture, 0);
            const NodTexture& t = m->textures[s.texture];
            EXPECT_EQ(t.type, NOD_TEXTURE_NAMED) << t.name;
            const SoftTextureHeader* texture = KIT_GetTextureFromIndex(t.index);
            ASSERT_NE(texture, nullptr) << t.name;
            for (int32_t k = 0; k < (s.corners[3] < 0 ? 3 : 4); ++k) {
                EXPECT_LE(s.u[k], texture->width) << t.name;
                EXPECT_LE(s.v[k], texture->height) << t.name;
            }
        }
    }
    NOD_FreeWorld2(&simple[0]);
    NOD_FreeWorld2(&simple[1]);
    for (NodRigidModel*& m : stadium)
        NOD_FreeWorld1(&m);
    TEXT_ClearTable();
}

// The textures need no palette of their own: the master palette's fixed entries 1-47, the last
// white, and 0 where the net has holes.
TEST(PropModels, TexturesUseOnlyTheFixedPaletteEntries)
{
    bool holes = false;
    for (const MkPropTexture& t : MkPropTextures()) {
        ASSERT_EQ(t.pixels.size(), static_cast<size_t>(t.width * t.height)) << t.path;
        for (const uint8_t p : t.pixels) {
            EXPECT_TRUE(p <= 47 || p == 255) << t.path << " " << int{p};
            holes |= p == 0;
        }
    }
    EXPECT_TRUE(holes);
}

}  // namespace
