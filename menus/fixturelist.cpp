// menus/fixturelist.cpp: the match-day fixtures and results screen.
#include "menus/fixturelist.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "engine/fatal.h"
#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

FixtureListState FixtureList;

namespace {

constexpr int16_t OPTION_STANDINGS = 9;
constexpr int16_t OPTION_CHAMPIONS_GROUPS = 48;
constexpr int32_t TEXT_WEEKDAY = 2;
constexpr int32_t TEXT_DASH = 125;
constexpr int32_t TEXT_TO_PLAY = 152;
constexpr int32_t TEXT_SECOND_LEG = 135;
constexpr int32_t TEXT_PLACE_BASE = 335;    // + the 1-based place: 336 "1er"
constexpr int32_t TEXT_PLAYOFF_BASE = 111;  // + competition 1-3: 112-114
constexpr int32_t TEXT_COUNTRY_BASE = 2310;
constexpr int32_t TEXT_DIVISIONS_BUTTON = 161;
constexpr int32_t TEXT_TABLES_BUTTON = 539;
constexpr int32_t TEXT_CUPS_BUTTON = 1496;
constexpr int32_t TEXT_STANDINGS = 136;
constexpr int32_t LAST_NATIONAL_CUP_COMP = 68;
constexpr int32_t CUP_ROUNDS_SPAN = 15;  // a cup's competitions: its first and 15 more
constexpr int32_t DAY_ARROWS_ICON = 1297;
constexpr int32_t BACKGROUND = 0;
constexpr int32_t ROWS_Y = 90;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t TEXT_Y = ROW_PITCH / 2;
// Each club's name keeps clear of its note, which keeps clear of the score.
constexpr int32_t HOME_NAME_X = 230;
constexpr int32_t HOME_NOTE_X = 300;
constexpr int32_t AWAY_NOTE_X = 340;
constexpr int32_t AWAY_NAME_X = 410;
constexpr int32_t NOTE_FONT = 0;
constexpr int32_t NOTE_ROOM = HOME_NOTE_X - HOME_NAME_X - 4;
// The away name ends clear of the group or the aggregate beside it, in a smaller font when it
// would run into them.
constexpr int32_t NAME_FONT = 1;
constexpr int32_t ROWS_X = 32;
constexpr int32_t ROWS_W = 576;
constexpr int32_t GROUP_X = 545;  // the aggregate's first figure starts past it too
constexpr int32_t NAME_GAP = 4;
constexpr int32_t AWAY_NAME_ROOM = ROWS_X + ROWS_W - NAME_GAP - AWAY_NAME_X;
constexpr int32_t AWAY_NAME_ROOM_BESIDE = GROUP_X - NAME_GAP - AWAY_NAME_X;

FixtureListState& S() { return FixtureList; }
int16_t Word(int32_t n) { return static_cast<int16_t>(n); }
int32_t Today() { return VTW_GetCurrentDay(); }
int32_t HumanClub() { return VTW_GetClubOfManager(MANAGER_HUMAN); }
int32_t Cup() { return (S().firstComp - COMP_CUP_BASE) / COMP_CUP_STRIDE; }

bool InChosenCompetition(int32_t row)
{
    const int32_t comp = VTW_GetFixtureCompetition(row);
    if (S().mode == FIXTURE_LIST_CUP) return comp >= S().firstComp && comp <= S().lastComp;
    return comp <= COMP_PLAYOFF_FINAL
           && VTW_FindDivisionOfTeam(VTW_GetFixtureHomeClub(row)) == S().division;
}

// The competition's rows and the days they fall on; empty rows (day 511) are never listed.
void ListCompetition()
{
    S().shownDay = Word(Today());
    S().count = 0;
    S().firstRow = 0;
    std::fill(std::begin(S().list), std::end(S().list), int16_t{-1});
    std::fill(std::begin(S().dayFlags), std::end(S().dayFlags), uint8_t{0});
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        const int32_t day = VTW_GetFixtureDay(row);
        if (day >= FIXTURE_LIST_DAYS || !InChosenCompetition(row)) continue;
        S().list[S().count++] = Word(row);
        S().dayFlags[day] = 1;
    }
}

