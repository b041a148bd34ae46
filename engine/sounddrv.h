// engine/sounddrv.h: the sound driver: banks of 8-bit mono WAVE samples played on up to eight
// channels, each channel a looping ring of 8 KB blocks that a poll function refills from memory
// (RAM banks) or from the pak file (spooled banks). With sound off every operation returns at
// once. Misuse and malformed samples are fatal aborts of "sounddrv".
#pragma once

#include <cstdint>

constexpr int32_t SND_MAX_BANKS = 32;
constexpr int32_t SND_MAX_CHANNELS = 8;
constexpr uint32_t SND_BLOCK_BYTES = 8192;
constexpr uint32_t SND_BLOCK_SHIFT = 13;
constexpr uint32_t SND_RING_BYTES = 1048576;  // shared equally by the active channels
constexpr int32_t SND_POLL_RATE = 10;         // ticks between refills
constexpr uint32_t SND_POLL_FLAGS = 1;
constexpr uint32_t SND_POSITION_END = 0xFFFFFFFF;  // the sample has been copied to its end

// Bank flags: type, file-list kind and storage.
constexpr uint32_t SND_BANK_TYPE_MASK = 0x00F;
constexpr uint32_t SND_BANK_SAMPLES = 0x001;
constexpr uint32_t SND_LIST_MASK = 0x0F0;
constexpr uint32_t SND_LIST_NAMES = 0x010;   // one file name per sample
constexpr uint32_t SND_LIST_FORMAT = 0x020;  // one format text, the sample number printed in
constexpr uint32_t SND_STORAGE_MASK = 0xF00;
constexpr uint32_t SND_SPOOLED = 0x100;  // read from the pak file block by block
constexpr uint32_t SND_RAM = 0x200;      // loaded whole by SndLoad

constexpr uint32_t SND_SAMPLE_LOOPS = 0x1;  // sample flags ("bRIx"): plays round without a gap

union SndFileList {
    const char* const* names;  // SND_LIST_NAMES
    const char* format;        // SND_LIST_FORMAT
};

struct SndBankDesc {
    SndFileList fileList;
    uint16_t unused;
    uint32_t sampleCount;
    uint32_t flags;
};

// A spooled sample is checked whole against its archive checksum once, the first time it plays;
// a damaged one plays as silence.
constexpr uint8_t SND_SPOOL_UNCHECKED = 0;
constexpr uint8_t SND_SPOOL_GOOD = 1;
constexpr uint8_t SND_SPOOL_DAMAGED = 2;

struct SndSampleInfo {
    uint32_t sampleRate;  // 0: the header has not been read yet
    uint32_t dataOffset;  // of the "data" chunk's contents in the file
    uint32_t dataSize;
    uint32_t flags;       // SND_SAMPLE_LOOPS
    uint8_t* loadedData;  // RAM banks: the data while loaded (a tracked block)
    uint8_t spoolCheck;   // spooled banks: SND_SPOOL_UNCHECKED, _GOOD or _DAMAGED
};

struct SndBank {
    SndBankDesc desc;
    SndSampleInfo* samples;  // one per sample (a tracked block)
    uint32_t inUse;
};

struct SndChannel {
    SndBank* bank;  // nullptr: the channel is free
    uint32_t sample;
    uint16_t nextBlock;         // the ring block to fill next
    uint32_t position;          // next byte of the sample to copy, or SND_POSITION_END
    uint32_t lastPlayPosition;  // the play cursor at the last update
    uint32_t endPosition;       // where in the ring the copied sample ended
};

// Owned by the driver: read them here, change them through its operations.
extern SndBank SndBanks[SND_MAX_BANKS];
extern SndChannel SndChannels[SND_MAX_CHANNELS];

// The game's bank keys, set by AddGameSoundBanks: 0-3 with sound on, -1 with sound off.
extern int32_t SndKeyInGame;
extern int32_t SndKeyPreCrowd;
extern int32_t SndKeyCrowd;
extern int32_t SndKeyMusic;

