// tests/menus/friendly_test.cpp: the friendlies screen over a new career: its day rows, booking
// by clicks over the real menu loop, the arrows' bounds, the division filter, the tours and the
// refusals' boxes, and its frame.
#include "menus/friendly.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/blockfile.h"
#include "engine/filename.h"
#include "engine/host/host.h"
#include "engine/poll.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/tables.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "game/world.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/presentation.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/kits.h"
#include "menus/machine.h"
#include "menus/matchanalysis.h"
#include "menus/menubar.h"
#include "menus/office.h"
#include "menus/postmatch.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t DAY_X = 100;
constexpr int32_t TEAM_X = 420;
constexpr int32_t ROWS_Y = 100;  // the middle of the first row
constexpr int32_t PITCH = 20;

class FriendlyTest : public ::testing::Test {
protected:
    int32_t Human() const { return m_screen.HumanClub(); }
    // The rows of the human's club, as "day:competition:home:away".
    std::vector<std::string> HumanRows() const
    {
        std::vector<std::string> rows;
        for (int32_t row = 0; row < Fixture_RowCount(); ++row) {
            const int32_t home = VTW_GetFixtureHomeClub(row), away = VTW_GetFixtureAwayClub(row);
            if (home != Human() && away != Human()) continue;
            rows.push_back(std::to_string(VTW_GetFixtureDay(row)) + ":"
                           + std::to_string(VTW_GetFixtureCompetition(row)) + ":"
                           + std::to_string(home) + ":" + std::to_string(away));
        }
        return rows;
    }
    std::string Friendly(int32_t day, int32_t team) const
    {
        const bool away = ::Friendly.away[team] != 0;
        return std::to_string(day) + ":" + std::to_string(COMP_FRIENDLY) + ":"
               + std::to_string(away ? team : Human()) + ":"
               + std::to_string(away ? Human() : team);
    }
    // The first day from today on with no match of the club.
    static int32_t FreeDay(int32_t club, int32_t from)
    {
        int32_t day = from;
        while (VTW_FindFixtureOfClubOnDay(club, day) >= 0)
            ++day;
        return day;
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(FriendlyTest, DayRowsShowTheWeekdayAndTheHumansMatchOrNone)
{
    const int32_t today = VTW_GetCurrentDay();
    const int32_t opponent = DivisionLists[0][5];
    const int32_t day = FreeDay(Human(), today + 3);
    ASSERT_LT(day - today, FRIENDLY_ROWS);
    ASSERT_GE(VTW_InsertFixture(day, COMP_FRIENDLY, opponent, Human()), 0);
    m_screen.Run(Friendly_Table(), [] {});
    EXPECT_EQ(::Friendly.days[0].day, today);
    EXPECT_STREQ(::Friendly.days[0].date, "Dim. 1");  // Sunday 1 August 1999
    EXPECT_STREQ(::Friendly.days[1].date, "Lun. 2");
    for (int32_t r = 0; r < FRIENDLY_ROWS; ++r) {
        const FriendlyDayRow& row = ::Friendly.days[r];
        EXPECT_EQ(row.day, today + r);
        EXPECT_EQ(row.highlight, 0);
        const int32_t league = VTW_FindCompetitiveFixtureOnDay(Human(), row.day);
        if (row.day == day) {
            EXPECT_EQ(row.opponent, VTW_ClubNameTextNo(VTW_GetTeam(opponent)));
        } else if (league < 0) {
            EXPECT_EQ(row.opponent, 168) << r;
        } else {
            EXPECT_NE(row.opponent, 168) << r;
        }
    }
}

TEST_F(FriendlyTest, ClickSequencesBookOnlyOnAFreeDayAgainstAFreeOpponent)
{
    const int32_t today = VTW_GetCurrentDay();
    const int32_t busyDay = FreeDay(Human(), today + 1);
    ASSERT_GE(VTW_InsertFixture(busyDay, COMP_FRIENDLY, Human(), DivisionLists[0][9]), 0);
    const int32_t freeDay = FreeDay(Human(), busyDay + 1);
    const int32_t otherDay = FreeDay(Human(), freeDay + 1);
    ASSERT_LT(otherDay - today, FRIENDLY_ROWS);
    m_screen.Run(Friendly_Table(), [] {});  // the candidates and away flags of this entry
    const int32_t team0 = ::Friendly.teams[0], team1 = ::Friendly.teams[1];
    ASSERT_GE(VTW_InsertFixture(otherDay, COMP_FRIENDLY, team1, DivisionLists[0][12]), 0);
    const std::vector<std::string> before = HumanRows();
    struct Click {
        bool team;
        int32_t row;
    };
    struct Case {
        std::vector<Click> clicks;
        int16_t selected;   // after the clicks
        int32_t addedTeam;  // booked on the free day, at home unless the team's away flag is set
    };
    const Case cases[] = {
        {{{true, 0}}, -1, -1},                                            // no day selected
        {{{false, busyDay - today}, {true, 0}}, -1, -1},                  // a day with a match
        {{{false, otherDay - today}, {true, 1}}, int16_t(otherDay), -1},  // a busy opponent
        {{{false, freeDay - today}, {true, 0}}, int16_t(freeDay), team0},
        {{{false, freeDay - today}, {true, 1}}, -1, -1},  // the day now holds the friendly
    };
    std::vector<std::string> expected = before;
    for (const Case& c : cases) {
        MenuInputs inputs;
        uint32_t tick = 250;
        for (const Click& click : c.clicks) {
            AddClick(&inputs, tick, click.team ? TEAM_X : DAY_X, ROWS_Y + click.row * PITCH);
            tick += 60;
        }
        AddClick(&inputs, tick, 20, 20);  // away with a refusal's box
        int16_t selected = -2;
        inputs.push_back(
            {tick + 60, MenuInput::CALL, 0, 0, [&] { selected = ::Friendly.selectedDay; }});
        m_screen.Run(
            Friendly_Table(), [] {}, inputs);
        if (c.selected >= 0) {
            EXPECT_EQ(selected, c.selected);
        }
        if (c.addedTeam >= 0) expected.push_back(Friendly(freeDay, c.addedTeam));
        std::sort(expected.begin(), expected.end());
        std::vector<std::string> rows = HumanRows();
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(rows, expected) << c.clicks.size();
    }
}

TEST_F(FriendlyTest, RefusalsShowTheirTexts)
{
    m_screen.Run(Friendly_Table(), [] {});
    const int32_t today = VTW_GetCurrentDay();
    const int32_t team = ::Friendly.teams[0];
    const int32_t day = FreeDay(Human(), today + 1);
    if (VTW_FindFixtureOfClubOnDay(team, day) < 0) {
        ASSERT_GE(VTW_InsertFixture(day, COMP_FRIENDLY, team, DivisionLists[1][12]), 0);
    }
    const int32_t busy = day;
    ::Friendly.selectedDay = static_cast<int16_t>(busy);
    ::Friendly.firstTeam = 0;
    MenuHotspot hotspot{};
    hotspot.row = 0;
    ::Friendly.selectedDay = -1;
    EXPECT_EQ(Friendly_PickTeam(&hotspot), 1);  // no day selected: nothing to book
    ::Friendly.selectedDay = static_cast<int16_t>(busy);
    const uint32_t busyBox = BoxOfText(2023);
    EXPECT_EQ(BoxShownBy([&] { Friendly_PickTeam(&hotspot); }), busyBox);
    EXPECT_NE(busyBox, BoxOfText(2024));
    // The holidays too near for a seven-day window.
    const int32_t holidays = GameState.holidayStart;
    GameState.holidayStart = static_cast<int16_t>(today + 6);
    EXPECT_EQ(BoxShownBy([] { Friendly_Tour(6); }), BoxOfText(1126));
    GameState.holidayStart = static_cast<int16_t>(holidays);
    // No club of the country on the candidate list.
    for (int16_t& club : GameState.friendlyCandidates) {
        if (club >= 0 && VTW_GetClubCountry(club) == 3) club = -1;
    }
    const size_t rows = HumanRows().size();
    EXPECT_EQ(BoxShownBy([] { Friendly_Tour(3); }), BoxOfText(2024));
    EXPECT_EQ(HumanRows().size(), rows);
}

TEST_F(FriendlyTest, ATourBooksThreeAwayFriendliesOnTheWindowsFirstFourthAndSeventhDays)
{
    const int32_t window = Fixtures_FirstTourWindow(Human());
    ASSERT_GE(window, 0);
    const std::vector<std::string> before = HumanRows();
    EXPECT_EQ(Friendly_Tour(6), EXM_CODE_REDRAW);
    const std::vector<std::string> after = HumanRows();
    ASSERT_EQ(after.size(), before.size() + 3);
    std::vector<int32_t> days;
    for (int32_t row = 0; row < Fixture_RowCount(); ++row) {
        if (VTW_GetFixtureAwayClub(row) != Human()
            || VTW_GetFixtureCompetition(row) != COMP_FRIENDLY)
            continue;
        days.push_back(VTW_GetFixtureDay(row));
        EXPECT_EQ(VTW_GetClubCountry(VTW_GetFixtureHomeClub(row)), 6);
    }
    EXPECT_EQ(days, (std::vector<int32_t>{window + 1, window + 4, window + 7}));
    // The window's days now hold the tour: the next tour starts after it.
    EXPECT_GT(Fixtures_FirstTourWindow(Human()), window + 7);
}

TEST_F(FriendlyTest, TheArrowsStopAtTodayTheLastLeagueDayAndBothEndsOfTheTeams)
{
    m_screen.Run(Friendly_Table(), [] {});
    const int32_t today = VTW_GetCurrentDay();
    EXPECT_EQ(Friendly_DaysBack(nullptr), 1);
    int32_t steps = 0;
    while (Friendly_DaysForward(nullptr) == EXM_CODE_REDRAW && steps < 40) {
        ++steps;
        EXPECT_LE(::Friendly.firstDay + FRIENDLY_ROWS - 1, VTW_GetLastLeagueDay());
    }
    Friendly_Build(false);
    EXPECT_EQ(::Friendly.days[FRIENDLY_ROWS - 1].day, VTW_GetLastLeagueDay());
    EXPECT_EQ(Friendly_DaysForward(nullptr), 1);
    EXPECT_EQ(Friendly_DaysBack(nullptr), EXM_CODE_REDRAW);
    EXPECT_EQ(::Friendly.firstDay, VTW_GetLastLeagueDay() - 2 * FRIENDLY_ROWS + 1);
    while (Friendly_DaysBack(nullptr) == EXM_CODE_REDRAW) {
    }
    EXPECT_EQ(::Friendly.firstDay, today);

    EXPECT_EQ(Friendly_TeamUp(nullptr), 1);
    const int32_t count = ::Friendly.teamCount;
    ASSERT_GT(count, FRIENDLY_ROWS);
    for (int32_t k = 0; k < count - FRIENDLY_ROWS; ++k) {
        EXPECT_EQ(Friendly_TeamDown(nullptr), EXM_CODE_REDRAW);
    }
    EXPECT_EQ(Friendly_TeamDown(nullptr), 1);
    EXPECT_EQ(::Friendly.firstTeam, count - FRIENDLY_ROWS);
    EXPECT_EQ(Friendly_TeamUp(nullptr), EXM_CODE_REDRAW);
}

TEST_F(FriendlyTest, TheFilterListsTheCandidatesOfOneDivisionOfTheCountryInListOrder)
{
    m_screen.Run(Friendly_Table(), [] {});
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        Friendly_ChooseDivision(division);
        Friendly_Build(false);
        std::vector<int16_t> expected;
        for (const int16_t club : GameState.friendlyCandidates) {
            if (club >= 0 && club != Human() && VTW_GetClubCountry(club) == VTW_GetCountry()
                && VTW_GetClubDivision(club) == division)
                expected.push_back(club);
        }
        EXPECT_EQ(std::vector<int16_t>(::Friendly.teams, ::Friendly.teams + ::Friendly.teamCount),
                  expected)
            << division;
        EXPECT_EQ(::Friendly.divisionHighlights[division], FRIENDLY_HIGHLIGHT);
    }
}

TEST_F(FriendlyTest, ASelectedDayMatchesTheGolden)
{
    MenuInputs inputs;
    AddClick(&inputs, 100, DAY_X, ROWS_Y + 3 * PITCH);
    uint32_t hash = 0;
    inputs.push_back({400, MenuInput::CALL, 0, 0, [&] {
                          hash = WorkScreenHash();
                          WriteFrameToTestOutput("friendly.png");
                      }});
    m_screen.Run(
        Friendly_Table(), [] {}, inputs);
    ExpectGoldenHash("menus/friendly", hash);
}

TEST_F(FriendlyTest, TheOfficesEntryIsOffWithoutAPost)
{
    MenuListEntry* popup = Office_CalendarPopup();
    ASSERT_EQ(popup[3].label, TEXT_FRIENDLY);
    for (const bool post : {false, true}) {
        VTW_SetClubControl(Human(), post ? MANAGER_HUMAN : MANAGER_COMPUTER);
        popup[0].prepare(nullptr);
        EXPECT_EQ(popup[3].flags, post ? LIST_ENABLED : 0) << post;
    }
}

namespace {

// A career whose human club exports its team, and another club's team beside it.
class FriendlySetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FriendlySetup = {};
        GameState.humanClub = static_cast<int16_t>(m_screen.HumanClub());
        ASSERT_EQ(SaveTeamFile(), 0);
        ASSERT_EQ(LoadTeamFile(0), 0);
        m_human = FriendlyTeamBlocks[0];
        GameState.humanClub = static_cast<int16_t>(DivisionLists[0][6]);
        ASSERT_EQ(SaveTeamFile(), 0);
        ASSERT_EQ(LoadTeamFile(0), 0);
        m_other = FriendlyTeamBlocks[0];
        std::memset(FriendlyTeamBlocks, 0x5A, sizeof FriendlyTeamBlocks);
        GameState.humanClub = static_cast<int16_t>(m_screen.HumanClub());
    }
    // The team file holding a team, as an export leaves it.
    static void Export(const ExportedTeamBlock& team)
    {
        ExportedTeamBlock copy = team;
        BlockFileBlock block = {"TEAM", &copy, sizeof(copy)};
        ASSERT_EQ(BlockFileSave(TEAM_FILE_NAME, "TEM1", 1, &block, 1), BLOCKFILE_OK);
    }
    static bool Same(const ExportedTeamBlock& a, const ExportedTeamBlock& b)
    {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }

    TempHome m_home;
    ScopedScreenRedraw m_screen;
    ExportedTeamBlock m_human{};
    ExportedTeamBlock m_other{};
};

}  // namespace

TEST_F(FriendlySetupTest, PlayWantsTwoLoadedTeamsAndAFailedLoadChangesNothing)
{
    m_screen.Run(FriendlySetup_Table(), [] {});  // the screen once shown, as the boxes need
    const int16_t option = MenuOption;
    const uint32_t notTwo = BoxOfText(1020);
    const uint32_t failed = BoxOfText(1662);
    std::remove(HostPath(TEAM_FILE_NAME).c_str());
    EXPECT_EQ(BoxShownBy([] { FriendlySetup_Load(0); }), failed);  // no file
    Export(m_human);
    EXPECT_EQ(FriendlySetup_Load(0), EXM_CODE_REDRAW);
    EXPECT_EQ(FriendlySetup_Load(0), EXM_CODE_REDRAW);  // team A twice
    EXPECT_EQ(BoxShownBy([] { FriendlySetup_Play(nullptr); }), notTwo);
    EXPECT_EQ(BoxShownBy([] { FriendlySetup_Swap(nullptr); }), notTwo);
    EXPECT_TRUE(Same(FriendlyTeamBlocks[0], m_human));
    const ExportedTeamBlock untouched = FriendlyTeamBlocks[1];
    BlockFileBlock foreign = {"TEAM", &m_other, sizeof(m_other)};
    ASSERT_EQ(BlockFileSave(TEAM_FILE_NAME, "SAV0", 1, &foreign, 1), BLOCKFILE_OK);
    EXPECT_EQ(BoxShownBy([] { FriendlySetup_Load(1); }), failed);
    EXPECT_EQ(FriendlySetup.loaded[1], 0);
    EXPECT_TRUE(Same(FriendlyTeamBlocks[1], untouched));
    EXPECT_EQ(MenuOption, option);

    Export(m_other);
    EXPECT_EQ(FriendlySetup_Load(1), EXM_CODE_REDRAW);
    EXPECT_STREQ(FriendlySetup.names[0], m_human.name);
    EXPECT_STREQ(FriendlySetup.names[1], m_other.name);
    EXPECT_EQ(FriendlySetup_Swap(nullptr), EXM_CODE_REDRAW);
    EXPECT_TRUE(Same(FriendlyTeamBlocks[0], m_other));
    EXPECT_TRUE(Same(FriendlyTeamBlocks[1], m_human));
    EXPECT_STREQ(FriendlySetup.names[0], m_other.name);

    // The flags survive leaving the screen; Play then leads to the match.
    m_screen.Run(FriendlySetup_Table(), [] {});
    EXPECT_EQ(MenuOption, MENU_OPTION_TITLE);
    EXPECT_EQ(FriendlySetup.loaded[0], 1);
    EXPECT_EQ(FriendlySetup.loaded[1], 1);
    EXPECT_EQ(FriendlySetup_Play(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 54);
    EXPECT_EQ(GameState.country, 0);
}

TEST_F(FriendlySetupTest, FillSidesWritesTheHeaderAndBothTeamsIntoTheBlock)
{
    FriendlyTeamBlocks[0] = m_human;
    FriendlyTeamBlocks[1] = m_other;
    const auto empty = [](TacticsRecord* tactic) {
        tactic->slots[0].row = static_cast<int16_t>(TACTIC_EMPTY_MARK);
    };
    for (TacticsRecord& tactic : FriendlyTeamBlocks[1].tactics) {
        empty(&tactic);  // every custom tactic empty: built-in tactic 0
    }
    empty(&FriendlyTeamBlocks[0].tactics[0]);
    empty(&FriendlyTeamBlocks[0].tactics[1]);
    FriendlyTeamBlocks[0].tactics[2].slots[0].row = 4;  // the first custom tactic is the third
    Friendly_FillSides();
    const MatchDayBlock& b = *GetMatchSidesBlock();
    const auto* bytes = reinterpret_cast<const uint8_t*>(&b);
    const auto word = [&](size_t offset) {
        return static_cast<int16_t>(bytes[offset] | bytes[offset + 1] << 8);
    };
    struct Field {
        size_t offset;
        int32_t value;
        bool isWord;
    };
    const Field header[] = {
        {0, 1, false},  {1, 1, false},  {2, 0, false},    {3, 5, true},   {5, 0, false},
        {9, 1, false},  {10, 0, false}, {11, 117, false}, {12, -1, true}, {14, 2, true},
        {16, 5, true},  {18, 3, true},  {20, 0, true},    {22, 0, true},  {24, 0, true},
        {26, 0, true},  {28, 0, true},  {30, 0, true},    {32, 0, true},  {34, 0, false},
        {35, 0, false}, {36, -1, true}, {38, -1, true},   {40, -1, true},
    };
    for (const Field& f : header) {
        EXPECT_EQ(f.isWord ? word(f.offset) : bytes[f.offset], f.value) << f.offset;
    }
    EXPECT_GE(b.official[0], 50);
    EXPECT_LE(b.official[0], 80);
    EXPECT_GE(b.official[1], 50);
    EXPECT_LE(b.official[1], 65);
    EXPECT_EQ(b.official[2], 0);
    const int16_t tactics[2] = {TACTIC_CUSTOM_FIRST + 2, 0};
    for (int32_t s = 0; s < MATCH_SIDE_COUNT; ++s) {
        const MatchSide& side = b.sides[s];
        const ExportedTeamBlock& team = FriendlyTeamBlocks[s];
        EXPECT_STREQ(side.teamName, team.name) << s;
        EXPECT_EQ(side.human, 1) << s;
        EXPECT_EQ(side.tactic, tactics[s]) << s;
        EXPECT_EQ(std::memcmp(side.tactics, team.tactics, 3960), 0) << s;
        EXPECT_EQ(std::memcmp(side.entries, team.entries, 1853), 0) << s;
        EXPECT_EQ(side.firstLegGoals, 0) << s;
        EXPECT_EQ(std::vector<uint16_t>(side.designated, side.designated + 4),
                  (std::vector<uint16_t>{9, 11, 8, 7}))
            << s;
        EXPECT_EQ(std::vector<uint16_t>(side.settings, side.settings + 4),
                  (std::vector<uint16_t>{100, 100, 100, 100}))
            << s;
    }
}

TEST_F(FriendlySetupTest, TwoTeamsInOneKitSendTheAwaySideIntoAnotherKit)
{
    for (const int32_t team :
         {VTW_GetTeam(m_screen.HumanClub()), VTW_GetTeam(DivisionLists[0][6])}) {
        KitDesign home{}, away{};
        GetTeamDesignOfTeams(team, team, team, 0, &home);
        GetTeamDesignOfTeams(team, team, team, 1, &away);
        EXPECT_EQ(std::memcmp(&home, &World.clubs[team].kits[0], sizeof home), 0) << team;
        EXPECT_NE(std::memcmp(&away, &home, sizeof home), 0) << team;
        bool candidate = std::memcmp(&away, &World.clubs[team].kits[1], sizeof away) == 0;
        for (const KitDesign& spare : KitSpareDesigns) {
            candidate = candidate || std::memcmp(&away, &spare, sizeof away) == 0;
        }
        EXPECT_TRUE(candidate) << team;
    }
}

TEST_F(FriendlySetupTest, TwoLoadedTeamsMatchTheGolden)
{
    FriendlyTeamBlocks[0] = m_human;
    FriendlyTeamBlocks[1] = m_other;
    FriendlySetup.loaded[0] = FriendlySetup.loaded[1] = 1;
    uint32_t hash = 0;
    m_screen.Run(FriendlySetup_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("friendly_setup.png");
    });
    ExpectGoldenHash("menus/friendly_setup", hash);
}