// The first flagged day from the shown day on, else the last one before it; -1 when none.
int32_t DayToShow()
{
    for (int32_t day = S().shownDay; day < FIXTURE_LIST_DAYS; ++day) {
        if (S().dayFlags[day] != 0) return day;
    }
    for (int32_t day = S().shownDay - 1; day >= 0; --day) {
        if (S().dayFlags[day] != 0) return day;
    }
    return -1;
}

void ListShownDay()
{
    S().dayCount = 0;
    std::fill(std::begin(S().dayList), std::end(S().dayList), int16_t{-1});
    for (int32_t i = 0; i < S().count; ++i) {
        if (VTW_GetFixtureDay(S().list[i]) != S().shownDay) continue;
        if (S().dayCount == FIXTURE_LIST_DAY_MAX)
            FatalError("Caddock Has Not Allowed Enough Room In His Array. Sorry: M_MN12");
        S().dayList[S().dayCount++] = S().list[i];
    }
    // A day with fewer fixtures than the one before must not open scrolled past them.
    S().firstRow =
        Word(std::min<int32_t>(S().firstRow, std::max(S().dayCount - FIXTURE_LIST_ROWS, 0)));
}

void BlankRows()
{
    for (int32_t i = 0; i < FIXTURE_LIST_ROWS; ++i) {
        S().notes[i][0][0] = '\0';
        S().notes[i][1][0] = '\0';
        S().rows[i] = {S().notes[i][0],
                       S().notes[i][1],
                       0,
                       -1,
                       -1,
                       NAME_FONT,
                       FIXTURE_LIST_BLANK,
                       -1,
                       FIXTURE_LIST_BLANK,
                       -1,
                       FIXTURE_LIST_BLANK,
                       -1,
                       FIXTURE_LIST_BLANK};
    }
}

int16_t ClubName(int32_t club) { return Word(VTW_ClubNameTextNo(VTW_GetTeam(club))); }

// League mode: the club's place before the day is played. Cup mode: its division in a
// national cup, its country in a continental one.
void FormatNote(int32_t comp, int32_t club, char* out)
{
    int32_t text = -1;
    if (S().mode == FIXTURE_LIST_LEAGUE) {
        if (S().shownDay < Today()) return;
        int32_t totals[3];
        VTW_GetLeagueRowTotals(club, totals);
        text = TEXT_PLACE_BASE + totals[2];
    } else if (comp <= LAST_NATIONAL_CUP_COMP) {
        const int32_t division = VTW_FindDivisionOfTeam(club);
        if (division < 0) return;
        text = VTW_GetDivisionTextNo(division);
    } else {
        text = TEXT_COUNTRY_BASE + VTW_GetClubCountry(club);
    }
    std::snprintf(out, FIXTURE_LIST_NOTE_BYTES, "(%s)", GetMessageText(text));
    // "(Néerlandais)" is wider in our font than the room between the score and the name.
    SetMenuFont(NOTE_FONT);
    const char* fitted = FitMenuText(out, NOTE_ROOM);
    if (fitted != out) std::snprintf(out, FIXTURE_LIST_NOTE_BYTES, "%s", fitted);
}

// The nearest earlier row of the same cup with the clubs the other way round, -1 none.
int32_t FirstLegOf(int32_t row)
{
    for (int32_t earlier = row - 1; earlier >= 0; --earlier) {
        const int32_t comp = VTW_GetFixtureCompetition(earlier);
        if (comp >= S().firstComp && comp <= S().lastComp
            && VTW_GetFixtureHomeClub(earlier) == VTW_GetFixtureAwayClub(row)
            && VTW_GetFixtureAwayClub(earlier) == VTW_GetFixtureHomeClub(row))
            return earlier;
    }
    return -1;
}

