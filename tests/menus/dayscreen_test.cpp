// tests/menus/dayscreen_test.cpp: the day screen and the advance loop on a generated world: the
// panels and the view bar under real clicks, the fixtures played in the right order and count,
// the stops of the day-after-day loop and the unattended run.
#include "menus/dayscreen.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/memory.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/squad.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menupc.h"
#include "menus/news.h"
#include "menus/results.h"
#include "tests/support/day_loop.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t PLAY_X = 127;  // the left button of every bar
constexpr int32_t MIDDLE_X = 319;
constexpr int32_t BAR_Y = 455;
constexpr uint32_t PILOT_TICKS = 40000;
constexpr int32_t LAST_DAY_OF_SEASON = 364;

// Presses buttons from inside the run, one tick at a time: a press is held for a few ticks and
// released before the next one, so each counts once.
class Pilot {
public:
    explicit Pilot(std::function<void(Pilot&)> decide) : m_decide(std::move(decide))
    {
        for (uint32_t tick = 1; tick < PILOT_TICKS; ++tick) {
            m_inputs.push_back({tick, MenuInput::CALL, 0, 0, [this] { Step(); }});
        }
    }
    MenuInputs Inputs() const { return m_inputs; }
    void Click(int32_t x, int32_t y)
    {
        HostOnMouseMotion(x - PointerX(), y - PointerY());
        HostOnMouseButton(HOST_BUTTON_LEFT, true);
        m_wait = 8;
    }
    void Escape()
    {
        HostOnKey(1, true, false);
        m_escape = true;
        m_wait = 8;
    }
    bool resultsSeen = false;
    bool panelSeen = false;

private:
    void Step()
    {
        resultsSeen = resultsSeen || Results_ShownMode() >= 0;
        panelSeen = panelSeen || DayScreen_PanelShown() >= 0;
        // A new screen is drawn with a wipe during which the pointer is not read: let the next
        // frames see the button up before pressing again.
        const int32_t screen = DayScreen_PanelShown() * 4 + DayScreen_ViewBarShown() * 2
                               + (Results_ShownMode() >= 0 ? 1 : 0);
        if (screen != m_screen) {
            m_screen = screen;
            m_wait = std::max(m_wait, 4);
        }
        if (m_wait > 0) {
            if (--m_wait == 4) {
                HostOnMouseButton(HOST_BUTTON_LEFT, false);
                if (m_escape) HostOnKey(1, false, false);
                m_escape = false;
            }
            return;
        }
        if (Results_ShownMode() >= 0) {
            Escape();
            return;
        }
        m_decide(*this);
    }

    std::function<void(Pilot&)> m_decide;
    MenuInputs m_inputs;
    int32_t m_wait = 0;
    int32_t m_screen = 0;
    bool m_escape = false;
};

class DayLoop : public testing::Test {
protected:
    // A new game whose human manages the home club of the first league row; today is the eve
    // of that row's day. Returns the row.
    static int32_t HumanAtFirstLeagueRow(int32_t country, uint32_t seed)
    {
        NewGameForTest(country, seed);
        int32_t row = 0;
        while (VTW_GetFixtureCompetition(row) != COMP_LEAGUE) {
            ++row;
        }
        Employ(VTW_GetFixtureHomeClub(row));
        Calendar_SetDay(VTW_GetFixtureDay(row) - 1);
        return row;
    }

    static void Employ(int32_t club)
    {
        VTW_SetClubControl(club, MANAGER_HUMAN);
        GameState.humanClub = static_cast<int16_t>(club);
        GameState.currentClub = static_cast<int16_t>(club);
    }

    // The first day from `from` on without any fixture.
    static int32_t EmptyDay(int32_t from)
    {
        for (int32_t day = from;; ++day) {
            if (VTW_GetFixtureDay(Fixture_FirstRowOfDay(day)) != day) return day;
        }
    }

