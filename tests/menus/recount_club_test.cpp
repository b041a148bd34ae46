// tests/menus/recount_club_test.cpp: the club's matches, its records and the cards of its
// miscellaneous statistics, after a season the simulation played, held against the same figures
// counted again from the fixture table's rows.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "menus/clubmatches.h"
#include "menus/clubrecords.h"
#include "menus/miscstats.h"
#include "tests/support/recount.h"

namespace {

constexpr int32_t TEXT_HOME = 102;
constexpr int32_t TEXT_AWAY = 103;

// The rows of the club's competitive matches played before today, in table order.
std::vector<const PlayedRow*> MatchesPlayed(const PlayedRows& rows, int32_t club)
{
    std::vector<const PlayedRow*> played;
    for (const PlayedRow& row : rows) {
        if (row.day < DayNo && row.Competitive() && row.SideOf(club) >= 0) played.push_back(&row);
    }
    return played;
}

std::string Date(int32_t day)
{
    int32_t dayOfMonth = 0, month = 0, weekday = 0;
    VTW_SeasonDayToDate(day, &dayOfMonth, &month, &weekday);
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d", dayOfMonth, month);
    return text;
}

void ExpectColumnIsTheRow(const ClubMatchesColumn& column, const PlayedRow& row, int32_t club)
{
    const int32_t side = row.SideOf(club);
    EXPECT_EQ(column.row, row.index);
    EXPECT_EQ(column.away, side);
    EXPECT_EQ(column.venueText, side == 0 ? TEXT_HOME : TEXT_AWAY);
    EXPECT_EQ(column.opponentText, VTW_ClubNameTextNo(VTW_GetTeam(row.clubs[1 - side])));
    EXPECT_EQ(column.goals[0], row.goals[side]);
    EXPECT_EQ(column.goals[1], row.goals[1 - side]);
    EXPECT_EQ(column.date, Date(row.day));
    EXPECT_EQ(column.crowd, std::string(VTW_FormatThousands(row.attendance)));
}

// A club's record of a kind as the screen's row shows it.
std::string RecordShown(int32_t label)
{
    for (const ClubRecordsRow& row : ClubRecords.records) {
        if (row.label == label) return row.text;
    }
    ADD_FAILURE() << "no record row labelled " << label;
    return "";
}

// The first match that beats every earlier one by `key`, as a record does.
template <typename Key>
const PlayedRow* RecordMatch(const PlayedRows& rows, int32_t club, Key key)
{
    const PlayedRow* best = nullptr;
    for (const PlayedRow& row : rows) {
        if (!row.Played() || row.SideOf(club) < 0 || !key(row, row.SideOf(club))) continue;
        if (best == nullptr || *key(row, row.SideOf(club)) > *key(*best, best->SideOf(club)))
            best = &row;
    }
    return best;
}

std::string StartOf(const std::string& text, size_t length) { return text.substr(0, length); }

std::string ClubName(int32_t club) { return VTW_FormatClubName(VTW_GetTeam(club)); }

std::string ScoreAgainst(const PlayedRow& row, int32_t club)
{
    const int32_t side = row.SideOf(club);
    char text[96];
    std::snprintf(text, sizeof text, "%d-%d %s", row.goals[side], row.goals[1 - side],
                  ClubName(row.clubs[1 - side]).c_str());
    return text;
}

// Cards of the club's players, or of its opponents' (`against`), in its league matches played
// at a venue: [bookings, sendings-off], and the matches.
struct VenueCards {
    int32_t matches = 0;
    int32_t booked = 0;
    int32_t sentOff = 0;
};
VenueCards LeagueCards(const PlayedRows& rows, int32_t club, int32_t venue, bool against)
{
    VenueCards cards;
    for (const PlayedRow& row : rows) {
        if (row.competition != COMP_LEAGUE || !row.Played() || row.day >= DayNo) continue;
        if (row.SideOf(club) != venue) continue;
        ++cards.matches;
        for (const FixturePlayerRow& p : row.players[against ? 1 - venue : venue]) {
            if (p.player < 0) continue;
            cards.booked += MarkedCards(p) == 1;
            cards.sentOff += MarkedCards(p) == 2;
        }
    }
    return cards;
}

// Hundredths per match, as the screen keeps its averages; the count itself without a match.
int32_t PerMatch(int32_t count, int32_t matches)
{
    return matches == 0 ? count * 100 : static_cast<int32_t>(std::lrint(count * 100.0 / matches));
}

}  // namespace

// As the league ends, the club's matches three at a time from the latest back to the first:
// every competitive match it played before today once, in order, each with its venue, opponent,
// score from its side, date and crowd.
TEST(RecountClub, TheClubsMatchesAreItsRowsPlayed)
{
    ScopedRecountedSeason season(SeasonMoment::LeagueOver);
    const int32_t human = season.HumanClub();
    const std::vector<const PlayedRow*> played = MatchesPlayed(season.Rows(), human);
    ASSERT_GT(played.size(), 20u);
    GameState.currentClub = static_cast<int16_t>(human);
    season.Screen().Run(ClubMatches_Table(), [] {});
    ASSERT_EQ(ClubMatches.count, static_cast<int32_t>(played.size()));
    std::vector<bool> seen(played.size());
    do {
        for (int32_t c = 0; c < CLUB_MATCHES_COLUMNS; ++c) {
            const size_t index = static_cast<size_t>(ClubMatches.first + c);
            SCOPED_TRACE(index);
            ExpectColumnIsTheRow(ClubMatches.columns[c], *played[index], human);
            seen[index] = true;
        }
    } while (ClubMatches_Earlier() != 1);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), false), 0);
}

