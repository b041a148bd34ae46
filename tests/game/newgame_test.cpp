// tests/game/newgame_test.cpp: a new game for every country: the club map, the records, persons,
// managers and squads, and the same bytes for the same seed.
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "engine/crc32.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

uint32_t DatabaseChecksum()
{
    uint32_t crc = Crc32(DbClubs, sizeof DbClubs);
    crc ^= Crc32(DbSmallClubs, sizeof DbSmallClubs) * 3;
    crc ^= Crc32(DbPersons, sizeof DbPersons) * 5;
    crc ^= Crc32(DbPlayers, sizeof DbPlayers) * 7;
    crc ^= Crc32(DbLightPlayers, sizeof DbLightPlayers) * 11;
    crc ^= Crc32(FixtureTable, sizeof FixtureTable) * 17;
    return crc ^ Crc32(clubSlot, sizeof clubSlot) * 13;
}

void ExpectClubMapAndRecords(int country)
{
    const int league = World_LeagueClubCount(country);
    EXPECT_EQ(DbClubCount, CLUB_ID_COUNT);
    std::set<int> managers;
    for (int club = 0; club < CLUB_ID_COUNT; ++club) {
        EXPECT_EQ(Club_GetSlot(club), club < league ? club : -1);
        EXPECT_EQ(VTW_GetClubRecordPtr(club) != nullptr, club < league);
        EXPECT_EQ(VTW_GetTeam(club), World.clubMaps[country][club]);
        const int manager = VTW_GetClubManager(club);
        EXPECT_GE(manager, PERSON_FIRST_ORDINARY);
        EXPECT_EQ(VTW_GetPlayerPosition(manager), POSITION_MANAGER);
        EXPECT_TRUE(managers.insert(manager).second) << "club " << club;
        EXPECT_EQ(Club_GetManager(club), manager);
    }
}

void ExpectSquads(int country)
{
    const int league = World_LeagueClubCount(country);
    const bool offered = World.countries[country].offered;
    std::set<int> seen;
    for (int club = 0; club < league; ++club) {
        const int count = VTW_RefreshSquadCount(club);
        EXPECT_GE(count, 20) << club;
        EXPECT_LE(count, 32) << club;
        int lines[LINE_COUNT] = {};
        std::set<int> surnames;
        for (int k = 0; k < count; ++k) {
            const int player = VTW_GetSquadPlayer(k);
            EXPECT_LT(player, FullPlayerCount);
            EXPECT_TRUE(seen.insert(player).second) << "player " << player << " in two squads";
            EXPECT_TRUE(surnames.insert(DbPersons[player].nameIndex).second) << club;
            ++lines[VTW_GetPositionLine(player)];
        }
        if (!offered) continue;
        EXPECT_GE(lines[0], 2) << club;
        EXPECT_GE(lines[1], 6) << club;
        EXPECT_GE(lines[2], 6) << club;
        EXPECT_GE(lines[3], 4) << club;
    }
}

TEST(NewGame, EveryCountryGetsItsClubsManagersAndSquads)
{
    ScopedWorld world;
    for (int country = 0; country < COUNTRY_COUNT; ++country) {
        SCOPED_TRACE(country);
        NewGameForTest(country, 1234);
        ExpectClubMapAndRecords(country);
        ExpectSquads(country);
        EXPECT_EQ(ProgressCounters.total, 0);
        EXPECT_EQ(VTW_GetCountry(), country);
    }
}

// A club holds back 125 weeks of wages from its transfer budget: a new career's clubs open with
// them in the bank and spending money on top that follows their standing.
TEST(NewGame, EveryClubCanBuyOnTheFirstDayAndTheHigherDivisionsMost)
{
    ScopedWorld world;
    for (int country = 0; country < COUNTRY_COUNT; ++country) {
        SCOPED_TRACE(country);
        NewGameForTest(country, 1234);
        std::vector<double> budgets(VTW_GetCountryDivisions());
        for (int club = 0; club < World_LeagueClubCount(country); ++club) {
            EXPECT_GE(VTW_GetClubBalance(club), Club_WagesReserved(club)) << club;
            const int budget = VTW_GetClubTransferBudget(club);
            EXPECT_GT(budget, 0) << club;
            const int division = VTW_GetClubDivision(club);
            budgets[division] += double(budget) / VTW_GetDivisionSize(division);
        }
        EXPECT_GT(budgets[0], 5e6);  // a good reserve from any club of the division below
        for (size_t division = 1; division < budgets.size(); ++division) {
            EXPECT_LT(budgets[division], budgets[division - 1]) << division;
        }
    }
}

TEST(NewGame, SameSeedGivesTheSameDatabaseAndAnotherSeedAnother)
{
    ScopedWorld world;
    for (int country : {0, 1, 6}) {
        NewGameForTest(country, 99);
        const uint32_t first = DatabaseChecksum();
        NewGameForTest(country, 99);
        EXPECT_EQ(DatabaseChecksum(), first) << country;
        NewGameForTest(country, 100);
        EXPECT_NE(DatabaseChecksum(), first) << country;
    }
}

TEST(NewGame, StartsOnSundayTheFirstOfAugust1999)
{
    ScopedWorld world;
    NewGameForTest(2, 7);
    EXPECT_EQ(DayNo, 0);
    EXPECT_EQ(GameState.weekday, 1);
    EXPECT_EQ(GameState.dayOfMonth, 1);
    EXPECT_EQ(GameState.month, 7);
    EXPECT_EQ(GameState.year, 1999);
    EXPECT_EQ(GameState.daysInSeason, 366);
    EXPECT_EQ(GameState.humanClub, -1);
}

TEST(NewGame, IssuesFullIdsThenTheSparePoolThenLightIds)
{
    ScopedWorld world;
    NewGameForTest(0, 5);
    int spare = 0;
    for (int id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (DbPersons[id].flags & PERSON_FREE) ++spare;
    }
    EXPECT_GT(spare, 1500);
    EXPECT_LE(spare, PLAYER_SPARE_POOL);
    EXPECT_LE(DbPersonCount, PERSON_MAX);
    // A light player of a world club outside the map keeps his club in the origin word.
    int origin = 0;
    for (int id = FullPlayerCount; id < DbPersonCount; ++id) {
        if (VTW_GetPlayerClub(id) != CLUB_ORIGIN) continue;
        ++origin;
        EXPECT_EQ(WorldClubTable[VTW_GetPlayerOriginWord(id)].inUse, 0);
    }
    EXPECT_GT(origin, 10000);
}

TEST(NewGame, NamesResolveThroughTheTextSystem)
{
    ScopedWorld world;
    VTW_SetManagerName("Jean Dupuis");
    NewGameForTest(3, 11);
    EXPECT_STREQ(GetMessageText(VTW_PersonTextNo(PERSON_HUMAN)), "Jean Dupuis");
    for (int id : {2, 500, FullPlayerCount + 10}) {
        const std::string name = GetMessageText(VTW_PersonTextNo(id));
        const char* entry = NamesBuffer + size_t(DbPersons[id].nameIndex) * 17;
        EXPECT_EQ(name, std::string(1, char('A' + DbPersons[id].initial - 1)) + ". " + entry);
        EXPECT_EQ(name, VTW_FormatPersonName(id));
        EXPECT_STREQ(VTW_GetPlayerClubText(id), entry);
    }
    for (int club : {0, 17, 249}) {
        EXPECT_STREQ(GetMessageText(28000 + VTW_GetTeam(club)),
                     World.clubs[VTW_GetTeam(club)].name);
    }
}

}  // namespace
