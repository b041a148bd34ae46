// tests/e2e/season_screens_test.cpp: a career run unattended through its first season and two
// months into the next, then the screens that show a season's figures, each grabbed once it is on
// top: the club statistics (crowds, goals, the other figures, with every link between the three
// followed), the club's matches and the graphs of the last match, the roll of honour, the three
// ranked lists and the club's records; then the history screens (the division's scorers and
// performers, trophies, national records, the best eleven, the league history, the best
// players, a computer club's transfers and the champions' cup groups).
#include <algorithm>
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
    return ClubData(152, 30) + "move 630 300\nwait 20\ngrab attendance.png\n"
           + Then(235, 455, 29, "goals.png") + Then(235, 455, 30) + Then(415, 455, 31, "misc.png")
           + Then(235, 455, 29) + Then(415, 455, 31) + Then(415, 455, 30) + kBackToOffice
           + ClubData(44, 32) + "move 630 300\nwait 20\ngrab matches.png\n" + kBackToOffice
           + ClubData(98, 61) + "move 630 300\nwait 20\ngrab graphs.png\n" + kBackToOffice;
}

// Waits for history screen `screen`, grabs it as `grab`, then its OK button to the office.
std::string Grab(int32_t screen, const std::string& grab)
{
    return "until historyscreen == " + std::to_string(screen)
           + " max 3000\nwait 300\nmove 630 300\nwait 20\ngrab " + grab
           + "\nclick 585 451\nuntil option == 3 max 3000\nwait 300\n";
}

// The bar's "Menus généraux" entry in row `row` below its title.
std::string FromGeneralMenu(int32_t row)
{
    return "move 320 2\nwait 20\nmove 260 10\nwait 20\nmotion 0 " + std::to_string(22 + 18 * row)
           + "\nwait 20\ntap\n";
}

// An entry of "Données de clubs" in row `row` below its title (nine rows).
std::string ClubDataRow(int32_t row)
{
    return "click 158 455\nwait 20\nmotion 0 -" + std::to_string(170 - 18 * row)
           + "\nwait 20\ntap\n";
}

// The best players, which no option opens: the debug screen's button, the unattended run switched
// on for the way in and off again once the screen has led back to the office.
std::string BestPlayersFromTheDebugScreen()
{
    return SharedScript("auto_run_switch.txt")
           + "click 320 50\nuntil option == 52 max 3000\nwait 300\nclick 160 165\n"
           + Grab(37, "best_players.png") + SharedScript("auto_run_switch.txt");
}

// The history screens from the bar and the office, a computer club's transfers both ways (the
// office's second club row selects it), and the champions' cup groups from the fixtures
// screen's "Classements" drop-down.
std::string HistoryScreens()
{
    return FromGeneralMenu(3) + Grab(34, "scorers.png") + FromGeneralMenu(4)
           + Grab(76, "performances.png") + FromGeneralMenu(7) + Grab(44, "trophies.png")
           + FromGeneralMenu(13) + Grab(45, "national_records.png") + FromGeneralMenu(8)
           + Grab(58, "eleven.png") + ClubDataRow(8) + Grab(82, "league_history.png")
           + BestPlayersFromTheDebugScreen() + "click 60 120\nwait 100\n" + ClubDataRow(5)
           + "until historyscreen == 36 max 3000\nwait 300\nmove 630 "
           + "300\nwait 20\ngrab bought.png\nclick 431 455\nwait 100\n" + Grab(36, "sold.png")
           + FromGeneralMenu(14) + "until option == 11 max 3000\nwait 300\nclick 316 455\n"
           + "wait 20\nmotion 0 -26\nwait 20\ntap\n" + Grab(48, "groups.png");
}

// The pixels of the rectangle bright enough to be text of any colour (white, highlighted,
// the chart's lines) on the screens' dark panels.
int32_t Ink(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h)
{
    int32_t ink = 0;
    for (int32_t py = y; py < y + h; ++py) {
        for (int32_t px = x; px < x + w; ++px) {
            const uint32_t c = frame.Pixel(px, py);
            ink += std::max({c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF}) > 160;
        }
    }
    return ink;
}

// The rows of a list holding text between x and x + w, from the row at y, `pitch` apart.
int32_t RowsWithText(const PngImage& frame, int32_t x, int32_t w, int32_t y, int32_t pitch,
                     int32_t rows)
{
    int32_t filled = 0;
    for (int32_t r = 0; r < rows; ++r) {
        filled += Ink(frame, x, y + r * pitch + 3, w, pitch - 6) > 10;
    }
    return filled;
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

// The history screens' grabs: fifteen listed scorers and performers, last season's champion and
// runner-up, at least six national records, a full best eleven, both league history lines, last
// season's five best players, a computer club's transfers, a group's table and matches.
void ExpectHistoryScreens(const TempDir& work)
{
    for (const char* list : {"scorers.png", "performances.png"}) {
        EXPECT_EQ(RowsWithText(GrabbedFrame(work, list), 82, 500, 100, 20, 15), 15) << list;
    }
    const PngImage trophies = GrabbedFrame(work, "trophies.png");
    EXPECT_EQ(RowsWithText(trophies, 160, 200, 120, 20, 1), 1);  // last season's champion
    EXPECT_EQ(RowsWithText(trophies, 400, 200, 120, 20, 1), 1);  // and runner-up
    EXPECT_GE(RowsWithText(GrabbedFrame(work, "national_records.png"), 72, 400, 100, 40, 9), 6);
    const PngImage eleven = GrabbedFrame(work, "eleven.png");
    const int32_t places[11][2] = {{320, 134}, {150, 214}, {260, 214}, {370, 214},
                                   {480, 214}, {150, 294}, {260, 294}, {370, 294},
                                   {480, 294}, {260, 374}, {370, 374}};
    for (const auto& at : places)
        EXPECT_GT(Ink(eleven, at[0] - 40, at[1] - 6, 80, 12), 10) << at[0] << "," << at[1];
    const PngImage history = GrabbedFrame(work, "league_history.png");
    EXPECT_GT(CountNearColour(history, 61, 81, 518, 318, FrameRgbOf565(0xFFFF), 8), 0);
    EXPECT_GT(CountNearColour(history, 61, 81, 518, 318, FrameRgbOf565(0xF800), 8), 0);
    EXPECT_EQ(RowsWithText(GrabbedFrame(work, "best_players.png"), 130, 120, 100, 20, 5), 5);
    EXPECT_GT(RowsWithText(GrabbedFrame(work, "bought.png"), 42, 500, 107, 20, 15)
                  + RowsWithText(GrabbedFrame(work, "sold.png"), 42, 500, 107, 20, 15),
              0);
    const PngImage groups = GrabbedFrame(work, "groups.png");
    EXPECT_EQ(RowsWithText(groups, 140, 200, 90, 20, 4), 4);
    EXPECT_EQ(RowsWithText(groups, 40, 576, 180, 20, 12), 12);
}

}  // namespace

TEST(SeasonScreens, ASeasonRunUnattendedFillsTheStatisticsScreens)
{
    TempHome home;  // the season's saves and options stay out of the user's own folder
    TempDir work;
    const ProgramResult run = RunScriptIn(
        work,
        ScriptToTitle() + SharedScript("new_career.txt") + SharedScript("auto_run_switch.txt")
            + kRunASeason + SharedScript("auto_run_switch.txt") + ClubStatistics()
            + HonoursAndRecords() + HistoryScreens() + ScriptQuitFromBar(),
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
    ExpectHistoryScreens(work);
}
