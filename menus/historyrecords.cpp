// menus/historyrecords.cpp: the trophies by season and the national records.
#include "menus/historyrecords.h"

#include <cstdio>
#include <string>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/honours.h"
#include "game/ids.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/clubrecords.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"

TrophyState Trophies;
NationalRecordState NationalRecords;

namespace {

constexpr int32_t TEXT_TITLE = 1469;
constexpr int32_t TEXT_WINNER = 1466;
constexpr int32_t TEXT_RUNNER_UP = 1467;
constexpr int32_t TEXT_CUPS_BUTTON = 867;
constexpr int32_t TEXT_DIVISIONS_BUTTON = 868;
constexpr int32_t CONTINENTAL_FIRST = 4;  // honours columns 4-6
constexpr int32_t TROPHIES_Y = 100;
constexpr int32_t ROWS_X = 32;
constexpr int32_t ROWS_Y = 80;
constexpr int32_t ROW_WIDTH = 576;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t TEXT_Y = ROW_PITCH / 2;
constexpr int16_t RECORD_TEXT_X = 40;  // a national record's text, under its label
constexpr int32_t RECORD_TEXT_ROOM = ROW_WIDTH - 5 - RECORD_TEXT_X;
constexpr int32_t RECORD_FONT = 1;

// ---- The trophies by season.

int16_t Word(int32_t n) { return static_cast<int16_t>(n); }

int16_t TeamName(int32_t team) { return Word(team >= 0 ? VTW_ClubNameTextNo(team) : -1); }

int32_t HonourTitle(int32_t honour)
{
    return honour < HONOURS_DIVISION_FIRST
               ? VTW_GetCountryTextNo(honour)
               : VTW_GetDivisionLongNameTextNo(honour - HONOURS_DIVISION_FIRST);
}

void ChooseHonour(int32_t honour)
{
    Trophies.honour = Word(honour);
    Trophies.first = 0;
}

int32_t CupEntry(MenuListEntry* entry)
{
    ChooseHonour(static_cast<int32_t>(entry - Trophies_CupPopup() - 1));
    return LIST_CODE_REDRAW;
}

int32_t DivisionEntry(MenuListEntry* entry)
{
    ChooseHonour(HONOURS_DIVISION_FIRST
                 + static_cast<int32_t>(entry - Trophies_DivisionPopup() - 1));
    return LIST_CODE_REDRAW;
}

void PrepareCups(MenuListRecord*)
{
    MenuListEntry* popup = Trophies_CupPopup();
    for (int32_t c = 0; c < HONOURS_DIVISION_FIRST; ++c) {
        Trophies.cupTexts[c] = Word(VTW_GetCountryTextNo(c));
        const bool offered = c < VTW_GetCountryCupCount() || c >= CONTINENTAL_FIRST;
        popup[1 + c].type = offered ? LIST_ENTRY_TEXT_NO_VAR : 0;
    }
}

void PrepareDivisions(MenuListRecord*)
{
    MenuListEntry* popup = Trophies_DivisionPopup();
    for (int32_t d = 0; d < DIVISION_MAX; ++d) {
        Trophies.divisionTexts[d] = Word(VTW_GetDivisionLongNameTextNo(d));
        popup[1 + d].type = d < VTW_GetCountryDivisions() ? LIST_ENTRY_TEXT_NO_VAR : 0;
    }
}

void BuildTrophies()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) ChooseHonour(HONOURS_DIVISION_FIRST);
    Trophies_FillRows();
}

// A competition's name ("Coupe des Vainqueurs de Coupe") keeps to the header's room.
void DrawTrophiesTitle(int32_t x, int32_t y, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderTitle(x, y, GetMessageText(Trophies.title));
}

int32_t Up(MenuHotspot*) { return Trophies_Up(); }
int32_t Down(MenuHotspot*) { return Trophies_Down(); }
int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

// ---- The national records.

// The rows in screen order: the label, and the club record it reads (-1 a career record).
struct RecordRowKind {
    int16_t label;
    int32_t kind;
    int32_t (*findClub)();
};
int32_t NoClub() { return -1; }
constexpr int32_t CAREER_APPS = -1;
constexpr int32_t CAREER_GOALS = -2;
constexpr RecordRowKind RECORD_ROWS[NATIONAL_RECORDS] = {
    {556, CLUB_REC_BUY, VTW_FindRecordBuyClub},
    {558, CLUB_REC_WIN, VTW_FindRecordWinClub},
    {555, CLUB_REC_CROWD, VTW_FindRecordCrowdClub},
    {1840, CLUB_REC_POINTS_TOTAL, VTW_FindRecordPointsTotalClub},
    {1841, CLUB_REC_GOALS_TOTAL, VTW_FindRecordGoalsTotalClub},
    {1842, CLUB_REC_DISPOINTS, VTW_FindRecordDispointsClub},
    {560, CLUB_REC_GOALS, VTW_FindRecordGoalsClub},
    {1843, CAREER_APPS, NoClub},
    {1844, CAREER_GOALS, NoClub},
};

