// tests/menus/matchstats_test.cpp: the match statistics' shares, fixture and figures; the rest of
// the world's choices, lists, pages and clicks.
#include "menus/matchstats.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/kitcolours.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/simmatch.h"
#include "game/squad.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "game/world.h"
#include "gamecode/matchrun.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/reportscreen.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t HOME_COUNTRY = 6;  // the seeded career's

class RestOfWorldTest : public ::testing::Test {
protected:
    // Only `count` clubs of `country` in use from team `first` on, the others of the world out.
    static void OnlyClubsOf(int32_t country, int32_t first, int32_t count)
    {
        NoClubs();
        for (int32_t k = 0; k < count; ++k)
            Club(first + k, country);
    }
    static void NoClubs()
    {
        for (WorldClub& c : World.clubs)
            c.name[0] = '\0';
    }
    static void Club(int32_t team, int32_t country)
    {
        World.clubs[team].name[0] = 'A';
        WorldClubTable[team].country = static_cast<uint8_t>(country);
    }

    void Run(const std::function<void()>& settled) { m_screen.Run(RestOfWorld_Table(), settled); }

    ScopedScreenRedraw m_screen;
};

// The human's first fixture of the season, -1 none.
int32_t FirstFixtureOf(int32_t club)
{
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        if (VTW_GetFixtureDay(row) == FIXTURE_DAY_EMPTY) break;
        if (VTW_GetFixtureHomeClub(row) == club || VTW_GetFixtureAwayClub(row) == club) return row;
    }
    return -1;
}

}  // namespace

TEST(MatchStatsShares, HandCheckedFiguresAndAllZeroCounters)
{
    struct Zones {
        uint32_t counters[3];
        int32_t shares[3];
    };
    const Zones zones[] = {
        {{0, 0, 0}, {0, 0, 0}},
        {{30, 50, 20}, {30, 50, 20}},
        {{1, 1, 1}, {33, 34, 33}},
        {{0, 90, 0}, {0, 100, 0}},
        {{4000000000u, 0, 294967295u}, {93, 1, 6}},  // a sum past 32 bits
    };
    for (const Zones& z : zones) {
        int32_t shares[3] = {-1, -1, -1};
        MatchStats_ZoneShares(z.counters, shares);
        EXPECT_EQ(std::vector<int32_t>(shares, shares + 3),
                  std::vector<int32_t>(z.shares, z.shares + 3))
            << z.counters[0] << " " << z.counters[1] << " " << z.counters[2];
    }
    struct Pair {
        int32_t home, away, possession, bar;
    };
    const Pair pairs[] = {
        {0, 0, 50, 50},  {3, 1, 75, 75}, {1, 2, 33, 33},
        {7, 0, 100, 99}, {0, 5, 0, 0},   {2, 1, 66, 66},
    };
    for (const Pair& p : pairs) {
        EXPECT_EQ(MatchStats_Possession(p.home, p.away), p.possession) << p.home << ":" << p.away;
        EXPECT_EQ(MatchStats_BarShare(p.home, p.away), p.bar) << p.home << ":" << p.away;
    }
    struct Colour {
        KitColour rgb;
        uint16_t packed;
    };
    const Colour colours[] = {
        {{255, 255, 255}, 0xFFFF}, {{255, 0, 0}, 0xF800}, {{0, 0, 255}, 0x001F},
        {{128, 64, 0}, 0x79E0},    {{0, 0, 0}, 0x0000},
    };
    for (const Colour& c : colours)
        EXPECT_EQ(MatchStats_PackColour(c.rgb), c.packed);
}

class MatchStatsTest : public ::testing::Test {
protected:
    ScopedScreenRedraw m_screen;
};

TEST_F(MatchStatsTest, TheLatestFixtureBeforeTodayAndNoneBeforeTheFirst)
{
    const int32_t club = m_screen.HumanClub();
    const int32_t first = FirstFixtureOf(club);
    ASSERT_GE(first, 0);
    const int32_t day = VTW_GetFixtureDay(first);
    EXPECT_EQ(MatchStats_ChooseFixture(club, day, false), -1);
    EXPECT_EQ(MatchStats_ChooseFixture(club, day + 1, false), first);
    EXPECT_EQ(MatchStats_ChooseFixture(club, 0, false), -1);
    ReportFixture = 17;
    EXPECT_EQ(MatchStats_ChooseFixture(club, 0, true), 17);
}

