// menus/replayslots.cpp: the ten replay slot files and the "Ralenti" screen.
#include "menus/replayslots.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/userfile.h"
#include "game/textmess.h"
#include "gamecode/matchstate.h"
#include "gamecode/motionframes.h"
#include "gamecode/phases.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menupc.h"
#include "menus/saveload.h"

ReplaySlotsScreen ReplaySlots;

namespace {

constexpr int16_t kMotionNone = -2;  // the lowest motion id a person may hold
constexpr int32_t kWatchOption = 56;
constexpr int32_t kRowPitch = 35;
constexpr int32_t kValidFont = 2;
constexpr int32_t kEmptyFont = 1;

void EndDescription(ReplaySlotHeader* header)
{
    header->description[REPLAY_DESCRIPTION_BYTES - 1] = '\0';
}

void DescribeEmpty(ReplaySlotHeader* header)
{
    std::snprintf(header->description, sizeof header->description, "<%s>",
                  GetMessageText(TEXT_EMPTY_SLOT));
}

// The ring holds frameCount frames from slot 0; playback divides by the count, and a saved ring
// stores nothing else.
bool RecorderIsPlayable(const RecorderBlock& recorder)
{
    const auto zero = [](uint8_t b) { return b == 0; };
    return recorder.writeIndex >= 0 && recorder.writeIndex < REPLAY_FRAMES
           && recorder.frameCount >= 1 && recorder.frameCount <= REPLAY_FRAMES
           && std::all_of(std::begin(recorder.zero0), std::end(recorder.zero0), zero)
           && std::all_of(std::begin(recorder.zero1), std::end(recorder.zero1), zero);
}

bool ObjectIsDrawable(const ReplayObject& object)
{
    const int16_t motion = object.animation[0];
    if (motion < kMotionNone || motion >= MOTION_CLIP_COUNT) return false;
    return motion < 0
           || (object.animation[1] >= 0 && object.animation[1] < MotionFrames_Count(motion));
}

// The values the views and cameras use as indexes, as a restored frame leaves them.
bool FrameIsPlayable(const ReplayFrame& frame)
{
    constexpr int32_t holderMax = MATCH_OBJECT_COUNT;  // person + 1
    if (!std::all_of(std::begin(frame.objects), std::end(frame.objects), ObjectIsDrawable))
        return false;
    if (frame.focusPerson < 0 || frame.focusPerson >= MATCH_OBJECT_COUNT) return false;
    if (frame.ballHolder < 0 || frame.ballHolder > holderMax || frame.secondHolder > holderMax)
        return false;
    if (frame.gameState < 0 || frame.gameState >= PHASE_COUNT) return false;
    // The watched slot's clock reads them.
    if (frame.period < 0 || frame.period > MATCH_PERIOD_SHOOT_OUT || frame.periodTicks < 0)
        return false;
    // The packed frame's floats may sit unaligned: they are read through a copy.
    float spin[3];
    std::memcpy(spin, frame.spin, sizeof spin);
    return std::all_of(std::begin(spin), std::end(spin),
                       [](float angle) { return std::isfinite(angle); });
}

bool FramesArePlayable(const uint8_t* frames, int32_t count)
{
    for (int32_t n = 0; n < count; ++n) {
        ReplayFrame frame;
        std::memcpy(&frame, frames + n * sizeof(ReplayFrame), sizeof frame);
        if (!FrameIsPlayable(frame)) return false;
    }
    return true;
}

// A file cut short names the first block it cuts.
int32_t CheckBlocks(size_t size)
{
    if (size < REPLAY_FILE_MATCHDAY_AT) return REPLAYFILE_SHORT_RECORDER;
    if (size < REPLAY_FILE_FRAMES_AT) return REPLAYFILE_SHORT_MATCHDAY;
    if (size < REPLAY_FILE_BYTES) return REPLAYFILE_SHORT_FRAMES;
    return REPLAYFILE_LOADED;
}

int32_t FromReadResult(int32_t result)
{
    return result == USERFILE_TOO_LARGE ? REPLAYFILE_TOO_LONG : REPLAYFILE_NO_FILE;
}

void BuildRow(int32_t slot)
{
    // The label goes to a buffer of its own, never over the description it is made from.
    ReplaySlotHeader header;
    char name[16];
    ReplayFile_Name(slot, name);
    std::vector<uint8_t> bytes;
    size_t fileSize = 0;
    const bool valid = UserFile_ReadHead(name, sizeof header, &bytes, &fileSize) == USERFILE_OK
                       && bytes.size() == sizeof header && fileSize == REPLAY_FILE_BYTES
                       && std::memcmp(bytes.data(), REPLAY_SLOT_TAG, sizeof REPLAY_SLOT_TAG) == 0;
    if (valid) {
        std::memcpy(&header, bytes.data(), sizeof header);
        EndDescription(&header);
    } else {
        DescribeEmpty(&header);
    }
    char* label = ReplaySlots.labels[slot];
    // A slot number of at most three digits and the 127 characters a description may hold fit.
    std::snprintf(label, REPLAY_LABEL_BYTES, "%2d: ", static_cast<uint8_t>(slot + 1));
    // The save numbers its description already: the number is shown once.
    const size_t number = std::strlen(label);
    const bool numbered = std::strncmp(header.description, label, number) == 0;
    std::snprintf(label + number, REPLAY_LABEL_BYTES - number, "%s",
                  header.description + (numbered ? number : 0));
    const bool empty = label[4] == '<';
    ReplaySlots.validLabel[slot] = empty ? "" : label;
    ReplaySlots.emptyLabel[slot] = empty ? label : "";
}

}  // namespace

