// tests/menus/leaguetable_test.cpp: the league table: paging, the separator lines from the
// country's promotion counts, the highlight of managed clubs, the division buttons (on every
// screen that has them, clicked), the movement icons and the drawn screen.
#include "menus/leaguetable.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/historylists.h"
#include "menus/honours.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"
#include "tests/support/support.h"

namespace {

constexpr uint32_t T0 = 300;  // after the first build's wipe onto the screen

class TableScreen : public ::testing::Test {
protected:
    ~TableScreen() override { FrontEndUninit(); }

    // A new game of the country with the human at the top club of division 0.
    void StartCareer(int32_t country)
    {
        NewGameForTest(country, 7);
        FrontEndInit();
        const int32_t human = DivisionLists[0][0];
        VTW_SetClubControl(human, MANAGER_HUMAN);
        GameState.humanClub = static_cast<int16_t>(human);
        GameState.currentClub = static_cast<int16_t>(human);
        LeagueTable_Build(true);
    }

    ScopedWorld m_world;
    ScopedMenuDisplay m_display{true};
};

// The lines above each place of the division, from the top: '-' solid, '.' dashed, ' ' none.
std::string SeparatorsOfDivision(int32_t division)
{
    LeagueTable_ChooseDivision(division);
    const uint32_t colour = MenuScreenColour(LEAGUE_TABLE_SEPARATOR_COLOUR);
    std::string lines;
    for (int32_t place = 0; place < VTW_GetDivisionSize(division); ++place) {
        LeagueTableScreen.first = static_cast<int16_t>(place);
        FillMenuRect(0, 0, 640, 480, 0);
        LeagueTable_DrawSeparators(30, 200, 596, 20, 0);
        const int32_t y = 200 - LEAGUE_TABLE_SEPARATOR_ABOVE;
        const bool dash = WorkPixel(30 + 2, y) == colour;
        const bool gap = WorkPixel(30 + LEAGUE_TABLE_DASH + 2, y) == colour;
        lines += gap ? '-' : dash ? '.' : ' ';
    }
    return lines;
}

// A text a screen must draw, where DrawMenuString would put it.
struct ExpectedText {
    std::string text;
    int32_t x;
    int32_t y;
    int32_t font;
    int32_t alignment;
};

std::string Text(int32_t textNo) { return GetMessageText(textNo); }
std::string ClubName(int32_t club) { return VTW_FormatClubName(VTW_GetTeam(club)); }

// The clubs of the division, from their own records.
std::vector<int32_t> ClubsOfDivision(int32_t division)
{
    std::vector<int32_t> clubs;
    for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
        if (VTW_GetClubCountry(club) == VTW_GetCountry() && VTW_GetClubDivision(club) == division)
            clubs.push_back(club);
    }
    return clubs;
}

// Who the season's record names for each division: its champion and runner-up, below the top
// its four play-off clubs, and a scorer of 10 + division goals who plays for none of them.
struct DivisionRecord {
    int32_t champion;
    int32_t runnerUp;
    int16_t playOffs[HONOURS_PLAYOFF_CLUBS];
    int32_t scorer;
};

std::vector<DivisionRecord> RecordEveryDivision()
{
    std::vector<DivisionRecord> record;
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        const std::vector<int32_t> clubs = ClubsOfDivision(division);
        DivisionRecord entry = {clubs[3], clubs[5], {}, -1};
        Honours_Record(HONOURS_DIVISION_FIRST + division, VTW_GetTeam(entry.champion),
                       VTW_GetTeam(entry.runnerUp));
        for (int32_t k = 0; k < HONOURS_PLAYOFF_CLUBS; ++k) {
            entry.playOffs[k] = static_cast<int16_t>(clubs[8 + k]);
        }
        const int32_t scorerClub = clubs[7];
        for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount && entry.scorer < 0; ++id) {
            if (DbPlayers[id].club == scorerClub && DbPlayers[id].loanClub < 0
                && VTW_GetPositionLine(id) > 0 && VTW_GetPositionLine(id) < 4)
                entry.scorer = id;
        }
        DbPlayers[entry.scorer].seasonGoals = static_cast<uint8_t>(10 + division);
        record.push_back(entry);
    }
    Honours_NewSeason();  // the season played is last season's row
    for (int32_t division = 1; division < VTW_GetCountryDivisions(); ++division) {
        Honours_SetPlayOffClubs(division, record[division].playOffs);
    }
    return record;
}

