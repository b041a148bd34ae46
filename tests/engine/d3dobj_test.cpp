// tests/engine/d3dobj_test.cpp: 3D objects built from small hand-made models, drawn through the
// device with its calls recorded, destroyed, and their fatal refusals.
#include "engine/d3dobj.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxd3d.h"
#include "engine/dxd3dtex.h"
#include "engine/dxdraw.h"
#include "engine/filename.h"
#include "engine/gfx.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/xyzdata.h"
#include "tests/support/gfx_run.h"
#include "tests/support/support.h"
#include "tools/mkdata/model3d.h"
#include "tools/mkdata/pakwriter.h"

namespace {

// What the test callback saw and how it answers.
struct CallbackLog {
    std::vector<std::string> created;  // names, in creation order; handle = 100 + position
    std::vector<int32_t> events;       // kinds of bind, untextured and release events
    std::vector<int32_t> released;
    bool reverseOrder = false;  // comparisons the other way round
    bool realTextures = false;  // create and destroy 4 x 4 device textures
    bool handleRelease = true;
};
CallbackLog s_log;

int32_t TestCallback(const D3DObjEvent& event, D3DObjResult* result)
{
    switch (event.kind) {
        case D3DOBJ_EVENT_COMPARE:
            if (!s_log.reverseOrder) return 0;
            result->comparison = std::strcmp(event.otherName, event.name);
            return 1;
        case D3DOBJ_EVENT_CREATE:
            if (s_log.realTextures) {
                void* block = nullptr;
                AllocateMemory(&block, 64, MEM_TYPE_GAME);
                std::memset(block, 0xC0, 64);
                result->handle = D3DTexAdvancedCreateTexture(4, 4, &block, 0, D3DTEX_SOURCE_RGBA);
            } else {
                result->handle = 100 + static_cast<int32_t>(s_log.created.size());
            }
            result->value = static_cast<uint32_t>(std::strlen(event.name));
            s_log.created.push_back(event.name);
            return 1;
        case D3DOBJ_EVENT_RELEASE:
            if (!s_log.handleRelease) return 0;
            s_log.events.push_back(event.kind);
            s_log.released.push_back(event.handle);
            if (s_log.realTextures && event.handle != -1) D3DTexDestroyTexture(event.handle);
            return 1;
        default: s_log.events.push_back(event.kind); return 0;
    }
}

struct Built {
    D3DObject* object = nullptr;
    std::vector<uint8_t> block;

