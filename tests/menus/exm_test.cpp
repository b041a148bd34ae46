#include "menus/exm.h"

#include <algorithm>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "menus/machine.h"
#include "menus/menupc.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
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

namespace {

// A screen whose click area answers the code under test once, then leaves; marks painted
// inside an outline and elsewhere show what the redraw put back.
int32_t s_codeUnderTest;
int32_t s_walks;
void CountWalk(int32_t, int32_t, int32_t, int32_t, int32_t) { ++s_walks; }
int32_t AnswerCodeOnce(MenuHotspot*)
{
    const int32_t code = s_codeUnderTest;
    s_codeUnderTest = EXM_CODE_LEAVE;
    return code;
}
const MenuItem kCodeScreen[] = {
    {0x36, 0, 0, 0, 0, MenuCallback(CountInit), nullptr},
    {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
    {0x38, 0, 0, 0, 0, 0, nullptr},
    {0x24, -1, -1, 0, 0, MenuCallback(CountWalk), nullptr},
    {0x32, 0, 0, 0, 0, MenuNumber(0xFFFF), nullptr},
    {0x1b, 100, 300, 60, 40, 0, nullptr},
    {0x1f, 400, 100, 50, 30, MenuNumber(-1), AnswerCodeOnce},
    MenuEndItem(CountExit, nullptr),
};

}  // namespace

TEST_F(Exm, RedrawCodesPutBackWhatTheirModeSays)
{
    struct Case {
        int32_t code;
        int32_t builds;  // init calls that saw the rebuild flag
        int32_t walks;
        bool insideKept;
        bool outsideKept;
    };
    for (const Case& c :
         {Case{EXM_CODE_REDRAW, 1, 2, false, false}, Case{EXM_CODE_OVERLAY, 1, 2, true, true},
          Case{EXM_CODE_REBUILD, 2, 2, false, false},
          Case{EXM_CODE_REDRAW_ITEMS, 1, 2, false, true}, Case{7, 1, 1, true, true}}) {
        s_calls = {};
        s_walks = 0;
        s_codeUnderTest = c.code;
        uint32_t inside = 0, outside = 0;
        bool insideKept = false, outsideKept = false;
        MenuInputs inputs;
        inputs.push_back({T0, MenuInput::CALL, 0, 0, [&] {
                              FillMenuRect(120, 310, 2, 2, 0x07E0);
                              FillMenuRect(300, 400, 2, 2, 0x07E0);
                              inside = WorkPixel(120, 310);
                              outside = WorkPixel(300, 400);
                          }});
        AddClick(&inputs, T0 + 10, 410, 110);
        // Late enough for a rebuild's wipe out and in.
        inputs.push_back({T0 + 300, MenuInput::CALL, 0, 0, [&] {
                              insideKept = WorkPixel(120, 310) == inside;
                              outsideKept = WorkPixel(300, 400) == outside;
                          }});
        AddClick(&inputs, T0 + 310, 410, 110);
        ScopedMenuScript script(inputs);
        EXM_PushAndRun(kCodeScreen);
        EXPECT_EQ(s_calls.initRebuilding, c.builds) << c.code;
        EXPECT_EQ(s_calls.init, c.walks) << c.code;  // the head's callback runs on every walk
        EXPECT_EQ(s_walks, c.walks) << c.code;
        EXPECT_EQ(insideKept, c.insideKept) << c.code;
        EXPECT_EQ(outsideKept, c.outsideKept) << c.code;
        EXPECT_EQ(s_calls.exit, 1) << c.code;
    }
}

TEST_F(Exm, APressAnimationPlaysToFrameZeroBeforeItsCallback)
{
    static const uint16_t frames[] = {3, 1231, 1232, 1233, 0};
    static uint32_t s_calledAt;
    static int32_t s_frameAtCall;
    s_calledAt = 0;
    s_frameAtCall = -1;
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, 0, nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x09, 300, 200, MENU_ALIGN_TL, 0, MenuFrames(frames),
         [](MenuHotspot*) -> int32_t {
             s_calledAt = ScopedMenuScript::Elapsed();
             s_frameAtCall = EXM_Animations()[0].frame;
             return EXM_CODE_LEAVE;
         }},
        MenuEndItem(nullptr, nullptr),
    };
    MenuInputs inputs;
    inputs.push_back({T0, MenuInput::MOVE, 305, 205, {}});
    inputs.push_back({T0 + 10, MenuInput::PRESS, 0, 0, {}});
    inputs.push_back({T0 + 12, MenuInput::RELEASE, 0, 0, {}});
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(table);
    EXPECT_EQ(s_frameAtCall, 0);
    EXPECT_GE(s_calledAt, T0 + 10 + 3 * 3);  // three frames of three ticks each
    EXPECT_LT(s_calledAt, T0 + 10 + 3 * 3 + 10);
}

