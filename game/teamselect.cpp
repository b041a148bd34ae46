// game/teamselect.cpp: the computer's team selection, eligibility and the sides' tactics.
#include <algorithm>
#include <array>
#include <bitset>

#include "engine/fatal.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/squad.h"
#include "game/statmodel.h"
#include "game/world.h"

namespace {

enum SelectLine : int32_t { LINE_KEEPER, LINE_DEFENCE, LINE_MIDFIELD, LINE_ATTACK };

// The formations' defenders, midfielders and forwards, as their names count them; the slots of
// every built-in tactic follow in that order after the keeper.
constexpr int32_t FORMATION_SHAPE[TACTIC_FORMATION_COUNT][3] = {
    {4, 4, 2}, {5, 3, 2}, {3, 5, 2}, {4, 3, 3}, {3, 4, 3}, {4, 5, 1}, {5, 4, 1}, {4, 2, 4}};
// The position whose stat-model weights score a line.
constexpr int32_t LINE_POSITION[LINE_COUNT] = {0, 2, 7, 11};
constexpr int32_t BENCH_LINES[] = {LINE_KEEPER, LINE_DEFENCE, LINE_MIDFIELD, LINE_ATTACK};
// Players of one club weighed for a team: far more than any squad holds.
constexpr int32_t CANDIDATE_MAX = 96;

struct Candidate {
    int32_t player;
    int32_t line;
    int32_t side;               // 0 none, 1 left, 2 right, 3 both
    int32_t score[LINE_COUNT];  // fit for a slot of each line
    int32_t leadership;         // "Charisme" + experience: the captain's
    int32_t setPieces;          // "Ballon mort": the takers'
    bool eligible;
    bool taken;
};

int32_t LineOfPosition(int32_t position)
{
    if (position == 0) return LINE_KEEPER;
    if (position <= 4) return LINE_DEFENCE;
    if (position <= 9) return LINE_MIDFIELD;
    return LINE_ATTACK;
}

int32_t NextFixtureOf(int32_t club)
{
    const int32_t rows = Fixture_RowCount();
    for (int32_t row = Fixture_FirstRowOfDay(GameState.dayNo); row < rows; ++row) {
        if ((VTW_GetFixtureHomeClub(row) == club || VTW_GetFixtureAwayClub(row) == club)
            && !Fixture_IsPlayed(row))
            return row;
    }
    return -1;
}

// What a player needs to play the club's next match; built once per club and reused for each
// of its players.
struct Eligibility {
    int32_t club;
    int32_t cup;                          // of the next match, -1 no cup tie
    std::bitset<PERSON_MAX> playedInCup;  // for this club in that cup, this season
};

// A cup-tied bit says he played in that cup this season; for another club, he may not play in it
// again, which the played rows of the club in that cup tell.
void CollectCupPlayers(Eligibility* e)
{
    const int32_t rows = Fixture_RowCount();
    for (int32_t row = 0; row < rows; ++row) {
        if (!Fixture_IsPlayed(row) || VTW_GetCompCup(VTW_GetFixtureCompetition(row)) != e->cup)
            continue;
        for (int32_t away = 0; away < 2; ++away) {
            const int32_t side = away ? VTW_GetFixtureAwayClub(row) : VTW_GetFixtureHomeClub(row);
            if (side != e->club) continue;
            for (int32_t k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
                const int32_t player = Fixture_GetPlayerRow(row, away, k).player;
                if (player >= 0 && player < PERSON_MAX) e->playedInCup.set(player);
            }
        }
    }
}

const Eligibility& EligibilityFor(int32_t club)
{
    static Eligibility e;
    const int32_t row = NextFixtureOf(club);
    e.club = club;
    e.cup = row >= 0 ? std::max(-1, VTW_GetCompCup(VTW_GetFixtureCompetition(row))) : -1;
    e.playedInCup.reset();
    if (e.cup >= 0) CollectCupPlayers(&e);
    return e;
}

bool IsEligible(const Eligibility& e, int32_t player)
{
    const PlayerRef ref = Player_RefForGet(player, "Eligible");
    if (ref.person == nullptr || !Squad_IsMember(player, e.club)) return false;
    // A light player keeps no injuries, suspensions or cup ties: a small club fields all of them.
    if (ref.full == nullptr) return true;
    const PlayerRecord& p = *ref.full;
    if ((p.flags & (PLAYER_INJURED | PLAYER_MISSING)) || p.injuryDays > 0 || p.missingDays > 0
        || p.suspension > 0)
        return false;
    return e.cup < 0 || !(p.cupTied >> e.cup & 1) || e.playedInCup.test(player);
}

int32_t LineScore(const int32_t stats[STAT_COUNT], int32_t line)
{
    const int32_t position = LINE_POSITION[line];
    int32_t score = 0;
    for (int32_t stat = 0; stat < STAT_WEIGHTED; ++stat) {
        score += World.weights.ability[position][stat] * stats[stat];
    }
    return score;
}

Candidate MakeCandidate(int32_t player, const Eligibility& eligibility)
{
    Candidate c{};
    c.player = player;
    c.line = LineOfPosition(VTW_GetPlayerPosition(player));
    c.side = VTW_GetPlayerSide(player);
    c.eligible = IsEligible(eligibility, player);
    int32_t stats[STAT_COUNT];
    Player_GetStats(player, stats);
    c.leadership = stats[STAT_CHARISMA] + VTW_GetPlayerExperiencePercent(player);
    c.setPieces = stats[STAT_SET_PIECES];
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        c.score[line] = LineScore(stats, line);
        if (line != c.line) c.score[line] = c.score[line] * 70 / 100;
    }
    return c;
}