    Built(const MkModel& model, uint8_t options, MkRecordSizes sizes = {})
        : block(MkModelBytes(model, sizes))
    {
        std::memset(&block[4], 0xA5, 4);  // the header's unread field
        D3DObj_CreateObjectFromXYZData(&object, block.data(), TestCallback, 0, options);
    }
    ~Built()
    {
        if (object) D3DObj_DestroyObject(&object);
    }
    const D3DObjEntry& Entry(uint32_t i) const { return object->entries[i]; }
    const D3DObjTexturedVertex* Textured(uint32_t i) const
    {
        return static_cast<const D3DObjTexturedVertex*>(Entry(i).vertices);
    }
    const D3DObjColouredVertex* Coloured(uint32_t i) const
    {
        return static_cast<const D3DObjColouredVertex*>(Entry(i).vertices);
    }
};

void Triangle(MkModel* model, const std::string& name, uint32_t rgba = 0xFFFFFFFF)
{
    const uint32_t t = MkModelTextureOf(model, name, rgba);
    const uint32_t a = MkModelAddPoint(model, {0, 0, 0});
    MkModelAddPoint(model, {1, 0, 0});
    MkModelAddPoint(model, {0, 1, 0});
    MkModelAddPolygon(model, t, {a, a + 1, a + 2}, {0, 1, 0}, {0, 0, 1});
}

// Two unit quads side by side in z = 0 sharing the edge x = 1, texture coordinates from x and
// y; `sharedPoints` false gives the second quad its own points on the edge.
MkModel TwoQuads(bool sharedPoints)
{
    MkModel model;
    const uint32_t t = MkModelTextureOf(&model, "tiles");
    const auto point = [&](float x, float y) { return MkModelAddPoint(&model, {x, y, 0}); };
    const uint32_t p00 = point(0, 0), p10 = point(1, 0), p11 = point(1, 1), p01 = point(0, 1);
    const uint32_t q10 = sharedPoints ? p10 : point(1, 0);
    const uint32_t q11 = sharedPoints ? p11 : point(1, 1);
    const uint32_t p20 = point(2, 0), p21 = point(2, 1);
    MkModelAddPolygon(&model, t, {p00, p10, p11, p01}, {0, 1, 1, 0}, {0, 0, 1, 1});
    MkModelAddPolygon(&model, t, {q10, p20, p21, q11}, {1, 2, 2, 1}, {0, 0, 1, 1});
    return model;
}

// A cube of 8 shared corner points, faces counter-clockwise from outside.
MkModel Cube()
{
    MkModel model;
    const uint32_t t = MkModelTextureOf(&model, "");
    for (int32_t i = 0; i < 8; ++i) {
        MkModelAddPoint(&model, {float(i & 1), float((i >> 1) & 1), float((i >> 2) & 1)});
    }
    const std::vector<std::vector<uint32_t>> faces = {{0, 4, 6, 2}, {1, 3, 7, 5}, {0, 1, 5, 4},
                                                      {2, 6, 7, 3}, {0, 2, 3, 1}, {4, 5, 7, 6}};
    for (const auto& f : faces) {
        MkModelAddPolygon(&model, t, f, {}, {});
    }
    return model;
}

class D3DObj : public testing::Test {
protected:
    void SetUp() override
    {
        s_log = {};
        MemoryInit();
    }
    void TearDown() override { MemoryUninit(); }