// Which of the candidates the row shows, a managed club in its highlight; -1 none, -2 several.
int32_t ClubShown(const std::vector<int32_t>& candidates, int32_t x, int32_t y)
{
    int32_t shown = -1;
    for (const int32_t club : candidates) {
        const int32_t colour = VTW_GetClubController(club) > 0 ? LEAGUE_TABLE_HIGHLIGHT : 0;
        if (!TextDrawnAt(ClubName(club), x, y, 1, MENU_ALIGN_ML, colour)) continue;
        shown = shown == -1 ? club : -2;
    }
    return shown;
}

}  // namespace

// Each screen with division buttons, clicked through its buttons by the pointer, draws the
// clicked division's name and the clubs or players the season's record names for it.
TEST(DivisionButtons, AClickOnEachButtonDrawsItsDivisionOnEveryScreen)
{
    ScopedScreenRedraw career;
    const std::vector<DivisionRecord> record = RecordEveryDivision();
    const int32_t divisions = VTW_GetCountryDivisions();
    ASSERT_GT(divisions, 2);
    const MenuItem* buttons = LeagueTable_DivisionButtons(divisions);  // every screen's places
    struct Screen {
        const char* name;
        const MenuItem* (*table)();
        // The texts division d's page draws, and the rows that must show one of its clubs.
        std::function<std::vector<ExpectedText>(int32_t)> texts;
        int32_t clubRows;
    };
    const Screen screens[] = {
        {"roll of honour", RollOfHonour_Table,
         [&](int32_t d) {
             std::vector<ExpectedText> texts = {
                 {Text(VTW_GetDivisionLongNameTextNo(d)), 320, 86, 2, MENU_ALIGN_CENTRE},
                 {ClubName(record[d].champion), 290, 116, 1, MENU_ALIGN_ML},
                 {ClubName(record[d].runnerUp), 290, 136, 1, MENU_ALIGN_ML}};
             for (int32_t k = 0; k < HONOURS_PLAYOFF_CLUBS && d > 0; ++k) {
                 texts.push_back({ClubName(record[d].playOffs[k]) + " (" + Text(1818) + ")", 290,
                                  176 + 20 * k, 1, MENU_ALIGN_ML});
             }
             return texts;
         },
         0},
        {"top scorers", TopScorers_Table,
         [&](int32_t d) {
             return std::vector<ExpectedText>{
                 {Text(VTW_GetDivisionLongNameTextNo(d)), 320, 80, 2, MENU_ALIGN_CENTRE},
                 {Text(VTW_PersonTextNo(record[d].scorer)), 82, 107, 1, MENU_ALIGN_ML}};
         },
         0},
        {"league table", LeagueTable_Table,
         [&](int32_t d) {
             // The title in the largest font the header's room holds it in.
             const std::string title = Text(VTW_GetDivisionLongNameTextNo(d));
             const int32_t room = 2 * (HEADER_TEXT_RIGHT - 320);
             return std::vector<ExpectedText>{
                 {title, 320, 36, FitMenuFont(title.c_str(), room, 2, 0), MENU_ALIGN_CENTRE}};
         },
         LEAGUE_TABLE_ROWS},
    };
    for (const Screen& screen : screens) {
        std::vector<std::string> faults;
        // The human's division 0 shows on entering: the others first, division 0 last.
        auto check = [&](int32_t d) {
            for (const ExpectedText& t : screen.texts(d)) {
                if (!TextDrawnAt(t.text, t.x, t.y, t.font, t.alignment))
                    faults.push_back("division " + std::to_string(d) + ": no \"" + t.text + "\"");
            }
            const std::vector<int32_t> clubs = ClubsOfDivision(d);
            const int32_t rows = std::min<int32_t>(screen.clubRows, clubs.size());
            for (int32_t r = 0; r < rows; ++r) {
                if (ClubShown(clubs, 60, 100 + 20 * r + 10) < 0)
                    faults.push_back("division " + std::to_string(d) + ": row " + std::to_string(r)
                                     + " shows none of its clubs");
            }
        };
        MenuInputs inputs;
        for (int32_t k = 1; k <= divisions; ++k) {
            const int32_t d = k % divisions;
            const uint32_t tick = 300 * k;
            const MenuItem& button = buttons[2 * d + 1];
            AddClick(&inputs, tick, button.x + button.a / 2, button.y + button.b / 2);
            inputs.push_back({tick + 200, MenuInput::CALL, 0, 0, [&, d] { check(d); }});
        }
        career.Run(
            screen.table(), [] {}, inputs);
        EXPECT_EQ(faults, std::vector<std::string>{}) << screen.name;
    }
}

