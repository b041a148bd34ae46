// Whole-program runs of the test card: the window, the display and the frame read back.
#include <array>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "engine/blocks.h"
#include "engine/memory.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

constexpr auto kBars = std::to_array<uint32_t>(
    {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000, 0x0000FF, 0x000000});
constexpr int32_t GREY_STEPS = 32;

// Changing the card's pixels changes this on purpose only.
const std::string kGoldenHash = "6fa1e2ff47e7c757";

std::string Hex(uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "%06X", rgb);
    return text;
}

// Waits, grabs, checks every bar at its named point, prints the hash and presses Escape. The bar
// `wrongBar`, when given, is expected in a colour it does not have; its line is 4 + wrongBar.
std::string CardScript(int wrongBar = -1)
{
    std::string script = "# the test card, checked at its named points\nwait 20\ngrab card.png\n";
    for (int i = 0; i < static_cast<int>(kBars.size()); ++i) {
        const uint32_t expected = i == wrongBar ? 0x123456 : kBars[i];
        script += "pixel " + std::to_string(40 + 80 * i) + " 160 " + Hex(expected) + "\n";
    }
    return script + "hash\nkey 1\n";
}

// The hash the run printed, or "" when it printed none.
std::string HashPrinted(const std::string& out)
{
    for (const std::string& line : SplitLines(out)) {
        const size_t at = line.find(" hash ");
        if (line.rfind("script: frame ", 0) == 0 && at != std::string::npos)
            return line.substr(at + 6);
    }
    return "";
}

// Where the card shows more than its bars: the name at (8, 8) and the pointer's cross at the
// centre.
bool OnTextOrPointer(int32_t x, int32_t y)
{
    const bool text = x >= 8 && x < 8 + 64 && y >= 8 && y < 16;
    const bool cross = (y == 240 && x >= 318 && x <= 322) || (x == 320 && y >= 238 && y <= 242);
    return text || cross;
}