    ScopedCore m_core;
};

TEST_F(D3DObj, BuildsEntriesByTextureAndPointCount)
{
    struct Case {
        const char* name;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"same name, same size: one entry",
         [] {
             MkModel model;
             Triangle(&model, "grass", 0xFF000001);
             Triangle(&model, "grass", 0xFF000002);
             const Built built(model, 0);
             ASSERT_EQ(built.object->entryCount, 1u);
             EXPECT_EQ(built.Entry(0).vertexCount, 6u);
             EXPECT_EQ(s_log.created, std::vector<std::string>{"grass"});
         }},
        {"name order by default",
         [] {
             MkModel model;
             Triangle(&model, "b");
             Triangle(&model, "c");
             Triangle(&model, "a");
             const Built built(model, 0);
             ASSERT_EQ(built.object->entryCount, 3u);
             EXPECT_EQ(s_log.created, (std::vector<std::string>{"a", "b", "c"}));
             EXPECT_EQ(built.Entry(0).handle, 100);
             EXPECT_EQ(built.Entry(0).value, 1u);
             EXPECT_EQ(built.Entry(2).flags, D3DOBJ_TEXTURED | D3DOBJ_TRIANGLES);
         }},
        {"a custom callback's order",
         [] {
             s_log.reverseOrder = true;
             MkModel model;
             Triangle(&model, "b");
             Triangle(&model, "c");
             Triangle(&model, "a");
             Triangle(&model, "d");
             const Built built(model, 0);
             EXPECT_EQ(s_log.created, (std::vector<std::string>{"d", "c", "b", "a"}));
         }},
        {"a quad gives six corners",
         [] {
             const Built built(TwoQuads(true), 0);
             ASSERT_EQ(built.object->entryCount, 1u);
             EXPECT_EQ(built.Entry(0).vertexCount, 12u);
             EXPECT_EQ(built.Entry(0).indices, nullptr);
             const float xs[] = {0, 1, 1, 1, 0, 0};  // corners 0-1-2 and 2-3-0
             const float ys[] = {0, 0, 1, 1, 1, 0};
             for (int32_t i = 0; i < 6; ++i) {
                 EXPECT_EQ(built.Textured(0)[i].x, xs[i]) << i;
                 EXPECT_EQ(built.Textured(0)[i].y, ys[i]) << i;
                 EXPECT_EQ(built.Textured(0)[i].u, xs[i]) << i;
                 EXPECT_EQ(built.Textured(0)[i].nz, 1.0f) << i;
             }
         }},
        {"flat indexed quads share their edge",
         [] {
             const Built built(TwoQuads(false), D3DOBJ_FLAT | D3DOBJ_INDEXED);
             EXPECT_EQ(built.Entry(0).vertexCount, 6u);
             EXPECT_EQ(built.Entry(0).indexCount, 12u);
             const uint16_t indices[] = {0, 1, 2, 2, 3, 0, 1, 4, 5, 5, 2, 1};
             EXPECT_EQ(0, std::memcmp(built.Entry(0).indices, indices, sizeof indices));
             EXPECT_EQ(built.Entry(0).pointNumbers, nullptr);
         }},
        {"kept point numbers keep apart what other points made",
         [] {
             const Built apart(TwoQuads(false), D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
             EXPECT_EQ(apart.Entry(0).vertexCount, 8u);
             const uint16_t points[] = {0, 1, 2, 3, 4, 6, 7, 5};
             EXPECT_EQ(0, std::memcmp(apart.Entry(0).pointNumbers, points, sizeof points));
             const Built shared(TwoQuads(true), D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
             EXPECT_EQ(shared.Entry(0).vertexCount, 6u);
         }},
        {"smoothed normals of a cube's corners",
         [] {
             const Built built(Cube(), D3DOBJ_INDEXED);
             ASSERT_EQ(built.object->entryCount, 1u);
             EXPECT_EQ(built.Entry(0).vertexCount, 8u);
             const float k = 1.0f / std::sqrt(3.0f);
             for (uint32_t i = 0; i < 8; ++i) {
                 const D3DObjColouredVertex& v = built.Coloured(0)[i];
                 EXPECT_NEAR(v.nx, v.x > 0 ? k : -k, 1e-6f) << i;
                 EXPECT_NEAR(v.ny, v.y > 0 ? k : -k, 1e-6f) << i;
                 EXPECT_NEAR(v.nz, v.z > 0 ? k : -k, 1e-6f) << i;
             }
             const Built flat(Cube(), D3DOBJ_FLAT | D3DOBJ_INDEXED);
             EXPECT_EQ(flat.Entry(0).vertexCount, 24u);
         }},
        {"points and lines with zero normals; every point count its entry",
         [] {
             MkModel model = TwoQuads(true);
             MkModelAddPolygon(&model, 0, {0}, {}, {});
             MkModelAddPolygon(&model, 0, {0, 5}, {}, {});
             MkModelAddPolygon(&model, 0, {0, 1, 2}, {}, {});
             MkModelAddPolygon(&model, 0, {}, {}, {});
             MkModelAddPolygon(&model, 0, {0, 1, 2, 3, 4}, {}, {});
             const Built built(model, D3DOBJ_FLAT | D3DOBJ_INDEXED);
             ASSERT_EQ(built.object->entryCount, 4u);
             EXPECT_EQ(built.Entry(0).flags, D3DOBJ_TEXTURED | D3DOBJ_POINTS);
             EXPECT_EQ(built.Entry(1).flags, D3DOBJ_TEXTURED | D3DOBJ_LINES);
             EXPECT_EQ(built.Entry(2).indexCount, 3u);
             EXPECT_EQ(built.Entry(3).indexCount, 12u);
             for (uint32_t e = 0; e < 2; ++e) {
                 for (uint32_t i = 0; i < built.Entry(e).vertexCount; ++i) {
                     const D3DObjTexturedVertex& v = built.Textured(e)[i];
                     EXPECT_TRUE(v.nx == 0 && v.ny == 0 && v.nz == 0) << e << " " << i;
                 }
             }
             EXPECT_EQ(s_log.created.size(), 4u);  // each entry asks for its texture
         }},
        {"untextured colours never exceed their bytes",
         [] {
             MkModel model;
             for (uint32_t b = 0; b < 256; ++b) {
                 Triangle(&model, "", b | (255 - b) << 8 | b << 16 | (b ^ 0x5A) << 24);
             }
             Triangle(&model, "", 0);
             const Built built(model, 0);
             ASSERT_EQ(built.object->entryCount, 1u);
             EXPECT_TRUE(s_log.created.empty());
             EXPECT_EQ(built.Entry(0).handle, -1);
             EXPECT_EQ(built.Coloured(0)[3 * 256].colour, 0u);
             int32_t oneBelow = 0;
             for (uint32_t b = 0; b < 256; ++b) {
                 const uint32_t c = built.Coloured(0)[3 * b].colour;
                 const uint32_t bytes[4] = {b, 255 - b, b, b ^ 0x5A};  // r, g, b, a
                 const uint32_t got[4] = {c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF, c >> 24};
                 for (int32_t k = 0; k < 4; ++k) {
                     EXPECT_LE(got[k], bytes[k]) << b;
                     EXPECT_GE(got[k] + 1, bytes[k]) << b;
                     oneBelow += got[k] < bytes[k];
                 }
             }
             // The double nearest 1/255 lies below it: 33 loses one, 255 keeps its value.
             EXPECT_EQ(built.Coloured(0)[3 * 33].colour >> 16 & 0xFF, 32u);
             EXPECT_EQ(built.Coloured(0)[3 * 255].colour >> 16 & 0xFF, 255u);
             EXPECT_EQ(oneBelow, 4 * 24);
         }},
        {"no polygons, no entries",
         [] {
             MkModel model;
             MkModelTextureOf(&model, "unused");
             const Built built(model, 7);
             EXPECT_EQ(built.object->entryCount, 0u);
             EXPECT_EQ(built.object->entries, nullptr);
             EXPECT_TRUE(s_log.created.empty());
         }},
        {"larger records read at their sizes, same vertices twice",
         [] {
             MkModel model = Cube();
             Triangle(&model, "grass");
             const Built a(model, 6);
             const Built b(model, 6, {24, 80, 60});
             ASSERT_EQ(a.object->entryCount, b.object->entryCount);
             for (uint32_t e = 0; e < a.object->entryCount; ++e) {
                 const uint32_t stride = e == 0 ? 28 : 32;
                 ASSERT_EQ(a.Entry(e).vertexCount, b.Entry(e).vertexCount);
                 EXPECT_EQ(0, std::memcmp(a.Entry(e).vertices, b.Entry(e).vertices,
                                          a.Entry(e).vertexCount * stride));
                 EXPECT_EQ(0, std::memcmp(a.Entry(e).indices, b.Entry(e).indices,
                                          a.Entry(e).indexCount * 2));
             }
         }},
    };
    const MemoryStatistics before = MemoryStats();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s_log = {};
        c.run();
        EXPECT_EQ(MemoryStats().blocks, before.blocks);
        EXPECT_EQ(MemoryStats().bytes, before.bytes);
    }
}

// The graphics layer with the device on a 320 x 240 mode, draws recorded.
class D3DObjDevice : public testing::Test {
protected:
    D3DObjDevice() : m_graphics(true)
    {
        s_log = {};
        SetGraphicMode(GfxFindMode(320, 240, DDRAW_KIND_16BIT),
                       DDRAW_MODE_3D_DEVICE | DDRAW_MODE_ZBUFFER);
        HostInjectRecordDraws(true);
    }
    ~D3DObjDevice() override { HostInjectRecordDraws(false); }

