// tests/menus/newcareer_test.cpp: the championship carousel's moves, the club rows and division
// buttons of the team choice, and the default manager's name.
#include "menus/newcareer.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/frame_probe.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/png.h"
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

// The click handler of the carousel's hotspot at (x, y).
int32_t ClickCarousel(int32_t x, int32_t y)
{
    for (const MenuItem* item = CountryChoice_Table(); item->kind != 0x37; ++item) {
        if (item->kind == 0x1f && item->x == x && item->y == y) return item->p14(nullptr);
    }
    ADD_FAILURE() << "no hotspot at " << x << ", " << y;
    return -1;
}

// One frame of the carousel, as its animation item draws it.
void CarouselFrame()
{
    for (const MenuItem* item = CountryChoice_Table(); item->kind != 0x37; ++item) {
        if (item->kind == 0x42)
            reinterpret_cast<const MenuCallbackFrames*>(item->p10)->draw(0, 0, 0, 0, 0);
    }
}

// The strip's side pennants, left and right of the centre place.
std::vector<uint32_t> SidePennants()
{
    std::vector<uint32_t> pixels;
    for (int32_t y = 100; y < 300; ++y) {
        for (int32_t x = 32; x < 608; ++x) {
            if (x < 220 || x >= 420) pixels.push_back(WorkPixel(x, y));
        }
    }
    return pixels;
}

// Moves clubs of the country's second division into its first until it holds `size`.
void GrowFirstDivision(int32_t size)
{
    TeamChoice_Collect(0);
    for (int32_t club = 0, count = TeamChoice.count; club < CLUB_ID_COUNT && count < size; ++club) {
        if (VTW_GetClubCountry(club) != VTW_GetCountry() || VTW_GetClubDivision(club) != 1)
            continue;
        Club_RefForGet(club, "test").full->division = 0;
        ++count;
    }
}

}  // namespace

TEST(NewCareer, CarouselMovesTakeFiftyFramesSlideTwoHundredPixelsAndWrap)
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
    for (int32_t back = 0; back < 2; ++back) {
        Carousel.direction = -1;
        EXPECT_EQ(RunMove().size(), 50u);
    }
    EXPECT_EQ(CountrySelection[CountryChoice_Centre()], 1260);  // right from the first: the last
    NewCareerUninit();
}

// After a turn either way the strip shows what a strip built on the new centre shows: each side
// pennant its own neighbour, never the centre's twin.
TEST(NewCareer, AfterATurnTheSidePennantsAreTheNewCentresNeighbours)
{
    ScopedMenuDisplay display;
    for (const int32_t direction : {-1, 1}) {
        SCOPED_TRACE(direction);
        NewCareerInit();
        CountryChoice_Reset();
        CarouselFrame();
        Carousel.direction = static_cast<int8_t>(direction);
        while (Carousel.direction != 0)
            CarouselFrame();
        const std::vector<uint32_t> turned = SidePennants();
        const int32_t first = Carousel.first;
        CountryChoice_Reset();
        Carousel.first = static_cast<int16_t>(first);
        CarouselFrame();
        EXPECT_TRUE(turned == SidePennants());
        NewCareerUninit();
    }
}

TEST(NewCareer, ClicksDuringAMoveNeitherConfirmNorTurnTheStrip)
{
    NewCareerInit();
    CountryChoice_Reset();
    RunMove();
    Carousel.direction = 1;
    CountryChoice_Advance();
    MenuOption = 1;
    EXPECT_EQ(ClickCarousel(600, 436), EXM_CODE_REDRAW);  // OK
    EXPECT_EQ(MenuOption, 1);
    EXPECT_EQ(ClickCarousel(140, 300), EXM_CODE_NONE);  // left arrow
    EXPECT_EQ(RunMove().size(), 49u);
    EXPECT_EQ(CountrySelection[CountryChoice_Centre()], 1250);
    NewCareerUninit();
}

TEST(NewCareerDeathTest, UnknownCountryIconIsFatal)
{
    EXPECT_FATAL(Return_CountryFromIcon(1251),
                 "Return_CountryFromIcon():M_Mn0.c Unknown icon for country");
}

