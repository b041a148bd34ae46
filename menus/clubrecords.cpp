// menus/clubrecords.cpp: the club records and honours screen.
#include "menus/clubrecords.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
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
#include "menus/menutext.h"
#include "menus/numbers.h"

ClubRecordsState ClubRecords;

namespace {

constexpr int32_t TEXT_TITLE = 1216;
constexpr int32_t TEXT_GOALS = 64;
constexpr int32_t TEXT_AGAINST = 2022;
constexpr int16_t MENU_OPTION_JOB_CENTRE = 43;
constexpr int32_t CONTINENTAL_FIRST = 4;  // honours columns 4-6
constexpr int32_t CONTINENTAL_CUPS = 3;
constexpr int32_t ROWS_X = 32;
constexpr int32_t RECORDS_Y = 80;
constexpr int32_t HONOURS_Y = 305;
constexpr int32_t ROW_WIDTH = 576;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t TEXT_Y = ROW_PITCH / 2;
constexpr int16_t LABEL_X = 20;
// The years line up with the records' texts: at the narrower column a long cup name in our
// font ran into them.
constexpr int16_t TEXT_X = 260;
constexpr int32_t ITEM_GAP = 5;  // between a text and the next, or the row's end
constexpr int32_t LABEL_ROOM = TEXT_X - ITEM_GAP - LABEL_X;
constexpr int32_t TEXT_ROOM = ROW_WIDTH - ITEM_GAP - TEXT_X;
constexpr int32_t ROW_FONT = 1;
constexpr int32_t SMALL_FONT = 0;

// The label of each record row, in row order, with the record it shows.
struct RecordRowKind {
    int16_t label;
    int32_t kind;
};
constexpr RecordRowKind RECORD_ROWS[CLUB_RECORD_ROWS] = {
    {556, CLUB_REC_BUY},          {557, CLUB_REC_SALE},       {560, CLUB_REC_GOALS},
    {1846, CLUB_REC_MATCH_GOALS}, {555, CLUB_REC_CROWD},      {1847, CLUB_REC_LOW_CROWD},
    {558, CLUB_REC_WIN},          {559, CLUB_REC_DEFEAT},     {1848, CLUB_REC_POINTS_TOTAL},
    {1849, CLUB_REC_GOALS_TOTAL}, {1842, CLUB_REC_DISPOINTS},
};
constexpr int32_t DISPOINTS_SHOWN_PER_POINT = 3;

int32_t FullYear(const ClubRecordEntry& e) { return VTW_GetFullYear(e.year); }

bool IsShown(const ClubRecordEntry& e, int32_t kind)
{
    switch (kind) {
        case CLUB_REC_BUY:
        case CLUB_REC_SALE:
        case CLUB_REC_GOALS:
        case CLUB_REC_MATCH_GOALS: return e.value > 0 && e.player >= 0;
        case CLUB_REC_WIN: return e.value > e.value2;
        case CLUB_REC_DEFEAT: return e.value2 > e.value;
        default: return e.value != 0;
    }
}

// The record's text, the opponent's name as given.
void FormatRecord(char* out, const ClubRecordEntry& e, int32_t kind, const char* opponent)
{
    const size_t n = CLUB_RECORD_TEXT_BYTES;
    int32_t first = 0;
    int32_t second = 0;
    VTW_GetYearPair(e.season, &first, &second);
    const int32_t month = e.month + 1;
    switch (kind) {
        case CLUB_REC_BUY:
        case CLUB_REC_SALE:
            std::snprintf(out, n, "%s %s %s %s %d/%d/%d", VTW_FormatPersonName(e.player),
                          Price2str(e.value), opponent,
                          ClubRecords_DivisionNote(e.opponent).c_str(), e.day, month, FullYear(e));
            break;
        case CLUB_REC_GOALS:
            std::snprintf(out, n, "%s %d %s %d/%d", VTW_FormatPersonName(e.player), e.value,
                          GetMessageText(TEXT_GOALS), first, second);
            break;
        case CLUB_REC_MATCH_GOALS:
            std::snprintf(out, n, "%s %d %s %s %s %d/%d", VTW_FormatPersonName(e.player), e.value,
                          GetMessageText(TEXT_GOALS), GetMessageText(TEXT_AGAINST), opponent, first,
                          second);
            break;
        case CLUB_REC_CROWD:
        case CLUB_REC_LOW_CROWD:
            std::snprintf(out, n, "%d %s %s %d/%d/%d", e.value, opponent,
                          ClubRecords_DivisionNote(e.opponent).c_str(), e.day, month, FullYear(e));
            break;
        case CLUB_REC_WIN:
        case CLUB_REC_DEFEAT:
            std::snprintf(out, n, "%d-%d %s %s %d/%d/%d", e.value, e.value2, opponent,
                          ClubRecords_DivisionNote(e.opponent).c_str(), e.day, month, FullYear(e));
            break;
        case CLUB_REC_DISPOINTS:
            std::snprintf(out, n, "%d %d/%d", e.value * DISPOINTS_SHOWN_PER_POINT, first, second);
            break;
        default: std::snprintf(out, n, "%d %d/%d", e.value, first, second); break;
    }
}

// The record's text in the row's room and the font it takes there. When even the smaller font
// leaves it too wide, the opponent's name gives way first, cut short by what is too much.
int16_t FitRecord(char* out, const ClubRecordEntry& e, int32_t kind)
{
    const bool transfer = kind == CLUB_REC_BUY || kind == CLUB_REC_SALE;
    const std::string opponent =
        transfer ? ClubRecords_TransferClubName(e) : ClubRecords_ClubName(e.opponent);
    FormatRecord(out, e, kind, opponent.c_str());
    FitMenuFont(out, TEXT_ROOM, ROW_FONT, SMALL_FONT);
    int32_t w = 0, h = 0;
    const int32_t excess = GetTextExtent(out, &w, &h) - TEXT_ROOM;
    if (excess > 0 && !opponent.empty()) {
        const int32_t nameRoom = GetTextExtent(opponent.c_str(), &w, &h) - excess;
        FormatRecord(out, e, kind, FitMenuText(opponent.c_str(), nameRoom));
    }
    return static_cast<int16_t>(
        FitMenuTextInPlace(out, CLUB_RECORD_TEXT_BYTES, TEXT_ROOM, ROW_FONT, SMALL_FONT));
}

void BuildRecords(const ClubRecord* record)
{
    for (int32_t row = 0; row < CLUB_RECORD_ROWS; ++row) {
        char* text = ClubRecords.recordTexts[row];
        text[0] = '\0';
        int16_t font = ROW_FONT;
        const int32_t kind = RECORD_ROWS[row].kind;
        if (record != nullptr && IsShown(record->records[kind], kind))
            font = FitRecord(text, record->records[kind], kind);
        ClubRecords.records[row] = {RECORD_ROWS[row].label, font, text};
    }
}

// The second year of each season the club won the column's cup, newest first; the count of
// wins goes on past the years listed.
void FormatYears(char* out, int32_t club, int32_t column)
{
    int32_t wins = 0;
    size_t used = 0;
    out[0] = '\0';
    for (int32_t row = 0; row < HONOURS_SEASONS; ++row) {
        if (!VTW_ClubHoldsHonour(club, column, row)) continue;
        if (++wins > CLUB_HONOUR_YEARS_MAX) continue;
        int32_t first = 0;
        int32_t second = 0;
        VTW_GetYearPair(GameState.seasonCounter - row, &first, &second);
        used += static_cast<size_t>(std::snprintf(out + used, CLUB_HONOUR_YEARS_BYTES - used,
                                                  wins == 1 ? "%d" : ",%d", second));
    }
}

void BuildHonours(int32_t club)
{
    const int32_t national = VTW_GetCountryCupCount();
    int32_t count = 0;
    const auto add = [&](int32_t column) {
        char* years = ClubRecords.honourYears[count];
        FormatYears(years, club, column);
        const char* cup = GetMessageText(VTW_GetCountryTextNo(column));
        const auto cupFont =
            static_cast<int16_t>(FitMenuFont(cup, LABEL_ROOM, ROW_FONT, SMALL_FONT));
        const auto yearsFont = static_cast<int16_t>(
            FitMenuTextInPlace(years, CLUB_HONOUR_YEARS_BYTES, TEXT_ROOM, ROW_FONT, SMALL_FONT));
        ClubRecords.honours[count] = {cupFont, yearsFont, cup, years};
        ++count;
    };
    for (int32_t cup = 0; cup < national; ++cup) {
        add(cup);
    }
    for (int32_t cup = 0; cup < CONTINENTAL_CUPS; ++cup) {
        add(CONTINENTAL_FIRST + cup);
    }
    ClubRecords.honourCount = static_cast<int16_t>(count);
    for (int32_t row = count; row < CLUB_HONOUR_ROWS; ++row) {
        ClubRecords.honourYears[row][0] = '\0';
        ClubRecords.honours[row] = {ROW_FONT, ROW_FONT, "", ClubRecords.honourYears[row]};
    }
}

void Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    ClubRecords_Build(GameState.currentClub);
}

