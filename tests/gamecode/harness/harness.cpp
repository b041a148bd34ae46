// tests/gamecode/harness/harness.cpp: sides, blocks, recorders, stepping, watchdog and golden
// runs for the match engine tests.
#include "tests/gamecode/harness/harness.h"

#include <algorithm>
#include <bit>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>

#include "engine/host/host.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "engine/poll.h"
#include "engine/random.h"
#include "engine/sounddrv.h"
#include "engine/startup.h"
#include "engine/winlib.h"
#include "game/tactics.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "generated/build_paths.h"
#include "tests/support/support.h"

namespace {

struct HarnessState {
    PresentationRecord record;
    ActionTally actions;
    std::map<uint64_t, std::vector<std::function<void()>>> script;
    std::vector<std::pair<std::function<bool()>, std::function<void()>>> triggers;
    std::vector<std::string> failures;
    uint64_t passes = 0;
    uint64_t budget = 2'000'000;
    uint64_t ticks = 0;
    uint16_t lastTickCount = 0;
    uint32_t drawBase = 0;
    std::vector<std::string>* trace = nullptr;
    // The full-match checks, on while SoakRun plays.
    bool playChecks = false;
    int32_t lastPhase = -1;
    uint64_t phaseTicks = 0;
    int32_t restPoint[2] = {0, 0};
    uint64_t restTicks = 0;
    uint32_t seed = 0;
    uint32_t stillSince = 0;  // matchTicks when the ball stopped in open play; 0 moving
    int32_t holder = -1;      // the player holding the ball on the spot below, -1 none
    int32_t holdSpot[2] = {0, 0};
    uint32_t holdSince = 0;
    uint32_t leftSince = 0;  // matchTicks when the holder left the ball at rest; 0 at his feet
    int32_t awarded[PHASE_COUNT] = {};
    int32_t shootOutKicks = 0;
    int32_t foulsAgainst[2] = {0, 0};
    uint32_t periodsEntered = 0;  // bit n: period n was played
    int32_t lastPeriod = -1;
    int16_t scoreAtStart[MATCH_PERIOD_COUNT][2] = {};  // each period's score when it began
    TeamStatistics statsAtStart[MATCH_PERIOD_COUNT][2] = {};
    uint8_t upSide[MATCH_PERIOD_COUNT] = {};  // the side attacking toward y 2042
};

HarnessState* s_harness = nullptr;

// How far along the pitch persons may be: as far beyond either goal line.
constexpr int32_t kMapFarY = 2200;
constexpr int32_t kMapNearY = PITCH_NEAR_GOAL_LINE_Y + PITCH_FAR_GOAL_LINE_Y - kMapFarY;

// The side's own generator, so a side never moves the game's.
struct SmallRng {
    uint32_t state;
    int32_t Next(int32_t n)
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<int32_t>((state >> 8) % static_cast<uint32_t>(n));
    }
};

TacticsRecord FourFourTwo()
{
    static constexpr int16_t kRow[11] = {7, 2, 5, 9, 12, 2, 5, 9, 12, 5, 9};
    static constexpr int16_t kColumn[11] = {0, 3, 3, 3, 3, 8, 8, 8, 8, 13, 13};
    TacticsRecord tactic{};
    for (int32_t s = 0; s < TACTIC_SLOT_COUNT; ++s) {
        TacticsSlot& slot = tactic.slots[s];
        slot.row = slot.row2 = slot.row3 = kRow[s];
        slot.column = slot.column2 = slot.column3 = kColumn[s];
        slot.receiverBits = TACTIC_RECEIVER_MASK;
        slot.targetRow = slot.targetColumn = TACTIC_NONE;
        slot.markedOpponent = TACTIC_NONE;
    }
    return tactic;
}

int32_t PositionOfSlot(int32_t s)
{
    if (s == 0 || s == 11) return 0;
    if (s <= 4) return 2;
    if (s <= 8) return 6;
    if (s <= 10) return 11;
    return 6;
}

uint16_t Attribute(SmallRng* rng, SidePreset preset)
{
    switch (preset) {
        case SidePreset::Strong: return static_cast<uint16_t>(60 + rng->Next(31));
        case SidePreset::Weak: return static_cast<uint16_t>(20 + rng->Next(31));
        case SidePreset::Extreme: return static_cast<uint16_t>(rng->Next(2) * 100);
        default: return static_cast<uint16_t>(40 + rng->Next(41));
    }
}

void (*s_sharedInfoBar)(int32_t, int32_t, int32_t) = nullptr;

void Recorder(const char* call)
{
    if (s_harness != nullptr) s_harness->record.calls.push_back(call);
}

void InstallRecorders()
{
    MatchPresentation& ops = MatchPresentationOps;
    ops.PlayMatchSfx = [](int32_t id, int32_t) { s_harness->record.sounds.push_back(id); };
    // Recorded on the way to the info bar the views share, which still shows it.
    s_sharedInfoBar = ops.InfoBar;
    ops.InfoBar = [](int32_t type, int32_t person1, int32_t person2) {
        s_harness->record.infoBars.push_back({type, person1, person2});
        if (s_sharedInfoBar != nullptr) s_sharedInfoBar(type, person1, person2);
    };
    ops.AddGroundMark = [](int32_t, int32_t, double, double, uint8_t type) {
        s_harness->record.groundMarks.push_back(type);
    };
    ops.Replay_AllocBuffer = [] { Recorder("Replay_AllocBuffer"); };
    ops.Replay_FreeBuffer = [] { Recorder("Replay_FreeBuffer"); };
    ops.Replay_ResetCounters = [] { Recorder("Replay_ResetCounters"); };
    ops.Replay_Store = [] { Recorder("Replay_Store"); };
    ops.Replay_Restore = [] { Recorder("Replay_Restore"); };
    // Engine tests see no replay recorder: nothing is recorded, and a replay ends at once.
    ops.Replay_RecordFrame = [] {};
    ops.Replay_PlayFrame = [] { MatchShared.replayEndRequest = 1; };
    ops.Replay_Load = [](int32_t) { return -1; };  // and no slot can be loaded
    ops.InGameMenusLoopAt = [](int32_t side) { Recorder(side == 0 ? "HalfTime0" : "HalfTime1"); };
    ops.RunInGameMenuPair = [] {
        Recorder("RunInGameMenuPair");
        Match_FillPenaltyOrder();
    };
    ops.InGameMenusPage6 = [] { Recorder("InGameMenusPage6"); };
    ops.InGameMenusFromStart = [] { Recorder("InGameMenusFromStart"); };
    ops.InGameMenusPage4 = [] { Recorder("InGameMenusPage4"); };
    ops.InGameMenusPage1 = [] { Recorder("InGameMenusPage1"); };
    ops.InGameMenusPage0 = [] { Recorder("InGameMenusPage0"); };
    ops.InGameMenus_Reset = [] { Recorder("InGameMenus_Reset"); };
    ops.TimedEvents_Reset = [] { Recorder("TimedEvents_Reset"); };
    ops.MatchSfx_Init = [] { Recorder("MatchSfx_Init"); };
    ops.MatchSfx_Shutdown = [] { Recorder("MatchSfx_Shutdown"); };
    Comm_SetListener([](int32_t group, int32_t, int32_t, int32_t, int32_t) {
        s_harness->record.commentaryGroups.push_back(group);
    });
}

