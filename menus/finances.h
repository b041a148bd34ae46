// menus/finances.h: "Finances", the human club's income and spending for the season, opened
// from the office's "Données de clubs".
#pragma once

#include <cstdint>

struct MenuItem;

constexpr int32_t FINANCES_INCOME_ROWS = 7;
constexpr int32_t FINANCES_SPENDING_ROWS = 6;
constexpr int32_t TEXT_NO_STADIUM_WORKS = 2237;  // "Aucuns travaux"

struct FinancesState {
    int32_t club;
    int32_t income[FINANCES_INCOME_ROWS];
    int32_t spending[FINANCES_SPENDING_ROWS];
    int32_t incomeTotal, spendingTotal;
    int32_t carriedForward, balance;
    int32_t stadiumWorks;  // -1 none
};
extern FinancesState Finances;  // owned by Finances

void FinancesInit();
void FinancesUninit();

void Finances_Init();  // on a fresh entry: the human club's figures read once
// The money text of the stadium works, or "Aucuns travaux" when there are none.
const char* Finances_StadiumWorksText();

const MenuItem* Finances_Table();
