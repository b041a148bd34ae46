// matchscreens/replay.cpp: the replay recorder and its playback modes.
#include "matchscreens/replay.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/fatal.h"
#include "engine/memory.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "matchscreens/matchkeys.h"

ReplayFrame* ReplayBuffer;
RecorderBlock ReplayRecorder;
ReplayFrame LiveFrame;
int32_t ReplayStepCounter;

namespace {

// The frame keeps 16 bits of the period's ticks.
constexpr uint32_t kLongestRecordablePeriod = 32767;
constexpr int32_t kStepFrames = 2;

struct ModeRow {
    ReplayModeWord word;
    void (*step)();
    const char* name;
};

void StandStill() {}
void Move(int32_t frames) { ReplayPosition += frames; }
void FastRewind() { Move(-3); }
void Rewind() { Move(-1); }
void Play() { Move(1); }
void FastForward() { Move(3); }
void Stop() { Replay_RequestEnd(); }
void Save() { ReplayBar_SaveRequest(); }

void SingleStep()
{
    if (ReplayStepCounter != 0) return;
    ReplayStepCounter = kStepFrames;
    Move(1);
}

// clang-format off
constexpr auto kModes = std::to_array<ModeRow>({
    {REPLAYMODE_BLANK,        StandStill,   "Blank"},
    {REPLAYMODE_FAST_REWIND,  FastRewind,   "FastRewind"},
    {REPLAYMODE_REWIND,       Rewind,       "Rewind"},
    {REPLAYMODE_PAUSE,        StandStill,   "Pause"},
    {REPLAYMODE_STEP,         SingleStep,   "Step"},
    {REPLAYMODE_PLAY,         Play,         "Play"},
    {REPLAYMODE_FAST_FORWARD, FastForward,  "FastForward"},
    {REPLAYMODE_STOP,         Stop,         "Stop"},
    {REPLAYMODE_SAVE,         Save,         "Save"},
    {REPLAYMODE_BLANK2,       StandStill,   "Blank2"},
});
// clang-format on
static_assert(kModes.size() == REPLAYMODE_COUNT, "one row per replay mode");

consteval bool EveryModeInPlace()
{
    for (std::size_t i = 0; i < kModes.size(); ++i) {
        if (kModes[i].word != static_cast<int32_t>(i) || kModes[i].step == nullptr) return false;
    }
    return true;
}
static_assert(EveryModeInPlace(), "a row is out of order or has no handler");

// Keeps the position on the recorded frames: off the newest end a highlight ends and any
// replay pauses there; off the oldest end it pauses on the oldest.
void ClampPosition()
{
    const int32_t last = ReplayRecorder.frameCount - 1;
    if (ReplayPosition >= last) {
        if (ReplayState == REPLAYKIND_HIGHLIGHT) Replay_RequestEnd();
        ReplayMode = REPLAYMODE_PAUSE;
        ReplayPosition = last;
    }
    if (ReplayPosition < 0) {
        ReplayMode = REPLAYMODE_PAUSE;
        ReplayPosition = 0;
    }
}

int16_t Low16(uint32_t value) { return static_cast<int16_t>(value & 0xFFFF); }

void StoreObjects(ReplayFrame* frame)
{
    for (int32_t i = 0; i < REPLAY_OBJECTS; ++i) {
        const MatchPerson& p = MatchPersons[i];
        frame->objects[i] = {p.x, p.y, p.height, {p.animation, p.drawnFrame, p.drawnDirection}};
    }
}

void RestoreObjects(const ReplayFrame& frame)
{
    for (int32_t i = 0; i < REPLAY_OBJECTS; ++i) {
        MatchPerson& p = MatchPersons[i];
        const ReplayObject& o = frame.objects[i];
        p.x = o.x;
        p.y = o.y;
        p.height = o.height;
        p.animation = o.animation[0];
        p.drawnFrame = o.animation[1];
        p.drawnDirection = o.animation[2];
    }
}

}  // namespace

void Replay_Init()
{
    Replay_Uninit();
    LiveFrame = {};
}

void Replay_Uninit()
{
    if (ReplayBuffer != nullptr) FreeMemory(&ReplayBuffer);
    ReplayRecorder = {};
    ReplayStepCounter = 0;
}

void Replay_AllocBuffer()
{
    Replay_FreeBuffer();
    AllocateMemory(&ReplayBuffer, REPLAY_FRAMES * sizeof(ReplayFrame), MEM_TYPE_GAME);
    Replay_ResetCounters();
}

void Replay_FreeBuffer()
{
    if (ReplayBuffer != nullptr) FreeMemory(&ReplayBuffer);
}

void Replay_ResetCounters()
{
    ReplayRecorder.writeIndex = 0;
    ReplayRecorder.frameCount = 0;
}

