// tests/game/season_test.cpp: the season engine: a career played day by day, training, the career
// log and the unattended run's checks.
#include "game/season.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/random.h"
#include "game/careerlog.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/playerhistory.h"
#include "game/records.h"
#include "game/savegame.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/tactics.h"
#include "game/transfers.h"
#include "game/world.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

// The generated world with the built-in tactics mounted and the season's modules started.
class SeasonTest : public testing::Test {
protected:
    ScopedWorld m_world;
    ScopedSeason m_season;
};

void StartCareer(int32_t country, uint32_t seed, int32_t club)
{
    NewGameForTest(country, seed);
    VTW_SetClubControl(club, MANAGER_HUMAN);
    GameState.humanClub = static_cast<int16_t>(club);
    AutoRunMode = 1;
}

void PlayDay()
{
    VTW_FindHumanNextFixture();
    int32_t row = 0;
    while (VTW_PlayMatchDay(&row) != 0) {
    }
    VTW_AdvanceDay();
}

// The first full player of the club's squad at the given line.
int32_t PlayerOfLine(int32_t club, int32_t line)
{
    const int32_t count = VTW_RefreshSquadCount(club);
    for (int32_t k = 0; k < count; ++k) {
        if (VTW_GetPositionLine(SquadList.players[k]) == line) return SquadList.players[k];
    }
    return -1;
}

TEST_F(SeasonTest, AWeekOfOrdinaryTrainingRaisesTechniqueFitnessAndTeamPlay)
{
    StartCareer(0, 11, 5);
    AutoRunMode = 0;
    const int32_t club = 7;
    ClubRecord* r = VTW_GetClubRecordPtr(club);
    Staff_Set(club, STAFF_COACH, 99, 0);
    Staff_Set(club, STAFF_COACH_MD, 99, 0);
    const int32_t player = PlayerOfLine(club, 2);
    ASSERT_GE(player, 0);
    PlayerRecord& p = DbPlayers[player];
    p.potential = 100;
    p.training = 50;
    p.fitness = 50;
    r->teamwork = 10;
    r->penalties = 10;
    // Two technical periods a week of 198 points: 1,500 points after 4 weeks gives one T.
    SRand(3);
    for (int32_t week = 0; week < 4; ++week) {
        for (int32_t period = 0; period < 5; ++period) {
            DayNo = static_cast<uint16_t>(week * 7 + period);
            DailyTraining_PlayerPeriod(player, club, period);
        }
    }
    EXPECT_EQ(p.training, 51);
    EXPECT_EQ(p.fitness, 58);  // one physical period a week, + 2
    EXPECT_EQ(DailyTraining_PhysicalPeriods(player), 4);
    // Thursday's slots train free kicks, corners and penalties, Friday's team play, free kicks
    // and corners: each a third of a 99 coach's chance, so about one rise in three for each.
    r->teamwork = r->freeKicks = r->corners = r->penalties = 10;
    for (int32_t week = 0; week < 12; ++week) {
        for (int32_t period = 3; period < 5; ++period) {
            DayNo = static_cast<uint16_t>(100 + week * 7 + period);
            DailyTraining_PlayerPeriod(player, club, period);
        }
    }
    EXPECT_GE(r->penalties + r->teamwork - 20, 3);  // 24 draws: about 8
    EXPECT_LE(r->penalties + r->teamwork - 20, 13);
    EXPECT_GE(r->freeKicks + r->corners - 20, 9);  // 48 draws: about 16
    EXPECT_LE(r->freeKicks + r->corners - 20, 23);
}

TEST_F(SeasonTest, RetrainingChangesThePositionWhenItsCounterEnds)
{
    StartCareer(0, 12, 5);
    const int32_t player = PlayerOfLine(5, 1);
    ASSERT_GE(player, 0);
    TrainingBuffer.slotPlayer[0] = static_cast<int16_t>(player);
    for (uint16_t& activity : TrainingBuffer.programme[0]) {
        activity = TRAIN_TECHNICAL;
    }
    TrainingBuffer.retrainTarget[0] = 3;
    TrainingBuffer.retrainRemaining[0] = 2;
    DailyTraining_PlayerPeriod(player, 5, 0);
    EXPECT_EQ(VTW_GetPositionLine(player), 1);
    DailyTraining_PlayerPeriod(player, 5, 1);
    EXPECT_EQ(VTW_GetPositionLine(player), 3);
    EXPECT_EQ(TrainingBuffer.retrainTarget[0], TRAIN_NO_RETRAIN);
}

