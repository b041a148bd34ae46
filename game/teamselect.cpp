// game/teamselect.cpp: the computer's team selection, eligibility and the sides' tactics.
#include <algorithm>
#include <array>

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
constexpr int32_t kFormationShape[TACTIC_FORMATION_COUNT][3] = {
    {4, 4, 2}, {5, 3, 2}, {3, 5, 2}, {4, 3, 3}, {3, 4, 3}, {4, 5, 1}, {5, 4, 1}, {4, 2, 4}};
// The position whose stat-model weights score a line.
constexpr int32_t kLinePosition[LINE_COUNT] = {0, 2, 7, 11};
constexpr int32_t kBenchLines[] = {LINE_KEEPER, LINE_DEFENCE, LINE_MIDFIELD, LINE_ATTACK};

struct Candidate {
    int32_t player;
    int32_t line;
    int32_t side;               // 0 none, 1 left, 2 right, 3 both
    int32_t score[LINE_COUNT];  // fit for a slot of each line
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
    for (int32_t row = Fixture_FirstRowOfDay(GameState.dayNo); row < Fixture_RowCount(); ++row) {
        if (Fixture_IsPlayed(row)) continue;
        if (VTW_GetFixtureHomeClub(row) == club || VTW_GetFixtureAwayClub(row) == club) return row;
    }
    return -1;
}

int32_t LineScore(int32_t player, int32_t line)
{
    const int32_t position = kLinePosition[line];
    int32_t score = 0;
    for (int32_t stat = 0; stat < STAT_WEIGHTED; ++stat) {
        const int32_t weight = World.weights.ability[position][stat];
        if (weight != 0) score += weight * Player_GetStat(player, stat);
    }
    return score;
}

Candidate MakeCandidate(int32_t player, int32_t club)
{
    Candidate c{};
    c.player = player;
    c.line = LineOfPosition(VTW_GetPlayerPosition(player));
    c.side = VTW_GetPlayerSide(player);
    c.eligible = MatchDay_PlayerEligible(player, club) != 0;
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        c.score[line] = LineScore(player, line);
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

int32_t BestStarterBy(const int32_t starters[MATCH_STARTERS], int32_t (*value)(int32_t))
{
    int32_t best = -1;
    for (int32_t k = 0; k < MATCH_STARTERS; ++k) {
        const int32_t p = starters[k];
        if (p >= 0 && (best < 0 || value(p) > value(best))) best = p;
    }
    return best;
}

int32_t SetPieces(int32_t player) { return Player_GetStat(player, STAT_SET_PIECES); }
int32_t Leadership(int32_t player)
{
    return Player_GetStat(player, STAT_CHARISMA) + VTW_GetPlayerExperiencePercent(player);
}

void AppointRoles(int32_t club, const int32_t starters[MATCH_STARTERS])
{
    const int32_t captain = BestStarterBy(starters, Leadership);
    if (captain < 0) return;
    VTW_ClearSquadCaptains(club, 1);
    VTW_SetClubCaptain(captain);
    const int32_t taker = BestStarterBy(starters, SetPieces);
    VTW_SetClubFreeKickTaker(club, taker);
    VTW_SetClubCornerTaker(club, taker);
    VTW_SetClubPenaltyTaker(club, taker);
}

}  // namespace

int32_t MatchDay_PlayerEligible(int32_t player, int32_t club)
{
    const PlayerRef ref = Player_RefForGet(player, "Eligible");
    if (ref.full == nullptr || !Squad_IsMember(player, club)) return 0;
    const PlayerRecord& p = *ref.full;
    if ((p.flags & (PLAYER_INJURED | PLAYER_MISSING)) || p.injuryDays > 0 || p.missingDays > 0
        || p.suspension > 0)
        return 0;
    const int32_t row = NextFixtureOf(club);
    const int32_t cup = row >= 0 ? VTW_GetCompCup(VTW_GetFixtureCompetition(row)) : -2;
    return cup >= 0 && (p.cupTied >> cup & 1) ? 0 : 1;
}

void VTW_AISelectTeam(int32_t club)
{
    if (VTW_GetClubRecordPtr(club) == nullptr) return;
    VTW_RefreshSquadCount(club);
    Candidate candidates[SQUAD_MAX];
    const int32_t count = SquadList.count;
    for (int32_t k = 0; k < count; ++k) {
        candidates[k] = MakeCandidate(SquadList.players[k], club);
    }
    int32_t shirts[MATCH_SHIRT_COUNT];
    std::fill(std::begin(shirts), std::end(shirts), -1);
    const int32_t* shape = kFormationShape[Formation(club)];
    int32_t slot = 0;
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        const int32_t size = line == LINE_KEEPER ? 1 : shape[line - 1];
        for (int32_t k = 0; k < size; ++k, ++slot) {
            const int32_t wing = WingOf(line, k, size);
            int32_t best = BestFor(candidates, count, line, wing, false);
            if (best < 0) best = BestFor(candidates, count, line, wing, true);
            if (best < 0) continue;
            candidates[best].taken = true;
            shirts[slot] = candidates[best].player;
        }
    }
    for (int32_t k = 0; k < MATCH_BENCH_MAX; ++k) {
        const int32_t line = k < 4 ? kBenchLines[k] : -1;
        int32_t best = -1;
        for (int32_t c = 0; c < count; ++c) {
            const Candidate& cand = candidates[c];
            if (cand.taken || !cand.eligible || (line >= 0 && cand.line != line)) continue;
            const int32_t own = cand.score[cand.line];
            if (best < 0 || own > candidates[best].score[candidates[best].line]) best = c;
        }
        if (best < 0) continue;
        candidates[best].taken = true;
        shirts[MATCH_STARTERS + k] = candidates[best].player;
    }
    for (int32_t k = 0; k < count; ++k) {
        VTW_SetPlayerShirt(candidates[k].player, 0);
    }
    for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
        if (shirts[k] >= 0) VTW_SetPlayerShirt(shirts[k], k + 1);
    }
    AppointRoles(club, shirts);
}

void Club_AISelectTeam(int32_t club) { VTW_AISelectTeam(club); }

int32_t VTW_ClearIneligibleShirts(int32_t club)
{
    VTW_RefreshSquadCount(club);
    int32_t starters = 0;
    int32_t foreigners = 0;
    for (int32_t k = 0; k < SquadList.count; ++k) {
        const int32_t player = SquadList.players[k];
        if (!MatchDay_PlayerEligible(player, club)) {
            VTW_SetPlayerShirt(player, 0);
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
    GetComputerTactics(&s.tactics[0], s.tactic);
}
