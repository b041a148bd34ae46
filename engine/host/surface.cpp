// engine/host/surface.cpp: surfaces in memory with their formats, palettes and clippers, the
// pixel conversion that blits and presentation share, and repaints of the window that convert
// only what changed.
#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <vector>

#include "engine/fatal.h"
#include "engine/host/host.h"
#include "engine/host/internal.h"

constexpr uint32_t HOST_SURFACE_IMAGE = 100;  // the window image: internal, never lost
// Room for the texture table's 1,024 textures beside the display's surfaces.
constexpr int32_t HOST_MAX_SURFACES = 4096;
constexpr int32_t HOST_MAX_PALETTES = 16;
constexpr int32_t HOST_MAX_CLIPPERS = 8;
constexpr int32_t HOST_MAX_DRAW_CONTEXTS = 8;
constexpr int32_t HOST_MAX_SURFACE_SIDE = 4096;
constexpr int32_t HOST_MAX_TEXTURE_SIDE = 1024;
constexpr int32_t HOST_PITCH_ALIGN = 16;

struct HostSurface {
    bool used;
    uint32_t refs;
    uint32_t kind;  // HostSurfaceKind, or HOST_SURFACE_IMAGE
    uint32_t flags;
    HostSurface* store;  // holds the pixels: the window image for a primary, else itself
    bool translated;     // a windowed primary: rectangles are in screen coordinates
    int32_t width;
    int32_t height;
    int32_t pitch;
    HostPixelFormat format;
    std::vector<uint8_t> pixels;
    bool locked;
    bool lost;
    HostSurface* back;  // the back buffer of a flip chain; it holds one reference for the chain
    HostSurface* zbuffer;
    HostPalette* palette;  // on the pixel store
    HostClipper* clipper;
    HostSurface* nextLevel;        // textures: the next mip level, one reference held
    std::vector<uint32_t> texels;  // textures: the 32-bit copy the device samples
    uint64_t texelsVersion;        // textures: HostNewTexelsVersion's answer at the last copy
    std::vector<uint32_t> depth;   // z-buffers
    std::vector<uint8_t> stencil;
};

struct HostPalette {
    bool used;
    uint32_t refs;
    HostColour entries[256];
};

struct HostClipper {
    bool used;
    uint32_t refs;
    HostWindow window;
};

struct HostDrawContext {
    HostSurface* surface;  // null while the context is free
};

namespace {

// What each row of the window image was last converted from, in the source's format and
// palette: a repaint of the whole screen whose rows mostly hold what they held converts only the
// pixels that differ. A row is known only while the image's row is that conversion, whole.
struct ImageSources {
    const HostSurface* image;  // another image, or another size, forgets every row
    int32_t width;
    int32_t height;
    HostPixelFormat format;
    std::vector<HostColour> palette;  // a palettised source's, else empty
    int32_t pitch;
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> known;  // one a row
};

struct SurfaceState {
    HostSurface surfaces[HOST_MAX_SURFACES];
    HostPalette palettes[HOST_MAX_PALETTES];
    HostClipper clippers[HOST_MAX_CLIPPERS];
    HostDrawContext contexts[HOST_MAX_DRAW_CONTEXTS];
    ImageSources imageSources;
    uint32_t imageRowsConverted;  // since the host started, for tests
};

SurfaceState s_surface;

// ---------------------------------------------------------------------------------------------
// Formats and conversion.

struct Component {
    uint32_t shift;
    uint32_t bits;
};

Component ComponentOf(uint32_t mask)
{
    if (mask == 0) return {0, 0};
    const uint32_t shift = static_cast<uint32_t>(__builtin_ctz(mask));
    const uint32_t bits = static_cast<uint32_t>(__builtin_ctz(~(mask >> shift)));
    return {shift, bits};
}

bool ContiguousMask(uint32_t mask, uint32_t bitCount)
{
    if (mask == 0) return true;
    const Component c = ComponentOf(mask);
    const uint64_t rebuilt = ((uint64_t{1} << c.bits) - 1) << c.shift;
    return rebuilt == mask && c.bits <= 8 && c.shift + c.bits <= bitCount;
}

// Widening repeats the value's bits downwards, so the largest value of any width stays the
// largest value (5-bit 31 becomes 255) and primary colours survive every round trip.
uint32_t ExpandComponent(uint32_t value, uint32_t fromBits, uint32_t toBits)
{
    if (fromBits == 0) return 0;
    if (fromBits >= toBits) return value >> (fromBits - toBits);
    uint32_t result = value << (toBits - fromBits);
    for (uint32_t copy = result >> fromBits; copy != 0; copy >>= fromBits) {
        result |= copy;
    }
    return result;
}

// The tables are filled only for the source that reads them, so that a conversion made on the
// stack for every repaint need not clear its 5 KB first.
struct Converter {
    bool paletted = false;
    uint32_t palette[256];  // paletted source: the destination pixel of each index
    Component source[4] = {};
    uint32_t table[4][256];  // RGB source: each component's destination bits, in place
    uint32_t alphaFill = 0;  // destination alpha when the source has none
    // 16-bit source, when known: the destination pixel of every value.
    const uint32_t* wide = nullptr;
};

uint32_t MaskOf(const HostPixelFormat& format, int32_t component)
{
    const uint32_t masks[4] = {format.redMask, format.greenMask, format.blueMask, format.alphaMask};
    return masks[component];
}

uint32_t PackRgb(const HostPixelFormat& format, const HostColour& colour)
{
    const uint8_t values[3] = {colour.r, colour.g, colour.b};
    uint32_t pixel = format.alphaMask;
    for (int32_t c = 0; c < 3; ++c) {
        const Component to = ComponentOf(MaskOf(format, c));
        pixel |= ExpandComponent(values[c], 8, to.bits) << to.shift;
    }
    return pixel;
}

void BuildConverter(const HostSurfacePixels& from, const HostPixelFormat& to, Converter* c)
{
    c->paletted = (from.format->flags & HOST_PF_PALETTE8) != 0;
    if (c->paletted) {
        for (int32_t i = 0; i < 256; ++i) {
            c->palette[i] = PackRgb(to, from.palette[i]);
        }
        return;
    }
    for (int32_t comp = 0; comp < 4; ++comp) {
        const Component source = ComponentOf(MaskOf(*from.format, comp));
        const Component target = ComponentOf(MaskOf(to, comp));
        c->source[comp] = source;
        for (uint32_t v = 0; v < 256; ++v) {
            c->table[comp][v] = ExpandComponent(v, source.bits, target.bits) << target.shift;
        }
    }
    c->alphaFill = from.format->alphaMask == 0 ? to.alphaMask : 0;
}

template <int Bytes>
uint32_t ReadPixel(const uint8_t* p)
{
    if constexpr (Bytes == 1) return p[0];
    if constexpr (Bytes == 2) return static_cast<uint32_t>(p[0] | p[1] << 8);
    if constexpr (Bytes == 3) return static_cast<uint32_t>(p[0] | p[1] << 8 | p[2] << 16);
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

template <int Bytes>
void WritePixel(uint8_t* p, uint32_t v)
{
    if constexpr (Bytes == 4) {
        std::memcpy(p, &v, 4);
    } else {
        for (int32_t i = 0; i < Bytes; ++i) {
            p[i] = static_cast<uint8_t>(v >> (8 * i));
        }
    }
}

template <int SourceBytes, int DestinationBytes>
void ConvertRows(const Converter& c, const uint8_t* source, int32_t sourcePitch,
                 uint8_t* destination, int32_t destinationPitch, int32_t width, int32_t height)
{
    // Locals, so that the byte stores below cannot make the compiler reload them per pixel.
    uint32_t shift[4], mask[4];
    for (int32_t k = 0; k < 4; ++k) {
        shift[k] = c.source[k].shift;
        mask[k] = (1u << c.source[k].bits) - 1;
    }
    const uint32_t alphaFill = c.alphaFill;
    const bool paletted = SourceBytes == 1 && c.paletted;
    const uint32_t* const wide = SourceBytes == 2 ? c.wide : nullptr;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = source + static_cast<ptrdiff_t>(y) * sourcePitch;
        uint8_t* out = destination + static_cast<ptrdiff_t>(y) * destinationPitch;
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t v = ReadPixel<SourceBytes>(in + x * SourceBytes);
            const uint32_t pixel = wide ? wide[v]
                                   : paletted
                                       ? c.palette[v & 0xFF]
                                       : c.table[0][(v >> shift[0]) & mask[0]]
                                             | c.table[1][(v >> shift[1]) & mask[1]]
                                             | c.table[2][(v >> shift[2]) & mask[2]]
                                             | c.table[3][(v >> shift[3]) & mask[3]] | alphaFill;
            WritePixel<DestinationBytes>(out + x * DestinationBytes, pixel);
        }
    }
}