// -1 left wing, 1 right wing, 0 elsewhere: the outer slots of a line of four or more, and of a
// front line of three.
int32_t WingOf(int32_t line, int32_t indexInLine, int32_t lineSize)
{
    const bool wide = lineSize >= 4 || (line == LINE_ATTACK && lineSize == 3);
    if (!wide || line == LINE_KEEPER) return 0;
    if (indexInLine == 0) return -1;
    return indexInLine == lineSize - 1 ? 1 : 0;
}

int32_t SlotScore(const Candidate& c, int32_t line, int32_t wing)
{
    const bool wrongFoot = (wing < 0 && c.side != 1 && c.side != 3) || (wing > 0 && c.side == 1);
    return wrongFoot ? c.score[line] * 90 / 100 : c.score[line];
}

// The best untaken candidate for the slot, eligible ones first; -1 when none is left.
int32_t BestFor(Candidate* candidates, int32_t count, int32_t line, int32_t wing,
                bool allowIneligible)
{
    int32_t best = -1;
    for (int32_t k = 0; k < count; ++k) {
        const Candidate& c = candidates[k];
        if (c.taken || (!c.eligible && !allowIneligible)) continue;
        if (best < 0 || SlotScore(c, line, wing) > SlotScore(candidates[best], line, wing))
            best = k;
    }
    return best;
}

int32_t Formation(int32_t club)
{
    const int32_t manager = Club_GetManager(club);
    const PlayerRef ref = Player_RefForGet(manager, "Formation");
    const int32_t formation = ref.full != nullptr ? ref.full->formation : 0;
    return std::clamp(formation, 0, TACTIC_FORMATION_COUNT - 1);
}

// Among the starters (candidate indices, -1 none), the one with the highest value; -1 none.
int32_t BestStarterBy(const Candidate* candidates, const int32_t picked[MATCH_STARTERS],
                      int32_t Candidate::*value)
{
    int32_t best = -1;
    for (int32_t k = 0; k < MATCH_STARTERS; ++k) {
        const int32_t c = picked[k];
        if (c >= 0 && (best < 0 || candidates[c].*value > candidates[best].*value)) best = c;
    }
    return best < 0 ? -1 : candidates[best].player;
}

void AppointRoles(int32_t club, const Candidate* candidates, const int32_t picked[MATCH_STARTERS])
{
    // A small club keeps no captain or takers.
    const ClubRecord* record = VTW_GetClubRecordPtr(club);
    const int32_t captain = BestStarterBy(candidates, picked, &Candidate::leadership);
    if (captain < 0 || record == nullptr) return;
    // Taking the armband from the whole squad is only needed when it changes hands.
    if (record->captain != captain || !VTW_GetPlayerCaptain(captain)) {
        VTW_ClearSquadCaptains(club, 1);
        VTW_SetClubCaptain(captain);
    }
    const int32_t taker = BestStarterBy(candidates, picked, &Candidate::setPieces);
    VTW_SetClubFreeKickTaker(club, taker);
    VTW_SetClubCornerTaker(club, taker);
    VTW_SetClubPenaltyTaker(club, taker);
}

// The formation's slots in order, each to the best candidate left for it (eligible first).
void PickStarters(int32_t club, Candidate* candidates, int32_t count,
                  int32_t picked[MATCH_STARTERS])
{
    const int32_t* shape = FORMATION_SHAPE[Formation(club)];
    int32_t slot = 0;
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        const int32_t size = line == LINE_KEEPER ? 1 : shape[line - 1];
        for (int32_t k = 0; k < size; ++k, ++slot) {
            const int32_t wing = WingOf(line, k, size);
            int32_t best = BestFor(candidates, count, line, wing, false);
            if (best < 0) best = BestFor(candidates, count, line, wing, true);
            picked[slot] = best;
            if (best >= 0) candidates[best].taken = true;
        }
    }
}

