// tests/menus/recount_matchstats_test.cpp: the match statistics and the match report of the
// human's fixture, played by the match engine on seeded draws, held against what the match left
// in its rows: the event rows, the goal list, the engine's counters and the fixture's row.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "game/calendar.h"
#include "game/funcs.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "gamecode/matchrun.h"
#include "menus/matchstats.h"
#include "menus/reportscreen.h"
#include "tests/support/recount.h"

namespace {

constexpr int32_t EVENT_GOAL = 0;
constexpr int32_t EVENT_SENT_OFF = 3;
constexpr int32_t EVENT_MISSED_PENALTY = 4;
constexpr int32_t TEXT_PENALTY = 630;
constexpr int32_t TEXT_MISSED_PENALTY = 631;
constexpr int32_t TEXT_SENT_OFF = 632;
constexpr int32_t TEXT_OWN_GOAL = 698;

std::string Format(const char* format, int32_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Name(int32_t person) { return VTW_FormatPersonName(person); }

// The match's event rows, ordered by minute with equal minutes in their order.
std::vector<MatchEventRow> EventsByMinute(const MatchDataBlock& d)
{
    std::vector<MatchEventRow> events(
        d.events, d.events + std::clamp<int32_t>(d.eventCount, 0, MATCH_EVENT_MAX));
    std::stable_sort(
        events.begin(), events.end(),
        [](const MatchEventRow& a, const MatchEventRow& b) { return a.minute < b.minute; });
    return events;
}

bool PlaysFor(const PlayedRow& row, int32_t side, int32_t player)
{
    for (const FixturePlayerRow& p : row.players[side]) {
        if (p.player == player) return true;
    }
    return false;
}

// A goal's mark on the report: a penalty's from the side's goal list, an own goal's when its
// scorer played for the other side; "" for any other goal.
std::string GoalMark(const MatchDataBlock& d, const PlayedRow& row, const MatchEventRow& goal)
{
    if (!PlaysFor(row, goal.a, goal.b)) return GetMessageText(TEXT_OWN_GOAL);
    for (const MatchGoalEntry& g : d.sides[goal.a].goals) {
        if (g.player == goal.b && g.minute == goal.minute && g.kind == MATCH_GOAL_PENALTY)
            return GetMessageText(TEXT_PENALTY);
    }
    return "";
}

// One line per person in order of his first event of the kind: name, label, minute and mark,
// then ", minute" and the mark for each later one.
void AddPersonLines(std::vector<std::string>* lines, const MatchDataBlock& d, const PlayedRow& row,
                    int32_t side, int32_t kind, const std::string& label)
{
    std::vector<std::pair<int32_t, size_t>> persons;
    for (const MatchEventRow& e : EventsByMinute(d)) {
        if (e.kind != kind || e.a != side) continue;
        const std::string mark = kind == EVENT_GOAL ? GoalMark(d, row, e) : "";
        auto known = std::find_if(persons.begin(), persons.end(),
                                  [&](const auto& p) { return p.first == e.b; });
        std::string& line =
            known == persons.end() ? lines->emplace_back() : (*lines)[known->second];
        if (known == persons.end()) {
            persons.push_back({e.b, lines->size() - 1});
            line = Name(e.b) + label + Format(" %d", e.minute);
        } else {
            line += Format(", %d", e.minute);
        }
        if (!mark.empty()) line += " " + mark;
    }
}

// A side's column of the report as its rules build it from the match's rows: scorers and an
// empty line, the missed penalties, the sendings-off; each line cut to 30 characters.
std::vector<std::string> ReportColumn(const MatchDataBlock& d, const PlayedRow& row, int32_t side)
{
    std::vector<std::string> lines;
    AddPersonLines(&lines, d, row, side, EVENT_GOAL, "");
    if (!lines.empty()) lines.emplace_back();
    AddPersonLines(&lines, d, row, side, EVENT_MISSED_PENALTY,
                   std::string(" ") + GetMessageText(TEXT_MISSED_PENALTY));
    for (const MatchEventRow& e : EventsByMinute(d)) {
        if (e.kind == EVENT_SENT_OFF && e.a == side)
            lines.push_back(Name(e.b) + " " + GetMessageText(TEXT_SENT_OFF)
                            + Format(" %d", e.minute));
    }
    for (std::string& line : lines)
        line = line.substr(0, REPORT_LINE_BYTES - 1);
    return lines;
}

// The man of the match a side's players' rows mark, -1 none.
int32_t MarkedStar(const PlayedRow& row, int32_t side)
{
    for (const FixturePlayerRow& p : row.players[side]) {
        if (p.player >= 0 && MarkedManOfTheMatch(p)) return p.player;
    }
    return -1;
}

// A bar's home share: (1,000 / (home + away)) x home / 10, 50 when both are 0.
int32_t BarShare(int32_t home, int32_t away)
{
    return home + away == 0 ? 50 : 1000 / (home + away) * home / 10;
}

// A possession share taken of a million: (1,000,000 / (home + away)) x home / 10,000.
// The home side's whole percent of the two counts.
int32_t HomePercent(int32_t home, int32_t away)
{
    return home + away == 0 ? 50 : static_cast<int32_t>(int64_t{home} * 100 / (home + away));
}

std::string ClubName(int32_t club) { return VTW_FormatClubName(VTW_GetTeam(club)); }

class RecountMatchTest : public ::testing::Test {
protected:
    // The human's first fixture played by the engine on the draws of `seed`; its row.
    PlayedRow Play(uint32_t seed)
    {
        PlayFixtureThroughTheEngine(m_screen.HumanFixture(), seed);
        return RowPlayed();
    }

    PlayedRow RowPlayed()
    {
        const int32_t row = m_screen.HumanFixture();
        EXPECT_EQ(ReportFixture, row);
        for (const PlayedRow& played : TakePlayedRows()) {
            if (played.index == row) return played;
        }
        ADD_FAILURE() << "the fixture's row is gone";
        return {};
    }

    // Both screens as the post-match sequence shows them.
    void ShowBoth()
    {
        MatchReportFlags = MATCH_REPORT_IN_SEQUENCE;
        m_screen.Run(MatchStats_Table(), [] {});
        m_screen.Run(MatchReport_Table(), [] {});
        MatchReportFlags = 0;
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

// Matches of seeded draws, the first and the first with a sending-off, an own goal and a missed
// penalty, each shown by both screens: the score is the goal rows counted
// per side (and the fixture's row holds it); the bars are the engine's counters with their
// shares; the zones the territory counters' shares; the report's columns the scorers, missed
// penalties and sendings-off of the event rows; the man of the match the one the players' rows
// mark; the attendance the fixture's.
TEST_F(RecountMatchTest, EveryFigureOfBothScreensIsWhatTheMatchLeft)
{
    int32_t goals = 0, lines = 0;
    PlayMatchesOfEveryIncident(m_screen.HumanFixture(), [&](uint32_t seed) {
        SCOPED_TRACE(seed);
        const PlayedRow row = RowPlayed();
        const MatchDataBlock& d = *GetMatchDataBlock();
        ShowBoth();
        int32_t score[2] = {0, 0};
        for (const MatchEventRow& e : EventsByMinute(d))
            score[e.a & 1] += e.kind == EVENT_GOAL;
        EXPECT_EQ(row.goals[0], score[0]);
        EXPECT_EQ(row.goals[1], score[1]);
        const std::string scoreLine = Format(" %d - ", score[0]) + Format("%d ", score[1]);
        EXPECT_NE(std::string(MatchStats.title).find(scoreLine), std::string::npos);
        EXPECT_NE(std::string(MatchReportScreen.score).find(scoreLine), std::string::npos);
        goals += score[0] + score[1];

        const MatchStatsState& m = MatchStats;
        ASSERT_TRUE(m.figures);
        for (int32_t side = 0; side < 2; ++side) {
            SCOPED_TRACE(side);
            const MatchSideStats& s = d.sides[side];
            EXPECT_EQ(m.values[1][side], Format("%d", s.shotsOnTarget + s.shotsOffTarget));
            EXPECT_EQ(m.values[2][side], Format("%d", s.shotsOnTarget));
            EXPECT_EQ(m.values[3][side], Format("%d", s.corners));
            const int32_t report[4] = {s.shotsOnTarget, s.shotsOffTarget, s.corners, s.fouls};
            for (int32_t k = 0; k < 4; ++k)
                EXPECT_EQ(MatchReportScreen.stats[k][side], Format("%d", report[k])) << k;

            const std::vector<std::string> column = ReportColumn(d, row, side);
            ASSERT_EQ(MatchReportScreen.lineCount[side], static_cast<int32_t>(column.size()));
            for (size_t k = 0; k < column.size(); ++k) {
                const ReportLine& line = MatchReportScreen.lines[side][k];
                EXPECT_EQ(line.text, column[k]) << k;
                const bool sentOff =
                    column[k].find(GetMessageText(TEXT_SENT_OFF)) != std::string::npos;
                if (!column[k].empty()) {
                    EXPECT_EQ(line.attribute,
                              sentOff ? REPORT_ATTRIBUTE_SENT_OFF : REPORT_ATTRIBUTE_PLAIN);
                }
            }
            lines += static_cast<int32_t>(column.size());
        }
        const int32_t homeShots = d.sides[0].shotsOnTarget + d.sides[0].shotsOffTarget;
        const int32_t awayShots = d.sides[1].shotsOnTarget + d.sides[1].shotsOffTarget;
        EXPECT_EQ(m.homeShares[1], BarShare(homeShots, awayShots));
        EXPECT_EQ(m.homeShares[2], BarShare(d.sides[0].shotsOnTarget, d.sides[1].shotsOnTarget));
        EXPECT_EQ(m.homeShares[3], BarShare(d.sides[0].corners, d.sides[1].corners));

        // The zones: the three territory counters' shares, the middle the rest.
        const uint32_t* t = d.territoryTotals;
        const int64_t sum = int64_t{t[0]} + t[1] + t[2];
        ASSERT_GT(sum, 0);
        const int32_t first = static_cast<int32_t>(t[0] * int64_t{100} / sum);
        const int32_t third = static_cast<int32_t>(t[2] * int64_t{100} / sum);
        EXPECT_EQ(std::string(m.zones[0]), Format("%d%%", first));
        EXPECT_EQ(std::string(m.zones[1]), Format("%d%%", 100 - first - third));
        EXPECT_EQ(std::string(m.zones[2]), Format("%d%%", third));

        // The statistics name the home side's man of the match before the away side's; the
        // report the away side's before the home side's, with the side's name.
        const int32_t homeStar = MarkedStar(row, 0), awayStar = MarkedStar(row, 1);
        const int32_t star = homeStar >= 0 ? homeStar : awayStar;
        ASSERT_GE(star, 0);
        EXPECT_EQ(std::string(m.manOfTheMatch).rfind(Name(star) + " (", 0), 0u) << m.manOfTheMatch;
        const int32_t reportSide = awayStar >= 0 ? 1 : 0;
        const MatchDayBlock& b = *GetMatchSidesBlock();
        EXPECT_EQ(std::string(MatchReportScreen.manOfTheMatch),
                  Name(reportSide == 1 ? awayStar : homeStar) + " ("
                      + std::string(b.sides[reportSide].teamName) + ")");

        const std::string crowd = VTW_FormatThousands(row.attendance);
        EXPECT_EQ(std::string(m.attendance), crowd);
        EXPECT_EQ(std::string(MatchReportScreen.attendance), crowd);

        // The day after, outside the sequence, the statistics read the summary the match kept:
        // the same figures.
        const MatchStatsState inSequence = MatchStats;
        Calendar_SetDay(row.day + 1);
        m_screen.Run(MatchStats_Table(), [] {});
        EXPECT_EQ(MatchStats.fixture, row.index);
        EXPECT_TRUE(MatchStats.figures);
        for (int32_t bar = 1; bar < MATCH_STATS_BARS; ++bar) {
            EXPECT_EQ(MatchStats.homeShares[bar], inSequence.homeShares[bar]) << bar;
            for (int32_t side = 0; side < 2; ++side) {
                EXPECT_EQ(std::string(MatchStats.values[bar][side]), inSequence.values[bar][side])
                    << bar;
            }
        }
        for (int32_t z = 0; z < 3; ++z)
            EXPECT_EQ(std::string(MatchStats.zones[z]), inSequence.zones[z]) << z;
        EXPECT_EQ(std::string(MatchStats.manOfTheMatch), inSequence.manOfTheMatch);
        EXPECT_EQ(std::string(MatchStats.attendance), crowd);
    });
    EXPECT_GT(goals, 3);
    EXPECT_GT(lines, 3);
}

// Both screens show the home side's whole percent of the engine's possession counts, and the
// rest for the away side.
TEST_F(RecountMatchTest, ThePossessionIsTheHomeSidesPercentOfTheTwoCounts)
{
    for (const uint32_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        Play(seed);
        const MatchDataBlock& d = *GetMatchDataBlock();
        ShowBoth();
        const int32_t home = HomePercent(d.sides[0].possession, d.sides[1].possession);
        EXPECT_EQ(MatchStats.homeShares[0], home);
        for (int32_t side = 0; side < 2; ++side) {
            const std::string share = Format("%d%%", side == 0 ? home : 100 - home);
            EXPECT_EQ(std::string(MatchStats.values[0][side]), share) << side;
            EXPECT_EQ(std::string(MatchReportScreen.possession[side]), share) << side;
        }
    }
}

// Sold to another club after the match, he is still
// shown with the club of the side he played for.
TEST_F(RecountMatchTest, TheManOfTheMatchKeepsTheClubOfHisSide)
{
    const PlayedRow row = Play(1);
    const int32_t homeStar = MarkedStar(row, 0);
    const int32_t side = homeStar >= 0 ? 0 : 1;
    const int32_t star = MarkedStar(row, side);
    ASSERT_GE(star, 0);
    const int32_t buyer = row.clubs[1 - side];
    ASSERT_GE(Market_MovePlayer(star, buyer, 0, false, VTW_GetPlayerWage(star), 12), 0);
    ShowBoth();
    EXPECT_EQ(std::string(MatchStats.manOfTheMatch),
              Name(star) + " (" + ClubName(row.clubs[side]) + ")");
}
