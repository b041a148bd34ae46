// tests/gamecode/officials_test.cpp: where the referee and the linesmen go, the whistles, the
// walk off after the last whistle, and the referee's scripted dealings with offenders: a talk, a
// booking, a second booking and a straight sending-off.
#include "gamecode/officials.h"

#include <algorithm>
#include <array>
#include <vector>

#include "game/matchblocks.h"
#include "gamecode/actions.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

class Officials : public testing::Test {
protected:
    void SetUp() override { SetOpenPlayScene(); }
    ScopedMatch match;
};

TEST_F(Officials, EachOfficialRunsToHisPostAndStandsWithinReachOfIt)
{
    struct Case {
        int32_t official;
        int16_t state;
        int16_t ballX, ballY;
        int16_t phase;
        int16_t spotY;  // the throw-in or corner spot in phases 6 and 8
        int32_t x, y;   // his post
    } const cases[] = {
        {MATCH_REFEREE, 1, 700, 1000, PHASE_OPEN_PLAY, 0, 900, 1200},
        {MATCH_REFEREE, 1, 1000, 1500, PHASE_OPEN_PLAY, 0, 800, 1300},
        {MATCH_REFEREE, 1, 100, 500, PHASE_THROW_IN_AWARDED, 0, 356, 700},  // x clamped first
        {MATCH_REFEREE, 1, 1500, 1082, PHASE_OPEN_PLAY, 0, 1236, 882},
        {MATCH_REFEREE, 1, 796, 1000, PHASE_OPEN_PLAY, 0, 596, 1200},  // the ball on the centre x
        {MATCH_REFEREE, 1, 700, 1000, PHASE_GOAL_RESTART, 0, 556, 842},
        {MATCH_REFEREE, 1, 1200, 300, PHASE_KICKOFF_READY, 0, 556, 842},
        {MATCH_REFEREE, 1, 1200, 300, PHASE_KICKOFF_PERIOD, 0, 556, 842},
        {MATCH_LINESMAN_1, 2, 700, 1500, PHASE_OPEN_PLAY, 0, 124, 1500},
        {MATCH_LINESMAN_1, 2, 700, 600, PHASE_OPEN_PLAY, 0, 124, 1082},
        {MATCH_LINESMAN_1, 2, 150, 1600, PHASE_THROW_IN_TAKEN, 1600, 124, 1536},
        {MATCH_LINESMAN_1, 2, 156, 1082, PHASE_THROW_IN_TAKEN, 1082, 124, 1082},
        {MATCH_LINESMAN_1, 2, 1436, 2042, PHASE_CORNER_TAKEN, 2042, 124, 1978},
        {MATCH_LINESMAN_2, 3, 700, 600, PHASE_OPEN_PLAY, 0, 1468, 600},
        {MATCH_LINESMAN_2, 3, 700, 1500, PHASE_OPEN_PLAY, 0, 1468, 1082},
        {MATCH_LINESMAN_2, 3, 1436, 122, PHASE_CORNER_TAKEN, 122, 1468, 186},
        {MATCH_LINESMAN_2, 3, 1436, 500, PHASE_THROW_IN_TAKEN, 500, 1468, 564},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.official << " ball " << c.ballX << ", " << c.ballY);
        MatchPhase = c.phase;
        Match.throwInSpot[1] = c.spotY;
        Match.cornerSpot[1] = c.spotY;
        Person_PlaceAt(MATCH_BALL, c.ballX, c.ballY);
        MatchPerson& o = MatchPersons[c.official];
        // 33 units off on one axis he runs straight at it; 31 off he stands.
        struct Start {
            int32_t dx, dy, direction;
        };
        for (const Start s : {Start{33, 0, 192}, Start{-33, 0, 64}, Start{0, 33, 0}}) {
            Person_SetAction(c.official, c.state);
            Person_PlaceAt(c.official, c.x + s.dx, c.y + s.dy);
            Officials_Update();
            EXPECT_EQ(o.aimDirection, s.direction) << s.dx << ", " << s.dy;
            EXPECT_LT(std::abs(o.x16 - c.x * 65536) + std::abs(o.y16 - c.y * 65536), 33 * 65536);
        }
        Person_PlaceAt(c.official, c.x + 31, c.y);
        Officials_Update();
        EXPECT_EQ(o.x16, (c.x + 31) * 65536);
        EXPECT_EQ(o.runSpeed, 0);
        EXPECT_EQ(o.action, c.state);
        if (c.official != MATCH_REFEREE) {
            EXPECT_EQ(o.animation, -1);
        }
        // Beyond the exit point he first comes in level with where he stands.
        Person_PlaceAt(c.official, -100, c.y + 300);
        Officials_Update();
        EXPECT_EQ(o.aimDirection, 64);
    }
}

