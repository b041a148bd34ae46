// tests/menus/saveindex_test.cpp: the save index file: its layout and damaged files.
#include "menus/saveindex.h"

#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "tests/support/support.h"

namespace {

std::string IndexBytes() { return ReadTextFile(HostPath(SAVEINDEX_FILE)); }

}  // namespace

TEST(SaveIndex, WritesElevenRecordsThatReadBackByteForByte)
{
    TempHome home;
    SaveIndexInit();
    std::snprintf(SaveIndex[3].name, SAVEINDEX_NAME_BYTES, "Trois");
    SaveIndex[3].used = 1;
    std::memset(SaveIndex[3].description, 'd', SAVEINDEX_DESCRIPTION_BYTES - 1);
    ASSERT_EQ(SaveIndexFile(), 0);
    const std::string bytes = IndexBytes();
    ASSERT_EQ(bytes.size(), 1702u);
    EXPECT_EQ(bytes.substr(1694, 4), "SIX1");
    EXPECT_EQ(bytes.substr(3 * 154, 6), std::string("Trois\0", 6));
    EXPECT_EQ(bytes[3 * 154 + 50], 1);
    EXPECT_EQ(bytes.substr(3 * 154 + 54, 100), std::string(100, 'd'));  // cut at 100 bytes

    SaveIndexInit();
    ASSERT_EQ(LoadIndexFile(), 0);
    EXPECT_STREQ(SaveIndex[3].name, "Trois");
    EXPECT_EQ(std::strlen(SaveIndex[3].description), 100u);
    ASSERT_EQ(SaveIndexFile(), 0);
    EXPECT_EQ(IndexBytes(), bytes);
    EXPECT_EQ(SaveIndex_CountUsed(), 0);  // the index is a cache: a slot without files is empty
    SaveIndexUninit();
}

TEST(SaveIndex, MissingFileIsNoErrorAndAShortOneIsKeptAsIndexBad)
{
    TempHome home;
    SaveIndexInit();
    EXPECT_EQ(LoadIndexFile(), 1);
    EXPECT_EQ(SaveIndex_CountUsed(), 0);
    ASSERT_TRUE(MakeParentFolders(HostPath(SAVEINDEX_FILE)));
    // The second record cut short: its name (50 bytes), its flag (4), its description (100).
    struct Cut {
        size_t bytes;
        int16_t result;
    };
    const Cut cuts[] = {{200, -1},      {154 + 49, -1}, {154 + 50, -2},
                        {154 + 53, -2}, {154 + 54, -3}, {154 + 153, -3}};
    for (const Cut& cut : cuts) {
        ASSERT_TRUE(WriteTextFile(HostPath(SAVEINDEX_FILE), std::string(cut.bytes, 'x')));
        EXPECT_EQ(LoadIndexFile(), cut.result) << cut.bytes;
        EXPECT_EQ(SaveIndex[0].used, 0u) << cut.bytes;
        EXPECT_FALSE(std::filesystem::exists(HostPath(SAVEINDEX_FILE))) << cut.bytes;
        EXPECT_EQ(ReadTextFile(HostPath(SAVEINDEX_DAMAGED_FILE)).size(), cut.bytes);
    }
    SaveIndexUninit();
}

TEST(SaveIndex, UnterminatedTextsAreCutInsideTheirBuffers)
{
    TempHome home;
    ASSERT_TRUE(MakeParentFolders(HostPath(SAVEINDEX_FILE)));
    ASSERT_TRUE(WriteTextFile(HostPath(SAVEINDEX_FILE), std::string(1694, 'z')));
    SaveIndexInit();
    ASSERT_EQ(LoadIndexFile(), 0);
    EXPECT_EQ(std::strlen(SaveIndex[0].name), 49u);
    EXPECT_EQ(std::strlen(SaveIndex[10].description), 100u);
    SaveIndexUninit();
}