uint64_t Fnv1a(uint64_t hash, const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    }
    return hash;
}

template <typename T>
uint64_t HashOf(uint64_t hash, const T& value)
{
    return Fnv1a(hash, &value, sizeof(value));
}

uint64_t StateHash()
{
    uint64_t h = 14695981039346656037ull;
    h = Fnv1a(h, MatchPersons, sizeof(MatchPersons));
    h = HashOf(h, Ball);
    h = HashOf(h, Match.phase);
    h = HashOf(h, Match.phaseTimer);
    h = HashOf(h, Match.periodTicks);
    h = HashOf(h, Match.matchTicks);
    h = HashOf(h, Match.score);
    h = HashOf(h, Match.teamPressure);
    h = HashOf(h, Match.teamMomentum);
    return HashOf(h, Match.activePlayer);
}

void RecordFailure(const std::string& text)
{
    if (s_harness->failures.size() < 20) s_harness->failures.push_back(text);
}

void CountTicksAndHash()
{
    const uint16_t now = Match.tickCount;
    const uint16_t elapsed = static_cast<uint16_t>(now - s_harness->lastTickCount);
    s_harness->lastTickCount = now;
    for (uint16_t i = 0; i < elapsed; ++i) {
        ++s_harness->ticks;
        if (s_harness->trace != nullptr && s_harness->ticks % 250 == 0) {
            char line[96];
            std::snprintf(line, sizeof(line), "hash %" PRIu64 " %016" PRIx64 " %u",
                          s_harness->ticks, StateHash(), RandDrawCount() - s_harness->drawBase);
            s_harness->trace->push_back(line);
        }
    }
}

int32_t RowsOf(int32_t kind, int32_t side)
{
    const MatchDataBlock* data = GetMatchDataBlock();
    int32_t rows = 0;
    for (int32_t e = 0; e < data->eventCount && e < MATCH_EVENT_MAX; ++e) {
        rows += data->events[e].kind == kind && data->events[e].a == side ? 1 : 0;
    }
    return rows;
}

int32_t GoalRowsOf(int32_t side) { return RowsOf(0, side); }

// Empty while the side's booking (kind 2) and sending-off (kind 3) rows, its card records and
// its booked and sent-off totals tell one story: each row has its record in the same order and
// for the same player, a second booking's record is a sending-off, a straight red has its own
// row, and the players with records are the side's booked and sent-off totals.
std::string CheckCards(int32_t side)
{
    const MatchDataBlock* data = GetMatchDataBlock();
    const std::string name = "cards of side " + std::to_string(side) + ": ";
    std::map<int32_t, int32_t> worst;  // person: 1 booked, 3 sent off
    int32_t card = 0;
    for (int32_t e = 0; e < data->eventCount && e < MATCH_EVENT_MAX; ++e) {
        const MatchEventRow& row = data->events[e];
        if ((row.kind != 2 && row.kind != 3) || row.a != side) continue;
        if (card >= Match.cardCount[side]) return name + "a row without its record";
        const MatchCardRecord& record = Match.cards[side][card++];
        if (record.person < 0 || record.person >= MATCH_BALL
            || MatchPersons[record.person].playerId != row.b)
            return name + "row " + std::to_string(e) + " names another player";
        int32_t& held = worst[record.person];
        const int32_t expected = row.kind == 3 || held == 1 ? 3 : 1;
        if (record.kind != expected || held == 3)
            return name + "record " + std::to_string(card - 1) + " of kind "
                   + std::to_string(record.kind);
        held = expected;
    }
    if (card != Match.cardCount[side]) return name + "a record without its row";
    int32_t booked = 0;
    int32_t sentOff = 0;
    for (const auto& [person, kind] : worst) {
        booked += kind == 1 ? 1 : 0;
        sentOff += kind == 3 ? 1 : 0;
    }
    const MatchSideStats& stats = data->sides[side];
    if (stats.totals[MATCH_TOTAL_BOOKINGS] != booked) return name + "booked total";
    if (stats.totals[MATCH_TOTAL_SENDINGS_OFF] != sentOff) return name + "sent-off total";
    if (Match.dismissals[side] != sentOff) return name + "dismissals";
    return "";
}

// The holder and each side's active player, where they stand and what they do.
std::string StallPersons()
{
    std::string text;
    auto add = [&](const char* role, int32_t person) {
        if (person < 0 || person >= MATCH_PLAYER_COUNT) return;
        const MatchPerson& p = MatchPersons[person];
        text += std::string(" ") + role + " " + std::to_string(person) + " at ("
                + std::to_string(p.x) + ", " + std::to_string(p.y) + ") action "
                + std::to_string(p.action) + " hasBall " + std::to_string(p.hasBall) + ";";
    };
    add("holder", BallHolder);
    add("active 0", ActivePlayer[0] == MATCH_NONE ? -1 : ActivePlayer[0]);
    add("active 1", ActivePlayer[1] == MATCH_NONE ? -1 : ActivePlayer[1]);
    return text;
}

std::string Stall(const char* what, uint32_t since)
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    return "seed " + std::to_string(s_harness->seed) + " tick " + std::to_string(Match.matchTicks)
           + ": " + what + " since tick " + std::to_string(since) + ", ball at ("
           + std::to_string(ball.x) + ", " + std::to_string(ball.y) + ");" + StallPersons();
}

// The ball at rest in open play, with no stoppage to restart it, for more than 500 ticks.
std::string CheckStillBall()
{
    HarnessState& h = *s_harness;
    const bool still = MatchPhase == PHASE_OPEN_PLAY && Ball.speed == 0 && DeadBallFlag == 0;
    if (!still) {
        h.stillSince = 0;
        return "";
    }
    if (h.stillSince == 0) h.stillSince = std::max<uint32_t>(Match.matchTicks, 1);
    if (Match.matchTicks - h.stillSince <= 500) return "";
    const uint32_t since = h.stillSince;
    h.stillSince = Match.matchTicks;  // reported again only after another 500 ticks
    return Stall("ball still", since);
}

