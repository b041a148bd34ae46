// tests/game/savegame_fuzz_test.cpp: crafted saves. Each case takes a real save, changes one byte
// or sets one field of one block to a boundary value, seals every checksum and the pair stamp
// again, and loads it; an accepted save then plays on in auto-run, and a share of them first
// draws the office and the squad screen (badges, kits) and watches the first minute of the
// human's next match (the sides dressed as the front end dresses them). No case may crash, stop
// on a fatal error or draw a sanitizer report: what the game cannot use must be refused at the
// load.
//
// The cases are reproducible from their seed. PELLORAN_FUZZ_SEED (default 1) is the first seed and
// PELLORAN_FUZZ_CASES the number of cases; a longer run by hand, e.g.
//   PELLORAN_FUZZ_SEED=10000 PELLORAN_FUZZ_CASES=20000
//       build/tests/game_tests --gtest_filter='SaveGameFuzz.*'
// A failing case prints its seed: PELLORAN_FUZZ_SEED=<seed> PELLORAN_FUZZ_CASES=1 replays it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/crc32.h"
#include "engine/filename.h"
#include "engine/poll.h"
#include "game/calendar.h"
#include "game/careerlog.h"
#include "game/fixtures.h"
#include "game/formerplayers.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/hooks.h"
#include "game/ids.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/tables.h"
#include "game/textformat.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "menus/kits.h"
#include "menus/office.h"
#include "menus/squadscreen.h"
#include "tests/support/game_world.h"
#include "tests/support/screen_redraw.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t kDefaultCases = 2000;
// Accepted cases that play the whole span; the others play one day. The sanitizer build, many
// times slower, plays the span for the first 200 only.
#ifdef PELLORAN_SANITIZED
constexpr int32_t kLongPlays = 200;
#else
constexpr int32_t kLongPlays = kDefaultCases;
#endif
constexpr int32_t kPlayDays = 30;
constexpr int32_t kScreensEvery = 8;  // of the accepted cases, one in this many shows its screens

int32_t FromEnvironment(const char* name, int32_t fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atoi(text) : fallback;
}

