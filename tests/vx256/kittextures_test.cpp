// The kit parts and looks of a match's people: the variation and file-name rules, a whole load
// from the generated archives of two clubs whose home kits clash, the named texture cache, and
// the refusals.
#include "vx256/kittextures.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/colconv.h"
#include "engine/dxd3dtex.h"
#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "game/matchblocks.h"
#include "menus/kits.h"
#include "tests/support/device_data.h"
#include "tests/support/game_world.h"
#include "tests/support/kit_match.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "vx256/textures.h"
#include "vxd3d/d3dtex.h"

namespace {

// The generated archives (or a test's own hard-disk archive over them) and the kit tables
// cleared for a match.
class ScopedKitData {
public:
    explicit ScopedKitData(const std::vector<TestPakFile>& override = {}) : m_archives(override)
    {
        KitMatch_SetUpBlock();
        TEXT_ClearTable();
        KIT_ClearTextureTable();
        NORMTEXT_ClearCache();
    }
    ~ScopedKitData() { TEXT_FreeKitTextures(); }

private:
    ScopedArchives m_archives;
};

const KitPartRecord& Part(int32_t n) { return KitPartTable[n]; }

TEST(KitRules, VariationsAndFileNamesFollowSideLookAndKit)
{
    ScopedKitData data;
    KitMatch_SetKits(KitMatch_Design(5, 7, 1, 2, 3, 4), KitMatch_Design(55, 0, 6, 7, 0, 1));
    struct Row {
        int32_t person;
        int32_t part;
        int32_t variation;
        const char* file;
    };
    // Looks (KitMatch_SetUpBlock): 0 skin 1 hair 0 style 0; 2 skin 5; 16 skin 2 hair 1 style 5;
    // 17 skin 7 hair 2 style 7; the officials White, brown, "Normal".
    const std::vector<Row> rows = {
        {0, 0, 0, "sskin\\textures\\MISC\\shoe.GFX"},
        {16, 5, 3, "sskin\\textures\\SKINS\\White\\skin\\forearm.GFX"},
        {0, 7, 0, "sskin\\textures\\SKINS\\Latin\\skin\\AllLeg.GFX"},
        {0, 8, 4, "sskin\\textures\\SKINS\\Latin\\faces\\Short\\blonde\\faceF.GFX"},
        {2, 9, 17, "sskin\\textures\\SKINS\\Dafrican\\faces\\Normal\\black\\faceb.GFX"},
        {3, 9, 18, "sskin\\textures\\SKINS\\WestInd\\faces\\Normal\\black\\faceb.GFX"},
        {16, 10, 47, "sskin\\textures\\SKINS\\White\\faces\\normal\\ginger\\faceL.GFX"},
        {17, 11, 27, "sskin\\textures\\SKINS\\White\\faces\\Normal\\brown\\neckb.GFX"},
        {1, 12, 3, "sskin\\textures\\SKINS\\White\\faces\\Short\\black\\neckf.GFX"},
        {34, 13, 27, "sskin\\textures\\SKINS\\White\\faces\\Normal\\brown\\necks.GFX"},
        {0, 14, 0, "sskin\\textures\\kits\\SHINS\\SHIN005\\AllShin.GFX"},
        {0, 15, 0, "sskin\\textures\\kits\\shirttop\\stop008\\shirttop.GFX"},
        {0, 16, 0, "sskin\\textures\\kits\\upparms\\uparm002\\uparml.GFX"},
        {16, 17, 1, "sskin\\textures\\kits\\shorts\\short001\\sinsidel.GFX"},
        {0, 21, 0, "sskin\\textures\\kits\\SHIRTS\\SHIRT006\\shirtsr.GFX"},
        {31, 24, 1, "sskin\\textures\\kits\\SHIRTS\\SHIRT056\\shirtbac.GFX"},
        {32, 23, 2, "sskin\\textures\\kits\\SHIRTS\\SHIRT999\\shirtfr.GFX"},
        {0, 25, 0, "sskin\\textures\\kits\\upparms\\uparm003\\uparml.GFX"},
        {16, 25, 1, "sskin\\textures\\kits\\upparms\\uparm008\\uparml.GFX"},
        {16, 31, 1, "sskin\\textures\\kits\\keeper\\kit001\\kshirtb.GFX"},
        {33, 26, 2, "sskin\\textures\\kits\\keeper\\kit001\\sleve.GFX"},
    };
    for (const Row& row : rows) {
        const int32_t variation = KIT_GetKitType(Part(row.part), row.person);
        EXPECT_EQ(variation, row.variation) << row.person << " " << row.part;
        EXPECT_STREQ(KIT_BuildFilename(variation, Part(row.part)), row.file);
    }
    // Each code of the look on its own, on person 0: skin types 0-7, hair colours 0-3 (a White
    // face), hair styles 0-7 (White, black hair).
    MatchPlayerEntry& entry = GetMatchSidesBlock()->sides[0].entries[0];
    const std::vector<std::pair<int32_t, std::vector<int32_t>>> codes = {
        {5, {3, 0, 3, 3, 2, 1, 2, 3}},  // forearm: the skin code
        {8, {7, 15, 11, 3}},            // faceF
        {8, {3, 3, 3, 35, 19, 35, 35, 19}},
    };
    for (size_t table = 0; table < codes.size(); ++table) {
        for (size_t code = 0; code < codes[table].second.size(); ++code) {
            const auto value = static_cast<uint16_t>(code);
            entry.skin = table == 0 ? value : 0;
            entry.hairColour = table == 1 ? value : 3;
            entry.hairStyle = table == 2 ? value : 0;
            EXPECT_EQ(KIT_GetKitType(Part(codes[table].first), 0), codes[table].second[code])
                << table << " " << code;
        }
    }
    const std::vector<std::pair<uint32_t, std::pair<int32_t, int32_t>>> kits = {
        {KIT_KIND_SHINS, {5, 2}},     {KIT_KIND_SHIRT, {6, 56}}, {KIT_KIND_KEEPER, {6, 56}},
        {KIT_KIND_SHIRT_TOP, {8, 1}}, {KIT_KIND_SHORTS, {4, 1}}, {KIT_KIND_ARM_LEFT, {2, 7}},
        {KIT_KIND_ARM_RIGHT, {3, 8}},
    };
    for (const auto& [kind, numbers] : kits) {
        EXPECT_EQ(Kit_ReturnKit(kind, 0), numbers.first) << kind;
        EXPECT_EQ(Kit_ReturnKit(kind, 1), numbers.second) << kind;
    }
    EXPECT_EQ(KIT_GetShirtNumber(0), 1);
    EXPECT_EQ(KIT_GetShirtNumber(31), 16);
    for (int32_t official = 32; official < 35; ++official)
        EXPECT_EQ(KIT_GetShirtNumber(official), -1);
    EXPECT_STREQ(KitBuildOverlayFilename(7, Part(24)),
                 "sskin\\textures\\overlays\\Numbers\\B_NUM7.GFX");
    EXPECT_STREQ(KitBuildOverlayFilename(99, Part(31)),
                 "sskin\\textures\\overlays\\Numbers\\B_NUM99.GFX");
    EXPECT_EQ(KITPLR_GetTextureIndexFromName("SHIRTBAC.gfx"), 24);
    EXPECT_EQ(KITPLR_GetTextureIndexFromName("kshirtt.GFX"), 33);
}

TEST(KitRulesDeathTest, EveryDefaultCaseAndIndexCheckSaysSo)
{
    const auto run = [](auto&& action) {
        ScopedKitData data;
        action();
    };
    const KitPartRecord odd = {7, 0x1200, "odd", "dir", 0, 0, 0, 0};
    const KitPartRecord plainShirt = Part(23);
    EXPECT_FATAL(run([&] { KIT_GetKitType(odd, 0); }),
                 "ERROR: KIT_GetKitType(): `default case hit'");
    EXPECT_FATAL(run([] { KIT_BuildFilename(48, Part(8)); }),
                 "ERROR: ReturnHairLengthName default case hit!");
    EXPECT_FATAL(run([] { KIT_BuildFilename(3, Part(21)); }), "ERROR: BuildFilename type = 3");
    EXPECT_FATAL(run([&] { KIT_BuildFilename(0, odd); }),
                 "ERROR: KIT_BuildFilename `default case hit'");
    EXPECT_FATAL(run([] { Kit_ReturnKit(KIT_KIND_FACE, 0); }),
                 "ERROR: Kit_ReturnKit 9 kitpart not found");
    EXPECT_FATAL(run([] { KitBuildOverlayFilename(7, Part(19)); }),
                 "ERROR: KIT_BuildOverlayFilename `default case hit'");
    EXPECT_FATAL(run([&] { KitBuildOverlayFilename(7, plainShirt); }),
                 "Error: KitBuildOverlayFilename(): can't build shirt overlay name\n");
    EXPECT_FATAL(run([] { KIT_GetPlayerPhysLook(35); }),
                 "Error: KIT_GetPlayerPhysLook(): player number 35 out of range\n");
    EXPECT_FATAL(run([] { KIT_GetPersonTexture(35, 0); }),
                 "KIT_GetPersonTexture(): person 35 part 0 out of range");
    EXPECT_FATAL(run([] { KIT_GetPlayerPhysLook(-1); }),
                 "Error: KIT_GetPlayerPhysLook(): player number -1 out of range\n");
    int16_t w16 = 0, h16 = 0;
    EXPECT_FATAL(run([&] { KITPLR_GetTextureSizeFromIndex(34, &w16, &h16); }),
                 "Error: KITPLR_GetTextureSizeFromIndex(): invalid index 34\n");
    EXPECT_FATAL(
        run([] { KITPLR_GetTextureIndexFromName("shirt.GFX"); }),
        "Error: KITPLR_GetTextureIndexFromName(): cannot find 'shirt.GFX' texture in list\n");
    int32_t w = 0, h = 0;
    EXPECT_FATAL(run([&] { KIT_GetTextureSizeFromIndex(1024, &w, &h); }),
                 "Error: KIT_GetTextureSizeFromIndex(): invalid index 1024\n");
    EXPECT_FATAL(run([] { KIT_GetTextureFromIndex(-1); }),
                 "Error: KIT_GetTextureSizeFromIndex(): invalid index -1\n");
    EXPECT_FATAL(run([&] {
                     GetMatchSidesBlock()->viewMode = VIEW_2D;
                     KIT_GetTextureSizeFromIndex(0, &w, &h);
                 }),
                 "texture size not available");
    EXPECT_FATAL(run([] {
                     GetMatchSidesBlock()->viewMode = VIEW_TEXT;
                     KITPLR_LoadAllTextures();
                 }),
                 "KIT_LoadOneTexture(): unknown game type");
}

TEST(KitLoad, AMatchOfClashingHomeKitsDressesEveryPersonOnce)
{
    const KitMatchKits kits = KitMatch_ClashingClubs();
    ASSERT_GT(DesignsClash(kits.home, kits.homeOfAway), 0);
    ScopedKitData data;
    KitMatch_SetKits(kits.home, kits.away);
    const MemoryStatistics before = MemoryStats();
    KITPLR_LoadAllTextures();
    const int32_t created = static_cast<int32_t>(MemoryStats().blocks - before.blocks);
    EXPECT_LE(created, KIT_MaxTexturesPerMatch());
    // By hand: 5 misc, 3 skins x 4, 6 face parts x 26 variations, 18 shared team parts x 3 and
    // the two numbered backs x 33.
    EXPECT_EQ(KIT_MaxTexturesPerMatch(), 5 + 12 + 156 + 54 + 66);

    std::set<int16_t> all;
    for (int32_t part = 0; part < KIT_PARTS; ++part) {
        const KitPartRecord& record = Part(part);
        std::set<int16_t> distinct;
        for (int32_t person = 0; person < KIT_PERSONS; ++person) {
            const int16_t texture = KitTextureTable[person][part];
            ASSERT_NE(texture, -1) << person << " " << part;
            distinct.insert(texture);
            all.insert(texture);
            int32_t width = 0, height = 0;
            KIT_GetTextureSize(texture, &width, &height);
            EXPECT_EQ(width, record.width);
            EXPECT_EQ(height, record.height);
            const auto* pixels = reinterpret_cast<const uint8_t*>(GetTexture(texture)) + 4;
            const int32_t side = person < 16 ? 0 : person < 32 ? 1 : 2;
            // The officials are given keeper's parts too, which are never shifted.
            if ((record.flags & KIT_FLAG_TEAM) == 0
                || (side == 2 && record.kind == KIT_KIND_KEEPER))
                continue;
            const std::pair<int32_t, int32_t> bands[3] = {{48, 91}, {92, 135}, {136, 151}};
            for (int32_t i = 0; i < width * height; ++i) {
                const uint8_t p = pixels[i];
                // Outside a side's band only the fixed entries of the master palette (black
                // shorts, the numbers' white and edge) may show.
                const bool inBands = p >= 48 && p <= 151;
                ASSERT_TRUE(!inBands || (p >= bands[side].first && p <= bands[side].second))
                    << record.name << " person " << person << " pixel " << +p;
            }
        }
        const bool numbered = (record.flags & KIT_FLAG_NUMBER_OVERLAY) != 0;
        if (numbered) {
            EXPECT_EQ(distinct.size(), 33u) << record.name;  // 32 numbered backs, the officials'
        } else if ((record.flags & KIT_FLAG_TEAM) != 0) {
            EXPECT_LE(distinct.size(), 3u) << record.name;
        }
    }
    EXPECT_EQ(static_cast<int32_t>(all.size()), created);
    std::set<int16_t> faceTextures, faceVariations;
    for (int32_t person = 0; person < KIT_PERSONS; ++person) {
        faceTextures.insert(KitTextureTable[person][8]);
        faceVariations.insert(KIT_GetKitType(Part(8), person));
    }
    EXPECT_EQ(faceTextures.size(), faceVariations.size());
    // Persons 0 and 4 share a look, as do 0 and 20 across the sides: one face each.
    EXPECT_EQ(KitTextureTable[0][8], KitTextureTable[4][8]);
    EXPECT_EQ(KitTextureTable[0][8], KitTextureTable[20][8]);
    EXPECT_NE(KitTextureTable[0][8], KitTextureTable[1][8]);
    // The number's pixels lie on the back: shirt 7 is person 6.
    void* overlay = nullptr;
    PakLoadFile("vxdata\\software\\sskin\\textures\\overlays\\Numbers\\B_NUM7.GFX", &overlay);
    const auto* digits = static_cast<const uint8_t*>(overlay) + 4;
    const auto* back = reinterpret_cast<const uint8_t*>(KIT_GetPersonTexture(6, 24)) + 4;
    int32_t inked = 0;
    for (int32_t i = 0; i < Part(24).width * Part(24).height; ++i) {
        if (digits[i] == 0) continue;
        ++inked;
        EXPECT_EQ(back[i], digits[i]);
    }
    EXPECT_GT(inked, 50);
    FreeMemory(&overlay);
}

TEST(KitLoadDeathTest, ADoctoredPakOrAnEmptyRendererRowIsRefused)
{
    std::vector<uint8_t> small = {16, 0, 16, 0};
    small.resize(4 + 16 * 16, 160);
    // Person 0's face sets the size; person 1 wears White, Short, black, made smaller here.
    EXPECT_FATAL(
        {
            ScopedKitData data(
                {{"vxdata\\software\\sskin\\textures\\SKINS\\White\\faces\\Short\\black\\faceb.GFX",
                  small}});
            KITPLR_LoadAllTextures();
        },
        "Error: KITPLR_GetTextureSizeFromIndex(): Error in texture sizes for 'faceb' 9\n"
        "       found size 16x16 and 32x32\n");
    EXPECT_FATAL(
        {
            ScopedKitData data;
            KitRenderers[KIT_RENDERER_SOFTWARE].create = [](const char*) { return -1; };
            KITPLR_LoadAllTextures();
        },
        "Error: KITPLR_GetTextureSizeFromIndex(): failed to find a texture 'shoe' 0 loaded\n");
}

TEST(KitNamedTextures, OneIndexPerNameWhateverItsCase)
{
    ScopedKitData data;
    const int32_t net = NORMTEXT_LoadTexture("sskin\\textures\\MISC\\CARDred.GFX");
    EXPECT_EQ(net, 0);
    EXPECT_EQ(NORMTEXT_LoadTexture("SSKIN\\TEXTURES\\misc\\cardred.gfx"), net);
    EXPECT_EQ(NORMTEXT_LoadTexture("sskin\\textures\\MISC\\shoe.GFX"), 1);
    int32_t width = 0, height = 0;
    KIT_GetTextureSizeFromIndex(net, &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(KIT_GetTextureFromIndex(1), GetTexture(NamedTextureCache[1].texture));
    EXPECT_EQ(KIT_GetTextureFromIndex(2), nullptr);
    EXPECT_FATAL(
        {
            for (int32_t i = 2; i < KIT_NAMED_TEXTURES; ++i)
                std::snprintf(NamedTextureCache[i].name, KIT_NAME_BYTES, "taken%d", i);
            NORMTEXT_LoadTexture("sskin\\textures\\MISC\\CARDyel.GFX");
        },
        "ERROR:NORMTEXT_LoadTexture MAX Textures reached\n");
    const std::string longest(KIT_NAME_BYTES - 1, 'n');
    EXPECT_FATAL(NORMTEXT_LoadTexture((longest + "x").c_str()),
                 "NORMTEXT_LoadTexture(): texture name too long: '" + longest + "x'\n");
}

// The 3D device's row of the kit renderer table in place of the software one, the device's
// ramps built from the match's two kits.
class ScopedDeviceKits {
public:
    ScopedDeviceKits() : m_software(KitRenderers[KIT_RENDERER_SOFTWARE])
    {
        KitMatch_SetUpBlock();
        KIT_ClearTextureTable();
        NORMTEXT_ClearCache();
        KitRenderers[KIT_RENDERER_SOFTWARE] = KitRenderers[KIT_RENDERER_DEVICE];
        D3DTexSetGlobalFlags(D3DTEX_WANT_32BIT);
        TexD3D_AllocRamps();
        TexD3D_BuildTeamRamps(0, MatchSide_GetKit(GetMatchSidesBlock()->sides[0]));
        TexD3D_BuildTeamRamps(1, MatchSide_GetKit(GetMatchSidesBlock()->sides[1]));
        TexD3D_BuildOfficialRamps();
    }
    ~ScopedDeviceKits() { KitRenderers[KIT_RENDERER_SOFTWARE] = m_software; }

private:
    ScopedDeviceData m_data;
    KitRenderer m_software;
};

// A device texture's pixel as 0xRRGGBB.
uint32_t TexturePixel(int32_t texture, int32_t x, int32_t y)
{
    HostSurface* const surface = D3DTexAccessDDrawSurface(texture);
    const ColFmt& format = *D3DTexGetTextureFormat(D3DTexReadTextureFormat(texture));
    void* bits = nullptr;
    int32_t pitch = 0;
    HostSurfaceLock(surface, &bits, &pitch);
    const uint32_t value = ColConvertRead(static_cast<uint8_t*>(bits) + y * pitch
                                              + x * static_cast<int32_t>(format.bitsPerPixel / 8),
                                          format);
    HostSurfaceUnlock(surface);
    constexpr ColFmt kArgb = {
        {{16, 8, 0xFF0000}, {8, 8, 0xFF00}, {0, 8, 0xFF}, {24, 8, 0xFF000000}}, 0xFFFFFFFF, 4, 32};
    return ColConvPixel(value, format, kArgb) & 0xFFFFFF;
}

std::vector<uint8_t> LoadFile(const std::string& name)
{
    void* block = nullptr;
    const int32_t bytes = PakLoadFile(name.c_str(), &block);
    std::vector<uint8_t> copy(static_cast<uint8_t*>(block), static_cast<uint8_t*>(block) + bytes);
    FreeMemory(&block);
    return copy;
}

TEST(KitLoad, OnTheDeviceTeamPartsAreColouredByTheirSidesRampsAndBacksNumbered)
{
    ScopedDeviceKits kits;
    for (int32_t n = 0; n < KIT_PARTS; ++n)
        KIT_LoadOneTexture(n, &KitPartTable[n]);
    std::set<int16_t> slots;
    for (int32_t person = 0; person < KIT_PERSONS; ++person) {
        for (int32_t part = 0; part < KIT_PARTS; ++part) {
            ASSERT_NE(KIT_GetPersonTextureD3D(person, part), -1) << person << " " << part;
            slots.insert(KitTextureTable[person][part]);
        }
    }
    EXPECT_EQ(static_cast<int32_t>(slots.size()), TexD3D_UsedSlots());
    // A side shares its unnumbered team parts; numbered backs are each their own.
    EXPECT_EQ(KitTextureTable[0][21], KitTextureTable[5][21]);
    EXPECT_NE(KitTextureTable[0][21], KitTextureTable[16][21]);
    EXPECT_NE(KitTextureTable[0][24], KitTextureTable[5][24]);
    EXPECT_EQ(KIT_GetPersonTextureD3D(34, 35), -1);

    // Person 6 wears 7: his back is the home ramps' colours with the number's drawn over them.
    const std::vector<uint8_t> base =
        LoadFile(std::string("vxdata\\d3d\\") + KIT_BuildFilename(0, KitPartTable[24]));
    const std::vector<uint8_t> number =
        LoadFile(std::string("vxdata\\d3d\\") + KitBuildOverlayFilename(7, KitPartTable[24]));
    const uint32_t* const ramp = TexD3D_GetRamp(0, KitPartTable[24].colourSet);
    const int32_t texture = KIT_GetPersonTextureD3D(6, 24);
    int32_t inked = 0;
    for (int32_t y = 0; y < 64; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            const int32_t i = y * 64 + x;
            uint32_t over = 0;
            std::memcpy(&over, &number[16 + i * 4], 4);
            inked += over >> 24 == 255;
            ASSERT_EQ(TexturePixel(texture, x, y),
                      TexD3D_OverlayPixel(ramp[base[16 + i]], over) & 0xFFFFFF)
                << x << "," << y;
        }
    }
    EXPECT_GT(inked, 50);
    // The away side's shirt front through the away ramps.
    const std::vector<uint8_t> front =
        LoadFile(std::string("vxdata\\d3d\\") + KIT_BuildFilename(1, KitPartTable[23]));
    EXPECT_EQ(TexturePixel(KIT_GetPersonTextureD3D(20, 23), 30, 30),
              TexD3D_GetRamp(1, 0)[front[16 + 30 * 64 + 30]]);
    // The named cache through the device's plain loader.
    const int32_t net = NORMTEXT_LoadTexture("stadium\\textures\\goal\\net.gfx");
    EXPECT_EQ(KIT_GetTextureFromIndexD3D(net), TexD3D_GetTexture(NamedTextureCache[net].texture));
    EXPECT_EQ(KIT_GetTextureFromIndexD3D(net + 1), -1);
}

TEST(KitLoadDeathTest, TheDeviceHasNoNumberedPlainTexturesNorSizes)
{
    EXPECT_FATAL(KitRenderers[KIT_RENDERER_DEVICE].createWithOverlay("a", "b"),
                 "no case for non-team textures with overlays!");
    const auto sizeOfNet = [] {
        ScopedDeviceKits kits;
        const int32_t net = NORMTEXT_LoadTexture("stadium\\textures\\goal\\net.gfx");
        int32_t width = 0;
        int32_t height = 0;
        KIT_GetTextureSizeFromIndex(net, &width, &height);
    };
    EXPECT_FATAL(sizeOfNet(), "texture size not available");
}

}  // namespace
