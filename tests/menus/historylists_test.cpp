// tests/menus/historylists_test.cpp: the scorers and performance lists over hand-set season
// figures (who is listed, in which division, in what order), their row clicks over the real
// menu loop, the club's transfers in both modes, the club's best players over hand-set season
// rows, and the frames of the screens.
#include "menus/historylists.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/transfers.h"
#include "menus/frontend.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t MID_SEASON = 90;

class HistoryListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int32_t id = 0; id < FullPlayerCount; ++id) {
            PlayerRecord& p = DbPlayers[id];
            p.seasonGoals = p.seasonApps = p.ratedCount = 0;
            p.perfSum = 0;
        }
    }

    // The outfield players (or keepers) of a club, in id order.
    static std::vector<int32_t> Players(int32_t club, bool keepers)
    {
        std::vector<int32_t> found;
        for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
            if (DbPlayers[id].club == club && DbPlayers[id].loanClub < 0
                && DbPlayers[id].position != POSITION_MANAGER
                && (VTW_GetPositionLine(id) == 0) == keepers)
                found.push_back(id);
        }
        return found;
    }
    static int32_t Club(int32_t division, int32_t k) { return VTW_GetDivisionSlot(division, k); }
    // Goals, and a regular's performance over every match his club played.
    static void Season(int32_t player, int32_t goals, int32_t perf)
    {
        PlayerRecord& p = DbPlayers[player];
        p.seasonGoals = static_cast<uint8_t>(goals);
        const int32_t played =
            VTW_GetPlayedFixtures(VTW_GetPlayerLoanSlot(player) >= 0 ? p.loanClub : p.club);
        p.seasonApps = static_cast<uint8_t>(perf > 0 ? played : 0);
        p.ratedCount = static_cast<uint8_t>(perf > 0 ? played : 0);
        p.perfSum = static_cast<uint16_t>(perf * p.ratedCount);
    }
    static std::vector<int32_t> List(int32_t division)
    {
        std::vector<int32_t> list;
        for (const int16_t e : ScorerLists.entries[division]) {
            if (e >= 0) list.push_back(e);
        }
        return list;
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(HistoryListsTest, EachDivisionKeepsItsFifteenHighestByTheRules)
{
    Calendar_SetDay(MID_SEASON);
    const int32_t a = Club(0, 2), b = Club(0, 5), c = Club(1, 3);
    ASSERT_GT(VTW_GetPlayedFixtures(a), 0);
    std::vector<int32_t> outfield = Players(a, false);
    const std::vector<int32_t> more = Players(b, false);
    outfield.insert(outfield.end(), more.begin(), more.end());
    std::sort(outfield.begin(), outfield.end());
    ASSERT_GE(outfield.size(), 20U);
    // Sixteen in division 0: five on 5 goals and eleven on 3, the last in id order pushed out.
    for (int32_t k = 0; k < 16; ++k) {
        Season(outfield[k], k % 3 == 0 && k < 15 ? 5 : 3, 0);
    }
    const int32_t keeper = Players(a, true).at(0);
    Season(keeper, 9, 80);  // out of the scorers, first of the performances
    const int32_t notRegular = outfield[16];
    Season(notRegular, 0, 95);
    DbPlayers[notRegular].seasonApps = 1;  // rated once: no regular
    const int32_t performer = outfield[17];
    Season(performer, 0, 70);
    // Loaned from division 1 to division 0: he counts for his loan club.
    const int32_t loaned = Players(c, false).at(0);
    DbPlayers[loaned].loanClub = static_cast<int16_t>(a);
    Season(loaned, 4, 0);
    // Without a club, or at a club of another country: nowhere.
    const int32_t free = outfield[18], abroad = outfield[19];
    DbPlayers[free].club = CLUB_NONE;
    Season(free, 12, 0);
    int32_t foreign = 0;
    while (VTW_GetClubCountry(foreign) == GameState.country)
        ++foreign;
    DbPlayers[abroad].club = static_cast<int16_t>(foreign);
    Season(abroad, 12, 0);
    // Division 1: one scorer.
    const int32_t lower = Players(c, false).at(1);
    Season(lower, 2, 0);

    ScorerLists_Collect(HISTORY_GOALS);
    std::vector<int32_t> top = {outfield[0], outfield[3],  outfield[6],
                                outfield[9], outfield[12], loaned};
    for (int32_t k = 0; k < 16 && top.size() < HISTORY_LIST_ROWS; ++k) {
        if (k % 3 != 0 || k == 15) top.push_back(outfield[k]);
    }
    EXPECT_EQ(List(0), top);
    EXPECT_EQ(List(1), std::vector<int32_t>{lower});
    for (int32_t d = 2; d < DIVISION_MAX; ++d) {
        EXPECT_TRUE(List(d).empty()) << d;
    }
    ScorerLists.division = 1;
    ScorerLists_FillRows();
    EXPECT_EQ(ScorerLists.rows[0].name, VTW_PersonTextNo(lower));
    EXPECT_EQ(std::string(ScorerLists.rows[0].note),
              "(" + std::string(VTW_FormatClubName(VTW_GetTeam(c))) + ")  2");
    for (int32_t r = 1; r < HISTORY_LIST_ROWS; ++r) {
        EXPECT_EQ(ScorerLists.rows[r].name, -1) << r;
        EXPECT_STREQ(ScorerLists.rows[r].note, "") << r;
    }

    ScorerLists_Collect(HISTORY_PERFORMANCE);
    EXPECT_EQ(List(0), (std::vector<int32_t>{keeper, performer}));
    EXPECT_TRUE(List(1).empty());
}

TEST_F(HistoryListsTest, ARowOpensThePlayersCardReturningToItsListAndABlankRowAnswersOne)
{
    const int32_t division = VTW_GetClubDivision(m_screen.HumanClub());
    const std::vector<int32_t> players = Players(m_screen.HumanClub(), false);
    Season(players[0], 7, 0);
    Season(players[1], 6, 0);
    struct Case {
        const MenuItem* (*table)();
        uint16_t returnTo;
    };
    for (const Case& c : {Case{TopScorers_Table, 34}, Case{AveragePerformance_Table, 76}}) {
        if (c.returnTo == 76) {
            Calendar_SetDay(MID_SEASON);
            Season(players[0], 0, 50);
            Season(players[1], 0, 60);
        }
        MenuInputs inputs;
        AddClick(&inputs, 300, 200, 100 + 20 + 10);  // the second row
        MenuOption = 0;
        m_screen.Run(
            c.table(), [] {}, inputs);
        EXPECT_EQ(ScorerLists.division, division);
        EXPECT_EQ(MenuOption, MENU_OPTION_PLAYER_CARD) << c.returnTo;
        EXPECT_EQ(CurrentPlayer, c.returnTo == 34 ? players[1] : players[0]);
        EXPECT_EQ(CardReturnOption, c.returnTo);
        MenuHotspot blank{};
        blank.row = 2;
        EXPECT_EQ(ScorerLists_Row(&blank), 1);
    }
}

// The lists open on the human's division; a human out of a job reads the top one.
TEST_F(HistoryListsTest, TheListsOpenOnTheHumansDivisionOrTheTopOneWithoutAClub)
{
    const int32_t human = m_screen.HumanClub();
    struct Case {
        int32_t club;  // the club the human controls, -1 none
        int16_t division;
    };
    for (const Case& c : {Case{Club(2, 3), 2}, Case{-1, 0}, Case{human, 0}}) {
        VTW_GetClubRecordPtr(human)->controller = 0;
        if (c.club >= 0) VTW_GetClubRecordPtr(c.club)->controller = MANAGER_HUMAN;
        ScorerLists.division = 4;
        m_screen.Run(TopScorers_Table(), [] {});
        EXPECT_EQ(ScorerLists.division, c.division) << c.club;
        if (c.club >= 0) VTW_GetClubRecordPtr(c.club)->controller = 0;
    }
}

TEST_F(HistoryListsTest, TheClubsTransfersShowTheFifteenNewestOfTheMode)
{
    const int32_t club = Club(0, 4), other = Club(0, 6);
    struct Case {
        int32_t records;  // record k: the club buys when k % 3 != 0, else sells
        int32_t mode;
        std::vector<int32_t> shown;  // record numbers, newest first
    };
    const Case cases[] = {
        {0, CLUB_TRANSFERS_BOUGHT, {}},
        {0, CLUB_TRANSFERS_SOLD, {}},
        {4, CLUB_TRANSFERS_BOUGHT, {2, 1}},
        {4, CLUB_TRANSFERS_SOLD, {3, 0}},
        {30, CLUB_TRANSFERS_BOUGHT, {29, 28, 26, 25, 23, 22, 20, 19, 17, 16, 14, 13, 11, 10, 8}},
        {30, CLUB_TRANSFERS_SOLD, {27, 24, 21, 18, 15, 12, 9, 6, 3, 0}},
    };
    for (const Case& c : cases) {
        VTW_ClearTransferRecords();
        for (int32_t k = 0; k < c.records; ++k) {
            const bool buys = k % 3 != 0;
            Transfers_Add(buys ? other : club, buys ? club : other, 100 + k, 0, 1000);
        }
        Transfers_Add(other, Club(0, 7), 99, 0, 1000);  // nothing to do with the club
        ClubTransfers_Collect(club, c.mode);
        std::vector<int32_t> shown;
        for (const int32_t record : ClubTransfers.records) {
            if (record >= 0) shown.push_back(record);
        }
        EXPECT_EQ(shown, c.shown) << c.records << " " << c.mode;
        EXPECT_EQ(ClubTransfers.count, static_cast<int16_t>(c.shown.size()));
        EXPECT_EQ(ClubTransfers.otherHeading, c.mode == CLUB_TRANSFERS_BOUGHT ? 595 : 596);
    }
}

TEST_F(HistoryListsTest, TheScorersAndTheClubsTransfersMatchTheirGoldens)
{
    const int32_t human = m_screen.HumanClub();
    const std::vector<int32_t> players = Players(human, false);
    for (int32_t k = 0; k < 10; ++k) {
        Season(players[k], 12 - k, 0);
    }
    Season(Players(Club(0, 3), false).at(0), 8, 0);
    uint32_t hash = 0;
    m_screen.Run(TopScorers_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("top_scorers.png");
    });
    ExpectGoldenHash("menus/top_scorers", hash);

    VTW_ClearTransferRecords();
    Calendar_SetDay(MID_SEASON);
    for (int32_t k = 0; k < 5; ++k) {
        Transfers_Add(k == 2 ? CLUB_NONE : Club(0, 3 + k), human, players[k], 0, 250000 * (k + 1));
    }
    Transfers_Add(human, Club(0, 9), players[6], 0, 75000);
    GameState.currentClub = static_cast<int16_t>(human);
    m_screen.Run(ClubTransfers_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("club_transfers.png");
    });
    ExpectGoldenHash("menus/club_transfers", hash);
}

