// engine/blockfile.cpp: the checked "DAT0" block container in which every user file is kept.
#include "engine/blockfile.h"

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/crc32.h"
#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/filename.h"
#include "engine/userfile.h"

namespace {

#pragma pack(push, 1)
struct FileHeader {
    char magic[4];  // "DAT0"
    char type[4];
    uint32_t version;
    uint32_t blockCount;
};

struct BlockHeader {
    char tag[4];
    uint32_t size;  // of the data, without its padding
    uint32_t crc;   // of the data
};

struct FileTrailer {
    char magic[4];  // "END0"
    uint32_t crc;   // of every byte before the trailer
};
#pragma pack(pop)

static_assert(sizeof(FileHeader) == 16);
static_assert(offsetof(FileHeader, type) == 4);
static_assert(offsetof(FileHeader, version) == 8);
static_assert(offsetof(FileHeader, blockCount) == 12);
static_assert(sizeof(BlockHeader) == 12);
static_assert(offsetof(BlockHeader, size) == 4);
static_assert(offsetof(BlockHeader, crc) == 8);
static_assert(sizeof(FileTrailer) == 8);
static_assert(offsetof(FileTrailer, crc) == 4);
static_assert(
    std::is_trivially_copyable_v<
        FileHeader> && std::is_trivially_copyable_v<BlockHeader> && std::is_trivially_copyable_v<FileTrailer>);

constexpr char kFileMagic[] = "DAT0";
constexpr char kEndMagic[] = "END0";

// Why a load failed: its result code and a reason for the log.
struct Verdict {
    int32_t result;
    std::string reason;
};

// Where a request's block lies in the checked file.
struct FoundBlock {
    bool found;
    size_t offset;
    uint32_t size;
};

Verdict Fail(int32_t result, const char* format, ...) __attribute__((format(printf, 2, 3)));

Verdict Fail(int32_t result, const char* format, ...)
{
    char reason[200];
    va_list args;
    va_start(args, format);
    std::vsnprintf(reason, sizeof reason, format, args);
    va_end(args);
    return {result, reason};
}

// Tags and types are ours, so a wrong one is our bug.
void CheckFourChars(const char* text, const char* fatalText)
{
    if (text == nullptr || std::strlen(text) != 4)
        FatalError("%s '%s'", fatalText, text ? text : "");
}

uint32_t PaddingOf(uint32_t size) { return (4 - size % 4) % 4; }

// The image is sized once for the whole file and the parts copied in (the padding stays zero):
// growing it part by part is slower, and GCC 12's -O3 warns falsely on the inlined inserts.
std::vector<uint8_t> BuildImage(const char* type, uint32_t version, const BlockFileBlock blocks[],
                                int32_t count)
{
    size_t size = sizeof(FileHeader) + sizeof(FileTrailer);
    for (int32_t i = 0; i < count; ++i) {
        size += sizeof(BlockHeader) + blocks[i].size + PaddingOf(blocks[i].size);
    }
    std::vector<uint8_t> image(size, 0);
    size_t at = 0;
    const auto put = [&](const void* data, size_t bytes) {
        if (bytes == 0) return;  // an empty block may come without a buffer
        std::memcpy(image.data() + at, data, bytes);
        at += bytes;
    };
    FileHeader header{};
    std::memcpy(header.magic, kFileMagic, 4);
    std::memcpy(header.type, type, 4);
    header.version = version;
    header.blockCount = static_cast<uint32_t>(count);
    put(&header, sizeof header);

    for (int32_t i = 0; i < count; ++i) {
        BlockHeader block{};
        std::memcpy(block.tag, blocks[i].tag, 4);
        block.size = blocks[i].size;
        block.crc = Crc32(blocks[i].data, blocks[i].size);
        put(&block, sizeof block);
        put(blocks[i].data, blocks[i].size);
        at += PaddingOf(blocks[i].size);
    }

    FileTrailer trailer{};
    std::memcpy(trailer.magic, kEndMagic, 4);
    trailer.crc = Crc32(image.data(), at);
    put(&trailer, sizeof trailer);
    return image;
}

Verdict CheckHeaderAndTrailer(std::span<const uint8_t> bytes, const char* type, uint32_t version)
{
    if (bytes.size() >= 4 && std::memcmp(bytes.data(), kFileMagic, 4) != 0) {
        return Fail(BLOCKFILE_WRONG_KIND, "not a DAT0 file");
    }
    if (bytes.size() < sizeof(FileHeader) + sizeof(FileTrailer)) {
        return Fail(BLOCKFILE_DAMAGED, "cut short (%zu bytes)", bytes.size());
    }
    FileHeader header;
    std::memcpy(&header, bytes.data(), sizeof header);
    if (std::memcmp(header.type, type, 4) != 0) {
        return Fail(BLOCKFILE_WRONG_KIND, "not of type '%s'", type);
    }
    if (header.version != version) {
        return Fail(BLOCKFILE_WRONG_KIND, "version %u, expected %u", header.version, version);
    }
    const size_t trailerOffset = bytes.size() - sizeof(FileTrailer);
    FileTrailer trailer;
    std::memcpy(&trailer, bytes.data() + trailerOffset, sizeof trailer);
    if (std::memcmp(trailer.magic, kEndMagic, 4) != 0) {
        return Fail(BLOCKFILE_DAMAGED, "no end marker (cut short or extended)");
    }
    if (trailer.crc != Crc32(bytes.data(), trailerOffset)) {
        return Fail(BLOCKFILE_DAMAGED, "file checksum is wrong");
    }
    return {BLOCKFILE_OK, {}};
}

// Checks one block against the request that names it and records where it lies.
Verdict TakeBlock(const BlockFileRequest& request, size_t offset, uint32_t size, FoundBlock* found)
{
    if (found->found) return Fail(BLOCKFILE_BLOCK_MISSING, "block '%s' is repeated", request.tag);
    const bool sizeFits = request.sizeRead ? size <= request.size : size == request.size;
    if (!sizeFits) {
        return Fail(BLOCKFILE_DAMAGED, "block '%s' holds %u bytes, expected %s%u", request.tag,
                    size, request.sizeRead ? "at most " : "", request.size);
    }
    *found = {true, offset, size};
    return {BLOCKFILE_OK, {}};
}

// Walks the blocks between the header and the trailer, checking each one.
Verdict CheckBlocks(std::span<const uint8_t> bytes, const BlockFileRequest requests[],
                    int32_t count, std::vector<FoundBlock>* found)
{
    FileHeader header;
    std::memcpy(&header, bytes.data(), sizeof header);
    const size_t end = bytes.size() - sizeof(FileTrailer);
    size_t offset = sizeof(FileHeader);

    for (uint32_t index = 0; index < header.blockCount; ++index) {
        if (end - offset < sizeof(BlockHeader)) {
            return Fail(BLOCKFILE_DAMAGED, "block %u runs past the end", index);
        }
        BlockHeader block;
        std::memcpy(&block, bytes.data() + offset, sizeof block);
        offset += sizeof block;
        const uint32_t padding = PaddingOf(block.size);
        if (end - offset < uint64_t{block.size} + padding) {
            return Fail(BLOCKFILE_DAMAGED, "block %u runs past the end", index);
        }
        if (Crc32(bytes.data() + offset, block.size) != block.crc) {
            return Fail(BLOCKFILE_DAMAGED, "block %u checksum is wrong", index);
        }
        for (uint32_t i = 0; i < padding; ++i) {
            if (bytes[offset + block.size + i] != 0) {
                return Fail(BLOCKFILE_DAMAGED, "block %u padding is not zero", index);
            }
        }
        for (int32_t i = 0; i < count; ++i) {
            if (std::memcmp(block.tag, requests[i].tag, 4) != 0) continue;
            const Verdict verdict = TakeBlock(requests[i], offset, block.size, &(*found)[i]);
            if (verdict.result != BLOCKFILE_OK) return verdict;
        }
        offset += block.size + padding;
    }
    if (offset != end) return Fail(BLOCKFILE_DAMAGED, "bytes after the last block");
    for (int32_t i = 0; i < count; ++i) {
        if (requests[i].required && !(*found)[i].found) {
            return Fail(BLOCKFILE_BLOCK_MISSING, "required block '%s' is missing", requests[i].tag);
        }
    }
    return {BLOCKFILE_OK, {}};
}

Verdict ReadAndCheck(const char* gameName, size_t maxBytes, const char* type, uint32_t version,
                     const BlockFileRequest requests[], int32_t count, std::vector<uint8_t>* bytes,
                     std::vector<FoundBlock>* found)
{
    const int32_t read = UserFile_Read(gameName, maxBytes, bytes);
    if (read == USERFILE_MISSING) return Fail(BLOCKFILE_MISSING, "missing");
    // Whatever stands in the file's place that cannot be read whole is a damaged file.
    if (read != USERFILE_OK) return Fail(BLOCKFILE_DAMAGED, "not a readable file of its size");
    const Verdict verdict = CheckHeaderAndTrailer(*bytes, type, version);
    if (verdict.result != BLOCKFILE_OK) return verdict;
    return CheckBlocks(*bytes, requests, count, found);
}

}  // namespace

