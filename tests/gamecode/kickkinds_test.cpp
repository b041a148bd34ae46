// tests/gamecode/kickkinds_test.cpp: the receiver choosers with their lane checks and the kick
// set-ups, on a carrier of side 0 at (796, 1000) who attacks the goal at y 122 and faces it.
#include "gamecode/kickkinds.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/motion.h"
#include "gamecode/pitch.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kCarrier = 5;

class KickKinds : public testing::Test {
protected:
    void SetUp() override
    {
        SetBareScene();
        // The carrier heads his list; his team-mates 6, 7 and 8 follow in that order.
        ProximityList[0][0] = kCarrier;
        ProximityList[0][5] = 0;
        LastDefenderLine[1] = 300;
        On(kCarrier, 796, 1000, 0);
        MatchPersons[kCarrier].facing = 0;
    }
    // On the pitch at (x, y), `ballDistance` from the ball at the carrier, facing it.
    static void On(int32_t person, int32_t x, int32_t y, int32_t ballDistance)
    {
        MatchPerson& p = MatchPersons[person];
        Person_PlaceAt(person, x, y);
        p.offPitch = 0;
        p.ballDistance = static_cast<int16_t>(ballDistance);
        p.dirToBall = static_cast<uint16_t>(Person_DirectionToN(x, y, 796, 1000, 256));
        p.facing = p.dirToBall;
    }
    ScopedMatch match;
};

struct ChooserCase {
    const char* name;
    std::function<void()> arrange;
    std::function<int32_t()> choose;
    int32_t expected;
};