// The cube palette entry of a 5-6-5 colour, as 8-bit components.
uint32_t CubeRgb(uint32_t rgb)
{
    const uint32_t r = (rgb >> 16 & 0xFF) >> 3;
    const uint32_t g = (rgb >> 8 & 0xFF) >> 2;
    const uint32_t b = (rgb & 0xFF) >> 3;
    const uint32_t r6 = r * 6 >> 5, g7 = g * 7 >> 6, b6 = b * 6 >> 5;
    return (r6 * 64 / 6 * 4) << 16 | (g7 * 64 / 7 * 4) << 8 | (b6 * 64 / 6 * 4);
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(TestCard, ShowsEightBarsOverRisingGreyStepsAndEndsCleanlyOnEscape)
{
    const ScriptRun run = RunScript(CardScript(), {"-debug", "win=50"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_TRUE(Contains(run.out, "WinMainWindowProc(): WM_ACTIVATEAPP active\n"));
    EXPECT_TRUE(Contains(run.out, "WinMainWindowProc(): WM_ACTIVATE active\n"));
    EXPECT_TRUE(Contains(run.out, "WinMainWinfowProc(): WM_SETFOCUS active\n"));
    EXPECT_EQ(HashPrinted(run.out), kGoldenHash);

    ASSERT_EQ(run.frames.count("card.png"), 1u);
    const PngImage& card = run.frames.at("card.png");
    ASSERT_EQ(card.width, 640);
    ASSERT_EQ(card.height, 480);
    for (int32_t y = 0; y < 320; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            if (OnTextOrPointer(x, y)) continue;
            ASSERT_EQ(Hex(card.Pixel(x, y)), Hex(kBars[x / 80])) << "at " << x << "," << y;
        }
    }
    uint32_t previous = 0;
    for (int32_t step = 0; step < GREY_STEPS; ++step) {
        const uint32_t grey = card.Pixel(10 + 20 * step, 400);
        EXPECT_EQ(grey, (grey & 0xFF) * 0x010101) << "step " << step << " is not grey";
        if (step > 0) {
            EXPECT_GT(grey, previous) << "step " << step;
        }
        for (int32_t y = 320; y < 480; ++y) {
            for (int32_t x = 20 * step; x < 20 * step + 20; ++x) {
                ASSERT_EQ(card.Pixel(x, y), grey) << "at " << x << "," << y;
            }
        }
        previous = grey;
    }
    EXPECT_EQ(card.Pixel(10, 400), 0x000000u);
    EXPECT_EQ(card.Pixel(630, 400), 0xFFFFFFu);
}

TEST(TestCard, WrongPixelLineEndsTheRunWithCodeThreeNamingThatLine)
{
    const ScriptRun run = RunScript(CardScript(2));
    EXPECT_EQ(run.exitCode, 3) << run.out << run.err;
    EXPECT_TRUE(Contains(run.err, "script: script.txt:6: pixel (200,160) is 00FFFF, expected "
                                  "123456\n"))
        << run.err;
}

TEST(TestCard, SdlBackEndWithoutADisplayShowsTheSameFrame)
{
    TempHome home;
    TempDir work;
    ASSERT_TRUE(WriteTextFile(work.Path("script.txt"), CardScript()));
    const ProgramResult run =
        RunProgram({"-seed", "7", "-script", "script.txt"},
                   {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"}, "", 120, work.Path());
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(HashPrinted(run.out), kGoldenHash);
}

TEST(TestCard, ClosingTheWindowEndsWithCodeOneWithoutTheShutdownRows)
{
    const ScriptRun run = RunScript("wait 20\nclose\n", {"-debug", "general=1,win=50"});
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_TRUE(Contains(run.out, "WinMainWindowProc(): WM_CLOSE: calling DestroyWindow()\n"));
    EXPECT_TRUE(Contains(run.out, "InitialisePC(): processor test\n"));
    EXPECT_FALSE(Contains(run.out, "ShutdownPC(): ")) << run.out;
}

TEST(TestCard, PointerFollowsTheMouseAndEscapeEndsTheRun)
{
    const ScriptRun run = RunScript(
        "wait 10\npixel 320 240 FFFFFF\nmove 100 100\npixel 100 100 FFFFFF\npixel 98 100 FFFFFF\n"
        "pixel 100 102 FFFFFF\npixel 101 101 FFFF00\npixel 320 240 FF00FF\nclick 600 20\n"
        "pixel 600 20 FFFFFF\nmove 639 479\npixel 634 474 FFFFFF\nmotion -4 0\nwait 2\n"
        "pixel 630 474 FFFFFF\nkey Escape\n");
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
}

TEST(TestCard, NameIsPrintedWithTheDebugFont)
{
    const ScriptRun run = RunScript("wait 10\ngrab card.png\nkey Escape\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const PngImage& card = run.frames.at("card.png");
    ScopedCore core;
    MemoryInit();
    BlockBuffer* buffer = nullptr;
    CreateBuffer(&buffer, 64, 8);
    BufferPrintf(buffer, 0, 0, "Pelloran");
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            const bool set = buffer->memory[y * buffer->pitch + x] == 0xFF;
            ASSERT_EQ(card.Pixel(8 + x, 8 + y), set ? 0xFFFFFFu : 0x000000u) << x << "," << y;
        }
    }
    DestroyBuffer(&buffer);
    MemoryUninit();
}

TEST(TestCard, EightBitMenuModeShowsTheBarsInTheColourCube)
{
    std::string script = "wait 10\n";
    for (int i = 0; i < static_cast<int>(kBars.size()); ++i) {
        script += "pixel " + std::to_string(40 + 80 * i) + " 160 " + Hex(CubeRgb(kBars[i])) + "\n";
    }
    // The pointer is drawn in entry 255, which the palette keeps white.
    script += "pixel 320 240 FCFCFC\nmove 50 60\npixel 50 60 FCFCFC\nkey Escape\n";
    const ScriptRun run = RunScript(script, {"-menu256"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
}