// A return leg: the totals once it is played, before that the first leg's goals; blank without
// a played first leg.
void FillAggregate(FixtureListRow& shown, int32_t row)
{
    const int32_t first = FirstLegOf(row);
    if (first < 0 || Fixture_IsPlayed(first) == 0) return;
    int32_t home = VTW_GetFixtureAwayGoals(first);
    int32_t away = VTW_GetFixtureHomeGoals(first);
    if (Fixture_IsPlayed(row) != 0) {
        home += VTW_GetFixtureHomeGoals(row);
        away += VTW_GetFixtureAwayGoals(row);
    }
    shown.aggregateHome = Word(home);
    shown.aggregateSeparator = TEXT_DASH;
    shown.aggregateAway = Word(away);
}

void FillRow(int32_t i, int32_t row)
{
    FixtureListRow& shown = S().rows[i];
    const int32_t comp = VTW_GetFixtureCompetition(row);
    const int32_t home = VTW_GetFixtureHomeClub(row);
    const int32_t away = VTW_GetFixtureAwayClub(row);
    shown.homeName = ClubName(home);
    shown.awayName = ClubName(away);
    const int32_t human = HumanClub();
    shown.highlight = home == human || away == human ? FIXTURE_LIST_HIGHLIGHT : int16_t{0};
    FormatNote(comp, home, S().notes[i][0]);
    FormatNote(comp, away, S().notes[i][1]);
    if (comp == COMP_CHAMPIONS_GROUPS)
        shown.group = Word(VTW_GetTextNoFromTable(VTW_GetChampionsLeagueGroup(home)));
    if (S().shownDay < Today()) {
        shown.homeGoals = Word(VTW_GetFixtureHomeGoals(row));
        shown.separator = TEXT_DASH;
        shown.awayGoals = Word(VTW_GetFixtureAwayGoals(row));
    } else {
        shown.separator = TEXT_TO_PLAY;
    }
    int32_t name = -1, stage = -1, leg = -1;
    VTW_GetCompetitionTexts(comp, &name, &stage, &leg);
    if (leg == TEXT_SECOND_LEG) FillAggregate(shown, row);
    const bool beside = shown.group >= 0 || shown.aggregateSeparator >= 0;
    shown.awayFont =
        Word(FitMenuFont(GetMessageText(shown.awayName),
                         beside ? AWAY_NAME_ROOM_BESIDE : AWAY_NAME_ROOM, NAME_FONT, 0));
}

int32_t CompetitionName()
{
    return S().mode == FIXTURE_LIST_CUP ? VTW_GetCountryTextNo(Cup())
                                        : VTW_GetDivisionLongNameTextNo(S().division);
}

// The day's competition: its stage and leg in a cup (the group stage by its name alone), the
// play-off round in a division.
void FormatTitle(int32_t row)
{
    const int32_t comp = VTW_GetFixtureCompetition(row);
    const char* division = GetMessageText(CompetitionName());
    if (S().mode == FIXTURE_LIST_LEAGUE) {
        if (comp >= COMP_PLAYOFF_FIRST && comp <= COMP_PLAYOFF_FINAL)
            std::snprintf(S().title, sizeof S().title, "%s %s",
                          GetMessageText(TEXT_PLAYOFF_BASE + comp), division);
        else
            std::snprintf(S().title, sizeof S().title, "%s", division);
        return;
    }
    int32_t name = -1, stage = -1, leg = -1;
    VTW_GetCompetitionTexts(comp, &name, &stage, &leg);
    if (comp == COMP_CHAMPIONS_GROUPS)
        std::snprintf(S().title, sizeof S().title, "%s", GetMessageText(name));
    else
        std::snprintf(S().title, sizeof S().title, "%s %s %s", GetMessageText(name),
                      GetMessageText(stage), GetMessageText(leg));
}

