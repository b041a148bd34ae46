// tests/e2e/tactics_and_stats_test.cpp: the tactics editor, its help, the finances and the player
// statistics in the real program; the next match plays the tactic the editor left selected.
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

// An entry of the bar's "Menus des clubs" list, `down` pixels below the bar.
std::string FromClubMenus(int32_t down, int32_t option)
{
    return "move 320 2\nwait 20\nmove 130 10\nwait 20\nmotion 0 " + std::to_string(down)
           + "\nwait 20\ntap\nuntil option == " + std::to_string(option)
           + " max 3000\nwait 300\nmove 630 300\nwait 20\n";
}

// The editor: 4-3-3 Défensive, the midfielder in shirt 6 moved up two rows (which makes custom
// tactic 1), his pass to the one in shirt 7, then "Annuler" and a forward run for the striker in
// shirt 10; its help paged down and its last page; back to the office.
const char* const kEditor = R"(expect edtactic == 0
click 453 379
wait 20
motion 0 -116
wait 20
tap
wait 60
click 562 379
wait 20
motion 0 -80
wait 20
tap
wait 60
expect edtactic == 16
click 465 244
wait 20
click 479 212
wait 60
expect edtactic == 40
press 479 212 right
wait 10
move 507 259
wait 10
release
wait 60
move 630 300
wait 20
grab editor.png
click 319 455
wait 60
press 507 150
wait 10
move 507 88
wait 10
release
wait 60
move 630 300
wait 20
grab editor2.png
click 483 455
until option == 84 max 3000
wait 300
move 630 300
wait 20
grab help.png
click 44 472
until helpline == 20 max 3000
wait 60
click 514 455
wait 60
move 630 300
wait 20
grab help2.png
click 593 455
until option == 26 max 3000
wait 300
expect edtactic == 40
click 588 454
until option == 3 max 3000
wait 300
)";

// The finances, which no option opens: the debug screen's "Finances" with the unattended run
// switched on for the way in and off again after; "Menu préc." to the office.
std::string Finances()
{
    return SharedScript("auto_run_switch.txt") + R"(click 320 50
until option == 52 max 3000
wait 300
click 160 245
wait 300
move 630 300
wait 20
grab finances.png
click 585 451
until option == 3 max 3000
wait 300
)" + SharedScript("auto_run_switch.txt");
}

// "Trier" under the first attribute column's heading; "Affectations" > "Choisir capitaine",
// then the shirt of the third row; back to the office.
const char* const kStatistics = R"(grab stats.png
click 285 84
wait 20
motion 0 21
wait 20
tap
wait 60
move 630 300
wait 20
grab sorted.png
click 500 455
wait 20
motion 0 -80
wait 20
tap
wait 20
click 60 146
wait 60
move 630 300
wait 20
grab stats2.png
click 590 436
until option == 3 max 3000
wait 300
)";

// His player at place 7 is hurt in the second half and must go off: at the next stoppage the team
// selection is not complete until the substitute at place 14 replaces him.
const char* const kSecondHalfInjury = R"(until igmenu == 4 max 400000
wait 20
click 60 190
click 60 330
click 450 394
expect subs == 1
click 320 460
until igmenu == 6
wait 20
click 320 460
until igmenu == -1
)";

}  // namespace

TEST(TacticsAndStats, TheEditorItsHelpFinancesAndStatisticsAndTheMatchPlaysTheTactic)
{
    const std::string script =
        ScriptToTitle() + IncludeScript("new_career.txt") + FromClubMenus(94, 26) + kEditor
        + Finances() + FromClubMenus(76, 80) + kStatistics + IncludeScript("to_match_day.txt")
        + "until matchtactic == 40 max 20000\n" + IncludeScript("halftime.txt") + kSecondHalfInjury
        + IncludeScript("match_to_office.txt");
    const ScriptRun run = RunScript(script + ScriptQuitFromBar());
    ASSERT_EQ(run.err.find("fails"), std::string::npos) << run.out << run.err;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const char* frame : {"editor.png", "editor2.png", "help.png", "help2.png", "finances.png",
                              "stats.png", "sorted.png", "stats2.png"}) {
        ASSERT_EQ(run.frames.count(frame), 1u) << frame << run.out << run.err;
    }

    // The editor: the moved midfielder's row shows the link icon; the pitch differs after
    // "Annuler" and the forward run; the help's text box and its last page.
    const PngImage& editor = run.frames.at("editor.png");
    EXPECT_GT(ChangedPixels(editor, run.frames.at("editor2.png"), 401, 79, 214, 280), 50);
    EXPECT_GT(ChangedPixels(editor, run.frames.at("editor2.png"), 243, 187, 25, 18), 10);
    EXPECT_GT(TextPixels(run.frames.at("help.png"), 32, 72, 336, 300), 500);
    EXPECT_GT(
        ChangedPixels(run.frames.at("help.png"), run.frames.at("help2.png"), 32, 72, 336, 300),
        500);
    // Finances: both panels hold values.
    const PngImage& finances = run.frames.at("finances.png");
    EXPECT_GT(TextPixels(finances, 40, 84, 264, 200), 200);
    EXPECT_GT(TextPixels(finances, 336, 84, 264, 200), 200);
    // Statistics: the sort reorders the rows; the captain's marker joins the third row.
    const PngImage& sorted = run.frames.at("sorted.png");
    EXPECT_GT(ChangedPixels(run.frames.at("stats.png"), sorted, 32, 96, 592, 320), 1000);
    EXPECT_GT(ChangedPixels(sorted, run.frames.at("stats2.png"), 32, 136, 180, 20), 10);
}
