// tests/e2e/season_screens_test.cpp: a career run unattended through its first season and two
// months into the next, then the screens that show a season's figures, each grabbed once it is on
// top: the club statistics (crowds, goals, the other figures, with every link between the three
// followed), the club's matches and the graphs of the last match, the roll of honour, the three
// ranked lists and the club's records.
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

// "Terminer" > "Jour de Match" with the unattended run on, until day 60 of the second season.
const char* const kRunASeason = R"(click 482 455
wait 20
motion 0 -44
wait 20
tap
until season >= 1 and day >= 60 max 8000000
key Escape
until option == 3 max 20000
wait 300
)";

// An entry of "Données de clubs", `rise` pixels above the button.
std::string ClubData(int32_t rise, int32_t screen)
{
    return "click 158 455\nwait 20\nmotion 0 -" + std::to_string(rise)
           + "\nwait 20\ntap\nuntil statscreen == " + std::to_string(screen)
           + " max 3000\nwait 300\n";
}

// A click at (x, y) that leads to statistics screen `screen`, grabbed as `grab` unless empty.
std::string Then(int32_t x, int32_t y, int32_t screen, const std::string& grab = "")
{
    std::string lines = "click " + std::to_string(x) + " " + std::to_string(y)
                        + "\nuntil statscreen == " + std::to_string(screen)
                        + " max 3000\nwait 300\n";
    if (!grab.empty()) lines += "move 630 300\nwait 20\ngrab " + grab + "\n";
    return lines;
}

const std::string kBackToOffice = "click 570 452\nuntil option == 3 max 3000\nwait 300\n";

// The club statistics, each link among the three once: 30, 29, 30, 31, 29, 31, 30.
std::string ClubStatistics()
{
    return ClubData(188, 30) + "move 630 300\nwait 20\ngrab attendance.png\n"
           + Then(235, 455, 29, "goals.png") + Then(235, 455, 30) + Then(415, 455, 31, "misc.png")
           + Then(235, 455, 29) + Then(415, 455, 31) + Then(415, 455, 30) + kBackToOffice
           + ClubData(80, 32) + "move 630 300\nwait 20\ngrab matches.png\n" + kBackToOffice
           + ClubData(134, 61) + "move 630 300\nwait 20\ngrab graphs.png\n" + kBackToOffice;
}

// An entry of a menu-bar list: the list's title at x, the entry `drop` pixels under it, then the
// screen `option` grabbed as `grab` and left by its back button.
std::string FromTheBar(int32_t x, int32_t drop, int32_t option, const std::string& grab)
{
    return "move 320 2\nwait 20\nmove " + std::to_string(x) + " 10\nwait 20\nmotion 0 "
           + std::to_string(drop) + "\nwait 20\ntap\nuntil option == " + std::to_string(option)
           + " max 3000\nwait 300\nmove 630 300\nwait 20\ngrab " + grab + "\n"
           + "click 590 456\nuntil option == 3 max 3000\nwait 300\n";
}

// "Menus généraux": the roll of honour and the three ranked lists; "Menus des clubs": the club's
// records and honours.
std::string HonoursAndRecords()
{
    return FromTheBar(270, 183, 12, "honours.png") + FromTheBar(270, 201, 68, "clubs.png")
           + FromTheBar(270, 219, 69, "managers.png") + FromTheBar(270, 237, 75, "discipline.png")
           + FromTheBar(130, 147, 27, "records.png");
}

int32_t Bars(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h)
{
    return CountNearColour(frame, x, y, w, h, FrameRgbOf565(0xFA20), 8);
}

}  // namespace

TEST(SeasonScreens, ASeasonRunUnattendedFillsTheStatisticsScreens)
{
    TempDir work;
    const ProgramResult run = RunScriptIn(
        work,
        ScriptToTitle() + SharedScript("new_career.txt") + SharedScript("auto_run_switch.txt")
            + kRunASeason + SharedScript("auto_run_switch.txt") + ClubStatistics()
            + HonoursAndRecords() + ScriptQuitFromBar(),
        900);
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    const PngImage attendance = GrabbedFrame(work, "attendance.png");
    EXPECT_GT(Bars(attendance, 170, 117, 117, 291), 100);  // home crowds
    EXPECT_GT(Bars(attendance, 471, 117, 117, 291), 100);  // the division's averages
    EXPECT_GT(CountNearColour(attendance, 471, 117, 117, 291, FrameRgbOf565(0xFFE0), 8), 10);

    const PngImage goals = GrabbedFrame(work, "goals.png");
    EXPECT_GT(TextPixels(goals, 30, 96, 110, 100), 100);  // scorers' names
    const int32_t charts[4][4] = {
        {144, 96, 160, 316}, {444, 92, 160, 130}, {336, 318, 128, 82}, {486, 318, 120, 82}};
    for (const auto& c : charts)
        EXPECT_GT(Bars(goals, c[0], c[1], c[2], c[3]), 20) << c[0] << "," << c[1];

    const PngImage misc = GrabbedFrame(work, "misc.png");
    const int32_t panels[3][4] = {{84, 96, 150, 125}, {384, 96, 150, 125}, {84, 274, 150, 112}};
    for (const auto& p : panels)
        EXPECT_GT(Bars(misc, p[0], p[1], p[2], p[3]), 50) << p[0] << "," << p[1];

    const PngImage matches = GrabbedFrame(work, "matches.png");
    for (const int32_t x : {38, 238, 438})
        EXPECT_GT(TextPixels(matches, x, 145, 190, 280), 200) << x;

    const PngImage graphs = GrabbedFrame(work, "graphs.png");
    EXPECT_GT(Bars(graphs, 193, 104, 430, 256), 200);

    // Last season's champion and runner-up, beside their headings.
    const PngImage honours = GrabbedFrame(work, "honours.png");
    for (const int32_t y : {108, 128})
        EXPECT_GT(TextPixels(honours, 290, y, 200, 16), 50) << y;
    // Every ranked list fills its 17 rows.
    for (const char* list : {"clubs.png", "managers.png", "discipline.png"}) {
        const PngImage ranked = GrabbedFrame(work, list);
        for (int32_t r = 0; r < 17; ++r)
            EXPECT_GT(TextPixels(ranked, 80, 82 + 20 * r, 200, 16), 20) << list << " " << r;
    }
    // The records filled by a season (the fees, the scorer, the crowds), then the honour rows.
    const PngImage records = GrabbedFrame(work, "records.png");
    for (int32_t r = 0; r < 11; ++r)
        EXPECT_GT(TextPixels(records, 292, 82 + 20 * r, 300, 16), 20) << r;
    EXPECT_GT(TextPixels(records, 52, 306, 200, 96), 200);
}