int32_t BlockFileSave(const char* gameName, const char* type, uint32_t version,
                      const BlockFileBlock blocks[], int32_t count)
{
    CheckFourChars(type, "BlockFileSave(): type not four characters:");
    for (int32_t i = 0; i < count; ++i) {
        CheckFourChars(blocks[i].tag, "BlockFileSave(): tag not four characters:");
    }
    const std::vector<uint8_t> image = BuildImage(type, version, blocks, count);
    if (UserFile_Write(gameName, image.data(), image.size()) == USERFILE_OK) return BLOCKFILE_OK;
    DebugPrintf(DBG_FILE, 1, "Warning: BlockFileSave(): '%s' was not written\n", gameName);
    return BLOCKFILE_WRITE_FAILED;
}

int32_t BlockFileLoad(const char* gameName, size_t maxBytes, const char* type, uint32_t version,
                      const BlockFileRequest requests[], int32_t count)
{
    CheckFourChars(type, "BlockFileLoad(): type not four characters:");
    for (int32_t i = 0; i < count; ++i) {
        CheckFourChars(requests[i].tag, "BlockFileLoad(): tag not four characters:");
    }
    const std::string path = HostPath(gameName);

    // The file's bytes are the staging copy: nothing reaches a destination before all of them
    // have been checked.
    std::vector<uint8_t> bytes;
    std::vector<FoundBlock> found(static_cast<size_t>(count > 0 ? count : 0));
    const Verdict verdict =
        ReadAndCheck(gameName, maxBytes, type, version, requests, count, &bytes, &found);
    if (verdict.result != BLOCKFILE_OK) {
        DebugPrintf(DBG_FILE, 1, "Warning: BlockFileLoad(): '%s': %s\n", path.c_str(),
                    verdict.reason.c_str());
        return verdict.result;
    }

    for (int32_t i = 0; i < count; ++i) {
        if (found[i].found && found[i].size > 0) {
            std::memcpy(requests[i].destination, bytes.data() + found[i].offset, found[i].size);
        }
        if (requests[i].sizeRead) *requests[i].sizeRead = found[i].found ? found[i].size : 0;
    }
    return BLOCKFILE_OK;
}

