// Replay slot files over a seeded match's real recorder: the round trip, a table of damaged
// files each refused with its code and nothing changed, a fuzz loop whose accepted files play
// every frame, and the save screen's sequence from the replay bar's button.
#include "matchscreens/replaysave.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/memory.h"
#include "engine/poll.h"
#include "engine/userfile.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/motionframes.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/replay.h"
#include "menus/machine.h"
#include "menus/saveload.h"
#include "menus/vtmenu.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_loop.h"
#include "tests/support/support.h"

namespace {

#ifdef PELLORAN_SANITIZED
constexpr int32_t kFuzzCases = 2000;
#else
constexpr int32_t kFuzzCases = 150;  // the sanitizer build runs the full 2,000
#endif

using Bytes = std::vector<uint8_t>;

// A seeded match's recorder, frames and match-day block, taken when the ring is first full.
struct RecordedMatch {
    RecorderBlock recorder;
    MatchDayBlock matchDay;
    std::vector<ReplayFrame> frames;
};

const RecordedMatch& Recorded()
{
    static const RecordedMatch recorded = [] {
        RecordedMatch r{};
        ScopedMatch match;
        MemoryInit();
        MatchKeys_Init();
        Replay_Init();
        MatchPresentation_SetDefaults();
        Watchdog_When([] { return ReplayRecorder.frameCount == REPLAY_FRAMES; },
                      [&r] {
                          r.recorder = ReplayRecorder;
                          r.matchDay = *GetMatchSidesBlock();
                          r.frames.assign(ReplayBuffer, ReplayBuffer + REPLAY_FRAMES);
                      });
        MatchDayBuilder builder;
        builder.seed = 7;
        builder.periodMinutes = 1;
        GoldenRun(builder);
        Replay_Uninit();
        MatchKeys_Uninit();
        MemoryUninit();
        FillWhatTheEngineLeftCleared(&r.matchDay);
        return r;
    }();
    return recorded;
}

ReplaySlotHeader Header(const char* description)
{
    ReplaySlotHeader h{};
    std::memcpy(h.tag, "RP01", 4);
    std::snprintf(h.description, sizeof h.description, "%s", description);
    return h;
}

// Blocks the load must leave alone on a refusal: every byte 0xA5.
struct Targets {
    ReplaySlotHeader header;
    RecorderBlock recorder;
    MatchDayBlock matchDay;
    std::vector<ReplayFrame> frames = std::vector<ReplayFrame>(REPLAY_FRAMES);
    Targets()
    {
        std::memset(&header, 0xA5, sizeof header);
        std::memset(&recorder, 0xA5, sizeof recorder);
        std::memset(&matchDay, 0xA5, sizeof matchDay);
        std::memset(frames.data(), 0xA5, frames.size() * sizeof(ReplayFrame));
    }
    int32_t Load(int32_t slot)
    {
        return ReplayFile_Load(slot, &header, &recorder, &matchDay, frames.data());
    }
    bool Untouched() const
    {
        const Targets fresh;
        return std::memcmp(&header, &fresh.header, sizeof header) == 0
               && std::memcmp(&recorder, &fresh.recorder, sizeof recorder) == 0
               && std::memcmp(&matchDay, &fresh.matchDay, sizeof matchDay) == 0
               && std::memcmp(frames.data(), fresh.frames.data(),
                              frames.size() * sizeof(ReplayFrame))
                      == 0;
    }
};

template <typename T>
void Put(Bytes* bytes, size_t at, T value)
{
    std::memcpy(bytes->data() + at, &value, sizeof value);
}

constexpr size_t kMatchDay = REPLAY_FILE_MATCHDAY_AT;
size_t SideAt(int32_t side)
{
    return kMatchDay + offsetof(MatchDayBlock, sides) + side * sizeof(MatchSide);
}
size_t EntryAt(int32_t side, int32_t entry)
{
    return SideAt(side) + offsetof(MatchSide, entries) + entry * sizeof(MatchPlayerEntry);
}
size_t FrameAt(int32_t frame) { return REPLAY_FILE_FRAMES_AT + frame * sizeof(ReplayFrame); }
size_t ObjectAt(int32_t frame, int32_t object)
{
    return FrameAt(frame) + offsetof(ReplayFrame, objects) + object * sizeof(ReplayObject);
}

class ReplayFileTest : public testing::Test {
protected:
    static void SetUpTestSuite() { Recorded(); }
    void SetUp() override
    {
        const RecordedMatch& r = Recorded();
        ASSERT_EQ(ReplayFile_Save(3, Header(" 4: saved"), r.recorder, r.matchDay, r.frames.data()),
                  USERFILE_OK);
        m_valid = ReadBytes(m_home.Path("Replay03.sav"));
    }

