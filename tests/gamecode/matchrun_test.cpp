// tests/gamecode/matchrun_test.cpp: the periods a match plays, the clock, the loop's requests,
// the views and the result left in the data block.
#include "gamecode/matchrun.h"

#include <algorithm>
#include <cstring>

#include "engine/poll.h"
#include "engine/random.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/gamecode/harness/playerrows.h"
#include "tests/support/support.h"

namespace {

std::vector<int32_t> PeriodsPlayed(const PresentationRecord& record)
{
    std::vector<int32_t> periods;
    for (int32_t group : record.commentaryGroups) {
        if (group >= 115 && group <= 118) periods.push_back(group - 115);
    }
    return periods;
}

// A tie stays level whatever the play, so that the rules for a level tie are what is tested.
void KeepScoresLevel() { Match.score[1] = Match.score[0]; }
void KeepGoalless() { Match.score[0] = Match.score[1] = 0; }
// Goalless until the scripted goal at tick 100 of the first extra period.
void KeepGoallessUntilTheScriptedGoal()
{
    if (Match.period < 2 || (Match.period == 2 && Match.periodTicks < 100)) {
        Match.score[0] = 0;
        Match.score[1] = 0;
    }
}

TEST(MatchRun, PlainMatchPlaysTwoHalvesAndLeavesItsResult)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.periodMinutes = 1;
    builder.Write();
    GetMatchSidesBlock()->sides[1].human = 1;
    PlayMatch3D();
    EXPECT_TRUE(Watchdog_Failures().empty()) << Watchdog_Failures()[0];
    EXPECT_EQ(PeriodsPlayed(match.Record()), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(match.Record().Count("HalfTime1"), 1);
    EXPECT_EQ(match.Record().Count("HalfTime0"), 0);
    EXPECT_EQ(match.Record().Count("TimedEvents_Reset"), 2);
    EXPECT_EQ(match.Record().Count("Replay_ResetCounters"), 2);
    const MatchDataBlock* data = GetMatchDataBlock();
    EXPECT_EQ(+data->sides[0].score, Match.score[0]);
    EXPECT_EQ(+data->sides[1].score, Match.score[1]);
    EXPECT_EQ(+data->events[data->eventCount].kind, MATCH_EVENT_END);
    EXPECT_EQ(+data->sides[0].scorers[std::min<int32_t>(Match.score[0], 20)].player, -1);
    EXPECT_EQ(CheckPlayerRows(), "");
    EXPECT_EQ(CheckMinutesOnPitch(90), "");
    EXPECT_EQ(+data->sides[0].cardBytes[19].minute, 255);
    EXPECT_EQ(+data->territory[120], 255);
    EXPECT_NE(+data->territory[0], 255);
    EXPECT_LE(data->territory[0], 100);
    EXPECT_EQ(+data->territory[90], 255);
    uint32_t thirds = 0;
    for (int32_t t = 0; t < 3; ++t) {
        thirds += data->territoryTotals[t];
    }
    EXPECT_EQ(thirds, Match.openPlayTicks);
    // The bookings field of row 10 is person 10's own: his bookings, 3 when sent off.
    const MatchPerson& ten = MatchPersons[10];
    EXPECT_EQ(data->sides[0].players[10].bits65 >> 6 & 3,
              ten.sentOff != 0 ? 3u : static_cast<uint32_t>(ten.bookings));
    EXPECT_EQ(Match.finalWhistle, 1);
    // Each period ends on sound 8; the referee's restart whistles after a foul play it too.
    EXPECT_GE(std::count(match.Record().sounds.begin(), match.Record().sounds.end(), 8), 2);
}

// The goals after each kick of the shoot-out, seen when the next kick is set up.
struct ShootOutTrace {
    int32_t kicks = 0;
    std::vector<std::vector<int32_t>> continuedAt;  // {kicks, g0, g1}
};
ShootOutTrace* s_trace = nullptr;

void KeepLevelAndTraceTheKicks()
{
    if (Match.period != MATCH_PERIOD_SHOOT_OUT) {
        KeepScoresLevel();
        return;
    }
    if (Match.shootoutKicks == s_trace->kicks) return;
    s_trace->continuedAt.push_back(
        {s_trace->kicks, Match.shootOutGoals[0], Match.shootOutGoals[1]});
    s_trace->kicks = Match.shootoutKicks;
}

// Side 1 kicks off the first period of each pair (0 and 2) and side 0 the second (1 and 3),
// whatever the seed: the ends are fixed, so every kick-off goes toward the same end. No toss: the
// kick-offs take no draw, and a seed plays the same match whichever side it favours.
TEST(MatchRun, SideOneKicksOffTheFirstPeriodOfEachPairAndSideZeroTheSecond)
{
    static int32_t s_opener[4];  // the side kicking off periods 0-3, -1 none yet
    ScopedMatch match;
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        MatchDayBuilder builder;
        builder.seed = seed;
        builder.periodMinutes = 1;
        builder.extraTime = 1;
        builder.Write();
        SRand(seed);
        std::fill(std::begin(s_opener), std::end(s_opener), -1);
        Comm_SetListener([](int32_t group, int32_t side, int32_t, int32_t, int32_t) {
            constexpr int32_t kPeriodStartGroup = 106;
            const int32_t period = group - kPeriodStartGroup;
            if (period >= 0 && period < 4) s_opener[period] = side;
        });
        const uint16_t key = AddPollFunction(KeepGoalless, POLL_EVERY_CALL, 0);
        PlayMatch3D();
        RemovePollFunction(key);
        EXPECT_EQ(std::vector<int32_t>(std::begin(s_opener), std::end(s_opener)),
                  (std::vector<int32_t>{1, 0, 1, 0}));
    }
}

