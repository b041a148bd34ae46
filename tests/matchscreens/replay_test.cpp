// The replay recorder: the ring, the playback modes, the live state kept aside, and a whole
// match that watches a replay and ends as if it had not.
#include "matchscreens/replay.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "engine/memory.h"
#include "gamecode/matchstate.h"
#include "matchscreens/matchkeys.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

class ScopedRecorder {
public:
    ScopedRecorder()
    {
        ResetCoreForTest();
        MemoryInit();
        MatchEngine_Init();
        MatchKeys_Init();
        Replay_Init();
        Replay_AllocBuffer();
        Match.periodLength = 15000;
    }
    ~ScopedRecorder()
    {
        Replay_Uninit();
        MatchKeys_Uninit();
        MatchEngine_Uninit();
        MemoryUninit();
        ResetCoreForTest();
    }
};

// Tick t leaves its number in the ball's x and the elapsed ticks.
void RecordTicks(int32_t first, int32_t count)
{
    for (int32_t t = first; t < first + count; ++t) {
        MatchPersons[MATCH_BALL].x = static_cast<int16_t>(t);
        Match.periodTicks = static_cast<uint32_t>(t);
        Replay_RecordFrame();
    }
}

// One pass of the match loop while a replay plays: the frame shown, then the step.
int32_t PlayedTick()
{
    Replay_PlayFrame();
    return MatchPersons[MATCH_BALL].x;
}

void Start(uint16_t kind, int32_t position)
{
    ReplayState = kind;
    ReplayPosition = position;
    ReplayMode = REPLAYMODE_PLAY;
    MatchShared.replayEndRequest = 0;
}

struct LiveBytes {
    std::vector<uint8_t> persons, ball, match;
    static LiveBytes Take()
    {
        LiveBytes b;
        const auto* p = reinterpret_cast<const uint8_t*>(MatchPersons);
        b.persons.assign(p, p + sizeof(MatchPersons));
        b.ball.assign(reinterpret_cast<const uint8_t*>(&Ball),
                      reinterpret_cast<const uint8_t*>(&Ball) + sizeof(Ball));
        b.match.assign(reinterpret_cast<const uint8_t*>(&Match),
                       reinterpret_cast<const uint8_t*>(&Match) + sizeof(Match));
        return b;
    }
    bool operator==(const LiveBytes&) const = default;
};

TEST(Replay, RingKeepsTheNewestSevenHundredFiftyTicks)
{
    ScopedRecorder recorder;
    RecordTicks(0, 200);
    EXPECT_EQ(ReplayRecorder.frameCount, 200);
    Start(REPLAYKIND_INSTANT, 17);
    EXPECT_EQ(PlayedTick(), 17);  // before the ring is full, the slot is the position
    RecordTicks(200, 800);
    EXPECT_EQ(ReplayRecorder.frameCount, REPLAY_FRAMES);
    EXPECT_EQ(ReplayRecorder.writeIndex, 1000 % REPLAY_FRAMES);
    Start(REPLAYKIND_INSTANT, 0);
    EXPECT_EQ(PlayedTick(), 250);  // position 0 is the oldest kept
    ReplayPosition = REPLAY_FRAMES - 1;
    EXPECT_EQ(PlayedTick(), 999);
}

TEST(Replay, StartThenEndRestoresTheLiveStateByteForByte)
{
    ScopedRecorder recorder;
    for (int32_t t = 0; t < 300; ++t) {
        for (int32_t p = 0; p < MATCH_OBJECT_COUNT; ++p) {
            MatchPerson& m = MatchPersons[p];
            m.x = static_cast<int16_t>(t + p);
            m.y = static_cast<int16_t>(2 * t - p);
            m.animation = static_cast<int16_t>(t % 7);
            m.drawnFrame = static_cast<int16_t>(t % 5);
        }
        Match.score[t % 2] = static_cast<int16_t>(t / 100);
        Match.phaseTimer = static_cast<int16_t>(t);
        Ball.holder = static_cast<int16_t>(t % 33);
        Ball.secondHolder = static_cast<int16_t>(t % 3 - 1);
        Match.periodTicks = static_cast<uint32_t>(t);
        Ball_SetSpinAngles(t * 0.5f, -t * 0.25f, 1.0f);
        Replay_RecordFrame();
    }
    const LiveBytes live = LiveBytes::Take();
    const float spin[3] = {BallSpinAngles[0], BallSpinAngles[1], BallSpinAngles[2]};
    Replay_StoreLive();
    Start(REPLAYKIND_INSTANT, 0);
    for (int32_t pass = 0; pass < 120; ++pass)
        Replay_PlayFrame();
    EXPECT_FALSE(LiveBytes::Take() == live);
    Replay_RestoreLive();
    EXPECT_TRUE(LiveBytes::Take() == live);
    EXPECT_EQ(std::memcmp(spin, BallSpinAngles, sizeof(spin)), 0);
}

