// engine/blockfile.h: the checked "DAT0" block container in which every user file is kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Results of BlockFileSave and BlockFileLoad.
constexpr int32_t BLOCKFILE_OK = 0;
constexpr int32_t BLOCKFILE_MISSING = -1;     // the file is missing
constexpr int32_t BLOCKFILE_WRONG_KIND = -2;  // wrong magic, type or version
constexpr int32_t BLOCKFILE_DAMAGED = -3;  // a size or checksum is wrong, bytes missing, the file
                                           // unreadable, too large or not a regular file
constexpr int32_t BLOCKFILE_BLOCK_MISSING = -4;  // a required block is absent, or a block repeated
constexpr int32_t BLOCKFILE_WRITE_FAILED = -5;

// The largest file a kind may have: its blocks' bytes with their heads and padding, the file's
// head and trailer, and half as much again, so that a file a later version makes a little longer
// still loads. Anything larger is refused unread.
constexpr size_t BlockFileMaxBytes(size_t dataBytes, size_t blockCount)
{
    constexpr size_t kHeadAndTrailer = 24;
    constexpr size_t kBlockHeadAndPadding = 15;
    return (kHeadAndTrailer + blockCount * kBlockHeadAndPadding + dataBytes) * 3 / 2;
}

// One block to save. Tags and types are four characters ("OPTS", "OPT0").
struct BlockFileBlock {
    const char* tag;
    const void* data;
    uint32_t size;
};

// One block that a load asks for. With `sizeRead` null the block must be exactly `size` bytes;
// otherwise it may hold up to `size` bytes and its size is stored in *sizeRead (0 when an
// optional block is absent). An absent optional block leaves `destination` as it was.
struct BlockFileRequest {
    const char* tag;
    void* destination;
    uint32_t size;
    uint32_t* sizeRead;
    bool required;
};

// Writes the blocks to the user file `gameName` (HostPath) through UserFile_Write: on failure the
// old file is untouched and the temporary file is gone.
// Returns BLOCKFILE_OK or BLOCKFILE_WRITE_FAILED. A tag or type not four characters long is
// fatal.
int32_t BlockFileSave(const char* gameName, const char* type, uint32_t version,
                      const BlockFileBlock blocks[], int32_t count);

// Reads (UserFile_Read, at most `maxBytes`) and checks the whole file before it copies anything:
// a failed load changes no destination and no *sizeRead. Blocks that no request names are skipped.
// A failure prints its reason on the "file" channel at level 1; what the user sees is the caller's
// choice.
int32_t BlockFileLoad(const char* gameName, size_t maxBytes, const char* type, uint32_t version,
                      const BlockFileRequest requests[], int32_t count);

// The bytes BlockFileSave would write, for files that are built into the data archives.
std::vector<uint8_t> BlockFileImage(const char* type, uint32_t version,
                                    const BlockFileBlock blocks[], int32_t count);

// A block of an image held in memory: `data` points into the image, `size` is its length
// (null and 0 when an optional block is absent).
struct BlockFileView {
    const char* tag;
    const uint8_t* data;
    uint32_t size;
    bool required;
};

// BlockFileLoad's checks on an image in memory; on success every view points into `image`,
// which must outlive the views. On failure the views are left as they were.
int32_t BlockFileViewImage(const void* image, size_t size, const char* type, uint32_t version,
                           BlockFileView views[], int32_t count);
