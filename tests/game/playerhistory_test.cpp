// tests/game/playerhistory_test.cpp: the players' progress history over a seeded career: the
// skill values now and at each point, the season's turn, a reused id, the saved block.
#include "game/playerhistory.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/debug.h"
#include "engine/filename.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/savegame.h"
#include "game/season.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

class PlayerHistoryTest : public testing::Test {
protected:
    void SetUp() override
    {
        NewGameForTest(2, 31);
        for (m_player = 0; !PlayerLife_IsActivePlayer(m_player); ++m_player) {
        }
    }
    std::vector<int16_t> Abilities(int32_t historyIndex) const
    {
        std::vector<int16_t> values;
        for (int32_t skill = 1; skill <= PLAYER_HISTORY_SKILLS; ++skill) {
            values.push_back(GiveMeValuefor(m_player, skill, historyIndex));
        }
        return values;
    }
    // A point in which the player's ability has been moved by `shift`.
    void RecordWithAbility(int32_t shift)
    {
        DbPlayers[m_player].ability = static_cast<uint8_t>(m_start + shift);
        PlayerHistory_RecordPoint();
    }

    ScopedWorld m_world;
    ScopedSeason m_season;
    TempHome m_home;
    int32_t m_player = 0;
    int32_t m_start = 0;
};

TEST_F(PlayerHistoryTest, ValuesNowAndAtEachPointAndNoneForBadSkillsOrPointsBeyond)
{
    const std::vector<int16_t> start = Abilities(-1);
    DbPlayers[m_player].ability = DbPlayers[m_player].ability > 50 ? 20 : 80;
    const std::vector<int16_t> lower = Abilities(-1);
    ASSERT_NE(lower, start);

    struct Case {
        int32_t skill;
        int32_t historyIndex;
        int32_t expected;
        bool logs;
    };
    const Case cases[] = {
        {1, -1, VTW_GetAbilityStat(m_player, 0), false},
        {8, -1, VTW_GetAbilityStat(m_player, 7), false},
        {9, -1, VTW_GetPhysicalStat(m_player, 8), false},
        {15, -1, VTW_GetPhysicalStat(m_player, 14), false},
        {1, 0, start[0], false},  // the new career's point, before the change
        {5, 0, start[4], false},
        {8, 0, start[7], false},
        {3, 1, PLAYER_HISTORY_NO_VALUE, false},  // one point so far
        {2, PLAYER_HISTORY_POINTS, PLAYER_HISTORY_NO_VALUE, false},
        {9, 0, PLAYER_HISTORY_NO_VALUE, false},  // the physical stats have no history
        {0, -1, PLAYER_HISTORY_NO_VALUE, true},
        {0, 0, PLAYER_HISTORY_NO_VALUE, true},
        {16, -1, PLAYER_HISTORY_NO_VALUE, true},
        {-1, 0, PLAYER_HISTORY_NO_VALUE, true},
    };
    DebugSetLevel(DBG_GENERAL, 0);
    for (const Case& c : cases) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(GiveMeValuefor(m_player, c.skill, c.historyIndex), c.expected)
            << c.skill << " " << c.historyIndex;
        const std::string said = testing::internal::GetCapturedStdout();
        EXPECT_EQ(said, c.logs ? "GiveMeValuefor(): Passing an invalid skill\n" : "") << c.skill;
    }
    // Today's value of every skill: the abilities, then the physical stats.
    for (int32_t skill = PLAYER_SKILL_FIRST; skill <= PLAYER_SKILL_LAST; ++skill) {
        const int32_t stat = skill - 1;
        EXPECT_EQ(GiveMeValuefor(m_player, skill, -1), skill <= PLAYER_HISTORY_SKILLS
                                                           ? VTW_GetAbilityStat(m_player, stat)
                                                           : VTW_GetPhysicalStat(m_player, stat))
            << skill;
    }
    // Light players and ids outside the records have no history.
    EXPECT_EQ(GiveMeValuefor(FullPlayerCount, 1, 0), PLAYER_HISTORY_NO_VALUE);
    EXPECT_EQ(GiveMeValuefor(-1, 1, 0), PLAYER_HISTORY_NO_VALUE);
    EXPECT_EQ(GiveMeValuefor(PLAYER_FULL_MAX, 1, 0), PLAYER_HISTORY_NO_VALUE);
}

