// tests/gamecode/challenge_test.cpp: the tackle choice of a defender closing down (how often he
// may tackle, by the carrier's distance from goal, his booking, a still ball and the danger areas;
// which tackle, with a scripted generator) and the challenge's outcome worked by hand: the ride
// roll on both sides of its edge, the ball running on, the fall and the hurt it may bring. Side 0
// defends the goal at y 2042, side 1 the one at y 122.
#include "gamecode/challenge.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr ScriptedDraw kAny{1, 0, 0};

struct Approach {
    int32_t defenderDistance;
    int32_t apart;   // round the ball from the carrier
    int32_t turned;  // the defender's facing away from the ball
};
constexpr Approach kStanding{40, 10, 5};

class Challenge : public testing::Test {
protected:
    void SetUp() override
    {
        SetMatchPhysics();
        PlaceBallAlone(796, 1082);
        SetBareScene();
    }
    // The carrier 4 from the ball at (x, y), the defender placed by `a`, a rolling ball.
    void Place(int32_t defender, int32_t carrier, int32_t x, int32_t y, const Approach& a)
    {
        m_defender = defender;
        m_carrier = carrier;
        for (const int32_t person : {defender, carrier}) {
            MatchPersons[person].offPitch = 0;
            MatchPersons[person].action = ACT_ACTIVE;
            MatchPersons[person].stats = {};
            MatchPersons[person].kicked = 0;
        }
        MatchPerson& c = MatchPersons[carrier];
        MatchPerson& p = MatchPersons[defender];
        Person_PlaceAt(carrier, x, y);
        c.ballDistance = 4;
        c.dirToBall = 0;
        Person_PlaceAt(defender, x + 30, y);
        p.ballDistance = static_cast<int16_t>(a.defenderDistance);
        p.dirToBall = static_cast<uint16_t>(a.apart);
        p.facing = static_cast<uint16_t>((a.apart + a.turned) & 255);
        Person_PlaceAt(MATCH_BALL, x, y - 4);
        Ball.velX = 65536;
        Ball.velY = 0;
        Ball_UpdateSpeedDir();
        Ball.height = 0;
        Ball.lookAhead[1][0] = static_cast<int16_t>(x);
        Ball.lookAhead[1][1] = static_cast<int16_t>(y - 200);
        Match.lastCommentCategory = 0;
        match.Record().commentaryGroups.clear();
    }
    void Choose()
    {
        const MatchPerson& p = MatchPersons[m_defender];
        CurrentPersonPos = {p.x, p.y, p.x16, p.y16};
        Match.currentSide = static_cast<uint8_t>(Person_Side(m_defender));
        Person_ChooseTackle(m_defender, m_carrier);
    }
    // The smallest tick count at which the defender, every other standing-tackle condition met,
    // starts the standing tackle: the tick test's interval.
    int32_t TackleInterval(const std::function<void()>& setUp)
    {
        for (int32_t tick = 1; tick < 2000; ++tick) {
            setUp();
            Match.tickCount = static_cast<uint16_t>(tick);
            Match.matchTicks = 0;
            Choose();
            if (MatchPersons[m_defender].action == ACT_SLIDING_TACKLE_89) return tick;
            EXPECT_EQ(MatchPersons[m_defender].action, ACT_ACTIVE) << "tick " << tick;
        }
        return -1;
    }
    ScopedMatch match;
    int32_t m_defender = 5;
    int32_t m_carrier = 20;
};