TEST(NewCareer, EvenAndOddDivisionsFillTheirRowsAndKeepNameOrder)
{
    ScopedWorld world;
    NewGameForTest(6, 7);
    NewCareerInit();
    for (const auto& [size, rows] : {std::pair{20, 10}, std::pair{21, 11}}) {
        GrowFirstDivision(size);
        TeamChoice_Collect(0);
        ASSERT_EQ(TeamChoice.count, size);
        EXPECT_EQ(TeamChoice.rows, rows);
        for (int32_t i = 1; i < size; ++i) {
            EXPECT_LT(std::strcmp(VTW_FormatClubName(VTW_GetTeam(TeamChoice.clubs[i - 1])),
                                  VTW_FormatClubName(VTW_GetTeam(TeamChoice.clubs[i]))),
                      0);
        }
        EXPECT_EQ(TeamChoice.row[0].right, TeamChoice.clubs[size / 2]);
        const TeamChoiceRow& last = TeamChoice.row[rows - 1];
        EXPECT_EQ(last.left, TeamChoice.clubs[size % 2 == 1 ? size - 1 : rows - 1]);
        EXPECT_EQ(last.right, size % 2 == 1 ? -1 : TeamChoice.clubs[size - 1]);
    }
    GrowFirstDivision(30);
    TeamChoice_Collect(0);
    EXPECT_EQ(TeamChoice.count, TEAM_CHOICE_MAX_CLUBS);
    NewCareerUninit();
}

TEST(NewCareer, DivisionButtonsFollowTheLayoutOfTheDivisionCount)
{
    struct Layout {
        int32_t divisions;
        std::vector<TeamChoiceButton> buttons;
    };
    const Layout layouts[] = {
        {2, {{74, 440, 244}, {320, 440, 244}}},
        {3, {{70, 440, 164}, {236, 440, 164}, {402, 440, 164}}},
        {4, {{74, 440, 120}, {196, 440, 120}, {318, 440, 120}, {440, 440, 120}}},
        {5, {{74, 440, 96}, {172, 440, 96}, {270, 440, 96}, {368, 440, 96}, {466, 440, 96}}},
        {6,
         {{70, 407, 164},
          {236, 407, 164},
          {402, 407, 164},
          {70, 440, 164},
          {236, 440, 164},
          {402, 440, 164}}},
    };
    NewCareerInit();
    for (const Layout& layout : layouts) {
        const MenuItem* table = TeamChoice_ButtonTable(layout.divisions);
        int32_t clickable = 0;
        for (const MenuItem* item = table; item->kind != 0x37; ++item) {
            clickable += item->p14 != nullptr ? 1 : 0;
        }
        EXPECT_EQ(clickable, layout.divisions);
        // A button's place in its table is the division it selects.
        for (size_t d = 0; d < layout.buttons.size(); ++d) {
            const TeamChoiceButton& want = layout.buttons[d];
            EXPECT_EQ(table[d].x, want.x) << layout.divisions << " " << d;
            EXPECT_EQ(table[d].y, want.y) << layout.divisions << " " << d;
            EXPECT_EQ(table[d].a, want.width) << layout.divisions << " " << d;
            ASSERT_NE(table[d].p14, nullptr);
            MenuHotspot hotspot{};
            hotspot.index = static_cast<uint8_t>(d);
            table[d].p14(&hotspot);
            EXPECT_EQ(TeamChoice.division, static_cast<int16_t>(d));
        }
    }
    NewCareerUninit();
}

TEST(NewCareerDeathTest, ADivisionCountWithoutALayoutIsFatal)
{
    EXPECT_FATAL(TeamChoice_ButtonTable(7), "TeamChoice_Init(): 7 divisions");
}

