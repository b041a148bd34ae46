// game/simmatch.cpp: the statistical simulation: a fixture played from the team sheets of the
// match-day block into the match data block, without the match engine.
#include "game/simmatch.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "engine/random.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/matchfigures.h"

namespace {

// Attribute words of an entry (see MATCH_ATTRIBUTE_STAT).
enum AttributeWord : int32_t {
    WORD_PACE = 0,
    WORD_STAMINA = 1,
    WORD_SHOOTING = 2,
    WORD_VISION = 5,
    WORD_SAVES = 7,
    WORD_TACKLES = 9,
    WORD_PASSES = 10,
    WORD_CONTROL = 11,
    WORD_DRIBBLE = 12,
    WORD_SET_PIECES = 13,
    WORD_HEADING = 14,
    WORD_AGGRESSION = 15,
};

enum SimLine : int32_t { SIM_KEEPER, SIM_DEFENCE, SIM_MIDFIELD, SIM_ATTACK };

constexpr int32_t SIM_GOAL_SCALE = 92;  // K: expected goals of equal sides, before the factors
constexpr int32_t SIM_LAMBDA_MIN = 20;
constexpr int32_t SIM_LAMBDA_MAX = 450;
constexpr int32_t SIM_MINUTE_SCALE = 9000;  // lambda in hundredths of goals over 90 minutes
constexpr int32_t SIM_FULL_TIME = 90;
constexpr int32_t SIM_EXTRA_TIME = 120;
constexpr int32_t SIM_SHOTS_PER_GOAL = 7;  // besides the goals: about 8 shots per expected goal
constexpr int32_t SIM_LIST_MAX = 20;

// How open-play goals are scored, in percent of them: the rest are ordinary shots in the area.
struct SimGoalShare {
    int32_t goalClass;
    int32_t percent;
    int32_t detail;
};
constexpr SimGoalShare SIM_GOAL_SHARES[] = {
    {GOAL_CLASS_HEADER, 22, 0},
    {GOAL_CLASS_VOLLEY, 8, 0},
    {GOAL_CLASS_LONG_SHOT, 14, GOAL_DETAIL_OUTSIDE},
    {GOAL_CLASS_FREE_KICK, 4, GOAL_DETAIL_OUTSIDE},
};

struct SimSide {
    const MatchSide* sheet;
    MatchSideStats* stats;
    int32_t onPitch[MATCH_SHIRT_COUNT];  // entry indices
    int32_t onCount;
    bool played[MATCH_SHIRT_COUNT];
    bool booked[MATCH_SHIRT_COUNT];
    bool sentOff[MATCH_SHIRT_COUNT];
    int32_t onMinute[MATCH_SHIRT_COUNT];
    int32_t offMinute[MATCH_SHIRT_COUNT];  // -1 still on
    int32_t benchSize;
    int32_t subsLeft;
    int32_t lostLine;  // line weakened by a sending-off, -1 none
    int32_t lambda;    // with eleven men
    int32_t midfield;
    int32_t goalCount;
    int32_t cardCount;
};

struct SimState {
    const MatchDayBlock* block;
    MatchDataBlock* data;
    SimSide sides[MATCH_SIDE_COUNT];
};

const MatchPlayerEntry& Entry(const SimSide& side, int32_t index)
{
    return side.sheet->entries[index];
}

int32_t Word(const SimSide& side, int32_t index, int32_t word)
{
    return Entry(side, index).attributes[word] & 0xFF;
}

bool Present(const MatchPlayerEntry& entry) { return entry.playerId != 0xFFFF; }

int32_t LineOf(const SimSide& side, int32_t index)
{
    const int32_t code = Entry(side, index).enginePosition;
    if (code == 0) return SIM_KEEPER;
    if (code <= 4) return SIM_DEFENCE;
    if (code >= 10 && code <= 12) return SIM_ATTACK;
    return SIM_MIDFIELD;
}

int32_t PlayerId(const SimSide& side, int32_t index) { return Entry(side, index).playerId; }

PlayerMatchRecord* Record(SimSide& side, int32_t index) { return &side.stats->players[index]; }

void Add(SimSide& side, int32_t index, int32_t field, int32_t amount)
{
    PlayerMatchRecord* r = Record(side, index);
    PlayerMatchRecord_Set(r, field, PlayerMatchRecord_Get(*r, field) + amount);
}

void AddSpare(SimSide& side, int32_t index, int32_t figure, int32_t amount)
{
    PlayerMatchRecord* r = Record(side, index);
    PlayerMatchRecord_SetSpare(r, figure, PlayerMatchRecord_GetSpare(*r, figure) + amount);
}

void AddEvent(SimState& s, int32_t kind, int32_t minute, int32_t side, int32_t b, int32_t c)
{
    MatchDataBlock& d = *s.data;
    if (d.eventCount >= MATCH_EVENT_MAX) return;
    MatchEventRow& row = d.events[d.eventCount++];
    row.kind = static_cast<uint8_t>(kind);
    row.period = static_cast<int16_t>(minute <= 45 ? 0 : minute <= 90 ? 1 : minute <= 105 ? 2 : 3);
    row.minute = static_cast<int16_t>(minute);
    row.a = static_cast<int16_t>(side);
    row.b = static_cast<int16_t>(b);
    row.c = static_cast<int16_t>(c);
}

// Orders a few indices by `before`, equal ones kept in their order, on the stack: a library's
// stable sort takes a buffer from the heap at every call.
template <typename Before>
void OrderStably(int32_t* items, int32_t count, Before before)
{
    for (int32_t i = 1; i < count; ++i) {
        const int32_t item = items[i];
        int32_t at = i;
        for (; at > 0 && before(item, items[at - 1]); --at) {
            items[at] = items[at - 1];
        }
        items[at] = item;
    }
}

// A weighted draw among the men on the pitch; uniform when every weight is 0. One Rand() call.
template <typename WeightFn>
int32_t PickOnPitch(const SimSide& side, WeightFn weight)
{
    int32_t weights[MATCH_SHIRT_COUNT];
    int32_t total = 0;
    for (int32_t k = 0; k < side.onCount; ++k) {
        weights[k] = weight(side.onPitch[k]);
        total += weights[k];
    }
    if (total <= 0) return side.onPitch[Rand() % side.onCount];
    int32_t roll = Rand() % total;
    for (int32_t k = 0; k < side.onCount; ++k) {
        roll -= weights[k];
        if (roll < 0) return side.onPitch[k];
    }
    return side.onPitch[side.onCount - 1];
}

int32_t ScorerWeight(const SimSide& side, int32_t index)
{
    constexpr int32_t LINE_WEIGHT[] = {0, 1, 2, 4};
    return LINE_WEIGHT[LineOf(side, index)] * Word(side, index, WORD_SHOOTING);
}

int32_t MeanOverLine(const SimSide& side, bool (*inLine)(int32_t),
                     int32_t (*value)(const SimSide&, int32_t))
{
    int32_t sum = 0;
    int32_t count = 0;
    for (int32_t k = 0; k < side.onCount; ++k) {
        const int32_t index = side.onPitch[k];
        if (!inLine(LineOf(side, index))) continue;
        sum += value(side, index);
        ++count;
    }
    return count > 0 ? sum / count : 0;
}

int32_t DefenceValue(const SimSide& side, int32_t i)
{
    return Word(side, i, WORD_TACKLES) + Word(side, i, WORD_HEADING) + Word(side, i, WORD_PACE) / 2;
}
int32_t MidfieldValue(const SimSide& side, int32_t i)
{
    return Word(side, i, WORD_PASSES) + Word(side, i, WORD_CONTROL) + Word(side, i, WORD_VISION);
}
int32_t AttackValue(const SimSide& side, int32_t i)
{
    return Word(side, i, WORD_SHOOTING) + Word(side, i, WORD_DRIBBLE) + Word(side, i, WORD_PACE);
}
int32_t SavesValue(const SimSide& side, int32_t i) { return Word(side, i, WORD_SAVES); }

bool IsKeeperLine(int32_t line) { return line == SIM_KEEPER; }
bool IsDefenceLine(int32_t line) { return line == SIM_DEFENCE; }
bool IsMidfieldLine(int32_t line) { return line == SIM_MIDFIELD; }
bool IsAttackLine(int32_t line) { return line == SIM_ATTACK; }

struct Strength {
    int32_t att;
    int32_t def;
    int32_t midfield;
};

Strength StrengthOf(const SimSide& side)
{
    const int32_t keeper = MeanOverLine(side, IsKeeperLine, SavesValue);
    const int32_t defence = MeanOverLine(side, IsDefenceLine, DefenceValue);
    const int32_t midfield = MeanOverLine(side, IsMidfieldLine, MidfieldValue);
    const int32_t attack = MeanOverLine(side, IsAttackLine, AttackValue);
    return {(attack + midfield) / 2, std::max(1, (defence + midfield) / 2 + (keeper - 50) / 4),
            std::max(1, midfield)};
}

// Percent: 85 + 30 x the mean of the starters' morale and fitness.
int32_t ConditionFactor(const SimSide& side)
{
    int32_t sum = 0;
    for (int32_t k = 0; k < side.onCount; ++k) {
        const int32_t id = PlayerId(side, side.onPitch[k]);
        sum += (VTW_GetPlayerMoralePercent(id) + VTW_GetPlayerFitnessPercent(id)) / 2;
    }
    return 85 + 30 * (side.onCount > 0 ? sum / side.onCount : 0) / 100;
}

bool NeutralGround(const MatchDayBlock& block)
{
    return block.fixtureRow >= 0 && VTW_GetFixtureNeutralFlag(block.fixtureRow) != 0;
}

// Side s's expected goals from both sides' strengths (StrengthOf each side, in side order).
int32_t ExpectedGoals(const MatchDayBlock& block, const SimSide sides[2],
                      const Strength strengths[2], int32_t s)
{
    const int32_t club = s == 0 ? block.homeClub : block.awayClub;
    const int32_t other = s == 0 ? block.awayClub : block.homeClub;
    const Strength& own = strengths[s];
    const Strength& them = strengths[1 - s];
    // Goals follow the square of the ratio of attack to defence, so that strength shows over a
    // season: a side a tenth stronger all round scores a fifth more and concedes a sixth less.
    int64_t lambda = int64_t(SIM_GOAL_SCALE) * own.att * own.att / them.def / them.def;
    lambda = lambda * ConditionFactor(sides[s]) / 100;
    lambda = lambda * (100 + VTW_GetClubTeamwork(club) / 10) / 100;
    // The home side attacks with its crowd behind it and defends with it too.
    if (!NeutralGround(block)) lambda = s == 0 ? lambda * 112 / 100 : lambda * 100 / 112;
    lambda =
        lambda * (100 + (VTW_GetClubReputation(club) - VTW_GetClubReputation(other)) / 6) / 100;
    return static_cast<int32_t>(std::clamp<int64_t>(lambda, SIM_LAMBDA_MIN, SIM_LAMBDA_MAX));
}

// 90 percent per man sent off.
int32_t LambdaNow(const SimSide& side)
{
    int32_t lambda = side.lambda;
    for (int32_t k = side.onCount; k < MATCH_STARTERS; ++k) {
        lambda = lambda * 90 / 100;
    }
    return lambda;
}

}  // namespace

