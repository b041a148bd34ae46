// menus/analysistext.cpp: the written match analysis.
#include "menus/analysistext.h"

#include <cstdio>

#include "game/analysis.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/squad.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/matchstats.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

AnalysisTextState AnalysisText;

namespace {

constexpr int32_t TEXT_TITLE = 1219;
constexpr int16_t OPTION_PERFORMANCE = 77;
constexpr int32_t ROWS_X = 32;
constexpr int32_t ROWS_Y = 80;
constexpr int32_t ROW_PITCH = 17;
constexpr int32_t ROW_WIDTH = 576;
constexpr int32_t HEADING_X = 38;
// A player's name ends where the widest comment, after it, still ends inside the row: at the
// comment's narrower place a long name ran off the screen.
constexpr int32_t LABEL_RIGHT = 188;
constexpr int32_t COMMENT_X = LABEL_RIGHT + 10;
constexpr int32_t ROW_FONT = 1;

void DrawRows(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    for (int32_t row = 0; row < ANALYSIS_TEXT_ROWS; ++row) {
        const AnalysisTextRow& r = AnalysisText.rows[row];
        const int32_t y = ROWS_Y + row * ROW_PITCH;
        const int32_t middle = y + ROW_PITCH / 2;
        MenuCont_ShadedBox(ROWS_X, y, ROW_WIDTH, ROW_PITCH, row & 1);
        SetMenuFont(ROW_FONT);
        if (r.heading >= 0) DrawMenuMessage(HEADING_X, middle, r.heading, MENU_ALIGN_ML);
        DrawMenuStringInRoom(LABEL_RIGHT, middle, r.label, MENU_ALIGN_MR, LABEL_RIGHT - HEADING_X,
                             ROW_FONT, 0);
        if (r.comment >= 0)
            DrawMenuStringInRoom(COMMENT_X, middle, GetMessageText(r.comment), MENU_ALIGN_ML,
                                 ROWS_X + ROW_WIDTH - 5 - COMMENT_X, ROW_FONT, 0);
    }
    MenuCont_OutlineBox(ROWS_X, ROWS_Y, ROW_WIDTH, ANALYSIS_TEXT_ROWS * ROW_PITCH);
}

int32_t Ok(MenuHotspot*) { return AnalysisText_Ok(); }

}  // namespace

void AnalysisTextInit() { AnalysisText = {}; }
void AnalysisTextUninit() { AnalysisTextInit(); }

void AnalysisText_FillRows()
{
    int32_t lastPlayer = -1;
    for (int32_t row = 0; row < ANALYSIS_TEXT_ROWS; ++row) {
        AnalysisTextRow& r = AnalysisText.rows[row];
        r = {-1, -1, {}};
        const int32_t text = AnalysisLines.text[row];
        if (text == 0) continue;
        if (text <= ANALYSIS_HEADING_LAST) {
            r.heading = static_cast<int16_t>(text);
            lastPlayer = -1;
            continue;
        }
        r.comment = static_cast<int16_t>(text);
        const int32_t slot = AnalysisLines.slot[row];
        const int32_t player = slot >= 0 ? VTW_GetPlayerShirt2(slot + 1) : -1;
        if (player >= 0 && player != lastPlayer) {
            std::snprintf(r.label, sizeof r.label, "%s:", VTW_FormatPersonName(player));
        }
        lastPlayer = player;
    }
}

void AnalysisText_Build()
{
    MenuCont_FormatTitle(MatchStats_InSequence() ? HEADER_RESTRICTED : HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() == 0) return;
    VTW_BuildMatchAnalysis(ReportFixture);
    if (GameState.humanClub >= 0) VTW_RefreshSquadCount(GameState.humanClub);
    AnalysisText_FillRows();
}

int32_t AnalysisText_Ok()
{
    MatchReportWord = 0;
    if (!MatchStats_InSequence()) MenuOption = OPTION_PERFORMANCE;
    return EXM_CODE_LEAVE;
}

const MenuItem* AnalysisText_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(AnalysisText_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 340, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawRows), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), Ok},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
