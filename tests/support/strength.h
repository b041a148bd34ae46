// tests/support/strength.h: the statistical simulation's own measure of a club's strength before
// a season, and the rank correlation that the season checks compare it with.
#pragma once

#include <cstdint>
#include <vector>

// Expected goals, in hundredths, of the home and away side of `row`, read from the block that
// SetupFixture builds for it. Setting a row up draws random numbers and picks the clubs' teams:
// measure on a copy of the career, never on the one that is played on.
void RowExpectedGoals(int32_t row, int32_t out[2]);

struct ClubStrength {
    int32_t club;
    double strength;  // mean, over its league rows, of its expected goals minus its opponent's
};

// Every club of `division` with its strength over the league rows of the season, strongest
// first (ties in club order).
std::vector<ClubStrength> DivisionStrengths(int32_t division);

// Spearman's rank correlation of two series of equal length (at least 2); tied values take the
// average of their ranks.
double RankCorrelation(const std::vector<double>& a, const std::vector<double>& b);
