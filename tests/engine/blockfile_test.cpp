// tests/engine/blockfile_test.cpp: the DAT0 container keeps user files whole or not at all.
#include "engine/blockfile.h"

#include <cstring>
#include <filesystem>
#include <string>

#include "engine/crc32.h"
#include "engine/debug.h"
#include "engine/filename.h"
#include "tests/support/support.h"

namespace {

constexpr const char* kName = "SaveData\\sample.dat";
constexpr const char* kType = "SAV0";
constexpr uint32_t kVersion = 3;
constexpr size_t kMaxBytes = 1 << 20;

// A block of 5 bytes (padded), an empty one, a record and a variable-sized note.
struct SampleData {
    uint8_t small[5] = {1, 2, 3, 4, 5};
    uint8_t record[40];
    char note[6] = "hello";
    SampleData()
    {
        for (int i = 0; i < 40; ++i) {
            record[i] = static_cast<uint8_t>(i * 7 + 1);
        }
    }
};

int32_t SaveSample(const SampleData& data = {})
{
    const BlockFileBlock blocks[] = {
        {"SMAL", data.small, sizeof data.small},
        {"NONE", nullptr, 0},
        {"RECD", data.record, sizeof data.record},
        {"NOTE", data.note, sizeof data.note},
    };
    return BlockFileSave(kName, kType, kVersion, blocks, 4);
}

// What a load fills, primed with a byte no saved block holds, so that any stray write shows.
struct Destinations {
    uint8_t small[5];
    uint8_t record[40];
    char note[32];
    uint32_t noteSize;
    uint32_t noneSize;
    Destinations() { std::memset(this, 0xA5, sizeof *this); }
    bool operator==(const Destinations& other) const
    {
        return std::memcmp(this, &other, sizeof *this) == 0;
    }
};

int32_t LoadSample(Destinations* d, const char* type = kType, uint32_t version = kVersion)
{
    const BlockFileRequest requests[] = {
        {"SMAL", d->small, sizeof d->small, nullptr, true},
        {"RECD", d->record, sizeof d->record, nullptr, true},
        {"NOTE", d->note, sizeof d->note, &d->noteSize, true},
        {"NONE", nullptr, 0, &d->noneSize, true},
    };
    return BlockFileLoad(kName, kMaxBytes, type, version, requests, 4);
}

bool IsRefusal(int32_t result)
{
    return result == BLOCKFILE_WRONG_KIND || result == BLOCKFILE_DAMAGED
           || result == BLOCKFILE_BLOCK_MISSING;
}

// Gives an edited file a correct file checksum again, so that the checks behind it are reached.
void Reseal(std::string* bytes)
{
    const uint32_t crc = Crc32(bytes->data(), bytes->size() - 8);
    std::memcpy(bytes->data() + bytes->size() - 4, &crc, 4);
}

class BlockFile : public testing::Test {
protected:
    ScopedCore m_core;
    TempHome m_home;
    const std::string m_path = HostPath(kName);

    std::string SavedSample()
    {
        EXPECT_EQ(SaveSample(), BLOCKFILE_OK);
        return ReadTextFile(m_path);
    }

    void ExpectRefused(const std::string& bytes)
    {
        ASSERT_TRUE(WriteTextFile(m_path, bytes));
        Destinations loaded;
        EXPECT_TRUE(IsRefusal(LoadSample(&loaded)));
        EXPECT_TRUE(loaded == Destinations()) << "a destination was written";
    }

    // Refuses the variant that `edit` makes of the saved sample at each position but the last
    // `positionsLeftOut`.
    template <typename Edit>
    void ExpectEveryPositionRefused(size_t positionsLeftOut, Edit edit)
    {
        const std::string saved = SavedSample();
        ASSERT_LE(saved.size(), 1024u);
        for (size_t i = 0; i + positionsLeftOut < saved.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "position " << i);
            std::string bytes = saved;
            edit(&bytes, i);
            ExpectRefused(bytes);
        }
    }
};

TEST_F(BlockFile, LoadGivesBackWhatWasSaved)
{
    const SampleData saved;
    ASSERT_EQ(SaveSample(saved), BLOCKFILE_OK);
    Destinations loaded;
    ASSERT_EQ(LoadSample(&loaded), BLOCKFILE_OK);
    EXPECT_EQ(std::memcmp(loaded.small, saved.small, sizeof saved.small), 0);
    EXPECT_EQ(std::memcmp(loaded.record, saved.record, sizeof saved.record), 0);
    EXPECT_EQ(loaded.noteSize, sizeof saved.note);
    EXPECT_STREQ(loaded.note, "hello");
    EXPECT_EQ(loaded.noneSize, 0u);
    EXPECT_FALSE(std::filesystem::exists(m_path + ".tmp"));

    // Saving what was loaded reproduces the file byte for byte.
    const std::string first = ReadTextFile(m_path);
    ASSERT_EQ(SaveSample(saved), BLOCKFILE_OK);
    EXPECT_EQ(ReadTextFile(m_path), first);
}

