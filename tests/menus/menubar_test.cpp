// tests/menus/menubar_test.cpp: the drop-down lists through the menu loop: what a click on an
// entry does, greyed or not.
#include "menus/menubar.h"

#include <vector>

#include <gtest/gtest.h>

#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/menu_loop.h"

namespace {

std::vector<int16_t> s_chosen;  // the option word of each entry chosen, in order

int32_t Choose(MenuListEntry* entry)
{
    s_chosen.push_back(entry->spare[0]);
    return LIST_CODE_LEAVE;
}

int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }
int32_t Leave() { return EXM_CODE_LEAVE; }

MenuListEntry s_list[] = {
    MenuList_Title(700),
    MenuList_Entry(29, Choose, 1),
    MenuList_Entry(294, Choose, 2),
    MenuList_End(),
};

}  // namespace

// A click on a greyed entry calls no handler, whatever the handler would do, and leaves its list
// open; a click on an enabled entry of the same list then chooses it.
TEST(MenuBarLoop, AGreyedEntryCallsNoHandlerAndKeepsItsListOpen)
{
    ScopedMenuDisplay display(true);
    FrontEndInit();
    FrontEnd_RegisterLoopSteps();
    s_chosen.clear();
    s_list[1].flags = 0;
    static const MenuItem table[] = {
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x1f, 100, 100, 160, 30, MenuNumber(-1), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(s_list), nullptr},
        MenuEndItem(nullptr, Leave),
    };
    // The list drops below the button: its rows from y 132, 18 pixels each.
    constexpr int32_t firstRow = 130 + 2 + MENUBAR_ROW_HEIGHT / 2;
    int32_t openAfterGreyed = -1;
    std::vector<int16_t> chosenAfterGreyed;
    MenuInputs inputs;
    AddClick(&inputs, 100, 150, 115);
    AddClick(&inputs, 140, 150, firstRow);
    inputs.push_back({200, MenuInput::CALL, 0, 0, [&] {
                          openAfterGreyed = MenuBar_IsOpen();
                          chosenAfterGreyed = s_chosen;
                      }});
    AddClick(&inputs, 220, 150, firstRow + MENUBAR_ROW_HEIGHT);
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(table);
    EXPECT_EQ(openAfterGreyed, 1);
    EXPECT_TRUE(chosenAfterGreyed.empty());
    EXPECT_EQ(s_chosen, std::vector<int16_t>{2});
    s_list[1].flags = LIST_ENABLED;
    FrontEndUninit();
}