// A match without a fixture row (a friendly between exported teams) lasts 120 minutes inside the
// sequence when its blocks show extra time played: level after normal time with extra time on.
TEST_F(MatchStatsTest, AMatchWithoutARowTakesItsLengthFromTheBlocks)
{
    struct Case {
        bool inSequence;
        int16_t extraTime;
        int16_t homeGoals, awayGoals;  // in normal time, period 1
        int16_t extraTimeGoal;         // a home goal in period 2: 0 none
        int32_t length;
    };
    const Case cases[] = {
        {true, 1, 2, 2, 1, 120},  // level at 90, won in extra time
        {true, 1, 2, 1, 0, 90},   // won in normal time
        {true, 0, 1, 1, 0, 90},   // a draw with no extra time
        {false, 1, 2, 2, 1, 90},  // outside the sequence no row is no match
    };
    for (const Case& c : cases) {
        MatchDay_ClearBlock();
        GetMatchSidesBlock()->extraTime = c.extraTime;
        MatchDataBlock* d = GetMatchDataBlock();
        d->eventCount = 0;
        const auto goal = [d](int16_t side, int16_t period) {
            d->events[d->eventCount++] = MatchEventRow{0, period, 10, side, 0, 0};
        };
        for (int16_t g = 0; g < c.homeGoals; ++g)
            goal(0, 1);
        for (int16_t g = 0; g < c.awayGoals; ++g)
            goal(1, 1);
        if (c.extraTimeGoal != 0) goal(0, 2);
        MatchReportFlags = c.inSequence ? MATCH_REPORT_IN_SEQUENCE : 0;
        EXPECT_EQ(MatchStats_MatchLength(-1), c.length) << c.homeGoals << "-" << c.awayGoals;
    }
    MatchReportFlags = 0;
}

TEST_F(MatchStatsTest, InTheSequenceEveryFigureIsTheDataBlocksAndTheBarsSplitAtTheShare)
{
    const int32_t club = m_screen.HumanClub();
    const int32_t row = FirstFixtureOf(club);
    ASSERT_GE(row, 0);
    Fixture_SetGoals(row, 2, 1);
    Fixture_SetAttendance(row, 1234567);
    ReportFixture = static_cast<int16_t>(row);
    MatchReportFlags = MATCH_REPORT_IN_SEQUENCE;
    MatchDataBlock& d = *GetMatchDataBlock();
    d.sides[0].shotsOnTarget = 6;
    d.sides[0].shotsOffTarget = 3;  // 9 of 12 attempted: 1000 / 12 x 9 / 10 = 74
    d.sides[1].shotsOnTarget = 2;
    d.sides[1].shotsOffTarget = 1;
    d.sides[0].corners = 0;
    d.sides[1].corners = 0;  // none: 50
    d.sides[0].possession = 40;
    d.sides[1].possession = 60;
    d.territoryTotals[0] = 25;
    d.territoryTotals[1] = 50;
    d.territoryTotals[2] = 25;
    d.sides[0].manOfTheMatch = -1;
    VTW_RefreshSquadCount(club);
    const int32_t star = VTW_GetSquadPlayer(0);
    d.sides[1].manOfTheMatch = static_cast<int16_t>(star);
    std::vector<std::pair<uint32_t, uint32_t>> starts;  // each bar's home and away first pixel
    uint32_t hash = 0;
    m_screen.Run(MatchStats_Table(), [&] {
        for (int32_t bar = 0; bar < MATCH_STATS_BARS; ++bar) {
            const int32_t y = 200 + 44 * bar;
            const int32_t split = 200 + MatchStats.homeShares[bar] * 24 / 10;
            starts.emplace_back(WorkPixel(200, y), WorkPixel(split, y));
        }
        hash = WorkScreenHash();
    });
    MatchReportFlags = 0;
    const MatchStatsState& m = MatchStats;
    EXPECT_TRUE(m.figures);
    EXPECT_EQ(std::vector<int32_t>(m.homeShares, m.homeShares + 4),
              (std::vector<int32_t>{40, 74, 75, 50}));
    const std::vector<std::string> values = {"40%", "60%", "9", "3", "6", "2", "0", "0"};
    for (int32_t k = 0; k < 8; ++k)
        EXPECT_EQ(m.values[k / 2][k % 2], values[k]) << k;
    EXPECT_STREQ(m.zones[0], "25%");
    EXPECT_STREQ(m.zones[1], "50%");
    EXPECT_STREQ(m.zones[2], "25%");
    EXPECT_STREQ(m.attendance, VTW_FormatThousands(1234567));
    EXPECT_NE(std::strstr(m.manOfTheMatch, VTW_FormatPersonName(star)), nullptr);
    EXPECT_NE(std::strchr(m.title, '2'), nullptr);
    ASSERT_NE(m.colours[0], m.colours[1]);
    for (const auto& [home, awayStart] : starts) {
        EXPECT_EQ(home, starts[0].first);
        EXPECT_EQ(awayStart, starts[0].second);
    }
    EXPECT_NE(starts[0].first, starts[0].second);
    ExpectGoldenHash("menus/match_stats_sequence", hash);
}

