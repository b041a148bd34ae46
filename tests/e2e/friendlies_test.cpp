// tests/e2e/friendlies_test.cpp: the whole program books a friendly from the office's calendar
// ("Match amical") two days on, plays it on that day in the text view, and is back at the office
// of the day after with the friendly's score kept; books a tour and exports the team, then plays
// a friendly between exported teams from the title.
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "engine/blockfile.h"
#include "game/matchblocks.h"
#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

TEST(Friendlies, AFriendlyBookedFromTheCalendarIsPlayedOnItsDay)
{
    const ScriptRun run = RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                                    + IncludeScript("friendlies.txt") + ScriptQuitFromBar());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    // The third day row names the booked club, where it said "- Pas de rencontre --".
    EXPECT_GT(ChangedPixels(run.frames.at("friendly.png"), run.frames.at("booked.png"), 100, 130,
                            200, 20),
              50);
    const std::vector<int32_t> home = ScriptPrintedValues(run.out, "score0");
    const std::vector<int32_t> away = ScriptPrintedValues(run.out, "score1");
    const std::vector<int32_t> kept = ScriptPrintedValues(run.out, "lastscore");
    ASSERT_EQ(home.size(), 1u);
    ASSERT_EQ(away.size(), 1u);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0], home[0] * 100 + away[0]);  // the friendly's row holds the score played
}

// Run 1 books a friendly and a tour from the calendar and exports the team; run 2, in the same
// home, loads that team on both sides from the title and plays the friendly between them to the
// end, through each side's half-time menus, to the analysis table and back to the title.
TEST(Friendlies, ATeamExportedFromACareerPlaysAFriendlyFromTheTitle)
{
    TempHome home;
    TempDir work;
    const ProgramResult career =
        RunScriptIn(work,
                    ScriptToTitle() + IncludeScript("new_career.txt")
                        + IncludeScript("friendly_tour_export.txt") + ScriptQuitFromBar(),
                    300);
    ASSERT_EQ(career.exitCode, 0) << career.out << career.err;
    const PngImage friendly = GrabbedFrame(work, "friendly.png");
    const PngImage booked = GrabbedFrame(work, "booked.png");
    const PngImage toured = GrabbedFrame(work, "toured.png");
    // Day rows from the middle of row 0 at y 100, 20 apart; the opponent's name from x 80.
    const auto row = [](const PngImage& a, const PngImage& b, int32_t r) {
        return ChangedPixels(a, b, 80, 92 + 20 * r, 230, 16);
    };
    EXPECT_GT(row(friendly, booked, 2), 50);  // the friendly on the third day
    for (const int32_t r : {4, 7, 10}) {      // the tour: the window's first, fourth, seventh days
        EXPECT_GT(row(booked, toured, r), 50) << r;
    }
    EXPECT_EQ(row(booked, toured, 5), 0);
    ASSERT_TRUE(std::filesystem::exists(home.Path() + "/a/SaveTeam"));

    const ProgramResult title = RunScriptIn(
        work, ScriptToTitle() + IncludeScript("friendly_from_title.txt") + ScriptQuitFromBar(),
        300);
    ASSERT_EQ(title.exitCode, 0) << title.out << title.err;
    const PngImage empty = GrabbedFrame(work, "setup_empty.png");
    const PngImage setup = GrabbedFrame(work, "setup.png");
    for (const int32_t y : {172, 232}) {  // both teams' names, above and below "C"
        EXPECT_EQ(TextPixels(empty, 120, y, 400, 16), 0) << y;
        EXPECT_GT(TextPixels(setup, 120, y, 400, 16), 50) << y;
    }
    const PngImage analysis = GrabbedFrame(work, "analysis.png");
    EXPECT_GT(TextPixels(analysis, 20, 24, 600, 24), 200);  // both names and the score
    // Sixteen players named in the rows, each row's name column beside its number.
    for (int32_t r = 0; r < 16; ++r) {
        EXPECT_GT(TextPixels(analysis, 42, 114 + 20 * r, 100, 16), 20) << r;
    }
}

// A crafted exported team whose first entry the match cannot draw (a shirt number no kit has) is
// refused at load on both sides: the friendly never starts, and the program ends cleanly.
TEST(Friendlies, AnExportedTeamWithAnUndrawableEntryIsRefusedAtLoad)
{
    TempHome home;
    TempDir work;
    ExportedTeamBlock team{};
    std::strcpy(team.name, "Autre");
    for (MatchPlayerEntry& entry : team.entries) {
        MatchEntry_Clear(&entry);
    }
    team.entries[0] = {};
    std::strcpy(team.entries[0].name, "A. Bidon");
    team.entries[0].shirt = 32767;
    const BlockFileBlock block = {"TEAM", &team, sizeof(team)};
    ASSERT_EQ(BlockFileSave(TEAM_FILE_NAME, "TEM1", 1, &block, 1), BLOCKFILE_OK);

    const ProgramResult run = RunScriptIn(
        work, ScriptToTitle() + IncludeScript("friendly_refused_team.txt") + ScriptQuitFromBar(),
        120, {"-debug", "file=1"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("LoadTeamFile(): \"a:\\SaveTeam\" holds a team that cannot be played"),
              std::string::npos)
        << run.out;
    const PngImage refused = GrabbedFrame(work, "refused.png");
    const PngImage setup = GrabbedFrame(work, "setup.png");
    EXPECT_GT(ChangedPixels(refused, setup, 120, 150, 400, 180), 400 * 180 / 2);  // the box
    for (const int32_t y : {172, 232}) {  // no team named above or below "C"
        EXPECT_EQ(TextPixels(setup, 120, y, 400, 16), 0) << y;
    }
}
