// menus/office.cpp: the manager's office.
#include "menus/office.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "engine/random.h"
#include "engine/timer.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/savegame.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "menus/dayscreen.h"
#include "menus/debugscreen.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/joboffer.h"
#include "menus/machine.h"
#include "menus/matchstats.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/news.h"
#include "menus/numbers.h"
#include "menus/results.h"
#include "menus/saveindex.h"

OfficeState Office;
int16_t CurrentDivision;

namespace {

constexpr int16_t OPTION_PLAYER_CARD = 4;
constexpr int16_t OPTION_SQUAD = 7;
constexpr int16_t OPTION_ADVANCE = 46;
constexpr int16_t OPTION_REST_OF_WORLD = 79;
constexpr int32_t LAST_DAY = 364;
constexpr int32_t HOLIDAY_END = 366;
constexpr int32_t COMP_OFFICIAL_NAME_LEAGUE = 2111;
constexpr int32_t COMP_OFFICIAL_NAME_FRIENDLY = 2112;
constexpr int32_t TEXT_TITLE = 700;
constexpr int32_t PAGE_BUTTONS_Y = 60;  // clear of the information box's top edge
constexpr int32_t TEXT_MANAGER = 30;
constexpr int32_t TEXT_CARETAKER = 756;
constexpr int32_t TEXT_NEXT_DAY = 1;
constexpr int32_t TEXT_END = 75;
constexpr int32_t TEXT_TO_MATCH_DAY = 547;
constexpr int32_t TEXT_NEW_SEASON = 765;
constexpr int32_t TEXT_PLAY_MATCH = 552;
constexpr int32_t TEXT_DEBUG = 1014;
constexpr int32_t TEXT_NEXT_MATCH = 262;
constexpr int32_t TEXT_HOME = 102;
constexpr int32_t TEXT_AWAY = 103;
constexpr int32_t TEXT_OFFERS_MADE = 1897;
constexpr int32_t TEXT_SALES_AGREED = 1898;
constexpr int32_t TEXT_NO_OFFERS = 1899;
constexpr int32_t BADGE_ICON_BASE = 105;
constexpr int32_t MARKER_ICON_BASE = 89;  // by line: keeper, defender, midfielder, forward
constexpr int32_t MARKER_ICON_W = 24;     // a count follows its icon, within the column's 40 pixels
constexpr int32_t HIGHLIGHT_COLOUR = 8;
constexpr int32_t RIGHT_BUTTON = 2;
constexpr int32_t TEXT_BYTES = 80;
constexpr int32_t FIGURE_ROWS = 11;
constexpr int32_t FIGURES_LABEL_X = 394;
constexpr int32_t FIGURES_VALUE_X = 598;
constexpr int32_t TREND_X = 614;
constexpr int32_t NEXT_MATCH_GAP = 8;
constexpr int32_t FIGURES_TOP = 84;
constexpr int32_t FIGURE_PITCH = 18;
constexpr int32_t LIST_X = 28;
constexpr int32_t LIST_TOP = 82;
constexpr int32_t LIST_PITCH = 26;
constexpr int32_t LIST_COLUMN_GAP = 146;
constexpr int32_t LIST_WIDTH = 140;
constexpr int32_t INFO_PANEL_STRENGTH = 50;
constexpr int32_t TEAM_TABLE_X = 32;
constexpr int32_t TEAM_TABLE_Y = 100;
constexpr int32_t TEAM_COLUMN_X[4] = {140, 180, 220, 260};
constexpr int32_t OFFER_ROW_PITCH = 18;
constexpr int32_t BIDS_TOP = 108;
constexpr int32_t SALES_TOP = 210;
constexpr int32_t CLUB_ARROWS_X = 290;
constexpr int32_t CLUB_ARROWS_Y = 340;
constexpr int32_t OFFER_ARROWS_Y = 300;
constexpr int32_t ARROW_W = 30;
constexpr int32_t ARROW_H = 15;

// The figures' label texts, in their rows.
constexpr int32_t FIGURE_LABELS[FIGURE_ROWS] = {TEXT_MANAGER, 2105, 2100, 2101, 2102, 2106,
                                                2103,         2107, 2108, 2109, 2110};
constexpr int32_t ROW_MANAGER = 0, ROW_LEAGUE_PLACE = 2, ROW_ATTENDANCE = 4, ROW_PLACE = 5;
constexpr int32_t ROW_MONEY = 6, ROW_WAGES = 9;
constexpr char NO_FIGURE[] = "---";
constexpr int32_t TEAM_ROW_LABELS[4] = {453, 2123, 2124, 739};

// What the build leaves for the drawing and the items.
struct OfficeTexts {
    int16_t clubName;
    int16_t debugHeader;
    int16_t divisionLabel;
    int16_t secondEntry;
    int16_t figureLabels[FIGURE_ROWS];
    char figures[FIGURE_ROWS][TEXT_BYTES];
    int32_t trendIcons[FIGURE_ROWS];
    char nextCompetition[TEXT_BYTES];
    char nextDate[TEXT_BYTES];
    char nextOpponent[TEXT_BYTES];
    bool hasNextMatch;
    bool playedOfficial;
};
OfficeTexts s_texts;
const MenuItem* s_pageButtons;  // the information box's page buttons, or an empty table
const MenuItem* PageButtons();
const MenuItem* NoButtons();

int32_t HumanClub() { return VTW_GetClubOfManager(MANAGER_HUMAN); }
int32_t SelectedClub() { return GameState.currentClub; }
bool PlaysToday() { return (Office.flags & OFFICE_PLAYS_TODAY) != 0; }
bool InfoBox() { return (Office.flags & OFFICE_INFO_BOX) != 0; }
bool PageOpen() { return (Office.flags & (OFFICE_OFFERS_PAGE | OFFICE_TEAM_PAGE)) != 0; }

// Without a post the office goes on showing the club he left, and that club's division.
void SelectHumanClub()
{
    if (HumanClub() >= 0) GameState.currentClub = static_cast<int16_t>(HumanClub());
    CurrentDivision =
        static_cast<int16_t>(std::max(0, VTW_FindDivisionOfTeam(GameState.currentClub)));
}

// Every way out of the office opens the information box on its first page next time.
int32_t Leave(int16_t option)
{
    Office.flags &= static_cast<uint8_t>(~(OFFICE_OFFERS_PAGE | OFFICE_TEAM_PAGE));
    MenuOption = option;
    return EXM_CODE_LEAVE;
}

int32_t Refuse(int32_t textNo)
{
    DoMessageBox(GetMessageText(textNo), 0);
    return LIST_CODE_REDRAW;
}

// ---------------------------------------------------------------------------------------------
// The build.

void TakeMonthlySave()
{
    const auto month = static_cast<int8_t>(VTW_GetMonth());
    if ((Office.flags & OFFICE_SKIP_SAVE) != 0) {
        Office.flags &= static_cast<uint8_t>(~OFFICE_SKIP_SAVE);
    } else if (month != Office.month) {
        AutoSave();
    }
    Office.month = month;
}

void ReselectAfterChanges()
{
    if (JobNewMarkers[0] != 0) {
        JobNewMarkers[0] = 0;
        Office.flags |= OFFICE_RESELECT;
    }
    if ((Office.flags & OFFICE_RESELECT) != 0) {
        Office.flags &= static_cast<uint8_t>(~OFFICE_RESELECT);
        SelectHumanClub();
    }
    Office.flags =
        static_cast<uint8_t>((Office.flags & ~(OFFICE_PLAYS_TODAY | OFFICE_OPEN_CLUB))
                             | (VTW_PutHumanFixtureLast() != 0 ? OFFICE_PLAYS_TODAY : 0));
    if (Office.savedClub >= 0) {
        GameState.currentClub = Office.savedClub;
        Office.savedClub = -1;
    }
    if (VTW_DivisionExists(CurrentDivision) == 0) SelectHumanClub();
}

void BuildClubList()
{
    Office.clubCount = 0;
    for (const int16_t club : DivisionLists[CurrentDivision]) {
        if (club >= 0) Office.clubs[Office.clubCount++] = club;
    }
    VTW_SortClubsByName(Office.clubs, Office.clubCount, 1);
}

void BuildSales()
{
    const int32_t human = HumanClub();
    Office.saleCount = 0;
    for (const BidInfoRow& row : MarketState.bidInfo) {
        if (row.player < 0 || row.state != BID_AGREED || Office.saleCount == OFFICE_SALES_MAX)
            continue;
        if (VTW_GetPlayerClub(row.player) == human) Office.sales[Office.saleCount++] = row.player;
    }
}

void UpdateTrend(OfficeTrend* trend, int32_t place, int32_t attendance)
{
    if (place != trend->place) {
        trend->previousPlace = trend->place;
        trend->place = static_cast<int8_t>(place);
    }
    if (attendance != trend->attendance) {
        trend->previousAttendance = trend->attendance;
        trend->attendance = attendance;
    }
}

void FillFigure(int32_t row, const char* text)
{
    std::snprintf(s_texts.figures[row], TEXT_BYTES, "%s", text);
}

void FillPlaceAndTrends(int32_t club, int32_t division)
{
    const int32_t played = VTW_GetPlayedFixtures(club);
    const int32_t place = VTW_GetTeamDivisionSlot(club);
    const int32_t attendance = VTW_GetClubAverageAttendance(club);
    FillFigure(ROW_ATTENDANCE, attendance > 0 ? VTW_FormatThousands(attendance) : NO_FIGURE);
    FillFigure(ROW_PLACE, played > 0 && division >= 0
                              ? GetMessageText(VTW_GetLeaguePosTextForTeam(club, division))
                              : NO_FIGURE);
    if (club >= CLUB_FULL_MAX) return;
    OfficeTrend& trend = Office.trends[club];
    UpdateTrend(&trend, place, attendance);
    if (played > 0)
        s_texts.trendIcons[ROW_PLACE] = Office_TrendIcon(place, trend.previousPlace, false);
    if (played > 1 && attendance > 0)
        s_texts.trendIcons[ROW_ATTENDANCE] =
            Office_TrendIcon(attendance, trend.previousAttendance, true);
}

// A club of another country plays in none of our divisions. The world keeps which division of
// its own country it plays in, though no table of it: "Div. 1 (Italien)", or "---" for a country
// without leagues.
void FillForeignDivision(int32_t club)
{
    const int32_t country = VTW_GetClubCountry(club);
    const int32_t name = VTW_GetCountryDivisionTextNo(country, VTW_GetClubDivision(club));
    if (name < 0) {
        FillFigure(ROW_LEAGUE_PLACE, NO_FIGURE);
        return;
    }
    std::snprintf(s_texts.figures[ROW_LEAGUE_PLACE], TEXT_BYTES, "%s (%s)", GetMessageText(name),
                  GetMessageText(TEXT_COUNTRY_BASE + country));
}

void FillFigures(int32_t club)
{
    const int32_t division = VTW_FindDivisionOfTeam(club);
    std::fill(std::begin(s_texts.trendIcons), std::end(s_texts.trendIcons), 0);
    std::copy(std::begin(FIGURE_LABELS), std::end(FIGURE_LABELS), s_texts.figureLabels);
    if (VTW_GetPlayerCaretaker(club) != 0) s_texts.figureLabels[ROW_MANAGER] = TEXT_CARETAKER;
    FillFigure(ROW_MANAGER, VTW_FormatPersonName(Club_GetManager(club)));
    FillFigure(1, VTW_GetClubFormText(club));
    if (division >= 0) {
        std::snprintf(s_texts.figures[ROW_LEAGUE_PLACE], TEXT_BYTES, "%s %s",
                      GetMessageText(VTW_GetDivisionTextNo(division)),
                      Ordinal2Str(VTW_GetTeamDivisionSlot(club) + 1));
    } else {
        FillForeignDivision(club);
    }
    const int32_t capacity = VTW_GetClubCapacity1(club) + VTW_GetClubCapacity2(club)
                             + VTW_GetClubCapacity3(club) + VTW_GetClubCapacity4(club);
    FillFigure(3, VTW_FormatThousands(capacity * 1000));
    FillPlaceAndTrends(club, division);
    int32_t averageWage = 0;
    const int32_t money[] = {VTW_GetClubBalance(club), VTW_GetClubSignings(club),
                             VTW_GetClubSales(club), VTW_GetClubWageTotal(club, &averageWage),
                             VTW_GetClubMaxWageOffer(club)};
    // Without a full record the club keeps no accounts: only its wages, from its squad, are known;
    // the others read "---" as every figure without a value does.
    const bool accounts = Club_GetRecordAddress(club) != nullptr;
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(money)); ++i) {
        const bool known = accounts || ROW_MONEY + i == ROW_WAGES;
        FillFigure(ROW_MONEY + i, known ? Price2str(money[i]) : NO_FIGURE);
    }
}

