// tests/game/managers_test.cpp: boards, managers and money over a career played day by day: the
// human's sacking, the managers' names at the season's end and a relegated club in debt.
#include <algorithm>
#include <string>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/season.h"
#include "game/tables.h"
#include "game/world.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t kHuman = 10;

class Managers : public testing::Test {
protected:
    void SetUp() override
    {
        NewGameForTest(0, 77);
        VTW_SetClubControl(kHuman, MANAGER_HUMAN);
        GameState.humanClub = kHuman;
        AutoRunMode = 0;
    }

    ScopedWorld m_world;
    ScopedSeason m_season;
};

void PlayDay()
{
    VTW_FindHumanNextFixture();
    int32_t row = 0;
    while (VTW_PlayMatchDay(&row) != 0) {
    }
    VTW_AdvanceDay();
}

// Plays on to the day whose processing closes the league season.
void PlayToTheLeaguesEnd()
{
    while (DayNo < GameState.lastLeagueDay + 1) {
        PlayDay();
    }
}

int32_t LeagueMatchesPlayed(int32_t club)
{
    int32_t totals[3];
    VTW_GetLeagueRowTotals(club, totals);
    return totals[0];
}

// The club's most valuable player.
int32_t MostValuable(int32_t club)
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    return *std::max_element(members, members + count, [](int16_t a, int16_t b) {
        return VTW_GetPlayerValue(a) < VTW_GetPlayerValue(b);
    });
}

// A squad that loses every week, and a board with no patience left from the first day: played
// until the board sacks the human, or to the league's last day.
void LoseUntilSacked()
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(kHuman, &members);
    for (int32_t k = 0; k < count; ++k) {
        if (members[k] < FullPlayerCount) DbPlayers[members[k]].ability = 1;
    }
    DbPlayers[PERSON_HUMAN].reputation = 30;
    while (GameState.humanClub == kHuman && DayNo < GameState.lastLeagueDay) {
        DbClubs[kHuman].boardPatience = 0;
        PlayDay();
    }
}

TEST_F(Managers, TheHumanLosesHisPostToDefeatsOnlyAfterFifteenLeagueMatches)
{
    LoseUntilSacked();
    ASSERT_EQ(GameState.humanClub, -1);
    EXPECT_GE(LeagueMatchesPlayed(kHuman), HUMAN_SACKING_MATCHES);
    EXPECT_EQ(VTW_GetSackedHuman(), 1);
    EXPECT_EQ(VTW_GetClubController(kHuman), MANAGER_COMPUTER);
    EXPECT_EQ(VTW_GetClubOfManager(MANAGER_HUMAN), -1);
    EXPECT_LT(DbPlayers[PERSON_HUMAN].reputation, 30);
    // The club goes on under a caretaker, then a new manager, without the human.
    for (int32_t day = 0; day < 14; ++day) {
        PlayDay();
    }
    EXPECT_EQ(VTW_GetSackedHuman(), 0);
    EXPECT_GE(DbClubs[kHuman].manager, PERSON_FIRST_ORDINARY);
}

// The day of a sacking is a day of the season: a manager who took a post again was once sent to
// the job centre as if sacked when that day came round a season later, and the game ended there
// when no club would have taken him.
TEST_F(Managers, AManagerInAPostAgainIsNotSackedWhenHisSackingsDayComesRound)
{
    LoseUntilSacked();
    ASSERT_EQ(VTW_GetSackedHuman(), 1);
    const int32_t sackedOn = DayNo;
    const int32_t season = GameState.seasonCounter;
    constexpr int32_t kNewClub = 40;
    Managers_HumanTakesOver(kNewClub);
    GameState.humanClub = kNewClub;
    while (GameState.seasonCounter == season || DayNo < sackedOn) {
        DbClubs[kNewClub].boardPatience = 100;
        PlayDay();
        ASSERT_EQ(VTW_GetSackedHuman(), 0)
            << "season " << GameState.seasonCounter << " day " << DayNo;
    }
    EXPECT_EQ(DayNo, sackedOn);
    EXPECT_EQ(GameState.humanClub, kNewClub);
}

// A manager out of work; -1 none.
int32_t UnemployedManager()
{
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (!(DbPersons[id].flags & PERSON_FREE) && DbPlayers[id].position == POSITION_MANAGER
            && DbPlayers[id].club == CLUB_NONE)
            return id;
    }
    return -1;
}

TEST_F(Managers, TheChampionsManagerGainsNameAndTheLastPlacedOnesLoseIt)
{
    PlayToTheLeaguesEnd();
    const int32_t champion = VTW_GetDivisionSlot(0, 0);
    const int32_t last = VTW_GetDivisionSlot(0, VTW_GetDivisionSize(0) - 1);
    for (const int32_t club : {champion, last}) {
        ASSERT_NE(club, kHuman);
        // A club whose manager went during the season has a new one for the season's end.
        if (DbClubs[club].manager < PERSON_FIRST_ORDINARY)
            VTW_AppointManager(club, UnemployedManager());
        ASSERT_GE(DbClubs[club].manager, PERSON_FIRST_ORDINARY);
        DbPlayers[DbClubs[club].manager].reputation = 40;
        DbClubs[club].boardPatience = 100;  // no sacking muddles the change
    }
    const int32_t championsManager = DbClubs[champion].manager;
    const int32_t lastsManager = DbClubs[last].manager;
    PlayDay();
    EXPECT_GE(DbPlayers[championsManager].reputation, 43);
    EXPECT_LT(DbPlayers[lastsManager].reputation, 40);
}