void FormatDate(int32_t day)
{
    int32_t dayOfMonth = 0, month = 0, weekday = 0;
    VTW_SeasonDayToDate(day, &dayOfMonth, &month, &weekday);
    std::snprintf(S().date, sizeof S().date, "%s %02d/%02d", GetMessageText(TEXT_WEEKDAY + weekday),
                  dayOfMonth, month);
}

void FillTexts()
{
    const int32_t divisions = VTW_GetCountryDivisions();
    for (int32_t k = 0; k < DIVISION_MAX; ++k) {
        S().divisionTexts[k] = Word(k < divisions ? VTW_GetDivisionTextNo(k) : -1);
    }
    for (int32_t c = 0; c < FIXTURE_LIST_CUPS; ++c) {
        S().cupTexts[c] = Word(VTW_GetCountryTextNo(c));
    }
}

int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

int32_t ShowClub(int32_t club)
{
    GameState.currentClub = Word(club);
    MenuOption = MENU_OPTION_TO_SQUAD;
    return EXM_CODE_LEAVE;
}

int32_t DivisionEntry(MenuListEntry* entry)
{
    FixtureList_ChooseDivision(static_cast<int32_t>(entry - FixtureList_DivisionPopup() - 1));
    return LIST_CODE_REDRAW;
}

int32_t CupEntry(MenuListEntry* entry)
{
    FixtureList_ChooseCup(static_cast<int32_t>(entry - FixtureList_CupPopup() - 1));
    return LIST_CODE_REDRAW;
}

int32_t OptionEntry(MenuListEntry* entry)
{
    MenuOption = entry->spare[0];
    return LIST_CODE_LEAVE;
}

// Only the country's divisions and national cups are offered.
void PrepareDivisions(MenuListRecord*)
{
    MenuListEntry* popup = FixtureList_DivisionPopup();
    for (int32_t k = 0; k < DIVISION_MAX; ++k) {
        popup[1 + k].type = k < VTW_GetCountryDivisions() ? LIST_ENTRY_TEXT_NO_VAR : 0;
    }
}

void PrepareCups(MenuListRecord*)
{
    MenuListEntry* popup = FixtureList_CupPopup();
    for (int32_t c = 0; c < CUP_NATIONAL_MAX; ++c) {
        popup[1 + c].type = c < VTW_GetCountryCupCount() ? LIST_ENTRY_TEXT_NO_VAR : 0;
    }
}

}  // namespace

void FixtureListInit()
{
    FixtureList = {};
    BlankRows();
    S().titleText = S().title;
    S().dateText = S().date;
    S().message = -1;
}

void FixtureListUninit() { FixtureListInit(); }

void Init_M_MN12()
{
    if (EXM_GetRebuildFlag() != 0) {
        MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
        FillTexts();
        const int32_t human = HumanClub();
        S().division = Word(std::max(human >= 0 ? VTW_FindDivisionOfTeam(human) : 0, 0));
        S().mode = FIXTURE_LIST_LEAGUE;
        S().count = 0;
        S().firstRow = 0;
        S().refresh = true;
    }
    if (S().refresh) {
        S().refresh = false;
        ListCompetition();
    }
    BlankRows();
    S().date[0] = '\0';
    const int32_t day = DayToShow();
    if (day < 0) {
        S().dayCount = 0;
        S().message = FIXTURE_LIST_NO_FIXTURES;
        std::snprintf(S().title, sizeof S().title, "%s", GetMessageText(CompetitionName()));
        return;
    }
    S().shownDay = Word(day);
    S().message = -1;
    ListShownDay();
    for (int32_t i = 0; i < FIXTURE_LIST_ROWS && S().firstRow + i < S().dayCount; ++i) {
        FillRow(i, S().dayList[S().firstRow + i]);
    }
    FormatDate(day);
    FormatTitle(S().dayList[0]);
}