void SimMatch_ClearData(MatchDataBlock* d)
{
    std::memset(d, 0, sizeof(*d));
    for (MatchSideStats& side : d->sides) {
        side.manOfTheMatch = -1;
        for (MatchGoalEntry& g : side.goals) {
            g.player = g.assist = -1;
        }
        for (MatchCardEntry& c : side.cards) {
            c.player = -1;
        }
        for (MatchScorerEntry& e : side.scorers) {
            e.player = -1;
        }
        for (MatchCardPair& p : side.cardBytes) {
            p.minute = 255;
        }
    }
    for (MatchEventRow& row : d->events) {
        row.kind = MATCH_EVENT_END;
    }
    std::memset(d->territory, 255, sizeof(d->territory));
}

namespace {

void StartSide(SimState& s, int32_t n)
{
    SimSide& side = s.sides[n];
    side = {};
    side.sheet = &s.block->sides[n];
    side.stats = &s.data->sides[n];
    side.lostLine = -1;
    side.benchSize = MatchDay_GetBenchSize(*s.block);
    side.subsLeft = std::clamp<int32_t>(s.block->substitutionsAllowed, 0, side.benchSize);
    for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
        side.offMinute[k] = -1;
    }
    for (int32_t k = 0; k < MATCH_STARTERS; ++k) {
        if (!Present(Entry(side, k))) continue;
        side.onPitch[side.onCount++] = k;
        side.played[k] = true;
    }
}

