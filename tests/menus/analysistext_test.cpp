// tests/menus/analysistext_test.cpp: the written match analysis names each player once a run,
// nobody for a whole line, and leads back to the performance screen.
#include "menus/analysistext.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/analysis.h"
#include "game/funcs.h"
#include "game/matchblocks.h"
#include "game/squad.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/screen_redraw.h"

TEST(AnalysisText, ARunAboutOnePlayerNamesHimOnceAndAWholeLineNobody)
{
    ScopedScreenRedraw screen;
    VTW_RefreshSquadCount(screen.HumanClub());
    int32_t shirts[2] = {0, 0};
    for (int32_t shirt = 1, found = 0; shirt <= 40 && found < 2; ++shirt) {
        if (VTW_GetPlayerShirt2(shirt) >= 0) shirts[found++] = shirt;
    }
    ASSERT_GT(shirts[1], 0);
    const std::string a = std::string(VTW_FormatPersonName(VTW_GetPlayerShirt2(shirts[0]))) + ":";
    const std::string b = std::string(VTW_FormatPersonName(VTW_GetPlayerShirt2(shirts[1]))) + ":";
    struct Row {
        int16_t text, slot;
        int16_t heading, comment;
        std::string label;
    };
    const std::vector<Row> rows = {
        {1220, -1, 1220, -1, ""},
        {1300, -1, -1, 1300, ""},  // on the whole line
        {1301, int16_t(shirts[0] - 1), -1, 1301, a},
        {1302, int16_t(shirts[0] - 1), -1, 1302, ""},
        {1303, int16_t(shirts[1] - 1), -1, 1303, b},
        {1231, -1, 1231, -1, ""},                     // the last heading number
        {1232, int16_t(shirts[1] - 1), -1, 1232, b},  // a heading between names him again
        {0, 0, -1, -1, ""},
    };
    AnalysisLines = {};
    for (size_t k = 0; k < rows.size(); ++k) {
        AnalysisLines.text[k] = rows[k].text;
        AnalysisLines.slot[k] = rows[k].slot;
    }
    AnalysisText_FillRows();
    for (size_t k = 0; k < rows.size(); ++k) {
        const AnalysisTextRow& r = AnalysisText.rows[k];
        EXPECT_EQ(r.heading, rows[k].heading) << k;
        EXPECT_EQ(r.comment, rows[k].comment) << k;
        EXPECT_EQ(r.label, rows[k].label) << k;
    }
    struct Ok {
        uint8_t flags;
        int16_t option;
    };
    for (const Ok& ok : {Ok{0, 77}, Ok{MATCH_REPORT_IN_SEQUENCE, 74}}) {
        MenuOption = 74;
        MatchReportWord = 4;
        MatchReportFlags = ok.flags;
        EXPECT_EQ(AnalysisText_Ok(), EXM_CODE_LEAVE);
        EXPECT_EQ(MatchReportWord, 0);
        EXPECT_EQ(MenuOption, ok.option);
    }
    MatchReportFlags = 0;
}

TEST(AnalysisText, AnAnalysedMatchMatchesTheGolden)
{
    ScopedScreenRedraw screen;
    AnalysisLines = {};
    VTW_RefreshSquadCount(screen.HumanClub());
    const int16_t texts[] = {1220, 1300, 1301, 1302, 1221, 1303};
    const int16_t slots[] = {-1, -1, 0, 0, -1, 1};
    uint32_t hash = 0;
    ReportFixture = -1;  // nothing analysed: the rows below are shown
    screen.Run(AnalysisText_Table(), [&] {
        for (int32_t k = 0; k < 6; ++k) {
            AnalysisLines.text[k] = texts[k];
            AnalysisLines.slot[k] = slots[k];
        }
        AnalysisText_FillRows();
        EXM_RedrawNow();
        hash = WorkScreenHash();
    });
    ExpectGoldenHash("menus/analysis_text", hash);
}