int32_t NextFixtureOf(int32_t club)
{
    for (int32_t row = Fixture_FirstRowOfDay(VTW_GetCurrentDay()); row < FIXTURE_ROWS; ++row) {
        if (VTW_GetFixtureDay(row) == FIXTURE_DAY_EMPTY) break;
        if (Fixture_IsPlayed(row) != 0) continue;
        if (VTW_GetFixtureHomeClub(row) == club || VTW_GetFixtureAwayClub(row) == club) return row;
    }
    return -1;
}

const char* CompetitionName(int32_t comp)
{
    if (comp == COMP_LEAGUE) return GetMessageText(COMP_OFFICIAL_NAME_LEAGUE);
    if (comp == COMP_FRIENDLY) return GetMessageText(COMP_OFFICIAL_NAME_FRIENDLY);
    int32_t stage = -1, leg = -1;
    return GetMessageText(VTW_BuildTable668(comp, &stage, &leg));
}

void FillNextMatch(int32_t club)
{
    const int32_t row = NextFixtureOf(club);
    s_texts.hasNextMatch = row >= 0;
    if (row < 0) return;
    std::snprintf(s_texts.nextCompetition, TEXT_BYTES, "%s",
                  CompetitionName(VTW_GetFixtureCompetition(row)));
    int32_t dayOfMonth = 0, month = 0, weekday = 0;
    VTW_SeasonDayToDate(VTW_GetFixtureDay(row), &dayOfMonth, &month, &weekday);
    std::snprintf(s_texts.nextDate, TEXT_BYTES, "%d/%d", dayOfMonth, month);
    const bool home = VTW_GetFixtureHomeClub(row) == club;
    const int32_t opponent = home ? VTW_GetFixtureAwayClub(row) : VTW_GetFixtureHomeClub(row);
    const char* name = VTW_FormatClubName(VTW_GetTeam(opponent));
    if (VTW_GetFixtureNeutralFlag(row) != 0) {
        std::snprintf(s_texts.nextOpponent, TEXT_BYTES, "%s", name);
    } else {
        std::snprintf(s_texts.nextOpponent, TEXT_BYTES, "%s (%s)", name,
                      GetMessageText(home ? TEXT_HOME : TEXT_AWAY));
    }
}