    TempHome m_home;
    Bytes m_valid;
};

}  // namespace

TEST_F(ReplayFileTest, ASavedSlotReloadsByteForByteAndDamagedCopiesAreRefusedWithTheirCode)
{
    const RecordedMatch& r = Recorded();
    ASSERT_EQ(r.recorder.frameCount, REPLAY_FRAMES);
    ASSERT_EQ(m_valid.size(), 390251u);
    Targets loaded;
    ASSERT_EQ(loaded.Load(3), REPLAYFILE_LOADED);
    EXPECT_STREQ(loaded.header.description, " 4: saved");
    EXPECT_EQ(std::memcmp(&loaded.recorder, &r.recorder, sizeof r.recorder), 0);
    EXPECT_EQ(std::memcmp(&loaded.matchDay, &r.matchDay, sizeof r.matchDay), 0);
    EXPECT_EQ(
        std::memcmp(loaded.frames.data(), r.frames.data(), REPLAY_FRAMES * sizeof(ReplayFrame)), 0);

    const auto cut = [](size_t size) { return [size](Bytes* b) { b->resize(size); }; };
    const int16_t motion = 0;
    struct Case {
        const char* what;
        std::function<void(Bytes*)> damage;  // null: the file is made some other way
        int32_t code;
    };
    const std::vector<Case> cases = {
        {"0 bytes", cut(0), REPLAYFILE_NO_HEADER},
        {"131 bytes", cut(131), REPLAYFILE_NO_HEADER},
        {"tag RP02", [](Bytes* b) { (*b)[3] = '2'; }, REPLAYFILE_BAD_TAG},
        {"header alone", cut(REPLAY_FILE_RECORDER_AT), REPLAYFILE_SHORT_RECORDER},
        {"cut in the recorder", cut(REPLAY_FILE_MATCHDAY_AT - 1), REPLAYFILE_SHORT_RECORDER},
        {"recorder whole", cut(REPLAY_FILE_MATCHDAY_AT), REPLAYFILE_SHORT_MATCHDAY},
        {"cut in the match-day block", cut(REPLAY_FILE_FRAMES_AT - 1), REPLAYFILE_SHORT_MATCHDAY},
        {"no frame", cut(REPLAY_FILE_FRAMES_AT), REPLAYFILE_SHORT_FRAMES},
        {"cut in the frames", cut(REPLAY_FILE_BYTES - 1), REPLAYFILE_SHORT_FRAMES},
        {"one byte too many", [](Bytes* b) { b->push_back(0); }, REPLAYFILE_TOO_LONG},
        {"frame count 0", [](Bytes* b) { Put<int32_t>(b, REPLAY_FILE_RECORDER_AT + 900, 0); },
         REPLAYFILE_UNPLAYABLE},
        {"frame count 751", [](Bytes* b) { Put<int32_t>(b, REPLAY_FILE_RECORDER_AT + 900, 751); },
         REPLAYFILE_UNPLAYABLE},
        {"write index 750", [](Bytes* b) { Put<int32_t>(b, REPLAY_FILE_RECORDER_AT + 896, 750); },
         REPLAYFILE_UNPLAYABLE},
        {"reserved byte", [](Bytes* b) { (*b)[REPLAY_FILE_RECORDER_AT + 971] = 1; },
         REPLAYFILE_UNPLAYABLE},
        {"team name unterminated",
         [](Bytes* b) { std::memset(b->data() + SideAt(1), 'A', MATCH_TEAM_NAME_BYTES); },
         REPLAYFILE_UNPLAYABLE},
        {"player name unterminated",
         [](Bytes* b) { std::memset(b->data() + EntryAt(0, 5), 'B', MATCH_ENTRY_NAME_BYTES); },
         REPLAYFILE_UNPLAYABLE},
        {"bench of 6", [](Bytes* b) { Put<int16_t>(b, kMatchDay + 16, 6); }, REPLAYFILE_UNPLAYABLE},
        {"kit colour 40",
         [](Bytes* b) {
             Put<int16_t>(
                 b, SideAt(0) + offsetof(MatchSide, kit) + offsetof(KitDesign, colours) + 6, 40);
         },
         REPLAYFILE_UNPLAYABLE},
        {"focus person 37",
         [](Bytes* b) { Put<int16_t>(b, FrameAt(749) + offsetof(ReplayFrame, focusPerson), 37); },
         REPLAYFILE_UNPLAYABLE},
        {"period 5",
         [](Bytes* b) { Put<int16_t>(b, FrameAt(30) + offsetof(ReplayFrame, period), 5); },
         REPLAYFILE_UNPLAYABLE},
        {"period ticks -1",
         [](Bytes* b) { Put<int16_t>(b, FrameAt(31) + offsetof(ReplayFrame, periodTicks), -1); },
         REPLAYFILE_UNPLAYABLE},
        {"motion id 159", [](Bytes* b) { Put<int16_t>(b, ObjectAt(12, 4) + 6, 159); },
         REPLAYFILE_UNPLAYABLE},
        {"motion frame at the clip's count",
         [motion](Bytes* b) {
             Put<int16_t>(b, ObjectAt(300, 7) + 6, motion);
             Put<int16_t>(b, ObjectAt(300, 7) + 8,
                          static_cast<int16_t>(MotionFrames_Count(motion)));
         },
         REPLAYFILE_UNPLAYABLE},
        {"NaN spin",
         [](Bytes* b) {
             Put<float>(b, FrameAt(0) + offsetof(ReplayFrame, spin) + 4,
                        std::numeric_limits<float>::quiet_NaN());
         },
         REPLAYFILE_UNPLAYABLE},
    };
    const std::string file = m_home.Path("Replay04.sav");
    // A ring not yet full: only its recorded frames are checked, whatever lies past them.
    Bytes young = m_valid;
    Put<int32_t>(&young, REPLAY_FILE_RECORDER_AT + 896, 700);
    Put<int32_t>(&young, REPLAY_FILE_RECORDER_AT + 900, 700);
    Put<int16_t>(&young, FrameAt(700) + offsetof(ReplayFrame, focusPerson), 99);
    WriteBytes(file, young);
    EXPECT_EQ(Targets().Load(4), REPLAYFILE_LOADED);
    for (const Case& c : cases) {
        Bytes damaged = m_valid;
        c.damage(&damaged);
        WriteBytes(file, damaged);
        Targets targets;
        EXPECT_EQ(targets.Load(4), c.code) << c.what;
        EXPECT_TRUE(targets.Untouched()) << c.what;
    }

    // Files that do not open as a regular file.
    std::filesystem::remove(file);
    const std::vector<std::pair<const char*, std::function<void()>>> notFiles = {
        {"missing", [] {}},
        {"folder", [&file] { std::filesystem::create_directory(file); }},
        {"pipe", [&file] { ASSERT_EQ(mkfifo(file.c_str(), 0644), 0); }},
    };
    for (const auto& [what, make] : notFiles) {
        make();
        Targets targets;
        EXPECT_EQ(targets.Load(4), REPLAYFILE_NO_FILE) << what;
        EXPECT_TRUE(targets.Untouched()) << what;
        std::filesystem::remove(file);
    }
}

