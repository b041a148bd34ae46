// tests/game/soak_test.cpp: careers of every country the title screen offers, run unattended for
// several seasons, with the world's invariants checked after each season.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "game/calendar.h"
#include "game/careerlog.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/tactics.h"
#include "game/transfers.h"
#include "game/world.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

#ifndef PELLORAN_SOAK_SEASONS
#define PELLORAN_SOAK_SEASONS 5
#endif

namespace {

constexpr int32_t kSeasons = PELLORAN_SOAK_SEASONS;
constexpr int32_t kRichest = 5;
constexpr int64_t kRichestGrowthMax = 6000000;  // a season, once the market has settled

int32_t s_managersGone = 0;
void CountManagerGone(int32_t, int32_t, int32_t) { ++s_managersGone; }

class Soak : public testing::TestWithParam<int32_t> {
protected:
    Soak() { GameHooks.NewsManagerSacked = CountManagerGone; }
    ~Soak() override { GameHooks = m_hooks; }

    GameHookTable m_hooks = GameHooks;
    ScopedWorld m_world;
    ScopedSeason m_season;
};

struct SeasonStart {
    std::array<int8_t, CLUB_FULL_MAX> division;
    std::array<int32_t, PLAYER_FULL_MAX> age;  // -1 a free id
    std::array<PersonRecord, PLAYER_FULL_MAX> person;
};

SeasonStart Snapshot(int32_t clubs)
{
    SeasonStart s{};
    for (int32_t club = 0; club < clubs; ++club) {
        s.division[club] = static_cast<int8_t>(VTW_GetClubDivision(club));
    }
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        s.age[id] = DbPersons[id].flags & PERSON_FREE ? -1 : VTW_GetPlayerAge(id);
        s.person[id] = DbPersons[id];
    }
    return s;
}

// An id given to a new person since the snapshot: a youth on a retired player's id.
bool Reused(const SeasonStart& before, int32_t id)
{
    return before.age[id] < 0 || before.person[id].nameIndex != DbPersons[id].nameIndex
           || before.person[id].birthYear != DbPersons[id].birthYear;
}

void PlaySeason()
{
    const int32_t season = GameState.seasonCounter;
    while (GameState.seasonCounter == season) {
        VTW_FindHumanNextFixture();
        int32_t row = 0;
        while (VTW_PlayMatchDay(&row) != 0) {
        }
        VTW_AdvanceDay();
    }
}

// Checked on the last day of the season, before the new season clears the tables.
void CheckFinalTables(int32_t country)
{
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        const int32_t size = VTW_GetDivisionSize(division);
        int32_t points = 0;
        int32_t draws = 0;
        for (int32_t place = 0; place < size; ++place) {
            const int32_t club = VTW_GetDivisionSlot(division, place);
            int32_t totals[3];
            VTW_GetLeagueRowTotals(club, totals);
            EXPECT_EQ(totals[0], 2 * (size - 1)) << "country " << country << " club " << club;
            points += totals[1];
            int32_t home[5];
            int32_t away[5];
            VTW_GetLeagueRowHome(club, home);
            VTW_GetLeagueRowAway(club, away);
            draws += home[1] + away[1];
        }
        const int32_t matches = size * (size - 1);
        EXPECT_EQ(points, 3 * (matches - draws / 2) + 2 * (draws / 2)) << "division " << division;
    }
}

void CheckFixtures()
{
    int32_t previousDay = -1;
    std::set<std::pair<int32_t, int32_t>> clubDays;
    for (int32_t row = 0; row < Fixture_RowCount(); ++row) {
        const int32_t day = VTW_GetFixtureDay(row);
        EXPECT_GE(day, previousDay);
        previousDay = day;
        EXPECT_TRUE(clubDays.insert({VTW_GetFixtureHomeClub(row), day}).second);
        EXPECT_TRUE(clubDays.insert({VTW_GetFixtureAwayClub(row), day}).second);
        if (day < DayNo) {
            EXPECT_TRUE(Fixture_IsPlayed(row)) << "row " << row;
        }
    }
    EXPECT_LE(Fixture_RowCount(), FIXTURE_ROWS);
}

