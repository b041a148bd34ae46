#include "engine/sounddrv.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/debug.h"
#include "engine/dxsound.h"
#include "engine/fatal.h"
#include "engine/filename.h"
#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/poll.h"
#include "engine/startup.h"
#include "engine/timer.h"
#include "engine/winlib.h"
#include "generated/build_paths.h"
#include "tests/support/host_run.h"
#include "tests/support/sample_data.h"
#include "tests/support/support.h"
#include "tools/mkdata/pakwriter.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t BYTES_PER_PERIOD = 441;  // a channel at 44,100 Hz
constexpr uint32_t RING_OF_EIGHT = 16 * SND_BLOCK_BYTES;

// ---------------------------------------------------------------------------------------------
// Crafted WAVE files.

struct Chunk {
    std::string id;
    Bytes body;
    int32_t sizeDelta = 0;  // added to the size written in the header only
};

void Put32(Bytes* out, uint32_t value)
{
    for (int b = 0; b < 4; ++b) {
        out->push_back(static_cast<uint8_t>(value >> (8 * b)));
    }
}

void Put16(Bytes* out, uint32_t value)
{
    out->push_back(static_cast<uint8_t>(value));
    out->push_back(static_cast<uint8_t>(value >> 8));
}

Bytes Wave(const std::vector<Chunk>& chunks, int32_t riffDelta = 0)
{
    Bytes file = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const Chunk& chunk : chunks) {
        file.insert(file.end(), chunk.id.begin(), chunk.id.end());
        Put32(&file,
              static_cast<uint32_t>(static_cast<int32_t>(chunk.body.size()) + chunk.sizeDelta));
        file.insert(file.end(), chunk.body.begin(), chunk.body.end());
        if (chunk.body.size() % 2) file.push_back(0);
    }
    const uint32_t riff = static_cast<uint32_t>(static_cast<int32_t>(file.size() - 8) + riffDelta);
    std::memcpy(file.data() + 4, &riff, 4);
    return file;
}

Chunk Fmt(uint32_t channels = 1, uint32_t bits = 8, uint32_t format = 1, size_t size = 16,
          uint32_t rate = 44100)
{
    Bytes body;
    Put16(&body, format);
    Put16(&body, channels);
    Put32(&body, rate);
    Put32(&body, rate * channels * bits / 8);
    Put16(&body, channels * bits / 8);
    Put16(&body, bits);
    body.resize(size, 0);
    return {"fmt ", body};
}

Chunk Brix(uint32_t flags, size_t size = 16)
{
    Bytes body;
    Put32(&body, flags);
    body.resize(size, 0);
    return {"bRIx", body};
}

Bytes Sample(const Bytes& data, bool loops)
{
    return Wave({Fmt(), Brix(loops ? SND_SAMPLE_LOOPS : 0), {"data", data}});
}

constexpr uint8_t kSilent = 128;  // the silence of an unsigned 8-bit sample

// Never the silent byte, so silence in a ring is always silence the driver wrote.
Bytes Noise(size_t size, uint32_t seed)
{
    Bytes bytes = SampleRandomBytes(size, seed);
    for (uint8_t& b : bytes) {
        if (b == kSilent) b = kSilent + 1;
    }
    return bytes;
}

const char* const kSpooledNames[] = {"spool\\a.wav", "spool\\b.wav", "spool\\c.wav", "spool\\d.wav",
                                     "spool\\e.wav", "spool\\f.wav", "spool\\g.wav", "spool\\h.wav",
                                     "spool\\i.wav", "spool\\j.wav", "spool\\k.wav", "spool\\l.wav",
                                     "spool\\m.wav", "spool\\n.wav"};

// ---------------------------------------------------------------------------------------------
// The fixture: the window, the core, the paks and the manual clock, sound on.

class Snd : public testing::Test {
protected:
    void SetUp() override
    {
        WinInit("Pelloran", WIN_FLAG_WINDOWED);
        MemoryInit();
        PollInit();
        TimerInit();
        PakFileInit();
        NoSoundFlag = false;
        s_active = false;
    }
    void TearDown() override
    {
        if (SndIsOn()) Finish();
        NoSoundFlag = false;
        OnExitRun();
        PakFileUninit();
        WinUninit();
    }

    // Mounts the files as the hard-disk archive and starts the driver; `damage`, when given,
    // changes the packed archive's bytes first.
    void Start(const std::vector<MkFile>& files, void (*damage)(const std::string& pkd) = nullptr)
    {
        std::string error;
        ASSERT_TRUE(MkWritePacked(m_dir.Path("pakfiles/hdcommon"), files, &error)) << error;
        if (damage != nullptr) damage(m_dir.Path("pakfiles/hdcommon.pkd"));
        DataFolderInit(m_dir.Path().c_str());
        PakMount("pakfiles\\hdcommon");
        SndInit();
        ASSERT_TRUE(SndIsOn());
    }