TEST_F(PlayerHistoryTest, AFullHistoryDropsItsOldestPointAndAReusedIdStartsAfresh)
{
    m_start = 40;
    PlayerHistory_ResetCareer();
    std::vector<std::vector<int16_t>> recorded;
    for (int32_t k = 0; k < PLAYER_HISTORY_POINTS + 2; ++k) {
        RecordWithAbility(k * 4);
        recorded.push_back(Abilities(-1));
    }
    EXPECT_EQ(PlayerHistory[m_player].count, PLAYER_HISTORY_POINTS);
    for (int32_t point = 0; point < PLAYER_HISTORY_POINTS; ++point) {
        EXPECT_EQ(Abilities(point), recorded[point + 2]) << point;
    }
    EXPECT_NE(recorded[0], recorded[PLAYER_HISTORY_POINTS + 1]);

    // The id given to another person: the old rows are not his.
    DbPersons[m_player].nameIndex = static_cast<uint16_t>(DbPersons[m_player].nameIndex + 1);
    EXPECT_EQ(Abilities(0), std::vector<int16_t>(PLAYER_HISTORY_SKILLS, PLAYER_HISTORY_NO_VALUE));
    RecordWithAbility(0);
    EXPECT_EQ(PlayerHistory[m_player].count, 1);
    EXPECT_EQ(Abilities(0), Abilities(-1));
}

TEST_F(PlayerHistoryTest, TheSeasonsTurnRecordsEveryActivePlayerAndASaveKeepsIt)
{
    std::vector<std::vector<int16_t>> before(FullPlayerCount);
    for (m_player = 0; m_player < FullPlayerCount; ++m_player) {
        if (PlayerLife_IsActivePlayer(m_player)) before[m_player] = Abilities(-1);
    }
    NewSeason();
    int32_t recorded = 0;
    int32_t changed = 0;
    for (m_player = 0; m_player < FullPlayerCount; ++m_player) {
        if (!PlayerLife_IsActivePlayer(m_player)) continue;
        ++recorded;
        const std::vector<int16_t> now = Abilities(-1);
        EXPECT_EQ(Abilities(PlayerHistory[m_player].count - 1), now) << m_player;
        if (PlayerHistory[m_player].count == 2) {
            EXPECT_EQ(Abilities(0), before[m_player]) << m_player;
            changed += now != before[m_player];
        }
    }
    EXPECT_GT(recorded, 1000);
    EXPECT_GT(changed, 100);  // the turn moved many players: the points differ

    ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
    const std::vector<uint8_t> save = ReadBytes(HostPath(SaveGame_SaveName(1)));
    const PlayerHistoryRow kept = PlayerHistory[m_player - 1];
    PlayerHistory_ResetCareer();
    ASSERT_EQ(LoadGame(1), SAVEGAME_OK);
    EXPECT_EQ(PlayerHistory[m_player - 1].count, kept.count);
    ASSERT_EQ(SaveGame(2), SAVEGAME_OK);
    EXPECT_EQ(ReadBytes(HostPath(SaveGame_SaveName(2))), save);
}

TEST_F(PlayerHistoryTest, TheSavedBlockRefusesCountsAndHeldValuesOutOfRange)
{
    struct Case {
        uint8_t count;
        uint8_t value;  // every skill of every held point; the points past the count stay 0
        bool accepted;
    };
    const Case cases[] = {
        {0, 0, true},   {1, 10, true},    {PLAYER_HISTORY_POINTS, 99, true},
        {1, 9, false},  {1, 100, false},  {PLAYER_HISTORY_POINTS, 9, false},
        {7, 50, false}, {255, 50, false},
    };
    for (const Case& c : cases) {
        PlayerHistory_ResetCareer();
        PlayerHistoryRow& row = PlayerHistory[PLAYER_FULL_MAX - 1];
        row.count = c.count;
        for (int32_t point = 0; point < std::min<int32_t>(c.count, PLAYER_HISTORY_POINTS);
             ++point) {
            for (uint8_t& value : row.skills[point]) {
                value = c.value;
            }
        }
        EXPECT_EQ(PlayerHistory_CheckSaved(PlayerHistory), c.accepted)
            << int(c.count) << " " << int(c.value);
    }
}

}  // namespace
