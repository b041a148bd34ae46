// tests/support/kit_match.cpp: a match-day block for the people's kits and looks.
#include "tests/support/kit_match.h"

#include <array>
#include <cstring>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "game/funcs.h"
#include "game/ids.h"
#include "game/matchblocks.h"
#include "menus/kits.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

struct TestLook {
    uint16_t skin, hairColour, hairStyle;
};

// clang-format off
constexpr std::array<TestLook, 32> kLooks = {{
    {1, 0, 0}, {0, 3, 0}, {5, 0, 0}, {4, 0, 0}, {1, 0, 0}, {3, 1, 4}, {6, 2, 3}, {0, 0, 6},
    {2, 3, 7}, {1, 1, 1}, {3, 2, 2}, {0, 1, 5}, {5, 3, 4}, {2, 0, 4}, {3, 3, 3}, {1, 2, 0},
    {2, 1, 5}, {7, 2, 7}, {0, 0, 0}, {3, 3, 4}, {1, 0, 0}, {4, 1, 2}, {6, 3, 6}, {0, 2, 4},
    {2, 0, 0}, {3, 1, 1}, {1, 3, 3}, {5, 2, 5}, {0, 1, 7}, {2, 2, 4}, {3, 0, 0}, {1, 1, 4},
}};
// clang-format on

}  // namespace

KitDesign KitMatch_Design(int32_t shirt, int32_t shirtTop, int32_t armLeft, int32_t armRight,
                          int32_t shorts, int32_t shins)
{
    KitDesign kit{};
    kit.shirt = static_cast<int16_t>(shirt);
    kit.shirtTop = static_cast<int16_t>(shirtTop);
    kit.armLeft = static_cast<int16_t>(armLeft);
    kit.armRight = static_cast<int16_t>(armRight);
    kit.shorts = static_cast<int16_t>(shorts);
    kit.shins = static_cast<int16_t>(shins);
    const std::array<int16_t, 4> colours = {28, 32, 5, 1};
    for (auto& group : kit.colours)
        std::memcpy(group, colours.data(), sizeof group);
    kit.colours[1][0] = colours[3];  // the fourth colour
    return kit;
}

void KitMatch_SetKits(const KitDesign& home, const KitDesign& away)
{
    MatchDayBlock& block = *GetMatchSidesBlock();
    MatchSide_SetKit(&block.sides[0], home);
    MatchSide_SetKit(&block.sides[1], away);
}

void KitMatch_SetUpBlock()
{
    MatchDay_ClearBlock();
    MatchDayBlock& block = *GetMatchSidesBlock();
    block.viewMode = VIEW_3D;
    for (int32_t person = 0; person < 32; ++person) {
        MatchPlayerEntry& entry = block.sides[person / 16].entries[person % 16];
        entry.shirt = static_cast<int16_t>(person % 16 + 1);
        entry.skin = kLooks[person].skin;
        entry.hairColour = kLooks[person].hairColour;
        entry.hairStyle = kLooks[person].hairStyle;
    }
    KitMatch_SetKits(KitMatch_Design(5, 7, 1, 2, 3, 4), KitMatch_Design(55, 0, 6, 7, 0, 1));
}

const KitMatchKits& KitMatch_ClashingClubs()
{
    static const KitMatchKits kits = [] {
        ScopedWorld world;
        NewGameForTest(2, 3);
        KitMatchKits found{};
        for (int32_t home = 0; home < CLUB_ID_COUNT; ++home) {
            for (int32_t away = 0; away < CLUB_ID_COUNT; ++away) {
                const KitDesign* a = Club_GetKitDesign(home, 0);
                const KitDesign* b = Club_GetKitDesign(away, 0);
                if (home == away || a == nullptr || b == nullptr || DesignsClash(*a, *b) == 0)
                    continue;
                found.home = *a;
                found.homeOfAway = *b;
                GetTeamDesign(home, away, 1, &found.away);
                return found;
            }
        }
        return found;
    }();
    return kits;
}

ScopedGeneratedArt::ScopedGeneratedArt()
{
    ResetCoreForTest();
    MemoryInit();
    PakFileInit();
    DataFolderInit(ScopedMenus::GeneratedDataFolder().c_str());
    PakMount("pakfiles\\hdcommon");
    PakMount("pakfiles\\cdcommon");
    KitMatch_SetUpBlock();
}

ScopedGeneratedArt::~ScopedGeneratedArt()
{
    PakFileUninit();
    MemoryUninit();
    ResetCoreForTest();
}

std::vector<uint8_t> ScopedGeneratedArt_Load(const std::string& name)
{
    void* block = nullptr;
    const int32_t bytes = PakLoadFile(name.c_str(), &block);
    std::vector<uint8_t> copy(static_cast<uint8_t*>(block), static_cast<uint8_t*>(block) + bytes);
    FreeMemory(&block);
    return copy;
}
