#include "viewservices/matchsfx.h"

#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/options.h"
#include "engine/poll.h"
#include "engine/sounddrv.h"
#include "engine/startup.h"
#include "engine/timer.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

using Samples = std::set<int32_t>;

// What each event plays, as the tables of the match's sounds give it. Effects: a factor of the
// effects volume (events 0 and 2 at a pressure of 5, event 1 with the ball at rest); reactions: a
// factor of the crowd volume. Event 30 plays in one call in five and is checked on its own.
struct EventSound {
    int32_t event;
    Samples samples;
    int32_t channel;  // 5 for "5, else 6"; -1 nothing
    int32_t factor;
};

const std::vector<EventSound> kSounds = {
    {0, {6}, 5, 5},
    {1, {1}, 5, 0},
    {2, {5}, 5, 5},
    {3, {7, 8, 9, 10, 11}, 5, 10},
    {4, {24, 25, 26}, 5, 10},
    {5, {4}, 5, 10},
    {6, {7, 8, 9, 10, 11}, 5, 10},
    {7, {7, 8, 9, 10, 11}, 5, 10},
    {8, {27, 28}, 4, 8},
    {9, {31}, 4, 8},
    {10, {30}, 4, 8},
    {14, {32}, 7, 7},
    {15, {29}, 7, 10},
    {16, {32}, 7, 7},
    {17, {30}, 7, 10},
    {20, {16, 17}, 4, 8},
    {22, {16, 17, 18}, 7, 10},
    {23, {35, 36}, 7, 6},
    {24, {2, 3, 4, 8, 9}, 7, 8},
    {25, {55, 56, 57, 58, 59}, 7, 10},
    {26, {19}, 7, 10},
    {27, {35, 36}, 7, 6},
    {28, {72}, 7, 10},
    {29, {71}, 7, 10},
    {31, {37, 38}, 7, 8},
    {32, {0}, 5, 10},
};

const EventSound* Find(int32_t event)
{
    for (const EventSound& sound : kSounds) {
        if (sound.event == event) return &sound;
    }
    return nullptr;
}

// The level the host's sink is given for a 0-100 volume: 10 dB quieter at each halving.
int32_t Hundredths(int32_t volume)
{
    if (volume == 0) return HOST_AUDIO_SILENT;
    return static_cast<int32_t>(std::trunc(1000.0 * std::log2(volume * 0.01)));
}

int32_t LastLevel()
{
    const std::vector<HostAudioEvent>& log = HostInjectAudioLog();
    for (auto event = log.rbegin(); event != log.rend(); ++event) {
        if (event->kind == HOST_AUDIO_VOLUME) return event->value;
    }
    return 1;
}

const MatchViewOps kStandInView = {};

// The core, the built archives and the game's banks on the headless host, sound on, the match's
// sounds installed as the game starts them.
class MatchSfx : public testing::Test {
protected:
    void SetUp() override
    {
        PollInit();
        TimerInit();
        m_banks.emplace();
        ASSERT_TRUE(SndIsOn());
        MatchPresentation_SetDefaults();
        MatchSfx_Start();
        Ball = {};
        TeamPressure[0] = 5;
        TeamPressure[1] = 2;
        Options.sfxVolume = 6;
        Options.crowdVolume = 8;
        MatchSfxCrowdOn = 1;
        MatchSfxRandom.seed = 17;
    }
    void TearDown() override
    {
        MatchSfx_Shutdown();
        if (m_active) SndClearActiveChannels();
        m_banks.reset();
        MatchPresentation_SetDefaults();
    }

    // Mode 2's stand-in: the eight channels made active and the sounds set up, as the 3D views do.
    void SetUp3D()
    {
        GetMatchSidesBlock()->viewMode = VIEW_3D;
        SndSetActiveChannels(SND_MAX_CHANNELS);
        m_active = true;
        MatchPresentationOps.MatchSfx_Init();
    }

    // Mode 1 through the dispatcher, with a stand-in 2D view registered.
    void SetUp2D()
    {
        GetMatchSidesBlock()->viewMode = VIEW_2D;
        MatchView_Register(VIEWKIND_2D, &kStandInView);
        MatchView_Init();
        m_active = true;
    }

