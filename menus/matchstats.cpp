// menus/matchstats.cpp: the match statistics and the rest of the world.
#include "menus/matchstats.h"

#include <algorithm>
#include <cstdio>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/kitcolours.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/kits.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

MatchStatsState MatchStats;
RestOfWorldState RestOfWorld;

namespace {

// ---------------------------------------------------------------------------------------------
// The match statistics.

constexpr int32_t TEXT_TIME_ANALYSIS = 1835;
constexpr int32_t TEXT_MATCH_ANALYSIS = 1684;
constexpr int32_t STATS_BACKGROUND = 13;
constexpr int32_t STATS_BACK_ICON = 1206;
constexpr int32_t BAR_X = 200;
constexpr int32_t BAR_WIDTH = 240;
constexpr int32_t BAR_HEIGHT = 20;
constexpr int32_t BAR_Y[MATCH_STATS_BARS] = {190, 234, 278, 322};
constexpr int32_t LABEL_TEXTS[MATCH_STATS_BARS] = {970, 1432, 922, 444};
constexpr int32_t ZONE_X[3] = {220, 320, 420};

// A match's figures, from the data block or the kept summary.
struct MatchFigures {
    int32_t onTarget[2], offTarget[2], corners[2], possession[2];
    int32_t manOfTheMatch;
    int32_t manOfTheMatchSide;  // the side whose record names him: the club he played for
    bool zones;                 // false for a summary kept before it held the shares
    uint32_t zoneCounters[3];
};

MatchFigures DataBlockFigures()
{
    const MatchDataBlock& d = *GetMatchDataBlock();
    MatchFigures f{};
    for (int32_t side = 0; side < 2; ++side) {
        f.onTarget[side] = d.sides[side].shotsOnTarget;
        f.offTarget[side] = d.sides[side].shotsOffTarget;
        f.corners[side] = d.sides[side].corners;
        f.possession[side] = d.sides[side].possession;
    }
    f.manOfTheMatchSide = d.sides[0].manOfTheMatch != -1 ? 0 : 1;
    f.manOfTheMatch = d.sides[f.manOfTheMatchSide].manOfTheMatch;
    f.zones = true;
    std::copy_n(d.territoryTotals, 3, f.zoneCounters);
    return f;
}

// The summary keeps possession as shares, which the share rule turns back into themselves.
MatchFigures SummaryFigures()
{
    MatchFigures f{};
    for (int32_t side = 0; side < 2; ++side) {
        const LastMatchSummaryRow& s = LastMatchSummary[side];
        f.onTarget[side] = s.shotsOnTarget;
        f.offTarget[side] = s.shotsOffTarget;
        f.corners[side] = s.corners;
        f.possession[side] = s.possessionPercent;
    }
    f.manOfTheMatchSide = LastMatchSummary[0].manOfTheMatch != -1 ? 0 : 1;
    f.manOfTheMatch = LastMatchSummary[f.manOfTheMatchSide].manOfTheMatch;
    // The summary keeps each side's third as 1 + its share, the middle being the rest.
    const int32_t home = LastMatchSummary[0].zoneShare - 1;
    const int32_t away = LastMatchSummary[1].zoneShare - 1;
    f.zones = home >= 0 && away >= 0 && home + away <= 100;
    if (f.zones) {
        f.zoneCounters[0] = static_cast<uint32_t>(home);
        f.zoneCounters[1] = static_cast<uint32_t>(100 - home - away);
        f.zoneCounters[2] = static_cast<uint32_t>(away);
    }
    return f;
}

void FormatTitle(int32_t row)
{
    MatchStatsState& m = MatchStats;
    m.title[0] = '\0';
    if (row < 0) return;
    const int32_t home = VTW_GetFixtureHomeClub(row);
    const int32_t away = VTW_GetFixtureAwayClub(row);
    MatchStats_FormatScoreLine(row, m.title, sizeof m.title);
    KitDesign kit{};
    for (int32_t side = 0; side < 2; ++side) {
        GetTeamDesign(home, away, side, &kit);
        const int32_t colour = std::clamp<int32_t>(kit.colours[0][0], 0, KIT_COLOUR_COUNT - 1);
        m.colours[side] = MatchStats_PackColour(KitColourTable[colour]);
    }
}

void FormatPair(char (&out)[2][16], int32_t home, int32_t away, const char* format)
{
    std::snprintf(out[0], sizeof out[0], format, home);
    std::snprintf(out[1], sizeof out[1], format, away);
}

void FormatFigures(const MatchFigures& f, int32_t row)
{
    MatchStatsState& m = MatchStats;
    if (f.zones) {
        int32_t zones[3];
        MatchStats_ZoneShares(f.zoneCounters, zones);
        for (int32_t z = 0; z < 3; ++z)
            std::snprintf(m.zones[z], sizeof m.zones[z], "%d%%", zones[z]);
    }
    const int32_t possession = MatchStats_Possession(f.possession[0], f.possession[1]);
    FormatPair(m.values[0], possession, 100 - possession, "%d%%");
    m.homeShares[0] = possession;
    const int32_t shots[2] = {f.onTarget[0] + f.offTarget[0], f.onTarget[1] + f.offTarget[1]};
    const int32_t* const pairs[3] = {shots, f.onTarget, f.corners};
    for (int32_t bar = 1; bar < MATCH_STATS_BARS; ++bar) {
        FormatPair(m.values[bar], pairs[bar - 1][0], pairs[bar - 1][1], "%d");
        m.homeShares[bar] = MatchStats_BarShare(pairs[bar - 1][0], pairs[bar - 1][1]);
    }
    // The club he played this match for, as the report names it: a loanee's or a player sold
    // since is not the one he is registered with now.
    if (f.manOfTheMatch >= 0) {
        const int32_t club =
            f.manOfTheMatchSide == 0 ? VTW_GetFixtureHomeClub(row) : VTW_GetFixtureAwayClub(row);
        std::snprintf(m.manOfTheMatch, sizeof m.manOfTheMatch, "%s (%s)",
                      VTW_FormatPersonName(f.manOfTheMatch), MatchStats_ClubName(club));
    }
    std::snprintf(m.attendance, sizeof m.attendance, "%s",
                  VTW_FormatThousands(Fixture_GetAttendance(row)));
}

void DrawStatistics(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    const MatchStatsState& m = MatchStats;
    MenuCont_DrawHeaderTitle(320, 36, m.title);
    MenuCont_ShadedBox(140, 168, 360, 270, 0);
    MenuCont_OutlineBox(140, 168, 360, 270);
    SetMenuFont(1);
    for (int32_t z = 0; z < 3; ++z)
        DrawMenuString(ZONE_X[z], 120, m.zones[z], MENU_ALIGN_CENTRE);
    for (int32_t bar = 0; bar < MATCH_STATS_BARS; ++bar) {
        const int32_t y = BAR_Y[bar];
        DrawMenuMessage(320, y - 12, LABEL_TEXTS[bar], MENU_ALIGN_CENTRE);
        if (!m.figures) continue;
        const int32_t home = m.homeShares[bar] * 24 / 10;
        if (home > 0) DoGradientBar(BAR_X, y, home, BAR_HEIGHT, m.colours[0], 0);
        if (home < BAR_WIDTH) {
            DoGradientBar(BAR_X + home, y, BAR_WIDTH - home, BAR_HEIGHT, m.colours[1], 0);
        }
        DrawMenuString(190, y + 10, m.values[bar][0], MENU_ALIGN_MR);
        DrawMenuString(450, y + 10, m.values[bar][1], MENU_ALIGN_ML);
    }
    DrawMenuString(320, 376, m.manOfTheMatch, MENU_ALIGN_CENTRE);
    DrawMenuString(320, 420, m.attendance, MENU_ALIGN_CENTRE);
}

int32_t TimeAnalysis(MenuHotspot*) { return MatchStats_TimeAnalysis(); }
int32_t MatchAnalysis(MenuHotspot*) { return MatchStats_MatchAnalysis(); }
int32_t StatsBack(MenuHotspot*) { return MatchStats_Back(); }

// ---------------------------------------------------------------------------------------------
// The rest of the world.

constexpr int32_t TEXT_CHOOSE_BUTTON = 1064;  // "Sélectionné parmi"
constexpr int32_t TEXT_COUNTRY_LAST = 2339;
constexpr int32_t BADGE_ICON_BASE = 105;
constexpr int32_t NO_BADGE_ICON = 2;
constexpr int32_t PAGE_ARROWS_ICON = 1297;
constexpr int32_t ROWS_X = 32;
constexpr int32_t ROWS_Y = 100;
constexpr int32_t ROW_PITCH = 26;
constexpr int32_t COLUMN_X[2] = {16, 320};  // the badges; the names 22 further

// Whether one of the first n choices is the value.
bool AmongChoices(uint16_t value, int32_t n)
{
    return std::find(RestOfWorld.choices, RestOfWorld.choices + n, value)
           != RestOfWorld.choices + n;
}

void FillChoices()
{
    const int32_t current = VTW_GetCountry();
    for (int32_t k = 0; k < WORLD_CHOICES - 1; ++k) {
        const int32_t country = k + 1 == current ? 0 : k + 1;
        RestOfWorld.choices[k] = static_cast<uint16_t>(country);
        RestOfWorld.choiceTexts[k] = static_cast<int16_t>(TEXT_COUNTRY_BASE + country);
    }
    RestOfWorld.choices[WORLD_CHOICES - 1] = WORLD_CHOICE_REST;
    RestOfWorld.choiceTexts[WORLD_CHOICES - 1] = TEXT_REST_OF_WORLD;
    if (!AmongChoices(RestOfWorld.chosen, WORLD_CHOICES))
        RestOfWorld.chosen = RestOfWorld.choices[0];
}

// The table's in-use flag marks this career's own clubs, which the country rule leaves out
// anyway: a team number is in use here when the world data names a club for it.
bool Shown(int32_t team)
{
    const WorldClubEntry& e = WorldClubTable[team];
    if (World.clubs[team].name[0] == '\0' || e.country == VTW_GetCountry()) return false;
    if (RestOfWorld.chosen == WORLD_CHOICE_REST) return !AmongChoices(e.country, WORLD_CHOICES - 1);
    return e.country == RestOfWorld.chosen;
}

void FillList()
{
    RestOfWorldState& w = RestOfWorld;
    std::fill(std::begin(w.list), std::end(w.list), int16_t{-1});
    w.count = 0;
    for (int32_t n = 0; n < TEAM_COUNT && w.count < WORLD_LIST_MAX; ++n) {
        if (Shown(n)) w.list[w.count++] = static_cast<int16_t>(n);
    }
    // Rounded up, so that the last few clubs of a country get a page of their own.
    w.pageCount = (w.count + WORLD_ROWS - 1) / WORLD_ROWS;
    if (w.firstPage < 0 || w.pageCount < w.firstPage + 2) w.firstPage = 0;
}

const char* CountryName(int32_t country)
{
    const int32_t text = TEXT_COUNTRY_BASE + country;
    return text <= TEXT_COUNTRY_LAST ? GetMessageText(text) : "";
}

void DrawCell(int32_t column, int32_t row)
{
    const int32_t x = ROWS_X + COLUMN_X[column];
    const int32_t middle = ROWS_Y + row * ROW_PITCH + ROW_PITCH / 2;
    const int32_t entry = RestOfWorld_EntryOfCell(column, row);
    if (entry < 0) {
        if (column == 1) DoIcon(x, middle, NO_BADGE_ICON, MENU_ALIGN_CENTRE);
        return;
    }
    DoIcon(x, middle, BADGE_ICON_BASE + entry, MENU_ALIGN_CENTRE);
    char text[96];
    std::snprintf(text, sizeof text, "%s (%s)", VTW_FormatClubName(entry),
                  CountryName(WorldClubTable[entry].country));
    DrawMenuString(x + 22, middle, text, MENU_ALIGN_ML);
}

void DrawCells(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    for (int32_t row = 0; row < WORLD_ROWS; ++row) {
        MenuCont_ShadedBox(ROWS_X, ROWS_Y + row * ROW_PITCH, 576, ROW_PITCH, row & 1);
        DrawCell(0, row);
        DrawCell(1, row);
    }
}

int32_t RightRows()
{
    int32_t n = 0;
    while (n < WORLD_ROWS && RestOfWorld_EntryOfCell(1, n) >= 0)
        ++n;
    return n;
}

void Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    RestOfWorld_Build();
    EXM_SetRowCount(RightRows());
}

