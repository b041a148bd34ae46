// tests/gamecode/keycounts_test.cpp: a passage of play scripted touch by touch through the match's
// bookkeeping, and the players' statistics rows counted by hand from it.
#include "gamecode/keycounts.h"

#include <string>

#include <gtest/gtest.h>

#include "gamecode/ball.h"
#include "gamecode/incidents.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchdata.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "menus/matchgraphs.h"
#include "tests/gamecode/harness/harness.h"

namespace {

// Side 0 attacks the near goal (y 122) and defends the far area (y above 1754); side 1 the
// other way. Keepers 0 and 16.
class KeyCountsTest : public testing::Test {
protected:
    void SetUp() override
    {
        PlaceBallAlone(PITCH_CENTRE_X, PITCH_CENTRE_Y);
        Match.secondOfPair = 1;
        LineUp[0][0] = 0;
        LineUp[1][0] = MATCH_PERSONS_PER_SIDE;
    }
    // A strike by `kicker` with the ball at (x, y).
    static void Strike(int32_t kicker, int32_t kind, int32_t x, int32_t y)
    {
        Person_PlaceAt(MATCH_BALL, x, y);
        KickBook_Strike(kicker, kind);
    }
    static void Pass(int32_t kicker, int32_t receiver, int32_t y, PassBook book = PASS_BOOK_GROUND)
    {
        Strike(kicker, book == PASS_BOOK_CROSS ? KICK_KIND_LOFTED : KICK_KIND_ALONG_GROUND,
               PITCH_CENTRE_X, y);
        KickBook_Pass(kicker, receiver, PITCH_CENTRE_X, y, book);
    }
    // `person` reaches the loose ball at (x, y).
    static void Touch(int32_t person, int32_t x, int32_t y)
    {
        Person_PlaceAt(person, x, y);
        Person_PlaceAt(MATCH_BALL, x, y);
        Match_OnBallTouch(person);
    }
    static PlayerMatchRecord Row(int32_t person)
    {
        PlayerMatchRecord record{};
        Football_FillPlayerMatchRecord(&record, Person_Side(person),
                                       person % MATCH_PERSONS_PER_SIDE);
        return record;
    }

