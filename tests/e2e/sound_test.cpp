// Whole-program runs of the sound: the front end's music, recorded headless.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "generated/build_paths.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

constexpr size_t WAVE_HEADER_BYTES = 44;
constexpr size_t FRAMES_PER_PERIOD = 441;
constexpr size_t ONE_SECOND = 44100;

// The left channel of a recorded 16-bit stereo WAVE file.
std::vector<double> LeftChannel(const std::string& wave)
{
    std::vector<double> left;
    for (size_t at = WAVE_HEADER_BYTES; at + 4 <= wave.size(); at += 4) {
        int16_t sample;
        std::memcpy(&sample, wave.data() + at, 2);
        left.push_back(sample);
    }
    return left;
}

// A tune from the built archives as the mixer plays it: its data resampled to 44,100 Hz with
// linear interpolation, centred on zero.
std::vector<double> TuneAsMixed(const char* name, size_t frames)
{
    MemoryInit();
    PakFileInit();
    DataFolderInit(PELLORAN_BUILD_DIR "/data");
    PakMount("pakfiles\\hdcommon");
    PakMount("pakfiles\\cdcommon");
    uint8_t* file = nullptr;
    const int32_t size = PakLoadFile(name, &file);
    std::vector<uint8_t> bytes(file, file + size);
    FreeMemory(&file);
    PakFileUninit();
    MemoryUninit();

    size_t at = 12;
    uint32_t rate = 0;
    std::vector<uint8_t> data;
    while (at + 8 <= bytes.size()) {
        uint32_t chunkSize;
        std::memcpy(&chunkSize, bytes.data() + at + 4, 4);
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0) std::memcpy(&rate, &bytes[at + 12], 4);
        if (std::memcmp(bytes.data() + at, "data", 4) == 0)
            data.assign(bytes.begin() + at + 8, bytes.begin() + at + 8 + chunkSize);
        at += 8 + chunkSize + (chunkSize & 1);
    }
    std::vector<double> out;
    for (size_t f = 0; f < frames; ++f) {
        const double position = static_cast<double>(f) * rate / ONE_SECOND;
        const size_t i = static_cast<size_t>(position);
        const double t = position - i;
        const double s0 = data[i % data.size()] - 128.0;
        const double s1 = data[(i + 1) % data.size()] - 128.0;
        out.push_back(s0 + (s1 - s0) * t);
    }
    return out;
}

double Correlation(const std::vector<double>& a, size_t from, const std::vector<double>& b)
{
    double ab = 0.0, aa = 0.0, bb = 0.0;
    for (size_t i = 0; i < b.size(); ++i) {
        ab += a[from + i] * b[i];
        aa += a[from + i] * a[from + i];
        bb += b[i] * b[i];
    }
    return aa > 0.0 && bb > 0.0 ? ab / std::sqrt(aa * bb) : 0.0;
}

}  // namespace

TEST(Sound, TheFrontEndPlaysAMenuTuneThatTheRecordingHolds)
{
    TempDir out;
    const std::string wave = out.Path("menu.wav");
    const ScriptRun run =
        RunScript("wait 200\naudio " + wave + "\n" + ScriptToTitle() + ScriptQuitFromBar());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    const std::vector<double> left = LeftChannel(ReadTextFile(wave));
    EXPECT_NEAR(static_cast<double>(left.size()), 200.0 * FRAMES_PER_PERIOD, FRAMES_PER_PERIOD);

    size_t start = 0;
    while (start < left.size() && left[start] == 0.0) {
        ++start;
    }
    ASSERT_LT(start + ONE_SECOND, left.size()) << "the recording is silent";
    double best = 0.0;
    for (const char* tune : {"sound\\music\\1mintune.wav", "sound\\music\\3mintune.wav"}) {
        const std::vector<double> expected = TuneAsMixed(tune, ONE_SECOND);
        for (size_t lag = 0; lag < 3 && lag <= start; ++lag) {
            best = std::max(best, Correlation(left, start - lag, expected));
        }
    }
    EXPECT_GT(best, 0.95);
}

TEST(Sound, WithoutSoundTheRecordingIsSilentAndTheDriverNeverStarts)
{
    TempDir out;
    const std::string wave = out.Path("quiet.wav");
    const ScriptRun run =
        RunScript("wait 100\naudio " + wave + "\n" + ScriptToTitle() + ScriptQuitFromBar(),
                  {"-nosound", "-debug", "sound=200"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    const std::vector<double> left = LeftChannel(ReadTextFile(wave));
    EXPECT_GT(left.size(), 99 * FRAMES_PER_PERIOD);
    EXPECT_TRUE(std::all_of(left.begin(), left.end(), [](double s) { return s == 0.0; }));
    EXPECT_EQ(run.out.find("DSoundInit"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Snd"), std::string::npos) << run.out;
}