int32_t LeftCell(MenuHotspot* hotspot) { return RestOfWorld_OpenCell(0, hotspot->row); }
int32_t RightCell(MenuHotspot* hotspot) { return RestOfWorld_OpenCell(1, hotspot->row); }
int32_t PageOn(MenuHotspot*) { return RestOfWorld_PageOn(); }
int32_t PageBack(MenuHotspot*) { return RestOfWorld_PageBack(); }
int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

int32_t Back(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

MenuListEntry* ChoicePopup();

int32_t ChoiceEntry(MenuListEntry* entry)
{
    return RestOfWorld_Choose(static_cast<int32_t>(entry - ChoicePopup() - 1));
}

MenuListEntry* ChoicePopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_CHOOSE_BUTTON),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[0], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[1], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[2], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[3], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[4], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[5], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[6], ChoiceEntry),
        MenuList_EntryVar(&RestOfWorld.choiceTexts[7], ChoiceEntry),
        MenuList_End(),
    };
    return popup;
}

}  // namespace

void MatchStatsInit()
{
    MatchStats = {};
    MatchStats.fixture = -1;
    RestOfWorld = {};
}
void MatchStatsUninit() { MatchStatsInit(); }

int32_t MatchStats_ChooseFixture(int32_t club, int32_t today, bool inSequence)
{
    if (inSequence) return ReportFixture;
    int32_t later = 0;
    while (later < FIXTURE_ROWS && VTW_GetFixtureDay(later) < today)
        ++later;
    for (int32_t row = later - 1; row >= 0; --row) {
        if (VTW_GetFixtureHomeClub(row) == club || VTW_GetFixtureAwayClub(row) == club) return row;
    }
    return -1;
}

