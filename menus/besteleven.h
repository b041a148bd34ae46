// menus/besteleven.h: "All Stars" and its four neighbours ("Brutes", "All Nuls", "Espoirs",
// "Anciens"): a division's best eleven of a category in a 1-4-4-2, with their clubs, shown from
// two weeks into the league season to a week after its last day.
#pragma once

#include <cstdint>

#include "game/honours.h"
#include "game/ids.h"

struct MenuItem;
struct MenuListEntry;

constexpr int32_t BEST_ELEVEN_SLOTS = 11;

struct BestElevenState {
    int16_t category;  // BestElevenCategory, kept between visits
    int16_t division;  // the human's on entering
    int16_t shown;     // 1 inside the window
    int16_t message;   // 1808 "Non Disponible" outside it, else -1
    BestElevenSlot
        slots[BEST_ELEVEN_SLOTS];  // keeper, four defenders, four midfielders, two forwards
    int16_t divisionTexts[DIVISION_MAX];
    int16_t categoryHighlights[BEST_CATEGORY_COUNT];
};
extern BestElevenState BestEleven;  // owned by BestEleven

void BestElevenInit();
void BestElevenUninit();

// Whether today lies inside the window: later than two weeks after the first league day and
// earlier than a week after the last.
bool BestEleven_InWindow();
// The slots of the category and division, or none with the message outside the window.
void BestEleven_Build();
// The choices: a category alone; a division with category 0 or 2 (their drop-downs).
int32_t BestEleven_ChooseCategory(int32_t category);
int32_t BestEleven_ChooseDivision(int32_t category, int32_t division);
MenuListEntry* BestEleven_DivisionPopup(int32_t category);  // BEST_PERFORMANCE or BEST_WORST

const MenuItem* BestEleven_Table();  // option 58
