// menus/contractterms.h: "Termes du contrat", the terms of the manager's post with his club: four
// clauses, each switched on or off, that "Accepter" writes into the club's record and "Refuser"
// drops. The developer's debug screen opens it.
#pragma once

#include <cstdint>

struct MenuItem;

enum ContractTerm : int32_t {
    TERM_CONTRACTS,       // he may renew the players' contracts
    TERM_TRAINING,        // he runs the training
    TERM_PLAYER_MANAGER,  // he plays as well
    TERM_STADIUM,
    TERM_COUNT
};

struct ContractTermsState {
    uint16_t clauses[TERM_COUNT];      // 0 or 1, the terms on the table
    uint16_t markers[2 * TERM_COUNT];  // per clause: 9 on "Oui" or on "Non", whichever holds
    int16_t clubName;                  // text number, -1 without a club
};
extern ContractTermsState ContractTerms;

void ContractTermsInit();
void ContractTermsUninit();

// Init callback: a build puts every clause on.
void ContractTerms_Init();
// "Oui" (1) or "Non" (0) sets the clause, the label (-1) switches it; 2.
int32_t ContractTerms_Switch(int32_t term, int32_t value);
// The clauses into the human's club (nothing without one), and leaves: 6.
int32_t ContractTerms_Accept();
int32_t ContractTerms_Refuse();  // leaves, the club untouched: 6

const MenuItem* ContractTerms_Table();
