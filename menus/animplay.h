// menus/animplay.h: the film reader: "FILM" animations from the archives, one 8-bit frame per
// call into the caller's width x height buffer (docs/formats.md, "Film files").
#pragma once

#include <cstdint>

constexpr int32_t FILM_HEADER_BYTES = 64;
constexpr int32_t FILM_MAX_SIDE = 1024;  // widths and heights run 1 .. FILM_MAX_SIDE
constexpr int32_t FILM_PALETTE_BYTES = 768;
constexpr uint32_t FILM_STORED_PLAINLY = 0xFFFFFFFF;  // a version-3 frame's compression word

enum FilmFrameKind : uint32_t {
    FILM_FULL = 1,
    FILM_CHANGES = 2,
    FILM_OLD_PALETTE = 3,  // no longer written; refused
    FILM_QUARTER = 4,      // each byte a 2 x 2 block
    FILM_FULL_PALETTE = 5,
    FILM_HALF_HEIGHT = 6,  // each byte a pixel of two successive rows
    FILM_HALF_WIDTH = 7,   // each byte two adjacent pixels
};

struct FilmHandle {  // there is one, the reader's own
    int32_t pakHandle;
    uint32_t readPosition;
    uint32_t version;  // the file's version word; the version is its high 16 bits
    int16_t width;
    int16_t height;
    const uint8_t* palette;  // 768 bytes of 8-bit RGB from the last frame that carried one
};

// Forgets any open film and gives the host's media device the reader as its decoder.
void Film_Init();
// Takes the decoder back and closes an open film; safe without Film_Init and twice.
void Film_Uninit();

// The handle, or null (the file closed again) when the file does not begin with a 64-byte
// header starting "FILM" or its width or height is outside 1 .. FILM_MAX_SIDE. A missing file is
// fatal, as for every archive file; a film already open is a fatal abort.
FilmHandle* OpenFilm(const char* name);
// Decodes the next frame into dst (width x height bytes, keeping what a frame does not change):
// 0 after a frame, -1 at the end of the file. A frame that cannot be decoded is fatal.
int32_t ReadFilmFrame(FilmHandle* film, uint8_t* dst);
void CloseFilm(FilmHandle* film);

// Whether the archives hold the film and every frame of it decodes, by the rules ReadFilmFrame
// applies, without ending the program; a refusal is explained on the file channel at level 1.
// Leaves the reader's own film alone.
bool Film_Check(const char* name);