void FillTexts(int32_t club)
{
    s_texts.clubName = static_cast<int16_t>(VTW_ClubNameTextNo(VTW_GetTeam(club)));
    s_texts.debugHeader = static_cast<int16_t>(AutoRunMode != 0 ? TEXT_DEBUG : -1);
    s_texts.divisionLabel = static_cast<int16_t>(VTW_GetDivisionTextNo(CurrentDivision));
    s_texts.secondEntry =
        static_cast<int16_t>(VTW_GetCurrentDay() == LAST_DAY ? TEXT_NEW_SEASON : TEXT_TO_MATCH_DAY);
    s_texts.playedOfficial = VTW_GetPlayedFixtures(club) > 0;
    FillFigures(club);
    FillNextMatch(club);
}

// ---------------------------------------------------------------------------------------------
// The drawing.

void DrawClubRow(int32_t x, int32_t y, int32_t club)
{
    DoIcon(x, y + LIST_PITCH / 2, BADGE_ICON_BASE + VTW_GetTeam(club), MENU_ALIGN_ML);
    SetDrawAttribute(1, club == SelectedClub() ? HIGHLIGHT_COLOUR : 0);
    DrawMenuString(x + 28, y + LIST_PITCH / 2, VTW_FormatClubName(VTW_GetTeam(club)),
                   MENU_ALIGN_ML);
    SetDrawAttribute(1, 0);
}