TEST_F(KickKinds, ChoosersAndLaneChecksPickTheReceiverOfTheRules)
{
    MatchPerson& c = MatchPersons[kCarrier];
    const auto longPass = [] { return Person_PickLongPass(kCarrier); };
    const auto straightAndWide = [] {
        On(6, 996, 300, 727);  // 11 steps off his run
        On(7, 796, 300, 700);  // on his run
    };
    const auto sixOff = [] { On(6, 900, 300, 700); };      // 6 steps off the run
    const auto sixOffNear = [] { On(6, 826, 800, 230); };  // the same angle, near
    const auto laneOpponent = [](int32_t fromBall) {
        On(7, 796, 300, 700);
        On(16, 796, 700, 300);
        MatchPersons[16].dirToBall = static_cast<uint16_t>(fromBall + 128);
        MatchPersons[16].facing = MatchPersons[16].dirToBall;
    };
    const std::vector<ChooserCase> cases = {
        {"the mate on his run wins", straightAndWide, longPass, 7},
        {"the preferred receiver wins over a nearer mate",
         [&] { straightAndWide(), c.preferredReceiver = 6; }, longPass, 6},
        {"an offered cell beats every mate",
         [&] { straightAndWide(), c.targetCellRow = 17, c.targetCellColumn = 7; }, longPass,
         KICK_TO_CELL},
        {"the preferred receiver beats the cell",
         [&] {
             straightAndWide(), c.targetCellRow = 17, c.targetCellColumn = 7;
             c.preferredReceiver = 6;
         },
         longPass, 6},
        {"ball distance 599 is too near", [] { On(7, 796, 300, 599); }, longPass, KICK_NOBODY},
        {"ball distance 600 qualifies", [] { On(7, 796, 300, 600); }, longPass, 7},
        {"ball distance equal to the range qualifies", [] { On(7, 796, 300, 1150); }, longPass, 7},
        {"beyond the range does not", [] { On(7, 796, 300, 1151); }, longPass, KICK_NOBODY},
        {"a busy mate is skipped", [] { On(7, 796, 300, 700), MatchPersons[7].action = 17; },
         longPass, KICK_NOBODY},
        {"equal angles keep the earlier entry", [] { On(6, 796, 400, 600), On(7, 796, 300, 700); },
         longPass, 6},
        {"medium with free 1 takes the first eligible", straightAndWide,
         [] { return Person_PickMediumPass(kCarrier, 1); }, 6},
        {"medium with free 0 takes the mate on his run", straightAndWide,
         [] { return Person_PickMediumPass(kCarrier, 0); }, 7},
        {"crossing x 8 keeps a mate 6 steps off", [&] { sixOff(), c.thirdInstruction = 1; },
         longPass, 6},
        {"both instructions x 64 drop him",
         [&] { sixOff(), c.thirdInstruction = 1, c.firstInstruction = 2; }, longPass, KICK_NOBODY},
        {"short: x 4 for the shooting instruction keeps him",
         [&] { sixOffNear(), c.firstInstruction = 2; },
         [] { return Person_PickShortPass(kCarrier); }, 6},
        {"short: x 8 for crossing leaves the cone of 32",
         [&] { sixOffNear(), c.thirdInstruction = 1; },
         [] { return Person_PickShortPass(kCarrier); }, KICK_NOBODY},
        {"facing: x 8 then / 4 keeps him",
         [&] { sixOffNear(), c.thirdInstruction = 1, c.firstInstruction = 2; },
         [] { return Person_PickFacingPass(kCarrier, 0); }, 6},
        {"short: refused beyond the offside line", [&] { sixOffNear(), LastDefenderLine[1] = 900; },
         [] { return Person_PickShortPass(kCarrier); }, KICK_NOBODY},
        {"quick: skill 18 of 0 refuses 30 steps off",
         [&] { On(6, 932, 850, 200), c.skills[18] = 0; },
         [] { return Person_PickQuickPass(kCarrier); }, KICK_NOBODY},
        {"quick: skill 18 of 50 takes him, offering no cell",
         [&] { On(6, 932, 850, 200), c.skills[3] = 0, c.targetCellRow = 17; },
         [] { return Person_PickQuickPass(kCarrier); }, 6},
        {"lay-off: the smallest angle, no skill test and no preferred",
         [&] {
             On(6, 932, 850, 200), On(7, 826, 800, 230);
             c.skills[3] = 0, c.preferredReceiver = 6;
         },
         [] { return Person_PickLayOff(kCarrier); }, 7},
        {"a passer sure to see the offside mark refuses the receiver",
         [&] { On(7, 796, 300, 700), MatchPersons[7].offsideMark = 1, c.skills[21] = 100; },
         longPass, KICK_NOBODY},
        {"skill 21 of 0 never sees it",
         [&] { On(7, 796, 300, 700), MatchPersons[7].offsideMark = 1, c.skills[21] = 0; }, longPass,
         7},
        {"an opponent within w + 16 of the lane refuses it", [&] { laneOpponent(17); }, longPass,
         KICK_NOBODY},
        {"one just outside does not", [&] { laneOpponent(18); }, longPass, 7},
        {"through ball: 160 from the offside line, as toward the other goal",
         [] { On(7, 796, 640, 360), LastDefenderLine[1] = 800; },
         [] { return Person_PickThroughBall(kCarrier); }, 7},
        {"through ball: 161 from it", [] { On(7, 796, 639, 361), LastDefenderLine[1] = 800; },
         [] { return Person_PickThroughBall(kCarrier); }, KICK_NOBODY},
        {"through ball: 480 or less from the goal line",
         [] { On(7, 796, 600, 400), LastDefenderLine[1] = 650; },
         [] { return Person_PickThroughBall(kCarrier); }, KICK_NOBODY},
    };
    for (const ChooserCase& test : cases) {
        SCOPED_TRACE(test.name);
        SetUp();
        test.arrange();
        EXPECT_EQ(test.choose(), test.expected);
    }
}