// A keeper, a defender, a midfielder, a forward and the best of the rest, eligible ones only.
void PickBench(Candidate* candidates, int32_t count, int32_t picked[MATCH_BENCH_MAX])
{
    for (int32_t k = 0; k < MATCH_BENCH_MAX; ++k) {
        const int32_t line = k < 4 ? BENCH_LINES[k] : -1;
        int32_t best = -1;
        for (int32_t c = 0; c < count; ++c) {
            const Candidate& cand = candidates[c];
            if (cand.taken || !cand.eligible || (line >= 0 && cand.line != line)) continue;
            const int32_t own = cand.score[cand.line];
            if (best < 0 || own > candidates[best].score[candidates[best].line]) best = c;
        }
        picked[k] = best;
        if (best >= 0) candidates[best].taken = true;
    }
}

}  // namespace

int32_t MatchDay_PlayerEligible(int32_t player, int32_t club)
{
    return IsEligible(EligibilityFor(club), player) ? 1 : 0;
}

void VTW_AISelectTeam(int32_t club)
{
    // A small club (a continental opponent) picks its team too, from its light players.
    const ClubRef ref = Club_RefForGet(club, "SelectTeam");
    if (ref.full == nullptr && ref.small == nullptr) return;
    const int16_t* members = nullptr;
    const int32_t count = std::min(Records_ClubMembers(club, &members), CANDIDATE_MAX);
    const Eligibility& eligibility = EligibilityFor(club);
    Candidate candidates[CANDIDATE_MAX];
    for (int32_t k = 0; k < count; ++k) {
        candidates[k] = MakeCandidate(members[k], eligibility);
    }
    int32_t picked[MATCH_SHIRT_COUNT];  // candidate indices by shirt, -1 none
    PickStarters(club, candidates, count, picked);
    PickBench(candidates, count, picked + MATCH_STARTERS);
    for (int32_t k = 0; k < count; ++k) {
        VTW_SetPlayerShirt(candidates[k].player, 0);
    }
    for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
        if (picked[k] >= 0) VTW_SetPlayerShirt(candidates[picked[k]].player, k + 1);
    }
    AppointRoles(club, candidates, picked);
}

void Club_AISelectTeam(int32_t club) { VTW_AISelectTeam(club); }

namespace {

int32_t CheckTeamSheet(int32_t club, bool takeShirts)
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    const Eligibility& eligibility = EligibilityFor(club);
    int32_t starters = 0;
    int32_t foreigners = 0;
    for (int32_t k = 0; k < count; ++k) {
        const int32_t player = members[k];
        if (!IsEligible(eligibility, player)) {
            if (takeShirts) VTW_SetPlayerShirt(player, 0);
            continue;
        }
        const int32_t shirt = VTW_GetPlayerShirt(player);
        if (shirt < 1 || shirt > MATCH_STARTERS) continue;
        ++starters;
        if (!World.nationalities[VTW_GetPlayerNationality(player)].european) ++foreigners;
    }
    if (starters < MATCH_STARTERS) return 1;
    return foreigners > 3 ? 2 : 0;
}

}  // namespace

int32_t VTW_ClearIneligibleShirts(int32_t club) { return CheckTeamSheet(club, true); }

int32_t VTW_CheckTeamSheet(int32_t club) { return CheckTeamSheet(club, false); }

int32_t Match_SlotPositionCode(int32_t slot, int32_t row, int32_t column)
{
    if (slot == 0) return 0;
    const bool left = row <= 3;
    const bool right = row >= 11;
    if (column <= 5) return left ? 1 : right ? 4 : row < 7 ? 2 : 3;
    if (column <= 11) return left ? 5 : right ? 9 : row < 6 ? 6 : row <= 8 ? 7 : 8;
    return left ? 10 : right ? 12 : 11;
}

void Match_SetupSideTactics(int32_t side, int32_t club)
{
    if (side < 0 || side >= MATCH_SIDE_COUNT)
        FatalError("Match_SetupSideTactics(): bad side %d", side);
    MatchSide& s = GetMatchSidesBlock()->sides[side];
    if (VTW_GetClubController(club) == MANAGER_HUMAN) {
        s.tactic = CurrentTactic;
        s.tacticB = CurrentTacticB;
        std::copy(std::begin(CustomTactics), std::end(CustomTactics), s.tactics);
        return;
    }
    const int32_t manager = Club_GetManager(club);
    const PlayerRef ref = Player_RefForGet(manager, "Tactics");
    const int32_t variant = ref.full != nullptr ? std::clamp<int32_t>(ref.full->variant, 0, 4) : 0;
    s.tactic = static_cast<int16_t>(Formation(club) * TACTIC_VARIANT_COUNT + variant);
    s.tacticB = static_cast<int16_t>(Person_GetTacticB(manager));
    s.tactics[0] = MatchBlocks_BuiltInTactic(s.tactic);
}
