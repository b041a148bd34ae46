// tests/menus/setprice_test.cpp: the set-price screen's steps, its reset, OK and the way out that
// stores nothing, on a seeded career.
#include "menus/setprice.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/market.h"
#include "game/squad.h"
#include "game/textformat.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t LEFT = 1, RIGHT = 2;

class SetPriceTest : public ::testing::Test {
protected:
    SetPriceTest()
    {
        VTW_RefreshSquadCount(m_screen.HumanClub());
        m_player = VTW_GetPlayerByShirt(8);
        CurrentPlayer = static_cast<int16_t>(m_player);
    }
    ScopedScreenRedraw m_screen;
    int32_t m_player = -1;
};

}  // namespace

TEST_F(SetPriceTest, StepsStayWithinZeroAndFiftyMillion)
{
    struct Case {
        int32_t price, step, click, expected;
    };
    const Case cases[] = {
        {10000000, 10000000, RIGHT, 0},  // not above the step: 0
        {4000000, 10000000, RIGHT, 0},        {10000001, 10000000, RIGHT, 1},
        {49500000, 1000000, LEFT, 50000000},  // past the top: exactly the top
        {45000000, 10000000, LEFT, 50000000}, {123000, 1000, LEFT, 124000},
        {123000, 100000, RIGHT, 23000},       {123000, 100000, 0, 123000},  // no button, no change
    };
    for (const Case& c : cases) {
        SetPriceScreen.price = c.price;
        SetPrice_Step(c.step, c.click);
        EXPECT_EQ(SetPriceScreen.price, c.expected) << c.price << " " << c.step << " " << c.click;
    }
}

TEST_F(SetPriceTest, TheMillionsDigitAndOkStoreTheAskingPriceAndGoBackToTheCard)
{
    ASSERT_EQ(VTW_GetRecField14(m_player), -1);
    const int32_t value = VTW_GetPlayerValue(m_player);
    uint32_t hash = 0;
    MenuInputs inputs;
    AddClick(&inputs, 220, 263, 298);  // the millions digit
    AddClick(&inputs, 260, 590, 456);  // OK
    m_screen.Run(
        SetPrice_Table(),
        [&] {
            hash = WorkScreenHash();
            EXPECT_EQ(SetPriceScreen.price, value);  // no asking price yet: his value
            uint16_t digits[SET_PRICE_DIGITS];
            VTW_SplitMoneyDigits(value, digits);
            for (int32_t k = 0; k < SET_PRICE_DIGITS; ++k) {
                EXPECT_EQ(SetPriceScreen.valueDigits[k], digits[k]);
                EXPECT_EQ(SetPriceScreen.priceDigits[k], digits[k]);
            }
        },
        inputs);
    ExpectGoldenHash("menus/set_price_day0", hash);
    EXPECT_EQ(MenuOption, MENU_OPTION_PLAYER_CARD);
    EXPECT_EQ(VTW_GetRecField14(m_player), std::min(value + 1000000, MARKET_MONEY_MAX));

    // A second visit starts from the stored price; "Réinitialiser" goes back to the value, and
    // leaving without OK keeps what was stored.
    const int32_t stored = VTW_GetRecField14(m_player);
    MenuInputs reset;
    AddClick(&reset, 220, 320, 365);  // "Réinitialiser"
    m_screen.Run(
        SetPrice_Table(), [&] { EXPECT_EQ(SetPriceScreen.price, stored); }, reset);
    EXPECT_EQ(SetPriceScreen.price, value);
    EXPECT_EQ(VTW_GetRecField14(m_player), stored);
}
