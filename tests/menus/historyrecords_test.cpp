// tests/menus/historyrecords_test.cpp: the trophies by season over a hand-filled honours table
// (years at the century's turn, paging, the drop-downs) and the national records over hand-set
// club records and career figures (each record's text from the one club holding it, missing
// records left empty), with both screens' frames.
#include "menus/historyrecords.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/besteleven.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/numbers.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

class HistoryRecordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
            if (ClubRecord* r = VTW_GetClubRecordPtr(club)) {
                for (ClubRecordEntry& e : r->records) {
                    e = {};
                }
            }
        }
        for (int32_t id = 0; id < FullPlayerCount; ++id) {
            DbPlayers[id].careerApps = DbPlayers[id].careerGoals = 0;
        }
    }
    static int32_t Club(int32_t division, int32_t k) { return VTW_GetDivisionSlot(division, k); }
    static std::string Name(int32_t club) { return VTW_FormatClubName(VTW_GetTeam(club)); }
    static std::string Person(int32_t id) { return VTW_FormatPersonName(id); }
    static std::string Note(int32_t club)
    {
        return "("
               + std::string(
                   GetMessageText(VTW_GetDivisionNameTextNo(VTW_FindDivisionOfTeam(club))))
               + ")";
    }
    static void Set(int32_t club, int32_t kind, ClubRecordEntry e)
    {
        VTW_GetClubRecordPtr(club)->records[kind] = e;
    }

    static void ClearHonours()
    {
        for (auto& season : HonoursTable) {
            for (auto& column : season) {
                column[0] = column[1] = -1;
            }
        }
    }
    // Team numbers of division 0's clubs: winners k, runners-up k + 1.
    static void FillSeasons(int32_t column, int32_t seasons)
    {
        for (int32_t s = 0; s < seasons; ++s) {
            HonoursTable[s][column][0] = static_cast<int16_t>(VTW_GetTeam(Club(0, s % 10)));
            HonoursTable[s][column][1] = static_cast<int16_t>(VTW_GetTeam(Club(0, s % 10 + 1)));
        }
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(HistoryRecordsTest, EachRecordReadsTheOneClubOrPlayerHoldingIt)
{
    NationalRecords_Build();
    for (int32_t r = 0; r < NATIONAL_RECORDS; ++r) {
        EXPECT_STREQ(NationalRecords.rows[r].text, "") << r;
    }
    // A 0-0 draw, a defeat and a record of a club outside the divisions hold no record.
    Set(Club(0, 1), CLUB_REC_WIN, {0, 0, -1, static_cast<int16_t>(Club(0, 2)), 1, 1, 0, 0});
    Set(Club(0, 3), CLUB_REC_WIN, {2, 3, -1, static_cast<int16_t>(Club(0, 2)), 1, 1, 0, 0});
    NationalRecords_Build();
    EXPECT_STREQ(NationalRecords.rows[1].text, "");

    const int32_t a = Club(0, 4), b = Club(1, 2), c = Club(0, 8);
    const int16_t player = static_cast<int16_t>(PERSON_FIRST_ORDINARY + 5);
    const int16_t veteran = static_cast<int16_t>(PERSON_FIRST_ORDINARY + 9);
    Set(a, CLUB_REC_BUY, {1500000, 0, player, static_cast<int16_t>(b), 3, 7, 1, 1});
    Set(b, CLUB_REC_WIN, {7, 1, -1, static_cast<int16_t>(c), 2, 2, 99, 0});
    Set(c, CLUB_REC_CROWD, {48000, 0, -1, static_cast<int16_t>(a), 2, 2, 0, 0});
    Set(a, CLUB_REC_POINTS_TOTAL, {88, 0, -1, -1, 2, 2, 2, 2});
    Set(b, CLUB_REC_GOALS_TOTAL, {97, 0, -1, -1, 2, 2, 3, 3});
    Set(c, CLUB_REC_DISPOINTS, {60, 0, -1, -1, 2, 2, 4, 4});
    Set(a, CLUB_REC_GOALS, {31, 0, player, -1, 2, 2, 5, 5});
    DbPlayers[veteran].careerApps = 612;
    DbPlayers[veteran].careerGoals = 7;
    DbPlayers[player].careerGoals = 210;
    NationalRecords_Build();
    const std::string rows[NATIONAL_RECORDS] = {
        Person(player) + "   " + Price2str(1500000) + " " + Name(a) + " " + Note(a) + "   "
            + Name(b) + "   2001",
        "7-1 " + Name(b) + " " + Name(c) + " " + Note(c) + " 1999",
        "48000 " + Name(c) + " " + Name(a) + " " + Note(a) + " 2000",
        "88 " + Name(a) + " 2002",
        "97 " + Name(b) + " 2003",
        "60 " + Name(c) + " 2004",
        "31 " + Person(player) + " " + Name(a) + " 2005",
        "612 " + Person(veteran),
        "210 " + Person(player),
    };
    const int16_t labels[NATIONAL_RECORDS] = {556, 558, 555, 1840, 1841, 1842, 560, 1843, 1844};
    for (int32_t r = 0; r < NATIONAL_RECORDS; ++r) {
        EXPECT_EQ(NationalRecords.rows[r].text, rows[r]) << r;
        EXPECT_EQ(NationalRecords.rows[r].label, labels[r]) << r;
    }

    uint32_t hash = 0;
    m_screen.Run(NationalRecords_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("national_records.png");
    });
    ExpectGoldenHash("menus/national_records", hash);
}