namespace {

std::string Text(int32_t value, const char* format)
{
    char out[16];
    std::snprintf(out, sizeof out, format, value);
    return out;
}

// Inside the sequence, every figure the statistics show for `row` is the data block's.
void ExpectTheDataBlocksFigures(const MatchDataBlock& d, int32_t row)
{
    const MatchStatsState& m = MatchStats;
    uint32_t totals[3];
    std::memcpy(totals, d.territoryTotals, sizeof totals);  // packed: copied out
    int32_t zones[3];
    MatchStats_ZoneShares(totals, zones);
    for (int32_t z = 0; z < 3; ++z)
        EXPECT_EQ(m.zones[z], Text(zones[z], "%d%%")) << z;
    const int32_t possession = MatchStats_Possession(d.sides[0].possession, d.sides[1].possession);
    EXPECT_EQ(m.values[0][0], Text(possession, "%d%%"));
    EXPECT_EQ(m.values[0][1], Text(100 - possession, "%d%%"));
    for (int32_t side = 0; side < 2; ++side) {
        const MatchSideStats& st = d.sides[side];
        EXPECT_EQ(m.values[1][side], Text(st.shotsOnTarget + st.shotsOffTarget, "%d"));
        EXPECT_EQ(m.values[2][side], Text(st.shotsOnTarget, "%d"));
        EXPECT_EQ(m.values[3][side], Text(st.corners, "%d"));
    }
    const int32_t star =
        d.sides[0].manOfTheMatch >= 0 ? d.sides[0].manOfTheMatch : d.sides[1].manOfTheMatch;
    if (star >= 0) {
        EXPECT_NE(std::strstr(m.manOfTheMatch, VTW_FormatPersonName(star)), nullptr);
    } else {
        EXPECT_STREQ(m.manOfTheMatch, "");
    }
    EXPECT_STREQ(m.attendance, VTW_FormatThousands(Fixture_GetAttendance(row)));
}

}  // namespace

// The human's fixture played by the simulation over a few seeds: inside the sequence every figure
// the screen shows is the data block's.
TEST_F(MatchStatsTest, AFixtureTheSimulationPlayedShowsItsDataBlocksFigures)
{
    const int32_t row = FirstFixtureOf(m_screen.HumanClub());
    ASSERT_GE(row, 0);
    for (const uint32_t seed : {3u, 7u, 11u}) {
        SCOPED_TRACE(seed);
        SetupFixture(row);
        SRand(seed);
        SimMatch_Play(*GetMatchSidesBlock(), GetMatchDataBlock());
        ReportFixture = static_cast<int16_t>(row);
        MatchReportFlags = MATCH_REPORT_IN_SEQUENCE;
        m_screen.Run(MatchStats_Table(), [] {});
        MatchReportFlags = 0;
        ExpectTheDataBlocksFigures(*GetMatchDataBlock(), row);
    }
}

