// bench/sound_bench.cpp: the sound's hot paths: the mixer, and one refill pass of the driver
// over eight channels from memory and from the pak file.
#include <cstring>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/fatal.h"
#include "engine/filename.h"
#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/poll.h"
#include "engine/sounddrv.h"
#include "engine/timer.h"
#include "engine/winlib.h"
#include "tests/support/host_run.h"
#include "tests/support/sample_data.h"
#include "tests/support/support.h"
#include "tools/mkdata/pakwriter.h"

namespace {

constexpr uint32_t SAMPLE_BYTES = 65536;
constexpr uint32_t PERIODS_PER_BLOCK = 19;  // 8,379 bytes at 44,100 Hz: past the next block

void NoPeriodWork() {}

void BM_MixEightLoopingVoicesOneSecond(benchmark::State& state)
{
    ScopedHeadlessHost host;
    HostWindowShow(
        HostWindowCreate(HostProgramInstance(), "Pelloran", true, HostDefaultWindowProc));
    ClockStart(NoPeriodWork);
    HostAudioOpen();
    const std::vector<uint8_t> tone = SampleTone(SAMPLE_BYTES);
    for (uint32_t voice = 0; voice < 8; ++voice) {
        HostSoundBuffer* buffer = nullptr;
        HostSoundBufferCreate({HOST_SOUND_STREAM, 0, SAMPLE_BYTES}, &buffer);
        void* first = nullptr;
        void* second = nullptr;
        uint32_t firstBytes = 0;
        uint32_t secondBytes = 0;
        HostSoundBufferLock(buffer, 0, SAMPLE_BYTES, &first, &firstBytes, &second, &secondBytes);
        std::memcpy(first, tone.data(), SAMPLE_BYTES);
        HostSoundBufferUnlock(buffer, first, firstBytes, second, secondBytes);
        HostSoundBufferSetFrequency(buffer, 11025 * (voice + 1));
        HostSoundBufferSetPan(buffer, static_cast<int32_t>(voice) * 2000 - 7000);
        HostSoundBufferPlay(buffer, true);
    }
    // The headless sink mixes only output it keeps: a capture, emptied between seconds, makes
    // it mix every one.
    for (auto _ : state) {
        state.PauseTiming();
        HostInjectAudioCapture(false);
        HostInjectAudioCapture(true);
        state.ResumeTiming();
        ClockAdvance(100);
    }
    HostInjectAudioCapture(false);
    ClockStop();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MixEightLoopingVoicesOneSecond)->Unit(benchmark::kMillisecond);

// Eight channels playing one looping sample of the storage; each timed pass refills one block on
// every channel.
void RefillPass(benchmark::State& state, uint32_t storage)
{
    ScopedHeadlessHost host;
    TempDir dir;
    WinInit("Pelloran", WIN_FLAG_WINDOWED);
    MemoryInit();
    PollInit();
    TimerInit();
    PakFileInit();
    std::vector<uint8_t> wave = {'R',  'I',  'F', 'F', 0,    0,    0, 0, 'W', 'A', 'V', 'E',
                                 'f',  'm',  't', ' ', 16,   0,    0, 0, 1,   0,   1,   0,
                                 0x44, 0xAC, 0,   0,   0x44, 0xAC, 0, 0, 1,   0,   8,   0,
                                 'b',  'R',  'I', 'x', 16,   0,    0, 0, 1};
    wave.resize(wave.size() + 15, 0);
    wave.insert(wave.end(), {'d', 'a', 't', 'a', 0, 0, 1, 0});  // 65,536 bytes
    const std::vector<uint8_t> tone = SampleTone(SAMPLE_BYTES);
    wave.insert(wave.end(), tone.begin(), tone.end());
    const uint32_t riff = static_cast<uint32_t>(wave.size() - 8);
    std::memcpy(wave.data() + 4, &riff, 4);
    std::string error;
    MkWritePacked(dir.Path("pakfiles/hdcommon"), {{"bench\\0.wav", wave}}, &error);
    DataFolderInit(dir.Path().c_str());
    PakMount("pakfiles\\hdcommon");

    SndInit();
    const int32_t key = SndAddSoundBank(
        {{.format = "bench\\%d.wav"}, 0, 1, SND_BANK_SAMPLES | SND_LIST_FORMAT | storage});
    if (storage == SND_RAM) SndLoad(key, 0);
    SndSetActiveChannels(8);
    for (int32_t channel = 0; channel < 8; ++channel) {
        SndPlay(key, 0, channel, 100, 0);
    }
    int32_t refilled = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ClockAdvance(PERIODS_PER_BLOCK);
        state.ResumeTiming();
        refilled += SndUpdateChanels();
    }
    state.counters["channels_per_pass"] =
        benchmark::Counter(refilled, benchmark::Counter::kAvgIterations);
    SndClearActiveChannels();
    if (storage == SND_RAM) SndUnload(key, -1);
    SndRemoveSoundBank(key);
    SndUninit();
    PakFileUninit();
    WinUninit();
    state.SetItemsProcessed(state.iterations());
}

void BM_SndUpdateChanelsEightBlocksFromRam(benchmark::State& state) { RefillPass(state, SND_RAM); }
BENCHMARK(BM_SndUpdateChanelsEightBlocksFromRam)->Unit(benchmark::kMicrosecond);

void BM_SndUpdateChanelsEightBlocksSpooled(benchmark::State& state)
{
    RefillPass(state, SND_SPOOLED);
}
BENCHMARK(BM_SndUpdateChanelsEightBlocksSpooled)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