TEST(MatchRun, CupTieLevelPlaysExtraTimeAndAShootOutKickByKickUntilItIsDecided)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.periodMinutes = 1;
    builder.extraTime = 1;
    builder.shootOut = 1;
    builder.Write();
    ShootOutTrace trace;
    s_trace = &trace;
    const uint16_t key = AddPollFunction(KeepLevelAndTraceTheKicks, POLL_EVERY_CALL, 0);
    PlayMatch3D();
    RemovePollFunction(key);
    s_trace = nullptr;
    EXPECT_TRUE(Watchdog_Failures().empty()) << Watchdog_Failures()[0];
    EXPECT_EQ(PeriodsPlayed(match.Record()), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(match.Record().Count("RunInGameMenuPair"), 1);
    const int32_t kicks = Match.shootoutKicks;
    const int32_t g0 = Match.shootOutGoals[0];
    const int32_t g1 = Match.shootOutGoals[1];
    ASSERT_GE(kicks, 6);  // 3-0 is the earliest decision
    EXPECT_EQ(static_cast<int32_t>(trace.continuedAt.size()), kicks);
    for (const std::vector<int32_t>& at : trace.continuedAt) {
        EXPECT_FALSE(ShootOut_IsDecided(at[0], at[1], at[2]))
            << at[0] << ": " << at[1] << "-" << at[2];
    }
    EXPECT_TRUE(ShootOut_IsDecided(kicks, g0, g1));
    EXPECT_LE(g0, (kicks + 1) / 2);
    EXPECT_LE(g1, kicks / 2);
    const MatchDataBlock* data = GetMatchDataBlock();
    EXPECT_EQ(+data->sides[0].shootOutGoals, g0);
    EXPECT_EQ(+data->sides[1].shootOutGoals, g1);
    EXPECT_EQ(CheckMinutesOnPitch(120), "");
    const std::vector<int32_t>& groups = match.Record().commentaryGroups;
    EXPECT_EQ(std::count(groups.begin(), groups.end(), 105), 1);
    EXPECT_EQ(Match.finalWhistle, 1);
    EXPECT_EQ(PenaltyOrder[0][0], 8);  // the penalty taker wears 9
    EXPECT_EQ(PenaltyOrder[0][1], 10);
    EXPECT_EQ(PenaltyOrder[0][2], 9);
    for (int32_t k = 3; k < 10; ++k) {
        EXPECT_NE(PenaltyOrder[0][k], 0) << k;  // ten takers: the keeper is not needed
    }
}

TEST(MatchRun, LevelTieWithUnequalAwayGoalsPlaysExtraTimeButNoShootOut)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.periodMinutes = 1;
    builder.extraTime = 1;
    builder.shootOut = 1;
    builder.awayGoals = 1;
    builder.firstLegGoals[0] = 1;
    builder.firstLegGoals[1] = 1;
    builder.Write();
    AddPollFunction(KeepGoalless, POLL_EVERY_CALL, 0);
    PlayMatch3D();
    // Level on aggregate with the away goals unequal (1 to 0): extra time, but no shoot-out.
    EXPECT_EQ(PeriodsPlayed(match.Record()), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(match.Record().Count("RunInGameMenuPair"), 0);
}

