#include "menus/exm.h"

#include <vector>

#include <gtest/gtest.h>

#include "menus/machine.h"
#include "menus/menupc.h"
#include "tests/support/menu_loop.h"
#include "tests/support/support.h"

namespace {

constexpr uint16_t ESCAPE = 1;
constexpr uint32_t T0 = 300;  // after the first build's wipe onto the screen

struct Calls {
    int32_t init;
    int32_t initRebuilding;
    int32_t click;
    int32_t exit;
    int32_t clickCode;  // what the click callback answers
    const MenuItem* pushFromInit;
};
Calls s_calls;

void CountInit()
{
    ++s_calls.init;
    if (EXM_GetRebuildFlag()) ++s_calls.initRebuilding;
    if (s_calls.pushFromInit != nullptr) {
        const MenuItem* table = s_calls.pushFromInit;
        s_calls.pushFromInit = nullptr;
        EXM_PushMenu(table);
    }
}
void CountExit() { ++s_calls.exit; }
int32_t CountClick(MenuHotspot*)
{
    ++s_calls.click;
    const int32_t code = s_calls.clickCode;
    s_calls.clickCode = EXM_CODE_LEAVE;  // the next click leaves
    return code;
}
int32_t LeaveOnClick(MenuHotspot*) { return EXM_CODE_LEAVE; }

const MenuItem kButtonScreen[] = {
    {0x36, 0, 0, 0, 0, MenuCallback(CountInit), nullptr},
    {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
    {0x38, 0, 0, 0, 0, 0, nullptr},
    {0x1f, 100, 100, 50, 30, MenuNumber(-1), nullptr},
    {0x1f, 200, 100, 50, 30, MenuNumber(-1), CountClick},
    MenuEndItem(CountExit, nullptr),
};
const MenuItem kPlainScreen[] = {
    {0x36, 0, 0, 0, 0, MenuCallback(CountInit), nullptr},
    {0x38, 0, 0, 0, 0, 0, nullptr},
    {0x1f, 0, 0, 640, 480, MenuNumber(-1), LeaveOnClick},
    MenuEndItem(CountExit, nullptr),
};

class Exm : public testing::Test {
protected:
    Exm() { s_calls = {}; }
    ScopedMenuDisplay m_display{true};
};
using ExmDeathTest = Exm;

// A table run under its own walk for interpreter tests: the head, the items, the end.
std::vector<MenuItem> Screen(std::initializer_list<MenuItem> items)
{
    std::vector<MenuItem> table = {{0x36, 0, 0, 0, 0, 0, nullptr}};
    table.insert(table.end(), items);
    table.push_back({0x1f, 0, 470, 10, 10, MenuNumber(-1), LeaveOnClick});
    table.push_back(MenuEndItem(nullptr, nullptr));
    return table;
}

// Runs a table and leaves it with a click on its last hotspot, reading the hotspots first.
std::vector<MenuHotspot> RunAndReadHotspots(const std::vector<MenuItem>& table)
{
    std::vector<MenuHotspot> spots;
    MenuInputs inputs;
    inputs.push_back({T0 + 20, MenuInput::CALL, 0, 0,
                      [&] { spots.assign(EXM_Hotspots(), EXM_Hotspots() + EXM_HotspotCount()); }});
    AddClick(&inputs, T0 + 30, 5, 475);
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(table.data());
    return spots;
}

}  // namespace

TEST_F(Exm, AClickRunsItsCallbackOncePerPressAndLeavingCallsTheExit)
{
    s_calls.clickCode = 0;
    MenuInputs inputs;
    inputs.push_back({T0 + 30, MenuInput::MOVE, 210, 110, {}});
    inputs.push_back({T0 + 40, MenuInput::PRESS, 0, 0, {}});
    inputs.push_back({T0 + 90, MenuInput::RELEASE, 0, 0, {}});  // held for 50 periods: one click
    AddClick(&inputs, T0 + 120, 110, 110);                      // no callback there
    AddClick(&inputs, T0 + 150, 210, 110);                      // the second click leaves
    ScopedMenuScript script(inputs);
    EXPECT_EQ(EXM_PushAndRun(kButtonScreen), 0);
    EXPECT_EQ(s_calls.click, 2);
    EXPECT_EQ(s_calls.init, 1);
    EXPECT_EQ(s_calls.exit, 1);
    EXPECT_EQ(EXM_Depth(), -1);
    EXPECT_LT(ScopedMenuScript::Elapsed(), T0 + 200u);
}

TEST_F(Exm, CodeFourRebuildsWithTheInitCallbackSeeingTheFlag)
{
    s_calls.clickCode = EXM_CODE_REBUILD;
    MenuInputs inputs;
    AddClick(&inputs, T0 + 30, 210, 110);
    AddClick(&inputs, T0 + 80, 210, 110);
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(kButtonScreen);
    EXPECT_EQ(s_calls.init, 2);
    EXPECT_EQ(s_calls.initRebuilding, 2);
}

TEST_F(Exm, EscapeWithoutACallbackLeavesTheScreen)
{
    MenuInputs inputs;
    AddKey(&inputs, T0 + 30, ESCAPE);
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(kButtonScreen);
    EXPECT_EQ(s_calls.exit, 1);
    EXPECT_LT(ScopedMenuScript::Elapsed(), T0 + 100u);
}

TEST_F(Exm, APushFromAnInitCallbackWaitsForTheNextPass)
{
    s_calls.pushFromInit = kPlainScreen;
    MenuInputs inputs;
    AddClick(&inputs, T0 + 30, 300, 300);  // leaves the pushed screen
    AddKey(&inputs, T0 + 60, ESCAPE);      // then the first one
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(kButtonScreen);
    EXPECT_EQ(s_calls.init, 3);  // first screen, pushed screen, first screen again
    EXPECT_EQ(s_calls.exit, 2);
}

TEST_F(Exm, IncludesNumbersAndSentinelsRegisterTheExpectedHotspots)
{
    struct Row {
        int16_t score;
        uint8_t none;
    };
    static Row rows[3] = {{7, 0xFF}, {int16_t(0x8000), 3}, {9, 5}};
    static const MenuItem inner[] = {
        {0x16, 0, 0, 5, sizeof(Row), MenuVariable(&rows[0].score), LeaveOnClick},
        {0x15, 40, 0, 5, sizeof(Row), MenuVariable(&rows[0].none), LeaveOnClick},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem* innerTable = inner;  // a nested include goes through a variable
    static const MenuItem outer[] = {
        {0x13, 0, 0, 5, 0, MenuNumber(1), LeaveOnClick},
        {0x22, 20, 0, 0, 20, MenuVariable(&innerTable), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static_assert(sizeof(Row) == 4);
    EXM_SetRowCount(3);
    const auto table = Screen({
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x21, 100, 50, 1, 100, MenuAddress(outer), nullptr},
    });
    const auto spots = RunAndReadHotspots(table);
    ASSERT_EQ(spots.size(), 1u + 3u * 2u + 1u);
    EXPECT_EQ(spots[0].group, 0);  // the outer number, in the outer include
    EXPECT_EQ(spots[0].row, 0);
    EXPECT_EQ(spots[0].value, 1);
    EXPECT_EQ(spots[1].x, 120);  // first inner row, at the outer offset plus 20
    EXPECT_EQ(spots[1].value, 7);
    EXPECT_EQ(spots[1].group, 0);  // the inner include is counted after its rows
    EXPECT_EQ(spots[2].width, 0);  // 0xFF is no value: a zero-size hotspot
    EXPECT_EQ(spots[2].value, static_cast<int32_t>(0x80000000u));
    EXPECT_EQ(spots[3].y, 70);  // the second row, 20 lower
    EXPECT_EQ(spots[3].value, static_cast<int32_t>(0x80000000u));
    EXPECT_EQ(spots[4].value, 3);
    EXPECT_EQ(spots[6].value, 5);
    EXPECT_EQ(spots.back().group, 0xFF);  // the leaving hotspot at top level
}

TEST_F(Exm, ScrollBarWithNothingToScrollIsOneButtonAndAPressOnTheTrackPages)
{
    static MenuScrollData empty = {0, 5, 0};
    static MenuScrollData list = {40, 10, 0};
    const auto table = Screen({
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x41, 600, 50, 20, 200, MenuVariable(&empty), LeaveOnClick},
        {0x41, 560, 50, 20, 200, MenuVariable(&list), LeaveOnClick},
    });
    MenuInputs inputs;
    AddClick(&inputs, T0 + 20, 570, 200);  // below the thumb: one page down
    AddClick(&inputs, T0 + 40, 610, 200);  // nothing to scroll: nothing happens
    AddClick(&inputs, T0 + 60, 5, 475);
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(table.data());
    EXPECT_EQ(list.position, 9);
    EXPECT_EQ(empty.position, 0);
}

TEST_F(ExmDeathTest, TableFaultsAreFatalWithTheirTexts)
{
    const auto noAlign = Screen({{0x03, 10, 10, 0, 0, MenuNumber(2), nullptr}});
    EXPECT_FATAL(EXM_PushAndRun(noAlign.data()), "ActOnType(): invalid align type");
    static const MenuItem badInner[] = {{0x0b, 0, 0, 0, 0, 0, nullptr},
                                        MenuEndItem(nullptr, nullptr)};
    const auto badInclude = Screen({{0x21, 0, 0, 1, 0, MenuAddress(badInner), nullptr}});
    EXPECT_FATAL(EXM_PushAndRun(badInclude.data()), "ActOnType(): invalid table item: [11]");
    const auto badHotspot = Screen({{0x0d, 0, 0, 0, 0, MenuNumber(1), LeaveOnClick}});
    EXPECT_FATAL(EXM_PushAndRun(badHotspot.data()), "ActOnType(): invalid hotspot item");
    const auto badKind = Screen({{0x23, 0, 0, 0, 0, 0, nullptr}});
    EXPECT_FATAL(EXM_PushAndRun(badKind.data()),
                 "GetVarsFromMI(): invalid data type encountered [35]");
    const auto columns = Screen({{0x200b, 0, 0, 10, 10, 0, nullptr}});
    EXPECT_FATAL(EXM_PushAndRun(columns.data()), "ShowAnItem(): invalid display item");
    const auto special = Screen({{0x24, -1, -1, 0, 0, 0, nullptr}});
    EXPECT_FATAL(EXM_PushAndRun(special.data()), "ShowAnItem(): invalid M_SPECIAL item");
}