// Each load redraws the names: the screen once kept its first frame until it was built again.
TEST_F(FriendlySetupTest, TeamsLoadedByClicksShowAsIfLoadedBeforeTheScreen)
{
    uint32_t hash = 0;
    MenuInputs inputs;
    inputs.push_back({200, MenuInput::CALL, 0, 0, [this] { Export(m_human); }});
    AddClick(&inputs, 220, 320, 145);
    inputs.push_back({300, MenuInput::CALL, 0, 0, [this] { Export(m_other); }});
    AddClick(&inputs, 320, 320, 285);
    inputs.push_back({400, MenuInput::MOVE, 320, 240, {}});  // where the golden has the pointer
    inputs.push_back({450, MenuInput::CALL, 0, 0, [&] { hash = WorkScreenHash(); }});
    m_screen.Run(
        FriendlySetup_Table(), [] {}, inputs);
    ASSERT_EQ(FriendlySetup.loaded[0] + FriendlySetup.loaded[1], 2);
    ExpectGoldenHash("menus/friendly_setup", hash);
}

namespace {

std::vector<int32_t> s_shownAfterTheMatch;
std::optional<ScopedMenuScript> s_postMatchClicks;
MatchAnalysisState s_analysisShown;  // the analysis table as it first showed

// The clicks on "Continuer" start with the first post-match screen: started with the match, a
// script would spend them during play, whatever its length, and leave the table waiting.
void ClickThroughThePostMatchScreens()
{
    if (s_postMatchClicks || PostMatch_ShownScreen() == 0) return;
    MenuInputs inputs;
    for (uint32_t tick = 0; tick < 4000; tick += 200) {
        inputs.push_back({tick, MenuInput::CALL, 0, 0, [] {
                              if (PostMatch_ShownScreen() == 60 && s_shownAfterTheMatch.empty())
                                  s_analysisShown = MatchAnalysis;
                              if (PostMatch_ShownScreen() != 0)
                                  s_shownAfterTheMatch.push_back(PostMatch_ShownScreen());
                          }});
        AddClick(&inputs, tick + 50, 590, 456);
    }
    s_postMatchClicks.emplace(inputs, 5000);
}

// The human starts watching in 3D and turns to the commentary at once, as the pause screen's
// "Commentaires" does: the text view is the one shown when the match ends.
void TurnToTheTextView() { GetMatchSidesBlock()->viewMode = VIEW_TEXT; }
constexpr MatchViewOps kTurnsToText = {TurnToTheTextView, nullptr, nullptr, nullptr, nullptr};
constexpr MatchViewOps kSilentText = {nullptr, nullptr, nullptr, nullptr, nullptr};

}  // namespace

