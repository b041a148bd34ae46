#include "menus/vtmenu.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "menus/machine.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/vtmenusys.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

// The in-match back end of the tests: every hook writes its name.
std::vector<std::string> s_calls;
int16_t s_backEndX;
int16_t s_backEndY;
int32_t s_backEndButtons;

// clang-format off
const VTBackEnd kRecorder = {
    [] { s_calls.push_back("Init"); },
    [] { s_calls.push_back("Uninit"); },
    [] { s_calls.push_back("StartSetOfMenus"); },
    [] { s_calls.push_back("EndSetOfMenus"); },
    [] { s_calls.push_back("StartMenu"); },
    [] { s_calls.push_back("EndMenu"); },
    [] { s_calls.push_back("Redraw"); },
    [](int32_t) { s_calls.push_back("SetStaticBackground"); },
    [](const char*) { s_calls.push_back("DrawTitle"); },
    [] { s_calls.push_back("BlitArea"); },
    [] { s_calls.push_back("DrawBackground"); },
    [] { s_calls.push_back("ClearScreen"); },
    [](int32_t) { s_calls.push_back("SetFont"); },
    [](int32_t, int32_t, int32_t w, int32_t h, int32_t type) {
        s_calls.push_back("DrawBox " + std::to_string(w) + "x" + std::to_string(h) + " "
                          + std::to_string(type));
    },
    [](int32_t, int32_t, int32_t, int32_t, int32_t) { s_calls.push_back("DrawItem"); },
    [](int32_t, int32_t, int32_t, int32_t) { s_calls.push_back("DrawGraphic"); },
    [](int32_t, int32_t, int32_t, int32_t) { s_calls.push_back("DrawNumber"); },
    [](int32_t, int32_t, int32_t, const char*) { s_calls.push_back("DrawText"); },
    [](int32_t, int32_t, int32_t, int32_t) { s_calls.push_back("DrawTextNo"); },
    [](int16_t* x, int16_t* y, int32_t* buttons) {
        s_calls.push_back("GetPointer");
        *x = s_backEndX;
        *y = s_backEndY;
        *buttons = s_backEndButtons;
    },
    [] { s_calls.push_back("SavePanel"); },
    [] { s_calls.push_back("Present"); },
    [] { s_calls.push_back("DrawPanel"); },
};
// clang-format on

class VTMenu : public testing::Test {
protected:
    VTMenu()
    {
        VTMenuInit();
        VTMenuSysInit();
        s_calls.clear();
        s_backEndX = s_backEndY = 0;
        s_backEndButtons = 0;
    }
    ~VTMenu() override
    {
        VTMenuSysUninit();
        VTMenuUninit();
    }
};
using VTMenuDeathTest = VTMenu;

void StartDrawingInEnvironment(uint32_t environment)
{
    VT_SetBackEnd(&kRecorder);
    VT_Init(environment);
    VT_StartSetOfMenus();
    VT_StartMenu();
    VT_StartDrawing();
}

// The pointer path of the in-match loop: one position per pass.
std::vector<std::array<int32_t, 3>> s_path;
size_t s_pathStep;
std::vector<std::string> s_events;

int32_t RecordEvent(const VTEvent* event)
{
    s_events.push_back(std::to_string(event->event) + " " + std::to_string(event->code));
    if (event->event == VT_EVENT_PRESS) return VT_BREAK_0;
    if (event->event == VT_EVENT_RELEASE) return VT_BREAK_1;
    return VT_CONTINUE;
}

void FollowPath(int16_t* x, int16_t* y, int32_t* buttons)
{
    const auto& step = s_path[std::min(s_pathStep++, s_path.size() - 1)];
    *x = static_cast<int16_t>(step[0]);
    *y = static_cast<int16_t>(step[1]);
    *buttons = step[2];
}

}  // namespace

TEST_F(VTMenuDeathTest, CallsInTheWrongStateAbortWithTheirTexts)
{
    EXPECT_FATAL(VT_Uninit(), "VT_Uninit(): not initialised, or other error");
    EXPECT_FATAL(VT_StartMenu(), "VT_StartMenu(): not starting set of menus, or other error");
    EXPECT_FATAL(VT_SetStaticTitle("x"), "VT_SetStaticTitle(): not in static items");
    EXPECT_FATAL(VT_DrawLine(0, 0, 1, 1, 0), "VT_DrawGraphic(): drawing not started");
    EXPECT_FATAL(VT_DrawNumber(0, 0, 0x44, 1), "VT_DrawTextNo(): drawing not started");
    EXPECT_FATAL(VT_Sync(), "VT_Sync(): not in a menu, or other error");
    StartDrawingInEnvironment(1);
    EXPECT_FATAL(VT_StartDrawing(), "VT_StartDrawing(): menu not started, or other error");
    EXPECT_FATAL(VT_Init(1), "VT_Init(): already initialised");
}

