// menus/historylists.cpp: the scorers and performance lists and the club's transfers.
#include "menus/historylists.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/transfers.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"
#include "menus/pasttransfers.h"

ScorerListState ScorerLists;
ClubTransferState ClubTransfers;
BestPlayersState BestPlayers;

namespace {

constexpr int16_t LIST_TITLES[] = {1476, 1682};
constexpr int16_t LIST_OPTIONS[] = {34, 76};
constexpr int32_t LINE_ICON_BASE = 89;  // keeper, defender, midfielder, forward
constexpr int32_t LINE_COUNT = 4;       // a player-manager's line 4 has no icon
constexpr int32_t TEXT_TRANSFERS_TITLE = 2119;
constexpr int32_t TEXT_BEST_TITLE = 1210;
constexpr int32_t TEXT_DATE = 593;
constexpr int32_t TEXT_PLAYER = 594;
constexpr int32_t TEXT_FROM = 595;
constexpr int32_t TEXT_TO = 596;
constexpr int32_t TEXT_VALUE = 241;
constexpr int32_t TEXT_BOUGHT = 597;
constexpr int32_t TEXT_SOLD = 598;
constexpr int32_t ROWS_X = 32;
constexpr int32_t SCORERS_Y = 100;
constexpr int32_t TRANSFERS_Y = 107;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t TEXT_Y = ROW_PITCH / 2;
constexpr int32_t ROW_WIDTH = 576;

int16_t Word(int32_t n) { return static_cast<int16_t>(n); }

// ---- The scorers and performance lists.

int32_t KeyOf(int32_t key, int32_t player)
{
    return key == HISTORY_GOALS ? VTW_GetPlayerGoals(player) : VTW_GetPlayerPerf(player);
}

// The club a player plays for: his loan club while on loan.
int32_t PlayingClub(int32_t player)
{
    const int32_t loan = VTW_GetPlayerLoanSlot(player);
    return loan >= 0 ? loan : VTW_GetPlayerClub(player);
}

// The division of the list a player belongs in, -1 for none.
int32_t ListDivision(int32_t key, int32_t player)
{
    if (KeyOf(key, player) <= 0) return -1;
    if (key == HISTORY_GOALS && VTW_GetPositionLine(player) == 0) return -1;
    if (key == HISTORY_PERFORMANCE && VTW_IsRegularPlayer(player) == 0) return -1;
    const int32_t club = PlayingClub(player);
    if (club < 0 || club >= CLUB_ID_COUNT || VTW_GetClubCountry(club) != VTW_GetCountry())
        return -1;
    const int32_t division = VTW_GetClubDivision(club);
    return division >= 0 && division < DIVISION_MAX ? division : -1;
}

// Past every empty place and every smaller key, never past an equal one; the last drops out.
void Insert(int16_t* entries, int32_t* keys, int32_t player, int32_t key)
{
    int32_t at = 0;
    while (at < HISTORY_LIST_ROWS && entries[at] >= 0 && keys[at] >= key)
        ++at;
    if (at == HISTORY_LIST_ROWS) return;
    for (int32_t k = HISTORY_LIST_ROWS - 1; k > at; --k) {
        entries[k] = entries[k - 1];
        keys[k] = keys[k - 1];
    }
    entries[at] = Word(player);
    keys[at] = key;
}

int32_t HumanDivision()
{
    const int32_t club = VTW_GetClubOfManager(MANAGER_HUMAN);
    if (club < 0 || club >= CLUB_ID_COUNT) return 0;
    const int32_t division = VTW_GetClubDivision(club);
    return division >= 0 && division < VTW_GetCountryDivisions() ? division : 0;
}

template <int32_t Division>
int32_t ChooseDivision(MenuHotspot*)
{
    ScorerLists.division = Division;
    return EXM_CODE_REDRAW;
}

constexpr std::array<ClickFn, DIVISION_MAX> kChooseDivision = {
    ChooseDivision<0>, ChooseDivision<1>, ChooseDivision<2>,
    ChooseDivision<3>, ChooseDivision<4>, ChooseDivision<5>};

DivisionButtonSet s_buttons = {
    ScorerLists.divisionHighlights, ScorerLists.divisionTexts, kChooseDivision.data(), {}};

void BuildScorers()
{
    if (EXM_GetRebuildFlag() != 0) {
        MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
        ScorerLists_Collect(ScorerLists.key);
        ScorerLists.division = Word(HumanDivision());
    }
    ScorerLists_FillRows();
    ScorerLists.divisionButtons = DivisionButtons_Fill(&s_buttons, ScorerLists.division);
}

void DrawScorerIcons(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_ShadedBox(ROWS_X, SCORERS_Y, ROW_WIDTH, HISTORY_LIST_ROWS * ROW_PITCH, 0);
    for (int32_t r = 0; r < HISTORY_LIST_ROWS; ++r) {
        if (ScorerLists.rows[r].name < 0) continue;
        const int32_t line = VTW_GetPositionLine(ScorerLists.entries[ScorerLists.division][r]);
        if (line < LINE_COUNT)
            DoIcon(ROWS_X + 12, SCORERS_Y + r * ROW_PITCH + TEXT_Y, LINE_ICON_BASE + line,
                   MENU_ALIGN_ML);
    }
}

// The list's title, in the header's room.
void DrawScorersTitle(int32_t x, int32_t y, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderTitle(x, y, GetMessageText(ScorerLists.title));
}

const MenuItem* ScorersTable(int32_t key)
{
    ScorerLists.key = key;
    constexpr int16_t STRIDE = sizeof(ScorerRow);
    const ScorerRow* r = &ScorerLists.rows[0];
    static const MenuItem row[] = {
        {0x31, 0, 0, 0, STRIDE, MenuVariable(&r->highlight), nullptr},
        {0x10, 50, TEXT_Y - 3, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->name), nullptr},
        {0x12, 560, TEXT_Y, MENU_ALIGN_MR, STRIDE, MenuVariable(&r->note), nullptr},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x1f, 0, 0, ROW_WIDTH, ROW_PITCH, MenuNumber(-1), ScorerLists_Row},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(BuildScorers), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 320, 36, 0, 0, MenuCallback(DrawScorersTitle), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // What a division button changes is drawn past the marker, so that its redraw shows it.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x10, 320, 80, MENU_ALIGN_CENTRE, 0, MenuVariable(&ScorerLists.divisionName), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawScorerIcons), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x21, ROWS_X, SCORERS_Y, HISTORY_LIST_ROWS, ROW_PITCH, MenuAddress(row), nullptr},
        {0x22, 0, 0, 1, 0, MenuVariable(&ScorerLists.divisionButtons), nullptr},
        {0x03, 570, 440, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 440, 30, 30, MenuNumber(-1), MenuCont_ToOffice},
        MenuEndItem(nullptr, MenuCont_EscapeToOffice),
    };
    return table;
}

