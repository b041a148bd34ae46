// tests/engine/host/device3d_test.cpp: the host's 3D device: exact coverage, texel-exact
// sampling, blending, fog, clipping to the viewport, sphere visibility and refusals.
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "tests/support/host_run.h"

namespace {

constexpr int32_t kSize = 64;

struct ScreenVertex {
    float x, y, z, rhw;
    uint32_t diffuse, specular;
    float u, v;
};

struct LitVertex {
    float x, y, z, nx, ny, nz, u, v;
};

constexpr HostPixelFormat kA4444 = {
    HOST_PF_RGB | HOST_PF_ALPHA, 16, 0x0F00, 0x00F0, 0x000F, 0xF000, 0, 0};

float Bits(uint32_t value)
{
    float f;
    std::memcpy(&f, &value, 4);
    return f;
}

uint32_t FloatBits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return bits;
}

// A 64 x 64 X8-8-8-8 target with a 24-bit z-buffer and 8 stencil bits, and a device on it.
class HostDevice3D : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(HostDisplayCreate(&m_display), HOST_OK);
        ASSERT_EQ(HostDisplayOpen(m_display, nullptr), HOST_OK);
        ASSERT_EQ(HostDisplayOpen3D(m_display), HOST_OK);
        const HostSurfaceDesc target{
            HOST_SURFACE_PLAIN, HOST_SURFACE_3D_DEVICE, kSize, kSize, HOST_FORMAT_XRGB8888, 0, 0};
        ASSERT_EQ(HostSurfaceCreate(m_display, target, &m_target), HOST_OK);
        const HostSurfaceDesc z{HOST_SURFACE_ZBUFFER, 0, kSize, kSize, HostZFormat(24, 8), 0, 0};
        ASSERT_EQ(HostSurfaceCreate(m_display, z, &m_z), HOST_OK);
        ASSERT_EQ(HostSurfaceAttachZBuffer(m_target, m_z), HOST_OK);
        ASSERT_EQ(HostDeviceCreate(m_display, HostDefaultDeviceGuid(), m_target, &m_device),
                  HOST_OK);
        ASSERT_EQ(HostDeviceClear(m_device, nullptr, 0, 7, 0xFF000000, 1.0f, 0), HOST_OK);
        ASSERT_EQ(HostDeviceBeginScene(m_device), HOST_OK);
    }

    void TearDown() override
    {
        if (m_device) HostDeviceRelease(m_device);
        if (m_z) HostSurfaceRelease(m_z);
        if (m_target) HostSurfaceRelease(m_target);
        if (m_display) HostDisplayRelease(m_display);
        EXPECT_EQ(HostInjectLiveSurfaces(), 0);
    }

    static HostGuid HostDefaultDeviceGuid() { return HostInjectDefaultAdapter().devices[0].guid; }

    void Set(uint32_t id, uint32_t value)
    {
        ASSERT_EQ(HostDeviceSetRenderState(m_device, id, value), HOST_OK) << "state " << id;
    }

    void SetStage(uint32_t id, uint32_t value)
    {
        ASSERT_EQ(HostDeviceSetStageState(m_device, 0, id, value), HOST_OK) << "stage " << id;
    }

    uint32_t Pixel(int32_t x, int32_t y)
    {
        void* bits = nullptr;
        int32_t pitch = 0;
        EXPECT_EQ(HostSurfaceLock(m_target, &bits, &pitch), HOST_OK);
        uint32_t value;
        std::memcpy(&value, static_cast<uint8_t*>(bits) + y * pitch + x * 4, 4);
        HostSurfaceUnlock(m_target);
        return value & 0xFFFFFF;
    }

    // A texture whose top level is filled from `texels` (0xAARRGGBB) in `format`.
    HostSurface* Texture(int32_t width, int32_t height, const HostPixelFormat& format,
                         const std::vector<uint32_t>& texels)
    {
        const HostSurfaceDesc desc{HOST_SURFACE_TEXTURE, 0, width, height, format, 0, 1};
        HostSurface* texture = nullptr;
        EXPECT_EQ(HostSurfaceCreate(m_display, desc, &texture), HOST_OK);
        HostSurface* source = nullptr;
        const HostSurfaceDesc plain{
            HOST_SURFACE_PLAIN,
            0,
            width,
            height,
            {HOST_PF_RGB | HOST_PF_ALPHA, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, 0, 0},
            0,
            0};
        EXPECT_EQ(HostSurfaceCreate(m_display, plain, &source), HOST_OK);
        void* bits = nullptr;
        int32_t pitch = 0;
        EXPECT_EQ(HostSurfaceLock(source, &bits, &pitch), HOST_OK);
        for (int32_t y = 0; y < height; ++y) {
            std::memcpy(static_cast<uint8_t*>(bits) + y * pitch, &texels[y * width], width * 4);
        }
        HostSurfaceUnlock(source);
        EXPECT_EQ(HostSurfaceBlit(texture, nullptr, source, nullptr), HOST_OK);
        HostSurfaceRelease(source);
        return texture;
    }

    // Texture coordinates from (u, v) at the top left to (u + 1, v + 1).
    void Quad(float x0, float y0, float x1, float y1, uint32_t diffuse, float z = 0.5f,
              float rhw = 1.0f, float u = 0, float v = 0)
    {
        const ScreenVertex fan[4] = {{x0, y0, z, rhw, diffuse, 0, u, v},
                                     {x1, y0, z, rhw, diffuse, 0, u + 1, v},
                                     {x1, y1, z, rhw, diffuse, 0, u + 1, v + 1},
                                     {x0, y1, z, rhw, diffuse, 0, u, v + 1}};
        ASSERT_EQ(HostDeviceDraw(m_device, HOST_PRIM_FAN, HOST_VERTEX_SCREEN, fan, 4), HOST_OK);
    }

    HostDisplay* m_display = nullptr;
    HostSurface* m_target = nullptr;
    HostSurface* m_z = nullptr;
    HostDevice* m_device = nullptr;

