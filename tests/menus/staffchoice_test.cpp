// tests/menus/staffchoice_test.cpp: hiring and dismissing staff on a seeded career, and the
// screen's frame.
#include "menus/staffchoice.h"

#include <cstring>
#include <functional>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/records.h"
#include "menus/exm.h"
#include "tests/support/screen_redraw.h"
#include "tests/support/support.h"

namespace {

class StaffChoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StaffChoiceInit();
        for (int32_t role = 0; role < STAFF_ROLE_COUNT; ++role) {
            if (Staff_GetRating(Human(), role) == 0) Staff_Set(Human(), role, 50, 1000);
            Staff_SetContract(Human(), role, 20);
        }
        Club_SetBalance(Human(), 5000000);
    }
    int32_t Human() const { return m_screen.HumanClub(); }
    void Vacate(int32_t role) { Staff_Set(Human(), role, 0, 0); }
    int32_t Confirmed(const std::function<int32_t()>& fn, bool yes = true)
    {
        return ClickingBoxesAway(fn, yes);
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(StaffChoiceTest, SelectingARoleAnswersOneForTheSameAndClearsAPendingHireOtherwise)
{
    EXPECT_EQ(Staff_SelectRole(0), 1);
    StaffChoice.hire = 3;
    EXPECT_EQ(Staff_SelectRole(4), EXM_CODE_REDRAW);
    EXPECT_EQ(StaffChoice.role, 4);
    EXPECT_EQ(StaffChoice.hire, STAFF_NO_HIRE);
    EXPECT_EQ(Staff_SelectRole(STAFF_ROLE_COUNT), 1);
    EXPECT_EQ(StaffChoice.role, 4);
}

TEST_F(StaffChoiceTest, ADismissalPaysTheReleaseCostOutOfTheGameAndEmptiesTheRole)
{
    const int32_t role = STAFF_COACH_DF;
    const int32_t cost = VTW_GetStaffCost(Staff_GetRating(Human(), role), 20, nullptr);
    ASSERT_GT(cost, 0);
    const int32_t balance = VTW_GetClubBalance(Human());
    const int64_t outside = Club_GetOutsideBalance();

    EXPECT_EQ(Confirmed([&] { return Staff_AskDismiss(role); }), EXM_CODE_REDRAW);
    EXPECT_EQ(Staff_GetRating(Human(), role), 0);
    EXPECT_EQ(Staff_GetContract(Human(), role), 0);
    EXPECT_EQ(VTW_GetClubBalance(Human()), balance - cost);
    EXPECT_EQ(Club_GetOutsideBalance(), outside + cost);
    EXPECT_EQ(StaffChoice.dismissal, STAFF_NO_DISMISSAL);
    EXPECT_EQ(StaffChoice_FilledRoles(Human()), STAFF_ROLE_COUNT - 1);
}

TEST_F(StaffChoiceTest, DismissalsThatDoNothing)
{
    struct Case {
        const char* what;
        std::function<void()> arrange;
        int32_t role;
        bool yes;
    };
    const Case cases[] = {
        {"a hire pending", [] { StaffChoice.hire = 2; }, STAFF_COACH, true},
        {"an empty role", [this] { Vacate(STAFF_PHYSIO); }, STAFF_PHYSIO, true},
        {"the answer no", [] {}, STAFF_COACH, false},
        {"no money", [this] { Club_SetBalance(Human(), 0); }, STAFF_COACH, true},
        {"a club he does not run", [this] { VTW_SetClubControl(Human(), MANAGER_COMPUTER); },
         STAFF_COACH, true},
    };
    for (const Case& c : cases) {
        SetUp();
        VTW_SetClubControl(Human(), MANAGER_HUMAN);
        c.arrange();
        const int32_t rating = Staff_GetRating(Human(), c.role);
        const int32_t balance = VTW_GetClubBalance(Human());
        Confirmed([&] { return Staff_AskDismiss(c.role); }, c.yes);
        EXPECT_EQ(Staff_GetRating(Human(), c.role), rating) << c.what;
        EXPECT_EQ(VTW_GetClubBalance(Human()), balance) << c.what;
        EXPECT_EQ(StaffChoice.dismissal, STAFF_NO_DISMISSAL) << c.what;
    }
}

TEST_F(StaffChoiceTest, AHireTakesTheCandidatesFiguresAndADrawnCandidateTakesHisPlace)
{
    const int32_t role = STAFF_PSYCHO;
    Vacate(role);
    Staff_SelectRole(role);
    const StaffCandidate chosen = MarketState.staff[role][6];
    const StaffCandidate other = MarketState.staff[role][5];
    const int32_t balance = VTW_GetClubBalance(Human());

    EXPECT_EQ(Confirmed([&] { return Staff_AskHire(6); }), EXM_CODE_REDRAW);
    EXPECT_EQ(Staff_GetRating(Human(), role), chosen.rating);
    EXPECT_EQ(Staff_GetContract(Human(), role), chosen.termMonths);
    EXPECT_EQ(DbClubs[Human()].staff[role].wage, chosen.wage);
    EXPECT_NE(std::memcmp(&MarketState.staff[role][6], &chosen, sizeof chosen), 0);
    EXPECT_EQ(std::memcmp(&MarketState.staff[role][5], &other, sizeof other), 0);
    EXPECT_EQ(VTW_GetClubBalance(Human()), balance);  // the wage is paid week by week
    EXPECT_EQ(StaffChoice.hire, STAFF_NO_HIRE);
}

TEST_F(StaffChoiceTest, HiresThatDoNothing)
{
    struct Case {
        const char* what;
        std::function<void()> arrange;
        bool vacant;
        int32_t answer;
    };
    const Case cases[] = {
        {"a filled role", [] {}, false, EXM_CODE_REDRAW},
        {"a dismissal pending", [] { StaffChoice.dismissal = 1; }, true, 1},
        {"no money to release him", [this] { Club_SetBalance(Human(), 0); }, true, EXM_CODE_REDRAW},
        {"a club he does not run", [this] { VTW_SetClubControl(Human(), MANAGER_COMPUTER); }, true,
         1},
    };
    const int32_t role = STAFF_DIETITIAN;
    for (const Case& c : cases) {
        SetUp();
        VTW_SetClubControl(Human(), MANAGER_HUMAN);
        Staff_SelectRole(role);
        if (c.vacant) Vacate(role);
        c.arrange();
        const int32_t rating = Staff_GetRating(Human(), role);
        const StaffCandidate candidate = MarketState.staff[role][0];
        EXPECT_EQ(Confirmed([&] { return Staff_AskHire(0); }), c.answer) << c.what;
        EXPECT_EQ(Staff_GetRating(Human(), role), rating) << c.what;
        EXPECT_EQ(std::memcmp(&MarketState.staff[role][0], &candidate, sizeof candidate), 0)
            << c.what;
        EXPECT_EQ(StaffChoice.hire, STAFF_NO_HIRE) << c.what;
    }
}

TEST_F(StaffChoiceTest, TheScreenAtDayZeroMatchesItsGolden)
{
    uint32_t hash = 0;
    int32_t hotspots = 0;
    m_screen.Run(StaffChoice_Table(), [&] {
        hash = WorkScreenHash();
        hotspots = EXM_HotspotCount();
    });
    ExpectGoldenHash("menus/staff_day0", hash);
    // Two cells per holder row, a candidate row each, the role button and OK.
    EXPECT_GE(hotspots, 2 * STAFF_ROLE_COUNT + STAFF_CANDIDATES + 2);
}
