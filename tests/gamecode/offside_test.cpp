// tests/gamecode/offside_test.cpp: placed players and balls against the offside line: who a forward
// ball marks, when the linesman's call gives the offence or misses it, and the touch that calls it.
#include "gamecode/offside.h"

#include <vector>

#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "tests/gamecode/harness/harness.h"

namespace {

// A bare scene in open play: side 0 attacks y 122 past side 1's line at y 600, side 1 attacks
// y 2042 past side 0's line at y 1500. Side 0's number 5 plays the ball.
class Offside : public testing::Test {
protected:
    void SetUp() override
    {
        SetBareScene();
        PlaceBallAlone(796, 700);
        for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
            MatchPersons[person].offPitch = 0;
            MatchPersons[person].offsideRecovery = 0;
        }
        LastDefenderLine[0] = 1500;
        LastDefenderLine[1] = 600;
        Match.linesmanAccuracy = 60;
        MatchPersons[MATCH_LINESMAN_1].action = OFFICIAL_LINESMAN_LEFT;
        MatchPersons[MATCH_LINESMAN_2].action = OFFICIAL_LINESMAN_RIGHT;
        match.Record().commentaryGroups.clear();
    }
    ScopedMatch match;
};

TEST_F(Offside, AForwardBallMarksOnlyTeamMatesBeyondTheLineInTheHalfTheyAttack)
{
    constexpr int32_t kPasser = 5;
    struct Case {
        const char* name;
        int32_t player;
        int16_t y;
        int32_t velY;  // the ball's; side 0 plays forward toward smaller y
        int16_t phase;
        uint8_t offPitch;
        int16_t recovery;  // his offside-recovery counter before the pass
        uint8_t markBefore;
        int32_t onsideSkill;
        uint8_t mark;
        int16_t recoveryAfter;
    } const cases[] = {
        // name, player, y, ball velY, phase, off pitch, counter, mark before, skill 12: mark,
        // counter
        {"a yard beyond", 9, 584, -65536, PHASE_OPEN_PLAY, 0, 0, 0, 50, 1, 26},
        {"a unit beyond, a quick man", 9, 599, -1, PHASE_OPEN_PLAY, 0, 0, 0, 80, 1, 11},
        {"level with the line", 9, 600, -65536, PHASE_OPEN_PLAY, 0, 0, 0, 50, 0, 0},
        {"the ball going backward", 9, 584, 65536, PHASE_OPEN_PLAY, 0, 0, 0, 50, 0, 0},
        {"the ball going square", 9, 584, 0, PHASE_OPEN_PLAY, 0, 0, 1, 50, 0, 0},
        {"a counter running keeps it", 9, 584, -65536, PHASE_OPEN_PLAY, 0, 7, 0, 50, 1, 7},
        {"off the pitch", 9, 584, -65536, PHASE_OPEN_PLAY, 1, 0, 0, 50, 0, 0},
        {"the passer himself", kPasser, 584, -65536, PHASE_OPEN_PLAY, 0, 0, 0, 50, 0, 0},
        {"the keeper's slot", 0, 584, -65536, PHASE_OPEN_PLAY, 0, 0, 0, 50, 0, 0},
        {"beyond a line in his own half", 9, 1100, -65536, PHASE_OPEN_PLAY, 0, 0, 0, 50, 0, 0},
        {"an onside pass clears a mark", 9, 700, -65536, PHASE_OPEN_PLAY, 0, 0, 1, 50, 0, 0},
        {"outside open play", 9, 584, -65536, PHASE_THROW_IN_AWARDED, 0, 0, 1, 50, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        if (c.y == 1100) LastDefenderLine[1] = 1200;
        MatchPhase = c.phase;
        MatchPerson& p = MatchPersons[c.player];
        Person_PlaceAt(c.player, 796, c.y);
        p.offPitch = c.offPitch;
        p.offsideRecovery = c.recovery;
        p.offsideMark = c.markBefore;
        p.skills[12] = static_cast<uint8_t>(c.onsideSkill);
        Ball.velY = c.velY;
        Match_MarkOffsidePositions(kPasser);
        EXPECT_EQ(p.offsideMark, c.mark);
        EXPECT_EQ(p.offsideRecovery, c.recoveryAfter);
    }
}

TEST_F(Offside, TheCallGivesTheOffenceOrALinesmanMissesACloseOne)
{
    enum class Outcome { Nothing, Missed, Given };
    struct Case {
        const char* name;
        int32_t player;
        int16_t y;
        int16_t ballY;
        int16_t accuracy;
        int32_t roll;  // the draw % 100 the close call reads, -1 none drawn
        Outcome outcome;
        int32_t group;          // the commentary, -1 none
        int32_t linesman = -1;  // the one who flags
        uint8_t mark = 1;
    } const cases[] = {
        {"a yard beyond is always given", 9, 584, 500, 20, -1, Outcome::Given, 121, 34},
        {"fifteen units beyond, missed", 9, 585, 500, 60, 61, Outcome::Missed, 119},
        {"fifteen units beyond, flagged", 9, 585, 500, 60, 60, Outcome::Given, 120, 34},
        {"accuracy 99 never misses", 9, 599, 500, 99, 99, Outcome::Given, 120, 34},
        {"accuracy 98 misses a roll of 99", 9, 599, 500, 98, 99, Outcome::Missed, 119},
        {"accuracy 98 flags a roll of 98", 9, 599, 500, 98, 98, Outcome::Given, 120, 34},
        {"no mark", 9, 584, 500, 60, -1, Outcome::Nothing, -1, -1, 0},
        {"the ball in his own half", 9, 584, 1100, 60, -1, Outcome::Nothing, -1},
        {"the ball on halfway", 9, 584, 1082, 60, -1, Outcome::Nothing, -1},
        {"back onside since the pass", 9, 610, 500, 60, -1, Outcome::Nothing, -1},
        {"the other side up the pitch", 25, 1520, 1600, 60, -1, Outcome::Given, 121, 33},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        MatchPerson& p = MatchPersons[c.player];
        Person_PlaceAt(c.player, 400, c.y);
        p.offsideMark = c.mark;
        Person_PlaceAt(MATCH_BALL, 700, c.ballY);
        Match.linesmanAccuracy = c.accuracy;
        if (c.roll >= 0) ScriptDraws({{100, c.roll, c.roll}});
        const int32_t side = c.player / 16;
        Match_CallOffside(c.player);
        const bool given = c.outcome == Outcome::Given;
        EXPECT_EQ(MatchPhase, given ? PHASE_OFFSIDE : PHASE_OPEN_PLAY);
        EXPECT_EQ(p.stats.offsides, given ? 1 : 0);
        EXPECT_EQ(p.offsideMark, c.mark);
        const std::vector<int32_t> said = match.Record().commentaryGroups;
        EXPECT_EQ(said, c.group < 0 ? std::vector<int32_t>{} : std::vector<int32_t>{c.group});
        EXPECT_EQ(MatchPersons[MATCH_LINESMAN_1].action,
                  c.linesman == 33 ? OFFICIAL_FLAG_OFFSIDE_LEFT : OFFICIAL_LINESMAN_LEFT);
        EXPECT_EQ(MatchPersons[MATCH_LINESMAN_2].action,
                  c.linesman == 34 ? OFFICIAL_FLAG_OFFSIDE_RIGHT : OFFICIAL_LINESMAN_RIGHT);
        if (!given) continue;
        EXPECT_EQ(RestartSpot[0], 700);
        EXPECT_EQ(RestartSpot[1], c.ballY);
        EXPECT_EQ(OffsideSide, side);
        EXPECT_EQ(PhaseTimer, 0);
    }
}

// The pass marks him; the ball reaching his feet is his touch, and the call stops play.
TEST_F(Offside, AMarkedPlayerWhoTakesTheBallIsCalledAndTheOffsidePhaseCountsIt)
{
    Person_PlaceAt(9, 796, 560);
    MatchPersons[9].action = ACT_STAND;
    Ball.velY = -65536;
    Match_MarkOffsidePositions(5);
    ASSERT_EQ(MatchPersons[9].offsideMark, 1);
    Person_PlaceAt(MATCH_BALL, 796, 565);
    Ball.wholeX = 796;
    Ball.wholeY = 565;
    Ball.x16 = 796 * 65536;
    Ball.y16 = 565 * 65536;
    Ball.velY = 0;
    Ball_UpdateSpeedDir();
    Ball_ResolveContacts();
    EXPECT_EQ(MatchPhase, PHASE_OFFSIDE);
    EXPECT_EQ(OffsideSide, 0);
    EXPECT_EQ(MatchPersons[9].stats.offsides, 1);
    for (int32_t pass = 0; pass < 200 && MatchPhase == PHASE_OFFSIDE; ++pass)
        MatchPhase_Dispatch();
    EXPECT_EQ(MatchPhase, PHASE_FREE_KICK);
    EXPECT_EQ(Match.teamStats[0].offsides, 1);
    EXPECT_EQ(Match.teamStats[1].offsides, 0);
}

}  // namespace
