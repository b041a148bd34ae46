// menus/results.cpp: the results and match-of-the-day screens.
#include "menus/results.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchday.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/dayscreen.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

uint16_t ResultsMode;
ResultsEntry ResultsCompetitionTable[RESULTS_COUNTRY_ROWS][RESULTS_ENTRIES];

namespace {

constexpr int16_t OPTION_ADVANCE = 46;
constexpr int32_t TEXT_RESULTS = 1558;
constexpr int32_t TEXT_TODAYS_MATCH = 887;
constexpr int32_t TEXT_INTERNATIONALS = 1559;
constexpr int32_t TEXT_FRIENDLIES = 1560;
constexpr int32_t TEXT_DASH = 125;
constexpr int32_t TEXT_VERSUS = 152;
constexpr int32_t TEXT_STAR = 1206;
constexpr int32_t TEXT_SHOOT_OUT_WIN = 1561;
constexpr int32_t TEXT_NATIONAL_TEAM_BASE = 304;
constexpr int32_t DIVISION_INTERNATIONAL = 6;
constexpr int32_t DIVISION_FRIENDLY = 7;
constexpr int32_t CUP_SUPER = 7;  // competition 4's entry
constexpr int32_t HUMAN_COLOUR = 8;
constexpr int32_t SELECTED_ATTRIBUTE = 1;
constexpr int32_t GREYED_ATTRIBUTE = 10;
constexpr int32_t ROWS_TOP = 100;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t BAND_X = 24;
constexpr int32_t BAND_WIDTH = 400;
constexpr int32_t BAND_WIDTH_AGGREGATE = 430;
// A row's columns, left to right. Each item stays ITEM_GAP clear of the next at the widest it
// gets (goals up to 14, the shoot-out star, an aggregate of "(28-28)"); the names take the room
// left between, in the smaller font or cut short when a name is longer still.
constexpr int32_t ITEM_GAP = 5;
constexpr int32_t ROW_LEFT = BAND_X + 4;
constexpr int32_t GROUP_X = ROW_LEFT;
constexpr int32_t GROUP_ROOM = 64;  // "Groupe A" to "Groupe H"
constexpr int32_t HOME_NAME_X = 180;
constexpr int32_t HOME_STAR_X = 192;
constexpr int32_t HOME_GOALS_X = 205;
constexpr int32_t DASH_X = 220;
constexpr int32_t AWAY_GOALS_X = 236;
constexpr int32_t AWAY_STAR_X = 249;
constexpr int32_t AWAY_NAME_X = 261;
constexpr int32_t AGGREGATE_X = 400;
// The group column pushes the names and the score right, the names' room shared evenly.
constexpr int32_t GROUP_SHIFT = 40;
constexpr int32_t NAME_FONT = 1;
constexpr int32_t SMALL_NAME_FONT = 0;
constexpr int32_t BUTTON_X = 459;
constexpr int32_t BUTTON_TOP = 80;
constexpr int32_t BUTTON_PITCH = 24;
constexpr int32_t BUTTON_W = 166;
constexpr int32_t BUTTON_H = 20;
constexpr int32_t HEADING_BYTES = 160;
constexpr int32_t NONE = -1;

// The initial rows: d<n> a division, c<n> a cup, in entry order.
struct InitialEntry {
    int8_t division;
    int8_t cup;
};
constexpr InitialEntry D(int8_t d) { return {d, NONE}; }
constexpr InitialEntry C(int8_t c) { return {NONE, c}; }
constexpr InitialEntry X() { return {NONE, NONE}; }

// clang-format off
constexpr InitialEntry INITIAL_ROWS[RESULTS_COUNTRY_ROWS][RESULTS_ENTRIES] = {
    {D(0), D(1), D(2), D(3), D(4), C(0), C(1), C(2), C(3), C(7), C(4), C(6), D(7), X(), X()},
    {D(0), D(1), D(2), D(3), C(0), C(1), C(2), C(4), C(6), D(7), X(), X(), X(), X(), X()},
    {D(0), D(1), D(2), D(3), D(4), C(0), C(1), C(4), C(6), D(7), X(), X(), X(), X(), X()},
    {D(0), D(1), D(2), D(3), C(0), C(7), C(4), C(6), D(7), X(), X(), X(), X(), X(), X()},
    {D(0), D(1), D(2), D(3), D(4), D(5), C(0), C(7), C(4), C(6), D(7), X(), X(), X(), X()},
    {D(0), D(1), C(0), C(4), C(6), D(7), X(), X(), X(), X(), X(), X(), X(), X(), X()},
    {D(0), D(1), C(0), C(4), C(6), D(7), X(), X(), X(), X(), X(), X(), X(), X(), X()},
    {D(0), D(1), C(0), C(4), C(6), D(7), X(), X(), X(), X(), X(), X(), X(), X(), X()},
};
// clang-format on

// One visible row, as the build leaves it for the drawing.
struct ShownRow {
    int32_t fixture;
    int32_t aggregateHome;  // -1: no aggregate or first-leg column
    int32_t aggregateAway;
    int32_t shootOutWinner;  // -1 none, 0 home, 1 away
};

struct ResultsState {
    int32_t shownMode;  // -1 while no screen is up
    int32_t row;
    int32_t usedEntries;
    int32_t defaultEntry;
    int32_t selectedEntry;
    int32_t scroll;
    int32_t listed[RESULTS_MAX_ROWS];
    int32_t listedCount;
    bool twoLegs;
    bool groupColumn;
    bool shootOutShown;
    ShownRow shown[RESULTS_VISIBLE_ROWS];
    int32_t shownCount;
    char heading[HEADING_BYTES];
    int16_t buttonLabels[RESULTS_ENTRIES];
};

ResultsState s_results;
const char* const s_headingText = s_results.heading;

ResultsEntry& Entry(int32_t entry) { return ResultsCompetitionTable[s_results.row][entry]; }
int32_t HumanClub() { return VTW_GetClubOfManager(MANAGER_HUMAN); }
int32_t Today() { return VTW_GetCurrentDay(); }

bool RowIsToday(int32_t row)
{
    return VTW_GetFixtureDay(row) == Today() && VTW_GetFixtureDay(row) != FIXTURE_DAY_EMPTY;
}

int32_t FindEntry(int32_t division, int32_t cup)
{
    for (int32_t e = 0; e < s_results.usedEntries; ++e) {
        const ResultsEntry& entry = Entry(e);
        if (division >= 0 && entry.division == division) return e;
        if (cup >= 0 && entry.cup == cup) return e;
    }
    return NONE;
}

// The entry a fixture row is listed under, -1 none.
int32_t EntryOfRow(int32_t row)
{
    const int32_t comp = VTW_GetFixtureCompetition(row);
    if (comp <= COMP_PLAYOFF_FINAL)
        return FindEntry(VTW_FindDivisionOfTeam(VTW_GetFixtureHomeClub(row)), NONE);
    if (comp == COMP_SUPER_CUP) return FindEntry(NONE, CUP_SUPER);
    if (comp == COMP_FRIENDLY) return FindEntry(DIVISION_FRIENDLY, NONE);
    if (comp == COMP_INTERNATIONAL) return FindEntry(DIVISION_INTERNATIONAL, NONE);
    return FindEntry(NONE, VTW_GetCupIndexOfComp(comp));
}

int32_t ResultsScreen_FindHumanEntry(int32_t row)
{
    if (row < 0 || row >= FIXTURE_ROWS) return 0;
    const int32_t comp = VTW_GetFixtureCompetition(row);
    int32_t entry = NONE;
    if (comp > COMP_SUPER_CUP && comp < COMP_FRIENDLY)
        entry = FindEntry(NONE, VTW_GetCupIndexOfComp(comp));
    else if (comp == COMP_SUPER_CUP)
        entry = FindEntry(NONE, CUP_SUPER);
    else if (comp == COMP_FRIENDLY)
        entry = FindEntry(DIVISION_FRIENDLY, NONE);
    else
        entry = FindEntry(VTW_FindDivisionOfTeam(HumanClub()), NONE);
    return std::max(entry, 0);
}

void StartFresh()
{
    s_results.row = Results_RowOfCountry(VTW_GetCountry());
    s_results.usedEntries = 0;
    while (s_results.usedEntries < RESULTS_ENTRIES) {
        ResultsEntry& entry = Entry(s_results.usedEntries);
        if (entry.division < 0 && entry.cup < 0) break;
        entry.scroll = 0;
        ++s_results.usedEntries;
    }
    s_results.defaultEntry = ResultsScreen_FindHumanEntry(VTW_FindHumanFixtureOnDay(Today()));
    s_results.selectedEntry = s_results.defaultEntry;
    s_results.scroll = 0;
}

void CountToday()
{
    for (int32_t e = 0; e < s_results.usedEntries; ++e) {
        Entry(e).count = 0;
    }
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        if (!RowIsToday(row)) continue;
        const int32_t e = EntryOfRow(row);
        if (e >= 0 && Entry(e).count < INT8_MAX) ++Entry(e).count;
    }
}