TEST_F(SeasonTest, CareerLogKeepsThePlayersNewestHundredRowsAcrossTheWrap)
{
    StartCareer(0, 13, 5);
    const int32_t player = PlayerOfLine(5, 2);
    const int32_t other = PlayerOfLine(5, 3);
    for (int32_t k = 0; k < CAREERLOG_ROWS + 150; ++k) {
        GameState.seasonCounter = static_cast<uint16_t>(k % 200);
        VTW_AddClubLog(k % 3 == 0 ? player : other, 5, CAREERLOG_SEASON);
    }
    CareerLogRow rows[CAREERLOG_COPY_MAX];
    ASSERT_EQ(VTW_CopyPlayerLogRows(player, rows, 500), CAREERLOG_COPY_MAX);
    // The last row written for him was k = 65,685 (season 85), the one before k = 65,682.
    EXPECT_EQ(rows[CAREERLOG_COPY_MAX - 1].season, 85);
    EXPECT_EQ(rows[CAREERLOG_COPY_MAX - 2].season, 82);
    const CareerLogRow past = rows[3];
    EXPECT_EQ(VTW_CopyPlayerLogRows(player, rows, 3), 3);
    EXPECT_EQ(rows[2].season, 85);
    EXPECT_EQ(rows[0].season, 79);
    EXPECT_EQ(rows[3].season, past.season);  // a caller's room may end at its count
}

// A player's rows are let go, or copied, by reading his own: across the pool's wrap, as newer rows
// take the places of the oldest, and after a save is loaded.
TEST_F(SeasonTest, CareerLogForgetsAPlayersRowsAcrossTheWrapAndAfterALoad)
{
    TempHome home;
    StartCareer(0, 13, 5);
    // The human's person 0, whose rows a player-manager's history reads, among them.
    const int32_t kept = PERSON_HUMAN, gone = PlayerOfLine(5, 2), other = PlayerOfLine(5, 3);
    const auto rowsOf = [](int32_t player) {
        CareerLogRow rows[CAREERLOG_COPY_MAX];
        return VTW_CopyPlayerLogRows(player, rows, CAREERLOG_COPY_MAX);
    };
    const auto inPool = [](int32_t player) {
        return std::count_if(std::begin(CareerLog.rows), std::end(CareerLog.rows),
                             [player](const CareerLogRow& row) { return row.player == player; });
    };
    for (int32_t k = 0; k < CAREERLOG_ROWS + 500; ++k) {
        VTW_AddClubLog(k % 3 == 0 ? kept : k % 3 == 1 ? gone : other, 5, CAREERLOG_SEASON);
    }
    CareerLog_ForgetRows(gone);
    EXPECT_EQ(inPool(gone), 0);
    EXPECT_EQ(rowsOf(gone), 0);
    // The id's next holder keeps his own rows when another's are let go; a save loaded brings
    // back the rows it holds, and only those.
    const auto newRowsAndForget = [&] {
        for (int32_t k = 0; k < 10; ++k) {
            VTW_AddClubLog(gone, 5, CAREERLOG_SEASON);
        }
        CareerLog_ForgetRows(kept);
        EXPECT_EQ(inPool(kept), 0);
        EXPECT_EQ(rowsOf(gone), 10);
    };
    ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
    newRowsAndForget();
    ASSERT_EQ(LoadGame(1), SAVEGAME_OK);
    EXPECT_EQ(rowsOf(kept), CAREERLOG_COPY_MAX);
    EXPECT_EQ(rowsOf(gone), 0);
    newRowsAndForget();
    // A pool's worth of newer rows leaves nothing of the others.
    for (int32_t k = 0; k < CAREERLOG_ROWS; ++k) {
        VTW_AddClubLog(other, 5, CAREERLOG_SEASON);
    }
    EXPECT_EQ(rowsOf(gone), 0);
    EXPECT_EQ(rowsOf(other), CAREERLOG_COPY_MAX);
    EXPECT_EQ(inPool(other), CAREERLOG_ROWS);
    // A player whose every row gave way starts again with his next.
    VTW_AddClubLog(gone, 5, CAREERLOG_SEASON);
    EXPECT_EQ(rowsOf(gone), 1);
    EXPECT_EQ(rowsOf(other), CAREERLOG_COPY_MAX);
}

// A row written for a free agent names no club: team 255 would be one of the real clubs.
TEST_F(SeasonTest, CareerLogRowsOfTheUnattachedNameNoClub)
{
    StartCareer(0, 13, 5);
    const int32_t player = PlayerOfLine(5, 2);
    VTW_AddClubLog(player, 5, CAREERLOG_SEASON);
    VTW_AddClubLog(player, CLUB_NONE, CAREERLOG_RELEASED);
    CareerLogRow rows[2];
    ASSERT_EQ(VTW_CopyPlayerLogRows(player, rows, 2), 2);
    EXPECT_EQ(rows[0].team, VTW_GetTeam(5));
    EXPECT_EQ(rows[0].division, VTW_GetClubDivision(5));
    EXPECT_EQ(rows[1].team, -1);
    EXPECT_EQ(rows[1].division, DIVISION_OUTSIDE);
    EXPECT_TRUE(CareerLog_CheckSaved(&CareerLog));
}