int32_t SelectClub(MenuHotspot* hotspot)
{
    GameState.currentClub = static_cast<int16_t>(hotspot->value);
    return EXM_CODE_REDRAW;
}

void AddRowHotspot(int32_t x, int32_t y, int32_t w, int32_t index, std::intptr_t value,
                   ClickFn callback)
{
    EXM_AddHotspot(x, y, w, LIST_PITCH - 2, -1, MENU_ALIGN_TL, -1, index, index, value, callback, 0,
                   HOTSPOT_PLAIN);
}

void DrawClubList()
{
    SetMenuFont(0);
    const bool info = InfoBox();
    const int32_t first = info ? Office.clubScroll : 0;
    const int32_t shown =
        info ? std::min(OFFICE_LIST_ROWS, Office.clubCount - first) : Office.clubCount;
    const int32_t perColumn = info ? OFFICE_LIST_ROWS : (Office.clubCount + 1) / 2;
    for (int32_t i = 0; i < shown; ++i) {
        const int32_t x = LIST_X + (i / perColumn) * LIST_COLUMN_GAP;
        const int32_t y = LIST_TOP + (i % perColumn) * LIST_PITCH;
        const int32_t club = Office.clubs[first + i];
        DrawClubRow(x, y, club);
        AddRowHotspot(x, y, LIST_WIDTH, i, club, SelectClub);
    }
}

void DrawFigures()
{
    for (int32_t row = 0; row < FIGURE_ROWS; ++row) {
        const int32_t y = FIGURES_TOP + row * FIGURE_PITCH;
        // Values take the smaller font; a label that would come too close to its value takes it
        // too. "Place au classement" always does: its value, a division's name and place (with
        // the country for a club abroad), is long for some clubs and short for others, and the
        // label keeps one size whichever club is shown.
        SetMenuFont(0);
        int32_t valueW = 0, h = 0;
        GetTextExtent(s_texts.figures[row], &valueW, &h);
        const int32_t room = FIGURES_VALUE_X - valueW - NEXT_MATCH_GAP - FIGURES_LABEL_X;
        DrawMenuStringInRoom(FIGURES_LABEL_X, y, GetMessageText(s_texts.figureLabels[row]),
                             MENU_ALIGN_TL, room, row == ROW_LEAGUE_PLACE ? 0 : 1, 0);
        SetMenuFont(0);
        DrawMenuString(FIGURES_VALUE_X, y + 2, s_texts.figures[row], MENU_ALIGN_TR);
        if (s_texts.trendIcons[row] != 0)
            DoIcon(TREND_X, y + FIGURE_PITCH / 2, s_texts.trendIcons[row], MENU_ALIGN_CENTRE);
    }
    // The buttons drawn after this callback take the font it leaves, with or without a next match.
    SetMenuFont(1);
    if (!s_texts.hasNextMatch) return;
    DrawMenuMessage(FIGURES_LABEL_X, 300, TEXT_NEXT_MATCH, MENU_ALIGN_TL);
    // A cup's long name ("Coupe des Vainqueurs de Coupe") is cut short before the date.
    int32_t dateW, dateH;
    GetTextExtent(s_texts.nextDate, &dateW, &dateH);
    const int32_t room = FIGURES_VALUE_X - dateW - NEXT_MATCH_GAP - FIGURES_LABEL_X;
    DrawMenuString(FIGURES_LABEL_X, 318, FitMenuText(s_texts.nextCompetition, room), MENU_ALIGN_TL);
    DrawMenuString(FIGURES_VALUE_X, 318, s_texts.nextDate, MENU_ALIGN_TR);
    DrawMenuString(FIGURES_LABEL_X, 336, s_texts.nextOpponent, MENU_ALIGN_TL);
}

int32_t OpenPlayerCard(MenuHotspot* hotspot)
{
    const auto player = static_cast<int32_t>(hotspot->value);
    CurrentPlayer = static_cast<int16_t>(player);
    CardReturnOption = MENU_OPTION_OFFICE;
    Office.savedClub = GameState.currentClub;
    GameState.currentClub = static_cast<int16_t>(VTW_GetPlayerClub(player));
    return Leave(OPTION_PLAYER_CARD);
}

// Name, line, the other club of the deal and the money, each cut to its column.
void DrawPlayerRow(int32_t y, int32_t player, int32_t club, int32_t price, int32_t index)
{
    const int32_t x = TEAM_TABLE_X;
    DrawMenuString(x, y, FitMenuText(VTW_FormatPersonName(player), 94), MENU_ALIGN_TL);
    DrawMenuString(x + 98, y, FitMenuText(GetMessageText(VTW_GetPositionTextNo(player)), 52),
                   MENU_ALIGN_TL);
    DrawMenuString(x + 154, y, FitMenuText(VTW_FormatClubName(VTW_GetTeam(club)), 74),
                   MENU_ALIGN_TL);
    DrawMenuString(x + 276, y, Price2str(price), MENU_ALIGN_TR);
    EXM_AddHotspot(x, y, 276, OFFER_ROW_PITCH - 2, -1, MENU_ALIGN_TL, -1, index, index, player,
                   OpenPlayerCard, 0, HOTSPOT_PLAIN);
}

