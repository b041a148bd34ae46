// tests/engine/device_frames_test.cpp: whole frames drawn through the 3D device module, read back
// against the hashes kept here: lit, textured, fogged, blended and stencilled scenes. A frame
// that differs is written as a PNG into the build folder for a person to look at.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxd3d.h"
#include "engine/dxd3drs.h"
#include "engine/dxd3dtex.h"
#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/vecmath.h"
#include "generated/build_paths.h"
#include "tests/support/gfx_run.h"

namespace {

constexpr int32_t kWidth = 320;
constexpr int32_t kHeight = 240;

struct ColouredVertex {  // D3D_VERTEX_NORMAL_DIFFUSE
    float x, y, z, nx, ny, nz;
    uint32_t diffuse;
};

struct TexturedVertex {  // D3D_VERTEX_NORMAL_UV
    float x, y, z, nx, ny, nz, u, v;
};

// The graphics layer in a 320 x 240 windowed mode with the device, z-buffer and stencil; the
// device's general span routine only, or its specialised ones where they apply.
class Frame {
public:
    explicit Frame(bool generalSpans, int32_t kind = DDRAW_KIND_16BIT) : m_graphics(true)
    {
        HostInjectGeneralSpansOnly(generalSpans);
        SetGraphicMode(GfxFindMode(kWidth, kHeight, kind),
                       DDRAW_MODE_3D_DEVICE | DDRAW_MODE_ZBUFFER | DDRAW_MODE_STENCIL);
        Matrix4 projection{};
        // 90 degrees across, near 1, far 10,000, points as row vectors.
        const float q = 10000.0f / (10000.0f - 1.0f);
        projection.m[0][0] = static_cast<float>(kHeight) / kWidth;
        projection.m[1][1] = 1;
        projection.m[2][2] = q;
        projection.m[2][3] = 1;
        projection.m[3][2] = -q;
        D3DSetTransformType(D3D_TRANSFORM_PROJECTION, &projection);
        D3DClearCurrent();
        D3DBeginScene();
    }

    // Ends the scene, presents it and compares its hash.
    void Expect(const char* name, uint64_t hash)
    {
        D3DEndScene();
        PresentNow();
        const uint64_t actual = HostFrameHash();
        const std::string path = PELLORAN_BUILD_DIR "/device_frame_" + std::string(name) + ".png";
        if (actual != hash || std::getenv("PELLORAN_WRITE_FRAMES")) HostWriteFramePng(path.c_str());
        EXPECT_EQ(actual, hash) << name << ": 0x" << std::hex << actual << ", written to " << path;
    }

private:
    ScopedGraphics m_graphics;
};

void Face(std::vector<ColouredVertex>* out, const Vec3& c, const Vec3& n, const Vec3& a,
          const Vec3& b, uint32_t colour)
{
    const auto corner = [&](float sa, float sb) {
        return ColouredVertex{c.x + sa * a.x + sb * b.x,
                              c.y + sa * a.y + sb * b.y,
                              c.z + sa * a.z + sb * b.z,
                              n.x,
                              n.y,
                              n.z,
                              colour};
    };
    // a x b is the outward normal: the corners run clockwise on the screen from outside.
    out->insert(out->end(), {corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, -1),
                             corner(1, 1), corner(-1, 1)});
}

// A lit unit cube, turned and pushed away from the eye, with a directional light and ambient.
void DrawLitCube()
{
    std::vector<ColouredVertex> cube;
    const Vec3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
    const Vec3 nx{-1, 0, 0}, ny{0, -1, 0}, nz{0, 0, -1};
    Face(&cube, x, x, y, z, 0xFFE04040);
    Face(&cube, nx, nx, z, y, 0xFF40E040);
    Face(&cube, y, y, z, x, 0xFF4040E0);
    Face(&cube, ny, ny, x, z, 0xFFE0E040);
    Face(&cube, z, z, x, y, 0xFF40E0E0);
    Face(&cube, nz, nz, y, x, 0xFFE040E0);
    Matrix4 world, moved;
    MatRotateXYZ(&world, 0.6f, 0.8f, 0.3f);
    MatSetTranslation(&moved, 0.3f, 0.2f, 4.0f);
    MatMultiply(&world, &world, &moved);
    D3DSetTransformType(D3D_TRANSFORM_WORLD, &world);
    D3DMaterial material{};
    // The light's ambient colour is its colour: a dim ambient material keeps the faces apart.
    material.diffuse = {1, 1, 1, 1};
    material.ambient = {0.2f, 0.2f, 0.2f, 1};
    D3DSetMaterial(&material);
    D3DSetAmbientLight(0xFF303030);
    const float white[4] = {0.9f, 0.9f, 0.8f, 1.0f};
    const float direction[3] = {-0.5f, -1.0f, 0.7f};
    D3DLightCreate(white, direction);
    D3DDrawPrimitive(D3D_PRIM_TRIANGLES, D3D_VERTEX_NORMAL_DIFFUSE, cube.data(),
                     static_cast<uint32_t>(cube.size()));
    Matrix4 identity;
    MatIdentity(&identity);
    D3DSetTransformType(D3D_TRANSFORM_WORLD, &identity);
}