TEST(MatchRun, GoldenGoalPlaysTheSecondExtraPeriodOnlyWhileLevel)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.periodMinutes = 1;
    builder.goldenGoal = 1;
    builder.Write();
    AddPollFunction(KeepScoresLevel, POLL_EVERY_CALL, 0);
    PlayMatch3D();
    EXPECT_EQ(PeriodsPlayed(match.Record()), (std::vector<int32_t>{0, 1, 2, 3}));
}

TEST(MatchRun, AGoldenGoalInTheFirstExtraPeriodEndsItAndSkipsTheSecond)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.periodMinutes = 1;
    builder.goldenGoal = 1;
    builder.shootOut = 1;
    builder.Write();
    uint32_t ticksAtGoal = 0;
    Watchdog_When([] { return Match.period == 2 && Match.periodTicks == 100; },
                  [&ticksAtGoal] {
                      Match.score[0] = 1;
                      ticksAtGoal = Match.periodTicks;
                  });
    AddPollFunction(KeepGoallessUntilTheScriptedGoal, POLL_EVERY_CALL, 0);
    PlayMatch3D();
    EXPECT_EQ(PeriodsPlayed(match.Record()), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(Match.periodTicks, ticksAtGoal);  // ended on the next tick, before the clock moved
    EXPECT_EQ(match.Record().Count("RunInGameMenuPair"), 0);
    EXPECT_EQ(match.Record().Count("HalfTime0"), 0);
    const MatchDataBlock* data = GetMatchDataBlock();
    EXPECT_EQ(+data->sides[0].score, 1);
    EXPECT_EQ(+data->sides[1].score, 0);
    // The minute the goal came in is never measured to its end, nor is the last of a half.
    EXPECT_EQ(+data->territory[GetMatchClockSeconds() / 60], 255);
    EXPECT_EQ(+data->territory[89], 255);
    EXPECT_LE(+data->territory[88], 100);
    EXPECT_TRUE(Watchdog_Failures().empty()) << Watchdog_Failures()[0];
}

TEST(MatchRun, TheSummaryListsAtMostTwentyScorersWhateverTheScoreSays)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.Write();
    Match_SetupPeriod();
    Match.score[0] = 25;
    for (MatchGoalRecord& goal : Match.goals[0]) {
        goal = {7, 12, 0, 0, 0, 9, 1, 0};
    }
    // Side 1: one own goal without an assist, a booking and a sending-off.
    Match.score[1] = 1;
    Match.goals[1][0] = {3, 40, 0, 0, 0, -1, 2, 0};
    Match.cardCount[1] = 2;
    Match.cards[1][0] = {20, 30, 1};
    Match.cards[1][1] = {21, 70, 3};
    WriteMatchSummary();
    const MatchSideStats& side = GetMatchDataBlock()->sides[0];
    EXPECT_EQ(+side.scorers[19].player, MatchPersons[7].playerId);
    EXPECT_EQ(+side.scorers[19].minute, 12);
    EXPECT_EQ(+side.scorers[20].player, -1);
    // The goal list holds twenty, with no end row beyond its room.
    for (const MatchGoalEntry& g : side.goals) {
        EXPECT_EQ(+g.player, MatchPersons[7].playerId);
        EXPECT_EQ(+g.assist, MatchPersons[9].playerId);
        EXPECT_EQ(+g.minute, 12);
        EXPECT_EQ(+g.kind, 1);
    }
    const MatchSideStats& other = GetMatchDataBlock()->sides[1];
    EXPECT_EQ(+other.scorers[0].player, MatchPersons[3].playerId);
    EXPECT_EQ(+other.goals[0].player, MatchPersons[3].playerId);
    EXPECT_EQ(+other.goals[0].assist, -1);
    EXPECT_EQ(+other.goals[0].kind, 2);
    EXPECT_EQ(+other.goals[1].player, -1);
    EXPECT_EQ(+other.goals[19].player, -1);
    EXPECT_EQ(+other.cards[0].player, MatchPersons[20].playerId);
    EXPECT_EQ(+other.cards[0].kind, 1);
    EXPECT_EQ(+other.cards[1].player, MatchPersons[21].playerId);
    EXPECT_EQ(+other.cards[1].minute, 70);
    EXPECT_EQ(+other.cards[1].kind, 2);
    EXPECT_EQ(+other.cards[2].player, -1);
    EXPECT_EQ(+side.cards[0].player, -1);
}

