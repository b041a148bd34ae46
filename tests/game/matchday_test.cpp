// tests/game/matchday_test.cpp: the statistical simulation against real football's figures, a
// match day's order and reports, post-match bookkeeping and the computer's team selection.
#include "game/matchday.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/crc32.h"
#include "engine/random.h"
#include "game/calendar.h"
#include "game/careerlog.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/records.h"
#include "game/season.h"
#include "game/simmatch.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "game/world.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "tests/support/game_world.h"
#include "tests/support/strength.h"
#include "tests/support/support.h"
#include "viewservices/timedevents.h"

namespace {

// The generated world with the built-in tactics mounted, as the game runs a match day.
class MatchDayTest : public testing::Test {
protected:
    void SetUp() override { MatchBlocks_Init(); }
    void TearDown() override { MatchBlocks_Uninit(); }

    ScopedWorld m_world;
    ScopedTactics m_tactics;
};

struct Tally {
    int matches = 0, goals = 0, homeWins = 0, draws = 0, reds = 0;
    int nilNil = 0, oneOne = 0, bigWins = 0;  // bigWins: by six goals or more
    bool ratingsInRange = true;
    uint32_t crc = 0;
};

void TallyMatch(Tally* t)
{
    const MatchDataBlock& d = *GetMatchDataBlock();
    const int home = d.sides[0].score;
    const int away = d.sides[1].score;
    ++t->matches;
    t->goals += home + away;
    t->homeWins += home > away;
    t->draws += home == away;
    t->nilNil += home == 0 && away == 0;
    t->oneOne += home == 1 && away == 1;
    t->bigWins += std::abs(home - away) >= 6;
    for (const MatchSideStats& side : d.sides) {
        t->reds += side.totals[MATCH_TOTAL_SENDINGS_OFF];
        for (const PlayerMatchRecord& r : side.players) {
            if (PlayerMatchRecord_Get(r, PMR_TIME_ON_PITCH) == 0) continue;
            const int rating = PlayerMatchRecord_Get(r, PMR_RATING);
            t->ratingsInRange = t->ratingsInRange && rating >= 10 && rating <= 99;
        }
    }
    t->crc = Crc32(&d, sizeof(d), t->crc);
}

// Every league row of new games of the four playable countries, until `wanted` are simulated.
Tally SimulateLeagueFixtures(int wanted)
{
    Tally t;
    constexpr int kCountries[] = {0, 2, 3, 6};
    for (uint32_t seed = 1; t.matches < wanted; ++seed) {
        NewGameForTest(kCountries[seed % 4], seed);
        for (int row = 0; row < Fixture_RowCount() && t.matches < wanted; ++row) {
            if (VTW_GetFixtureCompetition(row) != COMP_LEAGUE) continue;
            SetupFixture(row);
            SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock());
            TallyMatch(&t);
        }
    }
    return t;
}

// The league row of `home` against `away`; -1 none.
int LeagueRow(int home, int away)
{
    for (int row = 0; row < Fixture_RowCount(); ++row) {
        if (VTW_GetFixtureCompetition(row) == COMP_LEAGUE && VTW_GetFixtureHomeClub(row) == home
            && VTW_GetFixtureAwayClub(row) == away)
            return row;
    }
    return -1;
}

// At a new game the strongest club of a top division expects two to two and a half goals at
// home to the weakest, the weakest little more than half a goal; two middling clubs about 1.4
// against 1.1.
TEST_F(MatchDayTest, StrengthSetsTheExpectedGoals)
{
    for (const int country : {0, 2, 3, 6}) {
        NewGameForTest(country, 1);
        const std::vector<ClubStrength> order = DivisionStrengths(0);
        const int middle = static_cast<int>(order.size()) / 2;
        int goals[2];
        RowExpectedGoals(LeagueRow(order.front().club, order.back().club), goals);
        std::printf("country %d: strongest at home to the weakest %d-%d", country, goals[0],
                    goals[1]);
        EXPECT_GE(goals[0], 200) << "country " << country;
        EXPECT_LE(goals[0], 250) << "country " << country;
        EXPECT_GE(goals[1], 50) << "country " << country;
        EXPECT_LE(goals[1], 80) << "country " << country;
        for (const auto& [home, away] : {std::pair{middle - 1, middle}, {middle, middle - 1}}) {
            RowExpectedGoals(LeagueRow(order[home].club, order[away].club), goals);
            std::printf(", middle %d-%d", goals[0], goals[1]);
            EXPECT_GE(goals[0], 120) << "country " << country;
            EXPECT_LE(goals[0], 160) << "country " << country;
            EXPECT_GE(goals[1], 90) << "country " << country;
            EXPECT_LE(goals[1], 130) << "country " << country;
        }
        std::printf("\n");
    }
}

TEST_F(MatchDayTest, TheSimulationPlaysLikeRealFootballAndRepeatsOnItsSeed)
{
    const Tally t = SimulateLeagueFixtures(10000);
    const double n = t.matches;
    EXPECT_GE(t.goals / n, 2.4);
    EXPECT_LE(t.goals / n, 2.9);
    EXPECT_GE(t.homeWins / n, 0.42);
    EXPECT_LE(t.homeWins / n, 0.50);
    EXPECT_GE(t.draws / n, 0.22);
    EXPECT_LE(t.draws / n, 0.30);
    EXPECT_GE(t.nilNil / n, 0.05);
    EXPECT_LE(t.nilNil / n, 0.09);
    EXPECT_GE(t.oneOne / n, 0.09);
    EXPECT_LE(t.oneOne / n, 0.14);
    EXPECT_LE(t.bigWins / n, 0.01);
    EXPECT_GE(t.reds / n, 0.05);
    EXPECT_LE(t.reds / n, 0.2);
    EXPECT_TRUE(t.ratingsInRange);
    EXPECT_EQ(SimulateLeagueFixtures(300).crc, SimulateLeagueFixtures(300).crc);
}

}  // namespace

namespace {

TEST_F(MatchDayTest, ANewGameGivesEveryClubAnEligibleElevenWithACaptain)
{
    for (int country : {0, 2, 3, 6}) {
        NewGameForTest(country, 5);
        for (int club = 0; club < CLUB_FULL_MAX; ++club) {
            if (VTW_GetClubRecordPtr(club) == nullptr || VTW_GetClubDivision(club) >= DIVISION_MAX)
                continue;
            EXPECT_EQ(VTW_ClearIneligibleShirts(club), 0) << country << " " << club;
            std::set<int> shirts;
            bool captainStarts = false;
            VTW_RefreshSquadCount(club);
            for (int k = 0; k < SquadList.count; ++k) {
                const int player = SquadList.players[k];
                const int shirt = VTW_GetPlayerShirt(player);
                if (shirt < 1 || shirt > MATCH_STARTERS) continue;
                shirts.insert(shirt);
                EXPECT_TRUE(MatchDay_PlayerEligible(player, club));
                captainStarts = captainStarts || VTW_GetPlayerCaptain(player);
            }
            EXPECT_EQ(shirts.size(), 11u) << country << " " << club;
            EXPECT_TRUE(captainStarts) << country << " " << club;
        }
    }
}

TEST_F(MatchDayTest, TheHumansGroupPlaysFirstHisRowLastAndItsResultIsReported)
{
    NewGameForTest(0, 9);
    int row = 0;
    while (VTW_GetFixtureCompetition(row) != COMP_LEAGUE) {
        ++row;
    }
    const int human = VTW_GetFixtureHomeClub(row);
    VTW_SetClubControl(human, MANAGER_HUMAN);
    GameState.humanClub = static_cast<int16_t>(human);
    Calendar_SetDay(VTW_GetFixtureDay(row));
    FixedScore = {1, 3, 1};
    ASSERT_EQ(VTW_PutHumanFixtureLast(), 1);
    const int humanRow = VTW_FindHumanNextFixture();
    int group = 0, other = 0;
    VTW_CountTodaysFixtures(&group, &other);
    ASSERT_GT(group, 1);
    std::vector<int> played;
    for (int r = -1; VTW_PlayMatchDay(&r);) {
        played.push_back(r);
        int g = 0, o = 0;
        VTW_CountTodaysFixtures(&g, &o);
        EXPECT_EQ(g + o, group + other - static_cast<int>(played.size()));
    }
    ASSERT_EQ(played.size(), static_cast<size_t>(group + other));
    EXPECT_EQ(played[group - 1], humanRow);
    EXPECT_EQ(ReportFixture, humanRow);
    EXPECT_EQ(VTW_GetFixtureHomeGoals(humanRow), 3);
    EXPECT_EQ(VTW_GetFixtureAwayGoals(humanRow), 1);
    EXPECT_EQ(FixedScore.on, 0);
    // The kept copy is the human's match, though the blocks now hold the day's last fixture.
    ASSERT_NE(played.back(), humanRow);
    EXPECT_EQ(+LastMatchCopy.stats[0].score, 3);  // packed fields: read by value
    EXPECT_EQ(+LastMatchCopy.stats[1].score, 1);
    EXPECT_NE(+GetMatchSidesBlock()->homeClub, human);
    EXPECT_STREQ(LastMatchCopy.sides[0].teamName, World.clubs[VTW_GetTeam(human)].name);
    EXPECT_TRUE(MatchBlocks_CheckCopy(&LastMatchCopy));
    int appearances = 0;
    for (int k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
        appearances += Fixture_GetPlayerRow(humanRow, 0, k).player >= 0;
    }
    EXPECT_EQ(appearances, MATCH_STARTERS);  // a fixed score still counts the starters' games
    EXPECT_TRUE(MatchReportFlags & MATCH_REPORT_DONE);
    int previous = -1;
    int awayIncidents = 0;
    for (int k = 0; k < MatchReportState.incidentCount; ++k) {
        const MatchReportIncident& incident = MatchReportIncidents[k];
        EXPECT_EQ(MatchReportIncident_Sequence(incident), k);
        EXPECT_LE(MatchReportIncident_Minute(incident), 120);
        const int fixtureRow = incident.fixtureRow;  // packed: copied before binding
        EXPECT_NE(fixtureRow, humanRow);
        EXPECT_GE(fixtureRow, previous);
        previous = fixtureRow;
        // The news line shows the home club first, as the results do, whoever's incident it is.
        const int home = VTW_GetFixtureHomeClub(fixtureRow);
        awayIncidents += MatchReportIncident_FirstClub(incident) != home;
        const std::string expected = std::string(VTW_FormatClubName(VTW_GetTeam(home))) + " ";
        TimedEvents_BuildText(k);
        EXPECT_EQ(std::string(TimedEvents.text).rfind(expected, 0), 0u) << TimedEvents.text;
    }
    EXPECT_GT(awayIncidents, 0);
    // The players' appearances and goals are the rows' counts.
    for (int r : played) {
        for (int side = 0; side < 2; ++side) {
            for (int k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
                const FixturePlayerRow p = Fixture_GetPlayerRow(r, side, k);
                if (p.player < 0) continue;
                EXPECT_EQ(VTW_GetPlayerApps(p.player), 1);
                EXPECT_EQ(VTW_GetPlayerGoals(p.player), p.marks & 15);
            }
        }
    }
}

}  // namespace