    void TearDown2D()
    {
        MatchView_Destroy();
        MatchView_Register(VIEWKIND_2D, nullptr);
        m_active = false;
    }

    void SetUpMode(uint16_t mode) { mode == VIEW_2D ? SetUp2D() : SetUp3D(); }

    static bool Plays(int32_t channel, int32_t key, int32_t sample)
    {
        return SndChannels[channel].bank == &SndBanks[key]
               && SndChannels[channel].sample == static_cast<uint32_t>(sample);
    }

    bool m_active = false;

private:
    ScopedHeadlessHost m_host;
    std::optional<ScopedGameSoundBanks> m_banks;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// The samples the sounds name, over the built archives.

TEST_F(MatchSfx, EverySampleTheSoundsNameIsAValidWaveWithTheLoopBitOnlyWhereItLoops)
{
    for (const EventSound& sound : kSounds) {
        const int32_t key = sound.channel == SFX_CHANNEL_CROWD ? SndKeyCrowd : SndKeyInGame;
        for (int32_t sample : sound.samples) {
            const SndSampleInfo* info = GetSampInfo(&SndBanks[key], sample);
            EXPECT_EQ(info->flags & SND_SAMPLE_LOOPS, sound.event == 31 ? 1u : 0u)
                << sound.event << " " << sample;
            EXPECT_GT(info->dataSize, 0u);
        }
    }
    EXPECT_EQ(GetSampInfo(&SndBanks[SndKeyCrowd], 26)->flags & SND_SAMPLE_LOOPS, 0u);
    for (int32_t loop = 0; loop < SFX_CROWD_LOOPS; ++loop) {
        EXPECT_EQ(GetSampInfo(&SndBanks[SndKeyPreCrowd], loop)->flags & SND_SAMPLE_LOOPS, 1u);
    }
}

// ---------------------------------------------------------------------------------------------
// Every event in the 2D and 3D views at every pair of volumes.

TEST_F(MatchSfx, EveryEventPlaysItsSampleOnItsChannelAtItsVolume)
{
    for (uint16_t mode : {VIEW_2D, VIEW_3D}) {
        SetUpMode(mode);
        for (int16_t sfx : {0, 6, 10}) {
            for (int16_t crowd : {0, 6, 10}) {
                Options.sfxVolume = sfx;
                Options.crowdVolume = crowd;
                for (int32_t event = 0; event <= 40; ++event) {
                    if (event == 30) continue;
                    SCOPED_TRACE(testing::Message() << "mode " << mode << " effects " << sfx
                                                    << " crowd " << crowd << " event " << event);
                    SndStop(-1);
                    const size_t logged = HostInjectAudioLog().size();
                    PlayMatchSfx(event, 200);
                    const EventSound* sound = Find(event);
                    const bool reaction = sound != nullptr && sound->channel == SFX_CHANNEL_CROWD;
                    const bool heard =
                        sound != nullptr && (reaction ? crowd > 0 && mode != VIEW_2D : sfx > 0);
                    if (!heard) {
                        EXPECT_EQ(HostInjectAudioLog().size(), logged);
                        continue;
                    }
                    const int32_t key = reaction ? SndKeyCrowd : SndKeyInGame;
                    const SndChannel& channel = SndChannels[sound->channel];
                    ASSERT_EQ(channel.bank, &SndBanks[key]);
                    EXPECT_EQ(sound->samples.count(static_cast<int32_t>(channel.sample)), 1u);
                    EXPECT_EQ(LastLevel(), Hundredths(sound->factor * (reaction ? crowd : sfx)));
                }
            }
        }
        if (mode == VIEW_2D)
            TearDown2D();
        else
            MatchSfx_Shutdown();
    }
}

TEST_F(MatchSfx, TheCrowdAndTheBallSetTheVolumesOfTheFrameTheWallAndTheBounce)
{
    SetUp3D();
    struct Case {
        int16_t pressure;
        int32_t velZ;
        int32_t frame, wall, bounce;  // factors of the effects volume
    };
    const std::vector<Case> cases = {
        {0, 0, 0, 0, 0},
        {5, 3 * 65536 + 45875, 5, 5, 3},  // 3.7 units a tick
        {12, -(3 * 65536 + 45875), 6, 10, 3},
        {-4, 11 * 65536, 0, 0, 10},
    };
    for (const Case& c : cases) {
        TeamPressure[0] = 0;
        TeamPressure[1] = c.pressure;
        Ball.velZ = c.velZ;
        for (auto [event, factor] : {std::pair{0, c.frame}, {2, c.wall}, {1, c.bounce}}) {
            SndStop(-1);
            PlayMatchSfx(event, 0);
            EXPECT_EQ(LastLevel(), Hundredths(factor * 6)) << c.pressure << " " << event;
        }
    }
}

TEST_F(MatchSfx, AnEffectGoesToChannelSixWhileFivePlaysAndAThirdReplacesIt)
{
    SetUp3D();
    SndStop(-1);
    PlayMatchSfx(5, 0);
    PlayMatchSfx(32, 0);
    EXPECT_TRUE(Plays(5, SndKeyInGame, 4));
    EXPECT_TRUE(Plays(6, SndKeyInGame, 0));
    PlayMatchSfx(1, 0);
    EXPECT_TRUE(Plays(5, SndKeyInGame, 4));
    EXPECT_TRUE(Plays(6, SndKeyInGame, 1));
    PlayMatchSfx(9, 0);
    EXPECT_TRUE(Plays(4, SndKeyInGame, 31));
}

TEST_F(MatchSfx, ChoicesCoverEveryListedSampleAndTheCrowdAnswersOneNearMissInFive)
{
    SetUp3D();
    for (const EventSound& sound : kSounds) {
        if (sound.samples.size() < 2) continue;
        const int32_t key = sound.channel == SFX_CHANNEL_CROWD ? SndKeyCrowd : SndKeyInGame;
        Samples heard;
        for (int call = 0; call < 200; ++call) {
            SndStop(-1);
            PlayMatchSfx(sound.event, 0);
            ASSERT_EQ(SndChannels[sound.channel].bank, &SndBanks[key]);
            heard.insert(static_cast<int32_t>(SndChannels[sound.channel].sample));
        }
        EXPECT_EQ(heard, sound.samples) << sound.event;
    }
    const int32_t before = MatchSfx_ReactionsPlayed();
    for (int call = 0; call < 10000; ++call) {
        PlayMatchSfx(30, 0);
    }
    EXPECT_TRUE(Plays(SFX_CHANNEL_CROWD, SndKeyCrowd, 26));
    const int32_t played = MatchSfx_ReactionsPlayed() - before;
    EXPECT_GE(played, 1900);
    EXPECT_LE(played, 2100);
}

TEST_F(MatchSfx, TheTextViewAndSoundsNotSetUpPlayNothingAndDrawNothing)
{
    const uint32_t draws = RandDrawCount();
    GetMatchSidesBlock()->viewMode = VIEW_3D;
    SndSetActiveChannels(SND_MAX_CHANNELS);
    m_active = true;
    for (uint16_t mode : {VIEW_TEXT, VIEW_3D}) {
        if (mode == VIEW_TEXT) {
            MatchSfx_Init();
            GetMatchSidesBlock()->viewMode = VIEW_TEXT;
        }
        const uint32_t stream = MatchSfxRandom.seed;
        const size_t logged = HostInjectAudioLog().size();
        for (int32_t event = 0; event <= 40; ++event) {
            PlayMatchSfx(event, 0);
        }
        EXPECT_EQ(MatchSfxRandom.seed, stream);
        EXPECT_EQ(HostInjectAudioLog().size(), logged);
        MatchSfx_Shutdown();
    }
    EXPECT_EQ(RandDrawCount(), draws);
}

// ---------------------------------------------------------------------------------------------
// Set-up and tear-down.

TEST_F(MatchSfx, ViewsStartTwoLoopsAndTheirTearDownLeavesNothingLoaded)
{
    for (uint16_t mode : {VIEW_2D, VIEW_3D}) {
        SCOPED_TRACE(mode);
        Options.crowdVolume = 8;
        std::vector<std::pair<uint32_t, uint32_t>> drawn;
        for (int build = 0; build < 6; ++build) {
            const size_t logged = HostInjectAudioLog().size();
            SetUpMode(mode);
            for (int32_t channel : {SFX_CHANNEL_LOOP_LEFT, SFX_CHANNEL_LOOP_RIGHT}) {
                const SndChannel& loop = SndChannels[channel];
                ASSERT_EQ(loop.bank, &SndBanks[SndKeyPreCrowd]);
                EXPECT_LT(loop.sample, static_cast<uint32_t>(SFX_CROWD_LOOPS));
                EXPECT_NE(SndBanks[SndKeyPreCrowd].samples[loop.sample].loadedData, nullptr);
            }
            drawn.emplace_back(SndChannels[0].sample, SndChannels[1].sample);
            EXPECT_NE(drawn.back().first, drawn.back().second);
            std::vector<int32_t> pans;
            std::vector<int32_t> levels;
            for (size_t at = logged; at < HostInjectAudioLog().size(); ++at) {
                const HostAudioEvent& event = HostInjectAudioLog()[at];
                if (event.kind == HOST_AUDIO_PAN) pans.push_back(event.value);
                if (event.kind == HOST_AUDIO_VOLUME) levels.push_back(event.value);
            }
            EXPECT_EQ(pans, (std::vector<int32_t>{-10000, 10000}));
            std::vector<int32_t> expected(2, Hundredths(16));
            if (mode == VIEW_2D) expected.insert(expected.end(), 2, Hundredths(12));
            EXPECT_EQ(levels, expected);
            for (uint32_t n = 0; n < SndBanks[SndKeyInGame].desc.sampleCount; ++n) {
                ASSERT_NE(SndBanks[SndKeyInGame].samples[n].loadedData, nullptr);
            }

            if (mode == VIEW_2D)
                TearDown2D();
            else
                MatchSfx_Shutdown();
            for (int32_t channel = 0; channel < SND_MAX_CHANNELS; ++channel) {
                EXPECT_EQ(SndChannels[channel].bank, nullptr);
            }
            for (int32_t key : {SndKeyInGame, SndKeyPreCrowd}) {
                for (uint32_t n = 0; n < SndBanks[key].desc.sampleCount; ++n) {
                    EXPECT_EQ(SndBanks[key].samples[n].loadedData, nullptr) << key << " " << n;
                }
            }
            if (mode == VIEW_3D) {
                SndClearActiveChannels();
                m_active = false;
            }
        }
        // A rebuilt view draws its loops anew.
        EXPECT_GT(std::set(drawn.begin(), drawn.end()).size(), 1u);
    }
}

// The stream's value % 4 repeats at most nine times running (it hangs on the state's low 18 bits
// only), so the second loop is always drawn unlike the first before the redraws run out. The
// states with the longest runs, drawn by hand: the second loop comes after eight and seven
// redraws.
TEST_F(MatchSfx, TheSecondLoopIsDrawnAgainUntilItDiffersFromTheFirst)
{
    struct Case {
        uint32_t state;  // the stream's state at the set-up
        uint32_t left, right;
    };
    const std::vector<Case> cases = {{38691, 3, 2}, {13344, 0, 3}, {0, 0, 1}};
    for (const Case& c : cases) {
        MatchSfxRandom.seed = c.state - RandState();
        SetUp3D();
        EXPECT_EQ(SndChannels[SFX_CHANNEL_LOOP_LEFT].sample, c.left) << c.state;
        EXPECT_EQ(SndChannels[SFX_CHANNEL_LOOP_RIGHT].sample, c.right) << c.state;
        MatchSfx_Shutdown();
        SndClearActiveChannels();
        m_active = false;
    }
}

TEST_F(MatchSfx, ACrowdAtVolumeZeroStillStartsItsLoopsButAnswersNothing)
{
    Options.crowdVolume = 0;
    SetUp3D();
    EXPECT_TRUE(SndChannels[0].bank != nullptr && SndChannels[1].bank != nullptr);
    EXPECT_EQ(LastLevel(), HOST_AUDIO_SILENT);
    PlayMatchSfx(15, 0);
    EXPECT_EQ(SndChannels[SFX_CHANNEL_CROWD].bank, nullptr);
}

TEST_F(MatchSfx, VolumesOutsideTheirRangeAreReadAsTheNearestEnd)
{
    SetUp3D();
    for (auto [word, volume] : {std::pair<int16_t, int32_t>{3000, 100}, {-5, 0}}) {
        Options.sfxVolume = word;
        Options.crowdVolume = word;
        SndStop(-1);
        const size_t logged = HostInjectAudioLog().size();
        PlayMatchSfx(5, 0);
        PlayMatchSfx(15, 0);
        if (volume == 0)
            EXPECT_EQ(HostInjectAudioLog().size(), logged);
        else
            EXPECT_EQ(LastLevel(), Hundredths(volume));
    }
}

TEST_F(MatchSfx, TheBanksAreRemovedWithoutAFatalErrorAfterAView)
{
    SetUp2D();
    PlayMatchSfx(5, 0);
    TearDown2D();
    RemoveGameSoundBanks();
    EXPECT_FALSE(SndIsOn());
    AddGameSoundBanks();  // for the fixture's own removal
}

TEST_F(MatchSfx, WithoutSoundTheViewsSetUpPlayAndTearDownQuietly)
{
    RemoveGameSoundBanks();
    NoSoundFlag = true;
    AddGameSoundBanks();
    EXPECT_EQ(SndKeyInGame, -1);
    SetUp2D();
    for (int32_t event = 0; event <= 40; ++event) {
        PlayMatchSfx(event, 0);
    }
    TearDown2D();
    EXPECT_EQ(SndChannels[SFX_CHANNEL_EFFECT].bank, nullptr);
    NoSoundFlag = false;
}

// ---------------------------------------------------------------------------------------------
// A whole seeded match with the sounds on.

namespace {

int32_t s_spiedCalls;
std::vector<std::string> s_misrouted;
std::vector<uint32_t> s_goalPeriods;  // the clock's periods at each goal
bool s_muteWhistles;
bool s_viewShown;  // between a stand-in view's set-up and its tear-down

// Every event the engine raises reaches the channel its row names, as the driver's channels show
// straight after the call.
void SpyPlay(int32_t event, int32_t value)
{
    if (event == 14 || event == 15) s_goalPeriods.push_back(ClockPeriods());
    // The referee's whistles, heard in both views, are left out where the loudness after the
    // goals is compared.
    if (s_muteWhistles && event >= 8 && event <= 10) return;
    PlayMatchSfx(event, value);
    const EventSound* sound = Find(event);
    if (!s_viewShown || sound == nullptr || event == 30) return;
    ++s_spiedCalls;
    const bool reaction = sound->channel == SFX_CHANNEL_CROWD;
    if (reaction && GetMatchSidesBlock()->viewMode == VIEW_2D) return;
    const int32_t key = reaction ? SndKeyCrowd : SndKeyInGame;
    std::vector<int32_t> channels = {sound->channel};
    if (sound->channel == SFX_CHANNEL_EFFECT) channels.push_back(SFX_CHANNEL_EFFECT_BUSY);
    for (int32_t channel : channels) {
        if (SndChannels[channel].bank == &SndBanks[key]
            && sound->samples.count(static_cast<int32_t>(SndChannels[channel].sample)) != 0)
            return;
    }
    s_misrouted.push_back("event " + std::to_string(event) + " at tick "
                          + std::to_string(Match.tickCount));
}

void StandIn2DInit() { s_viewShown = true; }
void StandIn2DDestroy() { s_viewShown = false; }

void StandIn3DInit()
{
    SndSetActiveChannels(SND_MAX_CHANNELS);
    MatchSfx_Init();
    s_viewShown = true;
}

void StandIn3DDestroy()
{
    s_viewShown = false;
    MatchSfx_Shutdown();
    SndClearActiveChannels();
}

const MatchViewOps kStandIn2D = {StandIn2DInit, StandIn2DDestroy, nullptr, nullptr, nullptr};
const MatchViewOps kStandIn3D = {StandIn3DInit, StandIn3DDestroy, nullptr, nullptr, nullptr};

MatchDayBuilder SeededMatch(uint16_t mode)
{
    MatchDayBuilder builder;
    builder.seed = 25;
    builder.viewMode = mode;
    return builder;
}

struct HeardMatch {
    GoldenResult result;
    uint32_t soundsChecked = 0;
    bool heardLeft = false;
    bool heardRight = false;
    std::vector<double>
        afterGoals;  // the output's loudness from one to two seconds after each goal
};

// The root mean square of both sides of the captured output over [from, to) in frames.
double Loudness(const std::vector<int16_t>& captured, size_t from, size_t to)
{
    double sum = 0.0;
    size_t count = 0;
    for (size_t at = 2 * from; at < 2 * to && at < captured.size(); ++at, ++count) {
        sum += static_cast<double>(captured[at]) * captured[at];
    }
    return count == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(count));
}

// The match on the headless host with its clock running and the game's banks, with the sounds
// and stand-in views or with the headless presentation.
HeardMatch PlayMatch(uint16_t mode, bool withSound)
{
    HeardMatch heard;
    ScopedHeadlessHost host;
    ScopedMatch match;
    TimerInit();
    ScopedGameSoundBanks banks;
    if (withSound) {
        MatchSfx_Start();
        MatchPresentationOps.PlayMatchSfx = SpyPlay;
        MatchView_Register(VIEWKIND_2D, &kStandIn2D);
        MatchView_Register(VIEWKIND_SOFTWARE_3D, &kStandIn3D);
    }
    Options.sfxVolume = 6;
    Options.crowdVolume = 8;
    s_spiedCalls = 0;
    s_misrouted.clear();
    s_goalPeriods.clear();
    HostInjectAudioCapture(true);
    const uint32_t captureStart = ClockPeriods();
    heard.result = GoldenRun(SeededMatch(mode));
    HostInjectAudioCapture(false);
    heard.soundsChecked = s_spiedCalls;
    const std::vector<int16_t>& captured = HostInjectAudioCaptured();
    for (size_t at = 0; at + 1 < captured.size(); at += 2) {
        heard.heardLeft = heard.heardLeft || captured[at] != 0;
        heard.heardRight = heard.heardRight || captured[at + 1] != 0;
    }
    constexpr size_t kFramesPerPeriod = HOST_AUDIO_RATE * CLOCK_PERIOD_MS / 1000;
    for (uint32_t period : s_goalPeriods) {
        const size_t goal = (period - captureStart) * kFramesPerPeriod;
        heard.afterGoals.push_back(
            Loudness(captured, goal + HOST_AUDIO_RATE, goal + 2 * HOST_AUDIO_RATE));
    }
    return heard;
}

}  // namespace

