// viewservices/matchsfx.cpp: the played match heard, through the effects, crowd-loop and
// crowd-reaction banks of the sound driver.
#include "viewservices/matchsfx.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "engine/options.h"
#include "engine/script.h"
#include "engine/sounddrv.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"

RandStream MatchSfxRandom;
int16_t MatchSfxCrowdOn = 1;

namespace {

enum class SfxVolumeRule : uint8_t {
    CALM_EXCITEMENT,  // min(excitement, 6) x effects
    BALL_RISE,        // min(|whole units of the ball's upward speed|, 10) x effects
    EXCITEMENT,       // excitement x effects
    EFFECTS_10,
    EFFECTS_8,
    CROWD_10,
    CROWD_8,
    CROWD_7,
    CROWD_6,
};

constexpr int32_t MAX_CHOICES = 5;

struct SfxRow {
    int16_t event;
    int16_t count;  // samples to choose from, with equal chances
    std::array<int16_t, MAX_CHOICES> samples;
    int16_t channel;  // SFX_CHANNEL_EFFECT stands for "5, else 6"
    SfxVolumeRule volume;
    int16_t chance = 100;  // in 100 calls
};

using enum SfxVolumeRule;

// clang-format off
constexpr auto kEffects = std::to_array<SfxRow>({
    {0,  1, {6},                 SFX_CHANNEL_EFFECT,  CALM_EXCITEMENT},
    {1,  1, {1},                 SFX_CHANNEL_EFFECT,  BALL_RISE},
    {2,  1, {5},                 SFX_CHANNEL_EFFECT,  EXCITEMENT},
    {3,  5, {7, 8, 9, 10, 11},   SFX_CHANNEL_EFFECT,  EFFECTS_10},
    {4,  3, {24, 25, 26},        SFX_CHANNEL_EFFECT,  EFFECTS_10},
    {5,  1, {4},                 SFX_CHANNEL_EFFECT,  EFFECTS_10},
    {6,  5, {7, 8, 9, 10, 11},   SFX_CHANNEL_EFFECT,  EFFECTS_10},
    {7,  5, {7, 8, 9, 10, 11},   SFX_CHANNEL_EFFECT,  EFFECTS_10},
    {8,  2, {27, 28},            SFX_CHANNEL_WHISTLE, EFFECTS_8},
    {9,  1, {31},                SFX_CHANNEL_WHISTLE, EFFECTS_8},
    {10, 1, {30},                SFX_CHANNEL_WHISTLE, EFFECTS_8},
    {20, 2, {16, 17},            SFX_CHANNEL_WHISTLE, EFFECTS_8},
    {32, 1, {0},                 SFX_CHANNEL_EFFECT,  EFFECTS_10},
});

constexpr auto kReactions = std::to_array<SfxRow>({
    {14, 1, {32},                 SFX_CHANNEL_CROWD, CROWD_7},
    {15, 1, {29},                 SFX_CHANNEL_CROWD, CROWD_10},
    {16, 1, {32},                 SFX_CHANNEL_CROWD, CROWD_7},
    {17, 1, {30},                 SFX_CHANNEL_CROWD, CROWD_10},
    {22, 3, {16, 17, 18},         SFX_CHANNEL_CROWD, CROWD_10},
    {23, 2, {35, 36},             SFX_CHANNEL_CROWD, CROWD_6},
    {24, 5, {2, 3, 4, 8, 9},      SFX_CHANNEL_CROWD, CROWD_8},
    {25, 5, {55, 56, 57, 58, 59}, SFX_CHANNEL_CROWD, CROWD_10},
    {26, 1, {19},                 SFX_CHANNEL_CROWD, CROWD_10},
    {27, 2, {35, 36},             SFX_CHANNEL_CROWD, CROWD_6},
    {28, 1, {72},                 SFX_CHANNEL_CROWD, CROWD_10},
    {29, 1, {71},                 SFX_CHANNEL_CROWD, CROWD_10},
    {30, 1, {26},                 SFX_CHANNEL_CROWD, CROWD_10, 20},
    {31, 2, {37, 38},             SFX_CHANNEL_CROWD, CROWD_8},
});
// clang-format on

bool s_setUp;
bool s_loopsLoaded;
int32_t s_loops[2];
int32_t s_effectsPlayed;
int32_t s_reactionsPlayed;

// The options file's volumes, 0-10 whatever the file held.
int32_t Volume(int16_t word) { return std::clamp<int32_t>(word, 0, OPTIONS_VOLUME_MAX); }
int32_t EffectsVolume() { return Volume(Options.sfxVolume); }
int32_t CrowdVolume() { return Volume(Options.crowdVolume); }

// How hard the sides push, as the crowd feels it: 0-10.
int32_t CrowdExcitement()
{
    return std::clamp<int32_t>(std::max(TeamPressure[0], TeamPressure[1]), 0, 10);
}

int32_t RowVolume(SfxVolumeRule rule)
{
    switch (rule) {
        case CALM_EXCITEMENT: return std::min(CrowdExcitement(), 6) * EffectsVolume();
        case BALL_RISE: return std::min(std::abs(Fixed_ToUnits(Ball.velZ)), 10) * EffectsVolume();
        case EXCITEMENT: return CrowdExcitement() * EffectsVolume();
        case EFFECTS_10: return EffectsVolume() * 10;
        case EFFECTS_8: return EffectsVolume() * 8;
        case CROWD_10: return CrowdVolume() * 10;
        case CROWD_8: return CrowdVolume() * 8;
        case CROWD_7: return CrowdVolume() * 7;
        case CROWD_6: return CrowdVolume() * 6;
    }
    return 0;
}

template <size_t N>
const SfxRow* FindRow(const std::array<SfxRow, N>& table, int32_t event)
{
    const auto row = std::ranges::find(table, event, &SfxRow::event);
    return row == table.end() ? nullptr : &*row;
}

// The row's sample, or -1 when its chance says no.
int32_t ChooseSample(const SfxRow& row)
{
    if (row.chance < 100 && MatchSfxRandom.Next() % 100 >= row.chance) return -1;
    return row.samples[row.count > 1 ? MatchSfxRandom.Next() % row.count : 0];
}

// True when the row played.
bool PlayRow(int32_t key, const SfxRow& row, int32_t channel)
{
    const int32_t sample = ChooseSample(row);
    if (sample < 0) return false;
    SndPlay(key, sample, channel, static_cast<uint16_t>(RowVolume(row.volume)), 0);
    return true;
}

void PlayEffect(int32_t event)
{
    const SfxRow* row = FindRow(kEffects, event);
    if (row == nullptr || EffectsVolume() <= 0) return;
    int32_t channel = row->channel;
    if (channel == SFX_CHANNEL_EFFECT && !SndChannelIsIdle(SFX_CHANNEL_EFFECT))
        channel = SFX_CHANNEL_EFFECT_BUSY;
    if (PlayRow(SndKeyInGame, *row, channel)) ++s_effectsPlayed;
}

void PlayReaction(int32_t event)
{
    const SfxRow* row = FindRow(kReactions, event);
    if (row == nullptr || GetMatchSidesBlock()->viewMode == VIEW_2D || MatchSfxCrowdOn == 0
        || CrowdVolume() <= 0)
        return;
    if (PlayRow(SndKeyCrowd, *row, SFX_CHANNEL_CROWD)) ++s_reactionsPlayed;
}

// The second loop is drawn again until it differs from the first, a bounded number of times.
void DrawLoops()
{
    s_loops[0] = MatchSfxRandom.Next() % SFX_CROWD_LOOPS;
    s_loops[1] = MatchSfxRandom.Next() % SFX_CROWD_LOOPS;
    for (int32_t draw = 0; draw < SFX_LOOP_DRAWS && s_loops[1] == s_loops[0]; ++draw)
        s_loops[1] = MatchSfxRandom.Next() % SFX_CROWD_LOOPS;
}

void StartCrowdLoops()
{
    DrawLoops();
    const auto volume = static_cast<uint16_t>(CrowdVolume() * 2);
    SndLoad(SndKeyPreCrowd, s_loops[0]);
    if (s_loops[1] != s_loops[0]) SndLoad(SndKeyPreCrowd, s_loops[1]);
    s_loopsLoaded = true;
    SndPlay(SndKeyPreCrowd, s_loops[0], SFX_CHANNEL_LOOP_LEFT, volume, -SFX_LOOP_PAN);
    SndPlay(SndKeyPreCrowd, s_loops[1], SFX_CHANNEL_LOOP_RIGHT, volume, SFX_LOOP_PAN);
    if (GetMatchSidesBlock()->viewMode == VIEW_2D) {
        SndSetVolumeIfActive(SFX_CHANNEL_LOOP_LEFT, SFX_LOOP_VOLUME_2D);
        SndSetVolumeIfActive(SFX_CHANNEL_LOOP_RIGHT, SFX_LOOP_VOLUME_2D);
    }
}

void StopCrowdLoops()
{
    if (!s_loopsLoaded) return;
    s_loopsLoaded = false;
    SndUnload(SndKeyPreCrowd, s_loops[0]);
    if (s_loops[1] != s_loops[0]) SndUnload(SndKeyPreCrowd, s_loops[1]);
}

}  // namespace

