// tests/support/game_world.h: the generated world and names, loaded into a fresh database, a
// seeded new game on top, the built-in tactics mounted and the generated messages, shared by the
// game's tests and benchmarks.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/support/support.h"

// The bytes of "stats\totstat.dat" and "stats\names.dat", generated once per process.
const std::vector<uint8_t>& GeneratedWorldImage();
const std::vector<uint8_t>& GeneratedNamesImage();
// The bytes of "lang\messages.dat", generated once per process, for TextMess_LoadImage.
const std::vector<uint8_t>& GeneratedMessagesImage();

// Resets the core, starts the text system and the database and loads the generated world and
// names; the destructor stops them again.
class ScopedWorld {
public:
    ScopedWorld();
    ~ScopedWorld();
    ScopedWorld(const ScopedWorld&) = delete;
    ScopedWorld& operator=(const ScopedWorld&) = delete;
};

// VTW_SetCountry, SRand(seed) and VTW_NewGame.
void NewGameForTest(int32_t country, uint32_t seed);

// A poll function: ends the match being played once its first minute is over, without extra time
// or a shoot-out.
void EndTheMatchAfterItsFirstMinute();

// The generated "tactics\tactics.dat" packed alone into "pakfiles\hdcommon" of a temporary data
// folder, mounted, and the tactics module started; the destructor stops them again. Declare it
// after the ScopedCore or ScopedWorld that resets the core.
class ScopedTactics {
public:
    ScopedTactics();
    ~ScopedTactics();
    ScopedTactics(const ScopedTactics&) = delete;
    ScopedTactics& operator=(const ScopedTactics&) = delete;

    const std::vector<uint8_t>& File() const { return m_file; }  // the 40 built-in records

private:
    TempDir m_dir;
    std::vector<uint8_t> m_file;
};

// The tactics mounted as ScopedTactics does, and the season's modules started in the program's
// order (saved games first, so the others can register their blocks); stopped again at the end.
// Declare it after the ScopedWorld.
class ScopedSeason {
public:
    ScopedSeason();
    ~ScopedSeason();
    ScopedSeason(const ScopedSeason&) = delete;
    ScopedSeason& operator=(const ScopedSeason&) = delete;

private:
    TempDir m_dir;
};
