// viewservices/motioncap.cpp: loading, counting and reading the motion clips.
#include "viewservices/motioncap.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>

#include "engine/fatal.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "gamecode/matchstate.h"
#include "menus/loadbar.h"

// clang-format off
constexpr std::array<const char*, MOTION_CLIP_COUNT> MotionClipNames = {
    "TZM001", "TZM002", "TZM003", "TZM003R", "TZM004", "TZM009", "TZM010", "TZM011", "TZM015",
    "TZM016", "TZM019", "TZM020", "TZM021", "TZM023", "TZM025", "TZM026", "TZM027", "TZM027B",
    "TZM027BR", "TZM027C", "TZM027CR", "TZM027D", "TZM027R", "TZM028", "TZM029", "TZM031",
    "TZM035", "TZM036", "TZM037", "TZM038", "TZM039", "TZM040", "TZM041", "TZM042", "TZM043",
    "TZM044", "TZM044R", "TZM045", "TZM045R", "TZM046", "TZM046R", "TZM047", "TZM048", "TZM049",
    "TZM050", "TZM051", "TZM052", "TZM053", "TZM054", "TZM055", "TZM056", "TZM057", "TZM058",
    "TZM058R", "TZM060", "TZM061", "TZM062", "TZM063", "TZM064", "TZM065", "TZM066", "TZM067",
    "TZM068", "TZM071", "TZM072", "TZM073", "TZM074", "TZM075", "TZM087", "TZM088", "TZM089",
    "TZM090", "TZM091", "TZM092", "TZM093", "TZM094", "TZM095", "TZM096", "TZM096R", "TZM097",
    "TZM097R", "TZM098", "TZM099", "TZM100", "TZM101", "TZM102", "TZM103", "TZM104", "TZM105",
    "TZM105B", "TZM105C", "TZM106", "TZM107", "TZM111", "TZM114", "TZM122", "TZM123", "TZM124",
    "TZM125", "TZM126", "TZM127", "TZM128", "TZM128B", "TZM141", "TZM141B", "TZM141C", "TZM141D",
    "TZM141E", "TZM141F", "TZM141G", "TZM141H", "TZM141I", "TZM141J", "TZM142", "TZM143",
    "TZM144", "TZM144B", "TZM144C", "TZM145", "TZM145B", "TZM146", "TZM146B", "TZM147",
    "TZM147B", "TZM148", "TZM148B", "TZM149", "TZM149B", "TZM150", "TZM150B", "TZM151",
    "TZM151B", "TZM152", "TZM153", "TZM154", "TZM144R", "TZM144BR", "TZM144CR", "TZM145R",
    "TZM145BR", "TZM146R", "TZM146BR", "TZM147R", "TZM147BR", "TZM148R", "TZM148BR", "TZM149R",
    "TZM149BR", "TZM150R", "TZM150BR", "TZM151R", "TZM151BR", "TZM017", "TZM018", "TZM024",
    "TZM111R", "TZM115B", "TZM123R", "AX002",
};
// clang-format on

namespace {

struct MotionClip {
    MotionFrame* frames;
    uint32_t frameCount;
};

MotionClip* s_clips = nullptr;

// The file as stored: its length word, the frame count, the frames.
constexpr int32_t kHeadBytes = 8;

constexpr int16_t kSideStep = 96;         // toward the man's left
constexpr int16_t kSideStepMirror = 157;  // toward his right
// The most frames a replay moves in one pass (fast forward and fast rewind); a longer jump is
// another clock or another match, and says nothing of the way anyone moves.
constexpr int32_t kLongestStride = 3;

// Where a person was last seen, on which clock (the match's ticks or a replay's frames), and which
// way across his facing he last moved.
struct Sighting {
    bool seen;
    bool inReplay;
    int32_t time;
    float x;
    float y;
    bool toHisRight;
};

std::array<Sighting, MATCH_OBJECT_COUNT> s_sightings;

// How far a move on the pitch goes toward the man's right: the views turn the clip's frame, his
// left toward -y, by his drawn direction.
float TowardHisRight(float dx, float dy, int32_t drawnDirection)
{
    const float t = static_cast<float>(drawnDirection) * std::numbers::pi_v<float> / 128;
    return dy * std::cos(t) - dx * std::sin(t);
}

void LoadClip(int32_t clip, MotionClip* slot)
{
    char name[64];
    MotionCap_FileName(clip, name);
    uint8_t* file = nullptr;
    const int32_t length = PakLoadFile(name, &file);
    uint32_t dataSize = 0;
    uint32_t frameCount = 0;
    if (length >= kHeadBytes) {
        std::memcpy(&dataSize, file, 4);
        std::memcpy(&frameCount, file + 4, 4);
    }
    if (length < kHeadBytes || dataSize != static_cast<uint32_t>(length - kHeadBytes))
        FatalError("Error: Motion capture file wrong size\n");
    if (static_cast<uint64_t>(frameCount) * MOTION_FRAME_BYTES != dataSize)
        FatalError("Error: for %d frames, data size should be %d, but was %d\n",
                   static_cast<int32_t>(frameCount),
                   static_cast<int32_t>(frameCount * MOTION_FRAME_BYTES),
                   static_cast<int32_t>(dataSize));
    if (frameCount != static_cast<uint32_t>(MotionFrameCounts[clip]))
        FatalError("LoadMotionCaptures(): clip %s has %d frames, the match times it with %d",
                   MotionClipNames[clip], static_cast<int32_t>(frameCount),
                   int32_t{MotionFrameCounts[clip]});
    AllocateMemory(&slot->frames, dataSize, MEM_TYPE_FILE);
    std::memcpy(slot->frames, file + kHeadBytes, dataSize);
    slot->frameCount = frameCount;
    FreeMemory(&file);
}

}  // namespace

