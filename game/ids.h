// game/ids.h: the id ranges of clubs, persons and managers that every game module shares.
#pragma once

#include <cstdint>
#include <cstring>

// Club ids (i16): 0-249 the clubs of this career; the ids from 250 pass lookups unchanged.
constexpr int32_t CLUB_ID_COUNT = 250;
constexpr int32_t CLUB_ORIGIN = 252;      // a player of a world club outside the game: origin word
constexpr int32_t CLUB_RELEASED = 254;    // club of a released player
constexpr int32_t CLUB_NONE = 255;        // no club; its balance is money that left the game
constexpr int32_t CLUB_SLOT_SMALL = 250;  // clubSlot values from here: small record + 250
constexpr int32_t CLUB_FULL_MAX = 114;    // full records: the largest country's league clubs
constexpr int32_t CLUB_SMALL_MAX = CLUB_ID_COUNT;

// Team numbers: world club index 0-1045 (club name text 28000 + n, badge icon 105 + n).
constexpr int32_t TEAM_COUNT = 1046;

// Person and player ids (i16) 0-24,999; the records name the players who left by the former-player
// ids above them, up to PERSON_ID_END (game/formerplayers.h).
constexpr int32_t PERSON_MAX = 25000;
constexpr int32_t PERSON_ID_END = 32768;
constexpr int32_t PERSON_HUMAN = 0;     // the human manager: his name is the manager-name buffer
constexpr int32_t PERSON_STAND_IN = 1;  // the manager of a club with nobody in charge
constexpr int32_t PERSON_FIRST_ORDINARY = 2;
constexpr int32_t PLAYER_FULL_MAX = 8000;    // full records; FullPlayerCount is at most this
constexpr int32_t PLAYER_SPARE_POOL = 2000;  // free full ids kept for youth intake and signings

// One record row's person id, which the visit may rewrite: the records' owners walk their rows
// with it when the ids of players who left are given to new men (game/formerplayers.h).
using PersonIdVisit = void (*)(int16_t* id, void* context);
// The visit of an id a packed record keeps, which may lie unaligned: through an aligned copy,
// written back when the visit changed it. An id of none (-1, or 0xFFFF unsigned) is not visited.
inline void VisitPackedPersonId(void* field, PersonIdVisit visit, void* context)
{
    int16_t id = 0;
    std::memcpy(&id, field, sizeof id);
    if (id < 0) return;
    const int16_t before = id;
    visit(&id, context);
    if (id != before) std::memcpy(field, &id, sizeof id);
}

// Manager numbers of VTW_GetClubController and VTW_SetClubControl.
constexpr int32_t MANAGER_COMPUTER = 0;
constexpr int32_t MANAGER_HUMAN = 1;

// Countries: 0-8 have leagues (the title screen offers 0, 2, 3 and 6), 9-18 only clubs.
constexpr int32_t COUNTRY_COUNT = 9;
constexpr int32_t WORLD_COUNTRY_COUNT = 19;
constexpr int32_t NATIONALITY_COUNT = 96;
constexpr int32_t DIVISION_MAX = 6;      // league divisions 0-5
constexpr int32_t DIVISION_OUTSIDE = 6;  // a club outside every league
constexpr int32_t CUP_COUNT = 7;
constexpr int32_t CUP_ROUND_COUNT = 8;

// Position codes: 0 keeper, 1-4 defenders, 5-9 midfielders, 10-12 forwards, 13 manager.
constexpr int32_t POSITION_COUNT = 14;
constexpr int32_t POSITION_MANAGER = 13;
constexpr int32_t LINE_COUNT = 4;  // keeper, defence, midfield, attack

constexpr int32_t SQUAD_MAX = 32;
constexpr int32_t SQUAD_TARGET_MAX = 26;  // beyond it a computer club lists players, takes no youth
constexpr int32_t SHIRT_MAX = 32;