// The human's fixture played headless by the match engine on its match day, as the day plays it:
// the statistics show the engine's counters and the report its score, each scorer with the
// minutes of his goals, its four figures and the man of the match. The first seed whose match
// has goals on both sides is taken, so that the engine's own changes need no new seed here.
TEST_F(MatchStatsTest, AFixtureTheEnginePlayedShowsItsCountersAndScorers)
{
    const int32_t row = m_screen.HumanFixture();
    Calendar_SetDay(VTW_GetFixtureDay(row));
    GameHooks.PostMatchSequence = [] {};  // its screens are opened one at a time below
    MatchEngine_Start();
    ChosenViewMode = VIEW_NONE;
    const MatchDataBlock& d = *GetMatchDataBlock();
    uint32_t seed = 0;
    do {
        SRand(++seed);
        Season_PlayMatchDay(row);
    } while ((d.sides[0].score == 0 || d.sides[1].score == 0) && seed < 30);
    MatchEngine_Stop();
    ASSERT_EQ(ReportFixture, row);
    const int32_t score[2] = {d.sides[0].score, d.sides[1].score};
    ASSERT_GT(score[0], 0);
    ASSERT_GT(score[1], 0);
    EXPECT_EQ(VTW_GetFixtureHomeGoals(row), score[0]);
    EXPECT_EQ(VTW_GetFixtureAwayGoals(row), score[1]);
    // What the engine counted: time in every third, the ball and shots.
    for (int32_t third = 0; third < 3; ++third)
        EXPECT_GT(uint32_t{d.territoryTotals[third]}, 0u) << third;
    EXPECT_GT(d.sides[0].possession + d.sides[1].possession, 0);
    EXPECT_GT(d.sides[0].shotsOnTarget + d.sides[1].shotsOnTarget, 0);

    MatchReportFlags = MATCH_REPORT_IN_SEQUENCE;
    m_screen.Run(MatchStats_Table(), [] {});
    ExpectTheDataBlocksFigures(d, row);
    EXPECT_TRUE(MatchStats.figures);
    const std::string scoreLine = " " + Text(score[0], "%d") + " - " + Text(score[1], "%d") + " ";
    EXPECT_NE(std::strstr(MatchStats.title, scoreLine.c_str()), nullptr) << MatchStats.title;

    m_screen.Run(MatchReport_Table(), [] {});
    MatchReportFlags = 0;
    const MatchReportScreenState& r = MatchReportScreen;
    EXPECT_NE(std::strstr(r.score, scoreLine.c_str()), nullptr) << r.score;
    for (int32_t side = 0; side < 2; ++side) {
        SCOPED_TRACE(side);
        // Each scorer's line in order of his first goal: "name minute, minute", a penalty's or
        // an own goal's mark after its minute.
        std::vector<std::pair<int32_t, std::vector<std::string>>> scorers;
        int32_t goals = 0;
        for (int32_t e = 0; e < d.eventCount; ++e) {
            const MatchEventRow& ev = d.events[e];
            if (ev.kind != 0 || ev.a != side) continue;
            ++goals;
            auto known = std::find_if(scorers.begin(), scorers.end(),
                                      [&](const auto& s) { return s.first == ev.b; });
            if (known == scorers.end()) {
                scorers.push_back({ev.b, {VTW_FormatPersonName(ev.b) + Text(ev.minute, " %d")}});
            } else {
                known->second.push_back(Text(ev.minute, ", %d"));
            }
        }
        EXPECT_EQ(goals, score[side]);
        ASSERT_GE(r.lineCount[side], static_cast<int32_t>(scorers.size()));
        for (size_t k = 0; k < scorers.size(); ++k) {
            const std::string line = r.lines[side][k].text;
            size_t at = 0;
            for (const std::string& part : scorers[k].second) {
                at = line.find(part, at);
                ASSERT_NE(at, std::string::npos) << line << " lacks " << part;
            }
            EXPECT_EQ(line.find(scorers[k].second[0]), 0u) << line;
        }
        const MatchSideStats& st = d.sides[side];
        const int32_t figures[4] = {st.shotsOnTarget, st.shotsOffTarget, st.corners, st.fouls};
        for (int32_t k = 0; k < 4; ++k)
            EXPECT_EQ(r.stats[k][side], Text(figures[k], "%d")) << k;
    }
    // Possession as played: the home side's exact share of the counts, the away side the rest.
    const int32_t homeShare =
        d.sides[0].possession * 100 / (d.sides[0].possession + d.sides[1].possession);
    EXPECT_EQ(r.possession[0], Text(homeShare, "%d%%"));
    EXPECT_EQ(r.possession[1], Text(100 - homeShare, "%d%%"));
    EXPECT_STREQ(MatchStats.values[0][0], r.possession[0]);
    EXPECT_STREQ(MatchStats.values[0][1], r.possession[1]);
    // The away side's man of the match wins when both name one.
    const int32_t star =
        d.sides[1].manOfTheMatch >= 0 ? d.sides[1].manOfTheMatch : d.sides[0].manOfTheMatch;
    if (star >= 0) {
        EXPECT_NE(std::strstr(r.manOfTheMatch, VTW_FormatPersonName(star)), nullptr);
    } else {
        EXPECT_STREQ(r.manOfTheMatch, "");
    }
}

