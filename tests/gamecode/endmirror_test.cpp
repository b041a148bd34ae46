// tests/gamecode/endmirror_test.cpp: a player's choice does not depend on which goal he attacks.
// During balanced matches, at sampled ticks of open play, one player's action runs once on the
// engine's state and once on the same state turned half a circle about the centre spot with the
// ends swapped; his result turned back must be the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/keycounts.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kTurnX = 2 * PITCH_CENTRE_X;  // x -> kTurnX - x
constexpr int32_t kTurnY = 2 * PITCH_CENTRE_Y;

// Everything a player's action reads or writes.
struct EngineSnapshot {
    MatchPerson persons[MATCH_OBJECT_COUNT];
    BallState ball;
    MatchWords match;
    TacticsRecord shape[2];
    PitchConstants pitch;
    RandomState random;
    KeyCountsRecord keyCounts[MATCH_PLAYER_COUNT];
    MatchSharedWords shared;

    void Take()
    {
        std::memcpy(persons, MatchPersons, sizeof(persons));
        ball = Ball;
        match = Match;
        std::memcpy(shape, TeamShape, sizeof(shape));
        pitch = Pitch;
        random = RandomGenerator;
        std::memcpy(keyCounts, KeyCounts, sizeof(keyCounts));
        shared = MatchShared;
    }
    void Restore() const
    {
        std::memcpy(MatchPersons, persons, sizeof(persons));
        Ball = ball;
        Match = match;
        std::memcpy(TeamShape, shape, sizeof(shape));
        Pitch = pitch;
        RandomGenerator = random;
        std::memcpy(KeyCounts, keyCounts, sizeof(keyCounts));
        MatchShared = shared;
    }
};

uint16_t TurnDirection(int32_t d) { return static_cast<uint16_t>((d + 128) & 255); }
void TurnPoint(int16_t* xy)
{
    xy[0] = static_cast<int16_t>(kTurnX - xy[0]);
    xy[1] = static_cast<int16_t>(kTurnY - xy[1]);
}
// A point whose (0, 0) means none.
void TurnPointOrNone(int16_t* xy)
{
    if (xy[0] != 0 || xy[1] != 0) TurnPoint(xy);
}
void TurnPoint16(int32_t* x16, int32_t* y16)
{
    *x16 = (kTurnX << 16) - *x16;
    *y16 = (kTurnY << 16) - *y16;
}

// Whole-unit positions, so that the turn is exact.
void QuantisePositions()
{
    for (MatchPerson& p : MatchPersons) {
        p.x16 = p.x * 65536;
        p.y16 = p.y * 65536;
    }
    Ball.x16 = MatchPersons[MATCH_BALL].x16;
    Ball.y16 = MatchPersons[MATCH_BALL].y16;
    Ball.wholeX = MatchPersons[MATCH_BALL].x;
    Ball.wholeY = MatchPersons[MATCH_BALL].y;
    Ball.spinLastX16 = Ball.x16;
    Ball.spinLastY16 = Ball.y16;
}

void TurnPerson(MatchPerson& p)
{
    if (p.x == 0 && p.y == 0) return;  // off the pitch
    int16_t xy[2] = {p.x, p.y};
    TurnPoint(xy);
    p.x = xy[0];
    p.y = xy[1];
    TurnPoint16(&p.x16, &p.y16);
    int16_t target[2] = {p.targetX, p.targetY};
    TurnPointOrNone(target);
    p.targetX = target[0];
    p.targetY = target[1];
    TurnPointOrNone(p.receivePoint);
    p.facing = TurnDirection(p.facing);
    p.dirToBall = TurnDirection(p.dirToBall);
    p.aimDirection = static_cast<int16_t>(TurnDirection(p.aimDirection));
    p.drawnDirection = static_cast<int16_t>(TurnDirection(p.drawnDirection));
    // A thrower keeps the direction of his throw in the pass kind word.
    if (p.action == ACT_THROW_IN_RUN_UP || p.action == ACT_THROW_IN_RELEASE
        || p.action == ACT_STANDING_THROW || p.action == ACT_KEEPER_THROW)
        p.passKind = static_cast<int16_t>(TurnDirection(p.passKind));
}