TEST(NewCareer, DefaultManagerNameIsPaddedAndConfirmedWithoutBlanks)
{
    ScopedWorld world;
    NewGameForTest(6, 7);
    NewCareerInit();
    ManagerName_Reset();
    EXPECT_EQ(std::strlen(ManagerNameBuffer), static_cast<size_t>(MANAGER_NAME_FIELD));
    std::snprintf(ManagerNameBuffer, sizeof ManagerNameBuffer, "%-19s", "Dupont");
    Player_RefForSet(PERSON_HUMAN, "test").person->initial = 4;
    ManagerName_Confirm();
    EXPECT_STREQ(GameState.managerName, "Dupont");
    EXPECT_EQ(Player_RefForGet(PERSON_HUMAN, "test").person->initial, 0);
    NewCareerUninit();
}

// A name typed on and on after a click on the default one: it stays on its line inside the name's
// box (150-490), the hint line below is untouched, and it stops within the buffer's 19 characters.
TEST(NewCareer, ALongManagerNameStaysInsideItsBoxAndClearOfTheHint)
{
    ScopedWorld world;
    ScopedMenuDisplay display(true);
    TempHome home;
    NewGameForTest(6, 7);
    FrontEndInit();
    FrontEnd_RegisterLoopSteps();
    GameState.humanClub = GameState.currentClub = static_cast<int16_t>(DivisionLists[0][0]);
    // Pixels off the name's line inside its box: the rows of the hint and below (the pointer,
    // left on the name, ends above them) and the name's rows left and right of the box.
    const auto offTheName = [] {
        std::vector<uint32_t> pixels;
        for (int32_t y = 232; y < 320; ++y) {
            for (int32_t x = 0; x < 640; ++x) {
                if (y >= 272 || x < 150 || x >= 490) pixels.push_back(WorkPixel(x, y));
            }
        }
        return pixels;
    };
    std::vector<uint32_t> before, after;
    MenuInputs inputs;
    inputs.push_back({250, MenuInput::CALL, 0, 0, [&] { before = offTheName(); }});
    AddClick(&inputs, 260, 300, 250);
    for (uint32_t k = 0; k < 25; ++k) {
        AddText(&inputs, 290 + 6 * k, k % 5 == 4 ? " " : "W");
    }
    inputs.push_back({460, MenuInput::CALL, 0, 0, [&] {
                          after = offTheName();
                          WriteFrameToTestOutput("manager_name_long.png");
                      }});
    AddKey(&inputs, 470, 0x1C);
    AddClick(&inputs, 500, 590, 456);
    ScopedMenuScript script(inputs, 40);
    EXM_PushAndRun(ManagerName_Table());
    EXPECT_TRUE(after == before);
    EXPECT_LE(std::strlen(GameState.managerName), 19u);
    EXPECT_GT(std::strlen(GameState.managerName), 12u);
    FrontEndUninit();
}

// The championship screen as it first shows: its golden frame; the two turn buttons drawn under
// their hotspots, (140, 300) and (460, 300), each the other's mirror image; and no star of the
// background where the pennants sweep (the strip, y 100-300) or behind the description.
TEST(NewCareer, TheChampionshipScreenShowsItsTurnButtonsAndKeepsItsStarsOffThePennants)
{
    ScopedMenuDisplay display(true);
    NewCareerInit();
    ExpectGoldenHash("menus/country_choice",
                     FirstBuildHash(CountryChoice_Table(), "country_choice.png"));
    NewCareerUninit();
    PngImage frame;
    std::string error;
    ASSERT_TRUE(ReadPng(TestOutputPath("country_choice.png"), &frame, &error)) << error;
    constexpr uint32_t kStar = 0x968228;
    EXPECT_EQ(CountNearColour(frame, 32, 100, 576, 200, kStar, 8), 0);
    EXPECT_EQ(CountNearColour(frame, 42, 350, 556, 86, kStar, 8), 0);
    int32_t arrowPixels = 0;
    for (int32_t y = 300; y < 340; ++y) {
        for (int32_t x = 140; x < 180; ++x) {
            const bool left = TextPixels(frame, x, y, 1, 1) == 1;
            const bool right = TextPixels(frame, 639 - x, y, 1, 1) == 1;
            EXPECT_EQ(left, right) << x << ", " << y;
            arrowPixels += left;
        }
    }
    EXPECT_GT(arrowPixels, 100);
}
