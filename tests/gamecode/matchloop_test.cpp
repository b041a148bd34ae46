// tests/gamecode/matchloop_test.cpp: what the loop does around a replay and a menu, which side
// moves first each tick, the heat maps, the end of a period with its celebration, and a period
// that cannot end.
#include "gamecode/matchloop.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/keyboard.h"
#include "engine/poll.h"
#include "engine/random.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

void StartReplayThen(ReplayStateWord then)
{
    MatchShared.replayState = then;
    MatchShared.replayStartRequest = 1;
}

TEST(MatchLoop, ReplayEndOpensTheMenuOrSwitchesToTheTwoDViewByItsState)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.periodMinutes = 1;
    builder.Write();
    Watchdog_At(5, [] { StartReplayThen(REPLAY_THEN_MENU); });
    Watchdog_At(50, [] { StartReplayThen(REPLAY_THEN_NOTHING); });
    PlayMatch3D();
    EXPECT_EQ(match.Record().Count("Replay_Store"), 2);
    EXPECT_EQ(match.Record().Count("Replay_Restore"), 2);
    EXPECT_EQ(match.Record().Count("InGameMenusPage6"), 1);
    EXPECT_EQ(+GetMatchSidesBlock()->viewMode, +VIEW_NONE);
    EXPECT_EQ(MatchShared.replayState, REPLAY_NORMAL);

    builder.Write();
    Watchdog_At(Watchdog_Passes() + 5, [] { StartReplayThen(REPLAY_THEN_2D); });
    PlayMatch3D();
    EXPECT_EQ(+GetMatchSidesBlock()->viewMode, +VIEW_2D);
    EXPECT_EQ(match.Record().Count("InGameMenusPage6"), 1);
    EXPECT_TRUE(Watchdog_Failures().empty()) << Watchdog_Failures()[0];
}

struct HeldMenu {
    int32_t framesLeft = 0;
    bool replayPlayingAtMenu = true;
    uint64_t menuPass = 0;
};
HeldMenu g_held;

TEST(MatchLoop, MenuAskedDuringAReplayWaitsForItsEndAndLeavesNoKeyBehind)
{
    ScopedMatchOnHost match;
    MatchDayBuilder builder;
    builder.periodMinutes = 1;
    builder.Write();
    g_held = {};
    MatchPresentationOps.Replay_PlayFrame = [] {
        if (--g_held.framesLeft <= 0) MatchShared.replayEndRequest = 1;
    };
    MatchPresentationOps.InGameMenusPage4 = [] {
        g_held.replayPlayingAtMenu = MatchShared.replayPlaying != 0;
        g_held.menuPass = Watchdog_Passes();
        ScopedMatchOnHost::HoldKey(1);  // Escape, still down when the menu returns
    };
    Watchdog_At(10, [] {
        g_held.framesLeft = 20;
        StartReplayThen(REPLAY_HIGHLIGHT);
    });
    Watchdog_At(12, [] { MatchShared.menuRequest = 3; });
    PlayMatch3D();
    EXPECT_FALSE(g_held.replayPlayingAtMenu);
    EXPECT_GE(g_held.menuPass, 30u);
    EXPECT_EQ(KeyIsDown(1), 0);
    EXPECT_EQ(KeyGetLast(), -1);
    EXPECT_EQ(MatchShared.menuRequest, 0);
}

// Period 0 set up with play open, the heat maps cleared, the ball with side `side`.
void OpenPlayForHeatMaps(int32_t side)
{
    MatchDayBuilder builder;
    builder.Write();
    std::memset(GetMatchDataBlock()->heatMaps, 0xAB, sizeof(GetMatchDataBlock()->heatMaps));
    Match_SetupPeriod();
    MatchPhase = PHASE_OPEN_PLAY;
    Ball.possession = static_cast<uint8_t>(side);
}

