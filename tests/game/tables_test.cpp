// tests/game/tables_test.cpp: league tables from results, the division lists, honours,
// qualifiers, national records and best elevens on a prepared world.
#include "game/tables.h"

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/records.h"
#include "game/squad.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

class TablesTest : public testing::Test {
protected:
    ScopedWorld m_world;
};

void Result(int day, int home, int away, int homeGoals, int awayGoals)
{
    const int row = VTW_InsertFixture(day, COMP_LEAGUE, home, away);
    ASSERT_GE(row, 0);
    Fixture_SetGoals(row, homeGoals, awayGoals);
}

}  // namespace

TEST_F(TablesTest, AMiniLeagueOrdersByPointsGoalDifferenceAndGoalsFor)
{
    NewGameForTest(5, 1);
    Fixtures_Clear();
    // Four clubs at the foot of the first division; everyone else stays without a match.
    const int a = VTW_GetDivisionSlot(0, 14), b = VTW_GetDivisionSlot(0, 15);
    const int c = VTW_GetDivisionSlot(0, 16), d = VTW_GetDivisionSlot(0, 17);
    Result(10, a, b, 1, 0);
    Result(10, c, d, 2, 2);
    Season_ClearTablesAndScan(-1);
    Result(20, d, a, 3, 0);  // d: 4 points, +3; a: 3 points, -2
    Result(20, b, c, 0, 0);
    Result(30, a, c, 2, 1);  // a: 6 points, -1
    Result(30, b, d, 4, 1);  // b: 4 points, +2, 4 for; d: 4 points, 0
    Season_ClearTablesAndScan(-1);
    int totals[3], home[5], away[5];
    VTW_GetLeagueRowTotals(a, totals);
    EXPECT_EQ(totals[0], 3);
    EXPECT_EQ(totals[1], 6);
    VTW_GetLeagueRowHome(a, home);
    VTW_GetLeagueRowAway(a, away);
    EXPECT_EQ(home[0] * 10000 + home[3] * 100 + home[4], 2 * 10000 + 3 * 100 + 1);
    EXPECT_EQ(away[2] * 10000 + away[3] * 100 + away[4], 1 * 10000 + 0 * 100 + 3);
    // a 6; b 4 (+2), d 4 (0), c 2: the unplayed clubs of the division sit between with 0.
    EXPECT_EQ(VTW_GetDivisionSlot(0, 0), a);
    EXPECT_EQ(VTW_GetDivisionSlot(0, 1), b);
    EXPECT_EQ(VTW_GetDivisionSlot(0, 2), d);
    EXPECT_EQ(VTW_GetDivisionSlot(0, 3), c);
    EXPECT_EQ(VTW_GetLeaguePosTextForTeam(a, 0), 336);
    EXPECT_EQ(Tables_GetMovement(a), LEAGUE_UNCHANGED);  // it led after the first day too
    EXPECT_EQ(Tables_GetMovement(b), LEAGUE_CLIMBED);
    EXPECT_EQ(Tables_GetMovement(c), LEAGUE_FELL);
    const int e = VTW_GetDivisionSlot(0, 4);
    EXPECT_EQ(Tables_GetMovement(e), LEAGUE_FELL);
    // Goals for break a tie of points and difference.
    Result(40, c, a, 3, 1);  // c: 5 points, 0, 5 for; a 6
    Result(40, d, b, 2, 0);  // d: 7 points; b: 4
    Season_ClearTablesAndScan(c);
    EXPECT_EQ(VTW_GetDivisionSlot(0, 0), d);
    EXPECT_EQ(VTW_GetDivisionSlot(0, 1), a);
    EXPECT_EQ(VTW_GetDivisionSlot(0, 2), c);
    EXPECT_EQ(VTW_GetDivisionSlot(0, 3), b);
    EXPECT_EQ(Tables_GetMovement(b), LEAGUE_FELL);
    Season_ClearTablesAndScan(c);  // counting the same day again keeps the movement
    EXPECT_EQ(Tables_GetMovement(b), LEAGUE_FELL);
    EXPECT_EQ(VTW_FindDivisionOfTeam(b), 0);
    EXPECT_EQ(VTW_FindDivisionOfTeam(CLUB_ID_COUNT - 1), -1);
    EXPECT_EQ(VTW_GetTeamDivisionSlot(b), 3);
}

TEST_F(TablesTest, ANewGameListsEachDivisionByReputation)
{
    NewGameForTest(0, 4);
    EXPECT_EQ(VTW_GetCountryDivisions(), 5);
    EXPECT_EQ(VTW_GetDivisionCount(), 5);
    EXPECT_EQ(VTW_IsValidDivision(5), -1);
    EXPECT_EQ(VTW_GetDivisionLongNameTextNo(5), -1);
    EXPECT_EQ(VTW_GetDivisionLongNameTextNo(1), 2511);
    for (int division = 0; division < 5; ++division) {
        EXPECT_EQ(VTW_GetDivisionSlot(division, VTW_GetDivisionSize(division)), -1);
        for (int place = 1; place < VTW_GetDivisionSize(division); ++place) {
            const int above = VTW_GetDivisionSlot(division, place - 1);
            const int club = VTW_GetDivisionSlot(division, place);
            EXPECT_GE(VTW_GetClubReputation(above), VTW_GetClubReputation(club));
            EXPECT_EQ(VTW_GetTeamDivisionSlot(club), place);
            EXPECT_EQ(Tables_GetMovement(club), LEAGUE_UNCHANGED);
        }
    }
}

