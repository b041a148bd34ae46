// menus/honours.cpp: the national roll of honour and the ranked lists.
#include "menus/honours.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

RollState RollOfHonour;
RankedState RankedLists;

namespace {

constexpr int32_t TEXT_ROLL_TITLE = 1817;
constexpr int32_t TEXT_PROMOTED = 1818;
constexpr int32_t TEXT_PLAY_OFFS = 1819;
constexpr int32_t TEXT_CHAMPIONS_CUP = 1821;
constexpr int32_t TEXT_SECOND_CUP = 1822;
constexpr int32_t TEXT_WINNER = 1466;
constexpr int32_t TEXT_RUNNER_UP = 1467;
constexpr int32_t TEXT_CHAMPIONS = 1470;
constexpr int16_t RANKED_TITLES[] = {1833, 1834, 1681};
constexpr int32_t DISPOINTS_SHOWN_PER_POINT = 3;
constexpr int32_t ROWS_X = 32;
constexpr int32_t ROLL_Y = 106;
constexpr int32_t RANKED_Y = 80;
constexpr int32_t ROW_WIDTH = 576;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t TEXT_Y = ROW_PITCH / 2;
constexpr int32_t ITEM_GAP = 5;  // between a text and the row's end
constexpr int32_t ROW_FONT = 1;
constexpr int32_t ROLL_NOTE_X = 258;
constexpr int32_t ROLL_NOTE_ROOM = ROW_WIDTH - ITEM_GAP - ROLL_NOTE_X;

int16_t Word(int32_t n) { return static_cast<int16_t>(n); }

int16_t TeamName(int32_t team) { return Word(team >= 0 ? VTW_ClubNameTextNo(team) : -1); }
const char* ClubName(int32_t club) { return VTW_FormatClubName(VTW_GetTeam(club)); }
const char* DivisionName(int32_t division)
{
    return GetMessageText(VTW_GetDivisionNameTextNo(division));
}

// ---- The roll of honour.

// A qualifier with the title he holds: the champions with their division, a cup's winner with
// the cup, whose name is the title itself.
void FormatQualifier(int32_t row, int32_t club)
{
    char* note = RollOfHonour.notes[row];
    const int32_t title = VTW_GetTitleHolderTextNo(club);
    if (title == TEXT_CHAMPIONS) {
        std::snprintf(note, ROLL_NOTE_BYTES, "%s (%s %s)", ClubName(club), GetMessageText(title),
                      DivisionName(0));
    } else if (title >= 0) {
        std::snprintf(note, ROLL_NOTE_BYTES, "%s (%s)", ClubName(club), GetMessageText(title));
    } else {
        std::snprintf(note, ROLL_NOTE_BYTES, "%s", ClubName(club));
    }
}

// The cup winner, then each continental list under its heading, as far as the slots go.
void FillTopDivision(int32_t row)
{
    RollRow* rows = RollOfHonour.rows;
    int32_t runnerUp = -1;
    std::snprintf(RollOfHonour.headings[row], ROLL_HEADING_BYTES, "%s %s",
                  GetMessageText(VTW_GetCountryTextNo(0)), GetMessageText(TEXT_WINNER));
    rows[row++].clubName = TeamName(VTW_GetHonoursEntry(1, 0, &runnerUp));
    int32_t lists[2][EURO_QUALIFIERS_MAX];
    int32_t counts[2] = {0, 0};
    GetEuroQualifiers(lists[0], lists[1], &counts[0], &counts[1]);
    const int16_t headings[2] = {TEXT_CHAMPIONS_CUP, TEXT_SECOND_CUP};
    for (int32_t list = 0; list < 2; ++list) {
        if (row < ROLL_SLOTS) rows[row++].headingText = headings[list];
        for (int32_t k = 0; k < counts[list] && row < ROLL_SLOTS; ++k) {
            FormatQualifier(row++, lists[list][k]);
        }
    }
}

void FillPlayOffs(int32_t division, int32_t row)
{
    if (!VTW_HasDivisionEntry(division)) return;
    RollRow* rows = RollOfHonour.rows;
    rows[row++].headingText = TEXT_PLAY_OFFS;
    for (int32_t k = 0; k < HONOURS_PLAYOFF_CLUBS; ++k, ++row) {
        const int32_t club = VTW_GetDivisionHonourClub(division, k);
        if (club >= 0)
            std::snprintf(RollOfHonour.notes[row], ROLL_NOTE_BYTES, "%s (%s)", ClubName(club),
                          GetMessageText(TEXT_PROMOTED));
    }
}

template <int32_t Division>
int32_t ChooseDivision(MenuHotspot*)
{
    RollOfHonour.division = Division;
    return EXM_CODE_REDRAW;
}

constexpr std::array<ClickFn, DIVISION_MAX> kChooseDivision = {
    ChooseDivision<0>, ChooseDivision<1>, ChooseDivision<2>,
    ChooseDivision<3>, ChooseDivision<4>, ChooseDivision<5>};

DivisionButtonSet s_buttons = {
    RollOfHonour.divisionHighlights, RollOfHonour.divisionTexts, kChooseDivision.data(), {}};

void BuildRoll()
{
    if (EXM_GetRebuildFlag() != 0) {
        MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
        RollOfHonour.division = 0;
    }
    RollOfHonour_Build(RollOfHonour.division);
    RollOfHonour.divisionButtons = DivisionButtons_Fill(&s_buttons, RollOfHonour.division);
}

void DrawRollFrame(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_ShadedBox(ROWS_X, ROLL_Y, ROW_WIDTH, ROLL_ROWS_SHOWN * ROW_PITCH, 0);
}

int32_t ToOffice(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

int32_t LeaveToOffice() { return ToOffice(nullptr); }

// ---- The ranked lists.

int32_t KeyOf(int32_t list, int32_t entry)
{
    switch (list) {
        case RANKED_MANAGERS: return VTW_GetPlayerReputation(entry);
        case RANKED_DISCIPLINE: return VTW_GetClubSeasonDispoints(entry);
        default: return VTW_GetClubReputation(entry);
    }
}

bool IsCountryClub(int32_t club)
{
    return club >= 0 && club < CLUB_ID_COUNT && VTW_GetClubCountry(club) == VTW_GetCountry();
}

int32_t ManagerClub(int32_t person)
{
    return person == PERSON_HUMAN ? VTW_GetClubOfManager(MANAGER_HUMAN) : VTW_GetPlayerClub(person);
}

bool IsListedManager(int32_t person)
{
    if (DbPersons[person].flags & PERSON_FREE) return false;
    if (!VTW_GetPlayerManager(person) && !VTW_GetPlayerManagerFlag(person)) return false;
    const int32_t club = VTW_GetPlayerClub(person);
    return IsCountryClub(club) || club == CLUB_NONE;
}

void Add(int32_t entry)
{
    if (RankedLists.count < RANKED_MAX) RankedLists.entries[RankedLists.count++] = Word(entry);
}

void CollectEntries(int32_t list)
{
    if (list == RANKED_MANAGERS) {
        Add(PERSON_HUMAN);
        for (int32_t person = PERSON_FIRST_ORDINARY; person < DbPersonCount; ++person) {
            if (IsListedManager(person)) Add(person);
        }
        return;
    }
    for (int32_t club = 0; club < std::min(DbClubCount, CLUB_ID_COUNT); ++club) {
        if (IsCountryClub(club) && VTW_GetClubDivision(club) < DIVISION_OUTSIDE) Add(club);
    }
}

void FillRow(RankedTexts* texts, RankedRow* row, int32_t entry)
{
    const int32_t list = RankedLists.list;
    const int32_t club = list == RANKED_MANAGERS ? ManagerClub(entry) : entry;
    const bool hasClub = club >= 0 && club < CLUB_ID_COUNT;
    row->highlight = hasClub && VTW_GetClubController(club) != 0 ? RANKED_HIGHLIGHT : int16_t{0};
    if (list == RANKED_MANAGERS) {
        row->name = Word(VTW_PersonTextNo(entry));
        if (hasClub) std::snprintf(texts->note, sizeof texts->note, "(%s)", ClubName(club));
        return;
    }
    row->name = Word(VTW_ClubNameTextNo(VTW_GetTeam(club)));
    const char* division = DivisionName(VTW_GetClubDivision(club));
    if (list == RANKED_CLUBS && division[0] != '\0')
        std::snprintf(texts->note, sizeof texts->note, "(%s)", division);
    if (list == RANKED_DISCIPLINE)
        std::snprintf(texts->second, sizeof texts->second, "(%s)  %d", division,
                      VTW_GetClubSeasonDispoints(club) * DISPOINTS_SHOWN_PER_POINT);
}

void BuildRanked()
{
    if (EXM_GetRebuildFlag() != 0) {
        MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
        RankedLists_Collect(RankedLists.list);
    }
    RankedLists_FillRows();
}

void DrawRankedFrame(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    for (int32_t row = 0; row < RANKED_ROWS; ++row) {
        MenuCont_ShadedBox(ROWS_X, RANKED_Y + row * ROW_PITCH, ROW_WIDTH, ROW_PITCH, row & 1);
    }
}

const MenuItem* RankedTable(int32_t list)
{
    RankedLists.list = list;
    constexpr int16_t STRIDE = sizeof(RankedRow);
    const RankedRow* r = &RankedLists.rows[0];
    static const MenuItem row[] = {
        {0x31, 0, 0, 0, STRIDE, MenuVariable(&r->highlight), nullptr},
        {0x12, 18, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->rank), nullptr},
        {0x10, 48, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->name), nullptr},
        {0x12, 328, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->note), nullptr},
        {0x12, ROW_WIDTH - ITEM_GAP, TEXT_Y, MENU_ALIGN_MR, STRIDE, MenuVariable(&r->second),
         nullptr},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x1f, 0, 0, ROW_WIDTH, ROW_PITCH, MenuNumber(-1), RankedLists_Row},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(BuildRanked), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x10, 320, 36, MENU_ALIGN_CENTRE, 0, MenuVariable(&RankedLists.title), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawRankedFrame), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x21, ROWS_X, RANKED_Y, RANKED_ROWS, ROW_PITCH, MenuAddress(row), nullptr},
        {0x03, 24, 430, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_ARROWS), nullptr},
        {0x1f, 30, 436, 30, 15, MenuNumber(-1), RankedLists_PageUp},
        {0x1f, 30, 456, 30, 15, MenuNumber(-1), RankedLists_PageDown},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), ToOffice},
        MenuEndItem(nullptr, LeaveToOffice),
    };
    return table;
}

}  // namespace