TEST_F(Exm, AnimationsStepByTheirTypes)
{
    static const uint16_t loop[] = {4, 1231, 1232, 1233, 0};
    static const uint16_t moving[] = {4, 500, 300, 1231, 520, 310, 1232, 0, 0, 0};
    static int32_t s_callbackFrames[3];
    std::fill(std::begin(s_callbackFrames), std::end(s_callbackFrames), 0);
    static const MenuCallbackFrames callback = {
        4, 3, [](int32_t, int32_t, int32_t, int32_t, int32_t frame) { ++s_callbackFrames[frame]; }};
    // Animations 0-5: loop, hover, two-way type 3, two-way type 4, moving, callback.
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, 0, nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x05, 20, 20, MENU_ALIGN_TL, 0, MenuFrames(loop), nullptr},
        {0x4a, 100, 20, MENU_ALIGN_TL, 0, MenuFrames(loop), nullptr},
        {0x25, 200, 20, MENU_ALIGN_TL, 0, MenuFrames(loop), LeaveOnClick},
        {0x01, 300, 20, MENU_ALIGN_TL, 0, MenuFrames(loop), LeaveOnClick},
        {0x07, 0, 0, MENU_ALIGN_TL, 0, MenuFrames(moving), nullptr},
        {0x42, 400, 20, 20, 20, MenuAddress(&callback), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    struct Sample {
        int16_t frame[6];
        int16_t state[6];
        int16_t movingX;
    };
    std::vector<Sample> samples;
    auto sample = [&] {
        Sample s{};
        for (int32_t i = 0; i < 6; ++i) {
            s.frame[i] = EXM_Animations()[i].frame;
            s.state[i] = EXM_Animations()[i].state;
        }
        s.movingX = EXM_Animations()[4].x;
        samples.push_back(s);
    };
    MenuInputs inputs;
    inputs.push_back({T0, MenuInput::MOVE, 600, 400, {}});
    for (uint32_t t = T0 + 10; t < T0 + 60; t += 2)
        inputs.push_back({t, MenuInput::CALL, 0, 0, sample});     // 0-24: the pointer away
    inputs.push_back({T0 + 60, MenuInput::MOVE, 205, 25, {}});    // onto the type-3 icon
    inputs.push_back({T0 + 100, MenuInput::CALL, 0, 0, sample});  // 25: held at its end
    inputs.push_back({T0 + 110, MenuInput::MOVE, 600, 400, {}});
    inputs.push_back({T0 + 150, MenuInput::CALL, 0, 0, sample});  // 26: back at frame 0
    AddKey(&inputs, T0 + 160, ESCAPE);
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(table);
    ASSERT_EQ(samples.size(), 27u);

    std::set<int32_t> loopFrames, movingX;
    for (size_t i = 0; i < 25; ++i) {
        loopFrames.insert(samples[i].frame[0]);
        movingX.insert(samples[i].movingX);
        EXPECT_EQ(samples[i].frame[1], 0) << i;  // hover: not under the pointer
        EXPECT_EQ(samples[i].frame[2], 0) << i;  // two-way: idle until entered
        EXPECT_EQ(samples[i].frame[3], 0) << i;
    }
    EXPECT_EQ(loopFrames, (std::set<int32_t>{0, 1, 2}));
    EXPECT_EQ(movingX, (std::set<int32_t>{500, 520}));
    for (int32_t frame = 0; frame < 3; ++frame)
        EXPECT_GT(s_callbackFrames[frame], 0) << frame;
    EXPECT_EQ(samples[25].frame[2], 2);
    EXPECT_EQ(samples[25].state[2], 1);  // held on the last frame
    EXPECT_EQ(samples[25].frame[3], 0);  // the other two-way icon was not entered
    EXPECT_EQ(samples[26].frame[2], 0);
    EXPECT_EQ(samples[26].state[2], 0);
}