using ConvertFunction = void (*)(const Converter&, const uint8_t*, int32_t, uint8_t*, int32_t,
                                 int32_t, int32_t);

template <int SourceBytes>
constexpr std::array<ConvertFunction, 4> ConvertersFrom()
{
    return {ConvertRows<SourceBytes, 1>, ConvertRows<SourceBytes, 2>, ConvertRows<SourceBytes, 3>,
            ConvertRows<SourceBytes, 4>};
}

// Indexed by bytes per pixel - 1 of the source, then of the destination.
constexpr std::array<std::array<ConvertFunction, 4>, 4> CONVERTERS = {
    ConvertersFrom<1>(), ConvertersFrom<2>(), ConvertersFrom<3>(), ConvertersFrom<4>()};

int32_t BytesPerPixel(const HostPixelFormat& format)
{
    return static_cast<int32_t>(format.bitCount / 8);
}

// Every value of a 16-bit format converted once into another format, for the few pairs in use at
// a time (the screen's and the textures'): a 16-bit block then converts with one lookup a pixel.
constexpr int32_t kWideTables = 4;
constexpr uint32_t kSixteenBitValues = 65536;

struct WideTable {
    HostPixelFormat from;
    HostPixelFormat to;
    std::vector<uint32_t> pixels;  // empty while unused
};

struct WideTables {
    WideTable tables[kWideTables];
    int32_t next;  // the one to replace next
};

WideTables s_wide;  // a cache: what it holds follows from the formats alone

const uint32_t* CachedWideTable(const HostPixelFormat& from, const HostPixelFormat& to)
{
    for (const WideTable& t : s_wide.tables) {
        if (!t.pixels.empty() && HostFormatsEqual(t.from, from) && HostFormatsEqual(t.to, to))
            return t.pixels.data();
    }
    return nullptr;
}

// The table is the conversion's own result on a row of every 16-bit value.
const uint32_t* MakeWideTable(const Converter& c, const HostPixelFormat& from,
                              const HostPixelFormat& to)
{
    std::vector<uint16_t> values(kSixteenBitValues);
    for (uint32_t v = 0; v < kSixteenBitValues; ++v) {
        values[v] = static_cast<uint16_t>(v);
    }
    WideTable& t = s_wide.tables[s_wide.next];
    s_wide.next = (s_wide.next + 1) % kWideTables;
    t = {from, to, std::vector<uint32_t>(kSixteenBitValues)};
    constexpr auto rowBytes = static_cast<int32_t>(kSixteenBitValues * 4);
    ConvertRows<2, 4>(c, reinterpret_cast<const uint8_t*>(values.data()), rowBytes / 2,
                      reinterpret_cast<uint8_t*>(t.pixels.data()), rowBytes,
                      static_cast<int32_t>(kSixteenBitValues), 1);
    return t.pixels.data();
}

bool IsPalettised(const HostPixelFormat& format) { return (format.flags & HOST_PF_PALETTE8) != 0; }

// Any pair of usable formats except RGB into a palette, and a palette's indices without one.
bool Convertible(const HostSurfacePixels& source, const HostPixelFormat& to)
{
    if (HostFormatsEqual(*source.format, to)) return true;
    return !IsPalettised(to) && (!IsPalettised(*source.format) || source.palette != nullptr);
}

// A conversion between two formats made ready once, to run on any number of blocks.
struct Conversion {
    bool copy;  // the same format: rows are copied as they are
    int32_t sourceBytes;
    int32_t destinationBytes;
    ConvertFunction run;
    Converter converter;
};

