// menus/friendly.cpp: the friendlies screen.
#include "menus/friendly.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "engine/poll.h"
#include "engine/random.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/tables.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "game/world.h"
#include "gamecode/matchview.h"
#include "gamecode/presentation.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/kits.h"
#include "menus/leaguetable.h"
#include "menus/machine.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/postmatch.h"

FriendlyState Friendly;
FriendlySetupState FriendlySetup;

namespace {

constexpr int32_t TEXT_TITLE = 701;
constexpr int32_t TEXT_NO_MATCH = 168;
constexpr int32_t TEXT_AVAILABLE = 553;
constexpr int32_t TEXT_TOUR = 771;
constexpr int32_t TEXT_TOUR_FIRST = 772;
constexpr int32_t TEXT_WEEKDAY_FIRST = 21;
constexpr int32_t TEXT_CALENDAR_FULL = 1126;
constexpr int32_t TEXT_OPPONENT_BUSY = 2023;
constexpr int32_t TEXT_NO_TOUR_CLUB = 2024;
constexpr int32_t ROWS_Y = 90;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t TEXT_Y = ROW_PITCH / 2;
constexpr int32_t DAYS_X = 20;
constexpr int32_t DAYS_W = 300;
constexpr int32_t TEAMS_X = 330;
constexpr int32_t TEAMS_W = 260;
constexpr int32_t FILTER_X = 44;
constexpr int32_t FILTER_Y = 398;
constexpr int32_t FILTER_W = 540;
constexpr int32_t FILTER_GAP = 4;
constexpr int32_t FILTER_H = 26;
constexpr int32_t MIN_DIVISIONS = 2;
constexpr int32_t TEXT_SETUP_TITLE = 1021;
constexpr int32_t TEXT_LOAD_A = 1016;
constexpr int32_t TEXT_LOAD_B = 1017;
constexpr int32_t TEXT_PLAY = 1018;
constexpr int32_t TEXT_SWAP = 1019;
constexpr int32_t TEXT_VERSUS = 152;
constexpr int32_t TEXT_END = 75;
constexpr int32_t TEXT_NOT_TWO_TEAMS = 1020;
constexpr int32_t TEXT_LOAD_FAILED = 1662;
constexpr int16_t MENU_OPTION_FRIENDLY_SETUP = 53;
constexpr int16_t MENU_OPTION_FRIENDLY_MATCH = 54;
// A friendly between exported teams is played as a cup tie that must be decided.
constexpr uint16_t FRIENDLY_PERIOD_MINUTES = 5;
constexpr int16_t FRIENDLY_BENCH = 5;
constexpr int16_t FRIENDLY_SUBSTITUTIONS = 3;
constexpr uint16_t FRIENDLY_DESIGNATED[4] = {9, 11, 8, 7};  // captain, penalty, free kick, corner
constexpr uint16_t FRIENDLY_SETTING = 100;

// The tour entries in menu order, each with its country.
constexpr std::array<int16_t, FRIENDLY_TOURS> TOUR_COUNTRIES = {0, 6,  3,  4,  2,  5, 7,  1,
                                                                9, 11, 18, 10, 14, 8, 15, 12};

FriendlyState& S() { return Friendly; }
int16_t Word(int32_t n) { return static_cast<int16_t>(n); }
int32_t HumanClub() { return VTW_GetClubOfManager(MANAGER_HUMAN); }

int32_t LastDay()
{
    return std::min(VTW_GetLastLeagueDay(), Calendar_DaysInSeason(VTW_GetSeasonCounter()) - 1);
}

// The opponent of the human's match that day, competitive or friendly, -1 none.
int32_t OpponentOnDay(int32_t day)
{
    const int32_t human = HumanClub();
    int32_t row = VTW_FindCompetitiveFixtureOnDay(human, day);
    if (row < 0) row = VTW_FindFriendlyOnDay(human, day);
    if (row < 0) return -1;
    const int32_t home = VTW_GetFixtureHomeClub(row);
    return home == human ? VTW_GetFixtureAwayClub(row) : home;
}

void FillDays()
{
    for (int32_t r = 0; r < FRIENDLY_ROWS; ++r) {
        FriendlyDayRow& row = S().days[r];
        const int32_t day = S().firstDay + r;
        row = {-1, 0, -1, S().dates[r]};
        S().dates[r][0] = '\0';
        if (day >= Calendar_DaysInSeason(VTW_GetSeasonCounter())) continue;
        int32_t dayOfMonth = 0, month = 0, weekday = 0;
        VTW_SeasonDayToDate(day, &dayOfMonth, &month, &weekday);
        std::snprintf(S().dates[r], sizeof S().dates[r], "%s %d",
                      GetMessageText(TEXT_WEEKDAY_FIRST + weekday), dayOfMonth);
        const int32_t opponent = OpponentOnDay(day);
        row.day = Word(day);
        row.opponent =
            Word(opponent >= 0 ? VTW_ClubNameTextNo(VTW_GetTeam(opponent)) : TEXT_NO_MATCH);
        row.highlight = day == S().selectedDay ? FRIENDLY_HIGHLIGHT : int16_t{0};
    }
}

// The candidates of the filter's division in the human's country, in list order; his own club
// cannot play itself.
void CollectTeams()
{
    S().teamCount = 0;
    for (const int16_t club : GameState.friendlyCandidates) {
        if (club < 0 || club == HumanClub() || VTW_GetClubCountry(club) != VTW_GetCountry()
            || VTW_GetClubDivision(club) != S().division)
            continue;
        S().teams[S().teamCount++] = club;
    }
    S().firstTeam =
        Word(std::clamp<int32_t>(S().firstTeam, 0, std::max(0, S().teamCount - FRIENDLY_ROWS)));
    for (int32_t r = 0; r < FRIENDLY_ROWS; ++r) {
        const int32_t k = S().firstTeam + r;
        S().teamNames[r] =
            Word(k < S().teamCount ? VTW_ClubNameTextNo(VTW_GetTeam(S().teams[k])) : -1);
    }
}

template <int32_t Division>
int32_t ChooseDivision(MenuHotspot*)
{
    return Friendly_ChooseDivision(Division);
}
constexpr std::array<ClickFn, DIVISION_MAX> kChooseDivision = {
    ChooseDivision<0>, ChooseDivision<1>, ChooseDivision<2>,
    ChooseDivision<3>, ChooseDivision<4>, ChooseDivision<5>};

// One row of filter buttons under the lists, as many as the country has divisions.
const MenuItem* FilterButtons(int32_t divisions)
{
    static MenuItem tables[DIVISION_MAX + 1][2 * DIVISION_MAX + 2];
    divisions = std::clamp<int32_t>(divisions, MIN_DIVISIONS, DIVISION_MAX);
    MenuItem* table = tables[divisions];
    if (table[0].kind != 0) return table;
    const int32_t width = (FILTER_W - FILTER_GAP * (divisions - 1)) / divisions;
    for (int32_t k = 0; k < divisions; ++k) {
        const auto x = Word(FILTER_X + k * (width + FILTER_GAP));
        table[2 * k] = {0x31, 0, 0, 0, 0, MenuVariable(&S().divisionHighlights[k]), nullptr};
        table[2 * k + 1] = {0x200f,
                            x,
                            FILTER_Y,
                            Word(width),
                            FILTER_H,
                            MenuVariable(&S().divisionTexts[k]),
                            kChooseDivision[k]};
    }
    table[2 * divisions] = {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr};
    table[2 * divisions + 1] = MenuEndItem(nullptr, nullptr);
    return table;
}

void FillFilter()
{
    const int32_t divisions = VTW_GetCountryDivisions();
    for (int32_t k = 0; k < DIVISION_MAX; ++k) {
        S().divisionTexts[k] = Word(k < divisions ? VTW_GetDivisionTextNo(k) : -1);
        S().divisionHighlights[k] = k == S().division ? FRIENDLY_HIGHLIGHT : int16_t{0};
    }
    S().divisionButtons = FilterButtons(divisions);
}

void Friendly_Init() { Friendly_Build(EXM_GetRebuildFlag() != 0); }

void DrawHeader(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderName(VTW_FormatClubName(VTW_GetTeam(GameState.currentClub)), TEXT_TITLE);
}

int32_t Refuse(int32_t textNo)
{
    DoMessageBox(GetMessageText(textNo), 0);
    return EXM_CODE_REDRAW;
}

int32_t TourEntry(MenuListEntry* entry)
{
    Friendly_Tour(entry->spare[0]);
    return LIST_CODE_REDRAW;
}

int32_t Done(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

int32_t Leave() { return Done(nullptr); }

// ---- "Configuration amicale".

bool BothLoaded() { return FriendlySetup.loaded[0] != 0 && FriendlySetup.loaded[1] != 0; }

void NameTeams()
{
    for (int32_t k = 0; k < 2; ++k) {
        FriendlySetup.names[k] = FriendlySetup.loaded[k] != 0 ? FriendlyTeamBlocks[k].name : "";
    }
}

// A start at the title has loaded neither the world, whose kit table dresses the teams, nor the
// names.
void BuildSetup()
{
    if (!World.loaded) World_Load();
    if (!Names_Loaded()) Names_Load();
    NameTeams();
}

int32_t LoadA(MenuHotspot*) { return FriendlySetup_Load(0); }
int32_t LoadB(MenuHotspot*) { return FriendlySetup_Load(1); }

int32_t ToTitle(MenuHotspot*)
{
    MenuOption = MENU_OPTION_TITLE;
    return EXM_CODE_LEAVE;
}

int32_t LeaveToTitle() { return ToTitle(nullptr); }

// The first custom tactic that holds one, else built-in tactic 0.
int16_t FirstTactic(const ExportedTeamBlock& team)
{
    for (int32_t n = 0; n < TACTIC_CUSTOM_COUNT; ++n) {
        if (!TacticsRecord_IsEmpty(team.tactics[n])) return Word(TACTIC_CUSTOM_FIRST + n);
    }
    return 0;
}

void FillSide(MatchSide* side, const ExportedTeamBlock& team)
{
    std::snprintf(side->teamName, sizeof side->teamName, "%s", team.name);
    side->human = 1;
    side->tactic = FirstTactic(team);
    std::copy(std::begin(team.tactics), std::end(team.tactics), side->tactics);
    std::copy(std::begin(team.entries), std::end(team.entries), side->entries);
    side->firstLegGoals = 0;
    std::copy(std::begin(FRIENDLY_DESIGNATED), std::end(FRIENDLY_DESIGNATED), side->designated);
    std::fill(std::begin(side->settings), std::end(side->settings), FRIENDLY_SETTING);
}

void FillHeader(MatchDayBlock* b)
{
    b->extraTime = 1;
    b->shootOut = 1;
    b->goldenGoal = 0;
    b->periodMinutes = FRIENDLY_PERIOD_MINUTES;
    b->secondLeg = 0;
    MatchDay_DrawOfficial(b);
    b->difficulty = 1;
    b->lenientSide = 0;
    b->competition = COMP_FRIENDLY;
    b->fixtureRow = -1;
    b->viewMode = VIEW_3D;
    b->benchSize = FRIENDLY_BENCH;
    b->substitutionsAllowed = FRIENDLY_SUBSTITUTIONS;
    b->spare20 = 0;
    std::fill(std::begin(b->stands), std::end(b->stands), int16_t{0});  // the small stadium
    b->attendance = 0;
    b->crowdFill = 0;
    b->night = 0;
    b->homeClub = -1;
    b->awayClub = -1;
    b->day = -1;
}
int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

}  // namespace

void FriendlyUninit() { FriendlyInit(); }

void Friendly_Build(bool entering)
{
    if (entering) {
        MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
        S().firstDay = Word(VTW_GetCurrentDay());
        S().selectedDay = -1;
        S().firstTeam = 0;
        S().division = 0;
        for (uint8_t& away : S().away) {
            away = static_cast<uint8_t>(Rand() % 2);
        }
    }
    FillFilter();
    FillDays();
    CollectTeams();
}

int32_t Friendly_PickDay(MenuHotspot* hotspot)
{
    if (hotspot->row >= FRIENDLY_ROWS) return 1;
    const int32_t day = S().days[hotspot->row].day;
    if (day < 0 || VTW_FindFixtureOfClubOnDay(HumanClub(), day) >= 0) return 1;
    S().selectedDay = Word(day);
    return EXM_CODE_REDRAW;
}

int32_t Friendly_PickTeam(MenuHotspot* hotspot)
{
    const int32_t k = S().firstTeam + hotspot->row;
    const int32_t day = S().selectedDay;
    const int32_t human = HumanClub();
    if (k >= S().teamCount || day < 0 || VTW_FindFixtureOfClubOnDay(human, day) >= 0) return 1;
    const int32_t team = S().teams[k];
    if (VTW_FindFixtureOfClubOnDay(team, day) >= 0) return Refuse(TEXT_OPPONENT_BUSY);
    const bool away = S().away[team] != 0;
    VTW_InsertFixture(day, COMP_FRIENDLY, away ? team : human, away ? human : team);
    return EXM_CODE_REDRAW;
}

int32_t Friendly_DaysBack(MenuHotspot*)
{
    const int32_t today = VTW_GetCurrentDay();
    if (S().firstDay <= today) return 1;
    S().firstDay = Word(std::max(today, S().firstDay - FRIENDLY_ROWS));
    return EXM_CODE_REDRAW;
}

int32_t Friendly_DaysForward(MenuHotspot*)
{
    const int32_t last = LastDay();
    if (S().firstDay + FRIENDLY_ROWS - 1 >= last) return 1;
    S().firstDay = Word(std::min(S().firstDay + FRIENDLY_ROWS, last - FRIENDLY_ROWS + 1));
    return EXM_CODE_REDRAW;
}

int32_t Friendly_TeamUp(MenuHotspot*)
{
    if (S().firstTeam == 0) return 1;
    --S().firstTeam;
    return EXM_CODE_REDRAW;
}

int32_t Friendly_TeamDown(MenuHotspot*)
{
    if (S().firstTeam + FRIENDLY_ROWS >= S().teamCount) return 1;
    ++S().firstTeam;
    return EXM_CODE_REDRAW;
}

int32_t Friendly_ChooseDivision(int32_t division)
{
    S().division = Word(division);
    S().firstTeam = 0;
    return EXM_CODE_REDRAW;
}

int32_t Friendly_Tour(int32_t country)
{
    const int32_t human = HumanClub();
    if (Fixtures_FirstTourWindow(human) < 0) return Refuse(TEXT_CALENDAR_FULL);
    if (VTW_ArrangeFriendly(human, country) == 0) return Refuse(TEXT_NO_TOUR_CLUB);
    return EXM_CODE_REDRAW;
}

MenuListEntry* Friendly_TourPopup()
{
    static MenuListEntry popup[FRIENDLY_TOURS + 2] = {};
    if (popup[0].type == 0) {
        popup[0] = MenuList_Title(TEXT_TOUR, nullptr);
        for (int32_t k = 0; k < FRIENDLY_TOURS; ++k) {
            popup[k + 1] = MenuList_Entry(TEXT_TOUR_FIRST + k, TourEntry, TOUR_COUNTRIES[k]);
        }
        popup[FRIENDLY_TOURS + 1] = MenuList_End();
    }
    return popup;
}

const MenuItem* Friendly_Table()
{
    const FriendlyDayRow* d = &Friendly.days[0];
    const int16_t* t = &Friendly.teamNames[0];
    constexpr int16_t DAY_STRIDE = sizeof(FriendlyDayRow);
    constexpr int16_t TEAM_STRIDE = sizeof(int16_t);
    static const MenuItem dayRow[] = {
        {0x24, 0, 0, DAYS_W, ROW_PITCH, MenuCallback(MenuCont_ShadedBox), nullptr},
        {0x31, 0, 0, 0, DAY_STRIDE, MenuVariable(&d->highlight), nullptr},
        {0x12, 10, TEXT_Y, MENU_ALIGN_ML, DAY_STRIDE, MenuVariable(&d->date), nullptr},
        {0x10, 80, TEXT_Y, MENU_ALIGN_ML, DAY_STRIDE, MenuVariable(&d->opponent), nullptr},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x1f, 0, 0, DAYS_W, ROW_PITCH, MenuNumber(-1), Friendly_PickDay},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem teamRow[] = {
        {0x24, 0, 0, TEAMS_W, ROW_PITCH, MenuCallback(MenuCont_ShadedBox), nullptr},
        {0x10, 10, TEXT_Y, MENU_ALIGN_ML, TEAM_STRIDE, MenuVariable(t), nullptr},
        {0x1f, 0, 0, TEAMS_W, ROW_PITCH, MenuNumber(-1), Friendly_PickTeam},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Friendly_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 480, 36, MENU_ALIGN_MR, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawHeader), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x0f, 340, 70, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_AVAILABLE), nullptr},
        {0x21, DAYS_X, ROWS_Y, FRIENDLY_ROWS, ROW_PITCH, MenuAddress(dayRow), nullptr},
        {0x21, TEAMS_X, ROWS_Y, FRIENDLY_ROWS, ROW_PITCH, MenuAddress(teamRow), nullptr},
        {0x03, 6, 390, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_ARROWS), nullptr},
        {0x1f, 10, 396, 30, 15, MenuNumber(-1), Friendly_DaysBack},
        {0x1f, 10, 416, 30, 15, MenuNumber(-1), Friendly_DaysForward},
        {0x03, 590, 390, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_ARROWS), nullptr},
        {0x1f, 594, 396, 30, 15, MenuNumber(-1), Friendly_TeamUp},
        {0x1f, 594, 416, 30, 15, MenuNumber(-1), Friendly_TeamDown},
        {0x22, 0, 0, 1, 0, MenuVariable(&Friendly.divisionButtons), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 168, 440, 150, 30, MenuTextNo(TEXT_TOUR), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(Friendly_TourPopup()), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), Done},
        MenuEndItem(nullptr, Leave),
    };
    return table;
}

