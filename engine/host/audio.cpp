// engine/host/audio.cpp: the sound output: streaming buffers of 8-bit mono samples mixed into
// 44,100 Hz 16-bit stereo, played through SDL audio or consumed in time by a null sink that
// keeps a record of what happened and, on request, of what it played.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <SDL.h>
#include <dlfcn.h>

#include "engine/debug.h"
#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/host/internal.h"

struct HostSoundBuffer {
    uint32_t references;  // 0: the slot is free
    uint32_t kind;
    uint32_t caps;
    std::vector<uint8_t> bytes;
    bool playing;
    bool looping;
    bool locked;
    uint32_t position;  // the play cursor in bytes
    uint32_t fraction;  // of the next byte, in 1/HOST_AUDIO_RATE
    uint32_t frequency;
    int32_t volume;
    int32_t pan;
    float leftGain;
    float rightGain;
};

namespace {

constexpr uint32_t AUDIO_FRAMES_PER_PERIOD = HOST_AUDIO_RATE * CLOCK_PERIOD_MS / 1000;
constexpr uint16_t AUDIO_SDL_FRAMES = 1024;
constexpr uint32_t AUDIO_MIX_CHUNK = 1024;
constexpr size_t AUDIO_MAX_EVENTS = 1000000;
constexpr int32_t AUDIO_CENTRE = 128;  // the silent value of an unsigned 8-bit sample

struct AudioState {
    int32_t systemStarts;
    bool open;
    SDL_AudioDeviceID sdlDevice;  // 0: the null sink
    bool manualSink;              // the null sink consumes on the manual clock's periods
    HostWindow cooperationWindow;
    std::chrono::steady_clock::time_point sinkStart;  // the null sink on the real clock
    uint64_t sinkFrames;                              // frames it has consumed since
};

// The test controls outlive an open device, so a test can set them first.
struct AudioControls {
    bool noDevice;
    bool capturing;
    std::vector<int16_t> capture;
    std::vector<HostAudioEvent> log;
};

AudioState s_audio;
AudioControls s_controls;
HostSoundBuffer s_buffers[HOST_AUDIO_MAX_BUFFERS];
std::atomic<bool> s_focused;  // what the mixer follows; the SDL thread reads it

bool IsStream(const HostSoundBuffer* buffer)
{
    return buffer && buffer->references > 0 && buffer->kind == HOST_SOUND_STREAM;
}

int32_t SlotOf(const HostSoundBuffer* buffer) { return static_cast<int32_t>(buffer - s_buffers); }

void Record(const HostSoundBuffer* buffer, HostAudioEventKind kind, int32_t value = 0,
            int32_t count = 0)
{
    if (s_audio.sdlDevice != 0 || s_controls.log.size() >= AUDIO_MAX_EVENTS) return;
    s_controls.log.push_back({ClockPeriods(), SlotOf(buffer), kind, value, count});
}

// The SDL thread mixes while holding the device's lock; the buffers change only under it.
void LockOutput()
{
    if (s_audio.sdlDevice != 0) SDL_LockAudioDevice(s_audio.sdlDevice);
}

void UnlockOutput()
{
    if (s_audio.sdlDevice != 0) SDL_UnlockAudioDevice(s_audio.sdlDevice);
}

class OutputGuard {
public:
    OutputGuard() { LockOutput(); }
    ~OutputGuard() { UnlockOutput(); }
    OutputGuard(const OutputGuard&) = delete;
    OutputGuard& operator=(const OutputGuard&) = delete;
};

float Attenuation(int32_t hundredthsDb)
{
    return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

void UpdateGains(HostSoundBuffer* buffer)
{
    const float gain = Attenuation(buffer->volume);
    buffer->leftGain = gain * Attenuation(buffer->pan > 0 ? -buffer->pan : 0);
    buffer->rightGain = gain * Attenuation(buffer->pan < 0 ? buffer->pan : 0);
}

// A voice that nobody hears moves its cursor as mixing it would, in one step: the cursor's
// position unwrapped is its start plus whole bytes of (fraction + frames x frequency).
void AdvanceVoice(HostSoundBuffer* buffer, uint32_t frames)
{
    const uint64_t size = buffer->bytes.size();
    const uint64_t steps = buffer->fraction + static_cast<uint64_t>(frames) * buffer->frequency;
    const uint64_t position = buffer->position + steps / HOST_AUDIO_RATE;
    buffer->fraction = static_cast<uint32_t>(steps % HOST_AUDIO_RATE);
    if (position < size || buffer->looping) {
        buffer->position = static_cast<uint32_t>(position % size);
        return;
    }
    buffer->playing = false;
    buffer->position = 0;
    buffer->fraction = 0;
}

// One voice over `frames` frames, added into the accumulator.
void MixVoice(HostSoundBuffer* buffer, float* accumulator, uint32_t frames)
{
    const uint8_t* const bytes = buffer->bytes.data();
    const uint32_t size = static_cast<uint32_t>(buffer->bytes.size());
    constexpr float STEP = 1.0f / HOST_AUDIO_RATE;
    for (uint32_t i = 0; i < frames; ++i) {
        const uint32_t next = buffer->position + 1 == size ? 0 : buffer->position + 1;
        const float s0 = static_cast<float>(bytes[buffer->position] - AUDIO_CENTRE);
        const float s1 = static_cast<float>(bytes[next] - AUDIO_CENTRE);
        const float sample = (s0 + (s1 - s0) * buffer->fraction * STEP) * 256.0f;
        accumulator[2 * i] += sample * buffer->leftGain;
        accumulator[2 * i + 1] += sample * buffer->rightGain;
        buffer->fraction += buffer->frequency;
        buffer->position += buffer->fraction / HOST_AUDIO_RATE;
        buffer->fraction %= HOST_AUDIO_RATE;
        if (buffer->position < size) continue;
        if (buffer->looping) {
            buffer->position %= size;
            continue;
        }
        buffer->playing = false;
        buffer->position = 0;
        buffer->fraction = 0;
        return;
    }
}

// Every playing voice moves on by `frames` frames without being heard.
void AdvanceVoices(uint32_t frames)
{
    for (HostSoundBuffer& buffer : s_buffers) {
        if (IsStream(&buffer) && buffer.playing) AdvanceVoice(&buffer, frames);
    }
}

void Mix(int16_t* out, uint32_t frames)
{
    const bool audible = s_focused.load(std::memory_order_relaxed);
    float accumulator[2 * AUDIO_MIX_CHUNK];
    for (uint32_t done = 0; done < frames;) {
        const uint32_t count = std::min(frames - done, AUDIO_MIX_CHUNK);
        std::fill_n(accumulator, 2 * count, 0.0f);
        for (HostSoundBuffer& buffer : s_buffers) {
            if (!IsStream(&buffer) || !buffer.playing) continue;
            if (audible) {
                MixVoice(&buffer, accumulator, count);
            } else {
                AdvanceVoice(&buffer, count);
            }
        }
        for (uint32_t i = 0; i < 2 * count; ++i) {
            const float clipped = std::clamp(accumulator[i], -32768.0f, 32767.0f);
            out[2 * done + i] = static_cast<int16_t>(std::lround(clipped));
        }
        done += count;
    }
}

void SdlCallback(void*, Uint8* stream, int bytes)
{
    Mix(reinterpret_cast<int16_t*>(stream), static_cast<uint32_t>(bytes) / 4);
}

// The null sink's output for `frames` frames: mixed when a device is open, silent otherwise,
// and kept while capturing. Output nobody keeps is not mixed: the voices only move on.
void SinkConsume(uint32_t frames)
{
    const size_t room = s_controls.capturing
                            ? 2 * static_cast<size_t>(HOST_AUDIO_MAX_CAPTURE_FRAMES)
                                  - std::min(s_controls.capture.size(),
                                             2 * static_cast<size_t>(HOST_AUDIO_MAX_CAPTURE_FRAMES))
                            : 0;
    if (room == 0) {
        if (s_audio.open) AdvanceVoices(frames);
        return;
    }
    std::vector<int16_t> out(2 * static_cast<size_t>(frames), 0);
    if (s_audio.open) Mix(out.data(), frames);
    s_controls.capture.insert(s_controls.capture.end(), out.begin(),
                              out.begin() + static_cast<ptrdiff_t>(std::min(out.size(), room)));
}

void SinkPeriod()
{
    s_focused.store(HostWindowHasFocus(), std::memory_order_relaxed);
    SinkConsume(AUDIO_FRAMES_PER_PERIOD);
}

// The null sink on the real clock catches up with the time passed whenever it is asked.
void SinkCatchUp()
{
    if (!s_audio.open || s_audio.sdlDevice != 0 || s_audio.manualSink) return;
    const auto elapsed = std::chrono::steady_clock::now() - s_audio.sinkStart;
    const uint64_t due = static_cast<uint64_t>(
                             std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count())
                         * HOST_AUDIO_RATE / 1000000;
    while (s_audio.sinkFrames < due) {
        const uint32_t frames =
            static_cast<uint32_t>(std::min<uint64_t>(due - s_audio.sinkFrames, HOST_AUDIO_RATE));
        SinkConsume(frames);
        s_audio.sinkFrames += frames;
    }
}

// The manual clock's periods drive the sink while it plays headless or records.
void FollowClock()
{
    ClockRemoveListener(SinkPeriod);
    const bool manual = ClockSelectedKind() == ClockKind::Manual;
    s_audio.manualSink = s_audio.open && s_audio.sdlDevice == 0 && manual;
    if (s_audio.manualSink || (s_controls.capturing && manual)) ClockAddListener(SinkPeriod);
}

void SilentSoundLibraryError(const char*, int, const char*, int, const char*, ...) {}

// On a machine without a sound card the ALSA library, which SDL loads for its ALSA driver, writes
// its own lines to standard error as SDL probes the devices; its error handler is process-wide,
// so it is silenced once, before the first probe. No ALSA library: nothing to silence.
void SilenceSoundLibrary()
{
    static bool silenced = false;
    if (silenced) return;
    silenced = true;
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (library == nullptr) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(library, "snd_lib_error_set_handler")))
        set(SilentSoundLibraryError);
}

