// tests/gamecode/keeper_test.cpp: the save decision on crafted look-ahead results (a keeper of
// judgement 100 never misreads), its fast variants, the guess at a penalty, the misreading bound
// and one decision read from a real look-ahead.
#include "gamecode/keeper.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/ballpredict.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kKeeper = 0;

class KeeperSave : public testing::Test {
protected:
    void SetUp() override
    {
        MatchPerson& k = MatchPersons[kKeeper];
        k.skills[0] = 100;  // handling: never beaten by a fast ball
        k.skills[4] = 80;   // jump: R / 40 + 16 = 18, R / 20 + 16 = 20, R / 20 + 8 = 12
        k.skills[12] = 100;
        k.skills[20] = 100;  // judgement: never misreads
        k.action = ACT_KEEPER_IDLE;
        Person_PlaceAt(kKeeper, 796, 150);
        CurrentPersonPos = {796, 150, 796 * 65536, 150 * 65536};
        LineUp[0][0] = kKeeper;
        Ball.direction = 128;
    }
    static void Crafted(int32_t height, int32_t reach, int32_t tick, int32_t x, int32_t y)
    {
        Match.interceptHeight = static_cast<int16_t>(height);
        Match.interceptReach = static_cast<int16_t>(reach);
        Match.interceptTick = static_cast<int16_t>(tick);
        Match.interceptX = static_cast<int16_t>(x);
        Match.interceptY = static_cast<int16_t>(y);
    }
    ScopedMatch match;
};

TEST_F(KeeperSave, EachRowOfBothTablesAndNoSaveOtherwise)
{
    struct Case {
        uint16_t direction;
        int32_t height, reach, tick, y;
        int32_t save;
    } const cases[] = {
        // Across the goal.
        {64, 16, 100, 5, 229, ACT_KEEPER_HIGH_SAVE},
        {200, 18, 100, 38, 71, ACT_KEEPER_HIGH_SAVE},
        {64, 17, 100, 20, 230, ACT_KEEPER_PUNCH},  // too far off his line for the high save
        {64, 19, 149, 46, 150, ACT_KEEPER_PUNCH},
        {64, 20, 150, 20, 150, ACT_KEEPER_IDLE},
        {64, 12, 12, 24, 150, ACT_KEEPER_SAVE_MID_CLOSE},
        {64, 9, 12, 4, 150, ACT_KEEPER_SAVE_MID_CLOSE},
        {64, 8, 12, 44, 150, ACT_KEEPER_COLLECT_LOW},
        {64, 8, 13, 20, 150, ACT_KEEPER_IDLE},
        {64, 8, 12, 5, 150, ACT_KEEPER_IDLE},
        {41, 16, 100, 5, 150, ACT_KEEPER_HIGH_SAVE},
        {40, 16, 100, 5, 150, ACT_KEEPER_IDLE},  // along the pitch: no row takes it
        // Along the pitch.
        {128, 17, 19, 50, 150, ACT_KEEPER_PALM_OVER},
        {256, 40, 0, 7, 150, ACT_KEEPER_PALM_OVER},  // a ball standing counts as along
        {0, 16, 12, 38, 150, ACT_KEEPER_HIGH_SAVE},
        {128, 16, 39, 52, 150, ACT_KEEPER_DIVE_HIGH_SHORT},
        {128, 13, 69, 7, 150, ACT_KEEPER_DIVE_HIGH_LONG},
        {128, 13, 14, 7, 150, ACT_KEEPER_IDLE},
        {128, 13, 15, 7, 150, ACT_KEEPER_DIVE_HIGH_SHORT},
        {128, 16, 12, 4, 150, ACT_KEEPER_IDLE},
        {128, 12, 12, 24, 150, ACT_KEEPER_SAVE_MID_CLOSE},
        {128, 9, 15, 50, 150, ACT_KEEPER_DIVE_MID_SHORT},
        {128, 12, 40, 7, 150, ACT_KEEPER_DIVE_MID_LONG},
        {128, 12, 69, 51, 150, ACT_KEEPER_IDLE},
        {128, 8, 12, 44, 150, ACT_KEEPER_COLLECT_LOW},
        {128, 0, 13, 40, 150, ACT_KEEPER_DIVE_LOW_SHORT},
        {128, -3, 69, 6, 150, ACT_KEEPER_DIVE_LOW_LONG},
        {128, 8, 70, 20, 150, ACT_KEEPER_IDLE},
        {128, 8, 69, 41, 150, ACT_KEEPER_IDLE},
        {128, 8, 10000, 20, 150, ACT_KEEPER_IDLE},
    };
    for (const Case& c : cases) {
        Ball.direction = c.direction;
        Crafted(c.height, c.reach, c.tick, 780, c.y);
        MatchPersons[kKeeper].receivePoint[0] = 0;
        EXPECT_EQ(Keeper_JudgeLookAhead(kKeeper), c.save)
            << c.direction << " " << c.height << " " << c.reach << " " << c.tick;
        const bool saved = c.save != ACT_KEEPER_IDLE;
        EXPECT_EQ(MatchPersons[kKeeper].receivePoint[0], saved ? 780 : 0);
        EXPECT_EQ(Match.interceptHeight, c.height);
        EXPECT_EQ(Match.interceptTick, c.tick);
    }
}

