// tools/mkdata/sounds.cpp: the sound samples: every file "data/sounds.txt" names, synthesised by
// its kind's generator from a seed of its own and written as the game's 8-bit mono WAVE.
#include "tools/mkdata/sounds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "engine/crc32.h"
#include "tools/mkdata/textsource.h"

namespace {

constexpr const char* SOUND_SOURCE = "sounds.txt";
constexpr double TWO_PI = 2.0 * std::numbers::pi;
constexpr double LOOP_FADE_SECONDS = 0.1;
constexpr double PEAK = 0.9;         // of full scale, after normalising
constexpr uint32_t NOTE_EVERY = 10;  // every tenth file carries a "note" chunk
constexpr uint32_t LOOP_FLAG = 1;    // "bRIx" flags bit 0
constexpr uint32_t MIN_RATE = 4000;  // sample rates a line may give
constexpr uint32_t MAX_RATE = 44100;
constexpr uint32_t MAX_LENGTH_MS = 20000;

struct SoundSpec {
    std::string name;
    std::string kind;
    uint32_t lengthMs;
    double pitch;
    bool loops;
    uint32_t rate;
};

// Each file's own generator: xorshift, seeded from the CRC-32 of the file's name.
class Rng {
public:
    explicit Rng(uint32_t seed) : m_state(seed ? seed : 0x9E3779B9u) {}
    double Uniform()  // [0, 1)
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state / 4294967296.0;
    }
    double Noise() { return 2.0 * Uniform() - 1.0; }

private:
    uint32_t m_state;
};

// A state-variable filter: low-pass and band-pass outputs of one resonance.
class Filter {
public:
    Filter(double centreHz, double rate, double damping)
        : m_f(2.0 * std::sin(std::numbers::pi * std::min(centreHz, rate / 6.0) / rate)),
          m_q(damping)
    {
    }
    double Band(double x)
    {
        Step(x);
        return m_band;
    }
    double Low(double x)
    {
        Step(x);
        return m_low;
    }
    void Retune(double centreHz, double rate)
    {
        m_f = 2.0 * std::sin(std::numbers::pi * std::min(centreHz, rate / 6.0) / rate);
    }

private:
    void Step(double x)
    {
        m_low += m_f * m_band;
        const double high = x - m_low - m_q * m_band;
        m_band += m_f * high;
    }
    double m_f;
    double m_q;
    double m_low = 0.0;
    double m_band = 0.0;
};

using Samples = std::vector<double>;

struct Synth {
    const SoundSpec& spec;
    Rng& rng;
    Samples& out;
    double Seconds(size_t i) const { return static_cast<double>(i) / spec.rate; }
    size_t At(double seconds) const { return static_cast<size_t>(seconds * spec.rate); }
};

// Attack and release in seconds, clipped to the span.
double Envelope(double t, double length, double attack, double release)
{
    if (t < attack) return t / attack;
    if (t > length - release) return std::max(0.0, (length - t) / release);
    return 1.0;
}

// A ball hit: a sine falling onto its pitch, a click of noise, a quick decay.
void AddHit(const Synth& s, size_t start, double pitch, double amplitude, double decay)
{
    double phase = 0.0;
    for (size_t i = start; i < s.out.size(); ++i) {
        const double t = s.Seconds(i - start);
        const double hz = pitch * (1.0 + 1.5 * std::exp(-t * 30.0));
        phase += TWO_PI * hz / s.spec.rate;
        const double body = std::sin(phase) * std::exp(-t * decay);
        const double click = s.rng.Noise() * std::exp(-t * 400.0) * 0.5;
        s.out[i] += amplitude * (body + click);
    }
}

double DecayFor(const Synth& s) { return 5.0 / s.Seconds(s.out.size()); }

void Thump(const Synth& s) { AddHit(s, 0, s.spec.pitch, 1.0, DecayFor(s)); }

void Thud(const Synth& s)
{
    AddHit(s, 0, s.spec.pitch, 1.0, DecayFor(s) * 1.5);
    Filter dull(400.0, s.spec.rate, 1.0);
    for (size_t i = 0; i < s.out.size(); ++i) {
        s.out[i] += dull.Low(s.rng.Noise()) * std::exp(-s.Seconds(i) * 25.0);
    }
}