void TurnBall()
{
    TurnPoint16(&Ball.x16, &Ball.y16);
    TurnPoint16(&Ball.spinLastX16, &Ball.spinLastY16);
    Ball.wholeX = static_cast<int16_t>(kTurnX - Ball.wholeX);
    Ball.wholeY = static_cast<int16_t>(kTurnY - Ball.wholeY);
    Ball.velX = -Ball.velX;
    Ball.velY = -Ball.velY;
    Ball.swerveX = -Ball.swerveX;
    Ball.swerveY = -Ball.swerveY;
    if (Ball.direction != BALL_STILL) Ball.direction = TurnDirection(Ball.direction);
    if (Ball.spinHeading != BALL_SPIN_UNSET)
        Ball.spinHeading = static_cast<int16_t>(TurnDirection(Ball.spinHeading));
    int16_t walk[2] = {Ball.walkX, Ball.walkY};
    TurnPointOrNone(walk);
    Ball.walkX = walk[0];
    Ball.walkY = walk[1];
    for (auto& point : Ball.lookAhead) {
        TurnPointOrNone(point);
    }
}

void TurnMatchWords()
{
    MatchWords& m = Match;
    m.secondOfPair ^= 1;
    for (int16_t* point : {m.restartSpot, m.throwInSpot, m.cornerSpot, m.goalKickSpot, m.shotStart,
                           m.freeKickAim, m.kickTargetPoint, m.cellTarget, m.shotTarget,
                           m.jockeyTarget, m.landingPoint, m.meetingPoint, m.savePoint}) {
        TurnPointOrNone(point);
    }
    int16_t intercept[2] = {m.interceptX, m.interceptY};
    TurnPointOrNone(intercept);
    m.interceptX = intercept[0];
    m.interceptY = intercept[1];
    for (int16_t& line : m.lastDefenderLine) {
        line = static_cast<int16_t>(kTurnY - line);
    }
    m.stepX = -m.stepX;
    m.stepY = -m.stepY;
    m.pendingKick[0] = -m.pendingKick[0];
    m.pendingKick[1] = -m.pendingKick[1];
    m.keeperDiveDirection = static_cast<int16_t>(TurnDirection(m.keeperDiveDirection));
    m.headerDirection = static_cast<int16_t>(TurnDirection(m.headerDirection));
}

void TurnTheWholeState()
{
    for (MatchPerson& p : MatchPersons) {
        TurnPerson(p);
    }
    TurnBall();
    TurnMatchWords();
}

// What one run of a player's action left that the turn must carry.
struct ActionResult {
    int16_t action;
    int16_t target[2];
    int32_t facing;
    int32_t aim;
    int32_t at16[2];
    int32_t ballVel[3];
    int32_t ballAt[2];
    int16_t holder;
    uint32_t draws;
    int16_t othersAction[MATCH_PLAYER_COUNT];
};

ActionResult ResultOf(int32_t person, bool turned)
{
    const MatchPerson& p = MatchPersons[person];
    ActionResult r{};
    r.action = p.action;
    r.target[0] = p.targetX;
    r.target[1] = p.targetY;
    r.facing = p.facing;
    r.aim = p.aimDirection;
    r.at16[0] = p.x16;
    r.at16[1] = p.y16;
    r.ballVel[0] = Ball.velX;
    r.ballVel[1] = Ball.velY;
    r.ballVel[2] = Ball.velZ;
    r.ballAt[0] = Ball.x16;
    r.ballAt[1] = Ball.y16;
    r.holder = Ball.holder;
    r.draws = RandomGenerator.draws;
    for (int32_t i = 0; i < MATCH_PLAYER_COUNT; ++i) {
        r.othersAction[i] = MatchPersons[i].action;
    }
    if (turned) {
        TurnPointOrNone(r.target);
        r.facing = TurnDirection(r.facing);
        r.aim = TurnDirection(r.aim);
        TurnPoint16(&r.at16[0], &r.at16[1]);
        r.ballVel[0] = -r.ballVel[0];
        r.ballVel[1] = -r.ballVel[1];
        TurnPoint16(&r.ballAt[0], &r.ballAt[1]);
    }
    return r;
}