int32_t FirstEntryWithFixtures()
{
    for (int32_t e = 0; e < s_results.usedEntries; ++e) {
        if (Entry(e).count >= 1) return e;
    }
    return NONE;
}

void FallBackToEntriesWithFixtures()
{
    if (Entry(s_results.defaultEntry).count < 1) {
        const int32_t first = FirstEntryWithFixtures();
        if (first >= 0) s_results.defaultEntry = first;
    }
    if (Entry(s_results.selectedEntry).count < 1) s_results.selectedEntry = s_results.defaultEntry;
}

// Today's rows of the selected entry, each in the place its home club takes in the club sort.
void CollectRows()
{
    s_results.listedCount = 0;
    int16_t homes[RESULTS_MAX_ROWS];
    for (int32_t row = 0; row < FIXTURE_ROWS && s_results.listedCount < RESULTS_MAX_ROWS; ++row) {
        if (!RowIsToday(row) || EntryOfRow(row) != s_results.selectedEntry) continue;
        homes[s_results.listedCount] = static_cast<int16_t>(VTW_GetFixtureHomeClub(row));
        s_results.listed[s_results.listedCount++] = row;
    }
    int32_t byRow[RESULTS_MAX_ROWS];
    std::copy_n(s_results.listed, s_results.listedCount, byRow);
    VTW_SortClubsByName(homes, s_results.listedCount, 1);
    for (int32_t i = 0; i < s_results.listedCount; ++i) {
        for (int32_t j = 0; j < s_results.listedCount; ++j) {
            if (byRow[j] >= 0 && VTW_GetFixtureHomeClub(byRow[j]) == homes[i]) {
                s_results.listed[i] = byRow[j];
                byRow[j] = -1;
                break;
            }
        }
    }
}