TEST_F(ReplayFileTest, ADescriptionWithoutItsZeroIsEndedAtItsLastByte)
{
    Bytes bytes = m_valid;
    std::memset(bytes.data() + 4, 'x', REPLAY_DESCRIPTION_BYTES);
    WriteBytes(m_home.Path("Replay03.sav"), bytes);
    Targets loaded;
    ASSERT_EQ(loaded.Load(3), REPLAYFILE_LOADED);
    EXPECT_EQ(std::string(loaded.header.description), std::string(127, 'x'));
    ReplaySlotHeader headers[REPLAY_SLOT_COUNT];
    ReplayFile_ReadHeaders(headers);
    EXPECT_EQ(std::string(headers[3].description), std::string(127, 'x'));
    EXPECT_EQ(std::string(headers[0].description),
              "<" + std::string(GetMessageText(TEXT_EMPTY_SLOT)) + ">");
}

// Damaged copies of a real slot: each is refused, or loads and then plays every recorded frame
// into the render list as the match loop would.
TEST_F(ReplayFileTest, FuzzedSlotsAreRefusedOrPlayEveryFrame)
{
    struct Field {
        size_t at;
        int32_t width;
        int32_t max;
    };
    const std::vector<Field> fields = {
        {REPLAY_FILE_RECORDER_AT + 896, 4, REPLAY_FRAMES - 1},
        {REPLAY_FILE_RECORDER_AT + 900, 4, REPLAY_FRAMES},
        {kMatchDay + offsetof(MatchDayBlock, periodMinutes), 2, 90},
        {kMatchDay + offsetof(MatchDayBlock, benchSize), 2, MATCH_BENCH_MAX},
        {kMatchDay + offsetof(MatchDayBlock, substitutionsAllowed), 2, MATCH_BENCH_MAX},
        {kMatchDay + offsetof(MatchDayBlock, crowdFill), 1, 3},
        {kMatchDay + offsetof(MatchDayBlock, night), 1, 1},
        {SideAt(0) + offsetof(MatchSide, tactic), 2, 51},
        {SideAt(1) + offsetof(MatchSide, tacticB), 2, 51},
        {SideAt(1) + offsetof(MatchSide, kit), 2, KIT_PATTERNS - 1},
        {EntryAt(0, 2) + offsetof(MatchPlayerEntry, positionCode), 1, 13},
        {EntryAt(1, 9) + offsetof(MatchPlayerEntry, skin), 2, 6},
        {EntryAt(1, 0) + offsetof(MatchPlayerEntry, shirt), 2, MATCH_SHIRT_COUNT},
    };
    const std::vector<Field> frameFields = {
        {offsetof(ReplayFrame, focusPerson), 2, MATCH_OBJECT_COUNT - 1},
        {offsetof(ReplayFrame, ballHolder), 2, MATCH_OBJECT_COUNT},
        {offsetof(ReplayFrame, secondHolder), 1, MATCH_OBJECT_COUNT},
        {offsetof(ReplayFrame, gameState), 2, 29},
        {offsetof(ReplayFrame, period), 2, MATCH_PERIOD_SHOOT_OUT},
        {offsetof(ReplayFrame, objects) + 6, 2, MOTION_CLIP_COUNT - 1},
        {offsetof(ReplayFrame, objects) + 12 * 20 + 8, 2, 10},
    };

    ScopedMatch match;
    MemoryInit();
    MatchKeys_Init();
    Replay_Init();
    ReplaySave_Init();
    MatchPresentation_SetDefaults();
    std::mt19937 rng(54);
    int32_t played = 0;
    for (int32_t n = 0; n < kFuzzCases; ++n) {
        Bytes bytes = m_valid;
        switch (rng() % 3) {
            case 0:
                for (uint32_t flips = 1 + rng() % 8; flips > 0; --flips)
                    bytes[rng() % bytes.size()] ^= static_cast<uint8_t>(1u << (rng() % 8));
                break;
            case 1: bytes.resize(rng() % (bytes.size() + 2)); break;
            default: {
                const bool inFrame = rng() % 2 == 0;
                const Field f = inFrame ? frameFields[rng() % frameFields.size()]
                                        : fields[rng() % fields.size()];
                const size_t at =
                    inFrame ? FrameAt(static_cast<int32_t>(rng() % REPLAY_FRAMES)) + f.at : f.at;
                const int32_t values[] = {0, f.max, f.max + 1, -1};
                const int32_t value = values[rng() % 4];
                std::memcpy(bytes.data() + at, &value, f.width);
            }
        }
        WriteBytes(m_home.Path("Replay04.sav"), bytes);
        Replay_AllocBuffer();
        const int32_t result = Replay_Load(4);
        ASSERT_GE(result, REPLAYFILE_UNPLAYABLE) << n;
        ASSERT_LE(result, REPLAYFILE_LOADED) << n;
        if (result == REPLAYFILE_LOADED) {
            ++played;
            // Saved from a match played without a view, it plays in the 3D view.
            ASSERT_EQ(GetMatchSidesBlock()->viewMode, VIEW_3D) << n;
            ReplayState = REPLAYKIND_SLOT;
            for (int32_t position = 0; position < ReplayRecorder.frameCount; ++position) {
                ReplayPosition = position;
                ReplayMode = REPLAYMODE_PAUSE;
                Replay_PlayFrame();
                Match_FillRenderList();
            }
        }
        Replay_FreeBuffer();
    }
    EXPECT_GT(played, 0);
    ReplaySave_Uninit();
    Replay_Uninit();
    MatchKeys_Uninit();
    MemoryUninit();
}