// One player keeping the ball within 32 units of one spot for more than 1,000 ticks.
std::string CheckDribbleOnTheSpot()
{
    HarnessState& h = *s_harness;
    const int32_t holder = MatchPhase == PHASE_OPEN_PLAY ? BallHolder : -1;
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const bool onSpot = holder >= 0 && holder == h.holder && std::abs(ball.x - h.holdSpot[0]) <= 32
                        && std::abs(ball.y - h.holdSpot[1]) <= 32;
    if (!onSpot) {
        h.holder = holder;
        h.holdSpot[0] = ball.x;
        h.holdSpot[1] = ball.y;
        h.holdSince = Match.matchTicks;
        return "";
    }
    if (Match.matchTicks - h.holdSince <= 1000) return "";
    const uint32_t since = h.holdSince;
    h.holdSince = Match.matchTicks;
    return Stall("dribble on the spot", since);
}

// The ball beyond the stadium wall, where nobody can play it.
std::string CheckBallInsideWalls()
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const bool inside = ball.x >= PITCH_WALL_LEFT_X && ball.x <= PITCH_WALL_RIGHT_X
                        && ball.y >= PITCH_WALL_NEAR_Y && ball.y <= PITCH_WALL_FAR_Y;
    return inside ? "" : Stall("ball outside the walls", Match.matchTicks);
}

// A ball gone out or into the net, at rest, whose holder has been more than 16 units from it for
// more than 24 ticks: he has walked away from the ball he holds. (In open play a kicker keeps his
// flag until another player touches the ball, so there a distant holder proves nothing.)
std::string CheckHolderAtTheBall()
{
    HarnessState& h = *s_harness;
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const bool atRest = Ball.velX == 0 && Ball.velY == 0 && Ball.velZ == 0 && Ball.height == 0;
    const bool held = BallHolder >= 0 && BallHolder < MATCH_PLAYER_COUNT && Ball.holder == 0;
    const MatchPerson& holder = MatchPersons[held ? BallHolder : MATCH_BALL];
    const bool left = DeadBallFlag != 0 && atRest && held
                      && std::max(std::abs(ball.x - holder.x), std::abs(ball.y - holder.y)) > 16;
    if (!left) {
        h.leftSince = 0;
        return "";
    }
    if (h.leftSince == 0) h.leftSince = std::max<uint32_t>(Match.matchTicks, 1);
    if (Match.matchTicks - h.leftSince <= 24) return "";
    const uint32_t since = h.leftSince;
    h.leftSince = 0;
    return Stall("ball left by its holder", since);
}

// The full-match checks of one pass; empty while they hold.
std::string CheckPlay()
{
    HarnessState& h = *s_harness;
    if (Match.period != h.lastPeriod && Match.period < MATCH_PERIOD_COUNT) {
        h.lastPeriod = Match.period;
        h.periodsEntered |= 1u << Match.period;
        h.scoreAtStart[Match.period][0] = Match.score[0];
        h.scoreAtStart[Match.period][1] = Match.score[1];
        h.statsAtStart[Match.period][0] = Match.teamStats[0];
        h.statsAtStart[Match.period][1] = Match.teamStats[1];
        h.upSide[Match.period] = Match.secondOfPair;
    }
    if (MatchPhase != h.lastPhase) {
        if (MatchPhase >= 0 && MatchPhase < PHASE_COUNT) ++h.awarded[MatchPhase];
        // A shoot-out's kicks run through the penalty phase too.
        if (MatchPhase == PHASE_PENALTY_KICK && Match.period == MATCH_PERIOD_SHOOT_OUT)
            ++h.shootOutKicks;
        // A pending decision hands the same foul back to its phase.
        if (MatchPhase == PHASE_FOUL && h.lastPhase != PHASE_DECISION_PENDING)
            ++h.foulsAgainst[FoulingSide & 1];
        h.lastPhase = MatchPhase;
        h.phaseTicks = 0;
    }
    if (MatchPhase != PHASE_OPEN_PLAY && ++h.phaseTicks > 3000)
        return "phase " + std::to_string(MatchPhase) + " lasts past 3000 ticks";
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const bool rests =
        std::abs(ball.x - h.restPoint[0]) <= 16 && std::abs(ball.y - h.restPoint[1]) <= 16;
    if (MatchPhase == PHASE_OPEN_PLAY && rests) {
        if (++h.restTicks >= 1500) return "stuck ball";
    } else {
        h.restPoint[0] = ball.x;
        h.restPoint[1] = ball.y;
        h.restTicks = 0;
    }
    if (std::string still = CheckStillBall(); !still.empty()) return still;
    if (std::string onSpot = CheckDribbleOnTheSpot(); !onSpot.empty()) return onSpot;
    if (std::string walls = CheckBallInsideWalls(); !walls.empty()) return walls;
    if (std::string left = CheckHolderAtTheBall(); !left.empty()) return left;
    for (int32_t side = 0; side < 2; ++side) {
        if (Match.period != MATCH_PERIOD_SHOOT_OUT && Match.score[side] != GoalRowsOf(side)
            && MatchPhase != PHASE_GOAL)
            return "score of side " + std::to_string(side) + " differs from its goal rows";
        if (Match.substitutionCount[side] > Match.substitutesAllowed)
            return "side " + std::to_string(side) + " substituted beyond its limit";
        if (Match.substitutionCount[side] != RowsOf(1, side))
            return "substitutions of side " + std::to_string(side) + " differ from their rows";
    }
    return "";
}

void WatchdogPoll()
{
    HarnessState& h = *s_harness;
    CountTicksAndHash();
    const std::string broken = Engine_CheckInvariants();
    if (!broken.empty()) RecordFailure("pass " + std::to_string(h.passes) + ": " + broken);
    if (h.playChecks) {
        const std::string play = CheckPlay();
        if (!play.empty()) RecordFailure("pass " + std::to_string(h.passes) + ": " + play);
    }
    ++h.passes;
    if (auto it = h.script.find(h.passes); it != h.script.end()) {
        for (auto& action : it->second) {
            action();
        }
    }
    for (auto it = h.triggers.begin(); it != h.triggers.end();) {
        if (it->first()) {
            it->second();
            it = h.triggers.erase(it);
        } else {
            ++it;
        }
    }
    if (h.passes > h.budget) {
        RecordFailure("pass budget exceeded");
        MatchEndFlag = 1;
        MatchShared.replayPlaying = 0;
        MatchShared.replayState = REPLAY_NORMAL;
        MatchPhase = PHASE_PERIOD_OVER;
        Match.extraTime = Match.goldenGoal = Match.shootOut = 0;
    }
}

}  // namespace

int32_t PresentationRecord::Count(const std::string& call) const
{
    int32_t n = 0;
    for (const std::string& c : calls) {
        n += c == call ? 1 : 0;
    }
    return n;
}

