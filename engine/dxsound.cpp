// engine/dxsound.cpp: the sound channel layer over the host's sound output.
#include "engine/dxsound.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/debug.h"
#include "engine/dxerror.h"
#include "engine/fatal.h"
#include "engine/host/host.h"
#include "engine/winlib.h"

namespace {

constexpr const char* DSOUND_SOURCE = "dxsound";
// The channels may be changed in volume, frequency and pan, and report their cursors.
constexpr uint32_t DSOUND_CHANNEL_CAPS = 0x100E0;

struct LockRecord {
    void* first;
    uint32_t firstBytes;
    void* second;
    uint32_t secondBytes;
};

struct DSoundState {
    bool open;
    HostSoundBuffer* primary;
    HostSoundBuffer* channels[DSOUND_MAX_CHANNELS];
    LockRecord locks[DSOUND_MAX_CHANNELS];
    uint32_t channelCount;
};

DSoundState s_dsound;

[[noreturn]] void Abort(int32_t line, const char* message)
{
    FatalAbort(DSOUND_SOURCE, line, message);
}

void Check(HostResult result, const char* call, int32_t line = __builtin_LINE(),
           const char* func = __builtin_FUNCTION())
{
    DXCheck(result, DSOUND_SOURCE, call, line, func);
}

// The state checks every per-channel operation starts with.
HostSoundBuffer* Channel(uint32_t channel, const char* operation, int32_t line = __builtin_LINE())
{
    char message[128];
    if (!s_dsound.open) {
        std::snprintf(message, sizeof message, "%s(): not initialised", operation);
        Abort(line, message);
    }
    if (channel >= s_dsound.channelCount) {
        std::snprintf(message, sizeof message, "%s(): bad channel %d", operation,
                      static_cast<int32_t>(channel));
        Abort(line, message);
    }
    return s_dsound.channels[channel];
}

void LogFormat(const char* verb, const HostAudioFormat& format)
{
    DebugPrintf(DBG_SOUND, 80, "DSoundInit(): %s %dHz, %d bit, %d chans\n", verb,
                static_cast<int32_t>(format.samplesPerSecond),
                static_cast<int32_t>(format.bitsPerSample), static_cast<int32_t>(format.channels));
}

void SetPrimaryFormat()
{
    HostAudioFormat format = {DSOUND_PRIMARY_RATE, 16, 2};
    LogFormat("requesting", format);
    Check(HostSoundBufferSetFormat(s_dsound.primary, format), "1st DSB_SetFormat");
    Check(HostSoundBufferGetFormat(s_dsound.primary, &format), "DSB_GetFormat");
    LogFormat("got", format);
    Check(HostSoundBufferSetFormat(s_dsound.primary, format), "2nd DSB_SetFormat");
}

}  // namespace

int32_t DSoundInit()
{
    if (s_dsound.open) Abort(__LINE__, "DSoundInit(): already initialised");
    s_dsound = {};
    Check(HostAudioSystemStart(), "CoInitialise");
    if (!HostAudioOpen()) {
        HostAudioSystemStop();
        return 0;
    }
    Check(HostAudioSetCooperation(WinGetHWnd(), true), "DS_SetCooperativeLevel");
    const HostSoundBufferDesc primary = {HOST_SOUND_PRIMARY, 0, 0};
    Check(HostSoundBufferCreate(primary, &s_dsound.primary), "DS_CreateSoundBuffer");
    s_dsound.open = true;
    SetPrimaryFormat();
    OnExitAddEx(DSoundUninit, "DSoundUninit()");
    return 1;
}

void DSoundUninit()
{
    if (s_dsound.channelCount != 0) Abort(__LINE__, "DSoundUninit(): channels not released");
    if (!s_dsound.open) Abort(__LINE__, "DSoundUninit(): not initialised");
    OnExitRemove(DSoundUninit);
    const uint32_t left = HostSoundBufferRelease(s_dsound.primary);
    s_dsound.primary = nullptr;
    if (left != 0) Abort(__LINE__, "DSoundUninit(): DSound primary buffer still in use");
    Check(HostAudioSetCooperation(WinGetHWnd(), false), "DS_SetCooperativeLevel");
    HostAudioClose();
    s_dsound.open = false;
    HostAudioSystemStop();
}