// Youths join up to the market's squad target and no further: beyond it they would only be
// listed and let go.
// What a player did for each club this season, recounted from the rows of the played
// competitive fixtures: appearances, goals and the sum of his ratings.
struct Figures {
    int32_t apps = 0;
    int32_t goals = 0;
    int32_t ratingSum = 0;
};
std::map<int32_t, Figures> FiguresByClub(int32_t player)
{
    constexpr uint8_t GOALS_MASK = 0x0F;
    std::map<int32_t, Figures> byClub;
    for (int32_t row = 0; row < Fixture_RowCount(); ++row) {
        if (!Fixture_IsPlayed(row) || VTW_GetFixtureCompetition(row) == COMP_FRIENDLY) continue;
        for (int32_t away = 0; away < 2; ++away) {
            const int32_t club = away ? VTW_GetFixtureAwayClub(row) : VTW_GetFixtureHomeClub(row);
            for (int32_t k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
                const FixturePlayerRow r = Fixture_GetPlayerRow(row, away, k);
                if (r.player != player || r.rating == 0) continue;
                Figures& f = byClub[club];
                ++f.apps;
                f.goals += r.marks & GOALS_MASK;
                f.ratingSum += r.rating;
            }
        }
    }
    return byClub;
}

// The best player of the line at the club.
int32_t BestOfLine(int32_t club, int32_t line)
{
    int32_t best = -1;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (DbPlayers[id].club == club && VTW_GetPositionLine(id) == line
            && (best < 0 || DbPlayers[id].ability > DbPlayers[best].ability))
            best = id;
    }
    return best;
}

// A player sold in mid-season and one lent then: each row of their season names the club whose
// matches it counts, with those matches' figures only, as the played fixtures recount them. The
// row at the move names the club he leaves; the season's row, the club he played for since,
// the loan club for the loanee.
TEST_F(SeasonTest, ACareerRowCountsTheMatchesPlayedForTheClubItNames)
{
    StartCareer(0, 21, 3);
    constexpr int32_t kSeller = 0, kBuyer = 11, kParent = 1, kBorrower = 10;
    const int32_t sold = BestOfLine(kSeller, 2);
    const int32_t lent = BestOfLine(kParent, 2);
    ASSERT_GE(sold, 0);
    ASSERT_GE(lent, 0);
    const int32_t season = GameState.seasonCounter;
    while (DayNo < GameState.daysInSeason / 2) {
        PlayDay();
    }
    ASSERT_EQ(Market_MovePlayer(sold, kBuyer, 0, false, DbPlayers[sold].wage, 24), sold);
    ASSERT_EQ(Market_MovePlayer(lent, kBorrower, 0, true, 0, 0), lent);
    while (DayNo + 1 < GameState.daysInSeason) {
        PlayDay();
    }
    // The fixtures are the season's until its turn.
    const std::map<int32_t, Figures> soldFigures = FiguresByClub(sold);
    const std::map<int32_t, Figures> lentFigures = FiguresByClub(lent);
    PlayDay();
    ASSERT_NE(GameState.seasonCounter, season);

    struct Expected {
        int32_t player, club, kind;
        const std::map<int32_t, Figures>& figures;
    };
    const Expected rows[] = {
        {sold, kSeller, CAREERLOG_TRANSFER, soldFigures},
        {sold, kBuyer, CAREERLOG_SEASON, soldFigures},
        {lent, kParent, CAREERLOG_LOAN, lentFigures},
        {lent, kBorrower, CAREERLOG_SEASON, lentFigures},
    };
    for (const int32_t player : {sold, lent}) {
        CareerLogRow log[CAREERLOG_COPY_MAX];
        const int32_t count = VTW_CopyPlayerLogRows(player, log, CAREERLOG_COPY_MAX);
        std::vector<CareerLogRow> ofTheSeason;
        std::copy_if(log, log + count, std::back_inserter(ofTheSeason),
                     [&](const CareerLogRow& row) { return row.season == season; });
        ASSERT_EQ(ofTheSeason.size(), 2u) << "player " << player;
        for (const Expected& e : rows) {
            if (e.player != player) continue;
            const CareerLogRow& row = ofTheSeason[e.kind == CAREERLOG_SEASON ? 1 : 0];
            SCOPED_TRACE(testing::Message() << "player " << player << " club " << e.club);
            ASSERT_TRUE(e.figures.count(e.club));
            const Figures& f = e.figures.at(e.club);
            ASSERT_GT(f.apps, 0);
            EXPECT_EQ(int32_t(row.kind), e.kind);
            EXPECT_EQ(row.team, VTW_GetTeam(e.club));
            EXPECT_EQ(int32_t(row.apps), f.apps);
            EXPECT_EQ(int32_t(row.goals), f.goals);
            EXPECT_EQ(int32_t(row.performance), f.ratingSum / f.apps);
        }
        EXPECT_EQ(player == sold ? soldFigures.size() : lentFigures.size(), 2u);
    }
}

