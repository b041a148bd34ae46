// menus/reportscreen.cpp: the match report.
#include "menus/reportscreen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/matchblocks.h"
#include "game/tables.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/matchstats.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

MatchReportScreenState MatchReportScreen;

namespace {

constexpr int32_t TEXT_PENALTY = 630;         // "pen"
constexpr int32_t TEXT_MISSED_PENALTY = 631;  // "penalty raté"
constexpr int32_t TEXT_SENT_OFF = 632;        // "exp."
constexpr int32_t TEXT_OWN_GOAL = 698;        // "csc"
constexpr int32_t TEXT_SHOW_GRAPHS = 933;
constexpr int32_t TEXT_SHOW_STATS = 934;
constexpr int32_t TEXT_POSSESSION = 970;
constexpr int32_t TEXT_MAN_OF_THE_MATCH = 917;
constexpr int32_t TEXT_ATTENDANCE = 1333;
constexpr int32_t STAT_TEXTS[4] = {922, 923, 925, 964};
constexpr int32_t OPTION_MATCH_ANALYSIS = 60;
constexpr int32_t OPTION_GRAPHS = 61;
constexpr int32_t MAX_SCORERS = 16;
constexpr uint8_t DETAIL_PENALTY = 5;
constexpr uint8_t DETAIL_OWN_GOAL = 7;
constexpr int32_t KIND_GOAL = 0;
constexpr int32_t KIND_SENT_OFF = 3;
constexpr int32_t KIND_MISSED_PENALTY = 4;
constexpr uint8_t REPORT_OPENED_SUB_SCREEN = 1 << 6;
constexpr int32_t COLUMN_X[2] = {280, 360};
constexpr int32_t INCIDENTS_Y = 74;

MatchReportScreenState& R() { return MatchReportScreen; }

// Appends to a line within its width: what does not fit is cut.
void Append(ReportLine& line, const char* text)
{
    const size_t used = std::strlen(line.text);
    std::snprintf(line.text + used, sizeof line.text - used, "%s", text);
}

// A new line of the side's column, or null once the column is full.
ReportLine* NewLine(int32_t side, uint8_t attribute)
{
    if (R().lineCount[side] >= REPORT_LINES) return nullptr;
    ReportLine& line = R().lines[side][R().lineCount[side]++];
    line.attribute = attribute;
    R().height[side] += REPORT_LINE_HEIGHT;
    return &line;
}

const char* GoalMark(uint8_t detail)
{
    if (detail == DETAIL_PENALTY) return GetMessageText(TEXT_PENALTY);
    if (detail == DETAIL_OWN_GOAL) return GetMessageText(TEXT_OWN_GOAL);
    return nullptr;
}

// One line per person in order of his first incident of the kind; later ones append ", minute"
// and the mark. `label` goes between the name and the first minute.
void AddPersonLines(const std::vector<LastMatchIncident>& list, int32_t side, int32_t kind,
                    int32_t label)
{
    std::vector<std::pair<int16_t, ReportLine*>> persons;
    for (const LastMatchIncident& i : list) {
        if (LastMatchIncident_Side(i) != side || LastMatchIncident_Kind(i) != kind) continue;
        auto known = std::find_if(persons.begin(), persons.end(),
                                  [&](const auto& p) { return p.first == i.person; });
        char part[REPORT_LINE_BYTES];
        const char* mark = kind == KIND_GOAL ? GoalMark(i.detail) : nullptr;
        if (known != persons.end()) {
            if (known->second == nullptr) continue;
            std::snprintf(part, sizeof part, ", %d", i.minute);
            Append(*known->second, part);
        } else {
            if (kind == KIND_GOAL && static_cast<int32_t>(persons.size()) >= MAX_SCORERS) continue;
            ReportLine* line = NewLine(side, REPORT_ATTRIBUTE_PLAIN);
            persons.emplace_back(i.person, line);
            if (line == nullptr) continue;
            Append(*line, i.person >= 0 ? VTW_FormatPersonName(i.person) : "");
            if (label >= 0) {
                Append(*line, " ");
                Append(*line, GetMessageText(label));
            }
            std::snprintf(part, sizeof part, " %d", i.minute);
            Append(*line, part);
            known = persons.end() - 1;
        }
        if (mark != nullptr && known->second != nullptr) {
            Append(*known->second, " ");
            Append(*known->second, mark);
        }
    }
}

void AddSendingsOff(const std::vector<LastMatchIncident>& list, int32_t side)
{
    for (const LastMatchIncident& i : list) {
        if (LastMatchIncident_Side(i) != side || LastMatchIncident_Kind(i) != KIND_SENT_OFF)
            continue;
        ReportLine* line = NewLine(side, REPORT_ATTRIBUTE_SENT_OFF);
        if (line == nullptr) return;
        std::snprintf(line->text, sizeof line->text, "%s %s %d",
                      i.person >= 0 ? VTW_FormatPersonName(i.person) : "",
                      GetMessageText(TEXT_SENT_OFF), i.minute);
    }
}

int32_t CountOf(const std::vector<LastMatchIncident>& list, int32_t side, int32_t kind)
{
    return static_cast<int32_t>(std::count_if(list.begin(), list.end(), [&](const auto& i) {
        return LastMatchIncident_Side(i) == side && LastMatchIncident_Kind(i) == kind;
    }));
}

void FormatHeading(int32_t row)
{
    char competition[REPORT_TEXT_BYTES] = {};
    char stage[REPORT_TEXT_BYTES] = {};
    VTW_FormatFixtureCompText(row, competition, stage);
    std::snprintf(R().heading, sizeof R().heading, stage[0] != '\0' ? "%s %s" : "%s%s", competition,
                  stage);
}

void FormatFigures()
{
    for (int32_t side = 0; side < 2; ++side) {
        const LastMatchSummaryRow& s = LastMatchSummary[side];
        const int32_t values[4] = {s.shotsOnTarget, s.shotsOffTarget, s.corners, s.fouls};
        for (int32_t k = 0; k < 4; ++k) {
            std::snprintf(R().stats[k][side], sizeof R().stats[k][side], "%d", values[k]);
        }
        std::snprintf(R().possession[side], sizeof R().possession[side], "%d%%",
                      s.possessionPercent);
    }
}

// The away side's man of the match wins when both name one.
void FormatManOfTheMatch(int32_t home, int32_t away)
{
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t person = LastMatchSummary[side].manOfTheMatch;
        if (person < 0) continue;
        std::snprintf(R().manOfTheMatch, sizeof R().manOfTheMatch, "%s (%s)",
                      VTW_FormatPersonName(person), MatchStats_ClubName(side == 0 ? home : away));
    }
}