TEST_F(HistoryRecordsTest, TrophyRowsCountTheYearsBackAcrossTheCenturysTurn)
{
    struct Case {
        int32_t counter;
        std::vector<std::string> years;  // rows 0-2
    };
    const Case cases[] = {
        {0, {"1999/00", "1998/99", "1997/98"}},
        {1, {"2000/01", "1999/00", "1998/99"}},
        {11, {"2010/11", "2009/10", "2008/09"}},
    };
    ClearHonours();
    FillSeasons(HONOURS_DIVISION_FIRST, 2);
    Trophies.honour = HONOURS_DIVISION_FIRST;
    for (const Case& c : cases) {
        GameState.seasonCounter = static_cast<uint16_t>(c.counter);
        Trophies_FillRows();
        for (int32_t r = 0; r < 3; ++r) {
            EXPECT_STREQ(Trophies.rows[r].years, c.years[r].c_str()) << c.counter << " " << r;
        }
    }
    EXPECT_EQ(Trophies.title, VTW_GetDivisionLongNameTextNo(0));
    EXPECT_EQ(Trophies.rows[1].winner, VTW_ClubNameTextNo(VTW_GetTeam(Club(0, 1))));
    EXPECT_EQ(Trophies.rows[1].runnerUp, VTW_ClubNameTextNo(VTW_GetTeam(Club(0, 2))));
    EXPECT_EQ(Trophies.rows[2].winner, -1);
    EXPECT_EQ(Trophies.rows[2].runnerUp, -1);
}

TEST_F(HistoryRecordsTest, TrophyPagesStopAtTheRunningSeasonAnEmptyRowAndTheLastKeptSeason)
{
    struct Case {
        int32_t seasons;  // rows holding a winner
        int16_t last;     // the first row once paging down stops
    };
    for (const Case& c : {Case{3, 0}, Case{15, 0}, Case{20, 5}, Case{HONOURS_SEASONS, 35}}) {
        ClearHonours();
        FillSeasons(2, c.seasons);
        Trophies.honour = 2;
        Trophies.first = 0;
        EXPECT_EQ(Trophies_Up(), 1);
        while (Trophies_Down() == EXM_CODE_REDRAW) {
        }
        EXPECT_EQ(Trophies.first, c.last) << c.seasons;
        Trophies_FillRows();
        EXPECT_EQ(Trophies.rows[TROPHY_ROWS - 1].winner >= 0, c.seasons >= TROPHY_ROWS);
    }
}