TEST(MatchRun, FailedReplayLoadPlaysNothingAndFreesTheBuffer)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.Write();
    MatchShared.replayState = REPLAY_WATCH;
    GetMatchDataBlock()->territory[0] = 7;
    PlayMatch3D();
    EXPECT_EQ(match.Record().Count("Replay_AllocBuffer"), 1);
    EXPECT_EQ(match.Record().Count("Replay_FreeBuffer"), 1);
    EXPECT_EQ(GetMatchDataBlock()->territory[0], 7);
    EXPECT_TRUE(match.Record().commentaryGroups.empty());
}

TEST(MatchRun, WatchedReplayRunsOnlyTheFirstPeriod)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.periodMinutes = 1;
    builder.extraTime = 1;
    builder.Write();
    MatchShared.replayState = REPLAY_WATCH;
    MatchPresentationOps.Replay_Load = [](int32_t) { return 0; };
    PlayMatch3D();
    // The headless replay ends at once, and in the watch state that ends the period.
    EXPECT_TRUE(match.Record().commentaryGroups.empty());
    EXPECT_EQ(match.Record().Count("Replay_ResetCounters"), 0);
    EXPECT_EQ(match.Record().Count("TimedEvents_Reset"), 1);
}

TEST(MatchClock, HalfLastsItsTicksThenWaitsForTheBallNearHalfway)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.Write();
    Match_SetupPeriod();
    std::memset(GetMatchDataBlock()->territory, 0xFF, MATCH_TERRITORY_MINUTES);
    Match.clockRunning = 1;
    MatchPhase = PHASE_OPEN_PLAY;
    // Nobody plays, so the ball stays where the test puts it.
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        MatchPersons[p].offPitch = 1;
    }
    Person_PlaceAt(MATCH_BALL, 796, 1282);  // on the edge: not strictly inside
    ASSERT_TRUE(RunUntil([] { return Match.timeUp != 0; }, 16000));
    EXPECT_EQ(Match.periodTicks, 15000u);
    EXPECT_EQ(GetMatchClockSeconds(), 2700u);
    RunTicks(50);
    EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY);
    Person_PlaceAt(MATCH_BALL, 796, 1281);
    RunTicks(1);
    EXPECT_EQ(MatchPhase, PHASE_PERIOD_OVER);
    EXPECT_EQ(match.Record().commentaryGroups.back(), 115);
    EXPECT_EQ(MatchPersons[3].action, 30);
    EXPECT_EQ(Match.clockRunning, 0);
    EXPECT_EQ(GetMatchDataBlock()->territory[43], 50);
    EXPECT_EQ(GetMatchDataBlock()->territory[44], 255);  // the last minute is never written
}

TEST(MatchClock, StoppageCountdownDelaysTimeUp)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.Write();
    Match_SetupPeriod();
    Match.period = 2;
    Match_SetupPeriod();
    EXPECT_EQ(Match.periodLength, 5000u);
    Match.clockRunning = 1;
    // A phase that does nothing: no foul or card of the play can add stoppage time meanwhile.
    MatchPhase = PHASE_RESERVED_16;
    StoppageTicks = 30;
    RunUntil([] { return Match.periodTicks == 5000; }, 6000);
    RunTicks(29);
    EXPECT_EQ(Match.timeUp, 0);
    RunTicks(1);
    EXPECT_EQ(Match.timeUp, 1);
    Match.period = 4;
    EXPECT_EQ(GetMatchClockSeconds(), 0u);
}

TEST(MatchClock, GoldenGoalComparesAggregatesAndNeedsTheClock)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.goldenGoal = 1;
    builder.Write();
    Match_SetupPeriod();
    Match.period = 2;
    Match_SetupPeriod();
    Match.goldenGoal = 1;
    MatchPhase = PHASE_OPEN_PLAY;
    Match.score[1] = 1;
    Match.firstLegGoals[0] = 1;  // level on aggregate: play on
    Match.clockRunning = 1;
    RunTicks(1);
    EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY);
    Match.firstLegGoals[0] = 0;
    Match.clockRunning = 0;
    RunTicks(1);
    EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY);
    Match.clockRunning = 1;
    RunTicks(1);
    EXPECT_EQ(MatchPhase, PHASE_PERIOD_OVER);
}