void ReplayFile_Name(int32_t slot, char (&name)[16])
{
    std::snprintf(name, sizeof name, "Replay%02d.sav", slot);
}

void ReplayFile_ReadHeaders(ReplaySlotHeader out[REPLAY_SLOT_COUNT])
{
    for (int32_t slot = 0; slot < REPLAY_SLOT_COUNT; ++slot) {
        char name[16];
        ReplayFile_Name(slot, name);
        std::vector<uint8_t> bytes;
        size_t fileSize = 0;
        if (UserFile_ReadHead(name, sizeof out[slot], &bytes, &fileSize) == USERFILE_OK
            && bytes.size() == sizeof out[slot]) {
            std::memcpy(&out[slot], bytes.data(), sizeof out[slot]);
            EndDescription(&out[slot]);
        } else {
            DescribeEmpty(&out[slot]);
        }
    }
}

int32_t ReplayFile_Load(int32_t slot, ReplaySlotHeader* header, RecorderBlock* recorder,
                        MatchDayBlock* matchDay, ReplayFrame* frames)
{
    char name[16];
    ReplayFile_Name(slot, name);
    std::vector<uint8_t> bytes;
    const int32_t read = UserFile_Read(name, REPLAY_FILE_BYTES, &bytes);
    if (read != USERFILE_OK) return FromReadResult(read);
    if (bytes.size() < sizeof(ReplaySlotHeader)) return REPLAYFILE_NO_HEADER;
    if (std::memcmp(bytes.data(), REPLAY_SLOT_TAG, sizeof REPLAY_SLOT_TAG) != 0)
        return REPLAYFILE_BAD_TAG;
    if (const int32_t cut = CheckBlocks(bytes.size()); cut != REPLAYFILE_LOADED) return cut;

    ReplaySlotHeader stagedHeader;
    std::memcpy(&stagedHeader, bytes.data(), sizeof stagedHeader);

    RecorderBlock stagedRecorder;
    std::memcpy(&stagedRecorder, bytes.data() + REPLAY_FILE_RECORDER_AT, sizeof stagedRecorder);
    MatchDayBlock stagedMatchDay;
    std::memcpy(&stagedMatchDay, bytes.data() + REPLAY_FILE_MATCHDAY_AT, sizeof stagedMatchDay);
    if (!RecorderIsPlayable(stagedRecorder) || !MatchDayBlock_Check(stagedMatchDay)
        || !FramesArePlayable(bytes.data() + REPLAY_FILE_FRAMES_AT, stagedRecorder.frameCount))
        return REPLAYFILE_UNPLAYABLE;

    EndDescription(&stagedHeader);
    *header = stagedHeader;
    *recorder = stagedRecorder;
    *matchDay = stagedMatchDay;
    std::memcpy(frames, bytes.data() + REPLAY_FILE_FRAMES_AT, REPLAY_FRAMES * sizeof(ReplayFrame));
    return REPLAYFILE_LOADED;
}

