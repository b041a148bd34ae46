// tests/support/sample_data.cpp: the seeded sample buffers; a generator of their own keeps the
// game's random sequence untouched.
#include "tests/support/sample_data.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <numbers>
#include <string>
#include <string_view>

namespace {

struct SampleRng {
    uint32_t state;
};

uint32_t NextBelow(SampleRng* rng, uint32_t limit)
{
    rng->state = rng->state * 1664525u + 1013904223u;
    return (rng->state >> 8) % limit;
}

uint16_t Rgb565(uint32_t r, uint32_t g, uint32_t b)
{
    return static_cast<uint16_t>((r & 31) << 11 | (g & 63) << 5 | (b & 31));
}

void PutPixel(std::vector<uint8_t>* picture, size_t index, uint16_t pixel)
{
    (*picture)[index * 2] = static_cast<uint8_t>(pixel);
    (*picture)[index * 2 + 1] = static_cast<uint8_t>(pixel >> 8);
}

constexpr auto kWords = std::to_array<std::string_view>({
    "le",         "la",       "les",       "un",       "une",       "de",         "du",
    "et",         "match",    "joueur",    "club",     "but",       "saison",     "contrat",
    "equipe",     "terrain",  "arbitre",   "tribune",  "coupe",     "ligue",      "points",
    "victoire",   "defaite",  "nul",       "gardien",  "defense",   "milieu",     "attaque",
    "passe",      "tir",      "corner",    "penalty",  "budget",    "stade",      "public",
    "presse",     "blesse",   "transfert", "salaire",  "semaine",   "entraineur", "president",
    "classement", "division", "journee",   "domicile", "exterieur",
});

void AppendWord(SampleRng* rng, std::vector<uint8_t>* text)
{
    if (NextBelow(rng, 10) == 0) {
        const std::string number = std::to_string(NextBelow(rng, 2000));
        text->insert(text->end(), number.begin(), number.end());
        return;
    }
    const std::string_view word = kWords[NextBelow(rng, kWords.size())];
    text->insert(text->end(), word.begin(), word.end());
}

void AppendSentence(SampleRng* rng, std::vector<uint8_t>* text)
{
    const size_t start = text->size();
    const uint32_t wordCount = 4 + NextBelow(rng, 12);
    for (uint32_t i = 0; i < wordCount; ++i) {
        if (i > 0) {
            if (NextBelow(rng, 8) == 0) text->push_back(',');
            text->push_back(' ');
        }
        AppendWord(rng, text);
    }
    (*text)[start] = static_cast<uint8_t>(std::toupper((*text)[start]));
    text->push_back('.');
    text->push_back(NextBelow(rng, 4) == 0 ? '\n' : ' ');
}

}  // namespace

std::vector<uint8_t> SamplePicture16(int32_t width, int32_t height, uint32_t seed)
{
    SampleRng rng = {seed};
    std::vector<uint8_t> picture(static_cast<size_t>(width) * height * 2);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            PutPixel(&picture, static_cast<size_t>(y) * width + x,
                     Rgb565(y * 32 / height, 20, x * 32 / width));
        }
    }
    for (int32_t box = 0; box < 24; ++box) {
        const uint32_t left = NextBelow(&rng, width);
        const uint32_t top = NextBelow(&rng, height);
        const uint32_t right = std::min<uint32_t>(width, left + 8 + NextBelow(&rng, width / 3));
        const uint32_t bottom = std::min<uint32_t>(height, top + 8 + NextBelow(&rng, height / 3));
        const uint16_t colour = static_cast<uint16_t>(NextBelow(&rng, 65536));
        for (uint32_t y = top; y < bottom; ++y) {
            for (uint32_t x = left; x < right; ++x) {
                PutPixel(&picture, y * width + x, colour);
            }
        }
    }
    // A dithered patch in the lower right quarter, like a scanned photograph.
    for (int32_t y = height / 2; y < height; ++y) {
        for (int32_t x = width / 2; x < width; ++x) {
            PutPixel(&picture, static_cast<size_t>(y) * width + x,
                     Rgb565(16 + NextBelow(&rng, 2), 30 + NextBelow(&rng, 3), 8));
        }
    }
    return picture;
}

std::vector<uint8_t> SampleText(size_t size, uint32_t seed)
{
    SampleRng rng = {seed};
    std::vector<uint8_t> text;
    text.reserve(size + 256);
    while (text.size() < size) {
        AppendSentence(&rng, &text);
    }
    text.resize(size);
    return text;
}

std::vector<uint8_t> SampleRandomBytes(size_t size, uint32_t seed)
{
    SampleRng rng = {seed};
    std::vector<uint8_t> bytes(size);
    for (uint8_t& byte : bytes) {
        byte = static_cast<uint8_t>(NextBelow(&rng, 256));
    }
    return bytes;
}

std::vector<uint8_t> SampleTone(size_t size)
{
    constexpr double kPeriodSamples = 22050.0 / 440.0;
    std::vector<uint8_t> samples(size);
    for (size_t i = 0; i < size; ++i) {
        const double phase = 2.0 * std::numbers::pi * static_cast<double>(i) / kPeriodSamples;
        samples[i] = static_cast<uint8_t>(std::lround(128.0 + 100.0 * std::sin(phase)));
    }
    return samples;
}