    static int32_t RamBank(uint32_t samples)
    {
        return SndAddSoundBank(
            {{.format = "ram\\%d.wav"}, 0, samples, SND_BANK_SAMPLES | SND_LIST_FORMAT | SND_RAM});
    }

    static int32_t SpooledBank(uint32_t samples)
    {
        return SndAddSoundBank({{.names = kSpooledNames},
                                0,
                                samples,
                                SND_BANK_SAMPLES | SND_LIST_NAMES | SND_SPOOLED});
    }

    // Every bank removed, every channel cleared, the driver off. Only loaded samples are
    // unloaded: unloading reads a sample's header, and a test's bank may name absent files.
    static void Finish()
    {
        if (s_active) Clear();
        for (int32_t key = 0; key < SND_MAX_BANKS; ++key) {
            const SndBank& bank = SndBanks[key];
            if (!bank.inUse) continue;
            for (uint32_t n = 0; n < bank.desc.sampleCount; ++n) {
                if (bank.samples[n].loadedData) SndUnload(key, static_cast<int32_t>(n));
            }
            SndRemoveSoundBank(key);
        }
        SndUninit();
    }

    static Bytes Ring(int32_t channel, uint32_t offset, uint32_t count)
    {
        const uint8_t* bytes = DSoundLockChannel(static_cast<uint32_t>(channel), offset, count);
        Bytes copy(bytes, bytes + count);
        DSoundUnlockChannel(static_cast<uint32_t>(channel));
        return copy;
    }

    static uint32_t PlayCursor(int32_t channel)
    {
        uint32_t play = 0;
        DSoundGetChanOffset(static_cast<uint32_t>(channel), &play, nullptr);
        return play;
    }

    static void Activate(int32_t count)
    {
        SndSetActiveChannels(count);
        s_active = true;
    }

    static void Clear()
    {
        SndClearActiveChannels();
        s_active = false;
    }

    static inline bool s_active = false;  // channels set active by the test

private:
    ScopedHeadlessHost m_host;
    TempDir m_dir;
};

using SndDeathTest = Snd;

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Filling and refilling the rings.

TEST_F(Snd, LoopingSampleShorterThanABlockFillsTheRingWithWholeCopies)
{
    const Bytes data = Noise(3000, 1);
    Start({{"ram\\0.wav", Sample(data, true)}});
    const int32_t key = RamBank(1);
    Activate(8);
    SndLoad(key, 0);
    SndLoad(key, 0);  // already loaded: nothing more
    ASSERT_EQ(SndPlay(key, 0, 0, 100, 0), 0);
    const Bytes ring = Ring(0, 0, SND_BLOCK_BYTES);
    for (uint32_t i = 0; i < SND_BLOCK_BYTES; ++i) {
        ASSERT_EQ(ring[i], data[i % data.size()]) << "at " << i;
    }
    EXPECT_EQ(SndChannels[0].nextBlock, 0u);
}

TEST_F(Snd, NonLoopingSampleEndsInSilenceAndFreesItsChannelOnceThePlayCursorPassesTheEnd)
{
    const Bytes data = Noise(10000, 2);
    Start({{"ram\\0.wav", Sample(data, false)}});
    const int32_t key = RamBank(1);
    Activate(8);
    SndLoad(key, 0);
    ASSERT_EQ(SndPlay(key, 0, -1, 100, 0), 0);
    const Bytes ring = Ring(0, 0, 3 * SND_BLOCK_BYTES);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), ring.begin()));
    EXPECT_TRUE(
        std::all_of(ring.begin() + 10000, ring.end(), [](uint8_t b) { return b == kSilent; }));
    EXPECT_EQ(SndChannels[0].endPosition, 10000u);

    ClockAdvance(22);  // 9,702 bytes played
    SndUpdateChanels();
    EXPECT_EQ(SndChannelIsIdle(0), 0);
    ClockAdvance(1);  // 10,143
    SndUpdateChanels();
    EXPECT_EQ(SndChannels[0].bank, nullptr);
    EXPECT_EQ(SndChannelIsIdle(0), 1);
}

