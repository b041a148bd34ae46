// menus/tacticshelp.cpp: the tactics editor's help screen.
#include "menus/tacticshelp.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/memory.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"

TacticsHelpState TacticsHelp;

namespace {

constexpr int16_t OPTION_EDITOR = 26;
constexpr int32_t TEXT_TITLE = 1338;
constexpr int32_t HELP_FONT = 1;
constexpr int32_t BOX_X = 32;
constexpr int32_t BOX_Y = 72;
constexpr int32_t BOX_W = 344;
constexpr int32_t TEXT_W = BOX_W - 8;
constexpr int32_t LEGEND_X = 487;
constexpr int32_t LEGEND_Y = 110;
constexpr int32_t LEGEND_PITCH = 44;
constexpr int32_t DIM_COLOUR = MENUBAR_DISABLED_FONT_COLOUR;
constexpr int32_t LIT_COLOUR = 8;

// A text holds at most TEXT_MAX_LENGTH characters, so a page is its text followed by the
// continuation texts numbered from `more` on, joined by blanks.
struct HelpPageRow {
    int16_t button;  // its button's label
    int16_t text;
    int16_t more;
    int16_t moreCount;
};
constexpr HelpPageRow kPages[HELP_PAGES] = {
    {1343, 1339, 2960, 10}, {567, 1342, 2970, 1}, {609, 1341, 2971, 1},
    {608, 1340, 2972, 1},   {299, 1585, 2973, 2},
};
constexpr int32_t kButtonX[HELP_PAGES] = {74, 172, 270, 368, 466};

TacticsHelpState& S() { return TacticsHelp; }

int32_t LastFirstLine() { return std::max(0, S().lineCount - HELP_PAGE_LINES); }

void LoadPage()
{
    TacticsHelpState& s = S();
    SetMenuFont(HELP_FONT);
    if (s.text != nullptr) FreeMemory(&s.text);
    const HelpPageRow& page = kPages[s.HelpPage];
    size_t length = std::strlen(GetMessageText(page.text));
    for (int32_t k = 0; k < page.moreCount; ++k) {
        length += 1 + std::strlen(GetMessageText(page.more + k));
    }
    AllocateMemory(&s.text, static_cast<uint32_t>(length + 2), MEM_TYPE_GAME);
    char* at = stpcpy(s.text, GetMessageText(page.text));
    for (int32_t k = 0; k < page.moreCount; ++k) {
        *at++ = ' ';
        at = stpcpy(at, GetMessageText(page.more + k));
    }
    // The zeroed block ends the text with the two NULs the wrapping wants.
    s.lineCount = XDoTextAddr(s.text, s.lines, TEXT_W);
    s.HelpFirstLine = 0;
    s.HelpLoadedPage = s.HelpPage;
}

int32_t LineHeight()
{
    int32_t w = 0, h = 0;
    GetTextExtent(" ", &w, &h);
    return h;
}

void TacticsHelp_DrawText()
{
    const TacticsHelpState& s = S();
    SetMenuFont(HELP_FONT);
    const int32_t pitch = LineHeight();
    DrawTranslucentRect(BOX_X - 4, BOX_Y - 4, BOX_W, HELP_PAGE_LINES * pitch + 8, 0, 128);
    for (int32_t i = 0; i < HELP_PAGE_LINES && s.HelpFirstLine + i < s.lineCount; ++i) {
        DrawMenuString(BOX_X, BOX_Y + i * pitch + pitch / 2, s.lines[s.HelpFirstLine + i],
                       MENU_ALIGN_ML);
    }
}

int32_t PageUp(MenuHotspot*) { return TacticsHelp_PageUp(); }
int32_t PageDown(MenuHotspot*) { return TacticsHelp_PageDown(); }

// The two labels of each line's zones; the current page's pair is lit.
void DrawLegend()
{
    SetMenuFont(0);
    constexpr int32_t lines[] = {1, 2, 3};  // the pages of Attaquant, Milieu, Défense
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t page = lines[k];
        SetDrawAttribute(1, S().HelpPage == page ? LIT_COLOUR : DIM_COLOUR);
        for (int32_t half = 0; half < 2; ++half) {
            const int32_t y = LEGEND_Y + LEGEND_PITCH * (2 * k + half);
            char label[64];
            std::snprintf(label, sizeof label, "%s %d", GetMessageText(kPages[page].button),
                          2 - half);
            DrawMenuString(LEGEND_X, y, label, MENU_ALIGN_CENTRE);
            if (2 * k + half < 5) {
                const int32_t lineY = y + LEGEND_PITCH / 2;
                DrawMenuLine(LEGEND_X - 103, lineY, LEGEND_X + 103, lineY, 0xFFFF);
            }
        }
    }
    SetDrawAttribute(1, 0);
    DrawBoxOutline(kButtonX[S().HelpPage] - 2, 438, 100, 34);
}

