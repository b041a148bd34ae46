// tests/gamecode/substitutions_test.cpp: the planner's steps under scripted draws, the substitute's
// choice, the change and its guards, the stand-in keeper, the substitutions of each stoppage, a
// human side's own change, and fatigue's draws.
#include "gamecode/substitutions.h"

#include <algorithm>
#include <array>
#include <string>

#include "engine/random.h"
#include "game/matchblocks.h"
#include "gamecode/ball.h"
#include "gamecode/incidents.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"

namespace {

// Position codes of squad slots 0-15: a 4-4-2, then a bench of a keeper, two defenders, a
// midfielder and a forward.
constexpr std::array<uint8_t, 16> kCodes{0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 0, 2, 6, 10, 3};

// Open play in the second half, both sides' starters on the pitch and their benches free, every
// skill 40.
class Substitutions : public testing::Test {
protected:
    void SetUp() override
    {
        SetOpenPlayScene();
        Match.substitutesAllowed = 3;
        Match.period = 1;
        for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
            MatchPerson& p = MatchPersons[person];
            const int32_t slot = person % MATCH_PERSONS_PER_SIDE;
            p.positionClass = kCodes[slot];
            p.startedOnBench = slot >= MATCH_STARTERS ? 1 : 0;
            p.matchRating = slot >= MATCH_STARTERS ? 0 : 50;
            p.playerId = static_cast<uint16_t>(100 + person);
            std::fill(std::begin(p.skills), std::end(p.skills), uint8_t{40});
        }
    }
    ScopedMatch match;
};

