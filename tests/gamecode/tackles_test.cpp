// tests/gamecode/tackles_test.cpp: the tackles' foul and card rules as one table of scripted
// draws (the foul roll of each tackle, the lenient side's pardon, the card threshold, warnings,
// the last man in the central band, the keeper and a side with four sent off), the ball a tackle
// reaches, the clearing slide, the stumble, the dive and the handball. Side 0 (the tacklers)
// attacks the goal at y 122 and defends the one at y 2042.
#include "gamecode/tackles.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/headers.h"
#include "gamecode/keycounts.h"
#include "gamecode/kickbook.h"
#include "gamecode/phases.h"
#include "tests/gamecode/harness/harness.h"

namespace {

// The types of the info bars shown, in order.
std::vector<int32_t> InfoBarTypes(const PresentationRecord& record)
{
    std::vector<int32_t> types;
    for (const auto& bar : record.infoBars)
        types.push_back(bar[0]);
    return types;
}

constexpr ScriptedDraw kAny{1, 0, 0};
constexpr int32_t kTackler = 5;
constexpr int32_t kCover = 6;  // a team-mate, deeper than the tackler unless he is the last man
constexpr int32_t kCarrier = 20;

class Tackles : public testing::Test {
protected:
    // The tackler starting `action` at (800, 1000) facing the carrier 10 away toward y 122, the
    // carrier on the ball for side 1 in a carry run, the ball 30 from the tackler.
    void Start(int16_t action)
    {
        SetMatchPhysics();
        PlaceBallAlone(800, 970);
        SetBareScene();
        for (const int32_t person : {kTackler, kCover, kCarrier}) {
            MatchPersons[person].offPitch = 0;
        }
        Person_PlaceAt(kCover, 800, 1500);
        Person_PlaceAt(kTackler, 800, 1000);
        Person_PlaceAt(kCarrier, 800, 990);
        Person_SetAction(kTackler, action);
        MatchPerson& p = MatchPersons[kTackler];
        p.facing = 0;
        p.ballDistance = 30;
        p.skills[2] = 60;  // a foul needs the carrier more than 60 / 12 from the ball
        MatchPerson& c = MatchPersons[kCarrier];
        Person_SetAction(kCarrier, ACT_CARRY_RUN);
        c.ballDistance = 10;
        c.facing = 128;
        c.skills[SKILL_AGILITY] = 0;  // he never rides the tackle
        c.skills[19] = 127;           // nor is hurt
        Ball.lastToucher = kCarrier;
        Ball.possession = 1;
        Match.official[0] = 65;
        Match.official[1] = 58;
        Match.official[2] = 0;
        Match.dismissals[0] = 0;
        Offender = -1;
        RefereeDecision = 0;
        std::fill(std::begin(Match.tackleMarked), std::end(Match.tackleMarked), 0);
    }
    ScopedMatch match;
};

TEST_F(Tackles, EachTacklesFoulAndCardFollowItsRule)
{
    struct Case {
        const char* what;
        int16_t tackle;
        int8_t strictness;
        int8_t lenient;  // 1: side 0 is the lenient side
        uint8_t warnings;
        bool lastMan, keeper;
        int16_t dismissals;
        int16_t ballX;
        int16_t carrierAction;
        int16_t carrierBallDistance;
        int8_t carrierAgility;
        std::vector<ScriptedDraw> script;
        bool foul;
        int16_t decision;
        std::vector<int32_t> said;
        uint8_t warningsAfter;
    } const cases[] = {
        // clang-format off
        // The sliding tackle: the challenge's ride roll, then rand % 100 < 65 fouls, r % 300.
        {"booking below the threshold", ACT_SLIDING_TACKLE_89, 65, 0, 0, false, false, 0, 800,
         ACT_CARRY_RUN, 10, 0, {kAny, {100, 64, 64}, kAny, {300, 57, 57}, kAny}, true, 8,
         {300, 151}, 0},
        {"the other sliding tackle books too", ACT_SLIDING_TACKLE_28, 65, 0, 0, false, false, 0,
         800, ACT_CARRY_RUN, 10, 0, {kAny, {100, 64, 64}, kAny, {300, 57, 57}, kAny}, true, 8,
         {300, 151}, 0},
        {"nothing at the threshold", ACT_SLIDING_TACKLE_89, 65, 0, 0, false, false, 0, 800,
         ACT_CARRY_RUN, 10, 0, {kAny, {100, 0, 64}, kAny, {300, 58, 58}}, true, 0, {300}, 0},
        {"a warning on a multiple of 4", ACT_SLIDING_TACKLE_89, 65, 0, 0, false, false, 0, 800,
         ACT_CARRY_RUN, 10, 0, {kAny, {100, 0, 64}, kAny, {300, 60, 60}, kAny}, true, 7, {300, 152},
         1},
        {"booked after two warnings", ACT_SLIDING_TACKLE_89, 65, 0, 2, false, false, 0, 800,
         ACT_CARRY_RUN, 10, 0, {kAny, {100, 0, 64}, kAny, {300, 61, 299}, kAny}, true, 8,
         {300, 151}, 2},
        {"no foul at the strictness", ACT_SLIDING_TACKLE_89, 65, 0, 0, false, false, 0, 800,
         ACT_CARRY_RUN, 10, 0, {kAny, {100, 65, 65}}, false, 0, {}, 0},
        {"the lenient side pardoned", ACT_SLIDING_TACKLE_89, 65, 1, 0, false, false, 0, 800,
         ACT_CARRY_RUN, 10, 0, {kAny, {100, 0, 64}, {100, 0, 29}}, false, 0, {}, 0},
        {"the lenient side not pardoned", ACT_SLIDING_TACKLE_28, 65, 1, 0, false, false, 0, 800,
         ACT_CARRY_RUN, 10, 0, {kAny, {100, 0, 64}, {100, 30, 30}, kAny, {300, 59, 59}}, true, 0,
         {300}, 0},
        {"the keeper is never carded", ACT_SLIDING_TACKLE_89, 65, 0, 0, false, true, 0, 800,
         ACT_CARRY_RUN, 10, 0, {kAny, {100, 0, 64}, kAny}, true, 0, {300}, 0},
        {"no card with four sent off", ACT_SLIDING_TACKLE_89, 65, 0, 0, false, false, 4, 800,
         ACT_CARRY_RUN, 10, 0, {kAny, {100, 0, 64}, kAny}, true, 0, {300}, 0},
        {"the last man in the band", ACT_SLIDING_TACKLE_89, 65, 0, 0, true, false, 0, 1179,
         ACT_CARRY_RUN, 10, 0, {kAny, {100, 0, 64}, kAny, {300, 0, 57}, kAny, kAny}, true, 9,
         {300, 151, 263}, 0},
        {"the last man warned in the band", ACT_SLIDING_TACKLE_89, 65, 0, 0, true, false, 0, 413,
         ACT_CARRY_RUN, 10, 0, {kAny, {100, 0, 64}, kAny, {300, 60, 60}, kAny, kAny}, true, 9,
         {300, 152, 263}, 1},
        {"the last man on the band's edge", ACT_SLIDING_TACKLE_89, 65, 0, 0, true, false, 0, 412,
         ACT_CARRY_RUN, 10, 0, {kAny, {100, 0, 64}, kAny, {300, 0, 57}, kAny}, true, 8, {300, 151},
         0},
        {"a ridden tackle", ACT_SLIDING_TACKLE_89, 65, 0, 0, false, false, 0, 800, ACT_CARRY_RUN,
         10, 127, {kAny, kAny, kAny, kAny, {100, 0, 64}}, false, 0, {13}, 0},
        {"a carrier keeping the ball", ACT_SLIDING_TACKLE_89, 65, 0, 0, false, false, 0, 800,
         ACT_RUN_WITH_BALL, 10, 0, {kAny, {100, 0, 64}}, false, 0, {}, 0},
        {"a carrier on the ball", ACT_SLIDING_TACKLE_89, 65, 0, 0, false, false, 0, 800,
         ACT_CARRY_RUN, 5, 0, {kAny, {100, 0, 64}}, false, 0, {}, 0},
        // The block tackle: the challenge's ride and hurt rolls, then the sliding tackle's rules.
        {"block tackle", ACT_BLOCK_TACKLE, 65, 0, 0, false, false, 0, 800, ACT_CARRY_RUN, 10, 0,
         {kAny, kAny, {100, 0, 64}, kAny, {300, 0, 57}, kAny}, true, 8, {262, 151}, 0},
        // The lunge: rand % 50 against the strictness, r % 100 above 58 books, else a red.
        {"lunge booked", ACT_LUNGE, 40, 0, 0, false, false, 0, 800, ACT_CARRY_RUN, 10, 0,
         {kAny, kAny, {50, 39, 39}, kAny, {100, 59, 59}, kAny}, true, 8, {331, 332}, 0},
        {"lunge sent off", ACT_LUNGE, 40, 0, 0, false, false, 0, 800, ACT_CARRY_RUN, 10, 0,
         {kAny, kAny, {50, 0, 39}, kAny, {100, 58, 58}, kAny}, true, 9, {331, 333}, 0},
        {"lunge by the last man", ACT_LUNGE, 40, 0, 0, true, false, 0, 800, ACT_CARRY_RUN, 10, 0,
         {kAny, kAny, {50, 0, 39}, kAny, {100, 59, 99}, kAny, kAny}, true, 9, {331, 332, 334}, 0},
        {"lunge not a foul", ACT_LUNGE, 40, 0, 0, false, false, 0, 800, ACT_CARRY_RUN, 10, 0,
         {kAny, kAny, {50, 40, 40}}, false, 0, {}, 0},
        // The charge: rand % 1000, cards only past ten warnings; then his chance to leave off.
        {"charge", ACT_SHOULDER_CHARGE, 65, 0, 10, false, false, 0, 800, ACT_CARRY_RUN, 10, 0,
         {{1000, 64, 64}, kAny, kAny}, true, 0, {303}, 10},
        {"charge, no foul", ACT_SHOULDER_CHARGE, 65, 0, 0, false, false, 0, 800, ACT_CARRY_RUN, 10,
         0, {{1000, 65, 999}, kAny}, false, 0, {}, 0},
        {"charge after eleven warnings", ACT_SHOULDER_CHARGE, 65, 0, 11, false, false, 0, 800,
         ACT_CARRY_RUN, 10, 0, {{1000, 0, 64}, kAny, {200, 0, 57}, kAny, kAny}, true, 8, {303, 151},
         11},
        {"charge, warned again", ACT_SHOULDER_CHARGE, 65, 0, 11, false, false, 0, 800,
         ACT_CARRY_RUN, 10, 0, {{1000, 0, 64}, kAny, {200, 58, 199}, kAny, kAny}, true, 7,
         {303, 152}, 12},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(c.tackle);
        MatchPerson& p = MatchPersons[kTackler];
        MatchPerson& o = MatchPersons[kCarrier];
        Match.official[0] = c.strictness;
        Match.official[2] = c.lenient;
        p.warnings = c.warnings;
        if (c.lastMan) Person_PlaceAt(kCover, 800, 900);
        if (c.keeper) LineUp[0][0] = kTackler;
        Match.dismissals[0] = c.dismissals;
        Person_PlaceAt(MATCH_BALL, c.ballX, 970);
        o.action = c.carrierAction;
        o.ballDistance = c.carrierBallDistance;
        o.skills[SKILL_AGILITY] = static_cast<uint8_t>(c.carrierAgility);
        match.Record() = {};
        const KeyCountsRecord kinds = KeyCounts[kTackler];
        ScriptDraws(c.script);
        const uint32_t before = RandDrawCount();
        RunPersonAction(kTackler);
        EXPECT_EQ(RandDrawCount() - before, c.script.size());
        EXPECT_EQ(MatchPhase, c.foul ? PHASE_FOUL : PHASE_OPEN_PLAY);
        EXPECT_EQ(RefereeDecision, c.decision);
        EXPECT_EQ(match.Record().commentaryGroups, c.said);
        EXPECT_EQ(p.warnings, c.warningsAfter);
        const std::vector<int32_t>& sounds = match.Record().sounds;
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 12), c.lastMan && c.decision == 9);
        const bool charge = c.tackle == ACT_SHOULDER_CHARGE;
        const bool lunge = c.tackle == ACT_LUNGE;
        const bool block = c.tackle == ACT_BLOCK_TACKLE;
        const int32_t fouls = c.foul ? 1 : 0;
        EXPECT_EQ(p.stats.tackleFouls, !charge && !block ? fouls : 0);
        EXPECT_EQ(p.stats.lungeFouls, lunge ? fouls : 0);
        EXPECT_EQ(p.stats.foulsPenalised, block ? fouls : 0);
        EXPECT_EQ(p.stats.fouls, charge ? fouls : 0);
        // A tackle's foul is of one kind: a lunge unfair, a carded one cynical, else needless.
        const KeyCountsRecord& k = KeyCounts[kTackler];
        const bool tackleFoul = c.foul && !charge;
        const bool carded = c.decision == 8 || c.decision == 9;
        EXPECT_EQ(k.foulsUnfair - kinds.foulsUnfair, tackleFoul && lunge);
        EXPECT_EQ(k.foulsCynical - kinds.foulsCynical, tackleFoul && !lunge && carded);
        EXPECT_EQ(k.foulsNeedless - kinds.foulsNeedless, tackleFoul && !lunge && !carded);
        if (c.foul) {
            EXPECT_EQ(InfoBarTypes(match.Record()), std::vector<int32_t>{charge ? 14 : 15});
            EXPECT_EQ(PhaseTimer, 0);
            EXPECT_EQ(FoulingSide, 0);
            EXPECT_EQ(FouledPlayer, kCarrier);
            EXPECT_EQ(Offender, kTackler);
            EXPECT_EQ(RestartSpot[0], o.x);
            EXPECT_EQ(RestartSpot[1], o.y);
        } else {
            EXPECT_TRUE(match.Record().infoBars.empty());
            EXPECT_EQ(Offender, -1);
        }
        // One mark for a tackle that met the carrier; the charge leaves none.
        const std::vector<int32_t> mark =
            charge ? std::vector<int32_t>{} : std::vector<int32_t>{block || lunge ? 2 : 5};
        EXPECT_EQ(match.Record().groundMarks, mark);
    }
}

