// gamecode/substitutions.cpp: the planner, the substitute's choice, the change and the stand-in
// keeper.
#include "gamecode/substitutions.h"

#include <array>
#include <climits>

#include "engine/random.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "gamecode/refill.h"

namespace {

constexpr uint8_t kNobody = 255;
constexpr int32_t kInjuryValue = 100;
constexpr int32_t kInjuryBarFirstPeriod = 60;
constexpr int32_t kInjuryBarLater = 50;
constexpr int32_t kTiredBar = 40;
constexpr int32_t kWeakRoll = 50;
constexpr int32_t kWeakStart = 100;
constexpr int32_t kKeeperCode = 0;

// [position code of the player going off][position code of the candidate]
constexpr std::array<std::array<int8_t, POSITION_CODE_COUNT>, POSITION_CODE_COUNT> kSuitability{{
    {13, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
    {1, 13, 9, 10, 8, 7, 5, 4, 3, 6, 2, 1, 1},
    {1, 9, 13, 7, 10, 8, 6, 4, 3, 2, 5, 1, 1},
    {1, 10, 8, 13, 7, 6, 5, 4, 3, 9, 2, 1, 1},
    {1, 6, 10, 5, 13, 8, 7, 9, 4, 3, 2, 1, 1},
    {1, 4, 3, 5, 6, 13, 10, 9, 8, 7, 2, 1, 1},
    {1, 4, 3, 5, 6, 10, 13, 9, 8, 7, 2, 1, 1},
    {1, 4, 3, 5, 6, 10, 8, 13, 9, 7, 2, 1, 1},
    {1, 1, 1, 2, 3, 10, 8, 9, 13, 7, 5, 6, 4},
    {1, 9, 8, 10, 7, 6, 5, 4, 3, 13, 2, 1, 1},
    {1, 5, 1, 6, 1, 4, 3, 2, 7, 8, 13, 10, 9},
    {1, 5, 1, 6, 1, 4, 3, 2, 7, 8, 9, 13, 10},
    {1, 5, 1, 6, 1, 4, 3, 2, 7, 8, 9, 10, 13},
}};

uint8_t& PlannedOut(int32_t side) { return Match.substitutionPlan[side][0]; }

bool SubstitutionsLeft(int32_t side)
{
    return Match.substitutionCount[side] < Match.substitutesAllowed;
}

bool IsPersonOfSide(int32_t side, int32_t person)
{
    return person >= side * MATCH_PERSONS_PER_SIDE && person < (side + 1) * MATCH_PERSONS_PER_SIDE;
}

bool FreeOnBench(const MatchPerson& p)
{
    return p.matchRating == 0 && p.offPitch != 0 && p.startedOnBench != 0;
}

// `person` -1 asks with nobody planned to go off.
void Ask(int32_t side, int32_t person)
{
    SubstitutionRequest[side] = 1;
    PlannedOut(side) = person < 0 ? kNobody : static_cast<uint8_t>(person);
}

bool FreeBenchKeeper(int32_t side)
{
    for (int32_t s = 0; s < MATCH_PERSONS_PER_SIDE; ++s) {
        const MatchPerson& p = MatchPersons[side * MATCH_PERSONS_PER_SIDE + s];
        if (p.positionClass == kKeeperCode && FreeOnBench(p)) return true;
    }
    return false;
}

// The outfield candidates of the plan, -1 each when there is none.
struct Candidates {
    int32_t injured = -1;
    int32_t tired = -1;
    int32_t weak = -1;
};

Candidates RateOutfield(int32_t side)
{
    Candidates c;
    int32_t mostTired = 0;
    int32_t lowestRating = kWeakStart;
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        const int32_t person = LineUp[side][slot];
        MatchPerson& p = MatchPersons[person];
        if (p.offPitch != 0) continue;
        p.matchRating = static_cast<uint8_t>(Football_GetPlayerRating(0, person));
        if (p.resultByteB != 0) c.injured = person;
        if (p.resultByteA > mostTired) {
            mostTired = p.resultByteA;
            c.tired = person;
        }
        if (p.matchRating < lowestRating) {
            lowestRating = p.matchRating;
            c.weak = person;
        }
    }
    return c;
}

}  // namespace