namespace {

int s_whistles;
void CountWhistles(int32_t id, int32_t)
{
    if (id == 8) ++s_whistles;
}

// Makes the home club of the first league fixture the human's and moves to its day; its row.
int PrepareHumansFirstLeagueDay()
{
    int row = 0;
    while (VTW_GetFixtureCompetition(row) != COMP_LEAGUE) {
        ++row;
    }
    const int human = VTW_GetFixtureHomeClub(row);
    VTW_SetClubControl(human, MANAGER_HUMAN);
    GameState.humanClub = static_cast<int16_t>(human);
    Calendar_SetDay(VTW_GetFixtureDay(row));
    return row;
}

void PlayTheWholeDay()
{
    for (int r = -1; VTW_PlayMatchDay(&r);) {
    }
}

}  // namespace

// The other grounds' news, read in minute order as the watched match shows it: each fixture's
// score rises one goal at a goal's row, to the side the goal counts for, stands still at a
// sending-off's, and ends at the result. The day is the first of a few seeds with a fixture of
// five goals or more in the human's group.
TEST_F(MatchDayTest, TheOtherGroundsNewsGivesTheScoreAtEachIncidentsMinute)
{
    int bestGoals = 0;
    for (uint32_t seed = 1; seed <= 12 && bestGoals < 5; ++seed) {
        NewGameForTest(0, seed);
        PrepareHumansFirstLeagueDay();
        FixedScore = {1, 0, 0};
        ASSERT_EQ(VTW_PutHumanFixtureLast(), 1);
        MatchReportState.incidentCount = 0;  // as the day screen clears it each day
        PlayTheWholeDay();
        bestGoals = 0;
        for (int k = 0; k < MatchReportState.incidentCount; ++k) {
            const int row = MatchReportIncidents[k].fixtureRow;
            bestGoals =
                std::max(bestGoals, VTW_GetFixtureHomeGoals(row) + VTW_GetFixtureAwayGoals(row));
        }
    }
    ASSERT_GE(bestGoals, 5);
    TimedEvents_Reset();  // sorts the rows by minute, as the watched match's kick-off does
    std::map<int, std::pair<int, int>> scores;  // by fixture row: home, away so far
    int kinds[8] = {};
    for (int k = 0; k < MatchReportState.incidentCount; ++k) {
        const MatchReportIncident& incident = MatchReportIncidents[k];
        const int row = incident.fixtureRow;
        const int home = VTW_GetFixtureHomeClub(row);
        const bool homeFirst = MatchReportIncident_FirstClub(incident) == home;
        const int shown[2] = {homeFirst ? MatchReportIncident_FirstGoals(incident)
                                        : MatchReportIncident_SecondGoals(incident),
                              homeFirst ? MatchReportIncident_SecondGoals(incident)
                                        : MatchReportIncident_FirstGoals(incident)};
        auto& [homeGoals, awayGoals] = scores[row];
        const int kind = MatchReportIncident_Kind(incident);
        ++kinds[kind];
        if (kind != REPORT_SENT_OFF) ++(homeFirst ? homeGoals : awayGoals);
        EXPECT_EQ(shown[0], homeGoals)
            << "row " << row << ", minute " << MatchReportIncident_Minute(incident);
        EXPECT_EQ(shown[1], awayGoals)
            << "row " << row << ", minute " << MatchReportIncident_Minute(incident);
        // Every view's line is built from the row: the home club with its goals, then the away's.
        TimedEvents_BuildText(k);
        const std::string line = std::string(VTW_FormatClubName(VTW_GetTeam(home))) + " "
                                 + std::to_string(homeGoals) + "  "
                                 + VTW_FormatClubName(VTW_GetTeam(VTW_GetFixtureAwayClub(row)))
                                 + " " + std::to_string(awayGoals);
        EXPECT_EQ(std::string(TimedEvents.text).rfind(line, 0), 0u) << TimedEvents.text;
    }
    for (const auto& [row, score] : scores) {
        EXPECT_EQ(score.first, VTW_GetFixtureHomeGoals(row)) << "row " << row;
        EXPECT_EQ(score.second, VTW_GetFixtureAwayGoals(row)) << "row " << row;
    }
    // Most goals come from open play: the rows tell them from penalties.
    EXPECT_GT(kinds[REPORT_GOAL], kinds[REPORT_PENALTY_GOAL]);
}

TEST_F(MatchDayTest, TheHumansFixturePlaysThroughTheEngineOnceItIsRegistered)
{
    NewGameForTest(0, 11);
    PrepareHumansFirstLeagueDay();
    ChosenViewMode = VIEW_NONE;
    AutoRunMode = 0;
    MatchEngine_Start();
    MatchPresentationOps.PlayMatchSfx = CountWhistles;
    s_whistles = 0;
    VTW_PutHumanFixtureLast();
    const int humanRow = VTW_FindHumanNextFixture();
    PlayTheWholeDay();
    MatchEngine_Stop();

    EXPECT_GE(s_whistles, 2);  // the end of each half
    // The engine's score is what the fixture row keeps.
    EXPECT_EQ(VTW_GetFixtureHomeGoals(humanRow), Match.score[0]);
    EXPECT_EQ(VTW_GetFixtureAwayGoals(humanRow), Match.score[1]);
}

// After the human's match the day runs the post-match sequence once, with the sequence's bit set
// while it runs; in an automatic run it runs none.
TEST_F(MatchDayTest, ThePostMatchSequenceFollowsTheHumansMatchUnlessTheRunIsAutomatic)
{
    static int s_sequences = 0;
    static uint8_t s_flags = 0;
    const GameHookTable saved = GameHooks;
    GameHooks.PostMatchSequence = [] {
        ++s_sequences;
        s_flags = MatchReportFlags;
    };
    for (const uint32_t autoRun : {1u, 0u}) {
        NewGameForTest(0, 9);
        PrepareHumansFirstLeagueDay();
        s_sequences = 0;
        s_flags = 0;
        AutoRunMode = autoRun;
        PlayTheWholeDay();
        EXPECT_EQ(s_sequences, autoRun != 0 ? 0 : 1) << autoRun;
        EXPECT_EQ((s_flags & MATCH_REPORT_IN_SEQUENCE) != 0, autoRun == 0) << autoRun;
    }
    AutoRunMode = 0;
    GameHooks = saved;
}

