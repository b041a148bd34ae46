// The 2D match view on the headless host: its pointer rules, its pop-up, the followed players'
// maps and the frame it draws for a scripted scene.
#include "matchscreens/view2d.h"

#include <cstring>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "engine/timer.h"
#include "game/matchblocks.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/textview.h"
#include "menus/machine.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/gamecode/harness/view2d_scene.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "viewservices/popup.h"
#include "viewservices/timedevents.h"
#include "vx256/objects.h"

namespace {

struct Point {
    int32_t x, y;
};

Point Projected(int32_t object)
{
    const RenderObject& o = RenderList[object];
    Point p{};
    View2D_Project(o.x, o.y, o.height, &p.x, &p.y);
    return p;
}

Point Dot(int32_t side, int32_t slot)
{
    Point p{};
    View2D_PanelDot(side, slot, &p.x, &p.y);
    return p;
}

bool Painted(int32_t x, int32_t y)
{
    const size_t at = (static_cast<size_t>(y) * MenuScreen.width + x) * MenuScreen.bytesPerPixel;
    return std::memcmp(MenuScreen.backBuffer + at, MenuScreen.workScreen + at,
                       MenuScreen.bytesPerPixel)
           != 0;
}

// One frame's pointer and what the view holds after it.
struct InputRow {
    const char* what;
    std::function<Point()> at;
    bool down;
    int16_t speed;
    int16_t followed0;
    int16_t followed1;
    int16_t hovered;
    uint16_t menuRequest;
};

Point Fixed(int32_t x, int32_t y) { return {x, y}; }

TEST(View2D, PointerRulesForButtonsHoverAndFollowing)
{
    ScopedView2D view;
    constexpr int16_t N = VIEW2D_NONE;
    // A person posed just left of the screen, level with the pointer at the screen's edge.
    float x = PITCH_LEFT_TOUCHLINE_X;
    for (View2DScene_Pose(7, x, PITCH_CENTRE_Y); Projected(7).x >= 0; x -= 1.0f)
        View2DScene_Pose(7, x, PITCH_CENTRE_Y);
    const Point outside = Projected(7);
    ASSERT_LT(outside.x, 0);
    ASSERT_GT(outside.x, -20);
    const auto near = [](int32_t object, int32_t dx, int32_t dy) {
        return [=] { return Point{Projected(object).x + dx, Projected(object).y + dy}; };
    };
    const auto faster = [] { return Fixed(10, 450); };
    const auto slower = [] { return Fixed(10, 470); };
    const auto label = [] { return Fixed(450, 460); };
    const auto tactics = [] { return Fixed(560, 460); };
    const InputRow rows[] = {
        {"faster", faster, true, 3, N, N, N, 0},
        {"held", faster, true, 3, N, N, N, 0},
        {"released", faster, false, 3, N, N, N, 0},
        {"faster", faster, true, 4, N, N, N, 0},
        {"released", faster, false, 4, N, N, N, 0},
        {"faster at the top", faster, true, 4, N, N, N, 0},
        {"released", faster, false, 4, N, N, N, 0},
        {"slower", slower, true, 3, N, N, N, 0},
        {"released", slower, false, 3, N, N, N, 0},
        {"the label", label, true, 3, N, N, N, 0},
        {"released", label, false, 3, N, N, N, 0},
        {"Tactique", tactics, true, 3, N, N, N, 1},
        {"released", tactics, false, 3, N, N, N, 1},
        {"near a player", near(19, 10, 12), false, 3, N, N, 19, 1},
        {"too far from him", near(19, 0, 25), false, 3, N, N, N, 1},
        {"off the screen", [=] { return Fixed(0, outside.y); }, false, 3, N, N, N, 1},
        {"side 0's dot",
         [] {
             return Point{Dot(0, 3).x + 8, Dot(0, 3).y + 8};
         },
         false, 3, N, N, 3, 1},
        {"too far from it",
         [] {
             return Point{Dot(0, 3).x + 9, Dot(0, 3).y + 9};
         },
         false, 3, N, N, N, 1},
        {"side 1's dot", [] { return Dot(1, 9); }, false, 3, N, N, 25, 1},
        {"follow", near(19, 0, 0), true, 3, 19, N, 19, 1},
        {"held", near(19, 0, 0), true, 3, 19, N, 19, 1},
        {"released", near(19, 0, 0), false, 3, 19, N, 19, 1},
        {"follow a dot", [] { return Dot(0, 3); }, true, 3, 19, 3, 3, 1},
        {"released", [] { return Dot(0, 3); }, false, 3, 19, 3, 3, 1},
        {"unfollow", near(19, 0, 0), true, 3, N, 3, 19, 1},
        {"released", near(19, 0, 0), false, 3, N, 3, 19, 1},
        {"fills the empty slot", near(20, 0, 0), true, 3, 20, 3, 20, 1},
        {"released", near(20, 0, 0), false, 3, 20, 3, 20, 1},
        {"a third replaces the first", near(5, 0, 0), true, 3, 5, 3, 5, 1},
        {"released", near(5, 0, 0), false, 3, 5, 3, 5, 1},
        {"a fourth the second", near(6, 0, 0), true, 3, 5, 6, 6, 1},
        {"released", near(6, 0, 0), false, 3, 5, 6, 6, 1},
        {"a fifth the first again", near(8, 0, 0), true, 3, 8, 6, 8, 1},
    };
    Speed2DIndex = 2;
    for (const InputRow& row : rows) {
        const Point p = row.at();
        View2D_Input(p.x, p.y, row.down);
        EXPECT_EQ(Speed2DIndex, row.speed) << row.what;
        EXPECT_EQ(FollowedPlayers[0], row.followed0) << row.what;
        EXPECT_EQ(FollowedPlayers[1], row.followed1) << row.what;
        EXPECT_EQ(View2D.hovered, row.hovered) << row.what;
        EXPECT_EQ(MatchShared.menuRequest, row.menuRequest) << row.what;
    }
    for (int32_t press = 0; press < 6; ++press) {
        View2D_Input(10, 470, true);
        View2D_Input(10, 470, false);
    }
    EXPECT_EQ(Speed2DIndex, 0);
}

// The panels' dots from the 4-4-2's rows and columns, the keeper's at the middle of his end; a
// change of ends mirrors both panels.
TEST(View2D, PanelDotsFollowTheFormationAndTheEnds)
{
    ScopedView2D view;
    const struct {
        uint8_t ends;
        int32_t side, slot;
        Point dot;
    } rows[] = {
        {0, 0, 0, {12 + 0, 40 + 42}},                         // keeper
        {0, 0, 9, {12 + 14 * 7 + 3, 40 + (14 - 5) * 6 + 3}},  // row 5, column 14
        {0, 1, 0, {496 + 123, 40 + 42}},
        {0, 1, 9, {496 + 123 - 14 * 7, 40 + 9 * 6 + 3}},
        {1, 0, 0, {12 + 123, 40 + 42}},
        {1, 0, 9, {12 + 123 - 14 * 7, 40 + 9 * 6 + 3}},
        {1, 1, 0, {496 + 0, 40 + 42}},
        {1, 1, 1, {496 + 4 * 7 + 3, 40 + (14 - 2) * 6 + 3}},  // row 2, column 4
    };
    for (const auto& row : rows) {
        Match.secondOfPair = row.ends;
        const Point dot = Dot(row.side, row.slot);
        EXPECT_EQ(dot.x, row.dot.x) << int{row.ends} << " " << row.side << " " << row.slot;
        EXPECT_EQ(dot.y, row.dot.y) << int{row.ends} << " " << row.side << " " << row.slot;
    }
}

// After a substitution the dot of a line-up slot shows the player who came on: the pop-up and
// the follow name him, not the player who went off.
TEST(View2D, ADotNamesThePlayerInItsLineUpSlotAfterASubstitution)
{
    ScopedView2D view;
    Football_Substitute(0, 13, 4);
    const int32_t on = LineUp[0][4];
    ASSERT_EQ(on, 13);
    const Point dot = Dot(0, 4);
    View2D_Input(dot.x, dot.y, true);
    EXPECT_EQ(View2D.hovered, 13);
    EXPECT_EQ(FollowedPlayers[0], 13);
    EXPECT_STREQ(PopUpList.lines[0].text, MatchPersons[13].name);
}

TEST(View2D, ThePopUpListsEightLinesInABoxThatFitsThemAndStaysOnTheScreen)
{
    ScopedView2D view;
    PopUp_Clear();
    PopUp_CreatePlayerInfo(19);
    ASSERT_EQ(PopUpList.count, 8);
    EXPECT_STREQ(PopUpList.lines[0].text, "J. Joueur19");
    EXPECT_EQ(PopUpList.lines[0].style, 1);
    EXPECT_EQ(
        std::string(PopUpList.lines[1].text).rfind(GetMessageText(899) + std::string(": "), 0), 0u);
    int32_t widest = 0, height = 0;
    for (int32_t i = 0; i < PopUpList.count; ++i) {
        int32_t w = 0, h = 0;
        SetMenuFont(PopUpList.lines[i].style);
        MeasureMenuText(PopUpList.lines[i].text, &w, &h);
        widest = std::max(widest, w);
        height += h;
    }
    EXPECT_EQ(PopUpList.width, widest);
    EXPECT_EQ(PopUpList.height, height);
    // Down and right of the pointer, else moved in from the edge it would cross.
    const int32_t w = PopUpList.width + 8, h = PopUpList.height + 8;
    const struct {
        Point pointer, corner;
    } corners[] = {{{0, 0}, {12, 12}},
                   {{639, 0}, {640 - w, 12}},
                   {{0, 479}, {12, 480 - h}},
                   {{639, 479}, {640 - w, 480 - h}}};
    for (const auto& c : corners) {
        Point at{};
        PopUp_Place(c.pointer.x, c.pointer.y, &at.x, &at.y);
        EXPECT_EQ(at.x, c.corner.x) << c.pointer.x << "," << c.pointer.y;
        EXPECT_EQ(at.y, c.corner.y) << c.pointer.x << "," << c.pointer.y;
    }
    View2D_Input(639, 479, false);
    View2D.hovered = 19;
    View2D_DrawScreen();
    EXPECT_TRUE(Painted(639 - 2, 479 - 2));  // the box's edge line in the corner
}

TEST(View2DDeathTest, ThePopUpsListAndBoxLimitsAreFatal)
{
    EXPECT_FATAL(
        {
            PopUp_Clear();
            for (int32_t i = 0; i <= POPUP_MAX_LINES; ++i)
                PopUp_AddLine(0, "%d", i);
        },
        "Error: PopUplist to small");
    EXPECT_FATAL(
        {
            ScopedView2D view;
            PopUp_Clear();
            PopUp_AddLine(1, "%s", "");
            PopUp_Measure();
        },
        "ERROR: PopUp_CreatePlayerInfo() bad box size");
}

// One cell of a followed player's grid: in period 1 it is painted where the grid says, in period
// 0 at the cell mirrored in both directions.
TEST(View2D, AFollowedPlayersMapIsPaintedByItsGridAndMirroredInTheFirstHalf)
{
    ScopedView2D view;
    const int32_t across = 0, along = 3;  // the first row, along the touchline
    GetMatchDataBlock()->heatMaps[19][across][along] = 5;
    FollowedPlayers[1] = 19;
    const auto cellCentre = [](int32_t a, int32_t b) {
        Point p{};
        View2D_Project(PITCH_LEFT_TOUCHLINE_X + (a + 0.5f) * PITCH_WIDTH / TACTIC_GRID_ROWS,
                       PITCH_NEAR_GOAL_LINE_Y + (b + 0.5f) * PITCH_LENGTH / TACTIC_GRID_COLUMNS,
                       0.0f, &p.x, &p.y);
        return p;
    };
    const Point cell = cellCentre(across, along);
    const Point mirrored =
        cellCentre(TACTIC_GRID_ROWS - 1 - across, TACTIC_GRID_COLUMNS - 1 - along);
    for (int32_t object = 0; object < 35; ++object)
        View2DScene_Pose(object, 0, 0, -1);  // nobody in the way of the probes
    struct {
        uint8_t period;
        bool atCell, atMirror;
    } const rows[] = {{1, true, false}, {0, false, true}, {2, false, true}, {3, true, false}};
    for (const auto& row : rows) {
        Match.period = row.period;
        View2D_DrawScreen();
        EXPECT_EQ(Painted(cell.x, cell.y), row.atCell) << int{row.period};
        EXPECT_EQ(Painted(mirrored.x, mirrored.y), row.atMirror) << int{row.period};
    }
    FollowedPlayers[1] = VIEW2D_NONE;
    Match.period = 1;
    View2D_DrawScreen();
    EXPECT_FALSE(Painted(cell.x, cell.y));
    // The overview camera shows the whole pitch: a player in any corner, head and foot, can be
    // pointed at.
    for (const float x : {float{PITCH_LEFT_TOUCHLINE_X}, float{PITCH_RIGHT_TOUCHLINE_X}}) {
        for (const float y : {float{PITCH_NEAR_GOAL_LINE_Y}, float{PITCH_FAR_GOAL_LINE_Y}}) {
            Point p{};
            EXPECT_TRUE(View2D_Project(x, y, 0.0f, &p.x, &p.y)) << x << "," << y;
            EXPECT_TRUE(View2D_Project(x, y, PERSON_HEAD_HEIGHT, &p.x, &p.y)) << x << "," << y;
        }
    }
}

// The scripted scene: 22 players, officials and ball, both panels, two followed players with
// their maps, a pop-up, a timed event, a second leg's score and the fastest offered speed (the
// golden frame is looked at once, then guards it).
TEST(View2D, TheScriptedSceneMatchesItsGolden)
{
    ScopedView2D view;
    View2DScene_Script();
    View2D_DrawScreen();
    WriteFrameToTestOutput("view2d_scene.png");
    ExpectGoldenHash("menus/view2d_scene", WorkScreenHash());
}

}  // namespace

