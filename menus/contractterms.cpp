// menus/contractterms.cpp: the table of the manager's terms with his club.
#include "menus/contractterms.h"

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/menucont.h"
#include "menus/menupc.h"

ContractTermsState ContractTerms;

namespace {

constexpr int32_t TEXT_TITLE = 729;
constexpr int32_t TEXT_ACCEPT = 82;
constexpr int32_t TEXT_REFUSE = 83;
constexpr int32_t TEXT_YES = 249;
constexpr int32_t TEXT_NO = 248;
constexpr uint16_t MARKER_ON = 9;
constexpr int32_t SWITCH = -1;

// Each clause's label and the club's setter, by ContractTerm.
constexpr int32_t kLabels[TERM_COUNT] = {1829, 809, 1688, 2236};
constexpr void (*kWriters[TERM_COUNT])(int32_t, int32_t) = {
    VTW_SetClubContractClause,
    VTW_SetClubTrainingClause,
    VTW_ClearClubFlag27_3,  // with 1 it sets the player-manager clause, else clears it
    VTW_SetClubStadiumClause,
};

void SetMarkers()
{
    ContractTermsState& t = ContractTerms;
    for (int32_t term = 0; term < TERM_COUNT; ++term) {
        t.markers[2 * term] = t.clauses[term] != 0 ? MARKER_ON : 0;
        t.markers[2 * term + 1] = t.clauses[term] != 0 ? 0 : MARKER_ON;
    }
}

template <int32_t Term, int32_t Value>
int32_t Press(MenuHotspot*)
{
    return ContractTerms_Switch(Term, Value);
}

int32_t Accept(MenuHotspot*) { return ContractTerms_Accept(); }
int32_t Refuse(MenuHotspot*) { return ContractTerms_Refuse(); }

// The club's name left of the title, in the header's room.
void DrawHeaderName(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderName(GetMessageText(ContractTerms.clubName), TEXT_TITLE, 340,
                            MENU_ALIGN_CENTRE);
}

}  // namespace

void ContractTermsInit() { ContractTerms = {}; }

void ContractTermsUninit() { ContractTermsInit(); }

void ContractTerms_Init()
{
    ContractTermsState& t = ContractTerms;
    if (EXM_GetRebuildFlag() != 0) {
        for (uint16_t& clause : t.clauses)
            clause = 1;
    }
    const int32_t club = GameState.humanClub;
    t.clubName = static_cast<int16_t>(club >= 0 ? VTW_ClubNameTextNo(VTW_GetTeam(club)) : -1);
    SetMarkers();
}

int32_t ContractTerms_Switch(int32_t term, int32_t value)
{
    uint16_t& clause = ContractTerms.clauses[term];
    clause = static_cast<uint16_t>(value == SWITCH ? clause ^ 1 : value);
    SetMarkers();
    return EXM_CODE_REDRAW;
}

int32_t ContractTerms_Accept()
{
    const int32_t club = GameState.humanClub;
    if (club >= 0) {
        for (int32_t term = 0; term < TERM_COUNT; ++term)
            kWriters[term](club, ContractTerms.clauses[term]);
    }
    return EXM_CODE_LEAVE;
}

int32_t ContractTerms_Refuse() { return EXM_CODE_LEAVE; }

const MenuItem* ContractTerms_Table()
{
    ContractTermsState& t = ContractTerms;
    // clang-format off
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(ContractTerms_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 80, 36, 0, 0, MenuCallback(DrawHeaderName), nullptr},
        {0x0f, 340, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        // Each clause: its label button, which switches it, then "Oui" and "Non".
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x200c, 60, 110, 300, 30, MenuTextNo(kLabels[TERM_CONTRACTS]), Press<TERM_CONTRACTS, SWITCH>},
        {0x31, 0, 0, 0, 0, MenuVariable(&t.markers[2 * TERM_CONTRACTS]), nullptr},
        {0x200c, 400, 115, 60, 20, MenuTextNo(TEXT_YES), Press<TERM_CONTRACTS, 1>},
        {0x31, 0, 0, 0, 0, MenuVariable(&t.markers[2 * TERM_CONTRACTS + 1]), nullptr},
        {0x200c, 470, 115, 60, 20, MenuTextNo(TEXT_NO), Press<TERM_CONTRACTS, 0>},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x200c, 60, 170, 300, 30, MenuTextNo(kLabels[TERM_TRAINING]), Press<TERM_TRAINING, SWITCH>},
        {0x31, 0, 0, 0, 0, MenuVariable(&t.markers[2 * TERM_TRAINING]), nullptr},
        {0x200c, 400, 175, 60, 20, MenuTextNo(TEXT_YES), Press<TERM_TRAINING, 1>},
        {0x31, 0, 0, 0, 0, MenuVariable(&t.markers[2 * TERM_TRAINING + 1]), nullptr},
        {0x200c, 470, 175, 60, 20, MenuTextNo(TEXT_NO), Press<TERM_TRAINING, 0>},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x200c, 60, 230, 300, 30, MenuTextNo(kLabels[TERM_PLAYER_MANAGER]), Press<TERM_PLAYER_MANAGER, SWITCH>},
        {0x31, 0, 0, 0, 0, MenuVariable(&t.markers[2 * TERM_PLAYER_MANAGER]), nullptr},
        {0x200c, 400, 235, 60, 20, MenuTextNo(TEXT_YES), Press<TERM_PLAYER_MANAGER, 1>},
        {0x31, 0, 0, 0, 0, MenuVariable(&t.markers[2 * TERM_PLAYER_MANAGER + 1]), nullptr},
        {0x200c, 470, 235, 60, 20, MenuTextNo(TEXT_NO), Press<TERM_PLAYER_MANAGER, 0>},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x200c, 60, 290, 300, 30, MenuTextNo(kLabels[TERM_STADIUM]), Press<TERM_STADIUM, SWITCH>},
        {0x31, 0, 0, 0, 0, MenuVariable(&t.markers[2 * TERM_STADIUM]), nullptr},
        {0x200c, 400, 295, 60, 20, MenuTextNo(TEXT_YES), Press<TERM_STADIUM, 1>},
        {0x31, 0, 0, 0, 0, MenuVariable(&t.markers[2 * TERM_STADIUM + 1]), nullptr},
        {0x200c, 470, 295, 60, 20, MenuTextNo(TEXT_NO), Press<TERM_STADIUM, 0>},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x200c, 120, 400, 180, 30, MenuTextNo(TEXT_ACCEPT), Accept},
        {0x200c, 340, 400, 180, 30, MenuTextNo(TEXT_REFUSE), Refuse},
        MenuEndItem(nullptr, ContractTerms_Refuse),
    };
    // clang-format on
    return table;
}
