// The in-match menu loop and its entries, with spies in place of the screens and of the engine's
// rebuild of a side: which screens run in which order, what the loop does after them, and what
// the engine's entries open.
#include "matchscreens/ingamemenus.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/keyboard.h"
#include "engine/poll.h"
#include "engine/random.h"
#include "game/matchblocks.h"
#include "game/tactics.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/presentation.h"
#include "menus/machine.h"
#include "menus/vtmenu.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_loop.h"
#include "tests/support/support.h"

namespace {

struct Opening {
    uint16_t id;
    uint16_t side;
    uint16_t page;
    bool operator==(const Opening&) const = default;
};

std::vector<Opening> s_openings;
std::vector<std::string> s_calls;
std::vector<uint16_t> s_nextIds;  // what each screen run sets, in turn
int32_t s_viewInits;
int32_t s_viewDestroys;

// Each spy screen records itself and moves on to the next scripted id (closed once they run out).
void SpyScreen()
{
    s_openings.push_back({InGameMenuId, InGameMenuSide, InGameMenuPage});
    s_calls.push_back("screen " + std::to_string(InGameMenuId));
    InGameMenuId = IGM_CLOSED;
    if (!s_nextIds.empty()) {
        InGameMenuId = s_nextIds.front();
        s_nextIds.erase(s_nextIds.begin());
    }
}

constexpr MatchViewOps kSpyView = {[] { ++s_viewInits; }, [] { ++s_viewDestroys; }, nullptr,
                                   nullptr, nullptr};

// The menu display's prerequisites with the display down, as a match view leaves them; the text
// view replaced by a counting spy, every screen by SpyScreen.
class InGameMenusTest : public testing::Test {
protected:
    void SetUp() override
    {
        ShutdownMenuGraphics();
        MatchBlocks_Init();
        MatchEngine_Init();
        MatchPresentation_SetDefaults();
        MatchDayBuilder builder;
        builder.viewMode = VIEW_TEXT;
        builder.Write();
        InGameMenus_Start();
        for (auto& run : InGameMenuOps.runScreen) {
            if (run != nullptr) run = SpyScreen;
        }
        InGameMenuOps.copySquadStatus = [](int32_t side) {
            s_calls.push_back("status " + std::to_string(side));
        };
        InGameMenuOps.setupFormations = [](int32_t side) {
            s_calls.push_back("formations " + std::to_string(side));
        };
        MatchView_Register(VIEWKIND_TEXT, &kSpyView);
        s_openings.clear();
        s_calls.clear();
        s_nextIds.clear();
        s_viewInits = s_viewDestroys = 0;
    }
    void TearDown() override
    {
        MatchView_Register(VIEWKIND_TEXT, nullptr);
        InGameMenus_Uninit();
        MatchPresentation_SetDefaults();
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
    }

    ScopedMenuDisplay m_display;
};

using InGameMenusDeathTest = InGameMenusTest;

}  // namespace

TEST_F(InGameMenusTest, AClosedIdRunsNoScreenAndRebuildsTheView)
{
    InGameMenuId = IGM_CLOSED;
    InGameMenusLoop();
    EXPECT_TRUE(s_openings.empty());
    EXPECT_EQ(s_viewDestroys, 1);
    EXPECT_EQ(s_viewInits, 1);
    EXPECT_EQ(VT_GetState(), VT_STATE_OFF);  // the menu display is down again
}

TEST_F(InGameMenusTest, DisplayAndVideoOptionsLeadBackToThePauseScreenWhateverTheySet)
{
    s_nextIds = {IGM_STATISTICS, IGM_VIDEO, IGM_MARKING, IGM_CLOSED};
    InGameMenuId = IGM_DISPLAY;
    InGameMenusLoop();
    const std::vector<std::string> expected = {"screen 1", "screen 0", "screen 2", "screen 0"};
    EXPECT_EQ(s_calls, expected);
}

// The human's tactics replace his side's shape; a computer side keeps its refilled shape, and
// both are handed to their players again.
TEST_F(InGameMenusTest, LeavingTeamSelectionHandsBothSidesToTheEngineEvenForAnotherScreen)
{
    GetMatchSidesBlock()->sides[0].human = 1;
    GetMatchSidesBlock()->sides[1].human = 0;
    for (int32_t side = 0; side < 2; ++side) {
        std::memset(&TacticCopies[side], 0x30 + side, sizeof(TacticsRecord));
        std::memset(&TeamShape[side], 0x10 + side, sizeof(TacticsRecord));
    }
    const TacticsRecord refilled = TeamShape[1];
    s_nextIds = {IGM_LINE_UPS, IGM_CLOSED};
    InGameMenuId = IGM_TEAM_SELECTION;
    InGameMenusLoop();
    const std::vector<std::string> expected = {"screen 4", "status 0",     "formations 0",
                                               "status 1", "formations 1", "screen 6"};
    EXPECT_EQ(s_calls, expected);
    EXPECT_EQ(std::memcmp(&TeamShape[0], &TacticCopies[0], sizeof(TacticsRecord)), 0);
    EXPECT_EQ(std::memcmp(&TeamShape[1], &refilled, sizeof(TacticsRecord)), 0);
}

