// menus/clubcalendar.cpp: the club calendar screen and its developer switch.
#include "menus/clubcalendar.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/joboffer.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

ClubCalendarState ClubCalendar;

namespace {

constexpr int16_t OPTION_JOB_OFFER = 6;
constexpr int16_t OPTION_STANDINGS = 9;
constexpr int16_t OPTION_FIRST_DEVELOPER = 63;
constexpr int32_t TEXT_CALENDAR = 294;
constexpr int32_t TEXT_STANDINGS = 1207;
constexpr int32_t TEXT_SHORT_WEEKDAY = 21;
constexpr int32_t TEXT_HOME = 102;
constexpr int32_t TEXT_AWAY = 103;
constexpr int32_t TEXT_NEUTRAL = 1498;
constexpr int32_t TEXT_DASH = 125;
constexpr int32_t TEXT_TO_PLAY = 152;
constexpr int32_t BACKGROUND = 0;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t ROW_WIDTH = 576;
constexpr int32_t TEXT_Y = ROW_PITCH / 2;
constexpr int32_t ROW_FONT = 1;
constexpr int16_t OPPONENT_X = 175;
constexpr int32_t COMPETITION_X = 340;
constexpr int32_t ITEM_GAP = 5;  // between a column's text and the next column
constexpr int32_t OPPONENT_ROOM = COMPETITION_X - ITEM_GAP - OPPONENT_X;
constexpr int32_t COMPETITION_ROOM = ROW_WIDTH - COMPETITION_X - 6;

constexpr CalendarSwitchArea kSwitchSequence[] = {CALENDAR_SWITCH_CLUB, CALENDAR_SWITCH_TITLE,
                                                  CALENDAR_SWITCH_DATE, CALENDAR_SWITCH_TITLE};
constexpr int32_t SWITCH_STEPS = static_cast<int32_t>(std::size(kSwitchSequence));
constexpr uint32_t RIGHT_BUTTON = 2;

const MenuItem* StandingsButton();
const MenuItem* NoButton();

int32_t Club() { return GameState.currentClub; }

int32_t OtherClub(int32_t row)
{
    const int32_t home = VTW_GetFixtureHomeClub(row);
    return home == Club() ? VTW_GetFixtureAwayClub(row) : home;
}

bool Listed(int32_t row)
{
    const int32_t home = VTW_GetFixtureHomeClub(row);
    const int32_t away = VTW_GetFixtureAwayClub(row);
    return VTW_GetFixtureDay(row) < FIXTURE_DAY_LIMIT && (home == Club() || away == Club())
           && home != away && VTW_GetFixtureCompetition(row) != COMP_INTERNATIONAL;
}

// The club's fixtures, and the list opened with the next one in the eighth row once more than
// eight lie in the past.
void ListFixtures()
{
    ClubCalendar.count = 0;
    ClubCalendar.first = 0;
    std::fill(std::begin(ClubCalendar.list), std::end(ClubCalendar.list), int16_t{-1});
    const int32_t today = VTW_GetCurrentDay();
    int32_t past = 0;
    int32_t next = -1;
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        if (!Listed(row)) continue;
        if (VTW_GetFixtureDay(row) < today)
            ++past;
        else if (next < 0)
            next = ClubCalendar.count;
        ClubCalendar.list[ClubCalendar.count++] = static_cast<int16_t>(row);
    }
    if (past > CALENDAR_NEXT_ROW + 1 && next >= 0)
        ClubCalendar.first = static_cast<int16_t>(next - CALENDAR_NEXT_ROW);
}

void FormatDate(int32_t day, char* out)
{
    int32_t dayOfMonth = 0, month = 0, weekday = 0;
    VTW_SeasonDayToDate(day, &dayOfMonth, &month, &weekday);
    std::snprintf(out, CALENDAR_DATE_BYTES, "%s %02d/%02d",
                  GetMessageText(TEXT_SHORT_WEEKDAY + weekday), dayOfMonth, month);
}

// The competition's name, stage and leg; a continental round ("Coupe des Vainqueurs de Coupe 1er
// tour Aller") takes the smaller font, and is cut short at the row's end only when even that is
// too wide. The font it takes.
int16_t FormatCompetition(int32_t comp, char* out)
{
    if (comp == COMP_LEAGUE) return ROW_FONT;
    int32_t name = -1, stage = -1, leg = -1;
    VTW_GetCompetitionTexts(comp, &name, &stage, &leg);
    // The group stage's rows name the club's own group in place of the stage.
    if (comp == COMP_CHAMPIONS_GROUPS)
        stage = VTW_GetTextNoFromTable(VTW_GetChampionsLeagueGroup(Club()));
    std::snprintf(out, CALENDAR_COMPETITION_BYTES, "%s %s %s", GetMessageText(name),
                  GetMessageText(stage), GetMessageText(leg));
    return static_cast<int16_t>(
        FitMenuTextInPlace(out, CALENDAR_COMPETITION_BYTES, COMPETITION_ROOM, ROW_FONT, 0));
}