void MatchStats_ZoneShares(const uint32_t counters[3], int32_t shares[3])
{
    MatchData_ZoneShares(counters, shares);
}

int32_t MatchStats_Possession(int32_t home, int32_t away)
{
    return MatchData_PossessionShare(home, away);
}

int32_t MatchStats_BarShare(int32_t home, int32_t away)
{
    if (home + away <= 0) return 50;
    return 1000 / (home + away) * home / 10;
}

uint16_t MatchStats_PackColour(const KitColour& c)
{
    const int32_t r = c.r * 100 / 255 * 32 / 101;
    const int32_t g = c.g * 100 / 255 * 64 / 101;
    const int32_t b = c.b * 100 / 255 * 32 / 101;
    return static_cast<uint16_t>(r << 11 | g << 5 | b);
}

void MatchStats_Build()
{
    MenuCont_FormatTitle(MatchStats_InSequence() ? HEADER_RESTRICTED : HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() == 0) return;
    MatchStatsState& m = MatchStats;
    const int16_t fixture = static_cast<int16_t>(MatchStats_ChooseFixture(
        GameState.currentClub, VTW_GetCurrentDay(), MatchStats_InSequence()));
    m = {};
    m.fixture = fixture;
    FormatTitle(fixture);
    m.figures = fixture >= 0 && fixture == ReportFixture;
    if (m.figures)
        FormatFigures(MatchStats_InSequence() ? DataBlockFigures() : SummaryFigures(), fixture);
}