TEST_F(MatchDayTest, WithoutTheEngineTheHumansFixtureIsSimulated)
{
    NewGameForTest(0, 11);
    PrepareHumansFirstLeagueDay();
    MatchEngine_Start();
    MatchEngine_Stop();
    MatchPresentationOps.PlayMatchSfx = CountWhistles;
    s_whistles = 0;
    VTW_PutHumanFixtureLast();
    const int humanRow = VTW_FindHumanNextFixture();
    PlayTheWholeDay();
    EXPECT_EQ(s_whistles, 0);
    EXPECT_NE(VTW_GetFixtureHomeGoals(humanRow), 15);  // played: 15 marks an unplayed side
}

namespace {

// The first row that `wanted` accepts, -1 none.
template <typename Wanted>
int FindRow(Wanted wanted)
{
    for (int row = 0; row < Fixture_RowCount(); ++row) {
        if (wanted(row)) return row;
    }
    return -1;
}

bool IsSingleLegCupTie(int row)
{
    const int comp = VTW_GetFixtureCompetition(row);
    const int cup = VTW_GetCompCup(comp);
    return cup >= 0 && cup < CUP_NATIONAL_MAX && !Fixture_IsSecondLeg(comp)
           && Fixture_RoundLegs(cup, VTW_GetCompRound(comp)) == 1;
}

int FirstLeagueRowOf(int club, int after)
{
    return FindRow([club, after](int row) {
        return row > after && VTW_GetFixtureCompetition(row) == COMP_LEAGUE
               && (VTW_GetFixtureHomeClub(row) == club || VTW_GetFixtureAwayClub(row) == club);
    });
}

// The set-up of `row` played with a fixed score and processed, as a match day does.
void PlayFixed(int row, int home, int away)
{
    Calendar_SetDay(VTW_GetFixtureDay(row));
    SetupFixture(row);
    SimMatch_FixedResult(*GetMatchSidesBlock(), home, away, GetMatchDataBlock());
}

int StarterOf(int side, int k) { return GetMatchSidesBlock()->sides[side].entries[k].playerId; }

PlayerRecord& Record(int player) { return *Player_RefForSet(player, "Test").full; }

}  // namespace

TEST_F(MatchDayTest, ADrawnSingleLegCupTieGoesToExtraTimeAndPenaltiesThatEveryRecordAgreesOn)
{
    NewGameForTest(0, 13);
    const int row = FindRow(IsSingleLegCupTie);
    ASSERT_GE(row, 0);
    Calendar_SetDay(VTW_GetFixtureDay(row));
    for (uint32_t seed = 1; seed < 400 && !Fixture_GetPenalties(row); ++seed) {
        ShootOutList_Reset();
        SRand(seed);
        Season_PlayMatchDay(row);
    }
    ASSERT_TRUE(Fixture_GetPenalties(row));
    const MatchDataBlock& d = *GetMatchDataBlock();
    EXPECT_EQ(VTW_GetFixtureHomeGoals(row), VTW_GetFixtureAwayGoals(row));
    EXPECT_EQ(Fixture_GetExtraTime(row), 1);
    const int homeKicks = Fixture_GetShootOutGoals(row, 0);
    const int awayKicks = Fixture_GetShootOutGoals(row, 1);
    EXPECT_EQ(homeKicks, +d.sides[0].shootOutGoals);
    EXPECT_EQ(awayKicks, +d.sides[1].shootOutGoals);
    const bool awayWon = awayKicks > homeKicks;
    EXPECT_EQ(Fixture_GetShootOutAwayWon(row) != 0, awayWon);
    EXPECT_EQ(ShootOutSlot_Row(ShootOutList[0]), row);
    EXPECT_EQ(ShootOutSlot_AwayWon(ShootOutList[0]), awayWon);
    EXPECT_EQ(+ShootOutList[0].score, homeKicks | awayKicks << 8);
    EXPECT_EQ(Cup_TieWinner(row, -1),
              awayWon ? VTW_GetFixtureAwayClub(row) : VTW_GetFixtureHomeClub(row));
}

TEST_F(MatchDayTest, ASecondLegCarriesTheFirstLegGoalsAndLevelsTiesAsTheCupsDo)
{
    NewGameForTest(0, 13);
    const int second = FindRow([](int row) {
        return VTW_GetCompCup(VTW_GetFixtureCompetition(row)) >= 0
               && Fixture_IsSecondLeg(VTW_GetFixtureCompetition(row));
    });
    ASSERT_GE(second, 0);
    const int comp = VTW_GetFixtureCompetition(second);
    const int first = FindRow([second, comp](int row) {
        return VTW_GetFixtureCompetition(row) == comp - COMP_SECOND_LEG
               && VTW_GetFixtureHomeClub(row) == VTW_GetFixtureAwayClub(second);
    });
    ASSERT_GE(first, 0);
    Fixture_SetGoals(first, 3, 1);
    SetupFixture(second);
    const MatchDayBlock& b = *GetMatchSidesBlock();
    EXPECT_EQ(+b.secondLeg, 1);
    EXPECT_EQ(+b.extraTime, 1);
    EXPECT_EQ(+b.shootOut, 1);
    EXPECT_EQ(+b.sides[0].firstLegGoals, 1);  // this leg's home side played the first away
    EXPECT_EQ(+b.sides[1].firstLegGoals, 3);
    // 2-0 levels the aggregate, but the goal scored away wins the tie outright.
    EXPECT_FALSE(SimMatch_TieIsLevel(b, 2, 0));
    Fixture_SetGoals(second, 2, 0);
    EXPECT_EQ(Cup_TieWinner(first, second), VTW_GetFixtureHomeClub(second));
    EXPECT_TRUE(SimMatch_TieIsLevel(b, 3, 1));
}

TEST_F(MatchDayTest, BansFollowASendingOffAndEveryFifthBookingAndAreServedOneAMatch)
{
    NewGameForTest(0, 17);
    const int row = FirstLeagueRowOf(VTW_GetFixtureHomeClub(0), -1);
    const int club = VTW_GetFixtureHomeClub(row);
    PlayFixed(row, 1, 0);
    const int sentOff = StarterOf(0, 1);
    const int fifthBooking = StarterOf(0, 2);
    const int fifthPoint = StarterOf(0, 3);  // four points from earlier sendings-off and bookings
    PlayerSeasonBookings[fifthBooking] = 4;
    Record(fifthPoint).disciplinePoints = 4;
    MatchSideStats& home = GetMatchDataBlock()->sides[0];
    PlayerMatchRecord_Set(&home.players[1], PMR_BOOKINGS, 3);
    PlayerMatchRecord_Set(&home.players[2], PMR_BOOKINGS, 1);
    PlayerMatchRecord_Set(&home.players[3], PMR_BOOKINGS, 1);
    PostMatch_Process();
    EXPECT_EQ(Record(sentOff).suspension, 3);
    EXPECT_EQ(Record(fifthBooking).suspension, 1);
    EXPECT_EQ(Record(fifthPoint).suspension, 0);
    EXPECT_EQ(Record(fifthPoint).disciplinePoints, 5);
    EXPECT_FALSE(MatchDay_PlayerEligible(sentOff, club));

    const int next = FirstLeagueRowOf(club, row);
    ASSERT_GT(next, row);
    PlayFixed(next, 0, 0);
    for (int k = 0; k < MATCH_SHIRT_COUNT; ++k) {
        const int side = VTW_GetFixtureHomeClub(next) == club ? 0 : 1;
        EXPECT_NE(StarterOf(side, k), sentOff);  // the computer left him out
    }
    PostMatch_Process();
    EXPECT_EQ(Record(sentOff).suspension, 2);
    EXPECT_EQ(Record(fifthBooking).suspension, 0);
}

