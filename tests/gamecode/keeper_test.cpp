// tests/gamecode/keeper_test.cpp: the save decision on crafted look-ahead results (a keeper of
// judgement 100 never misreads), its fast variants, the guess at a penalty, the misreading bound
// and one decision read from a real look-ahead.
#include "gamecode/keeper.h"

#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/ballpredict.h"
#include "gamecode/motion.h"
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
        // Along the pitch.
        {128, 17, 19, 50, 150, ACT_KEEPER_PALM_OVER},
        {256, 40, 0, 7, 150, ACT_KEEPER_PALM_OVER},  // a ball standing counts as along
        {0, 16, 12, 38, 150, ACT_KEEPER_HIGH_SAVE},
        {128, 16, 39, 52, 150, ACT_KEEPER_DIVE_HIGH_SHORT},
        {128, 13, 69, 7, 150, ACT_KEEPER_DIVE_HIGH_LONG},
        {128, 13, 14, 7, 150, ACT_KEEPER_IDLE},
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
    EXPECT_EQ(Keeper_ChooseSave(796, 150, kKeeper), ACT_KEEPER_DIVE_MID_SHORT);
    EXPECT_EQ(Match.interceptTick, 44);
    EXPECT_EQ(Match.interceptReach, 20);
    EXPECT_EQ(Match.interceptHeight, 10);
    EXPECT_EQ(SavePoint[0], 816);
    EXPECT_EQ(SavePoint[1], 150);
    EXPECT_EQ(KeeperDiveDirection, 64);     // from where he stands, straight to his right
    MatchPersons[kKeeper].skills[12] = 20;  // ten ticks ahead the ball is still far off
    EXPECT_EQ(Keeper_ChooseSave(796, 150, kKeeper), ACT_KEEPER_IDLE);
}

}  // namespace
