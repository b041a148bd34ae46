// tests/e2e/replay_slots_test.cpp: a replay kept from the 3D view's replay bar into the fourth
// slot, then, in the same user folder beside three damaged slots, watched from the title's
// "Ralenti" after a refused one sent the player back to the title.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

constexpr size_t kSlotBytes = 390251;
constexpr size_t kRecorderAt = 132, kMatchDayAt = 1104;
constexpr size_t kFrameCountAt = kRecorderAt + 900;
constexpr size_t kTeamNamesAt = kMatchDayAt + 49, kSideBytes = 5924;

int32_t Get32(const std::vector<uint8_t>& bytes, size_t at)
{
    int32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

std::string TextAt(const std::vector<uint8_t>& bytes, size_t at)
{
    return reinterpret_cast<const char*>(bytes.data() + at);
}

}  // namespace

TEST(ReplaySlots, AReplayKeptFromTheReplayBarIsWatchedFromTheTitle)
{
    TempDir home;
    const std::string homeEnv = "PELLORAN_HOME=" + home.Path();
    const ScriptRun saving =
        RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                      + ScriptToMatchDayWatchingFrom(511) + IncludeScript("replay_save.txt")
                      + IncludeScript("match_to_office.txt") + ScriptQuitFromBar(),
                  {"-no3d"}, {homeEnv});
    ASSERT_EQ(saving.exitCode, 0) << saving.out << saving.err;
    const std::vector<uint8_t> slot = ReadBytes(home.Path("Replay03.sav"));
    ASSERT_EQ(slot.size(), kSlotBytes);
    EXPECT_EQ(std::string(slot.begin(), slot.begin() + 4), "RP01");
    EXPECT_EQ(Get32(slot, kFrameCountAt), 750);
    // The description: the running match's score and clock, taken a few frames after the print.
    const int32_t clock = ScriptFirstPrintedValue(saving.out, "clock");
    ASSERT_GE(clock, 300) << saving.out;
    bool described = false;
    for (int32_t seconds = clock; seconds <= clock + 2; ++seconds) {
        char expected[160];
        std::snprintf(expected, sizeof expected, " 4: %s %d - %d %s, %d:%02d",
                      TextAt(slot, kTeamNamesAt).c_str(),
                      ScriptFirstPrintedValue(saving.out, "score0"),
                      ScriptFirstPrintedValue(saving.out, "score1"),
                      TextAt(slot, kTeamNamesAt + kSideBytes).c_str(), seconds / 60, seconds % 60);
        described = described || TextAt(slot, 4) == expected;
    }
    EXPECT_TRUE(described) << TextAt(slot, 4);

    // Beside it: one cut within its header, one of another tag, one whose recorder holds no frame.
    std::vector<uint8_t> bytes(slot.begin(), slot.begin() + 131);
    WriteBytes(home.Path("Replay00.sav"), bytes);
    bytes = slot;
    bytes[3] = '2';
    WriteBytes(home.Path("Replay01.sav"), bytes);
    bytes = slot;
    std::memset(bytes.data() + kFrameCountAt, 0, 4);
    WriteBytes(home.Path("Replay02.sav"), bytes);

    const ScriptRun watching =
        RunScript(ScriptToTitle() + IncludeScript("replay_watch.txt") + ScriptQuitFromBar(),
                  {"-no3d"}, {homeEnv});
    ASSERT_EQ(watching.exitCode, 0) << watching.out << watching.err;
    const PngImage& list = watching.frames.at("ralenti.png");
    ASSERT_EQ(list.width, 640);
    EXPECT_GT(TextPixels(list, 0, 0, 640, 60), 20);  // the title
    const PngImage& frame = watching.frames.at("watch.png");
    ASSERT_EQ(frame.width, 640);
    EXPECT_GT(TextPixels(frame, 0, 0, 320, 40), 20);                         // the score line
    EXPECT_GT(ChangedPixels(frame, list, 0, 240, 640, 240), 640 * 240 / 2);  // the pitch
}