int32_t FixtureList_HomeClub(MenuHotspot* hotspot)
{
    const int32_t entry = S().firstRow + hotspot->row;
    if (entry >= S().dayCount) return EXM_CODE_NONE;
    return ShowClub(VTW_GetFixtureHomeClub(S().dayList[entry]));
}

int32_t FixtureList_AwayClub(MenuHotspot* hotspot)
{
    const int32_t entry = S().firstRow + hotspot->row;
    if (entry >= S().dayCount) return EXM_CODE_NONE;
    return ShowClub(VTW_GetFixtureAwayClub(S().dayList[entry]));
}

int32_t FixtureList_RowUp(MenuHotspot*)
{
    S().firstRow = Word(std::max(S().firstRow - 1, 0));
    return EXM_CODE_REDRAW;
}

int32_t FixtureList_RowDown(MenuHotspot*)
{
    int32_t first = S().firstRow + 1;
    if (first + FIXTURE_LIST_ROWS > S().dayCount)
        first = std::max(S().dayCount - FIXTURE_LIST_ROWS, 0);
    S().firstRow = Word(first);
    return EXM_CODE_REDRAW;
}

int32_t FixtureList_PreviousDay(MenuHotspot*)
{
    for (int32_t day = S().shownDay - 1; day >= 0; --day) {
        if (S().dayFlags[day] == 0) continue;
        S().shownDay = Word(day);
        break;
    }
    return EXM_CODE_REDRAW;
}

int32_t FixtureList_NextDay(MenuHotspot*)
{
    for (int32_t day = S().shownDay + 1; day < FIXTURE_LIST_DAYS; ++day) {
        if (S().dayFlags[day] == 0) continue;
        S().shownDay = Word(day);
        break;
    }
    return EXM_CODE_REDRAW;
}

int32_t FixtureList_Back(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

int32_t FixtureList_ChooseDivision(int32_t division)
{
    S().mode = FIXTURE_LIST_LEAGUE;
    S().division = Word(division);
    S().refresh = true;
    return EXM_CODE_REDRAW;
}

int32_t FixtureList_ChooseCup(int32_t cup)
{
    S().mode = FIXTURE_LIST_CUP;
    S().firstComp = Word(COMP_CUP_BASE + COMP_CUP_STRIDE * cup);
    S().lastComp = Word(S().firstComp + CUP_ROUNDS_SPAN);
    S().refresh = true;
    return EXM_CODE_REDRAW;
}

MenuListEntry* FixtureList_DivisionPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_DIVISIONS_BUTTON, PrepareDivisions),
        MenuList_EntryVar(&FixtureList.divisionTexts[0], DivisionEntry),
        MenuList_EntryVar(&FixtureList.divisionTexts[1], DivisionEntry),
        MenuList_EntryVar(&FixtureList.divisionTexts[2], DivisionEntry),
        MenuList_EntryVar(&FixtureList.divisionTexts[3], DivisionEntry),
        MenuList_EntryVar(&FixtureList.divisionTexts[4], DivisionEntry),
        MenuList_EntryVar(&FixtureList.divisionTexts[5], DivisionEntry),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* FixtureList_TablesPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_TABLES_BUTTON, nullptr),
        MenuList_Entry(TEXT_STANDINGS, OptionEntry, OPTION_STANDINGS),
        MenuList_EntryVar(&FixtureList.cupTexts[CUP_CHAMPIONS], OptionEntry,
                          OPTION_CHAMPIONS_GROUPS),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* FixtureList_CupPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_CUPS_BUTTON, PrepareCups),
        MenuList_EntryVar(&FixtureList.cupTexts[0], CupEntry),
        MenuList_EntryVar(&FixtureList.cupTexts[1], CupEntry),
        MenuList_EntryVar(&FixtureList.cupTexts[2], CupEntry),
        MenuList_EntryVar(&FixtureList.cupTexts[3], CupEntry),
        MenuList_EntryVar(&FixtureList.cupTexts[4], CupEntry),
        MenuList_EntryVar(&FixtureList.cupTexts[5], CupEntry),
        MenuList_EntryVar(&FixtureList.cupTexts[6], CupEntry),
        MenuList_End(),
    };
    return popup;
}