// A free carrier's medium pass skips the lane check; it picks alike at either end: each scene as
// side 0 plays it toward y 122 and turned half a turn about the centre spot for side 1 attacking
// y 2042 (carrier 21, mates 22 and 23) finds the turned mate, or nobody when his run to goal
// turns wider than the cone of 60 (72 less skill 9 / 4) from straight at the goal line.
TEST_F(KickKinds, AFreeCarriersMediumPassPicksAlikeAtEitherEnd)
{
    struct Mate {
        int32_t x, y, ballDistance;
    };
    struct Scene {
        const char* name;
        int32_t carrierX, carrierY;
        std::vector<Mate> mates;  // persons 6, 7, ... of side 0
        int32_t expected;
    };
    const std::vector<Scene> scenes = {
        {"ahead on his run and wide", 796, 1000, {{996, 300, 727}, {796, 300, 700}}, 6},
        {"level with him", 796, 1000, {{1096, 1000, 300}}, 6},
        {"his run 25 steps off straight", 600, 400, {{796, 700, 400}}, 6},
        {"his run 62 steps off straight", 250, 150, {{796, 400, 500}}, KICK_NOBODY},
    };
    const auto pick = [](const Scene& scene, bool turned) {
        const int32_t side = turned ? 1 : 0;
        const int32_t first = side * MATCH_PERSONS_PER_SIDE;
        const auto x = [turned](int32_t v) { return turned ? 2 * PITCH_CENTRE_X - v : v; };
        const auto y = [turned](int32_t v) { return turned ? 2 * PITCH_CENTRE_Y - v : v; };
        const int32_t carrier = first + kCarrier;
        // The carrier heads his side's list and his keeper takes his place in it.
        ProximityList[side][0] = static_cast<int16_t>(carrier);
        ProximityList[side][kCarrier] = static_cast<int16_t>(first);
        On(carrier, x(scene.carrierX), y(scene.carrierY), 0);
        for (size_t i = 0; i < scene.mates.size(); ++i) {
            const Mate& m = scene.mates[i];
            On(first + 6 + static_cast<int32_t>(i), x(m.x), y(m.y), m.ballDistance);
        }
        const int32_t q = Person_PickMediumPass(carrier, 1);
        return q >= 0 ? q - first : q;
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        SetUp();
        EXPECT_EQ(pick(scene, false), scene.expected);
        SetUp();
        EXPECT_EQ(pick(scene, true), scene.expected);
    }
}

TEST_F(KickKinds, TheCellPointCountsFromTheFarEndsForTheSideAttackingDown)
{
    MatchPerson& c = MatchPersons[kCarrier];
    c.targetCellRow = 17;
    c.targetCellColumn = 7;
    int32_t x = 0;
    int32_t y = 0;
    ASSERT_TRUE(Person_TargetCellPoint(kCarrier, x, y));
    EXPECT_EQ(x, 1436 - 7 * 85);
    EXPECT_EQ(y, 2042 - 17 * 106);
    Match.secondOfPair = 0;
    ASSERT_TRUE(Person_TargetCellPoint(kCarrier, x, y));
    EXPECT_EQ(x, 156 + 7 * 85);
    EXPECT_EQ(y, 122 + 17 * 106);
    c.targetCellRow = -1;
    EXPECT_FALSE(Person_TargetCellPoint(kCarrier, x, y));
}

TEST_F(KickKinds, FinalBallDrawsOnlyFromTheFlankNearGoal)
{
    MatchPerson& c = MatchPersons[kCarrier];
    struct Case {
        int32_t x, y;
        int32_t expected;
        uint32_t draws;
    };
    // Centre strip, own half; then the flank 78 from the goal line: he shoots.
    for (const Case& test : {Case{509, 200, KICK_NOBODY, 0}, Case{1083, 200, KICK_NOBODY, 0},
                             Case{300, 1500, KICK_NOBODY, 0}, Case{300, 200, KICK_SHOOT, 2}}) {
        SetUp();
        On(kCarrier, test.x, test.y, 0);
        c.facing = static_cast<uint16_t>(Person_DirectionToTarget(kCarrier, 1, 0));
        const uint32_t before = RandDrawCount();
        EXPECT_EQ(Person_PickFinalBall(kCarrier), test.expected) << test.x;
        EXPECT_EQ(RandDrawCount() - before, test.draws) << test.x;
        EXPECT_EQ(c.stats.finalBallDecisions, test.draws == 0 ? 0 : 1);
        EXPECT_EQ(c.stats.finalBallShots, test.expected == KICK_SHOOT ? 1 : 0);
        EXPECT_EQ(c.stats.finalBallPasses, 0);
    }
}

TEST_F(KickKinds, SkillTestDrawsTwiceAboveZeroAndPassesOnlyAboveFifty)
{
    for (const int32_t s : {0, -5}) {
        const uint32_t before = RandDrawCount();
        EXPECT_FALSE(Match_SkillTest(s));
        EXPECT_EQ(RandDrawCount(), before);
    }
    int32_t passedAt51 = 0;
    for (int32_t i = 0; i < 400; ++i) {
        const uint32_t before = RandDrawCount();
        EXPECT_FALSE(Match_SkillTest(50));
        passedAt51 += Match_SkillTest(51) ? 1 : 0;
        EXPECT_EQ(RandDrawCount() - before, 4u);
    }
    EXPECT_GT(passedAt51, 0);
}

