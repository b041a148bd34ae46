// tests/support/sample_data.h: seeded buffers shaped like the game's data (pictures, texts,
// sounds, noise), shared by the codec and archive tests and benchmarks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A 16-bit RGB565 little-endian picture: gradients, flat boxes and a dithered patch.
std::vector<uint8_t> SamplePicture16(int32_t width, int32_t height, uint32_t seed);
// Sentences of lower-case words with capitals, digits, punctuation and line ends.
std::vector<uint8_t> SampleText(size_t size, uint32_t seed);
std::vector<uint8_t> SampleRandomBytes(size_t size, uint32_t seed);
// Unsigned 8-bit samples of a pure tone whose period is not a whole number of samples.
std::vector<uint8_t> SampleTone(size_t size);
