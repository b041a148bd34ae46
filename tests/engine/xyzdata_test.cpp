// tests/engine/xyzdata_test.cpp: the point transforms of "XYZ0" models, the check's refusals,
// and damaged models that must be refused or built without reading outside their block.
#include "engine/xyzdata.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/d3dobj.h"
#include "engine/memory.h"
#include "engine/random.h"
#include "tests/support/support.h"
#include "tools/mkdata/model3d.h"

namespace {

// Points (1, 0, 5), (0, 1, -2) and (3, -4, 0.25) in one textured and one untextured triangle.
MkModel SmallModel()
{
    MkModel model;
    MkModelAddPoint(&model, {1, 0, 5});
    MkModelAddPoint(&model, {0, 1, -2});
    MkModelAddPoint(&model, {3, -4, 0.25f});
    const uint32_t grass = MkModelTextureOf(&model, "grass");
    const uint32_t plain = MkModelTextureOf(&model, "", 0x80402010);
    MkModelAddPolygon(&model, grass, {0, 1, 2}, {0, 1, 1}, {0, 0, 1});
    MkModelAddPolygon(&model, plain, {2, 1, 0}, {}, {});
    return model;
}

Vec3 PointAt(const std::vector<uint8_t>& block, uint32_t i)
{
    const XYZPoint p = XYZData_Point(block.data(), i);
    return {p.x, p.y, p.z};
}

TEST(XYZData, TransformsMoveEveryPointAsTheirAxesSay)
{
    constexpr float kHalfTurn = 1.57079632679f;
    struct Case {
        const char* name;
        std::function<void(void*)> change;
        Vec3 expected[3];
    };
    const Case cases[] = {
        {"turn about z",
         [](void* b) { XYZData_RotateZ(b, kHalfTurn); },
         {{0, 1, 5}, {-1, 0, -2}, {4, 3, 0.25f}}},
        {"turn about x",
         [](void* b) { XYZData_RotateX(b, kHalfTurn); },
         {{1, -5, 0}, {0, 2, 1}, {3, -0.25f, -4}}},
        {"mirror in z",
         [](void* b) { XYZData_Scale(b, 1, 1, -1); },
         {{1, 0, -5}, {0, 1, 2}, {3, -4, -0.25f}}},
        {"scale",
         [](void* b) { XYZData_Scale(b, 2, -0.5f, 4); },
         {{2, 0, 20}, {0, -0.5f, -8}, {6, 2, 1}}},
        {"move",
         [](void* b) { XYZData_Translate(b, 1, 2, -3); },
         {{2, 2, 2}, {1, 3, -5}, {4, -2, -2.75f}}},
    };
    for (const MkRecordSizes sizes : {MkRecordSizes{}, MkRecordSizes{24, 68, 56}}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            std::vector<uint8_t> block = MkModelBytes(SmallModel(), sizes);
            for (uint32_t i = 0; i < 3; ++i) {  // the maker's bytes past the point record
                std::memset(&block[44 + i * sizes.point + 16], 0xA5, sizes.point - 16);
            }
            const std::vector<uint8_t> before = block;
            c.change(block.data());
            for (uint32_t i = 0; i < 3; ++i) {
                const Vec3 p = PointAt(block, i);
                EXPECT_NEAR(p.x, c.expected[i].x, 1e-6f) << i;
                EXPECT_NEAR(p.y, c.expected[i].y, 1e-6f) << i;
                EXPECT_NEAR(p.z, c.expected[i].z, 1e-6f) << i;
                // Only the three floats of each point change.
                const size_t at = 44 + i * sizes.point;
                EXPECT_EQ(0, std::memcmp(&block[at + 12], &before[at + 12], sizes.point - 12));
            }
            EXPECT_EQ(0, std::memcmp(block.data() + 44 + 3 * sizes.point,
                                     before.data() + 44 + 3 * sizes.point,
                                     block.size() - 44 - 3 * sizes.point));
        }
    }
}

TEST(XYZData, NothingChangesWhereNothingShould)
{
    std::vector<uint8_t> block = MkModelBytes(SmallModel());
    const std::vector<uint8_t> before = block;
    XYZData_Translate(block.data(), 0, 0, 0);
    XYZData_Scale(block.data(), 1, 1, 1);
    XYZData_RotateZ(block.data(), 0);
    EXPECT_EQ(block, before);  // every bit

    std::vector<uint8_t> empty = MkModelBytes(MkModel{});
    const std::vector<uint8_t> emptyBefore = empty;
    XYZData_Translate(empty.data(), 1, 2, 3);
    XYZData_RotateX(empty.data(), 1);
    EXPECT_EQ(empty, emptyBefore);
}

// The header field at `offset` set to `value`.
std::function<void(std::vector<uint8_t>*)> SetField(size_t offset, uint32_t value)
{
    return [=](std::vector<uint8_t>* b) { std::memcpy(b->data() + offset, &value, 4); };
}

