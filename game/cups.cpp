// game/cups.cpp: cup ties: the draw of each round onto its reserved dates, who goes through
// (aggregate, away goals, the shoot-out) and the league play-offs.
#include <algorithm>
#include <array>

#include "engine/fatal.h"
#include "engine/random.h"
#include "game/fixtures.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/tables.h"
#include "game/world.h"

namespace {

constexpr std::array<int32_t, 3> kPlayOffOffset = {4, 7, 14};  // after the last league day

const char* CompLabel(int32_t comp)
{
    constexpr std::array<const char*, CUP_COUNT> kCups = {
        "national cup 1",         "national cup 2",        "national cup 3", "national cup 4",
        "second continental cup", "third continental cup", "champions' cup"};
    if (comp == COMP_LEAGUE) return "league";
    if (comp < COMP_SUPER_CUP) return "play-offs";
    if (comp == COMP_SUPER_CUP) return "super cup";
    const int32_t cup = VTW_GetCompCup(comp);
    return cup >= 0 ? kCups[cup] : "friendly";
}

int32_t RoundOf(int32_t comp) { return VTW_GetCompRound(comp) < 0 ? 0 : VTW_GetCompRound(comp); }

// Whether every row of the two competitions is played; `any` tells whether there was one.
bool EveryRowPlayed(int32_t firstComp, int32_t secondComp, bool* any)
{
    *any = false;
    const int32_t used = Fixture_RowCount();
    for (int32_t row = 0; row < used; ++row) {
        const int32_t comp = VTW_GetFixtureCompetition(row);
        if (comp != firstComp && comp != secondComp) continue;
        *any = true;
        if (!Fixture_IsPlayed(row)) return false;
    }
    return true;
}

bool CompHasRows(int32_t comp)
{
    const int32_t used = Fixture_RowCount();
    for (int32_t row = 0; row < used; ++row) {
        if (VTW_GetFixtureCompetition(row) == comp) return true;
    }
    return false;
}

int32_t FindRow(int32_t comp, int32_t home, int32_t away)
{
    const int32_t used = Fixture_RowCount();
    for (int32_t row = 0; row < used; ++row) {
        if (VTW_GetFixtureCompetition(row) == comp && VTW_GetFixtureHomeClub(row) == home
            && VTW_GetFixtureAwayClub(row) == away)
            return row;
    }
    return -1;
}

// The winner of a tie: aggregate, then away goals when the tie had two legs, then the shoot-out
// of its last match.
int32_t TieWinner(int32_t first, int32_t second)
{
    const int32_t a = VTW_GetFixtureHomeClub(first);
    const int32_t b = VTW_GetFixtureAwayClub(first);
    const int32_t aGoals =
        VTW_GetFixtureHomeGoals(first) + (second >= 0 ? VTW_GetFixtureAwayGoals(second) : 0);
    const int32_t bGoals =
        VTW_GetFixtureAwayGoals(first) + (second >= 0 ? VTW_GetFixtureHomeGoals(second) : 0);
    if (aGoals != bGoals) return aGoals > bGoals ? a : b;
    if (second >= 0 && VTW_GetFixtureAwayGoals(second) != VTW_GetFixtureAwayGoals(first))
        return VTW_GetFixtureAwayGoals(second) > VTW_GetFixtureAwayGoals(first) ? a : b;
    const int32_t last = second >= 0 ? second : first;
    if (!Fixture_GetPenalties(last))
        FatalError("VTW_FindCompNextRound(): the tie of clubs %d and %d is undecided", a, b);
    return Fixture_GetShootOutAwayWon(last) ? VTW_GetFixtureAwayClub(last)
                                            : VTW_GetFixtureHomeClub(last);
}

// Marks the loser of every tie of the round out of the cup.
void SettleTies(int32_t cup, int32_t firstComp, bool twoLegs)
{
    const int32_t used = Fixture_RowCount();
    for (int32_t row = 0; row < used; ++row) {
        if (VTW_GetFixtureCompetition(row) != firstComp) continue;
        const int32_t home = VTW_GetFixtureHomeClub(row);
        const int32_t away = VTW_GetFixtureAwayClub(row);
        const int32_t second = twoLegs ? FindRow(firstComp + COMP_SECOND_LEG, away, home) : -1;
        if (twoLegs && second < 0)
            FatalError("VTW_FindCompNextRound(): competition %d has no second leg of %d v %d",
                       firstComp, home, away);
        // The tie decides who goes on, whatever a crafted save left in the flags: a winner who
        // was not marked would leave the next round's field odd.
        const int32_t winner = TieWinner(row, second);
        CupSchedule.alive[cup][winner] = 1;
        CupSchedule.alive[cup][winner == home ? away : home] = 0;
    }
}

// Group order: points, goal difference, goals for, then the draw order.
void SettleGroups()
{
    for (const auto& group : CupSchedule.groups) {
        std::array<std::array<int32_t, 3>, CHAMPIONS_GROUP_SIZE> score{};  // points, diff, for
        const int32_t used = Fixture_RowCount();
        for (int32_t row = 0; row < used; ++row) {
            if (VTW_GetFixtureCompetition(row) != COMP_CHAMPIONS_GROUPS) continue;
            const int32_t h = VTW_GetFixtureHomeGoals(row);
            const int32_t a = VTW_GetFixtureAwayGoals(row);
            for (int32_t k = 0; k < CHAMPIONS_GROUP_SIZE; ++k) {
                const bool home = group[k] == VTW_GetFixtureHomeClub(row);
                if (!home && group[k] != VTW_GetFixtureAwayClub(row)) continue;
                const int32_t scored = home ? h : a;
                const int32_t conceded = home ? a : h;
                score[k][0] += scored > conceded ? 3 : scored == conceded ? 1 : 0;
                score[k][1] += scored - conceded;
                score[k][2] += scored;
            }
        }
        std::array<int32_t, CHAMPIONS_GROUP_SIZE> order = {0, 1, 2, 3};
        std::stable_sort(order.begin(), order.end(),
                         [&](int32_t x, int32_t y) { return score[x] > score[y]; });
        CupSchedule.alive[CUP_CHAMPIONS][group[order[2]]] = 0;
        CupSchedule.alive[CUP_CHAMPIONS][group[order[3]]] = 0;
    }
}

int32_t CupNextRound(int32_t comp)
{
    const int32_t cup = VTW_GetCompCup(comp);
    const int32_t round = VTW_GetCompRound(comp);
    if (CupSchedule.finalRound[cup] < 0 || round >= CupSchedule.finalRound[cup]) return -1;
    const int32_t firstComp = Fixture_CupComp(cup, round, 0);
    bool any = false;
    if (!EveryRowPlayed(firstComp, firstComp + COMP_SECOND_LEG, &any) || !any) return -1;
    const int32_t next = Fixture_CupComp(cup, round + 1, 0);
    if (CompHasRows(next)) return next;
    if (firstComp == COMP_CHAMPIONS_GROUPS) {
        SettleGroups();
    } else {
        SettleTies(cup, firstComp, Fixture_RoundLegs(cup, round) == 2);
    }
    Cup_DrawField(cup, round + 1);
    return next;
}

bool PlaysSuperCup(int32_t club)
{
    const int32_t used = Fixture_RowCount();
    for (int32_t row = 0; row < used; ++row) {
        if (VTW_GetFixtureCompetition(row) == COMP_SUPER_CUP && !Fixture_IsPlayed(row)
            && (VTW_GetFixtureHomeClub(row) == club || VTW_GetFixtureAwayClub(row) == club))
            return true;
    }
    return false;
}

// Semi-finals over competitions 1 and 2, the final (3) between each division's two winners.
int32_t PlayOffNextRound()
{
    bool any = false;
    if (!EveryRowPlayed(COMP_PLAYOFF_FIRST, COMP_PLAYOFF_SECOND, &any) || !any) return -1;
    if (CompHasRows(COMP_PLAYOFF_FINAL)) return COMP_PLAYOFF_FINAL;
    for (int32_t division = 0; division < DIVISION_MAX; ++division) {
        if (!VTW_HasDivisionEntry(division)) continue;
        int32_t winners[2];
        for (int32_t tie = 0; tie < 2; ++tie) {
            // 1st v 4th and 2nd v 3rd; the lower-placed club is at home first.
            const int32_t higher = VTW_GetDivisionHonourClub(division, tie);
            const int32_t lower = VTW_GetDivisionHonourClub(division, 3 - tie);
            winners[tie] = TieWinner(FindRow(COMP_PLAYOFF_FIRST, lower, higher),
                                     FindRow(COMP_PLAYOFF_SECOND, higher, lower));
        }
        Fixture_InsertScheduled(Fixture_PlayOffDay(COMP_PLAYOFF_FINAL), COMP_PLAYOFF_FINAL,
                                winners[0], winners[1], 1);
    }
    return COMP_PLAYOFF_FINAL;
}

}  // namespace

