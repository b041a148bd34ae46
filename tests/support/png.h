// tests/support/png.h: reads the 8-bit RGB PNG files the host writes, so tests can look at
// grabbed frames.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PngImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;  // width x height x 3, top row first

    uint32_t Pixel(int32_t x, int32_t y) const;  // 0xRRGGBB
};

// Reads an 8-bit RGB, non-interlaced PNG whose rows are unfiltered, checking every chunk's
// CRC; false with the reason in `error` otherwise.
bool ReadPng(const std::string& path, PngImage* image, std::string* error);