TEST_F(Tackles, ATackleMarksTheGroundOnceHoweverLongTheContactHolds)
{
    Start(ACT_LUNGE);
    Match.official[0] = 0;  // no foul
    for (int32_t tick = 0; tick < 4; ++tick) {
        MatchPersons[kTackler].kicked = 0;
        MatchPersons[kCarrier].kicked = 0;
        Person_PlaceAt(kCarrier, 800, MatchPersons[kTackler].y - 8);
        RunPersonAction(kTackler);
    }
    EXPECT_EQ(match.Record().groundMarks, std::vector<int32_t>{2});
    // The end of his animation frees the mark for his next tackle.
    for (int32_t tick = 0; tick < 200 && MatchPersons[kTackler].action == ACT_LUNGE; ++tick) {
        RunPersonAction(kTackler);
    }
    EXPECT_EQ(MatchPersons[kTackler].action, ACT_ACTIVE);
    EXPECT_EQ(Match.tackleMarked[2], 0);
    EXPECT_LT(MatchPersons[kTackler].facing, 256);
}

// The ball 8 ahead of the tackler, the carrier out of the challenge (he played the ball).
TEST_F(Tackles, ABallReachedIsKnockedOnOrTakenFromAKeepingCarrier)
{
    struct Case {
        const char* what;
        int16_t tackle;
        int16_t carrierAction;
        int16_t phase;
        int16_t ballEvent;
        std::vector<ScriptedDraw> script;
        int16_t actionAfter;
        int32_t velX, velY;
        int32_t group;
    } const cases[] = {
        // clang-format off
        // Along (facing - 0) & 255 = 0 with length 50 x 2560, and up 32768.
        {"slide knocks on", ACT_SLIDING_TACKLE_89, ACT_CARRY_RUN, PHASE_OPEN_PLAY, 0,
         {{100, 0, 0}, kAny}, ACT_SLIDING_TACKLE_89, 0, -128000, 301},
        {"slide knocks on outside open play", ACT_SLIDING_TACKLE_89, ACT_CARRY_RUN, PHASE_FOUL, 0,
         {{100, 0, 0}}, ACT_SLIDING_TACKLE_89, 0, -128000, 0},
        {"slide takes the ball", ACT_SLIDING_TACKLE_28, ACT_RUN_WITH_BALL, PHASE_OPEN_PLAY, 0,
         {kAny}, ACT_SLIDE_WITH_BALL, 0, 0, 302},
        // Straight along the facing, 50 x 3072.
        {"block knocks on", ACT_BLOCK_TACKLE, ACT_RUN_WITH_BALL, PHASE_OPEN_PLAY, 0, {kAny},
         ACT_BLOCK_TACKLE, 0, -153600, 265},
        {"block after a parry", ACT_BLOCK_TACKLE, ACT_CARRY_RUN, PHASE_OPEN_PLAY, 3, {kAny},
         ACT_BLOCK_TACKLE, 0, -153600, 264},
        {"lunge knocks on", ACT_LUNGE, ACT_CARRY_RUN, PHASE_OPEN_PLAY, 0, {kAny}, ACT_LUNGE, 0,
         -153600, 335},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(c.tackle);
        MatchPerson& p = MatchPersons[kTackler];
        MatchPerson& o = MatchPersons[kCarrier];
        o.action = c.carrierAction;
        o.kicked = 1;
        o.hasBall = 1;
        p.ballDistance = 8;
        MatchPhase = c.phase;
        Match.ballEvent = c.ballEvent;
        match.Record() = {};
        ScriptDraws(c.script);
        const uint32_t before = RandDrawCount();
        const int16_t frameBefore = p.frame;
        RunPersonAction(kTackler);
        EXPECT_EQ(RandDrawCount() - before, c.script.size());
        EXPECT_EQ(p.action, c.actionAfter);
        EXPECT_EQ(p.passKind, 1);
        EXPECT_EQ(o.hasBall, 0);
        EXPECT_EQ(Ball.possession, 0);
        EXPECT_EQ(LastPossessor[0], kTackler);
        const bool open = c.phase == PHASE_OPEN_PLAY;
        EXPECT_EQ(p.stats.tackles, open ? 1 : 0);
        EXPECT_EQ(o.stats.timesTackled, open ? 1 : 0);
        const std::vector<int32_t> said =
            c.group == 0 ? std::vector<int32_t>{} : std::vector<int32_t>{c.group};
        EXPECT_EQ(match.Record().commentaryGroups, said);
        if (c.actionAfter == ACT_SLIDE_WITH_BALL) {
            EXPECT_EQ(p.hasBall, 1);
            EXPECT_GT(p.frame, frameBefore);  // the slide goes on from his frame
        } else {
            EXPECT_EQ(Ball.velX, c.velX);
            EXPECT_EQ(Ball.velY, c.velY);
            EXPECT_EQ(Ball.velZ, 32768);
            EXPECT_EQ(p.touchCooldown1, 16);
            EXPECT_EQ(Match.lastKickKind, KICK_KIND_CLEARANCE);
        }
    }
}

