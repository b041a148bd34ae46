// tests/support/wave_probe.h: loudness probes over the sound a whole-program run recorded with
// its script's `audio` line (16-bit stereo 44,100 Hz PCM WAVE).
#pragma once

#include <cstddef>
#include <string>

constexpr size_t WAVE_FRAMES_PER_SECOND = 44100;

// Root mean square of a stretch, in 16-bit sample units.
struct StereoLoudness {
    double left;
    double right;
};

// The recording's length in stereo frames.
size_t WaveFrames(const std::string& wave);

// The loudness of frames [from, to) of the recording, clamped to its length.
StereoLoudness WaveLoudness(const std::string& wave, size_t from, size_t to);