void FormatCareer(char* out, int32_t kind)
{
    int32_t value = 0;
    const int32_t player =
        kind == CAREER_APPS ? VTW_GetCareerAppsRecord(&value) : VTW_GetCareerGoalsRecord(&value);
    if (player >= 0)
        std::snprintf(out, NATIONAL_RECORD_BYTES, "%d %s", value, VTW_FormatPersonName(player));
}

void FormatClubRecord(char* out, int32_t club, int32_t kind)
{
    const ClubRecordEntry& e = DbClubs[club].records[kind];
    const int32_t year = VTW_GetFullYear(e.year);
    const size_t n = NATIONAL_RECORD_BYTES;
    switch (kind) {
        case CLUB_REC_BUY:
            std::snprintf(out, n, "%s   %s %s %s   %s   %d", VTW_FormatPersonName(e.player),
                          Price2str(e.value), ClubRecords_ClubName(club),
                          ClubRecords_DivisionNote(club).c_str(), ClubRecords_TransferClubName(e),
                          year);
            break;
        case CLUB_REC_WIN:
            std::snprintf(out, n, "%d-%d %s %s %s %d", e.value, e.value2,
                          ClubRecords_ClubName(club), ClubRecords_ClubName(e.opponent),
                          ClubRecords_DivisionNote(e.opponent).c_str(), year);
            break;
        case CLUB_REC_CROWD:
            std::snprintf(out, n, "%d %s %s %s %d", e.value, ClubRecords_ClubName(club),
                          ClubRecords_ClubName(e.opponent),
                          ClubRecords_DivisionNote(e.opponent).c_str(), year);
            break;
        case CLUB_REC_GOALS:
            std::snprintf(out, n, "%d %s %s %d", e.value, VTW_FormatPersonName(e.player),
                          ClubRecords_ClubName(club), year);
            break;
        default:
            std::snprintf(out, n, "%d %s %d", e.value, ClubRecords_ClubName(club), year);
            break;
    }
}

void Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    NationalRecords_Build();
}

void DrawFrame(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    for (int32_t row = 0; row < 2 * NATIONAL_RECORDS; ++row) {
        MenuCont_ShadedBox(ROWS_X, ROWS_Y + row * ROW_PITCH, ROW_WIDTH, ROW_PITCH, row / 2 & 1);
    }
}

}  // namespace

void HistoryRecordsInit()
{
    Trophies = {};
    NationalRecords = {};
}
void HistoryRecordsUninit() { HistoryRecordsInit(); }

void Trophies_FillRows()
{
    Trophies.title = Word(HonourTitle(Trophies.honour));
    const int32_t counter = VTW_GetSeasonCounter();
    for (int32_t r = 0; r < TROPHY_ROWS; ++r) {
        const int32_t season = Trophies.first + r;
        // The second year follows the first: counted on its own it read 1997/99 two rows down.
        const int32_t firstYear = counter + 1999 - season;
        std::snprintf(Trophies.years[r], TROPHY_YEARS_BYTES, "%d/%02d", firstYear,
                      (firstYear + 1) % 100);
        int32_t runnerUp = -1;
        const int32_t winner =
            season < HONOURS_SEASONS ? VTW_GetHonoursEntry(season, Trophies.honour, &runnerUp) : -1;
        Trophies.rows[r] = {Trophies.years[r], TeamName(winner),
                            TeamName(winner >= 0 ? runnerUp : -1)};
    }
}

int32_t Trophies_Up()
{
    if (Trophies.first == 0) return 1;
    --Trophies.first;
    return EXM_CODE_REDRAW;
}

int32_t Trophies_Down()
{
    const int32_t next = Trophies.first + TROPHY_ROWS;
    int32_t runnerUp = -1;
    if (next >= HONOURS_SEASONS || VTW_GetHonoursEntry(next, Trophies.honour, &runnerUp) < 0)
        return 1;
    ++Trophies.first;
    return EXM_CODE_REDRAW;
}

