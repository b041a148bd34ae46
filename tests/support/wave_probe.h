// tests/support/wave_probe.h: loudness probes over the sound a whole-program run recorded with
// its script's `audio` lines (16-bit stereo 44,100 Hz PCM WAVE, from the start of the run).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One side of the stereo recording: its frames interleave the left sample and the right one.
enum class WaveChannel : size_t { Left = 0, Right = 1 };

// A stretch of a match's sound on one channel, in 16-bit sample units.
struct MatchLoudness {
    size_t seconds;         // whole seconds the recording holds of the stretch asked for
    double quietestSecond;  // the root mean square of its quietest second
    int32_t peak;           // its largest magnitude
};

// The `seconds` whole seconds that follow the first second after kick-off on `channel`:
// `atKickOff` is what the run had recorded at kick-off (its length marks the start),
// `recording` a later recording.
MatchLoudness LoudnessAfterKickOff(const std::string& atKickOff, const std::string& recording,
                                   size_t seconds, WaveChannel channel);