// ---------------------------------------------------------------------------------------------
// The save screen.

namespace {

int32_t s_message;
int32_t s_viewInits, s_viewDestroys;
constexpr MatchViewOps kSpyView = {[] { ++s_viewInits; }, [] { ++s_viewDestroys; }, nullptr,
                                   nullptr, nullptr};

constexpr int32_t kLineX = 200;
int32_t LineY(int32_t slot) { return 78 + 26 * slot + 11; }
constexpr int32_t kSaveX = 200, kQuitX = 430, kButtonsY = 379;

// A replay showing an earlier frame (0 - 0, early in the half) of a match standing at 2 - 1 in
// its 31st minute.
class ReplaySaveScreenTest : public testing::Test {
protected:
    // The seeded match resets the core: it is played before the display comes up.
    static void SetUpTestSuite() { Recorded(); }
    void SetUp() override
    {
        ShutdownMenuGraphics();
        MatchBlocks_Init();
        MatchEngine_Init();
        MatchPresentation_SetDefaults();
        Replay_Init();
        ReplaySave_Init();
        ReplaySaveHooks.message = [](int32_t textNo) { s_message = textNo; };
        s_message = -1;
        s_viewInits = s_viewDestroys = 0;
        MatchDayBuilder builder;
        builder.viewMode = VIEW_TEXT;
        builder.Write();
        FillWhatTheEngineLeftCleared(GetMatchSidesBlock());
        std::snprintf(GetMatchSidesBlock()->sides[0].teamName, MATCH_TEAM_NAME_BYTES, "Rouges");
        std::snprintf(GetMatchSidesBlock()->sides[1].teamName, MATCH_TEAM_NAME_BYTES, "Bleus");
        MatchView_Register(VIEWKIND_TEXT, &kSpyView);
        Replay_AllocBuffer();
        const RecordedMatch& r = Recorded();
        std::copy(r.frames.begin(), r.frames.end(), ReplayBuffer);
        ReplayRecorder = r.recorder;
        Match.period = 0;
        Match.periodLength = 2700;  // a tick a second
        LiveFrame.goals[0] = 2;
        LiveFrame.goals[1] = 1;
        LiveFrame.periodTicks = 1865;
        Match.score[0] = Match.score[1] = 0;
        Match.periodTicks = 100;
        ASSERT_EQ(ReplayFile_Save(3, Header(" 4: three"), r.recorder, r.matchDay, r.frames.data()),
                  USERFILE_OK);
        ASSERT_EQ(ReplayFile_Save(5, Header(" 6: five"), r.recorder, r.matchDay, r.frames.data()),
                  USERFILE_OK);
    }
    void TearDown() override
    {
        MatchView_Register(VIEWKIND_TEXT, nullptr);
        ReplaySave_Uninit();
        Replay_Uninit();
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
    }