bool DirectionsApart(int32_t a, int32_t b) { return ((a - b + 1) & 255) > 2; }

// The fields in which the two results differ beyond a unit of rounding.
std::vector<std::string> Differences(const ActionResult& a, const ActionResult& b)
{
    constexpr int32_t kFixedSlack = 2048;  // 1/32 of a unit
    std::vector<std::string> fields;
    if (a.action != b.action) fields.push_back("action");
    if (std::abs(a.target[0] - b.target[0]) > 3 || std::abs(a.target[1] - b.target[1]) > 3)
        fields.push_back("target");
    if (DirectionsApart(a.facing, b.facing)) fields.push_back("facing");
    if (DirectionsApart(a.aim, b.aim)) fields.push_back("aim");
    if (std::abs(a.at16[0] - b.at16[0]) > kFixedSlack
        || std::abs(a.at16[1] - b.at16[1]) > kFixedSlack)
        fields.push_back("move");
    for (int32_t i = 0; i < 3; ++i) {
        if (std::abs(a.ballVel[i] - b.ballVel[i]) > kFixedSlack) {
            fields.push_back("ballvel");
            break;
        }
    }
    if (std::abs(a.ballAt[0] - b.ballAt[0]) > 65536 + kFixedSlack
        || std::abs(a.ballAt[1] - b.ballAt[1]) > 65536 + kFixedSlack)
        fields.push_back("ballat");
    if (a.holder != b.holder) fields.push_back("holder");
    if (a.draws != b.draws) fields.push_back("draws");
    for (int32_t i = 0; i < MATCH_PLAYER_COUNT; ++i) {
        if (a.othersAction[i] != b.othersAction[i]) {
            fields.push_back("others");
            break;
        }
    }
    return fields;
}

struct MirrorTally {
    int32_t probes = 0;
    int32_t mismatches = 0;
    std::map<std::string, int32_t> byActionAndField;
    std::map<std::string, int32_t> byAction;
    std::map<int32_t, int32_t> probesByAction;
};

// One player's action on the state and on its turned twin; `identity` leaves the twin unturned,
// to show the probe's own noise.
void ProbePerson(int32_t person, const EngineSnapshot& live, bool identity, MirrorTally* tally)
{
    live.Restore();
    QuantisePositions();
    EngineSnapshot quantised;
    quantised.Take();
    const int16_t before = MatchPersons[person].action;
    Person_RunActionNow(person);
    const ActionResult plain = ResultOf(person, false);
    quantised.Restore();
    if (!identity) TurnTheWholeState();
    Person_RunActionNow(person);
    const ActionResult twin = ResultOf(person, !identity);
    ++tally->probes;
    ++tally->probesByAction[before];
    std::vector<std::string> fields = Differences(plain, twin);
    if (fields.empty()) return;
    // Once the choice differs, the step and the turn of the other action follow from it.
    if (fields.front() == "action") {
        std::erase_if(fields, [](const std::string& f) {
            return f == "target" || f == "facing" || f == "aim" || f == "move";
        });
    }
    ++tally->mismatches;
    ++tally->byAction[std::to_string(before)];
    for (const std::string& f : fields) {
        ++tally->byActionAndField[std::to_string(before) + " " + f];
    }
}

void ProbeEveryPlayer(bool identity, MirrorTally* tally)
{
    EngineSnapshot live;
    live.Take();
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        const MatchPerson& p = live.persons[person];
        if (p.offPitch != 0 || p.sentOff != 0 || p.bookings >= 2) continue;
        ProbePerson(person, live, identity, tally);
    }
    live.Restore();
}

uint32_t FromEnvironment(const char* name, uint32_t fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && std::atoi(text) > 0 ? static_cast<uint32_t>(std::atoi(text))
                                                  : fallback;
}

// What the ball's step of the tick left: its flight, its meeting with the players, the lines and
// the frame.
struct BallStepResult {
    int32_t at16[2];
    int32_t velocity[3];
    int32_t height;
    int32_t holders[2];
    int32_t possession;
    int32_t lastToucher;
    int32_t phase;
    int32_t deadBall;
    uint32_t touched;  // a bit for each player who touched it
    uint32_t draws;
};