void RememberHumanScroll()
{
    const int32_t human = HumanClub();
    const int32_t count = s_results.listedCount;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t row = s_results.listed[i];
        if (VTW_GetFixtureHomeClub(row) != human && VTW_GetFixtureAwayClub(row) != human) continue;
        int32_t scroll = i;
        if (i < RESULTS_VISIBLE_ROWS)
            scroll = 0;
        else if (count - i < RESULTS_VISIBLE_ROWS)
            scroll = count - RESULTS_VISIBLE_ROWS;
        Entry(s_results.selectedEntry).scroll = static_cast<int8_t>(scroll);
        return;
    }
}

// The cup's name in the current country.
int32_t ResultsScreen_CupName(int32_t cup) { return VTW_GetCountryTextNo(cup); }

void FillButtonLabels()
{
    for (int32_t e = 0; e < s_results.usedEntries; ++e) {
        const ResultsEntry& entry = Entry(e);
        int32_t label = 0;
        if (entry.division >= 0 && entry.division < DIVISION_MAX)
            label = VTW_GetDivisionTextNo(entry.division);
        else if (entry.division == DIVISION_INTERNATIONAL)
            label = TEXT_INTERNATIONALS;
        else if (entry.division == DIVISION_FRIENDLY)
            label = TEXT_FRIENDLIES;
        else if (entry.cup == CUP_SUPER)
            label = VTW_BuildTable668(COMP_SUPER_CUP, &label, &label);
        else
            label = ResultsScreen_CupName(entry.cup);
        s_results.buttonLabels[e] = static_cast<int16_t>(label);
    }
}

