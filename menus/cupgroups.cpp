// menus/cupgroups.cpp: the champions' cup group screen.
#include "menus/cupgroups.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

CupGroupState CupGroups;

namespace {

constexpr int32_t TEXT_TITLE = 110;
constexpr int32_t TEXT_NO_MATCHES = 159;
constexpr int32_t TEXT_DASH = 125;
constexpr int32_t TEXT_TO_PLAY = 152;
constexpr int32_t TEXT_COUNTRY_BASE = 2310;
constexpr int32_t TEXT_HEADS[] = {137, 138, 139, 140, 141, 142, 143};  // J V N D B.I. B.C. PTS
constexpr int32_t ARROWS_ICON = 1297;
constexpr int32_t LAST_GROUP = CHAMPIONS_GROUPS - 1;
constexpr int32_t PITCH = 20;
constexpr int32_t TEXT_Y = PITCH / 2;
constexpr int32_t TABLE_X = 100;
constexpr int32_t TABLE_Y = 90;
constexpr int32_t TABLE_W = 400;
constexpr int32_t NAME_X = 240;
constexpr int32_t FIGURES_X = 300;  // the seven columns, 30 apart
constexpr int32_t FIGURES_PITCH = 30;
constexpr int32_t ITEM_GAP = 5;      // between a text and the next, or the frame's edge
constexpr int32_t FIGURE_ROOM = 12;  // two figures in the small font, centred on their column
// A table row's club name, centred in the room between the frame's left edge and the first
// column of figures: at the group name's place it ran into them.
constexpr int32_t TABLE_NAME_LEFT = TABLE_X + ITEM_GAP;
constexpr int32_t TABLE_NAME_ROOM = FIGURES_X - FIGURE_ROOM / 2 - ITEM_GAP - TABLE_NAME_LEFT;
constexpr int32_t TABLE_NAME_X = TABLE_NAME_LEFT + TABLE_NAME_ROOM / 2;
constexpr int32_t MATCHES_X = 40;
constexpr int32_t MATCHES_Y = 180;
constexpr int32_t MATCHES_W = 576;
constexpr int32_t MATCH_HALF_W = 288;
constexpr int32_t HOME_NOTE_X = 300;  // "(country)", right-aligned
constexpr int32_t AWAY_NOTE_X = 340;
constexpr int32_t AWAY_NAME_X = 400;

int16_t Word(int32_t n) { return static_cast<int16_t>(n); }

// The club's row takes the result of a played match: its goals, then the opponent's.
void CountResult(CupGroupTeam& team, int32_t scored, int32_t conceded)
{
    team.goalsFor = Word(team.goalsFor + scored);
    team.goalsAgainst = Word(team.goalsAgainst + conceded);
    if (scored > conceded) {
        ++team.won;
        team.points = Word(team.points + 3);
    } else if (scored == conceded) {
        ++team.drawn;
        ++team.points;
    } else {
        ++team.lost;
    }
}

void ReadFixture(int32_t row, int32_t* slot)
{
    const int32_t home = VTW_GetFixtureHomeClub(row);
    const int32_t away = VTW_GetFixtureAwayClub(row);
    const bool played = VTW_GetFixtureDay(row) < VTW_GetCurrentDay();
    const int32_t homeGoals = VTW_GetFixtureHomeGoals(row);
    const int32_t awayGoals = VTW_GetFixtureAwayGoals(row);
    bool concerned = false;
    for (CupGroupTeam& team : CupGroups.teams) {
        if (team.club != home && team.club != away) continue;
        concerned = true;
        if (!played) continue;
        if (team.club == home) CountResult(team, homeGoals, awayGoals);
        if (team.club == away) CountResult(team, awayGoals, homeGoals);
    }
    if (!concerned) return;
    // A draw gone wrong could give a group more fixtures than its slots: the table still counts
    // them, the slots stop at twelve.
    if (*slot < CUP_GROUP_MATCHES) {
        CupGroups.matches[*slot] = {Word(home), Word(played ? homeGoals : CUP_GROUP_NOT_PLAYED),
                                    Word(played ? awayGoals : CUP_GROUP_NOT_PLAYED), Word(away)};
    }
    ++*slot;
}

// The lower row goes up on more points, then a larger sum of goals for and against, then more
// goals for.
bool RanksAbove(const CupGroupTeam& lower, const CupGroupTeam& upper)
{
    if (lower.points != upper.points) return lower.points > upper.points;
    const int32_t lowerSum = lower.goalsFor + lower.goalsAgainst;
    const int32_t upperSum = upper.goalsFor + upper.goalsAgainst;
    if (lowerSum != upperSum) return lowerSum > upperSum;
    return lower.goalsFor > upper.goalsFor;
}

void Order()
{
    int16_t* order = CupGroups.order;
    for (int32_t pass = 0; pass < CHAMPIONS_GROUP_SIZE - 1; ++pass) {
        for (int32_t k = 0; k + 1 < CHAMPIONS_GROUP_SIZE; ++k) {
            if (RanksAbove(CupGroups.teams[order[k + 1]], CupGroups.teams[order[k]]))
                std::swap(order[k], order[k + 1]);
        }
    }
}

int32_t OpenSquad(int32_t club)
{
    if (club < 0) return 1;
    GameState.currentClub = Word(club);
    MenuOption = MENU_OPTION_TO_SQUAD;
    return EXM_CODE_LEAVE;
}

const char* CountryNote(int32_t club, char* out, size_t size)
{
    std::snprintf(out, size, "(%s)", GetMessageText(TEXT_COUNTRY_BASE + VTW_GetClubCountry(club)));
    return out;
}

void DrawTableRows(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_ShadedBox(TABLE_X, TABLE_Y, TABLE_W, CHAMPIONS_GROUP_SIZE * PITCH, 0);
    MenuCont_ShadedBox(MATCHES_X, MATCHES_Y, MATCHES_W, CUP_GROUP_MATCHES * PITCH, 0);
    SetMenuFont(0);
    for (int32_t k = 0; k < 7; ++k) {
        DrawMenuMessage(FIGURES_X + k * FIGURES_PITCH, 70 + TEXT_Y, TEXT_HEADS[k],
                        MENU_ALIGN_CENTRE);
    }
    for (int32_t r = 0; r < CHAMPIONS_GROUP_SIZE; ++r) {
        const CupGroupTeam& t = CupGroups.teams[CupGroups.order[r]];
        if (t.club < 0) continue;
        const int32_t middle = TABLE_Y + r * PITCH + TEXT_Y;
        DrawMenuStringInRoom(TABLE_NAME_X, middle, VTW_FormatClubName(VTW_GetTeam(t.club)),
                             MENU_ALIGN_CENTRE, TABLE_NAME_ROOM, 1, 0);
        SetMenuFont(0);
        const int32_t figures[] = {t.won + t.drawn + t.lost, t.won,   t.drawn, t.lost, t.goalsFor,
                                   t.goalsAgainst,           t.points};
        for (int32_t k = 0; k < 7; ++k) {
            DrawMenuNumber(FIGURES_X + k * FIGURES_PITCH, middle, figures[k], MENU_ALIGN_CENTRE);
        }
    }
}

// A match's club names end at their places, or short of their country notes when a note is
// wider; each takes the room from there to the frame's edge.
void DrawMatchNames(int32_t middle, const CupGroupMatch& m, const char* homeNote,
                    const char* awayNote)
{
    int32_t w = 0, h = 0;
    SetMenuFont(0);
    const int32_t homeRight =
        std::min(NAME_X, HOME_NOTE_X - GetTextExtent(homeNote, &w, &h) - ITEM_GAP);
    const int32_t awayLeft =
        std::max(AWAY_NAME_X, AWAY_NOTE_X + GetTextExtent(awayNote, &w, &h) + ITEM_GAP);
    DrawMenuStringInRoom(homeRight, middle, VTW_FormatClubName(VTW_GetTeam(m.home)), MENU_ALIGN_MR,
                         homeRight - MATCHES_X - ITEM_GAP, 1, 0);
    DrawMenuStringInRoom(awayLeft, middle, VTW_FormatClubName(VTW_GetTeam(m.away)), MENU_ALIGN_ML,
                         MATCHES_X + MATCHES_W - ITEM_GAP - awayLeft, 1, 0);
}

void DrawMatch(int32_t middle, const CupGroupMatch& m)
{
    char homeNote[40], awayNote[40];
    CountryNote(m.home, homeNote, sizeof homeNote);
    CountryNote(m.away, awayNote, sizeof awayNote);
    DrawMatchNames(middle, m, homeNote, awayNote);
    SetMenuFont(1);
    const bool played = m.homeGoals != CUP_GROUP_NOT_PLAYED;
    DrawMenuMessage(320, middle, played ? TEXT_DASH : TEXT_TO_PLAY, MENU_ALIGN_CENTRE);
    if (played) {
        DrawMenuNumber(310, middle, m.homeGoals, MENU_ALIGN_CENTRE);
        DrawMenuNumber(330, middle, m.awayGoals, MENU_ALIGN_CENTRE);
    }
    SetMenuFont(0);
    DrawMenuString(HOME_NOTE_X, middle, homeNote, MENU_ALIGN_MR);
    DrawMenuString(AWAY_NOTE_X, middle, awayNote, MENU_ALIGN_ML);
}

void DrawMatches(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    if (!CupGroups.hasFixtures) return;
    for (int32_t r = 0; r < CUP_GROUP_MATCHES; ++r) {
        if (CupGroups.matches[r].home >= 0)
            DrawMatch(MATCHES_Y + r * PITCH + TEXT_Y, CupGroups.matches[r]);
    }
}

void Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) CupGroups.group = 0;
    CupGroups_Build(CupGroups.group);
}

}  // namespace

