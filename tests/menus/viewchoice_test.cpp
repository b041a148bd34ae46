// tests/menus/viewchoice_test.cpp: the view of the human's next match, chosen in the match-view
// popup: what each button does, and the refusal of the 2D and 3D views on a low-memory machine.
#include "menus/viewchoice.h"

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/memory.h"
#include "game/matchblocks.h"
#include "menus/frontend.h"
#include "menus/menupc.h"
#include "tests/support/menu_loop.h"

namespace {

class LowMemory {
public:
    explicit LowMemory(bool low) : m_was(IsLowMemory()) { MemorySetLowMemory(low); }
    ~LowMemory() { MemorySetLowMemory(m_was); }

private:
    bool m_was;
};

constexpr int32_t BUTTON_Y = 450;
constexpr int32_t kButtonX[3] = {128, 320, 512};  // text, 2D, 3D

}  // namespace

TEST(ViewChoice, EachButtonChoosesItsViewAndOnlyTheCommentarySetsTheOptionBit)
{
    ScopedMenuDisplay display;
    PresentMenuScreen();  // the opening wipe spent, so that it cannot swallow a click
    for (const uint16_t view : {VIEW_TEXT, VIEW_2D, VIEW_3D}) {
        ViewChoiceInit();
        ChosenViewMode = VIEW_NONE;
        MenuOption = MENU_OPTION_OFFICE;
        GameOptionByte = view == VIEW_TEXT ? 0 : 0xFF;
        MenuInputs inputs;
        if (view == VIEW_TEXT) {
            inputs.push_back({3, MenuInput::CALL, 0, 0, [] {
                                  ExpectGoldenHash("menus/view_choice_popup", WorkScreenHash());
                              }});
        }
        AddClick(&inputs, 5, kButtonX[view], BUTTON_Y);
        ScopedMenuScript script(inputs);
        MatchViewChoicePopup();
        EXPECT_EQ(ChosenViewMode, view);
        EXPECT_EQ(MenuOption, view == VIEW_TEXT ? 25 : MENU_OPTION_OFFICE) << view;
        EXPECT_EQ(GameOptionByte, view == VIEW_TEXT ? 0x08 : 0xF7) << view;
    }
}

TEST(ViewChoice, ALowMemoryMachineRefusesThe2DAnd3DViewsAndThePopupWaitsOn)
{
    ScopedMenuDisplay display;
    PresentMenuScreen();
    const LowMemory low(true);
    ChosenViewMode = VIEW_3D;
    MenuInputs inputs;
    AddClick(&inputs, 5, kButtonX[VIEW_2D], BUTTON_Y);
    inputs.push_back({30, MenuInput::CALL, 0, 0, [] { EXPECT_EQ(ChosenViewMode, VIEW_3D); }});
    AddClick(&inputs, 35, 20, 20);  // closes the refusal's box
    AddClick(&inputs, 70, kButtonX[VIEW_3D], BUTTON_Y);
    AddClick(&inputs, 100, 20, 20);
    inputs.push_back({125, MenuInput::CALL, 0, 0, [] { EXPECT_EQ(ChosenViewMode, VIEW_3D); }});
    AddClick(&inputs, 130, 40, 300);  // beside the buttons: nothing
    AddClick(&inputs, 160, kButtonX[VIEW_TEXT], BUTTON_Y);
    ScopedMenuScript script(inputs);
    MatchViewChoicePopup();
    EXPECT_EQ(ChosenViewMode, VIEW_TEXT);
    EXPECT_GE(ScopedMenuScript::Elapsed(), 160u);
}

TEST(ViewChoice, ChoosingDirectlyRefusesOnlyTheDrawnViewsOnALowMemoryMachine)
{
    ScopedMenuDisplay display;
    PresentMenuScreen();
    struct Row {
        bool low;
        uint16_t view;
        bool accepted;
    };
    const Row rows[] = {{false, VIEW_TEXT, true}, {false, VIEW_2D, true}, {false, VIEW_3D, true},
                        {true, VIEW_TEXT, true},  {true, VIEW_2D, false}, {true, VIEW_3D, false}};
    for (const Row& row : rows) {
        const LowMemory low(row.low);
        ChosenViewMode = VIEW_NONE;
        MenuInputs inputs;
        AddClick(&inputs, 20, 20, 20);  // closes a refusal's box
        ScopedMenuScript script(inputs);
        EXPECT_EQ(ViewChoice_Choose(row.view), row.accepted) << row.low << row.view;
        HostOnMouseButton(HOST_BUTTON_LEFT, false);  // the box closed on the press
        EXPECT_EQ(ChosenViewMode, row.accepted ? row.view : uint16_t{VIEW_NONE})
            << row.low << row.view;
    }
}

// The refusal names its cause: the machine lacks the memory for a drawn view.
TEST(ViewChoice, TheRefusalOfADrawnViewSaysTheMemoryIsShort)
{
    ScopedMenuDisplay display;
    PresentMenuScreen();
    const LowMemory low(true);
    const uint32_t lowMemoryBox = BoxOfText(1129);
    for (const uint16_t view : {VIEW_2D, VIEW_3D}) {
        EXPECT_EQ(BoxShownBy([view] { ViewChoice_Choose(view); }), lowMemoryBox) << view;
    }
}