TEST(XYZData, CheckRefusesWhatDoesNotFitItsBlock)
{
    std::vector<uint8_t> good = MkModelBytes(SmallModel());
    std::memset(&good[4], 0xA5, 4);  // the unread field may hold anything
    const size_t polygon0 = good.size() - 2 * sizeof(XYZPolygon);
    const size_t texture0 = polygon0 - 2 * sizeof(XYZTexture);
    struct Case {
        std::function<void(std::vector<uint8_t>*)> damage;
        const char* reason;
    };
    const Case cases[] = {
        {[](std::vector<uint8_t>* b) { b->resize(43); }, "shorter than its header"},
        {[](std::vector<uint8_t>* b) { (*b)[3] = '1'; }, "not an XYZ0 model"},
        {SetField(16, 15), "point records too small"},
        {SetField(28, 67), "texture records too small"},
        {SetField(40, 55), "polygon records too small"},
        {SetField(8, 0xFFFFFFF0u), "point table outside the file"},
        {SetField(12, 0x40000000u), "point table outside the file"},
        {SetField(24, 0x10000000u), "texture table outside the file"},
        {SetField(32, static_cast<uint32_t>(good.size()) - 55), "polygon table outside the file"},
        {[](std::vector<uint8_t>* b) { b->pop_back(); }, "polygon table outside the file"},
        {[=](std::vector<uint8_t>* b) { std::memset(b->data() + texture0, 'a', 32); },
         "texture name not terminated"},
        {[=](std::vector<uint8_t>* b) { std::memset(b->data() + texture0 + 32, 'a', 32); },
         "texture name not terminated"},
        {SetField(polygon0, 2), "polygon texture out of range"},
        {SetField(polygon0 + 8 + 8, 3), "polygon point out of range"},
        {SetField(polygon0 + sizeof(XYZPolygon) + 8, 0xFFFFFFFFu), "polygon point out of range"},
    };
    EXPECT_EQ(XYZData_Check(good.data(), static_cast<uint32_t>(good.size())), nullptr);
    for (const Case& c : cases) {
        std::vector<uint8_t> block = good;
        c.damage(&block);
        const char* reason = XYZData_Check(block.data(), static_cast<uint32_t>(block.size()));
        ASSERT_NE(reason, nullptr) << c.reason;
        EXPECT_STREQ(reason, c.reason);
    }
    // A polygon that is never drawn may name anything.
    std::vector<uint8_t> skipped = good;
    SetField(polygon0 + 4, 5)(&skipped);
    SetField(polygon0, 99)(&skipped);
    EXPECT_EQ(XYZData_Check(skipped.data(), static_cast<uint32_t>(skipped.size())), nullptr);
}

int32_t CountingCallback(const D3DObjEvent& event, D3DObjResult* result)
{
    if (event.kind == D3DOBJ_EVENT_CREATE) result->handle = 7;
    return event.kind == D3DOBJ_EVENT_CREATE || event.kind == D3DOBJ_EVENT_RELEASE;
}

// Flips bits and cuts the tail of a real model; whatever the check lets through must build and
// die cleanly. Under AddressSanitizer any read past the exactly sized block stops the test.
TEST(XYZData, DamagedModelsAreRefusedOrBuildInsideTheirBlock)
{
    ScopedCore core;
    MemoryInit();
    MkModel model = SmallModel();
    MkAddSphere(&model, {MkModelTextureOf(&model, "ball")}, {0, 0, 0}, {1, 1, 1}, 4, 6);
    MkModelAddPolygon(&model, 0, {4, 5}, {}, {});
    MkModelAddPolygon(&model, 1, {6}, {}, {});
    const std::vector<uint8_t> good = MkModelBytes(model);
    SRand(44);
    int32_t built = 0, refused = 0;
    for (int32_t run = 0; run < 3000; ++run) {
        std::vector<uint8_t> bytes = good;
        const int32_t flips = 1 + (Rand() % 4);
        for (int32_t f = 0; f < flips; ++f) {
            const size_t at = static_cast<size_t>(Rand()) * bytes.size() / 32768;
            bytes[at] ^= static_cast<uint8_t>(1u << (Rand() % 8));
        }
        if ((Rand() % 4) == 0) bytes.resize(static_cast<size_t>(Rand()) * bytes.size() / 32768);
        const auto block = std::make_unique<uint8_t[]>(bytes.size());
        std::memcpy(block.get(), bytes.data(), bytes.size());
        if (XYZData_Check(block.get(), static_cast<uint32_t>(bytes.size())) != nullptr) {
            ++refused;
            continue;
        }
        ++built;
        for (const uint8_t options : {0, 3, 6}) {
            D3DObject* object = nullptr;
            D3DObj_CreateObjectFromXYZData(&object, block.get(), CountingCallback, 0, options);
            D3DObj_DestroyObject(&object);
        }
    }
    EXPECT_GT(built, 100);
    EXPECT_GT(refused, 100);
    EXPECT_EQ(MemoryStats().blocks, 0u);
    MemoryUninit();
}

}  // namespace
