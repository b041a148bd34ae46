// menus/shortlistscreen.h: "Liste réduite", the players the human added from their cards, sorted
// by line and value, fifteen a page, with ticks, a delete mode and a click to each card.
#pragma once

#include <cstdint>

#include "game/shortlist.h"

struct MenuItem;

constexpr int32_t SHORTLIST_SCREEN_ROWS = 15;
constexpr int16_t OPTION_SHORTLIST = 70;

struct ShortlistScreenState {
    int16_t order[SHORTLIST_SIZE];  // player ids as shown, -1 past the last
    int16_t count;
    int16_t first;          // the first row shown: 0 .. max(0, count - 15)
    uint32_t deleteMode;    // 1: a click on a row removes its player
    uint16_t deleteColour;  // the delete button's font colour: 8 while the mode is on
};
extern ShortlistScreenState ShortlistScreen;  // owned by ShortlistScreen

void ShortlistScreenInit();
void ShortlistScreenUninit();

// The build: on a fresh entry the mark list is emptied and the page goes back to the top; every
// time the shortlist is sorted (line, then value, then id).
void Shortlist_Init();
// Row clicks, 0-14 on the page: an empty row answers 1. A click removes the player in delete
// mode (which then ends) and answers 2, else opens his card and answers 6.
int32_t Shortlist_Click(int32_t row);
int32_t Shortlist_Tick(int32_t row);  // the player in or out of the mark list: 2
int32_t Shortlist_PageUp();           // 1 at the top
int32_t Shortlist_PageDown();         // 1 when the last page shows
// The price the human's club bids for the player, -1 none.
int32_t Shortlist_HumanBid(int32_t player);

const MenuItem* Shortlist_Table();  // option 70