void DrawOffersPage()
{
    const int32_t human = HumanClub();
    SetMenuFont(1);
    DrawMenuMessage(TEAM_TABLE_X, BIDS_TOP - 20, TEXT_OFFERS_MADE, MENU_ALIGN_TL);
    SetMenuFont(0);
    int32_t bids = 0;
    for (int32_t slot = 0; slot < OFFICE_BIDS_ROWS && human >= 0; ++slot) {
        const int32_t player = VTW_GetClubBidPlayer(human, slot);
        if (player < 0) continue;
        DrawPlayerRow(BIDS_TOP + bids * OFFER_ROW_PITCH, player, VTW_GetPlayerClub(player),
                      VTW_GetClubBidPrice(human, slot), bids);
        ++bids;
    }
    if (bids == 0) DrawMenuMessage(TEAM_TABLE_X, BIDS_TOP, TEXT_NO_OFFERS, MENU_ALIGN_TL);
    SetMenuFont(1);
    DrawMenuMessage(TEAM_TABLE_X, SALES_TOP - 20, TEXT_SALES_AGREED, MENU_ALIGN_TL);
    SetMenuFont(0);
    const int32_t shown = std::min(OFFICE_SALES_ROWS, Office.saleCount - Office.offersScroll);
    for (int32_t i = 0; i < shown; ++i) {
        // A sale shows its buyer and the fee agreed with him.
        const int32_t player = Office.sales[Office.offersScroll + i];
        int32_t slot = 0;
        const int32_t buyer = Market_FindBidder(player, &slot);
        DrawPlayerRow(SALES_TOP + i * OFFER_ROW_PITCH, player, buyer,
                      buyer >= 0 ? VTW_GetClubBidPrice(buyer, slot) : 0, OFFICE_BIDS_ROWS + i);
    }
    if (Office.saleCount == 0)
        DrawMenuMessage(TEAM_TABLE_X, SALES_TOP, TEXT_NO_OFFERS, MENU_ALIGN_TL);
}

// A row per group (the squad, loaned out, loaned in, transfer-listed), a column per line.
void DrawTeamPage()
{
    int32_t counts[16] = {};
    VTW_CountClubSquadLines(SelectedClub(), counts);
    SetMenuFont(0);
    for (int32_t group = 0; group < 4; ++group) {
        const int32_t y = TEAM_TABLE_Y + group * OFFER_ROW_PITCH;
        DrawMenuMessage(TEAM_TABLE_X, y, TEAM_ROW_LABELS[group], MENU_ALIGN_TL);
        for (int32_t line = 0; line < 4; ++line) {
            DoIcon(TEAM_COLUMN_X[line], y + OFFER_ROW_PITCH / 2, MARKER_ICON_BASE + line,
                   MENU_ALIGN_ML);
            DrawMenuNumber(TEAM_COLUMN_X[line] + MARKER_ICON_W + 1, y, counts[group * 4 + line],
                           MENU_ALIGN_TL);
        }
    }
}

void AddArrows(int32_t y, ClickFn up, ClickFn down)
{
    DoIcon(CLUB_ARROWS_X - 6, y - 6, MENU_ICON_ARROWS, MENU_ALIGN_TL);
    EXM_AddHotspot(CLUB_ARROWS_X, y, ARROW_W, ARROW_H, -1, MENU_ALIGN_TL, -1, 0, -1, 0, up, 0,
                   HOTSPOT_PLAIN);
    EXM_AddHotspot(CLUB_ARROWS_X, y + 20, ARROW_W, ARROW_H, -1, MENU_ALIGN_TL, -1, 0, -1, 0, down,
                   0, HOTSPOT_PLAIN);
}

void DrawOffice(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderName(GetMessageText(s_texts.clubName), TEXT_TITLE);
    if (!InfoBox()) {
        DrawClubList();
    } else {
        DrawDarkPanel(16, 54, 304, 348, INFO_PANEL_STRENGTH);
        if ((Office.flags & OFFICE_OFFERS_PAGE) != 0) {
            DrawOffersPage();
            AddArrows(OFFER_ARROWS_Y, Office_OffersUp, Office_OffersDown);
        } else if ((Office.flags & OFFICE_TEAM_PAGE) != 0) {
            DrawTeamPage();
        } else {
            DrawClubList();
            AddArrows(CLUB_ARROWS_Y, Office_ClubsUp, Office_ClubsDown);
        }
    }
    DrawFigures();
}

// ---------------------------------------------------------------------------------------------
// "Terminer".

// Time starts to pass: the day screen ends on the coaches' box, the news box starts empty and the
// statistics are no longer refused for a job just taken.
int32_t StartAdvance(uint16_t mode)
{
    MessageBox_Reset();
    DayScreenFlags |= DAY_SCREEN_COACHES_BOX;
    JobNewMarkers[1] = 0;
    AdvanceMode = mode;
    Office.flags = static_cast<uint8_t>((Office.flags & ~0x01) | OFFICE_RESELECT);
    return Leave(OPTION_ADVANCE);
}

int32_t AdvanceUnlessMatchDay(uint16_t mode)
{
    if (PlaysToday()) return EXM_CODE_REDRAW;
    return StartAdvance(mode);
}

int32_t NextDayEntry(MenuListEntry*) { return Office_NextDay(nullptr); }

