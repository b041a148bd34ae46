#include "engine/sounddrv.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
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
#include "engine/host/inject.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/poll.h"
#include "engine/startup.h"
#include "engine/timer.h"
#include "engine/winlib.h"
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

Chunk Fmt(uint32_t channels = 1, uint32_t bits = 8, uint32_t format = 1, size_t size = 16)
{
    Bytes body;
    Put16(&body, format);
    Put16(&body, channels);
    Put32(&body, 44100);
    Put32(&body, 44100 * channels * bits / 8);
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

// Bytes 1-255, so a zero in a ring is always silence the driver wrote.
Bytes Noise(size_t size, uint32_t seed)
{
    Bytes bytes = SampleRandomBytes(size, seed);
    for (uint8_t& b : bytes) {
        b = static_cast<uint8_t>(1 + b % 255);
    }
    return bytes;
}

const char* const kSpooledNames[] = {
    "spool\\a.wav", "spool\\b.wav", "spool\\c.wav", "spool\\d.wav", "spool\\e.wav", "spool\\f.wav",
    "spool\\g.wav", "spool\\h.wav", "spool\\i.wav", "spool\\j.wav", "spool\\k.wav", "spool\\l.wav"};

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
        NoSoundFlag = false;
        OnExitRun();
        PakFileUninit();
        WinUninit();
    }

    // Mounts the files as the hard-disk archive and starts the driver.
    void Start(const std::vector<MkFile>& files)
    {
        std::string error;
        ASSERT_TRUE(MkWritePacked(m_dir.Path("pakfiles/hdcommon"), files, &error)) << error;
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

    // Every bank removed, every channel cleared, the driver off.
    static void Finish()
    {
        if (s_active) Clear();
        for (int32_t key = 0; key < SND_MAX_BANKS; ++key) {
            if (!SndBanks[key].inUse) continue;
            if ((SndBanks[key].desc.flags & SND_STORAGE_MASK) == SND_RAM) SndUnload(key, -1);
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
    Clear();
    Finish();
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
    EXPECT_TRUE(std::all_of(ring.begin() + 10000, ring.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(SndChannels[0].endPosition, 10000u);

    ClockAdvance(22);  // 9,702 bytes played
    SndUpdateChanels();
    EXPECT_EQ(SndChannelIsIdle(0), 0);
    ClockAdvance(1);  // 10,143
    SndUpdateChanels();
    EXPECT_EQ(SndChannels[0].bank, nullptr);
    EXPECT_EQ(SndChannelIsIdle(0), 1);
    Clear();
    Finish();
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
        std::all_of(wrapped.begin() + 100, wrapped.end(), [](uint8_t b) { return b == 0; }));
    Clear();
    Finish();
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
    Clear();
    Finish();
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
    EXPECT_EQ(Count(play, "PakOpenFile(): 'spool\\a.wav'"), 1u + 16);  // the header, then blocks

    ClockAdvance(20);  // into block 1: block 0 is free to refill
    testing::internal::CaptureStdout();
    SndRefillAll();
    EXPECT_EQ(Count(testing::internal::GetCapturedStdout(), "PakOpenFile(): "), 1u);
    DebugSetLevel(DBG_FILE, 0);
    Clear();
    Finish();
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
    Finish();
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
    Finish();
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

TEST_F(Snd, HeadersWithOddExtraAndLateChunksAreRead)
{
    const Bytes data = Noise(501, 8);
    Start({
        {"spool\\a.wav", Wave({Fmt(), {"note", Bytes(5, 'x')}, {"data", data}, Brix(1)})},
        {"spool\\b.wav", Wave({Fmt(1, 8, 1, 18), {"zero", {}}, {"data", data}})},
    });
    const int32_t key = SpooledBank(2);
    const SndSampleInfo* a = GetSampInfo(&SndBanks[key], 0);
    EXPECT_EQ(a->sampleRate, 44100u);
    EXPECT_EQ(a->dataOffset, 12u + 24 + 14 + 8);
    EXPECT_EQ(a->dataSize, 501u);
    EXPECT_EQ(a->flags, 1u);
    const SndSampleInfo* b = GetSampInfo(&SndBanks[key], 1);
    EXPECT_EQ(b->dataOffset, 12u + 26 + 8 + 8);
    EXPECT_EQ(b->flags, 0u);
    Finish();
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