void Bounce(const Synth& s)
{
    AddHit(s, 0, s.spec.pitch, 1.0, DecayFor(s) * 2.0);
    AddHit(s, s.out.size() * 2 / 5, s.spec.pitch * 1.1, 0.45, DecayFor(s) * 2.5);
}

// A struck metal tube: inharmonic partials that ring on.
void Clang(const Synth& s)
{
    constexpr std::array<double, 5> kRatios = {1.0, 2.76, 5.40, 8.93, 13.34};
    constexpr std::array<double, 5> kLevels = {1.0, 0.6, 0.4, 0.25, 0.15};
    for (size_t i = 0; i < s.out.size(); ++i) {
        const double t = s.Seconds(i);
        double sum = s.rng.Noise() * std::exp(-t * 200.0) * 0.6;
        for (size_t p = 0; p < kRatios.size(); ++p) {
            sum += kLevels[p] * std::sin(TWO_PI * s.spec.pitch * kRatios[p] * t)
                   * std::exp(-t * (1.5 + 1.2 * p));
        }
        s.out[i] = sum;
    }
}

// A pea whistle: its tone trills a little, with breath under it.
void AddBlast(const Synth& s, size_t start, size_t length, double pitch, double glide)
{
    double phase = 0.0;
    const double seconds = s.Seconds(length);
    for (size_t i = 0; i < length && start + i < s.out.size(); ++i) {
        const double t = s.Seconds(i);
        const double hz =
            pitch * (1.0 + glide * t / seconds) * (1.0 + 0.012 * std::sin(TWO_PI * 28.0 * t));
        phase += TWO_PI * hz / s.spec.rate;
        const double tone = std::sin(phase) + 0.08 * s.rng.Noise();
        s.out[start + i] += tone * Envelope(t, seconds, 0.015, 0.04);
    }
}

void Whistle(const Synth& s) { AddBlast(s, 0, s.out.size(), s.spec.pitch, 0.0); }

void TripleWhistle(const Synth& s)
{
    const size_t blast = s.out.size() / 4;
    for (size_t b = 0; b < 3; ++b) {
        AddBlast(s, b * (blast + blast / 2), b == 2 ? s.out.size() - 3 * blast : blast,
                 s.spec.pitch, 0.0);
    }
}

void Catcall(const Synth& s) { AddBlast(s, 0, s.out.size(), s.spec.pitch, 0.4); }

// Many voices far away: band-passed noise that swells slowly.
void Murmur(const Synth& s)
{
    Filter band(s.spec.pitch, s.spec.rate, 0.7);
    Filter body(s.spec.pitch * 0.4, s.spec.rate, 1.2);
    const double phase = s.rng.Uniform() * TWO_PI;
    for (size_t i = 0; i < s.out.size(); ++i) {
        const double t = s.Seconds(i);
        const double swell = 0.65 + 0.2 * std::sin(TWO_PI * 0.35 * t + phase)
                             + 0.15 * std::sin(TWO_PI * 0.9 * t + 2.0 * phase);
        const double noise = s.rng.Noise();
        s.out[i] = swell * (band.Band(noise) + 0.6 * body.Band(noise));
    }
}

// A crowd's voice: noise through two vowel formants, shaped by `level` over time.
void CrowdVoice(const Synth& s, double formant, double (*level)(double t, double length),
                double sweep)
{
    Filter low(formant, s.spec.rate, 0.5);
    Filter high(formant * 1.7, s.spec.rate, 0.6);
    const double length = s.Seconds(s.out.size());
    for (size_t i = 0; i < s.out.size(); ++i) {
        const double t = s.Seconds(i);
        if (sweep != 0.0 && i % 64 == 0) {
            low.Retune(formant * (1.0 + sweep * t / length), s.spec.rate);
            high.Retune(formant * 1.7 * (1.0 + sweep * t / length), s.spec.rate);
        }
        const double noise = s.rng.Noise();
        s.out[i] = level(t, length) * (low.Band(noise) + 0.7 * high.Band(noise));
    }
}

double RisingLevel(double t, double length)
{
    return std::min(1.0, 0.15 + t / (0.35 * length)) * Envelope(t, length, 0.01, 0.25 * length);
}