TEST(MatchClock, ThirdsAreCountedByTheDirectionTheSideInPossessionAttacks)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.Write();
    Match_SetupPeriod();
    Match.clockRunning = 1;
    MatchPhase = PHASE_OPEN_PLAY;
    const struct {
        uint8_t secondOfPair;
        uint8_t possession;
        int16_t ballY;
        int32_t third;
    } kCases[] = {
        {0, 0, 1402, THIRD_ATTACK}, {0, 0, 762, THIRD_OWN},     {0, 0, 763, THIRD_MIDDLE},
        {0, 1, 1500, THIRD_OWN},    {1, 1, 1500, THIRD_ATTACK}, {1, 0, 300, THIRD_ATTACK},
    };
    for (const auto& c : kCases) {
        std::memset(Match.thirdsTicks, 0, sizeof(Match.thirdsTicks));
        Match.secondOfPair = c.secondOfPair;
        Ball.possession = c.possession;
        Person_PlaceAt(MATCH_BALL, PITCH_CENTRE_X, c.ballY);
        const uint32_t possessed = Match.possessionTicks[c.possession];
        Match_ClockTick();
        EXPECT_EQ(Match.thirdsTicks[c.possession][c.third], 1u) << c.ballY;
        EXPECT_EQ(Match.possessionTicks[c.possession], possessed + 1);
    }
}

TEST(MatchTimers, MomentumFollowsPossessionAndTheScore)
{
    ScopedMatch match;
    MatchPhase = PHASE_OPEN_PLAY;
    Match.bonusTimer = 5;
    Ball.possession = 0;
    Match.score[1] = 9;  // side 0 behind by more than 4: +5
    TeamMomentum[0] = 998;
    Match_TickTimers();
    EXPECT_EQ(TeamMomentum[0], 1000);
    EXPECT_EQ(TeamMomentum[1], 0);
    Match.score[0] = 12;  // side 0 ahead by 3: the other loses 2
    TeamMomentum[1] = 10;
    Match.bonusTimer = 5;
    Match_TickTimers();
    EXPECT_EQ(TeamMomentum[1], 8);
    Match.bonusTimer = 0;
    TeamPressure[0] = 2;
    Match_TickTimers();
    EXPECT_EQ(Match.bonusTimer, 2400);
    EXPECT_EQ(TeamPressure[0], 1);
    MatchPhase = PHASE_KICKOFF_READY;
    Match_TickTimers();
    EXPECT_EQ(TeamMomentum[0], 0);
}

TEST(MatchLoop, MenuRequestsOpenTheirPagesAndPauseStopsTicking)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.periodMinutes = 1;
    builder.Write();
    for (int32_t request = 1; request <= 5; ++request) {
        Watchdog_At(10 + request,
                    [request] { MatchShared.menuRequest = static_cast<uint16_t>(request); });
    }
    Watchdog_At(20, [] { MatchShared.pauseWord = 1; });
    Watchdog_At(120, [] { MatchShared.pauseWord = 0; });
    PlayMatch3D();
    for (const char* page : {"InGameMenusPage6", "InGameMenusFromStart", "InGameMenusPage4",
                             "InGameMenusPage1", "InGameMenusPage0"}) {
        EXPECT_EQ(match.Record().Count(page), 1) << page;
    }
    // The hundred passes of the pause go by without a tick.
    EXPECT_GE(Watchdog_Passes(), Watchdog_Ticks() + 100);
    EXPECT_GT(Watchdog_Ticks(), 2u * 3000);
}

TEST(MatchLoopDeathTest, UnknownMenuRequestIsFatal)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.Write();
    Watchdog_At(3, [] { MatchShared.menuRequest = 6; });
    EXPECT_FATAL(PlayMatch3D(), "ERROR: default case hit 6");
}

int32_t g_viewCalls[VIEWKIND_COUNT][5];
template <int Kind, int Op>
void CountCall()
{
    ++g_viewCalls[Kind][Op];
}
template <int Kind>
constexpr MatchViewOps kCounting = {CountCall<Kind, 0>, CountCall<Kind, 1>, CountCall<Kind, 2>,
                                    CountCall<Kind, 3>, CountCall<Kind, 4>};

