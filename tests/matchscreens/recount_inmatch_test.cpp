// tests/matchscreens/recount_inmatch_test.cpp: the in-match statistics, the timeline and the
// text view's score and scorers, at the final whistle of matches the engine plays on seeded
// draws, held against what the match left: its event rows, its team sheets, its counters and
// the figures it stored for the screens after the match.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/hooks.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/textmess.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "matchscreens/ingamestats.h"
#include "matchscreens/textview.h"
#include "tests/support/recount.h"

namespace {

constexpr int32_t EVENT_GOAL = 0;
constexpr int32_t EVENT_BOOKING = 2;
constexpr int32_t TEXT_OWN_GOAL = 698;
// The timeline's word of each kind of event it labels.
constexpr std::pair<int32_t, int32_t> EVENT_WORDS[] = {{0, 633}, {1, 2134}, {3, 2135}, {4, 631}};

std::vector<MatchEventRow> Events()
{
    const MatchDataBlock& d = *GetMatchDataBlock();
    std::vector<MatchEventRow> events;
    for (int32_t e = 0; e < d.eventCount && d.events[e].kind != MATCH_EVENT_END; ++e)
        events.push_back(d.events[e]);
    return events;
}

// The side whose team sheet holds the player, and his name there; -1 and "" for nobody's.
std::pair<int32_t, std::string> OnTeamSheet(int32_t player)
{
    const MatchDayBlock& b = *GetMatchSidesBlock();
    for (int32_t side = 0; side < 2; ++side) {
        for (const MatchPlayerEntry& entry : b.sides[side].entries) {
            if (player >= 0 && entry.playerId == player)
                return {side, std::string(entry.name, strnlen(entry.name, sizeof entry.name))};
        }
    }
    return {-1, ""};
}

// A pair's share: 50 when both are 0.
int32_t Share(int64_t mine, int64_t theirs)
{
    return mine + theirs == 0 ? 50 : static_cast<int32_t>(mine * 100 / (mine + theirs));
}

}  // namespace

// Matches of seeded draws, the first and the first with a sending-off, an own goal and a missed
// penalty, read at the final whistle: the text view's score is each side's
// goal rows counted, and each goal's scorer is the name his team sheet gives, marked as an own
// goal when the sheet is the other side's; the statistics rows are the counts the match stored
// for the screens after it, and the zone shares the engine's thirds counters shared; the
// timeline labels every event but the bookings, in order, with its minute, word and name.
TEST(RecountInMatch, TheScoreStatisticsAndTimelineAreWhatTheMatchLeft)
{
    ScopedScreenRedraw screen;
    int32_t goals = 0, labels = 0;
    PlayMatchesOfEveryIncident(screen.HumanFixture(), [&](uint32_t seed) {
        SCOPED_TRACE(seed);
        const std::vector<MatchEventRow> events = Events();
        int32_t score[2] = {0, 0};
        for (const MatchEventRow& e : events) {
            if (e.kind != EVENT_GOAL) continue;
            ++score[e.a];
            const auto [side, name] = OnTeamSheet(e.b);
            ASSERT_GE(side, 0) << e.b;
            const std::string mark =
                side == e.a ? "" : std::string(" ") + GetMessageText(TEXT_OWN_GOAL);
            EXPECT_EQ(std::string(TextView_GoalScorer(e.a, e.b)), name + mark);
        }
        EXPECT_EQ(Match.score[0], score[0]);
        EXPECT_EQ(Match.score[1], score[1]);
        goals += score[0] + score[1];

        InGameStatsRow rows[IGS_ROWS];
        InGameStats_Rows(rows);
        const MatchDataBlock& d = *GetMatchDataBlock();
        for (int32_t side = 0; side < 2; ++side) {
            SCOPED_TRACE(side);
            const MatchSideStats& s = d.sides[side];
            const int32_t stored[4] = {s.shotsOnTarget + s.shotsOffTarget, s.shotsOnTarget,
                                       s.corners, s.fouls};
            for (int32_t r = 0; r < 4; ++r)
                EXPECT_EQ(side == 0 ? rows[r].home : rows[r].away, stored[r]) << r;
        }
        const uint32_t(&t)[2][THIRD_COUNT] = Match.thirdsTicks;
        const int32_t defence = Share(t[0][THIRD_OWN], t[1][THIRD_ATTACK]);
        const int32_t midfield = Share(t[0][THIRD_MIDDLE], t[1][THIRD_MIDDLE]);
        const int32_t attack = Share(t[0][THIRD_ATTACK], t[1][THIRD_OWN]);
        const int32_t general = (defence + midfield + attack) * 100 / 300;
        const int32_t shares[4][2] = {{defence, 100 - attack},
                                      {midfield, 100 - midfield},
                                      {attack, 100 - defence},
                                      {general, 100 - general}};
        // The territory line: where play was, at home's goal, in the middle, at away's goal.
        const int64_t total = int64_t{t[0][0]} + t[0][1] + t[0][2] + t[1][0] + t[1][1] + t[1][2];
        ASSERT_GT(total, 0);
        const InGameStatsFigures f = InGameStats_Figures(t);
        const int32_t left =
            static_cast<int32_t>((int64_t{t[0][THIRD_OWN]} + t[1][THIRD_ATTACK]) * 100 / total);
        const int32_t middle =
            static_cast<int32_t>((int64_t{t[0][THIRD_MIDDLE]} + t[1][THIRD_MIDDLE]) * 100 / total);
        EXPECT_EQ(f.territory[0], left);
        EXPECT_EQ(f.territory[1], middle);
        EXPECT_EQ(f.territory[2], 100 - left - middle);
        for (int32_t r = 0; r < 4; ++r) {
            EXPECT_TRUE(rows[5 + r].percent) << r;
            EXPECT_EQ(rows[5 + r].home, shares[r][0]) << r;
            EXPECT_EQ(rows[5 + r].away, shares[r][1]) << r;
        }

        InGameTimelineLabel shown[IGS_EVENT_LABELS];
        const int32_t count = InGameStats_TimelineLabels(shown);
        int32_t k = 0;
        for (const MatchEventRow& e : events) {
            const auto word = std::find_if(std::begin(EVENT_WORDS), std::end(EVENT_WORDS),
                                           [&](const auto& w) { return w.first == e.kind; });
            if (e.kind == EVENT_BOOKING || word == std::end(EVENT_WORDS)) continue;
            ASSERT_LT(k, count);
            char text[96];
            std::snprintf(text, sizeof text, " %d' %s %s", e.minute, GetMessageText(word->second),
                          OnTeamSheet(e.b).second.c_str());
            EXPECT_EQ(shown[k].side, e.a) << k;
            EXPECT_EQ(std::string(shown[k].text), text) << k;
            ++k;
        }
        EXPECT_EQ(count, k);
        labels += count;
    });
    EXPECT_GT(goals, 3);
    EXPECT_GT(labels, goals);
}
