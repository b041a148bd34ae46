// tests/menus/clubrecords_test.cpp: the club records screen over hand-filled records: each row's
// text and when it shows, the honour rows and their years, the way back, and its frame.
#include "menus/clubrecords.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/market.h"
#include "game/records.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/transfers.h"
#include "game/world.h"
#include "menus/frontend.h"
#include "menus/historyrecords.h"
#include "menus/numbers.h"
#include "menus/pasttransfers.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

class ClubRecordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_club = m_screen.HumanClub();
        m_other = DivisionLists[0][3];
        std::memset(DbClubs[m_club].records, 0, sizeof DbClubs[m_club].records);
        for (auto& season : HonoursTable) {
            for (auto& column : season) {
                column[0] = column[1] = -1;
            }
        }
    }

    ClubRecordEntry& Record(int32_t kind) { return DbClubs[m_club].records[kind]; }
    const char* Text(int32_t row) const { return ClubRecords.records[row].text; }
    std::string Other() const
    {
        return std::string(VTW_FormatClubName(VTW_GetTeam(m_other))) + " ("
               + GetMessageText(VTW_GetDivisionNameTextNo(0)) + ")";
    }
    void Won(int32_t column, int32_t row)
    {
        HonoursTable[row][column][0] = static_cast<int16_t>(VTW_GetTeam(m_club));
    }

    ScopedScreenRedraw m_screen;
    int32_t m_club = -1;
    int32_t m_other = -1;
};

}  // namespace

TEST_F(ClubRecordsTest, EachRecordRowShowsItsTextOnlyWhenTheRecordIsSet)
{
    const int32_t player = PERSON_FIRST_ORDINARY + 10;
    const std::string name = VTW_FormatPersonName(player);
    const int16_t p = static_cast<int16_t>(player);
    const int16_t other = static_cast<int16_t>(m_other);
    struct Case {
        int32_t kind;
        ClubRecordEntry entry;
        int32_t row;
        std::string text;
    };
    const Case cases[] = {
        {CLUB_REC_BUY,
         {1500000, 0, p, other, 5, 6, 3, 4},
         0,
         name + " " + Price2str(1500000) + " " + Other() + " 5/7/2003"},
        {CLUB_REC_BUY, {0, 0, p, other, 5, 6, 3, 4}, 0, ""},
        {CLUB_REC_SALE,
         {250000, 0, p, CLUB_NONE, 28, 11, 99, 0},
         1,
         name + " " + Price2str(250000) + "   28/12/1999"},  // a club outside the game
        {CLUB_REC_GOALS, {31, 0, p, -1, 1, 4, 4, 4}, 2, name + " 31 Buts 2003/2004"},
        {CLUB_REC_GOALS,  // the player-manager's own
         {27, 0, PERSON_HUMAN, -1, 1, 4, 4, 4},
         2,
         std::string(VTW_FormatPersonName(PERSON_HUMAN)) + " 27 Buts 2003/2004"},
        {CLUB_REC_GOALS, {0, 0, p, -1, 1, 4, 4, 4}, 2, ""},
        {CLUB_REC_MATCH_GOALS,
         {5, 0, p, other, 9, 9, 0, 1},
         3,
         name + " 5 Buts contre " + VTW_FormatClubName(VTW_GetTeam(m_other)) + " 2000/2001"},
        {CLUB_REC_CROWD, {45000, 0, -1, other, 1, 0, 0, 0}, 4, "45000 " + Other() + " 1/1/2000"},
        {CLUB_REC_LOW_CROWD, {812, 0, -1, other, 31, 2, 96, 0}, 5, "812 " + Other() + " 31/3/2096"},
        {CLUB_REC_LOW_CROWD, {0, 0, -1, other, 31, 2, 96, 0}, 5, ""},
        {CLUB_REC_WIN, {7, 1, -1, other, 2, 1, 1, 1}, 6, "7-1 " + Other() + " 2/2/2001"},
        {CLUB_REC_WIN, {0, 0, -1, other, 2, 1, 1, 1}, 6, ""},  // a 0-0 "win"
        {CLUB_REC_WIN, {2, 3, -1, other, 2, 1, 1, 1}, 6, ""},
        {CLUB_REC_DEFEAT, {1, 6, -1, other, 3, 3, 2, 2}, 7, "1-6 " + Other() + " 3/4/2002"},
        {CLUB_REC_DEFEAT, {2, 2, -1, other, 3, 3, 2, 2}, 7, ""},
        {CLUB_REC_POINTS_TOTAL, {92, 0, -1, -1, 1, 4, 1, 1}, 8, "92 2000/2001"},
        {CLUB_REC_GOALS_TOTAL, {88, 0, -1, -1, 1, 4, 1, 2}, 9, "88 2001/2002"},
        {CLUB_REC_DISPOINTS, {4, 0, -1, -1, 1, 4, 1, 0}, 10, "12 1999/2000"},
    };
    for (const Case& c : cases) {
        Record(c.kind) = c.entry;
        ClubRecords_Build(m_club);
        EXPECT_EQ(Text(c.row), c.text) << c.kind << " " << c.entry.value;
        Record(c.kind) = {};
    }
}

