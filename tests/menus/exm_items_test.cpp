#include <cstring>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

constexpr uint32_t T0 = 300;  // after the first build's wipe onto the screen
constexpr intptr_t NO_VALUE = static_cast<int32_t>(0x80000000u);

int32_t Leave(MenuHotspot*) { return EXM_CODE_LEAVE; }
int32_t Stay(MenuHotspot*) { return EXM_CODE_NONE; }

// One row of the list that the included sub-tables read; the second row holds every sentinel.
struct Row {
    int8_t delta;
    uint8_t flag;
    int16_t score;
    uint16_t wide;
    int32_t big;
    const char* name;
};
Row s_rows[5] = {
    {-3, 4, 7, 9, 11, "Lyon"},
    {INT8_MIN, 0xFF, INT16_MIN, 0xFFFF, static_cast<int32_t>(0x80000000u), "Nantes"},
    {1, 2, 3, 4, 5, "Metz"},
    {1, 2, 3, 4, 5, "Brest"},
    {1, 2, 3, 4, 5, "Caen"},
};

const uint16_t kLoop[] = {4, 1231, 1232, 0};
const uint16_t kTwoWay[] = {2, 1205, 1206, 1207, 0};
const uint16_t kMoving[] = {3, 500, 400, 1231, 510, 400, 1232, 0, 0, 0};
const uint16_t* s_loopVar = kLoop;
const uint16_t* s_movingVar = kMoving;
const uint16_t* s_twoWayVar = kTwoWay;
int16_t s_icon = 1233;
int16_t s_background = 0;
int16_t s_font = 1;
int16_t s_attribute = 0;
int16_t s_message = 249;
int16_t s_rect[4] = {400, 200, 30, 10};
int16_t s_label = 248;
const char* s_name = "Rennes";
const char* s_boxText = "a a";
int32_t s_value32 = 77;
MenuScrollData s_emptyList = {0, 4, 0};
int32_t s_specialRows;
int32_t s_specialAlways;
int32_t s_callbackFrames;

void Special(int32_t, int32_t, int32_t, int32_t, int32_t) { ++s_specialRows; }
void SpecialAlways(int32_t, int32_t, int32_t, int32_t, int32_t) { ++s_specialAlways; }
void DrawFrame(int32_t, int32_t, int32_t, int32_t, int32_t) { ++s_callbackFrames; }
const MenuCallbackFrames kCallbackFrames = {5, 3, DrawFrame};

// Included twice per row of the list: a horizontal sub-table reached through a variable.
const MenuItem kInner[] = {
    {0x13, 0, 0, 5, 0, MenuNumber(10), Stay},
    MenuEndItem(nullptr, nullptr),
};
const MenuItem* s_inner = kInner;

// One row of the list: every number kind with its stride, and the nested include.
const MenuItem kListRow[] = {
    {0x13, 0, 0, 5, 0, MenuNumber(1), Stay},
    {0x14, 30, 0, 5, sizeof(Row), MenuVariable(&s_rows[0].delta), Stay},
    {0x15, 60, 0, 5, sizeof(Row), MenuVariable(&s_rows[0].flag), Stay},
    {0x16, 90, 0, 5, sizeof(Row), MenuVariable(&s_rows[0].score), Stay},
    {0x17, 120, 0, 5, sizeof(Row), MenuVariable(&s_rows[0].wide), Stay},
    {0x18, 150, 0, 5, sizeof(Row), MenuVariable(&s_rows[0].big), Stay},
    {0x12, 180, 0, 5, sizeof(Row), MenuVariable(&s_rows[0].name), Stay},
    {0x3e, 260, 0, 2, 40, MenuVariable(&s_inner), nullptr},
    MenuEndItem(nullptr, nullptr),
};
const MenuItem kEmpty[] = {
    {0x13, 0, 0, 5, 0, MenuNumber(1), Stay},
    MenuEndItem(nullptr, nullptr),
};

