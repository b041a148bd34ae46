// engine/compress.cpp: the six CMP0 codecs, their checked decoders and the deterministic matcher.
#include "engine/compress.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>

#include "engine/debug.h"
#include "engine/fatal.h"

namespace {

constexpr size_t CMP_HEADER_BYTES = sizeof(CmpHeader);
constexpr char CMP_ID[4] = {'C', 'M', 'P', '0'};

// The worst stream (LZSS on incompressible bytes) is 9/8 of its input, and both sizes must fit
// the header's u32 fields.
constexpr size_t CMP_MAX_INPUT_BYTES = 0x7FFFFFFF;

using EncodeFn = void (*)(const uint8_t* src, size_t size, std::vector<uint8_t>* out);
// True only when the stream fills dst exactly and is used up exactly.
using DecodeFn = bool (*)(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize);

// ---------------------------------------------------------------------------------------------
// Type 0: stored.

void StoredEncode(const uint8_t* src, size_t size, std::vector<uint8_t>* out)
{
    out->insert(out->end(), src, src + size);
}

bool StoredDecode(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize)
{
    if (srcSize != dstSize) return false;
    std::copy_n(src, srcSize, dst);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Type 1: run-length. Control n < 128: n + 1 literals follow; n >= 128: one byte, 257 - n times.

constexpr size_t RLE_MAX_LITERALS = 128;
constexpr size_t RLE_MAX_RUN = 129;

size_t RunLength(const uint8_t* src, size_t size, size_t pos)
{
    const size_t limit = std::min(size - pos, RLE_MAX_RUN);
    size_t length = 1;
    while (length < limit && src[pos + length] == src[pos]) {
        ++length;
    }
    return length;
}

void RleFlushLiterals(const uint8_t* first, size_t count, std::vector<uint8_t>* out)
{
    if (count == 0) return;
    out->push_back(static_cast<uint8_t>(count - 1));
    out->insert(out->end(), first, first + count);
}

void RleEncode(const uint8_t* src, size_t size, std::vector<uint8_t>* out)
{
    size_t literalStart = 0;
    size_t pos = 0;
    while (pos < size) {
        const size_t run = RunLength(src, size, pos);
        const size_t literals = pos - literalStart;
        // A pair costs two bytes either way; it only pays as a run when no literal block is
        // open, because a run in the middle of literals makes the block restart.
        if (run >= 3 || (run == 2 && literals == 0)) {
            RleFlushLiterals(src + literalStart, literals, out);
            out->push_back(static_cast<uint8_t>(257 - run));
            out->push_back(src[pos]);
            pos += run;
            literalStart = pos;
            continue;
        }
        ++pos;
        if (pos - literalStart == RLE_MAX_LITERALS) {
            RleFlushLiterals(src + literalStart, RLE_MAX_LITERALS, out);
            literalStart = pos;
        }
    }
    RleFlushLiterals(src + literalStart, pos - literalStart, out);
}

bool RleDecode(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize)
{
    size_t in = 0;
    size_t out = 0;
    while (out < dstSize) {
        if (in == srcSize) return false;
        const uint32_t control = src[in++];
        if (control < 128) {
            const size_t count = control + 1;
            if (count > srcSize - in || count > dstSize - out) return false;
            std::copy_n(src + in, count, dst + out);
            in += count;
            out += count;
        } else {
            const size_t count = 257 - control;
            if (in == srcSize || count > dstSize - out) return false;
            std::fill_n(dst + out, count, src[in++]);
            out += count;
        }
    }
    return in == srcSize;
}

// ---------------------------------------------------------------------------------------------
// Types 2 and 3: LZSS. Groups of a flag byte (bit 0 first; 1 = literal, 0 = match) and up to
// eight items. The stream ends when the output is full, so unused flag bits are ignored.

struct Lzss4K {
    static constexpr uint32_t WINDOW = 4096;
    static constexpr uint32_t MIN_MATCH = 3;  // also the bytes the matcher hashes
    static constexpr uint32_t MAX_MATCH = 18;
    static constexpr uint32_t CODE_BYTES = 2;

    static void Read(const uint8_t* code, uint32_t* distance, uint32_t* length)
    {
        const uint32_t word = code[0] | code[1] << 8;
        *distance = (word & 0x0FFF) + 1;
        *length = (word >> 12) + MIN_MATCH;
    }
    static void Write(uint8_t* code, uint32_t distance, uint32_t length)
    {
        const uint32_t word = (distance - 1) | (length - MIN_MATCH) << 12;
        code[0] = static_cast<uint8_t>(word);
        code[1] = static_cast<uint8_t>(word >> 8);
    }
    static uint32_t Hash(const uint8_t* p)
    {
        const uint32_t key = p[0] | p[1] << 8 | p[2] << 16;
        return (key * 2654435761u) >> 17;
    }
};

struct Lzss64K {
    static constexpr uint32_t WINDOW = 65536;
    static constexpr uint32_t MIN_MATCH = 4;
    static constexpr uint32_t MAX_MATCH = 259;
    static constexpr uint32_t CODE_BYTES = 3;

    static void Read(const uint8_t* code, uint32_t* distance, uint32_t* length)
    {
        *distance = (code[0] | code[1] << 8) + 1;
        *length = code[2] + MIN_MATCH;
    }
    static void Write(uint8_t* code, uint32_t distance, uint32_t length)
    {
        code[0] = static_cast<uint8_t>(distance - 1);
        code[1] = static_cast<uint8_t>((distance - 1) >> 8);
        code[2] = static_cast<uint8_t>(length - MIN_MATCH);
    }
    static uint32_t Hash(const uint8_t* p)
    {
        uint32_t key;
        std::memcpy(&key, p, sizeof(key));
        return (key * 2654435761u) >> 17;
    }
};

constexpr uint32_t LZSS_HASH_SLOTS = 1u << 15;  // both Hash functions give 15 bits
constexpr int32_t LZSS_CHAIN_DEPTH = 64;

// A copy whose distance is below its length repeats the bytes it has just written.
void CopyMatch(uint8_t* to, uint32_t distance, uint32_t length)
{
    const uint8_t* from = to - distance;
    if (distance >= length) {
        std::memcpy(to, from, length);
        return;
    }
    for (uint32_t i = 0; i < length; ++i) {
        to[i] = from[i];
    }
}

template <typename Format>
bool LzssDecode(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize)
{
    size_t in = 0;
    size_t out = 0;
    while (out < dstSize) {
        if (in == srcSize) return false;
        const uint32_t flags = src[in++];
        // Eight literals in a row, with room on both sides, skip the per-item checks.
        if (flags == 0xFF && srcSize - in >= 8 && dstSize - out >= 8) {
            std::memcpy(dst + out, src + in, 8);
            in += 8;
            out += 8;
            continue;
        }
        for (uint32_t bit = 0; bit < 8 && out < dstSize; ++bit) {
            if (flags >> bit & 1) {
                if (in == srcSize) return false;
                dst[out++] = src[in++];
                continue;
            }
            if (srcSize - in < Format::CODE_BYTES) return false;
            uint32_t distance;
            uint32_t length;
            Format::Read(src + in, &distance, &length);
            in += Format::CODE_BYTES;
            if (distance > out || length > dstSize - out) return false;
            CopyMatch(dst + out, distance, length);
            out += length;
        }
    }
    return in == srcSize;
}

// Hash chains over the window. Positions are stored plus one so that zero means "none", and
// the whole record starts zeroed, so the result depends on the input alone.
template <typename Format>
struct LzssChains {
    std::array<uint32_t, LZSS_HASH_SLOTS> head;
    std::array<uint32_t, Format::WINDOW> previous;  // indexed by position modulo the window
};

struct LzssMatch {
    uint32_t distance;
    uint32_t length;
};

uint32_t CommonLength(const uint8_t* a, const uint8_t* b, uint32_t limit)
{
    uint32_t length = 0;
    while (limit - length >= 8) {
        uint64_t wordA;
        uint64_t wordB;
        std::memcpy(&wordA, a + length, 8);
        std::memcpy(&wordB, b + length, 8);
        if (wordA != wordB) return length + std::countr_zero(wordA ^ wordB) / 8;
        length += 8;
    }
    while (length < limit && a[length] == b[length]) {
        ++length;
    }
    return length;
}

template <typename Format>
void LzssInsert(LzssChains<Format>* chains, const uint8_t* src, size_t size, size_t pos)
{
    if (size - pos < Format::MIN_MATCH) return;
    const uint32_t slot = Format::Hash(src + pos);
    chains->previous[pos % Format::WINDOW] = chains->head[slot];
    chains->head[slot] = static_cast<uint32_t>(pos + 1);
}

// Greedy: the longest match among the nearest LZSS_CHAIN_DEPTH candidates; of equal lengths
// the nearest, because the chain is walked from the nearest and only a longer match replaces.
template <typename Format>
LzssMatch LzssLongest(const LzssChains<Format>& chains, const uint8_t* src, size_t size, size_t pos)
{
    LzssMatch best = {0, 0};
    if (size - pos < Format::MIN_MATCH) return best;
    const uint32_t limit = static_cast<uint32_t>(std::min<size_t>(Format::MAX_MATCH, size - pos));
    uint32_t candidate = chains.head[Format::Hash(src + pos)];
    for (int32_t depth = 0; candidate != 0 && depth < LZSS_CHAIN_DEPTH; ++depth) {
        const size_t at = candidate - 1;
        // Past the window the ring slot may already hold a newer position: stop here.
        if (pos - at > Format::WINDOW) break;
        if (src[at + best.length] == src[pos + best.length]) {
            const uint32_t length = CommonLength(src + at, src + pos, limit);
            if (length > best.length) {
                best = {static_cast<uint32_t>(pos - at), length};
                if (length == limit) break;
            }
        }
        candidate = chains.previous[at % Format::WINDOW];
    }
    return best;
}

// Appends items to an LZSS stream, opening a new flag byte every eighth item.
struct LzssWriter {
    std::vector<uint8_t>* out;
    size_t flagsAt;
    uint32_t items;  // in the open group
};

void LzssStartItem(LzssWriter* writer, bool literal)
{
    if (writer->items == 8) {
        writer->flagsAt = writer->out->size();
        writer->out->push_back(0);
        writer->items = 0;
    }
    if (literal) (*writer->out)[writer->flagsAt] |= static_cast<uint8_t>(1u << writer->items);
    ++writer->items;
}

template <typename Format>
void LzssEncode(const uint8_t* src, size_t size, std::vector<uint8_t>* out)
{
    auto chains = std::make_unique<LzssChains<Format>>();
    LzssWriter writer = {out, 0, 8};
    out->reserve(out->size() + size + size / 8 + 1);
    size_t pos = 0;
    while (pos < size) {
        const LzssMatch match = LzssLongest(*chains, src, size, pos);
        if (match.length < Format::MIN_MATCH) {
            LzssStartItem(&writer, true);
            out->push_back(src[pos]);
            LzssInsert(chains.get(), src, size, pos);
            ++pos;
            continue;
        }
        LzssStartItem(&writer, false);
        out->resize(out->size() + Format::CODE_BYTES);
        Format::Write(out->data() + out->size() - Format::CODE_BYTES, match.distance, match.length);
        for (uint32_t i = 0; i < match.length; ++i) {
            LzssInsert(chains.get(), src, size, pos + i);
        }
        pos += match.length;
    }
}

// The table takes plain functions: a template's address is no constant under the sanitizers.
void Lzss4KEncode(const uint8_t* src, size_t size, std::vector<uint8_t>* out)
{
    LzssEncode<Lzss4K>(src, size, out);
}

bool Lzss4KDecode(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize)
{
    return LzssDecode<Lzss4K>(src, srcSize, dst, dstSize);
}

void Lzss64KEncode(const uint8_t* src, size_t size, std::vector<uint8_t>* out)
{
    LzssEncode<Lzss64K>(src, size, out);
}

bool Lzss64KDecode(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize)
{
    return LzssDecode<Lzss64K>(src, srcSize, dst, dstSize);
}

// ---------------------------------------------------------------------------------------------
// Types 4 and 5: a delta filter before LZSS, undone after it. Each value is stored as its
// difference from the previous one (the first from zero), modulo 2^8 or 2^16; type 5 works on
// little-endian words and carries an odd last byte unchanged. The running value stays in a
// register: reading back the byte just stored would stall on every step.

void Delta8Encode(const uint8_t* src, size_t size, std::vector<uint8_t>* out)
{
    std::vector<uint8_t> deltas(size);
    uint8_t previous = 0;
    for (size_t i = 0; i < size; ++i) {
        deltas[i] = static_cast<uint8_t>(src[i] - previous);
        previous = src[i];
    }
    Lzss4KEncode(deltas.data(), size, out);
}

bool Delta8Decode(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize)
{
    if (!Lzss4KDecode(src, srcSize, dst, dstSize)) return false;
    uint8_t previous = 0;
    for (size_t i = 0; i < dstSize; ++i) {
        previous = static_cast<uint8_t>(previous + dst[i]);
        dst[i] = previous;
    }
    return true;
}

uint16_t LoadWord(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void StoreWord(uint8_t* p, uint16_t word)
{
    p[0] = static_cast<uint8_t>(word);
    p[1] = static_cast<uint8_t>(word >> 8);
}

void Delta16Encode(const uint8_t* src, size_t size, std::vector<uint8_t>* out)
{
    std::vector<uint8_t> deltas(src, src + size);
    uint16_t previous = 0;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const uint16_t word = LoadWord(src + i);
        StoreWord(&deltas[i], static_cast<uint16_t>(word - previous));
        previous = word;
    }
    Lzss64KEncode(deltas.data(), size, out);
}

bool Delta16Decode(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize)
{
    if (!Lzss64KDecode(src, srcSize, dst, dstSize)) return false;
    uint16_t previous = 0;
    for (size_t i = 0; i + 1 < dstSize; i += 2) {
        previous = static_cast<uint16_t>(previous + LoadWord(dst + i));
        StoreWord(dst + i, previous);
    }
    return true;
}

// ---------------------------------------------------------------------------------------------

struct CodecRow {
    CmpType type;
    EncodeFn encode;
    DecodeFn decode;
    const char* name;  // for logs
};

// clang-format off
constexpr auto CODECS = std::to_array<CodecRow>({
    {CMP_STORED,           StoredEncode,  StoredDecode,  "stored"},
    {CMP_RUN_LENGTH,       RleEncode,     RleDecode,     "run-length"},
    {CMP_LZSS_4K,          Lzss4KEncode,  Lzss4KDecode,  "lzss-4k"},
    {CMP_LZSS_64K,         Lzss64KEncode, Lzss64KDecode, "lzss-64k"},
    {CMP_DELTA8_LZSS_4K,   Delta8Encode,  Delta8Decode,  "delta8+lzss-4k"},
    {CMP_DELTA16_LZSS_64K, Delta16Encode, Delta16Decode, "delta16+lzss-64k"},
});
// clang-format on

static_assert(CODECS.size() == CMP_TYPE_COUNT, "one row per compression type");

consteval bool EveryCodecInPlace()
{
    for (size_t i = 0; i < CODECS.size(); ++i) {
        const CodecRow& row = CODECS[i];
        if (row.type != i || row.encode == nullptr || row.decode == nullptr) return false;
    }
    return true;
}
static_assert(EveryCodecInPlace(), "a codec row is out of order or has no handler");

// DecompressDataMem's texts, one per status, in the order the checks run.
constexpr auto STATUS_TEXTS = std::to_array<const char*>({
    nullptr,
    "DecompressDataMem(): no ID field on compressed data",
    "DecompressDataMem(): unknown compression type",
    "DecompressDataMem(): header does not match compressed data size",
    "DecompressDataMem(): buffer too small for decompression",
    "DecompressDataMem(): corrupt compressed data",
});
static_assert(STATUS_TEXTS.size() == static_cast<size_t>(CmpStatus::Corrupt) + 1);

bool ReadHeader(const uint8_t* src, size_t srcSize, CmpHeader* header)
{
    if (srcSize < CMP_HEADER_BYTES) return false;
    std::memcpy(header, src, CMP_HEADER_BYTES);
    return std::memcmp(header->id, CMP_ID, sizeof(CMP_ID)) == 0;
}

CmpStatus CheckHeader(const uint8_t* src, size_t srcSize, size_t dstCap, CmpHeader* header)
{
    if (!ReadHeader(src, srcSize, header)) return CmpStatus::NoId;
    if (header->type >= CMP_TYPE_COUNT) return CmpStatus::BadType;
    if (header->packedSize != srcSize - CMP_HEADER_BYTES) return CmpStatus::SizeMismatch;
    if (header->unpackedSize > dstCap) return CmpStatus::DestinationTooSmall;
    return CmpStatus::Ok;
}

}  // namespace

size_t CmpDecode(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstCap, CmpStatus* status)
{
    CmpHeader header;
    *status = CheckHeader(src, srcSize, dstCap, &header);
    if (*status != CmpStatus::Ok) return 0;
    const DecodeFn decode = CODECS[header.type].decode;
    if (!decode(src + CMP_HEADER_BYTES, header.packedSize, dst, header.unpackedSize)) {
        *status = CmpStatus::Corrupt;
        return 0;
    }
    return header.unpackedSize;
}

uint32_t CmpUnpackedSize(const uint8_t* src, size_t srcSize)
{
    CmpHeader header;
    return ReadHeader(src, srcSize, &header) ? header.unpackedSize : 0;
}

size_t DecompressDataMem(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize)
{
    CmpStatus status;
    const size_t written = CmpDecode(src, srcSize, dst, dstSize, &status);
    if (status != CmpStatus::Ok) {
        FatalAbort("compress", __LINE__, STATUS_TEXTS[static_cast<size_t>(status)]);
    }
    return written;
}

std::vector<uint8_t> CompressDataMem(CmpType type, const uint8_t* src, size_t size)
{
    if (type >= CMP_TYPE_COUNT) {
        FatalAbort("compress", __LINE__, "CompressDataMem(): unknown compression type");
    }
    if (size > CMP_MAX_INPUT_BYTES) {
        FatalAbort("compress", __LINE__, "CompressDataMem(): input too large");
    }
    std::vector<uint8_t> stream(CMP_HEADER_BYTES);
    CODECS[type].encode(src, size, &stream);

    CmpHeader header = {};
    std::memcpy(header.id, CMP_ID, sizeof(CMP_ID));
    header.type = type;
    header.packedSize = static_cast<uint32_t>(stream.size() - CMP_HEADER_BYTES);
    header.unpackedSize = static_cast<uint32_t>(size);
    std::memcpy(stream.data(), &header, CMP_HEADER_BYTES);
    return stream;
}

std::vector<uint8_t> CompressBest(const uint8_t* src, size_t size)
{
    std::vector<uint8_t> best;  // every stream has its header, so empty means "none yet"
    CmpType bestType = CMP_STORED;
    for (const CodecRow& row : CODECS) {
        std::vector<uint8_t> stream = CompressDataMem(row.type, src, size);
        if (best.empty() || stream.size() < best.size()) {
            best = std::move(stream);
            bestType = row.type;
        }
    }
    DebugPrintf(DBG_FILE, 3, "CompressBest(): %zu bytes to %zu (%s)\n", size, best.size(),
                CODECS[bestType].name);
    return best;
}
