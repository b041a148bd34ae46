// menus/staffchoice.h: "Choix des entraîneurs", where the human hires and dismisses the eleven
// staff of the club he runs: the holders on the left, the market's candidates for the selected
// role on the right, and a panel of the person's figures before each decision.
#pragma once

#include <cstdint>

struct MenuItem;

constexpr uint16_t STAFF_NO_DISMISSAL = 255;  // 255 or more: no dismissal pending
constexpr uint16_t STAFF_NO_HIRE = 65535;
constexpr int32_t TEXT_STAFF_DISMISS_QUESTION = 422;
constexpr int32_t TEXT_STAFF_HIRE_QUESTION = 838;
constexpr int32_t TEXT_STAFF_NO_MONEY_TO_RELEASE = 1132;
constexpr int32_t TEXT_STAFF_NO_MONEY_TO_HIRE = 2241;

struct StaffChoiceState {
    uint16_t role;       // the selected role, 0-10
    uint16_t dismissal;  // the role whose holder is to go, STAFF_NO_DISMISSAL none
    uint16_t hire;       // the candidate to take on, STAFF_NO_HIRE none
};
extern StaffChoiceState StaffChoice;  // owned by StaffChoice

void StaffChoiceInit();  // role 0, nothing pending
void StaffChoiceUninit();

// The club the screen shows: the current club, which stays the club he left while he has no post.
void StaffChoice_Build();
// Each answers a menu loop code: 1 when nothing happened, 2 when the screen is to be redrawn.
int32_t Staff_SelectRole(int32_t row);
int32_t Staff_AskDismiss(int32_t row);  // a holder row; a pending hire or an empty role: 1
int32_t Staff_AskHire(int32_t row);     // a candidate row of the selected role
// The panel of the pending person's figures and the question; on "Oui" the dismissal is paid (to
// the money outside the game) or the hire is made, when the club has the money. Nothing changes
// on a club the human does not run. Clears the pending choice and answers 2.
int32_t StaffChoice_ConfirmHireFire();
// The roles of the club that have a holder, 0-11.
int32_t StaffChoice_FilledRoles(int32_t club);

const MenuItem* StaffChoice_Table();  // option 13
