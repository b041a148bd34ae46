// tests/menus/contractterms_test.cpp: the club's contract terms table, opened from the debug
// screen of a seeded career: its switches, what "Accepter" writes and "Refuser" drops, and the
// drawn frame.
#include "menus/contractterms.h"

#include <string>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/records.h"
#include "menus/debugscreen.h"
#include "menus/frontend.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

enum Press { LABEL, YES, NO };

struct Clauses {
    int32_t contracts, training, playerManager, stadium;
    bool operator==(const Clauses&) const = default;
};

Clauses ClubClauses(int32_t club)
{
    const ClubRecord& r = *VTW_GetClubRecordPtr(club);
    return {r.contractClause, r.trainingClause, r.playerManagerClause, r.stadiumClause};
}

void ClearClauses(int32_t club)
{
    VTW_SetClubContractClause(club, 0);
    VTW_SetClubTrainingClause(club, 0);
    VTW_ClearClubFlag27_3(club, 0);
    VTW_SetClubStadiumClause(club, 0);
}

// Opens the table from the debug screen, makes the presses (clause, button), then the closing
// button at (x, 415), and leaves the debug screen.
void RunTable(ScopedScreenRedraw& career, const std::vector<std::pair<int32_t, Press>>& presses,
              int32_t closeX, const char* golden = nullptr)
{
    MenuInputs inputs;
    uint32_t tick = 220;
    AddClick(&inputs, tick, 160, 125);  // "Termes du contrat"
    tick += 300;                        // its build wiped in
    inputs.push_back({tick, MenuInput::CALL, 0, 0, [golden] {
                          for (const uint16_t clause : ContractTerms.clauses)
                              EXPECT_EQ(clause, 1) << "a build puts every clause on";
                          if (golden == nullptr) return;
                          ExpectGoldenHash(golden, WorkScreenHash());
                          WriteFrameToTestOutput("contract_terms.png");
                      }});
    for (const auto& [term, press] : presses) {
        const int32_t x = press == LABEL ? 200 : press == YES ? 430 : 500;
        AddClick(&inputs, tick += 20, x, 125 + 60 * term);
    }
    if (golden != nullptr) {
        inputs.push_back({tick += 20, MenuInput::CALL, 0, 0, [golden] {
                              ExpectGoldenHash(std::string(golden) + "_switched", WorkScreenHash());
                              WriteFrameToTestOutput("contract_terms_switched.png");
                          }});
    }
    AddClick(&inputs, tick += 20, closeX, 415);
    AddClick(&inputs, tick += 300, 570, 436);  // the debug screen's OK icon: the office
    career.Run(
        DebugScreen_Table(), [] {}, inputs);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
}

}  // namespace

TEST(ContractTerms, AcceptWritesTheSwitchedClausesIntoTheClub)
{
    ScopedScreenRedraw career;
    const int32_t club = career.HumanClub();
    ClearClauses(club);
    RunTable(career,
             {{TERM_CONTRACTS, LABEL},
              {TERM_TRAINING, NO},
              {TERM_TRAINING, YES},
              {TERM_PLAYER_MANAGER, NO},
              {TERM_PLAYER_MANAGER, NO},
              {TERM_STADIUM, LABEL},
              {TERM_STADIUM, LABEL}},
             210, "menus/contract_terms");
    EXPECT_EQ(ClubClauses(club), (Clauses{0, 1, 0, 1}));
    EXPECT_EQ(ContractTerms.markers[2 * TERM_CONTRACTS], 0);
    EXPECT_EQ(ContractTerms.markers[2 * TERM_CONTRACTS + 1], 9);
    EXPECT_EQ(ContractTerms.markers[2 * TERM_STADIUM], 9);
}

TEST(ContractTerms, RefuseLeavesTheClubAsItWas)
{
    ScopedScreenRedraw career;
    const int32_t club = career.HumanClub();
    ClearClauses(club);
    RunTable(career, {{TERM_TRAINING, YES}}, 430);
    EXPECT_EQ(ClubClauses(club), (Clauses{0, 0, 0, 0}));
}

TEST(ContractTerms, ASwitchStaysWithinOnAndOff)
{
    ContractTermsInit();
    struct Row {
        uint16_t before;
        int32_t value;
        uint16_t after;
    };
    for (const Row row :
         {Row{0, -1, 1}, Row{1, -1, 0}, Row{0, 1, 1}, Row{1, 1, 1}, Row{1, 0, 0}, Row{0, 0, 0}}) {
        ContractTerms.clauses[TERM_TRAINING] = row.before;
        EXPECT_EQ(ContractTerms_Switch(TERM_TRAINING, row.value), 2);
        EXPECT_EQ(ContractTerms.clauses[TERM_TRAINING], row.after) << row.before << row.value;
        EXPECT_EQ(ContractTerms.markers[2 * TERM_TRAINING] != 0, row.after == 1);
        EXPECT_EQ(ContractTerms.markers[2 * TERM_TRAINING + 1] != 0, row.after == 0);
    }
    ContractTermsUninit();
}
