// tests/menus/frontend_test.cpp: the dispatcher of options, the splash wait, the ways back from
// the screens, and the routing after game time.
#include "menus/frontend.h"

#include <cstring>
#include <string>
#include <vector>

#include "engine/dxdraw.h"
#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/squad.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "game/world.h"
#include "gamecode/presentation.h"
#include "menus/credits.h"
#include "menus/exm.h"
#include "menus/machine.h"
#include "menus/menupc.h"
#include "menus/office.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t TEXT_SAVE_ADVICE = 1160;

std::vector<std::string> s_shown;  // messages the routing showed

void Capture(const char* text) { s_shown.push_back(text); }

// The frontend's words reset, the messages captured and the job and transfer markets faked.
class RouteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        NewGameForTest(0, 17);
        VTW_SetClubControl(0, MANAGER_HUMAN);
        FrontEndInit();
        s_shown.clear();
        GameHooks.ShowMessage = Capture;
        AutoRunMode = 0;
        MenuOption = 25;
        GameState.dayNo = 100;
        m_human = VTW_GetClubOfManager(MANAGER_HUMAN);
        ASSERT_GE(m_human, 0);
        for (int16_t id = 0; id < FullPlayerCount; ++id) {
            if (VTW_GetPlayerClub(id) == m_human && VTW_GetPlayerPosition(id) != 13) m_player = id;
        }
        ASSERT_GE(m_player, 0);
        s_player = m_player;
        s_removed = -1;
    }
    void TearDown() override
    {
        GameHooks_Reset();
        FrontEndUninit();
        AutoRunMode = 0;
    }

    // A request for the human's player from `club`, bidding `bid`.
    void AskFor(int32_t club, int32_t bid)
    {
        s_club = club;
        s_bid = bid;
        FrontEndRoutes.salesHuman = [] { return 1; };
        FrontEndRoutes.salesPlayer = [] { return s_player; };
        FrontEndRoutes.salesClub = [] { return s_club; };
        FrontEndRoutes.bidForPlayer = [](int32_t, int32_t) { return s_bid; };
        FrontEndRoutes.removeSale = [](int32_t player) { s_removed = player; };
    }

    ScopedWorld m_world;
    int32_t m_human = -1;
    int32_t m_player = -1;
    static inline int32_t s_player;
    static inline int32_t s_club;
    static inline int32_t s_bid;
    static inline int32_t s_removed;
};

}  // namespace

TEST(FrontEndDeathTest, EmptyAndOutOfRangeOptionsAreFatal)
{
    for (const int32_t option : {18, 20, 33, 40, 41, 42, 85, -2}) {
        EXPECT_FATAL(DispatchOption(option),
                     "Error: DoMainMenu(): Invalid MenuOption = " + std::to_string(option));
    }
}

TEST(FrontEnd, StepsThatOnlyChooseTheNextOption)
{
    ScopedCore core;
    FrontEndInit();
    DispatchOption(2);
    EXPECT_EQ(MenuOption, 7);
    PreviousOption = 9;
    MenuOption = 83;
    DispatchOption(83);
    EXPECT_EQ(MenuOption, 9);
    EXPECT_EQ(PreviousOption, 9);
    FrontEndUninit();
}

TEST(FrontEnd, AClickEndsTheSplashWaitAtOnce)
{
    ScopedMenuDisplay display;
    PresentMenuScreen();  // shown once, so no wipe spends the ticks of the click
    MenuInputs inputs;
    AddClick(&inputs, 10, 100, 100);
    ScopedMenuScript script(inputs);
    const int32_t clicked = WaitTicksOrClick(SPLASH_TICKS);
    EXPECT_EQ(clicked, 1) << ScopedMenuScript::Elapsed();
    EXPECT_LT(ScopedMenuScript::Elapsed(), 30u);
    EXPECT_EQ(WaitTicksOrClick(20), 0);  // the button still held from the click does not count
}

// Escape, then the screen's OK or back control, on the screens the office reaches: the player is
// back where he came from, never on the title screen with his career thrown away. The squad and
// save screens are left to the office by their own controls.
TEST(FrontEnd, EscapeThenOkOnEveryScreenOfACareerNeverReachesTheTitle)
{
    ScopedWorld world;
    NewGameForTest(0, 17);
    ScopedMenuDisplay display(true);
    TempHome home;
    FrontEndInit();
    FrontEnd_RegisterLoopSteps();
    VTW_SetClubControl(0, MANAGER_HUMAN);
    GameState.humanClub = 0;
    GameState.currentClub = 0;
    Club_AISelectTeam(0);
    struct Case {
        int16_t from;
        int16_t option;
        int16_t expected;
        int16_t backX = 570;  // the OK icon
        int16_t backY = 436;
    };
    const std::vector<Case> cases = {{3, 7, 3}, {3, 50, 3, 590, 460}, {25, 43, 3}};
    for (const Case& c : cases) {
        PreviousOption = c.from;
        MenuOption = c.option;
        MenuInputs inputs;
        AddKey(&inputs, 60, EXM_ESCAPE_KEY);
        AddClick(&inputs, 300, c.backX, c.backY);
        AddClick(&inputs, 500, c.backX, c.backY);
        ScopedMenuScript script(inputs, 200);
        SCOPED_TRACE(c.option);
        for (int32_t step = 0; step < 3 && MenuOption == c.option; ++step) {
            DispatchNext();
        }
        EXPECT_EQ(MenuOption, c.expected) << "from " << c.from << " to " << c.option;
    }
    FrontEndUninit();
}

