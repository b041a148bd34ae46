// game/careerlog.cpp: the career log's pool of rows.
#include "game/careerlog.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <iterator>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/savegame.h"
#include "game/season.h"

CareerLogRecord CareerLog;
CareerLogLogged CareerLogSeason[PLAYER_FULL_MAX];

namespace {

// Each full player's rows in the pool, oldest first, chained through the rows' places, so that a
// player's rows are let go or copied without reading the whole pool: ids are freed and given to
// new players hundreds of times a season. Not saved: built from the rows at the first use after
// the log was reset or loaded.
struct RowChains {
    bool built;
    int32_t oldest[PLAYER_FULL_MAX];  // the player's oldest row, -1 none
    int32_t newest[PLAYER_FULL_MAX];
    int32_t newer[CAREERLOG_ROWS];  // the next row of the same player, -1 none
};

RowChains s_chains;

bool Chained(int32_t player) { return player >= 0 && player < PLAYER_FULL_MAX; }

void Link(int32_t at)
{
    const int32_t player = CareerLog.rows[at].player;
    s_chains.newer[at] = -1;
    if (s_chains.newest[player] >= 0) {
        s_chains.newer[s_chains.newest[player]] = at;
    } else {
        s_chains.oldest[player] = at;
    }
    s_chains.newest[player] = at;
}

RowChains& Chains()
{
    if (s_chains.built) return s_chains;
    std::fill(std::begin(s_chains.oldest), std::end(s_chains.oldest), -1);
    std::fill(std::begin(s_chains.newest), std::end(s_chains.newest), -1);
    for (int32_t k = 0; k < CAREERLOG_ROWS; ++k) {
        const int32_t at = static_cast<int32_t>((CareerLog.next + k) % CAREERLOG_ROWS);
        if (Chained(CareerLog.rows[at].player)) Link(at);
    }
    s_chains.built = true;
    return s_chains;
}

}  // namespace

void CareerLog_Init()
{
    SaveGame_RegisterLateBlock("CLSN", CareerLogSeason, sizeof CareerLogSeason);
    std::memset(CareerLogSeason, 0, sizeof CareerLogSeason);
    std::memset(&CareerLog, 0, sizeof CareerLog);
    for (CareerLogRow& row : CareerLog.rows) {
        row.player = -1;
    }
    // A saved log is adopted after this reset: its chains are built at their first use.
    s_chains.built = false;
}

void CareerLog_Uninit() { s_chains.built = false; }

namespace {

// The row of a full player's season so far at `club`; false for anyone else.
bool ComposeRow(int32_t player, int32_t club, int32_t kind, CareerLogRow* out)
{
    const PlayerRecord* p = Player_RefForGet(player, "ClubLog").full;
    if (p == nullptr) return false;
    const bool keeper = p->position == 0;
    CareerLogRow& row = *out;
    row.player = static_cast<int16_t>(player);
    row.season = static_cast<uint8_t>(GameState.seasonCounter);
    row.kind = static_cast<uint8_t>(kind);
    // A club abroad is his world club, as the transfer list names it. CLUB_NONE (the unattached
    // pool) names no team: the history reads a spell without a club, never one of the clubs.
    const bool isClub = club >= 0 && club < CLUB_ID_COUNT;
    const bool abroad = club == CLUB_ORIGIN && p->originWord >= 0 && p->originWord < TEAM_COUNT;
    row.team = static_cast<int16_t>(isClub ? VTW_GetTeam(club) : abroad ? p->originWord : -1);
    row.apps = p->seasonApps;
    // A keeper's column counts his clean sheets.
    row.goals = keeper ? PlayerSeasonCleanSheets[player] : p->seasonGoals;
    row.performance = static_cast<uint8_t>(std::min(255, VTW_GetPlayerPerf(player)));
    row.division = static_cast<uint8_t>(isClub ? VTW_GetClubDivision(club) : DIVISION_OUTSIDE);
    return true;
}

// The season so far that ComposeRow put in the row, less what his rows at the season's moves
// hold: the matches since, at the row's club. After a move's row the next starts from there.
void KeepMatchesSinceLastRow(int32_t player, CareerLogRow* row, bool move)
{
    const PlayerRecord& p = DbPlayers[player];
    CareerLogLogged& logged = CareerLogSeason[player];
    const CareerLogLogged season = {p.perfSum, row->apps, row->goals, p.ratedCount, 0};
    const int32_t rated = season.ratedCount - logged.ratedCount;
    const int32_t perfSum = season.perfSum - logged.perfSum;
    row->apps = static_cast<uint8_t>(std::max(0, season.apps - logged.apps));
    row->goals = static_cast<uint8_t>(std::max(0, season.goals - logged.goals));
    row->performance = static_cast<uint8_t>(rated > 0 ? std::clamp(perfSum / rated, 0, 255) : 0);
    if (move) logged = season;
}

// The row takes the place of the pool's oldest, which is also its player's oldest.
void Append(const CareerLogRow& row)
{
    RowChains& chains = Chains();
    const int32_t at = static_cast<int32_t>(CareerLog.next);
    const int32_t gone = CareerLog.rows[at].player;
    if (Chained(gone)) {
        assert(chains.oldest[gone] == at);
        chains.oldest[gone] = chains.newer[at];
        if (chains.oldest[gone] < 0) chains.newest[gone] = -1;
    }
    CareerLog.rows[at] = row;
    Link(at);
    CareerLog.next = (CareerLog.next + 1) % CAREERLOG_ROWS;
}

}  // namespace