void CheckMovement(int32_t country, const SeasonStart& before, int32_t clubs)
{
    int32_t moved = 0;
    for (int32_t club = 0; club < clubs; ++club) {
        moved += VTW_GetClubDivision(club) != before.division[club];
    }
    int32_t expected = 0;
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        const bool hasBelow = division + 1 < VTW_GetCountryDivisions();
        expected += division > 0 ? PromotionCounts(country, division, 0) : 0;
        expected += hasBelow ? PromotionCounts(country, division, 1) : 0;
        expected += PromotionCounts(country, division, 2) > 0 ? 1 : 0;
    }
    EXPECT_EQ(moved, expected);
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        int32_t size = 0;
        for (int32_t club = 0; club < clubs; ++club) {
            size += VTW_GetClubDivision(club) == division;
        }
        EXPECT_EQ(size, World_Country(country).divisionSize[division]);
        int32_t second = -1;
        EXPECT_GE(VTW_GetHonoursEntry(1, HONOURS_DIVISION_FIRST + division, &second), 0);
        EXPECT_GE(second, 0) << "division " << division;
    }
    for (int32_t cup = 0; cup < CUP_COUNT; ++cup) {
        if (Cup_FinalRound(cup) < 0) continue;
        int32_t second = -1;
        EXPECT_GE(VTW_GetHonoursEntry(1, cup, &second), 0) << "cup " << cup;
        EXPECT_GE(second, 0);
    }
}

void CheckPlayers(const SeasonStart& before, int32_t clubs)
{
    std::array<int32_t, CLUB_FULL_MAX> squad{};
    std::array<int32_t, CLUB_FULL_MAX> keepers{};
    std::vector<int32_t> newcomers;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        const PlayerRecord& p = DbPlayers[id];
        if ((DbPersons[id].flags & PERSON_FREE) || p.position == POSITION_MANAGER) continue;
        EXPECT_EQ(p.cupTied, 0) << "player " << id;  // a new season frees every cup tie
        if (Reused(before, id)) {
            newcomers.push_back(id);
        } else {
            EXPECT_EQ(VTW_GetPlayerAge(id), before.age[id] + 1) << "player " << id;
        }
        if (p.club < 0 || p.club >= clubs) continue;
        ++squad[p.club];
        keepers[p.club] += p.position == 0;
    }
    for (int32_t club = 0; club < clubs; ++club) {
        EXPECT_GE(squad[club], 16) << "club " << club;
        EXPECT_LE(squad[club], 32) << "club " << club;
        EXPECT_GE(keepers[club], 2) << "club " << club;
    }
    // A youth's surname is his alone in his club; a player signed from abroad keeps his own.
    for (const int32_t id : newcomers) {
        int32_t sharing = 0;
        for (int32_t other = PERSON_FIRST_ORDINARY; other < FullPlayerCount; ++other) {
            sharing += !(DbPersons[other].flags & PERSON_FREE)
                       && DbPlayers[other].club == DbPlayers[id].club
                       && DbPersons[other].nameIndex == DbPersons[id].nameIndex;
        }
        CareerLogRow rows[1];
        const bool signedAbroad = sharing > 1 && VTW_CopyPlayerLogRows(id, rows, 1) > 0;
        EXPECT_TRUE(sharing == 1 || signedAbroad) << "player " << id;
    }
}

// Every transfer of the season was dated inside a window, and its fee only moved between
// balances: what the clubs paid is what the clubs and the world outside received.
void CheckTransfers(int32_t clubs, int32_t first)
{
    EXPECT_GE(Transfers_Count() - first, 150);
    EXPECT_LE(Transfers_Count() - first, 600);
    int64_t paidOutside = 0;
    for (int32_t n = first; n < Transfers_Count(); ++n) {
        const TransferRecordRow& row = *VTW_GetTransferRecord(n);
        const int32_t day = VTW_DateToSeasonDay(row.day, row.month);
        for (const auto& closed : GameState.closedTransfer) {
            EXPECT_FALSE(day >= closed[0] && day <= closed[1]) << "transfer " << n;
        }
        if (row.seller == CLUB_NONE && !(row.flags & TRANSFER_LOAN)) paidOutside += row.fee;
    }
    int64_t sales = 0;
    int64_t signings = 0;
    for (int32_t club = 0; club < clubs; ++club) {
        sales += DbClubs[club].figures[CLUB_FIG_SALES];
        signings += DbClubs[club].figures[CLUB_FIG_SIGNINGS];
    }
    EXPECT_EQ(sales + paidOutside, signings);
}

// Squads and managers as every matchday needs them.
void CheckDay(int32_t clubs)
{
    std::array<int32_t, CLUB_FULL_MAX> squad{};
    std::array<int32_t, CLUB_FULL_MAX> keepers{};
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        const PlayerRecord& p = DbPlayers[id];
        if ((DbPersons[id].flags & PERSON_FREE) || p.position == POSITION_MANAGER) continue;
        const int32_t club = p.loanClub >= 0 ? p.loanClub : p.club;
        if (club < 0 || club >= clubs) continue;
        ++squad[club];
        keepers[club] += p.position == 0;
    }
    for (int32_t club = 0; club < clubs; ++club) {
        EXPECT_GE(squad[club], 16) << "club " << club << " day " << DayNo;
        EXPECT_GE(keepers[club], 2) << "club " << club << " day " << DayNo;
        const ClubRecord& r = DbClubs[club];
        EXPECT_TRUE(r.manager >= 0 || (r.caretaker && r.caretakerDays <= 10))
            << "club " << club << " day " << DayNo;
    }
}