namespace {

// A seeded match on the engine harness, shown in the 2D view on the headless host or in no view.
GoldenResult PlaySeeded(bool shown, uint32_t* framesDrawn)
{
    ScopedMatch match;
    ScopedMenuDisplay display;
    Watchdog_Reinstall();
    ShutdownMenuGraphics();
    MatchKeys_Init();
    TimedEvents_Init();
    View2D_ResetRunState();
    if (shown) View2D_Register();
    Speed2DIndex = VIEW2D_FASTEST_OFFERED;
    FollowedPlayers[0] = 9;  // his map is painted too
    MatchDayBuilder builder;
    builder.seed = 31;
    builder.viewMode = VIEW_2D;
    GoldenResult result = GoldenRun(builder);
    *framesDrawn = View2D.frameCounter;
    MatchView_Register(VIEWKIND_2D, nullptr);
    SoftObjectDrawers = {};
    View2D_ResetRunState();
    TimedEvents_Uninit();
    MatchKeys_Uninit();
    return result;
}

}  // namespace

TEST(View2DMatch, ASeededMatchPlaysTheSameShownInTheViewAsInNone)
{
    uint32_t frames[2] = {};
    const GoldenResult none = PlaySeeded(false, &frames[0]);
    const GoldenResult shown = PlaySeeded(true, &frames[1]);
    EXPECT_EQ(frames[0], 0u);
    EXPECT_GT(frames[1], 100u);
    EXPECT_GT(none.lines.size(), 30u);
    // Score, statistics, event rows, the traced positions and the game's draws.
    EXPECT_EQ(shown.lines, none.lines);
}
