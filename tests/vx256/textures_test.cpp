// The software texture table over a test archive: slot reuse, the two kit pixel operations on
// small and on large textures, the refusals, and a tear-down that gives back every block.
#include "vx256/textures.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

std::vector<uint8_t> Image(int32_t width, int32_t height, const std::vector<uint8_t>& pixels)
{
    std::vector<uint8_t> bytes = {static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8),
                                  static_cast<uint8_t>(height), static_cast<uint8_t>(height >> 8)};
    for (int32_t i = 0; i < width * height; ++i)
        bytes.push_back(pixels[i % pixels.size()]);
    return bytes;
}

TestPakFile File(const std::string& name, std::vector<uint8_t> bytes)
{
    return {"vxdata\\software\\" + name, std::move(bytes)};
}

class ScopedTextures {
public:
    ScopedTextures()
    {
        ResetCoreForTest();
        MemoryInit();
        PakFileInit();
        WriteTestPak(m_dir.Path(),
                     {File("kit.gfx", Image(4, 2, {0, 47, 48, 91, 92, 135, 136, 255})),
                      File("num.gfx", Image(4, 2, {0, 7, 0, 0, 9, 0, 0, 1})),
                      File("wide.gfx", Image(2, 4, {1})), File("big.gfx", Image(256, 256, {50, 0})),
                      File("bigmark.gfx", Image(256, 256, {0, 0, 0, 200})),
                      File("tiny.gfx", Image(1, 1, {5})), File("short.gfx", {4, 0, 4, 0, 1, 2, 3}),
                      File("empty.gfx", {0, 0, 4, 0}), File("flat.gfx", {4, 0, 0, 0})});
        DataFolderInit(m_dir.Path().c_str());
        PakMount("pakfiles\\hdcommon");
        TEXT_ClearTable();
    }
    ~ScopedTextures()
    {
        TEXT_FreeKitTextures();
        PakFileUninit();
        MemoryUninit();
        ResetCoreForTest();
    }

private:
    TempDir m_dir;
};

std::vector<uint8_t> Pixels(int32_t slot)
{
    int32_t width = 0, height = 0;
    KIT_GetTextureSize(slot, &width, &height);
    const auto* first = reinterpret_cast<const uint8_t*>(GetTexture(slot)) + 4;
    return {first, first + width * height};
}

TEST(SoftTextures, SlotsAreTakenLowestFirstReusedAndFreedWhole)
{
    ScopedTextures textures;
    const MemoryStatistics empty = MemoryStats();
    EXPECT_EQ(TEXT_CreateTexture("kit.gfx"), 0);
    EXPECT_EQ(TEXT_CreateTexture("big.gfx"), 1);
    TEXT_ModifyTextureWithOverlay(1, "bigmark.gfx");  // its own block, gone again
    TEXT_FreeKitTextures();
    EXPECT_EQ(MemoryStats().blocks, empty.blocks);
    EXPECT_EQ(MemoryStats().bytes, empty.bytes);
    EXPECT_EQ(TEXT_CreateTexture("wide.gfx"), 0);
    int32_t width = 0, height = 0;
    KIT_GetTextureSize(0, &width, &height);
    EXPECT_EQ(width * 10 + height, 24);
    // A slot above the kits' survives their release; clearing the table frees it too.
    for (int32_t i = 1; i <= TEXT_KIT_SLOTS; ++i)
        ASSERT_EQ(TEXT_CreateTexture("tiny.gfx"), i);
    TEXT_FreeKitTextures();
    EXPECT_EQ(MemoryStats().blocks, empty.blocks + 1);
    TEXT_ClearTable();
    EXPECT_EQ(MemoryStats().blocks, empty.blocks);
}

TEST(SoftTextures, BandShiftAndOverlayChangeOnlyTheirPixelsWhateverTheSize)
{
    ScopedTextures textures;
    std::vector<int32_t> slots;
    for (int16_t side = 0; side < 3; ++side) {
        slots.push_back(TEXT_CreateTexture("kit.gfx"));
        TEXT_ShiftKitBand(slots.back(), side);
    }
    EXPECT_EQ(Pixels(slots[0]), (std::vector<uint8_t>{0, 47, 48, 91, 92, 135, 136, 255}));
    EXPECT_EQ(Pixels(slots[1]), (std::vector<uint8_t>{0, 47, 92, 135, 92, 135, 136, 255}));
    EXPECT_EQ(Pixels(slots[2]), Pixels(slots[0]));
    TEXT_ModifyTextureWithOverlay(slots[0], "num.gfx");
    EXPECT_EQ(Pixels(slots[0]), (std::vector<uint8_t>{0, 7, 48, 91, 9, 135, 136, 1}));
    // 65,536 pixels: a 16-bit count would leave this texture untouched.
    const int32_t big = TEXT_CreateTexture("big.gfx");
    TEXT_ShiftKitBand(big, 1);
    TEXT_ModifyTextureWithOverlay(big, "bigmark.gfx");
    const std::vector<uint8_t> pixels = Pixels(big);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        ASSERT_EQ(pixels[i], 94) << i;
        ASSERT_EQ(pixels[i + 3], 200) << i;
    }
}

TEST(SoftTexturesDeathTest, RefusalsNameTheirCause)
{
    const auto created = [](const char* name) {
        ScopedTextures textures;
        TEXT_CreateTexture(name);
    };
    EXPECT_FATAL(created("short.gfx"), "TEXT_CreateTexture(): 'short.gfx' is damaged");
    EXPECT_FATAL(created("empty.gfx"), "TEXT_CreateTexture(): 'empty.gfx' is damaged");
    EXPECT_FATAL(created("flat.gfx"), "TEXT_CreateTexture(): 'flat.gfx' is damaged");
    const auto size = [](int32_t slot) {
        ScopedTextures textures;
        TEXT_CreateTexture("kit.gfx");
        int32_t width = 0, height = 0;
        KIT_GetTextureSize(slot, &width, &height);
    };
    EXPECT_FATAL(size(-1), "Error: KIT_GetTextureSize(): invalid texture number - -1\n");
    EXPECT_FATAL(size(TEXT_MAX_TEXTURES),
                 "Error: KIT_GetTextureSize(): invalid texture number - 10255\n");
    EXPECT_FATAL(size(1), "Error: KIT_GetTextureSize(): texture no 1 not loaded\n");
    EXPECT_FATAL(
        {
            ScopedTextures textures;
            TEXT_ModifyTextureWithOverlay(TEXT_CreateTexture("kit.gfx"), "wide.gfx");
        },
        "Error: TEXT_ModifyTextureWithOverlay sizes dont match Source:2x4, Dest:4x2");
    EXPECT_FATAL(
        {
            ScopedTextures textures;
            for (int32_t i = 0; i <= TEXT_MAX_TEXTURES; ++i)
                TEXT_CreateTexture("tiny.gfx");
        },
        "Abort error: TEXT_CreateTexture(): too many textures created\n(File: textures  Line: 65)");
}

}  // namespace