void TakeOff(SimSide& side, int32_t index, int32_t minute)
{
    for (int32_t k = 0; k < side.onCount; ++k) {
        if (side.onPitch[k] != index) continue;
        side.onPitch[k] = side.onPitch[--side.onCount];
        side.offMinute[index] = minute;
        return;
    }
}

// The unused bench player who comes on for a man of `line`: the first of that line; for an
// outfield man, when his line has none left, the first outfield one of any line. A keeper comes on
// only for a keeper, so that no side plays two. -1 when none fits.
int32_t BenchPlayer(const SimSide& side, int32_t line)
{
    int32_t outfield = -1;
    for (int32_t k = MATCH_STARTERS; k < MATCH_STARTERS + side.benchSize; ++k) {
        if (!Present(Entry(side, k)) || side.played[k]) continue;
        const int32_t benchLine = LineOf(side, k);
        if (benchLine == line) return k;
        if (outfield < 0 && line != SIM_KEEPER && benchLine != SIM_KEEPER) outfield = k;
    }
    return outfield;
}

bool Substitute(SimState& s, int32_t n, int32_t off, int32_t line, int32_t minute)
{
    SimSide& side = s.sides[n];
    if (side.subsLeft <= 0) return false;
    const int32_t on = BenchPlayer(side, line);
    if (on < 0) return false;
    TakeOff(side, off, minute);
    side.onPitch[side.onCount++] = on;
    side.played[on] = true;
    side.onMinute[on] = minute;
    --side.subsLeft;
    ++side.stats->totals[MATCH_TOTAL_SUBSTITUTIONS];
    AddEvent(s, 1, minute, n, PlayerId(side, off), PlayerId(side, on));
    return true;
}

int32_t Tiredness(const SimSide& side, int32_t index, int32_t minute)
{
    return (minute - side.onMinute[index]) * (130 - Word(side, index, WORD_STAMINA));
}

// The most tired outfield man, preferring one outside `sparedLine`; -1 none.
int32_t MostTired(const SimSide& side, int32_t minute, int32_t sparedLine)
{
    int32_t best = -1;
    int32_t bestScore = -1;
    for (int32_t k = 0; k < side.onCount; ++k) {
        const int32_t index = side.onPitch[k];
        const int32_t line = LineOf(side, index);
        if (line == SIM_KEEPER) continue;
        const int32_t score = Tiredness(side, index, minute) + (line == sparedLine ? 0 : 1 << 20);
        if (score > bestScore) {
            best = index;
            bestScore = score;
        }
    }
    return best;
}

