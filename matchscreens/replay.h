// matchscreens/replay.h: the replay recorder: every engine tick stored in a ring of the last 750
// frames, played back by mode while the engine stands still, and the live match kept aside.
#pragma once

#include <cstdint>

#include "gamecode/presentation.h"

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
    REPLAYMODE_SAVE,          // the replay save screen, then the replay's end
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