uint32_t Get32(const std::vector<uint8_t>& bytes, size_t at)
{
    uint32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

void Put32(std::vector<uint8_t>* bytes, size_t at, uint32_t value)
{
    std::memcpy(bytes->data() + at, &value, 4);
}

// Where a container's blocks lie: the offset of each block's head.
struct Container {
    std::vector<uint8_t> bytes;
    std::vector<size_t> heads;  // the last one is the pair stamp
};

Container Parse(std::vector<uint8_t> bytes)
{
    Container c{std::move(bytes), {}};
    const uint32_t count = Get32(c.bytes, 12);
    size_t at = 16;
    for (uint32_t k = 0; k < count; ++k) {
        c.heads.push_back(at);
        const uint32_t size = Get32(c.bytes, at + 4);
        at += 12 + size + (4 - size % 4) % 4;
    }
    return c;
}

uint32_t DataSize(const Container& c, size_t block) { return Get32(c.bytes, c.heads[block] + 4); }

// Every block checksum, both pair stamps and both file checksums made right again.
void Seal(Container* save, Container* perm)
{
    uint32_t stamp = 0;
    for (Container* c : {save, perm}) {
        for (size_t k = 0; k + 1 < c->heads.size(); ++k) {
            const size_t at = c->heads[k];
            Put32(&c->bytes, at + 8, Crc32(c->bytes.data() + at + 12, DataSize(*c, k)));
            if (c == save) stamp = Crc32(c->bytes.data() + at + 12, DataSize(*c, k), stamp);
        }
    }
    for (Container* c : {save, perm}) {
        const size_t pair = c->heads.back();
        Put32(&c->bytes, pair + 12, stamp);
        Put32(&c->bytes, pair + 8, Crc32(c->bytes.data() + pair + 12, 4));
        const size_t trailer = c->bytes.size() - 8;
        Put32(&c->bytes, trailer + 4, Crc32(c->bytes.data(), trailer));
    }
}

// One change: a byte flipped, or a field of 1, 2 or 4 bytes set to 0, -1, its largest or
// smallest value, or one more or one less than it was.
// Returns what it changed, for the log.
std::string Mutate(std::mt19937* random, Container* save, Container* perm)
{
    Container* c = (*random)() % 8 == 0 ? perm : save;
    size_t block = 0;
    do {
        block = (*random)() % (c->heads.size() - 1);
    } while (DataSize(*c, block) == 0);
    const uint32_t size = DataSize(*c, block);
    const uint32_t kind = (*random)() % 8;
    const uint32_t width = kind == 0 ? 1 : 1u << ((*random)() % 3);
    const uint32_t offset = ((*random)() % size) & ~(width - 1);
    uint8_t* field = c->bytes.data() + c->heads[block] + 12 + offset;
    if (offset + width > size) return "nothing";
    uint32_t value = 0;
    std::memcpy(&value, field, width);
    const uint32_t signBit = 1u << (8 * width - 1);
    switch (kind) {
        case 0: value ^= 1u + (*random)() % 255; break;
        case 1: value = 0; break;
        case 2: value = 0xFFFFFFFF; break;
        case 3: value = signBit - 1; break;
        case 4: value = signBit; break;
        case 5: value += 1; break;
        case 6: value -= 1; break;
        default: value = (*random)(); break;
    }
    std::memcpy(field, &value, width);
    return std::string(reinterpret_cast<const char*>(c->bytes.data() + c->heads[block]), 4) + " +"
           + std::to_string(offset) + " = " + std::to_string(value) + " (" + std::to_string(width)
           + " bytes)";
}

void PlayDays(int32_t days)
{
    for (int32_t d = 0; d < days; ++d) {
        VTW_FindHumanNextFixture();
        int32_t row = 0;
        while (VTW_PlayMatchDay(&row) != 0) {
        }
        VTW_AdvanceDay();
    }
}

// The human's next match set up from the career as the front end sets it up and played through
// the match engine, without a view, for its first minute.
void WatchTheFirstMinute()
{
    int32_t row = -1;
    for (int32_t day = GameState.dayNo; day < CALENDAR_DAYS_MAX && row < 0; ++day) {
        row = VTW_FindCompetitiveFixtureOnDay(GameState.humanClub, day);
    }
    if (row < 0) return;
    const auto ownKits = GameHooks.GetTeamDesign;
    GameHooks.GetTeamDesign = GetTeamDesign;
    SetupFixture(row);
    MatchEngine_Init();
    MatchPresentation_SetDefaults();
    for (int32_t kind = 0; kind < VIEWKIND_COUNT; ++kind) {
        MatchView_Register(kind, nullptr);
    }
    const uint16_t key = AddPollFunction(EndTheMatchAfterItsFirstMinute, POLL_EVERY_CALL, 0);
    PlayMatch3D();
    RemovePollFunction(key);
    MatchEngine_Uninit();
    GameHooks.GetTeamDesign = ownKits;
}

}  // namespace

