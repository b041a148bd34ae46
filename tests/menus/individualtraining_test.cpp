// tests/menus/individualtraining_test.cpp: the individual training screen's sliders, position
// marks and evaluations, its shares kept per player; the injury list, its buttons and its door on
// the debug screen, on a seeded career.
#include "menus/individualtraining.h"

#include <algorithm>
#include <iterator>
#include <set>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/squad.h"
#include "game/tables.h"
#include "menus/debugscreen.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/office.h"
#include "menus/trainingprogramme.h"
#include "tests/support/screen_redraw.h"

namespace {

class IndividualTrainingTest : public ::testing::Test {
protected:
    IndividualTrainingTest() : m_screen([] { VTW_InitTrainingBuffer(); }) {}

    // The human's squad in its list order.
    int16_t SquadPlayer(int32_t k)
    {
        VTW_RefreshSquadCount(m_screen.HumanClub());
        return SquadList.players[k];
    }

    ScopedScreenRedraw m_screen;
};

std::set<int32_t> Marked(int32_t position, int32_t foot)
{
    uint8_t marks[POSITION_SPOTS];
    IndividualTraining_MarkPositions(position, foot, marks);
    std::set<int32_t> spots;
    for (int32_t k = 0; k < POSITION_SPOTS; ++k) {
        if (marks[k] != 0) spots.insert(k);
    }
    return spots;
}

void Injure(int32_t player, int32_t type, int32_t days)
{
    DbPlayers[player].flags |= PLAYER_INJURED;
    DbPlayers[player].injuryType = static_cast<uint8_t>(type);
    DbPlayers[player].injuryDays = static_cast<uint8_t>(days);
}

TEST_F(IndividualTrainingTest, ASliderSetsItsShareAndTheOtherTwoKeepTheSumAtAHundred)
{
    CurrentPlayer = SquadPlayer(0);
    struct Case {
        int16_t before[TRAINING_EMPHASES];
        int32_t x, y;
        int32_t code;
        int16_t after[TRAINING_EMPHASES];
    };
    const Case cases[] = {
        {{40, 30, 30}, 501, 320, 2, {100, 0, 0}},   // d = -60: both others to 0
        {{40, 30, 30}, 306, 310, 2, {35, 32, 33}},  // d = 5: the second takes the larger half
        {{40, 30, 30}, 150, 336, 2, {0, 50, 50}},   // d = 40
        {{20, 60, 20}, 100, 350, 2, {50, 0, 50}},   // row 2 shares out to S1 then S3
        {{10, 10, 80}, 261, 390, 2, {40, 40, 20}},  // row 3 shares out to S1 then S2
        {{0, 90, 10}, 381, 320, 2, {60, 40, 0}},    // S3 would be -20: S2 makes it up
        {{40, 30, 30}, 321, 320, 1, {40, 30, 30}},  // the same share
        {{40, 30, 30}, 200, 408, 2, {55, 45, 0}},   // x 200 is 0, y 408 the last line of row 3
        {{40, 30, 30}, 400, 300, 1, {40, 30, 30}},  // above the rows
        {{40, 30, 30}, 400, 340, 1, {40, 30, 30}},  // between rows 1 and 2
        {{40, 30, 30}, 400, 409, 1, {40, 30, 30}},  // below row 3
    };
    for (const Case& c : cases) {
        std::copy_n(c.before, TRAINING_EMPHASES, IndividualTraining.shares);
        EXPECT_EQ(IndividualTraining_DragSlider(c.x, c.y), c.code) << c.x << ", " << c.y;
        EXPECT_TRUE(std::equal(c.after, c.after + TRAINING_EMPHASES, IndividualTraining.shares))
            << c.x << ", " << c.y << ": " << IndividualTraining.shares[0] << " "
            << IndividualTraining.shares[1] << " " << IndividualTraining.shares[2];
        // A change is the player's to keep.
        int16_t kept[TRAINING_EMPHASES];
        TrainingTable_GetShares(CurrentPlayer, kept);
        if (c.code == 2) {
            EXPECT_TRUE(std::equal(kept, kept + TRAINING_EMPHASES, c.after));
        }
    }
}

TEST_F(IndividualTrainingTest, PositionCodesAndFeetMarkTheirSpots)
{
    struct Case {
        int32_t position, foot;
        std::set<int32_t> spots;
    };
    const Case cases[] = {
        {0, 3, {2}},
        {0, 0, {2}},
        {2, 0, {1, 3, 6, 7, 8}},
        {2, 1, {1, 3, 4, 6, 7, 8, 9}},
        {3, 2, {0, 1, 3, 5, 6, 7, 8, 10}},
        {5, 0, {11, 12, 13, 16, 17, 18}},
        {6, 3, {5, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
        {8, 1, {11, 12, 13, 14, 16, 17, 18, 19, 21, 22, 23, 24}},
        {10, 2, {6, 7, 8, 11, 12, 13, 20, 21, 22, 23, 25, 26, 27, 28}},
        {12, 3, {20, 21, 22, 23, 24, 25, 26, 27, 28, 29}},
        {13, 3, {}},
        {-1, 3, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Marked(c.position, c.foot), c.spots) << c.position << " foot " << c.foot;
    // Either foot adds its own wing to the two-footed player's centre; both feet give both.
    for (int32_t position = 0; position <= 12; ++position) {
        std::set<int32_t> feet = Marked(position, 1);
        feet.merge(Marked(position, 2));
        EXPECT_EQ(feet, Marked(position, 3)) << position;
        const std::set<int32_t> centre = Marked(position, 0);
        EXPECT_TRUE(std::includes(feet.begin(), feet.end(), centre.begin(), centre.end()));
    }
}

TEST_F(IndividualTrainingTest, EvaluationsAreTheAttributesAboveEightyBestFirstAtMostFive)
{
    struct Rating {
        int32_t value, textNo;
    };
    for (const Rating r : {Rating{80, -1}, Rating{81, 1588}, Rating{90, 1588}, Rating{91, 1587},
                           Rating{95, 1587}, Rating{96, 1589}, Rating{99, 1589}})
        EXPECT_EQ(IndividualTraining_Rating(r.value), r.textNo) << r.value;

    const int16_t player = SquadPlayer(2);
    EXPECT_EQ(IndividualTraining_StatValue(player, 245), VTW_GetPlayerFitnessPercent(player));
    EXPECT_EQ(IndividualTraining_StatValue(player, 1092), VTW_GetPlayerExperiencePercent(player));
    EXPECT_EQ(IndividualTraining_StatValue(player, 46), VTW_GetAbilityStat(player, 5));
    EXPECT_EQ(IndividualTraining_StatValue(player, 999), 0);

    // The whole squad: every line above 80, none below a later one, ties in the list's order.
    const int16_t order[] = {44, 45, 43, 42, 46, 41, 47, 58, 48,
                             49, 52, 50, 51, 53, 54, 55, 57, 1092};
    int32_t shown = 0, full = 0;
    for (int32_t k = 0; k < VTW_RefreshSquadCount(m_screen.HumanClub()); ++k) {
        const int16_t p = SquadList.players[k];
        Evaluation e[EVALUATIONS_SHOWN];
        const int32_t count = IndividualTraining_Evaluate(p, e);
        int32_t above = 0;
        for (const int16_t textNo : order)
            above += IndividualTraining_StatValue(p, textNo) > 80;
        EXPECT_EQ(count, std::min(above, EVALUATIONS_SHOWN)) << p;
        for (int32_t i = 0; i < count; ++i) {
            EXPECT_GT(e[i].value, 80);
            EXPECT_EQ(e[i].value, IndividualTraining_StatValue(p, e[i].textNo));
            if (i == 0) continue;
            EXPECT_GE(e[i - 1].value, e[i].value);
            const auto at = [&](int16_t t) { return std::find(order, std::end(order), t); };
            if (e[i - 1].value == e[i].value) {
                EXPECT_LT(at(e[i - 1].textNo), at(e[i].textNo));
            }
        }
        shown += count;
        full += count == EVALUATIONS_SHOWN;
    }
    EXPECT_GT(shown, 0);
    EXPECT_GT(full, 0);
}

TEST_F(IndividualTrainingTest, TheSharesOutliveTheScreenAndItsFrameMatchesTheGolden)
{
    CurrentPlayer = SquadPlayer(4);
    MenuOption = 78;
    MenuInputs inputs;
    AddClick(&inputs, 200, 505, 322);  // row 1 to its right end
    uint32_t hash = 0;
    m_screen.Run(
        IndividualTraining_Table(), [&] { hash = WorkScreenHash(); }, inputs);
    ExpectGoldenHash("menus/individual_training", hash);
    int16_t kept[TRAINING_EMPHASES];
    TrainingTable_GetShares(CurrentPlayer, kept);
    EXPECT_EQ(kept[0], 100);
    EXPECT_EQ(kept[1] + kept[2], 0);

    // Another visit shows them again; the back button returns to the programme.
    IndividualTrainingInit();
    inputs.clear();
    AddClick(&inputs, 200, 570, 440);
    m_screen.Run(
        IndividualTraining_Table(), [] {}, inputs);
    EXPECT_EQ(IndividualTraining.shares[0], 100);
    EXPECT_EQ(MenuOption, OPTION_TRAINING_PROGRAMME);
}

TEST_F(IndividualTrainingTest, TheInjuryListShowsTheInjuredAndItsButtonsLeave)
{
    const int16_t a = SquadPlayer(1), b = SquadPlayer(5), c = SquadPlayer(9);
    int16_t injured[INJURY_ROWS];
    EXPECT_EQ(InjuryList_Collect(injured), 0);
    uint32_t none = 0;
    m_screen.Run(InjuryList_Table(), [&] { none = WorkScreenHash(); });
    ExpectGoldenHash("menus/injury_list_none", none);

    Injure(a, 1, 10);    // 2 weeks
    Injure(b, 10, 182);  // 26 weeks: "??"
    Injure(c, 0, 7);     // 1 week
    ASSERT_EQ(InjuryList_Collect(injured), 3);
    EXPECT_EQ(std::set<int16_t>(injured, injured + 3), (std::set<int16_t>{a, b, c}));
    uint32_t three = 0;
    m_screen.Run(InjuryList_Table(), [&] { three = WorkScreenHash(); });
    ExpectGoldenHash("menus/injury_list_three", three);

    struct Button {
        int32_t x, y;
        int16_t currentPlayer;
        int16_t option;
    };
    const int16_t outsider = static_cast<int16_t>(
        VTW_RefreshSquadCount(DivisionLists[0][1]) > 0 ? SquadList.players[0] : -1);
    const Button buttons[] = {
        {112, 455, a, 22},                         // "Entraînement Collectif"
        {279, 455, a, 13},                         // "Choix des entraîneurs"
        {446, 455, a, OPTION_PLAYER_PROGRESS},     // "Performance du joueur"
        {446, 455, outsider, MENU_OPTION_OFFICE},  // not his: nothing, Escape leaves at last
        {570, 440, a, MENU_OPTION_OFFICE},         // back
    };
    for (const Button& button : buttons) {
        CurrentPlayer = button.currentPlayer;
        MenuOption = MENU_OPTION_OFFICE;
        MenuInputs inputs;
        AddClick(&inputs, 200, button.x, button.y);
        m_screen.Run(
            InjuryList_Table(), [] {}, inputs);
        EXPECT_EQ(MenuOption, button.option) << button.x << " player " << button.currentPlayer;
    }
    CurrentPlayer = outsider;
    EXPECT_EQ(InjuryList_Performance(), 1);
}

// No option of the office leads to the injury list: the developer's debug screen runs it over
// itself. Its back button and its options leave the debug screen too; Escape comes back to it.
TEST_F(IndividualTrainingTest, TheDebugScreenRunsTheInjuryListAndTheOfficeListHasNoEntryForIt)
{
    const MenuListEntry* entry = Office_ClubDataPopup();
    while (entry->type != LIST_END && MenuList_LabelTextNo(*entry) != 841) {
        ++entry;
    }
    EXPECT_EQ(entry->type, LIST_END);
    struct Case {
        bool escape;  // else a click on the list's button at x, y
        int32_t x, y;
        int16_t option;
    };
    const Case cases[] = {{false, 570, 440, MENU_OPTION_OFFICE},
                          {false, 112, 455, 22},
                          {true, 0, 0, OPTION_DEBUG_SCREEN}};
    for (const Case& c : cases) {
        MenuInputs inputs;
        AddClick(&inputs, 260, 160, 205);
        int32_t depthInside = -1;
        inputs.push_back({460, MenuInput::CALL, 0, 0, [&] { depthInside = EXM_Depth(); }});
        DebugScreenReturn after;
        AddLeaveToDebugScreen(&inputs, 500, c.escape ? -1 : c.x, c.y, &after);
        MenuOption = OPTION_DEBUG_SCREEN;
        m_screen.Run(
            DebugScreen_Table(), [] {}, inputs);
        EXPECT_EQ(depthInside, 1) << c.option;
        // Escape: the debug screen again; else it has gone too, and no loop runs any more.
        const bool stays = c.option == OPTION_DEBUG_SCREEN;
        EXPECT_EQ(after.depth, stays ? 0 : -2) << c.option;
        EXPECT_EQ(stays ? after.option : MenuOption, c.option);
    }
}

}  // namespace