TEST_F(Snd, ASampleEndingJustAfterTheRingWrapsIsFreedOnlyOnceTheCursorPassesItsEnd)
{
    const Bytes data = Noise(RING_OF_EIGHT + 100, 3);
    Start({{"ram\\0.wav", Sample(data, false)}});
    const int32_t key = RamBank(1);
    Activate(8);
    SndLoad(key, 0);
    ASSERT_EQ(SndPlay(key, 0, 3, 100, 0), 3);
    uint32_t periods = 0;
    while (SndChannels[3].bank != nullptr && periods < 400) {
        ClockAdvance(10);
        periods += 10;
        SndUpdateChanels();
    }
    // 290 periods play 127,890 bytes, 300 play 132,300: the end at 131,172 lies between.
    EXPECT_EQ(periods, 300u);
    EXPECT_EQ(SndChannels[3].endPosition, 100u);
    const Bytes wrapped = Ring(3, 0, SND_BLOCK_BYTES);
    EXPECT_TRUE(std::equal(data.begin() + RING_OF_EIGHT, data.end(), wrapped.begin()));
    EXPECT_TRUE(
        std::all_of(wrapped.begin() + 100, wrapped.end(), [](uint8_t b) { return b == kSilent; }));
}

TEST_F(Snd, PlayOnABusyChannelReplacesItsSampleAndMinusOneFindsNoneWhenAllAreBusy)
{
    const Bytes first = Noise(5000, 4);
    const Bytes second = Noise(5000, 5);
    Start({{"ram\\0.wav", Sample(first, true)}, {"ram\\1.wav", Sample(second, true)}});
    const int32_t key = RamBank(2);
    Activate(2);
    SndLoad(key, -1);
    EXPECT_EQ(SndPlay(key, 0, -1, 100, 0), 0);
    EXPECT_EQ(SndPlay(key, 0, -1, 100, 0), 1);
    const size_t events = HostInjectAudioLog().size();
    EXPECT_EQ(SndPlay(key, 1, -1, 100, 0), -1);
    EXPECT_EQ(HostInjectAudioLog().size(), events);

    EXPECT_EQ(SndPlay(key, 1, 0, 100, 0), 0);
    const Bytes ring = Ring(0, 0, 5000);
    EXPECT_EQ(ring, second);
    SndStop(-1);
    EXPECT_EQ(SndChannelIsIdle(0), 1);
    EXPECT_EQ(SndChannelIsIdle(1), 1);
}

TEST_F(Snd, SpooledSamplesOpenThePakFileOncePerBlock)
{
    Start({{"spool\\a.wav", Sample(Noise(2 * SND_BLOCK_BYTES, 6), true)}});
    const int32_t key = SpooledBank(1);
    Activate(8);
    DebugSetLevel(DBG_FILE, 2);
    testing::internal::CaptureStdout();
    ASSERT_EQ(SndPlay(key, 0, 0, 100, 0), 0);
    const std::string play = testing::internal::GetCapturedStdout();
    // The header, the whole sample checked once, then the blocks.
    EXPECT_EQ(Count(play, "PakOpenFile(): 'spool\\a.wav'"), 1u + 1 + 16);

    ClockAdvance(20);  // into block 1: block 0 is free to refill
    testing::internal::CaptureStdout();
    SndRefillAll();
    EXPECT_EQ(Count(testing::internal::GetCapturedStdout(), "PakOpenFile(): "), 1u);
    DebugSetLevel(DBG_FILE, 0);
}

// Noise the archive stores as it is, so that a byte of it can be changed in the data file.
Bytes StoredNoise()
{
    std::mt19937 random(9);
    Bytes bytes(3 * SND_BLOCK_BYTES);
    for (uint8_t& b : bytes) {
        b = static_cast<uint8_t>(1 + random() % 255);
    }
    return bytes;
}