private:
    ScopedHeadlessHost m_host;
};

TEST_F(HostDevice3D, RandomMeshCoversEveryPixelOfItsRectangleExactlyOnce)
{
    // A 12 x 12 grid of corners over (4, 4)-(60, 60), the inner ones moved by random sub-pixel
    // amounts, split into triangles along alternating diagonals and drawn in a shuffled order.
    std::mt19937 random(43);
    std::uniform_real_distribution<float> jitter(-1.9f, 1.9f);
    constexpr int32_t kGrid = 12;
    float xs[kGrid][kGrid], ys[kGrid][kGrid];
    for (int32_t j = 0; j < kGrid; ++j) {
        for (int32_t i = 0; i < kGrid; ++i) {
            const bool inner = i > 0 && j > 0 && i < kGrid - 1 && j < kGrid - 1;
            // Every other corner on a quarter pixel, so that many edges run through centres.
            const auto moved = [&](float at) {
                const float offset = jitter(random);
                return at + (!inner ? 0 : (i + j) % 2 ? offset : std::round(offset * 4) / 4);
            };
            xs[j][i] = moved(4 + i * 56.0f / (kGrid - 1));
            ys[j][i] = moved(4 + j * 56.0f / (kGrid - 1));
        }
    }
    std::vector<ScreenVertex> triangles;
    const auto corner = [&](int32_t i, int32_t j) {
        return ScreenVertex{xs[j][i], ys[j][i], 0.5f, 1, 0xFFFFFFFF, 0, 0, 0};
    };
    for (int32_t j = 0; j + 1 < kGrid; ++j) {
        for (int32_t i = 0; i + 1 < kGrid; ++i) {
            const ScreenVertex a = corner(i, j), b = corner(i + 1, j), c = corner(i + 1, j + 1),
                               d = corner(i, j + 1);
            if ((i + j) % 2) {
                triangles.insert(triangles.end(), {a, b, c, a, c, d});
            } else {
                triangles.insert(triangles.end(), {a, b, d, b, c, d});  // the other diagonal
            }
        }
    }
    ASSERT_GE(triangles.size() / 3, 200u);
    Set(HOST_RS_CULL_MODE, HOST_CULL_NONE);
    Set(HOST_RS_Z_ENABLE, 0);
    Set(HOST_RS_STENCIL_ENABLE, 1);
    Set(HOST_RS_STENCIL_PASS, HOST_STENCIL_INCREMENT);
    ASSERT_EQ(HostDeviceDraw(m_device, HOST_PRIM_TRIANGLES, HOST_VERTEX_SCREEN, triangles.data(),
                             static_cast<uint32_t>(triangles.size())),
              HOST_OK);
    // Read the stencil back through stencil tests: green where it is 1, red where above.
    Set(HOST_RS_STENCIL_PASS, HOST_STENCIL_KEEP);
    Set(HOST_RS_STENCIL_FUNC, HOST_CMP_EQUAL);
    Set(HOST_RS_STENCIL_REF, 1);
    Quad(0, 0, kSize, kSize, 0xFF00FF00);
    Set(HOST_RS_STENCIL_FUNC, HOST_CMP_LESS);  // 1 < stored: a pixel drawn twice shows red
    Quad(0, 0, kSize, kSize, 0xFFFF0000);
    int32_t wrong = 0;
    for (int32_t y = 0; y < kSize; ++y) {
        for (int32_t x = 0; x < kSize; ++x) {
            const bool inside = x >= 4 && x < 60 && y >= 4 && y < 60;
            const uint32_t want = inside ? 0x00FF00 : 0x000000;
            if (Pixel(x, y) != want && wrong++ < 5)
                ADD_FAILURE() << x << "," << y << ": " << std::hex << Pixel(x, y);
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(HostDevice3D, TextureQuadReadsBackTexelForTexelWithPointAndLinearFiltering)
{
    // Constant w, so u and v are exact at every run's ends and step linearly between them: 32
    // texels make two whole runs; 21 x 11 (not powers of two) end on a run of 5 whose step is
    // not exact in binary, with coordinates from (-3, 5) that wrap to the same texels.
    struct Row {
        int32_t width, height;
        float x, y, u, v;
    };
    for (const Row& row : {Row{32, 32, 10, 10, 0, 0}, Row{21, 11, 5, 47, -3, 5}}) {
        const int32_t w = row.width, h = row.height;
        std::vector<uint32_t> texels(static_cast<size_t>(w * h));
        const uint32_t colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                texels[y * w + x] = colours[(x * 7 + y * 3 + x * y) % 4];
            }
        }
        HostSurface* texture = Texture(w, h, HOST_FORMAT_XRGB8888, texels);
        ASSERT_EQ(HostDeviceSetTexture(m_device, 0, texture), HOST_OK);
        const auto x0 = static_cast<int32_t>(row.x), y0 = static_cast<int32_t>(row.y);
        for (uint32_t filter : {HOST_FILTER_POINT, HOST_FILTER_LINEAR}) {
            SetStage(HOST_TSS_MAG_FILTER, filter);
            SetStage(HOST_TSS_MIN_FILTER, filter);
            Quad(row.x, row.y, row.x + w, row.y + h, 0xFFFFFFFF, 0.5f, 0.25f, row.u, row.v);
            int32_t wrong = 0;
            for (int32_t y = 0; y < h; ++y) {
                for (int32_t x = 0; x < w; ++x) {
                    wrong += Pixel(x0 + x, y0 + y) != (texels[y * w + x] & 0xFFFFFF);
                }
            }
            EXPECT_EQ(wrong, 0) << w << " x " << h << ", filter " << filter;
            EXPECT_EQ(Pixel(x0 - 1, y0 + h / 2), 0u);
            EXPECT_EQ(Pixel(x0 + w, y0 + h / 2), 0u);
        }
        HostDeviceSetTexture(m_device, 0, nullptr);
        HostSurfaceRelease(texture);
    }
}

TEST_F(HostDevice3D, ClearsOnlyItsRectanglesColourDepthAndStencil)
{
    const HostRect rects[2] = {{3, 5, 20, 9}, {40, 30, 41, 64}};
    ASSERT_EQ(HostDeviceClear(m_device, rects, 2, 7, 0xFF123456, 0.25f, 5), HOST_OK);
    // White at depth 0.5 passes the z test only where the depth is still 1; then blue where the
    // stencil holds 5.
    Quad(0, 0, kSize, kSize, 0xFFFFFFFF, 0.5f);
    Set(HOST_RS_Z_ENABLE, 0);
    Set(HOST_RS_STENCIL_ENABLE, 1);
    Set(HOST_RS_STENCIL_FUNC, HOST_CMP_EQUAL);
    Set(HOST_RS_STENCIL_REF, 5);
    Quad(0, 0, kSize, kSize, 0xFF0000FF);
    int32_t wrong = 0;
    for (int32_t y = 0; y < kSize; ++y) {
        for (int32_t x = 0; x < kSize; ++x) {
            const bool inside = (x >= 3 && x < 20 && y >= 5 && y < 9) || (x == 40 && y >= 30);
            wrong += Pixel(x, y) != (inside ? 0x0000FFu : 0xFFFFFFu);
        }
    }
    EXPECT_EQ(wrong, 0);
    // The colour alone, in the first rectangle only.
    ASSERT_EQ(HostDeviceClear(m_device, rects, 1, 1, 0xFF123456, 1.0f, 0), HOST_OK);
    EXPECT_EQ(Pixel(3, 5), 0x123456u);
    EXPECT_EQ(Pixel(19, 8), 0x123456u);
    EXPECT_EQ(Pixel(20, 8), 0xFFFFFFu);
    EXPECT_EQ(Pixel(40, 63), 0x0000FFu);
}

TEST_F(HostDevice3D, BlendsFogsAndModulatesExactly)
{
    Set(HOST_RS_Z_ENABLE, 0);
    // 50 % red over blue.
    Quad(0, 0, 8, 8, 0xFF0000FF);
    Set(HOST_RS_BLEND_ENABLE, 1);
    Set(HOST_RS_SOURCE_BLEND, HOST_BLEND_SOURCE_ALPHA);
    Set(HOST_RS_DEST_BLEND, HOST_BLEND_INVERSE_SOURCE_ALPHA);
    Quad(0, 0, 8, 8, 0x80FF0000);
    EXPECT_EQ(Pixel(4, 4), 0x80007Fu);  // (255 x 128 + 127) / 255 = 128, (255 x 127 + 127) / 255
    // Adding (one and one): 200 + 50 = 250, and saturating: 200 + 200 stops at 255.
    Set(HOST_RS_BLEND_ENABLE, 0);
    Quad(40, 0, 48, 8, 0xFF32C832);
    Set(HOST_RS_BLEND_ENABLE, 1);
    Set(HOST_RS_SOURCE_BLEND, HOST_BLEND_ONE);
    Set(HOST_RS_DEST_BLEND, HOST_BLEND_ONE);
    Quad(40, 0, 48, 8, 0xFFC8C8C8);
    EXPECT_EQ(Pixel(44, 4), 0xFAFFFAu);
    Set(HOST_RS_SOURCE_BLEND, HOST_BLEND_SOURCE_ALPHA);
    Set(HOST_RS_DEST_BLEND, HOST_BLEND_INVERSE_SOURCE_ALPHA);

    // A texel of alpha 8 in A4-4-4-4 blends at 8/15: 136 of 255.
    HostSurface* texture = Texture(1, 1, kA4444, {0x88FFFFFF});
    ASSERT_EQ(HostDeviceSetTexture(m_device, 0, texture), HOST_OK);
    Set(HOST_RS_BLEND_ENABLE, 0);
    Quad(8, 0, 16, 8, 0xFF000000);
    Set(HOST_RS_BLEND_ENABLE, 1);
    Quad(8, 0, 16, 8, 0xFFFFFFFF);
    EXPECT_EQ(Pixel(12, 4), 0x888888u);
    ASSERT_EQ(HostDeviceSetTexture(m_device, 0, nullptr), HOST_OK);
    HostSurfaceRelease(texture);
    Set(HOST_RS_BLEND_ENABLE, 0);

    // Eye distance 4025 between 50 and 8000 is half fog: white fogged towards black.
    Set(HOST_RS_FOG_ENABLE, 1);
    Set(HOST_RS_FOG_TABLE_MODE, HOST_FOG_LINEAR);
    Set(HOST_RS_FOG_START, FloatBits(50.0f));
    Set(HOST_RS_FOG_END, FloatBits(8000.0f));
    Set(HOST_RS_FOG_COLOUR, 0x000000);
    Quad(16, 0, 24, 8, 0xFFFFFFFF, 0.5f, 1.0f / 4025.0f);
    const uint32_t fogged = Pixel(20, 4);
    EXPECT_NEAR(static_cast<int32_t>(fogged & 0xFF), 128, 1);
    Quad(24, 0, 32, 8, 0xFFFFFFFF, 0.5f, 1.0f / 20.0f);  // nearer than the start: no fog
    EXPECT_EQ(Pixel(28, 4), 0xFFFFFFu);
    Quad(32, 0, 40, 8, 0xFFFFFFFF, 0.5f, 1.0f / 9000.0f);  // beyond the end: all fog
    EXPECT_EQ(Pixel(36, 4), 0u);
    (void)Bits;
}

// A perspective camera looking down +z from the origin, 90 degrees, near 1, far 100.
void Perspective(float* m)
{
    const float n = 1.0f, f = 100.0f, q = f / (f - n);
    const float rows[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, q, 1, 0, 0, -q * n, 0};
    std::memcpy(m, rows, sizeof rows);
}

TEST_F(HostDevice3D, ClippedTrianglesTouchNothingOutsideTheViewport)
{
    float projection[16];
    Perspective(projection);
    ASSERT_EQ(HostDeviceSetTransform(m_device, HOST_TRANSFORM_PROJECTION, projection), HOST_OK);
    ASSERT_EQ(HostDeviceSetViewport(m_device, {8, 12, 40, 30, 0.0f, 1.0f}), HOST_OK);
    // The canary: the whole target red, drawn before the viewport narrowed nothing else.
    Set(HOST_RS_LIGHTING, 0);
    Set(HOST_RS_CULL_MODE, HOST_CULL_NONE);
    Set(HOST_RS_Z_ENABLE, 0);
    // Huge triangles crossing every side and the near plane, and one wholly behind the eye.
    const LitVertex crossing[] = {
        {-500, -400, 0.5f, 0, 0, -1, 0, 0}, {600, -300, 50, 0, 0, -1, 0, 0},
        {0, 700, 3, 0, 0, -1, 0, 0},        {-5, -5, -10, 0, 0, -1, 0, 0},
        {5, -5, -10, 0, 0, -1, 0, 0},       {0, 5, -2, 0, 0, -1, 0, 0},
    };
    ASSERT_EQ(HostDeviceDraw(m_device, HOST_PRIM_TRIANGLES, HOST_VERTEX_NORMAL_UV, crossing, 6),
              HOST_OK);
    EXPECT_EQ(HostInjectDeviceStats().triangles > 0, true);
    int32_t inside = 0, outside = 0;
    for (int32_t y = 0; y < kSize; ++y) {
        for (int32_t x = 0; x < kSize; ++x) {
            const bool in = x >= 8 && x < 48 && y >= 12 && y < 42;
            (in ? inside : outside) += Pixel(x, y) == 0xFFFFFF;
        }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(inside, 40 * 30) << "the triangle covers the whole viewport";

    // Corners that are not numbers, or infinitely far, are clipped away without harm.
    const float nan = std::nanf(""), inf = INFINITY;
    const LitVertex broken[] = {
        {nan, 0, 5, 0, 0, -1, 0, 0}, {1, nan, 5, 0, 0, -1, 0, 0}, {inf, -inf, 5, 0, 0, -1, 0, 0},
        {0, 0, 5, 0, 0, -1, 0, 0},   {inf, 0, 5, 0, 0, -1, 0, 0}, {0, -inf, inf, 0, 0, -1, 0, 0},
    };
    ASSERT_EQ(HostDeviceDraw(m_device, HOST_PRIM_FAN, HOST_VERTEX_NORMAL_UV, broken, 6), HOST_OK);
    ASSERT_EQ(HostDeviceDraw(m_device, HOST_PRIM_LINES, HOST_VERTEX_NORMAL_UV, broken, 6), HOST_OK);

    // Corners all behind the eye draw nothing.
    const uint32_t before = HostInjectDeviceStats().triangles;
    ASSERT_EQ(HostDeviceDraw(m_device, HOST_PRIM_TRIANGLES, HOST_VERTEX_NORMAL_UV, crossing + 3, 3),
              HOST_OK);
    EXPECT_EQ(HostInjectDeviceStats().triangles, before);
    for (int32_t y = 0; y < kSize; ++y) {
        for (int32_t x = 0; x < kSize; ++x) {
            if (x < 8 || x >= 48 || y < 12 || y >= 42) outside += Pixel(x, y) != 0;
        }
    }
    EXPECT_EQ(outside, 0);
}

TEST_F(HostDevice3D, SpheresAreInsideCrossingOrOutsideThePlanes)
{
    float projection[16];
    Perspective(projection);
    ASSERT_EQ(HostDeviceSetTransform(m_device, HOST_TRANSFORM_PROJECTION, projection), HOST_OK);
    const float centres[] = {0, 0, 10, -10, 0, 10, 0, 0, 150, 0, 0, -5};
    const float radii[] = {1, 1, 10, 1};
    uint32_t results[4] = {};
    ASSERT_EQ(HostDeviceSphereVisibility(m_device, centres, radii, 4, results), HOST_OK);
    EXPECT_EQ(results[0], 0u);                                 // inside
    EXPECT_EQ(results[1], 1u << 0);                            // crossing the left plane x = -z
    EXPECT_EQ(results[2], 1u << (12 + 5));                     // beyond the far plane
    EXPECT_EQ(results[3] & (1u << (12 + 4)), 1u << (12 + 4));  // behind the near plane
}

TEST_F(HostDevice3D, LightingOffDrawsWhiteTimesTheTexture)
{
    HostSurface* texture = Texture(1, 1, HOST_FORMAT_XRGB8888, {0xFF336699});
    ASSERT_EQ(HostDeviceSetTexture(m_device, 0, texture), HOST_OK);
    float projection[16];
    Perspective(projection);
    ASSERT_EQ(HostDeviceSetTransform(m_device, HOST_TRANSFORM_PROJECTION, projection), HOST_OK);
    const LitVertex triangle[] = {
        {-5, 5, 5, 0, 0, -1, 0, 0}, {5, 5, 5, 0, 0, -1, 0, 0}, {0, -5, 5, 0, 0, -1, 0, 0}};
    Set(HOST_RS_CULL_MODE, HOST_CULL_NONE);
    Set(HOST_RS_LIGHTING, 0);
    ASSERT_EQ(HostDeviceDraw(m_device, HOST_PRIM_TRIANGLES, HOST_VERTEX_NORMAL_UV, triangle, 3),
              HOST_OK);
    EXPECT_EQ(Pixel(32, 30), 0x336699u);
    // Lit without lights: the black material's ambient and emissive, so black.
    Set(HOST_RS_LIGHTING, 1);
    ASSERT_EQ(HostDeviceDraw(m_device, HOST_PRIM_TRIANGLES, HOST_VERTEX_NORMAL_UV, triangle, 3),
              HOST_OK);
    EXPECT_EQ(Pixel(32, 30), 0u);
    HostDeviceSetTexture(m_device, 0, nullptr);
    HostSurfaceRelease(texture);
}

TEST_F(HostDevice3D, RefusesWhatItCannotDo)
{
    const ScreenVertex fan[3] = {};
    struct Row {
        const char* what;
        HostResult result;
    };
    void* bits;
    int32_t pitch;
    const Row rows[] = {
        {"an unused state at another value", HostDeviceSetRenderState(m_device, 26, 1)},
        {"an unused state at its default", HostDeviceSetRenderState(m_device, 26, 0)},
        {"state 153", HostDeviceSetRenderState(m_device, 153, 0)},
        {"a compare function out of range", HostDeviceSetRenderState(m_device, HOST_RS_Z_FUNC, 9)},
        {"stage 1", HostDeviceSetStageState(m_device, 1, HOST_TSS_COLOUR_OP, 1)},
        {"stage state 25", HostDeviceSetStageState(m_device, 0, 25, 0)},
        {"a texture transform", HostDeviceSetStageState(m_device, 0, HOST_TSS_TRANSFORM_FLAGS, 1)},
        {"an unknown vertex format", HostDeviceDraw(m_device, HOST_PRIM_FAN, 0x44, fan, 3)},
        {"an unknown primitive", HostDeviceDraw(m_device, 9, HOST_VERTEX_SCREEN, fan, 3)},
        {"an index out of range",
         HostDeviceDrawIndexed(m_device, HOST_PRIM_FAN, HOST_VERTEX_SCREEN, fan, 3,
                               std::vector<uint16_t>{0, 1, 3}.data(), 3)},
        {"a second begin", HostDeviceBeginScene(m_device)},
        {"a lock", HostSurfaceLock(m_target, &bits, &pitch)},
        {"a draw into the locked target",
         HostDeviceDraw(m_device, HOST_PRIM_FAN, HOST_VERTEX_SCREEN, fan, 3)},
        {"the unlock", HostSurfaceUnlock(m_target)},
        {"the end", HostDeviceEndScene(m_device)},
        {"a draw outside a scene",
         HostDeviceDraw(m_device, HOST_PRIM_FAN, HOST_VERTEX_SCREEN, fan, 3)},
        {"a viewport past the target", HostDeviceSetViewport(m_device, {60, 0, 8, 8, 0, 1})},
        {"a light that was never set", HostDeviceLightEnable(m_device, 3, true)},
    };
    const HostResult expected[] = {HOST_E_UNSUPPORTED,
                                   HOST_OK,
                                   HOST_E_BAD_ARGUMENT,
                                   HOST_E_UNSUPPORTED,
                                   HOST_E_BAD_ARGUMENT,
                                   HOST_E_BAD_ARGUMENT,
                                   HOST_E_UNSUPPORTED,
                                   HOST_E_UNSUPPORTED,
                                   HOST_E_UNSUPPORTED,
                                   HOST_E_BAD_ARGUMENT,
                                   HOST_E_GENERIC,
                                   HOST_OK,
                                   HOST_E_GENERIC,
                                   HOST_OK,
                                   HOST_OK,
                                   HOST_E_GENERIC,
                                   HOST_E_BAD_ARGUMENT,
                                   HOST_E_BAD_ARGUMENT};
    static_assert(std::size(rows) == std::size(expected));
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(rows[i].result, expected[i]) << rows[i].what;
    }
    uint32_t value = 0;
    ASSERT_EQ(HostDeviceGetRenderState(m_device, 26, &value), HOST_OK);
    EXPECT_EQ(value, 0u) << "a refused value is not kept";
}

}  // namespace