TEST_F(SeasonTest, YouthIntakeStopsAtTheSquadTarget)
{
    StartCareer(0, 14, 5);
    for (int32_t id = PERSON_FIRST_ORDINARY;
         id < FullPlayerCount && VTW_GetClubSquadCount(5) > SQUAD_TARGET_MAX - 6; ++id) {
        if (DbPlayers[id].club == 5 && PlayerLife_IsActivePlayer(id)) Market_Release(id);
    }
    int32_t joined = 0;
    for (int32_t k = 0; k < 10; ++k) {
        joined += PlayerLife_YouthIntake(5);
    }
    EXPECT_EQ(joined, 6);
    EXPECT_EQ(VTW_GetClubSquadCount(5), SQUAD_TARGET_MAX);
}

// A club's youths grow towards the level the club of its reputation rank had as the world began,
// give or take 8: the best-rated club's can become the stars its first squad held, the least
// rated one's come in and end lower.
TEST_F(SeasonTest, YouthsGrowTowardsTheFirstWorldsLevelOfTheirClubsStanding)
{
    StartCareer(0, 31, 0);
    const int32_t clubs = World_LeagueClubCount(0);
    // Squad means as the world began, and their best players, best first.
    std::vector<std::pair<int32_t, int32_t>> levels;
    int32_t best = -1, least = -1;
    for (int32_t club = 0; club < clubs; ++club) {
        const int16_t* members = nullptr;
        const int32_t count = Records_ClubMembers(club, &members);
        int32_t sum = 0, star = 0;
        for (int32_t k = 0; k < count; ++k) {
            sum += DbPlayers[members[k]].ability;
            star = std::max<int32_t>(star, DbPlayers[members[k]].ability);
        }
        levels.emplace_back(sum / count, star);
        if (VTW_GetClubRepRank(club) == 1) best = club;
        if (VTW_GetClubRepRank(club) == clubs) least = club;
    }
    std::sort(levels.begin(), levels.end(), std::greater<>());
    ASSERT_GE(best, 0);
    ASSERT_GE(least, 0);
    struct Case {
        int32_t club, level, star;
        double meanAbility = 0;
    };
    Case cases[] = {{best, levels.front().first, levels.front().second},
                    {least, levels.back().first, levels.back().second}};
    for (Case& c : cases) {
        SCOPED_TRACE("club " + std::to_string(c.club) + " level " + std::to_string(c.level));
        int32_t youths = 0;
        for (int32_t round = 0; round < 8; ++round) {
            for (int32_t id = PERSON_FIRST_ORDINARY;
                 id < FullPlayerCount && VTW_GetClubSquadCount(c.club) > 16; ++id) {
                if (DbPlayers[id].club == c.club && PlayerLife_IsActivePlayer(id))
                    Market_Release(id);
            }
            const int16_t* members = nullptr;
            const int32_t before = Records_ClubMembers(c.club, &members);
            const std::vector<int16_t> old(members, members + before);
            ASSERT_GT(PlayerLife_YouthIntake(c.club), 0);
            const int32_t after = Records_ClubMembers(c.club, &members);
            for (int32_t k = 0; k < after; ++k) {
                if (std::find(old.begin(), old.end(), members[k]) != old.end()) continue;
                const PlayerRecord& p = DbPlayers[members[k]];
                EXPECT_GE(p.potential, p.ability);
                EXPECT_GE(p.potential, c.level - 8);
                EXPECT_LE(p.potential, std::max({c.level + 8, c.star, int32_t{p.ability}}));
                c.meanAbility += p.ability;
                ++youths;
            }
        }
        // A youth the club calls up in the season when a line runs short is one of its own too.
        const int32_t calledUp = PlayerLife_CallUpYouth(c.club);
        ASSERT_GE(calledUp, 0);
        EXPECT_GE(DbPlayers[calledUp].potential, c.level - 8);
        EXPECT_LE(DbPlayers[calledUp].potential,
                  std::max({c.level + 8, c.star, int32_t{DbPlayers[calledUp].ability}}));
        c.meanAbility /= youths;
    }
    // The best club's youths (level 89) come in on the fringe of its first team, 77 on the mean
    // with its youth coaching; the least rated club's (level 35) far below its own, at 11.
    EXPECT_GE(cases[0].meanAbility, cases[0].level - 15);
    EXPECT_GT(cases[0].meanAbility, cases[1].meanAbility + 20);
}

