// game/teamfile.cpp: the exported team file "a:\SaveTeam", which carries the human's team into
// another player's friendlies.
#include <cstdio>
#include <cstring>

#include "engine/blockfile.h"
#include "engine/debug.h"
#include "engine/fatal.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/textmess.h"

namespace {

constexpr char TEAM_FILE_TYPE[] = "TEM1";
constexpr uint32_t TEAM_FILE_VERSION = 1;
constexpr char TEAM_BLOCK_TAG[] = "TEAM";

// The checks that keep a file from another game, or a damaged one, out of the match: texts end
// inside their fields and every custom tactic can be played.
bool TeamIsPlayable(const ExportedTeamBlock& team)
{
    // The kits come from the world's table by these numbers.
    if (team.homeKit < 0 || team.homeKit >= TEAM_COUNT || team.awayKit < 0
        || team.awayKit >= TEAM_COUNT)
        return false;
    return MatchTeam_IsReadable(team.name, sizeof team.name, team.tactics, team.entries);
}

}  // namespace

int32_t SaveTeamFile()
{
    const int32_t club = GameState.humanClub;
    if (club < 0) {
        DebugPrintf(DBG_FILE, 1, "SaveTeamFile(): no human club to export\n");
        return 1;
    }
    ExportedTeamBlock team{};
    std::snprintf(team.name, sizeof(team.name), "%s", VTW_FormatClubName(VTW_GetTeam(club)));
    team.homeKit = static_cast<int16_t>(VTW_GetTeam(club));
    team.awayKit = team.homeKit;
    std::memcpy(team.tactics, CustomTactics, sizeof(team.tactics));
    MatchEntry_FillTeamSheet(team.entries, club);
    const BlockFileBlock block = {TEAM_BLOCK_TAG, &team, sizeof(team)};
    if (BlockFileSave(TEAM_FILE_NAME, TEAM_FILE_TYPE, TEAM_FILE_VERSION, &block, 1) != BLOCKFILE_OK)
        return 1;
    return 0;
}

int32_t LoadTeamFile(int32_t slot)
{
    if (slot < 0 || slot > 1) FatalError("LoadTeamFile(): bad team block %d", slot);
    ExportedTeamBlock staged;
    const BlockFileRequest request = {TEAM_BLOCK_TAG, &staged, sizeof(staged), nullptr, true};
    if (BlockFileLoad(TEAM_FILE_NAME, TEAM_FILE_MAX_BYTES, TEAM_FILE_TYPE, TEAM_FILE_VERSION,
                      &request, 1)
        != BLOCKFILE_OK)
        return 1;
    if (!TeamIsPlayable(staged)) {
        DebugPrintf(DBG_FILE, 1, "LoadTeamFile(): \"%s\" holds a team that cannot be played\n",
                    TEAM_FILE_NAME);
        return 1;
    }
    FriendlyTeamBlocks[slot] = staged;
    return 0;
}