MatchSide MakeSide(uint32_t seed, SidePreset preset)
{
    SmallRng rng{seed * 2654435761u + 1};
    MatchSide side;
    std::memset(&side, 0xFF, sizeof(side));
    std::snprintf(side.teamName, sizeof(side.teamName), "Testeurs %u", seed);
    side.human = 0;
    side.tactic = TACTIC_CUSTOM_FIRST;
    side.tacticB = 0;
    for (TacticsRecord& t : side.tactics) {
        t.slots[0].row = static_cast<int16_t>(TACTIC_EMPTY_MARK);
    }
    side.tactics[0] = FourFourTwo();
    side.firstLegGoals = 0;
    const uint16_t designated[4] = {4, 9, 10, 7};
    for (int32_t k = 0; k < 4; ++k) {
        side.designated[k] = designated[k];
        side.settings[k] = 100;
    }
    for (int32_t s = 0; s < MATCH_SHIRT_COUNT; ++s) {
        MatchPlayerEntry& e = side.entries[s];
        const std::string name = std::string("T. Joueur") + static_cast<char>('A' + rng.Next(26))
                                 + std::to_string(s + 1);
        std::memcpy(e.name, name.c_str(), name.size() + 1);
        for (int32_t k = 0; k < MATCH_ATTRIBUTE_COUNT; ++k) {
            e.attributes[k] = Attribute(&rng, preset);
        }
        e.positionCode = static_cast<uint8_t>(PositionOfSlot(s));
        e.enginePosition = static_cast<uint16_t>(PositionOfSlot(s));
        e.shirt = static_cast<int16_t>(s + 1);
        e.leftFoot = static_cast<uint16_t>(rng.Next(2));
        e.rightFoot = 1;
        e.experiencePercent = static_cast<uint16_t>(rng.Next(101));
        e.playerId = static_cast<uint16_t>((seed % 500) * 40 + s);
    }
    return side;
}

void FillWhatTheEngineLeftCleared(MatchDayBlock* block)
{
    block->benchSize = MATCH_BENCH_MAX;
    block->crowdFill = 2;
    block->night = 0;
    for (MatchSide& side : block->sides) {
        MatchSide_SetKit(&side, KitDesign{});
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
            side.entries[k].skin = static_cast<uint16_t>(k % 7);
            side.entries[k].hairColour = static_cast<uint16_t>(k % 4);
        }
        MatchEntry_Clear(&side.entries[MATCH_MANAGER_ENTRY]);
    }
}

void MatchDayBuilder::Write() const
{
    MatchDayBlock* block = GetMatchSidesBlock();
    std::memset(block, 0xFF, sizeof(*block));
    block->extraTime = extraTime;
    block->shootOut = shootOut;
    block->goldenGoal = goldenGoal;
    block->periodMinutes = periodMinutes;
    block->secondLeg = awayGoals;
    block->official[0] = 65;
    block->official[1] = 58;
    block->official[2] = 0;
    block->difficulty = difficulty;
    block->lenientSide = 0;
    block->viewMode = viewMode;
    block->substitutionsAllowed = substitutes;
    for (int32_t s = 0; s < 2; ++s) {
        SidePreset sidePreset = preset;
        if (preset == SidePreset::StrongAgainstWeak)
            sidePreset = s == 0 ? SidePreset::Strong : SidePreset::Weak;
        block->sides[s] = MakeSide(seed * 2 + static_cast<uint32_t>(s), sidePreset);
        block->sides[s].firstLegGoals = firstLegGoals[s];
        block->sides[s].human = human[s] ? 1 : 0;
    }
    if (afterWrite != nullptr) afterWrite();
}

ScopedMatch::ScopedMatch()
{
    ResetCoreForTest();
    PollInit();
    MatchBlocks_Init();
    Tactics_Init();
    s_harness = new HarnessState;
    MatchEngine_Init();
    MatchPresentation_SetDefaults();
    InstallRecorders();
    for (int32_t kind = 0; kind < VIEWKIND_COUNT; ++kind) {
        MatchView_Register(kind, nullptr);
    }
    AddPollFunction(WatchdogPoll, POLL_EVERY_CALL, 0);
    Person_SetActionListener([](int32_t person, int32_t action) {
        if (person < MATCH_PLAYER_COUNT && action >= 0 && action < ACT_COUNT)
            ++s_harness->actions.entries[Person_Side(person)][action];
    });
}

ScopedMatch::~ScopedMatch()
{
    Comm_SetListener(nullptr);
    Person_SetActionListener(nullptr);
    for (int32_t kind = 0; kind < VIEWKIND_COUNT; ++kind) {
        MatchView_Register(kind, nullptr);
    }
    MatchEngine_Uninit();
    Tactics_Uninit();
    MatchBlocks_Uninit();
    PollUninit();
    delete s_harness;
    s_harness = nullptr;
    ResetCoreForTest();
}

void Watchdog_Reinstall() { AddPollFunction(WatchdogPoll, POLL_EVERY_CALL, 0); }

PresentationRecord& ScopedMatch::Record() { return s_harness->record; }

ActionTally& ScopedMatch::Actions() { return s_harness->actions; }

ScopedMatchOnHost::ScopedMatchOnHost()
{
    WinInit("Pelloran", WIN_FLAG_WINDOWED);
    MemoryInit();
    InitKeyboardInterrupt();
    NoSoundFlag = false;
    SndInit();
    if (!SndIsOn()) ADD_FAILURE() << "the headless host gives no sound";
}

ScopedMatchOnHost::~ScopedMatchOnHost()
{
    SndUninit();
    if (KeyIsKeyboardInitialised()) ClearKeyboardInterrupt();
    WinUninit();
}

void ScopedMatchOnHost::HoldKey(uint32_t code)
{
    HostOnKey(code, true, false);
    while (HostMsgPeek()) {
        HostMessage message{};
        HostMsgGet(&message);
        HostMsgDispatch(message);
    }
}

void Watchdog_At(uint64_t pass, std::function<void()> action)
{
    s_harness->script[pass].push_back(std::move(action));
}

void Watchdog_When(std::function<bool()> condition, std::function<void()> action)
{
    s_harness->triggers.emplace_back(std::move(condition), std::move(action));
}

void Watchdog_SetBudget(uint64_t passes) { s_harness->budget = passes; }

uint64_t Watchdog_Passes() { return s_harness->passes; }
uint64_t Watchdog_Ticks() { return s_harness->ticks; }

const std::vector<std::string>& Watchdog_Failures() { return s_harness->failures; }