// The money of the full clubs and of the world outside.
int64_t WorldMoney(int32_t clubs)
{
    int64_t sum = Club_GetOutsideBalance();
    for (int32_t club = 0; club < clubs; ++club) {
        sum += DbClubs[club].balance;
    }
    return sum;
}

// The season's booked flows between the clubs and the world outside; transfers only move money
// between balances.
int64_t BookedFlows(int32_t clubs)
{
    int64_t sum = 0;
    for (int32_t club = 0; club < clubs; ++club) {
        for (int32_t f = 0; f < CLUB_FIG_COUNT; ++f) {
            if (f == CLUB_FIG_SALES || f == CLUB_FIG_SIGNINGS) continue;
            sum +=
                f < CLUB_FIG_FIRST_SPENDING ? DbClubs[club].figures[f] : -DbClubs[club].figures[f];
        }
    }
    return sum;
}

int64_t RichestMean(int32_t clubs)
{
    std::vector<int32_t> balances;
    for (int32_t club = 0; club < clubs; ++club) {
        balances.push_back(DbClubs[club].balance);
    }
    std::partial_sort(balances.begin(), balances.begin() + kRichest, balances.end(),
                      std::greater<>());
    int64_t sum = 0;
    for (int32_t k = 0; k < kRichest; ++k) {
        sum += balances[k];
    }
    return sum / kRichest;
}

void CheckMoney(int32_t clubs)
{
    for (int32_t club = 0; club < clubs; ++club) {
        const ClubRecord& r = DbClubs[club];
        int64_t booked = r.carriedForward;
        for (int32_t f = 0; f < CLUB_FIG_COUNT; ++f) {
            booked += f < CLUB_FIG_FIRST_SPENDING ? r.figures[f] : -r.figures[f];
        }
        EXPECT_EQ(booked, r.balance) << "club " << club;
        EXPECT_GT(r.balance, BALANCE_MIN) << "club " << club;
        EXPECT_LT(r.balance, BALANCE_MAX) << "club " << club;
    }
}

TEST_P(Soak, SeasonsKeepTheWorldsInvariants)
{
    const int32_t country = GetParam();
    NewGameForTest(country, 1000 + country);
    const int32_t clubs = World_LeagueClubCount(country);
    VTW_SetClubControl(1, MANAGER_HUMAN);
    GameState.humanClub = 1;
    AutoRunMode = 1;
    AutoRunTarget = {0, 30000, 0};
    int64_t richest = RichestMean(clubs);
    for (int32_t season = 0; season < kSeasons; ++season) {
        const SeasonStart before = Snapshot(clubs);
        const int32_t startSeason = GameState.seasonCounter;
        const int32_t transfersBefore = Transfers_Count();
        const int64_t moneyBefore = WorldMoney(clubs);
        s_managersGone = 0;
        EXPECT_GE(Market_UnattachedCount(), 100);
        EXPECT_LE(Market_UnattachedCount(), 400);
        // To the last day, where the final tables are still standing.
        while (DayNo + 1 < GameState.daysInSeason) {
            VTW_FindHumanNextFixture();
            int32_t row = 0;
            while (VTW_PlayMatchDay(&row) != 0) {
            }
            VTW_AdvanceDay();
            CheckDay(clubs);
        }
        CheckFinalTables(country);
        CheckFixtures();
        CheckMoney(clubs);
        CheckTransfers(clubs, transfersBefore);
        EXPECT_EQ(WorldMoney(clubs) - moneyBefore, BookedFlows(clubs));
        EXPECT_GE(s_managersGone, 3);
        EXPECT_LE(s_managersGone, 15);
        EXPECT_GE(Market_UnattachedCount(), 100);
        EXPECT_LE(Market_UnattachedCount(), 400);
        // The richest clubs spend what they earn once their first windows have passed.
        if (season >= 2) {
            EXPECT_LT(RichestMean(clubs) - richest, kRichestGrowthMax);
        }
        richest = RichestMean(clubs);
        PlaySeason();
        SCOPED_TRACE("season " + std::to_string(startSeason));
        EXPECT_EQ(DayNo, 0);
        EXPECT_EQ(GameState.seasonCounter, startSeason + 1);
        EXPECT_EQ(GameState.year, GAME_FIRST_YEAR + startSeason + 1);
        EXPECT_EQ(GameState.daysInSeason, (GAME_FIRST_YEAR + startSeason + 2) % 4 == 0 ? 366 : 365);
        CheckMovement(country, before, clubs);
        CheckPlayers(before, clubs);
        CheckFixtures();
    }
}

INSTANTIATE_TEST_SUITE_P(TitleScreenCountries, Soak, testing::Values(0, 2, 3, 6));

}  // namespace