    // Club ids of the selected country's top division other than the human's.
    static std::vector<int32_t> OtherClubs()
    {
        std::vector<int32_t> clubs;
        for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
            if (club != GameState.humanClub && VTW_GetClubRecordPtr(club) != nullptr
                && VTW_GetClubDivision(club) == 0)
                clubs.push_back(club);
        }
        return clubs;
    }

    static bool PlayedAllOfDay(int32_t day, int32_t except)
    {
        for (int32_t row = Fixture_FirstRowOfDay(day); VTW_GetFixtureDay(row) == day; ++row) {
            if (row != except && !Fixture_IsPlayed(row)) return false;
        }
        return true;
    }

    ScopedDayLoop m_loop;
};

// ---------------------------------------------------------------------------------------------
// The day screen.

TEST_F(DayLoop, AGroupOfOneIsDoneAtOnceAndItsOwnMatchShowsNoResultsScreen)
{
    HumanAtFirstLeagueRow(0, 3);
    const int32_t day = EmptyDay(1);
    VTW_InsertFixture(day, COMP_FRIENDLY, GameState.humanClub, OtherClubs()[0]);
    Calendar_SetDay(day);
    bool doneBeforePlay = false, playedBeforePlay = true;
    Pilot pilot([&](Pilot& p) {
        if (DayScreen_ViewBarShown()) {
            p.Click(PLAY_X, BAR_Y);
        } else if (DayScreen_PanelShown() == 0) {
            doneBeforePlay = (DayScreenFlags & DAY_SCREEN_GROUP_DONE) != 0;
            playedBeforePlay = Fixture_IsPlayed(VTW_FindHumanFixtureOnDay(day)) != 0;
            p.Click(PLAY_X, BAR_Y);
        }
    });
    ScopedMenuScript script(pilot.Inputs());
    int32_t group, other;
    VTW_CountTodaysFixtures(&group, &other);
    ASSERT_EQ(group, 1);
    ASSERT_EQ(other, 0);
    EXPECT_EQ(DayScreen_Run(1, 0), 6);
    EXPECT_TRUE(doneBeforePlay);
    EXPECT_FALSE(playedBeforePlay);
    EXPECT_TRUE(Fixture_IsPlayed(VTW_FindHumanFixtureOnDay(day)));
    EXPECT_FALSE(pilot.resultsSeen);
    EXPECT_EQ(ChosenViewMode, VIEW_TEXT);
}

// The human at home: the home side plays down from the top under its name, the away side up to
// its name at the bottom, both keepers clear of the names (the golden frame is looked at once,
// then guards it).
TEST_F(DayLoop, TheFormationsPanelPutsEachNameAtItsOwnSidesEnd)
{
    HumanAtFirstLeagueRow(0, 3);
    const int32_t day = EmptyDay(1);
    VTW_InsertFixture(day, COMP_FRIENDLY, GameState.humanClub, OtherClubs()[0]);
    Calendar_SetDay(day);
    uint32_t formations = 0;
    Pilot pilot([&](Pilot& p) {
        if (DayScreen_ViewBarShown()) {
            p.Click(PLAY_X, BAR_Y);
        } else if (DayScreen_PanelShown() == 0 && formations == 0) {
            p.Click(MIDDLE_X, BAR_Y);  // "Formation"
        } else if (DayScreen_PanelShown() == 1) {
            formations = WorkScreenHash();
            WriteFrameToTestOutput("formations_human_home.png");
            p.Click(PLAY_X, BAR_Y);
        }
    });
    ScopedMenuScript script(pilot.Inputs());
    DayScreen_Run(1, 0);
    ExpectGoldenHash("menus/formations_human_home", formations);
}

// Every fixture's set-up asks for the sides' kits: the spy counts those made under the busy
// pointer.
int32_t s_busySetUps;
void (*s_kitHook)(int32_t, int32_t, int32_t, KitDesign*);

void CountBusySetUp(int32_t home, int32_t away, int32_t isAway, KitDesign* out)
{
    if (isAway == 0 && BusyPointerCount() > 0) ++s_busySetUps;
    s_kitHook(home, away, isAway, out);
}