void DrawHonourFrames(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    for (int32_t row = 0; row < ClubRecords.honourCount; ++row) {
        MenuCont_ShadedBox(ROWS_X, HONOURS_Y + row * ROW_PITCH, ROW_WIDTH, ROW_PITCH, row & 1);
    }
}

int32_t Leave() { return ClubRecords_Back(nullptr); }

// The club's name left of the title, in the header's room.
void DrawHeaderName(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderName(GetMessageText(ClubRecords.clubName), TEXT_TITLE, 350,
                            MENU_ALIGN_CENTRE);
}

}  // namespace

const char* ClubRecords_ClubName(int32_t club)
{
    if (club < 0 || club >= CLUB_ID_COUNT) return "";
    return VTW_FormatClubName(VTW_GetTeam(club));
}

const char* ClubRecords_TransferClubName(const ClubRecordEntry& entry)
{
    const int32_t team = ClubRecord_TransferTeam(entry);
    return team >= 0 ? VTW_FormatClubName(team) : "";
}

std::string ClubRecords_DivisionNote(int32_t club)
{
    if (club < 0 || club >= CLUB_ID_COUNT) return "";
    const int32_t division = VTW_FindDivisionOfTeam(club);
    if (division < 0) return "";
    return std::string("(") + GetMessageText(VTW_GetDivisionNameTextNo(division)) + ")";
}

