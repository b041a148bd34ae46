#include "engine/dxsound.h"

#include <vector>

#include <gtest/gtest.h>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/host/inject.h"
#include "engine/winlib.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

// The window up (the output cooperates with it) on the headless host.
class DSound : public testing::Test {
protected:
    void SetUp() override { WinInit("Pelloran", WIN_FLAG_WINDOWED); }
    void TearDown() override
    {
        OnExitRun();  // releases whatever the test left open, channels first
        WinUninit();
    }

    // The value the sink recorded for the last event of this kind.
    static int32_t LastValue(HostAudioEventKind kind)
    {
        const std::vector<HostAudioEvent>& log = HostInjectAudioLog();
        for (auto it = log.rbegin(); it != log.rend(); ++it) {
            if (it->kind == kind) return it->value;
        }
        ADD_FAILURE() << "no event of kind " << kind;
        return 0;
    }

private:
    ScopedHeadlessHost m_host;
};

using DSoundDeathTest = DSound;

}  // namespace

TEST_F(DSound, VolumeFallsTenDecibelsPerHalvingAndPanScalesToTheHostsRange)
{
    ASSERT_EQ(DSoundInit(), 1);
    DSoundInitChans(1, 8192);
    const std::pair<uint32_t, int32_t> volumes[] = {
        {0, -10000}, {1, -6643}, {10, -3321}, {25, -2000}, {50, -1000}, {100, 0}, {200, 0}};
    for (const auto& [volume, level] : volumes) {
        DSoundSetChannelVolume(0, volume);
        EXPECT_EQ(LastValue(HOST_AUDIO_VOLUME), level) << "volume " << volume;
    }
    const std::pair<int32_t, int32_t> pans[] = {{-100, -10000}, {0, 0}, {37, 3700}, {100, 10000}};
    for (const auto& [pan, level] : pans) {
        DSoundSetChannelPan(0, pan);
        EXPECT_EQ(LastValue(HOST_AUDIO_PAN), level) << "pan " << pan;
    }
}

TEST_F(DSound, WithoutADeviceInitAnswersZeroAndSaysNothing)
{
    HostInjectAudioNoDevice(true);
    DebugSetLevel(DBG_SOUND, 200);
    testing::internal::CaptureStdout();
    EXPECT_EQ(DSoundInit(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_FALSE(HostAudioIsOpen());
}

TEST_F(DSound, PlayRewindsAndStopRewindsTheChannel)
{
    ASSERT_EQ(DSoundInit(), 1);
    DSoundInitChans(2, 8192);
    DSoundPlayChannel(1, 1);
    uint32_t play = 1;
    uint32_t write = 0;
    DSoundGetChanOffset(1, &play, &write);
    EXPECT_EQ(play, 0u);
    EXPECT_NE(write, 0u);  // a playing channel never reads as idle
    DSoundStopChannel(1);
    DSoundGetChanOffset(1, &play, nullptr);
    DSoundGetChanOffset(1, nullptr, &write);
    EXPECT_EQ(play, 0u);
    EXPECT_EQ(write, 0u);
    DSoundUninitChans();
    DSoundUninit();
    EXPECT_FALSE(HostAudioIsOpen());
}

TEST_F(DSoundDeathTest, ALockThatTheHostSplitsIsFatal)
{
    ASSERT_EQ(DSoundInit(), 1);
    DSoundInitChans(1, 8192);
    EXPECT_FATAL(DSoundLockChannel(0, 8000, 400),
                 "Abort error: DSoundLockChannel(): failed to lock requested byte count\n"
                 "(File: dxsound  Line: ");
}

TEST_F(DSoundDeathTest, ReleasingInTheWrongOrderIsFatal)
{
    EXPECT_FATAL(DSoundUninitChans(), "DSoundUninitChans(): not initialised");
    ASSERT_EQ(DSoundInit(), 1);
    EXPECT_FATAL(DSoundInit(), "DSoundInit(): already initialised");
    EXPECT_FATAL(DSoundUninitChans(), "DSoundUninitChans(): not initialised");
    DSoundInitChans(1, 8192);
    EXPECT_FATAL(DSoundInitChans(1, 8192), "DSoundInitChans(): already initialised");
    EXPECT_FATAL(DSoundUninit(), "DSoundUninit(): channels not released");
}

TEST_F(DSoundDeathTest, ChannelOperationsBeforeInitEndWithTheirOwnText)
{
    EXPECT_FATAL(DSoundSetChannelVolume(0, 50), "DSoundSetChannelVolume(): not initialised");
    EXPECT_FATAL(DSoundSetChannelFrequency(0, 11025),
                 "DSoundSetChannelFrequency(): not initialised");
    EXPECT_FATAL(DSoundStopChannel(0), "DSoundStopChannel(): not initialised");
    EXPECT_FATAL(DSoundPlayChannel(0, 0), "DSoundPlayChannel(): not initialised");
    EXPECT_FATAL(DSoundUnlockChannel(0), "DSoundUnlockChannel(): not initialised");
    EXPECT_FATAL(DSoundLockChannel(0, 0, 1), "DSoundLockChannel(): not initialised");
    EXPECT_FATAL(DSoundSetChannelPan(0, 0), "DSoundSetChannelPan(): not initialised");
    EXPECT_FATAL(DSoundUninit(), "DSoundUninit(): not initialised");
}

TEST_F(DSoundDeathTest, AChannelBeyondTheCountIsFatal)
{
    ASSERT_EQ(DSoundInit(), 1);
    DSoundInitChans(2, 8192);
    EXPECT_FATAL(DSoundPlayChannel(2, 0), "DSoundPlayChannel(): bad channel 2");
    EXPECT_FATAL(DSoundGetChanOffset(8, nullptr, nullptr), "DSoundGetChanOffset(): bad channel 8");
}

TEST_F(DSoundDeathTest, HostFailuresAreReportedAsTheirCalls)
{
    HostInjectFailNext(HOST_CALL_AUDIO_START, HOST_E_GENERIC);
    EXPECT_EXIT(DSoundInit(), testing::ExitedWithCode(1),
                FatalPattern("Error: [file dxsound, line ") + "[0-9]+"
                    + FatalPattern(", func DSoundInit()]:\nDirectX call CoInitialise() failed: "
                                   "E_FAIL (D*ERR_GENERIC)\n"));
    HostInjectReset();  // the failure stays armed here: only the child took it
    ASSERT_EQ(DSoundInit(), 1);
    DSoundInitChans(1, 8192);
    EXPECT_FATAL(DSoundSetChannelFrequency(0, 50), "DirectX call DSB_SetFrequency() failed");
    EXPECT_FATAL(DSoundSetChannelPan(0, 101), "DirectX call DSB_SetPan() failed");
}
