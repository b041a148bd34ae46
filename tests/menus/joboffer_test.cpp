// tests/menus/joboffer_test.cpp: the job offer: where accepting and refusing lead in each mode,
// the board's grant on a refusal, and the squad list's scrolling.
#include "menus/joboffer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/market.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t OFFERED = 3;
constexpr int32_t PRESENT = 8;

ClubRecord& Record(int32_t club) { return *Club_RefForGet(club, "test").full; }

// A seed whose first draw is odd: the board's coin falls on reacting.
uint32_t ReactingSeed()
{
    uint32_t seed = 1;
    for (;; ++seed) {
        SRand(seed);
        if (Rand() % 2 == 1) return seed;
    }
}

class JobOfferScreen : public ::testing::Test {
protected:
    JobOfferScreen()
    {
        NewGameForTest(6, 7);
        FrontEndInit();
        JobOfferInit();
        GameState.currentClub = OFFERED;
    }
    ~JobOfferScreen() override
    {
        JobOfferUninit();
        FrontEndUninit();
    }

    // The human in charge at PRESENT, offered OFFERED in `mode`.
    static void Employ(uint16_t mode)
    {
        VTW_SetClubControl(PRESENT, MANAGER_HUMAN);
        GameState.humanClub = PRESENT;
        JobOfferMode = mode;
    }

    // "Refuser" in mode 2 after the board reacted, its message box clicked away.
    static int32_t RefuseAfterReaction()
    {
        Employ(2);
        JobOffer.boardReaction = 1;
        MenuInputs inputs;
        for (uint32_t tick = 30; tick <= 120; tick += 30) {
            AddClick(&inputs, tick, 320, 240);  // whatever the box's opening takes
        }
        ScopedMenuScript script(inputs, 20);
        return JobOffer_Refuse(nullptr);
    }

    ScopedWorld m_world;
    ScopedMenuDisplay m_display;
};

}  // namespace

// "Entraîneur-joueur : entraîne et joue" puts the human, by his name, in his new club's squad
// and "Entraîneur" leaves him out of it.
TEST_F(JobOfferScreen, TheFirstJobsTwoChoicesSetOrClearThePlayerManagerClause)
{
    std::snprintf(GameState.managerName, sizeof GameState.managerName, "Jean Rivet");
    for (const auto& [choose, clause] :
         {std::pair{&JobOffer_PlayerManager, 1}, std::pair{&JobOffer_ManagerOnly, 0},
          std::pair{&JobOffer_PlayerManager, 1}}) {
        Record(OFFERED).playerManagerClause = static_cast<uint8_t>(1 - clause);
        JobOfferMode = 0;
        JobOfferViewFlag = 1;
        MarketState.offerDayB = 9;  // a stale application of an earlier career
        MarketState.offerClub = 4;
        EXPECT_EQ(choose(nullptr), EXM_CODE_LEAVE);
        EXPECT_EQ(VTW_GetHumanOfferB(), -1);
        EXPECT_EQ(VTW_GetHumanOfferClub(), -1);
        EXPECT_EQ(Record(OFFERED).playerManagerClause, clause);
        EXPECT_EQ(MenuOption, 16);
        EXPECT_EQ(VTW_GetClubOfManager(MANAGER_HUMAN), OFFERED);
        EXPECT_EQ(GameState.humanClub, OFFERED);
        EXPECT_EQ(JobOfferViewFlag, 0);
        EXPECT_EQ(JobNewMarkers[0], 1);
        VTW_RefreshSquadCount(OFFERED);
        const int16_t* squad = SquadList.players;
        EXPECT_EQ(std::count(squad, squad + SquadList.count, PERSON_HUMAN), clause);
        EXPECT_STREQ(VTW_FormatPersonName(PERSON_HUMAN), "Jean Rivet");
    }
}