// Each player's row shows the cards he was shown, recounted from the match's card list: a
// booking, a straight red, or both for a man booked and then sent off. Simulated league
// fixtures, until each kind has been seen.
TEST_F(MatchDayTest, AFixtureRowShowsTheCardsItsPlayerWasShown)
{
    NewGameForTest(0, 5);
    int seen[4] = {};  // by card bits: 1 booked, 2 sent off straight, 3 both
    for (int row = 0; row < Fixture_RowCount() && !(seen[1] && seen[2] && seen[3]); ++row) {
        if (VTW_GetFixtureCompetition(row) != COMP_LEAGUE) continue;
        SetupFixture(row);
        SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock());
        PostMatch_Process();
        for (int side = 0; side < 2; ++side) {
            const MatchSideStats& stats = GetMatchDataBlock()->sides[side];
            for (int k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
                const FixturePlayerRow p = Fixture_GetPlayerRow(row, side, k);
                if (p.player < 0) continue;
                int bits = 0;
                for (const MatchCardEntry& card : stats.cards) {
                    if (card.player == p.player) bits |= card.kind == 1 ? 1 : 2;
                }
                EXPECT_EQ(p.marks >> 4 & 3, bits) << "row " << row << ", player " << p.player;
                ++seen[bits];
            }
        }
    }
    EXPECT_GT(seen[1], 0);
    EXPECT_GT(seen[2], 0);
    EXPECT_GT(seen[3], 0);
}

// A keeper's clean sheets, recounted from the fixtures' rows of seeded simulated matches: the
// competitive matches he started in goal and neither left (taken off, sent off, or off hurt,
// which the simulation always takes off) nor saw his side concede in. His history's season so
// far shows them in the goals column, and the season's turn writes them in his season row and
// starts the count again; an outfield player's column still counts his goals.
TEST_F(MatchDayTest, AKeepersCleanSheetsAreTheMatchesHeStartedAndFinishedInGoalUnbeaten)
{
    NewGameForTest(0, 3);
    std::map<int, int> recount;  // by player
    int keptThemAll = 0, leftTheField = 0;
    int scorer = -1;  // an outfield player who scored
    for (int row = 0; row < Fixture_RowCount() && row < 600; ++row) {
        if (VTW_GetFixtureCompetition(row) == COMP_INTERNATIONAL) continue;
        SetupFixture(row);
        SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock());
        PostMatch_Process();
        const bool competitive = VTW_GetFixtureCompetition(row) != COMP_FRIENDLY;
        for (int side = 0; side < 2; ++side) {
            const int conceded =
                side == 0 ? VTW_GetFixtureAwayGoals(row) : VTW_GetFixtureHomeGoals(row);
            for (int k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
                const FixturePlayerRow p = Fixture_GetPlayerRow(row, side, k);
                if (scorer < 0 && competitive && (p.role & 0x0F) >= 10 && (p.marks & 15) > 0)
                    scorer = p.player;
                const bool startedInGoal = (p.role & 0x1F) == 0x10;
                if (p.player < 0 || !startedInGoal || conceded != 0 || !competitive) continue;
                // The continental clubs' men are light players: they keep no season's figures.
                if (p.player >= FullPlayerCount) continue;
                const bool left = (p.role & 0x40) != 0 || (p.marks & 0x60) != 0;
                leftTheField += left;
                keptThemAll += !left;
                if (!left) ++recount[p.player];
            }
        }
    }
    ASSERT_GT(keptThemAll, 20);
    EXPECT_GT(leftTheField, 0);
    int best = -1;
    for (int id = 0; id < PLAYER_FULL_MAX; ++id) {
        const auto it = recount.find(id);
        EXPECT_EQ(PlayerSeasonCleanSheets[id], it == recount.end() ? 0 : it->second) << id;
        if (it != recount.end() && (best < 0 || it->second > recount[best])) best = id;
    }
    ASSERT_EQ(VTW_GetPlayerPosition(best), 0);
    CareerLogRow row{};
    ASSERT_TRUE(CareerLog_SeasonSoFar(best, &row));
    EXPECT_EQ(row.goals, recount[best]);
    ASSERT_GE(scorer, 0);
    ASSERT_NE(VTW_GetPlayerPosition(scorer), 0);
    ASSERT_TRUE(CareerLog_SeasonSoFar(scorer, &row));
    EXPECT_EQ(row.goals, VTW_GetPlayerGoals(scorer));
    // A friendly counts in no figure: a goalless one leaves both keepers' counts as they were.
    const int home = VTW_GetFixtureHomeClub(0), away = VTW_GetFixtureAwayClub(0);
    int friendly = -1;
    for (int day = 1; friendly < 0 && day < FIXTURE_DAY_LIMIT; ++day)
        friendly = VTW_InsertFixture(day, COMP_FRIENDLY, home, away);
    ASSERT_GE(friendly, 0);
    SetupFixture(friendly);
    SimMatch_FixedResult(*GetMatchSidesBlock(), 0, 0, GetMatchDataBlock());
    PostMatch_Process();
    for (int side = 0; side < 2; ++side) {
        const int keeper = Fixture_GetPlayerRow(friendly, side, 0).player;
        ASSERT_GE(keeper, 0);
        EXPECT_EQ(PlayerSeasonCleanSheets[keeper], recount[keeper]) << keeper;
    }
    // A retired man's record is free for another: his count goes with it.
    const auto other = std::find_if(recount.begin(), recount.end(), [best](const auto& kept) {
        return kept.first != best && kept.second > 0;
    });
    ASSERT_NE(other, recount.end());
    PlayerLife_Retire(other->first);
    EXPECT_EQ(PlayerSeasonCleanSheets[other->first], 0);

    PlayerLife_NewSeason();
    CareerLogRow rows[CAREERLOG_COPY_MAX];
    const int count = VTW_CopyPlayerLogRows(best, rows, CAREERLOG_COPY_MAX);
    const auto season = std::find_if(
        rows, rows + count, [](const CareerLogRow& r) { return r.kind == CAREERLOG_SEASON; });
    ASSERT_NE(season, rows + count);
    EXPECT_EQ(season->goals, recount[best]);
    EXPECT_EQ(PlayerSeasonCleanSheets[best], 0);
}

// A row's marks carry one injured bit whatever the hurt state; bit 7 is the player of the
// match's alone, and a badly hurt player never takes it.
TEST_F(MatchDayTest, AHurtPlayersRowIsMarkedInjuredAndNeverPlayerOfTheMatch)
{
    NewGameForTest(0, 17);
    const int row = FirstLeagueRowOf(VTW_GetFixtureHomeClub(0), -1);
    PlayFixed(row, 1, 0);
    MatchSideStats& home = GetMatchDataBlock()->sides[0];
    PlayerMatchRecord_Set(&home.players[1], PMR_HURT, 2);
    PlayerMatchRecord_Set(&home.players[2], PMR_HURT, 1);
    home.manOfTheMatch = static_cast<int16_t>(StarterOf(0, 3));
    PostMatch_Process();
    struct Case {
        int k;
        int injuredBit;
        int starBit;
    };
    for (const Case c : {Case{1, 1, 0}, Case{2, 1, 0}, Case{3, 0, 1}, Case{4, 0, 0}}) {
        const FixturePlayerRow p = Fixture_GetPlayerRow(row, 0, c.k);
        EXPECT_EQ(p.marks >> 6 & 1, c.injuredBit) << c.k;
        EXPECT_EQ(p.marks >> 7 & 1, c.starBit) << c.k;
    }
    EXPECT_NE(Record(StarterOf(0, 1)).flags & PLAYER_INJURED, 0);
}

// The substitution rows mark whoever went off, a substitute taken off in his turn too; the one
// who came on last and a player sent off are not marked taken off.
TEST_F(MatchDayTest, EveryPlayerTakenOffIsMarkedSoWhetherHeStartedOrCameOn)
{
    NewGameForTest(0, 17);
    const int row = FirstLeagueRowOf(VTW_GetFixtureHomeClub(0), -1);
    PlayFixed(row, 1, 0);
    MatchDataBlock& d = *GetMatchDataBlock();
    MatchSideStats& home = d.sides[0];
    constexpr int kStarterOff = 2, kSubOnThenOff = MATCH_STARTERS, kLastOn = MATCH_STARTERS + 1;
    constexpr int kSentOff = 5;
    for (const int k : {kSubOnThenOff, kLastOn})
        PlayerMatchRecord_Set(&home.players[k], PMR_RATING, 60);
    PlayerMatchRecord_Set(&home.players[kSentOff], PMR_BOOKINGS, 3);
    d.eventCount = 0;
    d.events[d.eventCount++] = {1,
                                0,
                                30,
                                0,
                                static_cast<int16_t>(StarterOf(0, kStarterOff)),
                                static_cast<int16_t>(StarterOf(0, kSubOnThenOff))};
    d.events[d.eventCount++] = {1,
                                1,
                                70,
                                0,
                                static_cast<int16_t>(StarterOf(0, kSubOnThenOff)),
                                static_cast<int16_t>(StarterOf(0, kLastOn))};
    d.events[d.eventCount++] = {1, 1, 80, 0, static_cast<int16_t>(StarterOf(0, kSentOff)), -1};
    PostMatch_Process();
    struct Case {
        int k;
        int takenOffBit;
    };
    for (const Case c : {Case{kStarterOff, 1}, Case{kSubOnThenOff, 1}, Case{kLastOn, 0},
                         Case{kSentOff, 0}, Case{3, 0}}) {
        const FixturePlayerRow p = Fixture_GetPlayerRow(row, 0, c.k);
        EXPECT_EQ(p.player, StarterOf(0, c.k)) << c.k;
        EXPECT_EQ(p.role >> 6 & 1, c.takenOffBit) << c.k;
    }
}