// Sound on when the channel layer opens the output; fatal "SndInit(): already initialised".
void SndInit();
void SndUninit();  // with sound on: closes the output; the channels must be cleared first
bool SndIsOn();

// A key 0-31, or -1 with sound off. Fatal for a bank that is not a sample bank, has no file list
// or is neither spooled nor RAM based, and for a 33rd bank.
int32_t SndAddSoundBank(const SndBankDesc& desc);
// Fatal for a key outside 0-31, a removed bank, or (RAM) a sample still loaded.
void SndRemoveSoundBank(int32_t key);
// Loads or frees one sample of a RAM bank, or every sample with -1. Fatal on other banks and on
// a key not in use ("SndLoad(): bank %d is not in use").
void SndLoad(int32_t key, int32_t sample);
void SndUnload(int32_t key, int32_t sample);

// 1-8 channels, the ring of each (1,048,576 / count) / 8,192 blocks, refilled every 10 ticks.
void SndSetActiveChannels(int32_t count);
void SndClearActiveChannels();  // fatal "SndClearActiveChannels(): not active" when none are
// Plays a sample on a channel (-1: the first idle one) at a volume 0-100 and pan -100..100;
// answers the channel, or -1 (sound off, or no idle channel). Loops when the sample's flags
// say so. A channel outside the active ones is fatal "SndPlay(): bad channel %d".
int32_t SndPlay(int32_t key, int32_t sample, int32_t channel, uint16_t volume, int16_t pan);
void SndStop(int32_t channel);  // -1: every active channel
// 1 with sound off or when the channel's buffer is stopped and rewound; else 0.
int32_t SndChannelIsIdle(int32_t channel);
// Refills at most one block per channel and answers how many channels were refilled.
int32_t SndUpdateChanels();
void SndPollFunc();   // with sound on, refills until nothing is left to refill
void SndRefillAll();  // the same without the sound-on test
void SndSetVolumeIfActive(int32_t channel, uint16_t volume);
void SndSetPanIfActive(int32_t channel, int16_t pan);
void SndSetFrequencyIfActive(int32_t channel, uint32_t samplesPerSecond);

// Why SndCheckWave refuses a file; GetSampInfo ends each with its own fatal text.
enum SndWaveStatus : int32_t {
    SND_WAVE_OK,
    SND_WAVE_NOT_RIFF,    // shorter than the 12-byte header, or no "RIFF"
    SND_WAVE_WRONG_SIZE,  // the RIFF size is not the file's length minus 8
    SND_WAVE_NOT_WAVE,
    SND_WAVE_FMT_TOO_SHORT,
    SND_WAVE_NOT_PCM,
    SND_WAVE_NOT_MONO,
    SND_WAVE_NOT_8_BIT,
    SND_WAVE_BAD_RATE,    // outside the 100-100,000 Hz a channel plays at
    SND_WAVE_BAD_BRIX,    // a "bRIx" chunk of other than 16 bytes
    SND_WAVE_BAD_CHUNKS,  // no "fmt " or no "data", or chunks that do not fill the RIFF size
    SND_WAVE_LOOP_WITHOUT_DATA,
    SND_WAVE_STATUS_COUNT
};

// Copies `count` bytes from `offset` of a file into `out`; false when they are not all there.
using SndWaveRead = bool (*)(void* file, uint32_t offset, uint32_t count, uint8_t* out);

// The chunk walk behind GetSampInfo over a WAVE file of `length` bytes, read only through `read`
// and never past `length`. SND_WAVE_OK sets the rate, flags and data range (inside the file) of
// *info; a refusal leaves *info alone.
SndWaveStatus SndCheckWave(SndWaveRead read, void* file, uint32_t length, SndSampleInfo* info);

// The sample's row, its WAVE header read on first use; malformed files are fatal.
SndSampleInfo* GetSampInfo(SndBank* bank, int32_t sample);
const char* GetSampFilename(SndBank* bank, int32_t sample);  // valid until the next call

// Start-up: the driver (unless "-nosound") and the four game banks; shutdown: the reverse.
void AddGameSoundBanks();
void RemoveGameSoundBanks();