// Byte 5,000 of the sample's noise, found in the packed data by its first bytes, changed.
void ChangeSpooledByte(const std::string& pkd)
{
    std::fstream file(pkd, std::ios::in | std::ios::out | std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const Bytes noise = StoredNoise();
    const auto at = std::search(bytes.begin(), bytes.end(), noise.begin(), noise.begin() + 64);
    ASSERT_NE(at, bytes.end());
    file.seekp(at - bytes.begin() + 5000);
    file.put(static_cast<char>(noise[5000] ^ 0x40));
}

TEST_F(Snd, ADamagedSpooledSamplePlaysAsSilenceWithOneWarning)
{
    Start({{"spool\\a.wav", Sample(StoredNoise(), false)}}, ChangeSpooledByte);
    const int32_t key = SpooledBank(1);
    Activate(8);
    testing::internal::CaptureStdout();
    for (int32_t round = 0; round < 2; ++round) {
        ASSERT_EQ(SndPlay(key, 0, 0, 100, 0), 0);
        EXPECT_EQ(Ring(0, 0, 3 * SND_BLOCK_BYTES), Bytes(3 * SND_BLOCK_BYTES, kSilent)) << round;
    }
    EXPECT_EQ(Count(testing::internal::GetCapturedStdout(),
                    "Warning: SndPlay(): 'spool\\a.wav' is damaged - it plays as silence"),
              1u);
}

// What the listener hears: a damaged spooled sample, played to its end and past it, beside a
// tune on another channel, mixes to exactly the tune alone.
TEST_F(Snd, ADamagedSpooledSampleAddsNothingToTheMixedOutput)
{
    Start({{"spool\\a.wav", Sample(StoredNoise(), false)},
           {"ram\\0.wav", Sample(Noise(5000, 12), true)}},
          ChangeSpooledByte);
    const int32_t spooled = SpooledBank(1);
    const int32_t tune = RamBank(1);
    SndLoad(tune, 0);
    const auto record = [&](bool withDamaged) {
        Activate(2);
        HostInjectAudioCapture(true);
        SndPlay(tune, 0, 1, 100, 0);
        if (withDamaged) SndPlay(spooled, 0, 0, 100, 0);
        for (int period = 0; period < 100; ++period) {  // the sample's 3 blocks and 2 more
            ClockAdvance(1);
            SndUpdateChanels();
        }
        HostInjectAudioCapture(false);
        Clear();
        return HostInjectAudioCaptured();
    };
    testing::internal::CaptureStdout();
    const std::vector<int16_t> alone = record(false);
    const std::vector<int16_t> mixed = record(true);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(alone.size(), 2u * 100 * BYTES_PER_PERIOD);
    EXPECT_TRUE(std::any_of(alone.begin(), alone.end(), [](int16_t s) { return s != 0; }));
    EXPECT_EQ(mixed, alone);
}

TEST_F(Snd, EachChannelCountSharesTheMegabyteInWholeBlocks)
{
    Start({});
    const uint32_t expected[] = {128, 64, 42, 32, 25, 21, 18, 16};
    for (int32_t count = 1; count <= 8; ++count) {
        Activate(count);
        const std::vector<HostAudioEvent>& log = HostInjectAudioLog();
        const auto created = std::find_if(log.rbegin(), log.rend(), [](const HostAudioEvent& e) {
            return e.kind == HOST_AUDIO_CREATE;
        });
        ASSERT_NE(created, log.rend());
        EXPECT_EQ(created->value, static_cast<int32_t>(expected[count - 1] * SND_BLOCK_BYTES))
            << count << " channels";
        Clear();
    }
}

TEST_F(Snd, ThePollFunctionKeepsEveryRingFullUpToTheBlockBeingPlayed)
{
    Start({{"ram\\0.wav", Sample(Noise(20000, 7), true)}});
    const int32_t key = RamBank(1);
    Activate(2);
    SndLoad(key, 0);
    SndPlay(key, 0, 0, 100, 0);
    SndPlay(key, 0, 1, 100, 0);
    SndSetFrequencyIfActive(1, 22050);
    const uint32_t blocks = 64;
    uint32_t refills = 0;
    for (int i = 0; i < 300; ++i) {
        Poll();  // one period each
        for (int32_t c = 0; c < 2; ++c) {
            const uint32_t playing = PlayCursor(c) >> SND_BLOCK_SHIFT;
            const uint32_t behind = (playing + blocks - SndChannels[c].nextBlock) % blocks;
            ASSERT_LE(behind, 1u) << "channel " << c << " after " << i << " polls";
        }
    }
    for (const HostAudioEvent& e : HostInjectAudioLog()) {
        if (e.kind == HOST_AUDIO_LOCK) ++refills;
    }
    EXPECT_GT(refills, 2u * 64 + 3);  // the two rings at play, then blocks refilled since
    Clear();
    SndUnload(key, -1);  // some loaded, some never were: both fine
}

TEST_F(Snd, WithSoundOffEveryCallReturnsAtOnce)
{
    NoSoundFlag = true;
    AddGameSoundBanks();
    EXPECT_FALSE(SndIsOn());
    EXPECT_EQ(SndKeyInGame, -1);
    EXPECT_EQ(SndKeyMusic, -1);
    EXPECT_EQ(RamBank(3), -1);
    SndSetActiveChannels(9);
    SndLoad(4, 0);
    EXPECT_EQ(SndPlay(0, 0, -1, 100, 0), -1);
    EXPECT_EQ(SndChannelIsIdle(12), 1);
    SndSetVolumeIfActive(20, 50);
    SndStop(-1);
    EXPECT_EQ(SndUpdateChanels(), 0);
    SndClearActiveChannels();
    RemoveGameSoundBanks();
    EXPECT_TRUE(HostInjectAudioLog().empty());
    EXPECT_FALSE(HostAudioIsOpen());
}

// ---------------------------------------------------------------------------------------------
// Refusals.

TEST_F(SndDeathTest, MalformedSamplesEndWithTheirTexts)
{
    Bytes tooShort = Sample(Noise(10, 9), false);
    tooShort.resize(10);
    Bytes notWave = Sample(Noise(10, 9), false);
    std::memcpy(notWave.data() + 8, "AVI ", 4);
    const std::vector<std::pair<Bytes, std::string>> cases = {
        {Wave({Fmt(2), Brix(0), {"data", Noise(10, 9)}}), "only mono samples supported"},
        {Wave({Fmt(1, 16), Brix(0), {"data", Noise(10, 9)}}), "only 8 bit samples supported"},
        {Wave({Fmt(1, 8, 2), {"data", Noise(10, 9)}}),
         "not a PCM encoded .wav file - wrong format"},
        {Wave({Fmt(1, 8, 1, 14), {"data", Noise(10, 9)}}),
         ".wav file format header wrong size - not a PCM wav file"},
        {Wave({Fmt(), Brix(0, 12), {"data", Noise(10, 9)}}), "bad 'bRIx' block in .wav file"},
        {Wave({Fmt(), Brix(0), {"data", Noise(10, 9)}}, 1), "RIFF .wav file wrong size"},
        {Wave({Fmt(), Brix(0), {"data", Noise(10, 9), 10}}),
         "failed to find both 'fmt' and 'data' chunks in .wav file"},
        {Wave({Fmt(), Brix(0)}), "failed to find both 'fmt' and 'data' chunks in .wav file"},
        {tooShort, "not a RIFF .wav file"},
        {notWave, "RIFF file is not a .wav"},
        {Wave({Fmt(), Brix(1), {"data", {}}}), "looping sample has no data"},
        {Wave({Fmt(1, 8, 1, 16, 99), {"data", Noise(10, 9)}}), "sample rate out of range"},
        {Wave({Fmt(), {"data", Noise(10, 9)}, {"tail", Bytes(4), 1}}),
         "failed to find both 'fmt' and 'data' chunks in .wav file"},
    };
    std::vector<MkFile> files;
    for (size_t i = 0; i < cases.size(); ++i) {
        files.push_back({kSpooledNames[i], cases[i].first});
    }
    Start(files);
    const int32_t key = SpooledBank(static_cast<uint32_t>(cases.size()));
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_FATAL(GetSampInfo(&SndBanks[key], static_cast<int32_t>(i)),
                     "Abort error: GetSampInfo(): " + cases[i].second
                         + "\n(File: sounddrv  Line: ");
    }
    EXPECT_FATAL(GetSampInfo(&SndBanks[key], 99),
                 "Error: GetSampInfo(): sample no 99 out of range\n");
}