TEST_F(TableScreen, ADivisionOf24PagesToNineAndBackToTheTopAndOneOf10NeverPages)
{
    StartCareer(0);
    LeagueTable_ChooseDivision(1);
    ASSERT_EQ(VTW_GetDivisionSize(1), 24);
    std::vector<int32_t> firsts;
    for (const auto step : {LeagueTable_PageDown, LeagueTable_PageDown, LeagueTable_PageUp}) {
        EXPECT_EQ(step(nullptr), EXM_CODE_REDRAW);
        firsts.push_back(LeagueTableScreen.first);
    }
    EXPECT_EQ(firsts, (std::vector<int32_t>{9, 9, 0}));
    LeagueTable_PageDown(nullptr);
    LeagueTable_Build(false);
    EXPECT_EQ(LeagueTableScreen.shown, 15);
    EXPECT_EQ(LeagueTableScreen.rows[0].position, 10);
    EXPECT_EQ(LeagueTableScreen.rows[14].club, DivisionLists[1][23]);

    StartCareer(1);
    EXPECT_EQ(LeagueTableScreen.shown, 10);
    LeagueTable_PageDown(nullptr);
    EXPECT_EQ(LeagueTableScreen.first, 0);
    EXPECT_EQ(LeagueTableScreen.rows[9].position, 10);
    EXPECT_EQ(LeagueTableScreen.rows[10].club, -1);
    EXPECT_EQ(LeagueTableScreen.rows[10].played, LEAGUE_TABLE_BLANK);
}

TEST_F(TableScreen, LinesStandAtThePromotionRelegationAndPlayOffPlacesOnly)
{
    StartCareer(0);
    // Division 0: 3 relegated of 20. Division 1: 2 promoted, 3 relegated, 4 in the play-offs
    // after the promotion places. Division 4: 1 promoted and none relegated, its one play-off
    // place beside the promotion line.
    EXPECT_EQ(SeparatorsOfDivision(0), "                 -  ");
    EXPECT_EQ(SeparatorsOfDivision(1), "  -   .              -  ");
    EXPECT_EQ(SeparatorsOfDivision(4), " -                    ");
    StartCareer(1);  // one up and one down between its divisions of 10
    EXPECT_EQ(SeparatorsOfDivision(0), "         -");
    EXPECT_EQ(SeparatorsOfDivision(1), " -       -");
}

TEST_F(TableScreen, AManagedClubsRowIsHighlighted)
{
    StartCareer(6);
    const int32_t human = GameState.humanClub;
    for (int32_t r = 0; r < LeagueTableScreen.shown; ++r) {
        const LeagueTableRow& row = LeagueTableScreen.rows[r];
        EXPECT_EQ(row.highlight, row.club == human ? LEAGUE_TABLE_HIGHLIGHT : 0) << r;
    }
    EXPECT_EQ(LeagueTableScreen.divisionHighlights[0], LEAGUE_TABLE_HIGHLIGHT);
    EXPECT_EQ(LeagueTableScreen.divisionHighlights[1], 0);
}