TEST(MatchSfxMatch, ASeededMatchIsHeardOnItsChannelsAndPlaysAsItDoesUnheard)
{
    std::vector<std::vector<double>> afterGoals;
    s_muteWhistles = true;
    for (uint16_t mode : {VIEW_3D, VIEW_2D}) {
        SCOPED_TRACE(mode);
        const HeardMatch silent = PlayMatch(mode, false);
        const HeardMatch heard = PlayMatch(mode, true);
        EXPECT_GT(heard.soundsChecked, 20u);
        EXPECT_EQ(s_misrouted, std::vector<std::string>{});
        EXPECT_TRUE(heard.heardLeft && heard.heardRight);
        EXPECT_FALSE(silent.heardLeft || silent.heardRight);
        // Score, statistics, event rows, the traced positions and the game's draws.
        EXPECT_EQ(heard.result.lines, silent.result.lines);
        afterGoals.push_back(heard.afterGoals);
    }
    // The crowd's answer to each goal, heard in 3D a second after it, at least four times as loud
    // as the 2D view's loops alone (the loops are a third louder in 3D).
    ASSERT_GE(afterGoals[0].size(), 1u);
    ASSERT_EQ(afterGoals[0].size(), afterGoals[1].size());
    for (size_t goal = 0; goal < afterGoals[0].size(); ++goal) {
        EXPECT_GT(afterGoals[0][goal], 4.0 * afterGoals[1][goal]) << "goal " << goal;
    }
}
