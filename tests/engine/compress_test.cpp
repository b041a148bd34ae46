#include "engine/compress.h"

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "tests/support/sample_data.h"
#include "tests/support/support.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct NamedInput {
    std::string name;
    Bytes bytes;
};

Bytes Repeated(const Bytes& pattern, size_t size)
{
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = pattern[i % pattern.size()];
    }
    return bytes;
}

// Sizes at the windows' edges, the extremes of compressibility and the shapes of game data.
const std::vector<NamedInput>& RoundTripInputs()
{
    static const std::vector<NamedInput> inputs = {
        {"empty", {}},
        {"one byte", {0x5A}},
        {"4095 text", SampleText(4095, 1)},
        {"4096 text", SampleText(4096, 2)},
        {"4097 text", SampleText(4097, 3)},
        {"65536 picture", SamplePicture16(256, 128, 4)},
        {"65537 text", SampleText(65537, 5)},
        {"all zero", Bytes(100000, 0)},
        {"one repeated byte", Bytes(70001, 0xAB)},
        {"17-byte pattern", Repeated(SampleRandomBytes(17, 6), 70000)},
        {"259-byte pattern", Repeated(SampleRandomBytes(259, 7), 140001)},
        {"random", SampleRandomBytes(70000, 8)},
        {"640x480 picture", SamplePicture16(640, 480, 9)},
        {"tone", SampleTone(50001)},
        {"3 bytes", {1, 2, 3}},
    };
    return inputs;
}

Bytes Decode(const Bytes& stream, CmpStatus* status)
{
    Bytes out(CmpUnpackedSize(stream.data(), stream.size()));
    out.resize(CmpDecode(stream.data(), stream.size(), out.data(), out.size(), status));
    return out;
}

CmpHeader HeaderOf(const Bytes& stream)
{
    CmpHeader header;
    std::memcpy(&header, stream.data(), sizeof(header));
    return header;
}

void SetHeader(Bytes* stream, const CmpHeader& header)
{
    std::memcpy(stream->data(), &header, sizeof(header));
}

// A stream of the given type around a hand-written body.
Bytes StreamOf(CmpType type, const Bytes& body, uint32_t unpackedSize)
{
    Bytes stream(sizeof(CmpHeader));
    SetHeader(&stream,
              {{'C', 'M', 'P', '0'}, type, 0, static_cast<uint32_t>(body.size()), unpackedSize});
    stream.insert(stream.end(), body.begin(), body.end());
    return stream;
}

// Appends `count` literal bytes to an LZSS body as whole groups of eight.
void AppendLiteralGroups(Bytes* body, const Bytes& source, size_t count)
{
    for (size_t i = 0; i < count; i += 8) {
        body->push_back(0xFF);
        body->insert(body->end(), source.begin() + i, source.begin() + i + 8);
    }
}

}  // namespace

TEST(Compress, EveryCodecReproducesEveryInputExactly)
{
    for (const NamedInput& input : RoundTripInputs()) {
        for (int type = 0; type < CMP_TYPE_COUNT; ++type) {
            SCOPED_TRACE(input.name + ", type " + std::to_string(type));
            const Bytes stream =
                CompressDataMem(static_cast<CmpType>(type), input.bytes.data(), input.bytes.size());
            const CmpHeader header = HeaderOf(stream);
            EXPECT_EQ(header.type, type);
            EXPECT_EQ(header.reserved, 0);
            EXPECT_EQ(header.packedSize + sizeof(CmpHeader), stream.size());
            EXPECT_EQ(header.unpackedSize, input.bytes.size());

            CmpStatus status;
            EXPECT_EQ(Decode(stream, &status), input.bytes);
            EXPECT_EQ(status, CmpStatus::Ok);
        }
    }
}

