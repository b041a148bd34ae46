// tests/menus/former_players_test.cpp: the records of a career keep naming the players they named
// once those players' ids are given to new men: the names every row shows, held across a season's
// turn and a save, the goal statistics of a scorer who left, and the names kept when every
// former-player id is taken.
#include <algorithm>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "game/fixtures.h"
#include "game/formerplayers.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/records.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/squad.h"
#include "game/transfers.h"
#include "game/world.h"
#include "menus/goalcharts.h"
#include "menus/goalstats.h"
#include "tests/support/recount.h"

namespace {

// A row naming a player: the row's other fields, which tell a row that stayed from one written
// over, and the name it shows.
struct NamedRow {
    std::string others;
    int16_t id;
    std::string name;
};
using NamedRows = std::map<std::string, NamedRow>;

template <typename Row>
std::string Bytes(const Row& row)
{
    return std::string(reinterpret_cast<const char*>(&row), sizeof row);
}

// The row's bytes with its player left out, and what else tells it from a later row in its place.
template <typename Row>
std::string OthersOf(Row row, int16_t Row::*player, const std::string& epoch = {})
{
    row.*player = 0;
    return Bytes(row) + epoch;
}

void Add(NamedRows* rows, const std::string& key, std::string others, int32_t id)
{
    if (id < PERSON_FIRST_ORDINARY) return;
    (*rows)[key] = {std::move(others), static_cast<int16_t>(id), VTW_FormatPersonName(id)};
}

std::string Key(char kind, int32_t a, int32_t b = 0, int32_t c = 0)
{
    return kind + std::to_string(a) + '/' + std::to_string(b) + '/' + std::to_string(c);
}

// Every row of the records that names a player, read through the rows' stored layout. The logs
// and the fixtures are the season's, the last match's rows its match's; a club's season-best row
// of the running season is written at its end.
NamedRows TakeNamedRows()
{
    NamedRows rows;
    const std::string season = Bytes(GameState.seasonCounter);
    for (int32_t k = 0; k < Transfers_Count(); ++k)
        Add(&rows, Key('T', k), OthersOf(TransferRecords[k], &TransferRecordRow::player),
            TransferRecords[k].player);
    for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
        const ClubRecord& r = DbClubs[club];
        for (int32_t kind = 0; kind < CLUB_REC_COUNT; ++kind)
            Add(&rows, Key('R', club, kind), OthersOf(r.records[kind], &ClubRecordEntry::player),
                r.records[kind].player);
        for (int32_t row = 0; row < SEASON_BEST_ROWS; ++row) {
            if (row == GameState.seasonCounter % SEASON_BEST_ROWS) continue;
            for (int32_t rank = 0; rank < SEASON_BEST_PLAYERS; ++rank) {
                const ClubBestPlayer& best = r.seasonBest[row][rank];
                Add(&rows, Key('B', club, row, rank), OthersOf(best, &ClubBestPlayer::player),
                    best.player);
            }
        }
        for (int32_t n = 0; n < 127; ++n) {
            for (int32_t which = 0; which < 2; ++which) {
                const GoalLogEntry& goal = r.goals[n][which];
                Add(&rows, Key('G', club, n, which), OthersOf(goal, &GoalLogEntry::player, season),
                    goal.player);
            }
        }
    }
    for (int32_t row = 0; row < Fixture_RowCount(); ++row) {
        const FixtureRow& f = FixtureTable[row];
        for (int32_t side = 0; side < 2; ++side) {
            for (int32_t k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
                // Rows move as cup ties are drawn in: a played fixture is its head and result.
                const std::string key = Key('F', static_cast<int32_t>(f.head), side, k) + season;
                Add(&rows, key,
                    OthersOf(f.players[side][k], &FixturePlayerRow::player, Bytes(f.result)),
                    f.players[side][k].player);
            }
        }
    }
    const LastMatchCopyRecord& copy = LastMatchCopy;
    const std::string match =
        season + (copy.fixtureRow >= 0 ? Bytes(FixtureTable[copy.fixtureRow].head) : "")
        + Bytes(copy.stats[0].score) + Bytes(copy.stats[1].score);
    for (int32_t side = 0; side < MATCH_SIDE_COUNT; ++side) {
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
            const uint16_t id = copy.sides[side].playerIds[k];
            if (id != 0xFFFF) Add(&rows, Key('L', side, k), match, id);
        }
    }
    for (int32_t k = 0; k < LAST_MATCH_INCIDENT_MAX; ++k)
        Add(&rows, Key('I', k), OthersOf(LastMatchIncidents[k], &LastMatchIncident::person, match),
            LastMatchIncidents[k].person);
    return rows;
}