void PrepareConversion(const HostSurfacePixels& source, const HostPixelFormat& to, Conversion* c)
{
    const HostPixelFormat& from = *source.format;
    c->copy = HostFormatsEqual(from, to);
    c->sourceBytes = BytesPerPixel(from);
    c->destinationBytes = BytesPerPixel(to);
    c->run = CONVERTERS[c->sourceBytes - 1][c->destinationBytes - 1];
    if (c->copy) return;
    c->converter.wide = c->sourceBytes == 2 ? CachedWideTable(from, to) : nullptr;
    if (c->converter.wide != nullptr) return;
    BuildConverter(source, to, &c->converter);
    if (c->sourceBytes == 2) c->converter.wide = MakeWideTable(c->converter, from, to);
}

void RunConversion(const Conversion& c, const HostSurfacePixels& source, int32_t sx, int32_t sy,
                   const HostSurfacePixels& destination, int32_t dx, int32_t dy, int32_t width,
                   int32_t height)
{
    const uint8_t* in =
        source.bits + static_cast<ptrdiff_t>(sy) * source.pitch + sx * c.sourceBytes;
    uint8_t* out =
        destination.bits + static_cast<ptrdiff_t>(dy) * destination.pitch + dx * c.destinationBytes;
    if (!c.copy) {
        c.run(c.converter, in, source.pitch, out, destination.pitch, width, height);
        return;
    }
    for (int32_t y = 0; y < height; ++y) {
        std::memmove(out + static_cast<ptrdiff_t>(y) * destination.pitch,
                     in + static_cast<ptrdiff_t>(y) * source.pitch,
                     static_cast<size_t>(width * c.sourceBytes));
    }
}

// ---------------------------------------------------------------------------------------------
// Surfaces.

HostSurface* NewSurface(uint32_t kind, int32_t width, int32_t height, const HostPixelFormat& format)
{
    for (HostSurface& s : s_surface.surfaces) {
        if (s.used) continue;
        s = {};
        s.used = true;
        s.refs = 1;
        s.kind = kind;
        s.store = &s;
        s.width = width;
        s.height = height;
        s.format = format;
        const int32_t rowBytes = width * BytesPerPixel(format);
        s.pitch = (rowBytes + HOST_PITCH_ALIGN - 1) / HOST_PITCH_ALIGN * HOST_PITCH_ALIGN;
        s.pixels.assign(static_cast<size_t>(s.pitch) * static_cast<size_t>(height), 0);
        return &s;
    }
    return nullptr;
}

bool Live(const HostSurface* s) { return s != nullptr && s->used; }

constexpr HostPixelFormat kTexelFormat = {
    HOST_PF_RGB | HOST_PF_ALPHA, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000, 0, 0};

void RefreshTexels(HostSurface* texture)
{
    texture->texelsVersion = HostNewTexelsVersion();
    texture->texels.resize(static_cast<size_t>(texture->width) * texture->height);
    const HostSurfacePixels to{reinterpret_cast<uint8_t*>(texture->texels.data()),
                               texture->width,
                               texture->height,
                               texture->width * 4,
                               &kTexelFormat,
                               nullptr};
    HostConvertBlock(HostSurfaceView(texture), 0, 0, to, 0, 0, texture->width, texture->height);
}

void ForgetImageRows(int32_t top, int32_t bottom)
{
    std::vector<uint8_t>& known = s_surface.imageSources.known;
    top = std::clamp(top, 0, static_cast<int32_t>(known.size()));
    bottom = std::clamp(bottom, top, static_cast<int32_t>(known.size()));
    std::fill(known.begin() + top, known.begin() + bottom, 0);
}

// The pixels changed (in `changed`; nullptr: anywhere): the window image is presented at the next
// pump and forgets what those rows were converted from, a texture's copy for the device is made
// again.
void Touched(HostSurface* store, const HostRect* changed)
{
    const HostRect r = changed ? *changed : HostRect{0, 0, store->width, store->height};
    if (store == HostWindowImage()) {
        ForgetImageRows(r.top, r.bottom);
        HostMarkImageDirty(r);
    }
    if (store->kind == HOST_SURFACE_TEXTURE) RefreshTexels(store);
}

// The memory of conversions from `source` onto `image`, forgotten first when it was of another.
ImageSources& SourcesOnto(const HostSurface* image, const HostSurfacePixels& source)
{
    ImageSources& m = s_surface.imageSources;
    const HostColour* const palette = m.palette.empty() ? nullptr : m.palette.data();
    if (m.image == image && m.width == image->width && m.height == image->height
        && HostFormatsEqual(m.format, *source.format) && HostPalettesEqual(palette, source.palette))
        return m;
    m.image = image;
    m.width = image->width;
    m.height = image->height;
    m.format = *source.format;
    m.palette.assign(source.palette, source.palette ? source.palette + 256 : nullptr);
    m.pitch = image->width * BytesPerPixel(*source.format);
    m.pixels.assign(static_cast<size_t>(m.pitch) * image->height, 0);
    m.known.assign(static_cast<size_t>(image->height), 0);
    return m;
}

// The first byte at which two runs of `size` bytes differ, eight at a time; `size` when none does.
size_t FirstDifference(const uint8_t* a, const uint8_t* b, size_t size)
{
    size_t i = 0;
    for (uint64_t x, y; i + 8 <= size; i += 8) {
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) break;
    }
    while (i < size && a[i] == b[i]) {
        ++i;
    }
    return i;
}

// One past the last byte at which they differ; 0 when none does.
size_t DifferenceEnd(const uint8_t* a, const uint8_t* b, size_t size)
{
    size_t i = size;
    for (uint64_t x, y; i >= 8; i -= 8) {
        std::memcpy(&x, a + i - 8, 8);
        std::memcpy(&y, b + i - 8, 8);
        if (x != y) break;
    }
    while (i > 0 && a[i - 1] == b[i - 1]) {
        --i;
    }
    return i;
}

// Narrows a row's `count` pixels to the span [first, last) where two rows differ; an empty span
// when none do.
void DifferingSpan(const uint8_t* a, const uint8_t* b, int32_t bytes, int32_t count, int32_t* first,
                   int32_t* last)
{
    const auto size = static_cast<size_t>(count * bytes);
    *first = *last = count;
    if (std::memcmp(a, b, size) == 0) return;
    *first = static_cast<int32_t>(FirstDifference(a, b, size)) / bytes;
    *last = (static_cast<int32_t>(DifferenceEnd(a, b, size)) + bytes - 1) / bytes;
}

