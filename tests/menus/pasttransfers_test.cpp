// tests/menus/pasttransfers_test.cpp: the past transfers screen's order, club columns and paging.
#include "menus/pasttransfers.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/market.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/transfers.h"
#include "game/world.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

class PastTransfersTest : public ::testing::Test {
protected:
    // n records, player k in the kth (oldest first); the screen built on them.
    void Record(int32_t n)
    {
        VTW_ClearTransferRecords();
        for (int32_t k = 0; k < n; ++k) {
            Transfers_Add(DivisionLists[0][1], DivisionLists[0][2], 100 + k, 0, 1000 * k);
        }
        m_screen.Run(PastTransfers_Table(), [] {});
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(PastTransfersTest, TheNewestShowsFirstAndRowsPastTheOldestAreBlank)
{
    Record(3);
    EXPECT_EQ(PastTransfers.count, 3);
    const std::vector<int32_t> players = {102, 101, 100};
    for (int32_t row = 0; row < 3; ++row) {
        EXPECT_EQ(VTW_GetTransferRecord(PastTransfers_RecordOfRow(row))->player, players[row]);
    }
    for (const int32_t row : {3, 15, 16, -1}) {
        EXPECT_EQ(PastTransfers_RecordOfRow(row), -1) << row;
    }
}

TEST_F(PastTransfersTest, PagesOfSixteenStayWithinTheRecords)
{
    struct Case {
        int32_t records;
        std::vector<int32_t> older;  // the first row after each page towards the oldest
        std::vector<int32_t> newer;  // then after each page back
    };
    const Case cases[] = {
        {0, {0}, {}},
        {3, {0, 0}, {}},
        {16, {0}, {}},
        {40, {16, 24, 24}, {8, 0}},
    };
    for (const Case& c : cases) {
        Record(c.records);
        for (const int32_t first : c.older) {
            PastTransfers_Older();
            EXPECT_EQ(PastTransfers.first, first) << c.records;
        }
        for (const int32_t first : c.newer) {
            PastTransfers_Newer();
            EXPECT_EQ(PastTransfers.first, first) << c.records;
        }
        EXPECT_EQ(PastTransfers_Newer(), 1) << c.records;
        for (int32_t row = 0; row < PAST_TRANSFERS_ROWS; ++row) {
            const int32_t record = PastTransfers_RecordOfRow(row);
            EXPECT_TRUE(record == -1 || (record >= 0 && record < c.records)) << c.records;
        }
    }
}

TEST_F(PastTransfersTest, ClubsOutsideTheGameShowNoEngagementAndOneClubOnBothSidesShowsNone)
{
    const int32_t club = DivisionLists[0][4];
    struct Case {
        int32_t club, other, text;
    };
    const Case cases[] = {
        {CLUB_NONE, club, TEXT_NO_CLUB},
        {CLUB_ID_COUNT, club, TEXT_NO_CLUB},
        {CLUB_ORIGIN, CLUB_ORIGIN, TEXT_NO_CLUB},
        {club, club, -1},
        {club, CLUB_NONE, VTW_ClubNameTextNo(VTW_GetTeam(club))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PastTransfers_ClubText(c.club, c.other), c.text) << c.club << " " << c.other;
    }
}

// The first person whose club is the one asked for: a full player when `full`, else a light one.
int32_t FirstPlayerOf(bool full, const std::function<bool(int32_t club)>& clubWanted)
{
    const int32_t first = full ? PERSON_FIRST_ORDINARY : FullPlayerCount;
    const int32_t end = full ? FullPlayerCount : DbPersonCount;
    for (int32_t id = first; id < end; ++id) {
        if (DbPersons[id].flags & PERSON_FREE) continue;
        const bool manager =
            full ? DbPlayers[id].position == POSITION_MANAGER
                 : DbLightPlayers[id - FullPlayerCount].position == POSITION_MANAGER;
        const int32_t club = full ? DbPlayers[id].club : DbLightPlayers[id - FullPlayerCount].club;
        if (!manager && clubWanted(club)) return id;
    }
    return -1;
}

// A purchase from a club abroad that has no club id here, a sale to a club outside the league,
// and the signing of a free agent offered a fee: each row names the club the player left for or
// came from, and the free agent comes for nothing, his buyer's money untouched.
TEST_F(PastTransfersTest, EachRowNamesTheClubAbroadAndAFreeAgentComesForNothing)
{
    VTW_ClearTransferRecords();
    const int32_t leagueClubs = World_LeagueClubCount(GameState.country);
    const int32_t seller = DivisionLists[0][1], buyer = DivisionLists[0][4];
    const int32_t forSale = FirstPlayerOf(true, [&](int32_t c) { return c == seller; });
    const int32_t outside =
        FirstPlayerOf(false, [&](int32_t c) { return c >= leagueClubs && c < CLUB_ID_COUNT; });
    const int32_t fromAbroad = FirstPlayerOf(false, [](int32_t c) { return c == CLUB_ORIGIN; });
    const int32_t freeAgent = FirstPlayerOf(true, [](int32_t c) { return c == CLUB_NONE; });
    ASSERT_TRUE(forSale >= 0 && outside >= 0 && fromAbroad >= 0 && freeAgent >= 0);
    const int32_t smallClub = DbLightPlayers[outside - FullPlayerCount].club;
    const int32_t abroadTeam = DbLightPlayers[fromAbroad - FullPlayerCount].originWord;
    ASSERT_TRUE(abroadTeam >= 0 && abroadTeam < TEAM_COUNT);

    // The purchase frees the light id that the sale then needs.
    ASSERT_GE(Market_MovePlayer(fromAbroad, buyer, 1'290'000, false, 500, 12), 0);
    ASSERT_GE(Market_SellAbroad(forSale, smallClub, 1'170'000), 0);
    const int32_t balance = VTW_GetClubBalance(buyer);
    ASSERT_EQ(Market_MovePlayer(freeAgent, buyer, 2'700'000, false, 500, 12), freeAgent);
    EXPECT_EQ(VTW_GetClubBalance(buyer), balance);

    const auto name = [](int32_t club) { return VTW_ClubNameTextNo(VTW_GetTeam(club)); };
    struct Case {
        const char* deal;
        int32_t destination, origin, fee;
    };
    const Case cases[] = {
        {"purchase from abroad", name(buyer), VTW_ClubNameTextNo(abroadTeam), 1'290'000},
        {"sale abroad", name(smallClub), name(seller), 1'170'000},
        {"free agent", name(buyer), TEXT_NO_CLUB, 0},
    };
    ASSERT_EQ(Transfers_Count(), 3);
    for (int32_t k = 0; k < 3; ++k) {
        const TransferRecordRow& row = *VTW_GetTransferRecord(k);
        const Case& c = cases[k];
        EXPECT_EQ(PastTransfers_RowClubText(row, row.buyer, row.seller), c.destination) << c.deal;
        EXPECT_EQ(PastTransfers_RowClubText(row, row.seller, row.buyer), c.origin) << c.deal;
        EXPECT_EQ(row.fee, c.fee) << c.deal;
    }
}

TEST_F(PastTransfersTest, TwentyRecordsMatchTheGolden)
{
    VTW_ClearTransferRecords();
    for (int32_t k = 0; k < 20; ++k) {
        const int32_t seller = k % 5 == 0 ? CLUB_NONE : DivisionLists[0][1 + k % 3];
        Transfers_Add(seller, DivisionLists[0][4 + k % 2], 100 + 7 * k, 0, 25000 * k);
    }
    uint32_t hash = 0;
    m_screen.Run(PastTransfers_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("past_transfers.png");
    });
    ExpectGoldenHash("menus/past_transfers_twenty", hash);
}