int32_t MatchStats_ShowNext(uint16_t word)
{
    MatchReportWord = word;
    MatchReportFlags &= ~MATCH_REPORT_DONE;
    return EXM_CODE_LEAVE;
}

int32_t MatchStats_TimeAnalysis() { return MatchStats_ShowNext(MATCH_WORD_TIME_ANALYSIS); }
int32_t MatchStats_MatchAnalysis() { return MatchStats_ShowNext(MATCH_WORD_PERFORMANCE); }
int32_t MatchStats_Statistics() { return MatchStats_ShowNext(MATCH_WORD_STATISTICS); }

int32_t MatchStats_Back()
{
    MatchReportFlags |= MATCH_REPORT_DONE;
    if (!MatchStats_InSequence()) {
        MenuOption = MENU_OPTION_OFFICE;
        MatchReportFlags &= ~MATCH_REPORT_SIDE_CHOSEN;
    }
    return EXM_CODE_LEAVE;
}

const MenuItem* MatchStats_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(MatchStats_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(STATS_BACKGROUND), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x03, 570, 430, MENU_ALIGN_TL, 0, MenuNumber(STATS_BACK_ICON), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x0f, 320, 354, MENU_ALIGN_CENTRE, 0, MenuTextNo(917), nullptr},
        {0x0f, 320, 398, MENU_ALIGN_CENTRE, 0, MenuTextNo(1333), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawStatistics), nullptr},
        {0x1f, 570, 430, 40, 40, MenuNumber(-1), StatsBack},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 60, 440, 244, 30, MenuTextNo(TEXT_TIME_ANALYSIS), TimeAnalysis},
        {0x200c, 304, 440, 244, 30, MenuTextNo(TEXT_MATCH_ANALYSIS), MatchAnalysis},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

void RestOfWorld_Build()
{
    if (EXM_GetRebuildFlag() != 0) FillChoices();
    RestOfWorld.subtitle = static_cast<int16_t>(RestOfWorld.chosen == WORLD_CHOICE_REST
                                                    ? TEXT_REST_OF_WORLD
                                                    : TEXT_COUNTRY_BASE + RestOfWorld.chosen);
    FillList();
}

int32_t RestOfWorld_EntryOfCell(int32_t column, int32_t row)
{
    if (column < 0 || column > 1 || row < 0 || row >= WORLD_ROWS) return -1;
    const int32_t shown = (RestOfWorld.firstPage + column) * WORLD_ROWS + row;
    return shown < RestOfWorld.count ? RestOfWorld.list[shown] : -1;
}