TEST_F(Officials, AtACornerTheRefereeStandsOnlyStrictlyWithinThreeUnitsOfTheAreaCorner)
{
    MatchPhase = PHASE_CORNER_TAKEN;
    Person_SetAction(MATCH_REFEREE, OFFICIAL_REFEREE_FOLLOW);
    MatchPerson& ref = MatchPersons[MATCH_REFEREE];
    struct Case {
        int16_t ballX;
        int32_t x, y;  // the area corner of the half he stands in, across from the ball
    } const cases[] = {{200, 1116, 410}, {1400, 476, 410}, {200, 1116, 1754}, {1400, 476, 1754}};
    for (const Case& c : cases) {
        Person_PlaceAt(MATCH_BALL, c.ballX, c.y < 1082 ? 130 : 2030);
        Person_PlaceAt(MATCH_REFEREE, c.x + 2, c.y - 2);
        Officials_Update();
        EXPECT_EQ(ref.x16, (c.x + 2) * 65536) << c.ballX;
        Person_PlaceAt(MATCH_REFEREE, c.x + 3, c.y);
        Officials_Update();
        EXPECT_EQ(ref.aimDirection, 192);
        EXPECT_LT(ref.x, c.x + 3);
    }
}

TEST_F(Officials, EachWhistleSoundsOnceAtItsFrameThenTheNextStateAndAfterTheLastAllLeave)
{
    struct Case {
        int16_t kind;
        int32_t sound;
        int32_t frame;
        int16_t next;
    } const cases[] = {{1, 8, 40, 1}, {2, 9, 25, 8}, {3, 10, 50, 4}};
    MatchPerson& ref = MatchPersons[MATCH_REFEREE];
    for (const Case& c : cases) {
        match.Record().sounds.clear();
        Referee_Whistle(c.kind, c.next);
        std::vector<int32_t> framesHeard;
        for (int32_t tick = 0; tick < 200 && ref.action == OFFICIAL_REFEREE_WHISTLE; ++tick) {
            const size_t before = match.Record().sounds.size();
            Officials_Update();
            if (match.Record().sounds.size() > before) framesHeard.push_back(ref.frame);
        }
        EXPECT_EQ(match.Record().sounds, std::vector<int32_t>{c.sound}) << c.kind;
        EXPECT_EQ(framesHeard, std::vector<int32_t>{c.frame});
        EXPECT_EQ(ref.action, c.next);
    }
    // State 4 only turns him; at the exit he heads for the tunnel, where he disappears.
    Person_PlaceAt(MATCH_REFEREE, 400, 1082);
    Officials_Update();
    EXPECT_EQ(ref.x, 400);
    EXPECT_EQ(ref.action, 4);
    Person_PlaceAt(MATCH_REFEREE, -4 + 9, 1082 - 9);
    Officials_Update();
    EXPECT_EQ(ref.action, 15);
    for (const int32_t linesman : {MATCH_LINESMAN_1, MATCH_LINESMAN_2}) {
        Person_SetAction(linesman, OFFICIAL_LINESMAN_TO_EXIT);
        Person_PlaceAt(linesman, 124, 1500);
    }
    for (int32_t tick = 0; tick < 1500; ++tick) {
        Officials_Update();
    }
    for (const int32_t official : {MATCH_REFEREE, MATCH_LINESMAN_1, MATCH_LINESMAN_2}) {
        const MatchPerson& o = MatchPersons[official];
        EXPECT_EQ(o.frame, -1) << official;
        EXPECT_LE(std::abs(o.x + 164) + std::abs(o.y - 1082), 18);
    }
}