struct Comparison {
    int32_t compared = 0;
    int32_t renamed = 0;  // rows whose id was given to a new man and now name a former player
    int32_t wrong = 0;
};

// Each row of `before` still in its place names the same man.
void CompareNamedRows(const NamedRows& before, const NamedRows& after, Comparison* c)
{
    for (const auto& [key, row] : before) {
        const auto now = after.find(key);
        if (now == after.end() || now->second.others != row.others) continue;
        ++c->compared;
        if (now->second.id != row.id) ++c->renamed;
        if (now->second.name == row.name) continue;
        if (++c->wrong <= 10)
            ADD_FAILURE() << "row " << key.substr(0, key.find('/', key.find('/') + 1)) << " named "
                          << row.name << " (id " << row.id << "), now " << now->second.name
                          << " (id " << now->second.id << ")";
    }
}

}  // namespace

// A career played from its first day to two months into its second season, its records read every
// twenty days: each row still in its place names the man it named, though retirements, sales
// abroad and the world outside's renewal gave hundreds of the ids to youths and signings, and a
// save loaded shows the same names.
TEST(FormerPlayers, EveryRecordNamesTheManItNamedAfterHisIdIsGivenToANewPlayer)
{
    ScopedScreenRedraw career;
    const int32_t firstSeason = GameState.seasonCounter;
    AutoRunMode = 1;
    NamedRows before = TakeNamedRows();
    Comparison c;
    int32_t days = 0;
    while (GameState.seasonCounter == firstSeason || DayNo < 60) {
        DriveOneDay();
        if (++days % 20 != 0) continue;
        NamedRows after = TakeNamedRows();
        CompareNamedRows(before, after, &c);
        before = std::move(after);
    }
    AutoRunMode = 0;
    EXPECT_EQ(c.wrong, 0);
    EXPECT_GT(c.compared, 100000);
    EXPECT_GT(c.renamed, 20);
    EXPECT_GT(FormerPlayers_KeptCount(), 50);
    ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
    const NamedRows saved = TakeNamedRows();
    ASSERT_EQ(LoadGame(1), SAVEGAME_OK);
    Comparison loaded;
    CompareNamedRows(saved, TakeNamedRows(), &loaded);
    EXPECT_EQ(loaded.wrong, 0);
    EXPECT_EQ(loaded.compared, static_cast<int32_t>(saved.size()));
}

namespace {

// The goal statistics' scorers as the screen lists them: player, league goals, cup goals.
std::map<int32_t, std::pair<int32_t, int32_t>> ScorersShown(ScopedScreenRedraw* career)
{
    std::map<int32_t, std::pair<int32_t, int32_t>> shown;
    career->Run(GoalStats_Table(), [&shown] {
        for (int32_t k = 0; k < GoalCharts.count; ++k)
            shown[GoalCharts.list[k].player] = {GoalCharts.list[k].league, GoalCharts.list[k].cup};
    });
    return shown;
}

// Youths called up at the club until one is given the id; false when the club's calls run out.
bool CallUpOnto(int32_t club, int32_t id)
{
    for (int32_t call = 0; call < 20; ++call) {
        if (PlayerLife_CallUpYouth(club) == id) return true;
    }
    return false;
}

}  // namespace