double FallingLevel(double t, double length)
{
    return Envelope(t, length, 0.08 * length, 0.01) * (1.0 - 0.7 * t / length);
}

void Cheer(const Synth& s) { CrowdVoice(s, s.spec.pitch, RisingLevel, 0.15); }

void Groan(const Synth& s) { CrowdVoice(s, s.spec.pitch, FallingLevel, -0.35); }

// One hand clap: a few milliseconds of bright noise.
void AddClap(const Synth& s, size_t start, double amplitude)
{
    const size_t length = s.At(0.006);
    for (size_t i = 0; i < length && start + i < s.out.size(); ++i) {
        s.out[start + i] += amplitude * s.rng.Noise() * (1.0 - static_cast<double>(i) / length);
    }
}

// Claps at random: pitch is the number of hands per second.
void Applause(const Synth& s)
{
    const double chance = s.spec.pitch / s.spec.rate;
    const double length = s.Seconds(s.out.size());
    for (size_t i = 0; i < s.out.size(); ++i) {
        if (s.rng.Uniform() < chance)
            AddClap(s, i, (0.3 + 0.7 * s.rng.Uniform()) * Envelope(s.Seconds(i), length, 0.2, 0.4));
    }
}

// The crowd clapping together: a cluster of claps on every beat.
void Claps(const Synth& s)
{
    const double beat = 60.0 / s.spec.pitch;
    for (double t = 0.0; t < s.Seconds(s.out.size()); t += beat) {
        for (int hand = 0; hand < 24; ++hand) {
            AddClap(s, s.At(t + 0.03 * s.rng.Uniform()), 0.2 + 0.2 * s.rng.Uniform());
        }
    }
}

// Drums and stamping: low hits on the beat, louder on the first of four.
void Drums(const Synth& s)
{
    const double beat = 60.0 / s.spec.pitch;
    int count = 0;
    for (double t = 0.0; t < s.Seconds(s.out.size()); t += beat, ++count) {
        AddHit(s, s.At(t), 55.0 + 10.0 * (count % 2), count % 4 == 0 ? 1.0 : 0.6, 9.0);
    }
}

// Voices singing together: detuned buzzes through a vowel that changes with each syllable.
void Chant(const Synth& s)
{
    constexpr std::array<double, 4> kVowels = {700.0, 1100.0, 500.0, 900.0};
    constexpr double kSyllable = 0.33;
    Filter vowel(kVowels[0], s.spec.rate, 0.35);
    std::array<double, 3> phases = {0.0, 0.3, 0.6};
    int lastSyllable = -1;
    for (size_t i = 0; i < s.out.size(); ++i) {
        const double t = s.Seconds(i);
        const int syllable = static_cast<int>(t / kSyllable);
        if (syllable != lastSyllable) {
            vowel.Retune(kVowels[syllable % kVowels.size()], s.spec.rate);
            lastSyllable = syllable;
        }
        double buzz = 0.15 * s.rng.Noise();
        for (size_t v = 0; v < phases.size(); ++v) {
            phases[v] += s.spec.pitch * (1.0 + 0.006 * v) / s.spec.rate;
            buzz += phases[v] - std::floor(phases[v]) - 0.5;
        }
        const double within = t - syllable * kSyllable;
        s.out[i] = vowel.Band(buzz) * Envelope(within, kSyllable, 0.03, 0.08);
    }
}

// A brass horn or air horn: a buzzy saw that wavers a little.
void Horn(const Synth& s)
{
    Filter tone(s.spec.pitch * 4.0, s.spec.rate, 0.8);
    double phase = 0.0;
    const double length = s.Seconds(s.out.size());
    for (size_t i = 0; i < s.out.size(); ++i) {
        const double t = s.Seconds(i);
        phase += s.spec.pitch * (1.0 + 0.004 * std::sin(TWO_PI * 5.0 * t)) / s.spec.rate;
        const double saw = phase - std::floor(phase) - 0.5;
        s.out[i] = tone.Low(saw) * Envelope(t, length, 0.05, 0.12);
    }
}