// The earlier row of the same cup round with the two clubs the other way round, -1 none.
int32_t FirstLegOf(int32_t row)
{
    const int32_t comp = VTW_GetFixtureCompetition(row);
    for (int32_t earlier = row - 1; earlier >= 0; --earlier) {
        const int32_t other = VTW_GetFixtureCompetition(earlier);
        if (VTW_GetCompCup(other) != VTW_GetCompCup(comp)
            || VTW_GetCompRound(other) != VTW_GetCompRound(comp))
            continue;
        if (VTW_GetFixtureHomeClub(earlier) == VTW_GetFixtureAwayClub(row)
            && VTW_GetFixtureAwayClub(earlier) == VTW_GetFixtureHomeClub(row)
            && VTW_GetFixtureDay(earlier) < Today())
            return earlier;
    }
    return NONE;
}

bool ResultsScreen_IsSecondLeg(int32_t row) { return FirstLegOf(row) >= 0; }

void FillHeading(int32_t row)
{
    const int32_t comp = VTW_GetFixtureCompetition(row);
    s_results.twoLegs = false;
    s_results.groupColumn = false;
    if (comp <= COMP_PLAYOFF_FINAL) {
        std::snprintf(s_results.heading, HEADING_BYTES, "%s",
                      GetMessageText(VTW_GetDivisionTextNo(
                          VTW_FindDivisionOfTeam(VTW_GetFixtureHomeClub(row)))));
        return;
    }
    int32_t stage = NONE, leg = NONE;
    const int32_t name = VTW_BuildTable668(comp, &stage, &leg);
    const int32_t cup = VTW_GetCompCup(comp);
    const bool twoLegged = cup >= 0 && CupRules(VTW_GetCountry(), cup, VTW_GetCompRound(comp)) == 2;
    s_results.groupColumn = comp == COMP_CHAMPIONS_GROUPS;
    if (s_results.groupColumn) stage = NONE;
    std::snprintf(s_results.heading, HEADING_BYTES, "%s", GetMessageText(name));
    for (const int32_t part : {stage, leg}) {
        if (part < 0) continue;
        const size_t used = std::strlen(s_results.heading);
        std::snprintf(s_results.heading + used, HEADING_BYTES - used, " %s", GetMessageText(part));
    }
    if (twoLegged) s_results.twoLegs = ResultsScreen_IsSecondLeg(row);
}

ShownRow BuildShownRow(int32_t row)
{
    ShownRow shown = {row, NONE, NONE, NONE};
    if (Fixture_GetPenalties(row) != 0) {
        shown.shootOutWinner = Fixture_GetShootOutAwayWon(row);
        s_results.shootOutShown = true;
    }
    const int32_t first = s_results.twoLegs ? FirstLegOf(row) : NONE;
    if (first < 0) return shown;
    const int32_t firstHome = VTW_GetFixtureHomeGoals(first);
    const int32_t firstAway = VTW_GetFixtureAwayGoals(first);
    if (ResultsMode == RESULTS_AFTER_MATCHES) {
        shown.aggregateHome = VTW_GetFixtureHomeGoals(row) + firstAway;
        shown.aggregateAway = VTW_GetFixtureAwayGoals(row) + firstHome;
    } else {
        shown.aggregateHome = firstAway;
        shown.aggregateAway = firstHome;
    }
    return shown;
}

void FillShownRows()
{
    s_results.shownCount = 0;
    s_results.shootOutShown = false;
    s_results.heading[0] = '\0';
    if (s_results.scroll < s_results.listedCount) FillHeading(s_results.listed[s_results.scroll]);
    for (int32_t i = 0; i < RESULTS_VISIBLE_ROWS && s_results.scroll + i < s_results.listedCount;
         ++i) {
        s_results.shown[s_results.shownCount++] =
            BuildShownRow(s_results.listed[s_results.scroll + i]);
    }
}