void SubstitutionWindow(SimState& s, int32_t n, int32_t minute)
{
    SimSide& side = s.sides[n];
    if (side.lostLine >= 0) {
        const int32_t off = MostTired(side, minute, side.lostLine);
        const bool covered = off >= 0 && Substitute(s, n, off, side.lostLine, minute);
        // A line the bench cannot cover (a keeper sent off with none on the bench) is given up:
        // the windows' changes go to the tired again.
        if (covered || BenchPlayer(side, side.lostLine) < 0) side.lostLine = -1;
        if (covered || side.lostLine >= 0) return;
    }
    const int32_t off = MostTired(side, minute, -1);
    if (off >= 0) Substitute(s, n, off, LineOf(side, off), minute);
}

void AddCard(SimState& s, int32_t n, int32_t index, int32_t minute, int32_t kind)
{
    SimSide& side = s.sides[n];
    if (side.cardCount < SIM_LIST_MAX) {
        MatchCardEntry& card = side.stats->cards[side.cardCount];
        card.player = static_cast<int16_t>(PlayerId(side, index));
        card.minute = static_cast<uint8_t>(minute);
        card.kind = static_cast<uint8_t>(kind);
        side.stats->cardBytes[side.cardCount] = {static_cast<uint8_t>(minute),
                                                 static_cast<uint8_t>(kind)};
        ++side.cardCount;
    }
}

void SendOff(SimState& s, int32_t n, int32_t index, int32_t minute)
{
    SimSide& side = s.sides[n];
    side.sentOff[index] = true;
    // 2 for a man booked before, whether his second card was a booking or a straight red.
    PlayerMatchRecord_Set(Record(side, index), PMR_BOOKINGS, side.booked[index] ? 2 : 3);
    ++side.stats->totals[MATCH_TOTAL_SENDINGS_OFF];
    AddCard(s, n, index, minute, 2);
    AddEvent(s, 3, minute, n, PlayerId(side, index), -1);
    TakeOff(side, index, minute);
    side.lostLine = LineOf(side, index);
}

// A booked man plays carefully: he is eight times less likely to be booked again.
void Booking(SimState& s, int32_t n, int32_t minute)
{
    SimSide& side = s.sides[n];
    const int32_t index = PickOnPitch(side, [&side](int32_t i) {
        const int32_t weight = Word(side, i, WORD_AGGRESSION) * 8;
        return side.booked[i] ? weight / 8 : weight;
    });
    const bool straightRed = Rand() % 40 == 0;
    if (straightRed || side.booked[index]) {
        SendOff(s, n, index, minute);
        return;
    }
    side.booked[index] = true;
    PlayerMatchRecord_Set(Record(side, index), PMR_BOOKINGS, 1);
    ++side.stats->totals[MATCH_TOTAL_BOOKINGS];
    AddCard(s, n, index, minute, 1);
    AddEvent(s, 2, minute, n, PlayerId(side, index), -1);
}

// The injured man leaves the pitch, replaced when a substitution is left.
void Injury(SimState& s, int32_t n, int32_t minute)
{
    SimSide& side = s.sides[n];
    const int32_t index = side.onPitch[Rand() % side.onCount];
    PlayerMatchRecord_Set(Record(side, index), PMR_HURT, 1);
    if (!Substitute(s, n, index, LineOf(side, index), minute)) TakeOff(side, index, minute);
}

int32_t KeeperOnPitch(const SimSide& side)
{
    for (int32_t k = 0; k < side.onCount; ++k) {
        if (LineOf(side, side.onPitch[k]) == SIM_KEEPER) return side.onPitch[k];
    }
    return -1;
}

// The designated takers' places in MatchSide::designated.
enum SimTaker : int32_t { TAKER_PENALTY = 1, TAKER_FREE_KICK = 2, TAKER_CORNER = 3 };

// The designated taker when he is on the pitch, else the best at set pieces.
int32_t SetPieceTaker(const SimSide& side, int32_t taker)
{
    const int32_t shirt = side.sheet->designated[taker];
    for (int32_t k = 0; k < side.onCount; ++k) {
        if (Entry(side, side.onPitch[k]).shirt == shirt) return side.onPitch[k];
    }
    int32_t best = side.onPitch[0];
    for (int32_t k = 1; k < side.onCount; ++k) {
        if (Word(side, side.onPitch[k], WORD_SET_PIECES) > Word(side, best, WORD_SET_PIECES))
            best = side.onPitch[k];
    }
    return best;
}

// The scorer list's byte of a goal of the goal list's kind; an open-play goal's class is drawn.
uint8_t ClassedGoal(int32_t kind)
{
    if (kind == 1) return GOAL_CLASS_PENALTY;
    if (kind == 2) return GOAL_CLASS_OWN_GOAL;
    int32_t roll = Rand() % 100;
    for (const SimGoalShare& share : SIM_GOAL_SHARES) {
        if (roll < share.percent) return static_cast<uint8_t>(share.goalClass | share.detail << 4);
        roll -= share.percent;
    }
    return GOAL_CLASS_CLOSE;
}

