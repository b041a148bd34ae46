// menus/animplay.cpp: the film reader. One decoding core answers a status for every frame, so
// ReadFilmFrame (which ends the program on a bad frame) and Film_Check (which only refuses)
// apply the same rules. No frame reads outside its file or writes outside the caller's buffer.
#include "menus/animplay.h"

#include <cstdio>
#include <cstring>

#include "engine/compress.h"
#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/host/host.h"
#include "engine/memory.h"
#include "engine/pakfile.h"

namespace {

constexpr const char* kSource = "animplay";
constexpr uint32_t kFrameHeaderBytes12 = 8;
constexpr uint32_t kFrameHeaderBytes3 = 16;

enum class FilmStatus {
    Ok,
    End,
    SizeWrong,
    ObsoletePalette,
    UnknownKind,
    DecompressFailed,
    UncompressedWrongSize,
    UnknownVersion,
    ChangesPastFrame,
    PastEnd,
};

struct FilmResult {
    FilmStatus status;
    uint32_t kind;  // for UnknownKind
};

struct FilmState {
    bool open;
    FilmHandle handle;
    uint8_t palette[FILM_PALETTE_BYTES];
};

FilmState s_film;

// A tracked block for one frame's data, freed when the frame is done whatever its outcome.
class FrameBlock {
public:
    explicit FrameBlock(uint32_t size) { AllocateMemory(&m_bytes, size, MEM_TYPE_FILE); }
    ~FrameBlock() { FreeMemory(&m_bytes); }
    FrameBlock(const FrameBlock&) = delete;
    FrameBlock& operator=(const FrameBlock&) = delete;
    uint8_t* Bytes() const { return m_bytes; }

private:
    uint8_t* m_bytes = nullptr;
};

uint32_t Version(const FilmHandle& film) { return film.version >> 16; }
uint32_t PixelCount(const FilmHandle& film)
{
    return static_cast<uint32_t>(film.width) * static_cast<uint32_t>(film.height);
}
uint32_t FileLength(const FilmHandle& film)
{
    return static_cast<uint32_t>(PakFileLength(film.pakHandle));
}

bool Fits(const FilmHandle& film, uint64_t count)
{
    return film.readPosition + count <= FileLength(film);
}

// Reads `count` bytes at the read position and moves past them; the caller has checked Fits.
void ReadBytes(FilmHandle* film, void* dst, uint32_t count)
{
    PakReadFile(dst, static_cast<int32_t>(film->readPosition), static_cast<int32_t>(count),
                film->pakHandle);
    film->readPosition += count;
}

uint32_t Le32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8
           | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// The data size a kind needs for this film, or 0 when the film's sides do not allow the kind.
uint32_t ExpectedSize(const FilmHandle& film, uint32_t kind)
{
    const uint32_t pixels = PixelCount(film);
    const bool evenWidth = film.width % 2 == 0;
    const bool evenHeight = film.height % 2 == 0;
    switch (kind) {
        case FILM_FULL: return pixels;
        case FILM_QUARTER: return evenWidth && evenHeight ? pixels / 4 : 0;
        case FILM_FULL_PALETTE: return pixels + FILM_PALETTE_BYTES;
        case FILM_HALF_HEIGHT: return evenHeight ? pixels / 2 : 0;
        case FILM_HALF_WIDTH: return evenWidth ? pixels / 2 : 0;
        default: return 0;
    }
}

bool ApplyChanges(const uint8_t* pairs, uint32_t size, uint32_t pixels, uint8_t* dst)
{
    uint32_t cursor = 0;
    for (uint32_t i = 0; i + 1 < size; i += 2) {
        cursor += pairs[i];
        if (cursor >= pixels) return false;
        dst[cursor] = pairs[i + 1];
    }
    return true;
}

// Spreads the data of a kind whose size ExpectedSize has checked over the buffer.
void ApplyFrame(FilmHandle* film, uint32_t kind, const uint8_t* src, uint8_t* dst, uint8_t* palette)
{
    const int32_t w = film->width;
    const int32_t h = film->height;
    switch (kind) {
        case FILM_FULL: std::memcpy(dst, src, PixelCount(*film)); break;
        case FILM_FULL_PALETTE:
            std::memcpy(dst, src, PixelCount(*film));
            std::memcpy(palette, src + PixelCount(*film), FILM_PALETTE_BYTES);
            film->palette = palette;
            break;
        case FILM_QUARTER:
            for (int32_t y = 0; y < h; y += 2) {
                for (int32_t x = 0; x < w; x += 2) {
                    const uint8_t value = *src++;
                    uint8_t* block = dst + y * w + x;
                    block[0] = block[1] = block[w] = block[w + 1] = value;
                }
            }
            break;
        case FILM_HALF_HEIGHT:
            for (int32_t y = 0; y < h; y += 2) {
                std::memcpy(dst + y * w, src, static_cast<size_t>(w));
                std::memcpy(dst + (y + 1) * w, src, static_cast<size_t>(w));
                src += w;
            }
            break;
        case FILM_HALF_WIDTH:
            for (uint32_t i = 0; i < PixelCount(*film) / 2; ++i)
                dst[2 * i] = dst[2 * i + 1] = src[i];
            break;
    }
}

FilmResult DecodeFrame12(FilmHandle* film, uint8_t* dst, uint8_t* palette)
{
    if (!Fits(*film, kFrameHeaderBytes12)) return {FilmStatus::PastEnd, 0};
    uint8_t header[kFrameHeaderBytes12];
    ReadBytes(film, header, sizeof header);
    const uint32_t size = Le32(header);
    const uint32_t kind = Le32(header + 4);
    if (kind == FILM_OLD_PALETTE) return {FilmStatus::ObsoletePalette, kind};
    if (kind == FILM_CHANGES) {
        if (size % 2 != 0) return {FilmStatus::SizeWrong, kind};
    } else if (kind < FILM_FULL || kind > FILM_HALF_WIDTH) {
        return {FilmStatus::UnknownKind, kind};
    } else if (size != ExpectedSize(*film, kind) || size == 0) {
        return {FilmStatus::SizeWrong, kind};
    }
    if (!Fits(*film, size)) return {FilmStatus::PastEnd, kind};
    if (size == 0) return {FilmStatus::Ok, kind};  // changes without a pair
    FrameBlock data(size);
    ReadBytes(film, data.Bytes(), size);
    if (kind == FILM_CHANGES) {
        const bool inside = ApplyChanges(data.Bytes(), size, PixelCount(*film), dst);
        return {inside ? FilmStatus::Ok : FilmStatus::ChangesPastFrame, kind};
    }
    ApplyFrame(film, kind, data.Bytes(), dst, palette);
    return {FilmStatus::Ok, kind};
}

FilmResult DecodeFrame3(FilmHandle* film, uint8_t* dst, uint8_t* palette)
{
    if (!Fits(*film, kFrameHeaderBytes3)) return {FilmStatus::PastEnd, 0};
    uint8_t header[kFrameHeaderBytes3];
    ReadBytes(film, header, sizeof header);
    const uint32_t storedSize = Le32(header);
    const uint32_t kind = Le32(header + 4);
    const uint32_t dataSize = Le32(header + 8);
    const bool plain = Le32(header + 12) == FILM_STORED_PLAINLY;
    if (plain && storedSize != dataSize) return {FilmStatus::UncompressedWrongSize, kind};
    if (kind != FILM_FULL && kind != FILM_FULL_PALETTE && kind != FILM_HALF_WIDTH) {
        return {FilmStatus::UnknownKind, kind};
    }
    if (dataSize != ExpectedSize(*film, kind) || dataSize == 0) {
        return {FilmStatus::SizeWrong, kind};
    }
    if (!Fits(*film, storedSize)) return {FilmStatus::PastEnd, kind};
    FrameBlock data(dataSize);
    if (plain) {
        ReadBytes(film, data.Bytes(), storedSize);
    } else {
        FrameBlock stored(storedSize);
        ReadBytes(film, stored.Bytes(), storedSize);
        CmpStatus status = CmpStatus::Ok;
        if (CmpDecode(stored.Bytes(), storedSize, data.Bytes(), dataSize, &status) != dataSize) {
            return {FilmStatus::DecompressFailed, kind};
        }
    }
    ApplyFrame(film, kind, data.Bytes(), dst, palette);
    return {FilmStatus::Ok, kind};
}

// The core: the next frame into dst, its palette (if it carries one) into `palette`.
FilmResult DecodeFrame(FilmHandle* film, uint8_t* dst, uint8_t* palette)
{
    if (film->readPosition >= FileLength(*film)) return {FilmStatus::End, 0};
    switch (Version(*film)) {
        case 1:
        case 2: return DecodeFrame12(film, dst, palette);
        case 3: return DecodeFrame3(film, dst, palette);
        default: return {FilmStatus::UnknownVersion, 0};
    }
}

// What a status means, as ReadFilmFrame's fatal texts word it (without "Error: ").
void DescribeResult(const FilmHandle& film, FilmResult result, char (&text)[96])
{
    const char* fixed = "";
    switch (result.status) {
        case FilmStatus::Ok:
        case FilmStatus::End: fixed = "ReadFilmFrame(): no fault"; break;
        case FilmStatus::SizeWrong: fixed = "ReadFilmFrame(): frame size wrong"; break;
        case FilmStatus::ObsoletePalette:
            fixed = "ReadFilmFrame(): obsolete 'Frame_Palette' found";
            break;
        case FilmStatus::UnknownKind:
            std::snprintf(text, sizeof text, "ReadFilmFrame(): Unknown frame type %d (version %s)",
                          static_cast<int32_t>(result.kind), Version(film) == 3 ? "3" : "1/2");
            return;
        case FilmStatus::DecompressFailed: fixed = "ReadFilmFrame(): failed to decompress"; break;
        case FilmStatus::UncompressedWrongSize:
            fixed = "ReadFilmFrame(): uncompressed frame wrong size";
            break;
        case FilmStatus::UnknownVersion: fixed = "ReadFilmFrame(): unknown film version"; break;
        case FilmStatus::ChangesPastFrame:
            fixed = "ReadFilmFrame(): changes run past the frame";
            break;
        case FilmStatus::PastEnd:
            fixed = "ReadFilmFrame(): frame runs past the end of the film";
            break;
    }
    std::snprintf(text, sizeof text, "%s", fixed);
}

// The file's handle set up from its header, or false (the file closed) for a refused header.
bool OpenHandle(const char* name, FilmHandle* film)
{
    *film = {};
    film->pakHandle = PakOpenFile(name);
    uint8_t header[FILM_HEADER_BYTES];
    const bool whole =
        PakReadFile(header, 0, FILM_HEADER_BYTES, film->pakHandle) == FILM_HEADER_BYTES;
    if (whole) {
        film->version = Le32(header + 4);
        film->width = static_cast<int16_t>(header[8] | header[9] << 8);
        film->height = static_cast<int16_t>(header[10] | header[11] << 8);
    }
    const bool sized = film->width >= 1 && film->width <= FILM_MAX_SIDE && film->height >= 1
                       && film->height <= FILM_MAX_SIDE;
    if (!whole || std::memcmp(header, "FILM", 4) != 0 || !sized) {
        PakCloseFile(film->pakHandle);
        return false;
    }
    film->readPosition = FILM_HEADER_BYTES;
    return true;
}

FilmHandle* OpenFilmHandle(FilmHandle* film, const char* caller)
{
    if (film != &s_film.handle || !s_film.open) {
        char text[64];
        std::snprintf(text, sizeof text, "%s(): film not open", caller);
        FatalAbort(kSource, __LINE__, text);
    }
    return film;
}

// The host's media device plays films through the reader; a film it cannot play from start to
// end is refused at its open, so that the player shows nothing of it.
bool DecoderOpen(const char* name, int32_t* width, int32_t* height)
{
    if (s_film.open || !Film_Check(name)) return false;
    const FilmHandle* film = OpenFilm(name);
    if (film == nullptr) return false;
    *width = film->width;
    *height = film->height;
    return true;
}

bool DecoderFrame(uint8_t* pixels, const uint8_t** palette)
{
    if (ReadFilmFrame(&s_film.handle, pixels) != 0) return false;
    *palette = s_film.handle.palette;
    return true;
}

void DecoderClose() { CloseFilm(&s_film.handle); }

constexpr HostMediaDecoder kFilmDecoder = {DecoderOpen, DecoderFrame, DecoderClose};

}  // namespace