TEST_F(KeeperSave, FastBallBeatsPoorHandsIntoTheFastVariant)
{
    struct Case {
        uint8_t speed;
        int8_t handling;
        int32_t save;
    } const cases[] = {
        {18, -1, ACT_KEEPER_FAST_DIVE_HIGH_SHORT},
        {17, -1, ACT_KEEPER_DIVE_HIGH_SHORT},
        {18, 99, ACT_KEEPER_DIVE_HIGH_SHORT},
    };
    for (const Case& c : cases) {
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            SRand(seed);
            Ball.speed = c.speed;
            MatchPersons[kKeeper].skills[0] = static_cast<uint8_t>(c.handling);
            Crafted(16, 39, 52, 780, 150);
            EXPECT_EQ(Keeper_JudgeLookAhead(kKeeper), c.save) << int{c.speed};
        }
    }
}

TEST_F(KeeperSave, PenaltyGuessAndMisreadingStayInTheirBounds)
{
    ShotWindow = 50;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SRand(seed);
        Crafted(10, 30, 9, 780, 160);
        Keeper_JudgeLookAhead(kKeeper);
        ASSERT_EQ(Match.interceptTick, 22);
        ASSERT_LE(std::abs(Match.interceptX - 780), 119);
        ASSERT_GE(Match.interceptHeight, 10);
        ASSERT_LE(Match.interceptHeight, 16);
        ASSERT_EQ(Match.interceptReach, 30);
    }
    MatchPersons[kKeeper].action = ACT_KEEPER_HIGH_SAVE;  // already diving: no guess
    Crafted(10, 30, 9, 780, 160);
    Keeper_JudgeLookAhead(kKeeper);
    EXPECT_EQ(Match.interceptTick, 9);

    ShotWindow = 0;
    MatchPersons[kKeeper].skills[20] = 0;
    int32_t moved = 0;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SRand(seed);
        Crafted(10, 30, 20, 780, 160);
        const int32_t save = Keeper_JudgeLookAhead(kKeeper);
        ASSERT_LE(std::abs(Match.interceptHeight - 10), 11);
        ASSERT_LE(std::abs(Match.interceptReach - 30), 11);
        ASSERT_LE(std::abs(Match.interceptTick - 20), 11);
        ASSERT_LE(std::abs(Match.interceptX - 780), 11);
        ASSERT_EQ(Match.interceptY, 160);
        moved += Match.interceptX != 780;
        if (save == ACT_KEEPER_IDLE) continue;
        EXPECT_EQ(SavePoint[0], Match.interceptX);
        EXPECT_EQ(MatchPersons[kKeeper].receivePoint[0], Match.interceptX);
    }
    EXPECT_GT(moved, 100);
}