TEST_F(DayLoop, PlayPressedEarlyPlaysTheGroupUnderTheBusyPointerThenShowsTheViewBarOnTheLastPanel)
{
    const int32_t humanRow = HumanAtFirstLeagueRow(0, 3);
    const int32_t day = VTW_GetFixtureDay(humanRow);
    Calendar_SetDay(day);
    Fixture_PutHumanLast();
    s_busySetUps = 0;
    s_kitHook = GameHooks.GetTeamDesign;
    GameHooks.GetTeamDesign = CountBusySetUp;
    bool earlyPress = false;
    int32_t panelAtBar = -1, leftAtBar = -1, busyAtBar = -1, busySetUpsAtBar = 0, step = 0;
    Pilot pilot([&](Pilot& p) {
        if (step == 0 && DayScreen_PanelShown() == 0) {
            p.Click(MIDDLE_X, BAR_Y);  // "Formation"
            step = 1;
        } else if (step == 1 && DayScreen_PanelShown() == 1) {
            earlyPress = (DayScreenFlags & DAY_SCREEN_GROUP_DONE) == 0;
            p.Click(PLAY_X, BAR_Y);
            step = 2;
        } else if (step == 2 && DayScreen_ViewBarShown()) {
            panelAtBar = DayScreen_PanelShown();
            busyAtBar = BusyPointerCount();
            busySetUpsAtBar = s_busySetUps;
            int32_t unplayed;
            VTW_CountTodaysFixtures(&leftAtBar, &unplayed);
            p.Click(PLAY_X, BAR_Y);
            step = 3;
        }
    });
    ScopedMenuScript script(pilot.Inputs());
    int32_t group, other;
    VTW_CountTodaysFixtures(&group, &other);
    ASSERT_GT(group, 2);
    DayScreen_Run(static_cast<int16_t>(group), static_cast<int16_t>(other));
    EXPECT_TRUE(earlyPress);
    EXPECT_GT(busySetUpsAtBar, 0);
    EXPECT_EQ(busyAtBar, 0);
    EXPECT_EQ(panelAtBar, 1);
    EXPECT_EQ(leftAtBar, 1);  // his own
    EXPECT_TRUE(PlayedAllOfDay(day, -1));
    EXPECT_TRUE(pilot.resultsSeen);
}

// In the unattended run the day shows only the box, which carries each result once more than two
// other fixtures are played.
TEST_F(DayLoop, OtherFixturesShowTheirResultInTheBoxOnlyWhenMoreThanTwo)
{
    HumanAtFirstLeagueRow(0, 3);
    AutoRunMode = 1;
    const std::vector<int32_t> clubs = OtherClubs();
    uint32_t boxHash[4] = {};
    int32_t day = 0;
    for (int32_t count = 1; count <= 3; ++count) {
        day = EmptyDay(day + 1);
        for (int32_t i = 0; i < count; ++i) {
            VTW_InsertFixture(day, COMP_FRIENDLY, clubs[2 * i], clubs[2 * i + 1]);
        }
        Calendar_SetDay(day);
        EXPECT_EQ(DayScreen_Run(0, static_cast<int16_t>(count)), 6);
        EXPECT_EQ(DayScreen_PanelShown(), -1);
        EXPECT_EQ(DayScreen_BoxShown(), 1594);
        EXPECT_TRUE(PlayedAllOfDay(day, -1));
        boxHash[count] = BoxRegionHash();
    }
    EXPECT_EQ(boxHash[1], boxHash[2]);
    EXPECT_NE(boxHash[2], boxHash[3]);
}

// The refusal's box, while it is up, against the box of the same text shown directly; the
// pointer waits in a corner so that it is not part of the picture, and the screen's opening wipe
// is spent first so that it cannot swallow the click.
TEST_F(DayLoop, LowMemoryRefusesThe2DAnd3DViewsWithItsMessageAndKeepsTheView)
{
    const bool low = IsLowMemory();
    MemorySetLowMemory(true);
    PresentMenuScreen();
    const uint32_t refusal = BoxOfText(1129);
    for (const uint16_t choice : {DAY_CHOICE_2D_VIEW, DAY_CHOICE_3D_VIEW}) {
        ChosenViewMode = VIEW_TEXT;
        DayScreenChoice = choice;
        DayScreenFlags &= ~DAY_SCREEN_REDRAW;
        EXPECT_EQ(BoxShownBy(DayScreen_Update), refusal) << choice;
        EXPECT_EQ(ChosenViewMode, VIEW_TEXT) << choice;
    }
    MemorySetLowMemory(low);
}