struct SetUpCase {
    const char* name;
    std::function<void()> run;
    int32_t speed;
    int32_t action;
    int32_t style;
    int32_t targetX, targetY;
    int32_t receiverAction;  // of person 7
};

TEST_F(KickKinds, SetUpsWriteThePendingKick)
{
    const auto feet = [] { Person_AimPassToFeet(kCarrier, 7); };
    const auto behind = [] { Person_AimKickAt(kCarrier, 7, 796, 1100); };
    const std::vector<SetUpCase> cases = {
        {"to feet, standing", feet, 99, ACT_GROUND_KICK, 2, 796, 600, ACT_WALK_TO_TARGET},
        {"to feet, 100 is medium", feet, 100, ACT_PASS_109, 2, 796, 600, ACT_WALK_TO_TARGET},
        {"to feet, 139 is medium", feet, 139, ACT_PASS_109, 2, 796, 600, ACT_WALK_TO_TARGET},
        {"to feet, 140 is fast", feet, 140, ACT_PASS_77, 2, 796, 600, ACT_WALK_TO_TARGET},
        {"behind him, standing", behind, 99, ACT_GROUND_PASS, 0, 796, 1100, ACT_WALK_TO_TARGET},
        {"behind him, medium", behind, 100, ACT_BACK_HEEL_110, 0, 796, 1100, ACT_WALK_TO_TARGET},
        {"behind him, fast", behind, 140, ACT_BACK_HEEL_66, 0, 796, 1100, ACT_WALK_TO_TARGET},
        {"behind but 160 away", [] { Person_AimKickAt(kCarrier, 7, 796, 1160); }, 140, ACT_PASS_77,
         0, 796, 1160, ACT_WALK_TO_TARGET},
        {"lead pass: 140 along his run", [] { Person_AimLeadPass(kCarrier, 7); }, 99,
         ACT_GROUND_KICK, 2, 796, 460, ACT_GO_TO_MEETING_SPOT},
        {"lead pass 2: style 1", [] { Person_AimLeadPass2(kCarrier, 7); }, 99, ACT_GROUND_KICK, 1,
         796, 460, ACT_GO_TO_MEETING_SPOT},
        {"through ball within 720 of goal: 140", [] { Person_AimLongLeadPass(kCarrier, 7); }, 99,
         ACT_GROUND_KICK, 3, 796, 460, ACT_GO_TO_MEETING_SPOT},
        {"through ball farther: 280",
         [] { Person_PlaceAt(7, 796, 1500), Person_AimLongLeadPass(kCarrier, 7); }, 99,
         ACT_GROUND_KICK, 3, 796, 1220, ACT_GO_TO_MEETING_SPOT},
        {"the cell", [] { Person_AimLeadPass(kCarrier, KICK_TO_CELL); }, 99, ACT_GROUND_KICK, 2,
         400, 500, ACT_WALK_TO_TARGET},
    };
    for (const SetUpCase& test : cases) {
        SCOPED_TRACE(test.name);
        SetUp();
        On(7, 796, 600, 400);
        CellTarget[0] = 400;
        CellTarget[1] = 500;
        MatchPersons[kCarrier].runSpeed = static_cast<int16_t>(test.speed);
        test.run();
        const MatchPerson& k = MatchPersons[kCarrier];
        EXPECT_EQ(k.action, test.action);
        EXPECT_EQ(k.passKind, test.style);
        EXPECT_EQ(Match.kickTargetPoint[0], test.targetX);
        EXPECT_EQ(Match.kickTargetPoint[1], test.targetY);
        EXPECT_EQ(MatchPersons[7].action, test.receiverAction);
        if (Match.kickTargetPerson == 7) {
            EXPECT_EQ(MatchPersons[7].receivePoint[0], test.targetX);
            EXPECT_EQ(MatchPersons[7].receivePoint[1], test.targetY);
        }
    }
}