// A low ball down the pitch passing 20 to his right 45 ticks ahead: the look-ahead from his spot
// finds it, and a short middle-height dive is the answer.
TEST_F(KeeperSave, DecisionReadsTheLookAheadFromThePointGiven)
{
    Match.ballDrag = 1000;
    Match.ballThird = 100;
    Person_PlaceAt(MATCH_BALL, 816, 600);
    Ball.wholeX = 816;
    Ball.wholeY = 600;
    Ball.x16 = 816 * 65536;
    Ball.y16 = 600 * 65536;
    Ball.height = 10;
    Ball.height16 = 10 * 65536;
    Ball.velY = -10 * 65536;
    Ball_UpdateSpeedDir();
    EXPECT_EQ(Keeper_ChooseSave(796 * 65536, 150 * 65536, kKeeper), ACT_KEEPER_DIVE_MID_SHORT);
    EXPECT_EQ(Match.interceptTick, 44);
    EXPECT_EQ(Match.interceptReach, 20);
    EXPECT_EQ(Match.interceptHeight, 10);
    EXPECT_EQ(SavePoint[0], 816);
    EXPECT_EQ(SavePoint[1], 150);
    EXPECT_EQ(KeeperDiveDirection, 64);     // from where he stands, straight to his right
    MatchPersons[kKeeper].skills[12] = 20;  // ten ticks ahead the ball is still far off
    EXPECT_EQ(Keeper_ChooseSave(796 * 65536, 150 * 65536, kKeeper), ACT_KEEPER_IDLE);
}

}  // namespace

namespace {

// Keeper 0 guards the top goal for side 0; player 5 heads his side's proximity list.
class KeeperIdle : public testing::Test {
protected:
    void SetUp() override
    {
        for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
            Person_PlaceAt(person, 200 + person * 30, 1800);
            MatchPersons[person].offPitch = 1;
        }
        MatchPerson& k = MatchPersons[kKeeper];
        k.offPitch = 0;
        k.skills[0] = 100;
        k.skills[4] = 80;
        k.skills[12] = 100;
        k.skills[20] = 100;
        k.action = ACT_KEEPER_IDLE;
        LineUp[0][0] = kKeeper;
        LineUp[1][0] = 16;
        ProximityList[0][0] = 5;
        ProximityList[1][0] = 20;
        MatchPersons[5].sortKey = 30000;  // far from the ball: the keeper claims it
        MatchPersons[20].ballDistance = 500;
        ActivePlayer[1] = MATCH_NONE;
        LastDefenderLine[0] = 10000;
        CurrentSide = 0;
        Match.ballDrag = 1000;
        Match.ballThird = 100;
        SRand(1);
    }
    static void Stand(int32_t x, int32_t y)
    {
        Person_PlaceAt(kKeeper, x, y);
        CurrentPersonPos = {static_cast<int16_t>(x), static_cast<int16_t>(y), x * 65536, y * 65536};
    }
    // The ball at a whole point, moving by whole units per tick, with its look-ahead points.
    static void BallAt(int32_t x, int32_t y, int32_t height, int32_t vx, int32_t vy)
    {
        Person_PlaceAt(MATCH_BALL, x, y);
        Ball.wholeX = static_cast<int16_t>(x);
        Ball.wholeY = static_cast<int16_t>(y);
        Ball.x16 = x * 65536;
        Ball.y16 = y * 65536;
        Ball.height = static_cast<uint16_t>(height);
        Ball.height16 = height * 65536;
        Ball.velX = vx * 65536;
        Ball.velY = vy * 65536;
        Ball_UpdateSpeedDir();
        Ball.lookAhead[0][0] = static_cast<int16_t>(x + Ball.velX / 10000);
        Ball.lookAhead[2][1] = static_cast<int16_t>(y + Ball.velY / 750);
    }
    ScopedMatch match;
};