void Film_Init()
{
    s_film = {};
    HostMediaSetDecoder(&kFilmDecoder);
}

void Film_Uninit()
{
    HostMediaSetDecoder(nullptr);
    if (s_film.open) CloseFilm(&s_film.handle);
    s_film = {};
}

FilmHandle* OpenFilm(const char* name)
{
    if (s_film.open) FatalAbort(kSource, __LINE__, "OpenFilm(): a film is already open");
    if (!OpenHandle(name, &s_film.handle)) return nullptr;
    s_film.open = true;
    return &s_film.handle;
}

int32_t ReadFilmFrame(FilmHandle* film, uint8_t* dst)
{
    OpenFilmHandle(film, "ReadFilmFrame");
    const FilmResult result = DecodeFrame(film, dst, s_film.palette);
    if (result.status == FilmStatus::Ok) return 0;
    if (result.status == FilmStatus::End) return -1;
    char text[96];
    DescribeResult(*film, result, text);
    if (result.status == FilmStatus::ObsoletePalette || result.status == FilmStatus::UnknownKind) {
        FatalError("Error: %s\n", text);
    }
    FatalAbort(kSource, __LINE__, text);
}

void CloseFilm(FilmHandle* film)
{
    PakCloseFile(OpenFilmHandle(film, "CloseFilm")->pakHandle);
    s_film.open = false;
}

bool Film_Check(const char* name)
{
    if (!PakFileExists(name)) {
        DebugPrintf(DBG_FILE, 1, "Film_Check(): '%s' not found\n", name);
        return false;
    }
    FilmHandle film;
    if (!OpenHandle(name, &film)) {
        DebugPrintf(DBG_FILE, 1, "Film_Check(): '%s' has no film header\n", name);
        return false;
    }
    uint8_t* pixels = nullptr;
    AllocateMemory(&pixels, PixelCount(film), MEM_TYPE_FILE);
    uint8_t palette[FILM_PALETTE_BYTES];
    FilmResult result{};
    int32_t frame = 0;
    for (; (result = DecodeFrame(&film, pixels, palette)).status == FilmStatus::Ok; ++frame) {
    }
    FreeMemory(&pixels);
    PakCloseFile(film.pakHandle);
    if (result.status == FilmStatus::End) return true;
    char text[96];
    DescribeResult(film, result, text);
    DebugPrintf(DBG_FILE, 1, "Film_Check(): '%s' refused at frame %d: %s\n", name, frame, text);
    return false;
}