// The stadium announcer: a voice-like buzz through a narrow loudspeaker band.
void Tannoy(const Synth& s)
{
    Filter speaker(1500.0, s.spec.rate, 0.4);
    double phase = 0.0;
    double syllableEnd = 0.0;
    double syllableLength = 0.2;
    double inflection = 1.0;
    for (size_t i = 0; i < s.out.size(); ++i) {
        const double t = s.Seconds(i);
        if (t >= syllableEnd) {
            syllableLength = 0.12 + 0.2 * s.rng.Uniform();
            syllableEnd = t + syllableLength;
            inflection = 0.85 + 0.3 * s.rng.Uniform();
        }
        phase += s.spec.pitch * inflection / s.spec.rate;
        const double buzz = phase - std::floor(phase) - 0.5;
        const double within = t - (syllableEnd - syllableLength);
        s.out[i] = speaker.Band(buzz + 0.05 * s.rng.Noise())
                   * Envelope(within, syllableLength, 0.02, 0.05);
    }
}

// A tune: a melody walking a pentatonic scale over a bass on I-V-vi-IV, eight notes a bar.
void Tune(const Synth& s)
{
    constexpr std::array<int, 5> kScale = {0, 2, 4, 7, 9};
    constexpr std::array<int, 4> kChords = {0, 7, 9, 5};
    constexpr double kNote = 0.25;
    const auto semitones = [](double base, int steps) {
        return base * std::pow(2.0, steps / 12.0);
    };
    int degree = 5;
    double melodyHz = s.spec.pitch;
    double melodyPhase = 0.0;
    double bassPhase = 0.0;
    int lastNote = -1;
    for (size_t i = 0; i < s.out.size(); ++i) {
        const double t = s.Seconds(i);
        const int note = static_cast<int>(t / kNote);
        if (note != lastNote) {
            degree = std::clamp(degree + static_cast<int>(s.rng.Uniform() * 5.0) - 2, 0, 9);
            const int octave = degree / 5;
            melodyHz = semitones(s.spec.pitch, kScale[degree % 5] + 12 * octave);
            lastNote = note;
        }
        const double within = t - note * kNote;
        melodyPhase += melodyHz / s.spec.rate;
        const double square = melodyPhase - std::floor(melodyPhase) < 0.5 ? 0.5 : -0.5;
        const double lead = square * std::exp(-within * 6.0);
        const double bassHz = semitones(s.spec.pitch / 4.0, kChords[(note / 8) % kChords.size()]);
        bassPhase += bassHz / s.spec.rate;
        const double tri = 2.0 * std::abs(2.0 * (bassPhase - std::floor(bassPhase)) - 1.0) - 1.0;
        s.out[i] = 0.6 * lead + 0.5 * tri;
    }
}

struct KindRow {
    const char* name;
    void (*run)(const Synth& s);
};

// clang-format off
constexpr auto kKinds = std::to_array<KindRow>({
    // The ball and the pitch.
    {"thump",    Thump},
    {"thud",     Thud},
    {"bounce",   Bounce},
    {"clang",    Clang},
    // The referee.
    {"whistle",  Whistle},
    {"whistle3", TripleWhistle},
    // The crowd.
    {"catcall",  Catcall},
    {"murmur",   Murmur},
    {"cheer",    Cheer},
    {"groan",    Groan},
    {"applause", Applause},
    {"claps",    Claps},
    {"drums",    Drums},
    {"chant",    Chant},
    {"horn",     Horn},
    {"tannoy",   Tannoy},
    // The menus.
    {"tune",     Tune},
});
// clang-format on

const KindRow* FindKind(const std::string& name)
{
    for (const KindRow& row : kKinds) {
        if (name == row.name) return &row;
    }
    return nullptr;
}

SoundSpec ParseLine(const MkSourceLine& line)
{
    std::istringstream fields(line.text);
    SoundSpec spec{};
    int loops = -1;
    std::string extra;
    if (!(fields >> spec.name >> spec.kind >> spec.lengthMs >> spec.pitch >> loops >> spec.rate)
        || fields >> extra)
        MkFailAt(SOUND_SOURCE, line.number, "expected: name kind length-ms pitch loop rate");
    if (!FindKind(spec.kind))
        MkFailAt(SOUND_SOURCE, line.number, "unknown kind '" + spec.kind + "'");
    if (loops != 0 && loops != 1) MkFailAt(SOUND_SOURCE, line.number, "loop must be 0 or 1");
    if (spec.rate < MIN_RATE || spec.rate > MAX_RATE || spec.lengthMs == 0
        || spec.lengthMs > MAX_LENGTH_MS || spec.pitch <= 0.0)
        MkFailAt(SOUND_SOURCE, line.number, "length, pitch or rate out of range");
    spec.loops = loops == 1;
    return spec;
}

