// tests/gamecode/headers_test.cpp: the standing headers, the header to a team-mate and the three
// jumping headers as one table each (the ball held still in reach, the heading draw scripted),
// the books a header keeps, and the jumping tables' ends. Side 0 heads toward the goal at y 122.
#include "gamecode/headers.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/incidents.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchdata.h"
#include "gamecode/pitch.h"
#include "gamecode/shotchoice.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kHeader = 5;
constexpr int32_t kMate = 6;
constexpr int32_t kX = PITCH_CENTRE_X;

bool Said(const PresentationRecord& record, int32_t group)
{
    const auto& groups = record.commentaryGroups;
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

class Headers : public testing::Test {
protected:
    // He stands at (796, y) facing `facing`, in `action`, the ball still at his feet at `height`.
    void Start(int16_t action, int32_t y, int32_t facing, int32_t height)
    {
        PlaceUnderStillBall(kHeader, action, kX, y, facing, height);
        Match.kickTargetPerson = -1;
        Match.headerMate = -1;
        Match_ClearPassRecords();
        match.Record() = {};
    }
    void PlaceMate(int32_t x, int32_t y)
    {
        Person_PlaceAt(kMate, x, y);
        MatchPersons[kMate].offPitch = 0;
        MatchPersons[kMate].ballDistance = 120;
    }
    ScopedMatch match;
};

// The standing headers and 88: one contact each, its length along the facing or the chosen
// direction, the lift by the ball's height and the header's counters.
TEST_F(Headers, StandingHeadersSendTheBallByTheHeadingDraw)
{
    struct Case {
        const char* what;
        int16_t action;
        int32_t facing, height;
        bool mate;
        ScriptedDraw draw;  // the heading draw, after whatever the choice of direction drew
        int32_t velX, velY;
        bool onTarget;
        int32_t group;
        int16_t kind;
        bool contact = true;
    } const cases[] = {
        // clang-format off
        {"115 heads well: soft", ACT_STANDING_HEADER, 0, 12, false, {100, 0, 49}, 0, -57344, true, 327,
         KICK_KIND_OTHER},
        {"115 heads poorly: four times as hard", ACT_STANDING_HEADER, 0, 12, false, {100, 50, 99}, 0,
         -229376, false, 327, KICK_KIND_OTHER},
        {"114 along a facing of 64: toward larger x", ACT_HEADER_HOLD_PLACE, 64, 3, false,
         {100, 0, 49}, 57344, 0, true, 326, KICK_KIND_OTHER},
        {"114 above the lift table's top", ACT_HEADER_HOLD_PLACE, 64, 15, false, {100, 50, 99}, 229376,
         0, false, 326, KICK_KIND_OTHER},
        {"115: a ball at 16 is over his head", ACT_STANDING_HEADER, 0, 16, false, {1, 0, 0}, 0, 0,
         false, 327, KICK_KIND_OTHER, false},
        {"88 lays the ball off to his mate", ACT_HEADER_TO_MATE, 0, 12, true, {100, 0, 49}, 229376, 0,
         true, 299, KICK_KIND_HEADED_PASS},
        {"88 heads poorly: along his facing", ACT_HEADER_TO_MATE, 128, 12, true, {100, 50, 99}, 0,
         229376, false, 299, KICK_KIND_HEADED_PASS},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(c.action, 1000, c.facing, c.height);
        if (c.mate) PlaceMate(kX + 100, 1000);
        std::vector<ScriptedDraw> script;
        if (c.mate) script.push_back({1, 0, 0});  // the lay-off's lane
        script.push_back(c.draw);
        ScriptDraws(script);
        const std::vector<int32_t> frames = StrikeFramesOf(kHeader, c.action, 200);
        const MatchPerson& p = MatchPersons[kHeader];
        EXPECT_EQ(frames.size(), c.contact ? 1u : 0u);
        if (!c.contact) {
            EXPECT_EQ(Ball.velY, 0);
            EXPECT_EQ(p.stats.headersOffTarget, 0);
            continue;
        }
        EXPECT_EQ(frames[0], 1);  // a ball at his head is met on the first tick
        EXPECT_EQ(Ball.velX, c.velX);
        EXPECT_EQ(Ball.velY, c.velY);
        EXPECT_EQ(Ball.velZ, Header_Lift(c.height));
        EXPECT_EQ(p.stats.headersOnTarget, c.onTarget ? 1 : 0);
        EXPECT_EQ(p.stats.headersOffTarget, c.onTarget ? 0 : 1);
        EXPECT_EQ(Match.lastKickKind, c.kind);
        EXPECT_TRUE(Said(match.Record(), c.group));
        EXPECT_EQ(std::count(match.Record().sounds.begin(), match.Record().sounds.end(), 5), 1);
        EXPECT_EQ(Ball.lastToucher, kHeader);
        EXPECT_EQ(p.action, ACT_STAND);  // the animation ran out
        if (c.mate) {
            EXPECT_EQ(MatchPersons[kMate].action, ACT_GO_TO_MEETING_SPOT);
            EXPECT_EQ(Match.passRecord[2][0], kHeader);
            EXPECT_EQ(Match.passRecord[2][1], kMate);
        }
        PlayerMatchRecord record{};
        Football_FillPlayerMatchRecord(&record, 0, kHeader);
        EXPECT_EQ(Football_GetMatchFigure(record, PMS_HEADERS), 1);
    }
}

// The jumping headers: the body rises to skill 4 x 50 / 1000 at the jump frame and comes down,
// the contact comes at that frame at the earliest, and the ball leaves by the member's rule.
TEST_F(Headers, JumpingHeadersMeetTheBallAtTheTopOfTheJump)
{
    struct Case {
        const char* what;
        int16_t action;
        int32_t y, facing, height;
        bool mate;
        int32_t jumpFrame;
        int32_t velX, velY, velZ;
        int32_t group;
        int16_t kind;
        int16_t shots;
        bool contact;
    } const cases[] = {
        // clang-format off
        {"86 passes to the receiver", ACT_JUMP_HEADED_PASS, 1000, 64, 12, true, 41, 196608, 0, -36864,
         297, KICK_KIND_HEADED_PASS, 0, true},
        {"86 with nobody to head to", ACT_JUMP_HEADED_PASS, 1000, 64, 12, false, 41, 196608, 0, -36864,
         298, KICK_KIND_OTHER, 0, true},
        {"82 within 400 of goal heads at it", ACT_JUMP_HEADER_AT_GOAL, 300, 0, 12, false, 49, 0,
         -524288, -65536, 330, KICK_KIND_SHOT, 1, true},
        {"82 far out, nobody to find: his way to goal", ACT_JUMP_HEADER_AT_GOAL, 1000, 0, 16, false,
         49, 0, -360448, 4096, 330, KICK_KIND_OTHER, 0, true},
        {"82 far out heads on to a mate he picked", ACT_JUMP_HEADER_AT_GOAL, 1000, 64, 12, true, 49,
         360448, 0, -65536, 329, KICK_KIND_HEADED_PASS, 0, true},
        {"87 flicks it on over his head", ACT_JUMP_HEADER_BACK_FLICK, 1000, 0, 12, false, 40, 0, 196608,
         -65536, 328, KICK_KIND_OTHER, 0, true},
        {"a ball at 8 is too low", ACT_JUMP_HEADER_BACK_FLICK, 1000, 0, 8, false, 40, 0, 0, 0, -1,
         KICK_KIND_OTHER, 0, false},
        {"a ball at 20 is too high", ACT_JUMP_HEADED_PASS, 1000, 64, 20, false, 41, 0, 0, 0, -1,
         KICK_KIND_OTHER, 0, false},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(c.action, c.y, c.facing, c.height);
        Match.lastKickKind = KICK_KIND_OTHER;
        Match.kickTargetPoint[0] = static_cast<int16_t>(kX + 200);
        Match.kickTargetPoint[1] = static_cast<int16_t>(c.y);
        ShotTarget[0] = static_cast<int16_t>(kX);
        ShotTarget[1] = 117;
        if (c.mate) {
            PlaceMate(kX + 200, c.y);
            Match.kickTargetPerson = kMate;
        }
        // The header at goal or to a mate aims afresh: the target point is his to write.
        if (c.action == ACT_JUMP_HEADER_AT_GOAL) Match.kickTargetPoint[0] = 0;
        MatchPerson& p = MatchPersons[kHeader];
        int32_t highest = 0;
        int32_t contactFrame = -1;
        for (int32_t tick = 0; tick < 300 && p.action == c.action; ++tick) {
            const uint8_t before = p.kicked;
            RunPersonAction(kHeader);
            highest = std::max<int32_t>(highest, p.height);
            if (before == 0 && p.kicked != 0) contactFrame = p.drawnFrame;
        }
        EXPECT_EQ(highest, 4);
        EXPECT_EQ(p.height, 0);  // down again, and standing
        EXPECT_EQ(p.action, ACT_STAND);
        EXPECT_EQ(Match.headerMate, -1);
        EXPECT_EQ(contactFrame >= c.jumpFrame, c.contact) << contactFrame;
        if (!c.contact) {
            EXPECT_EQ(contactFrame, -1);
            EXPECT_EQ(Ball.velX, 0);
            continue;
        }
        EXPECT_LE(contactFrame, c.jumpFrame + 1);
        EXPECT_EQ(Ball.velX, c.velX);
        EXPECT_EQ(Ball.velY, c.velY);
        EXPECT_EQ(Ball.velZ, c.velZ);
        EXPECT_TRUE(Said(match.Record(), c.group));
        EXPECT_EQ(std::count(match.Record().sounds.begin(), match.Record().sounds.end(), 5), 1);
        EXPECT_EQ(Match.lastKickKind, c.kind);
        EXPECT_EQ(p.stats.shots, c.shots);
        EXPECT_EQ(Match.thirdShotRecord, c.shots);
        EXPECT_EQ(AssistCandidate, kHeader);
        EXPECT_EQ(AssistTimer, 300);
        EXPECT_EQ(Ball.possession, 0);
        EXPECT_EQ(MatchPersons[kMate].action, c.mate ? ACT_GO_TO_MEETING_SPOT : ACT_WALK_TO_TARGET);
    }
}

// A headed pass completed by its receiver counts in the third record; a headed goal's shot
// record credits the third special counter.
TEST_F(Headers, AHeadedPassCompletesTheThirdRecord)
{
    Start(ACT_JUMP_HEADED_PASS, 1000, 64, 12);
    PlaceMate(kX + 200, 1000);
    Match.kickTargetPoint[0] = static_cast<int16_t>(kX + 200);
    Match.kickTargetPoint[1] = 1000;
    Match.kickTargetPerson = kMate;
    StrikeFramesOf(kHeader, ACT_JUMP_HEADED_PASS, 300);
    Match_OnBallTouch(kMate);
    EXPECT_EQ(MatchPersons[kHeader].stats.thirdKindCompletions, 1);
    EXPECT_EQ(MatchPersons[kMate].stats.thirdKindReceptions, 1);
    EXPECT_EQ(Match.passRecord[2][0], -1);
    PlayerMatchRecord record{};
    Football_FillPlayerMatchRecord(&record, 0, kHeader);
    EXPECT_EQ(Football_GetMatchFigure(record, PMS_RELAYS), 1);
}

// The target word is the match's: when another kick has aimed it at an opponent since he went up,
// the headed pass goes toward the point for nobody.
TEST_F(Headers, AHeadedPassNeverGoesToAnOpponentTheTargetWordNames)
{
    constexpr int32_t kOpponent = 20;
    Start(ACT_JUMP_HEADED_PASS, 1000, 64, 12);
    Person_PlaceAt(kOpponent, kX + 200, 1000);
    MatchPersons[kOpponent].offPitch = 0;
    Match.kickTargetPoint[0] = static_cast<int16_t>(kX + 200);
    Match.kickTargetPoint[1] = 1000;
    Match.kickTargetPerson = kOpponent;
    StrikeFramesOf(kHeader, ACT_JUMP_HEADED_PASS, 300);
    EXPECT_EQ(Ball.velX, 196608);
    EXPECT_EQ(MatchPersons[kOpponent].action, ACT_WALK_TO_TARGET);
    EXPECT_EQ(Match.passRecord[2][0], -1);
    EXPECT_EQ(Match.lastKickKind, KICK_KIND_OTHER);
    EXPECT_TRUE(Said(match.Record(), 298));
}

// The jumping tables press a low ball down and end flat (at 29) or at their top; past 29 they
// read their last row.
TEST(HeaderLift, TheJumpingTablesEndAsTheyShouldAndClampBeyond)
{
    EXPECT_EQ(kJumpHeaderLift[28], 65536);
    EXPECT_EQ(kJumpHeaderLift[29], 0);
    EXPECT_EQ(Header_LiftFrom(kJumpHeaderLift, 30), 0);
    EXPECT_EQ(Header_LiftFrom(kHeadedPassLift, 65535), 196608);
    EXPECT_EQ(Header_LiftFrom(kHeadedPassLift, -1), -65536);
    EXPECT_EQ(kHeadedPassLift[21], 0);
    for (int32_t height = 1; height < 30; ++height) {
        EXPECT_GE(kHeadedPassLift[height], kHeadedPassLift[height - 1]) << height;
        if (height < 29) {
            EXPECT_GE(kJumpHeaderLift[height], kJumpHeaderLift[height - 1]) << height;
        }
    }
}

}  // namespace
