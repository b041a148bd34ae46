// tests/menus/playerroles_test.cpp: the player-roles screen on a seeded career: its way in from
// the debug screen, the skill columns' sort, the four roles, shirt exchanges and a borrowed
// player's refusal, and the drawn frame.
#include "menus/playerroles.h"

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/playerhistory.h"
#include "game/records.h"
#include "game/squad.h"
#include "menus/debugscreen.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

class PlayerRolesTest : public testing::Test {
protected:
    // Opens the screen from the debug screen, with `inputs` on it once it is drawn; the first
    // frame goes to `png` when one is named (tests run side by side, so only one names it).
    uint32_t Open(MenuInputs inputs = {}, const char* png = nullptr)
    {
        MenuInputs way;
        AddClick(&way, 220, 500, 185);  // "Rôles des joueurs"
        m_career.Run(
            DebugScreen_Table(), [] {}, way);
        EXPECT_EQ(MenuOption, OPTION_PLAYER_ROLES);
        uint32_t hash = 0;
        m_career.Run(
            PlayerRoles_Table(),
            [&] {
                hash = WorkScreenHash();
                if (png != nullptr) WriteFrameToTestOutput(png);
            },
            inputs);
        return hash;
    }
    int32_t IndexOfShirt(int32_t shirt) const
    {
        for (int32_t k = 0; k < PlayerRoles.count; ++k) {
            if (VTW_GetPlayerShirt(PlayerRoles.list[k]) == shirt) return k;
        }
        return -1;
    }
    const ClubRecord& Club() const { return *VTW_GetClubRecordPtr(m_career.HumanClub()); }

    ScopedScreenRedraw m_career;
};

TEST_F(PlayerRolesTest, ASkillsHeadSortsTheSquadHighestFirstAndAgainBackToShirtOrder)
{
    const uint32_t hash = Open({}, "player_roles.png");
    ExpectGoldenHash("menus/player_roles", hash);
    ASSERT_GT(PlayerRoles.count, ROLES_ROWS);
    ASSERT_EQ(VTW_RefreshSquadCount(m_career.HumanClub()), PlayerRoles.count);
    for (int32_t k = 0; k < PlayerRoles.count; ++k)
        EXPECT_EQ(PlayerRoles.list[k], SquadList.players[k]) << k;  // in shirt order

    for (const int32_t skill : {1, 4, 9}) {
        MenuInputs inputs;
        AddClick(&inputs, 220, 360 + 30 * (skill - 1) - 10, 88);  // the column's head
        Open(inputs);
        ASSERT_EQ(PlayerRoles.sortSkill, skill);
        for (int32_t k = 1; k < PlayerRoles.count; ++k)
            EXPECT_GE(GiveMeValuefor(PlayerRoles.list[k - 1], skill, -1),
                      GiveMeValuefor(PlayerRoles.list[k], skill, -1))
                << "skill " << skill << " row " << k;
        EXPECT_EQ(PlayerRoles_Sort(skill), EXM_CODE_REDRAW);
        EXPECT_EQ(PlayerRoles.sortSkill, 0);
    }
}

TEST_F(PlayerRolesTest, TheFourRolesGoToTheNextPlayerClickedAndNoTakerWearsShirtOne)
{
    Open();
    const int32_t one = IndexOfShirt(1), five = IndexOfShirt(5), seven = IndexOfShirt(7);
    ASSERT_GE(one, 0);
    ASSERT_GE(five, 0);
    ASSERT_GE(seven, 0);
    struct Case {
        int32_t role, index;
        int16_t ClubRecord::*word;
        bool given;
    };
    const Case cases[] = {
        {ROLES_CAPTAIN, one, &ClubRecord::captain, true},
        {ROLES_CORNER, one, &ClubRecord::cornerTaker, false},
        {ROLES_CORNER, five, &ClubRecord::cornerTaker, true},
        {ROLES_PENALTY, seven, &ClubRecord::penaltyTaker, true},
        {ROLES_FREE_KICK, five, &ClubRecord::freeKickTaker, true},
        {ROLES_CAPTAIN, seven, &ClubRecord::captain, true},
    };
    for (const Case& c : cases) {
        PlayerRoles.pendingRole = ROLES_NONE;
        const int16_t before = Club().*c.word;
        EXPECT_EQ(PlayerRoles_ChooseRole(c.role), EXM_CODE_REDRAW);
        EXPECT_EQ(PlayerRoles_ClickPlayer(c.index), c.given ? EXM_CODE_REDRAW : 1);
        const int16_t player = PlayerRoles.list[c.index];
        EXPECT_EQ(Club().*c.word, c.given ? player : before) << c.role << " " << c.index;
        EXPECT_EQ(PlayerRoles.pendingRole, c.given ? ROLES_NONE : c.role);
    }
    EXPECT_EQ(VTW_CountTeamCaptains(m_career.HumanClub()), 1);
    // A role chosen twice is no longer pending: the click starts a shirt exchange.
    PlayerRoles_ChooseRole(ROLES_PENALTY);
    PlayerRoles_ChooseRole(ROLES_PENALTY);
    EXPECT_EQ(PlayerRoles.pendingRole, ROLES_NONE);
    EXPECT_EQ(PlayerRoles_ClickPlayer(five), EXM_CODE_REDRAW);
    EXPECT_EQ(PlayerRoles.selection, PlayerRoles.list[five]);
}

TEST_F(PlayerRolesTest, ShirtsAreExchangedButNotABorrowedPlayers)
{
    Open();
    const int32_t a = IndexOfShirt(2), b = IndexOfShirt(9);
    const int16_t playerA = PlayerRoles.list[a], playerB = PlayerRoles.list[b];
    EXPECT_EQ(PlayerRoles_ClickPlayer(a), EXM_CODE_REDRAW);
    EXPECT_EQ(PlayerRoles_ClickPlayer(a), EXM_CODE_REDRAW);  // the same player: no exchange
    EXPECT_EQ(VTW_GetPlayerShirt(playerA), 2);
    EXPECT_EQ(PlayerRoles.selection, -1);
    PlayerRoles_ClickPlayer(a);
    PlayerRoles_ClickPlayer(b);
    EXPECT_EQ(VTW_GetPlayerShirt(playerA), 9);
    EXPECT_EQ(VTW_GetPlayerShirt(playerB), 2);
    EXPECT_EQ(PlayerRoles_ClickPlayer(PlayerRoles.count), 1);
    EXPECT_EQ(PlayerRoles_ClickPlayer(-1), 1);

    // Borrowed from another club: his shirt is not the human's to change.
    PlayerRecord* borrowed = Player_RefForSet(playerB, "test").full;
    borrowed->flags |= PLAYER_ON_LOAN;
    borrowed->club = static_cast<int16_t>(m_career.HumanClub() == 1 ? 2 : 1);
    borrowed->loanClub = static_cast<int16_t>(m_career.HumanClub());
    EXPECT_EQ(ClickingBoxesAway([&] { return PlayerRoles_ClickPlayer(b); }), EXM_CODE_NONE);
    EXPECT_EQ(PlayerRoles.selection, -1);
    EXPECT_EQ(VTW_GetPlayerShirt(playerB), 2);
}

}  // namespace