TEST_F(SndDeathTest, MisuseOfBanksAndChannelsEndsWithItsText)
{
    Start({{"ram\\0.wav", Sample(Noise(100, 10), false)},
           {"spool\\a.wav", Sample(Noise(100, 11), false)}});
    const int32_t ram = RamBank(1);
    const int32_t spooled = SpooledBank(1);
    EXPECT_FATAL(SndPlay(ram, 0, 0, 100, 0), "SndPlay(): bad channel 0");
    EXPECT_FATAL(SndClearActiveChannels(), "SndClearActiveChannels(): not active");
    EXPECT_FATAL(SndSetActiveChannels(9), "SndSetActiveChannels(): invalid no. of channels");
    EXPECT_FATAL(SndLoad(spooled, 0), "SndLoad(): bank is wrong type for loading samples");
    EXPECT_FATAL(SndLoad(7, 0), "SndLoad(): bank 7 is not in use");
    EXPECT_FATAL(SndRemoveSoundBank(32), "SndRemoveSoundBank(): invalid bank key");
    EXPECT_FATAL(SndRemoveSoundBank(7), "SndRemoveSoundBank(): bank is already removed");
    Activate(2);
    EXPECT_FATAL(SndSetActiveChannels(1), "SndSetActiveChannels(): already active");
    EXPECT_FATAL(SndPlay(ram, 0, 2, 100, 0), "SndPlay(): bad channel 2");
    EXPECT_FATAL(SndPlay(-1, 0, 0, 100, 0), "SndPlay(): bank -1 is not in use");
    EXPECT_FATAL(SndPlay(ram, 0, 0, 100, 0),
                 "_SndCopyFromSample2PlayBuf(): sound not loaded - use SndLoad()");
    EXPECT_FATAL(SndStop(8), "SndStop(): bad channel 8");
    EXPECT_FATAL(SndChannelIsIdle(2), "SndChannelIsIdle(): bad channel 2");
    EXPECT_FATAL(SndSetVolumeIfActive(-1, 50), "SndSetVolumeIfActive(): bad channel -1");
    SndLoad(ram, 0);
    EXPECT_FATAL(SndRemoveSoundBank(ram), "SndRemoveSoundBank(): sample 0:0 was not unloaded\n");
    EXPECT_FATAL(SndInit(), "SndInit(): already initialised");
    while (SndAddSoundBank({{.format = "x%d"}, 0, 1, SND_BANK_SAMPLES | SND_LIST_FORMAT | SND_RAM})
           < SND_MAX_BANKS - 1) {
    }
    EXPECT_FATAL(RamBank(1), "SndAddSoundBank(): too many sound banks");
    EXPECT_FATAL(SndAddSoundBank({{.format = "x"}, 0, 1, 2 | SND_LIST_FORMAT | SND_RAM}),
                 "SndAddSoundBank(): only sample sound banks supported in this version");
}