TEST_F(VTMenuDeathTest, UnknownEnvironmentsAbortAfterTheStateChanged)
{
    EXPECT_FATAL(VT_Init(2), "VT_Init(): unknown environment");
    VT_SetBackEnd(nullptr);
    EXPECT_FATAL(VT_Init(1), "VT_Init(): unknown environment");
    StartDrawingInEnvironment(1);
    VT_SetBackEnd(nullptr);
    EXPECT_FATAL(VT_DrawNumber(0, 0, 0x44, 1), "VT_(): unknown environment");
    EXPECT_FATAL(VT_DrawGraphic(0, 0, 0x44, 1), "VT_DrawGraphic(): unknown environment");
}

TEST_F(VTMenuDeathTest, TheInMatchBackEndCannotWrapText)
{
    StartDrawingInEnvironment(1);
    EXPECT_FATAL(VT_DrawTextBoxAddr(0, 0, 100, 100, 0x44, "x"),
                 "Need to do in-game case for VT_DrawTextBoxAddr() (it would use "
                 "SplitTextForLayout() to wrap it)");
}

TEST_F(VTMenu, FlagsMapToAlignmentCodes)
{
    EXPECT_EQ(VT_MapAlignFlags(0x55), 10);
    EXPECT_EQ(VT_MapAlignFlags(0x45), 6);
    EXPECT_EQ(VT_MapAlignFlags(0x64), 13);
    EXPECT_EQ(VT_MapAlignFlags(0x37), 0);
}

TEST_F(VTMenu, InMatchBackEndReceivesTheHooksInOrder)
{
    StartDrawingInEnvironment(1);
    VT_DrawButton(1, 2, 30, 40, 3);
    VT_EndDrawing();
    VT_StartStaticItems();
    VT_SetStaticTitle("Pause");
    VT_EndStaticItems();
    VT_Sync();
    VT_EndMenu();
    VT_EndSetOfMenus();
    VT_Uninit();
    const std::vector<std::string> expected = {
        "Init",        "StartSetOfMenus", "StartMenu", "DrawBackground", "DrawBox 30x40 3",
        "ClearScreen", "Redraw",          "DrawTitle", "BlitArea",       "GetPointer",
        "SavePanel",   "Present",         "DrawPanel", "EndMenu",        "EndSetOfMenus",
        "Uninit"};
    EXPECT_EQ(s_calls, expected);
}

TEST_F(VTMenu, MapFramesOnlyItemsOfAtLeastEightByEight)
{
    StartDrawingInEnvironment(1);
    const VTMapItem map[] = {
        {VTI_FRAME_TYPE, VTD_VALUE, VT_PASS_DRAW, 0, 0, 0, 0, 4, nullptr},
        {VTI_NOTHING, VTD_NONE, VT_PASS_DRAW, 0, 0, 7, 20, 0, nullptr},
        {VTI_NOTHING, VTD_NONE, VT_PASS_DRAW, 0, 0, 8, 8, 0, nullptr},
        {VTI_END, 0, 0, 0, 0, 0, 0, 0, nullptr},
    };
    s_calls.clear();
    DisplayVTMap(map, VT_MAP_DRAW);
    EXPECT_EQ(s_calls, std::vector<std::string>{"DrawBox 8x8 4"});
}

