// tests/e2e/player_search_test.cpp: the player search and the squad analysis in the real
// program: a pace minimum ranked by its weight, a search saved, reset and loaded, a card opened
// from the list, and the match team with its formation diagram and a captain named.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/menu_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t ROWS_TOP = 96;
constexpr int32_t ROW_PITCH = 18;
constexpr int32_t BARS_TOP = 106;
constexpr int32_t BAR_PITCH = 16;
constexpr int32_t PACE_ROW = 9;

int32_t RowText(const PngImage& frame, int32_t row)
{
    return TextPixels(frame, 36, ROWS_TOP + row * ROW_PITCH, 100, ROW_PITCH);
}

}  // namespace

TEST(PlayerSearch, SearchesSavesLoadsAndAnalysesTheSquadInTheRealProgram)
{
    const ScriptRun run = RunScript(ScriptToTitle() + IncludeScript("new_career.txt")
                                    + IncludeScript("player_search.txt") + ScriptQuitFromBar());
    if (std::getenv("PELLORAN_SEARCH_PNG") != nullptr) {
        for (const auto& [name, frame] : run.frames) {
            WriteTestOutputPng("e2e_" + name, frame.width, frame.height, frame.rgb);
        }
    }
    ASSERT_EQ(run.err.find("fails"), std::string::npos) << run.out << run.err;
    EXPECT_EQ(run.exitCode, 0);

    // The first search: fifteen rows, the eighteen bars, the money and age boxes.
    const PngImage& first = run.frames.at("search1.png");
    for (int32_t row = 0; row < 15; ++row) {
        EXPECT_GT(RowText(first, row), 10) << row;
    }
    for (int32_t row = 0; row < 18; ++row) {
        EXPECT_GT(TextPixels(first, 510, BARS_TOP + row * BAR_PITCH, 60, 12), 5) << row;
    }
    EXPECT_GT(TextPixels(first, 476, 396, 132, 42), 20);
    EXPECT_GT(TextPixels(first, 32, 396, 246, 42), 20);

    // A pace of 70 ranks the list: the best score is at least 70 x 70.
    const size_t top = run.out.find("script: searchtop = ");
    ASSERT_NE(top, std::string::npos) << run.out;
    EXPECT_GE(std::atoi(run.out.c_str() + top + 20), 70 * 70);

    // The loaded search shows the pace bar as the saved one did.
    const PngImage& loaded = run.frames.at("search3.png");
    const PngImage& saved = run.frames.at("search2.png");
    EXPECT_EQ(ChangedPixels(saved, loaded, 508, BARS_TOP + PACE_ROW * BAR_PITCH, 100, 12), 0);

    // The match team: eleven rows, the diagram below them and the substitutes beside it.
    const PngImage& team = run.frames.at("analysis.png");
    for (int32_t row = 0; row < 11; ++row) {
        EXPECT_GT(RowText(team, row), 10) << row;
    }
    EXPECT_GT(TextPixels(team, 202, 298, 288, 135), 20);
    for (int32_t k = 0; k < 5; ++k) {
        EXPECT_GT(TextPixels(team, 54, 300 + k * 18, 90, 18), 10) << k;
    }
    // The captain's icon appears on row 2 and nowhere else changes in the list.
    const PngImage& captain = run.frames.at("captain.png");
    EXPECT_GT(ChangedPixels(team, captain, 424, ROWS_TOP + 2 * ROW_PITCH, 64, ROW_PITCH), 10);
    EXPECT_EQ(ChangedPixels(team, captain, 18, ROWS_TOP, 400, 11 * ROW_PITCH), 0);
}