// A 64 x 64 checkerboard whose seven levels each have their own colour.
int32_t LevelColouredChecker()
{
    constexpr uint32_t kColours[] = {0xE03030, 0x30E030, 0x3030E0, 0xE0E030,
                                     0x30E0E0, 0xE030E0, 0x808080};
    std::vector<uint32_t> pixels;
    for (int32_t level = 0, side = 64; side >= 1; ++level, side /= 2) {
        for (int32_t y = 0; y < side; ++y) {
            for (int32_t x = 0; x < side; ++x) {
                const bool dark = ((x * 8 / side) + (y * 8 / side)) % 2 != 0 && side >= 8;
                pixels.push_back(dark ? kColours[level] : 0xF0F0F0);
            }
        }
    }
    const int32_t format = D3DTexFindTextureFormat(D3DTEX_SOLID | D3DTEX_DEPTH_32);
    return D3DTexCreateTextureEx(64, 64, 7, pixels.data(), format);
}

// A ground plane `below` under the eye from 2 to `far` ahead, its texture repeated every `tile`.
void DrawGround(float far, float below = 2.0f, float tile = 4.0f)
{
    const float w = far;
    const TexturedVertex ground[] = {
        {-w, -below, 2, 0, 1, 0, -w / tile, 2 / tile},
        {-w, -below, far, 0, 1, 0, -w / tile, far / tile},
        {w, -below, far, 0, 1, 0, w / tile, far / tile},
        {w, -below, 2, 0, 1, 0, w / tile, 2 / tile},
    };
    D3DSetRenderState(RS_LIGHTING, 0);
    D3DDrawPrimitive(D3D_PRIM_FAN, D3D_VERTEX_NORMAL_UV, ground, 4);
    D3DSetRenderState(RS_LIGHTING, 1);
}

void Filters(uint32_t minMag, uint32_t mip)
{
    D3DSetTextureStageState(0, HOST_TSS_MAG_FILTER, minMag);
    D3DSetTextureStageState(0, HOST_TSS_MIN_FILTER, minMag);
    D3DSetTextureStageState(0, HOST_TSS_MIP_FILTER, mip);
}

void ScreenQuad(float x0, float y0, float x1, float y1, uint32_t diffuse)
{
    const D3DScreenVertex fan[4] = {{x0, y0, 0, 1, diffuse, 0, 0, 0},
                                    {x1, y0, 0, 1, diffuse, 0, 1, 0},
                                    {x1, y1, 0, 1, diffuse, 0, 1, 1},
                                    {x0, y1, 0, 1, diffuse, 0, 0, 1}};
    D3DDrawPrimitive(D3D_PRIM_FAN, D3D_VERTEX_SCREEN, fan, 4);
}

void HalfTransparentBlending()
{
    D3DSetRenderState(RS_ALPHABLENDENABLE, 1);
    D3DSetRenderState(RS_SRCBLEND, HOST_BLEND_SOURCE_ALPHA);
    D3DSetRenderState(RS_DESTBLEND, HOST_BLEND_INVERSE_SOURCE_ALPHA);
    D3DSetRenderState(RS_ZENABLE, 0);
}

// Every frame twice: the specialised span routines must give the general routine's pixels.
class DeviceFrames : public testing::TestWithParam<bool> {};