// The man of the match named by the away side's record, then sold to a third club: the
// statistics, from the data block inside the sequence or from the kept summary after it, and the
// report all name him with the away club he played for, not the club he is registered with now.
TEST_F(MatchStatsTest, TheManOfTheMatchIsShownWithTheSideHePlayedFor)
{
    const int32_t row = FirstFixtureOf(m_screen.HumanClub());
    ASSERT_GE(row, 0);
    const int32_t home = VTW_GetFixtureHomeClub(row);
    const int32_t away = VTW_GetFixtureAwayClub(row);
    const int16_t* members = nullptr;
    ASSERT_GT(Records_ClubMembers(away, &members), 0);
    const int32_t star = members[0];
    int32_t buyer = 0;
    while (buyer == home || buyer == away)
        ++buyer;
    VTW_SetPlayerClub(star, buyer);
    ASSERT_EQ(VTW_GetPlayerClub(star), buyer);
    Fixture_SetGoals(row, 0, 1);
    ReportFixture = static_cast<int16_t>(row);
    MatchDataBlock& d = *GetMatchDataBlock();
    d.sides[0].manOfTheMatch = -1;
    d.sides[1].manOfTheMatch = static_cast<int16_t>(star);
    LastMatchSummary[0].manOfTheMatch = -1;
    LastMatchSummary[1].manOfTheMatch = static_cast<int16_t>(star);
    const std::string expected = std::string(VTW_FormatPersonName(star)) + " ("
                                 + VTW_FormatClubName(VTW_GetTeam(away)) + ")";
    for (const bool inSequence : {true, false}) {
        MatchReportFlags = inSequence ? MATCH_REPORT_IN_SEQUENCE : 0;
        Calendar_SetDay(VTW_GetFixtureDay(row) + 1);
        m_screen.Run(MatchStats_Table(), [] {});
        EXPECT_TRUE(MatchStats.figures) << inSequence;
        EXPECT_EQ(MatchStats.manOfTheMatch, expected) << inSequence;
    }
    m_screen.Run(MatchReport_Table(), [] {});
    MatchReportFlags = 0;
    EXPECT_EQ(MatchReportScreen.manOfTheMatch, expected);
}