// Converts `from` of the source onto `to` of the window image, in each row only from the first to
// the last pixel that differs from what the row was last converted from; what it converts is
// marked for the next present (nothing converted still counts as a change).
void ConvertOntoImage(const HostSurfacePixels& in, const HostRect& from, HostSurface* image,
                      const HostRect& to)
{
    ImageSources& m = SourcesOnto(image, in);
    Conversion conversion;
    PrepareConversion(in, image->format, &conversion);
    const HostSurfacePixels out = HostSurfaceView(image);
    const int32_t bytes = conversion.sourceBytes;
    const bool wholeRows = to.left == 0 && to.right == image->width;
    HostRect run = {0, 0, 0, 0};  // rows converted over the same span, marked together
    for (int32_t y = to.top; y < to.bottom; ++y) {
        const int32_t sy = from.top + y - to.top;
        const uint8_t* row = in.bits + static_cast<ptrdiff_t>(sy) * in.pitch + from.left * bytes;
        uint8_t* known = m.pixels.data() + static_cast<ptrdiff_t>(y) * m.pitch + to.left * bytes;
        int32_t first = 0, last = to.right - to.left;
        if (m.known[y]) DifferingSpan(row, known, bytes, last, &first, &last);
        if (first == last) continue;
        std::memcpy(known + first * bytes, row + first * bytes,
                    static_cast<size_t>((last - first) * bytes));
        RunConversion(conversion, in, from.left + first, sy, out, to.left + first, y, last - first,
                      1);
        ++s_surface.imageRowsConverted;
        m.known[y] = m.known[y] || wholeRows;
        const HostRect converted = {to.left + first, y, to.left + last, y + 1};
        if (run.left == converted.left && run.right == converted.right && run.bottom == y) {
            ++run.bottom;
            continue;
        }
        HostMarkImageDirty(run);
        run = converted;
    }
    HostMarkImageDirty(run);
}

void FreeSurface(HostSurface* s)
{
    HostSurface* const back = s->back;
    HostSurface* const zbuffer = s->zbuffer;
    HostSurface* const store = s->store;
    HostPalette* const palette = s->palette;
    HostClipper* const clipper = s->clipper;
    HostSurface* const nextLevel = s->nextLevel;
    *s = {};
    if (nextLevel) HostSurfaceRelease(nextLevel);
    if (back) HostSurfaceRelease(back);
    if (zbuffer) HostSurfaceRelease(zbuffer);
    if (store != s) HostSurfaceRelease(store);
    if (palette) HostPaletteRelease(palette);
    if (clipper) HostClipperRelease(clipper);
}

bool PrimaryExists()
{
    return std::any_of(
        std::begin(s_surface.surfaces), std::end(s_surface.surfaces),
        [](const HostSurface& s) { return s.used && s.kind == HOST_SURFACE_PRIMARY; });
}

HostResult CreatePrimary(const HostSurfaceDesc& desc, HostSurface** out)
{
    HostSurface* const image = HostWindowImage();
    if (image == nullptr || PrimaryExists()) return HOST_E_GENERIC;
    const bool windowed = HostWindowIsWindowed();
    if (desc.backBuffers < 0 || desc.backBuffers > (windowed ? 0 : 1)) return HOST_E_BAD_ARGUMENT;
    HostSurface* const primary = NewSurface(HOST_SURFACE_PRIMARY, 0, 0, image->format);
    if (primary == nullptr) return HOST_E_OUT_OF_MEMORY;
    primary->store = image;
    ++image->refs;
    primary->translated = windowed;
    primary->flags = desc.flags;
    if (desc.backBuffers == 1) {
        primary->back = NewSurface(HOST_SURFACE_PLAIN, image->width, image->height, image->format);
        if (primary->back == nullptr) {
            FreeSurface(primary);
            return HOST_E_OUT_OF_MEMORY;
        }
        primary->back->flags = desc.flags;
    }
    *out = primary;
    return HOST_OK;
}

bool SizeUsable(int32_t width, int32_t height)
{
    return width > 0 && height > 0 && width <= HOST_MAX_SURFACE_SIDE
           && height <= HOST_MAX_SURFACE_SIDE;
}

bool ZFormatUsable(const HostPixelFormat& format)
{
    return (format.flags & HOST_PF_ZBUFFER) && format.bitCount % 8 == 0 && format.bitCount >= 8
           && format.bitCount <= 32 && format.zBits + format.stencilBits <= format.bitCount;
}

HostResult CreateInMemory(const HostSurfaceDesc& desc, HostSurface** out)
{
    const bool z = desc.kind == HOST_SURFACE_ZBUFFER;
    if (!SizeUsable(desc.width, desc.height)) return HOST_E_BAD_ARGUMENT;
    if (z ? !ZFormatUsable(desc.format) : !HostFormatUsable(desc.format))
        return HOST_E_BAD_ARGUMENT;
    if (desc.backBuffers < 0 || desc.backBuffers > (z ? 0 : 1)) return HOST_E_BAD_ARGUMENT;
    HostSurface* const surface = NewSurface(desc.kind, desc.width, desc.height, desc.format);
    if (surface == nullptr) return HOST_E_OUT_OF_MEMORY;
    surface->flags = desc.flags;
    if (z) {
        const size_t count = static_cast<size_t>(desc.width) * desc.height;
        surface->depth.assign(count, 0);
        surface->stencil.assign(count, 0);
    }
    if (desc.backBuffers == 1) {
        surface->back = NewSurface(HOST_SURFACE_PLAIN, desc.width, desc.height, desc.format);
        if (surface->back == nullptr) {
            FreeSurface(surface);
            return HOST_E_OUT_OF_MEMORY;
        }
        surface->back->flags = desc.flags;
    }
    *out = surface;
    return HOST_OK;
}

bool TextureFormatUsable(const HostPixelFormat& format)
{
    return HostFormatUsable(format) && !IsPalettised(format) && format.bitCount != 24;
}

int32_t MaxMipLevels(int32_t width, int32_t height)
{
    int32_t levels = 1;
    for (int32_t side = std::max(width, height); side > 1; side /= 2) {
        ++levels;
    }
    return levels;
}

