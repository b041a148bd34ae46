// tests/game/savegame_test.cpp: saved games: identical bytes on a round trip, the same career
// after a load, and every refusal leaving the running career as it was.
#include "game/savegame.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/random.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/season.h"
#include "game/tactics.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A career of country 2 a few days in, with the modules that save state started, in a home of
// its own.
class SaveGameTest : public testing::Test {
protected:
    void SetUp() override
    {
        NewGameForTest(2, 21);
        VTW_SetClubControl(3, MANAGER_HUMAN);
        GameState.humanClub = 3;
        AutoRunMode = 1;
    }
    std::string SavePath(int32_t n) { return HostPath(SaveGame_SaveName(n)); }
    std::string PermPath(int32_t n) { return HostPath(SaveGame_PermName(n)); }

    ScopedWorld m_world;
    ScopedSeason m_season;
    TempHome m_home;
};

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

void PlayUntil(int32_t season, int32_t day)
{
    while (GameState.seasonCounter < season || DayNo < day) {
        PlayDays(1);
    }
}

TEST_F(SaveGameTest, SaveLoadSaveGivesIdenticalFilesAndTheSameCareerAfterwards)
{
    const int32_t second = GameState.seasonCounter + 1;
    PlayUntil(second, 150);
    ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
    const std::vector<uint8_t> save = ReadBytes(SavePath(1));
    const std::vector<uint8_t> perm = ReadBytes(PermPath(1));
    ASSERT_EQ(LoadGame(1), SAVEGAME_OK);
    ASSERT_EQ(SaveGame(2), SAVEGAME_OK);
    EXPECT_EQ(ReadBytes(SavePath(2)), save);
    EXPECT_EQ(ReadBytes(PermPath(2)), perm);

    // On to the season's end, through the new-season rollover, twice from the same save.
    SRand(77);
    PlayUntil(second + 1, 0);
    const uint32_t hash = SaveGame_StateHash();
    ASSERT_EQ(LoadGame(1), SAVEGAME_OK);
    EXPECT_EQ(GameState.seasonCounter, second);
    SRand(77);
    PlayUntil(second + 1, 0);
    EXPECT_EQ(SaveGame_StateHash(), hash);
}

TEST_F(SaveGameTest, RefusalsReturnTheirCodeAndLeaveTheCareerUntouched)
{
    PlayDays(5);
    ASSERT_EQ(SaveGame(3), SAVEGAME_OK);
    PlayDays(2);
    const uint32_t hash = SaveGame_StateHash();
    const std::vector<uint8_t> save = ReadBytes(SavePath(3));
    const std::vector<uint8_t> perm = ReadBytes(PermPath(3));

    EXPECT_EQ(LoadGame(4), SAVEGAME_MISSING);
    WriteBytes(SavePath(4), save);
    EXPECT_EQ(LoadGame(4), SAVEGAME_MISSING);  // the archives of the slot are missing

    std::vector<uint8_t> wrongType = save;
    wrongType[4] = 'X';
    WriteBytes(SavePath(3), wrongType);
    EXPECT_EQ(LoadGame(3), SAVEGAME_WRONG_KIND);

    // 64 seeded positions over each file: the header, block heads and data, "END0", the CRC.
    SRand(5);
    for (const bool archives : {false, true}) {
        const std::vector<uint8_t>& good = archives ? perm : save;
        for (int32_t k = 0; k < 64; ++k) {
            const size_t at = k < 4 ? good.size() - 1 - k * 2
                                    : (static_cast<size_t>(Rand()) << 15 | Rand()) % good.size();
            std::vector<uint8_t> bad = good;
            bad[at] ^= 0x5A;
            WriteBytes(SavePath(3), archives ? save : bad);
            WriteBytes(PermPath(3), archives ? bad : perm);
            const int32_t result = LoadGame(3);
            // The magic, type and version are read before any checksum.
            if (at < 12) {
                EXPECT_TRUE(result == SAVEGAME_WRONG_KIND || result == SAVEGAME_DAMAGED) << at;
            } else {
                EXPECT_EQ(result, SAVEGAME_DAMAGED) << "byte " << at;
            }
        }
    }
    EXPECT_EQ(SaveGame_StateHash(), hash);

    // Another save's archives beside this save: the pair stamp refuses them.
    ASSERT_EQ(SaveGame(5), SAVEGAME_OK);
    WriteBytes(SavePath(3), save);
    WriteBytes(PermPath(3), ReadBytes(PermPath(5)));
    PlayDays(1);
    EXPECT_EQ(LoadGame(3), SAVEGAME_DAMAGED);

    // A block registered since the file was written is missing from it.
    WriteBytes(PermPath(3), perm);
    static uint8_t extra[8];
    SaveGame_RegisterBlock("XTRA", extra, sizeof extra);
    const uint32_t beforeExtra = SaveGame_StateHash();
    EXPECT_EQ(LoadGame(3), SAVEGAME_BLOCK_MISSING);
    EXPECT_EQ(SaveGame_StateHash(), beforeExtra);

    ASSERT_EQ(chmod(HostPath("SaveData").c_str(), 0), 0);
    if (access(HostPath("SaveData").c_str(), R_OK) != 0) {
        EXPECT_EQ(LoadGame(3), SAVEGAME_NO_FOLDER);
    }
    chmod(HostPath("SaveData").c_str(), 0755);
}

