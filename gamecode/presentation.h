// gamecode/presentation.h: what the match engine asks of the match presentation, through one
// table of operations that the presentation modules fill at start-up, and the words and buffers
// the two share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "gamecode/matchstate.h"

// One match object as the views draw it. Packed: the replay recorder stores these bytes.
#pragma pack(push, 1)
struct RenderObject {
    float x;
    float height;  // the object's height times 2.8
    float y;
    int16_t animation;
    int16_t drawnFrame;
    int16_t drawnDirection;
    int16_t headAngle;
};
#pragma pack(pop)
static_assert(sizeof(RenderObject) == 20 && offsetof(RenderObject, height) == 4);
static_assert(offsetof(RenderObject, y) == 8 && offsetof(RenderObject, animation) == 12);
static_assert(offsetof(RenderObject, drawnFrame) == 14
              && offsetof(RenderObject, drawnDirection) == 16);
static_assert(offsetof(RenderObject, headAngle) == 18);

constexpr int32_t REPLAY_FRAMES = 750;  // the replay recorder's ring: 15 seconds of match time
constexpr int32_t REPLAY_OBJECTS = 37;

#pragma pack(push, 1)
struct ReplayObject {  // a person, the ball or the restart point
    int16_t x;
    int16_t y;
    int16_t height;
    int16_t animation[3];  // motion, motion frame, facing
};

// One tick of the match as the replay recorder keeps it, little-endian; replay slot files store
// these bytes, so they sit here below the menus that read those files.
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
    int16_t period;      // restored only while a saved slot is watched
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

// The presentation's operations. MatchPresentation_SetDefaults installs the services every view
// shares, as registered, and headless stand-ins for the rest; presentation modules overwrite
// members at start-up, tests install recorders.
struct MatchPresentation {
    void (*PlayMatchSfx)(int32_t id, int32_t value);
    void (*InfoBar)(int32_t type, int32_t person1, int32_t person2);
    void (*AddGroundMark)(int32_t x, int32_t y, double size, double direction, uint8_t type);
    void (*Ball_SetSpinAngles)(float a, float b, float c);
    int32_t (*GetMotionFrameCount)(int32_t animation);
    void (*PlaceAtMotionOffset)(RenderObject* ballObject, int32_t person);
    void (*Replay_AllocBuffer)();
    void (*Replay_FreeBuffer)();
    void (*Replay_ResetCounters)();
    void (*Replay_RecordFrame)();
    void (*Replay_PlayFrame)();
    void (*Replay_Store)();
    void (*Replay_Restore)();
    int32_t (*Replay_Load)(int32_t slot);  // 0, or negative on failure
    void (*InGameMenusLoopAt)(int32_t side);
    void (*RunInGameMenuPair)();
    void (*InGameMenusPage6)();
    void (*InGameMenusFromStart)();
    void (*InGameMenusPage4)();
    void (*InGameMenusPage1)();
    void (*InGameMenusPage0)();
    void (*InGameMenus_Reset)();
    void (*TimedEvents_Reset)();
    void (*MatchSfx_Init)();
    void (*MatchSfx_Shutdown)();
    int32_t (*Video_Has3DDevice)();
};
extern MatchPresentation MatchPresentationOps;
void MatchPresentation_SetDefaults();
// The presentation modules, when they start, register what installs the services every view
// shares (the info bar, ground marks, the ball's spin, the replay recorder, the timed events, the
// 3D device test); until then those stand in headless too.
void MatchPresentation_RegisterShared(void (*install)(MatchPresentation& ops));

// Replay state: 0 normal; what to do when a replay ends: 2 menu request 1, 3 end the loop, 5 the
// 2D view, 1 and 4 nothing. 3 at match start: a saved replay is being watched.
enum ReplayStateWord : uint16_t {
    REPLAY_NORMAL,
    REPLAY_THEN_NOTHING,
    REPLAY_THEN_MENU,
    REPLAY_WATCH,
    REPLAY_HIGHLIGHT,
    REPLAY_THEN_2D
};

constexpr int32_t COMMENTARY_LINE_BYTES = 200;
constexpr int32_t PENALTY_ORDER_COUNT = 10;

// Words shared with the presentation, reset at each match's start (MatchPresentation_ResetWords).
struct MatchSharedWords {
    uint16_t replayState;
    uint16_t replaySlot;  // the saved replay watched in state 3
    uint8_t replayStartRequest;
    uint8_t replayPlaying;
    uint8_t replayEndRequest;
    int16_t replaySpeed[2];
    int32_t replayPosition;
    uint16_t pauseWord;
    uint16_t menuRequest;  // 0 none, 1-5
    int16_t substitutionRequest[2];
    int16_t highlightOption[2];
    uint16_t ratingMode;
};
extern MatchSharedWords MatchShared;
inline int16_t (&SubstitutionRequest)[2] = MatchShared.substitutionRequest;
extern char CommentaryLine[COMMENTARY_LINE_BYTES];
extern int16_t PenaltyOrder[2][PENALTY_ORDER_COUNT];  // person indexes, -1 after the last
extern RenderObject RenderList[MATCH_OBJECT_COUNT];

// A match's start: every shared word cleared but the request to watch a saved replay (state 3 and
// its slot), the replay position the last replay left (an instant replay starts there) and the
// player's highlight and rating options. Part of Match_ResetWords.
void MatchPresentation_ResetWords();
void MatchPresentation_ClearOptions();  // every shared word, options too: program start