// The group's count says more fixtures than are left: the day ends all the same.
TEST_F(DayLoop, AGroupCountOutOfStepWithTheFixturesEndsTheDay)
{
    HumanAtFirstLeagueRow(0, 3);
    AutoRunMode = 1;
    Calendar_SetDay(EmptyDay(1));
    EXPECT_EQ(DayScreen_Run(5, 0), 6);
    EXPECT_NE(DayScreenFlags & DAY_SCREEN_GROUP_DONE, 0u);
}

TEST_F(DayLoop, TheOpponentsAverageRatingCountsRatedPlayersOnly)
{
    NewGameForTest(0, 3);
    const int32_t row = 0;
    const int32_t club = VTW_GetFixtureAwayClub(row);
    EXPECT_EQ(DayScreen_AverageRating(row, club), 0);
    Fixture_SetPlayerRow(row, 1, 0, {5, 0, 60, 0, 0});
    Fixture_SetPlayerRow(row, 1, 3, {6, 0, 71, 0, 0});
    EXPECT_EQ(DayScreen_AverageRating(row, club), 65);
    EXPECT_EQ(DayScreen_AverageRating(row, VTW_GetFixtureHomeClub(row)), 0);
}

TEST_F(DayLoop, ThePreviewKeepsTenBestInSquadOrderOnTiesAndAtMostFiveSubstitutes)
{
    const int32_t row = HumanAtFirstLeagueRow(0, 3);
    const int32_t opponent = VTW_GetFixtureAwayClub(row);
    World.countries[0].substitutes[VTW_GetClubDivision(GameState.humanClub)] = 7;
    const int32_t count = VTW_RefreshSquadCount(opponent);
    ASSERT_GE(count, 12);
    std::vector<int32_t> squad;
    for (int32_t i = 0; i < count; ++i) {
        squad.push_back(VTW_GetSquadPlayer(i));
    }
    std::vector<int32_t> scorers;
    for (const int32_t player : squad) {
        if (VTW_GetPositionType(player) == 0) continue;
        Player_RefForGet(player, "test").full->seasonGoals = scorers.size() == 3 ? 4 : 2;
        scorers.push_back(player);
    }
    DayScreen_BuildPreview(row);
    EXPECT_EQ(MatchPreview.substitutes, 5);
    EXPECT_EQ(VTW_GetPlayerClub(MatchPreview.sheets[1][0]), opponent);
    const PreviewBestEntry* best = MatchPreview.bestScorers;
    EXPECT_EQ(best[0].player, scorers[3]);
    EXPECT_EQ(best[0].figure, 4);
    for (int32_t i = 1; i < PREVIEW_BEST; ++i) {
        EXPECT_EQ(best[i].player, scorers[i <= 3 ? i - 1 : i]) << i;
    }
    EXPECT_EQ(best[PREVIEW_BEST].player, PREVIEW_NONE);
    // Those who cannot play are marked by why: suspended, injured, missing.
    const std::function<void(PlayerRecord&)> outs[] = {
        [](PlayerRecord& p) { p.suspension = 1; },
        [](PlayerRecord& p) { p.flags |= PLAYER_INJURED; },
        [](PlayerRecord& p) { p.flags |= PLAYER_MISSING; },
    };
    for (int32_t k = 0; k < 3; ++k) {
        PlayerRecord& p = *Player_RefForGet(scorers[4 + k], "test").full;
        p.seasonGoals = 3;
        outs[k](p);
    }
    DayScreen_BuildPreview(row);
    for (int32_t k = 0; k < 3; ++k) {
        const PreviewBestEntry* out = std::find_if(
            best, best + PREVIEW_BEST, [&](const auto& e) { return e.player == scorers[4 + k]; });
        ASSERT_NE(out, best + PREVIEW_BEST) << k;
        EXPECT_EQ(out->playerClass, 3 + k);
    }
}

