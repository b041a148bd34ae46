// tests/gamecode/marking_test.cpp: markers goal-side of their men, attackers stepping back onside
// and free defenders picking up the attackers nobody marks.
#include "gamecode/marking.h"

#include <utility>

#include "gamecode/actions.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t kUp = 1;  // attacks toward y 2042
constexpr int32_t kDown = 0;

// Standing at his target point.
void Place(int32_t person, int32_t x, int32_t y)
{
    Person_PlaceAt(person, x, y);
    MatchPersons[person].targetX = static_cast<int16_t>(x);
    MatchPersons[person].targetY = static_cast<int16_t>(y);
}

class Marking : public testing::Test {
protected:
    void SetUp() override
    {
        Match.secondOfPair = kUp;
        Ball.possession = kUp;
        MatchPhase = PHASE_OPEN_PLAY;
        for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
            MatchPerson& m = MatchPersons[p];
            Place(p, 300, p < 16 ? 300 : 900);  // each in his own half, far from everyone
            m.action = 3;
            m.markingSlot = -1;
            m.skills[2] = 50;
            m.skills[12] = 50;
            m.offPitch = p % 16 >= 11 ? 1 : 0;
        }
        for (TacticsRecord& shape : TeamShape) {
            for (TacticsSlot& slot : shape.slots) {
                slot.row = 7;  // central: the effective skill is the skill
            }
        }
        Person_PlaceAt(MATCH_BALL, 796, 1500);
        LastDefenderLine[kDown] = 1600;
    }
    ScopedMatch match;
};

TEST_F(Marking, MarkersStandGoalSideOfTheirManInThePhasesThatAllowIt)
{
    MatchPerson& marker = MatchPersons[LineUp[kDown][2]];
    marker.markingSlot = 5;
    MatchPerson& man = MatchPersons[LineUp[kUp][5]];
    Person_PlaceAt(LineUp[kUp][5], 796, 1500);
    struct Case {
        int16_t phase;
        int32_t manAction;
        bool marks;
    };
    const Case cases[] = {
        {PHASE_OPEN_PLAY, 40, true},     {PHASE_OFFSIDE, 40, true},
        {PHASE_CORNER_TAKEN, 17, true},  {PHASE_FREE_KICK_READY, 17, true},
        {PHASE_CORNER_TAKEN, 18, false}, {PHASE_GOAL_KICK_AWARDED, 3, false},
        {PHASE_KICKOFF_READY, 3, false}, {PHASE_PENALTY_KICK, 3, false},
    };
    for (const Case& c : cases) {
        MatchPhase = c.phase;
        man.action = static_cast<int16_t>(c.manAction);
        marker.targetY = -1;
        Team_SetMarkingTargets();
        EXPECT_EQ(marker.targetY, c.marks ? 1532 : -1) << c.phase << " " << c.manAction;
    }
    EXPECT_EQ(marker.targetX, 796);
    MatchPhase = PHASE_OPEN_PLAY;
    marker.targetY = -1;
    man.offPitch = 1;
    Team_SetMarkingTargets();
    EXPECT_EQ(marker.targetY, -1) << "his man is off the pitch";
}

TEST_F(Marking, AttackersBeyondTheLineStepBackAfterASkillDelay)
{
    const int32_t quick = LineUp[kUp][9];
    const int32_t slow = LineUp[kUp][10];
    MatchPersons[quick].skills[12] = 100;
    MatchPersons[slow].skills[12] = 0;
    Person_PlaceAt(quick, 700, 1700);
    Person_PlaceAt(slow, 900, 1700);
    MatchPersons[slow].targetY = -1;
    Team_StepBackOnside();
    EXPECT_EQ(MatchPersons[quick].offsideRecovery, 2);
    EXPECT_EQ(MatchPersons[quick].targetY, 1600 - 16);
    EXPECT_EQ(MatchPersons[slow].offsideRecovery, 51);
    for (int32_t tick = 1; tick < 50; ++tick) {
        Team_StepBackOnside();
    }
    EXPECT_EQ(MatchPersons[slow].targetY, -1);
    Team_StepBackOnside();
    EXPECT_EQ(MatchPersons[slow].targetY, 1584);
    Person_PlaceAt(slow, 900, 1500);  // back onside: the delay runs out
    Team_StepBackOnside();
    Team_StepBackOnside();
    EXPECT_EQ(MatchPersons[slow].offsideRecovery, 0);
    MatchPhase = PHASE_THROW_IN_TAKEN;
    Team_StepBackOnside();
    EXPECT_EQ(MatchPersons[quick].offsideRecovery, 2) << "only in open play";
}