// kind: 0 open play, 1 penalty, 2 own goal (scorer of the other side).
void RecordGoal(SimState& s, int32_t n, int32_t scorerSide, int32_t scorer, int32_t assist,
                int32_t minute, int32_t kind)
{
    SimSide& side = s.sides[n];
    SimSide& other = s.sides[1 - n];
    SimSide& owner = s.sides[scorerSide];
    const int32_t scorerId = PlayerId(owner, scorer);
    const int32_t assistId = assist >= 0 ? PlayerId(side, assist) : -1;
    if (side.goalCount < SIM_LIST_MAX) {
        side.stats->goals[side.goalCount] = {
            static_cast<int16_t>(scorerId), static_cast<int16_t>(assistId),
            static_cast<uint8_t>(minute), static_cast<uint8_t>(kind)};
        const uint8_t packed = ClassedGoal(kind);
        side.stats->scorers[side.goalCount] = {static_cast<int16_t>(scorerId),
                                               static_cast<uint8_t>(minute), packed};
        ++side.goalCount;
        // A free kick in the net was his: he took it.
        if (MatchScorer_Class(packed) == GOAL_CLASS_FREE_KICK) {
            AddSpare(owner, scorer, PMS_FREE_KICKS_TAKEN, 1);
            AddSpare(owner, scorer, PMS_FREE_KICKS_SCORED, 1);
        }
    }
    if (kind == 1) AddSpare(owner, scorer, PMS_PENALTIES_SCORED, 1);
    ++side.stats->score;
    ++side.stats->shotsOnTarget;
    Add(owner, scorer, kind == 2 ? PMR_OWN_GOALS : PMR_GOALS, 1);
    if (kind != 2) Add(owner, scorer, PMR_SHOTS_ON_TARGET, 1);
    if (assist >= 0) Add(side, assist, PMR_ASSISTS, 1);
    const int32_t keeper = KeeperOnPitch(other);
    if (keeper >= 0) Add(other, keeper, PMR_GOALS_CONCEDED, 1);
    AddEvent(s, 0, minute, n, scorerId, assistId);
}

void Goal(SimState& s, int32_t n, int32_t minute)
{
    SimSide& side = s.sides[n];
    SimSide& other = s.sides[1 - n];
    if (Rand() % 8 == 0) {
        const int32_t taker = SetPieceTaker(side, TAKER_PENALTY);
        AddSpare(side, taker, PMS_PENALTIES_TAKEN, 1);
        if (Rand() % 4 == 0) {
            Add(side, taker, PMR_PENALTIES_MISSED, 1);
            Add(side, taker, PMR_SHOTS_OFF_TARGET, 1);
            ++side.stats->shotsOffTarget;
            AddEvent(s, 4, minute, n, PlayerId(side, taker), -1);  // the report lists it
            return;
        }
        RecordGoal(s, n, n, taker, -1, minute, 1);
        return;
    }
    if (Rand() % 30 == 0 && other.onCount > 0) {
        static constexpr int32_t OWN_GOAL_WEIGHT[] = {1, 4, 2, 1};
        const int32_t unlucky =
            PickOnPitch(other, [&other](int32_t i) { return OWN_GOAL_WEIGHT[LineOf(other, i)]; });
        RecordGoal(s, n, 1 - n, unlucky, -1, minute, 2);
        return;
    }
    const int32_t scorer = PickOnPitch(side, [&side](int32_t i) { return ScorerWeight(side, i); });
    const int32_t assist = PickOnPitch(
        side, [&side, scorer](int32_t i) { return i == scorer ? 0 : Word(side, i, WORD_PASSES); });
    RecordGoal(s, n, n, scorer, assist == scorer ? -1 : assist, minute, 0);
}

void Shot(SimState& s, int32_t n)
{
    SimSide& side = s.sides[n];
    const int32_t shooter = PickOnPitch(side, [&side](int32_t i) { return ScorerWeight(side, i); });
    if (Rand() % 100 < 33) {
        ++side.stats->shotsOnTarget;
        Add(side, shooter, PMR_SHOTS_ON_TARGET, 1);
    } else {
        ++side.stats->shotsOffTarget;
        Add(side, shooter, PMR_SHOTS_OFF_TARGET, 1);
    }
}

// A foul by side n: the other side's free kick, when it has anyone left to take it.
void Foul(SimState& s, int32_t n)
{
    SimSide& side = s.sides[n];
    SimSide& other = s.sides[1 - n];
    ++side.stats->fouls;
    const int32_t offender = side.onPitch[Rand() % side.onCount];
    Add(side, offender, PMR_FOULS, 1);
    Add(side, offender, PMR_FOULS_CHARGED, 1);
    if (other.onCount > 0)
        AddSpare(other, SetPieceTaker(other, TAKER_FREE_KICK), PMS_FREE_KICKS_TAKEN, 1);
}

// The totals count minutes by the third the play was in, as the engine counts its ticks: 0 the
// home side's, 1 the middle, 2 the away side's.
int32_t ThirdOf(int32_t territory) { return territory < 40 ? 0 : territory > 60 ? 2 : 1; }