std::vector<uint8_t> BlockFileImage(const char* type, uint32_t version,
                                    const BlockFileBlock blocks[], int32_t count)
{
    CheckFourChars(type, "BlockFileImage(): type not four characters:");
    for (int32_t i = 0; i < count; ++i) {
        CheckFourChars(blocks[i].tag, "BlockFileImage(): tag not four characters:");
    }
    return BuildImage(type, version, blocks, count);
}

int32_t BlockFileViewImage(const void* image, size_t size, const char* type, uint32_t version,
                           BlockFileView views[], int32_t count)
{
    CheckFourChars(type, "BlockFileViewImage(): type not four characters:");
    std::vector<BlockFileRequest> requests(static_cast<size_t>(count > 0 ? count : 0));
    for (int32_t i = 0; i < count; ++i) {
        CheckFourChars(views[i].tag, "BlockFileViewImage(): tag not four characters:");
        requests[i] = {views[i].tag, nullptr, UINT32_MAX, &views[i].size, views[i].required};
    }
    const std::span<const uint8_t> bytes(static_cast<const uint8_t*>(image), size);
    std::vector<FoundBlock> found(requests.size());
    Verdict verdict = CheckHeaderAndTrailer(bytes, type, version);
    if (verdict.result == BLOCKFILE_OK)
        verdict = CheckBlocks(bytes, requests.data(), count, &found);
    if (verdict.result != BLOCKFILE_OK) {
        DebugPrintf(DBG_FILE, 1, "Warning: BlockFileViewImage(): %s\n", verdict.reason.c_str());
        return verdict.result;
    }
    for (int32_t i = 0; i < count; ++i) {
        views[i].data = found[i].found ? bytes.data() + found[i].offset : nullptr;
        views[i].size = found[i].found ? found[i].size : 0;
    }
    return BLOCKFILE_OK;
}
