// tests/menus/office_test.cpp: the manager's office: the monthly save, "Terminer" and its checks of
// the human's team, the refusals of the drop-downs, the lists' scrolling and the hidden switches.
#include "menus/office.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/savegame.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/dayscreen.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/leaguetable.h"
#include "menus/menubar.h"
#include "menus/numbers.h"
#include "menus/saveindex.h"
#include "menus/squadscreen.h"
#include "tests/support/frame_probe.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

class OfficeScreen : public ::testing::Test {
protected:
    OfficeScreen()
    {
        NewGameForTest(6, 7);
        FrontEndInit();
        m_human = DivisionLists[0][0];
        VTW_SetClubControl(m_human, MANAGER_HUMAN);
        GameState.humanClub = static_cast<int16_t>(m_human);
        GameState.currentClub = static_cast<int16_t>(m_human);
        Club_AISelectTeam(m_human);
    }
    ~OfficeScreen() override { FrontEndUninit(); }

    int32_t FirstMatchDay() const
    {
        for (int32_t day = 0; day < 366; ++day) {
            if (VTW_FindCompetitiveFixtureOnDay(m_human, day) >= 0) return day;
        }
        return -1;
    }

    // A handler that may show a message box, the box clicked away.
    template <typename Fn>
    static int32_t ClickingBoxesAway(Fn handler)
    {
        MenuInputs inputs;
        for (uint32_t tick = 30; tick <= 120; tick += 30) {
            AddClick(&inputs, tick, 320, 240);
        }
        ScopedMenuScript script(inputs, 20);
        return handler();
    }

    static int32_t Choose(MenuListEntry* popup, int32_t row)
    {
        return ClickingBoxesAway([&] { return popup[row].handler(&popup[row]); });
    }

    ScopedWorld m_world;
    ScopedMenuDisplay m_display;
    TempHome m_home;
    int32_t m_human = -1;
};

}  // namespace

TEST_F(OfficeScreen, TheFirstBuildNeverSavesAndTheFirstBuildOfANewMonthSavesSlotTen)
{
    Office_Build();
    Office_Build();
    EXPECT_EQ(SaveIndex_CountUsed(), 0);
    Calendar_SetDay(31);  // 1 September
    Office_Build();
    ASSERT_EQ(LoadIndexFile(), 0);
    EXPECT_EQ(SaveIndex[SAVEINDEX_AUTOSAVE_SLOT].used, 1u);
    EXPECT_STREQ(SaveIndex[SAVEINDEX_AUTOSAVE_SLOT].name, "AutoSave");
}