// A looping sample gets its next fade's worth of sound blended into its start, so the repeat
// joins without a click.
Samples Synthesise(const SoundSpec& spec)
{
    const size_t length = static_cast<size_t>(spec.lengthMs) * spec.rate / 1000;
    const size_t fade =
        spec.loops ? std::min(length / 4, static_cast<size_t>(LOOP_FADE_SECONDS * spec.rate)) : 0;
    Samples out(length + fade, 0.0);
    Rng rng(Crc32(spec.name.data(), spec.name.size()));
    FindKind(spec.kind)->run(Synth{spec, rng, out});
    for (size_t i = 0; i < fade; ++i) {
        const double t = static_cast<double>(i) / fade;
        out[i] = out[i] * t + out[length + i] * (1.0 - t);
    }
    out.resize(length);
    return out;
}

std::vector<uint8_t> Quantise(const Samples& samples)
{
    double peak = 1e-9;
    for (double v : samples) {
        peak = std::max(peak, std::abs(v));
    }
    std::vector<uint8_t> bytes(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        const double level = 128.0 + 127.0 * PEAK * samples[i] / peak;
        bytes[i] = static_cast<uint8_t>(std::clamp(std::lround(level), 0L, 255L));
    }
    return bytes;
}

void Put32(std::vector<uint8_t>* out, uint32_t value)
{
    for (int b = 0; b < 4; ++b) {
        out->push_back(static_cast<uint8_t>(value >> (8 * b)));
    }
}

void Put16(std::vector<uint8_t>* out, uint16_t value)
{
    out->push_back(static_cast<uint8_t>(value));
    out->push_back(static_cast<uint8_t>(value >> 8));
}

void PutChunk(std::vector<uint8_t>* out, const char* id, const std::vector<uint8_t>& body)
{
    out->insert(out->end(), id, id + 4);
    Put32(out, static_cast<uint32_t>(body.size()));
    out->insert(out->end(), body.begin(), body.end());
    if (body.size() % 2) out->push_back(0);
}

std::vector<uint8_t> WaveFile(const SoundSpec& spec, const std::vector<uint8_t>& data, bool note)
{
    std::vector<uint8_t> fmt;
    Put16(&fmt, 1);  // PCM
    Put16(&fmt, 1);  // mono
    Put32(&fmt, spec.rate);
    Put32(&fmt, spec.rate);  // bytes per second
    Put16(&fmt, 1);          // block align
    Put16(&fmt, 8);
    std::vector<uint8_t> brix(16, 0);
    brix[0] = spec.loops ? LOOP_FLAG : 0;
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    PutChunk(&file, "fmt ", fmt);
    PutChunk(&file, "bRIx", brix);
    if (note) {
        const std::string text = "synthesised: " + spec.kind;
        std::vector<uint8_t> body(text.begin(), text.end());
        if (body.size() % 2 == 0) body.push_back('.');  // odd, so the pad byte is exercised
        PutChunk(&file, "note", body);
    }
    PutChunk(&file, "data", data);
    const uint32_t riffSize = static_cast<uint32_t>(file.size() - 8);
    std::memcpy(file.data() + 4, &riffSize, sizeof riffSize);
    return file;
}

}  // namespace

void MkGenerateSounds(MkFileSet* set)
{
    const std::vector<MkSourceLine> lines = MkReadSourceLines(SOUND_SOURCE);
    for (size_t index = 0; index < lines.size(); ++index) {
        const SoundSpec spec = ParseLine(lines[index]);
        const std::vector<uint8_t> data = Quantise(Synthesise(spec));
        MkAddFile(set, spec.name, WaveFile(spec, data, index % NOTE_EVERY == 0));
    }
}
