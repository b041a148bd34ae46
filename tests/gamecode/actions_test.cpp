// tests/gamecode/actions_test.cpp: the action dispatcher, sent-off players leaving, the play-time
// stamps, the player-group refresh of directions, heads and last-defender lines, and every
// action, official state and phase played from a standing start.
#include "gamecode/actions.h"

#include "engine/random.h"
#include "gamecode/activeplayer.h"
#include "gamecode/matchrun.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

TEST(Actions, TableHasARowPerId)
{
    for (int32_t id = 0; id < ACT_COUNT; ++id) {
        EXPECT_EQ(ActionTable[id].id, id);
        EXPECT_NE(ActionTable[id].run, nullptr);
        EXPECT_NE(ActionTable[id].name, nullptr);
    }
}

TEST(Actions, DispatcherCopiesOnlyTheExactPositionBackAndClearsTheRestartCount)
{
    ScopedMatch match;
    MatchPerson& p = MatchPersons[3];
    p.x = 100;  // a whole position out of step with the exact one does not count
    p.x16 = 200 * 65536 + 7;
    p.y16 = -1;
    PlayersNotInPlace = 5;
    CurrentSide = 0;
    player_action();
    EXPECT_EQ(p.x, 200);
    EXPECT_EQ(p.x16, 200 * 65536 + 7);
    EXPECT_EQ(p.y, 0);  // truncated toward zero
    EXPECT_EQ(PlayersNotInPlace, 0);
    EXPECT_EQ(CurrentSide, 1);
}

TEST(Actions, SentOffPlayerFreezesWhileTheDecisionShowsThenLeaves)
{
    ScopedMatch match;
    struct Case {
        int16_t sentOff, bookings;
    };
    for (const Case c : {Case{1, 0}, Case{0, 2}}) {
        MatchPerson& p = MatchPersons[5];
        Person_PlaceAt(5, 400, 450);
        p.action = 32;
        p.animation = 7;
        p.offPitch = 0;
        p.sentOff = c.sentOff;
        p.bookings = c.bookings;
        Ball.holder = 6;
        Ball.secondHolder = 6;
        ActivePlayer[0] = 5;
        RefereeDecision = 9;
        player_action();
        EXPECT_EQ(p.x, 400);
        EXPECT_EQ(ActivePlayer[0], 5);
        EXPECT_EQ(p.offPitch, 0);
        EXPECT_EQ(Ball.holder, 6);
        RefereeDecision = 0;
        player_action();
        EXPECT_EQ(p.x16, 0);
        EXPECT_EQ(p.y, 0);
        EXPECT_EQ(p.action, 0);
        EXPECT_EQ(p.offPitch, 1);
        EXPECT_EQ(p.animation, -1);
        EXPECT_EQ(Ball.holder, 0);
        EXPECT_EQ(Ball.secondHolder, 0);
        EXPECT_EQ(ActivePlayer[0], MATCH_NONE);  // he leaves his side's active part too
    }
}

TEST(Actions, PlayTimeIsStampedInOpenPlayForPlayersOnThePitch)
{
    ScopedMatch match;
    MatchPersons[20].offPitch = 1;
    Match.matchTicks = 0;
    player_action();
    EXPECT_EQ(MatchPersons[3].stats.firstPlayTick, 0u);
    Match.matchTicks = 10;
    player_action();
    Match.matchTicks = 20;
    MatchPhase = PHASE_GOAL;
    player_action();
    EXPECT_EQ(MatchPersons[3].stats.latestPlayTick, 0u);
    MatchPhase = PHASE_OPEN_PLAY;
    player_action();
    EXPECT_EQ(MatchPersons[3].stats.firstPlayTick, 10u);
    EXPECT_EQ(MatchPersons[3].stats.latestPlayTick, 20u);
    EXPECT_EQ(MatchPersons[20].stats.firstPlayTick, 0u);
}

TEST(ActionsDeathTest, ActionOutOfRangeIsFatalNamingThePlayer)
{
    ScopedMatch match;
    MatchPersons[3].action = 174;
    MatchPersons[20].action = -1;
    EXPECT_FATAL(player_action(), "player_action(): Player action out of range 174 - player 3");
    // The side drawn to move first this tick is run first, the away side as well as the home.
    Match.firstSide = 1;
    EXPECT_FATAL(player_action(), "player_action(): Player action out of range -1 - player 20");
}