// ---- The club's transfers.

void BuildTransfers()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    const int32_t mode =
        EXM_GetRebuildFlag() != 0 ? int32_t{CLUB_TRANSFERS_BOUGHT} : ClubTransfers.mode;
    ClubTransfers_Collect(GameState.currentClub, mode);
}

void DrawTransfer(int32_t middle, const TransferRecordRow& r)
{
    const int32_t other = ClubTransfers.mode == CLUB_TRANSFERS_BOUGHT ? r.seller : r.buyer;
    char date[16];
    std::snprintf(date, sizeof date, "%d/%d/%02d", r.day, r.month + 1, r.year);
    DrawMenuString(ROWS_X + 10, middle, date, MENU_ALIGN_ML);
    DrawMenuString(ROWS_X + 110, middle, VTW_FormatPersonName(r.player), MENU_ALIGN_ML);
    const int32_t otherText = PastTransfers_RowClubText(r, other, ClubTransfers.club);
    if (otherText >= 0) DrawMenuMessage(ROWS_X + 260, middle, otherText, MENU_ALIGN_ML);
    DrawMenuString(ROWS_X + 426, middle, Price2str(r.fee), MENU_ALIGN_ML);
}

// The small font: a free agent's "Joueur sans engagement" fits before the fee.
void DrawTransferRows(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    for (int32_t row = 0; row < HISTORY_LIST_ROWS; ++row) {
        const int32_t y = TRANSFERS_Y + row * ROW_PITCH;
        MenuCont_ShadedBox(ROWS_X, y, ROW_WIDTH, ROW_PITCH, row & 1);
        const int32_t record = ClubTransfers.records[row];
        if (record >= 0) DrawTransfer(y + TEXT_Y, *VTW_GetTransferRecord(record));
    }
}

template <int16_t Mode>
int32_t ShowMode(MenuHotspot*)
{
    ClubTransfers.mode = Mode;
    return EXM_CODE_REDRAW;
}

// ---- The club's best players.

constexpr int32_t SCORERS_X = 20;
constexpr int32_t SCORERS_RIGHT = 120;
constexpr int32_t BEST_Y = 80;
constexpr int32_t SEASON_COLUMNS = 4;
constexpr int32_t SEASON_X[SEASON_COLUMNS] = {130, 260, 390, 520};
constexpr int32_t SEASON_WIDTH = 100;      // the last column ends inside the screen
constexpr int32_t BLOCK_Y[2] = {80, 220};  // the headings; the rows below them

constexpr int32_t FIGURE_GAP = 5;  // between a name and its figure