INSTANTIATE_TEST_SUITE_P(Spans, DeviceFrames, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "General" : "Specialised";
                         });

TEST_P(DeviceFrames, LitCubeAtSixteenAndThirtyTwoBits)
{
    for (uint32_t zTest : {1, 0}) {
        // Culling leaves only the front faces, which never overlap: the z test changes nothing.
        Frame frame(GetParam());
        D3DSetRenderState(RS_ZENABLE, zTest);
        DrawLitCube();
        frame.Expect("cube16", 0xa25258db0167fe14ull);
    }
    Frame frame(GetParam(), DDRAW_KIND_32BIT);
    DrawLitCube();
    frame.Expect("cube32", 0x2c47624ce8b2abcaull);
}

TEST_P(DeviceFrames, MipMappedGroundWithPointBilinearAndTrilinearFiltering)
{
    struct Row {
        const char* name;
        uint32_t minMag;
        uint32_t mip;
        uint64_t hash;
    };
    const Row rows[] = {
        {"ground_point", HOST_FILTER_POINT, HOST_FILTER_POINT, 0x85e51067312de3c0ull},
        {"ground_bilinear", HOST_FILTER_LINEAR, HOST_FILTER_POINT, 0x2258a7d1c09d7eb3ull},
        {"ground_trilinear", HOST_FILTER_LINEAR, HOST_FILTER_LINEAR, 0xc4d3f6b72a5eca77ull},
    };
    for (const Row& row : rows) {
        Frame frame(GetParam());
        D3DTexSetCurrentHandle(LevelColouredChecker());
        Filters(row.minMag, row.mip);
        DrawGround(200);
        frame.Expect(row.name, row.hash);
    }
}

TEST_P(DeviceFrames, FoggedGround)
{
    Frame frame(GetParam());
    D3DTexSetCurrentHandle(LevelColouredChecker());
    Filters(HOST_FILTER_LINEAR, HOST_FILTER_LINEAR);
    D3DSetRenderState(RS_FOGENABLE, 1);
    D3DSetRenderState(RS_FOGTABLEMODE, HOST_FOG_LINEAR);
    D3DSetRenderState(RS_FOGCOLOR, 0x8090A0);
    D3DSetRenderStateFloat(RS_FOGSTART, 50.0f);
    D3DSetRenderStateFloat(RS_FOGEND, 8000.0f);
    DrawGround(9500, 3000, 1000);  // far enough below that the fog from 50 to 8,000 shows
    frame.Expect("ground_fog", 0x6208d3da337b608eull);
}

TEST_P(DeviceFrames, HalfTransparentTexturedQuadsOverALitBackgroundAndATintedHud)
{
    Frame frame(GetParam());
    DrawLitCube();
    const int32_t checker = LevelColouredChecker();
    D3DTexSetCurrentHandle(checker);
    HalfTransparentBlending();
    ScreenQuad(20, 20, 140, 140, 0x80FFFFFF);
    ScreenQuad(100, 60, 220, 180, 0x80FFFFFF);
    // The HUD: tinted, half-transparent fans of pre-transformed corners.
    for (int32_t i = 0; i < 5; ++i) {
        const float x = 10.0f + 60.0f * static_cast<float>(i);
        ScreenQuad(x, 200, x + 48, 232, 0x80FF8040 + static_cast<uint32_t>(i) * 0x00002030);
    }
    frame.Expect("blended_hud", 0x905b79349f8cf8dbull);
}

TEST_P(DeviceFrames, OverlappingShadowsDarkenTheirOverlapOnce)
{
    Frame frame(GetParam());
    D3DTexSetCurrentHandle(LevelColouredChecker());
    DrawGround(200);
    D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
    HalfTransparentBlending();
    D3DSetRenderState(RS_STENCILENABLE, 1);
    D3DSetRenderState(RS_STENCILFUNC, HOST_CMP_NOT_EQUAL);
    D3DSetRenderState(RS_STENCILREF, 1);
    D3DSetRenderState(RS_STENCILPASS, HOST_STENCIL_INCREMENT);
    ScreenQuad(60, 120, 200, 200, 0x80000000);
    ScreenQuad(140, 150, 280, 230, 0x80000000);
    frame.Expect("shadows", 0x068ae31c102d5b92ull);
}

}  // namespace