TEST_F(JobOfferScreen, RefusingLeadsBackToWhereTheOfferCameFrom)
{
    JobOfferMode = 0;
    JobOfferViewFlag = 1;
    EXPECT_EQ(JobOffer_Refuse(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 5);
    EXPECT_EQ(JobOfferViewFlag, 0);
    JobOfferMode = 1;
    EXPECT_EQ(JobOffer_Refuse(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 43);
    EXPECT_EQ(JobOfferMode, 0);
    Employ(2);
    const int32_t balance = Club_GetBalance(PRESENT);
    EXPECT_EQ(JobOffer_Refuse(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    EXPECT_EQ(Club_GetBalance(PRESENT), balance);  // no reaction, no grant
    EXPECT_EQ(VTW_GetClubOfManager(MANAGER_HUMAN), PRESENT);
}

TEST_F(JobOfferScreen, AFormClubsBoardReactsOnceInNewsAndTheOfferStaysOpen)
{
    Employ(2);
    ClubRecord& present = Record(PRESENT);
    present.reputation = 0;  // far below the sixth place
    std::fill(std::begin(present.lastResults), std::end(present.lastResults), RESULT_WIN);
    SRand(ReactingSeed());
    const int32_t news = TextMessNews.count;
    EXPECT_EQ(JobOffer_Accept(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(JobOffer.boardReaction, 1);
    EXPECT_EQ(TextMessNews.count, news + 1);
    EXPECT_EQ(VTW_GetClubOfManager(MANAGER_HUMAN), PRESENT);
    EXPECT_EQ(JobOffer_Accept(nullptr), EXM_CODE_LEAVE);  // the board has had its say
    EXPECT_EQ(VTW_GetClubOfManager(MANAGER_HUMAN), OFFERED);
    EXPECT_EQ(TextMessNews.count, news + 1);
}

TEST_F(JobOfferScreen, TheBoardGrantsAShareOfAPositiveBalanceAndNothingOnADebt)
{
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        SRand(seed);
        Club_SetBalance(PRESENT, 1000000);
        const int32_t income = VTW_GetClubMiscIn(PRESENT);
        EXPECT_EQ(RefuseAfterReaction(), EXM_CODE_LEAVE);
        // Booked as income, so that the season's figures still explain the balance.
        EXPECT_EQ(VTW_GetClubMiscIn(PRESENT) - income, Club_GetBalance(PRESENT) - 1000000);
        EXPECT_GE(Club_GetBalance(PRESENT), 1200000) << seed;
        EXPECT_LE(Club_GetBalance(PRESENT), 1390000) << seed;
        EXPECT_EQ(JobOffer.boardReaction, 0);
        EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    }
    Club_SetBalance(PRESENT, -500000);
    RefuseAfterReaction();
    EXPECT_EQ(Club_GetBalance(PRESENT), -500000);
    Club_SetBalance(PRESENT, 120000000);  // times 1.2 leaves the stored range
    RefuseAfterReaction();
    EXPECT_EQ(Club_GetBalance(PRESENT), BALANCE_MAX);
}

TEST_F(JobOfferScreen, TakingAJobWhileEmployedResetsTheClausesAndRoutesOn)
{
    Employ(2);
    JobOffer.boardReaction = 1;  // the board has had its say
    ClubRecord& offered = Record(OFFERED);
    offered.flags = CLUBFLAG_RELEGATION_BONUS | CLUBFLAG_BOARD_PRESSURE | CLUBFLAG_TRANSFER_EMBARGO
                    | CLUBFLAG_YOUTH_PRIORITY;
    offered.financialClause = 0;
    offered.contractClause = 0;
    offered.trainingClause = 0;
    VTW_SetJobOfferHuman(1);
    FrontEndRoutes.sackedHuman = [] { return 1; };  // something for the routing to find
    EXPECT_EQ(JobOffer_Accept(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(offered.flags, 0);
    EXPECT_EQ(offered.financialClause, 1);
    EXPECT_EQ(offered.contractClause, 1);  // the terms that open contract talks and training
    EXPECT_EQ(offered.trainingClause, 1);
    EXPECT_EQ(VTW_GetClubOfManager(MANAGER_HUMAN), OFFERED);
    EXPECT_EQ(VTW_GetJobOfferHuman(), 0);
    EXPECT_EQ(JobOfferMode, 0);
    EXPECT_EQ(MenuOption, 43);
}

TEST_F(JobOfferScreen, TheClubTakenNamesTheHumanItsManagerIsFreeAndTheClubLeftHasACaretaker)
{
    Employ(2);
    JobOffer.boardReaction = 1;
    const int32_t displaced = Record(OFFERED).manager;
    ASSERT_GE(displaced, PERSON_FIRST_ORDINARY);
    VTW_SetJobOfferHuman(1);
    JobOffer_Accept(nullptr);
    EXPECT_EQ(Club_GetManager(OFFERED), PERSON_HUMAN);
    EXPECT_EQ(VTW_GetPlayerCaretaker(OFFERED), 0);
    EXPECT_EQ(DbPlayers[displaced].club, CLUB_NONE);
    EXPECT_LT(Record(PRESENT).manager, 0);
    EXPECT_EQ(VTW_GetPlayerCaretaker(PRESENT), 1);
}

TEST_F(JobOfferScreen, TheSquadListScrollsOnlyPastSeventeenRows)
{
    JobOffer.squadRows = JOBOFFER_SQUAD_ROWS;
    EXPECT_EQ(JobOffer_ScrollDown(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(JobOffer.scroll, 0);
    JobOffer.squadRows = JOBOFFER_SQUAD_ROWS + 2;
    for (int32_t press = 0; press < 4; ++press) {
        JobOffer_ScrollDown(nullptr);
    }
    EXPECT_EQ(JobOffer.scroll, 2);
    for (int32_t press = 0; press < 4; ++press) {
        JobOffer_ScrollUp(nullptr);
    }
    EXPECT_EQ(JobOffer.scroll, 0);
}

// France plays two national cups and no super cup: a club of the lowest division is offered
// those two, a champions' cup qualifier those and the champions' cup.
TEST_F(JobOfferScreen, TheOfferListsTheCupsTheClubPlays)
{
    int32_t qualifier = -1;
    for (int32_t club = 0; club < CLUB_ID_COUNT && qualifier < 0; ++club) {
        if (VTW_GetClubCountry(club) == 6 && Cup_HasClub(CUP_CHAMPIONS, club)) qualifier = club;
    }
    ASSERT_GE(qualifier, 0);
    struct Case {
        int32_t club;
        std::array<int16_t, JOBOFFER_CUP_ROWS> cups;
    };
    for (const Case& c :
         {Case{VTW_GetDivisionSlot(VTW_GetCountryDivisions() - 1, 0), {2470, 2471, -1, -1}},
          Case{qualifier, {2470, 2471, 2476, -1}}}) {
        GameState.currentClub = static_cast<int16_t>(c.club);
        reinterpret_cast<MenuInitFn>(JobOffer_Table()[0].p10)();
        EXPECT_TRUE(std::equal(c.cups.begin(), c.cups.end(), JobOffer.cups)) << c.club;
    }
}