TEST(Compress, EachCodecWritesTheDocumentedBytes)
{
    struct Case {
        CmpType type;
        Bytes input;
        Bytes body;
    };
    Bytes counting(129);
    for (size_t i = 0; i < counting.size(); ++i) {
        counting[i] = static_cast<uint8_t>(i);
    }
    Bytes countingBody = {0x7F};
    countingBody.insert(countingBody.end(), counting.begin(), counting.begin() + 128);
    countingBody.insert(countingBody.end(), {0x00, 128});
    const Bytes text = {'a', 'b', 'c', 'X', 'a', 'b', 'c', 'Y',
                        'a', 'b', 'c', 'Z', 'a', 'b', 'c', 'Y'};
    const Case cases[] = {
        {CMP_STORED, {1, 2, 3}, {1, 2, 3}},
        // Runs of 2, 129 and 130, and literal blocks of 128 and 1.
        {CMP_RUN_LENGTH, Bytes(2, 'a'), {0xFF, 'a'}},
        {CMP_RUN_LENGTH, Bytes(129, 'a'), {0x80, 'a'}},
        {CMP_RUN_LENGTH, Bytes(130, 'a'), {0x80, 'a', 0x00, 'a'}},
        {CMP_RUN_LENGTH, counting, countingBody},
        // Of two equal matches the nearer wins ("abcZ"); a longer match wins over a nearer one
        // (the last "abcY").
        {CMP_LZSS_4K,
         text,
         {0xAF, 'a', 'b', 'c', 'X', 0x03, 0x00, 'Y', 0x03, 0x00, 'Z', 0x00, 0x07, 0x10}},
        {CMP_LZSS_64K,
         {'a', 'b', 'c', 'd', 'X', 'a', 'b', 'c', 'd', 'Y'},
         {0x5F, 'a', 'b', 'c', 'd', 'X', 0x04, 0x00, 0x00, 'Y'}},
        {CMP_DELTA8_LZSS_4K, {10, 12, 14, 16}, {0x0F, 10, 2, 2, 2}},
        // Words 1000, 1003, 1006 and an odd last byte carried unchanged.
        {CMP_DELTA16_LZSS_64K,
         {0xE8, 0x03, 0xEB, 0x03, 0xEE, 0x03, 0x07},
         {0x7F, 0xE8, 0x03, 0x03, 0x00, 0x03, 0x00, 0x07}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type) + ", " + std::to_string(c.input.size())
                     + " bytes");
        const Bytes stream = CompressDataMem(c.type, c.input.data(), c.input.size());
        EXPECT_EQ(Bytes(stream.begin() + sizeof(CmpHeader), stream.end()), c.body);
    }
}

TEST(Compress, MatcherReachesTheWholeWindowWithTheLongestMatch)
{
    // Random bytes hold no useful match, so the repeated head can only be coded as one match
    // from the far edge of the window: one code, perhaps in a new group.
    const struct {
        CmpType type;
        size_t window;
        size_t longest;
        size_t codeBytes;
    } cases[] = {{CMP_LZSS_4K, 4096, 18, 2}, {CMP_LZSS_64K, 65536, 259, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type));
        Bytes input = SampleRandomBytes(c.window, 17);
        const size_t plainSize = CompressDataMem(c.type, input.data(), input.size()).size();
        input.insert(input.end(), input.begin(), input.begin() + c.longest);
        const Bytes stream = CompressDataMem(c.type, input.data(), input.size());
        EXPECT_LE(stream.size(), plainSize + 1 + c.codeBytes);
    }
}

TEST(CmpDecode, ReachesTheFarthestDistanceWithTheLongestLength)
{
    const Bytes source = SampleRandomBytes(65536, 11);

    Bytes body4K;
    AppendLiteralGroups(&body4K, source, 4096);
    body4K.insert(body4K.end(), {0x00, 0xFF, 0xFF});  // distance 4096, length 18
    Bytes expected4K(source.begin(), source.begin() + 4096);
    expected4K.insert(expected4K.end(), source.begin(), source.begin() + 18);

    Bytes body64K;
    AppendLiteralGroups(&body64K, source, 65536);
    body64K.insert(body64K.end(), {0x00, 0xFF, 0xFF, 0xFF});  // distance 65536, length 259
    Bytes expected64K = source;
    expected64K.insert(expected64K.end(), source.begin(), source.begin() + 259);

    // A distance below the length repeats what the match itself writes.
    const Bytes overlapBody = {0x03, 'x', 'y', 0x01, 0xF0};  // "xy", distance 2, length 18
    Bytes overlap;
    for (int i = 0; i < 10; ++i) {
        overlap.insert(overlap.end(), {'x', 'y'});
    }

    CmpStatus status;
    EXPECT_EQ(Decode(StreamOf(CMP_LZSS_4K, body4K, 4096 + 18), &status), expected4K);
    EXPECT_EQ(Decode(StreamOf(CMP_LZSS_64K, body64K, 65536 + 259), &status), expected64K);
    EXPECT_EQ(Decode(StreamOf(CMP_LZSS_4K, overlapBody, 20), &status), overlap);
    EXPECT_EQ(status, CmpStatus::Ok);
}

