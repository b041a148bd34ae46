// The generated data of the 3D-device view against what reads it: every texture the models'
// texture names lead to, in both stadiums by day and night with each crowd fill and the boards;
// every device kit image the kit rules can ask for, team images in exactly their pattern's
// ramp groups; the number overlays; the fifteen icon sets and three width tables, packed into
// the graphics manager's pages.
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "game/world.h"
#include "menus/kits.h"
#include "tests/support/game_world.h"
#include "tests/support/kit_match.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "tools/mkdata/models3d.h"
#include "vx256/kittextures.h"
#include "vxd3d/d3dicon.h"
#include "vxd3d/gfxmgr.h"

namespace {

const std::string kRoot = "vxdata\\d3d\\";

int32_t Word(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8;
}

// A raw device texture: "GFX0", power-of-two sizes, and exactly its pixels after the head.
void ExpectRaw(const std::string& name, int32_t bytesPerPixel)
{
    ASSERT_TRUE(PakFileExists(name.c_str())) << name;
    const std::vector<uint8_t> bytes = ScopedGeneratedArt_Load(name);
    ASSERT_GE(bytes.size(), 16u) << name;
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "GFX0") << name;
    const int32_t w = Word(bytes, 4), h = Word(bytes, 6);
    EXPECT_TRUE(w > 0 && (w & (w - 1)) == 0 && h > 0 && (h & (h - 1)) == 0) << name;
    EXPECT_EQ(bytes.size(), 16u + static_cast<size_t>(w) * h * bytesPerPixel) << name;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// The files a model's texture names lead to in one texture folder, as the view's texture
// callback forms them.
std::set<std::string> TextureFiles(const MkModel& model, const std::string& folder)
{
    std::set<std::string> files;
    for (const MkModelTexture& t : model.textures) {
        if (t.name.empty()) continue;
        if (StartsWith(t.name, "crowd")) {
            for (const char* fill : {"1_4", "1_2", "3_4", "full"})
                files.insert(folder + "\\" + t.name + "\\" + fill + ".gfx");
        } else if (StartsWith(t.name, "main")) {
            files.insert(folder + "\\FRE\\" + t.name + ".gfx");
        } else {
            files.insert(folder + "\\" + t.name + ".gfx");
        }
    }
    return files;
}

TEST(DeviceArt, EveryTextureTheModelsNameExistsInEachOfItsFolders)
{
    struct Folders {
        const char* model;
        std::vector<std::string> folders;
    };
    const std::vector<Folders> table = {
        {"stadium\\models\\stad2d.xyz", {"stadium\\textures\\stad2d"}},
        {"stadium\\models\\stad2n.xyz", {"stadium\\textures\\stad2n"}},
        {"stadium\\models\\bigstadd.xyz", {"stadium\\textures\\bigstadd"}},
        {"stadium\\models\\bigstadn.xyz", {"stadium\\textures\\bigstadn"}},
        {"stadium\\models\\newgrass.xyz",
         {"stadium\\textures\\pitchd", "stadium\\textures\\pitchn"}},
        {"stadium\\models\\lowgrass.xyz",
         {"stadium\\textures\\pitchd", "stadium\\textures\\pitchn"}},
        {"simple\\model\\116ball.xyz", {"simple\\textures"}},
        {"simple\\model\\bollocks.xyz", {"simple\\textures"}},
        {"stadium\\models\\misc\\flag\\flag.xyz", {"stadium\\textures"}},
        {"stadium\\models\\misc\\goal\\gback.xyz", {"stadium\\textures\\goal"}},
        {"stadium\\models\\misc\\goal\\gtop.xyz", {"stadium\\textures\\goal"}},
        {"stadium\\models\\misc\\goal\\gleft.xyz", {"stadium\\textures\\goal"}},
        {"stadium\\models\\misc\\goal\\gright.xyz", {"stadium\\textures\\goal"}},
    };
    ScopedGeneratedArt data;
    std::set<std::string> checked;
    for (const MkNamedModel& model : MkModels3D()) {
        for (const Folders& row : table) {
            if (model.name != row.model) continue;
            for (const std::string& folder : row.folders) {
                for (const std::string& file : TextureFiles(model.model, folder)) {
                    ExpectRaw(kRoot + file, 4);
                    checked.insert(file);
                }
            }
        }
    }
    // 7 names in the small stadium and 24 in the big, each with 16 crowd fills and 4 boards, in
    // both of their folders; 4 pitch textures twice; ball, skid, pole, flag, net, post.
    EXPECT_EQ(checked.size(), 2u * (7 + 16 + 4) + 2u * (24 + 16 + 4) + 2 * 4 + 6);
}

// The kit designs every club of the world and the spares wear.
std::vector<KitDesign> WorldKits()
{
    std::vector<KitDesign> kits(std::begin(KitSpareDesigns), std::end(KitSpareDesigns));
    ScopedWorld world;
    for (const WorldClub& club : World.clubs)
        kits.insert(kits.end(), std::begin(club.kits), std::end(club.kits));
    return kits;
}

TEST(DeviceArt, EveryKitImageExistsAndTeamImagesUseTheirPatternsGroups)
{
    const std::vector<KitDesign> kits = WorldKits();
    ScopedGeneratedArt data;
    std::set<std::string> seen;
    for (const KitDesign& kit : kits) {
        KitMatch_SetKits(kit, kit);
        for (int32_t n = 0; n < KIT_PARTS; ++n) {
            const KitPartRecord& part = KitPartTable[n];
            const bool team = (part.flags & KIT_FLAG_TEAM) != 0;
            for (int32_t variation = 0; variation < (team ? 3 : 1); ++variation) {
                const std::string name = kRoot + KIT_BuildFilename(variation, part);
                if (!seen.insert(name).second) continue;
                ExpectRaw(name, team ? 1 : 4);
            }
        }
        // A shirt shows exactly the ramp groups of its pattern's colour slots.
        std::set<int32_t> expected;
        for (const uint8_t slot : Kit_PatternSlots(kit.shirt)) {
            if (slot != 0) expected.insert(slot);
        }
        for (const int32_t n : {21, 22, 23, 24}) {
            const std::vector<uint8_t> bytes =
                ScopedGeneratedArt_Load(kRoot + KIT_BuildFilename(0, KitPartTable[n]));
            std::set<int32_t> groups;
            for (size_t i = 16; i < bytes.size(); ++i) {
                if (bytes[i] / 32 != 0) groups.insert(bytes[i] / 32);
            }
            EXPECT_EQ(groups, expected) << "pattern " << kit.shirt << " " << KitPartTable[n].name;
        }
    }
    for (int32_t number = 0; number < 100; ++number)
        ExpectRaw(kRoot + KitBuildOverlayFilename(number, KitPartTable[24]), 4);
}

TEST(DeviceArt, TheFifteenIconSetsAndThreeWidthTablesPackIntoTheManagersPages)
{
    ScopedGeneratedArt data;
    std::vector<std::vector<uint32_t>> icons;
    std::vector<GfxMgrPackIcon> packing;
    icons.reserve(2000);
    for (const IconSet& set : IconSets) {
        const std::string name = kRoot + "icons\\" + set.name;
        const std::vector<uint8_t> bytes = ScopedGeneratedArt_Load(name + ".gfx");
        const int32_t w = Word(bytes, 4), h = Word(bytes, 6), count = Word(bytes, 8);
        ASSERT_TRUE(w > 0 && h > 0 && count > 0 && w <= ICON_MAX_SIZE && h <= ICON_MAX_SIZE)
            << name;
        ASSERT_EQ(bytes.size(), 16u + static_cast<size_t>(w) * h * count * 4) << name;
        for (int32_t i = 0; i < count; ++i) {
            const auto* first = bytes.data() + 16 + static_cast<size_t>(i) * w * h * 4;
            icons.emplace_back(w * h);
            std::memcpy(icons.back().data(), first, static_cast<size_t>(w) * h * 4);
            packing.push_back({&icons.back(), w, h});
        }
        EXPECT_EQ(PakFileExists((name + ".wid").c_str()), (set.flags & ICON_HAS_WIDTHS) != 0)
            << name;
        if (set.flags & ICON_HAS_WIDTHS) {
            const std::vector<uint8_t> widths = ScopedGeneratedArt_Load(name + ".wid");
            ASSERT_EQ(widths.size(), 256u);
            EXPECT_GT(widths[' '], 0) << name;
            EXPECT_GT(widths['i'], 0) << name;
            EXPECT_GT(widths['W'], widths['i']) << name;
            EXPECT_LE(widths['W'], w) << name;
            EXPECT_EQ(widths[1], 0) << name;  // the control codes are blank
        }
    }
    EXPECT_EQ(Word(ScopedGeneratedArt_Load(kRoot + "icons\\pannels\\pn256x44.gfx"), 4), 64);
    EXPECT_EQ(Word(ScopedGeneratedArt_Load(kRoot + "icons\\pannels\\repbar.gfx"), 8), 20);
    const int32_t pages = GfxMgr_PagesFor(packing);
    EXPECT_GE(pages, 1);
    EXPECT_LE(pages, MAX_TEXTURES);
}

}  // namespace
