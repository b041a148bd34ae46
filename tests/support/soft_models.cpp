// tests/support/soft_models.cpp: the coverage model, test surfaces and texture blocks.
#include "tests/support/soft_models.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "vx256/softspan.h"

namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

SoftPoint SoftPointAt(double x, double y)
{
    return {static_cast<int32_t>(std::lround(x * 16)), static_cast<int32_t>(std::lround(y * 16))};
}

SoftPixels SoftReferenceCoverage(const SoftOutline& outline)
{
    SoftPixels out;
    if (outline.size() < 3) return out;
    int32_t top = outline[0].y, bottom = outline[0].y;
    for (const SoftPoint& p : outline) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    for (int64_t r = FloorDiv(top + 15, 16); 16 * r < bottom; ++r) {
        int64_t lo = INT64_MAX, hi = INT64_MIN;
        for (size_t i = 0; i < outline.size(); ++i) {
            SoftPoint a = outline[i], b = outline[(i + 1) % outline.size()];
            if (a.y == b.y) continue;
            if (a.y > b.y) std::swap(a, b);
            if (16 * r < a.y || 16 * r > b.y) continue;
            const int64_t dy = b.y - a.y;
            const int64_t num = int64_t{a.x} * dy + int64_t{b.x - a.x} * (16 * r - a.y);
            const int64_t c = FloorDiv(num + 16 * dy - 1, 16 * dy);
            lo = std::min(lo, c);
            hi = std::max(hi, c);
        }
        for (int64_t x = lo; x < hi; ++x)
            out.insert({static_cast<int32_t>(x), static_cast<int32_t>(r)});
    }
    return out;
}

SoftTestSurface::SoftTestSurface(int32_t width, int32_t height, int32_t pitch, uint8_t fill)
    : bytes(static_cast<size_t>(pitch) * height, fill), record{bytes.data(), width, height, pitch}
{
}

SoftPixels SoftTestSurface::NotEqual(uint8_t fill)
{
    SoftPixels out;
    for (int32_t y = 0; y < record.height; ++y) {
        for (int32_t x = 0; x < record.width; ++x) {
            if (record.pixels[static_cast<size_t>(y) * record.pitch + x] != fill)
                out.insert({x, y});
        }
    }
    return out;
}

std::vector<uint8_t> SoftTextureBlock(int32_t width, int32_t height,
                                      const std::function<uint8_t(int, int)>& texel)
{
    std::vector<uint8_t> block(SOFT_TEXTURE_HEADER_BYTES + static_cast<size_t>(width) * height);
    const SoftTextureHeader head{static_cast<int16_t>(width), static_cast<int16_t>(height)};
    std::memcpy(block.data(), &head, sizeof head);
    for (int32_t v = 0; v < height; ++v) {
        for (int32_t u = 0; u < width; ++u)
            block[SOFT_TEXTURE_HEADER_BYTES + v * width + u] = texel(u, v);
    }
    return block;
}
