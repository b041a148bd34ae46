// tests/menus/jobcentre_test.cpp: applications and their answers, looking at a club, the
// threatened list's paging and the end of a career that no club would take on.
#include "menus/jobcentre.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/season.h"
#include "game/tables.h"
#include "menus/debugscreen.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/office.h"
#include "menus/squadscreen.h"
#include "tests/support/menu_loop.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t kReputation = 30;

void PlayDay()
{
    VTW_FindHumanNextFixture();
    int32_t row = 0;
    while (VTW_PlayMatchDay(&row) != 0) {
    }
    VTW_AdvanceDay();
}

class JobCentreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        JobCentreInit();
        DbPlayers[PERSON_HUMAN].reputation = kReputation;
        m_club = DivisionLists[0][3];
    }
    // The club's post vacant, asking for `reputation`; it becomes the only vacancy row.
    void Vacate(int32_t reputation)
    {
        DbClubs[m_club].manager = -1;
        DbClubs[m_club].reputation = static_cast<uint8_t>(reputation);
        JobCentre.vacancies[0] = static_cast<uint16_t>(m_club);
        JobCentre.vacancies[1] = 65535;
        JobCentre.vacancyCount = 1;
    }
    // The human sacked today: no post, and his club left to the computer.
    void Sack()
    {
        VTW_SetClubControl(m_screen.HumanClub(), MANAGER_COMPUTER);
        GameState.humanClub = -1;
        MarketState.sackedDay = static_cast<int16_t>(DayNo);
    }
    // The screen run with its messages clicked away: the game-over flag once it has settled.
    int32_t GameOverAfterBuild()
    {
        MenuInputs clicks;
        for (uint32_t tick = 30; tick <= 150; tick += 30) {
            AddClick(&clicks, tick, 320, 240);
        }
        int32_t over = -1;
        m_screen.Run(
            JobCentre_Table(), [&] { over = JobCentre.gameOver; }, clicks);
        return over;
    }

    ScopedScreenRedraw m_screen;
    int32_t m_club = -1;
};

}  // namespace

TEST_F(JobCentreTest, AnApplicationsAnswerLeadsToTheOfferOrBackToTheJobCentre)
{
    struct Case {
        int32_t clubReputation;
        int32_t answer;
        int16_t option;
    };
    // The club asks for its reputation and 5 more, and is undecided down to 15 below that.
    const Case cases[] = {
        {kReputation - 5, 1, 6},
        {kReputation + 5, 2, OPTION_JOB_CENTRE},
        {kReputation + 20, 0, OPTION_JOB_CENTRE},
    };
    for (const Case& c : cases) {
        SetUp();
        Market_ClearHumanOffers();
        Vacate(c.clubReputation);
        GameState.currentClub = static_cast<int16_t>(m_screen.HumanClub());
        JobOfferMode = 0;
        JobCentre_ChooseRow(0);
        EXPECT_EQ(ClickingBoxesAway(JobCentre_Apply), LIST_CODE_LEAVE) << c.answer;
        EXPECT_EQ(JobCentre.lastAnswer, c.answer);
        EXPECT_EQ(MenuOption, c.option) << c.answer;
        EXPECT_EQ(JobOfferMode, c.answer == 1 ? 1 : 0) << c.answer;
        EXPECT_EQ(GameState.currentClub, c.answer == 1 ? m_club : m_screen.HumanClub());
        EXPECT_EQ(GameState.humanClub, m_screen.HumanClub()) << "only the offer hands it over";
        EXPECT_EQ(MarketState.offerClub, c.answer == 2 ? m_club : -1) << c.answer;
        EXPECT_EQ(JobCentre.chosenClub, JOBCENTRE_NO_CLUB);
    }
}

TEST_F(JobCentreTest, WithNoClubChosenTheEntriesOnlyCloseTheList)
{
    JobCentre_ChooseRow(0);  // no vacancy listed
    MenuOption = OPTION_JOB_CENTRE;
    EXPECT_EQ(JobCentre_Apply(), LIST_CODE_REDRAW);
    EXPECT_EQ(JobCentre_Look(MENU_OPTION_SQUAD), LIST_CODE_CLOSE);
    EXPECT_EQ(JobCentre.lastAnswer, -1);
    EXPECT_EQ(JobCentreViewFlag, 0);
    EXPECT_EQ(MenuOption, OPTION_JOB_CENTRE);
}