TEST_F(MatchStatsTest, AnotherFixtureShowsItsScoreWithBlankFiguresAndTheButtonsLeaveTheOptionAlone)
{
    const int32_t club = m_screen.HumanClub();
    const int32_t row = FirstFixtureOf(club);
    Fixture_SetGoals(row, 1, 1);
    ReportFixture = -1;
    Calendar_SetDay(VTW_GetFixtureDay(row) + 1);
    m_screen.Run(MatchStats_Table(), [] {});
    EXPECT_EQ(MatchStats.fixture, row);
    EXPECT_FALSE(MatchStats.figures);
    EXPECT_STREQ(MatchStats.values[0][0], "");
    EXPECT_STREQ(MatchStats.attendance, "");
    EXPECT_NE(std::strstr(MatchStats.title, " 1 - 1 "), nullptr);
    const int16_t option = MenuOption;
    struct Case {
        int32_t (*handler)();
        uint16_t word;
    };
    for (const Case& c : {Case{MatchStats_TimeAnalysis, 2}, Case{MatchStats_MatchAnalysis, 0}}) {
        MatchReportFlags = MATCH_REPORT_DONE;
        MatchReportWord = 3;
        EXPECT_EQ(c.handler(), EXM_CODE_LEAVE);
        EXPECT_EQ(MatchReportWord, c.word);
        EXPECT_EQ(MatchReportFlags, 0);
        EXPECT_EQ(MenuOption, option);
    }
    MatchReportFlags = MATCH_REPORT_SIDE_CHOSEN;
    EXPECT_EQ(MatchStats_Back(), EXM_CODE_LEAVE);
    EXPECT_EQ(MatchReportFlags, MATCH_REPORT_DONE);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    MatchReportFlags = MATCH_REPORT_SIDE_CHOSEN | MATCH_REPORT_IN_SEQUENCE;
    MenuOption = 81;
    MatchStats_Back();
    EXPECT_EQ(MenuOption, 81);
    EXPECT_EQ(MatchReportFlags,
              MATCH_REPORT_SIDE_CHOSEN | MATCH_REPORT_IN_SEQUENCE | MATCH_REPORT_DONE);
    MatchReportFlags = 0;
}

TEST_F(RestOfWorldTest, TheHomeCountrysSlotHoldsCountryZeroAndTheLastTheRestOfTheWorld)
{
    RestOfWorld.chosen = HOME_COUNTRY;  // no choice: the first is taken
    Run([] {
        const std::vector<uint16_t> choices = {1, 2, 3, 4, 5, 0, 7, WORLD_CHOICE_REST};
        const std::vector<int16_t> texts = {2311, 2312, 2313, 2314, 2315, 2310, 2317, 857};
        EXPECT_EQ(std::vector<uint16_t>(RestOfWorld.choices, RestOfWorld.choices + 8), choices);
        EXPECT_EQ(std::vector<int16_t>(RestOfWorld.choiceTexts, RestOfWorld.choiceTexts + 8),
                  texts);
        EXPECT_EQ(RestOfWorld.chosen, 1);
        EXPECT_EQ(RestOfWorld.subtitle, 2311);
    });
}

TEST_F(RestOfWorldTest, EachChoiceListsItsCountrysClubsAndTheRestTheUnlistedOnes)
{
    Run([] {
        NoClubs();
        // team: country
        const std::vector<std::pair<int32_t, uint8_t>> clubs = {
            {10, 3}, {11, HOME_COUNTRY}, {12, 0}, {13, 8}, {14, 12}, {15, 3}, {16, 7}};
        for (const auto& [team, country] : clubs)
            Club(team, country);
        WorldClubTable[17].country = 3;  // no club of that number
        struct Case {
            int32_t choice;
            std::vector<int16_t> list;
            int16_t subtitle;
        };
        const Case cases[] = {
            {2, {10, 15}, 2313}, {5, {12}, 2310}, {6, {16}, 2317},
            {7, {13, 14}, 857},  {0, {}, 2311},
        };
        for (const Case& c : cases) {
            EXPECT_EQ(RestOfWorld_Choose(c.choice), 2);
            RestOfWorld_Build();
            EXPECT_EQ(std::vector<int16_t>(RestOfWorld.list, RestOfWorld.list + RestOfWorld.count),
                      c.list)
                << c.choice;
            EXPECT_EQ(RestOfWorld.subtitle, c.subtitle) << c.choice;
        }
    });
}