// Escape on a screen that has no Escape answer of its own leaves it for the screen it was opened
// from (the office when that was a game step, itself or the title), instead of opening it again;
// back on the squad from the card it opened, Escape goes on to the office, not to the card again.
// The office, the hub, opens again with its information box closed.
TEST(FrontEnd, EscapeLeavesEachScreenForTheOneItCameFrom)
{
    ScopedWorld world;
    NewGameForTest(0, 17);
    ScopedMenuDisplay display(true);
    TempHome home;
    FrontEndInit();
    FrontEnd_RegisterLoopSteps();
    VTW_SetClubControl(0, MANAGER_HUMAN);
    GameState.humanClub = 0;
    GameState.currentClub = 0;
    Club_AISelectTeam(0);
    VTW_RefreshSquadCount(0);
    CurrentPlayer = static_cast<int16_t>(SquadList.players[0]);
    CardReturnOption = 7;
    struct Case {
        int16_t from;
        int16_t option;
        int16_t expected;
    };
    const Case cases[] = {
        {3, 7, 3},  {7, 4, 7},  {4, 7, 3},  {3, 8, 3}, {3, 26, 3}, {7, 19, 7},
        {3, 21, 3}, {25, 7, 3}, {24, 8, 3}, {8, 8, 3}, {3, 3, 3},
    };
    for (const Case& c : cases) {
        PreviousOption = c.from;
        MenuOption = c.option;
        Office.flags |= OFFICE_INFO_BOX | OFFICE_OFFERS_PAGE;
        MenuInputs inputs;
        AddKey(&inputs, 60, EXM_ESCAPE_KEY);
        ScopedMenuScript script(inputs, 400);
        DispatchNext();
        EXPECT_EQ(MenuOption, c.expected) << "from " << c.from << " to " << c.option;
        EXPECT_LT(ScopedMenuScript::Elapsed(), 300u) << c.option;  // by the first Escape
    }
    EXPECT_EQ(Office.flags & (OFFICE_INFO_BOX | OFFICE_OFFERS_PAGE), 0);
    FrontEndUninit();
}

// Without a career the title's own screens go back to it: "Ralenti" left by "Menu préc." or by
// Escape, and nothing chosen leaves no replay to watch.
TEST(FrontEnd, TheReplayScreenGoesBackToTheTitleBeforeACareer)
{
    ScopedWorld world;
    ScopedMenuDisplay display(true);
    TempHome home;
    FrontEndInit();
    FrontEnd_RegisterLoopSteps();
    for (const int16_t from : {MENU_OPTION_TITLE, int16_t{-1}}) {
        PreviousOption = from;
        MenuOption = 55;
        MenuInputs inputs;
        if (from == MENU_OPTION_TITLE) {
            AddClick(&inputs, 100, 587, 457);
        } else {
            AddKey(&inputs, 100, EXM_ESCAPE_KEY);
        }
        ScopedMenuScript script(inputs);
        DispatchNext();
        EXPECT_EQ(MenuOption, MENU_OPTION_TITLE);
        EXPECT_EQ(MatchShared.replayState, REPLAY_NORMAL);
    }
    FrontEndUninit();
}

TEST_F(RouteTest, TheLastDayAdvisesSavingUnlessTheRunIsUnattended)
{
    GameState.dayNo = ROUTE_LAST_DAY;
    RouteGameEvents();
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    ASSERT_EQ(s_shown.size(), 1u);
    EXPECT_EQ(s_shown[0], GetMessageText(TEXT_SAVE_ADVICE));
    s_shown.clear();
    AutoRunMode = 1;
    MenuOption = 25;
    RouteGameEvents();
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    EXPECT_TRUE(s_shown.empty());
}

TEST_F(RouteTest, SackingAndJobOffersComeBeforeTheOffice)
{
    FrontEndRoutes.sackedHuman = [] { return 1; };
    RouteGameEvents();
    EXPECT_EQ(MenuOption, 43);
    FrontEndRoutes.sackedHuman = [] { return 0; };
    FrontEndRoutes.jobOfferHuman = [] { return 1; };
    FrontEndRoutes.jobOfferClub = [] { return 12; };
    RouteGameEvents();
    EXPECT_EQ(MenuOption, 6);
    EXPECT_EQ(JobOfferMode, 2);
    EXPECT_EQ(GameState.currentClub, 12);
}