TEST_F(SaveGameTest, AFailedSaveKeepsThePreviousFilesOfTheSlot)
{
    ASSERT_EQ(SaveGame(6), SAVEGAME_OK);
    const std::vector<uint8_t> save = ReadBytes(SavePath(6));
    const std::vector<uint8_t> perm = ReadBytes(PermPath(6));
    PlayDays(3);
    // A folder where the archives' temporary file must go: the second file cannot be written.
    ASSERT_EQ(mkdir((PermPath(6) + ".new.tmp").c_str(), 0755), 0);
    EXPECT_LT(SaveGame(6), 0);
    EXPECT_EQ(ReadBytes(SavePath(6)), save);
    EXPECT_EQ(ReadBytes(PermPath(6)), perm);
    EXPECT_EQ(access((SavePath(6) + ".new").c_str(), F_OK), -1);
}

}  // namespace

// The human's team sheet set by hand (shirts in a new order, the captain and takers chosen) comes
// back from a save exactly as it was, whatever happened to it in between.
TEST_F(SaveGameTest, AHandMadeTeamSheetComesBackExactlyFromASave)
{
    std::vector<int32_t> squad;
    for (int32_t id = 0; id < FullPlayerCount; ++id) {
        if (VTW_GetPlayerClub(id) == 3 && VTW_GetPlayerShirt(id) != 0) squad.push_back(id);
    }
    ASSERT_GE(squad.size(), 11u);
    // Every shirt moves one player on; the captain and takers are players no rule would pick.
    std::vector<int32_t> shirts;
    for (const int32_t id : squad) {
        shirts.push_back(VTW_GetPlayerShirt(id));
    }
    for (size_t i = 0; i < squad.size(); ++i) {
        VTW_SetPlayerShirt(squad[i], 0);
    }
    for (size_t i = 0; i < squad.size(); ++i) {
        VTW_SetPlayerShirt(squad[i], shirts[(i + 1) % shirts.size()]);
    }
    ClubRecord* record = VTW_GetClubRecordPtr(3);
    const auto last = static_cast<int16_t>(squad.back());
    record->captain = last;
    record->penaltyTaker = static_cast<int16_t>(squad[squad.size() - 2]);
    record->freeKickTaker = last;
    record->cornerTaker = static_cast<int16_t>(squad[squad.size() - 3]);
    const ClubRecord kept = *record;
    std::vector<int32_t> keptShirts;
    for (const int32_t id : squad) {
        keptShirts.push_back(VTW_GetPlayerShirt(id));
    }

    ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
    Club_AISelectTeam(3);
    ASSERT_EQ(LoadGame(1), SAVEGAME_OK);

    record = VTW_GetClubRecordPtr(3);
    EXPECT_EQ(record->captain, kept.captain);
    EXPECT_EQ(record->penaltyTaker, kept.penaltyTaker);
    EXPECT_EQ(record->freeKickTaker, kept.freeKickTaker);
    EXPECT_EQ(record->cornerTaker, kept.cornerTaker);
    for (size_t i = 0; i < squad.size(); ++i) {
        EXPECT_EQ(VTW_GetPlayerShirt(squad[i]), keptShirts[i]) << "player " << squad[i];
    }
}