BallStepResult BallStepOf(bool turned)
{
    BallStepResult r{};
    r.at16[0] = Ball.x16;
    r.at16[1] = Ball.y16;
    r.velocity[0] = Ball.velX;
    r.velocity[1] = Ball.velY;
    r.velocity[2] = Ball.velZ;
    r.height = Ball.height;
    r.holders[0] = Ball.holder;
    r.holders[1] = Ball.secondHolder;
    r.possession = Ball.possession;
    r.lastToucher = Ball.lastToucher;
    r.phase = MatchPhase;
    r.deadBall = DeadBallFlag;
    for (int32_t i = 0; i < MATCH_PLAYER_COUNT; ++i) {
        if (MatchPersons[i].touchedThisTick != 0) r.touched |= 1u << i;
    }
    r.draws = RandomGenerator.draws;
    if (turned) {
        TurnPoint16(&r.at16[0], &r.at16[1]);
        r.velocity[0] = -r.velocity[0];
        r.velocity[1] = -r.velocity[1];
    }
    return r;
}

// The ball's fields that differ: its position beyond the unit its truncation to the cells may
// move it, the rest beyond a unit of rounding.
std::vector<std::string> BallStepDifferences(const BallStepResult& a, const BallStepResult& b)
{
    constexpr int32_t kFixedSlack = 2048;
    std::vector<std::string> fields;
    if (a.phase != b.phase || a.deadBall != b.deadBall) fields.push_back("phase");
    if (a.touched != b.touched) fields.push_back("touched");
    if (a.lastToucher != b.lastToucher) fields.push_back("toucher");
    if (a.holders[0] != b.holders[0] || a.holders[1] != b.holders[1]) fields.push_back("holder");
    if (a.possession != b.possession) fields.push_back("possession");
    for (int32_t i = 0; i < 3; ++i) {
        if (std::abs(a.velocity[i] - b.velocity[i]) > kFixedSlack) {
            fields.push_back("velocity");
            break;
        }
    }
    if (std::abs(a.height - b.height) > 1) fields.push_back("height");
    if (std::abs(a.at16[0] - b.at16[0]) > 65536 + kFixedSlack
        || std::abs(a.at16[1] - b.at16[1]) > 65536 + kFixedSlack)
        fields.push_back("at");
    if (a.draws != b.draws) fields.push_back("draws");
    return fields;
}

// The ball's step of the tick on the state and on its turned twin, tallied as action "ball".
void ProbeBallStep(bool identity, MirrorTally* tally)
{
    EngineSnapshot live;
    live.Take();
    QuantisePositions();
    EngineSnapshot quantised;
    quantised.Take();
    Ball_Tick();
    const BallStepResult plain = BallStepOf(false);
    quantised.Restore();
    if (!identity) TurnTheWholeState();
    Ball_Tick();
    const BallStepResult twin = BallStepOf(!identity);
    live.Restore();
    ++tally->probes;
    const std::vector<std::string> fields = BallStepDifferences(plain, twin);
    if (fields.empty()) return;
    ++tally->mismatches;
    for (const std::string& f : fields) {
        ++tally->byActionAndField["ball " + f];
    }
}

using Probe = std::function<void(MirrorTally*)>;

MirrorTally PlayMirrored(uint32_t first, uint32_t count, uint32_t every, const Probe& probe)
{
    ScopedMatch match;
    MirrorTally tally;
    uint64_t pass = 0;
    Watchdog_When(
        [&] {
            if (MatchPhase == PHASE_OPEN_PLAY && ++pass % every == 0) probe(&tally);
            return false;
        },
        [] {});
    for (uint32_t seed = first; seed < first + count; ++seed) {
        MatchDayBuilder builder;
        builder.seed = seed;
        builder.periodMinutes = MATCH_PERIOD_MINUTES;
        const SoakResult r = SoakRun(builder);
        EXPECT_TRUE(r.failures.empty()) << "seed " << seed << ": " << r.failures.front();
    }
    return tally;
}

Probe EveryPlayer(bool identity)
{
    return [identity](MirrorTally* tally) { ProbeEveryPlayer(identity, tally); };
}