TEST_F(RestOfWorldTest, TwentyThreeClubsTakeThreePagesAndEveryClubCanBeReached)
{
    Run([] {
        OnlyClubsOf(3, 100, 23);
        RestOfWorld_Choose(2);
        RestOfWorld_Build();
        EXPECT_EQ(RestOfWorld.pageCount, 3);
        EXPECT_EQ(RestOfWorld_EntryOfCell(0, 10), 110);
        EXPECT_EQ(RestOfWorld_EntryOfCell(1, 10), 121);
        struct Step {
            int32_t (*turn)();
            int16_t firstPage;
            int32_t leftTop, rightTop, rightSecond;
        };
        const Step steps[] = {
            {RestOfWorld_PageOn, 1, 111, 122, -1},
            {RestOfWorld_PageOn, 1, 111, 122, -1},
            {RestOfWorld_PageBack, 0, 100, 111, 112},
            {RestOfWorld_PageBack, 0, 100, 111, 112},
        };
        for (const Step& s : steps) {
            EXPECT_EQ(s.turn(), 2);
            RestOfWorld_Build();
            EXPECT_EQ(RestOfWorld.firstPage, s.firstPage);
            EXPECT_EQ(RestOfWorld_EntryOfCell(0, 0), s.leftTop);
            EXPECT_EQ(RestOfWorld_EntryOfCell(1, 0), s.rightTop);
            EXPECT_EQ(RestOfWorld_EntryOfCell(1, 1), s.rightSecond);
        }
        RestOfWorld_PageOn();
        OnlyClubsOf(3, 100, 12);  // two pages: the kept page 1 would show a blank left column
        RestOfWorld_Build();
        EXPECT_EQ(RestOfWorld.firstPage, 0);
        OnlyClubsOf(3, 100, 5);  // one page: never moves
        RestOfWorld_Build();
        RestOfWorld_PageOn();
        EXPECT_EQ(RestOfWorld.firstPage, 0);
        EXPECT_EQ(RestOfWorld_EntryOfCell(1, 0), -1);
    });
}

TEST_F(RestOfWorldTest, AWorldClubOpensItsSquadAndAnEmptyCellNothing)
{
    Run([] {
        OnlyClubsOf(3, 200, 3);
        RestOfWorld_Choose(2);
        RestOfWorld_Build();
        const int16_t option = MenuOption;
        EXPECT_EQ(RestOfWorld_OpenCell(0, 3), 1);
        EXPECT_EQ(RestOfWorld_OpenCell(1, 0), 1);
        EXPECT_EQ(MenuOption, option);
        EXPECT_EQ(RestOfWorld_OpenCell(0, 2), EXM_CODE_LEAVE);
        EXPECT_EQ(MenuOption, MENU_OPTION_TO_SQUAD);
        EXPECT_EQ(GameState.currentClub, 202);
        EXPECT_EQ(ClubChangedFlag, 1);
        // A club of the career's own map, listed under another country, opens by its club id.
        const int32_t homeTeam = World.clubMaps[HOME_COUNTRY][5];
        OnlyClubsOf(3, 0, 1);
        Club(homeTeam, 3);
        RestOfWorld_Build();
        EXPECT_EQ(RestOfWorld_OpenCell(0, 0), EXM_CODE_LEAVE);  // team 0
        EXPECT_EQ(RestOfWorld_OpenCell(0, 1), EXM_CODE_LEAVE);
        EXPECT_EQ(GameState.currentClub, 5);
        EXPECT_EQ(ClubChangedFlag, 0);
    });
}

TEST_F(RestOfWorldTest, ANewCareerListsTheOtherCountriesClubsAndMatchesTheGolden)
{
    uint32_t hash = 0;
    Run([&] {
        EXPECT_GT(RestOfWorld.count, WORLD_ROWS);
        for (int32_t n = 0; n < RestOfWorld.count; ++n) {
            EXPECT_EQ(WorldClubTable[RestOfWorld.list[n]].country, 0);
        }
        hash = WorkScreenHash();
    });
    ExpectGoldenHash("menus/rest_of_world_day0", hash);
}