void FriendlyInit()
{
    Friendly = {};
    FriendlySetup = {};
    NameTeams();
}

int32_t FriendlySetup_Load(int32_t slot)
{
    if (LoadTeamFile(slot) != 0) return Refuse(TEXT_LOAD_FAILED);
    FriendlySetup.loaded[slot] = 1;
    NameTeams();
    return EXM_CODE_REDRAW;
}

int32_t FriendlySetup_Play(MenuHotspot*)
{
    if (!BothLoaded()) return Refuse(TEXT_NOT_TWO_TEAMS);
    VTW_SetCountry(0);
    MenuOption = MENU_OPTION_FRIENDLY_MATCH;
    return EXM_CODE_LEAVE;
}

int32_t FriendlySetup_Swap(MenuHotspot*)
{
    if (!BothLoaded()) return Refuse(TEXT_NOT_TWO_TEAMS);
    std::swap(FriendlyTeamBlocks[0], FriendlyTeamBlocks[1]);
    return EXM_CODE_REDRAW;
}

const MenuItem* FriendlySetup_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(BuildSetup), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_SETUP_TITLE), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x12, 320, 180, MENU_ALIGN_CENTRE, 0, MenuVariable(&FriendlySetup.names[0]), nullptr},
        {0x0f, 320, 210, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_VERSUS), nullptr},
        {0x12, 320, 240, MENU_ALIGN_CENTRE, 0, MenuVariable(&FriendlySetup.names[1]), nullptr},
        {0x200c, 120, 130, 400, 30, MenuTextNo(TEXT_LOAD_A), LoadA},
        {0x200c, 120, 270, 400, 30, MenuTextNo(TEXT_LOAD_B), LoadB},
        {0x200c, 120, 380, 200, 50, MenuTextNo(TEXT_PLAY), FriendlySetup_Play},
        {0x200c, 340, 380, 200, 50, MenuTextNo(TEXT_SWAP), FriendlySetup_Swap},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x0f, 590, 428, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_END), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), ToTitle},
        MenuEndItem(nullptr, LeaveToTitle),
    };
    return table;
}

