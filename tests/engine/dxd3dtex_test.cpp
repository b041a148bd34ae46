// tests/engine/dxd3dtex_test.cpp: texture formats and their choice, images adapted to the
// device's limits, mip-maps, the alpha decision and the handle checks.
#include "engine/dxd3dtex.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxd3d.h"
#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/memory.h"
#include "tests/support/gfx_run.h"
#include "tests/support/support.h"

namespace {

constexpr HostPixelFormat kX1555 = HOST_FORMAT_RGB555;
constexpr HostPixelFormat kA1555 = {
    HOST_PF_RGB | HOST_PF_ALPHA, 16, 0x7C00, 0x03E0, 0x001F, 0x8000, 0, 0};
constexpr HostPixelFormat kA4444 = {
    HOST_PF_RGB | HOST_PF_ALPHA, 16, 0x0F00, 0x00F0, 0x000F, 0xF000, 0, 0};
constexpr HostPixelFormat kA2 = {
    HOST_PF_RGB | HOST_PF_ALPHA, 16, 0x3E00, 0x01F0, 0x000F, 0xC000, 0, 0};
constexpr HostPixelFormat kPalette16 = {HOST_PF_RGB | HOST_PF_PALETTE8, 16, 0, 0, 0, 0, 0, 0};

constexpr uint32_t kSolid32 = D3DTEX_SOURCE_RGBA | D3DTEX_WANT_32BIT | D3DTEX_ALPHA_SOLID;

// The default adapter with its device changed by `change`.
template <typename Change>
HostFakeAdapter AdapterWith(Change change)
{
    HostFakeAdapter adapter = HostInjectDefaultAdapter();
    change(adapter);
    return adapter;
}

// The graphics layer with the 3D device in a 640 x 480 mode of this kind.
class Textures {
public:
    explicit Textures(int32_t kind = DDRAW_KIND_16BIT, const HostFakeAdapter* adapter = nullptr)
        : m_graphics(true, 1, adapter)
    {
        SetGraphicMode(GfxFindMode(640, 480, kind), DDRAW_MODE_3D_DEVICE | DDRAW_MODE_ZBUFFER);
    }

private:
    ScopedGraphics m_graphics;
};

// A tracked RGBA image, `offset` bytes into its block; pixel(x, y) gives its R, G, B, A bytes.
template <typename Pixel>
void Image(void** block, uint32_t w, uint32_t h, uint32_t offset, Pixel pixel)
{
    AllocateMemory(block, offset + w * h * 4, MEM_TYPE_GAME);
    auto* bytes = static_cast<uint8_t*>(*block) + offset;
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            const uint32_t rgba = pixel(x, y);
            std::memcpy(bytes + (y * w + x) * 4, &rgba, 4);
        }
    }
}

// Makes a texture from an image; the block is consumed.
template <typename Pixel>
int32_t Make(uint32_t w, uint32_t h, uint32_t flags, Pixel pixel, uint32_t offset = 12)
{
    void* block = nullptr;
    Image(&block, w, h, offset, pixel);
    const int32_t handle = D3DTexAdvancedCreateTexture(w, h, &block, offset, flags);
    EXPECT_EQ(block, nullptr) << "the block is freed";
    return handle;
}

struct Level {
    int32_t width;
    int32_t height;
    std::vector<uint32_t> pixels;  // raw, 16- or 32-bit values
};