// ---------------------------------------------------------------------------------------------
// The advance loop.

TEST_F(DayLoop, OneDayAdvancesTheCalendarAndReturnsToTheOffice)
{
    HumanAtFirstLeagueRow(0, 3);
    const int32_t day = EmptyDay(1);
    Calendar_SetDay(day);
    AdvanceMode = ADVANCE_ONE_DAY;
    Game_AdvanceLoop();
    EXPECT_EQ(VTW_GetCurrentDay(), day + 1);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
}

TEST_F(DayLoop, TodaysMatchPlaysTheHumansFixtureBehindTheRestOfHisGroup)
{
    const int32_t first = HumanAtFirstLeagueRow(0, 3);
    const int32_t day = VTW_GetFixtureDay(first);
    Calendar_SetDay(day);
    AutoRunMode = 1;
    AdvanceMode = ADVANCE_TODAYS_MATCH;
    Game_AdvanceLoop();
    EXPECT_EQ(VTW_GetCurrentDay(), day + 1);
    EXPECT_TRUE(PlayedAllOfDay(day, -1));
    const int32_t human = VTW_FindHumanFixtureOnDay(day);
    const int32_t division = VTW_GetClubDivision(GameState.humanClub);
    for (int32_t row = human + 1; VTW_GetFixtureDay(row) == day; ++row) {
        EXPECT_FALSE(VTW_GetFixtureCompetition(row) == COMP_LEAGUE
                     && VTW_GetClubDivision(VTW_GetFixtureHomeClub(row)) == division)
            << row;
    }
}

// Each case starts on a day of the holidays and expects the loop to stop on a day at least one
// day later: the week's closing day, the human's friendly, the season's last day.
TEST_F(DayLoop, DayAfterDayStopsOnTheClosingDayTheHumansMatchDayAndTheLastDay)
{
    for (const int32_t country : {0, 2}) {
        HumanAtFirstLeagueRow(country, 3);
        const int32_t closing = country == 2 ? WEEKDAY_SUNDAY : WEEKDAY_SATURDAY;
        const int32_t quiet = GameState.lastLeagueDay + 2;
        const int32_t closingDay = Calendar_NextWeekday(quiet + 1, closing);
        const int32_t friendly = closingDay + 2;
        VTW_InsertFixture(friendly, COMP_FRIENDLY, GameState.humanClub, OtherClubs()[0]);
        int32_t lastClosing = LAST_DAY_OF_SEASON - 1;
        while (Calendar_WeekdayOfDay(lastClosing) != closing) {
            --lastClosing;
        }
        const int32_t cases[3][2] = {
            {quiet, closingDay}, {friendly - 1, friendly}, {lastClosing, LAST_DAY_OF_SEASON}};
        for (const auto& [start, stop] : cases) {
            Calendar_SetDay(start);
            Pilot pilot([](Pilot&) {});
            ScopedMenuScript script(pilot.Inputs());
            AdvanceMode = ADVANCE_TO_MATCH_DAY;
            Game_AdvanceLoop();
            EXPECT_EQ(VTW_GetCurrentDay(), stop) << country << " from " << start;
            EXPECT_EQ(AdvanceStop, 1);
        }
    }
}

TEST_F(DayLoop, AutoRunShowsNoScreenAndEndsOnEscapeWithTheRunStillOn)
{
    const int32_t first = HumanAtFirstLeagueRow(0, 3);
    const int32_t matchDay = VTW_GetFixtureDay(first);
    AutoRunMode = 1;
    Pilot pilot([&](Pilot& p) {
        if (VTW_GetCurrentDay() > matchDay) p.Escape();
    });
    ScopedMenuScript script(pilot.Inputs());
    AdvanceMode = ADVANCE_TO_MATCH_DAY;
    Game_AdvanceLoop();
    EXPECT_EQ(AutoRunMode, 1u);
    EXPECT_GT(VTW_GetCurrentDay(), matchDay);
    EXPECT_TRUE(Fixture_IsPlayed(first));
    EXPECT_FALSE(pilot.panelSeen);
    EXPECT_FALSE(pilot.resultsSeen);
}