// Every legal kind but the column text boxes, the list included with the row count.
const MenuItem kEveryKind[] = {
    {0x36, 0, 0, 0, 0, 0, nullptr},
    {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
    {0x0c, 0, 0, 0, 0, MenuVariable(&s_background), nullptr},
    {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
    {0x0e, 0, 0, 0, 0, MenuVariable(&s_font), nullptr},
    {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
    {0x31, 0, 0, 0, 0, MenuVariable(&s_attribute), nullptr},
    {0x32, 0, 0, 0, 0, MenuNumber(0xFFFF), nullptr},
    {0x33, 0, 0, 0, 0, MenuVariable(&s_attribute), nullptr},
    {0x34, 0, 0, 0, 0, MenuNumber(0), nullptr},
    {0x35, 0, 0, 0, 0, MenuVariable(&s_attribute), nullptr},
    {0x39, 0, 0, 0, 0, MenuNumber(3), nullptr},
    {0x3a, 0, 0, 0, 0, MenuVariable(&s_attribute), nullptr},
    {0x4c, 0, 0, 0, 0, MenuNumber(1), nullptr},
    {0x4d, 0, 0, 0, 0, MenuVariable(&s_attribute), nullptr},
    {0x4e, 0, 0, 0, 0, MenuNumber(1), nullptr},
    {0x4f, 0, 0, 0, 0, MenuVariable(&s_attribute), nullptr},
    {0x50, 0, 0, 0, 0, MenuNumber(1), nullptr},
    {0x51, 0, 0, 0, 0, MenuVariable(&s_attribute), nullptr},
    {0x52, 0, 0, 0, 0, MenuNumber(1), nullptr},
    {0x53, 0, 0, 0, 0, MenuVariable(&s_attribute), nullptr},
    {0x54, 0, 0, 0, 0, MenuNumber(1), nullptr},
    {0x55, 0, 0, 0, 0, MenuVariable(&s_attribute), nullptr},
    {0x56, 0, 0, 0, 0, MenuNumber(1), nullptr},
    {0x57, 0, 0, 0, 0, MenuVariable(&s_attribute), nullptr},
    {0x1b, 10, 60, 620, 400, 0, nullptr},  // the static head's frame
    {0x0f, 320, 20, MENU_ALIGN_CENTRE, 0, MenuTextNo(249), nullptr},
    {0x38, 0, 0, 0, 0, 0, nullptr},
    // Icons and the six animation types.
    {0x03, 20, 80, MENU_ALIGN_TL, 0, MenuNumber(1231), Stay},
    {0x04, 60, 80, MENU_ALIGN_TL, 0, MenuVariable(&s_icon), Stay},
    {0x01, 100, 80, MENU_ALIGN_TL, 0, MenuFrames(kTwoWay), Stay},
    {0x02, 140, 80, MENU_ALIGN_TL, 0, MenuVariable(&s_twoWayVar), Stay},
    {0x05, 180, 80, MENU_ALIGN_TL, 0, MenuFrames(kLoop), Stay},
    {0x06, 220, 80, MENU_ALIGN_TL, 0, MenuVariable(&s_loopVar), Stay},
    {0x07, 0, 0, MENU_ALIGN_TL, 0, MenuFrames(kMoving), nullptr},
    {0x08, 0, 0, MENU_ALIGN_TL, 0, MenuVariable(&s_movingVar), nullptr},
    {0x09, 260, 80, MENU_ALIGN_TL, 0, MenuFrames(kLoop), Stay},
    {0x0a, 300, 80, MENU_ALIGN_TL, 0, MenuVariable(&s_loopVar), Stay},
    {0x25, 340, 80, MENU_ALIGN_TL, 0, MenuFrames(kTwoWay), Stay},
    {0x26, 380, 80, MENU_ALIGN_TL, 0, MenuVariable(&s_twoWayVar), Stay},
    {0x4a, 420, 80, MENU_ALIGN_TL, 0, MenuFrames(kLoop), Stay},
    {0x4b, 460, 80, MENU_ALIGN_TL, 0, MenuVariable(&s_loopVar), Stay},
    {0x42, 540, 80, 20, 20, MenuAddress(&kCallbackFrames), nullptr},
    // Texts, lines, boxes and bars.
    {0x10, 20, 120, MENU_ALIGN_TL, 0, MenuVariable(&s_message), Stay},
    {0x11, 200, 120, MENU_ALIGN_TL, 0, MenuString("Auxerre"), Stay},
    {0x19, 20, 140, 100, 0, 0, nullptr},
    {0x1a, 0, 0, 0, 0, MenuVariable(s_rect), nullptr},
    {0x1c, 0, 0, 0, 0, MenuVariable(s_rect), nullptr},
    {0x1d, 20, 150, 100, 2, 0, Stay},
    {0x1e, 0, 0, 0, 0, MenuVariable(s_rect), Stay},
    {0x1f, 150, 150, 40, 20, MenuTextNo(249), Stay},
    {0x20, 0, 0, MENU_ALIGN_TL, 0, MenuVariable(s_rect), Stay},
    // The list: five rows from the row count, one nested include per row.
    {0x46, 0, 0, 0, 0, MenuNumber(0), nullptr},
    {0x21, 20, 200, 0, 20, MenuAddress(kListRow), nullptr},
    {0x22, 20, 320, 0, 20, MenuVariable(&s_inner), nullptr},
    {0x3d, 400, 320, 1, 40, MenuAddress(kEmpty), nullptr},
    // Specials, controls and text boxes.
    {0x24, 600, 300, 10, 10, MenuCallback(Special), Stay},
    {0x24, -1, -1, 0, 0, MenuCallback(SpecialAlways), nullptr},
    {0x3f, 560, 300, 10, 10, 0, Stay},
    {0x40, 400, 420, 100, 12, MenuVariable(&s_emptyList), Stay},
    {0x41, 610, 100, 12, 100, MenuVariable(&s_emptyList), Stay},
    {0x43, 520, 300, 10, 10, MenuVariable(&s_value32), Stay},
    {0x44, 500, 300, 0, 0, MenuVariable(&s_value32), Stay},
    {0x49, 0, 0, 0, 0, MenuNumber(0), nullptr},
    // A text box is as wide as its alignment code.
    {0x47, 20, 380, MENU_ALIGN_CENTRE, 40, MenuString("a"), nullptr},
    {0x48, 200, 380, MENU_ALIGN_CENTRE, 40, MenuVariable(&s_boxText), nullptr},
    // Popups, links and buttons.
    {0x2008, 0, 0, 0, 0, 0, nullptr},
    {0x200c, 20, 440, 0, 0, MenuTextNo(249), Stay},
    {0x2009, 0, 0, 0, 0, 0, nullptr},
    {0x200a, 1, 2, 3, 4, 0, nullptr},
    {0x200d, 100, 440, 60, 20, MenuString("OK"), nullptr},
    {0x200e, 180, 440, 60, 20, MenuVariable(&s_name), nullptr},
    {0x200f, 260, 440, 60, 20, MenuVariable(&s_label), Stay},
    {0x1f, 0, 470, 10, 10, MenuNumber(-1), Leave},
    MenuEndItem(nullptr, nullptr),
};

class ExmItems : public testing::Test {
protected:
    ExmItems()
    {
        s_specialRows = s_specialAlways = s_callbackFrames = 0;
        s_attribute = 0;
        EXM_SetRowCount(5);
    }
    ScopedMenuDisplay m_display{true};
};
using ExmItemsDeathTest = ExmItems;

std::vector<uint32_t> RectPixels(int32_t x, int32_t y, int32_t w, int32_t h)
{
    std::vector<uint32_t> pixels;
    for (int32_t row = y; row < y + h; ++row) {
        for (int32_t col = x; col < x + w; ++col)
            pixels.push_back(WorkPixel(col, row));
    }
    return pixels;
}

const MenuHotspot* FindHotspot(const std::vector<MenuHotspot>& spots, int32_t x, int32_t y)
{
    for (const MenuHotspot& h : spots) {
        if (h.x == x && h.y == y) return &h;
    }
    return nullptr;
}

// Runs a table, calls `settled` once its build is on the screen and leaves it by the hotspot in
// the bottom-left corner.
void RunSettled(const MenuItem* table, const std::function<void()>& settled)
{
    MenuInputs inputs;
    inputs.push_back({T0, MenuInput::CALL, 0, 0, settled});
    AddClick(&inputs, T0 + 10, 5, 475);
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(table);
}

}  // namespace

TEST_F(ExmItems, EveryKindBuildsTheExpectedFrameAndHotspots)
{
    std::vector<MenuHotspot> spots;
    uint32_t hash = 0;
    bool iconsDrawn = false;
    std::vector<uint32_t> rowFour, five;
    int32_t fiveWidth = 0, height = 0;
    RunSettled(kEveryKind, [&] {
        spots.assign(EXM_Hotspots(), EXM_Hotspots() + EXM_HotspotCount());
        hash = WorkScreenHash();
        iconsDrawn = IconDrawnAt(1231, 20, 80) && IconDrawnAt(1233, 60, 80);
        GetTextExtent("5", &fiveWidth, &height);
        rowFour = RectPixels(20, 200 + 4 * 20, fiveWidth, height);
        DrawAlignedBar(20, 200 + 4 * 20, fiveWidth, height, MENU_ALIGN_TL);
        DrawMenuNumber(20, 200 + 4 * 20, 5, MENU_ALIGN_TL);
        five = RectPixels(20, 200 + 4 * 20, fiveWidth, height);
    });
    EXPECT_TRUE(iconsDrawn);
    EXPECT_EQ(rowFour, five);  // the literal 1 in row 4 shows 5
    ExpectGoldenHash("menus/every_kind", hash);

    // 26 clickable top-level items and the leaving area, 5 list rows of 7 items and 2 nested
    // numbers, 5 rows of the include through a variable and 1 of the horizontal one.
    ASSERT_EQ(spots.size(), 27u + 5u * 9u + 5u + 1u);
    const MenuHotspot* icon = FindHotspot(spots, 20, 80);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->style, 1);
    EXPECT_EQ(icon->value, 1231);
    EXPECT_EQ(icon->group, 0xFF);
    const MenuHotspot* area = FindHotspot(spots, 150, 150);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->style, 2);
    EXPECT_EQ(area->value, 249);
    EXPECT_EQ(area->width, 40);

    // The list: row r of the outer include is in group r (each nested include counts once per
    // row before it); the sentinel row registers zero-size hotspots without a value.
    for (int32_t r = 0; r < 5; ++r) {
        const MenuHotspot* score = FindHotspot(spots, 20 + 90, 200 + 20 * r);
        ASSERT_NE(score, nullptr) << r;
        EXPECT_EQ(score->group, r);
        EXPECT_EQ(score->row, r);
        EXPECT_EQ(score->index, 3);
        EXPECT_EQ(score->value, r == 1 ? NO_VALUE : s_rows[r].score);
        EXPECT_EQ(score->width == 0, r == 1);
        const MenuHotspot* nested = FindHotspot(spots, 20 + 260 + 40, 200 + 20 * r);
        ASSERT_NE(nested, nullptr) << r;
        EXPECT_EQ(nested->row, 1);
        EXPECT_EQ(nested->value, 10);
    }
    const MenuHotspot* direct = FindHotspot(spots, 20, 320 + 20 * 4);
    ASSERT_NE(direct, nullptr);
    EXPECT_EQ(direct->group, 6);  // after the five nested includes and the list's own

    // A button of width 0 is as wide as its label and 4 more.
    const MenuHotspot* button = FindHotspot(spots, 20, 440);
    ASSERT_NE(button, nullptr);
    SetMenuFont(1);
    int32_t labelW = 0, labelH = 0;
    GetTextExtent(GetMessageText(249), &labelW, &labelH);
    EXPECT_EQ(button->width, labelW + 4);
    EXPECT_EQ(button->links[0], 1);
    EXPECT_EQ(button->links[3], 4);
    const MenuHotspot* value32 = FindHotspot(spots, 500, 300);
    ASSERT_NE(value32, nullptr);
    EXPECT_EQ(value32->value, 77);
    EXPECT_EQ(s_specialRows, 1);
    EXPECT_GE(s_specialAlways, 1);
    EXPECT_EQ(EXM_Depth(), -1);
}

