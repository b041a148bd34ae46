// tests/menus/newcareer_test.cpp: the championship carousel's moves, the club rows of the team
// choice and the default manager's name.
#include "menus/newcareer.h"

#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

// The offsets of every frame until the strip stands still again.
std::vector<int32_t> RunMove()
{
    std::vector<int32_t> offsets;
    for (int32_t offset = CountryChoice_Advance(); offset >= 0; offset = CountryChoice_Advance()) {
        offsets.push_back(offset);
    }
    return offsets;
}

}  // namespace

TEST(NewCareer, CarouselMoveTakesFiftyFramesAndSlidesTwoHundredPixels)
{
    NewCareerInit();
    CountryChoice_Reset();
    EXPECT_EQ(RunMove(), std::vector<int32_t>{0});  // the first frame, then idle
    EXPECT_EQ(CountrySelection[CountryChoice_Centre()], 1255);
    Carousel.direction = 1;
    const std::vector<int32_t> offsets = RunMove();
    ASSERT_EQ(offsets.size(), 50u);
    EXPECT_EQ(offsets.front() - offsets.back(), 200);
    EXPECT_EQ(CountrySelection[CountryChoice_Centre()], 1250);
    NewCareerUninit();
}

TEST(NewCareer, MovingRightFromTheFirstCountryShowsTheLast)
{
    NewCareerInit();
    CountryChoice_Reset();
    RunMove();
    Carousel.direction = -1;
    RunMove();
    EXPECT_EQ(CountrySelection[CountryChoice_Centre()], 1260);
    NewCareerUninit();
}

TEST(NewCareerDeathTest, UnknownCountryIconIsFatal)
{
    EXPECT_EXIT(Return_CountryFromIcon(1251), testing::ExitedWithCode(1),
                "Return_CountryFromIcon\\(\\): Unknown icon for country");
}

TEST(NewCareer, OddDivisionPutsItsLastClubInTheLastLeftCell)
{
    ScopedWorld world;
    NewGameForTest(6, 7);
    NewCareerInit();
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        TeamChoice_Collect(division);
        const int32_t count = TeamChoice.count;
        ASSERT_LE(count, TEAM_CHOICE_MAX_CLUBS);
        EXPECT_EQ(TeamChoice.rows, (count + 1) / 2);
        for (int32_t i = 1; i < count; ++i) {
            EXPECT_LT(std::strcmp(VTW_FormatClubName(VTW_GetTeam(TeamChoice.clubs[i - 1])),
                                  VTW_FormatClubName(VTW_GetTeam(TeamChoice.clubs[i]))),
                      0);
        }
        if (count % 2 == 1) {
            EXPECT_EQ(TeamChoice.row[TeamChoice.rows - 1].left, TeamChoice.clubs[count - 1]);
            EXPECT_EQ(TeamChoice.row[TeamChoice.rows - 1].right, -1);
        }
    }
    NewCareerUninit();
}

TEST(NewCareer, DefaultManagerNameIsPaddedAndConfirmedWithoutBlanks)
{
    ScopedWorld world;
    NewGameForTest(6, 7);
    NewCareerInit();
    ManagerName_Reset();
    EXPECT_EQ(std::strlen(ManagerNameBuffer), static_cast<size_t>(MANAGER_NAME_FIELD));
    std::snprintf(ManagerNameBuffer, sizeof ManagerNameBuffer, "%-19s", "Dupont");
    ManagerName_Confirm();
    EXPECT_STREQ(GameState.managerName, "Dupont");
    NewCareerUninit();
}