// Every count of the 34 grids; the block is packed, so the grids are copied out first.
uint64_t HeatTotal()
{
    static uint32_t cells[sizeof(MatchDataBlock::heatMaps) / sizeof(uint32_t)];
    std::memcpy(cells, GetMatchDataBlock()->heatMaps, sizeof(cells));
    uint64_t total = 0;
    for (uint32_t cell : cells) {
        total += cell;
    }
    return total;
}

uint32_t HeatCount(int32_t grid, int32_t column, int32_t row)
{
    return GetMatchDataBlock()->heatMaps[grid][column][row];
}

// Neither side moves first more often: over any 50 ticks in a row each side is first 24 to 26
// times, and over every k-th tick of the clock's cycle, k up to 64 (a tackle comes only on such
// ticks), each side between 47 % and 53 % of them, as the tick's parity would not give for k even.
TEST(MatchLoop, EitherSideMovesFirstAsOftenOverAnyRunAndEveryKthTick)
{
    constexpr uint32_t kCycle = 65536;  // the tick count's
    std::vector<int32_t> firstBefore(kCycle + 1, 0);
    for (uint32_t tick = 0; tick < kCycle; ++tick) {
        firstBefore[tick + 1] = firstBefore[tick] + Match_FirstSideOfTick(tick);
    }
    for (uint32_t tick = 0; tick + 50 <= kCycle; ++tick) {
        const int32_t side1First = firstBefore[tick + 50] - firstBefore[tick];
        ASSERT_GE(side1First, 24) << tick;
        ASSERT_LE(side1First, 26) << tick;
    }
    for (uint32_t k = 1; k <= 64; ++k) {
        int32_t ticks = 0;
        int32_t side1First = 0;
        for (uint32_t tick = 0; tick < kCycle; tick += k) {
            ++ticks;
            side1First += Match_FirstSideOfTick(tick);
        }
        EXPECT_GE(side1First * 100, ticks * 47) << k;
        EXPECT_LE(side1First * 100, ticks * 53) << k;
    }
    // The engine's tick takes its side from the tick count as it stood at the tick's start.
    ScopedMatch match;
    MatchDayBuilder{}.Write();
    SetPitchConstants();
    Match_SetupPeriod();
    int32_t side1Ticks = 0;
    for (int32_t n = 0; n < 100; ++n) {
        const uint16_t tick = Match.tickCount;
        RunTicks(1);
        ASSERT_EQ(Match.firstSide, Match_FirstSideOfTick(tick)) << tick;
        side1Ticks += Match.firstSide;
    }
    EXPECT_GE(side1Ticks, 48);  // two runs of 50
    EXPECT_LE(side1Ticks, 52);
}

TEST(MatchHeatMap, TheFirstSetUpClearsThemAndOpenPlayCountsOnlyPlayersOnThePitch)
{
    ScopedMatch match;
    OpenPlayForHeatMaps(0);
    EXPECT_EQ(HeatTotal(), 0u);
    MatchPhase = PHASE_KICKOFF_PERIOD;
    Match_RecordHeatMap();
    MatchPhase = PHASE_OPEN_PLAY;
    Match_RecordHeatMap();
    EXPECT_EQ(HeatTotal(), 2u * 11 + 1);  // 22 starters and the ball, once
    // A shoot-out's kicks run in open play, but its clock stands still: no open play of the match.
    Match.period = MATCH_PERIOD_SHOOT_OUT;
    Match_RecordHeatMap();
    EXPECT_EQ(HeatTotal(), 2u * 11 + 1);
}

TEST(MatchHeatMap, PlayersAndTheBallAreMirroredInTheFirstPeriodOfEachPair)
{
    ScopedMatch match;
    OpenPlayForHeatMaps(1);
    Person_PlaceAt(3, 156 + 10, 122 + 10);
    Person_PlaceAt(MATCH_BALL, 156 + 200, 122 + 300);  // column 2, row 2
    Match_RecordHeatMap();
    EXPECT_EQ(HeatCount(3, 14, 17), 1u);
    EXPECT_EQ(HeatCount(MATCH_PLAYER_COUNT + 1, 12, 15), 1u);
    EXPECT_EQ(HeatCount(MATCH_PLAYER_COUNT, 12, 15), 0u);

    Match.period = 1;
    Match_RecordHeatMap();
    EXPECT_EQ(HeatCount(3, 0, 0), 1u);
    EXPECT_EQ(HeatCount(MATCH_PLAYER_COUNT + 1, 2, 2), 1u);

    Match.period = 2;
    Person_PlaceAt(MATCH_BALL, 1500, 58);  // beyond the corner: clamped to the last cell
    Match_RecordHeatMap();
    EXPECT_EQ(HeatCount(MATCH_PLAYER_COUNT + 1, 0, 17), 1u);
}