TEST_F(ExmItems, RedrawBeforeTheMarkerDrawsNothingButRegistersItsHotspots)
{
    static int32_t s_clicks;
    s_clicks = 0;
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, 0, nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x03, 100, 100, MENU_ALIGN_TL, 0, MenuNumber(1231),
         [](MenuHotspot*) -> int32_t {
             return ++s_clicks == 1 ? EXM_CODE_REDRAW_ITEMS : EXM_CODE_NONE;
         }},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x1f, 0, 470, 10, 10, MenuNumber(-1), Leave},
        MenuEndItem(nullptr, nullptr),
    };
    int32_t hotspots = 0;
    int32_t w = 0, h = 0;
    uint32_t mark = 0;
    bool markKept = false;
    MenuInputs inputs;
    inputs.push_back({T0, MenuInput::CALL, 0, 0, [&] {
                          GetIconSize(1231, &w, &h);
                          FillMenuRect(100 + w / 2, 100 + h / 2, 2, 2, 0x07E0);
                          mark = WorkPixel(100 + w / 2, 100 + h / 2);
                      }});
    AddClick(&inputs, T0 + 10, 101, 101);
    inputs.push_back({T0 + 30, MenuInput::MOVE, 500, 300, {}});
    inputs.push_back({T0 + 40, MenuInput::CALL, 0, 0, [&] {
                          hotspots = EXM_HotspotCount();
                          markKept = WorkPixel(100 + w / 2, 100 + h / 2) == mark;
                      }});
    AddClick(&inputs, T0 + 50, 5, 475);
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(table);
    EXPECT_EQ(s_clicks, 1);
    EXPECT_EQ(hotspots, 2);
    EXPECT_TRUE(markKept);  // the static icon was not drawn over the mark
}