TEST_F(Exm, DraggingAVerticalScrollBarWritesTheNewPosition)
{
    static MenuScrollData list = {40, 10, 0};
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, 0, nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x41, 560, 50, 20, 200, MenuVariable(&list), LeaveOnClick},
        {0x1f, 0, 470, 10, 10, MenuNumber(-1), LeaveOnClick},
        MenuEndItem(nullptr, nullptr),
    };
    list.position = 0;
    MenuInputs inputs;
    inputs.push_back({T0, MenuInput::MOVE, 570, 60, {}});  // on the thumb (50 pixels)
    inputs.push_back({T0 + 10, MenuInput::PRESS, 0, 0, {}});
    inputs.push_back({T0 + 20, MenuInput::MOVE, 570, 160, {}});  // 100 pixels: 20 rows down
    inputs.push_back({T0 + 30, MenuInput::RELEASE, 0, 0, {}});
    AddClick(&inputs, T0 + 40, 5, 475);
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(table);
    EXPECT_EQ(list.position, 20);
}

namespace {

struct FrontEndCalls {
    std::vector<std::intptr_t> bars;
    int32_t popupNumber;
    std::intptr_t popup;
    int32_t afterPresent;
    int32_t textOff;
    int32_t textPasses;
};
FrontEndCalls s_frontEnd;
int32_t s_barCode;
int32_t s_textActive;

const ExmFrontEnd kRecordingFrontEnd = {
    [](std::intptr_t description) { s_frontEnd.bars.push_back(description); },
    [] { return s_barCode; },
    [] { return 0; },
    [](MenuHotspot* hotspot, int32_t number) {
        s_frontEnd.popup = hotspot->popup;
        s_frontEnd.popupNumber = number;
    },
    [] { return 0; },
    [] {},
    [] { return s_textActive; },
    [](int32_t flag) {
        if (flag == 0) ++s_frontEnd.textOff;
    },
    [] { return ++s_frontEnd.textPasses < 5 ? 1 : 0; },
    [](int32_t code) {
        s_textActive = 0;
        return code == 0 ? static_cast<int32_t>(EXM_CODE_LEAVE) : code;
    },
};

class ExmFrontEndSeam : public Exm {
protected:
    ExmFrontEndSeam()
    {
        s_frontEnd = {};
        s_barCode = 0;
        s_textActive = 0;
        EXM_SetFrontEnd(&kRecordingFrontEnd);
    }
    ~ExmFrontEndSeam() override { EXM_SetFrontEnd(nullptr); }
};

const int32_t kBarDescription = 1;
const int32_t kPopupDescription = 2;

}  // namespace

TEST_F(ExmFrontEndSeam, AHotspotWithAPopupOpensItInsteadOfItsCallback)
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0,
         MenuCallback(+[] { EXM_SetAfterPresent([] { ++s_frontEnd.afterPresent; }); }), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x2008, 0, 0, 0, 0, MenuAddress(&kBarDescription), nullptr},
        {0x1f, 100, 100, 50, 30, MenuNumber(-1), CountClick},
        {0x2009, 0, 0, 0, 0, MenuAddress(&kPopupDescription), nullptr},
        {0x1f, 0, 470, 10, 10, MenuNumber(-1), LeaveOnClick},
        MenuEndItem(nullptr, nullptr),
    };
    MenuInputs inputs;
    AddClick(&inputs, T0, 110, 110);
    AddClick(&inputs, T0 + 30, 5, 475);
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(table);
    EXPECT_EQ(s_calls.click, 0);
    EXPECT_EQ(s_frontEnd.popupNumber, 1);
    EXPECT_EQ(s_frontEnd.popup, MenuAddress(&kPopupDescription));
    EXPECT_EQ(s_frontEnd.bars, std::vector<std::intptr_t>{MenuAddress(&kBarDescription)});
    EXPECT_EQ(s_frontEnd.afterPresent, 1);
    EXPECT_EQ(s_frontEnd.textOff, 1);  // the push turned text input off
}

TEST_F(ExmFrontEndSeam, TheBarStepGivesTheLoopItsCode)
{
    s_barCode = EXM_CODE_LEAVE;
    MenuInputs inputs;
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(kButtonScreen);
    EXPECT_EQ(s_calls.exit, 1);
    EXPECT_LT(ScopedMenuScript::Elapsed(), T0 + 10u);
}

TEST_F(ExmFrontEndSeam, AnActiveTextFieldTakesThePassesUntilItEnds)
{
    MenuInputs inputs;
    inputs.push_back({T0, MenuInput::CALL, 0, 0, [] { s_textActive = 1; }});
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(kButtonScreen);
    EXPECT_EQ(s_frontEnd.textPasses, 5);  // four passes went on, the fifth ended the field
    EXPECT_EQ(s_calls.exit, 1);
}