MenuListEntry* Trophies_CupPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_CUPS_BUTTON, PrepareCups),
        MenuList_EntryVar(&Trophies.cupTexts[0], CupEntry),
        MenuList_EntryVar(&Trophies.cupTexts[1], CupEntry),
        MenuList_EntryVar(&Trophies.cupTexts[2], CupEntry),
        MenuList_EntryVar(&Trophies.cupTexts[3], CupEntry),
        MenuList_EntryVar(&Trophies.cupTexts[4], CupEntry),
        MenuList_EntryVar(&Trophies.cupTexts[5], CupEntry),
        MenuList_EntryVar(&Trophies.cupTexts[6], CupEntry),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* Trophies_DivisionPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_DIVISIONS_BUTTON, PrepareDivisions),
        MenuList_EntryVar(&Trophies.divisionTexts[0], DivisionEntry),
        MenuList_EntryVar(&Trophies.divisionTexts[1], DivisionEntry),
        MenuList_EntryVar(&Trophies.divisionTexts[2], DivisionEntry),
        MenuList_EntryVar(&Trophies.divisionTexts[3], DivisionEntry),
        MenuList_EntryVar(&Trophies.divisionTexts[4], DivisionEntry),
        MenuList_EntryVar(&Trophies.divisionTexts[5], DivisionEntry),
        MenuList_End(),
    };
    return popup;
}

const MenuItem* Trophies_Table()
{
    constexpr int16_t STRIDE = sizeof(TrophyRow);
    const TrophyRow* r = &Trophies.rows[0];
    static const MenuItem row[] = {
        {0x24, 0, 0, ROW_WIDTH, ROW_PITCH, MenuCallback(MenuCont_ShadedBox), nullptr},
        {0x12, 12, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->years), nullptr},
        {0x10, 160 - ROWS_X, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->winner), nullptr},
        {0x10, 400 - ROWS_X, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->runnerUp), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(BuildTrophies), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // What a competition's choice and the arrows change, the title and the rows, is drawn
        // past the marker, so that their redraw shows it.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 320, 36, 0, 0, MenuCallback(DrawTrophiesTitle), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x0f, 160, 78, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_WINNER), nullptr},
        {0x0f, 400, 78, MENU_ALIGN_ML, 0, MenuTextNo(TEXT_RUNNER_UP), nullptr},
        {0x21, ROWS_X, TROPHIES_Y, TROPHY_ROWS, ROW_PITCH, MenuAddress(row), nullptr},
        {0x03, 24, 430, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_ARROWS), nullptr},
        {0x1f, 30, 430, 30, 15, MenuNumber(-1), Up},
        {0x1f, 30, 455, 30, 15, MenuNumber(-1), Down},
        {0x200c, 74, 440, 244, 30, MenuTextNo(TEXT_CUPS_BUTTON), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(Trophies_CupPopup()), nullptr},
        {0x200c, 322, 440, 240, 30, MenuTextNo(TEXT_DIVISIONS_BUTTON), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(Trophies_DivisionPopup()), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 30, 30, MenuNumber(-1), MenuCont_ToOffice},
        MenuEndItem(nullptr, MenuCont_EscapeToOffice),
    };
    return table;
}

void NationalRecords_Build()
{
    for (int32_t r = 0; r < NATIONAL_RECORDS; ++r) {
        char* text = NationalRecords.texts[r];
        text[0] = '\0';
        const RecordRowKind& row = RECORD_ROWS[r];
        NationalRecords.rows[r] = {row.label, RECORD_FONT, text};
        if (row.kind < 0) {
            FormatCareer(text, row.kind);
            continue;
        }
        const int32_t club = row.findClub();
        if (club >= 0) FormatClubRecord(text, club, row.kind);
    }
    for (int32_t r = 0; r < NATIONAL_RECORDS; ++r) {
        NationalRecords.rows[r].font = static_cast<int16_t>(FitMenuTextInPlace(
            NationalRecords.texts[r], NATIONAL_RECORD_BYTES, RECORD_TEXT_ROOM, RECORD_FONT, 0));
    }
}

const MenuItem* NationalRecords_Table()
{
    constexpr int16_t STRIDE = sizeof(NationalRecordRow);
    const NationalRecordRow* r = &NationalRecords.rows[0];
    static const MenuItem row[] = {
        {0x10, 20, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->label), nullptr},
        {0x0e, 0, 0, 0, STRIDE, MenuVariable(&r->font), nullptr},
        {0x12, RECORD_TEXT_X, ROW_PITCH + TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->text),
         nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(RECORD_FONT), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // The marker keeps this screen's own clean screen, which the emblem is drawn over.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawFrame), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x21, ROWS_X, ROWS_Y, NATIONAL_RECORDS, 2 * ROW_PITCH, MenuAddress(row), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 30, 30, MenuNumber(-1), MenuCont_ToOffice},
        MenuEndItem(nullptr, MenuCont_EscapeToOffice),
    };
    return table;
}