TEST_F(DayLoop, AnUnknownAdvanceModeEndsTheFrontEnd)
{
    HumanAtFirstLeagueRow(0, 3);
    AdvanceMode = 3;
    Game_AdvanceLoop();
    EXPECT_EQ(MenuOption, MENU_OPTION_QUIT);
}

// A message for the human while the day passes (here, as the day's processing starts) rolls into
// the news box; in the unattended run it opens nothing and goes only to the inbox.
TEST_F(DayLoop, AMessageForTheHumanGoesToTheNewsBoxAndInAutoRunOnlyToTheInbox)
{
    HumanAtFirstLeagueRow(0, 3);
    void (*const shown)(const char*) = GameHooks.ShowMessage;
    GameHooks.SetBusyPointer = [](int32_t on) {
        if (on) TextMess_ShowForHumans();
    };
    for (const uint32_t autoRun : {0u, 1u}) {
        AutoRunMode = autoRun;
        const int32_t day = EmptyDay(1 + static_cast<int32_t>(autoRun));
        Calendar_SetDay(day);
        const int32_t lines = News_LinesAdded();
        const int32_t inbox = TextMessNews.count;
        AdvanceMode = ADVANCE_ONE_DAY;
        Game_AdvanceLoop();
        EXPECT_EQ(VTW_GetCurrentDay(), day + 1) << autoRun;
        EXPECT_EQ(News_LinesAdded() - lines, autoRun ? 0 : 1) << autoRun;
        EXPECT_EQ(TextMessNews.count - inbox, 1) << autoRun;
        EXPECT_EQ(GameHooks.ShowMessage, shown);
    }
}

// Day after day, each day's news is shown in a box of its own: a line told on one day never comes
// back under a later day's.
TEST_F(DayLoop, DayAfterDayShowsEachLineOnlyOnItsOwnDay)
{
    HumanAtFirstLeagueRow(0, 3);
    GameHooks.SetBusyPointer = [](int32_t on) {
        if (!on) return;
        char line[32];
        std::snprintf(line, sizeof line, "jour %d", VTW_GetCurrentDay());
        MessageBox_AddLine(line);
    };
    // The day after a closing day: the loop runs a whole week to the next one.
    const int32_t start = Calendar_NextWeekday(GameState.lastLeagueDay + 2, WEEKDAY_SATURDAY) + 1;
    Calendar_SetDay(start);
    MessageBox_AddLine("la veille");
    Pilot pilot([](Pilot&) {});
    ScopedMenuScript script(pilot.Inputs());
    AdvanceMode = ADVANCE_TO_MATCH_DAY;
    Game_AdvanceLoop();
    ASSERT_GT(VTW_GetCurrentDay(), start + 5);
    const std::string last = NewsBox.lines[(NewsBox.write + NEWS_LINES - 1) % NEWS_LINES];
    EXPECT_NE(last.find("jour"), std::string::npos);
    for (const auto& line : NewsBox.lines) {
        if (line[0] != '\0') {
            EXPECT_EQ(line, last);
        }
    }
}

