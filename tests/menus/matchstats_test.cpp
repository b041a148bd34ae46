// tests/menus/matchstats_test.cpp: the rest of the world's choices, lists, pages and clicks.
#include "menus/matchstats.h"

#include <vector>

#include <gtest/gtest.h>

#include "game/gamestate.h"
#include "game/world.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t HOME_COUNTRY = 6;  // the seeded career's

class RestOfWorldTest : public ::testing::Test {
protected:
    // Only `count` clubs of `country` in use from team `first` on, the others of the world out.
    static void OnlyClubsOf(int32_t country, int32_t first, int32_t count)
    {
        for (WorldClubEntry& e : WorldClubTable)
            e.inUse = 0;
        for (int32_t k = 0; k < count; ++k)
            WorldClubTable[first + k] = {1, uint8_t(country)};
    }

    void Run(const std::function<void()>& settled) { m_screen.Run(RestOfWorld_Table(), settled); }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(RestOfWorldTest, TheHomeCountrysSlotHoldsCountryZeroAndTheLastTheRestOfTheWorld)
{
    RestOfWorld.chosen = HOME_COUNTRY;  // no choice: the first is taken
    Run([] {
        const std::vector<uint16_t> choices = {1, 2, 3, 4, 5, 0, 7, WORLD_CHOICE_REST};
        const std::vector<int16_t> texts = {2311, 2312, 2313, 2314, 2315, 2310, 2317, 857};
        EXPECT_EQ(std::vector<uint16_t>(RestOfWorld.choices, RestOfWorld.choices + 8), choices);
        EXPECT_EQ(std::vector<int16_t>(RestOfWorld.choiceTexts, RestOfWorld.choiceTexts + 8),
                  texts);
        EXPECT_EQ(RestOfWorld.chosen, 1);
        EXPECT_EQ(RestOfWorld.subtitle, 2311);
    });
}

TEST_F(RestOfWorldTest, EachChoiceListsItsCountrysClubsAndTheRestTheUnlistedOnes)
{
    Run([] {
        for (WorldClubEntry& e : WorldClubTable)
            e.inUse = 0;
        // team: country
        const std::vector<std::pair<int32_t, uint8_t>> clubs = {
            {10, 3}, {11, HOME_COUNTRY}, {12, 0}, {13, 8}, {14, 12}, {15, 3}, {16, 7}};
        for (const auto& [team, country] : clubs)
            WorldClubTable[team] = {1, country};
        WorldClubTable[17] = {0, 3};  // not in use
        struct Case {
            int32_t choice;
            std::vector<int16_t> list;
            int16_t subtitle;
        };
        const Case cases[] = {
            {2, {10, 15}, 2313}, {5, {12}, 2310}, {6, {16}, 2317},
            {7, {13, 14}, 857},  {0, {}, 2311},
        };
        for (const Case& c : cases) {
            EXPECT_EQ(RestOfWorld_Choose(c.choice), 2);
            RestOfWorld_Build();
            EXPECT_EQ(std::vector<int16_t>(RestOfWorld.list, RestOfWorld.list + RestOfWorld.count),
                      c.list)
                << c.choice;
            EXPECT_EQ(RestOfWorld.subtitle, c.subtitle) << c.choice;
        }
    });
}

TEST_F(RestOfWorldTest, TwentyThreeClubsTakeThreePagesAndEveryClubCanBeReached)
{
    Run([] {
        OnlyClubsOf(3, 100, 23);
        RestOfWorld_Choose(2);
        RestOfWorld_Build();
        EXPECT_EQ(RestOfWorld.pageCount, 3);
        EXPECT_EQ(RestOfWorld_EntryOfCell(0, 10), 110);
        EXPECT_EQ(RestOfWorld_EntryOfCell(1, 10), 121);
        struct Step {
            int32_t (*turn)();
            int16_t firstPage;
            int32_t leftTop, rightTop, rightSecond;
        };
        const Step steps[] = {
            {RestOfWorld_PageOn, 1, 111, 122, -1},
            {RestOfWorld_PageOn, 1, 111, 122, -1},
            {RestOfWorld_PageBack, 0, 100, 111, 112},
            {RestOfWorld_PageBack, 0, 100, 111, 112},
        };
        for (const Step& s : steps) {
            EXPECT_EQ(s.turn(), 2);
            RestOfWorld_Build();
            EXPECT_EQ(RestOfWorld.firstPage, s.firstPage);
            EXPECT_EQ(RestOfWorld_EntryOfCell(0, 0), s.leftTop);
            EXPECT_EQ(RestOfWorld_EntryOfCell(1, 0), s.rightTop);
            EXPECT_EQ(RestOfWorld_EntryOfCell(1, 1), s.rightSecond);
        }
        OnlyClubsOf(3, 100, 5);  // one page: never moves
        RestOfWorld_Build();
        RestOfWorld_PageOn();
        EXPECT_EQ(RestOfWorld.firstPage, 0);
        EXPECT_EQ(RestOfWorld_EntryOfCell(1, 0), -1);
    });
}

TEST_F(RestOfWorldTest, AWorldClubOpensItsSquadAndAnEmptyCellNothing)
{
    Run([] {
        OnlyClubsOf(3, 200, 3);
        RestOfWorld_Choose(2);
        RestOfWorld_Build();
        const int16_t option = MenuOption;
        EXPECT_EQ(RestOfWorld_OpenCell(0, 3), 1);
        EXPECT_EQ(RestOfWorld_OpenCell(1, 0), 1);
        EXPECT_EQ(MenuOption, option);
        EXPECT_EQ(RestOfWorld_OpenCell(0, 2), EXM_CODE_LEAVE);
        EXPECT_EQ(MenuOption, MENU_OPTION_TO_SQUAD);
        EXPECT_EQ(GameState.currentClub, 202);
        EXPECT_EQ(ClubChangedFlag, 1);
        ClubChangedFlag = 0;
    });
}

TEST_F(RestOfWorldTest, ANewCareerListsTheOtherCountriesClubsAndMatchesTheGolden)
{
    uint32_t hash = 0;
    Run([&] {
        EXPECT_GT(RestOfWorld.count, WORLD_ROWS);
        for (int32_t n = 0; n < RestOfWorld.count; ++n) {
            EXPECT_EQ(WorldClubTable[RestOfWorld.list[n]].country, 0);
        }
        hash = WorkScreenHash();
    });
    ExpectGoldenHash("menus/rest_of_world_day0", hash);
}
