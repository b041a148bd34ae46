// viewservices/popup.cpp: the pop-up's list, its measure and its drawing.
#include "viewservices/popup.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "engine/fatal.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchdata.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

PopUpListRecord PopUpList;

namespace {

constexpr int32_t TEXT_PLAYER_KIND = 899;
constexpr int32_t TEXT_POSITION_FIRST = 564;  // keeper, defender, midfielder, forward, any
constexpr int32_t kFigures[] = {3, 4, 1, 5, 67, 26};
constexpr int32_t kBoxPercent = 75;
constexpr int32_t kPadding = 4;  // inside the edge lines, all round

void Measure(const PopUpLine& line, int32_t* w, int32_t* h)
{
    SetMenuFont(line.style);
    MeasureMenuText(line.text, w, h);
}

}  // namespace

void PopUp_Clear() { PopUpList = {}; }

void PopUp_AddLine(int32_t style, const char* format, ...)
{
    if (PopUpList.count == POPUP_MAX_LINES) FatalError("Error: PopUplist to small");
    PopUpLine& line = PopUpList.lines[PopUpList.count++];
    line.style = static_cast<int16_t>(style);
    va_list args;
    va_start(args, format);
    std::vsnprintf(line.text, sizeof(line.text), format, args);
    va_end(args);
}

void PopUp_CreatePlayerInfo(int32_t person)
{
    const int32_t side = person / MATCH_PERSONS_PER_SIDE;
    const int32_t slot = person % MATCH_PERSONS_PER_SIDE;
    const MatchPlayerEntry& entry = GetMatchSidesBlock()->sides[side].entries[slot];
    PopUp_AddLine(1, "%s", MatchPersons[person].name);
    PopUp_AddLine(
        0, "%s: %s", GetMessageText(TEXT_PLAYER_KIND),
        GetMessageText(TEXT_POSITION_FIRST + MatchEntry_PositionLine(entry.positionCode)));
    PlayerMatchRecord record{};
    Football_FillPlayerMatchRecord(&record, side, slot);
    for (const int32_t field : kFigures) {
        int32_t value = 0;
        const int32_t label = Football_GetPlayerMatchRecordText2(field, record, &value);
        PopUp_AddLine(0, "%s: %3d", GetMessageText(label), value);
    }
    PopUp_Measure();
}

void PopUp_Measure()
{
    PopUpList.width = PopUpList.height = 0;
    for (int32_t i = 0; i < PopUpList.count; ++i) {
        int32_t w = 0, h = 0;
        Measure(PopUpList.lines[i], &w, &h);
        PopUpList.width = std::max(PopUpList.width, w);
        PopUpList.height += h;
    }
    if (PopUpList.width <= 0 || PopUpList.height <= 0)
        FatalError("ERROR: PopUp_CreatePlayerInfo() bad box size");
}

void PopUp_Place(int32_t pointerX, int32_t pointerY, int32_t* x, int32_t* y)
{
    const int32_t w = PopUpList.width + 2 * kPadding, h = PopUpList.height + 2 * kPadding;
    *x = std::clamp(pointerX + POPUP_POINTER_OFFSET, 0, std::max(0, MenuScreen.width - w));
    *y = std::clamp(pointerY + POPUP_POINTER_OFFSET, 0, std::max(0, MenuScreen.height - h));
}

void PopUp_Draw(int32_t pointerX, int32_t pointerY)
{
    int32_t x = 0, y = 0;
    PopUp_Place(pointerX, pointerY, &x, &y);
    const int32_t w = PopUpList.width + 2 * kPadding, h = PopUpList.height + 2 * kPadding;
    SetDrawAttribute(2, POPUP_BOX_COLOUR);
    DoShadedBox(x, y, w, h, kBoxPercent);
    DrawMenuLine(x, y, x + w - 1, y, 0xFFFF);
    DrawMenuLine(x, y + h - 1, x + w - 1, y + h - 1, 0xFFFF);
    DrawMenuLine(x, y, x, y + h - 1, 0xFFFF);
    DrawMenuLine(x + w - 1, y, x + w - 1, y + h - 1, 0xFFFF);
    int32_t top = y + kPadding;
    for (int32_t i = 0; i < PopUpList.count; ++i) {
        const PopUpLine& line = PopUpList.lines[i];
        int32_t lw = 0, lh = 0;
        Measure(line, &lw, &lh);
        SetDrawAttribute(1, 0);
        DrawMenuString(x + kPadding, top, line.text, MENU_ALIGN_TL);
        top += lh;
    }
}