TEST_F(JobCentreTest, ALookAtAClubsSquadComesBackToTheJobCentreOnce)
{
    Vacate(kReputation);
    JobCentre_ChooseRow(0);
    EXPECT_EQ(JobCentre_Look(MENU_OPTION_SQUAD), LIST_CODE_LEAVE);
    EXPECT_EQ(JobCentreViewFlag, 1);
    EXPECT_EQ(GameState.currentClub, m_club);
    EXPECT_EQ(GameState.humanClub, m_screen.HumanClub());
    EXPECT_EQ(MenuOption, MENU_OPTION_SQUAD);
    Squad_Done(nullptr);
    EXPECT_EQ(MenuOption, OPTION_JOB_CENTRE);
    EXPECT_EQ(JobCentreViewFlag, 0);
    Squad_Done(nullptr);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
}

TEST_F(JobCentreTest, TheGameOverCheckFilesNoApplication)
{
    Vacate(kReputation + 20 + 5);  // undecided for a manager without a post
    ASSERT_EQ(Job_Consider(m_club, JOBCENTRE_NO_POST_BONUS), 2);
    const MarketStateRecord before = MarketState;
    EXPECT_TRUE(JobCentre_AnyClubWouldTake());
    EXPECT_EQ(std::memcmp(&before, &MarketState, sizeof before), 0);
}

TEST_F(JobCentreTest, ASackedManagerWithAQualifyingVacancyGoesOn)
{
    Vacate(kReputation);
    Sack();
    EXPECT_EQ(GameOverAfterBuild(), 0);
}

TEST_F(JobCentreTest, ASackedManagerNoClubWouldTakeCanOnlyGoToTheTitle)
{
    uint16_t vacancies[CLUB_ID_COUNT + 1];
    for (int32_t n = VTW_ListManagerVacancies(vacancies), k = 0; k < n; ++k) {
        DbClubs[vacancies[k]].reputation = 99;
    }
    Sack();
    EXPECT_EQ(GameOverAfterBuild(), 1);
    MenuOption = OPTION_JOB_CENTRE;
    EXPECT_EQ(JobCentre_Apply(), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, MENU_OPTION_TITLE);
    MenuOption = OPTION_JOB_CENTRE;
    EXPECT_EQ(JobCentre_Look(MENU_OPTION_SQUAD), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, MENU_OPTION_TITLE);
    EXPECT_EQ(JobCentreViewFlag, 0);
}

TEST_F(JobCentreTest, TheThreatenedListMovesOneRowAtATimeWithinItself)
{
    JobCentre.threatenedCount = 7;
    EXPECT_EQ(JobCentre_ThreatenedUp(), 1);
    EXPECT_EQ(JobCentre_ThreatenedDown(), EXM_CODE_REDRAW);
    EXPECT_EQ(JobCentre_ThreatenedDown(), EXM_CODE_REDRAW);
    EXPECT_EQ(JobCentre_ThreatenedDown(), 1);
    EXPECT_EQ(JobCentre.first, 2);
    JobCentre.threatenedCount = 3;
    JobCentre.first = 0;
    EXPECT_EQ(JobCentre_ThreatenedDown(), 1);
    EXPECT_EQ(JobCentre.first, 0);
}