TEST(Replay, ModesStepAsTabledAndStopAtBothEnds)
{
    ScopedRecorder recorder;
    RecordTicks(0, 100);
    struct Case {
        ReplayModeWord mode;
        int32_t from;
        int32_t to;
    };
    for (const Case c : {Case{REPLAYMODE_FAST_REWIND, 50, 47}, Case{REPLAYMODE_REWIND, 50, 49},
                         Case{REPLAYMODE_PLAY, 50, 51}, Case{REPLAYMODE_FAST_FORWARD, 50, 53},
                         Case{REPLAYMODE_PAUSE, 50, 50}, Case{REPLAYMODE_BLANK, 50, 50}}) {
        Start(REPLAYKIND_INSTANT, c.from);
        ReplayMode = c.mode;
        EXPECT_EQ(PlayedTick(), c.from) << c.mode;
        EXPECT_EQ(ReplayPosition, c.to) << c.mode;
    }
    // Single step: one frame on, then the bar's countdown pauses it after two frames.
    Start(REPLAYKIND_INSTANT, 50);
    ReplayMode = REPLAYMODE_STEP;
    PlayedTick();
    PlayedTick();
    EXPECT_EQ(ReplayPosition, 51);
    Replay_CountDownStep();
    EXPECT_EQ(ReplayMode, REPLAYMODE_STEP);
    Replay_CountDownStep();
    EXPECT_EQ(ReplayMode, REPLAYMODE_PAUSE);
    // Rewinding past the oldest pauses on it.
    Start(REPLAYKIND_INSTANT, 1);
    ReplayMode = REPLAYMODE_FAST_REWIND;
    PlayedTick();
    EXPECT_EQ(ReplayPosition, 0);
    EXPECT_EQ(ReplayMode, REPLAYMODE_PAUSE);
    // Stop asks for the end; save, while a saved slot is watched, stands still.
    Start(REPLAYKIND_INSTANT, 10);
    ReplayMode = REPLAYMODE_STOP;
    PlayedTick();
    EXPECT_EQ(MatchShared.replayEndRequest, 1);
    Start(REPLAYKIND_SLOT, 10);
    ReplayMode = REPLAYMODE_SAVE;
    MatchShared.menuRequest = 2;
    EXPECT_EQ(PlayedTick(), 10);
    EXPECT_EQ(ReplayPosition, 10);
    EXPECT_EQ(ReplayMode, REPLAYMODE_SAVE);
    EXPECT_EQ(MatchShared.replayEndRequest, 0);
    EXPECT_EQ(MatchShared.menuRequest, 2);
}

TEST(Replay, HighlightEndsOnTheNewestFrameAndAnInstantReplayPausesThere)
{
    ScopedRecorder recorder;
    RecordTicks(0, 100);
    Start(REPLAYKIND_HIGHLIGHT, 97);
    EXPECT_EQ(PlayedTick(), 97);
    EXPECT_EQ(MatchShared.replayEndRequest, 0);
    EXPECT_EQ(PlayedTick(), 98);
    EXPECT_EQ(MatchShared.replayEndRequest, 1);
    EXPECT_EQ(ReplayPosition, 99);
    Start(REPLAYKIND_INSTANT, 98);
    PlayedTick();
    EXPECT_EQ(MatchShared.replayEndRequest, 0);
    EXPECT_EQ(ReplayMode, REPLAYMODE_PAUSE);
    EXPECT_EQ(ReplayPosition, 99);
    EXPECT_EQ(PlayedTick(), 99);
}