    ScopedGraphics m_graphics;
};

TEST_F(D3DObjDevice, RendersOneCallPerEntryAndGivesEverythingBack)
{
    s_log.realTextures = true;
    MkModel model = TwoQuads(true);
    Triangle(&model, "");
    MkModelAddPolygon(&model, MkModelTextureOf(&model, "lines"), {0, 1}, {}, {});
    MkModelAddPolygon(&model, 1, {2}, {}, {});
    const MemoryStatistics before = MemoryStats();
    for (const uint8_t options : {0, 6}) {
        SCOPED_TRACE(options);
        s_log.created.clear();
        s_log.events.clear();
        std::vector<uint8_t> block = MkModelBytes(model);
        D3DObject* object = nullptr;
        D3DObj_CreateObjectFromXYZData(&object, block.data(), TestCallback, 0, options);
        ASSERT_EQ(object->entryCount, 4u);  // untextured point, lines, untextured, tiles
        D3DBeginScene();
        HostInjectRecordDraws(true);
        D3DObj_Render(object);
        D3DEndScene();
        const std::vector<HostDrawRecord>& draws = HostInjectDrawRecord();
        ASSERT_EQ(draws.size(), 4u);
        const uint32_t primitives[] = {D3D_PRIM_POINTS, D3D_PRIM_TRIANGLES, D3D_PRIM_LINES,
                                       D3D_PRIM_TRIANGLES};
        const uint32_t formats[] = {0x52, 0x52, 0x112, 0x112};
        for (uint32_t e = 0; e < 4; ++e) {
            const D3DObjEntry& entry = object->entries[e];
            EXPECT_EQ(draws[e].primitive, primitives[e]) << e;
            EXPECT_EQ(draws[e].vertexFormat, formats[e]) << e;
            EXPECT_EQ(draws[e].indexed, options == 6) << e;
            EXPECT_EQ(draws[e].vertexCount, entry.vertexCount) << e;
            EXPECT_EQ(draws[e].indexCount, entry.indexCount) << e;
            EXPECT_EQ(draws[e].texture,
                      formats[e] == 0x52 ? nullptr : D3DTexAccessDDrawSurface(entry.handle))
                << e;
        }
        EXPECT_EQ(s_log.events, (std::vector<int32_t>{5, 5, 4, 4}));
        s_log.events.clear();
        const std::vector<int32_t> handles = {object->entries[2].handle, object->entries[3].handle};
        D3DObj_DestroyObject(&object);
        EXPECT_EQ(object, nullptr);
        EXPECT_EQ(s_log.events, (std::vector<int32_t>{3, 3, 3, 3}));
        EXPECT_EQ(s_log.released, (std::vector<int32_t>{-1, -1, handles[0], handles[1]}));
        s_log.released.clear();
        EXPECT_EQ(MemoryStats().blocks, before.blocks);
        EXPECT_EQ(MemoryStats().bytes, before.bytes);
    }
}

// Mounts the files as the hard-disk archive.
void MountFiles(const TempDir& dir, const std::vector<MkFile>& files)
{
    std::string error;
    ASSERT_TRUE(MkWritePacked(dir.Path("pakfiles/hdcommon"), files, &error)) << error;
    DataFolderInit(dir.Path().c_str());
    PakFileInit();
    PakMount("pakfiles\\hdcommon");
}

std::vector<uint8_t> Gfx(uint16_t width, uint16_t height, size_t pixelBytes)
{
    std::vector<uint8_t> bytes(16 + pixelBytes, 0x80);
    std::memcpy(&bytes[4], &width, 2);
    std::memcpy(&bytes[6], &height, 2);
    return bytes;
}

TEST_F(D3DObjDevice, BasicCallbackLoadsItsTexturesFromTheDirectory)
{
    TempDir dir;
    MountFiles(dir, {{"d3d\\tex\\tiles.gfx", Gfx(8, 4, 8 * 4 * 4)}});
    const char* directory = "d3d\\tex";
    const std::vector<uint8_t> block = MkModelBytes(TwoQuads(true));
    D3DObject* object = nullptr;
    D3DObj_CreateObjectFromXYZData(&object, block.data(), nullptr, uintptr_t(&directory), 2);
    ASSERT_EQ(object->entryCount, 1u);
    EXPECT_EQ(object->entries[0].value, 0u);
    const HostSurface* texture = D3DTexAccessDDrawSurface(object->entries[0].handle);
    ASSERT_NE(texture, nullptr);
    D3DBeginScene();
    D3DObj_Render(object);
    D3DEndScene();
    ASSERT_EQ(HostInjectDrawRecord().size(), 1u);
    EXPECT_EQ(HostInjectDrawRecord()[0].texture, texture);
    D3DObj_DestroyObject(&object);
    PakFileUninit();
}

using D3DObjDeathTest = D3DObjDevice;

TEST_F(D3DObjDeathTest, RefusesWhatItCannotBuildOrGiveBack)
{
    MkModel model = TwoQuads(true);
    const std::vector<uint8_t> good = MkModelBytes(model);
    std::vector<uint8_t> badMagic = good;
    badMagic[0] = 'x';
    EXPECT_FATAL(
        {
            D3DObject* object = nullptr;
            D3DObj_CreateObjectFromXYZData(&object, badMagic.data(), TestCallback, 0, 0);
        },
        "D3DObj_CreateObjectFromXYZData(): bad data passed in");
    const auto build = [&](D3DObjCallback callback, uintptr_t user) {
        D3DObject* object = nullptr;
        D3DObj_CreateObjectFromXYZData(&object, good.data(), callback, user, 0);
        return object;
    };
    const auto unhelpful = [](const D3DObjEvent&, D3DObjResult*) { return 0; };
    EXPECT_FATAL(build(unhelpful, 0),
                 "D3DObjDefaultCallback(): no default action for TEXTURECREATE");
    EXPECT_FATAL(
        {
            s_log.handleRelease = false;
            D3DObject* object = build(TestCallback, 0);
            D3DObj_DestroyObject(&object);
        },
        "D3DObjDefaultCallback(): no default action for TEXTURECREATE");
    EXPECT_FATAL(build(nullptr, 0), "D3DObjBasicCallback(): NULL userdata passed");

    // More than 65,535 different vertices in one indexed entry.
    MkModel big;
    const uint32_t t = MkModelTextureOf(&big, "");
    for (uint32_t i = 0; i < 21846; ++i) {
        const uint32_t a = MkModelAddPoint(&big, {float(i), 0, 0});
        MkModelAddPoint(&big, {float(i), 1, 0});
        MkModelAddPoint(&big, {float(i), 0, 1});
        MkModelAddPolygon(&big, t, {a, a + 1, a + 2}, {}, {});
    }
    const std::vector<uint8_t> bigBlock = MkModelBytes(big);
    EXPECT_FATAL(
        {
            D3DObject* object = nullptr;
            D3DObj_CreateObjectFromXYZData(&object, bigBlock.data(), TestCallback, 0, 2);
        },
        "D3DObj_CreateObjectFromXYZData(): too many vertices in one entry");
    big.polygons.pop_back();
    const std::vector<uint8_t> fits = MkModelBytes(big);
    D3DObject* object = nullptr;
    D3DObj_CreateObjectFromXYZData(&object, fits.data(), TestCallback, 0, 2);
    EXPECT_EQ(object->entries[0].vertexCount, 65535u);
    D3DObj_DestroyObject(&object);
}

TEST_F(D3DObjDeathTest, RefusesDamagedFiles)
{
    TempDir dir;
    std::vector<uint8_t> damaged = MkModelBytes(TwoQuads(true));
    damaged.resize(damaged.size() - 1);
    MountFiles(dir, {{"d3d\\tex\\short.gfx", Gfx(8, 4, 8 * 4 * 4 - 1)},
                     {"d3d\\tex\\empty.gfx", Gfx(0, 4, 64)},
                     {"d3d\\tex\\head.gfx", std::vector<uint8_t>(12, 1)},
                     {"d3d\\cut.xyz", damaged}});
    const char* directory = "d3d\\tex";
    for (const char* name : {"short", "empty", "head"}) {
        MkModel model;
        Triangle(&model, name);
        const std::vector<uint8_t> block = MkModelBytes(model);
        EXPECT_FATAL(
            {
                D3DObject* object = nullptr;
                D3DObj_CreateObjectFromXYZData(&object, block.data(), nullptr,
                                               uintptr_t(&directory), 0);
            },
            std::string("D3DObjBasicCallback(): texture '") + name + "' is the wrong size");
    }
    void* model = nullptr;
    EXPECT_FATAL(XYZData_Load("d3d\\cut.xyz", &model),
                 "XYZData_Load(): 'd3d\\cut.xyz' is damaged (polygon table outside the file)");
    PakFileUninit();
}

}  // namespace
