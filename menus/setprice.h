// menus/setprice.h: "Fixer prix", the asking price of one of the human's players (CurrentPlayer)
// set digit by digit beside the board's valuation; OK stores it and returns to the card.
#pragma once

#include <cstdint>

struct MenuItem;
struct MenuHotspot;

constexpr int32_t SET_PRICE_DIGITS = 8;
constexpr int32_t SET_PRICE_ICON_HOME = 1235;  // the currency icon of countries 0 and 1
constexpr int32_t SET_PRICE_ICON_OTHER = 1320;

struct SetPriceState {
    int32_t price;                           // 0 to MARKET_MONEY_MAX, kept while the screen is open
    uint16_t valueDigits[SET_PRICE_DIGITS];  // ten-millions first
    uint16_t priceDigits[SET_PRICE_DIGITS];
    int16_t currencyIcon;
    char name[64];
};
extern SetPriceState SetPriceScreen;  // owned by SetPrice

void SetPriceInit();
void SetPriceUninit();

// Every build splits the digits; a fresh build also takes the price: the player's asking price
// when he has one, else his value.
void SetPrice_Build();
// A step of the price: click-state bit 0 adds it (at most MARKET_MONEY_MAX), bit 1 subtracts it
// (at least 0).
void SetPrice_Step(int32_t step, int32_t clickState);
int32_t SetPrice_Digit(MenuHotspot* hotspot);  // the hotspot's value is its step
int32_t SetPrice_Reset(MenuHotspot* hotspot);  // back to the player's value
int32_t SetPrice_Ok(MenuHotspot* hotspot);     // stores the asking price, back to the card

// Script value cardprice: the asking price of CurrentPlayer, -1 none.
void SetPrice_RegisterScriptValues();

const MenuItem* SetPrice_Table();  // option 72