TEST_F(InGameMenusTest, EntriesOpenTheirScreenForTheSideTheyName)
{
    GetMatchSidesBlock()->sides[0].human = 0;
    GetMatchSidesBlock()->sides[1].human = 1;
    InGameMenuSide = 0;
    InGameMenuPage = 1;
    const std::pair<void (*)(), Opening> cases[] = {
        {InGameMenusPage6, {IGM_LINE_UPS, 1, 0}},
        {[] {
             InGameMenuSide = 0;
             InGameMenusFromStart();
         },
         {IGM_PERFORMANCE, 0, 0}},
        {InGameMenusPage4, {IGM_TEAM_SELECTION, 0, 0}},
        {InGameMenusPage1, {IGM_DISPLAY, 1, 0}},
        {InGameMenusPage0, {IGM_PAUSE, 1, 0}},
        {[] { InGameMenusLoopAt(0); }, {IGM_TEAM_SELECTION, 0, 1}},
    };
    for (const auto& [entry, expected] : cases) {
        s_openings.clear();
        entry();
        ASSERT_FALSE(s_openings.empty());
        EXPECT_EQ(s_openings.front(), expected) << expected.id;
    }
    GetMatchSidesBlock()->sides[1].human = 0;
    EXPECT_EQ(InGameMenus_HumanSide(), 0);
}

TEST_F(InGameMenusTest, PeriodBreakOpensTeamSelectionForEachHumanSide)
{
    MatchDayBuilder builder;
    builder.viewMode = VIEW_NONE;
    builder.periodMinutes = 1;
    builder.Write();
    GetMatchSidesBlock()->sides[0].human = 1;
    GetMatchSidesBlock()->sides[1].human = 1;
    SRand(4);
    PlayMatch3D();
    const std::vector<Opening> expected = {{IGM_TEAM_SELECTION, 0, 1}, {IGM_TEAM_SELECTION, 1, 1}};
    EXPECT_EQ(s_openings, expected);
    EXPECT_EQ(InGameMenus_Running(), -1);
}

// A text view that counts the engine's ticks, asks for the line-ups at its fifth frame and, at
// the first frame after them, notes whether a key pressed in the menus is still waiting; a
// line-ups screen that lets time pass with that key pressed and released.
constexpr int32_t MENU_KEY = 30;
struct KeySpy {
    uint32_t ticks;
    int32_t frames;
    uint32_t ticksAtOpen;
    uint32_t ticksAtClose;
    bool keyArrived;
    int32_t pressedAfter;
};
KeySpy s_keySpy;

void KeySpyFrame()
{
    if (++s_keySpy.frames == 5) MatchShared.menuRequest = 1;
    if (s_keySpy.frames > 5 && s_keySpy.pressedAfter < 0)
        s_keySpy.pressedAfter = KeyWasPressed(MENU_KEY);
}

void KeySpyLineUps()
{
    s_keySpy.ticksAtOpen = s_keySpy.ticks;
    HostOnKey(MENU_KEY, true, false);
    Poll();
    s_keySpy.keyArrived = KeyIsDown(MENU_KEY) != 0;
    HostOnKey(MENU_KEY, false, false);
    for (int32_t i = 0; i < 50; ++i) {
        Poll();
    }
    s_keySpy.ticksAtClose = s_keySpy.ticks;
    InGameMenuId = IGM_CLOSED;
}

constexpr MatchViewOps kKeySpyView = {nullptr, nullptr, [] { ++s_keySpy.ticks; }, KeySpyFrame,
                                      nullptr};

TEST_F(InGameMenusTest, NoEngineTickRunsWhileTheMenusAreOpenAndTheirKeysAreForgotten)
{
    MatchDayBuilder builder;
    builder.viewMode = VIEW_TEXT;
    builder.periodMinutes = 1;
    builder.Write();
    MatchView_Register(VIEWKIND_TEXT, &kKeySpyView);
    InGameMenuOps.runScreen[IGM_LINE_UPS] = KeySpyLineUps;
    s_keySpy = {};
    s_keySpy.pressedAfter = -1;
    SRand(3);
    PlayMatch3D();
    ASSERT_TRUE(s_keySpy.keyArrived);
    EXPECT_GT(s_keySpy.ticksAtOpen, 0u);
    EXPECT_EQ(s_keySpy.ticksAtClose, s_keySpy.ticksAtOpen);
    EXPECT_EQ(s_keySpy.pressedAfter, 0);
}

TEST_F(InGameMenusDeathTest, AnIdWithoutAScreenIsFatal)
{
    for (const uint16_t id : {3, 7, 13}) {
        InGameMenuId = id;
        EXPECT_FATAL(InGameMenusLoop(),
                     "ERROR: InGameMenusLoop, Default Case hit '" + std::to_string(id) + "'\n");
    }
}