std::vector<Level> Levels(int32_t handle)
{
    std::vector<Level> levels;
    HostSurface* level = D3DTexAccessDDrawSurface(handle);
    HostSurfaceAddRef(level);
    while (level != nullptr) {
        Level l{};
        HostSurfaceSize(level, &l.width, &l.height);
        HostPixelFormat format{};
        HostSurfaceGetFormat(level, &format);
        void* bits = nullptr;
        int32_t pitch = 0;
        EXPECT_EQ(HostSurfaceLock(level, &bits, &pitch), HOST_OK);
        const uint32_t bytes = format.bitCount / 8;
        for (int32_t y = 0; y < l.height; ++y) {
            for (int32_t x = 0; x < l.width; ++x) {
                uint32_t value = 0;
                std::memcpy(&value, static_cast<uint8_t*>(bits) + y * pitch + x * bytes, bytes);
                l.pixels.push_back(value);
            }
        }
        HostSurfaceUnlock(level);
        levels.push_back(l);
        HostSurface* next = nullptr;
        if (HostFailed(HostSurfaceGetNextMipLevel(level, &next))) next = nullptr;
        HostSurfaceRelease(level);
        level = next;
    }
    return levels;
}

uint32_t Rgba(uint32_t r, uint32_t g, uint32_t b, uint32_t a = 255)
{
    return r | g << 8 | b << 16 | a << 24;
}

TEST(D3DTex, FindsTheBestFormatForEachRequest)
{
    struct Row {
        uint16_t request;
        int32_t format;
    };
    {
        Textures textures;  // 5-6-5, X1-5-5-5, A1-5-5-5, A4-4-4-4, X8-8-8-8, A8-8-8-8
        EXPECT_EQ(D3DTexFormatCount(), 6);
        EXPECT_EQ(D3DTexDefaultDepth(), 0x20u);
        const Row rows[] = {
            {0x01, 0}, {0x02, 2}, {0x03, 3},  {0x31, 4},  {0x32, 5},
            {0x33, 5}, {0x11, 0}, {0x04, -1}, {0x07, -1}, {0x121, 0},  // only the low byte is read
        };
        for (const Row& row : rows) {
            EXPECT_EQ(D3DTexFindTextureFormat(row.request), row.format) << row.request;
        }
    }
    {
        Textures textures(DDRAW_KIND_32BIT);
        EXPECT_EQ(D3DTexDefaultDepth(), 0x30u);
        EXPECT_EQ(D3DTexFindTextureFormat(0x01), 4);
    }
    // A device offering formats of 0, 1, 2 and 4 alpha bits, two equal ones, and palettes of 16
    // bits (skipped) and 8.
    const HostFakeAdapter adapter = AdapterWith([](HostFakeAdapter& a) {
        const HostPixelFormat formats[] = {
            kX1555, kA1555, kA2, kA4444, kA4444, kPalette16, HOST_FORMAT_PALETTE8};
        a.textureFormatCount = 7;
        std::copy(formats, formats + 7, a.textureFormats);
    });
    Textures textures(DDRAW_KIND_16BIT, &adapter);
    EXPECT_EQ(D3DTexFormatCount(), 6);
    const Row rows[] = {{0x03, 3}, {0x02, 1}, {0x01, 0}, {0x33, 3}, {0x04, 5}};
    for (const Row& row : rows) {
        EXPECT_EQ(D3DTexFindTextureFormat(row.request), row.format) << row.request;
    }
}

TEST(D3DTex, DecidesTheAlphaKindFromThePixels)
{
    Textures textures;
    const auto pick = [](std::vector<uint32_t> alphas) {
        const int32_t handle = Make(4, 4, D3DTEX_SOURCE_RGBA, [&](uint32_t x, uint32_t y) {
            return Rgba(10, 20, 30, alphas[(x + y * 4) % alphas.size()]);
        });
        return D3DTexReadTextureFormat(handle);
    };
    EXPECT_EQ(pick({255, 128}), 0) << "partial without transparent is solid";
    EXPECT_EQ(pick({0, 255}), 2) << "transparent";
    EXPECT_EQ(pick({0, 128, 255}), 3) << "semi-transparent";
}