void Friendly_FillSides()
{
    MatchDay_ClearBlock();
    MatchDayBlock* b = GetMatchSidesBlock();
    FillHeader(b);
    for (int32_t s = 0; s < MATCH_SIDE_COUNT; ++s) {
        FillSide(&b->sides[s], FriendlyTeamBlocks[s]);
    }
}

void Friendly_Play()
{
    Poll();
    MatchDayBlock* b = GetMatchSidesBlock();
    const ExportedTeamBlock& home = FriendlyTeamBlocks[0];
    const ExportedTeamBlock& away = FriendlyTeamBlocks[1];
    for (int32_t s = 0; s < MATCH_SIDE_COUNT; ++s) {
        KitDesign kit{};
        GetTeamDesignOfTeams(home.homeKit, away.homeKit, away.awayKit, s, &kit);
        MatchSide_SetKit(&b->sides[s], kit);
    }
    b->viewMode = VIEW_3D;
    MatchShared.replayState = REPLAY_NORMAL;  // a friendly is never a replay
    RunMatch3D();
    if (MatchView_ShownKind() != VIEWKIND_TEXT) return;
    // The analysis pages read the kept copy; a friendly has no fixture row to name.
    MatchBlocks_KeepCopy(-1);
    MatchReportFlags |= MATCH_REPORT_IN_SEQUENCE;
    PostMatch_RunAnalysisPages();
    MatchReportFlags &=
        static_cast<uint8_t>(~(MATCH_REPORT_SIDE_CHOSEN | MATCH_REPORT_IN_SEQUENCE));
}

void MainMenu_PrepareTeams()
{
    Friendly_FillSides();
    Friendly_Play();
    if (MenuOption != MENU_OPTION_QUIT) MenuOption = MENU_OPTION_FRIENDLY_SETUP;
}