void PrepareEnd(MenuListRecord*)
{
    MenuListEntry* popup = Office_EndPopup();
    const bool plays = (VTW_PutHumanFixtureLast() != 0);
    const bool lastDay = VTW_GetCurrentDay() == LAST_DAY;
    popup[1].flags = !plays && !lastDay ? LIST_ENABLED : 0;
    popup[2].flags = plays ? 0 : LIST_ENABLED;
    popup[3].flags = plays ? LIST_ENABLED : 0;
}

// ---------------------------------------------------------------------------------------------
// The other drop-downs.

int32_t ToOption(MenuListEntry* entry) { return Leave(static_cast<int16_t>(entry->spare[0])); }

int32_t Friendly(MenuListEntry* entry)
{
    const int32_t today = VTW_GetCurrentDay();
    if (today >= GameState.holidayStart && today <= HOLIDAY_END) return Refuse(TEXT_ON_HOLIDAY);
    return ToOption(entry);
}

// Friendlies are booked for the human's own club: without a post there is none.
void PrepareCalendar(MenuListRecord*)
{
    for (MenuListEntry* e = Office_CalendarPopup(); e->type != LIST_END; ++e) {
        if (e->label == TEXT_FRIENDLY) e->flags = FrontEnd_HumanHasPost() ? LIST_ENABLED : 0;
    }
}

int32_t Statistic(MenuListEntry* entry)
{
    if (!s_texts.playedOfficial || JobNewMarkers[1] != 0) return Refuse(TEXT_NO_OFFICIAL_MATCH);
    return ToOption(entry);
}

int32_t TeamSheets(MenuListEntry* entry)
{
    if (s_texts.playedOfficial) return ToOption(entry);
    const int32_t club = SelectedClub();
    const bool computerElsewhere =
        VTW_GetClubController(club) == MANAGER_COMPUTER
        && VTW_FindDivisionOfTeam(club) != VTW_FindDivisionOfTeam(HumanClub());
    if (computerElsewhere) return LIST_CODE_CLOSE;
    char text[TEXTMESS_BUFFER_BYTES];
    std::snprintf(text, sizeof text, GetMessageText(TEXT_NO_MATCH_YET),
                  VTW_FormatClubName(VTW_GetTeam(club)));
    DoMessageBox(text, 0);
    return LIST_CODE_REDRAW;
}

// Entries are found by their label, so that entries added to the list move none of them.
void EnableClubDataEntry(int32_t textNo, bool enabled)
{
    for (MenuListEntry* e = Office_ClubDataPopup(); e->type != LIST_END; ++e) {
        if (e->label == textNo) e->flags = enabled ? LIST_ENABLED : 0;
    }
}

void PrepareClubData(MenuListRecord*)
{
    const int32_t club = SelectedClub();
    EnableClubDataEntry(2118, VTW_GetClubController(club) != MANAGER_COMPUTER);
    EnableClubDataEntry(1482, VTW_GetSeasonCounter() >= 1);
}

int32_t ChooseDivision(MenuListEntry* entry)
{
    const int32_t division = entry - Office_DivisionPopup() - 1;
    if (division == CurrentDivision) return LIST_CODE_CLOSE;
    CurrentDivision = static_cast<int16_t>(division);
    Office.clubScroll = 0;
    const int32_t human = HumanClub();
    if (VTW_FindDivisionOfTeam(human) == division)
        GameState.currentClub = static_cast<int16_t>(human);
    return LIST_CODE_REDRAW;
}

int16_t s_divisionLabels[DIVISION_MAX];

void PrepareDivisions(MenuListRecord*)
{
    MenuListEntry* popup = Office_DivisionPopup();
    for (int32_t d = 0; d < DIVISION_MAX; ++d) {
        s_divisionLabels[d] = static_cast<int16_t>(VTW_GetDivisionTextNo(d));
        popup[1 + d].type = d < VTW_GetCountryDivisions() ? LIST_ENTRY_TEXT_NO_VAR : 0;
    }
}

// ---------------------------------------------------------------------------------------------
// The hidden switches.

bool RightButton() { return (EXM_GetClickState() & RIGHT_BUTTON) != 0; }

}  // namespace

void OfficeInit()
{
    Office = {};
    Office.flags = OFFICE_START_FLAGS;
    Office.month = -1;
    Office.savedClub = -1;
    for (OfficeTrend& trend : Office.trends) {
        trend = {-1, -1, -1, -1};
    }
    SaveGame_RegisterBlock("OFFC", Office.trends, sizeof Office.trends);
    CurrentDivision = -1;
    s_texts = {};
}

void OfficeUninit() { OfficeInit(); }

const char* Office_FigureText(int32_t row)
{
    return row >= 0 && row < FIGURE_ROWS ? s_texts.figures[row] : "";
}

void Office_Build()
{
    TakeMonthlySave();
    // Only a screen entered afresh starts its lists from the top: every redraw builds again, and
    // a scroll click that reset its own list could never move it.
    if (EXM_GetRebuildFlag() != 0) {
        Office.clubScroll = 0;
        Office.offersScroll = 0;
    }
    ReselectAfterChanges();
    BuildClubList();
    BuildSales();
    FillTexts(SelectedClub());
    s_pageButtons = InfoBox() ? PageButtons() : NoButtons();
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
}

int32_t Office_TrendIcon(int32_t value, int32_t remembered, bool attendance)
{
    if (remembered < 0) return 0;
    // A place improves as its number falls; an attendance as it grows.
    const int32_t gain = attendance ? value - remembered : remembered - value;
    if (gain > 0) return OFFICE_TREND_UP;
    if (gain < 0) return OFFICE_TREND_DOWN;
    return attendance ? OFFICE_TREND_STEADY : 0;
}

