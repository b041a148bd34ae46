// tests/menus/fixturelist_test.cpp: the match-day fixtures screen: the day it opens on, the day
// and row arrows at their ends, an empty competition, the notes beside the clubs, the
// aggregates of return legs, the play-off titles, empty rows and the drawn screen.
#include "menus/fixturelist.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menutext.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

constexpr uint32_t T0 = 300;  // after the first build's wipe onto the screen

class FixturesScreen : public ::testing::Test {
protected:
    FixturesScreen()
    {
        StartCareer(6);
        FrontEndInit();
    }

    // A new career in the country, the first club of its first division the human's.
    void StartCareer(int32_t country)
    {
        NewGameForTest(country, 7);
        m_human = DivisionLists[0][0];
        VTW_SetClubControl(m_human, MANAGER_HUMAN);
        GameState.humanClub = static_cast<int16_t>(m_human);
        GameState.currentClub = static_cast<int16_t>(m_human);
    }
    ~FixturesScreen() override { FrontEndUninit(); }

    // The screen built as the menu loop builds it: on entering it, and again after a handler's
    // redraw.
    static void Enter()
    {
        EXM_PushMenu(FixtureList_Table());
        EXM_RedrawNow();
    }
    static void Rebuild() { EXM_RedrawNow(); }

    // A row written as the table stores it: the tests build their own days.
    static void WriteRow(int32_t row, int32_t day, int32_t comp, int32_t home, int32_t away)
    {
        FixtureTable[row].head = static_cast<uint32_t>(day | comp << 9 | home << 16 | away << 24);
        Fixture_ClearResult(row);
    }

    // The days of division 0's league rows, in order.
    static std::vector<int32_t> LeagueDays()
    {
        std::vector<int32_t> days;
        for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
            const int32_t day = VTW_GetFixtureDay(row);
            if (day < FIXTURE_LIST_DAYS && VTW_GetFixtureCompetition(row) == COMP_LEAGUE
                && VTW_FindDivisionOfTeam(VTW_GetFixtureHomeClub(row)) == 0
                && (days.empty() || days.back() != day))
                days.push_back(day);
        }
        return days;
    }

    static int32_t ClubOfOtherCountry()
    {
        for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
            if (VTW_GetClubCountry(club) != VTW_GetCountry()) return club;
        }
        return -1;
    }

    // Every club named as the one whose name is widest in the names' font; that name.
    static std::string NameEveryClubAsTheWidest()
    {
        SetMenuFont(1);
        std::string widest;
        int32_t widestW = -1;
        for (const WorldClub& c : World.clubs) {
            int32_t w, h;
            if (GetTextExtent(c.name, &w, &h) > widestW) {
                widest = c.name;
                widestW = w;
            }
        }
        for (WorldClub& c : World.clubs) {
            std::snprintf(c.name, sizeof c.name, "%s", widest.c_str());
        }
        return widest;
    }

    static bool SameRow(const MenuRect& a, const MenuRect& b)
    {
        return std::abs((a.y + a.h / 2) - (b.y + b.h / 2)) < 4;
    }

    // The title, drawn at the header's height, whole between the badge and the date.
    static void ExpectTitleInTheHeadersRoom(const ScopedDrawnTexts& drawn, const char* what)
    {
        int32_t titles = 0;
        for (const DrawnText& t : drawn.Texts()) {
            if (t.text != FixtureList.title) continue;
            ++titles;
            EXPECT_GE(t.rect.x, HEADER_TEXT_LEFT) << what << ": " << t.text;
            EXPECT_LE(t.rect.x + t.rect.w, HEADER_TEXT_RIGHT) << what << ": " << t.text;
        }
        EXPECT_GT(titles, 0) << what << ": the title was not drawn whole: " << FixtureList.title;
    }

    ScopedWorld m_world;
    ScopedMenuDisplay m_display{true};
    int32_t m_human = -1;
};

}  // namespace

TEST_F(FixturesScreen, ItOpensOnTodayOrTheNextDayWithFixturesElseTheLastOne)
{
    const std::vector<int32_t> days = LeagueDays();
    ASSERT_GE(days.size(), 3u);
    struct Case {
        int32_t today;
        int32_t shown;
    };
    for (const Case c : {Case{0, days[0]}, Case{days[1], days[1]}, Case{days[1] + 1, days[2]},
                         Case{days.back() + 1, days.back()}}) {
        Calendar_SetDay(c.today);
        Enter();
        EXPECT_EQ(FixtureList.mode, FIXTURE_LIST_LEAGUE);
        EXPECT_EQ(FixtureList.shownDay, c.shown) << c.today;
        EXPECT_EQ(FixtureList.dayCount, VTW_GetDivisionSize(0) / 2) << c.today;
        EXPECT_EQ(FixtureList.message, -1);
    }
}