TEST_F(KeeperIdle, SpotFollowsTheBallOutInPlayAndWaitsOnTheLineInStoppages)
{
    struct Case {
        uint8_t side;
        int16_t phase;
        uint8_t period;
        int32_t ballY, a;
        int32_t x, y;
        bool stored;
    } const cases[] = {
        {0, PHASE_OPEN_PLAY, 0, 922, 128, 796, 222, false},
        {0, PHASE_OPEN_PLAY, 0, 922, 64, 904, 222, false},
        {0, PHASE_CORNER_AWARDED, 0, 922, 192, 688, 222, false},
        {0, PHASE_OPEN_PLAY, 0, 122, 128, 796, 136, true},
        {0, PHASE_THROW_IN_TAKEN, 0, 922, 128, 796, 136, true},
        {1, PHASE_OPEN_PLAY, 0, 1042, 0, 796, 1917, false},
        {1, PHASE_OPEN_PLAY, 0, 1042, 64, 904, 1917, false},
        {1, PHASE_OPEN_PLAY, 0, 1042, 192, 688, 1917, false},
        {1, PHASE_OPEN_PLAY, 0, 2042, 0, 796, 2028, true},
        {1, PHASE_PENALTY_KICK, MATCH_PERIOD_SHOOT_OUT, 1042, 0, 796, 510, true},
        {0, PHASE_PENALTY_KICK, MATCH_PERIOD_SHOOT_OUT, 1042, 128, 796, 136, true},
    };
    for (const Case& c : cases) {
        const int32_t person = c.side * MATCH_PERSONS_PER_SIDE;
        MatchPersons[person].targetX = 0;
        MatchPhase = c.phase;
        Match.period = c.period;
        Person_PlaceAt(MATCH_BALL, 796, c.ballY);
        const KeeperSpot spot = Keeper_Spot(person, c.a);
        EXPECT_EQ(spot.x, c.x) << int{c.side} << " " << c.a << " " << c.phase;
        EXPECT_EQ(spot.y, c.y) << int{c.side} << " " << c.a << " " << c.phase;
        EXPECT_EQ(MatchPersons[person].targetX, c.stored ? 796 : 0);
    }
}

// A low shot down the pitch passing 10 beside him 36 ticks ahead: in his box he dives; a step
// outside it, or for a slow ball, he never starts a save from idle.
TEST_F(KeeperIdle, SavesOnlyFromInsideHisBoxAndNotForASlowLowBall)
{
    struct Case {
        int32_t keeperY, ballY, speed;
        bool saves;
    } const cases[] = {
        {200, 560, -10, true},
        {420, 780, -10, false},
        {200, 400, -3, false},
    };
    for (const Case& c : cases) {
        MatchPersons[kKeeper].action = ACT_KEEPER_IDLE;
        Stand(806, c.keeperY);
        BallAt(796, c.ballY, 6, 0, c.speed);
        Keeper_Idle(kKeeper);
        const int16_t action = MatchPersons[kKeeper].action;
        const bool saving = action != ACT_KEEPER_IDLE && action != ACT_KEEPER_SMOTHER;
        EXPECT_EQ(saving, c.saves) << c.keeperY << " " << action;
        EXPECT_EQ(MatchPersons[kKeeper].keptGoal, 1);
    }
}