void HonoursScreensInit()
{
    RollOfHonour = {};
    RankedLists = {};
}

void HonoursScreensUninit() { HonoursScreensInit(); }

void RollOfHonour_Build(int32_t division)
{
    for (int32_t row = 0; row < ROLL_SLOTS; ++row) {
        RollOfHonour.headings[row][0] = '\0';
        RollOfHonour.notes[row][0] = '\0';
        RollOfHonour.rows[row] = {-1, -1, ROW_FONT, RollOfHonour.headings[row],
                                  RollOfHonour.notes[row]};
    }
    RollOfHonour.title = Word(VTW_GetDivisionLongNameTextNo(division));
    RollRow* rows = RollOfHonour.rows;
    int32_t runnerUp = -1;
    const int32_t champion = VTW_GetHonoursEntry(1, HONOURS_DIVISION_FIRST + division, &runnerUp);
    rows[0].headingText = TEXT_CHAMPIONS;
    rows[0].clubName = TeamName(champion);
    rows[1].headingText = TEXT_RUNNER_UP;
    rows[1].clubName = TeamName(champion >= 0 ? runnerUp : -1);
    if (division == 0) {
        FillTopDivision(2);
    } else {
        FillPlayOffs(division, 2);
    }
    for (int32_t row = 0; row < ROLL_SLOTS; ++row) {
        rows[row].noteFont = static_cast<int16_t>(FitMenuTextInPlace(
            RollOfHonour.notes[row], ROLL_NOTE_BYTES, ROLL_NOTE_ROOM, ROW_FONT, 0));
    }
}