TEST_F(VTMenu, LoopSendsLeaveThenEnterAndStopsAtThePressThatBreaksOutWithZero)
{
    VT_SetBackEnd(&kRecorder);
    const VTMapItem map[] = {
        {VTI_RESULT_CODE, VTD_VALUE, VT_PASS_DRAW, 0, 0, 0, 0, 1, nullptr},
        {VTI_REGION, VTD_NONE, VT_PASS_DRAW, 10, 10, 20, 20, 0, RecordEvent},
        {VTI_RESULT_CODE, VTD_VALUE, VT_PASS_DRAW, 0, 0, 0, 0, 2, nullptr},
        {VTI_REGION, VTD_NONE, VT_PASS_DRAW, 30, 10, 20, 20, 0, RecordEvent},
        {VTI_REGION, VTD_NONE, VT_PASS_DRAW, 60, 10, 0, 20, 0, RecordEvent},
        {VTI_END, 0, 0, 0, 0, 0, 0, 0, nullptr},
    };
    VT_Init(1);
    VT_StartSetOfMenus();
    VT_MenuInit(map);
    VT_MenuRedraw();
    EXPECT_EQ(VT_RegionCount(), 2);  // no region of width 0
    s_path = {{15, 15, 0}, {30, 15, 0}, {30, 15, 1}, {30, 15, 0}};
    s_pathStep = 0;
    s_events.clear();
    VTBackEnd backEnd = kRecorder;
    backEnd.getPointer = FollowPath;
    VT_SetBackEnd(&backEnd);
    EXPECT_EQ(VT_MenuLoop(), 0);
    const std::vector<std::string> expected = {"200 1", "201 1", "200 2", "202 2"};
    EXPECT_EQ(s_events, expected);
    EXPECT_EQ(VT_MenuLoop(), 1);  // the release, in the next call
    VT_MenuEnd();
    VT_EndSetOfMenus();
}

class VTMenuDisplay : public testing::Test {
protected:
    ScopedMenuDisplay m_display;
};

TEST_F(VTMenuDisplay, FrontEndMapDrawsTitleButtonsAndGraphic)
{
    const char* title = "Options";
    const VTMapItem map[] = {
        {VTI_BACKGROUND, VTD_VALUE, VT_PASS_STATIC, 0, 0, 0, 0, 0, nullptr},
        {VTI_TITLE, VTD_STRING, VT_PASS_STATIC, 0, 0, 0, 0, reinterpret_cast<std::intptr_t>(title),
         nullptr},
        {VTI_BUTTON, VTD_VALUE, VT_PASS_DRAW, 20, 100, 60, 30, 1, nullptr},
        {VTI_BUTTON, VTD_VALUE, VT_PASS_DRAW, 100, 100, 60, 30, 2, nullptr},
        {VTI_BUTTON, VTD_VALUE, VT_PASS_DRAW, 180, 100, 60, 30, 3, nullptr},
        {VTI_BUTTON, VTD_VALUE, VT_PASS_DRAW, 260, 100, 60, 30, 4, nullptr},
        {VTI_BUTTON, VTD_VALUE, VT_PASS_DRAW, 340, 100, 60, 30, 5, nullptr},
        {VTI_FLAGS, VTD_VALUE, VT_PASS_DRAW, 0, 0, 0, 0, 0x44, nullptr},
        {VTI_GRAPHIC, VTD_VALUE, VT_PASS_DRAW, 400, 300, 0, 0, 2, nullptr},
        {VTI_END, 0, 0, 0, 0, 0, 0, 0, nullptr},
    };
    VT_StartSetOfMenus();
    VT_MenuInit(map);
    std::vector<uint32_t> blank;
    for (int32_t x : {50, 130, 210, 290, 370})
        blank.push_back(WorkPixel(x, 115));
    VT_MenuRedraw();
    EXPECT_TRUE(IconDrawnAt(1231, 400, 300));
    int32_t i = 0;
    for (int32_t x : {50, 130, 210, 290, 370})
        EXPECT_NE(WorkPixel(x, 115), blank[i++]) << x;
    std::vector<uint32_t> row;
    for (int32_t x = 300; x < 340; ++x)
        row.push_back(WorkPixel(x, 37));
    EXPECT_NE(std::count(row.begin(), row.end(), row.front()), static_cast<long>(row.size()));
    VT_MenuEnd();
    VT_EndSetOfMenus();
}