namespace {

// A round's title ("Coupe de la Ligue française Finale") would cover the badge or the date in the
// title font: it keeps to the header's room.
void DrawTitle(int32_t x, int32_t y, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderTitle(x, y, FixtureList.titleText);
}

}  // namespace

const MenuItem* FixtureList_Table()
{
    constexpr int16_t STRIDE = sizeof(FixtureListRow);
    const FixtureListRow* r = &FixtureList.rows[0];
    static const MenuItem row[] = {
        {0x24, ROWS_X, 0, ROWS_W, ROW_PITCH, MenuCallback(MenuCont_ShadedBox), nullptr},
        {0x31, 0, 0, 0, STRIDE, MenuVariable(&r->highlight), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(NAME_FONT), nullptr},
        {0x10, HOME_NAME_X, TEXT_Y, MENU_ALIGN_MR, STRIDE, MenuVariable(&r->homeName), nullptr},
        {0x16, 310, TEXT_Y, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(&r->homeGoals), nullptr},
        {0x10, 320, TEXT_Y, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(&r->separator), nullptr},
        {0x16, 330, TEXT_Y, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(&r->awayGoals), nullptr},
        {0x0e, 0, 0, 0, STRIDE, MenuVariable(&r->awayFont), nullptr},
        {0x10, AWAY_NAME_X, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->awayName), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x12, HOME_NOTE_X, TEXT_Y, MENU_ALIGN_MR, STRIDE, MenuVariable(&r->homeNote), nullptr},
        {0x12, AWAY_NOTE_X, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->awayNote), nullptr},
        {0x10, GROUP_X, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->group), nullptr},
        {0x16, 550, TEXT_Y, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(&r->aggregateHome), nullptr},
        {0x10, 558, TEXT_Y, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(&r->aggregateSeparator),
         nullptr},
        {0x16, 566, TEXT_Y, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(&r->aggregateAway), nullptr},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x1f, 32, 0, 288, ROW_PITCH, MenuNumber(-1), FixtureList_HomeClub},
        {0x1f, 320, 0, 288, ROW_PITCH, MenuNumber(-1), FixtureList_AwayClub},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Init_M_MN12), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(BACKGROUND), nullptr},
        {0x03, 24, 430, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_ARROWS), nullptr},
        {0x03, 305, 390, MENU_ALIGN_TL, 0, MenuNumber(DAY_ARROWS_ICON), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 320, 36, 0, 0, MenuCallback(DrawTitle), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x10, 320, 240, MENU_ALIGN_CENTRE, 0, MenuVariable(&FixtureList.message), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x12, 320, 64, MENU_ALIGN_CENTRE, 0, MenuVariable(&FixtureList.dateText), nullptr},
        {0x21, 0, ROWS_Y, FIXTURE_LIST_ROWS, ROW_PITCH, MenuAddress(row), nullptr},
        {0x1f, 30, 436, 30, 15, MenuNumber(-1), FixtureList_RowUp},
        {0x1f, 30, 456, 30, 15, MenuNumber(-1), FixtureList_RowDown},
        {0x1f, 305, 395, 15, 30, MenuNumber(-1), FixtureList_PreviousDay},
        {0x1f, 320, 395, 15, 30, MenuNumber(-1), FixtureList_NextDay},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), FixtureList_Back},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 74, 440, 160, 30, MenuTextNo(TEXT_DIVISIONS_BUTTON), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(FixtureList_DivisionPopup()), nullptr},
        {0x200c, 236, 440, 160, 30, MenuTextNo(TEXT_TABLES_BUTTON), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(FixtureList_TablesPopup()), nullptr},
        {0x200c, 398, 440, 160, 30, MenuTextNo(TEXT_CUPS_BUTTON), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(FixtureList_CupPopup()), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
