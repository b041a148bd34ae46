// engine/host/present.cpp: the window image kept in the frame store as it changes, shown by the
// back end, and converted to RGB when read back as pixels, a PNG file or a hash.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include "engine/crc32.h"
#include "engine/host/host.h"
#include "engine/host/internal.h"

namespace {

// Bytes R, G, B in memory: a little-endian 24-bit pixel with red in the low byte.
constexpr HostPixelFormat FRAME_FORMAT = {HOST_PF_RGB, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0, 0, 0};
constexpr uint64_t FNV_OFFSET = 0xCBF29CE484222325ull;
constexpr uint64_t FNV_PRIME = 0x100000001B3ull;

struct PresentState {
    bool dirty;
    HostRegion changed;  // of the window image since the last present
    uint32_t number;
    // The last presented image as it was: only what changed is copied at each present.
    int32_t width;
    int32_t height;
    std::vector<uint8_t> raw;
    int32_t rawPitch;
    HostPixelFormat rawFormat;
    std::vector<HostColour> rawPalette;  // empty when the image has none
    // The kept image converted to RGB, behind it by `unread`: a read brings it up to date.
    std::vector<uint8_t> rgb;
    HostRegion unread;
    std::chrono::steady_clock::time_point lastShown;
    uint32_t rowsKept;  // copied into the kept image since the host started, for tests
};

// A screen shows at most about 60 frames a second. The game presents on every 100 Hz tick, and
// scaling each of those into a large window would take longer than the tick itself.
constexpr std::chrono::milliseconds SHOW_INTERVAL{16};

PresentState s_present;

// An 8-bit image without a palette yet shows its indices as greys.
const HostColour* GreyRamp()
{
    static const auto ramp = [] {
        std::vector<HostColour> entries(256);
        for (int32_t i = 0; i < 256; ++i) {
            const auto v = static_cast<uint8_t>(i);
            entries[static_cast<size_t>(i)] = {v, v, v};
        }
        return entries;
    }();
    return ramp.data();
}

void PutBigEndian(std::string* out, uint32_t value)
{
    for (int32_t shift = 24; shift >= 0; shift -= 8) {
        out->push_back(static_cast<char>(value >> shift));
    }
}

void PutChunk(std::string* out, const char* type, const std::string& data)
{
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out->append(typed);
    PutBigEndian(out, Crc32(typed.data(), typed.size()));
}

// An 8-bit RGB PNG of the frame: every row unfiltered, one zlib stream.
bool EncodePng(std::string* png)
{
    const size_t rowBytes = static_cast<size_t>(s_present.width) * 3;
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<size_t>(s_present.height));
    for (int32_t y = 0; y < s_present.height; ++y) {
        raw.push_back(0);
        const uint8_t* row = s_present.rgb.data() + rowBytes * static_cast<size_t>(y);
        raw.insert(raw.end(), row, row + rowBytes);
    }
    uLongf packedSize = compressBound(raw.size());
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, raw.data(), raw.size(),
                  Z_DEFAULT_COMPRESSION)
        != Z_OK)
        return false;
    packed.resize(packedSize);

    std::string header;
    PutBigEndian(&header, static_cast<uint32_t>(s_present.width));
    PutBigEndian(&header, static_cast<uint32_t>(s_present.height));
    header +=
        std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
    *png = "\x89PNG\r\n\x1A\n";
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", "");
    return true;
}

// Writes beside the target and renames, so a reader never sees half a file. The temporary is
// created new, so a link or a pipe left at its name can neither redirect nor block the write.
bool WriteAtomically(const char* path, const std::string& bytes)
{
    const std::string temporary = std::string(path) + ".tmp";
    ::unlink(temporary.c_str());
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path) == 0;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}

HostSurfacePixels KeptImage()
{
    HostSurfacePixels kept = {s_present.raw.data(), s_present.width,      s_present.height,
                              s_present.rawPitch,   &s_present.rawFormat, nullptr};
    if (!s_present.rawPalette.empty()) kept.palette = s_present.rawPalette.data();
    if ((kept.format->flags & HOST_PF_PALETTE8) && kept.palette == nullptr)
        kept.palette = GreyRamp();
    return kept;
}

// Another size, format or palette changes every pixel of the kept image.
void KeepShapeAndPalette(const HostSurfacePixels& image)
{
    const HostRect whole = {0, 0, image.width, image.height};
    if (image.width != s_present.width || image.height != s_present.height
        || image.pitch != s_present.rawPitch
        || !HostFormatsEqual(*image.format, s_present.rawFormat)) {
        s_present.width = image.width;
        s_present.height = image.height;
        s_present.rawPitch = image.pitch;
        s_present.rawFormat = *image.format;
        s_present.raw.assign(static_cast<size_t>(image.pitch) * image.height, 0);
        HostRegionAdd(&s_present.changed, whole);
    }
    const HostColour* const kept =
        s_present.rawPalette.empty() ? nullptr : s_present.rawPalette.data();
    if (!HostPalettesEqual(image.palette, kept)) {
        s_present.rawPalette.assign(image.palette, image.palette ? image.palette + 256 : nullptr);
        HostRegionAdd(&s_present.changed, whole);
    }
}