class PickUp : public Marking {
protected:
    void SetUp() override
    {
        Marking::SetUp();
        for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
            Match.proximity[kUp][slot] = LineUp[kUp][slot];
        }
        Place(kAttacker, 796, 1402);  // 640 from the goal line: his guard point 44 ahead
    }
    static bool Guards(int32_t defender) { return MatchPersons[defender].targetY == kGuardY; }
    static constexpr int32_t kAttacker = 16 + 9;
    static constexpr int32_t kGuardY = 1402 + 640 / 32 + 24;
};

TEST_F(PickUp, TheNearestFreeDefenderGuardsTheAttackersWayToGoal)
{
    Place(4, 796, 1500);
    Place(5, 796, 1600);
    MatchPersons[6].offsideRecovery = 7;
    Team_PickUpAttackers();
    EXPECT_TRUE(Guards(4));
    EXPECT_EQ(MatchPersons[4].targetX, 796);
    EXPECT_FALSE(Guards(5));
    EXPECT_EQ(MatchPersons[6].offsideRecovery, 0);
}

TEST_F(PickUp, NobodyIsPickedTwiceAndMarkersAndKeepersStayWithTheirDuty)
{
    Place(0, 796, 1460);  // the keeper, nearest of all
    Place(3, 796, 1470);
    MatchPersons[3].markingSlot = 2;  // his man is on the pitch
    Place(4, 796, 1480);
    Place(7, 820, 1490);
    Place(16 + 10, 820, 1400);  // a second attacker beside the first, later in the order
    Team_PickUpAttackers();
    EXPECT_EQ(MatchPersons[0].targetY, 1460);
    EXPECT_EQ(MatchPersons[3].targetY, 1470);
    EXPECT_TRUE(Guards(4)) << "the first attacker in proximity order";
    EXPECT_NE(MatchPersons[7].targetY, 1490) << "the second attacker gets the next defender";
}

TEST_F(PickUp, ReachAndDistanceLimitsDependOnThePhase)
{
    Place(4, 796, kGuardY + 300);  // beyond 3 x 50 + 120 of the guard point
    Team_PickUpAttackers();
    EXPECT_FALSE(Guards(4));
    MatchPhase = PHASE_THROW_IN_TAKEN;  // at a restart any distance will do
    Team_PickUpAttackers();
    EXPECT_TRUE(Guards(4));

    Place(4, 796, 1500);
    Person_PlaceAt(MATCH_BALL, 796, 1703);  // 301 ahead of the attacker
    Team_PickUpAttackers();
    EXPECT_FALSE(Guards(4));
    MatchPhase = PHASE_KICKOFF_READY;
    Person_PlaceAt(MATCH_BALL, 796, 1500);
    Team_PickUpAttackers();
    EXPECT_FALSE(Guards(4)) << "not in this phase";
}

// Two defenders the same whole distance from the guard point once a quarter of the way toward
// their targets is truncated: the one heading away lies three quarters of a unit farther. The
// situation and its twin turned about the centre spot pick the same one.
TEST_F(PickUp, TheTurnedTwinPicksTheSameDefender)
{
    const auto turned = [](bool turn, int32_t x, int32_t y) {
        return turn ? std::pair{2 * PITCH_CENTRE_X - x, 2 * PITCH_CENTRE_Y - y} : std::pair{x, y};
    };
    int32_t chosen[2] = {-1, -1};
    for (const bool turn : {false, true}) {
        Match.secondOfPair = static_cast<uint8_t>(turn ? kDown : kUp);
        const auto place = [&](int32_t person, int32_t x, int32_t y, int32_t targetY) {
            const auto [tx, ty] = turned(turn, x, y);
            Place(person, tx, ty);
            MatchPersons[person].targetY = static_cast<int16_t>(turned(turn, x, targetY).second);
        };
        place(kAttacker, 796, 1402, 1402);
        place(4, 796, kGuardY + 54, kGuardY + 57);  // 54.75 beyond the guard point
        place(5, 796, kGuardY - 54, kGuardY - 54);
        const auto [ballX, ballY] = turned(turn, 796, 1500);
        Person_PlaceAt(MATCH_BALL, ballX, ballY);
        Team_PickUpAttackers();
        const int32_t guardY = turned(turn, 796, kGuardY).second;
        for (const int32_t defender : {4, 5}) {
            if (MatchPersons[defender].targetY == guardY) chosen[turn] = defender;
        }
    }
    EXPECT_NE(chosen[0], -1);
    EXPECT_EQ(chosen[0], chosen[1]);
}

}  // namespace