int32_t CareerLog_ClubPlayedFor(int32_t player)
{
    const PlayerRecord* p = Player_RefForGet(player, "ClubPlayedFor").full;
    if (p == nullptr) return VTW_GetPlayerClub(player);
    return p->loanClub >= 0 ? p->loanClub : p->club;
}

void VTW_AddClubLog(int32_t player, int32_t club, int32_t kind)
{
    CareerLogRow row;
    if (!ComposeRow(player, club, kind, &row)) return;
    KeepMatchesSinceLastRow(player, &row, kind != CAREERLOG_SEASON);
    Append(row);
}

void CareerLog_CloseSeason(int32_t player)
{
    CareerLogRow row;
    if (!ComposeRow(player, CareerLog_ClubPlayedFor(player), CAREERLOG_SEASON, &row)) return;
    KeepMatchesSinceLastRow(player, &row, false);
    if (row.apps > 0) Append(row);
    CareerLog_ClearLogged(player);
}

void CareerLog_ClearLogged(int32_t player)
{
    if (player >= 0 && player < PLAYER_FULL_MAX) CareerLogSeason[player] = {};
}

bool CareerLog_SeasonSoFar(int32_t player, CareerLogRow* out)
{
    if (Player_RefForGet(player, "SeasonSoFar").full == nullptr) return false;
    const int32_t club = CareerLog_ClubPlayedFor(player);
    if (!PlayerLife_IsActivePlayer(player) || club < 0 || club >= CLUB_ID_COUNT) return false;
    if (!ComposeRow(player, club, CAREERLOG_SEASON, out)) return false;
    KeepMatchesSinceLastRow(player, out, false);
    return true;
}

void CareerLog_ForgetRows(int32_t player)
{
    if (!Chained(player)) return;
    RowChains& chains = Chains();
    for (int32_t at = chains.oldest[player]; at >= 0; at = chains.newer[at]) {
        CareerLog.rows[at].player = -1;
    }
    chains.oldest[player] = -1;
    chains.newest[player] = -1;
}

int32_t VTW_CopyPlayerLogRows(int32_t player, CareerLogRow* out, int32_t max)
{
    const int32_t limit = std::clamp(max, 0, CAREERLOG_COPY_MAX);
    if (limit == 0 || !Chained(player)) return 0;
    // From the oldest row to the newest, kept in a ring of `limit` so that the newest stay.
    CareerLogRow ring[CAREERLOG_COPY_MAX];
    int32_t seen = 0;
    const RowChains& chains = Chains();
    for (int32_t at = chains.oldest[player]; at >= 0; at = chains.newer[at]) {
        ring[seen % limit] = CareerLog.rows[at];
        ++seen;
    }
    const int32_t count = std::min(seen, limit);
    for (int32_t k = 0; k < count; ++k) {
        out[k] = ring[(seen - count + k) % limit];
    }
    return count;
}

bool CareerLog_CheckSaved(const void* block)
{
    const auto& log = *static_cast<const CareerLogRecord*>(block);
    if (log.next >= CAREERLOG_ROWS) return false;
    for (const CareerLogRow& row : log.rows) {
        if (row.player == -1) continue;
        if (!SaveCheck_InRange(row.player, 0, PLAYER_FULL_MAX - 1)
            || !SaveCheck_InRange(row.team, -1, TEAM_COUNT - 1) || row.division > DIVISION_OUTSIDE)
            return false;
    }
    return true;
}