TEST_F(MatchDayTest, GateMoneyGoesToTheHomeClubAndACupGateIsShared)
{
    NewGameForTest(0, 19);
    const auto gate = [](int club) { return VTW_GetClubRecordPtr(club)->figures[CLUB_FIG_GATE]; };
    for (const bool cup : {false, true}) {
        const int row = cup ? FindRow(IsSingleLegCupTie) : FirstLeagueRowOf(0, -1);
        const int home = VTW_GetFixtureHomeClub(row);
        const int away = VTW_GetFixtureAwayClub(row);
        if (VTW_GetClubRecordPtr(away) == nullptr) continue;
        VTW_GetClubRecordPtr(home)->ticketPrice = 12;
        const int homeBefore = gate(home);
        const int awayBefore = gate(away);
        Calendar_SetDay(VTW_GetFixtureDay(row));
        Season_PlayMatchDay(row);
        const int takings = static_cast<int>(GetMatchSidesBlock()->attendance) * 12;
        ASSERT_GT(takings, 0);
        EXPECT_EQ(gate(home) - homeBefore + gate(away) - awayBefore, takings) << cup;
        EXPECT_EQ(gate(away) - awayBefore, cup ? takings / 2 : 0) << cup;
    }
}

// The office, the history rows and the attendance statistics compare league crowds: a cup tie
// at home is no part of the average.
TEST_F(MatchDayTest, TheAverageCrowdIsOfHomeLeagueMatchesOnly)
{
    NewGameForTest(0, 19);
    const int cupRow = FindRow(IsSingleLegCupTie);
    ASSERT_GE(cupRow, 0);
    const int club = VTW_GetFixtureHomeClub(cupRow);
    ASSERT_NE(VTW_GetClubRecordPtr(club), nullptr);
    Calendar_SetDay(VTW_GetFixtureDay(cupRow));
    Season_PlayMatchDay(cupRow);
    ASSERT_GT(+GetMatchSidesBlock()->attendance, 0u);
    EXPECT_EQ(Club_GetAvgAttendance(club), 0);
    int32_t sum = 0;
    int after = -1;
    for (int n = 1; n <= 2; ++n) {
        after = FindRow([club, after](int row) {
            return row > after && VTW_GetFixtureCompetition(row) == COMP_LEAGUE
                   && VTW_GetFixtureHomeClub(row) == club;
        });
        ASSERT_GE(after, 0);
        Calendar_SetDay(VTW_GetFixtureDay(after));
        Season_PlayMatchDay(after);
        sum += static_cast<int32_t>(GetMatchSidesBlock()->attendance);
        EXPECT_EQ(Club_GetAvgAttendance(club), sum / n) << n;
    }
}

TEST_F(MatchDayTest, TheCrowdNeverOutgrowsTheStands)
{
    NewGameForTest(0, 19);
    const int row = FirstLeagueRowOf(0, -1);
    ClubRecord& home = *VTW_GetClubRecordPtr(VTW_GetFixtureHomeClub(row));
    home.stands[0] = 1;
    home.stands[1] = home.stands[2] = home.stands[3] = 0;
    SetupFixture(row);
    EXPECT_EQ(+GetMatchSidesBlock()->attendance, 1000u);
    EXPECT_EQ(+GetMatchSidesBlock()->crowdFill, 3);
}

TEST_F(MatchDayTest, TooFewFitPlayersOrTooManyNonEuropeansAreReportedAndTheSideStillFieldsEleven)
{
    NewGameForTest(0, 23);
    const int row = FirstLeagueRowOf(0, -1);
    const int club = VTW_GetFixtureHomeClub(row);
    Calendar_SetDay(VTW_GetFixtureDay(row));
    SetupFixture(row);
    int european = 0;
    int nonEuropean = 0;
    while (!World.nationalities[european].european) {
        ++european;
    }
    while (World.nationalities[nonEuropean].european) {
        ++nonEuropean;
    }
    for (int k = 0; k < MATCH_STARTERS; ++k) {
        DbPersons[StarterOf(0, k)].nationality = static_cast<uint8_t>(european);
    }
    for (int k = 0; k < 3; ++k) {
        DbPersons[StarterOf(0, k + 1)].nationality = static_cast<uint8_t>(nonEuropean);
    }
    EXPECT_EQ(VTW_ClearIneligibleShirts(club), 0);
    DbPersons[StarterOf(0, 4)].nationality = static_cast<uint8_t>(nonEuropean);
    EXPECT_EQ(VTW_ClearIneligibleShirts(club), 2);

    const int16_t* members = nullptr;
    const int count = Records_ClubMembers(club, &members);
    for (int k = 8; k < count; ++k) {
        Record(members[k]).flags |= PLAYER_INJURED;
    }
    EXPECT_EQ(VTW_ClearIneligibleShirts(club), 1);
    SetupFixture(row);
    for (int k = 0; k < MATCH_STARTERS; ++k) {
        EXPECT_NE(StarterOf(0, k), 0xFFFF) << k;
    }
}

TEST_F(MatchDayTest, TheMemberIndexListsEachClubsPlayersAsTheSquadRuleDoes)
{
    NewGameForTest(2, 29);
    const int16_t* members = nullptr;
    Records_ClubMembers(6, &members);
    VTW_SetPlayerClub(members[0], 5);  // the index is built: the arrival must reach it
    for (int club = 0; club < CLUB_ID_COUNT; ++club) {
        std::vector<int> scanned;
        for (int id = 0; id < DbPersonCount; ++id) {
            if (Squad_IsMember(id, club)) scanned.push_back(id);
        }
        const int count = Records_ClubMembers(club, &members);
        EXPECT_EQ(std::vector<int>(members, members + count), scanned) << club;
    }
}

TEST_F(MatchDayTest, APlayerCupTiedForAnotherClubMayNotPlayInThatCup)
{
    NewGameForTest(0, 31);
    const int second = FindRow([](int row) {
        const int comp = VTW_GetFixtureCompetition(row);
        return VTW_GetCompCup(comp) >= 0 && Fixture_IsSecondLeg(comp)
               && VTW_GetClubRecordPtr(VTW_GetFixtureAwayClub(row)) != nullptr;
    });
    ASSERT_GE(second, 0);
    const int club = VTW_GetFixtureAwayClub(second);
    const int first = FindRow([second](int row) {
        return VTW_GetFixtureCompetition(row) == VTW_GetFixtureCompetition(second) - COMP_SECOND_LEG
               && VTW_GetFixtureHomeClub(row) == VTW_GetFixtureAwayClub(second);
    });
    ASSERT_GE(first, 0);
    const int cup = VTW_GetCompCup(VTW_GetFixtureCompetition(second));
    PlayFixed(first, 1, 1);
    PostMatch_Process();
    const int played = StarterOf(0, 5);
    EXPECT_TRUE(Record(played).cupTied >> cup & 1);
    int outsider = -1;
    for (int id = PERSON_FIRST_ORDINARY; id < FullPlayerCount && outsider < 0; ++id) {
        const int other = VTW_GetPlayerClub(id);
        if (other != club && other >= 0 && other < CLUB_FULL_MAX
            && MatchDay_PlayerEligible(id, other) && VTW_GetPlayerPosition(id) != POSITION_MANAGER)
            outsider = id;
    }
    ASSERT_GE(outsider, 0);
    Record(outsider).cupTied = static_cast<uint8_t>(1 << cup);  // played the cup elsewhere
    VTW_SetPlayerClub(outsider, club);
    Calendar_SetDay(VTW_GetFixtureDay(second));
    EXPECT_TRUE(MatchDay_PlayerEligible(played, club));
    EXPECT_FALSE(MatchDay_PlayerEligible(outsider, club));
}