TEST_F(VTMenuDisplay, FrontEndLoopFollowsTheMouseBetweenAdjacentRegions)
{
    const VTMapItem map[] = {
        {VTI_RESULT_CODE, VTD_VALUE, VT_PASS_DRAW, 0, 0, 0, 0, 1, nullptr},
        {VTI_REGION, VTD_NONE, VT_PASS_DRAW, 100, 100, 50, 50, 0, RecordEvent},
        {VTI_RESULT_CODE, VTD_VALUE, VT_PASS_DRAW, 0, 0, 0, 0, 2, nullptr},
        {VTI_REGION, VTD_NONE, VT_PASS_DRAW, 150, 100, 50, 50, 0, RecordEvent},
        {VTI_END, 0, 0, 0, 0, 0, 0, 0, nullptr},
    };
    VT_StartSetOfMenus();
    VT_MenuInit(map);
    VT_MenuRedraw();
    s_events.clear();
    MenuInputs inputs;
    inputs.push_back({10, MenuInput::MOVE, 149, 120, {}});
    inputs.push_back({20, MenuInput::MOVE, 150, 120, {}});  // one pixel on: the next region
    inputs.push_back({30, MenuInput::PRESS, 0, 0, {}});
    inputs.push_back({40, MenuInput::RELEASE, 0, 0, {}});
    ScopedMenuScript script(inputs);
    EXPECT_EQ(VT_MenuLoop(), 0);  // 302 at the press
    const std::vector<std::string> expected = {"200 1", "201 1", "200 2", "202 2"};
    EXPECT_EQ(s_events, expected);
    int16_t x, y;
    VT_GetPointerPos(&x, &y);
    EXPECT_EQ(x, 150);
    EXPECT_EQ(VT_GetPointerButtons(), 1);
    EXPECT_EQ(VT_MenuLoop(), 1);  // 303 at the release
    VT_MenuEnd();
    VT_EndSetOfMenus();
}

namespace {

struct FatalCase {
    void (*call)();
    const char* text;
};
using VTMenuDisplayDeathTest = VTMenuDisplay;

}  // namespace

TEST_F(VTMenuDeathTest, EveryCallOutOfItsStateAbortsWithItsOwnText)
{
    // In state 1 (initialised): every call but the set of menus' start is out of its state.
    const FatalCase outOfState[] = {
        {[] { VT_EndSetOfMenus(); }, "VT_EndSetOfMenus(): not started, or other error"},
        {[] { VT_EndMenu(); }, "VT_EndMenu(): menu not started, or other error"},
        {[] { VT_StartStaticItems(); }, "VT_StartStaticItems(): menu not started, or other error"},
        {[] { VT_SetStaticBackground(0); }, "VT_SetStaticBackground(): not in static items"},
        {[] { VT_EndStaticItems(); },
         "VT_EndStaticItems(): static items not started, or other error"},
        {[] { VT_StartDrawing(); }, "VT_StartDrawing(): menu not started, or other error"},
        {[] { VT_EndDrawing(); }, "VT_EndDrawing(): menu not drawing"},
        {[] { VT_SetFontColour(0); }, "VT_SetFontColour(): drawing not started"},
        {[] { VT_DrawButton(0, 0, 8, 8, 1); }, "VT_DrawButton(): drawing not started"},
        {[] { VT_DrawGraphic(0, 0, 0x44, 0); }, "VT_DrawGraphic(): drawing not started"},
        {[] { VT_DrawTextAddr(0, 0, 0x44, "x"); }, "VT_DrawTextNo(): drawing not started"},
        {[] { VT_DrawTextNo(0, 0, 0x44, 1); }, "VT_DrawTextNo(): drawing not started"},
        {[] { VT_DrawTextBoxNo(0, 0, 50, 50, 0x44, 1); }, "VT_DrawTextNo(): drawing not started"},
    };
    VT_SetBackEnd(&kRecorder);
    VT_Init(1);
    for (const FatalCase& c : outOfState)
        EXPECT_FATAL(c.call(), c.text);
}

TEST_F(VTMenuDisplayDeathTest, NumbersOutsideTheFrontEndTablesAbort)
{
    VT_StartSetOfMenus();
    VT_StartMenu();
    VT_StartDrawing();
    const FatalCase outOfRange[] = {
        {[] { VT_SetFontColour(10); }, "VT_SetFontColour(): font colour out of range"},
        {[] { VT_DrawLine(0, 0, 1, 1, -1); }, "VT_DrawLine(): line colour out of range"},
        {[] { VT_DrawGraphic(0, 0, 0x44, 45); }, "VT_DrawGraphic(): graphic number out of range"},
        {[] { VT_DrawButton(0, 0, 8, 8, 6); }, "VT_DrawButton(): unknown button type"},
        {[] { VT_DrawButton(0, 0, 8, 8, 0); }, "VT_DrawButton(): unknown button type"},
    };
    for (const FatalCase& c : outOfRange)
        EXPECT_FATAL(c.call(), c.text);
    VT_EndDrawing();
    VT_EndMenu();
    VT_EndSetOfMenus();
}