TEST_F(HistoryRecordsTest, TheDropDownsOfferTheCountrysCupsAndDivisions)
{
    MenuListEntry* cups = Trophies_CupPopup();
    MenuListEntry* divisions = Trophies_DivisionPopup();
    MenuListRecord record{1, 0, 0};
    cups[0].prepare(&record);
    divisions[0].prepare(&record);
    for (int32_t c = 0; c < 7; ++c) {
        EXPECT_EQ(cups[1 + c].type != 0, c < VTW_GetCountryCupCount() || c >= 4) << c;
    }
    for (int32_t d = 0; d < DIVISION_MAX; ++d) {
        EXPECT_EQ(divisions[1 + d].type != 0, d < VTW_GetCountryDivisions()) << d;
    }
    Trophies.first = 4;
    EXPECT_EQ(cups[1 + 5].handler(&cups[1 + 5]), LIST_CODE_REDRAW);
    EXPECT_EQ(Trophies.honour, 5);
    EXPECT_EQ(Trophies.first, 0);
    divisions[1 + 1].handler(&divisions[1 + 1]);
    EXPECT_EQ(Trophies.honour, HONOURS_DIVISION_FIRST + 1);
    Trophies_FillRows();
    EXPECT_EQ(Trophies.title, VTW_GetDivisionLongNameTextNo(1));

    ClearHonours();
    FillSeasons(HONOURS_DIVISION_FIRST, 6);
    uint32_t hash = 0;
    m_screen.Run(Trophies_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("trophies.png");
    });
    ExpectGoldenHash("menus/trophies", hash);
}

// Each cup's and each division's name, the continental cups' long ones too, stands whole in the
// header's room between the badge and the date.
TEST_F(HistoryRecordsTest, EachCompetitionsTitleKeepsToTheHeadersRoom)
{
    ScopedDrawnTexts drawn;
    int32_t checked = 0;
    m_screen.Run(Trophies_Table(), [&] {
        for (MenuListEntry* popup : {Trophies_CupPopup(), Trophies_DivisionPopup()}) {
            MenuListRecord record{1, 0, 0};
            popup[0].prepare(&record);
            for (MenuListEntry* entry = popup + 1; entry->type != LIST_END; ++entry) {
                if (entry->type == 0) continue;
                entry->handler(entry);
                drawn.Clear();
                EXM_RedrawNow();
                const std::string title = GetMessageText(Trophies.title);
                int32_t drawnWhole = 0;
                for (const DrawnText& t : drawn.Texts()) {
                    if (t.text != title) continue;
                    ++drawnWhole;
                    EXPECT_GE(t.rect.x, HEADER_TEXT_LEFT) << title;
                    EXPECT_LE(t.rect.x + t.rect.w, HEADER_TEXT_RIGHT) << title;
                }
                EXPECT_GT(drawnWhole, 0) << title;
                ++checked;
            }
        }
    });
    EXPECT_GE(checked, 5);
}

// Each entry of the drop-downs names what choosing it puts in the title.
TEST_F(HistoryRecordsTest, EachDropDownEntryNamesTheTitleItChooses)
{
    // The title's text number once an entry is chosen; the best eleven draws its division's.
    const auto trophies = [] {
        Trophies_FillRows();
        return int32_t{Trophies.title};
    };
    const auto bestEleven = [] { return VTW_GetDivisionTextNo(BestEleven.division); };
    struct Case {
        MenuListEntry* popup;
        int32_t entries;
        int32_t (*title)();
    };
    const Case cases[] = {
        {Trophies_CupPopup(), 7, trophies},
        {Trophies_DivisionPopup(), DIVISION_MAX, trophies},
        {BestEleven_DivisionPopup(BEST_PERFORMANCE), DIVISION_MAX, bestEleven},
        {BestEleven_DivisionPopup(BEST_WORST), DIVISION_MAX, bestEleven},
    };
    for (const Case& c : cases) {
        MenuListRecord record{1, 0, 0};
        c.popup[0].prepare(&record);
        for (int32_t k = 1; k <= c.entries; ++k) {
            const int16_t label = *reinterpret_cast<const int16_t*>(c.popup[k].label);
            c.popup[k].handler(&c.popup[k]);
            EXPECT_EQ(label, c.title()) << &c - cases << " " << k;
        }
    }
}