TEST_F(MatchDayTest, ClubRecordsFollowTheResults)
{
    NewGameForTest(0, 37);
    const int row = FirstLeagueRowOf(0, -1);
    const int home = VTW_GetFixtureHomeClub(row);
    const int away = VTW_GetFixtureAwayClub(row);
    PlayFixed(row, 5, 1);
    const int hatTrick = StarterOf(0, 9);
    PlayerMatchRecord_Set(&GetMatchDataBlock()->sides[0].players[9], PMR_GOALS, 3);
    PlayerMatchRecord_Set(&GetMatchDataBlock()->sides[1].players[4], PMR_BOOKINGS, 3);
    PostMatch_Process();
    const ClubRecordEntry* won = VTW_GetClubRecordPtr(home)->records;
    const ClubRecordEntry* lost = VTW_GetClubRecordPtr(away)->records;
    EXPECT_EQ(+won[CLUB_REC_WIN].value, 5);
    EXPECT_EQ(+won[CLUB_REC_WIN].value2, 1);
    EXPECT_EQ(+won[CLUB_REC_WIN].opponent, away);
    EXPECT_EQ(+lost[CLUB_REC_DEFEAT].value, 1);
    EXPECT_EQ(+lost[CLUB_REC_DEFEAT].value2, 5);
    EXPECT_EQ(+lost[CLUB_REC_WIN].value, 0);
    EXPECT_EQ(+won[CLUB_REC_MATCH_GOALS].value, 3);
    EXPECT_EQ(+won[CLUB_REC_MATCH_GOALS].player, hatTrick);
    EXPECT_EQ(+won[CLUB_REC_POINTS_TOTAL].value, 3);
    EXPECT_EQ(+won[CLUB_REC_GOALS_TOTAL].value, 5);
    EXPECT_EQ(+lost[CLUB_REC_DISPOINTS].value, 3);
    EXPECT_EQ(+won[CLUB_REC_WIN].month, VTW_GetMonth());

    Season_ClearTablesAndScan(-1);  // the table counts the first match, as the next day does
    PlayFixed(FirstLeagueRowOf(home, row), 1, 0);  // a narrower result is no record
    const bool homeAgain = VTW_GetFixtureHomeClub(FirstLeagueRowOf(home, row)) == home;
    PostMatch_Process();
    EXPECT_EQ(+won[CLUB_REC_WIN].value, 5);
    EXPECT_EQ(+won[CLUB_REC_POINTS_TOTAL].value, homeAgain ? 6 : 3);
    EXPECT_EQ(+won[CLUB_REC_GOALS_TOTAL].value, homeAgain ? 6 : 5);
}

// A friendly tires the players and moves their form, but its appearances and goals count in no
// season or career figure; the same result in the league counts in all of them.
TEST_F(MatchDayTest, AFriendlysAppearancesAndGoalsCountInNoFigure)
{
    NewGameForTest(0, 37);
    const int league = FirstLeagueRowOf(0, -1);
    const int home = VTW_GetFixtureHomeClub(league);
    const int away = VTW_GetFixtureAwayClub(league);
    const int friendly =
        VTW_InsertFixture(VTW_GetFixtureDay(league) - 1, COMP_FRIENDLY, home, away);
    ASSERT_GE(friendly, 0);
    ASSERT_EQ(VTW_GetFixtureCompetition(friendly), COMP_FRIENDLY);
    for (const bool counts : {false, true}) {
        // The friendly's row may have moved the league's.
        const int row = counts ? FirstLeagueRowOf(0, -1) : friendly;
        PlayFixed(row, 2, 0);
        const int scorer = StarterOf(0, 9);
        PlayerMatchRecord_Set(&GetMatchDataBlock()->sides[0].players[9], PMR_GOALS, 2);
        const PlayerRecord before = Record(scorer);
        PostMatch_Process();
        const PlayerRecord& after = Record(scorer);
        EXPECT_EQ(after.seasonApps, before.seasonApps + (counts ? 1 : 0)) << row;
        EXPECT_EQ(after.careerApps, before.careerApps + (counts ? 1 : 0)) << row;
        EXPECT_EQ(after.seasonGoals, before.seasonGoals + (counts ? 2 : 0)) << row;
        EXPECT_EQ(after.careerGoals, before.careerGoals + (counts ? 2 : 0)) << row;
        EXPECT_EQ(after.ratedCount, before.ratedCount + (counts ? 1 : 0)) << row;
        EXPECT_GT(after.fatigue, before.fatigue) << row;
    }
}

// What a match's cards and result may move: the discipline and bans of a man sent off and of a
// man booked for the fifth time, and the figures of the winners' club.
struct DisciplineAndRecords {
    uint8_t points[2], bans[2], seasonBookings;
    int16_t clubPoints;
    uint8_t lastResults[6];
    std::vector<uint8_t> records, goalLog, cardLog;
    bool operator==(const DisciplineAndRecords&) const = default;
};

DisciplineAndRecords ReadDiscipline(int club, int sentOff, int booked)
{
    const ClubRecord& c = *VTW_GetClubRecordPtr(club);
    const auto bytes = [](const auto& field) {
        const auto* at = reinterpret_cast<const uint8_t*>(&field);
        return std::vector<uint8_t>(at, at + sizeof field);
    };
    DisciplineAndRecords d{{Record(sentOff).disciplinePoints, Record(booked).disciplinePoints},
                           {Record(sentOff).suspension, Record(booked).suspension},
                           PlayerSeasonBookings[booked],
                           c.seasonDispoints,
                           {},
                           bytes(c.records),
                           bytes(c.goals),
                           bytes(c.cards)};
    std::copy(std::begin(c.lastResults), std::end(c.lastResults), d.lastResults);
    return d;
}

// A friendly's cards and result leave every figure and ban as they found them: a man sent off is
// not banned from the next competitive matches, a fifth booking bans nobody, the club's
// discipline, its goal and card logs, its form and its records (a record win, crowd and a
// player's goals in a match) stay; the same match in the league moves all of them.
TEST_F(MatchDayTest, AFriendlysCardsAndResultLeaveEveryFigureAndBanAsTheyFoundThem)
{
    NewGameForTest(0, 37);
    const int league = FirstLeagueRowOf(0, -1);
    const int home = VTW_GetFixtureHomeClub(league);
    const int friendly = VTW_InsertFixture(VTW_GetFixtureDay(league) - 1, COMP_FRIENDLY, home,
                                           VTW_GetFixtureAwayClub(league));
    ASSERT_GE(friendly, 0);
    for (const bool counts : {false, true}) {
        const int row = counts ? FirstLeagueRowOf(0, -1) : friendly;
        ASSERT_EQ(VTW_GetFixtureHomeClub(row), home);
        PlayFixed(row, 9, 0);
        GetMatchSidesBlock()->attendance = 250000;
        MatchSideStats& own = GetMatchDataBlock()->sides[0];
        const int sentOff = StarterOf(0, 4), booked = StarterOf(0, 5), scorer = StarterOf(0, 9);
        PlayerMatchRecord_Set(&own.players[4], PMR_BOOKINGS, 3);
        PlayerMatchRecord_Set(&own.players[5], PMR_BOOKINGS, 1);
        PlayerMatchRecord_Set(&own.players[9], PMR_GOALS, 9);
        own.cards[0] = {static_cast<int16_t>(sentOff), 30, 2};
        own.cards[1] = {static_cast<int16_t>(booked), 40, 1};
        for (int g = 0; g < 9; ++g) {
            own.goals[g] = {static_cast<int16_t>(scorer), -1, static_cast<uint8_t>(10 + g), 0};
            own.scorers[g] = {static_cast<int16_t>(scorer), static_cast<uint8_t>(10 + g),
                              GOAL_CLASS_CLOSE};
        }
        PlayerSeasonBookings[booked] = 4;
        Record(sentOff).suspension = Record(booked).suspension = 0;
        const DisciplineAndRecords before = ReadDiscipline(home, sentOff, booked);
        PostMatch_Process();
        const DisciplineAndRecords after = ReadDiscipline(home, sentOff, booked);
        if (!counts) {
            EXPECT_TRUE(after == before);
            EXPECT_EQ(after.bans[0], 0);
            EXPECT_EQ(after.bans[1], 0);
            EXPECT_EQ(after.seasonBookings, 4);
            continue;
        }
        EXPECT_EQ(after.points[0], before.points[0] + 3);
        EXPECT_EQ(after.points[1], before.points[1] + 1);
        EXPECT_EQ(after.bans[0], 3);
        EXPECT_EQ(after.bans[1], 1);
        EXPECT_EQ(after.seasonBookings, 5);
        EXPECT_EQ(after.clubPoints, before.clubPoints + 4);
        EXPECT_NE(after.lastResults[0], before.lastResults[0]);
        EXPECT_NE(after.records, before.records);
        EXPECT_NE(after.goalLog, before.goalLog);
        EXPECT_NE(after.cardLog, before.cardLog);
        const ClubRecord& club = *VTW_GetClubRecordPtr(home);
        EXPECT_EQ(club.records[CLUB_REC_WIN].value, 9);
        EXPECT_EQ(club.records[CLUB_REC_CROWD].value, 250000);
        EXPECT_EQ(club.records[CLUB_REC_MATCH_GOALS].value, 9);
    }
}

