// menus/devsoak.cpp: "Fixtures/Soak", the unattended run's target and the fixed score.
#include "menus/devsoak.h"

#include <algorithm>
#include <cstdio>

#include "engine/script.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/season.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/devscreens.h"
#include "menus/exm.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"

DevSoakTarget DevSoak;

namespace {

constexpr int32_t AUGUST = 7;
constexpr int32_t TEXT_MONTH_FIRST = 9;  // "Janvier"
constexpr int32_t TEXT_HOME = 102;       // "D"
constexpr int32_t TEXT_AWAY = 103;       // "E"
constexpr int32_t TEXT_UNPLAYED = 152;   // "C"
constexpr int32_t DEV_SOAK_UNTIL = 33, DEV_SOAK_MATCH_DAY = 34, DEV_SOAK_CUP = 35;
constexpr int32_t DEV_SOAK_FOR = 36, DEV_WEEK = 37, DEV_MATCH = 39;  // each plural follows
constexpr int32_t DEV_FIXING_ON = 41, DEV_FIXING_OFF = 42;

constexpr int32_t COLOUR_NORMAL = 0;
constexpr int32_t COLOUR_HIGHLIGHT = 1;
constexpr int32_t COLOUR_GREYED = 10;

constexpr int32_t LIST_Y = 40;
constexpr int32_t LIST_PITCH = 16;
constexpr int32_t TARGET_Y = 170;
constexpr int32_t TARGET_PITCH = 30;
constexpr int32_t VALUE_X = 300;
constexpr int32_t FIXING_Y = 330;
constexpr int32_t FIXING_RIGHT = 200;  // the fixing button's right end
constexpr int32_t ITEM_GAP = 5;        // between a name and the next item
constexpr int32_t FIXED_X = 420;       // the fixed away score; the home score 40 left of it
constexpr int32_t ROW_RIGHT = 615;     // the names' room ends inside the screen's frame
constexpr int32_t VALUE_W = 40;
constexpr int32_t ROW_H = 22;

struct Date {
    int32_t day;    // 1-31
    int32_t month;  // 0-11
    int32_t year;
};

// Days since 1 January of the game's first year.
int32_t AbsoluteDay(const Date& date)
{
    int32_t days = date.day - 1;
    for (int32_t year = GAME_FIRST_YEAR; year < date.year; ++year)
        days += VTW_DaysInYear(year);
    for (int32_t month = 0; month < date.month; ++month)
        days += Calendar_MonthDays(month, date.year);
    return days;
}

Date DateOfAbsolute(int32_t days)
{
    Date date{1, 0, GAME_FIRST_YEAR};
    for (; days >= VTW_DaysInYear(date.year); ++date.year)
        days -= VTW_DaysInYear(date.year);
    for (; days >= Calendar_MonthDays(date.month, date.year); ++date.month)
        days -= Calendar_MonthDays(date.month, date.year);
    date.day = days + 1;
    return date;
}

int32_t Today() { return AbsoluteDay({GameState.dayOfMonth, GameState.month, GameState.year}); }
int32_t SeasonStart(int32_t season) { return AbsoluteDay({1, AUGUST, GAME_FIRST_YEAR + season}); }
int32_t Target() { return AbsoluteDay({DevSoak.day, DevSoak.month, DevSoak.year}); }
int32_t FixtureDay(int32_t row)
{
    return SeasonStart(GameState.seasonCounter) + VTW_GetFixtureDay(row);
}

bool IsHumans(int32_t row)
{
    const int32_t club = GameState.humanClub;
    return club >= 0
           && (VTW_GetFixtureHomeClub(row) == club || VTW_GetFixtureAwayClub(row) == club);
}

bool IsCup(int32_t row) { return VTW_GetCupIndexOfComp(VTW_GetFixtureCompetition(row)) >= 0; }

// Hands the human club's fixtures dated `fromDay` (absolute) or later to `visit`, in date order,
// among cup ties only when asked, until it answers false.
template <typename Visit>
void VisitHumanFixtures(int32_t fromDay, bool cupOnly, Visit visit)
{
    if (GameState.humanClub < 0) return;
    const int32_t seasonDay = std::max(fromDay - SeasonStart(GameState.seasonCounter), 0);
    for (int32_t row = Fixture_FirstRowOfDay(seasonDay); row < Fixture_RowCount(); ++row) {
        if (IsHumans(row) && (!cupOnly || IsCup(row)) && !visit(row)) return;
    }
}

// The n-th of them (from 1); -1 when there are fewer.
int32_t NthFixture(int32_t n, int32_t fromDay, bool cupOnly)
{
    int32_t found = -1;
    VisitHumanFixtures(fromDay, cupOnly, [&](int32_t row) {
        if (--n == 0) found = row;
        return n > 0;
    });
    return found;
}

int32_t CountFixtures(int32_t fromDay, int32_t toDay, bool cupOnly)
{
    int32_t count = 0;
    VisitHumanFixtures(fromDay, cupOnly, [&](int32_t row) {
        if (FixtureDay(row) > toDay) return false;
        ++count;
        return true;
    });
    return count;
}

// The target moved to an absolute day, of the given kind; the counters follow it.
int32_t MoveTarget(int32_t day, int16_t kind)
{
    const Date date = DateOfAbsolute(day);
    DevSoak.kind = kind;
    DevSoak.day = static_cast<int16_t>(date.day);
    DevSoak.month = static_cast<int16_t>(date.month);
    DevSoak.year = static_cast<int16_t>(date.year);
    const int32_t today = Today();
    DevSoak.weeks = static_cast<int16_t>(std::max(day - today, 0) / 7);
    DevSoak.matches = static_cast<int16_t>(CountFixtures(today, day, false));
    if (kind != SOAK_MATCH_DAY && kind != SOAK_CUP_MATCH) DevSoak.fixture = -1;
    return EXM_CODE_REDRAW;
}

int32_t ToFixture(int32_t row, int16_t kind)
{
    if (row < 0) return EXM_CODE_NONE;
    DevSoak.fixture = static_cast<int16_t>(row);
    return MoveTarget(FixtureDay(row), kind);
}

int16_t Cycle(int16_t value, bool up)
{
    if (value < 0) return 0;
    return static_cast<int16_t>((value + (up ? 1 : 2)) % 3);
}

// ---- Drawing.

int32_t RowColour(int16_t kind)
{
    if (AutoRunMode == 0) return COLOUR_GREYED;
    return DevSoak.kind == kind ? COLOUR_HIGHLIGHT : COLOUR_NORMAL;
}

const char* ClubName(int32_t club) { return VTW_FormatClubName(VTW_GetTeam(club)); }

void DrawFixtureRow(int32_t k, int32_t row)
{
    const int32_t human = GameState.humanClub;
    const int32_t y = LIST_Y + k * LIST_PITCH;
    const Date date = DateOfAbsolute(FixtureDay(row));
    char text[3 * 12];  // room for any three numbers, so the date is never cut
    std::snprintf(text, sizeof text, "%02d/%02d/%d", date.day, date.month + 1, date.year);
    DrawMenuString(40, y, text, MENU_ALIGN_TL);
    int32_t name = -1, stage = -1, leg = -1;
    VTW_GetCompetitionTexts(VTW_GetFixtureCompetition(row), &name, &stage, &leg);
    DrawMenuMessage(140, y, name, MENU_ALIGN_TL);
    const bool home = VTW_GetFixtureHomeClub(row) == human;
    DrawMenuMessage(380, y, home ? TEXT_HOME : TEXT_AWAY, MENU_ALIGN_TL);
    DrawMenuString(400, y,
                   ClubName(home ? VTW_GetFixtureAwayClub(row) : VTW_GetFixtureHomeClub(row)),
                   MENU_ALIGN_TL);
    if (!Fixture_IsPlayed(row)) DrawMenuMessage(600, y, TEXT_UNPLAYED, MENU_ALIGN_TL);
}

void DrawFixtureList()
{
    int32_t k = 0;
    VisitHumanFixtures(Today(), false, [&](int32_t row) {
        DrawFixtureRow(k++, row);
        return k < DEV_SOAK_FIXTURE_ROWS;
    });
}

int32_t DateClick(MenuHotspot* h)
{
    return DevSoak_StepDate(static_cast<int32_t>(h->value), DevScreens_StepsUp());
}
int32_t MatchDayClick(MenuHotspot*) { return DevSoak_ToMatchDay(); }
int32_t CupClick(MenuHotspot*) { return DevSoak_StepCupMatches(DevScreens_StepsUp()); }
int32_t WeeksClick(MenuHotspot*) { return DevSoak_StepWeeks(DevScreens_StepsUp()); }
int32_t MatchesClick(MenuHotspot*) { return DevSoak_StepMatches(DevScreens_StepsUp()); }
int32_t FixedClick(MenuHotspot* h)
{
    return DevSoak_StepFixed(h->value != 0, DevScreens_StepsUp());
}
int32_t FixingClick(MenuHotspot*) { return DevSoak_ToggleFixing(); }

void AddHotspot(int32_t x, int32_t y, int32_t w, std::intptr_t value, ClickFn click)
{
    EXM_AddHotspot(x, y - 4, w, ROW_H, -1, MENU_ALIGN_TL, -1, 0, 0, value, click, 0, 0);
}

void DrawNumber(int32_t x, int32_t y, int32_t value)
{
    DrawMenuString(x, y, Number2Str(value), MENU_ALIGN_TL);
}

// "Soak for" N "week"/"weeks" or "match"/"matches": the plural text follows the singular.
void DrawCountRow(int32_t y, int16_t kind, int32_t count, int32_t singular, ClickFn click)
{
    SetDrawAttribute(1, RowColour(kind));
    DrawMenuString(40, y, DevText(DEV_SOAK_FOR), MENU_ALIGN_TL);
    DrawNumber(VALUE_X, y, count);
    DrawMenuString(VALUE_X + 50, y, DevText(count == 1 ? singular : singular + 1), MENU_ALIGN_TL);
    AddHotspot(VALUE_X, y, 160, 0, click);
}

void DrawTargetRows()
{
    const int32_t y0 = TARGET_Y;
    SetDrawAttribute(1, RowColour(SOAK_UNTIL));
    DrawMenuString(40, y0, DevText(DEV_SOAK_UNTIL), MENU_ALIGN_TL);
    DrawNumber(VALUE_X, y0, DevSoak.day);
    DrawMenuMessage(VALUE_X + 50, y0, TEXT_MONTH_FIRST + DevSoak.month, MENU_ALIGN_TL);
    DrawNumber(VALUE_X + 180, y0, DevSoak.year);
    AddHotspot(VALUE_X, y0, VALUE_W, SOAK_FIELD_DAY, DateClick);
    AddHotspot(VALUE_X + 50, y0, 120, SOAK_FIELD_MONTH, DateClick);
    AddHotspot(VALUE_X + 180, y0, 60, SOAK_FIELD_YEAR, DateClick);

    const int32_t y1 = y0 + TARGET_PITCH;
    SetDrawAttribute(1, RowColour(SOAK_MATCH_DAY));
    DrawMenuString(40, y1, DevText(DEV_SOAK_MATCH_DAY), MENU_ALIGN_TL);
    if (DevSoak.kind == SOAK_MATCH_DAY && DevSoak.fixture >= 0) {
        DrawMenuStringInRoom(VALUE_X, y1, ClubName(VTW_GetFixtureHomeClub(DevSoak.fixture)),
                             MENU_ALIGN_TL, 150 - ITEM_GAP, 1, 0);
        SetMenuFont(1);
        DrawMenuMessage(VALUE_X + 150, y1, TEXT_UNPLAYED, MENU_ALIGN_TL);
        DrawMenuStringInRoom(VALUE_X + 170, y1, ClubName(VTW_GetFixtureAwayClub(DevSoak.fixture)),
                             MENU_ALIGN_TL, ROW_RIGHT - VALUE_X - 170, 1, 0);
        SetMenuFont(1);
    }
    AddHotspot(40, y1, 560, 0, MatchDayClick);

    const int32_t y2 = y1 + TARGET_PITCH;
    SetDrawAttribute(1, RowColour(SOAK_CUP_MATCH));
    DrawMenuString(40, y2, DevText(DEV_SOAK_CUP), MENU_ALIGN_TL);
    if (DevSoak.kind == SOAK_CUP_MATCH && DevSoak.fixture >= 0) {
        int32_t name = -1, stage = -1, leg = -1;
        VTW_GetCompetitionTexts(VTW_GetFixtureCompetition(DevSoak.fixture), &name, &stage, &leg);
        DrawMenuStringInRoom(VALUE_X, y2, GetMessageText(name), MENU_ALIGN_TL, 260 - ITEM_GAP, 1,
                             0);
        SetMenuFont(1);
        DrawNumber(VALUE_X + 260, y2, DevSoak.cupMatches);
    }
    AddHotspot(40, y2, 560, 0, CupClick);

    DrawCountRow(y2 + TARGET_PITCH, SOAK_WEEKS, DevSoak.weeks, DEV_WEEK, WeeksClick);
    DrawCountRow(y2 + 2 * TARGET_PITCH, SOAK_MATCHES, DevSoak.matches, DEV_MATCH, MatchesClick);
    SetDrawAttribute(1, COLOUR_NORMAL);
}

void DrawFixing()
{
    const int32_t y = FIXING_Y;
    DoButton(40, y - 4, FIXING_RIGHT - 40, ROW_H);
    DrawMenuString(120, y - 4 + ROW_H / 2,
                   DevText(FixedScore.on != 0 ? DEV_FIXING_ON : DEV_FIXING_OFF), MENU_ALIGN_CENTRE);
    AddHotspot(40, y, 160, 0, FixingClick);
    const int32_t row = NthFixture(1, Today(), false);
    if (row < 0) return;
    // The two names share the row right of the button, either side of the scores.
    const int32_t homeRight = FIXED_X - 60, awayLeft = FIXED_X + 40;
    DrawMenuStringInRoom(homeRight, y, ClubName(VTW_GetFixtureHomeClub(row)), MENU_ALIGN_TR,
                         homeRight - FIXING_RIGHT - ITEM_GAP, 1, 0);
    SetMenuFont(1);
    if (FixedScore.home >= 0) DrawNumber(FIXED_X - 40, y, FixedScore.home);
    if (FixedScore.away >= 0) DrawNumber(FIXED_X, y, FixedScore.away);
    DrawMenuStringInRoom(awayLeft, y, ClubName(VTW_GetFixtureAwayClub(row)), MENU_ALIGN_TL,
                         ROW_RIGHT - awayLeft, 1, 0);
    SetMenuFont(1);
    AddHotspot(FIXED_X - 40, y, 30, 0, FixedClick);
    AddHotspot(FIXED_X, y, 30, 1, FixedClick);
}

void DrawSoak(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    if (GameState.humanClub >= 0) DrawFixtureList();
    SetMenuFont(1);
    DrawTargetRows();
    if (GameState.humanClub >= 0) DrawFixing();
}

}  // namespace