    Bytes Slot5() const { return ReadBytes(m_home.Path("Replay05.sav")); }

    TempHome m_home;
    ScopedMenuDisplay m_display;
};

// Runs `write` with this process's files limited to `limitBytes`: past it a write fails as on a
// full disk.
void WithFileSizeLimit(rlim_t limitBytes, const std::function<void()>& write)
{
    rlimit kept{};
    getrlimit(RLIMIT_FSIZE, &kept);
    const auto keptHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = kept;
    limited.rlim_cur = limitBytes;
    setrlimit(RLIMIT_FSIZE, &limited);
    write();
    setrlimit(RLIMIT_FSIZE, &kept);
    std::signal(SIGXFSZ, keptHandler);
}

}  // namespace

TEST_F(ReplaySaveScreenTest, PickThenSaveWritesTheRunningMatchAndFailuresKeepTheOldFile)
{
    InitSetOfMenus();
    InGameScreen_Open(ReplaySave_Screen());
    EXPECT_STREQ(ReplaySlotHeaders[3].description, " 4: three");
    EXPECT_STREQ(ReplaySlotHeaders[0].description, "<Emplacement vide>");
    // "Enregistrer" with nothing picked does nothing.
    EXPECT_EQ(SendVTEventAt(kSaveX, kButtonsY, VT_EVENT_PRESS), VT_CONTINUE);
    EXPECT_EQ(ReplaySlotSelected, -1);
    EXPECT_EQ(SendVTEventAt(kLineX, LineY(3), VT_EVENT_ENTER), VT_BREAK_0);
    EXPECT_EQ(SendVTEventAt(kLineX, LineY(3), VT_EVENT_PRESS), VT_BREAK_0);
    EXPECT_STREQ(ReplaySlotHeaders[3].description, " 4: Rouges 2 - 1 Bleus, 31:05");
    EXPECT_EQ(SendVTEventAt(kLineX, LineY(5), VT_EVENT_PRESS), VT_BREAK_0);
    EXPECT_STREQ(ReplaySlotHeaders[3].description, " 4: three");
    EXPECT_STREQ(ReplaySlotHeaders[5].description, " 6: Rouges 2 - 1 Bleus, 31:05");
    EXPECT_EQ(ReplaySlotSelected, 5);
    VT_MenuRedraw();  // the lines' places and the chosen one's colour are only seen drawn
    ExpectGoldenHash("generic/replay_save", WorkScreenHash());

    // A failed write: a read-only folder (which binds every user but the superuser), then a disk
    // full half way.
    const Bytes before = Slot5();
    if (geteuid() != 0) {
        std::filesystem::permissions(m_home.Path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        EXPECT_EQ(SendVTEventAt(kSaveX, kButtonsY, VT_EVENT_PRESS), VT_BREAK_1);
        EXPECT_EQ(s_message, TEXT_SAVE_FAILED);
        std::filesystem::permissions(m_home.Path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
        s_message = -1;
    }
    WithFileSizeLimit(REPLAY_FILE_BYTES / 2, [] {
        EXPECT_EQ(SendVTEventAt(kSaveX, kButtonsY, VT_EVENT_PRESS), VT_BREAK_1);
    });
    EXPECT_EQ(s_message, TEXT_SAVE_FAILED);
    EXPECT_TRUE(Slot5() == before);

    // The real save, through a folder left at the temporary's name.
    std::filesystem::create_directories(m_home.Path("Replay05.sav.tmp/kept"));
    s_message = -1;
    InGameMenuId = IGM_PAUSE;
    EXPECT_EQ(SendVTEventAt(kSaveX, kButtonsY, VT_EVENT_PRESS), VT_BREAK_1);
    EXPECT_EQ(InGameMenuId, IGM_CLOSED);
    EXPECT_EQ(s_message, -1);
    const Bytes saved = Slot5();
    ASSERT_EQ(saved.size(), REPLAY_FILE_BYTES);
    EXPECT_STREQ(reinterpret_cast<const char*>(saved.data() + 4), " 6: Rouges 2 - 1 Bleus, 31:05");
    InGameScreen_Close();

    // "Quitter" writes nothing.
    InGameScreen_Open(ReplaySave_Screen());
    EXPECT_EQ(SendVTEventAt(kLineX, LineY(5), VT_EVENT_PRESS), VT_BREAK_0);
    EXPECT_EQ(SendVTEventAt(kQuitX, kButtonsY, VT_EVENT_PRESS), VT_BREAK_1);
    InGameScreen_Close();
    EXPECT_TRUE(Slot5() == saved);
}

TEST_F(ReplaySaveScreenTest, TheReplayBarsSaveButtonRunsTheScreenBetweenTheViewAndEndsTheReplay)
{
    ReplayState = REPLAYKIND_INSTANT;
    MatchShared.menuRequest = 2;
    ReplayMode = REPLAYMODE_SAVE;
    MenuInputs inputs;
    AddClick(&inputs, 200, kLineX, LineY(7));
    AddClick(&inputs, 400, kSaveX, kButtonsY);
    {
        ScopedMenuScript script(inputs, 100);
        Replay_PlayFrame();
    }
    EXPECT_EQ(MatchShared.menuRequest, 0);
    EXPECT_EQ(MatchShared.replayEndRequest, 1);
    EXPECT_EQ(s_viewDestroys, 1);
    EXPECT_EQ(s_viewInits, 1);
    EXPECT_EQ(VT_GetState(), VT_STATE_OFF);
    EXPECT_EQ(ReadBytes(m_home.Path("Replay07.sav")).size(), REPLAY_FILE_BYTES);
    Targets loaded;
    ASSERT_EQ(loaded.Load(7), REPLAYFILE_LOADED);
    EXPECT_STREQ(loaded.header.description, " 8: Rouges 2 - 1 Bleus, 31:05");
}

// ---------------------------------------------------------------------------------------------
// A saved slot watched from the title.

namespace {

void KeepScoresLevel() { Match.score[1] = Match.score[0]; }

// The clock the match showed for each frame of its ring, oldest first, once the ring held 750
// frames of `period` and the period had run `ticks`; the ring is saved in slot 2 then.
std::vector<uint32_t> RecordInSlotTwo(uint8_t period, uint32_t ticks)
{
    std::vector<uint32_t> clocks;
    ScopedMatch match;
    MemoryInit();
    MatchKeys_Init();
    Replay_Init();
    MatchPresentation_SetDefaults();
    Watchdog_When(
        [=] { return Match.period == period && Match.periodTicks >= ticks; },
        [&clocks] {
            const int32_t count = ReplayRecorder.frameCount;
            for (int32_t p = 0; p < count; ++p) {
                const ReplayFrame& f = ReplayBuffer[(p + ReplayRecorder.writeIndex) % count];
                clocks.push_back(Match_ClockSecondsAt(static_cast<uint32_t>(f.periodTicks)));
            }
            MatchDayBlock block = *GetMatchSidesBlock();
            FillWhatTheEngineLeftCleared(&block);
            ASSERT_EQ(ReplayFile_Save(2, Header(" 3: saved"), ReplayRecorder, block, ReplayBuffer),
                      USERFILE_OK);
        });
    const uint16_t level = AddPollFunction(KeepScoresLevel, POLL_EVERY_CALL, 0);
    MatchDayBuilder builder;
    builder.seed = 7;
    builder.periodMinutes = 1;
    builder.extraTime = 1;
    GoldenRun(builder);
    RemovePollFunction(level);
    Replay_Uninit();
    MatchKeys_Uninit();
    MemoryUninit();
    return clocks;
}

std::vector<uint32_t>* s_shown;

// Each pass of the watched replay shows the frame the pass before restored; the replay ends once
// it stands on its newest frame.
void NoteTheClock()
{
    if (MatchShared.replayPlaying == 0) return;
    s_shown->push_back(GetMatchClockSeconds());
    if (ReplayPosition >= ReplayRecorder.frameCount - 1) Replay_RequestEnd();
}

}  // namespace

// The title's replay list plays a slot in a match that runs no period of its own: a slot saved in
// the second half or in extra time shows, frame by frame, the clock the match showed.
TEST(ReplayWatch, ASlotWatchedFromTheTitleShowsTheClockItWasRecordedAt)
{
    struct Case {
        uint8_t period;
        uint32_t ticks;
        uint32_t newestSeconds;  // 45 x 60 x ticks / 3,000 + 2,700; 15 x 60 x ticks / 1,000 + 5,400
    };
    for (const Case& c : {Case{1, 2000, 4500}, Case{2, 900, 6210}}) {
        TempHome home;
        const std::vector<uint32_t> recorded = RecordInSlotTwo(c.period, c.ticks);
        ASSERT_EQ(recorded.size(), static_cast<size_t>(REPLAY_FRAMES));
        EXPECT_EQ(recorded.back(), c.newestSeconds);

        std::vector<uint32_t> shown;
        s_shown = &shown;
        ScopedMatch match;
        MemoryInit();
        MatchKeys_Init();
        Replay_Init();
        MatchPresentation_SetDefaults();
        MatchShared.replayState = REPLAY_WATCH;
        MatchShared.replaySlot = 2;
        const uint16_t note = AddPollFunction(NoteTheClock, POLL_EVERY_CALL, 0);
        PlayMatch3D();
        RemovePollFunction(note);
        Replay_Uninit();
        MatchKeys_Uninit();
        MemoryUninit();
        s_shown = nullptr;
        ASSERT_EQ(shown.size(), recorded.size() - 1) << +c.period;
        EXPECT_TRUE(std::equal(shown.begin(), shown.end(), recorded.begin())) << +c.period;
        EXPECT_EQ(shown.front(), recorded.front()) << +c.period;
    }
}
