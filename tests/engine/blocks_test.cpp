#include "engine/blocks.h"

#include <array>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "engine/debugfont.h"
#include "engine/memory.h"
#include "tests/support/support.h"

namespace {

constexpr uint8_t GUARD = 0xEE;
constexpr size_t GUARD_BYTES = 64;

// A destination with a guard band all around: rows of `pitch` bytes, `rows` of them, between
// GUARD_BYTES of GUARD on each side.
class Guarded {
public:
    Guarded(int32_t pitch, int32_t rows)
        : m_pitch(pitch), m_bytes(GUARD_BYTES * 2 + static_cast<size_t>(pitch) * rows, GUARD)
    {
    }
    uint8_t* At(int32_t x, int32_t y) { return m_bytes.data() + GUARD_BYTES + y * m_pitch + x; }
    uint8_t Get(int32_t x, int32_t y) { return *At(x, y); }
    // Every byte outside the rectangle still holds the guard value.
    bool UntouchedOutside(int32_t left, int32_t top, int32_t width, int32_t height) const
    {
        for (size_t i = 0; i < m_bytes.size(); ++i) {
            const auto offset = static_cast<int64_t>(i) - static_cast<int64_t>(GUARD_BYTES);
            const int64_t y = offset >= 0 ? offset / m_pitch : -1;
            const int64_t x = offset >= 0 ? offset % m_pitch : -1;
            const bool inside = y >= top && y < top + height && x >= left && x < left + width;
            if (!inside && m_bytes[i] != GUARD) return false;
        }
        return true;
    }

private:
    int32_t m_pitch;
    std::vector<uint8_t> m_bytes;
};

std::vector<uint8_t> Ramp(size_t count)
{
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(1 + i % 251);
    }
    return bytes;
}

}  // namespace

TEST(Blocks, CopyToAnOddAddressWritesExactlyTheWidthOfEveryRow)
{
    for (int32_t width : {1, 2, 3, 5, 7, 13}) {
        const std::vector<uint8_t> source = Ramp(static_cast<size_t>(width + 4) * 3);
        Guarded dst(32, 4);
        BlockCopy(3, 32 - width, 4, width, source.data(), dst.At(3, 1));
        for (int32_t y = 0; y < 3; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                ASSERT_EQ(dst.Get(3 + x, 1 + y), source[y * (width + 4) + x]) << width;
            }
        }
        EXPECT_TRUE(dst.UntouchedOutside(3, 1, width, 3)) << "width " << width;
    }
}

TEST(Blocks, TransparentCopyKeepsTheBytesUnderSourceZeros)
{
    std::vector<uint8_t> source = Ramp(40 * 2);
    for (size_t i = 0; i < source.size(); i += 3) {
        source[i] = 0;
    }
    std::fill(source.begin() + 8, source.begin() + 16, 0);  // a whole zero word
    Guarded dst(48, 2);
    for (int32_t y = 0; y < 2; ++y) {
        std::memset(dst.At(1, y), 0x55, 40);
    }
    BlockCopyTrans(2, 8, 0, 40, source.data(), dst.At(1, 0));
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 40; ++x) {
            const uint8_t s = source[y * 40 + x];
            ASSERT_EQ(dst.Get(1 + x, y), s == 0 ? 0x55 : s) << x << "," << y;
        }
    }
    EXPECT_TRUE(dst.UntouchedOutside(1, 0, 40, 2));
}

TEST(Blocks, FillRepeatsThePatternsBytesFromEachRowsStart)
{
    const uint32_t pattern = 0x44332211;  // bytes 11 22 33 44 in memory
    for (int32_t width : {1, 2, 3, 6, 9}) {
        Guarded dst(16, 3);
        BlockFill(pattern, 2, width, 16 - width, dst.At(5, 1));
        for (int32_t y = 1; y < 3; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                ASSERT_EQ(dst.Get(5 + x, y), 0x11 * (x % 4 + 1)) << width << " at " << x;
            }
        }
        EXPECT_TRUE(dst.UntouchedOutside(5, 1, width, 2)) << "width " << width;
    }
    // A 16-bit colour doubled into the pattern fills whole pixels from an odd address.
    Guarded pixels(8, 1);
    BlockFill(0xF81FF81F, 1, 6, 2, pixels.At(1, 0));
    uint16_t second;
    std::memcpy(&second, pixels.At(3, 0), 2);
    EXPECT_EQ(second, 0xF81F);
}

TEST(Blocks, ScaledCopiesRepeatOrSkipSourceBytes)
{
    const std::vector<uint8_t> source = Ramp(320);
    Guarded wide(640, 1);
    BlockScaledCopy(0, 0, 320, 1, source.data(), 640, 1, wide.At(0, 0), 640);
    for (int32_t x = 0; x < 640; ++x) {
        ASSERT_EQ(wide.Get(x, 0), source[x / 2]) << x;
    }
    const std::vector<uint8_t> long_ = Ramp(640);
    Guarded narrow(320, 1);
    BlockScaledCopy(0, 0, 640, 1, long_.data(), 320, 1, narrow.At(0, 0), 320);
    for (int32_t x = 0; x < 320; ++x) {
        ASSERT_EQ(narrow.Get(x, 0), long_[2 * x]) << x;
    }
    // 3 to 7: the step is 3/7 in 16.16, and its fraction carries into whole source bytes.
    const uint8_t three[3] = {10, 20, 30};
    Guarded seven(8, 2);
    BlockScaledCopy(1, 1, 3, 1, three, 7, 1, seven.At(0, 0), 8);
    const uint8_t expected[7] = {10, 10, 10, 20, 20, 30, 30};
    for (int32_t x = 0; x < 7; ++x) {
        EXPECT_EQ(seven.Get(1 + x, 1), expected[x]) << x;
    }
    EXPECT_TRUE(seven.UntouchedOutside(1, 1, 7, 1));
}