void DevSoakInit()
{
    DevSoak = {};
    DevSoak.year = -1;
    DevSoak.cupMatches = 1;
    DevSoak.fixture = -1;
}

void DevSoakUninit() { DevSoakInit(); }

void DevSoak_Init()
{
    if (EXM_GetRebuildFlag() == 0) return;
    DevScreens_Enter();
    if (DevSoak.year < 0) MoveTarget(Today() + DEV_SOAK_FIRST_DAYS, SOAK_UNTIL);
    if (FixedScore.on == 0) FixedScore_Set(0, -1, -1);
}

int32_t DevSoak_StepDate(int32_t field, bool up)
{
    Date date{DevSoak.day, DevSoak.month, DevSoak.year};
    const int32_t step = up ? 1 : -1;
    if (field == SOAK_FIELD_DAY) {
        const int32_t days = Calendar_MonthDays(date.month, date.year);
        date.day = (date.day - 1 + step + days) % days + 1;
    } else if (field == SOAK_FIELD_MONTH) {
        date.month = (date.month + step + 12) % 12;
    } else {
        date.year = std::max(date.year + step, static_cast<int32_t>(GameState.year));
    }
    date.day = std::min(date.day, Calendar_MonthDays(date.month, date.year));
    return MoveTarget(AbsoluteDay(date), SOAK_UNTIL);
}