std::string Engine_CheckInvariants()
{
    if (MatchPhase < 0 || MatchPhase >= PHASE_COUNT) return "phase " + std::to_string(MatchPhase);
    if (Match.period > MATCH_PERIOD_SHOOT_OUT) return "period " + std::to_string(Match.period);
    for (int32_t side = 0; side < 2; ++side) {
        uint32_t seen = 0;
        for (int16_t person : LineUp[side]) {
            const int32_t slot = person - side * MATCH_PERSONS_PER_SIDE;
            if (slot < 0 || slot >= MATCH_PERSONS_PER_SIDE)
                return "line-up holds " + std::to_string(person);
            seen |= 1u << slot;
        }
        if (seen != 0xFFFFu) return "line-up is not a permutation";
        const uint8_t active = ActivePlayer[side];
        if (active != MATCH_NONE && Person_Side(active) != side)
            return "active player of the other side";
        if (active != MATCH_NONE && MatchPersons[active].offPitch != 0)
            return "active player " + std::to_string(active) + " off the pitch";
    }
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        if (MatchPersons[p].action < 0 || MatchPersons[p].action >= ACT_COUNT)
            return "person " + std::to_string(p) + " in action "
                   + std::to_string(MatchPersons[p].action);
    }
    for (int32_t official = MATCH_REFEREE; official <= MATCH_LINESMAN_2; ++official) {
        if (MatchPersons[official].action < 0 || MatchPersons[official].action > 15)
            return "official " + std::to_string(official) + " in state "
                   + std::to_string(MatchPersons[official].action);
    }
    const MatchDataBlock* data = GetMatchDataBlock();
    if (data->eventCount < 0 || data->eventCount >= MATCH_EVENT_MAX) return "event count";
    if (Match.periodTicks > Match.periodLength) return "periodTicks past periodLength";
    // A player who stumbles over one goal line may run on as far as over the other.
    for (int32_t p = 0; p < MATCH_BALL; ++p) {
        const MatchPerson& m = MatchPersons[p];
        if (m.x < -600 || m.x > 1700 || m.y < kMapNearY || m.y > kMapFarY)
            return "person " + std::to_string(p) + " off the map in action "
                   + std::to_string(m.action);
    }
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    if (ball.x < 92 || ball.x > 1500 || ball.y < 58 || ball.y > 2106)
        return "ball outside the walls";
    return "";
}

void SeatEveryPersonInHisPlace()
{
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
            const int32_t person = side * MATCH_PERSONS_PER_SIDE + slot;
            LineUp[side][slot] = static_cast<int16_t>(person);
            MatchPerson& p = MatchPersons[person];
            std::snprintf(p.name, sizeof(p.name), "J. Joueur%02d", person);
            p.offPitch = slot < MATCH_STARTERS ? 0 : 1;
            p.matchRating = slot < MATCH_STARTERS ? 50 : 0;
        }
    }
}

void SpreadTheElevensOverTheMiddle()
{
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        const int32_t slot = p % 16;
        Person_PlaceAt(p, 300 + 60 * (slot % 11), p < 16 ? 800 : 1300);
        MatchPersons[p].targetX = MatchPersons[p].x;
        MatchPersons[p].targetY = MatchPersons[p].y;
        MatchPersons[p].offPitch = slot <= 10 ? 0 : 1;
    }
}

void SetOpenPlayScene()
{
    MatchEngine_Init();
    MatchDayBuilder{}.Write();
    SetMatchPhysics();
    SpreadTheElevensOverTheMiddle();
    Person_PlaceAt(MATCH_BALL, 700, 1000);
    MatchPhase = PHASE_OPEN_PLAY;
}

void ScriptDraws(const std::vector<ScriptedDraw>& script)
{
    const auto follows = [&](uint32_t seed) {
        RandStream stream{seed};
        for (const ScriptedDraw& d : script) {
            const int32_t value = stream.Next() % d.modulus;
            if (value < d.low || value > d.high) return false;
        }
        return true;
    };
    for (uint32_t seed = 1; seed < (1u << 26); ++seed) {
        if (follows(seed)) {
            SRand(seed);
            return;
        }
    }
    ADD_FAILURE() << "ScriptDraws(): no seed follows the script of " << script.size() << " draws";
}

void SetBareScene()
{
    Match.secondOfPair = 1;
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t i = 0; i < MATCH_PERSONS_PER_SIDE; ++i) {
            LineUp[side][i] = static_cast<int16_t>(side * MATCH_PERSONS_PER_SIDE + i);
            ProximityList[side][i] = static_cast<int16_t>(side * MATCH_PERSONS_PER_SIDE + i);
        }
    }
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        MatchPerson& p = MatchPersons[person];
        p.offPitch = 1;
        p.action = ACT_WALK_TO_TARGET;
        std::memset(p.skills, 50, sizeof p.skills);
        p.positionExtra[1] = 1;  // no flank penalty on the effective skill
        p.positionExtra[2] = 1;
        p.targetCellRow = -1;
        p.preferredReceiver = 0;
        p.firstInstruction = 0;
        p.thirdInstruction = 0;
        p.runSpeed = 0;
        p.offsideMark = 0;
        p.stats = {};
    }
}

void PlaceUnderStillBall(int32_t person, int16_t action, int32_t x, int32_t y, int32_t facing,
                         int32_t height)
{
    SetMatchPhysics();
    Match.ballDrag = 1000;
    Match.ballGravity = 0;
    PlaceBallAlone(x, y);
    SetBareScene();
    Person_PlaceAt(person, x, y);
    MatchPerson& p = MatchPersons[person];
    p.offPitch = 0;
    Person_SetAction(person, action);
    p.facing = static_cast<uint16_t>(facing);
    p.dirToBall = static_cast<uint16_t>(facing);
    p.receivePoint[0] = static_cast<int16_t>(x);
    p.receivePoint[1] = static_cast<int16_t>(y);
    p.skills[4] = 80;
    Ball.holder = 0;
    Ball.height = static_cast<uint16_t>(height);
    Ball.height16 = height * 65536;
}

void RunPersonAction(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    CurrentPersonPos = {p.x, p.y, p.x16, p.y16};
    Match.currentSide = static_cast<uint8_t>(Person_Side(person));
    ActionTable[p.action].run(person);
    p.x16 = CurrentPersonPos.x16;
    p.y16 = CurrentPersonPos.y16;
    p.x = Fixed_ToUnits(p.x16);
    p.y = Fixed_ToUnits(p.y16);
}

std::vector<int32_t> StrikeFramesOf(int32_t person, int16_t action, int32_t maxTicks)
{
    std::vector<int32_t> frames;
    MatchPerson& p = MatchPersons[person];
    for (int32_t tick = 0; tick < maxTicks && p.action == action; ++tick) {
        const uint8_t before = p.kicked;
        RunPersonAction(person);
        if (before == 0 && p.kicked != 0) frames.push_back(p.drawnFrame);
    }
    return frames;
}

