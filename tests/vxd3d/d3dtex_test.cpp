// The device view's icon sets and texture slots: the generated sets loaded whole, damaged set and
// texture files refused, the slots filled to the device's limit and freed for reuse, overlays
// blended over ramp colours, and the ramps' shades, blanks and clamped colour numbers.
#include "vxd3d/d3dtex.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxd3d.h"
#include "engine/dxd3dtex.h"
#include "engine/memory.h"
#include "game/kitcolours.h"
#include "game/records.h"
#include "tests/support/device_data.h"
#include "vxd3d/d3dicon.h"
#include "vxd3d/gfxmgr.h"

namespace {

uint32_t Rgb(int32_t colour)
{
    const KitColour& c = KitColourTable[colour];
    return static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 | c.b;
}

TEST(Icon, TheFifteenSetsLoadIntoFewPagesAndEveryHandleOfASetHasItsSize)
{
    ScopedDeviceData data;
    const MemoryStatistics before = MemoryStats();
    Icon_Init();
    EXPECT_LE(GfxMgr_PageCount(), MAX_TEXTURES);
    for (int32_t s = 0; s < ICON_SETS; ++s) {
        const IconSet& set = IconSets[s];
        ASSERT_GT(set.count, 0) << set.name;
        EXPECT_EQ(Icon_GetWidth(Icon_Handle(s, 0)), set.width);
        EXPECT_EQ(Icon_GetWidth(Icon_Handle(s, set.count - 1)), set.width) << set.name;
        EXPECT_EQ(Icon_GetHeight(Icon_Handle(s, 0xFFFF)), set.height) << set.name;
        EXPECT_EQ(set.widths != nullptr, s >= ICON_FIRST_FONT) << set.name;
    }
    EXPECT_EQ(IconSets[4].count, 3);
    EXPECT_EQ(IconSets[11].count, 20);
    EXPECT_EQ(IconSets[14].count, 256);
    // The fonts' blank control codes share one place.
    const GfxMgrIcon& one = GfxMgr_GetIcon(IconSets[12].icons[1]);
    const GfxMgrIcon& two = GfxMgr_GetIcon(IconSets[12].icons[2]);
    EXPECT_EQ(one.x, two.x);
    EXPECT_EQ(one.y, two.y);
    // The pointer drawn whole at its top left, then as a section by its bottom right: its
    // white point 2 across and 5 down lands in both places.
    D3DClearScene(D3D_CLEAR_TARGET);
    D3DBeginScene();
    Icon_Draw(Icon_Handle(0, 0), 100, 100, 0x11);
    Icon_DrawSection(Icon_Handle(0, 0), 300, 300, 0, 0, 16, 24, 0x33, 1);
    D3DEndScene();
    PresentNow();
    EXPECT_NE(FrameRgb(102, 105), 0u);
    EXPECT_EQ(FrameRgb(99, 105), 0u);
    EXPECT_NE(FrameRgb(284 + 2, 276 + 5), 0u);
    EXPECT_EQ(FrameRgb(300 + 2, 300 + 5), 0u);
    Icon_Uninit();
    EXPECT_EQ(MemoryStats().blocks, before.blocks);
    EXPECT_EQ(MemoryStats().bytes, before.bytes);
}

TEST(TexD3D, RampsShadeEachGroupDownToASixteenthAndLeaveTheRestBlack)
{
    ScopedDeviceData data;
    TexD3D_AllocRamps();
    KitDesign kit{};
    for (int32_t slot = 0; slot < TEXD3D_RAMP_SLOTS; ++slot) {
        for (int32_t i = 0; i < 4; ++i)
            kit.colours[slot][i] = static_cast<int16_t>(28 + slot + i);
    }
    kit.colours[1][0] = -1;  // a cleared or crafted block: read as 39
    TexD3D_BuildTeamRamps(0, kit);
    TexD3D_BuildOfficialRamps();
    struct Entry {
        int32_t side, slot, entry;
        uint32_t pixel;
    };
    const std::vector<Entry> entries = {
        // Colour 28 is (240, 0, 0): the full colour, then a sixteenth of it.
        {0, 0, 32, 0x00F00000},
        {0, 0, 63, 0x000F0000},
        // Shade 16: 240 + (15 - 240) x 16 / 31 = 124, rounded toward zero.
        {0, 0, 48, 0x007C0000},
        {0, 1, 32, Rgb(39)},
        {0, 2, 3 * 32, Rgb(32)},
        // Group 0 and the entries past the last group are never written.
        {0, 0, 0, 0},
        {0, 0, 31, 0},
        {0, 3, 160, 0},
        {0, 3, 255, 0},
        {1, 0, 32, 0},
        // The officials: colour 0 in groups 1-3, colour 12 in group 4, no keeper ramp.
        {2, 0, 32, Rgb(0)},
        {2, 2, 96, Rgb(0)},
        {2, 1, 128, Rgb(12)},
        {2, 3, 128, 0},
    };
    for (const Entry& e : entries) {
        EXPECT_EQ(TexD3D_GetRamp(e.side, e.slot)[e.entry], e.pixel)
            << "side " << e.side << " slot " << e.slot << " entry " << e.entry;
    }
    TexD3D_WriteRamp(1, 1, 1, 65535);
    EXPECT_EQ(TexD3D_GetRamp(1, 1)[32], Rgb(39));
    TexD3D_FreeRamps();
    TexD3D_FreeRamps();
}

TEST(TexD3D, AnOverlayPixelMixesByItsAlphaRoundedDown)
{
    struct Mix {
        uint32_t base, overlay, result;
    };
    const std::vector<Mix> mixes = {
        // 255 x 128 / 255 + 16 x 127 / 255 = 128 + 7; 64 + 15; 32 + 23; alpha 0.
        {0x00102030, 0x80FF8040, 0x00874F37},
        {0x5A102030, 0x00FFFFFF, 0x5A102030},
        {0x5A102030, 0xFF123456, 0xFF123456},
        {0x00FFFFFF, 0x01000000, 0x00FEFEFE},
    };
    for (const Mix& m : mixes)
        EXPECT_EQ(TexD3D_OverlayPixel(m.base, m.overlay), m.result) << std::hex << m.overlay;
}

TEST(TexD3D, TheSlotsFillToTheDevicesLimitAndFreeingAllMakesThemReusable)
{
    ScopedDeviceData data({{"vxdata\\d3d\\t.gfx", DeviceFile(1, 1, 0, {1, 2, 3, 255})},
                           {"vxdata\\d3d\\k.gfx", DeviceFile(2, 2, 0, {32, 63, 0, 200})},
                           {"vxdata\\d3d\\n.gfx", DeviceFile(2, 2, 0, std::vector<uint8_t>(16))}});
    TexD3D_AllocRamps();
    for (int32_t round = 0; round < 2; ++round) {
        for (int32_t i = 0; i < D3DTEX_MAX_TEXTURES - 2; ++i)
            ASSERT_EQ(TexD3D_CreateTexture("t.gfx"), i);
        EXPECT_EQ(TexD3D_CreateTextureForTeam("k.gfx", 1, 2), D3DTEX_MAX_TEXTURES - 2);
        EXPECT_EQ(TexD3D_CreateTextureForTeamWithOverlay("k.gfx", 0, 0, "n.gfx"),
                  D3DTEX_MAX_TEXTURES - 1);
        EXPECT_EQ(TexD3D_UsedSlots(), D3DTEX_MAX_TEXTURES);
        EXPECT_NE(TexD3D_GetTexture(0), TexD3D_GetTexture(1));
        TexD3D_FreeAll();
        EXPECT_EQ(TexD3D_UsedSlots(), 0);
    }
}

using TexD3DDeathTest = testing::Test;

TEST_F(TexD3DDeathTest, DamagedFilesAndSlotsPastTheTableAreRefused)
{
    const std::string mouse = "vxdata\\d3d\\icons\\pointers\\mouse.gfx";
    const std::vector<uint8_t> icon(16 * 24 * 4, 0xFF);
    const std::vector<TestPakFile> textures = {
        {mouse, DeviceFile(16, 24, 1, icon)},
        {"vxdata\\d3d\\base.gfx", DeviceFile(8, 8, 0, std::vector<uint8_t>(64, 33))},
        {"vxdata\\d3d\\base16.gfx", DeviceFile(16, 16, 0, std::vector<uint8_t>(256, 33))},
        {"vxdata\\d3d\\over.gfx", DeviceFile(8, 8, 0, std::vector<uint8_t>(256, 0xFF))},
        {"vxdata\\d3d\\empty.gfx", DeviceFile(0, 8, 0, {})},
    };
    const std::vector<TestPakFile> shortSet = {
        {mouse, DeviceFile(16, 24, 1, std::vector<uint8_t>(icon.begin(), icon.end() - 1))}};
    const std::vector<TestPakFile> emptySet = {{mouse, DeviceFile(16, 24, 0, {})}};
    struct Refusal {
        const std::vector<TestPakFile>* files;
        void (*run)();
        std::string text;
    };
    const auto loadPointer = [] {
        GfxMgr_Init();
        ProcessIconFile(0);
    };
    const std::string badSet =
        "Error: ProcessIconFile(): file format wrong - incorrect file size\n";
    const std::vector<Refusal> refusals = {
        {&shortSet, loadPointer, badSet},
        {&emptySet, loadPointer, badSet},
        {&textures,
         [] {
             Icon_Init();
             Icon_DrawSection(Icon_Handle(0, 0), 0, 0, 1, 0, 16, 24, 0x11, 1);
         },
         "Icon_DrawSection(): section out of range"},
        {&textures,
         [] {
             Icon_Init();
             Icon_DrawSection(Icon_Handle(0, 0), 0, 0, 0, 20, 16, 5, 0x11, 1);
         },
         "Icon_DrawSection(): section out of range"},
        {&textures, [] { TexD3D_CreateTexture("base.gfx"); },
         "Error: TexD3D_CreateTexture(): texture file size is wrong (was 80 bytes, should be 272 "
         "for 8x8)\n"},
        {&textures, [] { TexD3D_CreateTexture("empty.gfx"); },
         "Error: TexD3D_CreateTexture(): texture file size is wrong (was 16 bytes, should be 16 "
         "for 0x8)\n"},
        {&textures, [] { TexD3D_CreateTextureForTeam("over.gfx", 0, 0); },
         "Error: TexD3D_CreateTextureForTeam(): texture file size is wrong (was 272 bytes, should "
         "be 80 for 8x8)\n"},
        {&textures, [] { TexD3D_CreateTextureForTeamWithOverlay("base.gfx", 0, 0, "base.gfx"); },
         "Error: TexD3D_CreateTextureForTeamWithOverlay(): texture file size is wrong (was 80 "
         "bytes, should be 272 for 8x8)\n"},
        {&textures, [] { TexD3D_CreateTextureForTeamWithOverlay("base16.gfx", 0, 0, "over.gfx"); },
         "TexD3D_CreateTextureForTeamWithOverlay(): texture and overlay size mismatch"},
        // The device holds fewer textures than the slot table: its own limit comes first.
        {&textures,
         [] {
             for (int32_t i = 0; i <= D3DTEX_MAX_TEXTURES; ++i)
                 TexD3D_CreateTextureForTeam("base.gfx", 0, 0);
         },
         "D3DTexCreateTextureEx(): cannot create any more textures"},
        {&textures, [] { TexD3D_GetTexture(0); }, "TexD3D_GetTexture(): slot 0 not in use"},
    };
    for (const Refusal& r : refusals) {
        EXPECT_FATAL(
            {
                ScopedDeviceData data(*r.files);
                TexD3D_AllocRamps();
                r.run();
            },
            r.text);
    }
}

}  // namespace