void CupGroupsInit() { CupGroups = {}; }
void CupGroupsUninit() { CupGroupsInit(); }

void CupGroups_Build(int32_t group)
{
    CupGroups.group = Word(group);
    CupGroups.groupName = Word(VTW_GetTextNoFromTable(group));
    CupGroups.hasFixtures = 0;
    for (int32_t k = 0; k < CHAMPIONS_GROUP_SIZE; ++k) {
        CupGroups.teams[k] = {Word(VTW_GetChampionsLeagueGroupClub(group, k)), 0, 0, 0, 0, 0, 0};
        CupGroups.order[k] = Word(k);
    }
    for (CupGroupMatch& m : CupGroups.matches) {
        m = {-1, CUP_GROUP_NOT_PLAYED, CUP_GROUP_NOT_PLAYED, -1};
    }
    const bool hasGroups = CupGroups.teams[0].club >= 0;
    CupGroups.message = Word(hasGroups ? -1 : TEXT_NO_MATCHES);
    if (!hasGroups) return;
    int32_t slot = 0;
    for (int32_t row = 0; row < Fixture_RowCount(); ++row) {
        if (VTW_GetFixtureCompetition(row) != COMP_CHAMPIONS_GROUPS) continue;
        CupGroups.hasFixtures = 1;
        ReadFixture(row, &slot);
    }
    Order();
}