TEST_F(TablesTest, HonoursShiftAndNameTitleHolders)
{
    NewGameForTest(0, 4);
    const int champion = VTW_GetDivisionSlot(0, 3);
    const int cupWinner = VTW_GetDivisionSlot(1, 0);
    Honours_Record(HONOURS_DIVISION_FIRST, VTW_GetTeam(champion), VTW_GetTeam(cupWinner));
    Honours_Record(1, VTW_GetTeam(cupWinner), -1);
    EXPECT_EQ(VTW_GetTitleHolderTextNo(champion), -1);  // only last season's titles count
    Honours_NewSeason();
    EXPECT_EQ(VTW_GetTitleHolderTextNo(champion), 1470);
    EXPECT_EQ(VTW_GetTitleHolderTextNo(cupWinner), 2411);
    int second = 0;
    EXPECT_EQ(VTW_GetHonoursEntry(1, HONOURS_DIVISION_FIRST, &second), VTW_GetTeam(champion));
    EXPECT_EQ(second, VTW_GetTeam(cupWinner));
    EXPECT_EQ(VTW_GetHonoursEntry(0, HONOURS_DIVISION_FIRST, &second), -1);
    EXPECT_EQ(VTW_ClubHoldsHonour(cupWinner, 1, 1), 1);
    EXPECT_EQ(VTW_GetHonoursEntry(HONOURS_SEASONS, 0, &second), -1);
}

TEST_F(TablesTest, QualifiersComeFromTheTableAndTheCups)
{
    NewGameForTest(0, 4);
    int champions[10], second[10], n1 = 0, n2 = 0;
    GetEuroQualifiers(champions, second, &n1, &n2);
    ASSERT_EQ(n1, 2);
    ASSERT_EQ(n2, 3);
    EXPECT_EQ(champions[0], VTW_GetDivisionSlot(0, 0));
    EXPECT_EQ(second[0], VTW_GetDivisionSlot(0, 2));
    // The second national cup's winner joins the second cup.
    const int winner = VTW_GetDivisionSlot(2, 0);
    Honours_Record(1, VTW_GetTeam(winner), -1);
    Season_ComputeEuroQualifiers();
    GetEuroQualifiers(champions, second, &n1, &n2);
    ASSERT_EQ(n2, 4);
    EXPECT_EQ(second[3], winner);
    // The first cup's winner is a champions'-cup club: the runner-up plays in the third cup.
    const int runnerUp = VTW_GetDivisionSlot(3, 0);
    Honours_Record(0, VTW_GetTeam(champions[0]), VTW_GetTeam(runnerUp));
    Season_ComputeEuroQualifiers();
    EXPECT_EQ(EuroQualifiers.counts[2], 1);
    EXPECT_EQ(EuroQualifiers.third[0], runnerUp);
}

TEST_F(TablesTest, RecordsAndBestElevensFindTheirHolders)
{
    NewGameForTest(5, 4);
    EXPECT_EQ(VTW_FindRecordWinClub(), -1);
    int apps = 0;
    EXPECT_EQ(VTW_GetCareerAppsRecord(&apps), -1);
    const int club = VTW_GetDivisionSlot(1, 2);
    DbClubs[club].records[CLUB_REC_WIN] = {7, 0, -1, 3, 1, 1, 99, 0};
    DbClubs[VTW_GetDivisionSlot(0, 0)].records[CLUB_REC_WIN] = {8, 2, -1, 3, 1, 1, 99, 0};
    DbClubs[VTW_GetDivisionSlot(0, 1)].records[CLUB_REC_WIN] = {1, 3, -1, 3, 1, 1, 99, 0};
    EXPECT_EQ(VTW_FindRecordWinClub(), club);  // a margin of 7 beats 6
    DbClubs[club].records[CLUB_REC_CROWD].value = 40000;
    EXPECT_EQ(VTW_FindRecordCrowdClub(), club);
    EXPECT_EQ(VTW_FindRecordBuyClub(), -1);
    VTW_RefreshSquadCount(club);
    const int star = VTW_GetSquadPlayer(0);
    DbPlayers[star].careerApps = 500;
    EXPECT_EQ(VTW_GetCareerAppsRecord(&apps), star);
    EXPECT_EQ(apps, 500);
    BestElevenSlot eleven[11];
    VTW_BuildBestEleven(BEST_DISCIPLINE, 1, eleven);
    for (const BestElevenSlot& slot : eleven) {
        EXPECT_EQ(slot.player, -1);
    }
    DbPlayers[star].disciplinePoints = 4;
    VTW_BuildBestEleven(BEST_DISCIPLINE, 1, eleven);
    int found = 0;
    for (const BestElevenSlot& slot : eleven) {
        found += slot.player == star;
    }
    EXPECT_EQ(found, 1);
    VTW_BuildBestEleven(BEST_DISCIPLINE, 0, eleven);
    EXPECT_EQ(eleven[0].player, -1);
}

TEST(TablesDeathTest, APlaceTextOfAnotherDivisionIsFatal)
{
    ScopedWorld world;
    NewGameForTest(5, 1);
    EXPECT_FATAL(VTW_GetLeaguePosTextForTeam(VTW_GetDivisionSlot(1, 0), 0),
                 "VTW_GetLeaguePosTextForTeam(): club");
}
