// engine/compress.h: the game's "CMP0" compression, six codecs behind one 16-byte header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum CmpType : uint16_t {
    CMP_STORED,
    CMP_RUN_LENGTH,
    CMP_LZSS_4K,
    CMP_LZSS_64K,
    CMP_DELTA8_LZSS_4K,
    CMP_DELTA16_LZSS_64K,
    CMP_TYPE_COUNT
};

#pragma pack(push, 1)
struct CmpHeader {
    char id[4];  // "CMP0"
    uint16_t type;
    uint16_t reserved;    // written 0, not read
    uint32_t packedSize;  // bytes after the header
    uint32_t unpackedSize;
};
#pragma pack(pop)
static_assert(sizeof(CmpHeader) == 16);

enum class CmpStatus { Ok, NoId, BadType, SizeMismatch, DestinationTooSmall, Corrupt };

// Decodes a whole CMP0 stream (header included) into dst without ever failing the process:
// every read, write and match distance is checked, and the stream must fill exactly the
// unpacked size and be used up exactly. Returns the unpacked size, or 0 with *status saying
// why; nothing is read or written outside the two buffers, though dst may be partly written.
size_t CmpDecode(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstCap,
                 CmpStatus* status);

// The unpacked size a valid header announces (0 without a CMP0 header).
uint32_t CmpUnpackedSize(const uint8_t* src, size_t srcSize);

// As CmpDecode, but any fault is a fatal abort ("compress") with its own text, checked in the
// order of CmpStatus.
size_t DecompressDataMem(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize);

// A whole CMP0 stream of the given type; the same input always gives the same bytes. A type out
// of range or an input over 2 GB (its stream might not fit the header) is a fatal abort.
std::vector<uint8_t> CompressDataMem(CmpType type, const uint8_t* src, size_t size);
// Tries every type and keeps the smallest stream (ties: the lower type), so the result is never
// more than the input plus the header.
std::vector<uint8_t> CompressBest(const uint8_t* src, size_t size);
