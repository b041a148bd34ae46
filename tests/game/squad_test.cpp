// tests/game/squad_test.cpp: squad lists of a generated club: order, loans, the 32 limit,
// captain and takers, and the counters of the squad screens.
#include "game/squad.h"

#include <set>

#include "game/funcs.h"
#include "game/statmodel.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

class SquadTest : public testing::Test {
protected:
    void SetUp() override { NewGameForTest(0, 17); }
    ScopedWorld m_world;
};

// A player of club `from`, put on loan at `to`.
int LoanOut(int from, int to)
{
    VTW_RefreshSquadCount(from);
    const int player = VTW_GetSquadPlayer(VTW_GetSquadSize() - 1);
    DbPlayers[player].flags |= PLAYER_ON_LOAN;
    DbPlayers[player].loanClub = static_cast<int16_t>(to);
    Records_MembershipChanged();
    return player;
}

TEST_F(SquadTest, ListsShirtsInOrderThenShirtlessPlayersByLine)
{
    // The new game's team selection leaves the reserves shirtless: number the whole squad.
    const int count = VTW_RefreshSquadCount(3);
    for (int k = 0; k < count; ++k) {
        VTW_SetPlayerShirt(VTW_GetSquadPlayer(k), 0);
    }
    VTW_RefreshSquadCount(3);
    for (int k = 0; k < count; ++k) {
        VTW_SetPlayerShirt(VTW_GetSquadPlayer(k), k + 1);
    }
    VTW_RefreshSquadCount(3);
    for (int k = 0; k < count; ++k) {
        EXPECT_EQ(VTW_GetPlayerShirt(VTW_GetSquadPlayer(k)), k + 1);
        EXPECT_EQ(VTW_GetPlayerByShirt(k + 1), VTW_GetSquadPlayer(k));
        EXPECT_EQ(VTW_GetPlayerShirt2(k + 1), VTW_GetSquadPlayer(k));
    }
    const int a = VTW_GetSquadPlayer(0);
    const int b = VTW_GetSquadPlayer(count - 1);
    VTW_SetPlayerShirt(a, 0);
    VTW_SetPlayerShirt(b, 0);
    VTW_RefreshSquadCount(3);
    const int first = VTW_GetSquadPlayer(count - 2);
    const int second = VTW_GetSquadPlayer(count - 1);
    EXPECT_EQ(std::set<int>({first, second}), std::set<int>({a, b}));
    EXPECT_LE(VTW_GetPositionLine(first), VTW_GetPositionLine(second));
    EXPECT_EQ(VTW_GetPlayerByShirt(0), -1);
    EXPECT_EQ(VTW_GetSquadPlayer(count), -1);
}

TEST_F(SquadTest, LoanedInPlayersCountAndLoanedOutOnesDoNot)
{
    const int before3 = VTW_GetClubSquadCount(3);
    const int before4 = VTW_GetClubSquadCount(4);
    const int player = LoanOut(3, 4);
    EXPECT_EQ(VTW_GetClubSquadCount(3), before3 - 1);
    EXPECT_EQ(VTW_GetClubSquadCount(4), before4 + 1);
    EXPECT_EQ(VTW_GetPlayerAvailability(player), 7);
    int lines[16];
    VTW_CountClubSquadLines(3, lines);
    EXPECT_EQ(lines[4] + lines[5] + lines[6] + lines[7], 1);
    VTW_CountClubSquadLines(4, lines);
    EXPECT_EQ(lines[8] + lines[9] + lines[10] + lines[11], 1);
    EXPECT_EQ(lines[0] + lines[1] + lines[2] + lines[3], before4 + 1);
}

TEST_F(SquadTest, KeepsAtMost32Players)
{
    for (int k = 0; k < 20; ++k) {
        LoanOut(10 + k, 5);
    }
    EXPECT_EQ(VTW_RefreshSquadCount(5), 32);
    EXPECT_EQ(VTW_GetClubSquadCount(5), 32);
}