TEST_F(Challenge, TheTackleIntervalFollowsDistanceSkillsBookingStillBallAndDangerArea)
{
    struct Case {
        const char* what;
        int32_t defender, carrier;
        int32_t x, y;
        int8_t tackling, reading;  // skills 4 and 12 of the defender
        bool booked, still;
        int32_t interval;
    } const cases[] = {
        // clang-format off
        // The carrier 960 from the goal he attacks: (976 / 100) / 2 + 1.
        {"midfield", 5, 20, 796, 1082, 50, 50, false, false, 5},
        {"booked", 5, 20, 796, 1082, 50, 50, true, false, 15},
        {"still ball", 5, 20, 796, 1082, 50, 50, false, true, 1},
        {"booked, still ball", 5, 20, 796, 1082, 50, 50, true, true, 1},
        {"weaker reader", 5, 20, 796, 1082, 20, 30, false, false, 10},
        // Both skills 0: divided by 1, not by 0.
        {"no skills", 5, 20, 796, 1082, 0, 0, false, false, 489},
        // In the area side 0 defends, 242 from goal: 2, then 3 x 50.
        {"in his box", 5, 20, 796, 1800, 50, 50, false, false, 152},
        // Side 0's defender at the other end: no addition (1742 from goal).
        {"far from his box", 5, 20, 796, 300, 50, 50, false, false, 9},
        // Side 1 defends y 122: the same rule mirrored, so the same intervals.
        {"up side, midfield", 21, 6, 796, 1082, 50, 50, false, false, 5},
        {"up side, in his box", 21, 6, 796, 364, 50, 50, false, false, 152},
        {"up side, far from his box", 21, 6, 796, 1864, 50, 50, false, false, 9},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int32_t interval = TackleInterval([&] {
            Place(c.defender, c.carrier, c.x, c.y, kStanding);
            MatchPerson& p = MatchPersons[c.defender];
            p.skills[4] = static_cast<uint8_t>(c.tackling);
            p.skills[12] = static_cast<uint8_t>(c.reading);
            p.bookings = c.booked ? 1 : 0;
            if (c.still) Ball_Stop();
            if (c.still) Ball_UpdateSpeedDir();
        });
        EXPECT_EQ(interval, c.interval);
        EXPECT_EQ(MatchPersons[c.defender].stats.tacklesMade, 1);
    }
}

