// tests/support/strength.cpp: the statistical simulation's own measure of a club's strength before
// a season, and the rank correlation that the season checks compare it with.
#include "tests/support/strength.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/simmatch.h"
#include "game/tables.h"

void RowExpectedGoals(int32_t row, int32_t out[2])
{
    SetupFixture(row);
    out[0] = SimMatch_ExpectedGoals(*GetMatchSidesBlock(), 0);
    out[1] = SimMatch_ExpectedGoals(*GetMatchSidesBlock(), 1);
}

std::vector<ClubStrength> DivisionStrengths(int32_t division)
{
    std::vector<ClubStrength> clubs;
    for (int32_t place = 0; place < VTW_GetDivisionSize(division); ++place) {
        clubs.push_back({VTW_GetDivisionSlot(division, place), 0.0});
    }
    std::sort(clubs.begin(), clubs.end(),
              [](const ClubStrength& a, const ClubStrength& b) { return a.club < b.club; });
    std::vector<int32_t> rows(clubs.size(), 0);
    const auto indexOf = [&clubs](int32_t club) {
        const auto at = std::find_if(clubs.begin(), clubs.end(),
                                     [club](const ClubStrength& c) { return c.club == club; });
        return at - clubs.begin();
    };
    for (int32_t row = 0; row < Fixture_RowCount(); ++row) {
        const int32_t home = VTW_GetFixtureHomeClub(row);
        if (VTW_GetFixtureCompetition(row) != COMP_LEAGUE || VTW_GetClubDivision(home) != division)
            continue;
        int32_t goals[2];
        RowExpectedGoals(row, goals);
        const auto h = indexOf(home);
        const auto a = indexOf(VTW_GetFixtureAwayClub(row));
        clubs[h].strength += goals[0] - goals[1];
        clubs[a].strength += goals[1] - goals[0];
        ++rows[h];
        ++rows[a];
    }
    for (size_t k = 0; k < clubs.size(); ++k) {
        clubs[k].strength /= std::max(1, rows[k]) * 100.0;
    }
    std::stable_sort(clubs.begin(), clubs.end(), [](const ClubStrength& a, const ClubStrength& b) {
        return a.strength > b.strength;
    });
    return clubs;
}

namespace {

// 1-based ranks, ties at the average of the ranks they share.
std::vector<double> Ranks(const std::vector<double>& values)
{
    std::vector<size_t> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&values](size_t a, size_t b) { return values[a] < values[b]; });
    std::vector<double> ranks(values.size());
    for (size_t first = 0; first < order.size();) {
        size_t last = first;
        while (last + 1 < order.size() && values[order[last + 1]] == values[order[first]]) {
            ++last;
        }
        for (size_t k = first; k <= last; ++k) {
            ranks[order[k]] = (first + last) / 2.0 + 1;
        }
        first = last + 1;
    }
    return ranks;
}

}  // namespace

double RankCorrelation(const std::vector<double>& a, const std::vector<double>& b)
{
    const std::vector<double> ra = Ranks(a);
    const std::vector<double> rb = Ranks(b);
    const double mean = (a.size() + 1) / 2.0;
    double covariance = 0, varianceA = 0, varianceB = 0;
    for (size_t k = 0; k < a.size(); ++k) {
        covariance += (ra[k] - mean) * (rb[k] - mean);
        varianceA += (ra[k] - mean) * (ra[k] - mean);
        varianceB += (rb[k] - mean) * (rb[k] - mean);
    }
    return covariance / std::sqrt(varianceA * varianceB);
}
