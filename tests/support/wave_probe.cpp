// tests/support/wave_probe.cpp: loudness probes over a recorded WAVE file.
#include "tests/support/wave_probe.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr size_t HEADER_BYTES = 44;
constexpr size_t FRAME_BYTES = 4;

double Sample(const std::string& wave, size_t frame, size_t channel)
{
    int16_t sample;
    std::memcpy(&sample, wave.data() + HEADER_BYTES + frame * FRAME_BYTES + channel * 2, 2);
    return sample;
}

}  // namespace

size_t WaveFrames(const std::string& wave)
{
    return wave.size() < HEADER_BYTES ? 0 : (wave.size() - HEADER_BYTES) / FRAME_BYTES;
}

StereoLoudness WaveLoudness(const std::string& wave, size_t from, size_t to)
{
    to = std::min(to, WaveFrames(wave));
    if (from >= to) return {0.0, 0.0};
    double left = 0.0, right = 0.0;
    for (size_t f = from; f < to; ++f) {
        const double l = Sample(wave, f, 0);
        const double r = Sample(wave, f, 1);
        left += l * l;
        right += r * r;
    }
    const auto count = static_cast<double>(to - from);
    return {std::sqrt(left / count), std::sqrt(right / count)};
}