// What stands past the marker is drawn from the attributes the build had there, whatever the
// items after it (a button sets its own style and colour) left at the end of the walk before.
TEST_F(ExmItems, ARedrawDrawsPastTheMarkerWithTheAttributesTheBuildHadThere)
{
    static std::vector<MenuAttributes> s_seen;
    s_seen.clear();
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, 0, nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x31, 0, 0, 0, 0, MenuVariable(&s_attribute), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(+[](int32_t, int32_t, int32_t, int32_t, int32_t) {
             s_seen.push_back(MenuAttr);
         }),
         nullptr},
        {0x30, 0, 0, 0, 0, MenuNumber(3), nullptr},
        {0x200c, 100, 100, 80, 30, MenuTextNo(248),
         [](MenuHotspot*) -> int32_t { return EXM_CODE_REDRAW; }},
        {0x1f, 0, 470, 10, 10, MenuNumber(-1), Leave},
        MenuEndItem(nullptr, nullptr),
    };
    s_attribute = 4;
    MenuInputs inputs;
    AddClick(&inputs, T0, 140, 115);
    AddClick(&inputs, T0 + 30, 5, 475);
    ScopedMenuScript script(inputs);
    EXM_PushAndRun(table);
    ASSERT_EQ(s_seen.size(), 2u);
    const MenuAttributes& built = s_seen[0];
    const MenuAttributes& redrawn = s_seen[1];
    EXPECT_EQ(redrawn.font, built.font);
    EXPECT_EQ(redrawn.fontColour, 4);
    EXPECT_EQ(redrawn.drawColour, built.drawColour);
    EXPECT_EQ(redrawn.buttonStyle, built.buttonStyle);
    EXPECT_NE(redrawn.buttonStyle, 1);  // the button's, left by the walk before
}