// The players of side `side` who went to the celebration, and the draws Match_EndPeriod made.
struct EndOfPeriod {
    int32_t celebrants = 0;
    uint32_t draws = 0;
};

EndOfPeriod EndPeriodAfter(int32_t period)
{
    MatchDayBuilder builder;
    builder.Write();
    Match_SetupPeriod();
    Match.period = static_cast<uint8_t>(period);
    const uint32_t before = RandDrawCount();
    Match_EndPeriod();
    EndOfPeriod result;
    result.draws = RandDrawCount() - before;
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        result.celebrants += MatchPersons[p].action == 69 ? 1 : 0;
    }
    return result;
}

TEST(MatchEndPeriod, TheAggregateLeadersCelebrateWithASecondDrawForEachCelebrant)
{
    ScopedMatch match;
    SRand(11);
    Match.score[1] = 1;
    EndOfPeriod level = EndPeriodAfter(0);
    EXPECT_EQ(level.celebrants, 0);
    EXPECT_EQ(level.draws, 1u);  // the commentary's only

    Match.score[1] = 1;
    EndOfPeriod leaders = EndPeriodAfter(1);
    EXPECT_GT(leaders.celebrants, 0);
    EXPECT_EQ(leaders.draws, 1u + 16 + static_cast<uint32_t>(leaders.celebrants));
    int32_t whistles = 0;
    int32_t cheers = 0;
    for (int32_t id : match.Record().sounds) {
        whistles += id == 8 ? 1 : 0;
        cheers += id == 28 ? 1 : 0;
    }
    EXPECT_EQ(whistles, 2);
    EXPECT_EQ(cheers, leaders.celebrants);
    for (int32_t p = 0; p < MATCH_PERSONS_PER_SIDE; ++p) {
        EXPECT_NE(MatchPersons[p].action, 69);
    }
    const int32_t star = Match.celebratingPlayer;
    ASSERT_GE(star, 16);
    EXPECT_EQ(MatchPersons[star].offPitch, 0);
    EXPECT_EQ(MatchPersons[star].action, 69);

    // Level on aggregate after a first-leg deficit: nobody celebrates.
    Match.score[1] = 1;
    Match.firstLegGoals[0] = 1;
    EXPECT_EQ(EndPeriodAfter(3).celebrants, 0);
}

// Keeps the ball in side 0's penalty area once time is up, as a play that never comes back.
void HoldBallAwayAfterTimeUp()
{
    if (Match.timeUp != 0) Person_PlaceAt(MATCH_BALL, PITCH_CENTRE_X, 300);
}

TEST(MatchClock, APeriodWhoseBallNeverComesBackKeepsRunningUntilTheWatchdogStopsIt)
{
    ScopedMatch match;
    MatchDayBuilder builder;
    builder.seed = 1;  // no restart after time is up puts the ball back on the centre spot
    builder.periodMinutes = 1;
    builder.Write();
    AddPollFunction(HoldBallAwayAfterTimeUp, POLL_EVERY_CALL, 0);
    Watchdog_SetBudget(20000);
    PlayMatch3D();
    ASSERT_FALSE(Watchdog_Failures().empty());
    EXPECT_EQ(Watchdog_Failures().back(), "pass budget exceeded");
    const std::vector<int32_t>& groups = match.Record().commentaryGroups;
    EXPECT_EQ(std::count(groups.begin(), groups.end(), 115), 0);  // no period ever ended
}

}  // namespace
