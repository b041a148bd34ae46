// menus/replayslots.h: the ten replay slot files "Replay%02d.sav" in the user folder, their
// format, their checked load and atomic save, and "Ralenti", the title's list of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "game/matchblocks.h"
#include "gamecode/presentation.h"

struct MenuItem;
struct MenuHotspot;

constexpr int32_t REPLAY_SLOT_COUNT = 10;
constexpr int32_t REPLAY_DESCRIPTION_BYTES = 128;
constexpr int32_t REPLAY_LABEL_BYTES = 140;

constexpr char REPLAY_SLOT_TAG[4] = {'R', 'P', '0', '1'};

#pragma pack(push, 1)
struct ReplaySlotHeader {
    char tag[4];                                 // REPLAY_SLOT_TAG, no terminating zero
    char description[REPLAY_DESCRIPTION_BYTES];  // zero-terminated; read ones end at byte 127
};
#pragma pack(pop)

// A slot file: the header, the recorder block, the match-day block and the whole frame ring, each
// as held in memory.
constexpr size_t REPLAY_FILE_RECORDER_AT = sizeof(ReplaySlotHeader);
constexpr size_t REPLAY_FILE_MATCHDAY_AT = REPLAY_FILE_RECORDER_AT + sizeof(RecorderBlock);
constexpr size_t REPLAY_FILE_FRAMES_AT = REPLAY_FILE_MATCHDAY_AT + sizeof(MatchDayBlock);
constexpr size_t REPLAY_FILE_BYTES = REPLAY_FILE_FRAMES_AT + REPLAY_FRAMES * sizeof(ReplayFrame);

static_assert(sizeof(ReplaySlotHeader) == 132 && offsetof(ReplaySlotHeader, description) == 4);
static_assert(std::is_trivially_copyable_v<ReplaySlotHeader>);
static_assert(REPLAY_FILE_MATCHDAY_AT == 1104 && REPLAY_FILE_FRAMES_AT == 13001);
static_assert(REPLAY_FILE_BYTES == 390251);

// ReplayFile_Load's answers: the first failing step.
enum ReplayFileResult : int32_t {
    REPLAYFILE_LOADED = 0,
    REPLAYFILE_NO_FILE = -1,  // missing, not a regular file, unreadable
    REPLAYFILE_NO_HEADER = -2,
    REPLAYFILE_BAD_TAG = -3,
    REPLAYFILE_SHORT_RECORDER = -4,
    REPLAYFILE_SHORT_MATCHDAY = -5,
    REPLAYFILE_SHORT_FRAMES = -6,
    REPLAYFILE_TOO_LONG = -7,
    REPLAYFILE_UNPLAYABLE =
        -8,  // a value the match or a view would use as an index is out of range
};

// The slot's file name into `name`.
void ReplayFile_Name(int32_t slot, char (&name)[16]);

// Every slot's first 132 bytes into out[slot], the tag unchecked. A slot whose file does not open
// or is shorter than a header gets the empty-slot description, "<" text 1660 ">".
void ReplayFile_ReadHeaders(ReplaySlotHeader out[REPLAY_SLOT_COUNT]);

// Reads the slot's file whole and checks every value a match or view indexes with (the recorder's
// counters, MatchDayBlock_Check, the recorded frames); only then are the header, the recorder
// block, the match-day block and the REPLAY_FRAMES frames copied to the caller's places. Any
// refusal leaves all four as they were.
int32_t ReplayFile_Load(int32_t slot, ReplaySlotHeader* header, RecorderBlock* recorder,
                        MatchDayBlock* matchDay, ReplayFrame* frames);
// Writes header, recorder block, match-day block and REPLAY_FRAMES frames as one image that
// replaces the slot's file whole or not at all: USERFILE_OK or USERFILE_WRITE_FAILED.
int32_t ReplayFile_Save(int32_t slot, const ReplaySlotHeader& header, const RecorderBlock& recorder,
                        const MatchDayBlock& matchDay, const ReplayFrame* frames);

// How many of the ten files open for reading; their contents are not examined.
int32_t Replay_CountSaved();

// "Ralenti": each row shows the label of a valid slot or, in font 1, that of an empty one; the
// other pointer of the pair points to an empty string.
struct ReplaySlotsScreen {
    char labels[REPLAY_SLOT_COUNT][REPLAY_LABEL_BYTES];
    const char* validLabel[REPLAY_SLOT_COUNT];
    const char* emptyLabel[REPLAY_SLOT_COUNT];
};
extern ReplaySlotsScreen ReplaySlots;

// A slot is listed when its file opens, its header is read whole, it is exactly REPLAY_FILE_BYTES
// long and its tag is "RP01"; a label whose description starts with "<" is an empty slot.
void ReplaySlots_Init();
// A listed slot: the engine is asked to watch it (replay state 3) and option 56 plays it.
int32_t ReplaySlots_RowClicked(MenuHotspot* hotspot);
int32_t ReplaySlots_Back(MenuHotspot* hotspot);  // the title
const MenuItem* ReplaySlots_Table();
