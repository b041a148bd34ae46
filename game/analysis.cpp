// game/analysis.cpp: the written analyses of a played match and of a squad, line by line, that the
// match analysis screen shows.
#include "game/analysis.h"

#include <algorithm>
#include <iterator>

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/squad.h"

AnalysisTable AnalysisLines;

namespace {

constexpr int16_t kLineHeading[LINE_COUNT] = {564, 608, 609, 610};  // "Gardien" .. "Attaque"
constexpr int32_t kLineMinimum[LINE_COUNT] = {2, 4, 4, 2};          // a squad's cover per line

// The line of an engine position code: 0 keeper, 1-4 defence, 5-9 midfield, 10-12 attack.
int32_t LineOfCode(int32_t code)
{
    if (code == 0) return 0;
    if (code <= 4) return 1;
    return code <= 9 ? 2 : 3;
}

struct Writer {
    int32_t count = 0;

    void Add(int32_t text, int32_t slot)
    {
        if (count >= ANALYSIS_LINE_MAX) return;
        AnalysisLines.text[count] = static_cast<int16_t>(text);
        AnalysisLines.slot[count] = static_cast<int16_t>(slot);
        ++count;
    }
};

void ClearAnalysis()
{
    std::fill(std::begin(AnalysisLines.text), std::end(AnalysisLines.text), 0);
    std::fill(std::begin(AnalysisLines.slot), std::end(AnalysisLines.slot), -1);
}

// Mean of the values that are not negative; -1 when there is none.
int32_t MeanOf(const int32_t* values, int32_t count)
{
    int32_t sum = 0;
    int32_t n = 0;
    for (int32_t k = 0; k < count; ++k) {
        if (values[k] < 0) continue;
        sum += values[k];
        ++n;
    }
    return n > 0 ? sum / n : -1;
}

// One player's match, and the side's mean rating it is judged against.
struct MatchFacts {
    FixturePlayerRow row;
    int32_t mean;

    int32_t Goals() const { return row.marks & 15; }
    int32_t Card() const  // 1 booked, 2 sent off
    {
        return FixturePlayerRow_SentOff(row) ? 2 : FixturePlayerRow_Booked(row) ? 1 : 0;
    }
};

struct MatchRule {
    bool (*applies)(const MatchFacts&);
    int16_t text;
};

constexpr MatchRule kMatchRules[] = {
    {[](const MatchFacts& f) { return f.row.rating >= f.mean + 10; }, 2903},
    {[](const MatchFacts& f) { return f.row.rating >= f.mean + 5 && f.row.rating < f.mean + 10; },
     2904},
    {[](const MatchFacts& f) { return f.row.rating <= f.mean - 10; }, 2905},
    {[](const MatchFacts& f) { return f.row.rating <= f.mean - 5 && f.row.rating > f.mean - 10; },
     2906},
    {[](const MatchFacts& f) { return f.Goals() == 1; }, 2907},
    {[](const MatchFacts& f) { return f.Goals() >= 2; }, 2908},
    {[](const MatchFacts& f) { return f.row.assists > 0; }, 2909},
    {[](const MatchFacts& f) { return f.Card() == 1; }, 2910},
    {[](const MatchFacts& f) { return f.Card() == 2; }, 2911},
    {[](const MatchFacts& f) { return (f.row.marks >> 6 & 1) != 0; }, 2912},
    {[](const MatchFacts& f) { return (f.row.marks >> 7 & 1) != 0; }, 2913},
    {[](const MatchFacts& f) { return (f.row.role >> 5 & 1) != 0; }, 2914},
};

int32_t LineComment(int32_t lineMean, int32_t mean)
{
    if (lineMean >= mean + 5) return 2900;
    return lineMean <= mean - 5 ? 2901 : 2902;
}

// One player of a squad, his season's mean rating (-1 unrated) and the squad's.
struct SquadFacts {
    int32_t player;
    const PlayerRecord* record;  // null for a light player
    int32_t rating;
    int32_t mean;
};

struct SquadRule {
    bool (*applies)(const SquadFacts&);
    int16_t text;
};

constexpr SquadRule kSquadRules[] = {
    {[](const SquadFacts& f) { return f.rating >= 0 && f.mean >= 0 && f.rating >= f.mean + 8; },
     2923},
    {[](const SquadFacts& f) { return f.rating >= 0 && f.mean >= 0 && f.rating <= f.mean - 8; },
     2924},
    {[](const SquadFacts& f) { return VTW_GetPlayerAge(f.player) >= 33; }, 2925},
    {[](const SquadFacts& f) {
         return f.record != nullptr && VTW_GetPlayerAge(f.player) <= 20
                && f.record->potential >= f.record->ability + 15;
     },
     2926},
    {[](const SquadFacts& f) { return f.record != nullptr && f.record->contractMonths <= 6; },
     2927},
    {[](const SquadFacts& f) { return f.record != nullptr && f.record->fitness < 70; }, 2928},
    {[](const SquadFacts& f) {
         return f.record != nullptr
                && ((f.record->flags & PLAYER_INJURED) != 0 || f.record->injuryDays > 0);
     },
     2929},
    {[](const SquadFacts& f) { return f.record != nullptr && f.record->suspension > 0; }, 2930},
    {[](const SquadFacts& f) { return f.record != nullptr && f.record->disciplinePoints >= 8; },
     2931},
};

int32_t SeasonRating(const PlayerRecord* record)
{
    if (record == nullptr || record->ratedCount == 0) return -1;
    return record->perfSum / record->ratedCount;
}

// The lines with the best and the worst season mean (-1 when fewer than two lines are rated).
void StrongestAndWeakest(const int32_t lineMean[LINE_COUNT], int32_t* best, int32_t* worst)
{
    *best = *worst = -1;
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        if (lineMean[line] < 0) continue;
        if (*best < 0 || lineMean[line] > lineMean[*best]) *best = line;
        if (*worst < 0 || lineMean[line] < lineMean[*worst]) *worst = line;
    }
    if (*best == *worst) *best = *worst = -1;
}

}  // namespace