TEST_F(BlockFile, RefusesEveryTruncationWithoutTouchingTheDestinations)
{
    ExpectEveryPositionRefused(0, [](std::string* bytes, size_t i) { bytes->resize(i); });
}

TEST_F(BlockFile, RefusesEveryFlippedByteWithoutTouchingTheDestinations)
{
    ExpectEveryPositionRefused(0, [](std::string* bytes, size_t i) { (*bytes)[i] ^= 0xFF; });
}

TEST_F(BlockFile, RefusesEveryFlippedByteEvenBehindACorrectFileChecksum)
{
    // Every byte before the trailer is also checked by its header or its block.
    ExpectEveryPositionRefused(8, [](std::string* bytes, size_t i) {
        (*bytes)[i] ^= 0xFF;
        Reseal(bytes);
    });
}

TEST_F(BlockFile, RefusesTrailingBytesAndABlockThatRunsPastTheEnd)
{
    const std::string saved = SavedSample();
    ExpectRefused(saved + std::string(4, '\0'));

    std::string bytes = saved;
    bytes.insert(bytes.size() - 8, 4, '\0');  // between the last block and "END0"
    Reseal(&bytes);
    ExpectRefused(bytes);

    bytes = saved;
    const uint32_t huge = 0xFFFFFFF0;
    std::memcpy(bytes.data() + 16 + 4, &huge, 4);  // the first block's size
    Reseal(&bytes);
    ExpectRefused(bytes);
}

TEST_F(BlockFile, RefusesAnotherTypeOrVersion)
{
    ASSERT_EQ(SaveSample(), BLOCKFILE_OK);
    Destinations loaded;
    EXPECT_EQ(LoadSample(&loaded, "PRM0"), BLOCKFILE_WRONG_KIND);
    EXPECT_EQ(LoadSample(&loaded, kType, kVersion + 1), BLOCKFILE_WRONG_KIND);
    EXPECT_TRUE(loaded == Destinations());
}