TEST_F(KeeperIdle, AtTheBallHeBlocksSmothersOrClears)
{
    struct Case {
        const char* what;
        int32_t ballY, height, vx, vy;
        int32_t action, passKind, claims;
    } const cases[] = {
        {"fast low ball: block", 205, 5, 3, 5, ACT_KEEPER_QUICK_BLOCK_154, 5, 0},
        {"fast low ball: block", 205, 7, -3, 5, ACT_KEEPER_QUICK_BLOCK_155, 7, 0},
        {"loose ball in the box", 205, 0, 0, 0, ACT_KEEPER_SMOTHER, 1, 1},
        {"loose ball outside", 392, 0, 0, 0, ACT_KEEPER_CLEAR_OUTSIDE_BOX, 0, 0},
        {"bouncing ball: runs at it", 205, 10, 0, 0, ACT_KEEPER_IDLE, 0, 0},
    };
    for (const Case& c : cases) {
        MatchPersons[kKeeper].action = ACT_KEEPER_IDLE;
        MatchPersons[kKeeper].stats.claims = 0;
        MatchPersons[kKeeper].passKind = 0;
        MatchPersons[kKeeper].animation = 0;
        Stand(796, c.ballY - 5);
        BallAt(800, c.ballY, c.height, c.vx, c.vy);
        Keeper_Idle(kKeeper);
        const MatchPerson& k = MatchPersons[kKeeper];
        EXPECT_EQ(k.action, c.action) << c.what;
        EXPECT_EQ(k.passKind, c.passKind) << c.what;
        EXPECT_EQ(k.stats.claims, c.claims) << c.what;
        EXPECT_EQ(k.animation == 12, c.action == ACT_KEEPER_IDLE) << c.what;
    }
    // A loose ball an opponent is about to play is run at, not smothered.
    ActivePlayer[1] = 20;
    MatchPersons[20].ballDistance = 32;
    MatchPersons[kKeeper].action = ACT_KEEPER_IDLE;
    Stand(796, 200);
    BallAt(800, 205, 0, 0, 0);
    Keeper_Idle(kKeeper);
    EXPECT_EQ(MatchPersons[kKeeper].action, ACT_KEEPER_IDLE);
    EXPECT_EQ(MatchPersons[kKeeper].animation, 12);
    std::vector<int32_t>& groups = match.Record().commentaryGroups;
    EXPECT_EQ(std::count(groups.begin(), groups.end(), 124), 1);
}

// A ball behind the defence: straight down the pitch he runs out from 30 yards, at an angle only
// from 15.
TEST_F(KeeperIdle, RunsOutForABallBehindTheDefence)
{
    struct Case {
        int32_t ballX;
        bool runs;
    } const cases[] = {{796, true}, {1100, false}};
    Person_PlaceAt(5, 796, 700);
    LastDefenderLine[0] = 480;
    for (const Case& c : cases) {
        MatchPersons[kKeeper].action = ACT_KEEPER_IDLE;
        MatchPersons[kKeeper].animation = 0;
        Stand(796, 200);
        BallAt(c.ballX, 500, 0, 0, 0);
        Keeper_Idle(kKeeper);
        EXPECT_EQ(MatchPersons[kKeeper].animation == 12, c.runs) << c.ballX;
        EXPECT_EQ(MatchPersons[kKeeper].action, ACT_KEEPER_IDLE);
    }
}

TEST_F(KeeperIdle, OnlyTheSlotZeroKeeperStaysAndAStoppageSetsHimOnHisSpot)
{
    MatchPersons[3].action = ACT_KEEPER_IDLE;
    MatchPersons[kKeeper].action = ACT_ACTIVE;
    Stand(500, 1000);
    BallAt(796, 1000, 0, 0, 0);
    Keeper_Idle(3);
    EXPECT_EQ(MatchPersons[3].action, ACT_STAND);
    EXPECT_EQ(MatchPersons[kKeeper].action, ACT_KEEPER_IDLE);

    MatchPhase = PHASE_THROW_IN_AWARDED;
    Stand(798, 224);  // 4 off the spot (796, 222) for a ball straight down the pitch at y 922
    BallAt(796, 922, 0, 0, 0);
    Keeper_Idle(kKeeper);
    EXPECT_EQ(CurrentPersonPos.x16, 796 * 65536);
    EXPECT_EQ(CurrentPersonPos.y16, 222 * 65536);
    Stand(760, 260);
    Keeper_Idle(kKeeper);
    EXPECT_LT(CurrentPersonPos.y16, 260 * 65536);  // runs toward it
}

}  // namespace