TEST_F(JobCentreTest, AManagerWithoutAPostWalksEveryScreenOfTheBarAndTheOffice)
{
    // A squad that loses every match and a board without patience: the board sacks him.
    const int32_t human = m_screen.HumanClub();
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(human, &members);
    for (int32_t k = 0; k < count; ++k) {
        if (members[k] < FullPlayerCount) DbPlayers[members[k]].ability = 1;
    }
    while (GameState.humanClub == human && DayNo < GameState.lastLeagueDay) {
        DbClubs[human].boardPatience = 0;
        PlayDay();
    }
    ASSERT_FALSE(FrontEnd_HumanHasPost());
    Vacate(0);  // a club that would take him: the career goes on
    MenuOption = MENU_OPTION_OFFICE;
    RouteGameEvents();
    EXPECT_EQ(MenuOption, OPTION_JOB_CENTRE);

    // Each screen of the bar, the office with its offers page and a day played, left at once.
    std::vector<int16_t> options = {OPTION_JOB_CENTRE, MENU_OPTION_OFFICE, 25};
    for (const MenuOptionLabel& pair : MenuOption_TextNumber) {
        if (pair.label == 0 && pair.option == 0) break;
        // The debug screen is no bar entry, and Escape does not leave it.
        if (pair.option != MENU_OPTION_SPECIAL && pair.option != OPTION_DEBUG_SCREEN)
            options.push_back(static_cast<int16_t>(pair.option));
    }
    const int32_t day = VTW_GetCurrentDay();
    for (const int16_t option : options) {
        Office.flags |= OFFICE_OFFERS_PAGE;
        ScopedMenuScript escape({}, 100);
        MenuOption = option;
        DispatchNext();
        EXPECT_GE(GameState.currentClub, 0) << option;
        EXPECT_FALSE(FrontEnd_HumanHasPost()) << option;
    }
    EXPECT_EQ(VTW_GetCurrentDay(), day + 1);
}

// Escape never throws a running career away. The weekly job offer, after "Suite", left by Escape:
// the office for a manager with a post, the job centre for one without. Then every screen a
// manager without a post can reach, opened after a game step so that no screen is its way back:
// Escape leads back into the career (the hubs, office and job centre, open again), never to the
// title.
TEST_F(JobCentreTest, EscapeNeverLeadsAManagerWithoutAPostToTheTitle)
{
    Vacate(kReputation);  // a club that would take him: the career goes on
    for (const bool post : {true, false}) {
        if (!post) Sack();
        PlayDay();  // the sacking's own day has routed him to the job centre
        MarketState.jobOfferClub = static_cast<int16_t>(m_club);
        MenuOption = 59;
        DispatchNext();
        ASSERT_EQ(MenuOption, 6) << post;
        ScopedMenuScript escape({}, 100);
        DispatchNext();
        EXPECT_EQ(MenuOption, post ? MENU_OPTION_OFFICE : OPTION_JOB_CENTRE) << post;
        EXPECT_EQ(FrontEnd_HumanHasPost(), post);
    }

    std::vector<int16_t> options = {OPTION_JOB_CENTRE, MENU_OPTION_OFFICE, 6};
    for (const MenuOptionLabel& pair : MenuOption_TextNumber) {
        if (pair.label == 0 && pair.option == 0) break;
        // The debug screen is no bar entry, and Escape does not leave it.
        if (pair.option != MENU_OPTION_SPECIAL && pair.option != OPTION_DEBUG_SCREEN)
            options.push_back(static_cast<int16_t>(pair.option));
    }
    for (const int16_t option : options) {
        ScopedMenuScript escape({}, 100);
        PreviousOption = 59;
        MenuOption = option;
        DispatchNext();
        EXPECT_NE(MenuOption, MENU_OPTION_TITLE) << option;
        EXPECT_FALSE(FrontEnd_HumanHasPost()) << option;
    }
}

TEST_F(JobCentreTest, BothListsMatchTheGolden)
{
    for (int32_t k = 4; k <= 12; ++k) {
        DbClubs[DivisionLists[0][k]].boardPatience = static_cast<uint8_t>(k);
        if (k <= 10) DbClubs[DivisionLists[0][k]].manager = -1;
    }
    uint32_t hash = 0;
    m_screen.Run(JobCentre_Table(), [&] {
        hash = WorkScreenHash();
        EXPECT_EQ(JobCentre.vacancyCount, 7);
        EXPECT_GE(JobCentre.threatenedCount, 2);
    });
    ExpectGoldenHash("menus/job_centre_lists", hash);
}