void MatchSfx_Start()
{
    MatchPresentationOps.PlayMatchSfx = PlayMatchSfx;
    MatchPresentationOps.MatchSfx_Init = MatchSfx_Init;
    MatchPresentationOps.MatchSfx_Shutdown = MatchSfx_Shutdown;
    ScriptRegisterValue("sfxplayed", MatchSfx_EffectsPlayed);
    ScriptRegisterValue("crowdplayed", MatchSfx_ReactionsPlayed);
}

void MatchSfx_Init()
{
    // Mixed with the stream's own state, so that a view rebuilt while the match stands still
    // still draws new loops.
    MatchSfxRandom.seed += RandState();
    if (MatchSfxCrowdOn != 0) StartCrowdLoops();
    SndLoad(SndKeyInGame, -1);
    s_setUp = true;
}

void MatchSfx_Shutdown()
{
    if (!s_setUp) return;
    SndStop(-1);
    StopCrowdLoops();
    // Every sample of a RAM bank must be unloaded before the bank is removed at program end.
    SndUnload(SndKeyInGame, -1);
    s_setUp = false;
}

void PlayMatchSfx(int32_t event, int32_t)
{
    if (!s_setUp || GetMatchSidesBlock()->viewMode == VIEW_TEXT) return;
    PlayEffect(event);
    PlayReaction(event);
}

int32_t MatchSfx_EffectsPlayed() { return s_effectsPlayed; }
int32_t MatchSfx_ReactionsPlayed() { return s_reactionsPlayed; }