int32_t VTW_BuildMatchAnalysis(int32_t row)
{
    ClearAnalysis();
    if (row < 0 || row >= Fixture_RowCount() || !Fixture_IsPlayed(row)) return 0;
    const int32_t side =
        GameState.humanClub >= 0 && VTW_GetFixtureAwayClub(row) == GameState.humanClub ? 1 : 0;
    FixturePlayerRow players[FIXTURE_SIDE_PLAYERS];
    int32_t ratings[FIXTURE_SIDE_PLAYERS];
    for (int32_t k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
        players[k] = Fixture_GetPlayerRow(row, side, k);
        ratings[k] = players[k].player >= 0 ? players[k].rating : -1;
    }
    const int32_t mean = MeanOf(ratings, FIXTURE_SIDE_PLAYERS);
    Writer out;
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        int32_t lineRatings[FIXTURE_SIDE_PLAYERS];
        for (int32_t k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
            lineRatings[k] = LineOfCode(players[k].role & 15) == line ? ratings[k] : -1;
        }
        const int32_t lineMean = MeanOf(lineRatings, FIXTURE_SIDE_PLAYERS);
        if (lineMean < 0) continue;
        out.Add(kLineHeading[line], -1);
        out.Add(LineComment(lineMean, mean), -1);
        for (int32_t k = 0; k < FIXTURE_SIDE_PLAYERS; ++k) {
            const int32_t shirt = lineRatings[k] >= 0 ? VTW_GetPlayerShirt(players[k].player) : 0;
            if (shirt < 1) continue;  // the screen names a player by his shirt
            const MatchFacts facts{players[k], mean};
            for (const MatchRule& rule : kMatchRules) {
                if (rule.applies(facts)) out.Add(rule.text, shirt - 1);
            }
        }
    }
    return out.count;
}

int32_t VTW_BuildSquadAnalysis(int32_t club)
{
    ClearAnalysis();
    const int32_t count = VTW_RefreshSquadCount(club);
    int32_t lines[SQUAD_MAX];
    int32_t ratings[SQUAD_MAX];
    int32_t lineCount[LINE_COUNT] = {};
    for (int32_t k = 0; k < count; ++k) {
        const int32_t player = SquadList.players[k];
        lines[k] = VTW_GetPositionLine(player);
        ratings[k] = SeasonRating(Player_RefForGet(player, "Analysis").full);
        if (lines[k] < LINE_COUNT) ++lineCount[lines[k]];
    }
    int32_t lineMean[LINE_COUNT];
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        int32_t inLine[SQUAD_MAX];
        for (int32_t k = 0; k < count; ++k) {
            inLine[k] = lines[k] == line ? ratings[k] : -1;
        }
        lineMean[line] = MeanOf(inLine, count);
    }
    int32_t best = -1;
    int32_t worst = -1;
    StrongestAndWeakest(lineMean, &best, &worst);
    const int32_t mean = MeanOf(ratings, count);
    Writer out;
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        out.Add(kLineHeading[line], -1);
        if (lineCount[line] < kLineMinimum[line]) {
            out.Add(2920, -1);
        } else if (line == best || line == worst) {
            out.Add(line == best ? 2921 : 2922, -1);
        }
        for (int32_t k = 0; k < count; ++k) {
            if (lines[k] != line) continue;
            const int32_t player = SquadList.players[k];
            const SquadFacts facts{player, Player_RefForGet(player, "Analysis").full, ratings[k],
                                   mean};
            for (const SquadRule& rule : kSquadRules) {
                if (rule.applies(facts)) out.Add(rule.text, k);
            }
        }
    }
    return out.count;
}