TEST(D3DTex, MipMapsHalveDownToTwoPixelsEachTheMeanOfTheLevelBefore)
{
    Textures textures;
    const int32_t handle = Make(256, 256, kSolid32 | D3DTEX_MIPMAPS, [](uint32_t x, uint32_t y) {
        return Rgba((x * 37 + y) & 0xFF, (x ^ y) & 0xFF, (x * y) & 0xFF);
    });
    const std::vector<Level> levels = Levels(handle);
    ASSERT_EQ(levels.size(), 8u);
    EXPECT_EQ(levels.back().width, 2);
    for (size_t k = 1; k < levels.size(); ++k) {
        const Level& big = levels[k - 1];
        const Level& small = levels[k];
        ASSERT_EQ(small.width * 2, big.width);
        for (int32_t y = 0; y < small.height; ++y) {
            for (int32_t x = 0; x < small.width; ++x) {
                for (uint32_t shift : {0u, 8u, 16u}) {
                    uint32_t sum = 0;
                    for (int32_t d = 0; d < 4; ++d) {
                        sum +=
                            big.pixels[(2 * y + d / 2) * big.width + 2 * x + d % 2] >> shift & 0xFF;
                    }
                    ASSERT_EQ(small.pixels[y * small.width + x] >> shift & 0xFF, sum / 4)
                        << "level " << k << " at " << x << "," << y;
                }
            }
        }
    }
    // One pixel high: no mip-maps.
    const int32_t flat =
        Make(8, 1, kSolid32 | D3DTEX_MIPMAPS, [](uint32_t, uint32_t) { return 0u; });
    EXPECT_EQ(Levels(flat).size(), 1u);
}

TEST(D3DTex, ImagesAreFittedToTheDeviceLimits)
{
    const auto stripes = [](uint32_t, uint32_t y) { return Rgba(y * 16, 0, 0); };
    {
        // Square only: 64 x 16 becomes 64 x 64, each row four times.
        const HostFakeAdapter square = AdapterWith([](HostFakeAdapter& a) {
            a.devices[0].caps |= HOST_DEV_SQUARE_TEXTURES;
            a.devices[0].maxTextureWidth = a.devices[0].maxTextureHeight = 256;
            a.devices[0].minTextureWidth = a.devices[0].minTextureHeight = 8;
            a.devices[0].maxTextureAspect = 2;
        });
        Textures textures(DDRAW_KIND_16BIT, &square);
        const Level level = Levels(Make(64, 16, kSolid32, stripes))[0];
        ASSERT_EQ(level.width, 64);
        ASSERT_EQ(level.height, 64);
        for (int32_t y = 0; y < 64; ++y) {
            EXPECT_EQ(level.pixels[y * 64 + 5] & 0xFFFFFF, (y / 4 * 16u) << 16) << y;
        }
        // 16 x 64 likewise grows across, each pixel four times.
        const Level tall = Levels(
            Make(16, 64, kSolid32, [](uint32_t x, uint32_t) { return Rgba(0, x * 16, 0); }))[0];
        ASSERT_EQ(tall.width, 64);
        for (int32_t x = 0; x < 64; ++x) {
            EXPECT_EQ(tall.pixels[9 * 64 + x] & 0xFFFFFF, (x / 4 * 16u) << 8) << x;
        }
        // Max 256 halves a 1024 image twice; min 8 doubles a 2 x 2 image twice.
        const Level large = Levels(Make(1024, 1024, kSolid32, stripes))[0];
        EXPECT_EQ(large.width, 256);
        const Level tiny = Levels(Make(
            2, 2, kSolid32, [](uint32_t x, uint32_t y) { return Rgba(x * 100, y * 100, 0); }))[0];
        ASSERT_EQ(tiny.width, 8);
        EXPECT_EQ(tiny.pixels[7 * 8 + 0] & 0xFFFFFF, 100u << 8) << "the lower left quarter";
    }
    // Aspect at most 2: 64 x 8 grows to 64 x 32 in its own block (AddressSanitizer watches).
    const HostFakeAdapter aspect =
        AdapterWith([](HostFakeAdapter& a) { a.devices[0].maxTextureAspect = 2; });
    Textures textures(DDRAW_KIND_16BIT, &aspect);
    const Level level = Levels(Make(64, 8, kSolid32, stripes, 100))[0];
    ASSERT_EQ(level.width, 64);
    ASSERT_EQ(level.height, 32);
    EXPECT_EQ(level.pixels[31 * 64] & 0xFFFFFF, (7 * 16u) << 16);
}