// ---------------------------------------------------------------------------------------------
// The game's banks over the built archives.

TEST_F(Snd, EveryFileOfTheGamesBanksIsAValidSampleAsTheSourcesDescribe)
{
    std::map<std::string, std::pair<uint32_t, uint32_t>> described;  // rate, loop flag
    std::istringstream sources(ReadTextFile(PELLORAN_SOURCE_DIR "/data/sounds.txt"));
    for (std::string line; std::getline(sources, line);) {
        std::istringstream fields(line);
        std::string name, kind;
        uint32_t length, pitch, loop, rate;
        if (line.empty() || line[0] == '#') continue;
        ASSERT_TRUE(fields >> name >> kind >> length >> pitch >> loop >> rate) << line;
        described[name] = {rate, loop};
    }
    ASSERT_EQ(described.size(), 121u);

    DataFolderInit(PELLORAN_BUILD_DIR "/data");
    PakMount("pakfiles\\hdcommon");
    PakMount("pakfiles\\cdcommon");
    AddGameSoundBanks();
    EXPECT_EQ(std::vector<int32_t>({SndKeyInGame, SndKeyPreCrowd, SndKeyCrowd, SndKeyMusic}),
              std::vector<int32_t>({0, 1, 2, 3}));
    std::set<std::string> found;
    for (int32_t key : {SndKeyInGame, SndKeyPreCrowd, SndKeyCrowd, SndKeyMusic}) {
        SndBank* const bank = &SndBanks[key];
        for (uint32_t n = 0; n < bank->desc.sampleCount; ++n) {
            const SndSampleInfo* info = GetSampInfo(bank, static_cast<int32_t>(n));
            const std::string name = GetSampFilename(bank, static_cast<int32_t>(n));
            ASSERT_EQ(described.count(name), 1u) << name;
            EXPECT_EQ(info->sampleRate, described[name].first) << name;
            EXPECT_EQ(info->flags & SND_SAMPLE_LOOPS, described[name].second) << name;
            EXPECT_GT(info->dataSize, 0u) << name;
            found.insert(name);
        }
    }
    EXPECT_EQ(found.size(), 121u);
    RemoveGameSoundBanks();
    EXPECT_EQ(SndKeyCrowd, -1);
    EXPECT_FALSE(SndIsOn());
}

// ---------------------------------------------------------------------------------------------
// Mutated samples: cut short, bit-flipped, with extreme chunk sizes, extra bytes or chunks in
// another order. Each is refused with a status, or read and played inside its own bytes.

