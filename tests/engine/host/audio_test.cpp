#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

void NoPeriodWork() {}

// The headless host with its window shown (so it has the focus), the manual clock running and
// the output open.
class Audio : public testing::Test {
protected:
    void SetUp() override
    {
        m_window = HostWindowCreate(HostProgramInstance(), "audio", true, HostDefaultWindowProc);
        HostWindowShow(m_window);
        ClockStart(NoPeriodWork);
        ASSERT_TRUE(HostAudioOpen());
    }
    void TearDown() override { ClockStop(); }

    // A stream of these bytes, frequency and volume, playing looping.
    HostSoundBuffer* Play(const std::vector<uint8_t>& bytes, uint32_t hz, bool looping = true)
    {
        HostSoundBuffer* buffer = nullptr;
        const HostSoundBufferDesc desc = {HOST_SOUND_STREAM, 0,
                                          static_cast<uint32_t>(bytes.size())};
        EXPECT_EQ(HostSoundBufferCreate(desc, &buffer), HOST_OK);
        Fill(buffer, bytes);
        EXPECT_EQ(HostSoundBufferSetFrequency(buffer, hz), HOST_OK);
        EXPECT_EQ(HostSoundBufferPlay(buffer, looping), HOST_OK);
        return buffer;
    }

    static void Fill(HostSoundBuffer* buffer, const std::vector<uint8_t>& bytes)
    {
        void* first = nullptr;
        void* second = nullptr;
        uint32_t firstBytes = 0;
        uint32_t secondBytes = 0;
        ASSERT_EQ(HostSoundBufferLock(buffer, 0, static_cast<uint32_t>(bytes.size()), &first,
                                      &firstBytes, &second, &secondBytes),
                  HOST_OK);
        std::memcpy(first, bytes.data(), firstBytes);
        ASSERT_EQ(HostSoundBufferUnlock(buffer, first, firstBytes, second, secondBytes), HOST_OK);
    }

    // The frame `index` of the capture: left and right.
    static std::pair<int16_t, int16_t> Frame(size_t index)
    {
        const std::vector<int16_t>& capture = HostInjectAudioCaptured();
        return {capture[2 * index], capture[2 * index + 1]};
    }

    static uint32_t PlayCursor(HostSoundBuffer* buffer)
    {
        uint32_t play = 0;
        uint32_t write = 0;
        EXPECT_EQ(HostSoundBufferCursors(buffer, &play, &write), HOST_OK);
        return play;
    }

private:
    ScopedHeadlessHost m_host;
    HostWindow m_window = HOST_NO_WINDOW;
};

}  // namespace

TEST_F(Audio, FullScaleSampleMixesAtItsVolumeAndPan)
{
    HostSoundBuffer* const buffer = Play(std::vector<uint8_t>(4410, 255), 44100);
    HostInjectAudioCapture(true);
    ClockAdvance(1);
    ASSERT_EQ(HostInjectAudioCaptured().size(), 2u * 441);
    EXPECT_EQ(Frame(100), (std::pair<int16_t, int16_t>(32512, 32512)));

    ASSERT_EQ(HostSoundBufferSetVolume(buffer, -1000), HOST_OK);
    ClockAdvance(1);
    EXPECT_NEAR(Frame(441 + 100).first, 10281, 1);
    EXPECT_NEAR(Frame(441 + 100).second, 10281, 1);

    ASSERT_EQ(HostSoundBufferSetVolume(buffer, 0), HOST_OK);
    ASSERT_EQ(HostSoundBufferSetPan(buffer, HOST_AUDIO_PAN_RIGHT), HOST_OK);
    ClockAdvance(1);
    EXPECT_EQ(Frame(882 + 100), (std::pair<int16_t, int16_t>(0, 32512)));
}

TEST_F(Audio, SquareWaveKeepsItsPitchThroughTheResampling)
{
    constexpr uint32_t RATE = 11025;
    std::vector<uint8_t> wave(RATE);
    for (uint32_t i = 0; i < RATE; ++i) {
        wave[i] = (i * 1000 * 2 / RATE) % 2 == 0 ? 255 : 0;
    }
    Play(wave, RATE);
    HostInjectAudioCapture(true);
    ClockAdvance(100);
    int rises = 0;
    for (size_t f = 1; f < HOST_AUDIO_RATE; ++f) {
        if (Frame(f - 1).first < 0 && Frame(f).first >= 0) ++rises;
    }
    EXPECT_NEAR(rises, 1000, 5);
}

TEST_F(Audio, WithoutTheFocusTheOutputIsSilentAndTheCursorsMoveOn)
{
    HostSoundBuffer* const buffer = Play(std::vector<uint8_t>(44100, 200), 44100);
    HostInjectAudioCapture(true);
    HostOnFocusChange(false);
    const uint32_t before = PlayCursor(buffer);
    ClockAdvance(10);
    EXPECT_EQ(PlayCursor(buffer), before + 4410);
    for (int16_t sample : HostInjectAudioCaptured()) {
        ASSERT_EQ(sample, 0);
    }
    HostOnFocusChange(true);
    ClockAdvance(1);
    EXPECT_GT(Frame(10 * 441 + 10).first, 0);
}