TEST_F(FixturesScreen, ACompetitionWithoutFixturesSaysSoUnderItsName)
{
    Fixtures_Clear();
    Enter();
    EXPECT_EQ(FixtureList.message, FIXTURE_LIST_NO_FIXTURES);
    EXPECT_STREQ(FixtureList.title, GetMessageText(VTW_GetDivisionLongNameTextNo(0)));
    for (const FixtureListRow& row : FixtureList.rows) {
        EXPECT_EQ(row.homeName, -1);
        EXPECT_EQ(row.separator, -1);
    }
    FixtureList_ChooseCup(1);
    Rebuild();
    EXPECT_EQ(FixtureList.message, FIXTURE_LIST_NO_FIXTURES);
    EXPECT_STREQ(FixtureList.title, GetMessageText(VTW_GetCountryTextNo(1)));
}

TEST_F(FixturesScreen, TheArrowsStopAtTheFirstAndLastDayAndRowsAtTheEnds)
{
    Fixtures_Clear();
    const int32_t comp = Fixture_CupComp(0, 1, 0);
    for (int32_t i = 0; i < 20; ++i) {
        WriteRow(i, 10, comp, 2 * i, 2 * i + 1);
    }
    WriteRow(20, 20, comp, 0, 3);
    WriteRow(21, 20, comp, 1, 2);
    Enter();
    FixtureList_ChooseCup(0);
    Rebuild();
    ASSERT_EQ(FixtureList.shownDay, 10);
    ASSERT_EQ(FixtureList.dayCount, 20);
    std::vector<int32_t> firsts;
    for (const auto step :
         {FixtureList_RowUp, FixtureList_RowDown, FixtureList_RowDown, FixtureList_RowDown,
          FixtureList_RowDown, FixtureList_RowDown, FixtureList_RowDown, FixtureList_RowUp}) {
        EXPECT_EQ(step(nullptr), EXM_CODE_REDRAW);
        firsts.push_back(FixtureList.firstRow);
    }
    EXPECT_EQ(firsts, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 5, 4}));

    FixtureList_PreviousDay(nullptr);
    EXPECT_EQ(FixtureList.shownDay, 10);
    FixtureList_NextDay(nullptr);
    FixtureList_NextDay(nullptr);
    EXPECT_EQ(FixtureList.shownDay, 20);
    Rebuild();
    EXPECT_EQ(FixtureList.dayCount, 2);
    EXPECT_EQ(FixtureList.firstRow, 0);  // not scrolled past the day's two fixtures
    EXPECT_EQ(FixtureList.rows[1].homeName, VTW_ClubNameTextNo(VTW_GetTeam(1)));
    EXPECT_EQ(FixtureList.rows[2].homeName, -1);
    MenuHotspot blank{};
    blank.row = 2;
    EXPECT_EQ(FixtureList_HomeClub(&blank), EXM_CODE_NONE);
    EXPECT_EQ(FixtureList_AwayClub(&blank), EXM_CODE_NONE);
}