void RankedLists_Collect(int32_t list)
{
    RankedLists.list = list;
    RankedLists.title = RANKED_TITLES[list];
    RankedLists.count = 0;
    RankedLists.first = 0;
    CollectEntries(list);
    // The keys once each: the managers' list reads a person's record per comparison otherwise.
    std::array<std::pair<int32_t, int16_t>, RANKED_MAX> keyed;
    for (int32_t k = 0; k < RankedLists.count; ++k) {
        keyed[k] = {KeyOf(list, RankedLists.entries[k]), RankedLists.entries[k]};
    }
    std::stable_sort(keyed.begin(), keyed.begin() + RankedLists.count,
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (int32_t k = 0; k < RankedLists.count; ++k) {
        RankedLists.entries[k] = keyed[k].second;
    }
}

void RankedLists_FillRows()
{
    for (int32_t r = 0; r < RANKED_ROWS; ++r) {
        RankedTexts& texts = RankedLists.texts[r];
        RankedRow& row = RankedLists.rows[r];
        texts = {};
        row = {0, -1, texts.rank, texts.note, texts.second};
        const int32_t shown = RankedLists.first + r;
        if (shown >= RankedLists.count) continue;
        std::snprintf(texts.rank, sizeof texts.rank, "%d.", shown + 1);
        FillRow(&texts, &row, RankedLists.entries[shown]);
    }
}

int32_t RankedLists_PageUp(MenuHotspot*)
{
    RankedLists.first = Word(std::max(0, RankedLists.first - RANKED_PAGE));
    return EXM_CODE_REDRAW;
}

int32_t RankedLists_PageDown(MenuHotspot*)
{
    int32_t first = RankedLists.first + RANKED_PAGE;
    if (first + RANKED_ROWS > RankedLists.count) first = RankedLists.count - RANKED_ROWS;
    RankedLists.first = Word(std::max(0, first));
    return EXM_CODE_REDRAW;
}

int32_t RankedLists_Row(MenuHotspot* hotspot)
{
    const int32_t shown = RankedLists.first + hotspot->row;
    if (hotspot->row >= RANKED_ROWS || shown >= RankedLists.count) return EXM_CODE_NONE;
    const int32_t entry = RankedLists.entries[shown];
    if (RankedLists.list == RANKED_MANAGERS) {
        CurrentPlayer = Word(entry);
        MenuOption = MENU_OPTION_CAREER;
    } else {
        GameState.currentClub = Word(entry);
        MenuOption = MENU_OPTION_TO_SQUAD;
    }
    return EXM_CODE_LEAVE;
}

const MenuItem* RollOfHonour_Table()
{
    constexpr int16_t STRIDE = sizeof(RollRow);
    const RollRow* r = &RollOfHonour.rows[0];
    static const MenuItem row[] = {
        {0x24, 0, 0, ROW_WIDTH, ROW_PITCH, MenuCallback(MenuCont_ShadedBox), nullptr},
        {0x10, 28, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->headingText), nullptr},
        {0x12, 28, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->heading), nullptr},
        {0x10, ROLL_NOTE_X, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->clubName), nullptr},
        {0x0e, 0, 0, 0, STRIDE, MenuVariable(&r->noteFont), nullptr},
        {0x12, ROLL_NOTE_X, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->note), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(ROW_FONT), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(BuildRoll), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_ROLL_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // What a division button changes is drawn past the marker, so that its redraw shows it.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawRollFrame), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x10, 320, 86, MENU_ALIGN_CENTRE, 0, MenuVariable(&RollOfHonour.title), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x21, ROWS_X, ROLL_Y, ROLL_ROWS_SHOWN, ROW_PITCH, MenuAddress(row), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), ToOffice},
        {0x22, 0, 0, 1, 0, MenuVariable(&RollOfHonour.divisionButtons), nullptr},
        MenuEndItem(nullptr, LeaveToOffice),
    };
    return table;
}

const MenuItem* ClubReputation_Table() { return RankedTable(RANKED_CLUBS); }
const MenuItem* ManagerReputation_Table() { return RankedTable(RANKED_MANAGERS); }
const MenuItem* DisciplineList_Table() { return RankedTable(RANKED_DISCIPLINE); }