void DrawPanel(int32_t x, int32_t y, int32_t w, int32_t h)
{
    MenuCont_ShadedBox(x, y, w, h, 0);
    MenuCont_OutlineBox(x, y, w, h);
}

// The incidents, the statistics, the man of the match and the attendance.
void MatchReport_DrawPanels()
{
    DrawPanel(12, INCIDENTS_Y, 614, std::max(R().height[0], R().height[1]) + 40);
    DrawPanel(90, 258, 460, 82);
    DrawPanel(150, 344, 340, 46);
    DrawPanel(220, 394, 200, 46);
}

void DrawColumns()
{
    SetMenuFont(0);
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t n = 0; n < R().lineCount[side]; ++n) {
            const ReportLine& line = R().lines[side][n];
            SetDrawAttribute(1, line.attribute);
            DrawMenuString(COLUMN_X[side], INCIDENTS_Y + 27 + n * REPORT_LINE_HEIGHT, line.text,
                           side == 0 ? MENU_ALIGN_MR : MENU_ALIGN_ML);
        }
    }
    SetDrawAttribute(1, 0);
}

void DrawReport(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderTitle(320, 36, R().heading, 1);
    MenuCont_DrawHeaderTitle(320, 58, R().score);
    MatchReport_DrawPanels();
    DrawColumns();
    SetMenuFont(0);
    for (int32_t k = 0; k < 4; ++k) {
        const int32_t middle = 268 + 15 * k;
        DrawMenuMessage(320, middle, STAT_TEXTS[k], MENU_ALIGN_CENTRE);
        DrawMenuString(160, middle, R().stats[k][0], MENU_ALIGN_CENTRE);
        DrawMenuString(480, middle, R().stats[k][1], MENU_ALIGN_CENTRE);
    }
    DrawMenuMessage(320, 328, TEXT_POSSESSION, MENU_ALIGN_CENTRE);
    DrawMenuString(160, 328, R().possession[0], MENU_ALIGN_CENTRE);
    DrawMenuString(480, 328, R().possession[1], MENU_ALIGN_CENTRE);
    DrawMenuMessage(320, 356, TEXT_MAN_OF_THE_MATCH, MENU_ALIGN_CENTRE);
    DrawMenuString(320, 376, R().manOfTheMatch, MENU_ALIGN_CENTRE);
    DrawMenuMessage(320, 406, TEXT_ATTENDANCE, MENU_ALIGN_CENTRE);
    DrawMenuString(320, 426, R().attendance, MENU_ALIGN_CENTRE);
}

