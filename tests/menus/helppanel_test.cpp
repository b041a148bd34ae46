// tests/menus/helppanel_test.cpp: the help panel's table, its way in from the debug screen, its
// paging within the text, and the drawn frame.
#include "menus/helppanel.h"

#include <gtest/gtest.h>

#include "menus/debugscreen.h"
#include "menus/frontend.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"
#include "tests/support/support.h"

namespace {

// An FNV hash of the work screen's lower left part, clear of the buttons and of where the
// pointer stands when it is taken.
uint32_t LeftHash()
{
    uint32_t hash = 2166136261u;
    for (int32_t y = 150; y < 480; ++y) {
        for (int32_t x = 0; x < 300; ++x)
            hash = (hash ^ WorkPixel(x, y)) * 16777619u;
    }
    return hash;
}

constexpr int32_t KEY_ESCAPE = 1, KEY_UP = 200, KEY_PAGE_UP = 201, KEY_DOWN = 208,
                  KEY_PAGE_DOWN = 209;

}  // namespace

TEST(HelpPanel, OnlyTheTablesOwnPanelIsCurrent)
{
    struct Row {
        int32_t id;
        int32_t answer;
    };
    for (const Row row : {Row{0, 0}, Row{-1, -1}, Row{1, -1}, Row{32767, -1}, Row{-32768, -1}})
        EXPECT_EQ(IsCurrentPanel(row.id), row.answer) << row.id;
}

TEST(HelpPanelDeathTest, AHelpNumberOutsideTheTableIsFatal)
{
    for (const int32_t n : {1, -1, 40})
        EXPECT_FATAL(DoHelpPanel(n),
                     "Error: DoHelpPanel(): help value " + std::to_string(n) + " out of range\n");
}

// Each row: what is done, and the first line it must leave on the page (-1: the last page's).
TEST(HelpPanel, OpensFromTheDebugScreenAndPagesWithinItsText)
{
    ScopedScreenRedraw career;
    MenuInputs inputs;
    uint32_t tick = 220;
    uint32_t debugScreen = 0;
    inputs.push_back({tick, MenuInput::CALL, 0, 0, [&] { debugScreen = LeftHash(); }});
    AddClick(&inputs, tick + 2, 160, 85);  // "Aide"
    tick += 40;
    inputs.push_back({tick, MenuInput::CALL, 0, 0, [] {
                          ASSERT_GT(HelpPanel_LineCount(), HelpPanel_PageLines());
                          EXPECT_EQ(HelpPanel_PageLines(), 358 / 16 - 1);
                          EXPECT_EQ(HelpPanel_FirstLine(), 0);
                          ExpectGoldenHash("menus/help_panel", WorkScreenHash());
                          WriteFrameToTestOutput("help_panel.png");
                      }});
    struct Step {
        int32_t key;  // or a click on the arrows: -1 left on the lower one, -2 right on it,
                      // -3 left on the upper one
        int32_t first;
    };
    const Step steps[] = {
        {KEY_UP, 0},    {KEY_PAGE_UP, 0}, {KEY_DOWN, 1}, {-1, 2},          {KEY_PAGE_DOWN, -1},
        {KEY_DOWN, -1}, {-2, -1},         {-3, -2},      {KEY_PAGE_UP, 0}, {-2, -1},
    };
    for (const Step& step : steps) {
        tick += 10;
        if (step.key > 0) {
            AddKey(&inputs, tick, step.key);
        } else {
            // The upper arrow near its zone's far corner, the lower one in its middle.
            const bool upper = step.key == -3;
            AddClick(&inputs, tick, upper ? 612 : 596, upper ? 215 : 230);
            if (step.key == -2) {
                inputs.back().x = MENU_INPUT_RIGHT_BUTTON;
                inputs[inputs.size() - 2].x = MENU_INPUT_RIGHT_BUTTON;
            }
        }
        tick += 12;
        inputs.push_back({tick, MenuInput::CALL, 0, 0, [step] {
                              const int32_t last = HelpPanel_LineCount() - HelpPanel_PageLines();
                              const int32_t first = step.first == -1   ? last
                                                    : step.first == -2 ? last - 1
                                                                       : step.first;
                              EXPECT_EQ(HelpPanel_FirstLine(), first) << step.key;
                          }});
    }
    AddKey(&inputs, tick + 10, KEY_ESCAPE);
    tick += 30;
    inputs.push_back({tick, MenuInput::CALL, 0, 0, [&] {
                          EXPECT_EQ(HelpPanel_LineCount(), 0) << "the panel's copy is freed";
                          EXPECT_EQ(LeftHash(), debugScreen) << "the screen is back";
                      }});
    AddClick(&inputs, tick + 2, 570, 436);  // the OK icon, now the debug screen's: the office
    career.Run(
        DebugScreen_Table(), [] {}, inputs);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
}