TEST_F(Officials, FlagsReturnToThePatrol)
{
    for (const int16_t state : {10, 11, 12, 13}) {
        const int32_t linesman = state % 2 == 0 ? MATCH_LINESMAN_1 : MATCH_LINESMAN_2;
        Person_SetAction(linesman, state);
        int32_t ticks = 0;
        while (MatchPersons[linesman].action == state && ticks < 200) {
            Officials_Update();
            ++ticks;
            EXPECT_EQ(MatchPersons[linesman].animation, -1);
        }
        EXPECT_EQ(MatchPersons[linesman].action, state % 2 == 0 ? 2 : 3) << state;
        EXPECT_GE(ticks, 50);
    }
}

using InfoBars = std::vector<std::array<int32_t, 3>>;
using Line = std::array<int32_t, 3>;  // commentary group, player, number
using Lines = std::vector<Line>;
Lines g_lines;

// The referee deals with `offender` until he follows play again; the ticks it took.
int32_t Deal(int32_t offender, int16_t decision)
{
    Offender = static_cast<int16_t>(offender);
    RefereeDecision = decision;
    Person_SetAction(MATCH_REFEREE, decision);
    int32_t ticks = 0;
    while (MatchPersons[MATCH_REFEREE].action >= 7 && MatchPersons[MATCH_REFEREE].action <= 9
           && ticks < 2000) {
        Officials_Update();
        if (RefereeDecision == MatchPersons[MATCH_REFEREE].action) {
            EXPECT_EQ(Match.followedObject, MATCH_REFEREE);
        }
        ++ticks;
    }
    EXPECT_EQ(Match.followedObject, MATCH_BALL);
    EXPECT_EQ(RefereeDecision, 0);
    return ticks;
}

std::vector<int32_t> RowKinds()
{
    const MatchDataBlock* data = GetMatchDataBlock();
    std::vector<int32_t> kinds;
    for (int32_t row = 0; row < data->eventCount; ++row) {
        kinds.push_back(data->events[row].kind);
    }
    return kinds;
}