TEST_F(Challenge, TheTackleTakenFollowsTheApproachAndTheScriptedDraws)
{
    constexpr int32_t k = 5;   // the midfield interval
    constexpr int32_t m = 12;  // (100 - 50) / 4
    struct Case {
        const char* what;
        Approach approach;
        uint16_t tick;
        uint32_t matchTick;
        int32_t height;
        uint8_t lastCategory;
        std::vector<ScriptedDraw> script;
        int16_t action;
        int32_t group;  // said, 0 none
        bool facesBall, facesAhead;
    } const cases[] = {
        // clang-format off
        {"charge", {20, 10, 5}, k, 0, 0, 0, {{100, 51, 99}}, ACT_SHOULDER_CHARGE, 0, true, false},
        {"standing", {20, 10, 5}, k, 0, 0, 0, {{100, 0, 50}, kAny}, ACT_SLIDING_TACKLE_89, 9, true,
         false},
        {"standing, tackle line just said", {20, 10, 5}, k, 0, 0, 8, {{100, 0, 50}},
         ACT_SLIDING_TACKLE_89, 0, true, false},
        {"standing, off the match tick", {20, 10, 5}, k, 1, 0, 0, {{100, 0, 99}}, ACT_ACTIVE, 0,
         true, false},
        // Standing just too far round the ball, or turned just too far from it: the gate shut.
        {"apart 48", {20, 48, 5}, k, 0, 0, 0, {{m, 1, m - 1}, {k, 1, k - 1}}, ACT_ACTIVE, 0, false,
         false},
        {"turned 48", {20, 10, 48}, k, 0, 0, 0, {{m, 1, m - 1}, {k, 1, k - 1}}, ACT_ACTIVE, 0,
         false, false},
        {"ball above 6", {20, 10, 5}, k, 0, 7, 0, {}, ACT_ACTIVE, 0, false, false},
        {"ball at 6", {20, 10, 5}, k, 0, 6, 0, {{100, 0, 50}, kAny}, ACT_SLIDING_TACKLE_89, 9, true,
         false},
        // Off the tick test: the gate's first draw 0 skips the second.
        {"slide", {60, 60, 20}, 1, 0, 0, 0, {{m, 0, 0}, {200, 100, 100}, kAny}, ACT_BLOCK_TACKLE,
         11, false, true},
        {"lunge", {60, 60, 20}, 1, 0, 0, 0, {{m, 0, 0}, {200, 0, 0}, kAny}, ACT_LUNGE, 10, false,
         true},
        {"slide through the second gate draw", {60, 96, 20}, 1, 0, 0, 0,
         {{m, 1, m - 1}, {k, 0, 0}, {200, 1, 199}, kAny}, ACT_BLOCK_TACKLE, 11, false, true},
        {"gate shut", {60, 60, 20}, 1, 0, 0, 0, {{m, 1, m - 1}, {k, 1, k - 1}}, ACT_ACTIVE, 0,
         false, false},
        {"slide at apart 48", {60, 48, 20}, 1, 0, 0, 0, {{m, 0, 0}, {200, 1, 199}, kAny},
         ACT_BLOCK_TACKLE, 11, false, true},
        {"slide turned 96", {60, 60, 96}, 1, 0, 0, 0, {{m, 0, 0}}, ACT_ACTIVE, 0, false, false},
        {"too far round for a slide", {60, 97, 20}, 1, 0, 0, 0, {{m, 0, 0}}, ACT_ACTIVE, 0, false,
         false},
        {"slide too far", {70, 60, 20}, 1, 0, 0, 0, {{m, 0, 0}}, ACT_ACTIVE, 0, false, false},
        {"block", {20, 110, 20}, 1, 0, 0, 0, {{m, 0, 0}, kAny}, ACT_STANDING_TACKLE, 12, true,
         false},
        {"block too far", {32, 110, 20}, 1, 0, 0, 0, {{m, 0, 0}}, ACT_ACTIVE, 0, false, false},
        {"in front of the carrier", {3, 60, 20}, 1, 0, 0, 0, {{m, 0, 0}}, ACT_ACTIVE, 0, false,
         false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Place(5, 20, 796, 1082, c.approach);
        Ball.height = static_cast<uint16_t>(c.height);
        Match.lastCommentCategory = c.lastCategory;
        Match.tickCount = c.tick;
        Match.matchTicks = c.matchTick;
        const uint16_t facing = MatchPersons[5].facing;
        ScriptDraws(c.script);
        const uint32_t before = RandDrawCount();
        Choose();
        const MatchPerson& p = MatchPersons[5];
        EXPECT_EQ(RandDrawCount() - before, c.script.size());
        EXPECT_EQ(p.action, c.action);
        const bool counted = c.action == ACT_SLIDING_TACKLE_89 || c.action == ACT_BLOCK_TACKLE
                             || c.action == ACT_LUNGE || c.action == ACT_STANDING_TACKLE;
        EXPECT_EQ(p.stats.tacklesMade, counted ? 1 : 0);
        const std::vector<int32_t>& said = match.Record().commentaryGroups;
        EXPECT_EQ(said, c.group == 0 ? std::vector<int32_t>{} : std::vector<int32_t>{c.group});
        EXPECT_EQ(Match.lastCommentCategory, c.group != 0 ? 8 : c.lastCategory);
        // The ball is straight ahead of the carrier (toward y 122), the look-ahead 200 beyond.
        const int32_t toBall = Person_DirectionTo(p.x, p.y, 796, 1078);
        const int32_t toAhead = Person_DirectionTo(p.x, p.y, 796, 882);
        EXPECT_EQ(p.facing, c.facesBall ? toBall : c.facesAhead ? toAhead : facing);
    }
}

// Carrier 20 (skills a = 5, agility 18, toughness 19) meets tackler 5 (tackling 4).
TEST_F(Challenge, TheChallengeIsRiddenOrBringsTheCarrierDownAndMayHurtHim)
{
    struct Case {
        const char* what;
        int16_t tackle;
        int8_t balance, tackling, agility, toughness;
        int16_t carrierAction;
        int16_t ballDistance;
        int16_t dismissals;  // of the carrier's side
        std::vector<ScriptedDraw> script;
        int32_t result;
        int16_t actionAfter;
        int16_t tacklerCooldown;
        bool ballRuns;
        int8_t hurt;
        int32_t f;  // 0: no injury
    } const cases[] = {
        // clang-format off
        // Equal skills: rand % 101 < agility, on both sides of the edge.
        {"standing ridden at 59", ACT_SLIDING_TACKLE_89, 50, 50, 60, 50, ACT_ACTIVE, 9, 0,
         {{101, 59, 59}, kAny, {51, 0, 50}, kAny}, 1, ACT_BURST, 0, false, 0, 0},
        {"standing down at 60", ACT_SLIDING_TACKLE_89, 50, 50, 60, 50, ACT_ACTIVE, 9, 0,
         {{101, 60, 60}}, 0, 73, 0, false, 0, 0},
        // A balance 20 above the tackling: rand % 81.
        {"the better balanced rides", ACT_SLIDING_TACKLE_89, 70, 50, 60, 50, ACT_ACTIVE, 9, 0,
         {{81, 59, 59}, kAny, {71, 0, 70}, kAny}, 1, ACT_BURST, 0, false, 0, 0},
        // Tackling 30 above the balance: rand % 110, and a kick under way cools the tackler.
        {"a kicker tackled by the stronger", ACT_SLIDING_TACKLE_89, 40, 70, 60, 50, 7, 9, 0,
         {{110, 60, 109}}, 0, 73, 16, false, 0, 0},
        {"a kicker rides", ACT_SLIDING_TACKLE_89, 50, 50, 60, 50, 13, 9, 0,
         {{101, 0, 59}, kAny, {51, 0, 50}, kAny}, 1, ACT_BURST, 16, false, 0, 0},
        {"ridden on the ball: it runs on", ACT_SLIDING_TACKLE_89, 50, 50, 60, 50, ACT_ACTIVE, 5, 0,
         {{101, 0, 59}, kAny, {200, 0, 49}, {51, 0, 50}, kAny}, 1, ACT_BURST, 16, true, 0, 0},
        {"perfect balance's roll", ACT_SLIDING_TACKLE_89, 100, 100, 60, 50, ACT_ACTIVE, 9, 0,
         {{101, 0, 59}, kAny, {101, 100, 100}, kAny}, 1, ACT_BURST, 0, false, 0, 0},
        {"a slide ridden", ACT_BLOCK_TACKLE, 50, 50, 60, 50, ACT_ACTIVE, 9, 0, {{101, 0, 59}, kAny},
         1, ACT_BURST, 0, false, 0, 0},
        // Down, toughness 50: rand % 100 > 50 hurts.
        {"a slide not hurting", ACT_BLOCK_TACKLE, 50, 50, 60, 50, ACT_ACTIVE, 9, 0,
         {{101, 60, 100}, {100, 0, 50}}, 0, 73, 0, false, 0, 0},
        {"a slide hurting", ACT_BLOCK_TACKLE, 50, 50, 60, 50, ACT_ACTIVE, 9, 0,
         {{101, 60, 100}, {100, 51, 99}, {50, 0, 9}, kAny, {10, 8, 8}}, 0, 73, 0, false, 1, 108},
        {"a slide hurting, no flag", ACT_BLOCK_TACKLE, 50, 50, 60, 50, ACT_ACTIVE, 9, 0,
         {{101, 60, 100}, {100, 51, 99}, {50, 10, 49}, {10, 0, 0}}, 0, 73, 0, false, 0, 100},
        // The lunge is never ridden, hurts above 50 - 25, flags on rand % 20 and costs 10 more.
        {"a lunge", ACT_LUNGE, 50, 50, 60, 50, ACT_ACTIVE, 9, 0,
         {{101, 0, 0}, {100, 26, 26}, {20, 9, 9}, kAny, {10, 3, 3}}, 0, 73, 0, false, 1, 113},
        {"a lunge below the edge", ACT_LUNGE, 50, 50, 60, 50, ACT_ACTIVE, 9, 0,
         {{101, 0, 0}, {100, 25, 25}}, 0, 73, 0, false, 0, 0},
        {"a lunge on a side with four sent off", ACT_LUNGE, 50, 50, 60, 50, ACT_ACTIVE, 9, 4,
         {{101, 0, 0}, {100, 26, 99}, {20, 0, 9}, {10, 9, 9}}, 0, 73, 0, false, 0, 119},
    };
    // clang-format on
    constexpr int32_t kTackler = 5;
    constexpr int32_t kCarrierPerson = 20;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Place(kTackler, kCarrierPerson, 796, 1082, kStanding);
        MatchPerson& p = MatchPersons[kCarrierPerson];
        MatchPerson& q = MatchPersons[kTackler];
        p.skills[5] = static_cast<uint8_t>(c.balance);
        p.skills[18] = static_cast<uint8_t>(c.agility);
        p.skills[19] = static_cast<uint8_t>(c.toughness);
        p.skills[15] = 80;
        p.skills[16] = 11;
        q.skills[4] = static_cast<uint8_t>(c.tackling);
        p.action = c.carrierAction;
        p.hasBall = c.ballDistance <= 5 ? 1 : 0;
        p.ballDistance = c.ballDistance;
        p.facing = 64;  // toward the right touchline
        p.kicked = 0;
        p.touchCooldown1 = 0;
        p.resultByteA = 50;
        p.resultByteB = 0;
        q.action = c.tackle;
        q.facing = 192;
        q.kicked = 0;
        q.touchCooldown1 = 0;
        Match.dismissals[1] = c.dismissals;
        Ball.velX = Ball.velY = Ball.velZ = 0;
        match.Record().sounds.clear();
        Match.currentSide = 0;
        ScriptDraws(c.script);
        const uint32_t before = RandDrawCount();
        EXPECT_EQ(Person_ResolveChallenge(kCarrierPerson, kTackler), c.result);
        EXPECT_EQ(RandDrawCount() - before, c.script.size());
        EXPECT_EQ(p.action, c.actionAfter);
        EXPECT_EQ(p.kicked, 1);
        EXPECT_EQ(q.kicked, 1);
        EXPECT_EQ(p.stats.challengesRidden, c.result);
        EXPECT_EQ(q.touchCooldown1, c.tacklerCooldown);
        // The ball runs on along his facing 64: 130 - 50 / 2 = 105 units, x 4096 a tick.
        EXPECT_EQ(Ball.velX, c.ballRuns ? 105 * 4096 : 0);
        EXPECT_EQ(Ball.velZ, c.ballRuns ? 20480 : 0);
        EXPECT_EQ(p.touchCooldown1, c.ballRuns ? 32 : c.result == 0 ? 16 : 0);
        if (c.result == 0) {
            EXPECT_EQ(p.hasBall, 0);
        }
        const bool slide = c.tackle != ACT_SLIDING_TACKLE_89;
        const std::vector<int32_t>& sounds = match.Record().sounds;
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 11), slide && c.result == 0 ? 1 : 0);
        EXPECT_EQ(p.resultByteB, c.hurt);
        // By hand: pace 80 and stamina 11 fall to 80 x 100 / f and at least 10, the condition
        // 50 to 50 x f / 100, the injury total rises by (f - 100) / 2.
        const int32_t f = c.f == 0 ? 100 : c.f;
        EXPECT_EQ(p.skills[15], c.f == 0 ? 80 : 8000 / f);
        EXPECT_EQ(p.skills[16], c.f == 0 ? 11 : std::max(10, 1100 / f));
        EXPECT_EQ(p.resultByteA, 50 * f / 100);
        EXPECT_EQ(p.stats.injuryTotal, (f - 100) / 2);
    }
}