int32_t Cup_TieWinner(int32_t first, int32_t second) { return TieWinner(first, second); }

int32_t Fixture_InsertScheduled(int32_t day, int32_t comp, int32_t home, int32_t away,
                                int32_t neutral)
{
    if (Fixture_RowCount() >= FIXTURE_ROWS) FatalError("InsertFixture(): fixture table full");
    const int32_t row = VTW_InsertFixture(day, comp, home, away);
    if (row < 0)
        FatalError("Season_GenerateFixtures(): cannot place %s round %d", CompLabel(comp),
                   RoundOf(comp));
    Fixture_SetNeutral(row, neutral);
    return row;
}

int32_t Cup_FinalRound(int32_t cup)
{
    constexpr std::array<int32_t, 3> kContinentalFinal = {5, 4, 4};  // cups 4, 5, 6
    if (cup >= CUP_SECOND && cup < CUP_COUNT) return kContinentalFinal[cup - CUP_SECOND];
    if (cup < 0 || cup >= VTW_GetCountryCupCount()) return -1;
    // Round 0 brings the league clubs down to the largest power of two below their number.
    int32_t field = 1;
    int32_t rounds = 0;
    while (field * 2 < World_LeagueClubCount(GameState.country)) {
        field *= 2;
        ++rounds;
    }
    return rounds;
}