void ClubRecordsInit() { ClubRecords = {}; }
void ClubRecordsUninit() { ClubRecordsInit(); }

void ClubRecords_Build(int32_t club)
{
    ClubRecords.clubName = static_cast<int16_t>(
        club >= 0 && club < CLUB_ID_COUNT ? VTW_ClubNameTextNo(VTW_GetTeam(club)) : -1);
    BuildRecords(club >= 0 && club < CLUB_ID_COUNT ? VTW_GetClubRecordPtr(club) : nullptr);
    BuildHonours(club);
}

int32_t ClubRecords_Back(MenuHotspot*)
{
    MenuOption = JobCentreViewFlag == 1 ? MENU_OPTION_JOB_CENTRE : MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

const MenuItem* ClubRecords_Table()
{
    constexpr int16_t RECORD_STRIDE = sizeof(ClubRecordsRow);
    constexpr int16_t HONOUR_STRIDE = sizeof(ClubHonourRow);
    const ClubRecordsRow* r = &ClubRecords.records[0];
    const ClubHonourRow* h = &ClubRecords.honours[0];
    static const MenuItem recordRow[] = {
        {0x0d, 0, 0, 0, 0, MenuNumber(ROW_FONT), nullptr},
        {0x10, LABEL_X, TEXT_Y, MENU_ALIGN_ML, RECORD_STRIDE, MenuVariable(&r->label), nullptr},
        {0x0e, 0, 0, 0, RECORD_STRIDE, MenuVariable(&r->font), nullptr},
        {0x12, TEXT_X, TEXT_Y, MENU_ALIGN_ML, RECORD_STRIDE, MenuVariable(&r->text), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem honourRow[] = {
        {0x0e, 0, 0, 0, HONOUR_STRIDE, MenuVariable(&h->cupFont), nullptr},
        {0x12, LABEL_X, TEXT_Y, MENU_ALIGN_ML, HONOUR_STRIDE, MenuVariable(&h->cup), nullptr},
        {0x0e, 0, 0, 0, HONOUR_STRIDE, MenuVariable(&h->yearsFont), nullptr},
        {0x12, TEXT_X, TEXT_Y, MENU_ALIGN_ML, HONOUR_STRIDE, MenuVariable(&h->years), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 80, 36, 0, 0, MenuCallback(DrawHeaderName), nullptr},
        {0x0f, 350, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // The marker keeps this screen's own clean screen, which the emblem is drawn over.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, ROWS_X, RECORDS_Y, ROW_WIDTH, CLUB_RECORD_ROWS * ROW_PITCH,
         MenuCallback(MenuCont_ShadedBox), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawHonourFrames), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x21, ROWS_X, RECORDS_Y, CLUB_RECORD_ROWS, ROW_PITCH, MenuAddress(recordRow), nullptr},
        {0x21, ROWS_X, HONOURS_Y, CLUB_HONOUR_ROWS, ROW_PITCH, MenuAddress(honourRow), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), ClubRecords_Back},
        MenuEndItem(nullptr, Leave),
    };
    return table;
}