// Fields only the screens and the match read, each set out of its range in a save sealed again
// (kits, league rows, the kept copy of the last match, the players the clubs' records name, the
// former players' names, a career log row's club and the log's next row): the load refuses every
// one as damaged.
TEST(SaveGameCrafted, KitsAndLeagueRowsOutOfRangeAreRefused)
{
    ScopedWorld world;
    NewGameForTest(0, 11);
    ScopedSeason season;
    TempHome home;
    PlayDays(3);
    ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
    const Container save = Parse(ReadBytes(HostPath(SaveGame_SaveName(1))));
    const Container perm = Parse(ReadBytes(HostPath(SaveGame_PermName(1))));
    constexpr size_t kClub = 5 * sizeof(ClubRecord) + offsetof(ClubRecord, kits);
    constexpr size_t kAwayKit = kClub + sizeof(KitDesign);
    constexpr size_t kRow = 7 * LEAGUE_COLUMNS * sizeof(uint16_t);
    constexpr size_t kCounters = 9 * sizeof(ClubRecord) + offsetof(ClubRecord, seasonCounters)
                                 + sizeof(int16_t) * (SEASON_COUNTERS * 3 + SEASON_BOOKINGS);
    constexpr size_t kKeptIds = offsetof(LastMatchCopyRecord, sides) + sizeof(LastMatchSideCopy)
                                + offsetof(LastMatchSideCopy, playerIds) + 2 * 3;
    constexpr size_t kRecordPlayer = 3 * sizeof(ClubRecord) + offsetof(ClubRecord, records)
                                     + CLUB_REC_GOALS * sizeof(ClubRecordEntry)
                                     + offsetof(ClubRecordEntry, player);
    constexpr size_t kBestPlayer =
        4 * sizeof(ClubRecord) + offsetof(ClubRecord, seasonBest) + 2 * sizeof(ClubBestPlayer);
    constexpr size_t kScorer =
        6 * sizeof(ClubRecord) + offsetof(ClubRecord, goals) + 3 * sizeof(GoalLogEntry);
    constexpr size_t kFormerName = 17 * sizeof(FormerPlayerName);
    const auto used = std::find_if(std::begin(CareerLog.rows), std::end(CareerLog.rows),
                                   [](const CareerLogRow& row) { return row.player >= 0; });
    ASSERT_NE(used, std::end(CareerLog.rows));
    const size_t logTeam = static_cast<size_t>(used - CareerLog.rows) * sizeof(CareerLogRow)
                           + offsetof(CareerLogRow, team);
    constexpr size_t kLogNext = offsetof(CareerLogRecord, next);
    struct Field {
        const char* tag;
        size_t offset;
        int32_t value;
        int32_t expected;
        size_t bytes = 2;
    };
    const Field fields[] = {
        {"CLUB", kClub + offsetof(KitDesign, colours), 39, SAVEGAME_OK},
        {"CLUB", kClub + offsetof(KitDesign, colours), 40, SAVEGAME_DAMAGED},
        {"CLUB", kAwayKit + offsetof(KitDesign, colours) + 30, 0x7F12, SAVEGAME_DAMAGED},
        {"CLUB", kClub + offsetof(KitDesign, colours) + 2, -1, SAVEGAME_DAMAGED},
        {"CLUB", kClub + offsetof(KitDesign, shirt), 115, SAVEGAME_OK},
        {"CLUB", kAwayKit + offsetof(KitDesign, shirt), 116, SAVEGAME_DAMAGED},
        {"CLUB", kClub + offsetof(KitDesign, shirtTop), 0x7F6B, SAVEGAME_DAMAGED},
        {"CLUB", kClub + offsetof(KitDesign, armLeft), 8, SAVEGAME_DAMAGED},
        {"CLUB", kClub + offsetof(KitDesign, armRight), -1, SAVEGAME_DAMAGED},
        {"CLUB", kClub + offsetof(KitDesign, shorts), 8, SAVEGAME_DAMAGED},
        {"CLUB", kAwayKit + offsetof(KitDesign, shins), 8, SAVEGAME_DAMAGED},
        {"CLUB", kCounters, 0, SAVEGAME_OK},
        {"CLUB", kCounters, -1, SAVEGAME_DAMAGED},
        {"LEAG", kRow + 2 * LEAGUE_PLACE, 23, SAVEGAME_OK},
        {"LEAG", kRow + 2 * LEAGUE_PLACE, 24, SAVEGAME_DAMAGED},
        {"LEAG", kRow + 2 * LEAGUE_PLACE, -1, SAVEGAME_DAMAGED},
        {"LEAG", kRow + 2 * LEAGUE_PLAYED, 47, SAVEGAME_DAMAGED},
        {"LEAG", kRow + 2 * LEAGUE_HOME_WON, 40, SAVEGAME_DAMAGED},
        {"LEAG", kRow + 2 * LEAGUE_POINTS, 140, SAVEGAME_DAMAGED},
        {"LMCP", offsetof(LastMatchCopyRecord, fixtureRow), FIXTURE_ROWS - 1, SAVEGAME_OK},
        {"LMCP", offsetof(LastMatchCopyRecord, fixtureRow), FIXTURE_ROWS, SAVEGAME_DAMAGED},
        {"CLUB", kRecordPlayer, INT16_MAX, SAVEGAME_OK},
        {"CLUB", kRecordPlayer, -2, SAVEGAME_DAMAGED},
        {"CLUB", kBestPlayer, -2, SAVEGAME_DAMAGED},
        {"CLUB", kScorer, -2, SAVEGAME_DAMAGED},
        {"FORM", kFormerName, NAMES_ENTRY_COUNT - 1, SAVEGAME_OK},
        {"FORM", kFormerName, NAMES_ENTRY_COUNT, SAVEGAME_DAMAGED},
        {"FORM", kFormerName + 2, 26 | 1 << 8, SAVEGAME_OK},
        {"FORM", kFormerName + 2, 27, SAVEGAME_DAMAGED},
        {"FORM", kFormerName + 2, 2 << 8, SAVEGAME_DAMAGED},
        {"LMCP", kKeptIds, INT16_MAX, SAVEGAME_OK},       // the last former player's id
        {"LMCP", kKeptIds, INT16_MIN, SAVEGAME_DAMAGED},  // 32,768 as the unsigned id
        {"CLOG", logTeam, TEAM_COUNT - 1, SAVEGAME_OK},
        {"CLOG", logTeam, TEAM_COUNT, SAVEGAME_DAMAGED},
        {"CLOG", kLogNext, CAREERLOG_ROWS - 1, SAVEGAME_OK, 4},
        {"CLOG", kLogNext, CAREERLOG_ROWS, SAVEGAME_DAMAGED, 4},
    };
    for (const Field& field : fields) {
        Container crafted = save;
        Container craftedPerm = perm;
        // The career log is kept with the permanent data.
        Container& in = std::strcmp(field.tag, "CLOG") == 0 ? craftedPerm : crafted;
        size_t block = 0;
        while (std::memcmp(in.bytes.data() + in.heads[block], field.tag, 4) != 0) {
            ++block;
        }
        std::memcpy(in.bytes.data() + in.heads[block] + 12 + field.offset, &field.value,
                    field.bytes);
        Seal(&crafted, &craftedPerm);
        WriteBytes(HostPath(SaveGame_SaveName(1)), crafted.bytes);
        WriteBytes(HostPath(SaveGame_PermName(1)), craftedPerm.bytes);
        EXPECT_EQ(LoadGame(1), field.expected)
            << field.tag << " +" << field.offset << " = " << field.value;
    }
}