TEST(Replay, InstantReplayIsRefusedWhileNothingIsRecorded)
{
    ScopedRecorder recorder;
    Replay_StartInstant();
    EXPECT_EQ(MatchShared.replayStartRequest, 0);
    // A replay started regardless asks to end instead of dividing by the empty ring.
    Start(REPLAYKIND_INSTANT, 0);
    Replay_PlayFrame();
    EXPECT_EQ(MatchShared.replayEndRequest, 1);
    RecordTicks(0, 1);
    Replay_StartInstant();
    EXPECT_EQ(MatchShared.replayStartRequest, 1);
    EXPECT_EQ(ReplayState, REPLAYKIND_INSTANT);
}

TEST(ReplayDeathTest, BadModeAndOverlongPeriodAreFatal)
{
    EXPECT_FATAL(
        {
            ScopedRecorder recorder;
            RecordTicks(0, 10);
            Start(REPLAYKIND_INSTANT, 0);
            ReplayMode = 10;
            Replay_PlayFrame();
        },
        "Bad ReplayType case 10");
    EXPECT_FATAL(
        {
            ScopedRecorder recorder;
            Match.periodLength = 32768;
            Replay_RecordFrame();
        },
        "Replay_RecordFrame(): a period of 32768 ticks cannot be recorded");
}

// A seeded match with the real recorder, optionally watching an instant replay from pass 1,000
// to pass 1,200.
GoldenResult PlayedMatch(bool withReplay)
{
    ScopedMatch match;
    MemoryInit();
    MatchKeys_Init();
    Replay_Init();
    MatchPresentation_SetDefaults();
    int32_t framesSeen = 0;
    if (withReplay) {
        Watchdog_At(1000, [] {
            ReplayState = REPLAYKIND_INSTANT;
            MatchShared.replayStartRequest = 1;
        });
        Watchdog_At(1100, [&] { framesSeen = ReplayRecorder.frameCount; });
        Watchdog_At(1200, [] { MatchShared.replayEndRequest = 1; });
    }
    GoldenResult result = GoldenRun(1, SidePreset::Balanced);
    if (withReplay) {
        EXPECT_GT(framesSeen, 0);
    }
    Replay_Uninit();
    MatchKeys_Uninit();
    MemoryUninit();
    return result;
}

TEST(ReplayMatch, WatchingAReplayMidMatchLeavesTheResultUnchanged)
{
    const GoldenResult plain = PlayedMatch(false);
    const GoldenResult replayed = PlayedMatch(true);
    ASSERT_GT(plain.lines.size(), 20u);
    EXPECT_EQ(plain.lines, replayed.lines);
}

// The ring moves on while the match plays, so a position kept from the last replay would point
// at an unrelated moment: every replay starts again on the oldest frame.
TEST(ReplayMatch, ASecondInstantReplayStartsAgainOnTheOldestFrame)
{
    ScopedMatch match;
    MemoryInit();
    MatchKeys_Init();
    Replay_Init();
    MatchPresentation_SetDefaults();
    int32_t pausedAt = -1, newest = -1, resumedAt = -1, resumedMode = -1;
    Watchdog_At(1000, [] { Replay_StartInstant(); });
    Watchdog_At(1001, [] { ReplayPosition = ReplayRecorder.frameCount - 2; });
    Watchdog_At(1003, [&] {
        pausedAt = ReplayPosition;
        newest = ReplayRecorder.frameCount - 1;
        EXPECT_EQ(ReplayMode, REPLAYMODE_PAUSE);
        Replay_RequestEnd();
    });
    Watchdog_At(1100, [] { Replay_StartInstant(); });
    Watchdog_At(1101, [&] {
        resumedAt = ReplayPosition;
        resumedMode = ReplayMode;
        Replay_RequestEnd();
    });
    GoldenRun(1, SidePreset::Balanced);
    EXPECT_EQ(pausedAt, newest);
    EXPECT_EQ(resumedAt, 1);  // the oldest frame shown, one step on
    EXPECT_EQ(resumedMode, REPLAYMODE_PLAY);
    Replay_Uninit();
    MatchKeys_Uninit();
    MemoryUninit();
}

}  // namespace