void Replay_Store(ReplayFrame* frame)
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    StoreObjects(frame);
    frame->ballHeight = static_cast<int16_t>(Ball.height);
    // The engine keeps the ball's height in whole units; the third coordinate carries it.
    frame->ballPosition[0] = ball.x16;
    frame->ballPosition[1] = ball.y16;
    frame->ballPosition[2] = ball.height * 65536;
    frame->ballHolderLow = static_cast<uint8_t>(Ball.holder);
    frame->secondHolder = static_cast<uint8_t>(Ball.secondHolder);
    frame->gameState = MatchPhase;
    frame->focusPerson = Match.followedObject;
    frame->periodTicks = Low16(Match.periodTicks);
    frame->goals[0] = Match.score[0];
    frame->goals[1] = Match.score[1];
    frame->shootOutGoals[0] = Match.shootOutGoals[0];
    frame->shootOutGoals[1] = Match.shootOutGoals[1];
    frame->period = Match.period;
    frame->matchByte2 = Match.restartByte;
    frame->engineWord1 = Match.phaseTimer;
    std::memcpy(frame->spin, BallSpinAngles, sizeof(frame->spin));
    frame->engineWord2 = Match.refereeSignal;
    frame->ballHolder = Ball.holder;
    frame->matchByte3 = Match.kickingSide;
}

void Replay_Restore(const ReplayFrame* frame)
{
    MatchPerson& ball = MatchPersons[MATCH_BALL];
    RestoreObjects(*frame);
    Ball.height = static_cast<uint16_t>(frame->ballHeight);
    ball.x16 = frame->ballPosition[0];
    ball.y16 = frame->ballPosition[1];
    ball.height = static_cast<int16_t>(frame->ballPosition[2] / 65536);
    Ball.secondHolder = static_cast<int8_t>(frame->secondHolder);
    MatchPhase = frame->gameState;
    Match.followedObject = static_cast<int8_t>(frame->focusPerson & 0xFF);
    Match.periodTicks = static_cast<uint32_t>(static_cast<int32_t>(frame->periodTicks));
    Match.score[0] = frame->goals[0];
    Match.score[1] = frame->goals[1];
    Match.shootOutGoals[0] = frame->shootOutGoals[0];
    Match.shootOutGoals[1] = frame->shootOutGoals[1];
    Match.restartByte = static_cast<uint8_t>(frame->matchByte2);
    Match.phaseTimer = frame->engineWord1;
    std::memcpy(BallSpinAngles, frame->spin, sizeof(frame->spin));
    Match.refereeSignal = frame->engineWord2;
    Ball.holder = frame->ballHolder;
    Match.kickingSide = frame->matchByte3;
    // A match keeps its own period under its replays; a slot watched from the title has none.
    if (ReplayState == REPLAYKIND_SLOT) Match_ShowPeriodClock(frame->period);
}

void Replay_StoreLive() { Replay_Store(&LiveFrame); }

void Replay_RestoreLive() { Replay_Restore(&LiveFrame); }

void Replay_RecordFrame()
{
    if (Match.periodLength > kLongestRecordablePeriod)
        FatalError("Replay_RecordFrame(): a period of %u ticks cannot be recorded",
                   Match.periodLength);
    Replay_Store(&ReplayBuffer[ReplayRecorder.writeIndex]);
    ReplayRecorder.writeIndex = (ReplayRecorder.writeIndex + 1) % REPLAY_FRAMES;
    if (ReplayRecorder.frameCount < REPLAY_FRAMES) ++ReplayRecorder.frameCount;
}

void Replay_PlayFrame()
{
    const int32_t count = ReplayRecorder.frameCount;
    if (count == 0) {
        Replay_RequestEnd();
        return;
    }
    const int32_t slot = (ReplayPosition + ReplayRecorder.writeIndex) % count;
    Replay_Restore(&ReplayBuffer[slot]);
    if (ReplayMode < 0 || ReplayMode >= REPLAYMODE_COUNT)
        FatalError("Bad ReplayType case %d", ReplayMode);
    kModes[ReplayMode].step();
    ClampPosition();
}

void Replay_CountDownStep()
{
    if (ReplayStepCounter == 0) return;
    if (--ReplayStepCounter == 0) ReplayMode = REPLAYMODE_PAUSE;
}

void Replay_StartInstant()
{
    if (ReplayRecorder.frameCount == 0) return;
    // A ring that a new period or match has emptied since ends sooner: its newest frame stands
    // for the end the last replay paused on.
    ReplayPosition = std::min(ReplayPosition, ReplayRecorder.frameCount - 1);
    ReplayState = REPLAYKIND_INSTANT;
    MatchShared.replayStartRequest = 1;
}

void Replay_RequestEnd() { MatchShared.replayEndRequest = 1; }

bool Replay_IsPlaying() { return MatchShared.replayPlaying != 0; }