// One minute: possession and territory, then each side's chances in a fixed order.
void PlayMinute(SimState& s, int32_t minute)
{
    const int32_t mid0 = s.sides[0].midfield;
    const int32_t mid1 = s.sides[1].midfield;
    const int32_t holder = Rand() % (mid0 + mid1) < mid0 ? 0 : 1;
    ++s.sides[holder].stats->possession;
    if (minute <= MATCH_TERRITORY_MINUTES) {
        const int32_t territory = 50 + (holder == 0 ? 15 : -15) + Rand() % 11 - 5;
        s.data->territory[minute - 1] = static_cast<uint8_t>(territory);
        ++s.data->territoryTotals[ThirdOf(territory)];
    }
    for (int32_t n = 0; n < MATCH_SIDE_COUNT; ++n) {
        SimSide& side = s.sides[n];
        if (side.onCount == 0) continue;
        const int32_t lambda = LambdaNow(side);
        if (Rand() % SIM_MINUTE_SCALE < lambda) Goal(s, n, minute);
        if (Rand() % SIM_MINUTE_SCALE < lambda * SIM_SHOTS_PER_GOAL) Shot(s, n);
        if (Rand() % 1000 < (holder == n ? 70 : 35)) {
            ++side.stats->corners;
            AddSpare(side, SetPieceTaker(side, TAKER_CORNER), PMS_CORNERS_TAKEN, 1);
        }
        if (Rand() % 100 < 13) Foul(s, n);
        if (Rand() % 1000 < 18) Booking(s, n, minute);
        if (side.onCount > 0 && Rand() % 600 == 0) Injury(s, n, minute);
    }
}

void PlayMinutes(SimState& s, int32_t first, int32_t last)
{
    for (int32_t minute = first; minute <= last; ++minute) {
        PlayMinute(s, minute);
        if (minute == 60 || minute == 70 || minute == 80) {
            SubstitutionWindow(s, 0, minute);
            SubstitutionWindow(s, 1, minute);
        }
    }
}

// Takers in order of set-piece skill, the keeper last; the sent-off take none.
int32_t ShootOutTakers(const SimSide& side, int32_t out[MATCH_SHIRT_COUNT])
{
    int32_t count = 0;
    for (int32_t k = 0; k < side.onCount; ++k) {
        out[count++] = side.onPitch[k];
    }
    OrderStably(out, count, [&side](int32_t a, int32_t b) {
        const bool keeperA = LineOf(side, a) == SIM_KEEPER;
        const bool keeperB = LineOf(side, b) == SIM_KEEPER;
        if (keeperA != keeperB) return keeperB;
        return Word(side, a, WORD_SET_PIECES) > Word(side, b, WORD_SET_PIECES);
    });
    return count;
}

bool Kick(const SimSide& taker, int32_t index, const SimSide& keeperSide)
{
    const int32_t keeper = KeeperOnPitch(keeperSide);
    const int32_t saves = keeper >= 0 ? Word(keeperSide, keeper, WORD_SAVES) : 10;
    const int32_t chance =
        std::clamp(75 + (Word(taker, index, WORD_SET_PIECES) - saves) / 4, 5, 95);
    return Rand() % 100 < chance;
}

// Before the home kick of round `round` (kicked = 0) or the away kick (kicked = 1): true once
// one side cannot be caught within the five kicks each, or a sudden-death round has a winner.
bool ShootOutDecided(const int32_t goals[2], int32_t round, int32_t kicked)
{
    if (round >= 5) return kicked == 0 && goals[0] != goals[1];
    const int32_t left0 = 5 - round - kicked;
    const int32_t left1 = 5 - round;
    return goals[0] + left0 < goals[1] || goals[1] + left1 < goals[0];
}

// Five kicks each, stopped once one side cannot be caught, then sudden death.
void ShootOut(SimState& s)
{
    int32_t takers[2][MATCH_SHIRT_COUNT];
    const int32_t counts[2] = {ShootOutTakers(s.sides[0], takers[0]),
                               ShootOutTakers(s.sides[1], takers[1])};
    int32_t goals[2] = {0, 0};
    if (counts[0] == 0 && counts[1] == 0) {
        // Nobody is left to kick on either side: lots decide.
        goals[Rand() % 2] = 1;
    }
    for (int32_t round = 0; !ShootOutDecided(goals, round, 0); ++round) {
        for (int32_t n = 0; n < MATCH_SIDE_COUNT; ++n) {
            // A side left with nobody on the pitch has no taker and misses every kick.
            if (counts[n] > 0 && Kick(s.sides[n], takers[n][round % counts[n]], s.sides[1 - n]))
                ++goals[n];
            if (n == 0 && ShootOutDecided(goals, round, 1)) break;
        }
    }
    s.sides[0].stats->shootOutGoals = static_cast<int16_t>(goals[0]);
    s.sides[1].stats->shootOutGoals = static_cast<int16_t>(goals[1]);
}

int32_t EndMinute(const SimSide& side, int32_t index, int32_t endMinute)
{
    return side.offMinute[index] >= 0 ? side.offMinute[index] : endMinute;
}