TEST_F(KickKinds, CrossesTakeTheSideOfTheFacingAndTheStyleBySpeedAndDepth)
{
    struct Case {
        int32_t x, y, facing, speed, targetX, targetY;
        int32_t action, style;
    };
    const Case cases[] = {
        {300, 300, 0, 141, 600, 200, ACT_LOFTED_BALL_75, 2},  // clockwise of the facing
        {300, 300, 0, 141, 200, 200, ACT_LOFTED_BALL_18, 2},
        {300, 300, 0, 141, 300, 200, ACT_LOFTED_BALL_18, 2},  // straight ahead
        {300, 300, 0, 141, 300, 500, ACT_LOFTED_BALL_18, 2},  // straight behind: 128 either way
        {300, 300, 128, 141, 300, 200, ACT_LOFTED_BALL_18, 2},
        {300, 300, 129, 141, 300, 200, ACT_LOFTED_BALL_75, 2},  // 127 clockwise
        {300, 300, 0, 140, 600, 200, ACT_LOFTED_BALL_75, 1},    // 140 never style 2
        {300, 300, 0, 101, 600, 250, ACT_LOFTED_BALL_75, 1},
        {300, 200, 0, 141, 600, 200, ACT_LOFTED_BALL_75, 0},    // 78 from the goal line
        {160, 300, 192, 141, 600, 200, ACT_LOFTED_BALL_75, 0},  // the probe leaves the pitch
    };
    for (const Case& test : cases) {
        SetUp();
        On(kCarrier, test.x, test.y, 0);
        On(7, test.targetX, test.targetY, 300);
        MatchPerson& k = MatchPersons[kCarrier];
        k.facing = static_cast<uint16_t>(test.facing);
        k.runSpeed = static_cast<int16_t>(test.speed);
        Person_AimCrossOrShot(kCarrier, 7, test.targetX, test.targetY);
        EXPECT_EQ(k.action, test.action) << test.targetX << " " << test.speed;
        EXPECT_EQ(k.passKind, test.style) << test.targetX << " " << test.speed;
        EXPECT_EQ(MatchPersons[7].action, ACT_GO_TO_MEETING_SPOT);
    }
}

TEST_F(KickKinds, AShotsRandomDepthNeverLeavesTheAimBehindTheGoalLine)
{
    int32_t onThePitch = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        SetUp();
        SRand(seed);
        On(kCarrier, 300, 300, 0);
        On(16, 796, 140, 300);
        Person_AimCrossOrShot(kCarrier, KICK_SHOOT, 0, 0);
        const int32_t y = Match.kickTargetPoint[1];
        EXPECT_TRUE(y == 117 || (y >= 122 && y < 117 + 140)) << y;
        EXPECT_EQ(Match.kickTargetPerson, KICK_SHOOT);
        onThePitch += y >= 122 ? 1 : 0;
    }
    EXPECT_GT(onThePitch, 0);
    // The same at the far goal, for a side attacking up.
    onThePitch = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        SetUp();
        Match.secondOfPair = 0;
        SRand(seed);
        On(kCarrier, 300, 1864, 0);
        On(16, 796, 2024, 300);
        Person_AimCrossOrShot(kCarrier, KICK_SHOOT, 0, 0);
        const int32_t y = Match.kickTargetPoint[1];
        EXPECT_TRUE(y == 2047 || (y <= 2042 && y > 2047 - 140)) << y;
        onThePitch += y <= 2042 ? 1 : 0;
    }
    EXPECT_GT(onThePitch, 0);
    // The style of a shot at run speed 141 counts dGoal from the goal line he shoots at: 100
    // away gives 0, 200 away gives 2.
    struct Depth {
        int32_t attackUpSide, y, style;
    };
    for (const Depth test :
         {Depth{1, 222, 0}, Depth{1, 322, 2}, Depth{0, 1942, 0}, Depth{0, 1842, 2}}) {
        SetUp();
        Match.secondOfPair = static_cast<uint8_t>(test.attackUpSide);
        SRand(1);
        On(kCarrier, 300, test.y, 0);
        MatchPersons[kCarrier].runSpeed = 141;
        Person_AimCrossOrShot(kCarrier, KICK_SHOOT, 0, 0);
        EXPECT_EQ(MatchPersons[kCarrier].passKind, test.style) << test.y;
    }
}

