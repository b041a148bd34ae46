// tests/menus/pasttransfers_test.cpp: the past transfers screen's order, club columns and paging.
#include "menus/pasttransfers.h"

#include <vector>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/ids.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/transfers.h"
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