TEST_F(FixturesScreen, NotesGivePlacesBeforeALeagueDayDivisionsInNationalCupsAndCountriesAbroad)
{
    const std::vector<int32_t> days = LeagueDays();
    Enter();
    int32_t humanRow = -1;
    for (int32_t i = 0; i < FixtureList.dayCount; ++i) {
        if (VTW_GetFixtureHomeClub(FixtureList.dayList[i]) == m_human) humanRow = i;
        if (VTW_GetFixtureAwayClub(FixtureList.dayList[i]) == m_human) humanRow = i;
    }
    ASSERT_GE(humanRow, 0);
    const FixtureListRow& human = FixtureList.rows[humanRow];
    EXPECT_EQ(human.highlight, FIXTURE_LIST_HIGHLIGHT);
    const bool home = VTW_GetFixtureHomeClub(FixtureList.dayList[humanRow]) == m_human;
    EXPECT_STREQ(home ? human.homeNote : human.awayNote, "(1er)");
    EXPECT_EQ(human.separator, 152);  // "C"

    Calendar_SetDay(days[0] + 1);
    Enter();
    FixtureList_PreviousDay(nullptr);
    Rebuild();
    EXPECT_EQ(FixtureList.shownDay, days[0]);
    EXPECT_STREQ(FixtureList.rows[0].homeNote, "");  // a past day gives no places
    EXPECT_EQ(FixtureList.rows[0].separator, 125);   // "-" between the goals
    EXPECT_NE(FixtureList.rows[0].homeGoals, FIXTURE_LIST_BLANK);

    const int32_t abroad = ClubOfOtherCountry();
    ASSERT_GE(abroad, 0);
    Fixtures_Clear();
    Calendar_SetDay(0);
    WriteRow(0, 10, Fixture_CupComp(0, 1, 0), m_human, DivisionLists[1][0]);
    WriteRow(1, 10, Fixture_CupComp(0, 1, 0), DivisionLists[2][0], abroad);
    WriteRow(2, 12, Fixture_CupComp(CUP_SECOND, 1, 0), m_human, abroad);
    FixtureList_ChooseCup(0);
    Rebuild();
    const std::string division1 = std::string("(") + GetMessageText(VTW_GetDivisionTextNo(1)) + ")";
    EXPECT_STREQ(FixtureList.rows[0].awayNote, division1.c_str());
    EXPECT_STREQ(FixtureList.rows[1].awayNote, "");  // a club in no division of the country
    FixtureList_ChooseCup(CUP_SECOND);
    Rebuild();
    const std::string country =
        std::string("(") + GetMessageText(2310 + VTW_GetClubCountry(abroad)) + ")";
    EXPECT_STREQ(FixtureList.rows[0].awayNote, country.c_str());
    EXPECT_EQ(FixtureList.mode, FIXTURE_LIST_CUP);
}

TEST_F(FixturesScreen, AReturnLegShowsTheAggregateOrTheFirstLegOrNothing)
{
    Fixtures_Clear();
    const int32_t firstLeg = Fixture_CupComp(CUP_SECOND, 1, 0);
    const int32_t secondLeg = Fixture_CupComp(CUP_SECOND, 1, 1);
    WriteRow(0, 10, firstLeg, 20, 21);
    Fixture_SetGoals(0, 2, 1);
    WriteRow(1, 20, secondLeg, 21, 20);
    WriteRow(2, 20, secondLeg, 30, 31);  // its first leg is missing
    Enter();
    FixtureList_ChooseCup(CUP_SECOND);

    struct Case {
        int32_t today;
        bool played;
        int16_t home;
        int16_t away;
    };
    // Played 1-0: 21 has 1 + 1, 20 has 0 + 2. Not played yet: the first leg's 1 and 2.
    for (const Case c : {Case{30, true, 2, 2}, Case{15, false, 1, 2}}) {
        Calendar_SetDay(c.today);
        if (c.played)
            Fixture_SetGoals(1, 1, 0);
        else
            Fixture_ClearResult(1);
        FixtureList.refresh = true;
        Rebuild();
        ASSERT_EQ(FixtureList.shownDay, 20) << c.today;
        EXPECT_EQ(FixtureList.rows[0].aggregateHome, c.home) << c.today;
        EXPECT_EQ(FixtureList.rows[0].aggregateAway, c.away) << c.today;
        EXPECT_EQ(FixtureList.rows[1].aggregateHome, FIXTURE_LIST_BLANK) << c.today;
    }
    Calendar_SetDay(15);
    Fixture_ClearResult(0);  // an unplayed first leg gives no aggregate either
    Rebuild();
    EXPECT_EQ(FixtureList.rows[0].aggregateHome, FIXTURE_LIST_BLANK);
}

TEST_F(FixturesScreen, PlayOffDaysAreTitledByTheirRoundAndEmptyRowsAreLeftOut)
{
    Fixtures_Clear();
    const int32_t a = DivisionLists[1][2], b = DivisionLists[1][3];
    WriteRow(0, 300, COMP_PLAYOFF_FIRST, a, b);
    WriteRow(1, 303, COMP_PLAYOFF_SECOND, b, a);
    WriteRow(2, 306, COMP_PLAYOFF_FINAL, a, b);
    WriteRow(3, 400, COMP_LEAGUE, a, b);  // past the last day a flag can stand for
    WriteRow(4, FIXTURE_DAY_EMPTY, COMP_LEAGUE, a, b);
    Enter();
    FixtureList_ChooseDivision(1);
    Rebuild();
    EXPECT_EQ(FixtureList.count, 3);
    const std::string division = GetMessageText(VTW_GetDivisionLongNameTextNo(1));
    for (const int32_t title : {112, 113, 114}) {
        EXPECT_EQ(FixtureList.title, GetMessageText(title) + (" " + division)) << title;
        FixtureList_NextDay(nullptr);
        Rebuild();
    }
}

