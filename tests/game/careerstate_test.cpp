// tests/game/careerstate_test.cpp: a new career and a loaded game owe nothing to the careers
// played before them in the same run of the program.
#include "game/careerstate.h"

#include <optional>
#include <string>
#include <vector>

#include "engine/filename.h"
#include "engine/random.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

// The game's modules as a fresh program starts them; a second Program in one test is the run of
// a new process, the save folder excepted.
struct Program {
    ScopedWorld world;
    ScopedSeason season;
};

void MakeCareer(int32_t country, uint32_t seed)
{
    NewGameForTest(country, seed);
    VTW_SetClubControl(3, MANAGER_HUMAN);
    GameState.humanClub = 3;
    AutoRunMode = 1;
}

void PlayDays(int32_t days)
{
    for (int32_t d = 0; d < days; ++d) {
        VTW_FindHumanNextFixture();
        int32_t row = 0;
        while (VTW_PlayMatchDay(&row) != 0) {
        }
        VTW_AdvanceDay();
    }
}

// The bytes of the running career, through a save into the slot.
std::vector<uint8_t> SavedBytes(int32_t slot)
{
    EXPECT_EQ(SaveGame(slot), SAVEGAME_OK);
    std::vector<uint8_t> bytes = ReadBytes(HostPath(SaveGame_SaveName(slot)));
    const std::vector<uint8_t> perm = ReadBytes(HostPath(SaveGame_PermName(slot)));
    bytes.insert(bytes.end(), perm.begin(), perm.end());
    return bytes;
}

constexpr int32_t kCountryA = 0;
constexpr uint32_t kSeedA = 1;
constexpr int32_t kCountryB = 2;
constexpr uint32_t kSeedB = 2;

TEST(CareerState, ANewCareerAfterAnotherIsTheOneAFreshProgramMakes)
{
    TempHome home;
    std::vector<uint8_t> afterA;
    {
        Program program;
        MakeCareer(kCountryA, kSeedA);
        PlayDays(30);
        // Career A's human drew a tactic of his own and had news.
        CustomTactics[0].slots[1].row = 3;
        TextMess_ShowForHumans();
        MakeCareer(kCountryB, kSeedB);
        PlayDays(60);
        afterA = SavedBytes(1);
    }
    Program fresh;
    MakeCareer(kCountryB, kSeedB);
    PlayDays(60);
    EXPECT_TRUE(SavedBytes(1) == afterA);
}

TEST(CareerState, ALoadAfterOtherCareersGoesOnAsInAFreshProgram)
{
    TempHome home;
    std::vector<uint8_t> afterB;
    {
        Program program;
        MakeCareer(kCountryA, kSeedA);
        PlayDays(20);
        ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
        PlayDays(30);
        MakeCareer(kCountryB, kSeedB);
        PlayDays(10);
        ASSERT_EQ(LoadGame(1), SAVEGAME_OK);
        SRand(5);
        PlayDays(30);
        afterB = SavedBytes(2);
    }
    Program fresh;
    ASSERT_EQ(LoadGame(1), SAVEGAME_OK);
    SRand(5);
    PlayDays(30);
    EXPECT_TRUE(SavedBytes(2) == afterB);
}

}  // namespace