// Every row against the rules it stands for.
TEST(KickKindTables, RowsMatchTheRules)
{
    struct Chooser {
        int32_t base, minimum, minimumFree, limit, cone, skillTest;
        LaneKind lane;
    };
    const Chooser choosers[] = {
        {1000, 600, 600, 16, 64, 3, LaneKind::Clear},
        {1600, 1000, 1000, 16, 64, 3, LaneKind::Lead},
        {600, 200, 200, 16, 72, 3, LaneKind::NearLead},
        {150, 120, 120, 4, 32, 3, LaneKind::Short},
        {150, 120, 60, 4, 72, 3, LaneKind::Short},
        {1600, 120, 120, 4, 0, 3, LaneKind::ThroughBall},
        {150, 60, 60, 4, 0, 18, LaneKind::None},
        {600, 300, 300, 4, 0, -1, LaneKind::None},
        {250, 60, 60, 4, 0, -1, LaneKind::Short},
    };
    for (int32_t i = 0; i < 9; ++i) {
        const ChooserRow& row = ChooserTable[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(static_cast<int32_t>(row.kind), i);
        EXPECT_EQ(row.rangeBase, choosers[i].base);
        EXPECT_EQ(row.minBallDistance, choosers[i].minimum);
        EXPECT_EQ(row.minBallDistanceFree, choosers[i].minimumFree);
        EXPECT_EQ(row.actionLimit, choosers[i].limit);
        EXPECT_EQ(row.coneBase, choosers[i].cone);
        EXPECT_EQ(row.skillTest, choosers[i].skillTest);
        EXPECT_EQ(row.lane, choosers[i].lane);
        EXPECT_EQ(row.rangeSkill, i == 6 ? 4 : i == 8 ? -1 : 20);
        EXPECT_EQ(row.rangeFactor, i == 6 ? 2 : i == 8 ? 0 : 3);
    }
    EXPECT_EQ(ChooserTable[3].shootFactor, 4);   // short: x 8, then x 4
    EXPECT_EQ(ChooserTable[4].shootDivisor, 4);  // facing: x 8, then / 4
    EXPECT_TRUE(ChooserTable[4].refIsFacing && ChooserTable[8].refIsFacing);
    EXPECT_FALSE(ChooserTable[6].usesCell || ChooserTable[8].usesCell
                 || ChooserTable[8].usesPreferred);
    // The step-5 factors and the exceptions the member table names, row by row: (cross, shoot,
    // divisor), the cone's skill 9, free = 1 skipping the cone or the lane, the cell, the
    // preferred receiver.
    struct Steps {
        int32_t cross, shoot, divisor;
        bool coneSkill9, freeSkipsCone, freeSkipsLane, cell, preferred;
    };
    const Steps steps[] = {
        {8, 8, 1, true, false, false, true, true},    {8, 8, 1, true, false, false, true, true},
        {8, 8, 1, true, false, true, true, true},     {8, 4, 1, false, false, false, true, true},
        {8, 1, 4, true, true, false, true, true},     {8, 8, 1, false, false, false, true, true},
        {1, 1, 1, false, false, false, false, true},  {1, 1, 1, false, false, false, true, true},
        {1, 1, 1, false, false, false, false, false},
    };
    for (int32_t i = 0; i < 9; ++i) {
        const ChooserRow& row = ChooserTable[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(row.crossFactor, steps[i].cross);
        EXPECT_EQ(row.shootFactor, steps[i].shoot);
        EXPECT_EQ(row.shootDivisor, steps[i].divisor);
        EXPECT_EQ(row.coneUsesSkill9, steps[i].coneSkill9);
        EXPECT_EQ(row.freeSkipsCone, steps[i].freeSkipsCone);
        EXPECT_EQ(row.freeSkipsLane, steps[i].freeSkipsLane);
        EXPECT_EQ(row.usesCell, steps[i].cell);
        EXPECT_EQ(row.usesPreferred, steps[i].preferred);
    }
    const int32_t widths[] = {32, 32, 32, 24, 0};
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(static_cast<int32_t>(LaneCheckTable[i].kind), i + 1);
        EXPECT_EQ(LaneCheckTable[i].widthBase, widths[i]);
        EXPECT_EQ(LaneCheckTable[i].aimsAtLeadPoint, i == 1 || i == 2);
        EXPECT_EQ(LaneCheckTable[i].refusesBeyondOffsideLine, i == 3);
    }
    const int32_t styles[] = {2, 2, 1, 3, 0};
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(KickSetUpTable[i].style, styles[i]);
        EXPECT_EQ(KickSetUpTable[i].receiverWaits, i >= 1 && i <= 3);
        EXPECT_EQ(KickSetUpTable[i].behindRule, i == 4);
    }
}

}  // namespace