// The human sacked and offered a job, then "Nouvelle partie": the new career starts with no offer,
// no routed club and no player of the old one on the card.
TEST_F(RouteTest, ANewCareerAfterASackingKeepsNoJobOffer)
{
    FrontEndRoutes.jobOfferHuman = [] { return 1; };
    FrontEndRoutes.jobOfferClub = [] { return 12; };
    RouteGameEvents();
    ASSERT_EQ(JobOfferMode, 2);
    CurrentPlayer = static_cast<int16_t>(m_player);
    GameHooks.ResetCareerScreens = FrontEnd_ResetCareerWords;
    NewGameForTest(2, 5);
    EXPECT_EQ(JobOfferMode, 0);
    EXPECT_EQ(CurrentPlayer, -1);
    EXPECT_EQ(RouteClub, -1);
    EXPECT_EQ(CurrentHuman, MANAGER_HUMAN);
}

TEST_F(RouteTest, TheJobMarketsOwnAnswersRouteASackingAndAnApplicationThatStands)
{
    MarketState.sackedDay = static_cast<int16_t>(VTW_GetCurrentDay());
    RouteGameEvents();
    EXPECT_EQ(MenuOption, 43);

    MarketState.sackedDay = -1;
    MarketState.offerDayB = static_cast<int16_t>(VTW_GetCurrentDay());
    MarketState.offerC = 1;
    MarketState.offerClub = 12;
    const int32_t newsBefore = TextMessNews.count;
    MenuOption = 25;
    RouteGameEvents();
    EXPECT_EQ(MenuOption, 6);
    EXPECT_EQ(JobOfferMode, 2);
    EXPECT_EQ(GameState.currentClub, 12);
    EXPECT_EQ(TextMessNews.count, newsBefore + 1);  // told once, by the routing alone
}

TEST_F(RouteTest, WithoutAPostTheCurrentClubStaysTheOneHeLeft)
{
    VTW_SetClubControl(m_human, MANAGER_COMPUTER);
    GameState.humanClub = -1;
    GameState.currentClub = static_cast<int16_t>(m_human);
    GameState.dayNo = ROUTE_LAST_DAY;
    RouteGameEvents();
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    EXPECT_EQ(GameState.currentClub, m_human);
}

TEST_F(RouteTest, AnOfferThatCameToNothingIsNewsAndTheRoutingGoesOn)
{
    FrontEndRoutes.humanOfferDay = [] { return VTW_GetCurrentDay(); };
    FrontEndRoutes.humanOfferStands = [] { return 0; };
    FrontEndRoutes.humanOfferClub = [] { return 12; };
    FrontEndRoutes.contractsHuman = [] { return 1; };
    const int32_t newsBefore = TextMessNews.count;
    RouteGameEvents();
    EXPECT_EQ(TextMessNews.count, newsBefore + 1);
    EXPECT_EQ(MenuOption, 14);  // on to the pending contract talks
}

TEST_F(RouteTest, TheOfficeKeepsThePlayerCard)
{
    MenuOption = 4;
    RouteGameEvents();
    EXPECT_EQ(MenuOption, 4);
    MenuOption = MENU_OPTION_QUIT;
    RouteGameEvents();
    EXPECT_EQ(MenuOption, MENU_OPTION_QUIT);
}

TEST_F(RouteTest, ARequestBelowFortyPercentOfTheValueIsDropped)
{
    // The value at the league's price level, at which the bids are made.
    const int64_t value =
        int64_t(VTW_ComputePlayerValueWithPotential(m_player)) * Market_PriceLevelPercent() / 100;
    ASSERT_GT(value, 100);
    const int32_t sameDivision = m_human == 0 ? 1 : 0;
    AskFor(sameDivision, static_cast<int32_t>(value * 39 / 100));
    RouteGameEvents();
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    EXPECT_EQ(s_removed, m_player);
    s_removed = -1;
    AskFor(sameDivision, static_cast<int32_t>((value * 40 + 99) / 100));
    RouteGameEvents();
    EXPECT_EQ(MenuOption, 10);
    EXPECT_EQ(s_removed, -1);
}