// Country 2's best squad has a mean of 84 and its best player at 95, drawn around a level its mean
// misses: its youths' potentials reach up to that star, not only to 92.
TEST_F(SeasonTest, TheBestClubsYouthsCanGrowAsHighAsItsFirstStar)
{
    StartCareer(2, 31, 0);
    int32_t club = -1;
    for (int32_t other = 0; other < World_LeagueClubCount(2); ++other) {
        if (VTW_GetClubRepRank(other) == 1) club = other;
    }
    ASSERT_GE(club, 0);
    constexpr int32_t kLevel = 84, kStar = 95;
    int32_t lowest = 100, highest = 0;
    for (int32_t round = 0; round < 60; ++round) {
        const int32_t id = PlayerLife_CallUpYouth(club);
        ASSERT_GE(id, 0);
        if (DbPlayers[id].potential > DbPlayers[id].ability) {
            lowest = std::min<int32_t>(lowest, DbPlayers[id].potential);
            highest = std::max<int32_t>(highest, DbPlayers[id].potential);
        }
        PlayerLife_Retire(id);
    }
    EXPECT_GE(lowest, kLevel - 8);
    EXPECT_LE(highest, kStar);
    EXPECT_GT(highest, kLevel + 8);
}

// What the game keeps under a full id for its holder, as a season leaves it: bookings, clean
// sheets, training carried over, a career-log row with the season logged at that move, a club's
// bid, the human's business with him and his shortlist entry. Left on a free id, it is what a save
// from before free ids were cleared may hold.
void LeaveFiguresOnTheId(int32_t id, int32_t club, int32_t bidder)
{
    DbPlayers[id].seasonApps = 12;
    PlayerSeasonBookings[id] = 4;
    PlayerSeasonCleanSheets[id] = 3;
    VTW_AddClubLog(id, club, CAREERLOG_LOAN);
    for (int32_t period = 0;
         DailyTraining_TechnicalPoints(id) == 0 || DailyTraining_PhysicalPeriods(id) == 0;
         period = (period + 1) % TRAIN_PERIODS) {
        DailyTraining_PlayerPeriod(id, club, period);
    }
    ASSERT_GE(VTW_PlaceBid(bidder, id, 1000, Market_BidLineCode(id), 0), 0);
    ASSERT_GE(VTW_AddBidInfo(id, VTW_FindFreeBidInfo()), 0);
    ASSERT_EQ(ShortList_Add_Player(id), 1);
    ASSERT_EQ(Market_AddHumanSale(id, bidder, 0, 5000), 1);
    ASSERT_EQ(Market_AddHumanContract(id, club, 0), 1);
    ASSERT_EQ(VTW_PushHumanRecent(id), 1);
    ASSERT_EQ(CareerLogSeason[id].apps, 12);
}

// The veteran's whole season besides: his record's figures and a point of progress history.
void GiveASeasonsFigures(int32_t player, int32_t club, int32_t bidder)
{
    PlayerRecord& p = DbPlayers[player];
    p.seasonGoals = p.careerApps = p.disciplinePoints = p.suspension = p.injuryDays = 3;
    LeaveFiguresOnTheId(player, club, bidder);
    PlayerHistory_RecordPoint();
    ASSERT_EQ(PlayerHistory[player].count, 1);
}

// Nothing of a holder is kept under the id: every count at 0, no row, no bid, not shortlisted.
void ExpectNothingKept(int32_t id)
{
    EXPECT_EQ(PlayerSeasonBookings[id], 0);  // four would ban him at his first booking
    EXPECT_EQ(PlayerSeasonCleanSheets[id], 0);
    EXPECT_EQ(DailyTraining_TechnicalPoints(id), 0);
    EXPECT_EQ(DailyTraining_PhysicalPeriods(id), 0);
    CareerLogRow rows[CAREERLOG_COPY_MAX];
    EXPECT_EQ(VTW_CopyPlayerLogRows(id, rows, CAREERLOG_COPY_MAX), 0);
    const CareerLogLogged& logged = CareerLogSeason[id];
    EXPECT_EQ(logged.apps + logged.goals + logged.perfSum + logged.ratedCount, 0);
    EXPECT_EQ(PlayerHistory[id].count, 0);
    EXPECT_EQ(VTW_FindBidInfo(id), -1);
    EXPECT_EQ(VTW_CountClubBidsForPlayer(id), 0);
    EXPECT_EQ(ShortList_Contains(id), 0);
    EXPECT_EQ(VTW_GetSaleAskingPrice(id), -1);
    EXPECT_NE(VTW_GetHumanContracts(), id);
    EXPECT_EQ(VTW_IsNotInHumanRecent(id), 1);
    const PlayerRecord& p = DbPlayers[id];
    EXPECT_EQ(p.seasonApps + p.seasonGoals + p.careerApps + p.disciplinePoints + p.suspension
                  + p.injuryDays,
              0);
}

