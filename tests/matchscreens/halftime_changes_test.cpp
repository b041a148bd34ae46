// A seeded match with the human at home whose half-time menus are the real screens, driven by
// their pointer events: a substitution, a change of tactic and a marking assignment made there
// are what the engine plays in the second half.
#include <gtest/gtest.h>

#include "engine/random.h"
#include "game/matchblocks.h"
#include "game/tactics.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "matchscreens/ingamemarking.h"
#include "matchscreens/ingametactics.h"
#include "matchscreens/ingameteams.h"
#include "menus/machine.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_loop.h"

namespace {

int32_t s_halfTimes;
int32_t s_markingRuns;
TacticsRecord s_chosen;  // the second custom tactic, which the variant button moves to

void Click(int32_t x, int32_t y)
{
    SendVTEventAt(x, y, VT_EVENT_PRESS);
    SendVTEventAt(x, y, VT_EVENT_RELEASE);
}

// Each screen as InGameScreen_Run runs it, its pointer input scripted; later openings leave.
void TeamSelectionAtHalfTime()
{
    if (s_halfTimes++ > 0) {
        InGameMenuId = IGM_CLOSED;
        return;
    }
    InGameScreen_Open(InGameTactics_Screen());
    Click(60, 270);   // place 10, who holds no role
    Click(60, 310);   // bench place 12
    Click(450, 394);  // "Accepter"
    Click(554, 365);  // the variant button: custom tactic 2
    Click(320, 440);  // "Marquage"
    InGameScreen_Close();
}

void MarkingAtHalfTime()
{
    ++s_markingRuns;
    InGameScreen_Open(InGameMarking_Screen());
    Click(260, 374);  // the marking mode
    Click(30, 200);   // own place 5
    Click(600, 240);  // their place 7
    Click(320, 460);  // "Composition des équipes"
    InGameScreen_Close();
}

void LineUpsAtHalfTime()
{
    InGameScreen_Open(InGameTeams_Screen(IGM_LINE_UPS));
    Click(320, 460);  // "Terminer"
    InGameScreen_Close();
}

class HalfTimeChangesTest : public testing::Test {
protected:
    void SetUp() override
    {
        ShutdownMenuGraphics();
        MatchBlocks_Init();
        MatchEngine_Init();
        MatchPresentation_SetDefaults();
        MatchDayBuilder builder;
        builder.seed = 5;
        builder.Write();
        MatchDayBlock& block = *GetMatchSidesBlock();
        block.benchSize = 5;
        MatchSide& home = block.sides[0];
        home.human = 1;
        home.tactic = TACTIC_CUSTOM_FIRST;
        // The second custom tactic: every outfield player one row over and two columns up.
        s_chosen = home.tactics[0];
        for (int32_t place = 1; place < TACTIC_SLOT_COUNT; ++place) {
            TacticsSlot& s = s_chosen.slots[place];
            s.row = s.row2 = s.row3 = static_cast<int16_t>((s.row + 1) % TACTIC_GRID_ROWS);
            s.column = s.column2 = s.column3 = static_cast<int16_t>(s.column + 2);
        }
        home.tactics[1] = s_chosen;
        InGameMenus_Start();
        InGameMenuOps.runScreen[IGM_TEAM_SELECTION] = TeamSelectionAtHalfTime;
        InGameMenuOps.runScreen[IGM_MARKING] = MarkingAtHalfTime;
        InGameMenuOps.runScreen[IGM_LINE_UPS] = LineUpsAtHalfTime;
        s_halfTimes = s_markingRuns = 0;
    }
    void TearDown() override
    {
        InGameMenus_Uninit();
        MatchPresentation_SetDefaults();
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
    }

    ScopedMenuDisplay m_display;
};

}  // namespace

TEST_F(HalfTimeChangesTest, TheSecondHalfPlaysTheSubstituteTheNewTacticAndTheMarker)
{
    SRand(5);
    PlayMatch3D();
    ASSERT_GE(s_halfTimes, 1);
    ASSERT_EQ(s_markingRuns, 1);

    // The substitute came on and played; the player taken off stayed off.
    const MatchPerson& off = MatchPersons[10];
    const MatchPerson& on = MatchPersons[12];
    EXPECT_EQ(+off.offPitch, 1);
    EXPECT_EQ(+off.timesSubstituted, 1);
    EXPECT_EQ(+on.startedOnBench, 0);
    EXPECT_EQ(Football_IsRecActive(0, 12), 1);
    EXPECT_EQ(Football_GetSidePlayer(0, 10), 12);
    EXPECT_EQ(Football_GetSubstitutionsUsed(0), 1);

    // The engine's shape is the new tactic's grid, with the marking on top.
    EXPECT_EQ(+GetMatchSidesBlock()->sides[0].tactic, TACTIC_CUSTOM_FIRST + 1);
    for (int32_t place = 1; place < TACTIC_SLOT_COUNT; ++place) {
        EXPECT_EQ(+TeamShape[0].slots[place].row, +s_chosen.slots[place].row) << place;
        EXPECT_EQ(+TeamShape[0].slots[place].column, +s_chosen.slots[place].column) << place;
    }
    EXPECT_EQ(+TeamShape[0].slots[5].markedOpponent, 7);
    EXPECT_EQ(+MatchPersons[LineUp[0][5]].markingSlot, 7);

    // The full-time block holds the one substitution row: the side, the player off, the one on.
    const MatchDataBlock& data = *GetMatchDataBlock();
    int32_t rows = 0;
    for (int32_t i = 0; i < data.eventCount; ++i) {
        const MatchEventRow& row = data.events[i];
        if (row.kind != 1 || row.a != 0) continue;
        ++rows;
        EXPECT_EQ(+row.b, +off.playerId);
        EXPECT_EQ(+row.c, +on.playerId);
    }
    EXPECT_EQ(rows, 1);
}