// ---------------------------------------------------------------------------------------------
// The drawing.

const char* SideName(int32_t row, int32_t club)
{
    if (VTW_GetFixtureCompetition(row) == COMP_INTERNATIONAL)
        return GetMessageText(TEXT_NATIONAL_TEAM_BASE + club);
    return VTW_FormatClubName(VTW_GetTeam(club));
}

void DrawInRoom(int32_t x, int32_t y, const char* text, int32_t alignment, int32_t room)
{
    DrawMenuStringInRoom(x, y, text, alignment, room, NAME_FONT, SMALL_NAME_FONT);
    SetMenuFont(NAME_FONT);
}

void DrawName(int32_t x, int32_t y, int32_t row, int32_t club, int32_t alignment, int32_t room)
{
    SetDrawAttribute(1, club == HumanClub() ? HUMAN_COLOUR : 0);
    DrawInRoom(x, y, SideName(row, club), alignment, room);
    SetDrawAttribute(1, 0);
}

// The home club's group in the group column, when shown; the left end of the home name's room.
int32_t DrawGroupColumn(int32_t y, int32_t home)
{
    if (!s_results.groupColumn) return ROW_LEFT;
    const int32_t group = VTW_GetTextNoFromTable(VTW_GetChampionsLeagueGroup(home));
    DrawInRoom(GROUP_X, y, GetMessageText(group), MENU_ALIGN_ML, GROUP_ROOM);
    return GROUP_X + GROUP_ROOM + ITEM_GAP;
}

void DrawNumber(int32_t x, int32_t y, int32_t n)
{
    char text[12];
    std::snprintf(text, sizeof text, "%d", n);
    DrawMenuString(x, y, text, MENU_ALIGN_CENTRE);
}

void DrawScore(const ShownRow& shown, int32_t y, int32_t shift)
{
    const int32_t row = shown.fixture;
    if (ResultsMode == RESULTS_BEFORE_MATCHES || Fixture_IsPlayed(row) == 0) {
        DrawMenuMessage(DASH_X + shift, y, TEXT_VERSUS, MENU_ALIGN_CENTRE);
        return;
    }
    DrawNumber(HOME_GOALS_X + shift, y, VTW_GetFixtureHomeGoals(row));
    DrawMenuMessage(DASH_X + shift, y, TEXT_DASH, MENU_ALIGN_CENTRE);
    DrawNumber(AWAY_GOALS_X + shift, y, VTW_GetFixtureAwayGoals(row));
    if (shown.shootOutWinner == 0)
        DrawMenuMessage(HOME_STAR_X + shift, y, TEXT_STAR, MENU_ALIGN_MR);
    if (shown.shootOutWinner == 1)
        DrawMenuMessage(AWAY_STAR_X + shift, y, TEXT_STAR, MENU_ALIGN_ML);
}

void DrawAggregate(const ShownRow& shown, int32_t y)
{
    if (shown.aggregateHome < 0) return;
    char text[40];
    std::snprintf(text, sizeof text, "(%d%s%d)", shown.aggregateHome, GetMessageText(TEXT_DASH),
                  shown.aggregateAway);
    DrawMenuString(AGGREGATE_X, y, text, MENU_ALIGN_ML);
}

void DrawRow(int32_t i)
{
    const ShownRow& shown = s_results.shown[i];
    const int32_t row = shown.fixture;
    const int32_t y = ROWS_TOP + ROW_PITCH * i + ROW_PITCH / 2;
    const int32_t shift = s_results.groupColumn ? GROUP_SHIFT : 0;
    const int32_t home = VTW_GetFixtureHomeClub(row);
    const int32_t homeLeft = DrawGroupColumn(y, home);
    const int32_t awayRight = s_results.twoLegs ? AGGREGATE_X - ITEM_GAP : BAND_X + BAND_WIDTH;
    DrawName(HOME_NAME_X + shift, y, row, home, MENU_ALIGN_MR, HOME_NAME_X + shift - homeLeft);
    DrawName(AWAY_NAME_X + shift, y, row, VTW_GetFixtureAwayClub(row), MENU_ALIGN_ML,
             awayRight - AWAY_NAME_X - shift);
    DrawScore(shown, y, shift);
    DrawAggregate(shown, y);
}