TEST_F(Substitutions, ThePlannerAsksByItsStepsInOrder)
{
    struct Case {
        const char* name;
        int32_t period;
        int16_t used;
        int32_t injured;     // resultByteB 1, -1 none
        int8_t tiredness;    // of person 6
        uint8_t keeperCode;  // of the person in goal
        bool benchKeeperFree;
        std::vector<ScriptedDraw> draws;
        int32_t plannedOut;  // 255 none
        uint32_t drawsMade;
        bool asksWithNobody = false;  // the request stands with nobody planned to go off
    } const cases[] = {
        {"at the limit", 1, 3, 4, 60, 0, true, {}, 255, 0},
        {"injured in the first half", 0, 0, 4, 0, 0, true, {}, 4, 0},
        {"injured later", 1, 2, 4, 60, 0, true, {}, 4, 0},
        {"the weak roll hits his index", 1, 0, -1, 0, 0, true, {{50, 1, 1}}, 1, 1},
        {"weak needs two changes left", 1, 1, -1, 0, 0, true, {{50, 1, 1}}, 1, 1},
        {"not with one left", 1, 2, -1, 0, 0, true, {{50, 1, 1}}, 255, 1},
        {"tired above 40", 1, 0, -1, 41, 0, true, {{50, 2, 49}}, 6, 1},
        {"40 is not tired enough", 1, 0, -1, 40, 0, true, {{50, 2, 49}}, 255, 1},
        {"nobody weak or tired in the first half", 0, 0, -1, 41, 0, true, {}, 255, 0},
        {"a field player in goal: the tired one", 0, 2, -1, 3, 5, true, {}, 6, 0},
        {"a field player in goal, nobody tired: asked with nobody",
         0,
         2,
         -1,
         0,
         5,
         true,
         {},
         255,
         0,
         true},
        {"no free bench keeper: the usual steps", 0, 0, -1, 3, 5, false, {}, 255, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Match.period = static_cast<uint8_t>(c.period);
        Match.substitutionCount[0] = c.used;
        if (c.injured >= 0) MatchPersons[c.injured].resultByteB = 1;
        MatchPersons[6].resultByteA = c.tiredness;
        MatchPersons[0].positionClass = c.keeperCode;
        if (!c.benchKeeperFree) MatchPersons[11].matchRating = 255;
        if (c.draws.empty()) {
            SRand(1);
        } else {
            ScriptDraws(c.draws);
        }
        const uint32_t before = RandDrawCount();
        Team_PlanSubstitution(0);
        EXPECT_EQ(Match.substitutionPlan[0][0], c.plannedOut);
        EXPECT_EQ(SubstitutionRequest[0], c.plannedOut != 255 || c.asksWithNobody ? 1 : 0);
        EXPECT_EQ(RandDrawCount() - before, c.drawsMade);
        if (c.used < 3) {
            // Every outfield starter's participation became his rating so far.
            EXPECT_EQ(MatchPersons[3].matchRating, Football_GetPlayerRating(0, 3));
            EXPECT_NE(MatchPersons[3].matchRating, 50);
        }
    }
}

TEST_F(Substitutions, TheSuitabilityTableAndTheSubstitutesScore)
{
    const std::array<std::string, 13> rows{
        "13 1 1 1 1 1 1 1 1 1 1 1 1",  "1 13 9 10 8 7 5 4 3 6 2 1 1", "1 9 13 7 10 8 6 4 3 2 5 1 1",
        "1 10 8 13 7 6 5 4 3 9 2 1 1", "1 6 10 5 13 8 7 9 4 3 2 1 1", "1 4 3 5 6 13 10 9 8 7 2 1 1",
        "1 4 3 5 6 10 13 9 8 7 2 1 1", "1 4 3 5 6 10 8 13 9 7 2 1 1", "1 1 1 2 3 10 8 9 13 7 5 6 4",
        "1 9 8 10 7 6 5 4 3 13 2 1 1", "1 5 1 6 1 4 3 2 7 8 13 10 9", "1 5 1 6 1 4 3 2 7 8 9 13 10",
        "1 5 1 6 1 4 3 2 7 8 9 10 13"};
    for (int32_t off = 0; off < POSITION_CODE_COUNT; ++off) {
        std::string row;
        for (int32_t on = 0; on < POSITION_CODE_COUNT; ++on) {
            row += (on != 0 ? " " : "") + std::to_string(Substitution_Suitability(off, on));
        }
        EXPECT_EQ(row, rows[off]) << "off " << off;
    }
    EXPECT_EQ(Substitution_Suitability(13, 0), 0);
    EXPECT_EQ(Substitution_Suitability(0, -1), 0);

    // For a left-back (code 1): the defender (code 2) scores 160 x 9 = 1440, the code-3 defender
    // 144 x 10 = 1440 and wins the tie as the later slot; the keeper 400 x 1, the midfielder
    // 160 x 5, the forward 160 x 2.
    MatchPersons[11].skills[1] = 100;
    MatchPersons[11].skills[SKILL_PACE] = 100;
    MatchPersons[11].skills[2] = 100;
    MatchPersons[11].skills[3] = 100;
    MatchPersons[15].skills[1] = 24;
    struct Case {
        const char* name;
        int32_t outgoing;
        int32_t unusable;  // a bench slot that may not come on, -1 none
        int32_t expected;
    } const cases[] = {
        {"a tie to the later slot", 1, -1, 15},   {"the next best", 1, 15, 12},
        {"the keeper for the keeper", 0, -1, 11}, {"a forward for a forward", 9, -1, 14},
        {"nobody of the other side", 20, -1, -1}, {"nobody for nobody", -1, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int32_t bench = 11; bench < 16; ++bench) {
            MatchPersons[bench].matchRating = bench == c.unusable ? 255 : 0;
        }
        EXPECT_EQ(Team_PickSubstitute(0, c.outgoing), c.expected);
    }
    // One who came on and went off again, or who started, is no candidate.
    for (int32_t bench = 11; bench < 16; ++bench) {
        MatchPersons[bench].startedOnBench = 0;
    }
    EXPECT_EQ(Team_PickSubstitute(0, 1), -1);
}

TEST_F(Substitutions, AChangeIsMadeOnlyForAValidPlanAndRefillsTheSide)
{
    MatchPersons[4].action = ACT_WALK_TO_TARGET;
    MatchPersons[4].targetX = 333;
    MatchPersons[4].targetY = 444;
    std::memset(&TeamShape[0], 0, sizeof(TacticsRecord));
    Match.substitutionPlan[0][0] = 4;
    SubstitutionRequest[0] = 1;
    Team_MakeSubstitution(0);
    // For a code-4 defender the code-2 defender (160 x 10) beats the code-3 one (160 x 5).
    const MatchPerson& on = MatchPersons[12];
    EXPECT_EQ(LineUp[0][4], 12);
    EXPECT_EQ(LineUp[0][12], 4);
    EXPECT_EQ(Match.substitutionCount[0], 1);
    EXPECT_EQ(SubstitutionRequest[0], 0);
    EXPECT_EQ(MatchPersons[4].offPitch, 1);
    EXPECT_EQ(MatchPersons[4].timesSubstituted, 1);
    EXPECT_EQ(on.offPitch, 0);
    EXPECT_EQ(on.matchRating, 50);
    EXPECT_EQ(on.startedOnBench, 0);
    EXPECT_EQ(on.action, ACT_WALK_TO_TARGET);
    EXPECT_EQ(on.x, MatchPersons[4].x);
    EXPECT_EQ(on.targetX, 333);
    EXPECT_EQ(on.targetY, 444);
    const std::vector<int32_t>& groups = match.Record().commentaryGroups;
    EXPECT_NE(std::find(groups.begin(), groups.end(), 112), groups.end());
    const std::array<int32_t, 3> bar{11, 12, 4};
    EXPECT_EQ(match.Record().infoBars.back(), bar);
    const MatchDataBlock& data = *GetMatchDataBlock();
    ASSERT_EQ(+data.eventCount, 1);
    EXPECT_EQ(data.events[0].kind, 1);
    EXPECT_EQ(+data.events[0].a, 0);
    EXPECT_EQ(+data.events[0].b, 104);
    EXPECT_EQ(+data.events[0].c, 112);
    EXPECT_EQ(data.events[1].kind, 255);
    // The refill put the side's first formation back.
    const TacticsRecord& first = GetMatchSidesBlock()->sides[0].tactics[0];
    EXPECT_EQ(std::memcmp(&TeamShape[0].slots[9], &first.slots[9], sizeof(TacticsSlot)), 0);

    struct Case {
        const char* name;
        uint8_t plannedOut;
        int16_t phase;
        int32_t unusableBench;  // every bench slot from this one on may not come on
        bool requestStays;
    } const cases[] = {
        {"nobody planned", 255, PHASE_OPEN_PLAY, 16, true},
        {"a player of the other side", 20, PHASE_OPEN_PLAY, 16, true},
        {"a player already off", 4, PHASE_OPEN_PLAY, 16, true},
        {"the substitution pause", 5, PHASE_SUBSTITUTION_PAUSE, 16, true},
        // No usable substitute: the request stands for the stoppage to settle.
        {"an empty bench", 5, PHASE_OPEN_PLAY, 11, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int32_t bench = 11; bench < 16; ++bench) {
            if (bench >= c.unusableBench) MatchPersons[bench].matchRating = 255;
        }
        MatchPhase = c.phase;
        Match.substitutionPlan[0][0] = c.plannedOut;
        SubstitutionRequest[0] = 1;
        Team_MakeSubstitution(0);
        EXPECT_EQ(Match.substitutionCount[0], 1);
        EXPECT_EQ(LineUp[0][5], 5);
        EXPECT_EQ(SubstitutionRequest[0], c.requestStays ? 1 : 0);
        EXPECT_EQ(Match.substitutionPlan[0][0], c.requestStays ? c.plannedOut : 255);
    }
    // The stoppage settles the request the empty bench left: the asking side's pressure rises by
    // 4 and the other's falls by 8, as after any request.
    TeamPressure[0] = 10;
    TeamPressure[1] = 10;
    Match_RunPendingSubstitutions();
    EXPECT_EQ(SubstitutionRequest[0], 0);
    EXPECT_EQ(TeamPressure[0], 14);
    EXPECT_EQ(TeamPressure[1], 2);
}

TEST_F(Substitutions, TheStandInKeeperIsTheBestByKeepingAndAgility)
{
    struct Case {
        const char* name;
        std::vector<std::array<int32_t, 3>> skills;  // person, skill 0, agility
        std::vector<int32_t> off;                    // persons off the pitch
        int32_t expected;                            // the person in goal afterwards
    } const cases[] = {
        {"skill 0 and agility together", {{3, 60, 20}, {7, 30, 60}}, {}, 7},
        {"a tie to the later slot", {{3, 60, 40}, {7, 40, 60}}, {}, 7},
        {"off the pitch is passed over", {{3, 60, 40}, {7, 40, 90}}, {7}, 3},
        {"nobody on the pitch: no swap", {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        std::swap(LineUp[0][0], LineUp[0][11]);  // the keeper was replaced by the bench keeper
        for (const auto& [person, keeping, agility] : c.skills) {
            MatchPersons[person].skills[0] = static_cast<uint8_t>(keeping);
            MatchPersons[person].skills[SKILL_AGILITY] = static_cast<uint8_t>(agility);
        }
        for (const int32_t person : c.off) {
            MatchPersons[person].offPitch = 1;
        }
        Team_PickStandInKeeper(0);
        const int32_t inGoal = c.expected == 0 ? 11 : c.expected;
        EXPECT_EQ(LineUp[0][0], inGoal);
        if (c.expected != 0) {
            EXPECT_EQ(LineUp[0][c.expected], 11);
        }
    }
}

TEST_F(Substitutions, EveryStoppageButTheCornerLetsAComputerSideChange)
{
    struct Case {
        const char* name;
        int16_t phase;
        bool changes;
    } const cases[] = {
        {"throw-in", PHASE_THROW_IN_AWARDED, true},
        {"goal kick", PHASE_GOAL_KICK_AWARDED, true},
        {"offside", PHASE_OFFSIDE, true},
        {"foul", PHASE_FOUL, true},
        {"after a goal", PHASE_GOAL_CELEBRATION, true},
        {"corner", PHASE_CORNER_AWARDED, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        SRand(5);
        MatchPersons[6].resultByteB = 1;  // a knock the planner sees
        Match.throwInSpot[0] = PITCH_LEFT_TOUCHLINE_X;
        Match.throwInSpot[1] = 900;
        Match.goalKickSpot[0] = 700;
        Match.goalKickSpot[1] = 200;
        Match.cornerSpot[0] = PITCH_LEFT_TOUCHLINE_X;
        Match.cornerSpot[1] = PITCH_NEAR_GOAL_LINE_Y;
        FoulingSide = 1;
        FouledPlayer = 3;
        OffsideSide = 1;
        RestartSpot[0] = 700;
        RestartSpot[1] = 900;
        for (int32_t side = 0; side < 2; ++side) {
            Person_SetAction(LineUp[side][0], ACT_KEEPER_IDLE);
        }
        MatchPhase = c.phase;
        PhaseTimer = 1;
        for (int32_t pass = 0; pass < 3 && MatchPhase == c.phase; ++pass) {
            MatchPhase_Dispatch();
        }
        ASSERT_NE(MatchPhase, c.phase);
        EXPECT_EQ(Match.substitutionCount[0], c.changes ? 1 : 0);
        EXPECT_EQ(MatchPersons[6].offPitch, c.changes ? 1 : 0);
        EXPECT_EQ(Match.substitutionCount[1], 0);
        EXPECT_EQ(StoppageSubstituted[0], 0);
    }
    // Never while the substitution pause runs, nor beyond the limit, nor for a human side.
    for (const int32_t variant : {0, 1, 2}) {
        SCOPED_TRACE(variant);
        SetUp();
        MatchPersons[6].resultByteB = 1;
        if (variant == 0) MatchPhase = PHASE_SUBSTITUTION_PAUSE;
        if (variant == 1) Match.substitutionCount[0] = 3;
        if (variant == 2) GetMatchSidesBlock()->sides[0].human = 1;
        Match_RunStoppageSubstitutions();
        EXPECT_EQ(MatchPersons[6].offPitch, 0);
        EXPECT_LE(Match.substitutionCount[0], 3);
    }
}

// The harness's menu double makes the human's change, as his substitution screen will.
void HumanBringsOnTwelveForFive(int32_t side) { Football_Substitute(side, 12, 5); }

TEST_F(Substitutions, AHumanSidesOwnChangeCountsAndTheEngineLeavesItsShapeAlone)
{
    GetMatchSidesBlock()->sides[0].human = 1;
    MatchPresentationOps.InGameMenusLoopAt = HumanBringsOnTwelveForFive;
    std::memset(&TeamShape[0], 0x22, sizeof(TacticsRecord));
    const TacticsRecord shape = TeamShape[0];
    MatchPersons[7].sentOff = 1;
    MatchPersons[7].offPitch = 1;
    MatchPersons[6].resultByteB = 1;  // the engine would change him for a computer side
    SubstitutionRequest[0] = 1;
    Match_RunStoppageSubstitutions();
    EXPECT_EQ(Match.substitutionCount[0], 1);
    EXPECT_EQ(Football_GetSubstitutionsUsed(0), 1);
    EXPECT_EQ(MatchPersons[5].offPitch, 1);
    EXPECT_EQ(MatchPersons[6].offPitch, 0);
    std::array<int16_t, 16> order{};
    std::copy(std::begin(LineUp[0]), std::end(LineUp[0]), order.begin());
    std::sort(order.begin(), order.end());
    for (int32_t s = 0; s < 16; ++s) {
        EXPECT_EQ(order[s], s);
    }
    const MatchDataBlock& data = *GetMatchDataBlock();
    ASSERT_EQ(+data.eventCount, 1);
    EXPECT_EQ(data.events[0].kind, 1);
    EXPECT_EQ(+data.events[0].a, 0);
    EXPECT_EQ(std::memcmp(&TeamShape[0], &shape, sizeof shape), 0);
    EXPECT_EQ(StoppageSubstituted[0], 1);
}

TEST_F(Substitutions, FatigueDrawsAndItsEffects)
{
    // Only the keeper (person 0) and person 3 play; everyone else draws only his two gates.
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        MatchPersons[person].offPitch = person == 3 || person == 0 ? 0 : 1;
    }
    constexpr ScriptedDraw kAny{1, 0, 0};
    constexpr ScriptedDraw kTiringGatePasses{200, 41, 199};  // above skill 16 (40)
    constexpr ScriptedDraw kTiringGateFails{200, 0, 40};
    constexpr ScriptedDraw kMoodGatePasses{100, 21, 99};  // above skill 11 / 2, flank or not
    constexpr ScriptedDraw kMoodGateFails{100, 0, 5};
    constexpr ScriptedDraw kHit{4, 0, 0};
    constexpr ScriptedDraw kMiss{4, 1, 3};
    const std::vector<ScriptedDraw> keeperRests{kTiringGateFails, kMoodGateFails};
    const std::vector<ScriptedDraw> keeperTires{kTiringGatePasses, kAny, kMoodGateFails};
    struct Case {
        const char* name;
        int16_t phase;
        int8_t mark;  // person 3's resultByteB before
        int16_t pressure[2];
        int16_t captain;
        std::vector<ScriptedDraw> keeper;
        std::vector<ScriptedDraw> draws;  // person 3's
        int8_t tiredness;                 // resultByteA after
        int8_t markAfter;
        int32_t paceChange;   // skill 15
        int32_t heartChange;  // skill 11
    } const cases[] = {
        {"tires and recovers",
         PHASE_OPEN_PLAY,
         1,
         {5, 5},
         -1,
         keeperTires,
         {kTiringGatePasses, {200, 0, 39}, {8, 0, 0}, kMoodGateFails},
         1,
         0,
         -1,
         0},
        {"no recovery outside open play",
         PHASE_THROW_IN_AWARDED,
         1,
         {5, 5},
         -1,
         keeperRests,
         {kTiringGatePasses, {200, 0, 39}, {8, 1, 7}, kMoodGateFails},
         0,
         1,
         -1,
         0},
        {"fresh legs",
         PHASE_OPEN_PLAY,
         0,
         {5, 5},
         -1,
         keeperRests,
         {kTiringGateFails, kMoodGateFails},
         0,
         0,
         0,
         0},
        {"equal pressure: no mood",
         PHASE_OPEN_PLAY,
         0,
         {5, 5},
         -1,
         keeperRests,
         {kTiringGateFails, kMoodGatePasses},
         0,
         0,
         0,
         0},
        // Less pressure: one draw for each of the nine skills, then heart and spirit gain.
        {"loses heart",
         PHASE_OPEN_PLAY,
         0,
         {2, 5},
         -1,
         keeperRests,
         {kTiringGateFails, kMoodGatePasses, kHit, kMiss, kMiss, kMiss, kMiss, kMiss, kMiss, kMiss,
          kMiss, kHit, kMiss},
         0,
         0,
         -1,
         1},
        // More pressure: eight skills gain, then heart and spirit lose.
        {"gains heart",
         PHASE_OPEN_PLAY,
         0,
         {9, 5},
         -1,
         keeperRests,
         {kTiringGateFails, kMoodGatePasses, kHit, kMiss, kMiss, kMiss, kMiss, kMiss, kMiss, kMiss,
          kHit, kMiss},
         0,
         0,
         1,
         -1},
        // The captain (the keeper, skill 13 40) steadies a side under less pressure...
        {"the captain steadies",
         PHASE_OPEN_PLAY,
         0,
         {2, 5},
         0,
         keeperRests,
         {kTiringGateFails, kMoodGatePasses, {100, 0, 39}},
         0,
         0,
         0,
         0},
        // ... and holds back one under more.
        {"the captain holds back",
         PHASE_OPEN_PLAY,
         0,
         {9, 5},
         0,
         keeperRests,
         {kTiringGateFails, kMoodGatePasses, {100, 41, 99}},
         0,
         0,
         0,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const int32_t person : {0, 3}) {
            std::fill(std::begin(MatchPersons[person].skills),
                      std::end(MatchPersons[person].skills), uint8_t{40});
            MatchPersons[person].resultByteA = 0;
        }
        MatchPersons[3].resultByteB = c.mark;
        MatchPhase = c.phase;
        TeamPressure[0] = c.pressure[0];
        TeamPressure[1] = c.pressure[1];
        Match.takers[0][TAKER_CAPTAIN] = c.captain;
        std::vector<ScriptedDraw> script = c.keeper;
        script.insert(script.end(), 4, kAny);  // persons 1 and 2
        script.insert(script.end(), c.draws.begin(), c.draws.end());
        ScriptDraws(script);
        const uint32_t before = RandDrawCount();
        Match_Fatigue();
        EXPECT_EQ(RandDrawCount() - before, script.size() + 28 * 2);  // persons 4-31: two each
        EXPECT_EQ(MatchPersons[3].resultByteA, c.tiredness);
        EXPECT_EQ(MatchPersons[3].resultByteB, c.markAfter);
        EXPECT_EQ(MatchPersons[3].skills[SKILL_PACE] - 40, c.paceChange);
        EXPECT_EQ(MatchPersons[3].skills[11] - 40, c.heartChange);
        // A keeper never tires, though his skills drop with the rest.
        EXPECT_EQ(MatchPersons[0].resultByteA, 0);
        EXPECT_EQ(MatchPersons[0].skills[SKILL_PACE], c.keeper.size() == 3 ? 39 : 40);
    }
}

}  // namespace
