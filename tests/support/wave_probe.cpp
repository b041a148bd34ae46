// tests/support/wave_probe.cpp: loudness probes over a recorded WAVE file.
#include "tests/support/wave_probe.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr size_t HEADER_BYTES = 44;
constexpr size_t FRAME_BYTES = 4;
constexpr size_t FRAMES_PER_SECOND = 44100;

size_t Frames(const std::string& wave)
{
    return wave.size() < HEADER_BYTES ? 0 : (wave.size() - HEADER_BYTES) / FRAME_BYTES;
}

// The channel's sample of stereo frame `frame`.
int32_t Sample(const std::string& wave, size_t frame, WaveChannel channel)
{
    int16_t sample;
    std::memcpy(&sample,
                wave.data() + HEADER_BYTES + frame * FRAME_BYTES + static_cast<size_t>(channel) * 2,
                2);
    return sample;
}

}  // namespace

MatchLoudness LoudnessAfterKickOff(const std::string& atKickOff, const std::string& recording,
                                   size_t seconds, WaveChannel channel)
{
    const size_t from = Frames(atKickOff) + FRAMES_PER_SECOND;
    const size_t held =
        Frames(recording) > from ? (Frames(recording) - from) / FRAMES_PER_SECOND : 0;
    MatchLoudness loudness{std::min(seconds, held), std::numeric_limits<double>::max(), 0};
    for (size_t second = 0; second < loudness.seconds; ++second) {
        const size_t first = from + second * FRAMES_PER_SECOND;
        double squares = 0.0;
        for (size_t frame = first; frame < first + FRAMES_PER_SECOND; ++frame) {
            const int32_t sample = Sample(recording, frame, channel);
            squares += static_cast<double>(sample) * sample;
            loudness.peak = std::max(loudness.peak, std::abs(sample));
        }
        loudness.quietestSecond =
            std::min(loudness.quietestSecond, std::sqrt(squares / FRAMES_PER_SECOND));
    }
    if (loudness.seconds == 0) loudness.quietestSecond = 0.0;
    return loudness;
}