TEST(CmpDecode, RefusesStreamsThatBreakTheirBounds)
{
    const struct {
        const char* what;
        CmpType type;
        Bytes body;
        uint32_t unpackedSize;
    } cases[] = {
        {"stored size differs", CMP_STORED, {1, 2, 3}, 2},
        {"run past the end", CMP_RUN_LENGTH, {0xFE, 'a'}, 2},
        {"literals cut short", CMP_RUN_LENGTH, {0x03, 'a', 'b'}, 4},
        {"run without its byte", CMP_RUN_LENGTH, {0xFE}, 3},
        {"match before the start", CMP_LZSS_4K, {0x00, 0x00, 0x00}, 3},
        {"match one byte too far", CMP_LZSS_4K, {0x01, 'a', 0x01, 0x00}, 4},
        {"wide match before the start", CMP_LZSS_64K, {0x01, 'a', 0x01, 0x00, 0x00}, 5},
        {"match past the end", CMP_LZSS_4K, {0x01, 'a', 0x00, 0x10}, 4},
        {"match code cut short", CMP_LZSS_64K, {0x01, 'a', 0x00, 0x00}, 5},
        {"flag byte missing", CMP_LZSS_4K, {0xFF, 1, 2, 3, 4, 5, 6, 7, 8}, 9},
        {"bytes left over", CMP_LZSS_4K, {0x01, 'a', 0x00}, 1},
        {"bytes left over after a delta", CMP_DELTA8_LZSS_4K, {0x01, 'a', 'b'}, 1},
        {"empty output with input", CMP_RUN_LENGTH, {0x00}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CmpStatus status;
        const Bytes out = Decode(StreamOf(c.type, c.body, c.unpackedSize), &status);
        EXPECT_EQ(status, CmpStatus::Corrupt);
        EXPECT_TRUE(out.empty());
    }
}

TEST(CmpDecode, ChecksTheHeaderInOrder)
{
    const Bytes input = SampleText(300, 12);
    const Bytes valid = CompressDataMem(CMP_LZSS_4K, input.data(), input.size());
    Bytes out(input.size());
    const auto statusOf = [&out](const Bytes& stream, size_t dstCap) {
        CmpStatus status;
        EXPECT_EQ(CmpDecode(stream.data(), stream.size(), out.data(), dstCap, &status), 0u);
        return status;
    };

    Bytes badType = valid;
    badType[4] = CMP_TYPE_COUNT;
    badType.pop_back();  // also a size mismatch: the type is checked first
    Bytes badId = badType;
    badId[3] = '1';
    EXPECT_EQ(statusOf(Bytes(valid.begin(), valid.begin() + 15), out.size()), CmpStatus::NoId);
    EXPECT_EQ(statusOf(badId, out.size()), CmpStatus::NoId);
    EXPECT_EQ(statusOf(badType, out.size()), CmpStatus::BadType);
    EXPECT_EQ(statusOf(Bytes(valid.begin(), valid.end() - 1), out.size()), CmpStatus::SizeMismatch);
    Bytes longer = valid;
    longer.push_back(0);
    EXPECT_EQ(statusOf(longer, out.size()), CmpStatus::SizeMismatch);
    EXPECT_EQ(statusOf(valid, out.size() - 1), CmpStatus::DestinationTooSmall);
    EXPECT_EQ(CmpUnpackedSize(valid.data(), valid.size()), input.size());
    EXPECT_EQ(CmpUnpackedSize(badId.data(), badId.size()), 0u);
}

TEST(CompressDeathTest, EachMalformedStreamEndsWithItsOwnText)
{
    const Bytes input = SampleText(300, 13);
    const Bytes valid = CompressDataMem(CMP_LZSS_64K, input.data(), input.size());
    Bytes out(input.size());
    const auto decompress = [&out](const Bytes& stream, size_t dstSize) {
        DecompressDataMem(stream.data(), stream.size(), out.data(), dstSize);
    };
    const auto abortText = [](const std::string& message) {
        return "Abort error: " + message + "\n(File: compress  Line: ";
    };

    Bytes noId = valid;
    noId[0] = 'X';
    Bytes badType = valid;
    badType[4] = 6;
    Bytes corrupt = valid;
    corrupt[sizeof(CmpHeader)] = 0x00;  // the first item becomes a match before the start

    EXPECT_FATAL(decompress(Bytes(valid.begin(), valid.begin() + 15), out.size()),
                 abortText("DecompressDataMem(): no ID field on compressed data"));
    EXPECT_FATAL(decompress(noId, out.size()),
                 abortText("DecompressDataMem(): no ID field on compressed data"));
    EXPECT_FATAL(decompress(badType, out.size()),
                 abortText("DecompressDataMem(): unknown compression type"));
    EXPECT_FATAL(decompress(Bytes(valid.begin(), valid.end() - 1), out.size()),
                 abortText("DecompressDataMem(): header does not match compressed data size"));
    EXPECT_FATAL(decompress(valid, out.size() - 1),
                 abortText("DecompressDataMem(): buffer too small for decompression"));
    EXPECT_FATAL(decompress(corrupt, out.size()),
                 abortText("DecompressDataMem(): corrupt compressed data"));
}

namespace {

uint32_t RandBelow(uint32_t limit)
{
    const uint32_t wide = static_cast<uint32_t>(Rand()) << 15 | static_cast<uint32_t>(Rand());
    return wide % limit;
}

// Valid streams of 64 bytes to 4 KB cut from every kind of sample, so that each decoder meets
// literals, short and long matches, runs and literal blocks.
std::vector<Bytes> FuzzOriginals()
{
    const Bytes sources[] = {SamplePicture16(64, 32, 14), SampleText(4096, 15),
                             SampleRandomBytes(4096, 16), SampleTone(4096), Bytes(4096, 7)};
    std::vector<Bytes> originals;
    for (const Bytes& source : sources) {
        for (size_t size : {64u, 301u, 1500u, 4096u}) {
            originals.emplace_back(source.begin(), source.begin() + size);
        }
    }
    return originals;
}

enum Mutation {
    MUT_FLIP_BITS,
    MUT_TRUNCATE,
    MUT_EXTEND,
    MUT_RANDOM_BODY,
    MUT_UNPACKED_SIZE,
    MUT_COUNT
};

// A truncated, extended or resized stream can never fit its output exactly.
bool MustFail(Mutation mutation)
{
    return mutation == MUT_TRUNCATE || mutation == MUT_EXTEND || mutation == MUT_UNPACKED_SIZE;
}

// Changes a valid stream behind its header and keeps the header's packed size consistent.
void Mutate(Mutation mutation, Bytes* stream)
{
    constexpr size_t kHeader = sizeof(CmpHeader);
    CmpHeader header = HeaderOf(*stream);
    const size_t body = stream->size() - kHeader;
    switch (mutation) {
        case MUT_FLIP_BITS:
            for (uint32_t flips = 1 + RandBelow(3); flips > 0; --flips) {
                (*stream)[kHeader + RandBelow(body)] ^= static_cast<uint8_t>(1 << RandBelow(8));
            }
            break;
        case MUT_TRUNCATE: stream->resize(stream->size() - 1 - RandBelow(body)); break;
        case MUT_EXTEND:
            for (uint32_t extra = 1 + RandBelow(16); extra > 0; --extra) {
                stream->push_back(static_cast<uint8_t>(RandBelow(256)));
            }
            break;
        case MUT_RANDOM_BODY:
            stream->resize(kHeader + RandBelow(2 * body));
            for (size_t i = kHeader; i < stream->size(); ++i) {
                (*stream)[i] = static_cast<uint8_t>(RandBelow(256));
            }
            break;
        case MUT_UNPACKED_SIZE: {
            // The smallest original has 64 bytes, so the size stays above zero.
            const uint32_t change = 1 + RandBelow(63);
            header.unpackedSize += RandBelow(2) ? change : 0u - change;
            break;
        }
        case MUT_COUNT: break;
    }
    header.packedSize = static_cast<uint32_t>(stream->size() - kHeader);
    SetHeader(stream, header);
}

}  // namespace

TEST(CmpDecode, EveryDecoderSurvivesSeededMutations)
{
    constexpr int kMutationsPerType = 10000;
    constexpr size_t kGuardBytes = 64;
    constexpr uint8_t kGuard = 0xA5;
    const std::vector<Bytes> originals = FuzzOriginals();
    SRand(20240601);

    for (int type = 0; type < CMP_TYPE_COUNT; ++type) {
        std::vector<Bytes> streams;
        for (const Bytes& original : originals) {
            streams.push_back(
                CompressDataMem(static_cast<CmpType>(type), original.data(), original.size()));
        }
        for (int i = 0; i < kMutationsPerType; ++i) {
            const size_t pick = RandBelow(static_cast<uint32_t>(streams.size()));
            const auto mutation = static_cast<Mutation>(i % MUT_COUNT);
            Bytes stream = streams[pick];
            Mutate(mutation, &stream);
            const uint32_t unpackedSize = HeaderOf(stream).unpackedSize;

            // The destination holds exactly the announced size; guard bytes catch any write
            // past it even without the sanitizers.
            Bytes dst(unpackedSize + kGuardBytes, kGuard);
            CmpStatus status;
            const size_t written =
                CmpDecode(stream.data(), stream.size(), dst.data(), unpackedSize, &status);

            SCOPED_TRACE("type " + std::to_string(type) + ", mutation " + std::to_string(i));
            ASSERT_EQ(Bytes(dst.begin() + unpackedSize, dst.end()), Bytes(kGuardBytes, kGuard));
            if (status == CmpStatus::Ok) {
                ASSERT_FALSE(MustFail(mutation));
                ASSERT_EQ(written, unpackedSize);
                if (stream == streams[pick]) {
                    ASSERT_EQ(Bytes(dst.begin(), dst.begin() + written), originals[pick]);
                }
            } else {
                ASSERT_EQ(status, CmpStatus::Corrupt);
                ASSERT_EQ(written, 0u);
            }
        }
    }
}