// A player's name and his figure on a line `width` long from x, in the current font: the name
// cut short where it would reach the figure.
void DrawNameAndFigure(int32_t x, int32_t middle, int32_t width, int32_t player, int32_t figure)
{
    int32_t w = 0, h = 0;
    const int32_t room = width - GetTextExtent(Number2Str(figure), &w, &h) - FIGURE_GAP;
    DrawMenuString(x, middle, FitMenuText(VTW_FormatPersonName(player), room), MENU_ALIGN_ML);
    DrawMenuNumber(x + width, middle, figure, MENU_ALIGN_MR);
}

// The season's row is written as the league season ends, on the day after its last match day.
bool LeagueSeasonStored() { return VTW_GetCurrentDay() > VTW_GetLastLeagueDay() + 1; }

void DrawSeasonBlock(int32_t shown)
{
    const int32_t season = BestPlayers.seasons[shown];
    const int32_t x = SEASON_X[shown % SEASON_COLUMNS];
    const int32_t y = BLOCK_Y[shown / SEASON_COLUMNS];
    char years[16];
    std::snprintf(years, sizeof years, "%d/%02d", season + 1999, (season + 2000) % 100);
    SetMenuFont(1);
    DrawMenuString(x, y + TEXT_Y, years, MENU_ALIGN_ML);
    SetMenuFont(0);
    const int32_t row = season % SEASON_BEST_ROWS;
    for (int32_t rank = 0; rank < BEST_SEASON_PLAYERS; ++rank) {
        const int32_t player = VTW_GetClubSeasonBestPlayer(rank, row);
        if (player < 0) continue;
        const int32_t middle = y + (rank + 1) * ROW_PITCH + TEXT_Y;
        DrawNameAndFigure(x, middle, SEASON_WIDTH, player, VTW_GetClubSeasonBestValue(rank, row));
    }
}

void DrawBestPlayers(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_ShadedBox(ROWS_X - 20, BEST_Y, ROW_WIDTH + 40, HISTORY_LIST_ROWS * ROW_PITCH, 0);
    SetMenuFont(0);
    for (int32_t r = 0; r < BestPlayers.scorerCount; ++r) {
        const int32_t player = BestPlayers.scorers[r];
        const int32_t middle = BEST_Y + r * ROW_PITCH + TEXT_Y;
        DrawNameAndFigure(SCORERS_X, middle, SCORERS_RIGHT - SCORERS_X, player,
                          VTW_GetPlayerGoals(player));
    }
    for (int32_t shown = 0; shown < BestPlayers.seasonCount; ++shown) {
        DrawSeasonBlock(shown);
    }
}

void BuildBestPlayers()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    BestPlayers_Build(GameState.currentClub);
}

}  // namespace

void HistoryListsInit()
{
    ScorerLists = {};
    ClubTransfers = {};
    BestPlayers = {};
}

void HistoryListsUninit() { HistoryListsInit(); }

void ScorerLists_Collect(int32_t key)
{
    ScorerLists.key = key;
    ScorerLists.title = LIST_TITLES[key];
    for (int32_t d = 0; d < DIVISION_MAX; ++d) {
        for (int32_t k = 0; k < HISTORY_LIST_ROWS; ++k) {
            ScorerLists.entries[d][k] = -1;
            ScorerLists.keys[d][k] = 0;
        }
    }
    // Only full records keep season goals and performances: the light players all answer 0.
    for (int32_t player = 0; player < FullPlayerCount; ++player) {
        const int32_t division = ListDivision(key, player);
        if (division >= 0)
            Insert(ScorerLists.entries[division], ScorerLists.keys[division], player,
                   KeyOf(key, player));
    }
}

void ScorerLists_FillRows()
{
    const int32_t division = ScorerLists.division;
    ScorerLists.divisionName = Word(VTW_GetDivisionLongNameTextNo(division));
    for (int32_t r = 0; r < HISTORY_LIST_ROWS; ++r) {
        char* note = ScorerLists.notes[r];
        note[0] = '\0';
        ScorerLists.rows[r] = {0, -1, note};
        const int32_t player = ScorerLists.entries[division][r];
        const int32_t key = ScorerLists.keys[division][r];
        if (player < 0 || key <= 0) continue;
        const int32_t club = PlayingClub(player);
        ScorerLists.rows[r].highlight = VTW_GetClubController(club) != 0 ? HISTORY_HIGHLIGHT : 0;
        ScorerLists.rows[r].name = Word(VTW_PersonTextNo(player));
        std::snprintf(note, HISTORY_NOTE_BYTES, "(%s)  %d", VTW_FormatClubName(VTW_GetTeam(club)),
                      key);
    }
}