void DrawScreen(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    TacticsHelp_DrawText();
    DrawLegend();
    if (S().lineCount > HELP_PAGE_LINES) {
        EXM_AddHotspot(24, 440, 40, 20, -1, MENU_ALIGN_TL, -1, 0, 0, 0, PageUp, 2, HOTSPOT_PLAIN);
        EXM_AddHotspot(24, 462, 40, 20, -1, MENU_ALIGN_TL, -1, 1, 1, 0, PageDown, 2, HOTSPOT_PLAIN);
        DoIcon(24, 436, MENU_ICON_ARROWS, MENU_ALIGN_TL);
    }
}

// A page button's hotspot holds its label.
int32_t ChoosePage(MenuHotspot* h)
{
    for (int32_t page = 0; page < HELP_PAGES; ++page) {
        if (kPages[page].button == h->value) return TacticsHelp_ChoosePage(page);
    }
    return 1;
}

int32_t TacticsHelp_Back(MenuHotspot*)
{
    MenuOption = OPTION_EDITOR;
    return EXM_CODE_LEAVE;
}

}  // namespace

void TacticsHelpInit()
{
    if (TacticsHelp.text != nullptr) FreeMemory(&TacticsHelp.text);
    TacticsHelp = {};
    TacticsHelp.HelpLoadedPage = HELP_PAGES;
}

void TacticsHelpUninit() { TacticsHelpInit(); }

void TacticsHelp_Init()
{
    TacticsHelpState& s = S();
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    // The text was freed when the screen was left: every entry loads it again.
    if (EXM_GetRebuildFlag() != 0) {
        s.HelpFirstLine = 0;
        s.HelpPage = 0;
        s.HelpLoadedPage = HELP_PAGES;
    }
    if (s.HelpLoadedPage != s.HelpPage) LoadPage();
}

void TacticsHelp_Exit()
{
    if (TacticsHelp.text != nullptr) FreeMemory(&TacticsHelp.text);
    TacticsHelp.HelpLoadedPage = HELP_PAGES;
    TacticsHelp.lineCount = 0;
}

int32_t TacticsHelp_ChoosePage(int32_t page)
{
    if (page < 0 || page >= HELP_PAGES || page == S().HelpPage) return 1;
    S().HelpPage = static_cast<uint8_t>(page);
    return EXM_CODE_REDRAW;
}

int32_t TacticsHelp_PageUp()
{
    TacticsHelpState& s = S();
    if (s.HelpFirstLine == 0) return 1;
    s.HelpFirstLine = static_cast<int16_t>(std::max(0, s.HelpFirstLine - HELP_PAGE_LINES));
    return EXM_CODE_REDRAW;
}

int32_t TacticsHelp_PageDown()
{
    TacticsHelpState& s = S();
    if (s.HelpFirstLine >= LastFirstLine()) return 1;
    s.HelpFirstLine =
        static_cast<int16_t>(std::min(LastFirstLine(), s.HelpFirstLine + HELP_PAGE_LINES));
    return EXM_CODE_REDRAW;
}

int32_t TacticsHelp_FirstLine() { return S().HelpFirstLine; }

const MenuItem* TacticsHelp_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(TacticsHelp_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 480, 36, MENU_ALIGN_MR, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawScreen), nullptr},
        {0x200c, kButtonX[0], 440, 96, 30, MenuTextNo(kPages[0].button), ChoosePage},
        {0x200c, kButtonX[1], 440, 96, 30, MenuTextNo(kPages[1].button), ChoosePage},
        {0x200c, kButtonX[2], 440, 96, 30, MenuTextNo(kPages[2].button), ChoosePage},
        {0x200c, kButtonX[3], 440, 96, 30, MenuTextNo(kPages[3].button), ChoosePage},
        {0x200c, kButtonX[4], 440, 96, 30, MenuTextNo(kPages[4].button), ChoosePage},
        {0x03, 593, 455, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), TacticsHelp_Back},
        MenuEndItem(TacticsHelp_Exit, nullptr),
    };
    return table;
}