TEST_F(FixturesScreen, TheChampionsCupOpensOnItsGroupStageWithEachGroup)
{
    Enter();
    FixtureList_ChooseCup(CUP_CHAMPIONS);
    Rebuild();
    ASSERT_GT(FixtureList.dayCount, 0);
    int32_t name = -1, stage = -1, leg = -1;
    VTW_GetCompetitionTexts(COMP_CHAMPIONS_GROUPS, &name, &stage, &leg);
    EXPECT_STREQ(FixtureList.title, GetMessageText(name));
    const int32_t home = VTW_GetFixtureHomeClub(FixtureList.dayList[0]);
    EXPECT_EQ(FixtureList.rows[0].group, VTW_GetTextNoFromTable(VTW_GetChampionsLeagueGroup(home)));

    MenuHotspot away{};
    away.row = 0;
    EXPECT_EQ(FixtureList_AwayClub(&away), EXM_CODE_LEAVE);
    EXPECT_EQ(GameState.currentClub, VTW_GetFixtureAwayClub(FixtureList.dayList[0]));
    EXPECT_EQ(MenuOption, 2);
}

TEST_F(FixturesScreen, TheFirstLeagueDayBeforeItIsPlayedDrawsAsKept)
{
    uint32_t hash = 0;
    MenuInputs inputs;
    inputs.push_back({T0, MenuInput::CALL, 0, 0, [&] {
                          hash = WorkScreenHash();
                          WriteFrameToTestOutput("fixture_list.png");
                      }});
    ScopedMenuScript script(inputs, 40);
    EXM_PushAndRun(FixtureList_Table());
    EXPECT_GT(FixtureList.dayCount, 0);
    ExpectGoldenHash("menus/fixture_list", hash);
}

// A continental cup's first day: its long title stays between the club badge and the date, and
// each club's country stays clear of its name.
TEST_F(FixturesScreen, AContinentalCupsDayMatchesItsGolden)
{
    uint32_t hash = 0;
    MenuInputs inputs;
    inputs.push_back({T0 - 100, MenuInput::CALL, 0, 0, [] { FixtureList_ChooseCup(CUP_THIRD); }});
    AddClick(&inputs, T0 - 90, 40, 440);  // "row up" builds the screen again
    inputs.push_back({T0 + 100, MenuInput::CALL, 0, 0, [&] {
                          hash = WorkScreenHash();
                          WriteFrameToTestOutput("fixture_list_cup.png");
                      }});
    ScopedMenuScript script(inputs, 40);
    EXM_PushAndRun(FixtureList_Table());
    EXPECT_GT(FixtureList.dayCount, 0);
    ExpectGoldenHash("menus/fixture_list_cup", hash);
}