int32_t Office_NextDay(MenuHotspot*) { return AdvanceUnlessMatchDay(ADVANCE_ONE_DAY); }
int32_t Office_ToMatchDay(MenuListEntry*) { return AdvanceUnlessMatchDay(ADVANCE_TO_MATCH_DAY); }

int32_t Office_TeamRefusal(int32_t club)
{
    // A refused sheet keeps its shirts, so that the squad screen can swap the ineligible out;
    // an accepted one loses only its ineligible substitutes.
    const int32_t check = VTW_CheckTeamSheet(club);
    if (check == 2) return TEXT_TOO_MANY_FOREIGN;
    if (check != 0) return TEXT_NOT_COMPLETE;
    VTW_ClearIneligibleShirts(club);
    if (VTW_CountTeamCaptains(club) == 0) return TEXT_NO_CAPTAIN;
    return 0;
}

int32_t Office_PlayMatch(MenuListEntry*)
{
    if (!PlaysToday()) return LIST_CODE_CLOSE;
    const int32_t human = HumanClub();
    if (const int32_t refusal = Office_TeamRefusal(human); refusal != 0) {
        DoMessageBox(GetMessageText(refusal), 0);
        GameState.currentClub = static_cast<int16_t>(human);
        return Leave(OPTION_SQUAD);
    }
    Office.flags &= static_cast<uint8_t>(~0x03);
    return StartAdvance(ADVANCE_TODAYS_MATCH);
}

MenuListEntry* Office_EndPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_END, PrepareEnd),
        MenuList_Entry(TEXT_NEXT_DAY, NextDayEntry),
        MenuList_EntryVar(&s_texts.secondEntry, Office_ToMatchDay),
        MenuList_Entry(TEXT_PLAY_MATCH, Office_PlayMatch),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* Office_CalendarPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(294, PrepareCalendar),
        MenuList_Entry(2104, ToOption, 8),
        MenuList_Entry(157, ToOption, 11),
        MenuList_Entry(TEXT_FRIENDLY, Friendly, 17),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* Office_ClubDataPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(2113, PrepareClubData), MenuList_Entry(2115, Statistic, 30),
        MenuList_Entry(2116, Statistic, 29),   MenuList_Entry(2117, Statistic, 31),
        MenuList_Entry(2118, Statistic, 61),   MenuList_Entry(2119, ToOption, 36),
        MenuList_Entry(1216, ToOption, 27),    MenuList_Entry(2120, TeamSheets, 32),
        MenuList_Entry(1482, ToOption, 82),    MenuList_End(),
    };
    return popup;
}

MenuListEntry* Office_DivisionPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(136, PrepareDivisions),
        MenuList_EntryVar(&s_divisionLabels[0], ChooseDivision),
        MenuList_EntryVar(&s_divisionLabels[1], ChooseDivision),
        MenuList_EntryVar(&s_divisionLabels[2], ChooseDivision),
        MenuList_EntryVar(&s_divisionLabels[3], ChooseDivision),
        MenuList_EntryVar(&s_divisionLabels[4], ChooseDivision),
        MenuList_EntryVar(&s_divisionLabels[5], ChooseDivision),
        MenuList_Entry(857, ToOption, OPTION_REST_OF_WORLD),
        MenuList_End(),
    };
    return popup;
}

void Office_PreparePopup(MenuListEntry* popup)
{
    MenuListRecord record{1, 0, 0};
    if (popup[0].prepare != nullptr) popup[0].prepare(&record);
}

int32_t Office_InfoBox(MenuHotspot*)
{
    Office.flags ^= OFFICE_INFO_BOX;
    Office.flags &= static_cast<uint8_t>(~(OFFICE_OFFERS_PAGE | OFFICE_TEAM_PAGE));
    return EXM_CODE_REDRAW;
}

int32_t Office_Escape()
{
    Office.flags &=
        static_cast<uint8_t>(~(OFFICE_INFO_BOX | OFFICE_OFFERS_PAGE | OFFICE_TEAM_PAGE));
    return EXM_CODE_LEAVE;
}

int32_t Office_OffersPage(MenuHotspot*)
{
    Office.flags = static_cast<uint8_t>((Office.flags ^ OFFICE_OFFERS_PAGE) & ~OFFICE_TEAM_PAGE);
    return EXM_CODE_REDRAW;
}

int32_t Office_TeamPage(MenuHotspot*)
{
    Office.flags = static_cast<uint8_t>((Office.flags ^ OFFICE_TEAM_PAGE) & ~OFFICE_OFFERS_PAGE);
    return EXM_CODE_REDRAW;
}

namespace {

// One row along a list of `count` rows showing `visible`, inside 0 .. count - visible; a list that
// fits or a page that does not hold it stays put.
void ScrollBy(int8_t* offset, int32_t step, int32_t count, int32_t visible, bool active)
{
    if (!active || count <= visible) return;
    const int32_t moved = *offset + step;
    if (moved >= 0 && moved <= count - visible) *offset = static_cast<int8_t>(moved);
}

bool ClubListScrolls() { return InfoBox() && !PageOpen(); }
bool OffersScroll() { return InfoBox() && (Office.flags & OFFICE_OFFERS_PAGE) != 0; }

}  // namespace

