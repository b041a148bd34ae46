// menus/setprice.cpp: the set-price screen.
#include "menus/setprice.h"

#include <algorithm>
#include <cstdio>

#include "engine/script.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/textformat.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menupc.h"

SetPriceState SetPriceScreen;

namespace {

constexpr int32_t TEXT_TITLE = 1499;
constexpr int32_t TEXT_VALUATION = 457;
constexpr int32_t TEXT_PRICE = 458;
constexpr int32_t TEXT_RESET = 401;
constexpr int32_t DIGITS_LEFT = 234;
constexpr int32_t DIGIT_PITCH = 29;
constexpr int32_t VALUE_ROW_Y = 198;
constexpr int32_t PRICE_ROW_Y = 298;
constexpr int32_t CLICK_ADD = 1;
constexpr int32_t CLICK_SUBTRACT = 2;

const char* s_name = SetPriceScreen.name;  // the name item reads a string variable

int32_t Player() { return CurrentPlayer; }

// The player's name, centred on the panel, stands on a band across it: on a band 350 wide from
// the panel's left a name wider than 124 pixels crossed the band's end.
void DrawPanels(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_OutlineBox(32, 80, 576, 350);
    MenuCont_ShadedBox(32, 80, 576, 50, 0);
}

}  // namespace

void SetPriceInit() { SetPriceScreen = {}; }
void SetPriceUninit() { SetPriceInit(); }

void SetPrice_Build()
{
    const int32_t player = Player();
    if (EXM_GetRebuildFlag() != 0) {
        MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
        const int32_t country = VTW_GetCountry();
        SetPriceScreen.currencyIcon = static_cast<int16_t>(
            country == 0 || country == 1 ? SET_PRICE_ICON_HOME : SET_PRICE_ICON_OTHER);
        std::snprintf(SetPriceScreen.name, sizeof SetPriceScreen.name, "%s",
                      VTW_FormatPersonName(player));
        const int32_t asking = VTW_GetRecField14(player);
        SetPriceScreen.price = asking != -1 ? asking : VTW_GetPlayerValue(player);
    }
    VTW_SplitMoneyDigits(VTW_GetPlayerValue(player), SetPriceScreen.valueDigits);
    VTW_SplitMoneyDigits(SetPriceScreen.price, SetPriceScreen.priceDigits);
}

void SetPrice_Step(int32_t step, int32_t clickState)
{
    int32_t& price = SetPriceScreen.price;
    if ((clickState & CLICK_ADD) != 0) price = std::min(price + step, MARKET_MONEY_MAX);
    if ((clickState & CLICK_SUBTRACT) != 0) price = std::max(price - step, 0);
}

int32_t SetPrice_Digit(MenuHotspot* hotspot)
{
    SetPrice_Step(static_cast<int32_t>(hotspot->value), EXM_GetClickState());
    return EXM_CODE_REDRAW;
}

int32_t SetPrice_Reset(MenuHotspot*)
{
    SetPriceScreen.price = VTW_GetPlayerValue(Player());
    return EXM_CODE_REDRAW;
}

void SetPrice_RegisterScriptValues()
{
    ScriptRegisterValue("cardprice",
                        [] { return CurrentPlayer >= 0 ? VTW_GetRecField14(CurrentPlayer) : -1; });
}

int32_t SetPrice_Ok(MenuHotspot*)
{
    VTW_SetPlayerManPrice(Player(), SetPriceScreen.price);
    MenuOption = MENU_OPTION_PLAYER_CARD;
    return EXM_CODE_LEAVE;
}

const MenuItem* SetPrice_Table()
{
    constexpr int16_t STRIDE = sizeof(uint16_t);
    static const MenuItem valueDigit[] = {
        {0x16, 0, 0, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(SetPriceScreen.valueDigits), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem priceDigit[] = {
        {0x16, 0, 0, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(SetPriceScreen.priceDigits), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    constexpr int16_t AREA_X = DIGITS_LEFT - DIGIT_PITCH / 2;
    constexpr int16_t AREA_Y = PRICE_ROW_Y - 15;
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(SetPrice_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 340, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawPanels), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x12, 320, 120, MENU_ALIGN_CENTRE, 0, MenuVariable(&s_name), nullptr},
        {0x0f, 320, 160, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_VALUATION), nullptr},
        {0x04, 320, 200, MENU_ALIGN_CENTRE, 0, MenuVariable(&SetPriceScreen.currencyIcon), nullptr},
        {0x3d, DIGITS_LEFT, VALUE_ROW_Y, SET_PRICE_DIGITS, DIGIT_PITCH, MenuAddress(valueDigit),
         nullptr},
        {0x0f, 320, 260, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_PRICE), nullptr},
        {0x04, 320, 300, MENU_ALIGN_CENTRE, 0, MenuVariable(&SetPriceScreen.currencyIcon), nullptr},
        {0x3d, DIGITS_LEFT, PRICE_ROW_Y, SET_PRICE_DIGITS, DIGIT_PITCH, MenuAddress(priceDigit),
         nullptr},
        // The five leading price digits take clicks; the last three are never stepped.
        {0x1f, AREA_X, AREA_Y, DIGIT_PITCH, 30, MenuNumber(10000000), SetPrice_Digit},
        {0x1f, AREA_X + DIGIT_PITCH, AREA_Y, DIGIT_PITCH, 30, MenuNumber(1000000), SetPrice_Digit},
        {0x1f, AREA_X + 2 * DIGIT_PITCH, AREA_Y, DIGIT_PITCH, 30, MenuNumber(100000),
         SetPrice_Digit},
        {0x1f, AREA_X + 3 * DIGIT_PITCH, AREA_Y, DIGIT_PITCH, 30, MenuNumber(10000),
         SetPrice_Digit},
        {0x1f, AREA_X + 4 * DIGIT_PITCH, AREA_Y, DIGIT_PITCH, 30, MenuNumber(1000), SetPrice_Digit},
        {0x200c, 270, 350, 100, 30, MenuTextNo(TEXT_RESET), SetPrice_Reset},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), SetPrice_Ok},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