// Copies what changed since the last present into the kept image, where reads have yet to
// convert it; the answer is what was copied.
HostRegion KeepChanges(const HostSurfacePixels& image)
{
    KeepShapeAndPalette(image);
    const HostRect whole = {0, 0, image.width, image.height};
    const int32_t bytes = static_cast<int32_t>(image.format->bitCount / 8);
    HostRegion kept{};
    for (int32_t i = 0; i < s_present.changed.count; ++i) {
        HostRect r;
        if (!HostRectIntersect(s_present.changed.rects[i], whole, &r)) continue;
        for (int32_t y = r.top; y < r.bottom; ++y) {
            const size_t at = static_cast<size_t>(y) * image.pitch + r.left * bytes;
            std::memcpy(s_present.raw.data() + at, image.bits + at,
                        static_cast<size_t>((r.right - r.left) * bytes));
        }
        s_present.rowsKept += static_cast<uint32_t>(r.bottom - r.top);
        HostRegionAdd(&kept, r);
        HostRegionAdd(&s_present.unread, r);
    }
    s_present.changed = {};
    return kept;
}

// A headless run presents every tick but reads few frames back: converting each one to RGB
// would cost more than the whole game, so the conversion waits for a reader and covers only
// what changed since the last one.
void ConvertKeptFrame()
{
    const HostSurfacePixels kept = KeptImage();
    s_present.rgb.resize(static_cast<size_t>(kept.width) * static_cast<size_t>(kept.height) * 3);
    const HostSurfacePixels frame = {s_present.rgb.data(), kept.width,    kept.height,
                                     kept.width * 3,       &FRAME_FORMAT, nullptr};
    for (int32_t i = 0; i < s_present.unread.count; ++i) {
        const HostRect& r = s_present.unread.rects[i];
        HostConvertBlock(kept, r.left, r.top, frame, r.left, r.top, r.right - r.left,
                         r.bottom - r.top);
    }
    s_present.unread = {};
}

}  // namespace

bool HostWriteFileAtomically(const char* path, const std::string& bytes)
{
    return WriteAtomically(path, bytes);
}

void HostMarkImageDirty(const HostRect& changed)
{
    s_present.dirty = true;
    HostRegionAdd(&s_present.changed, changed);
}

void HostFrameReset() { s_present = {}; }

void HostPresentIfDirty()
{
    if (!s_present.dirty) return;
    HostSurface* const image = HostWindowImage();
    if (image == nullptr) return;
    const auto show = HostCurrentBackend().present;
    const auto now = std::chrono::steady_clock::now();
    // Too soon: the image stays dirty, and a later pump shows whatever it holds by then.
    if (show != nullptr && now - s_present.lastShown < SHOW_INTERVAL) return;
    s_present.dirty = false;
    const HostRegion shown = KeepChanges(HostSurfaceView(image));
    ++s_present.number;
    if (show == nullptr) return;
    s_present.lastShown = now;
    show(KeptImage(), shown);
}

HostFrame HostLastFrame()
{
    if (s_present.number == 0) return {0, 0, 0, nullptr};
    ConvertKeptFrame();
    return {s_present.number, s_present.width, s_present.height, s_present.rgb.data()};
}

bool HostWriteFramePng(const char* path)
{
    if (s_present.number == 0) {
        std::printf("Warning: HostWriteFramePng(): no frame presented yet\n");
        return false;
    }
    ConvertKeptFrame();
    std::string png;
    if (!EncodePng(&png) || !WriteAtomically(path, png)) {
        std::printf("Warning: HostWriteFramePng(): cannot write '%s'\n", path);
        return false;
    }
    return true;
}

uint32_t HostInjectPresentedRows() { return s_present.rowsKept; }

uint64_t HostFrameHash()
{
    if (s_present.number > 0) ConvertKeptFrame();
    uint64_t hash = FNV_OFFSET;
    const auto mix = [&hash](uint8_t byte) { hash = (hash ^ byte) * FNV_PRIME; };
    for (uint32_t value :
         {static_cast<uint32_t>(s_present.width), static_cast<uint32_t>(s_present.height)}) {
        for (int32_t shift = 0; shift < 32; shift += 8) {
            mix(static_cast<uint8_t>(value >> shift));
        }
    }
    for (uint8_t byte : s_present.rgb) {
        mix(byte);
    }
    return hash;
}