TEST(MatchView, DispatchReachesTheViewOfTheModeAndModeThreeNone)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.Write();
    MatchView_Register(VIEWKIND_TEXT, &kCounting<0>);
    MatchView_Register(VIEWKIND_2D, &kCounting<1>);
    MatchView_Register(VIEWKIND_SOFTWARE_3D, &kCounting<2>);
    MatchView_Register(VIEWKIND_DEVICE_3D, &kCounting<3>);
    std::memset(g_viewCalls, 0, sizeof(g_viewCalls));
    GetMatchSidesBlock()->viewMode = VIEW_NONE;
    MatchView_Init();
    MatchView_Tick();
    MatchView_UpdateAndFrame();
    MatchView_Destroy();
    int32_t total = 0;
    for (auto& kind : g_viewCalls) {
        for (int32_t n : kind)
            total += n;
    }
    EXPECT_EQ(total, 0);
    EXPECT_EQ(MatchView_Destroyed, 1);
    GetMatchSidesBlock()->viewMode = VIEW_3D;
    MatchView_Init();
    MatchView_Tick();
    MatchView_UpdateAndFrame();
    EXPECT_EQ(MatchView_Destroyed, 0);
    for (int32_t op = 0; op < 5; ++op) {
        EXPECT_EQ(g_viewCalls[VIEWKIND_SOFTWARE_3D][op], op == 1 ? 0 : 1);
    }
    MatchPresentationOps.Video_Has3DDevice = [] { return 1; };
    MatchView_Tick();
    EXPECT_EQ(g_viewCalls[VIEWKIND_DEVICE_3D][2], 1);
    GetMatchSidesBlock()->viewMode = VIEW_TEXT;
    MatchView_Destroy();
    EXPECT_EQ(g_viewCalls[VIEWKIND_TEXT][1], 1);
}

TEST(MatchView, HighlightReplaysOnlyInTheThreeDView)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.viewMode = VIEW_TEXT;
    builder.Write();
    MatchShared.highlightOption[0] = 1;
    ActivateHighLight(0, 2);
    ActivateHighLight(3, 0);
    EXPECT_EQ(HighLight_PendingType(), 4);
    EXPECT_EQ(HighLight_Timer(), 0);
    ActivateHighLight(0, 2);
    HighLight_Tick();
    HighLight_Tick();
    EXPECT_EQ(MatchShared.replayStartRequest, 0);
    // The 3D mode with no 3D view registered shows nothing and starts no replay either.
    GetMatchSidesBlock()->viewMode = VIEW_3D;
    ActivateHighLight(0, 2);
    HighLight_Tick();
    HighLight_Tick();
    EXPECT_EQ(MatchShared.replayStartRequest, 0);
    constexpr MatchViewOps kSilent3D = {nullptr, nullptr, nullptr, nullptr, nullptr};
    MatchView_Register(VIEWKIND_SOFTWARE_3D, &kSilent3D);
    ActivateHighLight(0, 2);
    HighLight_Tick();
    HighLight_Tick();
    MatchView_Register(VIEWKIND_SOFTWARE_3D, nullptr);
    EXPECT_EQ(MatchShared.replayStartRequest, 1);
    EXPECT_EQ(MatchShared.replayState, REPLAY_HIGHLIGHT);
}

TEST(MatchViewDeathTest, BadHighlightTypeIsFatal)
{
    ScopedMatch match;
    EXPECT_FATAL(ActivateHighLight(5, 10), "ActivateHighLight(): Error bad ActionType");
}

TEST(MatchGolden, SeedOneMatchesItsGoldenAndRepeats)
{
    ScopedMatch match;
    const GoldenResult first = GoldenRun(1, SidePreset::Balanced);
    const std::string diff = CompareGolden(first, "spine_seed1");
    EXPECT_TRUE(diff.empty()) << diff;
    const GoldenResult second = GoldenRun(1, SidePreset::Balanced);
    EXPECT_EQ(first.lines, second.lines);
    EXPECT_TRUE(Watchdog_Failures().empty());
}

TEST(MatchGolden, WithoutInitASecondMatchCarriesTheFirstOnesWords)
{
    ScopedMatch match;
    GoldenRun(1, SidePreset::Balanced);
    EXPECT_EQ(Match.bonusTimer > 0 || Match.tickCount > 0, true);
    const uint16_t carried = Match.tickCount;
    MatchDayBuilder builder;
    builder.Write();
    Match_SetupPeriod();
    EXPECT_EQ(Match.tickCount, carried);
    MatchEngine_Init();
    EXPECT_EQ(Match.tickCount, 0);
    EXPECT_EQ(Match.lastMinute, -1);
}

}  // namespace
