// bench/data_bench.cpp: the speed of the game's data path, from the CMP0 codecs to the paks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/compress.h"
#include "engine/filename.h"
#include "engine/pakfile.h"
#include "tests/support/sample_data.h"
#include "tests/support/support.h"
#include "tools/mkdata/pakwriter.h"

namespace {

// ---------------------------------------------------------------------------------------------
// CMP0 compression: decoding per codec and CompressBest, on 1 MB of picture-like (argument
// "text" 0) and text-like (1) bytes.

constexpr int32_t CMP_BENCH_BYTES = 1 << 20;

std::vector<uint8_t> CmpBenchSample(int64_t text)
{
    if (text != 0) return SampleText(CMP_BENCH_BYTES, 21);
    return SamplePicture16(512, CMP_BENCH_BYTES / 1024, 22);
}

void BM_CmpDecodeBytes(benchmark::State& state)
{
    const std::vector<uint8_t> sample = CmpBenchSample(state.range(1));
    const std::vector<uint8_t> stream =
        CompressDataMem(static_cast<CmpType>(state.range(0)), sample.data(), sample.size());
    std::vector<uint8_t> out(sample.size());
    for (auto _ : state) {
        CmpStatus status;
        benchmark::DoNotOptimize(
            CmpDecode(stream.data(), stream.size(), out.data(), out.size(), &status));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(sample.size()));
    state.counters["ratio"] = static_cast<double>(stream.size()) / sample.size();
}
BENCHMARK(BM_CmpDecodeBytes)
    ->ArgsProduct({benchmark::CreateDenseRange(0, CMP_TYPE_COUNT - 1, 1), {0, 1}})
    ->ArgNames({"type", "text"});

void BM_CompressBestBytes(benchmark::State& state)
{
    const std::vector<uint8_t> sample = CmpBenchSample(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(CompressBest(sample.data(), sample.size()));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(sample.size()));
}
BENCHMARK(BM_CompressBestBytes)->Arg(0)->Arg(1)->ArgName("text")->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------------------------
// Pak archives: opening and closing a plain entry by name among 10,000, as every graphic, model
// and sound load begins and ends.

constexpr int32_t PAK_BENCH_NAMES = 10000;

// The data folder holding "pakfiles\hdcommon", written once per program run.
const std::string& PakBenchFolder()
{
    static TempDir folder;
    static const bool written = [] {
        std::vector<MkFile> files;
        for (int32_t i = 0; i < PAK_BENCH_NAMES; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "folder%02d\\file%05d.dat", i % 40, i);
            files.push_back({name, SampleRandomBytes(64, static_cast<uint32_t>(i))});
        }
        std::string error;
        return MkWritePacked(folder.Path("pakfiles/hdcommon"), files, &error);
    }();
    if (!written) std::abort();
    return folder.Path();
}

void BM_PakOpenClosePairs(benchmark::State& state)
{
    DataFolderInit(PakBenchFolder().c_str());
    PakFileInit();
    PakMount("pakfiles\\hdcommon");
    for (auto _ : state) {
        PakCloseFile(PakOpenFile("Folder00\\File05000.DAT"));
    }
    state.SetItemsProcessed(state.iterations());
    PakFileUninit();
}
BENCHMARK(BM_PakOpenClosePairs);

}  // namespace

BENCHMARK_MAIN();
