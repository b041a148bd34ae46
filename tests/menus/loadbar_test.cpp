#include "menus/loadbar.h"

#include <vector>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/host/clock.h"
#include "engine/poll.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t PICTURE_W = 480;
constexpr int32_t PICTURE_H = 72;
constexpr int32_t PICTURE_X = (640 - PICTURE_W) / 2;
constexpr int32_t PICTURE_Y = (480 - PICTURE_H) / 2;

std::vector<LoadBarEvent> s_events;

void Record(const LoadBarEvent& event) { s_events.push_back(event); }

// An 8-bit picture of one palette index all over.
std::vector<uint8_t> Picture(int32_t width, int32_t height, uint8_t index)
{
    std::vector<uint8_t> bytes = {'G', 'F', 'X', '0', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    bytes[4] = static_cast<uint8_t>(width & 0xFF);
    bytes[5] = static_cast<uint8_t>(width >> 8);
    bytes[6] = static_cast<uint8_t>(height);
    bytes.resize(16 + static_cast<size_t>(width) * height, index);
    return bytes;
}

// Empty bar red, full bar green: different in every column. `extra` bytes follow both.
void WriteBarPak(const std::string& folder, int32_t fullWidth, size_t extra = 0)
{
    std::vector<uint8_t> palette(768, 0);
    palette[3] = 63;      // index 1: red
    palette[6 + 1] = 63;  // index 2: green
    std::vector<uint8_t> empty = Picture(PICTURE_W, PICTURE_H, 1);
    std::vector<uint8_t> full = Picture(fullWidth, PICTURE_H, 2);
    empty.resize(empty.size() + extra);
    full.resize(full.size() + extra);
    WriteTestPak(folder, {{"vxdata\\load\\load1FRE.gfx", empty},
                          {"vxdata\\load\\load2FRE.gfx", full},
                          {"vxdata\\load\\loadpal.pal", palette}});
}

TEST(LoadBar, NestedBlocksCountForTheirWeight)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    s_events.clear();
    LoadBar_InitCallback(Record, nullptr);
    ASSERT_EQ(s_events.size(), 1u);
    EXPECT_EQ(s_events[0].kind, LOADBAR_START);
    LoadBar_StartBlock(4, 0.5f);
    LoadBar_Advance(2);
    EXPECT_FLOAT_EQ(LoadBar_Fraction(), 0.25f);
    LoadBar_Advance(7);  // stops at the total
    EXPECT_FLOAT_EQ(LoadBar_Fraction(), 0.5f);
    LoadBar_EndBlock();
    EXPECT_FLOAT_EQ(LoadBar_Fraction(), 0.5f);
    LoadBar_Advance(0.75f);
    EXPECT_FLOAT_EQ(LoadBar_Fraction(), 1.0f);  // at most the outer total
    ClockAdvance(LOADBAR_POLL_TICKS);
    Poll();
    LoadBar_Uninit();
    EXPECT_EQ(s_events.back().kind, LOADBAR_END);
    bool drew = false;
    for (const LoadBarEvent& event : s_events)
        drew |= event.kind == LOADBAR_DRAW;
    EXPECT_TRUE(drew);  // the poll function redraws while work polls
}

TEST(LoadBar, ProgressCallsDoNothingBeforeTheBarStarts)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    LoadBar_StartBlock(4, 1);
    LoadBar_EndBlock();
    LoadBar_Uninit();
}

TEST(LoadBar, FillPointSplitsTheFullAndEmptyPictures)
{
    TempDir data;
    WriteBarPak(data.Path(), PICTURE_W);
    ScopedMenus menus(DDRAW_KIND_16BIT, data.Path());
    LoadBarGfx record = {"vxdata\\load\\load1FRE.gfx",
                         "vxdata\\load\\load2FRE.gfx",
                         "vxdata\\load\\loadpal.pal",
                         32,
                         450,
                         0,
                         nullptr,
                         nullptr,
                         0,
                         0};
    LoadBar_InitCallback(LoadBarGfx_Callback, &record);
    const auto draw = [&record](float fraction) {
        LoadBarGfx_Callback({LOADBAR_DRAW, &record, fraction});
        PresentNow();
    };
    draw(0.0f);
    EXPECT_EQ(FrameRgb(PICTURE_X, PICTURE_Y), 0x00FF00u);
    EXPECT_EQ(FrameRgb(PICTURE_X + 31, PICTURE_Y + 71), 0x00FF00u);
    EXPECT_EQ(FrameRgb(PICTURE_X + 32, PICTURE_Y), 0xFF0000u);
    EXPECT_EQ(FrameRgb(PICTURE_X + 479, PICTURE_Y), 0xFF0000u);
    EXPECT_EQ(FrameRgb(PICTURE_X - 1, PICTURE_Y), 0x000000u);
    draw(1.0f);
    EXPECT_EQ(FrameRgb(PICTURE_X + 449, PICTURE_Y), 0x00FF00u);
    EXPECT_EQ(FrameRgb(PICTURE_X + 450, PICTURE_Y), 0xFF0000u);
    LoadBar_Uninit();
}

TEST(LoadBarDeathTest, MisuseEndsWithItsText)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    LoadBar_InitCallback(Record, nullptr);
    EXPECT_FATAL(LoadBar_EndBlock(), "LoadBar_EndBlock(): there was no block to end!");
    LoadBar_StartBlock(1, 1);
    EXPECT_FATAL(LoadBar_Uninit(), "Error: LoadBar_Uninit(): stack value should be 0, was 1");
    for (int32_t i = 2; i < LOADBAR_STACK_SIZE; ++i)
        LoadBar_StartBlock(1, 1);
    EXPECT_FATAL(LoadBar_StartBlock(1, 1), "LoadBar_StartBlock(): the loadbar stack is full");
}

TEST(LoadBarDeathTest, PicturesOfDifferentSizesAreRefused)
{
    TempDir data;
    WriteBarPak(data.Path(), PICTURE_W - 1);
    ScopedMenus menus(DDRAW_KIND_16BIT, data.Path());
    EXPECT_FATAL(LoadBar_Init(0), "LoadBarGfx_Callback(): empty size different from full size");
}

TEST(LoadBarDeathTest, PicturesOfTheWrongSizeForTheirPixelsAreRefused)
{
    TempDir data;
    WriteBarPak(data.Path(), PICTURE_W, 1);
    ScopedMenus menus(DDRAW_KIND_16BIT, data.Path());
    EXPECT_FATAL(LoadBar_Init(0),
                 "LoadBarGfx_Callback(): graphic in the wrong format (must be 256 colour)");
}

}  // namespace