void MotionCap_FileName(int32_t clip, char (&out)[64])
{
    std::snprintf(out, sizeof(out), "VXDATA\\COMMON\\SSKIN\\MOTIONS\\%s.RAW",
                  MotionClipNames[clip]);
}

void LoadMotionCaptures()
{
    if (s_clips != nullptr) return;
    LoadBar_StartBlock(MOTION_CLIP_COUNT, 1.0f);
    AllocateMemory(&s_clips, MOTION_CLIP_COUNT * sizeof(MotionClip), MEM_TYPE_GAME);
    std::memset(s_clips, 0, MOTION_CLIP_COUNT * sizeof(MotionClip));
    for (int32_t clip = 0; clip < MOTION_CLIP_COUNT; ++clip) {
        LoadBar_Advance(1.0f);
        LoadClip(clip, &s_clips[clip]);
    }
    LoadBar_EndBlock();
}

void FreeMotionCaptures()
{
    s_sightings = {};
    if (s_clips == nullptr) return;
    for (int32_t clip = 0; clip < MOTION_CLIP_COUNT; ++clip)
        FreeMemory(&s_clips[clip].frames);
    FreeMemory(&s_clips);
}

bool MotionCap_Loaded() { return s_clips != nullptr; }

int32_t GetMotionFrameCount(int32_t clip)
{
    if (s_clips == nullptr) return MotionFrames_Count(clip);
    return static_cast<int32_t>(s_clips[clip].frameCount);
}

const MotionFrame* MotionCap_Frame(int32_t clip, int32_t frame)
{
    if (s_clips == nullptr || clip < 0 || clip >= MOTION_CLIP_COUNT) return nullptr;
    const MotionClip& c = s_clips[clip];
    // The engine's counter is -1 just after set-up, and a damaged replay can hold anything.
    return &c.frames[std::clamp(frame, 0, static_cast<int32_t>(c.frameCount) - 1)];
}

void PlaceAtMotionOffset(RenderObject* a, const RenderObject* b)
{
    a->x = b->x;
    a->y = b->y;
    const MotionFrame* frame = MotionCap_Frame(b->animation, b->drawnFrame);
    if (frame == nullptr) return;
    const float d1 = frame->ball[0] - frame->root[0];
    const float d2 = frame->ball[1] - frame->root[1];
    const float angle = static_cast<float>(b->drawnDirection) * 3.141592f * 0.0078125f;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    a->x = b->x + d1 * c - d2 * s;
    a->y = b->y + d1 * s + d2 * c;
    a->height = b->height + frame->ball[2];
}

void MotionCap_MirrorSideSteps()
{
    const bool inReplay = MatchShared.replayPlaying != 0;
    const int32_t now = inReplay ? MatchShared.replayPosition : Match.tickCount;
    for (int32_t object = 0; object < MATCH_OBJECT_COUNT; ++object) {
        RenderObject& o = RenderList[object];
        Sighting& s = s_sightings[object];
        // The tick counter wraps at 16 bits.
        const int32_t elapsed = static_cast<int16_t>(now - s.time);
        if (s.seen && s.inReplay == inReplay && std::abs(elapsed) <= kLongestStride) {
            // Measured in the match's time, so that a rewinding replay does not turn him round.
            const float across = TowardHisRight(o.x - s.x, o.y - s.y, o.drawnDirection)
                                 * static_cast<float>(elapsed);
            if (across != 0) s.toHisRight = across > 0;
        }
        s = {true, inReplay, now, o.x, o.y, s.toHisRight};
        if (o.animation == kSideStep && s.toHisRight) o.animation = kSideStepMirror;
    }
}