// A transfer of the human's player on the second day of an advance is told once in that day's box,
// and in no other day's.
TEST_F(DayLoop, ATransferOfTheHumansPlayerIsToldOnceOnTheDayItHappens)
{
    HumanAtFirstLeagueRow(0, 3);
    static int32_t moveDay, player, buyer;
    static std::vector<std::pair<int32_t, std::string>> boxes;  // each day's lines at its end
    const int32_t start = Calendar_NextWeekday(GameState.lastLeagueDay + 2, WEEKDAY_SATURDAY) + 1;
    moveDay = start + 1;
    VTW_RefreshSquadCount(GameState.humanClub);
    player = VTW_GetPlayerByShirt(14);
    buyer = OtherClubs()[0];
    ASSERT_GE(player, 0);
    const std::string name = VTW_FormatPersonName(player);
    boxes.clear();
    VTW_InsertFixture(start + 4, COMP_FRIENDLY, GameState.humanClub, buyer);
    GameHooks.NewsPlayerMoved = News_PlayerMoved;
    GameHooks.SetBusyPointer = [](int32_t on) {
        if (on && VTW_GetCurrentDay() == moveDay) {
            ASSERT_EQ(Market_MovePlayer(player, buyer, 500000, false, 1000, 24), player);
        }
        if (on) return;
        std::string lines;
        for (const auto& line : NewsBox.lines) {
            lines += line;
        }
        boxes.emplace_back(VTW_GetCurrentDay() - 1, lines);
    };
    Calendar_SetDay(start);
    Pilot pilot([](Pilot&) {});
    ScopedMenuScript script(pilot.Inputs());
    AdvanceMode = ADVANCE_TO_MATCH_DAY;
    Game_AdvanceLoop();
    ASSERT_EQ(boxes.size(), 4u);
    for (const auto& [day, lines] : boxes) {
        int32_t told = 0;
        for (size_t at = lines.find(name); at != std::string::npos; at = lines.find(name, at + 1)) {
            ++told;
        }
        EXPECT_EQ(told, day == moveDay ? 1 : 0) << day << ": " << lines;
    }
}
}  // namespace

namespace {

// "Rencontre du jour" left through the menu bar ("Fichier" > "Enregistrer") leads to that screen
// and plays nothing of the day.
TEST_F(DayLoop, LeavingTodaysMatchThroughTheMenuBarPlaysNoFixture)
{
    const int32_t first = HumanAtFirstLeagueRow(0, 3);
    const int32_t day = VTW_GetFixtureDay(first);
    Calendar_SetDay(day);
    FrontEnd_RegisterLoopSteps();
    AdvanceMode = ADVANCE_TODAYS_MATCH;
    MenuInputs inputs;
    inputs.push_back({400, MenuInput::MOVE, 320, 2, {}});
    inputs.push_back({420, MenuInput::MOVE, 30, 10, {}});
    AddClick(&inputs, 440, 60, 32);
    ScopedMenuScript script(inputs);
    MenuOption = 46;
    DispatchOption(46);
    EXPECT_EQ(MenuOption, 50);
    EXPECT_EQ(VTW_GetCurrentDay(), day);
    for (int32_t row = Fixture_FirstRowOfDay(day); VTW_GetFixtureDay(row) == day; ++row) {
        EXPECT_FALSE(Fixture_IsPlayed(row)) << row;
    }
    EXPECT_EQ(Results_ShownMode(), -1);
}

}  // namespace

// The target day ends the unattended run on that day, with the run switched off, rather than at
// the next match day after it; an unconditional run ignores the target and ends only on Escape.
TEST_F(DayLoop, TheUnattendedRunStopsOnItsTargetDayUnlessItIsUnconditional)
{
    HumanAtFirstLeagueRow(0, 3);
    for (const uint16_t options : {uint16_t{0}, uint16_t{AUTORUN_UNCONDITIONAL}}) {
        const int32_t target = VTW_GetCurrentDay() + 14;
        AutoRunMode = 1;
        AutoRunTarget = {static_cast<int16_t>(target),
                         static_cast<int16_t>(GameState.seasonCounter), options};
        Pilot pilot([&](Pilot& p) {
            if (VTW_GetCurrentDay() > target + 3) p.Escape();
        });
        ScopedMenuScript script(pilot.Inputs());
        AdvanceMode = ADVANCE_TO_MATCH_DAY;
        Game_AdvanceLoop();
        if (options == 0) {
            EXPECT_EQ(VTW_GetCurrentDay(), target);
            EXPECT_EQ(AutoRunMode, 0u);
        } else {
            EXPECT_GT(VTW_GetCurrentDay(), target + 3);
            EXPECT_EQ(AutoRunMode, 1u);
        }
        EXPECT_FALSE(pilot.panelSeen) << options;
    }
}