SDL_AudioDeviceID NoDevice()
{
    DebugPrintf(DBG_SOUND, 0, "HostAudioOpen(): no sound device: the game plays without sound\n");
    DebugPrintf(DBG_SOUND, 10, "HostAudioOpen(): %s\n", SDL_GetError());
    return 0;
}

SDL_AudioDeviceID OpenSdlDevice()
{
    SilenceSoundLibrary();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return NoDevice();
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(HOST_AUDIO_RATE);
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(HOST_AUDIO_CHANNELS);
    want.samples = AUDIO_SDL_FRAMES;
    want.callback = SdlCallback;
    SDL_AudioSpec have{};
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        NoDevice();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    DebugPrintf(DBG_SOUND, 10, "HostAudioOpen(): SDL audio '%s' at %d Hz\n",
                SDL_GetCurrentAudioDriver(), have.freq);
    return device;
}

void FreeBuffer(HostSoundBuffer* buffer) { *buffer = HostSoundBuffer{}; }

}  // namespace

HostResult HostAudioSystemStart()
{
    HostResult failure;
    if (HostTakeFailure(HOST_CALL_AUDIO_START, &failure)) return failure;
    ++s_audio.systemStarts;
    return HOST_OK;
}

void HostAudioSystemStop()
{
    if (s_audio.systemStarts > 0) --s_audio.systemStarts;
}