TEST(Blocks, ScaledCopiesOfEmptySourcesOrDestinationsDrawNothing)
{
    const uint8_t source[4] = {1, 2, 3, 4};
    Guarded dst(8, 8);
    BlockScaledCopy(0, 0, 2, 2, source, 0, 4, dst.At(0, 0), 8);
    BlockScaledCopy(0, 0, 2, 2, source, 4, 0, dst.At(0, 0), 8);
    BlockScaledCopy(0, 0, 0, 2, source, 4, 4, dst.At(0, 0), 8);
    BlockScaledCopyTrans(0, 0, 2, 0, source, 4, 4, dst.At(0, 0), 8);
    EXPECT_TRUE(dst.UntouchedOutside(0, 0, 0, 0));
}

TEST(Blocks, TransparentScaledCopyLeavesTheDestinationUnderZeros)
{
    const uint8_t source[2] = {0, 7};
    Guarded dst(4, 1);
    std::memset(dst.At(0, 0), 3, 4);
    BlockScaledCopyTrans(0, 0, 2, 1, source, 4, 1, dst.At(0, 0), 4);
    EXPECT_EQ(dst.Get(0, 0), 3);
    EXPECT_EQ(dst.Get(1, 0), 3);
    EXPECT_EQ(dst.Get(2, 0), 7);
    EXPECT_EQ(dst.Get(3, 0), 7);
}

TEST(Blocks, LinePlotsFromTheStartUpToButNotIncludingTheEnd)
{
    ScopedCore core;
    MemoryInit();
    BlockBuffer* buffer = nullptr;
    CreateBuffer(&buffer, 10, 5);
    EXPECT_EQ(buffer->pitch, 16u);
    EXPECT_EQ(buffer->width16, 10);
    const BlockPoint end = BlockDrawLine(buffer, 0, 0, 4, 2, 9);
    EXPECT_EQ(end.x, 4);
    EXPECT_EQ(end.y, 2);
    std::vector<std::pair<int, int>> plotted;
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 10; ++x) {
            if (buffer->memory[y * 16 + x] == 9) plotted.push_back({x, y});
        }
    }
    EXPECT_EQ(plotted, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 1}, {3, 2}}));
    BlockDrawLine(buffer, 3, 3, 3, 3, 5);    // equal points: nothing
    BlockDrawLine(buffer, 8, 4, 20, -8, 6);  // leaves the buffer: only the inside is drawn
    EXPECT_EQ(buffer->memory[3 * 16 + 3], 0);
    EXPECT_EQ(buffer->memory[4 * 16 + 8], 6);
    EXPECT_EQ(buffer->memory[3 * 16 + 9], 6);
    DestroyBuffer(&buffer);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(MemoryStats().blocks, 0u);
    MemoryUninit();
}

TEST(Blocks, BufferPrintfDrawsGlyphsOpaqueAndClipsToTheBuffer)
{
    ScopedCore core;
    MemoryInit();
    BlockBuffer* buffer = nullptr;
    CreateBuffer(&buffer, 20, 10);
    std::memset(buffer->memory, 7, buffer->pitch * buffer->height);
    std::string longText(600, 'A');
    BufferPrintf(buffer, 4, 3, "%s", longText.c_str());  // runs far past the right edge
    const DebugGlyph& a = DebugFontGlyph('A');
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            const uint8_t got = buffer->memory[y * buffer->pitch + x];
            if (y < 3 || x < 4) {
                ASSERT_EQ(got, 7) << x << "," << y;
                continue;
            }
            const bool set = a[y - 3] & (0x80 >> ((x - 4) % 8));
            ASSERT_EQ(got, set ? 0xFF : 0) << x << "," << y;
        }
    }
    // The padding beyond the width stays as it was.
    EXPECT_EQ(buffer->memory[3 * buffer->pitch + 20], 7);
    BufferPrintf(buffer, -4, -100, "x");  // wholly outside: nothing
    DestroyBuffer(&buffer);
    MemoryUninit();
}

TEST(DebugFont, AccentedLettersCarryTheirBaseLetterAndOtherCodesABox)
{
    const DebugGlyph& e = DebugFontGlyph('e');
    const DebugGlyph& eAcute = DebugFontGlyph(0xE9);
    const DebugGlyph& eGrave = DebugFontGlyph(0xE8);
    for (int row = 2; row < DEBUGFONT_SIZE; ++row) {
        EXPECT_EQ(eAcute[row], e[row]) << row;
    }
    EXPECT_NE(eAcute, eGrave);
    const DebugGlyph& capital = DebugFontGlyph(0xC9);
    EXPECT_EQ(capital[1], DebugFontGlyph('E')[0]);  // the capital moves down for its mark
    EXPECT_EQ(DebugFontGlyph(0x01), DebugFontGlyph(0x7F));
    EXPECT_NE(DebugFontGlyph(0x01), DebugFontGlyph(' '));
    for (int code = 0x21; code < 0x7F; ++code) {
        EXPECT_NE(DebugFontGlyph(static_cast<uint8_t>(code)), DebugFontGlyph(' ')) << code;
    }
}