int32_t ReplayFile_Save(int32_t slot, const ReplaySlotHeader& header, const RecorderBlock& recorder,
                        const MatchDayBlock& matchDay, const ReplayFrame* frames)
{
    std::vector<uint8_t> image(REPLAY_FILE_BYTES);
    std::memcpy(image.data(), &header, sizeof header);
    std::memcpy(image.data() + REPLAY_FILE_RECORDER_AT, &recorder, sizeof recorder);
    std::memcpy(image.data() + REPLAY_FILE_MATCHDAY_AT, &matchDay, sizeof matchDay);
    std::memcpy(image.data() + REPLAY_FILE_FRAMES_AT, frames, REPLAY_FRAMES * sizeof(ReplayFrame));
    char name[16];
    ReplayFile_Name(slot, name);
    return UserFile_Write(name, image.data(), image.size());
}

int32_t Replay_CountSaved()
{
    int32_t count = 0;
    for (int32_t slot = 0; slot < REPLAY_SLOT_COUNT; ++slot) {
        char name[16];
        ReplayFile_Name(slot, name);
        // Only a regular file can hold a replay: a folder or a pipe of that name is no slot.
        if (UserFile_Probe(name) == USERFILE_OK) ++count;
    }
    return count;
}

void ReplaySlots_Init()
{
    for (int32_t slot = 0; slot < REPLAY_SLOT_COUNT; ++slot)
        BuildRow(slot);
}

int32_t ReplaySlots_RowClicked(MenuHotspot* hotspot)
{
    const int32_t slot = hotspot->row;
    const char* label = slot < REPLAY_SLOT_COUNT ? ReplaySlots.validLabel[slot] : nullptr;
    if (label == nullptr || label[0] == '\0') return EXM_CODE_NONE;
    MatchShared.replaySlot = static_cast<uint16_t>(slot);
    MatchShared.replayState = REPLAY_WATCH;
    MenuOption = kWatchOption;
    return EXM_CODE_LEAVE;
}

int32_t ReplaySlots_Back(MenuHotspot*)
{
    MenuOption = MENU_OPTION_TITLE;
    return EXM_CODE_LEAVE;
}

const MenuItem* ReplaySlots_Table()
{
    constexpr int16_t POINTER_STRIDE = sizeof(const char*);
    static const MenuItem row[] = {
        {0x200d, 32, 80, 576, 32, 0, nullptr},
        {0x1f, 32, 80, 576, 32, MenuNumber(-1), ReplaySlots_RowClicked},
        {0x0d, 0, 0, 0, 0, MenuNumber(kValidFont), nullptr},
        {0x12, 48, 96, MENU_ALIGN_ML, POINTER_STRIDE, MenuVariable(&ReplaySlots.validLabel[0]),
         nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(kEmptyFont), nullptr},
        {0x12, 48, 96, MENU_ALIGN_ML, POINTER_STRIDE, MenuVariable(&ReplaySlots.emptyLabel[0]),
         nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(ReplaySlots_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(126), nullptr},
        {0x21, 0, 0, REPLAY_SLOT_COUNT, kRowPitch, MenuAddress(row), nullptr},
        {0x200c, 564, 434, 46, 46, MenuTextNo(31), ReplaySlots_Back},
        MenuEndItem(nullptr, [] { return ReplaySlots_Back(nullptr); }),
    };
    return table;
}