class PlayerGroup : public testing::Test {
protected:
    void SetUp() override
    {
        SetPitchConstants();
        Person_PlaceAt(MATCH_BALL, 796, 1082);
        for (int32_t person = 0; person < MATCH_BALL; ++person) {
            Person_PlaceAt(person, 696, 1082);  // the ball due right of each
            MatchPersons[person].dirToBall = 999;
            MatchPersons[person].drawnDirection = 64;  // facing 0
        }
    }
    ScopedMatch match;
};

TEST_F(PlayerGroup, FourTicksVisitEveryPersonOnceAndAlternateTheSides)
{
    const int32_t firsts[4] = {0, 16, 8, 24};
    const int32_t lasts[4] = {7, 23, 15, 34};
    int32_t visited = 0;
    for (int32_t turn = 0; turn < 4; ++turn) {
        PlayerGroupTurn = static_cast<uint16_t>(turn);
        UpdatePlayerGroup();
        EXPECT_EQ(CurrentSide, turn & 1);
        visited += lasts[turn] - firsts[turn] + 1;
        int32_t refreshed = 0;
        for (int32_t person = 0; person < MATCH_BALL; ++person) {
            refreshed += MatchPersons[person].dirToBall == 64 ? 1 : 0;
        }
        EXPECT_EQ(refreshed, visited) << turn;
        EXPECT_EQ(MatchPersons[lasts[turn]].dirToBall, 64) << turn;
    }
    EXPECT_EQ(visited, 35);
}

TEST_F(PlayerGroup, BallHolderWordIsTheFirstPlayerWithTheBall)
{
    UpdatePlayerGroup();
    EXPECT_EQ(BallHolder, -1);
    MatchPersons[9].hasBall = 1;
    MatchPersons[4].hasBall = 1;
    MatchPersons[MATCH_REFEREE].hasBall = 1;
    UpdatePlayerGroup();
    EXPECT_EQ(BallHolder, 4);
}

TEST_F(PlayerGroup, HeadsFollowTheBallOrTurnStraightByTheAction)
{
    PlayerGroupTurn = 3;
    MatchPersons[24].action = 0;
    MatchPersons[25].action = 5;
    MatchPersons[25].headAngle = 30;
    MatchPersons[MATCH_REFEREE].action = 14;
    MatchPersons[MATCH_LINESMAN_1].action = 5;
    MatchPersons[MATCH_LINESMAN_1].headAngle = -20;
    MatchPersons[MATCH_LINESMAN_2].action = 900;  // never happens; must not read past the table
    MatchPersons[MATCH_LINESMAN_2].headAngle = 10;
    UpdatePlayerGroup();
    EXPECT_EQ(MatchPersons[24].headAngle, 16);
    EXPECT_EQ(MatchPersons[25].headAngle, 0);
    EXPECT_EQ(MatchPersons[MATCH_REFEREE].headAngle, 16);
    EXPECT_EQ(MatchPersons[MATCH_LINESMAN_1].headAngle, 0);
    EXPECT_EQ(MatchPersons[MATCH_LINESMAN_2].headAngle, 0);
}

TEST_F(PlayerGroup, LastDefenderLineCountsOutfieldPlayersInsideTheTouchlines)
{
    Match.secondOfPair = 0;  // side 0 defends y 122: its rearmost man has the smallest y
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
            Person_PlaceAt(LineUp[side][slot], 500, 900 + 10 * slot);
        }
    }
    Person_PlaceAt(LineUp[0][0], 500, 130);   // the keeper does not count
    Person_PlaceAt(LineUp[0][4], 156, 300);   // nor a man on the touchline
    MatchPersons[LineUp[0][6]].offPitch = 1;  // nor one off the pitch
    Person_PlaceAt(LineUp[0][6], 500, 200);
    Person_PlaceAt(LineUp[1][11], 500, 2000);  // nor the bench
    PlayerGroupTurn = 0;
    UpdatePlayerGroup();
    EXPECT_EQ(LastDefenderLine[0], 910);
    PlayerGroupTurn = 1;
    UpdatePlayerGroup();
    EXPECT_EQ(LastDefenderLine[1], 1000);
    for (int32_t slot = 1; slot <= 10; ++slot) {
        Person_PlaceAt(LineUp[0][slot], 1436, 900);
        Person_PlaceAt(LineUp[1][slot], 156, 900);
    }
    PlayerGroupTurn = 2;
    UpdatePlayerGroup();
    EXPECT_EQ(LastDefenderLine[0], 10000);
    PlayerGroupTurn = 3;
    UpdatePlayerGroup();
    EXPECT_EQ(LastDefenderLine[1], 0);
}

