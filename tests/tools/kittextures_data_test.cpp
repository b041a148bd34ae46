// The generated kit art against the rules that read it: every file any club's kit, a spare, a
// keeper or an official can need exists; each shirt shows exactly its pattern's colour slots;
// the textures of a part share one square size; the palettes are there.
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "game/kitcolours.h"
#include "game/matchblocks.h"
#include "game/world.h"
#include "menus/kits.h"
#include "tests/support/game_world.h"
#include "tests/support/kit_match.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "vx256/kittextures.h"
#include "vx256/textures.h"

namespace {

std::string Texture(int32_t variation, const KitPartRecord& part)
{
    return std::string("vxdata\\software\\") + KIT_BuildFilename(variation, part);
}

KitDesign AllDesigns(int32_t design)
{
    return KitMatch_Design(design, design, design % KIT_PART_DESIGNS, design % KIT_PART_DESIGNS,
                           design % KIT_PART_DESIGNS, design % KIT_PART_DESIGNS);
}

// Every file name the rules give a part, each variation and design reached once.
std::set<std::string> NamesOfPart(const KitPartRecord& part)
{
    std::set<std::string> names;
    if (part.kind == KIT_KIND_SKIN || part.kind == KIT_KIND_FACE || part.kind == KIT_KIND_MISC) {
        for (int32_t person = 0; person < KIT_PERSONS; ++person)
            names.insert(Texture(KIT_GetKitType(part, person), part));
        return names;
    }
    for (int32_t design = 0; design < KIT_PATTERNS; ++design) {
        KitMatch_SetKits(AllDesigns(design), AllDesigns(design));
        names.insert(Texture(0, part));
    }
    names.insert(Texture(2, part));
    return names;
}

TEST(KitArt, EveryKitOfTheWorldAndTheSparesFindsItsFiles)
{
    std::vector<KitDesign> kits(std::begin(KitSpareDesigns), std::end(KitSpareDesigns));
    {
        ScopedWorld world;
        for (const WorldClub& club : World.clubs)
            kits.insert(kits.end(), std::begin(club.kits), std::end(club.kits));
    }
    ScopedGeneratedArt art;
    for (const KitDesign& kit : kits) {
        KitMatch_SetKits(kit, kit);
        for (int32_t n = 0; n < KIT_PARTS; ++n) {
            for (int32_t variation = 0; variation < 3; ++variation) {
                if ((KitPartTable[n].flags & KIT_FLAG_TEAM) == 0 && variation > 0) continue;
                ASSERT_TRUE(PakFileExists(Texture(variation, KitPartTable[n]).c_str()))
                    << Texture(variation, KitPartTable[n]);
            }
        }
    }
    for (int32_t number = 0; number < 100; ++number) {
        const std::string overlay =
            std::string("vxdata\\software\\") + KitBuildOverlayFilename(number, KitPartTable[24]);
        EXPECT_TRUE(PakFileExists(overlay.c_str())) << overlay;
    }
    EXPECT_LT(KIT_MaxTexturesPerMatch(), TEXT_KIT_SLOTS);
}

TEST(KitArt, ShirtsShowExactlyTheirPatternsSlotsAndPartsShareOneSquareSize)
{
    ScopedGeneratedArt art;
    for (int32_t n = 0; n < KIT_PARTS; ++n) {
        const KitPartRecord& part = KitPartTable[n];
        std::set<std::pair<int32_t, int32_t>> sizes;
        for (const std::string& name : NamesOfPart(part)) {
            const std::vector<uint8_t> bytes = ScopedGeneratedArt_Load(name);
            const int32_t width = bytes[0] | bytes[1] << 8, height = bytes[2] | bytes[3] << 8;
            sizes.insert({width, height});
            ASSERT_EQ(width, height) << name;
            ASSERT_EQ(width & (width - 1), 0) << name;
            ASSERT_LT(width * height, 32768) << name;
        }
        EXPECT_EQ(sizes.size(), 1u) << part.name;
    }
    const std::vector<std::pair<int32_t, int32_t>> bands = {{48, 58}, {60, 71}, {72, 80}, {81, 91}};
    for (int32_t pattern = 0; pattern < KIT_PATTERNS; ++pattern) {
        std::set<int32_t> expected;
        for (const uint8_t slot : Kit_PatternSlots(pattern)) {
            if (slot != 0) expected.insert(slot - 1);
        }
        KitMatch_SetKits(AllDesigns(pattern), AllDesigns(pattern));
        for (const int32_t n : {15, 21, 22, 23, 24}) {
            std::set<int32_t> used;
            const std::vector<uint8_t> bytes = ScopedGeneratedArt_Load(Texture(0, KitPartTable[n]));
            for (size_t i = 4; i < bytes.size(); ++i) {
                for (int32_t b = 0; b < 4; ++b) {
                    if (bytes[i] >= bands[b].first && bytes[i] <= bands[b].second) used.insert(b);
                }
            }
            EXPECT_EQ(used, expected) << "pattern " << pattern << " " << KitPartTable[n].name;
        }
    }
}

TEST(KitArt, EveryKitColourHasItsPaletteAndSkinHairKeepsTheMastersCyan)
{
    ScopedGeneratedArt art;
    for (const char* name : KitColourNames)
        EXPECT_EQ(ScopedGeneratedArt_Load(std::string("PALETTES\\kits\\") + name + ".pal").size(),
                  768u)
            << name;
    const std::vector<uint8_t> skinhair = ScopedGeneratedArt_Load("PALETTES\\ingame\\skinhair.pal");
    const std::vector<uint8_t> master = ScopedGeneratedArt_Load("PALETTES\\ingame\\master.pal");
    ASSERT_EQ(skinhair.size(), 768u);
    EXPECT_EQ(std::vector<uint8_t>(skinhair.begin() + 45, skinhair.begin() + 48),
              std::vector<uint8_t>(master.begin() + 45, master.begin() + 48));
}

}  // namespace