// A chain of levels, each holding a reference to the next, so that releasing the top frees all.
HostResult CreateTexture(const HostSurfaceDesc& desc, HostSurface** out)
{
    const int32_t levels = std::max(desc.mipLevels, 1);
    if (desc.width < 1 || desc.height < 1 || desc.width > HOST_MAX_TEXTURE_SIDE
        || desc.height > HOST_MAX_TEXTURE_SIDE || !TextureFormatUsable(desc.format)
        || desc.backBuffers != 0 || levels > MaxMipLevels(desc.width, desc.height))
        return HOST_E_BAD_ARGUMENT;
    HostSurface* top = nullptr;
    HostSurface* previous = nullptr;
    int32_t width = desc.width, height = desc.height;
    for (int32_t level = 0; level < levels; ++level) {
        HostSurface* const surface = NewSurface(HOST_SURFACE_TEXTURE, width, height, desc.format);
        if (surface == nullptr) {
            if (top) FreeSurface(top);
            return HOST_E_OUT_OF_MEMORY;
        }
        surface->flags = desc.flags;
        RefreshTexels(surface);
        (previous ? previous->nextLevel : top) = surface;
        previous = surface;
        width = std::max(width / 2, 1);
        height = std::max(height / 2, 1);
    }
    *out = top;
    return HOST_OK;
}

// A rectangle given for a surface, in its store's coordinates: a windowed primary's are screen
// coordinates, moved by the client origin.
HostRect StoreRect(const HostSurface* s, const HostRect* rect)
{
    const HostSurface* store = s->store;
    if (rect == nullptr) return {0, 0, store->width, store->height};
    HostRect r = *rect;
    if (s->translated) {
        int32_t x, y;
        HostWindowClientOrigin(&x, &y);
        r = {r.left - x, r.top - y, r.right - x, r.bottom - y};
    }
    return r;
}

bool Inside(const HostRect& r, const HostSurface* store)
{
    return r.left >= 0 && r.top >= 0 && r.left <= r.right && r.top <= r.bottom
           && r.right <= store->width && r.bottom <= store->height;
}

// Clips a destination rectangle to its store, moving the source corner with it.
void ClipToStore(const HostSurface* store, HostRect* destination, HostRect* source)
{
    const int32_t dl = std::max(0, -destination->left);
    const int32_t dt = std::max(0, -destination->top);
    const int32_t dr = std::max(0, destination->right - store->width);
    const int32_t db = std::max(0, destination->bottom - store->height);
    *destination = {destination->left + dl, destination->top + dt, destination->right - dr,
                    destination->bottom - db};
    *source = {source->left + dl, source->top + dt, source->right - dr, source->bottom - db};
}

template <typename Check>
HostResult Guard(HostCall call, HostSurface* s, Check check)
{
    HostResult code;
    if (HostTakeFailure(call, &code)) return code;
    if (!Live(s)) return HOST_E_BAD_ARGUMENT;
    return check(s);
}

HostResult Usable(HostSurface* s)
{
    if (s->lost) return HOST_E_SURFACE_LOST;
    if (s->store->locked) return HOST_E_GENERIC;
    return HOST_OK;
}

// The parts of a blit's destination rectangle that it changes: all of it, except on the window
// image during a paint, which the region being painted clips.
int32_t BlitPieces(const HostSurface* d, const HostRect& to, HostRect pieces[HOST_REGION_MAX_RECTS])
{
    const HostRegion* const paint =
        d->store == HostWindowImage() ? HostWindowPaintRegion() : nullptr;
    if (paint == nullptr) {
        pieces[0] = to;
        return 1;
    }
    int32_t count = 0;
    for (int32_t i = 0; i < paint->count; ++i) {
        if (HostRectIntersect(to, paint->rects[i], &pieces[count])) ++count;
    }
    return count;
}

// HostSurfaceBlit's copy, and the drawing contexts', once both surfaces may be used.
HostResult CopyBetween(HostSurface* d, const HostRect* destinationRect, HostSurface* source,
                       const HostRect* sourceRect)
{
    HostRect to = StoreRect(d, destinationRect);
    HostRect from = StoreRect(source, sourceRect);
    if (to.right - to.left != from.right - from.left
        || to.bottom - to.top != from.bottom - from.top)
        return HOST_E_BAD_ARGUMENT;
    if (d->translated) ClipToStore(d->store, &to, &from);
    if (source->translated) ClipToStore(source->store, &from, &to);
    if (!Inside(to, d->store) || !Inside(from, source->store)) return HOST_E_BAD_ARGUMENT;
    HostSurfacePixels in = HostSurfaceView(source);
    if (!Convertible(in, d->store->format)) return HOST_E_UNSUPPORTED;
    // A copy within one store goes through a copy of the source, as the rows may overlap.
    std::vector<uint8_t> copy;
    if (source->store == d->store) {
        copy = source->store->pixels;
        in.bits = copy.data();
    }
    // Conversions onto the window image are remembered; a copy of its own format is not.
    const bool remembered = d->store == HostWindowImage() && source->store != d->store
                            && !HostFormatsEqual(*in.format, d->store->format);
    HostRect pieces[HOST_REGION_MAX_RECTS];
    const int32_t count = BlitPieces(d, to, pieces);
    for (int32_t i = 0; i < count; ++i) {
        const HostRect& piece = pieces[i];
        const HostRect part = {from.left + piece.left - to.left, from.top + piece.top - to.top,
                               from.right, from.bottom};
        if (remembered) {
            ConvertOntoImage(in, part, d->store, piece);
            continue;
        }
        HostConvertBlock(in, part.left, part.top, HostSurfaceView(d), piece.left, piece.top,
                         piece.right - piece.left, piece.bottom - piece.top);
        Touched(d->store, &piece);
    }
    return HOST_OK;
}