void PlaceBallAlone(int32_t x, int32_t y)
{
    MatchPhase = PHASE_OPEN_PLAY;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        Person_PlaceAt(person, 200 + 40 * person, 1900);
        MatchPersons[person].ballDistance = 10000;
    }
    Person_PlaceAt(MATCH_BALL, x, y);
    Ball.x16 = x * 65536;
    Ball.y16 = y * 65536;
    Ball.wholeX = static_cast<int16_t>(x);
    Ball.wholeY = static_cast<int16_t>(y);
    Ball.lookAhead[0][0] = static_cast<int16_t>(x);
    Ball.lookAhead[0][1] = static_cast<int16_t>(y);
    Ball.height = 0;
    Ball.height16 = 0;
    Ball_Stop();
    Ball_UpdateSpeedDir();
    Ball.lastToucher = -1;
}

void SetMatchPhysics()
{
    SetPitchConstants();
    Match.ballDrag = 992;
    Match.ballGravity = 4000;
    Match.ballThird = 100;
    Match.ballCoefficients[0] = 0.52f;
    Match.ballCoefficients[1] = 0.94f;
}

void RunTicks(int32_t n)
{
    for (int32_t i = 0; i < n; ++i) {
        EngineTick();
        Match_RecordHeatMap();
        const std::string broken = Engine_CheckInvariants();
        if (!broken.empty()) RecordFailure(broken);
    }
}

bool RunUntil(const std::function<bool()>& done, int32_t budget)
{
    for (int32_t i = 0; i < budget; ++i) {
        if (done()) return true;
        RunTicks(1);
    }
    return done();
}

namespace {

// Each side's figures of each half of normal time, from the snapshots taken as each period began:
// a half ends where the next period begins, or at full time.
void FillHalves(SoakResult* result)
{
    const HarnessState& h = *s_harness;
    for (int32_t half = 0; half < 2; ++half) {
        result->upSide[half] = h.upSide[half];
        const bool endsAtNextPeriod = (h.periodsEntered >> (half + 1) & 1) != 0;
        for (int32_t side = 0; side < 2; ++side) {
            const TeamStatistics& from = h.statsAtStart[half][side];
            const TeamStatistics& to =
                endsAtNextPeriod ? h.statsAtStart[half + 1][side] : Match.teamStats[side];
            HalfFigures& f = result->halves[half][side];
            f.shots = to.shots - from.shots;
            f.shotsOnTarget = to.shotsOnTarget - from.shotsOnTarget;
            f.fouls = to.fouls - from.fouls;
            f.corners = to.corners - from.corners;
            const int16_t scoreAtEnd =
                endsAtNextPeriod ? h.scoreAtStart[half + 1][side] : Match.score[side];
            f.goals = scoreAtEnd - h.scoreAtStart[half][side];
        }
    }
}

}  // namespace

SoakResult SoakRun(const MatchDayBuilder& builder)
{
    HarnessState& h = *s_harness;
    builder.Write();
    SRand(builder.seed);
    h.failures.clear();
    h.passes = 0;
    h.playChecks = true;
    h.lastPhase = -1;
    h.seed = builder.seed;
    h.stillSince = 0;
    h.holder = -1;
    h.leftSince = 0;
    h.periodsEntered = 0;
    h.lastPeriod = -1;
    std::fill(std::begin(h.awarded), std::end(h.awarded), 0);
    h.shootOutKicks = 0;
    h.foulsAgainst[0] = h.foulsAgainst[1] = 0;
    h.actions = {};
    PlayMatch3D();
    h.playChecks = false;
    if (std::string fullTime = CheckFullTime(builder); !fullTime.empty())
        h.failures.push_back("seed " + std::to_string(builder.seed) + ": " + fullTime);
    SoakResult result;
    result.actions = h.actions;
    std::copy(std::begin(h.awarded), std::end(h.awarded), std::begin(result.phaseEntries));
    result.periods = h.periodsEntered;
    FillHalves(&result);
    const MatchDataBlock* data = GetMatchDataBlock();
    result.territoryInRange = true;
    uint32_t thirds = 0;
    for (int32_t side = 0; side < 2; ++side) {
        result.score[side] = data->sides[side].score;
        result.shootOutGoals[side] = data->sides[side].shootOutGoals;
        result.goalRows[side] = GoalRowsOf(side);
        result.shots[side] = Match.teamStats[side].shots;
        result.shotsOnTarget[side] = Match.teamStats[side].shotsOnTarget;
        result.cornersWon[side] = Match.teamStats[side].corners;
        for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
            const MatchPerson& p = MatchPersons[side * MATCH_PERSONS_PER_SIDE + slot];
            result.passesTried[side] += p.passCounters[0];
            result.passesCompleted[side] += p.stats.passesCompleted;
            result.crosses[side] += p.stats.crosses;
            result.playerOffsides[side] += p.stats.offsides;
            result.catches += p.stats.catches;
            result.parries += p.stats.parries;
            result.otherSaves += p.stats.palms + p.stats.punches + p.stats.deflections;
        }
        result.foulsAgainst[side] = h.foulsAgainst[side];
        result.teamFouls[side] = Match.teamStats[side].fouls;
        result.offsides[side] = Match.teamStats[side].offsides;
        result.bookings += Match.bookingsShown[side];
        result.substitutions[side] = Match.substitutionCount[side];
        result.substitutionTotals[side] = data->sides[side].totals[MATCH_TOTAL_SUBSTITUTIONS];
        // Starters in squad slots 1-10 who are still outfield players at full time.
        for (int32_t slot = 1; slot < MATCH_STARTERS; ++slot) {
            const int32_t person = side * MATCH_PERSONS_PER_SIDE + slot;
            if (person == LineUp[side][0]) continue;
            result.outfieldTiredness += MatchPersons[person].resultByteA;
            ++result.outfieldStarters;
        }
        const int32_t keeper = side * MATCH_PERSONS_PER_SIDE;
        if (LineUp[side][0] == keeper) result.keeperTiredness += MatchPersons[keeper].resultByteA;
        result.sendingsOff += Match.dismissals[side];
    }
    for (int32_t m = 0; m < MATCH_TERRITORY_MINUTES; ++m) {
        const uint8_t t = data->territory[m];
        if (t != 255 && t > 100) result.territoryInRange = false;
    }
    for (int32_t t = 0; t < 3; ++t) {
        thirds += data->territoryTotals[t];  // a packed field: read by value
    }
    result.territoryMatchesThirds = thirds == Match.openPlayTicks;
    result.throwIns = h.awarded[PHASE_THROW_IN_AWARDED];
    result.goalKicks = h.awarded[PHASE_GOAL_KICK_AWARDED];
    result.corners = h.awarded[PHASE_CORNER_AWARDED];
    result.fouls = h.awarded[PHASE_FOUL];
    result.shootOutKicks = h.shootOutKicks;
    result.penalties = h.awarded[PHASE_PENALTY_KICK] - h.shootOutKicks;
    result.directFreeKicks = h.awarded[PHASE_DIRECT_FREE_KICK];
    result.freeKicks =
        h.awarded[PHASE_FREE_KICK] + h.awarded[PHASE_DIRECT_FREE_KICK] + result.penalties;
    result.possessionTicks[0] = Match.possessionTicks[0];
    result.possessionTicks[1] = Match.possessionTicks[1];
    result.finalWhistle = Match.finalWhistle == 1;
    result.failures = h.failures;
    return result;
}