int32_t Substitution_Suitability(int32_t off, int32_t on)
{
    const bool known = off >= 0 && off < POSITION_CODE_COUNT && on >= 0 && on < POSITION_CODE_COUNT;
    return known ? kSuitability[off][on] : 0;
}

void Team_PlanSubstitution(int32_t side)
{
    PlannedOut(side) = kNobody;
    if (!SubstitutionsLeft(side) || Match.substitutionBlocked[side] != 0) return;
    const Candidates c = RateOutfield(side);
    const int32_t injury = c.injured >= 0 ? kInjuryValue : 0;
    const bool firstPeriod = Match.period == 0;
    // With nobody tired the request stands without a player to take off: the keeper comes on
    // only for a man the tiredness names.
    if (MatchPersons[LineUp[side][0]].positionClass != kKeeperCode && FreeBenchKeeper(side)) {
        Ask(side, c.tired);
        return;
    }
    if (injury > (firstPeriod ? kInjuryBarFirstPeriod : kInjuryBarLater)) {
        Ask(side, c.injured);
    } else if (c.weak >= 0 && !firstPeriod && Rand() % kWeakRoll == c.weak
               && Match.substitutionCount[side] < Match.substitutesAllowed - 1) {
        Ask(side, c.weak);
    } else if (c.tired >= 0 && MatchPersons[c.tired].resultByteA > kTiredBar && !firstPeriod) {
        Ask(side, c.tired);
    }
}

int32_t Team_PickSubstitute(int32_t side, int32_t outgoing)
{
    if (!IsPersonOfSide(side, outgoing)) return -1;
    const int32_t position = MatchPersons[outgoing].positionClass;
    int32_t best = -1;
    int32_t bestScore = -1;
    for (int32_t s = 0; s < MATCH_PERSONS_PER_SIDE; ++s) {
        const int32_t person = side * MATCH_PERSONS_PER_SIDE + s;
        const MatchPerson& p = MatchPersons[person];
        if (!FreeOnBench(p)) continue;
        const int32_t skills = Person_Skill(p, 1) + Person_Skill(p, SKILL_PACE) + Person_Skill(p, 3)
                               + Person_Skill(p, 2);
        const auto score =
            static_cast<int16_t>(skills * Substitution_Suitability(position, p.positionClass));
        if (score >= bestScore) {
            bestScore = score;
            best = person;
        }
    }
    return best;
}

void Team_MakeSubstitution(int32_t side)
{
    const int32_t out = PlannedOut(side);
    const bool planned = IsPersonOfSide(side, out) && MatchPersons[out].offPitch == 0;
    if (planned && SubstitutionsLeft(side) && Match.substitutionBlocked[side] == 0
        && MatchPhase != PHASE_SUBSTITUTION_PAUSE) {
        const int32_t incoming = Team_PickSubstitute(side, out);
        if (incoming >= 0) {
            Football_Substitute(side, incoming % MATCH_PERSONS_PER_SIDE,
                                out % MATCH_PERSONS_PER_SIDE);
            Team_RefillLineup();
        }
    }
    Match.substitutionBlocked[side] = 0;
}

void Team_PickStandInKeeper(int32_t side)
{
    int32_t best = -1;
    int32_t bestScore = INT_MIN;
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        const MatchPerson& p = MatchPersons[LineUp[side][slot]];
        if (p.offPitch != 0) continue;
        const int32_t score = Person_Skill(p, 0) + Person_Skill(p, SKILL_AGILITY);
        if (score >= bestScore) {
            bestScore = score;
            best = LineUp[side][slot];
        }
    }
    if (best < 0) return;
    Football_SwapLineUp(side, best % MATCH_PERSONS_PER_SIDE,
                        LineUp[side][0] % MATCH_PERSONS_PER_SIDE);
}