TEST_F(SquadTest, RebuildPutsTheChosenPlayerFirst)
{
    VTW_RefreshSquadCount(8);
    const int chosen = VTW_GetSquadPlayer(12);
    EXPECT_EQ(VTW_RebuildSquad(8, 5, chosen), VTW_GetClubSquadCount(8));
    EXPECT_EQ(VTW_GetSquadPlayer(0), chosen);
    VTW_RebuildSquad(8, 0, 0);
    for (int k = 1; k < VTW_GetSquadSize(); ++k) {
        EXPECT_LE(VTW_GetPositionLine(VTW_GetSquadPlayer(k - 1)),
                  VTW_GetPositionLine(VTW_GetSquadPlayer(k)));
    }
}

TEST_F(SquadTest, UpdateTeamNamesOneCaptainAndTheBestSetPieceTaker)
{
    ClubRecord* club = VTW_GetClubRecordPtr(6);
    VTW_RefreshSquadCount(6);
    int best = 0;
    for (int k = 0; k < VTW_GetSquadSize(); ++k) {
        best = std::max(best, VTW_GetAbilityStat(VTW_GetSquadPlayer(k), STAT_SET_PIECES));
    }
    EXPECT_EQ(VTW_GetAbilityStat(club->freeKickTaker, STAT_SET_PIECES), best);
    EXPECT_EQ(club->cornerTaker, club->freeKickTaker);
    EXPECT_EQ(VTW_GetPlayerCaptain(club->captain), 1);
    const int other =
        VTW_GetSquadPlayer(0) == club->captain ? VTW_GetSquadPlayer(1) : VTW_GetSquadPlayer(0);
    VTW_ClearSquadCaptains(6, 1);
    VTW_SetClubCaptain(other);
    EXPECT_EQ(club->captain, other);
    EXPECT_EQ(VTW_CountTeamCaptains(6), VTW_GetPlayerShirt(other) <= 11 ? 1 : 0);
    VTW_SetClubPenaltyTaker(6, other);
    VTW_UpdateTeam(6);
    EXPECT_EQ(club->penaltyTaker, other);  // a taker in the squad is kept
    EXPECT_EQ(club->captain, other);
    EXPECT_GE(club->wageLimit, VTW_GetPlayerWage(other));
    EXPECT_EQ(club->wageLimit % 25, 0);
}

TEST_F(SquadTest, AvailabilityCountsSuspendedAndInjuredPerLine)
{
    VTW_RefreshSquadCount(2);
    const int p = VTW_GetSquadPlayer(0);
    DbPlayers[p].suspension = 2;
    const int q = VTW_GetSquadPlayer(5);
    DbPlayers[q].flags |= PLAYER_INJURED;
    int out[16];
    VTW_CountSquadAvailability(2, out);
    EXPECT_EQ(out[4 * VTW_GetPositionLine(p) + 1], 1);
    EXPECT_EQ(out[4 * VTW_GetPositionLine(q) + 2], 1);
    EXPECT_EQ(out[0] + out[4] + out[8] + out[12], VTW_GetSquadSize());
    EXPECT_EQ(out[3] + out[7] + out[11] + out[15], 0);
    EXPECT_EQ(VTW_GetPlayerStatusText(p), 1208);
    EXPECT_EQ(VTW_GetPlayerStatusText(q), 1210);
    EXPECT_EQ(VTW_GetPlayerAvailability(q), 4);
}

TEST_F(SquadTest, OriginSquadListsPlayersOfTheWorldClub)
{
    int player = FullPlayerCount;
    while (VTW_GetPlayerClub(player) != CLUB_ORIGIN) {
        ++player;
    }
    const int team = VTW_GetPlayerOriginWord(player);
    // Put the world club in the map's place of club 200 to ask for its players.
    DbSmallClubs[clubSlot[200] - CLUB_SLOT_SMALL].team = static_cast<uint16_t>(team);
    EXPECT_GE(VTW_BuildOriginSquad(200), 15);
    EXPECT_EQ(VTW_GetSquadPlayer(0), player);
}

TEST(SquadDeathTest, ShirtsOutsideZeroTo32AreFatal)
{
    ScopedWorld world;
    NewGameForTest(0, 17);
    EXPECT_FATAL(VTW_SetPlayerShirt(5, 33), "VTW_SetPlayerShirt(): invalid shirt 33");
}

}  // namespace