int32_t Fixture_RoundLegs(int32_t cup, int32_t round)
{
    if (round >= Cup_FinalRound(cup)) return 1;
    if (cup < CUP_NATIONAL_MAX) return CupRules(GameState.country, cup, round) == 2 ? 2 : 1;
    return cup == CUP_CHAMPIONS && round == 0 ? 1 : 2;
}

void Cup_DrawClubs(int32_t cup, int32_t round, int16_t* clubs, int32_t count)
{
    if (count % 2 != 0)
        FatalError("Cup_DrawClubs(): an odd field of %d clubs in cup %d round %d", count, cup,
                   round);
    for (int32_t i = count - 1; i > 0; --i) {
        std::swap(clubs[i], clubs[Rand() % (i + 1)]);
    }
    const int32_t legs = Fixture_RoundLegs(cup, round);
    const bool final = round == CupSchedule.finalRound[cup];
    for (int32_t k = 0; k + 1 < count; k += 2) {
        for (int32_t leg = 0; leg < legs; ++leg) {
            const int32_t home = clubs[k + leg];
            const int32_t away = clubs[k + 1 - leg];
            Fixture_InsertScheduled(CupSchedule.roundDay[cup][round][leg],
                                    Fixture_CupComp(cup, round, leg), home, away, final);
        }
    }
}

bool Cup_HasClub(int32_t cup, int32_t club)
{
    return cup >= 0 && cup < CUP_COUNT && club >= 0 && club < CLUB_ID_COUNT
           && CupSchedule.alive[cup][club] != 0;
}

void Cup_DrawField(int32_t cup, int32_t round)
{
    int16_t clubs[CLUB_ID_COUNT];
    int32_t count = 0;
    for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
        if (Cup_HasClub(cup, club)) clubs[count++] = static_cast<int16_t>(club);
    }
    Cup_DrawClubs(cup, round, clubs, count);
}

int32_t Cup_ClubCupTexts(int32_t club, int32_t texts[CUP_CLUB_CUPS_MAX])
{
    int32_t count = 0;
    const auto add = [&](int32_t text) {
        if (count < CUP_CLUB_CUPS_MAX) texts[count++] = text;
    };
    for (int32_t cup = 0; cup < CUP_NATIONAL_MAX; ++cup) {
        if (Cup_HasClub(cup, club)) add(VTW_GetCountryTextNo(cup));
    }
    if (PlaysSuperCup(club)) {
        int32_t stage = -1, leg = -1;
        add(VTW_BuildTable668(COMP_SUPER_CUP, &stage, &leg));
    }
    for (int32_t cup = CUP_NATIONAL_MAX; cup < CUP_COUNT; ++cup) {
        if (Cup_HasClub(cup, club)) add(VTW_GetCountryTextNo(cup));
    }
    return count;
}

int32_t VTW_FindCompNextRound(int32_t comp)
{
    if (comp == COMP_PLAYOFF_FIRST || comp == COMP_PLAYOFF_SECOND) return PlayOffNextRound();
    if (VTW_GetCompCup(comp) < 0) return -1;
    return CupNextRound(comp);
}

int32_t Fixture_PlayOffDay(int32_t comp)
{
    if (comp < COMP_PLAYOFF_FIRST || comp > COMP_PLAYOFF_FINAL)
        FatalError("Fixture_PlayOffDay(): %d is not a play-off competition", comp);
    return GameState.lastLeagueDay + kPlayOffOffset[comp - COMP_PLAYOFF_FIRST];
}

void Season_DrawPlayOffs()
{
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        if (PromotionCounts(GameState.country, division, 2) <= 0) continue;
        const int32_t first = PromotionCounts(GameState.country, division, 0);
        int16_t clubs[HONOURS_PLAYOFF_CLUBS];
        for (int32_t k = 0; k < HONOURS_PLAYOFF_CLUBS; ++k) {
            clubs[k] = static_cast<int16_t>(VTW_GetDivisionSlot(division, first + k));
        }
        if (clubs[3] < 0) continue;
        Honours_SetPlayOffClubs(division, clubs);
        for (int32_t tie = 0; tie < 2; ++tie) {
            const int32_t higher = clubs[tie];
            const int32_t lower = clubs[3 - tie];
            Fixture_InsertScheduled(Fixture_PlayOffDay(COMP_PLAYOFF_FIRST), COMP_PLAYOFF_FIRST,
                                    lower, higher, 0);
            Fixture_InsertScheduled(Fixture_PlayOffDay(COMP_PLAYOFF_SECOND), COMP_PLAYOFF_SECOND,
                                    higher, lower, 0);
        }
    }
}