    ScopedMatch match;
};

TEST_F(KeyCountsTest, APassageOfPlayCountedByHand)
{
    constexpr int32_t kOut = 900;         // a y in midfield
    constexpr int32_t kOwnArea = 1900;    // inside the area side 0 defends
    constexpr int32_t kTheirArea = 300;   // inside the area side 1 defends
    constexpr int32_t kFinalThird = 600;  // the third side 0 attacks, outside the area
    // 1. 5 to 7, who runs on with it and shoots wide, then wide again from the rebound: one key
    // pass, two shots faced by keeper 16.
    Pass(5, 7, kOut);
    Touch(7, PITCH_CENTRE_X, kOut);
    Match_OnBallTouch(7);
    KickBook_Shot(7);
    KickBook_ShotMissed();
    Touch(7, PITCH_CENTRE_X, 700);
    KickBook_Shot(7);
    KickBook_ShotMissed();
    // 2. 5 to 7 again; 20 gets a toe to it first, then 7 shoots, on target: no key pass.
    Pass(5, 7, kOut);
    Touch(7, PITCH_CENTRE_X, kOut);
    Touch(20, PITCH_CENTRE_X, kOut);
    KickBook_Shot(7);
    KickBook_ShotOnTarget();
    // 3. 20's pass to 21 cut out by 6 in his own area, who clears it from there: both key.
    Pass(20, 21, kOwnArea);
    Touch(6, PITCH_CENTRE_X, kOwnArea);
    Strike(6, KICK_KIND_CLEARANCE, PITCH_CENTRE_X, kOwnArea);
    Touch(7, PITCH_CENTRE_X, 1300);
    // 4. 21's pass to 22 cut out by 4 in midfield: an interception only. He clears it to 7: a
    // good clearance; then to 22: a clearance only.
    Touch(21, PITCH_CENTRE_X, 1300);
    Pass(21, 22, kOut);
    Touch(4, PITCH_CENTRE_X, kOut);
    Strike(4, KICK_KIND_CLEARANCE, PITCH_CENTRE_X, kOut);
    Touch(7, PITCH_CENTRE_X, 700);
    Touch(4, PITCH_CENTRE_X, kOut);
    Strike(4, KICK_KIND_CLEARANCE, PITCH_CENTRE_X, kOut);
    Touch(22, PITCH_CENTRE_X, 1300);
    // 5. 8's corner crossed to 9 in side 1's area: received from a set piece and not claimed by
    // keeper 16; 9 heads it in without a counted shot: a key cross, his shot on target.
    MatchPhase = PHASE_CORNER_TAKEN;
    Pass(8, 9, kTheirArea, PASS_BOOK_CROSS);
    Touch(9, PITCH_CENTRE_X, kTheirArea);
    Match.period = 0;
    KickBook_GoalShot(0, 9);
    // 6. 21's touch ends the corner; 8 crosses in play to 10 outside the area, and 20 takes it
    // off him: a cross received in play.
    Touch(21, PITCH_CENTRE_X, kOut);
    Pass(8, 10, kFinalThird, PASS_BOOK_CROSS);
    Touch(10, PITCH_CENTRE_X, kFinalThird);
    Touch(20, PITCH_CENTRE_X, kFinalThird);
    // 7. 10 runs with the ball: forward in the final third, forward in midfield, then back.
    KeyCounts_Run(10, kFinalThird, -4096);
    KeyCounts_Run(10, kOut, -4096);
    KeyCounts_Run(10, kOut, 4096);
    // 8. 6 wins the ball with tackles in his own area and in midfield, 20 in 6's area.
    KeyCounts_Tackle(6, PITCH_CENTRE_X, kOwnArea);
    KeyCounts_Tackle(6, PITCH_CENTRE_X, kOut);
    KeyCounts_Tackle(20, PITCH_CENTRE_X, kOwnArea);

    struct Expected {
        int32_t person;
        int32_t figure;
        int32_t value;
    };
    const Expected rows[] = {
        {5, PMR_KEY_PASSES, 1},
        {5, PMR_PASSES, 2},
        {7, PMR_SHOTS_ON_TARGET, 1},
        {7, PMR_SHOTS_OFF_TARGET, 2},
        {MATCH_PERSONS_PER_SIDE, PMS_SHOTS_WIDE_FACED, 2},
        {0, PMR_KEY_PASSES, 0},
        {0, PMS_GOOD_CLEARANCES, 0},
        {MATCH_PERSONS_PER_SIDE, PMS_CROSSES_UNCLAIMED, 1},
        {0, PMS_SHOTS_WIDE_FACED, 0},
        {6, PMR_INTERCEPTIONS, 1},
        {6, PMR_KEY_INTERCEPTIONS, 1},
        {6, PMR_KEY_CLEARANCES, 1},
        {6, PMS_GOOD_CLEARANCES, 0},
        {6, PMR_KEY_TACKLES, 1},
        {MATCH_PERSONS_PER_SIDE + 4, PMR_KEY_TACKLES, 0},
        {4, PMR_INTERCEPTIONS, 1},
        {4, PMR_KEY_INTERCEPTIONS, 0},
        {4, 52, 2},  // clearances
        {4, PMR_KEY_CLEARANCES, 0},
        {4, PMS_GOOD_CLEARANCES, 1},
        {8, PMR_KEY_CROSSES, 1},
        {8, PMR_KEY_PASSES, 0},
        {8, PMS_CROSSES_COMPLETED, 2},
        {8, PMS_DANGEROUS_CROSSES, 1},
        {8, PMS_CORNERS_TAKEN, 1},
        {9, PMR_CROSSES_RECEIVED, 0},
        {9, PMS_SET_PIECE_CROSSES_RECEIVED, 1},
        {9, PMR_SHOTS_ON_TARGET, 1},
        {10, PMR_CROSSES_RECEIVED, 1},
        {10, PMS_SET_PIECE_CROSSES_RECEIVED, 0},
        {10, PMR_KEY_RUNS, 1},
        {10, PMS_PROGRESSIVE_RUNS, 2},
    };
    for (const Expected& e : rows) {
        EXPECT_EQ(Football_GetMatchFigure(Row(e.person), e.figure), e.value)
            << "person " << e.person << " figure " << e.figure;
    }
    EXPECT_EQ(Match.teamStats[0].shotsOnTarget, 2);
    EXPECT_EQ(Match.teamStats[0].shots, 4);

    // The graphs and columns read them: 4's clearances bar, the keeper's columns, 9's crosses.
    int32_t count = 0;
    const GraphDefinition* defence = MatchGraphs_Set(GRAPHS_DEFENCE, &count);
    EXPECT_EQ(MatchGraphs_Value(defence[3], Row(4)), 1);
    EXPECT_EQ(MatchGraphs_Value(defence[3], Row(6)), 1);
    const GraphDefinition* attack = MatchGraphs_Set(GRAPHS_ATTACK, &count);
    EXPECT_EQ(MatchGraphs_Value(attack[0], Row(9)), 1);
    EXPECT_EQ(MatchGraphs_Value(attack[0], Row(10)), 1);
    EXPECT_EQ(MatchFigures_Value(Row(MATCH_PERSONS_PER_SIDE), 661), 2);  // shots wide faced
    EXPECT_EQ(MatchFigures_Value(Row(MATCH_PERSONS_PER_SIDE), 660), 1);  // crosses unclaimed
    EXPECT_EQ(MatchFigures_Value(Row(8), 679), 2);                       // crosses made
    EXPECT_EQ(MatchFigures_Value(Row(9), 678), 1);                       // crosses received

    // A new match starts from nothing, and nothing waits from the last one.
    Strike(4, KICK_KIND_CLEARANCE, PITCH_CENTRE_X, kOut);
    KeyCounts_Reset();
    Touch(5, PITCH_CENTRE_X, kOut);
    EXPECT_EQ(Football_GetMatchFigure(Row(4), PMS_GOOD_CLEARANCES), 0);
    EXPECT_EQ(Football_GetMatchFigure(Row(0), PMS_GOOD_CLEARANCES), 0);
    EXPECT_EQ(Football_GetMatchFigure(Row(5), PMR_KEY_PASSES), 0);
    EXPECT_EQ(Football_GetMatchFigure(Row(4), PMS_GOOD_CLEARANCES), 0);
}

}  // namespace