// The miscellaneous statistics divide these by the league matches at each venue: a cup tie adds
// nothing, and each club counts its own figures and its opponent's under its own venue.
TEST_F(MatchDayTest, SeasonCountersSumTheLeagueMatchesFiguresForAndAgainstByVenue)
{
    NewGameForTest(0, 37);
    const int row = FirstLeagueRowOf(0, -1);
    const int home = VTW_GetFixtureHomeClub(row);
    const int away = VTW_GetFixtureAwayClub(row);
    const auto play = [](int fixture, int base) {
        PlayFixed(fixture, 2, 1);
        MatchDataBlock& d = *GetMatchDataBlock();
        for (int n = 0; n < 2; ++n) {
            MatchSideStats& s = d.sides[n];
            s.shotsOnTarget = static_cast<int16_t>(base + n);
            s.shotsOffTarget = static_cast<int16_t>(base + 2 + n);
            s.corners = static_cast<int16_t>(base + 4 + n);
            for (MatchCardEntry& c : s.cards)
                c.player = -1;
            for (int k = 0; k <= n; ++k)
                s.cards[k] = {static_cast<int16_t>(StarterOf(n, 2 + k)), 30, 1};
            s.cards[n + 1] = {static_cast<int16_t>(StarterOf(n, 5)), 80, 2};
        }
        PostMatch_Process();
    };
    play(row, 10);
    // The same clubs meet in a cup tie the next day.
    const int cupRow = VTW_InsertFixture(VTW_GetFixtureDay(row) + 1, COMP_CUP_BASE, home, away);
    ASSERT_GE(cupRow, 0);
    play(cupRow, 40);
    // Home side: shots 10/12, corners 14, 1 booking and 1 sending-off; away: 11/13, 15, 2 and 1.
    const int16_t homeFigures[5] = {10, 12, 14, 1, 1};
    const int16_t awayFigures[5] = {11, 13, 15, 2, 1};
    const int16_t none[5] = {};
    struct Case {
        int club, group, venue;
        const int16_t* figures;
    };
    const Case cases[] = {
        {home, SEASON_FOR, 0, homeFigures}, {home, SEASON_AGAINST, 0, awayFigures},
        {away, SEASON_FOR, 1, awayFigures}, {away, SEASON_AGAINST, 1, homeFigures},
        {home, SEASON_FOR, 1, none},        {away, SEASON_AGAINST, 0, none},
    };
    for (const Case& c : cases) {
        const int16_t* counters = VTW_GetClubRecordPtr(c.club)->seasonCounters[c.group][c.venue];
        for (int k = 0; k < SEASON_COUNTERS; ++k)
            EXPECT_EQ(counters[k], c.figures[k]) << c.club << " " << c.group << c.venue << " " << k;
    }
}

// Each goal reaches both clubs' logs classed by its scorer entry, with where and the away bit of
// the logging club's venue.
TEST_F(MatchDayTest, GoalLogsKeepHowWhereAndVenueOfEveryGoalForBothClubs)
{
    NewGameForTest(0, 37);
    const int row = FirstLeagueRowOf(0, -1);
    const int home = VTW_GetFixtureHomeClub(row);
    const int away = VTW_GetFixtureAwayClub(row);
    PlayFixed(row, 2, 2);
    struct Goal {
        int side, scorerSide, shirt, minute, listKind, packed;
    };
    const Goal goals[] = {
        {0, 1, 3, 12, 2, GOAL_CLASS_OWN_GOAL},
        {0, 0, 9, 47, 1, GOAL_CLASS_PENALTY},
        {1, 1, 8, 30, 0, GOAL_CLASS_HEADER | 3 << 4},  // a detail that is not outside
        {1, 1, 10, 91, 0, GOAL_CLASS_LONG_SHOT | GOAL_DETAIL_OUTSIDE << 4 | 1 << 7},
    };
    MatchDataBlock& d = *GetMatchDataBlock();
    int used[2] = {0, 0};
    for (const Goal& g : goals) {
        MatchSideStats& s = d.sides[g.side];
        const int16_t scorer = static_cast<int16_t>(StarterOf(g.scorerSide, g.shirt));
        s.goals[used[g.side]] = {scorer, -1, static_cast<uint8_t>(g.minute),
                                 static_cast<uint8_t>(g.listKind)};
        s.scorers[used[g.side]++] = {scorer, static_cast<uint8_t>(g.minute),
                                     static_cast<uint8_t>(g.packed)};
    }
    for (int n = 0; n < 2; ++n) {
        for (int k = used[n]; k < 20; ++k)
            d.sides[n].goals[k] = {-1, -1, 0, 0};
    }
    PostMatch_Process();
    struct Logged {
        int club, which, entry, goal, kind, where;
    };
    const Logged cases[] = {
        {home, 0, 0, 0, 7, 0}, {home, 0, 1, 1, 5, 0}, {home, 1, 0, 2, 4, 0}, {home, 1, 1, 3, 8, 1},
        {away, 1, 0, 0, 7, 0}, {away, 1, 1, 1, 5, 0}, {away, 0, 0, 2, 4, 0}, {away, 0, 1, 3, 8, 1},
    };
    for (const Logged& c : cases) {
        const GoalLogEntry& e = VTW_GetClubRecordPtr(c.club)->goals[c.entry][c.which];
        const Goal& g = goals[c.goal];
        EXPECT_EQ(e.player, StarterOf(g.scorerSide, g.shirt)) << c.club << " " << c.goal;
        EXPECT_EQ(e.minute, g.minute) << c.goal;
        EXPECT_EQ(GoalLog_Kind(e), c.kind) << c.goal;
        EXPECT_EQ(GoalLog_Where(e), c.where) << c.goal;
        EXPECT_EQ(GoalLog_Away(e), c.club == away) << c.goal;
        EXPECT_EQ(e.competition, COMP_LEAGUE);
    }
    for (const int club : {home, away}) {
        for (int which = 0; which < 2; ++which)
            EXPECT_EQ(VTW_GetClubRecordPtr(club)->goals[2][which].player, -1) << club << which;
    }
}

TEST_F(MatchDayTest, AllStatsAtOnceAreTheStatsOneByOne)
{
    NewGameForTest(3, 43);
    for (int player = PERSON_FIRST_ORDINARY; player < DbPersonCount; player += 97) {
        int32_t stats[22];
        Player_GetStats(player, stats);
        for (int stat = 0; stat < 22; ++stat) {
            ASSERT_EQ(stats[stat], Player_GetStat(player, stat)) << player << " " << stat;
        }
    }
}

TEST(MatchDayDeathTest, ABuiltInTacticOutsideTheFortyIsFatal)
{
    EXPECT_FATAL(MatchBlocks_BuiltInTactic(40),
                 "MatchBlocks_BuiltInTactic(): bad tactic number 40");
    EXPECT_FATAL(MatchBlocks_BuiltInTactic(-1),
                 "MatchBlocks_BuiltInTactic(): bad tactic number -1");
}

// The first home league crowd is the lowest; only a lower home league crowd replaces it.
TEST_F(MatchDayTest, TheLowestCrowdIsTheSmallestHomeLeagueAttendance)
{
    NewGameForTest(0, 37);
    const int club = VTW_GetFixtureHomeClub(FirstLeagueRowOf(0, -1));
    const ClubRecordEntry& low = VTW_GetClubRecordPtr(club)->records[CLUB_REC_LOW_CROWD];
    struct Case {
        bool home;
        uint32_t attendance;
        int32_t lowest;  // after the match
    };
    const Case cases[] = {
        {true, 20000, 20000}, {false, 1000, 20000}, {true, 25000, 20000},
        {true, 15000, 15000}, {true, 0, 15000},
    };
    int row = -1;
    for (const Case& c : cases) {
        row = FindRow([&](int r) {
            return r > row && VTW_GetFixtureCompetition(r) == COMP_LEAGUE
                   && (c.home ? VTW_GetFixtureHomeClub(r) : VTW_GetFixtureAwayClub(r)) == club;
        });
        ASSERT_GE(row, 0);
        PlayFixed(row, 1, 1);
        GetMatchSidesBlock()->attendance = c.attendance;
        PostMatch_Process();
        EXPECT_EQ(low.value, c.lowest) << c.attendance;
        if (c.attendance == static_cast<uint32_t>(c.lowest)) {
            EXPECT_EQ(+low.opponent, VTW_GetFixtureAwayClub(row));
            EXPECT_EQ(+low.day, VTW_GetDayOfMonth());
        }
    }
}