TEST_F(Managers, AClubRelegatedInDebtCarriesItIntoTheLowerDivisionAndSellsItsBest)
{
    PlayToTheLeaguesEnd();
    const int32_t club = VTW_GetDivisionSlot(0, VTW_GetDivisionSize(0) - 1);
    ASSERT_NE(club, kHuman);
    const int32_t star = MostValuable(club);
    VTW_PutPlayerOnTxList(star, 0);
    VTW_AddClubCash(club, -60000000);
    // The top clubs cannot pay at the turn: their richest would otherwise sign the best who ask to
    // move up and clear the debt before the new season starts.
    for (int32_t other = 0; other < World_LeagueClubCount(GameState.country); ++other) {
        if (VTW_GetClubDivision(other) == 0 && other != club) DbClubs[other].balance = 0;
    }
    const int32_t season = GameState.seasonCounter;
    while (GameState.seasonCounter == season) {
        PlayDay();
    }
    EXPECT_EQ(VTW_GetClubDivision(club), 1);
    EXPECT_LT(DbClubs[club].carriedForward, 0);
    EXPECT_EQ(VTW_GetClubBalance(club), DbClubs[club].carriedForward);
    // Eight weeks in the red put the best players up for sale, across the new season.
    for (int32_t day = 0; day < 9 * 7; ++day) {
        PlayDay();
    }
    EXPECT_LT(VTW_GetClubBalance(club), 0);
    EXPECT_TRUE(VTW_GetPlayerTxList(star) || VTW_GetPlayerClub(star) != club);
}

// A board that wants promotion is content in the top quarter of its division: in country 0's
// second division of 24 the sixth place, where three go up; below it a week costs a point, and a
// point more for every six places further.
TEST_F(Managers, APromotionTargetIsAtLeastTheTopQuarter)
{
    while (LeagueMatchesPlayed(VTW_GetDivisionSlot(1, 0)) < 10) {
        PlayDay();
    }
    constexpr int32_t kPromotionTarget = 4;  // the boards' target for a club rated to go up
    struct Row {
        int32_t place, loss;
    };
    constexpr Row kRows[] = {{0, 0}, {5, 0}, {6, 1}, {10, 1}, {11, 2}, {23, 4}};
    for (const Row& row : kRows) {
        const int32_t club = VTW_GetDivisionSlot(1, row.place);
        DbClubs[club].boardTarget = kPromotionTarget;
        DbClubs[club].boardPatience = 50;
    }
    Managers_WeeklyStage();
    for (const Row& row : kRows) {
        EXPECT_EQ(DbClubs[VTW_GetDivisionSlot(1, row.place)].boardPatience, 50 - row.loss)
            << "place " << row.place;
    }
}

// A small club whose reach no unemployed manager fits takes the least reputed of them, not the
// stand-in; a club the stand-in runs takes one within the week.
TEST_F(Managers, ASmallClubTakesTheLeastReputedManagerRatherThanTheStandIn)
{
    constexpr int32_t club = 40;
    DbClubs[club].reputation = 0;
    int32_t least = -1;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        PlayerRecord& p = DbPlayers[id];
        if ((DbPersons[id].flags & PERSON_FREE) || p.position != POSITION_MANAGER
            || p.club != CLUB_NONE)
            continue;
        p.reputation = static_cast<uint8_t>(std::max<int32_t>(p.reputation, 20 + id % 7));
        if (least < 0 || p.reputation < DbPlayers[least].reputation) least = id;
    }
    ASSERT_GE(least, 0);
    VTW_AppointManager(club, PERSON_STAND_IN);
    Managers_WeeklyStage();
    EXPECT_EQ(DbClubs[club].manager, least);
    EXPECT_EQ(DbPlayers[least].club, club);
}

// A board's patience at the season's start and at a manager's arrival follows its division's
// league games (72 over 38), so that a long division's many results do not sack more: country 0's
// divisions of 20, 24 and 22 clubs and country 2's of 18, by hand.
TEST(ManagersPatience, ABoardsPatienceFollowsItsDivisionsLeagueGames)
{
    ScopedWorld world;
    ScopedSeason season;
    struct Row {
        int32_t country, division, patience;
    };
    constexpr Row kRows[] = {{0, 0, 72}, {0, 1, 87}, {0, 4, 79}, {2, 0, 64}, {2, 3, 64}};
    for (const Row& row : kRows) {
        SCOPED_TRACE("country " + std::to_string(row.country) + " division "
                     + std::to_string(row.division));
        NewGameForTest(row.country, 5);
        const int32_t club = VTW_GetDivisionSlot(row.division, 3);
        EXPECT_EQ(DbClubs[club].boardPatience, row.patience);
        DbClubs[club].boardPatience = 2;
        Managers_SetBoardTargets();  // as at a season's start: raised to the start
        EXPECT_EQ(DbClubs[club].boardPatience, row.patience);
        DbClubs[club].boardPatience = 100;
        Managers_SetBoardTargets();  // a content board stays content
        EXPECT_EQ(DbClubs[club].boardPatience, 100);
        DbClubs[club].boardPatience = 0;
        VTW_AppointManager(club, PERSON_STAND_IN);
        EXPECT_EQ(DbClubs[club].boardPatience, row.patience);
    }
}

}  // namespace