TEST_F(HistoryListsTest, BestPlayersShowTheScorersAndTheLastEightPlayedSeasons)
{
    const int32_t club = m_screen.HumanClub();
    const std::vector<int32_t> outfield = Players(club, false);
    const int32_t keeper = Players(club, true).at(0);
    Season(outfield[3], 4, 0);
    Season(outfield[1], 9, 0);
    Season(outfield[5], 4, 0);
    Season(keeper, 2, 0);
    BestPlayers_Build(club);
    EXPECT_EQ(
        std::vector<int16_t>(BestPlayers.scorers, BestPlayers.scorers + BestPlayers.scorerCount),
        (std::vector<int16_t>{static_cast<int16_t>(outfield[1]), static_cast<int16_t>(outfield[3]),
                              static_cast<int16_t>(outfield[5])}));
    struct Case {
        int32_t counter;
        bool leagueOver;
        std::vector<int16_t> seasons;  // most recent first
    };
    const Case cases[] = {
        {0, false, {}},
        {0, true, {0}},
        {4, false, {3, 2, 1, 0}},
        {8, true, {8, 7, 6, 5, 4, 3, 2, 1}},
    };
    for (const Case& c : cases) {
        GameState.seasonCounter = static_cast<uint16_t>(c.counter);
        Calendar_SetDay(c.leagueOver ? VTW_GetLastLeagueDay() + 2 : VTW_GetLastLeagueDay() + 1);
        BestPlayers_Build(club);
        EXPECT_EQ(std::vector<int16_t>(BestPlayers.seasons,
                                       BestPlayers.seasons + BestPlayers.seasonCount),
                  c.seasons)
            << c.counter << " " << c.leagueOver;
    }
}

TEST_F(HistoryListsTest, TheBestPlayersScreenMatchesItsGolden)
{
    const int32_t club = m_screen.HumanClub();
    const std::vector<int32_t> outfield = Players(club, false);
    for (int32_t k = 0; k < 6; ++k) {
        Season(outfield[k], 14 - 2 * k, 0);
    }
    // Five seasons played: rows 0-4, each naming five players with falling values.
    ClubRecord* r = VTW_GetClubRecordPtr(club);
    for (int32_t season = 0; season < 5; ++season) {
        for (int32_t rank = 0; rank < 5; ++rank) {
            r->seasonBest[season][rank] = {static_cast<int16_t>(outfield[season + rank]), 0,
                                           80 - 3 * rank - season};
        }
    }
    GameState.seasonCounter = 5;
    GameState.currentClub = static_cast<int16_t>(club);
    uint32_t hash = 0;
    m_screen.Run(BestPlayers_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("best_players.png");
    });
    EXPECT_EQ(BestPlayers.seasonCount, 5);
    ExpectGoldenHash("menus/best_players", hash);
}
