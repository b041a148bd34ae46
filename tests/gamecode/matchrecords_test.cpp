// tests/gamecode/matchrecords_test.cpp: goal and card records, minute caps and event rows.
#include "gamecode/matchrecords.h"

#include <cstring>

#include <gtest/gtest.h>

#include "gamecode/incidents.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "tests/gamecode/harness/harness.h"

namespace {

class MatchRecords : public testing::Test {
protected:
    void SetUp() override
    {
        MatchDayBuilder{}.Write();
        std::memset(Match.goals, 0xFF, sizeof(Match.goals));
        Match.periodMinutes = 5;
    }
    // Puts the clock at `minute` of `period`.
    static void AtMinute(int32_t period, int32_t minute)
    {
        Match.period = static_cast<uint8_t>(period);
        Match_SetPeriodLength(5 * 60);
        const int32_t start = period == 0 ? 0 : 45;
        Match.periodTicks = static_cast<uint32_t>((minute - start) * Match.periodLength / 45);
    }
    ScopedMatch match;
};

}  // namespace

TEST_F(MatchRecords, MinutesAreCappedToThePeriod)
{
    AtMinute(0, 47);
    EXPECT_EQ(Match_RecordMinute(), 46);
    AtMinute(0, 0);
    EXPECT_EQ(Match_RecordMinute(), 1);
    AtMinute(1, 60);
    EXPECT_EQ(Match_RecordMinute(), 60);
}

TEST_F(MatchRecords, GoalKindFollowsTheScorersActionAndOwnGoalsKeepTheirPlayer)
{
    AtMinute(0, 10);
    MatchPersons[9].action = 47;
    Match_RecordGoal(0, 0, 9, 9, -1, 9, 10, -1);
    EXPECT_EQ(Match.goals[0][0].kind, 10);
    EXPECT_EQ(Match.goals[0][0].detail, 3);
    MatchPersons[9].action = 59;
    Match_RecordGoal(0, 1, 9, 9, -1, 9, 15, -1);
    EXPECT_EQ(Match.goals[0][1].kind, 8);
    EXPECT_EQ(Match.goals[0][1].detail, 1);
    MatchPersons[20].action = 3;
    Match_RecordGoal(0, 2, 20, 20, 20, 9, 5, -1);
    EXPECT_EQ(Match.goals[0][2].kind, 11);
    EXPECT_EQ(Match.goals[0][2].person, 20);
    MatchPersons[9].action = 3;
    Match_RecordGoal(0, 3, 9, 9, -1, 9, 25, -1);
    EXPECT_EQ(Match.goals[0][3].kind, 2);
    // An own goal from afar, or off a defender in a volley, is still his own goal.
    Match_RecordGoal(0, 4, 20, 20, 20, 9, 25, -1);
    EXPECT_EQ(Match.goals[0][4].kind, 11);
    MatchPersons[20].action = 59;
    Match_RecordGoal(0, 5, 20, 20, 20, 9, 5, -1);
    EXPECT_EQ(Match.goals[0][5].kind, 11);
}

TEST_F(MatchRecords, GoalListKeepsTwentyRecords)
{
    for (int32_t g = 0; g < 25; ++g) {
        Match_RecordGoal(1, g, 20, 20, -1, 9, 5, -1);
    }
    EXPECT_EQ(Match.goals[1][19].person, 20);
    EXPECT_EQ(Match.goals[0][0].minute, 0xFF);  // nothing spilled into the other side's list
}

TEST_F(MatchRecords, SecondBookingAddsARecordAndKeepsTheOthers)
{
    MatchPersons[4].bookings = 1;
    Match_RecordCard(4);
    MatchPersons[6].bookings = 1;
    Match_RecordCard(6);
    MatchPersons[4].bookings = 2;
    Match_RecordCard(4);
    ASSERT_EQ(Match.cardCount[0], 3);
    EXPECT_EQ(Match.cards[0][1].person, 6);
    EXPECT_EQ(Match.cards[0][1].kind, 1);
    EXPECT_EQ(Match.cards[0][2].person, 4);
    EXPECT_EQ(Match.cards[0][2].kind, 3);
}

TEST_F(MatchRecords, EventListAlwaysKeepsItsClosingRow)
{
    MatchDataBlock* data = GetMatchDataBlock();
    data->eventCount = 0;
    for (int32_t e = 0; e < 250; ++e) {
        Match_LogEvent(0, 1, 20, 0);
    }
    EXPECT_EQ(+data->eventCount, MATCH_EVENT_MAX - 1);
    EXPECT_EQ(data->events[MATCH_EVENT_MAX - 1].kind, MATCH_EVENT_END);
}

TEST_F(MatchRecords, EqualiserInTheLastMinuteByAnOpponentSaysBothLines)
{
    AtMinute(1, 90);
    Match.score[0] = 1;
    Match.score[1] = 1;
    Goal_SayRemarks(0, 20);
    const std::vector<int32_t>& groups = match.Record().commentaryGroups;
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0], 27);
    EXPECT_EQ(groups[1], 32);
}