namespace {

std::string SideText(int32_t side) { return "side " + std::to_string(side) + ": "; }

// The periods the fixture allows: extra time only on a level aggregate, a golden goal ending it,
// the shoot-out only when still level and then decided.
std::string CheckPeriods(const MatchDayBuilder& builder)
{
    const HarnessState& h = *s_harness;
    const auto played = [&](int32_t period) { return (h.periodsEntered >> period & 1) != 0; };
    const auto levelAt = [&](int32_t period) {
        return h.scoreAtStart[period][0] + builder.firstLegGoals[0]
               == h.scoreAtStart[period][1] + builder.firstLegGoals[1];
    };
    if (!played(0) || !played(1)) return "a half not played";
    if (played(3) && !played(2)) return "the second extra period without the first";
    if (played(2) && (builder.extraTime == 0 && builder.goldenGoal == 0))
        return "extra time the fixture has none of";
    if (played(2) && !levelAt(2)) return "extra time after an aggregate won";
    const int32_t extraGoals =
        Match.score[0] + Match.score[1] - h.scoreAtStart[2][0] - h.scoreAtStart[2][1];
    if (played(2) && builder.goldenGoal != 0 && extraGoals > 0) {
        if (extraGoals > 1) return "play went on past the golden goal";
        if (played(4)) return "a shoot-out after the golden goal";
    }
    if (!played(4)) return "";
    if (builder.shootOut == 0) return "a shoot-out the fixture has none of";
    if (!levelAt(4)) return "a shoot-out after an aggregate won";
    if (!ShootOut_IsDecided(h.shootOutKicks, Match.shootOutGoals[0], Match.shootOutGoals[1]))
        return "a shoot-out left undecided after " + std::to_string(h.shootOutKicks) + " kicks";
    return "";
}

int32_t ListLength(const auto& list)
{
    int32_t n = 0;
    while (n < static_cast<int32_t>(std::size(list)) && list[n].player != -1) {
        ++n;
    }
    return n;
}

// The score against its goal rows and goal list, the card list against the card records, the
// substitution rows against the count.
std::string CheckSideLists(int32_t side)
{
    const MatchSideStats& stats = GetMatchDataBlock()->sides[side];
    const int32_t listed = std::min<int32_t>(stats.score, MATCH_GOAL_RECORDS);
    if (stats.score != Match.score[side] || stats.score != GoalRowsOf(side))
        return SideText(side) + "score against its goal rows";
    if (ListLength(stats.goals) != listed || ListLength(stats.scorers) != listed)
        return SideText(side) + "goal list of " + std::to_string(ListLength(stats.goals));
    for (int32_t g = 0; g < listed; ++g) {
        if (stats.goals[g].kind > 2) return SideText(side) + "goal list kind";
    }
    if (std::string cards = CheckCards(side); !cards.empty()) return cards;
    if (ListLength(stats.cards) != Match.cardCount[side]) return SideText(side) + "card list";
    for (int32_t c = 0; c < Match.cardCount[side]; ++c) {
        const MatchCardRecord& record = Match.cards[side][c];
        if (stats.cards[c].player != MatchPersons[record.person].playerId
            || stats.cards[c].kind != (record.kind == 1 ? 1 : 2))
            return SideText(side) + "card list entry " + std::to_string(c);
    }
    if (RowsOf(1, side) != Match.substitutionCount[side]
        || stats.totals[MATCH_TOTAL_SUBSTITUTIONS] != Match.substitutionCount[side]
        || Match.substitutionCount[side] > Match.substitutesAllowed)
        return SideText(side) + "substitutions";
    return "";
}

uint32_t HeatOf(int32_t grid)
{
    // The block is packed: the grid is copied out before its counters are read.
    uint32_t cells[TACTIC_GRID_ROWS * TACTIC_GRID_COLUMNS];
    std::memcpy(cells, GetMatchDataBlock()->heatMaps[grid], sizeof(cells));
    uint32_t sum = 0;
    for (const uint32_t cell : cells) {
        sum += cell;
    }
    return sum;
}

// The 16 rows and match views of a side: ratings, the player of the match, card words, heat.
// `stars` counts the players of the match found.
std::string CheckSidePlayers(int32_t side, int32_t* stars)
{
    const MatchSideStats& stats = GetMatchDataBlock()->sides[side];
    int32_t booked = 0;
    int32_t sentOff = 0;
    // Row k is the player of squad slot k, wherever substitutions and keeper changes moved him in
    // the line-up.
    for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
        const PlayerMatchRecord& row = stats.players[slot];
        const int32_t person = side * MATCH_PERSONS_PER_SIDE + slot;
        const std::string name = SideText(side) + "person " + std::to_string(person) + " ";
        // The engine's participation mark: set when he stands on the pitch, negative for a
        // player beyond the substitutes allowed, who is rated -1.
        const auto participation = static_cast<int8_t>(MatchPersons[person].matchRating);
        const bool tookPart = participation > 0;
        const bool star = stats.manOfTheMatch == MatchPersons[person].playerId;
        const int32_t rating = PlayerMatchRecord_Get(row, PMR_RATING);
        *stars += star ? 1 : 0;
        if (star && !tookPart) return name + "is player of the match without playing";
        if (tookPart ? rating < 10 || rating > (star ? 100 : 99)
                     : rating != (participation < 0 ? -1 : 0))
            return name + "rated " + std::to_string(rating);
        if (!tookPart && HeatOf(person) != 0) return name + "has heat without playing";
        if (HeatOf(person) > Match.openPlayTicks)
            return name + "has heat " + std::to_string(HeatOf(person)) + " past the open play "
                   + std::to_string(Match.openPlayTicks);
        MatchViewEntry view{};
        Football_BuildMatchView(&view, side, slot);
        const int32_t cards = view.cardBits >> 6 & 3;
        if (view.commitment < 0 || view.commitment > 95 || view.participation < 0
            || view.participation > 95 || view.condition < 0 || view.condition > 100
            || (view.rating > 0 && (view.rating < 10 || view.rating > 99)) || view.goals < 0
            || view.goals > Match.score[side] + Match.score[side ^ 1])
            return name + "match view out of range: " + std::to_string(view.commitment) + " "
                   + std::to_string(view.participation) + " " + std::to_string(view.condition) + " "
                   + std::to_string(view.rating) + " " + std::to_string(view.goals) + " "
                   + std::to_string(view.cardBits);
        // Two bookings (2) send a player off as a straight red (3) does.
        booked += cards == 1 ? 1 : 0;
        sentOff += cards >= 2 ? 1 : 0;
    }
    if (booked != stats.totals[MATCH_TOTAL_BOOKINGS]
        || sentOff != stats.totals[MATCH_TOTAL_SENDINGS_OFF])
        return SideText(side) + "card words against the booked and sent-off totals";
    // One card pair for each player booked or sent off, the rest unused.
    int32_t pairs = 0;
    for (const MatchCardPair& pair : stats.cardBytes) {
        pairs += pair.minute != 255 ? 1 : 0;
    }
    if (pairs != booked + sentOff) return SideText(side) + "card pairs";
    return "";
}