// Bids are made at the league's price level: the 40 percent are of the player's value at that
// level, whatever the level. A computer club's own request, at the market's fee and bid, reaches
// the human in a league whose money sank to the level's floor.
TEST_F(RouteTest, ARequestIsJudgedAtTheLeaguesPriceLevel)
{
    const int32_t asking = m_human == 0 ? 1 : 0;
    const int32_t clubs = World_LeagueClubCount(GameState.country);
    // Every club with a quarter of its first spending money, the asking one with a budget.
    for (int32_t club = 0; club < clubs; ++club) {
        const int64_t spending =
            NewGame_SpendingMoney(VTW_GetClubReputation(club), VTW_GetClubDivision(club));
        Club_SetBalance(club, static_cast<int32_t>(std::min<int64_t>(spending, BALANCE_MAX) / 4));
    }
    const int64_t value = VTW_ComputePlayerValueWithPotential(m_player);
    Club_SetBalance(asking, static_cast<int32_t>(Club_WagesReserved(asking) + 4 * value));
    ASSERT_EQ(Market_PriceLevelPercent(), 50);

    AskFor(asking, static_cast<int32_t>(value * 39 / 200));  // 39 % of the value at 50 %
    RouteGameEvents();
    EXPECT_EQ(s_removed, m_player);
    s_removed = -1;
    MenuOption = MENU_OPTION_OFFICE;
    AskFor(asking, static_cast<int32_t>((value * 40 + 199) / 200));
    RouteGameEvents();
    EXPECT_EQ(MenuOption, 10);
    EXPECT_EQ(s_removed, -1);

    FrontEndInit();  // the market's own bid for the request
    FrontEndRoutes.removeSale = [](int32_t player) { s_removed = player; };
    MenuOption = MENU_OPTION_OFFICE;
    int32_t interest = 0;
    const int32_t fee = VTW_ComputeTransferFee(m_player, 0, asking, &interest, 0);
    ASSERT_NE(Market_AddHumanSale(m_player, asking, 0, fee), 0);
    RouteGameEvents();
    EXPECT_EQ(MenuOption, 10);
    EXPECT_EQ(s_removed, -1);
}

TEST_F(RouteTest, AClubTwoDivisionsLowerMayNotTakeANumberedPlayer)
{
    int32_t lower = -1;
    for (int32_t club = 0; club < CLUB_ID_COUNT && lower < 0; ++club) {
        if (VTW_GetClubDivision(club) >= VTW_GetClubDivision(m_human) + 2) lower = club;
    }
    if (lower < 0) GTEST_SKIP() << "no club two divisions lower in this world";
    VTW_SetPlayerShirt(m_player, 5);
    AskFor(lower, 2 * VTW_ComputePlayerValueWithPotential(m_player));
    RouteGameEvents();
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    EXPECT_EQ(s_removed, m_player);
}

TEST(Credits, EndOnAClickOnEscapeOrOnceTheLastRowHasRisen)
{
    ScopedMenuDisplay display;
    {
        ScopedMenuScript script({}, 100000);
        Menu_TimedScreen();
        EXPECT_GT(ScopedMenuScript::Elapsed(), 2400u);
        EXPECT_LT(ScopedMenuScript::Elapsed(), 2700u);
    }
    {
        MenuInputs inputs;
        AddClick(&inputs, 300, 320, 240);
        ScopedMenuScript script(inputs, 100000);
        Menu_TimedScreen();
        EXPECT_LT(ScopedMenuScript::Elapsed(), 320u);
    }
    {
        MenuInputs inputs;
        AddKey(&inputs, 300, 1);
        ScopedMenuScript script(inputs, 100000);
        Menu_TimedScreen();
        EXPECT_LT(ScopedMenuScript::Elapsed(), 320u);
    }
}

TEST(FrontEnd, TheNamesFileFillsTheNamesBufferAndNoMore)
{
    TempDir data;
    std::vector<uint8_t> names(NAMES_FILE_BYTES + 10, 'n');
    names[NAMES_FILE_BYTES - 1] = 'z';
    WriteTestPak(data.Path(), {{"stats\\names.dat", names}});
    ScopedMenus menus(DDRAW_KIND_16BIT, data.Path());
    LoadNamesFile();
    EXPECT_EQ(NamesBuffer[0], 'n');
    EXPECT_EQ(NamesBuffer[NAMES_FILE_BYTES - 1], 'z');
}

TEST(FrontEnd, TrimTrailingSpacesCutsOnlyTheBlanksAtTheEnd)
{
    const struct {
        const char* text;
        const char* trimmed;
    } cases[] = {{"", ""},
                 {"   ", ""},
                 {"Jean  ", "Jean"},
                 {" J. Dupont ", " J. Dupont"},
                 {"Jean\t", "Jean\t"},
                 {"Jean", "Jean"}};
    for (const auto& c : cases) {
        char text[16] = {};
        std::strncpy(text, c.text, sizeof text - 1);
        TrimTrailingSpaces(text);
        EXPECT_STREQ(text, c.trimmed) << '"' << c.text << '"';
        EXPECT_EQ(text[std::strlen(c.text)], '\0');  // each blank became a terminator
    }
}
