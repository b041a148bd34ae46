// engine/sounddrv.cpp: the sound driver: sample banks, WAVE headers, and the channel rings kept
// full by a poll function.
#include "engine/sounddrv.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "engine/debug.h"
#include "engine/dxsound.h"
#include "engine/fatal.h"
#include "engine/filename.h"
#include "engine/host/host.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/poll.h"
#include "engine/startup.h"

SndBank SndBanks[SND_MAX_BANKS];
SndChannel SndChannels[SND_MAX_CHANNELS];
int32_t SndKeyInGame = -1;
int32_t SndKeyPreCrowd = -1;
int32_t SndKeyCrowd = -1;
int32_t SndKeyMusic = -1;

namespace {

constexpr const char* SND_SOURCE = "sounddrv";
constexpr uint32_t SND_WAVE_HEADER_BYTES = 12;
constexpr uint8_t SND_SILENT_BYTE = 128;  // of an unsigned 8-bit sample, the one format played
constexpr uint32_t SND_CHUNK_HEADER_BYTES = 8;
constexpr uint32_t SND_FMT_BYTES = 16;
constexpr uint32_t SND_BRIX_BYTES = 16;

struct SndState {
    bool on;
    uint32_t channelCount;
    uint32_t blocksPerChannel;
    uint16_t pollKey;
    uint8_t scratch[SND_BLOCK_BYTES];  // one spooled block on its way to a ring
    char fileName[MAX_FILENAME];
};

SndState s_snd;

// clang-format off
constexpr auto CROWD_FILES = std::to_array<const char*>({
    "sound\\Crowd\\airhorn1.wav", "sound\\Crowd\\airhorn2.wav", "sound\\Crowd\\applaus1.wav",
    "sound\\Crowd\\applaus2.wav", "sound\\Crowd\\applaus3.wav", "sound\\Crowd\\applaus4.wav",
    "sound\\Crowd\\applaus5.wav", "sound\\Crowd\\applaus6.wav", "sound\\Crowd\\applaus7.wav",
    "sound\\Crowd\\applaus8.wav", "sound\\Crowd\\band1lp.wav",  "sound\\Crowd\\band2.wav",
    "sound\\Crowd\\bcrowd1.wav",  "sound\\Crowd\\bcrowd2.wav",  "sound\\Crowd\\boos2lp.wav",
    "sound\\Crowd\\boos7.wav",    "sound\\Crowd\\c_save1.wav",  "sound\\Crowd\\c_save2.wav",
    "sound\\Crowd\\c_save3.wav",  "sound\\Crowd\\catcall1.wav", "sound\\Crowd\\chant1.wav",
    "sound\\Crowd\\chant3.wav",   "sound\\Crowd\\chant4.wav",   "sound\\Crowd\\chant5.wav",
    "sound\\Crowd\\chant6h.wav",  "sound\\Crowd\\chant7b.wav",  "sound\\Crowd\\cheat1.wav",
    "sound\\Crowd\\cheerlp3.wav", "sound\\Crowd\\cheers1.wav",  "sound\\Crowd\\cheers2.wav",
    "sound\\Crowd\\cheers3.wav",  "sound\\Crowd\\cheers4.wav",  "sound\\Crowd\\cheers5.wav",
    "sound\\Crowd\\cheers6.wav",  "sound\\Crowd\\chering1.wav", "sound\\Crowd\\claps1.wav",
    "sound\\Crowd\\claps2.wav",   "sound\\Crowd\\claps3lp.wav", "sound\\Crowd\\claps4lp.wav",
    "sound\\Crowd\\cz_fra.wav",   "sound\\Crowd\\cz_fra3.wav",  "sound\\Crowd\\cz_fra4.wav",
    "sound\\Crowd\\cz_fra5.wav",  "sound\\Crowd\\drumcrd1.wav", "sound\\Crowd\\drums4.wav",
    "sound\\Crowd\\england1.wav", "sound\\Crowd\\england2.wav", "sound\\Crowd\\good_c1.wav",
    "sound\\Crowd\\good_c2.wav",  "sound\\Crowd\\good_c3.wav",  "sound\\Crowd\\hey1.wav",
    "sound\\Crowd\\horns1.wav",   "sound\\Crowd\\horns2.wav",   "sound\\Crowd\\horns3.wav",
    "sound\\Crowd\\metal2.wav",   "sound\\Crowd\\miss1.wav",    "sound\\Crowd\\miss3.wav",
    "sound\\Crowd\\miss4.wav",    "sound\\Crowd\\miss5.wav",    "sound\\Crowd\\miss6.wav",
    "sound\\Crowd\\ocheers1.wav", "sound\\Crowd\\opp_pen1.wav", "sound\\Crowd\\pass1.wav",
    "sound\\Crowd\\pass2.wav",    "sound\\Crowd\\pcheers1.wav", "sound\\Crowd\\pcheers2.wav",
    "sound\\Crowd\\pcheers3.wav", "sound\\Crowd\\pen1.wav",     "sound\\Crowd\\pen3.wav",
    "sound\\Crowd\\pen4.wav",     "sound\\Crowd\\penmiss1.wav", "sound\\Crowd\\penwin1a.wav",
    "sound\\Crowd\\polclap1.wav", "sound\\Crowd\\realtnoy.wav", "sound\\Crowd\\sameric1.wav",
    "sound\\Crowd\\sameric2.wav", "sound\\Crowd\\seamen1.wav",  "sound\\Crowd\\stomps1.wav",
    "sound\\Crowd\\stomps2.wav",  "sound\\Crowd\\stomps4.wav",  "sound\\Crowd\\swinglo.wav",
    "sound\\Crowd\\tannoy1.wav",  "sound\\Crowd\\tannoy2.wav",  "sound\\Crowd\\texair01.wav",
    "sound\\Crowd\\texair02.wav",
});
// clang-format on
static_assert(CROWD_FILES.size() == 85);

constexpr auto MUSIC_FILES = std::to_array<const char*>(
    {"sound\\music\\1mintune.wav", "sound\\music\\3mintune.wav", "sound\\music\\barcelon.wav"});

// The game's banks, in the order they are added and removed.
const SndBankDesc GAME_BANKS[] = {
    {{.format = "sound\\ingame\\%06d.wav"}, 0, 32, SND_BANK_SAMPLES | SND_LIST_FORMAT | SND_RAM},
    {{.format = "sound\\precrowd\\packedc1.wav"},
     0,
     15,
     SND_BANK_SAMPLES | SND_LIST_FORMAT | SND_RAM},
    {{.names = CROWD_FILES.data()},
     0,
     CROWD_FILES.size(),
     SND_BANK_SAMPLES | SND_LIST_NAMES | SND_SPOOLED},
    {{.names = MUSIC_FILES.data()},
     0,
     MUSIC_FILES.size(),
     SND_BANK_SAMPLES | SND_LIST_NAMES | SND_SPOOLED},
};
int32_t* const kGameKeys[] = {&SndKeyInGame, &SndKeyPreCrowd, &SndKeyCrowd, &SndKeyMusic};

[[noreturn]] void Abort(int32_t line, const char* message)
{
    FatalAbort(SND_SOURCE, line, message);
}

[[noreturn]] void AbortFormatted(int32_t line, const char* format, const char* func, int32_t value)
{
    char message[160];
    std::snprintf(message, sizeof message, format, func, value);
    Abort(line, message);
}

void CheckChannel(int32_t channel, const char* func, int32_t line = __builtin_LINE())
{
    if (channel < 0 || static_cast<uint32_t>(channel) >= s_snd.channelCount)
        AbortFormatted(line, "%s(): bad channel %d", func, channel);
}

SndBank* BankInUse(int32_t key, const char* func, int32_t line = __builtin_LINE())
{
    if (key < 0 || key >= SND_MAX_BANKS || !SndBanks[key].inUse)
        AbortFormatted(line, "%s(): bank %d is not in use", func, key);
    return &SndBanks[key];
}

uint32_t Storage(const SndBank* bank) { return bank->desc.flags & SND_STORAGE_MASK; }

int32_t KeyOf(const SndBank* bank) { return static_cast<int32_t>(bank - SndBanks); }

uint32_t ReadU32(const uint8_t* bytes)
{
    uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

uint16_t ReadU16(const uint8_t* bytes)
{
    uint16_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

bool ReadFromPak(void* file, uint32_t offset, uint32_t count, uint8_t* out)
{
    const int32_t handle = *static_cast<const int32_t*>(file);
    return PakReadFile(out, static_cast<int32_t>(offset), static_cast<int32_t>(count), handle)
           == static_cast<int32_t>(count);
}

// ---------------------------------------------------------------------------------------------
// The WAVE header.

struct WaveRefusal {
    SndWaveStatus status;
    const char* text;  // nullptr for the one status that is no refusal
};

constexpr auto WAVE_REFUSALS = std::to_array<WaveRefusal>({
    {SND_WAVE_OK, nullptr},
    {SND_WAVE_NOT_RIFF, "GetSampInfo(): not a RIFF .wav file"},
    {SND_WAVE_WRONG_SIZE, "GetSampInfo(): RIFF .wav file wrong size"},
    {SND_WAVE_NOT_WAVE, "GetSampInfo(): RIFF file is not a .wav"},
    {SND_WAVE_FMT_TOO_SHORT,
     "GetSampInfo(): .wav file format header wrong size - not a PCM wav file"},
    {SND_WAVE_NOT_PCM, "GetSampInfo(): not a PCM encoded .wav file - wrong format"},
    {SND_WAVE_NOT_MONO, "GetSampInfo(): only mono samples supported"},
    {SND_WAVE_NOT_8_BIT, "GetSampInfo(): only 8 bit samples supported"},
    {SND_WAVE_BAD_RATE, "GetSampInfo(): sample rate out of range"},
    {SND_WAVE_BAD_BRIX, "GetSampInfo(): bad 'bRIx' block in .wav file"},
    {SND_WAVE_BAD_CHUNKS,
     "GetSampInfo(): failed to find both 'fmt' and 'data' chunks in .wav file"},
    {SND_WAVE_LOOP_WITHOUT_DATA, "GetSampInfo(): looping sample has no data"},
});
static_assert(WAVE_REFUSALS.size() == SND_WAVE_STATUS_COUNT, "one row per status");

consteval bool EveryRefusalInPlace()
{
    for (size_t i = 0; i < WAVE_REFUSALS.size(); ++i) {
        if (WAVE_REFUSALS[i].status != static_cast<SndWaveStatus>(i)) return false;
        if ((WAVE_REFUSALS[i].text == nullptr) != (i == SND_WAVE_OK)) return false;
    }
    return true;
}
static_assert(EveryRefusalInPlace(), "a row is out of order or has no text");

struct ChunkWalk {
    SndWaveRead read;
    void* file;
    SndSampleInfo found;  // handed to the caller only once the whole file has passed
    bool foundFmt;
    bool foundData;
};

SndWaveStatus ReadFmtChunk(ChunkWalk* walk, uint32_t offset, uint32_t size)
{
    if (size < SND_FMT_BYTES) return SND_WAVE_FMT_TOO_SHORT;
    uint8_t fmt[SND_FMT_BYTES] = {};
    walk->read(walk->file, offset, SND_FMT_BYTES, fmt);
    if (ReadU16(fmt) != 1) return SND_WAVE_NOT_PCM;
    if (ReadU16(fmt + 2) != 1) return SND_WAVE_NOT_MONO;
    if (ReadU16(fmt + 14) != 8) return SND_WAVE_NOT_8_BIT;
    // A rate the channel layer refuses would only fail later, at play; 0 also marks a row unread.
    const uint32_t rate = ReadU32(fmt + 4);
    if (rate < HOST_AUDIO_MIN_FREQUENCY || rate > HOST_AUDIO_MAX_FREQUENCY)
        return SND_WAVE_BAD_RATE;
    walk->found.sampleRate = rate;
    walk->foundFmt = true;
    return SND_WAVE_OK;
}

SndWaveStatus ReadChunk(ChunkWalk* walk, const uint8_t* header, uint32_t offset, uint32_t size)
{
    if (std::memcmp(header, "fmt ", 4) == 0) return ReadFmtChunk(walk, offset, size);
    if (std::memcmp(header, "bRIx", 4) == 0) {
        if (size != SND_BRIX_BYTES) return SND_WAVE_BAD_BRIX;
        uint8_t brix[SND_BRIX_BYTES] = {};
        walk->read(walk->file, offset, SND_BRIX_BYTES, brix);
        walk->found.flags = ReadU32(brix);
    }
    if (std::memcmp(header, "data", 4) == 0) {
        walk->found.dataOffset = offset;
        walk->found.dataSize = size;
        walk->foundData = true;
    }
    return SND_WAVE_OK;
}

// Every chunk header and body must lie inside the file, and the chunks must fill the RIFF
// size exactly.
SndWaveStatus WalkChunks(ChunkWalk* walk, uint32_t end)
{
    uint32_t offset = SND_WAVE_HEADER_BYTES;
    while (end - offset >= SND_CHUNK_HEADER_BYTES) {
        uint8_t header[SND_CHUNK_HEADER_BYTES] = {};
        walk->read(walk->file, offset, SND_CHUNK_HEADER_BYTES, header);
        offset += SND_CHUNK_HEADER_BYTES;
        const uint32_t size = ReadU32(header + 4);
        const uint64_t body = static_cast<uint64_t>(size) + (size & 1);
        if (body > end - offset) return SND_WAVE_BAD_CHUNKS;
        const SndWaveStatus status = ReadChunk(walk, header, offset, size);
        if (status != SND_WAVE_OK) return status;
        offset += static_cast<uint32_t>(body);
    }
    if (offset != end || !walk->foundFmt || !walk->foundData) return SND_WAVE_BAD_CHUNKS;
    return SND_WAVE_OK;
}

void ReadWaveHeader(SndSampleInfo* info, const char* name)
{
    int32_t handle = PakOpenFile(name);
    const uint32_t length = static_cast<uint32_t>(PakFileLength(handle));
    const SndWaveStatus status = SndCheckWave(ReadFromPak, &handle, length, info);
    PakCloseFile(handle);
    if (status != SND_WAVE_OK) Abort(__LINE__, WAVE_REFUSALS[status].text);
}

// ---------------------------------------------------------------------------------------------
// The lower operations on the channel layer.

void SndInitChannels(uint32_t count, uint32_t bytesPerChannel)
{
    if (!s_snd.on) return;
    DebugPrintf(DBG_SOUND, 10, "SndInitChannels(): initialising channels...\n");
    DSoundInitChans(count, bytesPerChannel);
}

void SndUninitChannels()
{
    if (!s_snd.on) return;
    DebugPrintf(DBG_SOUND, 10, "SndUninitChannels(): uninitialising channels...\n");
    DSoundUninitChans();
}

void SndStopChannel(int32_t channel)
{
    if (s_snd.on) DSoundStopChannel(static_cast<uint32_t>(channel));
}

void SndPlayChannel(int32_t channel, bool looping)
{
    if (!s_snd.on) return;
    DebugPrintf(DBG_SOUND, 80, "SndPlayChannel(): playing channel %d - %s\n", channel,
                looping ? "looping" : "non-looping");
    // The buffer always goes round: the driver ends a sample that does not loop itself.
    DSoundPlayChannel(static_cast<uint32_t>(channel), 1);
}

uint32_t SndGetChannelPosition(int32_t channel)
{
    if (!s_snd.on) return SND_POSITION_END;
    uint32_t play = 0;
    uint32_t write = 0;
    DSoundGetChanOffset(static_cast<uint32_t>(channel), &play, &write);
    return play == 0 && write == 0 ? SND_POSITION_END : play;
}

void SndZeroData(int32_t channel, uint32_t offset, uint32_t count)
{
    if (!s_snd.on) return;
    DebugPrintf(DBG_SOUND, 150, "SndZeroData(): clearing %d bytes of chan %d, offs %d\n",
                static_cast<int32_t>(count), channel, static_cast<int32_t>(offset));
    // "Clear" is silence, which for the unsigned 8-bit samples the channels play is the middle
    // value: zero bytes would hold the output at full negative swing.
    uint8_t* const ring = DSoundLockChannel(static_cast<uint32_t>(channel), offset, count);
    std::memset(ring, SND_SILENT_BYTE, count);
    DSoundUnlockChannel(static_cast<uint32_t>(channel));
}

void SndCopyData(int32_t channel, uint32_t offset, uint32_t count, const uint8_t* source)
{
    if (!s_snd.on) return;
    DebugPrintf(DBG_SOUND, 150, "SndCopyData(): copying %d bytes from 0x%08X to chan %d, offs %d\n",
                static_cast<int32_t>(count),
                static_cast<uint32_t>(reinterpret_cast<uintptr_t>(source)), channel,
                static_cast<int32_t>(offset));
    uint8_t* const ring = DSoundLockChannel(static_cast<uint32_t>(channel), offset, count);
    std::memcpy(ring, source, count);
    DSoundUnlockChannel(static_cast<uint32_t>(channel));
}

void SndCopyFromSample2PlayBuf(int32_t channel, SndBank* bank, int32_t sample, uint32_t position,
                               uint32_t ringOffset, uint32_t count)
{
    const SndSampleInfo& info = bank->samples[sample];
    switch (Storage(bank)) {
        case SND_RAM:
            if (info.loadedData == nullptr)
                Abort(__LINE__, "_SndCopyFromSample2PlayBuf(): sound not loaded - use SndLoad()");
            SndCopyData(channel, ringOffset, count, info.loadedData + position);
            return;
        case SND_SPOOLED: {
            if (info.spoolCheck == SND_SPOOL_DAMAGED) {
                SndZeroData(channel, ringOffset, count);
                return;
            }
            const int32_t handle = PakOpenFile(GetSampFilename(bank, sample));
            PakReadFile(s_snd.scratch, static_cast<int32_t>(info.dataOffset + position),
                        static_cast<int32_t>(count), handle);
            SndCopyData(channel, ringOffset, count, s_snd.scratch);
            PakCloseFile(handle);
            return;
        }
        default:
            Abort(__LINE__, "_SndCopyFromSample2PlayBuf(): Unknown data source for sample data");
    }
}

void FillBlock(int32_t channel)
{
    SndChannel& record = SndChannels[channel];
    const SndSampleInfo& info = record.bank->samples[record.sample];
    uint32_t destination = record.nextBlock * SND_BLOCK_BYTES;
    uint32_t left = SND_BLOCK_BYTES;
    while (left > 0) {
        if (record.position == SND_POSITION_END) {
            SndZeroData(channel, destination, left);
            break;
        }
        const uint32_t count = std::min(left, info.dataSize - record.position);
        // Only an empty sample copies nothing, and the channel layer refuses an empty lock.
        if (count > 0)
            SndCopyFromSample2PlayBuf(channel, record.bank, static_cast<int32_t>(record.sample),
                                      record.position, destination, count);
        record.position += count;
        destination += count;
        left -= count;
        if (record.position < info.dataSize) continue;
        if (info.flags & SND_SAMPLE_LOOPS) {
            record.position = 0;
        } else {
            record.position = SND_POSITION_END;
            record.endPosition = destination;
        }
    }
    record.nextBlock = static_cast<uint16_t>((record.nextBlock + 1) % s_snd.blocksPerChannel);
}

// The cursor has passed where the copied sample ended, counting a wrap of the ring since the
// last update.
bool PassedTheEnd(const SndChannel& record, uint32_t play)
{
    const uint32_t ring = s_snd.blocksPerChannel * SND_BLOCK_BYTES;
    const uint32_t last = record.lastPlayPosition;
    const uint32_t end = record.endPosition < last ? record.endPosition + ring : record.endPosition;
    const uint32_t cursor = play < last ? play + ring : play;
    return cursor > end && end > last;
}

void LoadSample(SndBank* bank, int32_t sample)
{
    DebugPrintf(DBG_SOUND, 80, "SndLoad(): loading sound %d:%d\n", KeyOf(bank), sample);
    if (Storage(bank) != SND_RAM)
        Abort(__LINE__, "SndLoad(): bank is wrong type for loading samples");
    SndSampleInfo* const info = GetSampInfo(bank, sample);
    if (info->loadedData) return;
    AllocateMemory(&info->loadedData, info->dataSize, MEM_TYPE_FILE);
    const int32_t handle = PakOpenFile(GetSampFilename(bank, sample));
    PakReadFile(info->loadedData, static_cast<int32_t>(info->dataOffset),
                static_cast<int32_t>(info->dataSize), handle);
    PakCloseFile(handle);
}

void UnloadSample(SndBank* bank, int32_t sample)
{
    DebugPrintf(DBG_SOUND, 80, "SndUnload(): unloading sound %d:%d\n", KeyOf(bank), sample);
    if (Storage(bank) != SND_RAM)
        Abort(__LINE__, "SndUnload(): bank is wrong type for unloading samples");
    SndSampleInfo* const info = GetSampInfo(bank, sample);
    if (info->loadedData) FreeMemory(&info->loadedData);
}

// Before any piece of a spooled sample reaches the mixer, the first time it plays.
void CheckSpooledSample(SndBank* bank, int32_t sample, SndSampleInfo* info)
{
    if (Storage(bank) != SND_SPOOLED || info->spoolCheck != SND_SPOOL_UNCHECKED) return;
    const char* name = GetSampFilename(bank, sample);
    const int32_t handle = PakOpenFile(name);
    info->spoolCheck = PakCheckFile(handle) ? SND_SPOOL_GOOD : SND_SPOOL_DAMAGED;
    PakCloseFile(handle);
    if (info->spoolCheck == SND_SPOOL_DAMAGED)
        std::printf("Warning: SndPlay(): '%s' is damaged - it plays as silence\n", name);
}

int32_t FirstIdleChannel()
{
    for (uint32_t c = 0; c < s_snd.channelCount; ++c) {
        if (SndChannelIsIdle(static_cast<int32_t>(c))) return static_cast<int32_t>(c);
    }
    return -1;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The driver and its banks.

void SndInit()
{
    if (s_snd.on) Abort(__LINE__, "SndInit(): already initialised");
    s_snd = {};
    std::fill(std::begin(SndBanks), std::end(SndBanks), SndBank{});
    std::fill(std::begin(SndChannels), std::end(SndChannels), SndChannel{});
    DebugPrintf(DBG_SOUND, 10, "SndInit(): initialising windows driver ...\n");
    s_snd.on = DSoundInit() != 0;
}

void SndUninit()
{
    if (!s_snd.on) return;
    DebugPrintf(DBG_SOUND, 10, "SndUninit(): uninitialising...\n");
    DSoundUninit();
    s_snd.on = false;
}

bool SndIsOn() { return s_snd.on; }

int32_t SndAddSoundBank(const SndBankDesc& desc)
{
    if (!s_snd.on) return -1;
    if ((desc.flags & SND_BANK_TYPE_MASK) != SND_BANK_SAMPLES)
        Abort(__LINE__, "SndAddSoundBank(): only sample sound banks supported in this version");
    const uint32_t list = desc.flags & SND_LIST_MASK;
    if (list != SND_LIST_NAMES && list != SND_LIST_FORMAT)
        Abort(__LINE__, "SndAddSoundBank(): sample banks need a file list");
    const uint32_t storage = desc.flags & SND_STORAGE_MASK;
    if (storage != SND_SPOOLED && storage != SND_RAM)
        Abort(__LINE__, "SndAddSoundBank(): sample banks must be spooled or ram based");
    for (int32_t key = 0; key < SND_MAX_BANKS; ++key) {
        SndBank& bank = SndBanks[key];
        if (bank.inUse) continue;
        bank = {};
        bank.desc = desc;
        AllocateMemory(&bank.samples,
                       static_cast<uint32_t>(desc.sampleCount * sizeof(SndSampleInfo)),
                       MEM_TYPE_GAME);
        bank.inUse = 1;
        return key;
    }
    Abort(__LINE__, "SndAddSoundBank(): too many sound banks");
}

void SndRemoveSoundBank(int32_t key)
{
    if (!s_snd.on) return;
    if (key < 0 || key >= SND_MAX_BANKS) Abort(__LINE__, "SndRemoveSoundBank(): invalid bank key");
    SndBank& bank = SndBanks[key];
    if (!bank.inUse) Abort(__LINE__, "SndRemoveSoundBank(): bank is already removed");
    if (Storage(&bank) == SND_RAM) {
        for (uint32_t n = 0; n < bank.desc.sampleCount; ++n) {
            if (bank.samples[n].loadedData)
                FatalError("SndRemoveSoundBank(): sample %d:%d was not unloaded\n", key,
                           static_cast<int32_t>(n));
        }
    }
    FreeMemory(&bank.samples);
    bank = {};
}

void SndLoad(int32_t key, int32_t sample)
{
    if (!s_snd.on) return;
    SndBank* const bank = BankInUse(key, "SndLoad");
    if (sample != -1) {
        LoadSample(bank, sample);
        return;
    }
    for (uint32_t n = 0; n < bank->desc.sampleCount; ++n) {
        LoadSample(bank, static_cast<int32_t>(n));
    }
}

void SndUnload(int32_t key, int32_t sample)
{
    if (!s_snd.on) return;
    SndBank* const bank = BankInUse(key, "SndUnload");
    if (sample != -1) {
        UnloadSample(bank, sample);
        return;
    }
    for (uint32_t n = 0; n < bank->desc.sampleCount; ++n) {
        UnloadSample(bank, static_cast<int32_t>(n));
    }
}

const char* GetSampFilename(SndBank* bank, int32_t sample)
{
    if (sample < 0 || static_cast<uint32_t>(sample) >= bank->desc.sampleCount)
        FatalError("Error: GetSampFilename(): sample no %d out of range\n", sample);
    switch (bank->desc.flags & SND_LIST_MASK) {
        case SND_LIST_NAMES:
            std::snprintf(s_snd.fileName, sizeof s_snd.fileName, "%s",
                          bank->desc.fileList.names[sample]);
            break;
        case SND_LIST_FORMAT:
            std::snprintf(s_snd.fileName, sizeof s_snd.fileName, bank->desc.fileList.format,
                          sample);
            break;
        default: Abort(__LINE__, "GetSampFilename(): bad filename type");
    }
    return s_snd.fileName;
}

SndSampleInfo* GetSampInfo(SndBank* bank, int32_t sample)
{
    if (sample < 0 || static_cast<uint32_t>(sample) >= bank->desc.sampleCount)
        FatalError("Error: GetSampInfo(): sample no %d out of range\n", sample);
    SndSampleInfo* const info = &bank->samples[sample];
    if (info->sampleRate != 0) return info;
    ReadWaveHeader(info, GetSampFilename(bank, sample));
    return info;
}

SndWaveStatus SndCheckWave(SndWaveRead read, void* file, uint32_t length, SndSampleInfo* info)
{
    uint8_t header[SND_WAVE_HEADER_BYTES] = {};
    if (length < SND_WAVE_HEADER_BYTES || !read(file, 0, sizeof header, header)
        || std::memcmp(header, "RIFF", 4) != 0)
        return SND_WAVE_NOT_RIFF;
    if (static_cast<uint64_t>(ReadU32(header + 4)) + 8 != length) return SND_WAVE_WRONG_SIZE;
    if (std::memcmp(header + 8, "WAVE", 4) != 0) return SND_WAVE_NOT_WAVE;
    ChunkWalk walk{read, file, {}, false, false};
    const SndWaveStatus status = WalkChunks(&walk, length);
    if (status != SND_WAVE_OK) return status;
    // Filling a ring from a looping sample without data would never end.
    if ((walk.found.flags & SND_SAMPLE_LOOPS) && walk.found.dataSize == 0)
        return SND_WAVE_LOOP_WITHOUT_DATA;
    info->sampleRate = walk.found.sampleRate;
    info->dataOffset = walk.found.dataOffset;
    info->dataSize = walk.found.dataSize;
    info->flags = walk.found.flags;
    return SND_WAVE_OK;
}

// ---------------------------------------------------------------------------------------------
// Channels.

void SndSetActiveChannels(int32_t count)
{
    if (!s_snd.on) return;
    if (count < 1 || count > SND_MAX_CHANNELS)
        Abort(__LINE__, "SndSetActiveChannels(): invalid no. of channels");
    if (s_snd.channelCount != 0) Abort(__LINE__, "SndSetActiveChannels(): already active");
    s_snd.channelCount = static_cast<uint32_t>(count);
    s_snd.blocksPerChannel = (SND_RING_BYTES / s_snd.channelCount) >> SND_BLOCK_SHIFT;
    if (s_snd.blocksPerChannel < 2)
        Abort(__LINE__, "SndSetActiveChannels(): need at least 2 blocks");
    SndInitChannels(s_snd.channelCount, s_snd.blocksPerChannel * SND_BLOCK_BYTES);
    SndStop(-1);
    s_snd.pollKey = AddPollFunction(SndPollFunc, SND_POLL_RATE, SND_POLL_FLAGS);
}

void SndClearActiveChannels()
{
    if (!s_snd.on) return;
    if (s_snd.channelCount == 0) Abort(__LINE__, "SndClearActiveChannels(): not active");
    RemovePollFunction(s_snd.pollKey);
    SndStop(-1);
    s_snd.channelCount = 0;
    s_snd.blocksPerChannel = 0;
    SndUninitChannels();
}

int32_t SndPlay(int32_t key, int32_t sample, int32_t channel, uint16_t volume, int16_t pan)
{
    if (!s_snd.on) return -1;
    SndBank* const bank = BankInUse(key, "SndPlay");
    if (channel == -1) {
        channel = FirstIdleChannel();
        if (channel == -1) return -1;
    }
    CheckChannel(channel, "SndPlay");
    DebugPrintf(DBG_SOUND, 80, "SndPlay(): playing sound %d:%d on channel %d, vol: %d, pan: %d\n",
                key, sample, channel, volume, pan);
    SndStop(channel);
    SndChannel& record = SndChannels[channel];
    record = {};
    record.sample = static_cast<uint32_t>(sample);
    SndSampleInfo* const info = GetSampInfo(bank, sample);
    record.bank = bank;
    if (Storage(bank) != SND_SPOOLED && Storage(bank) != SND_RAM)
        Abort(__LINE__, "SndPlay(): sample banks must be spooled or ram based");
    CheckSpooledSample(bank, sample, info);
    for (uint32_t block = 0; block < s_snd.blocksPerChannel; ++block) {
        FillBlock(channel);
    }
    const uint32_t c = static_cast<uint32_t>(channel);
    DSoundSetChannelFrequency(c, info->sampleRate);
    DSoundSetChannelVolume(c, volume);
    DSoundSetChannelPan(c, pan);
    SndPlayChannel(channel, (info->flags & SND_SAMPLE_LOOPS) != 0);
    return channel;
}

void SndStop(int32_t channel)
{
    if (!s_snd.on) return;
    if (channel == -1) {
        for (uint32_t c = 0; c < s_snd.channelCount; ++c) {
            SndStop(static_cast<int32_t>(c));
        }
        return;
    }
    CheckChannel(channel, "SndStop");
    DebugPrintf(DBG_SOUND, 80, "SndStop(): stopping channel %d\n", channel);
    SndStopChannel(channel);
    SndChannels[channel].bank = nullptr;
}

int32_t SndChannelIsIdle(int32_t channel)
{
    if (!s_snd.on) return 1;
    CheckChannel(channel, "SndChannelIsIdle");
    return SndGetChannelPosition(channel) == SND_POSITION_END ? 1 : 0;
}

int32_t SndUpdateChanels()
{
    if (!s_snd.on) return 0;
    int32_t refilled = 0;
    for (uint32_t c = 0; c < s_snd.channelCount; ++c) {
        const int32_t channel = static_cast<int32_t>(c);
        SndChannel& record = SndChannels[c];
        if (record.bank == nullptr) continue;
        const uint32_t play = SndGetChannelPosition(channel);
        if (play == SND_POSITION_END
            || (record.position == SND_POSITION_END && PassedTheEnd(record, play))) {
            SndStop(channel);
            continue;
        }
        if ((play >> SND_BLOCK_SHIFT) != record.nextBlock) {
            FillBlock(channel);
            ++refilled;
        }
        record.lastPlayPosition = play;
    }
    DebugPrintf(DBG_SOUND, 120, "SndUpdateChanels(): upadted %d channels\n", refilled);
    return refilled;
}

void SndPollFunc()
{
    if (!s_snd.on) return;
    SndRefillAll();
}

void SndRefillAll()
{
    while (SndUpdateChanels() != 0) {
    }
}

void SndSetVolumeIfActive(int32_t channel, uint16_t volume)
{
    if (!s_snd.on) return;
    CheckChannel(channel, "SndSetVolumeIfActive");
    DSoundSetChannelVolume(static_cast<uint32_t>(channel), volume);
}

void SndSetPanIfActive(int32_t channel, int16_t pan)
{
    if (!s_snd.on) return;
    CheckChannel(channel, "SndSetPanIfActive");
    DSoundSetChannelPan(static_cast<uint32_t>(channel), pan);
}

void SndSetFrequencyIfActive(int32_t channel, uint32_t samplesPerSecond)
{
    if (!s_snd.on) return;
    CheckChannel(channel, "SndSetFrequencyIfActive");
    DSoundSetChannelFrequency(static_cast<uint32_t>(channel), samplesPerSecond);
}

// ---------------------------------------------------------------------------------------------
// The game's banks.

void AddGameSoundBanks()
{
    if (!NoSoundFlag) SndInit();
    for (size_t b = 0; b < std::size(GAME_BANKS); ++b) {
        *kGameKeys[b] = SndAddSoundBank(GAME_BANKS[b]);
    }
}

void RemoveGameSoundBanks()
{
    for (int32_t* key : kGameKeys) {
        SndRemoveSoundBank(*key);
        *key = -1;
    }
    SndUninit();
}
