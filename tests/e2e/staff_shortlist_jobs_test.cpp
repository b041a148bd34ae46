// tests/e2e/staff_shortlist_jobs_test.cpp: the staff choice, the shortlist, the past transfers and
// the job centre in the real program: a coach dismissed and another hired, three players
// shortlisted from their cards and one removed, the transfers of the first match days, and a
// vacant post looked at and applied for.
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

// An entry of the bar's "Menus des clubs" (x 130) or "Menus généraux" (x 260) list, `down`
// pixels below the bar, then the screen it opens.
std::string FromBar(int32_t x, int32_t down, int32_t option)
{
    return "move 320 2\nwait 20\nmove " + std::to_string(x) + " 10\nwait 20\nmotion 0 "
           + std::to_string(down) + "\nwait 20\ntap\nuntil option == " + std::to_string(option)
           + " max 3000\nwait 300\nmove 630 300\nwait 20\n";
}

// The coach dismissed from his holder cell, a candidate hired into the empty role, then a
// candidate clicked while a filled role is selected.
const char* const kStaff = R"(grab staff.png
print staffroles
click 300 146
wait 30
grab panel.png
click 270 280
wait 60
print staffroles
click 520 146
wait 30
click 270 280
wait 60
print staffroles
click 90 166
wait 30
click 520 146
wait 60
print staffroles
grab staff2.png
click 570 438
until option == 3 max 3000
wait 300
)";

// The office's first division-two club, its squad, and three cards shortlisted through their
// "Statut" drop-down.
std::string ShortlistThree()
{
    std::string s = R"(click 158 423
wait 20
motion 0 -62
wait 20
tap
wait 30
click 90 95
wait 30
click 320 423
until option == 7 max 3000
wait 300
)";
    for (const int32_t y : {117, 137, 157}) {
        s += "click 180 " + std::to_string(y) + "\nuntil option == 4 max 3000\nwait 300\n"
             + "click 98 455\nwait 20\nmotion 0 -26\nwait 20\ntap\nwait 20\n"
             + "click 570 436\nuntil option == 7 max 3000\nwait 300\n";
    }
    return s + "click 570 436\nuntil option == 3 max 3000\nwait 300\n";
}

const char* const kShortlist = R"(expect shortlist == 3
grab shortlist.png
click 320 455
wait 20
click 300 111
wait 30
expect shortlist == 2
click 300 111
until option == 4 max 3000
wait 300
click 570 436
until option == 70 max 3000
wait 300
click 570 436
until option == 3 max 3000
wait 300
)";

// "Terminer" > "Jour de Match", with the unattended run on or off.
const char* const kMatchDay = R"(click 482 455
wait 20
motion 0 -44
wait 20
tap
)";

// A new career's first day brings the renewal talks of a contract running out: "Quitter
// Négociations" leaves them for the player's card, whose OK leads to the office.
const char* const kLeaveRenewalTalks = R"(until option == 14 max 20000
wait 100
click 171 415
until option == 4 max 20000
wait 100
click 570 436
)";

const char* const kVacancy = R"(grab jobs.png
click 100 273
wait 20
motion 0 60
wait 20
tap
until option == 7 max 3000
wait 300
click 570 436
until option == 43 max 3000
wait 300
click 100 273
wait 20
motion 0 24
wait 20
tap
wait 30
click 320 240
wait 60
print jobanswer
print option
)";

// White text, or the yellow of a selected row.
int32_t LitPixels(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h)
{
    return TextPixels(frame, x, y, w, h) + CountNearColour(frame, x, y, w, h, 0xFFFF00, 80);
}

// The values the script printed ("script: NAME = VALUE"), in order, by name.
std::map<std::string, std::vector<int32_t>> Printed(const std::string& out)
{
    std::map<std::string, std::vector<int32_t>> values;
    const std::string mark = "script: ";
    for (size_t at = out.find(mark); at != std::string::npos; at = out.find(mark, at + 1)) {
        const size_t name = at + mark.size();
        const size_t equals = out.find(" = ", name);
        if (equals == std::string::npos || equals > out.find('\n', name)) continue;
        values[out.substr(name, equals - name)].push_back(std::atoi(out.c_str() + equals + 3));
    }
    return values;
}

}  // namespace

TEST(StaffShortlistJobs, StaffShortlistPastTransfersAndTheJobCentreInTheRealProgram)
{
    const std::string script =
        ScriptToTitle() + IncludeScript("new_career.txt") + FromBar(130, 202, 13) + kStaff
        + ShortlistThree() + FromBar(130, 184, 70) + kShortlist + kMatchDay + kLeaveRenewalTalks
        + "until prevoption == 3 max 200000\nwait 100\n" + FromBar(260, 130, 35)
        + "grab transfers.png\nclick 570 436\nuntil option == 3 max 3000\nwait 300\n"
        + IncludeScript("auto_run_switch.txt") + kMatchDay
        + "until vacancies >= 1 max 2000000\nkey Escape\nuntil option == 3 max 20000\nwait 300\n"
        + IncludeScript("auto_run_switch.txt") + FromBar(260, 112, 43) + kVacancy;
    const ScriptRun run = RunScript(script + ScriptQuitFromBar());
    ASSERT_EQ(run.err.find("fails"), std::string::npos) << run.out << run.err;

    // Staff: eleven holders, ten candidates, the role button; one dismissal, one hire, and
    // nothing from a candidate of a filled role.
    const PngImage& staff = run.frames.at("staff.png");
    for (int32_t row = 0; row < 11; ++row) {
        EXPECT_GT(LitPixels(staff, 40, 136 + 20 * row, 120, 20), 10) << row;
    }
    for (int32_t row = 0; row < 10; ++row) {
        EXPECT_GT(TextPixels(staff, 470, 136 + 20 * row, 130, 20), 10) << row;
    }
    EXPECT_GT(TextPixels(staff, 450, 84, 158, 30), 10);
    EXPECT_GT(ChangedPixels(staff, run.frames.at("panel.png"), 32, 420, 576, 16), 100);
    const auto printed = Printed(run.out);
    const std::vector<int32_t>& roles = printed.at("staffroles");
    ASSERT_EQ(roles.size(), 4u) << run.out;
    EXPECT_EQ(roles[1], roles[0] - 1);
    EXPECT_EQ(roles[2], roles[0]);
    EXPECT_EQ(roles[3], roles[0]);

    // Shortlist: three rows with text, twelve empty.
    const PngImage& shortlist = run.frames.at("shortlist.png");
    for (int32_t row = 0; row < 15; ++row) {
        EXPECT_EQ(TextPixels(shortlist, 92, 100 + 22 * row, 500, 22) > 20, row < 3) << row;
    }

    // Past transfers: date, player, clubs and fee in the first row.
    const PngImage& transfers = run.frames.at("transfers.png");
    for (const auto& [x, w] : std::vector<std::pair<int32_t, int32_t>>{
             {10, 90}, {110, 140}, {260, 150}, {420, 130}, {560, 60}}) {
        EXPECT_GT(TextPixels(transfers, x, 100, w, 20), 5) << x;
    }

    // Job centre: a vacancy with its badge and text; the answer decides the screen.
    EXPECT_GT(TextPixels(run.frames.at("jobs.png"), 68, 260, 400, 26), 20);
    const int32_t answer = printed.at("jobanswer").back();
    const int32_t option = printed.at("option").back();
    EXPECT_EQ(option, answer == 1 ? 6 : 43) << answer;
}