TEST_F(Audio, CursorsLeadWhilePlayingAndReadZeroOnceAOneShotBufferEnds)
{
    HostSoundBuffer* const buffer = Play(std::vector<uint8_t>(600, 128), 22050, false);
    uint32_t play = 99;
    uint32_t write = 99;
    ASSERT_EQ(HostSoundBufferCursors(buffer, &play, &write), HOST_OK);
    EXPECT_EQ(play, 0u);
    EXPECT_EQ(write, 22050u * 15 / 1000);
    ClockAdvance(2);  // 441 bytes at half the output rate
    ASSERT_EQ(HostSoundBufferCursors(buffer, &play, &write), HOST_OK);
    EXPECT_EQ(play, 441u);
    EXPECT_EQ(write, (441u + 330) % 600);
    ClockAdvance(1);
    ASSERT_EQ(HostSoundBufferCursors(buffer, &play, &write), HOST_OK);
    EXPECT_EQ(play, 0u);
    EXPECT_EQ(write, 0u);
}

TEST_F(Audio, LockSplitsARegionThatWrapsAndRefusesBadRegions)
{
    HostSoundBuffer* const buffer = Play(std::vector<uint8_t>(1000, 128), 44100);
    void* first = nullptr;
    void* second = nullptr;
    uint32_t firstBytes = 0;
    uint32_t secondBytes = 0;
    ASSERT_EQ(HostSoundBufferLock(buffer, 900, 300, &first, &firstBytes, &second, &secondBytes),
              HOST_OK);
    EXPECT_EQ(firstBytes, 100u);
    EXPECT_EQ(secondBytes, 200u);
    EXPECT_EQ(static_cast<uint8_t*>(first) - static_cast<uint8_t*>(second), 900);
    EXPECT_EQ(HostSoundBufferLock(buffer, 0, 10, &first, &firstBytes, &second, &secondBytes),
              HOST_E_BAD_ARGUMENT);  // already locked
    ASSERT_EQ(HostSoundBufferUnlock(buffer, first, firstBytes, second, secondBytes), HOST_OK);

    EXPECT_EQ(HostSoundBufferLock(buffer, 0, 0, &first, &firstBytes, &second, &secondBytes),
              HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostSoundBufferLock(buffer, 1000, 1, &first, &firstBytes, &second, &secondBytes),
              HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostSoundBufferLock(buffer, 0, 1001, &first, &firstBytes, &second, &secondBytes),
              HOST_E_BAD_ARGUMENT);
}

TEST_F(Audio, RefusesValuesOutsideTheirRanges)
{
    HostSoundBuffer* const buffer = Play(std::vector<uint8_t>(100, 128), 44100);
    EXPECT_EQ(HostSoundBufferSetFrequency(buffer, 99), HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostSoundBufferSetFrequency(buffer, 100001), HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostSoundBufferSetVolume(buffer, 1), HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostSoundBufferSetVolume(buffer, -10001), HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostSoundBufferSetPan(buffer, 10001), HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostSoundBufferSetPosition(buffer, 100), HOST_E_BAD_ARGUMENT);

    HostSoundBuffer* primary = nullptr;
    ASSERT_EQ(HostSoundBufferCreate({HOST_SOUND_PRIMARY, 0, 0}, &primary), HOST_OK);
    EXPECT_EQ(HostSoundBufferSetFormat(primary, {22050, 16, 2}), HOST_E_UNSUPPORTED);
    EXPECT_EQ(HostSoundBufferSetFormat(primary, {44100, 16, 2}), HOST_OK);
}

// A voice nobody hears (the output is not kept) moves its cursor in one step; it must land where
// mixing frame by frame would have, across wraps, one-shot ends and rates above the output's.
TEST_F(Audio, UnkeptOutputMovesTheCursorsExactlyAsMixingDoes)
{
    struct Case {
        uint32_t bytes;
        uint32_t hz;
        bool looping;
        uint32_t periods;
        uint32_t play;  // worked by hand: 441 frames a period
    };
    const Case cases[] = {
        {600, 22050, false, 2, 441},    // half rate: 441 bytes
        {600, 22050, false, 3, 0},      // 661 bytes: the one-shot ended
        {1000, 44100, true, 3, 323},    // 1,323 wraps once
        {7, 11025, true, 1, 5},         // 110 bytes and a quarter: 110 mod 7
        {100, 88200, true, 1, 82},      // two bytes a frame: 882 mod 100
        {5000, 8000, true, 10, 800},    // 4,410 x 8,000 / 44,100
        {5000, 8000, false, 50, 4000},  // 4,000: still playing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bytes << " bytes at " << c.hz << " Hz");
        uint32_t cursors[2] = {};
        for (bool kept : {true, false}) {
            HostInjectAudioCapture(kept);
            HostSoundBuffer* const buffer =
                Play(std::vector<uint8_t>(c.bytes, 200), c.hz, c.looping);
            ClockAdvance(c.periods);
            cursors[kept] = PlayCursor(buffer);
            HostSoundBufferRelease(buffer);
        }
        EXPECT_EQ(cursors[true], c.play);
        EXPECT_EQ(cursors[false], c.play);
    }
    HostInjectAudioCapture(false);
}
