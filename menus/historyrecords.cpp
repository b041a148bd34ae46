// menus/historyrecords.cpp: the national records.
#include "menus/historyrecords.h"

#include <cstdio>
#include <string>

#include "game/calendar.h"
#include "game/funcs.h"
#include "game/honours.h"
#include "game/ids.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/numbers.h"

NationalRecordState NationalRecords;

namespace {

constexpr int32_t TEXT_TITLE = 1469;
constexpr int32_t ROWS_X = 32;
constexpr int32_t ROWS_Y = 80;
constexpr int32_t ROW_WIDTH = 576;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t TEXT_Y = ROW_PITCH / 2;

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

const char* ClubName(int32_t club)
{
    if (club < 0 || club >= CLUB_ID_COUNT) return "";
    return VTW_FormatClubName(VTW_GetTeam(club));
}

// A club's division in parentheses; empty for a club outside the divisions.
std::string DivisionNote(int32_t club)
{
    if (club < 0 || club >= CLUB_ID_COUNT) return "";
    const int32_t division = VTW_FindDivisionOfTeam(club);
    if (division < 0) return "";
    return std::string("(") + GetMessageText(VTW_GetDivisionNameTextNo(division)) + ")";
}

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
                          Price2str(e.value), ClubName(club), DivisionNote(club).c_str(),
                          ClubName(e.opponent), year);
            break;
        case CLUB_REC_WIN:
            std::snprintf(out, n, "%d-%d %s %s %s %d", e.value, e.value2, ClubName(club),
                          ClubName(e.opponent), DivisionNote(e.opponent).c_str(), year);
            break;
        case CLUB_REC_CROWD:
            std::snprintf(out, n, "%d %s %s %s %d", e.value, ClubName(club), ClubName(e.opponent),
                          DivisionNote(e.opponent).c_str(), year);
            break;
        case CLUB_REC_GOALS:
            std::snprintf(out, n, "%d %s %s %d", e.value, VTW_FormatPersonName(e.player),
                          ClubName(club), year);
            break;
        default: std::snprintf(out, n, "%d %s %d", e.value, ClubName(club), year); break;
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

int32_t ToOffice(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

int32_t LeaveToOffice() { return ToOffice(nullptr); }

}  // namespace

void HistoryRecordsInit() { NationalRecords = {}; }
void HistoryRecordsUninit() { HistoryRecordsInit(); }

void NationalRecords_Build()
{
    for (int32_t r = 0; r < NATIONAL_RECORDS; ++r) {
        char* text = NationalRecords.texts[r];
        text[0] = '\0';
        const RecordRowKind& row = RECORD_ROWS[r];
        NationalRecords.rows[r] = {row.label, text};
        if (row.kind < 0) {
            FormatCareer(text, row.kind);
            continue;
        }
        const int32_t club = row.findClub();
        if (club >= 0) FormatClubRecord(text, club, row.kind);
    }
}

const MenuItem* NationalRecords_Table()
{
    constexpr int16_t STRIDE = sizeof(NationalRecordRow);
    const NationalRecordRow* r = &NationalRecords.rows[0];
    static const MenuItem row[] = {
        {0x10, 20, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->label), nullptr},
        {0x12, 40, ROW_PITCH + TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->text), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawFrame), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x21, ROWS_X, ROWS_Y, NATIONAL_RECORDS, 2 * ROW_PITCH, MenuAddress(row), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 30, 30, MenuNumber(-1), ToOffice},
        MenuEndItem(nullptr, LeaveToOffice),
    };
    return table;
}