void FillRect(HostSurface* store, const HostRect& r, uint32_t value)
{
    if (r.left >= r.right || r.top >= r.bottom) return;
    const int32_t bytes = BytesPerPixel(store->format);
    uint8_t pattern[4];
    std::memcpy(pattern, &value, 4);
    uint8_t* const first = store->pixels.data() + static_cast<ptrdiff_t>(r.top) * store->pitch;
    for (int32_t x = r.left; x < r.right; ++x) {
        std::memcpy(first + x * bytes, pattern, static_cast<size_t>(bytes));
    }
    const size_t rowBytes = static_cast<size_t>((r.right - r.left) * bytes);
    for (int32_t y = r.top + 1; y < r.bottom; ++y) {
        std::memcpy(first + static_cast<ptrdiff_t>(y - r.top) * store->pitch + r.left * bytes,
                    first + r.left * bytes, rowBytes);
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Shared with the rest of the host.

bool HostFormatsEqual(const HostPixelFormat& a, const HostPixelFormat& b)
{
    return a.flags == b.flags && a.bitCount == b.bitCount && a.redMask == b.redMask
           && a.greenMask == b.greenMask && a.blueMask == b.blueMask && a.alphaMask == b.alphaMask
           && a.zBits == b.zBits && a.stencilBits == b.stencilBits;
}

bool HostFormatUsable(const HostPixelFormat& format)
{
    if (!(format.flags & HOST_PF_RGB) || (format.flags & (HOST_PF_ZBUFFER | HOST_PF_STENCIL)))
        return false;
    if (IsPalettised(format)) return format.bitCount == 8;
    const uint32_t bits = format.bitCount;
    if (bits != 16 && bits != 24 && bits != 32) return false;
    const uint32_t masks[4] = {format.redMask, format.greenMask, format.blueMask, format.alphaMask};
    uint32_t all = 0;
    for (uint32_t mask : masks) {
        if (!ContiguousMask(mask, bits) || (all & mask) != 0) return false;
        all |= mask;
    }
    return format.redMask && format.greenMask && format.blueMask;
}

HostSurface* HostImageCreate(int32_t width, int32_t height, const HostPixelFormat& format)
{
    HostSurface* const image = NewSurface(HOST_SURFACE_IMAGE, width, height, format);
    if (image == nullptr) FatalError("HostImageCreate(): no surface left for the window image\n");
    s_surface.imageSources = {};
    return image;
}

void HostSurfaceFreeAll()
{
    // One record at a time: the whole table is too large for a temporary on the stack.
    for (HostSurface& s : s_surface.surfaces) {
        s = {};
    }
    std::fill(std::begin(s_surface.palettes), std::end(s_surface.palettes), HostPalette{});
    std::fill(std::begin(s_surface.clippers), std::end(s_surface.clippers), HostClipper{});
    std::fill(std::begin(s_surface.contexts), std::end(s_surface.contexts), HostDrawContext{});
    s_surface.imageSources = {};
    s_surface.imageRowsConverted = 0;
}

void HostSurfaceRetarget(HostSurface* oldImage, HostSurface* newImage, bool lose)
{
    for (HostSurface& s : s_surface.surfaces) {
        if (!s.used || &s == oldImage || s.store != oldImage) continue;
        s.store = newImage;
        --oldImage->refs;
        ++newImage->refs;
        s.lost = s.lost || lose;
    }
}

void HostSurfaceLoseAll()
{
    for (HostSurface& s : s_surface.surfaces) {
        if (s.used && s.kind != HOST_SURFACE_IMAGE && s.kind != HOST_SURFACE_TEXTURE) s.lost = true;
    }
}

HostSurfacePixels HostSurfaceView(HostSurface* surface)
{
    HostSurface* const store = surface->store;
    return {store->pixels.data(), store->width,
            store->height,        store->pitch,
            &store->format,       store->palette ? store->palette->entries : nullptr};
}

bool HostConvertBlock(const HostSurfacePixels& source, int32_t sx, int32_t sy,
                      const HostSurfacePixels& destination, int32_t dx, int32_t dy, int32_t width,
                      int32_t height)
{
    if (!Convertible(source, *destination.format)) return false;
    Conversion conversion{};
    PrepareConversion(source, *destination.format, &conversion);
    RunConversion(conversion, source, sx, sy, destination, dx, dy, width, height);
    return true;
}

bool HostPalettesEqual(const HostColour* a, const HostColour* b)
{
    if (a == nullptr || b == nullptr) return a == b;
    return std::memcmp(a, b, 256 * sizeof(HostColour)) == 0;
}

// ---------------------------------------------------------------------------------------------
// The surface calls.

HostResult HostSurfaceCreate(HostDisplay* display, const HostSurfaceDesc& desc,
                             HostSurface** surface)
{
    HostResult code;
    if (HostTakeFailure(HOST_CALL_SURFACE_CREATE, &code)) return code;
    if (!HostDisplayUsable(display) || surface == nullptr) return HOST_E_BAD_ARGUMENT;
    switch (desc.kind) {
        case HOST_SURFACE_PRIMARY: return CreatePrimary(desc, surface);
        case HOST_SURFACE_PLAIN:
        case HOST_SURFACE_ZBUFFER: return CreateInMemory(desc, surface);
        case HOST_SURFACE_TEXTURE: return CreateTexture(desc, surface);
        default: return HOST_E_BAD_ARGUMENT;
    }
}

uint32_t HostSurfaceAddRef(HostSurface* surface)
{
    if (!Live(surface)) FatalError("HostSurfaceAddRef(): no such surface\n");
    return ++surface->refs;
}

uint32_t HostSurfaceRelease(HostSurface* surface)
{
    if (!Live(surface)) FatalError("HostSurfaceRelease(): no such surface\n");
    if (--surface->refs > 0) return surface->refs;
    FreeSurface(surface);
    return 0;
}

HostResult HostSurfaceGetBackBuffer(HostSurface* surface, HostSurface** back)
{
    return Guard(HOST_CALL_BACK_BUFFER, surface, [back](HostSurface* s) {
        if (s->back == nullptr) return HOST_E_GENERIC;
        ++s->back->refs;
        *back = s->back;
        return HOST_OK;
    });
}

HostResult HostSurfaceGetNextMipLevel(HostSurface* level, HostSurface** next)
{
    return Guard(HOST_CALL_MIP_LEVEL, level, [next](HostSurface* s) {
        if (s->nextLevel == nullptr) return HOST_E_GENERIC;
        ++s->nextLevel->refs;
        *next = s->nextLevel;
        return HOST_OK;
    });
}

HostResult HostSurfaceAttachZBuffer(HostSurface* surface, HostSurface* zbuffer)
{
    return Guard(HOST_CALL_ATTACH_Z, surface, [zbuffer](HostSurface* s) {
        if (!Live(zbuffer) || zbuffer->kind != HOST_SURFACE_ZBUFFER) return HOST_E_BAD_ARGUMENT;
        if (s->zbuffer != nullptr) return HOST_E_GENERIC;
        if (zbuffer->width != s->store->width || zbuffer->height != s->store->height)
            return HOST_E_BAD_ARGUMENT;
        ++zbuffer->refs;
        s->zbuffer = zbuffer;
        return HOST_OK;
    });
}

HostResult HostSurfaceGetFormat(HostSurface* surface, HostPixelFormat* format)
{
    return Guard(HOST_CALL_GET_FORMAT, surface, [format](HostSurface* s) {
        *format = s->store->format;
        return HOST_OK;
    });
}

void HostSurfaceSize(HostSurface* surface, int32_t* width, int32_t* height)
{
    if (!Live(surface)) FatalError("HostSurfaceSize(): no such surface\n");
    *width = surface->store->width;
    *height = surface->store->height;
}

HostResult HostSurfaceLock(HostSurface* surface, void** bits, int32_t* pitchBytes)
{
    return Guard(HOST_CALL_LOCK, surface, [bits, pitchBytes](HostSurface* s) {
        if (s->lost) return HOST_E_SURFACE_LOST;
        if (s->store->locked) return HOST_E_BAD_ARGUMENT;
        s->store->locked = true;
        *bits = s->store->pixels.data();
        *pitchBytes = s->store->pitch;
        return HOST_OK;
    });
}

HostResult HostSurfaceUnlock(HostSurface* surface)
{
    return Guard(HOST_CALL_UNLOCK, surface, [](HostSurface* s) {
        if (!s->store->locked) return HOST_E_BAD_ARGUMENT;
        s->store->locked = false;
        Touched(s->store, nullptr);
        return HOST_OK;
    });
}

HostResult HostSurfaceFill(HostSurface* surface, const HostRect* rect, uint32_t value)
{
    return Guard(HOST_CALL_FILL, surface, [rect, value](HostSurface* s) {
        const HostResult usable = Usable(s);
        if (usable != HOST_OK) return usable;
        HostRect r = StoreRect(s, rect);
        if (s->translated) {
            HostRect unused = r;
            ClipToStore(s->store, &r, &unused);
        }
        if (!Inside(r, s->store)) return HOST_E_BAD_ARGUMENT;
        FillRect(s->store, r, value);
        Touched(s->store, &r);
        return HOST_OK;
    });
}

HostResult HostSurfaceBlit(HostSurface* destination, const HostRect* destinationRect,
                           HostSurface* source, const HostRect* sourceRect)
{
    return Guard(HOST_CALL_BLIT, destination, [=](HostSurface* d) {
        if (!Live(source)) return HOST_E_BAD_ARGUMENT;
        for (HostSurface* s : {d, source}) {
            const HostResult usable = Usable(s);
            if (usable != HOST_OK) return usable;
        }
        return CopyBetween(d, destinationRect, source, sourceRect);
    });
}

HostResult HostSurfaceGetDC(HostSurface* surface, HostDrawContext** context)
{
    return Guard(HOST_CALL_GET_DC, surface, [context](HostSurface* s) {
        const HostResult usable = Usable(s);
        if (usable != HOST_OK) return usable;
        HostDrawContext* free =
            std::find_if(std::begin(s_surface.contexts), std::end(s_surface.contexts),
                         [](const HostDrawContext& c) { return c.surface == nullptr; });
        if (free == std::end(s_surface.contexts)) return HOST_E_OUT_OF_MEMORY;
        free->surface = s;
        s->store->locked = true;
        *context = free;
        return HOST_OK;
    });
}

HostResult HostSurfaceReleaseDC(HostSurface* surface, HostDrawContext* context)
{
    if (!Live(surface) || context == nullptr || context->surface != surface)
        return HOST_E_BAD_ARGUMENT;
    // Drawing through the context marked what it changed as it drew: the pixels are as they were.
    context->surface = nullptr;
    surface->store->locked = false;
    return HOST_OK;
}

HostResult HostDrawContextCopy(HostDrawContext* to, const HostRect& rect, HostDrawContext* from,
                               int32_t fromX, int32_t fromY)
{
    HostResult code;
    if (HostTakeFailure(HOST_CALL_DC_COPY, &code)) return code;
    if (to == nullptr || from == nullptr || !Live(to->surface) || !Live(from->surface))
        return HOST_E_BAD_ARGUMENT;
    const HostRect source = {fromX, fromY, fromX + rect.right - rect.left,
                             fromY + rect.bottom - rect.top};
    return CopyBetween(to->surface, &rect, from->surface, &source);
}

HostResult HostSurfaceFlip(HostSurface* surface)
{
    return Guard(HOST_CALL_FLIP, surface, [](HostSurface* s) {
        if (s->back == nullptr) return HOST_E_BAD_ARGUMENT;
        for (HostSurface* part : {s, s->back}) {
            const HostResult usable = Usable(part);
            if (usable != HOST_OK) return usable;
        }
        // A chain whose front now shows another mode cannot be flipped: its buffers differ.
        if (s->store->pixels.size() != s->back->pixels.size()
            || !HostFormatsEqual(s->store->format, s->back->format))
            return HOST_E_SURFACE_LOST;
        std::swap(s->store->pixels, s->back->pixels);
        Touched(s->store, nullptr);
        return HOST_OK;
    });
}

HostResult HostSurfaceIsLost(HostSurface* surface)
{
    return Guard(HOST_CALL_IS_LOST, surface,
                 [](HostSurface* s) { return s->lost ? HOST_E_SURFACE_LOST : HOST_OK; });
}

HostResult HostSurfaceRestore(HostSurface* surface)
{
    return Guard(HOST_CALL_RESTORE, surface, [](HostSurface* s) {
        // A flip chain comes back whole, as it was made whole.
        for (HostSurface* part : {s, s->back}) {
            if (part == nullptr || !part->lost) continue;
            part->lost = false;
            std::fill(part->store->pixels.begin(), part->store->pixels.end(), 0);
            Touched(part->store, nullptr);
        }
        return HOST_OK;
    });
}

// ---------------------------------------------------------------------------------------------
// What the 3D device needs.

uint32_t HostSurfaceFlagsOf(HostSurface* surface) { return surface->flags; }

HostSurface* HostSurfaceAttachedZ(HostSurface* surface) { return surface->zbuffer; }

bool HostSurfaceBusy(HostSurface* surface) { return surface->lost || surface->store->locked; }

void HostSurfaceChanged(HostSurface* surface) { Touched(surface->store, nullptr); }

bool HostSurfaceIsTexture(HostSurface* surface)
{
    return Live(surface) && surface->kind == HOST_SURFACE_TEXTURE;
}

HostDepthView HostSurfaceDepth(HostSurface* zbuffer)
{
    return {zbuffer->depth.data(), zbuffer->stencil.data(), zbuffer->width,
            zbuffer->height,       zbuffer->format.zBits,   zbuffer->format.stencilBits};
}

uint64_t HostNewTexelsVersion()
{
    // Never reset with the host, so that no version is given twice while the program runs.
    static uint64_t last = 0;
    return ++last;
}

HostTexels HostSurfaceTexels(HostSurface* level)
{
    return {level->texels.data(), level->width, level->height, level->nextLevel,
            level->texelsVersion};
}

// ---------------------------------------------------------------------------------------------
// Palettes and clippers.

HostResult HostPaletteCreate(HostDisplay* display, const HostColour entries[256],
                             HostPalette** palette)
{
    HostResult code;
    if (HostTakeFailure(HOST_CALL_PALETTE_CREATE, &code)) return code;
    if (!HostDisplayUsable(display) || entries == nullptr) return HOST_E_BAD_ARGUMENT;
    for (HostPalette& p : s_surface.palettes) {
        if (p.used) continue;
        p = {true, 1, {}};
        std::copy(entries, entries + 256, p.entries);
        *palette = &p;
        return HOST_OK;
    }
    return HOST_E_OUT_OF_MEMORY;
}

HostResult HostPaletteSetEntries(HostPalette* palette, int32_t first, int32_t count,
                                 const HostColour* entries)
{
    HostResult code;
    if (HostTakeFailure(HOST_CALL_PALETTE_SET, &code)) return code;
    if (palette == nullptr || !palette->used || first < 0 || count < 0 || first + count > 256)
        return HOST_E_BAD_ARGUMENT;
    std::copy(entries, entries + count, palette->entries + first);
    const HostSurface* image = HostWindowImage();
    if (image && image->palette == palette) HostMarkImageDirty({0, 0, image->width, image->height});
    return HOST_OK;
}

uint32_t HostPaletteRelease(HostPalette* palette)
{
    if (palette == nullptr || !palette->used) FatalError("HostPaletteRelease(): no such palette\n");
    if (--palette->refs == 0) *palette = {};
    return palette->refs;
}

HostResult HostSurfaceSetPalette(HostSurface* surface, HostPalette* palette)
{
    return Guard(HOST_CALL_SURFACE_SET_PALETTE, surface, [palette](HostSurface* s) {
        if (palette == nullptr || !palette->used) return HOST_E_BAD_ARGUMENT;
        HostSurface* const store = s->store;
        if (!IsPalettised(store->format)) return HOST_E_BAD_ARGUMENT;
        ++palette->refs;
        if (store->palette) HostPaletteRelease(store->palette);
        store->palette = palette;
        Touched(store, nullptr);
        return HOST_OK;
    });
}

HostResult HostClipperCreate(HostDisplay* display, HostClipper** clipper)
{
    HostResult code;
    if (HostTakeFailure(HOST_CALL_CLIPPER_CREATE, &code)) return code;
    if (!HostDisplayUsable(display)) return HOST_E_BAD_ARGUMENT;
    for (HostClipper& c : s_surface.clippers) {
        if (c.used) continue;
        c = {true, 1, HOST_NO_WINDOW};
        *clipper = &c;
        return HOST_OK;
    }
    return HOST_E_OUT_OF_MEMORY;
}

HostResult HostClipperSetWindow(HostClipper* clipper, HostWindow window)
{
    HostResult code;
    if (HostTakeFailure(HOST_CALL_CLIPPER_SET_WINDOW, &code)) return code;
    if (clipper == nullptr || !clipper->used || window == HOST_NO_WINDOW
        || window != HostMainWindow())
        return HOST_E_BAD_ARGUMENT;
    clipper->window = window;
    return HOST_OK;
}

uint32_t HostClipperRelease(HostClipper* clipper)
{
    if (clipper == nullptr || !clipper->used) FatalError("HostClipperRelease(): no such clipper\n");
    if (--clipper->refs == 0) *clipper = {};
    return clipper->refs;
}

HostResult HostSurfaceSetClipper(HostSurface* surface, HostClipper* clipper)
{
    return Guard(HOST_CALL_SURFACE_SET_CLIPPER, surface, [clipper](HostSurface* s) {
        if (clipper == nullptr || !clipper->used) return HOST_E_BAD_ARGUMENT;
        ++clipper->refs;
        if (s->clipper) HostClipperRelease(s->clipper);
        s->clipper = clipper;
        return HOST_OK;
    });
}

// ---------------------------------------------------------------------------------------------
// Observations for tests.

int32_t HostInjectLiveSurfaces()
{
    return static_cast<int32_t>(
        std::count_if(std::begin(s_surface.surfaces), std::end(s_surface.surfaces),
                      [](const HostSurface& s) { return s.used && s.kind != HOST_SURFACE_IMAGE; }));
}

uint32_t HostInjectImageRowsConverted() { return s_surface.imageRowsConverted; }

int32_t HostInjectLivePalettes()
{
    return static_cast<int32_t>(std::count_if(std::begin(s_surface.palettes),
                                              std::end(s_surface.palettes),
                                              [](const HostPalette& p) { return p.used; }));
}

int32_t HostInjectLiveClippers()
{
    return static_cast<int32_t>(std::count_if(std::begin(s_surface.clippers),
                                              std::end(s_surface.clippers),
                                              [](const HostClipper& c) { return c.used; }));
}
