// tests/support/played_season.h: a seeded career played in process through its first season,
// shared by the tests that read what a season leaves behind (logs, counters, records, history).
// The season is played once per test process; each test starts from a saved image of it.
#pragma once

#include <cstdint>

#include "tests/support/game_world.h"
#include "tests/support/support.h"

enum class PlayedSeasonMoment {
    LeagueOver,  // the day after the last league day: the season's logs and counters are whole
    NextSeason,  // the first day of the second season: the first season is history
};

// Country 0, seed 7, the human at club 1, every match simulated (auto-run on while it lives).
class ScopedPlayedSeason {
public:
    static constexpr int32_t HUMAN_CLUB = 1;

    explicit ScopedPlayedSeason(PlayedSeasonMoment moment);
    ~ScopedPlayedSeason();
    ScopedPlayedSeason(const ScopedPlayedSeason&) = delete;
    ScopedPlayedSeason& operator=(const ScopedPlayedSeason&) = delete;

private:
    ScopedWorld m_world;
    ScopedSeason m_season;
    TempHome m_home;
};
