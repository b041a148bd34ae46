// tools/mkdata/films.cpp: the films: a ball rolling across a striped pitch under a band in the
// emblem's colours, written in every frame kind the reader knows.
#include "tools/mkdata/films.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/compress.h"
#include "menus/animplay.h"

namespace {

using Bytes = std::vector<uint8_t>;

enum FilmColour : uint8_t { BLACK, GRASS_LIGHT, GRASS_DARK, BAND, BAND_EDGE, BALL, BALL_PATCH };

struct Film {
    int32_t width;
    int32_t height;
    int32_t frameCount;
    Bytes shown;  // the frame as the reader will hold it after the frames written so far
    Bytes bytes;
};

void PutLe32(Bytes* bytes, uint32_t value)
{
    for (int32_t i = 0; i < 4; ++i)
        bytes->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

Film StartFilm(uint32_t version, int32_t width, int32_t height, int32_t frameCount)
{
    Film film{width, height, frameCount, Bytes(static_cast<size_t>(width * height), 0), {}};
    film.bytes = {'F', 'I', 'L', 'M'};
    PutLe32(&film.bytes, version << 16);
    for (int32_t side : {width, height}) {
        film.bytes.push_back(static_cast<uint8_t>(side));
        film.bytes.push_back(static_cast<uint8_t>(side >> 8));
    }
    film.bytes.resize(FILM_HEADER_BYTES, 0);
    return film;
}

Bytes Palette()
{
    static const uint8_t own[][3] = {{0, 0, 0},      {70, 160, 60},   {50, 130, 45}, {128, 0, 128},
                                     {250, 210, 40}, {245, 245, 245}, {30, 30, 40}};
    Bytes palette(FILM_PALETTE_BYTES);
    for (int32_t i = 0; i < 256; ++i) {
        for (int32_t c = 0; c < 3; ++c) {
            palette[static_cast<size_t>(i * 3 + c)] = i < 7 ? own[i][c] : static_cast<uint8_t>(i);
        }
    }
    return palette;
}

// The picture of frame `frame`: the ball crosses from the left edge to the right one.
Bytes Scene(const Film& film, int32_t frame)
{
    const int32_t w = film.width;
    const int32_t h = film.height;
    const float radius = static_cast<float>(h) / 10.0f;
    const float ballX = -radius
                        + (static_cast<float>(w) + 2.0f * radius) * static_cast<float>(frame)
                              / static_cast<float>(film.frameCount - 1);
    const float ballY = static_cast<float>(h) * 0.6f;
    const float turn = ballX / radius;  // rolling: the patch goes round as the ball moves
    const float patchX = ballX + 0.5f * radius * std::cos(turn);
    const float patchY = ballY + 0.5f * radius * std::sin(turn);
    Bytes pixels(static_cast<size_t>(w * h));
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const float fx = static_cast<float>(x) + 0.5f;
            const float fy = static_cast<float>(y) + 0.5f;
            uint8_t colour = (x / (w / 8)) % 2 ? GRASS_DARK : GRASS_LIGHT;
            if (y < h / 8) colour = BAND;
            if (y >= h / 8 && y < h / 8 + h / 40 + 1) colour = BAND_EDGE;
            if (std::hypot(fx - ballX, fy - ballY) < radius) colour = BALL;
            if (std::hypot(fx - patchX, fy - patchY) < radius * 0.35f) colour = BALL_PATCH;
            pixels[static_cast<size_t>(y * w + x)] = colour;
        }
    }
    return pixels;
}