// The human club's best scorer is sold abroad in mid-season and a youth called up takes his id:
// the goal statistics list the others as before and the youth with no goal, and the club's
// matches name the scorer where he scored.
TEST(FormerPlayers, AYouthOnASoldScorersIdScoresNoneOfHisGoals)
{
    ScopedScreenRedraw career;
    const int32_t club = career.HumanClub();
    AutoRunMode = 1;
    while (DayNo < 90)
        DriveOneDay();
    AutoRunMode = 0;
    auto before = ScorersShown(&career);
    ASSERT_FALSE(before.empty());
    const auto best = std::max_element(before.begin(), before.end(), [](auto& a, auto& b) {
        return a.second.first + a.second.second < b.second.first + b.second.second;
    });
    const int32_t scorer = best->first;
    ASSERT_GT(best->second.first + best->second.second, 1);
    const std::string name = VTW_FormatPersonName(scorer);
    int32_t scorerRows = 0;
    for (const PlayedRow& row : TakePlayedRows()) {
        for (const auto& side : row.players) {
            for (const FixturePlayerRow& p : side)
                scorerRows += p.player == scorer;
        }
    }
    ASSERT_GT(scorerRows, 0);
    ASSERT_GE(Market_SellAbroad(scorer, World_LeagueClubCount(GameState.country), 1000), 0);
    ASSERT_TRUE(CallUpOnto(club, scorer));
    before.erase(best);
    EXPECT_EQ(ScorersShown(&career), before);
    int32_t namedRows = 0;
    for (const PlayedRow& row : TakePlayedRows()) {
        for (const auto& side : row.players) {
            for (const FixturePlayerRow& p : side) {
                EXPECT_NE(p.player, scorer);
                namedRows +=
                    p.player >= FORMER_PLAYER_FIRST && VTW_FormatPersonName(p.player) == name;
            }
        }
    }
    EXPECT_EQ(namedRows, scorerRows);
}

// With every former-player id taken by names no row shows any longer, a player who leaves is
// still named by his transfer: the names nobody reads are let go. With every one named by a row,
// as only a crafted save can make it, his transfer keeps the id it named.
TEST(FormerPlayers, TheNamesNoRowShowsGiveWayWhenEveryIdIsTaken)
{
    for (const bool everyNameShown : {false, true}) {
        SCOPED_TRACE(everyNameShown ? "every name shown" : "no name shown");
        ScopedScreenRedraw career;
        const int32_t club = career.HumanClub();
        VTW_RefreshSquadCount(club);
        const int32_t mover = VTW_GetSquadPlayer(0);
        const std::string name = VTW_FormatPersonName(mover);
        ASSERT_GE(Market_MovePlayer(mover, club + 1, 5000, false, 1000, 12), 0);
        const int32_t row = Transfers_Count() - 1;
        ASSERT_EQ(TransferRecords[row].player, mover);
        for (int32_t k = 0; k < FORMER_PLAYER_COUNT; ++k) {
            FormerPlayers[k] = {static_cast<uint16_t>(k % 1000), static_cast<uint8_t>(k / 1000), 1};
            if (everyNameShown) Transfers_Add(club, club + 2, FORMER_PLAYER_FIRST + k, 0, 100);
        }
        PlayerLife_Retire(mover);
        ASSERT_TRUE(CallUpOnto(club + 1, mover));
        EXPECT_EQ(TransferRecords[row].player, everyNameShown ? mover : FORMER_PLAYER_FIRST);
        if (!everyNameShown) {
            EXPECT_EQ(VTW_FormatPersonName(TransferRecords[row].player), name);
            EXPECT_STREQ(VTW_FormatPersonName(FORMER_PLAYER_FIRST + 1), "");  // a name let go
        }
        EXPECT_EQ(FormerPlayers_KeptCount(), everyNameShown ? FORMER_PLAYER_COUNT : 1);
    }
}
