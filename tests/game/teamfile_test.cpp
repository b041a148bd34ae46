// tests/game/teamfile_test.cpp: the exported team file: a round trip into both friendly team
// blocks, and every kind of bad file refused with the block left as it was.
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine/blockfile.h"
#include "engine/filename.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A team named "Autre" whose entries are all absent: playable as it stands.
ExportedTeamBlock PlainTeam()
{
    ExportedTeamBlock team{};
    std::strcpy(team.name, "Autre");
    for (MatchPlayerEntry& entry : team.entries) {
        MatchEntry_Clear(&entry);
    }
    return team;
}

class TeamFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        NewGameForTest(0, 31);
        Tactics_Init();
        MatchBlocks_Init();
        GameState.humanClub = 7;
        std::memset(&CustomTactics[2], 0, sizeof(TacticsRecord));
        CustomTactics[2].slots[5].row = 4;
        CustomTactics[2].slots[5].column = 11;
        m_path = HostPath(TEAM_FILE_NAME);
    }

    // Friendly block 0 filled with a pattern, so that any change shows.
    void MarkBlock()
    {
        std::memset(&FriendlyTeamBlocks[0], 0x6C, sizeof(ExportedTeamBlock));
        m_marked = FriendlyTeamBlocks[0];
    }
    bool BlockUnchanged() const
    {
        return std::memcmp(&FriendlyTeamBlocks[0], &m_marked, sizeof(m_marked)) == 0;
    }

    TempHome m_home;
    ScopedWorld m_world;
    std::string m_path;
    ExportedTeamBlock m_marked;
};

TEST_F(TeamFileTest, TheHumansTeamRoundTripsIntoBothFriendlyBlocks)
{
    CustomTactics[2].slots[5].row2 = -1;  // a run the manager removed
    CustomTactics[2].slots[5].column2 = -1;
    ASSERT_EQ(SaveTeamFile(), 0);
    ASSERT_EQ(LoadTeamFile(0), 0);
    ASSERT_EQ(LoadTeamFile(1), 0);
    const ExportedTeamBlock& team = FriendlyTeamBlocks[1];
    EXPECT_EQ(std::memcmp(&FriendlyTeamBlocks[0], &team, sizeof(team)), 0);
    EXPECT_STREQ(team.name, VTW_FormatClubName(VTW_GetTeam(7)));
    EXPECT_EQ(+team.homeKit, VTW_GetTeam(7));
    EXPECT_EQ(std::memcmp(team.tactics, CustomTactics, sizeof(team.tactics)), 0);
    MatchPlayerEntry entries[MATCH_ENTRY_COUNT];
    MatchEntry_FillTeamSheet(entries, 7);
    EXPECT_EQ(std::memcmp(team.entries, entries, sizeof(entries)), 0);

    // Saving again gives the same bytes.
    const Bytes first = ReadFileBytes(m_path);
    ASSERT_EQ(SaveTeamFile(), 0);
    EXPECT_EQ(ReadFileBytes(m_path), first);
}

TEST_F(TeamFileTest, AMissingTruncatedOrDamagedFileLeavesTheBlockAsItWas)
{
    MarkBlock();
    EXPECT_NE(LoadTeamFile(0), 0);  // none written yet
    EXPECT_TRUE(BlockUnchanged());

    ASSERT_EQ(SaveTeamFile(), 0);
    const Bytes whole = ReadFileBytes(m_path);
    for (size_t size : {size_t(0), size_t(10), whole.size() / 2, whole.size() - 1}) {
        WriteFileBytes(m_path, Bytes(whole.begin(), whole.begin() + size));
        EXPECT_NE(LoadTeamFile(0), 0) << size;
        EXPECT_TRUE(BlockUnchanged()) << size;
    }
    Bytes flipped = whole;
    flipped[whole.size() - 100] ^= 0x10;
    WriteFileBytes(m_path, flipped);
    EXPECT_NE(LoadTeamFile(0), 0);
    EXPECT_TRUE(BlockUnchanged());
}

TEST_F(TeamFileTest, AForeignFileOrAnUnplayableTeamIsRefused)
{
    MarkBlock();
    ExportedTeamBlock team = PlainTeam();
    BlockFileBlock block = {"TEAM", &team, sizeof(team)};
    ASSERT_EQ(BlockFileSave(TEAM_FILE_NAME, "SAV0", 1, &block, 1), BLOCKFILE_OK);
    EXPECT_NE(LoadTeamFile(0), 0);  // another kind of file

    team.tactics[4].slots[3].row3 = TACTIC_GRID_ROWS;  // a cell off the grid
    ASSERT_EQ(BlockFileSave(TEAM_FILE_NAME, "TEM1", 1, &block, 1), BLOCKFILE_OK);
    EXPECT_NE(LoadTeamFile(0), 0);
    EXPECT_TRUE(BlockUnchanged());

    team.tactics[4].slots[3].row3 = 0;
    std::memset(team.entries[2].name, 'x', sizeof(team.entries[2].name));  // no end to a name
    ASSERT_EQ(BlockFileSave(TEAM_FILE_NAME, "TEM1", 1, &block, 1), BLOCKFILE_OK);
    EXPECT_NE(LoadTeamFile(0), 0);
    EXPECT_TRUE(BlockUnchanged());

    team.entries[2].name[0] = '\0';
    ASSERT_EQ(BlockFileSave(TEAM_FILE_NAME, "TEM1", 1, &block, 1), BLOCKFILE_OK);
    EXPECT_EQ(LoadTeamFile(0), 0);
    EXPECT_STREQ(FriendlyTeamBlocks[0].name, "Autre");
}