TEST_F(Officials, TalkBookingSecondBookingAndStraightRedFollowTheirScript)
{
    GetMatchSidesBlock()->sides[1].human = 1;
    Comm_SetListener([](int32_t group, int32_t, int32_t player, int32_t, int32_t number) {
        g_lines.push_back({group, player, number});
    });
    constexpr int32_t kHome = 5;
    constexpr int32_t kAway = 20;
    MatchPersons[kHome].playerId = 1234;
    MatchPersons[kAway].playerId = 4321;
    MatchPerson& ref = MatchPersons[MATCH_REFEREE];
    MatchPerson& home = MatchPersons[kHome];
    Person_PlaceAt(MATCH_REFEREE, 1300, 1600);
    home.action = ACT_ACTIVE;

    // A talk: he stops the offender, runs to him (12 at 140) and talks; no card.
    Offender = kHome;
    RefereeDecision = 7;
    Person_SetAction(MATCH_REFEREE, 7);
    Officials_Update();
    EXPECT_EQ(home.action, ACT_STAND);
    EXPECT_EQ(ref.animation, 12);
    EXPECT_GT(Deal(kHome, 7), 62);
    EXPECT_EQ(home.bookings, 0);
    EXPECT_TRUE(match.Record().infoBars.empty());

    // Already within reach: the first booking is shown without a step.
    Person_PlaceAt(MATCH_REFEREE, home.x + 20, home.y);
    Offender = kHome;
    RefereeDecision = 8;
    Person_SetAction(MATCH_REFEREE, 8);
    Officials_Update();
    EXPECT_EQ(ref.x, home.x + 20);
    Deal(kHome, 8);
    EXPECT_EQ(home.bookings, 1);
    EXPECT_EQ(Match.bookingsShown[0], 1);
    EXPECT_EQ(Match.cardCount[0], 1);
    EXPECT_EQ(Match.cards[0][0].kind, 1);
    EXPECT_EQ(RowKinds(), std::vector<int32_t>{2});
    EXPECT_EQ(GetMatchDataBlock()->events[0].b, 1234);
    EXPECT_EQ(match.Record().infoBars, (InfoBars{{6, kHome, -1}}));
    EXPECT_EQ(std::count(match.Record().sounds.begin(), match.Record().sounds.end(), 12), 0);

    // A second booking: the crowd every tick, one more kind-2 row, then straight on to 9.
    Person_PlaceAt(MATCH_REFEREE, 1300, 1600);
    g_lines.clear();
    Deal(kHome, 8);
    EXPECT_GT(std::count(match.Record().sounds.begin(), match.Record().sounds.end(), 12), 50);
    EXPECT_EQ(home.bookings, 2);
    EXPECT_EQ(home.sentOff, 0);
    EXPECT_EQ(Match.secondBookings[0], 1);
    EXPECT_EQ(Match.dismissals[0], 1);
    EXPECT_EQ(RowKinds(), (std::vector<int32_t>{2, 2}));
    EXPECT_EQ(Match.cardCount[0], 2);
    EXPECT_EQ(Match.cards[0][1].kind, 3);
    // Group 114 with the side's players still able to play: ten of the eleven.
    EXPECT_EQ(g_lines, (Lines{{113, kHome, 0}, {114, -1, 10}}));
    EXPECT_EQ(match.Record().infoBars.back(), (std::array<int32_t, 3>{7, kHome, -1}));
    EXPECT_EQ(home.action, ACT_WALK_OFF_TUNNEL);
    EXPECT_EQ(SubstitutionRequest[0], 0);  // side 0 is the computer's
    player_action();
    EXPECT_EQ(home.offPitch, 1);

    // A straight red for the human's player: his request, a card and a kind-3 row.
    Person_PlaceAt(MATCH_REFEREE, 300, 300);
    Deal(kAway, 9);
    const MatchPerson& away = MatchPersons[kAway];
    EXPECT_EQ(away.sentOff, 1);
    EXPECT_EQ(Match.dismissals[1], 1);
    EXPECT_EQ(SubstitutionRequest[1], 1);
    EXPECT_EQ(Match.cardCount[1], 1);
    EXPECT_EQ(Match.cards[1][0].kind, 3);
    EXPECT_EQ(RowKinds(), (std::vector<int32_t>{2, 2, 3}));
    EXPECT_EQ(GetMatchDataBlock()->events[2].a, 1);
    EXPECT_EQ(GetMatchDataBlock()->events[2].b, 4321);
    EXPECT_EQ(g_lines.back(), (Line{114, -1, 10}));
}

TEST_F(Officials, ADecisionOnNobodyOnThePitchIsDropped)
{
    for (const int16_t offender : {-1, 32, 12}) {  // 12 is a substitute on the bench
        Deal(offender, 9);
        EXPECT_EQ(Match.dismissals[0] + Match.dismissals[1], 0);
        EXPECT_EQ(MatchPersons[MATCH_REFEREE].action, 1);
    }
    // Person 0, the first of the range, is dealt with like any other: a talk, a booking, a red.
    struct Dealing {
        int16_t decision;
        int16_t bookings, dismissals;
    };
    for (const Dealing d : {Dealing{7, 0, 0}, Dealing{8, 1, 0}, Dealing{9, 1, 1}}) {
        const int32_t rows = GetMatchDataBlock()->eventCount;
        Person_PlaceAt(MATCH_REFEREE, 300, 300);
        EXPECT_GT(Deal(0, d.decision), 1) << d.decision;
        EXPECT_EQ(MatchPersons[0].bookings, d.bookings) << d.decision;
        EXPECT_EQ(Match.dismissals[0], d.dismissals) << d.decision;
        EXPECT_EQ(GetMatchDataBlock()->eventCount - rows, d.decision == 7 ? 0 : 1) << d.decision;
    }
}

TEST(OfficialsDeathTest, AStateOutsideTheTableIsFatal)
{
    ScopedMatch match;
    MatchPersons[MATCH_LINESMAN_1].action = 16;
    EXPECT_FATAL(Officials_Update(), "Officials_Update(): bad state 16 - official 33");
}

}  // namespace
