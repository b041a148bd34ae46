// bench/replay_bench.cpp: a replay slot saved (its image built and written atomically, every
// sync included) and loaded back with all its checks, in a temporary user folder; one save or
// one load per iteration.
#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/userfile.h"
#include "menus/replayslots.h"
#include "tests/support/support.h"

namespace {

// A full ring of frames (every person in the first frame of motion 0, so that every frame count
// is looked up) and a match-day block that pass every check of the load.
struct SlotContents {
    SlotContents() : frames(REPLAY_FRAMES)
    {
        std::memcpy(header.tag, REPLAY_SLOT_TAG, sizeof header.tag);
        recorder.frameCount = REPLAY_FRAMES;
        matchDay.periodMinutes = 5;
        matchDay.benchSize = MATCH_BENCH_MAX;
        for (MatchSide& side : matchDay.sides) {
            for (MatchPlayerEntry& entry : side.entries)
                MatchEntry_Clear(&entry);
        }
    }
    ReplaySlotHeader header{};
    RecorderBlock recorder{};
    MatchDayBlock matchDay{};
    std::vector<ReplayFrame> frames;
    TempHome home;
};

void BM_ReplaySlotSave(benchmark::State& state)
{
    SlotContents slot;
    for (auto _ : state) {
        if (ReplayFile_Save(4, slot.header, slot.recorder, slot.matchDay, slot.frames.data())
            != USERFILE_OK)
            state.SkipWithError("ReplayFile_Save() failed");
    }
}
BENCHMARK(BM_ReplaySlotSave)->Unit(benchmark::kMillisecond);

void BM_ReplaySlotLoad(benchmark::State& state)
{
    SlotContents slot;
    ReplayFile_Save(4, slot.header, slot.recorder, slot.matchDay, slot.frames.data());
    ReplaySlotHeader header;
    RecorderBlock recorder;
    MatchDayBlock matchDay;
    std::vector<ReplayFrame> frames(REPLAY_FRAMES);
    for (auto _ : state) {
        if (ReplayFile_Load(4, &header, &recorder, &matchDay, frames.data()) != REPLAYFILE_LOADED)
            state.SkipWithError("ReplayFile_Load() refused the slot");
    }
}
BENCHMARK(BM_ReplaySlotLoad)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