// Shots, fouls and the territory bytes: each minute's byte 0-100, or 255 for a minute not played
// and for the last minute of each period, which time running out leaves unwritten; the totals
// are the open play split into thirds.
std::string CheckTeamTotals()
{
    const MatchDataBlock* data = GetMatchDataBlock();
    for (int32_t side = 0; side < 2; ++side) {
        const MatchSideStats& stats = data->sides[side];
        if (stats.shotsOnTarget < 0 || stats.shotsOffTarget < 0)
            return SideText(side) + "shots on target past the shots";
        if (stats.fouls != s_harness->foulsAgainst[side])
            return SideText(side) + "fouls against the foul phases";
        if (stats.corners < 0 || stats.possession < 0) return SideText(side) + "totals";
    }
    int32_t written = 0;  // past the last minute written
    for (int32_t m = 0; m < MATCH_TERRITORY_MINUTES; ++m) {
        const uint8_t byte = data->territory[m];
        if (byte > 100 && byte != 255) return "territory byte of minute " + std::to_string(m);
        if (byte <= 100) written = m + 1;
    }
    int32_t unwritten = 0;
    for (int32_t m = 0; m < written; ++m) {
        unwritten += data->territory[m] == 255 ? 1 : 0;
    }
    if (unwritten >= std::popcount(s_harness->periodsEntered & 0xFu))  // no shoot-out minutes
        return std::to_string(unwritten) + " played minutes without their territory byte";
    uint32_t thirds = 0;
    for (int32_t t = 0; t < 3; ++t) {
        thirds += data->territoryTotals[t];  // a packed field: read by value
    }
    if (thirds != Match.openPlayTicks) return "territory totals against the open play";
    if (HeatOf(MATCH_PLAYER_COUNT) + HeatOf(MATCH_PLAYER_COUNT + 1) > Match.openPlayTicks)
        return "the ball's heat past the open play";
    // The match's rows start at row 0 and the row after the last closes the list.
    if ((data->eventCount > 0 && data->events[0].kind == MATCH_EVENT_END)
        || (data->eventCount < MATCH_EVENT_MAX
            && data->events[data->eventCount].kind != MATCH_EVENT_END))
        return "event rows not from row 0 or not closed";
    return "";
}

}  // namespace

std::string CheckFullTime(const MatchDayBuilder& builder)
{
    if (Match.finalWhistle != 1) return "no final whistle";
    if (std::string periods = CheckPeriods(builder); !periods.empty()) return periods;
    int32_t stars = 0;
    for (int32_t side = 0; side < 2; ++side) {
        if (std::string lists = CheckSideLists(side); !lists.empty()) return lists;
        if (std::string players = CheckSidePlayers(side, &stars); !players.empty()) return players;
    }
    // One player of the match, who played, his id on his side and -1 on the other.
    const MatchDataBlock* data = GetMatchDataBlock();
    const int32_t named =
        (data->sides[0].manOfTheMatch != -1 ? 1 : 0) + (data->sides[1].manOfTheMatch != -1 ? 1 : 0);
    if (named != 1 || stars != 1) return std::to_string(named) + " players of the match named";
    return CheckTeamTotals();
}

GoldenResult GoldenRun(uint32_t seed, SidePreset preset, bool init)
{
    MatchDayBuilder builder;
    builder.seed = seed;
    builder.preset = preset;
    return GoldenRun(builder, init);
}

GoldenResult GoldenRun(const MatchDayBuilder& builder, bool init)
{
    GoldenResult result;
    if (init) MatchEngine_Init();
    builder.Write();
    SRand(builder.seed);
    s_harness->drawBase = RandDrawCount();
    s_harness->ticks = 0;
    s_harness->lastTickCount = 0;  // every match counts its ticks from 0
    s_harness->passes = 0;         // the pass budget is per match
    s_harness->trace = &result.lines;
    PlayMatch3D();
    s_harness->trace = nullptr;
    const MatchDataBlock* data = GetMatchDataBlock();
    std::vector<std::string> head;
    auto add = [&](const std::string& key, int64_t value) {
        head.push_back(key + " " + std::to_string(value));
    };
    for (int32_t s = 0; s < 2; ++s) {
        const MatchSideStats& side = data->sides[s];
        const std::string p = "side" + std::to_string(s) + ".";
        add(p + "score", side.score);
        add(p + "shootOutGoals", side.shootOutGoals);
        add(p + "shotsOnTarget", side.shotsOnTarget);
        add(p + "shotsOffTarget", side.shotsOffTarget);
        add(p + "corners", side.corners);
        add(p + "fouls", side.fouls);
        add(p + "possession", side.possession);
        add(p + "manOfTheMatch", side.manOfTheMatch);
        add(p + "firstScorer", side.scorers[0].player);
        add(p + "firstCardMinute", side.cardBytes[0].minute);
    }
    add("eventCount", data->eventCount);
    add("firstEventKind", data->events[0].kind);
    for (int32_t t = 0; t < 3; ++t) {
        add("territoryTotal" + std::to_string(t), data->territoryTotals[t]);
    }
    head.insert(head.end(), result.lines.begin(), result.lines.end());
    result.lines = head;
    return result;
}

std::string CompareGolden(const GoldenResult& result, const std::string& name)
{
    const std::string path = PELLORAN_SOURCE_DIR "/tests/gamecode/golden/" + name + ".golden";
    std::string text;
    for (const std::string& line : result.lines) {
        text += line + "\n";
    }
    const char* update = std::getenv("PELLORAN_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        WriteTextFile(path, text);
        return "";
    }
    const std::vector<std::string> expected = SplitLines(ReadTextFile(path));
    const std::string lastGroup = s_harness->record.commentaryGroups.empty()
                                      ? "none"
                                      : std::to_string(s_harness->record.commentaryGroups.back());
    for (size_t i = 0; i < std::max(expected.size(), result.lines.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "<end>";
        const std::string got = i < result.lines.size() ? result.lines[i] : "<end>";
        if (want != got)
            return "-" + want + "\n+" + got + "\n(last commentary group " + lastGroup + ")";
    }
    return "";
}