namespace {

constexpr int MUTATED_SAMPLES = 3000;
constexpr uint32_t MUTATION_SEED = 20240611;

std::vector<std::vector<Chunk>> MutationOriginals()
{
    return {
        {Fmt(), Brix(0), {"data", Noise(SND_BLOCK_BYTES + 808, 30)}},
        {Fmt(1, 8, 1, 16, 11025), {"note", Bytes(7, 'n')}, Brix(1), {"data", Noise(301, 31)}},
        {{"data", Noise(64, 32)}, Fmt(1, 8, 1, 18, 22050), Brix(1)},
        {Fmt(), {"data", {}}},
    };
}

struct Mutant {
    Bytes bytes;
    size_t original;
    bool reordered;  // the original's chunks in another order: still a valid sample
};

void SetU32(Bytes* bytes, size_t offset, uint32_t value)
{
    std::memcpy(bytes->data() + offset, &value, sizeof value);
}

uint32_t GetU32(const uint8_t* bytes)
{
    uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// Where the chunks' size fields lie in Wave(chunks), and where the samples of "data" lie.
struct Layout {
    std::vector<size_t> sizeFields;  // the RIFF size first
    size_t dataBegin = 0;
    size_t dataEnd = 0;
};

Layout LayoutOf(const std::vector<Chunk>& chunks)
{
    Layout layout{{4}};
    size_t offset = 12;
    for (const Chunk& chunk : chunks) {
        layout.sizeFields.push_back(offset + 4);
        if (chunk.id == "data") {
            layout.dataBegin = offset + 8;
            layout.dataEnd = layout.dataBegin + chunk.body.size();
        }
        offset += 8 + chunk.body.size() + chunk.body.size() % 2;
    }
    return layout;
}

Mutant Mutate(const std::vector<std::vector<Chunk>>& originals, std::mt19937* random)
{
    const auto below = [random](size_t n) { return n == 0 ? size_t{0} : (*random)() % n; };
    const size_t original = below(originals.size());
    std::vector<Chunk> chunks = originals[original];
    const Layout layout = LayoutOf(chunks);
    Bytes bytes = Wave(chunks);
    switch (below(5)) {
        case 0:  // cut short; the RIFF size follows the cut half the time
            bytes.resize(below(bytes.size()));
            if (bytes.size() >= 8 && below(2)) SetU32(&bytes, 4, uint32_t(bytes.size() - 8));
            break;
        case 1:  // bit flips, half of them in the headers around the samples
            for (size_t flips = 1 + below(3); flips > 0; --flips) {
                const size_t samples = layout.dataEnd - layout.dataBegin;
                size_t at = below(bytes.size());
                if (below(2)) {
                    at = below(bytes.size() - samples);
                    if (at >= layout.dataBegin) at += samples;
                }
                bytes[at] ^= uint8_t(1u << below(8));
            }
            break;
        case 2: {
            const size_t field = layout.sizeFields[below(layout.sizeFields.size())];
            const uint32_t old = GetU32(bytes.data() + field);
            const uint32_t extremes[] = {0,
                                         1,
                                         15,
                                         16,
                                         17,
                                         0x7FFFFFFF,
                                         0x80000000,
                                         0xFFFFFFF7,
                                         0xFFFFFFF8,
                                         0xFFFFFFFF,
                                         old - 1,
                                         old + 1,
                                         old + 2,
                                         uint32_t(bytes.size()),
                                         uint32_t((*random)())};
            SetU32(&bytes, field, extremes[below(std::size(extremes))]);
            break;
        }
        case 3: {  // extra bytes anywhere; the RIFF size follows them half the time
            const size_t at = below(bytes.size() + 1);
            Bytes extra(1 + below(16));
            for (uint8_t& b : extra) {
                b = uint8_t((*random)());
            }
            bytes.insert(bytes.begin() + std::ptrdiff_t(at), extra.begin(), extra.end());
            if (below(2)) SetU32(&bytes, 4, uint32_t(bytes.size() - 8));
            break;
        }
        default:
            for (size_t i = chunks.size() - 1; i > 0; --i) {
                std::swap(chunks[i], chunks[below(i + 1)]);
            }
            return {Wave(chunks), original, true};
    }
    return {bytes, original, false};
}

std::vector<Mutant> MutatedSamples()
{
    const std::vector<std::vector<Chunk>> originals = MutationOriginals();
    std::mt19937 random(MUTATION_SEED);
    std::vector<Mutant> mutants;
    for (int i = 0; i < MUTATED_SAMPLES; ++i) {
        mutants.push_back(Mutate(originals, &random));
    }
    return mutants;
}

// A file in memory that counts the reads asked of it beyond its end.
struct MemoryWave {
    const Bytes* bytes;
    int readsOutside = 0;
};

bool ReadMemoryWave(void* file, uint32_t offset, uint32_t count, uint8_t* out)
{
    MemoryWave* wave = static_cast<MemoryWave*>(file);
    if (offset > wave->bytes->size() || count > wave->bytes->size() - offset) {
        ++wave->readsOutside;
        return false;
    }
    std::memcpy(out, wave->bytes->data() + offset, count);
    return true;
}

constexpr SndSampleInfo UNTOUCHED = {7, 0xDEADBEEF, 0xDEADBEEF, 0xDEADBEEF, nullptr, 0};

bool SameRow(const SndSampleInfo& a, const SndSampleInfo& b)
{
    return a.sampleRate == b.sampleRate && a.dataOffset == b.dataOffset && a.dataSize == b.dataSize
           && a.flags == b.flags;
}

SndWaveStatus CheckInMemory(const Bytes& bytes, SndSampleInfo* info)
{
    MemoryWave wave{&bytes};
    const SndWaveStatus status = SndCheckWave(ReadMemoryWave, &wave, uint32_t(bytes.size()), info);
    EXPECT_EQ(wave.readsOutside, 0);
    return status;
}

Bytes SamplesOf(const Bytes& bytes, const SndSampleInfo& info)
{
    return Bytes(bytes.begin() + info.dataOffset, bytes.begin() + info.dataOffset + info.dataSize);
}

// The ring of a channel just after SndPlay: the sample from its start, round again if it loops,
// else silence after it.
Bytes RingAtPlay(const Bytes& samples, bool loops)
{
    Bytes ring(RING_OF_EIGHT, kSilent);
    for (size_t i = 0; i < ring.size() && (loops || i < samples.size()); ++i) {
        ring[i] = samples[i % samples.size()];
    }
    return ring;
}

}  // namespace

TEST_F(Snd, MutatedSamplesAreRefusedOrAcceptedWithTheirSamplesInsideTheFile)
{
    const std::vector<std::vector<Chunk>> originals = MutationOriginals();
    std::set<int32_t> statuses;
    for (const Mutant& mutant : MutatedSamples()) {
        SndSampleInfo info = UNTOUCHED;
        const SndWaveStatus status = CheckInMemory(mutant.bytes, &info);
        ASSERT_LT(uint32_t(status), uint32_t(SND_WAVE_STATUS_COUNT));
        statuses.insert(status);
        if (status != SND_WAVE_OK) {
            ASSERT_FALSE(mutant.reordered) << "status " << status;
            ASSERT_TRUE(SameRow(info, UNTOUCHED)) << "status " << status;
            continue;
        }
        ASSERT_GE(info.sampleRate, HOST_AUDIO_MIN_FREQUENCY);
        ASSERT_LE(info.sampleRate, HOST_AUDIO_MAX_FREQUENCY);
        ASSERT_GE(info.dataOffset, 20u);
        ASSERT_LE(uint64_t(info.dataOffset) + info.dataSize, mutant.bytes.size());
        ASSERT_EQ(std::memcmp(mutant.bytes.data() + info.dataOffset - 8, "data", 4), 0);
        ASSERT_EQ(GetU32(mutant.bytes.data() + info.dataOffset - 4), info.dataSize);
        ASSERT_FALSE((info.flags & SND_SAMPLE_LOOPS) && info.dataSize == 0);
        if (!mutant.reordered) continue;
        SndSampleInfo before = UNTOUCHED;
        const Bytes original = Wave(originals[mutant.original]);
        ASSERT_EQ(CheckInMemory(original, &before), SND_WAVE_OK);
        EXPECT_EQ(info.sampleRate, before.sampleRate);
        EXPECT_EQ(info.flags, before.flags);
        EXPECT_EQ(SamplesOf(mutant.bytes, info), SamplesOf(original, before));
    }
    // Every refusal but the looping sample without data, which needs two mutations at once.
    EXPECT_EQ(statuses.size(), size_t(SND_WAVE_STATUS_COUNT) - 1);
}

TEST_F(Snd, EveryMutatedSampleTheCheckAcceptsPlaysFromRamAndFromThePak)
{
    // Samples whose rows are alike play alike, so each row plays once.
    std::vector<Bytes> accepted;
    std::vector<SndSampleInfo> rows;
    std::vector<MkFile> files;
    for (const Mutant& mutant : MutatedSamples()) {
        SndSampleInfo info = UNTOUCHED;
        if (CheckInMemory(mutant.bytes, &info) != SND_WAVE_OK) continue;
        const auto same = [&info](const SndSampleInfo& row) { return SameRow(row, info); };
        if (std::any_of(rows.begin(), rows.end(), same)) continue;
        files.push_back({"fuzz\\" + std::to_string(rows.size()) + ".wav", mutant.bytes});
        accepted.push_back(SamplesOf(mutant.bytes, info));
        rows.push_back(info);
    }
    // Among them the sample without samples, which must play silence from both storages.
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(),
                            [](const SndSampleInfo& row) { return row.dataSize == 0; }));
    Start(files);
    const uint32_t count = uint32_t(rows.size());
    const int32_t ram = SndAddSoundBank(
        {{.format = "fuzz\\%d.wav"}, 0, count, SND_BANK_SAMPLES | SND_LIST_FORMAT | SND_RAM});
    const int32_t spooled = SndAddSoundBank(
        {{.format = "fuzz\\%d.wav"}, 0, count, SND_BANK_SAMPLES | SND_LIST_FORMAT | SND_SPOOLED});
    Activate(8);
    for (int32_t n = 0; n < int32_t(count); ++n) {
        SndLoad(ram, n);
        ASSERT_TRUE(SameRow(*GetSampInfo(&SndBanks[spooled], n), rows[n])) << n;
        ASSERT_EQ(SndPlay(ram, n, 0, 100, 0), 0);
        ASSERT_EQ(SndPlay(spooled, n, 1, 100, 0), 1);
        const Bytes ring = RingAtPlay(accepted[n], rows[n].flags & SND_SAMPLE_LOOPS);
        ASSERT_EQ(Ring(0, 0, RING_OF_EIGHT), ring) << n;
        ASSERT_EQ(Ring(1, 0, RING_OF_EIGHT), ring) << n;
        ClockAdvance(30);
        SndRefillAll();
        SndStop(-1);
        SndUnload(ram, n);
    }
}