TEST(D3DTex, BindingTheBoundTextureAgainCallsNothing)
{
    Textures textures;
    const int32_t handle = Make(4, 4, kSolid32, [](uint32_t, uint32_t) { return 0u; });
    D3DTexSetCurrentHandle(handle);
    const uint32_t binds = HostInjectDeviceStats().textureBinds;
    D3DTexSetCurrentHandle(handle);
    EXPECT_EQ(HostInjectDeviceStats().textureBinds, binds);
    D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
    EXPECT_EQ(HostInjectDeviceStats().textureBinds, binds + 1);
}

TEST(D3DTexDeathTest, MisuseEndsWithItsText)
{
    const auto with = [](auto misuse) {
        return [misuse] {
            Textures textures;
            misuse();
        };
    };
    const auto black = [](uint32_t, uint32_t) { return 0u; };
    EXPECT_FATAL(with([&] { Make(4, 4, D3DTEX_ALPHA_SOLID, black); })(),
                 "D3DTexAdvancedCreateTexture(): unknown format");
    EXPECT_FATAL(with([&] { Make(6, 4, kSolid32, black); })(),
                 "D3DTexAdvancedCreateTexture(): texture size must be a power of two");
    EXPECT_FATAL(with([] {
                     const uint16_t texel = 0;
                     for (int32_t i = 0; i <= D3DTEX_MAX_TEXTURES; ++i) {
                         D3DTexCreateTexture(1, 1, &texel, 0);
                     }
                 })(),
                 "D3DTexCreateTextureEx(): cannot create any more textures");
    EXPECT_FATAL(with([] { D3DTexFindTextureFormat(0x20); })(),
                 "D3DTexFindTextureFormat(): no D3DTEX_FORMAT_* value specified");
    EXPECT_FATAL(with([] { D3DTexFindTextureFormat(0x41); })(),
                 "D3DTexFindTextureFormat(): unknown bit depth requested");
    EXPECT_FATAL(with([] { D3DTexFindTextureFormat(0x08); })(),
                 "D3DTexFindTextureFormat(): unknown texture format");
    EXPECT_FATAL(with([] { D3DTexGetTextureFormat(D3DTEX_NULL_FORMAT); })(),
                 "D3DTexGetTextureFormat(): Format value out of range (was D3DTEX_NULL_FORMAT "
                 "passed?)");
    EXPECT_FATAL(with([] {
                     const uint16_t texels[8 + 2 + 1] = {};
                     D3DTexCreateTextureEx(4, 2, 3, texels, 0);  // the third level is 1 x 1
                 })(),
                 "D3DTexCreateTextureEx(): size mismatch for surface");
    // Negative handles are out of range, like those past the table.
    EXPECT_FATAL(with([] { D3DTexSetCurrentHandle(-2); })(),
                 "D3DTexSetCurrentHandle(): texture handle out of range");
    EXPECT_FATAL(with([] { D3DTexDestroyTexture(-1); })(),
                 "D3DTexDestroyTexture(): texture handle out of range");
    EXPECT_FATAL(with([] { D3DTexAccessDDrawSurface(-5); })(),
                 "D3DTexAccessDDrawSurface(): texture handle out of range");
    EXPECT_FATAL(with([] { D3DTexReadTextureFormat(1024); })(),
                 "D3DTexReadTextureFormat(): texture handle out of range");
    EXPECT_FATAL(with([&] {
                     const int32_t handle = Make(4, 4, kSolid32, black);
                     D3DTexDestroyTexture(handle);
                     D3DTexSetCurrentHandle(handle);
                 })(),
                 "D3DTexSetCurrentHandle(): texture doesn't exist");
}

}  // namespace