TEST_F(ExmItems, AnIncludeWithNoRowsStillCountsAsAnInclude)
{
    EXM_SetRowCount(0);
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, 0, nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x21, 0, 0, 0, 20, MenuAddress(kEmpty), nullptr},
        {0x21, 300, 300, 1, 20, MenuAddress(kEmpty), nullptr},
        {0x1f, 0, 470, 10, 10, MenuNumber(-1), Leave},
        MenuEndItem(nullptr, nullptr),
    };
    std::vector<MenuHotspot> spots;
    RunSettled(table, [&] { spots.assign(EXM_Hotspots(), EXM_Hotspots() + EXM_HotspotCount()); });
    ASSERT_EQ(spots.size(), 2u);
    EXPECT_EQ(spots[0].x, 300);
    EXPECT_EQ(spots[0].group, 1);
}

TEST_F(ExmItemsDeathTest, TableFaultsFoundOnlyWhileDrawingAreFatal)
{
    static const MenuItem positioned[] = {
        {0x36, 0, 0, 0, 0, 0, nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 10, 10, 5, 5, 0, nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    EXPECT_FATAL(EXM_PushAndRun(positioned), "ShowAnItem(): invalid M_SPECIAL\n");
    // A redraw that meets more animation items than the build registered.
    static const MenuItem animated[] = {
        {0x05, 0, 0, MENU_ALIGN_TL, 0, MenuFrames(kLoop), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem growing[] = {
        {0x36, 0, 0, 0, 0, 0, nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x21, 100, 100, 0, 30, MenuAddress(animated), nullptr},
        {0x1f, 0, 0, 640, 480, MenuNumber(-1),
         [](MenuHotspot*) -> int32_t {
             EXM_SetRowCount(2);
             return EXM_CODE_REDRAW;
         }},
        MenuEndItem(nullptr, nullptr),
    };
    EXM_SetRowCount(1);
    MenuInputs inputs;
    AddClick(&inputs, T0, 300, 300);
    EXPECT_FATAL(
        {
            ScopedMenuScript script(inputs);
            EXM_PushAndRun(growing);
        },
        "Error, AnimNum is greater than NumAnimates @ ActOnType()");
}