int32_t RestOfWorld_PageOn()
{
    RestOfWorld.firstPage = static_cast<int16_t>(
        std::max(0, std::min(RestOfWorld.firstPage + 1, RestOfWorld.pageCount - 2)));
    return EXM_CODE_REDRAW;
}

int32_t RestOfWorld_PageBack()
{
    RestOfWorld.firstPage = static_cast<int16_t>(std::max(0, RestOfWorld.firstPage - 1));
    return EXM_CODE_REDRAW;
}

int32_t RestOfWorld_Choose(int32_t choice)
{
    if (choice < 0 || choice >= WORLD_CHOICES) return LIST_CODE_CLOSE;
    RestOfWorld.chosen = RestOfWorld.choices[choice];
    RestOfWorld.firstPage = 0;
    return LIST_CODE_REDRAW;
}

int32_t RestOfWorld_OpenCell(int32_t column, int32_t row)
{
    const int32_t entry = RestOfWorld_EntryOfCell(column, row);
    if (entry < 0) return 1;
    const uint16_t* map = World.clubMaps[VTW_GetCountry()];
    const uint16_t* club = std::find(map, map + CLUB_ID_COUNT, entry);
    const bool home = club != map + CLUB_ID_COUNT;
    GameState.currentClub = static_cast<int16_t>(home ? club - map : entry);
    ClubChangedFlag = home ? 0 : 1;
    MenuOption = MENU_OPTION_TO_SQUAD;
    return EXM_CODE_LEAVE;
}

const MenuItem* RestOfWorld_Table()
{
    static const MenuItem leftCell[] = {
        {0x1f, -6, -2, 274, ROW_PITCH, MenuNumber(-1), LeftCell},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem rightCell[] = {
        {0x1f, 306, -2, 274, ROW_PITCH, MenuNumber(-1), RightCell},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_REST_OF_WORLD), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x03, 320, 400, MENU_ALIGN_TL, 0, MenuNumber(PAGE_ARROWS_ICON), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x10, 320, 76, MENU_ALIGN_CENTRE, 0, MenuVariable(&RestOfWorld.subtitle), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawCells), nullptr},
        {0x21, ROWS_X, ROWS_Y, WORLD_ROWS, ROW_PITCH, MenuAddress(leftCell), nullptr},
        {0x21, ROWS_X, ROWS_Y, 0, ROW_PITCH, MenuAddress(rightCell), nullptr},
        {0x1f, 305, 405, 15, 30, MenuNumber(-1), PageBack},
        {0x1f, 320, 405, 15, 30, MenuNumber(-1), PageOn},
        {0x1f, 570, 440, 40, 40, MenuNumber(-1), Back},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 120, 440, 400, 30, MenuTextNo(TEXT_CHOOSE_BUTTON), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(ChoicePopup()), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

bool MatchStats_InSequence() { return (MatchReportFlags & MATCH_REPORT_IN_SEQUENCE) != 0; }

const char* MatchStats_ClubName(int32_t club)
{
    return club >= 0 && club < CLUB_ID_COUNT ? VTW_FormatClubName(VTW_GetTeam(club)) : "";
}

void MatchStats_FormatScoreLine(int32_t row, char* out, size_t size)
{
    if (size == 0) return;
    out[0] = '\0';
    if (row < 0) return;
    std::snprintf(out, size, "%s %d - %d %s", MatchStats_ClubName(VTW_GetFixtureHomeClub(row)),
                  VTW_GetFixtureHomeGoals(row), VTW_GetFixtureAwayGoals(row),
                  MatchStats_ClubName(VTW_GetFixtureAwayClub(row)));
}

int32_t MatchStats_HumanSide(int32_t row)
{
    return row >= 0 && VTW_GetClubController(VTW_GetFixtureHomeClub(row)) == 0 ? 1 : 0;
}

int32_t MatchStats_MatchLength(int32_t row)
{
    constexpr int32_t FULL_TIME = 90, AFTER_EXTRA_TIME = 120;
    // Inside the sequence a match without a row (a friendly between exported teams) is the one
    // still in the match blocks.
    const bool extraTime = row >= 0 ? Fixture_GetExtraTime(row) != 0
                                    : MatchStats_InSequence() && PostMatch_ExtraTimePlayed();
    return extraTime ? AFTER_EXTRA_TIME : FULL_TIME;
}

void MatchStats_TickRow(MenuListEntry* popup, const int32_t* values, int32_t count, int32_t current)
{
    for (int32_t n = 0; n < count; ++n) {
        if (values[n] == current)
            popup[1 + n].flags |= LIST_CHECKED;
        else
            popup[1 + n].flags &= static_cast<uint16_t>(~LIST_CHECKED);
    }
}