int32_t DevSoak_StepWeeks(bool up)
{
    const int32_t day = Target() + (up ? 7 : -7);
    return MoveTarget(std::max(day, Today() + 7), SOAK_WEEKS);
}

int32_t DevSoak_StepMatches(bool up)
{
    const int32_t left = CountFixtures(Today(), INT32_MAX, false);
    if (left == 0) return EXM_CODE_NONE;
    const int32_t n = std::clamp(DevSoak.matches + (up ? 1 : -1), 1, left);
    return ToFixture(NthFixture(n, Today(), false), SOAK_MATCHES);
}

int32_t DevSoak_StepCupMatches(bool up)
{
    const int32_t from = Today() + DEV_SOAK_FIRST_DAYS;
    const int32_t left = CountFixtures(from, INT32_MAX, true);
    if (left == 0) return EXM_CODE_NONE;
    const int32_t n = DevSoak.kind != SOAK_CUP_MATCH ? 1 : DevSoak.cupMatches + (up ? 1 : -1);
    DevSoak.cupMatches = static_cast<int16_t>(std::clamp(n, 1, left));
    return ToFixture(NthFixture(DevSoak.cupMatches, from, true), SOAK_CUP_MATCH);
}

int32_t DevSoak_ToMatchDay()
{
    return ToFixture(NthFixture(1, Today() + DEV_SOAK_FIRST_DAYS, false), SOAK_MATCH_DAY);
}