// The data of one frame of `kind` showing `scene`; updates what the reader will hold.
Bytes EncodeFrame(Film* film, uint32_t kind, const Bytes& scene)
{
    const int32_t w = film->width;
    Bytes data;
    if (kind == FILM_FULL || kind == FILM_FULL_PALETTE) {
        film->shown = scene;
        data = scene;
        if (kind == FILM_FULL_PALETTE) {
            const Bytes palette = Palette();
            data.insert(data.end(), palette.begin(), palette.end());
        }
    } else if (kind == FILM_CHANGES) {
        int32_t cursor = 0;
        for (int32_t p = 0; p < static_cast<int32_t>(scene.size()); ++p) {
            if (scene[static_cast<size_t>(p)] == film->shown[static_cast<size_t>(p)]) continue;
            while (p - cursor > 255) {  // a long gap: rewrite an unchanged pixel on the way
                cursor += 255;
                data.push_back(255);
                data.push_back(film->shown[static_cast<size_t>(cursor)]);
            }
            data.push_back(static_cast<uint8_t>(p - cursor));
            data.push_back(scene[static_cast<size_t>(p)]);
            cursor = p;
        }
        film->shown = scene;
    } else {
        // Reduced kinds keep every other row and/or column and repeat it.
        const bool halveRows = kind != FILM_HALF_WIDTH;
        const bool halveColumns = kind != FILM_HALF_HEIGHT;
        for (int32_t y = 0; y < film->height; y += halveRows ? 2 : 1) {
            for (int32_t x = 0; x < w; x += halveColumns ? 2 : 1) {
                data.push_back(scene[static_cast<size_t>(y * w + x)]);
            }
        }
        for (int32_t y = 0; y < film->height; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                const int32_t from = (halveRows ? y & ~1 : y) * w + (halveColumns ? x & ~1 : x);
                film->shown[static_cast<size_t>(y * w + x)] = scene[static_cast<size_t>(from)];
            }
        }
    }
    return data;
}

void AddFrame12(Film* film, uint32_t kind, const Bytes& scene)
{
    const Bytes data = EncodeFrame(film, kind, scene);
    PutLe32(&film->bytes, static_cast<uint32_t>(data.size()));
    PutLe32(&film->bytes, kind);
    film->bytes.insert(film->bytes.end(), data.begin(), data.end());
}

void AddFrame3(Film* film, uint32_t kind, const Bytes& scene, bool compressed)
{
    const Bytes data = EncodeFrame(film, kind, scene);
    const Bytes stored = compressed ? CompressBest(data.data(), data.size()) : data;
    PutLe32(&film->bytes, static_cast<uint32_t>(stored.size()));
    PutLe32(&film->bytes, kind);
    PutLe32(&film->bytes, static_cast<uint32_t>(data.size()));
    PutLe32(&film->bytes, compressed ? 0 : FILM_STORED_PLAINLY);
    film->bytes.insert(film->bytes.end(), stored.begin(), stored.end());
}

Bytes MakeFilm12(uint32_t version)
{
    // Mostly changes, with each reduced kind and a plain full frame in turn between them.
    constexpr uint32_t kKinds[] = {FILM_FULL_PALETTE, FILM_CHANGES, FILM_QUARTER,    FILM_CHANGES,
                                   FILM_HALF_HEIGHT,  FILM_CHANGES, FILM_HALF_WIDTH, FILM_CHANGES,
                                   FILM_FULL,         FILM_CHANGES, FILM_CHANGES,    FILM_CHANGES};
    constexpr int32_t kFrames = 24;
    Film film = StartFilm(version, 160, 120, kFrames);
    for (int32_t frame = 0; frame < kFrames; ++frame) {
        AddFrame12(&film, kKinds[frame % std::size(kKinds)], Scene(film, frame));
    }
    return film.bytes;
}

Bytes MakeFilm3()
{
    constexpr int32_t kFrames = 30;
    Film film = StartFilm(3, 320, 240, kFrames);
    for (int32_t frame = 0; frame < kFrames; ++frame) {
        const uint32_t kind = frame == 0       ? FILM_FULL_PALETTE
                              : frame % 3 == 2 ? FILM_HALF_WIDTH
                                               : FILM_FULL;
        AddFrame3(&film, kind, Scene(film, frame), frame % 10 != 1);
    }
    return film.bytes;
}

}  // namespace

void MkGenerateFilms(MkFileSet* set)
{
    MkAddFile(set, "films\\demo1.flm", MakeFilm12(1));
    MkAddFile(set, "films\\demo2.flm", MakeFilm12(2));
    MkAddFile(set, "films\\demo3.flm", MakeFilm3());
}