void ResultsScreen_DrawRows(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    const bool aggregate = s_results.twoLegs;
    for (int32_t i = 0; i < s_results.shownCount; ++i) {
        DrawDarkPanel(BAND_X, ROWS_TOP + ROW_PITCH * i,
                      aggregate ? BAND_WIDTH_AGGREGATE : BAND_WIDTH, ROW_PITCH,
                      i % 2 == 0 ? 50 : 75);
    }
    SetMenuFont(NAME_FONT);
    for (int32_t i = 0; i < s_results.shownCount; ++i) {
        DrawRow(i);
    }
    if (s_results.shootOutShown) {
        char footnote[TEXTMESS_BUFFER_BYTES];
        std::snprintf(footnote, sizeof footnote, "%s %s", GetMessageText(TEXT_STAR),
                      GetMessageText(TEXT_SHOOT_OUT_WIN));
        DrawMenuString(120, 440, footnote, MENU_ALIGN_TL);
    }
}

int32_t ChooseEntry(MenuHotspot* hotspot)
{
    const auto entry = static_cast<int32_t>(hotspot->value);
    if (Entry(entry).count < 1) return EXM_CODE_NONE;
    s_results.selectedEntry = entry;
    return EXM_CODE_REDRAW;
}

void DrawButtons(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    for (int32_t e = 0; e < s_results.usedEntries; ++e) {
        const int32_t y = BUTTON_TOP + BUTTON_PITCH * e;
        int32_t attribute = 0;
        if (e == s_results.selectedEntry) attribute = SELECTED_ATTRIBUTE;
        if (Entry(e).count < 1) attribute = GREYED_ATTRIBUTE;
        SetDrawAttribute(4, 1);
        SetDrawAttribute(2, 0x000F);
        DoButton(BUTTON_X, y, BUTTON_W, BUTTON_H);
        SetDrawAttribute(1, attribute);
        DrawMenuMessage(BUTTON_X + BUTTON_W / 2, y + BUTTON_H / 2, s_results.buttonLabels[e],
                        MENU_ALIGN_CENTRE);
        EXM_AddHotspot(BUTTON_X, y, BUTTON_W, BUTTON_H, -1, MENU_ALIGN_TL, -1, e, e, e, ChooseEntry,
                       0, HOTSPOT_PLAIN);
    }
    SetDrawAttribute(1, 0);
    if (Entry(s_results.selectedEntry).count <= RESULTS_VISIBLE_ROWS) return;
    DoIcon(24, 430, MENU_ICON_ARROWS, MENU_ALIGN_TL);
    EXM_AddHotspot(30, 436, 30, 15, -1, MENU_ALIGN_TL, -1, 0, -1, 0, Results_ScrollUp, 0,
                   HOTSPOT_PLAIN);
    EXM_AddHotspot(30, 456, 30, 15, -1, MENU_ALIGN_TL, -1, 0, -1, 0, Results_ScrollDown, 0,
                   HOTSPOT_PLAIN);
}

void ResultsScreen_Init()
{
    Results_Build(EXM_GetRebuildFlag() != 0);
    MenuCont_FormatTitle(GameState.currentClub >= 0 ? HEADER_CLUB | HEADER_DATE : HEADER_DATE);
}

void ResultsScreen_Exit() { s_results.shownMode = NONE; }

int32_t ResultsScreen_Continue(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    DayScreenFlags |= DAY_SCREEN_COACHES_BOX;
    return EXM_CODE_LEAVE;
}

int32_t MatchOfDay_Leave(MenuHotspot*)
{
    MenuOption = OPTION_ADVANCE;
    return EXM_CODE_LEAVE;
}

}  // namespace

