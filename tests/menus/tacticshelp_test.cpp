// tests/menus/tacticshelp_test.cpp: the tactics editor's help: its pages, twenty lines at a time,
// and its text loaded again on every entry.
#include "menus/tacticshelp.h"

#include <functional>

#include <gtest/gtest.h>

#include "menus/exm.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t PAGE_DOWN_X = 24, PAGE_DOWN_Y = 462;

bool ScrollButtonsShown()
{
    for (int32_t i = 0; i < EXM_HotspotCount(); ++i) {
        const MenuHotspot& h = EXM_Hotspots()[i];
        if (h.x == PAGE_DOWN_X && h.y == PAGE_DOWN_Y) return true;
    }
    return false;
}

class TacticsHelpTest : public ::testing::Test {
protected:
    void Run(const std::function<void()>& check) { m_screen.Run(TacticsHelp_Table(), check); }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(TacticsHelpTest, PagesScrollTwentyLinesAtATimeAndNeverPastTheEnd)
{
    Run([] {
        // The first page is long enough to scroll, with its buttons.
        EXPECT_EQ(TacticsHelp.HelpPage, 0);
        EXPECT_GE(TacticsHelp.lineCount, 40);
        EXPECT_TRUE(ScrollButtonsShown());
        EXPECT_EQ(TacticsHelp_PageDown(), EXM_CODE_REDRAW);
        EXPECT_EQ(TacticsHelp_FirstLine(), 20);

        // A page of 45 lines.
        TacticsHelp.HelpFirstLine = 0;
        TacticsHelp.lineCount = 45;
        const int16_t down[] = {20, 25};
        for (const int16_t line : down) {
            EXPECT_EQ(TacticsHelp_PageDown(), EXM_CODE_REDRAW);
            EXPECT_EQ(TacticsHelp.HelpFirstLine, line);
        }
        EXPECT_EQ(TacticsHelp_PageDown(), 1);
        EXPECT_EQ(TacticsHelp.HelpFirstLine, 25);
        const int16_t up[] = {5, 0};
        for (const int16_t line : up) {
            EXPECT_EQ(TacticsHelp_PageUp(), EXM_CODE_REDRAW);
            EXPECT_EQ(TacticsHelp.HelpFirstLine, line);
        }
        EXPECT_EQ(TacticsHelp_PageUp(), 1);

        // The page already shown: nothing reloads.
        TacticsHelp_Init();
        const char* text = TacticsHelp.text;
        EXPECT_EQ(TacticsHelp_ChoosePage(0), 1);
        TacticsHelp_Init();
        EXPECT_EQ(TacticsHelp.text, text);

        // "Attaquant" fits in twenty lines: no scroll buttons, and paging does nothing.
        EXPECT_EQ(TacticsHelp_ChoosePage(1), EXM_CODE_REDRAW);
        EXM_RedrawNow();
        EXPECT_EQ(TacticsHelp.HelpLoadedPage, 1);
        EXPECT_GT(TacticsHelp.lineCount, 0);
        EXPECT_LE(TacticsHelp.lineCount, 20);
        EXPECT_FALSE(ScrollButtonsShown());
        EXPECT_EQ(TacticsHelp_PageDown(), 1);
        EXPECT_EQ(TacticsHelp.HelpFirstLine, 0);
    });
}

TEST_F(TacticsHelpTest, LeavingFreesTheTextAndEnteringAgainLoadsIt)
{
    Run([] { EXPECT_EQ(TacticsHelp_ChoosePage(4), EXM_CODE_REDRAW); });
    EXPECT_EQ(TacticsHelp.text, nullptr);
    Run([] {
        // Back on the first page, drawn from a text of its own (the sanitizers watch the draw).
        EXPECT_EQ(TacticsHelp.HelpPage, 0);
        ASSERT_NE(TacticsHelp.text, nullptr);
        EXPECT_GE(TacticsHelp.lineCount, 40);
        EXPECT_EQ(TacticsHelp.lines[0], TacticsHelp.text);
        EXM_RedrawNow();
        ExpectGoldenHash("menus/tactics_help_general", WorkScreenHash());
        WriteFrameToTestOutput("tactics_help");
    });
}
