// tests/support/game_world.h: the generated world and names, loaded into a fresh database, and
// a seeded new game on top, shared by the database tests and benchmarks.
#pragma once

#include <cstdint>
#include <vector>

// The bytes of "stats\totstat.dat" and "stats\names.dat", generated once per process.
const std::vector<uint8_t>& GeneratedWorldImage();
const std::vector<uint8_t>& GeneratedNamesImage();

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
