// tests/support/soft_models.h: what the software rasteriser's tests share: the coverage rule as a
// reference model, surfaces of their own and texture blocks.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "viewservices/viewscreen.h"

using SoftPixels = std::set<std::pair<int32_t, int32_t>>;  // (x, row)

struct SoftPoint {
    int32_t x, y;  // 28.4
};
using SoftOutline = std::vector<SoftPoint>;

// A point given in pixels, rounded to 28.4.
SoftPoint SoftPointAt(double x, double y);

// The top-left rule taken literally, for a convex outline wound either way: on each row r with
// yTop <= 16 r < yBottom, the pixels from ceil of the leftmost crossing of the outline to before
// ceil of the rightmost.
SoftPixels SoftReferenceCoverage(const SoftOutline& outline);

// An 8-bit surface of its own, `pitch` bytes a row, filled with one value.
struct SoftTestSurface {
    std::vector<uint8_t> bytes;
    GameScreenRecord record;
    SoftTestSurface(int32_t width, int32_t height, int32_t pitch, uint8_t fill = 0);
    uint8_t& At(int32_t x, int32_t y) { return bytes[static_cast<size_t>(y) * record.pitch + x]; }
    SoftPixels NotEqual(uint8_t fill);  // the pixels of the record that differ from `fill`
};

// A software texture block: width, height, then texel(u, v) row after row.
std::vector<uint8_t> SoftTextureBlock(int32_t width, int32_t height,
                                      const std::function<uint8_t(int, int)>& texel);