TEST_F(OfficeScreen, TerminerPassesTimeOnlyWhenTheHumanDoesNotPlayToday)
{
    const int32_t matchDay = FirstMatchDay();
    ASSERT_GT(matchDay, 0);
    Calendar_SetDay(matchDay);
    Office_Build();
    MenuOption = MENU_OPTION_OFFICE;
    EXPECT_EQ(Office_NextDay(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(Office_ToMatchDay(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);

    Calendar_SetDay(matchDay - 1);
    Office_Build();
    EXPECT_EQ(Office_PlayMatch(nullptr), LIST_CODE_CLOSE);
    EXPECT_EQ(Office_ToMatchDay(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 46);
    EXPECT_EQ(AdvanceMode, ADVANCE_TO_MATCH_DAY);
    EXPECT_NE(DayScreenFlags & DAY_SCREEN_COACHES_BOX, 0u);
}

TEST_F(OfficeScreen, ATeamIsRefusedWhenIncompleteWithTooManyForeignersOrWithoutCaptain)
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(m_human, &members);
    int32_t nonEuropean = 0;
    while (World.nationalities[nonEuropean].european != 0) {
        ++nonEuropean;
    }
    int32_t changed = 0;
    for (int32_t k = 0; k < count && changed < 4; ++k) {
        const int32_t shirt = VTW_GetPlayerShirt(members[k]);
        if (shirt < 1 || shirt > 11) continue;
        Player_RefForSet(members[k], "test").person->nationality =
            static_cast<uint8_t>(nonEuropean);
        ++changed;
    }
    EXPECT_EQ(Office_TeamRefusal(m_human), TEXT_TOO_MANY_FOREIGN);

    Club_AISelectTeam(m_human);
    for (int32_t k = 0; k < count; ++k) {
        Player_RefForSet(members[k], "test").person->nationality = 0;
    }
    VTW_ClearSquadCaptains(m_human, 1);
    EXPECT_EQ(Office_TeamRefusal(m_human), TEXT_NO_CAPTAIN);
    for (int32_t k = 0; k < count; ++k) {
        VTW_SetPlayerShirt(members[k], 0);
    }
    EXPECT_EQ(Office_TeamRefusal(m_human), TEXT_NOT_COMPLETE);
}

// The squad screen is the way out of a refused team: the injured starter keeps his shirt there,
// so that a swap with a substitute mends the sheet.
TEST_F(OfficeScreen, AnInjuredStarterSendsTheHumanToTheSquadWhereASwapMendsIt)
{
    const int32_t matchDay = FirstMatchDay();
    Calendar_SetDay(matchDay);
    Office_Build();
    VTW_RefreshSquadCount(m_human);
    const int32_t injured = VTW_GetPlayerByShirt(1);
    const int32_t reserve = VTW_GetPlayerByShirt(12);  // the substitute keeper
    ASSERT_GE(injured, 0);
    ASSERT_GE(reserve, 0);
    Player_RefForSet(injured, "test").full->injuryDays = 20;

    EXPECT_EQ(ClickingBoxesAway([] { return Office_PlayMatch(nullptr); }), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 7);
    EXPECT_EQ(GameState.currentClub, m_human);
    EXPECT_EQ(VTW_GetPlayerShirt(injured), 1);

    std::copy(std::begin(SquadList.players), std::end(SquadList.players), SquadScreen.order);
    EXPECT_EQ(Squad_ClickPlayer(0), EXM_CODE_REDRAW);   // shirt 1
    EXPECT_EQ(Squad_ClickPlayer(11), EXM_CODE_REDRAW);  // shirt 12
    EXPECT_EQ(VTW_GetPlayerShirt(reserve), 1);
    EXPECT_EQ(VTW_GetPlayerShirt(injured), 12);
    EXPECT_GE(VTW_CountTeamCaptains(m_human), 1);
    // An ineligible substitute does not stop the match, but gives up his shirt.
    VTW_RefreshSquadCount(m_human);
    const int32_t substitute = VTW_GetPlayerByShirt(14);
    ASSERT_GE(substitute, 0);
    Player_RefForSet(substitute, "test").full->injuryDays = 20;
    Office_Build();
    EXPECT_EQ(Office_PlayMatch(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(VTW_GetPlayerShirt(substitute), 0);
    EXPECT_EQ(MenuOption, 46);
    EXPECT_EQ(AdvanceMode, ADVANCE_TODAYS_MATCH);
}

TEST_F(OfficeScreen, OnTheSeasonsLastDayTheSecondEntryStartsANewSeasonAndNextDayIsOff)
{
    MenuListEntry* popup = Office_EndPopup();
    Office_Build();
    Office_PreparePopup(popup);
    EXPECT_EQ(MenuList_LabelTextNo(popup[2]), 547);
    EXPECT_EQ(popup[1].flags & LIST_ENABLED, LIST_ENABLED);
    Calendar_SetDay(364);
    Office_Build();
    Office_PreparePopup(popup);
    EXPECT_EQ(MenuList_LabelTextNo(popup[2]), 765);
    EXPECT_EQ(popup[1].flags & LIST_ENABLED, 0);
    EXPECT_EQ(popup[2].flags & LIST_ENABLED, LIST_ENABLED);
    EXPECT_EQ(popup[3].flags & LIST_ENABLED, 0);
}

TEST_F(OfficeScreen, ListsScrollOnlyInTheInformationBoxAndOnlyWhenLongerThanTheyShow)
{
    Office.clubCount = 14;
    Office_ClubsDown(nullptr);
    EXPECT_EQ(Office.clubScroll, 0);  // not in the information box
    Office_InfoBox(nullptr);
    for (int32_t press = 0; press < 4; ++press) {
        Office_ClubsDown(nullptr);
    }
    EXPECT_EQ(Office.clubScroll, 2);
    Office.clubScroll = 0;
    Office.clubCount = 12;
    Office_ClubsDown(nullptr);
    EXPECT_EQ(Office.clubScroll, 0);

    Office_OffersPage(nullptr);
    Office.saleCount = 8;
    Office_OffersDown(nullptr);
    EXPECT_EQ(Office.offersScroll, 0);
    Office.saleCount = 9;
    Office_OffersDown(nullptr);
    Office_OffersDown(nullptr);
    EXPECT_EQ(Office.offersScroll, 1);
    Office_OffersUp(nullptr);
    Office_OffersUp(nullptr);
    EXPECT_EQ(Office.offersScroll, 0);
}

TEST_F(OfficeScreen, FriendliesAreRefusedInTheHolidaysAndStatisticsBeforeAnOfficialMatch)
{
    MenuOption = MENU_OPTION_OFFICE;
    Calendar_SetDay(GameState.holidayStart);
    Office_Build();
    EXPECT_EQ(Choose(Office_CalendarPopup(), 3), LIST_CODE_REDRAW);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    Calendar_SetDay(0);
    Office_Build();
    EXPECT_EQ(Choose(Office_CalendarPopup(), 3), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 17);

    MenuOption = MENU_OPTION_OFFICE;
    EXPECT_EQ(Choose(Office_ClubDataPopup(), 1), LIST_CODE_REDRAW);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    Calendar_SetDay(FirstMatchDay() + 1);
    Office_Build();
    EXPECT_EQ(Choose(Office_ClubDataPopup(), 1), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 30);
}

TEST(Office, TrendIconsCompareWithTheRememberedValue)
{
    struct Case {
        int32_t value, remembered;
        bool attendance;
        int32_t icon;
    };
    for (const Case& c :
         {Case{3, -1, false, 0}, Case{4, 3, false, OFFICE_TREND_DOWN},
          Case{2, 3, false, OFFICE_TREND_UP}, Case{3, 3, false, 0},
          Case{9000, 9000, true, OFFICE_TREND_STEADY}, Case{8000, 9000, true, OFFICE_TREND_DOWN}}) {
        EXPECT_EQ(Office_TrendIcon(c.value, c.remembered, c.attendance), c.icon)
            << c.value << " against " << c.remembered;
    }
}

TEST_F(OfficeScreen, MoneyHotSpotsMoveMoneyOnlyWhileTheSwitchIsOn)
{
    const int32_t balance = Club_GetBalance(m_human);
    const int64_t outside = Club_GetOutsideBalance();
    Office.moneySwitch = 0;
    EXPECT_EQ(Office_MoneyIn(nullptr), EXM_CODE_NONE);
    EXPECT_EQ(Club_GetBalance(m_human), balance);
    Office.moneySwitch = 1;
    Office_MoneyIn(nullptr);
    EXPECT_EQ(Club_GetBalance(m_human), balance + OFFICE_MONEY_STEP);
    EXPECT_EQ(Club_GetOutsideBalance(), outside - OFFICE_MONEY_STEP);
    Office_MoneyOut(nullptr);
    EXPECT_EQ(Club_GetBalance(m_human), balance);
    EXPECT_EQ(Club_GetOutsideBalance(), outside);
}

// A club of another country (a cup opponent chosen on the results) has no place in our divisions
// and keeps no accounts: it shows the division of its own country that the world keeps ("---"
// for a country without leagues), "---" for the accounts it has none of, and its wages, from
// its squad.
TEST_F(OfficeScreen, AForeignClubShowsItsOwnDivisionNoAccountsButItsWages)
{
    const auto smallClubOf = [](int32_t country, int32_t division) {
        for (int32_t club = 0; club < DbClubCount; ++club) {
            if (clubSlot[club] >= CLUB_SLOT_SMALL && VTW_GetClubCountry(club) == country
                && VTW_GetClubDivision(club) == division)
                return club;
        }
        return -1;
    };
    struct Case {
        int32_t club;
        const char* place;  // nullptr: our own division and place
    };
    const Case cases[] = {{m_human, nullptr},
                          {smallClubOf(2, 0), "Div. 1 (Italien)"},
                          {smallClubOf(3, 1), "Div. 2 (Allemand)"},
                          {smallClubOf(12, DIVISION_OUTSIDE), "---"}};
    int32_t average = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.club);
        ASSERT_GE(c.club, 0);
        GameState.currentClub = static_cast<int16_t>(c.club);
        Office_Build();
        const std::string place = Office_FigureText(2);
        if (c.place != nullptr) {
            EXPECT_EQ(place, c.place);
        } else {
            EXPECT_EQ(place, "Div. 1 1er");
        }
        for (const int32_t row : {6, 7, 8, 10}) {
            EXPECT_EQ(std::string(Office_FigureText(row)) == "---", c.place != nullptr) << row;
        }
        EXPECT_EQ(std::string(Office_FigureText(9)),
                  Price2str(VTW_GetClubWageTotal(c.club, &average)));
        EXPECT_GT(VTW_GetClubWageTotal(c.club, &average), 0);
    }
}

namespace {

// The first league day of division 0 played: every home side wins 1-0, except that the human's
// club loses its match 0-5, so that it leaves first place.
void PlayFirstLeagueDay(int32_t human)
{
    int32_t day = -1;
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        const int32_t home = VTW_GetFixtureHomeClub(row);
        if (VTW_GetFixtureCompetition(row) != COMP_LEAGUE || VTW_FindDivisionOfTeam(home) != 0)
            continue;
        if (day < 0) day = VTW_GetFixtureDay(row);
        if (VTW_GetFixtureDay(row) != day) break;
        const bool humanHome = home == human, humanAway = VTW_GetFixtureAwayClub(row) == human;
        Fixture_SetGoals(row, humanHome ? 0 : humanAway ? 5 : 1, humanHome ? 5 : 0);
    }
    ASSERT_GE(day, 0);
    Calendar_SetDay(day + 1);
    Season_ClearTablesAndScan(-1);
}

}  // namespace

// The office's trend arrows and the table's movement icons, the day after a match, are the game's
// state too: a load in a program started afresh shows the same frames.
TEST(OfficeLoad, TheOfficeAndTheTableTheDayAfterAMatchLookTheSameAfterALoad)
{
    ScopedWorld world;
    ScopedMenuDisplay display(true);
    TempHome home;
    SaveGame_Init();
    NewGameForTest(6, 7);
    FrontEndInit();
    FrontEnd_RegisterLoopSteps();
    const int32_t human = DivisionLists[0][0];
    VTW_SetClubControl(human, MANAGER_HUMAN);
    GameState.humanClub = static_cast<int16_t>(human);
    GameState.currentClub = static_cast<int16_t>(human);
    Club_AISelectTeam(human);
    Office_Build();  // the office notes every place before the match
    PlayFirstLeagueDay(human);
    const uint32_t office = FirstBuildHash(Office_Table(), "office_before_load.png", 300, 420);
    const uint32_t table = FirstBuildHash(LeagueTable_Table(), "table_before_load.png");
    ASSERT_EQ(SaveGame(3), SAVEGAME_OK);

    FrontEndUninit();
    FrontEndInit();
    FrontEnd_RegisterLoopSteps();
    NewGameForTest(6, 8);
    ASSERT_EQ(LoadGame(3), SAVEGAME_OK);
    MenuOption = MENU_OPTION_OFFICE;
    const uint32_t officeAfter = FirstBuildHash(Office_Table(), "office_after_load.png", 300, 420);
    EXPECT_EQ(officeAfter, office);
    const uint32_t tableAfter = FirstBuildHash(LeagueTable_Table(), "table_after_load.png");
    EXPECT_EQ(tableAfter, table);
    ExpectGoldenHash("menus/office_after_a_match", officeAfter);
    ExpectGoldenHash("menus/league_table_after_a_match", tableAfter);
    FrontEndUninit();
}

// The office with a foreign cup opponent selected (its next match a continental cup with a long
// name), and the information box's team page, whose counts follow their shirt icons.
// The office drawn whole, for its goldens: a new game with the first club of division 1 the
// human's.
class OfficeLayout : public ::testing::Test {
protected:
    OfficeLayout()
    {
        NewGameForTest(6, 7);
        FrontEndInit();
        FrontEnd_RegisterLoopSteps();
        m_human = DivisionLists[0][0];
        VTW_SetClubControl(m_human, MANAGER_HUMAN);
        GameState.humanClub = static_cast<int16_t>(m_human);
    }
    ~OfficeLayout() override { FrontEndUninit(); }

    ScopedWorld m_world;
    ScopedMenuDisplay m_display{true};
    TempHome m_home;
    int32_t m_human = -1;
};

// A greyed entry of one of the office's drop-downs, and what greys it.
struct GreyedEntry {
    const char* name;
    void (*setUp)(int32_t human);
    int32_t buttonX, buttonY;  // the drop-down's button
    int32_t rowY;              // the middle of the entry's row in the list
};

void PrintTo(const GreyedEntry& entry, std::ostream* out) { *out << entry.name; }

class OfficeGreyedEntry : public OfficeLayout, public testing::WithParamInterface<GreyedEntry> {};

// Each greyed entry of the office's drop-downs, clicked through the menu loop, does nothing: the
// list stays open over the office, which no screen replaces. "Historique des classements en
// Championnat" has no season to show in the first; "Jour suivant" is off on the season's last
// day; "Match amical" needs a post.
TEST_P(OfficeGreyedEntry, DoesNothingWhenClicked)
{
    GetParam().setUp(m_human);
    GameState.currentClub = static_cast<int16_t>(m_human);
    MenuOption = MENU_OPTION_OFFICE;
    int32_t depth = -2, open = -2;
    int16_t option = -2;
    MenuInputs inputs;
    AddClick(&inputs, 100, GetParam().buttonX, GetParam().buttonY);
    AddClick(&inputs, 140, GetParam().buttonX, GetParam().rowY);
    inputs.push_back({200, MenuInput::CALL, 0, 0, [&] {
                          depth = EXM_Depth();
                          open = MenuBar_IsOpen();
                          option = MenuOption;
                      }});
    ScopedMenuScript script(inputs, 40);
    EXM_PushAndRun(Office_Table());
    EXPECT_EQ(depth, 0);  // the office still runs
    EXPECT_EQ(open, 1);
    EXPECT_EQ(option, MENU_OPTION_OFFICE);
}

// The lists drop above their buttons, which sit too low for them: rows of MENUBAR_ROW_HEIGHT
// from 2 pixels under the list's top.
INSTANTIATE_TEST_SUITE_P(
    Office, OfficeGreyedEntry,
    testing::Values(
        GreyedEntry{"league_history", [](int32_t) {}, 150, 455,
                    440 - (8 * MENUBAR_ROW_HEIGHT + 4) + 2 + 7 * MENUBAR_ROW_HEIGHT + 9},
        GreyedEntry{"next_day", [](int32_t) { Calendar_SetDay(364); }, 480, 455,
                    440 - (3 * MENUBAR_ROW_HEIGHT + 4) + 2 + 9},
        GreyedEntry{"friendly", [](int32_t human) { VTW_SetClubControl(human, MANAGER_COMPUTER); },
                    480, 423, 408 - (3 * MENUBAR_ROW_HEIGHT + 4) + 2 + 2 * MENUBAR_ROW_HEIGHT + 9}),
    [](const testing::TestParamInfo<GreyedEntry>& info) { return std::string(info.param.name); });

TEST_F(OfficeLayout, AForeignClubAndTheTeamPageMatchTheirGoldens)
{
    Club_AISelectTeam(m_human);
    // The foreign club whose first fixture has the longest competition name.
    int32_t foreign = -1;
    size_t longest = 0;
    bool seen[CLUB_ID_COUNT] = {};
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        if (VTW_GetFixtureDay(row) == FIXTURE_DAY_EMPTY) break;
        int32_t stage = -1, leg = -1;
        const size_t length = std::strlen(
            GetMessageText(VTW_BuildTable668(VTW_GetFixtureCompetition(row), &stage, &leg)));
        for (const int32_t club : {VTW_GetFixtureHomeClub(row), VTW_GetFixtureAwayClub(row)}) {
            if (club < 0 || club >= CLUB_ID_COUNT || seen[club]) continue;
            seen[club] = true;
            if (clubSlot[club] >= CLUB_SLOT_SMALL && length > longest) {
                foreign = club;
                longest = length;
            }
        }
    }
    ASSERT_GE(foreign, 0);
    GameState.currentClub = static_cast<int16_t>(foreign);
    CurrentDivision = 0;  // as the results screen leaves it
    ExpectGoldenHash("menus/office_foreign_club",
                     FirstBuildHash(Office_Table(), "office_foreign_club.png", 300, 420));
    GameState.currentClub = static_cast<int16_t>(m_human);
    Office.flags |= OFFICE_INFO_BOX | OFFICE_TEAM_PAGE;
    ExpectGoldenHash("menus/office_team_page",
                     FirstBuildHash(Office_Table(), "office_team_page.png", 300, 420));
}

// A club abroad with no match to come: the six buttons and "Place au classement" take the fonts
// they take for the human's club (the pixels of the buttons and of the label are the same).
TEST_F(OfficeLayout, AClubAbroadWithoutAMatchKeepsTheFontsOfAClubAtHome)
{
    bool plays[CLUB_ID_COUNT] = {};
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        if (VTW_GetFixtureDay(row) == FIXTURE_DAY_EMPTY) break;
        for (const int32_t club : {VTW_GetFixtureHomeClub(row), VTW_GetFixtureAwayClub(row)}) {
            if (club >= 0 && club < CLUB_ID_COUNT) plays[club] = true;
        }
    }
    int32_t abroad = -1;
    for (int32_t club = 0; club < DbClubCount && abroad < 0; ++club) {
        if (clubSlot[club] >= CLUB_SLOT_SMALL && !plays[club] && VTW_GetClubDivision(club) == 0)
            abroad = club;
    }
    ASSERT_GE(abroad, 0);
    const auto drawn = [](int32_t club, const char* png) {
        GameState.currentClub = static_cast<int16_t>(club);
        std::vector<uint32_t> pixels;
        MenuInputs inputs;
        inputs.push_back({100, MenuInput::MOVE, 320, 250, {}});
        inputs.push_back({300, MenuInput::CALL, 0, 0, [&] {
                              WriteFrameToTestOutput(png);
                              for (int32_t y = 404; y < 474; ++y) {  // the buttons
                                  for (int32_t x = 74; x < 566; ++x) {
                                      pixels.push_back(WorkPixel(x, y));
                                  }
                              }
                              for (int32_t y = 120; y < 138; ++y) {  // "Place au classement"
                                  for (int32_t x = 394; x < 500; ++x) {
                                      pixels.push_back(WorkPixel(x, y));
                                  }
                              }
                          }});
        ScopedMenuScript script(inputs, 40);
        EXM_PushAndRun(Office_Table());
        return pixels;
    };
    const std::vector<uint32_t> home = drawn(m_human, "office_home_club.png");
    EXPECT_TRUE(drawn(abroad, "office_club_abroad.png") == home);
}