void FillRow(int32_t i, int32_t row)
{
    ClubCalendarRow& shown = ClubCalendar.rows[i];
    const bool home = VTW_GetFixtureHomeClub(row) == Club();
    FormatDate(VTW_GetFixtureDay(row), ClubCalendar.dates[i]);
    shown.competitionFont =
        FormatCompetition(VTW_GetFixtureCompetition(row), ClubCalendar.competitions[i]);
    if (VTW_GetFixtureNeutralFlag(row) != 0)
        shown.venue = TEXT_NEUTRAL;
    else
        shown.venue = home ? TEXT_HOME : TEXT_AWAY;
    shown.opponent = static_cast<int16_t>(VTW_ClubNameTextNo(VTW_GetTeam(OtherClub(row))));
    shown.opponentFont = static_cast<int16_t>(
        FitMenuFont(GetMessageText(shown.opponent), OPPONENT_ROOM, ROW_FONT, 0));
    if (VTW_GetFixtureDay(row) >= VTW_GetCurrentDay()) {
        shown.separator = TEXT_TO_PLAY;
        return;
    }
    const auto homeGoals = static_cast<int16_t>(VTW_GetFixtureHomeGoals(row));
    const auto awayGoals = static_cast<int16_t>(VTW_GetFixtureAwayGoals(row));
    shown.clubGoals = home ? homeGoals : awayGoals;
    shown.opponentGoals = home ? awayGoals : homeGoals;
    shown.separator = TEXT_DASH;
}

void FillRows()
{
    for (int32_t i = 0; i < CALENDAR_ROWS; ++i) {
        ClubCalendar.dates[i][0] = '\0';
        ClubCalendar.competitions[i][0] = '\0';
        ClubCalendar.rows[i] = {ClubCalendar.dates[i],
                                ClubCalendar.competitions[i],
                                -1,
                                CALENDAR_NO_GOALS,
                                -1,
                                CALENDAR_NO_GOALS,
                                -1,
                                ROW_FONT,
                                ROW_FONT};
        const int32_t entry = ClubCalendar.first + i;
        if (entry < ClubCalendar.count) FillRow(i, ClubCalendar.list[entry]);
    }
}

void Init_Calendar() { ClubCalendar_Build(EXM_GetRebuildFlag() != 0); }

int32_t Restart(int32_t code)
{
    ClubCalendar.switchProgress = 0;
    return code;
}

}  // namespace

void ClubCalendarInit() { ClubCalendar = {}; }

void ClubCalendarUninit() { ClubCalendarInit(); }

void ClubCalendar_Build(bool entering)
{
    if (entering) {
        ClubCalendar.standingsButton = JobOfferViewFlag != 0 ? NoButton() : StandingsButton();
        // While a job is offered, the menu bar may not lead away from the offer.
        MenuCont_FormatTitle(JobOfferViewFlag != 0 ? HEADER_CLUB | HEADER_DATE | HEADER_RESTRICTED
                                                   : HEADER_CLUB | HEADER_DATE);
        ListFixtures();
        ClubCalendar.title = static_cast<int16_t>(VTW_ClubNameTextNo(VTW_GetTeam(Club())));
    }
    FillRows();
}

bool ClubCalendar_SkipsToDeveloper()
{
    const int32_t from = FrontEnd_CameFrom();
    if (!ClubCalendar.developerOn
        || (from >= OPTION_FIRST_DEVELOPER && from <= CALENDAR_DEVELOPER_OPTION))
        return false;
    MenuOption = CALENDAR_DEVELOPER_OPTION;
    return true;
}

int32_t ClubCalendar_Row(MenuHotspot* hotspot)
{
    ClubCalendar.switchProgress = 0;
    const int32_t entry = ClubCalendar.first + hotspot->row;
    if (JobOfferViewFlag != 0 || entry >= ClubCalendar.count) return EXM_CODE_NONE;
    GameState.currentClub = static_cast<int16_t>(OtherClub(ClubCalendar.list[entry]));
    MenuOption = MENU_OPTION_TO_SQUAD;
    return EXM_CODE_LEAVE;
}

int32_t ClubCalendar_PageUp(MenuHotspot*)
{
    ClubCalendar.first = static_cast<int16_t>(std::max(ClubCalendar.first - CALENDAR_PAGE, 0));
    return Restart(EXM_CODE_REDRAW);
}