// The smoke runs: from the first period's set-up with the ball 6 units in front of a player near
// the centre, in open play and at a throw-in being taken (the restart words set as for a foul on
// him and a ball gone out), one change is made and the engine plays 300
// ticks for each of the seeds 1-5: no fatal error (which ends the program) and no invariant
// broken.
constexpr int16_t kSmokePhases[] = {PHASE_OPEN_PLAY, PHASE_THROW_IN_TAKEN};
constexpr int32_t kSmokePlayer = 6;

void SetSmokeScene(int16_t phase, uint32_t seed)
{
    // The first period's set-up gives the takers, the lists and the clock a match starts with.
    SetOpenPlayScene();
    Match_SetupPeriod();
    SRand(seed);
    const int32_t x = PITCH_CENTRE_X - 40;
    const int32_t y = PITCH_CENTRE_Y - 30;
    Person_PlaceAt(kSmokePlayer, x, y);
    Person_PlaceAt(MATCH_BALL, x, y + 6);
    MatchPerson& p = MatchPersons[kSmokePlayer];
    p.facing = static_cast<uint16_t>(Person_DirectionTo(x, y, x, y + 6));
    // The words a stoppage is entered with: a foul on him by side 1 at the ball, which last went
    // out over the left touchline level with him and over the far goal line near the post.
    RestartSpot[0] = static_cast<int16_t>(x);
    RestartSpot[1] = static_cast<int16_t>(y + 6);
    Match.throwInSpot[0] = PITCH_LEFT_TOUCHLINE_X;
    Match.throwInSpot[1] = static_cast<int16_t>(y);
    Match.cornerSpot[0] = Match.goalKickSpot[0] = PITCH_CENTRE_X - 150;
    Match.cornerSpot[1] = Match.goalKickSpot[1] = PITCH_FAR_GOAL_LINE_Y + 10;
    FoulingSide = 1;
    FouledPlayer = kSmokePlayer;
    OffsideSide = 1;
    MatchPhase = phase;
    PhaseTimer = 0;
}

// Plays the smoke run of every seed and phase after `change`; false, with the failure naming what
// was run, at the first run that breaks an invariant.
bool SmokeRunsSound(const std::string& name, const std::function<void()>& change)
{
    for (const int16_t phase : kSmokePhases) {
        for (uint32_t seed = 1; seed <= 5; ++seed) {
            SetSmokeScene(phase, seed);
            change();
            RunTicks(300);
            if (!Watchdog_Failures().empty()) {
                const MatchPerson& ball = MatchPersons[MATCH_BALL];
                ADD_FAILURE() << name << " from phase " << phase << ", seed " << seed << ": "
                              << Watchdog_Failures().front() << " (ball at " << ball.x << ", "
                              << ball.y << ", phase " << MatchPhase << ")";
                return false;
            }
        }
    }
    return true;
}

TEST(ActionSmoke, EveryActionPlaysOnFromAStandingStart)
{
    ScopedMatch match;
    for (int16_t action = 0; action < ACT_COUNT; ++action) {
        if (!SmokeRunsSound("action " + std::to_string(action),
                            [action] { Person_SetAction(kSmokePlayer, action); }))
            return;
    }
}

TEST(ActionSmoke, EveryOfficialStatePlaysOn)
{
    ScopedMatch match;
    for (int16_t state = 0; state < 16; ++state) {
        const bool sound = SmokeRunsSound("official state " + std::to_string(state), [state] {
            for (int32_t official = MATCH_REFEREE; official <= MATCH_LINESMAN_2; ++official) {
                MatchPersons[official].action = state;
            }
        });
        if (!sound) return;
    }
}

TEST(ActionSmoke, EveryPhaseEnteredWithItsTimerAtZeroPlaysOn)
{
    ScopedMatch match;
    for (int16_t phase = 0; phase < PHASE_COUNT; ++phase) {
        const bool sound = SmokeRunsSound("phase " + std::to_string(phase), [phase] {
            MatchPhase = phase;
            PhaseTimer = 0;
        });
        if (!sound) return;
    }
}

}  // namespace
