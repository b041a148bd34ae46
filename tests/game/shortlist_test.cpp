// tests/game/shortlist_test.cpp: the shortlists, the sort keys and the player comparators.
#include "game/shortlist.h"

#include <algorithm>
#include <vector>

#include "game/funcs.h"
#include "game/records.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

std::vector<int16_t> Sorted(std::vector<int16_t> ids)
{
    std::sort(ids.begin(), ids.end(), PlayerList_Before);
    return ids;
}

}  // namespace

TEST(ShortList, AddFillsTheHighestFreeSlotAndRefusesRepeatsNegativesAndAFullList)
{
    ScopedCore core;
    ShortList_Uninit();
    std::fill(std::begin(ShortList), std::end(ShortList), 100);
    ShortList[3] = ShortList[7] = ShortList[39] = SHORTLIST_FREE;
    EXPECT_EQ(ShortList_Add_Player(5), 1);
    EXPECT_EQ(ShortList[39], 5);
    EXPECT_EQ(ShortList_Add_Player(5), 0);
    EXPECT_EQ(ShortList_Add_Player(-3), 0);
    EXPECT_EQ(ShortList_Add_Player(6), 1);
    EXPECT_EQ(ShortList[7], 6);
    EXPECT_EQ(ShortList_Add_Player(7), 1);
    EXPECT_EQ(ShortList_Add_Player(8), 0);  // full: nothing written past the list
    EXPECT_EQ(ShortList_Contains(7), 1);
    EXPECT_EQ(ShortList_Contains(8), 0);
    EXPECT_EQ(ShortList_Remove(6), 1);
    EXPECT_EQ(ShortList_Remove(6), 0);
    EXPECT_EQ(ShortList[7], SHORTLIST_FREE);
}

TEST(ShortList, TheWorkingListHoldsSeventyTwoAndThenRefuses)
{
    ScopedCore core;
    ShortList_Uninit();
    for (int32_t id = 0; id < SHORTLIST2_SIZE; ++id) {
        ASSERT_EQ(ShortList2_Add_Player(id), 1);
    }
    EXPECT_EQ(ShortList2_Add_Player(500), 0);
    EXPECT_EQ(ShortList2[0], SHORTLIST2_SIZE - 1);
    ShortList2_Clear();
    EXPECT_EQ(ShortList2_Contains(0), 0);
}

TEST(ShortList, SortKeysTakeTheLowestFreeSlotOnceEach)
{
    ScopedCore core;
    ShortList_Uninit();
    EXPECT_EQ(PickList5_Set(38, 38, 39, 39, 39), 0);
    EXPECT_EQ(PickList5[0], 38);
    EXPECT_EQ(std::count(std::begin(PickList5), std::end(PickList5), PICKLIST_NO_KEY), 4);
    EXPECT_EQ(PickList5_Set(1, 2, 3, 4, 5), 1);
    EXPECT_EQ(PickList5_Add(6), 0);
    EXPECT_EQ(PickList5_Add(39), 1);
    EXPECT_EQ(PickList5_Remove(3), 1);
    EXPECT_EQ(PickList5_Add(6), 1);
    EXPECT_EQ(PickList5[2], 6);
}

class PlayerSortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        NewGameForTest(0, 17);
        ShortList_Uninit();
        m_club = VTW_GetClubOfManager(MANAGER_HUMAN);
        if (m_club < 0) m_club = 0;
        for (int16_t id = 0; id < FullPlayerCount && m_squad.size() < 6; ++id) {
            if (VTW_GetPlayerClub(id) == m_club && VTW_GetPlayerPosition(id) != 13)
                m_squad.push_back(id);
        }
    }

    ScopedWorld m_world;
    int32_t m_club = 0;
    std::vector<int16_t> m_squad;
};

TEST_F(PlayerSortTest, EmptyEntriesSortLastWhateverTheKey)
{
    ASSERT_GE(m_squad.size(), 2u);
    PickList5_Set(2, 39, 39, 39, 39);
    const std::vector<int16_t> sorted = Sorted({m_squad[0], -1, m_squad[1]});
    EXPECT_EQ(sorted.back(), -1);
    EXPECT_GE(VTW_GetPlayerAge(sorted[0]), VTW_GetPlayerAge(sorted[1]));
}