TEST_F(Challenge, TheBallRunsOnAfterARideOnlyWhenTheCarrierHasItOrIsWithinFive)
{
    struct Case {
        uint8_t hasBall;
        int16_t ballDistance;
        bool runs;
    } const cases[] = {{1, 40, true}, {0, 5, true}, {0, 6, false}, {1, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ballDistance);
        Place(5, 20, 796, 1082, kStanding);
        MatchPerson& p = MatchPersons[20];
        p.skills[18] = 127;  // he always rides
        p.hasBall = c.hasBall;
        p.ballDistance = c.ballDistance;
        p.facing = 64;
        MatchPersons[5].action = ACT_BLOCK_TACKLE;
        Ball.velX = 0;
        EXPECT_EQ(Person_ResolveChallenge(20, 5), 1);
        EXPECT_EQ(Ball.velX, c.runs ? 105 * 4096 : 0);
    }
}

// A carrier on the edge of the penalty area (y 410) is outside it: side 1's defender tackles
// every (304 / 100) / 2 + 1 ticks there, and adds 3 x 50 a unit inside.
TEST_F(Challenge, TheDangerAreaEndsAtTheLineOfTheBox)
{
    for (const int32_t y : {410, 409}) {
        SCOPED_TRACE(y);
        const int32_t interval = TackleInterval([&] { Place(21, 6, 796, y, kStanding); });
        EXPECT_EQ(interval, y == 410 ? 2 : 152);
    }
}

TEST_F(Challenge, APlayedBallIsNoChallenge)
{
    Place(5, 20, 796, 1082, kStanding);
    MatchPersons[5].action = ACT_LUNGE;
    for (const int32_t whoKicked : {5, 20}) {
        MatchPersons[5].kicked = 0;
        MatchPersons[20].kicked = 0;
        MatchPersons[whoKicked].kicked = 1;
        const uint32_t before = RandDrawCount();
        EXPECT_EQ(Person_ResolveChallenge(20, 5), 1);
        EXPECT_EQ(RandDrawCount(), before);
        EXPECT_EQ(MatchPersons[20].action, ACT_ACTIVE);
    }
}

}  // namespace