// With every club named as the widest: an away name beside nothing keeps the names' font; beside
// its group it takes a smaller one, whole, that ends before the group's label.
TEST_F(FixturesScreen, AnAwayNameTakesASmallerFontOnlyToKeepClearOfItsGroup)
{
    const std::string widest = NameEveryClubAsTheWidest();
    ScopedDrawnTexts drawn;
    Enter();
    int32_t names = 0;
    for (const DrawnText& t : drawn.Texts()) {
        if (t.text != widest) continue;
        ++names;
        EXPECT_EQ(t.font, 1) << "a league day's name at " << t.rect.x << "," << t.rect.y;
    }
    EXPECT_EQ(names, 2 * FixtureList.dayCount);

    drawn.Clear();
    FixtureList_ChooseCup(CUP_CHAMPIONS);
    Rebuild();
    ASSERT_GT(FixtureList.dayCount, 0);
    ASSERT_GE(FixtureList.rows[0].group, 0);
    std::set<std::string> groups;
    for (const FixtureListRow& row : FixtureList.rows) {
        if (row.group >= 0) groups.insert(GetMessageText(row.group));
    }
    int32_t besideGroups = 0;
    for (const DrawnText& name : drawn.Texts()) {
        if (name.text != widest || name.rect.x < 320) continue;
        for (const DrawnText& group : drawn.Texts()) {
            if (groups.count(group.text) == 0 || !SameRow(name.rect, group.rect)) continue;
            ++besideGroups;
            EXPECT_EQ(name.font, 0);
            EXPECT_LT(name.rect.x + name.rect.w, group.rect.x) << "row at " << name.rect.y;
        }
    }
    EXPECT_GT(besideGroups, 0);

    // A return leg: beside its aggregate the smaller font, beside none (its first leg missing)
    // the names'.
    Fixtures_Clear();
    WriteRow(0, 10, Fixture_CupComp(CUP_SECOND, 1, 0), 20, 21);
    Fixture_SetGoals(0, 2, 1);
    WriteRow(1, 20, Fixture_CupComp(CUP_SECOND, 1, 1), 21, 20);
    WriteRow(2, 20, Fixture_CupComp(CUP_SECOND, 1, 1), 30, 31);
    Calendar_SetDay(15);
    FixtureList_ChooseCup(CUP_SECOND);
    drawn.Clear();
    Rebuild();
    ASSERT_EQ(FixtureList.shownDay, 20);
    ASSERT_NE(FixtureList.rows[0].aggregateHome, FIXTURE_LIST_BLANK);
    std::vector<DrawnText> awayNames;
    for (const DrawnText& t : drawn.Texts()) {
        if (t.text == widest && t.rect.x >= 320) awayNames.push_back(t);
    }
    ASSERT_EQ(awayNames.size(), 2u);
    EXPECT_EQ(awayNames[0].font, 0);
    EXPECT_EQ(awayNames[1].font, 1);
    int32_t aggregates = 0;
    for (const DrawnText& t : drawn.Texts()) {
        if (t.text != std::to_string(FixtureList.rows[0].aggregateHome)
            || !SameRow(t.rect, awayNames[0].rect))
            continue;
        ++aggregates;
        EXPECT_LT(awayNames[0].rect.x + awayNames[0].rect.w, t.rect.x);
    }
    EXPECT_EQ(aggregates, 1);
}

// In every country, each division's and each cup's title, on each of its days, in the header's
// room.
TEST_F(FixturesScreen, EveryCompetitionsTitleKeepsToTheHeadersRoom)
{
    ScopedDrawnTexts drawn;
    for (int32_t country = 0; country < COUNTRY_COUNT; ++country) {
        SCOPED_TRACE("country " + std::to_string(country));
        StartCareer(country);
        Enter();
        for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
            drawn.Clear();
            FixtureList_ChooseDivision(division);
            Rebuild();
            ExpectTitleInTheHeadersRoom(drawn, "a division");
        }
        for (int32_t cup = 0; cup < FIXTURE_LIST_CUPS; ++cup) {
            if (cup < CUP_NATIONAL_MAX && cup >= VTW_GetCountryCupCount()) continue;
            drawn.Clear();
            FixtureList_ChooseCup(cup);
            Rebuild();
            for (int16_t shown = -1; shown != FixtureList.shownDay;) {
                shown = FixtureList.shownDay;
                ExpectTitleInTheHeadersRoom(drawn, ("cup " + std::to_string(cup)).c_str());
                drawn.Clear();
                FixtureList_NextDay(nullptr);
                Rebuild();
            }
        }
    }
}

using FixturesScreenDeathTest = FixturesScreen;

// The day list holds 250 fixtures; the 251st of one day is fatal rather than written past it.
TEST_F(FixturesScreenDeathTest, MoreThanTwoHundredAndFiftyFixturesOnADayAreFatal)
{
    Fixtures_Clear();
    const int32_t comp = Fixture_CupComp(0, 1, 0);
    for (int32_t i = 0; i < FIXTURE_LIST_DAY_MAX; ++i) {
        WriteRow(i, 10, comp, i % 128, 128 + i % 128);
    }
    Enter();
    FixtureList_ChooseCup(0);
    Rebuild();
    EXPECT_EQ(FixtureList.dayCount, FIXTURE_LIST_DAY_MAX);
    WriteRow(FIXTURE_LIST_DAY_MAX, 10, comp, 1, 2);
    FixtureList_ChooseCup(0);  // the competition listed again
    EXPECT_EXIT(Rebuild(), testing::ExitedWithCode(1),
                "Caddock Has Not Allowed Enough Room In His Array\\. Sorry: M_MN12");
}