TEST_F(TeamFileTest, WithoutAHumanClubNothingIsWritten)
{
    GameState.humanClub = -1;
    EXPECT_NE(SaveTeamFile(), 0);
    EXPECT_TRUE(ReadFileBytes(m_path).empty());
}

TEST_F(TeamFileTest, TheFirstClubExportsLikeAnyOther)
{
    GameState.humanClub = 0;
    ASSERT_EQ(SaveTeamFile(), 0);
    ASSERT_EQ(LoadTeamFile(0), 0);
    EXPECT_STREQ(FriendlyTeamBlocks[0].name, VTW_FormatClubName(VTW_GetTeam(0)));
}

TEST(TeamFileDeathTest, ATeamBlockOtherThanZeroOrOneIsFatal)
{
    EXPECT_FATAL(LoadTeamFile(2), "LoadTeamFile(): bad team block 2");
}

}  // namespace

// The kits of a friendly come from the world's table by the two kit words.
TEST_F(TeamFileTest, AKitWordOutsideTheWorldsTeamsIsRefused)
{
    MarkBlock();
    ExportedTeamBlock team = PlainTeam();
    BlockFileBlock block = {"TEAM", &team, sizeof(team)};
    struct Case {
        int16_t homeKit, awayKit;
        bool loads;
    };
    const Case cases[] = {
        {-1, 0, false}, {0, TEAM_COUNT, false}, {TEAM_COUNT, 0, false}, {TEAM_COUNT - 1, 0, true}};
    for (const Case& c : cases) {
        team.homeKit = c.homeKit;
        team.awayKit = c.awayKit;
        ASSERT_EQ(BlockFileSave(TEAM_FILE_NAME, "TEM1", 1, &block, 1), BLOCKFILE_OK);
        EXPECT_EQ(LoadTeamFile(0) == 0, c.loads) << c.homeKit << " " << c.awayKit;
        EXPECT_EQ(BlockUnchanged(), !c.loads) << c.homeKit << " " << c.awayKit;
    }
}

// The match draws each present entry's shirt number, position and look from tables: an entry
// outside them is refused at load, as a replay's is, and the friendly never starts with it.
TEST_F(TeamFileTest, AnEntryTheMatchCannotDrawIsRefused)
{
    struct Case {
        const char* what;
        int32_t entry;
        void (*spoil)(MatchPlayerEntry*);
        bool loads;
    };
    const Case cases[] = {
        {"all zero", 0, [](MatchPlayerEntry* e) { *e = {}; }, false},
        {"shirt -2", 3, [](MatchPlayerEntry* e) { e->shirt = -2; }, false},
        {"shirt 17", 3, [](MatchPlayerEntry* e) { e->shirt = 17; }, false},
        {"shirt 32767", 3, [](MatchPlayerEntry* e) { e->shirt = 32767; }, false},
        {"position 14", 0, [](MatchPlayerEntry* e) { e->positionCode = 14; }, false},
        {"position 255", 0, [](MatchPlayerEntry* e) { e->positionCode = 255; }, false},
        {"skin 7", 5, [](MatchPlayerEntry* e) { e->skin = 7; }, false},
        {"hair 4", 5, [](MatchPlayerEntry* e) { e->hairColour = 4; }, false},
        {"manager shirt 0", MATCH_MANAGER_ENTRY, [](MatchPlayerEntry* e) { e->shirt = 0; }, false},
        {"edges", 15, [](MatchPlayerEntry* e) { e->shirt = 16; }, true},
        {"absent, any look", 2, [](MatchPlayerEntry* e) { e->shirt = -1, e->skin = 200; }, true},
    };
    for (const Case& c : cases) {
        MarkBlock();
        ExportedTeamBlock team = PlainTeam();
        MatchEntry_Fill(&team.entries[c.entry], 0, c.entry + 1);
        team.entries[c.entry].positionCode = 13;
        team.entries[c.entry].skin = 6;
        team.entries[c.entry].hairColour = 3;
        c.spoil(&team.entries[c.entry]);
        BlockFileBlock block = {"TEAM", &team, sizeof(team)};
        ASSERT_EQ(BlockFileSave(TEAM_FILE_NAME, "TEM1", 1, &block, 1), BLOCKFILE_OK);
        EXPECT_EQ(LoadTeamFile(0) == 0, c.loads) << c.what;
        EXPECT_EQ(BlockUnchanged(), !c.loads) << c.what;
    }
}