// The charger (strength 60) reaches the ball at his feet while the carrier (balance 50, strength
// 50, facing y 2042, running at 100) loses the balance roll 100 - rand % 51 > 50, or wins it.
TEST_F(Tackles, AChargeThatReachesTheBallMakesTheCarrierStumbleAndPushesItOn)
{
    for (const bool loses : {true, false}) {
        SCOPED_TRACE(loses);
        Start(ACT_SHOULDER_CHARGE);
        Match.official[0] = 0;  // never a foul
        MatchPerson& p = MatchPersons[kTackler];
        MatchPerson& o = MatchPersons[kCarrier];
        p.ballDistance = 8;
        p.skills[17] = 60;
        o.runSpeed = 100;
        o.touchCooldown1 = 0;
        if (loses) {
            ScriptDraws({kAny, {51, 0, 49}, kAny, {100, 30, 30}, kAny});
        } else {
            ScriptDraws({kAny, {51, 50, 50}, kAny, kAny});
        }
        RunPersonAction(kTackler);
        EXPECT_EQ(p.kicked, loses ? 1 : 0);
        EXPECT_EQ(o.runSpeed, loses ? 30 : 100);
        EXPECT_EQ(o.action, loses ? ACT_STUMBLE : ACT_CARRY_RUN);
        EXPECT_EQ(o.touchCooldown1, loses ? 16 : 0);
        EXPECT_EQ(Ball.velY, loses ? 60 * 2048 : 0);
        EXPECT_EQ(Ball.velZ, loses ? 32768 : 0);
        EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY);
    }
}