int32_t Finish(MenuHotspot*) { return MatchReport_Finish(); }
int32_t ShowGraphs(MenuHotspot*) { return MatchReport_ShowGraphs(); }
int32_t ShowStats(MenuHotspot*) { return MatchReport_ShowStats(); }

}  // namespace

void ReportScreenInit() { MatchReportScreen = {}; }
void ReportScreenUninit() { ReportScreenInit(); }

void MatchReport_FillLines(const LastMatchIncident* list, int32_t count)
{
    std::vector<LastMatchIncident> sorted;
    for (int32_t k = 0; k < count && LastMatchIncident_Kind(list[k]) != -1; ++k) {
        sorted.push_back(list[k]);
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.minute < b.minute; });
    for (int32_t side = 0; side < 2; ++side) {
        R().lineCount[side] = 0;
        R().height[side] = 0;
        std::fill(std::begin(R().lines[side]), std::end(R().lines[side]), ReportLine{});
        if (CountOf(sorted, side, KIND_GOAL) > 0) {
            AddPersonLines(sorted, side, KIND_GOAL, -1);
            NewLine(side, 0);
        }
        AddPersonLines(sorted, side, KIND_MISSED_PENALTY, TEXT_MISSED_PENALTY);
        AddSendingsOff(sorted, side);
        if (CountOf(sorted, side, KIND_SENT_OFF) + CountOf(sorted, side, KIND_MISSED_PENALTY) > 0) {
            R().height[side] += REPORT_LINE_HEIGHT;
        }
    }
}

void MatchReport_Init()
{
    MenuCont_FormatTitle(MatchStats_InSequence() ? HEADER_RESTRICTED : HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() == 0) return;
    MatchReportScreen = {};
    const int32_t row = ReportFixture;
    if (row < 0) return;
    const int32_t home = VTW_GetFixtureHomeClub(row);
    const int32_t away = VTW_GetFixtureAwayClub(row);
    MatchStats_FormatScoreLine(row, R().score, sizeof R().score);
    std::snprintf(R().attendance, sizeof R().attendance, "%s",
                  VTW_FormatThousands(Fixture_GetAttendance(row)));
    FormatHeading(row);
    MatchReport_FillLines(LastMatchIncidents, LAST_MATCH_INCIDENT_MAX);
    FormatFigures();
    FormatManOfTheMatch(home, away);
}

int32_t MatchReport_Finish()
{
    MatchReportFlags |= MATCH_REPORT_DONE;
    MatchReportFlags &= static_cast<uint8_t>(~MATCH_REPORT_SIDE_CHOSEN);
    if (!MatchStats_InSequence()) MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

// The graphs open on the attack set unless a category was chosen.
int32_t MatchReport_ShowGraphs()
{
    if ((MatchReportFlags & MATCH_REPORT_CATEGORY) == 0) MatchReportFlags |= 1 << 3;
    MatchReportPage = 1;
    MatchReportFlags &= static_cast<uint8_t>(~REPORT_OPENED_SUB_SCREEN);
    if (!MatchStats_InSequence()) MenuOption = OPTION_GRAPHS;
    return EXM_CODE_LEAVE;
}

int32_t MatchReport_ShowStats()
{
    MatchReportPage = 0;
    MatchReportFlags &= static_cast<uint8_t>(~REPORT_OPENED_SUB_SCREEN);
    if (!MatchStats_InSequence()) MenuOption = OPTION_MATCH_ANALYSIS;
    return EXM_CODE_LEAVE;
}

const MenuItem* MatchReport_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(MatchReport_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawReport), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), Finish},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 60, 440, 220, 30, MenuTextNo(TEXT_SHOW_STATS), ShowStats},
        {0x200c, 300, 440, 220, 30, MenuTextNo(TEXT_SHOW_GRAPHS), ShowGraphs},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
