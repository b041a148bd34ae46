// bench/film_bench.cpp: the film reader's speed on 640 x 480 frames of each kind; the target is
// at most 2 ms a frame.
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/compress.h"
#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "menus/animplay.h"
#include "tests/support/menu_run.h"
#include "tests/support/sample_data.h"
#include "tests/support/support.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
constexpr int32_t kPixels = kWidth * kHeight;
constexpr int32_t kFrames = 8;
constexpr uint32_t kPackedKind = 100;  // the benchmark's argument for a compressed version-3 frame

void PutLe32(Bytes* bytes, uint32_t value)
{
    for (int32_t i = 0; i < 4; ++i)
        bytes->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A picture-like frame's data for the kind; changes rewrite every fourth pixel from the first.
Bytes FrameData(uint32_t kind)
{
    // kPixels bytes and two rows more, enough for a palette after the pixels
    const Bytes picture = SamplePicture16(kWidth, kHeight / 2 + 2, 41);
    switch (kind) {
        case FILM_CHANGES: {
            Bytes pairs;
            for (int32_t i = 0; i < kPixels / 4; ++i) {
                pairs.insert(pairs.end(), {static_cast<uint8_t>(i == 0 ? 0 : 4), picture[i]});
            }
            return pairs;
        }
        case FILM_QUARTER: return Bytes(picture.begin(), picture.begin() + kPixels / 4);
        case FILM_FULL_PALETTE: return Bytes(picture.begin(), picture.begin() + kPixels + 768);
        case FILM_HALF_HEIGHT:
        case FILM_HALF_WIDTH: return Bytes(picture.begin(), picture.begin() + kPixels / 2);
        default: return Bytes(picture.begin(), picture.begin() + kPixels);
    }
}

Bytes BenchFilm(uint32_t kind)
{
    const bool packed = kind == kPackedKind;
    Bytes film = {'F', 'I', 'L', 'M'};
    PutLe32(&film, (packed ? 3u : 1u) << 16);
    PutLe32(&film, kWidth | kHeight << 16);
    film.resize(FILM_HEADER_BYTES, 0);
    const Bytes data = FrameData(packed ? FILM_FULL : kind);
    const Bytes stored = packed ? CompressDataMem(CMP_LZSS_4K, data.data(), data.size()) : data;
    for (int32_t frame = 0; frame < kFrames; ++frame) {
        PutLe32(&film, static_cast<uint32_t>(stored.size()));
        PutLe32(&film, packed ? FILM_FULL : kind);
        if (packed) {
            PutLe32(&film, static_cast<uint32_t>(data.size()));
            PutLe32(&film, 0);
        }
        film.insert(film.end(), stored.begin(), stored.end());
    }
    return film;
}

void BM_FilmFrame(benchmark::State& state)
{
    ScopedCore core;
    TempDir dir;
    MemoryInit();
    PakFileInit();
    Film_Init();
    WriteTestPak(dir.Path(),
                 {{"films\\bench.flm", BenchFilm(static_cast<uint32_t>(state.range(0)))}});
    DataFolderInit(dir.Path().c_str());
    PakMount("pakfiles\\hdcommon");
    FilmHandle* film = OpenFilm("films\\bench.flm");
    Bytes buffer(kPixels);
    for (auto _ : state) {
        if (ReadFilmFrame(film, buffer.data()) != 0) {
            state.PauseTiming();
            CloseFilm(film);
            film = OpenFilm("films\\bench.flm");
            state.ResumeTiming();
            ReadFilmFrame(film, buffer.data());
        }
        benchmark::ClobberMemory();
    }
    Film_Uninit();
    PakFileUninit();
    MemoryUninit();
}
BENCHMARK(BM_FilmFrame)
    ->ArgName("kind")
    ->Arg(FILM_FULL)
    ->Arg(FILM_CHANGES)
    ->Arg(FILM_QUARTER)
    ->Arg(FILM_FULL_PALETTE)
    ->Arg(FILM_HALF_HEIGHT)
    ->Arg(FILM_HALF_WIDTH)
    ->Arg(kPackedKind)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