TEST_F(Tackles, TheClearingSlideSendsTheBallTowardTheGoalHeAttacks)
{
    Start(ACT_CLEARING_SLIDE);
    MatchPerson& p = MatchPersons[kTackler];
    p.ballDistance = 8;
    MatchPersons[kCarrier].hasBall = 1;
    // (rand % 100 + skill 17) x 3840 toward y 122: (10 + 50) x 3840; up (rand % 512) x 256.
    ScriptDraws({{100, 10, 10}, {512, 100, 100}, kAny});
    RunPersonAction(kTackler);
    EXPECT_EQ(p.frame, 2);  // his slide runs two frames a tick until he reaches the ball
    EXPECT_EQ(Ball.velX, 0);
    EXPECT_EQ(Ball.velY, -60 * 3840);
    EXPECT_EQ(Ball.velZ, 100 * 256);
    EXPECT_EQ(p.kicked, 1);
    EXPECT_EQ(Ball.lastToucher, kTackler);
    EXPECT_EQ(Ball.possession, 0);
    EXPECT_EQ(MatchPersons[kCarrier].hasBall, 0);
    EXPECT_EQ(match.Record().commentaryGroups, std::vector<int32_t>{170});
    EXPECT_EQ(match.Record().groundMarks, std::vector<int32_t>{4});
    EXPECT_EQ(Match.lastKickKind, KICK_KIND_CLEARANCE);
    // Once the slide is over he chases again, and his next slide may mark the ground.
    for (int32_t tick = 0; tick < 200 && p.action == ACT_CLEARING_SLIDE; ++tick) {
        RunPersonAction(kTackler);
    }
    EXPECT_EQ(p.action, ACT_ACTIVE);
    EXPECT_EQ(Match.tackleMarked[3], 0);
}