// As the league ends, the club's records of its first season: the biggest win and defeat, the
// largest and the smallest league crowd at home, the most goals of one player in a match, and
// the season's league points, league goals and disciplinary points.
TEST(RecountClub, TheClubsRecordsAreItsBestRowsPlayed)
{
    ScopedRecountedSeason season(SeasonMoment::LeagueOver);
    const PlayedRows& rows = season.Rows();
    const int32_t human = season.HumanClub();
    GameState.currentClub = static_cast<int16_t>(human);
    season.Screen().Run(ClubRecords_Table(), [] {});

    using Key = std::optional<std::pair<int32_t, int32_t>>;
    const PlayedRow* win = RecordMatch(rows, human, [](const PlayedRow& r, int32_t s) -> Key {
        if (r.goals[s] <= r.goals[1 - s]) return std::nullopt;
        return std::make_pair(r.goals[s] - r.goals[1 - s], r.goals[s]);
    });
    const PlayedRow* defeat = RecordMatch(rows, human, [](const PlayedRow& r, int32_t s) -> Key {
        if (r.goals[s] >= r.goals[1 - s]) return std::nullopt;
        return std::make_pair(r.goals[1 - s] - r.goals[s], r.goals[1 - s]);
    });
    const PlayedRow* crowd = RecordMatch(rows, human, [](const PlayedRow& r, int32_t s) -> Key {
        if (s != 0) return std::nullopt;
        return std::make_pair(r.attendance, 0);
    });
    const PlayedRow* lowCrowd = RecordMatch(rows, human, [](const PlayedRow& r, int32_t s) -> Key {
        if (s != 0 || r.competition != COMP_LEAGUE) return std::nullopt;
        return std::make_pair(-r.attendance, 0);
    });
    ASSERT_TRUE(win && defeat && crowd && lowCrowd);
    const std::string winText = ScoreAgainst(*win, human);
    EXPECT_EQ(StartOf(RecordShown(558), winText.size()), winText);
    const std::string defeatText = ScoreAgainst(*defeat, human);
    EXPECT_EQ(StartOf(RecordShown(559), defeatText.size()), defeatText);
    const std::string crowdText =
        std::to_string(crowd->attendance) + " " + ClubName(crowd->clubs[1]);
    EXPECT_EQ(StartOf(RecordShown(555), crowdText.size()), crowdText);
    const std::string lowText =
        std::to_string(lowCrowd->attendance) + " " + ClubName(lowCrowd->clubs[1]);
    EXPECT_EQ(StartOf(RecordShown(1847), lowText.size()), lowText);

    // The most goals one player scored in a match: his name, then the count.
    int32_t mostGoals = 0;
    std::vector<int32_t> scorers;
    for (const PlayedRow& row : rows) {
        const int32_t side = row.SideOf(human);
        if (!row.Played() || side < 0) continue;
        for (const FixturePlayerRow& p : row.players[side]) {
            if (p.player < 0 || MarkedGoals(p) < mostGoals) continue;
            if (MarkedGoals(p) > mostGoals) scorers.clear();
            mostGoals = MarkedGoals(p);
            scorers.push_back(p.player);
        }
    }
    ASSERT_GT(mostGoals, 0);
    const std::string matchGoals = RecordShown(1846);
    bool named = false;
    for (const int32_t scorer : scorers) {
        const std::string text =
            std::string(VTW_FormatPersonName(scorer)) + " " + std::to_string(mostGoals) + " ";
        named = named || StartOf(matchGoals, text.size()) == text;
    }
    EXPECT_TRUE(named) << matchGoals;

    const LeagueTally league = TallyLeague(rows, human);
    const auto seasonFigure = [](int32_t value) { return std::to_string(value) + " "; };
    EXPECT_EQ(StartOf(RecordShown(1848), seasonFigure(league.points).size()),
              seasonFigure(league.points));
    const int32_t goals = league.goalsFor[0] + league.goalsFor[1];
    EXPECT_EQ(StartOf(RecordShown(1849), seasonFigure(goals).size()), seasonFigure(goals));
    const int32_t dispoints = 3 * TallyDispoints(rows, human);
    EXPECT_EQ(StartOf(RecordShown(1842), seasonFigure(dispoints).size()), seasonFigure(dispoints));
}

// As the league ends, the cards of the miscellaneous statistics per league match at each venue,
// the club's and its opponents': the sendings-off are the rows' players sent off; the bookings
// at least those booked and not sent off, and at most one more for each sent off (his first
// yellow card, when a second one sent him off).
TEST(RecountClub, TheCardsPerMatchAreTheLeagueRowsCards)
{
    ScopedRecountedSeason season(SeasonMoment::LeagueOver);
    const int32_t human = season.HumanClub();
    MiscStats_Fill(human);
    int32_t cards = 0;
    for (int32_t group = 0; group < 2; ++group) {
        for (int32_t venue = 0; venue < 2; ++venue) {
            SCOPED_TRACE(group * 2 + venue);
            const VenueCards c = LeagueCards(season.Rows(), human, venue, group == SEASON_AGAINST);
            ASSERT_GT(c.matches, 5);
            const int32_t* shown = MiscStats.averages[group][venue];
            EXPECT_EQ(shown[SEASON_SENDINGS_OFF], PerMatch(c.sentOff, c.matches));
            EXPECT_GE(shown[SEASON_BOOKINGS], PerMatch(c.booked, c.matches));
            EXPECT_LE(shown[SEASON_BOOKINGS], PerMatch(c.booked + c.sentOff, c.matches));
            cards += c.booked + c.sentOff;
        }
    }
    EXPECT_GT(cards, 10);
}