bool HostAudioOpen()
{
    if (s_audio.open) return true;
    if (s_controls.noDevice) return false;
    const int32_t systemStarts = s_audio.systemStarts;
    s_audio = {};
    s_audio.systemStarts = systemStarts;
    for (HostSoundBuffer& buffer : s_buffers) {
        FreeBuffer(&buffer);
    }
    s_controls.log.clear();
    if (HostBackendInUse() == HostBackendKind::Sdl && HostRunning())
        s_audio.sdlDevice = OpenSdlDevice();
    s_audio.open = true;
    s_audio.sinkStart = std::chrono::steady_clock::now();
    s_focused.store(HostWindowHasFocus(), std::memory_order_relaxed);
    FollowClock();
    if (s_audio.sdlDevice != 0) SDL_PauseAudioDevice(s_audio.sdlDevice, 0);
    return true;
}

void HostAudioClose()
{
    if (!s_audio.open) return;
    if (s_audio.sdlDevice != 0) {
        SDL_CloseAudioDevice(s_audio.sdlDevice);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    for (HostSoundBuffer& buffer : s_buffers) {
        FreeBuffer(&buffer);
    }
    const int32_t systemStarts = s_audio.systemStarts;
    s_audio = {};
    s_audio.systemStarts = systemStarts;
    FollowClock();
}

bool HostAudioIsOpen() { return s_audio.open; }

void HostAudioPump()
{
    s_focused.store(HostWindowHasFocus(), std::memory_order_relaxed);
    SinkCatchUp();
}

HostResult HostAudioSetCooperation(HostWindow window, bool)
{
    if (!s_audio.open) return HOST_E_GENERIC;
    if (window == HOST_NO_WINDOW || window != HostMainWindow()) return HOST_E_BAD_ARGUMENT;
    s_audio.cooperationWindow = window;
    return HOST_OK;
}

HostResult HostSoundBufferCreate(const HostSoundBufferDesc& desc, HostSoundBuffer** buffer)
{
    *buffer = nullptr;
    if (!s_audio.open) return HOST_E_GENERIC;
    if (desc.kind > HOST_SOUND_STREAM || (desc.kind == HOST_SOUND_STREAM && desc.bytes == 0))
        return HOST_E_BAD_ARGUMENT;
    SinkCatchUp();
    OutputGuard guard;
    HostSoundBuffer* const free = std::find_if(std::begin(s_buffers), std::end(s_buffers),
                                               [](const auto& b) { return b.references == 0; });
    if (free == std::end(s_buffers)) return HOST_E_GENERIC;
    FreeBuffer(free);
    free->references = 1;
    free->kind = desc.kind;
    free->caps = desc.caps;
    if (desc.kind == HOST_SOUND_STREAM) free->bytes.assign(desc.bytes, AUDIO_CENTRE);
    free->frequency = HOST_AUDIO_RATE;
    UpdateGains(free);
    Record(free, HOST_AUDIO_CREATE, static_cast<int32_t>(free->bytes.size()));
    *buffer = free;
    return HOST_OK;
}

uint32_t HostSoundBufferAddRef(HostSoundBuffer* buffer)
{
    if (buffer->references == 0) return 0;
    return ++buffer->references;
}

uint32_t HostSoundBufferRelease(HostSoundBuffer* buffer)
{
    if (buffer->references == 0) return 0;
    SinkCatchUp();
    OutputGuard guard;
    if (--buffer->references > 0) return buffer->references;
    Record(buffer, HOST_AUDIO_RELEASE);
    FreeBuffer(buffer);
    return 0;
}

HostResult HostSoundBufferSetFormat(HostSoundBuffer* buffer, const HostAudioFormat& format)
{
    if (buffer->references == 0 || buffer->kind != HOST_SOUND_PRIMARY) return HOST_E_BAD_ARGUMENT;
    const bool ours = format.samplesPerSecond == HOST_AUDIO_RATE
                      && format.bitsPerSample == HOST_AUDIO_BITS
                      && format.channels == HOST_AUDIO_CHANNELS;
    return ours ? HOST_OK : HOST_E_UNSUPPORTED;
}

HostResult HostSoundBufferGetFormat(HostSoundBuffer* buffer, HostAudioFormat* format)
{
    if (buffer->references == 0 || buffer->kind != HOST_SOUND_PRIMARY) return HOST_E_BAD_ARGUMENT;
    *format = {HOST_AUDIO_RATE, HOST_AUDIO_BITS, HOST_AUDIO_CHANNELS};
    return HOST_OK;
}

HostResult HostSoundBufferLock(HostSoundBuffer* buffer, uint32_t offset, uint32_t count,
                               void** first, uint32_t* firstBytes, void** second,
                               uint32_t* secondBytes)
{
    if (!IsStream(buffer) || buffer->locked) return HOST_E_BAD_ARGUMENT;
    const uint32_t size = static_cast<uint32_t>(buffer->bytes.size());
    if (offset >= size || count == 0 || count > size) return HOST_E_BAD_ARGUMENT;
    SinkCatchUp();
    LockOutput();  // held until the unlock
    buffer->locked = true;
    const uint32_t head = std::min(count, size - offset);
    *first = buffer->bytes.data() + offset;
    *firstBytes = head;
    *second = head < count ? buffer->bytes.data() : nullptr;
    *secondBytes = count - head;
    Record(buffer, HOST_AUDIO_LOCK, static_cast<int32_t>(offset), static_cast<int32_t>(count));
    return HOST_OK;
}

HostResult HostSoundBufferUnlock(HostSoundBuffer* buffer, void*, uint32_t, void*, uint32_t)
{
    if (!IsStream(buffer) || !buffer->locked) return HOST_E_BAD_ARGUMENT;
    buffer->locked = false;
    UnlockOutput();
    return HOST_OK;
}

HostResult HostSoundBufferPlay(HostSoundBuffer* buffer, bool looping)
{
    if (!IsStream(buffer)) return HOST_E_BAD_ARGUMENT;
    SinkCatchUp();
    OutputGuard guard;
    buffer->playing = true;
    buffer->looping = looping;
    Record(buffer, HOST_AUDIO_PLAY, looping ? 1 : 0);
    return HOST_OK;
}

HostResult HostSoundBufferStop(HostSoundBuffer* buffer)
{
    if (!IsStream(buffer)) return HOST_E_BAD_ARGUMENT;
    SinkCatchUp();
    OutputGuard guard;
    buffer->playing = false;
    Record(buffer, HOST_AUDIO_STOP);
    return HOST_OK;
}

HostResult HostSoundBufferSetPosition(HostSoundBuffer* buffer, uint32_t offset)
{
    if (!IsStream(buffer) || offset >= buffer->bytes.size()) return HOST_E_BAD_ARGUMENT;
    SinkCatchUp();
    OutputGuard guard;
    buffer->position = offset;
    buffer->fraction = 0;
    Record(buffer, HOST_AUDIO_POSITION, static_cast<int32_t>(offset));
    return HOST_OK;
}

HostResult HostSoundBufferCursors(HostSoundBuffer* buffer, uint32_t* play, uint32_t* write)
{
    if (!IsStream(buffer)) return HOST_E_BAD_ARGUMENT;
    SinkCatchUp();
    OutputGuard guard;
    const uint32_t size = static_cast<uint32_t>(buffer->bytes.size());
    const uint32_t lead = buffer->playing ? std::max(1u, buffer->frequency * 15 / 1000) : 0;
    *play = buffer->position;
    *write = static_cast<uint32_t>((static_cast<uint64_t>(buffer->position) + lead) % size);
    return HOST_OK;
}

HostResult HostSoundBufferSetFrequency(HostSoundBuffer* buffer, uint32_t hz)
{
    if (!IsStream(buffer) || hz < HOST_AUDIO_MIN_FREQUENCY || hz > HOST_AUDIO_MAX_FREQUENCY)
        return HOST_E_BAD_ARGUMENT;
    SinkCatchUp();
    OutputGuard guard;
    buffer->frequency = hz;
    Record(buffer, HOST_AUDIO_FREQUENCY, static_cast<int32_t>(hz));
    return HOST_OK;
}

HostResult HostSoundBufferSetVolume(HostSoundBuffer* buffer, int32_t hundredthsDb)
{
    if (!IsStream(buffer) || hundredthsDb < HOST_AUDIO_SILENT || hundredthsDb > 0)
        return HOST_E_BAD_ARGUMENT;
    SinkCatchUp();
    OutputGuard guard;
    buffer->volume = hundredthsDb;
    UpdateGains(buffer);
    Record(buffer, HOST_AUDIO_VOLUME, hundredthsDb);
    return HOST_OK;
}

HostResult HostSoundBufferSetPan(HostSoundBuffer* buffer, int32_t pan)
{
    if (!IsStream(buffer) || pan < HOST_AUDIO_PAN_LEFT || pan > HOST_AUDIO_PAN_RIGHT)
        return HOST_E_BAD_ARGUMENT;
    SinkCatchUp();
    OutputGuard guard;
    buffer->pan = pan;
    UpdateGains(buffer);
    Record(buffer, HOST_AUDIO_PAN, pan);
    return HOST_OK;
}

// ---------------------------------------------------------------------------------------------
// Test controls.

void HostAudioResetControls()
{
    s_controls = {};
    FollowClock();
}

const std::vector<HostAudioEvent>& HostInjectAudioLog() { return s_controls.log; }

void HostInjectAudioNoDevice(bool noDevice) { s_controls.noDevice = noDevice; }

void HostInjectAudioCapture(bool on)
{
    if (on && !s_controls.capturing) s_controls.capture.clear();
    s_controls.capturing = on;
    FollowClock();
}

bool HostInjectAudioCapturing() { return s_controls.capturing; }

const std::vector<int16_t>& HostInjectAudioCaptured() { return s_controls.capture; }

bool HostWriteCaptureWave(const char* path)
{
    const std::vector<int16_t>& samples = s_controls.capture;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * sizeof(int16_t));
    const uint32_t blockAlign = HOST_AUDIO_CHANNELS * HOST_AUDIO_BITS / 8;
    std::string bytes;
    const auto put = [&bytes](uint32_t value, size_t size) {
        bytes.append(reinterpret_cast<const char*>(&value), size);
    };
    bytes += "RIFF";
    put(36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2);  // PCM
    put(HOST_AUDIO_CHANNELS, 2);
    put(HOST_AUDIO_RATE, 4);
    put(HOST_AUDIO_RATE * blockAlign, 4);
    put(blockAlign, 2);
    put(HOST_AUDIO_BITS, 2);
    bytes += "data";
    put(dataBytes, 4);
    bytes.append(reinterpret_cast<const char*>(samples.data()), dataBytes);
    return HostWriteFileAtomically(path, bytes);
}