int32_t ScorerLists_Row(MenuHotspot* hotspot)
{
    const int32_t r = hotspot->row;
    if (r < 0 || r >= HISTORY_LIST_ROWS || ScorerLists.rows[r].name < 0) return 1;
    CurrentPlayer = ScorerLists.entries[ScorerLists.division][r];
    CardReturnOption = static_cast<uint16_t>(LIST_OPTIONS[ScorerLists.key]);
    MenuOption = MENU_OPTION_PLAYER_CARD;
    return EXM_CODE_LEAVE;
}

void ClubTransfers_Collect(int32_t club, int32_t mode)
{
    ClubTransfers.club = Word(club);
    ClubTransfers.mode = Word(mode);
    ClubTransfers.count = 0;
    const bool bought = mode == CLUB_TRANSFERS_BOUGHT;
    ClubTransfers.boughtHighlight = bought ? HISTORY_HIGHLIGHT : int16_t{0};
    ClubTransfers.soldHighlight = bought ? int16_t{0} : HISTORY_HIGHLIGHT;
    ClubTransfers.otherHeading = Word(bought ? TEXT_FROM : TEXT_TO);
    for (int32_t& record : ClubTransfers.records) {
        record = -1;
    }
    for (int32_t n = Transfers_Count() - 1; n >= 0 && ClubTransfers.count < HISTORY_LIST_ROWS;
         --n) {
        const TransferRecordRow* r = VTW_GetTransferRecord(n);
        if ((bought ? r->buyer : r->seller) == club)
            ClubTransfers.records[ClubTransfers.count++] = n;
    }
}

const MenuItem* TopScorers_Table() { return ScorersTable(HISTORY_GOALS); }
const MenuItem* AveragePerformance_Table() { return ScorersTable(HISTORY_PERFORMANCE); }

const MenuItem* ClubTransfers_Table()
{
    constexpr int32_t HEAD_Y = 90;
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(BuildTransfers), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TRANSFERS_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // The list bought or sold, its heading and rows, is drawn past the marker, so that the
        // redraw of its buttons shows it.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x0f, ROWS_X + 70, HEAD_Y, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_DATE), nullptr},
        {0x0f, ROWS_X + 140, HEAD_Y, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_PLAYER), nullptr},
        {0x10, ROWS_X + 290, HEAD_Y, MENU_ALIGN_ML, 0, MenuVariable(&ClubTransfers.otherHeading),
         nullptr},
        {0x0f, ROWS_X + 456, HEAD_Y, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_VALUE), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawTransferRows), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x31, 0, 0, 0, 0, MenuVariable(&ClubTransfers.boughtHighlight), nullptr},
        {0x200c, 32, 440, 266, 30, MenuTextNo(TEXT_BOUGHT), ShowMode<CLUB_TRANSFERS_BOUGHT>},
        {0x31, 0, 0, 0, 0, MenuVariable(&ClubTransfers.soldHighlight), nullptr},
        {0x200c, 298, 440, 266, 30, MenuTextNo(TEXT_SOLD), ShowMode<CLUB_TRANSFERS_SOLD>},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 30, 30, MenuNumber(-1), MenuCont_ToOffice},
        MenuEndItem(nullptr, MenuCont_EscapeToOffice),
    };
    return table;
}

void BestPlayers_Build(int32_t club)
{
    BestPlayers = {};
    BestPlayers.club = Word(club);
    const int32_t count = VTW_RefreshSquadCount(club);
    for (int32_t k = 0; k < count && BestPlayers.scorerCount < HISTORY_LIST_ROWS; ++k) {
        const int32_t player = SquadList.players[k];
        if (player >= 0 && VTW_GetPlayerGoals(player) > 0 && VTW_GetPositionLine(player) != 0)
            BestPlayers.scorers[BestPlayers.scorerCount++] = Word(player);
    }
    std::stable_sort(
        BestPlayers.scorers, BestPlayers.scorers + BestPlayers.scorerCount,
        [](int16_t a, int16_t b) { return VTW_GetPlayerGoals(a) > VTW_GetPlayerGoals(b); });
    const int32_t latest = VTW_GetSeasonCounter() - (LeagueSeasonStored() ? 0 : 1);
    for (int32_t season = latest; season >= 0 && BestPlayers.seasonCount < BEST_SEASONS_SHOWN;
         --season) {
        BestPlayers.seasons[BestPlayers.seasonCount++] = Word(season);
    }
}

const MenuItem* BestPlayers_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(BuildBestPlayers), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_BEST_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // The marker keeps this screen's own clean screen, which the emblem is drawn over.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawBestPlayers), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 30, 30, MenuNumber(-1), MenuCont_ToOffice},
        MenuEndItem(nullptr, MenuCont_EscapeToOffice),
    };
    return table;
}