TEST_F(TableScreen, EachCountOfDivisionsHasItsButtonsAndAnyOtherCountTwo)
{
    StartCareer(6);
    for (int32_t divisions = 0; divisions <= 8; ++divisions) {
        const int32_t expected = divisions >= 2 && divisions <= 6 ? divisions : 2;
        const MenuItem* table = LeagueTable_DivisionButtons(divisions);
        int32_t buttons = 0;
        for (const MenuItem* item = table; item->kind != 0x37; ++item) {
            if (item->kind != 0x200f) continue;
            EXPECT_EQ(item->y, divisions == 6 && buttons < 3 ? 408 : 440) << divisions;
            EXPECT_LE(item->x + item->a, 570) << divisions;  // clear of the back icon
            LeagueTableScreen.first = 5;
            EXPECT_EQ(item->p14(nullptr), EXM_CODE_REDRAW);
            EXPECT_EQ(LeagueTableScreen.division, buttons) << divisions;
            EXPECT_EQ(LeagueTableScreen.first, 0);
            ++buttons;
        }
        EXPECT_EQ(buttons, expected) << divisions;
    }
}

TEST_F(TableScreen, AFirstLeagueDayShowsWhoClimbedAndWhoFell)
{
    StartCareer(1);
    for (int32_t r = 0; r < LeagueTableScreen.shown; ++r) {
        EXPECT_EQ(LeagueTableScreen.rows[r].movementIcon, LEAGUE_TABLE_STEADY_ICON) << r;
    }
    // The first league day of division 0, every home side winning by as many goals as its
    // place in the table: the order turns over.
    int32_t day = -1;
    int16_t placeBefore[CLUB_ID_COUNT] = {};
    for (int32_t r = 0; r < 10; ++r) {
        placeBefore[DivisionLists[0][r]] = static_cast<int16_t>(r);
    }
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        const int32_t home = VTW_GetFixtureHomeClub(row);
        if (VTW_GetFixtureCompetition(row) != COMP_LEAGUE || VTW_FindDivisionOfTeam(home) != 0)
            continue;
        if (day < 0) day = VTW_GetFixtureDay(row);
        if (VTW_GetFixtureDay(row) != day) break;
        Fixture_SetGoals(row, 1 + placeBefore[home], 0);
    }
    ASSERT_GE(day, 0);
    Calendar_SetDay(day + 1);
    LeagueTable_Build(false);
    int32_t climbed = 0, fell = 0;
    for (int32_t r = 0; r < LeagueTableScreen.shown; ++r) {
        const LeagueTableRow& row = LeagueTableScreen.rows[r];
        const int32_t before = placeBefore[row.club];
        const int32_t icon = before > r   ? LEAGUE_TABLE_STEADY_ICON + 1
                             : before < r ? LEAGUE_TABLE_STEADY_ICON + 2
                                          : LEAGUE_TABLE_STEADY_ICON;
        EXPECT_EQ(row.movementIcon, icon) << r;
        climbed += before > r;
        fell += before < r;
        EXPECT_EQ(row.played, 1);
        EXPECT_EQ(row.difference, row.goalsFor - row.goalsAgainst);
    }
    EXPECT_GT(climbed, 0);
    EXPECT_GT(fell, 0);
}

TEST_F(TableScreen, DivisionZeroBeforeTheFirstMatchDrawsAsKept)
{
    StartCareer(6);
    uint32_t hash = 0;
    MenuInputs inputs;
    inputs.push_back({T0, MenuInput::CALL, 0, 0, [&] {
                          hash = WorkScreenHash();
                          WriteFrameToTestOutput("league_table.png");
                      }});
    ScopedMenuScript script(inputs, 40);
    EXM_PushAndRun(LeagueTable_Table());
    EXPECT_EQ(LeagueTableScreen.shown, 15);
    ExpectGoldenHash("menus/league_table", hash);
}
