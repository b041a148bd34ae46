// tests/support/frame_probe.cpp: questions about a grabbed frame.
#include "tests/support/frame_probe.h"

#include <cstdlib>
#include <utility>
#include <vector>

uint32_t FrameColourAt(const PngImage& frame, int32_t x, int32_t y) { return frame.Pixel(x, y); }

namespace {

bool IsNear(uint32_t c, uint32_t rgb, int32_t tolerance)
{
    for (int32_t shift = 0; shift <= 16; shift += 8) {
        const int32_t a = static_cast<int32_t>(c >> shift & 0xFF);
        const int32_t b = static_cast<int32_t>(rgb >> shift & 0xFF);
        if (std::abs(a - b) > tolerance) return false;
    }
    return true;
}

}  // namespace

int32_t CountNearColour(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h,
                        uint32_t rgb, int32_t tolerance)
{
    int32_t count = 0;
    for (int32_t py = y; py < y + h && py < frame.height; ++py) {
        for (int32_t px = x; px < x + w && px < frame.width; ++px)
            count += IsNear(frame.Pixel(px, py), rgb, tolerance) ? 1 : 0;
    }
    return count;
}

int32_t CountColourBlobs(const PngImage& frame, uint32_t rgb, int32_t tolerance,
                         const std::function<bool(int32_t, int32_t)>& inside)
{
    std::vector<uint8_t> seen(static_cast<size_t>(frame.width) * frame.height, 0);
    const auto take = [&](int32_t px, int32_t py) {
        if (px < 0 || py < 0 || px >= frame.width || py >= frame.height) return false;
        uint8_t& s = seen[static_cast<size_t>(py) * frame.width + px];
        if (s != 0 || !inside(px, py) || !IsNear(frame.Pixel(px, py), rgb, tolerance)) return false;
        s = 1;
        return true;
    };
    int32_t blobs = 0;
    std::vector<std::pair<int32_t, int32_t>> stack;
    for (int32_t py = 0; py < frame.height; ++py) {
        for (int32_t px = 0; px < frame.width; ++px) {
            if (!take(px, py)) continue;
            ++blobs;
            stack.assign(1, {px, py});
            while (!stack.empty()) {
                const auto [cx, cy] = stack.back();
                stack.pop_back();
                for (int32_t dy = -1; dy <= 1; ++dy)
                    for (int32_t dx = -1; dx <= 1; ++dx)
                        if (take(cx + dx, cy + dy)) stack.push_back({cx + dx, cy + dy});
            }
        }
    }
    return blobs;
}

int32_t TextPixels(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h)
{
    return CountNearColour(frame, x, y, w, h, 0xFFFFFF, 80);
}

uint64_t FrameHash(const PngImage& frame)
{
    uint64_t hash = 14695981039346656037ull;
    const auto mix = [&hash](uint8_t byte) { hash = (hash ^ byte) * 1099511628211ull; };
    for (const int32_t side : {frame.width, frame.height}) {
        for (int32_t shift = 0; shift < 32; shift += 8)
            mix(static_cast<uint8_t>(side >> shift));
    }
    for (const uint8_t byte : frame.rgb)
        mix(byte);
    return hash;
}

int32_t ChangedPixels(const PngImage& a, const PngImage& b, int32_t x, int32_t y, int32_t w,
                      int32_t h)
{
    int32_t changed = 0;
    for (int32_t py = y; py < y + h; ++py) {
        for (int32_t px = x; px < x + w; ++px)
            changed += a.Pixel(px, py) != b.Pixel(px, py) ? 1 : 0;
    }
    return changed;
}

namespace {

uint32_t Widen(uint32_t value, uint32_t bits)
{
    return value << (8 - bits) | value >> (2 * bits - 8);
}

}  // namespace

int32_t FrameBackground(const PngImage& frame)
{
    if (frame.width < 640 || frame.height < 480) return -1;
    const uint32_t marker = frame.Pixel(639, 479);
    if ((marker >> 16) != 0 || (marker & 0xFF) != 0xFF) return -1;
    const uint32_t green = marker >> 8 & 0xFF;
    if (Widen(green >> 2, 6) == green) return static_cast<int32_t>(green >> 2);
    if (Widen(green >> 3, 5) == green) return static_cast<int32_t>(green >> 3) * 2;
    return -1;
}

bool FrameShowsBackground(const PngImage& frame, int32_t n)
{
    const int32_t shown = FrameBackground(frame);
    const uint32_t green = frame.Pixel(639, 479) >> 8 & 0xFF;
    // Some greens fit both widths (24 is 6 of six bits and 3 of five): a five-bit reading is
    // accepted whenever the green fits five bits.
    const bool fitsFiveBits = Widen(green >> 3, 5) == green;
    return shown == n || (fitsFiveBits && static_cast<int32_t>(green >> 3) * 2 == (n & ~1));
}

uint32_t FrameRgbOf565(uint16_t colour)
{
    const uint32_t r = colour >> 11 & 0x1F;
    const uint32_t g = colour >> 5 & 0x3F;
    const uint32_t b = colour & 0x1F;
    return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

int32_t GrassPixels(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h)
{
    int32_t count = 0;
    for (int32_t row = y; row < y + h && row < frame.height; ++row) {
        for (int32_t col = x; col < x + w && col < frame.width; ++col) {
            const uint32_t rgb = frame.Pixel(col, row);
            const uint32_t r = rgb >> 16, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
            if (g > 60 && g > r + 20 && g > b + 20) ++count;
        }
    }
    return count;
}