// The weights a count is shared by, with what sharing needs of them more than once: their total,
// and each one's rank for what rounding down leaves (0 the heaviest, equal weights by index). No
// weight is below 0.
struct ShareWeights {
    int32_t weight[MATCH_SHIRT_COUNT];
    int32_t total;
    int32_t rank[MATCH_SHIRT_COUNT];
};

// Totals and ranks the weights, once they are all in: a weight's rank is how many come before it.
void RankWeights(ShareWeights* w)
{
    // Each weight with its index below it, a lower index the larger: no two keys are equal.
    int32_t keys[MATCH_SHIRT_COUNT];
    for (int32_t j = 0; j < MATCH_SHIRT_COUNT; ++j) {
        keys[j] = w->weight[j] * MATCH_SHIRT_COUNT + MATCH_SHIRT_COUNT - 1 - j;
    }
    w->total = std::accumulate(std::begin(w->weight), std::end(w->weight), 0);
    for (int32_t j = 0; j < MATCH_SHIRT_COUNT; ++j) {
        int32_t before = 0;
        for (const int32_t key : keys) {
            before += key > keys[j];
        }
        w->rank[j] = before;
    }
}

// `count` shared by weight, in whole parts; what the rounding down leaves goes one each to the
// heaviest weights first.
void Share(int32_t count, const ShareWeights& w, int32_t (&out)[MATCH_SHIRT_COUNT])
{
    if (count == 0 || w.total <= 0) {
        std::fill(std::begin(out), std::end(out), 0);
        return;
    }
    int32_t left = count;
    for (int32_t j = 0; j < MATCH_SHIRT_COUNT; ++j) {
        out[j] = count * w.weight[j] / w.total;
        left -= out[j];
    }
    // Each part lost less than 1 to the rounding, so fewer are left than there are weights above
    // 0: none reaches a weight of 0.
    for (int32_t j = 0; j < MATCH_SHIRT_COUNT; ++j) {
        out[j] += w.rank[j] < left;
    }
}

// Each man's passes, completed and astray, go to his team-mates by the minutes they played
// together, twice as many to one of his own line as to one two lines away; a man's passes
// received are his team-mates' completed to him.
void DealPasses(SimSide& side, int32_t endMinute)
{
    int32_t slot[MATCH_SHIRT_COUNT];  // an entry's shirt - 1, its record; -1 out of range
    int32_t line[MATCH_SHIRT_COUNT];
    int32_t end[MATCH_SHIRT_COUNT];
    for (int32_t j = 0; j < MATCH_SHIRT_COUNT; ++j) {
        const int32_t shirt = Entry(side, j).shirt;
        slot[j] = shirt >= 1 && shirt <= MATCH_SHIRT_COUNT ? shirt - 1 : -1;
        line[j] = LineOf(side, j);
        end[j] = EndMinute(side, j, endMinute);
    }
    int32_t completedTo[MATCH_SHIRT_COUNT] = {};  // by the receiver's shirt - 1
    for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
        if (!side.played[k]) continue;
        ShareWeights mates{};
        for (int32_t j = 0; j < MATCH_SHIRT_COUNT; ++j) {
            if (j == k || !side.played[j] || slot[j] < 0) continue;
            const int32_t together =
                std::min(end[k], end[j]) - std::max(side.onMinute[k], side.onMinute[j]);
            const int32_t closeness = 4 - std::abs(line[k] - line[j]);
            mates.weight[slot[j]] = std::max(0, together) * closeness;
        }
        RankWeights(&mates);
        PlayerMatchRecord* r = Record(side, k);
        int32_t completed[MATCH_SHIRT_COUNT], astray[MATCH_SHIRT_COUNT];
        Share(PlayerMatchRecord_Get(*r, PMR_PASSES), mates, completed);
        Share(PlayerMatchRecord_Get(*r, PMR_BAD_PASSES), mates, astray);
        for (int32_t j = 0; j < MATCH_SHIRT_COUNT; ++j) {
            PlayerMatchRecord_SetSpare(r, PMS_PASSES_TO + j, completed[j] + astray[j]);
            PlayerMatchRecord_SetSpare(r, PMS_COMPLETED_TO + j, completed[j]);
            completedTo[j] += completed[j];
        }
    }
    for (int32_t j = 0; j < MATCH_SHIRT_COUNT; ++j) {
        const int32_t received = slot[j] >= 0 ? completedTo[slot[j]] : 0;
        PlayerMatchRecord_SetSpare(Record(side, j), PMS_PASSES_RECEIVED, received);
    }
}