int32_t DevSoak_StepFixed(bool away, bool up)
{
    const FixedScoreRecord s = FixedScore;
    const int16_t home = away ? std::max<int16_t>(s.home, 0) : Cycle(s.home, up);
    const int16_t other = away ? Cycle(s.away, up) : std::max<int16_t>(s.away, 0);
    FixedScore_Set(1, home, other);
    return EXM_CODE_REDRAW;
}

int32_t DevSoak_ToggleFixing()
{
    const FixedScoreRecord s = FixedScore;
    if (s.on != 0) {
        FixedScore_Set(0, -1, -1);
    } else {
        FixedScore_Set(1, std::max<int16_t>(s.home, 0), std::max<int16_t>(s.away, 0));
    }
    return EXM_CODE_REDRAW;
}

int32_t DevSoak_TargetSeason()
{
    return DevSoak.year - GAME_FIRST_YEAR - (DevSoak.month < AUGUST ? 1 : 0);
}

int32_t DevSoak_TargetSeasonDay() { return Target() - SeasonStart(DevSoak_TargetSeason()); }

void DevSoak_Commit()
{
    if (FixedScore.on == 0) FixedScore_Set(0, -1, -1);
    if (AutoRunMode == 0 || DevSoak.year < 0) return;
    AutoRunTarget.stopSeason = static_cast<int16_t>(DevSoak_TargetSeason());
    AutoRunTarget.stopDay = static_cast<int16_t>(DevSoak_TargetSeasonDay());
}

void DevSoak_RegisterScriptValues()
{
    ScriptRegisterValue("soakday", [] {
        const bool none = AutoRunTarget.stopDay == 0 && AutoRunTarget.stopSeason == 0;
        return none ? -1 : int32_t{AutoRunTarget.stopDay};
    });
}

const MenuItem* DevSoak_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(DevSoak_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawSoak), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(DevScreens_FrameTable()), nullptr},
        MenuEndItem(nullptr, DevScreens_Escape),
    };
    return table;
}
