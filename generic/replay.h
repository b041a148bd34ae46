// generic/replay.h: the replay recorder: every engine tick stored in a ring of the last 750
// frames, played back by mode while the engine stands still, and the live match kept aside.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "gamecode/presentation.h"

constexpr int32_t REPLAY_FRAMES = 750;  // 15 seconds of match time
constexpr int32_t REPLAY_OBJECTS = 37;

// The replay bar's ten buttons; the word ReplayMode holds one of them.
enum ReplayModeWord : int16_t {
    REPLAYMODE_BLANK,
    REPLAYMODE_FAST_REWIND,  // back 3 frames
    REPLAYMODE_REWIND,       // back 1
    REPLAYMODE_PAUSE,
    REPLAYMODE_STEP,          // one frame forward, then pause
    REPLAYMODE_PLAY,          // forward 1
    REPLAYMODE_FAST_FORWARD,  // forward 3
    REPLAYMODE_STOP,          // ends the replay
    REPLAYMODE_SAVE,          // the replay save screen; until it exists, a pause
    REPLAYMODE_BLANK2,
    REPLAYMODE_COUNT
};

// Which replay plays (ReplayState, the engine's replay state word).
enum ReplayKind : uint16_t {
    REPLAYKIND_NONE = 0,
    REPLAYKIND_INSTANT = 1,  // F2
    REPLAYKIND_SLOT = 3,     // a saved slot is watched; its end ends the match
    REPLAYKIND_HIGHLIGHT = 4,
};

#pragma pack(push, 1)
struct ReplayObject {  // a person, the ball or the restart point
    int16_t x;
    int16_t y;
    int16_t height;
    int16_t animation[3];  // motion, motion frame, facing
};

// One tick of the match, little-endian, as replay files store it.
struct ReplayFrame {
    ReplayObject objects[REPLAY_OBJECTS];  // in person order
    int16_t ballHeight;
    int32_t ballPosition[3];  // x, y, height in 16.16
    uint8_t ballHolderLow;    // not restored
    uint8_t secondHolder;     // sign-extended when restored
    int16_t gameState;
    int16_t focusPerson;  // restored from its low byte
    int16_t periodTicks;  // low 16 bits; sign-extended when restored
    int16_t goals[2];
    int16_t shootOutGoals[2];
    int16_t period;      // not restored
    int16_t matchByte2;  // restored from its low byte
    int16_t engineWord1;
    uint8_t unused480[2];
    float spin[3];  // the arguments of Ball_SetSpinAngles, in order
    int16_t engineWord2;
    int16_t ballHolder;
    uint8_t unused498[4];
    uint8_t matchByte3;
};

// The counters replay files store whole; every other byte is 0.
struct RecorderBlock {
    uint8_t zero0[896];
    int32_t writeIndex;  // the ring slot of the next frame, 0-749
    int32_t frameCount;  // 0-750
    uint8_t zero1[68];
};
#pragma pack(pop)

static_assert(sizeof(ReplayObject) == 12);
static_assert(sizeof(ReplayFrame) == 503);
static_assert(offsetof(ReplayFrame, ballHeight) == 444);
static_assert(offsetof(ReplayFrame, ballPosition) == 446);
static_assert(offsetof(ReplayFrame, ballHolderLow) == 458);
static_assert(offsetof(ReplayFrame, gameState) == 460);
static_assert(offsetof(ReplayFrame, periodTicks) == 464);
static_assert(offsetof(ReplayFrame, goals) == 466);
static_assert(offsetof(ReplayFrame, shootOutGoals) == 470);
static_assert(offsetof(ReplayFrame, period) == 474);
static_assert(offsetof(ReplayFrame, matchByte2) == 476);
static_assert(offsetof(ReplayFrame, engineWord1) == 478);
static_assert(offsetof(ReplayFrame, spin) == 482);
static_assert(offsetof(ReplayFrame, engineWord2) == 494);
static_assert(offsetof(ReplayFrame, ballHolder) == 496);
static_assert(offsetof(ReplayFrame, matchByte3) == 502);
static_assert(sizeof(RecorderBlock) == 972);
static_assert(offsetof(RecorderBlock, writeIndex) == 896);
static_assert(offsetof(RecorderBlock, frameCount) == 900);
static_assert(std::is_trivially_copyable_v<ReplayFrame>);

// Owned by Replay: read them here, change them through the operations below.
extern ReplayFrame* ReplayBuffer;  // REPLAY_FRAMES frames while a match runs, else null
extern RecorderBlock ReplayRecorder;
extern ReplayFrame LiveFrame;      // the live match while a replay plays
extern int32_t ReplayStepCounter;  // frames left of a single step
// The engine's replay words under the names the presentation uses.
inline uint16_t& ReplayState = MatchShared.replayState;
inline int16_t& ReplayMode = MatchShared.replaySpeed[0];
inline int16_t& ReplaySelectedMode = MatchShared.replaySpeed[1];
inline int32_t& ReplayPosition = MatchShared.replayPosition;  // 0 = the oldest recorded frame

// Frees the buffer, clears the counters, the live frame and the step counter.
void Replay_Init();
void Replay_Uninit();  // safe without Init and twice

void Replay_AllocBuffer();              // the match start: the ring allocated, counters 0
void Replay_FreeBuffer();               // the match end; safe when none is allocated
void Replay_ResetCounters();            // each period's start, except while a saved slot is watched
void Replay_Store(ReplayFrame* frame);  // the engine state into a frame
void Replay_Restore(const ReplayFrame* frame);
void Replay_StoreLive();    // into LiveFrame, when a replay starts
void Replay_RestoreLive();  // from LiveFrame, when it ends
// Stores this tick at the write index; the ring keeps the newest 750.
void Replay_RecordFrame();
// Shows the frame at ReplayPosition (0 the oldest) and steps by ReplayMode. A mode outside 0-9
// is fatal "Bad ReplayType case %d". With no frame recorded the replay asks to end.
void Replay_PlayFrame();
// The replay bar's single step: one frame fewer to go; at 0 the replay pauses.
void Replay_CountDownStep();
// F2: an instant replay. The match loop starts every replay on the oldest frame, since the ring
// has moved on since the last one. Ignored while no frame is recorded.
void Replay_StartInstant();
void Replay_RequestEnd();
bool Replay_IsPlaying();