Probe BallStep(bool identity)
{
    return [identity](MirrorTally* tally) { ProbeBallStep(identity, tally); };
}

void Report(const MirrorTally& t)
{
    std::printf("probes %d mismatches %d\n", t.probes, t.mismatches);
    for (const auto& [action, n] : t.byAction) {
        std::printf("action %s: %d of %d\n", action.c_str(), n,
                    t.probesByAction.at(std::stoi(action)));
    }
    for (const auto& [key, n] : t.byActionAndField) {
        std::printf("  %s: %d\n", key.c_str(), n);
    }
}

}  // namespace

// The probe's own noise: the twin left unturned repeats every player's tick exactly, so the
// snapshot holds everything the actions read.
TEST(EndMirror, AnUnturnedTwinRepeatsEveryPlayersTick)
{
    const MirrorTally t = PlayMirrored(1, 1, 40, EveryPlayer(true));
    EXPECT_GT(t.probes, 5000);
    EXPECT_EQ(t.mismatches, 0);
}

// On the turned twin a player chooses as he does at the other end: beyond a unit of rounding his
// action, target, facing, aim, step, kick and draws differ in fewer than 2 probes in 10,000 (a
// keeper's quick block to one side or the other among the rest), and a man waiting for a high
// ball or a keeper at his post who stands on his point or on the ball turns and steps alike.
TEST(EndMirror, ATurnedTwinChoosesAsThePlayerDoes)
{
    const MirrorTally t = PlayMirrored(1, 3, 4, EveryPlayer(false));
    EXPECT_GT(t.probes, 300000);
    EXPECT_LT(t.mismatches * 5000, t.probes) << t.mismatches << " of " << t.probes;
    for (const int32_t action : {ACT_WAIT_FOR_HIGH_BALL, ACT_KEEPER_IDLE}) {
        for (const char* field : {"facing", "move"}) {
            const std::string key = std::to_string(action) + " " + field;
            EXPECT_EQ(t.byActionAndField.count(key), 0u) << key;
        }
    }
}

// By hand: PELLORAN_MIRROR_MATCHES, _FIRST_SEED and _EVERY choose the matches and the sampling,
// PELLORAN_MIRROR_IDENTITY leaves the twin unturned, PELLORAN_MIRROR_BALL probes the ball's step
// instead of the players' actions; the mismatches are printed by action and field.
TEST(EndMirror, ProbeByHand)
{
    if (std::getenv("PELLORAN_MIRROR_MATCHES") == nullptr) GTEST_SKIP() << "run by hand";
    const uint32_t count = FromEnvironment("PELLORAN_MIRROR_MATCHES", 2);
    const uint32_t first = FromEnvironment("PELLORAN_MIRROR_FIRST_SEED", 40001);
    const uint32_t every = FromEnvironment("PELLORAN_MIRROR_EVERY", 40);
    const bool identity = std::getenv("PELLORAN_MIRROR_IDENTITY") != nullptr;
    const bool ball = std::getenv("PELLORAN_MIRROR_BALL") != nullptr;
    Report(PlayMirrored(first, count, every, ball ? BallStep(identity) : EveryPlayer(identity)));
}

// The ball's step of the tick, its flight, its meeting with the players, the lines and the frame,
// repeats exactly on an unturned twin; on the turned twin it goes as at the other end: who
// touches it, who has it, where it goes and the restart it makes differ in fewer than 1 tick in
// 1,000 (a ball within a unit of a touchline among the rest), and whoever touches it in the one
// touches it in the other.
TEST(EndMirror, TheBallsStepGoesAsAtTheOtherEnd)
{
    const MirrorTally same = PlayMirrored(1, 1, 4, BallStep(true));
    EXPECT_GT(same.probes, 5000);
    EXPECT_EQ(same.mismatches, 0);
    const MirrorTally t = PlayMirrored(1, 3, 1, BallStep(false));
    EXPECT_GT(t.probes, 60000);
    EXPECT_LT(t.mismatches * 1000, t.probes) << t.mismatches << " of " << t.probes;
    EXPECT_EQ(t.byActionAndField.count("ball touched"), 0u);
    EXPECT_EQ(t.byActionAndField.count("ball toucher"), 0u);
}