int32_t CupGroups_Previous(MenuHotspot*)
{
    CupGroups.group = Word(std::max(0, CupGroups.group - 1));
    return EXM_CODE_REDRAW;
}

int32_t CupGroups_Next(MenuHotspot*)
{
    CupGroups.group = Word(std::min(LAST_GROUP, CupGroups.group + 1));
    return EXM_CODE_REDRAW;
}

int32_t CupGroups_TableRow(MenuHotspot* hotspot)
{
    const int32_t r = hotspot->row;
    if (r < 0 || r >= CHAMPIONS_GROUP_SIZE) return 1;
    return OpenSquad(CupGroups.teams[CupGroups.order[r]].club);
}

int32_t CupGroups_HomeClub(MenuHotspot* hotspot)
{
    const int32_t r = hotspot->row;
    return r >= 0 && r < CUP_GROUP_MATCHES ? OpenSquad(CupGroups.matches[r].home) : 1;
}

int32_t CupGroups_AwayClub(MenuHotspot* hotspot)
{
    const int32_t r = hotspot->row;
    return r >= 0 && r < CUP_GROUP_MATCHES ? OpenSquad(CupGroups.matches[r].away) : 1;
}

const MenuItem* CupGroups_Table()
{
    static const MenuItem tableRow[] = {
        {0x1f, 0, 0, TABLE_W, PITCH, MenuNumber(-1), CupGroups_TableRow},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem matchRow[] = {
        {0x1f, MATCHES_X, 0, MATCH_HALF_W, PITCH, MenuNumber(-1), CupGroups_HomeClub},
        {0x1f, MATCHES_X + MATCH_HALF_W, 0, MATCH_HALF_W, PITCH, MenuNumber(-1),
         CupGroups_AwayClub},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // What the group arrows change, the group's name, table and matches, is drawn past the
        // marker, so that their redraw shows it.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawTableRows), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawMatches), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x10, NAME_X, 65, MENU_ALIGN_CENTRE, 0, MenuVariable(&CupGroups.groupName), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x10, 320, 240, MENU_ALIGN_CENTRE, 0, MenuVariable(&CupGroups.message), nullptr},
        {0x21, TABLE_X, TABLE_Y, CHAMPIONS_GROUP_SIZE, PITCH, MenuAddress(tableRow), nullptr},
        {0x21, 0, MATCHES_Y, CUP_GROUP_MATCHES, PITCH, MenuAddress(matchRow), nullptr},
        {0x03, 305, 420, MENU_ALIGN_TL, 0, MenuNumber(ARROWS_ICON), nullptr},
        {0x1f, 305, 425, 15, 30, MenuNumber(-1), CupGroups_Previous},
        {0x1f, 320, 425, 15, 30, MenuNumber(-1), CupGroups_Next},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), MenuCont_ToOffice},
        MenuEndItem(nullptr, MenuCont_EscapeToOffice),
    };
    return table;
}