void DSoundInitChans(uint32_t count, uint32_t bytes)
{
    if (s_dsound.channelCount != 0) Abort(__LINE__, "DSoundInitChans(): already initialised");
    if (!s_dsound.open) Abort(__LINE__, "DSoundInitChans(): not initialised");
    s_dsound.channelCount = count;
    const HostSoundBufferDesc desc = {HOST_SOUND_STREAM, DSOUND_CHANNEL_CAPS, bytes};
    for (uint32_t c = 0; c < count; ++c) {
        Check(HostSoundBufferCreate(desc, &s_dsound.channels[c]), "DS_CreateSoundBuffer");
    }
    OnExitAddEx(DSoundUninitChans, "DSoundUninitChans()");
}

void DSoundUninitChans()
{
    if (s_dsound.channelCount == 0 || !s_dsound.open)
        Abort(__LINE__, "DSoundUninitChans(): not initialised");
    OnExitRemove(DSoundUninitChans);
    for (uint32_t c = 0; c < s_dsound.channelCount; ++c) {
        const uint32_t left = HostSoundBufferRelease(s_dsound.channels[c]);
        s_dsound.channels[c] = nullptr;
        if (left != 0) Abort(__LINE__, "DSoundUninitChans(): channel already in use");
    }
    s_dsound.channelCount = 0;
}

uint8_t* DSoundLockChannel(uint32_t channel, uint32_t offset, uint32_t bytes)
{
    HostSoundBuffer* const buffer = Channel(channel, "DSoundLockChannel");
    LockRecord& lock = s_dsound.locks[channel];
    Check(HostSoundBufferLock(buffer, offset, bytes, &lock.first, &lock.firstBytes, &lock.second,
                              &lock.secondBytes),
          "DSB_Lock");
    if (lock.firstBytes != bytes || lock.second != nullptr)
        Abort(__LINE__, "DSoundLockChannel(): failed to lock requested byte count");
    return static_cast<uint8_t*>(lock.first);
}

void DSoundUnlockChannel(uint32_t channel)
{
    HostSoundBuffer* const buffer = Channel(channel, "DSoundUnlockChannel");
    const LockRecord& lock = s_dsound.locks[channel];
    Check(HostSoundBufferUnlock(buffer, lock.first, lock.firstBytes, lock.second, lock.secondBytes),
          "DSB_Unlock");
}

void DSoundPlayChannel(uint32_t channel, uint32_t looping)
{
    HostSoundBuffer* const buffer = Channel(channel, "DSoundPlayChannel");
    Check(HostSoundBufferSetPosition(buffer, 0), "DSB_SetCurrentPosition");
    Check(HostSoundBufferPlay(buffer, looping != 0), "DSB_Play");
}

void DSoundStopChannel(uint32_t channel)
{
    HostSoundBuffer* const buffer = Channel(channel, "DSoundStopChannel");
    Check(HostSoundBufferStop(buffer), "DSB_Stop");
    Check(HostSoundBufferSetPosition(buffer, 0), "DSB_SetCurrentPosition");
}

void DSoundSetChannelFrequency(uint32_t channel, uint32_t samplesPerSecond)
{
    HostSoundBuffer* const buffer = Channel(channel, "DSoundSetChannelFrequency");
    Check(HostSoundBufferSetFrequency(buffer, samplesPerSecond), "DSB_SetFrequency");
}

void DSoundSetChannelVolume(uint32_t channel, uint32_t volume)
{
    HostSoundBuffer* const buffer = Channel(channel, "DSoundSetChannelVolume");
    int32_t level = HOST_AUDIO_SILENT;
    if (volume != 0) {
        const double decibels = 1000.0 * std::log2(volume * 0.01);
        level = static_cast<int32_t>(std::clamp(std::trunc(decibels), -10000.0, 0.0));
    }
    Check(HostSoundBufferSetVolume(buffer, level), "DSB_SetVolume");
}

void DSoundSetChannelPan(uint32_t channel, int32_t pan)
{
    HostSoundBuffer* const buffer = Channel(channel, "DSoundSetChannelPan");
    Check(HostSoundBufferSetPan(buffer, pan * 10000 / 100), "DSB_SetPan");
}

void DSoundGetChanOffset(uint32_t channel, uint32_t* play, uint32_t* write)
{
    HostSoundBuffer* const buffer = Channel(channel, "DSoundGetChanOffset");
    uint32_t playCursor = 0;
    uint32_t writeCursor = 0;
    Check(HostSoundBufferCursors(buffer, &playCursor, &writeCursor), "DSB_GetCurrentPosition");
    if (play) *play = playCursor;
    if (write) *write = writeCursor;
}