void DrawDarkPanel(int32_t x, int32_t y, int32_t w, int32_t h, int32_t strength)
{
    SetDrawAttribute(2, 0x2104);
    DoShadedBox(x, y, w, h, strength);
}

void ResultsInit()
{
    for (int32_t r = 0; r < RESULTS_COUNTRY_ROWS; ++r) {
        for (int32_t e = 0; e < RESULTS_ENTRIES; ++e) {
            ResultsCompetitionTable[r][e] = {INITIAL_ROWS[r][e].division, INITIAL_ROWS[r][e].cup, 0,
                                             0};
        }
    }
    s_results = {};
    s_results.shownMode = NONE;
    ResultsMode = RESULTS_AFTER_MATCHES;
}

void ResultsUninit() { ResultsInit(); }

void Results_Build(bool firstBuild)
{
    s_results.shownMode = ResultsMode;
    if (firstBuild) StartFresh();
    CountToday();
    FallBackToEntriesWithFixtures();
    CollectRows();
    if (firstBuild) RememberHumanScroll();
    s_results.scroll = Entry(s_results.selectedEntry).scroll;
    FillButtonLabels();
    FillShownRows();
}

int32_t Results_ScrollDown(MenuHotspot*)
{
    ResultsEntry& entry = Entry(s_results.selectedEntry);
    if (s_results.scroll + RESULTS_VISIBLE_ROWS >= entry.count) return EXM_CODE_NONE;
    s_results.scroll += RESULTS_VISIBLE_ROWS;
    entry.scroll = static_cast<int8_t>(s_results.scroll);
    return EXM_CODE_REDRAW;
}

int32_t Results_ScrollUp(MenuHotspot*)
{
    if (s_results.scroll - RESULTS_VISIBLE_ROWS < 0) return EXM_CODE_NONE;
    s_results.scroll -= RESULTS_VISIBLE_ROWS;
    Entry(s_results.selectedEntry).scroll = static_cast<int8_t>(s_results.scroll);
    return EXM_CODE_REDRAW;
}

int32_t Results_ChooseEntry(int32_t entry)
{
    MenuHotspot hotspot{};
    hotspot.value = entry;
    return ChooseEntry(&hotspot);
}

int32_t Results_RowOfCountry(int32_t country)
{
    constexpr int32_t ROWS[8] = {0, 1, 3, 4, 0, 5, 2, 6};
    return country >= 0 && country < 8 ? ROWS[country] : 7;
}

namespace {

// Both screens are one layout: only their title and what their OK icon does differ.
template <int32_t TitleText, ClickFn Continue>
const MenuItem* ResultsLayout()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(ResultsScreen_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(RESULTS_BACKGROUND), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TitleText), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x12, 320, 70, MENU_ALIGN_CENTRE, 0, MenuVariable(&s_headingText), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(ResultsScreen_DrawRows), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawButtons), nullptr},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Continue},
        MenuEndItem(ResultsScreen_Exit, nullptr),
    };
    return table;
}

}  // namespace

const MenuItem* Results_Table() { return ResultsLayout<TEXT_RESULTS, ResultsScreen_Continue>(); }

const MenuItem* TodaysMatch_Table() { return ResultsLayout<TEXT_TODAYS_MATCH, MatchOfDay_Leave>(); }

int32_t Results_ShownMode() { return s_results.shownMode; }
int32_t Results_SelectedEntry() { return s_results.selectedEntry; }
int32_t Results_Scroll() { return s_results.scroll; }
int32_t Results_ListedCount() { return s_results.listedCount; }
int32_t Results_ListedRow(int32_t index) { return s_results.listed[index]; }
bool Results_ShootOutShown() { return s_results.shootOutShown; }
int32_t Results_AggregateHome(int32_t visibleRow)
{
    return s_results.shown[visibleRow].aggregateHome;
}
int32_t Results_AggregateAway(int32_t visibleRow)
{
    return s_results.shown[visibleRow].aggregateAway;
}