// A record purchase from a club abroad and a record sale to a club outside the league name the
// other club as the transfer records do, here and among the national records; a purchase from
// abroad kept by an older save, which kept no club, still shows without one.
TEST_F(ClubRecordsTest, ARecordTransferNamesTheOtherClubEvenAbroadAsTheTransferRecordsDo)
{
    const auto firstLight = [](const auto& wanted) {
        for (int32_t id = FullPlayerCount; id < DbPersonCount; ++id) {
            const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
            if (!(DbPersons[id].flags & PERSON_FREE) && p.position != POSITION_MANAGER && wanted(p))
                return id;
        }
        return -1;
    };
    const int32_t leagueClubs = World_LeagueClubCount(GameState.country);
    const int32_t fromAbroad = firstLight([](const LightPlayerRecord& p) {
        return p.club == CLUB_ORIGIN && p.originWord >= 0 && p.originWord < TEAM_COUNT;
    });
    const int32_t outside = firstLight([&](const LightPlayerRecord& p) {
        return p.club >= leagueClubs && p.club < CLUB_ID_COUNT;
    });
    ASSERT_TRUE(fromAbroad >= 0 && outside >= 0);
    const int32_t smallClub = DbLightPlayers[outside - FullPlayerCount].club;
    VTW_ClearTransferRecords();
    // A fee above any the career began with: the country's record buy too.
    const int32_t bought = Market_MovePlayer(fromAbroad, m_club, 90'000'000, false, 500, 12);
    ASSERT_GE(bought, 0);
    VTW_RefreshSquadCount(m_club);
    const int32_t forSale = VTW_GetPlayerByShirt(14);
    const int32_t sold = Market_SellAbroad(forSale, smallClub, 1'170'000);
    ASSERT_GE(sold, 0);
    ASSERT_EQ(Transfers_Count(), 2);
    const auto named = [](int32_t k, bool seller) {
        const TransferRecordRow& row = *VTW_GetTransferRecord(k);
        return std::string(
            GetMessageText(seller ? PastTransfers_RowClubText(row, row.seller, row.buyer)
                                  : PastTransfers_RowClubText(row, row.buyer, row.seller)));
    };
    const std::string seller = named(0, true), buyer = named(1, false);
    ASSERT_NE(seller, "");
    ASSERT_NE(buyer, "");

    ClubRecords_Build(m_club);
    const std::string date = std::to_string(GameState.dayOfMonth) + "/"
                             + std::to_string(GameState.month + 1) + "/"
                             + std::to_string(GameState.year);
    EXPECT_EQ(Text(0), VTW_FormatPersonName(bought) + std::string(" ") + Price2str(90'000'000) + " "
                           + seller + "  " + date);
    EXPECT_EQ(Text(1), VTW_FormatPersonName(sold) + std::string(" ") + Price2str(1'170'000) + " "
                           + buyer + " " + ClubRecords_DivisionNote(smallClub) + " " + date);
    NationalRecords_Build();
    const std::string national = NationalRecords.rows[0].text;
    EXPECT_NE(national.find("   " + seller + "   "), std::string::npos) << national;

    Record(CLUB_REC_BUY).value2 = 0;
    ClubRecords_Build(m_club);
    EXPECT_EQ(Text(0), VTW_FormatPersonName(bought) + std::string(" ") + Price2str(90'000'000)
                           + "   " + date);
}

TEST_F(ClubRecordsTest, AClubWithoutRecordsShowsEveryLabelWithAnEmptyText)
{
    const int16_t labels[CLUB_RECORD_ROWS] = {556, 557, 560,  1846, 555, 1847,
                                              558, 559, 1848, 1849, 1842};
    int32_t small = -1;
    for (int32_t club = 0; club < DbClubCount && small < 0; ++club) {
        if (VTW_GetClubRecordPtr(club) == nullptr) small = club;
    }
    ASSERT_GE(small, 0);
    for (const int32_t club : {m_club, small}) {
        ClubRecords_Build(club);
        for (int32_t row = 0; row < CLUB_RECORD_ROWS; ++row) {
            EXPECT_EQ(ClubRecords.records[row].label, labels[row]) << club << " " << row;
            EXPECT_STREQ(Text(row), "") << club << " " << row;
        }
        EXPECT_STREQ(ClubRecords.honours[0].years, "") << club;
    }
}

