// tests/menus/besteleven_test.cpp: the best eleven's window by its bounding days, its choices of
// category and division, and its frame with a full eleven.
#include "menus/besteleven.h"

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/tables.h"
#include "menus/exm.h"
#include "menus/menubar.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

class BestElevenTest : public ::testing::Test {
protected:
    // Every full player of the top division gets discipline points: a full eleven of hard men.
    static void BookEveryone()
    {
        for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
            const int32_t club = VTW_GetPlayerClub(id);
            if (club >= 0 && club < CLUB_ID_COUNT && VTW_FindDivisionOfTeam(club) == 0)
                DbPlayers[id].disciplinePoints = static_cast<uint8_t>(1 + id % 9);
        }
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(BestElevenTest, TheElevenShowsOnlyInsideItsWindow)
{
    BookEveryone();
    BestEleven.category = BEST_DISCIPLINE;
    BestEleven.division = 0;
    struct Case {
        int32_t day;
        bool shown;
    };
    const int32_t first = VTW_GetSeasonEndDay(), last = VTW_GetLastLeagueDay();
    const Case cases[] = {
        {0, false}, {first + 14, false}, {first + 15, true}, {last + 6, true}, {last + 7, false},
    };
    for (const Case& c : cases) {
        Calendar_SetDay(c.day);
        BestEleven_Build();
        EXPECT_EQ(BestEleven.shown, c.shown ? 1 : 0) << c.day;
        EXPECT_EQ(BestEleven.message, c.shown ? -1 : 1808) << c.day;
        BestElevenSlot expected[BEST_ELEVEN_SLOTS];
        VTW_BuildBestEleven(BEST_DISCIPLINE, 0, expected);
        for (int32_t k = 0; k < BEST_ELEVEN_SLOTS; ++k) {
            EXPECT_EQ(BestEleven.slots[k].player, c.shown ? expected[k].player : -1)
                << c.day << " " << k;
            EXPECT_TRUE(!c.shown || BestEleven.slots[k].player >= 0) << c.day << " " << k;
        }
    }
}

TEST_F(BestElevenTest, CategoriesAndDivisionsAreChosenFromTheButtonsAndTheirDropDowns)
{
    BestEleven.division = 1;
    EXPECT_EQ(BestEleven_ChooseCategory(BEST_YOUNG), EXM_CODE_REDRAW);
    EXPECT_EQ(BestEleven.category, BEST_YOUNG);
    EXPECT_EQ(BestEleven.division, 1);
    for (const int32_t category : {BEST_PERFORMANCE, BEST_WORST}) {
        MenuListEntry* popup = BestEleven_DivisionPopup(category);
        MenuListRecord record{1, 0, 0};
        popup[0].prepare(&record);
        for (int32_t d = 0; d < DIVISION_MAX; ++d) {
            EXPECT_EQ(popup[1 + d].type != 0, d < VTW_GetCountryDivisions()) << d;
        }
        EXPECT_EQ(popup[1 + 2].handler(&popup[1 + 2]), LIST_CODE_REDRAW);
        EXPECT_EQ(BestEleven.category, category);
        EXPECT_EQ(BestEleven.division, 2);
        BestEleven_Build();
        EXPECT_EQ(BestEleven.categoryHighlights[category], 8);
        EXPECT_EQ(BestEleven.categoryHighlights[BEST_YOUNG], 0);
    }
}

// The screen opens on the human's division; a human out of a job reads the top one.
TEST_F(BestElevenTest, TheDivisionIsTheHumansOrTheTopOneWithoutAClub)
{
    const int32_t human = m_screen.HumanClub();
    struct Case {
        int32_t club;  // the club the human controls, -1 none
        int16_t division;
    };
    for (const Case& c : {Case{VTW_GetDivisionSlot(2, 3), 2}, Case{-1, 0}, Case{human, 0}}) {
        VTW_GetClubRecordPtr(human)->controller = 0;
        if (c.club >= 0) VTW_GetClubRecordPtr(c.club)->controller = MANAGER_HUMAN;
        BestEleven.division = 4;
        m_screen.Run(BestEleven_Table(), [] {});
        EXPECT_EQ(BestEleven.division, c.division) << c.club;
        if (c.club >= 0) VTW_GetClubRecordPtr(c.club)->controller = 0;
    }
}

TEST_F(BestElevenTest, TheElevenMatchesItsGoldenInAndOutOfItsWindow)
{
    BookEveryone();
    BestEleven.category = BEST_DISCIPLINE;
    uint32_t hash = 0;
    m_screen.Run(BestEleven_Table(), [&] { hash = WorkScreenHash(); });
    ExpectGoldenHash("menus/best_eleven_closed", hash);
    Calendar_SetDay(VTW_GetSeasonEndDay() + 20);
    m_screen.Run(BestEleven_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("best_eleven.png");
    });
    EXPECT_EQ(BestEleven.division, VTW_FindDivisionOfTeam(m_screen.HumanClub()));
    ExpectGoldenHash("menus/best_eleven", hash);
}

// The stars and the flops are chosen per division: the title names it beside the category.
TEST_F(BestElevenTest, TheStarsTitleNamesTheirDivisionInItsGolden)
{
    BestEleven.category = BEST_PERFORMANCE;
    Calendar_SetDay(VTW_GetSeasonEndDay() + 20);
    uint32_t hash = 0;
    m_screen.Run(BestEleven_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("best_eleven_stars.png");
    });
    ExpectGoldenHash("menus/best_eleven_stars", hash);
}