TEST_F(FriendlySetupTest, AMatchShownInTheTextViewIsFollowedByTheAnalysisTable)
{
    FriendlyTeamBlocks[0] = m_human;
    FriendlyTeamBlocks[1] = m_other;
    Friendly_FillSides();
    s_shownAfterTheMatch.clear();
    MatchEngine_Init();
    MatchPresentation_SetDefaults();
    for (int32_t kind = 0; kind < VIEWKIND_COUNT; ++kind) {
        MatchView_Register(kind, nullptr);
    }
    MatchView_Register(VIEWKIND_SOFTWARE_3D, &kTurnsToText);
    MatchView_Register(VIEWKIND_TEXT, &kSilentText);
    const uint16_t key = AddPollFunction(ClickThroughThePostMatchScreens, POLL_EVERY_CALL, 0);
    Friendly_Play();
    RemovePollFunction(key);
    MatchView_Register(VIEWKIND_SOFTWARE_3D, nullptr);
    MatchView_Register(VIEWKIND_TEXT, nullptr);
    s_postMatchClicks.reset();
    MatchEngine_Uninit();
    // Played to its end, not cut short: ninety minutes or more, or the shoot-out of a draw.
    EXPECT_TRUE(Match.period == MATCH_PERIOD_SHOOT_OUT || Match_GetMinute() >= 90)
        << Match.period << " " << Match_GetMinute();
    ASSERT_FALSE(s_shownAfterTheMatch.empty());
    EXPECT_EQ(s_shownAfterTheMatch.front(), 60);
    EXPECT_EQ(MatchReportFlags & (MATCH_REPORT_SIDE_CHOSEN | MATCH_REPORT_IN_SEQUENCE), 0);
    const int32_t score = GetMatchDataBlock()->sides[0].score;  // the block is packed
    EXPECT_GE(score, 0);
    // The table shows this match, which has no fixture row: both teams, the score, the players.
    EXPECT_STREQ(s_analysisShown.names[0], m_human.name);
    EXPECT_STREQ(s_analysisShown.names[1], m_other.name);
    EXPECT_EQ(s_analysisShown.goals[0], score);
    for (int32_t k = 0; k < MATCH_STARTERS; ++k) {
        const int32_t id = GetMatchPlayerEntry(0, k).playerId;  // the entry is packed
        EXPECT_EQ(s_analysisShown.rows[k].player, id) << k;
        EXPECT_TRUE(s_analysisShown.rows[k].tookPart) << k;
    }
}