// 60 + Rand() % 21 - 10, + 15 a goal, + 5 an assist, +/- 5 by result, - 15 sent off; 10-99.
void RateAndFinish(SimState& s, int32_t endMinute)
{
    const int32_t score0 = s.sides[0].stats->score;
    const int32_t score1 = s.sides[1].stats->score;
    int32_t bestRating = -1;
    for (int32_t n = 0; n < MATCH_SIDE_COUNT; ++n) {
        SimSide& side = s.sides[n];
        const int32_t diff = n == 0 ? score0 - score1 : score1 - score0;
        const int32_t resultBonus = diff > 0 ? 5 : diff < 0 ? -5 : 0;
        for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
            if (!side.played[k]) continue;
            PlayerMatchRecord* r = Record(side, k);
            const int32_t minutes = EndMinute(side, k, endMinute) - side.onMinute[k];
            PlayerMatchRecord_Set(r, PMR_TIME_ON_PITCH, minutes);
            PlayerMatchRecord_Set(
                r, PMR_FATIGUE, std::min(100, minutes * (130 - Word(side, k, WORD_STAMINA)) / 100));
            PlayerMatchRecord_Set(r, PMR_PASSES, minutes * Word(side, k, WORD_PASSES) / 150);
            PlayerMatchRecord_Set(r, PMR_BAD_PASSES,
                                  minutes * (100 - std::min(100, Word(side, k, WORD_PASSES)))
                                      / 300);
            PlayerMatchRecord_Set(r, PMR_TACKLES, minutes * Word(side, k, WORD_TACKLES) / 400);
            int32_t rating = 60 + Rand() % 21 - 10 + resultBonus;
            rating += 15 * PlayerMatchRecord_Get(*r, PMR_GOALS);
            rating += 5 * PlayerMatchRecord_Get(*r, PMR_ASSISTS);
            if (side.sentOff[k]) rating -= 15;
            rating = std::clamp(rating, 10, 99);
            PlayerMatchRecord_Set(r, PMR_RATING, rating);
            if (rating > bestRating) {
                bestRating = rating;
                s.sides[0].stats->manOfTheMatch = -1;
                s.sides[1].stats->manOfTheMatch = -1;
                side.stats->manOfTheMatch = static_cast<int16_t>(PlayerId(side, k));
            }
        }
        side.stats->totals[MATCH_TOTAL_POSSESSION_TICKS] = side.stats->possession;
        DealPasses(side, endMinute);
    }
}

}  // namespace

bool SimMatch_TieIsLevel(const MatchDayBlock& block, int32_t homeGoals, int32_t awayGoals)
{
    if (block.extraTime != 1 && block.shootOut != 1) return false;
    const int32_t firstHome = std::max<int32_t>(0, block.sides[0].firstLegGoals);
    const int32_t firstAway = std::max<int32_t>(0, block.sides[1].firstLegGoals);
    if (homeGoals + firstHome != awayGoals + firstAway) return false;
    // The home side of a second leg played the first leg away.
    return block.secondLeg != 1 || firstHome == awayGoals;
}

int32_t SimMatch_ExpectedGoals(const MatchDayBlock& block, int32_t side)
{
    SimState s{&block, nullptr, {}};
    for (int32_t n = 0; n < MATCH_SIDE_COUNT; ++n) {
        s.sides[n].sheet = &block.sides[n];
        for (int32_t k = 0; k < MATCH_STARTERS; ++k) {
            if (Present(block.sides[n].entries[k])) s.sides[n].onPitch[s.sides[n].onCount++] = k;
        }
    }
    const Strength strengths[MATCH_SIDE_COUNT] = {StrengthOf(s.sides[0]), StrengthOf(s.sides[1])};
    return ExpectedGoals(block, s.sides, strengths, side);
}

void SimMatch_FixedResult(const MatchDayBlock& block, int32_t homeGoals, int32_t awayGoals,
                          MatchDataBlock* data)
{
    SimMatch_ClearData(data);
    data->sides[0].score = static_cast<int16_t>(homeGoals);
    data->sides[1].score = static_cast<int16_t>(awayGoals);
    for (int32_t n = 0; n < MATCH_SIDE_COUNT; ++n) {
        for (int32_t k = 0; k < MATCH_STARTERS; ++k) {
            if (!Present(block.sides[n].entries[k])) continue;
            PlayerMatchRecord* r = &data->sides[n].players[k];
            PlayerMatchRecord_Set(r, PMR_TIME_ON_PITCH, SIM_FULL_TIME);
            PlayerMatchRecord_Set(r, PMR_RATING, 60);
        }
    }
}

void SimMatch_Play(const MatchDayBlock& block, MatchDataBlock* data)
{
    SimMatch_ClearData(data);
    SimState s{&block, data, {}};
    StartSide(s, 0);
    StartSide(s, 1);
    const Strength strengths[MATCH_SIDE_COUNT] = {StrengthOf(s.sides[0]), StrengthOf(s.sides[1])};
    for (int32_t n = 0; n < MATCH_SIDE_COUNT; ++n) {
        s.sides[n].lambda = ExpectedGoals(block, s.sides, strengths, n);
        s.sides[n].midfield = strengths[n].midfield;
    }
    PlayMinutes(s, 1, SIM_FULL_TIME);
    int32_t end = SIM_FULL_TIME;
    if (block.extraTime == 1
        && SimMatch_TieIsLevel(block, data->sides[0].score, data->sides[1].score)) {
        PlayMinutes(s, SIM_FULL_TIME + 1, SIM_EXTRA_TIME);
        end = SIM_EXTRA_TIME;
    }
    if (block.shootOut == 1
        && SimMatch_TieIsLevel(block, data->sides[0].score, data->sides[1].score))
        ShootOut(s);
    RateAndFinish(s, end);
}
