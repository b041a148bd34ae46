// tests/engine/d3danim_test.cpp: skinned objects posed by bone matrices: which points move, about
// which joint, and the vertices that follow them.
#include "engine/d3danim.h"

#include <cmath>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

#include "engine/memory.h"
#include "tests/support/support.h"
#include "tools/mkdata/model3d.h"

namespace {

int32_t Handles(const D3DObjEvent& event, D3DObjResult* result)
{
    if (event.kind == D3DOBJ_EVENT_CREATE) result->handle = 1;
    return event.kind == D3DOBJ_EVENT_CREATE || event.kind == D3DOBJ_EVENT_RELEASE;
}

// Joint 0 at the origin (no bone), joint 1 at (1, 0, 0) on bone 0 hanging from joint 0; bone 1's
// points hang from joint 1: a textured triangle around (2, 0, 0) and an untextured one.
MkModel TwoBones()
{
    MkModel model;
    MkModelAddPoint(&model, {0, 0, 0}, XYZ_NO_POINT, 7);  // a parent past the table: none
    MkModelAddPoint(&model, {1, 0, 0}, 0, 0);
    const uint32_t skin = MkModelTextureOf(&model, "skin");
    const uint32_t plain = MkModelTextureOf(&model, "", 0xFF808080);
    MkModelAddPoint(&model, {0.5f, 0, 0}, 0, 0);
    MkModelAddPoint(&model, {0.5f, 1, 0}, 0, 0);
    MkModelAddPoint(&model, {2, 0, 0}, 1, 1);
    MkModelAddPoint(&model, {2, 1, 0}, 1, 1);
    MkModelAddPoint(&model, {2, 0, 1}, 1, 1);
    MkModelAddPolygon(&model, skin, {1, 2, 3}, {0, 1, 0}, {0, 0, 1});
    MkModelAddPolygon(&model, skin, {4, 5, 6}, {0, 1, 0}, {0, 0, 1});
    MkModelAddPolygon(&model, plain, {6, 5, 4}, {}, {});
    return model;
}

class D3DAnim : public testing::Test {
protected:
    void SetUp() override { MemoryInit(); }
    void TearDown() override { MemoryUninit(); }

    void Build(const MkModel& model, uint8_t options)
    {
        m_block = MkModelBytes(model);
        D3DObj_CreateObjectFromXYZData(&m_object, m_block.data(), Handles, 0, options);
        D3DAnim_CreateAnimData(&m_anim, m_block.data(), m_object);
    }
    void Free()
    {
        D3DAnim_FreeAnimData(&m_anim);
        D3DObj_DestroyObject(&m_object);
    }

    ScopedCore m_core;
    std::vector<uint8_t> m_block;
    D3DObject* m_object = nullptr;
    D3DAnimData* m_anim = nullptr;
};

void ExpectNear(const Vec3& a, const Vec3& b, const char* what)
{
    EXPECT_NEAR(a.x, b.x, 1e-5f) << what;
    EXPECT_NEAR(a.y, b.y, 1e-5f) << what;
    EXPECT_NEAR(a.z, b.z, 1e-5f) << what;
}

TEST_F(D3DAnim, TurningOneBoneMovesOnlyItsPointsAboutTheirJoint)
{
    Build(TwoBones(), D3DOBJ_FLAT | D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
    const MemoryStatistics built = MemoryStats();
    Matrix4 bones[2];
    MatIdentity(&bones[0]);
    MatRotateZ(&bones[1], -std::numbers::pi_v<float> / 2);  // x toward y for row vectors
    // Bone 1's points turn a quarter about joint 1: (2, 0, 0) -> (1, 1, 0).
    const Vec3 expected[7] = {{0, 0, 0}, {1, 0, 0}, {0.5f, 0, 0}, {0.5f, 1, 0},
                              {1, 1, 0}, {0, 1, 0}, {1, 1, 1}};
    D3DAnim_TransformPoints(m_anim, bones, 0, 2);
    for (uint32_t i = 0; i < 7; ++i) {
        ExpectNear(m_anim->posedPositions[i], expected[i], "position");
    }
    // The textured face (drawn last) faces +x; turned, it faces +y.
    ExpectNear(m_anim->baseNormals[4], {1, 0, 0}, "base normal");
    ExpectNear(m_anim->posedNormals[4], {0, 1, 0}, "posed normal");
    ExpectNear(m_anim->posedNormals[2], m_anim->baseNormals[2], "bone 0's normal");

    // Points whose bone lies outside [first, end) keep their base; an empty range moves nothing.
    D3DAnim_TransformPoints(m_anim, bones, 0, 1);
    ExpectNear(m_anim->posedPositions[4], {2, 0, 0}, "outside the range");
    D3DAnim_TransformPoints(m_anim, bones, 1, 1);
    ExpectNear(m_anim->posedPositions[6], {2, 0, 1}, "empty range");
    D3DAnim_TransformPoints(m_anim, bones, 1, 2);
    ExpectNear(m_anim->posedPositions[6], {1, 1, 1}, "bone 1 alone");
    EXPECT_EQ(m_anim->bones[0], XYZ_NO_POINT);
    EXPECT_EQ(m_anim->parents[0], 7u);
    EXPECT_EQ(m_anim->bones[4], 1u);
    EXPECT_EQ(m_anim->parents[4], 1u);

    // Every vertex made from a point takes its pose, textured and untextured alike.
    D3DAnim_TransformPoints(m_anim, bones, 0, 2);
    D3DAnim_ApplyConvPoints2Object(m_anim);
    int32_t written = 0;
    for (uint32_t e = 0; e < m_object->entryCount; ++e) {
        const D3DObjEntry& entry = m_object->entries[e];
        const uint32_t stride = (entry.flags & D3DOBJ_TEXTURED) ? 32 : 28;
        for (uint32_t v = 0; v < entry.vertexCount; ++v) {
            const auto* f = reinterpret_cast<const float*>(
                static_cast<const uint8_t*>(entry.vertices) + v * stride);
            const uint16_t point = entry.pointNumbers[v];
            ExpectNear({f[0], f[1], f[2]}, expected[point], "vertex");
            ExpectNear({f[3], f[4], f[5]}, m_anim->posedNormals[point], "vertex normal");
            ++written;
        }
    }
    EXPECT_EQ(written, 9);
    EXPECT_EQ(MemoryStats().blocks, built.blocks);
    Free();
    EXPECT_EQ(MemoryStats().blocks, 0u);
}

using D3DAnimDeathTest = D3DAnim;

TEST_F(D3DAnimDeathTest, RefusesObjectsItCannotPose)
{
    EXPECT_FATAL(Build(TwoBones(), D3DOBJ_INDEXED),
                 "D3DAnim_CreateAnimData(): object has no point numbers");
    for (const uint16_t parent : {4, 6}) {
        MkModel model = TwoBones();
        model.points[4].parent = parent;  // itself, or the last point
        EXPECT_FATAL(Build(model, D3DOBJ_KEEP_POINTS),
                     "D3DAnim_CreateAnimData(): point 4 hangs from a later point");
    }
}

}  // namespace