int32_t Office_ClubsUp(MenuHotspot*)
{
    ScrollBy(&Office.clubScroll, -1, Office.clubCount, OFFICE_LIST_ROWS, ClubListScrolls());
    return EXM_CODE_REDRAW;
}

int32_t Office_ClubsDown(MenuHotspot*)
{
    ScrollBy(&Office.clubScroll, 1, Office.clubCount, OFFICE_LIST_ROWS, ClubListScrolls());
    return EXM_CODE_REDRAW;
}

int32_t Office_OffersUp(MenuHotspot*)
{
    ScrollBy(&Office.offersScroll, -1, Office.saleCount, OFFICE_SALES_ROWS, OffersScroll());
    return EXM_CODE_REDRAW;
}

int32_t Office_OffersDown(MenuHotspot*)
{
    ScrollBy(&Office.offersScroll, 1, Office.saleCount, OFFICE_SALES_ROWS, OffersScroll());
    return EXM_CODE_REDRAW;
}

int32_t Office_TitleSwitch(MenuHotspot*)
{
    if (!RightButton()) return EXM_CODE_NONE;
    const uint32_t now = TickCount;
    Office.switchTicks[Office.switchNext] = now;
    Office.switchNext = (Office.switchNext + 1) % OFFICE_SWITCH_CLICKS;
    // The oldest of the last five clicks, now in the slot the next one takes.
    const uint32_t oldest = Office.switchTicks[Office.switchNext];
    if (oldest == 0 || now - oldest > OFFICE_SWITCH_TICKS) return EXM_CODE_NONE;
    AutoRunMode = AutoRunMode != 0 ? 0 : 1;
    std::fill(std::begin(Office.switchTicks), std::end(Office.switchTicks), 0u);
    return EXM_CODE_REDRAW;
}

int32_t Office_DebugHeader(MenuHotspot*)
{
    if (AutoRunMode == 0) return EXM_CODE_NONE;
    MenuOption = OPTION_DEBUG_SCREEN;
    return EXM_CODE_LEAVE;
}

int32_t Office_MoneySwitch(MenuHotspot*)
{
    Office.moneySwitch = static_cast<uint32_t>(Rand() % 2);
    return EXM_CODE_NONE;
}

int32_t Office_MoneyIn(MenuHotspot*)
{
    if (Office.moneySwitch != 1 || HumanClub() < 0) return EXM_CODE_NONE;
    VTW_AddClubCash(CLUB_NONE, -OFFICE_MONEY_STEP);
    VTW_AddClubCash(HumanClub(), OFFICE_MONEY_STEP);
    return EXM_CODE_REDRAW;
}

int32_t Office_MoneyOut(MenuHotspot*)
{
    if (Office.moneySwitch != 1 || HumanClub() < 0) return EXM_CODE_NONE;
    VTW_AddClubCash(HumanClub(), -OFFICE_MONEY_STEP);
    VTW_AddClubCash(CLUB_NONE, OFFICE_MONEY_STEP);
    return EXM_CODE_REDRAW;
}

namespace {

int32_t ToSquad(MenuHotspot*) { return Leave(OPTION_SQUAD); }
int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

const MenuItem* NoButtons()
{
    static const MenuItem table[] = {MenuEndItem(nullptr, nullptr)};
    return table;
}

// The information box's page buttons, only in its mode.
const MenuItem* PageButtons()
{
    static const MenuItem table[] = {
        {0x200c, 28, PAGE_BUTTONS_Y, 140, 20, MenuTextNo(2121), Office_OffersPage},
        {0x200c, 174, PAGE_BUTTONS_Y, 140, 20, MenuTextNo(2122), Office_TeamPage},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

}  // namespace

const MenuItem* Office_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Office_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(OFFICE_BACKGROUND), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 480, 36, MENU_ALIGN_MR, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x10, 320, 50, MENU_ALIGN_CENTRE, 0, MenuVariable(&s_texts.debugHeader), nullptr},
        {0x1f, 240, 44, 160, 14, MenuNumber(-1), Office_DebugHeader},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawOffice), nullptr},
        {0x22, 0, 0, 1, 0, MenuAddress(&s_pageButtons), nullptr},
        {0x200c, 240, 408, 160, 30, MenuTextNo(453), ToSquad},
        {0x200f, 78, 408, 160, 30, MenuVariable(&s_texts.divisionLabel), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(Office_DivisionPopup()), nullptr},
        {0x200c, 402, 408, 160, 30, MenuTextNo(294), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(Office_CalendarPopup()), nullptr},
        {0x200c, 78, 440, 160, 30, MenuTextNo(2113), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(Office_ClubDataPopup()), nullptr},
        {0x200c, 240, 440, 160, 30, MenuTextNo(2114), Office_InfoBox},
        {0x200c, 402, 440, 160, 30, MenuTextNo(TEXT_END), Office_NextDay},
        {0x2009, 0, 0, 0, 0, MenuAddress(Office_EndPopup()), nullptr},
        {0x1f, 280, 24, 200, 24, MenuNumber(-1), Office_TitleSwitch},
        {0x1f, 0, 470, 10, 10, MenuNumber(-1), Office_MoneySwitch},
        {0x1f, 10, 470, 10, 10, MenuNumber(-1), Office_MoneyIn},
        {0x1f, 20, 470, 10, 10, MenuNumber(-1), Office_MoneyOut},
        MenuEndItem(nullptr, Office_Escape),
    };
    return table;
}