TEST_F(ClubRecordsTest, HonourRowsListTheNationalCupsThenTheThreeContinentalWithElevenYearsAtMost)
{
    WorldCountry& country = World.countries[GameState.country];
    const uint8_t cups = country.nationalCups;
    GameState.seasonCounter = 40;  // 2039/2040 is row 0
    for (int32_t row = 0; row < 15; ++row) {
        Won(0, 2 * row);  // 15 wins, every other season
    }
    Won(5, 3);
    Won(6, 0);
    Won(6, 49);
    HonoursTable[1][4][1] = static_cast<int16_t>(VTW_GetTeam(m_club));  // a runner-up only
    for (uint8_t n = 1; n <= 4; ++n) {
        country.nationalCups = n;
        ClubRecords_Build(m_club);
        EXPECT_EQ(ClubRecords.honourCount, n + 3);
        for (int32_t row = 0; row < n; ++row) {
            EXPECT_STREQ(ClubRecords.honours[row].cup, GetMessageText(VTW_GetCountryTextNo(row)));
        }
        EXPECT_STREQ(ClubRecords.honours[0].years,
                     "2040,2038,2036,2034,2032,2030,2028,2026,2024,2022,2020");
        for (int32_t row = 1; row < n; ++row) {
            EXPECT_STREQ(ClubRecords.honours[row].years, "") << row;
        }
        const ClubHonourRow* continental = ClubRecords.honours + n;
        for (int32_t k = 0; k < 3; ++k) {
            EXPECT_STREQ(continental[k].cup, GetMessageText(VTW_GetCountryTextNo(4 + k)));
        }
        EXPECT_STREQ(continental[0].years, "");
        EXPECT_STREQ(continental[1].years, "2037");
        EXPECT_STREQ(continental[2].years, "2040,1991");
        for (int32_t row = n + 3; row < CLUB_HONOUR_ROWS; ++row) {
            EXPECT_STREQ(ClubRecords.honours[row].cup, "") << +n;
            EXPECT_STREQ(ClubRecords.honours[row].years, "") << +n;
        }
    }
    country.nationalCups = cups;
}

TEST_F(ClubRecordsTest, TheBackButtonLeadsToTheOfficeOrToTheJobCentreViewingTheClub)
{
    for (const uint16_t viewing : {0, 1}) {
        JobCentreViewFlag = viewing;
        MenuInputs inputs;
        AddClick(&inputs, 100, 590, 456);
        m_screen.Run(
            ClubRecords_Table(), [] {}, inputs);
        EXPECT_EQ(MenuOption, viewing ? 43 : MENU_OPTION_OFFICE);
    }
    JobCentreViewFlag = 0;
}

TEST_F(ClubRecordsTest, AFullPageOfRecordsAndHonoursMatchesTheGolden)
{
    const int16_t other = static_cast<int16_t>(m_other);
    const int16_t player = PERSON_FIRST_ORDINARY + 10;
    Record(CLUB_REC_BUY) = {4250000, 0, player, other, 14, 7, 3, 4};
    Record(CLUB_REC_SALE) = {1800000, 0, static_cast<int16_t>(player + 1), other, 2, 0, 4, 4};
    Record(CLUB_REC_GOALS) = {34, 0, static_cast<int16_t>(player + 2), -1, 1, 4, 2, 2};
    Record(CLUB_REC_MATCH_GOALS) = {5, 0, static_cast<int16_t>(player + 2), other, 9, 9, 1, 1};
    Record(CLUB_REC_CROWD) = {61234, 0, -1, other, 26, 11, 1, 1};
    Record(CLUB_REC_LOW_CROWD) = {8123, 0, -1, other, 3, 2, 0, 0};
    Record(CLUB_REC_WIN) = {8, 0, -1, other, 12, 3, 2, 2};
    Record(CLUB_REC_DEFEAT) = {0, 5, -1, other, 4, 9, 3, 3};
    Record(CLUB_REC_POINTS_TOTAL) = {91, 0, -1, -1, 1, 4, 3, 3};
    Record(CLUB_REC_GOALS_TOTAL) = {97, 0, -1, -1, 1, 4, 2, 2};
    Record(CLUB_REC_DISPOINTS) = {23, 0, -1, -1, 1, 4, 0, 0};
    GameState.seasonCounter = 4;
    Won(0, 0);
    Won(0, 3);
    Won(1, 2);
    Won(6, 1);
    uint32_t hash = 0;
    m_screen.Run(ClubRecords_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("club_records.png");
    });
    ExpectGoldenHash("menus/club_records", hash);
}