// A player leaves by each way there is (a club's player or an unattached one retires, one is sold
// abroad) and his full id goes to the next new player (a youth called up, as at an intake, or a
// light player made full on a signing): nothing of the veteran stays on the free id, and the
// newcomer starts with nothing of any holder, even of one whose figures an older save kept.
TEST_F(SeasonTest, ANewPlayerOnAFreedIdStartsWithNoneOfItsLastHoldersFigures)
{
    StartCareer(0, 23, 4);
    const int32_t club = 4, bidder = 6;
    const int32_t outside = World_LeagueClubCount(0);
    const int16_t* members = nullptr;
    ASSERT_GT(Records_ClubMembers(outside, &members), 3);
    const std::vector<int32_t> lights(members, members + 4);
    // A signing from the world outside leaves a light id free for the sale abroad.
    ASSERT_GE(Player_PromoteToFull(lights[3]), 0);
    const std::function<void(int32_t)> leaves[] = {
        [](int32_t veteran) { PlayerLife_Retire(veteran); },
        [](int32_t veteran) { PlayerLife_Retire(veteran); },  // released first: unattached
        [outside](int32_t veteran) { ASSERT_GE(Market_SellAbroad(veteran, outside, 1000), 0); },
    };
    for (size_t way = 0; way < std::size(leaves); ++way) {
        for (const bool light : {false, true}) {
            SCOPED_TRACE(testing::Message() << "way " << way << (light ? ", light" : ", youth"));
            const int32_t veteran = PlayerLife_CallUpYouth(club);
            ASSERT_GE(veteran, 0);
            if (way == 1) Market_Release(veteran);
            GiveASeasonsFigures(veteran, club, bidder);
            leaves[way](veteran);
            ASSERT_TRUE(DbPersons[veteran].flags & PERSON_FREE);
            EXPECT_EQ(DbPlayers[veteran].club, CLUB_NONE);  // a free record is nobody's
            EXPECT_EQ(DbPlayers[veteran].loanClub, -1);
            ExpectNothingKept(veteran);
            LeaveFiguresOnTheId(veteran, club, bidder);
            const int32_t newcomer =
                light ? Player_PromoteToFull(lights[way]) : PlayerLife_CallUpYouth(club);
            ASSERT_EQ(newcomer, veteran);  // the lowest free id
            ExpectNothingKept(newcomer);
            // His season so far at his club holds his own matches.
            DbPlayers[newcomer].seasonApps = 2;
            CareerLogRow soFar{};
            ASSERT_TRUE(CareerLog_SeasonSoFar(newcomer, &soFar));
            EXPECT_EQ(soFar.apps, 2);
        }
    }
}

// A player grows by talent and work towards his potential until his peak ends at 29, the world's
// best as the rest: stopped at 23, or slowed from 90 up, the best clubs' youths fell short of the
// first world's stars and the league's ten best sank 3-4 % in 20 seasons.
TEST_F(SeasonTest, APlayerGrowsTowardsHisPotentialUntilHisPeakEnds)
{
    struct Row {
        int32_t age, ability, potential, training, lowest, highest;
    };
    constexpr Row kRows[] = {
        {20, 60, 100, 100, 63, 64},                             // 1 + 2 for his work + 0-1
        {20, 60, 100, 30, 61, 62},  {20, 60, 61, 100, 61, 61},  // stops at his potential
        {26, 60, 100, 30, 61, 62},  {29, 70, 80, 100, 73, 74},  // until his peak ends
        {26, 70, 70, 100, 70, 70},                              // at his potential he stays
        {30, 70, 90, 100, 69, 69},                              // past his peak he declines
        {20, 90, 100, 100, 93, 94}, {20, 97, 98, 100, 98, 98},  // the best like the rest
    };
    constexpr size_t kCount = std::size(kRows);
    StartCareer(0, 21, 5);
    std::vector<int32_t> ids;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount && ids.size() < kCount; ++id) {
        if (PlayerLife_IsActivePlayer(id) && DbPlayers[id].club == 7) ids.push_back(id);
    }
    ASSERT_EQ(ids.size(), kCount);
    for (int32_t seed = 1; seed <= 6; ++seed) {
        SRand(static_cast<uint32_t>(seed));
        for (size_t k = 0; k < kCount; ++k) {
            const Row& row = kRows[k];
            DbPersons[ids[k]].birthYear =
                static_cast<uint8_t>(GAME_FIRST_YEAR + GameState.seasonCounter - row.age - 1950);
            DbPlayers[ids[k]].ability = static_cast<uint8_t>(row.ability);
            DbPlayers[ids[k]].potential = static_cast<uint8_t>(row.potential);
            DbPlayers[ids[k]].training = static_cast<uint8_t>(row.training);
        }
        PlayerLife_NewSeason();
        for (size_t k = 0; k < kCount; ++k) {
            SCOPED_TRACE("row " + std::to_string(k) + " seed " + std::to_string(seed));
            EXPECT_GE(DbPlayers[ids[k]].ability, kRows[k].lowest);
            EXPECT_LE(DbPlayers[ids[k]].ability, kRows[k].highest);
        }
    }
}