TEST_F(PlayerSortTest, ShirtOrderPutsTheUnnumberedAndTheLoanedOutLast)
{
    ASSERT_GE(m_squad.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        VTW_SetPlayerShirt(m_squad[i], static_cast<int32_t>(4 - i));
    }
    VTW_SetPlayerShirt(m_squad[1], 0);
    DbPlayers[m_squad[0]].flags |= PLAYER_ON_LOAN;
    DbPlayers[m_squad[0]].loanClub = static_cast<int16_t>(m_club == 0 ? 1 : 0);
    PickList5_Set(25, 39, 39, 39, 39);
    const std::vector<int16_t> sorted = Sorted({m_squad[0], m_squad[1], m_squad[2], m_squad[3]});
    EXPECT_EQ(sorted[0], m_squad[3]);  // shirt 1
    EXPECT_EQ(sorted[1], m_squad[2]);  // shirt 2
    EXPECT_TRUE((sorted[2] == m_squad[0] && sorted[3] == m_squad[1])
                || (sorted[2] == m_squad[1] && sorted[3] == m_squad[0]));
}

TEST_F(PlayerSortTest, ClubOrderReadsTheOriginWordOfPlayersOfClub252)
{
    ASSERT_GE(m_squad.size(), 2u);
    const int16_t a = m_squad[0];
    const int16_t b = m_squad[1];
    DbPlayers[a].club = CLUB_ORIGIN;
    DbPlayers[a].originWord = 0;
    DbPlayers[b].club = 5;
    EXPECT_EQ(PlayerCompareTable[26](a, b), -1);
    DbPlayers[a].originWord = 9;
    EXPECT_EQ(PlayerCompareTable[26](a, b), 1);
    EXPECT_EQ(PlayerCompareTable[PICKLIST_NO_KEY](a, b), 0);
}

TEST_F(PlayerSortTest, EveryComparatorIsAntisymmetric)
{
    ASSERT_GE(m_squad.size(), 2u);
    for (int32_t key = 0; key < PLAYER_COMPARATORS; ++key) {
        const int32_t ab = PlayerCompareTable[key](m_squad[0], m_squad[1]);
        EXPECT_EQ(ab, -PlayerCompareTable[key](m_squad[1], m_squad[0])) << "key " << key;
        EXPECT_EQ(PlayerCompareTable[key](m_squad[0], m_squad[0]), 0) << "key " << key;
    }
}

// The player search's keys: the higher score or value first, equals left to the next key (here
// the ids, the higher first).
TEST_F(PlayerSortTest, SearchScoreAndValueSortTheHighestFirstAndLeaveTiesToTheNextKey)
{
    ASSERT_GE(m_squad.size(), 4u);
    const std::vector<int16_t> four(m_squad.begin(), m_squad.begin() + 4);
    const int32_t scores[4] = {500, 9000, 500, 120};
    for (size_t i = 0; i < 4; ++i) {
        PlayerSearchScore[four[i]] = scores[i];
    }
    PickList5_Set(1, 0, 39, 39, 39);
    EXPECT_EQ(Sorted(four), (std::vector<int16_t>{four[1], std::max(four[0], four[2]),
                                                  std::min(four[0], four[2]), four[3]}));

    PickList5_Set(3, 0, 39, 39, 39);
    const std::vector<int16_t> byValue = Sorted(m_squad);
    for (size_t i = 1; i < byValue.size(); ++i) {
        const int32_t before = VTW_GetPlayerValue(byValue[i - 1]);
        const int32_t after = VTW_GetPlayerValue(byValue[i]);
        EXPECT_TRUE(before > after || (before == after && byValue[i - 1] > byValue[i])) << i;
        EXPECT_EQ(CompareValue(byValue[i - 1], byValue[i]), before == after ? 0 : -1);
    }
}
