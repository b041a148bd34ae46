// tests/menus/historyrecords_test.cpp: the national records over hand-set club records and
// career figures: each record's text from the one club holding it, missing records left empty,
// and the screen's frame.
#include "menus/historyrecords.h"

#include <string>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/numbers.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

class HistoryRecordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
            if (ClubRecord* r = VTW_GetClubRecordPtr(club)) {
                for (ClubRecordEntry& e : r->records) {
                    e = {};
                }
            }
        }
        for (int32_t id = 0; id < FullPlayerCount; ++id) {
            DbPlayers[id].careerApps = DbPlayers[id].careerGoals = 0;
        }
    }
    static int32_t Club(int32_t division, int32_t k) { return VTW_GetDivisionSlot(division, k); }
    static std::string Name(int32_t club) { return VTW_FormatClubName(VTW_GetTeam(club)); }
    static std::string Person(int32_t id) { return VTW_FormatPersonName(id); }
    static std::string Note(int32_t club)
    {
        return "("
               + std::string(
                   GetMessageText(VTW_GetDivisionNameTextNo(VTW_FindDivisionOfTeam(club))))
               + ")";
    }
    static void Set(int32_t club, int32_t kind, ClubRecordEntry e)
    {
        VTW_GetClubRecordPtr(club)->records[kind] = e;
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(HistoryRecordsTest, EachRecordReadsTheOneClubOrPlayerHoldingIt)
{
    NationalRecords_Build();
    for (int32_t r = 0; r < NATIONAL_RECORDS; ++r) {
        EXPECT_STREQ(NationalRecords.rows[r].text, "") << r;
    }
    // A 0-0 draw, a defeat and a record of a club outside the divisions hold no record.
    Set(Club(0, 1), CLUB_REC_WIN, {0, 0, -1, static_cast<int16_t>(Club(0, 2)), 1, 1, 0, 0});
    Set(Club(0, 3), CLUB_REC_WIN, {2, 3, -1, static_cast<int16_t>(Club(0, 2)), 1, 1, 0, 0});
    NationalRecords_Build();
    EXPECT_STREQ(NationalRecords.rows[1].text, "");

    const int32_t a = Club(0, 4), b = Club(1, 2), c = Club(0, 8);
    const int16_t player = static_cast<int16_t>(PERSON_FIRST_ORDINARY + 5);
    const int16_t veteran = static_cast<int16_t>(PERSON_FIRST_ORDINARY + 9);
    Set(a, CLUB_REC_BUY, {1500000, 0, player, static_cast<int16_t>(b), 3, 7, 1, 1});
    Set(b, CLUB_REC_WIN, {7, 1, -1, static_cast<int16_t>(c), 2, 2, 99, 0});
    Set(c, CLUB_REC_CROWD, {48000, 0, -1, static_cast<int16_t>(a), 2, 2, 0, 0});
    Set(a, CLUB_REC_POINTS_TOTAL, {88, 0, -1, -1, 2, 2, 2, 2});
    Set(b, CLUB_REC_GOALS_TOTAL, {97, 0, -1, -1, 2, 2, 3, 3});
    Set(c, CLUB_REC_DISPOINTS, {60, 0, -1, -1, 2, 2, 4, 4});
    Set(a, CLUB_REC_GOALS, {31, 0, player, -1, 2, 2, 5, 5});
    DbPlayers[veteran].careerApps = 612;
    DbPlayers[veteran].careerGoals = 7;
    DbPlayers[player].careerGoals = 210;
    NationalRecords_Build();
    const std::string rows[NATIONAL_RECORDS] = {
        Person(player) + "   " + Price2str(1500000) + " " + Name(a) + " " + Note(a) + "   "
            + Name(b) + "   2001",
        "7-1 " + Name(b) + " " + Name(c) + " " + Note(c) + " 1999",
        "48000 " + Name(c) + " " + Name(a) + " " + Note(a) + " 2000",
        "88 " + Name(a) + " 2002",
        "97 " + Name(b) + " 2003",
        "60 " + Name(c) + " 2004",
        "31 " + Person(player) + " " + Name(a) + " 2005",
        "612 " + Person(veteran),
        "210 " + Person(player),
    };
    const int16_t labels[NATIONAL_RECORDS] = {556, 558, 555, 1840, 1841, 1842, 560, 1843, 1844};
    for (int32_t r = 0; r < NATIONAL_RECORDS; ++r) {
        EXPECT_EQ(NationalRecords.rows[r].text, rows[r]) << r;
        EXPECT_EQ(NationalRecords.rows[r].label, labels[r]) << r;
    }

    uint32_t hash = 0;
    m_screen.Run(NationalRecords_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("national_records.png");
    });
    ExpectGoldenHash("menus/national_records", hash);
}