// At the season's turn a club's reputation moves by how far its place in the pyramid differs from
// its rank by reputation as the season ended. Ranks read while the shifts went on made the clubs
// shifted first move the ranks of those judged after them, and the league's reputation crept up
// season after season (the youths it brings in with it).
TEST_F(SeasonTest, ReputationsShiftAgainstTheRanksAsTheSeasonEnded)
{
    StartCareer(2, 3, 5);
    const int32_t clubs = World_LeagueClubCount(2);
    std::vector<int32_t> pyramid;  // clubs by place, the champion first
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        for (int32_t place = 0; place < VTW_GetDivisionSize(division); ++place) {
            pyramid.push_back(VTW_GetDivisionSlot(division, place));
        }
    }
    ASSERT_EQ(static_cast<int32_t>(pyramid.size()), clubs);
    // Places 4-40 rated 63-27 and places 41-63 rated 23-1, each as its place says but three ranks
    // too high; the top three rated 26, 25 and 24, ranks 38-40, 37 too low. Places 64 on share 0.
    const auto ratingOf = [](int32_t place) {
        if (place <= 3) return 27 - place;
        return place <= 40 ? 67 - place : std::max(0, 64 - place);
    };
    struct Row {
        int32_t firstPlace, lastPlace, shift;  // before the cups won
    };
    constexpr Row kRows[] = {
        {1, 3, 4},    // 37 places better than rated: the most a season
        {4, 40, -1},  // 3 places worse
        {41, 63, 0},  // as rated
    };
    for (int32_t place = 1; place <= clubs; ++place) {
        DbClubs[pyramid[place - 1]].reputation = static_cast<uint8_t>(ratingOf(place));
    }
    PlayerLife_ShiftReputations();
    for (const Row& row : kRows) {
        for (int32_t place = row.firstPlace; place <= row.lastPlace; ++place) {
            const int32_t club = pyramid[place - 1];
            int32_t cups = 0;
            for (int32_t cup = 0; cup < CUP_COUNT; ++cup) {
                cups += VTW_ClubHoldsHonour(club, cup, 0);
            }
            const int32_t expected = ratingOf(place) + std::clamp(row.shift + cups, -4, 4);
            EXPECT_EQ(DbClubs[club].reputation, expected) << "place " << place;
        }
    }
}

TEST_F(SeasonTest, YouthIntakeStopsWithALogLineWhenNoFreeIdIsLeft)
{
    StartCareer(0, 14, 5);
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        DbPersons[id].flags &= static_cast<uint8_t>(~PERSON_FREE);
    }
    const PersonRecord before = DbPersons[FullPlayerCount - 1];
    EXPECT_EQ(PlayerLife_YouthIntake(5), 0);
    EXPECT_EQ(DbPersons[FullPlayerCount - 1].nameIndex, before.nameIndex);
}

TEST_F(SeasonTest, ContinentalOpponentsFieldElevenOfTheirLightPlayers)
{
    StartCareer(2, 16, 3);
    // The first small club: a foreign side that only the continental cups bring in.
    const int32_t club = World_LeagueClubCount(2);
    ASSERT_EQ(VTW_GetClubRecordPtr(club), nullptr);
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    ASSERT_GE(count, MATCH_STARTERS);
    ASSERT_GE(members[0], FullPlayerCount);
    VTW_AISelectTeam(club);
    int32_t starters = 0;
    for (int32_t k = 0; k < count; ++k) {
        const int32_t shirt = VTW_GetPlayerShirt(members[k]);
        starters += shirt >= 1 && shirt <= MATCH_STARTERS;
        EXPECT_EQ(MatchDay_PlayerEligible(members[k], club), 1);
    }
    EXPECT_EQ(starters, MATCH_STARTERS);
}

void SetAge(int32_t id, int32_t age)
{
    DbPersons[id].birthYear =
        static_cast<uint8_t>(GAME_FIRST_YEAR + GameState.seasonCounter - age - 1950);
}