// The cases in eight shards, which ctest runs side by side.
constexpr int32_t kShards = 8;

class SaveGameFuzz : public testing::TestWithParam<int32_t> {};

TEST_P(SaveGameFuzz, CraftedSavesAreRefusedOrPlayOnSafely)
{
    TempHome home;
    ScopedScreenRedraw screens;
    AutoRunMode = 1;
    PlayDays(3);
    ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
    ASSERT_EQ(SaveGame(2), SAVEGAME_OK);  // the untouched career, to come back to
    const Container save = Parse(ReadBytes(HostPath(SaveGame_SaveName(1))));
    const Container perm = Parse(ReadBytes(HostPath(SaveGame_PermName(1))));

    const int32_t allCases = FromEnvironment("PELLORAN_FUZZ_CASES", kDefaultCases);
    const int32_t shardStart = allCases * GetParam() / kShards;
    const int32_t first = FromEnvironment("PELLORAN_FUZZ_SEED", 1) + shardStart;
    const int32_t cases = allCases * (GetParam() + 1) / kShards - shardStart;
    int32_t accepted = 0;
    int32_t longPlays = 0;
    int32_t screenCases = 0;
    for (int32_t seed = first; seed < first + cases; ++seed) {
        std::mt19937 random(static_cast<uint32_t>(seed));
        Container crafted = save;
        Container craftedPerm = perm;
        const std::string change = Mutate(&random, &crafted, &craftedPerm);
        // Said before the case runs: a fatal stop ends the process with no trace of its own.
        std::fprintf(stderr, "crafted save PELLORAN_FUZZ_SEED=%d: %s\n", seed, change.c_str());
        SCOPED_TRACE("PELLORAN_FUZZ_SEED=" + std::to_string(seed));
        Seal(&crafted, &craftedPerm);
        WriteBytes(HostPath(SaveGame_SaveName(1)), crafted.bytes);
        WriteBytes(HostPath(SaveGame_PermName(1)), craftedPerm.bytes);
        const uint32_t before = SaveGame_StateHash();
        const int32_t result = LoadGame(1);
        if (result != SAVEGAME_OK) {
            ASSERT_EQ(result, SAVEGAME_DAMAGED);
            ASSERT_EQ(SaveGame_StateHash(), before);  // a refusal leaves the career untouched
            continue;
        }
        if (accepted++ % kScreensEvery == 0) {
            ++screenCases;
            screens.Run(Office_Table(), [] {});
            screens.Run(Squad_Table(), [] {});
            WatchTheFirstMinute();
        }
        const bool longPlay = longPlays < kLongPlays / kShards;
        longPlays += longPlay ? 1 : 0;
        PlayDays(longPlay ? kPlayDays : 1);
        ASSERT_EQ(LoadGame(2), SAVEGAME_OK);
    }
    std::printf(
        "crafted saves: %d cases, %d accepted, %d played %d days, %d showed their screens\n", cases,
        accepted, longPlays, kPlayDays, screenCases);
}

INSTANTIATE_TEST_SUITE_P(Shards, SaveGameFuzz, testing::Range(0, kShards));