int32_t ClubCalendar_PageDown(MenuHotspot*)
{
    const int32_t last = ClubCalendar.count - CALENDAR_ROWS;
    const int32_t first = std::min(ClubCalendar.first + CALENDAR_PAGE, last);
    ClubCalendar.first = static_cast<int16_t>(std::max(first, 0));
    return Restart(EXM_CODE_REDRAW);
}

int32_t ClubCalendar_Back(MenuHotspot*)
{
    MenuOption = JobOfferViewFlag != 0 ? OPTION_JOB_OFFER : MENU_OPTION_OFFICE;
    return Restart(EXM_CODE_LEAVE);
}

int32_t ClubCalendar_Standings(MenuHotspot*)
{
    MenuOption = OPTION_STANDINGS;
    return Restart(EXM_CODE_LEAVE);
}

int32_t ClubCalendar_Switch(MenuHotspot* hotspot)
{
    const auto area = static_cast<int32_t>(hotspot->value);
    if ((EXM_GetClickState() & RIGHT_BUTTON) == 0) return Restart(EXM_CODE_NONE);
    if (area != kSwitchSequence[ClubCalendar.switchProgress]) {
        // A wrong click may still be the first of a new try.
        ClubCalendar.switchProgress = area == kSwitchSequence[0] ? 1 : 0;
        return EXM_CODE_NONE;
    }
    if (++ClubCalendar.switchProgress < SWITCH_STEPS) return EXM_CODE_NONE;
    ClubCalendar.developerOn = true;
    MenuOption = CALENDAR_DEVELOPER_OPTION;
    return Restart(EXM_CODE_LEAVE);
}

int32_t ClubCalendar_OtherClick(MenuHotspot*) { return Restart(EXM_CODE_NONE); }

namespace {

const MenuItem* StandingsButton()
{
    static const MenuItem table[] = {
        {0x200c, 74, 440, 492, 30, MenuTextNo(TEXT_STANDINGS), ClubCalendar_Standings},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

const MenuItem* NoButton()
{
    static const MenuItem table[] = {MenuEndItem(nullptr, nullptr)};
    return table;
}

// The club's name left of the title, in the header's room.
void DrawHeaderName(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderName(GetMessageText(ClubCalendar.title), TEXT_CALENDAR, 340,
                            MENU_ALIGN_CENTRE);
}

}  // namespace

const MenuItem* ClubCalendar_Table()
{
    constexpr int16_t STRIDE = sizeof(ClubCalendarRow);
    const ClubCalendarRow* r = &ClubCalendar.rows[0];
    static const MenuItem row[] = {
        {0x24, 0, 0, ROW_WIDTH, ROW_PITCH, MenuCallback(MenuCont_ShadedBox), nullptr},
        // The date in the figures' font, narrow enough to end before the venue.
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x12, 6, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->date), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x10, 89, TEXT_Y, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(&r->venue), nullptr},
        {0x16, 134, TEXT_Y, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(&r->clubGoals), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x10, 144, TEXT_Y, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(&r->separator), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x16, 154, TEXT_Y, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(&r->opponentGoals), nullptr},
        {0x0e, 0, 0, 0, STRIDE, MenuVariable(&r->opponentFont), nullptr},
        {0x10, OPPONENT_X, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->opponent), nullptr},
        {0x0e, 0, 0, 0, STRIDE, MenuVariable(&r->competitionFont), nullptr},
        {0x12, COMPETITION_X, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->competition),
         nullptr},
        {0x1f, 0, 0, ROW_WIDTH, ROW_PITCH, MenuNumber(-1), ClubCalendar_Row},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Init_Calendar), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(BACKGROUND), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 80, 36, 0, 0, MenuCallback(DrawHeaderName), nullptr},
        {0x0f, 340, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_CALENDAR), nullptr},
        // The developer switch's areas stand before the header, whose own areas they overlap.
        {0x1f, 24, 24, 112, 24, MenuNumber(CALENDAR_SWITCH_CLUB), ClubCalendar_Switch},
        {0x1f, 280, 24, 120, 24, MenuNumber(CALENDAR_SWITCH_TITLE), ClubCalendar_Switch},
        {0x1f, 560, 22, 80, 26, MenuNumber(CALENDAR_SWITCH_DATE), ClubCalendar_Switch},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x21, 32, 80, CALENDAR_ROWS, ROW_PITCH, MenuAddress(row), nullptr},
        {0x03, 24, 430, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_ARROWS), nullptr},
        {0x1f, 30, 436, 30, 15, MenuNumber(-1), ClubCalendar_PageUp},
        {0x1f, 30, 456, 30, 15, MenuNumber(-1), ClubCalendar_PageDown},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), ClubCalendar_Back},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x22, 0, 0, 1, 0, MenuVariable(&ClubCalendar.standingsButton), nullptr},
        {0x1f, 0, 0, 640, 480, MenuNumber(-1), ClubCalendar_OtherClick},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