// The record scorer is the club's best scorer of a season, kept at the end of the league season.
TEST_F(MatchDayTest, TheSeasonsTopScorerBecomesTheRecordScorerWhenAboveIt)
{
    NewGameForTest(0, 37);
    const int club = VTW_GetFixtureHomeClub(FirstLeagueRowOf(0, -1));
    const ClubRecordEntry& scorer = VTW_GetClubRecordPtr(club)->records[CLUB_REC_GOALS];
    std::vector<int> squad;
    for (int id = PERSON_FIRST_ORDINARY; id < FullPlayerCount && squad.size() < 3; ++id) {
        if (Squad_IsMember(id, club)) squad.push_back(id);
    }
    ASSERT_EQ(squad.size(), 3U);
    struct Case {
        int goals[3];
        int record, player, season;  // the record after the season's end
    };
    const Case cases[] = {
        {{4, 17, 9}, 17, 1, 1},
        {{12, 3, 16}, 17, 1, 1},  // below the record
        {{18, 2, 18}, 18, 0, 3},  // a tie goes to the first in id order
    };
    const int first = GameState.seasonCounter;
    for (const Case& c : cases) {
        for (int k = 0; k < 3; ++k) {
            Record(squad[k]).seasonGoals = static_cast<uint8_t>(c.goals[k]);
        }
        GameState.seasonCounter = static_cast<uint16_t>(GameState.seasonCounter + 1);
        Season_EndLeagueSeason();
        EXPECT_EQ(scorer.value, c.record) << c.record;
        EXPECT_EQ(+scorer.player, squad[c.player]) << c.record;
        EXPECT_EQ(+scorer.season, first + c.season) << c.record;
    }
}

// A career taken as player-manager puts the human in his club's squad: given a starter's shirt he
// plays the day's match in the engine, recovers with the others and starts the next season afresh;
// hanging up his boots takes him out of the squad, a manager again.
TEST_F(MatchDayTest, ThePlayerManagerPlaysWhenPickedUntilHeHangsUpHisBoots)
{
    NewGameForTest(6, 7);
    PrepareHumansFirstLeagueDay();
    const int club = GameState.humanClub;
    VTW_ClearClubFlag27_3(club, 1);
    VTW_AddNewPlayer(club);
    VTW_UpdateTeam(club);
    const auto inSquad = [club] {
        VTW_RefreshSquadCount(club);
        return std::count(SquadList.players, SquadList.players + SquadList.count, PERSON_HUMAN);
    };
    ASSERT_EQ(inSquad(), 1);
    EXPECT_EQ(VTW_GetPlayerManagerFlag(PERSON_HUMAN), 1);
    EXPECT_EQ(VTW_GetPlayerShirt(PERSON_HUMAN), 0);
    EXPECT_LT(VTW_GetPositionLine(PERSON_HUMAN), LINE_COUNT);
    EXPECT_GT(VTW_GetPlayerAbilityCurve(PERSON_HUMAN), 0);

    Squad_ExchangeShirts(club, PERSON_HUMAN, VTW_GetPlayerByShirt(7));
    VTW_ClearSquadCaptains(club, 1);
    VTW_SetClubCaptain(PERSON_HUMAN);
    EXPECT_EQ(VTW_CountTeamCaptains(club), 1);
    ChosenViewMode = VIEW_NONE;
    AutoRunMode = 0;
    MatchEngine_Start();
    VTW_PutHumanFixtureLast();
    const int row = VTW_FindHumanNextFixture();
    PlayTheWholeDay();
    MatchEngine_Stop();
    int rows = 0;
    for (int k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
        rows += Fixture_GetPlayerRow(row, 0, k).player == PERSON_HUMAN;
    }
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(DbPlayers[PERSON_HUMAN].seasonApps, 1);
    DbPlayers[PERSON_HUMAN].fatigue = 50;
    DailyClubProcessing();
    EXPECT_LT(DbPlayers[PERSON_HUMAN].fatigue, 50);
    PlayerLife_NewSeason();
    EXPECT_EQ(DbPlayers[PERSON_HUMAN].seasonApps, 0);
    EXPECT_EQ(DbPlayers[PERSON_HUMAN].careerApps, 1);
    EXPECT_EQ(DbPlayers[PERSON_HUMAN].club, club);

    VTW_ClearPlayerManagerFlag(PERSON_HUMAN);
    EXPECT_EQ(inSquad(), 0);
    EXPECT_NE(SquadList.captain, PERSON_HUMAN);
    EXPECT_GE(SquadList.captain, PERSON_FIRST_ORDINARY);
    EXPECT_EQ(VTW_GetPlayerManager(PERSON_HUMAN), 1);
    EXPECT_EQ(VTW_GetPlayerShirt(PERSON_HUMAN), 0);
}

// The player-manager signs as a player of his club: a wage of a player of his worth, a contract
// that holds while he manages (forty months of club business leave it whole) and the experience of
// his forty years; hanging up his boots ends both wage and contract.
TEST_F(MatchDayTest, ThePlayerManagerIsPaidAndUnderContractWhileHeManagesAndPlays)
{
    NewGameForTest(6, 7);
    PrepareHumansFirstLeagueDay();
    const int club = GameState.humanClub;
    VTW_ClearClubFlag27_3(club, 1);
    VTW_AddNewPlayer(club);
    ASSERT_EQ(VTW_GetPlayerAge(PERSON_HUMAN), 40);
    EXPECT_EQ(VTW_GetPlayerExperiencePercent(PERSON_HUMAN), 100);
    EXPECT_EQ(VTW_GetPlayerContract(PERSON_HUMAN), 36);
    const int wage = VTW_GetPlayerWage(PERSON_HUMAN);
    int highest = 0;
    VTW_RefreshSquadCount(club);
    for (int k = 0; k < SquadList.count; ++k) {
        highest = std::max(highest, VTW_GetPlayerWage(SquadList.players[k]));
    }
    EXPECT_GT(wage, 0);
    EXPECT_EQ(wage % 25, 0);
    EXPECT_LE(wage, highest);

    GameState.dayOfMonth = 1;
    for (int month = 0; month < 40; ++month) {
        DailyClubProcessing();
    }
    EXPECT_EQ(VTW_GetPlayerContract(PERSON_HUMAN), 36);
    EXPECT_EQ(DbPlayers[PERSON_HUMAN].club, club);
    EXPECT_EQ(VTW_GetPlayerWage(PERSON_HUMAN), wage);

    VTW_ClearPlayerManagerFlag(PERSON_HUMAN);
    EXPECT_EQ(VTW_GetPlayerWage(PERSON_HUMAN), 0);
    EXPECT_EQ(VTW_GetPlayerContract(PERSON_HUMAN), 0);
}

// The player-manager is paid as the club pays its players: his wage, that of a player of his
// squad's middle ability, lies within his squad's wages in every country and division.
TEST_F(MatchDayTest, ThePlayerManagersWageLiesWithinHisSquads)
{
    for (const int country : {0, 2, 3, 6}) {
        NewGameForTest(country, 7);
        for (int division = 0; division < VTW_GetCountryDivisions(); ++division) {
            const int club = VTW_GetDivisionSlot(division, 0);
            VTW_ClearClubFlag27_3(club, 1);
            VTW_AddNewPlayer(club);
            int lowest = INT32_MAX, highest = 0;
            VTW_RefreshSquadCount(club);
            for (int k = 0; k < SquadList.count; ++k) {
                if (SquadList.players[k] == PERSON_HUMAN) continue;
                lowest = std::min(lowest, VTW_GetPlayerWage(SquadList.players[k]));
                highest = std::max(highest, VTW_GetPlayerWage(SquadList.players[k]));
            }
            const int wage = VTW_GetPlayerWage(PERSON_HUMAN);
            std::printf("country %d division %d: wage %d, squad %d-%d\n", country, division, wage,
                        lowest, highest);
            EXPECT_GE(wage, lowest) << "country " << country << " division " << division;
            EXPECT_LE(wage, highest) << "country " << country << " division " << division;
            VTW_ClearPlayerManagerFlag(PERSON_HUMAN);
        }
    }
}