TEST_F(OfficeLayout, TheOffersPageShowsEachDealsOtherClubAndItsPriceInTheirColumns)
{
    GameState.currentClub = static_cast<int16_t>(m_human);
    const auto shirt14 = [](int32_t club) {
        VTW_RefreshSquadCount(club);
        return VTW_GetPlayerByShirt(14);
    };
    const int32_t wanted = shirt14(DivisionLists[0][1]);
    const int32_t sold = shirt14(m_human);
    const int32_t buyer = DivisionLists[0][2];
    ASSERT_GE(VTW_PlaceBid(m_human, wanted, 130000, BIDPOS_MIDFIELDER, 0), 0);
    ASSERT_GE(VTW_PlaceBid(buyer, sold, 192500, BIDPOS_FORWARD, 0), 0);
    ASSERT_GE(VTW_AddBidInfo(sold, VTW_FindFreeBidInfo()), 0);
    int32_t slot = -1;
    EXPECT_EQ(Market_FindBidder(sold, &slot), buyer);
    EXPECT_EQ(VTW_GetClubBidPrice(buyer, slot), 192500);

    Office.flags |= OFFICE_INFO_BOX | OFFICE_OFFERS_PAGE;
    ExpectGoldenHash("menus/office_offers_page",
                     FirstBuildHash(Office_Table(), "office_offers_page.png", 300, 420));
    PngImage frame;
    std::string error;
    ASSERT_TRUE(ReadPng(TestOutputPath("office_offers_page.png"), &frame, &error)) << error;
    for (const int32_t y : {108, 210}) {  // the bid's row and the sale's
        EXPECT_GT(TextPixels(frame, 32, y, 90, 14), 20) << y;
        EXPECT_EQ(TextPixels(frame, 127, y, 3, 14), 0) << y;  // name | line
        EXPECT_EQ(TextPixels(frame, 183, y, 3, 14), 0) << y;  // line | club
    }
}