TEST_F(BlockFile, RefusesAMissingRequiredBlockButNotAMissingOptionalOne)
{
    ASSERT_EQ(SaveSample(), BLOCKFILE_OK);
    uint8_t small[5] = {};
    uint8_t extra[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    uint32_t extraSize = 77;
    BlockFileRequest requests[] = {
        {"SMAL", small, sizeof small, nullptr, true},
        {"XTRA", extra, sizeof extra, &extraSize, true},
    };
    EXPECT_EQ(BlockFileLoad(kName, kMaxBytes, kType, kVersion, requests, 2),
              BLOCKFILE_BLOCK_MISSING);
    EXPECT_EQ(small[0], 0);
    EXPECT_EQ(extraSize, 77u);

    // Optional and absent: the load succeeds, says so through the size and keeps the bytes.
    requests[1].required = false;
    EXPECT_EQ(BlockFileLoad(kName, kMaxBytes, kType, kVersion, requests, 2), BLOCKFILE_OK);
    EXPECT_EQ(small[0], 1);
    EXPECT_EQ(extraSize, 0u);
    EXPECT_EQ(extra[0], 9);
}

TEST_F(BlockFile, SkipsBlocksThatNoRequestAsksFor)
{
    ASSERT_EQ(SaveSample(), BLOCKFILE_OK);
    uint8_t record[40] = {};
    const BlockFileRequest request = {"RECD", record, sizeof record, nullptr, true};
    EXPECT_EQ(BlockFileLoad(kName, kMaxBytes, kType, kVersion, &request, 1), BLOCKFILE_OK);
    EXPECT_EQ(std::memcmp(record, SampleData().record, sizeof record), 0);
}

TEST_F(BlockFile, RefusesARepeatedBlock)
{
    const uint8_t first[4] = {1, 1, 1, 1};
    const uint8_t second[4] = {2, 2, 2, 2};
    const BlockFileBlock blocks[] = {{"TWIN", first, 4}, {"TWIN", second, 4}};
    ASSERT_EQ(BlockFileSave(kName, kType, kVersion, blocks, 2), BLOCKFILE_OK);
    uint8_t loaded[4] = {};
    const BlockFileRequest request = {"TWIN", loaded, 4, nullptr, false};
    EXPECT_EQ(BlockFileLoad(kName, kMaxBytes, kType, kVersion, &request, 1),
              BLOCKFILE_BLOCK_MISSING);
    EXPECT_EQ(loaded[0], 0);
}

TEST_F(BlockFile, RefusesABlockOfAnotherSizeThanAsked)
{
    ASSERT_EQ(SaveSample(), BLOCKFILE_OK);
    uint8_t buffer[64] = {};
    uint32_t size = 0;
    const BlockFileRequest tooLarge = {"RECD", buffer, 41, nullptr, true};
    EXPECT_EQ(BlockFileLoad(kName, kMaxBytes, kType, kVersion, &tooLarge, 1), BLOCKFILE_DAMAGED);
    const BlockFileRequest tooSmall = {"RECD", buffer, 39, nullptr, true};
    EXPECT_EQ(BlockFileLoad(kName, kMaxBytes, kType, kVersion, &tooSmall, 1), BLOCKFILE_DAMAGED);
    const BlockFileRequest aboveMaximum = {"NOTE", buffer, 5, &size, true};
    EXPECT_EQ(BlockFileLoad(kName, kMaxBytes, kType, kVersion, &aboveMaximum, 1),
              BLOCKFILE_DAMAGED);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(size, 0u);
}

TEST_F(BlockFile, ReportsAMissingFileAndIgnoresAStaleTemporaryFile)
{
    ASSERT_TRUE(MakeParentFolders(m_path));
    ASSERT_TRUE(WriteTextFile(m_path + ".tmp", "half a save"));
    Destinations loaded;
    EXPECT_EQ(LoadSample(&loaded), BLOCKFILE_MISSING);

    ASSERT_EQ(SaveSample(), BLOCKFILE_OK);
    EXPECT_FALSE(std::filesystem::exists(m_path + ".tmp"));
    ASSERT_TRUE(WriteTextFile(m_path + ".tmp", "half a save"));
    EXPECT_EQ(LoadSample(&loaded), BLOCKFILE_OK);
}

TEST_F(BlockFile, FailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    ASSERT_EQ(SaveSample(), BLOCKFILE_OK);
    const std::string old = ReadTextFile(m_path);
    SampleData changed;
    changed.small[0] = 99;

    // A folder left at the temporary file's name is cleared away, and the save goes on.
    std::filesystem::create_directories(m_path + ".tmp/inside");
    EXPECT_EQ(SaveSample(changed), BLOCKFILE_OK);
    EXPECT_NE(ReadTextFile(m_path), old);
    EXPECT_FALSE(std::filesystem::exists(m_path + ".tmp"));

    // The file's own name is a folder, so the written temporary file cannot replace it.
    std::filesystem::remove(m_path);
    std::filesystem::create_directories(m_path + "/inside");
    EXPECT_EQ(SaveSample(changed), BLOCKFILE_WRITE_FAILED);
    EXPECT_FALSE(std::filesystem::exists(m_path + ".tmp"));
    EXPECT_TRUE(std::filesystem::is_directory(m_path + "/inside"));

    // A file stands where the folder belongs.
    std::filesystem::remove_all(m_home.Path("SaveData"));
    ASSERT_TRUE(WriteTextFile(m_home.Path("SaveData"), "not a folder"));
    EXPECT_EQ(SaveSample(changed), BLOCKFILE_WRITE_FAILED);
    EXPECT_EQ(ReadTextFile(m_home.Path("SaveData")), "not a folder");
}

TEST_F(BlockFile, FailedLoadExplainsItselfOnTheFileChannel)
{
    ASSERT_EQ(SaveSample(), BLOCKFILE_OK);
    std::string bytes = ReadTextFile(m_path);
    bytes[20] ^= 1;
    ASSERT_TRUE(WriteTextFile(m_path, bytes));
    Destinations loaded;

    testing::internal::CaptureStdout();
    LoadSample(&loaded);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    DebugSetLevel(DBG_FILE, 1);
    testing::internal::CaptureStdout();
    LoadSample(&loaded);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Warning: BlockFileLoad(): '" + m_path + "': file checksum is wrong\n");
}

TEST(BlockFileDeathTest, ATypeOrTagNotFourCharactersLongIsFatal)
{
    TempHome home;
    const BlockFileBlock block = {"LONGER", nullptr, 0};
    EXPECT_FATAL(BlockFileSave("x.dat", "OPT", 1, nullptr, 0),
                 "BlockFileSave(): type not four characters: 'OPT'");
    EXPECT_FATAL(BlockFileSave("x.dat", "OPT0", 1, &block, 1),
                 "BlockFileSave(): tag not four characters: 'LONGER'");
}

}  // namespace
