// tests/e2e/calendar_and_tables_test.cpp: a new career's calendar, league table and match-day
// fixtures, opened from the office and the menu bar, at the start of the season and again after
// a hundred days run unattended.
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

constexpr uint16_t SEPARATOR_565 = 0xB260;
constexpr uint32_t CLIMBED_RGB = 0x3CBE46;  // the movement icons' arrows
constexpr uint32_t FELL_RGB = 0xDC2828;

// The office's "Calendrier" > "Rencontres Clubs".
const char* const kOfficeCalendar = R"(click 482 423
wait 20
motion 0 -62
wait 20
tap
until option == 8 max 3000
wait 300
)";

// The menu bar's "Menus généraux" list, then the entry `down` pixels below its title.
std::string FromGeneralMenu(int32_t down, int32_t option)
{
    return "move 320 2\nwait 20\nmove 260 10\nwait 20\nmotion 0 " + std::to_string(down)
           + "\nwait 20\ntap\nuntil option == " + std::to_string(option) + " max 3000\nwait 300\n";
}
const std::string kTable = FromGeneralMenu(58, 9);
const std::string kFixtures = FromGeneralMenu(274, 11);

// The screen's back icon, or the squad stand-in's OK, to the office.
const char* const kToOffice = "click 590 456\nuntil option == 3 max 3000\nwait 300\n";

const char* const kStartOfSeason = R"(expect calfirst == 0
grab calendar.png
click 300 90
until option == 7 max 3000
wait 300
grab squad.png
click 570 436
until option == 3 max 3000
wait 300
)";

const char* const kTablePages = R"(expect tablefirst == 0
grab table.png
click 44 467
wait 30
expect tablefirst == 3
click 44 445
wait 30
expect tablefirst == 0
click 220 455
wait 30
expect tablediv == 1
click 300 110
until option == 7 max 3000
wait 300
click 570 436
until option == 3 max 3000
wait 300
)";

// The first league day, the next one, then the champions' cup from the cups' drop-down.
const char* const kFixtureDays = R"(grab fixtures.png
expect fixday == 13
click 327 410
wait 30
expect fixday == 20
click 478 455
wait 20
motion 0 -26
wait 20
tap
wait 30
expect fixmode == 0
grab champions.png
)";

// "Terminer" > "Jour de Match" with the unattended run on, to day 100.
const char* const kHundredDays = R"(click 482 455
wait 20
motion 0 -44
wait 20
tap
until day >= 100 max 2000000
key Escape
until option == 3 max 20000
wait 300
)";

const char* const kLater = R"(expect calfirst > 0
grab calendar2.png
)";

// The calendar's rows start at x 32: goals at 166 and 186 either side of the separator at 176.
int32_t GoalPixels(const PngImage& frame, int32_t row)
{
    const int32_t y = 80 + 20 * row;
    return TextPixels(frame, 158, y, 13, 20) + TextPixels(frame, 181, y, 13, 20);
}

int32_t SeparatorPixels(const PngImage& frame, int32_t row)
{
    return TextPixels(frame, 172, 80 + 20 * row, 9, 20);
}

// White text, or the yellow of the human's own fixture.
int32_t LitPixels(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h)
{
    return TextPixels(frame, x, y, w, h) + CountNearColour(frame, x, y, w, h, 0xFFFF00, 80);
}

}  // namespace

TEST(CalendarAndTables, TheSeasonsScreensOpenFromTheOfficeAndTheBarAndFollowTheSeason)
{
    const std::string script =
        ScriptToTitle() + IncludeScript("new_career.txt") + kOfficeCalendar + kStartOfSeason
        + kTable + kTablePages + kFixtures + kFixtureDays + kToOffice
        + IncludeScript("auto_run_switch.txt") + kHundredDays + IncludeScript("auto_run_switch.txt")
        + kOfficeCalendar + kLater + kToOffice + kTable
        + "click 220 455\nwait 30\ngrab table2.png\n" + kToOffice + kFixtures
        + "click 312 410\nwait 30\ngrab fixtures2.png\n" + ScriptQuitFromBar();
    const ScriptRun run = RunScript(script);
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    const PngImage& calendar = run.frames.at("calendar.png");
    for (int32_t row = 0; row < 17; ++row) {
        const int32_t y = 80 + 20 * row;
        EXPECT_GT(TextPixels(calendar, 36, y, 70, 20), 10) << row;    // the date
        EXPECT_GT(TextPixels(calendar, 112, y, 20, 20), 5) << row;    // the venue
        EXPECT_GT(SeparatorPixels(calendar, row), 2) << row;          // "C"
        EXPECT_GT(TextPixels(calendar, 205, y, 120, 20), 20) << row;  // the opponent
        EXPECT_EQ(GoalPixels(calendar, row), 0) << row;
    }
    EXPECT_GT(TextPixels(calendar, 370, 80, 230, 340), 100);  // the cups' competitions
    EXPECT_GT(TextPixels(calendar, 74, 440, 492, 30), 50);    // "Classement"
    EXPECT_GT(
        ChangedPixels(run.frames.at("office1.png"), run.frames.at("squad.png"), 24, 12, 52, 52),
        100);  // the opponent's emblem

    const PngImage& table = run.frames.at("table.png");
    EXPECT_GT(TextPixels(table, 300, 58, 160, 12), 20);  // "Domicile", "Extérieur"
    EXPECT_GT(TextPixels(table, 250, 74, 375, 12), 50);  // the column heads
    for (int32_t row = 0; row < 15; ++row) {
        EXPECT_GT(TextPixels(table, 30, 100 + 20 * row, 596, 20), 50) << row;
    }
    EXPECT_GT(TextPixels(table, 170, 440, 390, 30), 50);  // the other divisions' buttons

    const PngImage& fixtures = run.frames.at("fixtures.png");
    EXPECT_GT(TextPixels(fixtures, 250, 56, 140, 16), 10);  // the date line
    for (int32_t row = 0; row < 9; ++row) {
        const int32_t y = 90 + 20 * row;
        EXPECT_GT(LitPixels(fixtures, 314, y, 12, 20), 5) << row;   // "C"
        EXPECT_GT(LitPixels(fixtures, 240, y, 60, 20), 10) << row;  // "(1er)" ...
        EXPECT_GT(LitPixels(fixtures, 340, y, 60, 20), 10) << row;
    }
    EXPECT_GT(ChangedPixels(fixtures, run.frames.at("champions.png"), 100, 20, 440, 32), 100);

    // A hundred days on: played fixtures above, the next one in the eighth row.
    const PngImage& later = run.frames.at("calendar2.png");
    EXPECT_GT(GoalPixels(later, 6), 5);
    EXPECT_EQ(GoalPixels(later, 7), 0);
    EXPECT_GT(SeparatorPixels(later, 7), 2);

    const PngImage& table2 = run.frames.at("table2.png");
    EXPECT_GT(CountNearColour(table2, 30, 150, 596, 12, FrameRgbOf565(SEPARATOR_565), 24), 200);
    EXPECT_GT(CountNearColour(table2, 222, 98, 18, 300, CLIMBED_RGB, 30), 5);
    EXPECT_GT(CountNearColour(table2, 222, 98, 18, 300, FELL_RGB, 30), 5);

    const PngImage& fixtures2 = run.frames.at("fixtures2.png");
    EXPECT_GT(LitPixels(fixtures2, 302, 90, 14, 20), 5);  // the first row's home goals
}
