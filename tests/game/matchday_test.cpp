// tests/game/matchday_test.cpp: the statistical simulation against real football's figures, a
// match day's order and reports, post-match bookkeeping and the computer's team selection.
#include "game/matchday.h"

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "engine/crc32.h"
#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/random.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/simmatch.h"
#include "game/squad.h"
#include "game/world.h"
#include "gamecode/matchrun.h"
#include "gamecode/presentation.h"
#include "menus/tactics.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"
#include "tools/mkdata/pakwriter.h"
#include "tools/mkdata/tactics.h"

namespace {

// The generated world with the built-in tactics mounted, as the game runs a match day.
class MatchDayTest : public testing::Test {
protected:
    void SetUp() override
    {
        MkFileSet set;
        MkGenerateTactics(&set);
        std::string error;
        ASSERT_TRUE(
            MkWritePacked(m_dir.Path("pakfiles/hdcommon"), set.archives[MK_HDCOMMON], &error))
            << error;
        MemoryInit();
        PakFileInit();
        DataFolderInit(m_dir.Path().c_str());
        PakMount("pakfiles\\hdcommon");
        Tactics_Init();
        MatchBlocks_Init();
    }
    void TearDown() override
    {
        MatchBlocks_Uninit();
        Tactics_Uninit();
        PakFileUninit();
    }

    ScopedWorld m_world;
    TempDir m_dir;
};

struct Tally {
    int matches = 0, goals = 0, homeWins = 0, draws = 0, reds = 0;
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
    EXPECT_TRUE(MatchReportFlags & MATCH_REPORT_DONE);
    int previous = -1;
    for (int k = 0; k < MatchReportState.incidentCount; ++k) {
        const MatchReportIncident& incident = MatchReportIncidents[k];
        EXPECT_EQ(MatchReportIncident_Sequence(incident), k);
        EXPECT_LE(MatchReportIncident_Minute(incident), 120);
        const int fixtureRow = incident.fixtureRow;  // packed: copied before binding
        EXPECT_NE(fixtureRow, humanRow);
        EXPECT_GE(fixtureRow, previous);
        previous = fixtureRow;
    }
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
    // Nobody can score yet in the engine: its 0-0 is what the fixture row keeps.
    EXPECT_EQ(VTW_GetFixtureHomeGoals(humanRow), 0);
    EXPECT_EQ(VTW_GetFixtureAwayGoals(humanRow), 0);
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