// A club outside the league that the market has bought down to 14 players: its veteran of 40
// gives way to a youth of his position, as good as the squad give or take 5, and two youths fill
// it back to 16 on the ids the league freed; a player of 25 stays himself.
TEST_F(SeasonTest, TheWorldOutsideRetiresItsOldAndRefillsItsSquads)
{
    StartCareer(0, 17, 3);
    const int32_t club = World_LeagueClubCount(0);
    const int16_t* members = nullptr;
    int32_t count = Records_ClubMembers(club, &members);
    ASSERT_GT(count, 14);
    const std::vector<int32_t> squad(members, members + count);
    // The squad as the world began, whose level its youths come in at.
    int32_t abilities = 0;
    for (const int32_t id : squad) {
        abilities += DbLightPlayers[id - FullPlayerCount].ability;
    }
    const int32_t mean = abilities / count;
    for (size_t k = 14; k < squad.size(); ++k) {
        DbPersons[squad[k]].flags = PERSON_FREE;  // as Player_PromoteToFull leaves them
        DbLightPlayers[squad[k] - FullPlayerCount].club = CLUB_NONE;
    }
    // Those left are the weakest, the league having bought the others.
    for (int32_t k = 0; k < 14; ++k) {
        SetAge(squad[k], 25);
        DbLightPlayers[squad[k] - FullPlayerCount].ability = 20;
    }
    const int32_t veteran = squad[0];
    const int32_t settled = squad[1];
    SetAge(veteran, 40);
    const int32_t position = VTW_GetPlayerPosition(veteran);
    const PersonRecord settledBefore = DbPersons[settled];
    Records_MembershipChanged();
    ASSERT_GT(mean, 30);
    PlayerLife_RenewOutside();
    count = Records_ClubMembers(club, &members);
    EXPECT_EQ(count, 16);
    EXPECT_GE(VTW_GetPlayerAge(veteran), 17);
    EXPECT_LE(VTW_GetPlayerAge(veteran), 19);
    EXPECT_EQ(VTW_GetPlayerPosition(veteran), position);
    EXPECT_EQ(VTW_GetPlayerClub(veteran), club);
    int32_t youths = 0;
    for (int32_t k = 0; k < count; ++k) {
        if (VTW_GetPlayerAge(members[k]) == 25) continue;
        ++youths;
        EXPECT_LE(VTW_GetPlayerAge(members[k]), 19) << members[k];
        const int32_t ability = DbLightPlayers[members[k] - FullPlayerCount].ability;
        EXPECT_GE(ability, mean - 5) << members[k];
        EXPECT_LE(ability, mean + 5) << members[k];
    }
    EXPECT_EQ(youths, 3);
    EXPECT_EQ(DbPersons[settled].nameIndex, settledBefore.nameIndex);
    EXPECT_EQ(VTW_GetPlayerAge(settled), 25);
}

// A sale abroad's row names the man sold by his light id. He is bought back and his light id goes
// to the next man sold abroad, who retires from the world outside, a youth taking his id in place:
// each row still names the man it sold.
TEST_F(SeasonTest, ASaleAbroadNamesTheManSoldWhenHisLightIdIsGivenAgain)
{
    StartCareer(0, 23, 4);
    const int32_t club = 4, outside = World_LeagueClubCount(0);
    VTW_RefreshSquadCount(club);
    const int32_t sold[] = {VTW_GetSquadPlayer(0), VTW_GetSquadPlayer(1)};
    const std::string names[] = {VTW_FormatPersonName(sold[0]), VTW_FormatPersonName(sold[1])};
    // A signing from the world outside leaves a light id free for the first sale.
    const int16_t* members = nullptr;
    ASSERT_GT(Records_ClubMembers(outside, &members), 0);
    ASSERT_GE(Player_PromoteToFull(members[0]), 0);
    const int32_t light = Market_SellAbroad(sold[0], outside, 1000);
    ASSERT_GE(light, 0);
    const int32_t firstRow = Transfers_Count() - 1;
    ASSERT_GE(Market_MovePlayer(light, club, 1000, false, 500, 12), 0);
    ASSERT_EQ(Market_SellAbroad(sold[1], outside, 1000), light);  // the id the first left
    const int32_t rows[] = {firstRow, Transfers_Count() - 1};
    EXPECT_EQ(VTW_FormatPersonName(TransferRecords[rows[0]].player), names[0]);
    // Only he retires, so the world outside's renewal makes him its first new man.
    for (int32_t id = FullPlayerCount; id < DbPersonCount; ++id) {
        SetAge(id, id == light ? 40 : 25);
    }
    PlayerLife_RenewOutside();
    ASSERT_NE(VTW_FormatPersonName(light), names[1]);
    for (int32_t k = 0; k < 2; ++k) {
        EXPECT_EQ(VTW_FormatPersonName(TransferRecords[rows[k]].player), names[k]) << k;
    }
}

TEST_F(SeasonTest, SoakChecksStopAtTheTargetAndReportABrokenSquad)
{
    StartCareer(2, 15, 3);
    AutoRunTarget = {3, 0, AUTORUN_CHECK_SQUADS};
    // A squad too injured to field sixteen: the market would mend a missing line at once.
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (DbPlayers[id].club != 4) continue;
        DbPlayers[id].flags |= PLAYER_INJURED;
        DbPlayers[id].injuryDays = 30;
    }
    EXPECT_EQ(VTW_SoakChecks(), 0);
    for (int32_t day = 0; day < 3; ++day) {
        PlayDay();
        EXPECT_EQ(VTW_SoakChecks(), day == 2 ? 1 : 0);
    }
    EXPECT_EQ(AutoRunMode, 0u);
    EXPECT_GE(Season_SoakFindings(), 1);
    EXPECT_EQ(VTW_SoakChecks(), 0);
}

}  // namespace
