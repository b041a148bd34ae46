// menus/contracttalks.h: "Négocier contrat", a contract offered to CurrentPlayer: a signing after
// an agreed fee, or the renewal of one of the human's own players. The player states his demand
// and signs any offer that reaches it.
#pragma once

#include <cstdint>

struct MenuItem;
struct MenuHotspot;

constexpr int32_t TALKS_WAGE_DIGITS = 5;
constexpr int32_t TALKS_YEARS_DEFAULT = 2;
constexpr int32_t TALKS_DEMAND_RISE = 100;  // the demand rises by this until the player signs
constexpr int32_t TEXT_TALKS_WAGE_CAP = 1127;
constexpr int32_t TEXT_TALKS_SIGNS = 286;
constexpr int32_t TEXT_TALKS_FIRST_CONTRACT = 1182;

struct ContractTalksState {
    int32_t wageOffer;             // weekly, a multiple of 25
    int32_t demand;                // what the player wants
    int16_t years;                 // 1-5
    uint16_t relegation, bigClub;  // the clauses offered
    int16_t askedYears;            // what the demand was computed for
    uint16_t askedRelegation, askedBigClub;
    uint16_t wouldSign;  // the player's evaluation accepts the demand
    int16_t interest;    // 0-100
    uint16_t demandComputed;
    uint16_t firstComputation;
    uint16_t refusedNotice;
    uint16_t wageDigits[8];  // the offer's eight digits; the last five are shown
    uint16_t markers[4];     // relegation "Oui", "Non", big club "Oui", "Non": 9 on the answer
    int16_t clubName;        // text number
    int16_t heading;         // "Contrat actuel", or 789 without a contract
    char playerLine[128];
    char playerName[64];
    char current[3][96];  // the present contract's wage, expiry and clauses
    char demandLine[64];
    char askedYearsLine[64];
    char askedClauses[2][64];
};
extern ContractTalksState ContractTalks;  // owned by ContractTalks

void ContractTalksInit();
void ContractTalksUninit();

// A fresh build starts the talks afresh (the present wage rounded to 25, two years, no clause);
// every build computes the demand when it is due and splits the offer into its digits.
void ContractTalks_Init();
// The demand for the offer's years and clauses: the base demand rounded to 25, raised by 100
// while the player refuses it and it is within the club's highest wage. A total of more than
// five years with the months left means he will not sign.
void ContractTalks_ComputeDemand();
// Left click (bit 0) adds the step, capped at the club's highest wage with 1127; right click
// (bit 1) subtracts it, not below 0. 2.
int32_t ContractTalks_Step(int32_t step, int32_t clickState);
int32_t ContractTalks_StepClick(MenuHotspot* hotspot);  // the hotspot's value is its step
// One year more (left) or less (right) within 1-5; a rise that would reach five years with the
// months left of the human's own player is undone.
int32_t ContractTalks_Years(int32_t clickState);
int32_t ContractTalks_YearsClick(MenuHotspot* hotspot);
int32_t ContractTalks_ToggleRelegation(MenuHotspot* hotspot);
int32_t ContractTalks_ToggleBigClub(MenuHotspot* hotspot);
// An offer below the demand, or one the player would not sign, shows "Refusé" (2). Otherwise the
// contract is written: a renewal is announced (286, or 1182 for his first wage), a signing
// completes the agreed transfer; the talks end and the office follows (6).
int32_t ContractTalks_Offer(MenuHotspot* hotspot);
// The talks dropped; for a signing the human's bid and its information row are withdrawn. To the
// card, whose OK leads to the office.
int32_t ContractTalks_Quit(MenuHotspot* hotspot);
int32_t ContractTalks_ShowCard(MenuHotspot* hotspot);
// Script values: talkswage and talksdemand (-1 off the screen), cardcontract (the months left of
// CurrentPlayer).
void ContractTalks_RegisterScriptValues();

const MenuItem* ContractTalks_Table();  // option 14