TEST_F(Tackles, TheStumbleEndsOnItsDrawAndTheDiveIsAFreeKickABookingOrNothing)
{
    struct Case {
        const char* what;
        int16_t action;
        int8_t lenient;
        std::vector<ScriptedDraw> script;
        int16_t actionAfter;
        bool foul;
        int32_t foulingSide;
        int16_t decision;
        std::vector<int32_t> said;
    } const cases[] = {
        // clang-format off
        // Skill 17 50: rand % 60.
        {"stumble goes on", ACT_STUMBLE, 0, {{60, 1, 59}}, ACT_STUMBLE, false, 0, 0, {}},
        {"stumble ends", ACT_STUMBLE, 0, {{60, 0, 0}}, ACT_ACTIVE, false, 0, 0, {}},
        // Balance 50: rand % 100 < 50 earns the free kick; else strictness 65 books the diver.
        {"dive earns a free kick", ACT_DIVE_FOR_FOUL, 0, {{100, 49, 49}, kAny}, ACT_DIVE_FOR_FOUL,
         true, 1, 0, {336}},
        {"lenient side's dive earns one", ACT_DIVE_FOR_FOUL, 1, {{100, 50, 99}, {100, 0, 29}, kAny},
         ACT_DIVE_FOR_FOUL, true, 1, 0, {336}},
        {"dive booked", ACT_DIVE_FOR_FOUL, 0, {{100, 50, 50}, {100, 64, 64}, kAny},
         ACT_DIVE_FOR_FOUL, true, 0, 8, {337}},
        {"dive ignored", ACT_DIVE_FOR_FOUL, 0, {{100, 50, 99}, {100, 65, 99}}, ACT_DIVE_FOR_FOUL,
         false, 0, 0, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(c.action);
        Match.official[2] = c.lenient;
        ProximityList[1][0] = kCarrier;
        match.Record() = {};
        ScriptDraws(c.script);
        const uint32_t before = RandDrawCount();
        RunPersonAction(kTackler);
        EXPECT_EQ(RandDrawCount() - before, c.script.size());
        EXPECT_EQ(MatchPersons[kTackler].action, c.actionAfter);
        EXPECT_EQ(MatchPhase, c.foul ? PHASE_FOUL : PHASE_OPEN_PLAY);
        EXPECT_EQ(RefereeDecision, c.decision);
        EXPECT_EQ(match.Record().commentaryGroups, c.said);
        if (c.foul) {
            EXPECT_EQ(FoulingSide, c.foulingSide);
            EXPECT_EQ(Offender, c.foulingSide == 0 ? kTackler : kCarrier);
            EXPECT_EQ(FouledPlayer, c.foulingSide == 0 ? kCarrier : kTackler);
            EXPECT_EQ(RestartSpot[0], 800);
            EXPECT_EQ(RestartSpot[1], 1000);
        }
        if (c.action == ACT_DIVE_FOR_FOUL) {
            EXPECT_EQ(match.Record().groundMarks, std::vector<int32_t>{3});
            // Once: the next tick draws nothing.
            const uint32_t after = RandDrawCount();
            RunPersonAction(kTackler);
            EXPECT_EQ(RandDrawCount(), after);
        }
    }
}

TEST_F(Tackles, TheHandballLiftsTheBallByItsHeightAndIsAFoulUnlessPardoned)
{
    struct Case {
        const char* what;
        int32_t height;
        int8_t lenient;
        std::vector<ScriptedDraw> script;
        int32_t velZ;
        bool foul;
        int16_t decision;
        std::vector<int32_t> said;
    } const cases[] = {
        // clang-format off
        {"low, booked", 3, 0, {kAny, kAny, {200, 0, 64}, kAny}, -32768, true, 8, {322, 323, 324}},
        {"at 15, not booked", 15, 0, {kAny, kAny, {200, 65, 199}}, 49152, true, 0, {322, 323}},
        {"pardoned", 5, 1, {kAny, {100, 0, 29}, kAny}, 0, false, 0, {322, 325}},
        {"out of reach above 15", 16, 0, {}, 0, false, 0, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(ACT_HANDBALL);
        MatchPerson& p = MatchPersons[kTackler];
        p.facing = 64;
        p.dirToBall = 64;
        Person_PlaceAt(MATCH_BALL, 808, 1000);
        Ball.height = static_cast<uint16_t>(c.height);
        Match.official[2] = c.lenient;
        match.Record() = {};
        ScriptDraws(c.script);
        const uint32_t before = RandDrawCount();
        RunPersonAction(kTackler);
        EXPECT_EQ(RandDrawCount() - before, c.script.size());
        EXPECT_EQ(match.Record().commentaryGroups, c.said);
        EXPECT_EQ(Ball.velZ, c.velZ);
        EXPECT_EQ(Ball.velX, c.said.empty() ? 0 : 65536);
        EXPECT_EQ(MatchPhase, c.foul ? PHASE_FOUL : PHASE_OPEN_PLAY);
        EXPECT_EQ(RefereeDecision, c.decision);
        EXPECT_EQ(p.stats.handballs, c.foul ? 1 : 0);
        EXPECT_EQ(p.stats.fouls, c.foul ? 1 : 0);
        if (c.foul) {
            EXPECT_EQ(InfoBarTypes(match.Record()), std::vector<int32_t>{13});
            EXPECT_EQ(FouledPlayer, kCarrier);
            EXPECT_EQ(Offender, kTackler);
            EXPECT_EQ(RestartSpot[0], 800);
        }
    }
}

// The lift never falls as the ball rises, is 0 at height 5, and reads its last row for any
// height above it: a ball met higher than the table reaches would otherwise read past its end.
TEST(HeaderLift, RisesWithTheHeightAndHoldsItsEndsBeyondThem)
{
    for (int32_t height = 1; height < 29; ++height) {
        EXPECT_GE(Header_Lift(height), Header_Lift(height - 1)) << height;
    }
    EXPECT_EQ(Header_Lift(5), 0);
    EXPECT_EQ(Header_Lift(0), -98304);
    EXPECT_EQ(Header_Lift(-3), -98304);
    for (const int32_t height : {29, 30, 100, 65535}) {
        EXPECT_EQ(Header_Lift(height), 49152) << height;
    }
}

}  // namespace
