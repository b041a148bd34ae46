// engine/dxsound.h: the sound channel layer: opens the sound output and gives each sound channel
// a streaming buffer that the sound driver locks, fills, plays and stops. Every failed host call
// is fatal, reported as a DirectX failure of "dxsound".
#pragma once

#include <cstdint>

constexpr uint32_t DSOUND_MAX_CHANNELS = 8;
constexpr uint32_t DSOUND_PRIMARY_RATE = 44100;  // the output: 16-bit stereo at this rate
constexpr uint32_t DSOUND_CHANNEL_RATE = 44100;  // each channel: 8-bit unsigned mono

// Opens the output: 1 when it plays, 0 when no sound device answers (nothing printed). Fatal
// "DSoundInit(): already initialised" when open. Registers DSoundUninit as the exit function
// "DSoundUninit()". Logs the requested and the granted format at level 80 on "sound".
int32_t DSoundInit();
// Closes the output; fatal "DSoundUninit(): channels not released" while channels exist and
// "DSoundUninit(): not initialised" when closed.
void DSoundUninit();

// `count` (1-8) buffers of `bytes` bytes each; exit function "DSoundUninitChans()". Fatal
// "DSoundInitChans(): already initialised" when channels exist, "...: not initialised" when the
// output is closed.
void DSoundInitChans(uint32_t count, uint32_t bytes);
void DSoundUninitChans();  // fatal "DSoundUninitChans(): not initialised" without channels

// The per-channel operations. Each is fatal "<Operation>(): not initialised" while the output is
// closed, and "<Operation>(): bad channel %d" for a channel at or beyond the channel count.
// Locks exactly the region [offset, offset + bytes) and returns its address; a region that
// would wrap past the buffer's end is fatal "DSoundLockChannel(): failed to lock requested byte
// count". Each lock is followed by its unlock before any other call.
uint8_t* DSoundLockChannel(uint32_t channel, uint32_t offset, uint32_t bytes);
void DSoundUnlockChannel(uint32_t channel);
void DSoundPlayChannel(uint32_t channel, uint32_t looping);  // from position 0
void DSoundStopChannel(uint32_t channel);                    // and back to position 0
void DSoundSetChannelFrequency(uint32_t channel, uint32_t samplesPerSecond);
// 100 and above full volume; each halving 10 dB quieter; 0 silent.
void DSoundSetChannelVolume(uint32_t channel, uint32_t volume);
void DSoundSetChannelPan(uint32_t channel, int32_t pan);  // -100 left only to 100 right only
// The play and write cursors in bytes; either pointer may be null.
void DSoundGetChanOffset(uint32_t channel, uint32_t* play, uint32_t* write);
